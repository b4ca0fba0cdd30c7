// Widget sizes on screen and in print, and the hit areas: the check box square (scaled sizes
// throughout), a cell button from the offset painting stores, the toggle box of expandable cells.
#include "tests/grid/QorGridKit.h"

#include "grid/paint/CellGraphic.h"

#include <gtest/gtest.h>

namespace {

class CellSizes : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableQorGrid>(Form.get());
        G->SetParent(Form.get());
        G->SetColCount(5);
        G->SetRowCount(6);
        G->SetBounds(0, 0, 700, 300);
        G->SetDefaultColWidth(100);
        G->SetDefaultRowHeight(20);
        Bmp->SetSize(16, 16);
    }

    TFreePtr<TForm> Form{Create<TForm>(nullptr)};
    TTestableQorGrid* G = nullptr;
    TFreePtr<TBitmap> Bmp{Create<TBitmap>()};
};

}  // namespace

TEST_F(CellSizes, BitmapsCountOnlyBesideTheTextOrWithoutIt)
{
    struct Case { TCellHAlign H; TCellVAlign V; const wchar_t* Text; TPoint Want; };
    const Case Cases[] = {{haLeft, vaTop, L"x", {0, 0}},        {haBeforeText, vaTop, L"x", {16, 0}},
                          {haLeft, vaTop, L"", {16, 16}},        {haLeft, vaAboveText, L"x", {0, 16}},
                          {haFull, vaTop, L"", {100, 16}},       {haLeft, vaFull, L"x", {0, 20}}};
    for (const Case& C : Cases) {
        G->SetCellEx(1, 1, C.Text);
        G->AddBitmap(1, 1, Bmp.get(), false, C.H, C.V);
        EXPECT_EQ(G->GetCellGraphicSize(1, 1), C.Want) << int(C.H) << "/" << int(C.V) << " " << C.Text;
    }
    EXPECT_EQ(G->GetCellGraphicSize(2, 2), TPoint(0, 0));
    EXPECT_EQ(G->GetPrintGraphicSize(1, 1, 50, 50, 3.0), TPoint(16, 16));
}

TEST_F(CellSizes, BoxesScaleWithTheDPIRoundingHalfToEven)
{
    G->AddCheckBox(1, 1, false, false);
    G->AddRadioButton(1, 2, false);
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), TPoint(15, 15));
    TGridTestAccess::SetDPIScale(*G, 1.5);
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), TPoint(22, 22));   // 22.5 -> 22
    EXPECT_EQ(G->GetPrintGraphicSize(1, 1, 0, 0, 1), TPoint(22, 22));
    EXPECT_EQ(G->GetCellGraphicSize(1, 2), TPoint(10, 10));   // the radio size is not scaled
}

TEST_F(CellSizes, RadioGroupsMeasureTheirCaptions)
{
    TCanvas* C = G->GetCanvas();
    C->GetFont()->Assign(G->GetFont());
    auto* L = G->CreateRadio(1, 1, 0, 0);
    L->Add(L"a");
    L->Add(L"a much longer caption");
    const int Long = C->TextWidth(L"a much longer caption");
    TPoint S = G->GetCellGraphicSizeEx(C, 1, 1, 0, 1.0);
    EXPECT_EQ(S.X, Long + 12);
    EXPECT_GE(S.Y, 16);
    G->GetCellGraphic(1, 1)->FCellBoolean = true;   // side by side
    S = G->GetCellGraphicSizeEx(C, 1, 1, 0, 1.0);
    EXPECT_EQ(S.X, C->TextWidth(L"a") + 12 + Long + 12);
    EXPECT_EQ(S.Y, C->TextHeight(L"gh"));
}

