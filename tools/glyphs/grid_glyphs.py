"""The grid's glyphs: check boxes and radio buttons of the bitmap control styles, node and filter
glyphs, the wheel-pan focus pictures, the search panel's button glyphs, the nine filter-type
icons and the grid's cursors.

Every bitmap keeps the transparent colour in its corner pixels: the painters take the top-left
pixel (brush copy) or the bottom-left pixel (the bitmap's automatic transparent colour), so both
hold KEY and no drawn pixel has that colour.
"""
from raster import (Image, blend, diagonal, disc, pixels, polygon, rect, ring, rotate,
                    rounded_rect, stroke, union, minus, vertical)
from formats import BLACK, CLEAR, WHITE

KEY = (128, 128, 0)          # olive: the transparent colour of every glyph bitmap
MATTE = (255, 255, 255)      # what half-covered edge pixels are blended with


class Glyph:
    """A resource to write: its name (text, or a number), kind ("BITMAP", "ICON" or "CURSOR"), the
    drawing (an Image; rows of palette indexes for a 16-colour bitmap with a palette; rows of
    CLEAR, BLACK, WHITE for a cursor; rows of RGB for a picture), a note for the .rc file and the
    base name of its files (the resource name unless given)."""
    def __init__(self, name, kind, image, note, hot_spot=None, palette=None, opaque=False,
                 file=None):
        self.name, self.kind, self.image, self.note = name, kind, image, note
        self.file = file or str(name)
        self.hot_spot, self.palette = hot_spot, palette
        self.opaque = opaque      # drawn as it stands: every pixel is drawn, no transparent colour


def keyed(img):
    """Flattens an RGBA drawing onto the transparent colour: pixels at least half opaque are
    blended with the matte, the rest become KEY."""
    rows = []
    for y in range(img.height):
        row = []
        for x in range(img.width):
            r, g, b, a = img.get(x, y)
            if a < 128:
                row.append(KEY)
            else:
                c = blend(MATTE, (r, g, b), a / 255.0)
                assert c != KEY, "a drawn pixel has the transparent colour"
                row.append(c)
        rows.append(row)
    for x, y in ((0, 0), (0, img.height - 1), (img.width - 1, 0), (img.width - 1, img.height - 1)):
        assert rows[y][x] == KEY, "corner pixels carry the transparent colour"
    return rows


# ---- Check boxes and radio buttons -----------------------------------------------------------------
#
# Both bitmap styles put the box in the top-left 15 x 15 pixels of the glyph (the painters draw
# the glyph at the widget's top-left and the widget is the check size, 15 or 16 pixels), so the
# larger 20 x 20 glyphs of the vendor style leave their right and bottom edges transparent.

class Look:
    def __init__(self, border, fill_from, fill_to, ink, gradient, highlight=None):
        self.border, self.fill_from, self.fill_to, self.ink = border, fill_from, fill_to, ink
        self.gradient = gradient             # "diagonal" or "vertical"
        self.highlight = highlight           # a light spot on a radio button's dot

    def fill(self, x0, y0, x1, y1):
        if self.gradient == "diagonal":
            return diagonal(self.fill_from, self.fill_to, x0, y0, x1, y1)
        return vertical(self.fill_from, self.fill_to, y0, y1)


# Windows XP style: a dark blue frame, a light diagonal gradient, a green mark.
XP = {True: Look((33, 82, 132), (218, 218, 212), (255, 255, 255), (36, 150, 36), "diagonal",
                  (130, 214, 130)),
      False: Look((196, 194, 182), (238, 237, 230), (250, 250, 247), (168, 166, 152), "diagonal")}
# The vendor style: a soft steel-blue rounded frame, a white to pale blue gradient, a navy mark.
JOQ = {True: Look((92, 124, 170), (255, 255, 255), (210, 224, 244), (22, 62, 132), "vertical",
                   (120, 160, 220)),
       False: Look((176, 176, 176), (248, 248, 248), (226, 226, 226), (148, 148, 148), "vertical")}
# Flat (metro) style: a grey frame on white, a near-black mark.
METRO = Look((96, 96, 96), (255, 255, 255), (255, 255, 255), (34, 34, 34), "vertical")


