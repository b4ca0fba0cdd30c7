// The GDI+ drawing objects: matrix, string format, brushes, pen, region, fonts and path.
#include "QorGDIP.h"

extern "C" {
Status WINAPI GdipCreateMatrix(GpHandle* matrix);
Status WINAPI GdipCreateMatrix2(float m11, float m12, float m21, float m22, float dx, float dy,
                                GpHandle* matrix);
Status WINAPI GdipCreateMatrix3(const TGPRectF* rect, const TGPPointF* dstplg, GpHandle* matrix);
Status WINAPI GdipCreateMatrix3I(const TGPRect* rect, const TGPPoint* dstplg, GpHandle* matrix);
Status WINAPI GdipDeleteMatrix(GpHandle matrix);
Status WINAPI GdipCloneMatrix(GpHandle matrix, GpHandle* clone);
Status WINAPI GdipGetMatrixElements(GpHandle matrix, float* m);
Status WINAPI GdipSetMatrixElements(GpHandle matrix, float m11, float m12, float m21, float m22,
                                    float dx, float dy);
Status WINAPI GdipMultiplyMatrix(GpHandle matrix, GpHandle matrix2, int order);
Status WINAPI GdipTranslateMatrix(GpHandle matrix, float x, float y, int order);
Status WINAPI GdipScaleMatrix(GpHandle matrix, float x, float y, int order);
Status WINAPI GdipRotateMatrix(GpHandle matrix, float angle, int order);
Status WINAPI GdipShearMatrix(GpHandle matrix, float x, float y, int order);
Status WINAPI GdipInvertMatrix(GpHandle matrix);
Status WINAPI GdipTransformMatrixPoints(GpHandle matrix, TGPPointF* pts, INT count);
Status WINAPI GdipTransformMatrixPointsI(GpHandle matrix, TGPPoint* pts, INT count);
Status WINAPI GdipVectorTransformMatrixPoints(GpHandle matrix, TGPPointF* pts, INT count);
Status WINAPI GdipVectorTransformMatrixPointsI(GpHandle matrix, TGPPoint* pts, INT count);
Status WINAPI GdipIsMatrixInvertible(GpHandle matrix, BOOL* result);
Status WINAPI GdipIsMatrixIdentity(GpHandle matrix, BOOL* result);

Status WINAPI GdipCreateStringFormat(INT flags, LANGID language, GpHandle* format);
Status WINAPI GdipCloneStringFormat(GpHandle format, GpHandle* clone);
Status WINAPI GdipDeleteStringFormat(GpHandle format);
Status WINAPI GdipSetStringFormatAlign(GpHandle format, int align);
Status WINAPI GdipGetStringFormatAlign(GpHandle format, int* align);
Status WINAPI GdipSetStringFormatLineAlign(GpHandle format, int align);
Status WINAPI GdipGetStringFormatLineAlign(GpHandle format, int* align);
Status WINAPI GdipSetStringFormatFlags(GpHandle format, INT flags);
Status WINAPI GdipGetStringFormatFlags(GpHandle format, INT* flags);
Status WINAPI GdipSetStringFormatTrimming(GpHandle format, int trimming);
Status WINAPI GdipGetStringFormatTrimming(GpHandle format, int* trimming);
Status WINAPI GdipSetStringFormatHotkeyPrefix(GpHandle format, INT prefix);
Status WINAPI GdipGetStringFormatHotkeyPrefix(GpHandle format, INT* prefix);

Status WINAPI GdipDeleteBrush(GpHandle brush);
Status WINAPI GdipCreateSolidFill(ARGB color, GpHandle* brush);
Status WINAPI GdipGetSolidFillColor(GpHandle brush, ARGB* color);
Status WINAPI GdipSetSolidFillColor(GpHandle brush, ARGB color);
Status WINAPI GdipCreateHatchBrush(int style, ARGB fore, ARGB back, GpHandle* brush);
Status WINAPI GdipGetHatchStyle(GpHandle brush, int* style);
Status WINAPI GdipGetHatchForegroundColor(GpHandle brush, ARGB* color);
Status WINAPI GdipGetHatchBackgroundColor(GpHandle brush, ARGB* color);
Status WINAPI GdipCreateTexture(GpHandle image, int wrapMode, GpHandle* texture);
Status WINAPI GdipCreateTexture2(GpHandle image, int wrapMode, float x, float y, float w, float h,
                                 GpHandle* texture);
Status WINAPI GdipCreateTexture2I(GpHandle image, int wrapMode, INT x, INT y, INT w, INT h,
                                  GpHandle* texture);
Status WINAPI GdipCreateTextureIA(GpHandle image, GpHandle attributes, float x, float y, float w,
                                  float h, GpHandle* texture);
Status WINAPI GdipCreateTextureIAI(GpHandle image, GpHandle attributes, INT x, INT y, INT w, INT h,
                                   GpHandle* texture);
Status WINAPI GdipResetTextureTransform(GpHandle brush);
Status WINAPI GdipTranslateTextureTransform(GpHandle brush, float dx, float dy, int order);
Status WINAPI GdipScaleTextureTransform(GpHandle brush, float sx, float sy, int order);
Status WINAPI GdipRotateTextureTransform(GpHandle brush, float angle, int order);
Status WINAPI GdipSetTextureWrapMode(GpHandle brush, int wrapMode);
Status WINAPI GdipGetTextureWrapMode(GpHandle brush, int* wrapMode);
Status WINAPI GdipGetTextureImage(GpHandle brush, GpHandle* image);
Status WINAPI GdipCreateLineBrush(const TGPPointF* p1, const TGPPointF* p2, ARGB c1, ARGB c2,
                                  int wrapMode, GpHandle* brush);
Status WINAPI GdipCreateLineBrushI(const TGPPoint* p1, const TGPPoint* p2, ARGB c1, ARGB c2,
                                   int wrapMode, GpHandle* brush);
Status WINAPI GdipCreateLineBrushFromRect(const TGPRectF* rect, ARGB c1, ARGB c2, int mode,
                                          int wrapMode, GpHandle* brush);
Status WINAPI GdipCreateLineBrushFromRectI(const TGPRect* rect, ARGB c1, ARGB c2, int mode,
                                           int wrapMode, GpHandle* brush);
Status WINAPI GdipCreateLineBrushFromRectWithAngle(const TGPRectF* rect, ARGB c1, ARGB c2,
                                                   float angle, BOOL isAngleScalable, int wrapMode,
                                                   GpHandle* brush);
Status WINAPI GdipCreateLineBrushFromRectWithAngleI(const TGPRect* rect, ARGB c1, ARGB c2,
                                                    float angle, BOOL isAngleScalable,
                                                    int wrapMode, GpHandle* brush);
Status WINAPI GdipSetLinePresetBlend(GpHandle brush, const ARGB* blend, const float* positions,
                                     INT count);
Status WINAPI GdipSetLineGammaCorrection(GpHandle brush, BOOL useGammaCorrection);
Status WINAPI GdipCreatePathGradientFromPath(GpHandle path, GpHandle* brush);
Status WINAPI GdipSetPathGradientCenterColor(GpHandle brush, ARGB color);
Status WINAPI GdipGetPathGradientCenterColor(GpHandle brush, ARGB* color);
Status WINAPI GdipSetPathGradientCenterPoint(GpHandle brush, TGPPointF* point);
Status WINAPI GdipSetPathGradientCenterPointI(GpHandle brush, TGPPoint* point);
Status WINAPI GdipGetPathGradientCenterPoint(GpHandle brush, TGPPointF* point);
Status WINAPI GdipGetPathGradientCenterPointI(GpHandle brush, TGPPoint* point);
Status WINAPI GdipGetPathGradientPointCount(GpHandle brush, INT* count);
Status WINAPI GdipSetPathGradientSurroundColorsWithCount(GpHandle brush, const ARGB* colors,
                                                         INT* count);
Status WINAPI GdipGetPathGradientSurroundColorCount(GpHandle brush, INT* count);
Status WINAPI GdipGetPathGradientSurroundColorsWithCount(GpHandle brush, ARGB* colors, INT* count);
Status WINAPI GdipSetPathGradientPresetBlend(GpHandle brush, const ARGB* blend,
                                             const float* positions, INT count);
Status WINAPI GdipSetPathGradientGammaCorrection(GpHandle brush, BOOL useGammaCorrection);
Status WINAPI GdipSetPathGradientWrapMode(GpHandle brush, int wrapMode);

Status WINAPI GdipCreatePen1(ARGB color, float width, int unit, GpHandle* pen);
Status WINAPI GdipCreatePen2(GpHandle brush, float width, int unit, GpHandle* pen);
Status WINAPI GdipDeletePen(GpHandle pen);
Status WINAPI GdipGetPenFillType(GpHandle pen, int* type);
Status WINAPI GdipGetPenBrushFill(GpHandle pen, GpHandle* brush);
Status WINAPI GdipSetPenBrushFill(GpHandle pen, GpHandle brush);
Status WINAPI GdipGetPenDashStyle(GpHandle pen, int* dashStyle);
Status WINAPI GdipSetPenDashStyle(GpHandle pen, int dashStyle);
Status WINAPI GdipSetPenEndCap(GpHandle pen, int endCap);

Status WINAPI GdipCreateRegionRect(const TGPRectF* rect, GpHandle* region);
Status WINAPI GdipCreateRegionPath(GpHandle path, GpHandle* region);
Status WINAPI GdipDeleteRegion(GpHandle region);
Status WINAPI GdipCombineRegionPath(GpHandle region, GpHandle path, int mode);
Status WINAPI GdipCombineRegionRegion(GpHandle region, GpHandle region2, int mode);

Status WINAPI GdipCreateFontFamilyFromName(const WCHAR* name, GpHandle collection, GpHandle* family);
Status WINAPI GdipDeleteFontFamily(GpHandle family);
Status WINAPI GdipGetGenericFontFamilySansSerif(GpHandle* family);
Status WINAPI GdipGetGenericFontFamilySerif(GpHandle* family);
Status WINAPI GdipGetGenericFontFamilyMonospace(GpHandle* family);
Status WINAPI GdipGetFamilyName(GpHandle family, WCHAR* name, LANGID language);
Status WINAPI GdipCreateFont(GpHandle family, float emSize, INT style, int unit, GpHandle* font);
Status WINAPI GdipDeleteFont(GpHandle font);
Status WINAPI GdipGetFontSize(GpHandle font, float* size);
Status WINAPI GdipGetFontStyle(GpHandle font, INT* style);
Status WINAPI GdipGetFamily(GpHandle font, GpHandle* family);

Status WINAPI GdipCreatePath(int fillMode, GpHandle* path);
Status WINAPI GdipCreatePath2(const TGPPointF* points, const BYTE* types, INT count, int fillMode,
                              GpHandle* path);
Status WINAPI GdipDeletePath(GpHandle path);
Status WINAPI GdipGetPointCount(GpHandle path, INT* count);
Status WINAPI GdipGetPathPoints(GpHandle path, TGPPointF* points, INT count);
Status WINAPI GdipGetPathTypes(GpHandle path, BYTE* types, INT count);
Status WINAPI GdipGetPathWorldBounds(GpHandle path, TGPRectF* bounds, GpHandle matrix, GpHandle pen);
Status WINAPI GdipResetPath(GpHandle path);
Status WINAPI GdipClosePathFigure(GpHandle path);
Status WINAPI GdipStartPathFigure(GpHandle path);
Status WINAPI GdipAddPathLine(GpHandle path, float x1, float y1, float x2, float y2);
Status WINAPI GdipAddPathLine2I(GpHandle path, const TGPPoint* points, INT count);
Status WINAPI GdipAddPathRectangle(GpHandle path, float x, float y, float w, float h);
Status WINAPI GdipAddPathRectangleI(GpHandle path, INT x, INT y, INT w, INT h);
Status WINAPI GdipAddPathArc(GpHandle path, float x, float y, float w, float h, float start,
                             float sweep);
Status WINAPI GdipAddPathPie(GpHandle path, float x, float y, float w, float h, float start,
                             float sweep);
Status WINAPI GdipAddPathEllipse(GpHandle path, float x, float y, float w, float h);
Status WINAPI GdipAddPathPolygon(GpHandle path, const TGPPointF* points, INT count);
Status WINAPI GdipAddPathPolygonI(GpHandle path, const TGPPoint* points, INT count);
Status WINAPI GdipAddPathCurve(GpHandle path, const TGPPointF* points, INT count);
Status WINAPI GdipAddPathCurveI(GpHandle path, const TGPPoint* points, INT count);
Status WINAPI GdipAddPathCurve2I(GpHandle path, const TGPPoint* points, INT count, float tension);
Status WINAPI GdipAddPathBezier(GpHandle path, float x1, float y1, float x2, float y2, float x3,
                                float y3, float x4, float y4);
Status WINAPI GdipAddPathString(GpHandle path, const WCHAR* string, INT length, GpHandle family,
                                INT style, float emSize, const TGPRectF* layoutRect,
                                GpHandle format);
}

