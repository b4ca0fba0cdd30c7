// The calculator's arithmetic over a display without a window: keypad and typed sequences as a
// table of cases with the display's text checked along the way, the edit's own character rules,
// bad values set or pasted, and seeded random sequences that must leave a number or "Error".
#include "pickers/QorCalculatorEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <sstream>

namespace {

// The calculator drop-down's thin layer, played without a window: keypad clicks go to the engine
// by their Tag; a character typed in the open popup first passes the edit (the engine's rules,
// then the edit's own typed input), then the engine's popup handling.
struct TCalc {
    TQorCalculatorText Text;
    TQorCalculatorEngine Engine{Text};
    TCalcKeyResult LastKey = TCalcKeyResult::None;

    TCalc(int Precision, int MaxLength = 0, bool Thousands = false)
    {
        Text.SetPrecision(Precision);
        Text.SetMaxLength(MaxLength);
        Text.SetShowThousandSeparator(Thousands);
        Open();
    }
    void Open()
    {
        Text.SetSigned(false);
        Engine.DropDownOpened();
    }
    void Type(Char Key, bool Alt = false)
    {
        Char K = Key;
        Engine.EditKeyPress(K, true);
        if (K) Text.TypeChar(K);
        LastKey = Engine.HandleKeyPress(Key, Alt);
    }
    String Shown() { return Text.GetText(); }
};

const std::map<String, int> KeypadTags = {
    {L"+", caPlus},         {L"-", caMinus},          {L"*", caMultiply},    {L"/", caDivide},
    {L"+/-", caSign},       {L".", caPoint},          {L"C", caClear},       {L"=", caEquals},
    {L"%", caPercent},      {L"ON", caOn},            {L"Back", caBack},     {L"CE", caClearEntry},
    {L"MC", caMemoryClear}, {L"MR", caMemoryRecall},  {L"MS", caMemoryStore}, {L"M+", caMemoryAdd},
    {L"sqrt", caSqrt},      {L"1/x", caReciprocal},
};

// Plays a sequence of blank-separated steps: a keypad button by its caption ("7", "+/-", "MS"),
// a typed character after a quote ("'5", "'-"), "Enter" typed, or "[text]": the display must show
// exactly that text now.
void Play(TCalc& C, const String& Steps)
{
    std::wistringstream In(Steps);
    String Step;
    while (In >> Step) {
        if (Step.front() == L'[') {
            ASSERT_EQ(C.Shown(), Step.substr(1, Step.size() - 2)) << "in " << Steps;
        } else if (Step.front() == L'\'') {
            C.Type(Step[1]);
        } else if (Step == L"Enter") {
            C.Type(13);
        } else if (Step.size() == 1 && Step[0] >= L'0' && Step[0] <= L'9') {
            C.Engine.ButtonClick(Step[0] - L'0');
        } else {
            auto It = KeypadTags.find(Step);
            ASSERT_NE(It, KeypadTags.end()) << Step;
            C.Engine.ButtonClick(It->second);
        }
    }
}

struct CalcCase {
    int Precision;
    int MaxLength;
    bool Thousands;
    const wchar_t* Steps;
};

class CalculatorCases : public ::testing::TestWithParam<CalcCase> {
protected:
    TFormatSettingsGuard Settings{TFormatSettings::Invariant()};
};

TEST_P(CalculatorCases, ShowWhatAPocketCalculatorShows)
{
    TCalc C(GetParam().Precision, GetParam().MaxLength, GetParam().Thousands);
    Play(C, GetParam().Steps);
}

INSTANTIATE_TEST_SUITE_P(Keypad, CalculatorCases, ::testing::Values(
    // An operator completes the pending operation before it becomes pending itself.
    CalcCase{2, 0, false, L"2 + 3 + [5.00] 4 = [9.00]"},
    // Division by zero clears the accumulator; "Error" then reads as 0.
    CalcCase{2, 0, false, L"9 / 0 = [Error] + 5 = [5.00]"},
    CalcCase{2, 0, false, L"5 +/- 3 [-53.00]"},
    // A digit past the shown decimals is ignored rather than rounding the display.
    CalcCase{2, 0, false, L"1 . 2 5 [1.25] 7 [1.25] + 1 = [2.25]"},
    CalcCase{2, 0, false, L"2 0 0 + 1 0 % [20.00] = [220.00]"},
    CalcCase{2, 0, false, L"4 +/- sqrt [Error]"},
    CalcCase{2, 0, false, L"0 sqrt [0.00] 1/x [Error]"},
    // "." and "+/-" on "Error" start from 0.
    CalcCase{2, 0, false, L"9 / 0 = . 5 [0.50]"},
    CalcCase{2, 0, false, L"9 / 0 = +/- 5 [5.00]"},
    // MS and M+ on "Error" leave the memory.
    CalcCase{2, 0, false, L"9 / 0 = MS MR [0.00]"},
    CalcCase{2, 0, false, L"5 MS C 9 / 0 = M+ MR [5.00] M+ MR [10.00] MC MR [0.00]"},
    CalcCase{2, 0, false, L"1 2 + Back [12.00] = Back [2.00]"},
    // CE and the first button clear the decimal position with the number.
    CalcCase{2, 0, false, L"1 . 5 CE 3 [3.00] ON . 2 [0.20]"},
    CalcCase{2, 0, true, L"1 2 3 4 [1,234.00] MS C MR [1,234.00] + 1 = [1,235.00]"},
    // The length limit stops a number from growing, not a new number after an operator.
    CalcCase{0, 3, false, L"1 2 3 4 [123] + 1 = [124]"},
    CalcCase{0, 3, false, L"1 2 3 +/- [123] . [123] * 2 = [246]"},
    CalcCase{0, 0, false, L"1 . 5 [1.] + 1 = [2]"},
    CalcCase{-1, 0, false, L"1 / 8 = [0.125] . 5 [0.5] 1/x [2]"}));

INSTANTIATE_TEST_SUITE_P(TypedWhileOpen, CalculatorCases, ::testing::Values(
    // "-" subtracts and the next digit starts the number to subtract.
    CalcCase{2, 0, false, L"'5 '- '3 '= [2.00]"},
    CalcCase{2, 0, false, L"'1 '2 '* '3 '= [36.00] 'c [0.00] '7 '% [0.00]"},
    CalcCase{2, 0, false, L"'2 '0 '+ '5 '% [1.00] Enter [21.00]"},
    // Over "Error" a typed digit or separator starts from 0.
    CalcCase{2, 0, false, L"'9 '/ '0 '= [Error] '4 [4] '+ '1 '= [5.00]"},
    CalcCase{2, 0, false, L"'9 '/ '0 '= [Error] '. [0.] '5 '* '2 '= [1.00]"}));

TEST(CalculatorEngine, TypedKeysCloseThePopupAsTheyShould)
{
    TFormatSettingsGuard Settings(TFormatSettings::Invariant());
    TCalc C(2);
    Play(C, L"'4 '+ '4");
    C.Type(13);
    EXPECT_EQ(C.LastKey, TCalcKeyResult::CloseAccept);
    EXPECT_EQ(C.Shown(), L"8.00");
    C.Type(27);
    EXPECT_EQ(C.LastKey, TCalcKeyResult::CloseCancel);
    C.Type(L'&');
    EXPECT_EQ(C.LastKey, TCalcKeyResult::None);
    C.Type(L'&', true);
    EXPECT_EQ(C.LastKey, TCalcKeyResult::CloseCancel);
}

TEST(CalculatorEngine, TheClosedEditCalculatesOperatorsAndReplacesAShownResult)
{
    TFormatSettingsGuard Settings(TFormatSettings::Invariant());
    TCalc C(2);
    C.Text.SetSigned(true);   // closed
    C.Text.SetText(L"6");
    Char K = L'*';
    C.Engine.EditKeyPress(K, false);
    EXPECT_EQ(K, 0);
    EXPECT_EQ(C.Engine.GetPrevop(), coMultiply);
    K = L'7';
    C.Engine.EditKeyPress(K, false);   // over a shown result the digit replaces it
    EXPECT_EQ(K, 0);
    EXPECT_EQ(C.Shown(), L"7");
    K = L'x';
    C.Engine.EditKeyPress(K, false);
    EXPECT_EQ(K, 0);
    K = L'5';
    C.Engine.EditKeyPress(K, false);   // extending a typed number is the edit's business
    EXPECT_EQ(K, L'5');
    K = 13;
    C.Engine.EditKeyPress(K, false);
    EXPECT_EQ(C.Shown(), L"42.00");
    C.Text.SetTextAsTyped(L"4");
    K = 8;
    C.Engine.EditKeyPress(K, false);   // Backspace on one character leaves "0"
    EXPECT_EQ(C.Shown(), L"0");
}

TEST(CalculatorEngine, KeysOfTheOpenPopupOnTheValueText)
{
    TFormatSettingsGuard Settings(TFormatSettings::Invariant());
    TCalc C(2);
    C.Text.SetText(L"1.25");
    C.Engine.BackspaceKey();
    EXPECT_EQ(C.Shown(), L"1.20");
    C.Text.SetTextAsTyped(L"7");
    C.Engine.BackspaceKey();
    EXPECT_EQ(C.Shown(), L"0.00");
    C.Text.SetText(L"Error");
    C.Engine.DeleteKey();
    EXPECT_EQ(C.Shown(), L"0.00");
    C.Engine.SetValue(2.5);
    EXPECT_EQ(C.Shown(), L"2.50");
    EXPECT_EQ(C.Engine.GetValue(), 2.5);
}

// The accumulator and the memory keep 80 bits: a sum far below a double's last digit survives.
TEST(CalculatorEngine, AccumulatorAndMemoryKeepExtendedPrecision)
{
    static_assert(sizeof(Extended) > sizeof(double));
    TFormatSettingsGuard Settings(TFormatSettings::Invariant());
    TCalc C(-1);
    C.Engine.SetValue(1e16);
    C.Engine.DoPlus();
    C.Engine.SetValue(1);
    C.Engine.DoCalc();
    EXPECT_EQ(C.Engine.GetPrevval() - Extended(1e16), 1);
    C.Engine.SetMemory(1e16);
    C.Text.SetText(L"1");
    C.Engine.ButtonClick(caMemoryAdd);
    EXPECT_EQ(C.Engine.GetMemory() - Extended(1e16), 1);
}

TEST(CalculatorEngine, OverflowGivesZero)
{
    TFormatSettingsGuard Settings(TFormatSettings::Invariant());
    TCalc C(2);
    C.Engine.SetValue(1e300);
    C.Engine.DoMul();
    C.Engine.SetValue(1e300);
    C.Engine.DoEq();
    EXPECT_EQ(C.Shown(), L"0.00");
    C.Engine.SetValue(1e300);
    C.Engine.ButtonClick(caMemoryStore);
    C.Engine.ButtonClick(caMemoryAdd);
    C.Engine.ButtonClick(caMemoryAdd);   // 3e300 still fits; the square of it does not
    C.Engine.ButtonClick(caMemoryRecall);
    C.Engine.ButtonClick(caMultiply);
    C.Engine.ButtonClick(caMemoryRecall);
    C.Engine.ButtonClick(caEquals);
    EXPECT_EQ(C.Shown(), L"0.00");
    C.Engine.SetValue(HUGE_VAL);
    EXPECT_EQ(C.Shown(), L"0.00");
}

bool NumberOrError(const String& Text)
{
    if (Text == CalcErrorText) return true;
    Extended V = 0;
    return TryStrToFloat(StripThousandSep(Text), V) && std::isfinite(double(V));
}

// Values set on the display or pasted into it: whatever they are, the operations after them
// raise nothing and leave a number or "Error".
TEST(CalculatorEngine, BadValuesSetOrPastedLeaveANumberOrError)
{
    TFormatSettingsGuard Settings(TFormatSettings::Invariant());
    const String Digits300(300, L'7');
    const String Bad[] = {L"abc", L"1e999", Digits300, L"Error", L"-", L"", L"1,2,3", L"\u00bd"};
    const int Tags[] = {0, 5, caPlus, caMinus, caMultiply, caDivide, caSign, caPoint, caEquals, caPercent,
                        caBack, caMemoryRecall, caSqrt, caReciprocal, caClear};
    for (int Precision : {2, 0, -1}) {
        for (const String& Value : Bad) {
            for (int Tag : Tags) {
                for (bool Pasted : {false, true}) {
                    TCalc C(Precision);
                    C.Engine.SetValue(12);
                    if (Pasted) {
                        const String Before = C.Shown();
                        if (!C.Text.Paste(Value)) {
                            EXPECT_EQ(C.Shown(), Before);
                        } else {
                            EXPECT_TRUE(NumberOrError(C.Shown())) << Value;
                        }
                    } else {
                        C.Text.SetText(Value);
                    }
                    EXPECT_NO_THROW(C.Engine.ButtonClick(Tag));
                    EXPECT_NO_THROW(C.Engine.DoEq());
                    EXPECT_TRUE(NumberOrError(C.Shown()))
                        << "value \"" << Value << "\", tag " << Tag << ", precision " << Precision << ": "
                        << C.Shown();
                }
            }
        }
    }
    // The 300 digits pasted are a number, and stay one as the keypad extends them past a
    // double's range.
    TCalc C(2);
    ASSERT_TRUE(C.Text.Paste(Digits300));
    for (int I = 0; I < 20; ++I) C.Engine.ButtonClick(9);
    EXPECT_TRUE(NumberOrError(C.Shown()));
    EXPECT_FALSE(C.Text.Paste(L"1e999"));
    EXPECT_FALSE(C.Text.Paste(L"Error"));
}

// Seeded random keypad sequences over every configuration: after each click the display holds a
// number or "Error"; random typing in the open popup raises nothing and "=" after it leaves a
// number or "Error".
TEST(CalculatorEngine, RandomSequencesLeaveANumberOrError)
{
    TFormatSettingsGuard Settings(TFormatSettings::Invariant());
    std::mt19937 Random(20240521);
    const Char Typed[] = {L'0', L'1', L'5', L'9', L'.', L'+', L'-', L'*', L'/', L'=', L'%', L'C', 8, L',', L'x'};
    for (int Run = 0; Run < 200; ++Run) {
        const int Precision = std::uniform_int_distribution<int>(-1, 3)(Random);
        const int MaxLength = std::uniform_int_distribution<int>(0, 1)(Random) ? 0 : 4;
        TCalc C(Precision, MaxLength, Run % 3 == 0);
        String Trail;
        for (int Step = 0; Step < 60; ++Step) {
            if (std::uniform_int_distribution<int>(0, 3)(Random) == 0) {
                const Char K = Typed[std::uniform_int_distribution<size_t>(0, std::size(Typed) - 1)(Random)];
                Trail += String(L" '") + K;
                ASSERT_NO_THROW(C.Type(K)) << Trail;
                continue;
            }
            const int Tag = std::uniform_int_distribution<int>(0, 38)(Random);
            Trail += L" " + IntToStr(Tag);
            ASSERT_NO_THROW(C.Engine.ButtonClick(Tag)) << Trail;
            const bool Writes = (Tag >= caPlus && Tag <= caMultiply + 1) || (Tag >= caClear && Tag <= caPercent) ||
                                Tag == caOn || Tag == caClearEntry || Tag == caMemoryRecall || Tag >= caSqrt;
            if (Writes) ASSERT_TRUE(NumberOrError(C.Shown())) << Trail << " -> " << C.Shown();
        }
        C.Engine.DoEq();
        ASSERT_TRUE(NumberOrError(C.Shown())) << Trail << " -> " << C.Shown();
        ASSERT_TRUE(std::isfinite(double(C.Engine.GetMemory())));
    }
}

} // namespace
