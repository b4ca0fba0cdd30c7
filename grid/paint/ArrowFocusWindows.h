// ArrowFocusWindows: the grid's small visual parts outside its own window. TArrowWindow marks
// the drop position while a column or row is dragged (four of them, one per direction), shaped as
// an arrow by its window region; TGridFocusWindow is the popup that carries the translucent focus
// frame around the current cell, painted from a TGridAlphaMask built by DrawRoundRect and GBlur.
// The grid creates the windows in its constructor and moves, shapes and shows them while
// dragging and while its focus frame is on. The unit's routines (namespace ArrowFocusWindows)
// also serve the grid button and the check box: the platform tests IsWinXP, DoThemeDrawing and
// CurrentXPTheme, and a banded DrawGradient with an outline.
//
//   ArrowFocusWindows.cpp       the windows, UpdateAlphaWindow, the platform tests, DrawGradient
//   ArrowFocusWindowsMask.cpp   the alpha mask, the Gaussian blur, DrawRoundRect
#pragma once

#include "framework/ExtCtrls.h"
#include "grid/QorGridDefs.h"

#include <array>

class TGridAlphaMask;

// The outline of an arrow window's region: seven points in window pixels (the window is 11 x 11
// or smaller). arrUp has its tip at the top and arrDown at the bottom; arrLeft has its tip at the
// right and arrRight at the left.
using TArrowOutline = std::array<TPoint, 7>;
const TArrowOutline& ArrowOutline(TArrowDirection Direction);

class TArrowWindow : public TPanel {
    DECLARE_CLASS(TArrowWindow, TPanel)
public:
    // Init: stores the direction and its outline, colour 0x00FF00, parent AOwner when AOwner is a
    // windowed control, hidden.
    TArrowWindow(TComponent* AOwner, TArrowDirection Direction);

    TArrowDirection Dir;
    // The outline of the window region.
    TArrowOutline Arrow;

protected:
    // Style exactly WS_POPUP: a top-level window placed in screen coordinates.
    void CreateParams(TCreateParams& Params) override;
    // Creates the window, then cuts it to the arrow (polygon, winding fill, redrawn).
    void CreateWnd() override;
    // Fills the client area in the window colour; the region leaves the arrow.
    void Paint() override;
};

class TGridFocusWindow : public TCustomControl {
    DECLARE_CLASS(TGridFocusWindow, TCustomControl)
public:
    // 0 x 0, colour 0x0000FF.
    explicit TGridFocusWindow(TComponent* AOwner);

    // Shows the focus frame around a cell given in screen coordinates: the window, hidden
    // meanwhile, becomes (cell width + 9) x (cell height + 9) at the cell moved 4 pixels left and
    // up, carries the blurred rounded frame (pen 4, corner 5, blur 3) in 0xFDD397 at opacity 230
    // as a layered window, is cut to the frame (the cell moved to (4, 4) is left out: 4 pixels at
    // the left and top, 5 at the right and bottom) and shows without being activated.
    void ShowAroundCell(const TRect& ScreenCell);
    // Moves the shown frame to another cell; a cell of another size (or a hidden frame) is shown
    // afresh.
    void MoveAroundCell(const TRect& ScreenCell);
    // Hides the frame (the window stays).
    void HideFrame();
    // Where the frame goes for a cell in screen coordinates.
    static TRect FrameBounds(const TRect& ScreenCell);

protected:
    // A disabled, topmost tool popup: it never takes the focus nor shows on the task bar.
    void CreateParams(TCreateParams& Params) override;
};

// ---- Alpha mask ---------------------------------------------------------------------------------

// A 32-bit bitmap (blue, green, red, alpha) with a constant opacity, premultiplied for a layered
// window.
class TGridAlphaMask : public TBitmap {
    DECLARE_CLASS(TGridAlphaMask, TBitmap)
public:
    // Empty, 32 bits, opacity 255.
    TGridAlphaMask();

    Byte GetOpacity() const { return FOpacity; }
    void SetOpacity(Byte Value) { FOpacity = Value; }

