// Markup text routines: colour names and values, character references, escaping, the preparation
// of a text for drawing, plain text, search-hit marks, inline controls; hostile and random input.
#include "graphics/JyrHTMLText.h"

#include "framework/StrUtils.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>

using namespace JyrHTMLE;

namespace {

const String CRLF = L"\r\n";

struct TCase {
    String In;
    String Out;
};

double SecondsSince(std::chrono::steady_clock::time_point T0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - T0).count();
}

}  // namespace

// ---- Colours -----------------------------------------------------------------------------------

TEST(JyrHTMLColours, TableIsSortedForItsBinarySearchAndEveryNameIsFound)
{
    for (int i = 1; i < 40; ++i)
        EXPECT_LT(String(colorTable[i - 1].Name), String(colorTable[i].Name)) << i;
    for (const auto& E : colorTable) EXPECT_EQ(Text2Color(L"cl" + String(E.Name)), E.Color) << E.Name;
}

TEST(JyrHTMLColours, TextToColour)
{
    struct {
        String In;
        TColor Out;
    } Cases[] = {
        {L"#ff0000", 0x0000FF},     {L"#FF8000", 0x0080FF},     {L"#0000ff", 0xFF0000},
        {L"#12", 0x12},             {L"#zz0000", 0},            {L"#", 0},
        {L"clred", 0x0000FF},       {L"clRed", 0},              {L"red", 0},
        {L"cl3ddkshadow", TColor(0xFF000011u)},                 {L"clnosuch", 0},
        {L"cl", 0},                 {L"", 0},                   {L"clwindowtext", TColor(0xFF000008u)},
    };
    for (const auto& C : Cases) EXPECT_EQ(Text2Color(C.In), C.Out) << C.In;
}

TEST(JyrHTMLColours, HexDigitsAndPairs)
{
    EXPECT_EQ(Str2hexbyte(L"#a0", 2), 0xA0);
    EXPECT_EQ(Str2hexbyte(L"#A0", 2), 0xA0);
    EXPECT_EQ(Str2hexbyte(L"#G0", 2), 0);
    EXPECT_EQ(Str2hexbyte(L"#A", 2), 0) << "the pair must lie inside the text";
    EXPECT_EQ(Str2hexbyte(L"#A0", 0), 0);
    EXPECT_EQ(HexVal(L"7F"), 0x7F);
    EXPECT_EQ(HexVal(L"7"), 0);
    EXPECT_EQ(Hex2Color(L"#FF8001"), 0x0180FF);
    EXPECT_EQ(Hex2Color(L"#FF"), 0x0000FF);
    // Characters beyond the digits do not read as digits but never fail either.
    (void)Hex2Color(String(L"#") + String(6, wchar_t(0xFFFF)));
}

// ---- Character references and escaping --------------------------------------------------------

TEST(JyrHTMLEntities, EveryRowEscapesAndUnescapesToItself)
{
    EXPECT_EQ(HTMLSpecialChar(1), L"&eacute;");
    EXPECT_EQ(HTMLEncodedChar(1), L"é");
    EXPECT_EQ(HTMLEncodedChar(49), String(1, wchar_t(0x20AC)));
    EXPECT_EQ(HTMLEncodedChar(57), String(1, wchar_t(0x2122)));
    EXPECT_EQ(HTMLEncodedChar(61), String(1, wchar_t(0x2030)));
    EXPECT_EQ(HTMLSpecialChar(55), L"&Otilde;");
    EXPECT_EQ(HTMLSpecialChar(0), L"");
    EXPECT_EQ(HTMLEncodedChar(71), L"");
    for (int i = 1; i <= HTMLEntityCount; ++i) {
        ASSERT_EQ(HTMLEncodedChar(i).size(), 1u) << i;
        EXPECT_EQ(FixMarkup(HTMLEncodedChar(i), true), HTMLSpecialChar(i)) << i;
        EXPECT_EQ(UnFixMarkup(HTMLSpecialChar(i), true), HTMLEncodedChar(i)) << i;
    }
}

