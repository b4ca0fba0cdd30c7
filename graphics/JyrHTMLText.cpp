// JyrHTMLE text side: unit settings, colour names, character references, colours, escaping and
// unescaping, the preparation steps, and the small string routines.
#include "JyrHTMLText.h"

#include "JyrHTMLTextImpl.h"

#include "framework/Character.h"

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace JyrHTMLE {

wchar_t JYR_ATTR_DELIM = L'"';
bool JYR_KEEP_LINEBREAKS = true;
TColor HTMLHighlightColor = TColor(0xFF00000Du);
TColor HTMLHighlightTextColor = TColor(0xFF00000Eu);

const TColorTableEntry colorTable[40] = {
    {L"3ddkshadow", TColor(0xFF000011u)},  // the value of "graytext", as the table has always held
    {L"3dlight", TColor(0xFF000016u)},
    {L"activeborder", TColor(0xFF00000Au)},
    {L"activecaption", TColor(0xFF000002u)},
    {L"appworkspace", TColor(0xFF00000Cu)},
    {L"aqua", TColor(0x00FFFF00)},
    {L"background", TColor(0xFF000001u)},
    {L"black", TColor(0x00000000)},
    {L"blue", TColor(0x00FF0000)},
    {L"btnface", TColor(0xFF00000Fu)},
    {L"btnhighlight", TColor(0xFF000014u)},
    {L"btnshadow", TColor(0xFF000010u)},
    {L"btntext", TColor(0xFF000012u)},
    {L"captiontext", TColor(0xFF000009u)},
    {L"fuchsia", TColor(0x00FF00FF)},
    {L"gray", TColor(0x00808080)},
    {L"graytext", TColor(0xFF000011u)},
    {L"green", TColor(0x00008000)},
    {L"highlight", TColor(0xFF00000Du)},
    {L"highlighttext", TColor(0xFF00000Eu)},
    {L"inactiveborder", TColor(0xFF00000Bu)},
    {L"inactivecaption", TColor(0xFF000003u)},
    {L"inactivecaptiontext", TColor(0xFF000013u)},
    {L"infobk", TColor(0xFF000018u)},
    {L"infotext", TColor(0xFF000017u)},
    {L"lime", TColor(0x0000FF00)},
    {L"maroon", TColor(0x00000080)},
    {L"menu", TColor(0xFF000004u)},
    {L"menutext", TColor(0xFF000007u)},
    {L"navy", TColor(0x00800000)},
    {L"olive", TColor(0x00008080)},
    {L"purple", TColor(0x00800080)},
    {L"red", TColor(0x000000FF)},
    {L"silver", TColor(0x00C0C0C0)},
    {L"teal", TColor(0x00808000)},
    {L"white", TColor(0x00FFFFFF)},
    {L"window", TColor(0xFF000005u)},
    {L"windowframe", TColor(0xFF000006u)},
    {L"windowtext", TColor(0xFF000008u)},
    {L"yellow", TColor(0x0000FFFF)},
};

namespace {

// ---- Entity table ------------------------------------------------------------------------------

struct TEntityRow {
    const wchar_t* Name;
    unsigned char Cp1252;
};

// Row 55 carries its semicolon; text written before it did ("&Otilde" alone) still decodes.
constexpr TEntityRow EntityRows[HTMLEntityCount] = {
    {L"&eacute;", 0xE9}, {L"&egrave;", 0xE8}, {L"&euml;", 0xEB},   {L"&ecirc;", 0xEA},
    {L"&oacute;", 0xF3}, {L"&ograve;", 0xF2}, {L"&ouml;", 0xF6},   {L"&ocirc;", 0xF4},
    {L"&iacute;", 0xED}, {L"&igrave;", 0xEC}, {L"&iuml;", 0xEF},   {L"&icirc;", 0xEE},
    {L"&uacute;", 0xFA}, {L"&ugrave;", 0xF9}, {L"&uuml;", 0xFC},   {L"&ucirc;", 0xFB},
    {L"&aacute;", 0xE1}, {L"&agrave;", 0xE0}, {L"&auml;", 0xE4},   {L"&acirc;", 0xE2},
    {L"&Eacute;", 0xC9}, {L"&Egrave;", 0xC8}, {L"&Euml;", 0xCB},   {L"&Ecirc;", 0xCA},
    {L"&Oacute;", 0xD3}, {L"&Ograve;", 0xD2}, {L"&Ouml;", 0xD6},   {L"&Ocirc;", 0xD4},
    {L"&Iacute;", 0xCD}, {L"&Igrave;", 0xCC}, {L"&Iuml;", 0xCF},   {L"&Icirc;", 0xCE},
    {L"&Uacute;", 0xDA}, {L"&Ugrave;", 0xD9}, {L"&Uuml;", 0xDC},   {L"&Ucirc;", 0xDB},
    {L"&Aacute;", 0xC1}, {L"&Agrave;", 0xC0}, {L"&Auml;", 0xC4},   {L"&Acirc;", 0xC2},
    {L"&ccedil;", 0xE7}, {L"&Ccedil;", 0xC7}, {L"&oslash;", 0xF8}, {L"&Oslash;", 0xD8},
    {L"&aring;", 0xE5},  {L"&Aring;", 0xC5},  {L"&copy;", 0xA9},   {L"&reg;", 0xAE},
    {L"&euro;", 0x80},   {L"&laquo;", 0xAB},  {L"&raquo;", 0xBB},  {L"&atilde;", 0xE3},
    {L"&Atilde;", 0xC3}, {L"&otilde;", 0xF5}, {L"&Otilde;", 0xD5}, {L"&szlig;", 0xDF},
    {L"&trade;", 0x99},  {L"&pound;", 0xA3},  {L"&dollar;", 0x24}, {L"&sect;", 0xA7},
    {L"&permil;", 0x89}, {L"&para;", 0xB6},   {L"&quot;", 0x22},   {L"&apos;", 0x27},
    {L"&yen;", 0xA5},    {L"&curren;", 0xA4}, {L"&cent;", 0xA2},   {L"&plusmn;", 0xB1},
    {L"&iexcl;", 0xA1},  {L"&deg;", 0xB0},
};

constexpr std::wstring_view LegacyOtilde = L"&Otilde";
constexpr size_t MaxNameLetters = 8;   // longer letter runs are no name of any table

struct TEntityTable {
    String Names[HTMLEntityCount];
    String Chars[HTMLEntityCount];
    // Character -> row index (0-based) + 1, for FixMarkup; 0 when the character has no row.
    std::unordered_map<wchar_t, int> RowOfChar;

    TEntityTable()
    {
        for (int i = 0; i < HTMLEntityCount; ++i) {
            Names[i] = EntityRows[i].Name;
            Chars[i] = String(1, Win1252ToWideChar(AnsiChar(EntityRows[i].Cp1252)));
            RowOfChar.emplace(Chars[i][0], i + 1);   // the first row of a character wins
        }
    }
};

const TEntityTable& Entities()
{
    static const TEntityTable T;
    return T;
}

}  // namespace

const String& HTMLSpecialChar(int i)
{
    static const String Empty;
    return (i >= 1 && i <= HTMLEntityCount) ? Entities().Names[i - 1] : Empty;
}

const String& HTMLEncodedChar(int i)
{
    static const String Empty;
    return (i >= 1 && i <= HTMLEntityCount) ? Entities().Chars[i - 1] : Empty;
}

// ---- Reference decoding ------------------------------------------------------------------------
//
// The replacement rule (while a name occurs with its exact letter case, its first occurrence under
// ASCII case folding is replaced) is carried out in one pass over the text's references. A name
// is "&" + letters + ";" and never overlaps another, and a replacement never forms a new name, so:
// - a reference spelled exactly as a row's name becomes that row's character;
// - a reference that matches rows only under case folding becomes the character of the first such
//   row (in table order) that still has an exact occurrence after it, and otherwise stays.
// An exact name is never taken by another row that it matches only by folding: "&Eacute;" stays
// "É" even when "&eacute;" follows.

namespace detail {
namespace {

struct TRefEntry {
    String Name;
    wchar_t Ch;
};

struct TRefTable {
    std::vector<TRefEntry> Entries;
    std::unordered_map<std::wstring_view, int> Exact;                 // first entry of a name
    std::unordered_map<String, std::vector<int>> Folded;              // upper-cased name -> rows
    bool UseFolded = false;
    bool Legacy = false;      // "&Otilde" without its semicolon is "Õ"
    bool PairsLiteral = false;   // "&&" is a literal ampersand, never the start of a reference

    void Add(const String& Name, wchar_t Ch) { Entries.push_back({Name, Ch}); }
    void AddTable()
    {
        const TEntityTable& E = Entities();
        for (int i = 0; i < HTMLEntityCount; ++i) Add(E.Names[i], E.Chars[i][0]);
    }
    // Called once every entry is in place (the views point into the entries).
    void Index()
    {
        for (int i = 0; i < int(Entries.size()); ++i) {
            Exact.emplace(std::wstring_view(Entries[i].Name), i);
            if (UseFolded) Folded[UpperCase(Entries[i].Name)].push_back(i);
        }
    }
};

TRefTable MakeTable(TRefSet Set)
{
    TRefTable T;
    T.Entries.reserve(80);
    switch (Set) {
    case TRefSet::UnFix:
        T.Add(L"&quot;", L'"');
        T.AddTable();
        T.UseFolded = true;
        T.Legacy = true;
        break;
    case TRefSet::QuotOnly:
        T.Add(L"&quot;", L'"');
        T.UseFolded = true;
        break;
    case TRefSet::Run:
        T.Add(L"&nbsp;", L' ');
        T.Add(L"&lt;", L'<');
        T.Add(L"&gt;", L'>');
        T.AddTable();
        T.UseFolded = true;
        T.Legacy = true;
        T.PairsLiteral = true;
        break;
    case TRefSet::Inverse:
    case TRefSet::Visible:
        T.Add(L"&amp;", L'&');
        T.Add(L"&quot;", L'"');
        T.Add(L"&lt;", L'<');
        T.Add(L"&gt;", L'>');
        if (Set == TRefSet::Visible) T.Add(L"&nbsp;", L' ');
        T.AddTable();
        T.Legacy = true;
        break;
    }
    T.Index();
    return T;
}

const TRefTable& Table(TRefSet Set)
{
    static const TRefTable Tables[] = {MakeTable(TRefSet::UnFix), MakeTable(TRefSet::QuotOnly),
                                       MakeTable(TRefSet::Run), MakeTable(TRefSet::Inverse),
                                       MakeTable(TRefSet::Visible)};
    return Tables[size_t(Set)];
}

// The name "&letters;" starting at s[i], or an empty view.
std::wstring_view NameAt(const String& s, size_t i)
{
    size_t n = s.size(), j = i + 1;
    while (j < n && j - i <= MaxNameLetters && IsAsciiLetter(s[j])) ++j;
    if (j < n && j > i + 1 && s[j] == L';') return std::wstring_view(s.data() + i, j - i + 1);
    return {};
}

bool LegacyAt(const String& s, size_t i)
{
    return s.compare(i, LegacyOtilde.size(), LegacyOtilde) == 0 &&
           (i + LegacyOtilde.size() >= s.size() || s[i + LegacyOtilde.size()] != L';');
}

constexpr int LegacyEntry = -2;
constexpr int FoldedEntry = -1;

struct TRef {
    size_t Start;
    size_t Len;
    int Entry;                           // entry index, LegacyEntry or FoldedEntry
    const std::vector<int>* Candidates;  // rows a folded reference may become
};

}  // namespace

String DecodeRefs(const String& s, TRefSet Set)
{
    size_t n = s.size();
    size_t i = s.find(L'&');
    if (i == String::npos) return s;
    const TRefTable& T = Table(Set);

    std::vector<TRef> Refs;
    std::vector<size_t> LastExact(T.Entries.size(), 0);   // start + 1 of the last exact match
    bool AnyFolded = false;
    wchar_t Key[MaxNameLetters + 3];
    while (i != String::npos && i < n) {
        if (T.PairsLiteral && i + 1 < n && s[i + 1] == L'&') {
            i = s.find(L'&', i + 2);
            continue;
        }
        std::wstring_view Name = NameAt(s, i);
        if (!Name.empty()) {
            auto it = T.Exact.find(Name);
            if (it != T.Exact.end()) {
                Refs.push_back({i, Name.size(), it->second, nullptr});
                LastExact[size_t(it->second)] = i + 1;
                i = s.find(L'&', i + Name.size());
                continue;
            }
        }
        if (T.Legacy && LegacyAt(s, i)) {
            Refs.push_back({i, LegacyOtilde.size(), LegacyEntry, nullptr});
            i = s.find(L'&', i + LegacyOtilde.size());
            continue;
        }
        if (!Name.empty() && T.UseFolded) {
            for (size_t k = 0; k < Name.size(); ++k) Key[k] = UpCase(Name[k]);
            auto it = T.Folded.find(String(Key, Name.size()));
            if (it != T.Folded.end()) {
                Refs.push_back({i, Name.size(), FoldedEntry, &it->second});
                AnyFolded = true;
                i = s.find(L'&', i + Name.size());
                continue;
            }
        }
        i = s.find(L'&', i + 1);
    }
    if (Refs.empty()) return s;

    String r;
    r.reserve(n);
    size_t Cursor = 0;
    for (const TRef& Ref : Refs) {
        wchar_t Ch = 0;
        if (Ref.Entry >= 0) Ch = T.Entries[size_t(Ref.Entry)].Ch;
        else if (Ref.Entry == LegacyEntry) Ch = Entities().Chars[54][0];
        else if (AnyFolded) {
            for (int e : *Ref.Candidates)
                if (LastExact[size_t(e)] > Ref.Start + 1) {
                    Ch = T.Entries[size_t(e)].Ch;
                    break;
                }
            if (Ch == 0) continue;   // stays as written
        }
        r.append(s, Cursor, Ref.Start - Cursor);
        r += Ch;
        Cursor = Ref.Start + Ref.Len;
    }
    r.append(s, Cursor, String::npos);
    return r;
}

size_t MatchVisibleRef(const String& s, size_t i, wchar_t& Ch)
{
    const TRefTable& T = Table(TRefSet::Visible);
    std::wstring_view Name = NameAt(s, i);
    if (!Name.empty()) {
        auto it = T.Exact.find(Name);
        if (it != T.Exact.end()) {
            Ch = T.Entries[size_t(it->second)].Ch;
            return Name.size();
        }
    }
    if (LegacyAt(s, i)) {
        Ch = Entities().Chars[54][0];
        return LegacyOtilde.size();
    }
    // "&#" + 1..4 characters that read as a whole number + ";"
    size_t n = s.size();
    if (i + 1 < n && s[i + 1] == L'#') {
        size_t Semi = String::npos;
        for (size_t k = i + 2; k < n && k <= i + 6; ++k)
            if (s[k] == L';') {
                Semi = k;
                break;
            }
        int V = 0;
        if (Semi != String::npos && Semi > i + 2 && TryIStrToInt(s.substr(i + 2, Semi - i - 2), V)) {
            Ch = wchar_t(unsigned(V) & 0xFFFFu);
            return Semi - i + 1;
        }
    }
    return 0;
}

size_t FindCI(std::wstring_view s, std::wstring_view Pat, size_t From)
{
    if (Pat.empty() || s.size() < Pat.size()) return String::npos;
    wchar_t First = Pat[0];
    wchar_t FirstLower = LoCase(First);
    size_t Last = s.size() - Pat.size();
    for (size_t i = From; i <= Last; ++i) {
        if (s[i] != First && s[i] != FirstLower) continue;
        if (StartsCI(s, i, Pat)) return i;
    }
    return String::npos;
}

String RemoveAllCI(const String& s, const String& Pat)
{
    size_t p = FindCI(s, Pat);
    if (p == String::npos) return s;
    String r;
    r.reserve(s.size());
    size_t Cursor = 0;
    while (p != String::npos) {
        r.append(s, Cursor, p - Cursor);
        Cursor = p + Pat.size();
        p = FindCI(s, Pat, Cursor);
    }
    r.append(s, Cursor, String::npos);
    return r;
}

String UpperKeepLength(const String& s)
{
    String u = AnsiUpperCase(s);
    if (u.size() == s.size()) return u;
    u = s;
    for (auto& c : u) c = Character::ToUpper(c);
    return u;
}

String UnicodeTagStripEx(const String& s, bool PairsAreLiteral)
{
    size_t n = s.size();
    size_t a = s.find(L'&');
    if (a == String::npos) return s;
    String r;
    r.reserve(n);
    size_t Cursor = 0;
    size_t Semi = 0;
    bool SemiKnown = false;
    while (a != String::npos && a + 1 < n) {
        if (PairsAreLiteral && s[a + 1] == L'&') {
            a = s.find(L'&', a + 2);
            continue;
        }
        if (s[a + 1] != L'#') {
            a = s.find(L'&', a + 1);
            continue;
        }
        // "&#" at a: the first ";" after it, found once for every "&#" up to that ";"
        if (!SemiKnown || (Semi != String::npos && Semi < a + 2)) {
            Semi = s.find(L';', a + 2);
            SemiKnown = true;
        }
        if (Semi == String::npos) break;   // no ";" follows this or any later "&#"
        size_t Len = Semi - (a + 2);
        int V = 0;
        if (Len >= 1 && Len <= 4 && TryIStrToInt(s.substr(a + 2, Len), V)) {
            r.append(s, Cursor, a - Cursor);
            r += wchar_t(unsigned(V) & 0xFFFFu);
            Cursor = Semi + 1;
            a = s.find(L'&', Cursor);
        } else {
            a = s.find(L'&', a + 2);
        }
    }
    if (Cursor == 0) return s;
    r.append(s, Cursor, String::npos);
    return r;
}

}  // namespace detail

using namespace detail;

// ---- Colours -----------------------------------------------------------------------------------

namespace {

int DigitValue(wchar_t c) { return c <= L'@' ? int(c) - 48 : int(c) - 55; }

}  // namespace

TColor Text2Color(const String& s)
{
    if (!s.empty() && s[0] == L'#') {
        unsigned r = unsigned(Str2hexbyte(s, 2)), g = unsigned(Str2hexbyte(s, 4)),
                 b = unsigned(Str2hexbyte(s, 6));
        return TColor(r + g * 256u + b * 65536u);
    }
    if (s.size() < 2 || s[0] != L'c' || s[1] != L'l') return 0;
    std::wstring_view Name(s.data() + 2, s.size() - 2);
    int Lo = 0, Hi = 39;
    while (Lo <= Hi) {
        int Mid = (Lo + Hi) / 2;
        int c = Name.compare(colorTable[Mid].Name);
        if (c == 0) return colorTable[Mid].Color;
        if (c < 0) Hi = Mid - 1;
        else Lo = Mid + 1;
    }
    return 0;
}

int Str2hexbyte(const String& src, int ndx)
{
    if (ndx < 1 || ndx >= Length(src)) return 0;
    auto Digit = [](wchar_t c) {
        c = UpCase(c);
        return c <= L'9' ? int(c) - 48 : int(c) - 55;
    };
    int Hi = Digit(src[size_t(ndx) - 1]);
    if (Hi < 0 || Hi > 15) return 0;
    int Lo = Digit(src[size_t(ndx)]);
    if (Lo < 0 || Lo > 15) return 0;
    return Hi * 16 + Lo;
}

int HexVal(const String& s)
{
    if (s.size() < 2) return 0;
    return DigitValue(s[0]) * 16 + DigitValue(s[1]);
}

TColor Hex2Color(const String& s)
{
    unsigned r = unsigned(HexVal(Copy(s, 2, 2))), g = unsigned(HexVal(Copy(s, 4, 2))),
             b = unsigned(HexVal(Copy(s, 6, 2)));
    return TColor(r + g * 256u + b * 65536u);
}

// ---- Escaping ----------------------------------------------------------------------------------

String FixMarkup(const String& su, bool SpecialChars)
{
    const TEntityTable& E = Entities();
    String r;
    r.reserve(su.size() + su.size() / 8);
    for (wchar_t c : su) {
        switch (c) {
        case L'&': r += L"&amp;"; continue;
        case L'"': r += L"&quot;"; continue;
        case L'<': r += L"&lt;"; continue;
        case L'>': r += L"&gt;"; continue;
        default: break;
        }
        if (SpecialChars && (c >= 0x80 || c == L'$' || c == L'\'')) {
            auto it = E.RowOfChar.find(c);
            if (it != E.RowOfChar.end()) {
                r += E.Names[it->second - 1];
                continue;
            }
        }
        r += c;
    }
    return r;
}

String UnFixMarkup(const String& su, bool SpecialChars)
{
    return DecodeRefs(su, SpecialChars ? TRefSet::UnFix : TRefSet::QuotOnly);
}

// ---- Preparation -------------------------------------------------------------------------------

String UnicodeTagStrip(const String& s) { return UnicodeTagStripEx(s, false); }

String DBTagStrip(const String& s)
{
    // Each step unwraps the first "<#": the "<" goes, and so does the first ">" after it. Text
    // before that point is settled, except that "<"s at its very end meet the "#" when the "<"
    // between them goes; every ">" a step removes lies ahead of the scan, and they are always the
    // next ones, so they are counted and dropped as the scan reaches them.
    if (s.find(L"<#") == String::npos) return s;
    String r;
    r.reserve(s.size());
    size_t Pending = 0;
    size_t n = s.size();
    for (size_t i = 0; i < n; ++i) {
        wchar_t c = s[i];
        if (c == L'>' && Pending > 0) {
            --Pending;
            continue;
        }
        if (c == L'#')
            while (!r.empty() && r.back() == L'<') {
                r.pop_back();
                ++Pending;
            }
        r += c;
    }
    return r;
}

String CRLFStrip(const String& s, bool Break)
{
    if (s.find_first_of(L"\r\n") == String::npos) return s;
    String r;
    r.reserve(s.size() + (Break ? s.size() / 4 : 0));
    size_t n = s.size();
    for (size_t i = 0; i < n; ++i) {
        wchar_t c = s[i];
        if (c == L'\n') continue;
        if (c != L'\r') {
            r += c;
            continue;
        }
        if (Break) r += L"<BR>";
        else if (i > 0 && s[i - 1] == L'>' && i + 1 < n && s[i + 1] == L'<') continue;
        else r += L' ';
    }
    return r;
}

namespace {

// "&amp;" in any letter case becomes "&&", each occurrence once: the "&" it leaves is a literal
// ampersand for the drawing, so that "&amp;amp;" shows "&amp;" and not a stray mnemonic.
String AmpToDoubleAmp(const String& s)
{
    size_t p = FindCI(s, L"&AMP;");
    if (p == String::npos) return s;
    String r;
    r.reserve(s.size());
    size_t Cursor = 0;
    while (p != String::npos) {
        r.append(s, Cursor, p - Cursor);
        r += L"&&";
        Cursor = p + 5;
        p = FindCI(s, L"&AMP;", Cursor);
    }
    r.append(s, Cursor, String::npos);
    return r;
}

}  // namespace

String PrepareMarkup(const String& s)
{
    // Each step runs only when the text holds what it changes (most texts hold none of it).
    String t = s;
    if (t.find(L'&') != String::npos) t = AmpToDoubleAmp(UnFixMarkup(t, true));
    if (t.find(L"<#") != String::npos) t = DBTagStrip(t);
    if (t.find(L"&#") != String::npos) t = UnicodeTagStripEx(t, true);
    if (t.find_first_of(L"\r\n") != String::npos) t = CRLFStrip(t, JYR_KEEP_LINEBREAKS);
    return t;
}

String DecodeRun(const String& run) { return DecodeRefs(run, TRefSet::Run); }

// ---- Small string routines ---------------------------------------------------------------------

int IPos(const String& su, const String& s)
{
    if (su.empty()) return 0;
    String Pat = UpperCase(su);
    size_t p = FindCI(s, Pat);
    return p == String::npos ? 0 : int(p) + 1;
}

int VarPos(const String& su, const String& s, int& Res)
{
    Res = Pos(su, s);
    return Res;
}

int VarIPos(const String& su, const String& s, int& Res)
{
    // su is upper-case already; only s is folded (a lower-case letter in su never matches).
    Res = 0;
    if (!su.empty() && s.size() >= su.size()) {
        size_t Last = s.size() - su.size();
        for (size_t i = 0; i <= Last; ++i)
            if (StartsCI(s, i, su)) {
                Res = int(i) + 1;
                break;
            }
    }
    return Res;
}

bool TagReplaceString(const String& Srch, const String& Repl, String& Dest)
{
    int p = IPos(Srch, Dest);
    if (p == 0) return false;
    Dest.replace(size_t(p) - 1, Srch.size(), Repl);
    return true;
}

int FirstChar(const String& sub, const String& s)
{
    size_t p = s.find_first_of(sub);
    return p == String::npos ? -1 : int(p) + 1;
}

int IStrToInt(const String& s)
{
    int Code = 0;
    return Val(s, Code);
}

bool TryIStrToInt(const String& s, int& Value)
{
    int Code = 0;
    int V = Val(s, Code);
    if (Code != 0) return false;
    Value = V;
    return true;
}

bool DirExists(const String& Name) { return DirectoryExists(Name); }

}  // namespace JyrHTMLE
