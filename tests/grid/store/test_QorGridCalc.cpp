// Column, row, rectangle and selection arithmetic: a table of cell texts (numbers, separators,
// text, empty, huge, negative, NaN-like), ranges (default, inverted, out of the grid), hidden rows
// under the floating footer, node and summary rows of a grouped grid, merged cells, progress
// notifications, the event-supplied calculations, and a seeded random mix against a plain model.
#include "tests/grid/QorGridKit.h"

#include "grid/input/FloatingFooter.h"
#include "grid/paint/CellGraphic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

namespace {

// A grid of 4 columns with one fixed row; column 1 holds the texts under test.
class QorGridCalc : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableQorGrid>(nullptr);
        G->SetColCountEx(4);
        G->SetRowCountEx(2);
    }
    void TearDown() override { G->Free(); }
    // Column 1 := Texts from row 1 on (RowCount follows), plus Extra empty rows.
    void Fill(std::initializer_list<const wchar_t*> Texts, int Extra = 0)
    {
        G->SetRowCountEx(1 + int(Texts.size()) + Extra);
        int r = 1;
        for (const wchar_t* T : Texts) G->SetCellEx(1, r++, T);
    }
    void Widget(int RCol, int ARow, TCellType Kind) { G->CreateCellGraphic(RCol, ARow)->FCellType = Kind; }

    TFormatSettingsGuard Guard{TFormatSettings::EnglishUS()};
    TTestableQorGrid* G = nullptr;
};

}  // namespace

TEST_F(QorGridCalc, ColumnOperationsOverATableOfTexts)
{
    struct Case {
        std::initializer_list<const wchar_t*> Texts;
        double Sum, Avg, Min, Max, StdDev, Distinct;
    };
    const double Inf = HUGE_VAL;
    const Case Cases[] = {
        // Thousands separator, a currency sign, a word and an empty text (both read 0).
        {{L"1,000", L"2.5", L"abc", L"", L"$3"}, 1005.5, 201.1, 0, 1000, 399.4519245165806, 5},
        // Two decimal points: no number; the row still counts in the divisor.
        {{L"1.2.3", L"4"}, 4, 2, 4, 4, 0, 2},
        {{L"-5", L"(3)", L"-2.5", L"-"}, -10.5, -2.625, -5, 0, 1.7809758560968758, 4},
        {{L"1e150", L"-1e150", L"5"}, 5, 5.0 / 3, -1e150, 1e150, 8.16496580927726e149, 3},
        // Beyond the double range: no number. NaN-like words read 0 (no digits in them).
        {{L"1e999", L"NaN", L"inf", L"-inf", L"2"}, 2, 0.4, 0, 2, 0.8660254037844386, 5},
        {{L"1e308", L"1e308"}, Inf, Inf, 1e308, 1e308, 0, 1},
        {{L"", L"", L""}, 0, 0, 0, 0, 0, 1},
        {{L"7"}, 7, 7, 7, 7, 0, 1},
        {{L"2", L"4", L"4", L"4", L"5", L"5", L"7", L"9"}, 40, 5, 2, 9, 2, 5},
        {{L"<b>12</b>", L"a", L"A", L" 3 "}, 15, 3.75, 0, 12, 4.9180788932265, 3},
    };
    for (const Case& C : Cases) {
        Fill(C.Texts);
        const String Where = G->GetCellEx(1, 1);
        EXPECT_DOUBLE_EQ(G->ColumnSum(1, -1, -1), C.Sum) << Where;
        EXPECT_DOUBLE_EQ(G->ColumnAvg(1, -1, -1), C.Avg) << Where;
        EXPECT_DOUBLE_EQ(G->ColumnMin(1, -1, -1), C.Min) << Where;
        EXPECT_DOUBLE_EQ(G->ColumnMax(1, -1, -1), C.Max) << Where;
        EXPECT_NEAR(G->ColumnStdDev(1, -1, -1), C.StdDev, std::fabs(C.StdDev) * 1e-6 + 1e-9) << Where;
        EXPECT_EQ(G->ColumnDistinct(1, -1, -1), C.Distinct) << Where;
        EXPECT_EQ(G->ColumnCount(1, -1, -1), double(C.Texts.size())) << Where;
    }
}

