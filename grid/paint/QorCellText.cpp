// TQorStringGrid: the text layer of a cell and measuring a cell's text. DrawCellText runs on the
// cell's TCellPaintContext after the backgrounds: selection colours, search marks, the filter
// glyph, wallpaper and gradient backgrounds, the selection rectangle, then the text as markup,
// rich text or plain text (word wrap, ellipsis, several lines, URLs, passwords), error marks and
// the sort indicator. RTFPaint renders rich text through the grid's hidden rich edit;
// GetCellTextSize measures a cell's text the way it would be drawn.
#include "grid/QorGrid.h"

#include "grid/input/QorRichEdit.h"
#include "grid/input/SearchPanel.h"
#include "grid/paint/CellGraphic.h"
#include "grid/paint/CellPaintContext.h"
#include "grid/paint/QorCheckBox.h"
#include "grid/paint/QorGridButton.h"
#include "grid/sortfilter/QorFilterData.h"
#include "grid/store/QorGridOptions.h"

#include "graphics/JyrHTMLE.h"
#include "graphics/JyrHTMLText.h"
#include "graphics/QorUtil.h"
#include "framework/Math.h"
#include "framework/WinScope.h"

#include <richedit.h>

#include <cmath>
#include <optional>

using QorUtil::TTextType;

namespace {

// A single line is cut here before it is drawn.
constexpr size_t MaxSingleLine = 4096;

// The room the sort indicator takes beside markup text, and beside a centred header.
constexpr int SortIndicatorRoom = 10;
constexpr int FilterGlyphRoom = 16;

UINT AlignFlags(TAlignment HA, TVAlignment VA)
{
    UINT F = 0;
    switch (HA) {
    case taRightJustify: F |= DT_RIGHT; break;
    case taCenter: F |= DT_CENTER; break;
    default: F |= DT_LEFT; break;
    }
    switch (VA) {
    case vtaCenter: F |= DT_VCENTER; break;
    case vtaBottom: F |= DT_BOTTOM; break;
    default: F |= DT_TOP; break;
    }
    return F;
}

// Text is drawn transparent (the callers set the mode): the canvas's brush is not made for it.
int DrawTextIn(TCanvas* Canvas, const String& Text, TRect& R, UINT Flags)
{
    Canvas->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
    RECT W{R.Left, R.Top, R.Right, R.Bottom};
    const int H = ::DrawTextW(Canvas->GetRawHandle(), Text.c_str(), int(Text.size()), &W, Flags);
    R = TRect(W.left, W.top, W.right, W.bottom);
    return H;
}

// The longest line the system's text layout draws in one piece.
constexpr int MaxLayoutLine = 1024;

// The rectangle's height in the direction lines run: down its y axis, or up it on a device
// context whose y grows upward (the page's tenths of a millimetre), as the system's layout
// decides. Negative for a rectangle turned against that direction.
int LineRoom(HDC DC, const RECT& R)
{
    if (R.top <= R.bottom) return R.bottom - R.top;
    SIZE Window{}, Viewport{};
    if (::GetGraphicsMode(DC) != GM_COMPATIBLE || !::GetWindowExtEx(DC, &Window) || !::GetViewportExtEx(DC, &Viewport) ||
        (Window.cy > 0) == (Viewport.cy > 0))
        return R.bottom - R.top;
    return R.top - R.bottom;
}

// A text the layout can set as one line: not empty, at most MaxLayoutLine characters, no
// control characters (tabs, line breaks).
bool PlainLine(const wchar_t* Text, int Len)
{
    if (Len <= 0 || Len > MaxLayoutLine) return false;
    for (int i = 0; i < Len; ++i)
        if (Text[i] < L' ') return false;
    return true;
}

}  // namespace

bool QorCellText::FitsOneLine(HDC DC, const wchar_t* Text, int Len, int Width, SIZE& Size)
{
    // The layout measures how much of the text fits the width, as here.
    INT Fit = 0;
    SIZE S{};
    if (!PlainLine(Text, Len) || !::GetTextExtentExPointW(DC, Text, Len, std::max(Width, 0), &Fit, nullptr, &S))
        return false;
    Size = S;
    return Width >= 0 && Fit >= Len;
}

bool QorCellText::DrawSingleLine(HDC DC, const wchar_t* Text, int Len, const RECT& R, UINT Flags, int LineHeight,
                                 int Width)
{
    // Flags that change nothing for one line of such a text: word breaks (single line wins),
    // tab expansion without tabs, the edit-control rule (it only decides an ellipsis).
    constexpr UINT Covered = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX |
                             DT_EXPANDTABS | DT_EDITCONTROL | DT_NOCLIP | DT_WORDBREAK;
    // A word-wrapped text is one line when all of it fits the width.
    const bool Wrapped = !(Flags & DT_SINGLELINE) && (Flags & DT_WORDBREAK);
    if (!((Flags & DT_SINGLELINE) || Wrapped) || !(Flags & DT_NOPREFIX) || (Flags & ~Covered) || !PlainLine(Text, Len))
        return false;
    SIZE S{0, LineHeight};
    if (Wrapped) {
        // A text that fits whole is drawn as one line at the top (only single lines are placed
        // vertically). A line taller than the rectangle is left to the layout: the edit-control
        // rule may hide a line that shows only in part. A known width decides as the layout's
        // measuring would: all of the text fits when its whole extent does.
        if (LineHeight <= 0 || LineRoom(DC, R) < LineHeight) return false;
        if (Width >= 0) {
            if (Width > R.right - R.left) return false;
            S.cx = Width;
        } else if (!FitsOneLine(DC, Text, Len, R.right - R.left, S)) {
            return false;
        }
        Flags &= ~UINT(DT_VCENTER | DT_BOTTOM);
    } else if (Flags & (DT_CENTER | DT_RIGHT)) {
        // Every text of the font is as high as its line.
        if (Width >= 0 && LineHeight > 0) S.cx = Width;
        else if (!::GetTextExtentPoint32W(DC, Text, Len, &S)) return false;
    }
    int X = R.left, Y = R.top;
    if (Flags & DT_CENTER) X = (R.left + R.right - S.cx) / 2;
    else if (Flags & DT_RIGHT) X = R.right - S.cx;
    if (Flags & DT_VCENTER) Y = R.top + (R.bottom - R.top) / 2 - S.cy / 2;
    else if (Flags & DT_BOTTOM) Y = R.bottom - S.cy;
    ::ExtTextOutW(DC, X, Y, (Flags & DT_NOCLIP) ? 0 : ETO_CLIPPED, &R, Text, UINT(Len), nullptr);
    return true;
}

