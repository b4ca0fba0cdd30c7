// Filtering: a row against the filter's items (chaining, texts tested, prefixes, literal lists,
// whole-row tests, the custom event), filter levels in both modes, narrow-down, rows hidden by
// hand or under contracted nodes, and the filter file with bad input.
#include "tests/grid/QorGridKit.h"

#include "framework/IniFiles.h"
#include "grid/paint/CellGraphic.h"
#include "grid/sortfilter/QorFilterData.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

// Rows 1 .. 8 (one fixed row and column): column 0 names the row, column 1 a word, column 2 a
// number text.
class QorGridFilter : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableQorGrid>(nullptr);
        const std::vector<std::pair<String, String>> Rows = {
            {L"Anna", L"EUR100"}, {L"Hansen", L"5kg"}, {L"Jensen", L"5kg2kg"}, {L"new york", L"7"},
            {L"Banan", L"12"},    {L"abc", L""},        {L"ABC", L"300"},      {L"Peter", L"42"}};
        G->SetColCountEx(3);
        G->SetRowCountEx(int(Rows.size()) + 1);
        for (int r = 1; r <= int(Rows.size()); ++r) {
            G->SetCellEx(0, r, L"r" + IntToStr(r));
            G->SetCellEx(1, r, Rows[size_t(r - 1)].first);
            G->SetCellEx(2, r, Rows[size_t(r - 1)].second);
        }
        F = G->GetFilter();
    }
    void TearDown() override { G->Free(); }

    // The row names in view (height above 0), as "1 2 3".
    String Shown()
    {
        String S;
        // A grid filtered down to its fixed row keeps an empty row or shows the fixed one.
        for (int r = 1; r < G->GetRowCount(); ++r)
            if (G->GetRowHeights(r) > 0 && !G->GetCellEx(0, r).empty())
                S += (S.empty() ? L"" : L" ") + G->GetCellEx(0, r).substr(1);
        return S;
    }
    // The rows that pass MatchFilter, without filtering.
    String Passing()
    {
        String S;
        for (int r = 1; r < G->GetRowCount(); ++r)
            if (G->MatchFilter(r)) S += (S.empty() ? L"" : L" ") + IntToStr(r);
        return S;
    }
    TFilterData* Item(int Col, const String& Cond, TFilterOperation Op = foSHORT)
    {
        TFilterData* D = F->Add();
        D->SetColumn(SmallInt(Col));
        D->SetCondition(Cond);
        D->SetOperation(Op);
        return D;
    }

    TTestableQorGrid* G = nullptr;
    TFilter* F = nullptr;
};

class QorGridFilterModes : public QorGridFilter, public ::testing::WithParamInterface<TGridFilterType> {
protected:
    void SetUp() override
    {
        QorGridFilter::SetUp();
        G->SetFilterType(GetParam());
    }
};

String TempFile(const wchar_t* Tag)
{
    wchar_t Dir[MAX_PATH];
    GetTempPathW(MAX_PATH, Dir);
    return String(Dir) + L"qorfilter_" + Tag + L"_" + std::to_wstring(GetCurrentProcessId()) + L".ini";
}

void WriteText(const String& FileName, const char* Text)
{
    std::ofstream(FileName.c_str(), std::ios::binary) << Text;
}

}  // namespace

TEST_F(QorGridFilter, ItemsChainByTheirOperations)
{
    struct Case {
        std::vector<std::tuple<int, String, TFilterOperation>> Items;
        String Rows;
    };
    const Case Cases[] = {
        {{}, L"1 2 3 4 5 6 7 8"},
        {{{1, L"*an*", foSHORT}}, L"2 5"},                                     // case matters by default
        {{{1, L"*en*", foNONE}, {1, L"*an*", foSHORT}}, L"2 5"},              // B alone
        {{{1, L"*en*", foSHORT}, {2, L">3", foSHORT}}, L"2 3"},               // conjunction
        {{{1, L"*en*", foNONE}, {2, L"7", foOR}}, L"2 3 4"},
        {{{1, L"*en*", foNONE}, {2, L">3", foXOR}}, L"1 4 5 7 8"},
        {{{1, L"*en*", foNONE}, {2, L">3", foAND}}, L"2 3"},
        {{{1, L"Anna|Peter", foSHORT}}, L"1 8"},                              // expression alternatives
    };
    for (const Case& C : Cases) {
        F->Clear();
        for (const auto& [Col, Cond, Op] : C.Items) Item(Col, Cond, Op);
        EXPECT_EQ(Passing(), C.Rows) << (C.Items.empty() ? String() : std::get<1>(C.Items[0]));
    }
}

