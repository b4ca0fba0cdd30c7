// The focus frame's pieces: the Gaussian kernel and blur (with the middle band copied), the
// rounded frame image, the premultiplied alpha mask and its copies (sizes taken from the source),
// the banded gradient, the platform tests under the detection overrides, and the focus window
// shaped to the frame around a cell.
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "framework/SysUtils.h"
#include "graphics/QorStyleIF.h"
#include "grid/QorGridConsts.h"
#include "grid/paint/ArrowFocusWindows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using namespace ArrowFocusWindows;

TFreePtr<TBitmap> Bitmap24(int W, int H, TColor Fill)
{
    TFreePtr<TBitmap> B(Create<TBitmap>());
    B->SetPixelFormat(pf24bit);
    B->SetSize(W, H);
    B->GetCanvas()->GetBrush()->SetColor(Fill);
    B->GetCanvas()->FillRect(TRect(0, 0, W, H));
    return B;
}

const RGBTRIPLE& Px(TBitmap* B, int X, int Y)
{
    return static_cast<const RGBTRIPLE*>(B->ScanLine(Y))[X];
}

bool SamePx(const RGBTRIPLE& A, const RGBTRIPLE& B)
{
    return A.rgbtBlue == B.rgbtBlue && A.rgbtGreen == B.rgbtGreen && A.rgbtRed == B.rgbtRed;
}

// ---- Kernel and blur -----------------------------------------------------------------------------

TEST(Blur, TrimmingAndTheKernel)
{
    EXPECT_EQ(TrimReal(0, 255, 255.0), 255);
    EXPECT_EQ(TrimReal(0, 255, 254.9), 254);
    EXPECT_EQ(TrimReal(0, 255, -0.5), 0);
    EXPECT_EQ(TrimReal(0, 255, 300), 255);
    EXPECT_EQ(TrimReal(0, 255, std::nan("")), 0);
    EXPECT_EQ(TrimInt(0, 9, -3), 0);
    EXPECT_EQ(TrimInt(0, 9, 12), 9);
    EXPECT_EQ(TrimInt(0, 9, 4), 4);

    for (double Radius : {1.0, 3.0, 0.0}) {
        TKernel K;
        MakeGaussianKernel(K, Radius, 255, 1);
        double Sum = 0;
        for (int j = -K.Size; j <= K.Size; ++j) Sum += K.Weights(j);
        EXPECT_NEAR(Sum, 1.0, 1e-5) << Radius;
        EXPECT_GE(K.Size, 1) << Radius;
        EXPECT_LE(K.Size, MaxKernelSize) << Radius;
        if (Radius == 1.0) EXPECT_LE(K.Size, 3);
        if (Radius == 3.0) EXPECT_GT(K.Size, 3);
        // A radius of 0 spreads nothing (and divides by nothing).
        if (Radius == 0.0) EXPECT_FLOAT_EQ(K.Weights(0), 1.0f);
    }
}

