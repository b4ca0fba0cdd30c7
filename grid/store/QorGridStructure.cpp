// TQorStringGrid: clearing cells, rows and rectangles; inserting, removing and trimming rows and
// columns. Rows and columns move as whole stored lines (never cell by cell), and every side list
// follows them: hidden rows keep their real rows, the modified marks (real rows), the enabled marks,
// row and column selections, selected cells, suppressed sizes, cell controls, filter conditions,
// merged columns and the column order. None of these records an undo step.
#include "grid/QorGrid.h"

#include "grid/detail/ListShift.h"
#include "grid/input/FloatingFooter.h"
#include "grid/paint/CellGraphic.h"
#include "grid/sortfilter/QorFilterData.h"
#include "grid/view/GridItem.h"

#include <algorithm>
#include <map>

using namespace QorGridDetail;

void TQorStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (ACol2 < ACol1 || ARow2 < ARow1) return;
    const bool Destroying = IsDestroying();
    for (int r = ARow1; r <= ARow2; ++r) {
        for (int c = ACol1; c <= ACol2; ++c) {
            const int rc = FText.FSaveHiddenCells ? RealColIndex(c) : c;
            if (FText.FOwnsObjects && HasCellProperties(rc, r)) {
                TCellProperties* P = GetCellProperties(rc, r);
                if (NativeUInt Obj = P->GetCellObject()) {
                    reinterpret_cast<TObject*>(Obj)->Free();
                    P->SetCellObject(0);
                }
            }
            if (!FText.FClearTextOnly && HasCellProperties(rc, r)) {
                // A node record leaving its cell is counted off.
                if (FDims.FNumNodes > 0 && rc == FOpt.FCellNode->GetNodeColumn() && NodeAt(r)) --FDims.FNumNodes;
                if (FText.FNilObjects) {
                    NilCell(rc, r);
                } else {
                    FreeCellGraphic(rc, r);
                    SetCellProperties(rc, r, nullptr);
                }
            }
            if (!Destroying && !GetCellEx(rc, r).empty()) {
                SetCellEx(rc, r, String());
                if (rc != c) RepaintCell(c, r);
            }
        }
    }
    if (!FText.FSaveHiddenCells && FDims.FNumHidden > 0) Invalidate();
    if (ACol1 == 0 && ARow1 == 0 && ACol2 >= GetColCount() - 1 && ARow2 >= GetRowCount() - 1) FHasCellProps = false;
    if (!Destroying && !FText.FBlockCellChange)
        CellsChanged(TRect(RealColIndex(ACol1), ARow1, RealColIndex(ACol2), ARow2));
}

void TQorStringGrid::ClearRows(int RowIndex, int RCount)
{
    if (GetRowCount() == 0 || GetColCount() == 0 || RCount < 1) return;
    ClearRect(0, RowIndex, GetColCount() + FDims.FNumHidden - 1, RowIndex + RCount - 1);
}


void TQorStringGrid::ClearCols(int ColIndex, int CCount)
{
    if (GetRowCount() == 0 || GetColCount() == 0 || CCount < 1) return;
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, GetRowCount() - 1);
}

void TQorStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
    if (GetRowCount() == 0 || GetColCount() == 0 || RCount < 1) return;
    ClearRect(GetFixedCols(), RowIndex, AllCols() - FDims.FFixedRightCols - 1, RowIndex + RCount - 1);
}

void TQorStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
    if (GetRowCount() == 0 || GetColCount() == 0 || CCount < 1) return;
    ClearRect(ColIndex, GetFixedRows(), ColIndex + CCount - 1, GetRowCount() - FDims.FFixedFooters - 1);
}

void TQorStringGrid::ClearNormalCells()
{
    // Without fixed columns the node column is cleared too: the nodes go first.
    if (GetFixedCols() == 0 && HasNodes()) RemoveAllNodes();
    if (GetRowCount() == 0 || GetColCount() == 0) return;
    ClearRect(GetFixedCols(), GetFixedRows(), AllCols() - FDims.FFixedRightCols - 1,
              GetRowCount() - FDims.FFixedFooters - 1);
}

