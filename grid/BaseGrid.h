// BaseGrid: the grid base between the framework's string grid and the grid class: the cell store
// (texts in the string grid, a TCellProperties per cell created on first use in the cell's object
// slot, merged areas read and written through their base cell), the base painting frame (cell
// background, hover and active rows, selection boxes, own grid lines, a merged area painted as one
// cell) and the undo and redo component linked to a grid.
//
// grid/store/BaseGridStore.cpp     cell properties, raw and merged cell access, merges, rectangles
// grid/store/BaseGridPaint.cpp     painting frame, keys and wheel over merged areas, repainting
// grid/store/BaseGridUndo.cpp      the undo and redo component and its log
// grid/store/BaseGridRegister.cpp  published properties and identifier tables
//
// Index systems. A display column counts only the columns shown; a real column counts hidden
// columns too (RealColIndex turns a display column into a real one, DisplColIndex the reverse; the
// base has no hidden columns, so both are the identity here). Rows are storage rows: the row of
// the string grid's storage, which is the display row of a grid that moves hidden rows out of its
// storage (RealRowIndex / DisplRowIndex map them; identity here). Unless a line says otherwise:
//   - cell access, properties, merges and spans take (real column, storage row);
//   - CellRect, RepaintCell, PaintCell, PaintCellExt, IsFixed and the framework's hooks (DrawCell,
//     SelectCell, current cell) take (display column, storage row);
//   - the undo log keeps (real column, real row) and maps the row back when it writes.
//
// Bad input: a write, a merge or a property request for a cell outside the grid raises
// EQorGridError ("Invalid column accessed" / "Invalid row accessed") before anything changes;
// reads and merge queries of such a cell answer as for an empty, unmerged cell.
#pragma once

#include "grid/QorGridDefs.h"
#include "grid/store/QorObj.h"

#include "framework/Graphics.h"
#include "framework/Grids.h"
#include "framework/WinScope.h"

#include <vector>

class TBaseGrid;
class TQorGridUndoRedo;
class TPropertyTable;

// ---- TCellProperties ----------------------------------------------------------------------------

// The look and merge state of one cell, owned by the grid and kept in the cell's object slot.
// Freeing the properties frees their graphic record (unless it is the grid's shared record).
//
// Merge encoding: an unmerged cell has IsBaseCell true and both spans -1; the base (top-left) cell
// of an area W x H has IsBaseCell true and spans (W - 1, H - 1); any other cell of the area has
// IsBaseCell false and its offset (dx, dy) from the base as spans.
class TCellProperties : public TPersistent {
    DECLARE_CLASS(TCellProperties, TPersistent)
public:
    // The values at creation; raises the grid's flag that properties exist.
    TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);
    ~TCellProperties() override;

    // Copies from another TCellProperties (any other source is ignored): base flag, spans (the
    // source's effective vertical span), owner cell, user object, alignments, border, brush colour
    // and style, font, read-only, editor, word wrap, node level, control and the collapse flag.
    // Not copied: the owner grid, the graphic record, BrushColorTo, the paint counter, the
    // calculation and the gradient direction.
    void Assign(TPersistent* Source) override;

    // The base cell of the area when this is a covered cell; otherwise (c, r). The caller passes
    // the coordinates of the cell that holds these properties.
    TPoint GetBaseCell(int c, int r) const;

    TBaseGrid* GetOwnerGrid() const { return FOwnerGrid; }
    int GetOwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(int Value) { FOwnerCol = Value; }
    int GetOwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(int Value) { FOwnerRow = Value; }
    NativeUInt GetCellObject() const { return FObject; }
    void SetCellObject(NativeUInt Value) { FObject = Value; }
    // The graphic record; setting it does not free the one before (the grid's cell operations do).
    TObject* GetGraphicObject() const { return FGraphicObject; }
    void SetGraphicObject(TObject* Value) { FGraphicObject = Value; }
    TBrushStyle GetBrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
    TColor GetBrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Value);      // stores and repaints the owner cell
    TColor GetBrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor Value);    // stores and repaints the owner cell
    // The font height as the framework's font keeps it (published as FontSize).
    int GetFontHeight() const { return FFontHeight; }
    void SetFontHeight(int Value) { FFontHeight = Value; }
    TColor GetFontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { FFontColor = Value; }
    TFontStyles GetFontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
    const String& GetFontName() const { return FFontName; }
    void SetFontName(const String& Value) { FFontName = Value; }
    // The vertical span; 0 while the cell's node is contracted (MergeCollaps).
    int GetCellSpanY() const { return FMergeCollaps ? 0 : FCellSpanY; }
    void SetCellSpanY(int Value) { FCellSpanY = Value; }
    int GetCellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(int Value) { FCellSpanX = Value; }
    int GetBorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { FBorderWidth = Value; }
    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TVAlignment GetVAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);   // stores and repaints the owner cell
    int GetPaintID() const { return FPaintID; }
    void SetPaintID(int Value) { FPaintID = Value; }
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);            // stores and repaints the owner cell
    bool GetIsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
    TColumnCalcType GetCalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
    TObject* GetCalcObject() const { return FCalcObject; }
    void SetCalcObject(TObject* Value) { FCalcObject = Value; }
    int GetNodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(int Value) { FNodeLevel = Value; }
    TEditorType GetEditor() const { return FEditor; }
    void SetEditor(TEditorType Value) { FEditor = Value; }
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TCellGradientDirection GetGradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
    TControl* GetControl() const { return FControl; }
    void SetControl(TControl* Value) { FControl = Value; }
    bool GetMergeCollaps() const { return FMergeCollaps; }
    void SetMergeCollaps(bool Value) { FMergeCollaps = Value; }

    // Properties alive now: tests check that cells neither leak nor share them.
    static int LiveCount();

    static void RegisterProperties(TPropertyTable& Table);