TEST(JyrHTMLEntities, FixMarkupEscapesDirectly)
{
    TCase WithTable[] = {
        {L"a&b", L"a&amp;b"},
        {L"*amp; stays", L"*amp; stays"},
        {L"<\"x\">", L"&lt;&quot;x&quot;&gt;"},
        {L"$'Õ", L"&dollar;&apos;&Otilde;"},
        {L"&eacute;", L"&amp;eacute;"},
    };
    for (const auto& C : WithTable) EXPECT_EQ(FixMarkup(C.In, true), C.Out) << C.In;
    EXPECT_EQ(FixMarkup(L"$'é & <", false), L"$'é &amp; &lt;");
}

TEST(JyrHTMLEntities, UnFixMarkupFollowsTheReplacementRule)
{
    TCase WithTable[] = {
        {L"&quot;x&quot;", L"\"x\""},
        {L"&EACUTE;", L"&EACUTE;"},                // folded alone: not decoded
        {L"&EACUTE; &eacute;", L"é é"},            // ... but with an exact one after it
        {L"&eacute; &EACUTE;", L"é &EACUTE;"},     // ... not with one before it
        {L"&Eacute; &eacute;", L"É é"},            // an exact name keeps its own character
        {L"&Otilde;", L"Õ"},
        {L"&Otilde", L"Õ"},                        // written before the row had its semicolon
        {L"&Otildex", L"Õx"},
        {L"&amp;&lt;&gt;&nbsp;&#65;", L"&amp;&lt;&gt;&nbsp;&#65;"},
        {L"&&eacute;", L"&é"},
        {L"&eacute", L"&eacute"},
    };
    for (const auto& C : WithTable) EXPECT_EQ(UnFixMarkup(C.In, true), C.Out) << C.In;
    EXPECT_EQ(UnFixMarkup(L"&eacute;&quot;", false), L"&eacute;\"");
}

// ---- Preparation for drawing --------------------------------------------------------------------

TEST(JyrHTMLPrepare, NumericReferences)
{
    TCase Cases[] = {
        {L"&#65;&#x42;&#$43;", L"ABC"},
        {L"&#12345;", L"&#12345;"},
        {L"&#abc;", L"&#abc;"},
        {L"&#;", L"&#;"},
        {L"&#65", L"&#65"},
        {L"&#&#65;", L"&#A"},
        {L"&#0065;x", L"Ax"},
        {L"&#-1;", String(1, wchar_t(0xFFFF))},   // only the low 16 bits are kept
        {L"&&#65;", L"&A"},
    };
    for (const auto& C : Cases) EXPECT_EQ(UnicodeTagStrip(C.In), C.Out) << C.In;
}

TEST(JyrHTMLPrepare, FieldTagsAndLineEnds)
{
    TCase Fields[] = {
        {L"<#FIELD>", L"#FIELD"},
        {L"<<#A>>", L"#A"},
        {L"<#A <>#B", L"#A #B"},
        {L"a<#b", L"a#b"},
        {L"x<#y>z>", L"x#yz>"},
        {L"<b>#</b>", L"<b>#</b>"},
    };
    for (const auto& C : Fields) EXPECT_EQ(DBTagStrip(C.In), C.Out) << C.In;

    EXPECT_EQ(CRLFStrip(L"a\r\nb", true), L"a<BR>b");
    EXPECT_EQ(CRLFStrip(L"a\nb", true), L"ab");
    TCase NoBreak[] = {
        {L"a\r\nb", L"a b"},
        {L"<b>\r<i>", L"<b><i>"},
        {L"<b>\r\n<i>", L"<b> <i>"},
        {L"\r<i>", L" <i>"},
        {L"<b>\r", L"<b> "},
    };
    for (const auto& C : NoBreak) EXPECT_EQ(CRLFStrip(C.In, false), C.Out) << C.In;
}

TEST(JyrHTMLPrepare, AllStepsInOrder)
{
    TCase Cases[] = {
        {L"x &amp; y", L"x && y"},
        {L"x &AMP; y", L"x && y"},
        {L"&amp;amp;", L"&&amp;"},        // an escaped "&amp;" shows as written
        {L"&amp;#65;", L"&&#65;"},        // ... so does an escaped numeric reference
        {L"&#65;&eacute;&Otilde;", L"AéÕ"},
        {L"<#F>\r\nx", L"#F<BR>x"},
        {L"&quot;<#a>&#66;", L"\"#aB"},
    };
    for (const auto& C : Cases) EXPECT_EQ(PrepareMarkup(C.In), C.Out) << C.In;

    JYR_KEEP_LINEBREAKS = false;
    EXPECT_EQ(PrepareMarkup(L"a\r\nb"), L"a b");
    JYR_KEEP_LINEBREAKS = true;
}

