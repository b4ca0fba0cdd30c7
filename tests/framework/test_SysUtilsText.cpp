// StrUtils and Character: more text routines and Unicode classification.
#include "framework/Character.h"
#include "framework/StrUtils.h"

namespace {

TEST(SysUtilsText, PiecesOfStrings)
{
    EXPECT_EQ(LeftStr(L"hello", 2), L"he");
    EXPECT_EQ(LeftStr(L"hello", 99), L"hello");
    EXPECT_EQ(LeftStr(L"hello", -1), L"");
    EXPECT_EQ(RightStr(L"hello", 3), L"llo");
    EXPECT_EQ(RightStr(L"hello", 99), L"hello");
    EXPECT_EQ(RightStr(L"hello", 0), L"");
    EXPECT_EQ(MidStr(L"hello", 2, 3), L"ell");
    EXPECT_EQ(StuffString(L"hello", 2, 3, L"EY"), L"hEYo");
    EXPECT_EQ(StuffString(L"hi", 9, 3, L"!"), L"hi!");
    EXPECT_EQ(DupeString(L"ab", 3), L"ababab");
    EXPECT_EQ(DupeString(L"ab", -1), L"");
    EXPECT_EQ(ReverseString(L"ab\U0001F0A1c"), L"c\U0001F0A1ba");   // the pair stays whole
    EXPECT_EQ(PosLast(L"ab", L"abcab"), 4);
    EXPECT_EQ(SplitString(L"a,b;;c", L",;"), (std::vector<String>{L"a", L"b", L"", L"c"}));
    EXPECT_EQ(SplitString(L"", L","), (std::vector<String>{L""}));
}

TEST(SysUtilsText, StartsEndsContains)
{
    EXPECT_TRUE(StartsStr(L"ab", L"abc"));
    EXPECT_FALSE(StartsStr(L"AB", L"abc"));
    EXPECT_TRUE(StartsText(L"ÆB", L"æbc"));
    EXPECT_FALSE(StartsText(L"abcd", L"abc"));
    EXPECT_TRUE(EndsStr(L"bc", L"abc"));
    EXPECT_TRUE(EndsText(L"BC", L"abc"));
    EXPECT_TRUE(ContainsStr(L"abc", L"b"));
    EXPECT_TRUE(ContainsText(L"Rødgrød", L"GRØD"));
    EXPECT_TRUE(ContainsStr(L"abc", L""));
    EXPECT_EQ(ReplaceText(L"Ab ab AB", L"ab", L"x"), L"x x x");
    EXPECT_EQ(ReplaceStr(L"Ab ab AB", L"ab", L"x"), L"Ab x AB");
    EXPECT_EQ(IndexStr(L"b", {L"a", L"b"}), 1);
    EXPECT_EQ(IndexStr(L"B", {L"a", L"b"}), -1);
    EXPECT_EQ(IndexText(L"Ø", {L"a", L"ø"}), 1);
    EXPECT_TRUE(MatchText(L"NORD", {L"nord", L"syd"}));
    EXPECT_EQ(IfThen(true, String(L"y"), String(L"n")), L"y");
}

TEST(SysUtilsText, NumberCharactersOfEveryScript)
{
    const Char Numbers[] = {L'0', L'9', 0x0665 /* Arabic-Indic 5 */, 0x0967 /* Devanagari 1 */,
                            0xFF13 /* full-width 3 */, 0x00B2 /* superscript 2 */,
                            0x00BD /* one half */, 0x2163 /* Roman IV */, 0x2460 /* circled 1 */};
    for (Char C : Numbers) EXPECT_TRUE(Character::IsNumber(C)) << int(C);
    const Char NotNumbers[] = {L'a', L'.', L'-', L' ', L'Ø', 0x2660 /* spade */, L'\0'};
    for (Char C : NotNumbers) EXPECT_FALSE(Character::IsNumber(C)) << int(C);
    EXPECT_TRUE(Character::IsDigit(0x0665));
    EXPECT_FALSE(Character::IsDigit(0x00B2));
    EXPECT_FALSE(Character::IsDigit(0x2163));
}

TEST(SysUtilsText, LettersSpacesAndCase)
{
    EXPECT_TRUE(Character::IsLetter(L'æ'));
    EXPECT_TRUE(Character::IsLetter(L'Z'));
    EXPECT_FALSE(Character::IsLetter(L'1'));
    EXPECT_FALSE(Character::IsLetter(0x2660));
    EXPECT_TRUE(Character::IsLetterOrDigit(L'5'));
    EXPECT_TRUE(Character::IsUpper(L'Ø'));
    EXPECT_TRUE(Character::IsLower(L'ø'));
    EXPECT_TRUE(Character::IsWhiteSpace(L'\t'));
    EXPECT_TRUE(Character::IsWhiteSpace(0x3000));
    EXPECT_TRUE(Character::IsWhiteSpace(0x00A0));
    EXPECT_FALSE(Character::IsWhiteSpace(L'x'));
    EXPECT_TRUE(Character::IsControl(L'\x07'));
    EXPECT_TRUE(Character::IsPunctuation(L','));
    EXPECT_TRUE(Character::IsHighSurrogate(0xD83C));
    EXPECT_TRUE(Character::IsLowSurrogate(0xDCA1));
    EXPECT_EQ(Character::ToUpper(L'å'), L'Å');
    EXPECT_EQ(Character::ToLower(L'Æ'), L'æ');
    EXPECT_EQ(Character::ToUpper(L'1'), L'1');
}

}  // namespace
