// The editor's text logic: the paste converter with its input modes and deal store, the line
// normalisers, and text of any size or shape through every line function.
#include "app/Unit1Text.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

String B(int n) { return String(size_t(n), L' '); }

String Join(std::initializer_list<const wchar_t*> Lines, const wchar_t* Break = L"\r\n")
{
    String R;
    for (const wchar_t* L : Lines) R += String(L) + Break;
    return R;
}

// The 13 lines the converter appends for a deal given as 16 holdings, North ♠ first, then East,
// South and West (the deal store's order).
TLines Block(const TEasydeal& D)
{
    const wchar_t* s[4] = {L"♠ ", L"♥ ", L"♦ ", L"♣ "};
    TLines R = {L""};
    for (int i = 0; i < 4; ++i) R.push_back(B(8) + s[i] + D[size_t(i)]);
    for (int i = 0; i < 4; ++i) {
        const String& w = D[size_t(12 + i)];
        R.push_back(s[i] + w + B(14 - int(w.size())) + s[i] + D[size_t(4 + i)]);
    }
    for (int i = 0; i < 4; ++i) R.push_back(B(8) + s[i] + D[size_t(8 + i)]);
    return R;
}

// ---- Input modes ------------------------------------------------------------------------------

TEST(Unit1TextConvertModes, CheckedItemChoosesTheMode)
{
    struct { bool NV1, N1, Diagram1, FraBBO1; TInputMode Mode; } cases[] = {
        {true, false, false, false, imWritingOrder},   // as stored
        {false, true, false, false, imCompass},
        {false, false, false, false, imCompass},
        {false, false, true, false, imDiagram},
        {true, false, true, true, imDiagram},           // Diagram1 first, then FraBBO1
        {true, false, false, true, imBBO}};
    for (auto c : cases) EXPECT_EQ(InputModeFromChecks(c.NV1, c.N1, c.Diagram1, c.FraBBO1), c.Mode);

    for (TInputMode m : {imWritingOrder, imCompass, imDiagram, imBBO}) {
        auto checks = ChecksForInputMode(m);
        EXPECT_EQ(std::count(checks.begin(), checks.end(), true), 1);
        EXPECT_EQ(InputModeFromChecks(checks[0], checks[1], checks[2], checks[3]), m);
    }
}

// ---- Normalisation of holdings ----------------------------------------------------------------

TEST(Unit1TextConvert, NormaliseHolding)
{
    struct { const wchar_t* In; const wchar_t* Out; } cases[] = {
        {L"♠ AKQJ10", L"EKDBT"}, {L"♣ kn73", L"B73"}, {L";1098", L"T98"},
        {L"♥ aqj", L"aqj"},                  // lower case is not translated
        {L"♦ Kn2", L"Kn2"}, {L"♠ A A", L"EA"},   // only the first of each
        {L";", L""}, {L"", L""}, {L"x", L""}};
    for (auto c : cases) EXPECT_EQ(NormaliseHolding(c.In), c.Out) << ::testing::PrintToString(String(c.In));
}

// ---- Direction modes --------------------------------------------------------------------------

const wchar_t* const TwelveLines[12] = {
    L"♠ AK2", L"♥ QJ5", L"♦ 1098", L"♣ kn73",
    L"♠ 64   ♠ Q98", L"♥ K98   ♥ 1064", L"♦ 7   ♦ Q2", L"♣ Q1096   ♣ A",
    L"♠ J1053", L"♥ A7", L"♦ K6543", L"♣ 82"};

const TEasydeal TwelveDeal = {L"EK2", L"DB5",   L"T98", L"B73",  L"D98", L"T64",  L"D2", L"E",
                              L"BT53", L"E7", L"K6543", L"82", L"64",  L"K98", L"7",  L"DT96"};

TEST(Unit1TextConvert, TwelveLinesSplitTheWestEastRows)
{
    String text = L"  \r\n";   // blank lines and surrounding white space do not count
    for (const wchar_t* l : TwelveLines) text += String(L"  ") + l + L"\t\r\n\r\n";
    TEasydeal store;
    TConvertResult r = ConvertDeal(text, imWritingOrder, store);
    EXPECT_EQ(store, TwelveDeal);
    EXPECT_EQ(r.Lines, Block(TwelveDeal));
    EXPECT_EQ(r.Lines[5], L"♠ 64            ♠ D98");
    EXPECT_TRUE(r.Message.empty());

    // The same input again appends the same block; the compass order reads 12 lines alike.
    EXPECT_EQ(ConvertDeal(text, imCompass, store).Lines, r.Lines);
}