TEST(JyrHTMLPrepare, RunDecoding)
{
    TCase Cases[] = {
        {L"a&nbsp;b", L"a b"},
        {L"&lt;b&gt;", L"<b>"},
        {L"caf&eacute;", L"café"},
        {L"&LT; &lt;", L"< <"},
        {L"&&lt;", L"&&lt;"},            // "&&" is a literal ampersand, not a reference's start
        {L"&&&lt;", L"&&<"},
        {L"&amp;", L"&amp;"},
        {L"&Otilde;", L"Õ"},
    };
    for (const auto& C : Cases) EXPECT_EQ(DecodeRun(C.In), C.Out) << C.In;
}

// ---- Small string routines ----------------------------------------------------------------------

TEST(JyrHTMLStrings, SearchAndReplace)
{
    EXPECT_EQ(IPos(L"bc", L"ABCD"), 2);
    EXPECT_EQ(IPos(L"", L"ABCD"), 0);
    EXPECT_EQ(IPos(L"ø", L"Ø"), 0) << "ASCII folding only";
    int r = -1;
    EXPECT_EQ(VarPos(L"cd", L"abcd", r), 3);
    EXPECT_EQ(r, 3);
    EXPECT_EQ(VarIPos(L"CD", L"abcd", r), 3);
    EXPECT_EQ(VarIPos(L"cd", L"ABCD", r), 0) << "the pattern comes upper-cased";
    EXPECT_EQ(r, 0);
    String d = L"a<br>b<BR>";
    EXPECT_TRUE(TagReplaceString(L"<BR>", L"|", d));
    EXPECT_EQ(d, L"a|b<BR>");
    EXPECT_FALSE(TagReplaceString(L"<HR>", L"|", d));
    EXPECT_EQ(FirstChar(L"xyz", L"abz"), 3);
    EXPECT_EQ(FirstChar(L"xyz", L"abc"), -1);
}

TEST(JyrHTMLStrings, WholeNumbers)
{
    struct {
        String In;
        int Value;
        bool Clean;
    } Cases[] = {
        {L"12", 12, true},     {L" -3", -3, true},  {L"$1F", 31, true},   {L"x10", 16, true},
        {L"0x10", 16, true},   {L"12\"", 12, false}, {L"12abc", 12, false}, {L"", 0, false},
        {L"abc", 0, false},    {L"99999999999", 999999999, false},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(IStrToInt(C.In), C.Value) << C.In;
        int v = -7;
        EXPECT_EQ(TryIStrToInt(C.In, v), C.Clean) << C.In;
        EXPECT_EQ(v, C.Clean ? C.Value : -7) << C.In;
    }
}

TEST(JyrHTMLStrings, DirExists)
{
    String Dir = GetTempDirectory() + L"jyrhtml_" + IntToStr(Int64(GetTickCount()));
    ASSERT_TRUE(ForceDirectories(Dir));
    String File = Dir + L"\\f.txt";
    FILE* F = _wfopen(File.c_str(), L"wb");
    ASSERT_NE(F, nullptr);
    fclose(F);
    EXPECT_TRUE(DirExists(Dir));
    EXPECT_FALSE(DirExists(File));
    EXPECT_FALSE(DirExists(Dir + L"\\missing"));
    EXPECT_FALSE(DirExists(L""));
    DeleteFile(File);
    RemoveDir(Dir);
}

// ---- Plain text ---------------------------------------------------------------------------------

TEST(JyrHTMLStrip, VisibleText)
{
    TCase Cases[] = {
        {L"a<b>b</b><br>c", L"ab" + CRLF + L"c"},
        {L"x<y", L"x<y"},
        {L"a &amp; b", L"a &amp; b"},
        {L"<HR>x<Hr>", CRLF + L"x" + CRLF},
        {L"<br/>x", L"x"},
        {L"<a title='<br>'>x", L"x"},   // the line breaks go first, then the tags
        {L"<<b>>", L">"},
        {L"a>b", L"a>b"},
        {L"", L""},
    };
    for (const auto& C : Cases) EXPECT_EQ(HTMLStrip(C.In), C.Out) << C.In;

    TCase All[] = {
        {L"a>b<i>c", L"a>b<i>c"},
        {L"<i>a</i>", L"a"},
        {L"<i>x>y<b>z", L"x>y<b>z"},
        {L"a<b", L"a<b"},
        {L"a<br>b", L"ab"},
    };
    for (const auto& C : All) EXPECT_EQ(HTMLStripAll(C.In), C.Out) << C.In;
}

