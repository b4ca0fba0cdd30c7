// DateUtils: parts of a TDateTime, stepping by units, spans and comparisons.
//
// Steps and spans work on the time line, so that they are right on both sides of 1899-12-30
// (where a negative TDateTime keeps its time of day as a positive fraction).
#pragma once

#include "SysUtils.h"

constexpr Word DayMonday = 1;
constexpr Word DayTuesday = 2;
constexpr Word DayWednesday = 3;
constexpr Word DayThursday = 4;
constexpr Word DayFriday = 5;
constexpr Word DaySaturday = 6;
constexpr Word DaySunday = 7;

Word YearOf(TDateTime AValue);
Word MonthOf(TDateTime AValue);
Word DayOf(TDateTime AValue);
Word HourOf(TDateTime AValue);
Word MinuteOf(TDateTime AValue);
Word SecondOf(TDateTime AValue);
Word MilliSecondOf(TDateTime AValue);
// 1 = Monday .. 7 = Sunday.
Word DayOfTheWeek(TDateTime AValue);
Word DayOfTheYear(TDateTime AValue);
// The ISO 8601 week (1..53; weeks start on Monday, week 1 holds the first Thursday).
Word WeekOf(TDateTime AValue);
Word WeekOfTheYear(TDateTime AValue, Word& AYear);
Word DaysInYear(TDateTime AValue);
Word DaysInAYear(Word AYear);

TDateTime DateOf(TDateTime AValue);   // midnight of the day
TDateTime TimeOf(TDateTime AValue);   // the time of day alone
TDateTime StartOfTheDay(TDateTime AValue);
TDateTime EndOfTheDay(TDateTime AValue);   // 23:59:59.999
TDateTime StartOfTheMonth(TDateTime AValue);
TDateTime EndOfTheMonth(TDateTime AValue);
TDateTime StartOfTheYear(TDateTime AValue);

TDateTime EncodeDateTime(Word AYear, Word AMonth, Word ADay, Word AHour, Word AMinute, Word ASecond,
                         Word AMilliSecond);   // raises EConvertError for a bad part
bool TryEncodeDateTime(Word AYear, Word AMonth, Word ADay, Word AHour, Word AMinute, Word ASecond,
                       Word AMilliSecond, TDateTime& AValue);

TDateTime IncYear(TDateTime AValue, int NumberOfYears = 1);   // 29 February may become the 28th
TDateTime IncWeek(TDateTime AValue, int NumberOfWeeks = 1);
TDateTime IncDay(TDateTime AValue, int NumberOfDays = 1);
TDateTime IncHour(TDateTime AValue, Int64 NumberOfHours = 1);
TDateTime IncMinute(TDateTime AValue, Int64 NumberOfMinutes = 1);
TDateTime IncSecond(TDateTime AValue, Int64 NumberOfSeconds = 1);
TDateTime IncMilliSecond(TDateTime AValue, Int64 NumberOfMilliSeconds = 1);

// Whole units between two moments, never negative.
int YearsBetween(TDateTime ANow, TDateTime AThen);
int MonthsBetween(TDateTime ANow, TDateTime AThen);
int DaysBetween(TDateTime ANow, TDateTime AThen);
Int64 HoursBetween(TDateTime ANow, TDateTime AThen);
Int64 MinutesBetween(TDateTime ANow, TDateTime AThen);
Int64 SecondsBetween(TDateTime ANow, TDateTime AThen);
Int64 MilliSecondsBetween(TDateTime ANow, TDateTime AThen);
double DaySpan(TDateTime ANow, TDateTime AThen);

// -1, 0 or 1 by the day alone / by the moment (to the millisecond).
int CompareDate(TDateTime A, TDateTime B);
int CompareTime(TDateTime A, TDateTime B);
int CompareDateTime(TDateTime A, TDateTime B);
bool SameDate(TDateTime A, TDateTime B);
bool SameTime(TDateTime A, TDateTime B);
bool SameDateTime(TDateTime A, TDateTime B);
bool IsSameDay(TDateTime AValue, TDateTime ABasis);
bool IsToday(TDateTime AValue);
bool IsValidDate(Word AYear, Word AMonth, Word ADay);
bool IsValidTime(Word AHour, Word AMinute, Word ASecond, Word AMilliSecond);

// Replaces single parts; a part that would make an invalid date or time raises EConvertError.
TDateTime RecodeYear(TDateTime AValue, Word AYear);
TDateTime RecodeMonth(TDateTime AValue, Word AMonth);
TDateTime RecodeDay(TDateTime AValue, Word ADay);
TDateTime RecodeTime(TDateTime AValue, Word AHour, Word AMinute, Word ASecond, Word AMilliSecond);

Int64 DateTimeToUnix(TDateTime AValue);
TDateTime UnixToDateTime(Int64 AValue);

// The moment as milliseconds on a straight time line, and back.
Int64 DateTimeToMilliseconds(TDateTime AValue);
TDateTime MillisecondsToDateTime(Int64 Ms);
