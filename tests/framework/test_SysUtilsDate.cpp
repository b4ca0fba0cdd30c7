// TDateTime encoding, FormatDateTime, date and time parsing, format settings from a locale.
#include "framework/SysUtils.h"

#include <cmath>

namespace {

// Fixed settings and a fixed "now" (2026-12-10 09:30), restored afterwards.
class SysUtilsDates : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetNowProvider([] { return EncodeDate(2026, 12, 10) + EncodeTime(9, 30, 0, 0); });
    }
    void TearDown() override { SetNowProvider(nullptr); }
    TFormatSettingsGuard Guard{TFormatSettings::Invariant()};
};

struct DateCase {
    Word Y, M, D;
    double Serial;
};

TEST_F(SysUtilsDates, EncodeAndDecodeDates)
{
    const DateCase Cases[] = {
        {1899, 12, 30, 0},     {1899, 12, 29, -1},   {1900, 1, 1, 2},     {2000, 1, 1, 36526},
        {2000, 2, 29, 36585},  {1, 1, 1, -693593},   {9999, 12, 31, 2958465},
        {2026, 12, 10, 46366},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(EncodeDate(C.Y, C.M, C.D), C.Serial) << C.Y << "-" << C.M << "-" << C.D;
        Word Y, M, D;
        DecodeDate(C.Serial, Y, M, D);
        EXPECT_EQ(Y * 10000 + M * 100 + D, C.Y * 10000 + C.M * 100 + C.D) << C.Serial;
    }
    // Every day round-trips, sampled across the whole range.
    for (double Serial = -693593; Serial <= 2958465; Serial += 37) {
        Word Y, M, D;
        DecodeDate(Serial, Y, M, D);
        ASSERT_EQ(EncodeDate(Y, M, D), Serial);
    }
}

TEST_F(SysUtilsDates, InvalidPartsRaiseOrAnswerFalse)
{
    const DateCase Bad[] = {{2023, 2, 29, 0}, {2100, 2, 29, 0}, {2026, 13, 1, 0}, {2026, 4, 31, 0},
                            {0, 1, 1, 0},     {10000, 1, 1, 0}, {2026, 1, 0, 0}};
    for (const auto& C : Bad) {
        TDateTime D = -5;
        EXPECT_FALSE(TryEncodeDate(C.Y, C.M, C.D, D));
        EXPECT_EQ(D, -5);
    }
    try {
        EncodeDate(2023, 2, 29);
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, Consts::SDateEncodeError);
    }
    try {
        EncodeTime(24, 0, 0, 0);
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, Consts::STimeEncodeError);
    }
    TDateTime T;
    EXPECT_FALSE(TryEncodeTime(12, 60, 0, 0, T));
    EXPECT_FALSE(TryEncodeTime(12, 0, 60, 0, T));
    EXPECT_FALSE(TryEncodeTime(12, 0, 0, 1000, T));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(DaysInAMonth(2026, 13), 0);
    EXPECT_EQ(DaysInMonth(EncodeDate(2026, 4, 15)), 30);
}

TEST_F(SysUtilsDates, TimesAndNegativeDates)
{
    Word H, N, S, Z;
    DecodeTime(EncodeTime(13, 45, 30, 250), H, N, S, Z);
    EXPECT_EQ(H * 10000000 + N * 100000 + S * 1000 + Z, 13 * 10000000 + 45 * 100000 + 30250);
    // 1899-12-29 06:00: the time stays a positive fraction behind a negative day.
    Word Y, M, D;
    DecodeDateTime(-1.25, Y, M, D, H, N, S, Z);
    EXPECT_EQ(Y * 10000 + M * 100 + D, 18991229);
    EXPECT_EQ(H, 6);
    // A moment a hair before midnight rounds into the next day, never to hour 24.
    DecodeDateTime(EncodeDate(2020, 1, 1) + 0.99999999999, Y, M, D, H, N, S, Z);
    EXPECT_EQ(Y * 10000 + M * 100 + D, 20200102);
    EXPECT_EQ(H + N + S + Z, 0);
    // Not representable: decodes to zeros instead of failing.
    DecodeDate(std::nan(""), Y, M, D);
    EXPECT_EQ(Y + M + D, 0);
    DecodeDate(1e300, Y, M, D);
    EXPECT_EQ(Y, 0);
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 10)), 5);   // a Thursday (1 = Sunday)
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 13)), 1);
}