def xp_check(checked, enabled):
    look = XP[enabled]
    img = Image(16, 16)
    img.fill(rect(1, 1, 14, 14), look.border, smooth=False)
    img.fill(rect(2, 2, 13, 13), look.fill(2, 2, 12, 12), smooth=False)
    if checked:
        img.fill(stroke([(4.6, 7.4), (6.6, 9.6), (10.6, 4.6)], 2.1), look.ink)
    return img


def joq_check(checked, enabled):
    look = JOQ[enabled]
    img = Image(20, 20)
    img.fill(rounded_rect(1, 1, 15, 15, 2.2), look.border)
    img.fill(rounded_rect(2, 2, 14, 14, 1.2), look.fill(2, 2, 13, 13))
    if checked:
        img.fill(stroke([(4.8, 8.0), (7.2, 10.6), (11.4, 5.0)], 2.3), look.ink)
    return img


def metro_check(checked):
    img = Image(16, 16)
    img.fill(rect(1, 1, 14, 14), METRO.border, smooth=False)
    img.fill(rect(2, 2, 13, 13), METRO.fill_from, smooth=False)
    if checked:
        img.fill(stroke([(4.5, 7.6), (6.6, 9.7), (10.7, 4.7)], 1.7), METRO.ink)
    return img


RADIO_RING = ["...+#####+...",
              ".+##.....##+.",
              ".#.........#.",
              "+#.........#+",
              "#...........#",
              "#...........#",
              "#...........#",
              "#...........#",
              "#...........#",
              "+#.........#+",
              ".#.........#.",
              ".+##.....##+.",
              "...+#####+..."]
RADIO_DOT = [".###.",
             "#####",
             "#####",
             "#####",
             ".###."]


def radio(look, checked):
    """A 13-pixel ring (pixels 1 to 13, its outer bends softened towards white) filled with the
    look's gradient, with a 5-pixel dot round the middle pixel (7, 7) when checked."""
    img = Image(16, 16)
    ring = pixels(RADIO_RING, (1, 1))
    fill = look.fill(2, 2, 13, 13)
    for j, row in enumerate(RADIO_RING):
        left, right = row.index("#"), row.rindex("#")
        for i in range(left + 1, right):
            if row[i] == ".":
                img.set(1 + i, 1 + j, fill(1 + i, 1 + j))
    for (x, y) in ring["#"]:
        img.set(x, y, look.border)
    for (x, y) in ring["+"]:
        img.set(x, y, blend(look.border, MATTE, 0.45))
    if checked:
        for (x, y) in pixels(RADIO_DOT, (5, 5))["#"]:
            img.set(x, y, look.ink)
        if look.highlight:
            img.set(6, 6, look.highlight)
    return img


def check_and_radio_glyphs():
    # The four states in the order of the numbers: on and enabled, off and enabled, on and
    # disabled, off and disabled.
    states = [(True, True), (False, True), (True, False), (False, False)]
    series = [("JYRCHK", 1, joq_check, "vendor-style check box", "checked", "20 x 20"),
              ("JYRCHK", 5, xp_check, "XP-style check box", "checked", "16 x 16"),
              ("JYRRAD", 1, lambda on, enabled: radio(JOQ[enabled], on), "vendor-style radio button",
               "on", "16 x 16"),
              ("JYRRAD", 5, lambda on, enabled: radio(XP[enabled], on), "XP-style radio button",
               "on", "16 x 16")]
    out = []
    for prefix, first, draw, what, on_word, size in series:
        for i, (on, enabled) in enumerate(states):
            state = (on_word if on else {"checked": "unchecked", "on": "off"}[on_word]) + \
                ("" if enabled else ", disabled")
            out.append(Glyph("%s%02d" % (prefix, first + i), "BITMAP", draw(on, enabled),
                             "%s, %s, %s" % (what, state, size)))
    out += [Glyph("METROCHECKON", "BITMAP", metro_check(True), "flat check box, checked, 16 x 16"),
            Glyph("METROCHECKOFF", "BITMAP", metro_check(False), "flat check box, unchecked, 16 x 16"),
            Glyph("METRORADIOON", "BITMAP", radio(METRO, True), "flat radio button, on, 16 x 16"),
            Glyph("METRORADIOOFF", "BITMAP", radio(METRO, False), "flat radio button, off, 16 x 16")]
    return out