void TQorStringGrid::Clear()
{
    // The children of contracted nodes come back to be cleared; a grid being destroyed keeps
    // its node records for the destructor to free.
    if (HasNodes()) {
        ExpandAll();
        if (!IsDestroying()) RemoveAllNodes();
    }
    if (GetRowCount() > 0 && GetColCount() > 0) ClearRect(0, 0, AllCols() - 1, GetRowCount() - 1);
    FEdit.FSearchInc.clear();
    if (FDims.FNumHidden > 0) Invalidate();
}

void TQorStringGrid::ClearAll()
{
    if (IsDestroying()) return;
    if (HasNodes()) {
        ExpandAll();
        RemoveAllNodes();
    }
    UnHideColumnsAll();
    UnHideRowsAll();
    if (GetRowCount() > 0 && GetColCount() > 0) {
        // Cells beyond the counts are reached through the string grid's storage directly.
        const int Rows = std::max({GetRowCount(), FDims.FMaxRowCount, StoredRowCount()});
        const int Cols = std::max(AllCols(), FDims.FMaxColCount);
        if (Rows > GetRowCount() || Cols > AllCols()) {
            ScrubStoredRows(GetRowCount(), Rows - 1);
            if (FHasCellProps) ClearPropRect(AllCols(), 0, Cols - 1, GetRowCount() - 1);
            for (int r = 0; r < GetRowCount(); ++r)
                for (int c = AllCols(); c < Cols; ++c) {
                    SetObjects(c, r, nullptr);
                    SetCells(c, r, String());
                }
        }
        ClearRect(0, 0, AllCols() - 1, GetRowCount() - 1);
    }
    FEdit.FSearchInc.clear();
}

void TQorStringGrid::ClearSelection()
{
    if (FOpt.FMouseActions->GetDisjunctRowSelect()) {
        const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
        for (int r = GetFixedRows(); r < GetRowCount(); ++r)
            if (GetRowSelect(Persistent ? RemapRowInv(r) : r)) ClearRows(r, 1);
        return;
    }
    // The selection's columns are display columns.
    TValueScope<bool> Hidden(FText.FSaveHiddenCells, true);
    if (FOpt.FMouseActions->GetDisjunctColSelect()) {
        for (int c = GetFixedCols(); c < GetColCount(); ++c)
            if (GetColSelect(c)) ClearCols(c, 1);
    } else {
        const TGridRect S = GetSelection();
        ClearRect(std::min(S.Left, S.Right), std::min(S.Top, S.Bottom), std::max(S.Left, S.Right),
                  std::max(S.Top, S.Bottom));
    }
}

// ---- Side lists -----------------------------------------------------------------------------------------

void TQorStringGrid::SideListsInserted(const std::vector<int>& Rows, const std::vector<int>& RealRows)
{
    const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
    InsertEntriesAt(FLists.FModifiedRows.get(), RealRows, nullptr);
    InsertEntriesAt(FLists.FEnabledRows.get(), Rows, nullptr);
    const std::vector<int>& SelAt = Persistent ? RealRows : Rows;
    InsertEntriesAt(FLists.FRowSelect.get(), SelAt, nullptr);
    ShiftValuesInsertedAt(FLists.FSelectedRows.get(), SelAt);
    for (Int64& K : FModel.FSelectedCells) K += Int64(LinesInsertedUpTo(Rows, int(K >> 32))) << 32;
    InsertValuesAt(FLists.FSuppressRowSizes.get(), Rows, GetDefaultRowHeight());
    TControlList* Controls = FLists.FControlList.get();
    for (int i = 0; i < Controls->Count(); ++i) Controls->GetControl(i)->FY += LinesInsertedUpTo(RealRows, Controls->GetControl(i)->FY);
    for (TGridItem& Item : FLists.FGridItems) Item.SetIdx(Item.GetIdx() + LinesInsertedUpTo(RealRows, Item.GetIdx()));
    DestroyHiddenRowLookup();
}

