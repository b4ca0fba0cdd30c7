// Literal conditions for chosen filter values (see FilterLiteral.h).
#include "grid/sortfilter/FilterLiteral.h"

namespace QorGridFilterLiteral {

namespace {

constexpr wchar_t Quote = L'"';
// Characters the expression language reads as something other than themselves (besides the
// wildcards "*" and "?").
constexpr std::wstring_view ExpressionSpecials = L"\"&|;^()<>!= ";

// Value in double quotes, its own double quotes doubled.
String Quoted(const String& Value)
{
    String Q(1, Quote);
    for (wchar_t c : Value) {
        if (c == Quote) Q += Quote;
        Q += c;
    }
    return Q += Quote;
}

// True when Condition holds "&" outside double quotes: a chain of operands.
bool IsChain(const String& Condition)
{
    bool InQuote = false;
    for (wchar_t c : Condition) {
        if (c == Quote) InQuote = !InQuote;
        else if (c == L'&' && !InQuote) return true;
    }
    return false;
}

}  // namespace

String LiteralCondition(const String& Value, TFilterMethod Method)
{
    if (Value.empty()) return String(2, Quote);
    if (Method == fmLiteral)
        return Value.find_first_of(L"|\"") != String::npos ? Quoted(Value) : Value;
    const bool Wild = Value.find_first_of(L"*?") != String::npos;
    if (!Wild) return Value.find_first_of(ExpressionSpecials) != String::npos ? Quoted(Value) : Value;
    String Pattern = Value;
    for (wchar_t& c : Pattern)
        if (c == L'*') c = L'?';
    if (Value.find(Quote) != String::npos) return Quoted(Pattern);
    const String Q = Quoted(Value);
    return Quoted(Pattern) + L"&>=" + Q + L"&<=" + Q;
}

void TAlternatives::Add(const String& Condition, bool Literal)
{
    if (FParts.empty() && Condition.empty()) return;
    FParts.push_back({Condition, Literal && FMethod == fmExpression && IsChain(Condition)});
}

String TAlternatives::Text() const
{
    if (FParts.size() == 1) return FParts.front().Condition;
    String Text;
    for (const TPart& P : FParts) {
        if (&P != &FParts.front()) Text += L'|';
        Text += P.Group ? L"(" + P.Condition + L")" : P.Condition;
    }
    // A final operand in parentheses would be read as text: close with one that never matches.
    if (!FParts.empty() && FParts.back().Group) Text += L"|!*";
    return Text;
}

std::vector<String> LiteralAlternatives(const String& Condition)
{
    std::vector<String> Result;
    String Piece;
    bool InQuote = false;
    auto Finish = [&] {
        if (Piece.size() >= 2 && Piece.front() == Quote && Piece.back() == Quote) {
            String Inner;
            for (size_t i = 1; i + 1 < Piece.size(); ++i) {
                Inner += Piece[i];
                if (Piece[i] == Quote && i + 2 < Piece.size() && Piece[i + 1] == Quote) ++i;
            }
            Result.push_back(std::move(Inner));
        } else
            Result.push_back(std::move(Piece));
        Piece.clear();
    };
    for (wchar_t c : Condition) {
        if (c == Quote) InQuote = !InQuote;
        if (c == L'|' && !InQuote) Finish();
        else Piece += c;
    }
    Finish();
    return Result;
}

TLiteralList::TLiteralList(const String& Condition) : FTexts(LiteralAlternatives(Condition))
{
    FSet.reserve(FTexts.size());
    for (const String& T : FTexts) FSet.insert(std::wstring_view(T));
}

bool TLiteralList::Match(std::wstring_view s) const
{
    return FSet.count(s) > 0;
}

}  // namespace QorGridFilterLiteral
