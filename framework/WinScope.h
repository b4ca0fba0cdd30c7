// WinScope: scope guards over Win32 and object state. Each guard takes a piece of state when it is
// made and gives it back when it leaves scope, on the normal path and when an exception passes, in
// reverse order of construction. Write
//
//     TSavedDC Saved(DC);
//     TSelectObject Pen(DC, MyPen);
//     TFlagScope Painting(FControlState, TControlStateFlag::csCustomPaint);
//
// instead of a try block whose catch undoes the same steps and rethrows; TScopeFail undoes a step
// only when an exception leaves the scope (the step is kept on success). None of the guards can be
// copied; the owning ones can be moved. Only TScopeExit passes on an exception from its destructor,
// and only on a normal exit (see there); the others never raise there.
#pragma once

#include "framework/System.h"

#include <windows.h>

#include <exception>
#include <utility>

// ---- Any state ----------------------------------------------------------------------------------

// Runs a callable when the scope ends (TScopeExit) or only when an exception leaves it
// (TScopeFail: the undo of a step that is kept on success, such as a flag set for good or a handle
// handed on), unless Release was called. While an exception is passing, an exception from the
// callable is dropped so that the first one goes on (a destructor cannot raise a second); on a
// normal exit a TScopeExit passes its callable's exception on, as the same call written after the
// scope would.
template <typename F, bool OnNormalExit>
class TScopeAction {
public:
    explicit TScopeAction(F Fn) : FFn(std::move(Fn)), FExceptions(std::uncaught_exceptions()) {}
    TScopeAction(TScopeAction&& Other) noexcept
        : FFn(std::move(Other.FFn)), FExceptions(Other.FExceptions), FActive(Other.FActive)
    {
        Other.FActive = false;
    }
    TScopeAction(const TScopeAction&) = delete;
    TScopeAction& operator=(const TScopeAction&) = delete;
    ~TScopeAction() noexcept(!OnNormalExit)
    {
        if (!FActive) return;
        if (std::uncaught_exceptions() == FExceptions) {
            if constexpr (OnNormalExit) FFn();
            return;
        }
        try {
            FFn();
        } catch (...) {   // the exception already passing is the one reported
        }
    }
    // The callable will not run.
    void Release() { FActive = false; }

private:
    F FFn;
    int FExceptions;
    bool FActive = true;
};

template <typename F>
using TScopeExit = TScopeAction<F, true>;
template <typename F>
using TScopeFail = TScopeAction<F, false>;

template <typename F>
[[nodiscard]] TScopeExit<F> ScopeExit(F Fn)
{
    return TScopeExit<F>(std::move(Fn));
}

template <typename F>
[[nodiscard]] TScopeFail<F> ScopeFail(F Fn)
{
    return TScopeFail<F>(std::move(Fn));
}

// Includes a flag in a TSet for the scope and excludes it again at the end. When the flag was
// already set on entry it is left set (the outer scope owns it).
template <typename E>
class TFlagScope {
public:
    TFlagScope(TSet<E>& Flags, E Flag) : FFlags(Flags), FFlag(Flag), FWasSet(Flags.Contains(Flag))
    {
        FFlags.Include(FFlag);
    }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;
    ~TFlagScope()
    {
        if (!FWasSet) FFlags.Exclude(FFlag);
    }

private:
    TSet<E>& FFlags;
    E FFlag;
    bool FWasSet;
};

// Sets a variable for the scope and puts the old value back at the end (a counter, a bool, a
// pointer to the control being painted).
template <typename T>
class TValueScope {
public:
    TValueScope(T& Var, T Value) : FVar(Var), FOld(std::move(Var)) { FVar = std::move(Value); }
    TValueScope(const TValueScope&) = delete;
    TValueScope& operator=(const TValueScope&) = delete;
    ~TValueScope() { FVar = std::move(FOld); }

private:
    T& FVar;
    T FOld;
};