TEST_F(SysUtilsDates, ClockAndReplace)
{
    EXPECT_EQ(Date(), EncodeDate(2026, 12, 10));
    EXPECT_DOUBLE_EQ(Time(), EncodeTime(9, 30, 0, 0));
    SetNowProvider(nullptr);
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
    EXPECT_DOUBLE_EQ(ReplaceTime(EncodeDate(2020, 5, 5) + 0.75, 0.25), EncodeDate(2020, 5, 5) + 0.25);
    EXPECT_DOUBLE_EQ(ReplaceTime(-3.5, 0.25), -3.25);
    EXPECT_DOUBLE_EQ(ReplaceDate(EncodeDate(2020, 5, 5) + 0.75, EncodeDate(2021, 1, 1)),
                     EncodeDate(2021, 1, 1) + 0.75);
}

TEST(SysUtilsTickCount, FollowsTheSystemUntilReplaced)
{
    const Cardinal Before = TickCount();
    EXPECT_LE(Cardinal(GetTickCount() - Before), 1000u);
    SetTickCountProvider([] { return Cardinal(0xFFFFFFF0u); });
    EXPECT_EQ(TickCount(), 0xFFFFFFF0u);
    SetTickCountProvider(nullptr);
    EXPECT_LE(Cardinal(TickCount() - Before), 1000u);
}

struct IncMonthCase {
    Word Y, M, D;
    int Months;
    Word EY, EM, ED;
};

TEST_F(SysUtilsDates, IncMonthClampsTheDayAndNeverRaises)
{
    const IncMonthCase Cases[] = {
        {2021, 1, 31, 1, 2021, 2, 28},   {2024, 1, 31, 1, 2024, 2, 29},
        {2021, 3, 31, -1, 2021, 2, 28},  {2021, 12, 15, 1, 2022, 1, 15},
        {2021, 5, 10, 24, 2023, 5, 10},  {2021, 5, 10, -17, 2019, 12, 10},
        {2021, 8, 31, 13, 2022, 9, 30},  {2021, 5, 10, 0, 2021, 5, 10},
        {9999, 12, 1, 1, 9999, 12, 1},   {1, 1, 31, -1, 1, 1, 31},
    };
    for (const auto& C : Cases) {
        TDateTime R = IncMonth(ReplaceTime(EncodeDate(C.Y, C.M, C.D), 0.5), C.Months);
        Word Y, M, D;
        DecodeDate(R, Y, M, D);
        EXPECT_EQ(Y * 10000 + M * 100 + D, C.EY * 10000 + C.EM * 100 + C.ED)
            << C.Y << "-" << C.M << "-" << C.D << " + " << C.Months;
        EXPECT_DOUBLE_EQ(std::fabs(R - std::trunc(R)), 0.5);   // time of day kept
    }
}

// ---- FormatDateTime ---------------------------------------------------------------------------

struct PatternCase {
    const wchar_t* Pattern;
    const wchar_t* Expected;
};

TEST_F(SysUtilsDates, FormatDateTimePatterns)
{
    const TDateTime Dt = EncodeDate(2026, 3, 5) + EncodeTime(14, 7, 9, 45);   // a Thursday
    const PatternCase Cases[] = {
        {L"yyyy-mm-dd hh:nn:ss.zzz", L"2026-03-05 14:07:09.045"},
        {L"d/m/yy", L"5/3/26"},
        {L"dddd d mmmm yyyy", L"Thursday 5 March 2026"},
        {L"ddd mmm", L"Thu Mar"},
        {L"hh:mm", L"14:07"},                 // m after h is minutes
        {L"hh:mm:ss mm", L"14:07:09 03"},     // and month again after s
        {L"h:mm AM/PM", L"2:07 PM"},
        {L"hh:nn am/pm", L"02:07 pm"},
        {L"h a/p", L"2 p"},
        {L"h ampm", L"2 PM"},
        {L"c", L"03/05/2026 14:07:09"},
        {L"ddddd", L"03/05/2026"},
        {L"dddddd", L"Thursday, 05 March 2026"},
        {L"t|tt", L"14:07|14:07:09"},
        {L"'yyyy' yyyy", L"yyyy 2026"},
        {L"\"d\"d z", L"d5 45"},
        {L"Ax!", L"Ax!"},
    };
    for (const auto& C : Cases) EXPECT_EQ(FormatDateTime(C.Pattern, Dt), C.Expected) << C.Pattern;
    EXPECT_EQ(FormatDateTime(L"c", EncodeDate(2026, 3, 5)), L"03/05/2026");
    EXPECT_EQ(FormatDateTime(L"h:nn am/pm", EncodeTime(0, 30, 0, 0)), L"12:30 am");
    EXPECT_EQ(FormatDateTime(L"h:nn am/pm", EncodeTime(12, 30, 0, 0)), L"12:30 pm");

    TFormatSettings F = TFormatSettings::Invariant();
    F.DateSeparator = L'-';
    F.TimeSeparator = L'.';
    F.ShortDateFormat = L"dd/mm/yyyy";
    F.ShortDateFormat = L"ddddd";   // a settings pattern naming itself must not recurse forever
    EXPECT_EQ(FormatDateTime(L"dd/mm/yyyy hh:nn", Dt, F), L"05-03-2026 14.07");
    EXPECT_NO_THROW(FormatDateTime(L"c", Dt, F));
    EXPECT_EQ(DateToStr(Dt), L"03/05/2026");
    EXPECT_EQ(TimeToStr(Dt), L"14:07:09");
    EXPECT_EQ(DateTimeToStr(Dt), L"03/05/2026 14:07:09");
}

