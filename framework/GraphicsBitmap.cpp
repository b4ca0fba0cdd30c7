// Graphics: the bitmap (a DIB section), its canvas, and reading and writing BMP data.
#include "Graphics.h"

#include <cstring>

namespace {

constexpr Int64 MaxPixels = Int64(1) << 26;   // 64 M pixels: far beyond any picture a user keeps

int BitsPerPixel(TPixelFormat PF)
{
    switch (PF) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32;
    }
}

int Stride(int Width, int Bpp)
{
    return int(((Int64(Width) * Bpp + 31) / 32) * 4);
}

// The default colour table of an indexed format: black and white, the 16 standard colours, or
// those followed by a 6x6x6 cube and a grey ramp.
std::vector<RGBQUAD> DefaultColors(int Bpp)
{
    std::vector<RGBQUAD> C;
    if (Bpp == 1) {
        C.push_back({0, 0, 0, 0});
        C.push_back({255, 255, 255, 0});
        return C;
    }
    static const TColor Vga[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple,
                                   clTeal, clGray, clSilver, clRed, clLime, clYellow,
                                   clBlue, clFuchsia, clAqua, clWhite};
    for (TColor V : Vga) C.push_back({GetBValue(V), GetGValue(V), GetRValue(V), 0});
    if (Bpp == 4) return C;
    for (int R = 0; R < 6; ++R)
        for (int G = 0; G < 6; ++G)
            for (int B = 0; B < 6; ++B)
                C.push_back({Byte(B * 51), Byte(G * 51), Byte(R * 51), 0});
    // A grey ramp to white: the last entry is white, as in the system palette.
    for (int I = 1; C.size() < 256; ++I) {
        Byte V = Byte(I * 255 / 24);
        C.push_back({V, V, V, 0});
    }
    return C;
}

// The colour table of a DIB section that no device context holds.
int ColorTableOf(HBITMAP Bitmap, RGBQUAD* Colors)
{
    TCompatibleDC DC(nullptr);
    TSelectObject Select(DC, Bitmap);
    return Select ? int(GetDIBColorTable(DC, 0, 256, Colors)) : 0;
}

// Copies the top-left Width x Height of one bitmap onto another, through GDI (formats convert).
void CopyBitmapPixels(HBITMAP From, HBITMAP To, int Width, int Height)
{
    TCompatibleDC Src(nullptr), Dst(nullptr);
    TSelectObject SelectSrc(Src, From), SelectDst(Dst, To);
    BitBlt(Dst, 0, 0, Width, Height, Src, 0, 0, SRCCOPY);
}

struct TDibInfo {
    BITMAPINFOHEADER Header;
    union {
        RGBQUAD Colors[256];
        DWORD Masks[3];
    };
};

// Little-endian reads inside a bounded block.
struct TReader {
    const Byte* Data;
    size_t Size;
    bool Has(size_t Offset, size_t Count) const { return Offset <= Size && Count <= Size - Offset; }
    uint32_t U32(size_t O) const
    {
        return uint32_t(Data[O]) | uint32_t(Data[O + 1]) << 8 | uint32_t(Data[O + 2]) << 16 |
               uint32_t(Data[O + 3]) << 24;
    }
    uint16_t U16(size_t O) const { return uint16_t(Data[O] | Data[O + 1] << 8); }
};

[[noreturn]] void BadBitmap(const wchar_t* Why)
{
    throw EInvalidGraphic(Consts::SInvalidBitmap, {Why});
}

// Unpacks RLE8 or RLE4 data into 8-bit indexes, bottom-up rows, never writing or reading outside.
void DecodeRle(const Byte* Src, size_t Size, bool Rle4, int Width, int Height, Byte* Dst,
               int DstStride)
{
    int X = 0, Y = 0;   // Y counts rows from the bottom
    size_t P = 0;
    auto Put = [&](Byte Index) {
        if (X < Width && Y < Height) Dst[size_t(Y) * size_t(DstStride) + size_t(X)] = Index;
        ++X;
    };
    while (P + 1 < Size && Y < Height) {
        Byte Count = Src[P], Value = Src[P + 1];
        P += 2;
        if (Count > 0) {
            for (int I = 0; I < Count; ++I)
                Put(Rle4 ? Byte((I & 1) ? (Value & 0x0F) : (Value >> 4)) : Value);
            continue;
        }
        if (Value == 0) {            // end of line
            X = 0;
            ++Y;
        } else if (Value == 1) {     // end of bitmap
            return;
        } else if (Value == 2) {     // delta
            if (P + 1 >= Size) return;
            X += Src[P];
            Y += Src[P + 1];
            P += 2;
        } else {                     // absolute run of Value pixels
            int N = Value;
            size_t Bytes = Rle4 ? size_t((N + 1) / 2) : size_t(N);
            if (P + Bytes > Size) return;
            for (int I = 0; I < N; ++I) {
                Byte B = Src[P + size_t(Rle4 ? I / 2 : I)];
                Put(Rle4 ? Byte((I & 1) ? (B & 0x0F) : (B >> 4)) : B);
            }
            P += (Bytes + 1) & ~size_t(1);   // runs are word aligned
        }
    }
}

