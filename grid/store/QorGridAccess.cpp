// TQorStringGrid: cell access by real row (hidden rows included), by display column, by original
// column and by unsorted row; plain text and links of a cell; rich text through the hidden rich
// edit; the per-cell look accessors and the row colours; the width of any real column; the in-place
// editor's text; controls placed in cells; sizing asked of the application; grid-wide settings and
// zoom. Index systems: grid/view/HiddenRowMap.h.
#include "grid/QorGrid.h"

#include "graphics/JyrHTMLText.h"
#include "graphics/QorUtilText.h"
#include "framework/Forms.h"
#include "grid/input/HTMLHintWindow.h"
#include "grid/input/QorRichEdit.h"
#include "grid/view/GridItem.h"

#include <algorithm>

// ---- By real row ------------------------------------------------------------------------------------------

TGridItem* TQorStringGrid::HiddenRow(int RealRow)
{
    if (RealRow < 0 || FLists.FGridItems.Empty()) return nullptr;
    const int Slot = HiddenMap().SlotOf(RealRow);
    return Slot < 0 ? nullptr : &FLists.FGridItems[Slot];
}

String TQorStringGrid::GetCellsEx(int RCol, int RealRow)
{
    if (RCol < 0 || RealRow < 0) return String();
    if (TGridItem* L = HiddenRow(RealRow)) {
        String Value = L->GetCell(RCol);
        GetDisplText(RCol, RealRow, Value);
        return Value;
    }
    return GetCellEx(RCol, RemapRow(RealRow));
}

void TQorStringGrid::SetCellsEx(int RCol, int RealRow, const String& Value)
{
    if (RCol < 0 || RealRow < 0) return;
    if (TGridItem* L = HiddenRow(RealRow)) {
        L->SetCell(RCol, Value);
        return;
    }
    const int ARow = RemapRow(RealRow);
    SetCellEx(RCol, ARow, Value);
    RepaintStored(RCol, ARow);
}

String TQorStringGrid::GetGridCellsEx(int RCol, int RealRow)
{
    if (RCol < 0 || RealRow < 0) return String();
    if (TGridItem* L = HiddenRow(RealRow)) return L->GetCell(RCol);
    return GetGridCell(RCol, RemapRow(RealRow));
}

void TQorStringGrid::SetGridCellsEx(int RCol, int RealRow, const String& Value)
{
    if (RCol < 0 || RealRow < 0) return;
    if (TGridItem* L = HiddenRow(RealRow)) {
        L->SetCell(RCol, Value);
        return;
    }
    const int ARow = RemapRow(RealRow);
    SetGridCell(RCol, ARow, Value);
    RepaintStored(RCol, ARow);
}

void TQorStringGrid::RepaintStored(int RCol, int ARow)
{
    const int d = DisplColIndex(RCol);
    if (d != RCol) RepaintCell(d, ARow);
}

NativeUInt TQorStringGrid::GetObjectsEx(int RCol, int RealRow)
{
    if (RCol < 0 || RealRow < 0) return 0;
    if (TGridItem* L = HiddenRow(RealRow)) {
        TObject* O = L->GetObject(RCol);
        if (auto* P = dynamic_cast<TCellProperties*>(O)) return P->GetCellObject();
        return reinterpret_cast<NativeUInt>(O);
    }
    return GetObjectEx(RCol, RemapRow(RealRow));
}

void TQorStringGrid::SetObjectsEx(int RCol, int RealRow, NativeUInt AObject)
{
    if (RCol < 0 || RealRow < 0) return;
    if (TGridItem* L = HiddenRow(RealRow)) {
        auto* P = dynamic_cast<TCellProperties*>(L->GetObject(RCol));
        if (!P) {
            // Properties of their own for the hidden cell, with the grid's default look.
            P = DetachedProps(RCol, std::min(GetFixedRows(), GetRowCount() - 1));
            L->SetObject(RCol, P);
        }
        P->SetCellObject(AObject);
        return;
    }
    SetObjectEx(RCol, RemapRow(RealRow), AObject);
}

TObject* TQorStringGrid::GetAllGraphicsObject(int RCol, int RealRow)
{
    if (RCol < 0 || RealRow < 0) return nullptr;
    if (TGridItem* L = HiddenRow(RealRow)) return L->GetObject(RCol);
    return GetGridObject(RCol, RemapRow(RealRow));
}

// ---- By display, original and unsorted index -------------------------------------------------------------

