// Cell shapes and the gauge bar, read back from a memory DIB; and a sample sheet of every drawing
// routine saved as a PNG for a person to look at.
#include "graphics/QorUtil.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

using namespace QorUtil;

namespace {

class Shapes : public ::testing::Test {
protected:
    TDibSurface Dib{120, 80, clWhite};
    TCanvas* C() { return Dib.Canvas(); }
};

const TColor Fill = clLime, Line = clBlue;

}  // namespace

TEST_F(Shapes, BoxesOfEachKind)
{
    struct Case { TCellShape Shape; int W, H; TRect Bounds; };
    const Case Cases[] = {
        {csRectangle, 10, 10, {11, 11, 19, 19}},   // one pixel inside the box
        {csCircle, 20, 10, {10, 10, 20, 20}},      // the smaller side for both
        {csEllips, 20, 10, {10, 10, 30, 20}},
        {csSquare, 12, 20, {11, 11, 21, 21}},
        {csLineVert, 20, 10, {20, 10, 21, 20}},
        {csLineHorz, 20, 10, {10, 15, 30, 16}},
        {csTriangleDown, 20, 10, {10, 10, 31, 21}},
        {csStar, 30, 30, {11, 10, 40, 38}},
        {csArrowUp, 11, 20, {10, 10, 21, 31}},     // W made even: 10 wide, both edges drawn
        {csArrowRight, 20, 11, {10, 10, 31, 21}},
    };
    for (const Case& K : Cases) {
        Dib.Fill(clWhite);
        DrawShape(C(), 10, 10, K.W, K.H, K.Shape, Fill, Line);
        TRect B = Dib.InkBounds(Dib.Bounds());
        EXPECT_EQ(B.Left, K.Bounds.Left) << K.Shape;
        EXPECT_EQ(B.Top, K.Bounds.Top) << K.Shape;
        EXPECT_EQ(B.Right, K.Bounds.Right) << K.Shape;
        EXPECT_EQ(B.Bottom, K.Bounds.Bottom) << K.Shape;
    }
    Dib.Fill(clWhite);
    DrawShape(C(), 10, 10, 20, 20, TCellShape(csHalfStar + 1), Fill, Line);
    EXPECT_FALSE(Dib.HasInk(Dib.Bounds()));
}

TEST_F(Shapes, StarPointsAndHalfStar)
{
    DrawShape(C(), 10, 10, 30, 30, csStar, Fill, Line);
    EXPECT_EQ(Dib.Pixel(25, 10), Line);               // top point at (X + 15, Y)
    EXPECT_EQ(Dib.Pixel(25, 25), Fill);               // centre filled
    EXPECT_EQ(Dib.Pixel(25, 18), Fill);               // inside the top spike
    EXPECT_EQ(Dib.Pixel(31, 16), clWhite);            // between spikes, beyond the inner radius 5

    Dib.Fill(clWhite);
    DrawShape(C(), 10, 10, 30, 30, csHalfStar, Fill, Line);
    EXPECT_FALSE(Dib.HasInk(TRect{27, 10, 40, 40}));   // only the left half
    EXPECT_TRUE(Dib.HasInk(TRect{10, 10, 25, 40}));
}

TEST_F(Shapes, ArrowsPointTheRightWay)
{
    struct Case { TCellShape Shape; TPoint TipSide; TPoint TailSide; };
    // Box (10, 10) 20 x 20: the head half is wide, the shaft half narrow.
    const Case Cases[] = {
        {csArrowUp, {12, 19}, {12, 28}},
        {csArrowDown, {12, 21}, {12, 12}},
        {csArrowLeft, {19, 12}, {28, 12}},
        {csArrowRight, {21, 12}, {12, 12}},
    };
    for (const Case& K : Cases) {
        Dib.Fill(clWhite);
        DrawShape(C(), 10, 10, 20, 20, K.Shape, Fill, Line);
        EXPECT_NE(Dib.Pixel(K.TipSide.X, K.TipSide.Y), clWhite) << K.Shape;
        EXPECT_EQ(Dib.Pixel(K.TailSide.X, K.TailSide.Y), clWhite) << K.Shape;
    }
}

TEST_F(Shapes, TriangleAndRectangleHelpers)
{
    DrawTriangle(C(), 20, 20, clRed);
    EXPECT_EQ(Dib.InkBounds(Dib.Bounds()), (TRect{17, 20, 24, 24}));
    DrawRectangle(C(), TRect{40, 40, 50, 45}, clBlue);
    EXPECT_TRUE(Dib.AllColor(TRect{40, 40, 50, 45}, clBlue));
}

