// QorUtil filter-expression matcher.
//
// The matcher runs once per row and condition, so it works on views of the condition and the
// value and keeps its scratch buffers between calls: the common paths allocate nothing.
#include "QorFilter.h"

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <optional>
#include <vector>

namespace QorUtil {

namespace {

using View = std::wstring_view;
constexpr size_t npos = View::npos;
// Parentheses nested deeper than this are matched as plain text, which bounds the recursion.
constexpr int MaxGroupDepth = 32;
// The comparison operand and the text comparison look at no more than this many characters.
constexpr size_t MaxCompareLen = 255;

inline bool IsOperator(Char c) { return c == L'&' || c == L'|' || c == L';' || c == L'^'; }

View TrimView(View s)
{
    size_t a = 0, b = s.size();
    while (a < b && s[a] <= L' ') ++a;
    while (b > a && s[b - 1] <= L' ') --b;
    return s.substr(a, b - a);
}

// Index of the first character that Wanted accepts outside quotes and parentheses; npos when
// none.
template <class Pred>
size_t FirstOutside(View s, Pred Wanted)
{
    bool InQuote = false;
    int Depth = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const Char c = s[i];
        if (c == L'"') {
            InQuote = !InQuote;
        } else if (!InQuote) {
            if (c == L'(')
                ++Depth;
            else if (c == L')') {
                if (Depth > 0) --Depth;
            } else if (Depth == 0 && Wanted(c))
                return i;
        }
    }
    return npos;
}

// Index of the first operator character outside quotes and parentheses; npos when none.
size_t FirstOperator(View s)
{
    return FirstOutside(s, IsOperator);
}

// 1-based position of the ")" closing the "(" at s[0]; 0 when none.
size_t ClosingParen(View s)
{
    if (s.empty() || s[0] != L'(') return 0;
    bool InQuote = false;
    int Depth = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const Char c = s[i];
        if (c == L'"')
            InQuote = !InQuote;
        else if (!InQuote && c == L'(')
            ++Depth;
        else if (!InQuote && c == L')' && --Depth == 0)
            return i + 1;
    }
    return 0;
}

size_t UnquotedPos(View s, Char sp)
{
    bool InQuote = false;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'"')
            InQuote = !InQuote;
        else if (!InQuote && s[i] == sp)
            return i;
    }
    return npos;
}

String StripThousand(View ps)
{
    const Char Thou = FormatSettings.ThousandSeparator, Dec = FormatSettings.DecimalSeparator;
    String r;
    r.reserve(ps.size());
    for (Char c : ps) {
        if (c == Thou) continue;
        r += c == Dec ? L'.' : c;
    }
    return r;
}

