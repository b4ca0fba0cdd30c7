// bench/html_bench.cpp: the markup renderer on 10,000 typical grid cell texts (a few tags, a
// character reference, a colour), measured and drawn into a memory bitmap, each against drawing
// the same texts, stripped of their markup beforehand, with one plain DrawText per cell in the
// same run.
//
//   measure  HTMLDrawEx in measuring mode   vs  DrawText of the stripped text
//   draw     HTMLDrawEx in drawing mode     vs  DrawText of the stripped text
#include "graphics/JyrHTMLE.h"

#include "BenchTiming.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int N = 10000;

volatile int Sink;

String Cell(int i)
{
    const String n = std::to_wstring(i);
    switch (i % 5) {
    case 0: return L"<b>Pair " + n + L"</b> &amp; <font color=\"clRed\">" + std::to_wstring(i % 97) + L"</font> pts";
    case 1: return L"Board <i>" + n + L"</i>: <font color=\"#008000\">NS</font> vul&nbsp;all";
    case 2: return L"<u>Round</u> " + std::to_wstring(i % 5 + 1) + L" - <b>table " + std::to_wstring(i % 3 + 1) + L"</b>";
    case 3: return L"<font color=\"clBlue\"><b>" + n + L"</b></font> &euro; score";
    default: return L"<i>Hansen</i> &amp; <b>Jensen</b> <font color=\"#C00000\">+" + std::to_wstring(i % 400) + L"</font>";
    }
}

}  // namespace

int main()
{
    std::vector<String> Texts, Plain;
    Texts.reserve(N);
    Plain.reserve(N);
    for (int i = 0; i < N; ++i) {
        Texts.push_back(Cell(i));
        // The baseline draws what the cell shows: tags stripped, references decoded, and "&"
        // doubled so that DrawText shows it as the renderer does.
        String P = JyrHTMLE::DecodeRun(JyrHTMLE::HTMLStrip(JyrHTMLE::PrepareMarkup(Texts.back())));
        Plain.push_back(P);
    }

    std::unique_ptr<TBitmap> Bmp(Create<TBitmap>(220, 24));
    TCanvas* C = Bmp->GetCanvas();
    C->GetFont()->SetName(L"Tahoma");
    C->GetFont()->SetSize(8);
    C->GetBrush()->SetColor(clWhite);
    const TRect R{2, 2, 218, 22};

    String AnchorVal, StripVal, FocusAnchor, AnchorHint, CID, CV, CT;
    int XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = 0;
    TRect HoverRect, ControlRect;
    const auto Html = [&](const String& S, bool Measure) {
        JyrHTMLE::HTMLDrawEx(C, S, R, nullptr, -1, -1, -1, 0, 1, false, Measure, false, false, true,
                             false, true, false, L"", 1.0, clBlue, clNone, clNone, clGray, AnchorVal,
                             StripVal, FocusAnchor, AnchorHint, XSize, YSize, HyperLinks, MouseLink,
                             HoverRect, ControlRect, CID, CV, CT, nullptr, nullptr, nullptr,
                             bdLeftToRight);
        return XSize + YSize;
    };

    const double Base = TimeIt([&] {
        HDC DC = C->GetHandle();
        SetBkMode(DC, TRANSPARENT);
        int n = 0;
        for (const String& P : Plain) {
            RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
            n += DrawTextW(DC, P.c_str(), int(P.size()), &Rc, DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS);
        }
        Sink = n;
    });
    const double Measure = TimeIt([&] {
        int n = 0;
        for (const String& S : Texts) n += Html(S, true);
        Sink = n;
    });
    const double Draw = TimeIt([&] {
        int n = 0;
        for (const String& S : Texts) n += Html(S, false);
        Sink = n;
    });

    std::printf("%d markup cell texts, e.g. %ls\n", N, Texts[0].c_str());
    Report("measure (HTMLDrawEx)", Measure, Base);
    Report("draw (HTMLDrawEx)", Draw, Base);
    return 0;
}
