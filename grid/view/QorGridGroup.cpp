// TQorStringGrid: grouping by the values of one column (index systems: HiddenRowMap.h).
//
// Group sorts the rows by the group column, puts a header row before every run of equal values
// (exact, case-sensitive texts) and makes it a node spanning the run, optionally follows every
// group with a summary row, and removes the group column; its value stands in the header's column
// 1 (column 2 while the group column is 1, which becomes column 1 once the group column is gone).
// UnGroup puts the column and the values back and takes the header and summary rows out. A
// sub-grouping repeats this inside the groups for a second column, which stays: its values move
// into the sub-headers (column Colindex + 1) and its data cells are emptied; the sub-headers'
// nodes record the column in FCellVar. Rows are inserted and removed in bulk, so that grouping
// costs one pass over the rows after the sort. Group columns are display columns.
#include "grid/QorGrid.h"

#include "grid/detail/ListShift.h"
#include "grid/input/FloatingFooter.h"
#include "grid/paint/CellGraphic.h"

#include <algorithm>
#include <map>

using QorGridDetail::LinesInsertedUpTo;

namespace {

// A run of equal group values: its first display row and its number of rows.
struct TRun {
    int First;
    int Count;
    String Value;
};

// The column a sub-grouping of ColIndex writes its sub-headers' texts into.
int SubHeaderCol(TQorStringGrid* G, int ColIndex)
{
    return ColIndex + 1 < G->GetColCount() ? ColIndex + 1 : ColIndex;
}

// The nodes enclosing the row a top-down walk has reached, outermost first: each node row is
// pushed when the walk meets it and leaves once the walk passes its span.
class TOpenNodes {
public:
    void At(int ARow)
    {
        while (!FNodes.empty() && FNodes.back().second <= ARow) FNodes.pop_back();
    }
    void Push(int ARow, int Span) { FNodes.emplace_back(ARow, ARow + std::max(Span, 1)); }
    bool Empty() const { return FNodes.empty(); }
    int Innermost() const { return FNodes.back().first; }
    // Adds one to the count of every enclosing node.
    void CountIn(std::map<int, int>& Counts) const
    {
        for (const auto& N : FNodes) ++Counts[N.first];
    }

private:
    std::vector<std::pair<int, int>> FNodes;   // node row, first row after its span
};

// The sub-group column a node records; -1 for a group header (or a node made elsewhere).
int SubGroupColumn(const TCellGraphic* N)
{
    return N && VarIsOrdinal(N->FCellVar) ? N->FCellVar.AsInteger() : -1;
}

}  // namespace

// ---- Colours ------------------------------------------------------------------------------------------------

void TQorStringGrid::ColorGroupRow(int ARow, bool Header, bool Plain, int FromCol)
{
    TGrouping* G = FOpt.FGrouping.get();
    const TColor Colors[3] = {Header ? G->GetHeaderColor() : G->GetSummaryColor(),
                              Header ? G->GetHeaderColorTo() : G->GetSummaryColorTo(),
                              Header ? G->GetHeaderTextColor() : G->GetSummaryTextColor()};
    for (int i = 0; i < 3; ++i) {
        if (Colors[i] == clNone) continue;
        const TColor C = Plain ? PlainColor(Colors[i]) : Colors[i];
        if (FromCol < 0) {
            if (i == 0) SetRowColor(ARow, C);
            else if (i == 1) SetRowColorTo(ARow, C);
            else SetRowFontColor(ARow, C);
        } else {
            if (i == 0) SetColors(FromCol, ARow, C);
            else if (i == 1) SetColorsTo(FromCol, ARow, C);
            else SetFontColors(FromCol, ARow, C);
        }
    }
}

void TQorStringGrid::ResetGroupRowColors(int ARow, bool Header)
{
    TGrouping* G = FOpt.FGrouping.get();
    if ((Header ? G->GetHeaderColor() : G->GetSummaryColor()) != clNone) SetRowColor(ARow, clNone);
    if ((Header ? G->GetHeaderColorTo() : G->GetSummaryColorTo()) != clNone) SetRowColorTo(ARow, clNone);
    if ((Header ? G->GetHeaderTextColor() : G->GetSummaryTextColor()) != clNone) SetRowFontColor(ARow, clNone);
}

