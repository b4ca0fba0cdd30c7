// QorUtil text routines: splitting, CSV, line-break codings, packing, separators, HTML, names,
// accents; recognition of text types, numbers, dates and times.
#include "graphics/QorUtilText.h"

#include <gtest/gtest.h>

using namespace QorUtil;

namespace {

const String Q = L"\"";
const String CRLF = L"\r\n";

// The locale the examples assume: "." decimals, "," thousands, "/" dates, ":" times.
class QorUtilLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        TFormatSettings fs = TFormatSettings::Invariant();
        fs.ShortDateFormat = L"d/M/yyyy";
        FormatSettings = fs;
    }
    TFormatSettingsGuard Guard;
};

}  // namespace

// ---- Search, split, tokens ---------------------------------------------------------------------

TEST(QorUtilSearch, PositionsAreOneBased)
{
    int r = -1;
    EXPECT_EQ(VarPos(L"cd", L"abcd", r), 3);
    EXPECT_EQ(r, 3);
    EXPECT_EQ(VarPos(L"x", L"abcd", r), 0);
    EXPECT_EQ(r, 0);
    r = 7;
    EXPECT_EQ(VarCharPos(L'x', L"abc", r), 0);
    EXPECT_EQ(r, 7) << "Res is written only when found";
    EXPECT_EQ(CharPos(L'c', L"abc"), 3);
    EXPECT_EQ(FIPos(L"ØS", L"bøs"), 2);
    EXPECT_EQ(StrPosWide(L"", L"abc"), 0);
}

TEST(QorUtilSearch, SplitKeepsEmptyPiecesAndTheRest)
{
    std::unique_ptr<TStringList> sl(Create<TStringList>());
    sl->Add(L"kept");
    SplitString(L",", L"a,,b,", sl.get());
    ASSERT_EQ(sl->Count(), 5);
    EXPECT_EQ(sl->Get(1), L"a");
    EXPECT_EQ(sl->Get(2), L"");
    EXPECT_EQ(sl->Get(3), L"b");
    EXPECT_EQ(sl->Get(4), L"");
    EXPECT_EQ(StringListToText(sl.get()), L"keptab");
}

TEST(QorUtilSearch, GetTokenReturnsEveryFieldIncludingTheLast)
{
    String s = L"a;b;;c";
    std::vector<String> Tokens;
    for (int Guard = 0; !s.empty() && Guard < 10; ++Guard) Tokens.push_back(GetToken(s, L";"));
    EXPECT_EQ(Tokens, (std::vector<String>{L"a", L"b", L"", L"c"}));
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(GetToken(s, L";"), L"");
}

TEST(QorUtilSearch, QuotesUrlsAndCellNames)
{
    EXPECT_EQ(GetUnquotedStr(Q + Q), Q + Q);
    EXPECT_EQ(GetUnquotedStr(Q + L"ab" + Q), L"ab");
    EXPECT_TRUE(IsURL(L"x://y"));
    EXPECT_TRUE(IsURL(L"mailto:a"));
    EXPECT_FALSE(IsURL(L"MAILTO:a"));
    String u = L"ab://cd";
    StripURLProtocol(u);
    EXPECT_EQ(u, L"cd");
    u = L"xmailto:yz";
    StripURLProtocol(u);
    EXPECT_EQ(u, L"yz");

    TPoint cell(-1, -1);
    EXPECT_TRUE(NameToCell(L"r12c3", cell));
    EXPECT_EQ(cell, TPoint(3, 12));
    for (const wchar_t* Bad : {L"R1C", L"RxC2", L"C1R2", L"R1X2", L"R1C2C", L""}) {
        cell = TPoint(-1, -1);
        EXPECT_FALSE(NameToCell(Bad, cell)) << Utf16ToUtf8(Bad);
        EXPECT_EQ(cell, TPoint(-1, -1));
    }
}

// ---- CSV ---------------------------------------------------------------------------------------

