// TQorStringGrid: find and replace. A search walks the cells of an area (the normal cells, all
// cells, or the selection; hidden rows and columns on request; one row or column when restricted)
// in one of four orders and tests each cell with MatchCell against a search text prepared once:
// plain (anywhere, at the start or the whole cell) or an expression of the filter language, parsed
// once per search text. The multi-column find tests whole rows against one condition per column.
//
// Index systems: a search's columns are display columns, or real columns with
// fnIncludeHiddenColumns; its rows are display rows, or real rows with fnIncludeHiddenRows
// (grid/view/HiddenRowMap.h). Cells found keep that system, so that FindNext continues where the
// last match was; only moving the current cell turns them into display indexes.
#include "grid/QorGrid.h"

#include "grid/input/FloatingFooter.h"
#include "grid/sortfilter/QorFilterData.h"
#include "graphics/JyrHTMLText.h"
#include "graphics/QorUtilText.h"

#include <algorithm>
#include <string_view>

namespace {

using QorUtil::Detail::UpperStr;

constexpr TPoint NoCell{-1, -1};

bool IsNoCell(TPoint P)
{
    return P.X == -1 && P.Y == -1;
}

// The search text that stands for an empty cell: nothing, or two double quotes.
bool MeansEmpty(std::wstring_view s)
{
    return s.empty() || s == L"\"\"";
}

// Whether Needle occurs in Text. Short needles use the library search (its worst case stays
// within a small multiple of the text); long ones a prefix-table scan, linear in both lengths,
// so that a huge search text over huge cells cannot take quadratic time.
bool Contains(std::wstring_view Text, std::wstring_view Needle)
{
    if (Needle.size() > Text.size()) return false;
    if (Needle.size() <= 16) return Text.find(Needle) != std::wstring_view::npos;
    std::vector<size_t> Fail(Needle.size(), 0);
    for (size_t i = 1, k = 0; i < Needle.size(); ++i) {
        while (k > 0 && Needle[i] != Needle[k]) k = Fail[k - 1];
        if (Needle[i] == Needle[k]) ++k;
        Fail[i] = k;
    }
    for (size_t i = 0, k = 0; i < Text.size(); ++i) {
        while (k > 0 && Text[i] != Needle[k]) k = Fail[k - 1];
        if (Text[i] == Needle[k] && ++k == Needle.size()) return true;
    }
    return false;
}

// The limits of a walk, inclusive, by axis (0: columns, 1: rows).
struct TFindLimits {
    int First[2];
    int Last[2];
    bool Within(int Axis, int v) const { return v >= First[Axis] && v <= Last[Axis]; }
};

}  // namespace

// ---- The walk -------------------------------------------------------------------------------------

TPoint TQorStringGrid::FindInternal(TPoint StartCell, const String& s, TFindParams P, bool IsWide,
                                    const WideString& sw)
{
    TValueScope<bool> Busy(FEdit.FFindBusy, true);
    FFind.FFindParams = P;
    const bool DoCase = P.Contains(fnMatchCase);
    FFind.SearchCache = DoCase ? s : UpperStr(s);
    if (P.Contains(fnIgnoreAccents)) FFind.SearchCache = QorUtil::RemoveAccentedStr(FFind.SearchCache);
    FFind.SearchCacheWide = DoCase ? sw : UpperStr(sw);
    if (P.Contains(fnMatchRegular)) {
        // A wide search has no narrow text: its expression is the wide search text.
        const String& Expr = IsWide ? FFind.SearchCacheWide : FFind.SearchCache;
        if (!FFind.FMatcherValid || FFind.FMatcherText != Expr || FFind.FMatcherCase != DoCase) {
            FFind.FMatcher.Parse(Expr, DoCase);
            FFind.FMatcherText = Expr;
            FFind.FMatcherCase = DoCase;
            FFind.FMatcherValid = true;
        }
    }
    FFind.FIsWide = IsWide;
    if (GetColCount() == 0 || GetFixedCols() >= GetColCount()) return NoCell;
    if (TotalRowCount() == 0 || GetFixedRows() >= TotalRowCount()) return NoCell;
    const int StartRow = GetRow();
    const TPoint Found = FindWalk(StartCell, P);
    if (IsNoCell(Found)) {
        ExportNotification(esExportFindRow, StartRow);
        return NoCell;
    }
    FEdit.FSearchCell = Found;
    if (P.Contains(fnAutoGoto)) FindGoto(Found, P);
    return Found;
}

