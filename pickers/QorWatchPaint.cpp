// QorTimePickerDropDown: how the clock face draws itself. The dial (background, marks, numbers,
// AM/PM box) is drawn once into the face cache; the hands are drawn over a copy of it and the
// finished frame is copied onto the control in one piece. Also the AM/PM slide and the unit's
// drawing routines.
#include "pickers/QorTimePickerDropDown.h"

#include "controls/QorDropDown.h"
#include "graphics/GDIPImageBytes.h"
#include "graphics/QorGDIP.h"

#include "framework/Math.h"
#include "framework/SysUtils.h"
#include "framework/WinScope.h"

#include <cmath>
#include <memory>

namespace {

constexpr float RoundRectRadius = 8;
constexpr int AMPMCorner = 5;
constexpr Byte ShadowAlpha = 80;
constexpr unsigned SlideFrameMs = 10;
constexpr double Deg = Pi / 180;
constexpr const wchar_t* FallbackFontName = L"Arial";

// The shadow the hands have always cast when left at their default system colour: a dark red-black
// of alpha 80, the bytes of that colour value.
constexpr ARGB DefaultShadowRGB = 0x100000;

bool Shown(TColor C) { return C != clNone; }

// A hand's shadow colour: translucent, system colours resolved, except the default shadow, which
// keeps its dark shade.
ARGB ShadowARGB(TColor C)
{
    const ARGB Rgb = C == clBtnShadow ? DefaultShadowRGB : (ColorToARGB(C) & 0xFFFFFF);
    return (ARGB(ShadowAlpha) << 24) | Rgb;
}

TGPPointF Pt(double X, double Y) { return TGPPointF{float(X), float(Y)}; }

// The point Length * Radius along a hand's angle (degrees clockwise from 12 o'clock) from Center.
TGPPointF HandPoint(TPoint Center, double Angle, double Length, double Radius)
{
    return Pt(Center.X + std::sin(Angle * Deg) * Length * Radius, Center.Y - std::cos(Angle * Deg) * Length * Radius);
}

// The point Distance from the centre on a mark's angle (degrees clockwise from 3 o'clock).
TGPPointF MarkPoint(TPoint Center, double Angle, double Distance)
{
    return Pt(Center.X + std::cos(Angle * Deg) * Distance, Center.Y + std::sin(Angle * Deg) * Distance);
}

// A line hand of angle Angle from Tail behind Center to Length out (fractions of the radius R).
void DrawHand(TGPGraphics* g, double Angle, double Length, double Tail, TPoint Center, double R, ARGB Color, int Width)
{
    TGPPen Pen(Color, float(Width));
    const TGPPointF From = HandPoint(Center, Angle, -Tail, R), To = HandPoint(Center, Angle, Length, R);
    g->DrawLine(&Pen, From.X, From.Y, To.X, To.Y);
}

// A filled pointer hand: tail, side, tip and other side, a twentieth of the radius wide each way.
void DrawPointerShape(TGPGraphics* g, double Angle, double Length, TPoint Center, double R, ARGB Color)
{
    const double A = Angle * Deg;
    const TGPPointF Points[4] = {
        HandPoint(Center, Angle, -0.1, R),
        Pt(Center.X - std::cos(A) * 0.05 * R, Center.Y - std::sin(A) * 0.05 * R),
        HandPoint(Center, Angle, Length, R),
        Pt(Center.X + std::cos(A) * 0.05 * R, Center.Y + std::sin(A) * 0.05 * R),
    };
    TGPGraphicsPath Path;
    Path.AddPolygon(Points, 4);
    Path.CloseFigure();
    TGPSolidBrush Brush(Color);
    g->FillPath(&Brush, &Path);
}

void Blit(HDC Target, int W, int H, HDC Source) { BitBlt(Target, 0, 0, W, H, Source, 0, 0, SRCCOPY); }

HDC DCOf(TBitmap* B) { return B->GetCanvas()->GetHandle(); }

// A GDI+ surface over a framework bitmap's own 32-bit pixels, anti-aliased: GDI+ draws straight
// into them, many times quicker than through the bitmap's device context. GDI drawing on the
// bitmap's canvas is finished when it is made, and its GDI+ drawing when it goes.
class TPixelGraphics {
public:
    explicit TPixelGraphics(TBitmap* B)
    {
        const int W = B->GetWidth(), H = B->GetHeight();
        auto* Row0 = static_cast<BYTE*>(B->ScanLine(0));   // finishes pending GDI drawing
        const int Stride = H > 1 ? int(static_cast<BYTE*>(B->ScanLine(1)) - Row0) : B->BytesPerScanline();
        FPixels = std::make_unique<TGPBitmap>(W, H, Stride, PixelFormat32bppRGB, Row0);
        FGraphics.reset(TGPGraphics::FromImage(FPixels.get()));
        FGraphics->SetSmoothingMode(SmoothingModeAntiAlias);
    }
    ~TPixelGraphics() { FGraphics->Flush(FlushIntentionSync); }
    TPixelGraphics(const TPixelGraphics&) = delete;
    TPixelGraphics& operator=(const TPixelGraphics&) = delete;
    TGPGraphics* Get() const { return FGraphics.get(); }

private:
    std::unique_ptr<TGPBitmap> FPixels;
    std::unique_ptr<TGPGraphics> FGraphics;
};

}  // namespace

