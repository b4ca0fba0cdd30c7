// QorUtil text routines: search and split, CSV, line-break codings, packed wide text, the fixed
// decimal separator, HTML helpers, capitalisation and accent removal.
#include "QorUtilText.h"

#include <algorithm>
#include <cwchar>

namespace QorUtil {

using Detail::PosFrom;

namespace {

constexpr Char CR = 13;
constexpr Char LF = 10;

// Every occurrence of From replaced by To (From non-empty).
String ReplaceAll(const String& s, std::wstring_view From, std::wstring_view To)
{
    String r;
    r.reserve(s.size());
    size_t i = 0;
    for (;;) {
        size_t p = s.find(From.data(), i, From.size());
        if (p == String::npos) break;
        r.append(s, i, p - i);
        r.append(To);
        i = p + From.size();
    }
    r.append(s, i, String::npos);
    return r;
}

String ReplaceChar(String s, Char From, Char To)
{
    std::replace(s.begin(), s.end(), From, To);
    return s;
}

String RemoveChar(const String& s, Char ch)
{
    String r;
    r.reserve(s.size());
    for (Char c : s)
        if (c != ch) r += c;
    return r;
}

}  // namespace

// ---- Search and split -------------------------------------------------------------------------

int VarPos(const String& su, const String& s, int& respos)
{
    respos = PosFrom(su, s);
    return respos;
}

int VarCharPos(Char ch, const String& s, int& Res)
{
    int p = CharPos(ch, s);
    if (p > 0) Res = p;
    return p;
}

int CharPos(Char ch, const String& s)
{
    size_t p = s.find(ch);
    return p == String::npos ? 0 : int(p) + 1;
}

int FIPos(const String& su, const String& s)
{
    return PosFrom(su, Detail::UpperStr(s));
}

int StrPosWide(const String& SubStr, const String& Str)
{
    return PosFrom(SubStr, Str);
}

String GetToken(String& s, const String& separator)
{
    size_t p = separator.empty() ? String::npos : s.find(separator);
    if (p == String::npos) {
        // The last field: returned whole, so that a loop over the tokens ends.
        String r;
        r.swap(s);
        return r;
    }
    String r = s.substr(0, p);
    s.erase(0, p + 1);
    return r;
}

String GetUnquotedStr(const String& S)
{
    if (S.size() > 2 && S.front() == L'"' && S.back() == L'"') return S.substr(1, S.size() - 2);
    return S;
}

bool IsURL(const String& s)
{
    return s.find(L"://") != String::npos || s.find(L"mailto:") != String::npos;
}

void StripURLProtocol(String& s)
{
    size_t p = s.find(L"://");
    if (p != String::npos) {
        s.erase(0, p + 3);
        return;
    }
    p = s.find(L"mailto:");
    if (p != String::npos) s.erase(0, p + 7);
}

bool NameToCell(const String& s, TPoint& cell)
{
    String u = Detail::UpperStr(s);
    if (u.size() <= 3 || u[0] != L'R') return false;
    size_t c = u.find(L'C');
    if (c == String::npos) return false;
    int Row = 0, Col = 0;
    if (!TryStrToInt(u.substr(1, c - 1), Row)) return false;
    if (!TryStrToInt(u.substr(c + 1), Col)) return false;
    cell = TPoint(Col, Row);
    return true;
}

// ---- CSV ---------------------------------------------------------------------------------------

String CSVQuotes(const String& S)
{
    if (S.find(L'"') == String::npos) return S;
    return ReplaceAll(S, L"\"", L"\"\"");
}

String DoubleToSingleChar(Char ch, const String& s)
{
    if (s.find(ch) == String::npos) return s;
    String r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        r += s[i];
        if (s[i] == ch && i + 1 < s.size() && s[i + 1] == ch) ++i;
    }
    return r;
}

int SinglePos(Char p, const String& s, int& sp)
{
    const size_t n = s.size();
    size_t i = 0;
    sp = 0;
    while (i < n) {
        if (s[i] != p) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < n && s[j] == p) ++j;
        if (j == n) {   // a quote in the last position ends the field at once
            sp = int(n);
            return sp;
        }
        if ((j - i) % 2 == 1) {
            sp = int(j);   // 1-based position of the run's last quote
            return sp;
        }
        i = j;
    }
    return 0;
}

int NumDelim(Char p, const String& s)
{
    int Outside = 0, Inside = 0;
    Char Open = 0;   // the quote that opened the current quoted part, 0 outside
    for (Char c : s) {
        if (Open) {
            if (c == Open)
                Open = 0;
            else if (c == p)
                ++Inside;
        } else if (c == L'"' || c == L'\'') {
            Open = c;
        } else if (c == p) {
            ++Outside;
        }
    }
    return Open ? Outside + Inside : Outside;
}

int NumChar(Char p, const String& s)
{
    return int(std::count(s.begin(), s.end(), p));
}

