// bench/utils_bench.cpp: the per-cell text utilities on 1,000,000 values, each against a simple
// baseline loop over the same data measured in the same run.
//
//   number format  XlsFormat(x, "#,##0.00")           vs  swprintf("%.2f", x)
//   IsType         IsType(text)                       vs  a loop counting the text's digits
//   CSV quoting    CSVQuotes(text)                    vs  copying the text
//
// The filter-expression matcher has its own: bench/filter_bench.cpp.
#include "graphics/QorUtilText.h"
#include "graphics/jyrxlsfmt.h"

#include "BenchTiming.h"

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <random>
#include <vector>

namespace {

constexpr int N = 1000000;

volatile size_t Sink;

}  // namespace

int main()
{
    FormatSettings = TFormatSettings::Invariant();
    jyrxlsfmt::GetDefaultLocaleFormatSettings() = TFormatSettings::Invariant();

    // Cell texts a grid column would hold: words, numbers, dates, quoted text.
    const wchar_t* Words[] = {L"Bananas", L"Oranges", L"apple pie", L"Grand total", L"Nord / Syd",
                              L"say \"hi\"", L"Danmark", L"Kasper", L"mango", L"Øster Anlæg"};
    std::mt19937 Rng(42);
    std::uniform_real_distribution<double> Num(-100000, 100000);
    std::vector<String> Texts;
    std::vector<double> Values;
    Texts.reserve(N);
    Values.reserve(N);
    for (int i = 0; i < N; ++i) {
        const double x = Num(Rng);
        Values.push_back(x);
        switch (i % 4) {
        case 0: Texts.push_back(Words[i % 10]); break;
        case 1: Texts.push_back(std::to_wstring(i) + L"." + std::to_wstring(i % 100)); break;
        case 2: Texts.push_back(std::to_wstring(i % 28 + 1) + L"/" + std::to_wstring(i % 12 + 1) + L"/2024"); break;
        default: Texts.push_back(String(Words[i % 10]) + L" " + std::to_wstring(i)); break;
        }
    }

    {
        const String Fmt = L"#,##0.00";
        double Base = TimeIt([&] {
            size_t n = 0;
            wchar_t Buf[64];
            for (double x : Values) n += size_t(std::swprintf(Buf, 64, L"%.2f", x));
            Sink = n;
        });
        double Ours = TimeIt([&] {
            size_t n = 0;
            for (double x : Values) n += jyrxlsfmt::XlsFormat(x, Fmt).size();
            Sink = n;
        });
        Report("XlsFormat #,##0.00 1000000", Ours, Base);
        double Plain = TimeIt([&] {
            size_t n = 0;
            for (double x : Values) n += FormatFloat(Fmt, x).size();
            Sink = n;
        });
        Report("  (FormatFloat alone, same pattern)", Plain, Base);
    }
    {
        double Base = TimeIt([&] {
            size_t n = 0;
            for (const String& t : Texts)
                for (Char c : t) n += c >= L'0' && c <= L'9';
            Sink = n;
        });
        double Ours = TimeIt([&] {
            size_t n = 0;
            for (const String& t : Texts) n += size_t(QorUtil::IsType(t));
            Sink = n;
        });
        Report("IsType 1000000", Ours, Base);
    }
    {
        double Base = TimeIt([&] {
            size_t n = 0;
            for (const String& t : Texts) {
                String c = t;
                n += c.size();
            }
            Sink = n;
        });
        double Ours = TimeIt([&] {
            size_t n = 0;
            for (const String& t : Texts) n += QorUtil::CSVQuotes(t).size();
            Sink = n;
        });
        Report("CSVQuotes 1000000", Ours, Base);
    }
    return 0;
}