void TQorStringGrid::SideListsRemoved(const std::vector<int>& Rows, const std::vector<int>& RealRows)
{
    const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
    RemoveEntries(FLists.FModifiedRows.get(), RealRows);
    RemoveEntries(FLists.FEnabledRows.get(), Rows);
    RemoveEntries(FLists.FSuppressRowSizes.get(), Rows);
    const std::vector<int>& SelRows = Persistent ? RealRows : Rows;
    RemoveEntries(FLists.FRowSelect.get(), SelRows);
    ShiftValuesRemoved(FLists.FSelectedRows.get(), SelRows);
    std::vector<Int64> Keys;
    for (Int64 K : FModel.FSelectedCells) {
        const int r = int(K >> 32);
        const auto It = std::lower_bound(Rows.begin(), Rows.end(), r);
        if (It != Rows.end() && *It == r) continue;
        Keys.push_back(CellKey(int(K & 0xFFFFFFFF), r - int(It - Rows.begin())));
    }
    FModel.FSelectedCells = std::move(Keys);
    TControlList* Controls = FLists.FControlList.get();
    for (int i = Controls->Count() - 1; i >= 0; --i) {
        TControlItem* C = Controls->GetControl(i);
        if (std::binary_search(RealRows.begin(), RealRows.end(), C->FY)) {
            if (C->FObject) C->FObject->SetVisible(false);
            Controls->RemoveControl(i);
        } else {
            C->FY = RealIndexAfterRemoval(C->FY, RealRows);
        }
    }
    for (TGridItem& Item : FLists.FGridItems) Item.SetIdx(RealIndexAfterRemoval(Item.GetIdx(), RealRows));
    DestroyHiddenRowLookup();
}

// ---- Inserting rows -------------------------------------------------------------------------------------

void TQorStringGrid::InsertRows(int RowIndex, int RCount, bool Update)
{
    InsertRowsEx(RowIndex, RCount, Update);
}

void TQorStringGrid::InsertRowsEx(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RCount < 1 || RowIndex < 0) return;
    // The floating footer's row stays last: rows asked for at or after it go before it.
    RowIndex = std::min(RowIndex, GetRowCount() - (FooterRowShown() ? 1 : 0));
    if (FModel.FSelHidden || GetCol() >= GetColCount() || GetRow() >= GetRowCount()) UnHideSelection();
    const int LeftCol = GetLeftCol();
    const int RealRow = RemapRowInv(RowIndex);
    InsertRowsBefore(std::vector<int>(size_t(RCount), RowIndex));
    if (FOpt.FNavigation->GetKeepHorizScroll()) SetLeftCol(LeftCol);
    if (!UpdateCellControls) {
        // The caller keeps the controls where they were.
        TControlList* Controls = FLists.FControlList.get();
        for (int i = 0; i < Controls->Count(); ++i)
            if (Controls->GetControl(i)->FY >= RealRow + RCount) Controls->GetControl(i)->FY -= RCount;
    } else if (FLists.FControlList->Count() > 0) {
        CellControlsUpdate(false);
    }
    if (!IsDestroying()) CellsChanged(TRect(0, RowIndex, GetColCount() - 1, RowIndex + RCount));
}

void TQorStringGrid::InsertRowsBefore(const std::vector<int>& Before)
{
    if (Before.empty()) return;
    const int Old = GetRowCount();
    const int k = int(Before.size());
    const int New = Old + k;
    std::vector<int> RealBefore(Before.size());
    {
        const bool Any = NumHiddenRows() > 0;
        for (size_t j = 0; j < Before.size(); ++j) RealBefore[j] = Any ? RemapRowInv(Before[j]) : Before[j];
    }
    // Cells a lowered count left beyond the end would come back inside the new rows: freed.
    ScrubStoredRows(Old, New - 1);
    const std::vector<int>& Sizes = Axis(TGridAxisKind::Rows).Sizes();
    const int First = Before.front();
    std::vector<int> H(Sizes.begin() + First, Sizes.end());
    SetRowCount(New);
    // Bottom up: each old row moves down by the new rows before it; the empty rows beyond the old
    // end come up into the gaps.
    TGridAxis& Ax = Axis(TGridAxisKind::Rows);
    int s = Old - 1, j = k - 1;
    for (int t = New - 1; t >= First && j >= 0; --t) {
        if (Before[size_t(j)] + j == t) {
            Ax.SetSize(t, GetDefaultRowHeight());
            --j;
        } else {
            ExchangeStoredRows(s, t);
            Ax.SetSize(t, H[size_t(s - First)]);
            --s;
        }
    }
    FDims.FMaxRowCount = std::max(FDims.FMaxRowCount, New);
    SideListsInserted(Before, RealBefore);
    RowHeightsChanged();
}

bool TQorStringGrid::FooterRowShown() const
{
    return FOpt.FFloatingFooter && FOpt.FFloatingFooter->GetVisible() && GetRowCount() > 0;
}

