// bench/print_bench.cpp: the print layout of a 10,000 x 10 grid on an A4 preview page in memory,
// against plain baselines measured in the same run on the same device context:
//   - the counting pass (every row measured and laid out) against one DrawTextW calculation per
//     cell in MM_LOMETRIC with the print font;
//   - drawing one preview page against ExtTextOutW of that page's texts in MM_LOMETRIC.
#include "grid/QorGrid.h"

#include "framework/Forms.h"

#include "BenchTiming.h"

#include <windows.h>

#include <vector>

namespace {

constexpr int Rows = 10000;
constexpr int Cols = 10;
constexpr int PageW = 794, PageH = 1123;

String CellText(int C, int R)
{
    return L"Celle " + IntToStr(R) + L"." + IntToStr(C);
}

// A 32-bit bitmap of one A4 page at 96 dots per inch, selected into a memory DC, with a canvas.
struct TPage {
    HDC DC = CreateCompatibleDC(nullptr);
    HBITMAP Bitmap;
    HGDIOBJ Old;
    TCanvas Canvas;
    TPage()
    {
        BITMAPINFO Info{};
        Info.bmiHeader.biSize = sizeof(Info.bmiHeader);
        Info.bmiHeader.biWidth = PageW;
        Info.bmiHeader.biHeight = -PageH;
        Info.bmiHeader.biPlanes = 1;
        Info.bmiHeader.biBitCount = 32;
        void* Bits = nullptr;
        Bitmap = CreateDIBSection(DC, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
        Old = SelectObject(DC, Bitmap);
        Canvas.SetHandle(DC);
    }
    ~TPage()
    {
        Canvas.SetHandle(nullptr);
        SelectObject(DC, Old);
        DeleteObject(Bitmap);
        DeleteDC(DC);
    }
};

}  // namespace

int main()
{
    Application->Initialize();
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(0, 0, 400, 300);
    Form->HandleNeeded();
    auto* G = Create<TQorStringGrid>(Form);
    G->SetBounds(0, 0, 380, 280);
    G->SetParent(Form);
    G->HandleNeeded();
    G->SetColCount(Cols);
    G->SetRowCount(Rows);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) G->SetCells(c, r, CellText(c, r));
    TPrintSettings* PS = G->GetPrintSettings();
    PS->GetFont()->SetName(L"Arial");
    PS->GetFont()->SetSize(10);
    TPage Page;
    const TRect Display{0, 0, PageW, PageH};

    // The print font in MM_LOMETRIC, as the layout makes it.
    TFont PrintFont;
    PrintFont.Assign(PS->GetFont());
    PrintFont.SetHeight(G->MapFontHeight(PS->GetFont()->GetSize()));
    std::vector<String> Texts;
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) Texts.push_back(CellText(c, r));

    // ---- Counting -------------------------------------------------------------------------------
    const double CalcRects = TimeIt([&] {
        SetMapMode(Page.DC, MM_LOMETRIC);
        HGDIOBJ OldFont = SelectObject(Page.DC, PrintFont.GetHandle());
        for (const String& T : Texts) {
            RECT R{0, 0, 65535, 0};
            DrawTextW(Page.DC, T.c_str(), int(T.size()), &R, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        }
        SelectObject(Page.DC, OldFont);
        SetMapMode(Page.DC, MM_TEXT);
    });
    // A preview whose OnPrintStart empties the range: the counting pass alone.
    G->OnPrintStart = [](TObject*, int, int& From, int& To) { From = To = 0; };
    const double Counting = TimeIt([&] { G->PrintPreview(&Page.Canvas, Display); });
    G->OnPrintStart = nullptr;
    std::printf("pages counted: %d\n", G->GetPrintNrOfPages());

    // ---- One preview page -----------------------------------------------------------------------
    // The layout's own widths and the page's rows: the texts of page 1 drawn where the layout puts
    // them, one ExtTextOutW each.
    PS->SetNoAutoSize(true);
    G->SetFastPrint(true);
    G->SetPreviewPage(1);
    std::vector<std::pair<int, int>> PageCells;
    G->OnCustomCellDraw = [&](TObject*, TCanvas*, int c, int r, TGridDrawState, TRect, bool) {
        PageCells.emplace_back(c, r);
    };
    G->PrintPreview(&Page.Canvas, Display);
    G->OnCustomCellDraw = nullptr;
    std::printf("cells on page 1: %d\n", int(PageCells.size()));
    const double PreviewPage = TimeIt([&] { G->PrintPreview(&Page.Canvas, Display); }, 5);
    const double ExtText = TimeIt([&] {
        SetMapMode(Page.DC, MM_LOMETRIC);
        HGDIOBJ OldFont = SelectObject(Page.DC, PrintFont.GetHandle());
        SetBkMode(Page.DC, TRANSPARENT);
        for (const auto& [c, r] : PageCells) {
            const String& T = Texts[size_t(r * Cols + c)];
            const int x = 100 + c * 180, y = -100 - (r % 64) * 45;
            RECT R{x, y, x + 180, y - 45};
            ExtTextOutW(Page.DC, x, y, ETO_CLIPPED, &R, T.c_str(), UINT(T.size()), nullptr);
        }
        SelectObject(Page.DC, OldFont);
        SetMapMode(Page.DC, MM_TEXT);
    }, 5);

    Report("counting pass, 10,000 x 10", Counting, CalcRects);
    Report("one preview page", PreviewPage, ExtText);
    std::printf("aims: counting 3.00x, preview page 4.00x\n");
    return 0;
}
