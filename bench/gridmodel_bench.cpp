// bench/gridmodel_bench.cpp: the grid's row index systems at 1,000,000, 300,000 and 100,000 rows of five
// columns, each figure against the same work on a plain vector of rows in the same run: hiding
// every other row (one filter level) and showing them all again, inserting and removing 1,000 rows
// in the middle, moving the last row to the top, and mapping every shown row display -> real ->
// display with half the rows hidden. The three sizes side by side show that nothing grows faster
// than the row count.
#include "grid/QorGrid.h"

#include "framework/Forms.h"

#include "BenchTiming.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Cols = 5;

using TPlainRow = std::vector<String>;

String CellText(int C, int R)
{
    return IntToStr(R) + L"." + IntToStr(C);
}

void Bench(int Rows)
{
    std::printf("---- %d rows ----\n", Rows);
    TQorStringGrid* G = Create<TQorStringGrid>(nullptr);
    G->SetColCountEx(Cols);
    G->SetRowCountEx(Rows);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) G->SetCells(c, r, CellText(c, r));
    auto Plain = std::vector<TPlainRow>(size_t(Rows), TPlainRow(Cols));
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) Plain[size_t(r)][size_t(c)] = CellText(c, r);

    // Hiding every other row: the grid's filter level against moving every other row out of a
    // vector into a store of its own (with its index) and closing the gaps.
    TFreePtr<TIntList> Odd(Create<TIntList>(0, 0));
    for (int r = 1; r < Rows; r += 2) Odd->Add(r);
    const double Hide = TimeIt([&] { G->HideRowList(Odd.get()); }, 1);
    std::vector<std::pair<int, TPlainRow>> Store;
    const double HideBase = TimeIt([&] {
        size_t t = 0;
        for (size_t r = 0; r < Plain.size(); ++r) {
            if (r % 2) Store.emplace_back(int(r), std::move(Plain[r]));
            else Plain[t++].swap(Plain[r]);
        }
        Plain.resize(t);
    }, 1);
    Report("hide every other row", Hide, HideBase);

    // Mapping every shown row display -> real -> display, against an index vector and its inverse.
    std::vector<int> RealOf(Plain.size()), DisplOf(size_t(Rows), -1);
    for (size_t d = 0; d < Plain.size(); ++d) {
        RealOf[d] = int(d) * 2;
        DisplOf[size_t(d) * 2] = int(d);
    }
    long long Sum = 0;
    const double Map = TimeIt([&] {
        for (int d = 0; d < G->GetRowCount(); ++d) Sum += G->RemapRow(G->RemapRowInv(d));
    });
    const double MapBase = TimeIt([&] {
        for (size_t d = 0; d < RealOf.size(); ++d) Sum += DisplOf[size_t(RealOf[d])];
    });
    Report("remap all rows both ways", Map, MapBase);

    const double Show = TimeIt([&] { G->UnHideRowsAll(); }, 1);
    const double ShowBase = TimeIt([&] {
        auto All = std::vector<TPlainRow>(size_t(Rows));
        for (auto& [Idx, Row] : Store) All[size_t(Idx)] = std::move(Row);
        for (size_t d = 0; d < Plain.size(); ++d) All[d * 2] = std::move(Plain[d]);
        Plain.swap(All);
        Store.clear();
    }, 1);
    Report("unhide all rows", Show, ShowBase);

    const int Mid = Rows / 2;
    const double Ins = TimeIt([&] { G->InsertRows(Mid, 1000); }, 1);
    const double InsBase = TimeIt([&] { Plain.insert(Plain.begin() + Mid, 1000, TPlainRow(Cols)); }, 1);
    Report("insert 1,000 rows in the middle", Ins, InsBase);
    const double Rem = TimeIt([&] { G->RemoveRows(Mid, 1000); }, 1);
    const double RemBase = TimeIt([&] { Plain.erase(Plain.begin() + Mid, Plain.begin() + Mid + 1000); }, 1);
    Report("remove 1,000 rows in the middle", Rem, RemBase);

    const double Move = TimeIt([&] { G->MoveRow(Rows - 1, G->GetFixedRows()); }, 1);
    const double MoveBase = TimeIt([&] { std::rotate(Plain.begin() + 1, Plain.end() - 1, Plain.end()); }, 1);
    Report("move the last row to the top", Move, MoveBase);

    // What fresh memory costs at this size: two blocks of one int per row, allocated and filled,
    // against filling blocks already in hand. The grid's structural operations need blocks of
    // this size (heights, side lists, positions); where this ratio jumps between two sizes, so
    // do they, with no more work per row.
    std::vector<int> Held1(static_cast<size_t>(Rows)), Held2(static_cast<size_t>(Rows));
    const double Fresh = TimeIt([&] {
        std::vector<int> A(static_cast<size_t>(Rows)), B(static_cast<size_t>(Rows));
        for (int r = 0; r < Rows; ++r) A[size_t(r)] = B[size_t(r)] = r;
        Sum += A.back() + B.front();
    });
    const double Reused = TimeIt([&] {
        for (int r = 0; r < Rows; ++r) Held1[size_t(r)] = Held2[size_t(r)] = r;
        Sum += Held1.back() + Held2.front();
    });
    Report("two fresh blocks of an int a row", Fresh, Reused);

    if (G->GetCells(0, 1) != CellText(0, Rows - 1) || Sum == 0) std::printf("unexpected grid content\n");
    G->Free();
}

}  // namespace

int main()
{
    Application->Initialize();
    Bench(1000000);
    Bench(300000);
    Bench(100000);
    return 0;
}
