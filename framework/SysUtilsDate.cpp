// SysUtils: format settings, TDateTime arithmetic, FormatDateTime and date/time parsing.
#include "SysUtils.h"

#include <windows.h>

#include <cmath>

// ---- Format settings --------------------------------------------------------------------------

namespace {

String LocaleString(LCID Locale, LCTYPE Type, const String& Default)
{
    wchar_t Buf[256];
    int n = GetLocaleInfoW(Locale, Type, Buf, 256);
    if (n <= 1) return Default;
    return String(Buf, size_t(n - 1));
}

int LocaleInt(LCID Locale, LCTYPE Type, int Default)
{
    String S = LocaleString(Locale, Type, String());
    int Code;
    int v = Val(S, Code);
    return (S.empty() || Code != 0) ? Default : v;
}

Char LocaleChar(LCID Locale, LCTYPE Type, Char Default)
{
    String S = LocaleString(Locale, Type, String());
    return S.empty() ? Default : S[0];
}

// The first separator of a platform date pattern (outside quotes): the date separator.
Char DateSeparatorOf(const String& Pattern, Char Default)
{
    bool Quoted = false;
    for (Char c : Pattern) {
        if (c == L'\'') Quoted = !Quoted;
        if (Quoted || c == L'\'') continue;
        if (!IsCharAlphaW(c) && c != L' ') return c;
    }
    return Default;
}

// The platform's date pattern in this library's letters: eras dropped, the date separator as "/".
String TranslateDatePattern(const String& P, Char DateSep)
{
    String R;
    bool Quoted = false;
    for (size_t i = 0; i < P.size(); ++i) {
        Char c = P[i];
        if (c == L'\'') {
            Quoted = !Quoted;
            R += L'"';
            continue;
        }
        if (Quoted) {
            R += c;
            continue;
        }
        if (c == L'g') {
            while (i + 1 < P.size() && P[i + 1] == L'g') ++i;
            if (i + 1 < P.size() && P[i + 1] == L' ') ++i;
            continue;
        }
        R += (c == DateSep) ? L'/' : c;
    }
    return Trim(R);
}

// The platform's time pattern in this library's letters: m as n, t as AMPM, the separator as ":".
String TranslateTimePattern(const String& P, Char TimeSep)
{
    String R;
    bool Quoted = false;
    for (size_t i = 0; i < P.size(); ++i) {
        Char c = P[i];
        if (c == L'\'') {
            Quoted = !Quoted;
            R += L'"';
            continue;
        }
        if (Quoted) {
            R += c;
            continue;
        }
        if (c == L't') {
            while (i + 1 < P.size() && P[i + 1] == L't') ++i;
            R += L"AMPM";
        } else if (c == L'm') {
            R += L'n';
        } else if (c == L'H') {
            R += L'h';
        } else if (c == TimeSep) {
            R += L':';
        } else {
            R += c;
        }
    }
    return Trim(R);
}

}  // namespace