TEST_F(QorGridFilter, ShortCircuitStopsAndTheEventHasTheLastWord)
{
    // A failing short-circuit item ends the test: the OR after it is never reached.
    Item(1, L"Anna");
    Item(2, L"*", foOR);
    EXPECT_EQ(Passing(), L"1");
    F->GetItems(0)->SetOperation(foNONE);
    EXPECT_EQ(Passing(), L"1 2 3 4 5 6 7 8");
    // A filter without enabled items passes every row, unless the event says otherwise.
    F->GetItems(0)->SetEnabled(false);
    F->GetItems(1)->SetEnabled(false);
    G->OnCustomFilter = [](TObject*, int ARow, bool& Accept) { Accept = Accept && ARow != 3; };
    EXPECT_EQ(Passing(), L"1 2 4 5 6 7 8");
}

TEST_F(QorGridFilter, TextsTestedPrefixSuffixLiteralAndAccents)
{
    struct Case {
        String Cond, Prefix, Suffix;
        TFilterMethod Method;
        bool Case_;
        int Col;
        String Rows;
    };
    const Case Cases[] = {
        {L"100", L"EUR", L"", fmExpression, true, 2, L"1"},
        {L"5", L"", L"kg", fmExpression, true, 2, L"2"},          // 5kg2kg: the first kg does not end it
        {L"abc|Peter|x", L"", L"", fmLiteral, true, 1, L"6 8"},    // exact, case always matters
        {L"abc", L"", L"", fmLiteral, false, 1, L"6"},
        {L"\"\"", L"", L"", fmLiteral, true, 2, L"6"},
        {L"7|\"\"", L"", L"", fmLiteral, true, 2, L"4 6"},         // the empty alternative in a list
        {L"abc", L"", L"", fmExpression, false, 1, L"6 7"},
        {L"*\"new york\"*", L"", L"", fmExpression, true, 1, L"4"},
    };
    for (const Case& C : Cases) {
        F->Clear();
        TFilterData* D = Item(C.Col, C.Cond);
        D->SetPrefix(C.Prefix);
        D->SetSuffix(C.Suffix);
        D->SetMethod(C.Method);
        D->SetCaseSensitive(C.Case_);
        EXPECT_EQ(Passing(), C.Rows) << C.Cond;
    }
    // Accents leave the cell and the condition; HTML leaves the shown text.
    G->SetCellEx(1, 2, L"<b>Møller</b>");
    G->SetCellEx(1, 3, L"Märta");
    F->Clear();
    Item(1, L"Ma*")->SetRemoveAccented(true);
    EXPECT_EQ(Passing(), L"3");
    F->Clear();
    Item(1, L"Mø*");
    EXPECT_EQ(Passing(), L"2");
}

TEST_F(QorGridFilter, WholeRowTestsFoldAsciiAndMatchCellStarts)
{
    TFilterData* D = Item(-1, L"EUR1");
    D->SetData(fcRow);
    EXPECT_EQ(Passing(), L"1");
    D->SetCondition(L"kg");
    EXPECT_EQ(Passing(), L"2 3");
    G->SetNarrowDownFromStart(true);
    EXPECT_EQ(Passing(), L"") << "no cell starts with kg";
    D->SetCondition(L"5K");
    EXPECT_EQ(Passing(), L"2 3") << "the third cell starts with it";
    // With ignored columns only the others count, comma separated.
    G->GetIgnoreColumns()->Add(2);
    EXPECT_EQ(Passing(), L"");
    D->SetCondition(L"BAN");
    EXPECT_EQ(Passing(), L"5");
}