// ---- Services the text layer calls ----------------------------------------------------------------------

bool TQorStringGrid::IsPassword(int RCol, int ARow)
{
    bool Result = false;
    GetCellPassword(RCol, ARow, Result);
    return Result;
}

// ---- The text layer ----------------------------------------------------------------------------------------

bool TQorStringGrid::TextSelectionColors(TCellPaintContext& C)
{
    TCanvas* Cv = C.Canvas;
    const bool NormalCol = C.OCol >= GetFixedCols() && C.ACol < TotalColCount() - FDims.FFixedRightCols;
    const bool Selected = C.AState.Contains(gdSelected) ||
                          (GetOptions().Contains(goRowSelect) && NormalCol && GetRowSelect(C.RRow));
    C.LinkColor = GetURLColor();
    if (!Selected || C.IsFixedCell) return Selected;
    const bool Showing = CanShowSelection();
    if (Showing) {
        if (GetSelectionColor() != clNone) Cv->GetBrush()->SetColor(GetSelectionColor());
        if (GetSelectionTextColor() != clNone && GetEnabled() && GetUseSelectionTextColor())
            Cv->GetFont()->SetColor(GetSelectionTextColor());
        C.LinkColor = GetSelectionTextColor();
    }
    const bool Focused = GridHasFocus();
    if ((!Focused || HasCheckBox(C.ACol, C.ARow)) && !Showing) {
        Cv->GetBrush()->SetColor(C.SavedBrushColor);
        Cv->GetFont()->SetColor(C.SavedFontColor);
        C.LinkColor = GetURLColor();
    }
    return Selected;
}

String TQorStringGrid::CellDisplayText(TCellPaintContext& C, TTextType& Type)
{
    String Text = GetFormattedCell(C.ACol, C.ARow);

    // Search marks.
    TSearchFooter* SF = FOpt.FSearchFooter.get();
    TSearchPanel* SP = FWin.FSearchPanel;
    if (SF->GetVisible() && SP && SP->GetEdit()) {
        const bool Marking = (SP->GetHiliteButton() && SP->GetHiliteButton()->GetDown()) || SF->GetAlwaysHighLight();
        const String Find = SP->GetEdit()->GetText();
        const bool InRows = C.ARow >= GetFixedRows() && C.ARow < GetRowCount() - FDims.FFixedFooters;
        const bool InCol = SF->GetSearchColumn() == C.OCol ||
                           (SF->GetSearchColumn() == -1 && C.OCol >= GetFixedCols() &&
                            C.ACol < TotalColCount() - FDims.FFixedRightCols);
        if (Marking && !Find.empty() && InRows && InCol) {
            const bool MatchCase = SP->GetMatchCase() && SP->GetMatchCase()->GetChecked();
            Text = JyrHTMLE::HiLight(Text, Find, L"hi", MatchCase, SF->GetHighLight() == hFullCell);
        }
    }

    Type = QorUtil::TextType(Text, GetEnableHTML());
    if (Type == QorUtil::ttFormula) {
        Text = CalcCell(C.ACol, C.ARow);
        Type = QorUtil::TextType(Text, GetEnableHTML());
    }
    if (IsPassword(C.ACol, C.ARow)) QorUtil::StringToPassword(Text, FText.FPasswordChar);
    return Text;
}

void TQorStringGrid::PaintCellBackdrops(TCellPaintContext& C, TRect R)
{
    TBackGround* BG = FOpt.FBackGround.get();
    const TBackGroundCells Cells = BG->GetCells();
    const bool KindSelected = Cells == bcAll || (Cells == bcNormal && !C.IsFixedCell) ||
                              (Cells == bcFixed && C.IsFixedCell);
    const bool Showing = CanShowSelection();
    const int W = GetGridLineWidth();
    const bool OwnColor = GetColors(C.ACol, C.ARow) != clNone;

    // Wallpaper.
    TBitmap* B = BG->GetBitmap();
    if (B && !B->GetEmpty() && !OwnColor && KindSelected && !(C.AState.Contains(gdSelected) && Showing)) {
        TRect WR = R;
        WR.Left -= W - 1;
        WR.Top -= W - 1;
        CellWidgetLayer(C, BG->GetDisplay() == bdTile ? TCellWidgetStep::WallPaperTile : TCellWidgetStep::WallPaperFixed,
                        WR);
    }

    // Gradient background.
    const TBackGroundDisplay D = BG->GetDisplay();
    bool ControlWidget = false;
    if (C.CellGraphic) switch (C.CellGraphic->FCellType) {
        case ctCheckBox: case ctDataCheckBox: case ctRadio: case ctButton: case ctBitButton:
        case ctRadioButton: case ctVirtButton: ControlWidget = true; break;
        default: break;
        }
    const bool SelLook = (C.AState.Contains(gdSelected) ||
                          (C.AState.Contains(gdFocused) && GetOptions().Contains(goDrawFocusSelected))) &&
                         Showing;
    if ((D == bdGradientHorz || D == bdGradientVert) && (!OwnColor || ControlWidget) && KindSelected && !SelLook) {
        TRect GR(R.Left - 1, R.Top - W, R.Right, R.Bottom + W - 1);
        CellWidgetLayer(C, TCellWidgetStep::GradientBackground, GR);
    }
}

