// Unit1Text: the paste converter with its input modes and deal store, and the two line
// normalisers.
#include "Unit1Text.h"

#include "framework/SysUtils.h"

#include <string>

using namespace Unit1TextDetail;

TEasydeal Easydeal;

const wchar_t* const SDiagramLineCount = L"Et diagram skal indeholde præcis 12 linier med indhold";

// ---- Input modes ------------------------------------------------------------------------------

TInputMode InputModeFromChecks(bool NV1, bool N1, bool Diagram1, bool FraBBO1)
{
    if (Diagram1) return imDiagram;
    if (FraBBO1) return imBBO;
    return NV1 ? imWritingOrder : imCompass;
}

std::array<bool, 4> ChecksForInputMode(TInputMode Mode)
{
    return {Mode == imWritingOrder, Mode == imCompass, Mode == imDiagram, Mode == imBBO};
}

// ---- Paste converter --------------------------------------------------------------------------

namespace {

enum THand { hNorth = 0, hEast = 1, hSouth = 2, hWest = 3 };
constexpr int Entry(THand Hand, int Suit) { return Hand * 4 + Suit; }

// The lines of the input that hold something, trimmed.
TLines ContentLines(const String& Text)
{
    TLines R;
    for (String& L : TextToLines(Text)) {
        String t = Trim(L);
        if (!t.empty()) R.push_back(std::move(t));
    }
    return R;
}

bool DiagramMode(const String& Text, TEasydeal& Deal, TConvertResult& Result)
{
    TLines lines = ContentLines(Text);
    if (lines.size() != 12) {
        Result.Message = SDiagramLineCount;
        return false;
    }
    for (int i = 0; i < 12; ++i) {
        String conv = DiagramFieldLine(lines[size_t(i)]);
        size_t p = conv.find(L';');
        // North, South, or East of a West-East row: what follows the first separator (a board
        // number or dealer before it is dropped); West: what precedes it.
        Deal[size_t(i)] = L";" + (p == String::npos ? conv : conv.substr(p + 1));
        if (i >= 4 && i < 8) Deal[size_t(i + 8)] = L";" + (p == String::npos ? String() : conv.substr(0, p));
    }
    return true;
}

const wchar_t* const CardWords[13] = {L"A", L"K", L"Q", L"J", L"10", L"9", L"8",
                                      L"7", L"6", L"5", L"4", L"3", L"2"};

bool IsCardWord(const String& S)
{
    if (S.empty() || S.size() > 2) return false;
    for (const wchar_t* w : CardWords)
        if (S == w) return true;
    return false;
}

bool IsSuitWord(const String& S)
{
    return S.size() == 1 && (S[0] == L'♠' || S[0] == L'♥' || S[0] == L'♦' || S[0] == L'♣');
}

String FewGroupsMessage(size_t Found)
{
    return L"Den indsatte hånd skal indeholde 16 farver (4 for hver spiller); der er kun fundet " +
           IntToStr(Int64(Found)) + L".";
}

bool BBOMode(const String& Text, TEasydeal& Deal, TConvertResult& Result)
{
    TLines lines = TextToLines(Text);
    TLines groups;
    size_t i = 0;
    while (i < lines.size() && groups.size() < 16) {
        String t = Trim(lines[i]);
        if (!IsSuitWord(t)) {
            ++i;
            continue;
        }
        String group = t;
        for (++i; i < lines.size() && IsCardWord(lines[i]); ++i) group += lines[i];
        groups.push_back(std::move(group));
    }
    // Checked before anything is stored, so a failed conversion leaves the deal store as it was.
    if (groups.size() < 16) {
        Result.Message = FewGroupsMessage(groups.size());
        Result.ErrorBox = true;
        return false;
    }
    // Groups come South, West, North, East, each from clubs to spades.
    static const THand Order[4] = {hSouth, hWest, hNorth, hEast};
    for (int g = 0; g < 16; ++g) Deal[size_t(Entry(Order[g / 4], 3 - g % 4))] = groups[size_t(g)];
    return true;
}

bool DirectionMode(const String& Text, bool WritingOrder, TEasydeal& Deal)
{
    TLines lines = ContentLines(Text);
    if (lines.size() == 12) {
        for (int s = 0; s < 4; ++s) {
            Deal[size_t(Entry(hNorth, s))] = lines[size_t(s)];
            Deal[size_t(Entry(hSouth, s))] = lines[size_t(8 + s)];
            const String& row = lines[size_t(4 + s)];
            // East from the last place of the row's first character (the whole row when that
            // character stands only once), West before it.
            size_t k = row.rfind(row[0]);
            Deal[size_t(Entry(hEast, s))] = row.substr(k);
            Deal[size_t(Entry(hWest, s))] = Trim(row.substr(0, k));
        }
        return true;
    }
    if (lines.size() == 16) {
        const THand order[3] = {WritingOrder ? hWest : hEast, WritingOrder ? hEast : hSouth,
                                WritingOrder ? hSouth : hWest};
        for (int s = 0; s < 4; ++s) {
            Deal[size_t(Entry(hNorth, s))] = lines[size_t(s)];
            for (int h = 0; h < 3; ++h) Deal[size_t(Entry(order[h], s))] = lines[size_t(4 + 4 * h + s)];
        }
        return true;
    }
    return false;
}

void ReplaceFirst(String& S, const wchar_t* From, const wchar_t* To)
{
    size_t p = S.find(From);
    if (p != String::npos) S.replace(p, std::char_traits<wchar_t>::length(From), To);
}

TLines HandLines(const TEasydeal& Deal)
{
    TLines L;
    L.reserve(12);
    for (int s = 0; s < 4; ++s)
        L.push_back(NumberOfBlanks(8) + SuitPrefix[s] + Deal[size_t(Entry(hNorth, s))]);
    for (int s = 0; s < 4; ++s)
        L.push_back(SuitPrefix[s] + Pad(Deal[size_t(Entry(hWest, s))], 14) + SuitPrefix[s] +
                    Deal[size_t(Entry(hEast, s))]);
    for (int s = 0; s < 4; ++s)
        L.push_back(NumberOfBlanks(8) + SuitPrefix[s] + Deal[size_t(Entry(hSouth, s))]);
    return L;
}

}  // namespace

