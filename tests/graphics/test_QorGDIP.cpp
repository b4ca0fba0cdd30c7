// The GDI+ object layer: value routines, the status rule, drawing read back from a memory DIB,
// text through framework fonts, matrices, path gradients, pens' brushes, fonts and images.
#include "graphics/QorGDIP.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A white memory surface with a GDI+ surface over it.
class Surface : public ::testing::Test {
protected:
    TDibSurface Dib{100, 60, clWhite};
    std::unique_ptr<TGPGraphics> G;
    void SetUp() override { G.reset(new TGPGraphics(Dib.DC())); }
    // Ends GDI+ drawing so that the DIB holds it.
    void Done() { G->Flush(FlushIntentionSync); }
};

int Red(TColor C) { return C & 0xFF; }
int Green(TColor C) { return (C >> 8) & 0xFF; }
int Blue(TColor C) { return (C >> 16) & 0xFF; }

}  // namespace

TEST(GdipValues, ColoursAndStartUp)
{
    EXPECT_TRUE(GdiplusStarted());
    struct Case { TColor In; ARGB Out; };
    const Case Cases[] = {
        {TColor(0x332211), 0xFF112233u},   // framework colour is 0x00BBGGRR
        {clRed, 0xFFFF0000u},
        {clNone, 0xFFFFFFFFu},
        {clBtnFace, 0xFF000000u | ((GetSysColor(COLOR_BTNFACE) & 0xFF) << 16) |
                        (GetSysColor(COLOR_BTNFACE) & 0xFF00) | ((GetSysColor(COLOR_BTNFACE) >> 16) & 0xFF)},
    };
    for (const Case& C : Cases) EXPECT_EQ(ColorToARGB(C.In), C.Out) << std::hex << C.In;

    const ARGB V = MakeColor(10, 20, 30);
    EXPECT_EQ(V, 0xFF0A141Eu);
    EXPECT_EQ(GetRed(V), 10);
    EXPECT_EQ(GetGreen(V), 20);
    EXPECT_EQ(GetBlue(V), 30);
    EXPECT_EQ(MakeColor(0x80, 1, 2, 3), 0x80010203u);
}

TEST_F(Surface, StatusRuleKeepsFailureUntilRead)
{
    EXPECT_EQ(G->GetLastStatus(), Ok);
    EXPECT_EQ(G->DrawImage(nullptr, 0, 0), InvalidParameter);   // nil image: null handle
    TGPSolidBrush Brush(MakeColor(0, 0, 0));
    EXPECT_EQ(G->FillRectangle(&Brush, 0, 0, 1, 1), Ok);        // an Ok does not hide the failure
    EXPECT_EQ(G->GetLastStatus(), InvalidParameter);
    EXPECT_EQ(G->GetLastStatus(), Ok);

    TGPGraphics OnNothing(static_cast<TGPImage*>(nullptr));
    EXPECT_EQ(OnNothing.nativeGraphics, nullptr);
    EXPECT_EQ(OnNothing.lastResult, Ok);
    EXPECT_EQ(OnNothing.GetSmoothingMode(), SmoothingModeInvalid);   // failed getter: preset
    EXPECT_NE(OnNothing.GetLastStatus(), Ok);
}

TEST_F(Surface, SolidFillAndPen)
{
    TGPSolidBrush Brush(MakeColor(255, 0, 0));
    ASSERT_EQ(Brush.lastResult, Ok);
    EXPECT_EQ(G->FillRectangle(&Brush, TGPRectF{10, 10, 20, 20}), Ok);
    TGPPen Pen(MakeColor(0, 0, 255), 3);
    EXPECT_EQ(G->DrawLine(&Pen, 50, 40, 90, 40), Ok);
    Done();
    EXPECT_TRUE(Dib.AllColor(TRect{10, 10, 30, 30}, clRed));
    EXPECT_EQ(Dib.InkBounds(TRect{0, 0, 45, 60}), (TRect{10, 10, 30, 30}));
    EXPECT_EQ(Dib.Pixel(70, 40), clBlue);
    EXPECT_EQ(Dib.Pixel(70, 45), clWhite);
    EXPECT_EQ(Dib.Pixel(45, 40), clWhite);
}

