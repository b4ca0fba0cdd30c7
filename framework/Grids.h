// Grids: the base grid (TCustomGrid), the owner-drawn grid (TDrawGrid), the string grid
// (TStringGrid) with its cell storage, and the in-place editor (TInplaceEdit).
//
// Geometry is computed from the virtual client rectangle and the stored sizes only, so that it
// works before the window exists. Storage is grow-only: cells beyond a lowered RowCount or ColCount
// keep their text and object and show again when the count grows.
//
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

// How the cells of one axis lie in the client area (from the fixed cells to the visible end).
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
    int GetExtent(int Index) const { return Index >= 0 && Index < int(Extents->size()) ? (*Extents)[Index] : 0; }
};

struct TGridDrawInfo {
    TGridAxisDrawInfo Horz;
    TGridAxisDrawInfo Vert;
};

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

    // Counts
    int GetColCount() const { return FColCount; }
    void SetColCount(int Value);
    int GetRowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    int GetFixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int GetFixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);

    // Sizes
    int GetColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int GetRowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    int GetDefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int Value);
    int GetDefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    int GetGridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    int GetGridWidth();
    int GetGridHeight();

    // The view
    int GetTopRow() const { return FTopLeft.Y; }
    void SetTopRow(int Value);
    int GetLeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int Value);
    int GetVisibleColCount();
    int GetVisibleRowCount();
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
    void ScrollData(int DX, int DY);
    void ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos, bool UseRightToLeft = false);
    void ClampInView(const TGridCoord& Coord);

    // ---- painting
    void Paint() override;
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {}
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
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
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    virtual void ColumnMoved(int FromIndex, int ToIndex) {}
    virtual void RowMoved(int FromIndex, int ToIndex) {}
    void DeleteColumn(int ACol);
    void DeleteRow(int ARow);
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
    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
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
    int ScrollBarPos(bool Horz);
    bool IsVisibleRow(int ARow) const { return GetRowHeights(ARow) > 0; }
    bool IsVisibleCol(int ACol) const { return GetColWidths(ACol) > 0; }
    int NextVisibleRow(int From, int Step) const;
    int NextVisibleCol(int From, int Step) const;
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
    void ViewChanged(bool IsRow, int Index, int Pos);

    std::vector<TRowData> FData;   // [row][column], grown on write only
    std::vector<std::unique_ptr<TStringGridStrings>> FRowViews;
    std::vector<std::unique_ptr<TStringGridStrings>> FColViews;
    friend class TStringGridStrings;
};

void RegisterGrids();
