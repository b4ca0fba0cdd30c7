// The filter-expression matcher: the condition language, its date reading, and hostile input.
#include "graphics/QorFilter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

using namespace QorUtil;

namespace {

// "." decimals, "," thousands, "/" dates in day-month-year order, ":" times.
class Matcher : public ::testing::Test {
protected:
    void SetUp() override
    {
        TFormatSettings fs = TFormatSettings::Invariant();
        fs.ShortDateFormat = L"dd/MM/yyyy";
        FormatSettings = fs;
    }
    TFormatSettingsGuard Guard;
};

struct MatchCase {
    const wchar_t* Condition;
    const wchar_t* Value;
    bool DoCase;
    bool Expected;
};

// Each case through the per-call routine and through a matcher parsed for it.
template <size_t N>
void ExpectCases(const MatchCase (&Cases)[N])
{
    for (const auto& c : Cases) {
        EXPECT_EQ(MatchStrEx(c.Condition, c.Value, c.DoCase), c.Expected)
            << Utf16ToUtf8(c.Condition) << " on " << Utf16ToUtf8(c.Value);
        EXPECT_EQ(TFilterMatcher(c.Condition, c.DoCase).Match(c.Value), c.Expected)
            << "parsed " << Utf16ToUtf8(c.Condition) << " on " << Utf16ToUtf8(c.Value);
    }
}

}  // namespace

TEST_F(Matcher, ConditionLanguage)
{
    const MatchCase Cases[] = {
        {L"abc", L"ABC", false, true},
        {L"abc", L"ABC", true, false},
        {L"a*", L"apple", false, true},
        {L"*pl*", L"apple", false, true},
        {L"a?c", L"abc", false, true},
        {L"a?c", L"ac", false, false},
        {L"!*x*", L"abc", false, true},
        {L"!*x*", L"axc", false, false},
        {L"!abc", L"abc", false, false},
        {L">5", L"10", false, true},
        {L">=10", L"10", false, true},
        {L"<5", L"10", false, false},
        {L"<=5", L"5", false, true},
        {L">1,000", L"1,500", false, true},
        {L">1,000", L"999", false, false},
        {L">b", L"c", false, true},
        {L">5&<10", L"7", false, true},
        {L">5&<10", L"12", false, false},
        {L"1|2|3", L"2", false, true},
        {L"a;b", L"b", false, true},
        {L"a^b", L"b", false, true},
        {L"a|b&c", L"a", false, false},   // left to right: (a or b) and c
        {L"(a*|b*)&*c", L"abc", false, true},
        {L"(a*|b*)&*c", L"ab", false, false},
        {L"=abc", L"abc", false, true},
        {L"a b", L"ab", false, true},
        {L"\"a b\"", L"a b", false, true},
        {L"\"\"", L"", false, true},
        {L"\"\"", L"x", false, false},
        {L"a|", L"", false, true},
        {L"a|", L"b", false, false},
        {L"(none)", L"(none)", false, true},
        {L"a|(b)", L"(b)", false, true},
        {L">1/2/2020", L"3/2/2020", false, true},
        {L">1/2/2020", L"1/3/2019", false, false},
        {L">\"1/2/2020 10:30\"", L"1/2/2020 10:45", false, true},
        {L">\"1/2/2020 10:30\"", L"1/2/2020 10:15", false, false},
        {L"\"!x\"", L"!x", false, true},          // a leading quote makes "!" plain
        {L"\"\"\"a\"", L"\"a", false, true},      // a doubled quote is one literal quote
        {L"*", L"", false, true},
        {L"", L"", false, true},
        {L"", L"x", false, false},
        {L"ø*", L"ØST", false, true},
        {L"((a|b))&c*", L"cx", false, false},
        {L"((a|b)|c)&c*", L"c", false, true},
    };
    ExpectCases(Cases);
}

// Text between a group's ")" and the next operator is an operand of its own, which that operator
// joins to the group's result; the operator then joins the next operand as usual.
TEST_F(Matcher, GroupFollowedByText)
{
    const MatchCase Cases[] = {
        {L"(a)b|c", L"a", false, true},   // (a | b) | c
        {L"(a)b|c", L"b", false, true},
        {L"(a)b|c", L"c", false, true},
        {L"(a)b|c", L"x", false, false},
        {L"x&(a)b|c", L"b", false, true},   // ((x & a) | b) | c
        {L"x&(a)b|c", L"a", false, false},
        {L"(a)b&c", L"a", false, false},   // (a & b) & c
        {L"(*a*)*b*&*c", L"abc", false, true},
        {L"(*a*)*x*&*c", L"abc", false, false},
        {L"(a|b) c | d", L"a", false, true},   // spaces go first: (a|b)c|d
    };
    ExpectCases(Cases);
}

