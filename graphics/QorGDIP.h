// The GDI+ object layer: one wrapper class per GDI+ object kind over the flat API of gdiplus.dll.
// Every wrapper owns one native handle, forwards each operation to one flat-API function and
// records a failing status instead of raising. The unit starts GDI+ for the process at start-up
// and shuts it down at exit.
#pragma once

#include "framework/Graphics.h"

#include <objidl.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------------------------
// Values handed to GDI+ unchanged (GDI+'s names and values)

enum Status {
    Ok = 0, GenericError = 1, InvalidParameter = 2, OutOfMemory = 3, ObjectBusy = 4,
    InsufficientBuffer = 5, NotImplemented = 6, Win32Error = 7, WrongState = 8, Aborted = 9,
    FileNotFound = 10, ValueOverflow = 11, AccessDenied = 12, UnknownImageFormat = 13,
    FontFamilyNotFound = 14, FontStyleNotFound = 15, NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17, GdiplusNotInitialized = 18, PropertyNotFound = 19,
    PropertyNotSupported = 20
};

enum TextRenderingHint {
    TextRenderingHintSystemDefault = 0, TextRenderingHintSingleBitPerPixelGridFit = 1,
    TextRenderingHintSingleBitPerPixel = 2, TextRenderingHintAntiAliasGridFit = 3,
    TextRenderingHintAntiAlias = 4, TextRenderingHintClearTypeGridFit = 5
};
enum MatrixOrder { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };
enum CombineMode {
    CombineModeReplace = 0, CombineModeIntersect = 1, CombineModeUnion = 2, CombineModeXor = 3,
    CombineModeExclude = 4, CombineModeComplement = 5
};
enum FillMode { FillModeAlternate = 0, FillModeWinding = 1 };
enum Unit_ {
    UnitWorld = 0, UnitDisplay = 1, UnitPixel = 2, UnitPoint = 3, UnitInch = 4, UnitDocument = 5,
    UnitMillimeter = 6
};
enum FlushIntention { FlushIntentionFlush = 0, FlushIntentionSync = 1 };
enum StringAlignment { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };
enum StringTrimming {
    StringTrimmingNone = 0, StringTrimmingCharacter = 1, StringTrimmingWord = 2,
    StringTrimmingEllipsisCharacter = 3, StringTrimmingEllipsisWord = 4, StringTrimmingEllipsisPath = 5
};
enum HotkeyPrefix { HotkeyPrefixNone = 0, HotkeyPrefixShow = 1, HotkeyPrefixHide = 2 };
enum DashStyle {
    DashStyleSolid = 0, DashStyleDash = 1, DashStyleDot = 2, DashStyleDashDot = 3,
    DashStyleDashDotDot = 4, DashStyleCustom = 5
};
enum LineCap {
    LineCapFlat = 0, LineCapSquare = 1, LineCapRound = 2, LineCapTriangle = 3,
    LineCapNoAnchor = 0x10, LineCapSquareAnchor = 0x11, LineCapRoundAnchor = 0x12,
    LineCapDiamondAnchor = 0x13, LineCapArrowAnchor = 0x14, LineCapCustom = 0xFF,
    LineCapAnchorMask = 0xF0
};
enum WrapMode {
    WrapModeTile = 0, WrapModeTileFlipX = 1, WrapModeTileFlipY = 2, WrapModeTileFlipXY = 3,
    WrapModeClamp = 4
};
enum LinearGradientMode {
    LinearGradientModeHorizontal = 0, LinearGradientModeVertical = 1,
    LinearGradientModeForwardDiagonal = 2, LinearGradientModeBackwardDiagonal = 3
};
enum HatchStyle {
    HatchStyleHorizontal, HatchStyleVertical, HatchStyleForwardDiagonal, HatchStyleBackwardDiagonal,
    HatchStyleCross, HatchStyleDiagonalCross, HatchStyle05Percent, HatchStyle10Percent,
    HatchStyle20Percent, HatchStyle25Percent, HatchStyle30Percent, HatchStyle40Percent,
    HatchStyle50Percent, HatchStyle60Percent, HatchStyle70Percent, HatchStyle75Percent,
    HatchStyle80Percent, HatchStyle90Percent, HatchStyleLightDownwardDiagonal,
    HatchStyleLightUpwardDiagonal, HatchStyleDarkDownwardDiagonal, HatchStyleDarkUpwardDiagonal,
    HatchStyleWideDownwardDiagonal, HatchStyleWideUpwardDiagonal, HatchStyleLightVertical,
    HatchStyleLightHorizontal, HatchStyleNarrowVertical, HatchStyleNarrowHorizontal,
    HatchStyleDarkVertical, HatchStyleDarkHorizontal, HatchStyleDashedDownwardDiagonal,
    HatchStyleDashedUpwardDiagonal, HatchStyleDashedHorizontal, HatchStyleDashedVertical,
    HatchStyleSmallConfetti, HatchStyleLargeConfetti, HatchStyleZigZag, HatchStyleWave,
    HatchStyleDiagonalBrick, HatchStyleHorizontalBrick, HatchStyleWeave, HatchStylePlaid,
    HatchStyleDivot, HatchStyleDottedGrid, HatchStyleDottedDiamond, HatchStyleShingle,
    HatchStyleTrellis, HatchStyleSphere, HatchStyleSmallGrid, HatchStyleSmallCheckerBoard,
    HatchStyleLargeCheckerBoard, HatchStyleOutlinedDiamond, HatchStyleSolidDiamond,
    HatchStyleTotal,
    HatchStyleLargeGrid = HatchStyleCross,
    HatchStyleMin = HatchStyleHorizontal,
    HatchStyleMax = HatchStyleTotal - 1
};
enum RotateFlipType {
    RotateNoneFlipNone = 0, Rotate90FlipNone = 1, Rotate180FlipNone = 2, Rotate270FlipNone = 3,
    RotateNoneFlipX = 4, Rotate90FlipX = 5, Rotate180FlipX = 6, Rotate270FlipX = 7,
    RotateNoneFlipY = Rotate180FlipX, Rotate90FlipY = Rotate270FlipX,
    Rotate180FlipY = RotateNoneFlipX, Rotate270FlipY = Rotate90FlipX,
    RotateNoneFlipXY = Rotate180FlipNone, Rotate90FlipXY = Rotate270FlipNone,
    Rotate180FlipXY = RotateNoneFlipNone, Rotate270FlipXY = Rotate90FlipNone
};
enum ColorAdjustType {
    ColorAdjustTypeDefault = 0, ColorAdjustTypeBitmap = 1, ColorAdjustTypeBrush = 2,
    ColorAdjustTypePen = 3, ColorAdjustTypeText = 4, ColorAdjustTypeCount = 5, ColorAdjustTypeAny = 6
};
enum ColorMatrixFlags { ColorMatrixFlagsDefault = 0, ColorMatrixFlagsSkipGrays = 1, ColorMatrixFlagsAltGray = 2 };
enum ColorChannelFlags {
    ColorChannelFlagsC = 0, ColorChannelFlagsM = 1, ColorChannelFlagsY = 2, ColorChannelFlagsK = 3,
    ColorChannelFlagsLast = 4
};