int NumCharDel(Char p, Char del, const String& s)
{
    return NumChar(p, s);
}

// ---- Line-break codings ----------------------------------------------------------------------

void LineFeedsToCSV(String& s)
{
    s = L"\"" + ReplaceAll(s, L"\r\n", String(1, Char(11))) + L"\"";
}

void LineFeedsToCSVNQ(String& s)
{
    s = ReplaceAll(s, L"\r\n", L"\n");
}

void CSVToLineFeeds(String& s)
{
    if (s.find(Char(11)) != String::npos) s = ReplaceAll(s, String(1, Char(11)), L"\r\n");
}

void LineFeedsToJava(String& s)
{
    s = ReplaceChar(RemoveChar(s, LF), CR, L'~');
}

void JavaToLineFeeds(String& s)
{
    s = ReplaceAll(s, L"~", L"\r\n");
    if (s == L"^") s.clear();
}

String LineFeedsToXLS(const String& s)
{
    return RemoveChar(s, CR);
}

String CRToLF(const String& s)
{
    return ReplaceChar(s, CR, LF);
}

String LFToCLF(const String& s)
{
    return ReplaceAll(RemoveChar(s, LF), L"\r", L"\\n");
}

String CLFToLF(const String& s)
{
    return ReplaceAll(s, L"\\n", L"\r");
}

String LfToFile(const String& s)
{
    if (s.find(CR) == String::npos) return s;
    String r = s;
    for (Char& c : r) {
        if (c == CR)
            c = 9;
        else if (c == LF)
            c = 8;
        else if (c == 0)
            c = 1;
    }
    return r;
}

String FileToLf(const String& s, bool multiline)
{
    if (s.find(Char(8)) == String::npos) return s;
    String r = s;
    for (Char& c : r) {
        if (c == 9)
            c = CR;
        else if (c == 8)
            c = LF;
        else if (c == 1)
            c = 0;
    }
    if (!multiline) return GetNextLine(r, false);
    return r;
}

String HTMLLineBreaks(const String& s)
{
    if (s.find(CR) == String::npos) return s;
    return ReplaceAll(s, L"\r", L"<br>");
}

// ---- Lines -------------------------------------------------------------------------------------

String GetNextLine(String& s, bool multiline)
{
    size_t p = s.find(CR);
    if (p == String::npos || !multiline) {
        String r = p == String::npos ? s : s.substr(0, p);
        s.clear();
        return r;
    }
    String r = s.substr(0, p);
    size_t Next = p + 1;
    if (Next < s.size() && s[Next] == LF) ++Next;
    s.erase(0, Next);
    return r;
}

int LinesInText(const String& s, bool multiline)
{
    if (!multiline) return 1;
    int n = 1;
    size_t i = 0;
    for (;;) {
        size_t p = s.find(CR, i);
        if (p == String::npos) break;
        i = p + 1;
        if (i < s.size() && s[i] == LF) ++i;   // the LF of a CR LF pair
        if (i < s.size()) ++n;
    }
    return n;
}

String GetLongestLineBy(const String& s, const std::function<int(const String&)>& Width)
{
    String Rest = s, Best;
    int BestWidth = -1;
    do {
        String Line = GetNextLine(Rest, true);
        int w = Width(Line);
        if (w > BestWidth) {
            BestWidth = w;
            Best = Line;
        }
    } while (!Rest.empty());
    return Best;
}

// ---- Packed wide text ------------------------------------------------------------------------

String EncodeWideStr(const WideString& s)
{
    String r = L"|\\";
    r.reserve(2 + 2 * s.size());
    for (WideChar c : s) {
        r += Char(Word(c) >> 8);
        r += Char(Word(c) & 0xFF);
    }
    return r;
}

WideString DecodeWideStr(const String& s)
{
    if (s.size() < 2 || s[0] != L'|' || s[1] != L'\\') return s;
    WideString r;
    r.reserve((s.size() - 2) / 2);
    for (size_t i = 2; i + 1 < s.size(); i += 2)
        r += WideChar(((Word(s[i]) & 0xFF) << 8) | (Word(s[i + 1]) & 0xFF));
    return r;
}

// ---- Fixed decimal separator -------------------------------------------------------------------

String ToFixedDecSep(const String& s)
{
    TAutoType t = IsType(s);
    if (t != atNumeric && t != atFloat) return s;
    const Char Thousand = ThousandSeparator(), Dec = DecimalSeparator();
    String r;
    r.reserve(s.size());
    for (Char c : s) {
        if (c == Thousand) continue;
        r += (c == Dec && Dec != L'.') ? L'.' : c;
    }
    return r;
}

String FromFixedDecSep(const String& s)
{
    const Char Dec = DecimalSeparator();
    if (Dec == L'.') return s;
    TAutoType t = IsType(s, L'.', L',');
    if (t != atNumeric && t != atFloat) return s;
    return ReplaceChar(s, L'.', Dec);
}