String TQorStringGrid::GetRealCell(int ACol, int ARow)
{
    return GetCellEx(RealColIndex(ACol), ARow);
}

void TQorStringGrid::SetRealCell(int ACol, int ARow, const String& Value)
{
    SetCellEx(RealColIndex(ACol), ARow, Value);
}

String TQorStringGrid::GetOriginalCells(int OCol, int ARow)
{
    const int Pos = ColumnPosition(OCol);
    return GetCellEx(Pos == -1 ? OCol : Pos, ARow);
}

void TQorStringGrid::SetOriginalCells(int OCol, int ARow, const String& Value)
{
    const int Pos = ColumnPosition(OCol);
    SetCellEx(Pos == -1 ? OCol : Pos, ARow, Value);
}

int TQorStringGrid::SortedRowIndex(int ARow)
{
    TIntList* X = FLists.FSortRowXRef.get();
    return ARow >= 0 && ARow < X->Count() ? X->GetInteger(ARow) : ARow;
}

int TQorStringGrid::UnSortedRowIndex(int ARow)
{
    TIntList* X = FLists.FSortRowXRef.get();
    if (X->Count() == 0) return ARow;
    for (int k = 0; k < X->Count(); ++k)
        if (X->GetInteger(k) == ARow) return k;
    return X->Count();
}

String TQorStringGrid::GetUnSortedCell(int RCol, int URow)
{
    const int k = URow > FLists.FSortRowXRef->Count() ? URow : UnSortedRowIndex(URow);
    return GetCellEx(RCol, k);
}

void TQorStringGrid::SetUnSortedCell(int RCol, int URow, const String& Value)
{
    const int k = URow > FLists.FSortRowXRef->Count() ? URow : UnSortedRowIndex(URow);
    SetCellEx(RCol, k, Value);
}

// ---- Plain text and links -------------------------------------------------------------------------------------

namespace {

bool IsRichText(const String& Text)
{
    return Text.find(L"{\\") != String::npos;
}

// Rich text as the bytes a rich edit reads: characters beyond ASCII as \uN? escapes, so that no
// character is lost to the ANSI code page on the way.
String EscapedRichText(const String& Text)
{
    String Out;
    Out.reserve(Text.size());
    for (Char Ch : Text) {
        if (Ch < 0x80) {
            Out += Ch;
        } else {
            Out += L"\\u" + IntToStr(int(short(Ch))) + L"?";
        }
    }
    return Out;
}

}  // namespace

TQorRichEdit* TQorStringGrid::GetRichEdit()
{
    TQorRichEdit* R = FWin.FRichEdit;
    if (!R) {
        R = FWin.FRichEdit = Create<TQorRichEdit>(this);
        R->SetVisible(false);
        R->SetBorderStyle(bsNone);
        R->SetBounds(0, 0, 0, 0);
    }
    if (!R->GetParent()) {
        // A child of the grid once the grid can have a window; until then a message-only window
        // holds it, so that rich cells convert on a grid that is not on a form.
        TWinControl* Root = this;
        while (Root->GetParent()) Root = Root->GetParent();
        if (HandleAllocated() || dyn<TCustomForm>(Root) || Root->GetParentWindow()) {
            R->SetParentWindow(nullptr);
            R->SetParent(this);
        } else if (!R->GetParentWindow()) {
            R->SetParentWindow(HWND_MESSAGE);
        }
    }
    return R;
}

void TQorStringGrid::CellToRich(int RCol, int ARow, TQorRichEdit* Richeditor)
{
    if (!Richeditor) return;
    const String Text = GetCellEx(RCol, ARow);
    if (Text.empty()) {
        Richeditor->Clear();
        return;
    }
    if (Text.compare(0, 5, L"{\\rtf") != 0) {
        // Plain text goes in as it is (the control would read it as plain text anyway).
        Richeditor->SetText(Text);
        return;
    }
    TFreePtr<TStringStream> Stream(Create<TStringStream>(EscapedRichText(Text)));
    try {
        Richeditor->GetLines()->LoadFromStream(Stream.get());
    } catch (const Exception&) {
        // Text the control cannot read paints and measures as nothing.
        Richeditor->Clear();
    }
}

String TQorStringGrid::RichToString(TQorRichEdit* Richeditor)
{
    if (!Richeditor || IsDestroying()) return String();
    TFreePtr<TStringStream> Stream(Create<TStringStream>());
    Richeditor->GetLines()->SaveToStream(Stream.get());
    return Stream->GetDataString();
}

