// SysUtils: exceptions, text routines with 1-based positions, conversions, format settings,
// Format, FormatFloat, FormatDateTime, dates and times, files.
//
// Positions are 1-based and 0 means "not found". Conversions that can fail come in three forms:
// a raising one (EConvertError with a plain message), a Try... form that answers false, and a
// ...Def form that answers a default. Locale-dependent routines read the process-wide
// FormatSettings at each call unless a TFormatSettings is passed.
#pragma once

#include "Consts.h"
#include "System.h"

#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

// ---- Format arguments -------------------------------------------------------------------------

// One argument of Format.
struct TVarRec {
    enum TKind : Byte { vtInteger, vtInt64, vtUInt64, vtExtended, vtString, vtPWideChar, vtWideChar,
                        vtBoolean, vtPointer, vtCurrency };
    TKind VType;
    union {
        int VInteger;
        Int64 VInt64;
        UInt64 VUInt64;
        Extended VExtended;
        const String* VString;
        const wchar_t* VPWideChar;
        wchar_t VWideChar;
        bool VBoolean;
        const void* VPointer;
    };
    TVarRec(int V) : VType(vtInteger), VInteger(V) {}
    TVarRec(short V) : VType(vtInteger), VInteger(V) {}
    TVarRec(unsigned short V) : VType(vtInteger), VInteger(V) {}
    TVarRec(signed char V) : VType(vtInteger), VInteger(V) {}
    TVarRec(unsigned char V) : VType(vtInteger), VInteger(V) {}
    TVarRec(unsigned int V) : VType(vtInt64), VInt64(V) {}
    TVarRec(long V) : VType(vtInt64), VInt64(V) {}
    TVarRec(unsigned long V) : VType(vtInt64), VInt64(Int64(V)) {}
    TVarRec(long long V) : VType(vtInt64), VInt64(V) {}
    TVarRec(unsigned long long V) : VType(vtUInt64), VUInt64(V) {}
    TVarRec(float V) : VType(vtExtended), VExtended(V) {}
    TVarRec(double V) : VType(vtExtended), VExtended(V) {}
    TVarRec(long double V) : VType(vtExtended), VExtended(V) {}
    TVarRec(const String& V) : VType(vtString), VString(&V) {}
    TVarRec(const wchar_t* V) : VType(vtPWideChar), VPWideChar(V) {}
    TVarRec(wchar_t V) : VType(vtWideChar), VWideChar(V) {}
    TVarRec(char V) : VType(vtWideChar), VWideChar(wchar_t(static_cast<unsigned char>(V))) {}
    TVarRec(bool V) : VType(vtBoolean), VBoolean(V) {}
    TVarRec(const void* V) : VType(vtPointer), VPointer(V) {}
    TVarRec(std::nullptr_t) : VType(vtPointer), VPointer(nullptr) {}
    // A Currency is an Int64; pass it through this to format it as money.
    static TVarRec FromCurrency(Currency V)
    {
        TVarRec R(0LL);
        R.VType = vtCurrency;
        R.VInt64 = V;
        return R;
    }
};
using TVarRecs = std::initializer_list<TVarRec>;

// ---- Exceptions -------------------------------------------------------------------------------

// The root of the library's exceptions: a plain message.
class Exception : public TObject, public std::exception {
    DECLARE_CLASS(Exception, TObject)
public:
    explicit Exception(const String& Msg);
    // The message made by Format (a format that does not fit its arguments raises EConvertError).
    Exception(const String& Fmt, TVarRecs Args);
    const String& GetMessage() const { return Message; }
    const char* what() const noexcept override { return FWhat.c_str(); }

    String Message;

private:
    std::string FWhat;   // UTF-8 copy for what()
};

#define DECLARE_EXCEPTION(Name, Base)                                   \
    class Name : public Base {                                          \
        DECLARE_CLASS(Name, Base)                                       \
    public:                                                             \
        using Base::Base;                                               \
    };

