// JyrHTMLE text side, shared between its source files: character-reference decoding with its
// tables, ASCII case-folded search, and Unicode upper-casing that keeps positions.
#pragma once

#include "JyrHTMLText.h"

#include <cstddef>
#include <string_view>

namespace JyrHTMLE::detail {

inline bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// The sets of references a decoding pass understands.
enum class TRefSet {
    UnFix,       // "&quot;" and the entity table (folded-case rule of the replacement loops)
    QuotOnly,    // "&quot;" only (same rule)
    Run,         // "&nbsp;", "&lt;", "&gt;" and the entity table; "&&" is a literal ampersand
    Inverse,     // exact inverse of FixMarkup: "&amp;", "&quot;", "&lt;", "&gt;" and the table
    Visible,     // what the renderer shows as one character: Inverse plus "&nbsp;" (exact only)
};

// One left-to-right pass that gives what the replacement loops of the set give (see the .cpp).
String DecodeRefs(const String& s, TRefSet Set);

// A reference at s[i] (s[i] == '&') of the Visible set, or a numeric reference "&#" + 1..4
// characters that read as a whole number + ";": its length in s (0 when none) and its character.
size_t MatchVisibleRef(const String& s, size_t i, wchar_t& Ch);

// Position (0-based) of Pat in s at or after From with ASCII case folding of s; Pat must be given
// upper-cased. npos when absent or Pat is empty.
size_t FindCI(std::wstring_view s, std::wstring_view Pat, size_t From = 0);
inline bool StartsCI(std::wstring_view s, size_t At, std::wstring_view Pat)
{
    if (At > s.size() || s.size() - At < Pat.size()) return false;
    for (size_t k = 0; k < Pat.size(); ++k)
        if (UpCase(s[At + k]) != Pat[k]) return false;
    return true;
}
// Every occurrence of Pat (upper-cased) removed, in one pass.
String RemoveAllCI(const String& s, const String& Pat);

// The user locale's upper-casing, character for character (positions stay valid).
String UpperKeepLength(const String& s);

// Numeric references with "&&" read as a literal ampersand (the drawing preparation).
String UnicodeTagStripEx(const String& s, bool PairsAreLiteral);

}  // namespace JyrHTMLE::detail