TEST_F(CellSizes, ButtonsRatingsShapesAndOthers)
{
    G->AddButton(1, 1, 60, 20, L"Caption", haFull, vaTop);
    TCanvas* C = G->GetCanvas();
    const TPoint S = G->GetCellGraphicSizeEx(C, 1, 1, 0, 1.0);
    C->GetFont()->Assign(G->GetFont());
    EXPECT_EQ(S.X, C->TextWidth(L"Caption") + 8);   // no text: the caption's width, step 2 skipped
    EXPECT_EQ(G->GetPrintGraphicSize(1, 1, 0, 0, 1), TPoint(60, 20));
    G->SetCellEx(1, 1, L"text");
    G->GetCellGraphic(1, 1)->FCellHAlign = haCenter;
    EXPECT_EQ(G->GetCellGraphicSize(1, 1), TPoint(0, 0));

    G->AddRating(2, 1, 5, clYellow, clGray);
    EXPECT_EQ(G->GetCellGraphicSize(2, 1), TPoint(90, 16));   // haFull does not widen it
    G->AddShape(3, 1, QorUtil::csCircle, clRed, clBlack, haLeft, vaTop);
    EXPECT_EQ(G->GetCellGraphicSize(3, 1), TPoint(16, 16));
    G->AddProgressPie(4, 1, clRed, 10);
    EXPECT_EQ(G->GetCellGraphicSize(4, 1), TPoint(20, 20));
    G->AddProgress(4, 2, clRed, clWhite);
    EXPECT_EQ(G->GetPrintGraphicSize(4, 2, 0, 0, 1), TPoint(100, 20));
    EXPECT_EQ(G->GetCellGraphicSize(4, 2), TPoint(0, 0));
}

TEST_F(CellSizes, PicturesFitTheCellLessOffsetsAndPadding)
{
    TPicture* P = G->CreatePicture(1, 1, false, Stretch, 0, haLeft, vaTop);
    P->SetGraphic(Bmp.get());
    const TPoint Off = G->GetXYOffset();
    EXPECT_EQ(G->GetCellGraphicSizeEx(1, 1, 4), TPoint(100 - 1 - Off.X, 20 - 1 - Off.Y - 4));
    EXPECT_EQ(G->GetPrintGraphicSize(1, 1, 40, 30, 1), TPoint(40, 30));
}

TEST_F(CellSizes, HitAreas)
{
    G->AddBitmap(1, 1, Bmp.get(), false, haLeft, vaTop);
    G->AddCheckBox(2, 1, false, false);
    EXPECT_FALSE(G->IsInCheckBox(1, 1, 0, 0));
    EXPECT_TRUE(G->IsInCheckBox(2, 1, -500, 9999));   // the whole cell counts

    G->GetMouseActions()->SetPreciseCheckBoxCheck(true);
    const TRect R = G->CellRect(2, 1);
    ASSERT_FALSE(R.IsEmpty());
    EXPECT_TRUE(G->IsInCheckBox(2, 1, R.Left + 2, R.Top + 2));
    EXPECT_TRUE(G->IsInCheckBox(2, 1, R.Left + 16, R.Top + 16));
    EXPECT_FALSE(G->IsInCheckBox(2, 1, R.Left + 17, R.Top + 2));   // right edge excluded
    // Centred vertically with the scaled size: at 1.5 the box is 22 high in a 20 high cell.
    TGridTestAccess::SetDPIScale(*G, 1.5);
    G->GetCellGraphic(2, 1)->FCellVAlign = vaCenter;
    EXPECT_TRUE(G->IsInCheckBox(2, 1, R.Left + 3, R.Top - 1));
    EXPECT_FALSE(G->IsInCheckBox(2, 1, R.Left + 3, R.Top - 2));

    G->AddButton(3, 2, 30, 12, L"b", haLeft, vaTop);
    G->GetCellGraphic(3, 2)->FCellValue = 4 * 65536 + 5;   // painted at (5, 4)
    const TRect C = G->CellRect(3, 2);
    EXPECT_EQ(G->ButtonRect(3, 2), TRect(C.Left + 5, C.Top + 4, C.Left + 35, C.Top + 16));
    G->GetCellGraphic(3, 2)->FCellVAlign = vaFull;
    EXPECT_EQ(G->ButtonRect(3, 2), TRect(C.Left + 5, C.Top, C.Left + 35, C.Bottom));
    G->GetCellGraphic(3, 2)->FCellValue = 1e300;   // nonsense offsets give none
    EXPECT_EQ(G->ButtonRect(3, 2).Left, C.Left);
    EXPECT_EQ(G->ButtonRect(4, 4), TRect(0, 0, 0, 0));

    G->AddExpand(4, 3, 60);
    const TRect E = G->CellRect(4, 3);
    EXPECT_EQ(G->ExpandRect(4, 3), TRect(E.Right - 13, E.Top + 2, E.Right - 2, E.Top + 13));
    EXPECT_EQ(G->ExpandRect(4, 4), TRect(0, 0, 0, 0));
}
