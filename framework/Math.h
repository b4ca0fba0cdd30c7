// Math: rounding as the class library does it (halves to even), min/max, ranges, comparisons.
#pragma once

#include "System.h"

#include <cmath>
#include <type_traits>

constexpr Extended Pi = 3.14159265358979323846264338327950288L;
constexpr double NaN = __builtin_nan("");
constexpr double Infinity = __builtin_inf();
constexpr double NegInfinity = -__builtin_inf();
constexpr double MinDouble = 4.9406564584124654e-324;
constexpr double MaxDouble = 1.7976931348623157e308;

// Halves go to the even neighbour (2.5 -> 2, 3.5 -> 4). NaN, infinities and values outside the
// Int64 range raise EInvalidArgument.
Int64 Round(Extended X);
// Toward zero; same failures as Round.
Int64 Trunc(Extended X);
inline Extended Int(Extended X) { return std::trunc(X); }
inline Extended Frac(Extended X) { return X - std::trunc(X); }
// Smallest integer >= X / largest integer <= X; NaN and overflow raise EInvalidArgument.
int Ceil(Extended X);
int Floor(Extended X);
Int64 Ceil64(Extended X);
Int64 Floor64(Extended X);

// Of two numbers of any arithmetic types, in their common type (Max(Int64, int) is an Int64).
template <class A, class B>
    requires(std::is_arithmetic_v<A> && std::is_arithmetic_v<B>)
constexpr std::common_type_t<A, B> Max(A X, B Y)
{
    using T = std::common_type_t<A, B>;
    return T(X) > T(Y) ? T(X) : T(Y);
}
template <class A, class B>
    requires(std::is_arithmetic_v<A> && std::is_arithmetic_v<B>)
constexpr std::common_type_t<A, B> Min(A X, B Y)
{
    using T = std::common_type_t<A, B>;
    return T(X) < T(Y) ? T(X) : T(Y);
}

inline bool IsNan(Extended X) { return std::isnan(X); }
inline bool IsInfinite(Extended X) { return std::isinf(X); }
inline bool IsZero(Extended X, Extended Epsilon = 0) { return std::fabs(X) <= (Epsilon > 0 ? Epsilon : 1e-12L); }
// Equal within Epsilon; with Epsilon 0, within a relative tolerance of about 12 digits.
bool SameValue(Extended A, Extended B, Extended Epsilon = 0);
// -1, 0 or 1 (0 for NaN).
template <class T>
    requires std::is_arithmetic_v<T>
constexpr int Sign(T X)
{
    return X < 0 ? -1 : (X > 0 ? 1 : 0);
}
// Compares: -1 less, 0 equal (within Epsilon as SameValue), 1 greater.
int CompareValue(Extended A, Extended B, Extended Epsilon = 0);
inline int CompareValue(double A, double B, double Epsilon = 0)
{
    return CompareValue(Extended(A), Extended(B), Extended(Epsilon));
}
template <class T>
    requires std::is_integral_v<T>
constexpr int CompareValue(T A, T B)
{
    return A < B ? -1 : (A > B ? 1 : 0);
}

template <class T, class L, class H>
    requires(std::is_arithmetic_v<T> && std::is_arithmetic_v<L> && std::is_arithmetic_v<H>)
constexpr bool InRange(T Value, L AMin, H AMax)
{
    return !(Value < AMin) && !(AMax < Value);
}
// The value moved into [AMin, AMax] (AMin wins when the range is empty).
template <class T, class L, class H>
    requires(std::is_arithmetic_v<T> && std::is_arithmetic_v<L> && std::is_arithmetic_v<H>)
constexpr T EnsureRange(T Value, L AMin, H AMax)
{
    if (AMax < Value) Value = T(AMax);
    if (Value < AMin) Value = T(AMin);
    return Value;
}

// Base to any real power (negative bases need a whole exponent; otherwise NaN).
inline Extended Power(Extended Base, Extended Exponent) { return std::pow(Base, Exponent); }
inline Extended IntPower(Extended Base, int Exponent) { return std::pow(Base, Exponent); }
inline Extended Sqr(Extended X) { return X * X; }
inline Extended Sqrt(Extended X) { return std::sqrt(X); }
inline Extended Sin(Extended X) { return std::sin(X); }
inline Extended Cos(Extended X) { return std::cos(X); }
inline Extended Tan(Extended X) { return std::tan(X); }
inline Extended ArcTan(Extended X) { return std::atan(X); }
inline Extended ArcTan2(Extended Y, Extended X) { return std::atan2(Y, X); }
inline Extended ArcSin(Extended X) { return std::asin(X); }
inline Extended ArcCos(Extended X) { return std::acos(X); }
inline Extended Exp(Extended X) { return std::exp(X); }
inline Extended Ln(Extended X) { return std::log(X); }
inline Extended Log10(Extended X) { return std::log10(X); }
inline Extended Log2(Extended X) { return std::log2(X); }
inline Extended LogN(Extended Base, Extended X) { return std::log(X) / std::log(Base); }
inline Extended Hypot(Extended X, Extended Y) { return std::hypot(X, Y); }
inline Extended DegToRad(Extended Degrees) { return Degrees * (Pi / 180); }
inline Extended RadToDeg(Extended Radians) { return Radians * (180 / Pi); }
inline Int64 Abs(Int64 X) { return X < 0 ? -X : X; }
inline int Abs(int X) { return X < 0 ? -X : X; }
inline Extended Abs(Extended X) { return std::fabs(X); }
inline double Abs(double X) { return std::fabs(X); }

// Quotient and remainder of an unsigned division; a zero divisor raises EZeroDivide.
void DivMod(Cardinal Dividend, Word Divisor, Word& Result, Word& Remainder);
void DivMod(int Dividend, int Divisor, int& Result, int& Remainder);

// Rounds to a multiple of 10^Digit (Digit -2: hundredths), halves to even.
Extended RoundTo(Extended Value, int Digit);
// The same, halves away from zero (Digit -2 by default).
Extended SimpleRoundTo(Extended Value, int Digit = -2);
