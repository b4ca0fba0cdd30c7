// QorUtil recognition: text types, number/date/time kinds, character filters, locale-formatted
// numbers and short dates, date series; the unit's shared helpers.
#include "QorUtilText.h"

#include <algorithm>
#include <memory>

namespace QorUtil {

// ---- Shared helpers ----------------------------------------------------------------------------

namespace Detail {

namespace {
// The whole BMP through one casing routine; units it would not map one-to-one keep their code.
std::unique_ptr<Char[]> BuildCaseTable(String (*Map)(const String&))
{
    auto T = std::make_unique<Char[]>(0x10000);
    String All(0x10000, L' ');
    for (unsigned c = 0; c < 0x10000; ++c) {
        T[c] = Char(c);
        if (c != 0 && (c < 0xD800 || c > 0xDFFF)) All[c] = Char(c);
    }
    String Mapped = Map(All);
    if (Mapped.size() == All.size()) {
        for (unsigned c = 1; c < 0x10000; ++c)
            if (c < 0xD800 || c > 0xDFFF) T[c] = Mapped[c];
    } else {
        for (unsigned c = 1; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF) continue;
            String One = Map(String(1, Char(c)));
            if (One.size() == 1) T[c] = One[0];
        }
    }
    return T;
}
}  // namespace

const Char* UpperCaseTable()
{
    static const std::unique_ptr<Char[]> T = BuildCaseTable(&AnsiUpperCase);
    return T.get();
}

const Char* LowerCaseTable()
{
    static const std::unique_ptr<Char[]> T = BuildCaseTable(&AnsiLowerCase);
    return T.get();
}

String UpperStr(std::wstring_view s)
{
    String r(s.size(), L'\0');
    const Char* const T = UpperCaseTable();
    for (size_t i = 0; i < s.size(); ++i) r[i] = T[Word(s[i])];
    return r;
}

int PosFrom(std::wstring_view Sub, std::wstring_view S, int From)
{
    if (Sub.empty() || From < 1 || size_t(From - 1) > S.size()) return 0;
    size_t p = S.find(Sub, size_t(From - 1));
    return p == std::wstring_view::npos ? 0 : int(p) + 1;
}

}  // namespace Detail

// ---- Locale accessors -------------------------------------------------------------------------

Char TimeSeparator() { return FormatSettings.TimeSeparator; }
Char DateSeparator() { return FormatSettings.DateSeparator; }
Char ThousandSeparator() { return FormatSettings.ThousandSeparator; }
Char DecimalSeparator() { return FormatSettings.DecimalSeparator; }
String ShortDateFormat() { return FormatSettings.ShortDateFormat; }

// ---- Integers ----------------------------------------------------------------------------------

int MaxI(int i1, int i2) { return i1 > i2 ? i1 : i2; }
int MinI(int i1, int i2) { return i1 < i2 ? i1 : i2; }

int Limit(int v, int mi, int ma)
{
    if (v > ma) return ma;
    if (v < mi) return mi;
    return v;
}

int CheckLimits(int Value, int LowLimit, int UpLimit)
{
    if (LowLimit == UpLimit) return Value;
    int r = Value;
    if (LowLimit > 0 && Value < LowLimit) r = LowLimit;
    if (UpLimit > 0 && Value > UpLimit) r = UpLimit;
    return r;
}

bool IsInGridRect(const TGridRect& rc, int c, int r)
{
    return c >= rc.Left && c <= rc.Right && r >= rc.Top && r <= rc.Bottom;
}

// ---- Character filters -------------------------------------------------------------------------

