// DateUtils: everything goes through whole milliseconds on a straight time line.
#include "DateUtils.h"

#include <cmath>

namespace {

constexpr Int64 MsPerDay = 86400000;

Int64 Abs64(Int64 X) { return X < 0 ? -X : X; }

}  // namespace

Int64 DateTimeToMilliseconds(TDateTime AValue)
{
    TTimeStamp T = DateTimeToTimeStamp(AValue);
    return Int64(T.Date) * MsPerDay + T.Time;
}

TDateTime MillisecondsToDateTime(Int64 Ms)
{
    TTimeStamp T;
    Int64 Days = Ms / MsPerDay, Rest = Ms % MsPerDay;
    if (Rest < 0) {
        Rest += MsPerDay;
        --Days;
    }
    T.Date = int(Days);
    T.Time = int(Rest);
    return TimeStampToDateTime(T);
}

Word YearOf(TDateTime AValue) { Word Y, M, D; DecodeDate(AValue, Y, M, D); return Y; }
Word MonthOf(TDateTime AValue) { Word Y, M, D; DecodeDate(AValue, Y, M, D); return M; }
Word DayOf(TDateTime AValue) { Word Y, M, D; DecodeDate(AValue, Y, M, D); return D; }
Word HourOf(TDateTime AValue) { Word H, N, S, Z; DecodeTime(AValue, H, N, S, Z); return H; }
Word MinuteOf(TDateTime AValue) { Word H, N, S, Z; DecodeTime(AValue, H, N, S, Z); return N; }
Word SecondOf(TDateTime AValue) { Word H, N, S, Z; DecodeTime(AValue, H, N, S, Z); return S; }
Word MilliSecondOf(TDateTime AValue) { Word H, N, S, Z; DecodeTime(AValue, H, N, S, Z); return Z; }

Word DayOfTheWeek(TDateTime AValue)
{
    int D = DayOfWeek(AValue);   // 1 = Sunday
    return D == 0 ? 0 : Word((D + 5) % 7 + 1);
}

Word DaysInAYear(Word AYear) { return IsLeapYear(AYear) ? 366 : 365; }
Word DaysInYear(TDateTime AValue) { return DaysInAYear(YearOf(AValue)); }

Word DayOfTheYear(TDateTime AValue)
{
    Word Y, M, D;
    DecodeDate(AValue, Y, M, D);
    if (Y == 0) return 0;
    return Word(DateTimeToTimeStamp(AValue).Date - DateTimeToTimeStamp(EncodeDate(Y, 1, 1)).Date + 1);
}

Word WeekOfTheYear(TDateTime AValue, Word& AYear)
{
    Word Y, M, D;
    DecodeDate(AValue, Y, M, D);
    AYear = Y;
    if (Y == 0) return 0;
    // The Thursday of the value's week decides the year; its day of the year gives the week.
    int Day = DateTimeToTimeStamp(AValue).Date;
    int Thursday = Day - (DayOfTheWeek(AValue) - 1) + 3;
    TTimeStamp T{0, Thursday};
    TDateTime ThursdayDate = TimeStampToDateTime(T);
    Word TY, TM, TD;
    DecodeDate(ThursdayDate, TY, TM, TD);
    AYear = TY;
    int FirstDay = DateTimeToTimeStamp(EncodeDate(TY, 1, 1)).Date;
    return Word((Thursday - FirstDay) / 7 + 1);
}

Word WeekOf(TDateTime AValue)
{
    Word Y;
    return WeekOfTheYear(AValue, Y);
}

TDateTime DateOf(TDateTime AValue) { return std::trunc(AValue); }
TDateTime TimeOf(TDateTime AValue) { return DateTimeToTimeStamp(AValue).Time / MSecsPerDay; }
TDateTime StartOfTheDay(TDateTime AValue) { return std::trunc(AValue); }

TDateTime EndOfTheDay(TDateTime AValue)
{
    return ReplaceTime(std::trunc(AValue), EncodeTime(23, 59, 59, 999));
}

TDateTime StartOfTheMonth(TDateTime AValue)
{
    Word Y, M, D;
    DecodeDate(AValue, Y, M, D);
    return EncodeDate(Y, M, 1);
}

TDateTime EndOfTheMonth(TDateTime AValue)
{
    Word Y, M, D;
    DecodeDate(AValue, Y, M, D);
    return EndOfTheDay(EncodeDate(Y, M, DaysInAMonth(Y, M)));
}

TDateTime StartOfTheYear(TDateTime AValue) { return EncodeDate(YearOf(AValue), 1, 1); }

bool TryEncodeDateTime(Word AYear, Word AMonth, Word ADay, Word AHour, Word AMinute, Word ASecond,
                       Word AMilliSecond, TDateTime& AValue)
{
    TDateTime D, T;
    if (!TryEncodeDate(AYear, AMonth, ADay, D) || !TryEncodeTime(AHour, AMinute, ASecond, AMilliSecond, T))
        return false;
    AValue = ReplaceTime(D, T);
    return true;
}

TDateTime EncodeDateTime(Word AYear, Word AMonth, Word ADay, Word AHour, Word AMinute, Word ASecond,
                         Word AMilliSecond)
{
    TDateTime R;
    if (!TryEncodeDateTime(AYear, AMonth, ADay, AHour, AMinute, ASecond, AMilliSecond, R))
        throw EConvertError(Consts::SDateEncodeError);
    return R;
}

TDateTime IncYear(TDateTime AValue, int NumberOfYears)
{
    return IncMonth(AValue, NumberOfYears * 12);
}

