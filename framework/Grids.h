// Grids: the base grid (TCustomGrid), the owner-drawn grid (TDrawGrid), the string grid
// (TStringGrid) with its cell storage, and the in-place editor (TInplaceEdit).
//
// Geometry is computed from the virtual client rectangle and the stored sizes only, so that it
// works before the window exists. Storage is grow-only: cells beyond a lowered RowCount or ColCount
// keep their text and object and show again when the count grows.
//
// GridsAxis.cpp      one axis (rows or columns) and how it lies in the client area
// GridsStorage.cpp   cell storage, the row and column views, structure (delete, move)
// GridsGeometry.cpp  counts, sizes, the origin, hit tests, scrolling
// GridsPaint.cpp     the paint loop and cell invalidation
// GridsInput.cpp     current cell, selection, keyboard, mouse, sizing and moving
// GridsEdit.cpp      the in-place editor
#pragma once

#include "Controls.h"
#include "Mask.h"
#include "StdCtrls.h"

#include <functional>
#include <memory>
#include <vector>

class TCustomGrid;
class TStringGrid;

// ---- Types -------------------------------------------------------------------------------------

struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
    TGridCoord TopLeft() const { return {Left, Top}; }
    TGridCoord BottomRight() const { return {Right, Bottom}; }
};

enum class TGridDrawStateFlag { gdSelected, gdFocused, gdFixed, gdRowSelected, gdHotTrack, gdPressed };
using enum TGridDrawStateFlag;
using TGridDrawState = TSet<TGridDrawStateFlag>;

enum class TGridOption {
    goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
    goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
    goAlwaysShowEditor, goThumbTracking, goFixedColClick, goFixedRowClick, goFixedHotTrack
};
using enum TGridOption;
using TGridOptions = TSet<TGridOption>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
enum TGridDrawingStyle { gdsClassic, gdsThemed, gdsGradient };
enum TEditStyle { esSimple, esEllipsis, esPickList };

// ---- Rows and columns along an axis ------------------------------------------------------------
//
// The grid does the same things with its columns and with its rows: counting, fixing, sizing,
// hiding (a size of 0), stepping, moving, scrolling, hit-testing and drawing lines. That logic is
// written once over an axis and called with the axis it works on:
//
//   TGridAxisKind      the columns (laid out along x) or the rows (along y); Dual gives the other.
//   Along, CoordAlong, RectAlong
//                      the part of a cell coordinate, cell rectangle, point, pixel rectangle or
//                      draw information that lies on an axis, and the way back from two parts.
//   TGridAxisTraits    the options and states the grid names after an axis (goColSizing, ...).
//   TGridAxis          what one axis keeps (count, fixed count, default and stored sizes) and the
//                      questions that need nothing else: sizes, the next cell with a size, a step
//                      that lands on one, where an index goes when a line moves.
//   TGridAxisDrawInfo  how an axis lies in the client area at one origin, and the pixel questions
//                      over it: spans, hit tests, cell starts, borders near a point, the largest
//                      useful origin and the origin that shows a cell.
//
// A "line" is one column or one row: the cells that share an index on an axis. TCustomGrid keeps
// one TGridAxis per axis (Axis(Kind)); its row and column members keep their names and forward to
// the one implementation with their axis (MoveColumn and MoveRow to MoveLine, SetColWidths and
// SetRowHeights to SetLineSize, and so on). A later grid adds what an axis of its own needs
// (hidden sets, display order, frozen lines) beside these and reaches the other axis by Dual.

enum class TGridAxisKind : unsigned char { Cols, Rows };

// Both axes, columns first: the order in which the grid handles them where both take part.
inline constexpr TGridAxisKind GridAxes[] = {TGridAxisKind::Cols, TGridAxisKind::Rows};

constexpr TGridAxisKind Dual(TGridAxisKind A)
{
    return A == TGridAxisKind::Cols ? TGridAxisKind::Rows : TGridAxisKind::Cols;
}