DECLARE_EXCEPTION(EConvertError, Exception)
DECLARE_EXCEPTION(EListError, Exception)
DECLARE_EXCEPTION(EStringListError, EListError)
DECLARE_EXCEPTION(EInvalidCast, Exception)
DECLARE_EXCEPTION(EResNotFound, Exception)
DECLARE_EXCEPTION(EInOutError, Exception)
DECLARE_EXCEPTION(EAssertionFailed, Exception)
DECLARE_EXCEPTION(EInvalidOperation, Exception)
DECLARE_EXCEPTION(EInvalidGridOperation, Exception)
DECLARE_EXCEPTION(EStreamError, Exception)
DECLARE_EXCEPTION(EFileStreamError, EStreamError)
DECLARE_EXCEPTION(EFCreateError, EFileStreamError)
DECLARE_EXCEPTION(EFOpenError, EFileStreamError)
DECLARE_EXCEPTION(EReadError, EStreamError)
DECLARE_EXCEPTION(EWriteError, EStreamError)
DECLARE_EXCEPTION(EClassNotFound, EReadError)
DECLARE_EXCEPTION(EPropertyError, Exception)
DECLARE_EXCEPTION(EComponentError, Exception)
DECLARE_EXCEPTION(EOutOfResources, Exception)
DECLARE_EXCEPTION(EVariantError, Exception)
DECLARE_EXCEPTION(EOleError, Exception)
DECLARE_EXCEPTION(EOleSysError, EOleError)
DECLARE_EXCEPTION(EOleException, EOleSysError)
DECLARE_EXCEPTION(ERegistryException, Exception)
DECLARE_EXCEPTION(EIniFileException, Exception)
DECLARE_EXCEPTION(EPrinter, Exception)
DECLARE_EXCEPTION(EInvalidGraphic, Exception)
DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception)
DECLARE_EXCEPTION(EMathError, Exception)
DECLARE_EXCEPTION(EZeroDivide, EMathError)
DECLARE_EXCEPTION(EOverflow, EMathError)
DECLARE_EXCEPTION(EInvalidArgument, EMathError)
DECLARE_EXCEPTION(ERangeError, Exception)
DECLARE_EXCEPTION(EAbort, Exception)
DECLARE_EXCEPTION(EArgumentException, Exception)
DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException)
DECLARE_EXCEPTION(ENotSupportedException, Exception)

// An operating-system failure: the message and the system error code.
class EOSError : public Exception {
    DECLARE_CLASS(EOSError, Exception)
public:
    using Exception::Exception;
    EOSError(const String& Msg, Cardinal Code) : Exception(Msg), ErrorCode(Code) {}
    Cardinal ErrorCode = 0;
};

// Raises EAbort with an empty message: a silent way out of an operation.
[[noreturn]] void Abort();

// Assert(cond, msg): raises EAssertionFailed with the message, the source file and the line.
[[noreturn]] void AssertErrorProc(const String& Msg, const char* FileName, int LineNumber);
#define Assert(Cond, Msg)                                                       \
    do {                                                                        \
        if (!(Cond)) AssertErrorProc((Msg), __FILE__, __LINE__);                \
    } while (0)

// ---- Code pages -------------------------------------------------------------------------------

// Text of the UTF-16 string as UTF-8 (used for what() and for diagnostics). Lone surrogates become
// U+FFFD; bad UTF-8 sequences become U+FFFD on the way back.
std::string Utf16ToUtf8(const String& S);
String Utf8ToUtf16(const std::string& S);
inline UTF8String UTF8Encode(const String& S) { return Utf16ToUtf8(S); }
inline String UTF8Decode(const UTF8String& S) { return Utf8ToUtf16(S); }
inline String UTF8ToString(const UTF8String& S) { return Utf8ToUtf16(S); }

// Any code page (CP_ACP = 0, 1252, 65001 ...) to and from UTF-16. Characters the code page lacks
// become its default character ("?").
String CodePageToUnicode(const RawByteString& S, Cardinal CodePage);
RawByteString UnicodeToCodePage(const String& S, Cardinal CodePage);
// The ANSI code page (CP_ACP) both ways.
String AnsiToUnicode(const AnsiString& S);
AnsiString UnicodeToAnsi(const String& S);
// Windows-1252 single bytes widened to UTF-16 (0x80..0x9F map to their typographic characters;
// the five unassigned bytes keep their code).
String Win1252ToUnicode(const RawByteString& S);
WideChar Win1252ToWideChar(AnsiChar C);

