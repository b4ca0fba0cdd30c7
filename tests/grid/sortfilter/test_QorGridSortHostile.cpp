// Sorting cells that hold anything: texts where numbers are expected, empty cells, huge and tiny
// numbers, NaN-like texts, dates in other formats. Every style must give a permutation of the rows
// in an order that is a strict weak order (checked pairwise), never a crash; the locale's sort
// keys must order exactly as the locale comparison does.
#include "tests/grid/sortfilter/SortKit.h"

#include "grid/sortfilter/SortKeys.h"

#include <windows.h>

#include <random>
#include <set>

namespace {

using QorGridSortHostile = SortTest;

String Hostile(std::mt19937& R)
{
    static const String Pool[] = {
        L"", L" ", L"0", L"-0", L"1e308", L"1e309", L"-1e-320", L"4.9e-324", L"NaN", L"nan", L"INF", L"-Infinity",
        L"1,234.5", L"1.234,5", L"12abc", L"abc", L"ABC", L"\u00E6\u00F8\u00E5", L"31/12/2019", L"2019-12-31",
        L"12-31-2019", L"13/13/2013", L"25:61", L"10:30", L"1/2/3 4:5", L"$5", L"kr. 5", L"--5", L"+", L".", L"e5",
        L"0x1F", L"  42  ", L"<b>7</b>", L"<i", String(1, wchar_t(0xD800)), L"9999999999999999999999", L"-", L"1e", L"12/05",
        L"5:", L":5", L"\u0661\u0662",
    };
    if (R() % 3) return Pool[R() % (sizeof(Pool) / sizeof(Pool[0]))];
    String S;
    const int n = int(R() % 7);
    static const wchar_t Chars[] = L"0123456789.,-+e:/ aAzZ\u00E6$";
    for (int i = 0; i < n; ++i) S += Chars[R() % (sizeof(Chars) / sizeof(Chars[0]) - 1)];
    return S;
}

}  // namespace

TEST_F(QorGridSortHostile, EveryStyleGivesAConsistentOrder)
{
    std::mt19937 Rng(20261211);
    const TSortStyle Styles[] = {ssAutomatic, ssAlphabetic,     ssNumeric,       ssDate,         ssAlphaNoCase,
                                 ssShortDateEU, ssShortDateUS,  ssFinancial,     ssAnsiAlphaCase, ssAnsiAlphaNoCase,
                                 ssHTML,      ssDateTime,       ssTime,          ssAlphaNumeric, ssAlphaNumericNoCase,
                                 ssVarDate,   ssNatural,        ssImages,        ssCheckBox};
    constexpr int Rows = 200;
    for (const TSortStyle St : Styles)
        for (const TSortDirection Dir : {sdAscending, sdDescending})
            for (const bool Blanks : {false, true}) {
                TearDown();
                SetUp();
                std::vector<String> A, B;
                for (int i = 0; i < Rows; ++i) {
                    A.push_back(Hostile(Rng));
                    B.push_back(Hostile(Rng));
                }
                Fill({A, B});
                SS->SetIgnoreBlanks(Blanks);
                SS->SetBlankPos(Rng() % 2 ? blFirst : blLast);
                G->OnGetFormat = [St](TObject*, int, TSortStyle& S, String& P, String& X) {
                    S = St;
                    P = L"$";
                    X = L"kr";
                };
                SortCol(Dir);
                const String Where = IntToStr(int(St)) + L"/" + IntToStr(int(Dir)) + L"/" + IntToStr(int(Blanks));
                std::set<String> Names;
                for (int r = 1; r <= Rows; ++r) Names.insert(G->GetGridCell(0, r));
                ASSERT_EQ(int(Names.size()), Rows) << Where;
                if (St == ssNatural) continue;   // the platform's natural order is its own affair
                const int SortDir = Dir == sdDescending ? -1 : 1;
                for (int r = 1; r < Rows; ++r) ASSERT_NE(G->CompareLine(1, r, r + 1), SortDir) << Where << " row " << r;
                // Strict weak order on random triples: antisymmetric and transitive.
                for (int k = 0; k < 300; ++k) {
                    const int a = 1 + int(Rng() % Rows), b = 1 + int(Rng() % Rows), c = 1 + int(Rng() % Rows);
                    const int ab = G->Compare(1, a, b, Dir), ba = G->Compare(1, b, a, Dir);
                    ASSERT_EQ(ab, -ba) << Where;
                    const int bc = G->Compare(1, b, c, Dir), ac = G->Compare(1, a, c, Dir);
                    if (ab <= 0 && bc <= 0) {
                        ASSERT_LE(ac, 0) << Where;
                    }
                    if (ab >= 0 && bc >= 0) {
                        ASSERT_GE(ac, 0) << Where;
                    }
                }
            }
}