private:
    // The grid fills new properties from its defaults without repainting.
    friend class TBaseGrid;
    void RepaintOwner();

    TBaseGrid* FOwnerGrid;
    int FOwnerCol;
    int FOwnerRow;
    NativeUInt FObject = 0;
    TObject* FGraphicObject = nullptr;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    int FFontHeight = 0;
    TColor FFontColor = clNone;
    TFontStyles FFontStyle;
    int FCellSpanY = -1;
    int FCellSpanX = -1;
    int FBorderWidth = 0;
    TColor FBorderColor = clNone;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    int FPaintID = 0;
    bool FWordWrap = false;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = acNONE;
    TObject* FCalcObject = nullptr;
    int FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    String FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = GradientVertical;
    TControl* FControl = nullptr;
    bool FMergeCollaps = false;
};

// ---- TBaseGrid ----------------------------------------------------------------------------------

class TBaseGrid : public TObjStringGrid {
    DECLARE_CLASS(TBaseGrid, TObjStringGrid)
public:
    explicit TBaseGrid(TComponent* AOwner);
    // Frees the scratch font and brush, then every cell's properties (with their graphic
    // records) anywhere in the storage, also beyond the current counts.
    ~TBaseGrid() override;

    // ==== Cell properties (BaseGridStore.cpp) ====
    // The cell's properties, created with the grid's defaults when missing; never null.
    TCellProperties* GetCellProperties(int c, int r);
    // Whether the cell (0 <= ACol < TotalColCount, ARow >= 0) holds properties; creates nothing.
    bool HasCellProperties(int ACol, int ARow);
    // Frees the properties in the slot (unless they are Value) and stores Value.
    void SetCellProperties(int c, int r, TCellProperties* Value);
    // Free the properties (and their graphic records) of one cell, of a rectangle, of the grid.
    // A merged area that loses a cell this way is split.
    void ClearPropCell(int ACol, int ARow);
    void ClearPropRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void ClearProps();
    TObject* GetCPGraphicObject(TCellProperties* cp) const { return cp ? cp->GetGraphicObject() : nullptr; }

