// QorUtil, canvas side: colours, banded gradients, selection boxes, indicators and progress bars,
// bitmaps and the layered-window functions. Buttons are in QorUtilDrawButtons.cpp, shapes and the
// gauge in QorShapes.cpp.
#include "graphics/QorUtil.h"

#include "framework/Math.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace QorUtil {

namespace {

int RedOf(TColor C) { return C & 0xFF; }
int GreenOf(TColor C) { return (C >> 8) & 0xFF; }
int BlueOf(TColor C) { return (C >> 16) & 0xFF; }
TColor RGBColor(int R, int G, int B)
{
    auto Clamp = [](int V) { return std::clamp(V, 0, 255); };
    return TColor(Clamp(R) | (Clamp(G) << 8) | (Clamp(B) << 16));
}

void SetPenBrush(TCanvas* Canvas, TColor Color)
{
    Canvas->GetPen()->SetStyle(psSolid);
    Canvas->GetPen()->SetWidth(1);
    Canvas->GetPen()->SetColor(Color);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Color);
}

TRect Grown(TRect R, int DX, int DY) { return {R.Left - DX, R.Top - DY, R.Right + DX, R.Bottom + DY}; }

void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2)
{
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

}  // namespace

// ---- Colours ----------------------------------------------------------------------------------

TColor DarkenColor(TColor Color)
{
    TColor C = ColorToRGB(Color);
    return RGBColor(RedOf(C) / 2, GreenOf(C) / 2, BlueOf(C) / 2);
}

TColor ChangeColorPerc(TColor Color, int Perc)
{
    TColor C = ColorToRGB(Color);
    auto Change = [Perc](int V) { return int(Round(V + V * Perc / 100.0)); };
    return RGBColor(Change(RedOf(C)), Change(GreenOf(C)), Change(BlueOf(C)));
}

TColor GradientAt(TColor FromColor, TColor ToColor, int Left, int Right, int Pos)
{
    if (ToColor == clNone || Right == Left) return FromColor;
    TColor F = ColorToRGB(FromColor), T = ColorToRGB(ToColor);
    double Span = Right - Left;
    auto At = [&](int A, int B) { return A + int(Round((B - A) / Span * Pos)); };
    return RGBColor(At(RedOf(F), RedOf(T)), At(GreenOf(F), GreenOf(T)), At(BlueOf(F), BlueOf(T)));
}

// ---- Gradients --------------------------------------------------------------------------------

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Direction)
{
    if (R.Bottom == R.Top) return;
    if (R.Bottom < R.Top) std::swap(R.Top, R.Bottom);
    if (FromColor == clNone || ToColor == clNone) {
        TColor Other = FromColor == clNone ? ToColor : FromColor;
        if (Other == clNone) return;   // no colour at all: nothing to paint
        SetPenBrush(Canvas, ColorToRGB(Other));
        Canvas->Rectangle(R);
        return;
    }
    TColor F = ColorToRGB(FromColor), T = ColorToRGB(ToColor);
    int Extent = Direction ? R.Width() - 1 : R.Height() - 1;
    int N = std::max(1, std::min(Steps, Extent));
    double BandLen = double(Extent) / N;
    int Edge = Direction ? R.Right : R.Bottom;
    for (int i = 0; i <= N; ++i) {
        auto Comp = [&](int A, int B) { return A + int(Round(double(i) * (B - A) / N)); };
        SetPenBrush(Canvas, RGBColor(Comp(RedOf(F), RedOf(T)), Comp(GreenOf(F), GreenOf(T)),
                                     Comp(BlueOf(F), BlueOf(T))));
        int Start = (Direction ? R.Left : R.Top) + int(Trunc(i * BandLen));
        int Stop = std::min(Edge, Start + int(Trunc(BandLen + 1)));
        if (Stop <= Start) continue;
        if (Direction)
            Canvas->Rectangle(Start, R.Top, Stop, R.Bottom);
        else
            Canvas->Rectangle(R.Left, Start, R.Right, Stop);
    }
}

