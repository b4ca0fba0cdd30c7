// Unit1Text: the suit-symbol pass and its older case-sensitive twin.
//
// Every pass reads a test copy of the line (letters a to z upper-cased) and writes into the line
// itself one character for one, so positions in both stay aligned and a replacement never changes
// what a later test of the same pass sees. Positions in the code count from 0.
#include "Unit1Text.h"

#include "framework/SysUtils.h"

using namespace Unit1TextDetail;

namespace {

constexpr Char Blank = L' ';
constexpr Char Tab = L'\t';

Char SuitSymbol(Char Letter)
{
    switch (Letter) {
    case L'S': return L'♠';
    case L'H': return L'♥';
    case L'R': return L'♦';
    case L'K': return L'♣';
    default: return 0;
    }
}

bool IsRank(Char C)
{
    return (C >= L'2' && C <= L'9') || C == L'B' || C == L'D' || C == L'E' || C == L'K' || C == L'T';
}

// A letter right after a suit symbol and its blank is a rank of that suit's holding (the diagram
// block writes "♥ K98" and spaced holdings such as "♠ K 10 9 4"), never a suit letter: its king must
// stay a king in every pass.
bool FollowsSuitSymbol(const String& T, size_t j)
{
    return j >= 2 && T[j - 1] == Blank &&
           (T[j - 2] == L'♠' || T[j - 2] == L'♥' || T[j - 2] == L'♦' || T[j - 2] == L'♣');
}

// The test copy of the line in T, whose buffer is reused from line to line.
void TestCopy(const Char* Line, size_t L, String& T)
{
    T.assign(Line, L);
    for (Char& c : T) c = UpCase(c);
}

// Bids: a level 1 to 7 at a word start, followed by a suit letter or U.
void BidPass(Char* Line, size_t L, String& T)
{
    TestCopy(Line, L, T);
    for (size_t j = 0; j + 1 < L; ++j) {
        if (j > 0 && T[j - 1] != Blank && T[j - 1] != Tab) continue;
        if (T[j] < L'1' || T[j] > L'7') continue;
        Char next = T[j + 1];
        if (Char sym = SuitSymbol(next)) Line[j + 1] = sym;
        else if (next == L'U') Line[j + 1] = L'U';
    }
}

// One-letter suit words: a suit letter between blanks (or at the start of the line) followed by
// a word.
void SuitWordPass(Char* Line, size_t L, String& T)
{
    TestCopy(Line, L, T);
    for (size_t j = 0; j + 1 < L; ++j) {
        Char sym = SuitSymbol(T[j]);
        if (!sym || T[j + 1] != Blank) continue;
        if (j + 2 < L && T[j + 2] == Blank) continue;
        if (j > 0 && T[j - 1] != Blank) continue;
        if (FollowsSuitSymbol(T, j)) continue;
        Line[j] = sym;
    }
}

// A suit letter starting a word and followed by ranks up to a blank, TAB, comma or full stop, or
// up to the line's last character.
void SuitRanksPass(Char* Line, size_t L, String& T)
{
    TestCopy(Line, L, T);
    for (size_t j = 0; j + 1 < L; ++j) {
        Char sym = SuitSymbol(T[j]);
        if (!sym) continue;
        bool wordStart = (j == 0 && T[1] != Blank) ||
                         (j > 0 && T[j - 1] == Blank && T[j + 1] != Blank && (j < 2 || T[j - 2] != L'?') &&
                          !FollowsSuitSymbol(T, j));
        if (!wordStart) continue;
        size_t k = j + 1;
        while (k < L && IsRank(T[k])) ++k;
        if (k == L) continue;                        // the run reaches the end of the line
        if (k == L - 1 || T[k] == Tab || T[k] == Blank || T[k] == L',' || T[k] == L'.') Line[j] = sym;
    }
}

bool IsCallDelimiter(Char C)
{
    return C == Tab || C == L'\r' || C == Blank || C == L'#' || C == L'*';
}

// Calls: P, D, RD and AP as words of their own.
void CallPass(Char* Line, size_t L, String& T)
{
    TestCopy(Line, L, T);
    // The word ends at position Last: the line ends there or a delimiter follows.
    auto endsAt = [&](size_t Last) { return Last + 1 == L || IsCallDelimiter(T[Last + 1]); };
    for (size_t j = 0; j < L; ++j) {
        if (j > 0 && T[j - 1] != Blank && T[j - 1] != Tab) continue;
        if (T[j] == L'P' && endsAt(j)) Line[j] = L'P';
        if (T[j] == L'D' && endsAt(j)) Line[j] = L'D';
        if (j + 1 < L && T[j] == L'R' && T[j + 1] == L'D' && endsAt(j + 1)) {
            Line[j] = L'R';
            Line[j + 1] = L'D';
        }
        if (j + 1 < L && T[j] == L'A' && T[j + 1] == L'P' && endsAt(j + 1)) {
            Line[j] = L'A';
            Line[j + 1] = L'P';
        }
    }
}

void SuitSymbolsInPlace(Char* Line, size_t L, String& Scratch)
{
    BidPass(Line, L, Scratch);
    SuitWordPass(Line, L, Scratch);
    SuitRanksPass(Line, L, Scratch);
    CallPass(Line, L, Scratch);
}

}  // namespace

String SuitSymbolLine(const String& Line)
{
    String R(Line), scratch;
    SuitSymbolsInPlace(R.data(), R.size(), scratch);
    return R;
}

TLines SuitSymbolPass(const TLines& Lines)
{
    // The passes are line by line and keep every line's length and line breaks, so running all
    // four on one line before the next gives what four passes over the whole text give.
    TLines R(Lines);
    String scratch;
    for (String& L : R) SuitSymbolsInPlace(L.data(), L.size(), scratch);
    return R;
}

String SuitSymbolText(const String& Text)
{
    String Out, scratch;
    Out.reserve(Text.size() + Text.size() / 16 + 2);
    ForEachLine(Text, [&](const Char* P, size_t N) {
        size_t at = Out.size();
        Out.append(P, N);
        SuitSymbolsInPlace(Out.data() + at, N, scratch);
        Out += L"\r\n";
    });
    return Out;
}

String RetmeldingerLine(const String& Line)
{
    String R(Line);
    const size_t L = R.size();
    for (size_t j = 0; j + 1 < L; ++j)
        if (R[j] >= L'1' && R[j] <= L'7' && SuitSymbol(R[j + 1])) R[j + 1] = SuitSymbol(R[j + 1]);

    // The first character that is not white space: replacements only turn letters into symbols,
    // so it stays at the same place while the line changes.
    size_t first = 0;
    while (first < L && unsigned(R[first]) <= 32) ++first;
    auto beginsWithSymbol = [&] {
        return first < L && (R[first] == L'♠' || R[first] == L'♥' || R[first] == L'♦' ||
                             R[first] == L'♣');
    };
    for (size_t j = 0; j + 1 < L; ++j) {
        if (!IsRank(R[j + 1])) continue;
        if (R[j] == L'S' || R[j] == L'H' || R[j] == L'R') R[j] = SuitSymbol(R[j]);
        else if (R[j] == L'K' && !beginsWithSymbol()) R[j] = L'♣';
    }
    return R;
}

TLines RetmeldingerPass(const TLines& Lines)
{
    TLines R;
    R.reserve(Lines.size());
    for (const String& L : Lines) R.push_back(RetmeldingerLine(L));
    return R;
}
