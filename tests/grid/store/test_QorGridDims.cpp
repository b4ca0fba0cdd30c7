// The grid's own counts, fixed counts and default row height, and the simple property setters.
#include "tests/grid/QorGridKit.h"
#include "tests/support/UiHarness.h"

#include "grid/QorGridSatellites.h"

#include <gtest/gtest.h>

namespace {

class QorGridDims : public ::testing::Test {
protected:
    void SetUp() override { G = Create<TTestableQorGrid>(nullptr); }
    void TearDown() override { G->Free(); }
    TTestableQorGrid* G = nullptr;
};

}  // namespace

TEST_F(QorGridDims, WantedFixedRowsComeBackWhenRowsDo)
{
    G->SetFixedRowAlways(true);
    G->SetFixedRowsEx(1);
    G->SetRowCountEx(1);
    EXPECT_EQ(G->GetFixedRows(), 0);
    EXPECT_EQ(G->GetFixedRowsEx(), 1);
    bool Fixed = false;
    G->GetCellFixed(2, 0, Fixed);
    EXPECT_TRUE(Fixed);
    G->SetRowCountEx(5);
    EXPECT_EQ(G->GetFixedRows(), 1);
    // Asking for more fixed rows than rows keeps one scrollable row and remembers the wish.
    G->SetFixedRowsEx(9);
    EXPECT_EQ(G->GetFixedRows(), 4);
    EXPECT_EQ(G->GetFixedRowsMin(), 9);
    // Columns work the same way.
    G->SetFixedColAlways(true);
    G->SetColCountEx(1);
    EXPECT_EQ(G->GetFixedColsEx(), 1);
    G->SetColCountEx(4);
    EXPECT_EQ(G->GetFixedCols(), 1);
}

TEST_F(QorGridDims, WithoutFixedRowAlwaysTooManyFixedRowsAreRefused)
{
    EXPECT_THROW(G->SetFixedRowsEx(10), Exception);
    EXPECT_EQ(G->GetFixedRows(), 1);
    EXPECT_THROW(G->SetRowCountEx(-1), Exception);
    EXPECT_THROW(G->SetColCountEx(-3), Exception);
    EXPECT_EQ(G->GetRowCount(), 10);
    EXPECT_EQ(G->GetColCount(), 5);
    EXPECT_EQ(TGridTestAccess::VisibleColEntries(*G), 5u);
}

// Counts beyond the largest a grid holds are refused with the property's name before anything
// changes; a negative default row height becomes 0 for the grid and its footer alike.
TEST_F(QorGridDims, HugeCountsAreRefusedAndNegativeHeightsClamp)
{
    G->SetCellEx(1, 1, L"kept");
    struct {
        void (TQorStringGrid::*Set)(int);
        int Value;
        const wchar_t* Message;
    } Cases[] = {
        {&TQorStringGrid::SetRowCountEx, MaxGridLineCount + 1, L"RowCount 16777217 is more than the 16777216 a grid holds"},
        {&TQorStringGrid::SetColCountEx, 2147483647, L"ColCount 2147483647 is more than the 16777216 a grid holds"},
    };
    for (auto& C : Cases) {
        try {
            (G->*C.Set)(C.Value);
            ADD_FAILURE() << "no exception for " << C.Value;
        } catch (const EInvalidGridOperation& E) {
            EXPECT_EQ(E.Message, C.Message);
        }
        EXPECT_EQ(G->GetRowCount(), 10);
        EXPECT_EQ(G->GetColCount(), 5);
        EXPECT_EQ(TGridTestAccess::MaxRowCount(*G), 10);
        EXPECT_EQ(TGridTestAccess::SuppressRowSizes(*G), 10);
        EXPECT_EQ(TGridTestAccess::VisibleColEntries(*G), 5u);
        EXPECT_EQ(G->GetCellEx(1, 1), L"kept");
    }
    G->SetDefRowHeightEx(-7);
    EXPECT_EQ(G->GetDefRowHeightEx(), 0);
    EXPECT_EQ(G->GetFloatingFooter()->GetHeight(), 0);
}

