// The print and preview entry points: each chooses the cell rectangle and whether only the
// selected cells print, counts the pages (unless FastPrint), asks OnPrintStart for the range and
// lays the pages out again to draw them.
#include "grid/print/BuildPages.h"

#include "framework/Printers.h"
#include "framework/WinScope.h"

#include <climits>

namespace {

// Sets a canvas's mapping mode for a scope.
class TMapModeScope {
public:
    TMapModeScope(HDC DC, int Mode) : FDC(DC), FOld(SetMapMode(DC, Mode)) {}
    ~TMapModeScope() { SetMapMode(FDC, FOld ? FOld : MM_TEXT); }
    TMapModeScope(const TMapModeScope&) = delete;
    TMapModeScope& operator=(const TMapModeScope&) = delete;

private:
    HDC FDC;
    int FOld;
};

}  // namespace

// ---- Print --------------------------------------------------------------------------------------

void TQorStringGrid::Print()
{
    PrivatePrintRect(TGridRect{0, 0, GetColCount() - 1, GetRowCount() - 1}, false);
}

void TQorStringGrid::PrintRect(TGridRect Gridrect)
{
    PrivatePrintRect(Gridrect, false);
}

void TQorStringGrid::PrintSelection()
{
    PrivatePrintRect(GetSelection(), false);
}

void TQorStringGrid::PrintSelectedRows()
{
    PrivatePrintRect(TGridRect{0, 0, GetColCount() - 1, GetRowCount() - 1}, true);
}

void TQorStringGrid::PrintSelectedCols()
{
    PrivatePrintRect(TGridRect{0, 0, GetColCount() - 1, GetRowCount() - 1}, true);
}

void TQorStringGrid::PrivatePrintRect(TGridRect Gridrect, bool SelRows)
{
    TPrintSettings* PS = GetPrintSettings();
    TPrinter* P = Printer();
    // The printer first: without one EPrinter leaves everything as it was.
    const bool WasPrinting = P->GetPrinting();
    if (!WasPrinting && !PS->GetUseDefaultOrientation()) P->SetOrientation(PS->GetOrientation());
    // The page in tenths of a millimetre: the printer canvas's clip box, the room the drawing
    // pass gets, so that both passes break the pages alike.
    TRect Page;
    {
        HDC DC = P->GetHandle();
        TMapModeScope Metric(DC, MM_LOMETRIC);
        RECT Clip{};
        GetClipBox(DC, &Clip);
        Page = TRect{0, 0, Clip.right, -Clip.bottom};
    }

    ExportNotification(esExportStart, -1);
    auto Done = ScopeExit([&] { ExportNotification(esExportDone, -1); });
    FPrint.FPrintRect = Gridrect;
    FPrint.PrevRect = Page;
    P->SetTitle(PS->GetJobName());

    FPrint.FUseCacheRowHeights = false;
    FLists.FCacheRowHeights->Clear();
    int Count = INT_MAX;
    if (!GetFastPrint()) {
        TMapModeScope Metric(GetCanvas()->GetHandle(), MM_LOMETRIC);
        Count = BuildPages(GetCanvas(), 2, SelRows, -1);
        FPrint.FUseCacheRowHeights = true;
    }
    FPrint.FPrintPageFrom = 1;
    FPrint.FPrintPageTo = Count;
    FPrint.FPrintNrOfPages = Count;
    if (OnPrintStart) OnPrintStart(this, Count, FPrint.FPrintPageFrom, FPrint.FPrintPageTo);
    if (FPrint.FPrintPageFrom <= 0 || FPrint.FPrintPageTo <= 0 || FPrint.FPrintPageTo < FPrint.FPrintPageFrom) return;

    TPrintJob Job(P);
    TCanvas* Canvas = P->GetCanvas();
    {
        TMapModeScope Metric(Canvas->GetHandle(), MM_LOMETRIC);
        Canvas->GetBrush()->SetColor(clWhite);
        Canvas->GetPen()->SetColor(clWhite);
        FPrint.FPrintNrOfPages = FPrint.FPrintPageTo;
        TValueScope<bool> OnPrinter(FPrint.FOnPrinter, true);
        // Without a counting pass the total is unknown: page numbers show none.
        BuildPages(Canvas, 1, SelRows, GetFastPrint() ? -1 : Count);
    }
    Job.End();
}

// ---- Preview ------------------------------------------------------------------------------------

void TQorStringGrid::PrintPreview(TCanvas* Canvas, TRect Displayrect)
{
    PrivatePrintPreviewRect(Canvas, Displayrect, TGridRect{0, 0, GetColCount() - 1, GetRowCount() - 1}, false);
}

void TQorStringGrid::PrintPreviewRect(TCanvas* Canvas, TRect Displayrect, TGridRect Gridrect)
{
    PrivatePrintPreviewRect(Canvas, Displayrect, Gridrect, false);
}

void TQorStringGrid::PrintPreviewSelection(TCanvas* Canvas, TRect Displayrect)
{
    PrivatePrintPreviewRect(Canvas, Displayrect, GetSelection(), false);
}

void TQorStringGrid::PrintPreviewSelectedRows(TCanvas* Canvas, TRect Displayrect)
{
    PrivatePrintPreviewRect(Canvas, Displayrect, TGridRect{0, 0, GetColCount() - 1, GetRowCount() - 1}, true);
}

void TQorStringGrid::PrintPreviewSelectedCols(TCanvas* Canvas, TRect Displayrect)
{
    PrivatePrintPreviewRect(Canvas, Displayrect, TGridRect{0, 0, GetColCount() - 1, GetRowCount() - 1}, true);
}

void TQorStringGrid::PrivatePrintPreviewRect(TCanvas* Canvas, TRect Displayrect, TGridRect Gridrect, bool SelRows)
{
    ExportNotification(esExportStart, -1);
    FPrint.FPrintRect = Gridrect;
    TMapModeScope Metric(Canvas->GetHandle(), MM_LOMETRIC);
    auto Done = ScopeExit([&] {
        FPrint.FIsPrintPreview = false;
        ExportNotification(esExportDone, -1);
    });
    FPrint.PrevRect = Displayrect;
    FPrint.FUseCacheRowHeights = false;
    FLists.FCacheRowHeights->Clear();
    int Count = 1;
    if (!GetFastPrint()) {
        Count = BuildPages(Canvas, 3, SelRows, -1);
        FPrint.FPrintNrOfPages = Count;
        FPrint.FUseCacheRowHeights = true;
    }
    FPrint.FIsPrintPreview = true;
    int From = 1, To = Count;
    if (OnPrintStart) OnPrintStart(this, Count, From, To);
    if (From <= 0 || To <= 0 || To < From) return;
    FPrint.PrevRect = Displayrect;
    BuildPages(Canvas, 0, SelRows, Count);
}

// ---- Drawing on any canvas ----------------------------------------------------------------------

void TQorStringGrid::PrintDraw(TCanvas* Canvas, TRect DrawRect)
{
    PrintDrawRect(Canvas, DrawRect, TGridRect{0, 0, GetColCount() - 1, GetRowCount() - 1});
}

void TQorStringGrid::PrintDrawRect(TCanvas* Canvas, TRect DrawRect, TGridRect Gridrect)
{
    FPrint.FPrintRect = Gridrect;
    FPrint.PrevRect = DrawRect;
    FPrint.FPrintPageFrom = FPrint.FPrintPageTo = FPrint.FPrintNrOfPages = 1;
    FPrint.FUseCacheRowHeights = false;
    TMapModeScope Metric(Canvas->GetHandle(), MM_LOMETRIC);
    BuildPages(Canvas, 1, false, 1);
}