namespace {
constexpr BOOL GpTrue = BOOL(-1);   // true as GDI+ takes it: all bits set
BOOL GpBool(bool B) { return B ? GpTrue : FALSE; }
}  // namespace

// ---------------------------------------------------------------------------------------------
// Matrix

TGPMatrix::TGPMatrix() { lastResult = GdipCreateMatrix(&nativeMatrix); }

TGPMatrix::TGPMatrix(float m11, float m12, float m21, float m22, float dx, float dy)
{
    lastResult = GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, &nativeMatrix);
}

TGPMatrix::TGPMatrix(const TGPRectF& rect, const TGPPointF* dstplg)
{
    lastResult = GdipCreateMatrix3(&rect, dstplg, &nativeMatrix);
}

TGPMatrix::TGPMatrix(const TGPRect& rect, const TGPPoint* dstplg)
{
    lastResult = GdipCreateMatrix3I(&rect, dstplg, &nativeMatrix);
}

TGPMatrix::TGPMatrix(GpHandle nativeMatrix_) : nativeMatrix(nativeMatrix_) {}

TGPMatrix::~TGPMatrix()
{
    if (nativeMatrix) GdipDeleteMatrix(nativeMatrix);
}

Status TGPMatrix::SetStatus(Status status)
{
    if (status != Ok) lastResult = status;
    return status;
}