    // ==== Raw access: no merge redirection, no events, no repaint ====
    String GetGridCell(int c, int r) const { return GetCells(c, r); }
    void SetGridCell(int c, int r, const String& Value);
    TObject* GetGridObject(int c, int r) const { return GetObjects(c, r); }
    void SetGridObject(int c, int r, TObject* Value);
    // Empty the object slot without freeing the properties (their new owner frees them) and
    // write an empty text at the cell itself; for one cell, every column of a row, every row of
    // a column.
    void NilCell(int ACol, int ARow);
    void NilRow(int ARow);
    void NilCol(int ACol);

    // ==== Cell text (the grid's Cells) ====
    // The text of the cell's base cell, through the display-text hooks for data rows.
    String GetCellEx(int c, int r);
    // Writes the base cell of the cell's area; CellTextChange and a repaint for cells with
    // properties; FloatFooterUpdate after a write into the last row while FHideLastRow is set.
    void SetCellEx(int c, int r, const String& Value) { SetCellEx(c, r, String(Value)); }
    // The same, taking the text over without a copy.
    void SetCellEx(int c, int r, String&& Value);

    // ==== User object and graphic record ====
    NativeUInt GetObjectEx(int c, int r);
    void SetObjectEx(int c, int r, NativeUInt Value);
    TObject* GetGraphicObjectEx(int c, int r);
    // Stores the record in the cell's properties (created when missing); the record the cell
    // had before is the caller's to free. While the grid is being destroyed only a null record is
    // stored, into existing properties.
    void SetGraphicObjectEx(int c, int r, TObject* Value);

    // ==== Merged cells ====
    TPoint BaseCell(int ACol, int ARow);
    bool IsBaseCell(int ACol, int ARow);
    bool IsBaseCellEx(int ACol, int ARow, int& MCol, int& MRow);
    bool IsMergedCell(int ACol, int ARow);
    bool IsMergedNonBaseCell(int ACol, int ARow);
    bool IsXMergedCell(int ACol, int ARow);
    bool IsYMergedCell(int ACol, int ARow);
    // The spans of the area that holds the cell, (0, 0) for an unmerged cell.
    TPoint CellSpan(int ACol, int ARow);
    // How far the area reaches right and down from this cell.
    TPoint CellExt(int ACol, int ARow);
    // The area in cell coordinates: base cell to base + span.
    TRect FullCell(int c, int r);
    // Width and height in pixels of the cell or of its whole area.
    TPoint CellSize(int c, int r);
    int MinRowSpan(int ARow);
    int MaxRowSpan(int ARow);
    bool RowSpanIdentical(int ARow1, int ARow2);
    bool ColSpanIdentical(int ACol1, int ACol2);

    // ==== Rectangles and repainting (c a display column) ====
    // Client rectangle for painting and invalidation: the whole area for a merged cell; empty
    // for a plain cell out of view.
    TRect CellRect(int c, int r);
    // Client rectangle of any cell, also scrolled out of view (then with negative coordinates).
    TRect GetCellRect(int c, int r);
    // Invalidates CellRect with background erase; nothing without a window.
    void RepaintCell(int c, int r);
    int FixedColsWidth();
    int FixedRowsHeight();

    // ==== Painting frame (BaseGridPaint.cpp) ====
    // Background, lines and content of a cell on any canvas.
    void PaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    // Background and lines only (a header button's face).
    void PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    // The current cell moves to the base cell of its area.
    void SelectBaseCell();
    void RepaintFixedMergedCols();
    void RepaintFixedMergedRows();

    // ==== Link to the undo component ====
    TQorGridUndoRedo* GetUndoRedo() const { return FUndoRedo; }
    // Stores the link (with free notification both ways) and makes the component serve this grid.
    void SetUndoRedo(TQorGridUndoRedo* Value);

