// TQorStringGrid: outline nodes (index systems: HiddenRowMap.h).
//
// A node row heads a block of rows, its span, counted in real rows with the node row included. A
// contracted node takes its children out of view: with FilterType ftHide they move into the
// hidden-row store as rows hidden by range (filters never bring them back), with ftSuppress they
// keep their places with height 0. A node nested in a node that contracts is marked expanded:
// expanding the outer node brings back every child row at once. Each row's nesting level lives in
// the node column's cell properties (FNodeLevel): adding a node raises the level of its span.
#include "grid/QorGrid.h"

#include "grid/input/FloatingFooter.h"
#include "grid/paint/CellGraphic.h"
#include "grid/view/GridItem.h"

#include <algorithm>

namespace {

int NodeColumnOf(TQorStringGrid* G)
{
    return G->GetCellNode()->GetNodeColumn();
}

}  // namespace

// ---- Queries --------------------------------------------------------------------------------------------

bool TQorStringGrid::HasNodes()
{
    return FDims.FNumNodes > 0;
}

int TQorStringGrid::NodeIndent(int ARow)
{
    // The node level kept in the node column's cell properties, times the indent setting.
    const int NodeCol = FOpt.FCellNode->GetNodeColumn();
    if (!HasNodes() || ARow < 0 || !HasCellProperties(NodeCol, ARow)) return 0;
    return GetCellProperties(NodeCol, ARow)->GetNodeLevel() * FOpt.FCellNode->GetNodeIndent();
}

bool TQorStringGrid::IsNode(int ARow)
{
    return ARow >= 0 && GetCellType(FOpt.FCellNode->GetNodeColumn(), ARow) == ctNode;
}

bool TQorStringGrid::IsSummary(int ARow)
{
    // A summary row's first cell holds its record: a cell with no object is none (the question
    // is asked of every row a filter pass tests).
    return ARow >= 0 && GetObjects(0, ARow) && GetCellType(0, ARow) == ctSummary;
}

TCellGraphic* TQorStringGrid::NodeAt(int ARow)
{
    if (ARow < 0 || ARow >= GetRowCount()) return nullptr;
    // The record attached to the cell: the shared record column 0 answers under
    // HotmailRowSelect is never a node.
    auto* G = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(NodeColumnOf(this), ARow));
    return G && G->FCellType == ctNode ? G : nullptr;
}

int TQorStringGrid::RowLevel(int ARow)
{
    const int NodeCol = NodeColumnOf(this);
    if (ARow < 0 || ARow >= GetRowCount() || !HasCellProperties(NodeCol, ARow)) return 0;
    return GetCellProperties(NodeCol, ARow)->GetNodeLevel();
}

bool TQorStringGrid::GetNodeState(int ARow)
{
    TCellGraphic* N = NodeAt(ARow);
    return N && N->FCellBoolean;
}

void TQorStringGrid::SetNodeState(int ARow, bool Value)
{
    TCellGraphic* N = NodeAt(ARow);
    if (!N || N->FCellBoolean == Value) return;
    if (Value) ContractNode(RemapRowInv(ARow));
    else ExpandNode(RemapRowInv(ARow));
}

int TQorStringGrid::GetNodeLevel(int ARow)
{
    return NodeAt(ARow) ? RowLevel(ARow) : -1;
}

int TQorStringGrid::GetNodeSpan(int ARow)
{
    TCellGraphic* N = NodeAt(ARow);
    return N ? N->FCellIndex : -1;
}

void TQorStringGrid::SetNodeSpan(int ARow, int Span)
{
    TCellGraphic* N = NodeAt(ARow);
    if (!N) return;
    N->FCellIndex = Span;
    const int Level = RowLevel(ARow);
    const int NodeCol = NodeColumnOf(this);
    for (int r = ARow; r < std::min(ARow + Span, GetRowCount()); ++r) GetCellProperties(NodeCol, r)->SetNodeLevel(Level);
    RepaintCol(DisplColIndex(NodeCol));
}

void TQorStringGrid::UpdateNodeSpan(int ARow, int Delta)
{
    if (TCellGraphic* N = NodeAt(ARow)) N->FCellIndex += Delta;
}