TEST_P(QorGridFilterModes, LevelsStackAndPopInOrder)
{
    Item(1, L"*n*");
    G->SetFilterActive(true);
    G->SetFilterActive(true);
    EXPECT_EQ(Shown(), L"1 2 3 4 5");
    EXPECT_EQ(G->GetFilterLevel(), 1);
    if (GetParam() == ftSuppress) EXPECT_EQ(G->GetRowCount(), 9) << "suppressed rows keep their indexes";
    F->Clear();
    Item(2, L">10");
    G->ApplyFilter();
    EXPECT_EQ(Shown(), L"1 2 3 5");
    EXPECT_EQ(G->GetFilterLevel(), 2);
    EXPECT_FALSE(G->RemoveLastFilter());
    EXPECT_EQ(Shown(), GetParam() == ftSuppress ? L"1 2 3 4 5 6 7 8" : L"1 2 3 4 5");
    EXPECT_EQ(F->Count(), 0);
    G->RemoveAllFilters();
    EXPECT_EQ(Shown(), L"1 2 3 4 5 6 7 8");
    EXPECT_EQ(G->GetFilterLevel(), 0);
    EXPECT_FALSE(G->RemoveLastFilter()) << "nothing stacked";
    // Switching off brings back the top level; the count stays.
    Item(1, L"Anna");
    G->SetFilterActive(true);
    EXPECT_EQ(Shown(), L"1");
    G->SetFilterActive(false);
    EXPECT_EQ(Shown(), L"1 2 3 4 5 6 7 8");
    EXPECT_EQ(G->GetFilterLevel(), 1);
}

TEST_P(QorGridFilterModes, PassesThatRemoveNothingStillCountAsLevels)
{
    Item(1, L"*n*");
    G->ApplyFilter();
    G->ApplyFilter();   // every row in view passes again
    EXPECT_EQ(G->GetFilterLevel(), 2);
    G->RemoveLastFilter();
    EXPECT_EQ(Shown(), GetParam() == ftSuppress ? L"1 2 3 4 5 6 7 8" : L"1 2 3 4 5");
}

TEST_P(QorGridFilterModes, NarrowDownStacksAndEmptyRestoresAllButHiddenByHand)
{
    G->SetNarrowDownFromStart(false);
    // Row 8 is hidden by hand before: it stays hidden throughout.
    G->HideRow(8);
    const String Steps[][2] = {{L"a", L"1 2 5 6 7"}, {L"an", L"1 2 5"}, {L"ana", L"5"},
                               {L"an", L"1 2 5"},    {L"a", L"1 2 5 6 7"}};
    for (const auto& S : Steps) {
        G->NarrowDown(S[0], 1);
        EXPECT_EQ(Shown(), S[1]) << S[0];
    }
    EXPECT_TRUE(G->GetIsNarrowDown());
    if (GetParam() == ftHide) EXPECT_EQ(G->GetFilterLevel(), 1);
    G->NarrowDown(L"", -1);
    EXPECT_FALSE(G->GetIsNarrowDown());
    EXPECT_EQ(Shown(), L"1 2 3 4 5 6 7");
    EXPECT_TRUE(G->IsHiddenRow(8));
    EXPECT_EQ(G->GetFilterLevel(), 0);
    // A text with a space on a column, typed or set at once; case-sensitive on request.
    G->NarrowDown(L"w y", 1);
    EXPECT_EQ(Shown(), L"4");
    G->NarrowDown(L"abc", TNarrowDownOptions{ndCaseSensitive}, 1);
    EXPECT_EQ(Shown(), L"6");
    G->SetNarrowDownFromStart(true);
    G->NarrowDown(L"new y", 1);
    EXPECT_EQ(Shown(), L"4");
    G->NarrowDown(L"ew y", 1);
    EXPECT_EQ(Shown(), L"");
}