TEST_F(Matcher, StarTriesEveryTail)
{
    EXPECT_TRUE(Matches(L"*ab*ab*abc", L"xxabyyabababzzabc"));
    EXPECT_FALSE(Matches(L"*ab*ab*abc", L"xxabyyabc"));
    EXPECT_TRUE(Matches(L"a*b*c*d", L"aXbYcZd"));
    EXPECT_TRUE(Matches(L"**a", L"ba"));
    // A "!" after a star negates the tail's own match: the empty tail already fails "x", so
    // "*!x" holds for every value.
    EXPECT_TRUE(Matches(L"*!x", L"x"));
    // Many stars against a long value stay fast (no exponential retrying).
    const String Value(2000, L'a');
    const auto Start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Matches(L"*a*a*a*a*a*a*a*a*a*a*a*a*b", Value));
    EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(2));
}

TEST_F(Matcher, Helpers)
{
    EXPECT_EQ(StripLogicSpaces(L"a b \"c d\" e"), L"ab\"c d\"e");
    EXPECT_EQ(ClosingParenthesis(L"(a(b)c)d"), 7);
    EXPECT_EQ(ClosingParenthesis(L"(a\")\"b)"), 7);
    EXPECT_EQ(ClosingParenthesis(L"(ab"), 0);
    EXPECT_EQ(StrUnquotedPos(L"\"a|b\"|c", L'|'), 6);
    EXPECT_EQ(StrUnquotedPos(L"abc", L'|'), 0);
    int p = 0;
    EXPECT_EQ(FirstChar(L"&|", L"(a|b)\"&\"|c", p), L'|');
    EXPECT_EQ(p, 9);
    EXPECT_EQ(FirstChar(L"&|", L"abc", p), 0);
    EXPECT_EQ(p, -1);
    EXPECT_TRUE(InArray(L'^', L"&|;^"));
    EXPECT_EQ(StripThousandSep(L"1,234.5"), L"1234.5");
    EXPECT_TRUE(MatchStr(L"*b*", L"ABC", false));
    EXPECT_FALSE(MatchStr(L"a|b", L"b", false)) << "no operator splitting";
}

TEST_F(Matcher, IsDateReadsTheShortDateFormat)
{
    TDateTime dt = -1;
    ASSERT_TRUE(IsDate(L"1/2/2020 10:30", dt));
    EXPECT_DOUBLE_EQ(dt, EncodeDate(2020, 2, 1) + EncodeTime(10, 30, 0, 0));
    ASSERT_TRUE(IsDate(L"1/2/2020 10:30:15", dt));
    EXPECT_DOUBLE_EQ(dt, EncodeDate(2020, 2, 1) + EncodeTime(10, 30, 15, 0));
    ASSERT_TRUE(IsDate(L" 3/ 4/20", dt));
    EXPECT_DOUBLE_EQ(dt, EncodeDate(20, 4, 3)) << "the year as written";

    ASSERT_TRUE(IsDate(L"1/2/2020 ", dt)) << "the year's field is trimmed";
    EXPECT_DOUBLE_EQ(dt, EncodeDate(2020, 2, 1));

    // Day and month are whole integers after any leading spaces: nothing may trail them.
    for (const wchar_t* Bad : {L"1/2/2020 25:00", L"31/2/2020", L"1/13/2020", L"32/1/2020",
                               L"1/2/2020 10:60", L"1/2/2020 1:2:61", L"1/2/2020 10:30:60",
                               L"1/2/0", L"1/2", L"a/2/2020", L"1/2/2020x", L"", L"//",
                               L"1 /2/2020", L"1/2 /2020", L"1\t/2/2020", L" 1 / 2 /2020"})
        EXPECT_FALSE(IsDate(Bad, dt)) << Utf16ToUtf8(Bad);

    dt = -1;
    EXPECT_FALSE(IsDate(L"1/2/2020 1030", dt)) << "a time part needs a separator";
    EXPECT_DOUBLE_EQ(dt, EncodeDate(2020, 2, 1)) << "but the date is still written";

    FormatSettings.ShortDateFormat = L"yyyy-MM-dd";
    FormatSettings.DateSeparator = L'-';
    ASSERT_TRUE(IsDate(L"2020-02-01", dt));
    EXPECT_DOUBLE_EQ(dt, EncodeDate(2020, 2, 1));
    EXPECT_TRUE(MatchStrEx(L">2020-01-31", L"2020-02-01", false));
}

