// JyrHTMLE text side: inline controls - parsing a control tag, finding controls in a text, reading
// and writing their values.
#include "JyrHTMLText.h"

#include "JyrHTMLTextImpl.h"

#include <string_view>
#include <unordered_set>
#include <vector>

namespace JyrHTMLE {

using namespace detail;

namespace {

enum TAttr { aType, aID, aValue, aWidth, aHeight, aProp, aMaxLen, aCount };
constexpr std::wstring_view AttrNames[aCount] = {L"TYPE", L"ID", L"VALUE", L"WIDTH",
                                                 L"HEIGHT", L"PROP", L"MAXLEN"};

bool IsNameChar(wchar_t c)
{
    return IsAsciiLetter(c) || (c >= L'0' && c <= L'9') || c == L'_' || c == L'-';
}

struct TSpan {
    size_t From, To;
};

// The attributes of a control tag, read left to right: a name counts only where an attribute
// starts (not inside another name, and never inside a delimited value); the first occurrence of
// an attribute wins. A value is the text between the delimiter that follows "NAME=" (blanks
// allowed between) and the next delimiter; without delimiters it reads as empty.
struct TControlAttrs {
    String Raw[aCount];
    bool Has[aCount] = {};
    std::vector<TSpan> Spans;   // source ranges of every known attribute, duplicates included

    TControlAttrs(const String& Tag, size_t From, size_t To)
    {
        const wchar_t d = JYR_ATTR_DELIM;
        size_t i = From;
        while (i < To) {
            wchar_t c = Tag[i];
            if (c == d) {   // a value of an attribute this reader does not know: skipped whole
                size_t Close = Tag.find(d, i + 1);
                i = (Close == String::npos || Close >= To) ? To : Close + 1;
                continue;
            }
            if (!IsAsciiLetter(c) || (i > From && IsNameChar(Tag[i - 1]))) {
                ++i;
                continue;
            }
            size_t j = i;
            while (j < To && IsNameChar(Tag[j])) ++j;
            int Which = -1;
            if (j < To && Tag[j] == L'=')
                for (int a = 0; a < aCount; ++a)
                    if (j - i == AttrNames[a].size() && StartsCI(Tag, i, AttrNames[a])) {
                        Which = a;
                        break;
                    }
            if (Which < 0) {
                i = j;
                continue;
            }
            size_t p = j + 1;
            while (p < To && (Tag[p] == L' ' || Tag[p] == L'\t')) ++p;
            String Value;
            size_t End = p;
            if (p < To && Tag[p] == d) {
                size_t Close = Tag.find(d, p + 1);
                if (Close != String::npos && Close < To) {
                    Value = Tag.substr(p + 1, Close - p - 1);
                    End = Close + 1;
                }
            }
            Spans.push_back({i, End});
            if (!Has[Which]) {
                Has[Which] = true;
                Raw[Which] = std::move(Value);
            }
            i = End;
        }
    }

