// TQorStringGrid: sizing columns and rows to their contents, fitting the columns into the
// control, numbering a column or a row, swapping columns and cells, and the small text-layout
// computations that painting, printing and the exports share (text margins, the longest line of a
// column, the line count of a row, the start point of rotated text).
//
// Measuring is the cell painting's: GetCellTextSizeInt for a cell's text, GetCellGraphicSize for
// its widget. A column over many rows is sized without asking each cell for its visual properties
// where nothing per cell can change them (UniformTextLook): cells without a properties record,
// or with one that leaves the width alone (MeasuredAsItsColumn), share their column's font (one
// for the fixed cells, one for the others), so each distinct plain text is measured once: a
// single line of plain text by its extent, any other through the same PlainTextExtent that
// GetCellTextSizeInt uses.
#include "grid/QorGrid.h"

#include "grid/paint/CellGraphic.h"
#include "grid/sortfilter/QorFilterData.h"
#include "grid/store/QorGridOptions.h"
#include "grid/store/QorObj.h"
#include "grid/view/GridItem.h"

#include "graphics/QorUtilText.h"
#include "framework/Math.h"
#include "framework/WinScope.h"

#include <cmath>
#include <optional>
#include <typeinfo>
#include <unordered_map>

using QorUtil::CheckLimits;

namespace {

// The room the widgets beside a cell's text take when a column is sized to its contents.
constexpr int NodeGlyphRoom = 16;
constexpr int FilterGlyphRoom = 12;
constexpr int SortIndicatorRoom = 10;

// A measured plain text this wide or wider is measured again per cell: the cell's word-wrap
// rectangle (65535 pixels from the cell's left edge) may then break it.
constexpr int FastTextLimit = 32768;

// Distinct texts kept before the sizing looks whether they repeat enough to keep more.
constexpr int CacheProbe = 4096;

// Once no more texts are kept, looking each text up among the kept ones still pays while at
// least one lookup in this many finds its text: a lookup costs about a seventh of a measuring.
constexpr int LookupPays = 7;

// A text whose measured width is its GetTextExtentPoint32W extent in either wrap mode: one line
// without a tab, and nothing that makes it markup, rich text, a formula, a coded text or a link
// (whose protocol the measuring strips). Found in one pass; any other text takes TextType and
// PlainTextExtent.
bool IsSimpleLine(const String& s)
{
    if (s.empty() || s[0] == L'=' || s[0] == L'|' || s[0] == L'{') return false;
    for (const Char c : s)
        if (c == L'<' || c == L':' || c == L'\r' || c == L'\n' || c == L'\t') return false;
    return true;
}

}  // namespace

// ---- Text margins -------------------------------------------------------------------------------------

int TQorStringGrid::XOffsetSize() const
{
    return FText.FTextOffset.X * (FPaint.FXYOffsetTopLeftOnly ? 1 : 2);
}

int TQorStringGrid::YOffsetSize() const
{
    return FText.FTextOffset.Y * (FPaint.FXYOffsetTopLeftOnly ? 1 : 2);
}

// ---- Cells and columns together -------------------------------------------------------------------------

void TQorStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
    const int FirstCol = DoFixedCells ? 0 : GetFixedCols();
    const int FirstRow = DoFixedCells ? 0 : GetFixedRows();
    BeginUpdate();
    auto Done = ScopeExit([this] { EndUpdate(); });
    TCanvas* Cv = GetCanvas();
    const TPoint Off = FText.FTextOffset;
    for (int i = FirstCol; i < GetColCount(); ++i) {
        const int rc = RemapCol(i);
        int mw = FDims.FSizeGrowOnly ? GetColWidths(i) : 0;
        for (int j = FirstRow; j < GetRowCount(); ++j) {
            Cv->GetFont()->Assign(i < GetFixedCols() || j < GetFixedRows() ? GetFixedFont() : GetFont());
            GetCellColor(rc, j, TGridDrawState(), Cv->GetBrush(), Cv->GetFont());
            const TPoint g = GetCellGraphicSize(rc, j);
            const TPoint t = GetCellTextSize(rc, j, false, false);
            const int w = t.X + g.X + PaddingX + Off.X;
            const int h = t.Y + g.Y + PaddingY + Off.Y;
            if (!IsXMergedCell(rc, j) && w > mw) {
                const int v = CheckLimits(w, FDims.FMinColWidth, FDims.FMaxColWidth);
                if (v > mw) {
                    SetColWidths(i, v);
                    mw = v;
                }
            }
            if (!IsYMergedCell(rc, j) && h > GetRowHeights(j)) {
                const int v = CheckLimits(h, FDims.FMinRowHeight, FDims.FMaxRowHeight);
                if (v > GetRowHeights(j)) SetRowHeights(j, v);
            }
        }
    }
}

