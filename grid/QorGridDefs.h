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