// ---- unit routines ------------------------------------------------------------------------------

TGPGraphicsPath* CreateGDIPRectangle(const TRect& R)
{
    const float X = float(R.Left), Y = float(R.Top), W = float(R.Right), H = float(R.Bottom);
    auto* Path = new TGPGraphicsPath();
    Path->AddLine(X, Y, X + W, Y);
    Path->AddLine(X + W, Y, X + W, Y + H);
    Path->AddLine(X + W, Y + H, X, Y + H);
    Path->AddLine(X, Y + H, X, Y);
    Path->CloseFigure();
    return Path;
}

TGPGraphicsPath* CreateRoundRectangle(const TRect& R, int Radius)
{
    const float X = float(R.Left), Y = float(R.Top), W = float(R.Right), H = float(R.Bottom);
    const float Rad = float(Radius), D = 2 * Rad;
    auto* Path = new TGPGraphicsPath();
    Path->AddLine(X + Rad, Y, X + W - Rad, Y);
    Path->AddArc(X + W - D, Y, D, D, 270, 90);
    Path->AddLine(X + W, Y + Rad, X + W, Y + H - Rad);
    Path->AddArc(X + W - D, Y + H - D, D, D, 0, 90);
    Path->AddLine(X + W - Rad, Y + H, X + Rad, Y + H);
    Path->AddArc(X, Y + H - D, D, D, 90, 90);
    Path->AddLine(X, Y + H - Rad, X, Y + Rad);
    Path->AddArc(X, Y, D, D, 180, 90);
    Path->CloseFigure();
    return Path;
}

void DrawRoundRect(TGPGraphics* graphics, TGPPen* Pen, int X, int Y, int Width, int Height, int Radius)
{
    std::unique_ptr<TGPGraphicsPath> Path(CreateRoundRectangle(TRect(X, Y, Width, Height), Radius));
    graphics->DrawPath(Pen, Path.get());
}

void FillRoundRect(TGPGraphics* graphics, TGPBrush* Brsh, int X, int Y, int Width, int Height, int Radius)
{
    std::unique_ptr<TGPGraphicsPath> Path(CreateRoundRectangle(TRect(X, Y, Width, Height), Radius));
    graphics->FillPath(Brsh, Path.get());
}