// The index on axis A of a cell coordinate (X for the columns, Y for the rows).
constexpr int& Along(TGridCoord& C, TGridAxisKind A) { return A == TGridAxisKind::Cols ? C.X : C.Y; }
constexpr int Along(const TGridCoord& C, TGridAxisKind A) { return A == TGridAxisKind::Cols ? C.X : C.Y; }
// The coordinate of the cell at Index on axis A and DualIndex on the other axis.
constexpr TGridCoord CoordAlong(TGridAxisKind A, int Index, int DualIndex)
{
    return A == TGridAxisKind::Cols ? TGridCoord{Index, DualIndex} : TGridCoord{DualIndex, Index};
}
// The first and last index on axis A of a cell rectangle (Left and Right for the columns).
constexpr int& RectLo(TGridRect& R, TGridAxisKind A) { return A == TGridAxisKind::Cols ? R.Left : R.Top; }
constexpr int& RectHi(TGridRect& R, TGridAxisKind A) { return A == TGridAxisKind::Cols ? R.Right : R.Bottom; }
constexpr int RectLo(const TGridRect& R, TGridAxisKind A) { return A == TGridAxisKind::Cols ? R.Left : R.Top; }
constexpr int RectHi(const TGridRect& R, TGridAxisKind A) { return A == TGridAxisKind::Cols ? R.Right : R.Bottom; }
// The cell rectangle of the lines Lo .. Hi of axis A across DualLo .. DualHi of the other axis.
constexpr TGridRect GridRectAlong(TGridAxisKind A, int Lo, int Hi, int DualLo, int DualHi)
{
    return A == TGridAxisKind::Cols ? TGridRect{Lo, DualLo, Hi, DualHi} : TGridRect{DualLo, Lo, DualHi, Hi};
}
// The pixel position on axis A of a client point (x for the columns).
constexpr int Along(const TPoint& P, TGridAxisKind A) { return A == TGridAxisKind::Cols ? P.X : P.Y; }
// The start and end on axis A of a pixel rectangle (Left and Right for the columns).
constexpr int RectStart(const TRect& R, TGridAxisKind A) { return A == TGridAxisKind::Cols ? R.Left : R.Top; }
constexpr int RectEnd(const TRect& R, TGridAxisKind A) { return A == TGridAxisKind::Cols ? R.Right : R.Bottom; }
// The pixel rectangle from Start to End on axis A and from DualStart to DualEnd on the other.
constexpr TRect RectAlong(TGridAxisKind A, int Start, int End, int DualStart, int DualEnd)
{
    return A == TGridAxisKind::Cols ? TRect{Start, DualStart, End, DualEnd} : TRect{DualStart, Start, DualEnd, End};
}

// The options and states the grid names after an axis.
struct TGridAxisTraits {
    TGridOption FixedLine;    // lines after the fixed cells (goFixedVertLine for the columns)
    TGridOption Line;         // lines after the scrollable cells
    TGridOption Sizing;       // the lines may be sized with the mouse
    TGridOption Moving;       // the lines may be moved with the mouse
    TGridState SizingState;
    TGridState MovingState;
};

constexpr TGridAxisTraits GridAxisTraits(TGridAxisKind A)
{
    return A == TGridAxisKind::Cols
               ? TGridAxisTraits{goFixedVertLine, goVertLine, goColSizing, goColMoving, gsColSizing, gsColMoving}
               : TGridAxisTraits{goFixedHorzLine, goHorzLine, goRowSizing, goRowMoving, gsRowSizing, gsRowMoving};
}

// The axis whose lines a sizing or moving state works on (the columns for gsColSizing).
constexpr TGridAxisKind StateAxis(TGridState State)
{
    return State == gsRowSizing || State == gsRowMoving ? TGridAxisKind::Rows : TGridAxisKind::Cols;
}

