// CellPaintContext: the working values of painting one cell. TQorStringGrid::DrawGridCell fills one
// TCellPaintContext on its stack and hands it by reference to the routines that draw the cell's
// layers (text, widget, borders, backgrounds, sort indicator), so that each layer sees the
// adjustments the earlier ones made and nothing is copied per cell.
#pragma once

#include "grid/QorGrid.h"
#include "grid/QorGridDefs.h"

#include "framework/Graphics.h"
#include "framework/Grids.h"
#include "framework/WinScope.h"

#include <optional>

class TCellGraphic;

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

    // ---- The cell's clip ---------------------------------------------------------------------------------
    // The paint loop leaves a plain cell unclipped; a layer that may reach past the cell calls
    // ClipToCell first, and the clip lasts until the cell is painted. Such a layer may draw on
    // the cell's grid lines: the lines waiting to be drawn in runs are drawn before it.
    bool Unclipped = false;
    TRect Bounds;                  // the whole cell, lines included (the rectangle the clip keeps to)
    std::optional<TClipScope> CellClip;
    void ClipToCell()
    {
        if (!Unclipped) return;
        Unclipped = false;
        Grid->DrawPaintLines();
        Grid->EndPaintPrefill();
        const HDC DC = Canvas->GetRawHandle();
        CellClip.emplace(DC);
        ::IntersectClipRect(DC, Bounds.Left, Bounds.Top, Bounds.Right, Bounds.Bottom);
    }
};

// The look GetVisualProperties gives a cell without the selection, kept from the base grid's
// pass for DrawGridCell's while the grid paints itself: valid for one cell and state, and only
// when the selection did not enter the first pass.
struct TQorStringGrid::TPaintCellLook {
    bool Valid = false;
    int Col = -1, Row = -1;
    TGridDrawState State;
    TColor BrushColor = clNone, ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
    TFont Font;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientVertical;
};

namespace QorCellText {

// Draws one line of plain text exactly where DrawTextW with Flags puts it, through a single
// ExtTextOutW: left and top alignment need no measuring, centred and right-aligned text its
// width, a middle or bottom line the font's line height (LineHeight: the height text extents
// report in the selected font). Covers single lines without ellipsis, prefixes, tabs, line
// breaks or right-to-left reading, of at most 1024 characters, and word-wrapped texts of that
// kind that fit the width whole in a rectangle at least LineHeight tall (top above bottom where
// the device context's y grows upward); returns false, drawing nothing, for anything else.
// Width: the text's extent in the selected font when the caller knows it (FitsOneLine's Size),
// -1 to measure it.
bool DrawSingleLine(HDC DC, const wchar_t* Text, int Len, const RECT& R, UINT Flags, int LineHeight, int Width = -1);
// A text that word wrapping in Width (logical units) sets as one line whole: at most 1024
// characters, none of them a control character, its full extent within Width. The system's
// layout then measures and draws it as one line, whatever its flags of breaking. Size gets the
// text's extent whenever such a text was measured, whether it fits or not.
bool FitsOneLine(HDC DC, const wchar_t* Text, int Len, int Width, SIZE& Size);

}  // namespace QorCellText
