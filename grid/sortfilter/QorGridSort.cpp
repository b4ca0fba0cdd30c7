// TQorStringGrid: sorting. The sort engine (sortfilter/SortKeys.h) orders the rows on keys made
// once per cell; the grid then moves each row once to its place through SortSwapRows, which
// exchanges whole stored rows (texts with cell properties and widgets), heights and row flags and
// keeps the sort cross reference in step. No scratch rows and no cell-by-cell copies are needed,
// so hidden columns' cells travel with their rows as they are stored.
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/sortfilter/SortKeys.h"

#include <algorithm>
#include <numeric>

using QorGridSort::TSortLevel;

namespace {

bool IsCheckBoxType(TCellType T)
{
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

// A level for column Col: the style detected (AutoFormat), or the case-less or default one, as
// the column's format hook leaves it.
TSortLevel MakeLevel(TQorStringGrid& G, int Col, bool Descending)
{
    TSortSettings* SS = G.GetSortSettings();
    TSortLevel L;
    L.Col = Col;
    L.Descending = Descending;
    L.IgnoreCase = SS->GetIgnoreCase();
    L.IgnoreBlanks = SS->GetIgnoreBlanks();
    L.BlankPos = SS->GetBlankPos();
    L.Style = SS->GetAutoFormat() ? ssAutomatic : SS->GetIgnoreCase() ? ssAlphaNoCase : SS->GetDefaultFormat();
    G.GetColFormat(Col, L.Style, L.Prefix, L.Suffix);
    L.Ignored = G.IsIgnoredColumn(Col);
    return L;
}

// The column sort's levels: Col, then with Full every column to its right.
std::vector<TSortLevel> ColumnLevels(TQorStringGrid& G, int Col)
{
    TSortSettings* SS = G.GetSortSettings();
    const bool Desc = SS->GetDirection() == sdDescending;
    const int Last = SS->GetFull() ? G.GetAllColCount() - 1 : Col;
    std::vector<TSortLevel> Levels;
    for (int c = Col; c <= std::max(Col, Last); ++c) Levels.push_back(MakeLevel(G, c, Desc));
    return Levels;
}

// The index sort's levels from position From of the index list (only that one without Full).
std::vector<TSortLevel> IndexLevels(TQorStringGrid& G, int From)
{
    TSortIndexList* X = G.GetSortIndexes();
    const int Last = G.GetSortSettings()->GetFull() ? X->Count() - 1 : std::min(From, X->Count() - 1);
    std::vector<TSortLevel> Levels;
    for (int i = std::max(From, 0); i <= Last; ++i) {
        const auto e = std::uint32_t(X->GetInteger(i));
        Levels.push_back(MakeLevel(G, int(e & TSortIndexList::ColumnMask), (e & TSortIndexList::DescendingBit) != 0));
    }
    return Levels;
}

void ExchangeEntries(TList* L, int a, int b)
{
    if (L->Count() <= std::min(a, b)) return;
    if (L->Count() <= std::max(a, b)) L->SetCount(std::max(a, b) + 1);
    L->Exchange(a, b);
}

}  // namespace

// ---- The grid as the sort engine reads it -----------------------------------------------------------

class TQorStringGrid::TSortCells : public QorGridSort::ISortSource {
public:
    explicit TSortCells(TQorStringGrid& G) : FG(G), FVirtual(G.FOpt.FSortSettings->GetSortOnVirtualCells()) {}

    String CellText(int Col, int Row) override { return FVirtual ? FG.GetCellEx(Col, Row) : FG.GetGridCell(Col, Row); }
    bool IsCheckBoxCell(int Col, int Row) override { return IsCheckBoxType(FG.GetCellType(Col, Row)); }
    bool IsChecked(int Col, int Row) override
    {
        TCheckBoxState S = cbUnchecked;
        return FG.GetCheckBoxState(Col, FG.RemapRowInv(Row), S) && S == cbChecked;
    }
    int ImageKey(int Col, int Row) override { return FG.GetCellImageIdx(Col, Row); }
    int CustomCompare(const String& S1, const String& S2) override
    {
        int R = 0;
        if (FG.OnCustomCompare) FG.OnCustomCompare(&FG, S1, S2, R);
        return R;
    }
    int RawCompare(int Col, int Row1, int Row2) override
    {
        int R = 0;
        if (FG.OnRawCompare) FG.OnRawCompare(&FG, Col, Row1, Row2, R);
        return R;
    }

private:
    TQorStringGrid& FG;
    bool FVirtual;
};

// ---- The steps around a grid-level sort ------------------------------------------------------------

// Taken on construction and undone on destruction, also when the sort fails: the painting batch,
// the top row (restored with KeepScrollOnSort), ClearTextOnly, the floating footer (hidden for the
// sort), the largest row count and, with NormalCellsOnly, the cells of column 0, which stay where
// they are.
class TQorStringGrid::TSortFrame {
public:
    struct TSteps {
        bool Footer = true;          // hide the floating footer and repaint its panel afterwards
        bool ClearTextOnly = true;   // ClearTextOnly off during the sort
        bool SearchPanel = false;    // repaint the visible search panel afterwards
        bool TopRow = true;          // restore the top row with KeepScrollOnSort
    };

