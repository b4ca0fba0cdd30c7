// QorUtil filter matcher, the parts its files share: the locale as one parse reads it, the value
// as the operands see it, and one operand read once (comparisons, wildcards, dates).
#pragma once

#include "QorUtilText.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace QorUtil::Detail {

using FilterView = std::wstring_view;

// The text without the blanks (characters up to the space) at either end.
inline FilterView TrimBlanks(FilterView s)
{
    size_t a = 0, b = s.size();
    while (a < b && s[a] <= L' ') ++a;
    while (b > a && s[b - 1] <= L' ') --b;
    return s.substr(a, b - a);
}

// The locale settings the matcher reads, taken from the process-wide settings at once.
struct TMatchLocale {
    Char Decimal = L'.';
    Char Thousand = L',';
    Char DateSep = L'/';
    Char TimeSep = L':';
    // Which field of a written date (0, 1 or 2) holds the day, the month and the year: the order
    // of the first "D", "M" and "Y" in the upper-cased short date format.
    unsigned char DayAt = 0;
    unsigned char MonthAt = 1;
    unsigned char YearAt = 2;

    static TMatchLocale Current();
};

// A text made during one call: on the stack when it is short, on the heap otherwise.
class TScratch {
public:
    TScratch() = default;
    TScratch(const TScratch&) = delete;
    TScratch& operator=(const TScratch&) = delete;
    Char* Reserve(size_t Len)
    {
        if (Len <= LocalSize) return FLocal;
        FHeap.resize(Len);
        return FHeap.data();
    }

private:
    static constexpr size_t LocalSize = 256;
    Char FLocal[LocalSize];
    String FHeap;
};

// A value as the operands read it: upper-cased through Fold (when not null) on first use, once
// for all the operands of an expression.
class TFilterValue {
public:
    TFilterValue(FilterView Raw, const Char* Fold) : FRaw(Raw), FText(Raw), FFold(Fold) {}
    size_t size() const { return FRaw.size(); }
    bool empty() const { return FRaw.empty(); }
    FilterView Text()
    {
        if (FFold) {
            Char* d = FBuffer.Reserve(FRaw.size());
            for (size_t i = 0; i < FRaw.size(); ++i) d[i] = FFold[Word(FRaw[i])];
            FText = FilterView(d, FRaw.size());
            FFold = nullptr;
        }
        return FText;
    }

private:
    FilterView FRaw;
    FilterView FText;
    const Char* FFold;
    TScratch FBuffer;
};

// A ">" or "<" test of an operand, with its comparison operand read once.
struct TComparison {
    bool Present = false;
    bool OrEqual = false;
    bool IsNumber = false;   // the operand reads as a number that is not also a date
    bool IsDate = false;
    double Number = 0;
    TDateTime Date = 0;
    size_t Start = 0;        // the operand's text within the pattern
    size_t Len = 0;
};

// How a wildcard pattern is matched. Unless a "!" follows a star, every piece of the pattern
// between stars has a fixed width, so the pattern is kept as those pieces ("segments"), with
// quotes resolved and "?" standing for any character: the first must match at the start, the
// last at the end, and the ones between are found from left to right. A "!" after a star negates
// the rest of the pattern at each place it is tried, which the general matcher decides.
struct TWildcardPlan {
    enum TKind : unsigned char { wkExact, wkStars, wkGeneral };
    struct TSegment {
        std::uint32_t Start;
        std::uint32_t Len;
        bool HasAny;   // holds a "?"
    };
    TKind Kind = wkExact;
    String Tokens;                     // the segments' characters, one after another
    std::vector<TSegment> Segments;    // wkExact: one; wkStars: two or more
    size_t MinLen = 0;                 // the characters of all segments
    size_t BangAt = FilterView::npos;  // characters of the first segment before its first "!"
};

// One operand read once: what Matches does with it, split into what depends on the operand alone
// (done here) and what depends on the value (done by Match).
class TFilterOperand {
public:
    // EmptyRule: an operand of exactly two double quotes matches the empty value only. Fold: the
    // case table that upper-cases the operand (and the values it is matched with), or null.
    TFilterOperand(FilterView Operand, bool EmptyRule, const Char* Fold, const TMatchLocale& Locale);
    bool Match(TFilterValue& Value, const TMatchLocale& Locale) const;

private:
    bool FEmptyOnly = false;
    bool FHasBang = false;
    bool FHasCaret = false;
    bool FHasAmp = false;
    TComparison FGreater;
    TComparison FLess;
    String FPattern;
    TWildcardPlan FPlan;
};

// A date in the short date format of Locale, optionally followed by a time.
bool IsDateText(FilterView s, const TMatchLocale& Locale, TDateTime& dt);
// s with Locale's thousand separators removed and its decimal separator made ".".
String StripThousandText(FilterView s, const TMatchLocale& Locale);

}  // namespace QorUtil::Detail