TRect DrawGDIPText(TCanvas* Canvas, TGPGraphics* g, TAlignment Alignment, const TRect& r, const String& Caption,
                   const String& WideCaption, TFont* AFont, bool Enabled, bool RealDraw, TAntiAlias AntiAlias)
{
    const String& Text = !Caption.empty() ? Caption : WideCaption;
    if ((!g && !Canvas) || Text.empty() || !AFont) return TRect(0, 0, 0, 0);
    std::unique_ptr<TGPGraphics> Own;
    if (!g) {
        Own = std::make_unique<TGPGraphics>(Canvas->GetHandle());
        g = Own.get();
    }
    int Style = FontStyleRegular;
    if (AFont->GetStyle().Contains(fsBold)) Style |= FontStyleBold;
    if (AFont->GetStyle().Contains(fsItalic)) Style |= FontStyleItalic;
    if (AFont->GetStyle().Contains(fsUnderline)) Style |= FontStyleUnderline;
    // A face GDI+ does not have, or not in this style, draws in the fallback face.
    auto Family = std::make_unique<TGPFontFamily>(AFont->GetName());
    std::unique_ptr<TGPFont> Font;
    if (Family->GetLastStatus() == Ok) Font = std::make_unique<TGPFont>(Family.get(), float(AFont->GetSize()), Style, UnitPoint);
    if (!Font || Font->GetLastStatus() != Ok) Font = std::make_unique<TGPFont>(String(FallbackFontName), float(AFont->GetSize()), Style, UnitPoint);
    if (Font->GetLastStatus() != Ok) return TRect(0, 0, 0, 0);

    g->SetSmoothingMode(SmoothingModeAntiAlias);
    TGPStringFormat Format(0, 0);
    Format.SetAlignment(Alignment == taRightJustify ? StringAlignmentFar
                        : Alignment == taCenter     ? StringAlignmentCenter
                                                    : StringAlignmentNear);
    Format.SetLineAlignment(StringAlignmentNear);
    Format.SetHotkeyPrefix(HotkeyPrefixShow);
    Format.SetTrimming(StringTrimmingNone);
    if (AntiAlias == aaClearType) g->SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    else if (AntiAlias == aaAntiAlias) g->SetTextRenderingHint(TextRenderingHintAntiAlias);
    TGPSolidBrush Brush(Enabled ? ColorToARGB(AFont->GetColor()) : MakeColor(128, 128, 128));
    const TGPRectF Layout = MakeRect(float(r.Left), float(r.Top), float(r.Right - r.Left), float(r.Bottom - r.Top));
    TGPRectF Box;
    g->MeasureString(Text.c_str(), int(Text.size()), Font.get(), Layout, &Format, Box);
    if (RealDraw) g->DrawString(Text.c_str(), int(Text.size()), Font.get(), Layout, &Format, &Brush);
    return TRect(int(Box.X), int(Box.Y), int(Box.X + Box.Width), int(Box.Y + Box.Height));
}

void DrawGDIPImage(TGPGraphics* gr, TCanvas* Canvas, const TRect& R, TGraphic* bmp, bool Stretch, bool Transparent)
{
    if (!bmp || bmp->GetEmpty()) return;
    std::unique_ptr<TGPGraphics> Own;
    if (!gr) {
        if (!Canvas) return;
        Own = std::make_unique<TGPGraphics>(Canvas->GetHandle());
        gr = Own.get();
    }
    TMemoryStream Data;
    bmp->SaveToStream(&Data);
    WithDecodedImage(&Data, [&](TGPImage* Image) {
        if (!ImageDecoded(Image)) return;
        const float W = float(Image->GetWidth()), H = float(Image->GetHeight());
        if (Image->GetFormat() == ifPNG || !Stretch) {
            gr->DrawImage(Image, R.Left, R.Top);
            return;
        }
        const TGPRectF Dest = MakeRect(float(R.Left), float(R.Top), float(R.Width()), float(R.Height()));
        if (!Transparent) {
            gr->DrawImage(Image, Dest, 0, 0, W, H, UnitPixel);
            return;
        }
        // The colour of the top-left pixel is left out. The decoded image is a bitmap; its
        // handle is borrowed for the pixel and handed back before the probe goes.
        ARGB Key = 0;
        TGPBitmap Probe(Image->nativeImage);
        Probe.GetPixel(0, 0, Key);
        Probe.nativeImage = nullptr;
        TGPImageAttributes Attributes;
        Attributes.SetColorKey(Key, Key);
        gr->DrawImage(Image, Dest, 0, 0, W, H, UnitPixel, &Attributes);
    });
}