    TSortFrame(TQorStringGrid& G, TSteps Steps) : FG(G), FSteps(Steps)
    {
        FTopRow = G.GetTopRow();
        FClearTextOnly = G.FText.FClearTextOnly;
        if (Steps.ClearTextOnly) G.FText.FClearTextOnly = false;
        G.BeginUpdate();
        TFloatingFooter* FF = G.FOpt.FFloatingFooter.get();
        FFooterVisible = FF->GetVisible();
        FFixedFooters = G.GetFixedFooters();
        if (Steps.Footer) FF->SetVisible(false);
        FMaxRowCount = G.FDims.FMaxRowCount;
        TSortSettings* SS = G.FOpt.FSortSettings.get();
        FKeepCol0 = SS->GetNormalCellsOnly() && G.GetFixedCols() > 0;
        if (FKeepCol0) {
            for (int r = 0; r < G.GetRowCount(); ++r) {
                FCol0Texts.push_back(G.GetGridCell(0, r));
                FCol0Objects.push_back(G.GetGridObject(0, r));
            }
        }
    }

    ~TSortFrame()
    {
        FG.FDims.FMaxRowCount = FMaxRowCount;
        if (FKeepCol0)
            for (int r = 0; r < int(FCol0Texts.size()) && r < FG.GetRowCount(); ++r) {
                FG.SetCells(0, r, std::move(FCol0Texts[size_t(r)]));
                FG.SetObjects(0, r, FCol0Objects[size_t(r)]);
            }
        if (FSteps.TopRow && FG.FOpt.FNavigation->GetKeepScrollOnSort()) FG.SetTopRowEx(FTopRow);
        if (FSteps.Footer) {
            FG.FOpt.FFloatingFooter->SetVisible(FFooterVisible);
            FG.SetFixedFooters(FFixedFooters);
        }
        FG.FText.FClearTextOnly = FClearTextOnly;
        FG.EndUpdate();
        if (FSteps.Footer && FFooterVisible) FG.UpdateFooter();
        if (FSteps.SearchPanel && FG.FOpt.FSearchFooter->GetVisible() && FG.FWin.FSearchPanel->GetVisible())
            FG.FWin.FSearchPanel->Invalidate();
    }

    TSortFrame(const TSortFrame&) = delete;
    TSortFrame& operator=(const TSortFrame&) = delete;

