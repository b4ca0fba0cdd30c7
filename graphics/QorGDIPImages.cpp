// The GDI+ image objects: image, bitmap and image attributes.
#include "QorGDIP.h"

#include <iterator>

extern "C" {
Status WINAPI GdipLoadImageFromFile(const WCHAR* filename, GpHandle* image);
Status WINAPI GdipLoadImageFromFileICM(const WCHAR* filename, GpHandle* image);
Status WINAPI GdipLoadImageFromStream(IStream* stream, GpHandle* image);
Status WINAPI GdipLoadImageFromStreamICM(IStream* stream, GpHandle* image);
Status WINAPI GdipDisposeImage(GpHandle image);
Status WINAPI GdipGetImageRawFormat(GpHandle image, GUID* format);
Status WINAPI GdipGetImageWidth(GpHandle image, UINT* width);
Status WINAPI GdipGetImageHeight(GpHandle image, UINT* height);
Status WINAPI GdipGetImagePixelFormat(GpHandle image, PixelFormat* format);
Status WINAPI GdipGetImageThumbnail(GpHandle image, UINT thumbWidth, UINT thumbHeight,
                                    GpHandle* thumbImage, GetThumbnailImageAbort callback,
                                    void* callbackData);
Status WINAPI GdipSaveImageToFile(GpHandle image, const WCHAR* filename, const CLSID* clsidEncoder,
                                  const EncoderParameters* encoderParams);
Status WINAPI GdipSaveImageToStream(GpHandle image, IStream* stream, const CLSID* clsidEncoder,
                                    const EncoderParameters* encoderParams);
Status WINAPI GdipSaveAddImage(GpHandle image, GpHandle newImage,
                               const EncoderParameters* encoderParams);
Status WINAPI GdipImageRotateFlip(GpHandle image, int rfType);
Status WINAPI GdipCreateBitmapFromStream(IStream* stream, GpHandle* bitmap);
Status WINAPI GdipCreateBitmapFromStreamICM(IStream* stream, GpHandle* bitmap);
Status WINAPI GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format,
                                        BYTE* scan0, GpHandle* bitmap);
Status WINAPI GdipCreateHBITMAPFromBitmap(GpHandle bitmap, HBITMAP* hbmReturn, ARGB background);
Status WINAPI GdipBitmapGetPixel(GpHandle bitmap, INT x, INT y, ARGB* color);
Status WINAPI GdipBitmapSetPixel(GpHandle bitmap, INT x, INT y, ARGB color);

Status WINAPI GdipCreateImageAttributes(GpHandle* imageattr);
Status WINAPI GdipCloneImageAttributes(GpHandle imageattr, GpHandle* cloneImageattr);
Status WINAPI GdipDisposeImageAttributes(GpHandle imageattr);
Status WINAPI GdipSetImageAttributesToIdentity(GpHandle imageattr, int type);
Status WINAPI GdipResetImageAttributes(GpHandle imageattr, int type);
Status WINAPI GdipSetImageAttributesColorMatrix(GpHandle imageattr, int type, BOOL enableFlag,
                                                const ColorMatrix* colorMatrix,
                                                const ColorMatrix* grayMatrix, int flags);
Status WINAPI GdipSetImageAttributesThreshold(GpHandle imageattr, int type, BOOL enableFlag,
                                              float threshold);
Status WINAPI GdipSetImageAttributesGamma(GpHandle imageattr, int type, BOOL enableFlag, float gamma);
Status WINAPI GdipSetImageAttributesNoOp(GpHandle imageattr, int type, BOOL enableFlag);
Status WINAPI GdipSetImageAttributesColorKeys(GpHandle imageattr, int type, BOOL enableFlag,
                                              ARGB colorLow, ARGB colorHigh);
Status WINAPI GdipSetImageAttributesOutputChannel(GpHandle imageattr, int type, BOOL enableFlag,
                                                  int channelFlags);
Status WINAPI GdipSetImageAttributesOutputChannelColorProfile(GpHandle imageattr, int type,
                                                              BOOL enableFlag,
                                                              const WCHAR* colorProfileFilename);
Status WINAPI GdipSetImageAttributesRemapTable(GpHandle imageattr, int type, BOOL enableFlag,
                                               UINT mapSize, const ColorMap* map);
