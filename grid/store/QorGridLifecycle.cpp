// TQorStringGrid after construction: window creation, loading, copying from another grid, bounds,
// resizing and the Metro scroll indicators (the scroll bars themselves: view/QorGridScroll.cpp).
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/sortfilter/QorFilterData.h"
#include "graphics/QorXPVS.h"

#include "framework/ClassesStreams.h"
#include "framework/Forms.h"

namespace {

// The grid timer: blinking, hover selection and the incremental-search buffer (its handling comes
// with the grid's input).
constexpr UINT_PTR GridTimerIdentifier = 111;
constexpr UINT GridTimerInterval = 500;
// The scroll-bar controls the grid places over cells.
constexpr int CellScrollBarWidth = 17;
// The Metro scroll indicators' thickness.
constexpr int MetroScrollerSize = 6;

} // namespace

// ---- Window creation ---------------------------------------------------------------------------------

void TQorStringGrid::CreateHandle()
{
    inherited::CreateHandle();
    if (FOpt.FDragDropSettings->GetOleDropTarget()) {
        // A drop target registered for an earlier window is revoked first, then registered for
        // this one.
        if (FScroll.FOleDropTargetAssigned) {
            FOpt.FDragDropSettings->SetOleDropTarget(false);
            FScroll.FOleDropTargetAssigned = false;
        }
        FOpt.FDragDropSettings->SetOleDropTarget(true);
    }
    if (FOpt.FBalloonSettings->GetEnable()) BalloonInit();
}

void TQorStringGrid::CreateWnd()
{
    if (IsDestroying()) return;
    FRun.FLoading = IsLoading();
    inherited::CreateWnd();
    if (!GetParent()) return;

    if (!FRun.FLoading) InitVCLStyle(false);
    if (FScroll.FScrollHints != shNone && !FWin.FScrollHintWnd) FWin.FScrollHintWnd = Create<THTMLHintWindow>(this);
    if (FScroll.FScrollType == ssMetro) CreateMetroScrollers();
    for (TScrollBar* Bar : {FWin.FScrollBar, FWin.FPaintScrollBar}) {
        Bar->SetVisible(false);
        Bar->SetParent(this);
        Bar->SetTabStop(false);
        Bar->SetKind(sbVertical);
        Bar->SetCtl3D(false);
        Bar->SetWidth(CellScrollBarWidth);
    }

    // The DPI factor: the screen's vertical resolution over 96, never below 1; 1 on a form that
    // is not scaled.
    {
        TClientDC DC(GetHandle());
        FLookState.FDPIScale = std::max(1.0, GetDeviceCaps(DC, LOGPIXELSY) / 96.0);
    }
    if (auto* Form = dynamic_cast<TCustomForm*>(QorGridUnit::GetParentForm(this)); Form && !Form->GetScaled())
        FLookState.FDPIScale = 1.0;

    if (FOpt.FBalloonSettings->GetEnable()) BalloonInit();
    FWin.FFooterPanel->SetParent(this);
    FWin.FFooterPanel->SetVisible(FOpt.FFloatingFooter->GetVisible());
    FWin.FSearchPanel->SetParent(this);
    FWin.FSearchPanel->SetAlign(alBottom);
    FWin.FSearchPanel->SetVisible(FOpt.FSearchFooter->GetVisible());
    FWin.FSearchPanel->GetEdit()->SetColor(FOpt.FSearchFooter->GetSearchColor());
    FWin.FSearchPanel->GetEdit()->GetFont()->SetColor(FOpt.FSearchFooter->GetSearchTextColor());
    FWin.FSearchPanel->SetHeight(FOpt.FSearchFooter->GetVisible() ? GetSearchFooterHeight() : 0);
    if (FOpt.FColumnSize->GetSave()) LoadColSizes();
    FRun.FGridTimerID = SetTimer(GetHandle(), GridTimerIdentifier, GridTimerInterval, nullptr);
    if (FLookState.FIsWinXP) FLookState.FIsWinXP = QorXPVS::IsThemeActive && QorXPVS::IsThemeActive();
    InitScroll(true);
    if (FScroll.FScrollType != ssNormal && !FRun.FLoading) {
        FlatInit();
        UpdateWidth();
        UpdateColor();
    }
    if (FLookState.FAutoThemeAdapt && !FRun.FLoading) ThemeNotifierRegistration(true);
}