Status TGPMatrix::GetLastStatus()
{
    Status S = lastResult;
    lastResult = Ok;
    return S;
}

TGPMatrix* TGPMatrix::Clone()
{
    GpHandle Copy = nullptr;
    if (SetStatus(GdipCloneMatrix(nativeMatrix, &Copy)) != Ok) return nullptr;
    return new TGPMatrix(Copy);
}

Status TGPMatrix::GetElements(float* m) { return SetStatus(GdipGetMatrixElements(nativeMatrix, m)); }

Status TGPMatrix::SetElements(float m11, float m12, float m21, float m22, float dx, float dy)
{
    return SetStatus(GdipSetMatrixElements(nativeMatrix, m11, m12, m21, m22, dx, dy));
}

float TGPMatrix::OffsetX()
{
    float M[6] = {};
    return GetElements(M) == Ok ? M[4] : 0.0f;
}

float TGPMatrix::OffsetY()
{
    float M[6] = {};
    return GetElements(M) == Ok ? M[5] : 0.0f;
}

Status TGPMatrix::Reset() { return SetElements(1, 0, 0, 1, 0, 0); }

Status TGPMatrix::Multiply(TGPMatrix* matrix, MatrixOrder order)
{
    return SetStatus(GdipMultiplyMatrix(nativeMatrix, matrix ? matrix->nativeMatrix : nullptr, order));
}

Status TGPMatrix::Translate(float offsetX, float offsetY, MatrixOrder order)
{
    return SetStatus(GdipTranslateMatrix(nativeMatrix, offsetX, offsetY, order));
}

Status TGPMatrix::Scale(float scaleX, float scaleY, MatrixOrder order)
{
    return SetStatus(GdipScaleMatrix(nativeMatrix, scaleX, scaleY, order));
}

Status TGPMatrix::Rotate(float angle, MatrixOrder order)
{
    return SetStatus(GdipRotateMatrix(nativeMatrix, angle, order));
}

Status TGPMatrix::RotateAt(float angle, const TGPPointF& center, MatrixOrder order)
{
    if (order == MatrixOrderPrepend) {
        SetStatus(GdipTranslateMatrix(nativeMatrix, center.X, center.Y, order));
        SetStatus(GdipRotateMatrix(nativeMatrix, angle, order));
        return SetStatus(GdipTranslateMatrix(nativeMatrix, -center.X, -center.Y, order));
    }
    SetStatus(GdipTranslateMatrix(nativeMatrix, -center.X, -center.Y, order));
    SetStatus(GdipRotateMatrix(nativeMatrix, angle, order));
    return SetStatus(GdipTranslateMatrix(nativeMatrix, center.X, center.Y, order));
}

