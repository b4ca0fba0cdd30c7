// TQorStringGrid's column stretching and what follows the framework grid's count, width and
// height changes: stretching again, sizing all columns or rows in proportion after the user sized
// one, the end-of-sizing events and hooks; the column-move arrows' colour and the clean-up when a
// linked component goes.
//
// Stretching runs once per change: FIsColChanging keeps out the width changes it makes itself,
// and ColchgFlg, raised by the first completed stretch, has later width changes (a window that
// was resized) stretch again. Widths count without the grid lines.
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/paint/ArrowFocusWindows.h"

#include "grid/input/QorGridPopup.h"
#include "controls/jyrcheck.h"
#include "graphics/PictureContainer.h"
#include "framework/Forms.h"
#include "framework/Math.h"
#include "framework/WinScope.h"

// ---- Stretching ------------------------------------------------------------------------------------

void TQorStringGrid::StretchColumn(int ACol, int NewWidth)
{
    if (IsLoading() || IsDestroying() || (Application && Application->GetTerminated())) return;
    const TRect Client = GetClientRect();
    if (NewWidth == -1) NewWidth = Client.Width();
    // Only -1 stands for the last column; anything else outside the columns is refused.
    if (ACol < -1 || ACol >= GetColCount()) throw Exception(QorGridConsts::SStretchColumnOutOfRange);
    if (ACol == -1) ACol = GetColCount() - 1;
    if (GetColCount() == 0 || !FOpt.FColumnSize->GetStretch() || FStretch.FIsColChanging) return;
    FStretch.FIsColChanging = true;
    FStretch.ColchgFlg = false;
    TScopeExit Done([this] {
        FStretch.ColchgFlg = true;
        FStretch.FIsColChanging = false;
    });
    const int Cols = GetColCount();
    if (Cols == 1) {
        SetColWidths(0, std::max(0, Client.Right));
    } else if (FOpt.FColumnSize->GetStretchAll()) {
        const int Fixed = GetFixedCols();
        const int RightFixed = std::clamp(FDims.FFixedRightCols, 0, Cols - Fixed);
        const int n = Cols - Fixed - RightFixed;
        if (n > 0) {
            int Rest = NewWidth;
            for (int c = 0; c < Fixed; ++c) Rest -= GetColWidths(c);
            for (int c = Cols - RightFixed; c < Cols; ++c) Rest -= GetColWidths(c);
            // Fixed columns wider than the room leave the others at 0, never below.
            Rest = std::max(0, Rest);
            for (int i = 0; i < n; ++i) SetColWidths(Fixed + i, Rest / n + (i < Rest % n ? 1 : 0));
        }
    } else {
        Int64 Others = 0;
        for (int c = 0; c < Cols; ++c)
            if (c != ACol) Others += GetColWidths(c);
        if (Client.Right >= Others) SetColWidths(ACol, int(std::max<Int64>(0, NewWidth - Others)));
        else if (GetLeftCol() == GetFixedCols()) SetColWidths(ACol, GetDefaultColWidth());
    }
    if (FOpt.FFloatingFooter->GetVisible() && FWin.FFooterPanel) FWin.FFooterPanel->SetAlign(alBottom);
}

void TQorStringGrid::StretchColumns()
{
    FOpt.FColumnSize->SetStretchAll(true);
    FOpt.FColumnSize->SetStretch(true);
    StretchColumn(-1, -1);
}

void TQorStringGrid::StretchRightColumn()
{
    StretchColumn(GetColCount() - 1, -1);
}

void TQorStringGrid::OptionsStretchColumn(int ACol, int NewWidth)
{
    StretchColumn(ACol, NewWidth);
}

namespace {

// The stored stretch column as StretchColumn takes it; a column the grid no longer has (the count
// went down after it was chosen) stretches nothing rather than raising from a size change.
bool StoredStretchColumn(int Stored, int ColCount, int& ACol)
{
    ACol = Stored;
    return Stored >= -1 && Stored < ColCount;
}

} // namespace

