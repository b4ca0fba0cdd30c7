// The grid base's painting frame, read back by pixels: a merged area painted once as one cell
// (also from a covered cell when its base is scrolled away), the selection styles with their
// parts, the active and hover rows, the row under the floating footer, painting without content;
// and the keys and wheel that step over merged areas. A snapshot shows them side by side.
#include "BaseGridKit.h"

#include "graphics/QorUtil.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int W = 60, H = 24;   // cell size
constexpr int Cols = 6, Rows = 9;

TTestBaseGrid* NewPaintGrid(TForm* Form, int Left, int Top)
{
    RegisterBaseGridClasses();
    auto* G = Create<TTestBaseGrid>(Form);
    G->SetBorderStyle(bsNone);
    G->SetScrollBars(TScrollStyle::ssNone);
    G->SetBounds(Left, Top, Cols * W, Rows * H);
    G->SetDefaultColWidth(W);
    G->SetDefaultRowHeight(H);
    G->SetColCount(Cols);
    G->SetRowCount(Rows);
    G->SetParent(Form);
    G->HandleNeeded();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) G->SetCellEx(c, r, IntToStr(c) + L"," + IntToStr(r));
    return G;
}

struct PaintTest : ::testing::Test {
    TForm* Form = ui::NewForm(Cols * W + 20, Rows * H + 20);
    ui::FormGuard Guard{Form};
    TTestBaseGrid* G = NewPaintGrid(Form, 0, 0);
    TDibSurface S{Cols * W, Rows * H, clBlack};

    PaintTest()
    {
        // The current cell of an unfocused grid paints as selected: out of the way.
        G->SetCol(5);
        G->SetRow(7);
    }

    void Paint()
    {
        G->Drawn.clear();
        PaintWindowInto(G->GetHandle(), S, true);
    }
    // The inside of a cell: its face without the grid lines at its right and bottom edge.
    static TRect Face(int c, int r) { return {c * W, r * H, (c + 1) * W - 1, (r + 1) * H - 1}; }
    int DrawCount(int c, int r) const { return int(std::count(G->Drawn.begin(), G->Drawn.end(), std::make_pair(c, r))); }
};

constexpr TColor LineColor = TColor(0x00C0C0C0);

TEST_F(PaintTest, MergedAreaIsPaintedOnceAsOneCell)
{
    G->MergeCells(1, 1, 3, 2);
    G->SetCellEx(1, 1, L"One wide merged text");
    const int PaintID = G->FPaintID;
    Paint();
    EXPECT_EQ(G->FPaintID, PaintID + 1);
    EXPECT_EQ(DrawCount(1, 1), 1);
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 2; ++r)
            if (c != 1 || r != 1) {
                EXPECT_EQ(DrawCount(c, r), 0) << c << "," << r;
            }
    // No lines inside the area; its own lines at its right and bottom edge.
    EXPECT_EQ(S.Pixel(2 * W - 1, H + 5), TTestBaseGrid::NormalColor);
    EXPECT_EQ(S.Pixel(W + 5, 2 * H - 1), TTestBaseGrid::NormalColor);
    EXPECT_EQ(S.Pixel(4 * W - 1, H + 5), LineColor);
    EXPECT_EQ(S.Pixel(W + 5, 3 * H - 1), LineColor);
    EXPECT_EQ(S.Pixel(5 * W - 1, H + 5), LineColor);   // a plain cell beside it
    // The text is centred in the area, across the cells' borders.
    TRect Ink = S.InkBounds(TRect(W, H, 4 * W - 1, 3 * H - 1), TTestBaseGrid::NormalColor);
    EXPECT_LT(Ink.Left, 2 * W);
    EXPECT_GT(Ink.Right, 3 * W);
    EXPECT_NEAR((Ink.Left + Ink.Right) / 2, (W + 4 * W) / 2, 3);
    EXPECT_NEAR((Ink.Top + Ink.Bottom) / 2, 2 * H, 3);
}

TEST_F(PaintTest, CoveredCellPaintsItsAreaWhenTheBaseIsScrolledAway)
{
    G->SetBounds(0, 0, Cols * W, 5 * H);
    G->MergeCells(1, 1, 3, 2);
    G->SetCellEx(1, 1, L"Merged");
    G->SetTopRow(2);
    Paint();
    EXPECT_EQ(DrawCount(1, 1), 1);
    // The area's lower half shows under the fixed row; the fixed row keeps its own look.
    EXPECT_EQ(S.Pixel(W + 3, H + 3), TTestBaseGrid::NormalColor);
    EXPECT_EQ(S.Pixel(2 * W - 1, H + 3), TTestBaseGrid::NormalColor);
    EXPECT_EQ(S.Pixel(W + 3, 3), TTestBaseGrid::FixedColor);
    EXPECT_EQ(S.InkBounds(TRect(W, H, 4 * W - 1, 2 * H - 1), TTestBaseGrid::NormalColor).Top, H);
}

