// FilterLiteral: conditions that match a chosen cell value exactly, whatever characters it holds.
//
// A value picked from a column's filter list is a text, not an expression: "!urgent", ">5",
// "a|b", "a*b", "R&D" or "(none)" must match that text and nothing else. The two ways a filter
// item is evaluated take different forms:
//   expression  every character is quoted, so operators, comparisons, negation, spaces and a
//               leading "=" lose their meaning; inner double quotes are doubled. The expression
//               language has no way to quote "*" or "?": a value holding them becomes the
//               pattern with each of them as "?" (same length, same other characters), joined by
//               "&" with a text comparison from both sides (>= and <=), which pins the value.
//               (A value holding both a double quote and "*" or "?" keeps the pattern only;
//               comparisons read at most 255 characters.) Letter case follows the item.
//   literal     alternatives separated by "|" outside double quotes; an alternative enclosed in
//               double quotes is taken as it stands inside them (a doubled quote stands for one),
//               so a value holding "|" stays one alternative; two double quotes are the empty
//               text. A value holding "|" or a double quote is written quoted. Texts compare
//               exactly.
#pragma once

#include "framework/System.h"
#include "grid/QorGridDefs.h"

#include <string_view>
#include <unordered_set>
#include <vector>

namespace QorGridFilterLiteral {

// A condition matching exactly Value (the empty text included) under Method.
String LiteralCondition(const String& Value, TFilterMethod Method);

// Conditions joined as alternatives ("|"). An expression alternative that is a chain of "&"
// goes in parentheses; since the language reads a final parenthesised operand as plain text,
// the join then ends with an alternative that matches nothing.
class TAlternatives {
public:
    explicit TAlternatives(TFilterMethod Method) : FMethod(Method) {}
    // Adds one alternative; an empty Condition adds nothing before the first non-empty one and
    // an empty alternative after it. Literal: Condition came from LiteralCondition (only those
    // are put in parentheses; a condition of the user's own joins as written).
    void Add(const String& Condition, bool Literal);
    String Text() const;

private:
    struct TPart {
        String Condition;
        bool Group;
    };
    TFilterMethod FMethod;
    std::vector<TPart> FParts;
};

// A literal condition read once and matched against many texts.
class TLiteralList {
public:
    explicit TLiteralList(const String& Condition);
    TLiteralList(const TLiteralList&) = delete;
    TLiteralList& operator=(const TLiteralList&) = delete;
    bool Match(std::wstring_view s) const;

private:
    std::unordered_set<std::wstring_view> FSet;
    std::vector<String> FTexts;
};

// Splits a literal condition into its alternatives, quotes resolved.
std::vector<String> LiteralAlternatives(const String& Condition);

}  // namespace QorGridFilterLiteral