TPoint TQorStringGrid::FindWalk(TPoint StartCell, TFindParams P)
{
    // The area.
    TFindLimits L;
    if (P.Contains(fnIncludeFixed)) {
        L = {{0, 0}, {GetColCount() - 1, GetRowCount() - 1}};
    } else {
        L = {{GetFixedCols(), GetFixedRows()},
             {GetColCount() - GetFixedRightCols() - 1, GetRowCount() - GetFixedFooters() - 1}};
    }
    if (P.Contains(fnSelectedCells)) {
        const TGridRect Sel = GetSelection();
        L = {{Sel.Left, Sel.Top}, {Sel.Right, Sel.Bottom}};
    }
    if (P.Contains(fnIncludeHiddenColumns)) L.Last[0] += FDims.FNumHidden;
    if (P.Contains(fnIncludeHiddenRows)) L.Last[1] += NumHiddenRows();

    // Restrictions to one column or one row: the coordinate and both its limits. A restriction
    // outside the grid leaves nothing to walk.
    int Pin[2] = {-1, -1};
    bool Pinned[2] = {false, false};
    if (P.Contains(fnFindInCurrentRow)) Pin[1] = GetRow(), Pinned[1] = true;
    if (P.Contains(fnFindInPresetRow)) Pin[1] = FFind.FFindRow, Pinned[1] = true;
    if (P.Contains(fnFindInCurrentCol)) Pin[0] = GetCol(), Pinned[0] = true;
    if (P.Contains(fnFindInPresetCol)) Pin[0] = FFind.FFindCol, Pinned[0] = true;
    const int Extent[2] = {GetColCount() + (P.Contains(fnIncludeHiddenColumns) ? FDims.FNumHidden : 0),
                           GetRowCount() + (P.Contains(fnIncludeHiddenRows) ? NumHiddenRows() : 0)};

    // Inner is the axis walked within a line: columns row by row, rows column by column.
    const int Inner = P.Contains(fnDirectionLeftRight) ? 0 : 1;
    const int Outer = 1 - Inner;
    const bool Back = P.Contains(fnBackward);
    const int d = Back ? -1 : 1;

    int Cell[2];
    if (IsNoCell(StartCell)) {
        for (int a = 0; a < 2; ++a) Cell[a] = Back ? L.Last[a] : L.First[a];
        for (int a = 0; a < 2; ++a)
            if (Pinned[a]) Cell[a] = Pin[a];
    } else {
        // The start cell is moved into its restricted line before the step: otherwise a step
        // along a restricted axis would be undone by the restriction and the same cell found
        // again and again.
        Cell[0] = StartCell.X;
        Cell[1] = StartCell.Y;
        for (int a = 0; a < 2; ++a)
            if (Pinned[a]) Cell[a] = Pin[a];
        const auto NotPast = [&](int a) { return Back ? Cell[a] >= L.First[a] : Cell[a] <= L.Last[a]; };
        if (NotPast(Inner)) {
            Cell[Inner] += d;
        } else if (NotPast(Outer)) {
            Cell[Outer] += d;
        } else {
            for (int a = 0; a < 2; ++a) Cell[a] = Back ? L.Last[a] : L.First[a];
            for (int a = 0; a < 2; ++a)
                if (Pinned[a]) Cell[a] = Pin[a];
        }
    }
    for (int a = 0; a < 2; ++a)
        if (Pinned[a]) {
            if (Pin[a] < 0 || Pin[a] >= Extent[a]) return NoCell;
            L.First[a] = L.Last[a] = Pin[a];
        }
    // Nothing outside the grid is read, whatever the selection or the start cell.
    for (int a = 0; a < 2; ++a) {
        L.First[a] = std::max(L.First[a], 0);
        L.Last[a] = std::min(L.Last[a], Extent[a] - 1);
    }

    const bool AnyIgnored = GetIgnoreColumns()->Count() > 0;
    const bool IsWide = FFind.FIsWide;
    int InnerFrom = Cell[Inner];
    for (int o = Cell[Outer]; L.Within(Outer, o); o += d) {
        if (!(Outer == 0 && AnyIgnored && IsIgnoredColumn(o))) {
            for (int i = InnerFrom; L.Within(Inner, i); i += d) {
                const int Col = Inner == 0 ? i : o;
                const int Row = Inner == 0 ? o : i;
                if (Inner == 0 && AnyIgnored && IsIgnoredColumn(Col)) continue;
                ExportNotification(esExportFindRow, Row);
                if (MatchCell(Col, Row, IsWide)) return TPoint(Col, Row);
            }
        }
        InnerFrom = Back ? L.Last[Inner] : L.First[Inner];
    }
    return NoCell;
}

