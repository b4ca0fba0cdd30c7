// QorUtil filter-expression matcher: expressions parsed once into a program of operands and
// groups, the per-thread cache of the last programs behind the free routines, and the unit's
// scanning helpers.
//
// A filter run calls the matcher once per row with the same condition, so the condition is read
// once: its operators and groups into terms, each operand into a TFilterOperand. Matching a value
// then folds its letter case once (when case does not matter) and walks the terms.
#include "QorFilter.h"

#include "QorFilterDetail.h"

#include "framework/WinScope.h"

#include <array>
#include <atomic>

namespace QorUtil {

namespace Detail {

namespace {

using View = FilterView;
constexpr size_t npos = View::npos;
// Parentheses nested deeper than this are matched as plain text, which bounds the recursion.
constexpr int MaxGroupDepth = 32;

inline bool IsOperator(Char c) { return c == L'&' || c == L'|' || c == L';' || c == L'^'; }

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

}  // namespace

// What a program was read as: an expression (MatchStrEx), one operand (MatchStr), or one operand
// compared exactly (Matches).
enum TFilterForm { ffExpression, ffOperand, ffExact };

// An operand or a group, joined to the result so far by Join ("&", "|", ";", "^", or 0 for the
// first).
struct TFilterTerm {
    Char Join;
    bool IsGroup;
    std::uint32_t Index;   // into Groups or Operands
};

struct TFilterGroup {
    std::uint32_t First;   // its terms in Terms
    std::uint32_t Count;
};

struct TFilterProgram {
    TFilterProgram(View Text, bool DoCase, TFilterForm Form);
    // Whether this program is what reading Text now would give.
    bool ReadsAs(View Text, bool DoCase, TFilterForm Form) const;
    bool Match(View Value) const;

private:
    std::uint32_t ParseGroup(View s, int Depth);
    std::uint32_t AddOperand(View s, bool EmptyRule);
    bool MatchGroup(std::uint32_t Group, TFilterValue& Value) const;

