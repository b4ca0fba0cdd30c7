// The pieces the structural check of image bytes shares between its files (see ImageBytesWellFormed
// in GDIPImageBytes.h).
#pragma once

#include "graphics/GDIPImageBytes.h"

#include <cstddef>
#include <cstdint>

namespace ImageBytesCheck {

using std::int32_t;
using std::int64_t;
using std::uint16_t;
using std::uint32_t;
using std::uint64_t;

// Bytes with bounds: every read is at an offset the caller has checked with Has.
struct TByteRange {
    const Byte* D;
    size_t N;

    bool Has(uint64_t At, uint64_t Len) const { return At <= N && Len <= N - At; }
    unsigned U8(size_t At) const { return D[At]; }
    unsigned LE16(size_t At) const { return unsigned(D[At]) | unsigned(D[At + 1]) << 8; }
    uint32_t LE32(size_t At) const { return uint32_t(LE16(At)) | uint32_t(LE16(At + 2)) << 16; }
    unsigned BE16(size_t At) const { return unsigned(D[At]) << 8 | unsigned(D[At + 1]); }
    uint32_t BE32(size_t At) const { return uint32_t(BE16(At)) << 16 | uint32_t(BE16(At + 2)); }
    TByteRange Sub(size_t At, size_t Len) const { return {D + At, Len}; }
};

// Width and height of at least one pixel and within the decoding limits.
bool SaneSize(uint64_t Width, uint64_t Height);

// What a bitmap's info header says, once it has been found sane.
struct TDib {
    uint32_t HeaderSize = 0;
    int64_t Width = 0, Height = 0;   // Height is negative for rows stored top-down
    unsigned BitCount = 0, Compression = 0;
    uint64_t TableSize = 0;          // colour table (and colour masks) after the header, in bytes
    uint64_t Stride() const { return (uint64_t(Width) * BitCount + 31) / 32 * 4; }
    uint64_t Rows() const { return uint64_t(Height < 0 ? -Height : Height); }
};

// The info header (or the older core header) at At; false when it is not sane.
bool ReadDibHeader(const TByteRange& B, size_t At, TDib& Dib);
// Run-length coded pixels from At: every run inside the image and the data.
bool CheckRle(const TByteRange& B, size_t At, const TDib& Dib);

bool CheckPng(const TByteRange& B);
bool CheckMetafile(const TByteRange& B);

}  // namespace ImageBytesCheck