int TQorStringGrid::GetSubNodeCount(int ARow)
{
    TCellGraphic* N = NodeAt(ARow);
    return N ? N->FCellErrFrom : 0;
}

void TQorStringGrid::UpdateSubNodeCount(int ARow, int Delta)
{
    if (TCellGraphic* N = NodeAt(ARow)) N->FCellErrFrom += Delta;
}

int TQorStringGrid::GetParentRow(int ARow)
{
    if (!HasNodes() || ARow < 0 || ARow >= GetRowCount()) return -1;
    int Limit = 65535, Fallback = -1;
    if (IsNode(ARow)) {
        Limit = RowLevel(ARow);
        Fallback = ARow;
    }
    // A contracted node above the row covers only its own display row when its children are
    // hidden; suppressed children keep their display rows.
    const bool Hiding = FFilterState.FFilterType != ftSuppress;
    int c = 0;
    for (int r = ARow; r >= GetFixedRows(); --r) {
        TCellGraphic* N = NodeAt(r);
        if (!N || RowLevel(r) >= Limit) continue;
        const int Span = N->FCellIndex;
        if (N->FCellBoolean && Hiding) c += Span - 1;
        if (r + Span - c > ARow) return r;
    }
    return Fallback;
}

std::vector<int> TQorStringGrid::NodeAncestors(int ARow)
{
    std::vector<int> Chain;
    int p = IsNode(ARow) ? ARow : GetParentRow(ARow);
    while (p != -1) {
        Chain.push_back(RemapRowInv(p));
        const int q = GetParentRow(p);
        if (q == p || q == -1 || RowLevel(q) >= RowLevel(p)) break;
        p = q;
    }
    return Chain;
}

int TQorStringGrid::GetNodeSpanType(int ARow)
{
    if (IsNode(ARow)) return 0;
    if (ARow >= GetRowCount() - FDims.FFixedFooters - 1) return 1;
    if (HasCellProperties(NodeColumnOf(this), ARow + 1)) return RowLevel(ARow + 1) >= RowLevel(ARow) ? 2 : 1;
    return 1;
}

bool TQorStringGrid::InNodeRect(int ARow, int x)
{
    if (!FOpt.FMouseActions->GetPreciseNodeClick()) return true;
    TCellNode* CN = FOpt.FCellNode.get();
    const int Left = CellRect(DisplColIndex(CN->GetNodeColumn()), 0).Left;
    const int Level = GetNodeLevel(ARow);
    const int Indent = CN->GetNodeIndent();
    int g = 0, o = 0;
    switch (CN->GetNodeType()) {
    case cnFlat: g = 4; o = 4; break;
    case cn3D: g = 6; o = 0; break;
    case cnGlyph:
        if (TBitmap* B = CN->GetExpandGlyph(); B && !B->GetEmpty()) {
            g = B->GetWidth() / 2;
            o = 2;
        }
        break;
    case cnLeaf: g = 8; o = 2; break;
    case cnXP: g = 4; o = 4; break;
    }
    if (GetBiDiMode() != bdRightToLeft) {
        const int d = x - Left;
        return o + (Level - 1) * Indent < d && d < g + Level * Indent;
    }
    int d = x - Left;
    if (GetRowCount() - GetFixedRows() > GetVisibleRowCount()) d += GetSystemMetrics(SM_CXVSCROLL);
    return GetWidth() - Level * Indent - g - 2 <= d && d < GetWidth() - (Level - 1) * Indent;
}

// ---- Adding and removing ----------------------------------------------------------------------------------

