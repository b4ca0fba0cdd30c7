// Filter value lists, a single choice, check-list choices and the filter edit row: which entries a
// column offers, and which condition a choice leaves in the grid's Filter. Whatever a chosen value
// holds, its condition matches that text and no other.
#include "tests/grid/QorGridKit.h"

#include "graphics/QorFilter.h"
#include "grid/QorGridSatellites.h"
#include "grid/sortfilter/FilterLiteral.h"
#include "grid/sortfilter/QorFilterData.h"
#include "framework/WinScope.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

class FilterListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableQorGrid>(nullptr);
        FD = G->GetFilterDropDown();
        G->SetFilterDropDownAuto(true);
        G->SetAutoFilterUpdate(false);   // choices build conditions; applying them is not under test
        FD->SetSorted(false);            // entries in the order first met unless a test sorts
    }
    void TearDown() override { G->Free(); }

    // Column 1 of rows 1 .. n holds Texts; column 2 a second column ("x").
    void Fill(const std::vector<String>& Texts)
    {
        G->SetColCountEx(3);
        G->SetRowCountEx(int(Texts.size()) + 1);
        for (int r = 1; r <= int(Texts.size()); ++r) {
            G->SetCellEx(1, r, Texts[size_t(r - 1)]);
            G->SetCellEx(2, r, L"x");
        }
    }
    // The entries of column Col's list, "|"-joined, a Tab shown as "~".
    String Entries(int Col = 1)
    {
        G->GetFilter(Col, false, false);
        String S;
        TStringList* L = G->GetFilterList();
        for (int i = 0; i < L->Count(); ++i) S += (i ? L"|" : L"") + L->Get(i);
        for (wchar_t& c : S)
            if (c == L'\t') c = L'~';
        return S;
    }
    // The list box items as the open list would hold them.
    void OpenList(int Col = 1)
    {
        G->SetFilterColumn(Col);
        G->GetFilter(Col, false, false);
        TStrings* Items = G->GetFilterDropDownCheck() ? G->GetDropCheckList()->GetItems() : G->GetDropList()->GetItems();
        Items->Clear();
        for (int i = 0; i < G->GetFilterList()->Count(); ++i) {
            const String E = G->GetFilterList()->Get(i);
            Items->Add(E.substr(0, E.find(L'\t')));
            if (G->GetFilterDropDownCheck()) G->GetDropCheckList()->SetChecked(i, false);
        }
    }
    int IndexOf(const String& Shown)
    {
        TStringList* L = G->GetFilterList();
        for (int i = 0; i < L->Count(); ++i)
            if (L->Get(i).substr(0, L->Get(i).find(L'\t')) == Shown) return i;
        return -1;
    }
    String DisplayOf(int i)
    {
        const String E = G->GetFilterList()->Get(i);
        return E.substr(0, E.find(L'\t'));
    }
    void Select(const String& Shown, int Col = 1)
    {
        OpenList(Col);
        const int i = IndexOf(Shown);
        ASSERT_GE(i, 0) << Shown;
        G->FilterSelect(G->GetDropList(), i);
    }
    void Check(const String& Shown, bool State = true, int Col = 1)
    {
        const int i = IndexOf(Shown);
        ASSERT_GE(i, 0) << Shown;
        G->GetDropCheckList()->SetChecked(i, State);
        G->SetFilterColumn(Col);
        G->FilterCheck(G->GetDropCheckList(), i);
    }
    TFilterData* ItemOf(int Col)
    {
        for (int i = 0; i < G->GetFilter()->Count(); ++i)
            if (G->GetFilter()->GetItems(i)->GetColumn() == Col) return G->GetFilter()->GetItems(i);
        return nullptr;
    }
    // Whether the item passes the text, as the filter reads its method.
    static bool Passes(TFilterData* D, const String& Text)
    {
        if (D->GetMethod() == fmLiteral) return QorGridFilterLiteral::TLiteralList(D->GetCondition()).Match(Text);
        return QorUtil::MatchStrEx(D->GetCondition(), Text, D->GetCaseSensitive());
    }

    TTestableQorGrid* G = nullptr;
    TFilterDropDown* FD = nullptr;
};

