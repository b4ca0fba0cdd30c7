// The spreadsheet number-format engine: sections, conditions, colours, elapsed time, dates,
// text, variant kinds, and hostile formats.
#include "graphics/jyrxlsfmt.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <random>

using namespace jyrxlsfmt;

namespace {

const String Hashes = L"###################";

// Numbers with "." and ","; dates with "/" and ":"; the default-locale record likewise.
class XlsFormat_ : public ::testing::Test {
protected:
    void SetUp() override
    {
        FormatSettings = TFormatSettings::Invariant();
        SavedDefault = GetDefaultLocaleFormatSettings();
        GetDefaultLocaleFormatSettings() = TFormatSettings::Invariant();
        GetDefaultLocaleFormatSettings().LongDateFormat = L"d mmmm yyyy";
        GetDefaultLocaleFormatSettings().LongTimeFormat = L"hh:nn:ss";
    }
    void TearDown() override { GetDefaultLocaleFormatSettings() = SavedDefault; }

    static String F(const Variant& V, const String& Fmt) { return XlsFormat(V, Fmt); }

    TFormatSettingsGuard Guard;
    TFormatSettings SavedDefault;
};

struct FormatCase {
    const wchar_t* Format;
    double Value;
    const wchar_t* Expected;
};

}  // namespace

TEST_F(XlsFormat_, SectionsAndPlaceholders)
{
    const FormatCase Cases[] = {
        {L"0.00", 1234.567, L"1234.57"},
        {L"#,##0", 1234567, L"1,234,567"},
        {L"0%", 0.5, L"50%"},
        {L"0;-0", -5, L"-5"},
        {L"0", -5, L"-5"},
        {L"0;(0);$", 5, L"5"},
        {L"0;(0);$", -5, L"(5)"},
        {L"0;(0);$", 0, L"$"},
        {L"[>100]0;$", 150, L"150"},
        {L"[>100]0;$", 50, L"$"},
        {L"[>100]0;$", -5, L"$"},
        {L"[<0]\"neg\";0", -3, L"neg"},
        {L"[=1]0;[=2]0", 3, Hashes.c_str()},
        {L"0;0;0;0;0", -7, L"7"},
        {L"\"Total: \"0.0", 2.25, L"Total: 2.3"},
        {L"0.0 \\k\\g", 2, L"2.0 kg"},
        {L"_(0_)", 4, L" 4 "},
        {L"???.??", 1.5, L"1.5"},
        {L"General", 2.5, L"2.5"},
        {L"general", -2.5, L"-2.5"},
        {L"[Blue]General", 7, L"7"},
        {L"[$$-409]#,##0.00", 1234.5, L"$1,234.50"},
        {L"[$€]0", 3, L"€3"},
    };
    for (const auto& c : Cases) EXPECT_EQ(F(c.Value, c.Format), c.Expected) << Utf16ToUtf8(c.Format);
}

TEST_F(XlsFormat_, ColoursAreNamedCaseSensitivelyAtTheStart)
{
    Integer Color = 0x123456;
    EXPECT_EQ(XlsFormatValue1904(5.0, L"[Red]0", false, Color), L"5");
    EXPECT_EQ(Color, 0x0000FF);
    Color = 0x123456;
    EXPECT_EQ(XlsFormatValue1904(5.0, L"[red]0", false, Color), L"5");
    EXPECT_EQ(Color, 0x123456);
    EXPECT_EQ(XlsFormatValue1904(-5.0, L"0;[Green]0", false, Color), L"5");
    EXPECT_EQ(Color, 0x008000);
    // A text takes the colour of a colour-only or General section.
    Color = 0;
    EXPECT_EQ(XlsFormatValue1904(L"abc", L"[Magenta]General", false, Color), L"abc");
    EXPECT_EQ(Color, 0xFF00FF);
    Color = 0;
    EXPECT_EQ(XlsFormatValue1904(L"abc", L"[Cyan]0.0", false, Color), L"abc");
    EXPECT_EQ(Color, 0);
}

