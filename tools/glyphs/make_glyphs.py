#!/usr/bin/env python3
"""Draws the grid's and the pickers' resources and writes them, with the .rc files that name
them, into resources/grid/, resources/pickers/, resources/grid.rc and resources/pickers.rc.

Every cursor of the program is named in grid.rc, the pickers' eyedropper too (its files stay in
resources/pickers/; every program with the pickers has the grid): the linker of this toolchain
(GNU ld 2.40) crashes when two of a program's resource files both hold cursor images.

The files are kept in the tree, so the build needs no interpreter: run this again after changing
a drawing and commit what it writes. With --preview FOLDER it also writes each glyph enlarged as a
PNG file there (transparent pixels checkered), to look at while drawing.
"""
import argparse
import hashlib
import os

import formats
import grid_glyphs
import picker_glyphs
from raster import Image

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
RESOURCES = os.path.join(ROOT, "resources")

RC_HEADERS = {
    "grid": """// Resources of the string grid, linked into every program that uses it (a static library's
// resources would be dropped). Drawn and written by tools/glyphs/make_glyphs.py: change the
// drawing there and run it again. Every transparent bitmap keeps its transparent colour, olive
// (red 128, green 128, blue 0), in its corner pixels; the XP node boxes are opaque.
//
// Every cursor of the program is here, the pickers' eyedropper too: the linker crashes when two
// of a program's resource files both hold cursor images.
""",
    "pickers": """// Resources of the pickers, linked into every program that uses them. Drawn and written by
// tools/glyphs/make_glyphs.py: change the drawing there and run it again. The eyedropper cursor
// "JOQ_POINTER" is named in grid.rc (its files are here): every cursor of the program is there,
// since the linker crashes when two of a program's resource files both hold cursor images.
""",
}
RC_IMAGES = """//
// Icons and cursors are written as their image (type 3, RT_ICON, or 1, RT_CURSOR) and their group
// directory (type 14, RT_GROUP_ICON, or 12, RT_GROUP_CURSOR), each image with a number of its
// own: windres numbers the images of ICON and CURSOR statements from 1 in every .rc file, and two
// such files in one program make the linker fail.
"""
# The first image number of each .rc file's icons and cursors (numbers unique in the program).
IMAGE_IDS = {"grid": 8101, "pickers": 8301}
RT_CURSOR, RT_ICON, RT_GROUP_CURSOR, RT_GROUP_ICON = 1, 3, 12, 14


def rgb_rows(glyph):
    """The rows of (r, g, b) of a 24-bit bitmap."""
    if isinstance(glyph.image, Image):
        if glyph.opaque:
            return [[glyph.image.get(x, y)[:3] for x in range(glyph.image.width)]
                    for y in range(glyph.image.height)]
        return grid_glyphs.keyed(glyph.image)
    return glyph.image


def bitmap_bytes(glyph):
    if glyph.palette:
        return formats.bmp4(glyph.image, glyph.palette)
    return formats.bmp24(rgb_rows(glyph))


def image_and_group(glyph, image_id):
    """The image resource and its group directory of an icon or a cursor."""
    if glyph.kind == "ICON":
        img = glyph.image
        image = formats.icon_image([[img.get(x, y) for x in range(img.width)] for y in range(img.height)])
        return image, formats.icon_group(img.width, img.height, image, image_id)
    image = formats.cursor_image(glyph.image, glyph.hot_spot)
    return image, formats.cursor_group(len(glyph.image[0]), len(glyph.image), image, image_id)


def preview_rows(glyph):
    """RGBA rows for a preview, transparent parts checkered."""
    def checker(x, y):
        return (204, 204, 204, 255) if (x // 4 + y // 4) % 2 else (255, 255, 255, 255)
    if glyph.kind == "CURSOR":
        colours = {formats.BLACK: (0, 0, 0, 255), formats.WHITE: (255, 255, 255, 255)}
        return [[colours.get(p) or checker(x, y) for x, p in enumerate(row)]
                for y, row in enumerate(glyph.image)]
    if glyph.kind == "ICON":
        img = glyph.image
        out = Image(img.width, img.height)
        for y in range(img.height):
            for x in range(img.width):
                out.px[y][x] = checker(x, y)
                r, g, b, a = img.get(x, y)
                out.over(x, y, (r, g, b), a / 255.0)
        return out.px
    if glyph.palette:
        rows = [[glyph.palette[i] for i in row] for row in glyph.image]
    else:
        rows = rgb_rows(glyph)
    key = None if glyph.opaque else rows[0][0]
    return [[checker(x, y) if c == key else c + (255,) for x, c in enumerate(row)]
            for y, row in enumerate(rows)]


def write_preview(folder, glyph, factor=8):
    rows = preview_rows(glyph)
    big = [[rows[y // factor][x // factor] for x in range(len(rows[0]) * factor)]
           for y in range(len(rows) * factor)]
    with open(os.path.join(folder, "%s.png" % glyph.name), "wb") as f:
        f.write(formats.png(big))


def write_file(library, name, data, digest):
    """Writes resources/library/name and adds it to the digest; answers the path as the .rc file
    names it."""
    digest.update(name.encode() + data)
    os.makedirs(os.path.join(RESOURCES, library), exist_ok=True)
    with open(os.path.join(RESOURCES, library, name), "wb") as f:
        f.write(data)
    return '"%s/%s"' % (library, name)


def rc_line(statement, note):
    return "%-50s // %s\n" % (statement, note)


def write_rc(rc_name, entries, preview):
    """entries: (folder below resources/, glyph) in the order of the .rc file."""
    lines = []
    digest = hashlib.sha1()
    image_id = IMAGE_IDS[rc_name]
    for library, glyph in entries:
        if glyph.kind == "BITMAP":
            path = write_file(library, glyph.file + ".bmp", bitmap_bytes(glyph), digest)
            lines.append(rc_line("%s BITMAP %s" % (glyph.name, path), glyph.note))
        else:
            icon = glyph.kind == "ICON"
            suffix = ".icon" if icon else ".cursor"
            image, group = image_and_group(glyph, image_id)
            note = glyph.note
            if not icon and "hot spot" not in note:
                note += " (hot spot %d, %d)" % glyph.hot_spot
            path = write_file(library, glyph.file + suffix + "group", group, digest)
            lines.append(rc_line("%s %d %s" % (glyph.name, RT_GROUP_ICON if icon else RT_GROUP_CURSOR,
                                               path), note))
            path = write_file(library, glyph.file + suffix, image, digest)
            lines.append(rc_line("%d %d %s" % (image_id, RT_ICON if icon else RT_CURSOR, path),
                                 "its image"))
            image_id += 1
        if preview:
            write_preview(preview, glyph)
    header = [RC_HEADERS[rc_name]]
    if any(g.kind != "BITMAP" for _, g in entries):
        header.append(RC_IMAGES)
    # The resource compiler reports no dependencies on the files it reads: a digest of them makes
    # this file change, and so be compiled again, whenever a drawing changes.
    header.append("// Drawings: %s\n" % digest.hexdigest())
    with open(os.path.join(RESOURCES, rc_name + ".rc"), "w", newline="\n") as f:
        f.write("".join(header + lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="FOLDER", help="also write enlarged PNG previews")
    args = parser.parse_args()
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
    write_rc("grid", [("grid", g) for g in grid_glyphs.all_glyphs()]
             + [("pickers", g) for g in picker_glyphs.cursors()], args.preview)
    write_rc("pickers", [("pickers", g) for g in picker_glyphs.pictures()], args.preview)


if __name__ == "__main__":
    main()