Status TGPMatrix::Shear(float shearX, float shearY, MatrixOrder order)
{
    return SetStatus(GdipShearMatrix(nativeMatrix, shearX, shearY, order));
}

Status TGPMatrix::Invert() { return SetStatus(GdipInvertMatrix(nativeMatrix)); }

Status TGPMatrix::TransformPoints(TGPPointF* pts, int count)
{
    return SetStatus(GdipTransformMatrixPoints(nativeMatrix, pts, count));
}

Status TGPMatrix::TransformPoints(TGPPoint* pts, int count)
{
    return SetStatus(GdipTransformMatrixPointsI(nativeMatrix, pts, count));
}

Status TGPMatrix::TransformVectors(TGPPointF* pts, int count)
{
    return SetStatus(GdipVectorTransformMatrixPoints(nativeMatrix, pts, count));
}

Status TGPMatrix::TransformVectors(TGPPoint* pts, int count)
{
    return SetStatus(GdipVectorTransformMatrixPointsI(nativeMatrix, pts, count));
}

bool TGPMatrix::IsInvertible()
{
    BOOL Result = FALSE;
    SetStatus(GdipIsMatrixInvertible(nativeMatrix, &Result));
    return Result != FALSE;
}

bool TGPMatrix::IsIdentity()
{
    BOOL Result = FALSE;
    SetStatus(GdipIsMatrixIdentity(nativeMatrix, &Result));
    return Result != FALSE;
}

// ---------------------------------------------------------------------------------------------
// String format

TGPStringFormat::TGPStringFormat(int formatFlags, LANGID language)
{
    lastError = GdipCreateStringFormat(formatFlags, language, &nativeFormat);
}

TGPStringFormat::TGPStringFormat(TGPStringFormat* format)
{
    lastError = GdipCloneStringFormat(format ? format->nativeFormat : nullptr, &nativeFormat);
}

TGPStringFormat::TGPStringFormat(GpHandle clonedStringFormat, Status status)
    : nativeFormat(clonedStringFormat), lastError(status)
{
}

TGPStringFormat::~TGPStringFormat()
{
    if (nativeFormat) GdipDeleteStringFormat(nativeFormat);
}

Status TGPStringFormat::SetStatus(Status status)
{
    if (status != Ok) lastError = status;
    return status;
}

Status TGPStringFormat::SetAlignment(StringAlignment align)
{
    return SetStatus(GdipSetStringFormatAlign(nativeFormat, align));
}

StringAlignment TGPStringFormat::GetAlignment()
{
    int Value = StringAlignmentNear;
    SetStatus(GdipGetStringFormatAlign(nativeFormat, &Value));
    return StringAlignment(Value);
}

Status TGPStringFormat::SetLineAlignment(StringAlignment align)
{
    return SetStatus(GdipSetStringFormatLineAlign(nativeFormat, align));
}

StringAlignment TGPStringFormat::GetLineAlignment()
{
    int Value = StringAlignmentNear;
    SetStatus(GdipGetStringFormatLineAlign(nativeFormat, &Value));
    return StringAlignment(Value);
}

Status TGPStringFormat::SetFormatFlags(int format)
{
    return SetStatus(GdipSetStringFormatFlags(nativeFormat, format));
}

int TGPStringFormat::GetFormatFlags()
{
    INT Value = 0;
    SetStatus(GdipGetStringFormatFlags(nativeFormat, &Value));
    return Value;
}

Status TGPStringFormat::SetTrimming(StringTrimming trimming)
{
    return SetStatus(GdipSetStringFormatTrimming(nativeFormat, trimming));
}

StringTrimming TGPStringFormat::GetTrimming()
{
    int Value = StringTrimmingNone;
    SetStatus(GdipGetStringFormatTrimming(nativeFormat, &Value));
    return StringTrimming(Value);
}

Status TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix)
{
    return SetStatus(GdipSetStringFormatHotkeyPrefix(nativeFormat, hotkeyPrefix));
}

HotkeyPrefix TGPStringFormat::GetHotkeyPrefix()
{
    INT Value = HotkeyPrefixNone;
    SetStatus(GdipGetStringFormatHotkeyPrefix(nativeFormat, &Value));
    return HotkeyPrefix(Value);
}

// ---------------------------------------------------------------------------------------------
// Brushes

TGPBrush::TGPBrush() : lastResult(NotImplemented) {}

TGPBrush::TGPBrush(GpHandle nativeBrush_, Status status) : nativeBrush(nativeBrush_), lastResult(status)
{
}

TGPBrush::~TGPBrush()
{
    if (nativeBrush) GdipDeleteBrush(nativeBrush);
}

Status TGPBrush::SetStatus(Status status)
{
    if (status != Ok) lastResult = status;
    return status;
}

Status TGPBrush::GetLastStatus()
{
    Status S = lastResult;
    lastResult = Ok;
    return S;
}

TGPSolidBrush::TGPSolidBrush(ARGB color) : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateSolidFill(color, &nativeBrush);
}

TGPSolidBrush::TGPSolidBrush() : TGPBrush(EmptyTag{}) {}

Status TGPSolidBrush::GetColor(ARGB& color) { return SetStatus(GdipGetSolidFillColor(nativeBrush, &color)); }
Status TGPSolidBrush::SetColor(ARGB color) { return SetStatus(GdipSetSolidFillColor(nativeBrush, color)); }

TGPHatchBrush::TGPHatchBrush(HatchStyle hatchStyle, ARGB foreColor, ARGB backColor)
    : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateHatchBrush(hatchStyle, foreColor, backColor, &nativeBrush);
}

TGPHatchBrush::TGPHatchBrush() : TGPBrush(EmptyTag{}) {}

