// Floating-point text both ways, Format and FormatFloat.
#include "framework/SysUtils.h"

#include <cmath>
#include <limits>

namespace {

// Comma decimals and dot thousands, as the Danish locale has them, without asking the machine.
TFormatSettings CommaSettings()
{
    TFormatSettings F;
    F.DecimalSeparator = L',';
    F.ThousandSeparator = L'.';
    F.CurrencyString = L"kr.";
    F.CurrencyFormat = 2;     // "kr. 1"
    F.NegCurrFormat = 12;     // "kr. -1"
    return F;
}

class SysUtilsFloatText : public ::testing::Test {
protected:
    TFormatSettingsGuard Guard{TFormatSettings::Invariant()};
};

// ---- Reading ----------------------------------------------------------------------------------

struct ReadCase {
    const wchar_t* S;
    bool Ok;
    double Value;
};

TEST_F(SysUtilsFloatText, StrictReading)
{
    const ReadCase Cases[] = {
        {L"1.5", true, 1.5},     {L" 2.5 ", true, 2.5},    {L"-1e3", true, -1000},
        {L"+.5", true, 0.5},     {L"1.", true, 1},         {L"1E-2", true, 0.01},
        {L"007", true, 7},       {L"1e-400", true, 0},     {L"1,5", false, 0},
        {L"1,000", false, 0},    {L"abc", false, 0},       {L"", false, 0},
        {L".", false, 0},        {L"1e", false, 0},        {L"1e+", false, 0},
        {L"1e999", false, 0},    {L"1.2.3", false, 0},     {L"- 1", false, 0},
        {L"NAN", false, 0},      {L"INF", false, 0},       {L"0x10", false, 0},
    };
    for (const auto& C : Cases) {
        double V = -99;
        EXPECT_EQ(TryStrToFloat(C.S, V), C.Ok) << C.S;
        if (C.Ok) {
            EXPECT_DOUBLE_EQ(V, C.Value) << C.S;
        }
        EXPECT_DOUBLE_EQ(double(StrToFloatDef(C.S, -1)), C.Ok ? C.Value : -1) << C.S;
    }
}

TEST_F(SysUtilsFloatText, ReadingFollowsTheSettings)
{
    const TFormatSettings Comma = CommaSettings();
    EXPECT_DOUBLE_EQ(double(StrToFloat(L"1,5", Comma)), 1.5);
    EXPECT_THROW(StrToFloat(L"1.5", Comma), EConvertError);
    {
        TFormatSettingsGuard G(Comma);   // the process-wide settings are read at each call
        EXPECT_DOUBLE_EQ(double(StrToFloat(L"-0,25")), -0.25);
    }
    EXPECT_DOUBLE_EQ(double(StrToFloat(L"-0.25")), -0.25);
    try {
        StrToFloat(L"12abc");
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, L"'12abc' is not a valid floating point value");
    }
}

struct ValFloatCase {
    const wchar_t* S;
    double Value;
    int Code;
};

TEST_F(SysUtilsFloatText, ValFloatGivesTheLeadingNumberAndTheErrorPosition)
{
    const ValFloatCase Cases[] = {
        {L"12.5", 12.5, 0},  {L"12.5abc", 12.5, 5}, {L"abc", 0, 1},     {L"", 0, 1},
        {L"  7", 7, 0},      {L"-", 0, 2},          {L"1e+", 1, 4},     {L"1x", 1, 2},
        {L"1,5", 1, 2},      {L"-2.5e1kr", -25, 7}, {L".5", 0.5, 0},    {L"7 ", 7, 2},
    };
    for (const auto& C : Cases) {
        int Code = -7;
        EXPECT_DOUBLE_EQ(ValFloat(C.S, Code), C.Value) << C.S;
        EXPECT_EQ(Code, C.Code) << C.S;
    }
    int Code;
    EXPECT_DOUBLE_EQ(ValFloat(L"1,5", Code, L','), 1.5);
    EXPECT_EQ(Code, 0);
}

