// TQorStringGrid: hidden rows and columns and the index remapping (index systems: HiddenRowMap.h).
//
// A hidden row leaves the string grid: its cells (texts with their cell objects, over every real
// column) and its height move into a TGridItem of the hidden-row store, which keeps the row's real
// index. Rows move in bulk: taking rows out closes the gaps in one pass and putting rows back
// merges them in one bottom-up pass, both by exchanging whole stored rows, so that hiding or
// showing any number of rows costs one walk over the rows. Every storage row left beyond the count
// is empty: nothing the store holds is referenced twice.
#include "grid/QorGrid.h"

#include "grid/view/GridItem.h"

#include <algorithm>

namespace {

TGridItem* ItemAt(TCollection* Items, int i)
{
    return static_cast<TGridItem*>(Items->GetItem(i));
}

}  // namespace

// ---- The lookup and the mappings ------------------------------------------------------------------

const THiddenRowMap& TQorStringGrid::HiddenMap()
{
    if (!FModel.FHiddenMapValid) {
        TCollection* Items = FLists.FGridItems.get();
        std::vector<int> Rows(size_t(Items->Count()));
        for (int i = 0; i < Items->Count(); ++i) Rows[size_t(i)] = ItemAt(Items, i)->GetIdx();
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
    return FLists.FGridItems ? FLists.FGridItems->Count() : 0;
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

TGridItem* TQorStringGrid::RowToItem(int ARow, int RealRow, int Pos, int Level)
{
    TCollection* Items = FLists.FGridItems.get();
    auto* Item = static_cast<TGridItem*>(Pos < 0 || Pos >= Items->Count() ? Items->Add() : Items->Insert(Pos));
    Item->SetIdx(RealRow);
    Item->SetHeight(GetRowHeights(ARow));
    Item->SetLevel(Level);
    TStringList* L = Item->GetItems();
    const int N = AllCols();
    for (int c = 0; c < N; ++c) {
        L->AddObject(GetCells(c, ARow), GetObjects(c, ARow));
        SetObjects(c, ARow, nullptr);
        SetCells(c, ARow, String());
    }
    return Item;
}

void TQorStringGrid::ItemToRow(TGridItem* Item, int ARow)
{
    TStringList* L = Item->GetItems();
    for (int c = 0; c < L->Count(); ++c) {
        SetCells(c, ARow, L->Get(c));
        SetObjects(c, ARow, L->GetObjects(c));
    }
    L->Clear();
}

void TQorStringGrid::ScrubStoredRows(int FromRow, int ToRow)
{
    ToRow = std::min(ToRow, StoredRowCount() - 1);
    if (ToRow < FromRow) return;
    const int Cols = std::max(AllCols(), FDims.FMaxColCount + FDims.FNumHidden);
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = 0; c < Cols; ++c) {
            // Beyond the count no merged area or repaint matters: the properties just go.
            TObject* O = GetObjects(c, r);
            SetObjects(c, r, nullptr);
            if (auto* P = dynamic_cast<TCellProperties*>(O)) P->Free();
            SetCells(c, r, String());
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

void TQorStringGrid::RestoreItems(std::vector<TGridItem*> Items)
{
    if (Items.empty()) return;
    std::sort(Items.begin(), Items.end(), [](TGridItem* a, TGridItem* b) { return a->GetIdx() < b->GetIdx(); });
    // The hidden rows that stay hidden decide where each restored row goes.
    std::vector<int> Staying;
    {
        const std::vector<int>& All = HiddenMap().Rows();
        std::vector<int> Leaving(Items.size());
        for (size_t i = 0; i < Items.size(); ++i) Leaving[i] = Items[i]->GetIdx();
        std::set_difference(All.begin(), All.end(), Leaving.begin(), Leaving.end(), std::back_inserter(Staying));
    }
    std::vector<int> Target(Items.size());
    for (size_t i = 0; i < Items.size(); ++i) {
        const int Idx = Items[i]->GetIdx();
        Target[i] = Idx - int(std::lower_bound(Staying.begin(), Staying.end(), Idx) - Staying.begin());
    }
    const int OldCount = GetRowCount();
    const int NewCount = OldCount + int(Items.size());
    if (FooterRowShown()) {
        // The floating footer's row stays last: rows hidden below it come back above it, in order.
        int Limit = NewCount - 2;
        for (size_t i = Items.size(); i-- > 0; --Limit) Target[i] = std::min(Target[i], Limit);
    }
    // Cells a lowered count left in the storage would be overwritten: they are freed first.
    ScrubStoredRows(OldCount, NewCount - 1);
    SetRowCount(NewCount);
    // Bottom up, every row moves down (a shown one from s < t) or comes back from the store, its
    // height with it; the heights move in place, as the rows do.
    TGridAxis& Ax = Axis(TGridAxisKind::Rows);
    int s = OldCount - 1;
    int j = int(Items.size()) - 1;
    for (int t = NewCount - 1; t >= 0 && j >= 0; --t) {
        if (Target[size_t(j)] == t) {
            ItemToRow(Items[size_t(j)], t);
            Ax.SetSize(t, Items[size_t(j)]->GetHeight());
            --j;
        } else {
            ExchangeStoredRows(s, t);
            Ax.SetSize(t, Ax.Size(s));
            --s;
        }
    }
    FDims.FMaxRowCount = std::max(FDims.FMaxRowCount, NewCount);
    for (int r = FLists.FSuppressRowSizes->Count(); r < NewCount; ++r) FLists.FSuppressRowSizes->Add(Ax.Size(r));
    TCollection* Store = FLists.FGridItems.get();
    if (int(Items.size()) == Store->Count()) {
        Store->Clear();
    } else {
        // The newest items were added last: freeing from the back finds them quickly.
        for (auto It = Items.rbegin(); It != Items.rend(); ++It) (*It)->Free();
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
    TCollection* Items = FLists.FGridItems.get();
    int Pos = 0;
    for (int i = 0; i < Items->Count(); ++i)
        if (ItemAt(Items, i)->GetIdx() < FromRealRow) Pos = i + 1;
    for (size_t i = 0; i < Real.size(); ++i) RowToItem(Displ[i], Real[i], Pos++, 0)->SetByRange(true);
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
    for (size_t i = 0; i < Real.size(); ++i) RowToItem(Displ[i], Real[i], -1, 0)->SetByRange(true);
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
    const THiddenRowMap& Map = HiddenMap();
    std::vector<int> Real(Displ.size());
    for (size_t i = 0; i < Displ.size(); ++i) Real[i] = Map.ToReal(Displ[i]);
    {
        TCollection* Items = FLists.FGridItems.get();
        UpdateBlock(*Items, [&] {
            for (size_t i = 0; i < Displ.size(); ++i) RowToItem(Displ[i], Real[i], -1, FFilterState.FFilterLevel);
        });
    }
    ++FFilterState.FFilterLevel;
    DestroyHiddenRowLookup();
    CloseRowGaps(Displ);
    CellControlsUpdate(false);
}

void TQorStringGrid::UnHideRows(int FromRealRow, int ToRealRow)
{
    if (!IsHiddenRow(FromRealRow)) return;
    std::vector<TGridItem*> Items;
    TCollection* Store = FLists.FGridItems.get();
    for (int i = 0; i < Store->Count(); ++i) {
        TGridItem* Item = ItemAt(Store, i);
        if (Item->GetIdx() >= FromRealRow && Item->GetIdx() <= ToRealRow) Items.push_back(Item);
    }
    {
        TValueScope<bool> NoCCU(FRun.ccuCall, false);
        RestoreItems(std::move(Items));
    }
    CellControlsUpdate(false);
}

void TQorStringGrid::UnHideRowsAll()
{
    TCollection* Store = FLists.FGridItems.get();
    if (!Store || Store->Count() == 0) return;
    std::vector<TGridItem*> Items(size_t(Store->Count()));
    for (int i = 0; i < Store->Count(); ++i) Items[size_t(i)] = ItemAt(Store, i);
    RestoreItems(std::move(Items));
    CellControlsUpdate(false);
}

void TQorStringGrid::UnHideRowList()
{
    // At level 0 no filter level is applied: nothing is popped (and nothing is lost).
    if (FFilterState.FFilterLevel < 1) return;
    if (GetRow() >= GetRowCount()) FocusCell(GetFixedCols(), GetFixedRows());
    const int Level = FFilterState.FFilterLevel - 1;
    std::vector<TGridItem*> Items;
    TCollection* Store = FLists.FGridItems.get();
    for (int i = 0; i < Store->Count(); ++i) {
        TGridItem* Item = ItemAt(Store, i);
        // Rows hidden by range (contracted nodes) stay hidden under their nodes.
        if (!Item->GetByRange() && Item->GetLevel() == Level)
            Items.push_back(Item);
    }
    TValueScope<bool> Block(FFilterState.FBlockFilterUpdate, true);
    RestoreItems(std::move(Items));
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