// ---- Merging --------------------------------------------------------------------------------------------------

void TQorStringGrid::GroupMerge()
{
    TGrouping* G = FOpt.FGrouping.get();
    const bool Summaries = G->GetMergeSummary() && G->GetSummary();
    if (!G->GetMergeHeader() && !Summaries) return;
    const int From = std::max(GetFixedCols(), 1);
    const int Span = GetColCount() - From;
    if (Span < 1) return;
    for (int r = GetFixedRows(); r < GetRowCount(); ++r) {
        if (G->GetMergeHeader() && IsNode(r)) {
            MergeCells(RealColIndex(From), r, Span, 1);
            ColorGroupRow(r, true, true, RealColIndex(From));
        } else if (Summaries && IsSummary(r)) {
            MergeCells(RealColIndex(From), r, Span, 1);
            ColorGroupRow(r, false, true, RealColIndex(From));
        }
    }
}

void TQorStringGrid::GroupSplit()
{
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
        if (IsGroupRow(r)) SplitRowCells(r);
}

// ---- Grouping -------------------------------------------------------------------------------------------------

void TQorStringGrid::SetGroupColumn(int AGroupColumn)
{
    if (AGroupColumn == -1) UnGroup();
    else if (AGroupColumn > 0) Group(AGroupColumn);
}

void TQorStringGrid::Group(int ColIndex)
{
    if (ColIndex < GetFixedCols()) return;
    // The column counts in the ungrouped grid.
    if (FDims.FGroupColumn != -1) UnGroup();
    if (ColIndex >= GetColCount()) return;
    const int FirstRow = GetFixedRows();
    if (GetRowCount() - FDims.FFixedFooters - FirstRow <= 0) return;
    TColumnSize* CS = FOpt.FColumnSize.get();
    if (ColIndex < CS->GetStretchColumn()) CS->SetStretchColumn(CS->GetStretchColumn() - 1);
    TGrouping* GS = FOpt.FGrouping.get();
    const bool Summary = GS->GetSummary();
    {
        BeginUpdate();
        FDims.FIsGrouping = true;
        auto End = ScopeExit([this] {
            FDims.FIsGrouping = false;
            EndUpdate();
        });
        FDims.FGroupColumn = ColIndex;
        const int RC = RealColIndex(ColIndex);
        FGroup.FGroupWidth = GetColWidths(ColIndex);
        FGroup.FGroupCaption = FirstRow > 0 ? GetGridCell(RC, 0) : String();
        FGroup.FGroupFooter = FDims.FFixedFooters > 0 ? GetGridCell(RC, GetRowCount() - 1) : String();
        if (FOpt.FSortSettings->GetAutoSortForGrouping()) {
            FOpt.FSortSettings->SetColumn(ColIndex);
            QSort();
        }
        // The runs of equal values (exact texts) over the normal rows.
        std::vector<TRun> Runs;
        const int LastRow = GetRowCount() - FDims.FFixedFooters - 1;
        for (int r = FirstRow; r <= LastRow; ++r) {
            String v = GetGridCell(RC, r);
            if (!Runs.empty() && Runs.back().Value == v) ++Runs.back().Count;
            else Runs.push_back(TRun{r, 1, std::move(v)});
        }
        // A header before every run and, with summaries, a summary row after it: all in one pass.
        std::vector<int> Before;
        Before.reserve(Runs.size() * (Summary ? 2 : 1));
        for (const TRun& R : Runs) {
            Before.push_back(R.First);
            if (Summary) Before.push_back(R.First + R.Count);
        }
        InsertRowsBefore(Before);
        // The column goes before the nodes come: grouping on the node column itself keeps them.
        // The header text stands in column 1 of the remaining columns (column 0 when the group
        // column was 0), which UnGroup finds again after putting the column back.
        RemoveCols(RC, 1);
        const int TextCol = RealColIndex(ColIndex == 0 ? 0 : 1);
        const bool HeaderLook = !GS->GetMergeHeader();
        const bool SummaryLook = !(GS->GetMergeSummary() && Summary);
        int h = FirstRow;
        for (const TRun& R : Runs) {
            SetGridCell(TextCol, h, R.Value);
            AddNode(RemapRowInv(h), R.Count + 1);
            if (HeaderLook) ColorGroupRow(h, true, true);
            h += R.Count + 1;
            if (Summary) {
                AddSummary(RemapRowInv(h));
                if (SummaryLook) ColorGroupRow(h, false, true);
                ++h;
            }
        }
        GroupMerge();
        if (FOpt.FCellNode->GetExpandOne()) ExpandNode(RemapRowInv(FirstRow));
        if (GetCol() >= GetColCount() || GetRow() >= GetRowCount()) GotoCellInt(GetFixedCols(), FirstRow);
        SetRowEx(FirstRow);
    }
    NudgeSearchPanel();
}

