// Highlighting and error marks in cells (round trips that give back every text byte for byte,
// nested marks, letter case, merged cells, hidden columns), the linked cell checker (results,
// early stop, a checker that raises mid-run), and the fills.
#include "tests/grid/QorGridKit.h"

#include "controls/jyrcheck.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

// Counts the writes into cells with properties (each such write tells CellTextChange).
class TMarkGrid : public TTestableQorGrid {
public:
    using TTestableQorGrid::TTestableQorGrid;
    int Writes = 0;

protected:
    void CellTextChange(int ACol, int ARow) override
    {
        ++Writes;
        TTestableQorGrid::CellTextChange(ACol, ARow);
    }
};

// A checker whose steps a test chooses; it records what the grid asked.
class TTestChecker : public TQorStringGridCheck {
public:
    using TQorStringGridCheck::TQorStringGridCheck;
    std::function<String(int, int, const String&)> OnCorrect, OnMark;
    std::vector<String> Log;

    String Correct(int ACol, int ARow, const String& S) override
    {
        Log.push_back(L"C" + IntToStr(ACol) + L"," + IntToStr(ARow) + L":" + S);
        FLastResult = 1;
        return OnCorrect ? OnCorrect(ACol, ARow, S) : S;
    }
    String MarkError(int ACol, int ARow, const String& S) override
    {
        Log.push_back(L"M" + IntToStr(ACol) + L"," + IntToStr(ARow) + L":" + S);
        FLastResult = 1;
        return OnMark ? OnMark(ACol, ARow, S) : S;
    }
    void StartCheck() override { Log.push_back(L"start"); }
    void StopCheck() override { Log.push_back(L"stop"); }
    void Stop() { FLastResult = 2; }
};

// 4 columns x 4 rows, one fixed row and column.
class QorGridMark : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TMarkGrid>(nullptr);
        G->SetColCountEx(4);
        G->SetRowCountEx(4);
    }
    void TearDown() override
    {
        G->Free();
        if (Checker) Checker->Free();
    }
    // Every cell of the store (all real columns), row by row.
    std::vector<String> Texts()
    {
        std::vector<String> T;
        for (int r = 0; r < G->GetRowCount(); ++r)
            for (int c = 0; c < G->GetAllColCount(); ++c) T.push_back(G->GetGridCell(c, r));
        return T;
    }
    TTestChecker* Link()
    {
        Checker = Create<TTestChecker>(nullptr);
        G->SetCellChecker(Checker);
        return Checker;
    }

    TMarkGrid* G = nullptr;
    TTestChecker* Checker = nullptr;
};

}  // namespace

TEST_F(QorGridMark, MarkingAndUnmarkingGiveBackEveryTextByteForByte)
{
    const wchar_t* Cells[] = {L"Tom & Jerry",   L"say \"tom\"",   L"a<b>c tom",    L"<b>Tom &amp; co</b>",
                              L"&amp; tomtom",  L"AT&T",          L"",             L"no match",
                              L"<i>x</i> &lt;", L"&quot;tom&quot;", L"TOM",        L"t\u00f8m tom"};
    int i = 0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) {
            G->SetCellEx(c, r, Cells[i++]);
            G->GetCellProperties(c, r);   // writes into the cell now tell CellTextChange
        }
    const std::vector<String> Before = Texts();
    using TOp = std::function<void()>;
    const std::pair<TOp, TOp> RoundTrips[] = {
        {[&] { G->MarkInGrid(true, false, L"tom"); }, [&] { G->UnMarkInGrid(true); }},
        {[&] { G->HilightInGrid(true, true, L"tom", false); }, [&] { G->UnHilightInGrid(true); }},
        {[&] { G->MarkInRow(true, false, 1, L"&"); }, [&] { G->UnMarkInRow(true, 1); }},
        {[&] { G->HilightInCol(true, false, 1, L"\"", false); }, [&] { G->UnHilightInCol(true, 1); }},
        // Nested and overlapping marks of both tags, taken away in either order.
        {[&] {
             G->HilightInGrid(true, false, L"om", false);
             G->MarkInGrid(true, false, L"tom");
         },
         [&] {
             G->UnHilightInGrid(true);
             G->UnMarkInGrid(true);
         }},
        {[&] {
             G->MarkInGrid(true, false, L"to");
             G->HilightInGrid(true, false, L"m &", false);
         },
         [&] {
             G->UnHilightInGrid(true);
             G->UnMarkInGrid(true);
         }},
    };
    for (const auto& [Mark, UnMark] : RoundTrips) {
        Mark();
        EXPECT_NE(Texts(), Before);
        UnMark();
        EXPECT_EQ(Texts(), Before);
    }
    // Unmarking a grid without marks writes nothing.
    G->Writes = 0;
    G->UnMarkInGrid(true);
    G->UnHilightInGrid(true);
    EXPECT_EQ(G->Writes, 0);
}

