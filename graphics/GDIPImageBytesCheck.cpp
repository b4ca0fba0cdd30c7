// The structural check of image file bytes before they reach the platform's decoders: every
// size and offset inside the data, dimensions within reason, and chunk, segment, block and
// record walks that end where the format says they end.
#include "graphics/GDIPImageBytesCheck.h"

#include "graphics/GDIPicture.h"

#include <zlib.h>

#include <cstring>
#include <iterator>
#include <set>
#include <vector>

namespace ImageBytesCheck {

bool SaneSize(uint64_t Width, uint64_t Height)
{
    return Width >= 1 && Height >= 1 && Width <= uint64_t(MaxDecodedImageSide) &&
           Height <= uint64_t(MaxDecodedImageSide) && Width * Height <= uint64_t(MaxDecodedImagePixels);
}

// ---- PNG --------------------------------------------------------------------------------------

namespace {

bool PngDepthValid(unsigned ColorType, unsigned Depth)
{
    switch (ColorType) {
    case 0: return Depth == 1 || Depth == 2 || Depth == 4 || Depth == 8 || Depth == 16;
    case 3: return Depth == 1 || Depth == 2 || Depth == 4 || Depth == 8;
    case 2: case 4: case 6: return Depth == 8 || Depth == 16;
    default: return false;
    }
}

}  // namespace

// Chunks from the header to IEND, each inside the data with its checksum right; the header
// first and sane, a palette where one is needed, image data in one run.
bool CheckPng(const TByteRange& B)
{
    static const Byte Signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (!B.Has(0, 8) || std::memcmp(B.D, Signature, 8) != 0) return false;
    size_t P = 8;
    bool Header = false, Data = false, DataEnded = false;
    unsigned ColorType = 0, Palette = 0;
    for (;;) {
        if (!B.Has(P, 12)) return false;
        const uint32_t Len = B.BE32(P);
        if (Len > 0x7FFFFFFFu || !B.Has(P + 8, size_t(Len) + 4)) return false;
        const Byte* Type = B.D + P + 4;
        for (int I = 0; I < 4; ++I)
            if (!((Type[I] >= 'A' && Type[I] <= 'Z') || (Type[I] >= 'a' && Type[I] <= 'z'))) return false;
        const uLong Crc = crc32(crc32(0L, Z_NULL, 0), Type, uInt(Len + 4));
        if (uint32_t(Crc) != B.BE32(P + 8 + Len)) return false;
        const size_t Body = P + 8;
        P += 12 + size_t(Len);
        auto Is = [Type](const char* Name) { return std::memcmp(Type, Name, 4) == 0; };
        if (Is("IHDR")) {
            if (Header || Len != 13) return false;
            const uint32_t W = B.BE32(Body), H = B.BE32(Body + 4);
            ColorType = B.U8(Body + 9);
            if (!SaneSize(W, H) || !PngDepthValid(ColorType, B.U8(Body + 8)) || B.U8(Body + 10) != 0 ||
                B.U8(Body + 11) != 0 || B.U8(Body + 12) > 1)
                return false;
            Header = true;
            continue;
        }
        if (!Header) return false;
        if (Data && !Is("IDAT")) DataEnded = true;
        if (Is("PLTE")) {
            if (Data || Palette || Len == 0 || Len % 3 != 0 || Len / 3 > 256 || ColorType == 0 || ColorType == 4)
                return false;
            Palette = Len / 3;
        } else if (Is("tRNS")) {
            if (ColorType == 3 && Len > Palette) return false;
            if ((ColorType == 0 && Len != 2) || (ColorType == 2 && Len != 6) || ColorType == 4 || ColorType == 6)
                return false;
        } else if (Is("IDAT")) {
            if (DataEnded) return false;
            Data = true;
        } else if (Is("IEND")) {
            return Len == 0 && Data && (ColorType != 3 || Palette > 0);
        } else if (!(Type[0] & 0x20)) {
            return false;   // a critical chunk no decoder knows
        }
    }
}

// ---- Bitmaps ----------------------------------------------------------------------------------

// The info header at At (the core header of 12 bytes too).
bool ReadDibHeader(const TByteRange& B, size_t At, TDib& Dib)
{
    if (!B.Has(At, 4)) return false;
    Dib.HeaderSize = B.LE32(At);
    const uint32_t Hs = Dib.HeaderSize;
    if (Hs != 12 && Hs != 40 && Hs != 52 && Hs != 56 && Hs != 64 && Hs != 108 && Hs != 124) return false;
    if (!B.Has(At, Hs)) return false;
    unsigned Planes;
    uint32_t Colors = 0;
    if (Hs == 12) {
        Dib.Width = B.LE16(At + 4);
        Dib.Height = B.LE16(At + 6);
        Planes = B.LE16(At + 8);
        Dib.BitCount = B.LE16(At + 10);
        if (Dib.BitCount != 1 && Dib.BitCount != 4 && Dib.BitCount != 8 && Dib.BitCount != 24) return false;
    } else {
        Dib.Width = int32_t(B.LE32(At + 4));
        Dib.Height = int32_t(B.LE32(At + 8));
        Planes = B.LE16(At + 12);
        Dib.BitCount = B.LE16(At + 14);
        Dib.Compression = B.LE32(At + 16);
        Colors = B.LE32(At + 32);
        const unsigned Bc = Dib.BitCount;
        if (Bc != 1 && Bc != 4 && Bc != 8 && Bc != 16 && Bc != 24 && Bc != 32) return false;
        switch (Dib.Compression) {
        case 0: break;
        case 1: if (Bc != 8 || Dib.Height < 0) return false; break;
        case 2: if (Bc != 4 || Dib.Height < 0) return false; break;
        case 3: if (Bc != 16 && Bc != 32) return false; break;
        default: return false;
        }
    }
    if (Planes != 1 || !SaneSize(uint64_t(Dib.Width < 0 ? 0 : Dib.Width), Dib.Rows())) return false;
    const uint64_t MaxColors = Dib.BitCount <= 8 ? (uint64_t(1) << Dib.BitCount) : 256;
    if (Colors > MaxColors) return false;
    if (Colors == 0 && Dib.BitCount <= 8) Colors = uint32_t(MaxColors);
    Dib.TableSize = uint64_t(Colors) * (Hs == 12 ? 3 : 4);
    if (Hs == 40 && Dib.Compression == 3) Dib.TableSize += 12;
    return true;
}

// Run-length coded pixels from At: every run inside the image's rows and the data, ending with
// the end-of-bitmap code (or after the last row).
bool CheckRle(const TByteRange& B, size_t At, const TDib& Dib)
{
    const bool Four = Dib.Compression == 2;
    const uint64_t W = uint64_t(Dib.Width), H = Dib.Rows();
    uint64_t X = 0, Y = 0;
    for (;;) {
        // Without the end-of-bitmap code the pixels must still reach past the last row.
        if (At == B.N) return Y >= H;
        if (!B.Has(At, 2)) return false;
        const unsigned Count = B.U8(At), Code = B.U8(At + 1);
        At += 2;
        if (Count > 0) {
            if (Y >= H || X + Count > W) return false;
            X += Count;
        } else if (Code == 0) {
            X = 0;
            ++Y;
        } else if (Code == 1) {
            return true;
        } else if (Code == 2) {
            if (!B.Has(At, 2)) return false;
            X += B.U8(At);
            Y += B.U8(At + 1);
            At += 2;
            if (X > W || Y > H) return false;
        } else {
            if (Y >= H || X + Code > W) return false;
            size_t Bytes = Four ? (Code + 1) / 2 : Code;
            Bytes += Bytes & 1;
            if (!B.Has(At, Bytes)) return false;
            At += Bytes;
            X += Code;
        }
    }
}

namespace {

// ---- JPEG -------------------------------------------------------------------------------------

// Segments from SOI to EOI, each inside the data; one sane frame header; scans that name the
// frame's components and tables that exist; entropy-coded data that reaches a marker.
bool CheckJpeg(const TByteRange& B)
{
    if (!B.Has(0, 2) || B.U8(0) != 0xFF || B.U8(1) != 0xD8) return false;
    size_t P = 2;
    bool Frame = false, Scan = false, Arithmetic = false;
    std::vector<unsigned> Components;
    unsigned Quant = 0, DcTables = 0, AcTables = 0;   // bit sets of the tables defined
    for (;;) {
        // Stray bytes before a marker are passed over, as the decoder does.
        while (B.Has(P, 1) && B.U8(P) != 0xFF) ++P;
        while (B.Has(P + 1, 1) && B.U8(P + 1) == 0xFF) ++P;   // fill bytes
        if (!B.Has(P, 2)) return false;
        const unsigned M = B.U8(P + 1);
        P += 2;
        if (M == 0xD9) return Frame && Scan;
        if (M == 0x01 || (M >= 0xD0 && M <= 0xD7)) continue;   // no length
        if (M == 0x00 || M == 0xD8) return false;
        if (!B.Has(P, 2)) return false;
        const unsigned Len = B.BE16(P);
        if (Len < 2 || !B.Has(P, Len)) return false;
        const size_t S = P + 2, End = P + Len;
        P = End;
        if (M == 0xC4) {                                        // Huffman tables
            size_t Q = S;
            while (Q < End) {
                if (Q + 17 > End) return false;
                const unsigned Class = B.U8(Q) >> 4, Id = B.U8(Q) & 15;
                if (Class > 1 || Id > 3) return false;
                unsigned Count = 0;
                for (int I = 1; I <= 16; ++I) Count += B.U8(Q + I);
                if (Count > 256 || Q + 17 + Count > End) return false;
                (Class ? AcTables : DcTables) |= 1u << Id;
                Q += 17 + Count;
            }
        } else if (M == 0xDB) {                                 // quantisation tables
            size_t Q = S;
            while (Q < End) {
                const unsigned Precision = B.U8(Q) >> 4, Id = B.U8(Q) & 15;
                if (Precision > 1 || Id > 3) return false;
                const size_t Size = 1 + (Precision ? 128 : 64);
                if (Q + Size > End) return false;
                Quant |= 1u << Id;
                Q += Size;
            }
        } else if (M == 0xDD) {                                 // restart interval
            if (Len != 4) return false;
        } else if (M == 0xDC) {                                 // height given after the scan
            return false;
        } else if ((M >= 0xC0 && M <= 0xCF) && M != 0xC4 && M != 0xC8 && M != 0xCC) {
            if (Frame || Len < 8) return false;
            const unsigned Precision = B.U8(S), H = B.BE16(S + 1), W = B.BE16(S + 3), N = B.U8(S + 5);
            if (Precision != 8 || !SaneSize(W, H) || N < 1 || N > 4 || Len != 8 + 3 * N) return false;
            unsigned Blocks = 0;
            for (unsigned I = 0; I < N; ++I) {
                const size_t C = S + 6 + 3 * I;
                const unsigned Hs = B.U8(C + 1) >> 4, Vs = B.U8(C + 1) & 15, Tq = B.U8(C + 2);
                if (Hs < 1 || Hs > 4 || Vs < 1 || Vs > 4 || Tq > 3) return false;
                for (unsigned Id : Components)
                    if (Id == B.U8(C)) return false;
                Components.push_back(B.U8(C));
                Blocks += Hs * Vs;
            }
            if (Blocks > 10) return false;
            Arithmetic = M >= 0xC9;
            Frame = true;
        } else if (M == 0xDA) {                                 // a scan and its data
            if (!Frame || Len < 6) return false;
            const unsigned N = B.U8(S);
            if (N < 1 || N > 4 || Len != 6 + 2 * N) return false;
            for (unsigned I = 0; I < N; ++I) {
                const unsigned Id = B.U8(S + 1 + 2 * I), Td = B.U8(S + 2 + 2 * I) >> 4, Ta = B.U8(S + 2 + 2 * I) & 15;
                bool Known = false;
                for (unsigned C : Components) Known = Known || C == Id;
                if (!Known || Td > 3 || Ta > 3) return false;
            }
            const unsigned Ss = B.U8(S + 1 + 2 * N), Se = B.U8(S + 2 + 2 * N);
            if (Ss > 63 || Se > 63 || Ss > Se) return false;
            if (!Arithmetic && (DcTables == 0 && AcTables == 0)) return false;
            if (Quant == 0) return false;
            Scan = true;
            // The entropy-coded data runs to the next marker that is no restart.
            for (;;) {
                if (!B.Has(P, 2)) return false;
                if (B.U8(P) != 0xFF) { ++P; continue; }
                const unsigned Next = B.U8(P + 1);
                if (Next == 0x00 || (Next >= 0xD0 && Next <= 0xD7)) { P += 2; continue; }
                if (Next == 0xFF) { ++P; continue; }
                break;
            }
        } else if (M == 0xC8 || (M >= 0x02 && M <= 0xBF)) {
            return false;                                       // reserved markers
        }
        // Application, comment and other segments are skipped by their length.
    }
}

// ---- GIF --------------------------------------------------------------------------------------

// Sub-blocks from At to their terminator; false when they leave the data.
bool SkipSubBlocks(const TByteRange& B, size_t& At)
{
    for (;;) {
        if (!B.Has(At, 1)) return false;
        const unsigned Len = B.U8(At);
        ++At;
        if (Len == 0) return true;
        if (!B.Has(At, Len)) return false;
        At += Len;
    }
}

// The screen, colour tables, extensions and images up to the trailer; every image of a sane
// size and code size.
bool CheckGif(const TByteRange& B)
{
    if (!B.Has(0, 13) || std::memcmp(B.D, "GIF", 3) != 0 ||
        (std::memcmp(B.D + 3, "87a", 3) != 0 && std::memcmp(B.D + 3, "89a", 3) != 0))
        return false;
    const unsigned W = B.LE16(6), H = B.LE16(8), Flags = B.U8(10);
    if (!SaneSize(W, H)) return false;
    size_t P = 13;
    if (Flags & 0x80) P += 3u << ((Flags & 7) + 1);
    bool Image = false;
    for (;;) {
        if (!B.Has(P, 1)) return false;
        const unsigned Kind = B.U8(P++);
        if (Kind == 0x3B) return Image;
        if (Kind == 0x21) {
            if (!B.Has(P, 1)) return false;
            ++P;
            if (!SkipSubBlocks(B, P)) return false;
        } else if (Kind == 0x2C) {
            if (!B.Has(P, 9)) return false;
            // A frame may reach past the screen (the decoder clips it), but not be empty.
            const unsigned Iw = B.LE16(P + 4), Ih = B.LE16(P + 6), F = B.U8(P + 8);
            if (!SaneSize(Iw, Ih)) return false;
            P += 9;
            if (F & 0x80) P += 3u << ((F & 7) + 1);
            if (!B.Has(P, 1)) return false;
            const unsigned CodeSize = B.U8(P++);
            if (CodeSize < 2 || CodeSize > 8) return false;
            if (!SkipSubBlocks(B, P)) return false;
            Image = true;
        } else {
            return false;
        }
    }
}

// ---- BMP ----------------------------------------------------------------------------------------

bool CheckBmp(const TByteRange& B)
{
    if (!B.Has(0, 18) || B.U8(0) != 'B' || B.U8(1) != 'M') return false;
    const uint32_t Offset = B.LE32(10);
    TDib Dib;
    if (!ReadDibHeader(B, 14, Dib)) return false;
    const size_t TableEnd = 14 + size_t(Dib.HeaderSize) + Dib.TableSize;
    if (Dib.Width < 1 || !B.Has(0, TableEnd) || Offset < 14 + Dib.HeaderSize || Offset > B.N) return false;
    if (Dib.Compression == 1 || Dib.Compression == 2) return CheckRle(B, Offset, Dib);
    return Dib.Stride() * Dib.Rows() <= uint64_t(B.N - Offset);
}

// ---- Icons ------------------------------------------------------------------------------------

// The directory and every image it names: inside the data, each a sane PNG or a bitmap with its
// colour table, pixels and mask.
bool CheckIco(const TByteRange& B)
{
    if (!B.Has(0, 6) || B.LE16(0) != 0 || B.LE16(2) != 1) return false;
    const unsigned Count = B.LE16(4);
    if (Count == 0 || !B.Has(6, size_t(Count) * 16)) return false;
    uint64_t Total = 0;   // images do not share bytes: this keeps the work to the data's size
    for (unsigned I = 0; I < Count; ++I) {
        const size_t E = 6 + size_t(I) * 16;
        const uint32_t Size = B.LE32(E + 8), Offset = B.LE32(E + 12);
        Total += Size;
        if (Offset < 6 + size_t(Count) * 16 || !B.Has(Offset, Size) || Size < 12 || Total > B.N) return false;
        const TByteRange Image = B.Sub(Offset, Size);
        if (Image.U8(0) == 0x89) {
            if (!CheckPng(Image)) return false;
            continue;
        }
        TDib Dib;
        if (!ReadDibHeader(Image, 0, Dib) || Dib.HeaderSize == 12 || Dib.Compression != 0 || Dib.Height <= 0 ||
            Dib.Width < 1)
            return false;
        // The height counts the colour rows and the mask rows.
        const uint64_t Rows = uint64_t(Dib.Height) / 2;
        if (Rows == 0) return false;
        const uint64_t MaskStride = (uint64_t(Dib.Width) + 31) / 32 * 4;
        const uint64_t Need =
            uint64_t(Dib.HeaderSize) + Dib.TableSize + Dib.Stride() * Rows + MaskStride * Rows;
        if (Need > Size) return false;
    }
    return true;
}

// ---- TIFF -------------------------------------------------------------------------------------

// The chain of image directories: each inside the data with its entries, every value stored
// outside an entry inside the data, and every image a sane size with its strips or tiles inside
// the data. A chain that loops is refused.
bool CheckTiff(const TByteRange& B)
{
    if (!B.Has(0, 8)) return false;
    const bool Big = B.U8(0) == 'M';
    auto U16 = [&](size_t At) { return Big ? B.BE16(At) : B.LE16(At); };
    auto U32 = [&](size_t At) { return Big ? B.BE32(At) : B.LE32(At); };
    if (U16(2) != 42) return false;
    static const unsigned TypeSize[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
    uint64_t Ifd = U32(4);
    std::set<uint64_t> Seen;
    uint64_t Strips = 0;   // over all directories, at most one for every byte of data
    while (Ifd != 0) {
        if (Ifd < 8 || !Seen.insert(Ifd).second || Seen.size() > 256 || !B.Has(Ifd, 2)) return false;
        const unsigned Count = U16(size_t(Ifd));
        if (Count == 0 || !B.Has(Ifd + 2, uint64_t(Count) * 12 + 4)) return false;
        uint64_t Width = 0, Height = 0;
        struct TArray { uint64_t Count = 0, At = 0; unsigned Size = 0; } Offsets, Sizes;
        for (unsigned I = 0; I < Count; ++I) {
            const size_t E = size_t(Ifd + 2 + uint64_t(I) * 12);
            const unsigned Tag = U16(E), Type = U16(E + 2);
            const uint64_t N = U32(E + 4);
            if (Type == 0 || Type >= std::size(TypeSize)) continue;   // unknown types are skipped
            const uint64_t Bytes = N * TypeSize[Type];
            const uint64_t At = Bytes <= 4 ? E + 8 : U32(E + 8);
            if (!B.Has(At, Bytes)) return false;
            auto Value = [&](uint64_t K) -> uint64_t {
                return Type == 3 ? U16(size_t(At + K * 2)) : Type == 4 ? U32(size_t(At + K * 4)) : 0;
            };
            if ((Tag == 256 || Tag == 257) && N >= 1) (Tag == 256 ? Width : Height) = Value(0);
            if (Tag == 273 || Tag == 324) Offsets = {N, At, TypeSize[Type]};
            if (Tag == 279 || Tag == 325) Sizes = {N, At, TypeSize[Type]};
            if ((Tag == 273 || Tag == 279 || Tag == 324 || Tag == 325) && Type != 3 && Type != 4) return false;
        }
        Strips += Offsets.Count;
        if (!SaneSize(Width, Height) || Offsets.Count == 0 || Offsets.Count != Sizes.Count || Strips > B.N)
            return false;
        for (uint64_t K = 0; K < Offsets.Count; ++K) {
            auto Read = [&](const TArray& A) -> uint64_t {
                const size_t At = size_t(A.At + K * A.Size);
                return A.Size == 2 ? U16(At) : U32(At);
            };
            if (!B.Has(Read(Offsets), Read(Sizes))) return false;
        }
        Ifd = U32(size_t(Ifd + 2 + uint64_t(Count) * 12));
    }
    return true;
}

}  // namespace

}  // namespace ImageBytesCheck

bool ImageBytesWellFormed(const void* Data, Int64 Size)
{
    using namespace ImageBytesCheck;
    if (!Data || Size <= 0) return false;
    if (UInt64(Size) > UInt64(SIZE_T(-1))) return false;
    const TByteRange B{static_cast<const Byte*>(Data), size_t(Size)};
    switch (FindPictureFormat(Data, Size)) {
    case pfPNG: return CheckPng(B);
    case pfJPG: return CheckJpeg(B);
    case pfGIF: return CheckGif(B);
    case pfBMP: return CheckBmp(B);
    case pfICO: return CheckIco(B);
    case pfMetaFile: return CheckMetafile(B);
    case pfTiff: return CheckTiff(B);
    default: return false;
    }
}