// Font style bits, as GDI+ takes them.
enum FontStyle {
    FontStyleRegular = 0, FontStyleBold = 1, FontStyleItalic = 2, FontStyleBoldItalic = 3,
    FontStyleUnderline = 4, FontStyleStrikeout = 8
};

// Smoothing modes and compositing qualities travel as plain integers with GDI+'s values.
constexpr int SmoothingModeInvalid = -1;
constexpr int SmoothingModeDefault = 0;
constexpr int SmoothingModeHighSpeed = 1;
constexpr int SmoothingModeHighQuality = 2;
constexpr int SmoothingModeNone = 3;
constexpr int SmoothingModeAntiAlias = 4;
constexpr int CompositingQualityDefault = 0;
constexpr int CompositingQualityHighSpeed = 1;
constexpr int CompositingQualityHighQuality = 2;
constexpr int CompositingQualityGammaCorrected = 3;
constexpr int CompositingQualityAssumeLinear = 4;

// Pixel formats (GDI+'s values): bits 8-15 hold the depth, bit 16 marks a palette, bit 18 alpha.
using PixelFormat = std::int32_t;
constexpr PixelFormat PixelFormat1bppIndexed = 0x00030101;
constexpr PixelFormat PixelFormat8bppIndexed = 0x00030803;
constexpr PixelFormat PixelFormat24bppRGB = 0x00021808;
constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;

// ---------------------------------------------------------------------------------------------
// Value records, laid out as GDI+ reads them

using ARGB = std::uint32_t;

struct TGPPoint { std::int32_t X = 0, Y = 0; };
struct TGPPointF { float X = 0, Y = 0; };
struct TGPRect { std::int32_t X = 0, Y = 0, Width = 0, Height = 0; };
struct TGPRectF { float X = 0, Y = 0, Width = 0, Height = 0; };

