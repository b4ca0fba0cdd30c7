// QorUtil: the whole unit. The text half (search, CSV, conversions, type recognition, filter
// expressions) is declared in QorUtilText.h; this header adds the canvas routines shared by the
// grid's painting and the drop-down lists: gradients, selection boxes, progress bars and pies, the
// range indicator, error zig-zags, buttons in four looks, bitmaps, colour helpers, the layered
// window functions bound at run time, and the cell shapes and gauge.
//
// Every routine draws on a framework canvas in device pixels and leaves pen, brush and font as it
// set them.
#pragma once

#include "graphics/QorStyleIF.h"
#include "graphics/QorUtilText.h"

#include "framework/Controls.h"
#include "framework/Graphics.h"

namespace QorUtil {

// The five colour tones of the style interface that the metro look paints with.
using QorStyleIF::TColorTone;
using QorStyleIF::TColorTones;

enum TGradientPart { gpFull, gpLeft, gpRight, gpMiddle };
enum TControlDrawStyle { cdsXPTheme, cdsClassic, cdsFlat, cdsMetro };
enum TControlState { csNormal, csHover, csDown, csDisabled };

// ---- Colours ----------------------------------------------------------------------------------

// Each component of the RGB value halved.
TColor DarkenColor(TColor Color);
// Each component c becomes Round(c + c * Perc / 100), limited to 0..255.
TColor ChangeColorPerc(TColor Color, int Perc);
// The colour Pos pixels into a gradient spanning Right - Left pixels; FromColor when ToColor is
// clNone or the span is empty.
TColor GradientAt(TColor FromColor, TColor ToColor, int Left, int Right, int Pos);

// ---- Gradients and selection boxes ------------------------------------------------------------

// Banded gradient; Direction true runs left to right, false top to bottom.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Direction);
void DrawVistaGradient(TCanvas* ACanvas, const TRect& ARect, TColor ColorFrom, TColor ColorTo,
                       TColor ColorMirrorFrom, TColor ColorMirrorTo, bool Direction, TColor BorderColor,
                       bool LeftRightBorder = false, bool Fill = true);
void DrawSelectionGradient(TCanvas* Canvas, TColor color1, TColor color2, TColor mircolor1,
                           TColor mircolor2, TColor linecolortop, TColor linecolorbottom,
                           TColor bordercolor, TColor edgecolor, TColor bkgcolor, const TRect& r,
                           TGradientPart part);

// ---- Indicators -------------------------------------------------------------------------------

// A red zig-zag under characters ErrPos (0-based) to ErrPos + ErrLen - 1 of TmpStr laid out on a
// single line at Rect in the canvas's font. Parent is not needed for measuring and may be null.
void DrawErrorLines(TWinControl* Parent, TCanvas* Canvas, const String& TmpStr, const TRect& Rect,
                    int Height, int ErrPos, int ErrLen);
void DrawRangeIndicator(TCanvas* Canvas, TRect r, int Value, int Range, bool ShowValue,
                        TColor NegColor, TColor PosColor);
void DrawProgressLin(TCanvas* Canvas, TRect r, TColor Color1, TColor TColor1, TColor Color2,
                     TColor TColor2, double pd, int Mx, int My, double Min, double Max, int Scale,
                     const String& Fmt, TColor BorderColor, bool print);
void DrawProgressPie(TCanvas* Canvas, TRect r, TColor Color, int p, bool print);

// ---- Buttons ----------------------------------------------------------------------------------

void DrawComboButton(TCanvas* Canvas, HWND Handle, TRect ARect, TControlDrawStyle AControlStyle,
                     TControlState AState, const TColorTones& ATones, double DPIScale = 1.0);
void DrawButton(TCanvas* Canvas, HWND AHandle, TRect ARect, TControlDrawStyle AControlStyle,
                TControlState AState, const TColorTones& ATones, bool Prefix, const String& ACaption);
void DrawSpinButtons(TCanvas* Canvas, HWND Handle, TRect ARect, TControlDrawStyle AControlStyle,
                     TControlState AState, const TColorTones& ATones);

// ---- Bitmaps ----------------------------------------------------------------------------------

void DrawBitmapTransp(TCanvas* Canvas, TBitmap* bmp, TColor bkcolor, const TRect& r, double scale = 1.0);
void DrawBitmapResourceTransp(TCanvas* Canvas, TColor bkColor, const TRect& r, const String& ResName,
                              double scale = 1.0);
void DrawBitmapAlpha(TCanvas* ACanvas, int ALeft, int ATop, TBitmap* ABitmap);

// ---- Layered windows, looked up in USER32 at each call -----------------------------------------

bool DynaLink_UpdateLayeredWindow(HWND hwnd, HDC hdcDst, POINT* pptDst, SIZE* size, HDC hdcSrc,
                                  POINT* pptSrc, COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags);
bool DynaLink_SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags);

// ---- Shapes and gauge -------------------------------------------------------------------------

enum TCellShape {
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond,
    csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp,
    csArrowDown, csArrowLeft, csArrowRight, csHalfStar
};

enum TGaugeOrientation { goHorizontal, goVertical };

struct TGaugeSettings {
    TColor Level0Color = clLime;
    TColor Level0ColorTo = clLime;
    TColor Level1Color = clYellow;
    TColor Level1ColorTo = clYellow;
    TColor Level2Color = clRed;
    TColor Level2ColorTo = clRed;
    TColor Level3Color = clRed;
    TColor Level3ColorTo = clRed;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = clBlack;
    bool ShowBorder = true;
    bool Stacked = false;
    bool ShowPercentage = false;
    TFont* Font = nullptr;   // not owned; null keeps the canvas's font
    TColor FontColor = clBlack;
    bool CompletionSmooth = true;
    bool ShowGradient = false;
    int Steps = 16;
    int Position = 0;
    TColor BackgroundColor = clWhite;
    TGaugeOrientation Orientation = goHorizontal;
};

void DrawRectangle(TCanvas* Canvas, const TRect& R, TColor aColor);
void DrawTriangle(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawShape(TCanvas* Canvas, int X, int Y, int Width, int Height, TCellShape Shape,
               TColor FillColor, TColor LineColor);
void DrawGauge(TCanvas* Canvas, const TRect& R, int Position, const TGaugeSettings& Settings);

}  // namespace QorUtil