// ---- Parsing ----------------------------------------------------------------------------------

struct ParseCase {
    const wchar_t* Text;
    bool Ok;
    Word Y, M, D;
};

TEST_F(SysUtilsDates, StrToDateFollowsTheShortDateOrder)
{
    const ParseCase Cases[] = {
        {L"03/05/2026", true, 2026, 3, 5}, {L" 3/5/2026 ", true, 2026, 3, 5},
        {L"3/5/26", true, 2026, 3, 5},     {L"3/5/80", true, 1980, 3, 5},
        {L"3/5", true, 2026, 3, 5},        {L"12/31/9999", true, 9999, 12, 31},
        {L"13/05/2026", false, 0, 0, 0},   {L"02/30/2026", false, 0, 0, 0},
        {L"", false, 0, 0, 0},             {L"abc", false, 0, 0, 0},
        {L"1/2/3/4", false, 0, 0, 0},      {L"03-05-2026", false, 0, 0, 0},
        {L"3/5/20261", false, 0, 0, 0},    {L"3", false, 0, 0, 0},
    };
    for (const auto& C : Cases) {
        TDateTime V = -9;
        EXPECT_EQ(TryStrToDate(C.Text, V), C.Ok) << C.Text;
        if (C.Ok) {
            EXPECT_EQ(V, EncodeDate(C.Y, C.M, C.D)) << C.Text;
        }
    }
    try {
        StrToDate(L"13/05/2026");
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, L"'13/05/2026' is not a valid date");
    }

    TFormatSettings Dmy = TFormatSettings::Invariant();
    Dmy.ShortDateFormat = L"dd/MM/yyyy";
    Dmy.DateSeparator = L'-';
    EXPECT_EQ(StrToDate(L"05-03-2026", Dmy), EncodeDate(2026, 3, 5));
    EXPECT_EQ(StrToDate(L"5-3", Dmy), EncodeDate(2026, 3, 5));
    TFormatSettings Ymd = TFormatSettings::Invariant();
    Ymd.ShortDateFormat = L"yyyy/MM/dd";
    Ymd.DateSeparator = L'.';
    EXPECT_EQ(StrToDate(L"2026.03.05", Ymd), EncodeDate(2026, 3, 5));
    EXPECT_EQ(StrToDate(L"2026.03.05.", Ymd), EncodeDate(2026, 3, 5));   // trailing separator
}

TEST_F(SysUtilsDates, StrToTimeAndDateTime)
{
    struct TimeCase {
        const wchar_t* Text;
        bool Ok;
        Word H, N, S, Z;
    };
    const TimeCase Cases[] = {
        {L"14:07", true, 14, 7, 0, 0},       {L"14:07:09", true, 14, 7, 9, 0},
        {L"2:07 PM", true, 14, 7, 0, 0},     {L"2:07 pm", true, 14, 7, 0, 0},
        {L"12:00 AM", true, 0, 0, 0, 0},     {L"12:00 PM", true, 12, 0, 0, 0},
        {L"AM 9:15", true, 9, 15, 0, 0},     {L"14:07:09.5", true, 14, 7, 9, 500},
        {L"9", true, 9, 0, 0, 0},            {L"25:00", false, 0, 0, 0, 0},
        {L"14:60", false, 0, 0, 0, 0},       {L"13:00 PM", false, 0, 0, 0, 0},
        {L"14:", false, 0, 0, 0, 0},         {L"", false, 0, 0, 0, 0},
        {L"14:07 x", false, 0, 0, 0, 0},
    };
    for (const auto& C : Cases) {
        TDateTime V = -9;
        EXPECT_EQ(TryStrToTime(C.Text, V), C.Ok) << C.Text;
        if (C.Ok) {
            EXPECT_DOUBLE_EQ(V, EncodeTime(C.H, C.N, C.S, C.Z)) << C.Text;
        }
    }
    EXPECT_THROW(StrToTime(L"25:00"), EConvertError);
    try {
        StrToTime(L"x");
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, L"'x' is not a valid time");
    }

    EXPECT_DOUBLE_EQ(StrToDateTime(L"03/05/2026 14:07"), EncodeDate(2026, 3, 5) + EncodeTime(14, 7, 0, 0));
    EXPECT_EQ(StrToDateTime(L"03/05/2026"), EncodeDate(2026, 3, 5));
    EXPECT_DOUBLE_EQ(StrToDateTime(L"14:07"), EncodeTime(14, 7, 0, 0));
    EXPECT_THROW(StrToDateTime(L"03/05/2026 25:00"), EConvertError);
    try {
        StrToDateTime(L"soon");
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, L"'soon' is not a valid date and time");
    }
    EXPECT_EQ(StrToDateTimeOrZero(L"soon"), 0);
    EXPECT_EQ(StrToDateTimeOrZero(L"03/05/2026"), EncodeDate(2026, 3, 5));
    // What FormatDateTime writes, the parser reads back.
    const TDateTime Dt = EncodeDate(2026, 3, 5) + EncodeTime(14, 7, 9, 0);
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(Dt)), Dt);
    TFormatSettings Us = TFormatSettings::EnglishUS();
    EXPECT_EQ(DateTimeToStr(Dt, Us), L"3/5/2026 2:07:09 PM");
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(Dt, Us), Us), Dt);
}

