// bench/grid_filter_bench.cpp: filtering a grid of 1,000,000 rows, each figure against a raw scan
// of the same grid cells with the same predicate written by hand, in the same run:
//
//   "*an*" without case on one column   vs  upper-case each text, find "AN"
//   "*an*" AND ">100" on two columns    vs  both raw predicates
//   narrow-down typing "a", "an", "ana" vs  three raw scans, each over the rows the one before kept
//
// The grid's figures include taking the failing rows out of view (the filter level). Between
// timed runs the filter is dropped again, untimed. Every pair is checked to keep the same rows.
#include "grid/QorGrid.h"

#include "graphics/QorFilter.h"
#include "grid/sortfilter/QorFilterData.h"

#include "BenchFold.h"
#include "BenchTiming.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string_view>
#include <vector>

namespace {

constexpr int Rows = 1000000;

volatile size_t Sink;
int Failures = 0;

bool RawContains(const String& t, std::wstring_view Upper)
{
    Char Buf[256];
    return Folded(t, Buf).find(Upper) != std::wstring_view::npos;
}

bool RawAbove100(const String& t)
{
    double v;
    return TryStrToFloat(t, v) && v > 100;
}

double Ms(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// The best of three: Work timed, Reset after it untimed.
template <class FWork, class FReset>
double TimeGrid(FWork&& Work, FReset&& Reset)
{
    double Best = 1e300;
    for (int Round = 0; Round < 3; ++Round) {
        const auto t0 = std::chrono::steady_clock::now();
        Work();
        Best = std::min(Best, Ms(t0));
        Reset();
    }
    return Best;
}

void Check(const char* What, size_t Raw, size_t Grid)
{
    if (Raw == Grid) return;
    std::printf("  %s: ROWS DIFFER: raw %zu, grid %zu\n", What, Raw, Grid);
    ++Failures;
}

}  // namespace

int main()
{
    FormatSettings = TFormatSettings::Invariant();
    const auto& Words = BenchWords;
    std::mt19937 Rng(42);
    std::uniform_int_distribution<int> PickWord(0, int(std::size(Words)) - 1), Num(0, 2000);
    TQorStringGrid* G = Create<TQorStringGrid>(nullptr);
    G->SetColCountEx(3);
    G->SetRowCountEx(Rows + 1);
    for (int r = 1; r <= Rows; ++r) {
        String s = Words[PickWord(Rng)];
        if (r % 3 == 1) s += L" " + std::to_wstring(Num(Rng));
        G->SetCells(1, r, std::move(s));
        G->SetCells(2, r, r % 4 == 3 ? std::to_wstring(Num(Rng)) + L".5" : std::to_wstring(Num(Rng)));
    }
    TFilter* F = G->GetFilter();
    auto Kept = [&] { return size_t(G->GetRowCount() - G->GetFixedRows()); };
    auto Drop = [&] {
        G->SetFilterActive(false);
        G->RemoveAllFilters();
    };
    auto RawScan = [&](auto&& Pred) {
        size_t n = 0;
        for (int r = 1; r <= Rows; ++r) n += Pred(r);
        return n;
    };
    std::printf("---- %d rows ----\n", Rows);

    // One column.
    size_t RawN = 0, GridN = 0;
    double Base = TimeIt([&] { Sink = RawN = RawScan([&](int r) { return RawContains(G->GetCells(1, r), L"AN"); }); });
    double Time = TimeGrid(
        [&] {
            TFilterData* D = F->Add();
            D->SetColumn(1);
            D->SetCondition(L"*an*");
            D->SetCaseSensitive(false);
            G->SetFilterActive(true);
            Sink = GridN = Kept();
        },
        Drop);
    Report("filter *an* one column", Time, Base);
    Check("one column", RawN, GridN);

    // Two columns, both conditions (short-circuit, as the raw &&).
    Base = TimeIt([&] {
        Sink = RawN = RawScan([&](int r) { return RawContains(G->GetCells(1, r), L"AN") && RawAbove100(G->GetCells(2, r)); });
    });
    Time = TimeGrid(
        [&] {
            TFilterData* A = F->Insert(0);
            A->SetColumn(1);
            A->SetCondition(L"*an*");
            A->SetCaseSensitive(false);
            TFilterData* B = F->Insert(1);
            B->SetColumn(2);
            B->SetCondition(L">100");
            G->SetFilterActive(true);
            Sink = GridN = Kept();
        },
        Drop);
    Report("filter AND two columns", Time, Base);
    Check("two columns", RawN, GridN);

    // Narrow-down, three characters typed one at a time.
    Base = TimeIt([&] {
        std::vector<int> Left;
        for (int r = 1; r <= Rows; ++r)
            if (RawContains(G->GetCells(1, r), L"A")) Left.push_back(r);
        for (std::wstring_view Step : {std::wstring_view(L"AN"), std::wstring_view(L"ANA")}) {
            std::vector<int> Next;
            for (int r : Left)
                if (RawContains(G->GetCells(1, r), Step)) Next.push_back(r);
            Left.swap(Next);
        }
        Sink = RawN = Left.size();
    });
    Time = TimeGrid(
        [&] {
            for (const wchar_t* Typed : {L"a", L"an", L"ana"}) G->NarrowDown(Typed, 1);
            Sink = GridN = Kept();
        },
        [&] { G->NarrowDown(L"", 1); });
    Report("narrow-down a, an, ana", Time, Base);
    Check("narrow-down", RawN, GridN);
    if (size_t(G->GetRowCount() - 1) != size_t(Rows)) {
        std::printf("  ROWS LOST: %d\n", G->GetRowCount() - 1);
        ++Failures;
    }
    G->Free();
    return Failures == 0 ? 0 : 1;
}
