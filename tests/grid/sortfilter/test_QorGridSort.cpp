// Sorting: the sort styles, blanks, directions, the index sort, ties, the return to the order before
// sorting, and what travels with a sorted row.
#include "tests/grid/sortfilter/SortKit.h"

#include "grid/QorGridSatellites.h"

namespace {

using QorGridSort = SortTest;

struct TStyleCase {
    const wchar_t* Name;
    std::vector<String> Texts;
    const wchar_t* Sorted;
    bool AutoFormat = true;
    TSortStyle Style = ssAutomatic;   // through the column's format hook when not automatic
    TSortDirection Dir = sdAscending;
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    const wchar_t* Prefix = L"";
    const wchar_t* Suffix = L"";
};

}  // namespace

TEST_F(QorGridSort, StyleTable)
{
    const TStyleCase Cases[] = {
        {L"automatic numbers", {L"10", L"9", L"100"}, L"9|10|100"},
        {L"alphabetic numbers", {L"10", L"9", L"100"}, L"10|100|9", false, ssAlphabetic},
        {L"automatic descending", {L"10", L"9", L"100"}, L"100|10|9", true, ssAutomatic, sdDescending},
        {L"alphabetic case", {L"b", L"a", L"A"}, L"A|a|b", true, ssAlphabetic},
        {L"alphabetic without case keeps ties", {L"b", L"a", L"A", L"B"}, L"a|A|b|B", true, ssAlphaNoCase},
        {L"natural", {L"file10", L"file9", L"file1"}, L"file1|file9|file10", true, ssNatural},
        {L"alphabetic files", {L"file10", L"file9", L"file1"}, L"file1|file10|file9", true, ssAlphabetic},
        {L"numeric prefix suffix", {L"$10 kr", L"$9 kr", L"$-1 kr", L"$1e2 kr"}, L"$-1 kr|$9 kr|$10 kr|$1e2 kr",
         true, ssNumeric, sdAscending, false, blFirst, L"$", L" kr"},
        {L"numeric failed texts by leading digits", {L"12abc", L"abc", L"3", L""}, L"abc||3|12abc", true, ssNumeric},
        {L"alphanumeric", {L"b", L"10", L"a", L"9"}, L"9|10|a|b", true, ssAlphaNumeric},
        {L"alphanumeric without case", {L"b", L"10", L"A", L"a"}, L"10|A|a|b", true, ssAlphaNumericNoCase},
        {L"automatic mixed", {L"b", L"10", L"", L"9", L"a"}, L"|9|10|a|b"},
        {L"html", {L"<b>c</b>", L"a", L"<i>b</i>"}, L"a|<i>b</i>|<b>c</b>", true, ssHTML},
        {L"short dates day first", {L"31/12/2019", L"01/01/2020", L"15/06/2019"}, L"15/06/2019|31/12/2019|01/01/2020",
         true, ssShortDateEU},
        {L"short dates month first", {L"12/31/2019", L"01/01/2020", L"06/15/2019"},
         L"06/15/2019|12/31/2019|01/01/2020", true, ssShortDateUS},
        {L"times", {L"10:30", L"9:15", L"23:59", L"x"}, L"x|9:15|10:30|23:59", true, ssTime},
        {L"us dates", {L"3/1/2020", L"12/25/2019", L"1/2/2020"}, L"12/25/2019|1/2/2020|3/1/2020", true, ssVarDate},
        {L"blanks last ascending", {L"b", L"", L"a", L""}, L"a|b||", true, ssAutomatic, sdAscending, true, blLast},
        {L"blanks last descending", {L"b", L"", L"a", L""}, L"b|a||", true, ssAutomatic, sdDescending, true, blLast},
        {L"blanks first ascending", {L"b", L"", L"a", L""}, L"||a|b", true, ssAutomatic, sdAscending, true, blFirst},
        {L"blanks first descending", {L"b", L"", L"a", L""}, L"||b|a", true, ssAutomatic, sdDescending, true, blFirst},
        {L"numeric blanks last descending", {L"5", L"", L"-1", L"20"}, L"20|5|-1|", true, ssNumeric, sdDescending,
         true, blLast},
    };
    for (const TStyleCase& C : Cases) {
        TearDown();
        SetUp();
        Fill({C.Texts});
        SS->SetAutoFormat(C.AutoFormat);
        SS->SetDefaultFormat(C.Style);
        SS->SetIgnoreBlanks(C.IgnoreBlanks);
        SS->SetBlankPos(C.BlankPos);
        if (C.AutoFormat && C.Style != ssAutomatic)
            G->OnGetFormat = [&C](TObject*, int, TSortStyle& S, String& P, String& X) {
                S = C.Style;
                P = C.Prefix;
                X = C.Suffix;
            };
        SortCol(C.Dir);
        EXPECT_EQ(Col(), C.Sorted) << C.Name;
    }
}