TEST_F(QorGridMark, WhatMarkingWrites)
{
    struct Case {
        const wchar_t* Text;
        std::function<void()> Op;
        const wchar_t* Want;
    };
    const Case Cases[] = {
        {L"Tom & Jerry", [&] { G->MarkInCell(false, 1, 1, L"jerry"); }, L"Tom &amp; <E>Jerry</E>"},
        {L"Tom & Jerry", [&] { G->MarkInCell(true, 1, 1, L"jerry"); }, L"Tom & Jerry"},
        {L"Tom & Jerry", [&] { G->MarkInCell(true, 1, 1, L"Jerry"); }, L"Tom &amp; <E>Jerry</E>"},
        {L"a<b", [&] { G->HilightInCell(false, 1, 1, L"<", false); }, L"a<HI>&lt;</HI>b"},
        // In markup, "<" is found where the markup stores it as "&lt;".
        {L"<b>a &lt; b</b>", [&] { G->HilightInCell(false, 1, 1, L"<", false); },
         L"<b>a <HI>&lt;</HI> b</b>"},
        {L"abab", [&] { G->HilightInCell(false, 1, 1, L"ab", true); }, L"abab"},
        {L"abab", [&] { G->HilightInCell(false, 1, 1, L"ABAB", true); }, L"<HI>abab</HI>"},
        {L"x <E>y</E>", [&] { G->UnMarkInCell(1, 1); }, L"x y"},
        {L"<HI>x</HI> <E>y</E>", [&] { G->UnHilightInCell(1, 1); }, L"x <E>y</E>"},
        {L"abc", [&] { G->MarkInCell(false, 1, 1, L""); }, L"abc"},
    };
    G->GetCellProperties(1, 1);
    for (const Case& C : Cases) {
        G->SetCellEx(1, 1, C.Text);
        G->Writes = 0;
        C.Op();
        EXPECT_EQ(G->GetGridCell(1, 1), C.Want) << String(C.Text);
        // A cell whose text does not change is not written.
        EXPECT_EQ(G->Writes, String(C.Want) == C.Text ? 0 : 1) << String(C.Text);
    }
    EXPECT_EQ(G->MarkText(false, L"A & a", L"a"), L"<E>A</E> &amp; <E>a</E>");
    EXPECT_EQ(G->UnMarkText(L"<E>A</E> &amp; <E>a</E>"), L"A & a");
    EXPECT_EQ(G->HilightText(true, L"A & a", L"a"), L"A &amp; <HI>a</HI>");
    EXPECT_EQ(G->UnHilightText(L"A &amp; <HI>a</HI>"), L"A & a");
}

TEST_F(QorGridMark, MergedCellsAreMarkedOnceAndHiddenColumnsOnlyUnmarked)
{
    G->SetColCountEx(5);
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 4; ++r) G->SetCellEx(c, r, L"x");
    G->MergeCells(1, 1, 2, 2);   // columns 1 .. 2, rows 1 .. 2
    G->MarkInGrid(false, false, L"x");
    EXPECT_EQ(G->GetGridCell(1, 1), L"<E>x</E>");
    EXPECT_EQ(G->GetGridCell(2, 2), L"x");            // a covered cell's own text is left alone
    EXPECT_EQ(G->GetGridCell(4, 3), L"<E>x</E>");
    EXPECT_EQ(G->GetGridCell(0, 1), L"x");            // the fixed column
    G->UnMarkInGrid(false);
    G->SplitCells(1, 1);

    // Real column 2 hidden: the grid's marking covers the shown columns 1, 3 and 4 only.
    G->SetCellEx(2, 0, L"<E>x</E>");
    G->HideColumn(2);
    G->MarkInGrid(false, false, L"x");
    EXPECT_EQ(G->GetGridCell(2, 1), L"x");
    EXPECT_EQ(G->GetGridCell(4, 1), L"<E>x</E>");
    G->MarkInRow(false, false, 2, L"x");
    G->UnMarkInGrid(false);
    EXPECT_EQ(G->GetGridCell(2, 0), L"<E>x</E>");     // a fixed row is left without DoFixed
    EXPECT_EQ(G->GetGridCell(4, 1), L"x");
    G->UnMarkInGrid(true);                            // the hidden column too
    EXPECT_EQ(G->GetGridCell(2, 0), L"x");
    G->HilightInGrid(false, false, L"x", false);      // the non-fixed grid range reaches it too
    EXPECT_EQ(G->GetGridCell(2, 1), L"<HI>x</HI>");
}