// ---- Strings (1-based positions) --------------------------------------------------------------

inline int Length(const String& S) { return int(S.size()); }
inline int Length(const AnsiString& S) { return int(S.size()); }
// Count characters from Index (1-based; an Index below 1 counts as 1). Out-of-range parts are
// clipped; never raises.
String Copy(const String& S, int Index, int Count = 0x7FFFFFFF);
AnsiString Copy(const AnsiString& S, int Index, int Count = 0x7FFFFFFF);
// First position of Substr in S, at or after Offset (1-based); 0 when absent or Substr is empty.
int Pos(const String& Substr, const String& S, int Offset = 1);
int Pos(Char C, const String& S, int Offset = 1);
inline int PosEx(const String& Substr, const String& S, int Offset = 1) { return Pos(Substr, S, Offset); }
// Last position of Substr in S; 0 when absent.
int LastDelimiter(const String& Delimiters, const String& S);
// Removes Count characters from Index; out-of-range parts are ignored.
void Delete(String& S, int Index, int Count);
// Inserts Source before position Index (clipped to 1..Length + 1).
void Insert(const String& Source, String& S, int Index);
void SetLength(String& S, int NewLength);
String StringOfChar(Char C, int Count);

// Characters with codes 0 to 32 are removed.
String Trim(const String& S);
String TrimLeft(const String& S);
String TrimRight(const String& S);

// ---- Case and comparison ------------------------------------------------------------------------
//
// This is the one home of case folding and of case-insensitive comparison. There are two kinds,
// and each routine belongs to exactly one:
//
//   ASCII      UpCase, LoCase, UpperCase, LowerCase, CompareText, SameText.
//              Only a to z and A to Z fold into each other; every other character, "ø" and "Ø"
//              included, compares by its code. The same answer on every machine and in every
//              locale. For names a program gives: component, control, class, property, colour and
//              font names, file extensions, markup tags, keywords and format letters.
//   Locale     AnsiUpperCase, AnsiLowerCase, AnsiCompareText, AnsiSameText (and StrUtils'
//              StartsText, EndsText, ContainsText, ReplaceText; string lists that ignore case).
//              The user locale's linguistic casing and collation: "ø" equals "Ø". For text the
//              user wrote.
//   Ordinal    CompareStr, SameStr, AnsiSameStr: code by code, case counts.
//
// Code that folds ASCII case calls UpCase / LoCase (or the routines above) instead of writing
// the fold again; tools/lint.sh reports a fold written anywhere else.

// The character with a to z folded to upper case (LoCase: A to Z to lower case); any other
// character is returned as it is.
constexpr Char UpCase(Char C) { return C >= L'a' && C <= L'z' ? Char(C - L'a' + L'A') : C; }
constexpr Char LoCase(Char C) { return C >= L'A' && C <= L'Z' ? Char(C - L'A' + L'a') : C; }
// ASCII: only a to z (A to Z) are folded.
String UpperCase(const String& S);
String LowerCase(const String& S);
// Locale: the user locale's linguistic casing ("ø" to "Ø").
String AnsiUpperCase(const String& S);
String AnsiLowerCase(const String& S);

// Ordinal comparison: < 0, 0 or > 0.
int CompareStr(std::wstring_view S1, std::wstring_view S2);
bool SameStr(std::wstring_view S1, std::wstring_view S2);
// ASCII: ordinal comparison with a to z folded to upper case ("a" = "A", "ø" <> "Ø"); < 0, 0 or
// > 0.
int CompareText(std::wstring_view S1, std::wstring_view S2);
bool SameText(std::wstring_view S1, std::wstring_view S2);
// Locale: the user locale's collation (case-sensitive / case-insensitive, "ø" = "Ø").
int AnsiCompareStr(const String& S1, const String& S2);
int AnsiCompareText(const String& S1, const String& S2);
bool AnsiSameStr(const String& S1, const String& S2);
bool AnsiSameText(const String& S1, const String& S2);
// Position of Substr in S using the locale's casing; 0 when absent.
int AnsiPos(const String& Substr, const String& S);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
// Replaces the first (or every, with rfReplaceAll) occurrence of OldPattern. rfIgnoreCase folds
// with the locale's upper-casing. An empty OldPattern replaces nothing.
String StringReplace(const String& S, const String& OldPattern, const String& NewPattern,
                     TReplaceFlags Flags);

