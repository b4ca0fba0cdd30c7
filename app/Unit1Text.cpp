// Unit1Text: lines and text, clipboard board import, diagram block, preformatted fields and the
// HTML export.
#include "Unit1Text.h"

#include <string>
#include <string_view>


namespace Unit1TextDetail {

bool IsWhite(Char C) { return unsigned(C) <= 32; }

String Trim(const String& S)
{
    size_t b = 0, e = S.size();
    while (b < e && IsWhite(S[b])) ++b;
    while (e > b && IsWhite(S[e - 1])) --e;
    return S.substr(b, e - b);
}

String Copy(const String& S, int Index, int Count)
{
    if (Index < 1) Index = 1;
    if (Count <= 0 || size_t(Index) > S.size()) return {};
    return S.substr(size_t(Index - 1), size_t(Count));
}

String CopyFrom(const String& S, int Index) { return Copy(S, Index, int(S.size()) + 1); }

bool Contains(const String& S, const wchar_t* Sub) { return S.find(Sub) != String::npos; }

String CollapseRuns(const String& S, Char C)
{
    String R;
    R.reserve(S.size());
    for (Char ch : S)
        if (!(ch == C && !R.empty() && R.back() == C)) R += ch;
    return R;
}

// Upper-casing as the user's language expects for the letters a board copied from a web page
// holds: Latin (with æ ø å and the other accented letters), Greek and Cyrillic.
Char UpperChar(Char C)
{
    unsigned c = unsigned(C);
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? Char(c - 32) : C;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return Char(c - 0x20);
    if (c == 0xFF) return Char(0x178);
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x131) return L'I';
        if (c == 0x17F) return L'S';
        bool oddLower = (c <= 0x137) || (c >= 0x14A && c <= 0x177);
        bool evenLower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddLower && (c & 1)) return Char(c - 1);
        if (evenLower && !(c & 1)) return Char(c - 1);
        return C;
    }
    if (c == 0x3C2) return Char(0x3A3);
    if (c >= 0x3B1 && c <= 0x3C9) return Char(c - 0x20);
    if (c >= 0x430 && c <= 0x44F) return Char(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return Char(c - 0x50);
    return C;
}

String UpperLinguistic(const String& S)
{
    String R(S);
    for (Char& c : R) c = UpperChar(c);
    return R;
}

const wchar_t* const SuitPrefix[4] = {L"♠ ", L"♥ ", L"♦ ", L"♣ "};

String Pad(const String& S, int Width) { return S + NumberOfBlanks(Width - int(S.size())); }

}  // namespace Unit1TextDetail

using namespace Unit1TextDetail;

// ---- Lines and text ---------------------------------------------------------------------------

TLines TextToLines(const String& Text)
{
    TLines Lines;
    ForEachLine(Text, [&](const Char* P, size_t N) { Lines.emplace_back(P, N); });
    return Lines;
}

String LinesToText(const TLines& Lines)
{
    size_t total = 0;
    for (const String& L : Lines) total += L.size() + 2;
    String Text;
    Text.reserve(total);
    for (const String& L : Lines) {
        Text += L;
        Text += L"\r\n";
    }
    return Text;
}

String AppendLinesToText(const String& Text, const TLines& Lines)
{
    String R = Text;
    if (!R.empty() && R.back() != L'\n' && R.back() != L'\r') R += L"\r\n";
    R += LinesToText(Lines);
    return R;
}

int RealLineAt(const String& Text, int CaretPos)
{
    size_t end = CaretPos < 0 ? 0 : std::min(Text.size(), size_t(CaretPos));
    int line = 0;
    for (size_t i = 0; i < end; ++i) {
        if (Text[i] == L'\n') ++line;
        else if (Text[i] == L'\r' && !(i + 1 < Text.size() && Text[i + 1] == L'\n')) ++line;
    }
    // A caret between CR and LF stands at the end of the line the pair closes.
    return line;
}

// ---- Clipboard board import -------------------------------------------------------------------

