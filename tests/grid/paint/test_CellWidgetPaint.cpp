// The cell widget painters over the per-cell context, painted into memory: the widget's place by
// its alignments, each kind with good and hostile record fields (image indexes out of range,
// empty pictures, texts that are no numbers, a gauge whose bounds are equal, shapes out of range),
// ratings with half stars, buttons that remember their place, comment marks, node boxes, cell
// borders by event, the cell wallpaper anchored at the first counted cell and the grid-wide
// gradient, a seeded run of random widgets that neither raises nor leaves the device context
// changed, and a sheet of every kind in every control style for the snapshots.
#include "tests/grid/QorGridKit.h"

#include "framework/ImgList.h"
#include "graphics/QorStyleIF.h"
#include "grid/paint/CellGraphic.h"
#include "grid/paint/CellPaintContext.h"
#include "grid/paint/CellWidgetPaint.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <random>

using namespace CellWidgetPaint;

namespace {

class WidgetPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        QorStyleIF::DetectionOverrides().CommonControlsMajor = 5;
        G = Create<TTestableQorGrid>(nullptr);
        G->SetColCount(6);
        G->SetRowCount(6);
        G->SetDefaultColWidth(120);
        G->SetDefaultRowHeight(30);
    }
    void TearDown() override
    {
        G->Free();
        QorStyleIF::DetectionOverrides() = {};
    }

    // Paints the widget of cell (1, 1) into a white 120 x 30 surface through the grid's canvas,
    // as DrawGridCell hands it over: the cell rectangle, the widget size, the text's width.
    std::unique_ptr<TDibSurface> Paint(int W, int H, int MaxTextWidth = 0, TAlignment Align = taLeftJustify,
                                       TRect* After = nullptr)
    {
        auto S = std::make_unique<TDibSurface>(120, 30, clWhite);
        PaintOnCanvas(G->GetCanvas(), S->DC(), G->GetFont(), clWhite, [&] {
            TCellPaintContext C;
            C.Grid = G;
            C.Canvas = G->GetCanvas();
            C.OCol = C.ACol = 1;
            C.ARow = C.RRow = 1;
            C.CellRect = C.Rect = TRect(0, 0, 120, 30);
            C.CellGraphic = G->GetCellGraphic(1, 1);
            C.GraphicWidth = W;
            C.GraphicHeight = H;
            C.MaxTextWidth = MaxTextWidth;
            C.HAlignment = Align;
            TRect R = C.Rect;
            DrawCellGraphic(C, R, C.CellGraphic, G->GetVAlignment());
            if (After) *After = R;
        });
        return S;
    }

    TTestableQorGrid* G = nullptr;
};

std::unique_ptr<TImageList> TwoImages()
{
    auto IL = std::make_unique<TImageList>(nullptr, 16, 16);
    for (TColor C : {clRed, clBlue}) {
        TBitmap B(16, 16);
        B.GetCanvas()->GetBrush()->SetColor(C);
        B.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
        IL->Add(&B, nullptr);
    }
    return IL;
}

}  // namespace

TEST(WidgetPlacement, ByAlignmentsAndText)
{
    const TRect R(10, 20, 110, 60);   // 100 x 40
    struct TCase {
        TCellHAlign hal;
        TCellVAlign val;
        int Text;
        TAlignment Align;
        TRect Expected;
    };
    const TCase Cases[] = {
        {haLeft, vaTop, 0, taLeftJustify, {11, 21, 27, 37}},
        {haRight, vaBottom, 0, taLeftJustify, {93, 43, 109, 59}},
        {haCenter, vaCenter, 0, taLeftJustify, {52, 32, 68, 48}},
        {haBeforeText, vaTop, 30, taRightJustify, {64, 21, 80, 37}},   // R - text - W
        {haBeforeText, vaTop, 30, taCenter, {37, 21, 53, 37}},         // L + (100 - 30 - 16) / 2
        {haBeforeText, vaTop, 30, taLeftJustify, {11, 21, 27, 37}},
        {haAfterText, vaTop, 30, taLeftJustify, {40, 21, 56, 37}},     // L + text
        {haAfterText, vaTop, 30, taRightJustify, {93, 21, 109, 37}},
        {haAfterText, vaUnderText, 30, taCenter, {67, 44, 83, 60}},    // L + 30 + 27; B - H
        {haFull, vaFull, 0, taLeftJustify, {10, 20, 110, 60}},
        {haBeforeText, vaAboveText, 200, taRightJustify, {11, 21, 27, 37}},   // never left of L + 1
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(int(C.hal) * 10 + int(C.val));
        EXPECT_EQ(WidgetRect(R, 16, 16, C.hal, C.val, C.Text, C.Align), C.Expected);
    }
    // Too wide or too high to centre: to the left, to the top.
    EXPECT_EQ(WidgetRect(R, 120, 50, haCenter, vaCenter, 0, taLeftJustify), TRect(11, 21, 131, 71));
}