TEST_F(QorGridSort, DatesFollowTheLocaleSeparator)
{
    TFormatSettingsGuard Danish(TFormatSettings::Danish());
    Fill({{L"12-05-2020", L"01-06-2019", L"30-01-2020"}, {L"2020-05-12", L"2019-06-01", L"2020-01-30"}});
    SortCol();
    EXPECT_EQ(Col(1), L"01-06-2019|30-01-2020|12-05-2020");
    // The separator at the fifth character: compared as texts, which here is date order too.
    SortCol(sdDescending, 2);
    EXPECT_EQ(Col(2), L"2020-05-12|2020-01-30|2019-06-01");
}

TEST_F(QorGridSort, FinancialReadsCurrencyAndSeparators)
{
    TFormatSettings FS = TFormatSettings::Danish();
    TFormatSettingsGuard Danish(FS);
    Fill({{L"kr. 1.234,50", L"kr. 99,00", L"kr. 1.000,00", L"kr.kr. 5"}});
    G->OnGetFormat = [](TObject*, int, TSortStyle& S, String&, String&) { S = ssFinancial; };
    SortCol();
    EXPECT_EQ(Col(), L"kr.kr. 5|kr. 99,00|kr. 1.000,00|kr. 1.234,50");
    // An empty currency string is nothing to remove (the loop over it never ends otherwise).
    FS.CurrencyString = L"";
    TFormatSettingsGuard NoCurrency(FS);
    SortCol(sdDescending);   // nothing reads as a number now: all tie at 0 and keep their order
    EXPECT_EQ(Col(), L"kr.kr. 5|kr. 99,00|kr. 1.000,00|kr. 1.234,50");
}

TEST_F(QorGridSort, HandlersDecideCustomAndRaw)
{
    Fill({{L"ccc", L"a", L"bb", L"dd"}, {L"2", L"4", L"1", L"3"}});
    G->OnGetFormat = [](TObject*, int, TSortStyle& S, String&, String&) { S = ssCustom; };
    G->OnCustomCompare = [](TObject*, const String& a, const String& b, int& R) {
        R = int(a.size()) - int(b.size());
    };
    SS->SetFull(false);
    SortCol();
    EXPECT_EQ(Col(), L"a|bb|dd|ccc");   // bb and dd tie and keep their order
    G->OnGetFormat = [](TObject*, int, TSortStyle& S, String&, String&) { S = ssRaw; };
    G->OnRawCompare = [this](TObject*, int, int r1, int r2, int& R) {
        R = CompareStr(G->GetGridCell(2, r1), G->GetGridCell(2, r2));
    };
    SortCol(sdDescending);
    EXPECT_EQ(Col(2), L"4|3|2|1");
    // Without handlers every row ties: nothing moves.
    G->OnRawCompare = nullptr;
    SortCol();
    EXPECT_EQ(Col(2), L"4|3|2|1");
}

