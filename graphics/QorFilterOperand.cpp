// QorUtil filter matcher, one operand: comparisons with numbers, dates and text, dates in the
// short date format, and wildcard patterns. An operand is read once into a TFilterOperand (its
// comparison operands as numbers and dates, its pattern as segments); matching a value then
// reads only the value.
#include "QorFilterDetail.h"

#include <algorithm>

namespace QorUtil::Detail {

namespace {

using View = FilterView;
constexpr size_t npos = View::npos;
// The comparison operand and the text comparison look at no more than this many characters.
constexpr size_t MaxCompareLen = 255;

// ---- Numbers and dates -------------------------------------------------------------------------

// s with the thousand separators passed over and the decimal separator made ".", written to
// Buffer.
View StripThousand(View s, const TMatchLocale& L, TScratch& Buffer)
{
    Char* const d = Buffer.Reserve(s.size());
    size_t n = 0;
    for (Char c : s) {
        if (c == L.Thousand) continue;
        d[n++] = c == L.Decimal ? L'.' : c;
    }
    return View(d, n);
}

// The text, with the locale's thousand separators passed over and its decimal separator (or a
// ".") read as the decimal point, as a whole number:
// [blanks][sign]digits[.digits][e|E[sign]digits][blanks].
bool ReadNumber(View s, const TMatchLocale& L, double& Value)
{
    constexpr size_t MaxLen = 400;
    TFloatSyntax Syntax;
    Syntax.DecimalSeparator = L.Decimal;
    Syntax.PointToo = true;
    Syntax.HasIgnored = true;
    Syntax.Ignored = L.Thousand;
    // No number has other characters than ASCII ones and the separators, nor such length.
    size_t Len = 0;
    for (Char c : s) {
        if (c == Syntax.Ignored) continue;
        if ((c > 0x7F && c != Syntax.DecimalSeparator) || ++Len > MaxLen) return false;
    }
    auto Blank = [&](Char c) { return c == Syntax.Ignored || (c <= L' ' && !Syntax.IsSeparator(c)); };
    size_t i = 0, n = s.size();
    while (i < n && Blank(s[i])) ++i;
    while (n > i && Blank(s[n - 1])) --n;
    const View t = s.substr(0, n);
    const TFloatScan N = ScanFloat(t, i, Syntax);
    if (!N.Found() || N.End != n) return false;
    ScannedValue(t, N, Syntax, Value);
    return true;
}

// A number that is not also a date.
bool ReadCompareNumber(View s, const TMatchLocale& L, double& Value)
{
    if (!ReadNumber(s, L, Value)) return false;
    if (s.find(L.DateSep) == npos) return true;
    TScratch Buffer;
    TDateTime d;
    return !IsDateText(StripThousand(s, L, Buffer), L, d);
}

// A whole decimal integer with an optional sign. Blanks may lead; they may trail only when
// TrailingBlanks.
bool ReadInt(View s, int& Value, bool TrailingBlanks)
{
    size_t a = 0;
    while (a < s.size() && s[a] <= L' ') ++a;
    s.remove_prefix(a);
    if (TrailingBlanks) s = TrimBlanks(s);
    if (s.empty() || s.size() > 9) return false;
    size_t i = 0;
    bool Neg = false;
    if (s[0] == L'+' || s[0] == L'-') {
        Neg = s[0] == L'-';
        ++i;
    }
    const TDigitRun D = ScanDigits(s, i, 10);
    if (D.Count == 0 || D.End != s.size()) return false;
    Value = Neg ? -int(D.Value) : int(D.Value);
    return true;
}

// The time part after a date: hours, minutes and seconds, each range-checked. Encodable is
// cleared, with the result true, when the part holds no time separator (the date is then still
// encoded but is not a date).
bool ReadTimePart(View TimePart, Char TS, int& Hour, int& Min, int& Sec, bool& Encodable)
{
    TimePart = TrimBlanks(TimePart);
    const size_t t1 = TimePart.find(TS);
    if (t1 == npos) {
        Encodable = false;
        return true;
    }
    if (!ReadInt(TimePart.substr(0, t1), Hour, true) || Hour < 0 || Hour > 23) return false;
    const size_t t2 = TimePart.find(TS, t1 + 1);
    if (t2 != npos) {
        if (!ReadInt(TimePart.substr(t1 + 1, t2 - t1 - 1), Min, true) ||
            !ReadInt(TimePart.substr(t2 + 1), Sec, true) || Sec < 0 || Sec > 60)
            return false;
    } else if (!ReadInt(TimePart.substr(t1 + 1), Min, true)) {
        return false;
    }
    return Min >= 0 && Min <= 59;
}

template <class T>
bool Compared(T a, T b, bool Greater, bool OrEqual)
{
    return Greater ? (OrEqual ? a >= b : a > b) : (OrEqual ? a <= b : a < b);
}

// One comparison (">" when Greater, else "<") of the value v with the operand C (its text Text).
bool CompareTest(View v, const TComparison& C, View Text, bool Greater, const TMatchLocale& L)
{
    if (C.IsNumber) {
        double a = 0;
        if (ReadCompareNumber(v, L, a)) return Compared(a, C.Number, Greater, C.OrEqual);
    }
    if (C.IsDate) {
        TDateTime da = 0;
        if (IsDateText(v, L, da)) return Compared(da, C.Date, Greater, C.OrEqual);
    }
    return Compared(v.substr(0, MaxCompareLen).compare(Text), 0, Greater, C.OrEqual);
}

// The comparison after the operator at index OpPos: "=" after it means or-equal; blanks skipped;
// its operand runs to a blank, "&" or "|" outside quotes; an opening quote and a final quote are
// dropped. The operand is read as a number and as a date here, once.
TComparison ReadComparison(View p, size_t OpPos, const TMatchLocale& L)
{
    TComparison C;
    C.Present = true;
    size_t k = OpPos + 1;
    C.OrEqual = k < p.size() && p[k] == L'=';
    if (C.OrEqual) ++k;
    while (k < p.size() && p[k] == L' ') ++k;
    size_t Start = k;
    bool InQuote = false;
    for (; k < p.size(); ++k) {
        const Char c = p[k];
        if (c == L'"')
            InQuote = !InQuote;
        else if (!InQuote && (c == L' ' || c == L'&' || c == L'|'))
            break;
    }
    size_t End = k;
    if (Start < End && p[Start] == L'"') ++Start;
    if (Start < End && p[End - 1] == L'"') --End;
    C.Start = Start;
    C.Len = std::min(End - Start, MaxCompareLen);
    const View Text = p.substr(C.Start, C.Len);
    C.IsNumber = ReadCompareNumber(Text, L, C.Number);
    C.IsDate = IsDateText(Text, L, C.Date);
    return C;
}

// ---- Wildcards: the pattern read once ----------------------------------------------------------

TWildcardPlan PlanWildcard(View p)
{
    TWildcardPlan W;
    // A leading quote makes every "!" a plain character.
    const bool BangLiteral = !p.empty() && p[0] == L'"';
    const size_t FirstStar = p.find(L'*');
    if (!BangLiteral && FirstStar != npos && p.find(L'!', FirstStar) != npos) {
        W.Kind = TWildcardPlan::wkGeneral;
        return W;
    }
    W.Kind = FirstStar == npos ? TWildcardPlan::wkExact : TWildcardPlan::wkStars;
    W.Tokens.reserve(p.size());
    size_t i = 0;
    for (;;) {
        // One segment, to the next star: a quote is skipped, and a quote right after a skipped
        // one stands for a quote; "!" (in the first segment only) marks where negation starts.
        TWildcardPlan::TSegment Seg{std::uint32_t(W.Tokens.size()), 0, false};
        bool AfterQuote = false;
        for (; i < p.size() && p[i] != L'*'; ++i) {
            const Char c = p[i];
            if (c == L'!' && !BangLiteral) {
                if (W.BangAt == npos) W.BangAt = W.Tokens.size();
                AfterQuote = false;
                continue;
            }
            if (c == L'"' && !AfterQuote) {
                AfterQuote = true;
                continue;
            }
            AfterQuote = false;
            Seg.HasAny = Seg.HasAny || c == L'?';
            W.Tokens += c;
        }
        Seg.Len = std::uint32_t(W.Tokens.size() - Seg.Start);
        W.Segments.push_back(Seg);
        if (i == p.size()) break;
        while (i < p.size() && p[i] == L'*') ++i;   // a run of stars is one star
    }
    W.MinLen = W.Tokens.size();
    return W;
}

// ---- Wildcards: matching by segments -----------------------------------------------------------

// The index of the first character of Seg that fails against v from index j (one that differs,
// or the end of v); Seg's length when all match.
size_t FirstMismatch(View Seg, View v, size_t j)
{
    const size_t m = std::min(Seg.size(), v.size() - j);
    for (size_t k = 0; k < m; ++k)
        if (Seg[k] != v[j + k] && Seg[k] != L'?') return k;
    return m;
}

// The first index from From at which Seg matches v and ends by To; npos when there is none.
size_t FindSegment(View Seg, bool HasAny, View v, size_t From, size_t To)
{
    if (!HasAny) return v.substr(0, To).find(Seg, From);
    for (size_t j = From; j + Seg.size() <= To; ++j)
        if (FirstMismatch(Seg, v, j) == Seg.size()) return j;
    return npos;
}

// The segments after the first star against v from index j: the last ends the value, the others
// are found from left to right before it. Every segment has a fixed width, so the first place
// that fits each is as good as any later one.
bool MatchAfterFirstStar(const TWildcardPlan& W, View v, size_t j)
{
    const View Tokens = W.Tokens;
    const auto& Last = W.Segments.back();
    if (v.size() < j + Last.Len) return false;
    const size_t End = v.size() - Last.Len;
    if (FirstMismatch(Tokens.substr(Last.Start, Last.Len), v, End) != Last.Len) return false;
    for (size_t s = 1; s + 1 < W.Segments.size(); ++s) {
        const auto& Seg = W.Segments[s];
        const size_t At = FindSegment(Tokens.substr(Seg.Start, Seg.Len), Seg.HasAny, v, j, End);
        if (At == npos) return false;
        j = At + Seg.Len;
    }
    return true;
}

// ---- Wildcards: the general matcher for a "!" after a star -------------------------------------
//
// A segment is scanned from a value position with fresh flags; "!" in it sets its negate flag (as
// far as the scan gets), and its answer is (matched and the rest matches) with negate applied.
// The rest after a star matches when the next segment answers true at some later position.
// Evaluating the segments from the last to the first over every value position gives the exact
// answer of the retry-every-tail rule in O(pattern x value) steps, without recursion.

struct TScan {
    bool Matched;
    bool Negate;
    size_t End;   // value position after the segment when Matched
};

TScan ScanSegment(View p, size_t a, size_t b, View v, size_t j)
{
    bool Negate = false, AfterQuote = false;
    for (size_t i = a; i < b; ++i) {
        const Char c = p[i];
        if (c == L'!') {
            Negate = true;
            AfterQuote = false;
            continue;
        }
        if (c == L'"') {
            if (!AfterQuote) {
                AfterQuote = true;
                continue;
            }
            AfterQuote = false;
            if (j < v.size() && v[j] == L'"') {
                ++j;
                continue;
            }
            return {false, Negate, j};
        }
        AfterQuote = false;
        if (j >= v.size() || (c != L'?' && v[j] != c)) return {false, Negate, j};
        ++j;
    }
    return {true, Negate, j};
}

bool MatchNegatedSegments(View p, View v)
{
    std::vector<size_t> Bounds;   // segment a0, b0, a1, b1, ...
    size_t a = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i] != L'*') continue;
        Bounds.push_back(a);
        Bounds.push_back(i);
        while (i + 1 < p.size() && p[i + 1] == L'*') ++i;
        a = i + 1;
    }
    Bounds.push_back(a);
    Bounds.push_back(p.size());
    const size_t Segs = Bounds.size() / 2, n = v.size();
    // Rest[j]: the segments after a star match from some position >= j.
    std::vector<unsigned char> Rest(n + 2, 0), Next(n + 2, 0);
    for (size_t m = Segs - 1; m >= 1; --m) {
        const bool Last = m == Segs - 1;
        Next[n + 1] = 0;
        for (size_t j = n + 1; j-- > 0;) {
            TScan r = ScanSegment(p, Bounds[2 * m], Bounds[2 * m + 1], v, j);
            const bool Tail = r.Matched && (Last ? r.End == n : Rest[r.End] != 0);
            Next[j] = (r.Negate != Tail) || Next[j + 1];
        }
        Rest.swap(Next);
    }
    TScan r = ScanSegment(p, Bounds[0], Bounds[1], v, 0);
    return r.Negate != (r.Matched && Rest[r.End] != 0);
}

