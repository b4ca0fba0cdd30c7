// Unit1Text: lines and text, clipboard board import, diagram block, preformatted fields and the
// HTML export.
#include "Unit1Text.h"

#include "framework/SysUtils.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace Unit1TextDetail {

bool IsWhite(Char C) { return unsigned(C) <= 32; }

bool Contains(const String& S, const wchar_t* Sub) { return S.find(Sub) != String::npos; }

String CollapseRuns(const String& S, Char C)
{
    String R;
    R.reserve(S.size());
    for (Char ch : S)
        if (!(ch == C && !R.empty() && R.back() == C)) R += ch;
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
    // A CR LF pair counts at its LF, so a caret between the two stays in the line they close.
    for (size_t i = 0; i < end; ++i) {
        if (Text[i] == L'\n') ++line;
        else if (Text[i] == L'\r' && !(i + 1 < Text.size() && Text[i + 1] == L'\n')) ++line;
    }
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
    int k = 0;   // the number of the non-blank line
    ForEachLine(ClipboardText, [&](const Char* P, size_t N) {
        if (k >= BoardLines || std::all_of(P, P + N, IsWhite)) return;
        String line = AnsiUpperCase(String(P, N));
        if (k == 0) {
            F.Edit37 = line;
        } else if (k == 1) {
            F.Edit38 = DealerText(line);
        } else {
            if (line.size() == 1) line += L" -";   // a void suit: the symbol alone
            if (k <= 17) F.Holding(k - 2) = Copy(line, 3);
            else F.Edit33 = Copy(line, 3);
        }
        ++k;
    });
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
    R.Message = IntToStr(CaretLine);
    R.Lines.reserve(Lines.size() + 4);
    if (size_t(CaretLine) < Lines.size()) {
        R.Lines.assign(Lines.begin(), Lines.begin() + CaretLine + 1);
    } else {
        // The caret stands in the empty line after the last line break: keep that line.
        R.Lines = Lines;
        R.Lines.push_back(String());
        R.Message = IntToStr(Int64(Lines.size()));
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
    // Room for every span at once, so the result is never moved while it grows.
    auto isRed = [](Char c) { return c == L'♦' || c == L'♥'; };
    size_t red = size_t(std::count_if(Text.begin(), Text.end(), isRed));
    String Out;
    Out.reserve(Text.size() + red * (std::char_traits<wchar_t>::length(SpanHeart) - 1) + 2);
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