TEST_F(QorGridSort, CheckBoxesAndImages)
{
    Fill({{L"", L"", L"", L""}, {L"a", L"b", L"c", L"d"}});
    G->AddCheckBox(1, 1, true, false);
    G->AddCheckBox(1, 2, false, false);
    G->AddCheckBox(1, 3, true, false);
    G->AddCheckBox(1, 4, false, false);
    SortCol();   // detected from the cell type
    EXPECT_EQ(Col(2), L"b|d|a|c");
    EXPECT_TRUE(G->IsChecked(1, 3));
    EXPECT_TRUE(G->IsChecked(1, 4));
    SortCol(sdDescending);   // ties broken by column 2, descending too
    EXPECT_EQ(Col(2), L"c|a|d|b");
}

TEST_F(QorGridSort, LocaleStylesOrderAsTheLocaleComparison)
{
    const std::vector<String> Texts{L"b", L"\u00C5se", L"a", L"A", L"\u00E6", L"Zeta", L"co-op", L"coop", L"\u00E9t\u00E9"};
    for (const TSortStyle St : {ssAnsiAlphaCase, ssAnsiAlphaNoCase}) {
        TearDown();
        SetUp();
        Fill({Texts});
        G->OnGetFormat = [St](TObject*, int, TSortStyle& S, String&, String&) { S = St; };
        SortCol();
        for (int r = 1; r + 1 < G->GetRowCount(); ++r) {
            const String a = G->GetGridCell(1, r), b = G->GetGridCell(1, r + 1);
            const int c = St == ssAnsiAlphaCase ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
            EXPECT_LE(c, 0) << int(St) << ": " << r;
        }
    }
}

TEST_F(QorGridSort, FullBreaksTiesToTheRightOnly)
{
    Fill({{L"x", L"a", L"A", L"a"}, {L"1", L"3", L"2", L"1"}, {L"y", L"z", L"z", L"z"}});
    SS->SetIgnoreCase(true);
    SS->SetAutoFormat(false);
    SortCol(sdAscending, 1);
    EXPECT_EQ(Col(2), L"1|2|3|1");     // a/A tie: column 2 decides
    SS->SetFull(false);
    SortCol(sdAscending, 2);
    EXPECT_EQ(Col(1), L"a|x|A|a");     // 1s tie: kept in their order, column 3 not asked
    SS->SetFull(true);
    SortCol(sdAscending, 2);
    EXPECT_EQ(Col(0), L"r1|r4|r3|r2");   // the 1s: column 3 decides
    // Ignored columns take no part in the tie-break.
    G->GetIgnoreColumns()->Add(3);
    SortCol(sdDescending, 2);
    EXPECT_EQ(Col(0), L"r2|r3|r1|r4");
}

TEST_F(QorGridSort, IndexSortByColumnsWithTheirDirections)
{
    Fill({{L"b", L"a", L"b", L"a", L"c"}, {L"1", L"2", L"3", L"1", L"0"}});
    EXPECT_THROW(G->QSortIndexed(), EQorGridError);
    try {
        G->QSortIndexed();
    } catch (const EQorGridError& E) {
        EXPECT_EQ(E.Message, QorGridConsts::SNoSortIndexes);
    }
    EXPECT_EQ(Col(0), L"r1|r2|r3|r4|r5");
    G->GetSortIndexes()->AddIndex(1, true);
    G->GetSortIndexes()->AddIndex(2, false);
    G->QSortIndexed();
    EXPECT_EQ(Col(0), L"r2|r4|r3|r1|r5");
    G->GetSortIndexes()->SetSortDirections(0, false);
    SS->SetFull(false);
    G->QSortIndexed();   // only the first entry: the ties keep their order
    EXPECT_EQ(Col(0), L"r5|r3|r1|r2|r4");
    EXPECT_EQ(G->CompareLineIndexed(0, 1, 2), -1);
    EXPECT_EQ(G->CompareLineIndexed(0, 2, 3), 0);
}