    // ==== Published properties ====
    bool GetDefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    int GetGridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    TColor GetGridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    TColor GetGridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor Value);
    bool GetActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool Value);
    TColor GetActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor Value);
    TColor GetActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor Value);
    TColor GetActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor Value);
    TColor GetActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor Value);
    TGridSelectionStyle GetSelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle Value);
    bool GetHoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }
    TColor GetHoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
    TColor GetHoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
    THoverRowCells GetHoverRowCells() const { return FHoverRowCells; }
    void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

    static void RegisterProperties(TPropertyTable& Table);

    // ==== Virtual operations, in slot order ====
    // 1. Whether a cell counts as fixed beyond the fixed rows and columns (display column).
    virtual bool IsFixed(int ACol, int ARow) { return false; }
    // 2, 3. Node indentation and whether the grid has nodes.
    virtual int NodeIndent(int ARow) { return 0; }
    virtual bool HasNodes() { return false; }
    // 4, 5. Node and summary rows: the grid class answers.
    virtual bool IsNode(int ARow) = 0;
    virtual bool IsSummary(int ARow) = 0;
protected:
    // 6. Draws the cell's content: the base centres the cell text on one line.
    virtual void DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    // 7. Called after a write into the last row while FHideLastRow is set.
    virtual void FloatFooterUpdate() {}
public:
    // 8, 9. Check-box cells (the undo component restores them through these).
    virtual bool IsCheckCell(int c, int r) = 0;
    // Checks the box when v equals the grid's check-true text, else unchecks it.
    virtual void SetAsCheck(int c, int r, const String& v) = 0;
    // 10, 11. Display-text hooks: fire OnGetDisplText / OnGetDisplWideText when set.
    virtual void GetDisplText(int c, int r, String& Value);
    virtual void GetDisplWideText(int c, int r, WideString& Value);
protected:
    // 12. The look new cell properties start with.
    virtual void GetDefaultProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                 TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                                 TVAlignment& VA, bool& WW, TCellGradientDirection& GD);
public:
    // 13.
    virtual TAlignment GetDefaultAlignment() { return taLeftJustify; }
protected:
    // 14. Called after a write into a cell that has properties (at the base cell).
    virtual void CellTextChange(int ACol, int ARow) {}
public:
    // 15, 16.
    virtual bool HasCustomCellBorder() { return false; }
    virtual bool UseVCLStyles() { return false; }
protected:
    // 17. The effective look of a cell for painting; the base leaves everything as it is.
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                     bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                     TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TCellGradientDirection& GD) {}
public:
    // 18, 19. Display column to real column and back.
    virtual int RealColIndex(int ACol) { return ACol; }
    virtual int DisplColIndex(int ACol) { return ACol; }
    // 20. Merges the area of spanx x spany cells at (c, r). Areas it overlaps are split first;
    // spans below 1 change nothing; an area outside the grid raises EQorGridError.
    virtual void MergeCells(int c, int r, int spanx, int spany);
    // 21. Splits the area that holds the cell.
    virtual void SplitCells(int c, int r);
    // 22. Number of real columns.
    virtual int TotalColCount() { return GetColCount(); }

    // The row counterparts of 18 and 19 (storage row to real row and back), for the undo log;
    // the grid's hidden rows override them.
    virtual int RealRowIndex(int ARow) { return ARow; }
    virtual int DisplRowIndex(int ARow) { return ARow; }

    // ==== Implementation from here on ====