void DrawVistaGradient(TCanvas* ACanvas, const TRect& ARect, TColor ColorFrom, TColor ColorTo,
                       TColor ColorMirrorFrom, TColor ColorMirrorTo, bool Direction, TColor BorderColor,
                       bool LeftRightBorder, bool Fill)
{
    if (Fill && ColorFrom != clNone) {
        if (ColorMirrorFrom == clNone) {
            if (ColorTo == clNone) {
                SetPenBrush(ACanvas, ColorFrom);
                ACanvas->Rectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom + 1);
            } else {
                DrawGradient(ACanvas, ColorFrom, ColorTo, 128, ARect, !Direction);
            }
        } else {
            TRect First = ARect, Second = ARect;
            if (Direction) {
                int Mid = ARect.Top + ARect.Height() / 2;
                First.Bottom = Mid;
                Second.Top = Mid;
            } else {
                int Mid = ARect.Left + ARect.Width() / 2;
                First.Right = Mid;
                Second.Left = Mid;
            }
            DrawGradient(ACanvas, ColorFrom, ColorTo, 128, First, !Direction);
            DrawGradient(ACanvas, ColorMirrorFrom, ColorMirrorTo, 128, Second, !Direction);
        }
    }
    if (BorderColor != clNone) {
        if (LeftRightBorder) {
            ACanvas->GetPen()->SetStyle(psSolid);
            ACanvas->GetPen()->SetWidth(1);
            ACanvas->GetPen()->SetColor(BorderColor);
            Line(ACanvas, ARect.Left, ARect.Top, ARect.Left, ARect.Bottom);
            Line(ACanvas, ARect.Right - 1, ARect.Top, ARect.Right - 1, ARect.Bottom);
        } else {
            ACanvas->GetBrush()->SetStyle(bsSolid);
            ACanvas->GetBrush()->SetColor(BorderColor);
            ACanvas->FrameRect(ARect);
        }
    }
}

void DrawSelectionGradient(TCanvas* Canvas, TColor color1, TColor color2, TColor mircolor1,
                           TColor mircolor2, TColor linecolortop, TColor linecolorbottom,
                           TColor bordercolor, TColor edgecolor, TColor bkgcolor, const TRect& r,
                           TGradientPart part)
{
    const int L = r.Left, T = r.Top, R = r.Right - 1, B = r.Bottom - 2;
    const int H = B - T, M = T + H / 2;
    const bool LeftSide = part == gpFull || part == gpLeft;
    const bool RightSide = part == gpFull || part == gpRight;
    TPen* Pen = Canvas->GetPen();
    Pen->SetStyle(psSolid);
    Pen->SetWidth(1);

    Pen->SetColor(linecolortop);
    Line(Canvas, L, T + 1, R, T + 1);
    if (LeftSide) Line(Canvas, L + 1, T + 1, L + 1, M);
    if (RightSide) Line(Canvas, R - 2, T + 1, R - 2, M);

    Pen->SetColor(linecolorbottom);
    Line(Canvas, L, B - 1, R, B - 1);
    if (LeftSide) Line(Canvas, L + 1, M, L + 1, B - 1);
    if (RightSide) Line(Canvas, R - 2, M, R - 2, B - 1);

    const int LI = LeftSide ? 2 : 0, RI = RightSide ? 2 : 0;
    Pen->SetColor(bordercolor);
    Line(Canvas, L + LI, T, R - RI, T);
    Line(Canvas, L + LI, B, R - RI, B);
    if (RightSide) Line(Canvas, R - 1, T + 2, R - 1, B - 1);
    if (LeftSide) Line(Canvas, L, T + 2, L, B - 1);

    if (LeftSide) {
        for (TPoint P : {TPoint{L + 1, T}, TPoint{L + 1, T + 1}, TPoint{L, T + 1}, TPoint{L + 1, B},
                         TPoint{L + 1, B - 1}, TPoint{L, B - 1}})
            Canvas->SetPixels(P.X, P.Y, edgecolor);
        Canvas->SetPixels(L, T, bkgcolor);
        Canvas->SetPixels(L, B, bkgcolor);
    }
    if (RightSide) {
        for (TPoint P : {TPoint{R - 2, T}, TPoint{R - 2, T + 1}, TPoint{R - 1, T + 1}, TPoint{R - 2, B},
                         TPoint{R - 2, B - 1}, TPoint{R - 1, B - 1}})
            Canvas->SetPixels(P.X, P.Y, edgecolor);
        Canvas->SetPixels(R - 1, T, bkgcolor);
        Canvas->SetPixels(R - 1, B, bkgcolor);
    }

    TRect Inside{L + LI, T + 2, R - RI, B - 1};
    if (color2 == clNone) {
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(color1);
        Canvas->FillRect(Inside);
    } else if (mircolor1 == clNone) {
        DrawGradient(Canvas, color1, color2, 16, Inside, false);
    } else {
        TRect Upper = Inside, Lower = Inside;
        Upper.Bottom = Lower.Top = Inside.Top + Inside.Height() / 2;
        DrawGradient(Canvas, color1, color2, 16, Upper, false);
        DrawGradient(Canvas, mircolor1, mircolor2, 16, Lower, false);
    }
}