TFormatSettings TFormatSettings::Create(LCID Locale)
{
    TFormatSettings F;
    F.CurrencyString = LocaleString(Locale, LOCALE_SCURRENCY, F.CurrencyString);
    F.CurrencyFormat = Byte(LocaleInt(Locale, LOCALE_ICURRENCY, 0));
    F.NegCurrFormat = Byte(LocaleInt(Locale, LOCALE_INEGCURR, 0));
    F.CurrencyDecimals = Byte(LocaleInt(Locale, LOCALE_ICURRDIGITS, 2));
    F.ThousandSeparator = LocaleChar(Locale, LOCALE_STHOUSAND, L',');
    F.DecimalSeparator = LocaleChar(Locale, LOCALE_SDECIMAL, L'.');
    F.ListSeparator = LocaleChar(Locale, LOCALE_SLIST, L',');
    String ShortDate = LocaleString(Locale, LOCALE_SSHORTDATE, L"MM/dd/yyyy");
    F.DateSeparator = DateSeparatorOf(ShortDate, LocaleChar(Locale, LOCALE_SDATE, L'/'));
    F.ShortDateFormat = TranslateDatePattern(ShortDate, F.DateSeparator);
    F.LongDateFormat = TranslateDatePattern(LocaleString(Locale, LOCALE_SLONGDATE, L"dddd, MMMM d, yyyy"),
                                            Char(0xFFFF));
    F.TimeSeparator = LocaleChar(Locale, LOCALE_STIME, L':');
    F.TimeAMString = LocaleString(Locale, LOCALE_S1159, L"AM");
    F.TimePMString = LocaleString(Locale, LOCALE_S2359, L"PM");
    String LongTime = LocaleString(Locale, LOCALE_STIMEFORMAT, L"HH:mm:ss");
    F.LongTimeFormat = TranslateTimePattern(LongTime, F.TimeSeparator);
    String ShortTime = LocaleString(Locale, LOCALE_SSHORTTIME, String());
    if (ShortTime.empty()) {
        // The long form without its seconds.
        ShortTime = LongTime;
        size_t s = ShortTime.find(L's');
        if (s != String::npos) {
            size_t b = s;
            while (b > 0 && !IsCharAlphaW(ShortTime[b - 1])) --b;
            size_t e = s;
            while (e < ShortTime.size() && ShortTime[e] == L's') ++e;
            ShortTime.erase(b, e - b);
        }
    }
    F.ShortTimeFormat = TranslateTimePattern(ShortTime, F.TimeSeparator);
    for (int i = 0; i < 12; ++i) {
        F.LongMonthNames[i] = LocaleString(Locale, LCTYPE(LOCALE_SMONTHNAME1 + i), F.LongMonthNames[i]);
        F.ShortMonthNames[i] =
            LocaleString(Locale, LCTYPE(LOCALE_SABBREVMONTHNAME1 + i), F.ShortMonthNames[i]);
    }
    for (int i = 0; i < 7; ++i) {
        // The platform counts from Monday; the names here start on Sunday.
        int Day = (i + 6) % 7;
        F.LongDayNames[i] = LocaleString(Locale, LCTYPE(LOCALE_SDAYNAME1 + Day), F.LongDayNames[i]);
        F.ShortDayNames[i] =
            LocaleString(Locale, LCTYPE(LOCALE_SABBREVDAYNAME1 + Day), F.ShortDayNames[i]);
    }
    return F;
}

TFormatSettings TFormatSettings::Create()
{
    return Create(GetUserDefaultLCID());
}

const TFormatSettings& TFormatSettings::Invariant()
{
    static const TFormatSettings Settings;
    return Settings;
}

TFormatSettings TFormatSettings::EnglishUS()
{
    TFormatSettings F;
    F.ShortDateFormat = L"M/d/yyyy";
    F.LongDateFormat = L"dddd, MMMM d, yyyy";
    F.ShortTimeFormat = L"h:nn AMPM";
    F.LongTimeFormat = L"h:nn:ss AMPM";
    return F;
}

