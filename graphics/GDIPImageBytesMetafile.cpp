// The structural check of metafile bytes (enhanced, and placeable Windows metafiles): the records
// walk from the header to the end-of-file record inside the data, every record is large enough
// for what it holds (point lists, texts, regions, palettes, bitmaps), and every object it names
// lies inside the object table the header declares. The platform plays these records trusting
// their counts and offsets, so none of that may point outside the data; and nothing may be drawn
// so far outside the picture that the platform's drawing of it runs away.
#include "graphics/GDIPImageBytesCheck.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ImageBytesCheck {

namespace {

// ---- Bitmaps inside records ---------------------------------------------------------------------

// A bitmap stored as an info header (with its colour table) at BmiAt, BmiSize bytes, and pixels at
// BitsAt, BitsSize bytes, all inside the record R. PaletteIndices: the colour table holds 16-bit
// palette indices. Rows: the pixel rows present (0: the header's height).
bool DibInRecord(const TByteRange& R, uint64_t BmiAt, uint64_t BmiSize, uint64_t BitsAt, uint64_t BitsSize,
                 bool PaletteIndices, uint64_t Rows = 0)
{
    if (!R.Has(BmiAt, BmiSize) || !R.Has(BitsAt, BitsSize)) return false;
    const TByteRange Bmi = R.Sub(size_t(BmiAt), size_t(BmiSize));
    TDib Dib;
    if (!ReadDibHeader(Bmi, 0, Dib) || Dib.Width < 1) return false;
    uint64_t Table = Dib.TableSize;
    if (PaletteIndices && Dib.HeaderSize != 12) Table = Table / 4 * 2 + (Table % 4);
    if (Dib.HeaderSize + Table > BmiSize) return false;
    if (Dib.Compression == 1 || Dib.Compression == 2) {
        // Run-length pixels: the size the header states, inside the record, walked to the end.
        const uint32_t SizeImage = Bmi.LE32(20);
        return SizeImage > 0 && SizeImage <= BitsSize && CheckRle(R.Sub(size_t(BitsAt), SizeImage), 0, Dib);
    }
    const uint64_t Need = Rows && Rows < Dib.Rows() ? Rows : Dib.Rows();
    return uint64_t(Dib.Stride()) * Need <= BitsSize;
}

// A packed bitmap (info header, colour table, pixels) filling R from At to its end.
bool PackedDib(const TByteRange& R, size_t At, bool PaletteIndices)
{
    if (!R.Has(At, 4)) return false;
    TDib Dib;
    if (!ReadDibHeader(R, At, Dib)) return false;
    uint64_t Table = Dib.TableSize;
    if (PaletteIndices && Dib.HeaderSize != 12) Table = Table / 4 * 2 + (Table % 4);
    const uint64_t Bits = At + Dib.HeaderSize + Table;
    if (Bits > R.N) return false;
    return DibInRecord(R, At, Bits - At, Bits, R.N - Bits, PaletteIndices);
}

// Region data (a header of 32 bytes and its rectangles) of Size bytes at At.
bool RegionData(const TByteRange& R, uint64_t At, uint64_t Size)
{
    if (Size == 0) return true;
    if (Size < 32 || !R.Has(At, Size)) return false;
    const size_t A = size_t(At);
    return R.LE32(A) == 32 && R.LE32(A + 4) == 1 && 32 + uint64_t(R.LE32(A + 8)) * 16 <= Size;
}

// ---- How far the drawing reaches ------------------------------------------------------------------

// The platform draws curves, wide pens and regions at a cost that grows with their size on the
// device, and fails outright somewhere past a million pixels. A picture draws within its own
// bounds; coordinates far outside them are damage. This gathers, over all records, a bound on
// how far any drawing reaches on the device: the largest coordinate, pen width and radius, the
// largest origins, and the largest scaling that extents, their scalings and world transforms can
// make (each taken at its worst, whatever the order of the records).
struct TReach {
    double Coord = 0;
    double WindowOrg = 0, ViewportOrg = 0;
    double ViewportExt = 1, WindowExt = 1;   // the largest viewport, the smallest window extent
    double ExtScale = 1;                     // extent scalings, multiplied
    double World = 1, WorldMax = 1, Shift = 0;

