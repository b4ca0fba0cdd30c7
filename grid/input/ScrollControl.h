// ScrollControl: the slim metro scroll indicator a grid shows instead of its window scroll bars
// with ScrollType ssMetro, one at the right edge (vertical) and one at the bottom (horizontal).
// Each draws a thumb whose position and length show the visible part of the rows (or columns),
// pages the view when the track is clicked and drags it with the thumb. The grid creates and frees
// the two (CreateMetroScrollers, DestroyMetroScrollers) and repaints them on every view change.
//
// The thumb's arithmetic is written here over one axis of the grid (TScrollAxis); reading the axis
// from the grid, painting the thumb over the grid's image and the mouse handling that moves the
// grid come with the grid's scrolling.
#pragma once

#include "framework/Controls.h"
#include "grid/QorGridDefs.h"

// One axis of the grid as an indicator sees it: rows for the vertical one, columns for the
// horizontal one.
struct TScrollAxis {
    int First = 0;       // TopRow (LeftCol)
    int Fixed = 0;       // FixedRows (FixedCols)
    int Count = 0;       // RowCount (ColCount)
    int Visible = 0;     // VisibleRowCount (VisibleColCount)
    int Track = 0;       // the track's length: the control's length less the fixed cells and footers
    int Offset = 0;      // where the track starts: the summed size of the fixed cells
    int Length = 0;      // the control's height (width)
    int FirstSize = 0;   // the height of row 0 (width of column 0)
};

namespace QorGridScroll {

// The thumb: its start and length in control pixels. The length is the track's share of the
// visible cells, at least 20; the start follows the first visible cell after the fixed ones, and
// a thumb that would run past the control's end is moved back to end there.
void ThumbOf(const TScrollAxis& A, int& Pos, int& Size);
// Whether a thumb shows: not every scrollable cell is visible.
bool ThumbShown(const TScrollAxis& A);
// The first visible cell after a click on the track at P (pixels along the axis): one page back
// above the thumb, one page on below it (never past the last page), unchanged on the thumb.
int PageTarget(const TScrollAxis& A, int P);
// The first visible cell while the thumb is dragged Delta pixels from where it was pressed with
// DownFirst first: Delta scaled by the cells per pixel, kept within the fixed cells and the last
// page. The scale is the control's length less the first cell's; a length left with no room
// scales by the track instead, and with no track either nothing moves.
int DragTarget(const TScrollAxis& A, int DownFirst, int Delta);

} // namespace QorGridScroll

class TScrollControl : public TCustomControl {
    DECLARE_CLASS(TScrollControl, TCustomControl)
public:
    // Thumb colour 0xC0C0C0, thumb thickness 4, vertical.
    explicit TScrollControl(TComponent* AOwner);

    // The thumb's colour (not the control's own Color); a change repaints.
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    // The thumb's thickness in pixels.
    int GetScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int Value) { FScrollWidth = Value; }
    TScrollDirection GetDirection() const { return FDirection; }
    void SetDirection(TScrollDirection Value) { FDirection = Value; }
    // A thumb drag is under way.
    bool GetDownOnScroller() const { return FDownOnScroller; }

private:
    // Hides TControl::FColor inside this class: the thumb's colour.
    TColor FColor;
    int FScrollWidth = 4;
    bool FDownOnScroller = false;
    int FDownPos = 0;
    int FDownRow = 0;
    TScrollDirection FDirection = sdVertical;
};
