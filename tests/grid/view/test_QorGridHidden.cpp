// Hidden rows and columns: the store, the mappings, filter levels, and what stays behind.
#include "tests/grid/view/GridModelKit.h"

#include "grid/view/GridItem.h"

namespace {

using QorGridHidden = GridModelTest;

TFreePtr<TIntList> List(std::initializer_list<int> Rows)
{
    TFreePtr<TIntList> L(Create<TIntList>(0, 0));
    for (int r : Rows) L->Add(r);
    return L;
}

}  // namespace

TEST_F(QorGridHidden, HiddenRangeMapsBothWays)
{
    G->HideRows(3, 5);
    EXPECT_EQ(G->GetRowCount(), 7);
    EXPECT_EQ(G->TotalRowCount(), 10);
    EXPECT_EQ(Shown(), L"0 1 2 6 7 8 9");
    EXPECT_EQ(G->RemapRow(6), 3);
    EXPECT_EQ(G->RemapRowInv(3), 6);
    EXPECT_EQ(G->RemapRow(4), 3);          // a hidden row maps to the next shown row
    EXPECT_EQ(G->RemapRowInv(-1), -1);
    EXPECT_EQ(G->RemapRowInv(7), 10);      // the end: itself plus the hidden rows
    EXPECT_TRUE(G->IsHiddenRow(4));
    TIntList* L = nullptr;
    EXPECT_TRUE(G->IsHiddenRow(5, L));
    EXPECT_EQ(L->Count(), 3);
    L->Free();
}

TEST_F(QorGridHidden, OverlappingRangesKeepEachRowOnce)
{
    G->SetRowHeights(4, 33);
    G->HideRow(4);
    G->HideRows(3, 5);
    EXPECT_EQ(G->NumHiddenRows(), 3);
    EXPECT_EQ(G->GetGridCellsEx(1, 4), L"1.4");
    EXPECT_EQ(G->GetGridCellsEx(1, 5), L"1.5");
    G->UnHideRows(3, 5);
    EXPECT_EQ(Shown(), L"0 1 2 3 4 5 6 7 8 9");
    EXPECT_EQ(G->GetRowHeights(4), 33);
    EXPECT_EQ(G->NumHiddenRows(), 0);
}

TEST_F(QorGridHidden, VacatedStorageRowsHoldNothing)
{
    // A property in a row that moves up must not stay referenced from its old place: raising the
    // count again shows empty rows, and freeing the grid frees each property once.
    G->SetColors(1, 9, clRed);
    G->SetColors(1, 4, clBlue);
    G->HideRows(3, 5);
    G->SetRowCountEx(10);
    for (int r = 7; r < 10; ++r)
        for (int c = 0; c < 5; ++c) {
            EXPECT_TRUE(G->GetCellEx(c, r).empty()) << c << "," << r;
            EXPECT_EQ(G->GetGridObject(c, r), nullptr) << c << "," << r;
        }
    EXPECT_EQ(G->GetColors(1, 6), clRed);
}

TEST_F(QorGridHidden, FilterLevelsPopInStackOrder)
{
    auto L1 = List({2, 4});
    G->HideRowList(L1.get());
    auto L2 = List({1, 2});   // display rows 1 and 3 now: real 1 and 3
    G->HideRowList(L2.get());
    EXPECT_EQ(Shown(), L"0 5 6 7 8 9");
    // The list rows are stored by their real index.
    EXPECT_TRUE(G->IsHiddenRow(1) && G->IsHiddenRow(3));
    G->UnHideRowList();
    TGridTestAccess::SetFilterLevel(*G, 1);
    EXPECT_EQ(Shown(), L"0 1 3 5 6 7 8 9");
    G->UnHideRowList();
    TGridTestAccess::SetFilterLevel(*G, 0);
    EXPECT_EQ(Shown(), L"0 1 2 3 4 5 6 7 8 9");
}

TEST_F(QorGridHidden, PoppingAFilterKeepsRowsHiddenByRange)
{
    G->HideRows(7, 8);               // a contracted node's children
    auto L = List({2});
    G->HideRowList(L.get());
    G->UnHideRowList();
    EXPECT_EQ(Shown(), L"0 1 2 3 4 5 6 9");
    // At level 0 there is nothing to pop: hidden rows are neither restored nor lost.
    TGridTestAccess::SetFilterLevel(*G, 0);
    G->UnHideRowList();
    EXPECT_EQ(G->NumHiddenRows(), 2);
    G->UnHideRowsAll();
    EXPECT_EQ(Shown(), L"0 1 2 3 4 5 6 7 8 9");
}

TEST_F(QorGridHidden, AListOfEveryRowKeepsOne)
{
    auto L = List({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    G->HideRowList(L.get());
    EXPECT_EQ(G->GetRowCount(), 1);
    EXPECT_EQ(L->Count(), 9);
    EXPECT_EQ(L->GetInteger(0), 1);
}

TEST_F(QorGridHidden, ColumnsHideWithTheirWidths)
{
    for (int c = 0; c < 5; ++c) G->SetColWidths(c, 40 + c);
    G->HideColumn(1);
    G->HideColumn(3);
    EXPECT_EQ(G->GetColCount(), 3);
    EXPECT_EQ(G->RemapCol(1), 2);
    EXPECT_EQ(G->RemapCol(2), 4);
    EXPECT_EQ(G->RemapColInv(2), 1);
    EXPECT_EQ(G->RemapColInv(3), 2);
    EXPECT_EQ(G->RemapCol(7), 7);
    EXPECT_EQ(G->GetColWidths(1), 42);
    EXPECT_EQ(G->GetAllColWidths(3), 43);
    EXPECT_EQ(G->GetCellEx(3, 2), L"3.2");   // the cells stay at their real index
    // Widths are kept in 32 bits.
    G->SetAllColWidths(3, 70000);
    G->SetAllColWidths(99, 5);               // outside the grid: ignored
    EXPECT_EQ(G->GetAllColWidths(3), 70000);
    G->UnHideColumnsAll();
    EXPECT_EQ(G->GetColCount(), 5);
    EXPECT_EQ(G->GetColWidths(1), 41);
    EXPECT_EQ(G->GetColWidths(3), 70000);
    EXPECT_EQ(G->GetColWidths(4), 44);
}

TEST_F(QorGridHidden, TheLastShownColumnStaysAndRangesStopAtTheEnd)
{
    G->HideColumns(0, 40);
    EXPECT_EQ(G->GetColCount(), 1);
    EXPECT_EQ(G->NumHiddenColumns(), 4);
    EXPECT_FALSE(G->IsHiddenColumn(4));
    EXPECT_FALSE(G->IsHiddenColumn(5));
}

TEST_F(QorGridHidden, DestroyingAGridWithHiddenRowsFreesTheirProperties)
{
    const int Before = TCellProperties::LiveCount();
    auto* H = Create<TTestableQorGrid>(nullptr);
    H->SetColors(2, 3, clRed);
    H->SetColors(2, 4, clRed);
    H->HideRows(3, 4);
    H->HideColumn(2);
    EXPECT_EQ(TCellProperties::LiveCount(), Before + 2);
    H->Free();
    EXPECT_EQ(TCellProperties::LiveCount(), Before);
}
