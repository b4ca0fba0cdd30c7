// PngImage: a PNG graphic. It keeps the file's bytes (saved back unchanged), decodes them with
// zlib into a 32-bit bitmap with alpha for drawing, and encodes bitmaps assigned to it.
#pragma once

#include "Graphics.h"

#include <vector>

// The pixels of a decoded PNG: top-down rows of blue, green, red, alpha.
struct TPngPixels {
    int Width = 0;
    int Height = 0;
    bool HasAlpha = false;   // an alpha channel or a transparency chunk
    std::vector<Byte> BGRA;
};

// Decodes a whole PNG file (every colour type, bit depth and interlacing). Bad, truncated or
// oversized data raises EInvalidGraphic.
TPngPixels DecodePng(const Byte* Data, size_t Size);
// Reads only the size from the header; false when the data is no PNG.
bool ReadPngSize(const Byte* Data, size_t Size, int& Width, int& Height);
// Encodes top-down rows of blue, green, red, alpha (Stride bytes apart) as an 8-bit RGB or RGBA
// PNG file.
std::vector<Byte> EncodePng(const Byte* BGRA, int Width, int Height, int Stride, bool WithAlpha);

class TPngImage : public TGraphic {
    DECLARE_CLASS(TPngImage, TGraphic)
public:
    TPngImage() = default;
    ~TPngImage() override;
    void Assign(TPersistent* Source) override;

    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool GetEmpty() const override { return FData.empty(); }
    int GetWidth() const override { return FWidth; }
    int GetHeight() const override { return FHeight; }
    // Resizing keeps the top-left part of the image (new area transparent) and encodes again.
    void SetWidth(int Value) override { SetSize(Value, FHeight); }
    void SetHeight(int Value) override { SetSize(FWidth, Value); }
    void SetSize(int AWidth, int AHeight) override;

    // Reads chunk by chunk up to and including IEND, so a PNG inside a longer stream is read
    // exactly.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    void LoadFromBytes(const Byte* Data, size_t Size);
    const std::vector<Byte>& GetData() const { return FData; }
    bool GetHasAlpha() const { return FHasAlpha; }

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    // The decoded image as a 32-bit bitmap (alpha defined when the image has any).
    TBitmap* Decoded();
    void SetFromBitmap(TBitmap* Source);

    std::vector<Byte> FData;
    int FWidth = 0;
    int FHeight = 0;
    bool FHasAlpha = false;
    std::unique_ptr<TBitmap> FBitmap;
};