// ---- the face cache -----------------------------------------------------------------------------

void TQorWatch::Paint()
{
    TValueScope<HDC> Painting(FPaintDC, GetCanvas()->GetHandle());
    UpdateCache();
}

void TQorWatch::UpdateCache()
{
    // Without a window there is nothing to show: the first paint builds the cache.
    if (!FPaintDC && !HandleAllocated()) {
        FCacheValid = false;
        return;
    }
    BuildCache();
    RepaintTime();
}

void TQorWatch::BuildCache()
{
    const TRect R = GetClientRect();
    FBKGCache->SetSize(Max(R.Width(), 0), Max(R.Height(), 0));
    FCacheValid = R.Width() > 0 && R.Height() > 0;
    if (!FCacheValid) return;
    TCanvas* C = FBKGCache->GetCanvas();
    // The control's erased background: its own colour.
    C->GetBrush()->SetColor(GetColor());
    C->GetBrush()->SetStyle(bsSolid);
    C->FillRect(R);
    TPixelGraphics g(FBKGCache.get());
    DrawBackground(g.Get(), C, R);
    DrawContent(g.Get(), C);
    DrawAMPM(g.Get(), C);
}

void TQorWatch::RepaintTime()
{
    if (!FCacheValid || (!FPaintDC && !HandleAllocated())) return;
    FollowDisplayedHalf();
    const int W = FBKGCache->GetWidth(), H = FBKGCache->GetHeight();
    if (FFrame->GetWidth() != W || FFrame->GetHeight() != H) FFrame->SetSize(W, H);
    Blit(DCOf(FFrame.get()), W, H, DCOf(FBKGCache.get()));
    {
        TPixelGraphics g(FFrame.get());
        DrawNeedles(g.Get(), nullptr);
    }
    ShowFrame(FFrame.get());
}

void TQorWatch::ShowFrame(TBitmap* Frame)
{
    const int W = Frame->GetWidth(), H = Frame->GetHeight();
    if (FPaintDC) {
        Blit(FPaintDC, W, H, DCOf(Frame));
        return;
    }
    if (!HandleAllocated()) return;
    TClientDC DC(GetHandle());
    Blit(DC, W, H, DCOf(Frame));
}

// ---- the drawing steps --------------------------------------------------------------------------