// ---- Marks -------------------------------------------------------------------------------------

TEST(JyrHTMLHiLight, PlainText)
{
    EXPECT_EQ(HiLight(L"Tom & Jerry", L"jerry", L"hi", false, false), L"Tom &amp; <HI>Jerry</HI>");
    EXPECT_EQ(HiLight(L"Tom tom", L"tom", L"hi", true, false), L"Tom <HI>tom</HI>");
    EXPECT_EQ(HiLight(L"aXa", L"a", L"e", false, false), L"<E>a</E>X<E>a</E>");
    EXPECT_EQ(HiLight(L"a & b", L"x", L"hi", false, false), L"a & b") << "no hit: unchanged";
    EXPECT_EQ(HiLight(L"a & b", L"", L"hi", false, false), L"a & b");
    EXPECT_EQ(HiLight(L"<hi>a</hi>b", L"b", L"hi", false, false), L"a<HI>b</HI>")
        << "old marks of the tag go first";
    EXPECT_EQ(HiLight(L"abc", L"ABC", L"hi", false, true), L"<HI>abc</HI>");
    EXPECT_EQ(HiLight(L"abc", L"ab", L"hi", false, true), L"abc");
    EXPECT_EQ(HiLight(L"café €", L"CAFÉ €", L"hi", false, true), L"<HI>caf&eacute; &euro;</HI>");
}

TEST(JyrHTMLHiLight, MarkupKeepsTagsAndReferencesWhole)
{
    struct {
        String In, Hit, Out;
    } Cases[] = {
        {L"<b>Tom</b> Jerry", L"m J", L"<b>To<HI>m</b> J</HI>erry"},
        {L"<b>Tom</b> Jerry", L"tom", L"<b><HI>Tom</HI></b> Jerry"},
        {L"<font color=\"red\">ab</font>cd", L"bc",
         L"<font color=\"red\">a<HI>b</font></HI><HI>c</HI>d"},
        // a decoded reference is one visible character
        {L"<b>caf&eacute;</b> bar", L"é b", L"<b>caf<HI>&eacute;</b> b</HI>ar"},
        {L"<i>R&amp;D</i> x", L"r&d", L"<i><HI>R&amp;D</HI></i> x"},
        {L"<i>a&amp;b</i>", L"amp", L"<i>a&amp;b</i>"},
        {L"<i>x&#65;</i>", L"xa", L"<i><HI>x&#65;</HI></i>"},
        {L"<b>ÆBLE</b>", L"æble", L"<b><HI>ÆBLE</HI></b>"},
        {L"<b>a</b> x<y", L"y", L"<b>a</b> x<y"},   // nothing marked after a "<" without ">"
    };
    for (const auto& C : Cases) EXPECT_EQ(HiLight(C.In, C.Hit, L"hi", false, false), C.Out) << C.In;
    EXPECT_EQ(HiLight(L"<b>ab</b>", L"AB", L"hi", false, true), L"<HI><b>ab</b></HI>");
}

TEST(JyrHTMLHiLight, UnmarkingGivesBackTheText)
{
    const String Plain[] = {L"Tom & Jerry", L"a <b> \"q\" & é $", L"R&amp;D literal", L"café €'",
                            L"tom"};
    const String Hits[] = {L"jerry", L"a", L"&", L"é", L"tom", L"R&amp;D literal", L"café €'"};
    for (const auto& s : Plain)
        for (const auto& h : Hits)
            for (bool Full : {false, true}) {
                String Marked = HiLight(s, h, L"hi", false, Full);
                EXPECT_EQ(UnHiLight(Marked, L"hi"), s) << s << " / " << h << " / " << Full;
            }
    // Marking a marked text again (another search) and then unmarking it.
    String Twice = HiLight(HiLight(L"Tom & Jerry", L"jerry", L"hi", false, false), L"tom", L"hi",
                           false, false);
    EXPECT_EQ(Twice, L"<HI>Tom</HI> &amp; Jerry");
    EXPECT_EQ(UnHiLight(Twice, L"hi"), L"Tom & Jerry");
    EXPECT_EQ(HiLight(L"Tom &amp; <HI>Jerry</HI>", L"zz", L"hi", false, false), L"Tom & Jerry");
    EXPECT_EQ(UnHiLight(L"<HI>Tom</HI> &amp; Jerry", L"hi"), L"Tom & Jerry");
    EXPECT_EQ(UnHiLight(L"<b>x</b> <hi>y</hi> &amp;", L"HI"), L"<b>x</b> y &amp;")
        << "markup stays escaped";
    EXPECT_EQ(UnHiLight(L"a &amp; b", L"hi"), L"a &amp; b") << "never marked: untouched";
}