TEST_F(QorGridSortHostile, InconsistentHandlersCannotBreakTheSort)
{
    std::mt19937 Rng(7);
    std::vector<String> A;
    for (int i = 0; i < 500; ++i) A.push_back(Hostile(Rng));
    Fill({A});
    G->OnGetFormat = [](TObject*, int, TSortStyle& S, String&, String&) { S = ssCustom; };
    G->OnCustomCompare = [&Rng](TObject*, const String&, const String&, int& R) { R = int(Rng() % 3) - 1; };
    SortCol();
    G->OnGetFormat = [](TObject*, int, TSortStyle& S, String&, String&) { S = ssRaw; };
    G->OnRawCompare = [&Rng](TObject*, int, int, int, int& R) { R = int(Rng() % 5) - 2; };
    SortCol(sdDescending);
    std::set<String> Names;
    for (int r = 1; r <= 500; ++r) Names.insert(G->GetGridCell(0, r));
    EXPECT_EQ(Names.size(), 500u);
    G->QUnSort();
    for (int r = 1; r <= 500; ++r) ASSERT_EQ(G->GetGridCell(1, r), A[size_t(r - 1)]);
}

TEST(QorGridSortKeys, LocaleKeysOrderAsTheLocaleComparison)
{
    static const wchar_t Chars[] = L"aAbBzZ09 -'.,_\u00E6\u00C6\u00F8\u00D8\u00E5\u00C5\u00E9\u00C9\u00FC\u00DC"
                                   L"\u00DF\u0301\u200B!~\u0131\u0130\u00A0\uFF21";
    std::mt19937 Rng(42);
    std::vector<String> Texts;
    for (int i = 0; i < 1500; ++i) {
        String S;
        const int n = int(Rng() % 7);
        for (int j = 0; j < n; ++j) S += Chars[Rng() % (sizeof(Chars) / sizeof(Chars[0]) - 1)];
        Texts.push_back(S);
    }
    for (const bool NoCase : {false, true}) {
        std::vector<std::vector<unsigned char>> Keys(Texts.size());
        for (size_t i = 0; i < Texts.size(); ++i) ASSERT_TRUE(QorGridSort::LocaleSortKey(Texts[i], NoCase, Keys[i]));
        for (int k = 0; k < 40000; ++k) {
            const size_t a = Rng() % Texts.size(), b = Rng() % Texts.size();
            const int c = NoCase ? AnsiCompareText(Texts[a], Texts[b]) : AnsiCompareStr(Texts[a], Texts[b]);
            const int m = Keys[a] < Keys[b] ? -1 : (Keys[b] < Keys[a] ? 1 : 0);
            ASSERT_EQ(c < 0 ? -1 : (c > 0 ? 1 : 0), m) << NoCase << " " << a << " " << b;
        }
    }
}

TEST(QorGridSortKeys, NumbersReadAsTheStylesSay)
{
    const struct {
        const wchar_t* Text;
        double Value;
        bool Failed;
    } Cases[] = {
        {L"12", 12, false},      {L"-1.5e2", -150, false}, {L"12abc", 12, true},   {L"abc", 0, true},
        {L"", 0, true},          {L"NaN", 0, true},        {L"1e309", 0, true},    {L"  7", 7, false},
        {L"$3kr", 3, false},     {L"$$3", 0, true},        {L"-1e-320", -1e-320, false},
    };
    for (const auto& C : Cases) {
        bool Failed = false;
        const double v = QorGridSort::NumberValue(C.Text, L"$", L"kr", false, Failed);
        EXPECT_EQ(v, C.Value) << C.Text;
        EXPECT_EQ(Failed, C.Failed) << C.Text;
    }
    EXPECT_EQ(QorGridSort::DetectStyle(L"12/05/2020"), ssDate);
    EXPECT_EQ(QorGridSort::DetectStyle(L"12/05/2020 10:30"), ssDateTime);
    EXPECT_EQ(QorGridSort::DetectStyle(L"2020/05/12"), ssAlphabetic);
    EXPECT_EQ(QorGridSort::DetectStyle(L"a2/05"), ssDate);   // the place and the digits decide
    EXPECT_EQ(QorGridSort::DetectStyle(L"ab/05"), ssAlphabetic);
    EXPECT_EQ(QorGridSort::DetectStyle(L"9:15"), ssTime);
    EXPECT_EQ(QorGridSort::DetectStyle(L"-3.5"), ssNumeric);
}