// What one axis of a grid keeps: how many cells it has, how many of them are fixed (at the start,
// never scrolled), and the size of each cell in pixels (0 hides a cell and its line). Cells
// FixedCount .. Count - 1 are the scrollable ones. Holds no window and no other axis.
class TGridAxis {
public:
    TGridAxis(int ACount, int AFixedCount, int ADefaultSize)
        : FCount(ACount), FFixedCount(AFixedCount), FDefaultSize(ADefaultSize), FSizes(ACount, ADefaultSize)
    {
    }

    int Count() const { return FCount; }
    int FixedCount() const { return FFixedCount; }
    int DefaultSize() const { return FDefaultSize; }
    // The size of a cell; the default size for an index outside 0 .. Count - 1.
    int Size(int Index) const;
    // One size per cell, Count of them.
    const std::vector<int>& Sizes() const { return FSizes; }
    // The sizes of the cells before Index (0 .. Count) added up, in O(log Count): the running
    // sums are made at the first call and follow every later change of a size or the count.
    Int64 SizeSum(int Index) const;
    bool IsVisible(int Index) const { return Size(Index) > 0; }

    // A new count: cells a raise brings back start at the default size. A count at or below the
    // fixed count lowers the fixed count to leave one scrollable cell where it can.
    void SetCount(int Value);
    // The caller has checked Value against the count.
    void SetFixedCount(int Value) { FFixedCount = Value; }
    // Stores the size of the cell at Index (0 .. Count - 1); a negative size counts as 0. False
    // when the cell had that size already.
    bool SetSize(int Index, int Value);
    // A new default size (a negative one counts as 0), taken by every cell.
    void SetDefaultSize(int Value);
    // Scales the default and every size by M / D.
    void Scale(int M, int D);

    // The scrollable index nearest to Index (FixedCount when there is no scrollable cell).
    int Inside(int Index) const;
    // The first scrollable cell with a size from From on, walking by Step (1 or -1); -1 for none.
    int NextVisible(int From, int Step) const;
    // Delta cells on from From, kept inside the scrollable cells and landing on a cell with a
    // size (looked for in the direction of Delta, then back); From when none has a size. Needs
    // a scrollable cell (Count above FixedCount).
    int StepFrom(int From, int Delta) const;
    // Where the line at Index is after the line at From moved to To: the lines between them
    // shift by one towards From.
    static int AfterMove(int Index, int From, int To);

private:
    int FCount;
    int FFixedCount;
    int FDefaultSize;
    std::vector<int> FSizes;
    // The running sums as a binary indexed tree over the sizes (entry i, 1-based, covers the
    // cells i - lowbit(i) .. i - 1); empty until SizeSum is first asked.
    mutable std::vector<Int64> FSums;
    bool SumsKept() const { return FSums.size() == FSizes.size() + 1; }
    Int64 SumsPrefix(size_t Count) const;
    void SumsAdd(int Index, Int64 Delta);
};

// One visible cell of an axis in the client area: its index, start and size in pixels.
struct TGridSpan {
    int Index = 0;
    int Pos = 0;
    int Size = 0;
};

// How the cells of one axis lie in the client area for one origin: the fixed cells from 0, then
// the scrollable cells from FirstGridCell on. Each cell takes its size and, when it has one, the
// grid line after it (EffectiveLineWidth); a hidden cell takes nothing.
struct TGridAxisDrawInfo {
    int EffectiveLineWidth = 0;
    int FixedBoundary = 0;        // end of the fixed cells
    int GridBoundary = 0;         // end of the last drawn cell (at most GridExtent)
    int GridExtent = 0;           // the client extent
    int LastFullVisibleCell = 0;
    int FullVisBoundary = 0;      // end of the last fully visible cell
    int FixedCellCount = 0;
    int FirstGridCell = 0;        // TopRow or LeftCol
    int GridCellCount = 0;
    const std::vector<int>* Extents = nullptr;
    // The size of a cell; 0 outside the sizes.
    int GetExtent(int Index) const { return Index >= 0 && Index < int(Extents->size()) ? (*Extents)[Index] : 0; }

