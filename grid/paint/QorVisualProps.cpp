// TQorStringGrid: a cell's visual properties. GetVisualProperties weighs every source of a cell's
// colours, font, alignment and word wrap; the order of its steps is the precedence (a later step
// overrides an earlier one). Beside it the smaller per-cell queries that painting, printing and
// measuring share: the font alone, the alignment pair, the displayed text and the widget's room.
#include "grid/QorGrid.h"

#include "grid/paint/CellGraphic.h"
#include "grid/paint/CellPaintContext.h"
#include "grid/store/QorGridOptions.h"

#include "controls/QorDropDown.h"
#include "graphics/JyrHTMLE.h"
#include "graphics/QorUtil.h"
#include "graphics/QorUtilText.h"
#include "graphics/jyrxlsfmt.h"
#include "framework/SysUtils.h"

#include <cmath>

namespace {

bool IsNumberType(QorUtil::TAutoType T)
{
    return T == QorUtil::atNumeric || T == QorUtil::atFloat || T == QorUtil::atScientific;
}

// The number a cell text stands for (locale separators allowed); false when it is none.
bool CellNumber(const String& Text, double& Value)
{
    const String s = Trim(QorUtil::RemoveSeps(Text));
    if (s.empty()) return false;
    if (TryStrToFloat(s, Value)) return true;
    TFormatSettings Invariant = FormatSettings;
    Invariant.DecimalSeparator = L'.';
    return TryStrToFloat(s, Value, Invariant);
}

// The widget kinds that count as controls when a cell is coloured.
bool IsControlKind(TCellType T)
{
    switch (T) {
    case ctCheckBox: case ctDataCheckBox: case ctRadio: case ctButton: case ctBitButton:
    case ctRadioButton: case ctVirtButton: return true;
    default: return false;
    }
}

}  // namespace

// ---- Colour blending ------------------------------------------------------------------------------------

TColor BlendColor(TColor Col1, TColor Col2, int BlendFactor)
{
    if (BlendFactor >= 100) return Col1;
    if (BlendFactor <= 0 || Col1 == clNone) return Col2;
    if (Col2 == clNone) return Col1;
    // The drop-down's blend: system colours resolved, each channel rounded half to even.
    return QorDropDown::BlendColor(Col1, Col2, BlendFactor);
}

TColor ColorMixer(TColor Color1, TColor Color2, bool UseMixer, int Factor)
{
    return UseMixer ? BlendColor(Color1, Color2, Factor) : Color1;
}

// ---- Visual properties ------------------------------------------------------------------------------------

bool TQorStringGrid::IsNormalCell(int RCol, int ARow)
{
    return RCol >= GetFixedCols() && RCol < TotalColCount() - FDims.FFixedRightCols && ARow >= GetFixedRows() &&
           ARow < GetRowCount() - FDims.FFixedFooters;
}

bool TQorStringGrid::IsFixedCellOf(int ACol, int ARow)
{
    return IsFixed(ACol, ARow) || ACol < GetFixedCols() || ARow < GetFixedRows();
}

void TQorStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                         bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                         TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                         bool& WW, TCellGradientDirection& GD)
{
    const TGridDrawState StateIn = AState;
    TPrintSettings* PS = FOpt.FPrintSettings.get();
    const bool PrinterFonts = Print && !PS->GetUseDisplayFont();
    const bool FixedPos = ACol < GetFixedCols() || ARow < GetFixedRows();
    const bool Fixed = IsFixedCellOf(ACol, ARow);
    // 1. The grid's font, or the fixed font, or the printer's.
    if (PrinterFonts) AFont->Assign(FixedPos ? PS->GetFixedFont() : PS->GetFont());
    else AFont->Assign(FixedPos ? GetFixedFont() : GetFont());

    // 2. Real column; the row of row-based state.
    const int RCol = Remap ? RemapCol(ACol) : ACol;
    TMouseActions* MA = FOpt.FMouseActions.get();
    const int SRow = (MA->GetDisjunctRowSelect() && MA->GetRowSelectPersistent()) || FModel.FUseEnabledRows
                         ? RemapRowInv(ARow)
                         : ARow;

    // 3. Nothing chosen yet.
    ABrush->SetColor(clNone);
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;

    // 4. The cell's own properties.
    bool OwnBrush = false, ColoredControl = false;
    const TCellType Kind = GetCellType(RCol, ARow);
    if (RCol >= 0 && HasCellProperties(RCol, ARow)) {
        TCellProperties* P = GetCellProperties(RCol, ARow);
        if (Kind == ctNone || Kind == ctRotated || Kind == ctEmpty) {
            if (P->GetBrushColor() != clNone) {
                ABrush->SetColor(P->GetBrushColor());
                OwnBrush = true;
            }
        } else {
            ABrush->SetColor(P->GetBrushColor());
            ColoredControl = IsControlKind(Kind) && P->GetBrushColor() != clNone;
        }
        if (P->GetFontColor() != clNone) AFont->SetColor(P->GetFontColor());
        if (!P->GetFontStyle().Empty()) AFont->SetStyle(P->GetFontStyle());
        if (!Print || PS->GetUseDisplayFont()) {
            if (P->GetFontHeight() != 0) AFont->SetHeight(P->GetFontHeight());
            if (!P->GetFontName().empty()) AFont->SetName(P->GetFontName());
        }
        WW = P->GetWordWrap();
        AColorTo = P->GetBrushColorTo();
        GD = P->GetGradientDirection();
    }

    // 5. Selected cells run their gradient vertically.
    if (AState.Contains(gdSelected)) GD = GradientVertical;

    // 6. The grid's colour, the bands, the fixed colour outside the normal area.
    if (ABrush->GetColor() == clNone || (IsControlKind(Kind) && !ColoredControl)) {
        if (ABrush->GetColor() == clNone) ABrush->SetColor(GetColor());
        TBands* B = FOpt.FBands.get();
        if (B->GetActive() && (Print == B->GetPrint() || !Print)) {
            if (IsNormalCell(RCol, ARow)) {
                const int Total = B->GetTotalLength();
                if (Total > 0) {
                    if ((ARow - GetFixedRows()) % Total < B->GetPrimaryLength()) ABrush->SetColor(B->GetPrimaryColor());
                    else if (!FLookState.FStyleBkg) ABrush->SetColor(B->GetSecondaryColor());
                }
            } else {
                ABrush->SetColor(GetFixedColor());
            }
        }
    }

    // 7. Fixed cells without a brush of their own.
    if (Fixed && !OwnBrush) {
        if (!Print) {
            ABrush->SetColor(GetFixedColor());
            // Cells in the fixed rows and columns have the fixed font from step 1 with their own
            // font properties over it; other cells that count as fixed take it now.
            if (!FixedPos) AFont->Assign(GetFixedFont());
            AState << gdFixed;
        }
        const TGridLook L = FLookState.FLook;
        if (L > glClassic && L != glListView) {
            ABrush->SetColor(FLookState.FJOQGradFrom);
            AColorTo = FLookState.FJOQGradTo;
            AMirrorColor = FLookState.FJOQGradMirrorFrom;
            AMirrorColorTo = FLookState.FJOQGradMirrorTo;
            if (ABrush->GetColor() == clNone) ABrush->SetColor(GetFixedColor());
        }
    }

    // 8. The filter-edit row.
    if (FOpt.FFilterEdit->GetRow() == ARow && HasFilterEdit(ACol, ARow)) {
        const TColor C = FOpt.FFilterEdit->GetColor();
        ABrush->SetColor(C);
        AColorTo = AMirrorColor = AMirrorColorTo = C;
    }

    // 9. Automatic colours of numbers by sign.
    TAutoColor* AC = FOpt.FAutoColor.get();
    if (AC->ColorsDefined() && RCol >= 0) {
        const String Text = Trim(JyrHTMLE::HTMLStrip(GetCellEx(RCol, ARow)));
        double Value = 0;
        if (!Text.empty() && IsNumberType(QorUtil::IsType(Text)) && CellNumber(Text, Value)) {
            TColorSetting* S = Value < 0 ? AC->GetNegativeNumber() : AC->GetPositiveNumber();
            if (S->GetTextColor() != clNone) AFont->SetColor(S->GetTextColor());
            if (S->GetBkgColor() != clNone) ABrush->SetColor(S->GetBkgColor());
        }
    }

    // 10. The colour event.
    if (Print) GetCellPrintColor(RCol, ARow, AState, ABrush, AFont);
    else GetCellColor(RCol, ARow, AState, ABrush, AFont);

    // 11. The gradient event; then the normal colours are kept.
    if (OnGetCellGradient) {
        TColor C = ABrush->GetColor();
        OnGetCellGradient(this, ARow, RCol, C, AColorTo, AMirrorColor, AMirrorColorTo, GD);
        ABrush->SetColor(C);
    }
    const TColor NormalBrush = ABrush->GetColor(), NormalFont = AFont->GetColor();

    // 12. Selection.
    auto SelectionGradient = [&] {
        AColorTo = GetSelectionColorTo();
        AMirrorColor = GetSelectionMirrorColor();
        AMirrorColorTo = GetSelectionMirrorColorTo();
        if (GetSelectionTextColor() != clNone) AFont->SetColor(GetSelectionTextColor());
    };
    auto MixedSelection = [&] {
        if (ABrush->GetColor() == GetColor()) ABrush->SetColor(GetSelectionColor());
        else
            ABrush->SetColor(ColorMixer(GetSelectionColor(), ABrush->GetColor(), GetSelectionColorMixer(),
                                        GetSelectionColorMixerFactor()));
    };
    const bool Showing = CanShowSelection();
    const bool SelectArea = Select && !Print && Showing && !Fixed;
    const bool MouseDown = FSel.FMouseDown;
    // Whether Select changed what this pass did (a pass without it would differ).
    bool SelectEntered = false;
    // A disjunct row or column selection: InSel tells whether the line is selected, Current
    // whether it is the current one; rows blend their colour, columns take the selection colour.
    auto DisjunctLine = [&](bool InSel, bool Current, bool Mixed) {
        if (!SelectArea) return;
        SelectEntered = true;
        const bool Sel = ((!MouseDown || !Current) && InSel) || (MouseDown && !InSel && AState.Contains(gdSelected));
        if (!Sel) {
            AState >> gdSelected;
            return;
        }
        AState = TGridDrawState{gdSelected};
        if (Mixed) MixedSelection();
        else ABrush->SetColor(GetSelectionColor());
        SelectionGradient();
    };
    if (MA->GetDisjunctRowSelect()) {
        DisjunctLine(GetRowSelect(SRow), ARow == GetRow(), true);
    } else if (MA->GetDisjunctColSelect()) {
        DisjunctLine(GetColSelect(ACol), ACol == GetCol(), false);
    } else {
        const bool AreaSelected = SelectArea && IsSelected(ACol, ARow);
        const bool MouseSelected = AState.Contains(gdSelected) && MouseDown && Showing;
        SelectEntered = AreaSelected && !MouseSelected;
        if (AreaSelected || MouseSelected) {
            MixedSelection();
            SelectionGradient();
            AState << gdSelected;
        }
    }

    // 13. Disjunct cells.
    if (MA->GetDisjunctCellSelect() && Showing && !Print) {
        if (GetSelectedCells(ACol, ARow)) {
            ABrush->SetColor(GetSelectionColor());
            SelectionGradient();
            AState << gdSelected;
        } else if (ACol == GetCol() && ARow == GetRow()) {
            ABrush->SetColor(NormalBrush);
            AFont->SetColor(NormalFont);
            AState >> gdSelected;
        }
    }

    // 14. Disabled rows and a disabled grid.
    if (FLookState.FUseDisabledFont &&
        ((FModel.FUseEnabledRows && !GetRowEnabled(ARow)) || !GetEnabled()))
        AFont->SetColor(GetDisabledFontColor());

    // 15. Selected rows outside the current one, darker.
    if (!Print && Showing && MA->GetDisjunctRowSelect() && GetSelectionColorTo() == clNone &&
        GetShowFocusedSelectionColor() && ARow != GetRow() && IsSelected(ACol, ARow))
        ABrush->SetColor(QorUtil::ChangeColorPerc(ABrush->GetColor(), -10));

    // 16. Word wrap and alignment by the hooks.
    GetCellWordWrap(RCol, ARow, WW);
    const TCellAlignment A = GetCellAlignment(RCol, ARow);
    HA = A.HAlign;
    VA = A.VAlign;

    // The base grid's pass during a paint: DrawGridCell's pass without the selection starts
    // from the state this one leaves and would come to the same look when neither the state
    // nor the selection changed anything here.
    if (TPaintCellLook* L = FPaintCellLook; L && Select && !Print && Remap) {
        L->Valid = !SelectEntered && AState == StateIn;
        if (L->Valid) {
            L->Col = ACol;
            L->Row = ARow;
            L->State = AState;
            L->BrushColor = ABrush->GetColor();
            L->ColorTo = AColorTo;
            L->MirrorColor = AMirrorColor;
            L->MirrorColorTo = AMirrorColorTo;
            L->Font.SetPixelsPerInch(AFont->GetPixelsPerInch());
            L->Font.Assign(AFont);
            L->HA = HA;
            L->VA = VA;
            L->WW = WW;
            L->GD = GD;
        }
    }
}