struct ColorMap { ARGB oldColor = 0, newColor = 0; };
struct ColorPalette { UINT Flags; UINT Count; ARGB Entries[1]; };
struct ColorMatrix { float m[5][5]; };
struct EncoderParameter { GUID Guid; ULONG NumberOfValues; ULONG Type; void* Value; };
struct EncoderParameters { UINT Count; EncoderParameter Parameter[1]; };

// Called by GDI+ during long image operations; true aborts.
using DrawImageAbort = BOOL(WINAPI*)(void* CallbackData);
using GetThumbnailImageAbort = DrawImageAbort;

// The layer's own image kinds.
enum TGPImageFormat {
    ifUndefined = 0, ifMemoryBMP, ifBMP, ifEMF, ifWMF, ifJPEG, ifPNG, ifGIF, ifTIFF, ifEXIF, ifIcon
};

extern const GUID ImageFormatUndefined;
extern const GUID ImageFormatMemoryBMP;
extern const GUID ImageFormatBMP;
extern const GUID ImageFormatEMF;
extern const GUID ImageFormatWMF;
extern const GUID ImageFormatJPEG;
extern const GUID ImageFormatPNG;
extern const GUID ImageFormatGIF;
extern const GUID ImageFormatTIFF;
extern const GUID ImageFormatEXIF;
extern const GUID ImageFormatIcon;

// ---------------------------------------------------------------------------------------------
// Value routines

ARGB ColorToARGB(TColor Color);
ARGB MakeColor(Byte a, Byte r, Byte g, Byte b);
ARGB MakeColor(Byte r, Byte g, Byte b);
Byte GetAlpha(ARGB color);
Byte GetRed(ARGB color);
Byte GetGreen(ARGB color);
Byte GetBlue(ARGB color);
TGPPoint MakePoint(int X, int Y);
TGPPointF MakePoint(float X, float Y);
TGPRectF MakeRect(float x, float y, float width, float height);
TGPRect MakeRect(int x, int y, int width, int height);

// True on Windows Vista and later (major version 6 or more).
bool IsWinVista();

// Start-up facts, for callers and tests: whether GdiplusStartup answered Ok at unit start-up.
bool GdiplusStarted();

// ---------------------------------------------------------------------------------------------
// Object base

// Every wrapper's base. Instance memory comes from GDI+'s allocator and starts zero-filled.
class TGdiplusBase : public TObject {
    DECLARE_CLASS(TGdiplusBase, TObject)
public:
    static void* operator new(std::size_t Size);
    static void operator delete(void* P) noexcept;
};

// Native handles are opaque to callers.
using GpHandle = void*;

class TGPMatrix;
class TGPRegion;
class TGPGraphicsPath;
class TGPPen;
class TGPBrush;
class TGPFont;
class TGPFontFamily;
class TGPFontCollection;
class TGPStringFormat;
class TGPImage;
class TGPImageAttributes;

// ---------------------------------------------------------------------------------------------
// Drawing surface

class TGPGraphics : public TGdiplusBase {
    DECLARE_CLASS(TGPGraphics, TGdiplusBase)
public:
    explicit TGPGraphics(HDC hdc);
    explicit TGPGraphics(TGPImage* image);
    ~TGPGraphics() override;
    static TGPGraphics* FromImage(TGPImage* image);

    Status SetStatus(Status status);
    Status GetLastStatus();

    void Flush(FlushIntention intention = FlushIntentionFlush);
    Status Clear(ARGB color);
    HDC GetHDC();
    Status ReleaseHDC(HDC hdc);
    Status SetTextRenderingHint(TextRenderingHint newMode);
    TextRenderingHint GetTextRenderingHint();
    Status SetSmoothingMode(int smoothingMode);
    int GetSmoothingMode();
    Status SetCompositingQuality(int compositingQuality);
    int GetCompositingQuality();

    Status SetTransform(TGPMatrix* matrix);
    Status MultiplyTransform(TGPMatrix* matrix, MatrixOrder order = MatrixOrderPrepend);
    Status TranslateTransform(float dx, float dy, MatrixOrder order = MatrixOrderPrepend);
    Status RotateTransform(float angle, MatrixOrder order = MatrixOrderPrepend);
    Status ScaleTransform(float sx, float sy, MatrixOrder order = MatrixOrderPrepend);
    Status ResetTransform();

    Status SetClip(TGPRegion* region, CombineMode combineMode = CombineModeReplace);
    Status SetClip(TGPGraphicsPath* path, CombineMode combineMode = CombineModeReplace);
    Status ExcludeClip(const TGPRectF& rect);
    Status ExcludeClip(TGPRegion* region);
    Status ResetClip();