void TQorStringGrid::PaintSelectionRectangle(TCellPaintContext& C, const TRect& R)
{
    if (!GetSelectionRectangle() || C.IsFixedCell) return;
    TGridRect S = GetSelection();
    if (C.OCol < S.Left || C.OCol > S.Right || C.ARow < S.Top || C.ARow > S.Bottom) return;
    // A merged selection start: the area's base cell carries all four edges.
    const TPoint Base = BaseCell(RemapCol(S.Left), S.Top);
    if (HasCellProperties(Base.X, Base.Y) && IsMergedCell(Base.X, Base.Y)) {
        const int BC = DisplColIndex(Base.X);
        S = TGridRect{BC, Base.Y, BC, Base.Y};
    }
    TCanvas* Cv = C.Canvas;
    TPen* Pen = Cv->GetPen();
    const TGridOptions Opts = GetOptions();
    const bool Lines = Opts.Contains(goVertLine) || Opts.Contains(goHorzLine);
    const int o = Lines ? 1 : 0, w = GetGridLineWidth();
    Pen->SetColor(FPaint.FSelectionRectangleColor);
    Pen->SetWidth(Lines ? 2 : 1);
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const bool LeftCol = C.OCol == S.Left, RightCol = C.OCol == S.Right;
    if (LeftCol) {
        Cv->MoveTo(L + o - w, B);
        Cv->LineTo(L + o - w, T - w);
    }
    if (RightCol) {
        Cv->MoveTo(Rt - 1, B);
        Cv->LineTo(Rt - 1, T - w);
    }
    auto Horizontal = [&](int Y) {
        Cv->MoveTo(L - w - (LeftCol ? 0 : 1), Y);
        Cv->LineTo(RightCol ? Rt - 1 : Rt, Y);
    };
    if (C.ARow == S.Top) Horizontal(T + o - w);
    if (C.ARow == S.Bottom) Horizontal(B + o - 1);
    if (GetSelectionResizer() && RightCol && C.ARow == S.Bottom) {
        const int Size = int(std::nearbyint(4 * FLookState.FDPIScale));
        const TColor Keep = Cv->GetBrush()->GetColor();
        Cv->GetBrush()->SetColor(FPaint.FSelectionRectangleColor);
        Cv->FillRect(TRect(C.Rect.Right - Size, C.Rect.Bottom - Size, C.Rect.Right, C.Rect.Bottom));
        Cv->GetBrush()->SetColor(Keep);
    }
    Pen->SetWidth(1);
}

void TQorStringGrid::TakeWidgetRoom(TCellPaintContext& C, TRect& R)
{
    const int W = C.GraphicWidth, H = C.GraphicHeight;
    switch (C.hal) {
    case haBeforeText:
        R.Left += W;
        if (C.HAlignment == taLeftJustify) C.Indent = W;
        break;
    case haLeft: C.Indent = W; break;
    case haAfterText: R.Right -= W; break;
    default: break;
    }
    if (C.val == vaAboveText) R.Top += H;
    else if (C.val == vaUnderText) R.Bottom -= H;
    if (C.ACol == 0 && FDims.FNumNodes > 0 && !IsNode(C.ARow)) R.Left += NodeIndent(C.ARow);
}

void TQorStringGrid::DrawSortIndicatorAt(TCellPaintContext& C, int X, const TRect& R)
{
    // An index-sort column past the first key shows its indicator only with IndexShow.
    TSortSettings* S = FOpt.FSortSettings.get();
    if (!S->GetIndexShow() && FLists.FSortIndexes->FindIndex(C.OCol) >= 1) return;
    int Y = R.Top + 8;
    if (C.VAlign == vtaCenter) Y = R.Top + R.Height() / 2;
    else if (C.VAlign == vtaBottom) Y = R.Bottom - 8;
    TRect At(X, Y, X, Y);
    CellWidgetLayer(C, TCellWidgetStep::SortIndicator, At);
}