TEST_F(QorGridMark, CheckerRunsOverCellsAndReportsChanges)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) G->SetCellEx(c, r, L"c" + IntToStr(c) + L"r" + IntToStr(r));
    const std::vector<String> Before = Texts();
    EXPECT_TRUE(G->CheckGrid(true));   // no checker: nothing happens
    EXPECT_EQ(Texts(), Before);

    TTestChecker* C = Link();
    C->SetUseCorrect(true);
    EXPECT_TRUE(G->CheckGrid(false));
    EXPECT_EQ(C->Log.size(), 2 + 9u);
    EXPECT_EQ(C->Log.front(), L"start");
    EXPECT_EQ(C->Log[1], L"C1,1:c1r1");
    EXPECT_EQ(C->Log.back(), L"stop");
    EXPECT_EQ(Texts(), Before);

    // One correction makes the run false; the other cells are still checked.
    C->Log.clear();
    C->OnCorrect = [](int c, int r, const String& S) { return c == 1 && r == 1 ? L"fixed" : S; };
    EXPECT_FALSE(G->CheckRow(false, 1));
    EXPECT_EQ(C->Log.size(), 2 + 3u);
    EXPECT_EQ(G->GetCellEx(1, 1), L"fixed");
    EXPECT_TRUE(G->CheckCol(false, 2));

    // The checker sees the text without error marks; marking replaces the correction.
    G->SetCellEx(2, 2, L"a <E>b</E>");
    C->SetUseMarkError(true);
    C->OnCorrect = [](int, int, const String&) { return String(L"corrected"); };
    C->OnMark = [&](int, int, const String& S) { return G->MarkText(true, S, L"a"); };
    C->Log.clear();
    EXPECT_FALSE(G->CheckCell(2, 2));
    EXPECT_EQ(C->Log, (std::vector<String>{L"C2,2:a b", L"M2,2:a b"}));
    EXPECT_EQ(G->GetCellEx(2, 2), L"<E>a</E> b");
    C->OnMark = nullptr;
    C->SetUseCorrect(false);
    EXPECT_TRUE(G->CheckCell(2, 2));   // the mark goes, the text is as typed: no change
    EXPECT_EQ(G->GetCellEx(2, 2), L"a b");
}

TEST_F(QorGridMark, ARunStopsWhenAskedAndRestoresItsStateWhenTheCheckerRaises)
{
    TTestChecker* C = Link();
    C->SetUseCorrect(true);
    C->SetGotoCell(true);
    G->FocusCell(3, 3);
    C->OnCorrect = [&](int, int, const String& S) {
        C->Stop();
        return S;
    };
    EXPECT_TRUE(G->CheckGrid(false));
    EXPECT_EQ(C->Log, (std::vector<String>{L"start", L"C1,1:", L"stop"}));
    EXPECT_EQ(G->GetCol(), 3);
    EXPECT_EQ(G->GetRow(), 3);

    C->Log.clear();
    int Calls = 0;
    C->OnCorrect = [&](int, int, const String& S) -> String {
        if (++Calls == 4) throw EQorGridError(L"checker failed");
        return S + L"!";
    };
    EXPECT_THROW(G->CheckGrid(false), EQorGridError);
    EXPECT_EQ(C->Log.back(), L"stop");
    EXPECT_EQ(G->GetCol(), 3);
    EXPECT_EQ(G->GetRow(), 3);
    EXPECT_EQ(G->GetCellEx(3, 1), L"!");   // cells before the failure keep their results
    EXPECT_EQ(G->GetCellEx(1, 2), L"");    // the failing cell is unchanged

    // A checker that goes away with its grid: the grid forgets it.
    C->Free();
    Checker = nullptr;
    EXPECT_EQ(G->GetCellChecker(), nullptr);
    EXPECT_TRUE(G->CheckCell(1, 1));
}

TEST_F(QorGridMark, Fills)
{
    G->LinearFill(false);
    EXPECT_EQ(G->GetCellEx(1, 1), L"1:1");
    EXPECT_EQ(G->GetCellEx(3, 2), L"3:2");
    EXPECT_EQ(G->GetCellEx(0, 1), L"");   // fixed cells stay
    EXPECT_EQ(G->GetCellEx(1, 0), L"");
    G->TextFill(true, L"t & \"u\"");
    EXPECT_EQ(G->GetCellEx(0, 0), L"t & \"u\"");
    EXPECT_EQ(G->GetCellEx(3, 3), L"t & \"u\"");
    G->FormatFill(false, L"%d-%d");
    EXPECT_EQ(G->GetCellEx(2, 3), L"2-3");
    EXPECT_EQ(G->GetCellEx(0, 3), L"t & \"u\"");
    EXPECT_ANY_THROW(G->FormatFill(false, L"%s %s"));   // a format that does not take integers
    G->RandomFill(false, 1);
    for (int c = 1; c < 4; ++c)
        for (int r = 1; r < 4; ++r) EXPECT_EQ(G->GetCellEx(c, r), L"0");
    G->RandomFill(false, 5);
    for (int c = 1; c < 4; ++c)
        for (int r = 1; r < 4; ++r) {
            const int v = G->GetInts(c, r);
            EXPECT_TRUE(v >= 0 && v < 5) << v;
        }
    // Footer rows and right fixed columns stay out; a hidden column is not filled in place of a
    // shown one.
    G->SetFixedFooters(1);
    G->SetFixedRightCols(1);
    G->HideColumn(1);
    G->TextFill(false, L"n");
    EXPECT_NE(G->GetGridCell(1, 1), L"n");
    EXPECT_EQ(G->GetGridCell(2, 1), L"n");
    EXPECT_NE(G->GetGridCell(3, 1), L"n");   // the right fixed column
    EXPECT_NE(G->GetGridCell(2, 3), L"n");   // the footer row
}