# ---- Node glyphs ------------------------------------------------------------------------------------

def xp_node(collapsed):
    """9 x 9, opaque (the painter draws it as it stands): a grey-blue frame whose corners are
    softened with a colour found nowhere else in it (so that a transparent drawing drops just the
    corners), a white to beige gradient and a black minus, with the bar of a plus when
    collapsed."""
    border = (120, 150, 180)
    img = Image(9, 9)
    img.fill(rect(0, 0, 9, 9), border, smooth=False)
    img.fill(rect(1, 1, 8, 8), diagonal((255, 255, 255), (210, 208, 196), 1, 1, 7, 7), smooth=False)
    for x, y in ((0, 0), (8, 0), (0, 8), (8, 8)):
        img.set(x, y, blend(border, (255, 255, 255), 0.5))
    ink = (0, 0, 0)
    for x in range(2, 7):
        img.set(x, 4, ink)
    if collapsed:
        for y in range(2, 7):
            img.set(4, y, ink)
    return img


def leaf_node(collapsed):
    """16 x 16, the ink centred on row 5 (the painter centres the glyph as 12 pixels high) and on
    column 7: a hollow triangle pointing right when collapsed, a filled one pointing down when
    expanded."""
    if collapsed:
        art, origin, ink = (["#....",
                             "##...",
                             "#.#..",
                             "#..#.",
                             "#...#",
                             "#..#.",
                             "#.#..",
                             "##...",
                             "#...."], (5, 1), (96, 96, 96))
    else:
        art, origin, ink = (["#########",
                             ".#######.",
                             "..#####..",
                             "...###...",
                             "....#...."], (3, 3), (56, 56, 56))
    img = Image(16, 16)
    for (x, y) in pixels(art, origin)["#"]:
        img.set(x, y, ink)
    return img


FUNNEL = ["###########",
          "#.........#",
          ".#.......#.",
          "..#.....#..",
          "...#...#...",
          "....#.#....",
          "....#.#....",
          "....#.#....",
          "....#.#....",
          "....###...."]


def funnel(img, origin, outline, fill_top, fill_bottom):
    art = pixels(FUNNEL, origin)
    x0, y0 = origin
    for (x, y) in art["#"]:
        img.set(x, y, outline)
    # The inside of each row, between its two outline pixels.
    for j, row in enumerate(FUNNEL[1:-1], start=1):
        left, right = row.index("#"), row.rindex("#")
        for i in range(left + 1, right):
            img.set(x0 + i, y0 + j, blend(fill_top, fill_bottom, j / (len(FUNNEL) - 2)))


def filter_glyph():
    img = Image(16, 16)
    funnel(img, (3, 3), (64, 64, 64), (255, 255, 255), (176, 176, 176))
    return img


def node_and_filter_glyphs():
    return [
        Glyph("JYRLEAFOPEN", "BITMAP", leaf_node(False),
              "leaf node, expanded: filled triangle pointing down, 16 x 16"),
        Glyph("JYRLEAFCLOSE", "BITMAP", leaf_node(True),
              "leaf node, collapsed: hollow triangle pointing right, 16 x 16"),
        Glyph("XPNODEO", "BITMAP", xp_node(False), "XP node, expanded: minus, 9 x 9",
              opaque=True),
        Glyph("XPNODEC", "BITMAP", xp_node(True), "XP node, collapsed: plus, 9 x 9",
              opaque=True),
        Glyph("JYRFILT", "BITMAP", filter_glyph(), "header filter funnel, 16 x 16"),
    ]


# ---- Wheel-pan focus pictures (16 colours) ------------------------------------------------------------

PAN_PALETTE = [(0, 0, 0), KEY, (255, 255, 255), (128, 128, 128), (192, 192, 192)] + [(0, 0, 0)] * 11
P_BLACK, P_KEY, P_WHITE, P_GREY, P_SILVER = 0, 1, 2, 3, 4


def pan_arrow(direction, cx, cy):
    """A triangle inside the rim pointing up, right, down or left (0, 90, 180, 270 degrees)."""
    up = polygon([(cx, cy - 10.2), (cx + 4.6, cy - 5.0), (cx - 4.6, cy - 5.0)])
    return rotate(up, direction, cx, cy)