// The text, with the locale's thousand separators passed over and its decimal separator (or a
// ".") read as the decimal point, as a whole number:
// [blanks][sign]digits[.digits][e|E[sign]digits][blanks].
bool ReadNumber(View s, double& Value)
{
    constexpr size_t MaxLen = 400;
    TFloatSyntax Syntax;
    Syntax.DecimalSeparator = FormatSettings.DecimalSeparator;
    Syntax.PointToo = true;
    Syntax.HasIgnored = true;
    Syntax.Ignored = FormatSettings.ThousandSeparator;
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

bool IsDateView(View s, TDateTime& dt);

// A number that is not also a date.
bool ReadCompareNumber(View s, double& Value)
{
    if (!ReadNumber(s, Value)) return false;
    TDateTime d;
    return !(s.find(FormatSettings.DateSeparator) != npos && IsDateView(StripThousand(s), d));
}

// One comparison (">" when Greater, else "<") of the value with its operand.
bool CompareTest(View v, View Operand, bool Greater, bool OrEqual)
{
    double a = 0, b = 0;
    if (ReadCompareNumber(v, a) && ReadCompareNumber(Operand, b))
        return Greater ? (OrEqual ? a >= b : a > b) : (OrEqual ? a <= b : a < b);
    TDateTime da = 0, db = 0;
    if (IsDateView(v, da) && IsDateView(Operand, db))
        return Greater ? (OrEqual ? da >= db : da > db) : (OrEqual ? da <= db : da < db);
    const int c = v.substr(0, MaxCompareLen).compare(Operand.substr(0, MaxCompareLen));
    return Greater ? (OrEqual ? c >= 0 : c > 0) : (OrEqual ? c <= 0 : c < 0);
}

// The operand after the operator at index OpPos: "=" after it means or-equal; blanks skipped; it
// runs to a blank, "&" or "|" outside quotes; an opening quote and a final quote are dropped.
View ComparisonOperand(View p, size_t OpPos, bool& OrEqual)
{
    size_t k = OpPos + 1;
    OrEqual = k < p.size() && p[k] == L'=';
    if (OrEqual) ++k;
    while (k < p.size() && p[k] == L' ') ++k;
    const size_t Start = k;
    bool InQuote = false;
    for (; k < p.size(); ++k) {
        const Char c = p[k];
        if (c == L'"')
            InQuote = !InQuote;
        else if (!InQuote && (c == L' ' || c == L'&' || c == L'|'))
            break;
    }
    View op = p.substr(Start, k - Start);
    if (!op.empty() && op.front() == L'"') op.remove_prefix(1);
    if (!op.empty() && op.back() == L'"') op.remove_suffix(1);
    return op.substr(0, MaxCompareLen);
}

// ---- Wildcards ---------------------------------------------------------------------------------
//
// The pattern is split at runs of "*" into segments. A segment is scanned from a value position
// with fresh flags; "!" in it sets its negate flag (as far as the scan gets), and its answer is
// (matched and the rest matches) with negate applied. The rest after a star matches when the next
// segment answers true at some later position. Evaluating the segments from the last to the first
// over every value position gives the exact answer of the retry-every-tail rule in
// O(pattern x value) steps, without recursion.

struct TScan {
    bool Matched;
    bool Negate;
    size_t End;   // value position after the segment when Matched
};

// Fold, when not null, maps each value character to upper case as it is compared.
inline Char At(View v, size_t j, const Char* Fold) { return Fold ? Fold[Word(v[j])] : v[j]; }

TScan ScanSegment(View p, size_t a, size_t b, View v, size_t j, bool BangLiteral, const Char* Fold)
{
    bool Negate = false, AfterQuote = false;
    for (size_t i = a; i < b; ++i) {
        const Char c = p[i];
        if (c == L'!' && !BangLiteral) {
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
            if (j < v.size() && At(v, j, Fold) == L'"') {
                ++j;
                continue;
            }
            return {false, Negate, j};
        }
        AfterQuote = false;
        if (j >= v.size() || (c != L'?' && At(v, j, Fold) != c)) return {false, Negate, j};
        ++j;
    }
    return {true, Negate, j};
}

// The segments after the first star, none holding a negating "!": the classic scan that, on a
// mismatch, lets the last star take one more character. Every token has a fixed width (a quote
// that is skipped takes none), so this gives the same answer as trying every tail.
bool MatchAfterStars(View p, size_t i, View v, size_t j, const Char* Fold)
{
    const size_t m = p.size(), n = v.size();
    size_t StarI = i, StarJ = j;
    bool AfterQuote = false;
    for (;;) {
        bool Ok;
        if (i == m) {
            if (j == n) return true;
            Ok = false;
        } else {
            const Char c = p[i];
            if (c == L'*') {
                while (i < m && p[i] == L'*') ++i;
                if (i == m) return true;   // a final star takes the rest of the value
                StarI = i;
                StarJ = j;
                AfterQuote = false;
                continue;
            }
            if (c == L'"' && !AfterQuote) {
                AfterQuote = true;
                ++i;
                continue;
            }
            AfterQuote = false;
            Ok = j < n && (c == L'?' ? true : At(v, j, Fold) == c);
            if (Ok) {
                ++i;
                ++j;
                continue;
            }
        }
        // Back to the last star, which takes one more character.
        if (StarJ >= n) return false;
        i = StarI;
        j = ++StarJ;
        AfterQuote = false;
    }
}

// Any order of segments: evaluated from the last to the first over every value position.
bool MatchSegments(View p, View v, bool BangLiteral, const Char* Fold)
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
            TScan r = ScanSegment(p, Bounds[2 * m], Bounds[2 * m + 1], v, j, BangLiteral, Fold);
            const bool Tail = r.Matched && (Last ? r.End == n : Rest[r.End] != 0);
            Next[j] = (r.Negate != Tail) || Next[j + 1];
        }
        Rest.swap(Next);
    }
    TScan r = ScanSegment(p, Bounds[0], Bounds[1], v, 0, BangLiteral, Fold);
    return r.Negate != (r.Matched && Rest[r.End] != 0);
}

bool WildcardMatch(View p, View v, const Char* Fold)
{
    const bool BangLiteral = !p.empty() && p[0] == L'"';
    const size_t FirstStar = p.find(L'*');
    TScan r = ScanSegment(p, 0, FirstStar == npos ? p.size() : FirstStar, v, 0, BangLiteral, Fold);
    if (FirstStar == npos) return r.Negate != (r.Matched && r.End == v.size());
    if (!r.Matched) return r.Negate;
    if (BangLiteral || p.find(L'!', FirstStar) == npos)
        return r.Negate != MatchAfterStars(p, FirstStar, v, r.End, Fold);
    return MatchSegments(p, v, BangLiteral, Fold);
}

