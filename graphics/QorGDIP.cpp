// GDI+ start-up and shutdown, the object base, the value routines and the drawing surface.
#include "QorGDIP.h"

#include "framework/Math.h"
#include "framework/SysUtils.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

// ---------------------------------------------------------------------------------------------
// The flat API as this file calls it (documented signatures; handles are opaque)

namespace {
struct GdiplusStartupInput {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};
using NotificationHookProc = Status(WINAPI*)(ULONG_PTR* token);
using NotificationUnhookProc = void(WINAPI*)(ULONG_PTR token);
struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook;
    NotificationUnhookProc NotificationUnhook;
};
}  // namespace

extern "C" {
Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                             GdiplusStartupOutput* output);
void WINAPI GdiplusShutdown(ULONG_PTR token);
void* WINAPI GdipAlloc(size_t size);
void WINAPI GdipFree(void* ptr);

Status WINAPI GdipCreateFromHDC(HDC hdc, GpHandle* graphics);
Status WINAPI GdipGetImageGraphicsContext(GpHandle image, GpHandle* graphics);
Status WINAPI GdipDeleteGraphics(GpHandle graphics);
Status WINAPI GdipFlush(GpHandle graphics, int intention);
Status WINAPI GdipGraphicsClear(GpHandle graphics, ARGB color);
Status WINAPI GdipGetDC(GpHandle graphics, HDC* hdc);
Status WINAPI GdipReleaseDC(GpHandle graphics, HDC hdc);
Status WINAPI GdipSetTextRenderingHint(GpHandle graphics, int mode);
Status WINAPI GdipGetTextRenderingHint(GpHandle graphics, int* mode);
Status WINAPI GdipSetSmoothingMode(GpHandle graphics, int mode);
Status WINAPI GdipGetSmoothingMode(GpHandle graphics, int* mode);
Status WINAPI GdipSetCompositingQuality(GpHandle graphics, int quality);
Status WINAPI GdipGetCompositingQuality(GpHandle graphics, int* quality);
Status WINAPI GdipSetWorldTransform(GpHandle graphics, GpHandle matrix);
Status WINAPI GdipMultiplyWorldTransform(GpHandle graphics, GpHandle matrix, int order);
Status WINAPI GdipTranslateWorldTransform(GpHandle graphics, float dx, float dy, int order);
Status WINAPI GdipRotateWorldTransform(GpHandle graphics, float angle, int order);
Status WINAPI GdipScaleWorldTransform(GpHandle graphics, float sx, float sy, int order);
Status WINAPI GdipResetWorldTransform(GpHandle graphics);
Status WINAPI GdipSetClipRegion(GpHandle graphics, GpHandle region, int mode);
Status WINAPI GdipSetClipPath(GpHandle graphics, GpHandle path, int mode);
Status WINAPI GdipSetClipRect(GpHandle graphics, float x, float y, float w, float h, int mode);
Status WINAPI GdipResetClip(GpHandle graphics);
Status WINAPI GdipDrawLine(GpHandle graphics, GpHandle pen, float x1, float y1, float x2, float y2);
Status WINAPI GdipDrawRectangle(GpHandle graphics, GpHandle pen, float x, float y, float w, float h);
Status WINAPI GdipDrawEllipse(GpHandle graphics, GpHandle pen, float x, float y, float w, float h);
Status WINAPI GdipDrawEllipseI(GpHandle graphics, GpHandle pen, INT x, INT y, INT w, INT h);
Status WINAPI GdipDrawArc(GpHandle graphics, GpHandle pen, float x, float y, float w, float h,
                          float start, float sweep);
Status WINAPI GdipDrawBezier(GpHandle graphics, GpHandle pen, float x1, float y1, float x2, float y2,
                             float x3, float y3, float x4, float y4);
