// Inserting and removing rows and columns: cells, heights and every side list follow the rows
// and columns they belong to.
#include "tests/grid/view/GridModelKit.h"

#include "grid/input/FloatingFooter.h"
#include "grid/sortfilter/QorFilterData.h"
#include "grid/view/GridItem.h"

namespace {

using QorGridStructure = GridModelTest;

}  // namespace

TEST_F(QorGridStructure, RemovingNothingChangesNothing)
{
    G->RemoveRows(10, 1);
    G->RemoveRows(3, 0);
    EXPECT_EQ(G->GetRowCount(), 10);
    EXPECT_TRUE(G->Notes.CellsChanged.empty());
}

TEST_F(QorGridStructure, RemovedRowsTakeTheirHiddenColumnsAndShiftHiddenRows)
{
    G->HideColumn(2);
    G->HideRow(8);
    G->SetColWidths(3, 77);
    G->RemoveRows(2, 3);
    EXPECT_EQ(Shown(), L"0 1 5 6 7 9");
    EXPECT_EQ(G->GetCellEx(2, 2), L"2.5");
    EXPECT_EQ(G->GetColWidths(3), 77);
    EXPECT_TRUE(G->IsHiddenRow(5));          // real row 8 is now real row 5
    G->UnHideRowsAll();
    EXPECT_EQ(Shown(), L"0 1 5 6 7 8 9");
}

TEST_F(QorGridStructure, RemovingFilteredRowsRemovesExactlyTheShownOnes)
{
    TFreePtr<TIntList> L(Create<TIntList>(0, 0));
    L->Add(3);
    L->Add(5);
    G->HideRowList(L.get());       // shown: 0 1 2 4 6 7 8 9
    G->RemoveRows(3, 2);           // the shown rows 4 and 6
    EXPECT_EQ(Shown(), L"0 1 2 7 8 9");
    G->UnHideRowList();
    EXPECT_EQ(Shown(), L"0 1 2 3 5 7 8 9");
}

TEST_F(QorGridStructure, SideListsFollowInsertedAndRemovedRows)
{
    G->GetMouseActions()->SetDisjunctRowSelect(true);
    G->SetRowSelect(6, true);
    G->SetRowModified(7, true);
    G->SetRowEnabled(8, false);
    G->HideRow(9);
    G->InsertRows(2, 2);
    EXPECT_TRUE(G->GetRowSelect(8));
    EXPECT_TRUE(G->GetRowModified(9));
    EXPECT_FALSE(G->GetRowEnabled(10));
    EXPECT_TRUE(G->IsHiddenRow(11));
    EXPECT_EQ(G->GetSelectedRow(0), 8);
    G->RemoveRows(1, 3);
    EXPECT_TRUE(G->GetRowSelect(5));
    EXPECT_FALSE(G->GetRowSelect(8));
    EXPECT_TRUE(G->GetRowModified(6));
    EXPECT_FALSE(G->GetRowEnabled(7));
    EXPECT_TRUE(G->IsHiddenRow(8));
    EXPECT_EQ(G->Notes.CellsChanged.back(), TRect(0, 1, 4, 4));
}

TEST_F(QorGridStructure, AVetoKeepsTheRows)
{
    G->HideColumn(1);
    G->SetRow(9);
    G->OnRowChanging = [](TObject*, int, int, bool& Allow) { Allow = false; };
    G->IRemoveRows(9, 1, true);
    EXPECT_EQ(G->GetRowCount(), 10);
    EXPECT_EQ(G->GetColCount(), 4);
}

TEST_F(QorGridStructure, RemovingRowsFreesHiddenColumnsProperties)
{
    const int Before = TCellProperties::LiveCount();
    G->SetColors(3, 4, clRed);
    G->HideColumn(3);
    G->IRemoveRows(4, 1, true);
    EXPECT_EQ(TCellProperties::LiveCount(), Before);
}

TEST_F(QorGridStructure, DuplicatesGoFirstOfEachKeyStays)
{
    const struct {
        bool DoCase;
        const wchar_t* Left;
    } Cases[] = {{true, L"0.0 Abc abc x"}, {false, L"0.0 Abc x"}};
    for (const auto& C : Cases) {
        TearDown();
        SetUp();
        G->SetRowCountEx(6);
        const wchar_t* Texts[] = {L"Abc", L"abc", L"Abc", L"x", L"x"};
        for (int r = 1; r < 6; ++r) G->SetCellEx(0, r, Texts[r - 1]);
        G->RemoveDuplicates(0, C.DoCase);
        EXPECT_EQ(Column(), C.Left);
        EXPECT_FALSE(G->Notes.CellsChanged.empty());
    }
}

