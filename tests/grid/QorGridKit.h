// The grid class's part of the test kit (GridKit.h holds the framework grid's part, which the
// framework's own tests use without the grid library):
//
//   TTestableQorGrid  a TQorStringGrid that records what the grid tells its descendants and its
//                     users (hooks, notifications and events), and opens the protected members
//                     tests need.
//   TGridTestAccess   the grid's friend: the private state tests read.
//   TMergeMarks       GridToText marks for merged cells: "{m WxH}" before the base cell of a W x H
//                     area, "{c}" before a covered cell; its text is the base cell's text through
//                     the grid's cell access (GetCellEx).
#pragma once

#include "tests/grid/GridKit.h"
#include "grid/QorGrid.h"
#include "grid/input/EditControlEditors.h"

#include <utility>
#include <vector>

// What the grid told its descendant and its users, in call order per kind.
struct TQorGridNotes {
    int FootersCreated = 0;                          // CreateFooter
    std::vector<TRect> CellsChanged;                 // CellsChanged (hook) rectangles
    std::vector<TRect> CellsChangedEvents;           // OnCellsChanged
    std::vector<TGridRect> SelectionChanges;         // OnSelectionChanged
    std::vector<std::pair<TGridExportState, int>> Exports;   // ExportNotification
    std::vector<std::pair<int, int>> RowsRemoved;    // RemoveRowsInternal (row, count)
    std::vector<int> AutoDeletedRows;                // OnAutoDeleteRow
    std::vector<std::pair<int, int>> RowUpdates;     // OnRowUpdate (old row, new row)
    std::vector<std::pair<int, int>> Clicked;        // OnFixedCellClick (col, row)
};

class TTestableQorGrid : public TQorStringGrid {
    DECLARE_CLASS(TTestableQorGrid, TQorStringGrid)
public:
    explicit TTestableQorGrid(TComponent* AOwner) : TQorStringGrid(AOwner)
    {
        OnCellsChanged = [this](TObject*, TRect R) { Notes.CellsChangedEvents.push_back(R); };
        OnSelectionChanged = [this](TObject*, int L, int T, int R, int B) {
            Notes.SelectionChanges.push_back(TGridRect{L, T, R, B});
        };
        OnAutoDeleteRow = [this](TObject*, int ARow) { Notes.AutoDeletedRows.push_back(ARow); };
        OnRowUpdate = [this](TObject*, int OldRow, int NewRow) { Notes.RowUpdates.emplace_back(OldRow, NewRow); };
        OnFixedCellClick = [this](TObject*, int ACol, int ARow) { Notes.Clicked.emplace_back(ACol, ARow); };
    }

    TQorGridNotes Notes;

    // Protected members in reach of tests.
    using TQorStringGrid::CanTabToNextRow;
    using TQorStringGrid::DoButtonClick;
    using TQorStringGrid::DoCanEditCell;
    using TQorStringGrid::DoClickSort;
    using TQorStringGrid::DoSearchFooterSearch;
    using TQorStringGrid::DirectWheelChange;
    using TQorStringGrid::GetDefaultProps;
    using TQorStringGrid::SelectCell;
    using TQorStringGrid::SelectionChanged;
    using TQorStringGrid::CreateCellProperties;
    using TCustomGrid::FixedCellClick;
    using TCustomGrid::MoveColRow;
    using TQorStringGrid::GetEditText;
    using TQorStringGrid::SetEditText;

protected:
    TFooterPanel* CreateFooter() override
    {
        ++Notes.FootersCreated;
        return inherited::CreateFooter();
    }

public:
    void CellsChanged(TRect R) override
    {
        Notes.CellsChanged.push_back(R);
        inherited::CellsChanged(R);
    }
    void ExportNotification(TGridExportState AState, int ARow) override
    {
        Notes.Exports.emplace_back(AState, ARow);
        inherited::ExportNotification(AState, ARow);
    }

protected:
    void RemoveRowsInternal(int RowIndex, int RCount) override
    {
        Notes.RowsRemoved.emplace_back(RowIndex, RCount);
        inherited::RemoveRowsInternal(RowIndex, RCount);
    }
};

