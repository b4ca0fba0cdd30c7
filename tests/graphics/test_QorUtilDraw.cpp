// Drawing utilities: colour helpers, banded gradients, selection boxes, indicators, progress bars
// and pies, buttons and bitmaps, read back from a memory DIB.
#include "graphics/QorUtil.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

using namespace QorUtil;

namespace {

int Red(TColor C) { return C & 0xFF; }

class Draw : public ::testing::Test {
protected:
    TDibSurface Dib{120, 80, clWhite};
    TCanvas* C() { return Dib.Canvas(); }
};

TColorTones MetroTones()
{
    TColorTones T;
    T.Background = {TColor(0x202020), TColor(0x0000FF), TColor(0x00FF00)};
    T.Hover = {TColor(0x404040), TColor(0x0000FF), clBlack};
    T.Selected = {TColor(0x606060), TColor(0x00FFFF), clBlack};
    T.Disabled = {TColor(0x808080), TColor(0xFF00FF), clBlack};
    return T;
}

}  // namespace

TEST(DrawColours, DarkenChangeAndGradientAt)
{
    EXPECT_EQ(DarkenColor(clWhite), TColor(0x7F7F7F));
    EXPECT_EQ(ChangeColorPerc(clWhite, -20), TColor(0xCCCCCC));
    EXPECT_EQ(ChangeColorPerc(clWhite, 20), clWhite);
    EXPECT_EQ(ChangeColorPerc(TColor(0x000064), 10), TColor(0x00006E));
    EXPECT_EQ(DarkenColor(clBtnFace), DarkenColor(ColorToRGB(clBtnFace)));

    EXPECT_EQ(GradientAt(clBlack, clWhite, 0, 255, 128), TColor(0x808080));
    EXPECT_EQ(GradientAt(clRed, clNone, 0, 100, 50), clRed);
    // An empty span gives the start colour instead of dividing by zero.
    EXPECT_EQ(GradientAt(clRed, clBlue, 10, 10, 5), clRed);
}

TEST_F(Draw, GradientBandsAndEdges)
{
    // 8 pixels wide, 16 steps: 7 bands plus the final one, i.e. a new colour at every pixel.
    DrawGradient(C(), clBlack, TColor(0x0000FF), 16, TRect{0, 0, 8, 4}, true);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(Red(Dib.Pixel(x, 1)), (x * 255 + 3) / 7) << x;
    EXPECT_EQ(Dib.Pixel(8, 1), clWhite);

    // Steps 0: one band and the final band, the final one taking the last pixel only.
    DrawGradient(C(), clBlack, TColor(0x0000FF), 0, TRect{0, 10, 10, 14}, true);
    EXPECT_EQ(Dib.CountColor(TRect{0, 10, 10, 14}, clBlack), 9 * 4);
    EXPECT_EQ(Dib.Pixel(9, 12), TColor(0x0000FF));

    // Top to bottom, with the rectangle given upside down.
    DrawGradient(C(), clBlack, TColor(0x0000FF), 4, TRect{20, 30, 30, 20}, false);
    EXPECT_EQ(Dib.Pixel(25, 20), clBlack);
    EXPECT_EQ(Dib.Pixel(25, 29), TColor(0x0000FF));

    // One colour missing: a solid fill with the other; both missing: nothing.
    DrawGradient(C(), clNone, clLime, 8, TRect{40, 0, 50, 10}, true);
    EXPECT_TRUE(Dib.AllColor(TRect{40, 0, 50, 10}, clLime));
    DrawGradient(C(), clNone, clNone, 8, TRect{60, 0, 70, 10}, true);
    DrawGradient(C(), clRed, clBlue, 8, TRect{60, 20, 70, 20}, true);   // zero height
    EXPECT_FALSE(Dib.HasInk(TRect{60, 0, 70, 30}));
}