namespace {

TGaugeSettings Gauge()
{
    TGaugeSettings S;
    S.Level0Color = S.Level0ColorTo = TColor(0x00AA00);
    S.Level1Color = S.Level1ColorTo = TColor(0x00AAAA);
    S.Level2Color = S.Level2ColorTo = TColor(0x0000AA);
    S.Level3Color = S.Level3ColorTo = TColor(0xAA0000);
    S.Level1Perc = 30;
    S.Level2Perc = 70;
    S.BorderColor = clBlack;
    S.BackgroundColor = clWhite;
    return S;
}

}  // namespace

TEST_F(Shapes, GaugeZeroAndSmooth)
{
    TGaugeSettings S = Gauge();
    DrawGauge(C(), TRect{0, 0, 102, 12}, 0, S);
    EXPECT_EQ(Dib.InkCount(TRect{1, 1, 101, 11}), 0);
    EXPECT_EQ(Dib.Pixel(0, 5), clBlack);

    // Smooth, not stacked: the zone colour by position.
    struct Case { int Pos; TColor Color; };
    for (const Case& K : {Case{20, 0x00AA00}, Case{50, 0x00AAAA}, Case{80, 0x0000AA}, Case{100, 0xAA0000}}) {
        Dib.Fill(clWhite);
        DrawGauge(C(), TRect{0, 0, 102, 12}, K.Pos, S);
        EXPECT_EQ(Dib.CountColor(TRect{1, 1, 101, 11}, K.Color), K.Pos * 10) << K.Pos;
    }
    // Beyond the scale: a full bar inside the outline.
    Dib.Fill(clWhite);
    DrawGauge(C(), TRect{0, 0, 102, 12}, 250, S);
    EXPECT_EQ(Dib.CountColor(TRect{1, 1, 101, 11}, 0xAA0000), 1000);
    EXPECT_EQ(Dib.Pixel(101, 5), clBlack);
}

TEST_F(Shapes, GaugeBlocks)
{
    TGaugeSettings S = Gauge();
    S.CompletionSmooth = false;
    // L0 = 100, so the position is L: 9 gives one block of 8; 20 two of 7; 23 two of 7 and one of 4.
    struct Case { int L; std::vector<std::pair<int, int>> Blocks; };
    const Case Cases[] = {{9, {{0, 8}}}, {20, {{0, 7}, {9, 7}}}, {23, {{0, 7}, {9, 7}, {18, 4}}}, {1, {}}};
    for (const Case& K : Cases) {
        Dib.Fill(clWhite);
        DrawGauge(C(), TRect{0, 0, 102, 12}, K.L, S);
        std::vector<std::pair<int, int>> Found;
        for (int x = 2; x < 100; ++x) {
            if (Dib.Pixel(x, 6) != TColor(0x00AA00)) continue;
            if (Found.empty() || Found.back().first + Found.back().second != x - 2)
                Found.push_back({x - 2, 1});
            else
                ++Found.back().second;
        }
        EXPECT_EQ(Found, K.Blocks) << K.L;
        EXPECT_EQ(Dib.Pixel(5, 1), clWhite) << K.L;   // blocks inset 2 pixels
    }
}

TEST_F(Shapes, GaugeStackedAndVertical)
{
    TGaugeSettings S = Gauge();
    S.Stacked = true;
    DrawGauge(C(), TRect{0, 0, 102, 12}, 100, S);
    EXPECT_EQ(Dib.CountColor(TRect{1, 1, 101, 11}, 0x00AA00), 300);
    EXPECT_EQ(Dib.CountColor(TRect{1, 1, 101, 11}, 0x00AAAA), 400);
    EXPECT_EQ(Dib.CountColor(TRect{1, 1, 101, 11}, 0xAA0000), 300);

    Dib.Fill(clWhite);
    S.Stacked = false;
    S.Orientation = goVertical;
    DrawGauge(C(), TRect{10, 10, 22, 62}, 50, S);   // L0 = 50: 25 pixels from the bottom
    EXPECT_EQ(Dib.CountColor(TRect{11, 11, 21, 61}, 0x00AAAA), 250);
    EXPECT_EQ(Dib.Pixel(15, 60), TColor(0x00AAAA));
    EXPECT_EQ(Dib.Pixel(15, 35), clWhite);

    // Gradient halves across the bar: lighter edges, the zone colour in the middle.
    Dib.Fill(clWhite);
    S.Orientation = goHorizontal;
    S.ShowGradient = true;
    S.Level0ColorTo = clWhite;
    DrawGauge(C(), TRect{0, 0, 102, 22}, 20, S);
    EXPECT_NE(Dib.Pixel(10, 1), Dib.Pixel(10, 10));
    EXPECT_EQ(Dib.Pixel(10, 11), TColor(0x00AA00));
}

