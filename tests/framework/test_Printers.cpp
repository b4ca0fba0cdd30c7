// The printer object: jobs on pages in memory (the job's steps, failures, the job scope) and real
// jobs on the prefix's PostScript test printer, read back by Ghostscript.
// test-needs: printer
#include "framework/Consts.h"
#include "framework/Printers.h"
#include "framework/SysUtils.h"
#include "framework/WinScope.h"

#include "support/TestPrinters.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>

namespace {

// Runs Op and answers the EPrinter message it raised ("" when it raised nothing).
String PrinterError(const std::function<void()>& Op)
{
    try {
        Op();
    } catch (const EPrinter& E) {
        return E.Message;
    }
    return L"";
}

// ---- Pages in memory ----------------------------------------------------------------------------

class PrinterOnPages : public testing::Test {
protected:
    PrinterOnPages() : Device(new TPagePrinterDevice()), P(std::unique_ptr<TPrinterDevice>(Device)) {}

    TPagePrinterDevice* Device;   // owned by P
    TPrinter P;
};

TEST_F(PrinterOnPages, PagesTakeWhatWasDrawnOnThemInOrder)
{
    P.SetTitle(L"Startliste");
    TCanvas* C = P.GetCanvas();
    P.BeginDoc();
    EXPECT_TRUE(P.GetPrinting());
    EXPECT_EQ(P.GetPageNumber(), 1);
    C->GetBrush()->SetColor(clRed);
    C->FillRect(TRect{10, 10, 60, 60});
    P.NewPage();
    EXPECT_EQ(P.GetPageNumber(), 2);
    // The canvas selects its brush again on the new page.
    C->FillRect(TRect{100, 200, 150, 250});
    P.EndDoc();

    EXPECT_FALSE(P.GetPrinting());
    EXPECT_FALSE(P.GetAborted());
    EXPECT_EQ(P.GetPageNumber(), 0);
    EXPECT_EQ(Device->Log, (std::vector<String>{L"BeginJob Startliste", L"BeginPage", L"FinishPage", L"BeginPage",
                                                L"FinishPage", L"FinishJob"}));
    ASSERT_EQ(Device->Pages.size(), 2u);
    EXPECT_EQ(Device->Pages[0]->InkBounds(Device->Pages[0]->Bounds()), (TRect{10, 10, 60, 60}));
    EXPECT_EQ(Device->Pages[1]->InkBounds(Device->Pages[1]->Bounds()), (TRect{100, 200, 150, 250}));
    EXPECT_EQ(Device->Pages[1]->Pixel(120, 220), clRed);
}

TEST_F(PrinterOnPages, OrientationSwapsThePageAndWaitsForTheDocument)
{
    EXPECT_EQ(P.GetOrientation(), poPortrait);
    EXPECT_EQ(P.GetPageWidth(), 794);
    EXPECT_EQ(P.GetPageHeight(), 1123);
    EXPECT_EQ(P.DeviceCapability(DC_ORIENTATION), 90);

    P.SetOrientation(poLandscape);
    EXPECT_EQ(P.GetOrientation(), poLandscape);
    EXPECT_EQ(P.GetPageWidth(), 1123);
    EXPECT_EQ(P.GetPageHeight(), 794);

    // While a document is open the page stays as it is.
    P.BeginDoc();
    EXPECT_EQ(PrinterError([&] { P.SetOrientation(poPortrait); }), Consts::SPrinting);
    EXPECT_EQ(P.GetOrientation(), poLandscape);
    EXPECT_EQ(PrinterError([&] { P.BeginDoc(); }), Consts::SPrinting);
    EXPECT_TRUE(P.GetPrinting());
    P.EndDoc();
    ASSERT_EQ(Device->Pages.size(), 1u);
    EXPECT_EQ(Device->Pages[0]->Width(), 1123);

    EXPECT_EQ(PrinterError([&] { P.NewPage(); }), Consts::SNotPrinting);
    EXPECT_EQ(PrinterError([&] { P.EndDoc(); }), Consts::SNotPrinting);
}

// A step of the job that fails: the call that meets it raises, no document stays open, and the
// next job prints.
TEST_F(PrinterOnPages, AFailingStepRaisesAndLeavesNoDocumentOpen)
{
    struct TCase {
        const wchar_t* Step;
        const wchar_t* Message;
        int FailingCall;   // 0 BeginDoc, 1 NewPage, 2 EndDoc
    };
    const TCase Cases[] = {
        {L"BeginJob", Consts::SPrintStartFailed, 0},
        {L"BeginPage", Consts::SPrintStartFailed, 0},
        {L"FinishPage", Consts::SPrintPageFailed, 1},
        {L"FinishJob", Consts::SPrintEndFailed, 2},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Utf16ToUtf8(Case.Step));
        Device->Log.clear();
        Device->FailStep = Case.Step;
        String Error;
        int Call = 0;
        for (; Call < 3 && Error.empty(); ++Call) {
            if (Call == 0) Error = PrinterError([&] { P.BeginDoc(); });
            if (Call == 1) Error = PrinterError([&] { P.NewPage(); });
            if (Call == 2) Error = PrinterError([&] { P.EndDoc(); });
        }
        EXPECT_EQ(Call - 1, Case.FailingCall);
        EXPECT_EQ(Error, Case.Message);
        EXPECT_FALSE(P.GetPrinting());
        EXPECT_EQ(P.GetPageNumber(), 0);
        // A job the spooler began is cancelled, never left open.
        const bool Began = Case.FailingCall > 0 || String(Case.Step) != L"BeginJob";
        EXPECT_EQ(!Device->Log.empty() && Device->Log.back() == L"CancelJob", Began);

        Device->FailStep.clear();
        const size_t Pages = Device->Pages.size();
        P.BeginDoc();
        P.EndDoc();
        EXPECT_EQ(Device->Pages.size(), Pages + 1);
        EXPECT_FALSE(P.GetAborted());
    }
}

