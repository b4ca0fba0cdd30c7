"""The colour picker's resources: the spectrum picture that the spectrum panel samples, and the
eyedropper cursor shown over it (compiled with the grid's cursors: see make_glyphs.py)."""
import colorsys

from raster import disc, minus, stroke, union
from formats import BLACK
from grid_glyphs import Glyph, outlined_cursor

SPECTRUM_SIZE = 128
# Columns 0 to 126 run once round the hue circle in 126 equal steps, so that the six pure hues
# fall on whole columns (red 0, yellow 21, green 42, cyan 63, blue 84, magenta 105, red 126);
# column 127 is red again.
HUE_STEPS = 126
# Rows 0 to 63 run from white to the full hue, rows 64 to 127 from the full hue to black: the two
# middle rows hold the fully saturated hues.
LIGHT_ROWS = 63


def hue_colour(x):
    h = min(x, HUE_STEPS) / HUE_STEPS
    r, g, b = colorsys.hsv_to_rgb(h % 1.0, 1.0, 1.0)
    return r * 255, g * 255, b * 255


def spectrum_pixel(x, y):
    hue = hue_colour(x)
    if y <= LIGHT_ROWS:
        t = y / LIGHT_ROWS                       # 0 white .. 1 full hue
        c = [255 + (v - 255) * t for v in hue]
    else:
        s = (y - (LIGHT_ROWS + 1)) / (SPECTRUM_SIZE - 1 - (LIGHT_ROWS + 1))   # 0 full hue .. 1 black
        c = [v * (1 - s) for v in hue]
    return tuple(int(round(v)) for v in c)


def spectrum():
    return [[spectrum_pixel(x, y) for x in range(SPECTRUM_SIZE)] for y in range(SPECTRUM_SIZE)]


POINTER_HOT_SPOT = (1, 30)


def eyedropper():
    """32 x 32 monochrome: an eyedropper lying on the diagonal, its tip at the hot spot (bottom
    left), a glass tube (white inside a black edge), a collar and a black rubber bulb at the top
    right; a white outline keeps it visible on dark colours."""
    tip = stroke([(1.5, 30.5), (7.5, 24.5)], 1.4)
    tube = stroke([(7.0, 25.0), (16.0, 16.0)], 5.0)
    glass = stroke([(8.6, 23.4), (15.0, 17.0)], 2.2)
    collar = stroke([(14.2, 12.8), (20.2, 18.8)], 3.2)
    bulb = union(stroke([(18.0, 14.0), (24.5, 7.5)], 6.0), disc(25.5, 6.5, 4.4))
    rows = outlined_cursor(union(tip, tube, collar, bulb), minus(glass, collar))
    assert rows[POINTER_HOT_SPOT[1]][POINTER_HOT_SPOT[0]] == BLACK
    return rows


def pictures():
    return [
        Glyph("JOQ_SPECTRUM", "BITMAP", spectrum(),
              "spectrum: hue left to right, white at the top, full hues in the middle rows, black "
              "at the bottom; 128 x 128, 24 bits", opaque=True),
    ]


def cursors():
    return [
        Glyph("JOQ_POINTER", "CURSOR", eyedropper(),
              "the colour picker's eyedropper, pointing down to the left, 32 x 32 monochrome, "
              "hot spot (1, 30)", hot_spot=POINTER_HOT_SPOT),
    ]
