// Image bytes decoded through a global-memory OLE stream.
#include "graphics/GDIPImageBytes.h"

#include "graphics/GDIPicture.h"
#include "graphics/QorGDIP.h"

#include "framework/WinScope.h"

#include <objbase.h>
#include <windows.h>

#include <memory>

bool WithDecodedImage(const void* Data, Int64 Size, const std::function<void(TGPImage* Image)>& Use)
{
    if (!Data || Size <= 0) return false;
    // A global memory block and an OLE stream hold at most what a ULONG counts.
    if (UInt64(Size) > UInt64(ULONG(-1)) || UInt64(Size) > UInt64(SIZE_T(-1))) return false;
    // Bytes of no known image format, or not well formed, are not handed to the decoders at all:
    // the platform's decoders trust sizes and offsets that corrupt data gets wrong.
    if (!ImageBytesWellFormed(Data, Size)) return false;
    HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, SIZE_T(Size));
    if (!Mem) throw Exception(L"Could not allocate memory for image");
    IStream* Stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(Mem, TRUE, &Stream)) || !Stream) {
        GlobalFree(Mem);
        return false;
    }
    // The stream owns the block from here, and the image reads the stream: the image goes first.
    auto ReleaseStream = ScopeExit([Stream] { Stream->Release(); });
    ULONG Written = 0;
    HRESULT Hr = Stream->Write(Data, ULONG(Size), &Written);
    if (FAILED(Hr) || Written != ULONG(Size)) return false;
    LARGE_INTEGER Zero{};
    Stream->Seek(Zero, STREAM_SEEK_SET, nullptr);
    std::unique_ptr<TGPImage> Image(new TGPImage(Stream, false));
    Use(Image.get());
    return true;
}

bool WithDecodedImage(TMemoryStream* Data, const std::function<void(TGPImage* Image)>& Use)
{
    if (!Data) return false;
    return WithDecodedImage(Data->GetMemory(), Data->GetSize(), Use);
}

bool ImageDecoded(TGPImage* Image) { return Image && Image->nativeImage && Image->GetLastStatus() == Ok; }

void DecodedImageSize(TGPImage* Image, int& Width, int& Height)
{
    if (!ImageDecoded(Image)) {
        Width = Height = 0;
        return;
    }
    Width = int(Image->GetWidth());
    Height = int(Image->GetHeight());
}

bool StretchDrawTransparentBitmap(TMemoryStream* Data, TCanvas* ACanvas, const TRect& Rect)
{
    if (!Data || !ACanvas) return false;
    // Some platforms report an icon as a bitmap: bytes that are no bitmap file draw as GDI+
    // decodes them (the decoding checks them first).
    if (FindPictureFormat(Data->GetMemory(), Data->GetSize()) != pfBMP) {
        bool Drawn = false;
        WithDecodedImage(Data, [&](TGPImage* Image) {
            if (!ImageDecoded(Image)) return;
            TGPGraphics Graphics(ACanvas->GetHandle());
            Drawn = Graphics.DrawImageRect(Image, Rect.Left, Rect.Top, Rect.Right - Rect.Left,
                                           Rect.Bottom - Rect.Top) == Ok;
        });
        return Drawn;
    }
    if (!ImageBytesWellFormed(Data->GetMemory(), Data->GetSize())) return false;
    std::unique_ptr<TBitmap> Bmp(Create<TBitmap>());
    Data->SetPosition(0);
    try {
        Bmp->LoadFromStream(Data);
    } catch (const Exception&) {
        return false;
    }
    Bmp->SetTransparentMode(tmAuto);
    Bmp->SetTransparent(true);
    ACanvas->StretchDraw(Rect, Bmp.get());
    return true;
}