struct TListCase {
    const wchar_t* Name;
    std::vector<String> Cells;
    const wchar_t* Entries;
    bool Sorted = true;
    bool CaseSensitive = false;
    TFilterMethod Method = fmExpression;
};

}  // namespace

TEST_F(FilterListTest, ValueListTable)
{
    G->SetFilterDropDownClear(L"");
    const TListCase Cases[] = {
        {L"distinct values, the empty one matching empty cells", {L"a", L"b", L"a", L""}, L"~\"\"|a|b"},
        {L"numbers by value", {L"10", L"9", L"100"}, L"9|10|100"},
        {L"natural order", {L"a10", L"a9"}, L"a9|a10"},
        {L"unsorted keeps the first met", {L"b", L"a", L"b"}, L"b|a", false},
        {L"letter case ignored", {L"Apple", L"apple", L"APPLE"}, L"Apple"},
        {L"letter case kept", {L"Apple", L"apple"}, L"Apple|apple", true, true},
        {L"trimmed", {L" a ", L"a"}, L"a"},
        {L"expression: values with operators carry a quoted condition",
         {L"new york", L"R&D", L"!urgent", L">5", L"a|b", L"(none)"},
         L"new york~\"new york\"|R&D~\"R&D\"|!urgent~\"!urgent\"|>5~\">5\"|a|b~\"a|b\"|(none)~\"(none)\"", false},
        {L"literal: only a bar or a double quote needs quotes", {L"new york", L"a|b", L"\"q\"", L">5"},
         L"new york|a|b~\"a|b\"|\"q\"~\"\"\"q\"\"\"|>5", false, false, fmLiteral},
    };
    for (const TListCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        FD->SetSorted(C.Sorted);
        FD->SetCaseSensitive(C.CaseSensitive);
        FD->SetMethod(C.Method);
        Fill(C.Cells);
        EXPECT_EQ(Entries(), C.Entries);
    }
}

TEST_F(FilterListTest, ListSourcesAndInsertedEntries)
{
    Fill({L"b", L"a", L"c"});
    // The clearing entry of a single-select list, the all entry of a check list: first, and
    // only over values to choose.
    G->SetFilterDropDownClear(L"(All)");
    EXPECT_EQ(Entries(), L"(All)|b|a|c");
    G->SetFilterDropDownCheck(true);
    G->SetFilterDropDownCheckUnCheckAll(L"(Check all)");
    EXPECT_EQ(Entries(), L"(Check all)|b|a|c");
    G->SetFilterDropDownCheck(false);
    // Empty cells offer the empty value, which matches them.
    G->SetCellEx(2, 1, L"");
    G->SetCellEx(2, 2, L"");
    G->SetCellEx(2, 3, L"");
    EXPECT_EQ(Entries(2), L"(All)|~\"\"");

    // Fixed columns have lists only with fdAll; nothing without FilterDropDownAuto.
    G->SetCellEx(0, 1, L"r1");
    EXPECT_FALSE(G->GetFilter(0, false, false));
    G->SetFilterDropDownColumns(fdAll);
    EXPECT_TRUE(G->GetFilter(0, false, false));
    G->SetFilterDropDownAuto(false);
    EXPECT_FALSE(G->GetFilter(1, false, false));
    G->SetFilterDropDownAuto(true);

    // A hidden row's value stays on offer; the handler has the last word.
    G->HideRow(2);
    EXPECT_EQ(Entries(), L"(All)|b|c|a");
    G->OnGetColumnFilter = [](TObject*, int Col, TStrings* L) {
        if (Col == 1) L->Add(L"Over b\t>b");
    };
    EXPECT_EQ(Entries(), L"(All)|b|c|a|Over b~>b");
}