    Status DrawLine(TGPPen* pen, float x1, float y1, float x2, float y2);
    Status DrawRectangle(TGPPen* pen, const TGPRectF& rect);
    Status DrawRectangle(TGPPen* pen, float x, float y, float width, float height);
    Status DrawEllipse(TGPPen* pen, const TGPRectF& rect);
    Status DrawEllipse(TGPPen* pen, float x, float y, float width, float height);
    Status DrawEllipse(TGPPen* pen, const TGPRect& rect);
    Status DrawEllipse(TGPPen* pen, int x, int y, int width, int height);
    Status DrawArc(TGPPen* pen, const TGPRectF& rect, float startAngle, float sweepAngle);
    Status DrawArc(TGPPen* pen, float x, float y, float width, float height, float startAngle,
                   float sweepAngle);
    Status DrawBezier(TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3,
                      const TGPPointF& pt4);
    Status DrawBezier(TGPPen* pen, float x1, float y1, float x2, float y2, float x3, float y3,
                      float x4, float y4);
    Status DrawBeziers(TGPPen* pen, const TGPPointF* points, int count);
    Status DrawPath(TGPPen* pen, TGPGraphicsPath* path);

    Status FillRectangle(TGPBrush* brush, const TGPRectF& rect);
    Status FillRectangle(TGPBrush* brush, float x, float y, float width, float height);
    Status FillEllipse(TGPBrush* brush, const TGPRectF& rect);
    Status FillEllipse(TGPBrush* brush, float x, float y, float width, float height);
    Status FillEllipse(TGPBrush* brush, const TGPRect& rect);
    Status FillEllipse(TGPBrush* brush, int x, int y, int width, int height);
    Status FillPolygon(TGPBrush* brush, const TGPPointF* points, int count,
                       FillMode fillMode = FillModeAlternate);
    Status FillPolygon(TGPBrush* brush, const TGPPoint* points, int count,
                       FillMode fillMode = FillModeAlternate);
    Status FillPath(TGPBrush* brush, TGPGraphicsPath* path);

    Status DrawImage(TGPImage* image, const TGPRectF& rect);
    Status DrawImage(TGPImage* image, float x, float y, float width, float height);
    Status DrawImage(TGPImage* image, int x, int y);
    Status DrawImage(TGPImage* image, const TGPRectF& destRect, float srcx, float srcy,
                     float srcwidth, float srcheight, Unit_ srcUnit,
                     TGPImageAttributes* imageAttributes = nullptr,
                     DrawImageAbort callback = nullptr, void* callbackData = nullptr);
    Status DrawImageRect(TGPImage* image, int x, int y, int w, int h);
    Status DrawImageRect(TGPImage* image, const TGPRectF& ARect);

    // length: a character count, or -1 for the whole string.
    Status MeasureString(const wchar_t* string_, int length, TGPFont* font,
                         const TGPRectF& layoutRect, TGPStringFormat* stringFormat,
                         TGPRectF& boundingBox, int* codepointsFitted = nullptr,
                         int* linesFilled = nullptr);
    Status MeasureString(const wchar_t* string_, int length, TGPFont* font, const TGPPointF& origin,
                         TGPStringFormat* stringFormat, TGPRectF& boundingBox);
    Status MeasureString(const wchar_t* string_, int length, TGPFont* font,
                         const TGPRectF& layoutRect, TGPRectF& boundingBox);
    // Draw length characters of the string (all of it for -1 or a count past its end).
    Status DrawString(const wchar_t* string_, int length, TGPFont* font, const TGPPointF& origin,
                      TGPStringFormat* stringFormat, TGPBrush* brush);
    Status DrawString(const wchar_t* string_, int length, TGPFont* font, const TGPPointF& origin,
                      TGPBrush* brush);
    Status DrawString(const wchar_t* string_, int length, TGPFont* font, const TGPRectF& layoutRect,
                      TGPStringFormat* stringFormat, TGPBrush* brush);
    Status DrawString(const String& string_, int length, TGPFont* font, const TGPRectF& layoutRect,
                      TGPStringFormat* stringFormat, TGPBrush* brush);

    // A framework font through GDI+.
    TGPFont* MakeFont(TFont* AFont);
    int TextWidth(const String& string_, TFont* font);
    int TextHeight(const String& string_, TFont* font);
    // The GDI+ counterpart of DrawText: only DT_CALCRECT is read from style; bkColor clNone
    // draws no background. Returns the height of the (updated) rectangle.
    int DrawText(const String& string_, int len, TRect& rect, TFont* font, UINT style,
                 TColor bkColor);