// ---- Indicators -------------------------------------------------------------------------------

void DrawErrorLines(TWinControl* /*Parent*/, TCanvas* Canvas, const String& TmpStr, const TRect& Rect,
                    int Height, int ErrPos, int ErrLen)
{
    // Character positions on a single line in the canvas's font: the x of character i is the
    // width of the text before it.
    const int Len = int(TmpStr.size());
    auto XOf = [&](int Index) {
        Index = std::clamp(Index, 0, Len);
        return Index == 0 ? 0 : Canvas->TextWidth(TmpStr.substr(0, size_t(Index)));
    };
    const int Last = std::max(0, Len - 1);
    int x1 = ErrPos >= Len ? XOf(Last) + 4 : XOf(std::max(0, ErrPos));
    int x2 = ErrPos + ErrLen < Len ? XOf(std::max(0, ErrPos + ErrLen - 1)) : XOf(Last) + 4;
    const int y1 = 0, y2 = 0;

    TPen* Pen = Canvas->GetPen();
    Pen->SetStyle(psSolid);
    Pen->SetColor(TColor(0x0000FF));
    Pen->SetWidth(2);
    Canvas->MoveTo(Rect.Left + x1, Rect.Top + y1 + Height + 3);
    int Offset = 0;
    while (x2 >= x1) {
        x1 += 3;
        Canvas->LineTo(Rect.Left + x1, Rect.Top + y2 + Height + Offset);
        Offset = 3 - Offset;
    }
    Canvas->LineTo(Rect.Left + x1 + 3, Rect.Top + y2 + Height + Offset);
}

void DrawRangeIndicator(TCanvas* Canvas, TRect r, int Value, int Range, bool ShowValue,
                        TColor NegColor, TColor PosColor)
{
    if (Range <= 0) return;   // no scale to draw against
    r = Grown(r, -2, -2);
    const int Mid = r.Width() / 2;
    Value = std::clamp(Value, -Range, Range);
    const int Len = int(Round(double(Mid) * Value / Range));
    const int Centre = r.Left + Mid;
    if (Value < 0) {
        SetPenBrush(Canvas, NegColor);
        Canvas->Rectangle(Centre + Len, r.Top, Centre, r.Bottom);
    } else {
        SetPenBrush(Canvas, PosColor);
        if (Len > 0) Canvas->Rectangle(Centre, r.Top, Centre + Len, r.Bottom);
    }
    if (ShowValue) {
        Canvas->GetBrush()->SetStyle(bsClear);
        Canvas->TextRect(r, IntToStr(Value), TTextFormat{tfCenter});
    }
}