TEST(QorUtilCSV, QuotingAndCounting)
{
    EXPECT_EQ(CSVQuotes(L"a" + Q + L"b"), L"a" + Q + Q + L"b");
    EXPECT_EQ(DoubleToSingleChar(L'"', L"a" + Q + Q + L"b"), L"a" + Q + L"b");
    EXPECT_EQ(DoubleToSingleChar(L'"', L"a" + Q + Q + Q + L"b"), L"a" + Q + Q + L"b");

    int sp = -1;
    EXPECT_EQ(SinglePos(L'"', L"ab" + Q + Q + L",c" + Q + L"x", sp), 7);
    EXPECT_EQ(sp, 7);
    EXPECT_EQ(SinglePos(L'"', L"ab" + Q + Q, sp), 4);
    EXPECT_EQ(SinglePos(L'"', L"abc", sp), 0);
    EXPECT_EQ(SinglePos(L'"', L"", sp), 0);

    EXPECT_EQ(NumDelim(L',', L"a," + Q + L"b,c" + Q + L",d"), 2);
    EXPECT_EQ(NumDelim(L',', L"a," + Q + L"b,c" + Q + L",d," + Q + L"e,f"), 5);
    EXPECT_EQ(NumDelim(L',', L"a,'b,c',d"), 2);
    EXPECT_EQ(NumChar(L'a', L"banana"), 3);
    EXPECT_EQ(NumCharDel(L'a', L'n', L"banana"), 3);
}

TEST(QorUtilCSV, LineBreakCodingsRoundTrip)
{
    const String VT(1, Char(11));
    String s = L"a" + CRLF + L"b";
    LineFeedsToCSV(s);
    EXPECT_EQ(s, Q + L"a" + VT + L"b" + Q);
    s = L"a" + VT + L"b";
    CSVToLineFeeds(s);
    EXPECT_EQ(s, L"a" + CRLF + L"b");
    s = L"a" + CRLF + L"b";
    LineFeedsToCSVNQ(s);
    EXPECT_EQ(s, L"a\nb");

    s = L"a" + CRLF + L"b";
    LineFeedsToJava(s);
    EXPECT_EQ(s, L"a~b");
    JavaToLineFeeds(s);
    EXPECT_EQ(s, L"a" + CRLF + L"b");
    s = L"^";
    JavaToLineFeeds(s);
    EXPECT_EQ(s, L"");

    EXPECT_EQ(LineFeedsToXLS(L"a\r\nb"), L"a\nb");
    EXPECT_EQ(CRToLF(L"a\r\nb"), L"a\n\nb");
    EXPECT_EQ(LFToCLF(L"a\r\nb"), L"a\\nb");
    EXPECT_EQ(CLFToLF(L"a\\nb"), L"a\rb");
    EXPECT_EQ(HTMLLineBreaks(L"a\r\nb"), L"a<br>\nb");

    const String WithNul = String(L"a\r\nb") + Char(0) + L"c";
    const String Stored = LfToFile(WithNul);
    EXPECT_EQ(Stored.find_first_of(String(L"\r\n") + Char(0)), String::npos);
    EXPECT_EQ(FileToLf(Stored, true), WithNul);
    EXPECT_EQ(FileToLf(Stored, false), L"a");
    EXPECT_EQ(LfToFile(L"a\tb"), L"a\tb") << "texts without CR pass unchanged";
}

TEST(QorUtilLines, NextLineCountAndLongest)
{
    String s = L"a" + CRLF + L"b";
    EXPECT_EQ(GetNextLine(s, true), L"a");
    EXPECT_EQ(s, L"b");
    s = L"a" + CRLF + L"b";
    EXPECT_EQ(GetNextLine(s, false), L"a");
    EXPECT_EQ(s, L"");

    EXPECT_EQ(LinesInText(L"a" + CRLF + L"b" + CRLF, true), 2);
    EXPECT_EQ(LinesInText(L"a" + CRLF + L"b" + CRLF, false), 1);
    EXPECT_EQ(LinesInText(L"", true), 1);
    EXPECT_EQ(LinesInText(L"a\rb", true), 2) << "a lone CR breaks a line as GetNextLine reads it";

    auto Len = [](const String& l) { return int(l.size()); };
    EXPECT_EQ(GetLongestLineBy(L"a" + CRLF + CRLF + L"bbbb", Len), L"bbbb");
    EXPECT_EQ(GetLongestLineBy(L"ab" + CRLF + L"cd", Len), L"ab");
    struct FakeCanvas {
        int TextWidth(const String& l) const { return l == L"wide" ? 100 : int(l.size()); }
    } Canvas;
    EXPECT_EQ(GetLongestLine(&Canvas, L"longer" + CRLF + L"wide"), L"wide");
}