void TQorStringGrid::AddNode(int RealRow, int Span)
{
    // A hidden row's display index is another row's.
    if (Span < 1 || IsHiddenRow(RealRow)) return;
    int r = RemapRow(RealRow);
    if (r < 0 || r >= GetRowCount()) return;
    // A node added again on its own row replaces the first: the levels and the count stay exact.
    if (NodeAt(r)) {
        RemoveNode(RealRow);
        r = RemapRow(RealRow);
    }
    const int NodeCol = NodeColumnOf(this);
    TCellGraphic* N = CreateCellGraphic(NodeCol, r);
    N->FCellType = ctNode;
    N->FCellAngle = r;
    N->FCellBoolean = false;
    N->FCellIndex = Span;
    N->FCellHAlign = haBeforeText;
    N->FCellVAlign = vaCenter;
    N->FCellErrFrom = 0;
    N->FCellVar = -1;
    for (int i = r; i < std::min(r + Span, GetRowCount()); ++i) {
        TCellProperties* P = GetCellProperties(NodeCol, i);
        P->SetNodeLevel(P->GetNodeLevel() + 1);
    }
    if (FDims.FNumNodes == 0) RepaintCol(DisplColIndex(NodeCol));
    ++FDims.FNumNodes;
    if (GetCol() == 0 && GetColCount() > 1) SetCol(1);
}

void TQorStringGrid::AddSummary(int RealRow)
{
    const int r = RemapRow(RealRow);
    if (r < 0 || r >= GetRowCount()) return;
    CreateCellGraphic(0, r)->FCellType = ctSummary;
}

void TQorStringGrid::RemoveNode(int RealRow)
{
    // A hidden row's display index is another row's.
    if (IsHiddenRow(RealRow)) return;
    ExpandNodeInt(RealRow);
    const int r = DisplRowIndex(RealRow);
    TCellGraphic* N = NodeAt(r);
    if (!N) return;
    const int NodeCol = NodeColumnOf(this);
    for (int i = r; i < std::min(r + N->FCellIndex, GetRowCount()); ++i)
        if (HasCellProperties(NodeCol, i)) {
            TCellProperties* P = GetCellProperties(NodeCol, i);
            P->SetNodeLevel(std::max(P->GetNodeLevel() - 1, 0));
        }
    FreeCellGraphic(NodeCol, r);
    if (FDims.FNumNodes > 0) --FDims.FNumNodes;
    RepaintCol(DisplColIndex(NodeCol));
}

void TQorStringGrid::RemoveAllNodes()
{
    for (int r = 0; r < GetRowCount() && HasNodes(); ++r)
        if (NodeAt(r)) RemoveNode(RemapRowInv(r));
}

// ---- Contracting and expanding ------------------------------------------------------------------------------

void TQorStringGrid::SetNodeContracted(int ARow, TCellGraphic* Node, bool Value)
{
    Node->FCellBoolean = Value;
    // Merged areas that start in the node row collapse to it while the node is contracted.
    for (int c = 0; c < AllCols(); ++c)
        if (HasCellProperties(c, ARow)) GetCellProperties(c, ARow)->SetMergeCollaps(Value);
}

void TQorStringGrid::ContractNode(int RealRow)
{
    HideInplaceEdit();
    {
        // The cell-selection check accepts any cell while rows leave the view.
        TValueScope<bool> Force(FSel.FForceSel, true);
        if (IsHiddenRow(RealRow)) return;
        const int r = RemapRow(RealRow);
        TCellGraphic* N = NodeAt(r);
        if (!N || N->FCellBoolean) return;
        SetNodeContracted(r, N, true);
        const int Span = N->FCellIndex;
        if (FFilterState.FFilterType == ftSuppress) {
            if (Span > 0) SuppressRows(r + 1, std::min(r + Span - 1, GetRowCount() - 1));
        } else {
            // The children as real rows: the span's rows, or up to the next node row for a span
            // of 0 or less.
            int Last;
            if (Span > 0) {
                Last = std::min(RealRow + Span - 1, TotalRowCount() - 1);
            } else {
                int e = r + 1;
                while (e < GetRowCount() && !NodeAt(e)) ++e;
                Last = RemapRowInv(e) - 1;
            }
            // Contracted nodes among the children are marked expanded: expanding this node
            // brings back all of their rows.
            for (int d = r + 1; d < GetRowCount() && RemapRowInv(d) <= Last; ++d)
                if (TCellGraphic* Sub = NodeAt(d); Sub && Sub->FCellBoolean) SetNodeContracted(d, Sub, false);
            if (Last > RealRow) HideRows(RealRow + 1, Last);
        }
    }
    CalcFooter(-1);
}