String DiagramFieldLine(const String& Line)
{
    String W;
    W.reserve(Line.size());
    for (size_t i = 0; i < Line.size(); ++i) {
        Char c = Line[i];
        if (c == L'\t') {
            W += L';';
        } else if (c == L' ' && i + 1 < Line.size() && Line[i + 1] == L' ') {
            W += L';';
            ++i;
        } else {
            W += c;
        }
    }
    // Runs of ";" become one; then every blank goes (those after a ";" and the rest alike).
    W = CollapseRuns(W, L';');
    String R;
    R.reserve(W.size());
    for (Char c : W)
        if (c != L' ') R += c;
    return R;
}

String NormaliseHolding(const String& Entry)
{
    String S = Copy(Entry, 2);
    ReplaceFirst(S, L"A", L"E");
    ReplaceFirst(S, L"Q", L"D");
    ReplaceFirst(S, L"J", L"B");
    ReplaceFirst(S, L"10", L"T");
    ReplaceFirst(S, L"kn", L"B");
    String R;
    R.reserve(S.size());
    for (Char c : S)
        if (c != L' ') R += c;
    return R;
}

TConvertResult ConvertDeal(const String& Memo1Text, TInputMode Mode, TEasydeal& Store)
{
    TConvertResult R;
    // Work on a copy: the store changes only when a conversion succeeds as a whole.
    TEasydeal deal = Store;
    bool ok = false;
    switch (Mode) {
    case imDiagram: ok = DiagramMode(Memo1Text, deal, R); break;
    case imBBO: ok = BBOMode(Memo1Text, deal, R); break;
    case imWritingOrder: ok = DirectionMode(Memo1Text, true, deal); break;
    case imCompass: ok = DirectionMode(Memo1Text, false, deal); break;
    }
    if (!ok) return R;
    for (String& e : deal) e = NormaliseHolding(e);
    Store = deal;
    R.Lines.push_back(String());
    TLines hands = HandLines(Store);
    R.Lines.insert(R.Lines.end(), hands.begin(), hands.end());
    return R;
}

// ---- Line normalisers -------------------------------------------------------------------------

int CardValue(Char C)
{
    switch (C) {
    case L'♠': return 18;
    case L'♥': return 17;
    case L'♦': return 16;
    case L'♣': return 15;
    case L'E': return 14;
    case L'K': return 13;
    case L'D': return 12;
    case L'B': return 11;
    case L'T': return 10;
    case L'\\': return 1;
    default: return (C >= L'2' && C <= L'9') ? int(C - L'0') : 0;
    }
}

namespace {

// Leading "\" removed, runs of "\" made one; with Trailing also the trailing ones.
String TidySeparators(const String& S, bool Trailing)
{
    size_t b = 0, e = S.size();
    while (b < e && S[b] == L'\\') ++b;
    if (Trailing)
        while (e > b && S[e - 1] == L'\\') --e;
    return CollapseRuns(S.substr(b, e - b), L'\\');
}

// The card string of a line: the line with every character of value 0 made "\", or empty when
// the line is empty or ends in such a character.
String CardString(const String& S)
{
    if (S.empty() || CardValue(S.back()) == 0) return {};
    String R(S);
    for (Char& c : R)
        if (CardValue(c) == 0) c = L'\\';
    return TidySeparators(R, false);
}

bool HasSuitSymbol(const String& S) { return S.find_first_of(L"♠♥♦♣") != String::npos; }

// The lines the normalisers walk: the input's lines and one empty line read past the end.
TLines NormaliserInput(const String& Text)
{
    TLines lines = TextToLines(Text);
    lines.push_back(String());
    return lines;
}

}  // namespace

String NormaliseCardLine(const String& Line)
{
    String A;
    A.reserve(Line.size());
    for (Char c : Line) {
        if (c == L'\t') A += L'\\';
        else if (c == L' ' || c == L'-') continue;
        else A += UpCase(c);
    }
    A = TidySeparators(A, true);
    String B;
    B.reserve(A.size());
    for (size_t i = 0; i < A.size(); ++i) {
        Char c = A[i];
        if (c == L'A') B += L'E';
        else if (c == L'Q') B += L'D';
        else if (c == L'J') B += L'B';
        else if (c == L'1' && i + 1 < A.size() && A[i + 1] == L'0') B += L'T';
        else if (c == L'1' || c == L'0') continue;
        else B += c;
    }
    return B;
}

TLines AnalyseLines(const String& Memo1Text)
{
    TLines R;
    for (const String& line : NormaliserInput(Memo1Text)) {
        String s = NormaliseCardLine(line);
        R.push_back(s.size() >= 40 ? String() : CardString(s));
    }
    return R;
}

TLines FindCandidateLines(const String& Memo1Text)
{
    TLines R;
    for (const String& line : NormaliserInput(Memo1Text)) {
        if (NormaliseCardLine(line).size() >= 30) continue;
        if (HasSuitSymbol(line)) continue;
        const size_t L = line.size();
        if (L >= 3) {
            int a = CardValue(line[L - 3]), b = CardValue(line[L - 2]), c = CardValue(line[L - 1]);
            if (a > b && b > c) continue;
        }
        R.push_back(CardString(line));
    }
    return R;
}