    // The fixed footer rows when the sort began (they never move).
    int FixedFooters() const { return FFixedFooters; }

private:
    TQorStringGrid& FG;
    TSteps FSteps;
    int FTopRow = 0;
    bool FClearTextOnly = false;
    bool FFooterVisible = false;
    int FFixedFooters = 0;
    int FMaxRowCount = 0;
    bool FKeepCol0 = false;
    std::vector<String> FCol0Texts;
    std::vector<TObject*> FCol0Objects;
};

// ---- Moving rows ---------------------------------------------------------------------------------------

void TQorStringGrid::SortSwapRows(int ARow1, int ARow2)
{
    ++FSort.Swaps;
    TIntList* X = FLists.FSortRowXRef.get();
    if (ARow1 < X->Count() && ARow2 < X->Count()) X->Exchange(ARow1, ARow2);
    if (FModel.FUseEnabledRows) ExchangeEntries(FLists.FEnabledRows.get(), ARow1, ARow2);
    TSortSettings* SS = FOpt.FSortSettings.get();
    if (SS->GetSingleColumn()) {
        int Col = SS->GetColumn();
        if (Col < 0 && SS->GetIndexShow() && FLists.FSortIndexes->Count() > 0)
            Col = FLists.FSortIndexes->GetInteger(0) & 0xFFFF;
        if (Col < 0 || Col >= TotalColCount()) return;
        // The stored texts and objects: the display hooks and merge redirection stay out of it.
        const String T = GetGridCell(Col, ARow1);
        TObject* O = GetGridObject(Col, ARow1);
        SetCells(Col, ARow1, GetGridCell(Col, ARow2));
        SetObjects(Col, ARow1, GetGridObject(Col, ARow2));
        SetCells(Col, ARow2, T);
        SetObjects(Col, ARow2, O);
        return;
    }
    const int H1 = GetRowHeights(ARow1), H2 = GetRowHeights(ARow2);
    if (H1 != H2) {
        SetRowHeights(ARow1, H2);
        SetRowHeights(ARow2, H1);
    }
    ExchangeStoredRows(ARow1, ARow2);
    // A suppressed row's remembered height goes with it.
    ExchangeEntries(FLists.FSuppressRowSizes.get(), ARow1, ARow2);
    const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
    const bool NeedReal = Persistent || FOpt.FShowModified->GetEnabled();
    const int R1 = NeedReal ? RemapRowInv(ARow1) : ARow1, R2 = NeedReal ? RemapRowInv(ARow2) : ARow2;
    if (FOpt.FMouseActions->GetDisjunctRowSelect() && FOpt.FNavigation->GetMoveRowOnSort()) {
        const int S1 = Persistent ? R1 : ARow1, S2 = Persistent ? R2 : ARow2;
        ExchangeEntries(FLists.FRowSelect.get(), S1, S2);
        TIntList* Sel = FLists.FSelectedRows.get();
        for (int i = 0; i < Sel->Count(); ++i) {
            const int v = Sel->GetInteger(i);
            if (v == S1 || v == S2) Sel->SetInteger(i, v == S1 ? S2 : S1);
        }
    }
    if (FOpt.FShowModified->GetEnabled()) ExchangeEntries(FLists.FModifiedRows.get(), R1, R2);
    if (FSort.SortRow == ARow1) FSort.SortRow = ARow2;
    else if (FSort.SortRow == ARow2) FSort.SortRow = ARow1;
}

void TQorStringGrid::ApplyRowOrder(int Left, const std::vector<int>& Order, TIntList* Follow)
{
    // Position i of the range receives row Order[i]: one swap per row that is not yet in place.
    const int n = int(Order.size());
    std::vector<int> At(static_cast<size_t>(n)), Where(static_cast<size_t>(n));
    std::iota(At.begin(), At.end(), 0);
    std::iota(Where.begin(), Where.end(), 0);
    for (int i = 0; i < n; ++i) {
        const int o = Order[size_t(i)] - Left;
        const int k = Where[size_t(o)];
        if (k == i) continue;
        SortSwapRows(Left + i, Left + k);
        if (Follow) ExchangeEntries(Follow, Left + i, Left + k);
        const int oi = At[size_t(i)];
        At[size_t(i)] = o;
        At[size_t(k)] = oi;
        Where[size_t(o)] = i;
        Where[size_t(oi)] = k;
    }
}

void TQorStringGrid::SortRange(int Col, int Left, int Right, bool Indexed)
{
    Left = std::max(Left, 0);
    Right = std::min(Right, GetRowCount() - 1);
    if (Right <= Left) return;
    const std::vector<TSortLevel> Levels = Indexed ? IndexLevels(*this, 0) : ColumnLevels(*this, Col);
    std::vector<int> Rows(size_t(Right - Left + 1));
    std::iota(Rows.begin(), Rows.end(), Left);
    TSortCells Cells(*this);
    QorGridSort::SortRows(Cells, Levels, Rows, FSort.Compares);
    ApplyRowOrder(Left, Rows, nullptr);
}

// ---- Comparisons -----------------------------------------------------------------------------------------

int TQorStringGrid::Compare(int Col, int ARow1, int ARow2, TSortDirection sd)
{
    ++FSort.Compares;
    std::vector<TSortLevel> L{MakeLevel(*this, Col, sd == sdDescending)};
    L[0].Ignored = false;
    TSortCells Cells(*this);
    const int c = QorGridSort::CompareRows(Cells, L, 0, ARow1, ARow2);
    return sd == sdDescending ? -c : c;
}

int TQorStringGrid::CompareLine(int Col, int ARow1, int ARow2)
{
    ++FSort.Compares;
    TSortCells Cells(*this);
    const int c = QorGridSort::CompareRows(Cells, ColumnLevels(*this, Col), 0, ARow1, ARow2);
    return FOpt.FSortSettings->GetDirection() == sdDescending ? -c : c;
}

int TQorStringGrid::CompareLineIndexed(int Colidx, int ARow1, int ARow2)
{
    ++FSort.Compares;
    if (Colidx < 0 || Colidx >= FLists.FSortIndexes->Count()) return 0;
    TSortCells Cells(*this);
    return QorGridSort::CompareRows(Cells, IndexLevels(*this, Colidx), 0, ARow1, ARow2);
}

bool TQorStringGrid::SortLine(int Col, int ARow1, int ARow2)
{
    const TSortDirection Dir = FOpt.FSortSettings->GetDirection();
    FSort.SortDir = Dir == sdDescending ? -1 : 1;
    for (int c = Col; c < GetAllColCount(); ++c) {
        const int r = Compare(c, ARow1, ARow2, Dir);
        if (r == FSort.SortDir) {
            SortSwapRows(ARow1, ARow2);
            return true;
        }
        if (r != 0) return false;
    }
    return false;
}

TColumnType TQorStringGrid::ColumnType(int Col)
{
    const int r1 = GetFixedRows(), r2 = GetFixedRows() + 1;
    if (HasCheckBox(Col, r1) && HasCheckBox(Col, r2)) return ctBoolean;
    const QorUtil::TAutoType t1 = QorUtil::IsType(GetCellEx(Col, r1));
    if (t1 != QorUtil::IsType(GetCellEx(Col, r2))) return ctAlpha;
    switch (t1) {
    case QorUtil::atNumeric: return ctNumeric;
    case QorUtil::atFloat: return ctFloat;
    case QorUtil::atDate: return ctDate;
    case QorUtil::atTime: return ctTime;
    default: return ctAlpha;
    }
}

// ---- Sorts --------------------------------------------------------------------------------------------------

void TQorStringGrid::InitSortXRef()
{
    TIntList* X = FLists.FSortRowXRef.get();
    X->Clear();
    X->SetCapacity(GetRowCount());
    for (int r = 0; r < GetRowCount(); ++r) X->Add(r);
}

void TQorStringGrid::QuickSort(int Col, int Left, int Right)
{
    QuickSortRows(Col, Left, Right);
}

void TQorStringGrid::QuickSortIndexed(int Left, int Right)
{
    QuickSortRowsIndexed(0, Left, Right);
}

void TQorStringGrid::QuickSortRows(int Col, int Left, int Right)
{
    FSort.SortDir = FOpt.FSortSettings->GetDirection() == sdDescending ? -1 : 1;
    SortRange(Col, Left, Right, false);
}

void TQorStringGrid::QuickSortRowsIndexed(int, int Left, int Right)
{
    if (FLists.FSortIndexes->Count() == 0) return;
    FSort.SortDir = 1;
    SortRange(0, Left, Right, true);
}

void TQorStringGrid::QuickSortRowsRef(int, int Left, int Right)
{
    TIntList* U = FLists.FUnSortRowXRef.get();
    Left = std::max(Left, 0);
    Right = std::min({Right, GetRowCount() - 1, U->Count() - 1});
    if (Right <= Left) return;
    std::vector<int> Order(size_t(Right - Left + 1));
    std::iota(Order.begin(), Order.end(), Left);
    std::stable_sort(Order.begin(), Order.end(), [U](int a, int b) { return U->GetInteger(a) < U->GetInteger(b); });
    ApplyRowOrder(Left, Order, U);
}

void TQorStringGrid::FollowSortRow(int r0)
{
    {
        TValueScope<bool> Block(FEdit.FBlockCellChanging, true);
        SetRowEx(FSort.SortRow);
    }
    if (GetRow() != r0 && OnRowChanging) {
        bool Allow = true;   // told, not asked: the rows have moved already
        OnRowChanging(this, r0, GetRow(), Allow);
    }
    FSel.FOldRowSel = -1;
}

void TQorStringGrid::QSort()
{
    TSortSettings* SS = FOpt.FSortSettings.get();
    if (SS->GetColumn() < 0) return;
    if (FLists.FSortRowXRef->Count() != GetRowCount()) InitSortXRef();
    FLists.FSortIndexes->Clear();
    FSort.Compares = FSort.Swaps = 0;
    const int r0 = GetRow();
    const bool MoveRow = FOpt.FNavigation->GetMoveRowOnSort();
    TSortFrame Frame(*this, {true, true, true, true});
    auto RowUpdate = ScopeExit([&] {
        if (!MoveRow && OnRowUpdate) OnRowUpdate(this, r0, GetRow());
    });
    FSort.SortRow = r0;
    QuickSortRows(SS->GetColumn(), GetFixedRows(), GetRowCount() - Frame.FixedFooters() - 1);
    if (MoveRow) FollowSortRow(r0);
    else if (r0 >= GetFixedRows() && r0 < GetRowCount() - GetFixedFooters() &&
               !FOpt.FMouseActions->GetDisjunctRowSelect()) {
        SetRowEx(r0);
    }
}

void TQorStringGrid::QSortIndexed()
{
    if (FLists.FSortRowXRef->Count() != GetRowCount()) InitSortXRef();
    if (FLists.FSortIndexes->Count() == 0) throw EQorGridError(QorGridConsts::SNoSortIndexes);
    FSort.Compares = FSort.Swaps = 0;
    const int r0 = GetRow();
    TSortFrame Frame(*this, {true, false, false, true});
    FSort.SortRow = r0;
    QuickSortRowsIndexed(0, GetFixedRows(), GetRowCount() - Frame.FixedFooters() - 1);
    if (FOpt.FNavigation->GetMoveRowOnSort()) {
        SetRowEx(FSort.SortRow);
        FSel.FOldRowSel = -1;
    } else {
        SetRowEx(r0);
    }
}

void TQorStringGrid::QSortGroup()
{
    QSortGroupInt(false);
}

void TQorStringGrid::QSortGroupIndexed()
{
    QSortGroupInt(true);
}

void TQorStringGrid::QSortGroupInt(bool Indexed)
{
    if (FLists.FSortRowXRef->Count() != GetRowCount()) InitSortXRef();
    TSortSettings* SS = FOpt.FSortSettings.get();
    // Without a sort column or index entries every row ties: nothing would move.
    if (Indexed ? FLists.FSortIndexes->Count() == 0 : SS->GetColumn() < 0) return;
    FSort.Compares = FSort.Swaps = 0;
    const int r0 = GetRow();
    const bool MoveRow = FOpt.FNavigation->GetMoveRowOnSort();
    TSortFrame Frame(*this, {false, true, false, true});
    FSort.SortRow = r0;
    // The innermost nodes: those of the deepest level among the normal rows. Only their
    // children move, each node's among themselves; node rows and contracted nodes stay.
    const int First = GetFixedRows(), Last = GetRowCount() - GetFixedFooters() - 1;
    int Deepest = 0;
    for (int r = First; r <= Last; ++r)
        if (IsNode(r)) Deepest = std::max(Deepest, GetNodeLevel(r));
    for (int n = First; Deepest > 0 && n <= Last; ++n) {
        if (!IsNode(n) || GetNodeLevel(n) != Deepest || GetNodeState(n)) continue;
        const int Right = std::min(n + GetNodeSpan(n) - 1, Last);
        if (Right - n < 2) continue;
        if (Indexed) QuickSortIndexed(n + 1, Right);
        else QuickSortRows(SS->GetColumn(), n + 1, Right);
    }
    if (MoveRow) FollowSortRow(r0);
    else SetRowEx(r0);
}

void TQorStringGrid::QUnSort()
{
    TIntList* X = FLists.FSortRowXRef.get();
    if (X->Count() == 0 || HasNodes()) return;
    // A cross reference made for another row count (rows were added or removed since) is no
    // order of these rows: it is dropped, and the rows stay as they are.
    std::vector<char> Seen(size_t(X->Count()), 0);
    bool Valid = X->Count() == GetRowCount();
    for (int i = 0; Valid && i < X->Count(); ++i) {
        const int v = X->GetInteger(i);
        Valid = v >= 0 && v < X->Count() && !Seen[size_t(v)];
        if (Valid) Seen[size_t(v)] = 1;
    }
    if (!Valid) {
        InitSortXRef();
        return;
    }
    TIntList* U = FLists.FUnSortRowXRef.get();
    U->Assign(X);
    FSort.Swaps = 0;
    {
        TSortFrame Frame(*this, {false, false, false, false});
        QuickSortRowsRef(0, 0, GetRowCount() - 1);
        if (FOpt.FSortSettings->GetIndexShow()) FLists.FSortIndexes->Clear();
    }
    FOpt.FSortSettings->SetColumn(-1);
}

void TQorStringGrid::Sort(int Column, TSortDirection Direction)
{
    FOpt.FSortSettings->SetColumn(Column);
    FOpt.FSortSettings->SetDirection(Direction);
    QSort();
    if (FLists.FControlList->Count() > 0) CellControlsUpdate(true);
}

void TQorStringGrid::SortByColumn(int Col)
{
    if (GetRowCount() <= 1) return;
    FOpt.FSortSettings->SetColumn(Col);
    QSort();
}