    void At(double V) { Coord = std::max(Coord, std::fabs(V)); }
    double Device() const
    {
        return ((Coord * WorldMax + Shift) + WindowOrg) * (ViewportExt / WindowExt) * ExtScale + ViewportOrg;
    }
    // A scaling Num / Denom of one axis (ignored when either is 0, as the player does).
    void Scaling(double Num, double Denom)
    {
        if (Num != 0 && Denom != 0) ExtScale *= std::max(1.0, std::fabs(Num / Denom));
    }
    bool Extent(double X, double Y, bool Viewport)
    {
        if (X == 0 || Y == 0) return false;
        if (Viewport) ViewportExt = std::max({ViewportExt, std::fabs(X), std::fabs(Y)});
        else WindowExt = std::min({WindowExt, std::fabs(X), std::fabs(Y)});
        return true;
    }
    // A world transform of six values; Multiply: it multiplies the one in force.
    bool Transform(const float* M, bool Multiply)
    {
        for (int I = 0; I < 6; ++I)
            if (!std::isfinite(M[I])) return false;
        const double Norm = std::max(std::fabs(M[0]) + std::fabs(M[2]), std::fabs(M[1]) + std::fabs(M[3]));
        World = Multiply ? World * Norm : Norm;
        WorldMax = std::max(WorldMax, World);
        Shift += std::fabs(M[4]) + std::fabs(M[5]);
        return true;
    }
};

// How far on the device a picture of the given side (in pixels) may draw: well past its bounds,
// far short of where drawing costs become unbounded.
double MaxReach(double Side) { return 16 * Side + 4096; }

// ---- Enhanced metafiles -------------------------------------------------------------------------

constexpr uint32_t EmfPlusSignature = 0x2B464D45;   // "EMF+"

// The records inside a comment that carries drawing records of the GDI+ kind: each with a
// header of 12 bytes and a size that keeps it inside the comment.
bool EmfPlusRecords(const TByteRange& C)
{
    size_t P = 4;
    while (P < C.N) {
        if (!C.Has(P, 12)) return false;
        const uint32_t Size = C.LE32(P + 4), DataSize = C.LE32(P + 8);
        if (Size < 12 || Size % 4 != 0 || !C.Has(P, Size) || DataSize > Size - 12) return false;
        P += Size;
    }
    return true;
}

// One record of Size bytes at R; Handles is the object table's size.
bool EmfRecord(const TByteRange& R, uint32_t Type, uint32_t Handles)
{
    const uint64_t Size = R.N;
    auto Min = [&](uint64_t Bytes) { return Size >= Bytes; };
    // An entry of the object table (entry 0 is the metafile itself); selecting may instead name a
    // stock object by its high bit. Every other use of an entry indexes the table as it stands.
    auto Slot = [&](size_t At) { const uint32_t Ih = R.LE32(At); return Ih >= 1 && Ih < Handles; };
    auto Selected = [&](size_t At) { return (R.LE32(At) & 0x80000000u) || Slot(At); };
    auto Points = [&](uint64_t PointSize) {
        return Min(28) && 28 + uint64_t(R.LE32(24)) * PointSize <= Size;
    };
    auto PolyPoly = [&](uint64_t PointSize) {
        if (!Min(32)) return false;
        const uint64_t Polys = R.LE32(24), Count = R.LE32(28);
        if (32 + Polys * 4 + Count * PointSize > Size) return false;
        uint64_t Sum = 0;
        for (uint64_t I = 0; I < Polys; ++I) Sum += R.LE32(size_t(32 + I * 4));
        return Sum <= Count;
    };
    // Text output options the format defines (opaque, clipped, glyph indices, right to left,
    // digit shapes, no language processing, vertical spacing, reversed index map).
    constexpr uint32_t TextOptions = 0x2 | 0x4 | 0x10 | 0x80 | 0x400 | 0x800 | 0x1000 | 0x2000 | 0x10000;
    auto Text = [&](size_t At, uint64_t CharSize) {   // an EMRTEXT at At
        if (!R.Has(At, 40)) return false;
        const uint64_t Chars = R.LE32(At + 8), Str = R.LE32(At + 12), Options = R.LE32(At + 16),
                       Dx = R.LE32(At + 36);
        if (Options & ~uint64_t(TextOptions)) return false;
        if (Chars && !R.Has(Str, Chars * CharSize)) return false;
        const uint64_t DxSize = (Options & 0x2000) ? 8 : 4;   // ETO_PDY: two values a character
        return Dx == 0 || !Chars || R.Has(Dx, Chars * DxSize);
    };
    // A bitmap of a transfer: its colour usage (RGB values or palette indices) at Usage; offset
    // and size of its header, offset and size of its pixels at Bmi; the source rectangle's corner
    // at Src and size at Span, which must lie inside the bitmap. Optional: it may have no bitmap.
    auto Blt = [&](size_t Usage, size_t Bmi, size_t Src, size_t Span, bool Optional) {
        const uint32_t CbBmi = R.LE32(Bmi + 4);
        if (Optional && CbBmi == 0) return true;
        if (R.LE32(Usage) > 1) return false;
        if (!DibInRecord(R, R.LE32(Bmi), CbBmi, R.LE32(Bmi + 8), R.LE32(Bmi + 12), R.LE32(Usage) == 1))
            return false;
        TDib Dib;
        ReadDibHeader(R.Sub(R.LE32(Bmi), CbBmi), 0, Dib);
        auto Inside = [](int64_t From, int64_t Length, int64_t Size) {
            const int64_t A = std::min(From, From + Length), B = std::max(From, From + Length);
            return A >= 0 && B <= Size;
        };
        return Inside(int32_t(R.LE32(Src)), int32_t(R.LE32(Span)), Dib.Width) &&
               Inside(int32_t(R.LE32(Src + 4)), int32_t(R.LE32(Span + 4)), int64_t(Dib.Rows()));
    };
    // Brush styles a record may give by value: solid, hollow, hatched (with a known hatch).
    auto PlainBrush = [&](size_t Style, size_t Hatch) {
        const uint32_t S = R.LE32(Style);
        return S == 0 || S == 1 || (S == 2 && R.LE32(Hatch) <= 5);
    };

    switch (Type) {
    case 2: case 3: case 4: case 5: case 6: return Points(8);       // poly lines, polygons, Béziers
    case 85: case 86: case 87: case 88: case 89: return Points(4);
    case 7: case 8: return PolyPoly(8);
    case 90: case 91: return PolyPoly(4);
    case 56: return Min(28) && 28 + uint64_t(R.LE32(24)) * 9 <= Size;   // poly draw
    case 92: return Min(28) && 28 + uint64_t(R.LE32(24)) * 5 <= Size;
    case 9: case 10: case 11: case 12: case 13: case 26: case 27: case 54: return Min(16);
    case 14: {                                                           // end of file
        if (!Min(20)) return false;
        const uint64_t Entries = R.LE32(8), Offset = R.LE32(12);
        return Entries == 0 || Offset + Entries * 4 <= Size - 4;
    }
    case 15: return Min(20);
    case 53: return Min(24);
    case 16: case 17: case 18: case 19: case 20: case 21: case 22: case 24: case 25: case 34:
    case 57: case 58: case 67: case 98: case 115: return Min(12);
    case 23: return Min(32);
    case 28: case 33: case 52: case 59: case 60: case 61: case 65: case 66: case 68: return Min(8);
    case 29: case 30: case 31: case 32: case 42: case 43: case 62: case 63: case 64: return Min(24);
    case 35: return Min(32);
    case 36: return Min(36);
    case 37: case 48: return Min(12) && Selected(8);                // select object, palette
    case 40: return Min(12) && Slot(8);                             // delete object
    case 38: return Min(28) && Slot(8);                             // pen
    case 39: return Min(24) && Slot(8) && PlainBrush(12, 20);       // brush
    case 41: return Min(28);
    case 44: return Min(32);
    case 45: case 46: case 47: case 55: return Min(40);
    case 49: return Min(16) && Slot(8) && 16 + uint64_t(R.LE16(14)) * 4 <= Size;   // palette
    case 50: return Min(20) && Slot(8) && 20 + uint64_t(R.LE32(16)) * 4 <= Size;
    case 51: return Min(16) && Slot(8);
    case 70: {                                                          // comment
        if (!Min(12) || 12 + uint64_t(R.LE32(8)) > Size) return false;
        const TByteRange Data = R.Sub(12, R.LE32(8));
        return Data.N < 4 || Data.LE32(0) != EmfPlusSignature || EmfPlusRecords(Data);
    }
    case 71: return Min(32) && Slot(28) && RegionData(R, 32, R.LE32(24));   // fill region
    case 72: return Min(40) && Slot(28) && RegionData(R, 40, R.LE32(24));   // frame region
    case 73: case 74: return Min(28) && RegionData(R, 28, R.LE32(24));
    case 75: return Min(16) && RegionData(R, 16, R.LE32(8));        // clip region
    case 76: return Min(100) && Blt(80, 84, 44, 32, true);          // bit block transfer
    case 77: case 114: case 116:                                    // stretched, blended, transparent
        return Min(108) && Blt(80, 84, 44, 100, true);
    case 78: return Min(128) && Blt(80, 84, 44, 32, true) && Blt(108, 112, 100, 32, true);   // masked
    case 79: return Min(140) && Blt(92, 96, 48, 56, true) && Blt(120, 124, 112, 56, true);   // parallelogram
    case 80:                                                            // bits to device
        return Min(76) && R.LE32(64) <= 1 &&
               DibInRecord(R, R.LE32(48), R.LE32(52), R.LE32(56), R.LE32(60), R.LE32(64) == 1, R.LE32(72));
    case 81: return Min(80) && Blt(64, 48, 32, 40, false);          // stretched bits
    case 82: return Min(104) && Slot(8);                            // font
    case 83: return Min(76) && Text(36, 1);
    case 84: return Min(76) && Text(36, 2);
    case 93: case 94:                                                   // bitmap brushes
        return Min(32) && Slot(8) && R.LE32(12) <= 1 &&
               DibInRecord(R, R.LE32(16), R.LE32(20), R.LE32(24), R.LE32(28), R.LE32(12) == 1);
    case 95: {                                                          // extended pen
        if (!Min(52) || !Slot(8) || 52 + uint64_t(R.LE32(48)) * 4 > Size) return false;
        if (R.LE32(16) == 0) return PlainBrush(36, 44);
        // A bitmap brush: its bitmap is in the record.
        return (R.LE32(36) == 5 || R.LE32(36) == 6) &&
               DibInRecord(R, R.LE32(12), R.LE32(16), R.LE32(20), R.LE32(24), false);
    }
    case 96: case 97: {                                                 // several texts
        if (!Min(40)) return false;
        const uint64_t Strings = R.LE32(36);
        if (40 + Strings * 40 > Size) return false;
        for (uint64_t I = 0; I < Strings; ++I)
            if (!Text(size_t(40 + I * 40), Type == 96 ? 1 : 2)) return false;
        return true;
    }
    case 99: return Min(340) && Slot(8);                            // colour spaces
    case 122: return Min(608) && Slot(8) && 608 + uint64_t(R.LE32(604)) <= Size;
    case 100: case 101: return Min(12) && Slot(8);                  // colour space set, deleted
    case 108: {                                                         // small text
        if (!Min(36)) return false;
        const uint64_t Chars = R.LE32(16), Options = R.LE32(20);
        if (Options & ~uint64_t(TextOptions | 0x100 | 0x200)) return false;   // no rectangle, 8-bit text
        const uint64_t Start = (Options & 0x100) ? 36 : 52;
        return Start + Chars * ((Options & 0x200) ? 1 : 2) <= Size;
    }
    case 118: {                                                         // gradient
        if (!Min(36)) return false;
        const uint64_t Vertices = R.LE32(24), Meshes = R.LE32(28), Mode = R.LE32(32);
        if (Mode > 2) return false;
        const uint64_t Indices = Mode == 2 ? 3 : 2;
        const uint64_t MeshAt = 36 + Vertices * 16;
        if (MeshAt + Meshes * Indices * 4 > Size) return false;
        for (uint64_t I = 0; I < Meshes * Indices; ++I)
            if (R.LE32(size_t(MeshAt + I * 4)) >= Vertices) return false;
        return true;
    }
    case 1: return false;                                           // a second header
    case 0: case 69: case 117: return false;                        // no such record
    default: return Type <= 122 && Min(8);                          // others: not played
    }
}

// Adds what a record (already found sound by EmfRecord) draws with to Reach; false for extents of
// zero and transforms that are no numbers.
bool EmfReach(const TByteRange& R, uint32_t Type, TReach& Reach)
{
    auto L = [&](size_t At) { return double(int32_t(R.LE32(At))); };
    auto S = [&](size_t At) { return double(int16_t(R.LE16(At))); };
    auto Longs = [&](size_t At, size_t Count) { for (size_t I = 0; I < Count; ++I) Reach.At(L(At + 4 * I)); };
    auto Shorts = [&](size_t At, size_t Count) { for (size_t I = 0; I < Count; ++I) Reach.At(S(At + 2 * I)); };
    auto Xform = [&](size_t At, bool Multiply) {
        float M[6];
        std::memcpy(M, R.D + At, sizeof(M));
        return Reach.Transform(M, Multiply);
    };
    auto Region = [&](size_t At, uint64_t Size) {
        if (Size >= 32) Longs(At + 16, 4 + size_t(R.LE32(At + 8)) * 4);
    };
    switch (Type) {
    case 2: case 3: case 4: case 5: case 6: Longs(28, size_t(R.LE32(24)) * 2); break;
    case 85: case 86: case 87: case 88: case 89: Shorts(28, size_t(R.LE32(24)) * 2); break;
    case 7: case 8: Longs(32 + size_t(R.LE32(24)) * 4, size_t(R.LE32(28)) * 2); break;
    case 90: case 91: Shorts(32 + size_t(R.LE32(24)) * 4, size_t(R.LE32(28)) * 2); break;
    case 56: Longs(28, size_t(R.LE32(24)) * 2); break;
    case 92: Shorts(28, size_t(R.LE32(24)) * 2); break;
    case 9: return Reach.Extent(L(8), L(12), false);
    case 11: return Reach.Extent(L(8), L(12), true);
    case 10: Reach.WindowOrg = std::max({Reach.WindowOrg, std::fabs(L(8)), std::fabs(L(12))}); break;
    case 12: Reach.ViewportOrg = std::max({Reach.ViewportOrg, std::fabs(L(8)), std::fabs(L(12))}); break;
    case 15: case 27: case 53: case 54: Longs(8, 2); break;
    case 31: Reach.Scaling(L(8), L(12)); Reach.Scaling(L(16), L(20)); break;   // viewport: num / denom
    case 32: Reach.Scaling(L(12), L(8)); Reach.Scaling(L(20), L(16)); break;   // window: denom / num
    case 35: return Xform(8, false);
    case 36: {
        const uint32_t Mode = R.LE32(32);
        if (Mode == 1) Reach.World = 1;                                           // identity
        else if (Mode == 2 || Mode == 3) return Xform(8, true);                   // multiplied
        else if (Mode == 4) return Xform(8, false);                               // set
        break;
    }
    case 38: Reach.At(L(16)); break;                                // pen width
    case 95: Reach.At(L(32)); break;
    case 41: Reach.At(std::fabs(L(8)) + double(R.LE32(16))); Reach.At(std::fabs(L(12)) + double(R.LE32(16))); break;
    case 42: case 43: Longs(8, 4); break;
    case 44: Longs(8, 6); break;
    case 45: case 46: case 47: case 55: Longs(8, 8); break;
    case 71: case 72: Region(32 + (Type == 72 ? 8 : 0), R.LE32(24)); break;
    case 73: case 74: Region(28, R.LE32(24)); break;
    case 75: Region(16, R.LE32(8)); break;
    case 76: case 77: case 78: case 114: case 116:
        Reach.At(L(24)); Reach.At(L(28)); Reach.At(L(24) + L(32)); Reach.At(L(28) + L(36)); break;
    case 79: Longs(24, 6); break;
    case 80: Reach.At(L(24)); Reach.At(L(28)); Reach.At(L(24) + L(40)); Reach.At(L(28) + L(44)); break;
    case 81: Reach.At(L(24)); Reach.At(L(28)); Reach.At(L(24) + L(72)); Reach.At(L(28) + L(76)); break;
    case 83: case 84:                                               // reference point, rectangle
        Longs(36, 2);
        if (R.LE32(52) & 6) Longs(56, 4);
        break;
    case 96: case 97:
        for (uint64_t I = 0; I < R.LE32(36); ++I) Longs(size_t(40 + I * 40), 2);
        break;
    case 108: Longs(8, 2); break;
    case 118:
        for (uint64_t I = 0; I < R.LE32(24); ++I) Longs(size_t(36 + I * 16), 2);
        break;
    default: break;
    }
    return true;
}

bool CheckEmf(const TByteRange& B)
{
    if (!B.Has(0, 88) || B.LE32(0) != 1 || B.LE32(40) != 0x464D4520u) return false;
    const uint32_t HeaderSize = B.LE32(4), Bytes = B.LE32(48), Handles = B.LE16(56);
    if (HeaderSize < 88 || HeaderSize % 4 != 0 || Bytes % 4 != 0 || Bytes > B.N || HeaderSize > Bytes) return false;
    // The frame (in hundredths of a millimetre) and the reference device's size in pixels and in
    // millimetres give the picture's size; the playing scales by them. A resolution outside 1 to
    // 10000 pixels an inch, or a size past the decoding limit, is no picture.
    const int64_t Left = int32_t(B.LE32(24)), Top = int32_t(B.LE32(28)), Right = int32_t(B.LE32(32)),
                  Bottom = int32_t(B.LE32(36));
    const int64_t DeviceX = int32_t(B.LE32(72)), DeviceY = int32_t(B.LE32(76)), MmX = int32_t(B.LE32(80)),
                  MmY = int32_t(B.LE32(84));
    if (Right <= Left || Bottom <= Top || DeviceX <= 0 || DeviceY <= 0 || MmX <= 0 || MmY <= 0 || Handles == 0)
        return false;
    auto Resolution = [](int64_t Pixels, int64_t Mm) {
        return Pixels * 254 >= Mm * 10 && Pixels * 254 <= Mm * 100000;
    };
    if (!Resolution(DeviceX, MmX) || !Resolution(DeviceY, MmY)) return false;
    const int64_t SideX = (Right - Left) * DeviceX / (MmX * 100), SideY = (Bottom - Top) * DeviceY / (MmY * 100);
    if (SideX > MaxDecodedImageSide || SideY > MaxDecodedImageSide) return false;
    const uint64_t Description = B.LE32(60), DescriptionAt = B.LE32(64);
    if (Description && DescriptionAt + Description * 2 > HeaderSize) return false;
    if (HeaderSize >= 100) {
        const uint64_t PixelFormat = B.LE32(88), PixelFormatAt = B.LE32(92);
        if (PixelFormat && PixelFormatAt + PixelFormat > HeaderSize) return false;
    }
    const TByteRange File = B.Sub(0, Bytes);
    TReach Reach;
    size_t P = HeaderSize;
    for (;;) {
        if (!File.Has(P, 8)) return false;
        const uint32_t Type = File.LE32(P), Size = File.LE32(P + 4);
        if (Size < 8 || Size % 4 != 0 || !File.Has(P, Size)) return false;
        const TByteRange Record = File.Sub(P, Size);
        if (!EmfRecord(Record, Type, Handles) || !EmfReach(Record, Type, Reach)) return false;
        P += Size;
        if (Type == 14) return P == Bytes && Reach.Device() <= MaxReach(std::max(SideX, SideY));
    }
}

// ---- Placeable Windows metafiles ----------------------------------------------------------------

// One record: Params are its 16-bit parameters (Count of them); Objects the object table's size.
bool WmfRecord(const TByteRange& R, unsigned Function, uint64_t Count, unsigned Objects)
{
    auto Par = [&](uint64_t I) { return R.LE16(size_t(6 + I * 2)); };
    auto Has = [&](uint64_t N) { return Count >= N; };
    auto Object = [&](uint64_t I) { return Has(I + 1) && Par(I) < Objects; };
    auto Dib = [&](uint64_t At, bool Indices) {   // a packed bitmap from parameter At to the end
        return Has(At + 1) && PackedDib(R, size_t(6 + At * 2), Indices);
    };
    // A device-dependent bitmap of the old kind from parameter At: its header and its pixels.
    auto OldBitmap = [&](uint64_t At) {
        if (!Has(At + 7)) return false;
        const uint64_t Width = Par(At + 1), Height = Par(At + 2), WidthBytes = Par(At + 3);
        const unsigned Planes = R.U8(size_t(6 + (At + 4) * 2)), Bits = R.U8(size_t(6 + (At + 4) * 2 + 1));
        if (!SaneSize(Width, Height) || Planes != 1 || (Bits != 1 && Bits != 4 && Bits != 8 && Bits != 16 &&
                                                        Bits != 24 && Bits != 32))
            return false;
        const uint64_t Stride = (Width * Bits + 15) / 16 * 2;
        return WidthBytes >= Stride && (At + 7) * 2 + Stride * Height <= Count * 2;
    };
    switch (Function) {
    case 0x001E: case 0x0035: case 0x00F8: return true;
    case 0x0102: case 0x0103: case 0x0104: case 0x0105: case 0x0106: case 0x0107: case 0x0108:
    case 0x0127: case 0x012E: case 0x0139: return Has(1);
    case 0x012A: case 0x012B: case 0x012C: case 0x012D: case 0x01F0: case 0x0234: return Object(0);
    case 0x0149: case 0x0201: case 0x0209: case 0x020A: case 0x020B: case 0x020C: case 0x020D: case 0x020E:
    case 0x020F: case 0x0211: case 0x0213: case 0x0214: case 0x0220: case 0x0231: return Has(2);
    case 0x0228: return Object(0) && Object(1);                     // fill region
    case 0x0429: return Has(4) && Object(0) && Object(1);           // frame region
    case 0x02FA: return Has(5);                                     // pen
    case 0x02FC: return Has(4);                                     // brush
    case 0x02FB: {                                                       // font: a name ended inside
        if (!Has(9)) return false;
        const size_t Name = 6 + 18, End = size_t(6 + Count * 2);
        if (End - Name >= 32) return true;
        for (size_t I = Name; I < End; ++I)
            if (R.U8(I) == 0) return true;
        return false;
    }
    case 0x00F7: return Has(2) && 2 + uint64_t(Par(1)) * 2 <= Count;   // palette
    case 0x0037: case 0x0436: return Has(2) && 2 + uint64_t(Par(1)) * 2 <= Count;
    case 0x0324: case 0x0325: return Has(1) && 1 + uint64_t(Par(0)) * 2 <= Count;   // polygon, poly line
    case 0x0538: {                                                       // several polygons
        if (!Has(1)) return false;
        const uint64_t Polys = Par(0);
        if (1 + Polys > Count) return false;
        uint64_t Points = 0;
        for (uint64_t I = 0; I < Polys; ++I) Points += Par(1 + I);
        return 1 + Polys + Points * 2 <= Count;
    }
    case 0x0410: case 0x0412: case 0x0415: case 0x0416: case 0x0418: case 0x0419: case 0x041B: case 0x041F:
        return Has(4);
    case 0x0548: return Has(5);
    case 0x061C: case 0x061D: return Has(6);
    case 0x0817: case 0x081A: case 0x0830: return Has(8);
    case 0x0521: return Has(1) && 1 + (uint64_t(Par(0)) + 1) / 2 + 2 <= Count;   // text
    case 0x0A32: {                                                       // extended text
        if (!Has(4)) return false;
        const uint64_t Chars = Par(2), Rect = (Par(3) & 6) ? 4 : 0;
        return 4 + Rect + (Chars + 1) / 2 <= Count;
    }
    case 0x0626: return Has(2) && 2 + (uint64_t(Par(1)) + 1) / 2 <= Count;   // escape
    case 0x06FF: {                                                       // region of scans
        if (!Has(11)) return false;
        const uint64_t Scans = Par(5);
        uint64_t At = 11;
        for (uint64_t I = 0; I < Scans; ++I) {
            if (!Has(At + 1)) return false;
            const uint64_t Xs = Par(At);
            if (Xs % 2 != 0 || !Has(At + Xs + 4)) return false;
            At += Xs + 4;
        }
        return true;
    }
    case 0x0142: return Has(2) && Dib(2, Par(1) == 1);              // bitmap pattern brush
    case 0x01F9: return OldBitmap(0);                               // pattern brush
    case 0x0922: return Count <= 9 || OldBitmap(8);                 // bit block transfer
    case 0x0B23: return Count <= 11 || OldBitmap(10);               // stretched
    case 0x0940: return Has(8) && (Count <= 9 || Dib(8, false));    // bitmap transfers
    case 0x0B41: return Has(10) && (Count <= 11 || Dib(10, false));
    case 0x0F43: return Has(11) && Dib(11, Par(2) == 1);
    case 0x0D33: return Has(9) && Dib(9, Par(0) == 1);
    default: return true;                                                // not played: skipped
    }
}

// Adds what a record (already found sound by WmfRecord) draws with to Reach; false for extents
// of zero.
bool WmfReach(const TByteRange& R, unsigned Function, uint64_t Count, TReach& Reach)
{
    auto Par = [&](uint64_t I) { return double(int16_t(R.LE16(size_t(6 + I * 2)))); };
    auto Fold = [&](uint64_t From, uint64_t To) {
        for (uint64_t I = From; I < To && I < Count; ++I) Reach.At(Par(I));
    };
    switch (Function) {
    case 0x020B: Reach.WindowOrg = std::max({Reach.WindowOrg, std::fabs(Par(0)), std::fabs(Par(1))}); break;
    case 0x020D: Reach.ViewportOrg = std::max({Reach.ViewportOrg, std::fabs(Par(0)), std::fabs(Par(1))}); break;
    case 0x020F: Reach.WindowOrg += std::fabs(Par(0)) + std::fabs(Par(1)); break;
    case 0x0211: Reach.ViewportOrg += std::fabs(Par(0)) + std::fabs(Par(1)); break;
    case 0x020C: return Reach.Extent(Par(1), Par(0), false);
    case 0x020E: return Reach.Extent(Par(1), Par(0), true);
    case 0x0410: Reach.Scaling(Par(0), Par(1)); Reach.Scaling(Par(2), Par(3)); break;   // window: denom / num
    case 0x0412: Reach.Scaling(Par(1), Par(0)); Reach.Scaling(Par(3), Par(2)); break;   // viewport: num / denom
    case 0x0213: case 0x0214: Fold(0, 2); break;                    // line to, move to
    case 0x041F: case 0x0419: Fold(2, 4); break;                    // pixel, flood fill
    case 0x0548: Fold(3, 5); break;
    case 0x0418: case 0x041B: Fold(0, 4); break;                    // ellipse, rectangle
    case 0x061C: case 0x061D: Fold(0, 6); break;                    // rounded rectangle, pattern fill
    case 0x0817: case 0x081A: case 0x0830: Fold(0, 8); break;       // arc, pie, chord
    case 0x0324: case 0x0325: Fold(1, Count); break;                // polygon, poly line
    case 0x0538: Fold(1 + uint64_t(R.LE16(6)), Count); break;       // several polygons
    case 0x0521: Fold(Count - 2, Count); break;                     // text
    case 0x0A32: Fold(0, 2); if (R.LE16(6 + 6) & 6) Fold(4, 8); break;   // extended text
    case 0x02FA: Fold(1, 2); break;                                 // pen width
    case 0x06FF: Fold(7, Count); break;                             // region
    case 0x0922: Fold(2, 8); break;                                 // bitmap transfers
    case 0x0B23: Fold(2, 10); break;
    case 0x0940: Fold(2, Count <= 9 ? 9 : 8); break;
    case 0x0B41: Fold(2, 10); break;
    case 0x0F43: Fold(3, 11); break;
    case 0x0D33: Fold(1, 9); break;
    default: break;
    }
    return true;
}

bool CheckWmf(const TByteRange& B)
{
    // The placeable header: bounds and units per inch that sizes are divided by.
    if (!B.Has(0, 22 + 18) || B.LE32(0) != 0x9AC6CDD7u) return false;
    const int16_t Left = int16_t(B.LE16(6)), Top = int16_t(B.LE16(8)), Right = int16_t(B.LE16(10)),
                  Bottom = int16_t(B.LE16(12));
    // The picture's size at 96 pixels an inch stays within the decoding limit.
    const int64_t Inch = B.LE16(14);
    if (Right <= Left || Bottom <= Top || Inch == 0 || (Right - Left) * 96 / Inch > MaxDecodedImageSide ||
        (Bottom - Top) * 96 / Inch > MaxDecodedImageSide)
        return false;
    const size_t H = 22;
    const unsigned Kind = B.LE16(H), HeaderWords = B.LE16(H + 2);
    const uint64_t Words = B.LE32(H + 6);
    const unsigned Objects = B.LE16(H + 10);
    if ((Kind != 1 && Kind != 2) || HeaderWords != 9 || Words * 2 > B.N - H || Words < 9 + 3) return false;
    const TByteRange File = B.Sub(H, size_t(Words * 2));
    TReach Reach;
    size_t P = 18;
    for (;;) {
        if (!File.Has(P, 6)) return false;
        const uint64_t Size = File.LE32(P);
        const unsigned Function = File.LE16(P + 4);
        if (Size < 3 || !File.Has(P, size_t(Size * 2))) return false;
        // Measured at 96 pixels an inch, as the picture's own size is.
        if (Function == 0) {
            const double Side = double(std::max(Right - Left, Bottom - Top)) * 96 / double(Inch);
            return Reach.Device() * 96 / double(Inch) <= MaxReach(Side);
        }
        const TByteRange Record = File.Sub(P, size_t(Size * 2));
        if (!WmfRecord(Record, Function, Size - 3, Objects) || !WmfReach(Record, Function, Size - 3, Reach))
            return false;
        P += size_t(Size * 2);
    }
}

}  // namespace

bool CheckMetafile(const TByteRange& B)
{
    if (B.Has(0, 4) && B.LE32(0) == 0x9AC6CDD7u) return CheckWmf(B);
    return CheckEmf(B);
}

}  // namespace ImageBytesCheck
