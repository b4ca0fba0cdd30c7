// The GDI+ picture: stored bytes, format sniffing, decoding through GDIPImageBytes.
#include "graphics/GDIPicture.h"

#include "graphics/GDIPImageBytes.h"
#include "graphics/QorGDIP.h"
#include "framework/SysUtils.h"

#include <windows.h>

#include <cstring>
#include <memory>

namespace {

std::uint16_t Word16(const Byte* P) { return std::uint16_t(P[0] | (P[1] << 8)); }
std::uint32_t Word32(const Byte* P)
{
    return std::uint32_t(P[0]) | (std::uint32_t(P[1]) << 8) | (std::uint32_t(P[2]) << 16) |
           (std::uint32_t(P[3]) << 24);
}

}  // namespace

TPictureFormat FindPictureFormat(const void* Buffer, std::int64_t BufferSize)
{
    if (!Buffer || BufferSize < MinGraphicSize) return pfNone;
    const Byte* B = static_cast<const Byte*>(Buffer);
    const std::uint16_t W0 = Word16(B), W1 = Word16(B + 2);
    switch (W0) {
    case 0x4949: return W1 == 0x002A ? pfTiff : pfNone;
    case 0x4D42: return pfBMP;
    case 0x4D4D: return W1 == 0x2A00 ? pfTiff : pfNone;
    case 0xD8FF: return pfJPG;
    default: break;
    }
    static const Byte PngSig[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    if (std::memcmp(B, PngSig, 8) == 0) return pfPNG;
    const std::uint32_t First = Word32(B);
    if (First == 0x9AC6CDD7u) return pfMetaFile;
    if (First == 1 && Word32(B + 40) == 0x464D4520u) return pfMetaFile;
    if (B[0] == 'G' && B[1] == 'I' && B[2] == 'F') return pfGIF;
    if (W1 == 1) return pfICO;
    return pfNone;
}

TGDIPPicture::TGDIPPicture() : FDatastream(new TMemoryStream()) {}


void TGDIPPicture::DoChange()
{
    if (OnChange) OnChange(this);
}

void TGDIPPicture::DoClear()
{
    if (OnClear) OnClear(this);
}

void TGDIPPicture::CopyFrom(TStream* Source)
{
    FDatastream->Clear();
    Source->SetPosition(0);
    FDatastream->CopyFrom(Source, 0);
    FDatastream->SetPosition(0);
}

TPictureFormat TGDIPPicture::GetPictureFormat() const
{
    return FindPictureFormat(FDatastream->GetMemory(), FDatastream->GetSize());
}

bool TGDIPPicture::GetImageSizes()
{
    if (FIsEmpty) return false;
    FWidth = FHeight = 0;
    return WithDecodedImage(FDatastream.get(), [this](TGPImage* Image) { DecodedImageSize(Image, FWidth, FHeight); });
}

void TGDIPPicture::LoadFromFile(const String& FileName)
{
    try {
        FDatastream->LoadFromFile(FileName);
        FDatastream->SetPosition(0);
        FIsEmpty = FDatastream->GetSize() == 0;
        FFileName = FileName;
        DoClear();
        // Bytes no decoder accepts make an empty picture; they are kept for saving.
        if (!GetImageSizes()) FIsEmpty = true;
        DoChange();
    } catch (...) {
        // A file that cannot be read leaves an empty picture; callers check GetEmpty.
        FDatastream->Clear();
        FIsEmpty = true;
        FWidth = FHeight = 0;
    }
}

void TGDIPPicture::LoadFromStream(TStream* Stream)
{
    if (!Stream) return;
    CopyFrom(Stream);
    FIsEmpty = FDatastream->GetSize() == 0;
    if (FIsEmpty) FWidth = FHeight = 0;
    if (!GetImageSizes()) FIsEmpty = true;
    DoChange();
}

void TGDIPPicture::SaveToStream(TStream* Stream)
{
    if (!Stream) return;
    FDatastream->SaveToStream(Stream);
}

void TGDIPPicture::ReadData(TStream* Stream)
{
    if (!Stream) return;
    FDatastream->Clear();
    FDatastream->CopyFrom(Stream, Stream->GetSize() - Stream->GetPosition());
    FDatastream->SetPosition(0);
    FIsEmpty = FDatastream->GetSize() == 0;
}

void TGDIPPicture::WriteData(TStream* Stream) { SaveToStream(Stream); }

void TGDIPPicture::LoadFromResourceName(HINSTANCE Instance, const String& ResName)
{
    if (!FindResourceW(Instance, ResName.c_str(), MAKEINTRESOURCEW(10))) return;
    std::unique_ptr<TResourceStream> Res(new TResourceStream(Instance, ResName, MAKEINTRESOURCEW(10)));
    LoadFromStream(Res.get());
}

void TGDIPPicture::LoadFromResourceID(HINSTANCE Instance, int ResID)
{
    std::unique_ptr<TResourceStream> Res(new TResourceStream(Instance, ResID, MAKEINTRESOURCEW(10)));
    LoadFromStream(Res.get());
}

void TGDIPPicture::LoadFromURL(const String& URL)
{
    const String Upper = UpperCase(URL);
    if (Upper.rfind(L"RES://", 0) == 0) {
        const String Name = URL.substr(6);
        if (!Name.empty()) LoadFromResourceName(GetModuleHandleW(nullptr), Name);
    } else if (Upper.rfind(L"FILE://", 0) == 0) {
        const String Name = URL.substr(7);
        if (!Name.empty()) LoadFromFile(Name);
    }
}

void TGDIPPicture::Assign(TPersistent* Source)
{
    FIsEmpty = true;
    auto TakeGraphic = [this](TGraphic* G) {
        std::unique_ptr<TMemoryStream> Tmp(new TMemoryStream());
        if (G && !G->GetEmpty()) G->SaveToStream(Tmp.get());
        CopyFrom(Tmp.get());
        FIsEmpty = FDatastream->GetSize() == 0;
        if (FIsEmpty) FWidth = FHeight = 0;
        DoChange();
        GetImageSizes();
    };
    if (!Source) {
        FDatastream->Clear();
        FWidth = FHeight = 0;
        DoChange();
        DoClear();
    } else if (auto* P = dynamic_cast<TGDIPPicture*>(Source)) {
        if (P == this) {
            FIsEmpty = FDatastream->GetSize() == 0;
            return;
        }
        CopyFrom(P->FDatastream.get());
        FIsEmpty = FDatastream->GetSize() == 0;
        if (FIsEmpty) FWidth = FHeight = 0;
        DoChange();
        GetImageSizes();
    } else if (auto* Pic = dynamic_cast<TPicture*>(Source)) {
        // A holder without a graphic gives an empty picture.
        TakeGraphic(Pic->GetGraphic());
    } else if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        TakeGraphic(G);
    } else {
        // Not a graphic: leave no stale bytes behind that saving would write out.
        FDatastream->Clear();
        FWidth = FHeight = 0;
        DoChange();
    }
}

