// The page layout and the print and preview entry points, on preview bitmaps and on a printer
// whose pages are bitmaps in memory: page counts and page numbers, page ranges from OnPrintStart,
// bands with repeated fixed rows and columns, fit to page, FastPrint, failures in the middle of a
// job, hostile sizes, a seeded walk over random settings where counting and drawing must agree, and
// seeded varied pages drawn alike by the layout's shortcuts and by the system's text layout.
#include "tests/grid/print/PrintKit.h"

#include "framework/Consts.h"
#include "grid/print/BuildPages.h"

#include <algorithm>
#include <random>
#include <stdexcept>

using namespace printkit;

namespace {

// Printer pages the memory printer began.
int PrinterPages(const TPagePrinterDevice* Device)
{
    return int(std::count(Device->Log.begin(), Device->Log.end(), String(L"BeginPage")));
}

// Each cell drawn, once per (column, row), and how often.
std::map<std::pair<int, int>, int> CellCounts(const TPrintLog& Log)
{
    std::map<std::pair<int, int>, int> Counts;
    for (const auto& [Page, c, r] : Log.Cells) ++Counts[{c, r}];
    return Counts;
}

TEST_F(PrintGrid, PreviewCountsThePagesAndDrawsEachRowOnceWithNumberedPages)
{
    Fill(3, 200);
    G->GetPrintSettings()->SetPageNr(ppBottomCenter);
    const int Count = PreviewAll();
    ASSERT_GT(Count, 2);
    EXPECT_EQ(Log.PagesBegun.size(), size_t(Count));
    const auto Counts = CellCounts(Log);
    EXPECT_EQ(Counts.size(), 600u);
    for (const auto& [Cell, n] : Counts) EXPECT_EQ(n, 1) << Cell.first << ":" << Cell.second;
    // Rows run on from page to page.
    int LastRow = -1;
    for (const auto& [Page, c, r] : Log.Cells) {
        EXPECT_GE(r, LastRow);
        LastRow = r;
    }
    // Page numbers carry the total.
    EXPECT_NE(std::find(Log.PageNumbers.begin(), Log.PageNumbers.end(), L"2/" + IntToStr(Count)),
              Log.PageNumbers.end());
}

// Page numbers: the total after the separator when it is known; none with FastPrint; row page and
// band with several bands.
TEST_F(PrintGrid, PageNumbersShowTheTotalOnlyWhenItIsKnown)
{
    struct Case {
        const char* Name;
        bool Fast;
        int Cols;
        String Expected;   // "#": the counted total
    } Cases[] = {
        {"counted", false, 2, L"2/#"},
        {"fast print: total unknown", true, 2, L"2"},
        {"bands", false, 40, L"2-1"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Fill(C.Cols, 250);
        G->GetPrintSettings()->SetPageNr(ppTopRight);
        G->SetFastPrint(C.Fast);
        Log = {};
        G->Print();
        String Expected = C.Expected;
        if (Expected.back() == L'#') Expected = Expected.substr(0, Expected.size() - 1) + IntToStr(G->GetPrintNrOfPages());
        EXPECT_NE(std::find(Log.PageNumbers.begin(), Log.PageNumbers.end(), Expected), Log.PageNumbers.end());
        for (const String& s : Log.PageNumbers) EXPECT_EQ(s.find(L"2147483647"), String::npos);
    }
}

// Printing: the pages the count found reach the printer, all rows on them; OnPrintStart narrows
// the range; an empty or reversed range prints nothing but still ends the export notifications.
TEST_F(PrintGrid, PrintingHonoursTheRangeFromOnPrintStart)
{
    Fill(2, 250);
    G->Print();
    const int Count = PrinterPages(Device);
    ASSERT_GE(Count, 3);
    EXPECT_EQ(G->GetPrintNrOfPages(), Count);
    EXPECT_EQ(CellCounts(Log).size(), 500u);
    struct Case {
        int From, To;
        int PrinterPages;
    } Cases[] = {{1, 3, 3}, {2, 3, 2}, {3, 3, 1}, {0, 3, 0}, {3, 2, 0}, {2, 0, 0}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.From << ".." << C.To);
        Device->Log.clear();
        Log = {};
        G->Notes.Exports.clear();
        int Counted = 0;
        G->OnPrintStart = [&](TObject*, int NrOfPages, int& From, int& To) {
            Counted = NrOfPages;
            From = C.From;
            To = C.To;
        };
        G->Print();
        EXPECT_EQ(Counted, Count);
        EXPECT_EQ(PrinterPages(Device), C.PrinterPages);
        EXPECT_FALSE(Printer()->GetPrinting());
        ASSERT_FALSE(G->Notes.Exports.empty());
        EXPECT_EQ(G->Notes.Exports.front().first, esExportStart);
        EXPECT_EQ(G->Notes.Exports.back().first, esExportDone);
        if (C.PrinterPages == 0) continue;
        ASSERT_FALSE(Log.PagesBegun.empty());
        EXPECT_EQ(Log.PagesBegun.front(), C.From);
        EXPECT_EQ(Log.PagesBegun.back(), C.To);
    }
}

// Without a counting pass every page still prints: the layout goes on until the last drawn page.
TEST_F(PrintGrid, FastPrintPrintsEveryPage)
{
    Fill(2, 400);
    G->Print();
    const int Counted = PrinterPages(Device);
    ASSERT_GT(Counted, 3);
    Device->Log.clear();
    Log = {};
    G->SetFastPrint(true);
    G->Print();
    EXPECT_EQ(PrinterPages(Device), Counted);
    EXPECT_EQ(CellCounts(Log).size(), 800u);
    // A preview shows the one page asked for.
    Log = {};
    G->SetFastPrint(true);
    Preview(3);
    EXPECT_EQ(Log.PagesBegun, std::vector<int>{3});
    EXPECT_FALSE(Log.Cells.empty());
}

// Several grids in one job, when the caller holds the document open.
TEST_F(PrintGrid, ACallersDocumentTakesThePagesOfSeveralGrids)
{
    Fill(2, 10);
    TPrinter* P = Printer();
    P->BeginDoc();
    G->Print();
    EXPECT_TRUE(P->GetPrinting());
    G->Print();
    P->EndDoc();
    EXPECT_EQ(std::count(Device->Log.begin(), Device->Log.end(), String(L"FinishJob")), 1);
    EXPECT_EQ(CellCounts(Log).size(), 20u);
    for (const auto& [Cell, n] : CellCounts(Log)) EXPECT_EQ(n, 2);
}

// An event raising in the middle of a job: the document is cancelled, the grid's state and the
// export notifications are complete, and the exception reaches the caller.
TEST_F(PrintGrid, AnEventRaisingMidJobEndsTheDocumentThenPropagates)
{
    Fill(2, 150);
    G->OnPrintPage = [](TObject*, TCanvas*, int Page, int, int) {
        if (Page == 2) throw std::runtime_error("stop");
    };
    EXPECT_THROW(G->Print(), std::runtime_error);
    EXPECT_FALSE(Printer()->GetPrinting());
    EXPECT_EQ(Device->Log.back(), L"CancelJob");
    EXPECT_EQ(G->Notes.Exports.back().first, esExportDone);

    // Preview: the canvas's mapping mode and the preview flag come back.
    TDibSurface S(PageW, PageH);
    G->SetPreviewPage(2);
    EXPECT_THROW(G->PrintPreview(S.Canvas(), TRect{0, 0, PageW, PageH}), std::runtime_error);
    EXPECT_EQ(GetMapMode(S.Canvas()->GetHandle()), MM_TEXT);
    EXPECT_FALSE(G->GetIsPrintPreview());
    EXPECT_EQ(G->Notes.Exports.back().first, esExportDone);

    // And the next job prints.
    G->OnPrintPage = nullptr;
    Device->Log.clear();
    G->Print();
    EXPECT_EQ(Device->Log.back(), L"FinishJob");
}

// With no printer the print operations raise the plain error before anything changes.
TEST_F(PrintGrid, NoPrinterRaisesBeforeAnythingChanges)
{
    Fill(2, 10);
    Device->Name = L"";
    G->Notes.Exports.clear();
    try {
        G->Print();
        FAIL() << "no error";
    } catch (const EPrinter& E) {
        EXPECT_EQ(E.Message, Consts::SNoDefaultPrinter);
    }
    EXPECT_TRUE(G->Notes.Exports.empty());
    EXPECT_EQ(Log.Done, 0);
    EXPECT_TRUE(Device->Log.empty());
    // A preview needs no printer.
    Preview(1);
    EXPECT_FALSE(Log.Cells.empty());
}

// Fit to page: a narrow grid keeps its widths with fpShrink; a wide one shrinks into one band;
// widths that sum to nothing, or less than nothing, leave the factor at 1.
TEST_F(PrintGrid, FitToPageScalesTheSelectedColumnsIntoThePage)
{
    TPrintSettings* PS = G->GetPrintSettings();
    PS->SetLeftSize(100);
    PS->SetRightSize(100);
    Fill(3, 5);
    Preview(1);
    const std::vector<int> Narrow = {G->GetPrintColWidth(0), G->GetPrintColWidth(1), G->GetPrintColWidth(2)};
    PS->SetFitToPage(fpShrink);
    Preview(1);
    EXPECT_EQ(Narrow, (std::vector<int>{G->GetPrintColWidth(0), G->GetPrintColWidth(1), G->GetPrintColWidth(2)}));
    EXPECT_DOUBLE_EQ(G->GetFontscalefactor(), 1.0);

    Fill(60, 5);
    PS->SetFitToPage(fpNever);
    Preview(1);
    EXPECT_GT(G->GetPrintColStart(), 0) << "the last of several bands";
    PS->SetFitToPage(fpShrink);
    Log = {};
    Preview(1);
    EXPECT_EQ(G->GetPrintColStart(), 0);
    EXPECT_EQ(G->GetPrintColEnd(), 59);
    EXPECT_LE(G->GetPrintPageWidth(), G->GetPrintPageRect().Right - 200);
    EXPECT_LT(G->GetFontscalefactor(), 1.0);
    EXPECT_EQ(CellCounts(Log).size(), 300u);

    for (int Fixed : {0, -50}) {
        SCOPED_TRACE(Fixed);
        PS->SetUseFixedWidth(true);
        PS->SetFixedWidth(Fixed);
        PS->SetFitToPage(fpAlways);
        Log = {};
        Preview(1);
        EXPECT_DOUBLE_EQ(G->GetFontscalefactor(), 1.0);
        EXPECT_EQ(CellCounts(Log).size(), 300u);
    }
}

// Bands: columns that do not fit form further bands, each starting with the fixed columns; every
// page after a band's first starts with the fixed rows.
TEST_F(PrintGrid, BandsRepeatTheFixedRowsAndColumns)
{
    Fill(30, 150, 1, 1);
    TPrintSettings* PS = G->GetPrintSettings();
    PS->SetRepeatFixedRows(true);
    PS->SetRepeatFixedCols(true);
    const int Count = PreviewAll();
    ASSERT_GE(Count, 4);
    std::map<int, std::set<std::pair<int, int>>> ByPage;
    for (const auto& [Page, c, r] : Log.Cells) ByPage[Page].insert({c, r});
    for (int p = 1; p <= Count; ++p) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(ByPage[p].count({0, 0})) << "fixed corner";
        EXPECT_TRUE(std::any_of(ByPage[p].begin(), ByPage[p].end(), [](auto& Cell) { return Cell.first == 0 && Cell.second > 0; }))
            << "fixed column";
    }
    // Each normal cell once.
    for (const auto& [Cell, n] : CellCounts(Log)) {
        if (Cell.first > 0 && Cell.second > 0) {
            EXPECT_EQ(n, 1) << Cell.first << ":" << Cell.second;
        }
    }
    EXPECT_EQ(CellCounts(Log).size(), 30u * 150u);
}