TEST_F(Surface, LinearGradientRunsBetweenItsColours)
{
    const TGPRectF R{0, 0, 100, 20};
    TGPLinearGradientBrush Brush(R, MakeColor(255, 0, 0), MakeColor(0, 0, 255),
                                 LinearGradientModeHorizontal);
    ASSERT_EQ(Brush.lastResult, Ok);
    G->FillRectangle(&Brush, R);
    Done();
    const TColor First = Dib.Pixel(0, 10), Last = Dib.Pixel(99, 10);
    EXPECT_GE(Red(First), 245);
    EXPECT_LE(Blue(First), 10);
    EXPECT_LE(Red(Last), 10);
    EXPECT_GE(Blue(Last), 245);
    for (int X = 1; X < 100; ++X) {
        const TColor A = Dib.Pixel(X - 1, 10), B = Dib.Pixel(X, 10);
        EXPECT_LE(Red(B), Red(A)) << X;
        EXPECT_GE(Blue(B), Blue(A)) << X;
        EXPECT_EQ(Green(B), 0) << X;
    }

    EXPECT_EQ(Brush.SetInterpolationColors(nullptr, nullptr, 0), InvalidParameter);
    const ARGB Colors[] = {0xFF000000u, 0xFFFFFFFFu};
    const float Positions[] = {0, 1};
    EXPECT_EQ(Brush.SetInterpolationColors(Colors, Positions, 0), InvalidParameter);
    EXPECT_EQ(Brush.SetInterpolationColors(Colors, Positions, 2), Ok);
}

TEST_F(Surface, PathsFillAndCount)
{
    TGPGraphicsPath Path;
    const TGPPoint Tri[] = {{10, 10}, {50, 10}, {10, 50}};
    EXPECT_EQ(Path.AddLines(Tri, 3), Ok);
    EXPECT_EQ(Path.CloseFigure(), Ok);
    EXPECT_EQ(Path.GetPointCount(), 3);
    TGPRectF Bounds;
    EXPECT_EQ(Path.GetBounds(Bounds), Ok);
    EXPECT_FLOAT_EQ(Bounds.X, 10);
    EXPECT_FLOAT_EQ(Bounds.Width, 40);

    TGPSolidBrush Brush(MakeColor(0, 128, 0));
    EXPECT_EQ(G->FillPath(&Brush, &Path), Ok);
    TGPPen Pen(MakeColor(0, 0, 0), 1);
    TGPGraphicsPath Circle;
    Circle.AddEllipse(60, 10, 30, 30);
    EXPECT_EQ(G->DrawPath(&Pen, &Circle), Ok);
    EXPECT_EQ(G->DrawPath(&Pen, nullptr), InvalidParameter);
    Done();
    EXPECT_EQ(Dib.Pixel(20, 20), TColor(0x008000));
    EXPECT_EQ(Dib.Pixel(45, 45), clWhite);   // beyond the hypotenuse
    EXPECT_EQ(Dib.Pixel(75, 25), clWhite);   // inside the outlined circle
    EXPECT_TRUE(Dib.HasInk(TRect{58, 8, 92, 42}));

    TGPGraphicsPath Empty;
    EXPECT_EQ(Empty.GetPointCount(), 0);
}

TEST_F(Surface, PathGradientCentreAndSurround)
{
    TGPGraphicsPath Ellipse;
    Ellipse.AddEllipse(0, 0, 60, 60);
    TGPPathGradientBrush Brush(&Ellipse);
    ASSERT_EQ(Brush.lastResult, Ok);
    EXPECT_EQ(Brush.SetCenterColor(MakeColor(255, 0, 0)), Ok);
    EXPECT_EQ(Brush.SetCenterPoint(TGPPoint{30, 30}), Ok);
    int One = 1;
    const ARGB Blue1[] = {MakeColor(0, 0, 255)};
    EXPECT_EQ(Brush.SetSurroundColors(Blue1, One), Ok);
    EXPECT_EQ(One, 1);
    G->FillEllipse(&Brush, 0, 0, 60, 60);
    Done();
    const TColor Centre = Dib.Pixel(30, 30), Rim = Dib.Pixel(30, 2);
    EXPECT_GT(Red(Centre), 200);
    EXPECT_GT(Blue(Rim), Red(Rim));
    ARGB C = 0;
    EXPECT_EQ(Brush.GetCenterColor(C), Ok);
    EXPECT_EQ(C, MakeColor(255, 0, 0));
}