TEST_F(PaintTest, CoveredCellPaintsTheBaseAtItsDisplayColumn)
{
    // Real column 1 is hidden: display columns 0..4 show real columns 0, 2, 3, 4, 5.
    G->SetColCount(5);
    G->RealCols = {0, 2, 3, 4, 5};
    G->TotalCols = 6;
    G->SetBounds(0, 0, 3 * W, Rows * H);
    G->MergeCells(2, 1, 2, 1);   // real columns 2 and 3: display columns 1 and 2
    G->SetLeftCol(2);            // the base's display column scrolls away
    Paint();
    EXPECT_EQ(DrawCount(1, 1), 1);
    EXPECT_EQ(DrawCount(2, 1), 0);
}

struct StyleCase {
    TGridSelectionStyle Style;
    bool Focused;
    TColor Color1, Color2, MirColor1, MirColor2, LineTop, LineBottom, Border, Edge;
};

class PaintSelection : public PaintTest, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(PaintSelection, SelectedCellsShowTheStylesBoxInTheirPart)
{
    const StyleCase& P = GetParam();
    for (int c = 1; c <= 4; ++c) G->SetCellEx(c, 3, L"");
    G->SetSelectionStyle(P.Style);
    if (P.Focused) G->SetOptions(G->GetOptions() + TGridOptions{goDrawFocusSelected});
    G->SetSelection(TGridRect{2, 3, 4, 3});
    Paint();
    const QorUtil::TGradientPart Parts[] = {QorUtil::gpLeft, QorUtil::gpMiddle, QorUtil::gpRight};
    for (int c = 2; c <= 4; ++c) {
        TDibSurface Ref(Cols * W, Rows * H, clBlack);
        const TRect Cell(c * W, 3 * H, (c + 1) * W, 4 * H);
        QorUtil::DrawSelectionGradient(Ref.Canvas(), P.Color1, P.Color2, P.MirColor1, P.MirColor2, P.LineTop,
                                       P.LineBottom, P.Border, P.Edge, G->GetColor(), Cell, Parts[c - 2]);
        GdiFlush();
        int Diff = 0;
        const TRect F = Face(c, 3);
        for (int y = F.Top; y < F.Bottom; ++y)
            for (int x = F.Left; x < F.Right; ++x) {
                if (S.Pixel(x, y) != Ref.Pixel(x, y) && Diff < 5)
                    ADD_FAILURE() << x << "," << y << ": " << std::hex << S.Pixel(x, y) << " vs " << Ref.Pixel(x, y);
                Diff += S.Pixel(x, y) != Ref.Pixel(x, y);
            }
        EXPECT_EQ(Diff, 0) << "column " << c;
    }
    EXPECT_TRUE(S.AllColor(Face(1, 3), TTestBaseGrid::NormalColor));
}

INSTANTIATE_TEST_SUITE_P(Styles, PaintSelection, ::testing::Values(
    StyleCase{ssVista, true, 0x00FDF8F1, 0x00FCEFD5, clNone, clNone, 0x00FDFBF6, 0x00FDF5E7, 0x00FDDE99, 0x00FCEDCB},
    StyleCase{ssWin7, true, 0x00FCEBDC, 0x00FCDBC1, clNone, clNone, 0x00FDF4EB, 0x00FDEADB, 0x00CEA27D, 0x00E0C5AE},
    StyleCase{ssOffice2007, true, 0x00D7FFFD, 0x0058D4FC, 0x0058D4FC, 0x00B3F1FC, 0x00F4FEFF, 0x00CAF8FF,
              0x008DD7D3, 0x00C3D9DF},
    // Not focused, any style: the grey box.
    StyleCase{ssVista, false, 0x00F8F8F8, 0x00E5E5E5, clNone, clNone, 0x00FBFAFA, 0x00F0F0F0, 0x00D9D9D9,
              0x00EFEFEF}));