// Hostile sizes: the layout ends, counting and drawing agree, and every cell is drawn once.
TEST_F(PrintGrid, HostileSizesEndTheLayout)
{
    struct Case {
        const char* Name;
        std::function<void(TPrintSettings*, TTestableQorGrid*)> Set;
    } Cases[] = {
        {"negative spacings", [](TPrintSettings* PS, TTestableQorGrid*) {
             PS->SetColumnSpacing(-500);
             PS->SetRowSpacing(-500);
             PS->SetTitleSpacing(-300);
         }},
        {"margins wider than the page", [](TPrintSettings* PS, TTestableQorGrid*) {
             PS->SetLeftSize(5000);
             PS->SetRightSize(5000);
             PS->SetHeaderSize(4000);
             PS->SetFooterSize(4000);
         }},
        {"row taller than a page", [](TPrintSettings*, TTestableQorGrid* G) {
             G->OnPrintSetRowHeight = [](TObject*, int ARow, int& H) {
                 if (ARow % 3 == 1) H = 10000;
             };
         }},
        {"zero and negative column widths", [](TPrintSettings*, TTestableQorGrid* G) {
             G->OnPrintSetColumnWidth = [](TObject*, int ACol, int& W) { W = ACol % 2 ? 0 : -100; };
         }},
        {"negative row heights", [](TPrintSettings*, TTestableQorGrid* G) {
             G->OnPrintSetRowHeight = [](TObject*, int, int& H) { H = -1000; };
         }},
        {"merges across page breaks", [](TPrintSettings*, TTestableQorGrid* G) {
             for (int r = 1; r + 6 <= 40; r += 7) G->MergeCells(1, r, 2, 6);
         }},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Fill(4, 40);
        ResetSettings();
        G->OnPrintSetRowHeight = nullptr;
        G->OnPrintSetColumnWidth = nullptr;
        C.Set(G->GetPrintSettings(), G);
        Log = {};
        const int Count = PreviewAll();
        EXPECT_GE(Count, 1);
        std::set<int> Pages(Log.PagesBegun.begin(), Log.PagesBegun.end());
        EXPECT_EQ(int(Pages.size()), Count);
        for (const auto& [Cell, n] : CellCounts(Log)) EXPECT_EQ(n, 1) << Cell.first << ":" << Cell.second;
    }
}