TEST_F(QorGridCalc, RangesDefaultInvertedAndOutsideTheGrid)
{
    Fill({L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8"});   // rows 1 .. 8, RowCount 9
    G->SetFixedFooters(1);                                   // row 8 is a footer row
    EXPECT_EQ(G->ColumnSum(1, -1, 5), 28);                   // the normal rows; the 5 is ignored
    EXPECT_EQ(G->ColumnSum(1, 2, 4), 9);
    EXPECT_EQ(G->ColumnCount(1, 3, 1), -1);
    EXPECT_EQ(G->ColumnCount(1, -1, -1), 7);
    // An inverted range holds no row: nothing is read and nothing is divided.
    EXPECT_EQ(G->ColumnSum(1, 5, 3), 0);
    EXPECT_EQ(G->ColumnAvg(1, 5, 3), 0);
    EXPECT_EQ(G->ColumnMin(1, 5, 3), 0);
    EXPECT_EQ(G->ColumnMax(1, 5, 3), 0);
    EXPECT_EQ(G->ColumnStdDev(1, 5, 3), 0);
    EXPECT_EQ(G->ColumnDistinct(1, 5, 3), 0);
    EXPECT_EQ(G->RowAvg(1, 4, 3), 0);
    EXPECT_EQ(G->RowMin(1, 4, 3), 0);
    // Rows and columns outside the grid take no part.
    EXPECT_EQ(G->ColumnSum(1, -7, 500), 36);
    EXPECT_EQ(G->ColumnMax(1, 6, 500), 8);
    EXPECT_EQ(G->ColumnAvg(1, 100, 200), 0);
    EXPECT_EQ(G->ColumnDistinct(1, 7, 500), 2);
    for (int Col : {-1, 4, 99}) {
        EXPECT_EQ(G->ColumnSum(Col, -1, -1), 0);
        EXPECT_EQ(G->ColumnStdDev(Col, -1, -1), 0);
        EXPECT_EQ(G->ColumnDistinct(Col, -1, -1), 0);
    }
    EXPECT_EQ(G->RowSum(-1, 0, 3), 0);
    EXPECT_EQ(G->RowSum(50, 0, 3), 0);
    EXPECT_EQ(G->RowSum(2, -5, 50), 2);
    EXPECT_EQ(G->RectSum(TGridRect{-3, -3, 99, 99}), 36);
}

TEST_F(QorGridCalc, RowsAsTheyAreShownAndHiddenUnderTheFooter)
{
    // Rows 1 .. 6 hold 1 .. 6; row 7 is the floating footer's row.
    Fill({L"1", L"2", L"3", L"4", L"5", L"6", L"99"});
    G->HideRows(2, 3);   // real rows 2 and 3 leave the grid: RowCount 6
    ASSERT_EQ(G->GetRowCount(), 6);
    const int Hidden = 2;
    // The default range reads the shown rows.
    EXPECT_EQ(G->ColumnSum(1, -1, -1), 1 + 4 + 5 + 6 + 99);
    EXPECT_EQ(G->ColumnDistinct(1, -1, -1), 5);
    // Under the footer, a range ending at the last shown data row reads the shown rows.
    G->GetFloatingFooter()->SetVisible(true);
    EXPECT_EQ(G->ColumnSum(1, 1, G->GetRowCount() - 2), 1 + 4 + 5 + 6);
    EXPECT_EQ(G->ColumnDistinct(1, 1, G->GetRowCount() - 2), 4);
    // Reaching beyond them, the range is real rows: the hidden rows count, the footer does not.
    const int To = G->GetRowCount() - 2 + Hidden;
    EXPECT_EQ(G->ColumnSum(1, 1, To), 21);
    EXPECT_EQ(G->ColumnAvg(1, 1, To), 3.5);
    EXPECT_EQ(G->ColumnMin(1, 2, To), 2);
    EXPECT_EQ(G->ColumnMax(1, 1, To), 6);
    EXPECT_NEAR(G->ColumnStdDev(1, 1, To), 1.707825127659933, 1e-12);   // 1 .. 6
    EXPECT_EQ(G->ColumnDistinct(1, 1, To), 6);
    // Without the footer the last shown row holds data: the same range reads shown rows only.
    G->GetFloatingFooter()->SetVisible(false);
    EXPECT_EQ(G->ColumnSum(1, 1, G->GetRowCount() - 1), 1 + 4 + 5 + 6 + 99);
}

TEST_F(QorGridCalc, NodeAndSummaryRowsOnlyCountWhenTheGridIsNotGrouped)
{
    Fill({L"100", L"1", L"2", L"30", L"x1.2.3", L"4"});
    Widget(0, 1, ctNode);      // a group header
    Widget(0, 4, ctSummary);   // the group's summary
    struct Case { int GroupColumn; double Sum, Avg, Min, Max, StdDev; };
    const Case Cases[] = {{-1, 137, 137.0 / 6, 1, 100, 37.86079766724415}, {2, 7, 7.0 / 4, 1, 4, 1.247219128924647}};
    for (const Case& C : Cases) {
        TGridTestAccess::SetGroupColumn(*G, C.GroupColumn);
        EXPECT_DOUBLE_EQ(G->ColumnSum(1, -1, -1), C.Sum);
        // The divisor is the rows taking part (the text with no number among them).
        EXPECT_DOUBLE_EQ(G->ColumnAvg(1, -1, -1), C.Avg);
        EXPECT_DOUBLE_EQ(G->ColumnMin(1, -1, -1), C.Min);
        EXPECT_DOUBLE_EQ(G->ColumnMax(1, -1, -1), C.Max);
        EXPECT_NEAR(G->ColumnStdDev(1, -1, -1), C.StdDev, 0.01);
        EXPECT_EQ(G->ColumnDistinct(1, -1, -1), 6);   // every row's text
    }
    TGridTestAccess::SetGroupColumn(*G, -1);
}

TEST_F(QorGridCalc, MergedCellsCountOnceInColumnsAndRowsButEveryCellInRectangles)
{
    Fill({L"5", L"", L"", L"1"});
    G->MergeCells(1, 1, 1, 3);   // rows 1 .. 3 of column 1: one area holding 5
    EXPECT_EQ(G->ColumnSum(1, -1, -1), 6);
    EXPECT_EQ(G->ColumnAvg(1, -1, -1), 3);
    EXPECT_EQ(G->RectSum(TGridRect{1, 1, 1, 4}), 16);
    G->SetCellEx(2, 1, L"2");
    G->SetCellEx(3, 1, L"2");
    G->MergeCells(2, 4, 2, 1);   // columns 2 .. 3 of row 4
    G->SetCellEx(2, 4, L"8");
    EXPECT_EQ(G->RowSum(4, 0, 3), 9);
    EXPECT_EQ(G->RowAvg(4, 1, 3), 4.5);   // two base cells
    EXPECT_EQ(G->RowMax(4, 0, 3), 8);
    EXPECT_EQ(G->RowMin(1, 1, 3), 2);     // column 1's 5 and two 2s
}

TEST_F(QorGridCalc, ProgressNotificationsPerRowTaken)
{
    Fill({L"1", L"2", L"3"});
    G->MergeCells(1, 2, 1, 2);
    using N = std::vector<std::pair<TGridExportState, int>>;
    G->ColumnSum(1, -1, -1);
    EXPECT_EQ(G->Notes.Exports, (N{{esExportStart, 1}, {esExportNextRow, 1}, {esExportNextRow, 2}, {esExportDone, -1}}));
    G->Notes.Exports.clear();
    G->ColumnStdDev(1, -1, -1);
    EXPECT_EQ(G->Notes.Exports, (N{{esExportStart, 1}, {esExportDone, -1}}));
    G->Notes.Exports.clear();
    G->ColumnDistinct(1, 2, 3);
    EXPECT_EQ(G->Notes.Exports, (N{{esExportStart, 2}, {esExportNextRow, 2}, {esExportNextRow, 3}, {esExportDone, -1}}));
}

TEST_F(QorGridCalc, RectanglesAndTheSelection)
{
    Fill({L"1", L"2", L"3"});
    G->SetColCountEx(4);
    for (int r = 1; r <= 3; ++r) {
        G->SetCellEx(2, r, IntToStr(10 * r));
        G->SetCellEx(3, r, IntToStr(-r));
    }
    const TGridRect R{1, 1, 3, 3}, Reversed{3, 3, 1, 1};
    struct Case { TCalcType T; double Want; };
    for (const Case& C : {Case{ctSum, 60}, Case{ctAvg, 60.0 / 9}, Case{ctMin, -3}, Case{ctMax, 30}}) {
        EXPECT_DOUBLE_EQ(G->RectCalc(R, C.T), C.Want);
        EXPECT_DOUBLE_EQ(G->RectCalc(Reversed, C.T), C.Want);
    }
    EXPECT_EQ(G->RectMin(TGridRect{2, 2, 2, 2}), 20);
    G->SetCellEx(2, 2, L"1.2.3");
    try {
        G->RectSum(R);
        ADD_FAILURE();
    } catch (const EQorGridError& E) {
        EXPECT_EQ(E.GetMessage(), QorGridConsts::SNoFloatValue);
    }
    EXPECT_EQ(G->ColumnSum(2, -1, -1), 40);   // the column operations leave it out
    G->SetCellEx(2, 2, L"20");

    // The selection is read where its cells are shown: real column 1 and real row 2 are hidden.
    G->HideColumn(1);
    G->HideRow(2);
    G->SetSelectionEx(TGridRect{1, 1, 2, 2});   // display columns 1, 2 = real 2, 3; rows 1, 2 = real 1, 3
    EXPECT_DOUBLE_EQ(G->SelectionSum(), 10 + 30 - 1 - 3);
    EXPECT_DOUBLE_EQ(G->SelectionAvg(), 36.0 / 4);
    EXPECT_DOUBLE_EQ(G->SelectionMin(), -3);
    EXPECT_DOUBLE_EQ(G->SelectionMax(), 30);
}

TEST_F(QorGridCalc, CalculationsSuppliedByEvents)
{
    EXPECT_EQ(G->ColumnCustomCalc(1, -1, -1), 0);
    EXPECT_EQ(G->ColumnCustomCalcGrp(1, -1, -1), 0);
    std::vector<int> Args;
    G->OnColumnCalc = [&](TObject* S, int ACol, int From, int To, double& Res) {
        EXPECT_EQ(S, G);
        EXPECT_EQ(Res, 0);
        Args = {ACol, From, To};
        Res = 4.5;
    };
    G->OnGroupCalc = [&](TObject*, int, int, int, double& Res) { Res = -1; };
    EXPECT_EQ(G->ColumnCustomCalc(2, -1, 7), 4.5);
    EXPECT_EQ(Args, (std::vector<int>{2, -1, 7}));
    EXPECT_EQ(G->ColumnCustomCalcGrp(2, 1, 1), -1);
}

namespace {

// The column operations written plainly: the rows of the range that take part, each cell's value
// through the raising typed getter (a raise leaves the value out), two passes for the deviation.
struct TModel {
    double Sum = 0, Avg = 0, Min = 0, Max = 0, StdDev = 0;
    double Distinct = 0;
};

// No rows are hidden: a range reaching beyond the last row is read through the real-row getters.
TModel ModelOf(TQorStringGrid& G, int ACol, int From, int To, bool Grouped)
{
    std::vector<double> Values;
    std::set<String> Texts;
    int Taken = 0;
    const bool Real = To > G.GetRowCount() - 1;
    for (int r = std::max(From, 0); r <= std::min(To, G.GetRowCount() - 1); ++r) {
        Texts.insert(AnsiUpperCase(G.GetCellEx(ACol, r)));
        if (Grouped && (G.IsNode(r) || G.IsSummary(r))) continue;
        if (!G.IsBaseCell(ACol, r)) continue;
        ++Taken;
        try {
            Values.push_back(Real ? G.GetAllFloats(ACol, r) : G.GetFloats(ACol, r));
        } catch (const EQorGridError&) {
        }
    }
    TModel M;
    for (double V : Values) M.Sum += V;
    M.Avg = Taken ? M.Sum / Taken : 0;
    if (!Values.empty()) {
        M.Min = *std::min_element(Values.begin(), Values.end());
        M.Max = *std::max_element(Values.begin(), Values.end());
        const double Mean = M.Sum / double(Values.size());
        double Sq = 0;
        for (double V : Values) Sq += (V - Mean) * (V - Mean);
        M.StdDev = std::sqrt(Sq / double(Values.size()));
    }
    M.Distinct = double(Texts.size());
    return M;
}

}  // namespace

TEST_F(QorGridCalc, SeededRandomHostileTextsAgreeWithAPlainModel)
{
    const wchar_t* Pool[] = {L"1",     L"-2.5",    L"1,234.5", L"(7)",   L"$3",     L"abc",  L"",        L"-",
                             L"1.2.3", L"NaN",     L"inf",     L"1e999", L"1e-300", L"1e15", L"<b>5</b>", L" 4 ",
                             L"--1",   L"1e",      L"+6",      L"0x10",  L"1 2",    L"&amp;", L"\u00bd",  L"9,9,9"};
    std::mt19937 Rng(20261211);
    auto Pick = [&](int n) { return int(Rng() % unsigned(n)); };
    for (int Round = 0; Round < 40; ++Round) {
        const int Rows = 1 + Pick(30);
        G->SplitAllCells();
        G->SetRowCountEx(1);
        G->SetRowCountEx(1 + Rows);
        G->SetFixedRowsEx(1);   // a grid of one row had lost its fixed row
        for (int r = 1; r <= Rows; ++r) {
            G->SetCellEx(1, r, Pool[Pick(int(std::size(Pool)))]);
            G->FreeCellGraphic(0, r);
            if (Pick(6) == 0) Widget(0, r, Pick(2) ? ctNode : ctSummary);
        }
        if (Rows > 3 && Pick(2)) G->MergeCells(1, 1 + Pick(Rows - 2), 1, 2);
        const bool Grouped = Pick(2);
        TGridTestAccess::SetGroupColumn(*G, Grouped ? 2 : -1);
        int From = Pick(Rows + 4) - 2, To = Pick(Rows + 4) - 2;
        if (Pick(4) == 0) (Pick(2) ? From : To) = -1;
        const bool Default = From == -1 || To == -1;
        const TModel M = ModelOf(*G, 1, Default ? 1 : From, Default ? Rows : To, Grouped);
        const String Where = L"round " + IntToStr(Round);
        auto Near = [](double A, double B) { return A == B || std::fabs(A - B) <= 1e-9 * std::max(std::fabs(A), std::fabs(B)); };
        EXPECT_PRED2(Near, G->ColumnSum(1, From, To), M.Sum) << Where;
        EXPECT_PRED2(Near, G->ColumnAvg(1, From, To), M.Avg) << Where;
        EXPECT_EQ(G->ColumnMin(1, From, To), M.Min) << Where;
        EXPECT_EQ(G->ColumnMax(1, From, To), M.Max) << Where;
        EXPECT_NEAR(G->ColumnStdDev(1, From, To), M.StdDev, 1e-6 * (1 + M.StdDev)) << Where;
        EXPECT_EQ(G->ColumnDistinct(1, From, To), M.Distinct) << Where;
    }
    TGridTestAccess::SetGroupColumn(*G, -1);
}
