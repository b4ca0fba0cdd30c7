// TQorStringGrid: construction with every owned object and its defaults, destruction in order, and
// the accessors of the published option objects and links.
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/input/EditControlEditors.h"
#include "grid/input/QorGridPopup.h"
#include "grid/paint/CellGraphic.h"
#include "grid/sortfilter/QorFilterData.h"
#include "grid/view/GridItem.h"
#include "controls/jyrcheck.h"
#include "graphics/PictureContainer.h"

#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace {

// Windows major.minor or later (the detection overrides of the style unit apply).
bool WindowsAtLeast(int Major, int Minor)
{
    const auto& O = QorStyleIF::DetectionOverrides();
    const int M = O.WindowsMajor ? int(*O.WindowsMajor) : Win32MajorVersion();
    const int N = O.WindowsMajor ? int(O.WindowsMinor.value_or(0)) : Win32MinorVersion();
    return M > Major || (M == Major && N >= Minor);
}

// A child control of the grid, hidden (and disabled when asked).
template <class T>
T* MakeChild(TQorStringGrid* Grid, bool Disabled)
{
    T* C = Create<T>(Grid);
    C->SetParent(Grid);
    C->SetVisible(false);
    if (Disabled) C->SetEnabled(false);
    return C;
}

template <class T>
void FreeChild(T*& Field)
{
    FreeAndNil(Field);
}

int LiveGrids = 0;

} // namespace

int TQorStringGrid::LiveCount()
{
    return LiveGrids;
}

// ---- Construction ---------------------------------------------------------------------------------

TQorStringGrid::TQorStringGrid(TComponent* AOwner) : TBaseGrid(AOwner)
{
    // The unit starts before any grid exists (its start-up is counted, so this only counts when
    // the program's units started it already).
    if (QorGridUnit::InitCount() == 0) QorGridUnit::Initialization();
    SetControlStyle(GetControlStyle() + TControlStyle{csAcceptsControls});
    SetDrawingStyle(gdsClassic);
    // Steps 2 to 13 of construction: the scalar state starts as the records declare it; the
    // objects come here in the order construction makes them.
    CreateOptionObjects();
    CreateLists();
    SetConstructionDefaults();
    DetectPlatform();
    CreateFilterMenu();
    CreateRuntimeControls();
    crURLcursor = crHandPoint;
    ++LiveGrids;
}

void TQorStringGrid::AfterConstruction()
{
    // The footer panel through the virtual CreateFooter, so that a descendant's panel class is
    // made; the panel joins the grid's window when the window is created.
    FWin.FFooterPanel = CreateFooter();
    FWin.FFooterPanel->SetAlign(alBottom);
    FWin.FFooterPanel->SetHeight(0);
    FWin.FFooterPanel->SetBorderWidth(0);
    inherited::AfterConstruction();
}

TFooterPanel* TQorStringGrid::CreateFooter()
{
    return Create<TFooterPanel>(this);
}