    // Sets the counts, origin and sizes from an axis (the boundaries follow from Calc).
    void From(const TGridAxis& Axis, int LineWidth, int First);
    // Fills in the boundaries and the last fully visible cell for a client extent.
    void Calc(int AGridExtent);
    // The room a cell takes: its size and line, or 0 when it is hidden.
    int Span(int Index) const;
    // The cell under a pixel position, -1 outside the cells.
    int CellAt(int Pos) const;
    // The start of a cell in pixels, -1 when it is hidden or out of view.
    int CellStart(int Index) const;
    // The visible cells, fixed ones first, hidden ones left out.
    void VisibleSpans(std::vector<TGridSpan>& Out) const;
    // The pixels from the first to the end of the last visible cell of Lo .. Hi, line included;
    // false when none of them is visible.
    bool PixelRange(int Lo, int Hi, int& Start, int& End) const;
    // The cell whose face ends within Slop pixels of Pos (its line included), with that end;
    // false when there is none.
    bool BorderNear(int Pos, int Slop, int& Index, int& End) const;
    // The smallest first cell from which the cells up to the last fill no more than the room
    // after the fixed cells: the largest useful origin.
    int MaxFirst() const;
    // The origin that brings the cell at Index fully into view with the least scrolling from
    // First (First itself when the cell shows already or is not scrollable).
    int FirstShowing(int Index, int First) const;
};

struct TGridDrawInfo {
    TGridAxisDrawInfo Horz;
    TGridAxisDrawInfo Vert;
};

// The draw information of axis A (Horz for the columns).
constexpr TGridAxisDrawInfo& Along(TGridDrawInfo& D, TGridAxisKind A) { return A == TGridAxisKind::Cols ? D.Horz : D.Vert; }
constexpr const TGridAxisDrawInfo& Along(const TGridDrawInfo& D, TGridAxisKind A)
{
    return A == TGridAxisKind::Cols ? D.Horz : D.Vert;
}

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TFixedCellClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

// Bad counts, fixed counts and indexes raise EInvalidGridOperation (SysUtils).

// ---- TInplaceEdit ------------------------------------------------------------------------------

// The editor a grid shows over its current cell: a child mask edit that hands the grid's
// navigation keys to the grid.
class TInplaceEdit : public TCustomMaskEdit {
    DECLARE_CLASS(TInplaceEdit, TCustomMaskEdit)
public:
    explicit TInplaceEdit(TComponent* AOwner);

    TCustomGrid* GetGrid() const { return FGrid; }
    // Takes the mask, text and limit of the grid's current cell.
    virtual void UpdateContents();
    // Places the editor over a rectangle of the grid and shows it (Move) or hides it.
    void Move(const TRect& Loc);
    void Hide();
    void Invalidate() override;
    void SetFocus() override;
    void UpdateLoc(const TRect& Loc);
    bool Visible();
    void Deselect();
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    virtual void BoundsChanged();
    void DoExit() override {}
    void WMGetDlgCode(TMessage& Message);
    void WMKillFocus(TMessage& Message);

    TCustomGrid* FGrid = nullptr;
    bool FClickTime = false;

private:
    void SendToParent(Word& Key, TShiftState Shift);
    friend class TCustomGrid;
};

// ---- TCustomGrid -------------------------------------------------------------------------------

class TCustomGrid : public TCustomControl {
    DECLARE_CLASS(TCustomGrid, TCustomControl)
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    // Counts. The row and column members here forward to one member over an axis (protected).
    int GetColCount() const { return FCols.Count(); }
    void SetColCount(int Value) { SetLineCount(TGridAxisKind::Cols, Value); }
    int GetRowCount() const { return FRows.Count(); }
    void SetRowCount(int Value) { SetLineCount(TGridAxisKind::Rows, Value); }
    int GetFixedCols() const { return FCols.FixedCount(); }
    void SetFixedCols(int Value) { SetFixedCount(TGridAxisKind::Cols, Value); }
    int GetFixedRows() const { return FRows.FixedCount(); }
    void SetFixedRows(int Value) { SetFixedCount(TGridAxisKind::Rows, Value); }

