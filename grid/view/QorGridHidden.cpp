// TQorStringGrid: hidden rows and columns and the index remapping (index systems: HiddenRowMap.h).
//
// A hidden row leaves the string grid: its stored row (texts with their cell objects, over every
// real column) moves whole into a TGridItem of the hidden-row store, with its height and real
// index; showing it moves the stored row back whole. No cell is copied. Rows move in bulk: taking
// rows out closes the gaps in one pass and putting rows back merges them in one bottom-up pass,
// both by exchanging whole stored rows, so that hiding or showing any number of rows costs one
// walk over the rows. Every storage row left beyond the count is empty: nothing the store holds
// is referenced twice.
#include "grid/QorGrid.h"

#include "grid/view/GridItem.h"

#include <algorithm>

// ---- The lookup and the mappings ------------------------------------------------------------------

const THiddenRowMap& TQorStringGrid::HiddenMap()
{
    if (!FModel.FHiddenMapValid) {
        const TGridItems& Items = FLists.FGridItems;
        std::vector<int> Rows(size_t(Items.Count()));
        for (int i = 0; i < Items.Count(); ++i) Rows[size_t(i)] = Items[i].GetIdx();
        FModel.FHiddenMap.Assign(std::move(Rows));
        FModel.FHiddenMapValid = true;
    }
    return FModel.FHiddenMap;
}

void TQorStringGrid::InitHiddenRowLookup()
{
    HiddenMap();
}

void TQorStringGrid::DestroyHiddenRowLookup()
{
    FModel.FHiddenMapValid = false;
    FModel.FHiddenMap.Clear();
}

int TQorStringGrid::NumHiddenRows() const
{
    return FLists.FGridItems.Count();
}

int TQorStringGrid::RemapRow(int RealRow)
{
    return NumHiddenRows() == 0 ? RealRow : HiddenMap().ToDisplay(RealRow);
}

int TQorStringGrid::RemapRowInv(int ARow)
{
    return NumHiddenRows() == 0 ? ARow : HiddenMap().ToReal(ARow);
}

bool TQorStringGrid::IsHiddenRow(int RealRow)
{
    return NumHiddenRows() > 0 && HiddenMap().IsHidden(RealRow);
}

bool TQorStringGrid::IsHiddenRow(int RealRow, TIntList*& ListHidden)
{
    if (!ListHidden) {
        ListHidden = Create<TIntList>(0, 0);
        for (int r : HiddenMap().Rows()) ListHidden->Add(r);
    }
    return ListHidden->SortedIndexOf(RealRow) >= 0;
}

// ---- Rows in bulk ---------------------------------------------------------------------------------------

namespace {

// Frees the cell properties among cells leaving the grid (other objects are not the grid's).
void FreeCellProperties(const TGridItem::TCells& Cells, size_t From)
{
    for (size_t c = From; c < Cells.size(); ++c)
        if (auto* P = dynamic_cast<TCellProperties*>(Cells[c].Object)) P->Free();
}

}  // namespace

TGridItem TQorStringGrid::RowToItem(int ARow, int RealRow, int Level)
{
    TGridItem Item;
    Item.SetIdx(RealRow);
    Item.SetHeight(GetRowHeights(ARow));
    Item.SetLevel(Level);
    TGridItem::TCells& Cells = Item.Cells();
    SwapStoredRow(ARow, Cells);
    // Cells a lowered column count left beyond the real columns are not the row's any more: they
    // go, as they would beyond the row count, so that new columns never bring them back.
    const size_t N = size_t(AllCols());
    if (Cells.size() > N) {
        FreeCellProperties(Cells, N);
        Cells.resize(N);
    }
    return Item;
}

void TQorStringGrid::ItemToRow(TGridItem& Item, int ARow)
{
    SwapStoredRow(ARow, Item.Cells());
}

void TQorStringGrid::ScrubStoredRows(int FromRow, int ToRow)
{
    ToRow = std::min(ToRow, StoredRowCount() - 1);
    // Beyond the count no merged area or repaint matters: each row is taken out whole and its
    // properties freed (rows emptied by hiding hold nothing and cost nothing).
    for (int r = FromRow; r <= ToRow; ++r) {
        TStoredRow Gone;
        SwapStoredRow(r, Gone);
        FreeCellProperties(Gone, 0);
    }
}