// ---- Operands ----------------------------------------------------------------------------------

// A text in upper case, on the stack when it is short.
class TUpper {
public:
    explicit TUpper(View s)
    {
        Char* d = Local;
        if (s.size() > std::size(Local)) {
            Heap.resize(s.size());
            d = Heap.data();
        }
        static const Char* const Table = Detail::UpperCaseTable();
        const Char* const T = Table;   // one guarded load per text, not per character
        for (size_t i = 0; i < s.size(); ++i) d[i] = T[Word(s[i])];
        FView = View(d, s.size());
    }
    TUpper(const TUpper&) = delete;
    TUpper& operator=(const TUpper&) = delete;
    View view() const { return FView; }

private:
    Char Local[128];
    String Heap;
    View FView;
};

// Fold, when not null, upper-cases the value as it is read.
bool MatchesView(View p, View v, const Char* Fold)
{
    // One pass for the operator characters outside quotes.
    size_t Gt = npos, Lt = npos;
    bool HasBang = false, HasCaret = false, HasAmp = false, InQuote = false;
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
        case L'!': HasBang = true; break;
        case L'^': HasCaret = true; break;
        case L'&': HasAmp = true; break;
        default: break;
        }
    }
    bool GtMade = false, GtHeld = false, LtMade = false, LtHeld = false;
    std::optional<TUpper> Folded;   // comparisons read the value whole, so fold it once
    if (Fold && (Gt != npos || Lt != npos)) {
        Folded.emplace(v);
        v = Folded->view();
    }
    if (Gt != npos) {
        bool OrEqual;
        View op = ComparisonOperand(p, Gt, OrEqual);
        GtMade = true;
        GtHeld = CompareTest(v, op, true, OrEqual);
    }
    if (Lt != npos) {
        bool OrEqual;
        View op = ComparisonOperand(p, Lt, OrEqual);
        LtMade = true;
        LtHeld = CompareTest(v, op, false, OrEqual);
    }
    if (HasBang) {
        if (Gt == npos) GtMade = GtHeld = true;
        if (Lt == npos) LtMade = LtHeld = true;
    }
    if (HasCaret && (GtMade || LtMade)) return (GtMade ? GtHeld : true) || (LtMade ? LtHeld : true);
    if (HasAmp && GtMade && LtMade) return GtHeld && LtHeld;
    if ((Gt != npos && GtHeld) || (Lt != npos && LtHeld)) return true;
    return WildcardMatch(p, v, Folded ? nullptr : Fold);
}

bool MatchOperand(View Operand, View Value, bool DoCase)
{
    if (Operand == View(L"\"\"")) return Value.empty();
    if (DoCase) return MatchesView(Operand, Value, nullptr);
    TUpper Up(Operand);
    return MatchesView(Up.view(), Value, Detail::UpperCaseTable());
}

void Join(bool& Result, Char LastOp, bool r)
{
    if (LastOp == 0)
        Result = r;
    else if (LastOp == L'&')
        Result = Result && r;
    else
        Result = Result || r;
}

bool MatchExpression(View s, View Value, bool DoCase, int Depth)
{
    s = TrimView(s);
    if (!s.empty() && s[0] == L'=') s.remove_prefix(1);
    bool Result = true;
    Char LastOp = 0;
    for (;;) {
        const size_t OpPos = FirstOperator(s);
        if (OpPos == npos) break;
        const size_t Close = (s[0] == L'(' && Depth < MaxGroupDepth) ? ClosingParen(s) : 0;
        if (Close > 0) {
            Join(Result, LastOp, MatchExpression(s.substr(1, Close - 2), Value, DoCase, Depth + 1));
            s.remove_prefix(Close);
            if (!s.empty() && IsOperator(s[0])) {
                LastOp = s[0];
                s.remove_prefix(1);
            }
            continue;
        }
        Join(Result, LastOp, MatchOperand(s.substr(0, OpPos), Value, DoCase));
        LastOp = s[OpPos];
        s.remove_prefix(OpPos + 1);
    }
    Join(Result, LastOp, MatchOperand(s, Value, DoCase));
    return Result;
}

// ---- Dates -------------------------------------------------------------------------------------