    // Sizes
    int GetColWidths(int Index) const { return FCols.Size(Index); }
    void SetColWidths(int Index, int Value) { SetLineSize(TGridAxisKind::Cols, Index, Value); }
    int GetRowHeights(int Index) const { return FRows.Size(Index); }
    void SetRowHeights(int Index, int Value) { SetLineSize(TGridAxisKind::Rows, Index, Value); }
    int GetDefaultColWidth() const { return FCols.DefaultSize(); }
    void SetDefaultColWidth(int Value) { SetDefaultLineSize(TGridAxisKind::Cols, Value); }
    int GetDefaultRowHeight() const { return FRows.DefaultSize(); }
    void SetDefaultRowHeight(int Value) { SetDefaultLineSize(TGridAxisKind::Rows, Value); }
    int GetGridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    int GetGridWidth() { return GridExtent(TGridAxisKind::Cols); }
    int GetGridHeight() { return GridExtent(TGridAxisKind::Rows); }

    // The view
    int GetTopRow() const { return FTopLeft.Y; }
    void SetTopRow(int Value) { SetFirstLine(TGridAxisKind::Rows, Value); }
    int GetLeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int Value) { SetFirstLine(TGridAxisKind::Cols, Value); }
    int GetVisibleColCount() { return VisibleLineCount(TGridAxisKind::Cols); }
    int GetVisibleRowCount() { return VisibleLineCount(TGridAxisKind::Rows); }
    TRect CellRect(int ACol, int ARow);
    void MouseToCell(int X, int Y, int& ACol, int& ARow);
    TGridCoord MouseCoord(int X, int Y);

    // Current cell and selection
    int GetCol() const { return FCurrent.X; }
    void SetCol(int Value);
    int GetRow() const { return FCurrent.Y; }
    void SetRow(int Value);
    TGridRect GetSelection() const;
    void SetSelection(const TGridRect& Value);

    TGridOptions GetOptions() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TScrollStyle GetScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool GetDefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    TColor GetFixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    TGridDrawingStyle GetDrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TGridDrawingStyle Value) { FDrawingStyle = Value; InvalidateGrid(); }

    // Editing
    bool GetEditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    TInplaceEdit* GetInplaceEditor() const { return FInplaceEdit; }
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    TRect GetClientRect() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Invalidate() override;
    void Dispatch(TMessage& Message) override;
    void ChangeScale(int M, int D) override;
    using TControl::ChangeScale;

    TNotifyEvent OnTopLeftChanged;
    TFixedCellClickEvent OnFixedCellClick;

