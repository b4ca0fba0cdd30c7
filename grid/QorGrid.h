// QorGrid: the string grid TQorStringGrid, one class over the grid base (grid/BaseGrid.h) whose
// operations are divided by area among the files below. The class keeps its whole public and
// virtual surface here; each area keeps its state in one record the grid owns (at the end of the
// class) and reaches another area's state through that area's functions.
//
// Files of the grid class, by area:
//   QorGridUnit.h/.cpp             unit start-up and shut-down: OLE, the message hook, registration of
//                                  the classes for streaming, the clipboard format and the messages;
//                                  the unit-level routines
//   store/QorGridCreate.cpp        construction with every owned object and its defaults; destruction
//   store/QorGridLifecycle.cpp     window creation, loading, Assign and AssignCells, bounds, resizing,
//                                  the Metro indicators
//   view/QorGridScroll.cpp         scroll bars: flat bars, proportional thumbs, scroll messages and
//                                  hints, the in-cell bar, show/hide upkeep; drag and smooth scrolling
//   view/QorGridStretch.cpp        column stretching, proportional sizing after a column or row was
//                                  sized, the size hooks, arrow colour, component removal
//   store/QorGridHooks.cpp         cell query hooks, event dispatchers, listeners, per-cell texts
//   store/QorGridDims.cpp          row and column counts, fixed counts, default row height, the
//                                  simple property setters
//   store/QorGridStructure.cpp     clearing, inserting and removing rows and columns
//   store/QorGridAccess.cpp        cell access by real, display, original and unsorted index;
//                                  per-cell look accessors, links, rich text; the in-place
//                                  editor's text; cell controls; sizing asked of the
//                                  application; grid-wide setters and zoom
//   store/QorGridTyped.cpp         typed cell values, headers, range formatting
//   store/QorGridSelection.cpp     disjunct row, column and cell selections; modified and
//                                  enabled rows; going to and editing a cell; repainting rows,
//                                  columns and rectangles of cells
//   store/QorGridMerge.cpp         equal-value merging, column order, cell lookup
//   store/QorGridMark.cpp          highlighting and error marks in cells, the cell checker link, fills
//   store/QorGridCalc.cpp          column, row, rectangle and selection arithmetic
//   view/HiddenRowMap.h/.cpp       the row index systems and the hidden-row lookup
//   view/QorGridHidden.cpp         hidden rows and columns, index remapping, rows moved in bulk
//   view/QorGridSuppress.cpp       suppressed rows and columns, moving and swapping rows and
//                                  columns, the parked selection, view helpers
//   store/QorGridRegister.cpp      the published properties and the identifier tables of their types
//   view/QorGridView.cpp           display and real columns, current and edit cell access, the
//                                  current row, the used area
//   view/QorGridNodes.cpp          outline nodes: adding, expanding and contracting (by hiding or
//                                  suppressing the children), levels, spans, child rows
//   view/QorGridGroup.cpp          grouping by a column: header and summary rows, sub-groups,
//                                  merging and colouring them, group calculations
//   sortfilter/QorGridSort.cpp     sorting: column, index and group sorts, the return to the
//                                  order before sorting; sortfilter/SortKeys.h the sort engine
//   sortfilter/QorGridSortFilter.cpp  what the option objects ask of sorting and filtering, find
//   sortfilter/QorGridFilter.cpp   filtering: filter levels, narrow-down, the filter file
//   sortfilter/QorGridFilterList.cpp  filter drop-down lists and the filter edit row;
//                                  sortfilter/FilterLiteral.h exact conditions for chosen values
//   paint/QorGridPaint.cpp         painting hooks; DrawGridCell's layers over the per-cell context
//   paint/QorVisualProps.cpp       visual properties (their precedence), fonts, alignment, the
//                                  displayed text, widget room, colour blending
//   paint/QorCellText.cpp          the cell's text layer, rich text rendering, text measuring
//   paint/QorGridStyles.cpp        looks, the 24 component styles' palettes, colour tones, themes
//   paint/QorGridFrame.cpp         outer border, background beyond the cells, focus frame, sizing
//                                  lines, date-time and balloon notifications
//   paint/QorCellGlyphs.cpp        check box, radio and sort indicator glyphs
//   paint/CellWidgetPaint.cpp      the cell widget painters over the per-cell paint context
//   paint/QorCellWidgets.cpp       cell widget records and widget operations, comments, markers
//   paint/QorCellCheck.cpp         check boxes, radio groups and buttons, toggles, row box flags
//   paint/QorCellSizes.cpp         widget sizes on screen and in print, hit areas
//   paint/QorGridFooter.cpp        the floating footer's calculated row
//   paint/QorGridAppearance.cpp    appearance setters with side effects, theme registration
//   input/QorGridInput.cpp         window procedure, selection, editing hooks, search panel, balloons
//   exchange/QorGridExchange.cpp   the UTF-16 cell stream, column sizes, clipboard and paste hooks
//   sortfilter/QorGridFind.cpp     find, find all, replace, the incremental lookup, the
//                                  multi-column find
//   store/QorGridAutoSize.cpp      auto-size of columns, rows and cells, auto-numbering, swaps,
//                                  text margins and turned text's start point
//   print/QorGridPrint.cpp         print and preview entry points; print/QorGridPrintLayout.cpp and
//                                  print/BuildPages.h the page layout; print/QorPrintCells.cpp the
//                                  printed cells
//
// Index systems (written out in full in grid/view/HiddenRowMap.h). A column is a display column (counting only the shown columns; ColCount counts
// these) or a real column (counting hidden columns too; the cell store keeps every column at its
// real index). RealColIndex / RemapCol turn a display column into a real one, DisplColIndex /
// RemapColInv the reverse. Rows: the rows in the string grid are display rows (hidden rows leave it
// for the hidden-row store); a real row counts hidden rows too. RemapRowInv / RealRowIndex turn a
// display row into a real one, RemapRow / DisplRowIndex the reverse (note: RemapCol and RemapRow run
// in opposite directions). The original column of a position is FColumnOrder[position]; the row of
// a sorted grid before its first sort is found through the sort cross references (unsorted rows).
// Which family takes what:
//   - cell texts, properties, merges, the query hooks of store/QorGridHooks.cpp, SaveCell, LoadCell
//     and the per-cell events take (real column, display row) unless their line says otherwise;
//   - the framework's hooks (DrawCell, SelectCell, current cell, Col), CellRect, IsFixed, the
//     selection and the structural operations take display columns and display rows;
//   - DoInsertRow, DoDeleteRow and the undo log take real rows.
// Parameters named RCol hold a real column; ACol is a display column where the line says so.
#pragma once

#include "grid/BaseGrid.h"
#include "grid/QorGridConsts.h"
#include "grid/QorGridDefs.h"
#include "grid/QorGridEvents.h"
#include "grid/QorGridProps.h"
#include "grid/QorGridUnit.h"
#include "grid/store/QorGridOptions.h"
#include "grid/view/GridItem.h"
#include "grid/view/HiddenRowMap.h"
#include "graphics/QorStyleIF.h"
#include "graphics/QorUtil.h"

#include "framework/ImgList.h"
#include "framework/Menus.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <vector>

class TArrowWindow;
class TCellGraphic;
class TCustomImageList;
class TDragDropSettings;
class TDragScrollOptions;
class TDropCheckList;
class TDropList;
class TEditLink;
class TFilter;
namespace QorGridDetail {
struct TCompiledFilter;   // a filter parsed once for a pass (sortfilter/QorGridFilter.cpp)
}
class TFloatingFooter;
class TFooterPanel;
class TGridButton;
class TGridCheckBox;
class TGridCombo;
class TGridEditBtn;
class TGridFocusWindow;
class TGridTransCombo;
class TGridTransEdit;
class TGridUnitEditBtn;
class THeaderDragButton;
class THTMLHintWindow;
class THTMLPictureCache;
class TControlCombo;
class TControlEdit;
class TNoActiveForm;
class TPictureContainer;
class TQorGridPopup;
class TQorRichEdit;
class TQorStringGridCheck;
class TScrollBar;
class TScrollControl;
class TSearchPanel;
class TTimer;

namespace QorGridUnit {
// Moves ARect's top-left to the start point of text rotated by AAngle degrees whose extent
// projects to x1, x2 (horizontally) and y1, y2 (vertically); Right and Bottom stay
// (store/QorGridAutoSize.cpp).
void PositionText(TRect& ARect, TAlignment hal, TVAlignment val, int AAngle, int x1, int x2, int y1, int y2);
}  // namespace QorGridUnit

// ---- Cell look helpers (paint/QorVisualProps.cpp) ------------------------------------------------------

struct TCellPaintContext;
struct TBuildPages;

// The alignment a cell is painted with: horizontal and vertical.
struct TCellAlignment {
    TAlignment HAlign = taLeftJustify;
    TVAlignment VAlign = vtaTop;
};

// Col1 weighted by BlendFactor percent against Col2, channel by channel (halves to even, at most
// 255): 100 or more gives Col1; 0 or less, or Col1 clNone, gives Col2; Col2 clNone gives Col1.
TColor BlendColor(TColor Col1, TColor Col2, int BlendFactor);
// BlendColor(Color1, Color2, Factor) when UseMixer, else Color1.
TColor ColorMixer(TColor Color1, TColor Color2, bool UseMixer, int Factor);

// ---- Turned text (paint/QorCellText.cpp) ----------------------------------------------------------------

// The box a text W wide and H high takes when turned by Angle degrees: its width |cos| x W +
// |sin| x H, its height |sin| x WForHeight + |cos| x H (WForHeight: the width whose turn adds to the
// height), each product truncated toward zero, or rounded with RoundProducts, on its own.
TPoint RotatedTextExtent(int W, int H, int WForHeight, int Angle, bool RoundProducts);
// The start point of turned text: QorGridUnit::PositionText.

// ---- Listeners ---------------------------------------------------------------------------------------

// The one selection listener a grid keeps: told whenever a different cell becomes current.
class ITQorStringGridSelect {
public:
    virtual ~ITQorStringGridSelect() = default;
    virtual void CurrentCellChanged(int ACol, int ARow) = 0;
};

// What the grid's colour and image picker editors (a layer above the grid) tell it of the user's
// choice: DoColorSelect and DoImageSelect read it from the editor that reports.
class IGridColorChoice {
public:
    virtual ~IGridColorChoice() = default;
    virtual TColor ChosenColor() = 0;
    virtual String ChosenColorText() = 0;
};

class IGridImageChoice {
public:
    virtual ~IGridImageChoice() = default;
    virtual int ChosenImageIndex() = 0;
};

// A component told of every change of a grid's cells; descendants override CellsChanged. A grid
// keeps the notifiers registered with it (it does not own them) and calls them in registration
// order, before its OnCellsChanged.
class TGridChangeNotifier : public TComponent {
    DECLARE_CLASS(TGridChangeNotifier, TComponent)
public:
    explicit TGridChangeNotifier(TComponent* AOwner) : TComponent(AOwner) {}
    // R: left column, top row, right column, bottom row of the changed cells.
    virtual void CellsChanged(TRect R) {}
};

// ---- TQorStringGrid ----------------------------------------------------------------------------------

