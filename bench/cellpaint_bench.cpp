// bench/cellpaint_bench.cpp: one screen of 20 x 20 cells painted through the grid's own paint
// into a memory DIB, against baselines measured in the same run: plain cells against ExtTextOutW
// of the same texts at the same places in the same font (aim: within 3x), markup cells against the
// plain screen (aim: within 4x), widget cells against the plain screen (reported); the screen
// with empty cells shows what the painting frame costs before any text.
#include "grid/QorGrid.h"

#include "framework/Forms.h"

#include "BenchTiming.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Cols = 20, Rows = 20, CW = 64, RH = 22;
constexpr int Screens = 20;   // screens per timed run

String PlainText(int c, int r)
{
    static const wchar_t* Words[] = {L"Bord", L"4♠ N", L"3NT S", L"♥K", L"-420", L"Kontrakt", L"12", L"Øst"};
    return String(Words[(c * 7 + r) % 8]) + L" " + IntToStr(r * Cols + c);
}

String MarkupText(int c, int r)
{
    switch ((c + r) % 4) {
    case 0: return L"<b>" + PlainText(c, r) + L"</b>";
    case 1: return L"<font color=\"clRed\">" + PlainText(c, r) + L"</font>";
    case 2: return L"<i>" + PlainText(c, r) + L"</i> x";
    default: return L"<u>" + PlainText(c, r) + L"</u>";
    }
}

struct TMemoryScreen {
    HDC DC = nullptr;
    HBITMAP Bmp = nullptr;
    HGDIOBJ Old = nullptr;
    TMemoryScreen()
    {
        BITMAPINFO BI{};
        BI.bmiHeader.biSize = sizeof(BI.bmiHeader);
        BI.bmiHeader.biWidth = Cols * CW;
        BI.bmiHeader.biHeight = -Rows * RH;
        BI.bmiHeader.biPlanes = 1;
        BI.bmiHeader.biBitCount = 32;
        void* Bits = nullptr;
        DC = ::CreateCompatibleDC(nullptr);
        Bmp = ::CreateDIBSection(DC, &BI, DIB_RGB_COLORS, &Bits, nullptr, 0);
        Old = ::SelectObject(DC, Bmp);
    }
    ~TMemoryScreen()
    {
        ::SelectObject(DC, Old);
        ::DeleteObject(Bmp);
        ::DeleteDC(DC);
    }
};

TQorStringGrid* NewGrid(TForm* Form)
{
    auto* G = Create<TQorStringGrid>(Form);
    G->SetBorderStyle(bsNone);
    G->SetScrollBars(TScrollStyle::ssNone);
    G->SetDefaultColWidth(CW);
    G->SetDefaultRowHeight(RH);
    G->SetColCount(Cols);
    G->SetRowCount(Rows);
    G->SetBounds(0, 0, Cols * CW, Rows * RH);
    G->GetFont()->SetName(L"Tahoma");
    G->SetParent(Form);
    G->HandleNeeded();
    return G;
}

void Fill(TQorStringGrid* G, String (*Text)(int, int))
{
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) G->SetCellEx(c, r, Text(c, r));
}

}  // namespace