TEST(GdipPathGradient, SurroundColourChecks)
{
    TGPGraphicsPath Square;
    Square.AddRectangle(TGPRect{0, 0, 10, 10});
    TGPPathGradientBrush Brush(&Square);
    ASSERT_EQ(Brush.GetPointCount(), 4);
    const ARGB Five[] = {0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000004u, 0xFF000005u};

    int Count = 5;
    EXPECT_EQ(Brush.SetSurroundColors(Five, Count), InvalidParameter);
    EXPECT_EQ(Count, 5);
    EXPECT_EQ(Brush.SetSurroundColors(nullptr, Count), InvalidParameter);
    // Earlier failures stay recorded but do not turn a good call into a failure.
    Count = 3;
    EXPECT_EQ(Brush.SetSurroundColors(Five, Count), Ok);
    EXPECT_EQ(Count, 3);
    EXPECT_EQ(Brush.lastResult, InvalidParameter);

    ARGB Small[1] = {};
    int Room = 1;
    EXPECT_EQ(Brush.GetSurroundColors(Small, Room), InsufficientBuffer);
    ARGB Enough[4] = {};
    Room = 4;
    EXPECT_EQ(Brush.GetSurroundColors(Enough, Room), Ok);   // not stuck on the earlier failure
    ASSERT_GE(Room, 3);
    EXPECT_EQ(Enough[0], Five[0]);
    EXPECT_EQ(Enough[2], Five[2]);
    EXPECT_EQ(Brush.GetSurroundColors(nullptr, Room), InvalidParameter);

    EXPECT_EQ(Brush.SetInterpolationColors(Five, nullptr, 0), InvalidParameter);
}