void TGDIPPicture::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (FIsEmpty || !ACanvas) return;
    WithDecodedImage(FDatastream.get(), [&](TGPImage* Image) {
        TGPGraphics Graphics(ACanvas->GetHandle());
        if (!ImageDecoded(Image)) {
            FWidth = FHeight = 0;
            return;
        }
        if (Image->GetFormat() == ifBMP && FTransparentBitmap) {
            StretchDrawTransparentBitmap(FDatastream.get(), ACanvas, Rect);
            return;
        }
        FWidth = int(Image->GetWidth());
        FHeight = int(Image->GetHeight());
        std::unique_ptr<TGPMatrix> Matrix;
        if (FAngle != 0) {
            Matrix.reset(new TGPMatrix());
            Matrix->RotateAt(float(FAngle),
                             TGPPointF{float(Rect.Left + FWidth / 2.0), float(Rect.Top + FHeight / 2.0)},
                             MatrixOrderPrepend);
            Graphics.SetTransform(Matrix.get());
        }
        Graphics.DrawImageRect(Image, Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top);
        if (Matrix) Graphics.ResetTransform();
    });
}

void TGDIPPicture::DrawImage(TGPGraphics* Graphics, int X, int Y)
{
    if (FIsEmpty || !Graphics) return;
    WithDecodedImage(FDatastream.get(), [&](TGPImage* Image) {
        if (ImageDecoded(Image)) Graphics->DrawImage(Image, X, Y);
    });
}

void TGDIPPicture::DrawImageRect(TGPGraphics* Graphics, int X, int Y, int W, int H)
{
    if (FIsEmpty || !Graphics) return;
    WithDecodedImage(FDatastream.get(), [&](TGPImage* Image) {
        if (ImageDecoded(Image)) Graphics->DrawImageRect(Image, X, Y, W, H);
    });
}
