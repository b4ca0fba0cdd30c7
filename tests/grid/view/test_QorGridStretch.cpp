// Column stretching and what follows the framework's size changes: the stretched column, the
// even split, bad columns, widths that never go negative, sizing all columns or rows in
// proportion, the end-of-sizing events, the arrows' colour and removed components; a seeded
// random walk over counts, widths, client sizes and the stretch settings.
#include "tests/grid/QorGridKit.h"
#include "tests/support/Pixels.h"
#include "tests/support/UiHarness.h"

#include "grid/QorGridSatellites.h"

#include "framework/ImgList.h"

#include <gtest/gtest.h>

#include <random>

namespace {

class GridStretch : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(800, 500);
        G = Create<TTestableQorGrid>(Form);
        G->SetBorderStyle(bsNone);
        G->SetParent(Form);
        G->SetScrollBarsEx(TScrollStyle::ssNone);
        G->SetBounds(0, 0, 300, 200);
        G->SetRowCountEx(3);
        Form->Show();
        ui::Pump();
    }
    void TearDown() override
    {
        Form->Free();
        ui::Pump();
    }
    void Widths(std::initializer_list<int> W)
    {
        G->SetColCountEx(int(W.size()));
        int c = 0;
        for (int w : W) G->SetColWidths(c++, w);
    }
    String WidthText()
    {
        String S;
        for (int c = 0; c < G->GetColCount(); ++c) S += (c ? L" " : L"") + IntToStr(G->GetColWidths(c));
        return S;
    }
    int Sum(int From = 0)
    {
        int S = 0;
        for (int c = From; c < G->GetColCount(); ++c) S += G->GetColWidths(c);
        return S;
    }

    TForm* Form = nullptr;
    TTestableQorGrid* G = nullptr;
};

} // namespace

TEST_F(GridStretch, StretchAllSplitsTheWidthEvenlyTheRestToTheFirstColumns)
{
    G->SetFixedCols(0);
    Widths({10, 10, 10});
    G->SetBounds(0, 0, 100, 200);
    G->GetColumnSize()->SetStretchAll(true);
    G->GetColumnSize()->SetStretch(true);
    EXPECT_EQ(WidthText(), L"34 33 33");
    // Fixed columns and fixed right columns keep theirs.
    G->GetColumnSize()->SetStretch(false);
    Widths({20, 10, 10, 10, 15});
    G->SetFixedCols(1);
    G->SetFixedRightCols(1);
    G->StretchColumns();
    EXPECT_EQ(WidthText(), L"20 22 22 21 15");
    EXPECT_TRUE(G->GetColumnSize()->GetStretch() && G->GetColumnSize()->GetStretchAll());
}

TEST_F(GridStretch, OneColumnTakesWhatTheOthersLeaveAndFollowsTheWindow)
{
    Widths({50, 50, 10});
    G->GetColumnSize()->SetStretch(true);
    EXPECT_EQ(WidthText(), L"50 50 200");
    G->SetWidth(400);
    ui::Pump();
    EXPECT_EQ(WidthText(), L"50 50 300");
    // A changed width of another column is made up by the stretched one.
    G->SetColWidths(0, 80);
    EXPECT_EQ(WidthText(), L"80 50 270");
    // A chosen column.
    G->GetColumnSize()->SetStretchColumn(1);
    G->SetWidth(300);
    ui::Pump();
    EXPECT_EQ(WidthText(), L"80 50 270");   // the others are wider than the window: left alone
    G->SetWidth(500);
    ui::Pump();
    EXPECT_EQ(WidthText(), L"80 150 270");
    G->StretchRightColumn();
    EXPECT_EQ(WidthText(), L"80 150 270");
}

TEST_F(GridStretch, OthersWiderThanTheClientGiveTheDefaultOnlyWhenScrolledLeft)
{
    G->SetScrollBarsEx(TScrollStyle::ssBoth);
    Widths({20, 200, 200, 10});
    G->SetDefaultColWidth(64);
    Widths({20, 200, 200, 10});
    G->SetFixedCols(1);
    G->SetLeftCol(2);
    const int Left = G->GetLeftCol();
    G->GetColumnSize()->SetStretch(true);
    if (Left != G->GetFixedCols()) {
        EXPECT_EQ(G->GetColWidths(3), 10);
    }
    G->SetLeftCol(1);
    G->StretchColumn(-1, -1);
    EXPECT_EQ(G->GetColWidths(3), 64);
}