TEST_F(PaintTest, DefaultSelectionStyleKeepsTheCellsColourAndAOneCellSelectionIsFull)
{
    G->SetCellEx(2, 3, L"");
    G->SetSelection(TGridRect{2, 3, 2, 3});
    Paint();
    EXPECT_TRUE(S.AllColor(Face(2, 3), TTestBaseGrid::SelectedColor));
    G->SetSelectionStyle(ssWin7);
    Paint();
    TDibSurface Ref(Cols * W, Rows * H, clBlack);
    QorUtil::DrawSelectionGradient(Ref.Canvas(), 0x00F8F8F8, 0x00E5E5E5, clNone, clNone, 0x00FBFAFA, 0x00F0F0F0,
                                   0x00D9D9D9, 0x00EFEFEF, G->GetColor(), TRect(2 * W, 3 * H, 3 * W, 4 * H),
                                   QorUtil::gpFull);
    GdiFlush();
    EXPECT_EQ(S.Pixel(2 * W, 3 * H + 5), Ref.Pixel(2 * W, 3 * H + 5));
    EXPECT_EQ(S.Pixel(3 * W - 2, 3 * H + 5), Ref.Pixel(3 * W - 2, 3 * H + 5));
}

TEST_F(PaintTest, ActiveRowAndHoverRowTakeTheirColours)
{
    const TColor Hover = TColor(0x00A0E0A0), Active = TColor(0x00E0C0F0);
    for (int c = 0; c < Cols; ++c) {
        G->SetCellEx(c, 5, L"");
        G->SetCellEx(c, 7, L"");
    }
    G->SetActiveRowShow(true);
    G->SetActiveRowColor(Active);
    G->SetHoverRow(true);
    G->SetHoverRowColor(Hover);
    G->FHoverRowIdx = 7;
    G->SetCol(2);
    G->SetRow(5);
    Paint();
    // The current row's other cells take the active colour; the current cell keeps its own.
    EXPECT_TRUE(S.AllColor(Face(1, 5), Active));
    EXPECT_TRUE(S.AllColor(Face(4, 5), Active));
    EXPECT_TRUE(S.AllColor(Face(2, 5), TTestBaseGrid::SelectedColor));
    EXPECT_TRUE(S.AllColor(Face(0, 5), TTestBaseGrid::FixedColor));
    // The hover row, but not its fixed cell.
    EXPECT_TRUE(S.AllColor(Face(3, 7), Hover));
    EXPECT_TRUE(S.AllColor(Face(0, 7), TTestBaseGrid::FixedColor));
    // The active row wins over the hover row.
    G->FHoverRowIdx = 5;
    Paint();
    EXPECT_TRUE(S.AllColor(Face(4, 5), Active));
    // With the fixed cells among the hover row's kinds the fixed cell takes it too.
    G->SetHoverRowCells({hcNormal, hcFixed});
    G->FHoverRowIdx = 7;
    Paint();
    EXPECT_TRUE(S.AllColor(Face(0, 7), Hover));
}

TEST_F(PaintTest, LastRowUnderTheFooterShowsOnlyTheGridsColour)
{
    G->SetColor(TColor(0x00204060));
    G->FHideLastRow = true;
    Paint();
    for (int c = 0; c < Cols; ++c)
        EXPECT_TRUE(S.AllColor(TRect(c * W, (Rows - 1) * H, (c + 1) * W, Rows * H), TColor(0x00204060))) << c;
    EXPECT_EQ(DrawCount(2, Rows - 1), 0);
}

TEST_F(PaintTest, PaintingOnAnotherCanvasWithAndWithoutContent)
{
    TDibSurface Out(Cols * W, Rows * H, clBlack);
    const TRect R(2 * W, 3 * H, 3 * W, 4 * H);
    // Without content: background and lines only, in the active colour when selected.
    G->SetActiveRowColor(TColor(0x00E0C0F0));
    G->PaintCellExt(Out.Canvas(), 2, 3, R, TGridDrawState{gdSelected});
    GdiFlush();
    EXPECT_TRUE(Out.AllColor(Face(2, 3), TColor(0x00E0C0F0)));
    EXPECT_EQ(Out.Pixel(3 * W - 1, 3 * H + 5), LineColor);
    EXPECT_TRUE(G->Drawn.empty());
    // With content.
    G->PaintCell(Out.Canvas(), 2, 3, R, {});
    GdiFlush();
    EXPECT_TRUE(Out.HasInk(Face(2, 3)));
    EXPECT_EQ(G->Drawn.size(), 1u);
    // A scrolled cell never paints over the fixed cells.
    TDibSurface Fixed(Cols * W, Rows * H, clBlack);
    G->PaintCellExt(Fixed.Canvas(), 2, 3, TRect(0, 0, W, H), {});
    GdiFlush();
    EXPECT_TRUE(Fixed.AllColor(Fixed.Bounds(), clBlack));
    // A row of height 0 paints nothing.
    TDibSurface Empty(Cols * W, Rows * H, clBlack);
    G->SetRowHeights(4, 0);
    G->PaintCell(Empty.Canvas(), 2, 4, R, {});
    GdiFlush();
    EXPECT_TRUE(Empty.AllColor(Empty.Bounds(), clBlack));
}