// One channel of a bit-field pixel scaled to 8 bits.
struct TChannel {
    DWORD Mask = 0;
    int Shift = 0;
    int Bits = 0;
    explicit TChannel(DWORD M) : Mask(M)
    {
        if (!M) return;
        while (!((M >> Shift) & 1)) ++Shift;
        while (Shift + Bits < 32 && ((M >> (Shift + Bits)) & 1)) ++Bits;
    }
    Byte Get(DWORD Pixel) const
    {
        if (!Mask) return 0;
        DWORD V = (Pixel & Mask) >> Shift;
        DWORD Max = Bits >= 32 ? 0xFFFFFFFFu : ((1u << Bits) - 1);
        return Byte((uint64_t(V) * 255 + Max / 2) / Max);
    }
};

}  // namespace

// ---- TGraphic ---------------------------------------------------------------------------------

void TGraphic::SetSize(int AWidth, int AHeight)
{
    SetWidth(AWidth);
    SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool Value)
{
    if (Value == FTransparent) return;
    FTransparent = Value;
    Changed(this);
}

void TGraphic::SetModified(bool Value)
{
    if (Value) Changed(this);
    else FModified = false;
}

void TGraphic::Changed(TObject*)
{
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName)
{
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&Stream);
}

void TGraphic::SaveToFile(const String& FileName)
{
    TFileStream Stream(FileName, fmCreate);
    SaveToStream(&Stream);
}

void TGraphic::LoadFromClipboardFormat(Word, HANDLE, HPALETTE)
{
    throw EInvalidGraphic(Consts::SUnknownClipboardFormat);
}

void TGraphic::SaveToClipboardFormat(Word&, HANDLE&, HPALETTE&)
{
    throw EInvalidGraphic(Consts::SUnknownClipboardFormat);
}

bool TGraphic::Equals(TGraphic* Graphic)
{
    if (!Graphic) return false;
    if (Graphic == this) return true;
    if (ClassName() != Graphic->ClassName() || GetEmpty() != Graphic->GetEmpty()) return false;
    if (GetEmpty()) return true;
    TMemoryStream A, B;
    SaveToStream(&A);
    Graphic->SaveToStream(&B);
    return A.GetSize() == B.GetSize() &&
           std::memcmp(A.GetMemory(), B.GetMemory(), size_t(A.GetSize())) == 0;
}

TGraphic* TGraphic::NewEmpty() const
{
    TGraphicClass C = FindGraphicClass(ClassName());
    if (!C) throw EInvalidGraphic(L"Graphic class " + ClassName() + L" is not registered");
    return C.Create();
}

void TGraphic::AssignTo(TPersistent* Dest)
{
    // Any graphic becomes a bitmap by drawing itself on a white 32-bit bitmap of its size.
    if (auto* Bmp = dynamic_cast<TBitmap*>(Dest)) {
        std::unique_ptr<TBitmap> B(Create<TBitmap>());
        B->SetPixelFormat(pf32bit);
        B->SetSize(GetWidth(), GetHeight());
        if (!GetEmpty() && !B->GetEmpty()) B->GetCanvas()->Draw(0, 0, this);
        Bmp->Assign(B.get());
        Bmp->SetTransparent(GetTransparent());
        return;
    }
    inherited::AssignTo(Dest);
}

// ---- TBitmapCanvas ----------------------------------------------------------------------------

TBitmapCanvas::~TBitmapCanvas()
{
    FreeContext();
}

void TBitmapCanvas::CreateHandle()
{
    if (FDC) return;
    HDC DC = CreateCompatibleDC(nullptr);
    if (!DC) throw EOutOfResources(Consts::SOutOfResources);
    if (FBitmap && FBitmap->FHandle) FOldBitmap = SelectObject(DC, FBitmap->FHandle);
    if (FBitmap && FBitmap->FPalette) {
        FOldPalette = SelectPalette(DC, FBitmap->FPalette, TRUE);
        RealizePalette(DC);
    }
    FDC = DC;
    SetHandle(DC);
}

void TBitmapCanvas::FreeContext()
{
    if (!FDC) return;
    Lock();
    HDC DC = FDC;
    SetHandle(nullptr);
    if (FOldBitmap) SelectObject(DC, FOldBitmap);
    if (FOldPalette) SelectPalette(DC, FOldPalette, TRUE);
    DeleteDC(DC);
    FOldBitmap = nullptr;
    FOldPalette = nullptr;
    FDC = nullptr;
    Unlock();
}

// ---- TBitmap ----------------------------------------------------------------------------------

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight)
{
    SetSize(AWidth, AHeight);
}

TBitmap::~TBitmap()
{
    FCanvas.reset();
    FreeHandles();
    if (FPalette) DeleteObject(FPalette);
}