Status WINAPI GdipDrawBeziers(GpHandle graphics, GpHandle pen, const TGPPointF* points, INT count);
Status WINAPI GdipDrawPath(GpHandle graphics, GpHandle pen, GpHandle path);
Status WINAPI GdipFillRectangle(GpHandle graphics, GpHandle brush, float x, float y, float w, float h);
Status WINAPI GdipFillEllipse(GpHandle graphics, GpHandle brush, float x, float y, float w, float h);
Status WINAPI GdipFillEllipseI(GpHandle graphics, GpHandle brush, INT x, INT y, INT w, INT h);
Status WINAPI GdipFillPolygon(GpHandle graphics, GpHandle brush, const TGPPointF* points, INT count,
                              int fillMode);
Status WINAPI GdipFillPolygonI(GpHandle graphics, GpHandle brush, const TGPPoint* points, INT count,
                               int fillMode);
Status WINAPI GdipFillPath(GpHandle graphics, GpHandle brush, GpHandle path);
Status WINAPI GdipDrawImageRect(GpHandle graphics, GpHandle image, float x, float y, float w, float h);
Status WINAPI GdipDrawImageI(GpHandle graphics, GpHandle image, INT x, INT y);
Status WINAPI GdipDrawImageRectRect(GpHandle graphics, GpHandle image, float dstx, float dsty,
                                    float dstwidth, float dstheight, float srcx, float srcy,
                                    float srcwidth, float srcheight, int srcUnit,
                                    GpHandle imageAttributes, DrawImageAbort callback,
                                    void* callbackData);
Status WINAPI GdipMeasureString(GpHandle graphics, const WCHAR* string, INT length, GpHandle font,
                                const TGPRectF* layoutRect, GpHandle stringFormat,
                                TGPRectF* boundingBox, INT* codepointsFitted, INT* linesFilled);
Status WINAPI GdipDrawString(GpHandle graphics, const WCHAR* string, INT length, GpHandle font,
                             const TGPRectF* layoutRect, GpHandle stringFormat, GpHandle brush);
}

// ---------------------------------------------------------------------------------------------
// Start-up and shutdown

namespace {

GdiplusStartupInput StartupInput{};
GdiplusStartupOutput StartupOutput{};
ULONG_PTR gdiplusToken = 0;
ULONG_PTR HookToken = 0;
// The token of a renewed start-up made by an allocation that came before the unit's own; it is
// shut down at exit like the first, so that each start-up is matched by one shutdown.
ULONG_PTR RenewedToken = 0;
bool RenewedStarted = false;
Status StartupStatus = GdiplusNotInitialized;

void FillStartupRecords()
{
    StartupInput.GdiplusVersion = 1;
    StartupInput.DebugEventCallback = nullptr;
    StartupInput.SuppressBackgroundThread = BOOL(-1);   // true, all bits set
    StartupInput.SuppressExternalCodecs = FALSE;
    StartupOutput.NotificationHook = nullptr;
    StartupOutput.NotificationUnhook = nullptr;
}

struct TGdiplusUnit {
    TGdiplusUnit()
    {
        FillStartupRecords();
        StartupStatus = GdiplusStartup(&gdiplusToken, &StartupInput, &StartupOutput);
        if (!IsWinVista() && StartupOutput.NotificationHook)
            StartupOutput.NotificationHook(&HookToken);
    }
    ~TGdiplusUnit()
    {
        if (IsLibrary()) return;
        if (!IsWinVista() && StartupOutput.NotificationUnhook)
            StartupOutput.NotificationUnhook(HookToken);
        if (StartupStatus == Ok) GdiplusShutdown(gdiplusToken);
        if (RenewedStarted) GdiplusShutdown(RenewedToken);
    }
};

TGdiplusUnit GdiplusUnit;

}  // namespace

const int QorGDIPUnit::Linked = 1;

bool GdiplusStarted() { return StartupStatus == Ok; }

bool IsWinVista() { return Win32MajorVersion() >= 6; }

// ---------------------------------------------------------------------------------------------
// Object base