void TQorStringGrid::CreateOptionObjects()
{
    // The search panel with its events, then the option objects in construction order.
    FWin.FSearchPanel = Create<TSearchPanel>(this);
    FWin.FSearchPanel->SetDoubleBuffered(true);
    FWin.FSearchPanel->SetHeight(0);
    FWin.FSearchPanel->SetBorderWidth(0);
    FWin.FSearchPanel->OnEditChange = [this](TObject* S) { SearchEditChange(S); };
    FWin.FSearchPanel->OnBackwardClick = [this](TObject* S) { SearchBackward(S); };
    FWin.FSearchPanel->OnForwardClick = [this](TObject* S) { SearchForward(S); };
    FWin.FSearchPanel->OnExitClick = [this](TObject* S) { SearchExit(S); };
    FWin.FSearchPanel->OnHighLightClick = [this](TObject* S) { SearchHighLight(S); };
    FWin.FSearchPanel->OnMatchCaseClick = [this](TObject* S) { SearchMatchCase(S); };

    FOpt.FAutoColor.reset(Create<TAutoColor>());
    FOpt.cf.reset(Create<TFont>());
    FOpt.FFocusHelper.reset(Create<TFocusHelper>(this));
    FOpt.FSearchFooter.reset(Create<TSearchFooter>(this, false));
    FOpt.FSearchFooter->OnChange = [this](TObject* S) { SearchChanged(S); };
    FOpt.FFloatingFooter.reset(Create<TFloatingFooter>(this));
    FOpt.FPrintSettings.reset(Create<TPrintSettings>(this));
    FOpt.FHTMLSettings.reset(Create<THTMLSettings>());
    FOpt.FSortSettings.reset(Create<TSortSettings>(this));
    FOpt.FDragDropSettings.reset(Create<TDragDropSettings>(this));
    FOpt.FDragScrollOptions.reset(Create<TDragScrollOptions>());
    FOpt.FControlLook.reset(Create<TControlLook>(this));
    FOpt.FNavigation.reset(Create<TNavigation>());
    FOpt.FNavigation->OnChange = [this](TObject* S) { OnNavigationChanged(S); };
    FOpt.FColumnSize.reset(Create<TColumnSize>(this));
    FOpt.FCellNode.reset(Create<TCellNode>(this));
    FOpt.FBands.reset(Create<TBands>());
    FOpt.FBands->OnChange = [this](TObject* S) { BandsChanged(S); };
    FOpt.FSizeWhileTyping.reset(Create<TSizeWhileTyping>());
    FOpt.FMouseActions.reset(Create<TMouseActions>(this));
    FOpt.FMouseActions->OnChange = [this](TObject* S) { OnMouseActionsChanged(S); };
    FOpt.FMouseActions->OnIsDesigning = [this](TObject* S, bool& D) { OnMouseActionsIsDesigning(S, D); };
    FOpt.FMouseActions->OnInvalidate = [this](TObject* S) { OnMouseActionsInvalidate(S); };
    FOpt.FGrouping.reset(Create<TGrouping>());
}

void TQorStringGrid::CreateLists()
{
    auto IntList = [](int Col, int Row) { return TFreePtr<TIntList>(Create<TIntList>(Col, Row)); };
    FLists.FColumnHeaders.reset(Create<TStringList>());
    FLists.FColumnHeaders->OnChange = [this](TObject* S) { ColHeaderChanged(S); };
    FLists.FCacheRowHeights = IntList(-1, -1);
    FLists.FImageCache.reset(Create<THTMLPictureCache>());
    FLists.FOrigColSizes = IntList(-1, -1);
    FLists.FSuppressColSizes = IntList(-1, -1);
    FLists.FSuppressRowSizes = IntList(-1, -1);

    FOpt.FFixedFont.reset(Create<TFont>());
    FOpt.FFixedFont->SetName(QorGridConsts::SFixedFontName);
    FOpt.FFixedFont->SetStyle(TFontStyles{fsBold});
    FOpt.FFixedFont->OnChange = [this](TObject* S) { FixedFontChanged(S); };
    FOpt.FActiveCellFont.reset(Create<TFont>());
    FOpt.FActiveCellFont->SetStyle(TFontStyles{fsBold});
    FOpt.FActiveCellFont->OnChange = [this](TObject* S) { FixedFontChanged(S); };

    FLists.FRowHeaders.reset(Create<TStringList>());
    FLists.FRowHeaders->OnChange = [this](TObject* S) { RowHeaderChanged(S); };
    FLists.Sortlist.reset(Create<TStringList>());
    FLists.FLookupItems.reset(Create<TStringList>());
    FLists.FRowSelect.reset(Create<TList>());
    FLists.FColSelect.reset(Create<TList>());
    FLists.FSortIndexes.reset(Create<TSortIndexList>(0, 0));
    FLists.FSortRowXRef = IntList(0, 0);
    FLists.FUnSortRowXRef = IntList(0, 0);
    FLists.FMergedColumns = IntList(0, 0);
    FLists.FMergedColumns->OnChange = [this](TObject* S, int C, int R) { MergedColumnsChanged(S, C, R); };
    FLists.FSelectedRows = IntList(0, 0);
    FLists.FModifiedRows = IntList(0, 0);
    FLists.FEnabledRows = IntList(0, 0);
    FOpt.FRowIndicator.reset(Create<TBitmap>());
    FOpt.FBackGround.reset(Create<TBackGround>(this));
    FLists.FControlList.reset(Create<TControlList>());
    FOpt.FProgressAppearance.reset(Create<TGridProgressAppearance>());
    FOpt.FProgressAppearance->OnChange = [this](TObject* S) { FixedFontChanged(S); };
    FOpt.FSyncGrid.reset(Create<TSyncGrid>(this));
}