TEST_F(GridStretch, ColumnsOutsideTheGridRaiseAndNothingGoesNegative)
{
    Widths({10, 10, 10});
    G->GetColumnSize()->SetStretch(true);
    for (int Bad : {-2, 3, 100}) {
        try {
            G->StretchColumn(Bad, -1);
            ADD_FAILURE() << Bad;
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message, L"Stretch column index out of range");
        }
    }
    // A width narrower than the other columns: 0, not below.
    G->StretchColumn(2, 5);
    EXPECT_EQ(G->GetColWidths(2), 0);
    // A client narrower than the fixed columns.
    G->GetColumnSize()->SetStretchAll(true);
    Widths({200, 10, 10});
    G->SetFixedCols(1);
    G->SetBounds(0, 0, 100, 200);
    G->StretchColumns();
    EXPECT_EQ(WidthText(), L"200 0 0");
    // No columns at all, and a stored stretch column the grid no longer has.
    G->SetColCountEx(0);
    EXPECT_NO_THROW(G->StretchColumn(-1, -1));
    G->GetColumnSize()->SetStretchAll(false);
    G->GetColumnSize()->SetStretchColumn(7);
    EXPECT_NO_THROW(G->SetColCountEx(3));
    EXPECT_NO_THROW(G->SetWidth(250));
}

TEST_F(GridStretch, SizingOneColumnSizesTheOthersInProportion)
{
    Widths({30, 40, 50, 60});
    G->SetFixedCols(1);
    G->GetMouseActions()->SetAllColumnSize(true);
    std::vector<int> Ended;
    G->OnEndColumnSize = [&](TObject*, int ACol) { Ended.push_back(ACol); };
    G->BeginLineSizing(TGridAxisKind::Cols, 1);
    G->EndLineSizing(TGridAxisKind::Cols);
    G->SetColWidths(1, 80);
    EXPECT_EQ(WidthText(), L"30 80 100 120");
    EXPECT_EQ(Ended, std::vector<int>{1});
    // An OnUpdateColumnSize handler has the last word on the sized column.
    G->GetMouseActions()->SetAllColumnSize(false);
    G->OnUpdateColumnSize = [](TObject*, int, int& W) { W = 77; };
    G->BeginLineSizing(TGridAxisKind::Cols, 2);
    G->EndLineSizing(TGridAxisKind::Cols);
    G->SetColWidths(2, 90);
    EXPECT_EQ(G->GetColWidths(2), 77);
    // A column that started at 0 is not a ratio.
    G->OnUpdateColumnSize = nullptr;
    G->GetMouseActions()->SetAllColumnSize(true);
    G->SetColWidths(3, 0);
    G->BeginLineSizing(TGridAxisKind::Cols, 3);
    G->EndLineSizing(TGridAxisKind::Cols);
    G->SetColWidths(3, 50);
    EXPECT_EQ(WidthText(), L"30 80 77 50");
}

TEST_F(GridStretch, SizingOneRowScalesTheOthersAndKeepsTheirOwnHeights)
{
    G->SetRowCountEx(6);
    G->SetFixedRows(1);
    for (int r = 0; r < 6; ++r) G->SetRowHeights(r, 20);
    G->SetRowHeights(0, 25);
    G->SetRowHeights(4, 30);
    G->GetMouseActions()->SetAllRowSize(true);
    G->SetRow(3);
    std::vector<int> Ended;
    G->OnEndRowSize = [&](TObject*, int ARow) { Ended.push_back(ARow); };
    G->BeginLineSizing(TGridAxisKind::Rows, 2);
    G->EndLineSizing(TGridAxisKind::Rows);
    G->SetRowHeights(2, 40);
    String H;
    for (int r = 0; r < 6; ++r) H += (r ? L" " : L"") + IntToStr(G->GetRowHeights(r));
    // Row 4 keeps its own scaled height, not the new default; the fixed row keeps 25.
    EXPECT_EQ(H, L"25 40 40 40 60 40");
    EXPECT_EQ(G->GetDefaultRowHeight(), 40);
    EXPECT_EQ(G->GetRow(), 3);
    EXPECT_EQ(Ended, std::vector<int>{2});
}

