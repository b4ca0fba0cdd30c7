// test-needs: desktop
// The string grid on a real window: keyboard and mouse navigation and selection, sizing and
// moving by dragging fixed cells, scrolling by bar and wheel, painting only what is visible, and
// the in-place editor (F2, Enter, a typed character; Enter keeps the text, Esc drops it).
#include "tests/grid/GridKit.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

class GridWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(420, 300);
        Guard = std::make_unique<ui::FormGuard>(Form);
        G = Create<TTestableGrid>(Form);
        G->SetBorderStyle(bsNone);
        G->SetBounds(0, 0, 400, 280);
        G->SetColCount(8);
        G->SetRowCount(3000);
        G->SetParent(Form);
        for (int r = 1; r < 3000; ++r) G->SetCells(0, r, IntToStr(r));
        for (int c = 1; c < 8; ++c) G->SetCells(c, 0, L"Col " + IntToStr(c));
        for (int r = 1; r < 60; ++r)
            for (int c = 1; c < 8; ++c) G->SetCells(c, r, IntToStr(c * 100 + r));
        ui::ShowAndActivate(Form);
        G->SetFocus();
        ui::Pump();
    }
    HWND H() { return G->GetHandle(); }
    // The centre of a cell in client coordinates.
    TPoint Centre(int C, int R)
    {
        TRect Rc = G->CellRect(C, R);
        return {(Rc.Left + Rc.Right) / 2, (Rc.Top + Rc.Bottom) / 2};
    }
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TTestableGrid* G = nullptr;
};

TEST_F(GridWindow, KeyboardMovesAndExtends)
{
    struct Step { Word Key; TShiftState Shift; int Col, Row; };
    G->SetOptions(G->GetOptions() + TGridOptions{goTabs});
    G->SetRowHeights(3, 0);   // hidden rows are stepped over
    const Step Steps[] = {
        {VK_DOWN, {}, 1, 2},  {VK_DOWN, {}, 1, 4},       {VK_RIGHT, {}, 2, 4},
        {VK_TAB, {}, 3, 4},   {VK_TAB, {ssShift}, 2, 4}, {VK_END, {}, 7, 4},
        {VK_TAB, {}, 1, 5},   {VK_HOME, {}, 1, 5},       {VK_END, {ssCtrl}, 7, 2999},
        {VK_HOME, {ssCtrl}, 1, 1},
    };
    for (const Step& S : Steps) {
        ui::PressKey(S.Key, S.Shift, H());
        EXPECT_EQ(G->GetCol(), S.Col) << "key " << S.Key;
        EXPECT_EQ(G->GetRow(), S.Row) << "key " << S.Key;
    }
    EXPECT_EQ(G->GetTopRow(), 1);

    // Page down moves by the visible rows and scrolls with them.
    int Page = G->GetVisibleRowCount();
    ui::PressKey(VK_NEXT, {}, H());
    EXPECT_EQ(G->GetRow(), 1 + Page);
    EXPECT_GT(G->GetTopRow(), 1);

    // Shift extends from the anchor.
    G->SetRow(5);
    G->SetCol(2);
    ui::PressKey(VK_DOWN, {ssShift}, H());
    ui::PressKey(VK_RIGHT, {ssShift}, H());
    EXPECT_EQ(G->GetSelection(), (TGridRect{2, 5, 3, 6}));
    ui::PressKey(VK_LEFT, {}, H());
    EXPECT_EQ(G->GetSelection(), (TGridRect{2, 6, 2, 6}));
}

TEST_F(GridWindow, MouseSelectsAndVetoedCellsStay)
{
    bool Veto = false;
    G->OnSelectCell = [&](TObject*, int C, int R, bool& Can) { Can = !(Veto && C == 4 && R == 4); };
    TPoint A = Centre(2, 2), B = Centre(4, 5);
    ui::MouseDown(G, mbLeft, A.X, A.Y);
    EXPECT_EQ(G->FGridState, gsSelecting);
    ui::MouseMove(G, B.X, B.Y, {ssLeft});
    ui::MouseUp(G, mbLeft, B.X, B.Y);
    EXPECT_EQ(G->FGridState, gsNormal);
    EXPECT_EQ(G->GetSelection(), (TGridRect{2, 2, 4, 5}));
    EXPECT_EQ(G->GetCol(), 2);

    Veto = true;
    TPoint V = Centre(4, 4);
    ui::Click(G, V.X, V.Y);
    EXPECT_EQ(G->GetCol(), 2);
    EXPECT_EQ(G->GetRow(), 2);
}