// ---- Packing, separators -----------------------------------------------------------------------

TEST(QorUtilPacking, WideTextRoundTrips)
{
    const String Packed = EncodeWideStr(L"\u20AC");
    EXPECT_EQ(Packed, String(L"|\\") + Char(32) + Char(172));
    EXPECT_EQ(DecodeWideStr(Packed), L"\u20AC");
    EXPECT_EQ(EncodeWideStr(L""), L"|\\");
    EXPECT_EQ(DecodeWideStr(L"plain"), L"plain");
    EXPECT_EQ(DecodeWideStr(String(L"|\\") + Char(0) + L"A" + Char(1)), L"A") << "odd last ignored";
    const String All = String(L"\u0001\u00FF\u0100") + Char(0xD83D) + Char(0xDE00) + Char(0xFFFF);
    EXPECT_EQ(DecodeWideStr(EncodeWideStr(All)), All);
}

TEST_F(QorUtilLocale, FixedDecimalSeparatorUnderADanishLocale)
{
    FormatSettings.DecimalSeparator = L',';
    FormatSettings.ThousandSeparator = L'.';
    FormatSettings.DateSeparator = L'-';
    EXPECT_EQ(ToFixedDecSep(L"1.234,5"), L"1234.5");
    EXPECT_EQ(ToFixedDecSep(L"12"), L"12");
    EXPECT_EQ(ToFixedDecSep(L"abc,d"), L"abc,d");
    EXPECT_EQ(FromFixedDecSep(L"1234.5"), L"1234,5");
    EXPECT_EQ(FromFixedDecSep(L"a.b"), L"a.b");
    FormatSettings.DecimalSeparator = L'.';
    FormatSettings.ThousandSeparator = L',';
    EXPECT_EQ(FromFixedDecSep(L"1234.5"), L"1234.5");
    EXPECT_EQ(ToFixedDecSep(L"1,234.5"), L"1234.5");
}

// ---- HTML --------------------------------------------------------------------------------------

TEST(QorUtilHTML, ColourLinksAndFragment)
{
    EXPECT_EQ(HTMLColor(0xFF8000), L"0080FF");

    String Out = L"untouched";
    EXPECT_FALSE(MakeHTMLHyperlink(L"no link", L"REF:", Out));
    EXPECT_EQ(Out, L"untouched");
    ASSERT_TRUE(MakeHTMLHyperlink(L"<see ref:ab/c?d=1 now", L"REF:", Out));
    EXPECT_EQ(Out, L"&lt;see <a href=\"ref:ab/c?d=1\">ref:ab/c?d=1</a> now");

    String h;
    MakeFragment(h);
    EXPECT_EQ(h.substr(0, 97), L"Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000306\r\n"
                               L"StartFragment:00000274\r\nEndFragment:00000274\r\n");
    String f = L"<b>x</b>";
    MakeFragment(f);
    EXPECT_EQ(f.substr(274, 8), L"<b>x</b>");
    EXPECT_NE(f.find(L"EndHTML:00000314"), String::npos);
    EXPECT_EQ(f.size(), 314u);
    EXPECT_EQ(f.substr(97, 9), L"<!DOCTYPE");
}

// ---- Names and accents -------------------------------------------------------------------------

TEST(QorUtilNames, ShiftCaseAndPassword)
{
    const std::pair<const wchar_t*, const wchar_t*> Cases[] = {
        {L"mcdonald", L"McDonald"},   {L"john o'neil", L"John O'Neil"},
        {L"henry iii", L"Henry III"}, {L"henry iv", L"Henry IV"},
        {L"ANNE-MARIE", L"Anne-Marie"}, {L"øSTER", L"Øster"},
        {L"", L""}};
    for (const auto& [In, Out] : Cases) EXPECT_EQ(ShiftCase(In), Out) << Utf16ToUtf8(In);

    String p = L"secret";
    StringToPassword(p, L'*');
    EXPECT_EQ(p, L"******");
}