def pan_picture(directions):
    """26 x 26: a white disc with a black rim, a grey inner ring, a black dot in its middle and
    black triangles inside the rim pointing the ways the pan can go."""
    cx = cy = 13.0
    img = Image(26, 26)
    shapes = [(disc(cx, cy, 12.9), P_BLACK), (disc(cx, cy, 11.9), P_SILVER),
              (disc(cx, cy, 10.9), P_WHITE), (disc(cx, cy, 2.8), P_BLACK)]
    shapes += [(pan_arrow(d, cx, cy), P_BLACK) for d in directions]
    rows = [[P_KEY] * 26 for _ in range(26)]
    for shape, index in shapes:
        for (x, y) in img.mask(shape):
            rows[y][x] = index
    return rows


def pan_glyphs():
    out = []
    for name, directions, what in (("INTLI1", (0, 90, 180, 270), "all four ways"),
                                   ("INTLI2", (90, 270), "left and right"),
                                   ("INTLI3", (0, 180), "up and down")):
        out.append(Glyph(name, "BITMAP", pan_picture(directions),
                         "wheel-pan focus point, arrows " + what + ", 26 x 26, 16 colours",
                         palette=PAN_PALETTE))
    return out


# ---- Search panel button glyphs ------------------------------------------------------------------------

def arrow_glyph(down, colour):
    """16 x 16: a bold arrow, shaft and head, pointing down (find next) or up (find previous)."""
    img = Image(16, 16)
    shape = union(rect(6, 2, 10, 9), polygon([(2, 8), (14, 8), (8, 14.2)]))
    if not down:
        shape = rotate(shape, 180, 8, 8)
    img.fill(shape, colour)
    return img


def close_glyph(state):
    """10 x 10: a cross; hot and pressed put a white cross on a red rounded square."""
    img = Image(10, 10)
    cross = pixels(["##....##",
                    "###..###",
                    ".######.",
                    "..####..",
                    "..####..",
                    ".######.",
                    "###..###",
                    "##....##"], (1, 1))["#"]
    ink = (72, 72, 72)
    if state != "normal":
        img.fill(rounded_rect(0, 0, 10, 10, 2.0), (210, 56, 48) if state == "hot" else (150, 30, 26))
        ink = (255, 255, 255)
    for (x, y) in cross:
        img.set(x, y, ink)
    return img


LETTER_A = [".###.",
            "##.##",
            "##.##",
            "#####",
            "##.##",
            "##.##",
            "##.##"]
LETTER_B = ["####.",
            "##.##",
            "##.##",
            "####.",
            "##.##",
            "##.##",
            "####."]


def letters(img, art_list, origin, colour):
    x = origin[0]
    for art in art_list:
        for (px, py) in pixels(art, (x, origin[1]))["#"]:
            img.set(px, py, colour)
        x += len(art[0]) + 1


def highlight_glyph(enabled):
    """16 x 16: the letters "AB" on a highlighter-yellow band."""
    img = Image(16, 16)
    band, ink = ((255, 224, 64), (24, 40, 120)) if enabled else ((214, 214, 214), (140, 140, 140))
    img.fill(rect(1, 3, 14, 12), band, smooth=False)
    letters(img, [LETTER_A, LETTER_B], (2, 4), ink)
    return img


def search_glyphs():
    enabled, disabled = (36, 96, 176), (160, 160, 160)
    return [
        Glyph("JYRARDOWN", "BITMAP", arrow_glyph(True, enabled),
              "find next: arrow down, 16 x 16"),
        Glyph("JYRARDOWND", "BITMAP", arrow_glyph(True, disabled),
              "find next, disabled, 16 x 16"),
        Glyph("JYRARUP", "BITMAP", arrow_glyph(False, enabled),
              "find previous: arrow up, 16 x 16"),
        Glyph("JYRARUPD", "BITMAP", arrow_glyph(False, disabled),
              "find previous, disabled, 16 x 16"),
        Glyph("JYRCLOSE", "BITMAP", close_glyph("normal"), "close: cross, 10 x 10"),
        Glyph("JYRCLOSEH", "BITMAP", close_glyph("hot"), "close, hot, 10 x 10"),
        Glyph("JYRCLOSED", "BITMAP", close_glyph("pressed"),
              "close, pressed, 10 x 10"),
        Glyph("JYRHI", "BITMAP", highlight_glyph(True),
              "highlight: letters on a marker band, 16 x 16"),
        Glyph("JYRHID", "BITMAP", highlight_glyph(False), "highlight, disabled, 16 x 16"),
    ]


