// Scope guards give back what they took, on the normal path and when an exception passes.
#include "framework/WinScope.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

enum class TFlag { fA, fB };

DWORD GdiCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

struct TScreenDC {
    HDC DC = GetDC(nullptr);
    ~TScreenDC() { ReleaseDC(nullptr, DC); }
};

} // namespace

TEST(WinScope, StateGuardsRestoreOnExceptionAndKeepOuterState)
{
    TSet<TFlag> Flags;
    int Depth = 0;
    bool Ran = false;
    try {
        auto Exit = ScopeExit([&] { Ran = true; });
        TFlagScope Outer(Flags, TFlag::fA);
        TFlagScope Inner(Flags, TFlag::fA);   // already set: the outer scope keeps it
        TCountScope Count(Depth);
        EXPECT_TRUE(Flags.Contains(TFlag::fA));
        EXPECT_EQ(Depth, 1);
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(Ran);
    EXPECT_FALSE(Flags.Contains(TFlag::fA));
    EXPECT_EQ(Depth, 0);

    int Value = 3;
    {
        TValueScope Set(Value, 7);
        EXPECT_EQ(Value, 7);
    }
    EXPECT_EQ(Value, 3);

    bool Released = false;
    {
        auto Exit = ScopeExit([&] { Released = true; });
        Exit.Release();
    }
    EXPECT_FALSE(Released);
}

TEST(WinScope, DCGuardsLeaveNoObjectsAndRestoreSelection)
{
    TScreenDC Screen;
    const DWORD Before = GdiCount();
    for (int I = 0; I < 50; ++I) {
        try {
            TMemoryDC Buffer(Screen.DC, 20, 10);
            ASSERT_TRUE(Buffer.Valid());
            HGDIOBJ Pen0 = GetCurrentObject(Buffer, OBJ_PEN);
            TGdiPen Pen(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
            {
                TSavedDC Saved(Buffer);
                TSelectObject Select(Buffer, Pen);
                TClipScope Clip(Buffer);
                IntersectClipRect(Buffer, 0, 0, 5, 5);
                EXPECT_EQ(GetCurrentObject(Buffer, OBJ_PEN), Pen.Get());
                if (I % 2) throw std::runtime_error("paint failed");
            }
            EXPECT_EQ(GetCurrentObject(Buffer, OBJ_PEN), Pen0);
            TGdiRegion Now(CreateRectRgn(0, 0, 0, 0));
            EXPECT_EQ(GetClipRgn(Buffer, Now), 0);   // no clipping again
        } catch (const std::runtime_error&) {
        }
    }
    EXPECT_EQ(GdiCount(), Before);
}

TEST(WinScope, MemoryDCCopiesItsBlitRectOnlyOnNormalExit)
{
    TScreenDC Screen;
    TCompatibleDC Target(Screen.DC);
    TGdiBitmap Bmp(CreateCompatibleBitmap(Screen.DC, 10, 10));
    TSelectObject Sel(Target, Bmp);
    PatBlt(Target, 0, 0, 10, 10, BLACKNESS);
    {
        TMemoryDC Buffer(Target, 10, 10);
        PatBlt(Buffer, 0, 0, 10, 10, WHITENESS);
        Buffer.SetBlit(RECT{0, 0, 5, 10});
    }
    EXPECT_EQ(GetPixel(Target, 2, 2) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(GetPixel(Target, 7, 2) & 0xFFFFFF, 0u);
    try {
        TMemoryDC Buffer(Target, 10, 10);
        PatBlt(Buffer, 0, 0, 10, 10, WHITENESS);
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(GetPixel(Target, 7, 2) & 0xFFFFFF, 0u);
}
