// JyrHTMLE text side: plain text of markup, marking and unmarking search hits, small escapes.
#include "JyrHTMLText.h"

#include "JyrHTMLTextImpl.h"

#include <cstdint>
#include <vector>

namespace JyrHTMLE {

using namespace detail;

// ---- Plain text --------------------------------------------------------------------------------

String HTMLStrip(const String& s)
{
    // "<BR>" and "<HR>" (any letter case) become CR LF; the line break never forms a new one.
    String t;
    const String* Src = &s;
    if (s.find(L'<') == String::npos) return s;
    {
        size_t p = s.find(L'<');
        size_t Cursor = 0;
        bool Any = false;
        while (p != String::npos) {
            if (StartsCI(s, p, L"<BR>") || StartsCI(s, p, L"<HR>")) {
                if (!Any) t.reserve(s.size());
                Any = true;
                t.append(s, Cursor, p - Cursor);
                t += L"\r\n";
                Cursor = p + 4;
            }
            p = s.find(L'<', p + 1);
        }
        if (Any) {
            t.append(s, Cursor, String::npos);
            Src = &t;
        }
    }
    const String& x = *Src;
    String r;
    r.reserve(x.size());
    size_t i = 0;
    while (i < x.size()) {
        size_t Lt = x.find(L'<', i);
        if (Lt == String::npos) break;
        size_t Gt = x.find(L'>', Lt + 1);
        if (Gt == String::npos) break;   // the rest, from the "<" on, stays as it stands
        r.append(x, i, Lt - i);
        i = Gt + 1;
    }
    r.append(x, i, String::npos);
    return r;
}

String HTMLStripAll(const String& s)
{
    String r;
    r.reserve(s.size());
    size_t i = 0;
    size_t Gt = s.find(L'>');
    while (i < s.size()) {
        size_t Lt = s.find(L'<', i);
        if (Gt != String::npos && Gt < i) Gt = s.find(L'>', i);
        if (Lt == String::npos || Gt == String::npos || Gt < Lt) break;
        r.append(s, i, Lt - i);
        i = Gt + 1;
    }
    r.append(s, i, String::npos);
    return r;
}

// ---- Highlighting ------------------------------------------------------------------------------

namespace {

// Left-to-right search for one pattern in one text, linear for any pattern.
class TFinder {
public:
    explicit TFinder(const String& Pat) : FPat(Pat)
    {
        if (FPat.size() < 16) return;   // short patterns: the library's search is quicker
        FFail.assign(FPat.size(), 0);
        for (size_t i = 1, k = 0; i < FPat.size(); ++i) {
            while (k > 0 && FPat[i] != FPat[k]) k = FFail[k - 1];
            if (FPat[i] == FPat[k]) ++k;
            FFail[i] = k;
        }
    }
    size_t Find(const String& Text, size_t From) const
    {
        if (FPat.empty()) return String::npos;
        if (FFail.empty()) return Text.find(FPat, From);
        for (size_t i = From, k = 0; i < Text.size(); ++i) {
            while (k > 0 && Text[i] != FPat[k]) k = FFail[k - 1];
            if (Text[i] == FPat[k]) ++k;
            if (k == FPat.size()) return i + 1 - k;
        }
        return String::npos;
    }

private:
    const String& FPat;
    std::vector<size_t> FFail;
};

// The visible text of markup as the renderer shows it, each character with the source range it
// comes from: tags show nothing; a reference ("&amp;", "&eacute;", "&#65;" ...) shows one
// character. From a "<" without ">" on, nothing counts as visible (the
// renderer does not draw it), so no mark is ever placed there.
struct TVisibleText {
    String Text;
    std::vector<std::uint32_t> Start;   // source position of each visible character
    std::vector<std::uint32_t> End;     // source position after it