TEST(QorUtilNames, AccentRemovalKeepsWhatDoesNotDecompose)
{
    EXPECT_EQ(RemoveAccentedStr(L"Ærø é"), L"Ærø e");
    EXPECT_EQ(RemoveAccentedStr(L"Ångström Čeština"), L"Angstrom Cestina");
    EXPECT_EQ(RemoveAccentedStr(L"e\u0301"), L"e") << "an already separate mark goes too";
    EXPECT_EQ(RemoveAccentedStr(L"Ελλάδα"), L"Ελλαδα") << "other scripts stay";
    EXPECT_EQ(RemoveAccentedStr(L"日本 €"), L"日本 €");
    const String Long(5000, L'é');
    EXPECT_EQ(RemoveAccentedStr(Long), String(5000, L'e')) << "no length limit";
}

// ---- Integers and character filters ------------------------------------------------------------

TEST(QorUtilIntegers, LimitsAndRects)
{
    EXPECT_EQ(Limit(5, 10, 1), 1);
    EXPECT_EQ(Limit(0, 1, 10), 1);
    EXPECT_EQ(CheckLimits(5, 0, 3), 3);
    EXPECT_EQ(CheckLimits(5, 7, 7), 5);
    EXPECT_EQ(CheckLimits(-2, 0, 10), -2);
    EXPECT_EQ(CheckLimits(2, 4, 10), 4);
    EXPECT_EQ(MaxI(2, 3), 3);
    EXPECT_EQ(MinI(2, 3), 2);
    TGridRect rc{1, 1, 3, 2};
    EXPECT_TRUE(IsInGridRect(rc, 3, 2));
    EXPECT_FALSE(IsInGridRect(rc, 4, 2));
}

TEST_F(QorUtilLocale, CharacterFilters)
{
    EXPECT_TRUE(IsNumChar(L'7'));
    EXPECT_TRUE(IsNumChar(L'\u0663')) << "Arabic-Indic three";
    EXPECT_FALSE(IsNumChar(L'a'));
    EXPECT_TRUE(CheckSignedNum(L'-'));
    EXPECT_TRUE(CheckFloatNum(L','));
    EXPECT_FALSE(CheckFloatNum(L'+'));
    EXPECT_TRUE(CheckSignedFloatNum(L'+'));
    EXPECT_TRUE(CheckFloatNumNoExp(Char(8)));
    EXPECT_FALSE(CheckFloatNumNoExp(L'e'));
    EXPECT_TRUE(CheckSignedDottedNum(L'E'));
    EXPECT_FALSE(CheckSignedDottedNum(L','));
}

// ---- Text type ---------------------------------------------------------------------------------

TEST(QorUtilTextType, Kinds)
{
    struct Case {
        String Text;
        bool AllowHTML;
        TTextType Expected;
    };
    const String Packed = L"|\\";
    const Case Cases[] = {
        {L"", true, ttText},
        {L"=A1", false, ttFormula},
        {L"{\\rtf1", true, ttRTF},
        {L"a<br>b", true, ttHTML},
        {L"a<br>b", false, ttText},
        {L"<b>x</b>", true, ttHTML},
        {L"<b>x", true, ttText},
        {L"a<IMG", true, ttHTML},
        {L"x://y", false, ttURL},
        {Packed + L"a=" + Char(0), true, ttFormula},
        {Packed + L"ab", true, ttUnicode},
        {L"<", true, ttText},
        {L"|", true, ttText},
    };
    for (const auto& c : Cases)
        EXPECT_EQ(TextType(c.Text, c.AllowHTML), c.Expected) << Utf16ToUtf8(c.Text);
}

// ---- Number, date and time kinds ---------------------------------------------------------------