TEST(GdipMatrix, RotateOffsetResetClone)
{
    TGPMatrix M;
    EXPECT_TRUE(M.IsIdentity());
    EXPECT_EQ(M.RotateAt(90, TGPPointF{10, 10}, MatrixOrderPrepend), Ok);
    TGPPointF P{20, 10};
    EXPECT_EQ(M.TransformPoints(&P), Ok);
    EXPECT_NEAR(P.X, 10, 1e-3);
    EXPECT_NEAR(P.Y, 20, 1e-3);

    TGPMatrix A;
    EXPECT_EQ(A.RotateAt(90, TGPPointF{10, 10}, MatrixOrderAppend), Ok);
    TGPPointF Q{20, 10};
    A.TransformPoints(&Q);
    EXPECT_NEAR(Q.X, 10, 1e-3);
    EXPECT_NEAR(Q.Y, 20, 1e-3);

    TGPMatrix T(1, 0, 0, 1, 5, 7);
    EXPECT_FLOAT_EQ(T.OffsetX(), 5);
    EXPECT_FLOAT_EQ(T.OffsetY(), 7);
    std::unique_ptr<TGPMatrix> Copy(T.Clone());
    ASSERT_NE(Copy, nullptr);
    EXPECT_FLOAT_EQ(Copy->OffsetY(), 7);
    EXPECT_EQ(T.Reset(), Ok);
    EXPECT_TRUE(T.IsIdentity());
    EXPECT_FLOAT_EQ(Copy->OffsetX(), 5);   // the copy is its own

    TGPMatrix Singular(0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(Singular.IsInvertible());
    EXPECT_NE(Singular.Invert(), Ok);
    EXPECT_NE(Singular.GetLastStatus(), Ok);
    EXPECT_EQ(Singular.GetLastStatus(), Ok);
}

TEST(GdipPen, GetBrushByKind)
{
    TGPPen Solid(MakeColor(1, 2, 3), 2);
    EXPECT_EQ(Solid.GetPenType(), 0);
    std::unique_ptr<TGPBrush> B(Solid.GetBrush());
    auto* SolidBrush = dynamic_cast<TGPSolidBrush*>(B.get());
    ASSERT_NE(SolidBrush, nullptr);
    ASSERT_NE(SolidBrush->nativeBrush, nullptr);
    ARGB C = 0;
    EXPECT_EQ(SolidBrush->GetColor(C), Ok);
    EXPECT_EQ(C, MakeColor(1, 2, 3));

    TGPLinearGradientBrush Lin(TGPPointF{0, 0}, TGPPointF{10, 0}, 0xFF000000u, 0xFFFFFFFFu);
    TGPPen LinPen(&Lin, 1);
    EXPECT_EQ(LinPen.GetPenType(), 4);
    std::unique_ptr<TGPBrush> LB(LinPen.GetBrush());
    ASSERT_NE(dynamic_cast<TGPLinearGradientBrush*>(LB.get()), nullptr);
    EXPECT_NE(LB->nativeBrush, nullptr);
    EXPECT_EQ(LB->lastResult, Ok);   // a brush obtained from the pen works

    TGPGraphicsPath Path;
    Path.AddEllipse(0, 0, 10, 10);
    TGPPathGradientBrush PathBrush(&Path);
    TGPPen PathPen(&PathBrush, 1);
    EXPECT_EQ(PathPen.GetPenType(), 3);
    std::unique_ptr<TGPBrush> PB(PathPen.GetBrush());
    ASSERT_NE(PB, nullptr);
    EXPECT_STREQ(PB->ClassName().c_str(), L"TGPBrush");
    EXPECT_EQ(PB->lastResult, NotImplemented);

    TGPBrush Base;
    EXPECT_EQ(Base.lastResult, NotImplemented);
    EXPECT_EQ(Base.nativeBrush, nullptr);
}

TEST(GdipFont, FamiliesAndFallbacks)
{
    EXPECT_EQ(TGPFontFamily::GenericSansSerif(), TGPFontFamily::GenericSansSerif());
    EXPECT_EQ(TGPFontFamily::GenericSerif(), TGPFontFamily::GenericSerif());

    TGPFontFamily Missing(L"No Such Face Qx");
    EXPECT_EQ(Missing.lastResult, FontFamilyNotFound);
    EXPECT_EQ(Missing.nativeFamily, nullptr);

    // The generic sans-serif family stands in, where the platform has one.
    TGPFont Font(L"No Such Face Qx", 13, FontStyleBold | FontStyleItalic, UnitPixel);
    if (TGPFontFamily::GenericSansSerif()->nativeFamily) {
        ASSERT_EQ(Font.lastResult, Ok);
        EXPECT_FLOAT_EQ(Font.GetSize(), 13);
        EXPECT_EQ(Font.GetStyle(), FontStyleBold | FontStyleItalic);
    } else {
        EXPECT_NE(Font.lastResult, Ok);
        EXPECT_EQ(Font.nativeFont, nullptr);
    }

    std::unique_ptr<TFont> Fw(Create<TFont>());
    Fw->SetName(L"No Such Face Qx");
    Fw->SetSize(14);
    Fw->SetStyle(TFontStyles() << fsItalic << fsUnderline);
    TDibSurface Dib(10, 10);
    TGPGraphics G(Dib.DC());
    std::unique_ptr<TGPFont> Made(G.MakeFont(Fw.get()));
    ASSERT_EQ(Made->lastResult, Ok);
    TGPFont Arial(L"Arial", 14);   // the face the platform gives for "Arial"
    EXPECT_EQ(Made->GetFamilyName(), Arial.GetFamilyName());
    EXPECT_FALSE(Made->GetFamilyName().empty());
    EXPECT_FLOAT_EQ(Made->GetSize(), 14);
    EXPECT_EQ(Made->GetStyle(), FontStyleItalic | FontStyleUnderline);

    TGPStringFormat Format;
    EXPECT_EQ(Format.SetAlignment(StringAlignmentCenter), Ok);
    EXPECT_EQ(Format.SetTrimming(StringTrimmingEllipsisWord), Ok);
    EXPECT_EQ(Format.SetHotkeyPrefix(HotkeyPrefixShow), Ok);
    TGPStringFormat Copy(&Format);
    EXPECT_EQ(Copy.GetAlignment(), StringAlignmentCenter);
    EXPECT_EQ(Copy.GetTrimming(), StringTrimmingEllipsisWord);
    EXPECT_EQ(Copy.GetHotkeyPrefix(), HotkeyPrefixShow);
}

TEST_F(Surface, StringsDrawAndMeasureTheSameCharacters)
{
    TGPFont Font(L"Arial", 16, FontStyleRegular, UnitPixel);
    TGPSolidBrush Ink(MakeColor(0, 0, 0));
    const wchar_t* Text = L"WWWWW";
    TGPRectF All, One;
    EXPECT_EQ(G->MeasureString(Text, -1, &Font, TGPRectF{0, 0, 1000, 100}, All), Ok);
    EXPECT_EQ(G->MeasureString(Text, 1, &Font, TGPRectF{0, 0, 1000, 100}, One), Ok);
    EXPECT_LT(One.Width * 2, All.Width);

    EXPECT_EQ(G->DrawString(Text, -1, &Font, TGPPointF{2, 2}, &Ink), Ok);
    EXPECT_EQ(G->DrawString(Text, 1, &Font, TGPPointF{2, 32}, &Ink), Ok);
    EXPECT_EQ(G->DrawString(Text, -1, nullptr, TGPPointF{2, 2}, &Ink), InvalidParameter);
    Done();
    const TRect Whole = Dib.InkBounds(TRect{0, 0, 100, 30});
    const TRect First = Dib.InkBounds(TRect{0, 30, 100, 60});
    ASSERT_GT(Whole.Width(), 0);
    ASSERT_GT(First.Width(), 0);
    EXPECT_GE(Whole.Left, 2);
    EXPECT_GE(Whole.Top, 2);
    EXPECT_LE(Whole.Right, int(2 + All.Width + 1));
    EXPECT_LT(First.Width() * 3, Whole.Width());   // one "W", not five
}

TEST_F(Surface, DrawTextMeasuresOrDraws)
{
    std::unique_ptr<TFont> Font(Create<TFont>());
    Font->SetName(L"Arial");
    Font->SetSize(10);
    Font->SetColor(clBlack);

    TRect R{5, 5, 6, 95};
    const int H = G->DrawText(L"Hello", -1, R, Font.get(), DT_CALCRECT, clNone);
    Done();
    EXPECT_EQ(Dib.InkCount(Dib.Bounds()), 0);
    EXPECT_EQ(R.Left, 5);
    EXPECT_EQ(R.Top, 5);
    EXPECT_GT(R.Right, 20);
    EXPECT_GT(R.Bottom, 10);
    EXPECT_LT(R.Bottom, 40);
    EXPECT_EQ(H, R.Bottom - R.Top);
    // The width is the measured width less the 10-point margin of 3.
    TGPFont Gp(L"Arial", 10, FontStyleRegular, UnitPoint);
    TGPRectF Box;
    G->MeasureString(L"Hello", -1, &Gp, TGPRectF{5, 5, 1001, 90}, Box);
    EXPECT_EQ(R.Right - R.Left, int(std::nearbyint(Box.Width - 3)));

    // A trailing space counts as a character of its own.
    TRect Spaced{0, 0, 0, 50}, Plain{0, 0, 0, 50};
    G->DrawText(L"ab ", -1, Spaced, Font.get(), DT_CALCRECT, clNone);
    G->DrawText(L"ab", -1, Plain, Font.get(), DT_CALCRECT, clNone);
    EXPECT_GT(Spaced.Right, Plain.Right);

    TRect D{10, 20, 90, 50};
    EXPECT_EQ(G->DrawText(L"Hi", -1, D, Font.get(), 0, clNone), 30);
    Done();
    EXPECT_EQ(D, (TRect{10, 20, 90, 50}));
    const TRect Ink = Dib.InkBounds(Dib.Bounds());
    ASSERT_GT(Ink.Width(), 0);
    EXPECT_GE(Ink.Left, 10);
    EXPECT_GE(Ink.Top, 20);
    EXPECT_LT(Ink.Right, 40);
    EXPECT_LT(Ink.Bottom, 45);
}

TEST_F(Surface, DrawTextBackground)
{
    std::unique_ptr<TFont> Font(Create<TFont>());
    Font->SetName(L"Arial");
    Font->SetSize(12);
    Font->SetColor(clBlack);
    TRect R{10, 10, 11, 60};
    G->DrawText(L"Mm", -1, R, Font.get(), 0, clYellow);
    Done();
    EXPECT_GT(Dib.CountColor(R, clYellow), 0);
    EXPECT_GT(Dib.CountColor(R, clBlack) + Dib.InkCount(R, clYellow), 0);
    EXPECT_EQ(Dib.CountColor(TRect{0, 0, 100, 9}, clYellow), 0);
}

namespace {

// Encoders to write test images (GDI+'s built-in codecs).
const CLSID PngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
const CLSID BmpEncoder = {0x557cf400, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

struct StreamPtr {
    IStream* S = nullptr;
    StreamPtr() { CreateStreamOnHGlobal(nullptr, TRUE, &S); }
    ~StreamPtr() { if (S) S->Release(); }
    void Rewind()
    {
        LARGE_INTEGER Zero{};
        S->Seek(Zero, STREAM_SEEK_SET, nullptr);
    }
};

}  // namespace

TEST(GdipImage, FormatsPixelsAndColourKey)
{
    TGPBitmap Bmp(4, 3);
    ASSERT_EQ(Bmp.lastResult, Ok);
    EXPECT_EQ(Bmp.GetWidth(), 4u);
    EXPECT_EQ(Bmp.GetHeight(), 3u);
    EXPECT_EQ(Bmp.GetPixelDepth(), 32);
    EXPECT_TRUE(Bmp.HasAlphaChannel());
    EXPECT_FALSE(Bmp.HasPalette());
    EXPECT_EQ(Bmp.GetFormat(), ifMemoryBMP);
    for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 4; ++X) Bmp.SetPixel(X, Y, X < 2 ? 0xFFFF0000u : 0xFF0000FFu);
    ARGB P = 0;
    EXPECT_EQ(Bmp.GetPixel(3, 2, P), Ok);
    EXPECT_EQ(P, 0xFF0000FFu);
    EXPECT_NE(Bmp.GetPixel(9, 9, P), Ok);
    EXPECT_EQ(Bmp.SaveAdd(nullptr, nullptr), InvalidParameter);

    struct Case { const CLSID* Encoder; TGPImageFormat Format; };
    for (const Case& C : {Case{&PngEncoder, ifPNG}, Case{&BmpEncoder, ifBMP}}) {
        StreamPtr Stream;
        ASSERT_EQ(Bmp.Save(Stream.S, *C.Encoder), Ok);
        Stream.Rewind();
        TGPImage Loaded(Stream.S);
        ASSERT_EQ(Loaded.lastResult, Ok);
        EXPECT_EQ(Loaded.GetFormat(), C.Format);
        EXPECT_EQ(Loaded.GetWidth(), 4u);
    }

    // Red made transparent by a colour key: only the blue half reaches the surface.
    TDibSurface Dib(40, 30);
    {
        TGPGraphics G(Dib.DC());
        TGPImageAttributes Attr;
        ASSERT_EQ(Attr.SetColorKey(0xFFFF0000u, 0xFFFF0000u), Ok);
        std::unique_ptr<TGPImageAttributes> Copy(Attr.Clone());
        EXPECT_NE(Copy->nativeImageAttr, nullptr);
        EXPECT_EQ(G.DrawImage(&Bmp, TGPRectF{0, 0, 40, 30}, 0, 0, 4, 3, UnitPixel, Copy.get()), Ok);
    }
    EXPECT_EQ(Dib.CountColor(Dib.Bounds(), clRed), 0);
    const TColor Right = Dib.Pixel(35, 15);
    EXPECT_EQ(Blue(Right), 255);
    EXPECT_LT(Red(Right), 160);
    EXPECT_EQ(Dib.Pixel(5, 15), clWhite);
}

TEST(GdipImage, DrawImageRectRoundsTheRectangle)
{
    TGPBitmap Bmp(4, 4, PixelFormat32bppRGB);
    {
        std::unique_ptr<TGPGraphics> On(TGPGraphics::FromImage(&Bmp));
        ASSERT_EQ(On->lastResult, Ok);
        On->Clear(MakeColor(0, 0, 0));
    }
    TDibSurface Dib(30, 30);
    {
        TGPGraphics G(Dib.DC());
        EXPECT_EQ(G.DrawImageRect(&Bmp, TGPRectF{0.5f, 1.5f, 10.4f, 10.6f}), Ok);
        EXPECT_EQ(G.DrawImageRect(nullptr, 0, 0, 1, 1), InvalidParameter);
    }
    EXPECT_EQ(Dib.InkBounds(Dib.Bounds()), (TRect{0, 2, 10, 13}));
}
