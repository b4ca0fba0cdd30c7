// bench/grids_bench.cpp: the base string grid at 1,000,000 x 10 cells, against lower bounds
// measured in the same run: filling a plain vector of strings, drawing the same visible texts
// with ExtTextOut, and rotating a plain vector of rows.
#include "framework/Forms.h"
#include "framework/WinScope.h"
#include "tests/grid/GridKit.h"

#include "BenchTiming.h"

#include <algorithm>

#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Rows = 1000000;
constexpr int Cols = 10;
constexpr int Width = 800, Height = 600;

String CellText(int C, int R)
{
    return IntToStr(R) + L"." + IntToStr(C);
}

// A memory device context the size of the grid.
struct TMemDC {
    TClientDC Screen{nullptr};
    TCompatibleDC DC{Screen};
    TGdiBitmap Bmp{CreateCompatibleBitmap(Screen, Width, Height)};
    TSelectObject Selected{DC, Bmp};
};

// The texts the grid shows at its current origin, drawn with ExtTextOut at the cells' places.
double PaintBaseline(TStringGrid* G, HDC DC)
{
    std::vector<std::pair<TRect, String>> Visible;
    for (int r = 0; r < G->GetRowCount(); ++r) {
        if (r >= G->GetFixedRows() && r < G->GetTopRow()) { r = G->GetTopRow() - 1; continue; }
        TRect Probe = G->CellRect(0, r);
        if (Probe.IsEmpty()) { if (r >= G->GetTopRow()) break; continue; }
        for (int c = 0; c < G->GetColCount(); ++c) {
            TRect R = G->CellRect(c, r);
            if (!R.IsEmpty()) Visible.emplace_back(R, G->GetCells(c, r));
        }
    }
    return TimeIt([&] {
        for (auto& [R, S] : Visible) {
            RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
            ExtTextOutW(DC, R.Left + 2, R.Top + 2, ETO_CLIPPED | ETO_OPAQUE, &Rc, S.c_str(), UINT(S.size()), nullptr);
        }
        GdiFlush();
    });
}

double PaintGrid(TStringGrid* G, HDC DC)
{
    return TimeIt([&] {
        G->PaintTo(DC, 0, 0);
        GdiFlush();
    });
}

}  // namespace

int main()
{
    Application->Initialize();
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(0, 0, Width + 40, Height + 60);
    TTestableGrid* G = Create<TTestableGrid>(Form);
    G->SetBounds(0, 0, Width, Height);
    G->SetParent(Form);
    G->HandleNeeded();

    // Filling
    std::vector<String> Plain;
    double FillBase = TimeIt([&] {
        Plain.clear();
        Plain.reserve(size_t(Rows) * Cols);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) Plain.push_back(CellText(c, r));
    }, 1);
    Plain.clear();
    Plain.shrink_to_fit();
    double Fill = TimeIt([&] {
        G->SetColCount(Cols);
        G->SetRowCount(Rows);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) G->SetCells(c, r, CellText(c, r));
    }, 1);
    std::printf("fill %d x %d: %.0f ms, %.2fx filling a plain vector of strings (%.0f ms)\n", Rows, Cols, Fill,
                Fill / FillBase, FillBase);

    TMemDC M;
    double PaintBase = PaintBaseline(G, M.DC);
    double Paint = PaintGrid(G, M.DC);
    std::printf("paint one screen: %.2f ms, %.2fx ExtTextOut of the visible texts (%.2f ms)\n", Paint,
                Paint / PaintBase, PaintBase);

    // Scrolling to the end and back, each step painted.
    double Scroll = TimeIt([&] {
        G->SetTopRow(Rows);
        G->PaintTo(M.DC, 0, 0);
        G->SetTopRow(1);
        G->PaintTo(M.DC, 0, 0);
        GdiFlush();
    });
    std::printf("scroll to the end and back (two paints): %.2f ms, %.2fx two baseline paints\n", Scroll,
                Scroll / (2 * PaintBase));

    // The same at 1,000 rows: painting and scrolling must cost the same.
    G->SetRowCount(1000);
    double SmallScroll = TimeIt([&] {
        G->SetTopRow(1000);
        G->PaintTo(M.DC, 0, 0);
        G->SetTopRow(1);
        G->PaintTo(M.DC, 0, 0);
        GdiFlush();
    });
    G->SetRowCount(Rows);
    std::printf("the same with 1,000 rows: %.2f ms (1,000,000 rows cost %.2fx that)\n", SmallScroll,
                Scroll / SmallScroll);

    // Moving the last row to the top.
    std::vector<std::vector<String>> PlainRows(Rows, std::vector<String>(Cols));
    double MoveBase = TimeIt([&] {
        std::rotate(PlainRows.begin() + 1, PlainRows.end() - 1, PlainRows.end());
    });
    PlainRows.clear();
    double Move = TimeIt([&] { G->MoveRow(Rows - 1, 1); });
    std::printf("move the last row to the top: %.2f ms, %.2fx rotating a plain vector of rows (%.2f ms)\n", Move,
                Move / MoveBase, MoveBase);

    Form->Free();
    return 0;
}