    GpHandle nativeGraphics = nullptr;
    Status lastResult = Ok;
};

// ---------------------------------------------------------------------------------------------
// Drawing objects

class TGPMatrix : public TGdiplusBase {
    DECLARE_CLASS(TGPMatrix, TGdiplusBase)
public:
    TGPMatrix();
    TGPMatrix(float m11, float m12, float m21, float m22, float dx, float dy);
    TGPMatrix(const TGPRectF& rect, const TGPPointF* dstplg);
    TGPMatrix(const TGPRect& rect, const TGPPoint* dstplg);
    explicit TGPMatrix(GpHandle nativeMatrix);
    ~TGPMatrix() override;

    Status SetStatus(Status status);
    Status GetLastStatus();

    TGPMatrix* Clone();
    Status GetElements(float* m);
    Status SetElements(float m11, float m12, float m21, float m22, float dx, float dy);
    float OffsetX();
    float OffsetY();
    Status Reset();
    Status Multiply(TGPMatrix* matrix, MatrixOrder order = MatrixOrderPrepend);
    Status Translate(float offsetX, float offsetY, MatrixOrder order = MatrixOrderPrepend);
    Status Scale(float scaleX, float scaleY, MatrixOrder order = MatrixOrderPrepend);
    Status Rotate(float angle, MatrixOrder order = MatrixOrderPrepend);
    Status RotateAt(float angle, const TGPPointF& center, MatrixOrder order = MatrixOrderPrepend);
    Status Shear(float shearX, float shearY, MatrixOrder order = MatrixOrderPrepend);
    Status Invert();
    Status TransformPoints(TGPPointF* pts, int count = 1);
    Status TransformPoints(TGPPoint* pts, int count = 1);
    Status TransformVectors(TGPPointF* pts, int count = 1);
    Status TransformVectors(TGPPoint* pts, int count = 1);
    bool IsInvertible();
    bool IsIdentity();

    GpHandle nativeMatrix = nullptr;
    Status lastResult = Ok;
};

class TGPStringFormat : public TGdiplusBase {
    DECLARE_CLASS(TGPStringFormat, TGdiplusBase)
public:
    explicit TGPStringFormat(int formatFlags = 0, LANGID language = LANG_NEUTRAL);
    explicit TGPStringFormat(TGPStringFormat* format);
    TGPStringFormat(GpHandle clonedStringFormat, Status status);
    ~TGPStringFormat() override;

    Status SetStatus(Status status);

    Status SetAlignment(StringAlignment align);
    StringAlignment GetAlignment();
    Status SetLineAlignment(StringAlignment align);
    StringAlignment GetLineAlignment();
    Status SetFormatFlags(int format);
    int GetFormatFlags();
    Status SetTrimming(StringTrimming trimming);
    StringTrimming GetTrimming();
    Status SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix);
    HotkeyPrefix GetHotkeyPrefix();

    GpHandle nativeFormat = nullptr;
    Status lastError = Ok;
};

class TGPBrush : public TGdiplusBase {
    DECLARE_CLASS(TGPBrush, TGdiplusBase)
public:
    // The base alone makes no native brush: status NotImplemented.
    TGPBrush();
    TGPBrush(GpHandle nativeBrush, Status status);
    ~TGPBrush() override;

    Status SetStatus(Status status);
    Status GetLastStatus();

    GpHandle nativeBrush = nullptr;
    Status lastResult = Ok;

protected:
    struct EmptyTag {};
    explicit TGPBrush(EmptyTag) {}
};

class TGPSolidBrush : public TGPBrush {
    DECLARE_CLASS(TGPSolidBrush, TGPBrush)
public:
    explicit TGPSolidBrush(ARGB color);
    TGPSolidBrush();   // empty wrapper: null handle, status Ok
    Status GetColor(ARGB& color);
    Status SetColor(ARGB color);
};

class TGPHatchBrush : public TGPBrush {
    DECLARE_CLASS(TGPHatchBrush, TGPBrush)
public:
    TGPHatchBrush(HatchStyle hatchStyle, ARGB foreColor, ARGB backColor = 0xFF000000);
    TGPHatchBrush();   // empty wrapper
    HatchStyle GetHatchStyle();
    Status GetForegroundColor(ARGB& color);
    Status GetBackgroundColor(ARGB& color);
};