void TQorStringGrid::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState AState, TFont* AFont,
                                       TBrush* ABrush, bool /*Remap*/)
{
    AFont->Assign(IsFixedCellOf(ACol, ARow) ? GetFixedFont() : GetFont());
    if (RCol >= 0 && HasCellProperties(RCol, ARow)) {
        TCellProperties* P = GetCellProperties(RCol, ARow);
        if (P->GetFontColor() != clNone) AFont->SetColor(P->GetFontColor());
        if (!P->GetFontStyle().Empty()) AFont->SetStyle(P->GetFontStyle());
        if (P->GetFontHeight() != 0) AFont->SetHeight(P->GetFontHeight());
        if (!P->GetFontName().empty()) AFont->SetName(P->GetFontName());
    }
    GetCellColor(RCol, ARow, AState, ABrush, AFont);
}

TCellAlignment TQorStringGrid::GetCellAlignment(int RCol, int ARow)
{
    TCellAlignment A{GetDefaultAlignment(), GetVAlignment()};
    if (GetAutoNumAlign()) {
        String Text = GetCellEx(RCol, ARow);
        const bool Formula = (!Text.empty() && Text[0] == L'=') ||
                             (Text.size() > 3 && Text[0] == L'|' && Text[1] == L'\\' && Text[3] == L'=');
        if (Formula) Text = CalcCell(RCol, ARow);
        const String Trimmed = Trim(Text);
        if (!Trimmed.empty() && IsNumberType(QorUtil::IsType(Trimmed))) A.HAlign = taRightJustify;
    } else if (RCol >= 0 && HasCellProperties(RCol, ARow)) {
        A.HAlign = GetCellProperties(RCol, ARow)->GetAlignment();
    }
    GetCellAlign(RCol, ARow, A.HAlign, A.VAlign);
    return A;
}

