// Shared by the text benchmarks: their words, and raw predicates' folding (a text upper-cased
// through the matcher's own case table, so the hand-written scans and the code measured fold
// letters alike).
#pragma once

#include "graphics/QorUtilText.h"

#include <algorithm>
#include <iterator>
#include <string_view>

// The text upper-cased into Buf (long texts are cut; the benchmarks have none).
inline std::wstring_view Folded(const String& t, Char (&Buf)[256])
{
    static const Char* const T = QorUtil::Detail::UpperCaseTable();
    const size_t n = std::min(t.size(), std::size(Buf));
    for (size_t i = 0; i < n; ++i) Buf[i] = T[Word(t[i])];
    return std::wstring_view(Buf, n);
}

// The words the text benchmarks build their cells from: short names and words, Danish letters,
// two cases of one word.
inline constexpr const wchar_t* BenchWords[] = {L"Anna",   L"Hansen", L"Jensen", L"abc",   L"ABC",    L"Peter",
                                                L"Karen",  L"Frank",  L"Møller", L"Banan", L"Ærø",    L"Larsen",
                                                L"Rasmus", L"Ane",    L"Per",    L"Andreas"};