void TQorStringGrid::DestroyWnd()
{
    if (FRun.FGridTimerID) KillTimer(GetHandle(), FRun.FGridTimerID);
    FRun.FGridTimerID = 0;
    // A grid whose window goes hides its focus frame, so that the hook no longer moves it.
    if (FocusGrid == this) HideFocusHelper();
    if (FLookState.FAutoThemeAdapt) ThemeNotifierRegistration(false);
    inherited::DestroyWnd();
}

void TQorStringGrid::InitScroll(bool)
{
    FScroll.wheelmsg = WM_MOUSEWHEEL;
    UINT Lines = 3;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0)) Lines = 3;
    FScroll.wheelscrl = Lines == WHEEL_PAGESCROLL ? GetVisibleRowCount() : int(Lines);
    FScroll.wheelpan = false;
}

// ---- Loading ------------------------------------------------------------------------------------------

void TQorStringGrid::Loaded()
{
    inherited::Loaded();
    FRun.FOldCursor = GetCursor();
    // Writing the stored column and row headers (ShowColumnHeaders, ShowRowHeaders) comes with
    // the grid's headers.
    if (FWin.FGridDropTarget && FScroll.FOleDropTargetAssigned) {
        // The drop target takes the accepted kinds with the grid's drag and drop.
    }
    if (FLookState.FLook == glJOQ) {
        FLookState.FLook = glCustom;
        SetLook(glJOQ);
    }
    if (FDims.FAutoSize) AutoSizeColumns(false, 4);
    if (FOpt.FColumnSize->GetSave()) LoadColSizes();
    FDims.FFixedRowsMin = GetFixedRows();
    FDims.FFixedColsMin = GetFixedCols();
    FDims.FMinRowHeight = GetDefaultRowHeight();
    FDims.FMinColWidth = 10;
    FDims.FMaxColCount = GetColCount();
    FDims.FMaxRowCount = GetRowCount();
    FRun.FLoaded = true;
    if (GetOptions().Contains(goAlwaysShowEditor)) {
        FOpt.FNavigation->SetAlwaysEdit(true);
        SetOptions(GetOptions() - TGridOptions{goAlwaysShowEditor});
    }
    if (!FLookState.FIsWinXP && FOpt.FControlLook->GetControlStyle() == csTheme)
        FOpt.FControlLook->SetControlStyle(csClassic);
    FOpt.FSearchFooter->SetAutoThemeAdapt(FLookState.FAutoThemeAdapt);
    SearchChanged(this);
    UpdateScrollBars(false);
    if (FLookState.FAutoThemeAdapt) {
        // The grid follows the Office theme now, and its window is told of theme changes.
        ThemeAdapt();
        if (HandleAllocated()) QorStyleIF::ThemeNotifier(this)->RegisterWindow(GetHandle());
    }
    FSel.FDisSelection = TGridRect{-1, -1, -1, -1};
    // The original widths of the columns and the control's width.
    InitOrigColSizes();
    FDims.FOldSize = GetWidth();
    SetColumnOrder();
    ShowColumnHeaders();
    ShowRowHeaders();
    if (FOpt.FBalloonSettings->GetEnable()) BalloonInit();
    if (FOpt.FSearchFooter->GetVisible() && HandleAllocated()) FWin.FSearchPanel->SetVisible(true);
    InitVCLStyle(false);
}

// ---- Copying ------------------------------------------------------------------------------------------

void TQorStringGrid::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TQorStringGrid*>(Source_);
    if (!Source || Source == this) return;
    AssignSettings(Source);
    AssignCells(Source);
}

