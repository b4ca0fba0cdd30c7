// QorUtil, filter-expression matcher: the condition language of the grid's filters and finds.
//
// An expression is operands joined by "&" (and) or "|", ";", "^" (or), evaluated left to right
// without precedence, with optional parentheses. An operand is a wildcard pattern ("*", "?",
// "!" negation, double quotes for literal text) or a comparison (">", ">=", "<", "<=") against a
// number, a date in the short date format, or text.
//
// An expression is parsed once into a TFilterMatcher, which then matches values without reading
// the expression again. The free routines take an expression and a value per call and keep the
// parsed form of the last few expressions, keyed by the expression, the letter-case option and
// the locale settings the parse read: a filter run over many rows parses its conditions once,
// and a change of condition or locale takes effect on the next call. They may be called from any
// thread (calls made at the same time from several threads use a cache per thread).
#pragma once

#include "QorUtilText.h"

#include <memory>
#include <string_view>

namespace QorUtil {

namespace Detail {
struct TFilterProgram;
}

// A parsed expression (or a single operand): Parse once, Match many values. The locale
// separators and the short date format are read by Parse; parse again after changing them. A
// matcher is immutable between parses, cheap to copy, and may match from several threads.
class TFilterMatcher {
public:
    // Matches as the empty expression: the empty value only.
    TFilterMatcher();
    TFilterMatcher(const String& Expression, bool DoCase);
    // The expression as MatchStrEx reads it.
    void Parse(const String& Expression, bool DoCase);
    // One operand as MatchStr reads it: no operator splitting.
    void ParseOperand(const String& Operand, bool DoCase);
    bool Match(std::wstring_view Value) const;

private:
    std::shared_ptr<const Detail::TFilterProgram> FProgram;
};

// True when the value s2 satisfies the expression s1; letter case matters only when DoCase.
bool MatchStrEx(const String& s1, const String& s2, bool DoCase);
// True when s2 satisfies the single operand s1 (no operator splitting).
bool MatchStr(const String& s1, const String& s2, bool DoCase);
// True when the value s1a satisfies the operand s0a, comparing characters exactly.
bool Matches(const String& s0a, const String& s1a);
// A date in the short date format, optionally followed by a time. dt receives the encoded value
// whenever encoding succeeds.
bool IsDate(const String& s, TDateTime& dt);

String StripLogicSpaces(const String& s);
// Position of the ")" closing the "(" at the start of s1 (nesting counted, quoted text skipped);
// 0 when there is none.
int ClosingParenthesis(const String& s1);
// Position of the first sp outside double quotes; 0 when there is none.
int StrUnquotedPos(const String& s, Char sp);
bool InArray(Char ch, const String& charset);
// The first character of charset in s outside quotes and parentheses; spos gets its position, or
// -1 (and the result is 0) when there is none.
Char FirstChar(const String& charset, const String& s, int& spos);
String StripThousandSep(const String& ps);

}  // namespace QorUtil