namespace {
// The decimal digits of every script in the BMP (Unicode category Nd).
constexpr Word DigitRanges[][2] = {
    {0x0030, 0x0039}, {0x0660, 0x0669}, {0x06F0, 0x06F9}, {0x07C0, 0x07C9}, {0x0966, 0x096F},
    {0x09E6, 0x09EF}, {0x0A66, 0x0A6F}, {0x0AE6, 0x0AEF}, {0x0B66, 0x0B6F}, {0x0BE6, 0x0BEF},
    {0x0C66, 0x0C6F}, {0x0CE6, 0x0CEF}, {0x0D66, 0x0D6F}, {0x0DE6, 0x0DEF}, {0x0E50, 0x0E59},
    {0x0ED0, 0x0ED9}, {0x0F20, 0x0F29}, {0x1040, 0x1049}, {0x1090, 0x1099}, {0x17E0, 0x17E9},
    {0x1810, 0x1819}, {0x1946, 0x194F}, {0x19D0, 0x19D9}, {0x1A80, 0x1A89}, {0x1A90, 0x1A99},
    {0x1B50, 0x1B59}, {0x1BB0, 0x1BB9}, {0x1C40, 0x1C49}, {0x1C50, 0x1C59}, {0xA620, 0xA629},
    {0xA8D0, 0xA8D9}, {0xA900, 0xA909}, {0xA9D0, 0xA9D9}, {0xA9F0, 0xA9F9}, {0xAA50, 0xAA59},
    {0xABF0, 0xABF9}, {0xFF10, 0xFF19}};

inline bool IsAsciiDigit(Char c) { return c >= L'0' && c <= L'9'; }
}  // namespace

bool IsNumChar(Char ch)
{
    if (ch < 0x80) return IsAsciiDigit(ch);
    for (const auto& r : DigitRanges) {
        if (ch < r[0]) return false;
        if (ch <= r[1]) return true;
    }
    return false;
}

bool CheckNum(Char ch) { return IsNumChar(ch); }
bool CheckSignedNum(Char ch) { return IsNumChar(ch) || ch == L'-'; }

bool CheckFloatNum(Char ch)
{
    return IsNumChar(ch) || ch == FormatSettings.ThousandSeparator ||
           ch == FormatSettings.DecimalSeparator || ch == L'e' || ch == L'E';
}

bool CheckSignedFloatNum(Char ch) { return CheckFloatNum(ch) || ch == L'+' || ch == L'-'; }

bool CheckFloatNumNoExp(Char ch)
{
    return IsNumChar(ch) || ch == FormatSettings.ThousandSeparator ||
           ch == FormatSettings.DecimalSeparator || ch == L'-' || ch == 8 || ch == 9 || ch == 13 ||
           ch == 27;
}

bool CheckSignedDottedNum(Char ch)
{
    return IsNumChar(ch) || ch == L'+' || ch == L'-' || ch == L'.' || ch == L'E' || ch == L'e';
}

// ---- Text type ---------------------------------------------------------------------------------

TTextType TextType(const String& s, bool AllowHTML)
{
    // The tests read s with one blank appended; t(i) is that text's character at 1-based i.
    const size_t n = s.size() + 1;
    auto t = [&](size_t i) -> Char { return i <= s.size() ? s[i - 1] : L' '; };
    if (n < 2) return ttText;
    if (t(1) == L'=') return ttFormula;
    if (n >= 3 && t(1) == L'|' && t(2) == L'\\') {
        if (n > 4 && t(4) == L'=' && t(5) == 0) return ttFormula;
        return ttUnicode;
    }
    if (n >= 3 && t(1) == L'{' && t(2) == L'\\') return ttRTF;
    if (AllowHTML) {
        for (size_t i = 1; i + 2 <= n; ++i) {
            if (t(i) != L'<') continue;
            const Char a = UpCase(t(i + 1)), b = UpCase(t(i + 2));
            if (a == L'/') return ttHTML;
            if ((a == L'I' && (b == L'M' || b == L'N')) || (a == L'B' && b == L'R') ||
                (a == L'H' && b == L'R') || (a == L'C' && b == L'O'))
                return ttHTML;
        }
    }
    return IsURL(s) ? ttURL : ttText;
}

