// TQorStringGrid: highlighting and error marks inside cell texts, the linked cell checker run over
// cells, and fills of the grid with fixed, formatted, random and coordinate texts.
//
// Marks are the markup tags "hi" (highlight) and "e" (error) that JyrHTMLE's HiLight puts around
// matches in a cell's visible text and UnHiLight takes away again. Marking works on base cells
// only (a merged area is marked once) and writes a cell only when its text changes, so a cell
// without a match, or one that is unmarked without having been marked, keeps its text byte for
// byte. HiLight matches the visible text (a "&lt;" in markup is found by "<"), so the search text
// is handed over as the user typed it.
//
// Column ranges: the shown columns are the display columns mapped to their real columns, so a
// hidden column is never marked or filled in its place; the unmarking variants that reach every
// column take every real column, hidden ones included.
#include "grid/QorGrid.h"

#include "controls/jyrcheck.h"
#include "framework/WinScope.h"
#include "graphics/JyrHTMLText.h"

namespace {

const wchar_t* const HiTag = L"hi";
const wchar_t* const ErrorTag = L"e";

}  // namespace

// ---- Text level ------------------------------------------------------------------------------------------

String TQorStringGrid::HilightText(bool DoCase, const String& S, const String& Text)
{
    return JyrHTMLE::HiLight(S, Text, HiTag, DoCase, false);
}

String TQorStringGrid::UnHilightText(const String& S)
{
    return JyrHTMLE::UnHiLight(S, HiTag);
}

String TQorStringGrid::MarkText(bool DoCase, const String& S, const String& Text)
{
    return JyrHTMLE::HiLight(S, Text, ErrorTag, DoCase, false);
}

String TQorStringGrid::UnMarkText(const String& S)
{
    return JyrHTMLE::UnHiLight(S, ErrorTag);
}

// ---- Cell level ------------------------------------------------------------------------------------------

namespace {

// The real columns From .. To that exist.
std::vector<int> RealCols(int From, int To, int AllCols)
{
    std::vector<int> Cols;
    for (int c = std::max(From, 0); c <= std::min(To, AllCols - 1); ++c) Cols.push_back(c);
    return Cols;
}

}  // namespace

template <class F>
void TQorStringGrid::RewriteBaseCells(const std::vector<int>& Cols, int FromRow, int ToRow, F&& Rewrite)
{
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, GetRowCount() - 1);
    for (int r = FromRow; r <= ToRow; ++r) {
        for (int c : Cols) {
            if (!IsBaseCell(c, r)) continue;
            const String Text = OnGetDisplText ? GetCellEx(c, r) : GetGridCell(c, r);
            String New = Rewrite(Text);
            if (New != Text) SetCellEx(c, r, std::move(New));
        }
    }
}

void TQorStringGrid::MarkCellsIn(const std::vector<int>& Cols, int FromRow, int ToRow, const String& s,
                                 const String& tag, bool DoCase, bool FullCell)
{
    RewriteBaseCells(Cols, FromRow, ToRow,
                     [&](const String& Text) { return JyrHTMLE::HiLight(Text, s, tag, DoCase, FullCell); });
}

void TQorStringGrid::UnMarkCellsIn(const std::vector<int>& Cols, int FromRow, int ToRow, const String& tag)
{
    // UnHiLight undoes the escapes its marking brought into plain text; a cell without a mark of
    // the tag keeps its text.
    RewriteBaseCells(Cols, FromRow, ToRow, [&](const String& Text) { return JyrHTMLE::UnHiLight(Text, tag); });
}

void TQorStringGrid::MarkCells(const String& s, const String& tag, bool DoCase, int FromCol, int FromRow,
                               int ToCol, int ToRow, bool FullCell)
{
    MarkCellsIn(RealCols(FromCol, ToCol, AllCols()), FromRow, ToRow, s, tag, DoCase, FullCell);
}

void TQorStringGrid::UnMarkCells(const String& tag, int FromCol, int FromRow, int ToCol, int ToRow)
{
    UnMarkCellsIn(RealCols(FromCol, ToCol, AllCols()), FromRow, ToRow, tag);
}

