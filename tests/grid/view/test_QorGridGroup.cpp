// Grouping: header and summary rows, sub-groups, merging and colours, group calculations, and
// round trips back to the grid as it was. The rows come sorted by the group column and the grid
// does not sort them itself here.
#include "tests/grid/QorGridKit.h"

#include "grid/paint/CellGraphic.h"

#include <gtest/gtest.h>

namespace {

class QorGridGroup : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableQorGrid>(nullptr);
        G->GetSortSettings()->SetAutoSortForGrouping(false);
        Fill({L"A", L"A", L"B", L"C", L"C"});
    }
    void TearDown() override { G->Free(); }

    // Column 0 fixed; columns 1 .. 3: a name, the group value, a number; row 0 the captions.
    void Fill(std::initializer_list<const wchar_t*> Values)
    {
        G->SetColCountEx(4);
        G->SetRowCountEx(int(Values.size()) + 1);
        const wchar_t* Caps[] = {L"#", L"Name", L"Kind", L"Qty"};
        for (int c = 0; c < 4; ++c) G->SetCellEx(c, 0, Caps[c]);
        int r = 1;
        for (const wchar_t* V : Values) {
            G->SetCellEx(0, r, IntToStr(r));
            G->SetCellEx(1, r, L"n" + IntToStr(r));
            G->SetCellEx(2, r, V);
            G->SetCellEx(3, r, IntToStr(r * 10));
            ++r;
        }
    }
    // Every row as "a|b|c", rows joined by " / ", with "*" before node rows and "+" before
    // summary rows.
    String Dump()
    {
        String S;
        for (int r = 0; r < G->GetRowCount(); ++r) {
            if (r) S += L" / ";
            if (G->IsNode(r)) S += L"*";
            if (G->IsSummary(r)) S += L"+";
            for (int c = 0; c < G->GetColCount(); ++c) S += (c ? L"|" : L"") + G->GetGridCell(G->RealColIndex(c), r);
        }
        return S;
    }

    TTestableQorGrid* G = nullptr;
};

}  // namespace

TEST_F(QorGridGroup, HeadersHeadEveryRunAndTheColumnGoes)
{
    G->Group(2);
    EXPECT_EQ(G->GetGroupColumn(), 2);
    EXPECT_EQ(G->GetColCount(), 3);
    EXPECT_EQ(Dump(), L"#|Name|Qty / *|A| / 1|n1|10 / 2|n2|20 / *|B| / 3|n3|30 / *|C| / 4|n4|40 / 5|n5|50");
    EXPECT_EQ(G->GetNodeSpan(1), 3);
    EXPECT_EQ(G->GetNodeSpan(4), 2);
    EXPECT_EQ(G->GetNodeSpan(6), 3);
    EXPECT_FALSE(G->GetIsGrouping());
}

TEST_F(QorGridGroup, SummaryRowsCloseEveryGroup)
{
    G->GetGrouping()->SetSummary(true);
    G->Group(2);
    EXPECT_EQ(Dump(), L"#|Name|Qty / *|A| / 1|n1|10 / 2|n2|20 / +|| / *|B| / 3|n3|30 / +|| / *|C| / 4|n4|40 / "
                      L"5|n5|50 / +||");
    G->GroupCount(2);
    EXPECT_EQ(G->GetCellEx(2, 4), L"2");
    EXPECT_EQ(G->GetCellEx(2, 7), L"1");
    EXPECT_EQ(G->GetCellEx(2, 11), L"2");
    // Contracted groups are passed over.
    G->ContractNode(5);
    G->SetCellEx(2, 11, L"");
    G->SetCellEx(2, 4, L"");
    G->GroupCount(2);
    EXPECT_EQ(G->GetCellEx(2, 4), L"2");
}

TEST_F(QorGridGroup, WithoutSummariesCalculationsGoIntoTheHeaders)
{
    G->Group(2);
    G->GroupCount(2);
    EXPECT_EQ(G->GetCellEx(2, 1), L"2");
    EXPECT_EQ(G->GetCellEx(2, 4), L"1");
    EXPECT_EQ(G->GetCellEx(2, 6), L"2");
}

