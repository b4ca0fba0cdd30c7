// How the clock face paints: the default face read pixel by pixel, tick marks, shapes and
// gradients, pictures, hand styles and shadows, automatic mode, the AM/PM slide's frames, the look
// presets and the colour schemes. Contact sheets of each go to the snapshots for a person to look at.
#include "WatchKit.h"

#include "graphics/QorGDIP.h"

#include "support/ImageBytes.h"
#include "support/ResourceImages.h"

#include "framework/Classes.h"
#include "framework/Math.h"

#include <cmath>

using namespace watchkit;

namespace {

constexpr TColor Rgb(int R, int G, int B) { return TColor(R | (G << 8) | (B << 16)); }
int Red(TColor C) { return GetRValue(C); }
int Green(TColor C) { return GetGValue(C); }
int Blue(TColor C) { return GetBValue(C); }
bool Dark(TColor C) { return Red(C) < 100 && Green(C) < 100 && Blue(C) < 100; }
bool Reddish(TColor C) { return Red(C) > 150 && Green(C) < 90 && Blue(C) < 90; }
// Pixels of a region that are clearly red (a second hand's).
int RedCount(const TDibSurface& S, const TRect& R)
{
    int N = 0;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        for (int X = R.Left; X < R.Right; ++X) N += Reddish(S.Pixel(X, Y)) ? 1 : 0;
    return N;
}
TRect Around(int X, int Y, int D = 2) { return TRect(X - D, Y - D, X + D + 1, Y + D + 1); }

class WatchPaint : public WatchTest {
protected:
    void SetUp() override
    {
        WatchTest::SetUp();
        Form->SetColor(clSilver);   // the face's own background, apart from its white dial
        Watch->SetAnimation(false);
    }
};

TEST_F(WatchPaint, DefaultFaceAtThreeOClock)
{
    Watch->SetTime(HMS(3, 0));
    const auto S = Paint();
    S->SavePng(SnapshotPath(L"watch_default.png"));
    EXPECT_EQ(S->Pixel(3, 3), clSilver);            // outside the circular dial
    EXPECT_EQ(S->Pixel(60, 60), clWhite);           // the dial
    EXPECT_TRUE(Dark(S->Pixel(90, 11)));            // the 4-pixel border at radius 80
    EXPECT_TRUE(Dark(S->Pixel(11, 90)));
    EXPECT_TRUE(Dark(S->Pixel(90, 16)));            // the 12 o'clock mark, 0.9 * 78 to 78 out
    EXPECT_EQ(S->Pixel(90, 24), clWhite);           // ... and not further in
    const TColor Minute = S->Pixel(166, 98);        // a grey minute mark at 6 degrees
    EXPECT_LT(Red(Minute), 230);
    EXPECT_EQ(Red(Minute), Blue(Minute));
    EXPECT_TRUE(S->HasInk(TRect(22, 83, 40, 99)));  // the number 9 (within its box, on white)
    EXPECT_TRUE(S->HasInk(TRect(83, 142, 99, 160)));  // the number 6

    const TRect B = Watch->GetAMPMRect();           // the AM box: black frame, the word inside
    EXPECT_EQ(S->Pixel(B.Left, B.Top), clBlack);
    EXPECT_EQ(S->Pixel(B.Right - 1, B.Bottom - 1), clBlack);
    EXPECT_TRUE(S->InkCount(TRect(B.Left + 2, B.Top + 2, B.Right - 2, B.Bottom - 1), clWhite) > 10);

    EXPECT_TRUE(Dark(S->Pixel(125, 90)));           // the hour hand, pointing right 40 pixels out
    EXPECT_TRUE(Dark(S->Pixel(84, 90)));            // ... with its 8-pixel tail
    EXPECT_EQ(S->Pixel(135, 90), clWhite);
    EXPECT_TRUE(Dark(S->Pixel(90, 40)));            // the minute hand straight up, 56 out
    EXPECT_EQ(S->Pixel(90, 30), clWhite);
    EXPECT_TRUE(Dark(S->Pixel(90, 90)));            // the centre point
    // The hour hand's shadow below it: the dark default shade, translucent over white.
    const TColor Shadow = S->Pixel(110, 93);
    EXPECT_LT(Green(Shadow), 220);
    EXPECT_GT(Green(Shadow), 120);
    EXPECT_GE(Red(Shadow), Green(Shadow));
    EXPECT_EQ(RedCount(*S, S->Bounds()), 0);       // no second hand in manual mode
}

struct MarksCase {
    TTickMarks Marks;
    bool Quarter, Hour, Minute;   // a mark at 12, at 1 o'clock, at minute 7
    bool Numbers;                 // all twelve numbers (else only 3, 6, 9, 12)
};

class WatchMarks : public WatchPaint, public ::testing::WithParamInterface<MarksCase> {};

TEST_P(WatchMarks, ShowTheChosenMarksAndNumbers)
{
    const MarksCase& C = GetParam();
    Watch->GetAppearance()->SetTickMarks(C.Marks);
    Watch->SetTime(HMS(6, 30));   // both hands down, out of the way
    const auto S = Paint();
    // Marks from 0.9 * 78 (70) to 78 pixels out; their angles from 3 o'clock.
    auto MarkAt = [&](double Degrees, double Distance) {
        const int X = 90 + int(std::lround(std::cos(Degrees * Pi / 180) * Distance));
        const int Y = 90 + int(std::lround(std::sin(Degrees * Pi / 180) * Distance));
        return S->InkCount(Around(X, Y, 1), clWhite) > 0;
    };
    EXPECT_EQ(MarkAt(270, 74), C.Quarter);
    EXPECT_EQ(MarkAt(300, 74), C.Hour);
    EXPECT_EQ(MarkAt(312, 76), C.Minute);
    // The number 1 sits 61 pixels out at 30 degrees from 12 o'clock.
    EXPECT_EQ(S->HasInk(Around(91 + 30, 91 - 53, 5)), C.Numbers);
    EXPECT_TRUE(S->HasInk(Around(91 + 61, 91, 5)));   // 3
}

INSTANTIATE_TEST_SUITE_P(Kinds, WatchMarks, ::testing::Values(
    MarksCase{tmAll, true, true, true, true},
    MarksCase{tmHours, true, true, false, true},
    MarksCase{tmQuartHours, true, false, false, false},
    MarksCase{tmNone, false, false, false, true}));

TEST_F(WatchPaint, RectangularDialsFillTheClientAreaAndPlainOnesHaveOneColour)
{
    TWatchAppearance* A = Watch->GetAppearance();
    A->SetShape(wsRect);
    A->SetBackgroundColor(clWhite);
    A->SetBackgroundColorTo(clBlack);
    A->SetBorderWidth(1);
    A->SetBorderColor(clRed);
    auto S = Paint();
    EXPECT_GT(Red(S->Pixel(5, 3)), 200);                     // light at the top
    EXPECT_LT(Red(S->Pixel(5, 176)), 60);                    // dark at the bottom
    EXPECT_TRUE(Reddish(S->Pixel(179, 60)));                 // the border one pixel inside
    EXPECT_TRUE(Reddish(S->Pixel(60, 179)));
    EXPECT_TRUE(Reddish(S->Pixel(0, 60)));

    A->SetBackgroundColorTo(clNone);
    A->SetBackgroundColor(Rgb(10, 200, 30));
    S = Paint();
    EXPECT_EQ(S->Pixel(5, 5), Rgb(10, 200, 30));
    EXPECT_EQ(S->Pixel(170, 170), Rgb(10, 200, 30));
}

// A system colour at the edge of a radial gradient is the system's colour, not its index bytes.
TEST_F(WatchPaint, RadialGradientsResolveASystemSurroundColour)
{
    TWatchAppearance* A = Watch->GetAppearance();
    A->SetBackgroundGradient(wgRadial);
    A->SetBackgroundColor(clWhite);
    A->SetBackgroundColorTo(clBtnFace);
    A->SetBorderWidth(0);
    A->SetTickMarks(tmNone);
    Watch->SetShowNumbers(false);
    Watch->SetShowAMPM(false);
    const auto S = Paint();
    const TColor Face = ColorToRGB(clBtnFace), Edge = S->Pixel(90, 13);
    EXPECT_NEAR(Red(Edge), Red(Face), 24);
    EXPECT_NEAR(Green(Edge), Green(Face), 24);
    EXPECT_NEAR(Blue(Edge), Blue(Face), 24);
    EXPECT_GT(Red(S->Pixel(60, 90)), Red(Edge));   // lighter toward the white centre
}

// The default shadow keeps its dark shade; other system colours cast their own colour.
TEST_F(WatchPaint, HandShadowsResolveSystemColoursButKeepTheDarkDefault)
{
    Watch->SetTime(HMS(3, 0));
    const TColor Default = Paint()->Pixel(110, 93);
    Watch->GetAppearance()->SetHourPointerShadow(clHighlight);
    const TColor Highlight = Paint()->Pixel(110, 93);
    const TColor Sys = ColorToRGB(clHighlight);
    // Alpha 80 of the highlight over white: each channel a third of the way from white.
    EXPECT_NEAR(Red(Highlight), 255 - (255 - Red(Sys)) * 80 / 255, 12);
    EXPECT_NEAR(Blue(Highlight), 255 - (255 - Blue(Sys)) * 80 / 255, 12);
    EXPECT_NE(Highlight, Default);
    Watch->GetAppearance()->SetHourPointerShadow(clNone);
    EXPECT_EQ(Paint()->Pixel(110, 93), clWhite);
    // A hand (not a shadow) in the button shadow colour is that system colour.
    Watch->GetAppearance()->SetHourPointer(clBtnShadow);
    EXPECT_EQ(Paint()->Pixel(110, 90), ColorToRGB(clBtnShadow));
}

struct PointerCase {
    TPointerStyle Style;
    bool Tail;        // ink 6 pixels behind the centre
    bool Wide;        // ink 3 pixels beside the hour hand near the centre
    bool ArrowHead;   // ink beside the hour hand near its tip
};

class WatchPointers : public WatchPaint, public ::testing::WithParamInterface<PointerCase> {};

TEST_P(WatchPointers, DrawTheirHands)
{
    Watch->GetAppearance()->SetPointerStyle(GetParam().Style);
    Watch->GetAppearance()->SetHourPointerShadow(clNone);
    Watch->GetAppearance()->SetMinutePointerShadow(clNone);
    Watch->GetAppearance()->SetCenterPointSize(0);
    Watch->GetAppearance()->SetHourPointerSize(2);
    Watch->SetTime(HMS(3, 0));   // hour hand to the right, minute hand up
    const auto S = Paint();
    EXPECT_EQ(S->InkCount(Around(83, 90, 1), clWhite) > 0, GetParam().Tail);
    EXPECT_EQ(S->InkCount(Around(96, 93, 0), clWhite) > 0, GetParam().Wide);
    EXPECT_EQ(S->InkCount(Around(124, 95, 1), clWhite) > 0, GetParam().ArrowHead);
}

INSTANTIATE_TEST_SUITE_P(Styles, WatchPointers, ::testing::Values(
    PointerCase{psLine, true, false, false},
    PointerCase{psShortLine, false, false, false},
    PointerCase{psPointer, true, true, false},
    PointerCase{psLineArrow, true, false, true}));

TEST_F(WatchPaint, AutomaticModeShowsTheSecondHandOfTheInjectedTime)
{
    NowScope Now(HMS(10, 8, 30));
    Watch->GetSettings()->SetAuto(true);
    auto S = Paint();
    // 30 seconds: the second hand points down, from 0.2 * 80 above the centre to 0.9 * 80 below.
    EXPECT_GT(RedCount(*S, TRect(88, 75, 93, 88)), 5);
    EXPECT_GT(RedCount(*S, TRect(88, 130, 93, 160)), 10);
    EXPECT_EQ(RedCount(*S, TRect(0, 0, 180, 73)), 0);
    Watch->GetSettings()->SetSecond(false);
    S = Paint();
    EXPECT_EQ(RedCount(*S, S->Bounds()), 0);
}

TEST_F(WatchPaint, PicturesReplaceTheGradient)
{
    TWatchAppearance* A = Watch->GetAppearance();
    A->SetBorderWidth(0);
    A->SetTickMarks(tmNone);
    Watch->SetShowNumbers(false);
    Watch->SetShowAMPM(false);
    A->SetCenterPointSize(0);
    A->SetHourPointer(clNone);
    A->SetMinutePointer(clNone);
    A->SetHourPointerShadow(clNone);
    A->SetMinutePointerShadow(clNone);

    // A PNG at its own size at the top-left corner.
    const Bytes Png = PngBytes(30, 20, clRed);
    TMemoryStream PngData;
    PngData.WriteBuffer(Png.data(), Png.size());
    PngData.SetPosition(0);
    A->GetPicture()->LoadFromStream(&PngData);
    auto S = Paint();
    EXPECT_EQ(S->Pixel(2, 2), clRed);
    EXPECT_EQ(S->Pixel(29, 19), clRed);
    EXPECT_EQ(S->Pixel(31, 22), clSilver);
    EXPECT_EQ(S->Pixel(90, 90), clSilver);   // no dial drawn under it

    // A bitmap stretched over the client area, its top-left pixel's colour left out.
    auto Bmp = SolidBitmap(60, 60, clGreen);
    Bmp->GetCanvas()->GetBrush()->SetColor(clBlue);
    Bmp->GetCanvas()->FillRect(TRect(0, 0, 30, 30));
    A->GetPicture()->SetGraphic(Bmp.get());
    S = Paint();
    EXPECT_EQ(S->Pixel(30, 30), clSilver);
    EXPECT_EQ(S->Pixel(150, 30), clGreen);
    EXPECT_EQ(S->Pixel(150, 150), clGreen);

    // A damaged picture cannot be loaded (a clear error) and leaves the face as it was.
    Bytes Broken = Png;
    Broken.resize(Broken.size() / 2);
    TMemoryStream BrokenData;
    BrokenData.WriteBuffer(Broken.data(), Broken.size());
    BrokenData.SetPosition(0);
    EXPECT_THROW(A->GetPicture()->LoadFromStream(&BrokenData), EInvalidGraphic);
    EXPECT_EQ(Paint()->Pixel(150, 30), clGreen);
}

// A graphic whose saved bytes are damaged draws nothing at all.
TEST_F(WatchPaint, DamagedImageBytesDrawNothing)
{
    class TBrokenGraphic : public TBitmap {
    public:
        void SaveToStream(TStream* Stream) override
        {
            Bytes B = PngBytes(8, 8, clRed);
            B.resize(B.size() - 12);
            Stream->WriteBuffer(B.data(), B.size());
        }
    } Broken;
    Broken.SetSize(8, 8);
    TDibSurface S(40, 40, clWhite);
    TGPGraphics G(S.DC());
    DrawGDIPImage(&G, nullptr, TRect(0, 0, 40, 40), &Broken, true, true);
    EXPECT_FALSE(S.HasInk(S.Bounds()));
}

// Faces GDI+ does not know (none of these is installed here) draw their text in the fallback face.
TEST_F(WatchPaint, UnknownFacesFallBackToArial)
{
    for (const wchar_t* Name : {L"Comic Sans MS", L"Century Gothic", L"Century", L"No Such Face", L"Arial"}) {
        TDibSurface S(80, 30, clWhite);
        TFont F;
        F.SetName(Name);
        F.SetSize(12);
        F.SetColor(clBlack);
        const TRect Box = DrawGDIPText(S.Canvas(), nullptr, taCenter, TRect(0, 0, 80, 30), L"AM", L"", &F, true, true,
                                       aaAntiAlias);
        EXPECT_GT(Box.Width(), 10) << Name;
        EXPECT_TRUE(S.HasInk(S.Bounds())) << Name;
    }
    TDibSurface S(10, 10);
    TFont F;
    EXPECT_EQ(DrawGDIPText(nullptr, nullptr, taCenter, TRect(0, 0, 9, 9), L"AM", L"", &F, true, true, aaAntiAlias),
              TRect(0, 0, 0, 0));
    EXPECT_EQ(DrawGDIPText(S.Canvas(), nullptr, taCenter, TRect(0, 0, 9, 9), L"", L"", &F, true, true, aaAntiAlias),
              TRect(0, 0, 0, 0));
}

// ---- the AM/PM slide ----------------------------------------------------------------------------

TEST_F(WatchPaint, AMPMSlideShowsTheWordsMovingThroughTheBox)
{
    Watch->SetAnimation(true);
    Watch->SetTime(HMS(3, 10));
    Watch->Repaint();
    const TRect B = Watch->GetAMPMRect();
    const TRect Inside(B.Left + 1, B.Top + 1, B.Right - 1, B.Bottom - 1);
    const auto Before = Shown();
    std::vector<std::unique_ptr<TDibSurface>> Frames;
    SleepScope Sleeps;
    Sleeps.OnWait = [&] { Frames.push_back(Shown()); };
    Click(B.Left + 3, B.Top + 3);
    const auto After = Shown();
    ASSERT_EQ(int(Frames.size()), Inside.Height());

    TContactSheet Sheet(3, 8);
    Sheet.Add(*Before, B);
    auto BoxDiff = [&](const TDibSurface& X, const TDibSurface& Y) {
        int N = 0;
        for (int Yp = Inside.Top; Yp < Inside.Bottom; ++Yp)
            for (int Xp = Inside.Left; Xp < Inside.Right; ++Xp) N += X.Pixel(Xp, Yp) != Y.Pixel(Xp, Yp) ? 1 : 0;
        return N;
    };
    // The first frame shows "AM" (a pixel lower than the face draws it: the strip fills the box's
    // inside); each frame moves it; the last is one row short of "PM".
    EXPECT_LT(BoxDiff(*Frames.front(), *Before), BoxDiff(*Frames.front(), *After));
    for (size_t I = 0; I < Frames.size(); ++I) {
        Sheet.Add(*Frames[I], B);
        if (I > 0) {
            EXPECT_GT(BoxDiff(*Frames[I], *Frames[I - 1]), 0) << I;
        }
        // Outside the box the frames show the face as it was, hands and all.
        EXPECT_EQ(Frames[I]->DiffCount(*Before), BoxDiff(*Frames[I], *Before)) << I;
    }
    Sheet.Add(*After, B);
    EXPECT_GT(BoxDiff(*After, *Before), 10);
    EXPECT_LT(BoxDiff(*Frames.back(), *After), BoxDiff(*Frames.front(), *After));
    Sheet.Save(L"watch_ampm_slide.png");
}

// ---- presets and schemes ------------------------------------------------------------------------

TEST_F(WatchPaint, PresetsOneSheetOfAllTwelve)
{
    FaceSheet Sheet(4);
    Watch->SetTime(HMS(10, 8, 30));
    for (int St = wsClassic; St <= wsSmooth; ++St) {
        Watch->SetStyle(TWatchStyle(St));
        EXPECT_EQ(Watch->GetStyle(), TWatchStyle(St));
        auto S = Paint();
        // Every preset draws a face: more than one colour inside the dial's square.
        EXPECT_GT(S->InkCount(Watch->GetWatchRect(), S->Pixel(90, 60)), 50) << St;
        Sheet.Add(std::move(S));
    }
    Sheet.Save(L"watch_presets.png");
}

TEST_F(WatchPaint, PresetsSetTheirLookAndSwitches)
{
    Watch->SetShowAMPM(false);
    Watch->SetStyle(wsTower);   // leaves ShowAMPM as it was
    EXPECT_FALSE(Watch->GetShowAMPM());
    EXPECT_FALSE(Watch->GetShowNumbers());
    EXPECT_EQ(Watch->GetAppearance()->GetShape(), wsRect);
    EXPECT_EQ(Watch->GetAppearance()->GetAMPMColor(), Rgb(254, 240, 177));
    EXPECT_EQ(Watch->GetAppearance()->GetHourFont()->GetName(), L"Century");

    // Choosing the current style again changes nothing, also after the look was changed.
    Watch->GetAppearance()->SetShape(wsCircle);
    Watch->SetStyle(wsTower);
    EXPECT_EQ(Watch->GetAppearance()->GetShape(), wsCircle);
    Watch->SetStyle(wsCustom);   // changes nothing more
    EXPECT_EQ(Watch->GetAppearance()->GetShape(), wsCircle);
    Watch->SetStyle(wsTower);
    EXPECT_EQ(Watch->GetAppearance()->GetShape(), wsRect);

    Watch->SetAnimationFactor(3);
    Watch->SetStyle(wsClassic);
    EXPECT_TRUE(Watch->GetAnimation());
    EXPECT_EQ(Watch->GetAnimationFactor(), 10);
    EXPECT_TRUE(Watch->GetShowAMPM());
    EXPECT_EQ(Watch->GetAppearance()->GetHourFont()->GetStyle(), TFontStyles{fsBold});

    Watch->SetStyle(wsSuperNova);   // on 180 x 180: marks of 40 and 60 pixels
    EXPECT_EQ(Watch->GetAppearance()->GetHourMarkLength(), 40);
    EXPECT_EQ(Watch->GetAppearance()->GetMinuteMarkLength(), 60);
    Watch->SetStyle(wsSports);
    EXPECT_EQ(Watch->GetAppearance()->GetCenterPointSize(), 50);
}

// Sizes computed from a large face stay within the byte they are kept in instead of wrapping.
TEST_F(WatchPaint, PresetSizesOfALargeFaceAreHeldAt255)
{
    Watch->SetBounds(0, 0, 1200, 1200);
    Watch->SetStyle(wsSuperNova);
    EXPECT_EQ(Watch->GetAppearance()->GetHourMarkLength(), 255);   // 267 would wrap to 11
    EXPECT_EQ(Watch->GetAppearance()->GetMinuteMarkLength(), 255); // 400 would wrap to 144
    Watch->SetStyle(wsSports);
    EXPECT_EQ(Watch->GetAppearance()->GetCenterPointSize(), 255);  // 333 would wrap to 77
    Watch->SetBounds(0, 0, 0, 0);
    Watch->SetStyle(wsSuperNova);
    EXPECT_EQ(Watch->GetAppearance()->GetHourMarkLength(), 0);
}

TEST_F(WatchPaint, ColourSchemesColourTheFace)
{
    FaceSheet Sheet(2);
    Watch->SetTime(HMS(10, 8, 30));
    Watch->SetComponentStyle(QorStyleIF::tsOffice2007Luna);
    auto S = Paint();
    EXPECT_EQ(S->Pixel(60, 60), Rgb(227, 239, 255));
    EXPECT_TRUE(S->HasInk(TRect(85, 30, 95, 60)));   // the minute hand near 12 o'clock
    Sheet.Add(std::move(S));
    Watch->SetComponentStyle(QorStyleIF::tsOffice2010Black);
    S = Paint();
    EXPECT_EQ(S->Pixel(60, 60), Rgb(191, 191, 191));
    Sheet.Add(std::move(S));
    Sheet.Save(L"watch_schemes.png");
}

// ---- contact sheets for a person to look at -------------------------------------------------------

TEST_F(WatchPaint, SheetsOfShapesGradientsPointersAndAutomaticMode)
{
    TWatchAppearance* A = Watch->GetAppearance();
    Watch->SetTime(HMS(10, 8, 30));
    FaceSheet Shapes(4);
    for (TWatchShape Shape : {wsCircle, wsRect, wsRoundRect}) {
        for (TWatchGradient G : {wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward}) {
            A->SetShape(Shape);
            A->SetBackgroundGradient(G);
            A->SetBackgroundColor(Rgb(255, 250, 220));
            A->SetBackgroundColorTo(Rgb(40, 90, 160));
            auto S = Paint();
            // The gradient runs: the dial is not one colour.
            EXPECT_NE(S->Pixel(90, 60), S->Pixel(90, 150)) << int(Shape) << " " << int(G);
            Shapes.Add(std::move(S));
        }
    }
    Shapes.Save(L"watch_shapes_gradients.png");

    A->InitializeDefault();
    FaceSheet Pointers(4);
    for (TPointerStyle P : {psLine, psShortLine, psPointer, psLineArrow}) {
        A->SetPointerStyle(P);
        Pointers.Add(Paint());
    }
    Pointers.Save(L"watch_pointers.png");

    NowScope Now(HMS(10, 8, 30));
    A->SetPointerStyle(psLine);
    Watch->GetSettings()->SetAuto(true);
    FaceSheet Auto(1);
    const auto S = Paint();
    Auto.Add(*S);
    Auto.Save(L"watch_automatic_100830.png");
    EXPECT_GT(RedCount(*S, S->Bounds()), 20);
}

}  // namespace