protected:
    // Creates the cell's properties with the grid's defaults and stores them in the slot.
    TCellProperties* CreateCellProperties(int Col, int Row);
    void PaintCellInt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState, bool Internal);
    // Whether the grid's window has the focus; asked once per paint of the grid (the question
    // goes to the window server, which costs more than painting a cell).
    bool GridHasFocus();
    // The paint loop's per-cell clip: none for a cell that CellPaintsInside keeps inside its
    // rectangle (FCellUnclipped is set while it paints; its layers clip for themselves where
    // they may reach out).
    bool ClipCellPaint(int ACol, int ARow, const TRect& ARect) override;
    virtual bool CellPaintsInside(int ACol, int ARow) { return false; }
    // The colour the grid's own paint fills the ordinary cells' area with before the cells, so
    // that an unclipped cell of that one colour skips its own fill; clNone for none. Only a grid
    // whose every ordinary cell paints a background of its own may give one: the fill must not
    // show where a cell leaves what was there before.
    virtual TColor PaintPrefillColor() { return clNone; }
    bool FCellUnclipped = false;
    // While the grid paints itself, the one-pixel lines of unclipped cells wait and are drawn
    // joined into runs (a line across the screen is one fill instead of one a cell): nothing
    // else draws on a cell's line pixels unless the cell takes its clip, and a cell that does
    // has every waiting line drawn first (DrawPaintLines). Off, every cell draws its own lines
    // (tests compare both ways).
    bool FJoinPaintLines = true;
    void DrawPaintLines();
    // The height of "hg" in the canvas's font: measured once per font in a paint of the grid.
    int PaintTextHeight(TCanvas* Canvas);
    // The width of one line of text in the canvas's font, from the advances of its characters
    // fetched once per font in a paint of the grid; -1 when the text's extent is not that sum
    // (outside the grid's own paint, a character the font lacks or a script the system lays
    // out, a device context that spaces or scales text).
    int PaintTextWidth(TCanvas* Canvas, const wchar_t* Text, int Len);
    // A horizontal or vertical line in the canvas's pen from (X1, Y1) to (X2, Y2), the end left
    // out, as MoveTo and LineTo draw it: in the grid's own paint a pen of one solid copying pixel
    // is filled as the pixels it would set, without making it. The pen's position ends at
    // (X2, Y2) either way.
    void PenLine(TCanvas* Canvas, int X1, int Y1, int X2, int Y2);
    // The paint's shortcuts that give the pixels of the long way (text widths from character
    // advances, pen lines filled); off, the long way (tests compare both ways).
    bool FPaintShortcuts = true;
    // The font a cell's paint gives the canvas before GetVisualProperties: the font that pass
    // starts from, so that a fixed cell's font is not put in the device context and taken out
    // again for every cell.
    virtual TFont* CellStartFont(int ACol, int ARow) { return GetFont(); }

    // Framework hooks.
    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    String GetEditText(int ACol, int ARow) override { return inherited::GetEditText(ACol, ARow); }
    void SetEditText(int ACol, int ARow, const String& Value) override { inherited::SetEditText(ACol, ARow, Value); }
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // ---- state, in declaration order (the grid class reads and writes it)
    bool FDefaultDrawing = false;          // own default drawing; the framework's stays off
    int FGridLineWidth = 1;                // own lines; the framework's line width stays 0
    TColor FGridLineColor = TColor(0x00C0C0C0);
    TColor FGridFixedLineColor = TColor(0x00808080);
    int FPaintID = 1;                      // grows after every paint of the grid
    bool FCustomSelect = true;
    bool FHideLastRow = false;             // the last row lies under the floating footer
    // Rows below it are data rows (the display-text hooks run for them); every row until the
    // grid class sets it.
    int FNormalRowCount = 0x7FFFFFFF;
    TQorGridUndoRedo* FUndoRedo = nullptr;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    TFont* FDefFont = nullptr;             // scratch font and brush for new cell properties
    TBrush* FDefBrush = nullptr;
    int FHoverRowIdx = -1;
    bool FHoverRow = false;
    THoverRowCells FHoverRowCells{hcNormal, hcSelected};
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FShowSel = true;
    bool FHasCellProps = false;            // properties were created since the grid last cleared
    int FMergeCount = 0;
    bool FEditCellSet = false;             // raised while SetCellEx writes a cell without properties