TEST(SampleSheet, EveryRoutineIntoAPng)
{
    TDibSurface Dib(640, 420, clWhite);
    TCanvas* C = Dib.Canvas();
    int y = 8;
    DrawGradient(C, clNavy, clAqua, 64, TRect{8, y, 200, y + 30}, true);
    DrawGradient(C, clMaroon, clYellow, 16, TRect{208, y, 400, y + 30}, false);
    DrawVistaGradient(C, TRect{408, y, 600, y + 30}, TColor(0xFFF0E0), TColor(0xF0D0B0), TColor(0xE0B080),
                      TColor(0xF0E0C0), true, TColor(0x996633));
    y += 40;
    DrawSelectionGradient(C, TColor(0xFDEBD7), TColor(0xF8D9B9), clNone, clNone, clWhite, TColor(0xF8E6D0),
                          TColor(0xC0A080), TColor(0xE0C8A8), clWhite, TRect{8, y, 140, y + 24}, gpFull);
    DrawSelectionGradient(C, TColor(0xFDEBD7), TColor(0xF8D9B9), clNone, clNone, clWhite, TColor(0xF8E6D0),
                          TColor(0xC0A080), TColor(0xE0C8A8), clWhite, TRect{150, y, 240, y + 24}, gpLeft);
    DrawSelectionGradient(C, TColor(0xFDEBD7), TColor(0xF8D9B9), clNone, clNone, clWhite, TColor(0xF8E6D0),
                          TColor(0xC0A080), TColor(0xE0C8A8), clWhite, TRect{240, y, 330, y + 24}, gpRight);
    DrawRangeIndicator(C, TRect{350, y, 480, y + 24}, -40, 100, true, clRed, clLime);
    DrawRangeIndicator(C, TRect{490, y, 620, y + 24}, 70, 100, true, clRed, clLime);
    y += 36;
    C->GetBrush()->SetColor(clWhite);
    DrawProgressLin(C, TRect{10, y, 200, y + 20}, clNavy, clWhite, clSilver, clBlack, 42, 0, 0, 0, 100, 1, L"",
                    clBlack, false);
    DrawProgressLin(C, TRect{220, y, 410, y + 20}, clGreen, clWhite, clSilver, clBlack, 3, 0, 0, 0, 4, 1,
                    L"%d of 4", clBlack, false);
    int x = 430;
    for (int p : {1, 12, 37, 66, 100}) {
        DrawProgressPie(C, TRect{x, y - 4, x + 28, y + 24}, clLime, p, false);
        x += 36;
    }
    y += 40;
    TColorTones T;
    T.Background = {TColor(0xF0F0F0), TColor(0xA0A0A0), clBlack};
    T.Hover = {TColor(0xF8E0C0), TColor(0xD08030), clBlack};
    T.Selected = {TColor(0xE8C090), TColor(0xB06010), clBlack};
    T.Disabled = {TColor(0xE0E0E0), TColor(0xC0C0C0), clGray};
    x = 8;
    for (TControlDrawStyle Style : {cdsXPTheme, cdsClassic, cdsFlat, cdsMetro}) {
        int yy = y;
        for (TControlState State : {csNormal, csHover, csDown, csDisabled}) {
            DrawButton(C, nullptr, TRect{x, yy, x + 70, yy + 24}, Style, State, T, true, L"&OK");
            DrawComboButton(C, nullptr, TRect{x + 76, yy, x + 100, yy + 22}, Style, State, T, 1.0);
            DrawSpinButtons(C, nullptr, TRect{x + 104, yy + 1, x + 124, yy + 23}, Style, State, T);
            yy += 28;
        }
        x += 150;
    }
    y += 4 * 28 + 8;
    x = 8;
    for (int s = csRectangle; s <= csHalfStar; ++s) {
        DrawShape(C, x, y, 26, 22, TCellShape(s), TColor(0x40C0FF), clNavy);
        x += 32;
    }
    y += 34;
    TGaugeSettings G;
    G.Level1Perc = 50;
    G.Level2Perc = 80;
    G.ShowPercentage = true;
    DrawGauge(C, TRect{8, y, 208, y + 20}, 64, G);
    G.CompletionSmooth = false;
    DrawGauge(C, TRect{220, y, 420, y + 20}, 85, G);
    G.CompletionSmooth = true;
    G.Stacked = true;
    G.ShowGradient = true;
    G.Level0ColorTo = clWhite;
    G.Level1ColorTo = clWhite;
    G.Level3ColorTo = clWhite;
    DrawGauge(C, TRect{8, y + 30, 208, y + 50}, 100, G);
    G.Stacked = false;
    G.Orientation = goVertical;
    DrawGauge(C, TRect{440, y - 20, 466, y + 60}, 45, G);
    DrawErrorLines(nullptr, C, L"Spelling mistake", TRect{480, y, 630, y + 16}, 12, 9, 7);
    C->GetBrush()->SetStyle(bsClear);
    C->GetFont()->SetColor(clBlack);
    C->TextOut(480, y, L"Spelling mistake");

    const String Path = SnapshotPath(L"QorUtilSampleSheet.png");
    EXPECT_TRUE(Dib.SavePng(Path));
    EXPECT_TRUE(Dib.HasInk(Dib.Bounds()));
}