void TBitmap::FreeContext()
{
    if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::FreeHandles()
{
    FreeContext();
    if (FHandle) DeleteObject(FHandle);
    FHandle = nullptr;
    FBits = nullptr;
}

TCanvas* TBitmap::GetCanvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TBitmapCanvas>(this);
        FCanvas->OnChange = [this](TObject*) { Changed(this); };
    }
    return FCanvas.get();
}

HBITMAP TBitmap::GetHandle()
{
    FreeContext();
    return FHandle;
}

int TBitmap::BytesPerScanline() const
{
    return Stride(FWidth, BitsPerPixel(FPixelFormat));
}

// Replaces the image with a new white DIB section of the size and format. The old image is kept
// by the caller when it wants its content.
void TBitmap::NewImage(int AWidth, int AHeight, TPixelFormat APixelFormat, const RGBQUAD* Colors,
                       int ColorCount)
{
    if (AWidth < 0 || AHeight < 0) throw EInvalidGraphic(L"Invalid bitmap size");
    if (Int64(AWidth) * AHeight > MaxPixels)
        throw EInvalidGraphic(L"Bitmap size is too large");
    int Bpp = BitsPerPixel(APixelFormat);
    HBITMAP NewHandle = nullptr;
    void* NewBits = nullptr;
    std::vector<RGBQUAD> Def;
    if (AWidth > 0 && AHeight > 0) {
        TDibInfo Info{};
        Info.Header.biSize = sizeof(BITMAPINFOHEADER);
        Info.Header.biWidth = AWidth;
        Info.Header.biHeight = AHeight;
        Info.Header.biPlanes = 1;
        Info.Header.biBitCount = WORD(Bpp);
        Info.Header.biCompression = BI_RGB;
        if (APixelFormat == pf16bit) {
            Info.Header.biCompression = BI_BITFIELDS;
            Info.Masks[0] = 0xF800;
            Info.Masks[1] = 0x07E0;
            Info.Masks[2] = 0x001F;
        } else if (Bpp <= 8) {
            if (!Colors || ColorCount <= 0) {
                Def = DefaultColors(Bpp);
                Colors = Def.data();
                ColorCount = int(Def.size());
            }
            ColorCount = std::min(ColorCount, 1 << Bpp);
            std::memcpy(Info.Colors, Colors, sizeof(RGBQUAD) * size_t(ColorCount));
            Info.Header.biClrUsed = DWORD(ColorCount);
        }
        NewHandle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&Info), DIB_RGB_COLORS,
                                     &NewBits, nullptr, 0);
        if (!NewHandle || !NewBits) throw EOutOfResources(Consts::SOutOfResources);
        // White, as a fresh sheet should be (index of white for indexed formats).
        if (Bpp > 8) {
            std::memset(NewBits, 0xFF, size_t(Stride(AWidth, Bpp)) * size_t(AHeight));
            if (Bpp == 32)
                for (Int64 I = 0, N = Int64(AWidth) * AHeight; I < N; ++I)
                    static_cast<Byte*>(NewBits)[I * 4 + 3] = 0;
        } else {
            // The entry nearest white, repeated over every pixel.
            int White = 0, Best = -1;
            for (int I = 0; I < ColorCount; ++I) {
                int D = (255 - Colors[I].rgbRed) + (255 - Colors[I].rgbGreen) + (255 - Colors[I].rgbBlue);
                if (Best < 0 || D < Best) Best = D, White = I;
            }
            Byte Fill = Bpp == 8 ? Byte(White) : Bpp == 4 ? Byte(White << 4 | White) : Byte(White ? 0xFF : 0);
            std::memset(NewBits, Fill, size_t(Stride(AWidth, Bpp)) * size_t(AHeight));
        }
    }
    FreeHandles();
    FHandle = NewHandle;
    FBits = NewBits;
    FWidth = AWidth;
    FHeight = AHeight;
    FPixelFormat = APixelFormat;
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == FWidth && AHeight == FHeight) return;
    // Keep the content: the old image is copied into the top-left of the new one.
    HBITMAP OldHandle = FHandle;
    void* OldBits = FBits;
    int OldW = FWidth, OldH = FHeight;
    FreeContext();
    FHandle = nullptr;   // NewImage must not free the old image yet
    FBits = nullptr;
    RGBQUAD Colors[256];
    int ColorCount = OldHandle && BitsPerPixel(FPixelFormat) <= 8 ? ColorTableOf(OldHandle, Colors) : 0;
    {
        auto KeepOld = ScopeFail([&] {
            FHandle = OldHandle;
            FBits = OldBits;
        });
        NewImage(AWidth, AHeight, FPixelFormat, ColorCount ? Colors : nullptr, ColorCount);
    }
    if (OldHandle && FHandle) {
        GdiFlush();
        int Bpp = BitsPerPixel(FPixelFormat);
        int Rows = std::min(OldH, FHeight);
        int OldStride = Stride(OldW, Bpp), NewStride = Stride(FWidth, Bpp);
        int CommonBits = std::min(OldW, FWidth) * Bpp;
        for (int R = 0; R < Rows; ++R) {
            const Byte* Src = static_cast<const Byte*>(OldBits) + size_t(OldH - 1 - R) * size_t(OldStride);
            Byte* Dst = static_cast<Byte*>(FBits) + size_t(FHeight - 1 - R) * size_t(NewStride);
            std::memcpy(Dst, Src, size_t(CommonBits / 8));
            if (int Rest = CommonBits % 8) {   // a partial byte of 1- or 4-bit pixels
                Byte Mask = Byte(0xFF << (8 - Rest));
                Dst[CommonBits / 8] = Byte((Src[CommonBits / 8] & Mask) | (Dst[CommonBits / 8] & ~Mask));
            }
        }
    }
    if (OldHandle) DeleteObject(OldHandle);
    Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    if (Value == pfCustom) Value = pf32bit;
    if (Value == FPixelFormat) return;
    if (!FHandle) {
        FPixelFormat = Value;
        Changed(this);
        return;
    }
    // Convert through GDI: draw the old image on the new one.
    HBITMAP OldHandle = FHandle;
    void* OldBits = FBits;
    FreeContext();
    FHandle = nullptr;
    FBits = nullptr;
    {
        auto KeepOld = ScopeFail([&] {
            FHandle = OldHandle;
            FBits = OldBits;
        });
        NewImage(FWidth, FHeight, Value, nullptr, 0);
    }
    CopyBitmapPixels(OldHandle, FHandle, FWidth, FHeight);
    DeleteObject(OldHandle);
    Changed(this);
}