# ---- Filter-type icons (16 x 16, 32 bits with alpha) ---------------------------------------------------

OPERATOR = (20, 60, 140)
NOT_RED = (214, 34, 28)
TEXT_GREY = (150, 150, 150)


def text_with_match(where):
    """A line of text (grey bars) with the searched letter "A" on a yellow band at its start, its
    end or inside it."""
    img = Image(16, 16)
    band = {"start": 0, "end": 9, "inside": 4}[where]
    bars = {"start": [(9, 16)], "end": [(0, 7)], "inside": [(0, 3), (13, 16)]}[where]
    for x0, x1 in bars:
        img.fill(rect(x0, 8, x1, 10), TEXT_GREY, smooth=False)
    img.fill(rect(band, 3, band + 7, 13), (255, 222, 60), smooth=False)
    letters(img, [LETTER_A], (band + 1, 4), OPERATOR)
    return img


def not_slash(img):
    img.fill(stroke([(13.2, 1.8), (2.8, 14.2)], 2.0), NOT_RED)


def equal_icon(negated):
    img = Image(16, 16)
    img.fill(union(rect(3, 4, 13, 6), rect(3, 10, 13, 12)), OPERATOR, smooth=False)
    if negated:
        not_slash(img)
    return img


def compare_icon(larger):
    img = Image(16, 16)
    points = [(4.5, 3.0), (11.5, 8.0), (4.5, 13.0)]
    if not larger:
        points = [(16 - x, y) for x, y in points]
    img.fill(stroke(points, 2.2), OPERATOR)
    return img


def clear_icon():
    img = Image(16, 16)
    funnel(img, (1, 1), (64, 64, 64), (255, 255, 255), (176, 176, 176))
    cross = union(stroke([(9.5, 9.5), (14.5, 14.5)], 2.2), stroke([(14.5, 9.5), (9.5, 14.5)], 2.2))
    img.fill(cross, NOT_RED)
    return img


def filter_icons():
    contains_not = text_with_match("inside")
    not_slash(contains_not)
    icons = [("JOQGRDSTARTSWITH", text_with_match("start"), "starts with: the letter at the start of a line"),
             ("JOQGRDENDSWITH", text_with_match("end"), "ends with: the letter at the end of a line"),
             ("JOQGRDCONTAINS", text_with_match("inside"), "contains: the letter inside a line"),
             ("JOQGRDNOTCONTAINS", contains_not, "does not contain: the same, struck through"),
             ("JOQGRDEQUAL", equal_icon(False), "equal: ="),
             ("JOQGRDNOTEQUAL", equal_icon(True), "not equal: = struck through"),
             ("JOQGRDLARGER", compare_icon(True), "larger: >"),
             ("JOQGRDSMALLER", compare_icon(False), "smaller: <"),
             ("JOQGRDCLEAR", clear_icon(), "clear: funnel with a red cross")]
    return [Glyph(name, "ICON", img, what + ", 16 x 16") for name, img, what in icons]


# ---- Cursors (32 x 32, monochrome) ---------------------------------------------------------------------

