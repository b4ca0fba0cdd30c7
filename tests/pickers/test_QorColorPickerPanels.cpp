// The colour cube and the spectrum panel by real mouse messages: the cube's hit cases, selection
// and RGB hint, its painting with a hot and a selected cell; the spectrum's layout, its samples
// against the spectrum resource's own pixels (also for a press before any move, and with the
// window painted over), the sample boxes and the eyedropper cursor.
// The forms show on the screen and hover depends on the mouse: the tests wait for the desktop.
// test-needs: desktop
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "pickers/QorColorPickerPanels.h"

#include <gtest/gtest.h>

namespace {

// ---- cube ---------------------------------------------------------------------------------------

class Cube : public ::testing::Test {
protected:
    TForm* Form = ui::NewForm(240, 200);
    ui::FormGuard Guard{Form};
    TQorColorCubePanel* Panel = Create<TQorColorCubePanel>(Form);
    int Selects = 0, Hides = 0;

    Cube()
    {
        Panel->SetParent(Form);
        Panel->SetColor(clWhite);
        Panel->SetItemsPosition();
        Panel->OnSelect = [this](TObject*) { ++Selects; };
        Panel->OnShouldHide = [this](TObject*) { ++Hides; };
        Form->Show();
        ui::Pump();
    }
};

struct CubeHit {
    int X, Y;
    int Cell;
};

TEST_F(Cube, FindsTheCellWithinSixPixelsOfItsCentre)
{
    const CubeHit Hits[] = {
        {55, 20, 1},     // the first cell's centre
        {61, 20, 1},     // six pixels from cells 1 and 2: the lower number wins
        {62, 20, 2},
        {91, 80, 64},    // the white middle cell
        {91, 86, 64},    // six pixels below its centre
        {91, 87, -1},    // between three cells, more than six from each
        {55, 140, 121},  // the first cell of the last row
        {127, 140, 127},
        {5, 5, -1},
        {181, 159, -1},
    };
    for (const CubeHit& H : Hits) EXPECT_EQ(Panel->IndexOfCellAt(H.X, H.Y), H.Cell) << H.X << ", " << H.Y;
    EXPECT_EQ(Panel->GetWidth(), 182);
    EXPECT_EQ(Panel->GetHeight(), 160);
    EXPECT_EQ(Panel->GetCubeCellColor(64), clWhite);
    EXPECT_EQ(Panel->GetCubeCellColor(127), TColor(0x2100A5));
    EXPECT_EQ(Panel->GetCubeCellColor(0), clNone);
    EXPECT_EQ(Panel->GetCubeCellColor(128), clNone);
}

TEST_F(Cube, AClickOnACellSelectsItAndEveryReleaseAsksToHide)
{
    ui::Click(Panel, 61, 20);
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Hides, 1);
    EXPECT_EQ(Panel->GetSelectedIndex(), 1);
    EXPECT_EQ(Panel->GetSelectedColor(), TColor(0x663300));
    ui::Click(Panel, 5, 5);   // no cell: nothing selected, but the release still tells
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Hides, 2);
    EXPECT_EQ(Panel->GetSelectedIndex(), 1);

    Panel->SetSelectedColor(clWhite);
    EXPECT_EQ(Panel->GetSelectedIndex(), 64);
    Panel->SetSelectedColor(TColor(0x123456));
    EXPECT_EQ(Panel->GetSelectedIndex(), -1);
    EXPECT_EQ(Panel->GetSelectedColor(), TColor(0x123456));
    Panel->SetSelectedIndexAndColor(TColor(0x123456), 70);   // a valid index wins over the colour
    EXPECT_EQ(Panel->GetSelectedIndex(), 70);
}

