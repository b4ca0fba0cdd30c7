// test-needs: desktop
// The calculator drop-down through real messages: the pocket-calculator cases played by clicks on
// the open keypad and by characters typed in the popup, operators typed into the closed edit,
// the keypad's colours from the component style, Delete and Backspace, bad texts set or pasted,
// and seeded random clicks and characters that must leave a number or "Error".
#include "pickers/QorCalculatorDropDown.h"

#include "framework/Clipbrd.h"
#include "DropDownKit.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

// Expected texts are written with "," grouping and "." decimals; the locale's own are put in.
String Localised(const String& S)
{
    String R = S;
    for (Char& C : R) {
        if (C == L',') C = L'\x1';
        else if (C == L'.') C = DecimalSeparator();
    }
    for (Char& C : R)
        if (C == L'\x1') C = ThousandSeparator();
    return R;
}

class CalculatorDropDown : public dropdownkit::DropDownTest<TQorCalculatorDropdown> {
protected:
    CalculatorDropDown() : DropDownTest(160, RegisterQorCalculatorDropDownClasses) {}
    void DropIt()
    {
        if (!Open()) OpenByF4();
    }
    // Clicks the keypad button of this name without its "BTN_" ("7", "+/-", "MS", "BACK", "ON").
    void Tap(const String& Caption)
    {
        TCustomButtonPanel* P = Calc->GetButtonPanel();
        const String Name = L"BTN_" + Caption;
        for (int I = 0; I < P->GetButtons()->GetCount(); ++I) {
            if (P->GetButtons()->GetItem(I)->GetName() != Name) continue;
            const TRect R = P->GetButtons()->GetItem(I)->GetRect();
            ui::Click(P, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
            return;
        }
        FAIL() << "no button " << Caption;
    }
    // Blank-separated steps: a keypad caption, a character typed in the popup after a quote
    // ("'5"), or "[text]" that the edit's value text must show now (written with "," and ".").
    void Play(const String& Steps)
    {
        DropIt();
        std::wistringstream In(Steps);
        String Step;
        while (In >> Step) {
            if (Step.front() == L'[') ASSERT_EQ(Calc->GetText(), Localised(Step.substr(1, Step.size() - 2))) << Steps;
            else if (Step.front() == L'\'') TypeKey(Step[1]);
            else Tap(Step);
        }
    }

    TQorCalculatorDropdown*& Calc = Drop;
};

struct DropCase {
    int Precision;
    int MaxLength;
    bool Thousands;
    const wchar_t* Steps;
};

class CalculatorCases : public CalculatorDropDown, public ::testing::WithParamInterface<DropCase> {};

}  // namespace

TEST_P(CalculatorCases, ShowWhatTheKeypadAndKeysAsk)
{
    Calc->SetPrecision(SmallInt(GetParam().Precision));
    Calc->SetMaxLength(GetParam().MaxLength);
    Calc->SetShowThousandSeparator(GetParam().Thousands);
    Play(GetParam().Steps);
    EXPECT_TRUE(Open());
}

INSTANTIATE_TEST_SUITE_P(Keypad, CalculatorCases, ::testing::Values(
    DropCase{2, 0, false, L"2 + 3 + [5.00] 4 = [9.00]"},
    DropCase{2, 0, false, L"9 / 0 = [Error] + 5 = [5.00]"},
    DropCase{2, 0, false, L"5 +/- 3 [-53.00]"},
    DropCase{2, 0, false, L"1 . 2 5 [1.25] 7 [1.25]"},
    DropCase{2, 0, false, L"2 0 0 + 1 0 % [20.00] = [220.00]"},
    DropCase{2, 0, false, L"4 +/- sqrt [Error]"},
    DropCase{2, 0, false, L"9 / 0 = . 5 [0.50]"},
    DropCase{2, 0, false, L"9 / 0 = MS MR [0.00]"},
    DropCase{2, 0, false, L"9 / 0 = +/- [0.00] 5 [5.00]"},
    DropCase{2, 0, true, L"1 2 3 4 [1,234.00] MS C MR [1,234.00]"},
    DropCase{0, 3, false, L"1 2 3 4 [123] + 1 = [124]"},
    DropCase{2, 0, false, L"7 ON [0.00] 8 [8.00] CE [0.00]"}));

INSTANTIATE_TEST_SUITE_P(TypedWhileOpen, CalculatorCases, ::testing::Values(
    DropCase{2, 0, false, L"'5 '- '3 '= [2.00]"},
    DropCase{2, 0, false, L"'1 '2 '* '3 '= [36.00] 'c [0.00]"},
    DropCase{2, 0, false, L"'9 '/ '0 '= [Error] '4 '+ '1 '= [5.00]"}));