TEST_P(QorGridFilterModes, ContractedNodesKeepTheirChildrenThroughFilterLevels)
{
    // Node on row 1 over rows 1 .. 4.
    G->AddNode(1, 4);
    Item(1, L"!Hansen");
    G->SetFilterActive(true);
    EXPECT_EQ(Shown(), L"1 3 4 5 6 7 8");
    // Contracted after the filter: popping the level must not show row 2 under it.
    G->ContractNode(1);
    EXPECT_EQ(Shown(), L"1 5 6 7 8");
    G->RemoveLastFilter();
    EXPECT_EQ(Shown(), L"1 5 6 7 8");
    G->NarrowDown(L"e", 1);
    G->NarrowDown(L"", 1);
    EXPECT_EQ(Shown(), L"1 5 6 7 8");
    G->ExpandNode(1);
    EXPECT_EQ(Shown(), L"1 2 3 4 5 6 7 8");
}

INSTANTIATE_TEST_SUITE_P(Modes, QorGridFilterModes, ::testing::Values(ftHide, ftSuppress));

TEST_F(QorGridFilter, FilterFileRoundTripsAndErasesStaleItems)
{
    const String Name = TempFile(L"roundtrip");
    DeleteFile(Name);
    for (int i = 0; i < 3; ++i) Item(i, L"c" + IntToStr(i));
    G->SaveFilter(Name);
    F->Clear();
    TFilterData* D = Item(2, L"*x y*", foXOR);
    D->SetMethod(fmLiteral);
    D->SetCaseSensitive(false);
    D->SetEnabled(false);
    D->SetRemoveAccented(true);
    D->SetPrefix(L"EUR");
    D->SetSuffix(L"kg");
    D->SetFriendlyName(L"Navn");
    D->SetData(fcCalculated);
    D->SetFilterType(ftEqual);
    G->SaveFilter(Name);
    {
        TMemIniFile Ini(Name);
        EXPECT_FALSE(Ini.SectionExists(L"ITEM1"));
        EXPECT_FALSE(Ini.SectionExists(L"ITEM2"));
    }
    auto* G2 = Create<TTestableQorGrid>(nullptr);
    auto Free = ScopeExit([&] { G2->Free(); });
    G2->LoadFilter(Name);
    EXPECT_FALSE(G2->GetFilterActive());
    ASSERT_EQ(G2->GetFilter()->Count(), 1);
    const TFilterData* L = G2->GetFilter()->GetItems(0);
    EXPECT_EQ(L->GetCondition(), L"*x y*");
    EXPECT_EQ(L->GetColumn(), 2);
    EXPECT_EQ(L->GetOperation(), foXOR);
    EXPECT_EQ(L->GetMethod(), fmLiteral);
    EXPECT_FALSE(L->GetCaseSensitive());
    EXPECT_FALSE(L->GetEnabled());
    EXPECT_TRUE(L->GetRemoveAccented());
    EXPECT_EQ(L->GetPrefix(), L"EUR");
    EXPECT_EQ(L->GetSuffix(), L"kg");
    EXPECT_EQ(L->GetFriendlyName(), L"Navn");
    EXPECT_EQ(L->GetData(), fcVirtual);
    EXPECT_EQ(L->GetFilterType(), ftStartsWith);
    // COUNT 0 clears.
    G->GetFilter()->Clear();
    G->SaveFilter(Name);
    G2->LoadFilter(Name);
    EXPECT_EQ(G2->GetFilter()->Count(), 0);
    DeleteFile(Name);
}