TFormatSettings TFormatSettings::Danish()
{
    TFormatSettings F;
    F.CurrencyFormat = 3;
    F.NegCurrFormat = 8;
    F.ThousandSeparator = L'.';
    F.DecimalSeparator = L',';
    F.DateSeparator = L'-';
    F.TimeSeparator = L':';
    F.ListSeparator = L';';
    F.CurrencyString = L"kr.";
    F.ShortDateFormat = L"dd/mm/yyyy";
    F.LongDateFormat = L"d. mmmm yyyy";
    F.ShortTimeFormat = L"hh:nn";
    F.LongTimeFormat = L"hh:nn:ss";
    static const wchar_t* const Months[12] = {L"januar", L"februar", L"marts",     L"april",
                                              L"maj",    L"juni",    L"juli",      L"august",
                                              L"september", L"oktober", L"november", L"december"};
    static const wchar_t* const ShortMonths[12] = {L"jan.", L"feb.", L"mar.", L"apr.", L"maj",  L"jun.",
                                                   L"jul.", L"aug.", L"sep.", L"okt.", L"nov.", L"dec."};
    static const wchar_t* const Days[7] = {L"søndag", L"mandag", L"tirsdag", L"onsdag",
                                           L"torsdag", L"fredag", L"lørdag"};
    static const wchar_t* const ShortDays[7] = {L"søn.", L"man.", L"tirs.", L"ons.", L"tors.", L"fre.", L"lør."};
    for (int i = 0; i < 12; ++i) {
        F.LongMonthNames[i] = Months[i];
        F.ShortMonthNames[i] = ShortMonths[i];
    }
    for (int i = 0; i < 7; ++i) {
        F.LongDayNames[i] = Days[i];
        F.ShortDayNames[i] = ShortDays[i];
    }
    return F;
}

// Filled before any other unit's start-up code can read it.
__attribute__((init_priority(150))) TFormatSettings FormatSettings = TFormatSettings::Create();

// ---- Date arithmetic --------------------------------------------------------------------------

namespace {

const Word DayTable[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                              {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

constexpr double MaxDateTime = 2958465.99999999;   // 9999-12-31 23:59:59.999
constexpr double MinDateTime = -693593.0;          // 0001-01-01

std::function<TDateTime()>& NowProvider()
{
    static std::function<TDateTime()> P;
    return P;
}

}  // namespace

bool IsLeapYear(Word Year)
{
    return (Year % 4 == 0) && ((Year % 100 != 0) || (Year % 400 == 0));
}

Word DaysInAMonth(Word Year, Word Month)
{
    if (Month < 1 || Month > 12) return 0;
    return DayTable[IsLeapYear(Year)][Month - 1];
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12) return false;
    if (Day < 1 || Day > DayTable[IsLeapYear(Year)][Month - 1]) return false;
    int D = Day;
    for (int i = 0; i < Month - 1; ++i) D += DayTable[IsLeapYear(Year)][i];
    int Y = Year - 1;
    Date = double(Y * 365 + Y / 4 - Y / 100 + Y / 400 + D - DateDelta);
    return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day)
{
    TDateTime D;
    if (!TryEncodeDate(Year, Month, Day, D)) throw EConvertError(Consts::SDateEncodeError);
    return D;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time)
{
    if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) return false;
    Time = (Hour * 3600000.0 + Min * 60000.0 + Sec * 1000.0 + MSec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec)
{
    TDateTime T;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, T)) throw EConvertError(Consts::STimeEncodeError);
    return T;
}

TTimeStamp DateTimeToTimeStamp(TDateTime DateTime)
{
    TTimeStamp R;
    if (!(DateTime >= MinDateTime - 1 && DateTime <= MaxDateTime + 1)) return R;   // NaN too
    double Whole = std::trunc(DateTime);
    double Ms = std::nearbyint(std::fabs(DateTime - Whole) * MSecsPerDay);
    int Days = DateDelta + int(Whole);
    if (Ms >= MSecsPerDay) {
        // Rounded up to midnight: the next day begins.
        Ms = 0;
        ++Days;
    }
    R.Date = Days;
    R.Time = int(Ms);
    return R;
}

TDateTime TimeStampToDateTime(const TTimeStamp& TimeStamp)
{
    double Days = double(TimeStamp.Date - DateDelta);
    double T = TimeStamp.Time / MSecsPerDay;
    return Days < 0 ? Days - T : Days + T;
}