void TQorStringGrid::AddRow()
{
    if (FooterRowShown()) {
        InsertRows(GetRowCount() - 1, 1, true);
        if (FOpt.FFloatingFooter->GetFooterStyle() == fsFixedLastRow) ClearRows(GetRowCount() - 2, 1);
    } else {
        InsertRows(GetRowCount(), 1, true);
        ClearRows(GetRowCount() - 1, 1);
    }
}

// ---- Removing rows --------------------------------------------------------------------------------------

void TQorStringGrid::RemoveDisplayRows(const std::vector<int>& Rows, bool Release)
{
    if (Rows.empty()) return;
    std::vector<int> Real(Rows.size());
    {
        const bool Any = NumHiddenRows() > 0;
        for (size_t i = 0; i < Rows.size(); ++i) Real[i] = Any ? RemapRowInv(Rows[i]) : Rows[i];
    }
    const int Cols = AllCols();
    TValueScope<bool> Block(FEdit.FBlockCellChanging, true);
    // Node rows leaving the grid are counted off (detached rows are the caller's to put back).
    if (Release && FDims.FNumNodes > 0)
        for (int r : Rows)
            if (NodeAt(r) && FDims.FNumNodes > 0) --FDims.FNumNodes;
    for (int r : Rows) {
        if (Release) ClearPropRect(0, r, Cols - 1, r);
        for (int c = 0; c < Cols; ++c) {
            SetObjects(c, r, nullptr);
            SetCells(c, r, String());
        }
    }
    CloseRowGaps(Rows);
    SideListsRemoved(Rows, Real);
}

namespace {

std::vector<int> RowRange(int From, int Count)
{
    std::vector<int> Rows(size_t(std::max(Count, 0)));
    for (int i = 0; i < Count; ++i) Rows[size_t(i)] = From + i;
    return Rows;
}

}  // namespace

void TQorStringGrid::RemoveRows(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= GetRowCount() || RCount < 1) return;
    RCount = std::min(RCount, GetRowCount() - RowIndex);
    const int SavedRow = GetRow();
    const int SavedTop = GetTopRow();
    // The current cell is offered to SelectCell (kept to the normal cells): the answer is not
    // used, but the grid's checks and the OnSelectCell event run as for a move of the cursor.
    if (GetFixedRows() < GetRowCount() && GetFixedCols() < GetColCount())
        SelectCell(std::clamp(GetCol(), GetFixedCols(), GetColCount() - 1),
                   std::clamp(GetRow(), GetFixedRows(), GetRowCount() - 1));
    BeginUpdate();
    {
        auto End = ScopeExit([this] { EndUpdate(); });
        TValueScope<bool> HideLast(FHideLastRow, FHideLastRow);
        // A filtered grid removes exactly the shown rows asked for; the hidden rows between them
        // stay hidden and keep their places.
        RemoveDisplayRows(RowRange(RowIndex, RCount), true);
        const int LastNormal = GetRowCount() - FDims.FFixedFooters - 1;
        if (SavedRow >= GetFixedRows() && SavedRow <= LastNormal) {
            SetRowEx(SavedRow);
            SetTopRowEx(SavedTop);
        } else if (GetFixedRows() <= LastNormal) {
            SetRowEx(LastNormal);
        } else {
            HideSelection();
        }
        FModel.FSelHidden = false;
    }
    CellsChanged(TRect(0, RowIndex, GetColCount() - 1, RowIndex + RCount));
    if (FLists.FControlList->Count() > 0) CellControlsUpdate(false);
}

void TQorStringGrid::RemoveRowsInternal(int RowIndex, int RCount)
{
    IRemoveRows(RowIndex, RCount, true);
}