// ---- Inline controls ----------------------------------------------------------------------------

namespace {

struct TParsed {
    String Type, ID, Value, Width, Height, Prop, Len;
};

TParsed Parse(const String& Tag)
{
    TParsed P{L"x", L"x", L"x", L"x", L"x", L"x", L"x"};
    ParseControl(Tag, P.Type, P.ID, P.Value, P.Width, P.Height, P.Prop, P.Len);
    return P;
}

}  // namespace

TEST(JyrHTMLControls, ParseReadsAttributesLeftToRight)
{
    TParsed P = Parse(L"<CONTROL TYPE=\"edit\" ID=\"e1\" VALUE=\"a &amp; b&eacute;\" WIDTH=\"60\" "
                      L"HEIGHT=\"20\" PROP=\"p&lt;\" MAXLEN=\"10\">");
    EXPECT_EQ(P.Type, L"EDIT");
    EXPECT_EQ(P.ID, L"e1");
    EXPECT_EQ(P.Value, L"a & bé");
    EXPECT_EQ(P.Width, L"60");
    EXPECT_EQ(P.Height, L"20");
    EXPECT_EQ(P.Prop, L"p<");
    EXPECT_EQ(P.Len, L"10");

    P = Parse(L"<control>");
    EXPECT_EQ(P.Type + P.ID + P.Value + P.Width + P.Height + P.Prop + P.Len, L"") << "cleared";

    P = Parse(L"CONTROL ID=\"x\" VALUE=\"TYPE=RADIO ID=y\" TYPE=\"edit\"");
    EXPECT_EQ(P.Type, L"EDIT") << "a value's text is no attribute";
    EXPECT_EQ(P.ID, L"x");
    EXPECT_EQ(P.Value, L"TYPE=RADIO ID=y");

    P = Parse(L"CONTROL GRID=\"g\" id=\"a\" ID=\"b\" type=check");
    EXPECT_EQ(P.ID, L"a") << "whole names only; the first occurrence wins";
    EXPECT_EQ(P.Type, L"") << "a value without delimiters reads as empty";
}

TEST(JyrHTMLControls, FindingAndReading)
{
    const String H = L"x<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"v&amp;1\" PROP=\"p1\" MAXLEN=\"10abc\">"
                     L"<control type=\"CHECK\" id=\"c1\" value=\"TRUE\">"
                     L"<CONTROL TYPE=\"COMBO\" ID=\"k1\" VALUE=\"\">y";
    EXPECT_TRUE(HasHTMLControl(L"a<control"));
    EXPECT_FALSE(HasHTMLControl(L"a<contro"));
    EXPECT_EQ(GetNextControlID(H, L""), L"e1");
    EXPECT_EQ(GetNextControlID(H, L"e1"), L"k1");
    EXPECT_EQ(GetNextControlID(H, L"k1"), L"");
    EXPECT_EQ(GetNextControlID(H, L"zz"), L"");
    String v = L"untouched";
    EXPECT_FALSE(GetControlValue(H, L"E1", v)) << "IDs compare exactly";
    EXPECT_EQ(v, L"untouched");
    EXPECT_TRUE(GetControlValue(H, L"e1", v));
    EXPECT_EQ(v, L"v&1");
    EXPECT_EQ(GetControlProp(H, L"e1"), L"p1");
    EXPECT_EQ(GetControlProp(H, L"c1"), L"");
    EXPECT_EQ(GetControlMaxLen(H, L"e1"), 10);
    EXPECT_EQ(GetControlMaxLen(H, L"k1"), 0);
    EXPECT_EQ(GetControlMaxLen(H, L"none"), 0);
}