void TQorWatch::DrawBackground(TGPGraphics* g, TCanvas*, const TRect& R)
{
    if (!g) return;
    const TWatchAppearance* A = FAppearance.get();
    const TPoint C = GetCenterPoint();
    const float Rad = float(GetRadius());
    const float CX = float(C.X) - Rad, CY = float(C.Y) - Rad, D = 2 * Rad;
    const int W = R.Width(), H = R.Height();
    const TColor Clr = A->GetBackgroundColor();
    const TColor ClrTo = Shown(A->GetBackgroundColorTo()) ? A->GetBackgroundColorTo() : Clr;
    const TWatchShape Shape = A->GetShape();

    if (!A->GetPicture()->Empty()) {
        DrawGDIPImage(g, nullptr, R, A->GetPicture()->GetGraphic(), true, true);
    } else if (A->GetBackgroundGradient() == wgRadial) {
        std::unique_ptr<TGPGraphicsPath> Path;
        if (Shape == wsCircle) {
            Path = std::make_unique<TGPGraphicsPath>();
            Path->AddEllipse(CX, CY, D, D);
        } else if (Shape == wsRect) {
            Path.reset(CreateGDIPRectangle(TRect(R.Left, R.Top, W, H)));
        } else {
            Path.reset(CreateRoundRectangle(TRect(R.Left, R.Top, W, H), int(RoundRectRadius)));
        }
        TGPPathGradientBrush Brush(Path.get());
        Brush.SetCenterColor(ColorToARGB(Clr));
        Brush.SetCenterPoint(MakePoint(C.X, C.Y));
        const ARGB Surround = ColorToARGB(ClrTo);
        int Count = 1;
        Brush.SetSurroundColors(&Surround, Count);
        if (Shape == wsCircle) g->FillEllipse(&Brush, CX, CY, D, D);
        else g->FillPath(&Brush, Path.get());
    } else {
        const LinearGradientMode Mode = A->GetBackgroundGradient() == wgVertical ? LinearGradientModeVertical
                                        : A->GetBackgroundGradient() == wgDiagonalForward
                                            ? LinearGradientModeForwardDiagonal
                                            : LinearGradientModeBackwardDiagonal;
        TGPLinearGradientBrush Brush(MakeRect(float(R.Left), float(R.Top), float(W), float(H)), ColorToARGB(Clr),
                                     ColorToARGB(ClrTo), Mode);
        if (Shape == wsCircle) g->FillEllipse(&Brush, CX, CY, D, D);
        else if (Shape == wsRect) g->FillRectangle(&Brush, float(R.Left), float(R.Top), float(W), float(H));
        else FillRoundRect(g, &Brush, R.Left, R.Top, W, H, int(RoundRectRadius));
    }

    if (A->GetBorderWidth() <= 0 || !Shown(A->GetBorderColor())) return;
    TGPPen Pen(ColorToARGB(A->GetBorderColor()), float(A->GetBorderWidth()));
    if (Shape == wsCircle) g->DrawEllipse(&Pen, CX, CY, D, D);
    else if (Shape == wsRect) g->DrawRectangle(&Pen, float(R.Left), float(R.Top), float(W - 1), float(H - 1));
    else DrawRoundRect(g, &Pen, R.Left, R.Top, W - 1, H - 1, int(RoundRectRadius));
}

void TQorWatch::DrawContent(TGPGraphics* g, TCanvas* aCanvas)
{
    DrawTickMarks(g, aCanvas);
    DrawNumbers(g, aCanvas);
}

void TQorWatch::DrawTickMarks(TGPGraphics* g, TCanvas*)
{
    const TWatchAppearance* A = FAppearance.get();
    const TTickMarks Marks = A->GetTickMarks();
    if (!g || Marks == tmNone) return;
    const TPoint C = GetCenterPoint();
    const double Rm = GetRadius() - A->GetBorderWidth() / 2;

    // The marks of one pen go into one path, drawn at once.
    auto AddMark = [&](TGPGraphicsPath& Path, double Angle, double From, double To, double DX, double DY) {
        const TGPPointF P1 = MarkPoint(C, Angle, From), P2 = MarkPoint(C, Angle, To);
        Path.StartFigure();
        Path.AddLine(float(P1.X + DX), float(P1.Y + DY), float(P2.X + DX), float(P2.Y + DY));
    };
    if (Shown(A->GetHourColor())) {
        const double Ml = A->GetHourMarkLength() > 0 ? Rm - A->GetHourMarkLength() : 0.9 * Rm;
        TGPGraphicsPath Path;
        for (int Q = 0; Q < 4; ++Q) {
            const double Angle = Q * 90;
            if (A->GetHourMarkStyle() == hmsLine) {
                AddMark(Path, Angle, Ml, Rm, 0, 0);
            } else if (Q % 2 == 0) {   // 3 and 9 o'clock: two lines above and below
                AddMark(Path, Angle, Ml, Rm, 0, -2);
                AddMark(Path, Angle, Ml, Rm, 0, 2);
            } else {                   // 6 and 12 o'clock: two lines left and right
                AddMark(Path, Angle, Ml, Rm, -2, 0);
                AddMark(Path, Angle, Ml, Rm, 2, 0);
            }
        }
        if (Marks == tmAll || Marks == tmHours)
            for (int I = 0; I < 12; ++I)
                if (I % 3 != 0) AddMark(Path, I * 30, Ml, Rm, 0, 0);
        TGPPen Pen(ColorToARGB(A->GetHourColor()), float(A->GetHourMarkWidth()));
        g->DrawPath(&Pen, &Path);
    }
    if (Marks == tmAll && Shown(A->GetMinuteColor())) {
        const double Ml = A->GetMinuteMarkLength() > 0 ? Rm - A->GetMinuteMarkLength() : 0.95 * Rm;
        TGPGraphicsPath Path;
        for (int I = 0; I < 60; ++I)
            if (I % 5 != 0) AddMark(Path, I * 6, Ml, Rm, 0, 0);
        TGPPen Pen(ColorToARGB(A->GetMinuteColor()), float(A->GetMinuteMarkWidth()));
        g->DrawPath(&Pen, &Path);
    }
}