namespace {
constexpr String TDiagramFields::* HoldingFields[16] = {
    &TDiagramFields::Edit17, &TDiagramFields::Edit18, &TDiagramFields::Edit19, &TDiagramFields::Edit20,
    &TDiagramFields::Edit21, &TDiagramFields::Edit22, &TDiagramFields::Edit23, &TDiagramFields::Edit24,
    &TDiagramFields::Edit25, &TDiagramFields::Edit26, &TDiagramFields::Edit27, &TDiagramFields::Edit28,
    &TDiagramFields::Edit29, &TDiagramFields::Edit30, &TDiagramFields::Edit31, &TDiagramFields::Edit32};

// Lines the board import reads at most: number, dealer/vulnerability, 16 holdings, date.
constexpr int BoardLines = 19;
}  // namespace

String& TDiagramFields::Holding(int Index) { return this->*HoldingFields[Index & 15]; }
const String& TDiagramFields::Holding(int Index) const { return this->*HoldingFields[Index & 15]; }

String DealerText(const String& Line)
{
    String R;
    if (Contains(Line, L"NORD")) R = L"N/";
    else if (Contains(Line, L"ØST")) R = L"Ø/";
    else if (Contains(Line, L"SYD")) R = L"S/";
    else if (Contains(Line, L"VEST")) R = L"V/";

    if (Contains(Line, L"-")) R += L"Ingen";
    else if (Contains(Line, L"NS")) R += L"NS";
    else if (Contains(Line, L"ØV")) R += L"ØV";
    else if (Contains(Line, L"ALLE")) R += L"Alle";
    return R;
}

TDiagramFields ImportBoard(const String& ClipboardText, const TDiagramFields& Current)
{
    TDiagramFields F = Current;
    int k = 0;
    size_t start = 0, n = ClipboardText.size();
    // Walk the lines without splitting the whole text: only the first 19 non-blank ones count.
    while (k < BoardLines && start <= n) {
        size_t e = start;
        while (e < n && ClipboardText[e] != L'\r' && ClipboardText[e] != L'\n') ++e;
        String raw = ClipboardText.substr(start, e - start);
        if (e < n && ClipboardText[e] == L'\r' && e + 1 < n && ClipboardText[e + 1] == L'\n') ++e;
        start = e + 1;
        bool blank = true;
        for (Char c : raw)
            if (!IsWhite(c)) { blank = false; break; }
        if (blank) {
            if (e >= n) break;
            continue;
        }
        String line = UpperLinguistic(raw);
        if (k == 0) {
            F.Edit37 = line;
        } else if (k == 1) {
            F.Edit38 = DealerText(line);
        } else {
            if (line.size() == 1) line += L" -";
            if (k <= 17) F.Holding(k - 2) = CopyFrom(line, 3);
            else F.Edit33 = CopyFrom(line, 3);
        }
        ++k;
        if (e >= n) break;
    }
    return F;
}

// ---- Diagram block ----------------------------------------------------------------------------

String NumberOfBlanks(int NoB) { return NoB > 0 ? String(size_t(NoB), L' ') : String(); }

namespace {
// The seat row of the bidding for the dealer's letter, or empty for any other character.
String SeatRow(const String& Dealer)
{
    static const wchar_t Seats[4] = {L'N', L'Ø', L'S', L'V'};
    if (Dealer.empty()) return {};
    for (int i = 0; i < 4; ++i) {
        if (Dealer[0] != Seats[i]) continue;
        String R;
        for (int s = 0; s < 4; ++s) {
            R += Seats[(i + s) % 4];
            if (s < 3) R += NumberOfBlanks(7);
        }
        return R;
    }
    return {};
}
}  // namespace