bool TQorStringGrid::MatchCell(int Col, int Row, bool IsWide)
{
    const TFindParams P = FFind.FFindParams;
    const int RCol = P.Contains(fnIncludeHiddenColumns) ? Col : RemapCol(Col);
    const bool RealRows = P.Contains(fnIncludeHiddenRows);
    String& Text = FFind.FText;
    if (IsWide)
        Text = RealRows ? GetWideCellsEx(RCol, Row) : GetWideCells(RCol, Row);
    else
        Text = RealRows ? GetCellsEx(RCol, Row) : GetFormattedCell(RCol, Row);
    if (!IsWide && P.Contains(fnIgnoreHTMLTags)) Text = JyrHTMLE::HTMLStrip(Text);
    if (!P.Contains(fnMatchCase)) {
        static const Char* const Upper = QorUtil::Detail::UpperCaseTable();
        for (Char& c : Text) c = Upper[Word(c)];
    }
    if (!IsWide && P.Contains(fnIgnoreAccents)) Text = QorUtil::RemoveAccentedStr(Text);
    const String& Needle = IsWide ? FFind.SearchCacheWide : FFind.SearchCache;
    if (MeansEmpty(Needle)) return Text.empty();
    if (P.Contains(fnMatchRegular)) return FFind.FMatcher.Match(Text);
    if (P.Contains(fnMatchFull)) return Text == Needle;
    if (P.Contains(fnMatchStart)) return std::wstring_view(Text).starts_with(Needle);
    return Contains(Text, Needle);
}

int TQorStringGrid::GetNodeFromRow(int RealRow)
{
    // The shown node rows before the row, in display order: the last one whose children reach
    // the row holds it (an outer node that holds it comes earlier). Rows outside every node are
    // counted through their real indexes, so a node is never credited with them.
    int Holder = -1;
    const int Last = GetRowCount() - 1;
    for (int d = GetFixedRows(); d <= Last; ++d) {
        const int Real = RealRowIndex(d);
        if (Real >= RealRow) break;
        if (!IsNode(d)) continue;
        const int Span = GetNodeSpan(d);
        int End;   // the real row after the node's last child
        if (Span > 0) {
            End = Real + Span;
        } else {
            int e = d + 1;
            while (e <= Last && !IsNode(e)) ++e;
            End = e <= Last ? RealRowIndex(e) : TotalRowCount();
        }
        if (RealRow < End) Holder = d;
    }
    return Holder;
}

void TQorStringGrid::FindGoto(TPoint Cell, TFindParams P)
{
    int Row = Cell.Y;
    if (P.Contains(fnIncludeHiddenRows) && NumHiddenRows() > 0) {
        // A row hidden under contracted nodes is shown by expanding them, the outermost first.
        if (HasNodes())
            for (int Guard = TotalRowCount(); Guard > 0 && IsHiddenRow(Row); --Guard) {
                const int Node = GetNodeFromRow(Row);
                if (Node < 0) break;
                const int Before = NumHiddenRows();
                ExpandNode(RealRowIndex(Node));
                if (NumHiddenRows() == Before) break;
            }
        Row = DisplRowIndex(Row);
    }
    int Col = Cell.X;
    if (P.Contains(fnIncludeHiddenColumns) && FDims.FNumHidden > 0) Col = std::max(DisplColIndex(Col), 0);
    if (GetRowCount() == 0 || GetColCount() == 0) return;
    Row = std::clamp(Row, 0, GetRowCount() - 1);
    Col = std::clamp(Col, GetFixedCols(), std::max(GetColCount() - 1, GetFixedCols()));
    if (Col >= GetColCount()) return;
    if (FOpt.FMouseActions->GetDisjunctRowSelect()) {
        ClearRowSelect();
        SelectRows(Row, 1);
        SetRowEx(Row);
    } else {
        SetRowEx(Row);
        SetColEx(Col);
    }
}