TEST_F(CalculatorDropDown, StartsAsASignedFloatEditAndTheKeypadFillsThePopup)
{
    EXPECT_EQ(Calc->GetEditType(), etFloat);
    EXPECT_EQ(Calc->GetPrecision(), 2);
    EXPECT_TRUE(Calc->GetSigned());
    EXPECT_EQ(Calc->GetDropDownColor(), TColor(0xFFFFFF));
    EXPECT_EQ(Calc->GetDropDownWidth(), 230);
    EXPECT_FALSE(Calc->GetDropDownHeader()->GetVisible());
    DropIt();
    // "-" is an operator while the popup is open, a sign again once it closes.
    EXPECT_FALSE(Calc->GetSigned());
    TCustomButtonPanel* P = Calc->GetButtonPanel();
    EXPECT_EQ(P->GetButtons()->GetCount(), 28);
    EXPECT_EQ(P->GetHeight(), 150);
    EXPECT_EQ(Calc->GetDropDownForm()->GetWidth(), 230);
    EXPECT_EQ(Calc->GetControl(), P);
    Press(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_TRUE(Calc->GetSigned());
}

TEST_F(CalculatorDropDown, EnterTypedInThePopupCompletesAndClosesEscRestores)
{
    Calc->SetText(L"4");
    Play(L"+ 5");
    TypeKey(13);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Calc->GetText(), Localised(L"9.00"));
    EXPECT_DOUBLE_EQ(double(Calc->GetValue()), 9.0);
    Play(L"* 3");
    Press(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Calc->GetText(), Localised(L"9.00"));
}

TEST_F(CalculatorDropDown, OperatorsTypedIntoTheClosedEditActAtOnce)
{
    Calc->SetText(L"0");
    for (Char C : String(L"12+3=")) TypeKey(C);
    EXPECT_EQ(Calc->GetText(), Localised(L"15.00"));
    // A digit over the shown result starts a new number; letters are refused.
    TypeKey(L'7');
    TypeKey(L'x');
    EXPECT_EQ(Calc->GetText(), L"7");
    TypeKey(L'c');
    EXPECT_EQ(Calc->GetText(), Localised(L"0.00"));
    // CalcResult completes what is pending, as the grid asks before it stores the cell.
    TypeKey(L'8');
    TypeKey(L'*');
    TypeKey(L'2');
    Calc->CalcResult();
    EXPECT_EQ(Calc->GetText(), Localised(L"16.00"));
}

TEST_F(CalculatorDropDown, DeleteOnErrorWritesZeroAndBadTextsReadAsZero)
{
    Play(L"9 / 0 = [Error]");
    Press(VK_ESCAPE);
    Calc->SetText(L"Error");
    Press(VK_DELETE);
    EXPECT_EQ(Calc->GetText(), Localised(L"0.00"));
    for (const wchar_t* Bad : {L"abc", L"1e999", L"Error", L"-"}) {
        Calc->SetTextDirect(Bad);
        EXPECT_EQ(Calc->GetValue(), 0) << Bad;
    }
    // Pasted texts that are no number are refused; the value stays a number.
    Calc->SetText(L"12");
    for (const wchar_t* Bad : {L"abc", L"1e999", L"Error"}) {
        Clipboard()->SetAsText(Bad);
        Calc->SelectAll();
        SendMessageW(Calc->GetHandle(), WM_PASTE, 0, 0);
        ui::Pump();
        EXPECT_EQ(Calc->GetText(), Localised(L"12.00")) << Bad;
    }
    Calc->SetTextDirect(String(300, L'9'));
    Calc->CalcResult();
    Calc->SetValue(1e308L * 10);
    EXPECT_EQ(Calc->GetValue(), 0);
}

TEST_F(CalculatorDropDown, TheKeypadTakesTheDropButtonsColoursByStyle)
{
    Calc->SetComponentStyle(QorStyleIF::tsOffice2010Blue);
    TButtonAppearance* A = Calc->GetCalcButtonAppearance();
    EXPECT_EQ(A->GetColorHot(), Calc->GetButtonAppearance()->GetColorHot());
    EXPECT_EQ(A->GetGlowColorDown(), Calc->GetButtonAppearance()->GetColorHot());
    Calc->SetComponentStyle(QorStyleIF::tsOffice2007Luna);
    EXPECT_EQ(A->GetGlowColorDown(), TColor(0xD5C244));
    EXPECT_EQ(A->GetGlowColorHot(), Calc->GetButtonAppearance()->GetColorDownTo());
    // The keypad takes the appearance when the popup opens.
    DropIt();
    EXPECT_EQ(Calc->GetButtonPanel()->GetButtonAppearance()->GetColor(), A->GetColor());
}

TEST_F(CalculatorDropDown, RandomClicksAndCharactersLeaveANumberOrError)
{
    std::mt19937 Rng(20261211);
    const wchar_t* Buttons[] = {L"0", L"1", L"5", L"9", L"+", L"-", L"*", L"/", L"=", L"%", L"+/-", L".", L"C",
                                L"CE", L"ON", L"BACK", L"MS", L"MR", L"M+", L"MC", L"sqrt", L"1/x"};
    const String Chars = L"0123456789+-*/=%cC.,x ";
    DropIt();
    for (int I = 0; I < 150; ++I) {
        if (Rng() % 3 == 0) TypeKey(Chars[Rng() % Chars.size()]);
        else Tap(Buttons[Rng() % std::size(Buttons)]);
        if (!Open()) DropIt();
        const String T = Calc->GetText();
        Extended V = 0;
        EXPECT_TRUE(T == L"Error" || T == L"-" || T.empty() ||
                    TryStrToFloat(StripThousandSep(T), V) || (T.back() == DecimalSeparator()))
            << "step " << I << ": " << T;
    }
}