void TQorStringGrid::DrawHTMLCellText(TCellPaintContext& C, const String& Text, TRect R)
{
    TCanvas* Cv = C.Canvas;
    const bool SortHeader = IsSortHeaderCell(C);
    if (C.FilterGlyph) R.Right -= 18;
    if (SortHeader) R.Right -= SortIndicatorRoom;
    --R.Left;
    const bool RTL = UseRightToLeftReading();
    TRect DrawR = R;
    if (RTL) DrawR = TRect(C.CellRect.Left + (C.CellRect.Right - R.Right), R.Top,
                           C.CellRect.Right - (R.Left - C.CellRect.Left), R.Bottom);
    JyrHTMLE::THTMLDrawRequest Q;
    Q.Canvas = Cv;
    Q.fr = DrawR;
    Q.Images = GetCellImageList(C.ACol, C.ARow);
    Q.HoverLink = FPaint.FHoverCell == TPoint(C.OCol, C.ARow) ? FLookState.FHoverlink : -1;
    Q.ShadowOffset = 1;
    Q.ShadowColor = TColor(0x808080);
    Q.Blink = FPaint.FBlinkOn;
    Q.HoverStyle = GetURLUnderlineOnHover();
    Q.WordWrap = !GetEnhTextSize();
    Q.Down = FPaint.FCtrlDown;
    Q.DownID = FPaint.FCtrlDownId;
    Q.URLColor = C.LinkColor;
    Q.PictureCache = FLists.FImageCache.get();
    Q.PictureContainer = FOpt.FPictureContainer;
    Q.WinHandle = HandleAllocated() ? GetHandle() : nullptr;
    Q.BidiMode = GetBiDiMode();
    JyrHTMLE::THTMLDrawResult Res;
    Cv->GetBrush()->SetStyle(bsClear);
    JyrHTMLE::HTMLDraw(Text, Q, Res);
    Cv->GetBrush()->SetStyle(bsSolid);
    C.MaxTextWidth = Res.XSize + 2;
    if (SortHeader) DrawSortIndicatorAt(C, R.Right + 2, R);
}

void TQorStringGrid::DrawRTFCellText(TCellPaintContext& C, TRect R)
{
    TCanvas* Cv = C.Canvas;
    Cv->GetPen()->SetColor(Cv->GetBrush()->GetColor());
    const bool Focused = GridHasFocus();
    if (!(C.AState.Contains(gdSelected) && !Focused && GetSelectionColor() == clNone)) Cv->FillRect(R);
    Cv->GetBrush()->SetStyle(bsClear);
    TRect DrawR = R;
    if (UseRightToLeftReading())
        DrawR = TRect(C.CellRect.Left + (C.CellRect.Right - R.Right), R.Top, C.CellRect.Right - (R.Left - C.CellRect.Left),
                      R.Bottom);
    RTFPaint(C.OCol, C.ARow, DrawR, Cv);
    Cv->GetBrush()->SetStyle(bsSolid);
}