TEST(WidgetValues, LimitPercentAndNumbersFromText)
{
    EXPECT_EQ(Limit(-5), 0);
    EXPECT_EQ(Limit(150), 100);
    EXPECT_EQ(Limit(42.5), 42.5);
    EXPECT_EQ(GaugePercent(50, 0, 100), 50);
    EXPECT_EQ(GaugePercent(5, 3, 3), 0);       // equal bounds: no division
    EXPECT_EQ(GaugePercent(-20, 0, 200), 10);  // the distance from the minimum
    EXPECT_EQ(CellInt(L"12"), 12);
    EXPECT_EQ(CellInt(L" 7 "), 7);
    EXPECT_EQ(CellInt(L"3.9"), 3);
    EXPECT_EQ(CellInt(L"abc"), 0);
    EXPECT_EQ(CellInt(L"1e99"), 0);
    EXPECT_EQ(CellFloat(L"x"), 0);
    EXPECT_EQ(CellFloat(L"2.5"), 2.5);
}

TEST_F(WidgetPaint, ImagesOnlyForIndexesInRange)
{
    auto IL = TwoImages();
    G->SetImages(IL.get());
    G->AddImageIdx(1, 1, 1, haLeft, vaTop);
    EXPECT_EQ(Paint(16, 16)->Pixel(8, 8), clBlue);
    G->SetImageIdx(1, 1, 7);
    EXPECT_FALSE(Paint(16, 16)->HasInk(TRect(0, 0, 120, 30)));
    G->SetImageIdx(1, 1, -3);
    EXPECT_FALSE(Paint(16, 16)->HasInk(TRect(0, 0, 120, 30)));
    // A data image takes its index from the text: none for an empty text, a word or too large.
    G->AddDataImage(1, 1, 0, haLeft, vaTop);
    for (const wchar_t* Text : {L"", L"abc", L"5", L"-1"}) {
        G->SetCells(1, 1, Text);
        EXPECT_FALSE(Paint(16, 16)->HasInk(TRect(0, 0, 120, 30))) << String(Text).size();
    }
    G->SetCells(1, 1, L"0");
    EXPECT_EQ(Paint(16, 16)->Pixel(8, 8), clRed);
    G->SetImages(nullptr);
    EXPECT_FALSE(Paint(16, 16)->HasInk(TRect(0, 0, 120, 30)));
}

TEST_F(WidgetPaint, ProgressBarsFromAnyText)
{
    G->AddProgressEx(1, 1, clRed, clWhite, clBlue, clWhite);
    G->SetCells(1, 1, L"150");
    TRect After;
    auto Full = Paint(0, 0, 0, taLeftJustify, &After);
    const int Mx = G->GetControlLook()->GetProgressMarginX();
    EXPECT_EQ(Full->Pixel(120 - Mx - 4, 15), clRed);   // full
    EXPECT_EQ(After, TRect(Mx, 2, 120 - Mx, 28));       // the caller keeps the bar's rectangle
    G->SetCells(1, 1, L"not a number");
    auto Empty = Paint(0, 0);
    EXPECT_EQ(Empty->Pixel(Mx + 4, 15), clBlue);
    // The gauge with equal bounds shows 0 %, whatever the value.
    G->AddQorProgress(1, 1, 10, 10);
    G->SetCells(1, 1, L"77");
    auto Zero = Paint(0, 0);
    G->SetCells(1, 1, L"0");
    EXPECT_EQ(Zero->DiffCount(*Paint(0, 0)), 0);
    G->AddQorProgress(1, 1, 0, 100);
    G->SetCells(1, 1, L"77");
    EXPECT_GT(Paint(0, 0)->DiffCount(*Zero), 0);
}