TEST_F(FilterListTest, ChosenValuesMatchExactlyThemselves)
{
    // Every value competes with look-alikes that an operator reading would also let through.
    const std::vector<String> Cells = {L"!urgent", L"urgent", L">5", L"6", L"a|b", L"a", L"b", L"a*b", L"aXb",
                                       L"x?y", L"xzy", L"R&D", L"R", L"(none)", L"none", L"new york", L"newyork",
                                       L"=abc", L"abc", L"a\"b", L"q\"*", L"a;b", L"a^b", L""};
    Fill(Cells);
    G->SetFilterDropDownClear(L"");
    for (TFilterMethod Method : {fmExpression, fmLiteral})
        for (bool CheckList : {false, true}) {
            SCOPED_TRACE(Method == fmLiteral ? "literal" : "expression");
            SCOPED_TRACE(CheckList ? "check list" : "single choice");
            FD->SetMethod(Method);
            G->SetFilterDropDownCheck(CheckList);
            for (size_t k = 0; k < Cells.size(); ++k) {
                const String& Chosen = Cells[k];
                // The check list takes this value and the next one.
                const String& Second = Cells[(k + 1) % Cells.size()];
                G->GetFilter()->Clear();
                if (!CheckList) {
                    G->GetFilter()->GetColFilter(1)->SetMethod(Method);
                    Select(Chosen);
                } else {
                    OpenList();
                    for (int i = 0; i < G->GetFilterList()->Count(); ++i) G->GetDropCheckList()->SetChecked(i, false);
                    G->GetDropCheckList()->SetChecked(IndexOf(Second), true);
                    Check(Chosen);
                }
                TFilterData* D = ItemOf(1);
                ASSERT_NE(D, nullptr) << Chosen;
                for (const String& Cell : Cells) {
                    const bool Wanted = Cell == Chosen || (CheckList && Cell == Second);
                    EXPECT_EQ(Passes(D, Cell), Wanted)
                        << "chosen [" << Chosen << "] cell [" << Cell << "] condition " << D->GetCondition();
                }
            }
        }
}

TEST_F(FilterListTest, SingleChoice)
{
    Fill({L"a", L"b", L"new york"});
    TFilterData* Other = G->GetFilter()->GetColFilter(2);
    Other->SetCondition(L"x");

    // The friendly name is the shown text; the open column is forgotten after the choice.
    Select(L"new york");
    ASSERT_NE(ItemOf(1), nullptr);
    EXPECT_EQ(ItemOf(1)->GetFriendlyName(), L"new york");
    EXPECT_EQ(G->GetFilterColumn(), -1);

    // A handler's condition is taken as written, quoted only for a blank or "&".
    G->OnFilterSelect = [](TObject*, int, int, const String& FN, String& Cond) {
        if (FN == L"a") Cond = L"a*";
        if (FN == L"b") Cond = L"b or c";
    };
    Select(L"a");
    EXPECT_EQ(ItemOf(1)->GetCondition(), L"a*");
    Select(L"b");
    EXPECT_EQ(ItemOf(1)->GetCondition(), L"\"b or c\"");
    G->OnFilterSelect = nullptr;

    // The clearing entry removes the column's condition and leaves the others'.
    G->SetFilterDropDownClear(L"(All)");
    Select(L"(All)");
    EXPECT_EQ(ItemOf(1), nullptr);
    EXPECT_NE(ItemOf(2), nullptr);

    // Without multi-column choices a choice replaces every condition.
    G->SetFilterDropDownMultiCol(false);
    Select(L"a");
    EXPECT_EQ(G->GetFilter()->Count(), 1);
    EXPECT_EQ(ItemOf(2), nullptr);

    // Out of range: nothing changes, the column is forgotten.
    OpenList();
    G->FilterSelect(G->GetDropList(), 99);
    EXPECT_EQ(ItemOf(1)->GetFriendlyName(), L"a");
    EXPECT_EQ(G->GetFilterColumn(), -1);
}