TEST(Blur, OnlyTwentyFourBitBitmapsAndTheMiddleBandCopiesRowFifteen)
{
    TFreePtr<TBitmap> Wide(Create<TBitmap>());
    Wide->SetPixelFormat(pf32bit);
    Wide->SetSize(8, 8);
    try {
        GBlur(Wide.get(), 2);
        ADD_FAILURE() << "a 32-bit bitmap was blurred";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, QorGridConsts::SBlurOnly24Bit);
    }

    // A white dot at (50, 50) of a black 100 x 100 bitmap: the middle rows all become row 15,
    // which holds nothing of the dot, so the dot is gone; the dot's column band too.
    auto Tall = Bitmap24(100, 100, clBlack);
    static_cast<RGBTRIPLE*>(Tall->ScanLine(50))[50] = RGBTRIPLE{255, 255, 255};
    static_cast<RGBTRIPLE*>(Tall->ScanLine(5))[5] = RGBTRIPLE{255, 255, 255};
    GBlur(Tall.get(), 1);
    for (int Y = 21; Y <= 79; ++Y)
        for (int X = 0; X < 100; X += 7) ASSERT_TRUE(SamePx(Px(Tall.get(), X, Y), Px(Tall.get(), X, 15))) << X << "," << Y;
    EXPECT_EQ(Px(Tall.get(), 50, 50).rgbtRed, 0);
    // The corner dot, in the computed band, spreads to its neighbours.
    EXPECT_GT(Px(Tall.get(), 5, 5).rgbtRed, 0);
    EXPECT_LT(Px(Tall.get(), 5, 5).rgbtRed, 255);
    EXPECT_GT(Px(Tall.get(), 6, 5).rgbtRed, 0);
    EXPECT_GT(Px(Tall.get(), 5, 6).rgbtRed, 0);

    // At 40 rows no row lies strictly between 20 and 20: the dot at row 20 is blurred in place.
    auto Short = Bitmap24(10, 40, clBlack);
    static_cast<RGBTRIPLE*>(Short->ScanLine(20))[5] = RGBTRIPLE{255, 255, 255};
    GBlur(Short.get(), 1);
    EXPECT_GT(Px(Short.get(), 5, 20).rgbtRed, 0);
    EXPECT_GT(Px(Short.get(), 5, 21).rgbtRed, 0);
    EXPECT_EQ(Px(Short.get(), 5, 30).rgbtRed, 0);

    // A radius of 0 leaves the bitmap as it is; an empty bitmap is no failure.
    auto Same = Bitmap24(30, 30, clGray);
    static_cast<RGBTRIPLE*>(Same->ScanLine(3))[3] = RGBTRIPLE{255, 255, 255};
    GBlur(Same.get(), 0);
    EXPECT_EQ(Px(Same.get(), 3, 3).rgbtRed, 255);
    EXPECT_EQ(Px(Same.get(), 4, 3).rgbtRed, 0x80);
    auto Empty = Bitmap24(0, 0, clBlack);
    GBlur(Empty.get(), 3);
}

TEST(Blur, TheRoundedFrameIsAWhiteRingSoftenedAtItsEdges)
{
    TFreePtr<TBitmap> B(Create<TBitmap>());
    DrawRoundRect(B.get(), 60, 50, 4, 5, 0);
    EXPECT_EQ(B->GetPixelFormat(), pf24bit);
    EXPECT_EQ(B->GetWidth(), 60);
    EXPECT_EQ(B->GetHeight(), 50);
    // t = 2: the ring runs from 4 to 55 across, its pen 4 wide centred on x = 4.
    EXPECT_EQ(Px(B.get(), 4, 25).rgbtRed, 255);
    EXPECT_EQ(Px(B.get(), 0, 25).rgbtRed, 0);
    EXPECT_EQ(Px(B.get(), 30, 25).rgbtRed, 0);   // hollow
    TFreePtr<TBitmap> Soft(Create<TBitmap>());
    DrawRoundRect(Soft.get(), 60, 50, 4, 5, 3);
    EXPECT_GT(Px(Soft.get(), 1, 25).rgbtRed, 0);
    EXPECT_LT(Px(Soft.get(), 4, 25).rgbtRed, 255);
    TFreePtr<TBitmap> Filled(Create<TBitmap>());
    DrawRoundRect(Filled.get(), 60, 50, 0, 5, 0);
    EXPECT_EQ(Px(Filled.get(), 30, 25).rgbtRed, 255);
}

// ---- Alpha mask ----------------------------------------------------------------------------------