TEST_F(WidgetPaint, RatingOfThreePointSixShowsAHalfFourthStar)
{
    G->AddRating(1, 1, 5, clRed, clSilver);
    G->SetCells(1, 1, L"3.6");
    auto S = Paint(5 * 18, 16);
    // Star i spans x = 1 + (i - 1) x 18 .. + 16 (the widget's left is the cell's left + 1 after
    // the record's full alignment moves it).
    const TRect WR = WidgetRect(TRect(0, 0, 120, 30), 5 * 18, 16, haFull, vaTop, 0, taLeftJustify);
    auto StarHas = [&](int i, TColor C, int From, int To) {
        return S->CountColor(TRect(WR.Left + (i - 1) * 18 + From, WR.Top, WR.Left + (i - 1) * 18 + To, WR.Top + 16), C) > 0;
    };
    EXPECT_TRUE(StarHas(3, clRed, 0, 16));
    EXPECT_FALSE(StarHas(3, clSilver, 0, 16));
    EXPECT_TRUE(StarHas(4, clRed, 0, 8));      // the half star over an empty one
    EXPECT_TRUE(StarHas(4, clSilver, 8, 16));
    EXPECT_FALSE(StarHas(5, clRed, 0, 16));
    G->SetCells(1, 1, L"five");
    EXPECT_EQ(Paint(5 * 18, 16)->CountColor(TRect(0, 0, 120, 30), clRed), 0);
}

TEST_F(WidgetPaint, HostileRecordFieldsDrawNothingOrSafely)
{
    // An empty picture, a shape beyond the last one, a missing picture container entry.
    TFreePtr<TPicture> Pic(Create<TPicture>());
    G->AddPicture(1, 1, Pic.get(), false, noStretch, 0, haLeft, vaTop);
    EXPECT_FALSE(Paint(16, 16)->HasInk(TRect(0, 0, 120, 30)));
    G->AddShape(1, 1, QorUtil::TCellShape(999), clRed, clBlack, haLeft, vaTop);
    EXPECT_NO_THROW(Paint(20, 20));
    // A data picture without a picture container.
    G->CreateCellGraphic(1, 1)->SetDataPicture(haLeft, vaTop);
    G->SetCells(1, 1, L"nothing");
    EXPECT_FALSE(Paint(16, 16)->HasInk(TRect(0, 0, 120, 30)));
    G->AddProgressPie(1, 1, clRed, 250);
    EXPECT_NO_THROW(Paint(20, 20));
    G->AddRangeIndicator(1, 1, 0, clRed, clGreen, true);
    G->SetCells(1, 1, L"??");
    EXPECT_NO_THROW(Paint(0, 0));
    // A record of no kind draws nothing.
    G->CreateCellGraphic(1, 1);
    EXPECT_FALSE(Paint(16, 16)->HasInk(TRect(0, 0, 120, 30)));
}

TEST_F(WidgetPaint, ButtonsRememberWhereTheyAre)
{
    G->AddButton(1, 1, 40, 20, L"Go", haRight, vaBottom);
    auto S = Paint(40, 20);
    TCellGraphic* CG = G->GetCellGraphic(1, 1);
    const TPoint O = G->GetXYOffset();
    const TRect Grown(-(1 - O.X), -(1 - O.Y), 120 + 1 - O.X, 30 + 1 - O.Y);
    const TRect WR = WidgetRect(Grown, 40, 20, haRight, vaBottom, 0, taLeftJustify);
    const int Stored = int(CG->FCellValue);
    EXPECT_EQ(Stored >> 16, WR.Top);
    EXPECT_EQ(Stored & 0xFFFF, WR.Left);
    EXPECT_TRUE(S->HasInk(TRect(WR.Left, WR.Top, WR.Right, WR.Bottom)));
    EXPECT_FALSE(S->HasInk(TRect(0, 0, WR.Left - 1, 30)));
    // The expand button: a 13-pixel square at the top-right with its chevron.
    G->AddExpand(1, 1, 60);
    auto E = Paint(13, 13);
    EXPECT_TRUE(E->HasInk(TRect(107, 0, 120, 13)));
    EXPECT_EQ(E->CountColor(TRect(107, 0, 120, 13), clBlack) > 0, true);
}

