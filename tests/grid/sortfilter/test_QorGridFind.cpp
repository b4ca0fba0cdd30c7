// Find and replace: the cell test and its options, the four walking orders with their areas and
// restrictions, progress announcements, find all, moving to a match (through contracted nodes),
// replace, the incremental lookup and the multi-column find.
#include "tests/grid/QorGridKit.h"

#include "grid/QorGridSatellites.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <vector>

namespace {

class QorGridFind : public ::testing::Test {
protected:
    void SetUp() override { G = Create<TTestableQorGrid>(nullptr); }
    void TearDown() override { G->Free(); }

    // The grid's rows, fixed row and column included (one of each).
    void Fill(std::initializer_list<std::vector<String>> Rows)
    {
        G->SetColCountEx(int(Rows.begin()->size()));
        G->SetRowCountEx(int(Rows.size()));
        int r = 0;
        for (const auto& Row : Rows) {
            for (size_t c = 0; c < Row.size(); ++c) G->SetCellEx(int(c), r, Row[c]);
            ++r;
        }
    }
    // Every cell (fixed ones too) of a Cols x Rows grid holds Text.
    void FillAll(int Cols, int Rows, const String& Text)
    {
        G->SetColCountEx(Cols);
        G->SetRowCountEx(Rows);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) G->SetCellEx(c, r, Text);
    }
    // FindFirst, then FindNext until nothing is found (at most Max steps): "c,r c,r ...".
    String Walk(const String& s, TFindParams P, int Max = 40)
    {
        String Out;
        for (TPoint c = G->FindFirst(s, P); c.X >= 0 && Max-- > 0; c = G->FindNext())
            Out += (Out.empty() ? L"" : L" ") + IntToStr(c.X) + L"," + IntToStr(c.Y);
        return Out;
    }
    static String Cell(TPoint P) { return IntToStr(P.X) + L"," + IntToStr(P.Y); }

    TTestableQorGrid* G = nullptr;
};

struct TMatchCase {
    const wchar_t* Name;
    String Text;
    String Search;
    TFindParams Params;
    bool Found;
};

}  // namespace

TEST_F(QorGridFind, CellTestOptions)
{
    const String Long(100000, L'a');
    const TMatchCase Cases[] = {
        {L"case ignored", L"ABC", L"abc", {}, true},
        {L"case kept", L"ABC", L"abc", {fnMatchCase}, false},
        {L"anywhere", L"xabcd", L"abc", {}, true},
        {L"whole cell refuses longer", L"abcd", L"abc", {fnMatchFull}, false},
        {L"whole cell", L"aBc", L"abc", {fnMatchFull}, true},
        {L"start", L"abcd", L"abc", {fnMatchStart}, true},
        {L"start refuses inside", L"xabc", L"abc", {fnMatchStart}, false},
        {L"two quotes find an empty cell", L"", L"\"\"", {}, true},
        {L"two quotes refuse text", L"x", L"\"\"", {}, false},
        {L"empty text finds an empty cell", L"", L"", {}, true},
        {L"empty text refuses text", L"x", L"", {}, false},
        {L"expression above five", L"7", L">5", {fnMatchRegular}, true},
        {L"expression refuses", L"3", L">5", {fnMatchRegular}, false},
        {L"expression wildcard", L"axxb", L"a*b", {fnMatchRegular}, true},
        {L"wildcards are literal without expressions", L"axxb", L"a*b", {}, false},
        {L"wildcards found literally", L"1a*b?2", L"A*B?", {}, true},
        {L"markup kept", L"<b>ab</b>c", L"abc", {}, false},
        {L"markup ignored", L"<b>ab</b>c", L"abc", {fnIgnoreHTMLTags}, true},
        {L"accents kept", L"Caf\u00E9", L"cafe", {}, false},
        {L"accents ignored", L"Caf\u00E9", L"cafe", {fnIgnoreAccents}, true},
        {L"accents ignored in the search text", L"Cafe", L"caf\u00E9", {fnIgnoreAccents}, true},
        {L"huge text inside a huge cell", Long + L"b", Long.substr(0, 50000) + L"b", {}, true},
        {L"huge text absent from a huge cell", Long + L"b", Long.substr(0, 50000) + L"c", {}, false},
        {L"search text longer than the cell", L"ab", Long, {}, false},
        {L"huge expression of stars", L"xyz", String(20000, L'*') + L"q", {fnMatchRegular}, false},
    };
    for (const TMatchCase& C : Cases) {
        Fill({{L"", L""}, {L"", C.Text}});
        const auto Start = std::chrono::steady_clock::now();
        const TPoint Found = G->FindFirst(C.Search, C.Params);
        EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(2)) << C.Name;
        EXPECT_EQ(Cell(Found), C.Found ? L"1,1" : L"-1,-1") << C.Name;
        EXPECT_EQ(Cell(G->GetSearchCell()), Cell(Found)) << C.Name;
    }
}