TEST_F(QorGridFilter, BadFilterFilesRaiseAndLeaveTheFilterAsItWas)
{
    const String Name = TempFile(L"bad");
    struct Case {
        const char* Text;
        bool Raises;
    };
    const Case Cases[] = {
        {"[OTHER]\r\nA=1\r\n", false},                                        // no COUNT: unchanged
        {"[FILTER]\r\nCOUNT=2\r\n[ITEM0]\r\nCONDITION=a\r\n", true},          // truncated
        {"[FILTER]\r\nCOUNT=2000000000\r\n[ITEM0]\r\nCONDITION=a\r\n", true}, // huge count
        {"[FILTER]\r\nCOUNT=x\r\n", true},
        {"[FILTER]\r\nCOUNT=-1\r\n", true},
        {"[FILTER]\r\nCOUNT=1\r\n[ITEM0]\r\nCOLUMN=abc\r\n", true},
        {"[FILTER]\r\nCOUNT=1\r\n[ITEM0]\r\nOPERATION=9\r\n", true},
        {"[FILTER]\r\nCOUNT=1\r\n[ITEM0]\r\nCASE=yes\r\n", true},
        {"[FILTER]\r\nCOUNT=1\r\n[ITEM0]\r\nCOLUMN=70000\r\n", true},
        {"[FILTER]\r\nCOUNT=1\r\n[ITEM0", true},
    };
    for (const Case& C : Cases) {
        F->Clear();
        Item(1, L"keep");
        WriteText(Name, C.Text);
        if (C.Raises) EXPECT_THROW(G->LoadFilter(Name), EQorGridError) << C.Text;
        else EXPECT_NO_THROW(G->LoadFilter(Name)) << C.Text;
        ASSERT_EQ(F->Count(), 1) << C.Text;
        EXPECT_EQ(F->GetItems(0)->GetCondition(), L"keep");
    }
    // Missing keys take their defaults.
    WriteText(Name, "[FILTER]\r\nCOUNT=1\r\n[ITEM0]\r\n");
    G->LoadFilter(Name);
    EXPECT_EQ(F->GetItems(0)->GetCondition(), L"");
    EXPECT_TRUE(F->GetItems(0)->GetEnabled());
    EXPECT_FALSE(F->GetItems(0)->GetCaseSensitive());
    DeleteFile(Name);
    EXPECT_THROW(G->LoadFilter(Name), EQorGridError) << "missing file";
    // A file that cannot be written raises.
    EXPECT_ANY_THROW(G->SaveFilter(L"C:\\no_such_folder_qor\\f.ini"));
}

// The grid class itself (no descendant) reads cells without properties in place during a pass;
// everything that makes a shown text differ from the stored one still counts: blanks, markup,
// a covered cell of a merged area, the display-text hook.
TEST(QorGridFilterPlainGrid, PassesTestTheShownTexts)
{
    TQorStringGrid* P = Create<TQorStringGrid>(nullptr);
    auto Free = ScopeExit([&] { P->Free(); });
    P->SetColCountEx(3);
    P->SetRowCountEx(7);
    const wchar_t* Texts[] = {L"  Anna ", L"<b>Hansen</b>", L"Peter", L"Karen", L"x", L"Peter"};
    for (int r = 1; r <= 6; ++r) P->SetCellEx(1, r, Texts[r - 1]);
    P->MergeCells(1, 3, 1, 2);   // row 4 shows row 3's text
    auto Passing = [&](const String& Cond) {
        TFilter* F = P->GetFilter();
        F->Clear();
        TFilterData* D = F->Add();
        D->SetColumn(1);
        D->SetCondition(Cond);
        String S;
        for (int r = 1; r < P->GetRowCount(); ++r)
            if (P->MatchFilter(r)) S += (S.empty() ? L"" : L" ") + IntToStr(r);
        return S;
    };
    EXPECT_EQ(Passing(L"Anna"), L"1");
    EXPECT_EQ(Passing(L"Hansen"), L"2");
    EXPECT_EQ(Passing(L"Peter"), L"3 4 6");
    EXPECT_EQ(Passing(L"*ar*"), L"");   // the covered cell's own text is not shown
    P->OnGetDisplText = [](TObject*, int, int ARow, String& Value) {
        if (ARow == 5) Value = L"Hooked";
    };
    EXPECT_EQ(Passing(L"Hooked"), L"5");
    EXPECT_EQ(Passing(L"x"), L"");
    // A pass hides the failing rows and keeps the rest in view.
    P->OnGetDisplText = nullptr;
    P->GetFilter()->Clear();
    TFilterData* D = P->GetFilter()->Add();
    D->SetColumn(1);
    D->SetCondition(L"*e*");
    D->SetCaseSensitive(false);
    P->SetFilterActive(true);
    EXPECT_EQ(P->GetRowCount(), 5);   // the fixed row, Hansen, Peter (and the row it covers), Peter
    EXPECT_EQ(P->GetCellEx(1, 1), L"<b>Hansen</b>");
    P->SetFilterActive(false);
    EXPECT_EQ(P->GetRowCount(), 7);
    EXPECT_EQ(P->GetCellEx(1, 1), L"  Anna ");
}