TEST_F(WidgetPaint, CommentMarkInTheTopRightCorner)
{
    G->SetCells(1, 1, L"x");
    G->AddColorComment(1, 1, L"note", clLime);
    auto S = Paint(0, 0);
    EXPECT_GT(S->CountColor(TRect(100, 0, 120, 10), clLime), 5);
    EXPECT_EQ(S->CountColor(TRect(0, 10, 120, 30), clLime), 0);
    // A record whose index is clNone takes the control look's colour; clNone there draws nothing.
    G->GetCellGraphic(1, 1)->FCellIndex = int(clNone);
    G->GetControlLook()->SetCommentColor(clBlue);
    EXPECT_GT(Paint(0, 0)->CountColor(TRect(100, 0, 120, 10), clBlue), 5);
    G->GetControlLook()->SetCommentColor(clNone);
    EXPECT_FALSE(Paint(0, 0)->HasInk(TRect(0, 0, 120, 30)));
}

TEST_F(WidgetPaint, CheckBoxesFollowTheTextWhenAlignmentIsAsked)
{
    G->SetCells(1, 1, L"text");
    G->AddCheckBox(1, 1, true, false);
    G->GetControlLook()->SetControlStyle(csWinXP);
    // The record's own place: before left-aligned text, at the left.
    auto Left = Paint(16, 16, 30, taLeftJustify);
    EXPECT_TRUE(Left->HasInk(TRect(0, 0, 20, 30)));
    EXPECT_FALSE(Left->HasInk(TRect(20, 0, 120, 30)));
    // With OnGetAlignment the right-aligned text puts the box left of it.
    G->OnGetAlignment = [](TObject*, int, int, TAlignment& HA, TVAlignment&) { HA = taRightJustify; };
    auto Right = Paint(16, 16, 30, taRightJustify);
    EXPECT_FALSE(Right->HasInk(TRect(0, 0, 60, 30)));
    const TRect Ink = Right->InkBounds(Right->Bounds());
    EXPECT_LE(Ink.Right, 120 + 1 - G->GetXYOffset().X - 32);   // R - (text + 2) - 1
    // A data check box shows no text: at the right edge.
    G->AddCheckBox(1, 1, true, true);
    auto Data = Paint(16, 16, 30, taRightJustify);
    EXPECT_GT(Data->InkBounds(Data->Bounds()).Left, 90);
}

TEST_F(WidgetPaint, NodeBoxesFlatAndBitmap)
{
    G->GetCellNode()->SetNodeType(cnFlat);
    G->GetCellNode()->SetNodeColor(clRed);
    // Row 1 is a node of level 1: its box lies one indent in.
    TGridTestAccess::SetNumNodes(*G, 1);
    G->CreateCellProperties(G->GetCellNode()->GetNodeColumn(), 1)->SetNodeLevel(1);
    TCellGraphic* CG = G->CreateCellGraphic(1, 1);
    CG->FCellType = ctNode;
    CG->FCellBoolean = true;   // collapsed: a plus
    auto Plus = Paint(0, 0);
    CG->FCellBoolean = false;
    auto Minus = Paint(0, 0);
    EXPECT_GT(Plus->CountColor(Plus->Bounds(), clRed), 20);
    EXPECT_GT(Plus->DiffCount(*Minus), 0);
    // The XP bitmaps.
    G->GetCellNode()->SetNodeType(cnXP);
    EXPECT_TRUE(Paint(0, 0)->HasInk(TRect(0, 0, 40, 30)));
}

TEST_F(WidgetPaint, BordersByEvent)
{
    G->OnGetCellBorder = [](TObject*, int, int, TPen* P, TCellBorders& B) {
        P->SetColor(clRed);
        B = TCellBorders{cbLeft, cbBottom};
    };
    TDibSurface S(120, 30, clWhite);
    PaintOnCanvas(G->GetCanvas(), S.DC(), G->GetFont(), clWhite, [&] {
        TCellPaintContext C;
        C.Grid = G;
        C.Canvas = G->GetCanvas();
        C.OCol = C.ACol = 1;
        C.ARow = 1;
        C.Canvas->GetPen()->SetColor(clBlue);
        DrawBorders(C, 1, 1, TRect(10, 5, 100, 25));
        EXPECT_EQ(C.Canvas->GetPen()->GetColor(), clBlue);   // the pen comes back
    });
    EXPECT_GT(S.CountColor(TRect(0, 5, 20, 25), clRed), 10);     // the left line
    EXPECT_GT(S.CountColor(TRect(10, 18, 100, 25), clRed), 40);  // the bottom line
    EXPECT_EQ(S.CountColor(TRect(30, 0, 120, 15), clRed), 0);    // no top, no right
}