void DrawProgressLin(TCanvas* Canvas, TRect r, TColor Color1, TColor TColor1, TColor Color2,
                     TColor TColor2, double pd, int Mx, int My, double Min, double Max, int Scale,
                     const String& Fmt, TColor BorderColor, bool print)
{
    const TColor OldBrush = Canvas->GetBrush()->GetColor();
    String Text;
    int p;
    const String Plain = IntToStr(int(Round(pd))) + L"%";
    if (Fmt.empty()) {
        Text = Plain;
        p = int(Round(pd));
    } else {
        const int Sc = Scale == 0 ? 1 : Scale;
        try {
            if (Fmt.find_first_of(L"du") != String::npos)
                Text = Format(Fmt, {int(Round(double(Round(pd)) / Sc))});
            else
                Text = Format(Fmt, {pd / Sc});
        } catch (const Exception&) {
            Text = Plain;   // a format that does not fit the value: show the plain number
        }
        p = Max == Min ? 0 : int(Round((pd - Min) * 100 / (Max - Min)));
    }
    p = std::clamp(p, 0, 100);

    r = Grown(r, -Mx, -My);
    const int Filled = int(Round(double(r.Width()) * p / 100));
    const TSize Ext = Canvas->TextExtent(Text);
    const int TX = r.Left + (r.Width() - Ext.cx) / 2;
    const int TY = print ? r.Top + (r.Height() + Ext.cy) / 2 : r.Top + (r.Height() - Ext.cy) / 2;

    TRect Done{r.Left, r.Top, r.Left + Filled, r.Bottom};
    TRect Rest{r.Left + Filled, r.Top, r.Right, r.Bottom};
    if (Done.Width() > 0) {
        SetPenBrush(Canvas, Color1);
        Canvas->Rectangle(Done);
        Canvas->GetFont()->SetColor(TColor1);
        Canvas->TextRect(Done, TX, TY, Text);
    }
    if (Rest.Width() > 0) {
        SetPenBrush(Canvas, Color2);
        Canvas->Rectangle(Rest);
        Canvas->GetFont()->SetColor(TColor2);
        Canvas->TextRect(Rest, TX, TY, Text);
    }
    Canvas->GetBrush()->SetStyle(bsSolid);
    if (BorderColor != clNone) {
        Canvas->GetBrush()->SetColor(BorderColor);
        Canvas->FrameRect(Grown(r, 1, 1));
    }
    Canvas->GetBrush()->SetColor(OldBrush);
    Canvas->FrameRect(Grown(r, 2, 2));
}

void DrawProgressPie(TCanvas* Canvas, TRect r, TColor Color, int p, bool print)
{
    const TColor Grey = TColor(0x808080);
    TPen* Pen = Canvas->GetPen();
    Pen->SetStyle(psSolid);
    Pen->SetWidth(1);
    Pen->SetColor(Grey);
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->Ellipse(r);
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    const double rx = (r.Width() + 1) / 2.0, ry = (r.Height() + 1) / 2.0;
    const double a = p / 100.0 * 2 * std::numbers::pi;
    Canvas->MoveTo(cx, r.Top);
    Canvas->LineTo(cx, cy);
    Canvas->LineTo(cx + int(Round(rx * std::sin(a))), cy - int(Round(ry * std::cos(a))));
    if (p <= 0) return;

    // The seed goes on the wedge's bisector, so that a thin wedge is never missed and the fill
    // cannot leak into the rest of the circle; a wedge too thin to hold a free pixel stays as its
    // two radii.
    const double Half = std::min(a, 2 * std::numbers::pi) / 2;
    (void)print;   // the seed follows the radii, which carry the direction of the y axis
    for (double f : {0.8, 0.65, 0.5, 0.35}) {
        int sx = cx + int(Round(rx * f * std::sin(Half)));
        int sy = cy - int(Round(ry * f * std::cos(Half)));
        double u = (sx - cx) / rx, v = (cy - sy) / ry;
        double Ang = std::atan2(u, v);
        if (Ang < 0) Ang += 2 * std::numbers::pi;
        if (Ang <= 0.02 || Ang >= a - 0.02) continue;
        if ((ColorToRGB(Canvas->GetPixels(sx, sy)) & 0xFFFFFF) == Grey) continue;
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(Color);
        Canvas->FloodFill(sx, sy, Grey, fsBorder);
        return;
    }
}