TEST_F(QorGridDims, ColumnBookkeepingFollowsTheColumnCount)
{
    G->SetColCountEx(3);
    EXPECT_EQ(TGridTestAccess::VisibleColEntries(*G), 3u);
    G->SetColCountEx(6);
    ASSERT_EQ(TGridTestAccess::VisibleColEntries(*G), 6u);
    EXPECT_EQ(TGridTestAccess::AllColWidthEntries(*G), 6u);
    for (int c = 3; c < 6; ++c) EXPECT_TRUE(TGridTestAccess::VisibleColEntry(*G, c));
    EXPECT_EQ(G->GetMaxColCount(), 6);
    // One remembered size per row and column seen, and maxima that only grow.
    G->SetRowCountEx(40);
    G->SetRowCountEx(12);
    EXPECT_EQ(TGridTestAccess::SuppressRowSizes(*G), 40);
    EXPECT_EQ(TGridTestAccess::SuppressColSizes(*G), 6);
    EXPECT_EQ(G->GetMaxRowCount(), 40);
    EXPECT_EQ(TGridTestAccess::NormalRowCount(*G), 12);
}

TEST_F(QorGridDims, FooterRowStaysLastAndItsPropertiesHaveOneOwner)
{
    const int Props = TCellProperties::LiveCount();
    G->GetFloatingFooter()->SetVisible(true);
    EXPECT_EQ(G->GetFixedFooters(), 1);
    EXPECT_TRUE(TGridTestAccess::HideLastRow(*G));
    G->SetCellEx(1, 9, L"sum");
    G->GetCellProperties(1, 9)->SetBrushColor(clYellow);
    G->SetRowCountEx(12);
    EXPECT_EQ(G->GetCellEx(1, 11), L"sum");
    EXPECT_EQ(G->GetCellEx(1, 9), L"");
    EXPECT_FALSE(G->HasCellProperties(1, 9));   // the old row let go of the moved properties
    EXPECT_EQ(G->GetCellProperties(1, 11)->GetBrushColor(), clYellow);
    G->SetRowCountEx(8);
    EXPECT_EQ(G->GetCellEx(1, 7), L"sum");
    EXPECT_EQ(TCellProperties::LiveCount(), Props + 1);
    // Clearing the grid frees the footer's properties once, with no other owner left.
    G->ClearRect(0, 0, G->TotalColCount() - 1, 11);
    EXPECT_EQ(TCellProperties::LiveCount(), Props);
}

TEST_F(QorGridDims, FooterRowReplacesWhatTheNewLastRowHeld)
{
    const int Props = TCellProperties::LiveCount();
    G->SetRowCountEx(12);
    G->GetCellProperties(2, 11)->SetBrushColor(clRed);   // kept in the storage beyond a lower count
    G->SetRowCountEx(10);
    G->GetFloatingFooter()->SetVisible(true);
    G->GetCellProperties(2, 9)->SetBrushColor(clBlue);
    G->SetRowCountEx(12);
    EXPECT_EQ(G->GetCellProperties(2, 11)->GetBrushColor(), clBlue);
    EXPECT_EQ(TCellProperties::LiveCount(), Props + 1);
}

TEST_F(QorGridDims, DefaultRowHeightSetsTheFooterHeight)
{
    G->SetDefRowHeightEx(30);
    EXPECT_EQ(G->GetDefaultRowHeight(), 30);
    EXPECT_EQ(G->GetFloatingFooter()->GetHeight(), 30);
    EXPECT_EQ(G->GetFooterPanel()->GetHeight(), 0);   // the footer is hidden
    G->GetFloatingFooter()->SetVisible(true);
    G->SetDefRowHeightEx(26);
    EXPECT_EQ(G->GetFooterPanel()->GetHeight(), 26);
}