TEST(AlphaMask, MergesPremultipliedAndRefusesWhatItCannotRead)
{
    TFreePtr<TGridAlphaMask> M(Create<TGridAlphaMask>());
    EXPECT_EQ(M->GetOpacity(), 255);
    EXPECT_EQ(M->GetPixelFormat(), pf32bit);
    auto Grey = Bitmap24(4, 3, TColor(0x808080));   // a = 128
    auto Colour = Bitmap24(4, 3, TColor(0x00FF4020));   // blue 255, green 64, red 32
    M->MergeMask(Grey.get(), Colour.get(), clNone);
    ASSERT_EQ(M->GetWidth(), 4);
    ASSERT_EQ(M->GetHeight(), 3);
    const auto* P = static_cast<const Byte*>(M->ScanLine(2)) + 3 * 4;
    EXPECT_EQ(P[0], 128);   // Round(128 / 255 x 255)
    EXPECT_EQ(P[1], 32);    // Round(128 / 255 x 64) = Round(32.13)
    EXPECT_EQ(P[2], 16);    // Round(128 / 255 x 32) = Round(16.06)
    EXPECT_EQ(P[3], 128);

    // A 32-bit source, or a mask smaller than the source, leaves the mask as it was.
    TFreePtr<TBitmap> Wide(Create<TBitmap>());
    Wide->SetPixelFormat(pf32bit);
    Wide->SetSize(8, 8);
    M->MergeMask(Grey.get(), Wide.get(), clNone);
    EXPECT_EQ(M->GetWidth(), 4);
    auto Big = Bitmap24(10, 10, clWhite);
    M->MergeMask(Grey.get(), Big.get(), clNone);
    EXPECT_EQ(M->GetWidth(), 4);
    EXPECT_EQ(static_cast<const Byte*>(M->ScanLine(2))[3 * 4 + 3], 128);

    // A copy takes the source's opacity, size and pixels, whatever its own size was.
    TFreePtr<TGridAlphaMask> Copy(Create<TGridAlphaMask>());
    Copy->SetSize(40, 1);
    M->SetOpacity(77);
    Copy->Assign(M.get());
    EXPECT_EQ(Copy->GetOpacity(), 77);
    EXPECT_EQ(Copy->GetWidth(), 4);
    EXPECT_EQ(Copy->GetHeight(), 3);
    EXPECT_EQ(std::memcmp(Copy->ScanLine(2), M->ScanLine(2), 16), 0);
    TFreePtr<TGridAlphaMask> Larger(Create<TGridAlphaMask>());
    Larger->SetSize(2, 2);
    Larger->Assign(Copy.get());
    EXPECT_EQ(Larger->GetWidth(), 4);
    // From a plain bitmap: the bitmap's copy, as 32 bits.
    Larger->Assign(Colour.get());
    EXPECT_EQ(Larger->GetPixelFormat(), pf32bit);
    EXPECT_EQ(Larger->GetCanvas()->GetPixels(1, 1), TColor(0x00FF4020));
}

// ---- Gradient and platform tests -----------------------------------------------------------------

