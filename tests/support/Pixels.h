// Painting into memory and reading the pixels back: a 32-bit top-down DIB section with a memory
// DC and a canvas over it, pixel and "ink" queries that do not depend on exact font metrics, and
// a PNG snapshot for a person to look at.
#pragma once

#include <memory>

#include "framework/Graphics.h"

#include <cstdint>

class TDibSurface {
public:
    // A surface filled with Background.
    TDibSurface(int Width, int Height, TColor Background = clWhite);
    ~TDibSurface();
    TDibSurface(const TDibSurface&) = delete;
    TDibSurface& operator=(const TDibSurface&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    HDC DC() const { return FDC; }
    HBITMAP Bitmap() const { return FBitmap; }
    // A canvas over the memory DC (made on first use, detached before the DC goes).
    TCanvas* Canvas();
    TColor Background() const { return FBackground; }

    void Fill(TColor Color);
    // The pixel as 0x00BBGGRR (clNone outside the surface); pending GDI drawing is flushed first.
    TColor Pixel(int X, int Y) const;
    // The raw 32-bit value (alpha in the high byte).
    std::uint32_t RawPixel(int X, int Y) const;
    const std::uint32_t* Row(int Y) const;

    // Pixels inside R (clipped to the surface) that differ from Background: their number, and the
    // smallest rectangle holding them (empty when there is no ink).
    int InkCount(const TRect& R, TColor Background) const;
    int InkCount(const TRect& R) const { return InkCount(R, FBackground); }
    TRect InkBounds(const TRect& R, TColor Background) const;
    TRect InkBounds(const TRect& R) const { return InkBounds(R, FBackground); }
    bool HasInk(const TRect& R) const { return InkCount(R) > 0; }
    TRect Bounds() const { return {0, 0, FWidth, FHeight}; }
    // Pixels inside R of exactly that colour.
    int CountColor(const TRect& R, TColor Color) const;
    // True when every pixel of R has that colour.
    bool AllColor(const TRect& R, TColor Color) const { return CountColor(R, Color) == R.Width() * R.Height(); }
    // Pixels that differ between two surfaces of one size.
    int DiffCount(const TDibSurface& Other) const;

    // Writes the surface as a PNG file (for review when a test fails). False when it cannot.
    bool SavePng(const String& FileName) const;

private:
    int FWidth, FHeight;
    TColor FBackground;
    HDC FDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    std::uint32_t* FBits = nullptr;
    TCanvas* FCanvas = nullptr;
};

// Paints a window (frame, client area and children) into the surface at (0, 0) with WM_PRINT.
void PaintWindowInto(HWND Wnd, TDibSurface& Surface, bool ClientOnly = false);

// What the screen shows of a window, frame and children included (black where nothing shows):
// the window is brought to the top and repainted first.
std::unique_ptr<TDibSurface> CaptureWindowFromScreen(HWND Wnd);

// What the screen shows inside a rectangle of screen coordinates, as it stands: nothing is raised,
// activated, repainted or pumped first, so frames drawn on a window's device context (missed by
// WM_PRINT) are read as painted and the focus stays where it is.
std::unique_ptr<TDibSurface> CaptureScreenRect(const TRect& ScreenRect);
// A window repainted (frame and children) where it stands, then read from the screen; ExtraBelow
// more rows take in what opens under it (a dropped list, a calendar). Activates nothing.
std::unique_ptr<TDibSurface> CaptureWindowAsShown(HWND Wnd, int ExtraBelow = 0);

// Where test snapshots go: the folder of the test executable, "snapshots" below it.
String SnapshotPath(const String& Name);

// The GDI objects (device contexts included) this process holds, for leak checks: what
// GetGuiResources counts, or, where it answers 0 (Wine keeps it as a stub), the live entries of
// the process's GDI handle table, probed index by index.
DWORD GdiObjectCount();