// 'it''s' style quoting and unquoting.
String QuotedStr(const String& S);
String AnsiQuotedStr(const String& S, Char Quote);
// Strips Quote from both ends and undoubles inner quotes; text not starting with Quote is
// returned as is.
String AnsiDequotedStr(const String& S, Char Quote);
// Reads a quoted string starting at Src[Index - 1]; Index is moved past it.
String AnsiExtractQuotedStr(const String& Src, int& Index, Char Quote);

String AdjustLineBreaks(const String& S);   // lone CR or LF become CR LF
bool IsDelimiter(const String& Delimiters, const String& S, int Index);
String IntToStr(int Value);
String IntToStr(Int64 Value);
String UIntToStr(UInt64 Value);
// Upper-case hexadecimal with at least Digits digits (negative values as their two's complement).
String IntToHex(Int64 Value, int Digits = 0);
String IntToHex(int Value, int Digits = 0);
// The value of a hexadecimal digit (0 to 9, a to f, A to F); -1 for any other character.
constexpr int HexDigit(Char C)
{
    return C >= L'0' && C <= L'9'   ? C - L'0'
           : C >= L'a' && C <= L'f' ? C - L'a' + 10
           : C >= L'A' && C <= L'F' ? C - L'A' + 10
                                    : -1;
}

// Strict integer text: optional leading blanks, optional sign, decimal digits, or hexadecimal after
// "$", "0x" or "0X". Overflow is an error. Raises EConvertError "'abc' is not a valid integer
// value".
int StrToInt(const String& S);
Int64 StrToInt64(const String& S);
bool TryStrToInt(const String& S, int& Value);
bool TryStrToInt64(const String& S, Int64& Value);
int StrToIntDef(const String& S, int Default);
Int64 StrToInt64Def(const String& S, Int64 Default);

// The lenient reader: leading blanks, a sign, then decimal digits, or hexadecimal digits after
// "$", "x", "X", "0x" or "0X". Reading stops at the first character that does not fit (or whose
// digit would overflow); the value read so far is returned and Code is that character's 1-based
// position (0 when the whole text was read). No digits give 0. Never raises.
int Val(const String& S, int& Code);
Int64 ValInt64(const String& S, int& Code);
// The same for a floating-point number with the given decimal separator ("." by default):
// [blanks][sign]digits[sep digits][e|E[sign]digits]. The value is the number read before the
// first bad character; Code is that character's 1-based position, 0 when all was read.
double ValFloat(const String& S, int& Code, Char DecimalSeparator = L'.');

// ---- Number scanning --------------------------------------------------------------------------
//
// The one scanner under every reader of numbers in text: StrToInt, Val, StrToFloat, ValFloat,
// the property texts of TypInfo and the streaming formats, and the filter matcher. It reads the
// characters where they stand and allocates nothing. Each reader keeps its own rules for blanks,
// prefixes, ranges and what a partly read number means.

// A run of digits in Base (10 or 16) from S[From], taken while the value stays at or below Limit.
struct TDigitRun {
    size_t End = 0;          // index after the last digit taken
    UInt64 Value = 0;
    size_t Count = 0;        // digits taken
    bool Overflow = false;   // stopped at a digit that would have taken the value past Limit
};
TDigitRun ScanDigits(std::wstring_view S, size_t From, unsigned Base, UInt64 Limit = ~UInt64(0));

// An integer's sign and radix from S[From]: "+" or "-", then "$", "0x" or "0X" for hexadecimal
// (with LoneX also a lone "x" or "X", as Val reads it).
struct TIntPrefix {
    size_t End = 0;          // index of the first digit
    bool Negative = false;
    bool Hex = false;
};
TIntPrefix ScanIntPrefix(std::wstring_view S, size_t From, bool LoneX = false);