TEST_F(QorGridFind, OrdersAreasAndRestrictions)
{
    struct TOrderCase {
        const wchar_t* Name;
        TFindParams Params;
        const wchar_t* Expected;
        std::function<void(TTestableQorGrid*)> Setup = nullptr;
    };
    const TFindParams Rows{fnDirectionLeftRight};
    const TOrderCase Cases[] = {
        {L"row by row", Rows, L"1,1 2,1 3,1 1,2 2,2 3,2 1,3 2,3 3,3"},
        {L"column by column", {}, L"1,1 1,2 1,3 2,1 2,2 2,3 3,1 3,2 3,3"},
        {L"row by row backwards", Rows + TFindParams{fnBackward}, L"3,3 2,3 1,3 3,2 2,2 1,2 3,1 2,1 1,1"},
        {L"column by column backwards", {fnBackward}, L"3,3 3,2 3,1 2,3 2,2 2,1 1,3 1,2 1,1"},
        {L"ignored column, rows", Rows, L"1,1 3,1 1,2 3,2 1,3 3,3",
         [](TTestableQorGrid* g) { g->GetIgnoreColumns()->Add(2); }},
        {L"ignored column, columns", {}, L"1,1 1,2 1,3 3,1 3,2 3,3",
         [](TTestableQorGrid* g) { g->GetIgnoreColumns()->Add(2); }},
        {L"fixed cells included", Rows + TFindParams{fnIncludeFixed}, L"0,0 1,0 2,0 3,0 0,1 1,1 2,1 3,1 0,2"},
        {L"fixed right column and footer left out", Rows, L"1,1 2,1 1,2 2,2",
         [](TTestableQorGrid* g) {
             g->SetFixedRightCols(1);
             g->SetFixedFooters(1);
         }},
        {L"selection", Rows + TFindParams{fnSelectedCells}, L"2,2 3,2 2,3 3,3",
         [](TTestableQorGrid* g) { g->SetSelection(TGridRect{2, 2, 3, 3}); }},
        {L"current row, column by column", {fnFindInCurrentRow}, L"1,2 2,2 3,2",
         [](TTestableQorGrid* g) { g->FocusCell(3, 2); }},
        {L"current column, row by row", Rows + TFindParams{fnFindInCurrentCol}, L"2,1 2,2 2,3",
         [](TTestableQorGrid* g) { g->FocusCell(2, 3); }},
        {L"preset column backwards", {fnFindInPresetCol, fnBackward}, L"3,3 3,2 3,1",
         [](TTestableQorGrid* g) { g->SetFindCol(3); }},
        {L"preset row, row by row", Rows + TFindParams{fnFindInPresetRow}, L"1,3 2,3 3,3",
         [](TTestableQorGrid* g) { g->SetFindRow(3); }},
        {L"preset column outside the grid", {fnFindInPresetCol}, L"",
         [](TTestableQorGrid* g) { g->SetFindCol(40); }},
    };
    for (const TOrderCase& C : Cases) {
        TearDown();
        SetUp();
        FillAll(4, 4, L"x");
        if (C.Setup) C.Setup(G);
        const int Max = C.Params.Contains(fnIncludeFixed) ? 9 : 40;
        EXPECT_EQ(Walk(L"x", C.Params, Max), C.Expected) << C.Name;
    }
}