// Increments a counter for the scope (update locks, nesting depths).
template <typename T>
class TCountScope {
public:
    explicit TCountScope(T& Counter) : FCounter(Counter) { ++FCounter; }
    TCountScope(const TCountScope&) = delete;
    TCountScope& operator=(const TCountScope&) = delete;
    ~TCountScope() { --FCounter; }

private:
    T& FCounter;
};

// ---- Global memory ------------------------------------------------------------------------------

// GlobalLock on entry, GlobalUnlock on exit: the bytes of a movable global memory block (the
// clipboard's, an OLE stream's). Data() is nullptr when the block could not be locked.
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL Mem) : FMem(Mem), FData(Mem ? ::GlobalLock(Mem) : nullptr) {}
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    ~TGlobalLock()
    {
        if (FData) ::GlobalUnlock(FMem);
    }

    void* Data() const { return FData; }
    // The size of the block (it may be larger than what was asked for).
    SIZE_T Size() const { return FMem ? ::GlobalSize(FMem) : 0; }
    explicit operator bool() const { return FData != nullptr; }

private:
    HGLOBAL FMem;
    void* FData;
};

// ---- Device contexts ------------------------------------------------------------------------------

// SaveDC on entry, RestoreDC on exit: selected objects, clipping, origins, modes and colours.
class TSavedDC {
public:
    explicit TSavedDC(HDC DC) : FDC(DC), FSaved(DC ? ::SaveDC(DC) : 0) {}
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;
    ~TSavedDC()
    {
        if (FSaved) ::RestoreDC(FDC, FSaved);
    }

private:
    HDC FDC;
    int FSaved;
};

// Selects a GDI object into a DC and selects the previous one back at the end. The object itself
// is not freed (see TGdiObject for one the scope owns).
class TSelectObject {
public:
    TSelectObject(HDC DC, HGDIOBJ Obj) : FDC(DC), FOld(DC && Obj ? ::SelectObject(DC, Obj) : nullptr) {}
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject()
    {
        if (*this) ::SelectObject(FDC, FOld);
    }
    // The object was selected (and will be deselected).
    explicit operator bool() const { return FOld && FOld != HGDI_ERROR; }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// Owns a GDI object (pen, brush, font, bitmap, region) and deletes it at the end. Declare it before
// any TSelectObject that selects it, so that the object is deselected before it is deleted.
template <typename H = HGDIOBJ>
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(H Handle) : FHandle(Handle) {}
    TGdiObject(TGdiObject&& Other) noexcept : FHandle(std::exchange(Other.FHandle, nullptr)) {}
    TGdiObject& operator=(TGdiObject&& Other) noexcept
    {
        if (this != &Other) Reset(std::exchange(Other.FHandle, nullptr));
        return *this;
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    ~TGdiObject() { Reset(); }

    H Get() const { return FHandle; }
    operator H() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    // The caller owns the handle from now on.
    H Release() { return std::exchange(FHandle, nullptr); }
    void Reset(H Handle = nullptr)
    {
        if (FHandle) ::DeleteObject(FHandle);
        FHandle = Handle;
    }

private:
    H FHandle = nullptr;
};

using TGdiRegion = TGdiObject<HRGN>;
using TGdiBitmap = TGdiObject<HBITMAP>;
using TGdiPen = TGdiObject<HPEN>;
using TGdiBrush = TGdiObject<HBRUSH>;
using TGdiFont = TGdiObject<HFONT>;

// Keeps a DC's clipping region for the scope: the region on entry (or "no clipping") is put back at
// the end, whatever the scope intersected or selected in between.
class TClipScope {
public:
    explicit TClipScope(HDC DC) : FDC(DC)
    {
        if (!FDC) return;
        FSaved.Reset(::CreateRectRgn(0, 0, 0, 0));
        if (::GetClipRgn(FDC, FSaved) != 1) FSaved.Reset();   // 0: no clipping; -1: failure
    }
    TClipScope(const TClipScope&) = delete;
    TClipScope& operator=(const TClipScope&) = delete;
    ~TClipScope()
    {
        if (FDC) ::SelectClipRgn(FDC, FSaved.Get());   // nullptr removes the clipping
    }
    // The region saved on entry, or nullptr when the DC had none.
    HRGN Saved() const { return FSaved.Get(); }

private:
    HDC FDC;
    TGdiRegion FSaved;
};

// BeginPaint on entry, EndPaint on exit.
class TPaintDC {
public:
    explicit TPaintDC(HWND Wnd) : FWnd(Wnd) { FDC = ::BeginPaint(FWnd, &FPS); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    ~TPaintDC() { ::EndPaint(FWnd, &FPS); }

    HDC Handle() const { return FDC; }
    operator HDC() const { return FDC; }
    const PAINTSTRUCT& PS() const { return FPS; }
    const RECT& PaintRect() const { return FPS.rcPaint; }

private:
    HWND FWnd;
    HDC FDC = nullptr;
    PAINTSTRUCT FPS{};
};

// GetDC (or GetWindowDC) on entry, ReleaseDC on exit.
class TClientDC {
public:
    explicit TClientDC(HWND Wnd, bool WholeWindow = false)
        : FWnd(Wnd), FDC(WholeWindow ? ::GetWindowDC(Wnd) : ::GetDC(Wnd))
    {
    }
    TClientDC(const TClientDC&) = delete;
    TClientDC& operator=(const TClientDC&) = delete;
    ~TClientDC()
    {
        if (FDC) ::ReleaseDC(FWnd, FDC);
    }