TEST_F(Draw, VistaGradientHalvesAndBorders)
{
    DrawVistaGradient(C(), TRect{0, 0, 20, 20}, clRed, clRed, clBlue, clBlue, true, clNone);
    EXPECT_EQ(Dib.Pixel(10, 5), clRed);
    EXPECT_EQ(Dib.Pixel(10, 15), clBlue);

    DrawVistaGradient(C(), TRect{30, 0, 50, 20}, clLime, clNone, clNone, clNone, true, clBlack, true);
    EXPECT_EQ(Dib.Pixel(30, 10), clBlack);
    EXPECT_EQ(Dib.Pixel(49, 10), clBlack);
    EXPECT_EQ(Dib.Pixel(40, 0), clLime);   // no top border with LeftRightBorder
    EXPECT_EQ(Dib.Pixel(40, 20), clLime);  // the solid fill runs one pixel below

    DrawVistaGradient(C(), TRect{60, 0, 80, 20}, clLime, clNone, clNone, clNone, true, clBlack, false, false);
    EXPECT_EQ(Dib.Pixel(70, 0), clBlack);
    EXPECT_EQ(Dib.Pixel(70, 10), clWhite);  // no fill
}

TEST_F(Draw, SelectionGradientParts)
{
    const TColor Top = TColor(0x111111), Bottom = TColor(0x222222), Border = TColor(0x333333),
                 Edge = TColor(0x444444), Bkg = TColor(0x555555), Fill = TColor(0x00AA00);
    // Full: corners on both sides.
    DrawSelectionGradient(C(), Fill, clNone, clNone, clNone, Top, Bottom, Border, Edge, Bkg, TRect{0, 0, 30, 22}, gpFull);
    EXPECT_EQ(Dib.Pixel(0, 0), Bkg);
    EXPECT_EQ(Dib.Pixel(1, 0), Edge);
    EXPECT_EQ(Dib.Pixel(28, 0), Bkg);   // R - 1 with R = 29
    EXPECT_EQ(Dib.Pixel(0, 10), Border);
    EXPECT_EQ(Dib.Pixel(15, 10), Fill);

    // Middle: no side lines or corners; border lines run the full width.
    DrawSelectionGradient(C(), Fill, clNone, clNone, clNone, Top, Bottom, Border, Edge, Bkg, TRect{40, 30, 70, 52}, gpMiddle);
    EXPECT_EQ(Dib.Pixel(40, 30), Border);
    EXPECT_EQ(Dib.Pixel(68, 30), Border);
    EXPECT_EQ(Dib.Pixel(40, 50), Border);
    EXPECT_EQ(Dib.Pixel(40, 40), Fill);
    EXPECT_EQ(Dib.CountColor(TRect{40, 30, 70, 52}, Edge), 0);
    EXPECT_EQ(Dib.CountColor(TRect{40, 30, 70, 52}, Bkg), 0);
}

TEST_F(Draw, RangeIndicatorHalves)
{
    DrawRangeIndicator(C(), TRect{0, 0, 44, 20}, 200, 100, false, clRed, clLime);
    // Shrunk to (2, 2, 42, 18): mid 20, full right half.
    EXPECT_TRUE(Dib.AllColor(TRect{22, 2, 42, 18}, clLime));
    EXPECT_FALSE(Dib.HasInk(TRect{0, 0, 22, 20}));

    DrawRangeIndicator(C(), TRect{0, 30, 44, 50}, -50, 100, false, clRed, clLime);
    EXPECT_TRUE(Dib.AllColor(TRect{12, 32, 22, 48}, clRed));
    EXPECT_EQ(Dib.Pixel(11, 40), clWhite);

    DrawRangeIndicator(C(), TRect{60, 0, 110, 20}, 200, 100, true, clRed, clLime);
    EXPECT_GT(Dib.InkCount(TRect{85, 2, 108, 18}, clLime), 0);   // the value written over the bar
    DrawRangeIndicator(C(), TRect{60, 40, 110, 60}, 5, 0, true, clRed, clLime);   // no range: nothing
    EXPECT_FALSE(Dib.HasInk(TRect{60, 40, 110, 60}));
}