TEST(JyrHTMLControls, SetValueRewritesTheTagAndKeepsEverything)
{
    String H = L"a<CONTROL TYPE=\"edit\" ID=\"e1\" VALUE=\"old\" WIDTH=\"60\" HEIGHT=\"22\" "
               L"CLASS=\"big one\" MAXLEN=\"5\" PROP=\"x &amp; y\" />b";
    String Same = H;
    EXPECT_FALSE(SetControlValue(Same, L"nope", L"v"));
    EXPECT_EQ(Same, H);

    ASSERT_TRUE(SetControlValue(H, L"e1", L"new & <x>"));
    EXPECT_EQ(H, L"a<CONTROL ID=\"e1\" VALUE=\"new &amp; &lt;x&gt;\" WIDTH=\"60\" HEIGHT=\"22\" "
                 L"TYPE=\"EDIT\" PROP=\"x &amp; y\" MAXLEN=\"5\" CLASS=\"big one\" />b");
    String Again = H;
    ASSERT_TRUE(SetControlValue(Again, L"e1", L"new & <x>"));
    EXPECT_EQ(Again, H) << "rewriting is stable: nothing grows";

    for (const String& Value : {String(L"\"q\" & é $ ' &amp; <"), String(L""), String(L"TYPE=\"X\"")}) {
        ASSERT_TRUE(SetControlValue(H, L"e1", Value));
        String Back;
        ASSERT_TRUE(GetControlValue(H, L"e1", Back));
        EXPECT_EQ(Back, Value);
        EXPECT_EQ(GetControlProp(H, L"e1"), L"x & y");
    }
}

TEST(JyrHTMLControls, ClearRadiosAsSettingEachInTurn)
{
    const String H = L"<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"20\">"
                     L"<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"TRUE\" WIDTH=\"20\">"
                     L"<CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"TRUE\" WIDTH=\"20\">"
                     L"<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"20\">";
    String Expected = H;
    for (const wchar_t* ID : {L"r1", L"r2", L"r1"}) SetControlValue(Expected, ID, L"FALSE");
    String Cleared = ClearRadioControls(H);
    EXPECT_EQ(Cleared, Expected);
    String v;
    ASSERT_TRUE(GetControlValue(Cleared, L"r2", v));
    EXPECT_EQ(v, L"FALSE");
    ASSERT_TRUE(GetControlValue(Cleared, L"e", v));
    EXPECT_EQ(v, L"TRUE");
    EXPECT_EQ(ClearRadioControls(L"no controls"), L"no controls");
}

// ---- Hostile input -------------------------------------------------------------------------------

TEST(JyrHTMLHostile, EveryRoutineStaysQuickOnLargeOrBrokenInput)
{
    const int Big = 1 << 20;   // characters
    std::vector<String> Inputs = {
        DupeString(L"&", Big),
        DupeString(L"<", Big),
        DupeString(L"<#", Big / 2),
        DupeString(L"&#", Big / 2),
        DupeString(L"&#1", Big / 3) + L";",
        DupeString(L"&EACUTE;", Big / 8) + L"&eacute;",
        DupeString(L"&amp;", Big / 5),
        DupeString(L"<b>", Big / 3),
        DupeString(L"<b>x</b>&eacute; ", Big / 17),
        DupeString(L"a", Big),
        DupeString(L"\r\n", Big / 2),
        DupeString(L"<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"TRUE\">", 2000) + L"<CONTROL ",
        L"&#99999999999999999999;&#$FFFFFFFFFF;&#x;&#-;&#",
        L"<font color=\"#zz\" style=\"font-size:x\"><<<>>>",
        L"<CONTROL TYPE=\"",
        L"<CONTROL ID=\"a\" VALUE=\"unclosed>",
        String(L"\0<\0>&\0;", 7),
    };
    auto T0 = std::chrono::steady_clock::now();
    for (const String& s : Inputs) {
        String r = HTMLStrip(s);
        r = HTMLStripAll(s);
        r = PrepareMarkup(s);
        r = DecodeRun(s);
        r = FixMarkup(s, true);
        r = UnFixMarkup(s, true);
        String Marked = HiLight(s, L"a", L"hi", false, false);
        r = UnHiLight(Marked, L"hi");
        r = HiLight(s + L"</b>", L"x", L"hi", false, false);
        r = HiLight(s, DupeString(L"a", 40) + L"b", L"hi", true, false);
        (void)HasHTMLControl(s);
        r = GetNextControlID(s, L"r");
        r = ClearRadioControls(s);
        String v;
        (void)GetControlValue(s, L"r", v);
        String Work = s;
        (void)SetControlValue(Work, L"r", L"x");
    }
    // Linear work on these sizes takes a few seconds, more on a loaded two-core machine; a
    // quadratic rescan takes many minutes.
    EXPECT_LT(SecondsSince(T0), 90.0);
}