TEST_F(WidgetPaint, CellWallpaperAndGradient)
{
    auto B = std::make_unique<TBitmap>(10, 10);
    B->GetCanvas()->GetBrush()->SetColor(clBlue);
    B->GetCanvas()->FillRect(TRect(0, 0, 10, 10));
    B->GetCanvas()->SetPixels(0, 0, clRed);
    G->GetBackGround()->SetBitmap(B.get());
    G->SetFixedCols(1);
    G->SetFixedRows(1);
    G->SetColWidths(1, 23);   // the cell (2, 1) starts 23 pixels into the pattern
    TDibSurface S(120, 30, clWhite);
    PaintOnCanvas(G->GetCanvas(), S.DC(), G->GetFont(), clWhite, [&] {
        TCellPaintContext C;
        C.Grid = G;
        C.Canvas = G->GetCanvas();
        C.OCol = C.ACol = 2;
        C.ARow = 1;
        DrawWallPaperTile(C, TRect(10, 5, 60, 25));
    });
    // The pattern's red corner falls at x = 10 - 1 - 3 + 10k, y = 5 - 1 + 10k.
    EXPECT_EQ(S.Pixel(16, 4 + 10), clRed);
    EXPECT_EQ(S.Pixel(26, 14), clRed);
    EXPECT_EQ(S.Pixel(17, 14), clBlue);
    EXPECT_EQ(S.InkBounds(S.Bounds()), TRect(10, 5, 60, 25));

    G->GetBackGround()->SetDisplay(bdGradientHorz);
    G->GetBackGround()->SetColor(clBlack);
    G->GetBackGround()->SetColorTo(TColor(0x0000FF));
    G->SetBounds(0, 0, 200, 100);
    TDibSurface Gr(200, 30, clWhite);
    PaintOnCanvas(G->GetCanvas(), Gr.DC(), G->GetFont(), clWhite, [&] {
        TCellPaintContext C;
        C.Grid = G;
        C.Canvas = G->GetCanvas();
        DrawGradientBackground(C, TRect(100, 0, 200, 30));
    });
    // The cell's part of the grid-wide gradient: half red at its left, full at its right.
    EXPECT_NEAR(GetRValue(Gr.Pixel(101, 10)), 128, 8);
    EXPECT_GT(GetRValue(Gr.Pixel(197, 10)), 240);
}

TEST_F(WidgetPaint, RandomWidgetsNeitherRaiseNorLeaveTheContextChanged)
{
    std::mt19937 Rng(19);
    auto IL = TwoImages();
    G->SetImages(IL.get());
    const TCellType Kinds[] = {ctBitmap, ctIcon, ctImageList, ctDataImage, ctImages, ctCheckBox, ctDataCheckBox,
                               ctRadioButton, ctRadio, ctRotated, ctNode, ctPicture, ctProgress, ctButton,
                               ctBitButton, ctExpand, ctProgressPie, ctRangeIndicator, ctXPProgress, ctShape,
                               ctRating, ctDataPicture, ctTriStateCheckBox, ctVirtButton, ctInterface};
    const wchar_t* Texts[] = {L"", L"1", L"-7", L"3.5", L"abc", L"1e400", L"\x01\x02", L"99999999999"};
    const QorGrid::TControlStyle Styles[] = {csClassic, csFlat, csWinXP, csBorland, csJOQ, csGlyph, csTheme};
    TDibSurface S(120, 30, clWhite);
    HDC DC = S.DC();
    for (int i = 0; i < 400; ++i) {
        TCellGraphic* CG = G->CreateCellGraphic(1, 1);
        CG->FCellType = Kinds[Rng() % std::size(Kinds)];
        CG->FCellIndex = int(Rng() % 41) - 20;
        CG->FCellAngle = int(Rng() % 721) - 360;
        CG->FCellErrFrom = int(Rng() % 21) - 10;
        CG->FCellErrLen = int(Rng() % 21) - 10;
        CG->FCellBoolean = Rng() % 2;
        CG->FCellHAlign = TCellHAlign(Rng() % 6);
        CG->FCellVAlign = TCellVAlign(Rng() % 6);
        CG->FCellValue = double(int(Rng() % 5));
        G->SetCells(1, 1, Texts[Rng() % std::size(Texts)]);
        G->GetControlLook()->SetControlStyle(Styles[Rng() % std::size(Styles)]);
        const int MapMode = GetMapMode(DC);
        HFONT Font = HFONT(GetCurrentObject(DC, OBJ_FONT));
        EXPECT_NO_THROW(PaintOnCanvas(G->GetCanvas(), DC, G->GetFont(), clWhite, [&] {
            TCellPaintContext C;
            C.Grid = G;
            C.Canvas = G->GetCanvas();
            C.OCol = C.ACol = 1;
            C.ARow = 1;
            C.CellRect = TRect(0, 0, 120, 30);
            C.GraphicWidth = int(Rng() % 40);
            C.GraphicHeight = int(Rng() % 40);
            C.MaxTextWidth = int(Rng() % 80);
            TRect R = C.CellRect;
            DrawCellGraphic(C, R, CG, TVAlignment(Rng() % 3));
        })) << i;
        EXPECT_EQ(GetMapMode(DC), MapMode);
        EXPECT_EQ(HFONT(GetCurrentObject(DC, OBJ_FONT)), Font);
        HRGN Clip = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetClipRgn(DC, Clip), 0) << i;   // no clipping left behind
        DeleteObject(Clip);
    }
}

