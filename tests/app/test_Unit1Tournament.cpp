// test-needs: desktop
// The tournament sheet on the "Turnering" page: the seven grids from the main window's
// description, the start list and movement guide written when the window shows, the round grids
// laid out by "Start turnering", and the board-number click of the first round.
#include "EditorKit.h"
#include "framework/Consts.h"
#include "grid/QorGridKit.h"
#include "support/Pixels.h"

namespace {

// The players the tests type into the start list, pair by pair.
const wchar_t* const Players[6][2] = {{L"Ane", L"Bo"},     {L"Carl", L"Dorte"}, {L"Erik", L"Frida"},
                                      {L"Gitte", L"Hans"}, {L"Ib", L"Jytte"},   {L"Karl", L"Lis"}};

String Dump(TQorStringGrid* G, int Right, int Bottom)
{
    return GridToText(*G, TGridRect{0, 0, Right, Bottom}, TMergeMarks{});
}

class Tournament : public Editor {
protected:
    void TypePlayers()
    {
        for (int p = 1; p <= 6; ++p)
            for (int i = 0; i < 2; ++i) F->JYR1->SetCellEx(1 + i, p, Players[p - 1][i]);
    }
    // "Start turnering" pressed as the user presses it.
    void Start() { EditorKit::Press(F->Button6); }
    TQorStringGrid* Round(int r)
    {
        TQorStringGrid* G[] = {F->JYR3, F->JYR4, F->JYR5, F->JYR6, F->JYR7};
        return G[r];
    }
};

TEST_F(Tournament, StartListAndMovementGuideWhenTheWindowShows)
{
    EXPECT_EQ(Dump(F->JYR1, 2, 6), L"Par nummer|Spiller 1|Spiller 2\n1||\n2||\n3||\n4||\n5||\n6||\n");
    const String Guide = L"|{m 2x1}Bord 1|{c}|{m 2x1}Bord 2|{c}|{m 2x1}Bord 3|{c}\n"
                         L"Runde|NS|ØV|NS|ØV|NS|ØV\n"
                         L"1|1|2|6|3|4|5\n"
                         L"2|1|3|2|4|5|6\n"
                         L"3|1|4|3|5|6|2\n"
                         L"4|1|5|4|6|2|3\n"
                         L"5|1|6|5|2|3|4\n";
    EXPECT_EQ(Dump(F->JYR2, 6, 6), Guide);
    EXPECT_EQ(F->JYR2->GetFixedRowsEx(), 2);
    EXPECT_EQ(F->JYR1->GetFixedRowsEx(), 1);

    // Shown again: the same texts and merges, nothing written twice.
    F->Hide();
    ui::Pump();
    ui::ShowAndActivate(F);
    EXPECT_EQ(Dump(F->JYR2, 6, 6), Guide);
    EXPECT_EQ(F->JYR1->GetCellEx(0, 6), L"6");
}

TEST_F(Tournament, RoundGridsAsStoredBeforeTheStart)
{
    EXPECT_EQ(F->JYR3->GetColCountEx(), 13);
    EXPECT_EQ(F->JYR3->GetRowCountEx(), 15);
    EXPECT_EQ(F->JYR3->GetFixedRowsEx(), 5);
    String Empty;
    for (int r = 0; r < 15; ++r) Empty += String(12, L'|') + L"\n";
    EXPECT_EQ(Dump(F->JYR3, 12, 14), Empty);   // no texts, no merges
    for (int r = 1; r < 5; ++r) {
        TQorStringGrid* G = Round(r);
        EXPECT_EQ(G->GetColCountEx(), 5) << r;
        EXPECT_EQ(G->GetRowCountEx(), 10) << r;
        EXPECT_EQ(Dump(G, 4, 9), L"||||\n||||\n||||\n||||\n||||\n||||\n||||\n||||\n||||\n||||\n") << r;
    }
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(Round(r)->GetDrawingStyle(), gdsClassic) << r;
        EXPECT_EQ(Round(r)->GetFloatFormat(), L"%.2f") << r;
        EXPECT_EQ(Round(r)->GetFixedRowHeight(), 22) << r;
        EXPECT_TRUE(Round(r)->GetOptions().Contains(goEditing)) << r;
    }
    EXPECT_FALSE(F->JYR2->GetOptions().Contains(goEditing));
    EXPECT_EQ(F->JYR3->GetCellEx(0, 5), L"");
}