// The pattern p (read into W) against the value.
bool MatchWildcard(const TWildcardPlan& W, View p, TFilterValue& Value)
{
    if (W.Kind == TWildcardPlan::wkGeneral) return MatchNegatedSegments(p, Value.Text());
    // Without a "!" the length alone can rule the value out, before it is case-folded.
    const size_t n = Value.size();
    if (W.BangAt == npos && (W.Kind == TWildcardPlan::wkExact ? n != W.MinLen : n < W.MinLen))
        return false;
    const View v = Value.Text();
    const auto& First = W.Segments.front();
    const size_t k = FirstMismatch(View(W.Tokens).substr(First.Start, First.Len), v, 0);
    // A "!" negates once the scan of the first segment has reached it.
    const bool Negate = W.BangAt <= k;
    if (W.Kind == TWildcardPlan::wkExact) return Negate != (k == First.Len && n == First.Len);
    if (k < First.Len) return Negate;
    return Negate != MatchAfterFirstStar(W, v, First.Len);
}

}  // namespace

// ---- The locale ---------------------------------------------------------------------------------

TMatchLocale TMatchLocale::Current()
{
    const TFormatSettings& fs = FormatSettings;
    TMatchLocale L;
    L.Decimal = fs.DecimalSeparator;
    L.Thousand = fs.ThousandSeparator;
    L.DateSep = fs.DateSeparator;
    L.TimeSep = fs.TimeSeparator;
    size_t PD = npos, PM = npos, PY = npos;
    const String& Fmt = fs.ShortDateFormat;
    for (size_t i = 0; i < Fmt.size(); ++i) {
        const Char c = UpperChar(Fmt[i]);
        if (c == L'D' && PD == npos) PD = i;
        if (c == L'M' && PM == npos) PM = i;
        if (c == L'Y' && PY == npos) PY = i;
    }
    if (PD == npos || PM == npos || PY == npos) {   // an incomplete format: day, month, year
        PD = 0;
        PM = 1;
        PY = 2;
    }
    auto Rank = [&](size_t P) { return static_cast<unsigned char>(int(P > PD) + int(P > PM) + int(P > PY)); };
    L.DayAt = Rank(PD);
    L.MonthAt = Rank(PM);
    L.YearAt = Rank(PY);
    return L;
}