void TQorStringGrid::UnGroup()
{
    // A grid grouped on column 0 (no fixed columns) is ungrouped as well.
    if (FDims.FGroupColumn < 0) return;
    TCellNode* CN = FOpt.FCellNode.get();
    const bool ExpandOne = CN->GetExpandOne();
    CN->SetExpandOne(false);
    auto RestoreOne = ScopeExit([&] { CN->SetExpandOne(ExpandOne); });
    ExpandAll();
    // Sub-groups first: their headers are nodes too.
    {
        std::vector<int> SubCols;
        for (int r = 0; r < GetRowCount(); ++r) {
            const int c = SubGroupColumn(NodeAt(r));
            if (c != -1 && std::find(SubCols.begin(), SubCols.end(), c) == SubCols.end()) SubCols.push_back(c);
        }
        // Innermost (the latest) first.
        for (auto It = SubCols.rbegin(); It != SubCols.rend(); ++It) SubUnGroup(*It);
    }
    const int GC = FDims.FGroupColumn;
    {
        BeginUpdate();
        FDims.FIsGrouping = true;
        auto End = ScopeExit([this] {
            FDims.FIsGrouping = false;
            EndUpdate();
        });
        // The header and summary rows go, each data row remembers its header's value; all before
        // the column comes back, which would move the node column's records with it when the group
        // column was 0.
        TGrouping* GS = FOpt.FGrouping.get();
        const int TextCol = RealColIndex(GC == 0 ? 0 : 1);
        const int FirstRow = GetFixedRows(), LastRow = GetRowCount() - FDims.FFixedFooters - 1;
        std::vector<String> Values(size_t(std::max(LastRow + 1, 0)));
        std::vector<bool> Data(Values.size(), false);
        TFreePtr<TIntList> Gone(Create<TIntList>(0, 0));
        String Value;
        for (int r = FirstRow; r <= LastRow; ++r) {
            if (IsSummary(r)) {
                if (GS->GetMergeSummary()) SplitCells(RealColIndex(1), r);
                else ResetGroupRowColors(r, false);
                Gone->Add(r);
            } else if (NodeAt(r)) {
                Value = GetGridCell(TextCol, r);
                RemoveNode(RemapRowInv(r));
                ClearPropCell(0, r);
                if (GS->GetMergeHeader()) SplitCells(RealColIndex(1), r);
                else ResetGroupRowColors(r, true);
                Gone->Add(r);
            } else {
                Values[size_t(r)] = Value;
                Data[size_t(r)] = true;
            }
        }
        InsertCols(GC, 1);
        SetColWidths(GC, FGroup.FGroupWidth);
        TColumnSize* CS = FOpt.FColumnSize.get();
        if (GC < CS->GetStretchColumn()) CS->SetStretchColumn(CS->GetStretchColumn() + 1);
        const int RC = RealColIndex(GC);
        if (FirstRow > 0) SetGridCell(RC, 0, FGroup.FGroupCaption);
        if (FDims.FFixedFooters > 0) SetGridCell(RC, GetRowCount() - 1, FGroup.FGroupFooter);
        for (int r = FirstRow; r <= LastRow; ++r)
            if (Data[size_t(r)]) SetGridCell(RC, r, Values[size_t(r)]);
        RemoveRowList(Gone.get());
    }
    FDims.FGroupColumn = -1;
    Invalidate();
}

// ---- Sub-grouping ---------------------------------------------------------------------------------------------