TEST_F(QorGridGroup, GroupCalculations)
{
    // Qty per group: A 10, 20; B 30; C 40, 50, 60.
    Fill({L"A", L"A", L"B", L"C", L"C", L"C"});
    G->GetGrouping()->SetSummary(true);
    G->Group(2);
    const struct {
        void (TQorStringGrid::*Calc)(int);
        const wchar_t* A;
        const wchar_t* B;
        const wchar_t* C;
    } Cases[] = {
        {&TQorStringGrid::GroupSum, L"30.00", L"30.00", L"150.00"},
        {&TQorStringGrid::GroupAvg, L"15.00", L"30.00", L"50.00"},
        {&TQorStringGrid::GroupMin, L"10.00", L"30.00", L"40.00"},
        {&TQorStringGrid::GroupMax, L"20.00", L"30.00", L"60.00"},
        {&TQorStringGrid::GroupCount, L"2", L"1", L"3"},
        {&TQorStringGrid::GroupDistinct, L"2.00", L"1.00", L"3.00"},
        {&TQorStringGrid::GroupStdDev, L"5.00", L"0.00", L"8.16"},
    };
    // Summary rows: A at 4, B at 7, C at 12.
    for (const auto& C : Cases) {
        (G->*C.Calc)(2);
        EXPECT_EQ(G->GetCellEx(2, 4), C.A);
        EXPECT_EQ(G->GetCellEx(2, 7), C.B);
        EXPECT_EQ(G->GetCellEx(2, 12), C.C);
    }
    G->OnGroupCalc = [](TObject*, int, int FromRow, int ToRow, double& Result) { Result = FromRow * 100 + ToRow; };
    G->GroupCustomCalc(2);
    EXPECT_EQ(G->GetCellEx(2, 7), L"606.00");
    G->SetCellEx(2, 7, L"x");
    G->GroupCalc(2, 9);
    EXPECT_EQ(G->GetCellEx(2, 7), L"x");
}

TEST_F(QorGridGroup, GroupingSortsFirst)
{
    Fill({L"C", L"A", L"B", L"A", L"C"});
    G->GetSortSettings()->SetAutoSortForGrouping(true);
    G->Group(2);
    EXPECT_EQ(Dump(), L"#|Name|Qty / *|A| / 2|n2|20 / 4|n4|40 / *|B| / 3|n3|30 / *|C| / 1|n1|10 / 5|n5|50");
    G->UnGroup();
    EXPECT_EQ(G->GetCellEx(2, 1), L"A");
    EXPECT_EQ(G->GetCellEx(1, 1), L"n2");
}

TEST_F(QorGridGroup, LetterCaseStartsANewGroup)
{
    Fill({L"a", L"A", L"A", L"b"});
    G->Group(2);
    EXPECT_EQ(Dump(), L"#|Name|Qty / *|a| / 1|n1|10 / *|A| / 2|n2|20 / 3|n3|30 / *|b| / 4|n4|40");
}

TEST_F(QorGridGroup, UngroupingGivesTheGridBack)
{
    const struct {
        int Column;
        bool Summary, MergeHeader, MergeSummary, Colours, Footer;
    } Cases[] = {
        {2, false, false, false, false, false}, {2, true, false, false, true, false},
        {1, true, true, true, true, false},     {3, false, true, false, true, true},
        {2, true, false, true, false, true},    {1, false, false, false, true, true},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "column " << C.Column << " summary " << C.Summary << " merge "
                                        << C.MergeHeader << C.MergeSummary << " footer " << C.Footer);
        TearDown();
        SetUp();
        TGrouping* GS = G->GetGrouping();
        GS->SetSummary(C.Summary);
        GS->SetMergeHeader(C.MergeHeader);
        GS->SetMergeSummary(C.MergeSummary);
        if (C.Colours) {
            GS->SetHeaderColor(TColor(0x00CC8844));
            GS->SetHeaderTextColor(TColor(0x00000080));
            GS->SetSummaryColor(TColor(0x0044CC88));
        }
        if (C.Footer) {
            G->SetRowCountEx(G->GetRowCount() + 1);
            G->SetFixedFooters(1);
            for (int c = 0; c < 4; ++c) G->SetCellEx(c, G->GetRowCount() - 1, L"f" + IntToStr(c));
        }
        G->SetColWidths(C.Column, 77);
        const String Before = Dump();
        const int Rows = G->GetRowCount();
        G->Group(C.Column);
        EXPECT_EQ(G->GetColCount(), 3);
        EXPECT_EQ(G->IsMergedCell(1, 1), C.MergeHeader);
        if (C.Colours && !C.MergeHeader) {
            EXPECT_EQ(G->GetColors(2, 1), TColor(0x00CC8844));
        }
        G->UnGroup();
        EXPECT_EQ(Dump(), Before);
        EXPECT_EQ(G->GetRowCount(), Rows);
        EXPECT_EQ(G->GetColCount(), 4);
        EXPECT_EQ(G->GetColWidths(C.Column), 77);
        EXPECT_EQ(G->GetGroupColumn(), -1);
        EXPECT_FALSE(G->HasNodes());
        for (int r = 0; r < G->GetRowCount(); ++r) {
            EXPECT_FALSE(G->IsMergedCell(1, r)) << r;
            EXPECT_NE(G->GetColors(2, r), TColor(0x00CC8844)) << r;
        }
    }
}