TEST_F(PrinterOnPages, AJobScopeAbortsItsDocumentOnAnExceptionAndKeepsACallersDocument)
{
    try {
        TPrintJob Job(&P);
        EXPECT_TRUE(Job.OwnsDocument());
        P.NewPage();
        throw std::runtime_error("drawing failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(P.GetPrinting());
    EXPECT_TRUE(P.GetAborted());
    EXPECT_EQ(Device->Log.back(), L"CancelJob");

    // Two scopes inside a caller's document add their pages to it and leave it open.
    Device->Log.clear();
    P.BeginDoc();
    for (int I = 0; I < 2; ++I) {
        TPrintJob Job(&P);
        EXPECT_FALSE(Job.OwnsDocument());
        P.NewPage();
        Job.End();
        EXPECT_TRUE(P.GetPrinting());
    }
    P.EndDoc();
    EXPECT_EQ(std::count(Device->Log.begin(), Device->Log.end(), L"BeginPage"), 3);
    EXPECT_EQ(std::count(Device->Log.begin(), Device->Log.end(), L"FinishJob"), 1);

    // A scope that is ended prints; a failing end raises from End, and the scope aborts nothing more.
    Device->Log.clear();
    Device->FailStep = L"FinishJob";
    {
        TPrintJob Job(&P);
        EXPECT_EQ(PrinterError([&] { Job.End(); }), Consts::SPrintEndFailed);
    }
    EXPECT_EQ(std::count(Device->Log.begin(), Device->Log.end(), L"CancelJob"), 1);
    EXPECT_FALSE(P.GetPrinting());
}

// ---- The prefix's test printer ------------------------------------------------------------------

// PostScript points (from the page's bottom-left corner) of a point in the printer canvas's
// logical units.
struct TPagePoints {
    HDC DC;
    int OffsetX, OffsetY, PaperHeight, DpiX, DpiY;
    explicit TPagePoints(HDC ADC)
        : DC(ADC), OffsetX(GetDeviceCaps(DC, PHYSICALOFFSETX)), OffsetY(GetDeviceCaps(DC, PHYSICALOFFSETY)),
          PaperHeight(GetDeviceCaps(DC, PHYSICALHEIGHT)), DpiX(GetDeviceCaps(DC, LOGPIXELSX)),
          DpiY(GetDeviceCaps(DC, LOGPIXELSY))
    {
    }
    TPointBox Box(const TRect& Logical) const
    {
        POINT Corners[2] = {{Logical.Left, Logical.Top}, {Logical.Right, Logical.Bottom}};
        LPtoDP(DC, Corners, 2);
        const double X1 = (OffsetX + Corners[0].x) * 72.0 / DpiX, X2 = (OffsetX + Corners[1].x) * 72.0 / DpiX;
        const double Y1 = (PaperHeight - OffsetY - Corners[0].y) * 72.0 / DpiY;
        const double Y2 = (PaperHeight - OffsetY - Corners[1].y) * 72.0 / DpiY;
        return {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
    }
};

TPointBox Union(const TPointBox& A, const TPointBox& B)
{
    return {std::min(A.Left, B.Left), std::min(A.Bottom, B.Bottom), std::max(A.Right, B.Right),
            std::max(A.Top, B.Top)};
}

// Inner lies inside Outer, give or take Slack points.
testing::AssertionResult Inside(const TPointBox& Inner, const TPointBox& Outer, double Slack)
{
    if (Inner.Left >= Outer.Left - Slack && Inner.Bottom >= Outer.Bottom - Slack &&
        Inner.Right <= Outer.Right + Slack && Inner.Top <= Outer.Top + Slack)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << Inner.Left << " " << Inner.Bottom << " " << Inner.Right << " "
                                       << Inner.Top << ") is not inside (" << Outer.Left << " " << Outer.Bottom
                                       << " " << Outer.Right << " " << Outer.Top << ")";
}

bool Exists(const String& File)
{
    return GetFileAttributesW(File.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class TestPrinter : public testing::Test {
protected:
    void SetUp() override
    {
        Port = PrinterPortFile(&P);
        ASSERT_FALSE(Port.empty()) << "the default printer writes to no file: the Wine prefix lacks the test "
                                      "printer (tools/env.sh makes it)";
        DeleteFileW(Port.c_str());
    }

    // One page: a text at (X, Y) and a rectangle, in tenths of a millimetre. Answers where the ink
    // may be (the text's cell and the rectangle) and where it must be (the rectangle) in points.
    void DrawPage(int X, int Y, const String& Text, const TRect& Frame, TPointBox& Allowed, TPointBox& Required)
    {
        TCanvas* C = P.GetCanvas();
        SetMapMode(C->GetHandle(), MM_LOMETRIC);
        C->GetFont()->SetName(L"Arial");
        C->GetFont()->SetHeight(-50);
        C->GetFont()->SetColor(clBlack);
        C->GetBrush()->SetStyle(bsClear);
        C->TextOut(X, Y, Text);
        C->Rectangle(Frame);
        const TSize Cell = C->TextExtent(Text);
        TPagePoints Points(C->GetHandle());
        Required = Points.Box(Frame);
        Allowed = Union(Required, Points.Box(TRect{X, Y, X + Cell.cx, Y - Cell.cy}));
    }

    // A document of one page as DrawPage draws it, read back.
    std::vector<TPrintedPage> PrintPage(int X, int Y, const String& Text, const TRect& Frame, const String& ImageName)
    {
        TPointBox Allowed, Required;
        P.BeginDoc();
        DrawPage(X, Y, Text, Frame, Allowed, Required);
        P.EndDoc();
        return ReadPostScript(Port, ImageName);
    }

    TPrinter P;
    String Port;
};

TEST_F(TestPrinter, TwoPagesOfTextAndFramesComeOutAsPrinted)
{
    P.SetTitle(L"Printers test job");
    TPointBox Allowed[2], Required[2];
    P.BeginDoc();
    DrawPage(200, -200, L"Første side: æøå ÆØÅ", TRect{200, -500, 1200, -1500}, Allowed[0], Required[0]);
    P.NewPage();
    DrawPage(600, -1600, L"Anden side", TRect{800, -1800, 1800, -2600}, Allowed[1], Required[1]);
    P.EndDoc();
    // The spooler was given the job's title.
    std::ifstream In(Port.c_str(), std::ios::binary);
    const std::string PostScript((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    In.close();
    EXPECT_NE(PostScript.find("%%Title: Printers test job"), std::string::npos);

    const std::vector<TPrintedPage> Pages = ReadPostScript(Port, L"printers-two-pages");
    ASSERT_EQ(Pages.size(), 2u);
    EXPECT_NE(Pages[0].Text.find(L"Første side: æøå ÆØÅ"), String::npos) << Utf16ToUtf8(Pages[0].Text);
    EXPECT_EQ(Pages[0].Text.find(L"Anden side"), String::npos);
    EXPECT_NE(Pages[1].Text.find(L"Anden side"), String::npos) << Utf16ToUtf8(Pages[1].Text);
    EXPECT_EQ(Pages[1].Text.find(L"Første"), String::npos);
    for (int I = 0; I < 2; ++I) {
        SCOPED_TRACE(I + 1);
        // All ink lies in the text's cell or the frame, and the frame is all there.
        EXPECT_TRUE(Inside(Pages[I].InkBox, Allowed[I], 1.5));
        EXPECT_TRUE(Inside(Required[I], Pages[I].InkBox, 1.5));
    }

    // A second document with the same font reads back as well.
    const std::vector<TPrintedPage> Again =
        PrintPage(200, -200, L"Første side igen", TRect{200, -500, 1200, -1500}, L"printers-second-job");
    ASSERT_EQ(Again.size(), 1u);
    EXPECT_NE(Again[0].Text.find(L"Første side igen"), String::npos) << Utf16ToUtf8(Again[0].Text);
}

TEST_F(TestPrinter, LandscapeTurnsThePage)
{
    ASSERT_EQ(P.GetOrientation(), poPortrait);
    const int Width = P.GetPageWidth(), Height = P.GetPageHeight();
    EXPECT_LT(Width, Height);
    EXPECT_GT(P.GetPixelsPerInchX(), 96);
    EXPECT_EQ(P.DeviceCapability(DC_ORIENTATION), 90);

    P.SetOrientation(poLandscape);
    EXPECT_EQ(P.GetOrientation(), poLandscape);
    EXPECT_EQ(P.GetDeviceMode()->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(P.GetPageWidth(), Height);
    EXPECT_EQ(P.GetPageHeight(), Width);

    // A bar across the landscape page runs up the portrait sheet the printer is fed.
    const std::vector<TPrintedPage> Pages =
        PrintPage(100, -100, L"Tværs", TRect{100, -400, 2600, -500}, L"printers-landscape");
    ASSERT_EQ(Pages.size(), 1u);
    EXPECT_GT(Pages[0].InkBox.Height(), 3 * Pages[0].InkBox.Width());

    P.SetOrientation(poPortrait);
    EXPECT_EQ(P.GetPageWidth(), Width);
    EXPECT_EQ(P.GetPageHeight(), Height);
}

TEST_F(TestPrinter, AJobThatCannotBeWrittenRaisesAndTheNextOnePrints)
{
    // The spooler writes the port file when the document ends: held by another handle without
    // sharing, it cannot.
    HANDLE Held = CreateFileW(Port.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(Held, INVALID_HANDLE_VALUE);
    P.BeginDoc();
    P.GetCanvas()->TextOut(100, 100, L"Går ikke");
    EXPECT_EQ(PrinterError([&] { P.EndDoc(); }), Consts::SPrintEndFailed);
    CloseHandle(Held);
    EXPECT_FALSE(P.GetPrinting());
    EXPECT_TRUE(P.GetAborted());

    const std::vector<TPrintedPage> Pages =
        PrintPage(200, -200, L"Igen", TRect{200, -500, 700, -900}, L"printers-after-failure");
    ASSERT_EQ(Pages.size(), 1u);
    EXPECT_NE(Pages[0].Text.find(L"Igen"), String::npos);
}

TEST_F(TestPrinter, AnExceptionInsideAJobCancelsItAndNothingIsPrinted)
{
    try {
        TPrintJob Job(&P);
        P.GetCanvas()->TextOut(100, 100, L"Halvt");
        P.NewPage();
        throw std::runtime_error("a page could not be laid out");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(P.GetPrinting());
    EXPECT_TRUE(P.GetAborted());
    EXPECT_FALSE(Exists(Port));

    {
        TPrintJob Job(&P);
        P.GetCanvas()->TextOut(100, 100, L"Hel");
        Job.End();
    }
    EXPECT_EQ(ReadPostScript(Port, L"printers-after-cancel").size(), 1u);
}

// The process's printer object goes to the default printer; with none, every operation that
// needs the printer raises the plain error before anything changes, and the same object prints
// once a printer is there.
TEST_F(TestPrinter, WithoutADefaultPrinterEveryOperationRaisesAndNothingChanges)
{
    TPrinter* Global = SetPrinterObject(new TPrinter());
    auto Restore = ScopeExit([] { SetPrinterObject(nullptr); });
    ASSERT_EQ(Printer(), Global);
    Global->SetTitle(L"Uden printer");
    {
        TNoDefaultPrinter NoPrinter;
        ASSERT_TRUE(NoPrinter.Active());
        const std::function<void()> Operations[] = {
            [&] { Global->GetOrientation(); },
            [&] { Global->SetOrientation(poLandscape); },
            [&] { Global->GetPageWidth(); },
            [&] { Global->GetPixelsPerInchY(); },
            [&] { Global->DeviceCapability(DC_ORIENTATION); },
            [&] { Global->GetHandle(); },
            [&] { Global->GetCanvas()->TextOut(0, 0, L"x"); },
            [&] { Global->BeginDoc(); },
        };
        for (const auto& Op : Operations) {
            EXPECT_EQ(PrinterError(Op), Consts::SNoDefaultPrinter);
            EXPECT_FALSE(Global->GetPrinting());
            EXPECT_EQ(Global->GetPageNumber(), 0);
        }
    }
    EXPECT_EQ(Global->GetTitle(), L"Uden printer");
    EXPECT_EQ(Global->GetOrientation(), poPortrait);
    {
        TPrintJob Job(Global);
        Global->GetCanvas()->TextOut(100, 100, L"Med printer");
        Job.End();
    }
    const std::vector<TPrintedPage> Pages = ReadPostScript(Port, L"printers-global");
    ASSERT_EQ(Pages.size(), 1u);
    EXPECT_NE(Pages[0].Text.find(L"Med printer"), String::npos);
}

}  // namespace
