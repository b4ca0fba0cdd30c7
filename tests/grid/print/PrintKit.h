// Printing tests' kit: a grid on a form, a printer object over pages in memory, preview pages
// drawn into bitmaps, and a log of what the layout told its events (pages begun, cells drawn,
// page numbers).
#pragma once

#include "tests/grid/QorGridKit.h"
#include "tests/support/TestPrinters.h"
#include "tests/support/UiHarness.h"

#include "framework/Printers.h"
#include "framework/WinScope.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace printkit {

// A4 at 96 dots per inch: the preview page and the memory printer's page.
constexpr int PageW = 794, PageH = 1123;

// What the events of one or more layout runs reported.
struct TPrintLog {
    std::vector<int> PagesBegun;                       // OnPrintPage page numbers
    std::vector<String> PageNumbers;                   // OnPrintGetPageNum texts
    std::vector<std::tuple<int, int, int>> Cells;      // OnCustomCellDraw: page, real column, row
    int Done = 0;                                      // OnPrintDone
    int CurrentPage = 0;
};

struct PrintGrid : testing::Test {
    TForm* Form = ui::NewForm(400, 300);
    ui::FormGuard Guard{Form};
    TTestableQorGrid* G = nullptr;
    TPagePrinterDevice* Device = nullptr;   // owned by the process's printer object
    TPrintLog Log;

    PrintGrid()
    {
        Device = new TPagePrinterDevice(PageW, PageH);
        SetPrinterObject(new TPrinter(std::unique_ptr<TPrinterDevice>(Device)));
        G = Create<TTestableQorGrid>(Form);
        G->SetBounds(0, 0, 380, 280);
        G->SetParent(Form);
        G->HandleNeeded();
        G->GetFont()->SetName(L"Arial");
        G->GetFont()->SetSize(9);
        TPrintSettings* PS = G->GetPrintSettings();
        PS->GetFont()->SetName(L"Arial");
        PS->GetFont()->SetSize(10);
        G->OnPrintPage = [this](TObject*, TCanvas*, int Page, int, int) {
            Log.PagesBegun.push_back(Page);
            Log.CurrentPage = Page;
        };
        G->OnPrintGetPageNum = [this](TObject*, int, int, String& s) { Log.PageNumbers.push_back(s); };
        // Printed cells only: the grid's own painting on screen calls the event too.
        G->OnCustomCellDraw = [this](TObject*, TCanvas*, int c, int r, TGridDrawState, TRect, bool Printing) {
            if (Printing) Log.Cells.emplace_back(Log.CurrentPage, c, r);
        };
        G->OnPrintDone = [this](TObject*) { ++Log.Done; };
    }
    ~PrintGrid() override { SetPrinterObject(nullptr); }

    // Cols x Rows cells, each holding "c:r".
    void Fill(int Cols, int Rows, int FixedCols = 0, int FixedRows = 0)
    {
        G->SetColCountEx(Cols);
        G->SetRowCountEx(Rows);
        G->SetFixedColsEx(FixedCols);
        G->SetFixedRowsEx(FixedRows);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) G->SetCells(c, r, IntToStr(c) + L":" + IntToStr(r));
    }

    // The print settings back at their defaults (the fonts as the fixture set them).
    void ResetSettings()
    {
        TPrintSettings Defaults(nullptr);
        Defaults.GetFont()->Assign(G->GetPrintSettings()->GetFont());
        G->GetPrintSettings()->Assign(&Defaults);
    }

    // Previews page Page (all cells) into a fresh A4 bitmap; answers it.
    std::unique_ptr<TDibSurface> Preview(int Page)
    {
        auto S = std::make_unique<TDibSurface>(PageW, PageH);
        G->SetPreviewPage(Page);
        G->PrintPreview(S->Canvas(), TRect{0, 0, PageW, PageH});
        return S;
    }

    // Previews every page the counting pass finds; answers the count.
    int PreviewAll()
    {
        Preview(1);
        const int Count = G->GetPrintNrOfPages();
        for (int p = 2; p <= Count; ++p) Preview(p);
        return Count;
    }
};

}  // namespace printkit