void TQorWatch::DrawNumbers(TGPGraphics* g, TCanvas* aCanvas)
{
    if (!aCanvas || !FShowNumbers) return;
    if (g) g->Flush(FlushIntentionSync);   // the canvas draws over what GDI+ drew
    const TWatchAppearance* A = FAppearance.get();
    aCanvas->SetFont(A->GetHourFont());
    TCanvas* Measure = MeasureCanvas();
    Measure->SetFont(A->GetHourFont());
    const TPoint C = GetCenterPoint();
    const double Rm = GetRadius() - A->GetBorderWidth() / 2;
    const int L = (A->GetHourMarkLength() > 0 ? A->GetHourMarkLength() : int(Round(Rm - 0.9 * Rm))) + 2;
    const double R0 = Rm - (L + 2) - L;
    aCanvas->GetBrush()->SetStyle(bsClear);
    const TTickMarks Marks = A->GetTickMarks();
    for (int I = 1; I <= 12; ++I) {
        if (Marks == tmQuartHours && I % 3 != 0) continue;
        const double Angle = I * 30 * Deg;
        const String Text = IntToStr(I);
        const TSize T = GetTextSize(Measure, Text);
        const int Off = I == 10 ? int(Round(0.2 * T.cy)) : I == 11 ? int(Round(0.15 * T.cy)) : 0;
        const double Dist = R0 - Off + L / 2;
        const int X = C.X + 1 + int(Round(std::sin(Angle) * Dist));
        const int Y = C.Y + 1 - int(Round(std::cos(Angle) * Dist));
        const TRect B(X - L / 2, Y - L / 2, X + L / 2, Y + L / 2);
        aCanvas->TextOut(B.Right - (B.Right - B.Left) / 2 - T.cx / 2 - 1, B.Bottom - (B.Bottom - B.Top) / 2 - T.cy / 2 - 1,
                         Text);
    }
}

void TQorWatch::DrawAMPM(TGPGraphics* g, TCanvas* aCanvas)
{
    if (!aCanvas || !FShowAMPM) return;
    if (g) g->Flush(FlushIntentionSync);
    const TWatchAppearance* A = FAppearance.get();
    const TRect B = GetAMPMRect();
    if (Shown(A->GetAMPMColor()) || Shown(A->GetAMPMBorderColor())) {
        if (Shown(A->GetAMPMColor())) {
            aCanvas->GetBrush()->SetStyle(bsSolid);
            aCanvas->GetBrush()->SetColor(A->GetAMPMColor());
        } else {
            aCanvas->GetBrush()->SetStyle(bsClear);
        }
        if (Shown(A->GetAMPMBorderColor())) {
            aCanvas->GetPen()->SetStyle(psSolid);
            aCanvas->GetPen()->SetColor(A->GetAMPMBorderColor());
        } else {
            aCanvas->GetPen()->SetStyle(psClear);
        }
        aCanvas->GetPen()->SetWidth(1);
        if (A->GetAMPMFrame() == apRect) aCanvas->Rectangle(B);
        else aCanvas->RoundRect(B, AMPMCorner, AMPMCorner);
        aCanvas->GetPen()->SetStyle(psSolid);
    }
    aCanvas->GetBrush()->SetStyle(bsClear);
    GdiFlush();   // GDI+ draws the word over the canvas's frame
    DrawGDIPText(aCanvas, g, taCenter, B, FAM ? L"AM" : L"PM", L"", A->GetAMPMFont(), true, true, aaAntiAlias);
}