TEST_F(XlsFormat_, ElapsedTimeAndDates)
{
    const FormatCase Cases[] = {
        {L"[h]:mm", 1.5, L"36:00"},
        {L"[mm]", 0.5, L"720"},
        {L"[ss]", -0.00001, L"00"},
        {L"[hhh]", 0.25, L"006"},
        {L"dd/mm/yyyy", 44000, L"18/06/2020"},
        {L"h:mm", 0.75, L"18:00"},
        {L"h mm", 44000.75, L"18 06"},
        {L"yyyy-mm-dd hh:mm:ss", 44000.5, L"2020-06-18 12:00:00"},
        {L"h:mm AM/PM", 0.75, L"18:00 PM"},
        {L"d\\.m", 44000, L"18.6"},
    };
    for (const auto& c : Cases) EXPECT_EQ(F(c.Value, c.Format), c.Expected) << Utf16ToUtf8(c.Format);

    Integer Color = 0;
    EXPECT_EQ(XlsFormatValue1904(44000.0, L"dd/mm/yyyy", true, Color), L"19/06/2024");

    bool HasDate = false, HasTime = false;
    XlsFormatValueEx(1.5, L"[h]:mm", false, Color, HasDate, HasTime);
    EXPECT_FALSE(HasDate);
    EXPECT_TRUE(HasTime);
    XlsFormatValueEx(44000.0, L"dd/mm", false, Color, HasDate, HasTime);
    EXPECT_TRUE(HasDate);
    EXPECT_FALSE(HasTime);
    XlsFormatValueEx(5.0, L"0.00", false, Color, HasDate, HasTime);
    EXPECT_FALSE(HasDate || HasTime);

    EXPECT_EQ(XlsFormatValueEx(44000.0, L"[$-F800]", false, Color, HasDate, HasTime), L"18 June 2020");
    EXPECT_TRUE(HasDate);
    TFormatSettings Given = TFormatSettings::Invariant();
    Given.LongTimeFormat = L"h.nn";
    EXPECT_EQ(XlsFormatValueEx(0.5, L"[$-f400]", false, Color, HasDate, HasTime, &Given), L"12.00");
    EXPECT_TRUE(HasTime);
    // A locale code in the section chooses the names of the date letters.
    EXPECT_EQ(F(44000.0, L"[$-409]mmmm"), L"June");
}

TEST_F(XlsFormat_, VariantKinds)
{
    const Variant Date(VarDateTag, 44000.0);
    const Variant NegDate(VarDateTag, -1.0);
    EXPECT_EQ(F(Date, L"dd/mm/yyyy"), L"18/06/2020");
    EXPECT_EQ(F(NegDate, L"0.0"), Hashes);
    EXPECT_EQ(F(-1.0, L"0.0"), L"-1.0");
    EXPECT_EQ(F(true, L"0.00"), L"TRUE");
    EXPECT_EQ(F(false, L"anything"), L"FALSE");
    EXPECT_EQ(F(Variant(L"abc"), L"(@)"), L"(abc)");
    EXPECT_EQ(F(Variant(L"abc"), L"0;0;0;(@)"), L"(abc)");
    EXPECT_EQ(F(Variant(L"abc"), L"0.00"), L"abc");
    EXPECT_EQ(F(Variant(L"abc"), L"\"x\"@\"y\""), L"xabcy");
    EXPECT_EQ(F(Variant(), L"0"), L"");
    EXPECT_EQ(F(Null(), L"0"), L"");
    EXPECT_EQ(F(2.5, L""), L"2.5");
    // Every integer kind takes the format, the unsigned ones included.
    const Variant Ints[] = {Variant(short(7)),         Variant(int(7)),
                            Variant(7LL),              Variant((unsigned char)7),
                            Variant((unsigned short)7), Variant((signed char)7),
                            Variant(7U),               Variant(7ULL),
                            Variant(7.0f),             Variant(VarCurrencyTag, Currency(70000))};
    for (const Variant& V : Ints) EXPECT_EQ(F(V, L"0.00"), L"7.00") << VarType(V);
}

TEST(XlsFindFrom, CountsFromTheStart)
{
    EXPECT_EQ(FindFrom(L'c', L"abcabc", 1), 3);
    EXPECT_EQ(FindFrom(L'c', L"abcabc", 3), 1);
    EXPECT_EQ(FindFrom(L'c', L"abcabc", 4), 3);
    EXPECT_EQ(FindFrom(L'x', L"abc", 1), 0);
    EXPECT_EQ(FindFrom(L'a', L"abc", 0), 0);
    EXPECT_EQ(FindFrom(L'a', L"abc", 9), 0);
    const TResultCondition r = GetResultCondition(true, false, true, false);
    EXPECT_TRUE(r.SupressNeg && !r.SupressNegComp && r.Complement && !r.Assigned);
}