TEST_F(Draw, ProgressLinFillsAndFrames)
{
    struct Case { double pd; double Min, Max; String Fmt; int FilledPixels; };
    const Case Cases[] = {
        {150, 0, 100, L"", 100},     // over 100 %: a full bar
        {25, 0, 100, L"", 25},
        {-5, 0, 100, L"", 0},
        {30, 20, 40, L"%d", 50},     // a formatted value scales between Min and Max
        {30, 30, 30, L"%d", 0},      // an empty range draws an empty bar instead of dividing by zero
        {30, 0, 100, L"%s", 30},     // a format that does not fit the value still draws
    };
    for (const Case& K : Cases) {
        Dib.Fill(clWhite);
        DrawProgressLin(C(), TRect{10, 10, 110, 30}, clBlue, clWhite, clSilver, clBlack, K.pd, 0, 0,
                        K.Min, K.Max, 1, K.Fmt, clRed, false);
        // Count the bar's colour along the row just below the top (above the text).
        EXPECT_EQ(Dib.CountColor(TRect{10, 11, 110, 12}, clBlue), K.FilledPixels) << K.pd;
        EXPECT_EQ(Dib.Pixel(9, 20), clRed);   // border one pixel out
        EXPECT_GT(Dib.InkCount(TRect{10, 10, 110, 30}, K.FilledPixels == 100 ? clBlue : clSilver), 0);
    }
}

TEST_F(Draw, ProgressPieWedges)
{
    struct Case { int p; int MinFill; int MaxFill; };
    // Circle 41 x 41: area about 1300 pixels.
    const Case Cases[] = {{0, 0, 0}, {2, 0, 60}, {25, 250, 420}, {50, 550, 750}, {100, 1100, 1400}};
    for (const Case& K : Cases) {
        Dib.Fill(clWhite);
        DrawProgressPie(C(), TRect{10, 10, 51, 51}, clLime, K.p, false);
        const int Filled = Dib.CountColor(Dib.Bounds(), clLime);
        EXPECT_GE(Filled, K.MinFill) << K.p;
        EXPECT_LE(Filled, K.MaxFill) << K.p;
        EXPECT_EQ(Dib.Pixel(30, 20), TColor(0x808080)) << K.p;   // the 12 o'clock radius
    }
    // A quarter fills the upper right quadrant only.
    Dib.Fill(clWhite);
    DrawProgressPie(C(), TRect{10, 10, 51, 51}, clLime, 25, false);
    EXPECT_EQ(Dib.Pixel(38, 22), clLime);
    EXPECT_EQ(Dib.Pixel(22, 22), clWhite);
    EXPECT_EQ(Dib.Pixel(38, 38), clWhite);
}

TEST_F(Draw, MetroButtons)
{
    const TColorTones T = MetroTones();
    DrawComboButton(C(), nullptr, TRect{0, 0, 60, 20}, cdsMetro, csNormal, T, 1.5);
    // Strip of 24 pixels: 34..58, its left edge moved 3 right to 37, border line at 38.
    EXPECT_EQ(Dib.Pixel(36, 10), clWhite);
    EXPECT_EQ(Dib.Pixel(37, 10), TColor(0x202020));
    EXPECT_EQ(Dib.Pixel(38, 10), TColor(0x0000FF));
    EXPECT_EQ(Dib.Pixel(57, 10), TColor(0x202020));
    EXPECT_EQ(Dib.Pixel(58, 10), clWhite);
    EXPECT_EQ(Dib.Pixel(45, 9), TColor(0x00FF00));   // the arrow

    const TControlState States[] = {csNormal, csHover, csDown, csDisabled};
    const TColor Brushes[] = {0x202020, 0x404040, 0x606060, 0x808080};
    const TColor Borders[] = {0x0000FF, 0x0000FF, 0x00FFFF, 0xFF00FF};
    for (int i = 0; i < 4; ++i) {
        DrawButton(C(), nullptr, TRect{0, 30, 40, 50}, cdsMetro, States[i], T, false, L"");
        EXPECT_EQ(Dib.Pixel(20, 40), Brushes[i]);
        EXPECT_EQ(Dib.Pixel(0, 40), Borders[i]);
    }

    DrawSpinButtons(C(), nullptr, TRect{60, 30, 100, 61}, cdsMetro, csNormal, T);
    // Column 84..99, rows 29..60, middle 44: upper half to 44, a gap row, lower half below.
    EXPECT_EQ(Dib.Pixel(85, 30), TColor(0x202020));
    EXPECT_EQ(Dib.Pixel(85, 44), clWhite);
    EXPECT_EQ(Dib.Pixel(85, 50), TColor(0x202020));
    EXPECT_EQ(Dib.Pixel(91, 33), clBlack);   // the up triangle
    EXPECT_EQ(Dib.Pixel(100, 40), clWhite);
}