void TQorStringGrid::AssignSettings(TQorStringGrid* Source)
{
    GetFont()->Assign(Source->GetFont());
    FLookState.FActiveCellColor = Source->FLookState.FActiveCellColor;
    FLookState.FActiveCellColorTo = Source->FLookState.FActiveCellColorTo;
    FOpt.FActiveCellFont->Assign(Source->FOpt.FActiveCellFont.get());
    FLookState.FActiveCellShow = Source->FLookState.FActiveCellShow;
    FOpt.FAutoColor->Assign(Source->FOpt.FAutoColor.get());
    SetActiveRowShow(Source->GetActiveRowShow());
    SetAlign(Source->GetAlign());
    FOpt.FFilterDropDown->Assign(Source->FOpt.FFilterDropDown.get());
    FHints.FAnchorHint = Source->FHints.FAnchorHint;
    FDims.FAutoSize = Source->FDims.FAutoSize;
    FOpt.FAutoColor->Assign(Source->FOpt.FAutoColor.get());
    FOpt.FMouseActions->Assign(Source->FOpt.FMouseActions.get());
    FOpt.FNavigation->Assign(Source->FOpt.FNavigation.get());
    FOpt.FGrouping->Assign(Source->FOpt.FGrouping.get());
    FOpt.FSearchFooter->Assign(Source->FOpt.FSearchFooter.get());
    FOpt.FPrintSettings->Assign(Source->FOpt.FPrintSettings.get());
    FOpt.FFilter->Assign(Source->FOpt.FFilter.get());
    FOpt.FHTMLSettings->Assign(Source->FOpt.FHTMLSettings.get());
    FOpt.FBands->Assign(Source->FOpt.FBands.get());
    FOpt.FBackGround->Assign(Source->FOpt.FBackGround.get());
    FOpt.FCellNode->Assign(Source->FOpt.FCellNode.get());
    FOpt.FSortSettings->Assign(Source->FOpt.FSortSettings.get());
    FOpt.FDragScrollOptions->Assign(Source->FOpt.FDragScrollOptions.get());
    FOpt.FDragDropSettings->Assign(Source->FOpt.FDragDropSettings.get());
    FOpt.FProgressAppearance->Assign(Source->FOpt.FProgressAppearance.get());
    FOpt.FColumnSize->Assign(Source->FOpt.FColumnSize.get());
    FOpt.FSyncGrid->Assign(Source->FOpt.FSyncGrid.get());
    FOpt.FFocusHelper->Assign(Source->FOpt.FFocusHelper.get());
    FOpt.FFilterEdit->Assign(Source->FOpt.FFilterEdit.get());
    FOpt.FHoverButtons->Assign(Source->FOpt.FHoverButtons.get());
    FOpt.FShowModified->Assign(Source->FOpt.FShowModified.get());
    FOpt.FControlLook->Assign(Source->FOpt.FControlLook.get());
    FOpt.FBalloonSettings->Assign(Source->FOpt.FBalloonSettings.get());
    FOpt.FOfficeHint->Assign(Source->FOpt.FOfficeHint.get());
    FDims.FFixedRowAlways = Source->FDims.FFixedRowAlways;

    // Counts through the grid's own setters, so that its bookkeeping follows.
    SetColCountEx(Source->GetColCount());
    SetRowCountEx(Source->GetRowCount());
    SetFixedRowsEx(Source->GetFixedRowsEx());
    SetFixedColsEx(Source->GetFixedColsEx());
    SetDefaultColWidth(Source->GetDefaultColWidth());
    SetDefRowHeightEx(Source->GetDefaultRowHeight());
    SetFixedRowHeight(Source->GetFixedRowHeight());
    SetFixedColWidth(Source->GetFixedColWidth());
    FEdit.FInvalidEntryTitle = Source->FEdit.FInvalidEntryTitle;
    FEdit.FInvalidEntryIcon = Source->FEdit.FInvalidEntryIcon;
    FEdit.FInvalidEntryText = Source->FEdit.FInvalidEntryText;
    SetOptions(Source->GetOptions());
    for (int c = 0; c < GetColCount(); ++c) SetColWidths(c, Source->GetColWidths(c));
    FLists.FColumnHeaders->Assign(Source->FLists.FColumnHeaders.get());
    for (int r = 0; r < GetRowCount(); ++r) SetRowHeights(r, Source->GetRowHeights(r));
    AssignScroll(Source);

    FLookState.FBorderColor = Source->FLookState.FBorderColor;
    FSel.FSelectionColor = Source->FSel.FSelectionColor;
    FSel.FSelectionColorTo = Source->FSel.FSelectionColorTo;
    FSel.FSelectionMirrorColor = Source->FSel.FSelectionMirrorColor;
    FSel.FSelectionMirrorColorTo = Source->FSel.FSelectionMirrorColorTo;
    FSel.FSelectionTextColor = Source->FSel.FSelectionTextColor;
    FSel.FSelectionRTFKeep = Source->FSel.FSelectionRTFKeep;
    FSel.FSelectionResizer = Source->FSel.FSelectionResizer;
    FFilterState.FAutoFilterUpdate = Source->FFilterState.FAutoFilterUpdate;
    FEdit.FDefaultEditor = Source->FEdit.FDefaultEditor;
    FLookState.FDisabledFontColor = Source->FLookState.FDisabledFontColor;
    FSel.FAutoHideSelection = Source->FSel.FAutoHideSelection;
    FText.FAutoNumAlign = Source->FText.FAutoNumAlign;
    FLookState.FAutoThemeAdapt = Source->FLookState.FAutoThemeAdapt;
    FText.FEditWithTags = Source->FText.FEditWithTags;
    FText.FEnableHTML = Source->FText.FEnableHTML;
    FLookState.FEnableBlink = Source->FLookState.FEnableBlink;
    FEdit.FEnhRowColMove = Source->FEdit.FEnhRowColMove;
    FText.FEnhTextSize = Source->FText.FEnhTextSize;
    FText.FExcelStyleDecimalSeparator = Source->FText.FExcelStyleDecimalSeparator;
    FFilterState.FFilterDropDownAuto = Source->FFilterState.FFilterDropDownAuto;
    FFilterState.FFilterDropDownCheck = Source->FFilterState.FFilterDropDownCheck;
    FFilterState.FFilterDropDownCheckUnCheckAll = Source->FFilterState.FFilterDropDownCheckUnCheckAll;
    FFilterState.FFilterDropDownClear = Source->FFilterState.FFilterDropDownClear;
    FFilterState.FFilterDropDownColumns = Source->FFilterState.FFilterDropDownColumns;
    FFilterState.FFilterDropDownMultiCol = Source->FFilterState.FFilterDropDownMultiCol;
    SetFilterDropDownRow(Source->FFilterState.FFilterDropDownRow);
    FEdit.FFixedAsButtons = Source->FEdit.FFixedAsButtons;
    FDims.FFixedFooters = Source->FDims.FFixedFooters;
    FDims.FFixedRightCols = Source->FDims.FFixedRightCols;
    SetGridLineColor(Source->GetGridLineColor());
    SetGridLineWidth(Source->GetGridLineWidth());
    FLookState.FHighlightColor = Source->FLookState.FHighlightColor;
    FLookState.FHighlightTextColor = Source->FLookState.FHighlightTextColor;
    FHints.FHintColor = Source->FHints.FHintColor;
    FHints.FHintShowCells = Source->FHints.FHintShowCells;
    FHints.FHintShowLargeText = Source->FHints.FHintShowLargeText;
    FHints.FHintShowLargeTextPos = Source->FHints.FHintShowLargeTextPos;
    FHints.FHovering = Source->FHints.FHovering;
    SetHoverRow(Source->GetHoverRow());
    SetHoverRowColor(Source->GetHoverRowColor());
    SetHoverRowColorTo(Source->GetHoverRowColorTo());
    FScroll.FIntelliZoom = Source->FScroll.FIntelliZoom;
    FScroll.FIntelliPan = Source->FScroll.FIntelliPan;
    FDims.FIntegralHeight = Source->FDims.FIntegralHeight;
    FHints.FHTMLHint = Source->FHints.FHTMLHint;
    FHints.FHTMLKeepLineBreak = Source->FHints.FHTMLKeepLineBreak;
    FEdit.FInvalidEntryIcon = Source->FEdit.FInvalidEntryIcon;
    FEdit.FInvalidEntryTitle = Source->FEdit.FInvalidEntryTitle;
    FEdit.FInvalidEntryText = Source->FEdit.FInvalidEntryText;
    FEdit.FLookupHistory = Source->FEdit.FLookupHistory;
    FEdit.FLookup = Source->FEdit.FLookup;
    FLists.FLookupItems->Assign(Source->FLists.FLookupItems.get());
    FEdit.FLookupCaseSensitive = Source->FEdit.FLookupCaseSensitive;
    FEdit.FMaxComboLength = Source->FEdit.FMaxComboLength;
    SetMaxEditLength(Source->FEdit.FMaxEditLength);
    FDims.FMultilinecells = Source->FDims.FMultilinecells;
}