void TQorStringGrid::FindSelectAndScroll()
{
    if (FOpt.FMouseActions->GetDisjunctCellSelect()) SelectCells(GetCol(), GetRow(), GetCol(), GetRow());
    // The match is kept clear of the bottom edge (and of the floating footer).
    const int F = FOpt.FFloatingFooter->GetVisible() ? 2 : 0;
    const int Visible = GetVisibleRowCount();
    if (GetRow() > GetTopRow() + Visible - F - 2 && Visible + GetFixedRows() + F < GetRowCount())
        SetTopRowEx(std::min(GetTopRow() + F + 1, GetRowCount() - 1));
}

// ---- Find, find all, replace ------------------------------------------------------------------

TPoint TQorStringGrid::Find(TPoint StartCell, const String& s, TFindParams FindParams)
{
    if (IsNoCell(StartCell)) ExportNotification(esExportStart, -1);
    TPoint Found;
    {
        BeginUpdate();
        auto End = ScopeExit([this] { EndUpdate(); });
        Found = FindInternal(StartCell, s, FindParams, false, WideString());
        if (!IsNoCell(Found) && FindParams.Contains(fnAutoGoto)) FindSelectAndScroll();
    }
    ExportNotification(IsNoCell(Found) ? esExportDone : esExportFail, -1);
    return Found;
}

TPoint TQorStringGrid::FindWide(TPoint StartCell, const WideString& s, TFindParams FindParams)
{
    ExportNotification(esExportStart, -1);
    const TPoint Found = FindInternal(StartCell, String(), FindParams, true, s);
    ExportNotification(IsNoCell(Found) ? esExportDone : esExportFail, -1);
    return Found;
}

TPoint TQorStringGrid::FindFirst(const String& s, TFindParams FindParams)
{
    FEdit.FSearchCell = Find(NoCell, s, FindParams);
    return FEdit.FSearchCell;
}

TPoint TQorStringGrid::FindNext()
{
    // The prepared text again: preparing it twice changes nothing.
    const String s = FFind.SearchCache;
    FEdit.FSearchCell = Find(FEdit.FSearchCell, s, FFind.FFindParams);
    return FEdit.FSearchCell;
}

TPoint TQorStringGrid::FindAll(const String& s, TFindParams FindParams, int& NumResults)
{
    NumResults = 0;
    ExportNotification(esExportStart, -1);
    TPoint First;
    {
        BeginUpdate();
        auto End = ScopeExit([this] { EndUpdate(); });
        // The count moves nothing, and neither do the FindNext calls after it.
        First = FindInternal(NoCell, s, FindParams - TFindParams{fnAutoGoto}, false, WideString());
        if (!IsNoCell(First)) {
            NumResults = 1;
            while (!IsNoCell(FindNext())) ++NumResults;
            if (FindParams.Contains(fnAutoGoto)) {
                FindGoto(First, FindParams);
                FindSelectAndScroll();
            }
        }
    }
    ExportNotification(IsNoCell(First) ? esExportDone : esExportFail, -1);
    return First;
}

int TQorStringGrid::Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams)
{
    const TReplaceFlags Flags = FindParams.Contains(fnMatchCase) ? TReplaceFlags{rfReplaceAll}
                                                                 : TReplaceFlags{rfReplaceAll, rfIgnoreCase};
    const bool RealCols = FindParams.Contains(fnIncludeHiddenColumns);
    const bool RealRows = FindParams.Contains(fnIncludeHiddenRows);
    int Changed = 0;
    // Each search starts after the last match, so the walk ends; the guard only bounds it.
    Int64 Guard = Int64(GetAllColCount()) * Int64(TotalRowCount()) + 1;
    for (TPoint c = Find(NoCell, OrigStr, FindParams); !IsNoCell(c) && Guard-- > 0;
         c = Find(c, OrigStr, FindParams)) {
        const int RCol = RealCols ? c.X : RemapCol(c.X);
        const int RealRow = RealRows ? c.Y : RealRowIndex(c.Y);
        // The stored text, not the displayed one: a display hook's text is never written back.
        const String Old = GetGridCellsEx(RCol, RealRow);
        const String New = StringReplace(Old, OrigStr, NewStr, Flags);
        if (New == Old) continue;
        if (IsHiddenRow(RealRow))
            SetGridCellsEx(RCol, RealRow, New);
        else
            SetCellEx(RCol, DisplRowIndex(RealRow), New);
        if (FOpt.FShowModified->GetEnabled()) SetRowModified(RealRow, true);
        ++Changed;
    }
    return Changed;
}