// ---- Random markup against the routines' plain definitions ------------------------------------

namespace {

// Literal forms of the definitions: slow, obviously right on short texts.
String RefHTMLStrip(String s)
{
    for (const String& Tag : {String(L"<BR>"), String(L"<HR>")})
        while (true) {
            size_t p = UpperCase(s).find(Tag);
            if (p == String::npos) break;
            s.replace(p, 4, CRLF);
        }
    String r;
    while (true) {
        size_t Lt = s.find(L'<');
        if (Lt == String::npos) break;
        size_t Gt = s.find(L'>', Lt);
        if (Gt == String::npos) break;
        r += s.substr(0, Lt);
        s.erase(0, Gt + 1);
    }
    return r + s;
}

String RefHTMLStripAll(String s)
{
    String r;
    while (true) {
        size_t Lt = s.find(L'<'), Gt = s.find(L'>');
        if (Lt == String::npos || Gt == String::npos || Gt < Lt) break;
        r += s.substr(0, Lt);
        s.erase(0, Gt + 1);
    }
    return r + s;
}

String RefDBTagStrip(String s)
{
    for (size_t p; (p = s.find(L"<#")) != String::npos;) {
        s.erase(p, 1);
        size_t Gt = s.find(L'>', p);
        if (Gt != String::npos) s.erase(Gt, 1);
    }
    return s;
}

String RefUnicodeTagStrip(const String& s)
{
    String r;
    size_t i = 0;
    while (true) {
        size_t a = s.find(L"&#", i);
        if (a == String::npos) break;
        r += s.substr(i, a - i);
        size_t Semi = s.find(L';', a + 2);
        int v = 0;
        if (Semi != String::npos && Semi - a - 2 >= 1 && Semi - a - 2 <= 4 &&
            TryIStrToInt(s.substr(a + 2, Semi - a - 2), v)) {
            r += wchar_t(v & 0xFFFF);
            i = Semi + 1;
        } else {
            r += L"&#";
            i = a + 2;
        }
    }
    return r + s.substr(i);
}

String RefCRLFStrip(const String& s, bool Break)
{
    String r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'\n') continue;
        if (s[i] != L'\r') r += s[i];
        else if (Break) r += L"<BR>";
        else if (!(i > 0 && s[i - 1] == L'>' && i + 1 < s.size() && s[i + 1] == L'<')) r += L' ';
    }
    return r;
}

void RefReplace(String& t, const String& N, const String& R)
{
    while (t.find(N) != String::npos) TagReplaceString(N, R, t);
}

// The replacement loops over the table, row 55 with its semicolon and then the old spelling.
String RefUnFixMarkup(String t)
{
    RefReplace(t, L"&quot;", L"\"");
    for (int i = 1; i <= HTMLEntityCount; ++i) RefReplace(t, HTMLSpecialChar(i), HTMLEncodedChar(i));
    for (size_t p; (p = t.find(L"&Otilde")) != String::npos;) t.replace(p, 7, L"Õ");
    return t;
}

String RandomText(std::mt19937& Rng, const std::vector<String>& Parts, int MaxParts)
{
    String s;
    int n = int(Rng() % unsigned(MaxParts + 1));
    for (int k = 0; k < n; ++k) s += Parts[Rng() % Parts.size()];
    return s;
}

