// PngImage: PNG decoding and encoding over zlib, and the PNG graphic.
#include "PngImage.h"

#include <zlib.h>

#include <cstring>

namespace {

constexpr Int64 MaxPngPixels = Int64(1) << 26;
const Byte Signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

[[noreturn]] void BadPng(const wchar_t* Why)
{
    throw EInvalidGraphic(Consts::SInvalidPng, {Why});
}

uint32_t BE32(const Byte* P)
{
    return uint32_t(P[0]) << 24 | uint32_t(P[1]) << 16 | uint32_t(P[2]) << 8 | uint32_t(P[3]);
}

void PutBE32(std::vector<Byte>& Out, uint32_t V)
{
    Out.push_back(Byte(V >> 24));
    Out.push_back(Byte(V >> 16));
    Out.push_back(Byte(V >> 8));
    Out.push_back(Byte(V));
}

struct THeader {
    int Width = 0, Height = 0, BitDepth = 0, ColorType = 0, Interlace = 0;
    int Channels() const
    {
        switch (ColorType) {
        case 2: return 3;
        case 4: return 2;
        case 6: return 4;
        default: return 1;
        }
    }
    size_t RowBytes(int W) const { return (size_t(W) * size_t(Channels() * BitDepth) + 7) / 8; }
    int FilterBpp() const { return std::max(1, Channels() * BitDepth / 8); }
};

bool ValidDepth(int ColorType, int Depth)
{
    switch (ColorType) {
    case 0: return Depth == 1 || Depth == 2 || Depth == 4 || Depth == 8 || Depth == 16;
    case 3: return Depth == 1 || Depth == 2 || Depth == 4 || Depth == 8;
    case 2:
    case 4:
    case 6: return Depth == 8 || Depth == 16;
    default: return false;
    }
}

Byte Paeth(int A, int B, int C)
{
    int P = A + B - C, PA = std::abs(P - A), PB = std::abs(P - B), PC = std::abs(P - C);
    if (PA <= PB && PA <= PC) return Byte(A);
    return Byte(PB <= PC ? B : C);
}

// Reverses the row filters in place: Data holds Rows rows of 1 + RowBytes bytes.
void Unfilter(Byte* Data, size_t RowBytes, int Rows, int Bpp)
{
    Byte* Prev = nullptr;
    for (int Y = 0; Y < Rows; ++Y) {
        Byte* Row = Data + size_t(Y) * (RowBytes + 1);
        Byte Type = Row[0];
        Byte* P = Row + 1;
        for (size_t I = 0; I < RowBytes; ++I) {
            int A = I >= size_t(Bpp) ? P[I - size_t(Bpp)] : 0;
            int B = Prev ? Prev[I] : 0;
            int C = Prev && I >= size_t(Bpp) ? Prev[I - size_t(Bpp)] : 0;
            switch (Type) {
            case 0: break;
            case 1: P[I] = Byte(P[I] + A); break;
            case 2: P[I] = Byte(P[I] + B); break;
            case 3: P[I] = Byte(P[I] + ((A + B) >> 1)); break;
            case 4: P[I] = Byte(P[I] + Paeth(A, B, C)); break;
            default: BadPng(L"unknown row filter");
            }
        }
        Prev = P;
    }
}

// One sample of a row, at the image's bit depth.
unsigned Sample(const Byte* Row, size_t Index, int Depth)
{
    switch (Depth) {
    case 16: return unsigned(Row[Index * 2] << 8 | Row[Index * 2 + 1]);
    case 8: return Row[Index];
    default: {
        size_t Bit = Index * size_t(Depth);
        return unsigned(Row[Bit / 8] >> (8 - Depth - int(Bit % 8))) & ((1u << Depth) - 1);
    }
    }
}

}  // namespace

bool ReadPngSize(const Byte* Data, size_t Size, int& Width, int& Height)
{
    if (!Data || Size < 33 || std::memcmp(Data, Signature, 8) != 0 ||
        std::memcmp(Data + 12, "IHDR", 4) != 0)
        return false;
    uint32_t W = BE32(Data + 16), H = BE32(Data + 20);
    if (W == 0 || H == 0 || W > 0x7FFFFFFF || H > 0x7FFFFFFF) return false;
    Width = int(W);
    Height = int(H);
    return true;
}