void TQorStringGrid::SetConstructionDefaults()
{
    SetRowCountEx(10);
    SetWidth(400);
    SetHeight(250);
    FOpt.FFilter.reset(Create<TFilter>(this));
    FDims.FAutoSize = false;

    FOpt.FBalloonSettings.reset(Create<TBalloonSettings>());
    FOpt.FBalloonSettings->OnEnableChange = [this](TObject* S) { BalloonChange(S); };
    FOpt.FShowModified.reset(Create<TShowModified>());
    FOpt.FShowModified->OnChange = [this](TObject* S) { ModifiedChanged(S); };

    // One visibility flag and one width per real column; no column hidden yet.
    SizeColumnArrays();
    FDims.FNumHidden = 0;

    SetDefRowHeightEx(22);
    FDims.FFixedRowHeight = GetDefaultRowHeight();
    FLookState.FLook = glXP;
    FLookState.FGradientFrom = TColor(0x00FFFFFF);
    FLookState.FGradientTo = PlainColor(clBtnFace);
    FLookState.FGradientMirrorFrom = clNone;
    FLookState.FGradientMirrorTo = clNone;
    FScroll.FOleDropTargetAssigned = false;
}

void TQorStringGrid::DetectPlatform()
{
    FLookState.FIsWinXP = QorStyleIF::IsWinXP();
    FLookState.FIsWin7 = WindowsAtLeast(6, 1);
    FLookState.FIsComCtl6 = (QorGridUnit::GetFileVersion(L"COMCTL32.DLL") >> 16) >= 6;
    FLookState.FBorderColor = FLookState.FIsWinXP ? TColor(0x00B99D7F) : TColor(0x00808080);
    FLookState.FIsFlat = false;
    FScroll.FScrollType = ssNormal;
    FScroll.FScrollColor = clNone;
    FScroll.FScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    FLookState.FIsWinVista = QorStyleIF::IsVista();

    FLists.FNotifierList.reset(Create<TList>());
    FLists.FColumnOrder = TFreePtr<TIntList>(Create<TIntList>(0, 0));
    FOpt.FCellGraphic.reset(Create<TCellGraphic>());
    FOpt.FOfficeHint.reset(Create<TQorHintInfo>());
    FLists.FIgnoreColumns = TFreePtr<TIntList>(Create<TIntList>(-1, -1));
    FOpt.FFilterDropDown.reset(Create<TFilterDropDown>());
    FOpt.FFilterDropDown->OnChange = [this](TObject* S) { FilterDropDownChanged(S); };
    FFilterState.FFilterIncremental = false;

    FWin.FDropList = Create<TDropList>(this);
    FWin.FDropList->SetParent(this);
    FWin.FDropList->SetBounds(0, 0, 0, 0);
    FWin.FDropList->SetVisible(false);
    FWin.FDropList->OnSelect = [this](TObject* S, int I) { FilterSelect(S, I); };
    FWin.FDropList->OnClose = [this](TObject* S) { FilterClose(S); };
    FWin.FDropCheckList = Create<TDropCheckList>(this);
    FWin.FDropCheckList->SetParent(this);
    FWin.FDropCheckList->SetBounds(0, 0, 0, 0);
    FWin.FDropCheckList->SetVisible(false);
    FWin.FDropCheckList->OnSelect = [this](TObject* S, int I) { FilterCheck(S, I); };
    FWin.FDropCheckList->OnClose = [this](TObject* S) { FilterClose(S); };
    FLists.FFilterList.reset(Create<TStringList>());
    FLists.FFilterList->SetSorted(true);
    FLists.FFilterList->SetDuplicates(dupIgnore);

    FRun.ccuCall = true;
    FSel.FOldLeftCol = GetLeftCol();
    FSel.FOldTopRow = GetTopRow();
    FOpt.FFilterEdit.reset(Create<TFilterEdit>(this));
}