void TQorStringGrid::UnHideNodeRows(int FromRealRow, int ToRealRow)
{
    // Only rows hidden by range: rows a filter hid stay with their filter level.
    std::vector<int> Slots;
    const TGridItems& Store = FLists.FGridItems;
    for (int i = 0; i < Store.Count(); ++i)
        if (Store[i].GetByRange() && Store[i].GetIdx() >= FromRealRow && Store[i].GetIdx() <= ToRealRow) Slots.push_back(i);
    if (Slots.empty()) return;
    {
        TValueScope<bool> NoCCU(FRun.ccuCall, false);
        RestoreItems(std::move(Slots));
    }
    CellControlsUpdate(false);
}

void TQorStringGrid::ExpandNodeInt(int RealRow)
{
    if (IsHiddenRow(RealRow)) return;
    const int r = RemapRow(RealRow);
    TCellGraphic* N = NodeAt(r);
    if (!N || !N->FCellBoolean) return;
    SetNodeContracted(r, N, false);
    const int Span = N->FCellIndex;
    const int SavedTop = GetTopRow(), SavedRow = GetRow();
    {
        TMouseActions* MA = FOpt.FMouseActions.get();
        const bool Disjunct = MA->GetDisjunctRowSelect();
        MA->SetDisjunctRowSelect(false);
        const bool RowSelect = GetOptions().Contains(goRowSelect);
        if (RowSelect) SetOptions(GetOptions() - TGridOptions{goRowSelect});
        // Cell controls need placing on every change: the batch is only for grids without them.
        const bool Batch = FRun.FCellControlCount == 0;
        if (Batch) BeginUpdate();
        auto End = ScopeExit([&] {
            MA->SetDisjunctRowSelect(Disjunct);
            if (Batch) EndUpdate();
        });
        if (FFilterState.FFilterType == ftSuppress) {
            // Display rows: suppression keeps every row in the string grid.
            const int Last = std::min(r + Span - 1, GetRowCount() - 1);
            UnSuppressRows(r + 1, Last);
            for (int d = r + 1; d <= Last; ++d)
                if (TCellGraphic* Sub = NodeAt(d)) SetNodeContracted(d, Sub, false);
        } else {
            // The hidden rows between the node and the next shown row, within the span.
            int Last = RemapRowInv(r + 1) - 1;
            if (Span > 0) Last = std::min(Last, RealRow + Span - 1);
            UnHideNodeRows(RealRow + 1, Last);
        }
        if (RowSelect) {
            SetOptions(GetOptions() + TGridOptions{goRowSelect});
            SetRowEx(std::min(SavedRow, GetRowCount() - 1));
            SetTopRowEx(SavedTop);
        }
    }
    CalcFooter(-1);
}

void TQorStringGrid::ExpandNode(int RealRow)
{
    if (FOpt.FCellNode->GetExpandOne())
        for (int d = GetFixedRows(); d < GetRowCount(); ++d)
            if (TCellGraphic* N = NodeAt(d); N && !N->FCellBoolean) ContractNode(RemapRowInv(d));
    ExpandNodeInt(RealRow);
}

void TQorStringGrid::ToggleNode(int RealRow)
{
    TCellGraphic* N = NodeAt(RemapRow(RealRow));
    if (!N) return;
    if (N->FCellBoolean) ExpandNode(RealRow);
    else ContractNode(RealRow);
}

void TQorStringGrid::NudgeSearchPanel()
{
    if (!FOpt.FSearchFooter->GetVisible()) return;
    SetWidth(GetWidth() + 1);
    SetWidth(GetWidth() - 1);
}

void TQorStringGrid::ExpandAll()
{
    if (FFilterState.FFilterType == ftSuppress) {
        // Every node, also with ExpandOne: expanding all must leave none contracted.
        for (int d = GetFixedRows(); d < GetRowCount(); ++d)
            if (NodeAt(d)) ExpandNodeInt(RemapRowInv(d));
        return;
    }
    ExpandFast();
    {
        BeginUpdate();
        auto End = ScopeExit([this] { EndUpdate(); });
        for (int d = GetFixedRows(); d < GetRowCount(); ++d)
            if (TCellGraphic* N = NodeAt(d); N && N->FCellBoolean) SetNodeContracted(d, N, false);
    }
    if (IsDestroying()) return;
    NudgeSearchPanel();
    if (FOpt.FFloatingFooter->GetVisible()) CalcFooter(-1);
}

