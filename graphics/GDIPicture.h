// A graphic that keeps an image file's bytes and decodes them through GDI+ each time it draws,
// so PNG, JPEG, GIF, TIFF, icon and metafile images draw with their transparency.
#pragma once

#include "framework/Classes.h"
#include "framework/Graphics.h"

#include <cstdint>

class TGPGraphics;

enum TPictureFormat { pfBMP, pfGIF, pfJPG, pfPNG, pfICO, pfTiff, pfMetaFile, pfNone };

// A buffer shorter than this is never recognised.
constexpr int MinGraphicSize = 44;

// The image format shown by the first bytes of a buffer.
TPictureFormat FindPictureFormat(const void* Buffer, std::int64_t BufferSize);

class TGDIPPicture : public TGraphic {
    DECLARE_CLASS(TGDIPPicture, TGraphic)
public:
    TGDIPPicture();

    // Copies another GDI+ picture, a framework bitmap, picture holder or graphic; nil empties.
    // Any other source empties the picture.
    void Assign(TPersistent* Source) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool GetEmpty() const override { return FIsEmpty; }
    int GetHeight() const override { return FHeight; }
    int GetWidth() const override { return FWidth; }
    void ReadData(TStream* Stream) override;
    // The size is the image's own: these do nothing.
    void SetHeight(int) override {}
    void SetWidth(int) override {}
    void WriteData(TStream* Stream) override;
    // Never raises: a file that cannot be read leaves the picture empty.
    void LoadFromFile(const String& FileName) override;
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    void LoadFromClipboardFormat(Word, HANDLE, HPALETTE) override {}
    void SaveToClipboardFormat(Word&, HANDLE&, HPALETTE&) override {}

    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);
    // "RES://name" (a resource of the program's own module) or "FILE://path".
    void LoadFromURL(const String& URL);

    TPictureFormat GetPictureFormat() const;
    String GetFileName() const { return FFileName; }
    TGDIPPicture* GetGraphic() { return this; }
    // Measures the stored image; true when it could be decoded at all.
    bool GetImageSizes();
    void DrawImage(TGPGraphics* Graphics, int X, int Y);
    void DrawImageRect(TGPGraphics* Graphics, int X, int Y, int W, int H);

    int GetAngle() const { return FAngle; }
    void SetAngle(int Value) { FAngle = Value; }
    bool GetTransparentBitmap() const { return FTransparentBitmap; }
    void SetTransparentBitmap(bool Value) { FTransparentBitmap = Value; }
    TMemoryStream* GetDatastream() const { return FDatastream.get(); }

    TNotifyEvent OnClear;

protected:
    void DoChange();
    void DoClear();

private:
    String FFileName;
    TFreePtr<TMemoryStream> FDatastream;
    bool FIsEmpty = true;
    int FWidth = 0;
    int FHeight = 0;
    bool FTransparentBitmap = true;
    int FAngle = 0;

    void CopyFrom(TStream* Source);
};