Status WINAPI GdipSetImageAttributesWrapMode(GpHandle imageattr, int wrap, ARGB argb, BOOL clamp);
Status WINAPI GdipGetImageAttributesAdjustedPalette(GpHandle imageattr, ColorPalette* colorPalette,
                                                    int colorAdjustType);
}

// GDI+'s image format identifiers.
#define QOR_IMAGE_FORMAT(Name, First) \
    const GUID Name = {First, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
QOR_IMAGE_FORMAT(ImageFormatUndefined, 0xb96b3ca9)
QOR_IMAGE_FORMAT(ImageFormatMemoryBMP, 0xb96b3caa)
QOR_IMAGE_FORMAT(ImageFormatBMP, 0xb96b3cab)
QOR_IMAGE_FORMAT(ImageFormatEMF, 0xb96b3cac)
QOR_IMAGE_FORMAT(ImageFormatWMF, 0xb96b3cad)
QOR_IMAGE_FORMAT(ImageFormatJPEG, 0xb96b3cae)
QOR_IMAGE_FORMAT(ImageFormatPNG, 0xb96b3caf)
QOR_IMAGE_FORMAT(ImageFormatGIF, 0xb96b3cb0)
QOR_IMAGE_FORMAT(ImageFormatTIFF, 0xb96b3cb1)
QOR_IMAGE_FORMAT(ImageFormatEXIF, 0xb96b3cb2)
QOR_IMAGE_FORMAT(ImageFormatIcon, 0xb96b3cb5)
#undef QOR_IMAGE_FORMAT

namespace {
constexpr BOOL GpTrue = BOOL(-1);
BOOL GpBool(bool B) { return B ? GpTrue : FALSE; }
}  // namespace

// ---------------------------------------------------------------------------------------------
// Image

TGPImage::TGPImage(const String& filename, bool useEmbeddedColorManagement)
{
    lastResult = useEmbeddedColorManagement
                     ? GdipLoadImageFromFileICM(filename.c_str(), &nativeImage)
                     : GdipLoadImageFromFile(filename.c_str(), &nativeImage);
}

TGPImage::TGPImage(IStream* stream, bool useEmbeddedColorManagement)
{
    lastResult = useEmbeddedColorManagement ? GdipLoadImageFromStreamICM(stream, &nativeImage)
                                            : GdipLoadImageFromStream(stream, &nativeImage);
}

TGPImage::TGPImage(GpHandle nativeImage_, Status status) : nativeImage(nativeImage_), lastResult(status)
{
}

TGPImage::~TGPImage()
{
    if (nativeImage) GdipDisposeImage(nativeImage);
}

Status TGPImage::SetStatus(Status status)
{
    if (status != Ok) lastResult = status;
    return status;
}

Status TGPImage::GetLastStatus()
{
    Status S = lastResult;
    lastResult = Ok;
    return S;
}

TGPImageFormat TGPImage::GetFormat()
{
    GUID Format{};
    if (GdipGetImageRawFormat(nativeImage, &Format) != Ok) return ifUndefined;
    static const GUID* const Known[] = {&ImageFormatMemoryBMP, &ImageFormatBMP,  &ImageFormatEMF,
                                        &ImageFormatWMF,       &ImageFormatJPEG, &ImageFormatPNG,
                                        &ImageFormatGIF,       &ImageFormatTIFF, &ImageFormatEXIF,
                                        &ImageFormatIcon};
    for (int I = 0; I < int(std::size(Known)); ++I)
        if (IsEqualGUID(Format, *Known[I])) return TGPImageFormat(ifMemoryBMP + I);
    return ifUndefined;
}

UINT TGPImage::GetWidth()
{
    UINT Width = 0;
    SetStatus(GdipGetImageWidth(nativeImage, &Width));
    return Width;
}

UINT TGPImage::GetHeight()
{
    UINT Height = 0;
    SetStatus(GdipGetImageHeight(nativeImage, &Height));
    return Height;
}

PixelFormat TGPImage::GetPixelFormat()
{
    PixelFormat Format = 0;
    SetStatus(GdipGetImagePixelFormat(nativeImage, &Format));
    return Format;
}

int TGPImage::GetPixelDepth() { return (GetPixelFormat() >> 8) & 0xFF; }
bool TGPImage::HasAlphaChannel() { return (GetPixelFormat() & (1 << 18)) != 0; }
bool TGPImage::HasPalette() { return (GetPixelFormat() & (1 << 16)) != 0; }

TGPImage* TGPImage::GetThumbnailImage(UINT thumbWidth, UINT thumbHeight,
                                      GetThumbnailImageAbort callback, void* callbackData)
{
    GpHandle Thumb = nullptr;
    SetStatus(GdipGetImageThumbnail(nativeImage, thumbWidth, thumbHeight, &Thumb, callback,
                                    callbackData));
    return new TGPImage(Thumb, lastResult);
}

Status TGPImage::Save(const String& filename, const CLSID& clsidEncoder,
                      const EncoderParameters* encoderParams)
{
    return SetStatus(GdipSaveImageToFile(nativeImage, filename.c_str(), &clsidEncoder, encoderParams));
}

Status TGPImage::Save(IStream* stream, const CLSID& clsidEncoder,
                      const EncoderParameters* encoderParams)
{
    return SetStatus(GdipSaveImageToStream(nativeImage, stream, &clsidEncoder, encoderParams));
}

Status TGPImage::SaveAdd(TGPImage* newImage, const EncoderParameters* encoderParams)
{
    if (!newImage) return SetStatus(InvalidParameter);
    return SetStatus(GdipSaveAddImage(nativeImage, newImage->nativeImage, encoderParams));
}

Status TGPImage::RotateFlip(RotateFlipType rotateFlipType)
{
    return SetStatus(GdipImageRotateFlip(nativeImage, rotateFlipType));
}

// ---------------------------------------------------------------------------------------------
// Bitmap

TGPBitmap::TGPBitmap(IStream* stream, bool useEmbeddedColorManagement)
{
    lastResult = useEmbeddedColorManagement ? GdipCreateBitmapFromStreamICM(stream, &nativeImage)
                                            : GdipCreateBitmapFromStream(stream, &nativeImage);
}

TGPBitmap::TGPBitmap(int width, int height, PixelFormat format)
{
    lastResult = GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &nativeImage);
}