TEST(Unit1TextConvert, RowWithItsSymbolOnceIsAllEast)
{
    String text;
    for (int i = 0; i < 12; ++i) text += String(i == 5 ? L"♥ K98 T64" : TwelveLines[i]) + L"\n";
    TEasydeal store;
    ConvertDeal(text, imWritingOrder, store);
    EXPECT_EQ(store[5], L"K98T64");   // East
    EXPECT_EQ(store[13], L"");        // West
}

TEST(Unit1TextConvert, SixteenLinesInWritingAndCompassOrder)
{
    String text;
    const wchar_t* s[4] = {L"♠ ", L"♥ ", L"♦ ", L"♣ "};
    for (int h = 0; h < 4; ++h)
        for (int i = 0; i < 4; ++i) text += s[i] + String{Char(L'a' + h), Char(L'0' + i)} + L"\r\n";
    auto holding = [](int line) { return String{Char(L'a' + line / 4), Char(L'0' + line % 4)}; };

    TEasydeal w, c;
    ConvertDeal(text, imWritingOrder, w);
    ConvertDeal(text, imCompass, c);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w[size_t(i)], holding(i));        // North
        EXPECT_EQ(w[size_t(12 + i)], holding(4 + i));   // West
        EXPECT_EQ(w[size_t(4 + i)], holding(8 + i));    // East
        EXPECT_EQ(w[size_t(8 + i)], holding(12 + i));   // South
        EXPECT_EQ(c[size_t(i)], holding(i));
        EXPECT_EQ(c[size_t(4 + i)], holding(4 + i));    // East
        EXPECT_EQ(c[size_t(8 + i)], holding(8 + i));    // South
        EXPECT_EQ(c[size_t(12 + i)], holding(12 + i));  // West
    }
}

TEST(Unit1TextConvert, OtherLineCountsChangeNothingSilently)
{
    // The converter's input area as stored: nine lines of instructions.
    const String stored = Join({L"Indsæt kortfordeling/hånd/NS/ØV", L"Ialt 4, 8, 12 eller 16 linier",
                                L"Alle andre linier fjernes. Blanke linier dog ", L"ligegyldige",
                                L"Tekst forud for kortfordelingen fjernes, f.eks ", L"hvis der ",
                                L"er angivet spilnummer, giver og zonestilling",
                                L"på 1. og 2. linie i diagrammet", L"Tryk Konvertér", L""});
    TEasydeal store = TwelveDeal;
    for (const String& text : {stored, String(), String(L"\r\n\r\n")}) {
        for (TInputMode m : {imWritingOrder, imCompass}) {
            TConvertResult r = ConvertDeal(text, m, store);
            EXPECT_TRUE(r.Lines.empty());
            EXPECT_TRUE(r.Message.empty());
        }
    }
    EXPECT_EQ(store, TwelveDeal);
}

// ---- Diagram mode -----------------------------------------------------------------------------

TEST(Unit1TextConvert, DiagramFieldLine)
{
    struct { const wchar_t* In; const wchar_t* Out; } cases[] = {
        {L"a\tb", L"a;b"},  {L"a  b", L"a;b"},   {L"a   b", L"a;b"}, {L"a    b", L"a;b"},
        {L"a b", L"ab"},    {L"a\t\tb", L"a;b"}, {L"a\t  \tb", L"a;b"},
        {L"a; ;b", L"a;;b"},   // runs of ";" are made one before the blanks go
        {L"", L""}};
    for (auto c : cases) EXPECT_EQ(DiagramFieldLine(c.In), c.Out) << ::testing::PrintToString(String(c.In));
}

TEST(Unit1TextConvert, DiagramModeReadsColumns)
{
    const String text = Join({L"Spil 1\tAK2", L"N/Ingen\tQJ5", L"  T98", L"B73",
                              L"J1098\t\tKQ32", L"J1098    KQ32", L"K5 Q4", L"A2   76",
                              L"AK", L"Q", L"J", L"-"});
    TEasydeal store;
    TConvertResult r = ConvertDeal(text, imDiagram, store);
    const TEasydeal expected = {L"EK2", L"DB5", L"T98", L"B73",  L"KD32", L"KD32", L"K5D4", L"76",
                                L"EK",  L"D",   L"B",   L"-",    L"BT98", L"BT98", L"",     L"E2"};
    EXPECT_EQ(store, expected);
    EXPECT_EQ(r.Lines, Block(expected));
    EXPECT_TRUE(r.Message.empty());
}