TEST_F(Tournament, StartLaysOutTheRoundsWithPairsAndBoards)
{
    TypePlayers();
    Start();

    const String Round1 =
        L"{m 13x1}Runde 1|{c}|{c}|{c}|{c}|{c}|{c}|{c}|{c}|{c}|{c}|{c}|{c}\n"
        L"|{m 2x1}Bord 1|{c}|{m 2x1}Bord 2|{c}|{m 2x1}Bord 3|{c}||||||\n"
        L"|{m 2x1}NS : 1 Ane - Bo|{c}|{m 2x1}NS : 6 Karl - Lis|{c}|{m 2x1}NS : 4 Gitte - Hans|{c}||||||\n"
        L"|{m 2x1}ØV : 2 Carl - Dorte|{c}|{m 2x1}ØV : 3 Erik - Frida|{c}|{m 2x1}ØV : 5 Ib - Jytte|{c}||||||\n"
        L"|NS|ØV|NS|ØV|NS|ØV|1 :  Ane - Bo|2 :  Carl - Dorte|3 :  Erik - Frida|4 :  Gitte - Hans|"
        L"5 :  Ib - Jytte|6 :  Karl - Lis\n"
        L"1||||||||||||\n";
    EXPECT_EQ(Dump(F->JYR3, 12, 5), Round1);

    // Each round: its North-South and East-West pairs at tables 1 to 3 and its first board.
    struct {
        int NS[3], EW[3], FirstBoard;
    } Rounds[5] = {{{1, 6, 4}, {2, 3, 5}, 1},
                   {{1, 2, 5}, {3, 4, 6}, 11},
                   {{1, 3, 6}, {4, 5, 2}, 21},
                   {{1, 4, 2}, {5, 6, 3}, 1},
                   {{1, 5, 3}, {6, 2, 4}, 11}};
    auto PairText = [](const wchar_t* Seat, int p) {
        return String(Seat) + L" : " + IntToStr(p) + L" " + Players[p - 1][0] + L" - " + Players[p - 1][1];
    };
    for (int r = 0; r < 5; ++r) {
        SCOPED_TRACE(r + 1);
        TQorStringGrid* G = Round(r);
        EXPECT_EQ(G->GetColCountEx(), 13);
        EXPECT_EQ(G->GetRowCountEx(), 15);
        EXPECT_EQ(G->GetFixedRowsEx(), 5);
        EXPECT_EQ(G->GetHeight(), 400);
        EXPECT_EQ(G->GetAlign(), alTop);
        for (int c = 0; c < 13; ++c) EXPECT_EQ(G->GetColWidths(c), c < 7 ? 75 : 150) << c;
        EXPECT_EQ(G->GetCellEx(0, 0), L"Runde " + IntToStr(r + 1));
        EXPECT_EQ(G->CellSpan(0, 0), (TPoint{12, 0}));
        for (int t = 0; t < 3; ++t) {
            EXPECT_EQ(G->GetCellEx(1 + 2 * t, 2), PairText(L"NS", Rounds[r].NS[t])) << t;
            EXPECT_EQ(G->GetCellEx(1 + 2 * t, 3), PairText(L"ØV", Rounds[r].EW[t])) << t;
            for (int row = 1; row <= 3; ++row) EXPECT_EQ(G->CellSpan(1 + 2 * t, row), (TPoint{1, 0})) << t;
        }
        EXPECT_EQ(G->GetCellEx(12, 4), L"6 :  Karl - Lis");
        for (int i = 1; i <= 10; ++i) EXPECT_EQ(G->GetCellEx(0, i + 4), IntToStr(Rounds[r].FirstBoard + i - 1)) << i;
    }

    // Names changed after the start reach the rounds only when the start is pressed again, which
    // lays everything out anew without adding anything.
    F->JYR1->SetCellEx(1, 1, L"Asta");
    EXPECT_EQ(F->JYR3->GetCellEx(1, 2), L"NS : 1 Ane - Bo");
    Start();
    EXPECT_EQ(F->JYR3->GetCellEx(1, 2), L"NS : 1 Asta - Bo");
    EXPECT_EQ(F->JYR7->GetCellEx(7, 4), L"1 :  Asta - Bo");
    String Again = Round1;
    for (String::size_type at; (at = Again.find(L"Ane")) != String::npos;) Again.replace(at, 3, L"Asta");
    EXPECT_EQ(Dump(F->JYR3, 12, 5), Again);
}