TGPBitmap::TGPBitmap(int width, int height, int stride, PixelFormat format, BYTE* scan0)
{
    lastResult = GdipCreateBitmapFromScan0(width, height, stride, format, scan0, &nativeImage);
}

TGPBitmap::TGPBitmap(GpHandle nativeBitmap) : TGPImage(nativeBitmap, Ok) {}

TGPBitmap* TGPBitmap::FromStream(IStream* stream, bool useEmbeddedColorManagement)
{
    return new TGPBitmap(stream, useEmbeddedColorManagement);
}

Status TGPBitmap::GetHBITMAP(ARGB colorBackground, HBITMAP& hbmReturn)
{
    return SetStatus(GdipCreateHBITMAPFromBitmap(nativeImage, &hbmReturn, colorBackground));
}

Status TGPBitmap::GetPixel(int x, int y, ARGB& color)
{
    return SetStatus(GdipBitmapGetPixel(nativeImage, x, y, &color));
}

Status TGPBitmap::SetPixel(int x, int y, ARGB color)
{
    return SetStatus(GdipBitmapSetPixel(nativeImage, x, y, color));
}

// ---------------------------------------------------------------------------------------------
// Image attributes

TGPImageAttributes::TGPImageAttributes() { lastResult = GdipCreateImageAttributes(&nativeImageAttr); }

TGPImageAttributes::TGPImageAttributes(GpHandle imageAttr, Status status)
    : nativeImageAttr(imageAttr), lastResult(status)
{
}

TGPImageAttributes::~TGPImageAttributes()
{
    if (nativeImageAttr) GdipDisposeImageAttributes(nativeImageAttr);
}

Status TGPImageAttributes::SetStatus(Status status)
{
    if (status != Ok) lastResult = status;
    return status;
}

Status TGPImageAttributes::GetLastStatus()
{
    Status S = lastResult;
    lastResult = Ok;
    return S;
}

TGPImageAttributes* TGPImageAttributes::Clone()
{
    GpHandle Copy = nullptr;
    SetStatus(GdipCloneImageAttributes(nativeImageAttr, &Copy));
    return new TGPImageAttributes(Copy, lastResult);
}

Status TGPImageAttributes::SetToIdentity(ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesToIdentity(nativeImageAttr, type_));
}

Status TGPImageAttributes::Reset(ColorAdjustType type_)
{
    return SetStatus(GdipResetImageAttributes(nativeImageAttr, type_));
}

