// QorGridConsts: the grid's registered message names and the texts it shows or raises, each once.
// Code raises and compares these constants, never a copy of the literal.
#pragma once

#include "framework/System.h"

namespace QorGridConsts {
// ==== Option objects (grid/store/QorGridOptions.h) ====
// Raised with the class library's general exception class.
inline constexpr const wchar_t* SNodeColumnHasNodes = L"Cannot change node column when grid has nodes";
inline constexpr const wchar_t* SSortRowNotFixed = L"Sort row should be smaller than number of fixed rows";
inline constexpr const wchar_t* SInvalidSortSettings = L"Invalid sort settings specifier";
inline constexpr const wchar_t* SNoSortIndexes = L"No indexes specified for indexed sort";
inline constexpr const wchar_t* SCannotStartFixedEdit = L"Cannot start fixed inplace editor in non-fixed cell";
// The class library's text for a copy from an object of the wrong class (EInvalidCast).
inline constexpr const wchar_t* SInvalidClassTypecast = L"Invalid class typecast";

// The search bar's result label: match position and count.
inline constexpr const wchar_t* SSearchResultFormat = L"(%d of %d)";
// Captions and hints of a search bar newly placed in a form designer.
inline constexpr const wchar_t* SSearchFindNext = L"Find &next";
inline constexpr const wchar_t* SSearchFindPrev = L"Find &previous";
inline constexpr const wchar_t* SSearchMatchCase = L"Match case";
inline constexpr const wchar_t* SSearchHighlight = L"Highlight";
inline constexpr const wchar_t* SSearchHintClose = L"Close";
inline constexpr const wchar_t* SSearchHintFindNext = L"Find next occurrence";
inline constexpr const wchar_t* SSearchHintFindPrev = L"Find previous occurrence";
inline constexpr const wchar_t* SSearchHintHighlight = L"Highlight occurrences";

// Printing and HTML export defaults.
inline constexpr const wchar_t* SPrintDateFormat = L"dd/mm/yyyy";
inline constexpr const wchar_t* SPrintPageNumSep = L"/";
inline constexpr const wchar_t* SHTMLImageBaseName = L"img";
inline constexpr const wchar_t* SHTMLImageFolder = L"images";

// The filter-edit row's names of the filter types, in the order of the filter types.
inline constexpr const wchar_t* SFilterTypeNames[] = {
    L"Starts with", L"Ends with", L"Contains", L"Not contains", L"Equal", L"Not equal", L"Larger than",
    L"Smaller than", L"Clear"};
// ==== end of the option objects' texts ====

// ==== Satellites (grid/QorGridSatellites.h) ====
// The end of a balloon tip text or title cut to its largest length.
inline constexpr const wchar_t* SBalloonCut = L"...";
// ==== end of the satellites' texts ====

// ==== Find and replace (grid/sortfilter/QorGridFind.cpp) ====
// The multi-column find's arrays differ in length (EQorGridError).
inline constexpr const wchar_t* SArraySizeNotMatching = L"Array size of parameters not matching";

// ==== Cell store and base grid (grid/BaseGrid.h) ====
// Raised with EQorGridError for a column or row outside the grid.
inline constexpr const wchar_t* SInvalidColumnAccessed = L"Invalid column accessed";
inline constexpr const wchar_t* SInvalidRowAccessed = L"Invalid row accessed";
// A widget added to a cell outside the grid.
inline constexpr const wchar_t* SInvalidCell = L"Invalid cell";
// The link prefixes URLShowInText tries, in this order.
inline constexpr const wchar_t* SURLLinkPrefixes[] = {L"HTTP://", L"WWW.", L"MAILTO:", L"HTTPS://", L"NNTP://",
                                                      L"FILE://", L"FTP://"};
// ==== end of the cell store's texts ====

// ==== Cell access, typed values and selections (store/QorGridTyped.cpp, QorGridSelection.cpp) ====
// The row flag read of a row outside the grid (%d: the row).
inline constexpr const wchar_t* SInvalidRowNAccessed = L"Invalid row %d accessed";
inline constexpr const wchar_t* SNoIntegerValue = L"Cell does not contain integer value";
inline constexpr const wchar_t* SNoFloatValue = L"Cell does not contain a float value";
// CellToReal: the parser's position, the column and the row.
inline constexpr const wchar_t* SCellToRealError = L"Error at position: %d in Cell [%d, %d].";
inline constexpr const wchar_t* SColumnsNotInRange = L"Columns is not in valid range";
// The links a cell text is searched for, in this order.
inline constexpr const wchar_t* SLinkPrefixes[] = {L"file://", L"http://", L"https://", L"ftp://",
                                                   L"ftps://", L"nntp://", L"mailto:"};
// ==== end of the cell access texts ====

// ==== The grid class (grid/QorGrid.h) ====
// The registered clipboard format and window messages of the grid and its editors (the date-time
// pickers' auto-tab message is the edit controls' JyrControlsConsts::SDTPShiftFocus).
inline constexpr const wchar_t* SClipboardGridCells = L"TQorStringGrid Cells";
inline constexpr const wchar_t* SMsgGridEditDone = L"GridEditDone";
inline constexpr const wchar_t* SMsgGridEditShow = L"GridEditShow";
inline constexpr const wchar_t* SMsgGridEditInvalid = L"GridEditInvalid";
inline constexpr const wchar_t* SMsgGridEditProp = L"GridEditProp";
inline constexpr const wchar_t* SMsgFilterEditUpdate = L"FilterEditUpdate";
// The nine filter-type icons, in the order of the filter types.
inline constexpr const wchar_t* SFilterIconNames[] = {
    L"JOQGRDSTARTSWITH", L"JOQGRDENDSWITH", L"JOQGRDCONTAINS", L"JOQGRDNOTCONTAINS", L"JOQGRDEQUAL",
    L"JOQGRDNOTEQUAL", L"JOQGRDLARGER", L"JOQGRDSMALLER", L"JOQGRDCLEAR"};
// Starting values of a new grid.
inline constexpr const wchar_t* SDefaultFloatFormat = L"%.2f";
inline constexpr const wchar_t* SDefaultCheckTrue = L"Y";
inline constexpr const wchar_t* SDefaultCheckFalse = L"N";
inline constexpr const wchar_t* SFilterDropDownAll = L"(All)";
inline constexpr const wchar_t* SDefaultXMLEncoding = L"ISO-8859-1";
inline constexpr const wchar_t* SFixedFontName = L"Tahoma";
// The caption of the edit-button editors' button.
inline constexpr const wchar_t* SEditButtonCaption = L"...";
// The title of the grid's balloon tool tip.
inline constexpr const wchar_t* SBalloonToolTipTitle = L"ToolTipText";
// The release the version string names after its number.
inline constexpr const wchar_t* SVersionDate = L"Jan, 2019";
// The names the column sizes are kept under: "Col" and the column index.
inline constexpr const wchar_t* SColSizeKeyPrefix = L"Col";
// The width lines of the UTF-16 cell stream begin with it.
inline constexpr const wchar_t* SCellStreamWidthTag = L"cw";
// Raised with EInvalidGridOperation for a row or column count beyond MaxGridLineCount: the
// property's name, the count asked for and the largest count.
inline constexpr const wchar_t* SGridCountTooLarge = L"%s %d is more than the %d a grid holds";
inline constexpr const wchar_t* SRowCountName = L"RowCount";
inline constexpr const wchar_t* SColCountName = L"ColCount";
// The filter file (grid/sortfilter/QorGridFilter.cpp), raised with EQorGridError: the file's
// name and what is wrong with it.
inline constexpr const wchar_t* SFilterFileInvalid = L"The filter file %s cannot be loaded: %s";
inline constexpr const wchar_t* SFilterFileNotFound = L"it does not exist";
inline constexpr const wchar_t* SFilterFileNoSection = L"the section [%s] is missing";
// The section, the key and the value found.
inline constexpr const wchar_t* SFilterFileBadValue = L"[%s] %s=%s is not a valid value";
// ==== end of the grid class's texts ====

// ==== Small visual parts: arrow and focus windows, alpha mask, grid button, check box
//      (grid/paint/ArrowFocusWindows.h, QorGridButton.h, QorCheckBox.h) ====
// Raised by GBlur for a bitmap without 24-bit pixels.
inline constexpr const wchar_t* SBlurOnly24Bit = L"Blur only works for 24-bit bitmaps";
// ==== end of the small visual parts' texts ====

// ==== Scroll bars and column stretching (grid/view/QorGridScroll.cpp, QorGridStretch.cpp) ====
// Raised (general exception class) by StretchColumn for a column outside -1 .. ColCount - 1.
inline constexpr const wchar_t* SStretchColumnOutOfRange = L"Stretch column index out of range";
// The scroll hints' prefixes, followed by the column or row the thumb points at.
inline constexpr const wchar_t* SScrollHintCol = L"Col : ";
inline constexpr const wchar_t* SScrollHintRow = L"Row : ";
// The common controls module: its version is read at start-up, the flat scroll bars' entry
// points are looked up in it by name.
inline constexpr const wchar_t* SCommonControlsModule = L"comctl32.dll";
// ==== end of the scroll bars' texts ====
} // namespace QorGridConsts
