// QorGridDefs: the enumerations, sets, event types and small records that the grid's areas share.
// Each area's own private types live in its folder; what two or more areas (or the grid's users)
// name lives here, once.
#pragma once

#include "framework/System.h"

// ==== Option objects: the value types of the grid's option classes (grid/store/QorGridOptions.h) ====
// Read by the areas that carry out each option (painting, input, sorting, exchange); the option
// classes only hold them. Their identifier tables for stored descriptions are registered with the
// option classes (RegisterQorGridOptionClasses).

class TObject;

// Search bar (TSearchFooter).
enum TSearchType { stSearch, stNarrowDown };
enum THighlightType { hMatchingText, hFullCell };
enum TSearchDirection { sdTopBottom, sdLeftRight };

// Keyboard and editing (TNavigation).
enum TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TClipboardCutAction { caClear, caRemove };
enum TClipboardPasteAction { paReplace, paInsert };
enum TCursorAdvance { caDefault, caSnake, caLoop };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell, heDefault };
enum TToggleTriStateCheck { tsAllStates, tsCheckUnCheck };

// Mouse (TMouseActions).
enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction { waMoveSelection, waScroll };
enum TWheelActive { waFocus, waMouseOver };
// Asks whether the grid is in its design state; Designing is the answer.
using TIsDesigningEvent = std::function<void(TObject* Sender, bool& Designing)>;

// Nodes, column sizes, printing, background, progress cells, filters, hover buttons.
enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };
enum TColumnSizeLocation { clRegistry, clIniFile };
enum TAutoSizeRows { arAll, arNormal, arFixed, arVisible };
enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
    pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical, pbAroundHorizontal,
    pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };
enum TProgressStyle { psXP, psClassic };
enum TFilterMethod { fmExpression, fmLiteral };
enum TFilterDropDownColumns { fdNormal, fdAll };
enum THoverButtonPosition { hbLeftFromColumnLeft, hbRightFromColumnLeft, hbLeftFromColumnRight, hbRightFromColumnRight };
enum THoverRows { hrAll, hrNormal };

// Sorting (TSortSettings).
enum TSortDirection { sdAscending, sdDescending };
enum TSortBlankPosition { blFirst, blLast };
enum TSortStyle {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU, ssShortDateUS,
    ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages, ssCheckBox, ssDateTime,
    ssTime, ssAlphaNumeric, ssAlphaNumericNoCase, ssNatural, ssVarDate
};
enum TIndexSortKey { ikShift, ikCtrl };
// A column's data type as ColumnType guesses it.
enum TColumnType { ctNumeric, ctFloat, ctAlpha, ctDate, ctTime, ctBoolean };

// The look of in-cell controls (TControlLook). The framework's TControlStyle (the set of a
// control's style flags) holds the global name, so the grid's look style lives in namespace
// QorGrid; its values are global as usual.
namespace QorGrid {
enum class TControlStyle { csClassic, csFlat, csWinXP, csBorland, csJOQ, csGlyph, csTheme };
} // namespace QorGrid
using enum QorGrid::TControlStyle;

// The grid's hover and pressed fixed-cell colours that the control look stores without a repaint
// (IQorOptionsGrid::OptionsStoreJOQGrad).
enum class TJOQGradField {
    HoverFrom, HoverTo, HoverMirrorFrom, HoverMirrorTo, HoverBorder,
    DownFrom, DownTo, DownMirrorFrom, DownMirrorTo, DownBorder
};
// ==== end of the option objects' types ====

// ==== Satellites: the windows and settings the grid creates for its later areas (grid/QorGridSatellites.h) ====
// Panels, filter lists, editors, hint, arrow and focus windows, the metro scroll indicator, the
// floating footer and the drag-and-drop settings.

class TQorStringGrid;

// What the floating footer shows (TFloatingFooter::FooterStyle).
enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };
// The footer's own calculation of a custom footer cell: Value becomes the cell's text.
using TFooterCalcEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;

// Where a move-target arrow points (TArrowWindow).
enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

// The orientation of a metro scroll indicator (TScrollControl).
enum TScrollDirection { sdVertical, sdHorizontal };

// A filter list's choice: the index of the chosen item.
using TDropSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;
// ==== end of the satellites' types ====

#include "framework/Classes.h"

#include <functional>

// ==== Cell store and base grid: the value types of grid/BaseGrid.h =============================

// The grid's exception: a plain English message (the texts are in QorGridConsts.h).
DECLARE_EXCEPTION(EQorGridError, Exception)