TDateTime IncMilliSecond(TDateTime AValue, Int64 NumberOfMilliSeconds)
{
    return MillisecondsToDateTime(DateTimeToMilliseconds(AValue) + NumberOfMilliSeconds);
}

TDateTime IncWeek(TDateTime AValue, int NumberOfWeeks) { return IncMilliSecond(AValue, Int64(NumberOfWeeks) * 7 * MsPerDay); }
TDateTime IncDay(TDateTime AValue, int NumberOfDays) { return IncMilliSecond(AValue, Int64(NumberOfDays) * MsPerDay); }
TDateTime IncHour(TDateTime AValue, Int64 NumberOfHours) { return IncMilliSecond(AValue, NumberOfHours * 3600000); }
TDateTime IncMinute(TDateTime AValue, Int64 NumberOfMinutes) { return IncMilliSecond(AValue, NumberOfMinutes * 60000); }
TDateTime IncSecond(TDateTime AValue, Int64 NumberOfSeconds) { return IncMilliSecond(AValue, NumberOfSeconds * 1000); }

Int64 MilliSecondsBetween(TDateTime ANow, TDateTime AThen)
{
    return Abs64(DateTimeToMilliseconds(ANow) - DateTimeToMilliseconds(AThen));
}

Int64 SecondsBetween(TDateTime ANow, TDateTime AThen) { return MilliSecondsBetween(ANow, AThen) / 1000; }
Int64 MinutesBetween(TDateTime ANow, TDateTime AThen) { return MilliSecondsBetween(ANow, AThen) / 60000; }
Int64 HoursBetween(TDateTime ANow, TDateTime AThen) { return MilliSecondsBetween(ANow, AThen) / 3600000; }
int DaysBetween(TDateTime ANow, TDateTime AThen) { return int(MilliSecondsBetween(ANow, AThen) / MsPerDay); }
double DaySpan(TDateTime ANow, TDateTime AThen) { return double(MilliSecondsBetween(ANow, AThen)) / MsPerDay; }

int MonthsBetween(TDateTime ANow, TDateTime AThen)
{
    TDateTime Early = ANow, Late = AThen;
    if (CompareDateTime(Early, Late) > 0) std::swap(Early, Late);
    Word Y1, M1, D1, Y2, M2, D2;
    DecodeDate(Early, Y1, M1, D1);
    DecodeDate(Late, Y2, M2, D2);
    int Months = (Y2 - Y1) * 12 + (M2 - M1);
    // A month counts once the later moment reaches the same day and time (clamped at month ends).
    if (Months > 0 && CompareDateTime(IncMonth(Early, Months), Late) > 0) --Months;
    return Months;
}

int YearsBetween(TDateTime ANow, TDateTime AThen) { return MonthsBetween(ANow, AThen) / 12; }

int CompareDateTime(TDateTime A, TDateTime B)
{
    Int64 a = DateTimeToMilliseconds(A), b = DateTimeToMilliseconds(B);
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareDate(TDateTime A, TDateTime B)
{
    int a = DateTimeToTimeStamp(A).Date, b = DateTimeToTimeStamp(B).Date;
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareTime(TDateTime A, TDateTime B)
{
    int a = DateTimeToTimeStamp(A).Time, b = DateTimeToTimeStamp(B).Time;
    return a < b ? -1 : (a > b ? 1 : 0);
}

bool SameDate(TDateTime A, TDateTime B) { return CompareDate(A, B) == 0; }
bool SameTime(TDateTime A, TDateTime B) { return CompareTime(A, B) == 0; }
bool SameDateTime(TDateTime A, TDateTime B) { return CompareDateTime(A, B) == 0; }
bool IsSameDay(TDateTime AValue, TDateTime ABasis) { return SameDate(AValue, ABasis); }
bool IsToday(TDateTime AValue) { return SameDate(AValue, Date()); }

bool IsValidDate(Word AYear, Word AMonth, Word ADay)
{
    TDateTime D;
    return TryEncodeDate(AYear, AMonth, ADay, D);
}

bool IsValidTime(Word AHour, Word AMinute, Word ASecond, Word AMilliSecond)
{
    TDateTime T;
    return TryEncodeTime(AHour, AMinute, ASecond, AMilliSecond, T);
}

TDateTime RecodeYear(TDateTime AValue, Word AYear)
{
    Word Y, M, D;
    DecodeDate(AValue, Y, M, D);
    return ReplaceTime(EncodeDate(AYear, M, D), AValue);
}

TDateTime RecodeMonth(TDateTime AValue, Word AMonth)
{
    Word Y, M, D;
    DecodeDate(AValue, Y, M, D);
    return ReplaceTime(EncodeDate(Y, AMonth, D), AValue);
}

TDateTime RecodeDay(TDateTime AValue, Word ADay)
{
    Word Y, M, D;
    DecodeDate(AValue, Y, M, D);
    return ReplaceTime(EncodeDate(Y, M, ADay), AValue);
}

TDateTime RecodeTime(TDateTime AValue, Word AHour, Word AMinute, Word ASecond, Word AMilliSecond)
{
    return ReplaceTime(AValue, EncodeTime(AHour, AMinute, ASecond, AMilliSecond));
}

Int64 DateTimeToUnix(TDateTime AValue)
{
    Int64 Ms = DateTimeToMilliseconds(AValue) - DateTimeToMilliseconds(UnixDateDelta);
    return Ms >= 0 ? Ms / 1000 : -((-Ms + 999) / 1000);
}

TDateTime UnixToDateTime(Int64 AValue)
{
    return MillisecondsToDateTime(DateTimeToMilliseconds(UnixDateDelta) + AValue * 1000);
}