TEST_F(SysUtilsFloatText, LongNumbersReadAsTheirWholeValue)
{
    // Past the digits the scanner hands on whole, the ones left out still count: a number a hair
    // above the half-way point between two doubles rounds up, one on it rounds to even.
    const String Zeros(900, L'0');
    EXPECT_EQ(StrToFloat(L"9007199254740993"), 9007199254740992.0L);
    EXPECT_EQ(StrToFloat(L"9007199254740993" + Zeros + L"1e-901"), 9007199254740994.0L);
    EXPECT_EQ(StrToFloat(L"1" + Zeros + L"e-900"), 1.0L);
    EXPECT_EQ(StrToFloat(L"0." + Zeros + L"1e901"), 1.0L);
    EXPECT_EQ(StrToFloat(L"0.1" + Zeros + L"1"), StrToFloat(L"0.1"));
    EXPECT_THROW(StrToFloat(L"1" + Zeros + L"e-400"), EConvertError);   // 1e500
}

// The scanner under every number reader: digit runs with a limit, and decimal numbers read in
// place with each reader's separator and ignored character.
TEST(SysUtilsNumberScan, DigitRunsStopAtTheLimit)
{
    const TDigitRun R = ScanDigits(L"x4294967296", 1, 10, 0xFFFFFFFFu);
    EXPECT_TRUE(R.Overflow);
    EXPECT_EQ(R.Value, 429496729u);
    EXPECT_EQ(R.End, 10u);
    EXPECT_EQ(R.Count, 9u);
    const TDigitRun H = ScanDigits(L"fF9g", 0, 16);
    EXPECT_FALSE(H.Overflow);
    EXPECT_EQ(H.Value, 0xFF9u);
    EXPECT_EQ(H.End, 3u);
    EXPECT_EQ(ScanDigits(L"", 0, 10).Count, 0u);
    const TIntPrefix P = ScanIntPrefix(L"-0x1", 0);
    EXPECT_TRUE(P.Negative && P.Hex);
    EXPECT_EQ(P.End, 3u);
    EXPECT_FALSE(ScanIntPrefix(L"x1", 0).Hex);
    EXPECT_TRUE(ScanIntPrefix(L"x1", 0, true).Hex);
}