// Where ScrollInView puts the cell.
enum TScrollPosition { spMiddle, spTrailing, spLeading };

// Vertical placement of a cell's text.
enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
// Direction of a cell's background gradient.
enum TCellGradientDirection { GradientVertical, GradientHorizontal };
// How the selected cells are painted: the framework's plain colour, or one of three gradient boxes.
enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
// Kinds of cells that also take the hover row's colour.
enum THoverRowCell { hcNormal, hcFixed, hcSelected, hcGroupHeader, hcGroupSummary };
using THoverRowCells = TSet<THoverRowCell>;
// Footer calculation of a column, kept on the cell properties of the grid's last row.
enum TColumnCalcType { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV };
// The operation of RectCalc over a rectangle of cells.
enum TCalcType { ctSum, ctAvg, ctMin, ctMax };

// The in-place editor kinds (0 to 43) a cell may ask for.
enum TEditorType {
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown,
    edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
    edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,
    edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars,
    edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
    edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edQorGridDropDown, edControlDropDown,
    edPositiveFloat, edNumericUnitEditBtn, edFloatUnitEditBtn, edMaskEditBtn
};

// The kind of a cell's widget record (ordinals 0 to 34, stored in one byte).
enum TCellType : Byte {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
    ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton,
    ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary, ctRangeIndicator, ctXPProgress, ctInterface,
    ctScrollbar, ctRadioButton, ctBalloon, ctShape, ctRating, ctTriStateCheckBox, ctExpand, ctDataPicture,
    ctVirtButton
};
// Placement of a widget in its cell; the Full values stretch it over the cell.
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
// How a cell picture fits its room.
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
// The icon of a cell balloon.
enum TBalloonIcon { biNone, biInfo, biWarning, biError };
// Which radio buttons a cell's radio button excludes: those in its column or in its row.
enum TRadioButtonGroup { rgNone, rgCol, rgRow };
// Page size and range of an in-cell scroll bar.
struct TScrollProp {
    int PageSize = 0;
    int Range = 0;
};

// The display-text hooks of a cell: Value is the stored text, changed in place.
using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;
// ==== end of the cell store's types ====

// ==== The grid class: the value types of grid/QorGrid.h =========================================
// Published property types of TQorStringGrid and the types its virtual hooks take. Their
// identifier tables are registered by the grid unit's start-up (grid/QorGridUnit.cpp).

// The most rows or columns a grid holds (2^24): RowCount and ColCount beyond it are refused
// before anything changes, since every line costs entries in several per-line lists.
constexpr int MaxGridLineCount = 16777216;

// How fixed cells are decorated; glCustom keeps the colours as they are set.
// The colour schemes of SetTheme: the XP schemes and the Vista look.
enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
enum TGridLook { glStandard, glSoft, glClassic, glJOQ, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
// Scroll bar styles and when the bars stay on screen.
enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TPopupToolBarMode { tbActiveCell, tbHoverCell, tbHoverNormalCell, tbNone };
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum THintShowLargeTextPos { hpCell, hpCursor };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
// How floats are formatted: the class library's format or the spreadsheet number formats.
enum TFormatType { ftVCL, ftExcel };
// What filtering does to a failing row: move it into the hidden-row store, or give it height 0.
enum TGridFilterType { ftHide, ftSuppress };
// The condition kinds of the filter-edit row and of a filter item.
enum TFilterType {
    ftStartsWith, ftEndsWith, ftContains, ftNotContains, ftEqual, ftNotEqual, ftLargerThan, ftSmallerThan,
    ftClear, ftNone
};
// Which text of a cell a filter item tests, and how its result joins the items before it.
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
// The type-ahead filter's options.
enum TNarrowDownOption { ndCaseSensitive, ndRemoveAccented };
using TNarrowDownOptions = TSet<TNarrowDownOption>;
// The search footer's actions.
enum TSearchAction { saFindFirst, saFindPrevious, saFindNext };
// Progress announcements of long walks over rows (exports, finds, sizing, sums) and of pastes.
enum TGridExportState {
    esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow, esExportFindRow
};
enum TGridImportState { isImportStart, isImportNewRow, isImportDone, isImportSelRow };
// The sides of a cell that get a custom border.
enum TCellBorder { cbLeft, cbTop, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder>;
// The edge a drag scrolls towards.
enum TDragScrollDirectionValue { dsdUp, dsdDown, dsdLeft, dsdRight };
using TDragScrollDirection = TSet<TDragScrollDirectionValue>;
// ==== end of the grid class's types ====