void TQorStringGrid::CloseRowGaps(const std::vector<int>& Rows)
{
    if (Rows.empty()) return;
    const int N = GetRowCount();
    // The rows above the first gap stay where they are; the others move up with their heights,
    // in place (a copy of the heights would cost a fresh block of memory of the grid's size).
    TGridAxis& Ax = Axis(TGridAxisKind::Rows);
    int t = Rows.front();
    size_t k = 0;
    for (int r = Rows.front(); r < N; ++r) {
        if (k < Rows.size() && Rows[k] == r) {
            ++k;
            continue;
        }
        if (r != t) {
            ExchangeStoredRows(r, t);
            Ax.SetSize(t, Ax.Size(r));
        }
        ++t;
    }
    SetRowCount(t);
    RowHeightsChanged();
}

void TQorStringGrid::RestoreItems(std::vector<int> Slots)
{
    if (Slots.empty()) return;
    TGridItems& Store = FLists.FGridItems;
    auto ByIdx = [&](int a, int b) { return Store[a].GetIdx() < Store[b].GetIdx(); };
    if (!std::is_sorted(Slots.begin(), Slots.end(), ByIdx)) std::sort(Slots.begin(), Slots.end(), ByIdx);
    // Each restored row's display row: its real index less the rows that stay hidden below it,
    // which are the hidden rows below it less the restored ones below it (one walk over both).
    const std::vector<int>& All = HiddenMap().Rows();
    std::vector<int> Target(Slots.size());
    size_t p = 0;
    for (size_t i = 0; i < Slots.size(); ++i) {
        const int Idx = Store[Slots[i]].GetIdx();
        while (p < All.size() && All[p] < Idx) ++p;
        Target[i] = Idx - (int(p) - int(i));
    }
    const int OldCount = GetRowCount();
    const int NewCount = OldCount + int(Slots.size());
    if (FooterRowShown()) {
        // The floating footer's row stays last: rows hidden below it come back above it, in order.
        int Limit = NewCount - 2;
        for (size_t i = Slots.size(); i-- > 0; --Limit) Target[i] = std::min(Target[i], Limit);
    }
    // Cells a lowered count left in the storage would be overwritten: they are freed first.
    ScrubStoredRows(OldCount, NewCount - 1);
    SetRowCount(NewCount);
    // Bottom up, every row moves down (a shown one from s < t) or comes back from the store, its
    // height with it; the heights move in place, as the rows do. Rows between s and t are empty.
    TGridAxis& Ax = Axis(TGridAxisKind::Rows);
    int s = OldCount - 1;
    int j = int(Slots.size()) - 1;
    for (int t = NewCount - 1; t >= 0 && j >= 0; --t) {
        if (Target[size_t(j)] == t) {
            TGridItem& Item = Store[Slots[size_t(j)]];
            ItemToRow(Item, t);
            Ax.SetSize(t, Item.GetHeight());
            --j;
        } else {
            ExchangeStoredRows(s, t);
            Ax.SetSize(t, Ax.Size(s));
            --s;
        }
    }
    FDims.FMaxRowCount = std::max(FDims.FMaxRowCount, NewCount);
    for (int r = FLists.FSuppressRowSizes->Count(); r < NewCount; ++r) FLists.FSuppressRowSizes->Add(Ax.Size(r));
    if (int(Slots.size()) == Store.Count()) {
        Store.Clear();
    } else {
        std::vector<bool> Marked(size_t(Store.Count()), false);
        for (int Slot : Slots) Marked[size_t(Slot)] = true;
        Store.Remove(Marked);
    }
    DestroyHiddenRowLookup();
    RowHeightsChanged();
}

// ---- Hiding and showing rows ----------------------------------------------------------------------------

namespace {

// The rows of a real range that are shown now, with their display rows.
void ShownInRange(const THiddenRowMap& Map, int From, int To, std::vector<int>& Real, std::vector<int>& Displ)
{
    for (int r = From; r <= To; ++r)
        if (!Map.IsHidden(r)) {
            Real.push_back(r);
            Displ.push_back(Map.ToDisplay(r));
        }
}

// The store's slots of the items that Pick chooses, in store order.
template <class FPick>
std::vector<int> SlotsWhere(const TGridItems& Store, FPick&& Pick)
{
    std::vector<int> Slots;
    for (int i = 0; i < Store.Count(); ++i)
        if (Pick(Store[i])) Slots.push_back(i);
    return Slots;
}

}  // namespace