void TQorStringGrid::StretchStored()
{
    int ACol = -1;
    if (StoredStretchColumn(FOpt.FColumnSize->GetStretchColumn(), GetColCount(), ACol)) StretchColumn(ACol, -1);
}

void TQorStringGrid::StretchOnResize()
{
    if (!FOpt.FColumnSize->GetStretch() || FScroll.FScrollBarAlways == saHorz ||
        FScroll.FScrollBarAlways == saBoth || GetColCount() == 0)
        return;
    int ACol = -1;
    if (!StoredStretchColumn(FOpt.FColumnSize->GetStretchColumn(), GetColCount(), ACol)) return;
    if (ACol == -1) ACol = GetColCount() - 1;
    // Stretch only when the other columns leave room for it.
    Int64 Others = 0;
    for (int c = 0; c < GetColCount(); ++c)
        if (c != ACol) Others += GetColWidths(c);
    if (Others < GetClientRect().Width() || FOpt.FColumnSize->GetStretchAll()) StretchColumn(ACol, -1);
}

// ---- After the framework changed counts and sizes ------------------------------------------------------

bool TQorStringGrid::SizeHooksReady() const
{
    // Sizes change while the constructor makes the option objects and after the destructor freed
    // them: the framework's handling only then.
    return FOpt.FColumnSize && FOpt.FMouseActions && FOpt.FFloatingFooter && !IsDestroying();
}

void TQorStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    if (!SizeHooksReady() || !GetParent() || IsLoading() || (Application && Application->GetTerminated())) {
        inherited::SizeChanged(OldColCount, OldRowCount);
        return;
    }
    if (FOpt.FColumnSize->GetStretch()) StretchStored();
    inherited::SizeChanged(OldColCount, OldRowCount);
    FlatShowScrollBar(SB_VERT, GetVisibleRowCount() + GetFixedRows() < GetRowCount());
    UpdateVScrollBar();
    FlatShowScrollBar(SB_HORZ, GetVisibleColCount() + GetFixedCols() < GetColCount());
    UpdateHScrollBar();
}

void TQorStringGrid::ColWidthsChanged()
{
    if (!SizeHooksReady()) {
        inherited::ColWidthsChanged();
        return;
    }
    if (FStretch.ColchgFlg && HandleAllocated()) StretchStored();
    inherited::ColWidthsChanged();
    FStretch.ColSizeFlg = true;
    const int Clicked = FStretch.Colclicked;
    const bool ClickedValid = Clicked >= 0 && Clicked < GetColCount();
    if (FEdit.FColSized && FOpt.FMouseActions->GetAllColumnSize() && FStretch.Colclickedsize > 0 && ClickedValid) {
        FEdit.FColSized = false;
        const double Ratio = double(GetColWidths(Clicked)) / FStretch.Colclickedsize;
        for (int c = GetFixedCols(); c < GetColCount(); ++c)
            if (c != Clicked) SetColWidths(c, int(Round(GetColWidths(c) * Ratio)));
        FEdit.FColSized = true;
    }
    if (FEdit.FColSized && ClickedValid) {
        if (OnEndColumnSize) OnEndColumnSize(this, Clicked);
        int w = GetColWidths(Clicked);
        UpdateColSize(Clicked, w);
        if (w != GetColWidths(Clicked)) {
            FEdit.FColSized = false;
            SetColWidths(Clicked, w);
        }
    }
    if (FEdit.FColSized) {
        FStretch.Colclicked = -1;
        FStretch.Rowclicked = -1;
    }
    FEdit.FColSized = false;
    if (HasCheckBox(RealColIndex(GetCol()), GetRow())) HideEditor();
    UpdateFooter();
    CellControlsUpdate(false);
    if (FOpt.FColumnSize->GetStretch() && FScroll.FScrollProportional && FScroll.FScrollType != ssMetro)
        UpdateVScroller();
}