    explicit TVisibleText(const String& s)
    {
        size_t n = s.size();
        Text.reserve(n);
        Start.reserve(n);
        End.reserve(n);
        size_t i = 0;
        while (i < n) {
            wchar_t c = s[i];
            size_t Len = 1;
            if (c == L'<') {
                size_t Gt = s.find(L'>', i + 1);
                if (Gt == String::npos) break;
                i = Gt + 1;
                continue;
            }
            if (c == L'&') {
                wchar_t Ch = 0;
                if (size_t L = MatchVisibleRef(s, i, Ch); L > 0) {
                    Len = L;
                    c = Ch;
                }
            }
            Text += c;
            Start.push_back(std::uint32_t(i));
            End.push_back(std::uint32_t(i + Len));
            i += Len;
        }
    }
};

struct TMarkTags {
    String Open, Close;
    explicit TMarkTags(const String& tag)
    {
        String Name = UpperCase(tag);
        Open = L"<" + Name + L">";
        Close = L"</" + Name + L">";
    }
    String Remove(const String& s) const { return RemoveAllCI(RemoveAllCI(s, Open), Close); }
};

String HiLightPlain(const String& s, const String& h, const TMarkTags& M, bool DoCase,
                    bool FullText)
{
    String v = DoCase ? s : UpperKeepLength(s);
    if (FullText) {
        if (h.empty() || h != v) return s;
        return M.Open + FixMarkup(s, true) + M.Close;
    }
    TFinder F(h);
    size_t m = F.Find(v, 0);
    if (m == String::npos) return s;
    String r;
    r.reserve(s.size() + s.size() / 4 + 16);
    size_t Cursor = 0;
    while (m != String::npos) {
        r += FixMarkup(s.substr(Cursor, m - Cursor), false);
        r += M.Open;
        r += FixMarkup(s.substr(m, h.size()), false);
        r += M.Close;
        Cursor = m + h.size();
        m = F.Find(v, Cursor);
    }
    r += FixMarkup(s.substr(Cursor), false);
    return r;
}

String HiLightMarkup(const String& s, const String& h, const TMarkTags& M, bool DoCase,
                     bool FullText)
{
    TVisibleText V(s);
    String v = DoCase ? V.Text : UpperKeepLength(V.Text);
    if (FullText) {
        if (h.empty() || h != v) return s;
        return M.Open + s + M.Close;
    }
    TFinder F(h);
    size_t m = F.Find(v, 0);
    if (m == String::npos) return s;
    String r;
    r.reserve(s.size() + 64);
    size_t Cursor = 0;
    while (m != String::npos) {
        size_t From = V.Start[m], To = V.End[m + h.size() - 1];
        r.append(s, Cursor, From - Cursor);   // tags before the first matched character included
        r += M.Open;
        // The matched source: tags inside are copied whole; after a closing font tag the mark is
        // closed and opened again so that it outlives the font's end.
        size_t k = From;
        while (k < To) {
            size_t Lt = s.find(L'<', k);
            if (Lt == String::npos || Lt >= To) {
                r.append(s, k, To - k);
                break;
            }
            size_t Gt = s.find(L'>', Lt + 1);   // inside the match: a whole tag
            r.append(s, k, Gt + 1 - k);
            if (StartsCI(s, Lt, L"</FONT")) {
                r += M.Close;
                r += M.Open;
            }
            k = Gt + 1;
        }
        r += M.Close;
        Cursor = To;
        m = F.Find(v, m + h.size());
    }
    r.append(s, Cursor, String::npos);
    return r;
}

}  // namespace

String HiLight(const String& s, const String& h, const String& tag, bool DoCase, bool FullText)
{
    // Old marks of the tag go first, with the escapes they brought into plain text, so that marking
    // a marked text again and then unmarking it still gives back the original.
    TMarkTags M(tag);
    String Src = UnHiLight(s, tag);
    String Hit = DoCase ? h : UpperKeepLength(h);
    if (Src.find(L"</") != String::npos) return HiLightMarkup(Src, Hit, M, DoCase, FullText);
    return HiLightPlain(Src, Hit, M, DoCase, FullText);
}

String UnHiLight(const String& s, const String& tag)
{
    TMarkTags M(tag);
    String r = M.Remove(s);
    // Marks were all the markup: the text was plain before HiLight escaped it.
    if (s.find(L"</") != String::npos && r.find(L"</") == String::npos)
        r = DecodeRefs(r, TRefSet::Inverse);
    return r;
}

void SetHighLightColors(TColor AColor, TColor ATextColor)
{
    HTMLHighlightColor = AColor;
    HTMLHighlightTextColor = ATextColor;
}

String FixNonBreaking(const String& su)
{
    if (su.find(L' ') == String::npos) return su;
    String r;
    r.reserve(su.size() + 16);
    for (wchar_t c : su) {
        if (c == L' ') r += L"&nbsp;";
        else r += c;
    }
    return r;
}

String ConvertToPassword(const String& s) { return String(s.size(), L'*'); }

}  // namespace JyrHTMLE