protected:
    // ---- rows and columns along an axis (see "Rows and columns along an axis" above)
    TGridAxis& Axis(TGridAxisKind A) { return A == TGridAxisKind::Cols ? FCols : FRows; }
    const TGridAxis& Axis(TGridAxisKind A) const { return A == TGridAxisKind::Cols ? FCols : FRows; }
    // ColCount, RowCount: a negative count raises.
    void SetLineCount(TGridAxisKind A, int Value);
    // FixedCols, FixedRows: the fixed count must stay below the count (0 of 0 is allowed).
    void SetFixedCount(TGridAxisKind A, int Value);
    // ColWidths, RowHeights: Index inside the count; then ColWidthsChanged or RowHeightsChanged.
    void SetLineSize(TGridAxisKind A, int Index, int Value);
    // DefaultColWidth, DefaultRowHeight: every line of the axis takes the new default.
    void SetDefaultLineSize(TGridAxisKind A, int Value);
    // Calls the axis's hook: ColWidthsChanged or RowHeightsChanged.
    void LineSizesChanged(TGridAxisKind A);
    // GridWidth, GridHeight: the end of the last drawn cell.
    int GridExtent(TGridAxisKind A);
    // LeftCol, TopRow: moves the origin on one axis (clamped).
    void SetFirstLine(TGridAxisKind A, int Value);
    // VisibleColCount, VisibleRowCount: the fully visible scrollable lines.
    int VisibleLineCount(TGridAxisKind A);
    // MoveColumn, MoveRow: the axis's hook moves what it keeps; the current cell and the anchor
    // follow their line.
    void MoveLine(TGridAxisKind A, int FromIndex, int ToIndex);
    // DeleteColumn, DeleteRow: the line moves to the end and the count drops by one.
    void DeleteLine(TGridAxisKind A, int Index);
    // The axis's hooks: ColumnMoved / RowMoved, BeginColumnDrag / BeginRowDrag, EndColumnDrag /
    // EndRowDrag.
    void LineMoved(TGridAxisKind A, int FromIndex, int ToIndex);
    bool BeginLineDrag(TGridAxisKind A, int& Origin, int& Destination, const TPoint& MousePt);
    bool EndLineDrag(TGridAxisKind A, int& Origin, int& Destination, const TPoint& MousePt);
    // InvalidateCol, InvalidateRow.
    void InvalidateLine(TGridAxisKind A, int Index);

    // ---- geometry
    void CalcDrawInfo(TGridDrawInfo& DrawInfo);
    void CalcFixedInfo(TGridDrawInfo& DrawInfo);
    void CalcDrawInfoXY(TGridDrawInfo& DrawInfo, int UseWidth, int UseHeight);
    // The cell under a client point, -1 for each axis outside the cells.
    TGridCoord CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& DrawInfo);
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                 int& SizingOfs, TGridDrawInfo& FixedInfo);
    // The largest TopRow / LeftCol that still fills the client area.
    TGridCoord CalcMaxTopLeft(const TGridCoord& Coord, const TGridDrawInfo& DrawInfo);
    void MoveTopLeft(int ALeft, int ATop);
    virtual void TopLeftChanged();
    virtual void SizeChanged(int OldColCount, int OldRowCount) {}
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void UpdateScrollRange();
    // The scroll information UpdateScrollRange is about to write for a bar (range 0 .. 127, no
    // page, nMax 0 when the bar is not needed): a descendant may size the thumb otherwise.
    virtual void AdjustScrollInfo(TGridAxisKind A, SCROLLINFO& SI) {}
    void ScrollData(int DX, int DY);
    void ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos, bool UseRightToLeft = false);
    void ClampInView(const TGridCoord& Coord);

    // ---- painting
    void Paint() override;
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {}
    // Whether Paint clips the cell to ARect while DrawCell draws it: a descendant that keeps a
    // cell's drawing inside its rectangle answers false and spares the clip.
    virtual bool ClipCellPaint(int ACol, int ARow, const TRect& ARect) { return true; }
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow) { InvalidateLine(TGridAxisKind::Rows, ARow); }
    void InvalidateCol(int ACol) { InvalidateLine(TGridAxisKind::Cols, ACol); }
    void InvalidateGrid();
    void InvalidateRect(const TGridRect& ARect);
    void InvalidateEditor();

    // ---- current cell and selection
    virtual bool SelectCell(int ACol, int ARow) { return true; }
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    void MoveAnchor(const TGridCoord& NewAnchor);
    void SelectionMoved(const TGridRect& OldSel);
    bool IsActiveControl();

    // ---- structure
    void MoveColumn(int FromIndex, int ToIndex) { MoveLine(TGridAxisKind::Cols, FromIndex, ToIndex); }
    void MoveRow(int FromIndex, int ToIndex) { MoveLine(TGridAxisKind::Rows, FromIndex, ToIndex); }
    virtual void ColumnMoved(int FromIndex, int ToIndex) {}
    virtual void RowMoved(int FromIndex, int ToIndex) {}
    void DeleteColumn(int ACol) { DeleteLine(TGridAxisKind::Cols, ACol); }
    void DeleteRow(int ARow) { DeleteLine(TGridAxisKind::Rows, ARow); }
    virtual bool BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) { return true; }
    virtual bool EndColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) { return true; }
    virtual bool BeginRowDrag(int& Origin, int& Destination, const TPoint& MousePt) { return true; }
    virtual bool EndRowDrag(int& Origin, int& Destination, const TPoint& MousePt) { return true; }

    // ---- editing
    virtual TInplaceEdit* CreateEditor();
    virtual bool CanEditShow();
    virtual bool CanEditAcceptKey(Char Key) { return true; }
    virtual bool CanEditModify() { return FCanEditModify; }
    virtual String GetEditText(int ACol, int ARow) { return L""; }
    virtual void SetEditText(int ACol, int ARow, const String& Value) {}
    virtual String GetEditMask(int ACol, int ARow) { return L""; }
    virtual int GetEditLimit() { return 0; }
    virtual TEditStyle GetEditStyle(int ACol, int ARow) { return esSimple; }
    void ShowEditor();
    void ShowEditorChar(Char Ch);
    void HideEditor();
    void UpdateEdit();
    void UpdateText();
    void HideEdit();

    // ---- input
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override { inherited::KeyUp(Key, Shift); }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void DoEnter() override { inherited::DoEnter(); }
    void DoExit() override;
    virtual void FixedCellClick(int ACol, int ARow);
    virtual void TimedScroll(int Direction);
    // Ends sizing, moving or selecting: erases the sizing line, releases the capture and timer.
    void CancelMode();

    // ---- window
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;

    // ---- message methods (a descendant's Dispatch may call them around its own handling)
    void WMPaint(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMHScroll(TMessage& Message);
    void WMVScroll(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMTimer(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void WMCancelMode(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMCommand(TMessage& Message);
    void WMChar(TMessage& Message);

    // ---- state the descendants read and write
    TGridAxis FCols{5, 1, 64};
    TGridAxis FRows{5, 1, 24};
    int FGridLineWidth = 1;
    TGridCoord FTopLeft{1, 1};
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TScrollStyle FScrollBars = TScrollStyle::ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    TGridState FGridState = gsNormal;
    TGridDrawingStyle FDrawingStyle = gdsClassic;
    bool FDefaultDrawing = true;
    TColor FFixedColor = clBtnFace;
    // While set, cells are not invalidated one by one and the scroll range is not updated.
    bool FUpdating = false;
    bool FEditorMode = false;
    bool FCanEditModify = true;
    TInplaceEdit* FInplaceEdit = nullptr;
    int FInplaceCol = -1;
    int FInplaceRow = -1;
    // Sizing and moving
    int FSizingIndex = 0;
    int FSizingPos = 0;
    int FSizingOfs = 0;
    int FMoveIndex = 0;
    int FMovePos = 0;
    TPoint FHitTest;
    bool FSizingLineShown = false;
    // The timer of selecting and moving (identifier 1) runs.
    bool FTimerActive = false;
    static constexpr UINT_PTR GridTimerId = 1;

private:
    void ChangeSize(int NewColCount, int NewRowCount);
    void DrawSizingLine(const TGridDrawInfo& DrawInfo);
    void DrawMove();
    void GridRectToScreenRect(const TGridRect& GridRect, TRect& ScreenRect, bool IncludeLine);
    void SetAxisTopLeft(int ALeft, int ATop, bool Clamp);
    int ScrollBarPos(TGridAxisKind A);
    // The base's ColWidthsChanged and RowHeightsChanged: the origin, the scroll range, the editor
    // and the picture follow the new sizes.
    void SizesChanged();
    void StartTimer();
    void StopTimer();
    bool FInScrollUpdate = false;
    // The press of a fixed cell, for the fixed-cell click on release.
    TGridCoord FFixedPress{-1, -1};
    friend class TInplaceEdit;
};

// ---- TDrawGrid ---------------------------------------------------------------------------------

class TDrawGrid : public TCustomGrid {
    DECLARE_CLASS(TDrawGrid, TCustomGrid)
public:
    explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

    // Visible to users of a plain grid.
    using TCustomGrid::CellRect;
    using TCustomGrid::MouseToCell;
    using TCustomGrid::MouseCoord;
    using TCustomGrid::MoveColRow;
    using TCustomGrid::ShowEditor;
    using TCustomGrid::HideEditor;

    static void RegisterProperties(TPropertyTable& Table);

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TGetEditEvent OnGetEditMask;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    String GetEditMask(int ACol, int ARow) override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;
};

// ---- TStringGrid -------------------------------------------------------------------------------

// One row or one column of a string grid as a list of texts with objects. Writes go through to
// the grid's storage; the list has ColCount (a row) or RowCount (a column) entries.
class TStringGridStrings : public TStrings {
    DECLARE_CLASS(TStringGridStrings, TStrings)
public:
    TStringGridStrings(TStringGrid* AGrid, bool AIsRow, int AIndex)
        : FGrid(AGrid), FIsRow(AIsRow), FIndex(AIndex) {}
    String Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const String& S) override;
    TObject* GetObjects(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    // A view has a fixed length: Add writes the next entry after the last written one, Insert
    // and Delete are refused, Clear empties every entry.
    int Add(const String& S) override;
    int AddObject(const String& S, TObject* AObject) override;
    void Insert(int Index, const String& S) override;
    void Delete(int Index) override;
    void Clear() override;
    // Copies texts and object references entry by entry (never the objects themselves).
    void Assign(TPersistent* Source) override;

private:
    // The grid cell of an entry (an index below 0 raises the list's index error).
    TGridCoord CellOf(int Index) const;
    TStringGrid* FGrid;
    bool FIsRow;
    int FIndex;
    int FAddPos = 0;
};

class TStringGrid : public TDrawGrid {
    DECLARE_CLASS(TStringGrid, TDrawGrid)
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    String GetCells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const String& Value);
    // Takes the text over without copying it (filling a large grid from computed texts).
    void SetCells(int ACol, int ARow, String&& Value);
    TObject* GetObjects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, TObject* Value);
    // Row and column views (owned by the grid, valid for its life).
    TStrings* GetRows(int Index);
    void SetRows(int Index, TStrings* Value) { GetRows(Index)->Assign(Value); }
    TStrings* GetCols(int Index);
    void SetCols(int Index, TStrings* Value) { GetCols(Index)->Assign(Value); }
    // How many rows the storage holds (at least the highest row ever written, + 1).
    int StoredRowCount() const { return int(FData.size()); }
    // Whole stored rows or columns move without copying a cell: the lines First .. Last - 1 turn
    // so that the line at Middle comes first (the store grows to Last where it is shorter). Sizes,
    // views and the current cell stay; nothing repaints. For grids that insert, remove, hide and
    // move many rows at once.
    void RotateStoredRows(int First, int Middle, int Last);
    void RotateStoredCols(int First, int Middle, int Last);
    // Exchanges the stored cells (texts and object references) of two rows.
    void ExchangeStoredRows(int ARow1, int ARow2);

    using TCustomGrid::DeleteRow;
    using TCustomGrid::DeleteColumn;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;

private:
    struct TCell {
        String Text;
        TObject* Object = nullptr;
    };
    using TRowData = std::vector<TCell>;
    const TCell* FindCell(int ACol, int ARow) const;
    TCell& CellFor(int ACol, int ARow);
    using TViews = std::vector<std::unique_ptr<TStringGridStrings>>;
    // The view of row or column Index, made on first use.
    TStrings* View(TViews& Views, bool IsRow, int Index);

    std::vector<TRowData> FData;   // [row][column], grown on write only
    TViews FRowViews;
    TViews FColViews;
    friend class TStringGridStrings;
};

void RegisterGrids();