// The grid's private state as tests read it.
class TGridTestAccess {
public:
    static int MaxRowCount(const TQorStringGrid& G) { return G.FDims.FMaxRowCount; }
    static bool NoEditChange(const TQorStringGrid& G) { return G.FEdit.FNoEditChange; }
    static int CellControlCount(const TQorStringGrid& G) { return G.FRun.FCellControlCount; }
    static int ControlListCount(const TQorStringGrid& G) { return G.FLists.FControlList->Count(); }
    static int SuppressRowSizes(const TQorStringGrid& G) { return G.FLists.FSuppressRowSizes->Count(); }
    static int SuppressColSizes(const TQorStringGrid& G) { return G.FLists.FSuppressColSizes->Count(); }
    static size_t VisibleColEntries(const TQorStringGrid& G) { return G.FDims.FVisibleCol.size(); }
    static bool VisibleColEntry(const TQorStringGrid& G, int i) { return G.FDims.FVisibleCol[size_t(i)]; }
    static size_t AllColWidthEntries(const TQorStringGrid& G) { return G.FDims.FAllColWidths.size(); }
    static bool HideLastRow(const TQorStringGrid& G) { return G.FHideLastRow; }
    static int NormalRowCount(const TQorStringGrid& G) { return G.FNormalRowCount; }
    static TCursor OldCursor(const TQorStringGrid& G) { return G.FRun.FOldCursor; }
    static bool Loaded(const TQorStringGrid& G) { return G.FRun.FLoaded; }
    static UINT_PTR TimerID(const TQorStringGrid& G) { return G.FRun.FGridTimerID; }
    static TGridRect DisSelection(const TQorStringGrid& G) { return G.FSel.FDisSelection; }
    static int VAlignFlag(const TQorStringGrid& G) { return G.FText.FVAlign; }
    static bool ShowSelBase(const TQorStringGrid& G) { return G.FShowSel; }
    static bool WordWrapBase(const TQorStringGrid& G) { return G.FWordWrap; }
    static int OrigColSizes(const TQorStringGrid& G) { return G.FLists.FOrigColSizes->Count(); }
    static int OldSize(const TQorStringGrid& G) { return G.FDims.FOldSize; }
    static void SetNumNodes(TQorStringGrid& G, int N) { G.FDims.FNumNodes = N; }
    static void SetGroupColumn(TQorStringGrid& G, int C) { G.FDims.FGroupColumn = C; }
    static void SetDPIScale(TQorStringGrid& G, double S) { G.FLookState.FDPIScale = S; }
    static void SetEditChange(TQorStringGrid& G, bool V) { G.FEdit.FEditChange = V; }
    static bool EditChange(const TQorStringGrid& G) { return G.FEdit.FEditChange; }
    static QorStyleIF::TJOQStyle Style(const TQorStringGrid& G) { return G.FLookState.FStyle; }
    // The look's gradient fields: from, to, mirror from, mirror to; hover and pressed add the border.
    static std::vector<TColor> JOQGrad(const TQorStringGrid& G)
    {
        const auto& L = G.FLookState;
        return {L.FJOQGradFrom, L.FJOQGradTo, L.FJOQGradMirrorFrom, L.FJOQGradMirrorTo};
    }
    static std::vector<TColor> JOQGradHover(const TQorStringGrid& G)
    {
        const auto& L = G.FLookState;
        return {L.FJOQGradHoverFrom, L.FJOQGradHoverTo, L.FJOQGradHoverMirrorFrom, L.FJOQGradHoverMirrorTo,
                L.FJOQGradHoverBorder};
    }
    static std::vector<TColor> JOQGradDown(const TQorStringGrid& G)
    {
        const auto& L = G.FLookState;
        return {L.FJOQGradDownFrom, L.FJOQGradDownTo, L.FJOQGradDownMirrorFrom, L.FJOQGradDownMirrorTo,
                L.FJOQGradDownBorder};
    }
    static TGridCombo* EditCombo(const TQorStringGrid& G) { return G.FWin.EditCombo; }
    static TGridEditBtn* EditBtn(const TQorStringGrid& G) { return G.FWin.EditBtn; }
    static TGridUnitEditBtn* UnitEditBtn(const TQorStringGrid& G) { return G.FWin.UnitEditBtn; }
    static TGridTransEdit* EditTrans(const TQorStringGrid& G) { return G.FWin.EditTrans; }
    static TNoActiveForm* ButtonForm(const TQorStringGrid& G) { return G.FWin.FButtonForm; }
    static TArrowWindow* Arrow(const TQorStringGrid& G, int i)
    {
        TArrowWindow* A[] = {G.FWin.ArwU, G.FWin.ArwD, G.FWin.ArwL, G.FWin.ArwR};
        return A[i];
    }
    static TScrollControl* MetroVert(const TQorStringGrid& G) { return G.FWin.vscrlctrl; }
    static const QorStyleIF::TColorTones& Tones(const TQorStringGrid& G) { return G.FLookState.FTones; }
    static double WheelLines(const TQorStringGrid& G) { return G.FScroll.wheelscrl; }
    // Filter levels: the filter area lowers the level after popping one.
    static int FilterLevel(const TQorStringGrid& G) { return G.FFilterState.FFilterLevel; }
    static void SetFilterLevel(TQorStringGrid& G, int L) { G.FFilterState.FFilterLevel = L; }
    static size_t SelectedCellKeys(const TQorStringGrid& G) { return G.FModel.FSelectedCells.size(); }
};

// Merged cells in a GridToText dump.
struct TMergeMarks {
    void operator()(const TQorStringGrid& Grid_, int ACol, int ARow, String& Cell) const
    {
        auto& Grid = const_cast<TQorStringGrid&>(Grid_);
        if (!Grid.IsMergedCell(ACol, ARow)) return;
        if (Grid.IsBaseCell(ACol, ARow)) {
            const TPoint S = Grid.CellSpan(ACol, ARow);
            Cell = L"{m " + IntToStr(S.X + 1) + L"x" + IntToStr(S.Y + 1) + L"}" + Grid.GetCellEx(ACol, ARow);
        } else {
            Cell.insert(0, L"{c}");
        }
    }
};