namespace {

// The rows and columns of a scope: the whole grid with DoFixed, else the normal cells.
struct TScope {
    int FromCol, ToCol, FromRow, ToRow;
};

TScope ScopeOf(TQorStringGrid& G, bool DoFixed, int ColEnd)
{
    if (DoFixed) return {0, ColEnd - 1, 0, G.GetRowCount() - 1};
    return {G.GetFixedCols(), ColEnd - G.GetFixedRightCols() - 1, G.GetFixedRows(),
            G.GetRowCount() - G.GetFixedFooters() - 1};
}

// The real columns of the shown columns From .. To (display columns).
std::vector<int> ShownCols(TQorStringGrid& G, int From, int To)
{
    std::vector<int> Cols;
    for (int c = std::max(From, 0); c <= std::min(To, G.GetColCount() - 1); ++c) Cols.push_back(G.RemapCol(c));
    return Cols;
}

// The scope variants of both tags: a column over the rows of the scope; a row over the shown
// columns of the scope; for unmarking, a row or the grid over every real column of the scope.
void MarkColumn(TQorStringGrid& G, const String& s, const wchar_t* tag, bool DoFixed, bool DoCase, int Col,
                bool FullText)
{
    const TScope S = ScopeOf(G, DoFixed, G.GetColCount());
    G.MarkCells(s, tag, DoCase, Col, S.FromRow, Col, S.ToRow, FullText);
}

void UnMarkColumn(TQorStringGrid& G, const wchar_t* tag, bool DoFixed, int Col)
{
    const TScope S = ScopeOf(G, DoFixed, G.GetColCount());
    G.UnMarkCells(tag, Col, S.FromRow, Col, S.ToRow);
}

// One row, or every row of the scope when WholeGrid.
void UnMarkAcross(TQorStringGrid& G, const wchar_t* tag, bool DoFixed, bool WholeGrid, int Row)
{
    const TScope S = ScopeOf(G, DoFixed, G.GetAllColCount());
    G.UnMarkCells(tag, S.FromCol, WholeGrid ? S.FromRow : Row, S.ToCol, WholeGrid ? S.ToRow : Row);
}

}  // namespace

void TQorStringGrid::HilightInCell(bool DoCase, int Col, int Row, const String& HiText, bool FullText)
{
    MarkCells(HiText, HiTag, DoCase, Col, Row, Col, Row, FullText);
}

void TQorStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const String& HiText, bool FullText)
{
    MarkColumn(*this, HiText, HiTag, DoFixed, DoCase, Col, FullText);
}

void TQorStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const String& HiText, bool FullText)
{
    const TScope S = ScopeOf(*this, DoFixed, GetColCount());
    MarkCellsIn(ShownCols(*this, S.FromCol, S.ToCol), Row, Row, HiText, HiTag, DoCase, FullText);
}

void TQorStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const String& HiText, bool FullText)
{
    if (DoFixed) {
        const TScope S = ScopeOf(*this, true, GetColCount());
        MarkCellsIn(ShownCols(*this, S.FromCol, S.ToCol), S.FromRow, S.ToRow, HiText, HiTag, DoCase, FullText);
        return;
    }
    // Without the fixed cells the highlight reaches every real column, hidden ones included.
    const TScope S = ScopeOf(*this, false, AllCols());
    MarkCells(HiText, HiTag, DoCase, S.FromCol, S.FromRow, S.ToCol, S.ToRow, FullText);
}

void TQorStringGrid::MarkInCell(bool DoCase, int Col, int Row, const String& HiText)
{
    MarkCells(HiText, ErrorTag, DoCase, Col, Row, Col, Row, false);
}

void TQorStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const String& HiText)
{
    MarkColumn(*this, HiText, ErrorTag, DoFixed, DoCase, Col, false);
}

void TQorStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const String& HiText)
{
    const TScope S = ScopeOf(*this, DoFixed, GetColCount());
    MarkCellsIn(ShownCols(*this, S.FromCol, S.ToCol), Row, Row, HiText, ErrorTag, DoCase, false);
}

void TQorStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const String& HiText)
{
    const TScope S = ScopeOf(*this, DoFixed, GetColCount());
    MarkCellsIn(ShownCols(*this, S.FromCol, S.ToCol), S.FromRow, S.ToRow, HiText, ErrorTag, DoCase, false);
}

void TQorStringGrid::UnHilightInCell(int Col, int Row) { UnMarkCells(HiTag, Col, Row, Col, Row); }
void TQorStringGrid::UnHilightInCol(bool DoFixed, int Col) { UnMarkColumn(*this, HiTag, DoFixed, Col); }
void TQorStringGrid::UnHilightInRow(bool DoFixed, int Row) { UnMarkAcross(*this, HiTag, DoFixed, false, Row); }
void TQorStringGrid::UnHilightInGrid(bool DoFixed) { UnMarkAcross(*this, HiTag, DoFixed, true, 0); }
void TQorStringGrid::UnMarkInCell(int Col, int Row) { UnMarkCells(ErrorTag, Col, Row, Col, Row); }
void TQorStringGrid::UnMarkInCol(bool DoFixed, int Col) { UnMarkColumn(*this, ErrorTag, DoFixed, Col); }
void TQorStringGrid::UnMarkInRow(bool DoFixed, int Row) { UnMarkAcross(*this, ErrorTag, DoFixed, false, Row); }
void TQorStringGrid::UnMarkInGrid(bool DoFixed) { UnMarkAcross(*this, ErrorTag, DoFixed, true, 0); }