TEST_F(Cube, TheHintNamesTheHotCellsComponents)
{
    ui::MouseMove(Panel, 91, 80);
    EXPECT_EQ(Panel->GetHotIndex(), 64);
    EXPECT_EQ(Panel->GetHint(), L"Red: 255,  Green: 255,  Blue: 255");
    ui::MouseMove(Panel, 55, 20);
    EXPECT_EQ(Panel->GetHint(), L"Red: 0,  Green: 51,  Blue: 102");   // $663300
    ui::MouseMove(Panel, 5, 5);
    EXPECT_EQ(Panel->GetHint(), L"");
    EXPECT_EQ(Panel->GetHotIndex(), 1);   // the hot cell stays
    Panel->SetShowRGBHint(false);
    EXPECT_FALSE(Panel->GetShowHint());
    ui::MouseMove(Panel, 91, 80);
    EXPECT_EQ(Panel->GetHint(), L"");
    Panel->SetItemsPosition();
    EXPECT_EQ(Panel->GetHotIndex(), -1);
}

TEST_F(Cube, PaintsTheHoneycombWithAHotAndASelectedCell)
{
    ui::Click(Panel, 91, 80);       // 64 selected
    ui::MouseMove(Panel, 103, 80);  // 65 hot
    TDibSurface S(182, 160, clFuchsia);
    PaintWindowInto(Panel->GetHandle(), S, true);
    S.SavePng(SnapshotPath(L"PickerColorCube.png"));

    // Cells' centres show their colours (the selected and hot cells inside their borders).
    const TPoint Centres[] = {{55, 20}, {91, 80}, {103, 80}, {127, 140}, {19, 80}, {163, 80}};
    for (const TPoint& P : Centres)
        EXPECT_EQ(S.Pixel(P.X, P.Y), Panel->GetCubeCellColor(Panel->IndexOfCellAt(P.X, P.Y)))
            << P.X << ", " << P.Y;
    // The borders: an outer hexagon at half-width 5 (black round the selected cell, red round the
    // hot one), a white one inside it; a plain cell has neither.
    EXPECT_EQ(S.Pixel(91 - 5, 80), clBlack);
    EXPECT_EQ(S.Pixel(91 - 4, 80), clWhite);
    EXPECT_EQ(S.Pixel(103 + 5, 80), clRed);
    EXPECT_EQ(S.Pixel(103 + 4, 80), clWhite);
    EXPECT_EQ(S.Pixel(55 - 5, 20), TColor(0x663300));
    // Outside the honeycomb the panel's colour.
    EXPECT_EQ(S.Pixel(3, 3), clWhite);
}

// ---- spectrum -----------------------------------------------------------------------------------

class Spectrum : public ::testing::Test {
protected:
    TForm* Form = ui::NewForm(200, 200);
    ui::FormGuard Guard{Form};
    TQorColorSpectrumPanel* Panel = Create<TQorColorSpectrumPanel>(Form);
    TFreePtr<TBitmap> Resource{Create<TBitmap>()};
    int Selects = 0, Hides = 0;

    Spectrum()
    {
        Panel->SetParent(Form);
        Panel->SetColor(clBtnFace);
        Panel->SetItemsPosition();
        Panel->OnSelect = [this](TObject*) { ++Selects; };
        Panel->OnShouldHide = [this](TObject*) { ++Hides; };
        Resource->LoadFromResourceName(GetModuleHandleW(nullptr), L"JOQ_SPECTRUM");
        Form->Show();
        ui::Pump();
    }
    // The resource's own pixel at a picture point.
    TColor Pixel(int X, int Y) { return Resource->GetCanvas()->GetPixels(X, Y); }
    // A picture point as the panel's client point.
    TPoint OnPanel(int X, int Y) { return TPoint(X + 11, Y + 10); }
};

TEST_F(Spectrum, LaysThePictureAndTheSampleBoxesOut)
{
    EXPECT_EQ(Panel->GetWidth(), 150);
    EXPECT_EQ(Panel->GetHeight(), 174);
    EXPECT_EQ(Panel->GetSpectrumImage()->GetBoundsRect(), TRect(11, 10, 139, 138));
    EXPECT_EQ(Panel->GetSelectedRect(), TRect(10, 146, 73, 166));
    EXPECT_EQ(Panel->GetHotRect(), TRect(77, 146, 140, 166));
    EXPECT_EQ(Panel->GetHotColor(), clNone);
    EXPECT_EQ(Panel->GetSelectedColor(), clWhite);
    EXPECT_EQ(Panel->GetSpectrumImage()->GetCursor(), crJOQPointer);
    EXPECT_EQ(Screen->GetCursors(crJOQPointer), LoadCursorW(GetModuleHandleW(nullptr), L"JOQ_POINTER"));
}