void TQorStringGrid::RichToCell(int RCol, int ARow, TQorRichEdit* Richeditor)
{
    SetCellEx(RCol, ARow, RichToString(Richeditor));
}

void TQorStringGrid::RichSelChange(TObject*)
{
    if (OnRichEditSelectionChange) OnRichEditSelectionChange(this);
}

String TQorStringGrid::GetStrippedCell(int RCol, int ARow)
{
    const String Text = GetCellEx(RCol, ARow);
    if (!IsRichText(Text)) return JyrHTMLE::HTMLStrip(Text);
    TQorRichEdit* R = GetRichEdit();
    CellToRich(RCol, ARow, R);
    String Plain = R->GetText();
    // The control ends its last paragraph with a line break the cell's text does not have.
    while (!Plain.empty() && (Plain.back() == L'\r' || Plain.back() == L'\n')) Plain.pop_back();
    return Plain;
}

int TQorStringGrid::GetLinesInCell(int RCol, int ARow)
{
    return QorUtil::LinesInText(GetCellEx(RCol, ARow), true);
}

bool TQorStringGrid::HasHyperlink(int RCol, int ARow)
{
    return QorUtil::IsURL(GetCellEx(RCol, ARow));
}

namespace {

// The first prefix of the list that the lower-cased text holds, and where; npos when none.
size_t FindLink(const String& Lower)
{
    for (const wchar_t* Prefix : QorGridConsts::SLinkPrefixes)
        if (size_t p = Lower.find(Prefix); p != String::npos) return p;
    return String::npos;
}

}  // namespace

String TQorStringGrid::GetHyperlink(int RCol, int ARow)
{
    // Searched in lower case; returned as written (paths and queries are case-sensitive).
    const String t = GetCellEx(RCol, ARow);
    const size_t p = FindLink(AnsiLowerCase(t));
    if (p == String::npos) return String();
    String s = t.substr(p);
    if (size_t q = s.find(L'"'); q != String::npos) s.erase(q);
    else if (size_t q1 = s.find(L'\''); q1 != String::npos) s.erase(q1);
    return s;
}

void TQorStringGrid::GetHyperlinkDetails(int RCol, int ARow, String& URL, String& Text)
{
    URL.clear();
    Text.clear();
    const String Cell = GetCellEx(RCol, ARow);
    const size_t p = FindLink(AnsiLowerCase(Cell));
    if (p == String::npos) return;
    String s = Cell.substr(p);
    String t = s;
    if (size_t q = s.find(L'"'); q != String::npos) {
        t = t.substr(q);
        s.erase(q);
        if (size_t g = t.find(L'>'); g != String::npos) {
            t.erase(0, g + 1);
            if (size_t l = t.find(L'<'); l != String::npos) Text = t.substr(0, l);
        }
    } else if (size_t q1 = s.find(L'\''); q1 != String::npos) {
        s.erase(q1);
    }
    URL = s;
}

// ---- Per-cell look ---------------------------------------------------------------------------------------------

template <class F>
void TQorStringGrid::SetCellLook(int RCol, int ARow, bool RepaintAlways, F Apply)
{
    Apply(GetCellProperties(RCol, ARow));
    if (RepaintAlways || FRun.FUpdateCount == 0) RepaintCell(DisplColIndex(RCol), ARow);
}

namespace {

// A getter's answer: the record's value, or the default without a record.
template <class T, class G>
T LookOf(TQorStringGrid& Grid, int RCol, int ARow, T Default, G Get)
{
    return Grid.HasCellProperties(RCol, ARow) ? Get(Grid.GetCellProperties(RCol, ARow)) : Default;
}

}  // namespace

TColor TQorStringGrid::GetColors(int RCol, int ARow)
{
    return LookOf(*this, RCol, ARow, clNone, [](TCellProperties* P) { return P->GetBrushColor(); });
}

void TQorStringGrid::SetColors(int RCol, int ARow, TColor Value)
{
    SetCellLook(RCol, ARow, false, [&](TCellProperties* P) { P->SetBrushColor(Value); });
}

TColor TQorStringGrid::GetColorsTo(int RCol, int ARow)
{
    return LookOf(*this, RCol, ARow, clNone, [](TCellProperties* P) { return P->GetBrushColorTo(); });
}

void TQorStringGrid::SetColorsTo(int RCol, int ARow, TColor Value)
{
    SetCellLook(RCol, ARow, true, [&](TCellProperties* P) { P->SetBrushColorTo(Value); });
}