void TBitmap::SetAlphaFormat(TAlphaFormat Value)
{
    if (Value == FAlphaFormat) return;
    FAlphaFormat = Value;
    Changed(this);
}

void TBitmap::SetMonochrome(bool Value)
{
    if (Value) SetPixelFormat(pf1bit);
    else if (FPixelFormat == pf1bit) SetPixelFormat(pfDevice);
}

void TBitmap::SetPalette(HPALETTE Value)
{
    if (Value == FPalette) return;
    FreeContext();
    if (FPalette) DeleteObject(FPalette);
    FPalette = Value;
    Changed(this);
}

void TBitmap::SetHandle(HBITMAP Value)
{
    if (Value == FHandle) return;
    if (!Value) {
        FreeHandles();
        FWidth = FHeight = 0;
        Changed(this);
        return;
    }
    DIBSECTION DS{};
    int Got = GetObjectW(Value, sizeof(DS), &DS);
    if (Got == 0) throw EInvalidGraphic(L"Invalid bitmap handle");
    bool IsDib = Got == int(sizeof(DS)) && DS.dsBm.bmBits && DS.dsBmih.biHeight > 0;
    if (IsDib) {
        TPixelFormat PF;
        switch (DS.dsBmih.biBitCount) {
        case 1: PF = pf1bit; break;
        case 4: PF = pf4bit; break;
        case 8: PF = pf8bit; break;
        case 16: PF = DS.dsBmih.biCompression == BI_BITFIELDS && DS.dsBitfields[1] == 0x07E0 ? pf16bit : pf15bit; break;
        case 24: PF = pf24bit; break;
        default: PF = pf32bit;
        }
        bool Plain = DS.dsBmih.biBitCount != 16 || PF == pf16bit ||
                     DS.dsBmih.biCompression == BI_RGB;
        if (Plain) {
            FreeHandles();
            FHandle = Value;
            FBits = DS.dsBm.bmBits;
            FWidth = DS.dsBm.bmWidth;
            FHeight = DS.dsBm.bmHeight;
            FPixelFormat = PF;
            Changed(this);
            return;
        }
    }
    // A device bitmap, a top-down DIB or an unusual layout: copy into a DIB section of our own.
    int W = DS.dsBm.bmWidth, H = std::abs(DS.dsBm.bmHeight);
    TPixelFormat PF = DS.dsBm.bmBitsPixel == 1 ? pf1bit : pf32bit;
    NewImage(W, H, PF, nullptr, 0);
    CopyBitmapPixels(Value, FHandle, W, H);
    DeleteObject(Value);
    Changed(this);
}

HBITMAP TBitmap::ReleaseHandle()
{
    FreeContext();
    HBITMAP H = FHandle;
    FHandle = nullptr;
    FBits = nullptr;
    FWidth = FHeight = 0;
    Changed(this);
    return H;
}

void* TBitmap::ScanLine(int Row)
{
    if (!FHandle || Row < 0 || Row >= FHeight)
        throw EInvalidGraphicOperation(L"Scan line index out of range");
    GdiFlush();
    FModified = true;
    return static_cast<Byte*>(FBits) + size_t(FHeight - 1 - Row) * size_t(BytesPerScanline());
}