class TGPTextureBrush : public TGPBrush {
    DECLARE_CLASS(TGPTextureBrush, TGPBrush)
public:
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode = WrapModeTile);
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRectF& dstRect);
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRect& dstRect);
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode, float dstX, float dstY, float dstWidth,
                    float dstHeight);
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode, int dstX, int dstY, int dstWidth,
                    int dstHeight);
    TGPTextureBrush(TGPImage* image, const TGPRectF& dstRect, TGPImageAttributes* imageAttributes);
    TGPTextureBrush(TGPImage* image, const TGPRect& dstRect, TGPImageAttributes* imageAttributes);
    TGPTextureBrush();   // empty wrapper
    Status ResetTransform();
    Status TranslateTransform(float dx, float dy, MatrixOrder order = MatrixOrderPrepend);
    Status ScaleTransform(float sx, float sy, MatrixOrder order = MatrixOrderPrepend);
    Status RotateTransform(float angle, MatrixOrder order = MatrixOrderPrepend);
    Status SetWrapMode(WrapMode wrapMode);
    WrapMode GetWrapMode();
    // A new image wrapper on the brush's image; the caller frees it.
    TGPImage* GetImage();
};

class TGPLinearGradientBrush : public TGPBrush {
    DECLARE_CLASS(TGPLinearGradientBrush, TGPBrush)
public:
    TGPLinearGradientBrush(const TGPPointF& point1, const TGPPointF& point2, ARGB color1, ARGB color2);
    TGPLinearGradientBrush(const TGPPoint& point1, const TGPPoint& point2, ARGB color1, ARGB color2);
    TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
    TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
    TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, float angle,
                           bool isAngleScalable = false);
    TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, float angle,
                           bool isAngleScalable = false);
    // An empty wrapper made by the brush base (used by TGPPen::GetBrush).
    TGPLinearGradientBrush();
    Status SetInterpolationColors(const ARGB* presetColors, const float* blendPositions, int count);
    Status SetGammaCorrection(bool useGammaCorrection);
};

class TGPPathGradientBrush : public TGPBrush {
    DECLARE_CLASS(TGPPathGradientBrush, TGPBrush)
public:
    explicit TGPPathGradientBrush(TGPGraphicsPath* path);
    Status SetCenterColor(ARGB color);
    Status GetCenterColor(ARGB& Color);
    Status SetCenterPoint(const TGPPointF& point);
    Status SetCenterPoint(const TGPPoint& point);
    Status GetCenterPoint(TGPPointF& point);
    Status GetCenterPoint(TGPPoint& point);
    int GetPointCount();
    // count is read and written: how many colours were given, then how many were set.
    Status SetSurroundColors(const ARGB* colors, int& count);
    // count is read and written: the room in colors, then how many were read.
    Status GetSurroundColors(ARGB* colors, int& count);
    Status SetInterpolationColors(const ARGB* presetColors, const float* blendPositions, int count);
    Status SetGammaCorrection(bool useGammaCorrection);
    Status SetWrapMode(WrapMode wrapMode);
};

class TGPPen : public TGdiplusBase {
    DECLARE_CLASS(TGPPen, TGdiplusBase)
public:
    TGPPen(ARGB color, float width = 1.0f);
    TGPPen(TGPBrush* brush, float width = 1.0f);
    ~TGPPen() override;

    Status SetStatus(Status status);
    Status GetLastStatus();

    // 0 solid colour, 1 hatch, 2 texture, 3 path gradient, 4 linear gradient; -1 on failure.
    int GetPenType();
    // A new brush wrapper on the pen's fill (nil for an unknown kind); the caller frees it.
    TGPBrush* GetBrush();
    Status SetBrush(TGPBrush* brush);
    DashStyle GetDashStyle();
    Status SetDashStyle(DashStyle dashStyle);
    Status SetEndCap(LineCap endCap);

    GpHandle nativePen = nullptr;
    Status lastResult = Ok;
};

class TGPRegion : public TGdiplusBase {
    DECLARE_CLASS(TGPRegion, TGdiplusBase)
public:
    explicit TGPRegion(const TGPRectF& rect);
    explicit TGPRegion(TGPGraphicsPath* path);
    ~TGPRegion() override;
    Status SetStatus(Status status);
    Status GetLastStatus();
    Status Exclude(TGPGraphicsPath* path);
    Status Union(TGPRegion* region);

    GpHandle nativeRegion = nullptr;
    Status lastResult = Ok;
};

class TGPFontCollection : public TGdiplusBase {
    DECLARE_CLASS(TGPFontCollection, TGdiplusBase)
public:
    TGPFontCollection() = default;   // no native collection: acts as none
    ~TGPFontCollection() override = default;