namespace {

// What the chunks of a PNG file say: the header, palette, transparency and the image data.
struct TPngInfo {
    THeader H;
    Byte Palette[256][4];   // blue, green, red, alpha
    bool HasKey = false;    // a transparent grey level or colour
    unsigned KeyGray = 0, KeyR = 0, KeyG = 0, KeyB = 0;
    bool PaletteAlpha = false;
    std::vector<Byte> Compressed;
};

TPngInfo ReadChunks(const Byte* Data, size_t Size)
{
    TPngInfo Info;
    THeader& H = Info.H;
    auto& Palette = Info.Palette;
    auto& HasKey = Info.HasKey;
    auto& KeyGray = Info.KeyGray;
    auto& KeyR = Info.KeyR;
    auto& KeyG = Info.KeyG;
    auto& KeyB = Info.KeyB;
    auto& PaletteAlpha = Info.PaletteAlpha;
    auto& Compressed = Info.Compressed;
    bool HaveHeader = false, HaveEnd = false;
    int PaletteSize = 0;
    for (auto& E : Palette) E[0] = E[1] = E[2] = 0, E[3] = 255;
    size_t P = 8;
    while (!HaveEnd) {
        if (Size - P < 12) BadPng(Consts::SPngTruncatedChunk);
        uint32_t Len = BE32(Data + P);
        const Byte* Type = Data + P + 4;
        if (Len > 0x7FFFFFFF || Len > Size - P - 12) BadPng(Consts::SPngTruncatedChunk);
        const Byte* Body = Data + P + 8;
        uint32_t Crc = uint32_t(crc32(crc32(0, nullptr, 0), Type, uInt(Len + 4)));
        if (Crc != BE32(Body + Len)) BadPng(L"chunk checksum mismatch");
        P += 12 + Len;
        bool First = !HaveHeader;
        if (std::memcmp(Type, "IHDR", 4) == 0) {
            if (!First || Len != 13) BadPng(L"bad header chunk");
            uint32_t W = BE32(Body), Ht = BE32(Body + 4);
            if (W == 0 || Ht == 0 || W > 0x7FFFFFFF || Ht > 0x7FFFFFFF) BadPng(Consts::SImageBadSize);
            if (Int64(W) * Int64(Ht) > MaxPngPixels) BadPng(L"image too large");
            H.Width = int(W);
            H.Height = int(Ht);
            H.BitDepth = Body[8];
            H.ColorType = Body[9];
            H.Interlace = Body[12];
            if (!ValidDepth(H.ColorType, H.BitDepth) || Body[10] != 0 || Body[11] != 0 ||
                H.Interlace > 1)
                BadPng(L"unsupported format");
            HaveHeader = true;
            continue;
        }
        if (First) BadPng(L"header chunk missing");
        if (std::memcmp(Type, "PLTE", 4) == 0) {
            if (Len % 3 != 0 || Len / 3 > 256 || Len == 0) BadPng(L"bad palette");
            PaletteSize = int(Len / 3);
            for (int I = 0; I < PaletteSize; ++I) {
                Palette[I][0] = Body[I * 3 + 2];   // stored as blue, green, red, alpha
                Palette[I][1] = Body[I * 3 + 1];
                Palette[I][2] = Body[I * 3];
            }
        } else if (std::memcmp(Type, "tRNS", 4) == 0) {
            if (H.ColorType == 3) {
                for (uint32_t I = 0; I < Len && I < 256; ++I) Palette[I][3] = Body[I];
                PaletteAlpha = Len > 0;
            } else if (H.ColorType == 0 && Len >= 2) {
                HasKey = true;
                KeyGray = unsigned(Body[0] << 8 | Body[1]);
            } else if (H.ColorType == 2 && Len >= 6) {
                HasKey = true;
                KeyR = unsigned(Body[0] << 8 | Body[1]);
                KeyG = unsigned(Body[2] << 8 | Body[3]);
                KeyB = unsigned(Body[4] << 8 | Body[5]);
            }
        } else if (std::memcmp(Type, "IDAT", 4) == 0) {
            Compressed.insert(Compressed.end(), Body, Body + Len);
        } else if (std::memcmp(Type, "IEND", 4) == 0) {
            HaveEnd = true;
        } else if (!(Type[0] & 0x20)) {
            BadPng(L"unknown critical chunk");
        }
    }
    if (Compressed.empty()) BadPng(L"no image data");
    if (H.ColorType == 3 && PaletteSize == 0) BadPng(L"palette missing");
    return Info;
}

// One pixel of a row (the X-th) as blue, green, red, alpha.
void ConvertPixel(const TPngInfo& Info, const Byte* Row, int X, Byte* D)
{
    const THeader& H = Info.H;
    const auto& Palette = Info.Palette;
    bool HasKey = Info.HasKey;
    unsigned KeyGray = Info.KeyGray, KeyR = Info.KeyR, KeyG = Info.KeyG, KeyB = Info.KeyB;
    int Depth = H.BitDepth, MaxV = (1 << std::min(Depth, 8)) - 1;
    auto Scale = [&](unsigned V) -> Byte {
        if (Depth == 16) return Byte(V >> 8);
        return Byte(V * 255 / unsigned(MaxV));
    };
    switch (H.ColorType) {
    case 0: {
        unsigned V = Sample(Row, size_t(X), Depth);
        D[0] = D[1] = D[2] = Scale(V);
        D[3] = HasKey && V == KeyGray ? 0 : 255;
        break;
    }
    case 2: {
        unsigned R = Sample(Row, size_t(X) * 3, Depth), G = Sample(Row, size_t(X) * 3 + 1, Depth),
                 B = Sample(Row, size_t(X) * 3 + 2, Depth);
        D[0] = Scale(B);
        D[1] = Scale(G);
        D[2] = Scale(R);
        D[3] = HasKey && R == KeyR && G == KeyG && B == KeyB ? 0 : 255;
        break;
    }
    case 3: {
        unsigned Index = Sample(Row, size_t(X), Depth);
        std::memcpy(D, Palette[Index], 4);   // an index past the palette is black
        break;
    }
    case 4: {
        Byte V = Scale(Sample(Row, size_t(X) * 2, Depth));
        D[0] = D[1] = D[2] = V;
        D[3] = Scale(Sample(Row, size_t(X) * 2 + 1, Depth));
        break;
    }
    default: {
        D[0] = Scale(Sample(Row, size_t(X) * 4 + 2, Depth));
        D[1] = Scale(Sample(Row, size_t(X) * 4 + 1, Depth));
        D[2] = Scale(Sample(Row, size_t(X) * 4, Depth));
        D[3] = Scale(Sample(Row, size_t(X) * 4 + 3, Depth));
    }
    }
}

}  // namespace