TEST_F(Tournament, EmptyStartListGivesEmptyNamesAroundTheDash)
{
    Start();
    EXPECT_EQ(F->JYR3->GetCellEx(1, 2), L"NS : 1  - ");
    EXPECT_EQ(F->JYR3->GetCellEx(3, 3), L"ØV : 3  - ");
    EXPECT_EQ(F->JYR3->GetCellEx(7, 4), L"1 :  " + String(L" - "));
}

// A click on a board number shows it; above the numbers nothing; a number that is no integer
// reports the conversion error through the application.
TEST_F(Tournament, BoardNumberClickOfTheFirstRound)
{
    F->PageControl1->SetActivePage(F->Turnering);
    F->PageControl3->SetActivePage(F->TabSheet7);
    ui::Pump();
    ui::MessageBoxRecorder Boxes;
    auto ClickCell = [&](int ACol, int ARow) {
        const TRect R = F->JYR3->CellRect(ACol, ARow);
        ui::Click(F->JYR3, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
        ui::Pump();
    };

    ClickCell(0, 5);   // before the start: no number there
    ASSERT_EQ(Boxes.Calls.size(), 1u);
    EXPECT_EQ(Boxes.Calls[0].Text, Format(Consts::SInvalidInteger, {QuotedStr(L"")}) + L".");
    EXPECT_NE(Boxes.Calls[0].Flags & MB_ICONSTOP, 0u);

    TypePlayers();
    Start();
    ClickCell(0, 7);
    ASSERT_EQ(Boxes.Calls.size(), 2u);
    EXPECT_EQ(Boxes.Calls[1].Text, L"3");
    EXPECT_EQ(Boxes.Calls[1].Flags, UINT(MB_OK));

    ClickCell(0, 4);   // a fixed cell above the board numbers
    ClickCell(1, 1);
    EXPECT_EQ(Boxes.Calls.size(), 2u);

    F->JYR3->SetCellEx(0, 8, L"fire");
    ClickCell(0, 8);
    ASSERT_EQ(Boxes.Calls.size(), 3u);
    EXPECT_EQ(Boxes.Calls[2].Text, Format(Consts::SInvalidInteger, {QuotedStr(L"fire")}) + L".");
    EXPECT_EQ(F->JYR3->GetCellEx(0, 8), L"fire");
}

// The page made active by code (its tab stays hidden) after the start, for looking at: start
// list, movement guide and the first round's grid.
TEST_F(Tournament, SnapshotOfThePageAfterTheStart)
{
    TypePlayers();
    Start();
    F->PageControl1->SetActivePage(F->Turnering);
    F->PageControl3->SetActivePage(F->TabSheet7);
    ui::Pump(100);
    auto Dib = CaptureWindowFromScreen(F->GetHandle());
    EXPECT_TRUE(Dib->SavePng(SnapshotPath(L"editor_turnering.png")));
    EXPECT_LT(Dib->CountColor(Dib->Bounds(), clBlack), Dib->Width() * Dib->Height() / 2);
    EXPECT_TRUE(F->JYR3->GetVisible());
    EXPECT_TRUE(F->JYR3->HandleAllocated());
}

}  // namespace