// ---- Columns ---------------------------------------------------------------------------------------------

void TQorStringGrid::SetPaddedWidth(int ACol, int Padding)
{
    if (Padding != 0)
        SetColWidths(ACol, CheckLimits(GetColWidths(ACol) + Padding, FDims.FMinColWidth, FDims.FMaxColWidth));
}

void TQorStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    const int First = DoFixedCols ? 0 : GetFixedCols();
    const int Last = DoFixedCols ? GetColCount() - 1 : GetColCount() - FDims.FFixedRightCols - 1;
    BeginUpdate();
    auto Done = ScopeExit([this] { EndUpdate(); });
    for (int c = First; c <= Last; ++c) AutoSizeCol(c, Padding);
}

void TQorStringGrid::AutoGrowColumns(bool DoFixedCols, int Padding)
{
    TValueScope<bool> Grow(FDims.FSizeGrowOnly, true);
    AutoSizeColumns(DoFixedCols, Padding);
}

void TQorStringGrid::AutoSizeCol(int ACol, int Padding)
{
    if (ACol < 0 || ACol >= GetColCount()) return;
    if (ACol == 0 && HasNodes()) {
        TCellNode* N = FOpt.FCellNode.get();
        int Glyph = 4;
        switch (N->GetNodeType()) {
        case cn3D: Glyph = 6; break;
        case cnGlyph: Glyph = N->GetExpandGlyph()->GetEmpty() ? 0 : N->GetExpandGlyph()->GetWidth() / 2; break;
        case cnLeaf: Glyph = 8; break;
        default: break;
        }
        int Deepest = 0;
        for (int r = 0; r < GetRowCount(); ++r)
            Deepest = std::max(Deepest, Glyph + GetNodeLevel(r) * N->GetNodeIndent());
        SetColWidths(0, Deepest);
    }
    SizeToWidth(ACol, FDims.FSizeGrowOnly);
    SetPaddedWidth(ACol, Padding);
}

void TQorStringGrid::AutoGrowCol(int ACol, int Padding)
{
    TValueScope<bool> Grow(FDims.FSizeGrowOnly, true);
    AutoSizeCol(ACol, Padding);
}

int TQorStringGrid::ContentExtras(int ACol, int RCol, int ARow, int W)
{
    if (ACol == 0 && IsNode(ARow)) W += NodeGlyphRoom;
    TControlLook* CL = FOpt.FControlLook.get();
    if (CL->GetDropDownAlwaysVisible() && HasCombo(RCol, ARow, edNone))
        W += int(Round(CL->GetDropDownButtonWidth() * FLookState.FDPIScale));
    if (FFilterState.FFilterDropDownAuto && ARow == FFilterState.FFilterDropDownRow && OnGetColumnFilter) {
        GetFilter(ACol, true, false);
        if (FLists.FFilterList && FLists.FFilterList->Count() > 0) W += FilterGlyphRoom;
    }
    if (ShouldDrawSortIndicator(ACol, ARow) &&
        (ACol == FOpt.FSortSettings->GetColumn() || FLists.FSortIndexes->FindIndex(ACol) >= 0))
        W += SortIndicatorRoom;
    return W;
}

int TQorStringGrid::ContentWidth(int ACol, int RCol, int ARow)
{
    const TPoint g = GetCellGraphicSize(RCol, ARow);
    const TPoint t = GetCellTextSizeInt(ACol, RCol, ARow, true, GetWordWrapEx(), false);
    const int W = ContentExtras(ACol, RCol, ARow, g.X + t.X);
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (G && G->FCellHAlign == haFull) return g.X - 2 * GetGridLineWidth() - FText.FTextOffset.X - 2;
    return W;
}

bool TQorStringGrid::UniformTextLook(int RCol)
{
    // A descendant may answer the per-cell hooks differently for every cell; so may the events.
    return typeid(*this) == typeid(TQorStringGrid) && !OnGetDisplText && !OnGetDisplWideText && !OnGetFloatFormat &&
           !OnGetCellColor && !(RCol == 0 && FOpt.FMouseActions->GetHotmailRowSelect());
}