TEST(SysUtilsNumberScan, DecimalNumbersInPlace)
{
    TFloatSyntax Filter;   // the filter's reading under Danish settings
    Filter.DecimalSeparator = L',';
    Filter.PointToo = true;
    Filter.HasIgnored = true;
    Filter.Ignored = L'.';
    const struct {
        const wchar_t* S;
        TFloatSyntax Syntax;
        size_t End, Stop;
        TScanRange Range;
        double Value;
    } Cases[] = {
        {L"-1.234,5e1x", Filter, 10, 10, TScanRange::Inside, -12345},
        {L"1.5", TFloatSyntax(), 3, 3, TScanRange::Inside, 1.5},
        {L"1e+", TFloatSyntax(), 1, 3, TScanRange::Inside, 1},
        {L"12345678901234567890123", TFloatSyntax(), 23, 23, TScanRange::Inside,
         12345678901234567890123.0},
        {L"0.000000000000000000000000001", TFloatSyntax(), 29, 29, TScanRange::Inside, 1e-27},
        {L"-1e400", TFloatSyntax(), 6, 6, TScanRange::Overflow, -HUGE_VAL},
        {L"0.001e-400", TFloatSyntax(), 10, 10, TScanRange::Underflow, 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(Utf16ToUtf8(C.S));
        const TFloatScan N = ScanFloat(C.S, 0, C.Syntax);
        ASSERT_TRUE(N.Found());
        EXPECT_EQ(N.End, C.End);
        EXPECT_EQ(N.Stop, C.Stop);
        double V = -7;
        EXPECT_EQ(ScannedValue(C.S, N, C.Syntax, V), C.Range);
        EXPECT_EQ(V, C.Value);
    }
    EXPECT_FALSE(ScanFloat(L"-.e1", 0).Found());
    EXPECT_EQ(ScanFloat(L"-.e1", 0).Stop, 2u);
}

// ---- FloatToStr and FloatToStrF ---------------------------------------------------------------

struct GeneralCase {
    double Value;
    const wchar_t* Expected;
};

TEST_F(SysUtilsFloatText, FloatToStrIsTheShortestGeneralForm)
{
    const double Inf = std::numeric_limits<double>::infinity();
    const GeneralCase Cases[] = {
        {0, L"0"},
        {-0.0, L"0"},
        {0.1, L"0.1"},
        {0.1 + 0.2, L"0.3"},
        {1.0 / 3, L"0.333333333333333"},
        {2.0 / 3, L"0.666666666666667"},
        {-1.5, L"-1.5"},
        {100, L"100"},
        {123456789012345.0, L"123456789012345"},
        {1e15, L"1E15"},
        {1234567890123456.0, L"1.23456789012346E15"},
        {0.0001, L"0.0001"},
        {0.00001, L"1E-5"},
        {-2.5e-7, L"-2.5E-7"},
        {1e100, L"1E100"},
        {0.9999999999999999, L"1"},      // rounding carries into a new digit
        {Inf, L"INF"},
        {-Inf, L"-INF"},
        {std::nan(""), L"NAN"},
    };
    for (const auto& C : Cases) EXPECT_EQ(FloatToStr(C.Value), C.Expected) << C.Value;
    EXPECT_EQ(FloatToStr(-1.5, CommaSettings()), L"-1,5");
}

struct FloatFCase {
    double Value;
    TFloatFormat Format;
    int Precision, Digits;
    const wchar_t* Expected;
};

TEST_F(SysUtilsFloatText, FloatToStrFFormats)
{
    const FloatFCase Cases[] = {
        {1234.5678, ffFixed, 15, 2, L"1234.57"},
        {1234.5678, ffNumber, 15, 2, L"1,234.57"},
        {1234567.5, ffNumber, 15, 0, L"1,234,568"},
        {0.125, ffFixed, 15, 2, L"0.13"},     // an exact half goes away from zero
        {-0.125, ffFixed, 15, 2, L"-0.13"},
        {2.5, ffFixed, 15, 0, L"3"},
        {-0.001, ffFixed, 15, 2, L"0.00"},    // no "-0.00"
        {999.999, ffFixed, 15, 2, L"1000.00"},
        {1234.5678, ffExponent, 4, 2, L"1.235E+03"},
        {-0.00012, ffExponent, 3, 0, L"-1.20E-4"},
        {0, ffExponent, 3, 2, L"0.00E+00"},
        {1234.5678, ffGeneral, 4, 0, L"1235"},
        {1234.5678, ffGeneral, 3, 0, L"1.23E3"},
        {-1234.5, ffCurrency, 15, 2, L"($1,234.50)"},
        {1234.5, ffCurrency, 15, 2, L"$1,234.50"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(FloatToStrF(C.Value, C.Format, C.Precision, C.Digits), C.Expected) << C.Value;

    const TFormatSettings Comma = CommaSettings();
    EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2, Comma), L"kr. -1.234,50");
    EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 1, Comma), L"1.234,5");
    EXPECT_EQ(CurrToStr(12345), L"1.2345");
    EXPECT_EQ(CurrToStrF(-15000, ffFixed, 2), L"-1.50");
}

TEST_F(SysUtilsFloatText, FloatToDecimalDigits)
{
    TFloatRec R;
    FloatToDecimal(R, 1234.5, 15, 9999);
    EXPECT_STREQ(R.Digits, "12345");
    EXPECT_EQ(R.Exponent, 4);
    EXPECT_FALSE(R.Negative);
    FloatToDecimal(R, -0.00995, 15, 2);
    EXPECT_STREQ(R.Digits, "1");
    EXPECT_EQ(R.Exponent, -1);
    EXPECT_TRUE(R.Negative);
    FloatToDecimal(R, 0, 15, 2);
    EXPECT_STREQ(R.Digits, "");
    // A double carries its binary error into 17 digits; an extended 0.1 is 0.1 to 18 digits.
    FloatToDecimal(R, 0.1, 18, 9999);
    EXPECT_STREQ(R.Digits, "10000000000000001");
    FloatToDecimal(R, 0.1L, 18, 9999);
    EXPECT_STREQ(R.Digits, "1");
    EXPECT_EQ(FloatToStr(1.0L + 1e-18L), L"1");
}