    // What the parse read.
    String FText;
    bool FDoCase;
    TFilterForm FForm;
    TMatchLocale FLocale;
    String FDateFormat;
    const Char* FFold;   // the case table, when case does not matter
    // What it made; the root group is the last.
    std::vector<TFilterTerm> FTerms;
    std::vector<TFilterGroup> FGroups;
    std::vector<TFilterOperand> FOperands;
};

TFilterProgram::TFilterProgram(View Text, bool DoCase, TFilterForm Form)
    : FText(Text),
      FDoCase(DoCase),
      FForm(Form),
      FLocale(TMatchLocale::Current()),
      FDateFormat(FormatSettings.ShortDateFormat),
      FFold(DoCase || Form == ffExact ? nullptr : UpperCaseTable())
{
    if (Form != ffExpression) {
        const std::uint32_t Operand = AddOperand(Text, Form == ffOperand);
        FTerms.push_back({0, false, Operand});
        FGroups.push_back({0, 1});
        return;
    }
    // Spaces outside quotes do not count.
    View e = TrimBlanks(Text);
    String Stripped;
    if (e.find(L' ') != npos) {
        Stripped = StripLogicSpaces(String(e));
        e = Stripped;
    }
    ParseGroup(e, 0);
}

std::uint32_t TFilterProgram::AddOperand(View s, bool EmptyRule)
{
    FOperands.emplace_back(s, EmptyRule, FFold, FLocale);
    return std::uint32_t(FOperands.size() - 1);
}

// Operands and groups up to each operator outside quotes and parentheses, joined left to right
// by the operator before them; what follows the last operator is the last operand, read as
// plain text also when it is in parentheses. Returns the group's index.
std::uint32_t TFilterProgram::ParseGroup(View s, int Depth)
{
    s = TrimBlanks(s);
    if (!s.empty() && s[0] == L'=') s.remove_prefix(1);
    std::vector<TFilterTerm> Terms;
    Char LastOp = 0;
    for (;;) {
        const size_t OpPos = FirstOperator(s);
        if (OpPos == npos) break;
        const size_t Close = (s[0] == L'(' && Depth < MaxGroupDepth) ? ClosingParen(s) : 0;
        if (Close > 0) {
            Terms.push_back({LastOp, true, ParseGroup(s.substr(1, Close - 2), Depth + 1)});
            // The operator after the group becomes the last operator. Text between the ")" and
            // it is the next operand, which that operator joins to the group's result.
            LastOp = s[OpPos];
            s.remove_prefix(OpPos == Close ? Close + 1 : Close);
            continue;
        }
        Terms.push_back({LastOp, false, AddOperand(s.substr(0, OpPos), true)});
        LastOp = s[OpPos];
        s.remove_prefix(OpPos + 1);
    }
    Terms.push_back({LastOp, false, AddOperand(s, true)});
    const auto First = std::uint32_t(FTerms.size());
    FTerms.insert(FTerms.end(), Terms.begin(), Terms.end());
    FGroups.push_back({First, std::uint32_t(Terms.size())});
    return std::uint32_t(FGroups.size() - 1);
}

// Equal texts, compared in line: the texts are short, and this runs once per call.
inline bool SameChars(View a, View b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

bool TFilterProgram::ReadsAs(View Text, bool DoCase, TFilterForm Form) const
{
    const TFormatSettings& fs = FormatSettings;
    return FForm == Form && FDoCase == DoCase && SameChars(FText, Text) &&
           FLocale.Decimal == fs.DecimalSeparator && FLocale.Thousand == fs.ThousandSeparator &&
           FLocale.DateSep == fs.DateSeparator && FLocale.TimeSep == fs.TimeSeparator &&
           SameChars(FDateFormat, fs.ShortDateFormat);
}

bool TFilterProgram::MatchGroup(std::uint32_t Group, TFilterValue& Value) const
{
    const TFilterGroup& G = FGroups[Group];
    bool Result = true;
    for (std::uint32_t t = G.First; t < G.First + G.Count; ++t) {
        const TFilterTerm& T = FTerms[t];
        // Joined to a result it cannot change (false and x, true or x), a term is not evaluated;
        // otherwise the result becomes the term's.
        if (T.Join == L'&' ? !Result : (T.Join != 0 && Result)) continue;
        Result = T.IsGroup ? MatchGroup(T.Index, Value) : FOperands[T.Index].Match(Value, FLocale);
    }
    return Result;
}

bool TFilterProgram::Match(View Value) const
{
    TFilterValue V(Value, FFold);
    return MatchGroup(std::uint32_t(FGroups.size() - 1), V);
}

namespace {

// The programs of the last expressions matched, the least recently used replaced first. The key holds everything a parse reads (the text, the case option, the form
// and the locale settings), so an entry is never stale.
class TFilterCache {
public:
    const TFilterProgram& Get(View Text, bool DoCase, TFilterForm Form)
    {
        for (TEntry& e : FEntries)
            if (e.Program && e.Program->ReadsAs(Text, DoCase, Form)) {
                e.Used = ++FClock;
                return *e.Program;
            }
        TEntry* Oldest = &FEntries[0];
        for (TEntry& e : FEntries)
            if (e.Used < Oldest->Used) Oldest = &e;
        Oldest->Program = std::make_shared<const TFilterProgram>(Text, DoCase, Form);
        Oldest->Used = ++FClock;
        return *Oldest->Program;
    }

private:
    struct TEntry {
        std::shared_ptr<const TFilterProgram> Program;
        UInt64 Used = 0;
    };
    std::array<TEntry, 8> FEntries;
    UInt64 FClock = 0;
};

// The caches behind the free routines. Filters run on the user-interface thread, which takes the
// shared cache without waiting: a flag marks it in use. A call made while another thread holds it
// uses a cache of its own thread instead, so every thread is served and none waits (the shared
// cache comes first because thread-local storage costs more to reach than the flag).
std::atomic_flag GSharedBusy = ATOMIC_FLAG_INIT;

TFilterCache& SharedCache()
{
    static TFilterCache Cache;
    return Cache;
}

TFilterCache& ThreadCache()
{
    thread_local TFilterCache Cache;
    return Cache;
}

bool MatchCached(View Text, View Value, bool DoCase, TFilterForm Form)
{
    if (!GSharedBusy.test_and_set(std::memory_order_acquire)) {
        const auto Release = ScopeExit([] { GSharedBusy.clear(std::memory_order_release); });
        return SharedCache().Get(Text, DoCase, Form).Match(Value);
    }
    return ThreadCache().Get(Text, DoCase, Form).Match(Value);
}

}  // namespace

}  // namespace Detail

// ---- The parsed expression ---------------------------------------------------------------------

TFilterMatcher::TFilterMatcher() = default;

TFilterMatcher::TFilterMatcher(const String& Expression, bool DoCase)
{
    Parse(Expression, DoCase);
}

void TFilterMatcher::Parse(const String& Expression, bool DoCase)
{
    FProgram = std::make_shared<const Detail::TFilterProgram>(Expression, DoCase, Detail::ffExpression);
}

void TFilterMatcher::ParseOperand(const String& Operand, bool DoCase)
{
    FProgram = std::make_shared<const Detail::TFilterProgram>(Operand, DoCase, Detail::ffOperand);
}

bool TFilterMatcher::Match(std::wstring_view Value) const
{
    return FProgram ? FProgram->Match(Value) : Value.empty();
}

// ---- Public routines ---------------------------------------------------------------------------

bool MatchStrEx(const String& s1, const String& s2, bool DoCase)
{
    return Detail::MatchCached(s1, s2, DoCase, Detail::ffExpression);
}

bool MatchStr(const String& s1, const String& s2, bool DoCase)
{
    return Detail::MatchCached(s1, s2, DoCase, Detail::ffOperand);
}

bool Matches(const String& s0a, const String& s1a)
{
    return Detail::MatchCached(s0a, s1a, true, Detail::ffExact);
}

bool IsDate(const String& s, TDateTime& dt)
{
    return Detail::IsDateText(s, Detail::TMatchLocale::Current(), dt);
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
    return int(Detail::ClosingParen(s1));
}

int StrUnquotedPos(const String& s, Char sp)
{
    size_t p = Detail::UnquotedPos(s, sp);
    return p == Detail::npos ? 0 : int(p) + 1;
}

bool InArray(Char ch, const String& charset)
{
    return charset.find(ch) != String::npos;
}

Char FirstChar(const String& charset, const String& s, int& spos)
{
    const size_t i = Detail::FirstOutside(Detail::View(s), [&](Char c) { return InArray(c, charset); });
    if (i == Detail::npos) {
        spos = -1;
        return 0;
    }
    spos = int(i) + 1;
    return s[i];
}

String StripThousandSep(const String& ps)
{
    return Detail::StripThousandText(ps, Detail::TMatchLocale::Current());
}

}  // namespace QorUtil
