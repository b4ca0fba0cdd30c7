// bench/grid_find_bench.cpp: the grid's find-all over 1,000,000 rows of short names, each figure
// against a raw scan in the same run that reads the same cells straight from the grid's store and
// tests them with the same predicate written by hand (upper-cased through the same case table):
//
//   "an" anywhere, no case, one column    FindAll (preset column)      vs  fold, find "AN"
//   "*an*" expression, no case, one column FindAll with fnMatchRegular vs  fold, find "AN"
//   "abc" whole cell, no case, one column FindAll with fnMatchFull     vs  same length, fold, equal
//   "an" anywhere, no case, two columns   FindAll over the grid        vs  both columns folded
//
// Every pair is checked to count the same cells.
#include "grid/QorGrid.h"

#include "graphics/QorUtilText.h"

#include "BenchFold.h"
#include "BenchTiming.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <string_view>
#include <vector>

namespace {

constexpr int Rows = 1000000;

volatile int Sink;
int Failures = 0;

bool RawContainsAN(const String& t)
{
    Char Buf[256];
    return Folded(t, Buf).find(L"AN") != std::wstring_view::npos;
}

bool RawEqualsABC(const String& t)
{
    Char Buf[256];
    return t.size() == 3 && Folded(t, Buf) == L"ABC";
}

template <class FRaw, class FOurs>
void Compare(const char* What, FRaw&& Raw, FOurs&& Ours)
{
    int RawCount = 0, OurCount = 0;
    const double Base = TimeIt([&] { Sink = RawCount = Raw(); });
    const double Time = TimeIt([&] { Sink = OurCount = Ours(); });
    Report(What, Time, Base);
    if (RawCount != OurCount) {
        std::printf("  COUNTS DIFFER: raw %d, find all %d\n", RawCount, OurCount);
        ++Failures;
    }
}

}  // namespace

int main()
{
    const wchar_t* Words[] = {L"Anna",   L"Hansen", L"Jensen", L"abc",   L"ABC", L"Peter", L"Karen",  L"Frank",
                              L"Møller", L"Banan",  L"Ærø",    L"Larsen", L"Rasmus", L"Ane", L"Per", L"Andreas"};
    std::mt19937 Rng(1211);
    TQorStringGrid* G = Create<TQorStringGrid>(nullptr);
    G->SetColCountEx(3);
    G->SetRowCountEx(Rows + 1);
    for (int r = 1; r <= Rows; ++r)
        for (int c = 1; c <= 2; ++c) G->SetCells(c, r, String(Words[Rng() % std::size(Words)]));
    std::printf("---- find all over %d rows ----\n", Rows);

    const auto RawColumn = [&](int Col, bool (*Pred)(const String&)) {
        int n = 0;
        for (int r = 1; r <= Rows; ++r) n += Pred(G->GetGridCell(Col, r));
        return n;
    };
    const auto FindAllCount = [&](const String& s, TFindParams P) {
        int n = 0;
        G->FindAll(s, P, n);
        return n;
    };
    G->SetFindCol(1);
    const TFindParams OneColumn{fnFindInPresetCol};
    Compare(
        "an, one column", [&] { return RawColumn(1, RawContainsAN); },
        [&] { return FindAllCount(L"an", OneColumn); });
    Compare(
        "*an* expression, one column", [&] { return RawColumn(1, RawContainsAN); },
        [&] { return FindAllCount(L"*an*", OneColumn + TFindParams{fnMatchRegular}); });
    Compare(
        "abc whole cell, one column", [&] { return RawColumn(1, RawEqualsABC); },
        [&] { return FindAllCount(L"abc", OneColumn + TFindParams{fnMatchFull}); });
    Compare(
        "an, two columns", [&] { return RawColumn(1, RawContainsAN) + RawColumn(2, RawContainsAN); },
        [&] { return FindAllCount(L"an", {}); });
    G->Free();
    return Failures == 0 ? 0 : 1;
}