// A seeded walk: random sizes, settings, merges, hidden columns and selections. Previewing every
// page the count finds draws exactly those pages, and each selected cell once.
TEST_F(PrintGrid, RandomSettingsCountAndDrawAlike)
{
    std::mt19937 Rng(20261211);
    auto Pick = [&](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); };
    for (int Round = 0; Round < 25; ++Round) {
        SCOPED_TRACE(testing::Message() << "round " << Round);
        G->UnHideColumnsAll();
        G->SplitAllCells();
        ResetSettings();
        const int Cols = Pick(1, 25), Rows = Pick(1, 160);
        Fill(Cols, Rows, Pick(0, std::min(2, Cols - 1)), Pick(0, std::min(2, Rows - 1)));
        TPrintSettings* PS = G->GetPrintSettings();
        PS->SetColumnSpacing(Pick(-50, 200));
        PS->SetRowSpacing(Pick(-20, 60));
        PS->SetLeftSize(Pick(0, 400));
        PS->SetRightSize(Pick(0, 400));
        PS->SetHeaderSize(Pick(0, 300));
        PS->SetFooterSize(Pick(0, 300));
        PS->SetCentered(Pick(0, 1));
        PS->SetFitToPage(TFitToPage(Pick(0, 3)));
        PS->SetPageNr(TPrintPosition(Pick(0, 6)));
        PS->SetDate(TPrintPosition(Pick(0, 6)));
        PS->SetTitle(TPrintPosition(Pick(0, 6)));
        for (int k = Pick(0, 3); k > 0; --k) PS->GetTitleLines()->Add(L"Titel " + IntToStr(k));
        PS->GetFont()->SetSize(Pick(6, 30));
        testing::Message Desc;
        Desc << Cols << " x " << Rows << " fixed " << G->GetFixedCols() << "/" << G->GetFixedRows() << " fit "
             << int(PS->GetFitToPage()) << " spacing " << PS->GetColumnSpacing();
        for (int k = Pick(0, 4); k > 0; --k) {
            const int c = Pick(0, Cols - 1), r = Pick(0, Rows - 1);
            const int w = Pick(1, std::max(1, Cols - c)), h = Pick(1, std::min(40, Rows - r));
            G->MergeCells(c, r, w, h);
            Desc << " merge " << c << ":" << r << " " << w << "x" << h;
        }
        const bool Sel = Pick(0, 2) == 0;
        if (Sel) {
            const int L = Pick(0, Cols - 1), T = Pick(0, Rows - 1);
            G->SetSelectionEx(TGridRect{L, T, Pick(L, Cols - 1), Pick(T, Rows - 1)});
            Desc << " selection " << L << ":" << T << "-" << G->GetSelection().Right << ":" << G->GetSelection().Bottom;
        }
        if (Cols > 3 && Pick(0, 2) == 0) {
            const int Hidden = Pick(G->GetFixedCols(), Cols - 1);
            G->HideColumn(Hidden);
            Desc << " hidden " << Hidden;
        }
        SCOPED_TRACE(Desc);

        Log = {};
        const TRect Page{0, 0, PageW, PageH};
        TDibSurface S(PageW, PageH);
        G->SetPreviewPage(1);
        auto PreviewOne = [&] {
            if (Sel) {
                G->PrintPreviewSelectedRows(S.Canvas(), Page);
            } else {
                G->PrintPreview(S.Canvas(), Page);
            }
        };
        PreviewOne();
        const int Count = G->GetPrintNrOfPages();
        for (int p = 2; p <= Count; ++p) {
            G->SetPreviewPage(p);
            PreviewOne();
        }
        std::vector<int> Expected(static_cast<size_t>(Count));
        for (int p = 1; p <= Count; ++p) Expected[size_t(p - 1)] = p;
        EXPECT_EQ(Log.PagesBegun, Expected);

        // The cells that must print: the base cells of the shown columns, in the selection.
        const TGridRect Selection = G->GetSelection();
        std::set<std::pair<int, int>> Want;
        for (int r = 0; r < G->GetRowCount(); ++r)
            for (int c = 0; c < G->GetColCount(); ++c) {
                if (Sel && !(r >= Selection.Top && r <= Selection.Bottom && c >= Selection.Left && c <= Selection.Right))
                    continue;
                const int RC = G->RemapCol(c);
                if (!G->IsMergedNonBaseCell(RC, r)) Want.insert({RC, r});
            }
        const auto Counts = CellCounts(Log);
        std::set<std::pair<int, int>> Got;
        for (const auto& [Cell, n] : Counts) {
            Got.insert(Cell);
            if (n != 1) {
                testing::Message Pages;
                for (const auto& [Page, c, r] : Log.Cells)
                    if (c == Cell.first && r == Cell.second) Pages << " " << Page;
                ADD_FAILURE() << Cell.first << ":" << Cell.second << " drawn " << n << " times, on pages" << Pages
                              << " of " << Count;
            }
        }
        EXPECT_EQ(Got, Want);
    }
}