TEST_F(QorGridStructure, UnselectedRowsGoByTheirPersistentMarks)
{
    G->GetMouseActions()->SetDisjunctRowSelect(true);
    G->GetMouseActions()->SetRowSelectPersistent(true);
    G->SetRowSelect(7, true);      // real rows
    G->SetRowSelect(3, true);
    G->HideRow(2);
    G->RemoveUnSelectedRows();
    EXPECT_EQ(Shown(), L"0 3 7");
}

TEST_F(QorGridStructure, ColumnsInsertAndRemoveWithTheirLists)
{
    TFilterData* F = static_cast<TFilterData*>(G->GetFilter()->Add());
    F->SetColumn(3);
    G->GetMouseActions()->SetDisjunctColSelect(true);
    G->SetColSelect(3, true);
    G->HideRow(4);
    G->Notes.CellsChanged.clear();
    G->InsertCols(2, 2);
    EXPECT_EQ(G->GetColCount(), 7);
    EXPECT_EQ(G->GetCellEx(4, 1), L"2.1");
    EXPECT_TRUE(G->GetCellEx(2, 1).empty());
    EXPECT_EQ(G->GetGridCellsEx(5, 4), L"3.4");   // the hidden row's cells moved too
    EXPECT_EQ(F->GetColumn(), 5);
    EXPECT_TRUE(G->GetColSelect(5));
    EXPECT_TRUE(G->Notes.CellsChanged.empty());
    G->RemoveCols(1, 3);
    EXPECT_EQ(Column(1), L"2.0 2.1 2.2 2.3 2.5 2.6 2.7 2.8 2.9");
    EXPECT_EQ(G->GetGridCellsEx(2, 4), L"3.4");
    EXPECT_EQ(F->GetColumn(), 2);
    EXPECT_TRUE(G->GetColSelect(2));
}

TEST_F(QorGridStructure, UnselectedColumnsGoButHiddenOnesStay)
{
    G->HideColumn(4);
    G->SetSelectionEx(TGridRect{2, 1, 2, 1});
    G->RemoveUnSelectedCols();
    EXPECT_EQ(G->GetColCount(), 2);
    EXPECT_EQ(G->GetCellEx(1, 1), L"2.1");
    G->UnHideColumnsAll();
    EXPECT_EQ(G->GetCellEx(2, 1), L"4.1");
}

TEST_F(QorGridStructure, ClearAllReachesCellsBeyondTheCounts)
{
    const int Before = TCellProperties::LiveCount();
    G->SetColors(2, 8, clRed);
    G->SetRowCountEx(5);
    G->HideRow(2);
    G->ClearAll();
    EXPECT_EQ(TCellProperties::LiveCount(), Before);
    G->SetRowCountEx(10);
    EXPECT_TRUE(G->GetCellEx(2, 8).empty());
    EXPECT_TRUE(G->GetCellEx(1, 2).empty());
}

TEST_F(QorGridStructure, MergeColsJoinsAndTrims)
{
    G->SetCellEx(1, 2, L" a");
    G->SetCellEx(2, 2, L"b ");
    G->MergeCols(1, 2, L" ");
    EXPECT_EQ(G->GetCellEx(1, 2), L"a b");
    EXPECT_EQ(G->GetColCount(), 4);
    EXPECT_EQ(G->GetCellEx(2, 2), L"3.2");
}

TEST_F(QorGridStructure, TheFloatingFootersRowStaysLast)
{
    G->GetFloatingFooter()->SetVisible(true);   // row 9 is the footer's
    // Rows inserted at or past the footer's row go before it.
    G->InsertRows(10, 2);
    ASSERT_EQ(G->GetRowCount(), 12);
    EXPECT_EQ(G->GetCellEx(0, 11), L"0.9");
    EXPECT_EQ(G->GetCellEx(0, 8), L"0.8");
    G->AddRow();
    EXPECT_EQ(G->GetCellEx(0, 12), L"0.9");
    // Rows hidden below the footer's row (it moved up with a lowered count) come back above it.
    G->RemoveRows(9, 3);
    G->HideRows(7, 8);
    G->SetRowCountEx(7);
    EXPECT_EQ(Column(), L"0.0 0.1 0.2 0.3 0.4 0.5 0.9");
    G->UnHideRowsAll();
    EXPECT_EQ(Column(), L"0.0 0.1 0.2 0.3 0.4 0.5 0.7 0.8 0.9");
}

TEST_F(QorGridStructure, RemovingRowsOffersTheCurrentCellToSelectCell)
{
    G->SetCol(3);
    G->SetRow(4);
    std::vector<std::pair<int, int>> Asked;
    G->OnSelectCell = [&](TObject*, int c, int r, bool& CanSelect) {
        Asked.emplace_back(c, r);
        CanSelect = false;   // not heeded: the rows go all the same
    };
    G->RemoveRows(1, 2);
    ASSERT_FALSE(Asked.empty());
    EXPECT_EQ(Asked.front(), std::pair(3, 4));
    EXPECT_EQ(G->GetRowCount(), 8);
}