void TQorStringGrid::SubGroup(int ColIndex)
{
    // Sub-groups live inside groups; the group's own saved state (column, width, caption, footer)
    // stays as Group left it, so that UnGroup restores the grouped column.
    if (ColIndex < GetFixedCols() || ColIndex >= GetColCount() || FDims.FGroupColumn == -1) return;
    // Every group open: the sub-grouping sees all rows.
    ExpandAll();
    BeginUpdate();
    auto End = ScopeExit([this] { EndUpdate(); });
    const int RC = RealColIndex(ColIndex);
    const int T = RealColIndex(SubHeaderCol(this, ColIndex));
    // The runs of equal values between node and summary rows, and how many sub-headers each
    // enclosing node gets.
    std::vector<TRun> Runs;
    std::vector<int> Levels;
    std::map<int, int> Grows;
    TOpenNodes Nodes;
    bool Open = false;
    const int LastRow = GetRowCount() - FDims.FFixedFooters - 1;
    for (int r = GetFixedRows(); r <= LastRow; ++r) {
        Nodes.At(r);
        if (TCellGraphic* N = NodeAt(r)) {
            Nodes.Push(r, N->FCellIndex);
            Open = false;
            continue;
        }
        if (IsSummary(r)) {
            Open = false;
            continue;
        }
        String v = GetGridCell(RC, r);
        if (Open && Runs.back().Value == v) {
            ++Runs.back().Count;
            continue;
        }
        Runs.push_back(TRun{r, 1, std::move(v)});
        Open = true;
        Levels.push_back(Nodes.Empty() ? 0 : RowLevel(Nodes.Innermost()));
        Nodes.CountIn(Grows);
    }
    if (Runs.empty()) return;
    std::vector<int> Before(Runs.size());
    for (size_t j = 0; j < Runs.size(); ++j) Before[j] = Runs[j].First;
    InsertRowsBefore(Before);
    for (const auto& [Row, Count] : Grows) {
        const int d = Row + LinesInsertedUpTo(Before, Row);
        UpdateNodeSpan(d, Count);
        UpdateSubNodeCount(d, Count);
    }
    TGrouping* GS = FOpt.FGrouping.get();
    const int NodeCol = FOpt.FCellNode->GetNodeColumn();
    for (size_t j = 0; j < Runs.size(); ++j) {
        const TRun& R = Runs[j];
        const int h = R.First + int(j);
        if (Levels[j] > 0) GetCellProperties(NodeCol, h)->SetNodeLevel(Levels[j]);
        AddNode(RemapRowInv(h), R.Count + 1);
        NodeAt(h)->FCellVar = ColIndex;
        SetGridCell(T, h, R.Value);
        for (int r = h + 1; r <= h + R.Count; ++r) SetGridCell(RC, r, String());
        if (GS->GetMergeHeader()) {
            const int Span = GetColCount() - DisplColIndex(T);
            if (Span > 1) MergeCells(T, h, Span, 1);
            ColorGroupRow(h, true, true, T);
        } else {
            ColorGroupRow(h, true, true);
        }
    }
    SetRowEx(GetFixedRows());
}

void TQorStringGrid::SubUnGroup(int ColIndex)
{
    ExpandAll();
    BeginUpdate();
    auto End = ScopeExit([this] { EndUpdate(); });
    const int RC = RealColIndex(ColIndex);
    const int T = RealColIndex(SubHeaderCol(this, ColIndex));
    const bool Merged = FOpt.FGrouping->GetMergeHeader();
    // The sub-headers give their values back to their rows and leave their enclosing nodes; the
    // rows go in one pass at the end.
    TFreePtr<TIntList> Gone(Create<TIntList>(0, 0));
    std::map<int, int> Shrinks;
    TOpenNodes Nodes;
    String Value;
    const int LastRow = GetRowCount() - FDims.FFixedFooters - 1;
    for (int r = GetFixedRows(); r <= LastRow; ++r) {
        Nodes.At(r);
        TCellGraphic* N = NodeAt(r);
        if (N && SubGroupColumn(N) == ColIndex) {
            Value = GetGridCell(T, r);
            Gone->Add(r);
            Nodes.CountIn(Shrinks);
        } else if (!N && !IsSummary(r)) {
            // Group headers and summary rows keep their texts.
            SetGridCell(RC, r, Value);
        }
        if (N) Nodes.Push(r, N->FCellIndex);
    }
    // Every enclosing node loses its sub-headers (a span stays at least 1).
    for (const auto& [Row, Count] : Shrinks) {
        const int Less = std::min(Count, GetNodeSpan(Row) - 1);
        if (Less <= 0) continue;
        UpdateNodeSpan(Row, -Less);
        UpdateSubNodeCount(Row, -Less);
    }
    for (int i = 0; i < Gone->Count(); ++i) {
        const int r = Gone->GetInteger(i);
        RemoveNode(RemapRowInv(r));
        if (Merged) SplitCells(T, r);
        else ResetGroupRowColors(r, true);
    }
    RemoveRowList(Gone.get());
}

