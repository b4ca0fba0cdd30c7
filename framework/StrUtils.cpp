// StrUtils: more text routines.
#include "StrUtils.h"

String LeftStr(const String& S, int Count) { return Copy(S, 1, Count); }

String RightStr(const String& S, int Count)
{
    if (Count <= 0) return {};
    if (size_t(Count) >= S.size()) return S;
    return S.substr(S.size() - size_t(Count));
}

String MidStr(const String& S, int Start, int Count) { return Copy(S, Start, Count); }

bool StartsStr(const String& SubText, const String& Text)
{
    return Text.size() >= SubText.size() && Text.compare(0, SubText.size(), SubText) == 0;
}

bool EndsStr(const String& SubText, const String& Text)
{
    return Text.size() >= SubText.size() &&
           Text.compare(Text.size() - SubText.size(), SubText.size(), SubText) == 0;
}

bool ContainsStr(const String& Text, const String& SubText)
{
    return Text.find(SubText) != String::npos;
}

bool StartsText(const String& SubText, const String& Text)
{
    if (Text.size() < SubText.size()) return false;
    return AnsiSameText(Text.substr(0, SubText.size()), SubText);
}

bool EndsText(const String& SubText, const String& Text)
{
    if (Text.size() < SubText.size()) return false;
    return AnsiSameText(Text.substr(Text.size() - SubText.size()), SubText);
}

bool ContainsText(const String& Text, const String& SubText)
{
    return AnsiUpperCase(Text).find(AnsiUpperCase(SubText)) != String::npos;
}

String ReplaceStr(const String& Text, const String& FromText, const String& ToText)
{
    return StringReplace(Text, FromText, ToText, {rfReplaceAll});
}

String ReplaceText(const String& Text, const String& FromText, const String& ToText)
{
    return StringReplace(Text, FromText, ToText, {rfReplaceAll, rfIgnoreCase});
}

String ReverseString(const String& S)
{
    String R;
    R.reserve(S.size());
    for (size_t i = S.size(); i > 0; --i) {
        Char c = S[i - 1];
        // Keep a surrogate pair in its order.
        if (c >= 0xDC00 && c <= 0xDFFF && i >= 2 && S[i - 2] >= 0xD800 && S[i - 2] <= 0xDBFF) {
            R += S[i - 2];
            R += c;
            --i;
            continue;
        }
        R += c;
    }
    return R;
}

String DupeString(const String& S, int Count)
{
    String R;
    if (Count <= 0) return R;
    R.reserve(S.size() * size_t(Count));
    for (int i = 0; i < Count; ++i) R += S;
    return R;
}

String StuffString(const String& Text, int Start, int Length, const String& SubText)
{
    String R = Text;
    if (Start < 1) Start = 1;
    if (size_t(Start) > R.size() + 1) Start = int(R.size() + 1);
    size_t From = size_t(Start - 1);
    size_t Len = Length > 0 ? std::min(size_t(Length), R.size() - From) : 0;
    R.replace(From, Len, SubText);
    return R;
}

int IndexStr(const String& Text, std::initializer_list<String> Values)
{
    int i = 0;
    for (const String& V : Values) {
        if (V == Text) return i;
        ++i;
    }
    return -1;
}

int IndexText(const String& Text, std::initializer_list<String> Values)
{
    int i = 0;
    for (const String& V : Values) {
        if (AnsiSameText(V, Text)) return i;
        ++i;
    }
    return -1;
}

std::vector<String> SplitString(const String& S, const String& Delimiters)
{
    std::vector<String> R;
    size_t Start = 0;
    for (;;) {
        size_t p = S.find_first_of(Delimiters, Start);
        if (p == String::npos) {
            R.push_back(S.substr(Start));
            break;
        }
        R.push_back(S.substr(Start, p - Start));
        Start = p + 1;
    }
    return R;
}

int PosLast(const String& SubStr, const String& S)
{
    if (SubStr.empty()) return 0;
    size_t p = S.rfind(SubStr);
    return p == String::npos ? 0 : int(p + 1);
}