// ---- Incremental lookup -----------------------------------------------------------------------

int TQorStringGrid::Search(const String& s)
{
    if (GetRowCount() < 2) return -1;
    TSortSettings* SS = FOpt.FSortSettings.get();
    int Col = GetFixedCols();
    if (SS->GetShow()) {
        if (!SS->GetIndexShow())
            Col = SS->GetColumn();
        else if (FLists.FSortIndexes->Count() > 0)
            Col = FLists.FSortIndexes->GetSortColumns(0);
    }
    if (Col < 0) return -1;
    for (int r = GetFixedRows(); r < GetRowCount(); ++r) {
        const String Text = GetStrippedCell(Col, r);
        if (UpperStr(std::wstring_view(Text).substr(0, s.size())) == s) return r;
    }
    return -1;
}

// ---- Multi-column find ------------------------------------------------------------------------

String TQorStringGrid::FindMultiBuildCondition(QorGrid::TSearchType st, const String& s)
{
    static constexpr TFilterType AsFilter[] = {ftStartsWith, ftEndsWith, ftContains, ftEqual, ftNotEqual,
                                               ftNotContains};
    String Condition;
    BuildFilterCondition(AsFilter[int(st)], s, Condition);
    return Condition;
}

bool TQorStringGrid::MatchesMulti(int ARow)
{
    for (size_t i = 0; i < FFind.FConditions.size(); ++i) {
        const int RCol = FFind.FColumns[i];
        const String Text = FFind.FIgnoreHTMLMulti ? GetStrippedCell(RCol, ARow) : GetCellEx(RCol, ARow);
        if (!FFind.FMultiMatchers[i].Match(Text)) return false;
    }
    return true;
}

int TQorStringGrid::FindMulti(const std::vector<String>& Conditions, const std::vector<int>& Columns,
                              const std::vector<QorGrid::TSearchType>& Searchtypes,
                              const std::vector<bool>& CaseSensitive, bool IgnoreHTML, bool AutoGoto)
{
    const size_t n = Conditions.size();
    if (Columns.size() != n || Searchtypes.size() != n || CaseSensitive.size() != n)
        throw EQorGridError(QorGridConsts::SArraySizeNotMatching);
    FFind.FConditions.clear();
    FFind.FMultiMatchers.clear();
    for (size_t i = 0; i < n; ++i) {
        FFind.FConditions.push_back(FindMultiBuildCondition(Searchtypes[i], Conditions[i]));
        // One operand, as a single condition is read (no operator splitting), parsed once.
        FFind.FMultiMatchers.emplace_back();
        FFind.FMultiMatchers.back().ParseOperand(FFind.FConditions.back(), CaseSensitive[i]);
    }
    FFind.FColumns = Columns;
    FFind.FCase = CaseSensitive;
    FFind.FIgnoreHTMLMulti = IgnoreHTML;
    FEdit.FSearchCell = TPoint(0, -1);
    for (int r = GetFixedRows(); r < GetRowCount() - GetFixedFooters(); ++r)
        if (MatchesMulti(r)) {
            FEdit.FSearchCell = TPoint(0, r);
            if (AutoGoto) SetRowEx(r);
            return r;
        }
    return -1;
}

int TQorStringGrid::FindMultiNext()
{
    for (int r = std::max(FEdit.FSearchCell.Y + 1, GetFixedRows()); r < GetRowCount() - GetFixedFooters(); ++r)
        if (MatchesMulti(r)) {
            FEdit.FSearchCell = TPoint(0, r);
            return r;
        }
    return -1;
}