// ---- HTML --------------------------------------------------------------------------------------

String HTMLColor(std::uint32_t l)
{
    wchar_t Buf[8];
    std::swprintf(Buf, 8, L"%02X%02X%02X", unsigned(l & 0xFF), unsigned((l >> 8) & 0xFF),
                  unsigned((l >> 16) & 0xFF));
    return Buf;
}

namespace {
bool IsURLChar(Char c)
{
    if ((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9')) return true;
    switch (c) {
    case L'!': case L'%': case L'&': case L'(': case L')': case L'-': case L'.': case L'/':
    case L':': case L'=': case L'?': case L'@': case L'\\': case L'_': case L'{': case L'}':
        return true;
    default:
        return false;
    }
}
}  // namespace

bool MakeHTMLHyperlink(const String& Value, const String& LinkType, String& ValueWithLink)
{
    if (LinkType.empty() || Detail::UpperStr(Value).find(LinkType) == String::npos) return false;
    String Esc = ReplaceAll(ReplaceAll(Value, L"<", L"&lt;"), L">", L"&gt;");
    size_t Start = Detail::UpperStr(Esc).find(Detail::UpperStr(LinkType));
    if (Start == String::npos) return false;
    size_t End = Start;
    while (End < Esc.size() && IsURLChar(Esc[End])) ++End;
    String Link = Esc.substr(Start, End - Start);
    ValueWithLink = Esc.substr(0, Start) + L"<a href=\"" + Link + L"\">" + Link + L"</a>" + Esc.substr(End);
    return true;
}

void MakeFragment(String& HTML)
{
    static const String DocType = L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
    static const String Head = L"<html><head><META http-equiv=Content-Type content=\"text/html; "
                               L"charset=iso-8859-1\"></head><body><!--StartFragment-->";
    static const String Tail = L"<!--EndFragment--></body></html>";
    auto Field = [](const wchar_t* Name, size_t Value) {
        wchar_t Buf[48];
        std::swprintf(Buf, 48, L"%ls%.8d\r\n", Name, int(Value));
        return String(Buf);
    };
    const size_t HeaderLen = 97;
    const size_t StartFragment = HeaderLen + DocType.size() + Head.size();
    const size_t EndFragment = StartFragment + HTML.size();
    const size_t EndHTML = EndFragment + Tail.size();
    String r = L"Version:1.0\r\n";
    r += Field(L"StartHTML:", HeaderLen);
    r += Field(L"EndHTML:", EndHTML);
    r += Field(L"StartFragment:", StartFragment);
    r += Field(L"EndFragment:", EndFragment);
    r += DocType;
    r += Head;
    r += HTML;
    r += Tail;
    HTML = std::move(r);
}

// ---- Other text routines -----------------------------------------------------------------------

void StringToPassword(String& s, Char passwordchar)
{
    std::fill(s.begin(), s.end(), passwordchar);
}

void StringToOem(String& s) {}
void OemToString(String& s) {}

namespace Detail {
extern const Word AccentFoldTable[][2];
extern const int AccentFoldCount;
}  // namespace Detail

String RemoveAccentedStr(const String& s)
{
    String r;
    r.reserve(s.size());
    for (Char c : s) {
        if (c < 0xC0) {
            r += c;
            continue;
        }
        if (c >= 0x300 && c <= 0x36F) continue;   // a combining mark already apart
        const Word(*First)[2] = Detail::AccentFoldTable;
        const Word(*Last)[2] = Detail::AccentFoldTable + Detail::AccentFoldCount;
        auto It = std::lower_bound(First, Last, Word(c),
                                   [](const Word(&e)[2], Word v) { return e[0] < v; });
        if (It != Last && (*It)[0] == Word(c))
            r += Char((*It)[1]);
        else
            r += c;
    }
    return r;
}

bool CheckTerminator(Char ch)
{
    return ch == L' ' || ch == L'\'' || ch == L',' || ch == L'-' || ch == L'.';
}

String ShiftCase(const String& Name)
{
    String r = Name;
    const int L = int(r.size());
    bool First = true;
    for (int I = 1; I <= L; ++I) {
        Char& c = r[I - 1];
        if (CheckTerminator(c)) {
            First = true;
        } else if (First) {
            c = Detail::UpperChar(c);
            First = false;
        } else {
            c = Detail::LowerChar(c);
        }
        if (I == 2 && r.compare(0, 2, L"Mc") == 0) First = true;
        if (I > 2) {
            size_t p = r.find(L" Mc");
            if (p != String::npos && int(p) + 3 == I) First = true;
        }
        if (I > L - 3) {
            if (I >= 2 && r.compare(I - 2, 2, L" I") == 0) First = true;
            if (I >= 3 && r.compare(I - 3, 3, L" II") == 0) First = true;
        }
    }
    return r;
}

}  // namespace QorUtil