TEST_F(WidgetPaint, SnapshotEveryKindInEveryControlStyle)
{
    auto IL = TwoImages();
    G->SetImages(IL.get());
    TFreePtr<TStringList> Captions(Create<TStringList>());
    Captions->Add(L"Nord");
    Captions->Add(L"Syd");
    struct TKind {
        const wchar_t* Text;
        std::function<void()> Add;
        int W, H;
    };
    const TKind Kinds[] = {
        {L"", [&] { G->AddCheckBox(1, 1, true, false); }, 16, 16},
        {L"", [&] { G->AddCheckBox(1, 1, cbGrayed); }, 16, 16},
        {L"", [&] { G->AddRadioButton(1, 1, true); }, 16, 16},
        {L"Syd", [&] { G->AddRadio(1, 1, 1, -1, Captions.get()); }, 0, 0},
        {L"", [&] { G->AddButton(1, 1, 60, 22, L"Knap", haLeft, vaTop); }, 60, 22},
        {L"", [&] { G->AddExpand(1, 1, 60); }, 13, 13},
        {L"64", [&] { G->AddProgressEx(1, 1, clNavy, clWhite, clSilver, clBlack); }, 0, 0},
        {L"40", [&] { G->AddQorProgress(1, 1, 0, 100); }, 0, 0},
        {L"3.5", [&] { G->AddRating(1, 1, 5, clRed, clSilver); }, 90, 16},
        {L"1", [&] { G->AddImageIdx(1, 1, 1, haLeft, vaTop); }, 16, 16},
        {L"-3", [&] { G->AddRangeIndicator(1, 1, 10, clRed, clGreen, true); }, 0, 0},
        {L"", [&] { G->AddShape(1, 1, QorUtil::csStar, clYellow, clBlack, haLeft, vaTop); }, 20, 20},
        {L"", [&] { G->AddProgressPie(1, 1, clGreen, 70); }, 20, 20},
        {L"note", [&] { G->AddComment(1, 1, L"note"); }, 0, 0},
    };
    const QorGrid::TControlStyle Styles[] = {csClassic, csFlat, csWinXP, csBorland, csJOQ, csGlyph, csTheme};
    G->SetOptions(G->GetOptions() + TGridOptions{goEditing});   // editable cells: the enabled looks
    const int CW = 124, RH = 34;
    TDibSurface Sheet(CW * int(std::size(Kinds)), RH * int(std::size(Styles)), TColor(0xF0F0F0));
    QorStyleIF::DetectionOverrides().CommonControlsMajor = 6;
    QorStyleIF::DetectionOverrides().ThemeActive = true;
    for (size_t s = 0; s < std::size(Styles); ++s) {
        G->GetControlLook()->SetControlStyle(Styles[s]);
        for (size_t k = 0; k < std::size(Kinds); ++k) {
            G->FreeCellGraphic(1, 1);
            G->SetCells(1, 1, Kinds[k].Text);
            Kinds[k].Add();
            auto S = Paint(Kinds[k].W, Kinds[k].H);
            BitBlt(Sheet.DC(), int(k) * CW + 2, int(s) * RH + 2, 120, 30, S->DC(), 0, 0, SRCCOPY);
        }
    }
    EXPECT_TRUE(Sheet.SavePng(SnapshotPath(L"cell_widgets_by_style.png")));
}