String TQorStringGrid::GetFormattedCell(int RCol, int ARow)
{
    String Text = ExportCell(RCol, ARow);
    if (!OnGetFloatFormat) return Text;
    const String Trimmed = Trim(Text);
    bool IsFloat = !Trimmed.empty() && IsNumberType(QorUtil::IsType(Trimmed));
    String Fmt = FText.FFloatFormat;
    OnGetFloatFormat(this, RCol, ARow, IsFloat, Fmt);
    if (!IsFloat || Fmt.empty()) return Text;
    double Value = 0;
    if (!CellNumber(Trimmed, Value)) return Text;
    // A format the value does not fit (or a broken format) leaves the exported text.
    try {
        if (FText.FFormatType == ftExcel) return jyrxlsfmt::XlsFormat(Variant(Value), Fmt);
        const bool IntegerFormat = Fmt.find_first_of(L"dDxX") != String::npos;
        if (IntegerFormat) {
            if (std::fabs(Value) > 2147483647.0) return Text;
            return Format(Fmt, {int(std::trunc(Value))});
        }
        return Format(Fmt, {Value});
    } catch (const Exception&) {
        return Text;
    }
}

TCellGraphic* TQorStringGrid::GetGraphicDetails(int RCol, int ARow, int& W, int& H, bool& DisplText,
                                                 TCellHAlign& HA, TCellVAlign& VA)
{
    W = H = 0;
    DisplText = true;
    HA = haLeft;
    VA = vaTop;
    TCellGraphic* CG = GetCellGraphic(RCol, ARow);
    if (!CG) return nullptr;
    const double DPI = FLookState.FDPIScale;
    auto Scaled = [DPI](int v) { return int(std::nearbyint(v * DPI)); };
    switch (CG->FCellType) {
    case ctBitmap:
    case ctIcon:
    case ctImageList:
    case ctDataImage:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
    case ctInterface:
    case ctDataPicture: {
        // The pictures' sizes, as the widget's own size query measures them.
        const TPoint S = GetCellGraphicSize(RCol, ARow);
        W = S.X;
        H = S.Y;
        DisplText = CG->FCellType != ctDataImage && !(CG->FCellType == ctDataPicture && (W || H));
        break;
    }
    case ctCheckBox:
    case ctTriStateCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        W = H = Scaled(FOpt.FControlLook->GetCheckBoxSize());
        DisplText = CG->FCellType == ctCheckBox || CG->FCellType == ctTriStateCheckBox;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress: DisplText = false; break;
    case ctButton:
    case ctBitButton:
    case ctVirtButton:
        W = int(CG->FCellIndex & 0xFFFF);
        H = int((unsigned(CG->FCellIndex) >> 16) & 0xFFFF);
        break;
    case ctProgressPie: W = H = 20; break;
    case ctRadioButton: W = H = FOpt.FControlLook->GetRadioSize() + 4; break;
    case ctShape: {
        const TPoint S = CellSize(DisplColIndex(RCol), ARow);
        W = H = std::max(0, std::min(S.X, S.Y) - 2 * FText.FTextOffset.Y);
        break;
    }
    case ctRating:
        W = 18 * int(CG->FCellAngle);
        H = 16;
        DisplText = false;
        break;
    default: break;
    }
    HA = CG->FCellHAlign;
    VA = CG->FCellVAlign;
    return CG;
}
