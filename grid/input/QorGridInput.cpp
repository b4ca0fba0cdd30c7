// TQorStringGrid: the input and editing side as far as the grid class holds it now: paint
// batches, change notification, the selection listener, the window procedure's registered
// messages, the search panel's settings, balloon tips and the option objects' reactions. The
// keyboard, the mouse, in-place editing and validation come here with the grid's interaction.
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/input/EditControlEditors.h"

#include "framework/Math.h"
#include "framework/WinScope.h"

#include <commctrl.h>

namespace {

// The search footer's height at scale 1.
constexpr int SearchFooterHeight = 34;
// Gap between the search panel's controls and the room the match-case box keeps beside its caption.
constexpr int SearchControlGap = 8;
constexpr int MatchCaseBoxRoom = 20;

} // namespace

// ---- Paint batches -----------------------------------------------------------------------------------------

void TQorStringGrid::BeginUpdate()
{
    if (!GetVisible()) return;
    if (FRun.FUpdateCount == 0) FUpdating = true;
    ++FRun.FUpdateCount;
    if (HandleAllocated()) SendMessageW(GetHandle(), WM_SETREDRAW, FALSE, 0);
}

void TQorStringGrid::EndUpdate()
{
    if (!GetVisible()) return;
    FRun.FUpdateCount = std::max(0, FRun.FUpdateCount - 1);
    if (FRun.FUpdateCount > 0 || IsDestroying()) return;
    FUpdating = false;
    FSel.FSelChange = false;
    if (!HandleAllocated()) return;
    SendMessageW(GetHandle(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(GetHandle(), nullptr, FALSE);
    RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    if (FOpt.FSearchFooter->GetVisible() && !FWin.FSearchPanel->GetEdit()->Focused()) FWin.FSearchPanel->SetVisible(true);
    if (FLists.FControlList->Count() > 0) CellControlsUpdate(false);
}

int TQorStringGrid::GetUpdateCount() const
{
    return FRun.FUpdateCount;
}

// ---- Change notification --------------------------------------------------------------------------------

void TQorStringGrid::CellsChanged(TRect R)
{
    for (int i = 0; i < FLists.FNotifierList->Count(); ++i)
        static_cast<TGridChangeNotifier*>(FLists.FNotifierList->Get(i))->CellsChanged(R);
    if (OnCellsChanged) OnCellsChanged(this, R);
    CalcFooter(-1);
}

void TQorStringGrid::CellsLoaded()
{
    CalcFooter(-1);
}

void TQorStringGrid::CellControlsUpdate(bool RebuildList)
{
    if (!HandleAllocated() || !FRun.ccuCall) return;
    if (RebuildList) {
        TControlList* L = FLists.FControlList.get();
        L->ClearControls();
        for (int r = 0; r < GetRowCount(); ++r)
            for (int c = 0; c < TotalColCount(); ++c)
                if (HasCellProperties(c, r))
                    if (TControl* C = GetCellProperties(c, r)->GetControl()) L->AddControl(c, r, C);
    }
    // Placing each control on its cell's screen rectangle (and hiding those out of view) comes
    // with the grid's cell controls.
}

// ---- Current cell and the window procedure ----------------------------------------------------------------

bool TQorStringGrid::SelectCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return false;
    if (FSel.FForceSel) return true;
    // The grid's cell-selection checks and events (OnCellChanging, disabled rows) come with its
    // navigation.
    const bool Allowed = inherited::SelectCell(ACol, ARow);
    if (Allowed && (ACol != GetCol() || ARow != GetRow()) && FSel.FISelect)
        FSel.FISelect->CurrentCellChanged(GetCol(), ARow);
    return Allowed;
}

void TQorStringGrid::TopLeftChanged()
{
    inherited::TopLeftChanged();
    if (FOpt.FFocusHelper->GetEnabled() && GetEditorMode()) {
        FocusGrid = this;
        MoveFocusHelper();
    }
}

void TQorStringGrid::WndProc(TMessage& Message)
{
    if (WM_FILTEREDITUPDATE != 0 && Message.Msg == WM_FILTEREDITUPDATE) {
        WMFilterEditUpdate(Message);
        return;
    }
    if ((Message.Msg == WM_THEMECHANGED || Message.Msg == QorStyleIF::WM_OFFICETHEMECHANGED) &&
        FLookState.FAutoThemeAdapt)
        ThemeAdapt();
    if (!IsDestroying()) ScrollersForMessage(Message.Msg);
    inherited::WndProc(Message);
}

void TQorStringGrid::WMFilterEditUpdate(TMessage&)
{
    if (OnFilterEditDone)
        OnFilterEditDone(this, FFilterState.FEditFilterColumn, FFilterState.FEditFilterCondition,
                         FFilterState.FEditFilterType);
}

TInplaceEdit* TQorStringGrid::CreateEditor()
{
    // The grid's own text editor (TQorInplaceEdit) comes with in-place editing.
    return inherited::CreateEditor();
}

bool TQorStringGrid::CanEditShow()
{
    return inherited::CanEditShow();
}

void TQorStringGrid::HideInplaceEdit()
{
    // Hides the text editor and every editor control without writing anything back.
    if (TInplaceEdit* E = GetInplaceEditor()) E->Hide();
    for (TControl* C : std::initializer_list<TControl*>{FWin.EditCombo, FWin.EditCheck, FWin.EditBtn, FWin.UnitEditBtn,
                                                        FWin.GridButton, FWin.FEditControl, FWin.FComboControl})
        if (C) C->SetVisible(false);
}

// ---- Search panel -----------------------------------------------------------------------------------------

int TQorStringGrid::GetSearchFooterHeight()
{
    return int(Round(SearchFooterHeight * std::max(FLookState.FDPIScale, 1.0)));
}

void TQorStringGrid::UpdateSearchPanel()
{
    // Laying the search panel out for the current column widths comes with the search panel.
}

void TQorStringGrid::SearchChanged(TObject*)
{
    if (IsLoading() || !FWin.FSearchPanel) return;
    FWin.FSearchPanel->SetVisible(FOpt.FSearchFooter->GetVisible());
    if (FWin.FSearchPanel->HandleAllocated()) ApplySearchFooter();
}

void TQorStringGrid::ApplySearchFooter()
{
    TSearchFooter* F = FOpt.FSearchFooter.get();
    TSearchPanel* P = FWin.FSearchPanel;
    if (F->GetAlwaysHighLight()) Invalidate();
    P->SetColor(F->GetColor());
    P->SetColorTo(F->GetColorTo());
    P->SetFindNextCaption(F->GetFindNextCaption());
    P->SetFindPrevCaption(F->GetFindPrevCaption());
    P->SetMatchCaseCaption(F->GetMatchCaseCaption());
    P->SetHighLightCaption(F->GetHighLightCaption());
    P->SetHintClose(F->GetHintClose());
    P->SetHintFindNext(F->GetHintFindNext());
    P->SetHintFindPrev(F->GetHintFindPrev());
    P->SetHintHighlight(F->GetHintHighlight());
    P->GetEdit()->SetColor(F->GetSearchColor());
    P->GetEdit()->GetFont()->SetColor(F->GetSearchTextColor());
    P->GetFont()->Assign(F->GetFont());
    P->GetFont()->SetHeight(int(Round(F->GetFont()->GetHeight() * FLookState.FDPIScale)));
    const bool Flat = FOpt.FControlLook->GetControlStyle() == csFlat;
    const bool Searching = F->GetSearchType() == stSearch;
    // The buttons left to right, 8 pixels apart; only a search has forward, backward and highlight.
    int X = P->GetExitButton()->GetLeft() + P->GetExitButton()->GetWidth() + SearchControlGap;
    for (TSearchPanelButton* B : {P->GetForwardButton(), P->GetBackwardButton(), P->GetHiliteButton()}) {
        B->SetFlat(Flat);
        B->SetVisible(Searching);
        if (!Searching) continue;
        B->SetLeft(X);
        X += B->GetWidth() + SearchControlGap;
    }
    P->GetForwardButton()->SetCaption(F->GetFindNextCaption());
    P->GetBackwardButton()->SetCaption(F->GetFindPrevCaption());
    P->GetHiliteButton()->SetCaption(F->GetHighLightCaption());
    TSearchPanelCheckBox* Box = P->GetMatchCase();
    Box->SetCaption(F->GetMatchCaseCaption());
    Box->SetLeft(X);
    Box->SetWidth(P->GetCanvas()->TextWidth(F->GetMatchCaseCaption()) +
                  int(Round(MatchCaseBoxRoom * FLookState.FDPIScale)));
    P->GetResultLabel()->SetVisible(F->GetShowResults());
    P->SetHeight(F->GetVisible() ? GetSearchFooterHeight() : 0);
}

// The search panel's controls: searching and narrowing down come with the grid's search footer.
void TQorStringGrid::SearchEditChange(TObject*) {}
void TQorStringGrid::SearchBackward(TObject*) {}
void TQorStringGrid::SearchForward(TObject*) {}
void TQorStringGrid::SearchHighLight(TObject*) {}
void TQorStringGrid::SearchMatchCase(TObject*) {}

void TQorStringGrid::SearchExit(TObject*)
{
    FOpt.FSearchFooter->SetVisible(false);
    if (OnSearchFooterClose) OnSearchFooterClose(this);
}

// ---- Balloon tips ----------------------------------------------------------------------------------------------

void TQorStringGrid::BalloonInit()
{
    TBalloonSettings* B = FOpt.FBalloonSettings.get();
    if (B->GetInit() || !HandleAllocated()) return;
    FWin.FBalloonWnd = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, QorGridConsts::SBalloonToolTipTitle,
                                       WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetHandle(), nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    if (!FWin.FBalloonWnd) return;
    B->SetInit(true);
    const HWND W = FWin.FBalloonWnd;
    if (B->GetBackgroundColor() != clNone) SendMessageW(W, TTM_SETTIPBKCOLOR, WPARAM(ColorToRGB(B->GetBackgroundColor())), 0);
    if (B->GetTextColor() != clNone) SendMessageW(W, TTM_SETTIPTEXTCOLOR, WPARAM(ColorToRGB(B->GetTextColor())), 0);
    if (B->GetInitialDelay() >= 0) SendMessageW(W, TTM_SETDELAYTIME, TTDT_INITIAL, LPARAM(B->GetInitialDelay()));
    if (B->GetReshowDelay() >= 0) SendMessageW(W, TTM_SETDELAYTIME, TTDT_RESHOW, LPARAM(B->GetReshowDelay()));
    if (B->GetAutoHideDelay() >= 0) SendMessageW(W, TTM_SETDELAYTIME, TTDT_AUTOPOP, LPARAM(B->GetAutoHideDelay()));
}

void TQorStringGrid::BalloonDone()
{
    if (FWin.FBalloonWnd) DestroyWindow(FWin.FBalloonWnd);
    FWin.FBalloonWnd = nullptr;
    if (FOpt.FBalloonSettings) FOpt.FBalloonSettings->SetInit(false);
}

HWND TQorStringGrid::GetBalloonWindow() const
{
    return FWin.FBalloonWnd;
}

void TQorStringGrid::BalloonChange(TObject*)
{
    if (IsLoading()) return;
    if (FOpt.FBalloonSettings->GetEnable()) BalloonInit();
    else BalloonDone();
}

// ---- Option object reactions ------------------------------------------------------------------------------------

void TQorStringGrid::OnMouseActionsChanged(TObject*)
{
    // The mouse settings take effect with the grid's mouse handling.
}

void TQorStringGrid::OnMouseActionsIsDesigning(TObject*, bool& IsDesigning)
{
    IsDesigning = GetComponentState().Contains(csDesigning);
}

void TQorStringGrid::OnMouseActionsInvalidate(TObject*)
{
    Invalidate();
}

void TQorStringGrid::OnMouseActionsDisableEdit(TObject*)
{
    SetOptions(GetOptions() - TGridOptions{goEditing});
}

void TQorStringGrid::OnNavigationChanged(TObject*)
{
    // The navigation settings take effect with the grid's keyboard handling.
}

void TQorStringGrid::InitVCLStyle(bool)
{
    // The framework has no style manager: the grid paints with its own colours.
    FLookState.FUseVCLStyles = false;
}

void TQorStringGrid::UnitChanged(TObject*, const String& NewUnit)
{
    if (OnUnitChanged) OnUnitChanged(this, GetCol(), GetRow(), NewUnit);
}

void TQorStringGrid::ScrollbarMouseLeave(TObject*)
{
    // The in-cell scroll bar hides when the pointer leaves it, with the grid's cell controls.
}

void TQorStringGrid::ColHeaderChanged(TObject*)
{
    UpdateColHeaders();
    ShowColumnHeaders();
}

void TQorStringGrid::RowHeaderChanged(TObject*)
{
    ShowRowHeaders();
}

void TQorStringGrid::MergedColumnsChanged(TObject*, int, int)
{
    UndoColumnMerge();
    ApplyColumnMerge();
}

void TQorStringGrid::HoverButtonClick(TObject*)
{
    // The hover buttons come with the grid's mouse handling.
}

void TQorStringGrid::ButtonFormMouseLeave(TObject*)
{
    if (FWin.FButtonForm && FWin.FButtonForm->HandleAllocated()) ShowWindow(FWin.FButtonForm->GetHandle(), SW_HIDE);
}

// ---- Editing hooks: they come with in-place editing ------------------------------------------------------------

void TQorStringGrid::UpdateEditingCell(int, int, const String&) {}
void TQorStringGrid::RestoreCache() {}
void TQorStringGrid::InitValidate(int, int) {}
void TQorStringGrid::TabToNextRowAtEnd() {}

void TQorStringGrid::UpdateCell(int RCol, int)
{
    CalcFooter(RCol);
}

void TQorStringGrid::DoCellChanging(int, int, bool&)
{
    // The cell-changing events (OnCellChanging, OnRowChanging, OnColChanging) come with the grid's
    // navigation.
}

bool TQorStringGrid::ValidateCell(const String&)
{
    // Validation (the linked checker, OnCellValidate, the balloon on rejection) comes with
    // in-place editing; until then every text is accepted.
    return FEdit.FLastValidation;
}

bool TQorStringGrid::ValidateCellWide(const WideString&)
{
    return FEdit.FLastValidation;
}