TEST_F(GridWindow, DraggingBordersSizesAndHeadersMove)
{
    G->SetOptions(G->GetOptions() + TGridOptions{goColSizing, goColMoving});
    TRect C1 = G->CellRect(1, 0);
    int Changes = G->Notes.ColWidthChanges;
    ui::MouseDown(G, mbLeft, C1.Right, 5);
    EXPECT_EQ(G->FGridState, gsColSizing);
    ui::MouseMove(G, C1.Right + 30, 5, {ssLeft});
    ui::MouseUp(G, mbLeft, C1.Right + 30, 5);
    EXPECT_EQ(G->FGridState, gsNormal);
    EXPECT_EQ(G->GetColWidths(1), 64 + 30);
    EXPECT_GT(G->Notes.ColWidthChanges, Changes);

    // Drag header 1 onto header 3: the cells move with it and ColumnMoved hears of it.
    TPoint From = Centre(1, 0), To = Centre(3, 0);
    ui::MouseDown(G, mbLeft, From.X, From.Y);
    EXPECT_EQ(G->FGridState, gsColMoving);
    ui::MouseMove(G, To.X, To.Y, {ssLeft});
    ui::MouseUp(G, mbLeft, To.X, To.Y);
    EXPECT_EQ(G->Notes.ColMoves, (std::vector<std::pair<int, int>>{{1, 3}}));
    EXPECT_EQ(G->GetCells(3, 0), L"Col 1");
    EXPECT_EQ(G->GetCells(1, 0), L"Col 2");
    EXPECT_EQ(G->GetCells(3, 7), L"107");

    // Cancel mode in the middle of sizing leaves nothing behind.
    C1 = G->CellRect(2, 0);
    ui::MouseDown(G, mbLeft, C1.Right, 5);
    ASSERT_EQ(G->FGridState, gsColSizing);
    SendMessageW(H(), WM_CANCELMODE, 0, 0);
    EXPECT_EQ(G->FGridState, gsNormal);
    ui::MouseUp(G, mbLeft, C1.Right + 40, 5);
    EXPECT_EQ(G->GetColWidths(2), 64);
}