void* TGdiplusBase::operator new(std::size_t Size)
{
    void* P = GdipAlloc(Size);
    if (!P && !RenewedStarted) {
        // GDI+ may not be running yet (a wrapper made before the unit's own start-up): start it
        // into a token of its own and try once more.
        GdiplusStartupInput Input{};
        GdiplusStartupOutput Output{};
        Input.GdiplusVersion = 1;
        Input.SuppressBackgroundThread = BOOL(-1);
        if (GdiplusStartup(&RenewedToken, &Input, &Output) == Ok) RenewedStarted = true;
        P = GdipAlloc(Size);
    }
    if (!P) throw std::bad_alloc();
    std::memset(P, 0, Size);
    return P;
}

void TGdiplusBase::operator delete(void* P) noexcept
{
    if (P) GdipFree(P);
}

// ---------------------------------------------------------------------------------------------
// Value routines

ARGB ColorToARGB(TColor Color)
{
    const auto Rgb = static_cast<std::uint32_t>(ColorToRGB(Color));
    const std::uint32_t R = Rgb & 0xFF, G = (Rgb >> 8) & 0xFF, B = (Rgb >> 16) & 0xFF;
    return 0xFF000000u | (R << 16) | (G << 8) | B;
}

ARGB MakeColor(Byte a, Byte r, Byte g, Byte b)
{
    return (ARGB(a) << 24) | (ARGB(r) << 16) | (ARGB(g) << 8) | ARGB(b);
}

ARGB MakeColor(Byte r, Byte g, Byte b) { return MakeColor(255, r, g, b); }
Byte GetAlpha(ARGB color) { return Byte(color >> 24); }
Byte GetRed(ARGB color) { return Byte(color >> 16); }
Byte GetGreen(ARGB color) { return Byte(color >> 8); }
Byte GetBlue(ARGB color) { return Byte(color); }
TGPPoint MakePoint(int X, int Y) { return TGPPoint{X, Y}; }
TGPPointF MakePoint(float X, float Y) { return TGPPointF{X, Y}; }
TGPRectF MakeRect(float x, float y, float width, float height) { return TGPRectF{x, y, width, height}; }
TGPRect MakeRect(int x, int y, int width, int height) { return TGPRect{x, y, width, height}; }

// ---------------------------------------------------------------------------------------------
// Drawing surface
//
// The operations that accept nil for a wrapper argument answer InvalidParameter for it without
// calling GDI+: some GDI+ builds read through the null handle instead of refusing it.

namespace {
template <class T>
GpHandle PenOf(T* Obj) { return Obj ? Obj->nativePen : nullptr; }
GpHandle BrushOf(TGPBrush* Obj) { return Obj ? Obj->nativeBrush : nullptr; }
GpHandle PathOf(TGPGraphicsPath* Obj) { return Obj ? Obj->nativePath : nullptr; }
GpHandle ImageOf(TGPImage* Obj) { return Obj ? Obj->nativeImage : nullptr; }
GpHandle FontOf(TGPFont* Obj) { return Obj ? Obj->nativeFont : nullptr; }
GpHandle FormatOf(TGPStringFormat* Obj) { return Obj ? Obj->nativeFormat : nullptr; }
GpHandle AttrOf(TGPImageAttributes* Obj) { return Obj ? Obj->nativeImageAttr : nullptr; }

// Round to the nearest integer, halves to even.
int RoundEven(double X) { return static_cast<int>(std::nearbyint(X)); }
}  // namespace

TGPGraphics::TGPGraphics(HDC hdc)
{
    lastResult = GdipCreateFromHDC(hdc, &nativeGraphics);
}

TGPGraphics::TGPGraphics(TGPImage* image)
{
    if (image) lastResult = GdipGetImageGraphicsContext(image->nativeImage, &nativeGraphics);
}

TGPGraphics::~TGPGraphics()
{
    if (nativeGraphics) GdipDeleteGraphics(nativeGraphics);
}

TGPGraphics* TGPGraphics::FromImage(TGPImage* image) { return new TGPGraphics(image); }

Status TGPGraphics::SetStatus(Status status)
{
    if (status != Ok) lastResult = status;
    return status;
}

Status TGPGraphics::GetLastStatus()
{
    Status S = lastResult;
    lastResult = Ok;
    return S;
}