TEST_F(Spectrum, SamplesTheResourcesPixelsUnderThePointer)
{
    const TPoint Points[] = {{0, 0}, {21, 63}, {42, 64}, {64, 30}, {100, 100}, {127, 127}, {126, 64}};
    for (const TPoint& P : Points) {
        const TPoint At = OnPanel(P.X, P.Y);
        ui::MouseMove(Panel, At.X, At.Y);
        EXPECT_EQ(Panel->GetHotColor(), Pixel(P.X, P.Y)) << P.X << ", " << P.Y;
    }
    EXPECT_EQ(Selects, 0);

    // Whatever covers the window, the sample comes from the picture: paint over it first.
    TCanvas* C = Panel->GetCanvas();
    C->GetBrush()->SetColor(clBlack);
    C->FillRect(TRect(0, 0, 150, 174));
    const TPoint At = OnPanel(84, 64);
    ui::MouseMove(Panel, At.X, At.Y);
    EXPECT_EQ(Panel->GetHotColor(), Pixel(84, 64));
    EXPECT_NE(Pixel(84, 64), clBlack);
}

TEST_F(Spectrum, APressBeforeAnyMoveSelectsThePressPointsColour)
{
    const TPoint At = OnPanel(42, 64);   // full green
    ui::MouseDown(Panel, mbLeft, At.X, At.Y);
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Panel->GetSelectedColor(), Pixel(42, 64));
    EXPECT_NE(Panel->GetSelectedColor(), clNone);
    EXPECT_EQ(Panel->GetHotColor(), Pixel(42, 64));
    ui::MouseUp(Panel, mbLeft, At.X, At.Y);
    EXPECT_EQ(Hides, 1);
    ui::Click(Panel, 5, 170);   // a release over the panel outside the picture also tells
    EXPECT_EQ(Hides, 2);
    EXPECT_EQ(Selects, 1);
}

TEST_F(Spectrum, PaintsThePictureFramedAndBothSampleBoxes)
{
    TPoint At = OnPanel(105, 63);   // magenta, selected
    ui::Click(Panel, At.X, At.Y);
    At = OnPanel(21, 40);          // a light yellow, hot
    ui::MouseMove(Panel, At.X, At.Y);
    TDibSurface S(150, 174, clFuchsia);
    PaintWindowInto(Panel->GetHandle(), S, true);
    S.SavePng(SnapshotPath(L"PickerSpectrum.png"));

    EXPECT_EQ(S.Pixel(11 + 42, 10 + 64), Pixel(42, 64));   // the picture itself
    EXPECT_EQ(S.Pixel(10, 60), clWhite);                     // its white frame
    EXPECT_EQ(S.Pixel(9, 60), TColor(0x808080));             // and the grey one
    EXPECT_EQ(S.Pixel(40, 156), Pixel(105, 63));             // the selected box
    EXPECT_EQ(S.Pixel(110, 156), Pixel(21, 40));             // the hot box
    EXPECT_EQ(S.Pixel(10, 156), clWhite);                    // boxes outlined in white
    EXPECT_EQ(S.Pixel(9, 156), TColor(0x808080));            // and grey outside that
    EXPECT_EQ(S.Pixel(75, 156), ColorToRGB(clBtnFace));      // between the boxes the panel

    // After SetItemsPosition the hot box is empty again: the panel's colour shows in it.
    Panel->SetItemsPosition();
    PaintWindowInto(Panel->GetHandle(), S, true);
    EXPECT_EQ(S.Pixel(110, 156), ColorToRGB(clBtnFace));
}

} // namespace
