// bench/qorgrid_bench.cpp: the grid class's own cost, against creating and freeing as many of the
// framework's plain string grids in the same run: 1,000 default grids created and freed one after
// the other (every option object, list, panel and editor each grid owns), and a 1,000,000-row
// grid's RowCount set and cleared again (the per-row lists the grid keeps in step). The plain
// grid's own row count set and cleared is printed beside it for scale. An argument sets the
// number of grids.
#include "grid/QorGrid.h"

#include "framework/Forms.h"

#include "BenchTiming.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <type_traits>

namespace {

int Grids = 1000;
constexpr int Rows = 1000000;

// One grid after the other, each freed before the next is made.
template <class TGrid>
void CreateAndFree(TForm* Form)
{
    for (int i = 0; i < Grids; ++i) Create<TGrid>(Form)->Free();
}

// A new grid's rows set to 1,000,000 and back to its starting 10 (a new grid each round, since a
// grid keeps what its largest count made); the best of three rounds.
template <class TGrid>
double RowCountSetAndCleared(TForm* Form)
{
    double Best = 1e300;
    for (int Round = 0; Round < 3; ++Round) {
        TGrid* G = Create<TGrid>(Form);
        Best = std::min(Best, TimeIt(
                                  [&] {
                                      if constexpr (std::is_same_v<TGrid, TQorStringGrid>) {
                                          G->SetRowCountEx(Rows);
                                          G->SetRowCountEx(10);
                                      } else {
                                          G->SetRowCount(Rows);
                                          G->SetRowCount(10);
                                      }
                                  },
                                  1));
        if (G->GetRowCount() != 10) std::printf("the row count did not come back\n");
        G->Free();
    }
    return Best;
}

}  // namespace

int main(int argc, char** argv)
{
    Application->Initialize();
    if (argc > 1) Grids = std::atoi(argv[1]);
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(0, 0, 840, 660);

    // The unit's start-up and the first grid's one-time work stay out of the figures.
    Create<TQorStringGrid>(Form)->Free();
    Create<TStringGrid>(Form)->Free();

    const double Base = TimeIt([&] { CreateAndFree<TStringGrid>(Form); });
    std::printf("baseline: %d framework string grids created and freed\n\n", Grids);
    // One round: a thousand grids take long enough that the best of three adds nothing.
    Report("default grids created, freed", TimeIt([&] { CreateAndFree<TQorStringGrid>(Form); }, 1), Base);
    if (TQorStringGrid::LiveCount() != 0) std::printf("grids left alive: %d\n", TQorStringGrid::LiveCount());
    Report("1,000,000 rows set and cleared", RowCountSetAndCleared<TQorStringGrid>(Form), Base);
    Report("  framework grid, the same rows", RowCountSetAndCleared<TStringGrid>(Form), Base);

    Form->Free();
    return 0;
}
