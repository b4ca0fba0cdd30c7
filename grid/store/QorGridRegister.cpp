// The grid's published properties, option objects, links and events, and the identifier tables of
// the grid's own value types, so that form descriptions and the visual-properties file read and
// write them by name.
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/input/EditControlEditors.h"
#include "grid/input/QorGridPopup.h"
#include "grid/sortfilter/QorFilterData.h"
#include "grid/view/GridItem.h"
#include "graphics/PictureContainer.h"
#include "controls/jyrcheck.h"

#include "framework/TypInfo.h"

#define QOR_IDENT(Value) {Value, L## #Value}

namespace {

void RegisterGridIdentTables()
{
    RegisterEnumIdents<TGridLook>(L"TGridLook", {QOR_IDENT(glStandard), QOR_IDENT(glSoft), QOR_IDENT(glClassic),
                                                 QOR_IDENT(glJOQ), QOR_IDENT(glXP), QOR_IDENT(glListView),
                                                 QOR_IDENT(glVista), QOR_IDENT(glWin7), QOR_IDENT(glOffice2007),
                                                 QOR_IDENT(glCustom)});
    RegisterEnumIdents<TScrollType>(L"TScrollType",
                                    {QOR_IDENT(ssNormal), QOR_IDENT(ssFlat), QOR_IDENT(ssEncarta), QOR_IDENT(ssMetro)});
    RegisterEnumIdents<TScrollBarAlways>(L"TScrollBarAlways",
                                         {QOR_IDENT(saNone), QOR_IDENT(saVert), QOR_IDENT(saHorz), QOR_IDENT(saBoth)});
    RegisterEnumIdents<TScrollHintType>(
        L"TScrollHintType", {QOR_IDENT(shNone), QOR_IDENT(shVertical), QOR_IDENT(shHorizontal), QOR_IDENT(shBoth)});
    RegisterEnumIdents<TIntelliPan>(
        L"TIntelliPan", {QOR_IDENT(ipVertical), QOR_IDENT(ipHorizontal), QOR_IDENT(ipBoth), QOR_IDENT(ipNone)});
    RegisterEnumIdents<TPopupToolBarMode>(L"TPopupToolBarMode",
                                          {QOR_IDENT(tbActiveCell), QOR_IDENT(tbHoverCell),
                                           QOR_IDENT(tbHoverNormalCell), QOR_IDENT(tbNone)});
    RegisterEnumIdents<THoverFixedCells>(
        L"THoverFixedCells", {QOR_IDENT(hfNone), QOR_IDENT(hfAll), QOR_IDENT(hfFixedRows), QOR_IDENT(hfFixedColumns)});
    RegisterEnumIdents<THintShowLargeTextPos>(L"THintShowLargeTextPos", {QOR_IDENT(hpCell), QOR_IDENT(hpCursor)});
    RegisterEnumIdents<TInvalidEntryIcon>(L"TInvalidEntryIcon",
                                          {QOR_IDENT(ieNone), QOR_IDENT(ieInfo), QOR_IDENT(ieWarning), QOR_IDENT(ieError)});
    RegisterEnumIdents<TFormatType>(L"TFormatType", {QOR_IDENT(ftVCL), QOR_IDENT(ftExcel)});
    RegisterEnumIdents<TGridFilterType>(L"TGridFilterType", {QOR_IDENT(ftHide), QOR_IDENT(ftSuppress)});
    RegisterEnumIdents<TFilterType>(
        L"TFilterType", {QOR_IDENT(ftStartsWith), QOR_IDENT(ftEndsWith), QOR_IDENT(ftContains),
                         QOR_IDENT(ftNotContains), QOR_IDENT(ftEqual), QOR_IDENT(ftNotEqual), QOR_IDENT(ftLargerThan),
                         QOR_IDENT(ftSmallerThan), QOR_IDENT(ftClear), QOR_IDENT(ftNone)});
    RegisterEnumIdents<TFilterCells>(L"TFilterCells", {QOR_IDENT(fcVirtual), QOR_IDENT(fcNormal),
                                                       QOR_IDENT(fcStripHTML), QOR_IDENT(fcCalculated),
                                                       QOR_IDENT(fcRow)});
    RegisterEnumIdents<TFilterOperation>(L"TFilterOperation", {QOR_IDENT(foSHORT), QOR_IDENT(foNONE),
                                                               QOR_IDENT(foAND), QOR_IDENT(foXOR), QOR_IDENT(foOR)});
    RegisterEnumIdents<TSearchAction>(L"TSearchAction",
                                      {QOR_IDENT(saFindFirst), QOR_IDENT(saFindPrevious), QOR_IDENT(saFindNext)});
    RegisterEnumIdents<TCellBorder>(L"TCellBorder",
                                    {QOR_IDENT(cbLeft), QOR_IDENT(cbTop), QOR_IDENT(cbRight), QOR_IDENT(cbBottom)});
}

} // namespace

void RegisterQorGridClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    JyrCombo::RegisterCombo();
    JYREdit::RegisterEditBtn();
    RegisterGridIdentTables();
    RegisterCellCheckers();
    RegisterClasses<TFilterData, TFilter, TPictureContainer, TImageList, TPopupMenu, TScrollBar>();
    RegisterClasses<TGridCombo, TGridEditBtn, TGridUnitEditBtn, TGridChangeNotifier, TQorStringGrid>();
}

void TQorStringGrid::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TQorStringGrid;
    // Redeclared: the grid's own counts, fixed counts and default row height keep the grid's
    // bookkeeping in step; they keep the places the framework's grid gave them.
    Table.Add(L"ColCount", &TSelf::GetColCountEx, &TSelf::SetColCountEx, 5);
    Table.Add(L"RowCount", &TSelf::GetRowCountEx, &TSelf::SetRowCountEx, 10);
    Table.Add(L"FixedCols", &TSelf::GetFixedColsEx, &TSelf::SetFixedColsEx, 1);
    Table.Add(L"FixedRows", &TSelf::GetFixedRowsEx, &TSelf::SetFixedRowsEx, 1);
    Table.Add(L"DefaultRowHeight", &TSelf::GetDefRowHeightEx, &TSelf::SetDefRowHeightEx, 22);
    Table.Add(L"ScrollBars", &TSelf::GetScrollBarsEx, &TSelf::SetScrollBarsEx, TScrollStyle::ssBoth);

    // Option objects and lists (nested by path; setting copies), and links (by component name).
    Table.Add(L"DragDropSettings", &TSelf::GetDragDropSettings, &TSelf::SetDragDropSettings);
    Table.Add(L"OfficeHint", &TSelf::GetOfficeHint, &TSelf::SetOfficeHint);
    Table.Add(L"ActiveCellFont", &TSelf::GetActiveCellFont, &TSelf::SetActiveCellFont);
    Table.Add(L"AutoColor", &TSelf::GetAutoColor, &TSelf::SetAutoColor);
    Table.Add(L"Balloon", &TSelf::GetBalloon, &TSelf::SetBalloonSettings);
    Table.Add(L"Bands", &TSelf::GetBands, &TSelf::SetBands);
    Table.Add(L"BackGround", &TSelf::GetBackGround, &TSelf::SetBackGround);
    Table.Add(L"CellNode", &TSelf::GetCellNode, &TSelf::SetCellNode);
    Table.Add(L"CellChecker", &TSelf::GetCellChecker, &TSelf::SetCellChecker);
    Table.Add(L"ColumnHeaders", &TSelf::GetColumnHeaders, &TSelf::SetColumnHeaders);
    Table.Add(L"ColumnSize", &TSelf::GetColumnSize, &TSelf::SetColumnSize);
    Table.Add(L"ControlLook", &TSelf::GetControlLook, &TSelf::SetControlLook);
    Table.Add(L"DragScrollOptions", &TSelf::GetDragScrollOptions, &TSelf::SetDragScrollOptions);
    Table.Add(L"Filter", static_cast<TFilter* (TSelf::*)() const>(&TSelf::GetFilter), &TSelf::SetFilter);
    Table.Add(L"FilterDropDown", &TSelf::GetFilterDropDown, &TSelf::SetFilterDropDown);
    Table.Add(L"FilterEdit", &TSelf::GetFilterEdit, &TSelf::SetFilterEdit);
    Table.Add(L"FixedDropDownMenu", &TSelf::GetFixedDropDownMenu, &TSelf::SetFixedDropDownMenu);
    Table.Add(L"FixedFont", &TSelf::GetFixedFont, &TSelf::SetFixedFont);
    Table.Add(L"FloatingFooter", &TSelf::GetFloatingFooter, &TSelf::SetFloatingFooter);
    Table.Add(L"FocusHelper", &TSelf::GetFocusHelper, &TSelf::SetFocusHelper);
    Table.Add(L"GridImages", &TSelf::GetGridImages, &TSelf::SetGridImages);
    Table.Add(L"Grouping", &TSelf::GetGrouping, &TSelf::SetGrouping);
    Table.Add(L"HoverButtons", &TSelf::GetHoverButtons, &TSelf::SetHoverButtons);
    Table.Add(L"HTMLSettings", &TSelf::GetHTMLSettings, &TSelf::SetHTMLSettings);
    Table.Add(L"LookupItems", &TSelf::GetLookupItems, &TSelf::SetLookupItems);
    Table.Add(L"MouseActions", &TSelf::GetMouseActions, &TSelf::SetMouseActions);
    Table.Add(L"Navigation", &TSelf::GetNavigation, &TSelf::SetNavigation);
    Table.Add(L"PictureContainer", &TSelf::GetPictureContainer, &TSelf::SetPictureContainer);
    Table.Add(L"PopupToolBar", &TSelf::GetPopupToolBar, &TSelf::SetPopupToolBar);
    Table.Add(L"PrintSettings", &TSelf::GetPrintSettings, &TSelf::SetPrintSettings);
    Table.Add(L"ProgressAppearance", &TSelf::GetProgressAppearance, &TSelf::SetProgressAppearance);
    Table.Add(L"RowHeaders", &TSelf::GetRowHeaders, &TSelf::SetRowHeaders);
    Table.Add(L"RowIndicator", &TSelf::GetRowIndicator, &TSelf::SetRowIndicator);
    Table.Add(L"SearchFooter", &TSelf::GetSearchFooter, &TSelf::SetSearchFooter);
    Table.Add(L"ShowModified", &TSelf::GetShowModified, &TSelf::SetShowModified);
    Table.Add(L"SizeWhileTyping", &TSelf::GetSizeWhileTyping, &TSelf::SetSizeWhileTyping);
    Table.Add(L"SortSettings", &TSelf::GetSortSettings, &TSelf::SetSortSettings);
    Table.Add(L"SyncGrid", &TSelf::GetSyncGrid, &TSelf::SetSyncGrid);

    // Simple properties: those with accessors of their own, then the lists by area.
    Table.Add(L"FixedColWidth", &TSelf::GetFixedColWidth, &TSelf::SetFixedColWidth, 64);
    Table.Add(L"AutoSize", &TSelf::GetAutoSizeP, &TSelf::SetAutoSizeP, false);
    Table.Add(L"WordWrap", &TSelf::GetWordWrapEx, &TSelf::SetWordWrapEx, true);
    Table.Add(L"DefaultAlignment", static_cast<TAlignment (TSelf::*)()>(&TSelf::GetDefaultAlignment),
              &TSelf::SetDefaultAlignment, taLeftJustify);
    Table.Add(L"Cursor", &TSelf::GetCursorEx, &TSelf::SetCursorEx, crDefault);
    Table.Add(L"Version", &TSelf::GetVersion, &TSelf::SetVersion);
    QOR_GRID_ALL_PROPS(QOR_GRID_PROP_REGISTER)

    // The framework grid's fixed-cell click, fired when a fixed cell is clicked.
    Table.AddEvent(L"OnFixedCellClick", &TCustomGrid::OnFixedCellClick);
#define QOR_GRID_EVENT_REGISTER(Type, Name) Table.AddEvent(L## #Name, &TSelf::Name);
    QOR_GRID_EVENTS(QOR_GRID_EVENT_REGISTER)
#undef QOR_GRID_EVENT_REGISTER
}
