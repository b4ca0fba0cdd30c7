// bench/gridsort_bench.cpp: sorting a grid of 1,000,000 rows of short strings, each figure against
// a lower bound measured in the same run on plain vectors of the same texts (the sort keys computed
// once per row, then std::sort of a row index on them):
//   - alphabetic with the locale's collation, against its keys (LCMapStringW sort keys), and the
//     same sort calling CompareStringW in every comparison, against the grid's sort;
//   - alphabetic by code units, against std::sort of an index on the texts;
//   - numeric (detected), against parsing every text once and std::sort of an index on the values;
//   - a two-column index sort (ascending, descending), against both columns' keys and one sort.
// Every grid sort starts from the same unsorted order (QUnSort between runs, not timed).
#include "grid/QorGrid.h"

#include "framework/Forms.h"

#include "BenchTiming.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int Rows = 1000000;

String ShortText(std::mt19937& R)
{
    String S;
    const int n = 3 + int(R() % 6);
    for (int i = 0; i < n; ++i) S += wchar_t((R() % 4 == 0 ? L'A' : L'a') + R() % 26);
    return S;
}

std::string LocaleKey(const String& S)
{
    std::string K;
    const int n = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, S.data(), int(S.size()), nullptr, 0);
    if (n <= 0) return K;
    K.resize(size_t(n));
    LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, S.data(), int(S.size()), reinterpret_cast<LPWSTR>(K.data()), n);
    return K;
}

double Ms(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// The best of three grid sorts, each from the order before sorting.
template <class F>
double TimeSort(TQorStringGrid* G, F&& Sort)
{
    double Best = 1e300;
    for (int Round = 0; Round < 3; ++Round) {
        G->QUnSort();
        const auto t0 = std::chrono::steady_clock::now();
        Sort();
        Best = std::min(Best, Ms(t0));
    }
    return Best;
}

std::vector<int> Index()
{
    std::vector<int> Idx(static_cast<size_t>(Rows));
    std::iota(Idx.begin(), Idx.end(), 0);
    return Idx;
}

}  // namespace

int main()
{
    std::mt19937 Rng(1211);
    std::vector<String> A(static_cast<size_t>(Rows)), B(A), N(A);
    for (int i = 0; i < Rows; ++i) {
        A[size_t(i)] = ShortText(Rng);
        B[size_t(i)] = ShortText(Rng);
        N[size_t(i)] = IntToStr(int(Rng() % 100000)) + L"." + IntToStr(int(Rng() % 100));
    }
    TQorStringGrid* G = Create<TQorStringGrid>(nullptr);
    G->SetColCountEx(4);
    G->SetRowCountEx(Rows + 1);
    for (int i = 0; i < Rows; ++i) {
        G->SetCells(1, i + 1, String(A[size_t(i)]));
        G->SetCells(2, i + 1, String(B[size_t(i)]));
        G->SetCells(3, i + 1, String(N[size_t(i)]));
    }
    TSortSettings* SS = G->GetSortSettings();
    std::printf("---- %d rows of short strings ----\n", Rows);

    // Locale collation.
    const double LocaleBase = TimeIt([&] {
        std::vector<std::string> K(A.size());
        for (size_t i = 0; i < A.size(); ++i) K[i] = LocaleKey(A[i]);
        std::vector<int> Idx = Index();
        std::sort(Idx.begin(), Idx.end(), [&](int a, int b) { return K[size_t(a)] < K[size_t(b)]; });
    });
    SS->SetAutoFormat(false);
    SS->SetDefaultFormat(ssAnsiAlphaCase);
    const double Locale = TimeSort(G, [&] { G->Sort(1, sdAscending); });
    Report("alphabetic, locale collation", Locale, LocaleBase);
    const double PerCompare = TimeIt([&] {
        std::vector<int> Idx = Index();
        std::sort(Idx.begin(), Idx.end(), [&](int a, int b) {
            const String& x = A[size_t(a)];
            const String& y = A[size_t(b)];
            return CompareStringW(LOCALE_USER_DEFAULT, 0, x.data(), int(x.size()), y.data(), int(y.size())) ==
                   CSTR_LESS_THAN;
        });
    }, 1);
    Report("CompareStringW per comparison", PerCompare, LocaleBase);
    std::printf("%-34s %8.2fx faster than CompareStringW per comparison\n", "alphabetic, locale collation",
                PerCompare / Locale);

    // Code-unit order.
    SS->SetDefaultFormat(ssAlphabetic);
    const double OrdinalBase = TimeIt([&] {
        std::vector<int> Idx = Index();
        std::sort(Idx.begin(), Idx.end(), [&](int a, int b) { return A[size_t(a)] < A[size_t(b)]; });
    });
    const double Ordinal = TimeSort(G, [&] { G->Sort(1, sdAscending); });
    Report("alphabetic, code units", Ordinal, OrdinalBase);

    // Numbers, detected per cell.
    SS->SetAutoFormat(true);
    const double NumericBase = TimeIt([&] {
        std::vector<double> K(N.size());
        for (size_t i = 0; i < N.size(); ++i) K[i] = StrToFloat(N[i], TFormatSettings::Invariant());
        std::vector<int> Idx = Index();
        std::sort(Idx.begin(), Idx.end(), [&](int a, int b) { return K[size_t(a)] < K[size_t(b)]; });
    });
    const double Numeric = TimeSort(G, [&] { G->Sort(3, sdAscending); });
    Report("numeric (detected)", Numeric, NumericBase);

    // Two columns: the first ascending, the second descending.
    const double IndexBase = TimeIt([&] {
        std::vector<String> K1(A), K2(B);
        std::vector<int> Idx = Index();
        std::sort(Idx.begin(), Idx.end(), [&](int a, int b) {
            const int c = K1[size_t(a)].compare(K1[size_t(b)]);
            return c != 0 ? c < 0 : K2[size_t(b)] < K2[size_t(a)];
        });
    });
    G->GetSortIndexes()->Clear();
    G->GetSortIndexes()->AddIndex(1, true);
    G->GetSortIndexes()->AddIndex(2, false);
    const double Indexed = TimeSort(G, [&] { G->QSortIndexed(); });
    Report("two-column index sort", Indexed, IndexBase);
    std::printf("last sort: %lld comparisons, %lld row swaps\n", (long long)G->GetCompares(),
                (long long)G->GetSwaps());
    G->Free();
    return 0;
}