TEST_F(QorGridDims, FixedSizesAndTheirShortcuts)
{
    G->SetColWidths(0, 40);
    G->SetFixedColWidth(64);   // the default width: nothing changes
    EXPECT_EQ(G->GetFixedColWidth(), 40);
    G->SetFixedColWidth(90);
    EXPECT_EQ(G->GetColWidths(0), 90);
    EXPECT_EQ(G->GetColWidths(1), 64);
    G->SetFixedRowHeight(30);
    EXPECT_EQ(G->GetRowHeights(0), 30);
    EXPECT_EQ(G->GetFixedRowHeight(), 30);
    G->SetFixedRowHeight(22);   // the default row height: stored, rows unchanged
    EXPECT_EQ(G->GetFixedRowHeight(), 22);
    EXPECT_EQ(G->GetRowHeights(0), 30);
}

TEST_F(QorGridDims, SimpleSettersReachTheBaseAndTheirFlags)
{
    G->SetWordWrapEx(false);
    EXPECT_FALSE(G->GetWordWrapEx());
    EXPECT_FALSE(TGridTestAccess::WordWrapBase(*G));
    G->SetShowSelection(false);
    EXPECT_FALSE(TGridTestAccess::ShowSelBase(*G));
    G->SetVAlignment(vtaBottom);
    EXPECT_EQ(TGridTestAccess::VAlignFlag(*G), DT_BOTTOM);
    G->SetVAlignment(vtaCenter);
    EXPECT_EQ(TGridTestAccess::VAlignFlag(*G), DT_VCENTER);
    G->SetDefaultAlignment(taRightJustify);
    EXPECT_EQ(G->GetDefaultAlignment(), taRightJustify);
    G->SetSizeWithForm(true);
    G->SetSizeWithForm(false);   // either value anchors all four sides
    EXPECT_EQ(G->GetAnchors(), (TAnchors{akLeft, akTop, akRight, akBottom}));
    G->SetSpreadSheet(true);
    EXPECT_TRUE(G->GetSelectionRectangle());
    EXPECT_TRUE(G->GetSelectionResizer());
    EXPECT_TRUE(G->GetNavigation()->GetAllowSmartClipboard());
    EXPECT_TRUE(G->GetOptions().Contains(goEditing));
    EXPECT_TRUE(G->GetMouseActions()->GetRangeSelectAndEdit());
    G->SetCursorEx(crHandPoint);
    EXPECT_EQ(G->GetCursor(), crHandPoint);
    EXPECT_EQ(TGridTestAccess::OldCursor(*G), crHandPoint);
}

TEST_F(QorGridDims, CurrentColumnAndRowReachASynchronisedGrid)
{
    TFreePtr<TTestableQorGrid> Other(Create<TTestableQorGrid>(nullptr));
    G->GetSyncGrid()->SetGrid(Other.get());
    G->GetSyncGrid()->SetSelectionColumn(true);
    G->GetSyncGrid()->SetSelectionRow(true);
    int OtherClicks = 0;
    Other->OnClick = [&](TObject*) { ++OtherClicks; };
    G->SetColEx(3);
    EXPECT_EQ(Other->GetCol(), 3);
    G->SetRowEx(6);
    EXPECT_EQ(Other->GetRow(), 6);
    EXPECT_EQ(OtherClicks, 0);      // the partner's click handler stays out of it
    EXPECT_TRUE(Other->OnClick);    // and is back afterwards
    EXPECT_EQ(TGridTestAccess::DisSelection(*G), G->GetSelection());
    G->SetRowEx(0);                 // below the fixed rows: the first normal row
    EXPECT_EQ(G->GetRow(), 1);
    ASSERT_FALSE(G->Notes.RowUpdates.empty());
    EXPECT_EQ(G->Notes.RowUpdates.back(), std::pair(6, 1));
}

// A grid without columns (or without rows) changes its other count without moving the current
// cell to a cell that does not exist.
TEST_F(QorGridDims, CountsChangeOnAGridWithoutColumnsOrRows)
{
    G->SetFixedCols(0);
    G->SetColCountEx(0);
    EXPECT_NO_THROW(G->SetRowCountEx(3));
    EXPECT_NO_THROW(G->SetRowCountEx(20));
    EXPECT_EQ(G->GetRowCount(), 20);
    G->SetColCountEx(4);
    G->SetCellEx(1, 2, L"x");
    EXPECT_EQ(G->GetCellEx(1, 2), L"x");
}