TEST(Unit1TextConvert, DiagramModeWantsTwelveContentLines)
{
    String eleven, thirteen, longFirst;
    for (int i = 0; i < 11; ++i) eleven += L"AK2\r\n\r\n";
    thirteen = eleven + L"Q\r\nJ\r\n";
    // A line far wider than the input area is still one line: 12 lines are accepted.
    longFirst = String(400, L'x') + L"\tAK2\r\n" + eleven;

    TEasydeal store = TwelveDeal;
    for (const String& text : {eleven, thirteen, String()}) {
        TConvertResult r = ConvertDeal(text, imDiagram, store);
        EXPECT_EQ(r.Message, L"Et diagram skal indeholde præcis 12 linier med indhold");
        EXPECT_FALSE(r.ErrorBox);
        EXPECT_TRUE(r.Lines.empty());
        EXPECT_EQ(store, TwelveDeal);
    }
    TConvertResult r = ConvertDeal(longFirst, imDiagram, store);
    EXPECT_TRUE(r.Message.empty());
    EXPECT_EQ(r.Lines.size(), 13u);
    EXPECT_EQ(store[0], L"EK2");
}

// ---- BBO mode ---------------------------------------------------------------------------------

// A hand viewer's text: 16 suit groups South, West, North, East, each clubs to spades.
String BBOText(const String& Junk = L"")
{
    const wchar_t* sym[4] = {L"♣", L"♦", L"♥", L"♠"};
    String t = L"Nord\r\n\r\n";
    for (int g = 0; g < 16; ++g) {
        t += String(g == 3 ? L"  " : L"") + sym[g % 4] + L"\r\n";   // a symbol may carry blanks
        if (g == 0) t += L"A\r\nK\r\n10\r\n";
        if (g == 1) t += L"Q\r\n" + Junk;
        if (g == 5) t += L"J\r\n9\r\n";
        if (g == 15) t += L"2";            // the last group ends with the text
    }
    return t;
}

TEST(Unit1TextConvert, BBOGroupsByPosition)
{
    TEasydeal store;
    TConvertResult r = ConvertDeal(BBOText(), imBBO, store);
    EXPECT_TRUE(r.Message.empty());
    EXPECT_EQ(store[11], L"EKT");   // South ♣
    EXPECT_EQ(store[10], L"D");     // South ♦
    EXPECT_EQ(store[14], L"B9");    // West ♦
    EXPECT_EQ(store[4], L"2");      // East ♠, the last group
    EXPECT_EQ(store[0], L"");       // North ♠
    EXPECT_EQ(r.Lines, Block(store));

    // A line that is not exactly a card word ends its group and is skipped; more groups than 16
    // are ignored.
    TEasydeal other;
    ConvertDeal(BBOText(L"K \r\nhjerter\r\nJ\r\n") + L"\r\n♠\r\nA\r\n", imBBO, other);
    EXPECT_EQ(other, store);
}

TEST(Unit1TextConvert, BBOWithTooFewGroupsKeepsTheStore)
{
    String text = BBOText();
    text = text.substr(0, text.rfind(L"♠"));   // 15 groups
    TEasydeal store = TwelveDeal;
    TConvertResult r = ConvertDeal(text, imBBO, store);
    EXPECT_TRUE(r.ErrorBox);
    EXPECT_NE(r.Message.find(L"kun fundet 15"), String::npos) << ::testing::PrintToString(r.Message);
    EXPECT_TRUE(r.Lines.empty());
    EXPECT_EQ(store, TwelveDeal);
    EXPECT_TRUE(ConvertDeal(L"", imBBO, store).ErrorBox);
}

// ---- Line normalisers -------------------------------------------------------------------------

TEST(Unit1TextNormalisers, CardValues)
{
    EXPECT_EQ(CardValue(L'♠'), 18);
    EXPECT_EQ(CardValue(L'♣'), 15);
    EXPECT_EQ(CardValue(L'E'), 14);
    EXPECT_EQ(CardValue(L'T'), 10);
    EXPECT_EQ(CardValue(L'2'), 2);
    EXPECT_EQ(CardValue(L'\\'), 1);
    for (Char c : {L'1', L'0', L'A', L'e', L'k', L' ', Char(0xD800)}) EXPECT_EQ(CardValue(c), 0) << int(c);
}