// Seeded varied pages: fonts and sizes, bold and coloured cells, fixed rows and columns, word wrap
// on and off, texts that fit, wrap, break or overflow, every alignment, fills, border styles and
// cells' own border pens and sides, merges, spacings, with and without a counting pass. Each page previews with the layout's shortcuts and through the system's text layout
// (TBuildPages::ReferencePaths) onto the same pixels.
TEST_F(PrintGrid, ShortcutsDrawThePagesOfTheSystemLayout)
{
    struct TReference {
        ~TReference() { TBuildPages::ReferencePaths = false; }
    } Reset;
    const String Texts[] = {L"Bord 12", L"4 N gy", L"\u00D8st -420,50", L"Kontrakt Kontrakt Kontrakt Kontrakt",
                            L"Langtordsudenmellemrum", L"To\r\nlinjer", L"", L"W", L"  luft  ", L"Tab\there",
                            L"Hg \u00C9\u00C5 jy", L"1.234.567,89"};
    const wchar_t* Faces[] = {L"Arial", L"Tahoma", L"Times New Roman", L"Courier New"};
    const TColor Fills[] = {clNone, clWhite, TColor(0x00D0F0D0), TColor(0x00F0D0D0), clYellow, clSilver};
    const TColor Inks[] = {clBlack, clRed, clNavy, TColor(0x00206020)};
    std::mt19937 Rng(20261212);
    auto Pick = [&](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); };
    G->OnCustomCellDraw = nullptr;
    int Compared = 0;
    for (int Round = 0; Round < 14; ++Round) {
        SCOPED_TRACE(testing::Message() << "round " << Round);
        G->SplitAllCells();
        ResetSettings();
        const int Cols = Pick(2, 9), Rows = Pick(8, 90);
        Fill(Cols, Rows, Pick(0, std::min(2, Cols - 1)), Pick(0, 2));
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) G->SetCells(c, r, Texts[Pick(0, int(std::size(Texts)) - 1)]);
        TPrintSettings* PS = G->GetPrintSettings();
        PS->GetFont()->SetName(Faces[Pick(0, 3)]);
        PS->GetFont()->SetSize(Pick(7, 16));
        PS->SetNoAutoSize(Pick(0, 3) > 0);
        PS->SetNoAutoSizeRow(Pick(0, 3) == 0);
        PS->SetBorders(TPrintBorders(Pick(0, 7)));
        PS->SetColumnSpacing(Pick(-10, 60));
        PS->SetRowSpacing(Pick(-5, 30));
        PS->SetPageNr(TPrintPosition(Pick(0, 6)));
        PS->SetTime(ppNone);
        PS->SetDate(ppNone);
        G->GetFont()->SetName(Faces[Pick(0, 3)]);
        G->SetWordWrapEx(Pick(0, 3) > 0);
        // Without a counting pass the drawing pass measures each row just before it draws it.
        const bool Fast = Pick(0, 2) == 0;
        G->SetFastPrint(Fast);
        for (int c = 0; c < Cols; ++c) G->SetColWidths(c, Pick(20, 160));
        for (int k = Pick(0, 3); k > 0; --k) {
            const int c = Pick(0, Cols - 1), r = Pick(0, Rows - 1);
            G->MergeCells(c, r, Pick(1, std::max(1, Cols - c)), Pick(1, std::min(6, Rows - r)));
        }
        // The look of a cell from a seed of its own, the same on every call.
        const unsigned Seed = unsigned(Rng());
        auto Mix = [Seed](int c, int r, unsigned Salt) {
            unsigned h = Seed ^ (unsigned(c) * 0x9E3779B9u) ^ (unsigned(r) * 0x85EBCA6Bu) ^ (Salt * 0xC2B2AE35u);
            h ^= h >> 15;
            h *= 0x2C1B3C6Du;
            return h ^ (h >> 13);
        };
        G->OnGetCellPrintColor = [&, Mix](TObject*, int r, int c, TGridDrawState, TBrush* B, TFont* F) {
            const unsigned h = Mix(c, r, 1);
            if (h % 3 == 0) B->SetColor(Fills[h / 3 % std::size(Fills)]);
            if (h % 4 == 0) F->SetColor(Inks[h / 4 % std::size(Inks)]);
            if (h % 7 == 0) F->SetStyle(TFontStyles{fsBold});
            if (h % 11 == 0) F->SetStyle(TFontStyles{fsItalic});
            if (h % 13 == 0) F->SetSize(F->GetSize() + 3);
        };
        G->OnGetAlignment = [&, Mix](TObject*, int r, int c, TAlignment& HA, TVAlignment& VA) {
            const unsigned h = Mix(c, r, 2);
            HA = TAlignment(h % 3);
            VA = TVAlignment(h / 3 % 3);
        };
        G->OnGetWordWrap = [&, Mix](TObject*, int c, int r, bool& WW) {
            if (Mix(c, r, 3) % 5 == 0) WW = !WW;
        };
        PS->SetBorderStyle(Pick(0, 3) == 0 ? psDash : psSolid);
        G->OnGetCellPrintBorder = [&, Mix](TObject*, int r, int c, TPen* Pen, TCellBorders& Sides) {
            const unsigned h = Mix(c, r, 4);
            if (h % 5 == 0) Pen->SetWidth(int(h / 5 % 9) + 1);
            if (h % 3 == 0) Pen->SetColor(Inks[h / 3 % std::size(Inks)]);
            if (h % 7 == 0) Sides >> cbTop;
            if (h % 11 == 0) Sides = TCellBorders{cbLeft, cbRight, cbTop, cbBottom};
        };
        for (int Page : {1, 2}) {
            TBuildPages::ReferencePaths = true;
            const auto Want = Preview(Page);
            TBuildPages::ReferencePaths = false;
            const auto Got = Preview(Page);
            if (Page > (Fast ? 1 : G->GetPrintNrOfPages())) break;
            const int Diff = Want->DiffCount(*Got);
            EXPECT_EQ(Diff, 0) << "page " << Page << " of " << G->GetPrintNrOfPages() << ", " << Cols << " x " << Rows
                               << " no auto size " << PS->GetNoAutoSize() << " word wrap " << G->GetWordWrapEx()
                               << " fast print " << Fast;
            if (Diff != 0) {
                Want->SavePng(SnapshotPath(L"print-reference.png"));
                Got->SavePng(SnapshotPath(L"print-shortcuts.png"));
            }
            ++Compared;
        }
    }
    G->OnGetCellPrintColor = nullptr;
    G->OnGetAlignment = nullptr;
    G->OnGetWordWrap = nullptr;
    G->OnGetCellPrintBorder = nullptr;
    G->SetFastPrint(false);
    EXPECT_GE(Compared, 14);
}

