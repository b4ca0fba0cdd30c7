// bench/editor_bench.cpp: the editor's text logic on an article of 5,000 lines, against the lower
// bound measured in the same run (reading the text into lines and writing it back).
#include "app/Unit1Text.h"

#include <algorithm>
#include "BenchTiming.h"

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

template <class F>
double TimeIt9(F&& Work) { return TimeIt(Work, 9); }

// The best of Runs timings of Work, in milliseconds.
const wchar_t* const Prose =
    L"Syd spillede 4s efter at Vest havde meldt 1h og 2r, og udspillet var hk. Spilføreren tog med "
    L"es og trak to gange trumf, før han spillede ruder mod bordets rd - en plan der kun gik galt, "
    L"hvis Øst havde sk alene. ";

// An article of about Lines lines: prose paragraphs (some wider than any text area), bidding
// sequences with TABs, and a diagram block every 40 lines.
String Article(int Lines)
{
    TDiagramFields f;
    f.Edit37 = L"SPIL 12";
    f.Edit38 = L"V/ØV";
    const wchar_t* h[16] = {L"AK2", L"QJ5", L"T98", L"K73", L"64",    L"K98", L"7",     L"Q1096",
                            L"Q98", L"T64", L"-",   L"A",   L"J1053", L"A7",  L"K6543", L""};
    for (int i = 0; i < 16; ++i) f.Holding(i) = h[i];
    const TLines block = DiagramBlock(f);

    TLines text;
    while (int(text.size()) < Lines) {
        if (text.size() % 40 == 0) text.insert(text.end(), block.begin(), block.end());
        int n = int(text.size());
        if (n % 7 == 0) text.push_back(L"1k\tp\t1h\t2r\t2s\tp\t4s\tap");
        else if (n % 5 == 0) text.push_back(String(Prose) + Prose + Prose);
        else if (n % 3 == 0) text.push_back(L"");
        else text.push_back(Prose);
    }
    text.resize(size_t(Lines));
    return LinesToText(text);
}

const wchar_t* const Clipboard =
    L"Spil 12\r\nGiver: Vest  Zone: ØV\r\n"
    L"♠ AK2\r\n♥ QJ5\r\n♦ 1098\r\n♣ K73\r\n♠ 64\r\n♥ K98\r\n♦ 7\r\n♣ Q1096\r\n"
    L"♠ Q98\r\n♥ 1064\r\n♦\r\n♣ A\r\n♠ J1053\r\n♥ A7\r\n♦ K6543\r\n♣\r\n"
    L"d 15.11.2020\r\nResultater\r\nPar 1\r\nPar 2\r\n";

}  // namespace

int main()
{
    const int N = 5000;
    const String article = Article(N);
    size_t sink = 0;

    double base = TimeIt9([&] { sink += LinesToText(TextToLines(article)).size(); });

    double import = TimeIt9([&] {
        TDiagramFields f;
        for (int i = 0; i < 100; ++i) f = ImportBoard(Clipboard, f);
        sink += f.Edit37.size();
    }) / 100;

    TDiagramFields fields = ImportBoard(Clipboard, {});
    double append = TimeIt9([&] { sink += AppendLinesToText(article, DiagramBlock(fields)).size(); });

    String exported;
    double symbolsAndExport = TimeIt9([&] {
        String written = SuitSymbolText(article);   // the text area receives the result
        exported = HtmlExportText(written);
        sink += exported.size();
    });

    String symbols;
    double symbolsOnly = TimeIt9([&] { symbols = SuitSymbolText(article); });
    double exportOnly = TimeIt9([&] { sink += HtmlExportText(symbols).size(); });

    double convert = TimeIt9([&] {
        TEasydeal deal;
        sink += ConvertDeal(Clipboard, imWritingOrder, deal).Lines.size();
    });
    double analyse = TimeIt9([&] { sink += AnalyseLines(article).size(); });

    std::printf("article: %d lines, %zu characters; export %zu characters\n", N, article.size(),
                exported.size());
    std::printf("lower bound (text to lines and back):      %8.3f ms\n", base);
    std::printf("import a board from the clipboard:         %8.3f ms\n", import);
    std::printf("append a diagram to the article:           %8.3f ms, %.2fx the lower bound\n", append,
                append / base);
    std::printf("suit-symbol pass and HTML export:          %8.3f ms, %.2fx the lower bound\n",
                symbolsAndExport, symbolsAndExport / base);
    std::printf("  of which the suit-symbol pass:           %8.3f ms\n", symbolsOnly);
    std::printf("  of which the HTML export:                %8.3f ms\n", exportOnly);
    std::printf("paste converter (board text):              %8.3f ms\n", convert);
    std::printf("line normaliser \"Analysér\" on the article: %8.3f ms, %.2fx the lower bound\n", analyse,
                analyse / base);
    return sink == 0 ? 1 : 0;
}