void TQorStringGrid::HideRows(int FromRealRow, int ToRealRow)
{
    FromRealRow = std::max(FromRealRow, 0);
    ToRealRow = std::min(ToRealRow, TotalRowCount() - 1);
    std::vector<int> Real, Displ;
    ShownInRange(HiddenMap(), FromRealRow, ToRealRow, Real, Displ);
    if (Real.empty()) return;
    TValueScope<bool> Block(FEdit.FBlockCellChanging, true);
    // The store stays ordered by real index: the new items go after the ones below the range.
    TGridItems& Store = FLists.FGridItems;
    int Pos = 0;
    for (int i = 0; i < Store.Count(); ++i)
        if (Store[i].GetIdx() < FromRealRow) Pos = i + 1;
    std::vector<TGridItem> Items;
    Items.reserve(Real.size());
    for (size_t i = 0; i < Real.size(); ++i) {
        Items.push_back(RowToItem(Displ[i], Real[i], 0));
        Items.back().SetByRange(true);
    }
    Store.Insert(Pos, std::move(Items));
    DestroyHiddenRowLookup();
    CloseRowGaps(Displ);
    CellControlsUpdate(false);
}

void TQorStringGrid::HideRowsEx(int FromRealRow, int ToRealRow)
{
    if (IsHiddenRow(FromRealRow)) return;
    ToRealRow = std::min(ToRealRow, TotalRowCount() - 1);
    std::vector<int> Real, Displ;
    ShownInRange(HiddenMap(), FromRealRow, ToRealRow, Real, Displ);
    if (Real.empty()) return;
    TGridItems& Store = FLists.FGridItems;
    Store.Reserve(Store.Count() + int(Real.size()));
    for (size_t i = 0; i < Real.size(); ++i) {
        Store.Add(RowToItem(Displ[i], Real[i], 0));
        Store[Store.Count() - 1].SetByRange(true);
    }
    DestroyHiddenRowLookup();
    CloseRowGaps(Displ);
    CellControlsUpdate(false);
}

void TQorStringGrid::HideRowList(TIntList* RowList)
{
    if (!RowList) return;
    if (FFilterState.FFilterType == ftSuppress) {
        for (int i = 0; i < RowList->Count(); ++i) SuppressRow(RowList->GetInteger(i));
        CellControlsUpdate(false);
        return;
    }
    if (RowList->Count() == 0) return;
    // One row always stays.
    if (RowList->Count() >= GetRowCount()) RowList->Delete(0);
    std::vector<int> Displ;
    Displ.reserve(size_t(RowList->Count()));
    for (int i = 0; i < RowList->Count(); ++i) {
        const int r = RowList->GetInteger(i);
        if (r >= 0 && r < GetRowCount() && (Displ.empty() || r > Displ.back())) Displ.push_back(r);
    }
    // Stored by real index, so that the mappings stay exact with rows hidden before.
    // With no row hidden yet the display rows are the real ones.
    TGridItems& Store = FLists.FGridItems;
    std::vector<int> Real;
    if (!Store.Empty()) {
        Real = Displ;
        HiddenMap().ToRealAscending(Real);
    }
    const std::vector<int>& RealRows = Store.Empty() ? Displ : Real;
    Store.Reserve(Store.Count() + int(Displ.size()));
    for (size_t i = 0; i < Displ.size(); ++i) Store.Add(RowToItem(Displ[i], RealRows[i], FFilterState.FFilterLevel));
    ++FFilterState.FFilterLevel;
    DestroyHiddenRowLookup();
    CloseRowGaps(Displ);
    CellControlsUpdate(false);
}