TEST_F(QorGridFind, StepFromAStartCell)
{
    // From the last column of a row the next row's first column; from the last row of a column
    // the next column's first row; from the area's last cell nothing; from beyond it the first.
    FillAll(4, 4, L"x");
    const TFindParams Rows{fnDirectionLeftRight};
    EXPECT_EQ(Cell(G->Find(TPoint(3, 1), L"x", Rows)), L"1,2");
    EXPECT_EQ(Cell(G->Find(TPoint(1, 3), L"x", {})), L"2,1");
    EXPECT_EQ(Cell(G->Find(TPoint(3, 3), L"x", Rows)), L"-1,-1");
    EXPECT_EQ(Cell(G->Find(TPoint(4, 4), L"x", Rows)), L"1,1");
    EXPECT_EQ(Cell(G->Find(TPoint(1, 1), L"x", Rows + TFindParams{fnBackward})), L"-1,-1");
    EXPECT_EQ(Cell(G->Find(TPoint(0, 0), L"x", Rows + TFindParams{fnBackward})), L"3,3");
}

TEST_F(QorGridFind, ProgressAnnouncements)
{
    using N = std::vector<std::pair<TGridExportState, int>>;
    // A match: every cell examined, then "fail" (the grid's name for found).
    Fill({{L"", L"", L""}, {L"", L"a", L"b"}, {L"", L"c", L"d"}});
    EXPECT_EQ(Cell(G->FindFirst(L"c", {})), L"1,2");
    EXPECT_EQ(G->Notes.Exports, (N{{esExportStart, -1}, {esExportFindRow, 1}, {esExportFindRow, 2}, {esExportFail, -1}}));

    // No match: every cell, the row current when the search began, then "done"; FindNext
    // announces no start.
    G->FocusCell(2, 2);
    G->Notes.Exports.clear();
    EXPECT_EQ(Cell(G->FindNext()), L"-1,-1");
    EXPECT_EQ(G->Notes.Exports,
              (N{{esExportFindRow, 1}, {esExportFindRow, 2}, {esExportFindRow, 2}, {esExportDone, -1}}));

    // No rows to search: no row is announced.
    FillAll(3, 0, L"x");
    G->Notes.Exports.clear();
    EXPECT_EQ(Cell(G->FindFirst(L"x", {})), L"-1,-1");
    EXPECT_EQ(G->Notes.Exports, (N{{esExportStart, -1}, {esExportDone, -1}}));
}

TEST_F(QorGridFind, FindAllCountsAndMovesOnlyToTheFirst)
{
    Fill({{L"", L"", L""}, {L"", L"a", L"x"}, {L"", L"x", L"b"}, {L"", L"c", L"x"}});
    G->FocusCell(1, 1);
    int n = -1;
    EXPECT_EQ(Cell(G->FindAll(L"X", {fnAutoGoto, fnDirectionLeftRight}, n)), L"2,1");
    EXPECT_EQ(n, 3);
    EXPECT_EQ(Cell(TPoint(G->GetCol(), G->GetRow())), L"2,1");
    EXPECT_EQ(Cell(G->GetSearchCell()), L"-1,-1");
    // The next search after the count does not move the current cell.
    EXPECT_EQ(Cell(G->FindNext()), L"2,1");
    EXPECT_EQ(Cell(G->FindNext()), L"1,2");
    EXPECT_EQ(Cell(TPoint(G->GetCol(), G->GetRow())), L"2,1");
    EXPECT_EQ(Cell(G->FindAll(L"nothing", {}, n)), L"-1,-1");
    EXPECT_EQ(n, 0);
}

TEST_F(QorGridFind, AutoGotoMovesToTheMatch)
{
    FillAll(4, 6, L"");
    G->SetCellEx(3, 4, L"here");
    EXPECT_EQ(Cell(G->Find(TPoint(-1, -1), L"here", {fnAutoGoto})), L"3,4");
    EXPECT_EQ(Cell(TPoint(G->GetCol(), G->GetRow())), L"3,4");

    // With disjunct row selection only the found row is selected.
    G->GetMouseActions()->SetDisjunctRowSelect(true);
    G->SelectRows(1, 2);
    G->SetCellEx(1, 5, L"other");
    EXPECT_EQ(Cell(G->FindFirst(L"other", {fnAutoGoto})), L"1,5");
    EXPECT_EQ(G->GetRow(), 5);
    EXPECT_EQ(G->GetRowSelectCount(), 1);
    EXPECT_TRUE(G->GetRowSelect(5));
}

