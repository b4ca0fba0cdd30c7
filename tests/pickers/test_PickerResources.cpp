// The colour picker's resources as the spectrum panel loads them from the executable: the
// 128 x 128, 24-bit spectrum picture (hue from left to right round to red again, white at the top,
// the full hues in the middle rows, black at the bottom) and the eyedropper cursor with its hot
// spot on the tip at the bottom left. A contact sheet of both goes to the snapshots.
#include "support/Pixels.h"
#include "support/ResourceImages.h"

#include <algorithm>
#include <memory>

namespace {

struct TSpectrumPoint {
    int X, Y;
    TColor Color;   // 0x00BBGGRR
};

// Column 0, 21, 42, ... hold the pure hues; rows 63 and 64 are the middle rows.
const TSpectrumPoint SpectrumPoints[] = {
    {0, 0, TColor(0xFFFFFF)},    {64, 0, TColor(0xFFFFFF)},   {127, 0, TColor(0xFFFFFF)},
    {0, 127, TColor(0x000000)},  {64, 127, TColor(0x000000)}, {127, 127, TColor(0x000000)},
    {0, 63, TColor(0x0000FF)},   {0, 64, TColor(0x0000FF)},   {21, 63, TColor(0x00FFFF)},
    {42, 64, TColor(0x00FF00)},  {63, 63, TColor(0xFFFF00)},  {84, 64, TColor(0xFF0000)},
    {105, 63, TColor(0xFF00FF)}, {126, 64, TColor(0x0000FF)}, {127, 63, TColor(0x0000FF)},
};

const TColor Backdrop = TColor(0xFF00FF);

}  // namespace

TEST(PickerResources, SpectrumHasItsSizeDepthAndColoursAndThePointerItsHotSpot)
{
    HINSTANCE Module = GetModuleHandleW(nullptr);
    TContactSheet Sheet(3, 2);

    // The spectrum, read the way the panel reads it: through a framework bitmap.
    EXPECT_EQ(ResourceBitCount(L"JOQ_SPECTRUM", RT_BITMAP), 24);
    std::unique_ptr<TBitmap> Spectrum(Create<TBitmap>());
    Spectrum->LoadFromResourceName(Module, L"JOQ_SPECTRUM");
    ASSERT_EQ(Spectrum->GetWidth(), 128);
    ASSERT_EQ(Spectrum->GetHeight(), 128);
    TDibSurface S(128, 128, Backdrop);
    S.Canvas()->Draw(0, 0, Spectrum.get());
    for (const TSpectrumPoint& P : SpectrumPoints)
        EXPECT_EQ(S.Pixel(P.X, P.Y), P.Color) << "(" << P.X << ", " << P.Y << ")";
    for (int X = 0; X < 128; ++X) {
        // The middle rows hold full hues: one channel at 255, one at 0.
        for (int Y : {63, 64}) {
            const TColor C = S.Pixel(X, Y);
            const int R = GetRValue(C), G = GetGValue(C), B = GetBValue(C);
            EXPECT_EQ(std::max({R, G, B}), 255) << X << ", " << Y;
            EXPECT_EQ(std::min({R, G, B}), 0) << X << ", " << Y;
        }
        // Down each column no channel grows: white fades into the hue, the hue into black.
        for (int Y = 1; Y < 128; ++Y) {
            const TColor Above = S.Pixel(X, Y - 1), Here = S.Pixel(X, Y);
            EXPECT_TRUE(GetRValue(Here) <= GetRValue(Above) && GetGValue(Here) <= GetGValue(Above) &&
                        GetBValue(Here) <= GetBValue(Above))
                << X << ", " << Y;
        }
    }
    Sheet.Add(S, S.Bounds());

    // The eyedropper: monochrome 32 x 32, its tip at the hot spot (1, 30), nothing black beyond the
    // tip to the left or below it, its bulb at the top right.
    EXPECT_EQ(ResourceBitCount(L"JOQ_POINTER", RT_GROUP_CURSOR), 1);
    HCURSOR Pointer = LoadCursorW(Module, L"JOQ_POINTER");
    ASSERT_NE(Pointer, nullptr);
    const TPoint Hot = CursorHotSpot(Pointer);
    EXPECT_EQ(Hot.X, 1);
    EXPECT_EQ(Hot.Y, 30);
    TDibSurface Cursor(32, 32, Backdrop);
    DrawIconEx(Cursor.DC(), 0, 0, Pointer, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(Cursor.Pixel(1, 30), clBlack);
    EXPECT_EQ(Cursor.Pixel(25, 6), clBlack);
    EXPECT_EQ(Cursor.CountColor(TRect{0, 0, 1, 32}, clBlack) +
                  Cursor.CountColor(TRect{0, 31, 32, 32}, clBlack),
              0);

    Sheet.AddOnBackgrounds(32, 32, [&](TDibSurface& Row, int X, int Y, TColor) {
        DrawIconEx(Row.DC(), X, Y, Pointer, 0, 0, 0, nullptr, DI_NORMAL);
    });
    EXPECT_TRUE(Sheet.Save(L"PickerResources.png"));
}