bool DecodeDateFully(TDateTime Date, Word& Year, Word& Month, Word& Day, Word& DOW)
{
    const int D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
    int T = DateTimeToTimeStamp(Date).Date;
    if (T <= 0) {
        Year = Month = Day = DOW = 0;
        return false;
    }
    DOW = Word(T % 7 + 1);
    --T;
    int Y = 1;
    while (T >= D400) {
        T -= D400;
        Y += 400;
    }
    int I = T / D100, D = T % D100;
    if (I == 4) {
        --I;
        D += D100;
    }
    Y += I * 100;
    I = D / D4;
    D %= D4;
    Y += I * 4;
    I = D / D1;
    D %= D1;
    if (I == 4) {
        --I;
        D += D1;
    }
    Y += I;
    bool Leap = IsLeapYear(Word(Y));
    int M = 0;
    while (M < 11 && D >= DayTable[Leap][M]) D -= DayTable[Leap][M++];
    Year = Word(Y);
    Month = Word(M + 1);
    Day = Word(D + 1);
    return Leap;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day)
{
    Word Dow;
    DecodeDateFully(Date, Year, Month, Day, Dow);
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec)
{
    int T = DateTimeToTimeStamp(Time).Time;
    Hour = Word(T / 3600000);
    T %= 3600000;
    Min = Word(T / 60000);
    T %= 60000;
    Sec = Word(T / 1000);
    MSec = Word(T % 1000);
}

void DecodeDateTime(TDateTime AValue, Word& Year, Word& Month, Word& Day, Word& Hour, Word& Min,
                    Word& Sec, Word& MSec)
{
    DecodeDate(AValue, Year, Month, Day);
    DecodeTime(AValue, Hour, Min, Sec, MSec);
}

Word DaysInMonth(TDateTime ADate)
{
    Word Y, M, D;
    DecodeDate(ADate, Y, M, D);
    return DaysInAMonth(Y, M);
}

int DayOfWeek(TDateTime DateTime)
{
    int T = DateTimeToTimeStamp(DateTime).Date;
    return T > 0 ? T % 7 + 1 : 0;
}

void SetNowProvider(std::function<TDateTime()> Provider)
{
    NowProvider() = std::move(Provider);
}

namespace {
std::function<Cardinal()>& TickCountProvider()
{
    static std::function<Cardinal()> P;
    return P;
}
}  // namespace

Cardinal TickCount()
{
    if (TickCountProvider()) return TickCountProvider()();
    return Cardinal(GetTickCount());
}

void SetTickCountProvider(std::function<Cardinal()> Provider)
{
    TickCountProvider() = std::move(Provider);
}