TEST_F(Draw, ClassicAndThemedButtonsStayInTheirArea)
{
    const TColorTones T = MetroTones();
    for (TControlDrawStyle Style : {cdsClassic, cdsFlat, cdsXPTheme}) {
        Dib.Fill(clWhite);
        DrawButton(C(), nullptr, TRect{10, 10, 70, 35}, Style, csNormal, T, false, L"A&B");
        EXPECT_TRUE(Dib.HasInk(TRect{10, 10, 70, 35})) << Style;
        EXPECT_FALSE(Dib.HasInk(TRect{70, 0, 120, 80})) << Style;
        DrawComboButton(C(), nullptr, TRect{0, 40, 60, 60}, Style, csDisabled, T, 1.0);
        EXPECT_TRUE(Dib.HasInk(TRect{42, 41, 58, 59})) << Style;
        EXPECT_FALSE(Dib.HasInk(TRect{0, 40, 42, 60})) << Style;
        DrawSpinButtons(C(), nullptr, TRect{80, 40, 110, 70}, Style, csNormal, T);
        EXPECT_TRUE(Dib.HasInk(TRect{94, 39, 109, 69})) << Style;
        EXPECT_FALSE(Dib.HasInk(TRect{80, 40, 94, 70})) << Style;
    }
}

TEST_F(Draw, TransparentBitmapAndAlpha)
{
    TBitmap Bmp(4, 4);
    Bmp.GetCanvas()->GetBrush()->SetColor(clRed);
    Bmp.GetCanvas()->FillRect(TRect{0, 0, 4, 4});
    Bmp.GetCanvas()->SetPixels(1, 1, clBlue);
    DrawBitmapTransp(C(), &Bmp, clLime, TRect{10, 10, 30, 30}, 1.0);
    EXPECT_EQ(Dib.Pixel(10, 10), clLime);   // the corner colour becomes the background
    EXPECT_EQ(Dib.Pixel(11, 11), clBlue);
    EXPECT_EQ(Dib.Pixel(14, 14), clWhite);
    DrawBitmapTransp(C(), &Bmp, clLime, TRect{40, 10, 60, 30}, 2.0);
    EXPECT_EQ(Dib.Pixel(40, 10), clRed);    // stretched unchanged
    EXPECT_EQ(Dib.Pixel(47, 17), clRed);
    EXPECT_EQ(Dib.Pixel(48, 18), clWhite);
    DrawBitmapTransp(C(), nullptr, clLime, TRect{0, 0, 10, 10}, 1.0);   // nothing to draw

    // Premultiplied half-transparent black over white gives mid grey.
    TBitmap A(2, 2);
    A.SetPixelFormat(pf32bit);
    BITMAP Info{};
    GetObjectW(A.GetHandle(), sizeof(Info), &Info);
    ASSERT_NE(Info.bmBits, nullptr);
    auto* Px = static_cast<std::uint32_t*>(Info.bmBits);
    for (int i = 0; i < 4; ++i) Px[i] = 0x80000000u;
    DrawBitmapAlpha(C(), 70, 10, &A);
    EXPECT_NEAR(Red(Dib.Pixel(70, 10)), 127, 2);
}

TEST_F(Draw, ErrorLinesUnderText)
{
    C()->GetFont()->SetName(L"Tahoma");
    DrawErrorLines(nullptr, C(), L"abcdefgh", TRect{5, 5, 115, 25}, 12, 2, 3);
    TRect Ink = Dib.InkBounds(Dib.Bounds());
    EXPECT_GT(Ink.Width(), 8);
    EXPECT_GE(Ink.Top, 5 + 12 - 1);
    EXPECT_LE(Ink.Bottom, 5 + 12 + 6);
    EXPECT_EQ(Dib.CountColor(Ink, clRed) > 0, true);
}

TEST(DrawLayered, LinksCallThroughUser32)
{
    // No layered window here: the call reaches the system and fails on the null handle.
    EXPECT_FALSE(DynaLink_SetLayeredWindowAttributes(nullptr, 0, 255, LWA_ALPHA));
}