bool TQorStringGrid::MeasuredAsItsColumn(int ACol, int RCol, int ARow)
{
    if (!HasCellProperties(RCol, ARow)) return true;
    // A foreign object in the cell's slot goes the per-cell way, as before.
    const auto* P = dyn<TCellProperties>(GetGridObject(RCol, ARow));
    if (!P || P->GetGraphicObject() || P->GetControl() || P->GetCellSpanX() != -1 || P->GetCellSpanY() > 0)
        return false;
    // The cell is measured in its class's font with the record's font values over it (a new
    // record copies the grid's font): the same font where each value is unset or the class's.
    TFont* F = IsFixedCellOf(ACol, ARow) ? GetFixedFont() : GetFont();
    return F->GetPixelsPerInch() == GetCanvas()->GetFont()->GetPixelsPerInch() &&
           (P->GetFontStyle().Empty() || P->GetFontStyle() == F->GetStyle()) &&
           (P->GetFontHeight() == 0 || P->GetFontHeight() == F->GetHeight()) &&
           (P->GetFontName().empty() || P->GetFontName() == F->GetName());
}

int TQorStringGrid::WidestContent(int ACol, int First, int Last, bool FastTexts)
{
    const int rc = RemapCol(ACol);
    const bool Uniform = FastTexts && UniformTextLook(rc);
    const bool Editing = GetEditorMode();
    const bool ActiveHeaders = FLookState.FActiveCellShow;
    const bool VS = GetWordWrapEx();
    const bool HTML = GetEnableHTML();
    // Per font class (0 normal, 1 fixed): each distinct text's width, -1 for a text that is not
    // plain (markup, rich text, a formula), which is measured per cell.
    std::unordered_map<String, int> Widths[2];
    int FontClass = -1;   // the class whose font the memory DC holds now
    int Hits = 0, Kept = 0;
    bool Caching = true, Looking = true;
    // The distinct texts are measured in a memory DC like the screen, holding the class's font: a
    // window's DC costs the platform more per call.
    TCanvas* Cv = GetCanvas();
    std::optional<TCompatibleDC> Mem;
    HGDIOBJ MemFont = nullptr;
    auto Restore = ScopeExit([&] {
        if (Mem && MemFont) ::SelectObject(*Mem, MemFont);
    });
    auto SelectClassFont = [&](int Class, int ARow) {
        if (FontClass == Class) return;
        if (!Mem) {
            Cv->RequiredState({TCanvasStateFlag::csHandleValid});
            Mem.emplace(Cv->GetHandle());
        }
        // The old font leaves the memory DC before the canvas may free it.
        HGDIOBJ Old = ::SelectObject(*Mem, ::GetStockObject(SYSTEM_FONT));
        if (!MemFont) MemFont = Old;
        SetMeasureFont(ACol, rc, ARow);
        ::SelectObject(*Mem, Cv->GetFont()->GetHandle());
        FontClass = Class;
    };
    // The width of a text new to its class; -1 for one measured per cell.
    auto MeasureNew = [&](String Text, int Class, int ARow) {
        int tw = -1;
        if (IsSimpleLine(Text)) {
            SelectClassFont(Class, ARow);
            SIZE S{0, 0};
            ::GetTextExtentPoint32W(*Mem, Text.c_str(), int(Text.size()), &S);
            tw = int(S.cx);
        } else {
            const QorUtil::TTextType T = QorUtil::TextType(Text, HTML);
            if (T != QorUtil::ttHTML && T != QorUtil::ttRTF && T != QorUtil::ttFormula) {
                SelectClassFont(Class, ARow);
                tw = PlainTextExtent(*Mem, std::move(Text), TRect(0, 0, 0, 0), VS, true, false, false).X;
            }
        }
        return tw >= FastTextLimit ? -1 : tw;
    };
    int mw = 0;
    for (int r = First; r <= Last; ++r) {
        const bool Fast = Uniform && MeasuredAsItsColumn(ACol, rc, r) &&
                          !(Editing && ACol == GetCol() && r == GetRow()) &&
                          !(ActiveHeaders && (r == GetRow() || r == GetFixedRows() - 1)) &&
                          r != FFilterState.FFilterDropDownRow;
        int w = -1;
        if (Fast) {
            String Text = GetGridCell(rc, r);
            if (Text.empty()) {
                w = ContentExtras(ACol, rc, r, 0);
            } else {
                const int Class = IsFixedCellOf(ACol, r) ? 1 : 0;
                auto It = Looking ? Widths[Class].find(Text) : Widths[Class].end();
                int tw = -1;
                if (It != Widths[Class].end()) {
                    tw = It->second;
                    ++Hits;
                } else if (Caching) {
                    // Keeping texts pays only while they repeat; looking them up a while longer.
                    tw = MeasureNew(Text, Class, r);
                    Widths[Class].emplace(std::move(Text), tw);
                    Caching = ++Kept < CacheProbe || Hits >= Kept;
                    Looking = Caching || Hits * LookupPays >= Hits + Kept;
                } else {
                    tw = MeasureNew(std::move(Text), Class, r);
                }
                if (tw >= 0) w = ContentExtras(ACol, rc, r, tw);
            }
        }
        if (w < 0) {
            if (IsXMergedCell(rc, r)) continue;
            if (Mem && FontClass >= 0) ::SelectObject(*Mem, ::GetStockObject(SYSTEM_FONT));
            w = ContentWidth(ACol, rc, r);
            FontClass = -1;
        }
        mw = std::max(mw, w);
    }
    return mw;
}