TEST_F(Matcher, ComparisonsUnderADanishLocale)
{
    FormatSettings.DecimalSeparator = L',';
    FormatSettings.ThousandSeparator = L'.';
    FormatSettings.DateSeparator = L'-';
    FormatSettings.ShortDateFormat = L"dd-MM-yyyy";
    const MatchCase Cases[] = {
        {L">1.000", L"1.500,5", false, true},
        {L"<=2,5", L"2,5", false, true},
        {L">2,5&<3", L"2,75", false, true},
        {L">1-2-2020", L"3-2-2020", false, true},
        {L">1-2-2020", L"1-3-2019", false, false},
    };
    ExpectCases(Cases);
}

TEST_F(Matcher, FallsBackToTextOrderForImpossibleDates)
{
    EXPECT_TRUE(MatchStrEx(L">31/2/2020", L"4/1/2020", false)) << "'4' sorts after '3'";
    EXPECT_TRUE(MatchStrEx(L">1/2/2020", L"3 /1/2019", false)) << "'3' sorts after '1'";
    EXPECT_FALSE(MatchStrEx(L">1/2/2020", L"3/1/2019", false)) << "a date, and an earlier one";
}

// Conditions typed by users never crash, hang or grow memory: every one gives an answer.
TEST_F(Matcher, HostileConditions)
{
    const String Deep = String(5000, L'(') + L"a|b" + String(5000, L')');
    const String DeepOps = [] {
        String s(3000, L'(');
        s += L"a";
        for (int i = 0; i < 3000; ++i) s += L")|b";
        return s;
    }();
    const MatchCase Cases[] = {
        {L"(", L"(", false, true},
        {L")", L")", false, true},
        {L"((a)", L"x", false, false},
        {L"a)|b", L"b", false, true},
        {L"(a|b", L"a", false, false},
        {L"&", L"", false, true},
        {L"||||", L"", false, true},
        {L"|a", L"a", false, true},
        {L"&&&a", L"a", false, false},
        {L"\"", L"", false, true},
        {L"\"abc", L"abc", false, true},
        {L">", L"", false, false},
        {L"<", L"x", false, false},
        {L">=", L"x", false, true},
        {L"><", L"x", false, true},
        {L"!", L"", false, false},
        {L"!!!", L"x", false, true},
        {L"^", L"x", false, false},
        {L">\"", L"a", false, true},
        {L"=", L"", false, true},
        {L"()", L"()", false, true},
        {L"()|()", L"", false, true},
        {L"(|)&(|)", L"", false, false},
        {L">1e999999", L"5", false, false},
        {L"<-1e999999", L"5", false, false},
        {L">1/1/99999", L"1/1/2000", false, false},
    };
    ExpectCases(Cases);

    // Deep nesting is read as text beyond a fixed depth instead of recursing without bound.
    EXPECT_FALSE(MatchStrEx(Deep, L"a", false));
    EXPECT_TRUE(MatchStrEx(DeepOps, L"b", false));
    EXPECT_FALSE(MatchStrEx(DeepOps, L"c", false));
    const String LongOperand = L">" + String(100000, L'9');
    EXPECT_FALSE(MatchStrEx(LongOperand, L"5", false));
    EXPECT_TRUE(MatchStrEx(String(100000, L'*'), L"x", false));
    EXPECT_TRUE(MatchStrEx(String(100000, L'?'), String(100000, L'x'), false));
}

// A few hundred thousand random conditions and values from the language's own characters.
TEST_F(Matcher, RandomInputsAlwaysAnswer)
{
    const wchar_t Alphabet[] = L"ab1,.5/:*?!\"()&|;^<>= -e";
    std::mt19937 Rng(20261210);
    std::uniform_int_distribution<int> Pick(0, int(std::size(Alphabet)) - 2);
    std::uniform_int_distribution<int> Len(0, 14);
    auto Make = [&] {
        String s(size_t(Len(Rng)), L' ');
        for (Char& c : s) c = Alphabet[Pick(Rng)];
        return s;
    };
    const auto Start = std::chrono::steady_clock::now();
    int Trues = 0, Runs = 0;
    for (; Runs < 300000; ++Runs) {
        const String Cond = Make(), Value = Make();
        Trues += MatchStrEx(Cond, Value, (Runs & 1) != 0);
        if ((Runs & 1023) == 0 && std::chrono::steady_clock::now() - Start > std::chrono::seconds(20))
            break;
    }
    EXPECT_GT(Trues, 0);
    EXPECT_LT(Trues, Runs);
    EXPECT_EQ(Runs, 300000) << "the run took too long";
}

