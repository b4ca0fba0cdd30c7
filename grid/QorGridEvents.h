// QorGridEvents: the event types of TQorStringGrid and the list of its 186 published events, in
// the order the grid publishes them. An event is a std::function member of the grid; "var"
// arguments are references. The grid fires most of them through its query hooks and Do...
// dispatchers; the rest are fired by the operations of the area named in the list.
#pragma once

#include "framework/Grids.h"
#include "grid/QorGridDefs.h"

#include <functional>

class TBrush;
class TCanvas;
class TCollectionItem;
class TEditLink;
class TFont;
class TPen;
class TPopupMenu;
class TQorHintInfo;
class TStrings;
class TStringList;

// ---- Cell look and content ----------------------------------------------------------------------
using TGridColorEvent = std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState,
                                           TBrush* ABrush, TFont* AFont)>;
using TGridGradientEvent = std::function<void(TObject* Sender, int ARow, int ACol, TColor& Color, TColor& ColorTo,
                                              TColor& ColorMirror, TColor& ColorMirrorTo,
                                              TCellGradientDirection& GD)>;
using TGridBorderEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen* APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen* LeftPen, TPen* TopPen,
                                                TPen* RightPen, TPen* BottomPen)>;
using TGridAlignEvent = std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& HAlign,
                                           TVAlignment& VAlign)>;
using TWordWrapEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& WordWrap)>;
using TGridFormatEvent = std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle, String& aPrefix,
                                            String& aSuffix)>;
using TFloatFormatEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, String& FloatFormat)>;
using TGetCheckEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TGetCellCursorEvent = std::function<void(TObject* Sender, int ACol, int ARow, int X, int Y, TCursor& ACursor)>;
using TGridHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& HintStr)>;
using TGridWideHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, WideString& HintStr)>;
using TOfficeHintEvent = std::function<void(TObject* Sender, int ACol, int ARow, TQorHintInfo* OfficeHint)>;
using TAnchorHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& Anchor)>;
using TScrollHintEvent = std::function<void(TObject* Sender, int ARow, String& HintStr)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsFixed)>;
using TIsPasswordEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsPassword)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TCustomCellSizeEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow, TPoint& ASize,
                                                bool Printing)>;
using TCustomStrToDateEvent = std::function<void(TObject* Sender, const String& Value, TDateTime& ADate)>;
// AIcon: the balloon's icon (TTI_NONE .. TTI_ERROR).
using TCellBalloonEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& ATitle, String& AText,
                                             int& AIcon)>;

// ---- Clicks and selection -----------------------------------------------------------------------
using TClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TCanClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TClickSortEvent = std::function<void(TObject* Sender, int ACol)>;
using TSelectionChangedEvent = std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)>;
using TSelectionResizeEvent = std::function<void(TObject* Sender, TGridRect OldSelection, TGridRect NewSelection)>;
using TDisjunctSelectEvent = std::function<void(TObject* Sender, int AIndex, bool AState, bool& Allow)>;
using TDisjunctSelectedEvent = std::function<void(TObject* Sender, int AIndex)>;
using TLineChangingEvent = std::function<void(TObject* Sender, int OldIndex, int NewIndex, bool& Allow)>;
using TCellChangingEvent = std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol,
                                              bool& Allow)>;
using TRowUpdateEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TScrollCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ScrollPosition, int ScrollMin,
                                            int ScrollMax)>;
using TAnchorClickEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& Anchor,
                                             bool& AutoHandle)>;
using TAnchorEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& Anchor)>;
using THoverButtonClickEvent = std::function<void(TObject* Sender, int ARow, TCollectionItem* AButton)>;
using THoverButtonsShowEvent = std::function<void(TObject* Sender, int X, int Y, bool& Allow)>;

// ---- Editing and editors ------------------------------------------------------------------------
using TCanEditCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)>;
using TGetEditorTypeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)>;
using THasEditorEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasEditor)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TCellValidateEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value, bool& Valid)>;
using TCellValidateWideEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value,
                                                  bool& Valid)>;
using TAutoAdvanceEvent = std::function<void(TObject* Sender, int OldRow, int OldCol, int& NewRow, int& NewCol,
                                             bool& Allow)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& S)>;
using TButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TFixedEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, TGridFixedCellEditor& AEditor,
                                           TStrings* Values)>;
using TFixedDropDownEvent = std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu*& Menu, bool& Keep)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject* Sender, int ACol, bool& CanShow)>;
using TComboChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                             const String& ASelection)>;
using TComboCloseUpEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                                   const String& ASelection, TObject* AObject)>;
using TDateTimeChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TDateTime ADateTime)>;
using TSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TFloatSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue,
                                                   bool UpDown)>;
using TUnitChangedEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& NewUnit)>;
using TDropDownButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ButtonIndex)>;

// ---- Cell widgets -------------------------------------------------------------------------------
using TCheckBoxCanToggleEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State, bool& Allow)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TRadioClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)>;
using TRadioButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TColorSelectedEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor& Color, String& Value)>;
using TColorSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor Color,
                                             const String& ColorText)>;
using TImageSelectedEvent = std::function<void(TObject* Sender, int ACol, int ARow, int& Index)>;
using TImageSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ImageIndex)>;
using TRatingChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int NewRate, bool& Allow)>;
using TExpandClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool Expanded)>;
using TControlClickEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& CtrlID,
                                              const String& CtrlType, const String& CtrlVal)>;
using TControlComboListEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& CtrlID,
                                                  const String& CtrlType, const String& CtrlVal, TStringList* Values,
                                                  bool& Edit, int& DropCount)>;
using TControlComboSelectEvent = std::function<void(TObject* Sender, int ARow, int ACol, int ItemIndex,
                                                    const String& CtrlID, const String& ItemText)>;

// ---- Rows and columns ---------------------------------------------------------------------------
using TCanAddEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TAutoRowColEvent = std::function<void(TObject* Sender, int AIndex)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanInsert)>;
using TCanDeleteRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanDelete)>;
using TLineAllowEvent = std::function<void(TObject* Sender, int AIndex, bool& Allow)>;
using TLineSizingEvent = std::function<void(TObject* Sender, int AIndex, int ASize)>;
using TEndLineSizeEvent = std::function<void(TObject* Sender, int AIndex)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, TRect R)>;

// ---- Nodes, grouping, sorting -------------------------------------------------------------------
using TNodeEvent = std::function<void(TObject* Sender, int ARow, int ARowReal)>;
using TNodeAllowEvent = std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)>;
using TColumnCalcEvent = std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)>;
using TCanSortEvent = std::function<void(TObject* Sender, int ACol, bool& DoSort)>;
using TCustomCompareEvent = std::function<void(TObject* Sender, const String& Str1, const String& Str2, int& Res)>;
using TRawCompareEvent = std::function<void(TObject* Sender, int Col, int Row1, int Row2, int& Res)>;
using TFooterPaintEvent = std::function<void(TObject* Sender, int ACol, TCanvas* Canvas, TRect ARect)>;

// ---- Filtering ----------------------------------------------------------------------------------
using TCustomFilterEvent = std::function<void(TObject* Sender, int ARow, bool& AcceptRow)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, int Column, TStrings* Filter)>;
using TFilterSelectEvent = std::function<void(TObject* Sender, int Column, int ItemIndex, const String& FriendlyName,
                                              String& FilterCondition)>;
using TFilterCheckEvent = std::function<void(TObject* Sender, int Column, int ItemIndex, const String& FriendlyName,
                                             String& FilterCondition, TStrings* CheckList)>;
using TFilterCheckClickEvent = std::function<void(TObject* Sender, int Column, int ItemIndex, bool State,
                                                  TStrings* CheckList)>;
using TFilterShowEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TFilterCloseEvent = std::function<void(TObject* Sender, int ACol)>;
using TGridProgressEvent = std::function<void(TObject* Sender, int Progress)>;
using TFilterEditEvent = std::function<void(TObject* Sender, int ACol, const String& Condition,
                                            TFilterType FilterType)>;
using THasFilterEditEvent = std::function<void(TObject* Sender, int ACol, bool& HasFilter)>;
using TShowFilterEditEvent = std::function<void(TObject* Sender, int ACol, int AIndex, bool& DoShow)>;