TEST_F(QorGridFind, HiddenRowsAndColumns)
{
    // Real rows and columns with the hidden ones included; display ones otherwise.
    FillAll(4, 6, L"");
    G->SetCellEx(2, 3, L"deep");
    G->SetCellEx(3, 1, L"side");
    G->HideRow(3);
    G->HideColumn(3);
    EXPECT_EQ(Cell(G->FindFirst(L"deep", {})), L"-1,-1");
    EXPECT_EQ(Cell(G->FindFirst(L"deep", {fnIncludeHiddenRows})), L"2,3");
    EXPECT_EQ(Cell(G->FindFirst(L"side", {})), L"-1,-1");
    EXPECT_EQ(Cell(G->FindFirst(L"side", {fnIncludeHiddenColumns})), L"3,1");
}

TEST_F(QorGridFind, AutoGotoOpensTheNodeThatHoldsAHiddenRow)
{
    // Rows 1 and 2 lie outside every node; a node on row 3 holds rows 4 and 5; row 6 is plain;
    // a node on row 7 holds rows 8 and 9. Both nodes are contracted.
    FillAll(3, 10, L"");
    for (int r = 0; r < 10; ++r) G->SetCellEx(1, r, L"r" + IntToStr(r));
    G->AddNode(3, 3);
    G->AddNode(7, 3);
    G->ContractNode(3);
    G->ContractNode(7);
    ASSERT_EQ(G->NumHiddenRows(), 4);
    EXPECT_EQ(Cell(G->FindFirst(L"r8", {fnIncludeHiddenRows, fnAutoGoto})), L"1,8");
    EXPECT_FALSE(G->IsHiddenRow(8));
    EXPECT_TRUE(G->IsHiddenRow(4));   // the other node stays contracted
    EXPECT_EQ(G->GetRow(), G->DisplRowIndex(8));
    EXPECT_EQ(G->GetCellEx(1, G->GetRow()), L"r8");
    EXPECT_EQ(Cell(G->FindFirst(L"r5", {fnIncludeHiddenRows, fnAutoGoto})), L"1,5");
    EXPECT_EQ(G->NumHiddenRows(), 0);
    EXPECT_EQ(G->GetCellEx(1, G->GetRow()), L"r5");
}

TEST_F(QorGridFind, Replace)
{
    struct TReplaceCase {
        const wchar_t* Name;
        String From, To;
        TFindParams Params;
        const wchar_t* Cells;   // cells (1,1), (2,1), (1,2), (2,2) after
        int Changed;
    };
    const TReplaceCase Cases[] = {
        {L"case ignored", L"a", L"b", {}, L"bb cb x -", 2},
        {L"case kept", L"a", L"b", {fnMatchCase}, L"Ab cb x -", 2},
        {L"replacement holds the search text", L"a", L"aa", {}, L"aaaa caa x -", 2},
        {L"restricted row, column by column", L"a", L"aa", {fnFindInCurrentRow}, L"aaaa caa x -", 2},
        {L"restricted column, row by row", L"a", L"aa", {fnFindInCurrentCol, fnDirectionLeftRight},
         L"aaaa ca x -", 1},
        {L"nothing to replace", L"q", L"z", {}, L"Aa ca x -", 0},
        {L"empty text", L"", L"z", {}, L"Aa ca x -", 0},
    };
    for (const TReplaceCase& C : Cases) {
        Fill({{L"", L"", L""}, {L"", L"Aa", L"ca"}, {L"", L"x", L"-"}});
        G->FocusCell(1, 1);
        EXPECT_EQ(G->Replace(C.From, C.To, C.Params), C.Changed) << C.Name;
        const String Got =
            G->GetCellEx(1, 1) + L" " + G->GetCellEx(2, 1) + L" " + G->GetCellEx(1, 2) + L" " + G->GetCellEx(2, 2);
        EXPECT_EQ(Got, C.Cells) << C.Name;
    }
}

TEST_F(QorGridFind, ReplaceMarksRowsAndReachesHiddenRows)
{
    FillAll(3, 5, L"");
    G->SetCellEx(1, 1, L"old");
    G->SetCellEx(2, 3, L"old one");
    G->HideRow(3);
    G->GetShowModified()->SetEnabled(true);
    EXPECT_EQ(G->Replace(L"old", L"new", {fnIncludeHiddenRows}), 2);
    EXPECT_EQ(G->GetCellEx(1, 1), L"new");
    EXPECT_EQ(G->GetGridCellsEx(2, 3), L"new one");
    EXPECT_TRUE(G->GetRowModified(1));
    EXPECT_TRUE(G->GetRowModified(3));
    EXPECT_FALSE(G->GetRowModified(2));
}