void TQorStringGrid::RowHeightsChanged()
{
    inherited::RowHeightsChanged();
    if (!SizeHooksReady()) return;
    const int Clicked = FStretch.Rowclicked;
    const bool ClickedValid = Clicked >= 0 && Clicked < GetRowCount();
    if (FEdit.FRowSized && FOpt.FMouseActions->GetAllRowSize() && FStretch.Rowclickedsize > 0 && ClickedValid) {
        FEdit.FRowSized = false;
        const int CurRow = GetRow();
        BeginUpdate();
        TScopeExit Batch([this] { EndUpdate(); });
        const double Ratio = double(GetRowHeights(Clicked)) / FStretch.Rowclickedsize;
        // Every height the rows end with: the fixed rows and the sized row keep theirs.
        std::vector<int> Heights(Axis(TGridAxisKind::Rows).Sizes());
        for (int r = GetFixedRows(); r < GetRowCount(); ++r)
            if (r != Clicked) Heights[size_t(r)] = int(Round(Heights[size_t(r)] * Ratio));
        if (GetFixedRows() < GetRowCount()) SetDefRowHeightEx(Heights[size_t(GetFixedRows())]);
        // The new default refills every row: each row gets its own height back, so that the
        // scaled heights are kept.
        for (int r = 0; r < GetRowCount(); ++r) Axis(TGridAxisKind::Rows).SetSize(r, Heights[size_t(r)]);
        inherited::RowHeightsChanged();
        SetRowEx(CurRow);
        FEdit.FRowSized = true;
    }
    if (FEdit.FRowSized) {
        if (OnEndRowSize && ClickedValid) OnEndRowSize(this, Clicked);
        FStretch.Colclicked = -1;
        FStretch.Rowclicked = -1;
    }
    FEdit.FRowSized = false;
    if (HasCheckBox(RealColIndex(GetCol()), GetRow())) HideEditor();
    CellControlsUpdate(false);
}

void TQorStringGrid::BeginLineSizing(TGridAxisKind A, int Index)
{
    if (A == TGridAxisKind::Cols) {
        FStretch.Colclicked = Index;
        FStretch.Colclickedsize = Index >= 0 && Index < GetColCount() ? GetColWidths(Index) : 0;
    } else {
        FStretch.Rowclicked = Index;
        FStretch.Rowclickedsize = Index >= 0 && Index < GetRowCount() ? GetRowHeights(Index) : 0;
    }
}

void TQorStringGrid::EndLineSizing(TGridAxisKind A)
{
    (A == TGridAxisKind::Cols ? FEdit.FColSized : FEdit.FRowSized) = true;
}

// ---- Arrows and removed components -------------------------------------------------------------------

TColor TQorStringGrid::GetArrowColor() const
{
    return FWin.ArwU ? FWin.ArwU->GetColor() : clNone;
}

void TQorStringGrid::SetArrowColor(TColor Value)
{
    for (TArrowWindow* A : {FWin.ArwU, FWin.ArwD, FWin.ArwL, FWin.ArwR})
        if (A) A->SetColor(Value);
}

void TQorStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove) {
        bool Matched = true;
        if (AComponent == FOpt.FGridImages) FOpt.FGridImages = nullptr;
        else if (AComponent == FOpt.FPictureContainer) FOpt.FPictureContainer = nullptr;
        else if (AComponent == FOpt.FCellChecker) FOpt.FCellChecker = nullptr;
        else if (AComponent == FOpt.FFixedDropDownMenu) FOpt.FFixedDropDownMenu = nullptr;
        else if (AComponent == FOpt.FPopupToolBar) FOpt.FPopupToolBar = nullptr;
        else Matched = false;
        if (!Matched && !IsDestroying() && FOpt.FSyncGrid && AComponent && FOpt.FSyncGrid->GetGrid() == AComponent)
            FOpt.FSyncGrid->SetGrid(nullptr);
        // Timers freed by their owners are forgotten as they go.
        if (AComponent == FWin.FScrollTimer) FWin.FScrollTimer = nullptr;
        if (AComponent == FScroll.FDragTmr) FScroll.FDragTmr = nullptr;
    }
    inherited::Notification(AComponent, Operation);
}
