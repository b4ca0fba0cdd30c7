// bench/gridgroup_bench.cpp: grouping 1,000,000 rows of short strings by one column (26 group
// values, three columns), against a lower bound measured in the same run: a locale sort key per
// row (LCMapStringW) and std::sort of a row index by those keys. Grouping includes the grid's sort
// when AutoSortForGrouping is on (the grid sorts with the sort settings of its sorting area); the
// second figure groups rows that come sorted already, with the sort switched off, so that the
// grouping pass itself shows. Ungrouping is timed against the same lower bound.
#include "grid/QorGrid.h"

#include "BenchTiming.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int Rows = 1000000;
constexpr int Cols = 3;

// Short strings: a group value of two letters, a name, a number.
std::vector<String> GroupValues(bool Sorted)
{
    std::mt19937 Rng(42);
    std::vector<String> V(static_cast<size_t>(Rows));
    for (auto& s : V) {
        const wchar_t c = wchar_t(L'a' + Rng() % 26);
        s = String(1, c) + String(1, c);
    }
    if (Sorted) std::sort(V.begin(), V.end());
    return V;
}

TQorStringGrid* MakeGrid(const std::vector<String>& Values)
{
    TQorStringGrid* G = Create<TQorStringGrid>(nullptr);
    G->SetColCountEx(Cols + 1);
    G->SetRowCountEx(Rows + 1);
    for (int r = 1; r <= Rows; ++r) {
        G->SetCells(1, r, L"n" + IntToStr(r % 9973));
        G->SetCells(2, r, Values[size_t(r - 1)]);
        G->SetCells(3, r, IntToStr(r));
    }
    return G;
}

// The lower bound: one sort key per row, then an index sort by the keys (best of three runs).
double LowerBound(const std::vector<String>& Values)
{
    return TimeIt([&] {
        std::vector<std::string> Keys(Values.size());
        for (size_t i = 0; i < Values.size(); ++i) {
            const String& s = Values[i];
            const int n = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, s.c_str(), int(s.size()), nullptr, 0);
            Keys[i].resize(size_t(n));
            LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, s.c_str(), int(s.size()),
                         reinterpret_cast<LPWSTR>(Keys[i].data()), n);
        }
        std::vector<int> Idx(Values.size());
        std::iota(Idx.begin(), Idx.end(), 0);
        std::stable_sort(Idx.begin(), Idx.end(), [&](int a, int b) { return Keys[size_t(a)] < Keys[size_t(b)]; });
    });
}

}  // namespace

int main()
{
    std::printf("---- grouping %d rows of short strings ----\n", Rows);
    const std::vector<String> Random = GroupValues(false);
    const std::vector<String> Sorted = GroupValues(true);
    const double Base = LowerBound(Random);

    {
        TQorStringGrid* G = MakeGrid(Random);
        const double t = TimeIt([&] { G->Group(2); }, 1);
        Report("group (with the grid's sort)", t, Base);
        const double u = TimeIt([&] { G->UnGroup(); }, 1);
        Report("ungroup", u, Base);
        G->Free();
    }
    {
        TQorStringGrid* G = MakeGrid(Sorted);
        G->GetSortSettings()->SetAutoSortForGrouping(false);
        const double t = TimeIt([&] { G->Group(2); }, 1);
        Report("group presorted rows (no sort)", t, Base);
        G->Free();
    }
    return 0;
}