// ---- Dates --------------------------------------------------------------------------------------

bool IsDateText(View s, const TMatchLocale& L, TDateTime& dt)
{
    const size_t p1 = s.find(L.DateSep);
    if (p1 == npos) return false;
    const size_t p2 = s.find(L.DateSep, p1 + 1);
    if (p2 == npos) return false;
    // The first two fields are whole integers after any leading blanks; the rest is trimmed.
    int Field[3];
    if (!ReadInt(s.substr(0, p1), Field[0], false) ||
        !ReadInt(s.substr(p1 + 1, p2 - p1 - 1), Field[1], false))
        return false;
    View Rest = TrimBlanks(s.substr(p2 + 1));
    View TimePart;
    const size_t Sp = Rest.find(L' ');
    if (Sp != npos) {
        TimePart = Rest.substr(Sp);
        Rest = Rest.substr(0, Sp);
    }
    if (!ReadInt(Rest, Field[2], true)) return false;
    const int Day = Field[L.DayAt], Month = Field[L.MonthAt], Year = Field[L.YearAt];
    if (Day > 31 || Month > 12) return false;
    bool Ok = true;
    int Hour = 0, Min = 0, Sec = 0;
    if (!TimePart.empty() && !ReadTimePart(TimePart, L.TimeSep, Hour, Min, Sec, Ok)) return false;
    TDateTime d = 0, t = 0;
    if (Year < 1 || Year > 9999 || Month < 1 || Day < 1) return false;
    if (!TryEncodeDate(Word(Year), Word(Month), Word(Day), d)) return false;
    if (!TryEncodeTime(Word(Hour), Word(Min), Word(Sec), 0, t)) return false;
    dt = d + t;
    return Ok;
}