void TQorStringGrid::CreateFilterMenu()
{
    // The nine filter-type icons from the program's resources, and the popup menu of filter types
    // that shows them: one item per type name the filter edit row has, up to nine.
    // Copying the icons into an image list is slow (tens of milliseconds a grid): the list is
    // filled the first time it is asked for (FillFilterImages).
    FWin.FFltrList = Create<TImageList>(this);
    FWin.FFltrPopup = Create<TPopupMenu>(this);
    FWin.FFltrPopup->SetImages(FWin.FFltrList);
    TStringList* Names = FOpt.FFilterEdit->GetTypeNames();
    for (int i = 0; i < 9 && i < Names->Count(); ++i) {
        TMenuItem* Item = Create<TMenuItem>(FWin.FFltrPopup);
        Item->SetCaption(Names->Get(i));
        Item->SetImageIndex(i);
        Item->SetTag(i);
        Item->OnClick = [this](TObject* S) { DoFilterType(S); };
        FWin.FFltrPopup->GetItems()->Add(Item);
    }
    FOpt.FHoverButtons.reset(Create<THoverButtons>(this));
}

void TQorStringGrid::CreateRuntimeControls()
{
    // The grid never runs inside a form designer: the run-time windows and editors exist always.
    FWin.FFocusWindow = Create<TGridFocusWindow>(this);
    FWin.ArwU = Create<TArrowWindow>(this, arrUp);
    FWin.ArwD = Create<TArrowWindow>(this, arrDown);
    FWin.ArwL = Create<TArrowWindow>(this, arrLeft);
    FWin.ArwR = Create<TArrowWindow>(this, arrRight);

    FWin.EditCombo = MakeChild<TGridCombo>(this, true);
    FWin.EditCombo->IsWinXP = FLookState.FIsWinXP;
    FWin.EditCombo->IsVista = FLookState.FIsWinVista && FLookState.FIsComCtl6;
    FLookState.FStyle = QorStyleIF::tsWindowsXP;
    FEdit.FEditMode = false;
    FEdit.FEditControl = edNormal;

    FWin.EditTrans = MakeChild<TGridTransEdit>(this, false);
    FWin.EditTrans->SetBorderStyle(bsNone);
    FWin.EditTrans->SetFilterEdit(false);
    FWin.ComboTrans = MakeChild<TGridTransCombo>(this, false);
    FWin.EditCheck = MakeChild<TGridCheckBox>(this, true);
    FWin.EditBtn = MakeChild<TGridEditBtn>(this, true);
    FWin.EditBtn->SetCaption(QorGridConsts::SEditButtonCaption);
    FWin.EditBtn->SetBorderStyle(bsNone);
    FWin.EditBtn->SetIsWinXP(FLookState.FIsWinXP);
    FWin.UnitEditBtn = MakeChild<TGridUnitEditBtn>(this, true);
    FWin.UnitEditBtn->SetCaption(QorGridConsts::SEditButtonCaption);
    FWin.UnitEditBtn->SetBorderStyle(bsNone);
    FWin.UnitEditBtn->OnUnitChanged = [this](TObject* S, const String& U) { UnitChanged(S, U); };
    FWin.GridButton = MakeChild<TGridButton>(this, true);
    FWin.GridButton->OnClick = [this](TObject* S) { HandleButtonClick(S); };
    FWin.MoveButton = Create<THeaderDragButton>(this);
    FWin.MoveButton->SetGrid(this);
    FWin.MoveButton->SetParent(this);
    FWin.MoveButton->SetEnabled(false);
    FWin.MoveButton->SetVisible(false);
    FWin.FEditControl = MakeChild<TControlEdit>(this, false);
    FWin.FComboControl = MakeChild<TControlCombo>(this, false);
    FWin.FScrollBar = Create<TScrollBar>(this);
    FWin.FScrollBar->OnMouseLeave = [this](TObject* S) { ScrollbarMouseLeave(S); };
    FWin.FPaintScrollBar = Create<TScrollBar>(this);
    FWin.FButtonForm = Create<TNoActiveForm>(this);
    FWin.FButtonForm->SetFormEnabled(true);
    FWin.FButtonForm->SetBorderStyle(bsNone);
    FWin.FButtonForm->OnMouseLeave = [this](TObject* S) { ButtonFormMouseLeave(S); };
    FWin.FButtonForm->SetWidth(200);
    FWin.FButtonForm->SetHeight(22);
}