class TQorStringGrid : public TBaseGrid,
                       public IQorOptionsGrid,
                       public QorStyleIF::IJOQStyleEx,
                       public QorStyleIF::IJOQTones {
    DECLARE_CLASS(TQorStringGrid, TBaseGrid)
public:
    // ==== Construction and lifecycle (store/QorGridCreate.cpp, store/QorGridLifecycle.cpp) ====
    // Every owned option object, list, panel, window and editor control with its defaults; no
    // window yet. The unit has started when the first grid is made.
    explicit TQorStringGrid(TComponent* AOwner);
    // The footer panel through the virtual CreateFooter, once the object is complete.
    void AfterConstruction() override;
    // Expands nodes, drops filters, saves column sizes when asked, frees every cell's properties
    // up to the largest counts the grid ever had, then every owned object in order.
    ~TQorStringGrid() override;

    // Grids alive now: tests check that grids made and freed leave nothing behind.
    static int LiveCount();

    // Copies another TQorStringGrid's settings, option objects, counts, sizes and cells (other
    // sources are ignored).
    void Assign(TPersistent* Source) override;
    // After the stored description was read: minimums and maxima, option conversions, column
    // sizes, search footer, theme.
    void Loaded() override;
    // Swallows one invalidation after an edit change; also repaints a visible footer panel.
    void Invalidate() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect GetClientRect() override;
    // Shows or hides and enables the scroll bars as ScrollBarAlways asks (view/QorGridScroll.cpp).
    void UpdateScrollBars(bool Flag);
    // The Metro scroll indicators at the right and bottom edges, made when missing / freed.
    void CreateMetroScrollers();
    void DestroyMetroScrollers();

    // ==== Change notification (input/QorGridInput.cpp) ====
    // Nested paint batches; no effect while the grid is invisible.
    void BeginUpdate();
    void EndUpdate();
    int GetUpdateCount() const;
    void RegisterSelListener(ITQorStringGridSelect* AListener);
    // Clears the listener, whatever listener is passed.
    void UnRegisterSelListener(ITQorStringGridSelect* AListener);
    void RegisterNotifier(TGridChangeNotifier* ANotifier);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
    // The reactions to the option objects the constructor wires.
    void SearchChanged(TObject* Sender);
    void BalloonChange(TObject* Sender);
    void ModifiedChanged(TObject* Sender);
    void BandsChanged(TObject* Sender);
    void FixedFontChanged(TObject* Sender);
    void ColHeaderChanged(TObject* Sender);
    void RowHeaderChanged(TObject* Sender);
    void MergedColumnsChanged(TObject* Sender, int Col, int Row);
    void FilterDropDownChanged(TObject* Sender);
    void UnitChanged(TObject* Sender, const String& NewUnit);
    void HandleButtonClick(TObject* Sender);
    void ScrollbarMouseLeave(TObject* Sender);
    void DoFilterType(TObject* Sender);
    // The search panel's controls.
    void SearchEditChange(TObject* Sender);
    void SearchBackward(TObject* Sender);
    void SearchForward(TObject* Sender);
    void SearchExit(TObject* Sender);
    void SearchHighLight(TObject* Sender);
    void SearchMatchCase(TObject* Sender);
    // Lays the visible search panel out again for the current column widths.
    void UpdateSearchPanel();
    // Balloon tool tip of the grid: made once when balloons are enabled, removed again.
    void BalloonInit();
    void BalloonDone();
    HWND GetBalloonWindow() const;
    // Whether the class library's styles paint the grid (the framework has none: never).
    void InitVCLStyle(bool Force);

    // ==== Dimensions and simple setters (store/QorGridDims.cpp) ====
    int GetRowCountEx() const { return GetRowCount(); }
    // Keeps the suppressed sizes, the maximum, the wanted fixed rows and the footer row in step.
    void SetRowCountEx(int Value);
    int GetColCountEx() const { return GetColCount(); }
    // Keeps the per-column visibility and widths, the suppressed widths and the maximum in step.
    void SetColCountEx(int Value);
    // The framework's fixed rows, or 1 while FixedRowAlways keeps a grid of fixed rows only.
    int GetFixedRowsEx() const;
    void SetFixedRowsEx(int Value);
    int GetFixedColsEx() const;
    void SetFixedColsEx(int Value);
    int GetColEx() const { return GetCol(); }
    void SetColEx(int Value);
    int GetDefRowHeightEx() const { return GetDefaultRowHeight(); }
    int GetFixedColWidth() const { return GetColWidths(0); }
    // Every fixed column gets Value (nothing while loading or when Value is the default width).
    void SetFixedColWidth(int Value);
    // DefaultAlignment's setter (its getter is the virtual GetDefaultAlignment).
    void SetDefaultAlignment(TAlignment Value);
    bool GetWordWrapEx() const;
    void SetWordWrapEx(bool Value);
    bool GetAutoSizeP() const;
    void SetAutoSizeP(bool Value);
    TGridRect GetSelectionEx() const { return GetSelection(); }
    void SetSelectionEx(const TGridRect& Value);
    void SetSpreadSheet(bool Value);
    bool GetSpreadSheet() const;
    TScrollStyle GetScrollBarsEx() const;
    void SetScrollBarsEx(TScrollStyle Value);
    TCursor GetCursorEx() const;
    void SetCursorEx(TCursor Value);
    // Printed width and left edge of a column on the last printed page (0 before printing); a
    // column outside 0 .. AllColCount - 1 raises EQorGridError.
    int GetPrintColWidth(int ACol);
    int GetPrintColOffset(int ACol);
    // "8.4.2.2": the four bytes of GetVersionNr; setting it does nothing.
    String GetVersion();
    void SetVersion(const String&) {}
    // The largest counts the grid ever had and the wanted fixed counts.
    int GetMaxRowCount() const;
    int GetMaxColCount() const;
    int GetFixedRowsMin() const;
    int GetFixedColsMin() const;
    // Real columns: the shown ones and the hidden ones.
    int GetNumHidden() const;
    bool GetVisibleCol(int RCol) const;
    int GetAllColWidths(int RCol) const;

    // ==== Published option objects, lists and links (store/QorGridCreate.cpp) ====
    // Setters copy the given object into the owned one; links are kept with a free notification.
    TDragDropSettings* GetDragDropSettings() const;
    void SetDragDropSettings(TDragDropSettings* Value);
    TQorHintInfo* GetOfficeHint() const;
    void SetOfficeHint(TQorHintInfo* Value);
    TFont* GetActiveCellFont() const;
    void SetActiveCellFont(TFont* Value);
    TAutoColor* GetAutoColor() const;
    void SetAutoColor(TAutoColor* Value);
    TBalloonSettings* GetBalloon() const;
    void SetBalloonSettings(TBalloonSettings* Value);
    TBands* GetBands() const;
    void SetBands(TBands* Value);
    TBackGround* GetBackGround() const;
    void SetBackGround(TBackGround* Value);
    TCellNode* GetCellNode() const;
    void SetCellNode(TCellNode* Value);
    TQorStringGridCheck* GetCellChecker() const;
    void SetCellChecker(TQorStringGridCheck* Value);
    TStringList* GetColumnHeaders() const;
    void SetColumnHeaders(TStringList* Value);
    TColumnSize* GetColumnSize() const;
    void SetColumnSize(TColumnSize* Value);
    TControlLook* GetControlLook() const;
    void SetControlLook(TControlLook* Value);
    TDragScrollOptions* GetDragScrollOptions() const;
    void SetDragScrollOptions(TDragScrollOptions* Value);
    TFilter* GetFilter() const;
    void SetFilter(TFilter* Value);
    TFilterDropDown* GetFilterDropDown() const;
    void SetFilterDropDown(TFilterDropDown* Value);
    TFilterEdit* GetFilterEdit() const;
    void SetFilterEdit(TFilterEdit* Value);
    TPopupMenu* GetFixedDropDownMenu() const;
    void SetFixedDropDownMenu(TPopupMenu* Value);
    TFont* GetFixedFont() const;
    void SetFixedFont(TFont* Value);
    TFloatingFooter* GetFloatingFooter() const;
    void SetFloatingFooter(TFloatingFooter* Value);
    TFocusHelper* GetFocusHelper() const;
    void SetFocusHelper(TFocusHelper* Value);
    TCustomImageList* GetGridImages() const;
    void SetGridImages(TCustomImageList* Value);
    TGrouping* GetGrouping() const;
    void SetGrouping(TGrouping* Value);
    THoverButtons* GetHoverButtons() const;
    void SetHoverButtons(THoverButtons* Value);
    THTMLSettings* GetHTMLSettings() const;
    void SetHTMLSettings(THTMLSettings* Value);
    TStringList* GetLookupItems() const;
    void SetLookupItems(TStringList* Value);
    TMouseActions* GetMouseActions() const;
    void SetMouseActions(TMouseActions* Value);
    TNavigation* GetNavigation() const;
    void SetNavigation(TNavigation* Value);
    TPictureContainer* GetPictureContainer() const;
    void SetPictureContainer(TPictureContainer* Value);
    TQorGridPopup* GetPopupToolBar() const;
    void SetPopupToolBar(TQorGridPopup* Value);
    TPrintSettings* GetPrintSettings() const;
    void SetPrintSettings(TPrintSettings* Value);
    TGridProgressAppearance* GetProgressAppearance() const;
    void SetProgressAppearance(TGridProgressAppearance* Value);
    TStringList* GetRowHeaders() const;
    void SetRowHeaders(TStringList* Value);
    TBitmap* GetRowIndicator() const;
    void SetRowIndicator(TBitmap* Value);
    TSearchFooter* GetSearchFooter() const;
    void SetSearchFooter(TSearchFooter* Value);
    TShowModified* GetShowModified() const;
    void SetShowModified(TShowModified* Value);
    TSizeWhileTyping* GetSizeWhileTyping() const;
    void SetSizeWhileTyping(TSizeWhileTyping* Value);
    TSortSettings* GetSortSettings() const;
    void SetSortSettings(TSortSettings* Value);
    TSyncGrid* GetSyncGrid() const;
    void SetSyncGrid(TSyncGrid* Value);

    // ==== Published simple properties (QorGridProps.h; hand-written setters in their area) ====
    QOR_GRID_ALL_PROPS(QOR_GRID_PROP_DECLARE)

    // ==== Published events (QorGridEvents.h) ====
    // OnResize is the grid's own resize event (it hides the framework control's, which the grid
    // leaves unset); the grid fires it from Resize.
#define QOR_GRID_EVENT_DECLARE(Type, Name) Type Name;
    QOR_GRID_EVENTS(QOR_GRID_EVENT_DECLARE)
#undef QOR_GRID_EVENT_DECLARE

    static void RegisterProperties(TPropertyTable& Table);

    // ==== Public state other areas and users read (their areas' .cpp) ====
    // Check texts ("Y" and "N" after construction).
    const String& GetCheckTrueText() const;
    void SetCheckTrue(const String& Value);
    const String& GetCheckFalseText() const;
    void SetCheckFalse(const String& Value);
    // The grid's DPI factor: LOGPIXELSY / 96, at least 1; 1 on a form that is not scaled.
    double GetDPIScale() const;
    bool GetIsWinXP() const;
    bool GetIsWin7() const;
    bool GetIsWinVista() const;
    bool GetIsComCtl6() const;
    // The child controls the constructor made (for the areas that show them and for tests).
    TFooterPanel* GetFooterPanel() const;
    TSearchPanel* GetSearchPanel() const;
    TDropList* GetDropList() const;
    TDropCheckList* GetDropCheckList() const;
    TImageList* GetFilterImages() const;
    // The value list of the open filter drop-down (sorted, duplicates ignored).
    TStringList* GetFilterList() const;
    TPopupMenu* GetFilterPopup() const;
    TGridFocusWindow* GetFocusWindow() const;
    TCellGraphic* GetSharedCellGraphic() const;
    TIntList* GetColumnOrder() const;
    // The columns whose equal neighbours merge, in merge order; a change merges again.
    TIntList* GetMergedColumns() const { return FLists.FMergedColumns.get(); }
    TIntList* GetIgnoreColumns() const;
    TSortIndexList* GetSortIndexes() const;
    const TGridItems& GetGridItems() const { return FLists.FGridItems; }
    // Validation of an unchanged edit (off after construction).
    bool GetAlwaysValidate() const { return FEdit.FAlwaysValidate; }
    void SetAlwaysValidate(bool Value) { FEdit.FAlwaysValidate = Value; }
    // Printing (public, not stored): FastPrint skips the counting pass; PreviewPage sets the drawn
    // page range to one page; PrintNrOfPages is the page count of the last counting pass;
    // PrinterDriverFix turns rotated text the other way on printers that rotate it the other way.
    bool GetFastPrint() const { return FPrint.FFastPrint; }
    void SetFastPrint(bool Value) { FPrint.FFastPrint = Value; }
    void SetPreviewPage(int Value) { FPrint.FPrintPageFrom = FPrint.FPrintPageTo = Value; }
    int GetPrintPageFrom() const { return FPrint.FPrintPageFrom; }
    int GetPrintPageTo() const { return FPrint.FPrintPageTo; }
    int GetPrintNrOfPages() const { return FPrint.FPrintNrOfPages; }
    bool GetPrinterDriverFix() const { return FPrint.FPrinterDriverFix; }
    void SetPrinterDriverFix(bool Value) { FPrint.FPrinterDriverFix = Value; }
    // The focus frame follows the current cell: placed 4 pixels around it when in view, else hidden.
    void MoveFocusHelper();
    void HideFocusHelper();
    // Save range of the file and stream writers: 0 when fixed cells are saved, else the fixed counts.
    int GetSaveStartCol();
    int GetSaveStartRow();
    int GetSaveEndCol();
    int GetSaveEndRow();
    // What the file and stream writers save: fixed cells, the displayed texts of virtual cells,
    // merged cells' own texts, markup, hidden columns.
    bool GetSaveFixedCells() const { return FText.FSaveFixedCells; }
    void SetSaveFixedCells(bool Value) { FText.FSaveFixedCells = Value; }
    bool GetSaveVirtCells() const { return FText.FSaveVirtCells; }
    void SetSaveVirtCells(bool Value) { FText.FSaveVirtCells = Value; }
    bool GetSaveMergedCells() const { return FText.FSaveMergedCells; }
    void SetSaveMergedCells(bool Value) { FText.FSaveMergedCells = Value; }
    bool GetSaveWithHTML() const { return FText.FSaveWithHTML; }
    void SetSaveWithHTML(bool Value) { FText.FSaveWithHTML = Value; }
    bool GetSaveHiddenCells() const { return FText.FSaveHiddenCells; }
    void SetSaveHiddenCells(bool Value) { FText.FSaveHiddenCells = Value; }
    // The UTF-16 cell stream (exchange/QorGridExchange.cpp): a size line, width lines and one line
    // per non-empty cell of the save range.
    void SaveToStream(TStream* Stream);
    void LoadFromStream(TStream* Stream);
    // Column sizes under ColumnSize.Key / Section in an INI file or the registry ("Col" + index).
    void SaveColSizes();
    void LoadColSizes();
    // The cell's font: the grid's font without cell properties, else a scratch font shared by
    // every call.
    TFont* GetCellFont(int RCol, int ARow);
    // Detaches and frees the cell's own widget record (the shared record is only detached);
    // false when it had none.
    bool FreeCellGraphic(int RCol, int ARow);
    // Whether the cell (real column, real row) has a check box; State receives whether it is
    // checked and is left alone otherwise.
    bool GetCheckBoxState(int RCol, int ARow, bool& State);
    // Whether the base cell of the cell's merged area has a check box.
    bool HasCheckBox(int RCol, int ARow);
    // The last row lies under the floating footer (its writes update the footer).
    void SetHideLastRow(bool Value) { FHideLastRow = Value; }
    // Empty rows: ClearRect over every real column of the rows.
    void ClearRows(int RowIndex, int RCount);

    // ==== Cell widgets (paint/QorCellWidgets.cpp) ====
    // Every widget of a cell is one TCellGraphic record (grid/paint/CellGraphic.h). Columns are
    // real and rows display rows unless a line says otherwise. The Add operations raise "Invalid
    // cell" for a cell outside the grid (hidden columns and rows included) or a negative index;
    // queries answer false, nil, -1 or ctEmpty for such cells and change nothing.
    // A new empty record (ctNone) replaces the cell's own record; the text of an empty cell stays
    // empty. The grid's shared record is never freed by a cell.
    TCellGraphic* CreateCellGraphic(int RCol, int ARow);
    // FreeCellGraphic when the cell's kind is CellType; else false.
    bool RemoveCellGraphic(int RCol, int ARow, TCellType CellType);
    // Whether the base cell of the merged area holding the cell has a record of a kind in CTSet.
    bool IsCellGraphic(int RCol, int ARow, std::initializer_list<TCellType> CTSet);
    bool HasDataCheckBox(int RCol, int ARow);
    bool HasButton(int RCol, int ARow);
    bool HasBalloon(int RCol, int ARow);
    bool IsRadio(int RCol, int ARow);
    bool HasExpand(int RCol, int ARow);
    bool HasProgress(int RCol, int ARow);
    bool HasShape(int RCol, int ARow);
    bool HasRating(int RCol, int ARow);
    bool HasScrollBar(int RCol, int ARow);
    bool HasAutoRangeScrollBar(int RCol, int ARow);
    bool HasDataImage(int RCol, int ARow);
    bool HasDataPicture(int RCol, int ARow);
    // Pictures, bitmaps, icons: Add keeps the caller's object, Create makes one the record owns.
    void AddPicture(int RCol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                    TCellHAlign hal, TCellVAlign val);
    TPicture* CreatePicture(int RCol, int ARow, bool Transparent, TStretchMode StretchMode, int padding,
                            TCellHAlign hal, TCellVAlign val);
    TPicture* GetPicture(int RCol, int ARow);
    bool HasPicture(int RCol, int ARow) { return GetPicture(RCol, ARow) != nullptr; }
    void RemovePicture(int RCol, int ARow);
    void AddFilePicture(int RCol, int ARow, TFilePicture* AFilePicture, bool Transparent, TStretchMode StretchMode,
                        int padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(int RCol, int ARow, bool Transparent, TStretchMode StretchMode, int padding,
                                    TCellHAlign hal, TCellVAlign val);
    TFilePicture* GetFilePicture(int RCol, int ARow);
    bool HasFilePicture(int RCol, int ARow) { return GetFilePicture(RCol, ARow) != nullptr; }
    void RemoveFilePicture(int RCol, int ARow);
    void AddBitmap(int RCol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitmap(int RCol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* GetBitmap(int RCol, int ARow);
    bool HasBitmap(int RCol, int ARow) { return GetBitmap(RCol, ARow) != nullptr; }
    void RemoveBitmap(int RCol, int ARow);
    void AddIcon(int RCol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    TIcon* CreateIcon(int RCol, int ARow, TCellHAlign hal, TCellVAlign val);
    void RemoveIcon(int RCol, int ARow);
    void AddInterfacedCell(int RCol, int ARow, TInterfacedPersistent* AObject);
    TInterfacedPersistent* GetInterfacedCell(int RCol, int ARow);
    void RemoveInterfacedCell(int RCol, int ARow);
    // Image-list images: nothing while GridImages is not assigned.
    void AddImageIdx(int RCol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool GetImageIdx(int RCol, int ARow, int& idx);
    void SetImageIdx(int RCol, int ARow, int Idx);
    void RemoveImageIdx(int RCol, int ARow);
    // The shown image is the index in the cell text (written when the text is empty).
    void AddDataImage(int RCol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    void RemoveDataImage(int RCol, int ARow);
    // The shown picture is the picture container's picture named by the cell text.
    void AddDataPicture(int RCol, int ARow, const String& AName, TCellHAlign hal, TCellVAlign val);
    void RemoveDataPicture(int RCol, int ARow);
    // Several images; callers add indexes to the returned list, whose changes repaint the cell.
    void AddMultiImage(int RCol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
    TIntList* GetCellImages(int RCol, int ARow);
    void RemoveMultiImage(int RCol, int ARow);
    void MultiImageChanged(TObject* Sender, int RCol, int ARow);
    // Progress bars, pies, gauges, range indicators, shapes, ratings.
    void AddProgress(int RCol, int ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(int RCol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
    void AddProgressFormatted(int RCol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                              TColor BKTextColor, const String& Fmt, int Min, int Max, double Scale);
    void RemoveProgress(int RCol, int ARow);
    void AddProgressPie(int RCol, int ARow, TColor Color, int Value);
    void SetProgressPie(int RCol, int ARow, int Value);
    void RemoveProgressPie(int RCol, int ARow);
    void AddQorProgress(int RCol, int ARow, int Min, int Max);
    void RemoveQorProgress(int RCol, int ARow);
    void AddRangeIndicator(int RCol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
    void RemoveRangeIndicator(int RCol, int ARow);
    void AddShape(int RCol, int ARow, QorUtil::TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                  TCellVAlign val);
    // The fill colour; clNone for other cells.
    TColor GetShapeColor(int RCol, int ARow);
    void SetShapeColor(int RCol, int ARow, TColor FillColor);
    void RemoveShape(int RCol, int ARow);
    void AddRating(int RCol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
    void RemoveRating(int RCol, int ARow);
    // In-cell scroll bars (on the base cell of a merged area).
    void AddScrollBar(int RCol, int ARow, bool AutoRange);
    void RemoveScrollBar(int RCol, int ARow);
    void SetScrollPosition(int RCol, int ARow, int Pos);
    int GetScrollPosition(int RCol, int ARow);
    void SetScrollProp(int RCol, int ARow, TScrollProp Prop);
    TScrollProp GetScrollProp(int RCol, int ARow);
    // Buttons. SetButtonText, GetButtonText and PushButton take a display column.
    void AddButton(int RCol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val);
    void AddBitButton(int RCol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                      TCellVAlign val);
    TBitmap* CreateBitButton(int RCol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                             TCellVAlign val);
    void RemoveButton(int RCol, int ARow);
    void RemoveBitButton(int RCol, int ARow);
    void RemoveAllButtons();
    void SetButtonText(int ACol, int ARow, const String& Caption);
    String GetButtonText(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool push);
    // Rotated text.
    void AddRotated(int RCol, int ARow, int AAngle, const String& s);
    bool IsRotated(int RCol, int ARow, int& aAngle);
    void SetRotated(int RCol, int ARow, int AAngle);
    void RemoveRotated(int RCol, int ARow);
    // Expandable cells (on the base cell).
    void AddExpand(int RCol, int ARow, int ExpandedHeight);
    void RemoveExpand(int RCol, int ARow);
    bool ToggleExpand(int RCol, int ARow);
    bool GetExpandState(int RCol, int ARow);
    int GetExpandHeight(int RCol, int ARow, bool Expanded);
    // Balloons: a title, a text and an icon.
    void AddBalloon(int RCol, int ARow, const String& Title, const String& Text, TBalloonIcon Icon);
    void RemoveBalloon(int RCol, int ARow);
    bool IsBalloon(int RCol, int ARow, String& Title, String& Text, TBalloonIcon& Icon);
    // Comments, kept in any record.
    void AddComment(int RCol, int ARow, const String& Comment);
    void AddColorComment(int RCol, int ARow, const String& Comment, TColor Color);
    void SetComment(int RCol, int ARow, const String& Value);
    bool IsComment(int RCol, int ARow, String& comment);
    String GetComment(int RCol, int ARow);
    void RemoveComment(int RCol, int ARow);
    void RemoveAllComments();
    // Text markers: a character range of the cell text shown marked.
    void AddMarker(int RCol, int ARow, int ErrPos, int ErrLen);
    void GetMarker(int RCol, int ARow, int& ErrPos, int& ErrLen);
    void RemoveMarker(int RCol, int ARow);
    void RemoveAllMarkers();
    // Sort key of image cells: image index, or a number equal exactly for cells sharing one
    // bitmap or icon object; -1 for other cells.
    int GetCellImageIdx(int RCol, int ARow);
    void SetImages(TCustomImageList* Value);
    bool ShouldDrawSortIndicator(int ACol, int ARow);

    // ==== Cell visual properties, text measuring (paint/QorVisualProps.cpp, paint/QorCellText.cpp) ====
    // The font of a cell alone (fixed or normal font, the cell's font properties, GetCellColor).
    void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState AState, TFont* AFont, TBrush* ABrush,
                           bool Remap);
    // Default alignments, automatic number alignment or the cell's own, then OnGetAlignment.
    TCellAlignment GetCellAlignment(int RCol, int ARow);
    // The cell's widget record (or none), its room W x H, whether the text shows beside it and
    // its placement.
    TCellGraphic* GetGraphicDetails(int RCol, int ARow, int& W, int& H, bool& DisplText, TCellHAlign& HA,
                                    TCellVAlign& VA);
    // The pixel size of a cell's text as painted: RCol a real column; VS word-wrapped in the
    // cell's width; SB leaves 17 pixels for a scroll bar.
    TPoint GetCellTextSize(int RCol, int ARow, bool VS, bool SB);
    // ACol: display column (editing state, fixed test, rectangle, editor, rotation, rich text);
    // RCol: real column (text, properties); ColSize: no width limit.
    TPoint GetCellTextSizeInt(int ACol, int RCol, int ARow, bool ColSize, bool VS, bool SB);
    // Renders a rich-text cell (display column) into ARect of a screen or printer canvas.
    void RTFPaint(int ACol, int ARow, TRect ARect, TCanvas* Canvas);
    // The fixed cell under the mouse (or the column being moved) in a look that shows it.
    bool HoverFixedCell(int ACol, int ARow);
    // Whether a cell shows its text as password characters (OnIsPasswordCell).
    bool IsPassword(int RCol, int ARow);
    // Repaints the header cells of the old and the new current cell (display indexes).
    void UpdateActiveCells(int co, int ro, int cn, int rn);

    // ==== Check boxes and radio buttons (paint/QorCellCheck.cpp) ====
    // State getters and setters take real rows and reach hidden rows; SetCheckBoxStateInt takes
    // a display row and fires OnCheckBoxChange only on a change.
    void AddCheckBox(int RCol, int ARow, bool State, bool Data);
    void AddCheckBox(int RCol, int ARow, TCheckBoxState State);
    void AddCheckBoxColumn(int RCol, bool DefaultState = false, bool DataCheckBox = false);
    void AddTriStateCheckBoxColumn(int RCol, TCheckBoxState State);
    void RemoveCheckBoxColumn(int RCol);
    void RemoveCheckBox(int RCol, int ARow);
    void AddRadioButton(int RCol, int ARow, bool State = false);
    void AddRadioButtonGroup(int RCol, int ARow, int Group, bool State = false);
    void AddRadioButtonColumn(int RCol);
    void AddRadioButtonGroupColumn(int RCol);
    void RemoveRadioButton(int RCol, int ARow);
    void RemoveRadioButtonColumn(int RCol);
    void AddRadio(int RCol, int ARow, int DirRadio, int IdxRadio, TStrings* sl);
    TStrings* CreateRadio(int RCol, int ARow, int DirRadio, int IdxRadio);
    void RemoveRadio(int RCol, int ARow);
    static TCheckBoxState BoolToCheckBoxState(bool bChecked) { return bChecked ? cbChecked : cbUnchecked; }
    bool GetCheckBoxState(int RCol, int ARow, TCheckBoxState& State);
    bool IsChecked(int RCol, int ARow);
    bool SetCheckBoxState(int RCol, int ARow, TCheckBoxState State);
    bool SetCheckBoxState(int RCol, int ARow, bool State);
    bool SetCheckBoxStateInt(int RCol, int ARow, bool State);
    void CheckAll(int RCol);
    void UnCheckAll(int RCol);
    bool IsDataCheckCol(int RCol);
    bool HasDataCell(int RCol, int ARow);
    bool HasStaticEdit(int RCol, int ARow);
    bool GetRadioIdx(int RCol, int ARow, int& IdxRadio);
    bool SetRadioIdx(int RCol, int ARow, int IdxRadio);
    TStrings* GetRadioStrings(int RCol, int ARow);
    bool HasRadioButton(int RCol, int ARow);
    bool HasRadioButtonGroup(int RCol, int ARow, TRadioButtonGroup Group);
    bool IsRadioButtonChecked(int RCol, int ARow);
    bool SetRadioButtonState(int RCol, int ARow, bool State);
    void SetRadioButtonRowIndex(int ARow, int Index);
    void SetRadioButtonColumnIndex(int RCol, int Index);
    int GetRadioButtonColumnIndex(int RCol);
    bool ToggleCheckBox(int RCol, int ARow) { return ToggleCheck(RCol, ARow, false); }
    bool ToggleRadio(int RCol, int ARow, bool FromEdit);
    // Set by the toggles (and by editing); cleared by the user of the grid.
    bool GetModified() const { return FEdit.FModified; }
    void SetModified(bool Value) { FEdit.FModified = Value; }

    // ==== Widget sizes and hit areas (paint/QorCellSizes.cpp) ====
    bool IsInCheckBox(int RCol, int ARow, int XPos, int YPos);
    // ACol: a display column.
    TRect ButtonRect(int ACol, int ARow);
    TRect ExpandRect(int ACol, int ARow);

    // ==== Footer and appearance (paint/QorGridFooter.cpp, paint/QorGridAppearance.cpp) ====
    // Invalidates the footer panel.
    void UpdateFooter();
    // Sets XYOffset without repainting.
    void UpdateXYOffset(int X, int Y);
    TPoint GetXYOffset() const { return FText.FTextOffset; }
    void SetXYOffset(TPoint Value);
    TPoint GetXYRTFOffset() const { return FText.FRTFOffset; }
    void SetXYRTFOffset(TPoint Value);
    int GetZoomFactor() const { return FDims.FZoomFactor; }
    void SetZoomFactor(int Value);

    // ==== Scroll bars, drag and smooth scrolling (view/QorGridScroll.cpp) ====
    // Flat scroll bars: each routine looks its entry point up by name in the already loaded
    // common controls module at every call and does nothing without it (never loads it).
    // FlatInit: FIsFlat tells whether "InitializeFlatSB" was found. FlatDone clears FIsFlat first.
    void FlatInit();
    void FlatDone();
    // Only while FIsFlat.
    void FlatSetScrollProp(int Index, int NewValue, bool FRedraw);
    void FlatSetScrollInfo(int Code, SCROLLINFO& ScrollInfo, bool FRedraw);
    // Only while FIsFlat and when ScrollBars has the bar.
    void FlatShowScrollBar(int Code, bool Show);
    // The flat bars' mode (ScrollType), background colour (unless clNone) and width (ScrollWidth).
    void UpdateType();
    void UpdateColor();
    void UpdateWidth();
    // With flat bars: the window's bar state (range, page, position) copied to the flat bar.
    void UpdateVScrollBar();
    void UpdateHScrollBar();
    // Mode, colour, width, then each flat bar shown (and copied) when its lines do not all fit.
    void FlatUpdate();
    // The proportional thumbs (ScrollProportional): the bar's range and page from the share of
    // the rows (columns) in view. The sizes are added up by the axis's running sums, never row
    // by row at a paint.
    void UpdateVScroller();
    void UpdateHScroller();
    bool GetScrollLock() const { return FScroll.FScrollLock; }
    // The drag-scroll timer's step (one row and/or column towards the margin the drag rests in)
    // and the smooth-scroll timer's step (FScrollDelta rows or columns, FScrollSteps times).
    void DragTimerProc(TObject* Sender);
    void ScrollTimerProc(TObject* Sender);
    // The quick pan's continuation: Steps steps of Delta rows (Vert) or columns on the 10 ms timer.
    void StartSmoothScroll(int Steps, int Delta, bool Vert);
    // The drag-scroll timer while a drag hovers in a margin (owned by the parent), else null.
    TTimer* GetDragTimer() const { return FScroll.FDragTmr; }
    TDragScrollDirection GetDragScrollDirection() const { return FScroll.FDragScrollDirection; }
    // Test seam: the module the flat entry points are looked up in ("comctl32.dll").
    static String FlatScrollModuleName;

    // ==== Column stretching and size changes (view/QorGridStretch.cpp) ====
    // ACol -1: the last column; NewWidth -1: the client width. Raises "Stretch column index out
    // of range" for ACol outside -1 .. ColCount - 1. Widths never go below 0.
    void StretchColumn(int ACol, int NewWidth);
    // Turns StretchAll and Stretch on and stretches.
    void StretchColumns();
    void StretchRightColumn();
    // The user's sizing of a line with the mouse, as the grid's mouse handling reports it: the
    // line and its size when sizing began, then the end (which the size hooks act on).
    void BeginLineSizing(TGridAxisKind A, int Index);
    void EndLineSizing(TGridAxisKind A);
    // The column-move arrows' colour (ArwU's; the setter sets all four).
    TColor GetArrowColor() const;
    void SetArrowColor(TColor Value);

    // ==== Cell access by index (store/QorGridAccess.cpp) ====
    // Index systems: see grid/view/HiddenRowMap.h. By real column and real row, hidden rows
    // included. HiddenRow: the stored row of a hidden row, nullptr for a shown one.
    TGridItem* HiddenRow(int RealRow);
    String GetCellsEx(int RCol, int RealRow);
    void SetCellsEx(int RCol, int RealRow, const String& Value);
    String GetGridCellsEx(int RCol, int RealRow);
    void SetGridCellsEx(int RCol, int RealRow, const String& Value);
    WideString GetWideCellsEx(int RCol, int RealRow) { return GetCellsEx(RCol, RealRow); }
    void SetWideCellsEx(int RCol, int RealRow, const WideString& Value) { SetCellsEx(RCol, RealRow, Value); }
    NativeUInt GetObjectsEx(int RCol, int RealRow);
    void SetObjectsEx(int RCol, int RealRow, NativeUInt AObject);
    // The raw object slot (the cell's properties or nothing).
    TObject* GetAllGraphicsObject(int RCol, int RealRow);
    // By display column and display row.
    String GetRealCell(int ACol, int ARow);
    void SetRealCell(int ACol, int ARow, const String& Value);
    // By original column (before columns moved) and display row.
    String GetOriginalCells(int OCol, int ARow);
    void SetOriginalCells(int OCol, int ARow, const String& Value);
    // Unsorted rows: the row a display row was before sorting, and back.
    int SortedRowIndex(int ARow);
    int UnSortedRowIndex(int ARow);
    String GetUnSortedCell(int RCol, int URow);
    void SetUnSortedCell(int RCol, int URow, const String& Value);
    TEditorType GetCurrentEditor() const { return FEdit.FEditControl; }
    // Rich text: a cell into a rich edit (an empty cell or text the control cannot read clears
    // it), a rich edit's content as rich text (empty while the grid is destroyed), and that text
    // written into a cell.
    void CellToRich(int RCol, int ARow, TQorRichEdit* Richeditor);
    String RichToString(TQorRichEdit* Richeditor);
    void RichToCell(int RCol, int ARow, TQorRichEdit* Richeditor);
    // The hidden rich edit that renders and measures rich cells, made on first use.
    TQorRichEdit* GetRichEdit();
    // Fires OnRichEditSelectionChange (the rich-text editor's selection moved).
    void RichSelChange(TObject* Sender);
    // Plain text of a cell (markup stripped, rich text through the hidden rich edit); lines; links.
    String GetStrippedCell(int RCol, int ARow);
    int GetLinesInCell(int RCol, int ARow);
    bool HasHyperlink(int RCol, int ARow);
    // The first link of the cell, in the cell's own case (up to a quote or the end).
    String GetHyperlink(int RCol, int ARow);
    void GetHyperlinkDetails(int RCol, int ARow, String& URL, String& Text);
    // Per-cell look by storage coordinates; getters create nothing (WordWraps excepted).
    TColor GetColors(int RCol, int ARow);
    void SetColors(int RCol, int ARow, TColor Value);
    TColor GetColorsTo(int RCol, int ARow);
    void SetColorsTo(int RCol, int ARow, TColor Value);
    TCellGradientDirection GetGradientDir(int RCol, int ARow);
    void SetGradientDir(int RCol, int ARow, TCellGradientDirection Value);
    bool GetReadOnly(int RCol, int ARow);
    void SetReadOnly(int RCol, int ARow, bool Value);
    bool GetWordWraps(int RCol, int ARow);
    void SetWordWraps(int RCol, int ARow, bool Value);
    TColor GetFontColors(int RCol, int ARow);
    void SetFontColors(int RCol, int ARow, TColor Value);
    TFontStyles GetFontStyles(int RCol, int ARow);
    void SetFontStyles(int RCol, int ARow, TFontStyles Value);
    String GetFontNames(int RCol, int ARow);
    void SetFontNames(int RCol, int ARow, const String& Value);
    int GetFontSizes(int RCol, int ARow);
    void SetFontSizes(int RCol, int ARow, int Value);
    TAlignment GetAlignments(int RCol, int ARow);
    void SetAlignments(int RCol, int ARow, TAlignment Value);
    void SetCellFont(int RCol, int ARow, TFont* AFont);
    // Row colours of a display row; clNone resets the colour and drops only records left at
    // their defaults with nothing hanging on them.
    void SetRowColor(int ARow, TColor AColor);
    void SetRowColorTo(int ARow, TColor AColor);
    void SetRowFontColor(int ARow, TColor AColor);
    int GetAllColCount() { return GetColCount() + FDims.FNumHidden; }
    int GetAllRowCount() { return GetRowCount() + NumHiddenRows(); }
    int GetLastCol() const { return GetColCount() - 1; }
    int GetLastRow() const { return GetRowCount() - 1; }
    // A real column outside the grid is ignored.
    void SetAllColWidths(int RCol, int Value);
    // Controls placed in cells, by real column and display row. The grid never owns them; a cell
    // keeps one control, kept in the control list by its real row as well.
    TControl* GetCellControls(int RCol, int ARow);
    // Null takes the cell's control off it (the control stays where it is); a control becomes
    // the grid's child on the cell's screen rectangle, one pixel narrower and lower.
    void SetCellControls(int RCol, int ARow, TControl* AControl);
    // Whether hints show markup: the application's hint window class follows it.
    bool GetUseHTMLHints() const { return FHints.FUseHTMLHints; }
    void SetUseHTMLHints(bool Value);
    bool GetUseStyleServices() const { return FLookState.FUseStyleServices; }
    void SetUseStyleServices(bool Value);

    // ==== Hidden rows and columns (view/QorGridHidden.cpp) ====
    void HideRow(int RealRow) { HideRows(RealRow, RealRow); }
    void HideRows(int FromRealRow, int ToRealRow);
    // Display rows, ascending: one filter level (rows stored by their real index).
    void HideRowList(TIntList* RowList);
    void HideRowsEx(int FromRealRow, int ToRealRow);
    void UnHideRow(int RealRow) { UnHideRows(RealRow, RealRow); }
    void UnHideRows(int FromRealRow, int ToRealRow);
    void UnHideRowsAll();
    // Restores the rows of the top filter level (nothing at level 0); rows hidden by range stay.
    void UnHideRowList();
    // Restores every hidden row in one pass (node expansion).
    void ExpandFast() { UnHideRowsAll(); }
    bool IsHiddenRow(int RealRow);
    bool IsHiddenRow(int RealRow, TIntList*& ListHidden);
    int NumHiddenRows() const;
    int TotalRowCount() { return GetRowCount() + NumHiddenRows(); }
    int RemapRow(int RealRow);
    int DisplRowIndex(int RealRow) { return RemapRow(RealRow); }
    int RemapRowInv(int ARow);
    int RealRowIndex(int ARow) override { return RemapRowInv(ARow); }
    int GetRealRow() { return RemapRowInv(GetRow()); }
    void InitHiddenRowLookup();
    void DestroyHiddenRowLookup();
    void HideColumn(int RCol) { HideColumns(RCol, RCol); }
    void UnHideColumn(int RCol) { UnHideColumns(RCol, RCol); }
    void HideColumns(int FromRCol, int ToRCol);
    void UnHideColumns(int FromRCol, int ToRCol);
    void UnHideColumnsAll();
    bool IsHiddenColumn(int RCol);
    int NumHiddenColumns() const { return FDims.FNumHidden; }
    int RemapCol(int ACol) { return RealColIndex(ACol); }
    int RemapColInv(int RCol) { return DisplColIndex(RCol); }
    int GetRealCol() { return RealColIndex(GetCol()); }
    void SetVisibleCol(int RCol, bool AValue);
    bool IsIgnoredColumn(int ACol);
    int GetRowEx() const { return GetRow(); }
    int GetTopRowEx() const { return GetTopRow(); }
    void SetTopRowEx(int Value);

    // ==== Suppressed rows and columns, moves, parked selection (view/QorGridSuppress.cpp) ====
    void SuppressColumn(int ACol);
    bool IsSuppressedColumn(int ACol);
    void UnSuppressColumn(int ACol);
    void UnSuppressAllColumns();
    void SuppressRow(int ARow);
    void SuppressRows(int FromRow, int ToRow);
    bool IsSuppressedRow(int ARow);
    void UnSuppressRow(int ARow);
    void UnSuppressRows(int FromRow, int ToRow);
    void UnSuppressAllOpenRows();
    void UnSuppressAllRows();
    void ScrollInView(int ACol, int ARow, TScrollPosition Position);
    // Display columns; the column's cells, widths, visibility, order, filter conditions and cell
    // controls move with it.
    void MoveColumn(int FromIndex, int ToIndex);
    // A block of display rows with their cells, heights and side lists; hidden rows keep theirs.
    void MoveRows(int FromIndex, int ToIndex, int Count);
    void MoveRow(int FromIndex, int ToIndex);
    void HideSelection();
    void UnHideSelection();
    bool IsSelectionHidden() const;
    void UpdateEditMode() { SelectCell(GetCol(), GetRow()); }
    void ScreenToCell(TPoint pt, int& ACol, int& ARow);
    bool InSizeZone(int x, int y);
    // Exchanges two display rows with every real column and their heights and side lists.
    void SwapRows(int ARow1, int ARow2);

    // ==== Auto-size, auto-number, swaps and text layout (store/QorGridAutoSize.cpp) ====
    // Columns are display columns, rows display rows. Widths and heights pass through CheckLimits
    // with MinColWidth/MaxColWidth (MinRowHeight/MaxRowHeight); SizeGrowOnly keeps sizes from
    // shrinking. Measuring is the painting's (GetCellTextSizeInt); SizeToWidth measures each
    // distinct plain text of a column once when nothing per cell can change its look.
    void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
    void AutoSizeColumns(bool DoFixedCols, int Padding = 0);
    void AutoGrowColumns(bool DoFixedCols, int Padding = 0);
    void AutoSizeCol(int ACol, int Padding = 0);
    void AutoGrowCol(int ACol, int Padding = 0);
    void SizeToWidth(int ACol, bool inconly);
    void SizeToHeight(int ARow, bool inconly, int Padding = 0);
    void AutoSizeRow(int ARow, int Padding = 0);
    void AutoSizeRows(bool DoFixedRows, int Padding = 0);
    void SizeToLines(int ARow, int Lines, int Padding = 0);
    // The control's client width (height) becomes the sum of the column widths (row heights).
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    // Scales the columns to fill the control's width, keeping their proportions.
    void AutoFitColumns(bool DoFixedCells);
    // Numbers the normal rows of column ACol (the normal columns of row ARow) with SetInts.
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    // Exchanges two display columns: their cells (hidden columns stay), widths and cell controls.
    void SwapColumns(int ACol1, int ACol2);
    // Exchanges the raw texts and objects of two cells in storage coordinates; no repaint.
    void SwapCells(TGridCoord FromCell, TGridCoord ToCell);
    // The horizontal (vertical) room of a cell's text margins.
    int XOffsetSize() const;
    int YOffsetSize() const;
    // The longest line, in characters, of the column's texts as saved to files.
    int MaxCharsInCol(int ACol);
    // The largest line count among the row's cells (1 without MultilineCells).
    int MaxLinesInRow(int ARow);
    // The start point of AAngle-degree text ATxt in ARect (canvas font); sz its extent.
    void CalcTextPos(TRect& ARect, TSize& sz, int AAngle, const String& ATxt, TAlignment hal, TVAlignment val);
    int GetMinColWidth() const { return FDims.FMinColWidth; }
    void SetMinColWidth(int Value) { FDims.FMinColWidth = Value; }
    int GetMaxColWidth() const { return FDims.FMaxColWidth; }
    void SetMaxColWidth(int Value) { FDims.FMaxColWidth = Value; }
    int GetMinRowHeight() const { return FDims.FMinRowHeight; }
    void SetMinRowHeight(int Value) { FDims.FMinRowHeight = Value; }
    int GetMaxRowHeight() const { return FDims.FMaxRowHeight; }
    void SetMaxRowHeight(int Value) { FDims.FMaxRowHeight = Value; }
    bool GetSizeGrowOnly() const { return FDims.FSizeGrowOnly; }
    void SetSizeGrowOnly(bool Value) { FDims.FSizeGrowOnly = Value; }
    bool GetXYOffsetTopLeftOnly() const { return FPaint.FXYOffsetTopLeftOnly; }
    void SetXYOffsetTopLeftOnly(bool Value) { FPaint.FXYOffsetTopLeftOnly = Value; }
    int GetAutoNumberStart() const { return FAutoNum.FStart; }
    void SetAutoNumberStart(int Value) { FAutoNum.FStart = Value; }
    int GetAutoNumberOffset() const { return FAutoNum.FOffset; }
    void SetAutoNumberOffset(int Value) { FAutoNum.FOffset = Value; }
    TSortDirection GetAutoNumberDirection() const { return FAutoNum.FDirection; }
    void SetAutoNumberDirection(TSortDirection Value) { FAutoNum.FDirection = Value; }

    // ==== Nodes (view/QorGridNodes.cpp) ====
    // A node is a ctNode record in the node column (CellNode.NodeColumn, a real column) of its row:
    // FCellIndex its span (rows covered, node row included, counted in real rows), FCellBoolean
    // contracted, FCellErrFrom the child rows added with InsertChildRow, FCellVar the sub-group
    // column (-1 otherwise). The node column's FNodeLevel gives each row its nesting level.
    // Contracting takes the children out of view by hiding them (FilterType ftHide) or by
    // suppressing them (ftSuppress). Operations named "RealRow" take real rows, "ARow" display
    // rows. Nothing raises: rows without a node answer neutral values and change nothing.
    void AddNode(int RealRow, int Span);
    void AddSummary(int RealRow);
    void RemoveNode(int RealRow);
    void RemoveAllNodes();
    bool GetNodeState(int ARow);
    void SetNodeState(int ARow, bool Value);
    int GetNodeLevel(int ARow);
    int GetNodeSpan(int ARow);
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    int GetSubNodeCount(int ARow);
    void UpdateSubNodeCount(int ARow, int Delta);
    // With CellNode.ExpandOne every other expanded node contracts first.
    void ExpandNode(int RealRow);
    void ExpandNodeInt(int RealRow);
    void ContractNode(int RealRow);
    void ToggleNode(int RealRow);
    // ExpandAll with hiding also brings back rows hidden by filters.
    void ExpandAll();
    void ContractAll();
    // The node holding the row; a node row without an enclosing node is its own parent; -1.
    int GetParentRow(int ARow);
    void InsertNormalRow(int RealRow);
    void RemoveNormalRow(int ARow);
    // A row into the node of RealRow (or its parent's): InsertAt 0 on a node row moves the node
    // row's texts into the new first child; the spans of the node and its ancestors grow.
    void InsertChildRow(int RealRow, int InsertAt);
    void RemoveChildRow(int RealRow);
    // Tree-line class for painting: 0 node row, 2 continuing branch, 1 closing branch.
    int GetNodeSpanType(int ARow);
    // Whether client x hits the node glyph of the row.
    bool InNodeRect(int ARow, int x);

    // ==== Grouping (view/QorGridGroup.cpp) ====
    // Group, UnGroup, SubGroup and SubUnGroup are virtual (below). GroupColumn is -1 when the grid
    // is not grouped; setting -1 ungroups, a positive value groups.
    int GetGroupColumn() const { return FDims.FGroupColumn; }
    void SetGroupColumn(int AGroupColumn);
    bool GetIsGrouping() const { return FDims.FIsGrouping; }
    void GroupMerge();
    void GroupSplit();
    // method: 1 sum, 2 average, 3 minimum, 4 maximum, 5 count, 6 custom, 7 distinct, 8 std dev.
    void GroupCalc(int ColIndex, int method);
    void GroupSum(int ColIndex);
    void GroupAvg(int ColIndex);
    void GroupMin(int ColIndex);
    void GroupMax(int ColIndex);
    void GroupCount(int ColIndex);
    void GroupCustomCalc(int ColIndex);
    void GroupDistinct(int ColIndex);
    void GroupStdDev(int ColIndex);

    // ==== Structure (store/QorGridStructure.cpp) ====
    // Empties every cell (hidden columns included); ClearAll also shows every hidden row and
    // column and empties the cells kept beyond the counts up to the largest counts ever set.
    void Clear();
    void ClearAll();
    void ClearSelection();
    void ClearNormalCells();
    void ClearCols(int ColIndex, int CCount);
    void ClearNormalRows(int RowIndex, int RCount);
    void ClearNormalCols(int ColIndex, int CCount);
    void InsertRowsEx(int RowIndex, int RCount, bool UpdateCellControls = true);
    void AddRow();
    void AddColumn() { InsertCols(GetColCount(), 1); }
    // The removal core shared with hiding; Flg: a real removal (cell controls and hidden rows follow).
    void IRemoveRows(int RowIndex, int RCount, bool Flg);
    // Display rows, ascending, each once.
    void RemoveRowList(TIntList* RowList);
    void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
    void RemoveDuplicates(int ACol, bool DoCase);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void HideSelectedRows();
    void HideUnSelectedRows();
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    void MergeCols(int ColIndex1, int ColIndex2, const String& Separator);
    void TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, GetRowCount() - 1); }
    void TrimRow(int ARow) { TrimRect(0, ARow, GetColCount() - 1, ARow); }
    void TrimAll() { TrimRect(0, 0, GetColCount() - 1, GetRowCount() - 1); }
    void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);

    // ==== Equal-value merging, column order, lookup (store/QorGridMerge.cpp) ====
    void MergeColumnCells(int ColIndex, bool MainMerge);
    void SplitColumnCells(int ColIndex);
    void MergeRowCells(int RowIndex, bool MainMerge);
    void SplitRowCells(int RowIndex);
    void SplitAllCells();
    void UndoColumnMerge();
    void ApplyColumnMerge();
    void SetColumnOrder();
    void ResetColumnOrder();
    int ColumnPosition(int OCol);
    int ColumnAtPosition(int ACol);
    int ColumnByHeader(const String& AValue);
    bool IsCell(const String& SubStr, int& ACol, int& ARow);

    // ==== Typed access, headers, range formatting (store/QorGridTyped.cpp) ====
    // Non-numbers raise EQorGridError with the grid's messages.
    int GetInts(int RCol, int ARow);
    void SetInts(int RCol, int ARow, int Value);
    int GetAllInts(int ACol, int RealRow);
    void SetAllInts(int ACol, int RealRow, int Value);
    double GetFloats(int RCol, int ARow);
    void SetFloats(int RCol, int ARow, double Value);
    double GetAllFloats(int ACol, int RealRow);
    void SetAllFloats(int ACol, int RealRow, double Value);
    // GetFloats / GetAllFloats without raising: false (Value 0) for a text that is no number.
    bool TryGetFloats(int RCol, int ARow, double& Value);
    bool TryGetAllFloats(int ACol, int RealRow, double& Value);
    TDateTime GetDates(int RCol, int ARow);
    void SetDates(int RCol, int ARow, TDateTime Value);
    TDateTime GetTimes(int RCol, int ARow);
    void SetTimes(int RCol, int ARow, TDateTime Value);
    void SetDateTimes(int RCol, int ARow, TDateTime Value);
    WideString GetWideCells(int RCol, int ARow) { return GetCellEx(RCol, ARow); }
    void SetWideCells(int RCol, int ARow, const WideString& Value) { SetCellEx(RCol, ARow, Value); }
    String GetCtrlVal(int RCol, int ARow, const String& ID);
    void SetCtrlVal(int RCol, int ARow, const String& ID, const String& Value);
    double CellToReal(int RCol, int ARow);
    bool IsWideCell(int RCol, int ARow);
    bool GetShowNullDates() const { return FText.FShowNullDates; }
    void SetShowNullDates(bool Value) { FText.FShowNullDates = Value; }
    void ClearColumnHeaders();
    void ShowColumnHeaders();
    void ClearRowHeaders();
    void ShowRowHeaders();
    void SetFontStyle(TGridRect GridRect, TFontStyle AStyle, bool DoSet);
    bool IsFontStyle(TGridRect GridRect, TFontStyle AStyle);
    void SetCellColor(TGridRect GridRect, TColor AColor);
    void SetCellTextColor(TGridRect GridRect, TColor AColor);
    void SetCellFontName(TGridRect GridRect, const String& AFontName);
    void SetCellFontSize(TGridRect GridRect, int AFontSize);
    void SetAlignment(TGridRect GridRect, TAlignment AAlignment);
    bool IsAlignment(TGridRect GridRect, TAlignment AAlignment);

    // ==== Selection, modified and enabled rows (store/QorGridSelection.cpp) ====
    // Row flags: display rows, real rows with RowSelectPersistent.
    bool GetRowSelect(int ARow);
    void SetRowSelect(int ARow, bool Value);
    bool GetColSelect(int ACol);
    void SetColSelect(int ACol, bool Value);
    void SelectRows(int RowIndex, int RCount);
    void UnSelectRows(int RowIndex, int RCount);
    void SelectCols(int ColIndex, int CCount);
    void UnSelectCols(int ColIndex, int CCount);
    void SelectAll() { SelectRows(GetFixedRows(), GetRowCount() - GetFixedRows()); }
    void ClearRowSelectInt();
    void ClearRowSelect();
    void ClearColSelect();
    bool SelectToRowSelect(bool IsShift);
    void SelectToColSelect(bool IsShift);
    int GetRowSelectCount();
    int GetColSelectCount();
    int GetSelectedRowCount();
    int GetSelectedColCount();
    int GetSelectedRow(int i);
    // Sorted distinct values of a column over the normal rows and the hidden rows; the caller
    // frees the list.
    TStringList* DistinctValues(int RCol, bool CaseSensitive);
    // Disjunct cells (display column, display row), keyed in 64 bits.
    bool GetSelectedCells(int ACol, int ARow);
    void SetSelectedCells(int ACol, int ARow, bool Value);
    TGridCoord GetSelectedCell(int i);
    int GetSelectedCellsCount();
    void ClearSelectedCells();
    void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    bool IsSelected(int ACol, int ARow);
    String SelectedText();
    using TCustomGrid::FocusCell;
    void FocusCell(int ACol, int ARow);
    void GotoCell(int ACol, int ARow);
    // Moves the current cell (display coordinates) as a click would: anchor moved, cell shown.
    void GotoCellInt(int Col, int Row);
    // Takes the focus (when the grid can have it), goes to the cell and opens its editor.
    void EditCell(int ACol, int ARow);
    void ScrollToLastRow() {}
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    // Invalidates (with erase) the cells of r in view, the columns cut at the last visible one;
    // the whole grid when a corner is out of view; nothing for a negative coordinate.
    void RepaintRect(const TRect& r);
    // Invalidates (without erase) the span of the screen rectangles of r's two corner cells.
    void InvalidateGridRect(const TGridRect& r);
    // Modified rows by real row; enabled rows by display row.
    bool GetRowModified(int RealRow);
    void SetRowModified(int RealRow, bool Value);
    int ModifiedRowCount();
    void ClearModifiedRows();
    bool GetRowEnabled(int ARow);
    void SetRowEnabled(int ARow, bool Value);

    // ==== Marking, highlighting, cell checking and fills (store/QorGridMark.cpp) ====
    // Text level: S with every occurrence of Text in its visible text enclosed in "hi" (highlight)
    // or "e" (error) tags, or without them; no cell changes.
    String HilightText(bool DoCase, const String& S, const String& Text);
    String UnHilightText(const String& S);
    String MarkText(bool DoCase, const String& S, const String& Text);
    String UnMarkText(const String& S);
    // The cores, over real columns and display rows (rows outer), base cells only: a cell is
    // written only when its text changes, so unmarked cells stay byte for byte as they were.
    void MarkCells(const String& s, const String& tag, bool DoCase, int FromCol, int FromRow, int ToCol,
                   int ToRow, bool FullCell);
    void UnMarkCells(const String& tag, int FromCol, int FromRow, int ToCol, int ToRow);
    // Col is a real column. With DoFixed the fixed rows and columns too; the column ranges of the
    // row and grid variants are the shown columns, except where the unmarking variants reach every
    // real column (hidden ones included).
    void HilightInCell(bool DoCase, int Col, int Row, const String& HiText, bool FullText);
    void HilightInCol(bool DoFixed, bool DoCase, int Col, const String& HiText, bool FullText);
    void HilightInRow(bool DoFixed, bool DoCase, int Row, const String& HiText, bool FullText);
    void HilightInGrid(bool DoFixed, bool DoCase, const String& HiText, bool FullText);
    void MarkInCell(bool DoCase, int Col, int Row, const String& HiText);
    void MarkInCol(bool DoFixed, bool DoCase, int Col, const String& HiText);
    void MarkInRow(bool DoFixed, bool DoCase, int Row, const String& HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const String& HiText);
    void UnHilightInCell(int Col, int Row);
    void UnHilightInCol(bool DoFixed, int Col);
    void UnHilightInRow(bool DoFixed, int Row);
    void UnHilightInGrid(bool DoFixed);
    void UnMarkInCell(int Col, int Row);
    void UnMarkInCol(bool DoFixed, int Col);
    void UnMarkInRow(bool DoFixed, int Row);
    void UnMarkInGrid(bool DoFixed);
    // The linked cell checker over cells (display column, display row); true when the checker
    // changed no checked cell, and without a checker. A range run brackets its work with the
    // checker's StartCheck and StopCheck, stops when the checker's LastResult is not 1, and puts
    // the current cell back when the checker moved it; StopCheck and the current cell follow even
    // when the checker raises.
    bool CheckCell(int Col, int Row);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int Col);
    bool CheckRow(bool DoFixed, int Row);
    bool CheckGrid(bool DoFixed);
    // Fills of the normal cells (every cell with DoFixed), rows outer, then CellsLoaded: a fixed
    // text; Format(Fmt, column, row); a random integer 0 .. Rnd - 1; "column:row".
    void TextFill(bool DoFixed, const String& Txt);
    void FormatFill(bool DoFixed, const String& Fmt);
    void RandomFill(bool DoFixed, int Rnd);
    void LinearFill(bool DoFixed);

    // ==== Column, row and range arithmetic (store/QorGridCalc.cpp) ====
    // Column operations: real column ACol, inclusive rows FromRow .. ToRow; either row -1 means the
    // normal rows. A range ending below the last data row is read in display rows; one reaching
    // beyond it (RowCount - 2 under a visible floating footer, else RowCount - 1) in real rows, the
    // hidden rows included. A row takes part unless it is a covered cell of a merged area or, in a
    // grouped grid, a shown node or summary row. A text that is no number takes part as a row but
    // adds no value; nothing here raises for a cell, reads outside the grid or divides by zero.
    double ColumnSum(int ACol, int FromRow, int ToRow);
    // The sum over the number of rows taking part; 0 without one.
    double ColumnAvg(int ACol, int FromRow, int ToRow);
    // ToRow - FromRow + 1 when both are given (an inverted range gives 0 or less), else the
    // number of normal rows; the cells are not read.
    double ColumnCount(int ACol, int FromRow, int ToRow);
    // The smallest or largest number of the rows taking part; 0 without one.
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    // The population standard deviation of the numbers of the rows taking part; 0 without one.
    double ColumnStdDev(int ACol, int FromRow, int ToRow);
    // The number of different texts of the range, letter case ignored (every row counts).
    double ColumnDistinct(int ACol, int FromRow, int ToRow);
    // What OnColumnCalc / OnGroupCalc put into their result (0 without a handler).
    double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
    double ColumnCustomCalcGrp(int ACol, int FromRow, int ToRow);
    // Row operations: display row ARow, real columns fromCol .. toCol, base cells only; the
    // average over the base cells; minimum and maximum from the first number, 0 without one.
    double RowSum(int ARow, int fromCol, int toCol);
    double RowAvg(int ARow, int fromCol, int toCol);
    double RowMin(int ARow, int fromCol, int toCol);
    double RowMax(int ARow, int fromCol, int toCol);
    // Every cell of the rectangle (real columns, real rows; corners in any order; the part inside
    // the grid), merged areas not looked at; a text that is no number raises EQorGridError.
    double RectCalc(TGridRect GR, TCalcType CalcType);
    double RectSum(const TGridRect& GR) { return RectCalc(GR, ctSum); }
    double RectAvg(const TGridRect& GR) { return RectCalc(GR, ctAvg); }
    double RectMin(const TGridRect& GR) { return RectCalc(GR, ctMin); }
    double RectMax(const TGridRect& GR) { return RectCalc(GR, ctMax); }
    // The same over the cells of the current selection as they are shown.
    double SelectionSum() { return SelectionCalc(ctSum); }
    double SelectionAvg() { return SelectionCalc(ctAvg); }
    double SelectionMin() { return SelectionCalc(ctMin); }
    double SelectionMax() { return SelectionCalc(ctMax); }
    // ==== Filter drop-down lists and the filter edit row (sortfilter/QorGridFilterList.cpp) ====
    // Columns are real columns unless named ACol (display). FilterList entries: a value (its own
    // literal condition), or a display text, a Tab and a condition. A value the grid took from
    // the cells becomes a condition that matches exactly that text (sortfilter/FilterLiteral.h).
    // Order of value lists: numbers by value ("." decimal point), else natural order.
    static int StringListCompareLogical(TStringList* List, int Index1, int Index2);
    // Opens the filter list of the display column ACol under its filter button (FilterColumn
    // becomes its real column); nothing when OnFilterShow refuses.
    void ShowFilterDropDown(int ACol);
    void ShowFilterDropDownInt(int ACol, int ARow);
    // Hides an open filter list, reports the close (DoFilterClose) and forgets FilterColumn.
    void HideFilterDropDown();
    // Applies the filter edit row's text of column ACol with condition kind ft.
    void DoFilterEditDone(int ACol, TFilterType ft);
    int GetFilterColumn() const { return FFilterState.FFilterCol; }
    void SetFilterColumn(int Value) { FFilterState.FFilterCol = Value; }
    bool GetFilterIncremental() const { return FFilterState.FFilterIncremental; }
    void SetFilterIncremental(bool Value) { FFilterState.FFilterIncremental = Value; }
    bool GetDoAutoEditFilter() const { return FFilterListState.FDoAutoEditFilter; }
    void SetDoAutoEditFilter(bool Value) { FFilterListState.FDoAutoEditFilter = Value; }

    // ==== Filtering (sortfilter/QorGridFilter.cpp) ====
    // Filter levels stack: each ApplyFilter is a level (its failing rows go into the hidden-row
    // store under that level with FilterType ftHide, or get height 0 with ftSuppress); popping a
    // level brings back only its rows. Rows hidden by range (by hand, or under contracted nodes)
    // never come back with a filter level. Rows are display rows, Filter columns real columns.
    // Hides (or suppresses) the display row when it fails the filter.
    void FilterRow(int ARow);
    // One pass of the filter over the normal rows in view: a new filter level.
    void ApplyFilter();
    // Pops the top level and the filter's last item; true while more than one level remains.
    // False (nothing changes but the end of narrow-down) when no level is stacked.
    bool RemoveLastFilter();
    // Pops every level, or clears Filter when none is stacked; ends narrow-down.
    void RemoveAllFilters();
    // Type-ahead filter on a real column (-1: the whole row); "" drops it. A text one character
    // longer than the last narrows the rows in view, one shorter pops the last step.
    void NarrowDown(const String& ACondition, int AColumn);
    void NarrowDown(const String& ACondition, bool DoRemoveAccented, int AColumn);
    void NarrowDown(const String& ACondition, TNarrowDownOptions AOptions, int AColumn);
    // The filter file (sections FILTER and ITEM0 ..). Save raises when the file cannot be written
    // (nothing is reported saved that was not) and erases the items of a longer earlier save.
    // Load raises EQorGridError for a missing or malformed file and then leaves Filter as it was;
    // COUNT 0 clears Filter, a file without COUNT leaves it. Loading never switches filtering on.
    void SaveFilter(const String& FileName);
    void LoadFilter(const String& FileName);
    int GetFilterLevel() const { return FFilterState.FFilterLevel; }
    // The fixed-row count restored when filtering ends (-1: none recorded yet).
    int GetFilterFixedRows() const { return FFilterState.FFilterFixedRows; }
    void SetFilterFixedRows(int Value) { FFilterState.FFilterFixedRows = Value; }
    bool GetNarrowDownFromStart() const { return FFilterState.FNarrowDownFromStart; }
    void SetNarrowDownFromStart(bool Value) { FFilterState.FNarrowDownFromStart = Value; }
    bool GetIsNarrowDown() const { return FFilterState.FIsNarrowDown; }
    // ==== Sorting (sortfilter/QorGridSort.cpp) ====
    // Columns are real columns (the cell store's), rows display rows. Every sort moves whole
    // rows (texts, cell properties and widgets, heights, row flags) through SortSwapRows and keeps
    // the order of rows that tie; the sort cross reference (SortedRowIndex) follows each move so
    // that QUnSort can return to the order before the first sort.
    // (Col, ARow1) against (Col, ARow2) by the column's sort style: 1 when the first sorts after
    // the second ascending, -1 before, 0 equal; blank cells (IgnoreBlanks) get the sign that
    // places them at BlankPos for the direction sd.
    int Compare(int Col, int ARow1, int ARow2, TSortDirection sd);
    // The first column from Col rightwards (all of them with Full) in which the rows differ, as
    // Compare with SortSettings.Direction; ignored columns tie.
    int CompareLine(int Col, int ARow1, int ARow2);
    // Along the index list from position Colidx: -1 when ARow1 goes first, 1 when it goes after.
    int CompareLineIndexed(int Colidx, int ARow1, int ARow2);
    // Swaps the two rows when they are in the wrong order for SortSettings.Direction (a tie is
    // decided by the next column); true when they were swapped.
    bool SortLine(int Col, int ARow1, int ARow2);
    // A column's type guessed from its first two normal rows.
    TColumnType ColumnType(int Col);
    // Sets the sort column and direction and sorts; cell controls follow their cells.
    void Sort(int Column, TSortDirection Direction);
    // With more than one row: SortSettings.Column := Col, then QSort.
    void SortByColumn(int Col);
    // Rows Left .. Right by a column (ties by the columns to its right with Full), or by the index
    // list; no painting batch, no current-row tracking, no events.
    void QuickSort(int Col, int Left, int Right);
    void QuickSortIndexed(int Left, int Right);
    void QuickSortRows(int Col, int Left, int Right);
    void QuickSortRowsIndexed(int Col, int Left, int Right);
    // Rows Left .. Right back into the order the working cross reference gives.
    void QuickSortRowsRef(int Col, int Left, int Right);
    // The sort cross reference becomes 0 .. RowCount - 1.
    void InitSortXRef();
    // Work of the last sort: comparisons and row swaps.
    Int64 GetCompares() const { return FSort.Compares; }
    Int64 GetSwaps() const { return FSort.Swaps; }
    // The row that was current when the sort began, followed through every swap.
    int GetSortRow() const { return FSort.SortRow; }

    // ==== Find and replace (sortfilter/QorGridFind.cpp) ====
    // A search walks the cells of its area in one order (row by row with fnDirectionLeftRight,
    // else column by column; backwards with fnBackward) and tests each with MatchCell. Cells are
    // given and returned in the search's own index system: display columns, or real columns with
    // fnIncludeHiddenColumns; display rows, or real rows with fnIncludeHiddenRows. (-1, -1) is "no
    // cell": as a start cell, from the first cell of the order; as a result, nothing found.
    // Every search announces its progress through ExportNotification.
    // The next match after StartCell (one step is taken before testing); with fnAutoGoto the
    // match becomes the current cell and is scrolled into view. Inside a painting batch.
    TPoint Find(TPoint StartCell, const String& s, TFindParams FindParams);
    // As Find over the cells' wide texts, without the batch and the scrolling.
    TPoint FindWide(TPoint StartCell, const WideString& s, TFindParams FindParams);
    // Find from (-1, -1); the match is kept in SearchCell for FindNext.
    TPoint FindFirst(const String& s, TFindParams FindParams);
    // Find from SearchCell with the text and options of the last search; the match is kept.
    TPoint FindNext();
    // The first match; NumResults counts every match. fnAutoGoto moves to the first match only,
    // and later FindNext calls do not move. SearchCell is (-1, -1) afterwards.
    TPoint FindAll(const String& s, TFindParams FindParams, int& NumResults);
    // In every matching cell, each occurrence of OrigStr becomes NewStr (letter case ignored
    // unless fnMatchCase); the number of cells whose text changed.
    int Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams);
    // The incremental lookup: the first normal row whose sort-column text without markup starts
    // with s (given upper-cased), letter case ignored; -1 when none.
    int Search(const String& s);
    // The cell test of the running search (Col, Row in the search's index system).
    bool MatchCell(int Col, int Row, bool IsWide);
    // The multi-column find: each condition (built from its text by its search type) on its real
    // column, with its own letter-case flag; arrays of unequal length raise. The first normal row
    // matching all of them, or -1; the row is kept in SearchCell (column 0) and, with AutoGoto,
    // becomes the current row.
    int FindMulti(const std::vector<String>& Conditions, const std::vector<int>& Columns,
                  const std::vector<QorGrid::TSearchType>& Searchtypes, const std::vector<bool>& CaseSensitive,
                  bool IgnoreHTML, bool AutoGoto);
    // The next row after SearchCell that matches every condition; -1 (SearchCell kept) when none.
    int FindMultiNext();
    // Whether the display row satisfies every condition of the multi-column find (true with none).
    bool MatchesMulti(int ARow);
    // The condition for a search text and a search type (the text quoted when it holds a blank).
    static String FindMultiBuildCondition(QorGrid::TSearchType st, const String& s);
    // The last match ((0, 0) after construction, (-1, -1) after a search that found nothing).
    TPoint GetSearchCell() const { return FEdit.FSearchCell; }
    void SetSearchCell(TPoint Value) { FEdit.FSearchCell = Value; }
    // The preset column and row of fnFindInPresetCol and fnFindInPresetRow.
    int GetFindCol() const { return FFind.FFindCol; }
    void SetFindCol(int Value) { FFind.FFindCol = Value; }
    int GetFindRow() const { return FFind.FFindRow; }
    void SetFindRow(int Value) { FFind.FFindRow = Value; }
    TFindParams GetFindParams() const { return FFind.FFindParams; }
    // The prepared search texts of the last search (upper-cased without fnMatchCase; the narrow
    // one without accents with fnIgnoreAccents).
    const String& GetSearchCache() const { return FFind.SearchCache; }
    const WideString& GetSearchCacheWide() const { return FFind.SearchCacheWide; }

protected:
    // The search walk shared by Find and FindWide.
    TPoint FindInternal(TPoint StartCell, const String& s, TFindParams FindParams, bool IsWide, const WideString& sw);
    // The display row of the shown node whose children hold the hidden real row RealRow (the
    // innermost such node); -1 when no shown node holds it.
    int GetNodeFromRow(int RealRow);

private:
    TPoint FindWalk(TPoint StartCell, TFindParams P);
    void FindGoto(TPoint Cell, TFindParams P);
    void FindSelectAndScroll();
    // What a search keeps between calls.
    struct TFindState {
        TFindParams FFindParams;
        String SearchCache;
        WideString SearchCacheWide;
        int FFindCol = 0;
        int FFindRow = 0;
        // The search text parsed for fnMatchRegular, kept while text and letter-case option stay.
        QorUtil::TFilterMatcher FMatcher;
        String FMatcherText;
        bool FMatcherCase = false;
        bool FMatcherValid = false;
        // The multi-column find's conditions, one entry per column, parsed once.
        std::vector<String> FConditions;
        std::vector<int> FColumns;
        std::vector<bool> FCase;
        std::vector<QorUtil::TFilterMatcher> FMultiMatchers;
        bool FIgnoreHTMLMulti = false;
        // The running search: wide or narrow, and the cell text being tested (kept to reuse its
        // buffer).
        bool FIsWide = false;
        String FText;
    };
    TFindState FFind;

    // ==== Framework and base operations overridden (in slot order) ====
protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void CreateHandle() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Paint() override;
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                         TGridDrawInfo& FixedInfo) override;
    TInplaceEdit* CreateEditor() override;
    bool CanEditShow() override;
    // The in-place editor's text of a display cell: the base cell of its merged area, markup
    // stripped unless EditWithTags; raises FNoEditChange for the editor that loads it (cell
    // access store/QorGridAccess.cpp, as the two below).
    String GetEditText(int ACol, int ARow) override;
    // Writes the editor's text to the base cell of the display cell's merged area: the column is
    // mapped to its real column first, so hidden columns left of the area do not shift the write.
    void SetEditText(int ACol, int ARow, const String& Value) override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    // False for a negative column or row; tells the selection listener of a new current cell.
    bool SelectCell(int ACol, int ARow) override;
    void TopLeftChanged() override;
    void Resize() override;
    // Scroll messages (view/QorGridScroll.cpp; Dispatch, in paint/QorGridFrame.cpp, sends them here).
    void WMHScroll(TMessage& Message);
    void WMVScroll(TMessage& Message);
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    // Stretching and proportional sizing after the framework changed counts or sizes
    // (view/QorGridStretch.cpp).
    void SizeChanged(int OldColCount, int OldRowCount) override;
    // The framework's bar upkeep writes proportional thumbs (view/QorGridScroll.cpp).
    void AdjustScrollInfo(TGridAxisKind A, SCROLLINFO& SI) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;

public:
    // Fixed right columns and fixed footer rows count as fixed too (display column).
    bool IsFixed(int ACol, int ARow) override;
    int NodeIndent(int ARow) override;
    bool HasNodes() override;
    // A node row holds a node widget in the node column; a summary row a summary widget in column 0.
    bool IsNode(int ARow) override;
    bool IsSummary(int ARow) override;

protected:
    void DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    void FloatFooterUpdate() override;

public:
    bool IsCheckCell(int c, int r) override;
    void SetAsCheck(int c, int r, const String& v) override;
    void GetDisplText(int c, int r, String& Value) override;

protected:
    void GetDefaultProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                         TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                         TCellGradientDirection& GD) override;

public:
    TAlignment GetDefaultAlignment() override;

protected:
    void CellTextChange(int ACol, int ARow) override;

public:
    bool HasCustomCellBorder() override;
    bool UseVCLStyles() override;

protected:
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                             TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                             TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                             TCellGradientDirection& GD) override;

public:
    int RealColIndex(int ACol) override;
    int DisplColIndex(int ACol) override;
    int TotalColCount() override;

    // ==== New virtual operations, in slot order (171) ====
    // Each names the .cpp of its area; a hook whose behaviour comes with a later area keeps its
    // answer for a grid without that area's state (said on its line).
    virtual bool HasColumnsProp() { return false; }
    // Default row height; also the floating footer's height (and its panel's while visible).
    virtual void SetDefRowHeightEx(int Value);                                              // Dims
protected:
    virtual void DoCalcFooter(int ACol);                                                    // Paint
    virtual void DoClickSort(int ACol);                                                     // Hooks
    virtual void DoClickCell(int ARow, int ACol);                                           // Hooks
    virtual void DoF2Edit() {}
    virtual bool CanTabToNextRow() { return true; }
public:
    virtual void UpdateEditingCell(int RCol, int ARow, const String& Value);                 // Input
protected:
    virtual void UpdateOnSelection(TGridRect& GR) {}
public:
    virtual void PasteInCell(int RCol, int ARow, const String& Value);                       // Exchange
    virtual TStrings* CellNameList() { return nullptr; }
    virtual String GetCurrentCell();                                                        // View
    virtual void SetCurrentCell(const String& Value);                                       // View
    virtual String GetCurrentDisplCell();                                                   // View
    virtual String GetEditCell(int RCol, int ARow);                                         // View
    virtual void SetEditCell(const String& Value);                                          // View
protected:
    virtual void RestoreCache();                                                            // Input
public:
    virtual bool IsDSEdit() { return false; }
    virtual int GetSearchFooterHeight();                                                    // Input
protected:
    virtual void HoverButtonClick(TObject* Sender);                                         // Input
    virtual void ButtonFormMouseLeave(TObject* Sender);                                     // Input
public:
    virtual bool ToggleCheck(int RCol, int ARow, bool FromEdit);                             // Paint
    virtual bool ToggleRadioButton(int RCol, int ARow, bool FromEdit);                       // Paint
    virtual String GetFormattedCell(int RCol, int ARow);                                    // Paint
    virtual String GetCellFloatFormat(int RCol, int ARow);                                  // Hooks
    virtual TCellType GetCellType(int RCol, int ARow);                                      // Paint
    virtual bool GetCellEmpty(int RCol, int ARow);                                          // Paint
    virtual TCellGraphic* GetCellGraphic(int RCol, int ARow);                               // Paint
    virtual TPoint GetCellGraphicSize(int RCol, int ARow);                                  // Paint
    virtual TPoint GetCellGraphicSizeEx(int RCol, int ARow, int Padding);                   // Paint
    virtual TPoint GetCellGraphicSizeEx(TCanvas* ACanvas, int RCol, int ARow, int Padding, double ResFactor);
    virtual TPoint GetPrintGraphicSize(int RCol, int ARow, int CW, int RH, double ResFactor); // Paint
protected:
    virtual void DoClipboardPasteDone(TGridRect CellRect);                                  // Hooks
    virtual void DoGetPrintPageNum(int PageNum, int PageNumCol, String& Value);             // Hooks
    virtual void DoGetEditorProp(int RCol, int ARow, TEditLink* AEditLink);                 // Hooks
    virtual void DoCheckBoxClick(int RCol, int ARow, bool AState);                          // Hooks
    virtual void DoFixedCellEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values); // Hooks
public:
    virtual bool CanShowSelection();                                                        // Hooks
protected:
    virtual void SelectionChanged(int ALeft, int ATop, int ARight, int ABottom);            // Hooks
    virtual void EditProgress(const String& Value, TPoint pt, int SelPos) {}
public:
    // ARow: a real row.
    virtual void DoInsertRow(int ARow);                                                     // Hooks
    virtual void DoDeleteRow(int ARow);                                                     // Hooks
protected:
    virtual void DoFilterDone();                                                            // Hooks
    virtual void DoFilterShow(int ACol, bool& Allow);                                       // Hooks
    virtual void DoFilterClose(int ACol);                                                   // Hooks
    virtual void DoBeforeFilter();                                                          // Hooks
    // The floating footer panel, owned by the grid.
    virtual TFooterPanel* CreateFooter();                                                   // Create
    virtual void UpdateRowCount() {}
    virtual void UpdateColSize(int ACol, int& NewWidth);                                    // Hooks
    virtual void UpdateAutoColSize(int ACol, int& NewWidth);                                // Hooks
    virtual void UpdateColHeaders() {}
    virtual String EllipsClick(const String& Value);                                        // Hooks
public:
    virtual bool MatchFilter(int ARow);                                                     // SortFilter
protected:
    virtual void PasteStart() {}
    virtual void PasteDone() {}
    virtual void PasteNotify(TGridCoord Orig, TGridRect PasteArea, int Operation) {}
public:
    virtual String CalcCell(int RCol, int ARow);                                            // Hooks
    virtual void LoadCell(int RCol, int ARow, const String& Value);                          // Hooks
    virtual void UpdateCell(int RCol, int ARow);                                            // Input
    virtual void InitValidate(int ACol, int ARow);                                          // Input
    virtual void InitScroll(bool Value);                                                    // Lifecycle
protected:
    virtual void DoCanEditCell(int RCol, int ARow, bool& CanEdit);                          // Hooks
    virtual void DoCanSort(int ACol, bool& CanSort);                                        // Hooks
    virtual void DoSearchFooterAction(const String& AValue, int ACol, int ARow, TSearchAction ASearchAction);
    virtual String DoSearchFooterSearch(const String& AValue);                              // Hooks
    virtual void DoSearchFooterSearchEnd(bool& ContinueFromStart);                          // Hooks
    virtual void DoButtonClick(int ACol, int ARow);                                         // Hooks
    virtual void DoExpandClick(int ACol, int ARow, bool Expanded);                          // Hooks
    virtual void DoComboCloseUp(int ARow, int ACol);                                        // Hooks
    virtual void DoComboDropDown(int ARow, int ACol);                                       // Hooks
    virtual void DoSetCellCursor(int ACol, int ARow, int X, int Y);                         // Hooks
public:
    // R: left column, top row, right column, bottom row of the changed cells.
    virtual void CellsChanged(TRect R);                                                     // Input
    virtual void CellsLoaded();                                                             // Input
    virtual void GetCellHint(int ACol, int ARow, String& AHint, WideString& AWideHint);     // Hooks
    virtual void GetCellColor(int RCol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellPrintColor(int RCol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellBorder(int RCol, int ARow, TPen* APen, TCellBorders& Borders);       // Hooks
    virtual void GetCellPrintBorder(int RCol, int ARow, TPen* APen, TCellBorders& Borders);  // Hooks
    virtual void GetCellAlign(int RCol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);  // Hooks
    virtual void GetColFormat(int RCol, TSortStyle& AStyle, String& aPrefix, String& aSuffix); // Hooks
    virtual void GetStaticCellEditor(int RCol, int ARow, TEditorType& AEditor);             // Hooks
    virtual void GetCellEditor(int RCol, int ARow, TEditorType& AEditor);                   // Hooks
    virtual bool GetEditorNone(int RCol, int ARow);                                         // Hooks
    virtual void GetCellFixed(int ACol, int ARow, bool& IsFixed);                           // Hooks
    // CanEdit comes in true (or as whether editing is enabled) and leaves as whether the cell may
    // be edited.
    virtual void GetCellReadOnly(int RCol, int ARow, bool& CanEdit);                        // Hooks
    virtual void GetCellPassword(int RCol, int ARow, bool& IsPassword);                     // Hooks
    virtual void GetCellWordWrap(int RCol, int ARow, bool& WordWrap);                       // Hooks
    virtual bool HasCombo(int RCol, int ARow, TEditorType AEditor);                         // Hooks
    virtual bool HasEditBtn(int RCol, int ARow, TEditorType AEditor);                       // Hooks
    virtual bool HasSpinEdit(int RCol, int ARow, TEditorType AEditor);                      // Hooks
    virtual bool HasFilterEdit(int ACol, int ARow);                                         // Hooks
    virtual void FilterEditUpdate(int ACol, const String& Condition, TFilterType FilterType); // Hooks
    virtual String GetCheckTrue(int RCol, int ARow);                                        // Hooks
    virtual String GetCheckFalse(int RCol, int ARow);                                       // Hooks
    // Rebuilds FilterList for the real column ACol; true when it has entries. Disp: stop at the
    // first value (a cheap test); AllRows: hidden rows' values too.
    virtual bool GetFilter(int ACol, bool Disp, bool AllRows);                              // FilterList
    virtual void GetUsedCells(TRect& R);                                                    // View
protected:
    virtual void RemoveRowsInternal(int RowIndex, int RCount);                              // Structure
public:
    virtual String GetColumnCheckTrue(int RCol);                                            // Hooks
    virtual String GetColumnCheckFalse(int RCol);                                           // Hooks
protected:
    virtual void QueryAddRow(bool& AllowAdd);                                               // Hooks
    virtual void QueryAddCol(bool& AllowAdd);                                               // Hooks
    virtual void QueryInsertRow(int ARow, bool& AllowInsert);                               // Hooks
    virtual void DirectWheelChange(int Delta, bool& SuppressMsg) { SuppressMsg = true; }
public:
    virtual void DoAppendRow();                                                             // Hooks
protected:
    virtual void CorrectSelection() {}
    virtual void CellSelect(int ACol, int ARow) {}
    virtual void SetCellSelectMode(bool Value) {}
    virtual void UpdateSelectionRect(TGridRect& GR) {}
public:
    // Option object reactions (wired by the constructor).
    virtual void OnMouseActionsChanged(TObject* Sender);                                    // Input
    virtual void OnMouseActionsIsDesigning(TObject* Sender, bool& IsDesigning);             // Input
    virtual void OnMouseActionsInvalidate(TObject* Sender);                                 // Input
    virtual void OnMouseActionsDisableEdit(TObject* Sender);                                // Input
protected:
    virtual void EditKeyDown(Word& Key, TShiftState Shift) {}
    virtual void Edit_WMKeyDown(TMessage& Msg) {}
public:
    virtual void OnNavigationChanged(TObject* Sender);                                      // Input
protected:
    virtual void TabToNextRowAtEnd();                                                       // Input
    virtual bool DoAllowFmtPaste();                                                         // Exchange
public:
    // The filter lists' handlers: a single choice, closing without one, a check change.
    virtual void FilterSelect(TObject* Sender, int ItemIndex);                              // FilterList
    virtual void FilterClose(TObject* Sender);                                              // FilterList
    virtual void FilterCheck(TObject* Sender, int ItemIndex);                               // FilterList
protected:
    // The filter-type glyph of the filter edit row and the filter buttons of the filter
    // drop-down row (sortfilter/QorGridFilterList.cpp), then the framework's handling.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
public:
protected:
    // Form designer only: nothing at run time.
    virtual void PaintDesigner() {}
    virtual void HandleDesignChoice(int AChoice) {}
    virtual void HandleDesignEditing() {}
    virtual void DoCheckBoxChange(int RCol, int ARow, bool State);                          // Hooks
    virtual bool DoRatingChange(int RCol, int ARow, int NewRate);                           // Hooks
    virtual void DoColorSelect(TObject* Sender);                                            // Hooks
    virtual void DoImageSelect(TObject* Sender);                                            // Hooks
    virtual void DoCellChanging(int ACol, int ARow, bool& CanChange);                       // Input
    virtual void DoCellScroll(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax);
    virtual void DoHoverButtonsShow(int X, int Y, bool& Allow);                             // Hooks
    virtual bool CanShowFixedDropDown(int ACol);                                            // Hooks
    virtual void DoStartBlockFocus() {}
    virtual void DoEndBlockFocus() {}
    virtual void DoIntelliZoom();                                                           // Hooks
public:
    virtual TCustomImageList* GetCellImageList(int RCol, int ARow);                         // Hooks
protected:
    virtual void StyleUpdated() {}
public:
    virtual void ExportNotification(TGridExportState AState, int ARow) {}
    virtual void ImportNotification(TGridImportState AState, int ARow) {}
    // Places the controls kept in cells; RebuildList gathers them from the cells first.
    virtual void CellControlsUpdate(bool RebuildList);                                      // Input
    // Copies the cells of another TQorStringGrid through the UTF-16 cell stream.
    virtual void AssignCells(TPersistent* Source);                                          // Lifecycle
    // 134480386: the bytes 8, 4, 2, 2.
    virtual int GetVersionNr() { return 134480386; }
    // "8.4.2.2 Jan, 2019".
    virtual String GetVersionString();                                                      // Hooks
    virtual bool ValidateCell(const String& NewValue);                                      // Input
    virtual bool ValidateCellWide(const WideString& NewValue);                              // Input
    virtual void RemoveRowsEx(int RowIndex, int RCount);                                    // Structure
    virtual void RemoveRows(int RowIndex, int RCount);                                      // Structure
    virtual void InsertRows(int RowIndex, int RCount, bool Update = true);                  // Structure
    virtual void RemoveCols(int ColIndex, int CCount);                                      // Structure
    virtual void InsertCols(int ColIndex, int CCount);                                      // Structure
    virtual void SubGroup(int ColIndex);                                                    // View
    virtual void SubUnGroup(int ColIndex);                                                  // View
    virtual void Group(int ColIndex);                                                       // View
    virtual void UnGroup();                                                                 // View
    virtual void SetRowEx(int Value);                                                       // View
    virtual void SortSwapRows(int ARow1, int ARow2);                                        // Sort
    // Empties the cells of a rectangle (display columns unless SaveHiddenCells): texts, and their
    // properties and widgets unless ClearTextOnly.
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);                     // Structure
    virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);                      // Structure
    virtual void SaveColPositions();                                                        // Exchange
    virtual void LoadColPositions();                                                        // Exchange
    virtual void SetStyle(QorStyleIF::TJOQStyle AStyle);                                    // Paint
    virtual void SetStyleAndAppColor(QorStyleIF::TJOQStyle AStyle, TColor AppColor);        // Paint
    virtual void Zoom(int x);                                                               // View
    virtual void HideInplaceEdit();                                                         // Input
    virtual void QSort();                                                                   // Sort
    virtual void QSortIndexed();                                                            // Sort
    virtual void QSortGroup();                                                              // Sort
    virtual void QSortGroupIndexed();                                                       // Sort
    virtual void QUnSort();                                                                 // Sort
    virtual void CalcFooter(int ACol);                                                      // Paint
    virtual String SaveCell(int RCol, int ARow);                                            // Hooks
    virtual String ExportCell(int RCol, int ARow);                                          // Hooks

    // ==== What the grid answers its option objects (IQorOptionsGrid) ====
    void OptionsInvalidate() override;
    void OptionsRepaintRow(int ARow) override;
    int OptionsFixedRows() const override;
    bool OptionsHasNodes() const override;
    bool OptionsHasParent() const override;
    void OptionsStretchColumn(int ACol, int NewWidth) override;
    TSortIndexList* OptionsSortIndexList() override;
    void OptionsQSort() override;
    void OptionsQSortIndexed() override;
    void OptionsResetFilterEdit(int ARow) override;
    void SetJOQGradFrom(TColor Value) override;
    void SetJOQGradTo(TColor Value) override;
    void SetJOQGradMirrorFrom(TColor Value) override;
    void SetJOQGradMirrorTo(TColor Value) override;
    void OptionsStoreJOQGrad(TJOQGradField Field, TColor Value) override;

    // ==== Looks, component styles and colour tones (paint/QorGridStyles.cpp) ====
    // IJOQStyle / IJOQStyleEx: stores the style, loads its palette (SetStyleAndAppColor; clNone for
    // SetComponentStyle), styles the picker editors and turns metro scroll bars back to normal.
    void SetComponentStyle(QorStyleIF::TJOQStyle AStyle) override;
    void SetComponentStyleAndAppColor(QorStyleIF::TJOQStyle AStyle, TColor AppColor) override;
    QorStyleIF::TJOQStyle GetComponentStyle() const;
    // IJOQTones: the flat scheme of five tones (classic look, flat, metro scroll bars and glyphs).
    void SetColorTones(const QorStyleIF::TColorTones& ATones) override;
    const QorStyleIF::TColorTones& GetColorTones() const { return FLookState.FTones; }
    // The style passed to every picker editor the grid has made.
    void SetEditorsStyle(QorStyleIF::TJOQStyle AStyle);
    // An XP colour scheme (or the Vista look) for the fixed cells, active cell and footer.
    void SetTheme(TXPColorScheme Scheme);
    // Applies the style of the installed Office theme when it changed since the last call.
    void ThemeAdapt();
    // "glXP", ... and "Windows XP", ...; empty for glCustom.
    static String GetLookAsString(TGridLook Look);
    static String GetLookAsFriendlyString(TGridLook Look);

    // ==== Check box, radio and sort indicator glyphs (paint/QorCellGlyphs.cpp) ====
    // One check box into R on the grid's canvas; with bTriState the state comes from cbState.
    void DrawCheck(TRect R, bool State, bool Enabled, bool Grayed, QorGrid::TControlStyle ControlStyle, bool bTriState,
                   TCheckBoxState cbState);
    // Num radio buttons (Idx checked; -1: the one whose caption is the cell's text), side by side
    // (dir) or stacked, captions from sl (may be null); Print: the y axis runs upward.
    void DrawRadio(TCanvas* Canvas, TRect R, int Num, int Idx, bool dir, bool dis, TStrings* sl, bool Selected,
                   int ACol, int ARow, QorGrid::TControlStyle Style, double ResFactor, bool Print);
    // The sort direction, or the index-sort position of Col, centred at (x, y).
    void DrawSortIndicator(TCanvas* Canvas, int Col, int x, int y);

    // ==== Frame, background, focus helper and sizing lines (paint/QorGridFrame.cpp) ====
    // The one-pixel outer border in BorderColor for the looks that draw their own border.
    void NCPaintProc();
    // The client area right of the last column and below the last row: gradient or wallpaper.
    void PaintBackground();
    // The background bitmap at (BackGround.Left, BackGround.Top), or tiled from crect's top-left
    // less one, clipped to crect (client coordinates).
    void DrawWallPaperFixed(TRect crect);
    void DrawWallPaperTile(TRect crect);
    // The translucent frame around a cell rectangle (client coordinates), shown without activation.
    void ShowFocusHelper(TRect ARect);
    // Dotted XOR lines across the grid while a column or row is sized; drawn again, they go.
    void DrawSizingLine(int x);
    void DrawSizingLineR(int y);

    // ==== Printing and preview (print/QorGridPrint.cpp entry points, print/QorGridPrintLayout.cpp
    //      page layout, print/QorPrintCells.cpp printed cells; print/BuildPages.h the layout
    //      state) ====
    // Print on the system printer (Printer()): all cells, a rectangle of display cells, the
    // selection, or the selected rows and columns only. A document the caller has begun stays
    // open, so several grids can share one job. No printer: EPrinter before anything changes.
    void Print();
    void PrintRect(TGridRect Gridrect);
    void PrintSelection();
    void PrintSelectedRows();
    void PrintSelectedCols();
    // Draw the pages FPrintPageFrom .. FPrintPageTo (PreviewPage) of the print layout into
    // Displayrect (device units of Canvas).
    void PrintPreview(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewRect(TCanvas* Canvas, TRect Displayrect, TGridRect Gridrect);
    void PrintPreviewSelection(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewSelectedRows(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewSelectedCols(TCanvas* Canvas, TRect Displayrect);
    // Draw the first page of the print layout on any canvas, its size the canvas's clip box.
    void PrintDraw(TCanvas* Canvas, TRect DrawRect);
    void PrintDrawRect(TCanvas* Canvas, TRect DrawRect, TGridRect Gridrect);
    // Lays the print rectangle out on pages; PrintMethod 0 draws a preview, 1 prints on ACanvas,
    // 2 and 3 only count (before printing, before a preview). SelRows: only selected rows and
    // columns; MaxPages: the total shown in page numbers (-1 or 1: none). Returns the pages.
    int BuildPages(TCanvas* ACanvas, int PrintMethod, bool SelRows, int MaxPages);
    // Point size to an MM_LOMETRIC font height (negative) scaled by Fontscalefactor, and back.
    int MapFontHeight(int PointSize);
    int MapFontSize(int Height);
    double GetFontscalefactor() const { return FPrint.Fontscalefactor; }
    // The layout's last page and band (page units: tenths of a millimetre, y negative downward).
    TRect GetPrevRect() const { return FPrint.PrevRect; }
    TRect GetPrintPageRect() const { return FPrint.PrintPageRect; }
    int GetPrintPageWidth() const { return FPrint.PrintPageWidth; }
    int GetPrintColStart() const { return FPrint.PrintColStart; }
    int GetPrintColEnd() const { return FPrint.PrintColEnd; }
    // True while a preview is drawn.
    bool GetIsPrintPreview() const { return FPrint.FIsPrintPreview; }
protected:
    // The print and preview operations end here: the cell rectangle, and whether only the
    // selected rows and columns print.
    void PrivatePrintRect(TGridRect Gridrect, bool SelRows);
    void PrivatePrintPreviewRect(TCanvas* Canvas, TRect Displayrect, TGridRect Gridrect, bool SelRows);
public:

    // ==== Implementation from now on ====
protected:
    // The setters of the Visual properties: a repaint unless the grid is loading.
    void PropertyRepaint();
    // Window procedure steps and message methods.
    void WMFilterEditUpdate(TMessage& Message);
    // The outer border (WM_NCPAINT), the date-time and balloon notifications (WM_NOTIFY), the
    // scroll messages and the focus frame following the current cell, in paint/QorGridFrame.cpp.
    void Dispatch(TMessage& Message) override;
    void WMNCPaint(TMessage& Message);
    void WMNotify(TMessage& Message);
    // Resolves a colour to a plain RGB value (system colours looked up now; clNone stays).
    static TColor PlainColor(TColor Value);
    // The grid's colour for the paint to fill the ordinary cells with first (paint/QorGridPaint.cpp).
    TColor PaintPrefillColor() override;

private:
    friend class TGridTestAccess;
    // The cell widget painters (paint/CellWidgetPaint.cpp) read the look state.
    friend struct TCellWidgetPainter;
    // The page layout's routines (print/) work on the grid's print state.
    friend struct TBuildPages;
    // A printed cell's steps (print/QorPrintCells.cpp) read its look as the cell painters do.
    friend struct TPrintedCell;
    // A painted cell that takes its clip has the paint's waiting lines drawn first.
    friend struct TCellPaintContext;

    // Auto-size (store/QorGridAutoSize.cpp) and the measuring it shares with painting
    // (paint/QorCellText.cpp): the canvas font a cell's text is measured in (its font, the bold
    // active header, the zoom); the extent of plain text in the font selected into DC (VS
    // word-wrapped in R, ColSize without a width limit).
    void SetMeasureFont(int ACol, int RCol, int ARow);
    TPoint PlainTextExtent(HDC DC, String Text, TRect R, bool VS, bool ColSize, bool Rotated, bool Editing);
    // One cell's contribution to its column's width (SizeToWidth), measured through
    // GetCellTextSizeInt; Extras adds the room beside the text (node, drop-down, filter, sort).
    int ContentWidth(int ACol, int RCol, int ARow);
    int ContentExtras(int ACol, int RCol, int ARow, int W);
    // The widest content of the rows [First, Last] of a column; FastTexts measures each distinct
    // plain text once where nothing per cell can change its look (false: every cell measured).
    int WidestContent(int ACol, int First, int Last, bool FastTexts);
    bool UniformTextLook(int RCol);
    // A cell measured in its column's font like a cell without properties: none, or properties
    // that only carry what leaves its width alone (colours, alignment, borders, its class's font).
    bool MeasuredAsItsColumn(int ACol, int RCol, int ARow);
    void SetPaddedWidth(int ACol, int Padding);
    void SetPaddedHeight(int ARow, int Padding);
    void AutoNumber(bool Rows, int Index);
    // Records the current column widths as the reference sizes (proportional sizing).
    void InitOrigColSizes();
    // Auto-numbering settings.
    struct TAutoNumState {
        int FStart = 0;
        int FOffset = 0;
        TSortDirection FDirection = sdAscending;
    };

    // Construction steps, in the order construction takes them (store/QorGridCreate.cpp).
    void CreateOptionObjects();
    void CreateLists();
    void SetConstructionDefaults();
    void DetectPlatform();
    void CreateFilterMenu();
    void FillFilterImages() const;
    void CreateRuntimeControls();
    // Destruction steps.
    void ClearCellsForDestruction();
    void FreeOwnedObjects();
    void FreeRuntimeControls();
    // A link property's common step: keep Value with free notifications both ways.
    template <class T>
    void SetLink(T*& Field, T* Value);
    // Copies the settings of another grid (the body of Assign).
    void AssignSettings(TQorStringGrid* Source);
    // The simple properties the lifecycle copies in Assign.
    void AssignScroll(TQorStringGrid* Source);
    // The hidden-column bookkeeping follows the column count.
    void SizeColumnArrays();
    // The floating footer row follows a changed row count (the old last row moves to the new one).
    void MoveFooterRow(int OldCount);
    // The floating footer is shown and so holds the grid's last row.
    bool FooterRowShown() const;
    // Applies the search footer's settings to the panel (SearchChanged's body with a panel).
    void ApplySearchFooter();
    // The save range's real columns and rows.
    int GetSaveColCount();
    int GetSaveRowCount();
    // Framework fixed counts below the wanted minimum while FixedRowAlways/FixedColAlways keep them.
    void SetFixedCountEx(TGridAxisKind A, int Value);
    // Cell widgets (paint/QorCellWidgets.cpp): raises "Invalid cell" for a cell outside the
    // grid; the record attached to the cell itself (never the shared one); the record of the
    // merged area's base cell; repaint at the display column; the rows in the hidden-row store.
    void CheckWidgetCell(int RCol, int ARow);
    TCellGraphic* OwnGraphic(int RCol, int ARow);
    TCellGraphic* BaseGraphic(int RCol, int ARow);
    void RepaintWidget(int RCol, int ARow);
    int HiddenRowCount();
    // Every widget record the hidden rows keep in the hidden-row store, with its real column; a
    // record for which Visit answers true is detached from its cell and freed.
    void ForHiddenRowGraphics(const std::function<bool(int RCol, TCellGraphic*)>& Visit);
    // The record of (real column, real row), also in hidden rows (paint/QorCellCheck.cpp).
    TCellGraphic* RealRowGraphic(int RCol, int RealRow);
    // The proportional thumb of an axis's bar from SI (the bar's state): false when the thumb
    // stays as it is (not proportional, Metro, locked, the lines fit, the page too large).
    bool ProportionalInfo(TGridAxisKind A, SCROLLINFO& SI);
    // Writes the proportional thumb to the bar when it differs, then the flat bar.
    void ApplyScroller(TGridAxisKind A);
    // A bar of the window exists by ScrollBars (SB_HORZ or SB_VERT).
    bool HasScrollBarEx(int Code) const;
    // The scroll hint while the thumb is dragged, "Col : " or "Row : " followed by the line.
    void ScrollHint(TGridAxisKind A, int Code, int Pos);
    // The cell range the fixed background picture covers ((-1, -1, -1, -1) when none is shown).
    TRect FixedBackgroundCells();
    // The in-cell scroll bar's message; true when it came from that bar.
    bool CellScrollBarMessage(TMessage& Message);
    // Stops and frees the drag-scroll timer.
    void FreeDragTimer();
    // StretchColumn with the stored ColumnSize.StretchColumn (nothing for a column the grid no
    // longer has); after a resize, only when the other columns leave room.
    void StretchStored();
    void StretchOnResize();
    // The option objects the size hooks read exist (not during construction or destruction).
    bool SizeHooksReady() const;
    // The thumbs again after a paint, size or button-up message (the window procedure's step).
    void ScrollersForMessage(UINT Msg);
    // The theme notifier knows the grid's window while AutoThemeAdapt is on
    // (paint/QorGridAppearance.cpp).
    void ThemeNotifierRegistration(bool Register);

    // Marking and fills (store/QorGridMark.cpp): the cores over a list of real columns (each base
    // cell rewritten, written only when its text changes); the fill area as display columns and rows.
    template <class F>
    void RewriteBaseCells(const std::vector<int>& Cols, int FromRow, int ToRow, F&& Rewrite);
    void MarkCellsIn(const std::vector<int>& Cols, int FromRow, int ToRow, const String& s, const String& tag,
                     bool DoCase, bool FullCell);
    void UnMarkCellsIn(const std::vector<int>& Cols, int FromRow, int ToRow, const String& tag);
    template <class F>
    void ForFillArea(bool DoFixed, F&& Fill);
    // Arithmetic (store/QorGridCalc.cpp): a column range made ready (defaults, numbering, bounds),
    // its rows taking part with their numbers, and the selection's cells as shown.
    struct TColumnRange;
    TColumnRange MakeColumnRange(int FromRow, int ToRow);
    template <class F>
    void ForTakenRows(int ACol, const TColumnRange& R, bool Notify, F&& Visit);
    double SumOfTaken(int ACol, int FromRow, int ToRow, int& Taken);
    double ColumnExtreme(int ACol, int FromRow, int ToRow, bool Largest);
    double RowCalc(int ARow, int fromCol, int toCol, TCalcType CalcType);
    double SelectionCalc(TCalcType CalcType);
    // Nodes (view/QorGridNodes.cpp): the node record of a display row (null for other rows); its
    // contracted flag with the merge-collapse flags of the row's cells; the range-hidden rows of a
    // real range brought back; the enclosing nodes of a display row, innermost first, as real rows.
    TCellGraphic* NodeAt(int ARow);
    void SetNodeContracted(int ARow, TCellGraphic* Node, bool Value);
    void UnHideNodeRows(int FromRealRow, int ToRealRow);
    std::vector<int> NodeAncestors(int ARow);
    // Level of the node-column cell of a display row (0 without properties).
    int RowLevel(int ARow);
    // The search panel lays itself out again after a change of the rows.
    void NudgeSearchPanel();
    // Grouping (view/QorGridGroup.cpp): header and summary looks, the walk's node closing.
    void ColorGroupRow(int ARow, bool Header, bool Plain, int FromCol = -1);
    void ResetGroupRowColors(int ARow, bool Header);
    bool IsGroupRow(int ARow) { return IsNode(ARow) || IsSummary(ARow); }

    // Rows in bulk (view/QorGridHidden.cpp): the hidden-row lookup, built when missing.
    const THiddenRowMap& HiddenMap();
    // Every real column of the cell store (the shown and the hidden ones).
    int AllCols() { return GetColCount() + FDims.FNumHidden; }
    // A display row's stored row moves whole into a new hidden-row item, with its height; the
    // row is left empty.
    TGridItem RowToItem(int ARow, int RealRow, int Level);
    // An item's stored row moves whole back into an empty display row.
    void ItemToRow(TGridItem& Item, int ARow);
    // Takes the display rows Rows (ascending) out of the string grid in one pass: the rows after
    // them close up with their heights, and the emptied rows end up beyond the new count.
    void CloseRowGaps(const std::vector<int>& Rows);
    // Restores the items at the store's slots Slots (each once) in one bottom-up pass and takes
    // them out of the store.
    void RestoreItems(std::vector<int> Slots);
    // Side lists follow inserted and removed rows: the display rows and real rows involved. For
    // insertions, one new row before each listed row (ascending, a repeated row takes several).
    void SideListsInserted(const std::vector<int>& Rows, const std::vector<int>& RealRows);
    void SideListsRemoved(const std::vector<int>& Rows, const std::vector<int>& RealRows);
    // Empty rows of default height go in before each display row of Before (ascending, repeats
    // allowed; RowCount for the end) in one pass, with every side list following: the bulk
    // counterpart of InsertRows for grouping.
    void InsertRowsBefore(const std::vector<int>& Before);
    // Frees the properties of the stored rows from Row on beyond the count and empties them.
    void ScrubStoredRows(int FromRow, int ToRow);
    // The removal shared by the row-removing operations: display rows (ascending, each once)
    // leave with their properties freed (Release) or detached; hidden rows, side lists, cell
    // controls, heights and the current cell follow.
    void RemoveDisplayRows(const std::vector<int>& Rows, bool Release);
    // Count display rows from From move to start at Dest, with their heights and side lists; the
    // real rows of the span keep their places, so hidden rows never move.
    void MoveDisplayRows(int From, int Count, int Dest);
    // Row side lists kept by real row follow display rows that changed places within a span:
    // Slots are the span's real rows, NewPos gives each slot's new index within the span.
    void MoveRealSideLists(const std::vector<int>& Slots, const std::vector<int>& NewPos);
    // Columns of the whole store move: cells, widths, visibility and column lists.
    void RotateColumns(int First, int Middle, int Last);
    // Filtering (sortfilter/QorGridFilter.cpp): a row against a filter parsed once, the steps that
    // end a filter level, and rows a popped level brought back under contracted nodes.
    bool MatchCompiledFilter(const QorGridDetail::TCompiledFilter& F, int ARow);
    // The parsed filter of a pass, with what the grid lets it read directly.
    std::unique_ptr<QorGridDetail::TCompiledFilter> CompileFilter();
    // Whether the shown text of a real column's cells without properties is their stored text:
    // no display-text hook, link or group count changes it, and no descendant can.
    bool PlainDisplayText(int RCol);
    void EndFilterLevel();
    void KeepContractedChildrenHidden();
    // Sorting (sortfilter/QorGridSort.cpp): the grid as the sort engine reads it, the steps every
    // grid-level sort takes around its row moves, a sort of rows Left .. Right (by a column or
    // by the index list) applied through SortSwapRows, and a row order applied the same way
    // (Follow, when given, is a row list exchanged along), the sort inside nodes.
    class TSortCells;
    class TSortFrame;
    void SortRange(int Col, int Left, int Right, bool Indexed);
    void ApplyRowOrder(int Left, const std::vector<int>& Order, TIntList* Follow);
    void QSortGroupInt(bool Indexed);
    // With MoveRowOnSort: the current row goes where the sort took its row (OnRowChanging told).
    void FollowSortRow(int r0);
    // The repaint of a cell written by storage coordinates.
    void RepaintStored(int RCol, int ARow);
    // A per-cell look setter's common steps.
    template <class F>
    void SetCellLook(int RCol, int ARow, bool RepaintAlways, F Apply);
    // Properties with the grid's default look for the cell, kept in no slot (the caller owns them).
    TCellProperties* DetachedProps(int RCol, int ARow);
    // The row colours' common steps.
    void SetRowLook(int ARow, TColor AColor, void (TCellProperties::*Setter)(TColor));
    // Range formatting walks columns outer, rows inner.
    template <class F>
    void ForRange(const TGridRect& R, F Visit);
    // Disjunct cell keys.
    static Int64 CellKey(int ACol, int ARow) { return (Int64(ARow) << 32) | Int64(std::uint32_t(ACol)); }

    // Cell painting (paint/QorGridPaint.cpp, paint/QorCellText.cpp): the layers of DrawGridCell,
    // each on the one context of the cell, in the order the cell is painted.
    bool IsNormalCell(int RCol, int ARow);
    bool IsFixedCellOf(int ACol, int ARow);
    void PaintCellScrollBar(TCellPaintContext& C);
    void PaintCellStyle(TCellPaintContext& C);
    void PaintFixedLook(TCellPaintContext& C);
    void PaintFixedHover(TCellPaintContext& C);
    void PaintRowIndicator(TCellPaintContext& C);
    void PaintListViewHeader(TCellPaintContext& C);
    void PaintModifiedMarker(TCellPaintContext& C);
    void PaintEditorButtons(TCellPaintContext& C);
    void PaintCellContent(TCellPaintContext& C);
    void PaintFixedEdges(TCellPaintContext& C);
    void PaintRightFixedFrame(TCellPaintContext& C);
    void PaintNodeTree(TCellPaintContext& C);
    void PaintFocusRect(TCellPaintContext& C);
    // The widget, border, background and sort-indicator layers of a cell.
    enum class TCellWidgetStep { Graphic, Borders, WallPaperFixed, WallPaperTile, GradientBackground, SortIndicator };
    void CellWidgetLayer(TCellPaintContext& C, TCellWidgetStep Step, TRect& R, TCellGraphic* CG = nullptr,
                         TVAlignment VertAlign = vtaTop);
    bool IsSortHeaderCell(TCellPaintContext& C);
    // DrawCellText and its steps.
    void DrawCellText(TCellPaintContext& C);
    bool TextSelectionColors(TCellPaintContext& C);
    String CellDisplayText(TCellPaintContext& C, QorUtil::TTextType& Type);
    void PaintCellBackdrops(TCellPaintContext& C, TRect R);
    void PaintSelectionRectangle(TCellPaintContext& C, const TRect& R);
    void TakeWidgetRoom(TCellPaintContext& C, TRect& R);
    void DrawHTMLCellText(TCellPaintContext& C, const String& Text, TRect R);
    void DrawRTFCellText(TCellPaintContext& C, TRect R);
    void DrawPlainCellText(TCellPaintContext& C, String Text, TRect R, const String& Placeholder);
    void DrawSortIndicatorAt(TCellPaintContext& C, int X, const TRect& R);
    // ---- Plain-screen painting speed (paint/QorGridPaint.cpp, paint/QorVisualProps.cpp) ----
    // Whether every layer of the cell stays inside it, so that the paint loop need not clip it.
    bool CellPaintsInside(int ACol, int ARow) override;
    // Whether the border layer has anything to draw for the cell.
    bool CellHasBorders(int RCol, int ARow);
    // The cell's look without the selection, kept by the base grid's pass of GetVisualProperties
    // for DrawGridCell's, while the grid paints itself.
    struct TPaintCellLook;
    TPaintCellLook* FPaintCellLook = nullptr;
    // The font GetVisualProperties gives a cell on the screen first (the fixed font in the fixed
    // rows and columns).
    TFont* CellStartFont(int ACol, int ARow) override;

    // ---- State, by area ----------------------------------------------------------------------------

    // Option objects, owned and freed in the destructor's order.
    struct TOptionObjects {
        TFreePtr<TAutoColor> FAutoColor;
        TFreePtr<TFocusHelper> FFocusHelper;
        TFreePtr<TSearchFooter> FSearchFooter;
        TFreePtr<TFloatingFooter> FFloatingFooter;
        TFreePtr<TPrintSettings> FPrintSettings;
        TFreePtr<THTMLSettings> FHTMLSettings;
        TFreePtr<TSortSettings> FSortSettings;
        TFreePtr<TDragDropSettings> FDragDropSettings;
        TFreePtr<TDragScrollOptions> FDragScrollOptions;
        TFreePtr<TControlLook> FControlLook;
        TFreePtr<TNavigation> FNavigation;
        TFreePtr<TColumnSize> FColumnSize;
        TFreePtr<TCellNode> FCellNode;
        TFreePtr<TBands> FBands;
        TFreePtr<TSizeWhileTyping> FSizeWhileTyping;
        TFreePtr<TMouseActions> FMouseActions;
        TFreePtr<TGrouping> FGrouping;
        TFreePtr<TBackGround> FBackGround;
        TFreePtr<TGridProgressAppearance> FProgressAppearance;
        TFreePtr<TSyncGrid> FSyncGrid;
        TFreePtr<TBalloonSettings> FBalloonSettings;
        TFreePtr<TShowModified> FShowModified;
        TFreePtr<TQorHintInfo> FOfficeHint;
        TFreePtr<TFilterDropDown> FFilterDropDown;
        TFreePtr<TFilterEdit> FFilterEdit;
        TFreePtr<THoverButtons> FHoverButtons;
        TFreePtr<TFilter> FFilter;
        TFreePtr<TFont> cf;                  // scratch font of GetCellFont
        TFreePtr<TFont> FFixedFont;
        TFreePtr<TFont> FActiveCellFont;
        TFreePtr<TBitmap> FRowIndicator;
        TFreePtr<TCellGraphic> FCellGraphic;   // the shared record of virtual and row check boxes
        // Links to components the grid does not own.
        TQorStringGridCheck* FCellChecker = nullptr;
        TPopupMenu* FFixedDropDownMenu = nullptr;
        TCustomImageList* FGridImages = nullptr;
        TPictureContainer* FPictureContainer = nullptr;
        TQorGridPopup* FPopupToolBar = nullptr;
    };

    // Lists: headers, selections, sort references, sizes, cell controls, hidden rows.
    struct TGridLists {
        TFreePtr<TStringList> FColumnHeaders, FRowHeaders, Sortlist, FLookupItems, FFilterList;
        TFreePtr<TList> FRowSelect, FColSelect, FNotifierList;
        TFreePtr<TIntList> FCacheRowHeights, FOrigColSizes, FSuppressColSizes, FSuppressRowSizes;
        TFreePtr<TIntList> FSortRowXRef, FUnSortRowXRef, FMergedColumns;
        TFreePtr<TIntList> FSelectedRows, FModifiedRows, FEnabledRows;
        TFreePtr<TIntList> FColumnOrder, FIgnoreColumns;
        TFreePtr<TSortIndexList> FSortIndexes;
        TFreePtr<TControlList> FControlList;
        TGridItems FGridItems;                     // hidden rows
        TFreePtr<THTMLPictureCache> FImageCache;
    };

    // Child windows and editor controls (components owned by the grid, freed in order).
    struct TGridWindows {
        TFooterPanel* FFooterPanel = nullptr;
        TSearchPanel* FSearchPanel = nullptr;
        TDropList* FDropList = nullptr;
        TDropCheckList* FDropCheckList = nullptr;
        TImageList* FFltrList = nullptr;   // filled on first use: reach it through GetFilterImages
        TPopupMenu* FFltrPopup = nullptr;
        mutable bool FFltrFilled = false;
        TGridFocusWindow* FFocusWindow = nullptr;
        TArrowWindow* ArwU = nullptr;
        TArrowWindow* ArwD = nullptr;
        TArrowWindow* ArwL = nullptr;
        TArrowWindow* ArwR = nullptr;
        TGridCombo* EditCombo = nullptr;
        TGridTransEdit* EditTrans = nullptr;
        TGridTransCombo* ComboTrans = nullptr;
        TGridCheckBox* EditCheck = nullptr;
        TGridEditBtn* EditBtn = nullptr;
        TGridUnitEditBtn* UnitEditBtn = nullptr;
        TGridButton* GridButton = nullptr;
        THeaderDragButton* MoveButton = nullptr;
        TControlEdit* FEditControl = nullptr;
        TControlCombo* FComboControl = nullptr;
        TScrollBar* FScrollBar = nullptr;
        TScrollBar* FPaintScrollBar = nullptr;
        TNoActiveForm* FButtonForm = nullptr;
        TScrollControl* vscrlctrl = nullptr;
        TScrollControl* hscrlctrl = nullptr;
        THTMLHintWindow* FScrollHintWnd = nullptr;
        // Made on first use by the editing and picker areas; null after construction.
        TWinControl* FEditSpin = nullptr;
        TWinControl* FEditDate = nullptr;
        TWinControl* FEditDateTime = nullptr;
        TQorRichEdit* FRichEdit = nullptr;
        TQorRichEdit* FInplaceRichEdit = nullptr;
        TWinControl* FEditTrackBar = nullptr;
        TWinControl* FEditMemo = nullptr;
        TWinControl* FEditCalculator = nullptr;
        TWinControl* FEditTimePicker = nullptr;
        TWinControl* FEditDetailPicker = nullptr;
        TWinControl* FEditGridPicker = nullptr;
        TWinControl* FEditColorPicker = nullptr;
        TWinControl* FEditImagePicker = nullptr;
        TWinControl* FEditQorGridPicker = nullptr;
        // The drop target, the drag-scroll timer and the hidden-row lookup come with their areas.
        TObject* FGridDropTarget = nullptr;
        TComponent* FScrollTimer = nullptr;
        TObject* FHiddenRowLookup = nullptr;
        HWND FBalloonWnd = nullptr;
    };

    // Dimensions (store/QorGridDims.cpp).
    struct TDimState {
        QOR_GRID_STRUCT_PROPS(QOR_GRID_PROP_FIELD)
        std::vector<bool> FVisibleCol;     // one per real column; true = shown
        std::vector<int> FAllColWidths;    // one width per real column, kept for hidden columns
        int FNumHidden = 0;
        int FMaxRowCount = 0;
        int FMaxColCount = 0;
        // The wanted fixed counts start at the framework grid's, so that a grid made in code keeps
        // its fixed row and column when FixedRowAlways or FixedColAlways comes on.
        int FFixedRowsMin = 1;
        int FFixedColsMin = 1;
        int FAECol = -1;
        int FAERow = -1;
        bool FAutoSize = false;
        bool FWordWrapEx = true;
        int FMinRowHeight = 0;
        int FMaxRowHeight = 0;
        int FMinColWidth = 0;
        int FMaxColWidth = 0;
        bool FSizeGrowOnly = false;
        int FOldSize = -1;
        int FZoomFactor = 0;
        bool FColChanging = true;
        int FNumNodes = 0;
        int FGroupColumn = -1;
        bool FIsGrouping = false;
    };

    // Cell texts, formats and saving.
    struct TTextState {
        QOR_GRID_TEXT_PROPS(QOR_GRID_PROP_FIELD)
        TAlignment FDefaultAlignment = taLeftJustify;
        int FVAlign = 0;                   // DT_TOP, DT_VCENTER or DT_BOTTOM
        String FCheckTrue = QorGridConsts::SDefaultCheckTrue;
        String FCheckFalse = QorGridConsts::SDefaultCheckFalse;
        Char FPasswordChar = L'*';
        Char FDelimiter = 0;
        bool FFixDecSep = true;
        UINT FEncoding = CP_UTF8;
        String FXMLEncoding = QorGridConsts::SDefaultXMLEncoding;
        bool FInWorkbook = false;
        bool FShowColNrs = true;
        bool FSaveFormula = false;
        bool FJavaCSV = false;
        bool FQuoteEmptyCells = true;
        bool FQuoteCellsWithQuotes = true;
        bool FMultiLineImport = true;
        bool FTrimSpaces = true;
        bool FAlwaysQuotes = false;
        bool FSaveFixedCells = true;
        bool FSaveFixedRows = false;
        bool FSaveFixedCols = false;
        bool FSaveHiddenCells = false;
        bool FSaveVirtCells = true;
        bool FSaveMergedCells = true;
        bool FSaveWithHTML = true;
        bool FSaveWithRTF = false;
        bool FClearTextOnly = false;
        bool FOwnsObjects = false;
        bool FNilObjects = false;
        bool FBlockCellChange = false;
        bool FShowNullDates = true;
        bool FVirtualCells = false;
        bool FOwnWordWrap = true;
        TPoint FTextOffset{2, 2};
        TPoint FRTFOffset{0, 0};
    };

    // Editing.
    struct TEditState {
        QOR_GRID_EDIT_PROPS(QOR_GRID_PROP_FIELD)
        bool FEditDisable = false;
        bool FEditMode = false;
        TEditorType FEditControl = edNormal;
        // Raised while the editor's text is read (GetEditText); the editor lowers it after loading
        // the text, so that the load fires no edit-change event.
        bool FNoEditChange = false;
        Char FStartEditChar = 0;
        bool FVirtualEdit = false;
        bool FValidateDblClick = false;
        bool FDoneEditing = false;
        bool FBlockCellChanging = false;
        bool FBlockSelChange = false;
        bool FLastValidation = true;
        // Validate an edited cell even when its text did not change (the spin editor's flag of the
        // same name is its own: limits applied even when they are equal).
        bool FAlwaysValidate = false;
        int FComboIdx = -1;
        bool FEditChange = false;
        int FLastTabCol = -1;
        int FLastTabRow = -1;
        bool FAllowAutoAdvance = true;
        bool FInvalidSel = false;
        String FCellCache;
        TEditLink* FEditLink = nullptr;
        int FClickedCol = -1;
        int FClickedRow = -1;
        bool FColSized = false;
        bool FRowSized = false;
        String FSearchInc;
        TPoint FPushedCellButton{-1, -1};
        TPoint FSearchCell{0, 0};
        int FSearchTicks = 0;
        bool FFindBusy = false;
        bool FEnableChangeEvents = true;
        bool FSpreadSheet = false;
        bool FModified = false;
    };

    // Colours, look and platform facts.
    struct TLookState {
        QOR_GRID_LOOK_PROPS(QOR_GRID_PROP_FIELD)
        QorStyleIF::TJOQStyle FStyle = QorStyleIF::tsCustom;
        QorUtil::TColorTones FTones{};
        QorStyleIF::TOfficeTheme FOldOfficeTheme = QorStyleIF::otUnknown;
        TColor FGradientFrom = TColor(0x00FFFFFF), FGradientTo = clBtnFace;
        TColor FGradientMirrorFrom = clNone, FGradientMirrorTo = clNone;
        TColor FJOQGradFrom = clNone, FJOQGradTo = clNone, FJOQGradMirrorFrom = clNone, FJOQGradMirrorTo = clNone;
        TColor FJOQGradHoverFrom = clNone, FJOQGradHoverTo = clNone, FJOQGradHoverMirrorFrom = clNone;
        TColor FJOQGradHoverMirrorTo = clNone, FJOQGradHoverBorder = clNone;
        TColor FJOQGradDownFrom = clNone, FJOQGradDownTo = clNone, FJOQGradDownMirrorFrom = clNone;
        TColor FJOQGradDownMirrorTo = clNone, FJOQGradDownBorder = clNone;
        bool FUseDisabledFont = true;
        bool FIsWinXP = false;
        bool FIsWin7 = false;
        bool FIsWinVista = false;
        bool FIsComCtl6 = false;
        bool FIsFlat = false;
        double FDPIScale = 1.0;
        bool FUseStyleServices = true;
        bool FUseVCLStyles = false;
        bool FStyleBkg = false;
        bool FFitCellsInGrid = true;
        bool FIntelliZoomEnabled = true;
        bool FDefaultDrawingEx = true;
        TPoint FHoverFixedCell{-1, -1};
        int FHoverlink = -1;
        TGridDrawingStyle FDrawingStyle = gdsClassic;
    };

    // Selection and the current cell.
    struct TSelState {
        QOR_GRID_SELECTION_PROPS(QOR_GRID_PROP_FIELD)
        TGridRect FDisSelection{-1, -1, -1, -1};
        bool FSelChange = false;
        int FOldRowSel = -1;
        int FMouseSelectMode = 0;      // msNormal
        int FMouseSelectStart = -1;
        bool FSelectionClick = false;
        bool FShowFocusRect = true;
        TPoint FClipTopLeft{-1, -1};
        bool FForceSel = false;
        ITQorStringGridSelect* FISelect = nullptr;
        int FOldLeftCol = 0;
        int FOldTopRow = 0;
        bool FMouseDown = false;
        bool FSizeFixed = false;       // the mouse is over a fixed column's sizing edge
    };

    // Hover, hints and links.
    struct THintState {
        QOR_GRID_HINT_PROPS(QOR_GRID_PROP_FIELD)
        TPoint FLastHintPos{-1, -1};
        TPoint FLastBalloonPos{-1, -1};   // the cell of the last balloon text
        String FBalloonBuffer;            // the text the tool tip's request points to
        bool FUseHTMLHints = false;
        int FLastDesignChoice = -1;
    };

    // Scrolling and the wheel.
    struct TScrollState {
        QOR_GRID_SCROLL_PROPS(QOR_GRID_PROP_FIELD)
        TScrollStyle FScrollBars = TScrollStyle::ssBoth;
        UINT wheelmsg = WM_MOUSEWHEEL;
        int wheelscrl = 3;
        bool wheelpan = false;
        TPoint FTouchScrollPt{-1, -1};
        TPoint ptdown{-1, -1};
        int FLastScrollCode = 255;
        bool FScrollStart = false;
        bool FScrollEnd = false;
        bool FOleDropTargetAssigned = false;
        // While raised the proportional thumbs are left alone (Zoom raises it).
        bool FScrollLock = false;
        bool FScrollHintShow = false;
        // The cell the in-cell scroll bar (FWin.FScrollBar) belongs to: real column, display row.
        int FScrollCol = -1;
        int FScrollRow = -1;
        TDragScrollDirection FDragScrollDirection;
        TTimer* FDragTmr = nullptr;
        int FScrollSteps = 0;
        int FScrollDelta = 0;
        bool FScrollVert = true;
    };

    // Column stretching and mouse sizing in proportion (view/QorGridStretch.cpp).
    struct TStretchState {
        bool FIsColChanging = false;   // stretching now: its own width changes do not stretch
        bool ColchgFlg = false;        // a stretch completed: later width changes stretch again
        bool ColSizeFlg = false;
        int Colclicked = -1;
        int Rowclicked = -1;
        int Colclickedsize = 0;
        int Rowclickedsize = 0;
    };

    // Filtering.
    struct TFilterState {
        QOR_GRID_FILTER_PROPS(QOR_GRID_PROP_FIELD)
        int FFilterLevel = 0;
        int FFilterCol = -1;
        bool FBlockFilterUpdate = false;
        bool FFilterIncremental = false;
        bool FFilterDropDownMultiColEx = true;
        int FEditFilterColumn = -1;
        String FEditFilterCondition;
        TFilterType FEditFilterType = ftNone;
        TFilterDropDownColumns FFilterDropDownColumnsEx = fdNormal;
        int FFilterFixedRows = -1;
        String FLastFilter;
        bool FIsNarrowDown = false;
        bool FNarrowDownFromStart = false;
        const QorGridDetail::TCompiledFilter* FRun = nullptr;   // the filter of the pass under way
    };

    // Printing.
    struct TPrintState {
        int FPrintPageFrom = 1;
        int FPrintPageTo = 1;
        int FPrintPageNum = 0;
        bool FPrinterDriverFix = false;
        bool FFastPrint = false;
        int FPrintNrOfPages = 0;
        bool FClipboardFormatExcel = false;
        // Per column: printed width and left edge on the page, filled by printing.
        std::vector<int> MaxWidths, Indents;
        // The display cells being printed, the page or display rectangle the entry points give
        // the layout, the last page and band of the layout.
        TGridRect FPrintRect{};
        TRect PrevRect{};
        TRect PrintPageRect{};
        int PrintPageWidth = 0;
        int PrintColStart = 0;
        int PrintColEnd = 0;
        // Font sizes of printed cells are multiplied by it (the fit-to-page factor).
        double Fontscalefactor = 1.0;
        // The drawing pass reuses the row heights the counting pass put in FCacheRowHeights.
        bool FUseCacheRowHeights = false;
        bool FIsPrintPreview = false;
        // The drawing pass draws on the printer (not on a preview or any other canvas).
        bool FOnPrinter = false;
    };

    // Window, loading and batching.
    struct TRunState {
        bool FLoading = false;
        bool FLoaded = false;
        UINT_PTR FGridTimerID = 0;
        TCursor FOldCursor = crDefault;
        int FUpdateCount = 0;
        int FPaintCount = 0;
        bool ccuCall = true;
        int FCellControlCount = 0;
        bool FFirstRowLoaded = true;
        bool FDataAware = false;
        TNotifyEvent FOldFormResize;    // the form's OnResize a SizeWithForm grid replaced
        bool FFormResizeReplaced = false;
        bool FMovingFocus = false;      // the focus frame is being placed (the hook sees its moves)
    };

    // Sorting: the direction of the running column sort, the followed row, the work counters.
    struct TSortState {
        int SortDir = 1;
        int SortRow = -1;
        Int64 Compares = 0;
        Int64 Swaps = 0;
    };

    // Grouping: what Group saved of the group column for UnGroup (a sub-grouping keeps its own).
    struct TGroupState {
        String FGroupCaption;
        String FGroupFooter;
        int FGroupWidth = 0;
    };

    // Cell painting: switches of the drawing events and the mouse's marks on cells (set by the
    // mouse handling; painting reads them).
    struct TPaintState {
        bool FNoDefaultDraw = false;       // no default text when a drawing event is assigned
        bool FNoImageAndText = false;      // no text in cells that carry a widget
        bool FXYOffsetTopLeftOnly = false; // the text inset applies at the left and top only
        bool FDropDownDown = false;        // the fixed drop-down zone is pressed
        bool FColumnMoving = false;        // a column is being moved with the mouse
        int FMoveColumn = -1;              // the column being moved
        TPoint FHoverCell{-1, -1};         // the cell under the mouse
        TColor FSelectionRectangleColor = clBlack;
        bool FBlinkOn = false;             // the "on" phase of blinking text
        bool FCtrlDown = false;            // a link or inline control is pressed
        String FCtrlDownId;
    };

    // Data model II: hidden-row lookup, disjunct cells, parked selection, row marks.
    struct TModelState {
        THiddenRowMap FHiddenMap;
        bool FHiddenMapValid = false;
        std::vector<Int64> FSelectedCells;     // keys in selection order
        TGridRect FOldSelection{};
        bool FSelHidden = false;
        bool FUseEnabledRows = false;
        bool FRowSelMod = false;
    };

    TOptionObjects FOpt;
    TGridLists FLists;
    TGridWindows FWin;
    TDimState FDims;
    TTextState FText;
    TEditState FEdit;
    TLookState FLookState;
    TSelState FSel;
    THintState FHints;
    TScrollState FScroll;
    TStretchState FStretch;
    TFilterState FFilterState;
    // Filter lists and the filter edit row (sortfilter/QorGridFilterList.cpp).
    struct TFilterListState {
        bool FDoAutoEditFilter = false;
        int FFltrPopPressCol = -1;   // the column whose filter-type glyph was pressed
    } FFilterListState;
    TPrintState FPrint;
    TRunState FRun;
    TModelState FModel;
    TSortState FSort;
    TGroupState FGroup;
    TPaintState FPaint;
    TAutoNumState FAutoNum;

    // ==== Header-cell editing, balloon text, painting without mirroring (input/HeaderEditors.cpp,
    // input/BalloonText.cpp) ====
public:
    // Opens the header editor over a fixed cell (display column, row); raises
    // SCannotStartFixedEdit for a cell that is not fixed.
    void ShowFixedInplaceEdit(int Col, int Row);
    // Gives the keyboard focus back to the grid.
    void HideFixedInplaceEdit();
    // Places the header edit box or combo box over fixed cell (x, y) (display column, row) and
    // focuses it; FilterEdit: the cell belongs to the filter row (edit box, 19 pixels in).
    void StartFixedEdit(int x, int y, bool FilterEdit);
    // The header cell being edited (display column, row).
    TPoint GetFixedEditCell() const { return TPoint(FFixedEdit.Col, FFixedEdit.Row); }
    TGridTransEdit* GetEditTrans() const { return FWin.EditTrans; }
    TGridTransCombo* GetComboTrans() const { return FWin.ComboTrans; }
    // The header editors' change handlers: OnEditChange, OnComboChange with the edited cell.
    void FixedEditChange(TObject* Sender);
    void FixedComboSelect(TObject* Sender);
    // What a cell's balloon shows of its text: markup stripped, rich text as its plain text.
    String BalloonCellText(int C, int R);
    // Set while cells are painted onto a surface of their own (the floating footer's panel):
    // right-to-left check boxes are then shifted by the text inset, not mirrored in the client.
    bool GetNoRTLOrientation() const { return FNoRTLOrientation; }
    void SetNoRTLOrientation(bool Value) { FNoRTLOrientation = Value; }

private:
    friend class TGridTransEdit;
    friend class TGridTransCombo;
    // Ends a header edit of Text for (real column Col, Row): OnCellValidate, then OnEditingDone and
    // the store; false (with the balloon on TipWnd when the grid has invalid-entry texts) when
    // validation refuses it. The filter row's filter or OnEditCellDone come with the edit box.
    bool FixedEditDone(TWinControl* Editor, HWND TipWnd, bool TipAllowed, int Col, int Row, String Text,
                       bool FilterEdit, bool NotifyDone);
    struct TFixedEditState {
        int Col = 0, Row = 0;   // FFixedColEdit, FFixedRowEdit
    } FFixedEdit;
    bool FNoRTLOrientation = false;
};