TEST_F(FilterListTest, CheckList)
{
    Fill({L"a", L"b", L"c"});
    G->SetFilterDropDownCheck(true);
    G->SetFilterDropDownCheckUnCheckAll(L"(All)");
    G->GetFilter()->GetColFilter(2)->SetCondition(L"x");
    std::vector<std::pair<int, bool>> Clicks;
    G->OnFilterCheckClick = [&](TObject*, int, int i, bool State, TStrings*) { Clicks.emplace_back(i, State); };
    TDropCheckList* CL = G->GetDropCheckList();
    OpenList();

    Check(L"a");
    Check(L"c");
    ASSERT_NE(ItemOf(1), nullptr);
    EXPECT_EQ(ItemOf(1)->GetFriendlyName(), L"a|c");
    EXPECT_EQ(ItemOf(1)->GetCaseSensitive(), FD->GetCaseSensitive());
    EXPECT_TRUE(G->GetFilterActive());

    // The all entry checks every value: no condition for the column, the other column's stays.
    Check(L"(All)");
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(CL->GetChecked(i)) << i;
    EXPECT_EQ(ItemOf(1), nullptr);
    EXPECT_NE(ItemOf(2), nullptr);
    EXPECT_EQ(Clicks.back(), std::make_pair(0, true));

    // Unchecking one value unchecks the all entry.
    Check(L"b", false);
    EXPECT_FALSE(CL->GetChecked(0));
    ASSERT_NE(ItemOf(1), nullptr);
    EXPECT_EQ(ItemOf(1)->GetFriendlyName(), L"a|c");

    // Unchecking the all entry unchecks every value: no condition left, filtering off.
    Check(L"(All)", false);
    G->GetFilter()->RemoveColumnFilter(2);
    Check(L"(All)", false);
    EXPECT_EQ(G->GetFilter()->Count(), 0);
    EXPECT_FALSE(G->GetFilterActive());

    // Markup in a chosen value makes the item literal.
    G->SetCellEx(1, 1, L"<b>a</b>");
    FD->SetIgnoreHTML(false);
    OpenList();
    Check(L"<b>a</b>");
    ASSERT_NE(ItemOf(1), nullptr);
    EXPECT_EQ(ItemOf(1)->GetMethod(), fmLiteral);
    EXPECT_TRUE(Passes(ItemOf(1), L"<b>a</b>"));
}

TEST_F(FilterListTest, DropDownRowAndAutoSwitch)
{
    Fill({L"a", L"b", L"c"});
    G->SetFixedRowsEx(2);
    G->SetFilterDropDownRow(1);
    EXPECT_EQ(G->GetFilterDropDownRow(), 1);
    for (int Refused : {2, 5}) {
        G->SetFilterDropDownRow(Refused);
        EXPECT_EQ(G->GetFilterDropDownRow(), 1);
    }
    G->SetFilterDropDownAuto(false);
    EXPECT_EQ(G->GetFilterList()->Count(), 0);
}

TEST_F(FilterListTest, FilterEditRow)
{
    Fill({L"abc", L"xabc", L"abd"});
    G->GetFilterEdit()->SetEnabled(true);
    G->SetCellEx(1, 0, L"abc");
    G->DoFilterEditDone(1, ftStartsWith);
    ASSERT_NE(ItemOf(1), nullptr);
    EXPECT_EQ(ItemOf(1)->GetCondition(), L"abc*");
    EXPECT_TRUE(ItemOf(1)->GetEnabled());
    EXPECT_TRUE(G->GetFilterActive());

    // A kind from the popup menu: the menu item's tag.
    TMenuItem* EndsWith = G->GetFilterPopup()->GetItems()->Items(ftEndsWith);
    G->GetFilterPopup()->SetTag(1);
    G->DoFilterType(EndsWith);
    EXPECT_EQ(ItemOf(1)->GetCondition(), L"*abc");

    G->DoFilterEditDone(1, ftClear);
    EXPECT_EQ(G->GetCellEx(1, 0), L"");
    EXPECT_FALSE(ItemOf(1)->GetEnabled());
    EXPECT_EQ(ItemOf(1)->GetFilterType(), ftContains);
}

