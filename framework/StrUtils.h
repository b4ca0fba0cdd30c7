// StrUtils: more text routines (1-based positions, as SysUtils).
#pragma once

#include "SysUtils.h"

#include <vector>

String LeftStr(const String& S, int Count);
String RightStr(const String& S, int Count);
String MidStr(const String& S, int Start, int Count);
inline String AnsiLeftStr(const String& S, int Count) { return LeftStr(S, Count); }
inline String AnsiRightStr(const String& S, int Count) { return RightStr(S, Count); }
inline String AnsiMidStr(const String& S, int Start, int Count) { return MidStr(S, Start, Count); }

// Case-sensitive (Str) and locale case-insensitive (Text) tests.
bool StartsStr(const String& SubText, const String& Text);
bool EndsStr(const String& SubText, const String& Text);
bool ContainsStr(const String& Text, const String& SubText);
bool StartsText(const String& SubText, const String& Text);
bool EndsText(const String& SubText, const String& Text);
bool ContainsText(const String& Text, const String& SubText);
inline bool AnsiStartsStr(const String& SubText, const String& Text) { return StartsStr(SubText, Text); }
inline bool AnsiEndsStr(const String& SubText, const String& Text) { return EndsStr(SubText, Text); }
inline bool AnsiContainsStr(const String& Text, const String& SubText) { return ContainsStr(Text, SubText); }
inline bool AnsiStartsText(const String& SubText, const String& Text) { return StartsText(SubText, Text); }
inline bool AnsiEndsText(const String& SubText, const String& Text) { return EndsText(SubText, Text); }
inline bool AnsiContainsText(const String& Text, const String& SubText) { return ContainsText(Text, SubText); }

// Every occurrence replaced; Text ignores case.
String ReplaceStr(const String& Text, const String& FromText, const String& ToText);
String ReplaceText(const String& Text, const String& FromText, const String& ToText);
inline String AnsiReplaceStr(const String& T, const String& F, const String& To) { return ReplaceStr(T, F, To); }
inline String AnsiReplaceText(const String& T, const String& F, const String& To) { return ReplaceText(T, F, To); }

String ReverseString(const String& S);   // surrogate pairs stay in order
String DupeString(const String& S, int Count);
// Replaces Length characters at Start (1-based) by SubText.
String StuffString(const String& Text, int Start, int Length, const String& SubText);

// Index of Text in Values, or -1.
int IndexStr(const String& Text, std::initializer_list<String> Values);
int IndexText(const String& Text, std::initializer_list<String> Values);
inline bool MatchStr(const String& Text, std::initializer_list<String> Values) { return IndexStr(Text, Values) >= 0; }
inline bool MatchText(const String& Text, std::initializer_list<String> Values) { return IndexText(Text, Values) >= 0; }

inline String IfThen(bool Value, const String& ATrue, const String& AFalse = String())
{
    return Value ? ATrue : AFalse;
}
inline int IfThen(bool Value, int ATrue, int AFalse = 0) { return Value ? ATrue : AFalse; }
inline double IfThen(bool Value, double ATrue, double AFalse = 0) { return Value ? ATrue : AFalse; }

// Pieces of S between any of the delimiter characters (empty pieces kept).
std::vector<String> SplitString(const String& S, const String& Delimiters);
// Position of the last occurrence of SubStr, 0 when absent.
int PosLast(const String& SubStr, const String& S);
