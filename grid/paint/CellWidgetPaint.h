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

// Where a W x H widget goes in the cell rectangle r (already grown for the kind), by the record's
// alignments, the measured text width (MaxTextWidth, 0 without text) and the text's alignment.
TRect WidgetRect(const TRect& r, int W, int H, TCellHAlign hal, TCellVAlign val, int MaxTextWidth,
                 TAlignment TextAlign);
// The percentage a gauge shows for Value between Min and Max; 0 when Min equals Max.
int GaugePercent(double Value, int Min, int Max);
// A cell's text as a whole or real number for a widget; 0 for a text that is no number.
int CellInt(const String& Text);
double CellFloat(const String& Text);

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

// Keeps a canvas's pen, brush and font for the scope and gives them back at its end, so that a
// painter leaves the canvas as it found it.
class TCanvasObjectsScope {
public:
    explicit TCanvasObjectsScope(TCanvas* Canvas);
    ~TCanvasObjectsScope();
    TCanvasObjectsScope(const TCanvasObjectsScope&) = delete;
    TCanvasObjectsScope& operator=(const TCanvasObjectsScope&) = delete;

private:
    TCanvas* FCanvas;
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
};

// The part of Bmp laid at At that falls inside Clip, copied onto the canvas (nothing without an
// overlap); Bmp laid again and again from Origin (which may lie outside Clip), cut at Clip.
void CopyBitmapPart(TCanvas* Canvas, TBitmap* Bmp, TPoint At, const TRect& Clip);
void TileBitmap(TCanvas* Canvas, TBitmap* Bmp, TPoint Origin, const TRect& Clip);

// One of the grid's bitmap resources, loaded once for the process and kept; null when the program
// carries no such resource.
TBitmap* GridResourceBitmap(const String& Name);

}  // namespace CellWidgetPaint