TEST_F(FilterListTest, FilterEditHandlerTakesOver)
{
    TForm* Form = ui::NewForm(400, 300);
    ui::FormGuard Guard(Form);
    G->SetParent(Form);
    auto Unparent = ScopeExit([this] { G->SetParent(nullptr); });
    Fill({L"abc"});
    G->SetCellEx(1, 0, L"ab");
    G->OnFilterEditUpdate = [this](TObject*, int, const String&, TFilterType) { G->SetDoAutoEditFilter(false); };
    std::vector<std::tuple<int, String, TFilterType>> Done;
    G->OnFilterEditDone = [&](TObject*, int Col, const String& Text, TFilterType ft) { Done.emplace_back(Col, Text, ft); };
    G->DoFilterEditDone(1, ftEqual);
    EXPECT_FALSE(G->GetFilterActive());
    EXPECT_TRUE(Done.empty());
    ui::PumpUntil([&] { return !Done.empty(); });
    ASSERT_EQ(Done.size(), 1u);
    EXPECT_EQ(Done[0], std::make_tuple(1, String(L"ab"), ftEqual));
    EXPECT_EQ(ItemOf(1)->GetCondition(), L"ab");
}

TEST_F(FilterListTest, LargeColumnsListQuickly)
{
    // 200,000 rows of 50,000 distinct values: a list built by comparing each value with every
    // entry so far would take minutes.
    const int n = 200000;
    FD->SetSorted(true);
    G->SetFilterDropDownClear(L"");
    G->SetColCountEx(2);
    G->SetRowCountEx(n + 1);
    for (int r = 1; r <= n; ++r) G->SetCellEx(1, r, L"v" + IntToStr(r % 50000));
    const auto Start = std::chrono::steady_clock::now();
    EXPECT_TRUE(G->GetFilter(1, false, false));
    const double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    ASSERT_EQ(G->GetFilterList()->Count(), 50000);
    EXPECT_EQ(G->GetFilterList()->Get(0), L"v0");
    EXPECT_EQ(G->GetFilterList()->Get(2), L"v2");
    EXPECT_EQ(G->GetFilterList()->Get(10), L"v10");
    EXPECT_EQ(G->GetFilterList()->Get(49999), L"v49999");
    EXPECT_LT(Seconds, 10.0);
}

TEST_F(FilterListTest, ChoicesFilterTheRows)
{
    G->SetAutoFilterUpdate(true);
    G->SetFilterDropDownClear(L"");
    Fill({L"a|b", L"a", L"b", L"", L"!urgent", L"urgent", L"a"});
    G->SetCellEx(2, 1, L"y");
    // The rows in view by their column 1 texts.
    auto InView = [this] {
        String S;
        for (int r = 1; r < G->GetRowCount(); ++r) S += (r > 1 ? L"," : L"") + G->GetCellEx(1, r);
        return S;
    };
    for (TFilterMethod Method : {fmExpression, fmLiteral}) {
        SCOPED_TRACE(Method == fmLiteral ? "literal" : "expression");
        FD->SetMethod(Method);
        G->SetFilterDropDownCheck(false);
        G->GetFilter()->Clear();
        G->GetFilter()->GetColFilter(1)->SetMethod(Method);
        Select(L"a|b");
        EXPECT_EQ(InView(), L"a|b");
        Select(L"");
        EXPECT_EQ(InView(), L"");   // the one row with an empty cell
        EXPECT_EQ(G->GetRowCount(), 2);
        Select(L"!urgent");
        EXPECT_EQ(InView(), L"!urgent");

        // Check list: the empty value among others; every value checked leaves column 2's filter.
        G->SetFilterActive(false);
        G->GetFilter()->Clear();
        G->SetFilterDropDownCheck(true);
        OpenList();
        Check(L"");
        Check(L"a");
        EXPECT_EQ(InView(), L"a,,a");
        G->SetFilterActive(false);
        G->GetFilter()->Clear();
        G->GetFilter()->GetColFilter(2)->SetCondition(L"x");
        OpenList();
        for (int i = 0; i < G->GetFilterList()->Count(); ++i) Check(DisplayOf(i));
        EXPECT_EQ(G->GetFilter()->Count(), 1);
        EXPECT_EQ(InView(), L"a,b,,!urgent,urgent,a");
        G->SetFilterActive(false);
    }
}