TPngPixels DecodePng(const Byte* Data, size_t Size)
{
    if (!Data || Size < 8 || std::memcmp(Data, Signature, 8) != 0) BadPng(Consts::SPngNoSignature);
    TPngInfo Info = ReadChunks(Data, Size);
    const THeader& H = Info.H;
    std::vector<Byte>& Compressed = Info.Compressed;
    // The size of the filtered data: every pass of an interlaced image, or the whole image.
    struct TPass { int X0, Y0, DX, DY; };
    static const TPass Adam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                   {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    static const TPass Whole[1] = {{0, 0, 1, 1}};
    const TPass* Passes = H.Interlace ? Adam7 : Whole;
    int PassCount = H.Interlace ? 7 : 1;
    size_t Expected = 0;
    for (int I = 0; I < PassCount; ++I) {
        const TPass& Pa = Passes[I];
        int PW = (H.Width - Pa.X0 + Pa.DX - 1) / Pa.DX, PH = (H.Height - Pa.Y0 + Pa.DY - 1) / Pa.DY;
        if (PW > 0 && PH > 0) Expected += size_t(PH) * (H.RowBytes(PW) + 1);
    }
    // Deflate cannot expand data more than about 1032 times: a header claiming far more pixels
    // than the data can hold is refused before any memory is set aside for them.
    if (Expected / 1032 > Compressed.size() + 64) BadPng(L"image data is truncated");
    std::vector<Byte> Raw(Expected);
    z_stream Z{};
    if (inflateInit(&Z) != Z_OK) BadPng(L"decompressor failed");
    Z.next_in = Compressed.data();
    Z.avail_in = uInt(Compressed.size());
    Z.next_out = Raw.data();
    Z.avail_out = uInt(Raw.size());
    int Rc = inflate(&Z, Z_FINISH);
    size_t Got = Raw.size() - Z.avail_out;
    inflateEnd(&Z);
    if ((Rc != Z_STREAM_END && Rc != Z_BUF_ERROR && Rc != Z_OK) || Got < Expected)
        BadPng(L"image data is damaged or truncated");

    TPngPixels Out;
    Out.Width = H.Width;
    Out.Height = H.Height;
    Out.HasAlpha = H.ColorType == 4 || H.ColorType == 6 || Info.HasKey || Info.PaletteAlpha;
    Out.BGRA.assign(size_t(H.Width) * size_t(H.Height) * 4, 0);
    size_t Offset = 0;
    for (int I = 0; I < PassCount; ++I) {
        const TPass& Pa = Passes[I];
        int PW = (H.Width - Pa.X0 + Pa.DX - 1) / Pa.DX, PH = (H.Height - Pa.Y0 + Pa.DY - 1) / Pa.DY;
        if (PW <= 0 || PH <= 0) continue;
        size_t RB = H.RowBytes(PW);
        Unfilter(Raw.data() + Offset, RB, PH, H.FilterBpp());
        for (int Y = 0; Y < PH; ++Y) {
            const Byte* Row = Raw.data() + Offset + size_t(Y) * (RB + 1) + 1;
            for (int X = 0; X < PW; ++X) {
                Byte* D = Out.BGRA.data() +
                          (size_t(Pa.Y0 + Y * Pa.DY) * size_t(H.Width) + size_t(Pa.X0 + X * Pa.DX)) * 4;
                ConvertPixel(Info, Row, X, D);
            }
        }
        Offset += size_t(PH) * (RB + 1);
    }
    return Out;
}

namespace {

void PutChunk(std::vector<Byte>& Out, const char* Type, const Byte* Body, size_t Len)
{
    PutBE32(Out, uint32_t(Len));
    size_t Start = Out.size();
    Out.insert(Out.end(), Type, Type + 4);
    if (Len) Out.insert(Out.end(), Body, Body + Len);
    uLong Crc = crc32(crc32(0, nullptr, 0), Out.data() + Start, uInt(Len + 4));
    PutBE32(Out, uint32_t(Crc));
}

}  // namespace

std::vector<Byte> EncodePng(const Byte* BGRA, int Width, int Height, int Stride, bool WithAlpha)
{
    if (!BGRA || Width <= 0 || Height <= 0) throw EInvalidGraphic(L"Cannot encode an empty image");
    int Bpp = WithAlpha ? 4 : 3;
    size_t RB = size_t(Width) * size_t(Bpp);
    std::vector<Byte> Filtered(size_t(Height) * (RB + 1));
    std::vector<Byte> Cur(RB), Prev(RB, 0), Best(RB), Trial(RB);
    for (int Y = 0; Y < Height; ++Y) {
        const Byte* Src = BGRA + size_t(Y) * size_t(Stride);
        for (int X = 0; X < Width; ++X) {
            Cur[size_t(X * Bpp)] = Src[X * 4 + 2];
            Cur[size_t(X * Bpp + 1)] = Src[X * 4 + 1];
            Cur[size_t(X * Bpp + 2)] = Src[X * 4];
            if (WithAlpha) Cur[size_t(X * Bpp + 3)] = Src[X * 4 + 3];
        }
        // The filter with the smallest sum of absolute differences, a good predictor of size.
        long BestSum = -1;
        Byte BestType = 0;
        for (Byte Type = 0; Type <= 4; ++Type) {
            long Sum = 0;
            for (size_t I = 0; I < RB; ++I) {
                int A = I >= size_t(Bpp) ? Cur[I - size_t(Bpp)] : 0, B = Prev[I],
                    C = I >= size_t(Bpp) ? Prev[I - size_t(Bpp)] : 0;
                int Pred = Type == 0 ? 0 : Type == 1 ? A : Type == 2 ? B : Type == 3 ? (A + B) >> 1 : Paeth(A, B, C);
                Trial[I] = Byte(Cur[I] - Pred);
                Sum += Trial[I] < 128 ? Trial[I] : 256 - Trial[I];
            }
            if (BestSum < 0 || Sum < BestSum) {
                BestSum = Sum;
                BestType = Type;
                Best.swap(Trial);
            }
        }
        Byte* Row = Filtered.data() + size_t(Y) * (RB + 1);
        Row[0] = BestType;
        std::memcpy(Row + 1, Best.data(), RB);
        Prev.swap(Cur);
        Cur.assign(RB, 0);
    }
    uLongf ZSize = compressBound(uLong(Filtered.size()));
    std::vector<Byte> Z(ZSize);
    if (compress2(Z.data(), &ZSize, Filtered.data(), uLong(Filtered.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        throw EInvalidGraphic(L"PNG compression failed");
    Z.resize(ZSize);

    std::vector<Byte> Out(Signature, Signature + 8);
    Byte Ihdr[13];
    for (int I = 0; I < 4; ++I) {
        Ihdr[I] = Byte(uint32_t(Width) >> (24 - I * 8));
        Ihdr[4 + I] = Byte(uint32_t(Height) >> (24 - I * 8));
    }
    Ihdr[8] = 8;
    Ihdr[9] = WithAlpha ? 6 : 2;
    Ihdr[10] = Ihdr[11] = Ihdr[12] = 0;
    PutChunk(Out, "IHDR", Ihdr, 13);
    PutChunk(Out, "IDAT", Z.data(), Z.size());
    PutChunk(Out, "IEND", nullptr, 0);
    return Out;
}

// ---- TPngImage --------------------------------------------------------------------------------

TPngImage::~TPngImage() = default;

void TPngImage::LoadFromBytes(const Byte* Data, size_t Size)
{
    TPngPixels Px = DecodePng(Data, Size);   // raises on bad data, before anything changes
    std::unique_ptr<TBitmap> B(Create<TBitmap>());
    B->SetPixelFormat(pf32bit);
    B->SetSize(Px.Width, Px.Height);
    for (int Y = 0; Y < Px.Height; ++Y)
        std::memcpy(B->ScanLine(Y), Px.BGRA.data() + size_t(Y) * size_t(Px.Width) * 4,
                    size_t(Px.Width) * 4);
    if (Px.HasAlpha) B->SetAlphaFormat(afDefined);
    FData.assign(Data, Data + Size);
    FWidth = Px.Width;
    FHeight = Px.Height;
    FHasAlpha = Px.HasAlpha;
    FBitmap = std::move(B);
    Changed(this);
}

void TPngImage::LoadFromStream(TStream* Stream)
{
    std::vector<Byte> Data(8);
    if (Stream->Read(Data.data(), 8) != 8 || std::memcmp(Data.data(), Signature, 8) != 0)
        BadPng(Consts::SPngNoSignature);
    for (;;) {
        Byte Head[8];
        if (Stream->Read(Head, 8) != 8) BadPng(Consts::SPngTruncatedChunk);
        uint32_t Len = BE32(Head);
        Int64 Rest = Stream->GetSize() - Stream->GetPosition();
        if (Len > 0x7FFFFFFF || Int64(Len) + 4 > Rest) BadPng(Consts::SPngTruncatedChunk);
        size_t At = Data.size();
        Data.resize(At + 8 + Len + 4);
        std::memcpy(Data.data() + At, Head, 8);
        Stream->ReadBuffer(Data.data() + At + 8, NativeInt(Len) + 4);
        if (std::memcmp(Head + 4, "IEND", 4) == 0) break;
    }
    LoadFromBytes(Data.data(), Data.size());
}

void TPngImage::SaveToStream(TStream* Stream)
{
    if (!FData.empty()) Stream->WriteBuffer(FData.data(), NativeInt(FData.size()));
}

TBitmap* TPngImage::Decoded()
{
    if (!FBitmap && !FData.empty()) {
        std::vector<Byte> Copy = FData;
        LoadFromBytes(Copy.data(), Copy.size());
    }
    return FBitmap.get();
}

void TPngImage::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (TBitmap* B = Decoded()) B->Draw(ACanvas, Rect);
}

void TPngImage::SetFromBitmap(TBitmap* Source)
{
    if (!Source || Source->GetEmpty()) {
        FData.clear();
        FBitmap.reset();
        FWidth = FHeight = 0;
        FHasAlpha = false;
        Changed(this);
        return;
    }
    std::unique_ptr<TBitmap> B(Create<TBitmap>());
    B->Assign(Source);
    B->SetPixelFormat(pf32bit);
    bool Alpha = Source->GetPixelFormat() == pf32bit && Source->GetAlphaFormat() != afIgnored;
    int W = B->GetWidth(), H = B->GetHeight();
    std::vector<Byte> Px(size_t(W) * size_t(H) * 4);
    for (int Y = 0; Y < H; ++Y) {
        Byte* Row = Px.data() + size_t(Y) * size_t(W) * 4;
        std::memcpy(Row, B->ScanLine(Y), size_t(W) * 4);
        if (Alpha && Source->GetAlphaFormat() == afPremultiplied)
            for (int X = 0; X < W; ++X)
                if (Byte A = Row[X * 4 + 3])
                    for (int C = 0; C < 3; ++C) Row[X * 4 + C] = Byte(std::min(255, Row[X * 4 + C] * 255 / A));
    }
    std::vector<Byte> Data = EncodePng(Px.data(), W, H, W * 4, Alpha);
    LoadFromBytes(Data.data(), Data.size());
}

void TPngImage::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == FWidth && AHeight == FHeight) return;
    std::unique_ptr<TBitmap> B(Create<TBitmap>());
    B->SetPixelFormat(pf32bit);
    B->SetSize(AWidth, AHeight);
    if (B->GetEmpty()) {
        SetFromBitmap(nullptr);
        return;
    }
    for (int Y = 0; Y < AHeight; ++Y) std::memset(B->ScanLine(Y), 0, size_t(AWidth) * 4);
    if (TBitmap* Old = Decoded())
        for (int Y = 0; Y < std::min(AHeight, FHeight); ++Y)
            std::memcpy(B->ScanLine(Y), Old->ScanLine(Y), size_t(std::min(AWidth, FWidth)) * 4);
    B->SetAlphaFormat(afDefined);
    SetFromBitmap(B.get());
}

void TPngImage::Assign(TPersistent* Source)
{
    if (!Source) {
        SetFromBitmap(nullptr);
    } else if (auto* P = dynamic_cast<TPngImage*>(Source)) {
        if (P == this) return;
        if (P->FData.empty()) SetFromBitmap(nullptr);
        else {
            std::vector<Byte> Copy = P->FData;
            LoadFromBytes(Copy.data(), Copy.size());
        }
    } else if (auto* B = dynamic_cast<TBitmap*>(Source)) {
        SetFromBitmap(B);
    } else if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        // Any other graphic through a bitmap of it.
        std::unique_ptr<TBitmap> B(Create<TBitmap>());
        B->Assign(G);
        SetFromBitmap(B.get());
    } else {
        inherited::Assign(Source);
    }
}

void TPngImage::AssignTo(TPersistent* Dest)
{
    if (auto* B = dynamic_cast<TBitmap*>(Dest)) {
        if (TBitmap* D = Decoded()) B->Assign(D);
        else B->Assign(nullptr);
        return;
    }
    inherited::AssignTo(Dest);
}
