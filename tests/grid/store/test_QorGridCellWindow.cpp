// test-needs: desktop
// Cell operations that need the grid on screen: editing a cell, repainting a rectangle of cells,
// the look setters that repaint.
#include "tests/grid/QorGridKit.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

class QorGridCellWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(400, 300);
        Guard = std::make_unique<ui::FormGuard>(Form);
        G = Create<TTestableQorGrid>(Form);
        G->SetParent(Form);
        G->SetBounds(0, 0, 380, 280);
        G->SetColCountEx(5);
        G->SetRowCountEx(40);
        for (int r = 0; r < 40; ++r)
            for (int c = 0; c < 5; ++c) G->SetCellEx(c, r, IntToStr(c) + L"." + IntToStr(r));
        ui::ShowAndActivate(Form);
        Settle();
    }
    void TearDown() override { Guard.reset(); }

    // Paints what is pending, so that the next update region is the operation's own.
    void Settle()
    {
        ui::Pump();
        ::ValidateRect(G->GetHandle(), nullptr);
    }
    // The update region's bounds, empty when nothing is pending.
    TRect Pending()
    {
        RECT R{};
        if (!::GetUpdateRect(G->GetHandle(), &R, FALSE)) return {};
        return {R.left, R.top, R.right, R.bottom};
    }
    static TRect Span(const TRect& A, const TRect& B)
    {
        return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                std::max(A.Bottom, B.Bottom)};
    }

    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TTestableQorGrid* G = nullptr;
};

}  // namespace

TEST_F(QorGridCellWindow, RepaintRectCoversItsCellsOrTheWholeGrid)
{
    RECT Client{};
    ::GetClientRect(G->GetHandle(), &Client);
    const TRect Whole{Client.left, Client.top, Client.right, Client.bottom};
    struct Case {
        TRect Cells;
        TRect Expected;
    };
    const Case Cases[] = {
        {{1, 1, 2, 3}, Span(G->CellRect(1, 1), G->CellRect(2, 3))},
        {{-1, 1, 2, 3}, {}},                         // a negative coordinate: nothing
        {{1, 1, 2, 39}, Whole},                      // the bottom row is out of view
        {{1, 1, 9, 2}, Whole},                       // columns cut at the first one past the view
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Cells.Left * 1000 + c.Cells.Bottom);
        G->RepaintRect(c.Cells);
        EXPECT_EQ(Pending(), c.Expected);
        Settle();
    }
    G->InvalidateGridRect(TGridRect{3, 2, 1, 4});   // corners in any order
    EXPECT_EQ(Pending(), Span(G->CellRect(3, 2), G->CellRect(1, 4)));
}

TEST_F(QorGridCellWindow, EditCellFocusesMovesAndOpensTheEditor)
{
    G->SetOptions(G->GetOptions() + TGridOptions{goEditing});
    G->HideColumn(1);
    G->MergeCells(3, 2, 2, 1);
    G->EditCell(3, 2);   // display column 3 is real column 4, covered by the area at real 3
    EXPECT_EQ(G->GetCol(), 3);
    EXPECT_EQ(G->GetRow(), 2);
    ASSERT_TRUE(G->GetEditorMode());
    ASSERT_NE(G->GetInplaceEditor(), nullptr);
    EXPECT_EQ(G->GetInplaceEditor()->GetText(), L"3.2");
}

TEST_F(QorGridCellWindow, LookSettersRepaintWhatTheyChange)
{
    RECT Client{};
    ::GetClientRect(G->GetHandle(), &Client);
    const TRect Whole{Client.left, Client.top, Client.right, Client.bottom};
    // The row indicator shows in column 0 of the current row: that cell is repainted.
    G->SetRow(3);
    Settle();
    TFreePtr<TBitmap> Indicator(Create<TBitmap>());
    Indicator->SetSize(8, 8);
    G->SetRowIndicator(Indicator.get());
    EXPECT_EQ(Pending(), G->CellRect(0, 3));
    EXPECT_EQ(G->GetRowIndicator()->GetWidth(), 8);
    Settle();
    // The background and the active cell's font repaint the grid; no font changes nothing.
    G->SetBackGround(G->GetBackGround());
    EXPECT_EQ(Pending(), Whole);
    Settle();
    TFreePtr<TFont> Font(Create<TFont>());
    Font->SetColor(clRed);
    G->SetActiveCellFont(Font.get());
    EXPECT_EQ(Pending(), Whole);
    EXPECT_EQ(G->GetActiveCellFont()->GetColor(), clRed);
    Settle();
    G->SetActiveCellFont(nullptr);
    EXPECT_EQ(Pending(), TRect{});
}
