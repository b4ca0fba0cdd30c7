// Unit1: the tournament sheet on the "Turnering" page: six pairs at three tables over five rounds,
// a start list (JYR1), a movement guide (JYR2) and one grid per round (JYR3 to JYR7).
#include "Unit1.h"

#include "framework/Dialogs.h"

namespace {

// The North-South and East-West pair of one table.
struct TTablePairs {
    int NS;
    int EW;
};

constexpr int Rounds = 5;
constexpr int Tables = 3;
constexpr int Pairs = 6;
constexpr int BoardsPerRound = 10;
constexpr TTablePairs Movement[Rounds][Tables] = {{{1, 2}, {6, 3}, {4, 5}},
                                                  {{1, 3}, {2, 4}, {5, 6}},
                                                  {{1, 4}, {3, 5}, {6, 2}},
                                                  {{1, 5}, {4, 6}, {2, 3}},
                                                  {{1, 6}, {5, 2}, {3, 4}}};
// The first board of each round (rounds 4 and 5 play boards 1-10 and 11-20 again).
constexpr int FirstBoard[Rounds] = {1, 11, 21, 1, 11};

// A round grid's layout.
constexpr int RoundCols = 13;
constexpr int RoundRows = 15;
constexpr int RoundFixedRows = 5;
constexpr int RoundHeight = 400;
constexpr int NarrowCol = 75;
constexpr int WideCol = 150;
constexpr int FirstWideCol = 7;
constexpr int PairRowNS = 2;
constexpr int PairRowEW = 3;
constexpr int SeatRow = 4;

// The column of table t (0 to 2) in the movement guide and in the round grids: 1, 3, 5.
int TableCol(int t)
{
    return 1 + 2 * t;
}

String TableCaption(int t)
{
    return L"Bord " + IntToStr(t + 1);
}

// The two players of pair p, as typed into the start list, joined by " - ".
String PairNames(TQorStringGrid* StartList, int p)
{
    return StartList->GetCellEx(1, p) + L" - " + StartList->GetCellEx(2, p);
}

}  // namespace

void TForm1::FormShow(TObject*)
{
    JYR1->SetCellEx(0, 0, L"Par nummer");
    JYR1->SetCellEx(1, 0, L"Spiller 1");
    JYR1->SetCellEx(2, 0, L"Spiller 2");
    for (int p = 1; p <= Pairs; ++p) JYR1->SetCellEx(0, p, IntToStr(p));

    for (int t = 0; t < Tables; ++t) {
        JYR2->MergeCells(TableCol(t), 0, 2, 1);
        JYR2->SetCellEx(TableCol(t), 0, TableCaption(t));
    }
    JYR2->SetCellEx(0, 1, L"Runde");
    for (int t = 0; t < Tables; ++t) {
        JYR2->SetCellEx(TableCol(t), 1, L"NS");
        JYR2->SetCellEx(TableCol(t) + 1, 1, L"ØV");
    }
    for (int r = 0; r < Rounds; ++r) {
        JYR2->SetCellEx(0, r + 2, IntToStr(r + 1));
        for (int t = 0; t < Tables; ++t) {
            JYR2->SetCellEx(TableCol(t), r + 2, IntToStr(Movement[r][t].NS));
            JYR2->SetCellEx(TableCol(t) + 1, r + 2, IntToStr(Movement[r][t].EW));
        }
    }
}

void TForm1::SetUpStringgrid(TQorStringGrid* jyr, Char rnr)
{
    jyr->SetColCountEx(RoundCols);
    jyr->SetRowCountEx(RoundRows);
    jyr->SetHeight(RoundHeight);
    for (int c = 0; c < RoundCols; ++c) jyr->SetColWidths(c, c < FirstWideCol ? NarrowCol : WideCol);
    jyr->SetAlign(alTop);
    jyr->SetFixedRowsEx(RoundFixedRows);

    jyr->MergeCells(0, 0, jyr->GetColCountEx(), 1);
    jyr->SetCellEx(0, 0, String(L"Runde ") + rnr);
    for (int r = 1; r <= PairRowEW; ++r)
        for (int t = 0; t < Tables; ++t) jyr->MergeCells(TableCol(t), r, 2, 1);
    for (int t = 0; t < Tables; ++t) {
        jyr->SetCellEx(TableCol(t), 1, TableCaption(t));
        jyr->SetCellEx(TableCol(t), SeatRow, L"NS");
        jyr->SetCellEx(TableCol(t) + 1, SeatRow, L"ØV");
    }
    for (int p = 1; p <= Pairs; ++p) jyr->SetCellEx(6 + p, SeatRow, IntToStr(p) + L" :  " + PairNames(JYR1, p));
}

// "Start turnering"
void TForm1::Button6Click(TObject*)
{
    TQorStringGrid* RoundGrids[Rounds] = {JYR3, JYR4, JYR5, JYR6, JYR7};
    for (int r = 0; r < Rounds; ++r) SetUpStringgrid(RoundGrids[r], Char(L'1' + r));
    for (int r = 0; r < Rounds; ++r) {
        for (int t = 0; t < Tables; ++t) {
            const TTablePairs& P = Movement[r][t];
            RoundGrids[r]->SetCellEx(TableCol(t), PairRowNS, L"NS : " + IntToStr(P.NS) + L" " + PairNames(JYR1, P.NS));
            RoundGrids[r]->SetCellEx(TableCol(t), PairRowEW, L"ØV : " + IntToStr(P.EW) + L" " + PairNames(JYR1, P.EW));
        }
    }
    for (int i = 1; i <= BoardsPerRound; ++i)
        for (int r = 0; r < Rounds; ++r)
            RoundGrids[r]->SetCellEx(0, i + RoundFixedRows - 1, IntToStr(i + FirstBoard[r] - 1));
}

// "Beregn"
void TForm1::Button7Click(TObject*) {}

// A click on a board number of the first round shows that number; a cell that holds no integer
// reports the conversion error (through the application's exception handler).
void TForm1::JYR3FixedCellClick(TObject*, int ACol, int ARow)
{
    if (ACol != 0 || ARow < RoundFixedRows) return;
    ShowMessage(IntToStr(StrToInt(JYR3->GetCellEx(0, ARow))));
}