void TQorStringGrid::SizeToWidth(int ACol, bool inconly)
{
    if (ACol < 0 || ACol >= GetColCount()) return;
    int First = 0, Last = GetRowCount() - 1;
    switch (FOpt.FColumnSize->GetRows()) {
    case arNormal:
        First = GetFixedRows();
        Last = GetRowCount() - FDims.FFixedFooters - 1;
        break;
    case arFixed: Last = GetFixedRows() - 1; break;
    case arVisible:
        First = GetTopRow();
        Last = std::min(GetRowCount() - 1, GetTopRow() + GetVisibleRowCount() - 1);
        break;
    default: break;
    }
    const int mw = WidestContent(ACol, First, Last, true);
    int nw = XOffsetSize() + mw + 2 * GetGridLineWidth() + 2;
    if (inconly && GetColWidths(ACol) >= nw) return;
    UpdateAutoColSize(ACol, nw);
    SetColWidths(ACol, CheckLimits(nw, FDims.FMinColWidth, FDims.FMaxColWidth));
}

// ---- Rows ------------------------------------------------------------------------------------------------

void TQorStringGrid::SetPaddedHeight(int ARow, int Padding)
{
    if (Padding != 0)
        SetRowHeights(ARow, CheckLimits(GetRowHeights(ARow) + Padding, FDims.FMinRowHeight, FDims.FMaxRowHeight));
}

void TQorStringGrid::SizeToHeight(int ARow, bool inconly, int Padding)
{
    if (ARow < 0 || ARow >= GetRowCount()) return;
    int mh = 0;
    for (int i = 0; i < GetColCount(); ++i) {
        const int rc = RemapCol(i);
        if (IsYMergedCell(rc, ARow) || IsIgnoredColumn(rc)) continue;
        // GetCellTextSizeInt sets the canvas font of the cell (zoomed); the widget is measured in it.
        int th = GetCellTextSizeInt(i, rc, ARow, false, GetWordWrapEx(), false).Y;
        int gh = GetCellGraphicSizeEx(rc, ARow, Padding).Y;
        TCellGraphic* G = GetCellGraphic(rc, ARow);
        const TCellType Kind = G ? G->FCellType : ctEmpty;
        if (G) {
            if (G->FCellVAlign == vaFull) gh = th != 0 ? 0 : GetDefaultRowHeight();
            if ((Kind == ctDataCheckBox || Kind == ctVirtCheckBox) && gh > 0) th = 0;
        }
        int h = IsBaseCell(rc, ARow) ? th + gh : 0;
        const bool Control = Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctButton || Kind == ctBitButton ||
                             Kind == ctVirtCheckBox || Kind == ctRadioButton;
        if (G && Control && th != 0) h = std::max(th, gh);
        mh = std::max(mh, h);
    }
    const int nh = YOffsetSize() + mh + 2 * GetGridLineWidth() + (FPaint.FXYOffsetTopLeftOnly ? 2 : 0);
    const bool NoScroll =
        GetVisibleRowCount() == GetRowCount() && GetEditorMode() && FOpt.FSizeWhileTyping->GetHeight();
    if (!(inconly && GetRowHeights(ARow) >= nh))
        SetRowHeights(ARow, CheckLimits(nh, FDims.FMinRowHeight, FDims.FMaxRowHeight));
    if (NoScroll && GetVisibleRowCount() != GetRowCount()) {
        // The grid began to scroll under the editor: show it again, caret at the end.
        ShowEditor();
        if (TInplaceEdit* E = GetInplaceEditor()) E->SetSelStart(int(E->GetText().size()));
    }
}