// ---- The cell checker ------------------------------------------------------------------------------------

bool TQorStringGrid::CheckCell(int Col, int Row)
{
    TQorStringGridCheck* Checker = FOpt.FCellChecker;
    if (!Checker) return true;
    if (Col < 0 || Col >= GetColCount() || Row < 0 || Row >= GetRowCount()) return true;
    const int RCol = RemapCol(Col);
    // Earlier error marks go first: the checker sees the text as it was typed.
    const String Orig = UnMarkText(GetCellEx(RCol, Row));
    if (Checker->GetGotoCell()) MoveColRow(Col, Row, true, true);
    String New = Orig;
    if (Checker->GetUseCorrect()) New = Checker->Correct(Col, Row, Orig);
    if (Checker->GetUseMarkError()) New = Checker->MarkError(Col, Row, Orig);
    const bool Same = New == Orig;
    SetCellEx(RCol, Row, std::move(New));
    return Same;
}

bool TQorStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    TQorStringGridCheck* Checker = FOpt.FCellChecker;
    if (!Checker) return true;
    Checker->StartCheck();
    const int SavedRow = GetRow(), SavedCol = GetCol();
    // StopCheck and the current cell follow also when the checker raises.
    auto Done = ScopeExit([this, SavedRow, SavedCol] {
        TQorStringGridCheck* C = FOpt.FCellChecker;   // the checker may have gone meanwhile
        if (!C) return;
        C->StopCheck();
        if (C->GetGotoCell()) {
            SetRowEx(SavedRow);
            SetColEx(SavedCol);
        }
    });
    bool Result = true;
    for (int r = FromRow; r <= ToRow; ++r) {
        for (int c = FromCol; c <= ToCol; ++c) {
            Result = CheckCell(c, r) && Result;
            if (!FOpt.FCellChecker || FOpt.FCellChecker->GetLastResult() != 1) return Result;
        }
    }
    return Result;
}

bool TQorStringGrid::CheckCol(bool DoFixed, int Col)
{
    const TScope S = ScopeOf(*this, DoFixed, GetColCount());
    return CheckCells(Col, S.FromRow, Col, S.ToRow);
}

bool TQorStringGrid::CheckRow(bool DoFixed, int Row)
{
    const TScope S = ScopeOf(*this, DoFixed, GetColCount());
    return CheckCells(S.FromCol, Row, S.ToCol, Row);
}

bool TQorStringGrid::CheckGrid(bool DoFixed)
{
    const TScope S = ScopeOf(*this, DoFixed, GetColCount());
    return CheckCells(S.FromCol, S.FromRow, S.ToCol, S.ToRow);
}

// ---- Fills -----------------------------------------------------------------------------------------------

template <class F>
void TQorStringGrid::ForFillArea(bool DoFixed, F&& Fill)
{
    const TScope S = ScopeOf(*this, DoFixed, GetColCount());
    const int FromCol = std::max(S.FromCol, 0);
    const std::vector<int> Cols = ShownCols(*this, FromCol, S.ToCol);
    BeginUpdate();
    {
        auto Update = ScopeExit([this] { EndUpdate(); });
        for (int r = std::max(S.FromRow, 0); r <= S.ToRow; ++r)
            for (size_t i = 0; i < Cols.size(); ++i) Fill(FromCol + int(i), r, Cols[i]);
    }
    CellsLoaded();
}

void TQorStringGrid::TextFill(bool DoFixed, const String& Txt)
{
    ForFillArea(DoFixed, [&](int, int r, int RCol) { SetCellEx(RCol, r, Txt); });
}

void TQorStringGrid::FormatFill(bool DoFixed, const String& Fmt)
{
    ForFillArea(DoFixed, [&](int c, int r, int RCol) { SetCellEx(RCol, r, Format(Fmt, {c, r})); });
}

void TQorStringGrid::RandomFill(bool DoFixed, int Rnd)
{
    ForFillArea(DoFixed, [&](int, int r, int RCol) { SetInts(RCol, r, Random(Rnd)); });
}

void TQorStringGrid::LinearFill(bool DoFixed)
{
    ForFillArea(DoFixed, [&](int c, int r, int RCol) { SetCellEx(RCol, r, IntToStr(c) + L":" + IntToStr(r)); });
}
