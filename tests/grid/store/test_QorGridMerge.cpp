// Merging runs of equal texts, column by column in a hierarchy.
#include "tests/grid/view/GridModelKit.h"

namespace {

using QorGridMerge = GridModelTest;

}  // namespace

TEST_F(QorGridMerge, RunsOfEqualTextsBecomeBlocks)
{
    G->SetRowCountEx(7);
    const wchar_t* Texts[] = {L"A", L"A", L"B", L"B", L"B", L"C"};
    for (int r = 1; r < 7; ++r) G->SetCellEx(1, r, Texts[r - 1]);
    G->MergeColumnCells(1, true);
    EXPECT_EQ(G->CellSpan(1, 1), TPoint(0, 1));
    EXPECT_EQ(G->CellSpan(1, 3), TPoint(0, 2));
    EXPECT_FALSE(G->IsMergedCell(1, 6));
    G->SplitColumnCells(1);
    EXPECT_FALSE(G->IsMergedCell(1, 1));
}

TEST_F(QorGridMerge, LaterColumnsMergeOnlyInsideEarlierBlocks)
{
    G->SetRowCountEx(5);
    const wchar_t* First[] = {L"A", L"A", L"B", L"B"};
    for (int r = 1; r < 5; ++r) {
        G->SetCellEx(1, r, First[r - 1]);
        G->SetCellEx(2, r, L"x");
    }
    G->GetMergedColumns()->Add(1);
    G->GetMergedColumns()->Add(2);
    EXPECT_EQ(G->CellSpan(2, 1), TPoint(0, 1));
    EXPECT_EQ(G->CellSpan(2, 3), TPoint(0, 1));
    // A changed list splits the earlier merges first.
    G->GetMergedColumns()->Delete(1);
    G->GetMergedColumns()->Add(1);
    EXPECT_FALSE(G->IsMergedCell(2, 1));
}

TEST_F(QorGridMerge, ColumnOrderComesBack)
{
    G->SetColumnOrder();
    G->MoveColumn(0, 3);
    EXPECT_EQ(G->ColumnAtPosition(3), 0);
    G->ResetColumnOrder();
    EXPECT_EQ(G->GetCellEx(0, 1), L"0.1");
    EXPECT_EQ(G->GetCellEx(3, 1), L"3.1");
    EXPECT_EQ(G->ColumnPosition(42), 42);
}