void TQorStringGrid::AutoSizeRow(int ARow, int Padding)
{
    if (ARow < 0 || ARow >= GetRowCount()) return;
    SizeToHeight(ARow, FDims.FSizeGrowOnly, Padding);
    SetPaddedHeight(ARow, Padding);
}

void TQorStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    if (GetRowCount() == 0) return;
    const int First = DoFixedRows ? 0 : GetFixedRows();
    ExportNotification(esExportStart, First);
    for (int r = First; r < GetRowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        if (IsSuppressedRow(r)) continue;
        if (GetWordWrapEx()) {
            AutoSizeRow(r, 0);
            SetPaddedHeight(r, Padding);
        } else {
            SizeToLines(r, MaxLinesInRow(r), Padding);
        }
    }
    ExportNotification(esExportDone, -1);
    UpdateScrollBars(false);
}

void TQorStringGrid::SizeToLines(int ARow, int Lines, int Padding)
{
    if (ARow < 0 || ARow >= GetRowCount()) return;
    TCanvas* Cv = GetCanvas();
    GetCellColor(GetFixedCols(), ARow, TGridDrawState(), Cv->GetBrush(), Cv->GetFont());
    Cv->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
    RECT R{0, 0, 4096, 20};
    const int th = ::DrawTextExW(Cv->GetHandle(), const_cast<wchar_t*>(L"gh"), 2, &R, DT_CALCRECT | DT_SINGLELINE,
                                 nullptr);
    SetRowHeights(ARow, CheckLimits(Padding + Lines * (th + 2), FDims.FMinRowHeight, FDims.FMaxRowHeight) +
                            FText.FTextOffset.Y);
}

// ---- The control around its cells ---------------------------------------------------------------------

void TQorStringGrid::SizeToCols()
{
    const TGridAxis& A = Axis(TGridAxisKind::Cols);
    SetClientWidth(int(A.SizeSum(A.Count())));
}

void TQorStringGrid::SizeToRows()
{
    const TGridAxis& A = Axis(TGridAxisKind::Rows);
    SetClientHeight(int(A.SizeSum(A.Count())));
}

void TQorStringGrid::SizeToCells()
{
    const TScrollStyle Old = GetScrollBarsEx();
    SetScrollBarsEx(TScrollStyle::ssNone);
    SizeToCols();
    SizeToRows();
    SetScrollBarsEx(Old);
}

void TQorStringGrid::AutoFitColumns(bool DoFixedCells)
{
    // No column: nothing to give a width to.
    if (GetColCount() < 1) return;
    const int sw = FScroll.FScrollBarAlways == saVert ||
                           (GetScrollBarsEx() != TScrollStyle::ssNone && GetVisibleRowCount() + GetFixedRows() < GetRowCount())
                       ? GetSystemMetrics(SM_CXVSCROLL)
                       : 0;
    const int bw = GetBorderStyle() == bsSingle ? (GetCtl3D() ? 4 : 2) : 0;
    const int FixedR = FDims.FFixedRightCols;
    const int First = DoFixedCells ? 0 : GetFixedCols();
    const int Last = DoFixedCells ? GetColCount() - 1 : GetColCount() - FixedR - 1;
    int aw = GetWidth();
    if (!DoFixedCells) {
        for (int c = 0; c < GetFixedCols(); ++c) aw -= GetColWidths(c);
        for (int c = GetColCount() - FixedR; c < GetColCount(); ++c) aw -= GetColWidths(c);
    }
    int lw = GetOptions().Contains(goVertLine) ? GetGridLineWidth() * (GetColCount() - GetFixedCols() - FixedR) : 0;
    if (GetOptions().Contains(goFixedVertLine) && DoFixedCells) lw += GetFixedCols() + FixedR;
    auto SumWidths = [&] {
        int s = 0;
        for (int c = First; c <= Last; ++c) s += GetColWidths(c);
        return s;
    };
    if (GetColCount() < 2) {
        SetColWidths(0, GetWidth() - sw - 5);
    } else {
        const int cw = SumWidths();
        if (aw - sw - bw == cw || cw == 0) return;
        const double Ratio = double(aw - sw - bw - lw) / cw;
        Int64 Total = 0;
        for (int c = First; c <= Last; ++c) Total += Round(Ratio * GetColWidths(c));
        for (int c = First; c <= Last; ++c) SetColWidths(c, int(Round(double(GetColWidths(c)) * Total / cw)));
    }
    int Rest = aw - sw - bw - SumWidths();
    const int n = Last - First + 1;
    if (n >= 2 && n < Rest) {
        for (int c = First; c <= Last; ++c) SetColWidths(c, GetColWidths(c) + Rest / n);
        Rest %= n;
    }
    if (n >= 1) {
        int Widest = First;
        for (int c = First + 1; c <= Last; ++c)
            if (GetColWidths(c) > GetColWidths(Widest)) Widest = c;
        SetColWidths(Widest, GetColWidths(Widest) + Rest);
    }
    InitOrigColSizes();
}