String StripThousandText(View s, const TMatchLocale& L)
{
    TScratch Buffer;
    return String(StripThousand(s, L, Buffer));
}

// ---- One operand --------------------------------------------------------------------------------

TFilterOperand::TFilterOperand(View Operand, bool EmptyRule, const Char* Fold, const TMatchLocale& L)
{
    if (EmptyRule && Operand == View(L"\"\"")) {
        FEmptyOnly = true;
        return;
    }
    FPattern.assign(Operand);
    if (Fold)
        for (Char& c : FPattern) c = Fold[Word(c)];
    const View p = FPattern;
    // The operator characters outside quotes; the first ">" and "<" are the comparisons.
    size_t Gt = npos, Lt = npos;
    bool InQuote = false;
    for (size_t i = 0; i < p.size(); ++i) {
        const Char c = p[i];
        if (c == L'"') {
            InQuote = !InQuote;
            continue;
        }
        if (InQuote) continue;
        switch (c) {
        case L'>': if (Gt == npos) Gt = i; break;
        case L'<': if (Lt == npos) Lt = i; break;
        case L'!': FHasBang = true; break;
        case L'^': FHasCaret = true; break;
        case L'&': FHasAmp = true; break;
        default: break;
        }
    }
    if (Gt != npos) FGreater = ReadComparison(p, Gt, L);
    if (Lt != npos) FLess = ReadComparison(p, Lt, L);
    FPlan = PlanWildcard(p);
}

bool TFilterOperand::Match(TFilterValue& Value, const TMatchLocale& L) const
{
    if (FEmptyOnly) return Value.empty();
    const View p = FPattern;
    bool GtMade = false, GtHeld = false, LtMade = false, LtHeld = false;
    if (FGreater.Present) {
        GtMade = true;
        GtHeld = CompareTest(Value.Text(), FGreater, p.substr(FGreater.Start, FGreater.Len), true, L);
    }
    if (FLess.Present) {
        LtMade = true;
        LtHeld = CompareTest(Value.Text(), FLess, p.substr(FLess.Start, FLess.Len), false, L);
    }
    // A "!" counts as a test made and held for each comparison the operand lacks.
    if (FHasBang) {
        if (!FGreater.Present) GtMade = GtHeld = true;
        if (!FLess.Present) LtMade = LtHeld = true;
    }
    if (FHasCaret && (GtMade || LtMade)) return (GtMade ? GtHeld : true) || (LtMade ? LtHeld : true);
    if (FHasAmp && GtMade && LtMade) return GtHeld && LtHeld;
    if ((FGreater.Present && GtHeld) || (FLess.Present && LtHeld)) return true;
    return MatchWildcard(FPlan, p, Value);
}

}  // namespace QorUtil::Detail