TEST_F(QorGridSort, UnSortReturnsToTheFirstOrder)
{
    Fill({{L"c", L"a", L"d", L"b"}, {L"2", L"2", L"1", L"1"}});
    SortCol();
    SortCol(sdDescending, 2);
    EXPECT_NE(Col(0), L"r1|r2|r3|r4");
    G->QUnSort();
    EXPECT_EQ(Col(0), L"r1|r2|r3|r4");
    EXPECT_EQ(Col(1), L"c|a|d|b");
    EXPECT_EQ(SS->GetColumn(), -1);
    for (int r = 0; r < G->GetRowCount(); ++r) EXPECT_EQ(G->SortedRowIndex(r), r);
    // With nodes the order stays as it is.
    SortCol();
    TGridTestAccess::SetNumNodes(*G, 1);
    G->QUnSort();
    EXPECT_EQ(Col(1), L"a|b|c|d");
    TGridTestAccess::SetNumNodes(*G, 0);
}

TEST_F(QorGridSort, UnSortAfterRowCountChangesDoesNoHarm)
{
    Fill({{L"c", L"a", L"d", L"b"}});
    SortCol();
    G->SetRowCountEx(G->GetRowCount() + 2);   // a stale cross reference: shorter than the grid
    G->SetCellEx(1, 5, L"e");
    G->QUnSort();
    EXPECT_EQ(Col(), L"a|b|c|d|e|");
    G->SetRowCountEx(3);                      // and longer than the grid
    SortCol(sdDescending);
    G->SetRowCountEx(2);
    G->QUnSort();
    EXPECT_EQ(Col(), L"b");
    // The next sort starts a fresh series.
    Fill({{L"c", L"a", L"b"}});
    SortCol();
    G->QUnSort();
    EXPECT_EQ(Col(), L"c|a|b");
}

TEST_F(QorGridSort, WholeRowsTravel)
{
    Fill({{L"c", L"a", L"b", L"d"}, {L"c2", L"a2", L"b2", L"d2"}, {L"c3", L"a3", L"b3", L"d3"}});
    G->SetRowHeights(1, 40);
    G->AddComment(2, 1, L"note c");
    G->AddCheckBox(3, 2, true, false);
    G->MergeCells(1, 3, 2, 1);   // row "b": columns 1 and 2 as one cell
    G->GetShowModified()->SetEnabled(true);
    G->SetRowModified(1, true);
    G->HideColumn(3);
    G->HideRow(4);               // "d" waits in the hidden-row store
    SortCol(sdDescending);
    G->UnHideColumn(3);
    EXPECT_EQ(Col(1), L"c|b|a");
    EXPECT_EQ(Col(3), L"c3|b3|a3");
    EXPECT_EQ(G->GetRowHeights(1), 40);
    EXPECT_EQ(G->GetComment(2, 1), L"note c");
    EXPECT_TRUE(G->IsChecked(3, 3));
    EXPECT_TRUE(G->IsMergedCell(2, 2) && G->IsBaseCell(1, 2));
    EXPECT_FALSE(G->IsMergedCell(2, 3));
    EXPECT_TRUE(G->GetRowModified(1));
    EXPECT_FALSE(G->GetRowModified(3));
    EXPECT_TRUE(G->IsHiddenRow(4));
    G->UnHideRowsAll();
    EXPECT_EQ(Col(1), L"c|b|a|d");
}

TEST_F(QorGridSort, FixedAndFooterRowsStay)
{
    Fill({{L"c", L"a", L"b", L"sum"}});
    G->SetCellEx(1, 0, L"header");
    G->SetFixedFooters(1);
    SortCol(sdDescending);
    EXPECT_EQ(Col(), L"c|b|a");
    EXPECT_EQ(G->GetGridCell(1, 0), L"header");
    EXPECT_EQ(G->GetGridCell(1, 4), L"sum");
}

TEST_F(QorGridSort, CurrentRowFollowsOrStays)
{
    Fill({{L"c", L"a", L"b"}});
    G->SetRowEx(1);   // "c"
    SortCol();
    EXPECT_EQ(G->GetRow(), 1);
    G->GetNavigation()->SetMoveRowOnSort(true);
    G->SetRowEx(1);   // "a"
    SortCol(sdDescending);
    EXPECT_EQ(G->GetRow(), 3);
    EXPECT_EQ(G->GetGridCell(1, G->GetRow()), L"a");
    EXPECT_EQ(G->GetSortRow(), 3);
}