// ---- Destruction ------------------------------------------------------------------------------------

TQorStringGrid::~TQorStringGrid()
{
    // The unit's hook must never reach a grid that is gone: the focus frame's grid is cleared when
    // it is this one, whether or not the frame was still shown.
    if (FocusGrid == this) FocusGrid = nullptr;
    Destroying();
    // The children of contracted nodes come back from the hidden-row store to be freed with the rows.
    if (HasNodes()) ExpandAll();
    // Dropping every filter level (RemoveAllFilters) comes with the grid's filtering.
    DestroyMetroScrollers();
    BalloonDone();
    if (FRun.FFormResizeReplaced)
        if (auto* Form = dynamic_cast<TCustomForm*>(Owner())) Form->OnResize = FRun.FOldFormResize;
    if (FOpt.FColumnSize->GetSave()) {
        // A column-size store that cannot be written must not stop the grid from going.
        try {
            SaveColSizes();
        } catch (const Exception&) {
        }
    }
    ClearCellsForDestruction();
    FreeOwnedObjects();
    SetCursor(FRun.FOldCursor);
    FreeRuntimeControls();
    --LiveGrids;
}

void TQorStringGrid::ClearCellsForDestruction()
{
    FText.FClearTextOnly = false;
    FText.FSaveHiddenCells = false;
    // Hidden rows come back into the storage first, so that their cells are freed with the rest.
    UnHideRowsAll();
    int R = GetRowCount();
    int C = GetColCount();
    // Cells beyond the present counts can still hold properties in the string grid's storage: they
    // are cleared up to the largest counts the grid ever had, in every case.
    R = std::max({R, FDims.FMaxRowCount, StoredRowCount()});
    C = std::max(C, FDims.FMaxColCount) + FDims.FNumHidden;
    if (R > 0 && C > 0 && FHasCellProps) {
        TValueScope<bool> Quiet(FUpdating, true);
        FCols.SetCount(std::max(FCols.Count(), C));
        FRows.SetCount(std::max(FRows.Count(), R));
        ClearRect(0, 0, C - 1, R - 1);
    }
}