TEST(Unit1TextNormalisers, AnalyseLineByLine)
{
    struct { const wchar_t* In; const wchar_t* Out; } cases[] = {
        {L"ak 10 9-2", L"EKT92"},
        {L"AKQ\tJ10", L"EKD\\BT"},
        {L"\t\tAK\t\t\tQ\t", L"EK\\D"},
        {L"EK2x", L""},                 // ends in a character of value 0
        {L"♠ AKx2", L"♠EK\\2"},
        {L"x2", L"2"},
        {L"100", L"T"}};
    for (auto c : cases)
        EXPECT_EQ(AnalyseLines(c.In), (TLines{c.Out, String()})) << ::testing::PrintToString(String(c.In));

    // 39 characters pass, 40 give an empty line.
    EXPECT_EQ(AnalyseLines(String(39, L'2')), (TLines{String(39, L'2'), String()}));
    EXPECT_EQ(AnalyseLines(String(40, L'2')), (TLines{L"", String()}));
    // One line per input line and one for the line past the end.
    EXPECT_EQ(AnalyseLines(L"AK\r\nxy\r\n"), (TLines{L"EK", L"", String()}));
    EXPECT_EQ(AnalyseLines(L""), TLines{String()});
}

TEST(Unit1TextNormalisers, FindCandidates)
{
    struct { const wchar_t* In; TLines Out; } cases[] = {
        {L"K92", {}},                  // values 13, 9, 2 strictly decrease
        {L"29K", {L"29K"}},
        {L"♠ 29K", {}},                // holds a suit symbol
        {L"AK2", {L"K2"}},             // read as typed: "A" has value 0
        {L"E K", {L"E\\K"}},
        {L"ak 10", {L""}}};            // ends in "0"
    for (auto& c : cases) {
        TLines expected = c.Out;
        expected.push_back(L"");       // the line past the end
        EXPECT_EQ(FindCandidateLines(c.In), expected) << ::testing::PrintToString(String(c.In));
    }
    EXPECT_EQ(FindCandidateLines(String(29, L'2')), (TLines{String(29, L'2'), L""}));
    EXPECT_EQ(FindCandidateLines(String(30, L'2')), TLines{L""});
    EXPECT_EQ(FindCandidateLines(L"29K\r\n♠\r\nEK2\r\n"), (TLines{L"29K", L""}));
    EXPECT_EQ(FindCandidateLines(L""), TLines{L""});
}

// ---- Text of any size or shape ----------------------------------------------------------------

TEST(Unit1TextRobustness, OddAndHugeTextThroughEveryFunction)
{
    String odd;
    for (int i = 0; i < 64; ++i) odd += Char(i);            // every control character
    odd += String{Char(0xD800), L'x', Char(0xDC00), Char(0xDFFF), Char(0xFFFF), L'♠', L'\\'};
    String many;
    for (int i = 0; i < 5000; ++i) many += L"1s ak " + std::to_wstring(i) + L"\t-\r\n";
    const String texts[] = {odd, String(1000000, L's'), String(200000, L'\\'), String(100000, L'\n'),
                            many, String(300000, L' ') + L"1"};
    for (const String& t : texts) {
        TLines lines = TextToLines(t);
        TLines sym = SuitSymbolPass(lines);
        ASSERT_EQ(sym.size(), lines.size());
        for (size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(sym[i].size(), lines[i].size());
        EXPECT_EQ(SuitSymbolText(t), LinesToText(sym));
        RetmeldingerPass(lines);
        EXPECT_EQ(HtmlExportText(t), HtmlExport(lines));
        PreformatAll(lines);
        InsertPreformattedField(lines, RealLineAt(t, int(t.size()) / 2));
        ImportBoard(t, {});
        DiagramBlock(ImportBoard(t, {}));
        TEasydeal store = TwelveDeal;
        for (TInputMode m : {imWritingOrder, imCompass, imDiagram, imBBO}) {
            TConvertResult r = ConvertDeal(t, m, store);
            if (r.Lines.empty()) {
                EXPECT_EQ(store, TwelveDeal);
            }
        }
        EXPECT_EQ(AnalyseLines(t).size(), lines.size() + 1);
        EXPECT_LE(FindCandidateLines(t).size(), lines.size() + 1);
    }
}

}  // namespace
