// Real prints on the prefix's PostScript test printer, read back by Ghostscript, beside preview
// pages of the same layout: a tournament start list with title, date and page numbers, and a wide
// grid printed in bands with repeated fixed rows and columns. Without a default printer, printing
// raises the plain error.
// test-needs: printer
#include "tests/grid/print/PrintKit.h"

#include "framework/Consts.h"
#include "framework/SysUtils.h"

using namespace printkit;

namespace {

struct RealPrint : PrintGrid {
    String Port;

    RealPrint()
    {
        // The process's printer object over the spooler: the prefix's default printer.
        SetPrinterObject(new TPrinter());
        Device = nullptr;
        Port = PrinterPortFile(Printer());
    }

    void SetUp() override
    {
        ASSERT_FALSE(Port.empty()) << "the Wine prefix lacks the test printer (tools/env.sh makes it)";
        DeleteFileW(Port.c_str());
    }

    // Every preview page as a snapshot "<Name>-preview-<n>.png".
    void SavePreviews(const String& Name, int Count)
    {
        for (int p = 1; p <= Count; ++p) Preview(p)->SavePng(SnapshotPath(Name + L"-preview-" + IntToStr(p) + L".png"));
    }

    // Texts of a page without line breaks and repeated blanks; the hyphen, which the text
    // extraction reads as a soft hyphen, as a hyphen.
    static String Flat(const String& s)
    {
        String Out;
        for (wchar_t ch : s) {
            const wchar_t c = ch == L'\n' || ch == L'\r' ? L' ' : ch == L'\u00AD' ? L'-' : ch;
            if (c == L' ' && !Out.empty() && Out.back() == L' ') continue;
            Out += c;
        }
        return Out;
    }
};

// The tournament's start list: pairs with their names, a title over two lines, today's date and
// page numbers with the total.
TEST_F(RealPrint, TheStartListPrintsWithTitleDateAndPageNumbers)
{
    const wchar_t* Names[] = {L"Hansen - Jensen", L"Nielsen - Larsen", L"Pedersen - Andersen",
                              L"Christensen - Rasmussen", L"Madsen - Kristensen", L"Olsen - Thomsen"};
    G->SetColCountEx(4);
    G->SetRowCountEx(1 + 96);
    G->SetFixedRowsEx(1);
    G->SetCells(0, 0, L"Par");
    G->SetCells(1, 0, L"Navne");
    G->SetCells(2, 0, L"Bord");
    G->SetCells(3, 0, L"Retning");
    for (int r = 1; r <= 96; ++r) {
        G->SetCells(0, r, IntToStr(r));
        G->SetCells(1, r, Names[(r - 1) % 6]);
        G->SetCells(2, r, IntToStr((r - 1) / 2 % 3 + 1));
        G->SetCells(3, r, r % 2 ? L"NS" : L"\u00D8V");
    }
    TPrintSettings* PS = G->GetPrintSettings();
    PS->SetTitle(ppTopLeft);
    PS->GetTitleLines()->Add(L"Startliste");
    PS->GetTitleLines()->Add(L"Klubturnering, 6 par");
    PS->SetDate(ppTopRight);
    PS->SetDateFormat(L"dd-mm-yyyy");
    PS->SetPageNr(ppBottomCenter);
    PS->SetPagePrefix(L"Side");
    PS->SetRepeatFixedRows(true);
    PS->SetJobName(L"Startliste");
    PS->SetBorders(pbSingle);

    G->Print();
    const int Count = G->GetPrintNrOfPages();
    ASSERT_GE(Count, 2);
    const std::vector<TPrintedPage> Pages = ReadPostScript(Port, L"print-startlist");
    ASSERT_EQ(int(Pages.size()), Count);
    const String Today = FormatDateTime(L"dd-mm-yyyy", Now());
    for (int p = 1; p <= Count; ++p) {
        SCOPED_TRACE(p);
        const String Text = Flat(Pages[size_t(p - 1)].Text);
        EXPECT_NE(Text.find(L"Startliste"), String::npos) << Text;
        EXPECT_NE(Text.find(L"Klubturnering"), String::npos);
        EXPECT_NE(Text.find(Today), String::npos) << Text;
        EXPECT_NE(Text.find(L"Side " + IntToStr(p) + L"/" + IntToStr(Count)), String::npos);
        EXPECT_NE(Text.find(L"Navne"), String::npos) << "the fixed row heads every page";
        EXPECT_GT(Pages[size_t(p - 1)].InkBox.Height(), 300.0);
    }
    EXPECT_NE(Flat(Pages.back().Text).find(L"96"), String::npos);
    SavePreviews(L"print-startlist", Count);
}

// A grid wider than the page prints in bands: every band repeats the fixed column, every page the
// fixed row; page numbers name row page and band.
TEST_F(RealPrint, AWideGridPrintsInBandsWithRepeatedFixedCells)
{
    Fill(24, 80, 1, 1);
    for (int c = 1; c < 24; ++c) G->SetCells(c, 0, L"Runde " + IntToStr(c));
    for (int r = 1; r < 80; ++r) G->SetCells(0, r, L"Par " + IntToStr(r));
    TPrintSettings* PS = G->GetPrintSettings();
    PS->SetRepeatFixedRows(true);
    PS->SetRepeatFixedCols(true);
    PS->SetPageNr(ppBottomRight);
    PS->SetColumnSpacing(40);
    G->Print();
    const int Count = G->GetPrintNrOfPages();
    ASSERT_GE(Count, 4);
    const std::vector<TPrintedPage> Pages = ReadPostScript(Port, L"print-bands");
    ASSERT_EQ(int(Pages.size()), Count);
    bool SecondBand = false;
    for (int p = 1; p <= Count; ++p) {
        SCOPED_TRACE(p);
        const String Text = Flat(Pages[size_t(p - 1)].Text);
        EXPECT_NE(Text.find(L"Runde"), String::npos) << Text;
        EXPECT_NE(Text.find(L"Par "), String::npos);
        SecondBand = SecondBand || Text.find(L"-2") != String::npos;
    }
    EXPECT_TRUE(SecondBand) << Flat(Pages[1].Text);
    SavePreviews(L"print-bands", Count);
}

TEST_F(RealPrint, WithoutADefaultPrinterPrintingRaisesThePlainError)
{
    Fill(2, 5);
    TNoDefaultPrinter NoPrinter;
    ASSERT_TRUE(NoPrinter.Active());
    SetPrinterObject(new TPrinter());
    try {
        G->Print();
        ADD_FAILURE() << "no error";
    } catch (const EPrinter& E) {
        EXPECT_EQ(E.Message, Consts::SNoDefaultPrinter);
    }
    EXPECT_TRUE(G->Notes.Exports.empty());
    EXPECT_FALSE(Printer()->GetPrinting());
}

}  // namespace