void TQorStringGrid::IRemoveRows(int RowIndex, int RCount, bool)
{
    if (RowIndex < 0 || RowIndex >= GetRowCount() || RCount < 1) return;
    RCount = std::min(RCount, GetRowCount() - RowIndex);
    bool Allow = true;
    if (GetRow() == GetRowCount() - 1 && OnRowChanging) OnRowChanging(this, GetRow(), GetRow() - RCount, Allow);
    if (Allow) {
        BeginUpdate();
        auto End = ScopeExit([this] { EndUpdate(); });
        const int SavedRow = GetRow();
        const int SavedTop = GetTopRow();
        RemoveDisplayRows(RowRange(RowIndex, RCount), true);
        if (SavedRow < GetRowCount()) {
            SetRowEx(SavedRow);
            SetTopRowEx(SavedTop);
        } else if (GetFixedRows() < GetRowCount()) {
            SetRowEx(GetRowCount() - 1);
        } else {
            HideSelection();
        }
        FModel.FSelHidden = false;
    }
    CellsChanged(TRect(0, RowIndex, GetColCount() - 1, RowIndex + RCount));
    if (FLists.FControlList->Count() > 0) CellControlsUpdate(false);
}

void TQorStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= GetRowCount() || RCount < 1) return;
    RCount = std::min(RCount, GetRowCount() - RowIndex);
    BeginUpdate();
    {
        auto End = ScopeExit([this] { EndUpdate(); });
        const int SavedRow = GetRow();
        // The cell objects are the caller's: detached, not freed.
        RemoveDisplayRows(RowRange(RowIndex, RCount), false);
        if (SavedRow < GetRowCount()) SetRowEx(SavedRow);
        else if (GetFixedRows() < GetRowCount()) SetRowEx(GetFixedRows());
    }
    CellsChanged(TRect(0, RowIndex, GetColCount() - 1, RowIndex + RCount));
}

void TQorStringGrid::RemoveRowList(TIntList* RowList)
{
    if (!RowList || RowList->Count() == 0) return;
    std::vector<int> Rows;
    for (int i = 0; i < RowList->Count(); ++i) {
        const int r = RowList->GetInteger(i);
        if (r >= 0 && r < GetRowCount()) Rows.push_back(r);
    }
    std::sort(Rows.begin(), Rows.end());
    Rows.erase(std::unique(Rows.begin(), Rows.end()), Rows.end());
    if (Rows.empty()) return;
    RemoveDisplayRows(Rows, true);
    CellControlsUpdate(false);
    CellsChanged(TRect(0, Rows.front(), GetColCount() - 1, GetRowCount()));
}

void TQorStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked)
{
    BeginUpdate();
    auto End = ScopeExit([this] { EndUpdate(); });
    for (int r = GetRowCount() - 1; r >= GetFixedRows(); --r) {
        bool State = false;
        GetCheckBoxState(CheckBoxColumn, r, State);
        if (State == RemoveChecked) RemoveRows(r, 1);
    }
}

void TQorStringGrid::RemoveDuplicates(int ACol, bool DoCase)
{
    const int c = RemapCol(ACol);
    BeginUpdate();
    auto End = ScopeExit([this] { EndUpdate(); });
    std::vector<String> Seen;
    TFreePtr<TIntList> Dups(Create<TIntList>(0, 0));
    std::vector<String> Keys;
    for (int r = GetFixedRows(); r <= GetRowCount() - FDims.FFixedFooters - 1; ++r) {
        String Key = GetCellEx(c, r);
        if (!DoCase) Key = AnsiUpperCase(Key);
        auto It = std::lower_bound(Keys.begin(), Keys.end(), Key);
        if (It != Keys.end() && *It == Key) Dups->Add(r);
        else Keys.insert(It, Key);
    }
    RemoveRowList(Dups.get());
}

namespace {

// Maximal runs of consecutive rows, as (first, length), lowest first.
std::vector<std::pair<int, int>> Runs(const std::vector<int>& Rows)
{
    std::vector<std::pair<int, int>> R;
    for (int r : Rows) {
        if (!R.empty() && R.back().first + R.back().second == r) ++R.back().second;
        else R.emplace_back(r, 1);
    }
    return R;
}

}  // namespace

void TQorStringGrid::RemoveSelectedRows()
{
    BeginUpdate();
    auto End = ScopeExit([this] { EndUpdate(); });
    if (FOpt.FMouseActions->GetDisjunctRowSelect()) {
        const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
        std::vector<int> Rows;
        for (int r = GetFixedRows(); r <= GetRowCount() - FDims.FFixedFooters - 1; ++r)
            if (GetRowSelect(Persistent ? RemapRowInv(r) : r)) Rows.push_back(r);
        ClearRowSelectInt();
        // Removed from the bottom up, so that the runs below keep their rows.
        auto R = Runs(Rows);
        for (auto It = R.rbegin(); It != R.rend(); ++It) RemoveRowsInternal(It->first, It->second);
    } else {
        const TGridRect S = GetSelection();
        for (int r = std::max(S.Top, S.Bottom); r >= std::min(S.Top, S.Bottom); --r) RemoveRowsInternal(r, 1);
    }
}