void TGPGraphics::Flush(FlushIntention intention) { GdipFlush(nativeGraphics, intention); }
Status TGPGraphics::Clear(ARGB color) { return SetStatus(GdipGraphicsClear(nativeGraphics, color)); }

HDC TGPGraphics::GetHDC()
{
    HDC Dc = nullptr;
    SetStatus(GdipGetDC(nativeGraphics, &Dc));
    return Dc;
}

Status TGPGraphics::ReleaseHDC(HDC hdc) { return SetStatus(GdipReleaseDC(nativeGraphics, hdc)); }

Status TGPGraphics::SetTextRenderingHint(TextRenderingHint newMode)
{
    return SetStatus(GdipSetTextRenderingHint(nativeGraphics, newMode));
}

TextRenderingHint TGPGraphics::GetTextRenderingHint()
{
    int Mode = TextRenderingHintSystemDefault;
    SetStatus(GdipGetTextRenderingHint(nativeGraphics, &Mode));
    return TextRenderingHint(Mode);
}

Status TGPGraphics::SetSmoothingMode(int smoothingMode)
{
    return SetStatus(GdipSetSmoothingMode(nativeGraphics, smoothingMode));
}

int TGPGraphics::GetSmoothingMode()
{
    int Mode = SmoothingModeInvalid;
    SetStatus(GdipGetSmoothingMode(nativeGraphics, &Mode));
    return Mode;
}

Status TGPGraphics::SetCompositingQuality(int compositingQuality)
{
    return SetStatus(GdipSetCompositingQuality(nativeGraphics, compositingQuality));
}

int TGPGraphics::GetCompositingQuality()
{
    int Quality = 0;
    SetStatus(GdipGetCompositingQuality(nativeGraphics, &Quality));
    return Quality;
}

Status TGPGraphics::SetTransform(TGPMatrix* matrix)
{
    return SetStatus(GdipSetWorldTransform(nativeGraphics, matrix->nativeMatrix));
}

Status TGPGraphics::MultiplyTransform(TGPMatrix* matrix, MatrixOrder order)
{
    return SetStatus(GdipMultiplyWorldTransform(nativeGraphics, matrix->nativeMatrix, order));
}

Status TGPGraphics::TranslateTransform(float dx, float dy, MatrixOrder order)
{
    return SetStatus(GdipTranslateWorldTransform(nativeGraphics, dx, dy, order));
}

Status TGPGraphics::RotateTransform(float angle, MatrixOrder order)
{
    return SetStatus(GdipRotateWorldTransform(nativeGraphics, angle, order));
}

Status TGPGraphics::ScaleTransform(float sx, float sy, MatrixOrder order)
{
    return SetStatus(GdipScaleWorldTransform(nativeGraphics, sx, sy, order));
}

Status TGPGraphics::ResetTransform() { return SetStatus(GdipResetWorldTransform(nativeGraphics)); }

Status TGPGraphics::SetClip(TGPRegion* region, CombineMode combineMode)
{
    return SetStatus(GdipSetClipRegion(nativeGraphics, region->nativeRegion, combineMode));
}

Status TGPGraphics::SetClip(TGPGraphicsPath* path, CombineMode combineMode)
{
    return SetStatus(GdipSetClipPath(nativeGraphics, path->nativePath, combineMode));
}

Status TGPGraphics::ExcludeClip(const TGPRectF& rect)
{
    return SetStatus(GdipSetClipRect(nativeGraphics, rect.X, rect.Y, rect.Width, rect.Height,
                                     CombineModeExclude));
}

Status TGPGraphics::ExcludeClip(TGPRegion* region)
{
    return SetStatus(GdipSetClipRegion(nativeGraphics, region->nativeRegion, CombineModeExclude));
}

Status TGPGraphics::ResetClip() { return SetStatus(GdipResetClip(nativeGraphics)); }

Status TGPGraphics::DrawLine(TGPPen* pen, float x1, float y1, float x2, float y2)
{
    return SetStatus(GdipDrawLine(nativeGraphics, pen->nativePen, x1, y1, x2, y2));
}