// ---- Settings from a locale -------------------------------------------------------------------

TEST(SysUtilsSettings, DanishLocale)
{
    const TFormatSettings F = TFormatSettings::Create(0x0406);   // Danish (Denmark)
    EXPECT_EQ(F.DecimalSeparator, L',');
    EXPECT_EQ(F.ThousandSeparator, L'.');
    EXPECT_EQ(F.LongMonthNames[0], L"januar");
    EXPECT_EQ(F.LongDayNames[0], L"søndag");
    EXPECT_EQ(F.LongDayNames[1], L"mandag");
    // The short date pattern uses "/" for the separator and reads day first.
    EXPECT_NE(F.ShortDateFormat.find(L'/'), String::npos) << Utf16ToUtf8(F.ShortDateFormat);
    EXPECT_EQ(F.ShortDateFormat.find_first_of(L"dDmMyY"), F.ShortDateFormat.find_first_of(L"dD"));
    const TDateTime Dt = EncodeDate(2026, 3, 5) + EncodeTime(14, 7, 9, 0);
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(Dt, F), F), Dt) << Utf16ToUtf8(DateTimeToStr(Dt, F));
    EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 2, F), L"1.234,50");

    const TFormatSettings Us = TFormatSettings::Create(0x0409);
    EXPECT_EQ(Us.DecimalSeparator, L'.');
    EXPECT_EQ(Us.LongMonthNames[11], L"December");
    EXPECT_EQ(DateToStr(EncodeDate(2026, 3, 5), Us), L"3/5/2026");
    EXPECT_NE(Us.LongTimeFormat.find(L"AMPM"), String::npos) << Utf16ToUtf8(Us.LongTimeFormat);
}

TEST(SysUtilsSettings, FixedDanishSettings)
{
    const TFormatSettings F = TFormatSettings::Danish();
    const TDateTime Dt = EncodeDate(2026, 3, 5) + EncodeTime(14, 7, 9, 0);
    EXPECT_EQ(DateTimeToStr(Dt, F), L"05-03-2026 14:07:09");
    EXPECT_EQ(FormatDateTime(L"dddddd", Dt, F), L"5. marts 2026");
    EXPECT_EQ(FormatDateTime(L"dddd", Dt, F), L"torsdag");
    EXPECT_DOUBLE_EQ(StrToDateTime(L"5-3-2026 14:07:09", F), Dt);
    EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2, F), L"-1.234,50 kr.");
    EXPECT_EQ(Format(L"%.1n", {1234.25}, F), L"1.234,3");
}

TEST(SysUtilsSettings, ProcessSettingsAreWritableAndRestored)
{
    const Char Before = FormatSettings.DecimalSeparator;
    {
        TFormatSettingsGuard G;
        FormatSettings.DecimalSeparator = Before == L',' ? L'.' : L',';
        EXPECT_NE(FloatToStr(1.5), String(L"1") + Before + L"5");
    }
    EXPECT_EQ(FormatSettings.DecimalSeparator, Before);
    EXPECT_EQ(TFormatSettings::Invariant().DecimalSeparator, L'.');
    EXPECT_EQ(TFormatSettings::Invariant().ShortDateFormat, L"MM/dd/yyyy");
}

}  // namespace