    String Type() const { return UpperCase(Raw[aType]); }
    const String& ID() const { return Raw[aID]; }
    String Value() const { return DecodeRefs(Raw[aValue], TRefSet::Inverse); }
    String Prop() const { return DecodeRefs(Raw[aProp], TRefSet::Inverse); }
};

// A control in a text: "<CONTROL " (any letter case) up to the first ">" after it.
struct TControlPos {
    size_t Name;   // position of "CONTROL"
    size_t Gt;     // position of the closing ">"
};

bool NextControl(const String& HTML, size_t& From, TControlPos& C)
{
    size_t p = FindCI(HTML, L"<CONTROL ", From);
    if (p == String::npos) return false;
    size_t Gt = HTML.find(L'>', p + 9);
    if (Gt == String::npos) return false;
    C = {p + 1, Gt};
    From = Gt + 1;
    return true;
}

constexpr size_t ControlWordLen = 7;   // "CONTROL"

TControlAttrs AttrsOf(const String& HTML, const TControlPos& C)
{
    return TControlAttrs(HTML, C.Name + ControlWordLen, C.Gt);
}

// Everything of the old tag that is not a known attribute, pieces joined by one space.
String OtherAttributes(const String& HTML, const TControlPos& C, const TControlAttrs& A)
{
    String r;
    size_t Cursor = C.Name + ControlWordLen;
    auto Take = [&](size_t To) {
        String Piece = Trim(HTML.substr(Cursor, To - Cursor));
        if (Piece.empty()) return;
        if (!r.empty()) r += L' ';
        r += Piece;
    };
    for (const TSpan& S : A.Spans) {
        Take(S.From);
        Cursor = S.To;
    }
    Take(C.Gt);
    return r;
}

// The rewritten tag text, from "CONTROL" to the closing ">".
String RewrittenTag(const String& HTML, const TControlPos& C, const TControlAttrs& A,
                    const String& Value)
{
    const String d(1, JYR_ATTR_DELIM);
    auto Attr = [&](const wchar_t* Name, const String& V) { return Name + d + V + d; };
    String r = L"CONTROL";
    r += Attr(L" ID=", A.ID());
    r += Attr(L" VALUE=", FixMarkup(Value, true));
    r += Attr(L" WIDTH=", A.Raw[aWidth]);
    if (A.Has[aHeight]) r += Attr(L" HEIGHT=", A.Raw[aHeight]);
    r += Attr(L" TYPE=", A.Type());
    if (A.Has[aProp]) r += Attr(L" PROP=", FixMarkup(A.Prop(), true));
    if (A.Has[aMaxLen]) r += Attr(L" MAXLEN=", A.Raw[aMaxLen]);
    String Others = OtherAttributes(HTML, C, A);
    if (!Others.empty()) r += L' ' + Others;
    r += L'>';
    return r;
}

// The first control with that ID.
bool FindControl(const String& HTML, const String& ControlID, TControlPos& C)
{
    size_t From = 0;
    while (NextControl(HTML, From, C))
        if (AttrsOf(HTML, C).ID() == ControlID) return true;
    return false;
}

}  // namespace

void ParseControl(const String& Tag, String& ControlType, String& ControlID, String& ControlValue,
                  String& ControlWidth, String& ControlHeight, String& ControlProp,
                  String& ControlLen)
{
    TControlAttrs A(Tag, 0, Tag.size());
    ControlType = A.Type();
    ControlID = A.ID();
    ControlValue = A.Value();
    ControlWidth = A.Raw[aWidth];
    ControlHeight = A.Raw[aHeight];
    ControlProp = A.Prop();
    ControlLen = A.Raw[aMaxLen];
}

bool HasHTMLControl(const String& HTML) { return FindCI(HTML, L"<CONTROL") != String::npos; }

String GetNextControlID(const String& HTML, const String& ControlID)
{
    bool Passed = ControlID.empty();
    size_t From = 0;
    TControlPos C;
    while (NextControl(HTML, From, C)) {
        TControlAttrs A = AttrsOf(HTML, C);
        if (!Passed) {
            Passed = A.ID() == ControlID;
            continue;
        }
        String T = A.Type();
        if (T != L"BUTTON" && T != L"CHECK" && T != L"RADIO") return A.ID();
    }
    return String();
}

String ClearRadioControls(const String& HTML)
{
    // Writing "FALSE" to each radio ID in turn rewrites the first control of that ID, once per ID
    // (a rewrite keeps every ID and the order of the controls): done here in one pass.
    std::unordered_set<String> RadioIDs;
    size_t From = 0;
    TControlPos C;
    while (NextControl(HTML, From, C)) {
        TControlAttrs A = AttrsOf(HTML, C);
        if (A.Type() == L"RADIO") RadioIDs.insert(A.ID());
    }
    if (RadioIDs.empty()) return HTML;
    String r;
    r.reserve(HTML.size() + 64);
    size_t Cursor = 0;
    From = 0;
    while (!RadioIDs.empty() && NextControl(HTML, From, C)) {
        TControlAttrs A = AttrsOf(HTML, C);
        auto it = RadioIDs.find(A.ID());
        if (it == RadioIDs.end()) continue;
        RadioIDs.erase(it);
        r.append(HTML, Cursor, C.Name - Cursor);
        r += RewrittenTag(HTML, C, A, L"FALSE");
        Cursor = C.Gt + 1;
    }
    r.append(HTML, Cursor, String::npos);
    return r;
}

bool GetControlValue(const String& HTML, const String& ControlID, String& ControlValue)
{
    TControlPos C;
    if (!FindControl(HTML, ControlID, C)) return false;
    ControlValue = AttrsOf(HTML, C).Value();
    return true;
}

String GetControlProp(const String& HTML, const String& ControlID)
{
    TControlPos C;
    return FindControl(HTML, ControlID, C) ? AttrsOf(HTML, C).Prop() : String();
}

int GetControlMaxLen(const String& HTML, const String& ControlID)
{
    TControlPos C;
    return FindControl(HTML, ControlID, C) ? IStrToInt(AttrsOf(HTML, C).Raw[aMaxLen]) : 0;
}

bool SetControlValue(String& HTML, const String& ControlID, const String& ControlValue)
{
    TControlPos C;
    if (!FindControl(HTML, ControlID, C)) return false;
    TControlAttrs A = AttrsOf(HTML, C);
    String Tag = RewrittenTag(HTML, C, A, ControlValue);
    HTML.replace(C.Name, C.Gt + 1 - C.Name, Tag);
    return true;
}

}  // namespace JyrHTMLE