TEST(Gradient, BandsRunFromTheFirstColourAndStepsZeroIsOneBand)
{
    TDibSurface S(40, 20, clWhite);
    DrawGradient(S.Canvas(), clBlack, clRed, clNone, 0, TRect(0, 0, 40, 20), true);
    EXPECT_TRUE(S.AllColor(TRect(0, 0, 40, 20), clBlack));
    // Four bands top to bottom, from black towards red (the last band three quarters of the way).
    DrawGradient(S.Canvas(), clBlack, TColor(0x0000FF), clNone, 4, TRect(0, 0, 40, 20), false);
    EXPECT_EQ(S.Pixel(20, 1), TColor(0));
    EXPECT_EQ(S.Pixel(20, 7), TColor(0x40));     // Round(1 x 255 / 4) = 64
    EXPECT_EQ(S.Pixel(20, 18), TColor(0xBF));    // Round(3 x 255 / 4) = 191
    // System colours are resolved, and a pen colour outlines the rectangle.
    DrawGradient(S.Canvas(), clBtnFace, clBtnFace, clBlue, 3, TRect(0, 0, 40, 20), true);
    EXPECT_EQ(S.Pixel(20, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(S.Pixel(0, 10), clBlue);
    EXPECT_EQ(S.Pixel(39, 19), clBlue);
}

TEST(Platform, ThemeDrawingAndTheXPSchemeFollowTheDetection)
{
    auto& O = QorStyleIF::DetectionOverrides();
    const auto Saved = O;
    O.WindowsMajor = 5;
    O.WindowsMinor = 0;
    O.ThemeActive = true;
    O.ThemeColorName = String(L"NormalColor");
    O.CommonControlsMajor = 6;
    EXPECT_FALSE(IsWinXP());   // Windows 2000
    EXPECT_FALSE(DoThemeDrawing());
    EXPECT_EQ(CurrentXPTheme(), 0);
    O.WindowsMinor = 1;
    EXPECT_TRUE(IsWinXP());
    EXPECT_TRUE(DoThemeDrawing());
    EXPECT_EQ(CurrentXPTheme(), 1);
    O.CommonControlsMajor = 5;
    EXPECT_FALSE(DoThemeDrawing());
    O.ThemeColorName = String(L"HomeStead");
    EXPECT_EQ(CurrentXPTheme(), 2);
    O.ThemeColorName = String(L"Metallic");
    EXPECT_EQ(CurrentXPTheme(), 3);
    O.ThemeActive = false;
    EXPECT_EQ(CurrentXPTheme(), 0);
    O = Saved;
}

// ---- Focus window --------------------------------------------------------------------------------

TEST(FocusFrame, IsALayeredTopmostToolWindowCutToTheFrameAroundTheCell)
{
    TForm* Form = ui::NewForm(300, 200);
    ui::FormGuard Guard(Form);
    auto* W = Create<TGridFocusWindow>(Form);
    const TRect Cell(200, 150, 264, 168);   // 64 x 18 on the screen
    W->ShowAroundCell(Cell);
    ui::Pump();
    const HWND H = W->GetHandle();
    EXPECT_TRUE(IsWindowVisible(H));
    RECT R;
    GetWindowRect(H, &R);
    EXPECT_EQ(R.left, 196);
    EXPECT_EQ(R.top, 146);
    EXPECT_EQ(R.right - R.left, 73);
    EXPECT_EQ(R.bottom - R.top, 27);
    const LONG Ex = GetWindowLongW(H, GWL_EXSTYLE);
    EXPECT_TRUE(Ex & WS_EX_LAYERED);
    EXPECT_TRUE(Ex & WS_EX_TOPMOST);
    EXPECT_TRUE(Ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongW(H, GWL_STYLE) & WS_DISABLED);
    HRGN Region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(H, Region), ERROR);
    // 4 pixels at the left and top, 5 at the right and bottom; the cell itself stays out.
    EXPECT_TRUE(PtInRegion(Region, 0, 0));
    EXPECT_TRUE(PtInRegion(Region, 3, 10));
    EXPECT_FALSE(PtInRegion(Region, 4, 4));
    EXPECT_FALSE(PtInRegion(Region, 67, 21));
    EXPECT_TRUE(PtInRegion(Region, 68, 10));
    EXPECT_TRUE(PtInRegion(Region, 72, 26));
    DeleteObject(Region);

    // Moved to a cell of the same size it keeps its image; another size is shaped anew.
    W->MoveAroundCell(TRect(20, 30, 84, 48));
    GetWindowRect(H, &R);
    EXPECT_EQ(R.left, 16);
    EXPECT_EQ(R.right - R.left, 73);
    W->MoveAroundCell(TRect(20, 30, 40, 40));
    GetWindowRect(H, &R);
    EXPECT_EQ(R.right - R.left, 29);
    EXPECT_EQ(R.bottom - R.top, 19);
    W->HideFrame();
    EXPECT_FALSE(IsWindowVisible(H));
    // A degenerate cell gives the frame alone, no failure.
    W->ShowAroundCell(TRect(50, 50, 40, 40));
    GetWindowRect(H, &R);
    EXPECT_EQ(R.right - R.left, 9);
    W->HideFrame();
}

}  // namespace
