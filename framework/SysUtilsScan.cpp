// SysUtils: the number scanner that every reader of numbers in text goes through (see SysUtils.h).
#include "SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

TDigitRun ScanDigits(std::wstring_view S, size_t From, unsigned Base, UInt64 Limit)
{
    TDigitRun R;
    size_t i = From;
    for (; i < S.size(); ++i) {
        const int d = Base == 16 ? HexDigit(S[i]) : (S[i] >= L'0' && S[i] <= L'9' ? S[i] - L'0' : -1);
        if (d < 0) break;
        if (R.Value > (Limit - UInt64(d)) / Base) {   // the digit would pass Limit
            R.Overflow = true;
            break;
        }
        R.Value = R.Value * Base + UInt64(d);
        ++R.Count;
    }
    R.End = i;
    return R;
}

TIntPrefix ScanIntPrefix(std::wstring_view S, size_t From, bool LoneX)
{
    TIntPrefix P;
    size_t i = From;
    const size_t n = S.size();
    if (i < n && (S[i] == L'+' || S[i] == L'-')) {
        P.Negative = S[i] == L'-';
        ++i;
    }
    if (i < n && (S[i] == L'$' || (LoneX && (S[i] == L'x' || S[i] == L'X')))) {
        P.Hex = true;
        ++i;
    } else if (i + 1 < n && S[i] == L'0' && (S[i + 1] == L'x' || S[i + 1] == L'X')) {
        P.Hex = true;
        i += 2;
    }
    P.End = i;
    return P;
}

TFloatScan ScanFloat(std::wstring_view S, size_t From, const TFloatSyntax& Syntax)
{
    TFloatScan R;
    R.Begin = R.End = From;
    const size_t n = S.size();
    size_t i = From;
    // Ignored characters are passed over before every character that is looked at.
    auto Skip = [&] {
        if (Syntax.HasIgnored)
            while (i < n && S[i] == Syntax.Ignored) ++i;
    };
    auto IsDigit = [&] {
        Skip();
        return i < n && S[i] >= L'0' && S[i] <= L'9';
    };
    // The digits at i; true when there was at least one. Leading zeros are not significant.
    auto TakeDigits = [&](bool Fraction) {
        bool Any = false;
        for (; IsDigit(); ++i) {
            Any = true;
            const unsigned d = unsigned(S[i] - L'0');
            if (R.Mantissa == 0 && d == 0) {
                if (Fraction) --R.Scale;
                continue;
            }
            ++R.Significant;
            if (R.Significant <= 19) {
                R.Mantissa = R.Mantissa * 10 + d;
                if (Fraction) --R.Scale;
            } else if (!Fraction) {
                ++R.Scale;
            }
        }
        return Any;
    };
    Skip();
    if (i < n && (S[i] == L'+' || S[i] == L'-')) {
        R.Negative = S[i] == L'-';
        ++i;
    }
    bool AnyDigit = TakeDigits(false);
    if (AnyDigit) R.End = i;
    Skip();
    if (i < n && Syntax.IsSeparator(S[i])) {
        ++i;
        AnyDigit = TakeDigits(true) || AnyDigit;
        if (AnyDigit) R.End = i;
    }
    Skip();
    if (AnyDigit && i < n && (S[i] == L'e' || S[i] == L'E')) {
        ++i;
        Skip();
        bool ExpNegative = false;
        if (i < n && (S[i] == L'+' || S[i] == L'-')) ExpNegative = S[i++] == L'-';
        bool ExpDigits = false;
        int Exp = 0;
        for (; IsDigit(); ++i) {
            ExpDigits = true;
            if (Exp < 999999) Exp = std::min(999999, Exp * 10 + (S[i] - L'0'));
        }
        if (ExpDigits) {
            R.End = i;
            R.Exponent = ExpNegative ? -Exp : Exp;
        }
    }
    R.Stop = i;
    if (!AnyDigit) R.End = R.Begin;
    return R;
}