void TQorStringGrid::FreeOwnedObjects()
{
    FreeAndNil(FWin.FScrollTimer);
    // The drag-scroll timer belongs to the parent but calls the grid: it goes with the grid.
    FreeDragTimer();
    FWin.FHiddenRowLookup = nullptr;
    FOpt.cf.reset();
    FLists.FCacheRowHeights.reset();
    FOpt.FHoverButtons.reset();
    FOpt.FAutoColor.reset();
    FOpt.FFilterEdit.reset();
    FreeChild(FWin.FFltrPopup);
    FreeChild(FWin.FFltrList);
    FOpt.FFocusHelper.reset();
    FLists.FIgnoreColumns.reset();
    FOpt.FProgressAppearance.reset();
    FOpt.FFloatingFooter.reset();
    FOpt.FCellGraphic.reset();
    FLists.FControlList.reset();
    FLists.FSortRowXRef.reset();
    FLists.FUnSortRowXRef.reset();
    FLists.FMergedColumns.reset();
    FLists.FSelectedRows.reset();
    FLists.FModifiedRows.reset();
    FLists.FEnabledRows.reset();
    FLists.FNotifierList.reset();
    FOpt.FPrintSettings.reset();
    FOpt.FHTMLSettings.reset();
    FOpt.FSortSettings.reset();
    FOpt.FDragDropSettings.reset();
    FOpt.FDragScrollOptions.reset();
    FOpt.FControlLook.reset();
    FOpt.FNavigation.reset();
    FOpt.FColumnSize.reset();
    FLists.FColumnOrder.reset();
    FOpt.FCellNode.reset();
    FOpt.FBands.reset();
    FOpt.FSizeWhileTyping.reset();
    FLists.FImageCache.reset();
    FOpt.FMouseActions.reset();
    FLists.FColumnHeaders.reset();
    FOpt.FGrouping.reset();
    FOpt.FFixedFont.reset();
    FOpt.FActiveCellFont.reset();
    FLists.FRowHeaders.reset();
    FLists.FLookupItems.reset();
    FLists.FRowSelect.reset();
    FLists.FColSelect.reset();
    FLists.FSortIndexes.reset();
    FOpt.FRowIndicator.reset();
    FOpt.FBackGround.reset();
    FreeChild(FWin.FFooterPanel);
    FreeChild(FWin.FSearchPanel);
    FOpt.FSearchFooter.reset();
    FOpt.FBalloonSettings.reset();
    FOpt.FShowModified.reset();
    FLists.FOrigColSizes.reset();
    FLists.FSuppressColSizes.reset();
    FLists.FSuppressRowSizes.reset();
    FOpt.FFilterDropDown.reset();
    FreeChild(FWin.FDropList);
    FreeChild(FWin.FDropCheckList);
    FLists.FFilterList.reset();
    FOpt.FSyncGrid.reset();
    FreeChild(FWin.ArwU);
    FreeChild(FWin.ArwD);
    FreeChild(FWin.ArwL);
    FreeChild(FWin.ArwR);
    FLists.Sortlist.reset();
    FOpt.FOfficeHint.reset();
    FLists.FGridItems.Clear();
    FOpt.FFilter.reset();
}

void TQorStringGrid::FreeRuntimeControls()
{
    FreeChild(FWin.FFocusWindow);
    FreeChild(FWin.EditCombo);
    FreeChild(FWin.EditTrans);
    FreeChild(FWin.ComboTrans);
    // The editors and picker adapters made on first use: each field is cleared before its object
    // goes.
    for (TWinControl** Editor : {&FWin.FEditDateTime, &FWin.FEditDate, &FWin.FEditSpin, &FWin.FEditTrackBar,
                                 &FWin.FEditMemo, &FWin.FEditCalculator, &FWin.FEditTimePicker,
                                 &FWin.FEditDetailPicker, &FWin.FEditGridPicker, &FWin.FEditColorPicker,
                                 &FWin.FEditImagePicker, &FWin.FEditQorGridPicker})
        FreeChild(*Editor);
    FreeChild(FWin.FRichEdit);
    FreeChild(FWin.FInplaceRichEdit);
    FreeChild(FWin.EditCheck);
    FreeChild(FWin.EditBtn);
    FreeChild(FWin.UnitEditBtn);
    FreeChild(FWin.GridButton);
    FreeChild(FWin.MoveButton);
    FreeChild(FWin.FEditControl);
    FreeChild(FWin.FComboControl);
    FreeChild(FWin.FScrollBar);
    FreeChild(FWin.FPaintScrollBar);
    FreeChild(FWin.FButtonForm);
    FreeChild(FWin.FScrollHintWnd);
}

// ---- Option objects, lists and links ---------------------------------------------------------------

template <class T>
void TQorStringGrid::SetLink(T*& Field, T* Value)
{
    if (Field == Value) return;
    if (Field) Field->RemoveFreeNotification(this);
    Field = Value;
    if (Field) Field->FreeNotification(this);
}

#define QOR_GRID_OWNED(Type, Name, Field)                                     \
    Type* TQorStringGrid::Get##Name() const { return Field.get(); }           \
    void TQorStringGrid::Set##Name(Type* Value)                               \
    {                                                                         \
        if (Value && Value != Field.get()) Field->Assign(Value);              \
    }

