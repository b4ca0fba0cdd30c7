// CellWidgetPaint: what a cell shows besides its text, drawn for DrawGridCell over its per-cell
// context (grid/paint/CellPaintContext.h): the widget of the cell's graphic record placed beside,
// above, under or over the text; the cell's border lines; the wallpaper and gradient backgrounds
// of single cells. The check box, radio and sort indicator glyphs are the grid's own DrawCheck,
// DrawRadio and DrawSortIndicator (QorCellGlyphs.cpp); bars, pies, gauges, shapes and buttons are
// QorUtil's painters, told here where to draw and with which values.
//
//   CellWidgetPaint.cpp   placement, every widget kind, nodes, buttons, comments, borders,
//                         cell backgrounds
#pragma once

#include "framework/Graphics.h"
#include "grid/QorGridDefs.h"

struct TCellPaintContext;
class TCellGraphic;

namespace CellWidgetPaint {

// d clamped to 0 .. 100.
double Limit(double d);

// Draws the widget of CellGraphic into r (the cell rectangle) and may change r for the caller:
// a rotated cell uses r and shrinks it, a progress bar shrinks it by its margins. VertAlign is the
// cell's vertical alignment (it places check boxes and radio buttons when it differs from the
// grid's VAlignment).
void DrawCellGraphic(TCellPaintContext& C, TRect& r, TCellGraphic* CellGraphic, TVAlignment VertAlign);

// The cell's border lines (GetCellBorder, OnGetCellBorderProp) around tr.
void DrawBorders(TCellPaintContext& C, int ACol, int ARow, TRect tr);

// Cell backgrounds: the background bitmap at (BackGround.Left, BackGround.Top) in client
// coordinates, clipped to the cell; the bitmap tiled from the first counted cell; the grid-wide
// gradient's part under the cell.
void DrawWallPaperFixed(TCellPaintContext& C, TRect crect);
void DrawWallPaperTile(TCellPaintContext& C, TRect crect);
void DrawGradientBackground(TCellPaintContext& C, TRect crect);

// One of the grid's bitmap resources, loaded once for the process and kept; null when the program
// carries no such resource.
TBitmap* GridResourceBitmap(const String& Name);

}  // namespace CellWidgetPaint