TColor TBitmap::GetTransparentColor()
{
    if (FTransparentColor != clDefault) return FTransparentColor;
    if (!FHandle) return clDefault;
    // Automatic: the colour of the bottom-left pixel.
    return GetCanvas()->GetPixels(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor Value)
{
    if (Value == FTransparentColor) return;
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (Value == FTransparentMode) return;
    if (Value == tmAuto) SetTransparentColor(clDefault);
    else SetTransparentColor(GetTransparentColor());
}

void TBitmap::Assign(TPersistent* Source)
{
    if (!Source) {
        FreeHandles();
        FWidth = FHeight = 0;
        Changed(this);
        return;
    }
    if (auto* B = dynamic_cast<TBitmap*>(Source)) {
        if (B == this) return;
        RGBQUAD Colors[256];
        B->FreeContext();
        int ColorCount = B->FHandle && BitsPerPixel(B->FPixelFormat) <= 8 ? ColorTableOf(B->FHandle, Colors) : 0;
        NewImage(B->FWidth, B->FHeight, B->FPixelFormat, ColorCount ? Colors : nullptr, ColorCount);
        if (FHandle && B->FBits) {
            GdiFlush();
            std::memcpy(FBits, B->FBits, size_t(BytesPerScanline()) * size_t(FHeight));
        }
        FWidth = B->FWidth;
        FHeight = B->FHeight;
        FTransparent = B->FTransparent;
        FTransparentMode = B->FTransparentMode;
        FTransparentColor = B->FTransparentColor;
        FAlphaFormat = B->FAlphaFormat;
        Changed(this);
        return;
    }
    inherited::Assign(Source);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (!FHandle || !ACanvas) return;
    HDC Dst = ACanvas->GetHandle();
    HDC Src = GetCanvas()->GetHandle();
    int W = Rect.Width(), H = Rect.Height();
    if (FTransparent) {
        COLORREF C = COLORREF(ColorToRGB(GetTransparentColor())) & 0xFFFFFF;
        if (TransparentBlt(Dst, Rect.Left, Rect.Top, W, H, Src, 0, 0, FWidth, FHeight, C)) return;
    } else if (FPixelFormat == pf32bit && FAlphaFormat != afIgnored) {
        // AlphaBlend wants premultiplied pixels.
        std::unique_ptr<TBitmap> Pre;
        HDC From = Src;
        if (FAlphaFormat == afDefined) {
            Pre.reset(Create<TBitmap>());
            Pre->Assign(this);
            Pre->FAlphaFormat = afIgnored;
            GdiFlush();
            Byte* P = static_cast<Byte*>(Pre->FBits);
            for (Int64 I = 0, N = Int64(FWidth) * FHeight; I < N; ++I, P += 4)
                for (int Ch = 0; Ch < 3; ++Ch) P[Ch] = Byte((P[Ch] * P[3] + 127) / 255);
            From = Pre->GetCanvas()->GetHandle();
        }
        BLENDFUNCTION BF{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        if (AlphaBlend(Dst, Rect.Left, Rect.Top, W, H, From, 0, 0, FWidth, FHeight, BF)) return;
    }
    int OldMode = SetStretchBltMode(Dst, COLORONCOLOR);
    StretchBlt(Dst, Rect.Left, Rect.Top, W, H, Src, 0, 0, FWidth, FHeight,
               DWORD(ACanvas->GetCopyMode()));
    SetStretchBltMode(Dst, OldMode);
}

// ---- BMP data ---------------------------------------------------------------------------------

void TBitmap::LoadFromDIB(const Byte* Data, size_t Size)
{
    LoadDIBAt(Data, Size, 0);
}

// Reads a packed DIB; BitsOffset, when inside the data, says where the pixels start (the file
// header's offset), else they follow the colour table. Decodes into a new image and takes it over
// only when the whole of it was read.
void TBitmap::LoadDIBAt(const Byte* Data, size_t Size, size_t BitsOffsetHint)
{
    TReader R{Data, Size};
    if (!Data || !R.Has(0, 4)) BadBitmap(L"no header");
    uint32_t HeaderSize = R.U32(0);
    int W, H, Bpp;
    uint32_t Compression = BI_RGB, ClrUsed = 0;
    size_t EntrySize = 4;
    DWORD Masks[4] = {0, 0, 0, 0};
    bool HasMasks = false;
    if (HeaderSize == 12) {
        if (!R.Has(0, 12)) BadBitmap(Consts::SBitmapTruncatedHeader);
        W = R.U16(4);
        H = int16_t(R.U16(6));
        Bpp = R.U16(10);
        EntrySize = 3;
    } else if (HeaderSize >= 40 && HeaderSize <= 1024) {
        if (!R.Has(0, HeaderSize)) BadBitmap(Consts::SBitmapTruncatedHeader);
        W = int32_t(R.U32(4));
        H = int32_t(R.U32(8));
        Bpp = R.U16(14);
        Compression = R.U32(16);
        ClrUsed = R.U32(32);
        if (HeaderSize >= 52) {
            for (int I = 0; I < 3; ++I) Masks[I] = R.U32(40 + size_t(I) * 4);
            HasMasks = true;
        }
        if (HeaderSize >= 56) Masks[3] = R.U32(52);
    } else {
        BadBitmap(L"unknown header");
    }
    size_t Offset = HeaderSize;
    if (HeaderSize == 40 && (Compression == BI_BITFIELDS || Compression == 6 /*with alpha*/)) {
        size_t N = Compression == 6 ? 4 : 3;
        if (!R.Has(Offset, N * 4)) BadBitmap(L"truncated masks");
        for (size_t I = 0; I < N; ++I) Masks[I] = R.U32(Offset + I * 4);
        HasMasks = true;
        Offset += N * 4;
    }
    if (Compression == 6) Compression = BI_BITFIELDS;
    if (W <= 0 || H == 0 || H == INT32_MIN) BadBitmap(Consts::SImageBadSize);
    bool TopDown = H < 0;
    H = std::abs(H);
    if (Int64(W) * H > MaxPixels) BadBitmap(Consts::SImageTooLarge);
    if (Bpp != 1 && Bpp != 4 && Bpp != 8 && Bpp != 16 && Bpp != 24 && Bpp != 32)
        BadBitmap(L"unsupported bit count");
    bool Rle = Compression == BI_RLE8 || Compression == BI_RLE4;
    if ((Compression == BI_RLE8 && Bpp != 8) || (Compression == BI_RLE4 && Bpp != 4) ||
        (Compression == BI_BITFIELDS && Bpp != 16 && Bpp != 32) ||
        (Compression != BI_RGB && !Rle && Compression != BI_BITFIELDS))
        BadBitmap(L"unsupported compression");
    if (Compression == BI_BITFIELDS && !HasMasks) BadBitmap(L"no masks");
    if (Rle && TopDown) BadBitmap(L"top-down compressed data");
    if (Bpp <= 8 && ClrUsed > (1u << Bpp)) BadBitmap(L"bad colour count");

    size_t ColorCount = Bpp <= 8 ? (ClrUsed ? ClrUsed : (1u << Bpp)) : 0;
    RGBQUAD Colors[256] = {};
    if (ColorCount) {
        if (!R.Has(Offset, ColorCount * EntrySize)) BadBitmap(L"truncated colour table");
        for (size_t I = 0; I < ColorCount; ++I) {
            const Byte* E = Data + Offset + I * EntrySize;
            Colors[I] = {E[0], E[1], E[2], 0};
        }
    }
    size_t BitsOffset = Offset + ColorCount * EntrySize;
    if (Bpp > 8 && ClrUsed && ClrUsed <= 256 && R.Has(BitsOffset, ClrUsed * EntrySize))
        BitsOffset += ClrUsed * EntrySize;   // an optional table before true-colour pixels
    if (BitsOffsetHint >= Offset + ColorCount * EntrySize && BitsOffsetHint < Size)
        BitsOffset = BitsOffsetHint;
    if (BitsOffset > Size) BadBitmap(L"no pixel data");
    const Byte* Bits = Data + BitsOffset;
    size_t BitsSize = Size - BitsOffset;

    std::unique_ptr<TBitmap> T(Create<TBitmap>());
    int SrcStride = Stride(W, Bpp);
    bool StdMasks16 = Masks[0] == 0xF800 && Masks[1] == 0x07E0 && Masks[2] == 0x001F;
    bool StdMasks15 = Masks[0] == 0x7C00 && Masks[1] == 0x03E0 && Masks[2] == 0x001F;
    bool StdMasks32 = Masks[0] == 0xFF0000 && Masks[1] == 0xFF00 && Masks[2] == 0xFF;
    if (Rle) {
        T->NewImage(W, H, pf8bit, Colors, int(ColorCount));
        GdiFlush();
        std::memset(T->FBits, 0, size_t(T->BytesPerScanline()) * size_t(H));
        DecodeRle(Bits, BitsSize, Compression == BI_RLE4, W, H, static_cast<Byte*>(T->FBits),
                  T->BytesPerScanline());
    } else {
        if (Int64(SrcStride) * H > Int64(BitsSize)) BadBitmap(L"truncated pixel data");
        TPixelFormat PF = pf32bit;
        bool Direct = true;
        switch (Bpp) {
        case 1: PF = pf1bit; break;
        case 4: PF = pf4bit; break;
        case 8: PF = pf8bit; break;
        case 16:
            if (Compression == BI_RGB || StdMasks15) PF = pf15bit;
            else if (StdMasks16) PF = pf16bit;
            else Direct = false;
            break;
        case 24: PF = pf24bit; break;
        default: Direct = Compression == BI_RGB || StdMasks32;
        }
        T->NewImage(W, H, PF, ColorCount ? Colors : nullptr, int(ColorCount));
        GdiFlush();
        int DstStride = T->BytesPerScanline();
        TChannel Ch[4] = {TChannel(Masks[0]), TChannel(Masks[1]), TChannel(Masks[2]),
                          TChannel(Masks[3])};
        for (int I = 0; I < H; ++I) {
            int TopRow = TopDown ? I : H - 1 - I;
            const Byte* Src = Bits + size_t(I) * size_t(SrcStride);
            Byte* Dst = static_cast<Byte*>(T->FBits) + size_t(H - 1 - TopRow) * size_t(DstStride);
            if (Direct) {
                std::memcpy(Dst, Src, size_t(std::min(SrcStride, DstStride)));
                continue;
            }
            for (int X = 0; X < W; ++X) {
                DWORD P = Bpp == 16 ? DWORD(Src[X * 2] | Src[X * 2 + 1] << 8)
                                    : DWORD(TReader{Src, size_t(SrcStride)}.U32(size_t(X) * 4));
                Byte* D = Dst + X * 4;
                D[0] = Ch[2].Get(P);
                D[1] = Ch[1].Get(P);
                D[2] = Ch[0].Get(P);
                D[3] = Ch[3].Get(P);
            }
        }
    }
    // Take the new image over.
    FreeHandles();
    FHandle = T->FHandle;
    FBits = T->FBits;
    FWidth = T->FWidth;
    FHeight = T->FHeight;
    FPixelFormat = T->FPixelFormat;
    T->FHandle = nullptr;
    T->FBits = nullptr;
    Changed(this);
}

void TBitmap::LoadFromBytes(const Byte* Data, size_t Size)
{
    if (!Data || Size < 14 + 12 || Data[0] != 'B' || Data[1] != 'M')
        BadBitmap(L"not a BMP file");
    TReader R{Data, Size};
    size_t OffBits = R.U32(10);
    LoadDIBAt(Data + 14, Size - 14, OffBits >= 14 + 12 ? OffBits - 14 : 0);
}

std::vector<Byte> TBitmap::SaveToBytes()
{
    std::vector<Byte> Out;
    if (!FHandle) return Out;
    GdiFlush();
    int Bpp = BitsPerPixel(FPixelFormat);
    RGBQUAD Colors[256];
    FreeContext();
    int ColorCount = Bpp <= 8 ? ColorTableOf(FHandle, Colors) : 0;
    size_t MaskBytes = FPixelFormat == pf16bit ? 12 : 0;
    size_t InfoSize = sizeof(BITMAPINFOHEADER) + MaskBytes + size_t(ColorCount) * 4;
    size_t ImageSize = size_t(BytesPerScanline()) * size_t(FHeight);
    Out.resize(sizeof(BITMAPFILEHEADER) + InfoSize + ImageSize);
    BITMAPFILEHEADER FH{};
    FH.bfType = 0x4D42;
    FH.bfSize = DWORD(Out.size());
    FH.bfOffBits = DWORD(sizeof(BITMAPFILEHEADER) + InfoSize);
    BITMAPINFOHEADER IH{};
    IH.biSize = sizeof(IH);
    IH.biWidth = FWidth;
    IH.biHeight = FHeight;
    IH.biPlanes = 1;
    IH.biBitCount = WORD(Bpp);
    IH.biCompression = MaskBytes ? BI_BITFIELDS : BI_RGB;
    IH.biSizeImage = DWORD(ImageSize);
    IH.biXPelsPerMeter = IH.biYPelsPerMeter = 3780;   // 96 dots per inch
    IH.biClrUsed = DWORD(ColorCount);
    Byte* P = Out.data();
    std::memcpy(P, &FH, sizeof(FH));
    P += sizeof(FH);
    std::memcpy(P, &IH, sizeof(IH));
    P += sizeof(IH);
    if (MaskBytes) {
        const DWORD Masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(P, Masks, 12);
        P += 12;
    }
    std::memcpy(P, Colors, size_t(ColorCount) * 4);
    P += size_t(ColorCount) * 4;
    std::memcpy(P, FBits, ImageSize);
    return Out;
}

void TBitmap::LoadFromStream(TStream* Stream)
{
    Int64 Rest = Stream->GetSize() - Stream->GetPosition();
    if (Rest <= 0) {
        Assign(nullptr);
        return;
    }
    if (Rest > Int64(0x7FFFFFFF)) BadBitmap(Consts::SImageTooLarge);
    std::vector<Byte> Data(static_cast<size_t>(Rest));
    Stream->ReadBuffer(Data.data(), NativeInt(Data.size()));
    LoadFromBytes(Data.data(), Data.size());
}

void TBitmap::SaveToStream(TStream* Stream)
{
    std::vector<Byte> Data = SaveToBytes();
    if (!Data.empty()) Stream->WriteBuffer(Data.data(), NativeInt(Data.size()));
}

void TBitmap::ReadData(TStream* Stream)
{
    Integer Size = Stream->ReadInteger();
    Int64 Rest = Stream->GetSize() - Stream->GetPosition();
    if (Size < 0 || Size > Rest) BadBitmap(L"bad data size");
    if (Size == 0) {
        Assign(nullptr);
        return;
    }
    std::vector<Byte> Data(size_t(Size), 0);
    Stream->ReadBuffer(Data.data(), Size);
    LoadFromBytes(Data.data(), Data.size());
}

void TBitmap::WriteData(TStream* Stream)
{
    std::vector<Byte> Data = SaveToBytes();
    Stream->WriteInteger(Integer(Data.size()));
    if (!Data.empty()) Stream->WriteBuffer(Data.data(), NativeInt(Data.size()));
}

namespace {

const Byte* FindResourceData(HINSTANCE Instance, const wchar_t* Name, const wchar_t* Type,
                             const String& Shown, size_t& Size)
{
    HRSRC Res = FindResourceW(Instance, Name, Type);
    HGLOBAL Global = Res ? LoadResource(Instance, Res) : nullptr;
    const Byte* Data = Global ? static_cast<const Byte*>(LockResource(Global)) : nullptr;
    if (!Data) throw EResNotFound(Consts::SResNotFound, {Shown});
    Size = SizeofResource(Instance, Res);
    return Data;
}

}  // namespace

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const String& ResName)
{
    size_t Size = 0;
    const Byte* Data = FindResourceData(Instance, ResName.c_str(), MAKEINTRESOURCEW(2) /*RT_BITMAP*/,
                                        ResName, Size);
    LoadFromDIB(Data, Size);
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, int ResID)
{
    size_t Size = 0;
    const Byte* Data = FindResourceData(Instance, MAKEINTRESOURCEW(ResID), MAKEINTRESOURCEW(2),
                                        std::to_wstring(ResID), Size);
    LoadFromDIB(Data, Size);
}

void TBitmap::LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette)
{
    if (!AData) throw EInvalidGraphic(Consts::SNoClipboardData);
    if (AFormat == CF_DIB) {
        TGlobalLock Lock(AData);
        if (!Lock) throw EInvalidGraphic(Consts::SNoClipboardData);
        LoadFromDIB(static_cast<const Byte*>(Lock.Data()), Lock.Size());
        return;
    }
    if (AFormat == CF_BITMAP) {
        // The clipboard keeps its bitmap: take a copy.
        HBITMAP Copy = static_cast<HBITMAP>(CopyImage(AData, IMAGE_BITMAP, 0, 0, 0));
        if (!Copy) throw EInvalidGraphic(L"Invalid clipboard bitmap");
        SetHandle(Copy);
        return;
    }
    inherited::LoadFromClipboardFormat(AFormat, AData, APalette);
}