    GpHandle nativeFontCollection = nullptr;
    Status lastResult = Ok;
};

class TGPFontFamily : public TGdiplusBase {
    DECLARE_CLASS(TGPFontFamily, TGdiplusBase)
public:
    TGPFontFamily() = default;   // empty wrapper
    TGPFontFamily(const String& name, TGPFontCollection* fontCollection = nullptr);
    TGPFontFamily(GpHandle nativeFamily, Status status);
    ~TGPFontFamily() override;
    Status SetStatus(Status status);
    Status GetLastStatus();

    // Process-wide families, made on first request; the caller does not free them.
    static TGPFontFamily* GenericSansSerif();
    static TGPFontFamily* GenericSerif();
    static TGPFontFamily* GenericMonospace();

    GpHandle nativeFamily = nullptr;
    Status lastResult = Ok;
};

extern TGPFontFamily* GenericSansSerifFontFamily;
extern TGPFontFamily* GenericSerifFontFamily;
extern TGPFontFamily* GenericMonospaceFontFamily;

class TGPFont : public TGdiplusBase {
    DECLARE_CLASS(TGPFont, TGdiplusBase)
public:
    TGPFont(TGPFontFamily* family, float emSize, int style = FontStyleRegular,
            Unit_ unit_ = UnitPoint);
    // Falls back to the generic sans-serif family when the named one cannot make the font.
    TGPFont(const String& familyName, float emSize, int style = FontStyleRegular,
            Unit_ unit_ = UnitPoint, TGPFontCollection* fontCollection = nullptr);
    TGPFont(GpHandle nativeFont, Status status);
    ~TGPFont() override;
    Status SetStatus(Status status);
    Status GetLastStatus();

    // Reading the font back (size in its own unit, style bits, family name).
    float GetSize();
    int GetStyle();
    String GetFamilyName();

    GpHandle nativeFont = nullptr;
    Status lastResult = Ok;
};

class TGPGraphicsPath : public TGdiplusBase {
    DECLARE_CLASS(TGPGraphicsPath, TGdiplusBase)
public:
    explicit TGPGraphicsPath(FillMode fillMode = FillModeAlternate);
    TGPGraphicsPath(const TGPPointF* points, const BYTE* types, int count,
                    FillMode fillMode = FillModeAlternate);
    explicit TGPGraphicsPath(GpHandle nativePath);
    ~TGPGraphicsPath() override;
    Status SetStatus(Status status);
    Status GetLastStatus();

    int GetPointCount();
    Status GetPathPoints(TGPPointF* points, int count);
    Status GetPathTypes(BYTE* types, int count);
    Status GetBounds(TGPRectF& bounds, TGPMatrix* matrix = nullptr, TGPPen* pen = nullptr);
    Status Reset();
    Status CloseFigure();
    // Starts a new figure without closing the current one: the next line is not joined to it.
    Status StartFigure();
    Status AddLine(const TGPPointF& pt1, const TGPPointF& pt2);
    Status AddLine(float x1, float y1, float x2, float y2);
    Status AddLines(const TGPPoint* points, int count);
    Status AddRectangle(const TGPRectF& rect);
    Status AddRectangle(const TGPRect& rect);
    Status AddArc(const TGPRectF& rect, float startAngle, float sweepAngle);
    Status AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    Status AddPie(const TGPRectF& rect, float startAngle, float sweepAngle);
    Status AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle);
    Status AddEllipse(const TGPRectF& rect);
    Status AddEllipse(float x, float y, float width, float height);
    Status AddPolygon(const TGPPointF* points, int count);
    Status AddPolygon(const TGPPoint* points, int count);
    Status AddCurve(const TGPPointF* points, int count);
    Status AddCurve(const TGPPoint* points, int count);
    Status AddCurve(const TGPPoint* points, int count, float tension);
    Status AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3,
                     const TGPPointF& pt4);
    Status AddBezier(const TGPPoint& pt1, const TGPPoint& pt2, const TGPPoint& pt3,
                     const TGPPoint& pt4);
    Status AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
    Status AddString(const wchar_t* string_, int length, TGPFontFamily* family, int style,
                     float emSize, const TGPPointF& origin, TGPStringFormat* format);
    Status AddString(const wchar_t* string_, int length, TGPFontFamily* family, int style,
                     float emSize, const TGPRectF& layoutRect, TGPStringFormat* format);

    GpHandle nativePath = nullptr;
    Status lastResult = Ok;
};

