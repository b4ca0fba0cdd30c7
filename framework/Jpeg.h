// Jpeg: a JPEG graphic over the IJG library (version 62 interface). It keeps the file's bytes,
// decodes them into a 24-bit bitmap for drawing, and compresses bitmaps assigned to it with its
// CompressionQuality.
#pragma once

#include "Graphics.h"

#include <vector>

using TJPEGQualityRange = int;   // 1..100
enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };

// Decodes JPEG bytes into a new 24-bit bitmap (the caller owns it). Bad data raises
// EInvalidGraphic; a file cut short gives what could be decoded, as viewers show it.
TBitmap* DecodeJpeg(const Byte* Data, size_t Size);
// Compresses a bitmap (any pixel format) to JPEG bytes.
std::vector<Byte> EncodeJpeg(TBitmap* Bitmap, int Quality, bool Grayscale = false,
                             bool Progressive = false);

class TJPEGImage : public TGraphic {
    DECLARE_CLASS(TJPEGImage, TGraphic)
public:
    TJPEGImage() = default;
    ~TJPEGImage() override;
    void Assign(TPersistent* Source) override;

    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool GetEmpty() const override { return FData.empty() && !FBitmap; }
    int GetWidth() const override { return FWidth; }
    int GetHeight() const override { return FHeight; }
    // A JPEG cannot be resized in place; setting the size raises EInvalidGraphicOperation.
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;

    TJPEGQualityRange GetCompressionQuality() const { return FQuality; }
    void SetCompressionQuality(TJPEGQualityRange Value);
    bool GetGrayscale() const { return FGrayscale; }
    void SetGrayscale(bool Value);
    bool GetProgressiveEncoding() const { return FProgressive; }
    void SetProgressiveEncoding(bool Value) { FProgressive = Value; }
    TJPEGPerformance GetPerformance() const { return FPerformance; }
    void SetPerformance(TJPEGPerformance Value) { FPerformance = Value; }
    TJPEGScale GetScale() const { return FScale; }
    void SetScale(TJPEGScale Value) { FScale = Value; }

    // Compresses the bitmap held (after Assign of a bitmap) when there are no bytes yet.
    void Compress();
    // Decodes the bytes into the bitmap held, when not done yet.
    void DIBNeeded();

    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    void LoadFromBytes(const Byte* Data, size_t Size);
    const std::vector<Byte>& GetData() { Compress(); return FData; }

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    std::vector<Byte> FData;
    std::unique_ptr<TBitmap> FBitmap;
    int FWidth = 0;
    int FHeight = 0;
    TJPEGQualityRange FQuality = 90;
    bool FGrayscale = false;
    bool FProgressive = false;
    TJPEGPerformance FPerformance = jpBestQuality;
    TJPEGScale FScale = jsFullSize;
};
