// CellPaintContext: the working values of painting one cell. TQorStringGrid::DrawGridCell fills one
// TCellPaintContext on its stack and hands it by reference to the routines that draw the cell's
// layers (text, widget, borders, backgrounds, sort indicator), so that each layer sees the
// adjustments the earlier ones made and nothing is copied per cell.
#pragma once

#include "grid/QorGridDefs.h"

#include "framework/Graphics.h"
#include "framework/Grids.h"

class TCellGraphic;
class TQorStringGrid;

struct TCellPaintContext {
    // ---- The cell -------------------------------------------------------------------------------------
    TQorStringGrid* Grid = nullptr;   // the grid painting the cell (the widget painters read its look)
    TCanvas* Canvas = nullptr;
    int OCol = 0;                  // display column (as the framework paints it)
    int ACol = 0;                  // real column (RemapCol(OCol)): cell data, events
    int ARow = 0;                  // display row
    int RRow = 0;                  // the row of the disjunct row selection (a real row when it is persistent)
    TGridDrawState AState;
    TRect CellRect;                // the rectangle DrawGridCell was given
    TRect Rect;                    // the cell rectangle as the layers take their room

    // ---- Visual properties (GetVisualProperties) --------------------------------------------------------
    TAlignment HAlignment = taLeftJustify;
    TVAlignment VAlign = vtaTop;
    bool WordWrap = false;
    TCellGradientDirection GD = GradientVertical;
    TColor AColorTo = clNone;
    TColor AMirrorColor = clNone;
    TColor AMirrorColorTo = clNone;
    TColor SavedBrushColor = clNone;   // the cell's colours before the layers changed them
    TColor SavedFontColor = clNone;

    // ---- The widget (GetGraphicDetails) ----------------------------------------------------------------
    TCellGraphic* CellGraphic = nullptr;
    int GraphicWidth = 0;
    int GraphicHeight = 0;
    bool DisplText = true;         // the cell's text shows beside its widget
    TCellHAlign hal = haLeft;
    TCellVAlign val = vaTop;

    // ---- Flags ---------------------------------------------------------------------------------------------
    bool IsFixedCell = false;      // fixed by IsFixed, the fixed columns or the fixed rows
    bool StyleDrawn = false;       // a visual style painted the cell's background
    bool FilterGlyph = false;      // the column's filter glyph shows in this cell (filter drop-down row)
    int ScrollOffset = 0;          // in-cell scroll bar position: the text moves up by it

    // ---- Produced by the text for the widget placement --------------------------------------------------
    int MaxTextWidth = 0;          // measured text width + 2
    int MaxTextHeight = 0;         // height of "hg" in the cell font
    int Indent = 0;                // widget indent before the text (haBeforeText, haLeft, nodes, filter editor)
    TRect TextRect;                // the text rectangle after the widget took its room
    TColor LinkColor = clNone;     // colour of links and URLs in this cell
    int SavedRight = 0;            // right edge before the always-visible editor buttons took their room
    int IndicatorWidth = 0;        // width of the row indicator drawn in column 0
};