// ---- Number, date and time kinds ---------------------------------------------------------------

TAutoType IsType(const String& s)
{
    return IsType(s, FormatSettings.DecimalSeparator, FormatSettings.ThousandSeparator);
}

TAutoType IsType(const String& s, Char ADecimalSeparator, Char AThousandSeparator)
{
    if (s.empty()) return atString;
    const Char DS = FormatSettings.DateSeparator, TS = FormatSettings.TimeSeparator;
    const Char LocDec = FormatSettings.DecimalSeparator, LocThou = FormatSettings.ThousandSeparator;
    bool isInt = true, isFloat = true, isSci = true, isExp = false, HasDigit = false;
    // isDate and isTime start as "the text holds the separator"; that is settled by the counts at
    // the end, which saves two scans.
    bool isDate = true, isTime = true;
    int DateSeps = 0, TimeSeps = 0, Minus = 0, Decs = 0;
    long LastDate = -1, LastTime = -1, LastThousand = -1;
    const long L = long(s.size());
    // A digit changes nothing but HasDigit unless a separator is itself a digit.
    const bool DigitsPlain = !IsAsciiDigit(ADecimalSeparator) && !IsAsciiDigit(AThousandSeparator) &&
                             !IsAsciiDigit(DS) && !IsAsciiDigit(TS);
    for (long i = 1; i <= L; ++i) {
        const Char c = s[i - 1];
        const bool Digit = IsAsciiDigit(c);
        HasDigit = HasDigit || Digit;
        if (Digit && DigitsPlain) continue;
        if (!Digit && c != L'-') isInt = false;
        if (c == L'e' || c == L'E') {
            if (isExp) isSci = false;
            isExp = true;
        }
        if (i > 1 && c == L'-') isInt = isFloat = false;
        if (i == 1) {
            if (c == L'e' || c == L'E') isSci = false;
            if (!Digit) isDate = isTime = false;
        }
        if (i == L && (c == L'e' || c == L'E' || c == L'+' || c == L'-')) isSci = false;
        if (!Digit) {
            if (c != L'-' && c != AThousandSeparator && c != ADecimalSeparator) isFloat = false;
            if (c != DS) isDate = false;
            if (c != TS) isTime = false;
        }
        // CheckSignedFloatNum with the locale separators, inlined for speed.
        const bool SignedFloatChar = Digit || c == LocThou || c == LocDec || c == L'e' || c == L'E' ||
                                     c == L'+' || c == L'-' || (c >= 0x80 && IsNumChar(c));
        if (!SignedFloatChar || c == AThousandSeparator) isSci = false;
        if (c == AThousandSeparator) {
            if (LastThousand >= 0 && i - LastThousand < 4) isFloat = false;
            LastThousand = i;
        }
        if (c == DS) {
            ++DateSeps;
            if (DateSeps > 2 || LastDate == i - 1) isDate = false;
            LastDate = i;
        }
        if (c == TS) {
            ++TimeSeps;
            if (TimeSeps > 2 || LastTime == i - 1) isTime = false;
            LastTime = i;
        }
        if (c == L'-') ++Minus;
        if (c == ADecimalSeparator) ++Decs;
        // Every kind ruled out: plain text whatever follows.
        if (!(isInt || isFloat || isSci || isDate || isTime)) return atString;
    }
    // A text without a single digit (a lone "-", a lone separator) is no number.
    if (!HasDigit) return atString;
    TAutoType Result = atString;
    if (isInt) {
        Result = atNumeric;
    } else {
        if (isFloat && !isExp) Result = atFloat;
        if (isSci && isExp) {
            Result = atScientific;
            if (Minus == 2) Minus = 1;
        }
    }
    if (isTime && TimeSeps > 0) return atTime;
    if (isDate && DateSeps == 2) return atDate;
    if (Minus > 1 || Decs > 1) return atString;
    return Result;
}