void TQorStringGrid::DrawPlainCellText(TCellPaintContext& C, String Text, TRect R, const String& Placeholder)
{
    TCanvas* Cv = C.Canvas;
    TFont* F = Cv->GetFont();
    TSortSettings* SS = FOpt.FSortSettings.get();
    const bool SortHeader = IsSortHeaderCell(C);
    const TRect CellR = R;

    // 1. A centred sort header leaves room for its indicator.
    if (C.HAlignment == taCenter && SortHeader && C.ARow == SS->GetRow()) R.Left += SortIndicatorRoom;

    // 2. URLs.
    const bool URL = GetURLShow() && QorUtil::IsURL(Text);
    if (URL) {
        if (!GetURLFull()) QorUtil::StripURLProtocol(Text);
        F->SetStyle(F->GetStyle() + TFontStyles{fsUnderline});
        F->SetColor(C.LinkColor);
    }

    // 3. The format.
    const bool Multi = FDims.FMultilinecells;
    const int Lines = QorUtil::LinesInText(Text, Multi);
    UINT Flags = DT_EDITCONTROL;
    bool Ellipsis = false;
    if (Lines <= 1 && !C.WordWrap) {
        String Rest = Text;
        Text = QorUtil::GetNextLine(Rest, Multi);
        if (GetEnhTextSize()) Ellipsis = true;
    }
    if (C.WordWrap && GetEnhTextSize() && !Multi) Ellipsis = true;
    if (Ellipsis) Flags |= DT_END_ELLIPSIS;
    Flags |= DT_NOPREFIX | DT_EXPANDTABS | AlignFlags(C.HAlignment, C.VAlign);
    Flags |= C.WordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    FText.FVAlign = int(Flags & (DT_VCENTER | DT_BOTTOM));
    Flags = JyrHTMLE::DrawTextBidimodeFlags(Flags, GetBiDiMode());
    Cv->GetBrush()->SetStyle(bsClear);
    ::SetBkMode(Cv->GetRawHandle(), TRANSPARENT);
    if (C.FilterGlyph) R.Right -= FilterGlyphRoom;

    // 4. The text's width for the widget placement.
    if (C.CellGraphic && !Text.empty()) {
        TRect M = R;
        DrawTextIn(Cv, Text, M, Flags | DT_CALCRECT);
        C.MaxTextWidth = M.Width() + 2;
    }

    if (Multi && Lines > 1) {
        // 5. Line by line, the block placed as a whole (it may start above the cell).
        C.ClipToCell();
        const int LH = Cv->TextHeight(L"gh");
        if (C.VAlign == vtaCenter) R.Top += (R.Height() - LH * Lines) / 2;
        else if (C.VAlign == vtaBottom) R.Top = R.Bottom - LH * Lines;
        const UINT LineFlags = (Flags & ~UINT(DT_VCENTER | DT_BOTTOM)) | DT_TOP;
        String Rest = Text;
        for (int i = 0; i < Lines && R.Top < CellR.Bottom; ++i) {
            String Line = QorUtil::GetNextLine(Rest, true);
            TRect LR = R;
            const int H = DrawTextIn(Cv, Line, LR, LineFlags);
            R.Top += std::max(H, 1);
        }
    } else {
        // 6. One block.
        if (Text.empty() && !Placeholder.empty()) {
            Text = Placeholder;
            F->SetStyle(F->GetStyle() + TFontStyles{fsItalic});
            F->SetColor(TColor(0x808080));
        } else if (!Placeholder.empty()) {
            F->SetStyle(TFontStyles());
        }
        if (Flags & DT_SINGLELINE && Text.size() > MaxSingleLine) Text.resize(MaxSingleLine);
        if (F->GetStyle().Contains(fsItalic) && C.HAlignment == taRightJustify) Text += L' ';
        if (Ellipsis && C.HAlignment == taLeftJustify && !Trim(Text).empty() && Cv->TextWidth(Text) > R.Width())
            Text += L"     ";
        TRect DR = R;
        DR.Left += C.Indent;
        // The system places only single lines vertically: a wrapped text is measured and moved
        // down as a block, so that a centred or bottom-aligned cell is not drawn at its top.
        if ((Flags & DT_WORDBREAK) && C.VAlign != vtaTop && !Text.empty()) {
            TRect M = DR;
            const int H = DrawTextIn(Cv, Text, M, (Flags & ~UINT(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
            if (H < DR.Height()) DR.Top += C.VAlign == vtaCenter ? (DR.Height() - H) / 2 : DR.Height() - H;
        }
        // The text is clipped to DR: an unclipped cell needs its own clip only when DR reaches out.
        if (DR.Left < C.Bounds.Left || DR.Top < C.Bounds.Top || DR.Right > C.Bounds.Right ||
            DR.Bottom > C.Bounds.Bottom || DR.Left > DR.Right || DR.Top > DR.Bottom)
            C.ClipToCell();
        else if (C.Unclipped && (DR.Left < C.CellRect.Left || DR.Top < C.CellRect.Top || DR.Right > C.CellRect.Right ||
                                 DR.Bottom > C.CellRect.Bottom))
            EndPaintPrefill();
        // One plain line goes straight to the device, placed as the system's layout places it.
        Cv->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
        const RECT W{DR.Left, DR.Top, DR.Right, DR.Bottom};
        const int LineHeight =
            (Flags & (DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK)) ? PaintTextHeight(Cv) : 0;
        // Centred, right-aligned and wrapped lines need the text's width.
        const int Width = (Flags & (DT_CENTER | DT_RIGHT | DT_WORDBREAK)) && !Text.empty()
                              ? PaintTextWidth(Cv, Text.c_str(), int(Text.size()))
                              : -1;
        // An empty text draws nothing.
        if (!Text.empty() && !QorCellText::DrawSingleLine(Cv->GetRawHandle(), Text.c_str(), int(Text.size()), W, Flags,
                                                          LineHeight, Width))
            DrawTextIn(Cv, Text, DR, Flags);
    }

    // 7. Error marks.
    int ErrPos = 0, ErrLen = 0;
    GetMarker(C.ACol, C.ARow, ErrPos, ErrLen);
    const TCellType Kind = C.CellGraphic ? C.CellGraphic->FCellType : ctEmpty;
    if (ErrLen > 0 && (Kind == ctEmpty || Kind == ctValue || Kind == ctComment)) {
        C.ClipToCell();
        QorUtil::DrawErrorLines(this, Cv, Text, CellR, C.MaxTextHeight, ErrPos, ErrLen);
    }

    // 8. The sort indicator beside the text.
    if (SortHeader) {
        C.ClipToCell();
        TRect SR = C.TextRect;
        if (C.FilterGlyph) SR.Right -= FilterGlyphRoom;
        const int Free = std::max(0, SR.Right - SR.Left - C.Indent - 16);
        const int TW = std::min(Cv->TextWidth(Text), Free);
        int X = SR.Left + 8;
        if (C.HAlignment == taLeftJustify) X = SR.Left + TW + C.Indent + 10;
        else if (C.HAlignment == taRightJustify) X = SR.Right - TW - 10;
        DrawSortIndicatorAt(C, X, SR);
    }

    // 9.
    if (URL) F->SetStyle(F->GetStyle() - TFontStyles{fsUnderline});
    Cv->GetBrush()->SetStyle(bsSolid);
}

void TQorStringGrid::DrawCellText(TCellPaintContext& C)
{
    TCanvas* Cv = C.Canvas;
    const HDC DC = Cv->GetRawHandle();

    // 1 - 4. Colours of the selection, the text and its kind.
    TextSelectionColors(C);
    TTextType Type = QorUtil::ttText;
    String Text = CellDisplayText(C, Type);

    // Layers that may reach past an unclipped cell: the filter glyph, wallpaper and gradient
    // backdrops, the selection rectangle, markup and rich text, the filter editor's image.
    if (C.Unclipped) {
        TBackGround* BG = FOpt.FBackGround.get();
        TBitmap* B = BG->GetBitmap();
        if (C.FilterGlyph || (B && !B->GetEmpty()) || BG->GetDisplay() == bdGradientHorz ||
            BG->GetDisplay() == bdGradientVert || GetSelectionRectangle() || Type == QorUtil::ttHTML ||
            Type == QorUtil::ttRTF || FText.FTextOffset.X < 0 || FText.FTextOffset.Y < 0 ||
            HasFilterEdit(C.OCol, C.ARow))
            C.ClipToCell();
    }

    // 5. The text rectangle; a scrolled cell clips to itself.
    TRect R = C.Rect;
    if (C.IsFixedCell) {
        R.Left += GetGridLineWidth();
        R.Top += GetGridLineWidth();
    }
    std::optional<TClipScope> Clip;
    if (C.ScrollOffset > 0) {
        Clip.emplace(DC);
        ::IntersectClipRect(DC, C.Rect.Left, C.Rect.Top, C.Rect.Right, C.Rect.Bottom);
        R.Top -= C.ScrollOffset;
    }

    // 6. The filter glyph of the column's drop-down.
    if (C.FilterGlyph) {
        TFilterDropDown* FD = FOpt.FFilterDropDown.get();
        const bool Active = FOpt.FFilter && FOpt.FFilter->HasFilter(C.ACol);
        TBitmap* G = Active ? FD->GetGlyphActive() : FD->GetGlyph();
        if (!G || G->GetEmpty())
            QorUtil::DrawBitmapResourceTransp(Cv, GetFixedColor(), TRect(R.Right - 16, R.Top, R.Right, R.Top + 16),
                                              L"JYRFILT");
        else {
            G->SetTransparent(true);
            Cv->Draw(R.Right - 16, R.Top, G);
        }
    }

    // 7. A merged sort header leaves room for the indicator.
    TSortSettings* SS = FOpt.FSortSettings.get();
    if (SS->GetShow() && SS->GetColumn() == C.OCol && HasCellProperties(C.ACol, C.ARow) &&
        IsMergedCell(C.ACol, C.ARow)) {
        const TCellProperties* P = GetCellProperties(C.ACol, C.ARow);
        if (SS->GetRow() >= C.ARow && SS->GetRow() <= C.ARow + P->GetCellSpanY()) R.Right -= 12;
    }

    // 8. Disjunct selections outside the selected rows or columns take their normal colours.
    TMouseActions* MA = FOpt.FMouseActions.get();
    if (!C.IsFixedCell && !FSel.FMouseDown &&
        ((MA->GetDisjunctRowSelect() && !GetRowSelect(C.RRow)) || (MA->GetDisjunctColSelect() && !GetColSelect(C.OCol)))) {
        Cv->GetBrush()->SetColor(GetColor());
        Cv->GetFont()->SetColor(GetFont()->GetColor());
        GetCellColor(C.ACol, C.ARow, C.AState, Cv->GetBrush(), Cv->GetFont());
        if (FDims.FZoomFactor != 0) Cv->GetFont()->SetSize(std::max(1, Cv->GetFont()->GetSize() + FDims.FZoomFactor));
        C.LinkColor = GetURLColor();
    }

    // 9 - 11. Wallpaper, gradient background, selection rectangle.
    PaintCellBackdrops(C, R);
    PaintSelectionRectangle(C, R);

    // 12.
    if (!C.DisplText) return;

    // 13. The text inset.
    const TPoint Off = FText.FTextOffset;
    R.Left += Off.X;
    R.Top += Off.Y;
    if (!FPaint.FXYOffsetTopLeftOnly) R.Right -= Off.X;
    C.MaxTextHeight = PaintTextHeight(Cv);

    // 14. The widget's room.
    TakeWidgetRoom(C, R);

    // 15. The filter editor's type image and placeholder.
    String Placeholder;
    if (HasFilterEdit(C.OCol, C.ARow)) {
        const TFilterType FT = FOpt.FFilter ? FOpt.FFilter->HasFilterType(C.ACol) : ftNone;
        if (TImageList* IL = GetFilterImages()) IL->Draw(Cv, R.Left, R.Top, int(FT), true);
        R.Left += 18;
        C.Indent += 18;
        TStringList* Names = FOpt.FFilterEdit->GetTypeNames();
        if (Names && int(FT) >= 0 && int(FT) < Names->Count()) Placeholder = Names->Get(int(FT));
    }
    C.TextRect = R;

    // 16 - 18.
    switch (Type) {
    case QorUtil::ttHTML: DrawHTMLCellText(C, Text, R); break;
    case QorUtil::ttRTF: DrawRTFCellText(C, R); break;
    default: DrawPlainCellText(C, Text, R, Placeholder); break;
    }
    // 19. The clip of step 5 goes with Clip.
}

// ---- Rich text ----------------------------------------------------------------------------------------------

void TQorStringGrid::RTFPaint(int ACol, int ARow, TRect ARect, TCanvas* Canvas)
{
    // A page rectangle runs upward (MM_LOMETRIC: Top above Bottom); only a flat one is empty.
    if (!Canvas || ARect.Right <= ARect.Left || ARect.Top == ARect.Bottom) return;
    TQorRichEdit* RE = GetRichEdit();
    if (!RE->HandleAllocated()) {
        if (!HandleAllocated()) return;
        RE->HandleNeeded();
    }
    const int RCol = RemapCol(ACol);
    CellToRich(RCol, ARow, RE);
    const HWND RH = RE->GetHandle();
    ::SendMessageW(RH, EM_SETBKGNDCOLOR, 0, LPARAM(ColorToRGB(GetColor())));

    // Selected cells show their text in the selection's text colour.
    const bool Focused = GridHasFocus();
    const bool FocusCell = Focused && !GetOptions().Contains(goDrawFocusSelected) && ACol == GetCol() && ARow == GetRow();
    TMouseActions* MA = FOpt.FMouseActions.get();
    const bool InSel = (!MA->GetDisjunctRowSelect() && IsSelected(ACol, ARow) && !FocusCell) ||
                       (MA->GetDisjunctRowSelect() && GetRowSelect(ARow)) ||
                       (MA->GetDisjunctColSelect() && GetColSelect(ACol));
    HDC DC = Canvas->GetHandle();
    if (InSel && !GetSelectionRTFKeep() && ::GetMapMode(DC) == MM_TEXT && GetSelectionTextColor() != clNone) {
        CHARRANGE All{0, -1};
        ::SendMessageW(RH, EM_EXSETSEL, 0, LPARAM(&All));
        CHARFORMAT2W CF{};
        CF.cbSize = sizeof(CF);
        CF.dwMask = CFM_COLOR;
        CF.crTextColor = COLORREF(ColorToRGB(GetSelectionTextColor()));
        ::SendMessageW(RH, EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&CF));
    }

    // Device units, densities (96 when a device reports none), the inset in logical units.
    POINT Corners[2] = {{ARect.Left, ARect.Top}, {ARect.Right, ARect.Bottom}};
    ::LPtoDP(DC, Corners, 2);
    int DX = ::GetDeviceCaps(DC, LOGPIXELSX), DY = ::GetDeviceCaps(DC, LOGPIXELSY);
    if (DX <= 0) DX = 96;
    if (DY <= 0) DY = 96;
    POINT Inset = {FText.FRTFOffset.X, FText.FRTFOffset.Y};
    ::LPtoDP(DC, &Inset, 1);
    const double IX = Inset.x * DX / 96.0, IY = Inset.y * DY / 96.0;
    const int W = Corners[1].x - Corners[0].x, H = Corners[1].y - Corners[0].y;
    auto Twips = [](double Pixels, int Density) { return int(std::nearbyint(Pixels / Density * 1440)); };
    FORMATRANGE FR{};
    FR.hdc = DC;
    FR.hdcTarget = DC;
    FR.rc.left = Twips(Corners[0].x + IX, DX);
    FR.rc.top = Twips(Corners[0].y + IY, DY);
    FR.rc.right = FR.rc.left + Twips(W - 2 * IX, DX);
    FR.rc.bottom = FR.rc.top + Twips(H - 2 * IY, DY);
    FR.rcPage = FR.rc;
    FR.chrg.cpMin = 0;
    FR.chrg.cpMax = -1;

    const int OldMode = ::SetMapMode(DC, MM_TEXT);
    // The rich edit draws with its own objects; the canvas's come back afterwards.
    const int Saved = ::SaveDC(DC);
    const LRESULT Rendered = ::SendMessageW(RH, EM_FORMATRANGE, TRUE, LPARAM(&FR));
    ::SendMessageW(RH, EM_FORMATRANGE, 0, 0);
    ::RestoreDC(DC, Saved);
    ::SetMapMode(DC, OldMode);

    // A rich edit that renders nothing into this device (some systems' controls do not format
    // ranges) must not leave the cell blank: its plain text is drawn in the canvas's font.
    if (Rendered == 0 && ::GetWindowTextLengthW(RH) > 0) {
        const String Plain = RE->GetText();
        TRect TR(ARect.Left + FText.FRTFOffset.X, ARect.Top + FText.FRTFOffset.Y, ARect.Right - FText.FRTFOffset.X,
                 ARect.Bottom - FText.FRTFOffset.Y);
        Canvas->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
        const int OldBk = ::SetBkMode(DC, TRANSPARENT);
        RECT W{TR.Left, TR.Top, TR.Right, TR.Bottom};
        ::DrawTextW(DC, Plain.c_str(), int(Plain.size()), &W, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
        ::SetBkMode(DC, OldBk);
    }
}

// ---- Turned text -----------------------------------------------------------------------------------------

TPoint RotatedTextExtent(int W, int H, int WForHeight, int Angle, bool RoundProducts)
{
    const double a = Angle * 3.14159265358979323846 / 180.0;
    const double s = std::fabs(std::sin(a)), c = std::fabs(std::cos(a));
    auto Part = [RoundProducts](double v) { return int(RoundProducts ? Round(v) : std::trunc(v)); };
    return TPoint(Part(c * std::abs(W)) + Part(s * std::abs(H)), Part(s * std::abs(WForHeight)) + Part(c * std::abs(H)));
}

// ---- Measuring -------------------------------------------------------------------------------------------

void TQorStringGrid::SetMeasureFont(int ACol, int RCol, int ARow)
{
    TCanvas* Cv = GetCanvas();
    TGridDrawState State;
    GetFontProperties(ACol, RCol, ARow, State, Cv->GetFont(), Cv->GetBrush(), false);
    if (IsFixedCellOf(ACol, ARow) && GetActiveCellShow() && GetActiveCellFont()->GetStyle().Contains(fsBold))
        Cv->GetFont()->SetStyle(Cv->GetFont()->GetStyle() + TFontStyles{fsBold});
    if (FDims.FZoomFactor != 0)
        Cv->GetFont()->SetSize(std::max(1, Cv->GetFont()->GetSize() + FDims.FZoomFactor));
}

TPoint TQorStringGrid::PlainTextExtent(HDC DC, String Text, TRect R, bool VS, bool ColSize, bool Rotated,
                                       bool Editing)
{
    auto Extent = [DC](const String& s) {
        SIZE S{0, 0};
        ::GetTextExtentPoint32W(DC, s.c_str(), int(s.size()), &S);
        return TPoint(S.cx, S.cy);
    };
    TPoint Size(0, 0);
    if (VS) {
        if (Editing && !Text.empty() && Text.back() == L'\n') Text += L'w';
        if (ColSize) R.Right = 65535;
        if (!GetURLFull() && QorUtil::IsURL(Text)) QorUtil::StripURLProtocol(Text);
        if (Text.empty()) return Size;
        // One line without tabs that fits the width is its extent; anything else is laid out.
        if (Text.find_first_of(L"\r\n\t") == String::npos) {
            const TPoint E = Extent(Text);
            if (E.X <= R.Width()) return E;
        }
        RECT M{R.Left, R.Top, R.Right, R.Bottom};
        const UINT Flags = DT_CALCRECT | (Rotated ? DT_SINGLELINE : DT_WORDBREAK) | DT_NOPREFIX | DT_EXPANDTABS |
                           DT_EDITCONTROL;
        const int H = ::DrawTextW(DC, Text.c_str(), int(Text.size()), &M, Flags);
        Size = TPoint(M.right - M.left, H);
    } else if (!Text.empty()) {
        String Rest = Text;
        const int LH = Extent(L"gh").Y;
        int Lines = 0, Widest = 0;
        while (!Rest.empty() || Lines == 0) {
            String Line = QorUtil::GetNextLine(Rest, FDims.FMultilinecells);
            if (!GetURLFull() && QorUtil::IsURL(Line)) QorUtil::StripURLProtocol(Line);
            Widest = std::max(Widest, Extent(Line).X);
            ++Lines;
            if (!FDims.FMultilinecells) break;
        }
        Size = TPoint(Widest, Lines * LH);
    }
    return Size;
}

TPoint TQorStringGrid::GetCellTextSize(int RCol, int ARow, bool VS, bool SB)
{
    return GetCellTextSizeInt(DisplColIndex(RCol), RCol, ARow, false, VS, SB);
}

TPoint TQorStringGrid::GetCellTextSizeInt(int ACol, int RCol, int ARow, bool ColSize, bool VS, bool SB)
{
    // 1. The text.
    const bool Editing = GetEditorMode() && ACol == GetCol() && ARow == GetRow();
    String Text;
    if (Editing && GetInplaceEditor()) Text = GetInplaceEditor()->GetText();
    else Text = GetFormattedCell(RCol, ARow);
    TTextType Type = QorUtil::TextType(Text, GetEnableHTML());

    // 2. The font, zoomed.
    TCanvas* Cv = GetCanvas();
    SetMeasureFont(ACol, RCol, ARow);
    if (Type == QorUtil::ttFormula) {
        Text = CalcCell(RCol, ARow);
        Type = QorUtil::TextType(Text, GetEnableHTML());
    }

    // 3. The room.
    TRect R = CellRect(ACol, ARow);
    if (R.IsEmpty()) {
        const TPoint S = CellSize(RCol, ARow);
        R = TRect(0, 0, S.X, S.Y);
    }
    const TPoint Off = FText.FTextOffset;
    R.Left += Off.X + 1;
    R.Top += Off.Y + 1;
    if (!FPaint.FXYOffsetTopLeftOnly) {
        R.Right -= Off.X + 1;
        R.Bottom -= Off.Y;
    }
    if (SB) R.Right -= 17;
    TControlLook* CL = FOpt.FControlLook.get();
    TEditorType Editor = GetDefaultEditor();
    GetCellEditor(RCol, ARow, Editor);
    const bool DropEditor = Editor == edComboEdit || Editor == edComboList || Editor == edEditBtn ||
                            (Editor >= edTrackbarDropDown && Editor <= edQorGridDropDown);
    if ((CL->GetDropDownAlwaysVisible() && DropEditor) ||
        (CL->GetSpinButtonsAlwaysVisible() && (Editor == edSpinEdit || Editor == edFloatSpinEdit)))
        R.Right -= 17;

    // 4. Markup.
    if (Type == QorUtil::ttHTML) {
        if (ColSize) R.Right = 65535;
        R.Bottom = 65535;
        JyrHTMLE::THTMLDrawRequest Q;
        Q.Canvas = Cv;
        Q.fr = R;
        Q.Images = GetCellImageList(RCol, ARow);
        Q.CheckHeight = true;
        Q.WordWrap = true;
        Q.PictureCache = FLists.FImageCache.get();
        Q.PictureContainer = FOpt.FPictureContainer;
        JyrHTMLE::THTMLDrawResult Res;
        JyrHTMLE::HTMLDraw(Text, Q, Res);
        return TPoint(Res.XSize + 2, Res.YSize + 2);
    }

    // 5. Rich text: its plain text in the control's font.
    TQorRichEdit* RE = nullptr;
    if (Type == QorUtil::ttRTF && HandleAllocated()) {
        RE = GetRichEdit();
        RE->Clear();
        RE->SetBounds(0, 0, R.Width(), R.Height());
        RE->SetWordWrap(false);
        CellToRich(RCol, ARow, RE);
        Text = RE->GetText();
    }

    // 6. Rotation.
    int Angle = 0;
    const bool Rotated = IsRotated(RCol, ARow, Angle);

    // 7. The text's extent.
    Cv->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
    TPoint Size = PlainTextExtent(Cv->GetHandle(), std::move(Text), R, VS, ColSize, Rotated, Editing);

    // 8. A rotated text's bounding box: the products added (a square text at 45 degrees is wider
    // than its side, never narrower).
    if (Rotated) {
        Size = RotatedTextExtent(Size.X, Size.Y, Size.X, Angle, false);
        Size.X += 12;
        Size.Y += 12;
    }

    // 9. Rich text: at least the size the control asked for.
    if (RE) {
        RE->SetBounds(0, 0, R.Width(), R.Height());
        RE->SetWordWrap(true);
        RE->SetWordWrap(false);
        RE->SetWordWrap(FWordWrap);
        if (RE->HandleAllocated())
            ::SetWindowLongPtrW(RE->GetHandle(), GWL_EXSTYLE,
                                ::GetWindowLongPtrW(RE->GetHandle(), GWL_EXSTYLE) | WS_EX_TRANSPARENT);
        Size.X = std::max(Size.X, RE->GetReqWidth());
        Size.Y = std::max(Size.Y, RE->GetReqHeight() + 4);
    }
    return Size;
}