Status TGPImageAttributes::SetColorMatrix(const ColorMatrix& colorMatrix, ColorMatrixFlags mode,
                                          ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesColorMatrix(nativeImageAttr, type_, GpTrue, &colorMatrix,
                                                       nullptr, mode));
}

Status TGPImageAttributes::ClearColorMatrix(ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesColorMatrix(nativeImageAttr, type_, FALSE, nullptr,
                                                       nullptr, ColorMatrixFlagsDefault));
}

Status TGPImageAttributes::SetColorMatrices(const ColorMatrix& colorMatrix,
                                            const ColorMatrix& grayMatrix, ColorMatrixFlags mode,
                                            ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesColorMatrix(nativeImageAttr, type_, GpTrue, &colorMatrix,
                                                       &grayMatrix, mode));
}

Status TGPImageAttributes::ClearColorMatrices(ColorAdjustType type_) { return ClearColorMatrix(type_); }

Status TGPImageAttributes::SetThreshold(float threshold, ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesThreshold(nativeImageAttr, type_, GpTrue, threshold));
}

Status TGPImageAttributes::ClearThreshold(ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesThreshold(nativeImageAttr, type_, FALSE, 0.0f));
}

Status TGPImageAttributes::SetGamma(float gamma, ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesGamma(nativeImageAttr, type_, GpTrue, gamma));
}

Status TGPImageAttributes::ClearGamma(ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesGamma(nativeImageAttr, type_, FALSE, 0.0f));
}

Status TGPImageAttributes::SetNoOp(ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesNoOp(nativeImageAttr, type_, GpTrue));
}

Status TGPImageAttributes::ClearNoOp(ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesNoOp(nativeImageAttr, type_, FALSE));
}

Status TGPImageAttributes::SetColorKey(ARGB colorLow, ARGB colorHigh, ColorAdjustType type_)
{
    return SetStatus(
        GdipSetImageAttributesColorKeys(nativeImageAttr, type_, GpTrue, colorLow, colorHigh));
}

Status TGPImageAttributes::ClearColorKey(ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesColorKeys(nativeImageAttr, type_, FALSE, 0, 0));
}

Status TGPImageAttributes::SetOutputChannel(ColorChannelFlags channelFlags, ColorAdjustType type_)
{
    return SetStatus(
        GdipSetImageAttributesOutputChannel(nativeImageAttr, type_, GpTrue, channelFlags));
}

Status TGPImageAttributes::ClearOutputChannel(ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesOutputChannel(nativeImageAttr, type_, FALSE,
                                                         ColorChannelFlagsLast));
}

Status TGPImageAttributes::SetOutputChannelColorProfile(const String& colorProfileFilename,
                                                        ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesOutputChannelColorProfile(
        nativeImageAttr, type_, GpTrue, colorProfileFilename.c_str()));
}

Status TGPImageAttributes::ClearOutputChannelColorProfile(ColorAdjustType type_)
{
    return SetStatus(
        GdipSetImageAttributesOutputChannelColorProfile(nativeImageAttr, type_, FALSE, nullptr));
}

Status TGPImageAttributes::SetRemapTable(UINT mapSize, const ColorMap* map, ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesRemapTable(nativeImageAttr, type_, GpTrue, mapSize, map));
}

Status TGPImageAttributes::ClearRemapTable(ColorAdjustType type_)
{
    return SetStatus(GdipSetImageAttributesRemapTable(nativeImageAttr, type_, FALSE, 0, nullptr));
}

Status TGPImageAttributes::SetBrushRemapTable(UINT mapSize, const ColorMap* map)
{
    return SetRemapTable(mapSize, map, ColorAdjustTypeBrush);
}

Status TGPImageAttributes::ClearBrushRemapTable() { return ClearRemapTable(ColorAdjustTypeBrush); }

Status TGPImageAttributes::SetWrapMode(WrapMode wrap, ARGB color, bool clamp)
{
    return SetStatus(GdipSetImageAttributesWrapMode(nativeImageAttr, wrap, color, GpBool(clamp)));
}

Status TGPImageAttributes::GetAdjustedPalette(ColorPalette* colorPalette,
                                              ColorAdjustType colorAdjustType)
{
    return SetStatus(
        GdipGetImageAttributesAdjustedPalette(nativeImageAttr, colorPalette, colorAdjustType));
}
