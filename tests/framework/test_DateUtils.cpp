// Parts, steps and spans of TDateTime values, on both sides of 1899-12-30.
#include "framework/DateUtils.h"

namespace {

TDateTime DT(Word Y, Word M, Word D, Word H = 0, Word N = 0, Word S = 0, Word Z = 0)
{
    return EncodeDateTime(Y, M, D, H, N, S, Z);
}

TEST(DateUtils, Parts)
{
    const TDateTime V = DT(2026, 12, 10, 13, 45, 30, 250);
    EXPECT_EQ(YearOf(V), 2026);
    EXPECT_EQ(MonthOf(V), 12);
    EXPECT_EQ(DayOf(V), 10);
    EXPECT_EQ(HourOf(V), 13);
    EXPECT_EQ(MinuteOf(V), 45);
    EXPECT_EQ(SecondOf(V), 30);
    EXPECT_EQ(MilliSecondOf(V), 250);
    EXPECT_EQ(DayOfTheWeek(V), DayThursday);
    EXPECT_EQ(DayOfTheWeek(DT(2026, 12, 13)), DaySunday);
    EXPECT_EQ(DayOfTheYear(DT(2024, 12, 31)), 366);
    EXPECT_EQ(DaysInYear(V), 365);
    EXPECT_EQ(DateOf(V), DT(2026, 12, 10));
    EXPECT_EQ(StartOfTheDay(V), DT(2026, 12, 10));
    EXPECT_DOUBLE_EQ(TimeOf(V), EncodeTime(13, 45, 30, 250));
    EXPECT_TRUE(SameDateTime(EndOfTheDay(V), DT(2026, 12, 10, 23, 59, 59, 999)));
    EXPECT_EQ(StartOfTheMonth(V), DT(2026, 12, 1));
    EXPECT_TRUE(SameDateTime(EndOfTheMonth(DT(2024, 2, 3)), DT(2024, 2, 29, 23, 59, 59, 999)));
    EXPECT_THROW(EncodeDateTime(2026, 2, 29, 0, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeDateTime(2026, 2, 28, 24, 0, 0, 0), EConvertError);
    EXPECT_FALSE(IsValidDate(2026, 2, 29));
    EXPECT_TRUE(IsValidTime(23, 59, 59, 999));
}

TEST(DateUtils, IsoWeeks)
{
    const struct {
        Word Y, M, D, Week, WeekYear;
    } Cases[] = {{2026, 1, 1, 1, 2026},   {2021, 1, 3, 53, 2020}, {2024, 12, 30, 1, 2025},
                 {2026, 12, 31, 53, 2026}, {2026, 12, 10, 50, 2026}, {2023, 1, 1, 52, 2022}};
    for (const auto& C : Cases) {
        Word Year;
        EXPECT_EQ(WeekOfTheYear(DT(C.Y, C.M, C.D), Year), C.Week) << C.Y << "-" << C.M << "-" << C.D;
        EXPECT_EQ(Year, C.WeekYear);
        EXPECT_EQ(WeekOf(DT(C.Y, C.M, C.D)), C.Week);
    }
}

TEST(DateUtils, StepsCrossTheZeroDay)
{
    // 1899-12-29 23:00 plus two hours is 1899-12-30 01:00 (a negative serial to a positive one).
    EXPECT_TRUE(SameDateTime(IncHour(DT(1899, 12, 29, 23), 2), EncodeTime(1, 0, 0, 0)));
    EXPECT_DOUBLE_EQ(IncHour(0.5, -24), -1.5);
    EXPECT_DOUBLE_EQ(IncDay(-1.25, 1), 0.25);
    EXPECT_DOUBLE_EQ(IncDay(-1.25, -1), -2.25);
    EXPECT_TRUE(SameDateTime(IncMinute(DT(2026, 12, 31, 23, 59), 1), DT(2027, 1, 1)));
    EXPECT_TRUE(SameDateTime(IncSecond(DT(2026, 3, 1), -1), DT(2026, 2, 28, 23, 59, 59)));
    EXPECT_TRUE(SameDateTime(IncMilliSecond(DT(2026, 3, 1), 1500), DT(2026, 3, 1, 0, 0, 1, 500)));
    EXPECT_TRUE(SameDateTime(IncWeek(DT(2026, 12, 10), 3), DT(2026, 12, 31)));
    EXPECT_EQ(IncYear(DT(2024, 2, 29), 1), DT(2025, 2, 28));
    EXPECT_TRUE(SameDateTime(IncYear(DT(2024, 2, 29, 6), -4), DT(2020, 2, 29, 6)));
}

TEST(DateUtils, SpansAreWholeUnitsAndSymmetric)
{
    const TDateTime A = DT(2026, 3, 1), B = DT(2026, 3, 10, 12);
    EXPECT_EQ(DaysBetween(A, B), 9);
    EXPECT_EQ(DaysBetween(B, A), 9);
    EXPECT_EQ(HoursBetween(A, B), 9 * 24 + 12);
    EXPECT_EQ(MinutesBetween(A, A + 0.5), 720);
    EXPECT_EQ(SecondsBetween(-1.25, 0.25), 86400);   // 1899-12-29 06:00 to 1899-12-30 06:00
    EXPECT_EQ(MilliSecondsBetween(A, IncMilliSecond(A, 7)), 7);
    EXPECT_EQ(MonthsBetween(DT(2021, 1, 31), DT(2021, 2, 28)), 1);
    EXPECT_EQ(MonthsBetween(DT(2021, 1, 15), DT(2021, 2, 14)), 0);
    EXPECT_EQ(YearsBetween(DT(2000, 2, 29), DT(2001, 2, 28)), 1);
    EXPECT_EQ(YearsBetween(DT(2001, 3, 1), DT(2000, 3, 2)), 0);
    EXPECT_DOUBLE_EQ(DaySpan(A, B), 9.5);
}

TEST(DateUtils, Comparisons)
{
    const TDateTime D = DT(2026, 12, 10);
    EXPECT_EQ(CompareDate(D + 0.1, D + 0.9), 0);
    EXPECT_EQ(CompareDate(D, D + 1), -1);
    EXPECT_EQ(CompareDateTime(D + 0.9, D + 0.1), 1);
    EXPECT_EQ(CompareTime(D + 0.25, D - 3 + 0.25), 0);
    EXPECT_TRUE(SameDate(D + 0.99, D));
    EXPECT_FALSE(SameDateTime(D, D + 0.001));
    EXPECT_TRUE(SameDateTime(D, D + 1e-10));   // within a millisecond
    EXPECT_TRUE(IsSameDay(D + 0.5, D));
    EXPECT_TRUE(IsToday(Now()));
}

TEST(DateUtils, RecodeAndUnixTime)
{
    const TDateTime V = DT(2024, 2, 29, 10, 30);
    EXPECT_TRUE(SameDateTime(RecodeYear(V, 2028), DT(2028, 2, 29, 10, 30)));
    EXPECT_THROW(RecodeYear(V, 2025), EConvertError);
    EXPECT_TRUE(SameDateTime(RecodeMonth(V, 3), DT(2024, 3, 29, 10, 30)));
    EXPECT_TRUE(SameDateTime(RecodeDay(V, 1), DT(2024, 2, 1, 10, 30)));
    EXPECT_TRUE(SameDateTime(RecodeTime(V, 1, 2, 3, 4), DT(2024, 2, 29, 1, 2, 3, 4)));
    EXPECT_EQ(DateTimeToUnix(DT(1970, 1, 2)), 86400);
    EXPECT_EQ(DateTimeToUnix(DT(1969, 12, 31, 23, 59, 59)), -1);
    EXPECT_EQ(UnixToDateTime(0), DT(1970, 1, 1));
    EXPECT_TRUE(SameDateTime(UnixToDateTime(1700000000), DT(2023, 11, 14, 22, 13, 20)));
}

}  // namespace