String RemoveSeps(const String& s)
{
    String r;
    if (s.empty()) return r;
    String t = Trim(s);
    bool Negative = t.size() >= 2 && t.front() == L'(' && t.back() == L')';
    size_t Start = 0;
    while (t.size() - Start >= 2 && !CheckFloatNum(t[Start])) {
        if (t[Start] == L'-') Negative = true;
        ++Start;
    }
    const Char Thou = FormatSettings.ThousandSeparator, Dec = FormatSettings.DecimalSeparator;
    for (size_t i = Start; i < t.size(); ++i) {
        const Char c = t[i];
        if (c == Thou) continue;
        if (c == Dec)
            r += L'.';
        else if (CheckSignedDottedNum(c))
            r += c;
        else
            break;
    }
    if (Negative) r.insert(r.begin(), L'-');
    return r;
}

// ---- Dates -------------------------------------------------------------------------------------

bool IsDateStr(const String& s)
{
    const Char DS = FormatSettings.DateSeparator;
    if (s.size() < 2) return false;
    size_t p1 = s.find(DS, 1);
    if (p1 == String::npos) return false;
    size_t p2 = s.find(DS, p1 + 1);
    return p2 != String::npos && p2 > p1 + 1;
}

namespace {

[[noreturn]] void RaiseDateError()
{
    throw EConvertError(Consts::SDateEncodeError);
}

TDateTime EncodeChecked(int Year, int Month, int Day)
{
    TDateTime d = 0;
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > 31 ||
        !TryEncodeDate(Word(Year), Word(Month), Word(Day), d))
        RaiseDateError();
    return d;
}

// Splits "a<sep>b<sep>c" into three whole integers; false when the text does not have that form.
// YearDigits gets the number of characters of the trimmed third field.
bool SplitShortDate(const String& s, int& First, int& Second, int& Year, size_t& YearDigits)
{
    Char Sep;
    if (s.find(L'/') != String::npos)
        Sep = L'/';
    else if (s.find(L'.') != String::npos)
        Sep = L'.';
    else if (s.find(L'-') != String::npos)
        Sep = L'-';
    else
        return false;
    size_t p1 = s.find(Sep);
    size_t p2 = s.find(Sep, p1 + 1);
    if (p2 == String::npos) return false;
    String y = Trim(s.substr(p2 + 1));
    if (!TryStrToInt(s.substr(0, p1), First) || !TryStrToInt(s.substr(p1 + 1, p2 - p1 - 1), Second) ||
        !TryStrToInt(y, Year))
        return false;
    YearDigits = y.size();
    return true;
}

TDateTime ShortDate(const String& s, bool MonthFirst)
{
    int a = 0, b = 0, y = 0;
    size_t YearDigits = 0;
    if (!SplitShortDate(s, a, b, y, YearDigits)) return 0;
    // The century window applies to years written with at most two digits; longer years are
    // taken as written, so that they keep their order among themselves.
    if (YearDigits <= 2 && y >= 0 && y <= 99) y += y <= 25 ? 2000 : 1900;
    return MonthFirst ? EncodeChecked(y, a, b) : EncodeChecked(y, b, a);
}

}  // namespace

TDateTime StrToShortdateUS(const String& s) { return ShortDate(s, true); }
TDateTime StrToShortDateEU(const String& s) { return ShortDate(s, false); }

TDateTime GetNextDate(TDateTime d, Word dye, Word dmo, Word dda, TDateTime dtv)
{
    if (dye == 0 && dmo == 0 && dda > 0) return d + dda;
    // Month and year steps keep the day where the target month has it and otherwise take the
    // month's last day (31 January + 1 month = 28 or 29 February); the month is normalised fully.
    if (dmo == 0 && dye > 0 && dda == 0) return IncMonth(d, 12 * int(dye));
    if (dmo > 0 && dye == 0 && dda == 0) return IncMonth(d, int(dmo));
    return d + dtv;
}

}  // namespace QorUtil