void TQorStringGrid::ContractAll()
{
    if (FFilterState.FFilterType == ftSuppress) {
        for (int d = GetFixedRows(); d < GetRowCount(); ++d)
            if (NodeAt(d)) ContractNode(RemapRowInv(d));
        return;
    }
    bool AnyExpanded = false;
    for (int d = GetFixedRows(); d < GetRowCount() && !AnyExpanded; ++d)
        if (TCellGraphic* N = NodeAt(d); N && !N->FCellBoolean) AnyExpanded = true;
    if (!AnyExpanded) return;
    {
        BeginUpdate();
        auto End = ScopeExit([this] { EndUpdate(); });
        ExpandAll();
        // Bottom up: every row still to be visited keeps its display index equal to its real one.
        for (int d = GetRowCount() - 1; d >= GetFixedRows(); --d)
            if (NodeAt(d)) ContractNode(RemapRowInv(d));
    }
    CellControlsUpdate(false);
    NudgeSearchPanel();
    CalcFooter(-1);
}

// ---- Rows inside nodes --------------------------------------------------------------------------------------

void TQorStringGrid::InsertNormalRow(int RealRow)
{
    // The insertion moves the hidden rows below it down by itself.
    InsertRows(DisplRowIndex(RealRow), 1, true);
}

void TQorStringGrid::RemoveNormalRow(int ARow)
{
    // The largest row count stays: the destructor clears up to it.
    RemoveRows(ARow, 1);
}

void TQorStringGrid::InsertChildRow(int RealRow, int InsertAt)
{
    const int r = DisplRowIndex(RealRow);
    if (r < 0 || r >= GetRowCount()) return;
    const bool NodeRow = NodeAt(r) != nullptr;
    // The enclosing nodes, innermost first, by real row: each grows by the new row and opens.
    const std::vector<int> Chain = NodeAncestors(r);
    const int Level = Chain.empty() ? 1 : RowLevel(RemapRow(Chain.front()));
    for (int P : Chain) {
        const int p = RemapRow(P);
        UpdateNodeSpan(p, 1);
        UpdateSubNodeCount(p, 1);
    }
    for (int P : Chain) ExpandNode(P);
    const int d = DisplRowIndex(RealRow);
    int Pos = d + InsertAt;
    const bool MoveTexts = NodeRow && InsertAt == 0;
    if (MoveTexts) Pos = d + 1;
    InsertRows(Pos, 1, true);
    if (MoveTexts) {
        // The node row's contents go into its new first child.
        for (int c = 0; c < AllCols(); ++c) {
            SetGridCell(c, Pos, GetGridCell(c, d));
            SetGridCell(c, d, String());
            // Column 0 and the node column keep their records (the node's among them).
            if (c == 0 || c == NodeColumnOf(this)) continue;
            TObject* O = GetObjects(c, d);
            SetObjects(c, d, nullptr);
            SetObjects(c, Pos, O);
        }
        RepaintRow(d);
        RepaintRow(Pos);
    }
    if (!Chain.empty()) GetCellProperties(NodeColumnOf(this), Pos)->SetNodeLevel(Level);
}

void TQorStringGrid::RemoveChildRow(int RealRow)
{
    const int r = DisplRowIndex(RealRow);
    if (r < 0 || r >= GetRowCount()) return;
    const int p = GetParentRow(r);
    if (p != -1 && p != r) {
        // The enclosing nodes, innermost first, by real row: each loses the row and opens.
        const std::vector<int> Chain = NodeAncestors(p);
        for (int P : Chain) {
            const int d = RemapRow(P);
            if (GetNodeSpan(d) > 1) {
                UpdateNodeSpan(d, -1);
                UpdateSubNodeCount(d, -1);
            }
        }
        for (int P : Chain) ExpandNode(P);
    }
    // The removal moves the cell controls and hidden rows below it up by itself.
    RemoveRowsInternal(DisplRowIndex(RealRow), 1);
}
