"""Writers for the files that windres compiles: BMP (24 bits, or 4 bits with a palette), icon
and cursor images with their group directories as the resources hold them (a 32-bit icon image
with its mask, a monochrome cursor image with its hot spot), and a PNG writer for previews. Only
the standard library is used.
"""
import struct
import zlib


def _bmp(width, height, bit_count, palette, rows_bytes):
    """rows_bytes: the packed rows top to bottom (each padded to 4 bytes)."""
    pixels = b"".join(reversed(rows_bytes))                      # bottom-up
    palette_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(palette_bytes)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bit_count, 0, len(pixels),
                       2835, 2835, len(palette), 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette_bytes + pixels


def bmp24(rows):
    """rows: lists of (r, g, b), top to bottom."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    packed = []
    for row in rows:
        line = bytearray(stride)
        for x, (r, g, b) in enumerate(row):
            line[3 * x:3 * x + 3] = bytes((b, g, r))
        packed.append(bytes(line))
    return _bmp(width, height, 24, [], packed)


def bmp4(rows, palette):
    """rows: lists of palette indexes (0..15), top to bottom; palette: 16 (r, g, b)."""
    assert len(palette) == 16
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    packed = []
    for row in rows:
        line = bytearray(stride)
        for x, index in enumerate(row):
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        packed.append(bytes(line))
    return _bmp(width, height, 4, palette, packed)


def _mask_rows(bits_rows):
    """1-bit rows (lists of 0/1) packed, each padded to 4 bytes, top to bottom."""
    width = len(bits_rows[0])
    stride = ((width + 31) // 32) * 4
    out = []
    for row in bits_rows:
        line = bytearray(stride)
        for x, bit in enumerate(row):
            if bit:
                line[x // 8] |= 0x80 >> (x % 8)
        out.append(bytes(line))
    return out


def icon_image(rgba_rows):
    """One icon image as an RT_ICON resource holds it: the header (height doubled), the 32-bit
    BGRA rows with their alpha, and the AND mask, set where alpha is 0."""
    width, height = len(rgba_rows[0]), len(rgba_rows)
    colour = b"".join(bytes(b"".join(struct.pack("<BBBB", b, g, r, a) for (r, g, b, a) in row))
                      for row in reversed(rgba_rows))
    mask = b"".join(reversed(_mask_rows([[1 if p[3] == 0 else 0 for p in row] for row in rgba_rows])))
    info = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 32, 0, len(colour) + len(mask),
                       0, 0, 0, 0)
    return info + colour + mask


def icon_group(width, height, image, image_id):
    """The RT_GROUP_ICON directory of one 32-bit image."""
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHIH", width % 256, height % 256, 0, 0,
                                                       1, 32, len(image), image_id)


# Monochrome cursor pixels.
CLEAR, BLACK, WHITE = 0, 1, 2


def cursor_image(rows, hot_spot):
    """One monochrome cursor image as an RT_CURSOR resource holds it: the hot spot, then the
    header (height doubled), a black and white palette, the XOR bits and the AND bits; rows of
    CLEAR, BLACK or WHITE, top to bottom."""
    width, height = len(rows[0]), len(rows)
    xor_rows = _mask_rows([[1 if p == WHITE else 0 for p in row] for row in rows])
    and_rows = _mask_rows([[1 if p == CLEAR else 0 for p in row] for row in rows])
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    bits = b"".join(reversed(xor_rows)) + b"".join(reversed(and_rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 1, 0, len(bits), 0, 0, 2, 0)
    return struct.pack("<HH", hot_spot[0], hot_spot[1]) + info + palette + bits


def cursor_group(width, height, image, image_id):
    """The RT_GROUP_CURSOR directory of one monochrome image (its height doubled, as stored)."""
    return struct.pack("<HHH", 0, 2, 1) + struct.pack("<HHHHIH", width, 2 * height, 1, 1, len(image),
                                                       image_id)


def png(rgba_rows):
    width, height = len(rgba_rows[0]), len(rgba_rows)
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rgba_rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