TCellGradientDirection TQorStringGrid::GetGradientDir(int RCol, int ARow)
{
    return LookOf(*this, RCol, ARow, GradientVertical, [](TCellProperties* P) { return P->GetGradientDirection(); });
}

void TQorStringGrid::SetGradientDir(int RCol, int ARow, TCellGradientDirection Value)
{
    SetCellLook(RCol, ARow, true, [&](TCellProperties* P) { P->SetGradientDirection(Value); });
}

bool TQorStringGrid::GetReadOnly(int RCol, int ARow)
{
    return LookOf(*this, RCol, ARow, false, [](TCellProperties* P) { return P->GetReadOnly(); });
}

void TQorStringGrid::SetReadOnly(int RCol, int ARow, bool Value)
{
    SetCellLook(RCol, ARow, false, [&](TCellProperties* P) { P->SetReadOnly(Value); });
}

bool TQorStringGrid::GetWordWraps(int RCol, int ARow)
{
    return GetCellProperties(RCol, ARow)->GetWordWrap();
}

void TQorStringGrid::SetWordWraps(int RCol, int ARow, bool Value)
{
    SetCellLook(RCol, ARow, false, [&](TCellProperties* P) { P->SetWordWrap(Value); });
}

TColor TQorStringGrid::GetFontColors(int RCol, int ARow)
{
    return LookOf(*this, RCol, ARow, clNone, [](TCellProperties* P) { return P->GetFontColor(); });
}

void TQorStringGrid::SetFontColors(int RCol, int ARow, TColor Value)
{
    SetCellLook(RCol, ARow, false, [&](TCellProperties* P) { P->SetFontColor(Value); });
}

TFontStyles TQorStringGrid::GetFontStyles(int RCol, int ARow)
{
    return LookOf(*this, RCol, ARow, TFontStyles(), [](TCellProperties* P) { return P->GetFontStyle(); });
}

void TQorStringGrid::SetFontStyles(int RCol, int ARow, TFontStyles Value)
{
    SetCellLook(RCol, ARow, false, [&](TCellProperties* P) { P->SetFontStyle(Value); });
}

String TQorStringGrid::GetFontNames(int RCol, int ARow)
{
    return LookOf(*this, RCol, ARow, String(GetFont()->GetName()), [](TCellProperties* P) { return P->GetFontName(); });
}

void TQorStringGrid::SetFontNames(int RCol, int ARow, const String& Value)
{
    SetCellLook(RCol, ARow, false, [&](TCellProperties* P) { P->SetFontName(Value); });
}

namespace {

int ScreenPixelsY(TWinControl* Control)
{
    if (!Control->HandleAllocated()) return 96;
    TClientDC DC(Control->GetHandle());
    return GetDeviceCaps(DC, LOGPIXELSY);
}

}  // namespace

int TQorStringGrid::GetFontSizes(int RCol, int ARow)
{
    const int h = LookOf(*this, RCol, ARow, GetFont()->GetHeight(), [](TCellProperties* P) { return P->GetFontHeight(); });
    return MulDiv(-h, 72, ScreenPixelsY(this));
}

void TQorStringGrid::SetFontSizes(int RCol, int ARow, int Value)
{
    const int h = -MulDiv(Value, ScreenPixelsY(this), 72);
    SetCellLook(RCol, ARow, false, [&](TCellProperties* P) { P->SetFontHeight(h); });
}

TAlignment TQorStringGrid::GetAlignments(int RCol, int ARow)
{
    return LookOf(*this, RCol, ARow, taLeftJustify, [](TCellProperties* P) { return P->GetAlignment(); });
}

void TQorStringGrid::SetAlignments(int RCol, int ARow, TAlignment Value)
{
    SetCellLook(RCol, ARow, false, [&](TCellProperties* P) { P->SetAlignment(Value); });
}

void TQorStringGrid::SetCellFont(int RCol, int ARow, TFont* AFont)
{
    if (!AFont) return;
    SetCellLook(RCol, ARow, false, [&](TCellProperties* P) {
        P->SetFontName(AFont->GetName());
        P->SetFontHeight(AFont->GetHeight());
        P->SetFontStyle(AFont->GetStyle());
        P->SetFontColor(AFont->GetColor());
    });
}

// ---- Row colours --------------------------------------------------------------------------------------------------