// ---- FormatFloat ------------------------------------------------------------------------------

struct PatternCase {
    const wchar_t* Pattern;
    double Value;
    const wchar_t* Expected;
};

class FormatFloatPatterns : public ::testing::TestWithParam<PatternCase> {
protected:
    TFormatSettingsGuard Guard{TFormatSettings::Invariant()};
};

TEST_P(FormatFloatPatterns, Formats)
{
    EXPECT_EQ(FormatFloat(GetParam().Pattern, GetParam().Value), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(SysUtils, FormatFloatPatterns, ::testing::Values(
    PatternCase{L"0.00", 3.14159, L"3.14"},
    PatternCase{L"#,##0.00", 1234567.891, L"1,234,567.89"},
    PatternCase{L"#,##0", -1234, L"-1,234"},
    PatternCase{L"#,##0", 12, L"12"},
    PatternCase{L"#.##", 0.5, L".5"},
    PatternCase{L"0.##", 1, L"1"},
    PatternCase{L"0.0#", 1.5, L"1.5"},
    PatternCase{L"0.0#", 1.567, L"1.57"},
    PatternCase{L"000", 7, L"007"},
    PatternCase{L"0", 0.5, L"1"},
    PatternCase{L"0", -0.4, L"0"},
    PatternCase{L"0.00", 0.125, L"0.13"},
    PatternCase{L"#", 0, L""},
    PatternCase{L"00-00", 1234, L"12-34"},
    PatternCase{L"0", 123456, L"123456"},
    PatternCase{L"0.00;(0.00)", -1.5, L"(1.50)"},
    PatternCase{L"0.00;(0.00)", 1.5, L"1.50"},
    PatternCase{L"0.00;(0.00);\"zero\"", 0, L"zero"},
    PatternCase{L"0.0;-0.0;\"nil\"", 0.01, L"nil"},      // rounds to zero: the zero section
    PatternCase{L"0.00;;\"zero\"", -1.5, L"-1.50"},       // empty negative section: the first
    PatternCase{L"0.00E+00", 1234.5, L"1.23E+03"},
    PatternCase{L"0.00E-00", 0.00012345, L"1.23E-04"},
    PatternCase{L"0.00E-00", 1234.5, L"1.23E03"},
    PatternCase{L"00.0E+0", 1234.5, L"12.3E+2"},
    PatternCase{L"0.0E+00", 0, L"0.0E+00"},
    PatternCase{L"\"Total: \"0", 5, L"Total: 5"},
    PatternCase{L"'#'0 kr", 5, L"#5 kr"},
    PatternCase{L"0%", 50, L"50%"},
    PatternCase{L"", 1.5, L"1.5"}));

TEST_F(SysUtilsFloatText, FormatFloatUsesTheSettingsSeparators)
{
    EXPECT_EQ(FormatFloat(L"#,##0.00", 1234.5, CommaSettings()), L"1.234,50");
    EXPECT_EQ(FormatFloat(L"0.00", std::nan(""), CommaSettings()), L"NAN");
}

// ---- Format -----------------------------------------------------------------------------------

struct FormatCase {
    const wchar_t* Fmt;
    const wchar_t* Expected;
};

TEST_F(SysUtilsFloatText, FormatIntegersAndStrings)
{
    const String Name = L"Nord";
    EXPECT_EQ(Format(L"%d", {42}), L"42");
    EXPECT_EQ(Format(L"(%d of %d)", {3, 10}), L"(3 of 10)");
    EXPECT_EQ(Format(L"[%5d]", {42}), L"[   42]");
    EXPECT_EQ(Format(L"[%-5d]", {42}), L"[42   ]");
    EXPECT_EQ(Format(L"%.4d|%.4d", {42, -42}), L"0042|-0042");
    EXPECT_EQ(Format(L"%.8d", {Int64(123)}), L"00000123");
    EXPECT_EQ(Format(L"%d", {Int64(-9000000000LL)}), L"-9000000000");
    EXPECT_EQ(Format(L"%u", {-1}), L"4294967295");
    EXPECT_EQ(Format(L"%x|%.4X|%x", {255, 255, -1}), L"FF|00FF|FFFFFFFF");
    EXPECT_EQ(Format(L"%s-%s-%s", {Name, L"Syd", L'Ø'}), L"Nord-Syd-Ø");
    EXPECT_EQ(Format(L"[%6.2s]", {Name}), L"[    No]");
    EXPECT_EQ(Format(L"%1:s %0:s %s", {L"a", L"b"}), L"b a b");
    EXPECT_EQ(Format(L"%*d|%-*d|", {4, 7, 3, 8}), L"   7|8  |");
    EXPECT_EQ(Format(L"100%%", {}), L"100%");
    EXPECT_EQ(Format(L"%p", {nullptr}), String(sizeof(void*) * 2, L'0'));
    EXPECT_EQ(Format(L"%d", {size_t(7)}), L"7");
}

TEST_F(SysUtilsFloatText, FormatFloats)
{
    EXPECT_EQ(Format(L"%f", {1.5}), L"1.50");
    EXPECT_EQ(Format(L"%.2f", {3.14159}), L"3.14");
    EXPECT_EQ(Format(L"%.0f", {2.5}), L"3");
    EXPECT_EQ(Format(L"%.*f", {1, 0.25}), L"0.3");
    EXPECT_EQ(Format(L"%n", {1234567.891}), L"1,234,567.89");
    EXPECT_EQ(Format(L"%.0n", {1234.5}), L"1,235");
    EXPECT_EQ(Format(L"%e", {1.0}), L"1.00000000000000E+000");
    EXPECT_EQ(Format(L"%.3e", {-1234.5}), L"-1.23E+003");
    EXPECT_EQ(Format(L"%g|%g", {0.1, 1e20}), L"0.1|1E20");
    EXPECT_EQ(Format(L"%m", {1.5}), L"$1.50");
    EXPECT_EQ(Format(L"%m", {TVarRec::FromCurrency(-12345)}), L"($1.23)");
    EXPECT_EQ(Format(L"[%8.2f]", {-1.5}), L"[   -1.50]");
    EXPECT_EQ(Format(L"%.2f %n", {1234.5, 1234.5}, CommaSettings()), L"1234,50 1.234,50");
}

TEST_F(SysUtilsFloatText, FormatRaisesWhenArgumentsDoNotFit)
{
    const FormatCase Bad[] = {
        {L"%d", L"string for %d"}, {L"%f", L"integer for %f"}, {L"%d %d", L"one argument"},
        {L"%k", L"bad type"},      {L"50%", L"% at the end"},  {L"%s", L"integer for %s"},
        {L"%.2", L"no type"},      {L"%2:d", L"index past the end"},
    };
    auto Call = [](const wchar_t* Fmt) {
        String F = Fmt;
        if (F == L"%d") return Format(F, {L"x"});
        if (F == L"%f" || F == L"%s") return Format(F, {1});
        return Format(F, {1});
    };
    for (const auto& C : Bad) EXPECT_THROW(Call(C.Fmt), EConvertError) << C.Expected;
    try {
        Format(L"%d", {1.5});
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, L"Format '%d' invalid or incompatible with argument");
    }
    EXPECT_THROW(Format(L"%*d", {L"x", 1}), EConvertError);
    EXPECT_THROW(Format(L"%999999999d", {1}), EConvertError);
}

}  // namespace