// How a decimal number is written: its decimal separator (with PointToo a "." as well), and a
// character (the filter's thousand separator) that is passed over wherever it stands when
// HasIgnored is set; the ignored character wins over a separator equal to it.
struct TFloatSyntax {
    Char DecimalSeparator = L'.';
    bool PointToo = false;
    bool HasIgnored = false;
    Char Ignored = 0;
    bool IsSeparator(Char C) const { return C == DecimalSeparator || (PointToo && C == L'.'); }
};

// A decimal number [sign]digits[separator digits][e|E[sign]digits] from S[From]; at least one
// digit before or after the separator. An exponent without digits is not part of the number.
struct TFloatScan {
    size_t Begin = 0;        // where the number (its sign) starts
    size_t End = 0;          // index after the longest whole number; Begin when there is none
    size_t Stop = 0;         // index of the first character that did not fit
    bool Negative = false;
    UInt64 Mantissa = 0;     // the first 19 significant digits as a whole number
    int Significant = 0;     // significant digits in all
    int Scale = 0;           // power of ten of the mantissa's last digit (before Exponent)
    int Exponent = 0;        // the written exponent, held within +-999999
    bool Found() const { return End != Begin; }
};
TFloatScan ScanFloat(std::wstring_view S, size_t From, const TFloatSyntax& Syntax = {});

// The value of a scanned number, correctly rounded to double or to the whole extended precision.
// Overflow sets Value to plus or minus infinity, Underflow to zero.
enum class TScanRange { Inside, Overflow, Underflow };
TScanRange ScannedValue(std::wstring_view S, const TFloatScan& N, const TFloatSyntax& Syntax,
                        double& Value);
TScanRange ScannedValue(std::wstring_view S, const TFloatScan& N, const TFloatSyntax& Syntax,
                        Extended& Value);

bool StrToBool(const String& S);   // "True"/"False" (any case) or a number (0 false); else raises
bool TryStrToBool(const String& S, bool& Value);
bool StrToBoolDef(const String& S, bool Default);
// "True"/"False" when UseBoolStrs, else "-1"/"0".
String BoolToStr(bool B, bool UseBoolStrs = false);

// ---- Format settings --------------------------------------------------------------------------

using LCID = unsigned long;   // as the platform declares it

struct TFormatSettings {
    Byte CurrencyFormat = 0;      // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    Byte NegCurrFormat = 0;       // the platform's negative currency patterns 0..15
    Char ThousandSeparator = L',';
    Char DecimalSeparator = L'.';
    Byte CurrencyDecimals = 2;
    Char DateSeparator = L'/';
    Char TimeSeparator = L':';
    Char ListSeparator = L',';
    String CurrencyString = L"$";
    String ShortDateFormat = L"MM/dd/yyyy";
    String LongDateFormat = L"dddd, dd MMMM yyyy";
    String TimeAMString = L"AM";
    String TimePMString = L"PM";
    String ShortTimeFormat = L"hh:nn";
    String LongTimeFormat = L"hh:nn:ss";
    String ShortMonthNames[12] = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                  L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
    String LongMonthNames[12] = {L"January", L"February", L"March",     L"April",
                                 L"May",     L"June",     L"July",      L"August",
                                 L"September", L"October", L"November", L"December"};
    // Index 0 is Sunday.
    String ShortDayNames[7] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
    String LongDayNames[7] = {L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                              L"Thursday", L"Friday", L"Saturday"};
    Word TwoDigitYearCenturyWindow = 50;

    // The settings of the user's locale.
    static TFormatSettings Create();
    // The settings of a given locale (LCID as the platform numbers them).
    static TFormatSettings Create(LCID Locale);
    // Fixed settings, independent of the machine: "." decimals, "," thousands, "/" dates
    // ("MM/dd/yyyy"), ":" times ("hh:nn:ss", 24 hours), English names.
    static const TFormatSettings& Invariant();
    // Fixed English (United States) settings: "M/d/yyyy", "h:nn AMPM", "$".
    static TFormatSettings EnglishUS();
    // Fixed Danish settings: "," decimals, "." thousands, "dd-mm-yyyy", "hh:nn:ss", "1 kr.",
    // Danish month and day names.
    static TFormatSettings Danish();
};