private:
    friend class TCellProperties;
    friend class TGridTestAccess;

    // The properties in a cell's slot, or null.
    TCellProperties* PropsAt(int c, int r) const;
    // The properties of a cell the merge queries may read: null outside the grid's columns.
    TCellProperties* MergeProps(int c, int r);
    // Raise EQorGridError for a cell outside the grid.
    void CheckCol(int c);
    void CheckRow(int r);
    void CheckCell(int c, int r) { CheckCol(c); CheckRow(r); }
    // Empties the slot and frees the properties found there (with their graphic record).
    void FreePropsAt(int c, int r);
    // The same for a cell that is cleared on request: its merged area is split first.
    void ClearCellProps(int c, int r);
    // Steps of PaintCellInt: the background (selection box or gradient) and the grid's lines.
    void PaintCellBackground(TCanvas* ACanvas, int ACol, const TRect& ARect, TGridDrawState AState,
                             TColor AColorTo, TColor AMirrorColor, TColor AMirrorColorTo, TCellGradientDirection GD,
                             bool Internal);
    void PaintCellLines(TCanvas* ACanvas, int rc, int ARow, const TRect& ARect, bool Fixed);
    // Moves the current cell to the far edge of its merged area in the direction of Key.
    void StepOutOfArea(Word Key);
    // Resets every cell of the area whose base is B to unmerged.
    void SplitArea(TPoint B);
    // Sum of the column widths / row heights From .. To - 1 (negative when To < From).
    int ColSpanWidth(int From, int To) const;
    int RowSpanHeight(int From, int To) const;

    // Columns that may hold properties anywhere in the storage (the largest column count seen).
    int FStoreColExtent = 0;
    // While the grid paints itself: the clip of the paint before the framework's per-cell clip.
    TClipScope* FPaintClip = nullptr;
    // While the grid paints itself: GridHasFocus's answer (-1 until asked), and the solid brushes
    // of the cell backgrounds and lines, made once per colour.
    int FPaintFocus = -1;
    struct TPaintBrushes;
    TPaintBrushes* FPaintBrushes = nullptr;
    // Fills R in one colour through the paint's brushes (a brush of its own outside a paint).
    void FillSolid(HDC DC, const TRect& R, TColor Color);
    // The ordinary cells' area in PaintPrefillColor, when the grid's own paint begins.
    void PrefillCells();
};

// ---- Undo and redo --------------------------------------------------------------------------------

// One change of a cell's text, or a sequence marker (column and row -1, empty texts): the changed
// cell's real column and real row, the text after and before the change.
struct TUndoRedoChange {
    int Col = -1;
    int Row = -1;
    String Value;
    String OrigValue;
    bool SequenceStart = false;
    bool SequenceStop = false;
    bool IsMarker() const { return SequenceStart || SequenceStop; }
};

// A change as a collection item (the undo component's GetItems).
class TUndoRedoItem : public TCollectionItem {
    DECLARE_CLASS(TUndoRedoItem, TCollectionItem)
public:
    explicit TUndoRedoItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
    void Assign(TPersistent* Source) override;

    const TUndoRedoChange& GetChange() const { return FChange; }
    void SetChange(const TUndoRedoChange& Value) { FChange = Value; }
    int GetRow() const { return FChange.Row; }
    void SetRow(int Value) { FChange.Row = Value; }
    int GetCol() const { return FChange.Col; }
    void SetCol(int Value) { FChange.Col = Value; }
    const String& GetValue() const { return FChange.Value; }
    void SetValue(const String& Value) { FChange.Value = Value; }
    const String& GetOrigValue() const { return FChange.OrigValue; }
    void SetOrigValue(const String& Value) { FChange.OrigValue = Value; }
    bool GetSequenceStart() const { return FChange.SequenceStart; }
    void SetSequenceStart(bool Value) { FChange.SequenceStart = Value; }
    bool GetSequenceStop() const { return FChange.SequenceStop; }
    void SetSequenceStop(bool Value) { FChange.SequenceStop = Value; }
    bool IsMarker() const { return FChange.IsMarker(); }

    static void RegisterProperties(TPropertyTable& Table);

private:
    TUndoRedoChange FChange;
};

class TUndoRedoCollection : public TCollection {
    DECLARE_CLASS(TUndoRedoCollection, TCollection)
public:
    TUndoRedoCollection() : TCollection(ItemClass<TUndoRedoItem>()) {}
    TUndoRedoItem* GetItem(int Index) const { return static_cast<TUndoRedoItem*>(TCollection::GetItem(Index)); }
    TUndoRedoItem* Items(int Index) const { return GetItem(Index); }
};

