// Suppressed rows and columns, moving and swapping rows and columns, the parked selection.
#include "tests/grid/view/GridModelKit.h"

#include "grid/sortfilter/QorFilterData.h"

namespace {

using QorGridSuppress = GridModelTest;

}  // namespace

TEST_F(QorGridSuppress, SuppressKeepsTheFirstStoredSize)
{
    G->SetRowHeights(3, 30);
    G->SuppressRow(3);
    G->SetRowHeights(3, 0);
    G->SuppressRow(3);
    EXPECT_TRUE(G->IsSuppressedRow(3));
    G->UnSuppressRow(3);
    EXPECT_EQ(G->GetRowHeights(3), 30);
    G->SetColWidths(2, 0);
    EXPECT_TRUE(G->IsSuppressedColumn(2));    // a stored width from the count setter
    G->UnSuppressAllRows();
    G->SetRowHeights(5, 0);
    G->UnSuppressRow(5);
    EXPECT_EQ(G->GetRowHeights(5), G->GetDefaultRowHeight());
    G->SuppressColumn(1);
    G->UnSuppressAllColumns();
    EXPECT_GT(G->GetColWidths(1), 0);
}

TEST_F(QorGridSuppress, BlockMovesFollowTheTargetRule)
{
    // The rule is not monotonic: (2, 4, 2) moves the block further than (2, 5, 2).
    const struct {
        int From, To, Count;
        const wchar_t* Rows;
    } Cases[] = {
        {2, 5, 2, L"0 1 4 2 3 5 6 7 8 9"},
        {2, 4, 2, L"0 1 4 5 2 3 6 7 8 9"},
        {5, 1, 2, L"0 5 6 1 2 3 4 7 8 9"},
        {3, 3, 2, L"0 1 2 3 4 5 6 7 8 9"},
        {3, 6, 0, L"0 1 2 3 4 5 6 7 8 9"},
    };
    for (const auto& C : Cases) {
        TearDown();
        SetUp();
        G->MoveRows(C.From, C.To, C.Count);
        EXPECT_EQ(Shown(), C.Rows) << C.From << "," << C.To << "," << C.Count;
    }
}

TEST_F(QorGridSuppress, MovedRowsLeaveHiddenRowsInPlace)
{
    G->SetRowModified(2, true);
    G->HideRow(8);
    G->MoveRows(2, 6, 2);            // 0 1 4 5 2 3 6 7 9
    G->MoveRow(7, 1);                // 0 7 1 4 5 2 3 6 9
    EXPECT_EQ(Shown(), L"0 7 1 4 5 2 3 6 9");
    EXPECT_TRUE(G->IsHiddenRow(8));
    G->UnHideRow(8);
    EXPECT_EQ(Shown(), L"0 7 1 4 5 2 3 6 8 9");
    // The modified mark follows its row, by real row.
    EXPECT_TRUE(G->GetRowModified(5));
    EXPECT_EQ(G->ModifiedRowCount(), 1);
}

TEST_F(QorGridSuppress, SwappedRowsTakeTheirHiddenColumnsAlong)
{
    G->HideColumn(3);
    G->SetRowHeights(2, 31);
    G->SwapRows(2, 5);
    EXPECT_EQ(G->GetCellEx(3, 2), L"3.5");
    EXPECT_EQ(G->GetCellEx(3, 5), L"3.2");
    EXPECT_EQ(G->GetRowHeights(5), 31);
}

TEST_F(QorGridSuppress, MovedColumnsTakeTheirFilterConditionsAndOrder)
{
    TFilterData* F = static_cast<TFilterData*>(G->GetFilter()->Add());
    F->SetColumn(2);
    G->MoveColumn(4, 1);
    EXPECT_EQ(F->GetColumn(), 3);
    EXPECT_EQ(G->GetCellEx(1, 3), L"4.3");
    EXPECT_EQ(G->ColumnAtPosition(1), 4);
    EXPECT_EQ(G->ColumnPosition(4), 1);
    EXPECT_EQ(G->GetOriginalCells(4, 3), L"4.3");
    G->ResetColumnOrder();
    EXPECT_EQ(Column(1), L"1.0 1.1 1.2 1.3 1.4 1.5 1.6 1.7 1.8 1.9");
    EXPECT_EQ(F->GetColumn(), 2);
}

TEST_F(QorGridSuppress, TheParkedSelectionComesBack)
{
    G->SetSelectionEx(TGridRect{1, 2, 3, 4});
    G->HideSelection();
    EXPECT_TRUE(G->IsSelectionHidden());
    G->UnHideSelection();
    EXPECT_EQ(G->GetSelection(), (TGridRect{1, 2, 3, 4}));
    G->HideSelection();
    G->SetRowCountEx(2);
    G->UnHideSelection();
    EXPECT_EQ(G->GetSelection(), (TGridRect{1, 1, 1, 1}));
}