def outlined_cursor(shape, white_inside=None):
    """Black where the shape is, a one-pixel white outline around it, white where white_inside
    is (inside the shape), clear elsewhere."""
    img = Image(32, 32)
    ink = img.mask(shape)
    inner = img.mask(white_inside) & ink if white_inside else set()
    rows = [[CLEAR] * 32 for _ in range(32)]
    for (x, y) in ink:
        rows[y][x] = WHITE if (x, y) in inner else BLACK
    for y in range(32):
        for x in range(32):
            if rows[y][x] == CLEAR and any((x + dx, y + dy) in ink
                                           for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                rows[y][x] = WHITE
    return rows


def arrow_shape(tip_x, tip_y, angle):
    """A bold arrow whose tip is the pixel (tip_x, tip_y), pointing right turned by angle
    (clockwise) about that pixel."""
    cx, cy = tip_x + 0.5, tip_y + 0.5
    right = union(rect(cx - 13, cy - 1.5, cx - 5, cy + 1.5),
                  polygon([(cx - 7, cy - 7), (cx + 1, cy), (cx - 7, cy + 7)]))
    return rotate(right, angle, cx, cy)


def diagonal_arrow_shape():
    """A bold arrow pointing down and right whose tip is the pixel (15, 15): a right-angled head
    (its short sides along the pixel rows and columns) and a diagonal shaft."""
    return union(polygon([(16, 16), (16, 8.5), (8.5, 16)]), stroke([(4.5, 4.5), (12, 12)], 2.8))


def cell_selector_shape():
    """A 7-pixel square frame round the hot spot pixel (15, 15) and four hair lines."""
    frame = minus(rect(12, 12, 19, 19), rect(13, 13, 18, 18))
    arms = union(rect(15, 4, 16, 12), rect(15, 19, 16, 27), rect(4, 15, 12, 16), rect(19, 15, 27, 16))
    return union(frame, arms)


def pan_cursor_shape(direction):
    """A dot in the middle and arrows around it: all four ways for the neutral cursor, else the
    one way the pan moves (angle clockwise from up, 45-degree steps)."""
    c = 16.5                              # the middle of the hot spot pixel (16, 16)
    dot = disc(c, c, 2.2)
    up = polygon([(c, c - 11.5), (c + 4.5, c - 6.5), (c - 4.5, c - 6.5)])
    if direction is None:
        return union(dot, *[rotate(up, a, c, c) for a in (0, 90, 180, 270)])
    if direction % 90 == 0:
        head = polygon([(c, c - 13.0), (c + 5.5, c - 6.5), (c - 5.5, c - 6.5)])
        return union(dot, rotate(head, direction, c, c))
    # A diagonal way: a right-angled head whose point is the corner towards that way, so that
    # its two short sides run along the pixel rows and columns.
    corner = polygon([(c + 10.5, c - 10.5), (c + 2.5, c - 10.5), (c + 10.5, c - 2.5)])
    return union(dot, rotate(corner, direction - 45, c, c))


# Pan cursors by identifier: file name, the direction as degrees clockwise from up (None: no
# direction) and what it shows.
PAN_CURSORS = [(8000, "Pan", None, "pan origin: arrows all four ways"),
               (8001, "PanDown", 180, "pan down"), (8002, "PanLeft", 270, "pan left"),
               (8003, "PanRight", 90, "pan right"), (8004, "PanUp", 0, "pan up"),
               (8005, "PanUpRight", 45, "pan up and right"),
               (8006, "PanUpLeft", 315, "pan up and left"),
               (8007, "PanDownRight", 135, "pan down and right"),
               (8008, "PanDownLeft", 225, "pan down and left")]


def grid_cursors():
    out = [
        Glyph(8010, "CURSOR", outlined_cursor(arrow_shape(16, 10, 0)),
              "row selection: bold arrow pointing right", hot_spot=(16, 10), file="RowSelect"),
        Glyph(8011, "CURSOR", outlined_cursor(arrow_shape(10, 16, 90)),
              "column selection: bold arrow pointing down", hot_spot=(10, 16), file="ColumnSelect"),
        Glyph(8012, "CURSOR", outlined_cursor(diagonal_arrow_shape()),
              "select all and selection resizing: bold arrow pointing down and right",
              hot_spot=(15, 15), file="SelectAll"),
        Glyph(8014, "CURSOR", outlined_cursor(cell_selector_shape()),
              "cell selector: cross hairs round a small square", hot_spot=(15, 15),
              file="CellSelector"),
    ]
    for number, file, direction, what in PAN_CURSORS:
        out.append(Glyph(number, "CURSOR", outlined_cursor(pan_cursor_shape(direction)), what,
                         hot_spot=(16, 16), file=file))
    return out


def all_glyphs():
    return (check_and_radio_glyphs() + node_and_filter_glyphs() + pan_glyphs() + search_glyphs()
            + filter_icons() + grid_cursors())