// The per-call routines keep parsed expressions between calls; a call must still see the
// expression, the case option and the locale it is made with.
TEST_F(Matcher, KeptExpressionsFollowCaseAndLocale)
{
    EXPECT_FALSE(MatchStrEx(L"abc", L"ABC", true));
    EXPECT_TRUE(MatchStrEx(L"abc", L"ABC", false));
    EXPECT_FALSE(MatchStr(L"abc", L"ABC", true));
    EXPECT_TRUE(Matches(L"ABC", L"ABC"));
    EXPECT_FALSE(Matches(L"abc", L"ABC"));

    EXPECT_FALSE(MatchStrEx(L">1,5", L"2", false)) << "1,5 is fifteen";
    const TFilterMatcher Parsed(L">1,5", false);
    FormatSettings.DecimalSeparator = L',';
    FormatSettings.ThousandSeparator = L'.';
    EXPECT_TRUE(MatchStrEx(L">1,5", L"2", false)) << "1,5 is one and a half";
    EXPECT_FALSE(Parsed.Match(L"2")) << "a matcher keeps the locale it was parsed with";
    FormatSettings.DecimalSeparator = L'.';
    FormatSettings.ThousandSeparator = L',';
    EXPECT_FALSE(MatchStrEx(L">1,5", L"2", false));

    EXPECT_FALSE(MatchStrEx(L">1/2/2020", L"3/1/2020", false)) << "3 January";
    FormatSettings.ShortDateFormat = L"MM/dd/yyyy";
    EXPECT_TRUE(MatchStrEx(L">1/2/2020", L"3/1/2020", false)) << "1 March";

    // More expressions than are kept, in turns: each answers for itself.
    for (int Round = 0; Round < 3; ++Round)
        for (int i = 0; i < 20; ++i) {
            const String Cond = L"x" + IntToStr(i) + L"*";
            EXPECT_TRUE(MatchStrEx(Cond, L"X" + IntToStr(i) + L"y", false)) << i;
            EXPECT_FALSE(MatchStrEx(Cond, L"X" + IntToStr(i + 1), false)) << i;
        }
}

TEST_F(Matcher, ParsedMatcher)
{
    const TFilterMatcher Empty;
    EXPECT_TRUE(Empty.Match(L""));
    EXPECT_FALSE(Empty.Match(L"x"));

    TFilterMatcher M(L"*an*|>100", false);
    const TFilterMatcher Copy = M;
    for (const wchar_t* Yes : {L"Anna", L"BANAN", L"150"}) EXPECT_TRUE(M.Match(Yes)) << Utf16ToUtf8(Yes);
    for (const wchar_t* No : {L"7", L"", L"99"}) EXPECT_FALSE(M.Match(No)) << Utf16ToUtf8(No);
    M.Parse(L"per", true);
    EXPECT_TRUE(M.Match(L"per"));
    EXPECT_FALSE(M.Match(L"Per"));
    EXPECT_TRUE(Copy.Match(L"Anna")) << "a copy keeps its own expression";

    M.ParseOperand(L"a|b", false);
    EXPECT_TRUE(M.Match(L"A|B")) << "an operand is not split at its operators";
    EXPECT_FALSE(M.Match(L"a"));
    M.ParseOperand(L"\"\"", false);
    EXPECT_TRUE(M.Match(L""));
}

// Threads matching at the same time, each with more expressions than are kept, get their own
// answers.
TEST_F(Matcher, ThreadsMatchAtTheSameTime)
{
    std::atomic<int> Wrong{0};
    auto Work = [&](int Id) {
        for (int i = 0; i < 20000; ++i) {
            const String Key = IntToStr(Id) + L"." + IntToStr(i % 4);
            const String Cond = L"*x" + Key + L"y*|>" + IntToStr(1000 * Id);
            if (!MatchStrEx(Cond, L"ax" + Key + L"yb", false) ||
                !MatchStrEx(Cond, IntToStr(1000 * Id + 1), false) ||
                MatchStrEx(Cond, IntToStr(1000 * Id - 1), false))
                ++Wrong;
        }
    };
    std::vector<std::thread> Threads;
    for (int Id = 1; Id <= 4; ++Id) Threads.emplace_back(Work, Id);
    Work(5);
    for (auto& t : Threads) t.join();
    EXPECT_EQ(Wrong.load(), 0);
}