void TQorStringGrid::AssignScroll(TQorStringGrid* Source)
{
    FScroll.FScrollProportional = Source->FScroll.FScrollProportional;
    FScroll.FScrollSynch = Source->FScroll.FScrollSynch;
    FScroll.FScrollWidth = Source->FScroll.FScrollWidth;
    FScroll.FScrollHints = Source->FScroll.FScrollHints;
    FScroll.FScrollBarAlways = Source->FScroll.FScrollBarAlways;
    SetScrollBarsEx(Source->FScroll.FScrollBars);
    SetScrollColor(Source->FScroll.FScrollColor);
    SetScrollType(Source->FScroll.FScrollType);
    SetScrollWidth(Source->FScroll.FScrollWidth);
    SetLook(Source->FLookState.FLook);
}

void TQorStringGrid::AssignCells(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TQorStringGrid*>(Source_);
    if (!Source || Source == this) return;
    TFreePtr<TMemoryStream> Stream(Create<TMemoryStream>());
    Source->SaveToStream(Stream.get());
    Stream->SetPosition(0);
    LoadFromStream(Stream.get());
}

// ---- Repainting, resizing and bounds ---------------------------------------------------------------

void TQorStringGrid::Invalidate()
{
    // One invalidation is swallowed after an edit change (the editor repaints its cell itself).
    if (FEdit.FEditChange) {
        FEdit.FEditChange = false;
        return;
    }
    inherited::Invalidate();
    if (!IsLoading() && FOpt.FFloatingFooter && FOpt.FFloatingFooter->GetVisible() && FWin.FFooterPanel)
        FWin.FFooterPanel->Invalidate();
}

