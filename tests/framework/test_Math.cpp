// Rounding, ranges and comparisons.
#include "framework/Math.h"
#include "framework/SysUtils.h"

#include <limits>

namespace {

TEST(Math, RoundGoesToTheEvenNeighbour)
{
    const struct {
        double X;
        Int64 Expected;
    } Cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},     {3.5, 4},    {-0.5, 0},
                 {-1.5, -2}, {-2.5, -2}, {2.4999, 2},  {2.6, 3},    {-2.6, -3},
                 {1e15 + 0.5, 1000000000000000}, {9007199254740993.0, 9007199254740992}};
    for (const auto& C : Cases) EXPECT_EQ(Round(C.X), C.Expected) << C.X;
}

TEST(Math, TruncFracIntCeilFloor)
{
    EXPECT_EQ(Trunc(-1.7), -1);
    EXPECT_EQ(Trunc(1.7), 1);
    EXPECT_DOUBLE_EQ(double(Frac(-1.25)), -0.25);
    EXPECT_DOUBLE_EQ(double(Int(-1.25)), -1.0);
    EXPECT_EQ(Ceil(-0.5), 0);
    EXPECT_EQ(Ceil(1.2), 2);
    EXPECT_EQ(Floor(-0.5), -1);
    EXPECT_EQ(Floor(1.9), 1);
}

TEST(Math, BadArgumentsRaiseInsteadOfGivingGarbage)
{
    const double Bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(), 1e19, -1e19};
    for (double X : Bad) {
        EXPECT_THROW(Round(X), EInvalidArgument) << X;
        EXPECT_THROW(Trunc(X), EInvalidArgument) << X;
    }
    EXPECT_THROW(Ceil(3e9), EInvalidArgument);
    EXPECT_THROW(Floor(-3e9), EInvalidArgument);
    EXPECT_EQ(Ceil64(3e9), 3000000000LL);
    int Q, R;
    EXPECT_THROW(DivMod(1, 0, Q, R), EZeroDivide);
    DivMod(17, 5, Q, R);
    EXPECT_EQ(Q * 10 + R, 32);
}

TEST(Math, MinMaxTakeMixedTypes)
{
    Int64 Big = 5000000000LL;
    EXPECT_EQ(Max(Big, 3), Big);
    EXPECT_EQ(Min(Big, 3), 3);
    static_assert(std::is_same_v<decltype(Max(Big, 3)), Int64>);
    EXPECT_DOUBLE_EQ(Min(2, 1.5), 1.5);
    EXPECT_EQ(Max(-1, -2), -1);
}

TEST(Math, ComparisonsAndRanges)
{
    EXPECT_TRUE(SameValue(0.1 + 0.2, 0.3));
    EXPECT_TRUE(SameValue(1e20, 1e20 + 1e5));
    EXPECT_FALSE(SameValue(1, 1.0001));
    EXPECT_TRUE(SameValue(1, 1.0001, 0.001));
    EXPECT_FALSE(SameValue(std::nan(""), std::nan("")));
    EXPECT_EQ(CompareValue(1.0, 2.0), -1);
    EXPECT_EQ(CompareValue(0.1 + 0.2, 0.3), 0);
    EXPECT_EQ(Sign(-0.1), -1);
    EXPECT_EQ(Sign(0.0), 0);
    EXPECT_EQ(Sign(Int64(7)), 1);
    EXPECT_TRUE(IsNan(std::nan("")));
    EXPECT_TRUE(IsInfinite(-Infinity));
    EXPECT_TRUE(IsZero(1e-13));
    EXPECT_TRUE(InRange(3, 1, 3));
    EXPECT_FALSE(InRange(0.5, 1, 3));
    EXPECT_EQ(EnsureRange(5, 1, 3), 3);
    EXPECT_EQ(EnsureRange(0, 1, 3), 1);
    EXPECT_EQ(EnsureRange(2, 1, 3), 2);
    EXPECT_EQ(EnsureRange(2, 5, 3), 5);   // an empty range gives its minimum
    EXPECT_DOUBLE_EQ(EnsureRange(1.5, 0.0, 1.0), 1.0);
}

TEST(Math, PowersAnglesAndRoundTo)
{
    EXPECT_DOUBLE_EQ(double(Power(2, 10)), 1024.0);
    EXPECT_DOUBLE_EQ(double(Power(9, 0.5)), 3.0);
    EXPECT_DOUBLE_EQ(double(IntPower(2, -2)), 0.25);
    EXPECT_NEAR(double(DegToRad(180)), 3.141592653589793, 1e-15);
    EXPECT_NEAR(double(RadToDeg(Pi / 2)), 90.0, 1e-12);
    EXPECT_DOUBLE_EQ(double(RoundTo(2.5, 0)), 2.0);
    EXPECT_DOUBLE_EQ(double(RoundTo(1250, 2)), 1200.0);
    EXPECT_DOUBLE_EQ(double(RoundTo(1350, 2)), 1400.0);
    EXPECT_DOUBLE_EQ(double(SimpleRoundTo(2.5, 0)), 3.0);
    EXPECT_DOUBLE_EQ(double(SimpleRoundTo(-2.5, 0)), -3.0);
    EXPECT_NEAR(double(SimpleRoundTo(1.2345, -2)), 1.23, 1e-12);
}

}  // namespace