    HDC Handle() const { return FDC; }
    operator HDC() const { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
};

// A memory DC compatible with another DC, deleted at the end.
class TCompatibleDC {
public:
    explicit TCompatibleDC(HDC Like) : FDC(::CreateCompatibleDC(Like)) {}
    TCompatibleDC(const TCompatibleDC&) = delete;
    TCompatibleDC& operator=(const TCompatibleDC&) = delete;
    ~TCompatibleDC()
    {
        if (FDC) ::DeleteDC(FDC);
    }

    HDC Handle() const { return FDC; }
    operator HDC() const { return FDC; }

private:
    HDC FDC;
};

// A double buffer: a memory DC with a bitmap of the given size, compatible with Target. Draw into
// it; at the end of the scope the part given to SetBlit (by default the whole buffer) is copied to
// Target at the same place, unless Discard was called. The bitmap and DC are freed on every path;
// a scope left by an exception copies nothing.
class TMemoryDC {
public:
    TMemoryDC(HDC Target, int Width, int Height)
        : FTarget(Target), FMem(Target), FBitmap(::CreateCompatibleBitmap(Target, Width > 0 ? Width : 1,
                                                                           Height > 0 ? Height : 1)),
          FSelect(FMem, FBitmap), FBlit{0, 0, Width, Height}, FExceptions(std::uncaught_exceptions())
    {
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    ~TMemoryDC()
    {
        if (FTarget && FMem && !FDiscard && std::uncaught_exceptions() == FExceptions &&
            FBlit.right > FBlit.left && FBlit.bottom > FBlit.top)
            ::BitBlt(FTarget, FBlit.left, FBlit.top, FBlit.right - FBlit.left, FBlit.bottom - FBlit.top, FMem,
                     FBlit.left, FBlit.top, SRCCOPY);
    }

    HDC Handle() const { return FMem; }
    operator HDC() const { return FMem; }
    bool Valid() const { return FMem.Handle() && FBitmap; }
    // The part of the buffer copied at the end (buffer and target coordinates are the same).
    void SetBlit(const RECT& R) { FBlit = R; }
    void Discard() { FDiscard = true; }

private:
    HDC FTarget;
    TCompatibleDC FMem;
    TGdiBitmap FBitmap;
    TSelectObject FSelect;   // after the bitmap, so it is deselected before the bitmap is deleted
    RECT FBlit;
    int FExceptions;
    bool FDiscard = false;
};