HatchStyle TGPHatchBrush::GetHatchStyle()
{
    int Style = HatchStyleHorizontal;
    SetStatus(GdipGetHatchStyle(nativeBrush, &Style));
    return HatchStyle(Style);
}

Status TGPHatchBrush::GetForegroundColor(ARGB& color)
{
    return SetStatus(GdipGetHatchForegroundColor(nativeBrush, &color));
}

Status TGPHatchBrush::GetBackgroundColor(ARGB& color)
{
    return SetStatus(GdipGetHatchBackgroundColor(nativeBrush, &color));
}

namespace {
GpHandle ImageHandle(TGPImage* Image) { return Image ? Image->nativeImage : nullptr; }
}  // namespace

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode) : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateTexture(ImageHandle(image), wrapMode, &nativeBrush);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRectF& dstRect)
    : TGPTextureBrush(image, wrapMode, dstRect.X, dstRect.Y, dstRect.Width, dstRect.Height)
{
}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRect& dstRect)
    : TGPTextureBrush(image, wrapMode, int(dstRect.X), int(dstRect.Y), int(dstRect.Width),
                      int(dstRect.Height))
{
}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, float dstX, float dstY,
                                 float dstWidth, float dstHeight)
    : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateTexture2(ImageHandle(image), wrapMode, dstX, dstY, dstWidth, dstHeight,
                                    &nativeBrush);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, int dstX, int dstY,
                                 int dstWidth, int dstHeight)
    : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateTexture2I(ImageHandle(image), wrapMode, dstX, dstY, dstWidth, dstHeight,
                                     &nativeBrush);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, const TGPRectF& dstRect,
                                 TGPImageAttributes* imageAttributes)
    : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateTextureIA(ImageHandle(image),
                                     imageAttributes ? imageAttributes->nativeImageAttr : nullptr,
                                     dstRect.X, dstRect.Y, dstRect.Width, dstRect.Height,
                                     &nativeBrush);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, const TGPRect& dstRect,
                                 TGPImageAttributes* imageAttributes)
    : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateTextureIAI(ImageHandle(image),
                                      imageAttributes ? imageAttributes->nativeImageAttr : nullptr,
                                      dstRect.X, dstRect.Y, dstRect.Width, dstRect.Height,
                                      &nativeBrush);
}

TGPTextureBrush::TGPTextureBrush() : TGPBrush(EmptyTag{}) {}

Status TGPTextureBrush::ResetTransform() { return SetStatus(GdipResetTextureTransform(nativeBrush)); }

Status TGPTextureBrush::TranslateTransform(float dx, float dy, MatrixOrder order)
{
    return SetStatus(GdipTranslateTextureTransform(nativeBrush, dx, dy, order));
}

Status TGPTextureBrush::ScaleTransform(float sx, float sy, MatrixOrder order)
{
    return SetStatus(GdipScaleTextureTransform(nativeBrush, sx, sy, order));
}

Status TGPTextureBrush::RotateTransform(float angle, MatrixOrder order)
{
    return SetStatus(GdipRotateTextureTransform(nativeBrush, angle, order));
}

Status TGPTextureBrush::SetWrapMode(WrapMode wrapMode)
{
    return SetStatus(GdipSetTextureWrapMode(nativeBrush, wrapMode));
}

WrapMode TGPTextureBrush::GetWrapMode()
{
    int Mode = WrapModeTile;
    SetStatus(GdipGetTextureWrapMode(nativeBrush, &Mode));
    return WrapMode(Mode);
}

