// bench/cellwidgets_bench.cpp: the grid's cell widgets at scale, each against a baseline measured
// in the same run: a check box column on 1,000,000 rows against colouring every cell of the
// column (properties only); 100,000 check box toggles with a linked undo component against
// 100,000 text writes; the sum and average footers over 1,000,000 rows against converting the
// same texts with StrToFloat; and the bytes a check box adds to a coloured cell against the bytes
// the coloured cell takes.
#include "grid/QorGrid.h"
#include "grid/input/FloatingFooter.h"

#include "framework/Forms.h"

#include "BenchTiming.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>

namespace {

constexpr int Rows = 1000000;
constexpr int Toggles = 100000;

TQorStringGrid* NewGrid(int RowCount)
{
    auto* G = Create<TQorStringGrid>(nullptr);
    G->SetColCount(3);
    G->SetRowCount(RowCount);
    return G;
}

SIZE_T CommittedBytes()
{
    PROCESS_MEMORY_COUNTERS M{};
    M.cb = sizeof(M);
    GetProcessMemoryInfo(GetCurrentProcess(), &M, sizeof(M));
    return M.PagefileUsage;
}

void BenchCheckBoxColumn()
{
    TQorStringGrid* Coloured = NewGrid(Rows);
    SIZE_T Before = CommittedBytes();
    const double Colour = TimeIt([&] {
        for (int r = 1; r < Rows; ++r) Coloured->GetCellProperties(1, r)->SetBrushColor(clYellow);
    }, 1);
    const double ColourBytes = double(CommittedBytes() - Before) / (Rows - 1);
    Before = CommittedBytes();
    const double Boxes = TimeIt([&] { Coloured->AddCheckBoxColumn(1, false, false); }, 1);
    const double BoxBytes = double(CommittedBytes() - Before) / (Rows - 1);
    Report("AddCheckBoxColumn, 1,000,000 rows", Boxes, Colour);
    std::printf("%-34s %8.1f B    baseline %8.1f B     %5.2fx (the coloured cell)\n", "bytes a check box adds",
                BoxBytes, ColourBytes, ColourBytes > 0 ? BoxBytes / ColourBytes : 0.0);
    Coloured->Free();
}

void BenchToggles()
{
    TQorStringGrid* G = NewGrid(Toggles + 1);
    TQorGridUndoRedo* U = Create<TQorGridUndoRedo>(nullptr);
    G->SetUndoRedo(U);
    G->AddCheckBoxColumn(1, false, false);
    const double Toggle = TimeIt([&] {
        U->Reset();
        for (int r = 1; r <= Toggles; ++r) G->ToggleCheck(1, r, false);
    });
    if (U->GetChangeCount() != Toggles) std::printf("the toggles were not all registered\n");
    const double Write = TimeIt([&] {
        for (int r = 1; r <= Toggles; ++r) G->SetCellEx(2, r, (r & 1) ? L"Y" : L"N");
    });
    Report("100,000 ToggleCheck with undo", Toggle, Write);
    // Where the time goes: the toggles alone, and the undo log alone (registering the same texts).
    G->SetUndoRedo(nullptr);
    const double Alone = TimeIt([&] {
        for (int r = 1; r <= Toggles; ++r) G->ToggleCheck(1, r, false);
    });
    const double Log = TimeIt([&] {
        U->Reset();
        for (int r = 1; r <= Toggles; ++r) U->RegisterChange(1, r, L"N", L"Y");
    });
    Report("  of which the toggles alone", Alone, Write);
    Report("  of which the undo log alone", Log, Write);
    // The same writes registered in the undo log, as an edit of the cell text is.
    const double WriteUndo = TimeIt([&] {
        U->Reset();
        for (int r = 1; r <= Toggles; ++r) {
            const wchar_t* New = (r & 1) ? L"N" : L"Y";
            U->RegisterChange(2, r, G->GetCellEx(2, r), New);
            G->SetCellEx(2, r, New);
        }
    });
    G->SetUndoRedo(U);
    const double ToggleUndo = TimeIt([&] {
        U->Reset();
        for (int r = 1; r <= Toggles; ++r) G->ToggleCheck(1, r, false);
    });
    Report("ToggleCheck vs SetCellEx, both undone", ToggleUndo, WriteUndo);
    G->Free();
    U->Free();
}

void BenchFooter()
{
    TQorStringGrid* G = NewGrid(Rows + 2);
    for (int r = 1; r <= Rows; ++r) G->SetCellEx(1, r, IntToStr(r % 1000) + L".25");
    G->GetFloatingFooter()->SetVisible(true);
    const int Footer = G->GetRowCount() - 1;
    const double Base = TimeIt([&] {
        double Sum = 0;
        for (int r = 1; r <= Rows; ++r) Sum += double(StrToFloat(G->GetCellEx(1, r)));
        if (Sum <= 0) std::printf("no sum\n");
    });
    for (TColumnCalcType K : {acSUM, acAVG}) {
        G->GetCellProperties(1, Footer)->SetCalcType(K);
        const double T = TimeIt([&] { G->CalcFooter(1); });
        Report(K == acSUM ? "CalcFooter acSUM, 1,000,000 rows" : "CalcFooter acAVG, 1,000,000 rows", T, Base);
    }
    G->Free();
}

}  // namespace

int main()
{
    Application->Initialize();
    BenchCheckBoxColumn();
    BenchToggles();
    BenchFooter();
    return 0;
}