void TQorStringGrid::RemoveUnSelectedRows()
{
    BeginUpdate();
    auto End = ScopeExit([this] { EndUpdate(); });
    const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
    if (FOpt.FMouseActions->GetDisjunctRowSelect()) {
        // The flags are read in the index system they are kept in.
        for (int r = GetRowCount() - FDims.FFixedFooters - 1; r >= GetFixedRows(); --r)
            if (!GetRowSelect(Persistent ? RemapRowInv(r) : r)) RemoveRowsInternal(r, 1);
    } else {
        const TGridRect S = GetSelection();
        const int Top = std::min(S.Top, S.Bottom), Bottom = std::max(S.Top, S.Bottom);
        RemoveRows(Bottom + 1, GetRowCount() - Bottom - 1);
        if (GetFixedRows() < Top) RemoveRows(GetFixedRows(), Top - GetFixedRows());
    }
    if (Persistent) SelectRows(GetFixedRows(), GetRowCount() - GetFixedRows());
    else ClearRowSelectInt();
}

void TQorStringGrid::HideSelectedRows()
{
    BeginUpdate();
    auto End = ScopeExit([this] { EndUpdate(); });
    const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
    if (FOpt.FMouseActions->GetDisjunctRowSelect()) {
        for (int r = GetRowCount() - 1; r >= GetFixedRows(); --r)
            if (GetRowSelect(Persistent ? RemapRowInv(r) : r)) HideRow(RemapRowInv(r));
    } else {
        TFreePtr<TIntList> L(Create<TIntList>(0, 0));
        for (int r = GetFixedRows(); r < GetRowCount(); ++r)
            if (GetRowSelect(Persistent ? RemapRowInv(r) : r)) L->Add(r);
        HideRowList(L.get());
    }
}

void TQorStringGrid::HideUnSelectedRows()
{
    BeginUpdate();
    auto End = ScopeExit([this] { EndUpdate(); });
    const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
    int r = GetFixedRows();
    while (r < GetRowCount() && GetRowCount() > 1) {
        if (GetRowSelect(Persistent ? RemapRowInv(r) : r)) ++r;
        else HideRow(RemapRowInv(r));
    }
}

// ---- Columns ------------------------------------------------------------------------------------------

void TQorStringGrid::RotateColumns(int First, int Middle, int Last)
{
    if (First >= Middle || Middle >= Last) return;
    const int N = std::max(AllCols(), Last);
    FDims.FVisibleCol.resize(size_t(N), true);
    FDims.FAllColWidths.resize(size_t(N), GetDefaultColWidth());
    // Widths by real column: shown columns from the framework, hidden ones from their store.
    std::vector<int> W(size_t(N), GetDefaultColWidth());
    for (int c = 0, d = 0; c < N; ++c)
        W[size_t(c)] = !FDims.FVisibleCol[size_t(c)] ? FDims.FAllColWidths[size_t(c)]
                       : d < GetColCount()          ? GetColWidths(d++)
                                                    : GetDefaultColWidth();
    std::rotate(W.begin() + First, W.begin() + Middle, W.begin() + Last);
    std::rotate(FDims.FVisibleCol.begin() + First, FDims.FVisibleCol.begin() + Middle, FDims.FVisibleCol.begin() + Last);
    std::rotate(FDims.FAllColWidths.begin() + First, FDims.FAllColWidths.begin() + Middle,
                FDims.FAllColWidths.begin() + Last);
    RotateStoredCols(First, Middle, Last);
    // Hidden rows' cells turn as the stored rows' do.
    for (TGridItem& Item : FLists.FGridItems) {
        TGridItem::TCells& Cells = Item.Cells();
        if (int(Cells.size()) <= First) continue;
        if (int(Cells.size()) < Last) Cells.resize(size_t(Last));
        std::rotate(Cells.begin() + First, Cells.begin() + Middle, Cells.begin() + Last);
    }
    TIntList* Order = FLists.FColumnOrder.get();
    if (Order->Count() > First) MoveEntries(Order, Middle, Last - Middle, First);
    // The display widths follow the shown columns in their new order.
    for (int c = 0, d = 0; c < N; ++c) {
        if (!FDims.FVisibleCol[size_t(c)]) FDims.FAllColWidths[size_t(c)] = W[size_t(c)];
        else if (d < GetColCount()) SetColWidths(d++, W[size_t(c)]);
    }
}