QOR_GRID_OWNED(TDragDropSettings, DragDropSettings, FOpt.FDragDropSettings)
QOR_GRID_OWNED(TQorHintInfo, OfficeHint, FOpt.FOfficeHint)
QOR_GRID_OWNED(TAutoColor, AutoColor, FOpt.FAutoColor)
QOR_GRID_OWNED(TBands, Bands, FOpt.FBands)
QOR_GRID_OWNED(TCellNode, CellNode, FOpt.FCellNode)
QOR_GRID_OWNED(TStringList, ColumnHeaders, FLists.FColumnHeaders)
QOR_GRID_OWNED(TColumnSize, ColumnSize, FOpt.FColumnSize)
QOR_GRID_OWNED(TControlLook, ControlLook, FOpt.FControlLook)
QOR_GRID_OWNED(TFilter, Filter, FOpt.FFilter)
QOR_GRID_OWNED(TFilterDropDown, FilterDropDown, FOpt.FFilterDropDown)
QOR_GRID_OWNED(TFilterEdit, FilterEdit, FOpt.FFilterEdit)
QOR_GRID_OWNED(TFont, FixedFont, FOpt.FFixedFont)
QOR_GRID_OWNED(TFloatingFooter, FloatingFooter, FOpt.FFloatingFooter)
QOR_GRID_OWNED(TFocusHelper, FocusHelper, FOpt.FFocusHelper)
QOR_GRID_OWNED(TGrouping, Grouping, FOpt.FGrouping)
QOR_GRID_OWNED(THoverButtons, HoverButtons, FOpt.FHoverButtons)
QOR_GRID_OWNED(THTMLSettings, HTMLSettings, FOpt.FHTMLSettings)
QOR_GRID_OWNED(TStringList, LookupItems, FLists.FLookupItems)
QOR_GRID_OWNED(TMouseActions, MouseActions, FOpt.FMouseActions)
QOR_GRID_OWNED(TNavigation, Navigation, FOpt.FNavigation)
QOR_GRID_OWNED(TPrintSettings, PrintSettings, FOpt.FPrintSettings)
QOR_GRID_OWNED(TGridProgressAppearance, ProgressAppearance, FOpt.FProgressAppearance)
QOR_GRID_OWNED(TStringList, RowHeaders, FLists.FRowHeaders)
QOR_GRID_OWNED(TSearchFooter, SearchFooter, FOpt.FSearchFooter)
QOR_GRID_OWNED(TShowModified, ShowModified, FOpt.FShowModified)
QOR_GRID_OWNED(TSizeWhileTyping, SizeWhileTyping, FOpt.FSizeWhileTyping)
QOR_GRID_OWNED(TSortSettings, SortSettings, FOpt.FSortSettings)
QOR_GRID_OWNED(TSyncGrid, SyncGrid, FOpt.FSyncGrid)
#undef QOR_GRID_OWNED

// The owned objects whose setters repaint are in paint/QorGridAppearance.cpp.
TFont* TQorStringGrid::GetActiveCellFont() const { return FOpt.FActiveCellFont.get(); }
TBackGround* TQorStringGrid::GetBackGround() const { return FOpt.FBackGround.get(); }
TBitmap* TQorStringGrid::GetRowIndicator() const { return FOpt.FRowIndicator.get(); }

TBalloonSettings* TQorStringGrid::GetBalloon() const
{
    return FOpt.FBalloonSettings.get();
}

void TQorStringGrid::SetBalloonSettings(TBalloonSettings* Value)
{
    if (Value && Value != FOpt.FBalloonSettings.get()) FOpt.FBalloonSettings->Assign(Value);
}

TQorStringGridCheck* TQorStringGrid::GetCellChecker() const
{
    return FOpt.FCellChecker;
}

void TQorStringGrid::SetCellChecker(TQorStringGridCheck* Value)
{
    if (FOpt.FCellChecker == Value) return;
    if (FOpt.FCellChecker) FOpt.FCellChecker->SetGrid(nullptr);
    SetLink(FOpt.FCellChecker, Value);
    if (Value) Value->SetGrid(this);
}

