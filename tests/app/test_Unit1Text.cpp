// The editor's text logic: lines and text, board import, diagram block, suit-symbol pass,
// preformatted fields and HTML export.
#include "app/Unit1Text.h"

#include <gtest/gtest.h>

namespace {

String B(int n) { return String(size_t(n), L' '); }

// ---- Lines and text ---------------------------------------------------------------------------

struct SplitCase { const wchar_t* Text; TLines Lines; };

TEST(Unit1TextLines, SplitAtEveryKindOfLineBreak)
{
    const SplitCase cases[] = {
        {L"", {}},
        {L"a", {L"a"}},
        {L"a\r\n", {L"a"}},                       // a final break starts no new line
        {L"a\r\n\r\n", {L"a", L""}},
        {L"\n", {L""}},
        {L"\r\r\n", {L"", L""}},
        {L"a\rb\nc\r\nd", {L"a", L"b", L"c", L"d"}},
        {L"a\n\rb", {L"a", L"", L"b"}},           // LF CR is two breaks
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToLines(c.Text), c.Lines) << ::testing::PrintToString(String(c.Text));
}

TEST(Unit1TextLines, JoinAndAppendKeepExistingText)
{
    EXPECT_EQ(LinesToText({}), L"");
    EXPECT_EQ(LinesToText({L"a", L""}), L"a\r\n\r\n");
    EXPECT_EQ(TextToLines(LinesToText({L"a", L"", L"b"})), (TLines{L"a", L"", L"b"}));
    EXPECT_EQ(AppendLinesToText(L"", {L"x"}), L"x\r\n");
    EXPECT_EQ(AppendLinesToText(L"abc", {L"x"}), L"abc\r\nx\r\n");
    EXPECT_EQ(AppendLinesToText(L"abc\r\n", {L"x"}), L"abc\r\nx\r\n");
    EXPECT_EQ(AppendLinesToText(L"abc\n\n", {L"x"}), L"abc\n\nx\r\n");
}

TEST(Unit1TextLines, CaretLineCountsRealLinesNotDisplayRows)
{
    const String text = L"ab\r\ncd\nef\rgh\r\n";
    struct { int Pos; int Line; } cases[] = {
        {0, 0}, {2, 0}, {3, 0},    // between CR and LF still closes line 0
        {4, 1}, {6, 1}, {7, 2}, {10, 3}, {14, 4},   // after the final break: the line past the end
        {-5, 0}, {1000, 4}};
    for (auto c : cases) EXPECT_EQ(RealLineAt(text, c.Pos), c.Line) << c.Pos;

    // A paragraph far wider than any text area is one line wherever the caret stands in it.
    String para = String(5000, L'x') + L"\r\nnext";
    EXPECT_EQ(RealLineAt(para, 4000), 0);
    EXPECT_EQ(RealLineAt(para, 5002), 1);
}

// ---- Board import -----------------------------------------------------------------------------

struct DealerCase { const wchar_t* Line; const wchar_t* Expected; };

class DealerLine : public ::testing::TestWithParam<DealerCase> {};

TEST_P(DealerLine, GivesDealerAndVulnerability)
{
    EXPECT_EQ(DealerText(GetParam().Line), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, DealerLine, ::testing::Values(
    DealerCase{L"NORD / ALLE", L"N/Alle"},
    DealerCase{L"NORD OG SYD - INGEN", L"N/Ingen"},   // first dealer wins, "-" wins
    DealerCase{L"GIVER: ØST, ZONE: ØV", L"Ø/ØV"},
    DealerCase{L"SYD / NS", L"S/NS"},
    DealerCase{L"VEST ALLE", L"V/Alle"},
    DealerCase{L"VEST INGEN", L"V/"},                 // "INGEN" alone is no vulnerability word
    DealerCase{L"- NS", L"Ingen"},
    DealerCase{L"UKENDT", L""}));

const wchar_t* const Board =
    L"\r\n  \r\n"
    L"Spil 1\r\n"
    L"Giver: Øst  Zone: Øv\n"
    L"♠ ak2\r\n♥ qj5\r\n♦ 1098\r\n♣ kn73\r\n"
    L"\t\r\n"                              // blank lines anywhere are left out
    L"♠ 64\r♥ k98\r♦ 7\r♣ q1096\r"
    L"♠ q98\r\n♥ 1064\r\n♦\r\n♣ a\r\n"      // a void suit copied as the symbol alone
    L"♠ j1053\r\n♥ a7\r\n♦ k6543\r\n♣ \r\n"  // symbol and one blank: empty holding
    L"d 15.11.2020\r\n"
    L"Resultater\r\n";

TEST(Unit1TextImport, FillsEveryFieldUpperCased)
{
    TDiagramFields start;
    start.Edit34 = L"Klubaften";
    start.Edit35 = L"Ann - Bo";
    TDiagramFields f = ImportBoard(Board, start);

    EXPECT_EQ(f.Edit37, L"SPIL 1");
    EXPECT_EQ(f.Edit38, L"Ø/ØV");
    const wchar_t* holdings[16] = {L"AK2", L"QJ5", L"1098", L"KN73", L"64",    L"K98", L"7",     L"Q1096",
                                   L"Q98", L"1064", L"-",   L"A",    L"J1053", L"A7",  L"K6543", L""};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(f.Holding(i), holdings[i]) << i;
    EXPECT_EQ(f.Edit17, L"AK2");
    EXPECT_EQ(f.Edit32, L"");
    EXPECT_EQ(f.Edit33, L"15.11.2020");
    // Never written by the import.
    EXPECT_EQ(f.Edit34, L"Klubaften");
    EXPECT_EQ(f.Edit35, L"Ann - Bo");
    EXPECT_EQ(f.Edit36, L"");
}

TEST(Unit1TextImport, DanishLettersAreUpperCased)
{
    TDiagramFields f = ImportBoard(L"spil 7 æøå\nnord/alle\n♠ bør", {});
    EXPECT_EQ(f.Edit37, L"SPIL 7 ÆØÅ");
    EXPECT_EQ(f.Edit38, L"N/Alle");
    EXPECT_EQ(f.Edit17, L"BØR");
}

TEST(Unit1TextImport, ShortOrEmptyTextKeepsTheRest)
{
    TDiagramFields start;
    start.Edit18 = L"keep";
    start.Edit33 = L"2020-01-01";

    EXPECT_EQ(ImportBoard(L"", start), start);
    EXPECT_EQ(ImportBoard(L" \r\n\t\r\n\x01\x1F\r\n", start), start);   // only white space

    TDiagramFields f = ImportBoard(L"Overskrift\nSpil 3\n♠ K", start);
    EXPECT_EQ(f.Edit37, L"OVERSKRIFT");   // text before the board number is not skipped
    EXPECT_EQ(f.Edit38, L"");             // no dealer or vulnerability word in "SPIL 3"
    EXPECT_EQ(f.Edit17, L"K");
    EXPECT_EQ(f.Edit18, L"keep");
    EXPECT_EQ(f.Edit33, L"2020-01-01");
}

TEST(Unit1TextImport, LinesAfterTheDateAreIgnored)
{
    String text = Board;
    for (int i = 0; i < 5000; ++i) text += L"♠ overflødig linie\r\n";
    EXPECT_EQ(ImportBoard(text, {}), ImportBoard(Board, {}));
}

// ---- Diagram block ----------------------------------------------------------------------------

TEST(Unit1TextDiagram, NumberOfBlanks)
{
    EXPECT_EQ(NumberOfBlanks(-3), L"");
    EXPECT_EQ(NumberOfBlanks(0), L"");
    EXPECT_EQ(NumberOfBlanks(5), L"     ");
}

TEST(Unit1TextDiagram, StoredFormGivesTheBareBlock)
{
    TLines expected = {L"[diagram=]", L"Spil nummer♠ ", L"Giver/zone♥ ", B(8) + L"♦ ", B(8) + L"♣ "};
    for (const wchar_t* s : {L"♠ ", L"♥ ", L"♦ ", L"♣ "}) expected.push_back(s + B(14) + s);
    for (const wchar_t* s : {L"♠ ", L"♥ ", L"♦ ", L"♣ "}) expected.push_back(B(8) + s);
    // No seat row: "Giver/zone" begins with "G".
    expected.insert(expected.end(), {L"", L"", L"", L"Udspil: ", L"[=diagram]"});
    EXPECT_EQ(DiagramBlock(TDiagramFields{}), expected);
}

TEST(Unit1TextDiagram, FullFormLinesUpTheColumns)
{
    TDiagramFields f;
    f.Edit33 = L"2020-11-15";
    f.Edit34 = L"Klubaften";
    f.Edit35 = L"Ann - Bo";
    f.Edit36 = L"Cai - Dea";
    f.Edit37 = L"SPIL 1";
    f.Edit38 = L"Ø/NS";
    const wchar_t* h[16] = {L"AK2", L"QJ5", L"T98", L"K73", L"64",    L"K98", L"7",     L"Q1096",
                            L"Q98", L"T64", L"-",   L"A",   L"J1053", L"A7",  L"K6543", L""};
    for (int i = 0; i < 16; ++i) f.Holding(i) = h[i];
    const TLines expected = {
        L"[diagram=]",
        L"2020-11-15 Klubaften",
        L"NS:Ann - Bo",
        L"ØV:Cai - Dea",
        L"SPIL 1  ♠ AK2",
        L"Ø/NS    ♥ QJ5",
        L"        ♦ T98",
        L"        ♣ K73",
        L"♠ 64            ♠ Q98",
        L"♥ K98           ♥ T64",
        L"♦ 7             ♦ -",
        L"♣ Q1096         ♣ A",
        L"        ♠ J1053",
        L"        ♥ A7",
        L"        ♦ K6543",
        L"        ♣ ",
        L"",
        L"Ø       S       V       N",
        L"",
        L"",
        L"Udspil: ",
        L"[=diagram]"};
    EXPECT_EQ(DiagramBlock(f), expected);
}

TEST(Unit1TextDiagram, SeatRowFollowsTheDealer)
{
    struct { const wchar_t* Dealer; const wchar_t* Row; } cases[] = {
        {L"N/Ingen", L"N       Ø       S       V"},
        {L"Ø/NS", L"Ø       S       V       N"},
        {L"S/ØV", L"S       V       N       Ø"},
        {L"V/Alle", L"V       N       Ø       S"},
        {L"n/Ingen", nullptr},   // compared case-sensitively
        {L"", nullptr},
        {L"Giver/zone", nullptr}};
    for (auto c : cases) {
        TDiagramFields f;
        f.Edit38 = c.Dealer;
        TLines block = DiagramBlock(f);
        ASSERT_EQ(block.size(), c.Row ? 19u : 18u) << ::testing::PrintToString(String(c.Dealer));
        if (c.Row) {
            EXPECT_EQ(block[14], c.Row);
        }
    }
}

TEST(Unit1TextDiagram, OptionalHeadLinesAndLongFields)
{
    TDiagramFields f;
    f.Edit34 = L"Klubaften";     // an event without a date still writes the line
    f.Edit36 = L"Cai - Dea";
    f.Edit37 = L"Spil nummer 12";
    f.Edit21 = L"KQJ1098765432AK";   // 15 characters push East to the right
    f.Edit25 = L"-";
    TLines block = DiagramBlock(f);
    ASSERT_GE(block.size(), 8u);
    EXPECT_EQ(block[1], L" Klubaften");
    EXPECT_EQ(block[2], L"ØV:Cai - Dea");
    EXPECT_EQ(block[3], L"Spil nummer 12♠ ");
    EXPECT_EQ(block[7], L"♠ KQJ1098765432AK♠ -");
}

TEST(Unit1TextDiagram, AppendingTwiceGivesTwoBlocks)
{
    TLines block = DiagramBlock(TDiagramFields{});
    String text = AppendLinesToText(L"Indledning", block);
    text = AppendLinesToText(text, block);
    TLines lines = TextToLines(text);
    ASSERT_EQ(lines.size(), 1 + 2 * block.size());
    EXPECT_EQ(lines[0], L"Indledning");
    EXPECT_EQ(TLines(lines.begin() + 1, lines.begin() + 1 + long(block.size())), block);
    EXPECT_EQ(TLines(lines.begin() + 1 + long(block.size()), lines.end()), block);
}

// ---- Suit-symbol pass -------------------------------------------------------------------------

struct LineCase { const wchar_t* In; const wchar_t* Out; };

class SuitSymbols : public ::testing::TestWithParam<LineCase> {};

TEST_P(SuitSymbols, ConvertsTheLine)
{
    String out = SuitSymbolLine(GetParam().In);
    EXPECT_EQ(out, GetParam().Out);
    EXPECT_EQ(SuitSymbolLine(out), out);   // a second run changes nothing more
}

INSTANTIATE_TEST_SUITE_P(Bids, SuitSymbols, ::testing::Values(
    LineCase{L"1s", L"1♠"}, LineCase{L"3u", L"3U"}, LineCase{L"7s", L"7♠"}, LineCase{L"8s", L"8s"},
    LineCase{L"x2h", L"x2h"}, LineCase{L"1nt", L"1nt"},
    LineCase{L"1s 2h p p", L"1♠ 2♥ P P"},
    LineCase{L"1k\tp\t2r\tp", L"1♣\tP\t2♦\tP"}));

INSTANTIATE_TEST_SUITE_P(SuitWords, SuitSymbols, ::testing::Values(
    LineCase{L"spil s K3", L"spil ♠ K3"},
    LineCase{L"h er", L"♥ er"},
    LineCase{L"en r  x", L"en r  x"},        // two blanks after the letter
    LineCase{L"x\th y", L"x\th y"},         // a TAB before is no word start here
    LineCase{L"s", L"s"}, LineCase{L"", L""}));

INSTANTIATE_TEST_SUITE_P(SuitRanks, SuitSymbols, ::testing::Values(
    LineCase{L"sekd ", L"♠ekd "}, LineCase{L"hT9, ", L"♥T9, "}, LineCase{L"sekx", L"♠ekx"},
    LineCase{L"ked", L"ked"}, LineCase{L"sekx ", L"sekx "}, LineCase{L"rd,", L"♦d,"},
    LineCase{L"?  sk ", L"?  ♠k "}, LineCase{L"? sk ", L"? sk "},
    LineCase{L"♠ KD2", L"♠ KD2"},                                // a king ending the line stays
    LineCase{L"♠ KD2         ♠ 5", L"♠ KD2         ♠ 5"},     // nor in the West column
    LineCase{L"♥ sekd ", L"♥ sekd "}, LineCase{L"x sekd ", L"x ♠ekd "}));

// Spaced holdings, as a board copied from a result page gives them, in every column of the
// diagram block: a king after a suit symbol stays a king in the one-letter-word pass too.
INSTANTIATE_TEST_SUITE_P(SpacedHoldings, SuitSymbols, ::testing::Values(
    LineCase{L"SPIL 1  ♠ K 10 9 4", L"SPIL 1  ♠ K 10 9 4"},                       // North
    LineCase{L"♥ K 8 7            ♠ K 10 9 4", L"♥ K 8 7            ♠ K 10 9 4"},  // West, East
    LineCase{L"        ♣ K 5", L"        ♣ K 5"},                                   // South
    LineCase{L"♦ K", L"♦ K"}, LineCase{L"♦ K ", L"♦ K "},
    LineCase{L"spil k 3", L"spil ♣ 3"}));                                            // typed text still turns

INSTANTIATE_TEST_SUITE_P(Calls, SuitSymbols, ::testing::Values(
    LineCase{L"\tp\t", L"\tP\t"}, LineCase{L"p", L"P"}, LineCase{L"d", L"D"},
    LineCase{L"rd p", L"♦d P"}, LineCase{L"rd", L"RD"}, LineCase{L"rd*x", L"RD*x"},
    LineCase{L"1k\trd", L"1♣\tRD"}, LineCase{L"rx ", L"rx "}, LineCase{L"ap*", L"AP*"},
    LineCase{L"at", L"at"}, LineCase{L"p#d", L"P#d"}, LineCase{L"xp", L"xp"}));

TEST(Unit1TextSuitSymbols, DiagramBlockWithSpacedKingsIsUnchanged)
{
    // Every hand holds a spaced king in every suit, so each column of the block is tried.
    TDiagramFields f;
    f.Edit37 = L"SPIL 1";
    f.Edit38 = L"N/Ingen";
    const wchar_t* h[4] = {L"K 10 9 4", L"K 8", L"K", L"K 7 6 5 3"};
    for (int i = 0; i < 16; ++i) f.Holding(i) = h[i % 4];
    const TLines block = DiagramBlock(f);
    EXPECT_EQ(SuitSymbolPass(block), block);
}

TEST(Unit1TextSuitSymbols, WholeTextKeepsLinesAndLengths)
{
    const TLines text = {L"[diagram=]", L"Spil 1  ♠ ak2", L"", L"Vi meldte 1s - 2h - p - 4s - ap",
                         String(3000, L'x') + L" 1s", L"[=diagram]"};
    TLines out = SuitSymbolPass(text);
    ASSERT_EQ(out.size(), text.size());
    for (size_t i = 0; i < text.size(); ++i) EXPECT_EQ(out[i].size(), text[i].size()) << i;
    EXPECT_EQ(out[0], L"[diagram=]");
    EXPECT_EQ(out[3], L"Vi meldte 1♠ - 2♥ - P - 4♠ - AP");
    EXPECT_EQ(out[4].substr(3000), L" 1♠");   // a long paragraph stays one line
    EXPECT_EQ(SuitSymbolPass(out), out);
    EXPECT_TRUE(SuitSymbolPass({}).empty());
}

TEST(Unit1TextSuitSymbols, TextSweepMatchesTheLines)
{
    const wchar_t* texts[] = {L"", L"1s\r\n", L"1s\rp\nrd\r\n\r\nsekd ", L"[diagram=]\r\n♥ ak\n\n",
                              L"\n\r\n\r", L"h er\r\n1♦-1♥ x"};
    for (const wchar_t* t : texts) {
        EXPECT_EQ(SuitSymbolText(t), LinesToText(SuitSymbolPass(TextToLines(t))));
        EXPECT_EQ(HtmlExportText(t), HtmlExport(TextToLines(t)));
    }
}

class Retmeldinger : public ::testing::TestWithParam<LineCase> {};

TEST_P(Retmeldinger, ConvertsTheLine) { EXPECT_EQ(RetmeldingerLine(GetParam().In), GetParam().Out); }

INSTANTIATE_TEST_SUITE_P(Lines, Retmeldinger, ::testing::Values(
    LineCase{L"1S 2H", L"1♠ 2♥"}, LineCase{L"1s", L"1s"}, LineCase{L"8S", L"8S"},
    LineCase{L"SK2", L"♠K2"},            // the line now begins with a symbol: its K stays
    LineCase{L"KD2", L"♣D2"}, LineCase{L"x KD2", L"x ♣D2"},
    LineCase{L"  HK KD", L"  ♥K KD"}, LineCase{L"2SK", L"2♠K"}, LineCase{L"S", L"S"},
    LineCase{L"", L""}));

// ---- Preformatted fields and export -----------------------------------------------------------

TEST(Unit1TextPreformat, FieldGoesAfterTheCaretLine)
{
    const TLines text = {L"a", L"b", L"c"};
    const TLines field = {L"<pre>", L"Skriv her", L"</pre>"};
    struct { int Caret; TLines Expected; const wchar_t* Message; } cases[] = {
        {0, {L"a", L"<pre>", L"Skriv her", L"</pre>", L"b", L"c"}, L"0"},
        {1, {L"a", L"b", L"<pre>", L"Skriv her", L"</pre>", L"c"}, L"1"},
        {2, {L"a", L"b", L"c", L"<pre>", L"Skriv her", L"</pre>"}, L"2"},
        // In the empty line after a final line break: the field comes after that empty line.
        {3, {L"a", L"b", L"c", L"", L"<pre>", L"Skriv her", L"</pre>"}, L"3"},
        {-1, {L"a", L"<pre>", L"Skriv her", L"</pre>", L"b", L"c"}, L"0"}};
    for (auto& c : cases) {
        TPreformattedFieldResult r = InsertPreformattedField(text, c.Caret);
        EXPECT_EQ(r.Lines, c.Expected) << c.Caret;
        EXPECT_EQ(r.Message, c.Message) << c.Caret;
    }
    TPreformattedFieldResult empty = InsertPreformattedField({}, 0);
    EXPECT_EQ(empty.Lines, (TLines{L"", L"<pre>", L"Skriv her", L"</pre>"}));
    EXPECT_EQ(empty.Message, L"0");
}

TEST(Unit1TextPreformat, WrappedParagraphIsNotSplit)
{
    String text = L"Overskrift\r\n" + String(2000, L'x') + L"\r\nSlut\r\n";
    TLines lines = TextToLines(text);
    TPreformattedFieldResult r = InsertPreformattedField(lines, RealLineAt(text, 1500));
    EXPECT_EQ(r.Message, L"1");
    ASSERT_EQ(r.Lines.size(), 6u);
    EXPECT_EQ(r.Lines[1], String(2000, L'x'));
    EXPECT_EQ(r.Lines[2], L"<pre>");
    EXPECT_EQ(r.Lines[5], L"Slut");
}

TEST(Unit1TextPreformat, AllDropsOldMarkersAndIsStable)
{
    const TLines text = {L"x", L"<pre>", L"y", L"[diagram=]", L"z [=diagram] q", L"</pre>", L"",
                         L"[Diagram=]", L"<PRE>"};
    const TLines once = PreformatAll(text);
    EXPECT_EQ(once, (TLines{L"<pre>", L"x", L"y", L"", L"[Diagram=]", L"<PRE>", L"</pre>"}));
    EXPECT_EQ(PreformatAll(TextToLines(LinesToText(once))), once);
    EXPECT_EQ(PreformatAll({}), (TLines{L"<pre>", L"</pre>"}));
}

TEST(Unit1TextExport, MarkersAndRedSuits)
{
    const String heart = L"<span style=\"color: #ff0000;\">♥</span>";
    const String diamond = L"<span style=\"color: #ff0000;\">♦</span>";
    const LineCase cases[] = {
        {L"[diagram=]", L"<pre>"},
        {L"[=diagram]", L"</pre>"},
        {L" [diagram=]", L" [diagram=]"},     // not alone on its line: copied
        {L"[=diagram] ", L"[=diagram] "},
        {L"♠ ♣ <b>a & b</b>", L"♠ ♣ <b>a & b</b>"},
        {L"", L""}};
    for (auto c : cases) EXPECT_EQ(HtmlExportLines({c.In}), TLines{c.Out});
    EXPECT_EQ(HtmlExportLines({L"♥ EK2"}), TLines{heart + L" EK2"});
    EXPECT_EQ(HtmlExportLines({L"1♦-1♥"}), TLines{L"1" + diamond + L"-1" + heart});

    EXPECT_EQ(HtmlExport({}), L"");
    EXPECT_EQ(HtmlExport({L"a", L""}), L"a\r\n\r\n");
    TLines block = HtmlExportLines(DiagramBlock(TDiagramFields{}));
    EXPECT_EQ(block.front(), L"<pre>");
    EXPECT_EQ(block.back(), L"</pre>");
}

TEST(Unit1TextKeys, OnlyCtrlASelectsAll)
{
    EXPECT_TRUE(IsSelectAllKey(Char(1)));
    for (Char k : {Char(0), Char(9), Char(13), L'a', L'A'}) EXPECT_FALSE(IsSelectAllKey(k)) << int(k);
}

}  // namespace