// True when a mark written after Before (a prefix of the marked text) splits a tag or a
// reference of the source s.
bool MarkSplitsSource(const String& s, const String& Before)
{
    String p = UnHiLight(Before + L"</b>", L"hi");   // the marks before this one removed
    p.resize(p.size() - 4);
    if (s.compare(0, p.size(), p) != 0) return true;
    size_t Lt = p.rfind(L'<');
    if (Lt != String::npos && p.find(L'>', Lt) == String::npos) return true;
    size_t Amp = p.rfind(L'&');
    if (Amp == String::npos) return false;
    if (s.compare(Amp, 7, L"&Otilde") == 0 && (Amp + 7 >= s.size() || s[Amp + 7] != L';'))
        return p.size() < Amp + 7;   // the old spelling without its semicolon
    size_t End = Amp + 1;
    while (End < s.size() && End - Amp <= 9 && (iswalnum(s[End]) || s[End] == L'#' || s[End] == L'$'))
        ++End;
    // A reference that ends (with its ";") inside p is whole; one that reaches past p is split.
    if (End >= s.size() || s[End] != L';' || End < p.size()) return false;
    const String Ref = s.substr(Amp, End - Amp + 1);
    bool Decodes = MatchStr(Ref, {L"&amp;", L"&lt;", L"&gt;", L"&nbsp;", L"&quot;"}) ||
                   UnFixMarkup(Ref, true) != Ref || UnicodeTagStrip(Ref) != Ref;
    return Decodes;
}

}  // namespace

TEST(JyrHTMLRandom, RoutinesAgreeWithTheirDefinitionsAndMarksNeverSplitMarkup)
{
    const std::vector<String> Parts = {
        L"a", L"b", L"x", L" ", L"é", L"É", L"<", L">", L"<b>", L"</b>", L"<br>", L"<BR>", L"<Hr>",
        L"<#", L"#", L"&", L";", L"&#", L"65", L"x41", L"&#65;", L"&#12345;", L"&eacute;",
        L"&EACUTE;", L"&eAcute;", L"&quot;", L"&QUOT;", L"&Otilde;", L"&Otilde", L"&OTILDE;",
        L"&amp;", L"&lt;", L"&nbsp;", L"&&", L"\r", L"\n", L"\r\n", L"<font color=\"red\">",
        L"</font>", L"\"",
    };
    const std::vector<String> Hits = {L"a", L"ab", L"b a", L"é", L"&", L"<", L"A", L"x>", L"\"",
                                      L"ée"};
    std::mt19937 Rng(20240611u);
    auto T0 = std::chrono::steady_clock::now();
    int Runs = 0;
    for (; Runs < 100000 && SecondsSince(T0) < 1.5; ++Runs) {
        const String s = RandomText(Rng, Parts, 12);
        ASSERT_EQ(HTMLStrip(s), RefHTMLStrip(s)) << s;
        ASSERT_EQ(HTMLStripAll(s), RefHTMLStripAll(s)) << s;
        ASSERT_EQ(DBTagStrip(s), RefDBTagStrip(s)) << s;
        ASSERT_EQ(UnicodeTagStrip(s), RefUnicodeTagStrip(s)) << s;
        ASSERT_EQ(CRLFStrip(s, false), RefCRLFStrip(s, false)) << s;
        ASSERT_EQ(CRLFStrip(s, true), RefCRLFStrip(s, true)) << s;
        ASSERT_EQ(UnFixMarkup(s, true), RefUnFixMarkup(s)) << s;

        const String& h = Hits[Rng() % Hits.size()];
        bool Full = Rng() % 8 == 0;
        const String Plain = StringReplace(s, L"</", L"<", TReplaceFlags{rfReplaceAll});
        ASSERT_EQ(UnHiLight(HiLight(Plain, h, L"hi", false, Full), L"hi"), Plain) << Plain;
        const String Markup = s + L"</b>";
        const String Marked = HiLight(Markup, h, L"hi", false, Full);
        ASSERT_EQ(UnHiLight(Marked, L"hi"), Markup) << Markup;
        for (size_t p = Marked.find(L"<HI>"); p != String::npos; p = Marked.find(L"<HI>", p + 1))
            ASSERT_FALSE(MarkSplitsSource(Markup, Marked.substr(0, p))) << Markup << " / " << h;
        for (size_t p = Marked.find(L"</HI>"); p != String::npos; p = Marked.find(L"</HI>", p + 1))
            ASSERT_FALSE(MarkSplitsSource(Markup, Marked.substr(0, p))) << Markup << " / " << h;
    }
    EXPECT_GT(Runs, 200);
}