TPopupMenu* TQorStringGrid::GetFixedDropDownMenu() const
{
    return FOpt.FFixedDropDownMenu;
}

void TQorStringGrid::SetFixedDropDownMenu(TPopupMenu* Value)
{
    SetLink(FOpt.FFixedDropDownMenu, Value);
}

TCustomImageList* TQorStringGrid::GetGridImages() const
{
    return FOpt.FGridImages;
}

void TQorStringGrid::SetGridImages(TCustomImageList* Value)
{
    SetLink(FOpt.FGridImages, Value);
    Invalidate();
}

TPictureContainer* TQorStringGrid::GetPictureContainer() const
{
    return FOpt.FPictureContainer;
}

void TQorStringGrid::SetPictureContainer(TPictureContainer* Value)
{
    SetLink(FOpt.FPictureContainer, Value);
    Invalidate();
}

TQorGridPopup* TQorStringGrid::GetPopupToolBar() const
{
    return FOpt.FPopupToolBar;
}

void TQorStringGrid::SetPopupToolBar(TQorGridPopup* Value)
{
    SetLink(FOpt.FPopupToolBar, Value);
}

// ---- Public state -------------------------------------------------------------------------------------

const String& TQorStringGrid::GetCheckTrueText() const { return FText.FCheckTrue; }
void TQorStringGrid::SetCheckTrue(const String& Value) { FText.FCheckTrue = Value; }
const String& TQorStringGrid::GetCheckFalseText() const { return FText.FCheckFalse; }
void TQorStringGrid::SetCheckFalse(const String& Value) { FText.FCheckFalse = Value; }
double TQorStringGrid::GetDPIScale() const { return FLookState.FDPIScale; }
bool TQorStringGrid::GetIsWinXP() const { return FLookState.FIsWinXP; }
bool TQorStringGrid::GetIsWin7() const { return FLookState.FIsWin7; }
bool TQorStringGrid::GetIsWinVista() const { return FLookState.FIsWinVista; }
bool TQorStringGrid::GetIsComCtl6() const { return FLookState.FIsComCtl6; }
TFooterPanel* TQorStringGrid::GetFooterPanel() const { return FWin.FFooterPanel; }
TSearchPanel* TQorStringGrid::GetSearchPanel() const { return FWin.FSearchPanel; }
TDropList* TQorStringGrid::GetDropList() const { return FWin.FDropList; }
TDropCheckList* TQorStringGrid::GetDropCheckList() const { return FWin.FDropCheckList; }
void TQorStringGrid::FillFilterImages() const
{
    if (FWin.FFltrFilled || !FWin.FFltrList) return;
    FWin.FFltrFilled = true;
    for (HICON Shared : QorGridUnit::FilterIcons()) {
        if (!Shared) continue;
        TIcon Icon;
        Icon.SetHandle(Shared);
        auto Keep = ScopeExit([&Icon] { Icon.ReleaseHandle(); });   // the unit keeps the icon
        FWin.FFltrList->AddIcon(&Icon);
    }
}

TImageList* TQorStringGrid::GetFilterImages() const
{
    FillFilterImages();
    return FWin.FFltrList;
}

TPopupMenu* TQorStringGrid::GetFilterPopup() const
{
    FillFilterImages();
    return FWin.FFltrPopup;
}
TStringList* TQorStringGrid::GetFilterList() const { return FLists.FFilterList.get(); }
TGridFocusWindow* TQorStringGrid::GetFocusWindow() const { return FWin.FFocusWindow; }
TCellGraphic* TQorStringGrid::GetSharedCellGraphic() const { return FOpt.FCellGraphic.get(); }
TIntList* TQorStringGrid::GetColumnOrder() const { return FLists.FColumnOrder.get(); }
TIntList* TQorStringGrid::GetIgnoreColumns() const { return FLists.FIgnoreColumns.get(); }
TSortIndexList* TQorStringGrid::GetSortIndexes() const { return FLists.FSortIndexes.get(); }