void TQorWatch::DrawNeedles(TGPGraphics* g, TCanvas*)
{
    if (!g) return;
    const TWatchAppearance* A = FAppearance.get();
    const bool Auto = FSettings->GetAuto();
    Word H, M, S, MS;
    DecodeTime(GetDisplayTime(), H, M, S, MS);
    if (Auto) FollowDisplayedHalf();
    const double Ah = (H % 12) * 30 + M / 2.0, Am = M * 6, As = S * 6;
    const TPoint C = GetCenterPoint();
    const double R = GetRadius();
    auto Moved = [&](int DX, int DY) { return TPoint(C.X + DX, C.Y + DY); };

    if (A->GetPointerStyle() == psPointer) {
        if (Shown(A->GetHourPointerShadow()))
            DrawPointerShape(g, Ah, 0.5, Moved(1, 3), R, ShadowARGB(A->GetHourPointerShadow()));
        if (Shown(A->GetHourPointer())) DrawPointerShape(g, Ah, 0.5, C, R, ColorToARGB(A->GetHourPointer()));
        if (Shown(A->GetMinutePointerShadow()))
            DrawPointerShape(g, Am, 0.7, Moved(1, 3), R, ShadowARGB(A->GetMinutePointerShadow()));
        if (Shown(A->GetMinutePointer())) DrawPointerShape(g, Am, 0.7, C, R, ColorToARGB(A->GetMinutePointer()));
    } else {
        const double Tail = A->GetPointerStyle() == psShortLine ? 0 : 0.1;
        const bool Arrow = A->GetPointerStyle() == psLineArrow;
        const int HW = A->GetHourPointerSize(), MW = A->GetMinutePointerSize();
        if (Shown(A->GetHourPointerShadow()))
            DrawHand(g, Ah, 0.46, Tail, Moved(-1, 3), R, ShadowARGB(A->GetHourPointerShadow()), HW);
        // An arrow head: from the point at Back on the hand's angle plus Spread to the tip, and on
        // to the point at Back on the angle minus Spread.
        auto ArrowHead = [&](double Angle, double Tip, double Back, double Spread, TColor Color, int Width) {
            TGPPen Pen(ColorToARGB(Color), float(Width));
            const TGPPointF T = HandPoint(C, Angle, Tip, R), L1 = HandPoint(C, Angle + Spread, Back, R),
                            L2 = HandPoint(C, Angle - Spread, Back, R);
            g->DrawLine(&Pen, L1.X, L1.Y, T.X, T.Y);
            g->DrawLine(&Pen, T.X, T.Y, L2.X, L2.Y);
        };
        if (Shown(A->GetHourPointer())) {
            DrawHand(g, Ah, 0.5, Tail, C, R, ColorToARGB(A->GetHourPointer()), HW);
            if (Arrow) ArrowHead(Ah, 0.5, 0.4, 10, A->GetHourPointer(), HW);
        }
        if (Shown(A->GetMinutePointerShadow()))
            DrawHand(g, Am, 0.65, Tail, Moved(0, 3), R, ShadowARGB(A->GetMinutePointerShadow()), MW);
        if (Shown(A->GetMinutePointer())) {
            if (Arrow) ArrowHead(Am, 0.7, 0.6, 7, A->GetMinutePointer(), MW);
            DrawHand(g, Am, 0.7, Tail, C, R, ColorToARGB(A->GetMinutePointer()), MW);
        }
    }
    if (Auto && FSettings->GetSecond() && Shown(A->GetSecondPointer()))
        DrawHand(g, As, 0.9, 0.2, C, R, ColorToARGB(A->GetSecondPointer()), A->GetSecondPointerSize());

    const int Cs = A->GetCenterPointSize();
    if (Cs <= 0) return;
    const float X = float(C.X - Cs / 2.0), Y = float(C.Y - Cs / 2.0);
    if (Shown(A->GetCenterPointColor())) {
        TGPSolidBrush Brush(ColorToARGB(A->GetCenterPointColor()));
        g->FillEllipse(&Brush, X, Y, float(Cs), float(Cs));
    }
    int O = 0;
    if (Shown(A->GetCenterPointOuterBorderColor())) {
        O = int(Round(0.2 * Cs));
        TGPPen Pen(ColorToARGB(A->GetCenterPointOuterBorderColor()), float(O));
        g->DrawEllipse(&Pen, X, Y, float(Cs), float(Cs));
    }
    if (Shown(A->GetCenterPointBorderColor())) {
        TGPPen Pen(ColorToARGB(A->GetCenterPointBorderColor()), float(Round(0.1 * Cs)));
        const double Inner = Cs - O;
        g->DrawEllipse(&Pen, float(C.X - Inner / 2), float(C.Y - Inner / 2), float(Inner), float(Inner));
    }
}