void TQorStringGrid::InsertCols(int ColIndex, int CCount)
{
    if (CCount < 1 || ColIndex < 0) return;
    ColIndex = std::min(ColIndex, GetColCount());
    const int R = ColIndex < GetColCount() ? RemapCol(ColIndex) : AllCols();
    const int Old = AllCols();
    // Cells a lowered count left beyond the last column would come back inside the new columns.
    if (FHasCellProps) ClearPropRect(Old, 0, Old + CCount - 1, StoredRowCount() - 1);
    for (int r = 0; r < StoredRowCount(); ++r)
        for (int c = Old; c < Old + CCount; ++c) {
            SetObjects(c, r, nullptr);
            SetCells(c, r, String());
        }
    SetColCount(GetColCount() + CCount);
    FDims.FVisibleCol.resize(size_t(Old + CCount), true);
    FDims.FAllColWidths.resize(size_t(Old + CCount), GetDefaultColWidth());
    // The new columns (made at the end) move to their place.
    RotateColumns(R, Old, Old + CCount);
    for (int c = R; c < R + CCount; ++c) {
        FDims.FVisibleCol[size_t(c)] = true;
        FDims.FAllColWidths[size_t(c)] = GetDefaultColWidth();
    }
    for (int d = ColIndex; d < ColIndex + CCount; ++d) SetColWidths(d, GetDefaultColWidth());
    TIntList* Order = FLists.FColumnOrder.get();
    if (Order->Count() > 0)
        for (int i = 0; i < CCount && R + i <= Order->Count(); ++i) Order->Insert(R + i, Old + i);
    FDims.FMaxColCount = std::max(FDims.FMaxColCount, GetColCount());
    InsertEntries(FLists.FColSelect.get(), ColIndex, CCount, nullptr);
    TIntList* Sizes = FLists.FSuppressColSizes.get();
    for (int i = 0; i < CCount && ColIndex <= Sizes->Count(); ++i) Sizes->Insert(ColIndex, GetDefaultColWidth());
    ShiftValuesInserted(FLists.FMergedColumns.get(), R, CCount);
    for (Int64& K : FModel.FSelectedCells)
        if (int(K & 0xFFFFFFFF) >= ColIndex) K += CCount;
    TControlList* Controls = FLists.FControlList.get();
    for (int i = 0; i < Controls->Count(); ++i)
        if (Controls->GetControl(i)->FX >= ColIndex) Controls->GetControl(i)->FX += CCount;
    TFilter* F = FOpt.FFilter.get();
    for (int i = 0; i < F->Count(); ++i)
        if (F->GetItems(i)->GetColumn() >= R) F->GetItems(i)->SetColumn(F->GetItems(i)->GetColumn() + CCount);
}