TDateTime Now()
{
    if (NowProvider()) return NowProvider()();
    SYSTEMTIME ST;
    GetLocalTime(&ST);
    TDateTime D = 0, T = 0;
    TryEncodeDate(ST.wYear, ST.wMonth, ST.wDay, D);
    TryEncodeTime(ST.wHour, ST.wMinute, ST.wSecond, ST.wMilliseconds, T);
    return D + T;
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time()
{
    return DateTimeToTimeStamp(Now()).Time / MSecsPerDay;
}

TDateTime GetTime() { return Time(); }

TDateTime ReplaceTime(TDateTime DateTime, TDateTime NewTime)
{
    double Whole = std::trunc(DateTime);
    double Frac = std::fabs(NewTime - std::trunc(NewTime));
    return Whole >= 0 ? Whole + Frac : Whole - Frac;
}

TDateTime ReplaceDate(TDateTime DateTime, TDateTime NewDate)
{
    return ReplaceTime(std::trunc(NewDate), DateTime);
}

void IncAMonth(Word& Year, Word& Month, Word& Day, int NumberOfMonths)
{
    Int64 Total = Int64(Year) * 12 + (Month >= 1 && Month <= 12 ? Month - 1 : 0) + NumberOfMonths;
    if (Total < 12) Total = 12;                   // 0001-01
    if (Total > 9999 * 12 + 11) Total = 9999 * 12 + 11;   // 9999-12
    Year = Word(Total / 12);
    Month = Word(Total % 12 + 1);
    Word Last = DaysInAMonth(Year, Month);
    if (Day > Last) Day = Last;
    if (Day < 1) Day = 1;
}

TDateTime IncMonth(TDateTime DateTime, int NumberOfMonths)
{
    Word Y, M, D;
    DecodeDate(DateTime, Y, M, D);
    if (Y == 0) return DateTime;   // not a date this library can represent
    IncAMonth(Y, M, D, NumberOfMonths);
    TDateTime NewDate = EncodeDate(Y, M, D);
    return ReplaceTime(NewDate, DateTime);
}

// ---- FormatDateTime ---------------------------------------------------------------------------

namespace {

void AppendNumber(String& R, int Value, int MinDigits)
{
    // Parts of a date are small and never negative.
    wchar_t Buf[12];
    wchar_t* p = Buf + 12;
    unsigned v = unsigned(Value < 0 ? 0 : Value);
    do {
        *--p = wchar_t(L'0' + v % 10);
        v /= 10;
    } while (v);
    int Len = int(Buf + 12 - p);
    if (Len < MinDigits) R.append(size_t(MinDigits - Len), L'0');
    R.append(p, size_t(Len));
}

bool StartsTextAt(const String& S, size_t i, const wchar_t* What)
{
    for (size_t k = 0; What[k]; ++k)
        if (i + k >= S.size() || UpCase(S[i + k]) != UpCase(What[k])) return false;
    return true;
}

// Whether an am/pm specifier follows position i (outside quotes): hours are then 12-hour.
bool HasAmPm(const String& F, size_t i)
{
    Char Quote = 0;
    for (; i < F.size(); ++i) {
        Char c = F[i];
        if (Quote) {
            if (c == Quote) Quote = 0;
            continue;
        }
        if (c == L'"' || c == L'\'') Quote = c;
        else if (StartsTextAt(F, i, L"am/pm") || StartsTextAt(F, i, L"a/p") || StartsTextAt(F, i, L"ampm"))
            return true;
    }
    return false;
}

struct TDateParts {
    Word Year, Month, Day, Hour, Min, Sec, MSec;
    int Dow;   // 1 = Sunday
};

void FormatInto(String& R, const String& F, const TDateParts& P, const TFormatSettings& FS,
                int Depth)
{
    if (Depth > 2) return;   // a settings pattern referring to itself
    Char LastToken = 0;
    bool Use12 = false;
    bool Use12Known = false;
    size_t i = 0;
    while (i < F.size()) {
        Char c = F[i];
        Char U = UpCase(c);
        size_t Run = 1;
        while (i + Run < F.size() && UpCase(F[i + Run]) == U) ++Run;
        switch (U) {
        case L'"':
        case L'\'': {
            size_t e = F.find(c, i + 1);
            if (e == String::npos) e = F.size();
            R.append(F, i + 1, e - i - 1);
            i = e + 1;
            continue;   // literals leave the last token alone
        }
        case L'/':
            R += FS.DateSeparator;
            i += 1;
            continue;
        case L':':
            R += FS.TimeSeparator;
            i += 1;
            continue;
        case L'C':
            FormatInto(R, FS.ShortDateFormat, P, FS, Depth + 1);
            if (P.Hour || P.Min || P.Sec) {
                R += L' ';
                FormatInto(R, FS.LongTimeFormat, P, FS, Depth + 1);
            }
            i += 1;
            break;
        case L'D':
            switch (Run) {
            case 1: AppendNumber(R, P.Day, 1); break;
            case 2: AppendNumber(R, P.Day, 2); break;
            case 3: if (P.Dow) R += FS.ShortDayNames[P.Dow - 1]; break;
            case 4: if (P.Dow) R += FS.LongDayNames[P.Dow - 1]; break;
            case 5: FormatInto(R, FS.ShortDateFormat, P, FS, Depth + 1); break;
            default: FormatInto(R, FS.LongDateFormat, P, FS, Depth + 1); break;
            }
            i += Run;
            break;
        case L'M':
            if (LastToken == L'H') {
                AppendNumber(R, P.Min, Run >= 2 ? 2 : 1);
                i += std::min<size_t>(Run, 2);
                U = L'N';
                break;
            }
            if (Run == 1) AppendNumber(R, P.Month, 1);
            else if (Run == 2) AppendNumber(R, P.Month, 2);
            else if (P.Month >= 1 && P.Month <= 12)
                R += Run == 3 ? FS.ShortMonthNames[P.Month - 1] : FS.LongMonthNames[P.Month - 1];
            i += std::min<size_t>(Run, 4);
            break;
        case L'Y':
            if (Run <= 2) AppendNumber(R, P.Year % 100, 2);
            else AppendNumber(R, P.Year, 4);
            i += Run;
            break;
        case L'H': {
            if (!Use12Known) {
                Use12 = HasAmPm(F, i);
                Use12Known = true;
            }
            int H = P.Hour;
            if (Use12) {
                H %= 12;
                if (H == 0) H = 12;
            }
            AppendNumber(R, H, Run >= 2 ? 2 : 1);
            i += std::min<size_t>(Run, 2);
            break;
        }
        case L'N':
            AppendNumber(R, P.Min, Run >= 2 ? 2 : 1);
            i += std::min<size_t>(Run, 2);
            break;
        case L'S':
            AppendNumber(R, P.Sec, Run >= 2 ? 2 : 1);
            i += std::min<size_t>(Run, 2);
            break;
        case L'Z':
            AppendNumber(R, P.MSec, Run >= 3 ? 3 : 1);
            i += std::min<size_t>(Run, 3);
            break;
        case L'T':
            FormatInto(R, Run >= 2 ? FS.LongTimeFormat : FS.ShortTimeFormat, P, FS, Depth + 1);
            i += std::min<size_t>(Run, 2);
            break;
        case L'A':
            if (StartsTextAt(F, i, L"am/pm")) {
                R.append(F, P.Hour >= 12 ? i + 3 : i, 2);   // the specifier's own letters and case
                i += 5;
            } else if (StartsTextAt(F, i, L"a/p")) {
                R += P.Hour >= 12 ? F[i + 2] : F[i];
                i += 3;
            } else if (StartsTextAt(F, i, L"ampm")) {
                R += P.Hour >= 12 ? FS.TimePMString : FS.TimeAMString;
                i += 4;
            } else {
                R += c;
                i += 1;
            }
            continue;
        default:
            R += c;
            i += 1;
            continue;
        }
        LastToken = U;
    }
}

}  // namespace

String FormatDateTime(const String& Format, TDateTime DateTime, const TFormatSettings& FS)
{
    TDateParts P{};
    Word Dow;
    DecodeDateFully(DateTime, P.Year, P.Month, P.Day, Dow);
    P.Dow = Dow;
    DecodeTime(DateTime, P.Hour, P.Min, P.Sec, P.MSec);
    String R;
    R.reserve(Format.size() + 16);
    FormatInto(R, Format.empty() ? String(L"c") : Format, P, FS, 0);
    return R;
}

String FormatDateTime(const String& Format, TDateTime DateTime)
{
    return FormatDateTime(Format, DateTime, FormatSettings);
}

String DateToStr(TDateTime Date, const TFormatSettings& FS)
{
    return FormatDateTime(L"ddddd", Date, FS);
}
String DateToStr(TDateTime Date) { return DateToStr(Date, FormatSettings); }
String TimeToStr(TDateTime Time, const TFormatSettings& FS) { return FormatDateTime(L"tt", Time, FS); }
String TimeToStr(TDateTime Time) { return TimeToStr(Time, FormatSettings); }
String DateTimeToStr(TDateTime DateTime, const TFormatSettings& FS)
{
    return FormatDateTime(L"c", DateTime, FS);
}
String DateTimeToStr(TDateTime DateTime) { return DateTimeToStr(DateTime, FormatSettings); }

// ---- Parsing ----------------------------------------------------------------------------------

namespace {

struct TScanner {
    const String& S;
    size_t Pos = 0;

    void Blanks()
    {
        while (Pos < S.size() && S[Pos] == L' ') ++Pos;
    }
    bool AtEnd()
    {
        Blanks();
        return Pos >= S.size();
    }
    // Up to MaxDigits decimal digits; Len gets their count.
    bool Number(int& Value, int& Len, int MaxDigits = 4)
    {
        Blanks();
        Value = 0;
        Len = 0;
        while (Pos < S.size() && S[Pos] >= L'0' && S[Pos] <= L'9') {
            if (Len == MaxDigits) return false;
            Value = Value * 10 + (S[Pos++] - L'0');
            ++Len;
        }
        return Len > 0;
    }
    bool Char_(Char C)
    {
        Blanks();
        if (Pos < S.size() && S[Pos] == C) {
            ++Pos;
            return true;
        }
        return false;
    }
    // An AM/PM marker: 0 for AM, 12 for PM, -1 when none.
    int AmPm(const TFormatSettings& FS)
    {
        Blanks();
        const String* Marks[4] = {&FS.TimeAMString, &FS.TimePMString, nullptr, nullptr};
        static const String AM = L"AM", PM = L"PM";
        Marks[2] = &AM;
        Marks[3] = &PM;
        for (int k = 0; k < 4; ++k) {
            const String& M = *Marks[k];
            if (M.empty() || Pos + M.size() > S.size()) continue;
            if (AnsiSameText(S.substr(Pos, M.size()), M)) {
                Pos += M.size();
                return (k % 2) ? 12 : 0;
            }
        }
        return -1;
    }
};

enum TDateOrder { doMDY, doDMY, doYMD };

TDateOrder DateOrderOf(const String& F)
{
    for (Char c : F) {
        switch (UpCase(c)) {
        case L'Y': return doYMD;
        case L'M': return doMDY;
        case L'D': return doDMY;
        default: break;
        }
    }
    return doMDY;
}

bool ScanDate(TScanner& Sc, const TFormatSettings& FS, TDateTime& Result)
{
    int N1, N2, N3 = 0, L1, L2, L3 = 0;
    if (!Sc.Number(N1, L1) || !Sc.Char_(FS.DateSeparator) || !Sc.Number(N2, L2)) return false;
    Word CurY, CurM, CurD;
    DecodeDate(Date(), CurY, CurM, CurD);
    int Y, M, D, YLen;
    TDateOrder Order = DateOrderOf(FS.ShortDateFormat);
    // A separator may also end the date ("10.12." or "10.12.2026.").
    if (Sc.Char_(FS.DateSeparator) && Sc.Number(N3, L3)) Sc.Char_(FS.DateSeparator);
    if (L3 > 0) {
        switch (Order) {
        case doMDY: Y = N3; YLen = L3; M = N1; D = N2; break;
        case doDMY: Y = N3; YLen = L3; M = N2; D = N1; break;
        default: Y = N1; YLen = L1; M = N2; D = N3; break;
        }
        if (YLen <= 2) {
            int CenturyBase = CurY - FS.TwoDigitYearCenturyWindow;
            Y += CenturyBase / 100 * 100;
            if (FS.TwoDigitYearCenturyWindow > 0 && Y < CenturyBase) Y += 100;
        }
    } else {
        Y = CurY;
        if (Order == doDMY) {
            D = N1;
            M = N2;
        } else {
            M = N1;
            D = N2;
        }
    }
    if (Y < 1 || Y > 9999 || M < 1 || M > 12 || D < 1 || D > 31) return false;
    return TryEncodeDate(Word(Y), Word(M), Word(D), Result);
}

bool ScanTime(TScanner& Sc, const TFormatSettings& FS, TDateTime& Result)
{
    int BaseHour = Sc.AmPm(FS);
    int Hour, Min = 0, Sec = 0, MSec = 0, L;
    if (!Sc.Number(Hour, L, 2)) return false;
    if (Sc.Char_(FS.TimeSeparator)) {
        if (!Sc.Number(Min, L, 2)) return false;
        if (Sc.Char_(FS.TimeSeparator)) {
            if (!Sc.Number(Sec, L, 2)) return false;
            if (Sc.Char_(FS.DecimalSeparator) || (FS.DecimalSeparator != L'.' && Sc.Char_(L'.'))) {
                // A fraction of a second: ".5" is 500 ms.
                int Frac, FLen;
                if (!Sc.Number(Frac, FLen, 3)) return false;
                MSec = Frac * (FLen == 1 ? 100 : (FLen == 2 ? 10 : 1));
            }
        }
    }
    if (BaseHour < 0) BaseHour = Sc.AmPm(FS);
    if (BaseHour >= 0) {
        if (Hour == 0 || Hour > 12) return false;
        if (Hour == 12) Hour = 0;
        Hour += BaseHour;
    }
    TDateTime T;
    if (!TryEncodeTime(Word(Hour), Word(Min), Word(Sec), Word(MSec), T)) return false;
    Result = T;
    return true;
}

}  // namespace

bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& FS)
{
    TScanner Sc{S};
    TDateTime D;
    if (!ScanDate(Sc, FS, D) || !Sc.AtEnd()) return false;
    Value = D;
    return true;
}

