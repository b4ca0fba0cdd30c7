// Disjunct row, column and cell selections; the selection as text; modified and enabled rows.
#include "tests/grid/view/GridModelKit.h"

namespace {

class QorGridSelection : public GridModelTest {
protected:
    void SetUp() override
    {
        GridModelTest::SetUp();
        G->GetMouseActions()->SetDisjunctRowSelect(true);
        G->OnRowDisjunctSelected = [this](TObject*, int Row) { Selected.push_back(Row); };
    }
    std::vector<int> Selected;
};

}  // namespace

TEST_F(QorGridSelection, RowFlagsReadAndWrite)
{
    G->HideRow(4);
    EXPECT_FALSE(G->GetRowSelect(9));        // a real row below the count plus the hidden rows
    EXPECT_THROW(G->GetRowSelect(10), EQorGridError);
    EXPECT_THROW(G->SetRowSelect(-1, true), EQorGridError);
    G->SetRowSelect(3, true);
    G->SetRowSelect(3, true);
    EXPECT_EQ(Selected, std::vector<int>{3});
    EXPECT_EQ(G->GetSelectedRowCount(), 1);
    G->OnRowDisjunctSelect = [](TObject*, int, bool, bool& Allow) { Allow = false; };
    G->SetRowSelect(5, true);
    EXPECT_FALSE(G->GetRowSelect(5));
    EXPECT_EQ(Selected.size(), 1u);
    G->GetMouseActions()->SetRowSelectPersistent(true);
    EXPECT_FALSE(G->GetRowSelect(500));
}

TEST_F(QorGridSelection, BlockToFlags)
{
    G->SelectRows(3, 3);
    G->SetSelectionEx(TGridRect{1, 7, 2, 8});
    EXPECT_TRUE(G->SelectToRowSelect(false));
    EXPECT_EQ(G->GetRowSelectCount(), 5);
    G->FocusCell(1, 1);
    G->SetSelectionEx(TGridRect{1, 7, 2, 8});
    G->SelectToRowSelect(true);
    EXPECT_EQ(G->GetRowSelectCount(), 2);
    EXPECT_TRUE(G->GetRowSelect(7) && G->GetRowSelect(8));
}

TEST_F(QorGridSelection, SelectedTextEndsRowsByMode)
{
    G->GetMouseActions()->SetDisjunctRowSelect(false);
    G->SetSelectionEx(TGridRect{1, 2, 2, 3});
    EXPECT_EQ(G->SelectedText(), L"1.2\t2.2\r\n1.3\t2.3");
    G->GetMouseActions()->SetDisjunctRowSelect(true);
    G->SetRowSelect(4, true);
    G->SetSelectionEx(TGridRect{1, 4, 1, 4});
    EXPECT_EQ(G->SelectedText(), L"1.4\r\n");
    G->GetMouseActions()->SetDisjunctRowSelect(false);
    EXPECT_EQ(G->GetSelectedCellsCount(), 1);
    G->SetSelectionEx(TGridRect{1, 2, 2, 4});
    EXPECT_EQ(G->GetSelectedCellsCount(), 6);
}

TEST_F(QorGridSelection, CellKeysHoldLargeRows)
{
    G->GetMouseActions()->SetDisjunctCellSelect(true);
    G->SetRowCountEx(70000);
    G->SetSelectedCells(3, 40000, true);
    G->SetSelectedCells(3, 40000, true);
    EXPECT_TRUE(G->GetSelectedCells(3, 40000));
    EXPECT_FALSE(G->GetSelectedCells(3, 40001));
    EXPECT_EQ(G->GetSelectedCell(0).Y, 40000);
    EXPECT_EQ(G->GetSelectedCellsCount(), 1);
    G->InsertRows(10, 5);
    EXPECT_TRUE(G->GetSelectedCells(3, 40005));
    G->ClearSelectedCells();
    EXPECT_EQ(G->GetSelectedCellsCount(), 0);
}

TEST_F(QorGridSelection, ColumnsAndDistinctValues)
{
    G->GetMouseActions()->SetDisjunctColSelect(true);
    EXPECT_THROW(G->GetColSelect(5), EQorGridError);
    G->SelectCols(2, 2);
    EXPECT_EQ(G->GetSelectedColCount(), 2);
    EXPECT_TRUE(G->IsSelected(3, 5) == false || true);
    G->SetCellEx(1, 1, L"a");
    G->SetCellEx(1, 2, L"A");
    G->HideRow(2);
    TFreePtr<TStringList> Exact(G->DistinctValues(1, true));
    TFreePtr<TStringList> Folded(G->DistinctValues(1, false));
    EXPECT_EQ(Exact->Count() - Folded->Count(), 1);
}

TEST_F(QorGridSelection, EnabledAndModifiedRows)
{
    G->SetRow(3);
    G->SetRowEnabled(3, false);
    EXPECT_EQ(G->GetRow(), 1);
    EXPECT_FALSE(G->GetRowEnabled(3));
    G->SetRowModified(20, true);
    EXPECT_TRUE(G->GetRowModified(20));
    EXPECT_EQ(G->ModifiedRowCount(), 1);
    G->ClearModifiedRows();
    EXPECT_EQ(G->ModifiedRowCount(), 0);
}

TEST_F(QorGridSelection, GoingToACellMovesTheAnchorToo)
{
    G->HideColumn(1);
    G->SetSelectionEx(TGridRect{1, 1, 3, 4});
    G->GotoCellInt(2, 6);
    EXPECT_EQ(G->GetCol(), 2);
    EXPECT_EQ(G->GetRow(), 6);
    EXPECT_EQ(G->GetSelection(), (TGridRect{2, 6, 2, 6}));
}
