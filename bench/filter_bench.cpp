// bench/filter_bench.cpp: the filter-expression matcher over 1,000,000 short cell texts, each
// condition against a raw scan with the same predicate written by hand, in the same run:
//
//   *an* (no case)        MatchStrEx / TFilterMatcher  vs  upper-case the text, find "AN"
//   =abc (no case)        MatchStrEx / TFilterMatcher  vs  same length and upper-cased equal
//   >100 on numbers       MatchStrEx / TFilterMatcher  vs  TryStrToFloat and compare
//   >500&<1000 (numbers)  MatchStrEx / TFilterMatcher  vs  TryStrToFloat and compare twice
//   *a*e*r* (no case)     MatchStrEx / TFilterMatcher  vs  upper-case, find A, then E, then R
//   two columns, AND      *an* on one, >100 on other   vs  both raw predicates
//
// MatchStrEx takes the condition text per call (its per-thread cache finds the parsed form);
// TFilterMatcher is parsed once before the loop. Each raw predicate upper-cases through the same
// case table as the matcher, into a stack buffer. Every pair is checked to count the same rows.
#include "graphics/QorFilter.h"

#include "BenchFold.h"
#include "BenchTiming.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <string_view>
#include <vector>

namespace {

constexpr int N = 1000000;

volatile size_t Sink;
int Failures = 0;

bool RawContainsAN(const String& t)
{
    Char Buf[256];
    return Folded(t, Buf).find(L"AN") != std::wstring_view::npos;
}

bool RawEqualsABC(const String& t)
{
    if (t.size() != 3) return false;
    Char Buf[256];
    return Folded(t, Buf) == L"ABC";
}

bool RawAbove100(const String& t)
{
    double v;
    return TryStrToFloat(t, v) && v > 100;
}

bool RawBetween500And1000(const String& t)
{
    double v;
    return TryStrToFloat(t, v) && v > 500 && v < 1000;
}

bool RawAER(const String& t)
{
    Char Buf[256];
    const std::wstring_view v = Folded(t, Buf);
    size_t p = v.find(L'A');
    if (p == std::wstring_view::npos) return false;
    p = v.find(L'E', p + 1);
    return p != std::wstring_view::npos && v.find(L'R', p + 1) != std::wstring_view::npos;
}

// Times Raw and Ours (each returning a row count) and prints Ours as a ratio to Raw.
template <class FRaw, class FOurs>
void Compare(const char* What, FRaw&& Raw, FOurs&& Ours)
{
    size_t RawCount = 0, OurCount = 0;
    const double Base = TimeIt([&] { Sink = RawCount = Raw(); });
    const double Time = TimeIt([&] { Sink = OurCount = Ours(); });
    Report(What, Time, Base);
    if (RawCount != OurCount) {
        std::printf("  COUNTS DIFFER: raw %zu, matcher %zu\n", RawCount, OurCount);
        ++Failures;
    }
}

template <class Pred>
size_t CountRows(const std::vector<String>& Col, Pred&& P)
{
    size_t n = 0;
    for (const String& t : Col) n += P(t);
    return n;
}

void OneColumn(const char* Name, const std::vector<String>& Col, const String& Cond,
               bool (*Raw)(const String&))
{
    char Label[64];
    std::snprintf(Label, sizeof Label, "%s MatchStrEx", Name);
    Compare(
        Label, [&] { return CountRows(Col, Raw); },
        [&] { return CountRows(Col, [&](const String& t) { return QorUtil::MatchStrEx(Cond, t, false); }); });
    const QorUtil::TFilterMatcher M(Cond, false);
    std::snprintf(Label, sizeof Label, "%s TFilterMatcher", Name);
    Compare(
        Label, [&] { return CountRows(Col, Raw); },
        [&] { return CountRows(Col, [&](const String& t) { return M.Match(t); }); });
}

}  // namespace

int main()
{
    FormatSettings = TFormatSettings::Invariant();

    // Two columns a grid would hold: short names and words, and numbers.
    const auto& Words = BenchWords;
    std::mt19937 Rng(42);
    std::uniform_int_distribution<int> PickWord(0, int(std::size(Words)) - 1), Num(0, 2000);
    std::vector<String> Names, Numbers;
    Names.reserve(N);
    Numbers.reserve(N);
    for (int i = 0; i < N; ++i) {
        String s = Words[PickWord(Rng)];
        if (i % 3 == 1) s += L" " + std::to_wstring(Num(Rng));
        Names.push_back(s);
        Numbers.push_back(i % 4 == 3 ? std::to_wstring(Num(Rng)) + L".5" : std::to_wstring(Num(Rng)));
    }

    OneColumn("*an*      ", Names, L"*an*", RawContainsAN);
    OneColumn("=abc      ", Names, L"=abc", RawEqualsABC);
    OneColumn(">100      ", Numbers, L">100", RawAbove100);
    OneColumn(">500&<1000", Numbers, L">500&<1000", RawBetween500And1000);
    OneColumn("*a*e*r*   ", Names, L"*a*e*r*", RawAER);

    // Two filtered columns: a row stays when both conditions hold.
    const String CondA = L"*an*", CondB = L">100";
    auto RawBoth = [&] {
        size_t n = 0;
        for (int i = 0; i < N; ++i) n += RawContainsAN(Names[i]) && RawAbove100(Numbers[i]);
        return n;
    };
    Compare("AND 2 columns MatchStrEx", RawBoth, [&] {
        size_t n = 0;
        for (int i = 0; i < N; ++i)
            n += QorUtil::MatchStrEx(CondA, Names[i], false) && QorUtil::MatchStrEx(CondB, Numbers[i], false);
        return n;
    });
    const QorUtil::TFilterMatcher MA(CondA, false), MB(CondB, false);
    Compare("AND 2 columns TFilterMatcher", RawBoth, [&] {
        size_t n = 0;
        for (int i = 0; i < N; ++i) n += MA.Match(Names[i]) && MB.Match(Numbers[i]);
        return n;
    });
    return Failures == 0 ? 0 : 1;
}
