// Scope guards give back what they took, on the normal path and when an exception passes.
#include "framework/WinScope.h"

#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

enum class TFlag { fA, fB };

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

TEST(WinScope, FailScopeUndoesOnlyWhenAnExceptionLeaves)
{
    int Undone = 0;
    {
        auto Undo = ScopeFail([&] { ++Undone; });
    }
    EXPECT_EQ(Undone, 0);
    try {
        auto Undo = ScopeFail([&] { ++Undone; });
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Undone, 1);
    // Made while another exception unwinds (in a destructor), it still runs only for its own.
    struct TUnwinding {
        int& Count;
        ~TUnwinding()
        {
            auto Undo = ScopeFail([this] { ++Count; });
        }
    };
    try {
        TUnwinding U{Undone};
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Undone, 1);
}

TEST(WinScope, ExitActionThatRaisesPassesOnOnlyOnANormalExit)
{
    // A normal exit: the action's exception goes on, as from a call after the block.
    EXPECT_THROW(
        {
            auto Exit = ScopeExit([] { throw std::logic_error("end failed"); });
        },
        std::logic_error);
    // Leaving by an exception: the first one goes on, the action's own is dropped.
    try {
        auto Exit = ScopeExit([] { throw std::logic_error("end failed"); });
        auto Undo = ScopeFail([] { throw std::logic_error("undo failed"); });
        throw std::runtime_error("work failed");
    } catch (const std::runtime_error& E) {
        EXPECT_STREQ(E.what(), "work failed");
    } catch (...) {
        ADD_FAILURE() << "the first exception was replaced";
    }
}

TEST(WinScope, GlobalLockUnlocksOnEveryPath)
{
    HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, 16);
    ASSERT_NE(Mem, nullptr);
    {
        TGlobalLock Lock(Mem);
        ASSERT_TRUE(Lock);
        EXPECT_GE(Lock.Size(), SIZE_T(16));
        static_cast<char*>(Lock.Data())[0] = 'x';
        EXPECT_EQ(GlobalFlags(Mem) & GMEM_LOCKCOUNT, 1u);
    }
    try {
        TGlobalLock Lock(Mem);
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(GlobalFlags(Mem) & GMEM_LOCKCOUNT, 0u);
    EXPECT_FALSE(TGlobalLock(nullptr));
    GlobalFree(Mem);
}

TEST(WinScope, DCGuardsLeaveNoObjectsAndRestoreSelection)
{
    TScreenDC Screen;
    const DWORD Before = GdiObjectCount();
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
    EXPECT_EQ(GdiObjectCount(), Before);
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