TEST_F(QorGridFind, ReplaceWritesStoredTextsNotDisplayedOnes)
{
    FillAll(3, 3, L"");
    G->SetCellEx(1, 1, L"a");
    G->OnGetDisplText = [](TObject*, int, int, String& Value) {
        if (!Value.empty()) Value = L"[" + Value + L"]";
    };
    EXPECT_EQ(G->Replace(L"a", L"b", {}), 1);
    EXPECT_EQ(G->GetGridCell(1, 1), L"b");
}

TEST_F(QorGridFind, IncrementalLookup)
{
    Fill({{L"", L"", L""}, {L"", L"zeta", L"x"}, {L"", L"<b>Ab</b>cd", L"abz"}, {L"", L"abc", L"y"}});
    EXPECT_EQ(G->Search(L"ABC"), 2);
    EXPECT_EQ(G->Search(L"Q"), -1);
    // The sort column when sorting is shown.
    G->GetSortSettings()->SetShow(true);
    G->GetSortSettings()->SetColumn(2);
    EXPECT_EQ(G->Search(L"AB"), 2);
    EXPECT_EQ(G->Search(L"Y"), 3);
    G->GetSortSettings()->SetColumn(-1);
    EXPECT_EQ(G->Search(L"Y"), -1);
    G->SetRowCountEx(1);
    EXPECT_EQ(G->Search(L""), -1);
}

TEST_F(QorGridFind, MultiColumnFind)
{
    struct TBuild {
        QorGrid::TSearchType Type;
        const wchar_t* Text;
        const wchar_t* Condition;
    };
    const TBuild Builds[] = {
        {stStartsWith, L"ab", L"ab*"},       {stEndsWith, L"ab", L"*ab"},     {stContains, L"ab", L"*ab*"},
        {stEqual, L"a b", L"\"a b\""},       {stNotEqual, L"ab", L"!ab"},     {stNotContains, L"ab", L"!*ab*"},
    };
    for (const TBuild& B : Builds) EXPECT_EQ(TQorStringGrid::FindMultiBuildCondition(B.Type, B.Text), B.Condition);

    Fill({{L"", L"", L""}, {L"", L"RED", L"2010"}, {L"", L"red", L"1999"}, {L"", L"red", L"2010"},
          {L"", L"<i>red</i>", L"2010"}, {L"", L"red", L"2010"}});
    G->SetFixedFooters(1);
    EXPECT_EQ(G->FindMulti({L"red", L"10"}, {1, 2}, {stEqual, stContains}, {true, false}, false, false), 3);
    EXPECT_EQ(G->FindMultiNext(), -1);   // row 5 is the footer
    EXPECT_EQ(G->FindMultiNext(), -1);
    EXPECT_EQ(G->FindMulti({L"red", L"10"}, {1, 2}, {stEqual, stContains}, {false, false}, true, true), 1);
    EXPECT_EQ(G->GetRow(), 1);
    EXPECT_EQ(G->FindMultiNext(), 3);
    EXPECT_EQ(G->FindMultiNext(), 4);   // markup ignored
    EXPECT_TRUE(G->MatchesMulti(5));
    EXPECT_FALSE(G->MatchesMulti(2));
    try {
        G->FindMulti({L"a", L"b", L"c"}, {1, 2}, {stEqual, stEqual, stEqual}, {true, true, true}, false, false);
        ADD_FAILURE() << "no exception";
    } catch (const EQorGridError& E) {
        EXPECT_EQ(E.Message, QorGridConsts::SArraySizeNotMatching);
    }
}

TEST_F(QorGridFind, WideFindTestsEveryCell)
{
    Fill({{L"", L"", L""}, {L"", L"plain", L"\u2660 K"}, {L"", L"x", L"\u2665 A"}});
    EXPECT_EQ(Cell(G->FindWide(TPoint(-1, -1), L"\u2665", {})), L"2,2");
    EXPECT_EQ(Cell(G->FindWide(TPoint(-1, -1), L"\u2660 k", {fnDirectionLeftRight})), L"2,1");
    EXPECT_EQ(Cell(G->FindWide(TPoint(-1, -1), L"\u2660 k", {fnMatchCase})), L"-1,-1");
}