void TQorStringGrid::InitOrigColSizes()
{
    FLists.FOrigColSizes->Clear();
    for (int c = 0; c < GetColCount(); ++c) FLists.FOrigColSizes->Add(GetColWidths(c));
}

// ---- Numbering -------------------------------------------------------------------------------------------

void TQorStringGrid::AutoNumber(bool Rows, int Index)
{
    // Rows: the normal rows of display column Index; otherwise the normal columns of row Index.
    const int First = Rows ? GetFixedRows() : GetFixedCols();
    const int Last = Rows ? GetRowCount() - FDims.FFixedFooters - 1 : GetColCount() - FDims.FFixedRightCols - 1;
    if (GetRowCount() == 0 || GetColCount() == 0) return;
    if (Index < 0 || Index >= (Rows ? GetColCount() : GetRowCount())) return;
    const TAutoNumState& S = FAutoNum;
    for (int k = std::max(0, S.FStart); k <= Last - First; ++k) {
        const int At = S.FDirection == sdAscending ? First + k : Last - k;
        if (Rows) SetInts(RemapCol(Index), At, k + 1 + S.FOffset);
        else SetInts(RemapCol(At), Index, k + 1 + S.FOffset);
    }
}

void TQorStringGrid::AutoNumberCol(int ACol)
{
    AutoNumber(true, ACol);
}

void TQorStringGrid::AutoNumberRow(int ARow)
{
    AutoNumber(false, ARow);
}

// ---- Swaps -----------------------------------------------------------------------------------------------

void TQorStringGrid::SwapColumns(int ACol1, int ACol2)
{
    if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0 || ACol1 >= GetColCount() || ACol2 >= GetColCount()) return;
    // The two real columns' cells (texts and objects: properties, widgets) change places in every
    // shown and every hidden row; the hidden columns between them stay.
    const int a = RemapCol(std::min(ACol1, ACol2)), b = RemapCol(std::max(ACol1, ACol2));
    RotateStoredCols(a, a + 1, b + 1);
    RotateStoredCols(a, b - 1, b);
    for (TGridItem& Item : FLists.FGridItems) {
        TGridItem::TCells& Cells = Item.Cells();
        if (int(Cells.size()) <= a) continue;
        if (int(Cells.size()) <= b) Cells.resize(size_t(b) + 1);
        std::swap(Cells[size_t(a)], Cells[size_t(b)]);
    }
    const int W1 = GetColWidths(ACol1);
    SetColWidths(ACol1, GetColWidths(ACol2));
    SetColWidths(ACol2, W1);
    auto Swap = [](int v, int x, int y) { return v == x ? y : v == y ? x : v; };
    TSortSettings* SS = FOpt.FSortSettings.get();
    SS->SetColumn(Swap(SS->GetColumn(), ACol1, ACol2));
    // Filter conditions hold real columns and stay with their cells.
    TFilter* F = FOpt.FFilter.get();
    for (int i = 0; i < F->Count(); ++i) F->GetItems(i)->SetColumn(Swap(F->GetItems(i)->GetColumn(), a, b));
    TControlList* Controls = FLists.FControlList.get();
    for (int i = 0; i < Controls->Count(); ++i)
        Controls->GetControl(i)->FX = Swap(Controls->GetControl(i)->FX, ACol1, ACol2);
    if (Controls->Count() > 0) CellControlsUpdate(false);
    Invalidate();
}