// ---- Group calculations ----------------------------------------------------------------------------------------

void TQorStringGrid::GroupCalc(int ColIndex, int method)
{
    // Group column arithmetic: over the rows of every open group, into its summary row (with
    // summaries) or its header; contracted groups are passed over.
    using TColumnOp = double (TQorStringGrid::*)(int, int, int);
    TColumnOp Op = nullptr;
    switch (method) {
    case 1: Op = &TQorStringGrid::ColumnSum; break;
    case 2: Op = &TQorStringGrid::ColumnAvg; break;
    case 3: Op = &TQorStringGrid::ColumnMin; break;
    case 4: Op = &TQorStringGrid::ColumnMax; break;
    case 5: break;
    case 6: Op = &TQorStringGrid::ColumnCustomCalcGrp; break;
    case 7: Op = &TQorStringGrid::ColumnDistinct; break;
    case 8: Op = &TQorStringGrid::ColumnStdDev; break;
    default: return;
    }
    const int RC = RealColIndex(ColIndex);
    const bool Summary = FOpt.FGrouping->GetSummary();
    int r = GetFixedRows();
    while (r < GetRowCount()) {
        TCellGraphic* N = NodeAt(r);
        if (!N || N->FCellBoolean) {
            ++r;
            continue;
        }
        const int Span = std::max(N->FCellIndex, 1);
        const int Target = Summary ? r + Span : r;
        if (Target < GetRowCount()) {
            if (Op) SetFloats(RC, Target, (this->*Op)(RC, r + 1, r + Span - 1));
            else SetInts(RC, Target, Span - 1);
        }
        r += Span;
    }
}

namespace {

// The floating footer, when visible, shows the same calculation of the column: its type is kept
// in the column's cell of the last row.
void FooterCalc(TQorStringGrid* G, int ColIndex, TColumnCalcType Kind)
{
    if (!G->GetFloatingFooter()->GetVisible() || G->GetRowCount() < 1) return;
    const int Last = G->GetRowCount() - 1;
    const int RC = G->RealColIndex(ColIndex);
    G->GetCellProperties(RC, Last)->SetCalcType(Kind);
    G->UpdateCell(RC, Last);
}

}  // namespace

void TQorStringGrid::GroupSum(int ColIndex)
{
    GroupCalc(ColIndex, 1);
    FooterCalc(this, ColIndex, acSUM);
}

void TQorStringGrid::GroupAvg(int ColIndex)
{
    GroupCalc(ColIndex, 2);
    FooterCalc(this, ColIndex, acAVG);
}

void TQorStringGrid::GroupMin(int ColIndex)
{
    GroupCalc(ColIndex, 3);
    FooterCalc(this, ColIndex, acMIN);
}

void TQorStringGrid::GroupMax(int ColIndex)
{
    GroupCalc(ColIndex, 4);
    FooterCalc(this, ColIndex, acMAX);
}

void TQorStringGrid::GroupCount(int ColIndex)
{
    GroupCalc(ColIndex, 5);
    FooterCalc(this, ColIndex, acCOUNT);
}

void TQorStringGrid::GroupCustomCalc(int ColIndex) { GroupCalc(ColIndex, 6); }
void TQorStringGrid::GroupDistinct(int ColIndex) { GroupCalc(ColIndex, 7); }
void TQorStringGrid::GroupStdDev(int ColIndex) { GroupCalc(ColIndex, 8); }