TEST_F(GridStretch, ArrowsAndRemovedComponents)
{
    G->SetArrowColor(clRed);
    EXPECT_EQ(G->GetArrowColor(), clRed);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(TGridTestAccess::Arrow(*G, i)->GetColor(), clRed);

    auto* Images = Create<TImageList>(Form);
    G->SetGridImages(Images);
    auto* Partner = Create<TStringGrid>(Form);
    G->GetSyncGrid()->SetGrid(Partner);
    Images->Free();
    EXPECT_EQ(G->GetGridImages(), nullptr);
    EXPECT_EQ(G->GetSyncGrid()->GetGrid(), Partner);
    Partner->Free();
    EXPECT_EQ(G->GetSyncGrid()->GetGrid(), nullptr);
}

// Counts, widths, client sizes and the stretch settings change at random; after each step the
// stretched widths fill the client when the others leave room, and no width is negative.
TEST_F(GridStretch, RandomChangesKeepTheStretchedWidthsFillingTheClient)
{
    std::mt19937 Rng(20261211);
    auto Pick = [&](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); };
    G->SetFixedCols(0);
    Widths({40, 40, 40});
    for (int Step = 0; Step < 300; ++Step) {
        switch (Pick(0, 6)) {
        case 0: G->SetColCountEx(Pick(1, 8)); break;
        case 1:
            if (G->GetColCount() > 0) G->SetColWidths(Pick(0, G->GetColCount() - 1), Pick(0, 150));
            break;
        case 2: G->SetWidth(Pick(1, 600)); break;
        case 3: G->GetColumnSize()->SetStretch(Pick(0, 3) != 0); break;
        case 4: G->GetColumnSize()->SetStretchAll(Pick(0, 1) != 0); break;
        case 5:
            if (G->GetColCount() > 1) G->SetFixedColsEx(Pick(0, std::min(2, G->GetColCount() - 1)));
            break;
        case 6: G->SetRowCountEx(Pick(1, 40)); break;
        }
        ui::Pump();
        const String Where = L"step " + IntToStr(Step) + L": " + WidthText();
        for (int c = 0; c < G->GetColCount(); ++c) ASSERT_GE(G->GetColWidths(c), 0) << Where;
        if (!G->GetColumnSize()->GetStretch() || G->GetColCount() < 2) continue;
        const int Client = G->GetClientRect().Width();
        if (G->GetColumnSize()->GetStretchAll()) {
            int Fixed = 0;
            for (int c = 0; c < G->GetFixedCols(); ++c) Fixed += G->GetColWidths(c);
            if (Fixed <= Client && G->GetFixedCols() < G->GetColCount()) {
                EXPECT_EQ(Sum(G->GetFixedCols()), Client - Fixed) << Where;
            }
        } else {
            const int Others = Sum() - G->GetColWidths(G->GetColCount() - 1);
            if (Others < Client && TGridTestAccess::StretchDone(*G)) {
                EXPECT_EQ(Sum(), Client) << Where;
            }
        }
    }
}

// A grid with proportional thumbs and stretched columns, as it looks.
TEST_F(GridStretch, SnapshotProportionalThumbsAndStretchedColumns)
{
    G->SetScrollBarsEx(TScrollStyle::ssBoth);
    G->SetBorderStyle(bsSingle);
    G->SetBounds(10, 10, 360, 240);
    G->SetColCountEx(4);
    G->SetRowCountEx(60);
    for (int r = 0; r < 60; ++r)
        for (int c = 0; c < 4; ++c) G->SetCellEx(c, r, r == 0 ? L"Kolonne " + IntToStr(c) : IntToStr(r * 10 + c));
    G->SetColWidths(0, 40);
    G->SetColWidths(1, 90);
    G->SetColWidths(2, 90);
    G->GetColumnSize()->SetStretch(true);
    G->SetScrollProportional(true);
    G->SetTopRow(20);
    ui::Pump();
    UpdateWindow(G->GetHandle());
    SCROLLINFO SI{};
    SI.cbSize = sizeof(SI);
    SI.fMask = SIF_ALL;
    GetScrollInfo(G->GetHandle(), SB_VERT, &SI);
    EXPECT_GT(SI.nPage, 0u);
    EXPECT_EQ(int(SI.nMax - SI.nPage) + 1, 127);
    EXPECT_EQ(Sum(), G->GetClientRect().Width());
    auto Shot = CaptureWindowAsShown(Form->GetHandle());
    ASSERT_NE(Shot, nullptr);
    EXPECT_TRUE(Shot->SavePng(SnapshotPath(L"grid_scroll_stretch.png")));
}