// ---- keys and wheel over merged areas -----------------------------------------------------------

struct KeyCase {
    int AreaCol, AreaRow, SpanX, SpanY;
    int FromCol, FromRow;
    Word Key;
    int ToCol, ToRow;
};

class MergedKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(MergedKeys, StepLeavesTheArea)
{
    const KeyCase& K = GetParam();
    TGridOnForm G(8, 8);
    G->MergeCells(K.AreaCol, K.AreaRow, K.SpanX, K.SpanY);
    G->SetCol(K.FromCol);
    G->SetRow(K.FromRow);
    Word Key = K.Key;
    G->KeyDown(Key, {});
    EXPECT_EQ(TPoint(G->GetCol(), G->GetRow()), TPoint(K.ToCol, K.ToRow));
}

INSTANTIATE_TEST_SUITE_P(Keys, MergedKeys, ::testing::Values(
    KeyCase{3, 2, 3, 1, 3, 2, VK_RIGHT, 6, 2},   // from the base of columns 3..5
    KeyCase{1, 3, 1, 3, 1, 3, VK_DOWN, 1, 6},    // from the base of rows 3..5
    KeyCase{3, 2, 3, 1, 5, 2, VK_LEFT, 2, 2},    // from the area's last column
    KeyCase{1, 3, 1, 3, 1, 5, VK_UP, 1, 2},      // from the area's last row
    KeyCase{2, 2, 2, 2, 2, 1, VK_DOWN, 2, 2},    // onto an area: its base
    KeyCase{2, 2, 2, 2, 4, 3, VK_LEFT, 2, 2}));  // onto an area from the right: its base

TEST(MergedWheel, WheelDownPassesVerticalAreas)
{
    TGridOnForm G(8, 8, true);
    G->MergeCells(1, 3, 1, 3);
    G->SetCol(1);
    G->SetRow(2);
    G->DoMouseWheelDown({}, {});
    EXPECT_EQ(G->GetRow(), 3);
    G->DoMouseWheelDown({}, {});
    EXPECT_EQ(G->GetRow(), 6);
    G->DoMouseWheelUp({}, {});
    EXPECT_EQ(G->GetRow(), 3);   // onto the area: its base
}

// ---- a snapshot to look at ----------------------------------------------------------------------

TEST(PaintSnapshot, FrameStylesActiveAndHoverRows)
{
    TForm* Form = ui::NewForm(2 * Cols * W + 30, 2 * Rows * H + 30);
    ui::FormGuard Guard(Form);
    const TGridSelectionStyle Styles[] = {ssDefault, ssVista, ssWin7, ssOffice2007};
    for (int i = 0; i < 4; ++i) {
        TTestBaseGrid* G = NewPaintGrid(Form, 10 + (i % 2) * (Cols * W + 10), 10 + (i / 2) * (Rows * H + 10));
        G->MergeCells(1, 1, 3, 2);
        G->SetCellEx(1, 1, L"Merged 3 x 2");
        G->SetSelectionStyle(Styles[i]);
        G->SetOptions(G->GetOptions() + TGridOptions{i % 2 ? goDrawFocusSelected : goFixedVertLine});
        G->SetSelection(TGridRect{2, 4, 4, 4});
        G->SetActiveRowShow(i == 0);
        G->SetHoverRow(true);
        G->SetHoverRowColor(TColor(0x00A0E0A0));
        G->FHoverRowIdx = 6;
    }
    TDibSurface S(Form->GetClientWidth(), Form->GetClientHeight(), clBtnFace);
    for (int i = 0; i < Form->ControlCount(); ++i) {
        auto* G = dyn<TTestBaseGrid>(Form->Controls(i));
        if (G) G->PaintTo(S.DC(), G->GetLeft(), G->GetTop());
    }
    GdiFlush();
    EXPECT_TRUE(S.SavePng(SnapshotPath(L"basegrid_frame.png")));
    EXPECT_TRUE(S.HasInk(S.Bounds()));
}

}  // namespace