bool TryStrToDate(const String& S, TDateTime& Value) { return TryStrToDate(S, Value, FormatSettings); }

TDateTime StrToDate(const String& S, const TFormatSettings& FS)
{
    TDateTime D;
    if (!TryStrToDate(S, D, FS)) throw EConvertError(Consts::SInvalidDate, {QuotedStr(S)});
    return D;
}

TDateTime StrToDate(const String& S) { return StrToDate(S, FormatSettings); }

TDateTime StrToDateDef(const String& S, TDateTime Default)
{
    TDateTime D;
    return TryStrToDate(S, D) ? D : Default;
}

bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& FS)
{
    TScanner Sc{S};
    TDateTime T;
    if (!ScanTime(Sc, FS, T) || !Sc.AtEnd()) return false;
    Value = T;
    return true;
}

bool TryStrToTime(const String& S, TDateTime& Value) { return TryStrToTime(S, Value, FormatSettings); }

TDateTime StrToTime(const String& S, const TFormatSettings& FS)
{
    TDateTime T;
    if (!TryStrToTime(S, T, FS)) throw EConvertError(Consts::SInvalidTime, {QuotedStr(S)});
    return T;
}

TDateTime StrToTime(const String& S) { return StrToTime(S, FormatSettings); }

TDateTime StrToTimeDef(const String& S, TDateTime Default)
{
    TDateTime T;
    return TryStrToTime(S, T) ? T : Default;
}

bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& FS)
{
    TScanner Sc{S};
    TDateTime D = 0, T = 0;
    if (ScanDate(Sc, FS, D)) {
        if (Sc.AtEnd()) {
            Value = D;
            return true;
        }
        if (!ScanTime(Sc, FS, T) || !Sc.AtEnd()) return false;
        Value = ReplaceTime(D, T);
        return true;
    }
    return TryStrToTime(S, Value, FS);
}

bool TryStrToDateTime(const String& S, TDateTime& Value)
{
    return TryStrToDateTime(S, Value, FormatSettings);
}

TDateTime StrToDateTime(const String& S, const TFormatSettings& FS)
{
    TDateTime V;
    if (!TryStrToDateTime(S, V, FS)) throw EConvertError(Consts::SInvalidDateTime, {QuotedStr(S)});
    return V;
}

TDateTime StrToDateTime(const String& S) { return StrToDateTime(S, FormatSettings); }

TDateTime StrToDateTimeDef(const String& S, TDateTime Default)
{
    TDateTime V;
    return TryStrToDateTime(S, V) ? V : Default;
}

TDateTime StrToDateTimeOrZero(const String& S) { return StrToDateTimeDef(S, 0); }