// ---- Search footer and panels -------------------------------------------------------------------
using TSearchEditChangeEvent = std::function<void(TObject* Sender, const String& Value, bool& DefaultSearch)>;
using TSearchFooterActionEvent = std::function<void(TObject* Sender, const String& Value, int ACol, int ARow,
                                                    TSearchAction SearchAction)>;
using TSearchFooterSearchEvent = std::function<void(TObject* Sender, String& Value)>;
using TSearchFooterSearchEndEvent = std::function<void(TObject* Sender, bool& ContinueFromStart)>;

// ---- Clipboard, files, drag and drop ------------------------------------------------------------
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TClipboardDoneEvent = std::function<void(TObject* Sender, TGridRect CellRect)>;
using TClipboardAfterPasteEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TClipboardAfterPasteWideEvent = std::function<void(TObject* Sender, int ACol, int ARow,
                                                         const WideString& Value)>;
using TClipboardBeforePasteEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value,
                                                      bool& Allow)>;
using TClipboardBeforePasteWideEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value,
                                                          bool& Allow)>;
using TCellLoadSaveEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TOleDropEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& Data, bool& Allow)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, TGridRect Selection)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TOleDragStartEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TOleDragStopEvent = std::function<void(TObject* Sender, int OLEEffect)>;
using TOleDropColEvent = std::function<void(TObject* Sender, int ARow, int ACol, int DropCol)>;
using TOleDropFilesEvent = std::function<void(TObject* Sender, int ARow, int ACol, TStrings* Files)>;
using TDragScrollEvent = std::function<void(TObject* Sender, int TopRow, int LeftCol,
                                            TDragScrollDirection& DragScrollDir, bool& CanScroll)>;

// ---- Printing -----------------------------------------------------------------------------------
using TPrintStartEvent = std::function<void(TObject* Sender, int NrOfPages, int& FromPage, int& ToPage)>;
using TPrintCancelEvent = std::function<void(TObject* Sender, int PageNr, bool& Cancel)>;
using TPrintPageEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int PageNr, int PageXSize,
                                           int PageYSize)>;
using TPrintGetPageNumEvent = std::function<void(TObject* Sender, int PageNum, int PageColNum, String& PageNumString)>;
using TPrintNewPageEvent = std::function<void(TObject* Sender, int ARow, bool& NewPage)>;
using TPrintPageDoneEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int LastRow, int LastRowOffset,
                                               int LastPage, int PageXSize, int PageYSize)>;
using TFitToPageEvent = std::function<void(TObject* Sender, double& ScaleFactor, bool& Allow)>;
using TPrintSetSizeEvent = std::function<void(TObject* Sender, int AIndex, int& ASize)>;