    // From another mask: its opacity, size and pixels; from any other graphic, the bitmap's own
    // copy. The result has 32-bit pixels.
    void Assign(TPersistent* Source) override;
    // Becomes Bitmap (24-bit pixels) under Mask: Bitmap's size, and per pixel the alpha a of
    // Mask's red channel with blue, green and red Round(a / 255 x channel). Nothing happens for a
    // Bitmap without 24-bit pixels or a Mask (24 or 32 bits) smaller than Bitmap. Color is not
    // used.
    void MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color);

private:
    Byte FOpacity = 255;
};

// Makes a window layered and gives it the mask's pixels (per-pixel alpha) and opacity, sized to
// the mask at the window's current place, without activating it. Nothing for a mask of height 0.
void UpdateAlphaWindow(HWND Handle, TGridAlphaMask* Mask);

namespace ArrowFocusWindows {

// ---- Gaussian blur ------------------------------------------------------------------------------

// The largest half-width of a kernel.
constexpr int MaxKernelSize = 10;

struct TKernel {
    Byte Size = 1;                                 // 1 .. MaxKernelSize
    std::array<float, 2 * MaxKernelSize + 1> W{};  // weights -10 .. 10, at W[j + 10]
    float& Weights(int j) { return W[size_t(j + MaxKernelSize)]; }
    float Weights(int j) const { return W[size_t(j + MaxKernelSize)]; }
};

// A normalised Gaussian of that radius, cut where its tails weigh less than what the data's
// granularity can show (DataGranularity / (2 x MaxData)). A radius of 0 gives the identity.
void MakeGaussianKernel(TKernel& K, double Radius, double MaxData, double DataGranularity);
// theInteger clamped to Lower .. Upper.
int TrimInt(int Lower, int Upper, int theInteger);
// Trunc(x) inside Lower .. Upper (Upper itself for x >= Upper, Lower for x < Lower).
int TrimReal(int Lower, int Upper, double x);
// Blurs a row of n 24-bit pixels (blue, green, red) through the buffer P (n pixels), the edge
// pixels repeated beyond the ends.
void BlurRow(RGBTRIPLE* theRow, int n, const TKernel& K, RGBTRIPLE* P);
// Blurs a 24-bit bitmap in place: the outer 21 rows and columns on each side are computed and
// the middle band repeats row and column 15, which suits images uniform along each axis in the
// middle (the frame of DrawRoundRect). Raises "Blur only works for 24-bit bitmaps" for other
// bitmaps; a radius of 0 leaves the bitmap as it is.
void GBlur(TBitmap* theBitmap, double Radius);
// The focus frame's image: a W x H 24-bit bitmap, black, with a white rounded rectangle inset by
// Thickness div 2 + 2 (an outline of pen width Thickness, filled when Thickness < 1), corners
// Radius, blurred with Blur when above 0.
void DrawRoundRect(TBitmap* Bitmap, int W, int H, int Thickness, int Radius, double Blur);

// ---- Platform tests and the gradient -----------------------------------------------------------

// Windows 5.1 or later (the style unit's detection, with its overrides).
bool IsWinXP();
// Visual styles are drawn: Windows XP or later, the binding's IsThemeActive answers true and the
// common controls are version 6 or later (the detection overrides ThemeActive and
// CommonControlsMajor stand in for the system).
bool DoThemeDrawing();
// The XP colour scheme: 0 none, 1 blue ("NormalColor"), 2 olive ("HomeStead"), 3 silver
// ("Metallic"); 0 unless Windows XP or later with a visual style active. The colour name comes
// from the binding's GetCurrentThemeName, or from the override ThemeColorName.
int CurrentXPTheme();
// Steps bands from FromColor to ToColor (system colours resolved), side by side left to right
// when Direction is true, else top to bottom; each band one pixel wider than its share so that
// rounding leaves no gap. Steps below 1 count as 1. With PenColor other than clNone a hollow
// rectangle in PenColor outlines R; the brush is left hollow then.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor PenColor, int Steps, TRect R,
                  bool Direction);

}  // namespace ArrowFocusWindows