// PrintDraw: the first page in a rectangle of any canvas; no printer is asked, not even for the
// orientation of turned text under PrinterDriverFix.
TEST_F(PrintGrid, PrintDrawDrawsTheFirstPageWithoutThePrinter)
{
    Fill(3, 400);
    G->AddRotated(1, 2, 90, L"Syd / Vest");
    G->SetPrinterDriverFix(true);
    Device->Name = L"";
    TDibSurface S(PageW, PageH);
    G->PrintDraw(S.Canvas(), TRect{0, 0, PageW, PageH});
    EXPECT_EQ(Log.PagesBegun, std::vector<int>{1});
    EXPECT_GT(Log.Cells.size(), 30u);
    EXPECT_LT(Log.Cells.size(), 3u * 400u);
    EXPECT_TRUE(S.HasInk(TRect{0, 0, PageW, PageH / 4}));
}

}  // namespace

// Markup title lines: the renderer draws them (two lines through the line break, no tag printed)
// in the header or the footer room, which grows by the title's height so that the rows keep clear
// of it; counting and drawing agree on the pages.
TEST_F(PrintGrid, MarkupTitlesTakeTheirRoomAboveOrBelowTheRows)
{
    Fill(3, 150);
    TPrintSettings* PS = G->GetPrintSettings();
    for (TFont* F : {PS->GetHeaderFont(), PS->GetFooterFont()}) {
        F->SetName(L"Arial");
        F->SetSize(14);
    }
    // Where page 1's rows lie, in pixels: the top of the first, the bottom of the last.
    int RowsTop = 0, RowsBottom = 0;
    auto Logged = G->OnCustomCellDraw;
    G->OnCustomCellDraw = [&](TObject* S, TCanvas* C, int c, int r, TGridDrawState St, TRect R, bool Printing) {
        Logged(S, C, c, r, St, R, Printing);
        if (!Printing || Log.CurrentPage != 1) return;
        RowsTop = std::min(RowsTop, R.Top);
        RowsBottom = std::max(RowsBottom, R.Bottom);
    };
    const String Markup = L"<b>Startliste</b><br><i>Klubturnering, 6 par</i>";
    // Page 1 with the title: the ink box of the title beside the rows, and where the rows lie.
    struct TTitled {
        TRect Ink;
        int Top, Bottom;
    };
    auto PreviewTitled = [&](TPrintPosition Pos, const String& Title, bool Html) {
        G->SetEnableHTML(Html);
        PS->SetTitle(Pos);
        PS->GetTitleLines()->Clear();
        PS->GetTitleLines()->Add(Title);
        RowsTop = PageH;
        RowsBottom = 0;
        auto S = Preview(1);
        const bool Top = Pos == ppTopLeft;
        // Clear of the cells' border lines.
        const TRect Room = Top ? TRect{0, 0, PageW, RowsTop - 3} : TRect{0, RowsBottom + 3, PageW, PageH};
        return TTitled{S->InkBounds(Room), RowsTop, RowsBottom};
    };

    for (TPrintPosition Pos : {ppTopLeft, ppBottomLeft}) {
        SCOPED_TRACE(int(Pos));
        const TTitled Plain = PreviewTitled(Pos, L"Startliste", true);
        const TTitled Tags = PreviewTitled(Pos, Markup, false);
        const TTitled Html = PreviewTitled(Pos, Markup, true);
        ASSERT_FALSE(Plain.Ink.IsEmpty());
        ASSERT_FALSE(Html.Ink.IsEmpty()) << "the markup title is drawn";
        // Two lines, and the tags are not printed: narrower than the tags shown as text.
        EXPECT_GE(Html.Ink.Height(), Plain.Ink.Height() * 3 / 2);
        EXPECT_LT(Html.Ink.Width(), Tags.Ink.Width() * 4 / 5);
        // The rows keep clear of the taller title.
        if (Pos == ppTopLeft) {
            EXPECT_LT(Html.Ink.Bottom, Html.Top);
            EXPECT_GE(Html.Top - Plain.Top, Plain.Ink.Height() / 2);
        } else {
            EXPECT_GT(Html.Ink.Top, Html.Bottom);
            EXPECT_LE(Html.Bottom, Plain.Bottom - Plain.Ink.Height() / 2);
        }

        // Counting and drawing agree: every page begun once, every cell drawn once.
        Log = {};
        const int Count = PreviewAll();
        ASSERT_GE(Count, 2);
        std::vector<int> Expected(size_t(Count), 0);
        for (int p = 1; p <= Count; ++p) Expected[size_t(p - 1)] = p;
        EXPECT_EQ(Log.PagesBegun, Expected);
        const auto Counts = CellCounts(Log);
        EXPECT_EQ(Counts.size(), 450u);
        for (const auto& [Cell, n] : Counts) EXPECT_EQ(n, 1) << Cell.first << ":" << Cell.second;
    }
}