namespace {

// Whether cell properties hold nothing but what a fresh record holds: a record left like that
// after a colour reset may go. Merged cells, user objects, widgets and controls keep theirs.
using TColorSetter = void (TCellProperties::*)(TColor);

bool AtDefaults(TCellProperties* P, TCellProperties* Fresh, TColorSetter Reset)
{
    // The colour being reset is left out: it is clNone now, whatever a fresh record starts with.
    const bool Brush = Reset == &TCellProperties::SetBrushColor || P->GetBrushColor() == Fresh->GetBrushColor();
    const bool BrushTo = Reset == &TCellProperties::SetBrushColorTo || P->GetBrushColorTo() == Fresh->GetBrushColorTo();
    const bool Font = Reset == &TCellProperties::SetFontColor || P->GetFontColor() == Fresh->GetFontColor();
    return P->GetIsBaseCell() && P->GetCellSpanX() == -1 && P->GetCellSpanY() == -1 && !P->GetCellObject() &&
           !P->GetGraphicObject() && !P->GetControl() && !P->GetCalcObject() &&
           Brush && BrushTo && Font && P->GetFontStyle() == Fresh->GetFontStyle() &&
           P->GetFontName() == Fresh->GetFontName() && P->GetFontHeight() == Fresh->GetFontHeight() &&
           P->GetAlignment() == Fresh->GetAlignment() && P->GetVAlignment() == Fresh->GetVAlignment() &&
           P->GetWordWrap() == Fresh->GetWordWrap() && P->GetReadOnly() == Fresh->GetReadOnly() &&
           P->GetEditor() == Fresh->GetEditor() && P->GetBorderWidth() == Fresh->GetBorderWidth() &&
           P->GetNodeLevel() == Fresh->GetNodeLevel() && P->GetBrushStyle() == Fresh->GetBrushStyle() &&
           P->GetGradientDirection() == Fresh->GetGradientDirection();
}

}  // namespace

TCellProperties* TQorStringGrid::DetachedProps(int RCol, int ARow)
{
    // Made in the cell's slot, which then gets back what it held.
    RCol = std::clamp(RCol, 0, AllCols() - 1);
    ARow = std::max(ARow, 0);
    TObject* Held = GetObjects(RCol, ARow);
    TCellProperties* P = CreateCellProperties(RCol, ARow);
    SetObjects(RCol, ARow, Held);
    return P;
}

void TQorStringGrid::SetRowLook(int ARow, TColor AColor, void (TCellProperties::*Setter)(TColor))
{
    // A reset to clNone resets only the colour: a record goes only when nothing else is left in it.
    TFreePtr<TCellProperties> Fresh(DetachedProps(GetFixedCols(), ARow));
    for (int c = GetFixedCols(); c < AllCols(); ++c) {
        if (AColor == clNone && !HasCellProperties(c, ARow)) continue;
        TCellProperties* P = GetCellProperties(c, ARow);
        (P->*Setter)(AColor);
        if (AColor == clNone && AtDefaults(P, Fresh.get(), Setter)) ClearPropCell(c, ARow);
    }
    RepaintRow(ARow);
}

void TQorStringGrid::SetRowColor(int ARow, TColor AColor)
{
    SetRowLook(ARow, AColor, &TCellProperties::SetBrushColor);
}

void TQorStringGrid::SetRowColorTo(int ARow, TColor AColor)
{
    SetRowLook(ARow, AColor, &TCellProperties::SetBrushColorTo);
}

void TQorStringGrid::SetRowFontColor(int ARow, TColor AColor)
{
    SetRowLook(ARow, AColor, &TCellProperties::SetFontColor);
}

// ---- Widths of real columns ------------------------------------------------------------------------------------

void TQorStringGrid::SetAllColWidths(int RCol, int Value)
{
    if (RCol < 0 || RCol >= int(FDims.FAllColWidths.size())) return;
    FDims.FAllColWidths[size_t(RCol)] = Value;
    if (!IsHiddenColumn(RCol)) SetColWidths(DisplColIndex(RCol), Value);
}

// ---- In-place editor text ---------------------------------------------------------------------------------

String TQorStringGrid::GetEditText(int ACol, int ARow)
{
    FEdit.FNoEditChange = true;
    const TPoint B = BaseCell(RealColIndex(ACol), ARow);
    const String Text = inherited::GetEditText(B.X, B.Y);
    return FText.FEditWithTags ? Text : JyrHTMLE::HTMLStrip(Text);
}

void TQorStringGrid::SetEditText(int ACol, int ARow, const String& Value)
{
    // Real column first: the merge records sit on real columns, so the base cell of a display
    // column taken before the mapping is another cell's once columns left of it are hidden.
    const TPoint B = BaseCell(RealColIndex(ACol), ARow);
    inherited::SetEditText(B.X, B.Y, Value);
}