void TBitmap::SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette)
{
    std::vector<Byte> Data = SaveToBytes();
    AFormat = CF_DIB;
    APalette = nullptr;
    AData = nullptr;
    if (Data.size() <= sizeof(BITMAPFILEHEADER)) return;
    size_t Size = Data.size() - sizeof(BITMAPFILEHEADER);
    HGLOBAL G = GlobalAlloc(GMEM_MOVEABLE, Size);
    if (!G) throw EOutOfResources(Consts::SOutOfResources);
    std::memcpy(GlobalLock(G), Data.data() + sizeof(BITMAPFILEHEADER), Size);
    GlobalUnlock(G);
    AData = G;
}

// ---- TCanvas::BrushCopy -----------------------------------------------------------------------

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color)
{
    if (!Bitmap || Bitmap->GetEmpty() || Source.IsEmpty() || Dest.IsEmpty()) return;
    // A 32-bit copy of the source part, with the colour replaced by the brush's, stretched on.
    std::unique_ptr<TBitmap> T(Create<TBitmap>());
    T->SetPixelFormat(pf32bit);
    T->SetSize(Source.Width(), Source.Height());
    T->GetCanvas()->CopyRect(Rect(0, 0, Source.Width(), Source.Height()), Bitmap->GetCanvas(), Source);
    GdiFlush();
    COLORREF From = COLORREF(ColorToRGB(Color)) & 0xFFFFFF;
    COLORREF To = COLORREF(ColorToRGB(GetBrush()->GetColor())) & 0xFFFFFF;
    for (int Y = 0; Y < T->GetHeight(); ++Y) {
        auto* Row = static_cast<Byte*>(T->ScanLine(Y));
        for (int X = 0; X < T->GetWidth(); ++X) {
            Byte* P = Row + X * 4;
            if (RGB(P[2], P[1], P[0]) == From) {
                P[0] = GetBValue(To);
                P[1] = GetGValue(To);
                P[2] = GetRValue(To);
            }
        }
    }
    TValueScope<TCopyMode> Copying(FCopyMode, cmSrcCopy);
    CopyRect(Dest, T->GetCanvas(), Rect(0, 0, Source.Width(), Source.Height()));
}
