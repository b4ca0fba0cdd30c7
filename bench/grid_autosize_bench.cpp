// bench/grid_autosize_bench.cpp: sizing one column to its contents over 1,000,000 rows
// (AutoSizeCol) against measuring the same texts with GetTextExtentPoint32W in the grid's font in
// the same run (aim: within 2x). Reported: texts that are all different, texts that repeat (a
// column of a few hundred values), cells that each carry a colour of their own, and the per-cell
// path that asks every cell for its look (taken by a descendant grid) over 100,000 rows against
// the same baseline over those rows. The baseline and the sizing take turns, the best of each
// kept, so that a busy machine slows both alike.
#include "grid/QorGrid.h"

#include "framework/Forms.h"

#include "BenchTiming.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int Rows = 1000000;
constexpr int GeneralRows = 100000;

// A descendant: the grid cannot know what its hooks answer, so it measures cell by cell.
class TDerivedGrid : public TQorStringGrid {
public:
    using TQorStringGrid::TQorStringGrid;
};

String DistinctText(int r)
{
    static const wchar_t* Words[] = {L"Bord", L"4♠ N", L"3NT S", L"♥K", L"-420", L"Kontrakt", L"Øst", L"Vest"};
    return String(Words[r % 8]) + L" " + IntToStr(r);
}

String RepeatedText(int r)
{
    return L"Hold " + IntToStr((r * 7919) % 300);
}

template <class TGrid>
TGrid* NewGrid(TForm* Form, int RowCount, String (*Text)(int))
{
    auto* G = Create<TGrid>(Form);
    G->SetBounds(0, 0, 400, 300);
    G->GetFont()->SetName(L"Tahoma");
    G->SetParent(Form);
    G->HandleNeeded();
    G->SetColCount(2);
    G->SetRowCount(RowCount + 1);
    for (int r = 1; r <= RowCount; ++r) G->SetCellEx(1, r, Text(r));
    return G;
}

// Sizes column 1 of G and, taking turns with it, measures every text of rows 1 .. RowCount with
// GetTextExtentPoint32W in the grid's font (the widest kept); reports both and the width.
void Compare(const char* Name, TQorStringGrid* G, int RowCount, String (*Text)(int), int Runs = 3)
{
    std::vector<String> Texts;
    Texts.reserve(size_t(RowCount));
    for (int r = 1; r <= RowCount; ++r) Texts.push_back(Text(r));
    HDC DC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ Old = ::SelectObject(DC, G->GetFont()->GetHandle());
    int Widest = 0;
    double Base = 1e300, Ours = 1e300;
    for (int Round = 0; Round < Runs; ++Round) {
        Base = std::min(Base, TimeIt(
                                  [&] {
                                      Widest = 0;
                                      for (const String& T : Texts) {
                                          SIZE S{};
                                          ::GetTextExtentPoint32W(DC, T.c_str(), int(T.size()), &S);
                                          Widest = std::max(Widest, int(S.cx));
                                      }
                                  },
                                  1));
        Ours = std::min(Ours, TimeIt([&] { G->AutoSizeCol(1); }, 1));
    }
    ::SelectObject(DC, Old);
    ::DeleteDC(DC);
    Report(Name, Ours, Base);
    std::printf("    width %d, widest extent %d\n", G->GetColWidths(1), Widest);
}

}  // namespace

int main()
{
    Application->Initialize();
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(0, 0, 500, 400);
    Form->HandleNeeded();

    struct TCase {
        const char* Name;
        String (*Text)(int);
    };
    const TCase Cases[] = {{"distinct texts vs extent (aim 2x)", DistinctText},
                           {"repeated texts vs extent (aim 2x)", RepeatedText}};
    std::printf("Auto-size of one column over %d rows\n", Rows);
    for (const TCase& C : Cases) {
        TQorStringGrid* G = NewGrid<TQorStringGrid>(Form, Rows, C.Text);
        Compare(C.Name, G, Rows, C.Text);
        G->Free();
    }

    std::printf("Over %d rows\n", GeneralRows);
    // Cells with a record of their own that leaves their width alone.
    TQorStringGrid* P = NewGrid<TQorStringGrid>(Form, GeneralRows, DistinctText);
    for (int r = 1; r <= GeneralRows; ++r) P->SetColors(1, r, r % 2 ? clYellow : clAqua);
    Compare("coloured cells vs extent", P, GeneralRows, DistinctText);
    P->Free();
    TDerivedGrid* D = NewGrid<TDerivedGrid>(Form, GeneralRows, DistinctText);
    Compare("every cell asked vs extent", D, GeneralRows, DistinctText, 2);
    D->Free();
    Form->Free();
    return 0;
}