void TQorStringGrid::RemoveCols(int ColIndex, int CCount)
{
    if (ColIndex < 0 || CCount < 1 || ColIndex >= AllCols()) return;
    CCount = std::min(CCount, AllCols() - ColIndex);
    // Real columns: the cells of hidden rows and hidden columns go with them.
    const int First = ColIndex, Last = ColIndex + CCount;
    const int N = AllCols();
    if (FHasCellProps) ClearPropRect(First, 0, Last - 1, StoredRowCount() - 1);
    ClearCols(First, CCount);
    for (TGridItem& Item : FLists.FGridItems) {
        TGridItem::TCells& Cells = Item.Cells();
        for (int c = First; c < Last && c < int(Cells.size()); ++c) {
            if (auto* P = dynamic_cast<TCellProperties*>(Cells[size_t(c)].Object)) P->Free();
            Cells[size_t(c)] = {};
        }
    }
    std::vector<int> Displ;
    int HiddenGone = 0;
    for (int c = First; c < Last; ++c) {
        if (FDims.FVisibleCol[size_t(c)]) Displ.push_back(DisplColIndex(c));
        else ++HiddenGone;
    }
    RotateColumns(First, Last, N);
    for (TGridItem& Item : FLists.FGridItems)
        if (Item.CellCount() > N - CCount) Item.Cells().resize(size_t(N - CCount));
    FDims.FNumHidden -= HiddenGone;
    FDims.FVisibleCol.resize(size_t(N - CCount));
    FDims.FAllColWidths.resize(size_t(N - CCount));
    SetColCount(GetColCount() - int(Displ.size()));
    std::vector<int> Gone = RowRange(First, CCount);
    TIntList* Order = FLists.FColumnOrder.get();
    if (Order->Count() > 0) RemoveEntries(Order, Gone);
    RemoveEntries(FLists.FColSelect.get(), Displ);
    RemoveEntries(FLists.FSuppressColSizes.get(), Displ);
    ShiftValuesRemoved(FLists.FMergedColumns.get(), Gone);
    std::vector<Int64> Keys;
    for (Int64 K : FModel.FSelectedCells) {
        const int c = int(K & 0xFFFFFFFF);
        const auto It = std::lower_bound(Displ.begin(), Displ.end(), c);
        if (It != Displ.end() && *It == c) continue;
        Keys.push_back(CellKey(c - int(It - Displ.begin()), int(K >> 32)));
    }
    FModel.FSelectedCells = std::move(Keys);
    TControlList* Controls = FLists.FControlList.get();
    for (int i = Controls->Count() - 1; i >= 0; --i) {
        TControlItem* C = Controls->GetControl(i);
        if (std::binary_search(Displ.begin(), Displ.end(), C->FX)) {
            if (C->FObject) C->FObject->SetVisible(false);
            Controls->RemoveControl(i);
        } else {
            C->FX = RealIndexAfterRemoval(C->FX, Displ);
        }
    }
    TFilter* F = FOpt.FFilter.get();
    for (int i = F->Count() - 1; i >= 0; --i) {
        TFilterData* D = F->GetItems(i);
        if (D->GetColumn() >= First && D->GetColumn() < Last) F->Delete(i);
        else D->SetColumn(RealIndexAfterRemoval(D->GetColumn(), Gone));
    }
    CellsChanged(TRect(ColIndex, 0, ColIndex + CCount, GetRowCount() - 1));
}

void TQorStringGrid::RemoveSelectedCols()
{
    if (FOpt.FMouseActions->GetDisjunctColSelect()) {
        for (int c = GetColCount() - 1; c >= GetFixedCols(); --c)
            if (GetColSelect(c)) RemoveCols(RemapCol(c), 1);
    } else {
        const TGridRect S = GetSelection();
        const int L = std::min(S.Left, S.Right), R = std::max(S.Left, S.Right);
        for (int c = R; c >= L; --c) RemoveCols(RemapCol(c), 1);
    }
    ClearColSelect();
}

void TQorStringGrid::RemoveUnSelectedCols()
{
    if (FOpt.FMouseActions->GetDisjunctColSelect()) {
        for (int c = GetColCount() - 1; c >= GetFixedCols(); --c)
            if (!GetColSelect(c)) RemoveCols(RemapCol(c), 1);
    } else {
        const TGridRect S = GetSelection();
        const int L = std::min(S.Left, S.Right), R = std::max(S.Left, S.Right);
        // Display columns, each removed by its real index: hidden columns stay.
        for (int c = GetColCount() - 1; c > R; --c) RemoveCols(RemapCol(c), 1);
        for (int c = L - 1; c >= GetFixedCols(); --c) RemoveCols(RemapCol(c), 1);
    }
    ClearColSelect();
}

void TQorStringGrid::MergeCols(int ColIndex1, int ColIndex2, const String& Separator)
{
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
        SetCellEx(ColIndex1, r, Trim(GetCellEx(ColIndex1, r) + Separator + GetCellEx(ColIndex2, r)));
    RemoveCols(ColIndex2, 1);
}

void TQorStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (ACol2 < ACol1 || ARow2 < ARow1) return;
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c) {
            const int rc = FText.FSaveHiddenCells ? RemapCol(c) : c;
            SetCellEx(rc, r, Trim(GetCellEx(rc, r)));
        }
}

void TQorStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor)
{
    if (ACol2 < ACol1 || ARow2 < ARow1) return;
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c) SetColors(c, r, AColor);
}