class TGPImage : public TGdiplusBase {
    DECLARE_CLASS(TGPImage, TGdiplusBase)
public:
    TGPImage(const String& filename, bool useEmbeddedColorManagement = false);
    // The caller keeps the stream alive until the image is freed.
    TGPImage(IStream* stream, bool useEmbeddedColorManagement = false);
    TGPImage(GpHandle nativeImage, Status status);
    ~TGPImage() override;
    Status SetStatus(Status status);
    Status GetLastStatus();

    TGPImageFormat GetFormat();
    UINT GetWidth();
    UINT GetHeight();
    PixelFormat GetPixelFormat();
    int GetPixelDepth();
    bool HasAlphaChannel();
    bool HasPalette();
    // A new image on the thumbnail; the caller frees it.
    TGPImage* GetThumbnailImage(UINT thumbWidth, UINT thumbHeight,
                                GetThumbnailImageAbort callback = nullptr,
                                void* callbackData = nullptr);
    Status Save(const String& filename, const CLSID& clsidEncoder,
                const EncoderParameters* encoderParams = nullptr);
    Status Save(IStream* stream, const CLSID& clsidEncoder,
                const EncoderParameters* encoderParams = nullptr);
    Status SaveAdd(TGPImage* newImage, const EncoderParameters* encoderParams);
    Status RotateFlip(RotateFlipType rotateFlipType);

    GpHandle nativeImage = nullptr;
    Status lastResult = Ok;

protected:
    TGPImage() = default;
};

class TGPBitmap : public TGPImage {
    DECLARE_CLASS(TGPBitmap, TGPImage)
public:
    TGPBitmap(IStream* stream, bool useEmbeddedColorManagement = false);
    TGPBitmap(int width, int height, PixelFormat format = PixelFormat32bppARGB);
    // Over pixels the caller owns and keeps alive (stride: bytes from one row to the next,
    // negative for bottom-up rows): drawing on the bitmap draws on them.
    TGPBitmap(int width, int height, int stride, PixelFormat format, BYTE* scan0);
    explicit TGPBitmap(GpHandle nativeBitmap);
    static TGPBitmap* FromStream(IStream* stream, bool useEmbeddedColorManagement = false);

    Status GetHBITMAP(ARGB colorBackground, HBITMAP& hbmReturn);
    Status GetPixel(int x, int y, ARGB& color);
    Status SetPixel(int x, int y, ARGB color);
};

class TGPImageAttributes : public TGdiplusBase {
    DECLARE_CLASS(TGPImageAttributes, TGdiplusBase)
public:
    TGPImageAttributes();
    TGPImageAttributes(GpHandle imageAttr, Status status);
    ~TGPImageAttributes() override;
    Status SetStatus(Status status);
    Status GetLastStatus();

    // Always a new wrapper (null handle when the copy failed); the caller frees it.
    TGPImageAttributes* Clone();
    Status SetToIdentity(ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status Reset(ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status SetColorMatrix(const ColorMatrix& colorMatrix,
                          ColorMatrixFlags mode = ColorMatrixFlagsDefault,
                          ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status ClearColorMatrix(ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status SetColorMatrices(const ColorMatrix& colorMatrix, const ColorMatrix& grayMatrix,
                            ColorMatrixFlags mode = ColorMatrixFlagsDefault,
                            ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status ClearColorMatrices(ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status SetThreshold(float threshold, ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status ClearThreshold(ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status SetGamma(float gamma, ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status ClearGamma(ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status SetNoOp(ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status ClearNoOp(ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status SetColorKey(ARGB colorLow, ARGB colorHigh, ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status ClearColorKey(ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status SetOutputChannel(ColorChannelFlags channelFlags,
                            ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status ClearOutputChannel(ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status SetOutputChannelColorProfile(const String& colorProfileFilename,
                                        ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status ClearOutputChannelColorProfile(ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status SetRemapTable(UINT mapSize, const ColorMap* map,
                         ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status ClearRemapTable(ColorAdjustType type_ = ColorAdjustTypeDefault);
    Status SetBrushRemapTable(UINT mapSize, const ColorMap* map);
    Status ClearBrushRemapTable();
    Status SetWrapMode(WrapMode wrap, ARGB color = 0xFF000000, bool clamp = false);
    Status GetAdjustedPalette(ColorPalette* colorPalette, ColorAdjustType colorAdjustType);

    GpHandle nativeImageAttr = nullptr;
    Status lastResult = Ok;
};

// Keeps the unit's start-up object in every program that includes this header.
namespace QorGDIPUnit {
extern const int Linked;
[[maybe_unused]] static const int* const LinkedRef = &Linked;
}