Status TGPGraphics::DrawRectangle(TGPPen* pen, const TGPRectF& rect)
{
    return DrawRectangle(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphics::DrawRectangle(TGPPen* pen, float x, float y, float width, float height)
{
    return SetStatus(GdipDrawRectangle(nativeGraphics, pen->nativePen, x, y, width, height));
}

Status TGPGraphics::DrawEllipse(TGPPen* pen, const TGPRectF& rect)
{
    return DrawEllipse(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphics::DrawEllipse(TGPPen* pen, float x, float y, float width, float height)
{
    return SetStatus(GdipDrawEllipse(nativeGraphics, pen->nativePen, x, y, width, height));
}

Status TGPGraphics::DrawEllipse(TGPPen* pen, const TGPRect& rect)
{
    return DrawEllipse(pen, int(rect.X), int(rect.Y), int(rect.Width), int(rect.Height));
}

Status TGPGraphics::DrawEllipse(TGPPen* pen, int x, int y, int width, int height)
{
    return SetStatus(GdipDrawEllipseI(nativeGraphics, pen->nativePen, x, y, width, height));
}

Status TGPGraphics::DrawArc(TGPPen* pen, const TGPRectF& rect, float startAngle, float sweepAngle)
{
    return DrawArc(pen, rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}

Status TGPGraphics::DrawArc(TGPPen* pen, float x, float y, float width, float height,
                            float startAngle, float sweepAngle)
{
    return SetStatus(
        GdipDrawArc(nativeGraphics, pen->nativePen, x, y, width, height, startAngle, sweepAngle));
}

Status TGPGraphics::DrawBezier(TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2,
                               const TGPPointF& pt3, const TGPPointF& pt4)
{
    return DrawBezier(pen, pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}

Status TGPGraphics::DrawBezier(TGPPen* pen, float x1, float y1, float x2, float y2, float x3,
                               float y3, float x4, float y4)
{
    return SetStatus(
        GdipDrawBezier(nativeGraphics, pen->nativePen, x1, y1, x2, y2, x3, y3, x4, y4));
}

Status TGPGraphics::DrawBeziers(TGPPen* pen, const TGPPointF* points, int count)
{
    return SetStatus(GdipDrawBeziers(nativeGraphics, pen->nativePen, points, count));
}

Status TGPGraphics::DrawPath(TGPPen* pen, TGPGraphicsPath* path)
{
    if (!pen || !path) return SetStatus(InvalidParameter);
    return SetStatus(GdipDrawPath(nativeGraphics, PenOf(pen), PathOf(path)));
}

Status TGPGraphics::FillRectangle(TGPBrush* brush, const TGPRectF& rect)
{
    return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphics::FillRectangle(TGPBrush* brush, float x, float y, float width, float height)
{
    return SetStatus(GdipFillRectangle(nativeGraphics, brush->nativeBrush, x, y, width, height));
}

Status TGPGraphics::FillEllipse(TGPBrush* brush, const TGPRectF& rect)
{
    return FillEllipse(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphics::FillEllipse(TGPBrush* brush, float x, float y, float width, float height)
{
    return SetStatus(GdipFillEllipse(nativeGraphics, brush->nativeBrush, x, y, width, height));
}

Status TGPGraphics::FillEllipse(TGPBrush* brush, const TGPRect& rect)
{
    return FillEllipse(brush, int(rect.X), int(rect.Y), int(rect.Width), int(rect.Height));
}

Status TGPGraphics::FillEllipse(TGPBrush* brush, int x, int y, int width, int height)
{
    return SetStatus(GdipFillEllipseI(nativeGraphics, brush->nativeBrush, x, y, width, height));
}

Status TGPGraphics::FillPolygon(TGPBrush* brush, const TGPPointF* points, int count, FillMode fillMode)
{
    return SetStatus(GdipFillPolygon(nativeGraphics, brush->nativeBrush, points, count, fillMode));
}

Status TGPGraphics::FillPolygon(TGPBrush* brush, const TGPPoint* points, int count, FillMode fillMode)
{
    return SetStatus(GdipFillPolygonI(nativeGraphics, brush->nativeBrush, points, count, fillMode));
}

Status TGPGraphics::FillPath(TGPBrush* brush, TGPGraphicsPath* path)
{
    return SetStatus(GdipFillPath(nativeGraphics, brush->nativeBrush, path->nativePath));
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPRectF& rect)
{
    return DrawImage(image, rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphics::DrawImage(TGPImage* image, float x, float y, float width, float height)
{
    if (!image) return SetStatus(InvalidParameter);
    return SetStatus(GdipDrawImageRect(nativeGraphics, ImageOf(image), x, y, width, height));
}

Status TGPGraphics::DrawImage(TGPImage* image, int x, int y)
{
    if (!image) return SetStatus(InvalidParameter);
    return SetStatus(GdipDrawImageI(nativeGraphics, ImageOf(image), x, y));
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPRectF& destRect, float srcx, float srcy,
                              float srcwidth, float srcheight, Unit_ srcUnit,
                              TGPImageAttributes* imageAttributes, DrawImageAbort callback,
                              void* callbackData)
{
    if (!image) return SetStatus(InvalidParameter);
    return SetStatus(GdipDrawImageRectRect(nativeGraphics, ImageOf(image), destRect.X, destRect.Y,
                                           destRect.Width, destRect.Height, srcx, srcy, srcwidth,
                                           srcheight, srcUnit, AttrOf(imageAttributes), callback,
                                           callbackData));
}

Status TGPGraphics::DrawImageRect(TGPImage* image, int x, int y, int w, int h)
{
    if (!image) return SetStatus(InvalidParameter);
    return SetStatus(GdipDrawImageRect(nativeGraphics, ImageOf(image), float(x), float(y),
                                       float(w), float(h)));
}

Status TGPGraphics::DrawImageRect(TGPImage* image, const TGPRectF& ARect)
{
    return DrawImageRect(image, RoundEven(ARect.X), RoundEven(ARect.Y), RoundEven(ARect.Width),
                         RoundEven(ARect.Height));
}

Status TGPGraphics::MeasureString(const wchar_t* string_, int length, TGPFont* font,
                                  const TGPRectF& layoutRect, TGPStringFormat* stringFormat,
                                  TGPRectF& boundingBox, int* codepointsFitted, int* linesFilled)
{
    if (!string_ || !font) return SetStatus(InvalidParameter);
    return SetStatus(GdipMeasureString(nativeGraphics, string_, length, FontOf(font), &layoutRect,
                                       FormatOf(stringFormat), &boundingBox, codepointsFitted,
                                       linesFilled));
}

Status TGPGraphics::MeasureString(const wchar_t* string_, int length, TGPFont* font,
                                  const TGPPointF& origin, TGPStringFormat* stringFormat,
                                  TGPRectF& boundingBox)
{
    const TGPRectF Layout{origin.X, origin.Y, 0, 0};
    return MeasureString(string_, length, font, Layout, stringFormat, boundingBox);
}

Status TGPGraphics::MeasureString(const wchar_t* string_, int length, TGPFont* font,
                                  const TGPRectF& layoutRect, TGPRectF& boundingBox)
{
    return MeasureString(string_, length, font, layoutRect, nullptr, boundingBox);
}

Status TGPGraphics::DrawString(const wchar_t* string_, int length, TGPFont* font,
                               const TGPPointF& origin, TGPStringFormat* stringFormat,
                               TGPBrush* brush)
{
    const TGPRectF Layout{origin.X, origin.Y, 0, 0};
    return DrawString(string_, length, font, Layout, stringFormat, brush);
}

Status TGPGraphics::DrawString(const wchar_t* string_, int length, TGPFont* font,
                               const TGPPointF& origin, TGPBrush* brush)
{
    return DrawString(string_, length, font, origin, nullptr, brush);
}

Status TGPGraphics::DrawString(const wchar_t* string_, int length, TGPFont* font,
                               const TGPRectF& layoutRect, TGPStringFormat* stringFormat,
                               TGPBrush* brush)
{
    // The text goes to GDI+ from a zero-terminated copy, cut to length characters when a count
    // is given, so that drawing and measuring agree on what the text is.
    if (!string_ || !font || !brush) return SetStatus(InvalidParameter);
    std::wstring Text(string_);
    if (length >= 0 && size_t(length) < Text.size()) Text.resize(size_t(length));
    return SetStatus(GdipDrawString(nativeGraphics, Text.c_str(), int(Text.size()), FontOf(font),
                                     &layoutRect, FormatOf(stringFormat), BrushOf(brush)));
}

Status TGPGraphics::DrawString(const String& string_, int length, TGPFont* font,
                               const TGPRectF& layoutRect, TGPStringFormat* stringFormat,
                               TGPBrush* brush)
{
    return DrawString(string_.c_str(), length, font, layoutRect, stringFormat, brush);
}

// ---------------------------------------------------------------------------------------------
// A framework font through GDI+

TGPFont* TGPGraphics::MakeFont(TFont* AFont)
{
    auto Family = std::make_unique<TGPFontFamily>(AFont->GetName());
    if (Family->lastResult == FontFamilyNotFound || Family->lastResult == FontStyleNotFound)
        Family = std::make_unique<TGPFontFamily>(L"Arial");
    int Style = FontStyleRegular;
    const TFontStyles S = AFont->GetStyle();
    if (S.Contains(fsBold)) Style |= FontStyleBold;
    if (S.Contains(fsItalic)) Style |= FontStyleItalic;
    if (S.Contains(fsUnderline)) Style |= FontStyleUnderline;
    if (S.Contains(fsStrikeOut)) Style |= FontStyleStrikeout;
    return new TGPFont(Family.get(), float(AFont->GetSize()), Style, UnitPoint);
}

int TGPGraphics::TextWidth(const String& string_, TFont* font)
{
    std::unique_ptr<TGPFont> GpFont(MakeFont(font));
    TGPRectF Box;
    MeasureString(string_.c_str(), int(string_.size()), GpFont.get(), TGPRectF{0, 0, 10000, 10000}, Box);
    return RoundEven(Box.Width);
}

int TGPGraphics::TextHeight(const String& string_, TFont* font)
{
    std::unique_ptr<TGPFont> GpFont(MakeFont(font));
    TGPRectF Box;
    MeasureString(string_.c_str(), int(string_.size()), GpFont.get(), TGPRectF{0, 0, 10000, 10000}, Box);
    return RoundEven(Box.Height);
}

int TGPGraphics::DrawText(const String& string_, int len, TRect& rect, TFont* font, UINT style,
                          TColor bkColor)
{
    std::unique_ptr<TGPFont> GpFont(MakeFont(font));
    const bool CalcRect = (style & DT_CALCRECT) != 0;
    if (CalcRect || bkColor != clNone) {
        const int Size = font->GetSize();
        const int Margin = Size > 8 ? 2 + RoundEven((Size - 8) / 1.5) : 2;
        // A trailing space is measured by standing in an "i" for it.
        String Copy = string_;
        if (Copy.size() > 1 && Copy.back() == L' ') Copy.back() = L'i';
        TGPRectF Box;
        const TGPRectF Layout{float(rect.Left), float(rect.Top),
                              float(rect.Right - rect.Left + 1000), float(rect.Bottom - rect.Top)};
        const int Count = (len < 0 || size_t(len) > Copy.size()) ? int(Copy.size()) : len;
        MeasureString(Copy.c_str(), Count, GpFont.get(), Layout, Box);
        rect.Right = rect.Left + RoundEven(Box.Width - Margin);
        rect.Bottom = rect.Top + RoundEven(Box.Height);
        if (bkColor != clNone) {
            TGPSolidBrush Back(ColorToARGB(bkColor));
            FillRectangle(&Back, float(rect.Left + 1), float(rect.Top), Box.Width - Margin + 1,
                          Box.Height);
        }
    }
    if (!CalcRect) {
        TGPSolidBrush Ink(ColorToARGB(font->GetColor()));
        DrawString(string_.c_str(), len, GpFont.get(), TGPPointF{float(rect.Left), float(rect.Top)}, &Ink);
    }
    return rect.Bottom - rect.Top;
}