TEST_F(QorGridSort, SingleColumnMovesStoredTextsOnly)
{
    Fill({{L"c", L"a", L"b"}, {L"1", L"2", L"3"}});
    G->OnGetDisplText = [](TObject*, int c, int, String& V) {
        if (c == 1) V = L"<" + V + L">";
    };
    SS->SetSingleColumn(true);
    SortCol();
    EXPECT_EQ(Col(1), L"a|b|c");   // stored, not the displayed "<a>"
    EXPECT_EQ(Col(2), L"1|2|3");
    G->QUnSort();
    EXPECT_EQ(Col(1), L"c|a|b");
}

TEST_F(QorGridSort, NormalCellsOnlyKeepsColumnZero)
{
    Fill({{L"c", L"a", L"b"}});
    SS->SetNormalCellsOnly(true);
    SortCol();
    EXPECT_EQ(Col(0), L"r1|r2|r3");
    EXPECT_EQ(Col(1), L"a|b|c");
}

TEST_F(QorGridSort, NoColumnNoSortAndTheSettingsString)
{
    Fill({{L"c", L"a", L"b"}});
    G->QSort();   // Column -1
    EXPECT_EQ(Col(), L"c|a|b");
    SS->LoadFromString(L"d1");
    EXPECT_EQ(Col(), L"c|b|a");
    SS->LoadFromString(L"i;u1");
    EXPECT_EQ(Col(), L"a|b|c");
    EXPECT_EQ(G->ColumnType(1), ctAlpha);
    EXPECT_EQ(G->ColumnType(0), ctAlpha);
}

TEST_F(QorGridSort, CompareAndSortLine)
{
    Fill({{L"10", L"9", L""}, {L"b", L"a", L"c"}});
    EXPECT_EQ(G->Compare(1, 1, 2, sdAscending), 1);
    EXPECT_EQ(G->Compare(1, 1, 2, sdDescending), 1);
    SS->SetIgnoreBlanks(true);
    SS->SetBlankPos(blLast);
    EXPECT_EQ(G->Compare(1, 3, 1, sdAscending), 1);
    EXPECT_EQ(G->Compare(1, 3, 1, sdDescending), -1);
    EXPECT_TRUE(G->SortLine(1, 1, 2));
    EXPECT_EQ(Col(1), L"9|10|");
    EXPECT_FALSE(G->SortLine(1, 1, 2));
}

TEST_F(QorGridSort, GroupSortsStayInsideTheInnermostNodes)
{
    Fill({{L"h", L"c", L"b", L"a", L"g", L"f", L"e"}});
    G->AddNode(1, 7);   // rows 1 .. 7
    G->AddNode(2, 3);   // rows 2 .. 4, inside it
    SS->SetColumn(1);
    G->QSortGroup();
    EXPECT_EQ(Col(), L"h|c|a|b|g|f|e");
    SS->SetDirection(sdDescending);
    G->QSortGroup();
    EXPECT_EQ(Col(), L"h|c|b|a|g|f|e");
    G->ContractNode(2);   // a contracted node keeps its rows as they are
    SS->SetDirection(sdAscending);
    G->QSortGroup();
    G->ExpandNode(2);
    EXPECT_EQ(Col(), L"h|c|b|a|g|f|e");
}

TEST_F(QorGridSort, GroupSortKeepsTheGroupsInOrder)
{
    Fill({{L"n1", L"n2", L"n3", L"n4", L"n5"}, {L"B", L"A", L"B", L"A", L"A"}, {L"10", L"20", L"30", L"40", L"50"}});
    G->Group(2);   // sorted by the group column first: A (n2 n4 n5), B (n1 n3); the column goes
    SS->SetColumn(2);
    SS->SetDirection(sdDescending);
    G->QSortGroup();
    EXPECT_EQ(Col(2), L"|50|40|20||30|10");
    G->GetSortIndexes()->AddIndex(2, true);
    G->QSortGroupIndexed();
    EXPECT_EQ(Col(2), L"|20|40|50||10|30");
    G->QUnSort();   // a grid with nodes keeps its order
    EXPECT_EQ(Col(2), L"|20|40|50||10|30");
}