// ---- Cell controls -----------------------------------------------------------------------------------------

TControl* TQorStringGrid::GetCellControls(int RCol, int ARow)
{
    return HasCellProperties(RCol, ARow) ? GetCellProperties(RCol, ARow)->GetControl() : nullptr;
}

void TQorStringGrid::SetCellControls(int RCol, int ARow, TControl* AControl)
{
    TControlList* L = FLists.FControlList.get();
    const int RealRow = RealRowIndex(ARow);
    const int Entry = L->ControlIndex(RCol, RealRow);
    if (!AControl) {
        if (!GetCellControls(RCol, ARow)) return;
        if (Entry >= 0) L->RemoveControl(Entry);
        FRun.FCellControlCount = std::max(FRun.FCellControlCount - 1, 0);
        GetCellProperties(RCol, ARow)->SetControl(nullptr);
        return;
    }
    if (Entry >= 0) L->RemoveControl(Entry);
    if (!GetCellControls(RCol, ARow)) ++FRun.FCellControlCount;
    L->AddControl(RCol, RealRow, AControl);
    GetCellProperties(RCol, ARow)->SetControl(AControl);
    AControl->SetParent(this);
    // The rectangle of the cell where it is shown: the control list and the record are by real
    // column, the screen by display column.
    const TRect R = CellRect(DisplColIndex(RCol), ARow);
    AControl->SetBounds(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
}

// ---- Sizing by mouse --------------------------------------------------------------------------------------

void TQorStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                     TGridDrawInfo& FixedInfo)
{
    inherited::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
    // The application may refuse sizing a column (from the fixed rows) or a row (from the fixed
    // columns); a refusal stops only the sizing it was asked about.
    const TGridCoord C = MouseCoord(X - 6, Y);
    if (C.Y >= 0 && C.Y < GetFixedRows() && C.X >= 0) {
        bool Allow = true;
        if (OnColumnSize) OnColumnSize(this, C.X, Allow);
        if (!Allow) {
            if (State == gsColSizing) State = gsNormal;
            FSel.FSizeFixed = false;
        }
    }
    const TGridCoord R = MouseCoord(X, Y - 6);
    if (R.X >= 0 && R.X < GetFixedCols() && R.Y >= 0) {
        bool Allow = true;
        if (OnRowSize) OnRowSize(this, R.Y, Allow);
        if (!Allow && State == gsRowSizing) State = gsNormal;
    }
}

// ---- Grid-wide settings ----------------------------------------------------------------------------------

void TQorStringGrid::SetFormatType(TFormatType Value)
{
    if (FText.FFormatType == Value) return;
    FText.FFormatType = Value;
    Invalidate();
}

void TQorStringGrid::SetIntegralHeight(bool Value)
{
    FDims.FIntegralHeight = Value;
    // The bounds handling fits the height to whole rows: apply the bounds again.
    SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
}

void TQorStringGrid::SetUseHTMLHints(bool Value)
{
    FHints.FUseHTMLHints = Value;
    Application->HintWindowClass = Value ? HintWindowClassOf<THTMLHintWindow>() : HintWindowClassOf<THintWindow>();
}

void TQorStringGrid::SetUseStyleServices(bool Value)
{
    if (FLookState.FUseStyleServices == Value) return;
    FLookState.FUseStyleServices = Value;
    InitVCLStyle(false);
}

void TQorStringGrid::Zoom(int x)
{
    const int z = FDims.FZoomFactor + x;
    if (z > 20 || z < -20) return;
    // The thumbs are left alone while every line changes, and worked out once at the end.
    FScroll.FScrollLock = true;
    FDims.FZoomFactor = z;
    {
        BeginUpdate();
        TScopeExit Batch([this] {
            FScroll.FScrollLock = false;
            EndUpdate();
        });
        for (int c = 0; c < GetColCount(); ++c) {
            const int w = GetColWidths(c);
            if (w > 0 && w + x > 0) SetColWidths(c, w + x);
        }
        for (int r = 0; r < GetRowCount(); ++r) {
            const int h = GetRowHeights(r);
            if (h > 0 && h + x > 0) SetRowHeights(r, h + x);
        }
    }
    if (FScroll.FScrollProportional && FScroll.FScrollType != ssMetro) {
        UpdateVScroller();
        UpdateHScroller();
    }
}