TEST_F(QorGridGroup, AGridGroupedOnColumnZeroCanBeUngrouped)
{
    G->SetFixedColsEx(0);
    for (int r = 0; r < G->GetRowCount(); ++r) G->SetCellEx(0, r, G->GetCellEx(2, r));
    const String Before = Dump();
    G->Group(0);
    EXPECT_EQ(G->GetGroupColumn(), 0);
    EXPECT_EQ(G->GetNodeSpan(1), 3);
    EXPECT_EQ(G->GetCellEx(0, 4), L"B");
    EXPECT_EQ(G->GetCellEx(0, 5), L"n3");
    G->ContractNode(1);
    G->UnGroup();
    EXPECT_EQ(G->GetGroupColumn(), -1);
    EXPECT_EQ(Dump(), Before);
    EXPECT_FALSE(G->HasNodes());
}

TEST_F(QorGridGroup, SubGroupsRoundTrip)
{
    Fill({L"A", L"A", L"A", L"B", L"B"});
    G->SetCellEx(3, 2, L"10");    // Qty: A 10 10 30, B 40 50
    const String Before = Dump();
    G->Group(2);
    const String Grouped = Dump();
    G->SubGroup(2);               // Qty, now the second column
    EXPECT_EQ(G->GetGroupColumn(), 2);
    EXPECT_EQ(Dump(), L"#|Name|Qty / *|A| / *||10 / 1|n1| / 2|n2| / *||30 / 3|n3| / *|B| / *||40 / 4|n4| / "
                      L"*||50 / 5|n5|");
    EXPECT_EQ(G->GetNodeSpan(1), 6);
    EXPECT_EQ(G->GetSubNodeCount(1), 2);
    EXPECT_EQ(G->GetNodeSpan(2), 3);
    EXPECT_EQ(G->GetNodeLevel(2), 2);
    G->SubUnGroup(2);
    EXPECT_EQ(Dump(), Grouped);
    EXPECT_EQ(G->GetNodeSpan(1), 4);
    G->SubGroup(2);
    G->ContractAll();
    // UnGroup takes the sub-groups out first, and restores the grouped column.
    G->UnGroup();
    EXPECT_EQ(Dump(), Before);
    EXPECT_EQ(G->GetColCount(), 4);
    // Every row its own sub-group, and a second sub-grouping inside the first.
    Fill({L"A", L"A", L"A", L"A", L"B"});
    const String Plain = Dump();
    G->Group(2);
    const String Grouped2 = Dump();
    G->SubGroup(1);
    EXPECT_EQ(G->GetNodeSpan(1), 9);
    G->SubGroup(2);
    EXPECT_EQ(G->GetNodeSpan(1), 13);
    EXPECT_EQ(G->GetNodeSpan(2), 3);
    G->SubUnGroup(2);
    G->SubUnGroup(1);
    EXPECT_EQ(Dump(), Grouped2);
    EXPECT_EQ(G->GetNodeSpan(1), 5);
    G->UnGroup();
    EXPECT_EQ(Dump(), Plain);
}

TEST_F(QorGridGroup, GroupColumnSetterAndRegrouping)
{
    const String Before = Dump();
    G->SetGroupColumn(0);
    EXPECT_EQ(G->GetGroupColumn(), -1);
    G->SetGroupColumn(2);
    EXPECT_EQ(G->GetGroupColumn(), 2);
    // Grouping a grouped grid ungroups it first.
    G->Group(3);
    EXPECT_EQ(G->GetGroupColumn(), 3);
    EXPECT_EQ(G->GetRowCount(), 11);
    G->SetGroupColumn(-1);
    EXPECT_EQ(Dump(), Before);
    // Fixed columns and a grid without normal rows are refused.
    G->Group(0);
    EXPECT_EQ(G->GetGroupColumn(), -1);
}

TEST_F(QorGridGroup, MergedHeadersAndSummariesSurviveAColumnMove)
{
    TGrouping* GS = G->GetGrouping();
    GS->SetSummary(true);
    GS->SetMergeHeader(true);
    GS->SetMergeSummary(true);
    GS->SetHeaderColor(TColor(0x00112233));
    GS->SetSummaryColor(TColor(0x00445566));
    G->Group(2);
    EXPECT_EQ(G->CellSpan(1, 1).X, 1);
    EXPECT_EQ(G->GetColors(1, 1), TColor(0x00112233));
    EXPECT_EQ(G->CellSpan(1, 4).X, 1);
    EXPECT_EQ(G->GetColors(1, 4), TColor(0x00445566));
    G->MoveColumn(2, 1);
    EXPECT_EQ(G->GetCellEx(1, 1), L"A");
    EXPECT_EQ(G->GetCellEx(1, 2), L"10");
    EXPECT_EQ(G->GetCellEx(2, 2), L"n1");
    EXPECT_EQ(G->CellSpan(1, 1).X, 1);
    EXPECT_TRUE(G->IsMergedCell(2, 5));
}