void TQorStringGrid::UnHideRows(int FromRealRow, int ToRealRow)
{
    if (!IsHiddenRow(FromRealRow)) return;
    std::vector<int> Slots = SlotsWhere(FLists.FGridItems, [&](const TGridItem& It) {
        return It.GetIdx() >= FromRealRow && It.GetIdx() <= ToRealRow;
    });
    {
        TValueScope<bool> NoCCU(FRun.ccuCall, false);
        RestoreItems(std::move(Slots));
    }
    CellControlsUpdate(false);
}

void TQorStringGrid::UnHideRowsAll()
{
    const TGridItems& Store = FLists.FGridItems;
    if (Store.Empty()) return;
    std::vector<int> Slots(size_t(Store.Count()));
    for (int i = 0; i < Store.Count(); ++i) Slots[size_t(i)] = i;
    RestoreItems(std::move(Slots));
    CellControlsUpdate(false);
}

void TQorStringGrid::UnHideRowList()
{
    // At level 0 no filter level is applied: nothing is popped (and nothing is lost).
    if (FFilterState.FFilterLevel < 1) return;
    if (GetRow() >= GetRowCount()) FocusCell(GetFixedCols(), GetFixedRows());
    const int Level = FFilterState.FFilterLevel - 1;
    // Rows hidden by range (contracted nodes) stay hidden under their nodes.
    std::vector<int> Slots = SlotsWhere(FLists.FGridItems, [&](const TGridItem& It) {
        return !It.GetByRange() && It.GetLevel() == Level;
    });
    TValueScope<bool> Block(FFilterState.FBlockFilterUpdate, true);
    RestoreItems(std::move(Slots));
    CellControlsUpdate(false);
}

// ---- Columns ----------------------------------------------------------------------------------------------

void TQorStringGrid::HideColumns(int FromRCol, int ToRCol)
{
    HideInplaceEdit();
    for (int c = std::max(FromRCol, 0); c <= ToRCol; ++c) {
        if (c >= AllCols() || !FDims.FVisibleCol[size_t(c)] || GetColCount() < 2) continue;
        const int d = DisplColIndex(c);
        FDims.FAllColWidths[size_t(c)] = GetColWidths(d);
        for (int i = d; i <= GetColCount() - 2; ++i) SetColWidths(i, GetColWidths(i + 1));
        ++FDims.FNumHidden;
        FDims.FVisibleCol[size_t(c)] = false;
        if (GetCol() == GetColCount() - 1 && GetCol() > 0) SetCol(GetCol() - 1);
        const bool Parked = IsSelectionHidden();
        SetColCount(GetColCount() - 1);
        if (Parked) HideSelection();
    }
    Invalidate();
}

void TQorStringGrid::UnHideColumns(int FromRCol, int ToRCol)
{
    HideInplaceEdit();
    if (IsDestroying()) return;
    for (int c = std::max(FromRCol, 0); c <= ToRCol && c < AllCols(); ++c) {
        if (FDims.FVisibleCol[size_t(c)]) continue;
        --FDims.FNumHidden;
        FDims.FVisibleCol[size_t(c)] = true;
        const bool Parked = IsSelectionHidden();
        SetColCount(GetColCount() + 1);
        const int d = DisplColIndex(c);
        for (int i = GetColCount() - 1; i > d; --i) SetColWidths(i, GetColWidths(i - 1));
        SetColWidths(d, FDims.FAllColWidths[size_t(c)]);
        if (Parked) HideSelection();
    }
    Invalidate();
}

void TQorStringGrid::UnHideColumnsAll()
{
    UnHideColumns(0, AllCols() - 1);
}

bool TQorStringGrid::IsHiddenColumn(int RCol)
{
    if (RCol < 0 || RCol >= AllCols() || RCol >= int(FDims.FVisibleCol.size())) return false;
    return !FDims.FVisibleCol[size_t(RCol)];
}

void TQorStringGrid::SetVisibleCol(int RCol, bool AValue)
{
    if (RCol >= 0 && RCol < int(FDims.FVisibleCol.size())) FDims.FVisibleCol[size_t(RCol)] = AValue;
}

bool TQorStringGrid::IsIgnoredColumn(int ACol)
{
    return FLists.FIgnoreColumns->HasValue(ACol);
}

void TQorStringGrid::SetTopRowEx(int Value)
{
    if (Value >= GetFixedRows() && Value <= GetRowCount() - 1) SetTopRow(Value);
}
