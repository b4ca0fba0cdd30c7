// bench/grid_autosize_bench.cpp: sizing one column to its contents over 1,000,000 rows
// (AutoSizeCol) against measuring the same texts with GetTextExtentPoint32W in the grid's font in
// the same run (aim: within 2x). Reported: texts that are all different, texts that repeat (a
// column of a few hundred values), and the per-cell path that asks every cell for its look (taken
// by a descendant grid) over 100,000 rows against the same baseline over those rows.
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

// GetTextExtentPoint32W of every text of rows 1 .. RowCount in the grid's font, widest kept.
double MeasureBaseline(TQorStringGrid* G, int RowCount, String (*Text)(int), int& Widest)
{
    std::vector<String> Texts;
    Texts.reserve(size_t(RowCount));
    for (int r = 1; r <= RowCount; ++r) Texts.push_back(Text(r));
    HDC DC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ Old = ::SelectObject(DC, G->GetFont()->GetHandle());
    const double Ms = TimeIt([&] {
        Widest = 0;
        for (const String& T : Texts) {
            SIZE S{};
            ::GetTextExtentPoint32W(DC, T.c_str(), int(T.size()), &S);
            Widest = std::max(Widest, int(S.cx));
        }
    });
    ::SelectObject(DC, Old);
    ::DeleteDC(DC);
    return Ms;
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
        int Widest = 0;
        const double Base = MeasureBaseline(G, Rows, C.Text, Widest);
        const double Ours = TimeIt([&] { G->AutoSizeCol(1); });
        Report(C.Name, Ours, Base);
        std::printf("    width %d, widest extent %d\n", G->GetColWidths(1), Widest);
        G->Free();
    }

    TDerivedGrid* D = NewGrid<TDerivedGrid>(Form, GeneralRows, DistinctText);
    int Widest = 0;
    const double Base = MeasureBaseline(D, GeneralRows, DistinctText, Widest);
    const double Ours = TimeIt([&] { D->AutoSizeCol(1); }, 1);
    std::printf("Per-cell path over %d rows\n", GeneralRows);
    Report("every cell asked vs extent", Ours, Base);
    D->Free();
    Form->Free();
    return 0;
}