namespace {

// Longer numbers are converted from their first MaxDigits significant digits and a final "1"
// for any non-zero digit left out, which rounds as the whole number would.
constexpr size_t MaxDigits = 800;
constexpr size_t BufSize = MaxDigits + 32;

// The number in the ASCII form the converters read, written as it stands (separator as ".",
// ignored characters left out) so that the converters see what the text says.
size_t AsWritten(std::wstring_view S, const TFloatScan& N, const TFloatSyntax& Syntax, char* Buf)
{
    size_t Len = 0;
    for (size_t k = N.Begin; k < N.End; ++k) {
        const Char c = S[k];
        if (Syntax.HasIgnored && c == Syntax.Ignored) continue;
        if (Len == BufSize - 1) return 0;   // too long: the caller writes the short form
        if (Syntax.IsSeparator(c)) Buf[Len++] = '.';
        else if (c == L'+' && Len == 0) continue;   // the converters take no leading "+"
        else Buf[Len++] = char(c);
    }
    return Len;
}

// The number as its first MaxDigits significant digits, a final "1" for any non-zero digit left
// out, and a decimal exponent.
size_t ShortForm(std::wstring_view S, const TFloatScan& N, const TFloatSyntax& Syntax, char* Buf)
{
    size_t Len = 0, Kept = 0;
    if (N.Negative) Buf[Len++] = '-';
    long long Exp10 = N.Exponent;
    bool Fraction = false, Dropped = false;
    for (size_t k = N.Begin; k < N.End; ++k) {
        const Char c = S[k];
        if (Syntax.HasIgnored && c == Syntax.Ignored) continue;
        if (Syntax.IsSeparator(c)) {
            Fraction = true;
            continue;
        }
        if (c == L'e' || c == L'E') break;
        if (c < L'0' || c > L'9') continue;   // the sign
        if (Kept == 0 && c == L'0') {
            if (Fraction) --Exp10;
        } else if (Kept < MaxDigits) {
            Buf[Len++] = char(c);
            ++Kept;
            if (Fraction) --Exp10;
        } else {
            Dropped = Dropped || c != L'0';
            if (!Fraction) ++Exp10;
        }
    }
    if (Kept == 0) Buf[Len++] = '0';
    if (Dropped) {
        Buf[Len++] = '1';
        --Exp10;
    }
    Exp10 = std::max(-9999999LL, std::min(9999999LL, Exp10));
    Len += size_t(std::snprintf(Buf + Len, BufSize - Len, "e%lld", Exp10));
    return Len;
}

// The number as the converters read it, in Buf (terminated); its length.
size_t ToAscii(std::wstring_view S, const TFloatScan& N, const TFloatSyntax& Syntax, char* Buf)
{
    size_t Len = AsWritten(S, N, Syntax, Buf);
    if (Len == 0) Len = ShortForm(S, N, Syntax, Buf);
    Buf[Len] = 0;
    return Len;
}

// A number the converter found out of range: beyond it (the power of ten of its first significant
// digit is positive) or below it.
TScanRange OutOfRange(const TFloatScan& N)
{
    const long long Magnitude = (long long)N.Scale + N.Exponent + (long long)std::min(N.Significant, 19);
    return N.Mantissa != 0 && Magnitude > 0 ? TScanRange::Overflow : TScanRange::Underflow;
}

}   // namespace

TScanRange ScannedValue(std::wstring_view S, const TFloatScan& N, const TFloatSyntax& Syntax,
                        double& Value)
{
    // Clinger's fast path: up to 15 significant digits and a power of ten up to 22 are exact.
    static constexpr double Pow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const int E = N.Scale + N.Exponent;
    if (N.Significant <= 15 && E >= -22 && E <= 22) {
        double v = double(N.Mantissa);
        v = E >= 0 ? v * Pow10[E] : v / Pow10[-E];
        Value = N.Negative ? -v : v;
        return TScanRange::Inside;
    }
    char Buf[BufSize];
    const size_t Len = ToAscii(S, N, Syntax, Buf);
    double v = 0;
    if (std::from_chars(Buf, Buf + Len, v).ec == std::errc::result_out_of_range) {
        const TScanRange R = OutOfRange(N);
        Value = R == TScanRange::Underflow ? 0.0 : N.Negative ? -HUGE_VAL : HUGE_VAL;
        return R;
    }
    Value = v;
    return TScanRange::Inside;
}

TScanRange ScannedValue(std::wstring_view S, const TFloatScan& N, const TFloatSyntax& Syntax,
                        Extended& Value)
{
    // The runtime's strtold reads the whole extended precision (the standard library's from_chars
    // goes through double on this platform).
    char Buf[BufSize];
    ToAscii(S, N, Syntax, Buf);
    errno = 0;
    const Extended v = std::strtold(Buf, nullptr);
    if (errno == ERANGE && (std::isinf(v) || v == 0)) {
        const TScanRange R = OutOfRange(N);
        Value = R == TScanRange::Underflow ? 0.0L : N.Negative ? -HUGE_VALL : HUGE_VALL;
        return R;
    }
    Value = v;
    return TScanRange::Inside;
}