TEST_F(GridWindow, ScrollBarsAndWheelMoveTheOrigin)
{
    int Changes = G->Notes.TopLeftChanges;
    SendMessageW(H(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(G->GetTopRow(), 2);
    SendMessageW(H(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(G->GetTopRow(), 2 + G->GetVisibleRowCount());
    SendMessageW(H(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 127), 0);
    EXPECT_EQ(G->GetTopRow(), 3000 - G->GetVisibleRowCount());
    SCROLLINFO SI{sizeof(SI), SIF_ALL};
    GetScrollInfo(H(), SB_VERT, &SI);
    EXPECT_EQ(SI.nMax, 127);
    EXPECT_EQ(SI.nPos, 127);
    // Thumb tracking scrolls only with goThumbTracking.
    SendMessageW(H(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    EXPECT_GT(G->GetTopRow(), 1);
    G->SetOptions(G->GetOptions() + TGridOptions{goThumbTracking});
    SendMessageW(H(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    EXPECT_EQ(G->GetTopRow(), 1);
    EXPECT_EQ(G->Notes.TopLeftChanges, Changes + 4);

    // The wheel moves the current row by one.
    G->SetRow(10);
    TPoint P = Centre(2, 3);
    ui::Wheel(G, -WHEEL_DELTA, P.X, P.Y);
    EXPECT_EQ(G->GetRow(), 11);
    ui::Wheel(G, WHEEL_DELTA, P.X, P.Y);
    EXPECT_EQ(G->GetRow(), 10);
}

TEST_F(GridWindow, PaintingVisitsOnlyVisibleCells)
{
    G->SetRowCount(1000000);
    G->SetTopRow(500000);
    G->RecordDrawing = true;
    TDibSurface S(400, 280);
    PaintWindowInto(H(), S, true);
    std::set<int> Rows;
    for (const TGridCoord& D : G->Notes.Drawn) Rows.insert(D.Y);
    EXPECT_LE(G->Notes.Drawn.size(), size_t(8 * 13));
    EXPECT_TRUE(Rows.count(0));
    EXPECT_TRUE(Rows.count(500000));
    EXPECT_FALSE(Rows.count(1));
    // The fixed row's texts show.
    EXPECT_TRUE(S.HasInk(G->CellRect(1, 0)));
}

TEST_F(GridWindow, EditorOpensWritesBackAndCancels)
{
    G->SetOptions(G->GetOptions() + TGridOptions{goEditing});
    G->SetCol(2);
    G->SetRow(3);
    // F2 opens it with the cell's text; Enter writes back and closes it.
    ui::PressKey(VK_F2, {}, H());
    ASSERT_TRUE(G->GetEditorMode());
    TInplaceEdit* E = G->InplaceEditor();
    ASSERT_NE(E, nullptr);
    EXPECT_EQ(E->GetText(), L"203");
    EXPECT_EQ(GetFocus(), E->GetHandle());
    EXPECT_EQ(E->GetBoundsRect(), G->CellRect(2, 3));
    E->SetText(L"changed");
    ui::PressKey(VK_RETURN, {}, E->GetHandle());
    EXPECT_FALSE(G->GetEditorMode());
    EXPECT_EQ(G->GetCells(2, 3), L"changed");
    EXPECT_EQ(GetFocus(), H());

    // Enter opens it too; Esc drops what was typed.
    ui::PressKey(VK_RETURN, {}, H());
    ASSERT_TRUE(G->GetEditorMode());
    ui::TypeChar(L'x', E->GetHandle());
    ui::PressKey(VK_ESCAPE, {}, E->GetHandle());
    EXPECT_FALSE(G->GetEditorMode());
    EXPECT_EQ(G->GetCells(2, 3), L"changed");

    // A typed character opens it with that character in place of the text.
    ui::TypeChar(L'7', H());
    ui::Pump();
    ASSERT_TRUE(G->GetEditorMode());
    EXPECT_EQ(E->GetText(), L"7");
    // Moving on by arrow writes back; the editor follows when the view scrolls.
    ui::PressKey(VK_DOWN, {}, E->GetHandle());
    EXPECT_EQ(G->GetCells(2, 3), L"7");
    EXPECT_EQ(G->GetRow(), 4);
    EXPECT_FALSE(G->GetEditorMode());
    ui::PressKey(VK_F2, {}, H());
    ASSERT_TRUE(G->GetEditorMode());
    SendMessageW(H(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(E->GetBoundsRect(), G->CellRect(2, 4));
}

// A demonstration grid for a person to look at: fixed row and column, a sized and a moved
// column, a range selection, and an open editor.
TEST_F(GridWindow, DemonstrationSnapshot)
{
    G->SetOptions(G->GetOptions() + TGridOptions{goEditing, goColSizing, goColMoving});
    G->SetColWidths(2, 100);
    G->SetColWidths(0, 48);
    G->SetRowHeights(2, 0);
    G->SetRow(8);
    G->SetSelection(TGridRect{2, 4, 3, 6});
    G->SetTopRow(3);
    ui::Pump(50);
    TDibSurface S(400, 280);
    PaintWindowInto(H(), S, true);
    S.SavePng(SnapshotPath(L"grid_demo.png"));
    // The selected block is painted in the highlight colour, also where a selected cell follows
    // a selected cell (the canvas must not keep a brush the cell clipping threw away).
    TRect Sel = G->CellRect(3, 5);
    EXPECT_GT(S.CountColor(TRect{Sel.Left, Sel.Top, Sel.Left + 10, Sel.Top + 3}, ColorToRGB(clHighlight)), 0);
}

}  // namespace