// Fired before a cell is written back: OrigValue is the cell's text now, NewValue the text about
// to be written; Col and Row are the cell's real column and storage row.
using TQorGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, int Col, int Row,
                                                 const String& OrigValue, const String& NewValue)>;

// The log of cell-text changes of one grid, undone and redone singly or in sequences. A grid
// links it through its UndoRedo property; the grid does not own it.
//
// The log is a list of change items and sequence markers; a sequence (StartSequence, changes,
// StopSequence) is undone and redone as one step. Registering anything while undone steps exist
// discards them. MaxLevel bounds the number of change items kept (markers are not counted): the
// oldest whole step goes first, so a sequence is never cut. Nested sequences fold into the
// outermost one; Undo and Redo close an open sequence first. The log keeps the cell whose text
// changed (the base cell of a merged area) and writes exactly that cell back: through SetCellEx,
// or into its own storage when a later merge has covered it. A logged cell that lies outside the
// grid when it is written back is passed over.
class TQorGridUndoRedo : public TComponent {
    DECLARE_CLASS(TQorGridUndoRedo, TComponent)
public:
    explicit TQorGridUndoRedo(TComponent* AOwner);
    ~TQorGridUndoRedo() override;

    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < LogCount(); }

    // A change of cell (ACol real column, ARow storage row) from OldValue to NewValue; the
    // change is kept for the base cell of the area that holds the cell.
    virtual void RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue);
    virtual void StartSequence();
    virtual void StopSequence();

    void Undo();
    void Redo();
    // Frees every item.
    void Reset();

    TBaseGrid* GetGrid() const { return FGrid; }
    // Serves Grid from now on. A different grid takes a fresh log (the old one's changes do not
    // belong to it), and the grid served before no longer registers here.
    void SetGrid(TBaseGrid* Grid);

    int GetLevel() const { return FLevel; }
    int GetMaxLevel() const { return FMaxLevel; }
    void SetMaxLevel(int Value) { FMaxLevel = Value; }
    // The log as collection items, for reading: a copy made on request (and again after the log
    // changed); changing it does not change the log.
    TUndoRedoCollection* GetItems() const;
    // Change items in the log (markers not counted).
    int GetChangeCount() const { return FChangeCount; }

    TQorGridUndoRedoEvent OnUndo;
    TQorGridUndoRedoEvent OnRedo;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The log keeps its entries by value, so that registering a change costs no object of its own.
    using TEntry = TUndoRedoChange;

    const TEntry& Item(int Index) const { return FLog[size_t(FFirst + Index)]; }
    int LogCount() const { return int(FLog.size()) - FFirst; }
    TEntry& Append();
    // Drops the newest entry / the oldest entry.
    void DropLast();
    void DropFirst();
    // Drops the undone items (FLevel and above).
    void DiscardUndone();
    // Drops the oldest whole steps while the log holds MaxLevel or more change items.
    void Evict();
    void CloseOpenSequence();
    // Writes Text back into the logged cell (Cell: real column, storage row); false when the cell
    // lies outside the grid. AsCheck restores check-box cells through SetAsCheck.
    bool WriteBack(const TEntry& I, const String& Text, const TQorGridUndoRedoEvent& Event, bool AsCheck,
                   TPoint& Cell);
    void MakeCurrent(TPoint Cell);

    // The entries from FFirst on; the ones before it were evicted and are dropped in bulk.
    std::vector<TEntry> FLog;
    int FFirst = 0;
    TUndoRedoCollection* FItems;    // the copy GetItems hands out
    mutable bool FItemsStale = false;
    TBaseGrid* FGrid = nullptr;
    int FLevel = 0;
    int FMaxLevel = 0;
    int FChangeCount = 0;
    int FSequenceDepth = 0;
};

// Registers the unit's classes and the identifier tables of their property types (once).
void RegisterBaseGridClasses();