// The 186 published events, in publishing order: X(event type, name).
#define QOR_GRID_EVENTS(X)                                                  \
    /* cell look and content queries */                                     \
    X(TGridColorEvent, OnGetCellColor)                                      \
    X(TGridColorEvent, OnGetCellPrintColor)                                 \
    X(TGridGradientEvent, OnGetCellGradient)                                \
    X(TGridBorderEvent, OnGetCellBorder)                                    \
    X(TGridBorderEvent, OnGetCellPrintBorder)                               \
    X(TGridBorderPropEvent, OnGetCellBorderProp)                            \
    X(TGridAlignEvent, OnGetAlignment)                                      \
    X(TWordWrapEvent, OnGetWordWrap)                                        \
    X(TGridFormatEvent, OnGetFormat)                                        \
    X(TFloatFormatEvent, OnGetFloatFormat)                                  \
    X(TGetCheckEvent, OnGetCheckTrue)                                       \
    X(TGetCheckEvent, OnGetCheckFalse)                                      \
    X(TGetCellCursorEvent, OnGetCellCursor)                                 \
    X(TGridHintEvent, OnGridHint)                                           \
    X(TGridWideHintEvent, OnGridWideHint)                                   \
    X(TOfficeHintEvent, OnOfficeHint)                                       \
    X(TAnchorHintEvent, OnAnchorHint)                                       \
    X(TScrollHintEvent, OnScrollHint)                                       \
    X(TIsFixedCellEvent, OnIsFixedCell)                                     \
    X(TIsPasswordEvent, OnIsPasswordCell)                                   \
    X(TCustomCellDrawEvent, OnCustomCellDraw)                               \
    X(TCustomCellDrawEvent, OnCustomCellBkgDraw)                            \
    X(TCustomCellSizeEvent, OnCustomCellSize)                               \
    X(TCustomStrToDateEvent, OnCustomStrToDate)                             \
    X(TNotifyEvent, OnPainted)                                              \
    X(TCellBalloonEvent, OnCellBalloon)                                     \
    /* clicks and selection */                                              \
    X(TClickCellEvent, OnClickCell)                                         \
    X(TClickCellEvent, OnRightClickCell)                                    \
    X(TClickCellEvent, OnDblClickCell)                                      \
    X(TCanClickCellEvent, OnCanClickCell)                                   \
    X(TClickSortEvent, OnClickSort)                                         \
    X(TSelectionChangedEvent, OnSelectionChanged)                           \
    X(TSelectionResizeEvent, OnSelectionResize)                             \
    X(TSelectionResizeEvent, OnSelectionResized)                            \
    X(TDisjunctSelectEvent, OnRowDisjunctSelect)                            \
    X(TDisjunctSelectedEvent, OnRowDisjunctSelected)                        \
    X(TDisjunctSelectEvent, OnColDisjunctSelect)                            \
    X(TDisjunctSelectedEvent, OnColDisjunctSelected)                        \
    X(TLineChangingEvent, OnRowChanging)                                    \
    X(TLineChangingEvent, OnColChanging)                                    \
    X(TCellChangingEvent, OnCellChanging)                                   \
    X(TRowUpdateEvent, OnRowUpdate)                                         \
    X(TScrollCellEvent, OnScrollCell)                                       \
    X(TAnchorClickEvent, OnAnchorClick)                                     \
    X(TAnchorEvent, OnAnchorEnter)                                          \
    X(TAnchorEvent, OnAnchorExit)                                           \
    X(THoverButtonClickEvent, OnHoverButtonClick)                           \
    X(THoverButtonsShowEvent, OnHoverButtonsShow)                           \
    X(TNotifyEvent, OnIntelliZoom)                                          \
    X(TNotifyEvent, OnResize)                                               \
    /* editing and editors */                                               \
    X(TCanEditCellEvent, OnCanEditCell)                                     \
    X(TGetEditorTypeEvent, OnGetEditorType)                                 \
    X(TGetEditorPropEvent, OnGetEditorProp)                                 \
    X(THasEditorEvent, OnHasComboBox)                                       \
    X(THasEditorEvent, OnHasEditBtn)                                        \
    X(THasEditorEvent, OnHasSpinEdit)                                       \
    X(TEditChangeEvent, OnEditChange)                                       \
    X(TEditCellDoneEvent, OnEditCellDone)                                   \
    X(TNotifyEvent, OnEditingDone)                                          \
    X(TCellValidateEvent, OnCellValidate)                                   \
    X(TCellValidateWideEvent, OnCellValidateWide)                           \
    X(TAutoAdvanceEvent, OnAutoAdvance)                                     \
    X(TEllipsClickEvent, OnEllipsClick)                                     \
    X(TButtonClickEvent, OnButtonClick)                                     \
    X(TFixedEditEvent, OnFixedEdit)                                         \
    X(TFixedDropDownEvent, OnFixedDropDownClick)                            \
    X(TCanShowFixedDropDownEvent, OnCanShowFixedDropDown)                   \
    X(TComboChangeEvent, OnComboChange)                                     \
    X(TComboCloseUpEvent, OnComboCloseUp)                                   \
    X(TComboCloseUpEvent, OnComboDropDown)                                  \
    X(TComboObjectChangeEvent, OnComboObjectChange)                         \
    X(TComboCloseUpEvent, OnDatePickerCloseUp)                              \
    X(TComboCloseUpEvent, OnDatePickerDropDown)                             \
    X(TDateTimeChangeEvent, OnDateTimeChange)                               \
    X(TSpinClickEvent, OnSpinClick)                                         \
    X(TFloatSpinClickEvent, OnFloatSpinClick)                               \
    X(TDateTimeSpinClickEvent, OnTimeSpinClick)                             \
    X(TDateTimeSpinClickEvent, OnDateSpinClick)                             \
    X(TNotifyEvent, OnRichEditSelectionChange)                              \
    X(TUnitChangedEvent, OnUnitChanged)                                     \
    X(TDropDownButtonClickEvent, OnDropDownHeaderButtonClick)               \
    X(TDropDownButtonClickEvent, OnDropDownFooterButtonClick)               \
    /* cell widgets */                                                      \
    X(TCheckBoxCanToggleEvent, OnCheckBoxCanToggle)                         \
    X(TCheckBoxClickEvent, OnCheckBoxChange)                                \
    X(TCheckBoxClickEvent, OnCheckBoxClick)                                 \
    X(TCheckBoxClickEvent, OnCheckBoxMouseUp)                               \
    X(TRadioClickEvent, OnRadioClick)                                       \
    X(TRadioClickEvent, OnRadioMouseUp)                                     \
    X(TRadioButtonClickEvent, OnRadioButtonClick)                           \
    X(TColorSelectedEvent, OnColorSelected)                                 \
    X(TColorSelectEvent, OnColorSelect)                                     \
    X(TImageSelectedEvent, OnImageSelected)                                 \
    X(TImageSelectEvent, OnImageSelect)                                     \
    X(TRatingChangeEvent, OnRatingChange)                                   \
    X(TExpandClickEvent, OnExpandClick)                                     \
    X(TControlClickEvent, OnControlClick)                                   \
    X(TControlClickEvent, OnControlEditDone)                                \
    X(TControlComboListEvent, OnControlComboList)                           \
    X(TControlComboSelectEvent, OnControlComboSelect)                       \
    /* rows and columns */                                                  \
    X(TCanAddEvent, OnCanAddRow)                                            \
    X(TCanAddEvent, OnCanAddCol)                                            \
    X(TAutoRowColEvent, OnAutoAddRow)                                       \
    X(TCanInsertRowEvent, OnCanInsertRow)                                   \
    X(TAutoRowColEvent, OnAutoInsertRow)                                    \
    X(TAutoRowColEvent, OnAutoInsertCol)                                    \
    X(TCanDeleteRowEvent, OnCanDeleteRow)                                   \
    X(TAutoRowColEvent, OnAutoDeleteRow)                                    \
    X(TLineAllowEvent, OnColumnSize)                                        \
    X(TLineSizingEvent, OnColumnSizing)                                     \
    X(TEndLineSizeEvent, OnEndColumnSize)                                   \
    X(TUpdateColumnSizeEvent, OnUpdateColumnSize)                           \
    X(TLineAllowEvent, OnColumnMove)                                        \
    X(TLineAllowEvent, OnColumnMoving)                                      \
    X(TLineAllowEvent, OnRowSize)                                           \
    X(TLineSizingEvent, OnRowSizing)                                        \
    X(TEndLineSizeEvent, OnEndRowSize)                                      \
    X(TLineAllowEvent, OnRowMove)                                           \
    X(TLineAllowEvent, OnRowMoving)                                         \
    X(TCellsChangedEvent, OnCellsChanged)                                   \
    /* nodes, grouping, sorting */                                          \
    X(TNodeEvent, OnExpandNode)                                             \
    X(TNodeEvent, OnContractNode)                                           \
    X(TNodeAllowEvent, OnBeforeExpandNode)                                  \
    X(TNodeAllowEvent, OnBeforeContractNode)                                \
    X(TColumnCalcEvent, OnColumnCalc)                                       \
    X(TColumnCalcEvent, OnGroupCalc)                                        \
    X(TCanSortEvent, OnCanSort)                                             \
    X(TCustomCompareEvent, OnCustomCompare)                                 \
    X(TRawCompareEvent, OnRawCompare)                                       \
    X(TFooterPaintEvent, OnFooterPaint)                                     \
    X(TFooterCalcEvent, OnFooterCalc)                                       \
    /* filtering */                                                         \
    X(TNotifyEvent, OnBeforeFilter)                                         \
    X(TCustomFilterEvent, OnCustomFilter)                                   \
    X(TGetColumnFilterEvent, OnGetColumnFilter)                             \
    X(TNotifyEvent, OnFilterDone)                                           \
    X(TFilterSelectEvent, OnFilterSelect)                                   \
    X(TFilterCheckEvent, OnFilterCheck)                                     \
    X(TFilterCheckClickEvent, OnFilterCheckClick)                           \
    X(TFilterCheckClickEvent, OnFilterCheckMouseDown)                       \
    X(TFilterShowEvent, OnFilterShow)                                       \
    X(TFilterCloseEvent, OnFilterClose)                                     \
    X(TGridProgressEvent, OnFilterProgress)                                 \
    X(TFilterEditEvent, OnFilterEditDone)                                   \
    X(TFilterEditEvent, OnFilterEditUpdate)                                 \
    X(THasFilterEditEvent, OnHasFilterEdit)                                 \
    X(TShowFilterEditEvent, OnShowFilterEdit)                               \
    /* search footer and panels */                                          \
    X(TSearchEditChangeEvent, OnSearchEditChange)                           \
    X(TSearchFooterActionEvent, OnSearchFooterAction)                       \
    X(TSearchFooterSearchEvent, OnSearchFooterSearch)                       \
    X(TNotifyEvent, OnSearchFooterClose)                                    \
    X(TSearchFooterSearchEndEvent, OnSearchFooterSearchEnd)                 \
    X(TNotifyEvent, OnCreatedFloatingFooter)                                \
    X(TNotifyEvent, OnCreatedSearchFooter)                                  \
    /* clipboard, files, drag and drop */                                   \
    X(TClipboardEvent, OnClipboardPaste)                                    \
    X(TClipboardDoneEvent, OnClipboardPasteDone)                            \
    X(TClipboardEvent, OnClipboardCopy)                                     \
    X(TClipboardDoneEvent, OnClipboardCopyDone)                             \
    X(TClipboardEvent, OnClipboardCut)                                      \
    X(TClipboardDoneEvent, OnClipboardCutDone)                              \
    X(TClipboardAfterPasteEvent, OnClipboardAfterPasteCell)                 \
    X(TClipboardAfterPasteWideEvent, OnClipboardAfterPasteWideCell)         \
    X(TClipboardBeforePasteEvent, OnClipboardBeforePasteCell)               \
    X(TClipboardBeforePasteWideEvent, OnClipboardBeforePasteWideCell)       \
    X(TGridProgressEvent, OnFileProgress)                                   \
    X(TCellLoadSaveEvent, OnSaveCell)                                       \
    X(TCellLoadSaveEvent, OnLoadCell)                                       \
    X(TOleDropEvent, OnOleDrop)                                             \
    X(TOleDroppedEvent, OnOleDropped)                                       \
    X(TOleDropEvent, OnOleDrag)                                             \
    X(TOleDragOverEvent, OnOleDragOver)                                     \
    X(TOleDragStartEvent, OnOleDragStart)                                   \
    X(TOleDragStopEvent, OnOleDragStop)                                     \
    X(TOleDropColEvent, OnOleDropCol)                                       \
    X(TOleDropEvent, OnOleDropFile)                                         \
    X(TOleDropFilesEvent, OnOleDropFiles)                                   \
    X(TOleDropEvent, OnOleDropURL)                                          \
    X(TDragScrollEvent, OnDragScroll)                                       \
    /* printing */                                                          \
    X(TPrintStartEvent, OnPrintStart)                                       \
    X(TPrintCancelEvent, OnPrintCancel)                                     \
    X(TPrintPageEvent, OnPrintPage)                                         \
    X(TPrintGetPageNumEvent, OnPrintGetPageNum)                             \
    X(TPrintNewPageEvent, OnPrintNewPage)                                   \
    X(TPrintPageDoneEvent, OnPrintPageDone)                                 \
    X(TNotifyEvent, OnPrintDone)                                            \
    X(TFitToPageEvent, OnFitToPage)                                         \
    X(TPrintSetSizeEvent, OnPrintSetColumnWidth)                            \
    X(TPrintSetSizeEvent, OnPrintSetRowHeight)