// Formats typed by users and values of every kind give text, never a crash or a hang.
TEST_F(XlsFormat_, HostileFormatsAndValues)
{
    const std::pair<const wchar_t*, const wchar_t*> Formats[] = {
        {L"[", L"5"},          {L"[[", L"5"},         {L"]", L"5"},        {L"\"", L""},
        {L"\\", L""},          {L"[$", L"5"},         {L"[$-", L"5"},        {L"[$-ZZZZ]0", L"5"},
        {L"[h", L"5"},         {L"[>", L"5"},         {L"[>abc]0", L"5"},  {L"0;;", L"5"},
        {L";;;", L""},         {L"@@@", L"5"},        {L"*", L""},          {L"_", L" "},
        {L"[=abc]0", L"5"},   {L"[]", L""},         {L"[$-FFFFFFFFF]0", L"5"},
        {L"[Red", L"5"},       {L"\"abc", L"abc"},    {L"d\\", L""},       {L"[s]", L"432000"},
    };
    for (const auto& [Fmt, Expected] : Formats)
        EXPECT_EQ(F(5.0, Fmt), Expected) << Utf16ToUtf8(Fmt);

    const String LongFormats[] = {String(100000, L'0'), String(100000, L'#') + L".##",
                                  L"[" + String(5000, L'h') + L"]", String(50000, L';'),
                                  String(50000, L'['), String(20000, L'd'), String(20000, L'"'),
                                  L"[=1e999]0", L"E", L"0.0E+", L"#,##0.00;[Red]-#,##0.00"};
    for (const String& Fmt : LongFormats) EXPECT_NO_THROW(F(123.25, Fmt));

    const double Specials[] = {std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(), 1e308, -1e308, -0.0, 5e-324};
    for (double d : Specials)
        for (const wchar_t* Fmt : {L"0.00", L"[h]:mm", L"dd/mm/yyyy", L"#,##0;(#,##0)", L"0%", L"0.0E+00"})
            EXPECT_NO_THROW(F(d, Fmt));

    const Variant Odd[] = {VarAsError(5), VarArrayOf({1, 2}), Variant(static_cast<IUnknown*>(nullptr)),
                           Variant(L"")};
    for (const Variant& V : Odd) EXPECT_NO_THROW(F(V, L"0.00;@"));
}

// A few hundred thousand random formats and values from the language's own characters.
TEST_F(XlsFormat_, RandomInputsAlwaysGiveText)
{
    const wchar_t Alphabet[] = L"0#?.,;%E+-e\"\\_*@[]$hmsdyHMSD/: <>=Red1AP";
    std::mt19937 Rng(20261210);
    std::uniform_int_distribution<int> Pick(0, int(std::size(Alphabet)) - 2);
    std::uniform_int_distribution<int> Len(0, 12);
    std::uniform_real_distribution<double> Num(-100000, 100000);
    const auto Start = std::chrono::steady_clock::now();
    Integer Color = 0;
    bool HasDate, HasTime;
    int Runs = 0;
    size_t Chars = 0;
    for (; Runs < 200000; ++Runs) {
        String Fmt(size_t(Len(Rng)), L' ');
        for (Char& c : Fmt) c = Alphabet[Pick(Rng)];
        Variant V;
        switch (Runs % 4) {
        case 0: V = Num(Rng); break;
        case 1: V = Variant(VarDateTag, Num(Rng)); break;
        case 2: V = int(Num(Rng)); break;
        default: V = Variant(L"t"); break;
        }
        Chars += XlsFormatValueEx(V, Fmt, (Runs & 8) != 0, Color, HasDate, HasTime).size();
        if ((Runs & 1023) == 0 && std::chrono::steady_clock::now() - Start > std::chrono::seconds(20))
            break;
    }
    EXPECT_GT(Chars, 0u);
    EXPECT_EQ(Runs, 200000) << "the run took too long";
}