void TQorStringGrid::SwapCells(TGridCoord FromCell, TGridCoord ToCell)
{
    if (FromCell == ToCell) return;
    const String Text = GetGridCell(FromCell.X, FromCell.Y);
    TObject* Obj = GetGridObject(FromCell.X, FromCell.Y);
    SetGridCell(FromCell.X, FromCell.Y, GetGridCell(ToCell.X, ToCell.Y));
    SetGridObject(FromCell.X, FromCell.Y, GetGridObject(ToCell.X, ToCell.Y));
    SetGridCell(ToCell.X, ToCell.Y, Text);
    SetGridObject(ToCell.X, ToCell.Y, Obj);
}

// ---- Text layout -----------------------------------------------------------------------------------------

int TQorStringGrid::MaxCharsInCol(int ACol)
{
    if (ACol < 0 || ACol >= GetColCount()) return 0;
    const int rc = RemapCol(ACol);
    const bool Multi = FDims.FMultilinecells;
    int Longest = 0;
    for (int r = 0; r < GetRowCount(); ++r) {
        String Rest = SaveCell(rc, r);
        do {
            Longest = std::max(Longest, int(QorUtil::GetNextLine(Rest, Multi).size()));
        } while (Multi && !Rest.empty());
    }
    return Longest;
}

int TQorStringGrid::MaxLinesInRow(int ARow)
{
    if (GetColCount() == 0 || !FDims.FMultilinecells) return 1;
    int Most = 0;
    for (int i = 0; i < GetColCount(); ++i)
        Most = std::max(Most, QorUtil::LinesInText(GetGridCell(RemapCol(i), ARow), true));
    return Most;
}

void TQorStringGrid::CalcTextPos(TRect& ARect, TSize& sz, int AAngle, const String& ATxt, TAlignment hal,
                                 TVAlignment val)
{
    TCanvas* Cv = GetCanvas();
    Cv->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
    SIZE S{0, 0};
    ::GetTextExtentPoint32W(Cv->GetHandle(), ATxt.c_str(), int(ATxt.size()), &S);
    sz = TSize(int(S.cx), int(S.cy));
    ARect = TRect(ARect.Left + 2, ARect.Top + 2, ARect.Right - 2, ARect.Bottom - 2);
    const double a = AAngle * 3.14159265358979323846 / 180.0;
    const int x1 = std::abs(int(std::trunc(std::cos(a) * S.cx)));
    const int x2 = std::abs(int(std::trunc(std::sin(a) * S.cy)));
    const int y1 = std::abs(int(std::trunc(std::sin(a) * S.cx)));
    const int y2 = std::abs(int(std::trunc(std::cos(a) * S.cy)));
    QorGridUnit::PositionText(ARect, hal, val, AAngle, x1, x2, y1, y2);
}

void QorGridUnit::PositionText(TRect& ARect, TAlignment hal, TVAlignment val, int AAngle, int x1, int x2, int y1,
                               int y2)
{
    const int Q = AAngle < 91 ? 1 : AAngle < 181 ? 2 : AAngle < 271 ? 3 : 4;
    const int L = ARect.Left, T = ARect.Top, R = ARect.Right, B = ARect.Bottom;
    const int W = R - L, H = B - T;
    // Each table row: left, right and centred start for the quadrant.
    static constexpr int Cols = 3;
    const int X[4][Cols] = {{L, R - x1 - x2, L + (W - x2 - x1) / 2},
                            {L + x1, R - x2, R - (W + x2 - x1) / 2},
                            {L + x2 + x1, R, R - (W - x2 - x1) / 2},
                            {L + x2, R - x1, L + (W + x2 - x1) / 2}};
    const int Centre = T - (y1 + y2 - H) / 2;
    const int Y[4][Cols] = {{T + y1, Centre + y1, B - y2},
                            {T + y1 + y2, Centre + y1 + y2, B},
                            {T + y2, Centre + y2, B - y1},
                            {T, Centre, B - y2 - y1}};
    const int h = hal == taRightJustify ? 1 : hal == taCenter ? 2 : 0;
    const int v = val == vtaCenter ? 1 : val == vtaBottom ? 2 : 0;
    ARect.Left = X[Q - 1][h];
    ARect.Top = Y[Q - 1][v];
}