TGPImage* TGPTextureBrush::GetImage()
{
    GpHandle Image = nullptr;
    SetStatus(GdipGetTextureImage(nativeBrush, &Image));
    return new TGPImage(Image, lastResult);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& point1, const TGPPointF& point2,
                                               ARGB color1, ARGB color2)
    : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateLineBrush(&point1, &point2, color1, color2, WrapModeTile, &nativeBrush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPoint& point1, const TGPPoint& point2,
                                               ARGB color1, ARGB color2)
    : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateLineBrushI(&point1, &point2, color1, color2, WrapModeTile, &nativeBrush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2,
                                               LinearGradientMode mode)
    : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateLineBrushFromRect(&rect, color1, color2, mode, WrapModeTile, &nativeBrush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2,
                                               LinearGradientMode mode)
    : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateLineBrushFromRectI(&rect, color1, color2, mode, WrapModeTile, &nativeBrush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2,
                                               float angle, bool isAngleScalable)
    : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateLineBrushFromRectWithAngle(&rect, color1, color2, angle,
                                                      GpBool(isAngleScalable), WrapModeTile,
                                                      &nativeBrush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2,
                                               float angle, bool isAngleScalable)
    : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreateLineBrushFromRectWithAngleI(&rect, color1, color2, angle,
                                                       GpBool(isAngleScalable), WrapModeTile,
                                                       &nativeBrush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush() : TGPBrush() {}

Status TGPLinearGradientBrush::SetInterpolationColors(const ARGB* presetColors,
                                                      const float* blendPositions, int count)
{
    if (count <= 0 || !presetColors) return SetStatus(InvalidParameter);
    return SetStatus(GdipSetLinePresetBlend(nativeBrush, presetColors, blendPositions, count));
}

Status TGPLinearGradientBrush::SetGammaCorrection(bool useGammaCorrection)
{
    return SetStatus(GdipSetLineGammaCorrection(nativeBrush, GpBool(useGammaCorrection)));
}

TGPPathGradientBrush::TGPPathGradientBrush(TGPGraphicsPath* path) : TGPBrush(EmptyTag{})
{
    lastResult = GdipCreatePathGradientFromPath(path ? path->nativePath : nullptr, &nativeBrush);
}

Status TGPPathGradientBrush::SetCenterColor(ARGB color)
{
    SetStatus(GdipSetPathGradientCenterColor(nativeBrush, color));
    return lastResult;
}

Status TGPPathGradientBrush::GetCenterColor(ARGB& Color)
{
    SetStatus(GdipGetPathGradientCenterColor(nativeBrush, &Color));
    return lastResult;
}

Status TGPPathGradientBrush::SetCenterPoint(const TGPPointF& point)
{
    TGPPointF Copy = point;
    return SetStatus(GdipSetPathGradientCenterPoint(nativeBrush, &Copy));
}

Status TGPPathGradientBrush::SetCenterPoint(const TGPPoint& point)
{
    TGPPoint Copy = point;
    return SetStatus(GdipSetPathGradientCenterPointI(nativeBrush, &Copy));
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPointF& point)
{
    return SetStatus(GdipGetPathGradientCenterPoint(nativeBrush, &point));
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPoint& point)
{
    return SetStatus(GdipGetPathGradientCenterPointI(nativeBrush, &point));
}

int TGPPathGradientBrush::GetPointCount()
{
    INT Count = 0;
    SetStatus(GdipGetPathGradientPointCount(nativeBrush, &Count));
    return Count;
}

// The surround-colour operations decide on the status of their own calls (an earlier, unrelated
// failure stays recorded but does not turn a good call into a failure).
Status TGPPathGradientBrush::SetSurroundColors(const ARGB* colors, int& count)
{
    if (!colors) return SetStatus(InvalidParameter);
    const int Points = GetPointCount();
    if (count > Points || Points <= 0) return SetStatus(InvalidParameter);
    INT Set = count;
    const Status S = SetStatus(GdipSetPathGradientSurroundColorsWithCount(nativeBrush, colors, &Set));
    if (S == Ok) count = Set;
    return S;
}

Status TGPPathGradientBrush::GetSurroundColors(ARGB* colors, int& count)
{
    if (!colors) return SetStatus(InvalidParameter);
    INT Reported = 0;
    Status S = SetStatus(GdipGetPathGradientSurroundColorCount(nativeBrush, &Reported));
    if (S != Ok) return S;
    if (count < Reported || Reported <= 0) return SetStatus(InsufficientBuffer);
    INT Read = Reported;
    S = SetStatus(GdipGetPathGradientSurroundColorsWithCount(nativeBrush, colors, &Read));
    if (S == Ok) count = Read;
    return S;
}

Status TGPPathGradientBrush::SetInterpolationColors(const ARGB* presetColors,
                                                    const float* blendPositions, int count)
{
    if (count <= 0 || !presetColors) return SetStatus(InvalidParameter);
    return SetStatus(GdipSetPathGradientPresetBlend(nativeBrush, presetColors, blendPositions, count));
}

Status TGPPathGradientBrush::SetGammaCorrection(bool useGammaCorrection)
{
    return SetStatus(GdipSetPathGradientGammaCorrection(nativeBrush, GpBool(useGammaCorrection)));
}

Status TGPPathGradientBrush::SetWrapMode(WrapMode wrapMode)
{
    return SetStatus(GdipSetPathGradientWrapMode(nativeBrush, wrapMode));
}

// ---------------------------------------------------------------------------------------------
// Pen

TGPPen::TGPPen(ARGB color, float width)
{
    lastResult = GdipCreatePen1(color, width, UnitWorld, &nativePen);
}

TGPPen::TGPPen(TGPBrush* brush, float width)
{
    lastResult = GdipCreatePen2(brush ? brush->nativeBrush : nullptr, width, UnitWorld, &nativePen);
}

TGPPen::~TGPPen()
{
    if (nativePen) GdipDeletePen(nativePen);
}

Status TGPPen::SetStatus(Status status)
{
    if (status != Ok) lastResult = status;
    return status;
}

Status TGPPen::GetLastStatus()
{
    Status S = lastResult;
    lastResult = Ok;
    return S;
}

int TGPPen::GetPenType()
{
    int Type = -1;
    SetStatus(GdipGetPenFillType(nativePen, &Type));
    return Type;
}

TGPBrush* TGPPen::GetBrush()
{
    TGPBrush* Brush = nullptr;
    bool LinearGradient = false;
    switch (GetPenType()) {
    case 0: Brush = new TGPSolidBrush(); break;
    case 1: Brush = new TGPHatchBrush(); break;
    case 2: Brush = new TGPTextureBrush(); break;
    case 3: Brush = new TGPBrush(); break;
    case 4: Brush = new TGPLinearGradientBrush(); LinearGradient = true; break;
    default: return nullptr;
    }
    GpHandle Native = nullptr;
    const Status S = SetStatus(GdipGetPenBrushFill(nativePen, &Native));
    Brush->nativeBrush = Native;
    // A linear-gradient wrapper holding a brush GDI+ gave us is a working brush.
    if (LinearGradient && S == Ok && Native) Brush->lastResult = Ok;
    return Brush;
}

Status TGPPen::SetBrush(TGPBrush* brush)
{
    return SetStatus(GdipSetPenBrushFill(nativePen, brush ? brush->nativeBrush : nullptr));
}

DashStyle TGPPen::GetDashStyle()
{
    int Style = DashStyleSolid;
    SetStatus(GdipGetPenDashStyle(nativePen, &Style));
    return DashStyle(Style);
}

Status TGPPen::SetDashStyle(DashStyle dashStyle)
{
    return SetStatus(GdipSetPenDashStyle(nativePen, dashStyle));
}

Status TGPPen::SetEndCap(LineCap endCap) { return SetStatus(GdipSetPenEndCap(nativePen, endCap)); }

// ---------------------------------------------------------------------------------------------
// Region

TGPRegion::TGPRegion(const TGPRectF& rect) { lastResult = GdipCreateRegionRect(&rect, &nativeRegion); }

TGPRegion::TGPRegion(TGPGraphicsPath* path)
{
    lastResult = GdipCreateRegionPath(path ? path->nativePath : nullptr, &nativeRegion);
}

TGPRegion::~TGPRegion()
{
    if (nativeRegion) GdipDeleteRegion(nativeRegion);
}

Status TGPRegion::SetStatus(Status status)
{
    if (status != Ok) lastResult = status;
    return status;
}

Status TGPRegion::GetLastStatus()
{
    Status S = lastResult;
    lastResult = Ok;
    return S;
}

Status TGPRegion::Exclude(TGPGraphicsPath* path)
{
    return SetStatus(GdipCombineRegionPath(nativeRegion, path ? path->nativePath : nullptr,
                                           CombineModeExclude));
}

Status TGPRegion::Union(TGPRegion* region)
{
    return SetStatus(GdipCombineRegionRegion(nativeRegion, region ? region->nativeRegion : nullptr,
                                             CombineModeUnion));
}

// ---------------------------------------------------------------------------------------------
// Fonts

TGPFontFamily* GenericSansSerifFontFamily = nullptr;
TGPFontFamily* GenericSerifFontFamily = nullptr;
TGPFontFamily* GenericMonospaceFontFamily = nullptr;

TGPFontFamily::TGPFontFamily(const String& name, TGPFontCollection* fontCollection)
{
    lastResult = GdipCreateFontFamilyFromName(
        name.c_str(), fontCollection ? fontCollection->nativeFontCollection : nullptr, &nativeFamily);
}

TGPFontFamily::TGPFontFamily(GpHandle nativeFamily_, Status status)
    : nativeFamily(nativeFamily_), lastResult(status)
{
}

TGPFontFamily::~TGPFontFamily()
{
    if (nativeFamily) GdipDeleteFontFamily(nativeFamily);
}

Status TGPFontFamily::SetStatus(Status status)
{
    if (status != Ok) lastResult = status;
    return status;
}

Status TGPFontFamily::GetLastStatus()
{
    Status S = lastResult;
    lastResult = Ok;
    return S;
}

TGPFontFamily* TGPFontFamily::GenericSansSerif()
{
    if (!GenericSansSerifFontFamily) {
        GenericSansSerifFontFamily = new TGPFontFamily();
        GdipGetGenericFontFamilySansSerif(&GenericSansSerifFontFamily->nativeFamily);
    }
    return GenericSansSerifFontFamily;
}

TGPFontFamily* TGPFontFamily::GenericSerif()
{
    if (!GenericSerifFontFamily) {
        GenericSerifFontFamily = new TGPFontFamily();
        GdipGetGenericFontFamilySerif(&GenericSerifFontFamily->nativeFamily);
    }
    return GenericSerifFontFamily;
}

TGPFontFamily* TGPFontFamily::GenericMonospace()
{
    if (!GenericMonospaceFontFamily) {
        GenericMonospaceFontFamily = new TGPFontFamily();
        GdipGetGenericFontFamilyMonospace(&GenericMonospaceFontFamily->nativeFamily);
    }
    return GenericMonospaceFontFamily;
}

TGPFont::TGPFont(TGPFontFamily* family, float emSize, int style, Unit_ unit_)
{
    lastResult = GdipCreateFont(family ? family->nativeFamily : nullptr, emSize, style, unit_,
                                &nativeFont);
}

TGPFont::TGPFont(const String& familyName, float emSize, int style, Unit_ unit_,
                 TGPFontCollection* fontCollection)
{
    TGPFontFamily Family(familyName, fontCollection);
    lastResult = GdipCreateFont(Family.nativeFamily, emSize, style, unit_, &nativeFont);
    if (lastResult != Ok)
        lastResult = GdipCreateFont(TGPFontFamily::GenericSansSerif()->nativeFamily, emSize, style,
                                    unit_, &nativeFont);
}

TGPFont::TGPFont(GpHandle nativeFont_, Status status) : nativeFont(nativeFont_), lastResult(status) {}

TGPFont::~TGPFont()
{
    if (nativeFont) GdipDeleteFont(nativeFont);
}

Status TGPFont::SetStatus(Status status)
{
    if (status != Ok) lastResult = status;
    return status;
}

Status TGPFont::GetLastStatus()
{
    Status S = lastResult;
    lastResult = Ok;
    return S;
}

float TGPFont::GetSize()
{
    float Size = 0;
    SetStatus(GdipGetFontSize(nativeFont, &Size));
    return Size;
}

int TGPFont::GetStyle()
{
    INT Style = 0;
    SetStatus(GdipGetFontStyle(nativeFont, &Style));
    return Style;
}

String TGPFont::GetFamilyName()
{
    GpHandle Family = nullptr;
    if (SetStatus(GdipGetFamily(nativeFont, &Family)) != Ok || !Family) return String();
    WCHAR Name[LF_FACESIZE + 1] = {};
    SetStatus(GdipGetFamilyName(Family, Name, LANG_NEUTRAL));
    GdipDeleteFontFamily(Family);
    return String(Name);
}

// ---------------------------------------------------------------------------------------------
// Path

TGPGraphicsPath::TGPGraphicsPath(FillMode fillMode) { lastResult = GdipCreatePath(fillMode, &nativePath); }

TGPGraphicsPath::TGPGraphicsPath(const TGPPointF* points, const BYTE* types, int count,
                                 FillMode fillMode)
{
    lastResult = GdipCreatePath2(points, types, count, fillMode, &nativePath);
}

TGPGraphicsPath::TGPGraphicsPath(GpHandle nativePath_) : nativePath(nativePath_) {}

TGPGraphicsPath::~TGPGraphicsPath()
{
    if (nativePath) GdipDeletePath(nativePath);
}

Status TGPGraphicsPath::SetStatus(Status status)
{
    if (status != Ok) lastResult = status;
    return status;
}

Status TGPGraphicsPath::GetLastStatus()
{
    Status S = lastResult;
    lastResult = Ok;
    return S;
}

int TGPGraphicsPath::GetPointCount()
{
    INT Count = 0;
    if (SetStatus(GdipGetPointCount(nativePath, &Count)) != Ok) return 0;
    return Count;
}

Status TGPGraphicsPath::GetPathPoints(TGPPointF* points, int count)
{
    return SetStatus(GdipGetPathPoints(nativePath, points, count));
}

Status TGPGraphicsPath::GetPathTypes(BYTE* types, int count)
{
    return SetStatus(GdipGetPathTypes(nativePath, types, count));
}

Status TGPGraphicsPath::GetBounds(TGPRectF& bounds, TGPMatrix* matrix, TGPPen* pen)
{
    return SetStatus(GdipGetPathWorldBounds(nativePath, &bounds,
                                            matrix ? matrix->nativeMatrix : nullptr,
                                            pen ? pen->nativePen : nullptr));
}

Status TGPGraphicsPath::Reset() { return SetStatus(GdipResetPath(nativePath)); }
Status TGPGraphicsPath::CloseFigure() { return SetStatus(GdipClosePathFigure(nativePath)); }

Status TGPGraphicsPath::StartFigure() { return SetStatus(GdipStartPathFigure(nativePath)); }

Status TGPGraphicsPath::AddLine(const TGPPointF& pt1, const TGPPointF& pt2)
{
    return AddLine(pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status TGPGraphicsPath::AddLine(float x1, float y1, float x2, float y2)
{
    return SetStatus(GdipAddPathLine(nativePath, x1, y1, x2, y2));
}

Status TGPGraphicsPath::AddLines(const TGPPoint* points, int count)
{
    return SetStatus(GdipAddPathLine2I(nativePath, points, count));
}

Status TGPGraphicsPath::AddRectangle(const TGPRectF& rect)
{
    return SetStatus(GdipAddPathRectangle(nativePath, rect.X, rect.Y, rect.Width, rect.Height));
}

Status TGPGraphicsPath::AddRectangle(const TGPRect& rect)
{
    return SetStatus(GdipAddPathRectangleI(nativePath, rect.X, rect.Y, rect.Width, rect.Height));
}

Status TGPGraphicsPath::AddArc(const TGPRectF& rect, float startAngle, float sweepAngle)
{
    return AddArc(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}

Status TGPGraphicsPath::AddArc(float x, float y, float width, float height, float startAngle,
                               float sweepAngle)
{
    return SetStatus(GdipAddPathArc(nativePath, x, y, width, height, startAngle, sweepAngle));
}

Status TGPGraphicsPath::AddPie(const TGPRectF& rect, float startAngle, float sweepAngle)
{
    return AddPie(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}

Status TGPGraphicsPath::AddPie(float x, float y, float width, float height, float startAngle,
                               float sweepAngle)
{
    return SetStatus(GdipAddPathPie(nativePath, x, y, width, height, startAngle, sweepAngle));
}

Status TGPGraphicsPath::AddEllipse(const TGPRectF& rect)
{
    return AddEllipse(rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphicsPath::AddEllipse(float x, float y, float width, float height)
{
    return SetStatus(GdipAddPathEllipse(nativePath, x, y, width, height));
}

Status TGPGraphicsPath::AddPolygon(const TGPPointF* points, int count)
{
    return SetStatus(GdipAddPathPolygon(nativePath, points, count));
}

Status TGPGraphicsPath::AddPolygon(const TGPPoint* points, int count)
{
    return SetStatus(GdipAddPathPolygonI(nativePath, points, count));
}

Status TGPGraphicsPath::AddCurve(const TGPPointF* points, int count)
{
    return SetStatus(GdipAddPathCurve(nativePath, points, count));
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* points, int count)
{
    return SetStatus(GdipAddPathCurveI(nativePath, points, count));
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* points, int count, float tension)
{
    return SetStatus(GdipAddPathCurve2I(nativePath, points, count, tension));
}

Status TGPGraphicsPath::AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3,
                                  const TGPPointF& pt4)
{
    return AddBezier(pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}

Status TGPGraphicsPath::AddBezier(const TGPPoint& pt1, const TGPPoint& pt2, const TGPPoint& pt3,
                                  const TGPPoint& pt4)
{
    return AddBezier(float(pt1.X), float(pt1.Y), float(pt2.X), float(pt2.Y), float(pt3.X),
                     float(pt3.Y), float(pt4.X), float(pt4.Y));
}

Status TGPGraphicsPath::AddBezier(float x1, float y1, float x2, float y2, float x3, float y3,
                                  float x4, float y4)
{
    return SetStatus(GdipAddPathBezier(nativePath, x1, y1, x2, y2, x3, y3, x4, y4));
}

Status TGPGraphicsPath::AddString(const wchar_t* string_, int length, TGPFontFamily* family,
                                  int style, float emSize, const TGPPointF& origin,
                                  TGPStringFormat* format)
{
    return AddString(string_, length, family, style, emSize, TGPRectF{origin.X, origin.Y, 0, 0},
                     format);
}

Status TGPGraphicsPath::AddString(const wchar_t* string_, int length, TGPFontFamily* family,
                                  int style, float emSize, const TGPRectF& layoutRect,
                                  TGPStringFormat* format)
{
    return SetStatus(GdipAddPathString(nativePath, string_, length,
                                       family ? family->nativeFamily : nullptr, style, emSize,
                                       &layoutRect, format ? format->nativeFormat : nullptr));
}