// The process-wide settings: filled from the user locale at start-up, read at each call of the
// routines that take none, writable.
extern TFormatSettings FormatSettings;

// Restores the process-wide settings when it ends (for code and tests that change them briefly).
class TFormatSettingsGuard {
public:
    TFormatSettingsGuard() : FSaved(FormatSettings) {}
    explicit TFormatSettingsGuard(const TFormatSettings& Temporary) : FSaved(FormatSettings)
    {
        FormatSettings = Temporary;
    }
    ~TFormatSettingsGuard() { FormatSettings = FSaved; }
    TFormatSettingsGuard(const TFormatSettingsGuard&) = delete;
    TFormatSettingsGuard& operator=(const TFormatSettingsGuard&) = delete;

private:
    TFormatSettings FSaved;
};

// ---- Floating-point text ----------------------------------------------------------------------

// Strict: optional blanks around, sign, digits with the settings' decimal separator, optional
// exponent; no thousand separators. Values are read to double precision; beyond the double range
// is an error, below it is 0. Raises EConvertError "'x' is not a valid floating point value".
Extended StrToFloat(const String& S);
Extended StrToFloat(const String& S, const TFormatSettings& FS);
bool TryStrToFloat(const String& S, double& Value);
bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& FS);
bool TryStrToFloat(const String& S, Extended& Value);
bool TryStrToFloat(const String& S, Extended& Value, const TFormatSettings& FS);
Extended StrToFloatDef(const String& S, Extended Default);
Extended StrToFloatDef(const String& S, Extended Default, const TFormatSettings& FS);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
enum TFloatValue { fvExtended, fvCurrency };

// The decimal digits of a value (the class library's FloatToDecimal): value = 0.Digits * 10^Exponent.
// Digits holds no trailing zeros; zero has no digits; Exponent is 0x7FFF for INF (Negative set for
// -INF) and 0x8000 for NAN.
struct TFloatRec {
    short Exponent = 0;
    bool Negative = false;
    char Digits[21] = {};
};
// Rounds to Precision significant digits (1..18) and at most Decimals digits after the point,
// halves away from zero.
void FloatToDecimal(TFloatRec& Result, Extended Value, int Precision, int Decimals);

// The shortest general form with 15 significant digits ("0.1", "1E20", "-2.5E-7").
String FloatToStr(Extended Value);
String FloatToStr(Extended Value, const TFormatSettings& FS);
String FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits);
String FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits,
                   const TFormatSettings& FS);
String CurrToStr(Currency Value);   // Currency: fixed point with four decimals
String CurrToStrF(Currency Value, TFloatFormat Format, int Digits);

// Pattern formatting: 0 # . , E+ E- e+ e-, quoted literals, and up to three ";" sections
// (positive; negative; zero).
String FormatFloat(const String& Format, Extended Value);
String FormatFloat(const String& Format, Extended Value, const TFormatSettings& FS);

// ---- Format -----------------------------------------------------------------------------------


// The class library's Format: "%" [index ":"] ["-"] [width] ["." precision] type, with type one of
// d u x e f g n m p s (either case); index, width and precision may be "*" (taken from the
// arguments); "%%" is a percent sign. The settings' decimal and thousand separators are used.
// An argument that does not fit its specifier, a missing argument or a bad specifier raises
// EConvertError ("Format '%d' invalid or incompatible with argument").
String Format(const String& Fmt, TVarRecs Args);
String Format(const String& Fmt, TVarRecs Args, const TFormatSettings& FS);

// ---- Dates and times --------------------------------------------------------------------------

struct TTimeStamp {
    int Time = 0;   // milliseconds since midnight
    int Date = 0;   // days since 0001-01-01 plus one
};

