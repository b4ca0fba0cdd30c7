// Math: the routines that check their arguments.
#include "Math.h"

#include "SysUtils.h"

#include <cfenv>

namespace {

[[noreturn]] void RaiseInvalidOp()
{
    throw EInvalidArgument(Consts::SInvalidOp);
}

// Whether X (already integral) fits an Int64.
bool FitsInt64(Extended X)
{
    return X >= -9223372036854775808.0L && X < 9223372036854775808.0L;
}

}  // namespace

Int64 Round(Extended X)
{
    Extended R = std::nearbyint(X);   // the default rounding mode: halves to even
    if (!FitsInt64(R)) RaiseInvalidOp();   // NaN fails the comparison too
    return Int64(R);
}

Int64 Trunc(Extended X)
{
    Extended R = std::trunc(X);
    if (!FitsInt64(R)) RaiseInvalidOp();
    return Int64(R);
}

Int64 Ceil64(Extended X)
{
    Extended R = std::ceil(X);
    if (!FitsInt64(R)) RaiseInvalidOp();
    return Int64(R);
}

Int64 Floor64(Extended X)
{
    Extended R = std::floor(X);
    if (!FitsInt64(R)) RaiseInvalidOp();
    return Int64(R);
}

int Ceil(Extended X)
{
    Int64 R = Ceil64(X);
    if (R < INT32_MIN || R > INT32_MAX) RaiseInvalidOp();
    return int(R);
}

int Floor(Extended X)
{
    Int64 R = Floor64(X);
    if (R < INT32_MIN || R > INT32_MAX) RaiseInvalidOp();
    return int(R);
}

bool SameValue(Extended A, Extended B, Extended Epsilon)
{
    if (A == B) return true;
    if (std::isnan(A) || std::isnan(B)) return false;
    if (Epsilon == 0) {
        Extended M = std::min(std::fabs(A), std::fabs(B)) * 1e-12L;
        Epsilon = M > 1e-12L ? M : 1e-12L;
    }
    return std::fabs(A - B) <= Epsilon;
}

int CompareValue(Extended A, Extended B, Extended Epsilon)
{
    if (SameValue(A, B, Epsilon)) return 0;
    return A < B ? -1 : 1;
}

void DivMod(Cardinal Dividend, Word Divisor, Word& Result, Word& Remainder)
{
    if (Divisor == 0) throw EZeroDivide(Consts::SDivByZero);
    Result = Word(Dividend / Divisor);
    Remainder = Word(Dividend % Divisor);
}

void DivMod(int Dividend, int Divisor, int& Result, int& Remainder)
{
    if (Divisor == 0) throw EZeroDivide(Consts::SDivByZero);
    if (Dividend == INT32_MIN && Divisor == -1) throw EOverflow(Consts::SIntOverflow);
    Result = Dividend / Divisor;
    Remainder = Dividend % Divisor;
}

Extended RoundTo(Extended Value, int Digit)
{
    Extended Factor = std::pow(10.0L, Extended(Digit));
    return std::nearbyint(Value / Factor) * Factor;
}

Extended SimpleRoundTo(Extended Value, int Digit)
{
    Extended Factor = std::pow(10.0L, Extended(Digit));
    if (Value < 0) return std::trunc(Value / Factor - 0.5L) * Factor;
    return std::trunc(Value / Factor + 0.5L) * Factor;
}