bool ReadInt(View s, int& Value)
{
    s = TrimView(s);
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

bool IsDateView(View s, TDateTime& dt)
{
    const Char DS = FormatSettings.DateSeparator, TS = FormatSettings.TimeSeparator;
    const size_t p1 = s.find(DS);
    if (p1 == npos) return false;
    const size_t p2 = s.find(DS, p1 + 1);
    if (p2 == npos) return false;
    // The order of day, month and year in the short date format.
    const String Fmt = Detail::UpperStr(FormatSettings.ShortDateFormat);
    size_t PD = Fmt.find(L'D'), PM = Fmt.find(L'M'), PY = Fmt.find(L'Y');
    if (PD == npos || PM == npos || PY == npos) {   // an incomplete format: day, month, year
        PD = 0;
        PM = 1;
        PY = 2;
    }
    int Field[3];
    if (!ReadInt(s.substr(0, p1), Field[0]) || !ReadInt(s.substr(p1 + 1, p2 - p1 - 1), Field[1]))
        return false;
    View Rest = TrimView(s.substr(p2 + 1));
    View TimePart;
    const size_t Sp = Rest.find(L' ');
    if (Sp != npos) {
        TimePart = Rest.substr(Sp);
        Rest = Rest.substr(0, Sp);
    }
    if (!ReadInt(Rest, Field[2])) return false;
    auto Rank = [&](size_t P) { return int(P > PD) + int(P > PM) + int(P > PY); };
    const int Day = Field[Rank(PD)], Month = Field[Rank(PM)], Year = Field[Rank(PY)];
    if (Day > 31 || Month > 12) return false;
    bool Ok = true;
    int Hour = 0, Min = 0, Sec = 0;
    if (!TimePart.empty()) {
        TimePart = TrimView(TimePart);
        const size_t t1 = TimePart.find(TS);
        if (t1 == npos) {
            Ok = false;   // still encoded below
        } else {
            if (!ReadInt(TimePart.substr(0, t1), Hour) || Hour < 0 || Hour > 23) return false;
            const size_t t2 = TimePart.find(TS, t1 + 1);
            if (t2 != npos) {
                if (!ReadInt(TimePart.substr(t1 + 1, t2 - t1 - 1), Min) ||
                    !ReadInt(TimePart.substr(t2 + 1), Sec) || Sec < 0 || Sec > 60)
                    return false;
            } else if (!ReadInt(TimePart.substr(t1 + 1), Min)) {
                return false;
            }
            if (Min < 0 || Min > 59) return false;
        }
    }
    TDateTime d = 0, t = 0;
    if (Year < 1 || Year > 9999 || Month < 1 || Day < 1) return false;
    if (!TryEncodeDate(Word(Year), Word(Month), Word(Day), d)) return false;
    if (!TryEncodeTime(Word(Hour), Word(Min), Word(Sec), 0, t)) return false;
    dt = d + t;
    return Ok;
}

}  // namespace

// ---- Public routines ---------------------------------------------------------------------------

bool MatchStrEx(const String& s1, const String& s2, bool DoCase)
{
    View e = TrimView(s1);
    String Stripped;
    if (e.find(L' ') != npos) {
        Stripped = StripLogicSpaces(String(e));
        e = Stripped;
    }
    return MatchExpression(e, s2, DoCase, 0);
}

bool MatchStr(const String& s1, const String& s2, bool DoCase)
{
    return MatchOperand(s1, s2, DoCase);
}

bool Matches(const String& s0a, const String& s1a)
{
    return MatchesView(s0a, s1a, nullptr);
}

bool IsDate(const String& s, TDateTime& dt)
{
    return IsDateView(s, dt);
}

String StripLogicSpaces(const String& s)
{
    String r;
    r.reserve(s.size());
    bool InQuote = false;
    for (Char c : s) {
        if (c == L'"') InQuote = !InQuote;
        if (c == L' ' && !InQuote) continue;
        r += c;
    }
    return r;
}

int ClosingParenthesis(const String& s1)
{
    return int(ClosingParen(s1));
}

int StrUnquotedPos(const String& s, Char sp)
{
    size_t p = UnquotedPos(s, sp);
    return p == npos ? 0 : int(p) + 1;
}

bool InArray(Char ch, const String& charset)
{
    return charset.find(ch) != String::npos;
}

Char FirstChar(const String& charset, const String& s, int& spos)
{
    const size_t i = FirstOutside(View(s), [&](Char c) { return InArray(c, charset); });
    if (i == npos) {
        spos = -1;
        return 0;
    }
    spos = int(i) + 1;
    return s[i];
}

String StripThousandSep(const String& ps)
{
    return StripThousand(ps);
}

}  // namespace QorUtil