constexpr double HoursPerDay = 24;
constexpr double MinsPerDay = 24 * 60;
constexpr double SecsPerDay = 24 * 60 * 60;
constexpr double MSecsPerDay = 24.0 * 60 * 60 * 1000;
constexpr int MSecsPerSec = 1000;
constexpr int DateDelta = 693594;   // days from 0001-01-01 (day 1) to 1899-12-30
constexpr double UnixDateDelta = 25569;   // 1970-01-01

bool IsLeapYear(Word Year);
// Days of Month in Year; 0 for an invalid month.
Word DaysInAMonth(Word Year, Word Month);
// Days in the month of a date.
Word DaysInMonth(TDateTime ADate);

// Year 1..9999, Month 1..12, Day 1..days in the month. Raises EConvertError "Invalid argument to
// date encode".
TDateTime EncodeDate(Word Year, Word Month, Word Day);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
// Hour 0..23, Min 0..59, Sec 0..59, MSec 0..999. Raises EConvertError "Invalid argument to time
// encode".
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
bool DecodeDateFully(TDateTime Date, Word& Year, Word& Month, Word& Day, Word& DOW);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
void DecodeDateTime(TDateTime AValue, Word& Year, Word& Month, Word& Day, Word& Hour, Word& Min,
                    Word& Sec, Word& MSec);
TTimeStamp DateTimeToTimeStamp(TDateTime DateTime);
TDateTime TimeStampToDateTime(const TTimeStamp& TimeStamp);

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime DateTime);

TDateTime Now();
TDateTime Date();
TDateTime Time();
TDateTime GetTime();
// A clock for tests: while set, Now, Date and Time answer from it.
void SetNowProvider(std::function<TDateTime()> Provider);
// Milliseconds since the system started (GetTickCount); wraps around after about 49.7 days, so
// intervals are taken as unsigned differences.
Cardinal TickCount();
// A millisecond counter for tests: while set, TickCount answers from it.
void SetTickCountProvider(std::function<Cardinal()> Provider);

// Moves by whole months; a day past the end of the target month becomes its last day. The time of
// day is kept. Never raises: the result is clamped to years 1..9999.
TDateTime IncMonth(TDateTime DateTime, int NumberOfMonths = 1);
void IncAMonth(Word& Year, Word& Month, Word& Day, int NumberOfMonths = 1);
TDateTime ReplaceDate(TDateTime DateTime, TDateTime NewDate);
TDateTime ReplaceTime(TDateTime DateTime, TDateTime NewTime);

// Pattern letters (either case): c (short date, then the long time unless midnight), d dd ddd
// dddd ddddd (short date) dddddd (long date), m mm mmm mmmm (month; minutes when the last token
// was h or hh), yy yyyy, h hh (12-hour when an am/pm specifier follows), n nn, s ss, z zzz,
// t (short time), tt (long time), am/pm and a/p (the specifier's own letters), ampm (the settings'
// strings), "/" (date separator), ":" (time separator), '...' and "..." literals.
String FormatDateTime(const String& Format, TDateTime DateTime);
String FormatDateTime(const String& Format, TDateTime DateTime, const TFormatSettings& FS);
String DateToStr(TDateTime Date);
String DateToStr(TDateTime Date, const TFormatSettings& FS);
String TimeToStr(TDateTime Time);
String TimeToStr(TDateTime Time, const TFormatSettings& FS);
String DateTimeToStr(TDateTime DateTime);
String DateTimeToStr(TDateTime DateTime, const TFormatSettings& FS);

// Reading follows the order of d, m and y in ShortDateFormat and the date separator; one or two
// numbers take the current year / month; a two-digit year uses the century window. Times are
// h[:n[:s[.z]]] with an optional AM/PM marker. Failures raise EConvertError "'x' is not a valid
// date" / "time" / "date and time".
TDateTime StrToDate(const String& S);
TDateTime StrToDate(const String& S, const TFormatSettings& FS);
bool TryStrToDate(const String& S, TDateTime& Value);
bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& FS);
TDateTime StrToDateDef(const String& S, TDateTime Default);
TDateTime StrToTime(const String& S);
TDateTime StrToTime(const String& S, const TFormatSettings& FS);
bool TryStrToTime(const String& S, TDateTime& Value);
bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& FS);
TDateTime StrToTimeDef(const String& S, TDateTime Default);
TDateTime StrToDateTime(const String& S);
TDateTime StrToDateTime(const String& S, const TFormatSettings& FS);
bool TryStrToDateTime(const String& S, TDateTime& Value);
bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& FS);
TDateTime StrToDateTimeDef(const String& S, TDateTime Default);
// The try-form that answers 0 when the text is not a date and time.
TDateTime StrToDateTimeOrZero(const String& S);