int main()
{
    Application->Initialize();
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(0, 0, Cols * CW + 40, Rows * RH + 60);
    Form->HandleNeeded();
    TQorStringGrid* G = NewGrid(Form);
    TMemoryScreen S;

    auto PaintScreens = [&] {
        for (int i = 0; i < Screens; ++i) G->PaintTo(S.DC, 0, 0);
    };

    // Baseline: the same texts by ExtTextOutW, clipped to their cells, in the grid's font.
    Fill(G, PlainText);
    std::vector<String> Texts;
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) Texts.push_back(PlainText(c, r));
    HFONT Font = G->GetFont()->GetHandle();
    // A second font (bold), for the probe of what a cell of styled markup pays for its font.
    std::unique_ptr<TFont> Bold(Create<TFont>());
    Bold->Assign(G->GetFont());
    Bold->SetStyle({fsBold});
    HFONT BoldFont = Bold->GetHandle();
    // The same texts, optionally with a clip region selected (as a paint has), with the text
    // colour and mode set per call, or with the bold font selected for each text and the grid's
    // font back after it: unclipped and set once is the baseline, the others are probes of what a
    // cell's drawing costs on this DC.
    auto TextScreens = [&](bool Clip, bool PerCall, bool Styled) {
        for (int i = 0; i < Screens; ++i) {
            const int Saved = ::SaveDC(S.DC);
            if (Clip) ::IntersectClipRect(S.DC, 0, 0, Cols * CW, Rows * RH);
            HGDIOBJ OldFont = ::SelectObject(S.DC, Font);
            ::SetBkMode(S.DC, TRANSPARENT);
            for (int r = 0; r < Rows; ++r)
                for (int c = 0; c < Cols; ++c) {
                    const String& T = Texts[size_t(r * Cols + c)];
                    RECT R{c * CW + 2, r * RH + 2, (c + 1) * CW - 2, (r + 1) * RH - 2};
                    if (PerCall) {
                        ::SetTextColor(S.DC, RGB(0, 0, 0));
                        ::SetBkMode(S.DC, TRANSPARENT);
                    }
                    if (Styled) ::SelectObject(S.DC, BoldFont);
                    ::ExtTextOutW(S.DC, R.left, R.top, ETO_CLIPPED, &R, T.c_str(), UINT(T.size()), nullptr);
                    if (Styled) ::SelectObject(S.DC, Font);
                }
            ::SelectObject(S.DC, OldFont);
            ::RestoreDC(S.DC, Saved);
        }
    };
    const double Ext = TimeIt([&] { TextScreens(false, false, false); }, 5);
    const double ExtStyled = TimeIt([&] { TextScreens(false, false, true); }, 5);
    const double ExtClip = TimeIt([&] { TextScreens(true, false, false); }, 5);
    const double ExtPerCall = TimeIt([&] { TextScreens(true, true, false); }, 5);
    // The three fills (background, two lines) of a cell with one brush made per paint.
    const double Fills = TimeIt([&] {
        for (int i = 0; i < Screens; ++i) {
            HBRUSH Back = ::CreateSolidBrush(RGB(255, 255, 255)), Line = ::CreateSolidBrush(RGB(192, 192, 192));
            for (int r = 0; r < Rows; ++r)
                for (int c = 0; c < Cols; ++c) {
                    RECT R{c * CW, r * RH, (c + 1) * CW - 1, (r + 1) * RH - 1};
                    ::FillRect(S.DC, &R, Back);
                    RECT H{c * CW, (r + 1) * RH - 1, (c + 1) * CW - 1, (r + 1) * RH};
                    RECT V{(c + 1) * CW - 1, r * RH, (c + 1) * CW, (r + 1) * RH};
                    ::FillRect(S.DC, &H, Line);
                    ::FillRect(S.DC, &V, Line);
                }
            ::DeleteObject(Back);
            ::DeleteObject(Line);
        }
    }, 5);

    const double Plain = TimeIt(PaintScreens, 5);
    // The painting frame alone: the same screen with empty cells.
    Fill(G, [](int, int) { return String(); });
    const double Empty = TimeIt(PaintScreens, 5);
    Fill(G, MarkupText);
    const double Markup = TimeIt(PaintScreens, 5);

    Fill(G, PlainText);
    for (int r = 1; r < Rows; ++r)
        for (int c = 1; c < Cols; ++c) {
            if ((c + r) % 3 == 0) G->AddCheckBox(c, r, (c % 2) == 0, false);
            else if ((c + r) % 3 == 1) G->AddProgressPie(c, r, clGreen, (c * 5 + r) % 100);
        }
    const double Widgets = TimeIt(PaintScreens, 5);

    std::printf("One screen of %d cells, %d screens per run\n", Cols * Rows, Screens);
    Report("plain cells vs ExtTextOutW (aim 3x)", Plain, Ext);
    Report("empty cells vs ExtTextOutW", Empty, Ext);
    Report("plain cells vs empty cells", Plain, Empty);
    Report("probe: text, clip region selected", ExtClip, Ext);
    Report("probe: text, colour and mode per call", ExtPerCall, Ext);
    Report("probe: three fills a cell", Fills, Ext);
    Report("probe: text, font in and out a cell", ExtStyled, Ext);
    Report("markup cells vs plain (aim 4x)", Markup, Plain);
    Report("widget cells vs plain", Widgets, Plain);
    Form->Free();
    return 0;
}
