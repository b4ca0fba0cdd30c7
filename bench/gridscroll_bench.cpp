// bench/gridscroll_bench.cpp: the grid's scroll bars and stretching, each figure against the same
// work on the same grid in the same run.
//   - 1,000,000 rows, 1,000 page-downs each followed by a paint: proportional thumbs on (the
//     row heights added up by the axis's running sums) against off (the framework's bar only).
//     A second line changes one row height before every page-down, on against off, so that the
//     sums are updated between every two paints.
//   - 200 resizes of a 20-column grid, each with a paint: Stretch on against off.
#include "grid/QorGrid.h"

#include "framework/Forms.h"

#include "BenchTiming.h"

#include <cstdio>

namespace {

constexpr int Rows = 1000000;
constexpr int Pages = 1000;

double PageDowns(TQorStringGrid* G, bool Proportional, bool ChangeHeights)
{
    G->SetScrollProportional(Proportional);
    G->SetTopRow(G->GetFixedRows());
    UpdateWindow(G->GetHandle());
    return TimeIt([&] {
        G->SetTopRow(G->GetFixedRows());
        for (int i = 0; i < Pages; ++i) {
            if (ChangeHeights) G->SetRowHeights(1 + i, G->GetDefaultRowHeight() + 1 + i % 2);
            SendMessageW(G->GetHandle(), WM_VSCROLL, SB_PAGEDOWN, 0);
            InvalidateRect(G->GetHandle(), nullptr, FALSE);
            UpdateWindow(G->GetHandle());
        }
    }, 1);
}

double Resizes(TQorStringGrid* G, bool Stretch)
{
    G->GetColumnSize()->SetStretch(Stretch);
    return TimeIt([&] {
        for (int i = 0; i < 200; ++i) {
            G->SetWidth(500 + (i % 50) * 6);
            UpdateWindow(G->GetHandle());
        }
    }, 1);
}

} // namespace

int main()
{
    Application->Initialize();
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(0, 0, 900, 600);
    Form->Show();

    auto* G = Create<TQorStringGrid>(Form);
    G->SetParent(Form);
    G->SetBounds(0, 0, 600, 400);
    G->SetColCountEx(6);
    G->SetRowCountEx(Rows);
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 6; ++c) G->SetCells(c, r, IntToStr(r * 10 + c));
    UpdateWindow(G->GetHandle());

    std::printf("%d rows, %d page-downs each with a paint\n", Rows, Pages);
    const double Off = PageDowns(G, false, false);
    const double On = PageDowns(G, true, false);
    const double OnChanging = PageDowns(G, true, true);
    const double OffChanging = PageDowns(G, false, true);
    Report("ScrollProportional on", On, Off);
    Report("on, a height changed every page", OnChanging, OffChanging);

    auto* S = Create<TQorStringGrid>(Form);
    S->SetParent(Form);
    S->SetBounds(0, 0, 500, 400);
    S->SetColCountEx(20);
    S->SetRowCountEx(1000);
    for (int c = 0; c < 20; ++c) S->SetColWidths(c, 20 + c);
    UpdateWindow(S->GetHandle());
    std::printf("\n200 resizes of a 20-column grid, each with a paint\n");
    const double Plain = Resizes(S, false);
    const double Stretched = Resizes(S, true);
    Report("Stretch on", Stretched, Plain);

    Form->Free();
    return 0;
}