void TQorStringGrid::PropertyRepaint()
{
    if (!IsLoading()) Invalidate();
}

void TQorStringGrid::Resize()
{
    inherited::Resize();
    if (OnResize) OnResize(this);
    const TBackGroundDisplay D = FOpt.FBackGround->GetDisplay();
    if ((D == bdGradientHorz || D == bdGradientVert) && FOpt.FBackGround->GetColorTo() != clNone) Invalidate();
    UpdateScrollBars(false);
    CellControlsUpdate(false);
    InitScroll(false);
}

void TQorStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int RowHeight = GetDefaultRowHeight();
    if (FDims.FIntegralHeight && FRun.FUpdateCount == 0 && RowHeight > 0) {
        // The height keeps whole rows: the room for rows is cut to a multiple of the row height.
        const bool AllColsVisible = GetVisibleColCount() + GetFixedCols() >= GetColCount();
        const int S = AllColsVisible ? 0 : GetSystemMetrics(SM_CYHSCROLL);
        const int B = GetBorderStyle() == bsSingle ? 2 : 0;
        const int H = AHeight - S - B;
        AHeight = H - (H % RowHeight) + S + 2 * B;
    }
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (GetParent() && GetParent()->HandleAllocated() && HandleAllocated())
        RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void TQorStringGrid::SetBorderColor(TColor Value)
{
    if (FLookState.FBorderColor == Value) return;
    FLookState.FBorderColor = Value;
    if (GetParent() && GetParent()->HandleAllocated() && HandleAllocated())
        RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

TRect TQorStringGrid::GetClientRect()
{
    return inherited::GetClientRect();
}

// ---- Metro scroll indicators ------------------------------------------------------------------------

void TQorStringGrid::CreateMetroScrollers()
{
    if (!FWin.vscrlctrl) {
        FWin.vscrlctrl = Create<TScrollControl>(this);
        FWin.vscrlctrl->SetDirection(sdVertical);
        FWin.vscrlctrl->SetParent(this);
        FWin.vscrlctrl->SetDoubleBuffered(true);
        FWin.vscrlctrl->SetWidth(MetroScrollerSize);
        FWin.vscrlctrl->SetAlign(alRight);
        FWin.vscrlctrl->SetVisible(true);
    }
    if (!FWin.hscrlctrl) {
        FWin.hscrlctrl = Create<TScrollControl>(this);
        FWin.hscrlctrl->SetDirection(sdHorizontal);
        FWin.hscrlctrl->SetParent(this);
        FWin.hscrlctrl->SetDoubleBuffered(true);
        FWin.hscrlctrl->SetHeight(MetroScrollerSize);
        FWin.hscrlctrl->SetAlign(alBottom);
        FWin.hscrlctrl->SetVisible(true);
    }
}

void TQorStringGrid::DestroyMetroScrollers()
{
    FreeAndNil(FWin.vscrlctrl);
    FreeAndNil(FWin.hscrlctrl);
}
