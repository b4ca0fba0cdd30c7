// Image file bytes handed to GDI+: copied into movable global memory, opened as an OLE stream and
// decoded into a GDI+ image. The pictures that keep an image file's bytes (the GDI+ picture and
// the markup pictures) decode through here each time they measure or draw.
#pragma once

#include "framework/Classes.h"
#include "framework/Graphics.h"

#include <functional>

class TGPImage;

// Copies the Size bytes at Data into fresh movable global memory, opens an OLE stream on it and
// hands the image GDI+ makes from that stream to Use; the image and the stream are released
// afterwards. The image passed may have failed to decode (see ImageDecoded). Answers false,
// without calling Use, when there are no bytes, when they are not a well-formed file of a known
// image format (ImageBytesWellFormed), or when they cannot be put into a stream. Raises Exception
// "Could not allocate memory for image" when the global memory block cannot be had.
bool WithDecodedImage(const void* Data, Int64 Size, const std::function<void(TGPImage* Image)>& Use);
bool WithDecodedImage(TMemoryStream* Data, const std::function<void(TGPImage* Image)>& Use);

// Images larger than these are not decoded (as the project's own PNG decoder limits them).
constexpr int MaxDecodedImageSide = 65535;
constexpr Int64 MaxDecodedImagePixels = Int64(1) << 26;

// True when the bytes are a well-formed file of the image format their first bytes show, checked
// before any platform decoder sees them: every size and offset inside the data, dimensions within
// the limits above, and the chunk (PNG), segment (JPEG), block (GIF), run (BMP), directory (icon,
// TIFF) and record (metafiles) walks complete to the format's end marker. Truncated, corrupt and
// unknown data answers false.
bool ImageBytesWellFormed(const void* Data, Int64 Size);

// True when GDI+ made an image of the bytes.
bool ImageDecoded(TGPImage* Image);
// The decoded image's size; 0 x 0 when it could not be decoded.
void DecodedImageSize(TGPImage* Image, int& Width, int& Height);

// Bitmap file bytes drawn stretched into Rect as a framework bitmap with automatic transparency
// (the colour of its bottom-left pixel is left out). Bytes of another format (an icon that the
// platform reports as a bitmap) are drawn as GDI+ decodes them. False when nothing could be drawn.
bool StretchDrawTransparentBitmap(TMemoryStream* Data, TCanvas* ACanvas, const TRect& Rect);