// ---- the AM/PM slide ----------------------------------------------------------------------------

void TQorWatch::SlideAMPM(bool ToAM)
{
    if (!FCacheValid || !HandleAllocated()) return;
    const TWatchAppearance* A = FAppearance.get();
    const TRect B = GetAMPMRect();
    const TRect I(B.Left + 1, B.Top + 1, B.Right - 1, B.Bottom - 1);
    const int IW = I.Width(), IH = I.Height();
    if (IW <= 0 || IH <= 0) return;

    // Both words on one strip, AM above PM; a window of the box's height runs over it.
    TBitmap Strip(IW, 2 * IH);
    TCanvas* SC = Strip.GetCanvas();
    SC->GetBrush()->SetColor(A->GetAMPMColor());
    SC->GetPen()->SetColor(A->GetAMPMColor());
    SC->Rectangle(0, 0, IW, 2 * IH);
    DrawGDIPText(SC, nullptr, taCenter, TRect(0, 0, IW, IH), L"AM", L"", A->GetAMPMFont(), true, true, aaAntiAlias);
    DrawGDIPText(SC, nullptr, taCenter, TRect(0, IH, IW, 2 * IH), L"PM", L"", A->GetAMPMFont(), true, true,
                 aaAntiAlias);

    const int W = FBKGCache->GetWidth(), H = FBKGCache->GetHeight();
    if (FFrame->GetWidth() != W || FFrame->GetHeight() != H) FFrame->SetSize(W, H);
    TCanvas* FC = FFrame->GetCanvas();
    int Top = ToAM ? IH : 0;
    for (int Step = 0; Step < IH; ++Step) {
        Blit(FC->GetHandle(), W, H, DCOf(FBKGCache.get()));
        BitBlt(FC->GetHandle(), I.Left, I.Top, IW, IH, SC->GetHandle(), 0, Top, SRCCOPY);
        if (Shown(A->GetAMPMBorderColor())) {
            FC->GetBrush()->SetStyle(bsClear);
            FC->GetPen()->SetStyle(psSolid);
            FC->GetPen()->SetColor(A->GetAMPMBorderColor());
            if (A->GetAMPMFrame() == apRect) FC->Rectangle(B);
            else FC->RoundRect(B, AMPMCorner, AMPMCorner);
        }
        {
            TPixelGraphics g(FFrame.get());
            DrawNeedles(g.Get(), nullptr);
        }
        ShowFrame(FFrame.get());
        Top += ToAM ? -1 : 1;
        if (SleepProc) SleepProc(SlideFrameMs);
        else Sleep(SlideFrameMs);
    }
}