TLines DiagramBlock(const TDiagramFields& F)
{
    TLines L;
    L.push_back(L"[diagram=]");
    if (!F.Edit33.empty() || !F.Edit34.empty()) L.push_back(F.Edit33 + L" " + F.Edit34);
    if (!F.Edit35.empty()) L.push_back(L"NS:" + F.Edit35);
    if (!F.Edit36.empty()) L.push_back(L"ØV:" + F.Edit36);
    L.push_back(Pad(F.Edit37, 8) + SuitPrefix[0] + F.Edit17);
    L.push_back(Pad(F.Edit38, 8) + SuitPrefix[1] + F.Edit18);
    L.push_back(NumberOfBlanks(8) + SuitPrefix[2] + F.Edit19);
    L.push_back(NumberOfBlanks(8) + SuitPrefix[3] + F.Edit20);
    for (int s = 0; s < 4; ++s)
        L.push_back(SuitPrefix[s] + Pad(F.Holding(4 + s), 14) + SuitPrefix[s] + F.Holding(8 + s));
    for (int s = 0; s < 4; ++s) L.push_back(NumberOfBlanks(8) + SuitPrefix[s] + F.Holding(12 + s));
    L.push_back(String());
    String seats = SeatRow(F.Edit38);
    if (!seats.empty()) L.push_back(seats);
    L.push_back(String());
    L.push_back(String());
    L.push_back(L"Udspil: ");
    L.push_back(L"[=diagram]");
    return L;
}

// ---- Preformatted fields and HTML export ------------------------------------------------------

TPreformattedFieldResult InsertPreformattedField(const TLines& Lines, int CaretLine)
{
    if (CaretLine < 0) CaretLine = 0;
    TPreformattedFieldResult R;
    R.Message = std::to_wstring(CaretLine);
    R.Lines.reserve(Lines.size() + 4);
    if (size_t(CaretLine) < Lines.size()) {
        R.Lines.assign(Lines.begin(), Lines.begin() + CaretLine + 1);
    } else {
        // The caret stands in the empty line after the last line break: keep that line.
        R.Lines = Lines;
        R.Lines.push_back(String());
        R.Message = std::to_wstring(Lines.size());
    }
    R.Lines.push_back(L"<pre>");
    R.Lines.push_back(L"Skriv her");
    R.Lines.push_back(L"</pre>");
    if (size_t(CaretLine) + 1 < Lines.size())
        R.Lines.insert(R.Lines.end(), Lines.begin() + CaretLine + 1, Lines.end());
    return R;
}

TLines PreformatAll(const TLines& Lines)
{
    TLines R;
    R.reserve(Lines.size() + 2);
    R.push_back(L"<pre>");
    for (const String& L : Lines)
        if (!Contains(L, L"<pre>") && !Contains(L, L"</pre>") && !Contains(L, L"[diagram=]") &&
            !Contains(L, L"[=diagram]"))
            R.push_back(L);
    R.push_back(L"</pre>");
    return R;
}

namespace {
const wchar_t* const SpanDiamond = L"<span style=\"color: #ff0000;\">♦</span>";
const wchar_t* const SpanHeart = L"<span style=\"color: #ff0000;\">♥</span>";

void AppendHtmlLine(String& Out, std::wstring_view L)
{
    if (L == L"[diagram=]") {
        Out += L"<pre>";
        return;
    }
    if (L == L"[=diagram]") {
        Out += L"</pre>";
        return;
    }
    size_t from = 0;
    for (size_t i = 0; i < L.size(); ++i) {
        if (L[i] != L'♦' && L[i] != L'♥') continue;
        Out.append(L.substr(from, i - from));
        Out += L[i] == L'♦' ? SpanDiamond : SpanHeart;
        from = i + 1;
    }
    Out.append(L.substr(from));
}
}  // namespace

TLines HtmlExportLines(const TLines& Lines)
{
    TLines R;
    R.reserve(Lines.size());
    for (const String& L : Lines) {
        R.emplace_back();
        AppendHtmlLine(R.back(), L);
    }
    return R;
}

String HtmlExportText(const String& Text)
{
    String Out;
    Out.reserve(Text.size() + Text.size() / 4 + 2);
    ForEachLine(Text, [&](const Char* P, size_t N) {
        AppendHtmlLine(Out, std::wstring_view(P, N));
        Out += L"\r\n";
    });
    return Out;
}

String HtmlExport(const TLines& Lines)
{
    size_t total = 0;
    for (const String& L : Lines) total += L.size() + 2;
    String Out;
    Out.reserve(total + total / 4);
    for (const String& L : Lines) {
        AppendHtmlLine(Out, L);
        Out += L"\r\n";
    }
    return Out;
}

// ---- Small handlers ---------------------------------------------------------------------------

bool IsSelectAllKey(Char Key) { return Key == Char(1); }