// ---- Bitmaps ----------------------------------------------------------------------------------

void DrawBitmapTransp(TCanvas* Canvas, TBitmap* bmp, TColor bkcolor, const TRect& r, double scale)
{
    if (!bmp || bmp->GetEmpty()) return;
    const int W = int(Round(bmp->GetWidth() * scale)), H = int(Round(bmp->GetHeight() * scale));
    if (W <= 0 || H <= 0) return;
    std::unique_ptr<TBitmap> Tmp(new TBitmap(W, H));
    TCanvas* TC = Tmp->GetCanvas();
    TC->GetBrush()->SetStyle(bsSolid);
    TC->GetBrush()->SetColor(bkcolor);
    TC->FillRect(TRect{0, 0, W, H});
    const TRect Src{0, 0, bmp->GetWidth(), bmp->GetHeight()};
    if (scale == 1.0)
        TC->BrushCopy(TRect{0, 0, W, H}, bmp, Src, bmp->GetCanvas()->GetPixels(0, 0));
    else
        TC->StretchDraw(TRect{0, 0, W, H}, bmp);
    Canvas->CopyRect(TRect{r.Left, r.Top, r.Left + W, r.Top + H}, TC, TRect{0, 0, W, H});
}

void DrawBitmapResourceTransp(TCanvas* Canvas, TColor bkColor, const TRect& r, const String& ResName,
                              double scale)
{
    std::unique_ptr<TBitmap> Bmp(new TBitmap());
    Bmp->LoadFromResourceName(GetModuleHandleW(nullptr), ResName);
    DrawBitmapTransp(Canvas, Bmp.get(), bkColor, r, scale);
}

void DrawBitmapAlpha(TCanvas* ACanvas, int ALeft, int ATop, TBitmap* ABitmap)
{
    if (!ABitmap || ABitmap->GetEmpty()) return;
    if (ABitmap->GetPixelFormat() != pf32bit) {
        ACanvas->Draw(ALeft, ATop, ABitmap);
        return;
    }
    const int W = ABitmap->GetWidth(), H = ABitmap->GetHeight();
    BLENDFUNCTION Blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(ACanvas->GetHandle(), ALeft, ATop, W, H, ABitmap->GetCanvas()->GetHandle(), 0, 0, W,
                 H, Blend);
}

// ---- Layered windows --------------------------------------------------------------------------

namespace {
FARPROC User32Proc(const char* Name)
{
    HMODULE User32 = GetModuleHandleW(L"USER32.DLL");
    if (!User32) User32 = LoadLibraryW(L"USER32.DLL");
    return User32 ? GetProcAddress(User32, Name) : nullptr;
}
}  // namespace

bool DynaLink_UpdateLayeredWindow(HWND hwnd, HDC hdcDst, POINT* pptDst, SIZE* size, HDC hdcSrc,
                                  POINT* pptSrc, COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags)
{
    using TProc = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
    auto Proc = reinterpret_cast<TProc>(reinterpret_cast<void*>(User32Proc("UpdateLayeredWindow")));
    if (!Proc) return true;
    return Proc(hwnd, hdcDst, pptDst, size, hdcSrc, pptSrc, crKey, pblend, dwFlags) != FALSE;
}

bool DynaLink_SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags)
{
    using TProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    auto Proc = reinterpret_cast<TProc>(reinterpret_cast<void*>(User32Proc("SetLayeredWindowAttributes")));
    if (!Proc) return true;
    return Proc(hwnd, crKey, bAlpha, dwFlags) != FALSE;
}

}  // namespace QorUtil