TEST_F(QorUtilLocale, IsTypeRecognisesKinds)
{
    struct Case {
        const wchar_t* Text;
        TAutoType Expected;
    };
    const Case Cases[] = {
        {L"123", atNumeric},      {L"-5", atNumeric},        {L"-", atString},
        {L"1,234.5", atFloat},    {L"1,2", atFloat},         {L"1,23,4", atString},
        {L"1.5.6", atString},     {L"1.5e-3", atScientific}, {L"-1.5E-3", atScientific},
        {L"12:30", atTime},       {L"12:30:45", atTime},     {L"12::30", atString},
        {L"1/2/2020", atDate},    {L"1/2", atString},        {L"a", atString},
        {L"", atString},          {L"e5", atString},         {L"5e", atString},
        {L"1e5e5", atString},     {L"--5", atString},        {L".", atString},
        {L"1:2:3:4", atString},   {L"1/2/3/4", atString},    {L"12:3a", atString},
        {L"5-3", atString},
    };
    for (const auto& c : Cases) EXPECT_EQ(IsType(c.Text), c.Expected) << Utf16ToUtf8(c.Text);
    EXPECT_EQ(IsType(L"1.234,5", L',', L'.'), atFloat);
}

TEST_F(QorUtilLocale, RemoveSepsMakesPlainNumbers)
{
    const std::pair<const wchar_t*, const wchar_t*> Cases[] = {
        {L"$1,234.50", L"1234.50"}, {L"(12.5)", L"-12.5"}, {L"  (5)", L"-5"},
        {L"-1,000 kg", L"-1000"},   {L"", L""},            {L"-", L"-"},
        {L"abc", L""},              {L"DKK 7,5", L"75"}};
    for (const auto& [In, Out] : Cases) EXPECT_EQ(RemoveSeps(In), Out) << Utf16ToUtf8(In);
}

TEST_F(QorUtilLocale, ShortDates)
{
    EXPECT_TRUE(IsDateStr(L"1/2/3"));
    EXPECT_FALSE(IsDateStr(L"/1/2"));
    EXPECT_FALSE(IsDateStr(L"1//2"));

    EXPECT_EQ(StrToShortdateUS(L"12/31/99"), EncodeDate(1999, 12, 31));
    EXPECT_THROW(StrToShortDateEU(L"12/31/99"), EConvertError);
    EXPECT_EQ(StrToShortdateUS(L"1.2.05"), EncodeDate(2005, 1, 2));
    EXPECT_EQ(StrToShortDateEU(L"1.2.05"), EncodeDate(2005, 2, 1));
    EXPECT_EQ(StrToShortdateUS(L"1/2-05"), 0);
    EXPECT_EQ(StrToShortDateEU(L"1/2-05"), 0);
    EXPECT_EQ(StrToShortDateEU(L"abc"), 0);
    EXPECT_EQ(StrToShortDateEU(L"1-2-26"), EncodeDate(1926, 2, 1));
    EXPECT_EQ(StrToShortDateEU(L"1-2-0125"), EncodeDate(125, 2, 1)) << "long years as written";
    EXPECT_THROW(StrToShortDateEU(L"1-2-70000"), EConvertError);
    EXPECT_THROW(StrToShortDateEU(L"1-65537-2000"), EConvertError) << "no 16-bit wrap";
}

TEST(QorUtilDates, NextDateOfASeries)
{
    const TDateTime Nov15 = EncodeDate(2020, 11, 15);
    EXPECT_EQ(GetNextDate(Nov15, 0, 3, 0, 0), EncodeDate(2021, 2, 15));
    EXPECT_EQ(GetNextDate(Nov15, 0, 0, 3, 0), Nov15 + 3);
    EXPECT_EQ(GetNextDate(Nov15, 2, 0, 0, 0), EncodeDate(2022, 11, 15));
    EXPECT_EQ(GetNextDate(Nov15, 1, 1, 0, 7.5), Nov15 + 7.5);
    // Month ends take the last day of a shorter month instead of raising.
    EXPECT_EQ(GetNextDate(EncodeDate(2021, 1, 31), 0, 1, 0, 0), EncodeDate(2021, 2, 28));
    EXPECT_EQ(GetNextDate(EncodeDate(2020, 2, 29), 1, 0, 0, 0), EncodeDate(2021, 2, 28));
    // Steps of a year or more in months are normalised fully.
    EXPECT_EQ(GetNextDate(EncodeDate(2020, 11, 15), 0, 14, 0, 0), EncodeDate(2022, 1, 15));
    EXPECT_EQ(GetNextDate(EncodeDate(2020, 5, 1), 0, 65535, 0, 0), IncMonth(EncodeDate(2020, 5, 1), 65535));
}