// ---- Files ------------------------------------------------------------------------------------

constexpr Char PathDelim = L'\\';
constexpr Char DriveDelim = L':';
constexpr Char PathSep = L';';

bool FileExists(const String& FileName);       // a file, not a folder
bool DirectoryExists(const String& Directory);
bool CreateDir(const String& Dir);
bool RemoveDir(const String& Dir);
// Creates Dir and every missing parent; raises EInOutError for an empty name.
bool ForceDirectories(const String& Dir);
// "DeleteFile" is a macro of the platform's headers; this overload takes a String.
#ifndef DeleteFile
#define DeleteFile DeleteFileW
#endif
bool DeleteFile(const String& FileName);
bool RenameFile(const String& OldName, const String& NewName);
String GetCurrentDir();
bool SetCurrentDir(const String& Dir);
Int64 FileSizeOf(const String& FileName);   // -1 when absent

String ExtractFilePath(const String& FileName);   // with the trailing delimiter
String ExtractFileDir(const String& FileName);    // without it (but "C:\" stays)
String ExtractFileName(const String& FileName);
String ExtractFileExt(const String& FileName);    // with the dot; "" when none
String ExtractFileDrive(const String& FileName);
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
String ExcludeTrailingPathDelimiter(const String& S);
inline String IncludeTrailingBackslash(const String& S) { return IncludeTrailingPathDelimiter(S); }
inline String ExcludeTrailingBackslash(const String& S) { return ExcludeTrailingPathDelimiter(S); }
String ExpandFileName(const String& FileName);
String GetTempDirectory();   // with the trailing delimiter

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faNormal = 0x80;
constexpr int faAnyFile = 0x1FF;

struct TSearchRec {
    int Time = 0;                 // DOS packed date and time
    Int64 Size = 0;
    int Attr = 0;
    String Name;
    int ExcludeAttr = 0;
    void* FindHandle = nullptr;   // the platform's search handle
    TDateTime TimeStamp = 0;      // last write, local time
};
// Answers 0 and fills F with the first match, or the platform error code. Files with hidden,
// system or directory attributes are skipped unless Attr asks for them. A successful FindFirst is
// ended by FindClose.
int FindFirst(const String& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// ---- Process and system -----------------------------------------------------------------------

// True when this code runs inside a DLL rather than the program itself.
bool IsLibrary();

// The running system's version (read once through the kernel, which does not lie about it);
// the platform is 2 (NT) on every supported system.
int Win32Platform();
int Win32MajorVersion();
int Win32MinorVersion();
int Win32BuildNumber();
bool CheckWin32Version(int AMajor, int AMinor = 0);
// A seam for tests: while set, the Win32... functions answer these values.
void SetWin32VersionForTesting(int Platform, int Major, int Minor, int Build = 0);
void ClearWin32VersionForTesting();

// Pseudo-random numbers; the sequence is the same at every start until Randomize.
void Randomize();
void RandSeed(UInt64 Seed);
int Random(int Range);   // 0 .. Range - 1; 0 when Range <= 0
double Random();         // [0, 1)

// The platform's own (declared exactly as its headers do).
extern "C" __declspec(dllimport) void __stdcall Sleep(unsigned long dwMilliseconds);
extern "C" __declspec(dllimport) unsigned long __stdcall GetTickCount(void);
extern "C" __declspec(dllimport) unsigned long __stdcall GetLastError(void);

// The system's message for an error code, without the trailing line break.
String SysErrorMessage(Cardinal ErrorCode);
// Raises EOSError for GetLastError() (or the given code): "System Error.  Code: 5.\r\nAccess is
// denied".
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(Cardinal LastError);
void Win32Check(bool RetVal);
