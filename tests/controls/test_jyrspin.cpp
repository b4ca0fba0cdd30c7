// test-needs: desktop
// The spin edit through real messages: reads that fall back instead of raising, steps by keys and
// buttons for each kind (the part under the caret for dates and times), the character filter and
// its beeps, Enter as Tab, the clamp on leaving, held buttons repeating from timer ticks, paste and
// layout; bad property values; and a seeded random run over every kind.
#include "controls/JyrControls.h"
#include "controls/jyrspin.h"
#include "framework/Clipbrd.h"
#include "framework/Streaming.h"
#include "framework/TypInfo.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <random>

using namespace jyrspin;

namespace {

class SpinEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterSpinEdit();
        JyrControls::SetBeepMuted(true);
        Settings = std::make_unique<TFormatSettingsGuard>(TFormatSettings::Danish());
        Form = ui::NewForm(400, 200);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Spin = Add(10, 10);
        Other = Add(10, 60);
        ui::ShowAndActivate(Form);
        Spin->SetFocus();
        ui::Pump();
    }
    void TearDown() override { SetNowProvider(nullptr); }

    TJyrSpinEdit* Add(int L, int T)
    {
        auto* E = Create<TJyrSpinEdit>(Form);
        E->SetBounds(L, T, 120, 21);
        E->SetParent(Form);
        return E;
    }
    // Types the characters into the focused edit; answers the beeps they caused.
    int Type(const String& Chars)
    {
        int Before = JyrControls::BeepCount();
        for (Char C : Chars) ui::TypeChar(C);
        return JyrControls::BeepCount() - Before;
    }
    void Caret(int Pos)
    {
        Spin->SetSelStart(Pos);
        Spin->SetSelLength(0);
    }

    std::unique_ptr<TFormatSettingsGuard> Settings;
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TJyrSpinEdit* Spin = nullptr;
    TJyrSpinEdit* Other = nullptr;
};

TDateTime Day(int Y, int M, int D) { return EncodeDate(Word(Y), Word(M), Word(D)); }

}  // namespace

TEST_F(SpinEdit, ReadsConvertTheTextAndFallBackWithoutRaising)
{
    SetNowProvider([] { return Day(2024, 6, 1) + 0.5; });
    Spin->SetMinValue(-5);
    Spin->SetMinFloatValue(2.5);
    Spin->SetMinDateValue(Day(2000, 1, 1));
    struct Case {
        const wchar_t* Text;
        int Value;
        double Float;
        TDateTime Date;
    } Cases[] = {
        {L"", 0, 2.5, Day(2024, 6, 1) + 0.5},        // empty: 0, the float minimum, now
        {L"0", 0, 0.0, Day(2024, 6, 1) + 0.5},
        {L" 42 ", 42, 42.0, Day(2000, 1, 1)},
        {L"abc", -5, 2.5, Day(2000, 1, 1)},          // nothing converts: the minimums
        {L"3,25", -5, 3.25, Day(2000, 1, 1)},
        {L"31-02-2024", -5, 2.5, Day(2000, 1, 1)},   // no 31 February
        {L"12-03-2024", -5, 2.5, Day(2024, 3, 12)},
        {L"99999999999", -5, 99999999999.0, Day(2000, 1, 1)},
    };
    for (const Case& C : Cases) {
        Spin->SetText(C.Text);
        EXPECT_EQ(Spin->GetValue(), C.Value) << C.Text;
        EXPECT_DOUBLE_EQ(Spin->GetFloatValue(), C.Float) << C.Text;
        EXPECT_DOUBLE_EQ(Spin->GetDateValue(), C.Date) << C.Text;
    }
    Spin->SetText(L"25:99");
    EXPECT_EQ(Spin->GetTimeValue(), 0);
}

TEST_F(SpinEdit, IntegerStepsClampAndSaturateAtTheIntegerRange)
{
    Spin->SetValue(99);
    ui::PressKey(VK_UP);
    EXPECT_EQ(Spin->GetText(), L"100");
    ui::PressKey(VK_UP);   // the default bounds 0..100 hold
    EXPECT_EQ(Spin->GetText(), L"100");
    ui::PressKey(VK_NEXT);   // a page is one step for integers
    EXPECT_EQ(Spin->GetText(), L"99");

    // Equal bounds do not clamp; a step past the integer range stays at its end.
    Spin->SetMinValue(0);
    Spin->SetMaxValue(0);
    Spin->SetIncrement(1000);
    Spin->SetValue(INT_MAX - 10);
    ui::PressKey(VK_UP);
    EXPECT_EQ(Spin->GetValue(), INT_MAX);
    Spin->SetValue(INT_MIN + 10);
    ui::PressKey(VK_DOWN);
    EXPECT_EQ(Spin->GetValue(), INT_MIN);

    // A read-only edit refuses a step with a beep.
    Spin->SetReadOnly(true);
    int Before = JyrControls::BeepCount();
    ui::PressKey(VK_UP);
    EXPECT_EQ(Spin->GetValue(), INT_MIN);
    EXPECT_EQ(JyrControls::BeepCount(), Before + 1);
}

TEST_F(SpinEdit, FloatStepsWritePrecisionDecimalsAndPagesTheirOwnStep)
{
    Spin->SetSpinType(sptFloat);
    Spin->SetPrecision(2);
    Spin->SetFloatValue(1.5);
    EXPECT_EQ(Spin->GetText(), L"1,50");
    ui::PressKey(VK_UP);
    EXPECT_EQ(Spin->GetText(), L"1,60");
    ui::PressKey(VK_PRIOR);
    EXPECT_EQ(Spin->GetText(), L"2,60");
    Spin->SetPrecision(0);   // the shortest form
    EXPECT_EQ(Spin->GetText(), L"2,6");
    for (int I = 0; I < 3; ++I) ui::PressKey(VK_DOWN);
    EXPECT_EQ(Spin->GetText(), L"2,3");   // no 2,2999999
}

TEST_F(SpinEdit, DateStepsThePartUnderTheCaretInTheOrderTheFormWrites)
{
    struct Case {
        const wchar_t* ShortDate;
        Char Sep;
        TDateTime From;
        int Caret;
        TDateTime To;
    } Cases[] = {
        {L"dd/mm/yyyy", L'-', Day(2024, 3, 12), 1, Day(2024, 3, 13)},   // day first: the day
        {L"dd/mm/yyyy", L'-', Day(2024, 3, 12), 4, Day(2024, 4, 12)},
        {L"dd/mm/yyyy", L'-', Day(2024, 3, 12), 8, Day(2025, 3, 12)},
        {L"M/d/yyyy", L'/', Day(2024, 3, 12), 0, Day(2024, 4, 12)},     // month first
        {L"M/d/yyyy", L'/', Day(2024, 3, 12), 3, Day(2024, 3, 13)},
        {L"yyyy/mm/dd", L'-', Day(2024, 3, 12), 1, Day(2025, 3, 12)},   // year first: the year
        {L"yyyy/mm/dd", L'-', Day(2024, 3, 12), 6, Day(2024, 4, 12)},
        {L"yyyy/mm/dd", L'-', Day(2024, 3, 12), 9, Day(2024, 3, 13)},
        {L"dd/mm/yyyy", L'-', Day(2024, 2, 29), 8, Day(2025, 2, 28)},   // no 29 February next year
        {L"dd/mm/yyyy", L'-', Day(2024, 1, 31), 4, Day(2024, 2, 29)},
    };
    Spin->SetSpinType(sptDate);
    for (const Case& C : Cases) {
        FormatSettings.ShortDateFormat = C.ShortDate;
        FormatSettings.DateSeparator = C.Sep;
        Spin->SetDateValue(C.From);
        Caret(C.Caret);
        ui::PressKey(VK_UP);
        EXPECT_EQ(Spin->GetText(), DateToStr(C.To)) << C.ShortDate << L" caret " << C.Caret;
        EXPECT_EQ(Spin->GetSelStart(), C.Caret);   // the caret stays
    }
    EXPECT_FALSE(Spin->UsDates);
}

TEST_F(SpinEdit, TimeStepsHoursMinutesOrSecondsAndWrapsRoundMidnight)
{
    Spin->SetSpinType(sptTime);
    Spin->SetTimeValue(EncodeTime(0, 0, 0, 0));
    Caret(0);
    ui::PressKey(VK_DOWN);
    EXPECT_EQ(Spin->GetText(), L"23:00:00");
    Caret(4);
    ui::PressKey(VK_UP);
    EXPECT_EQ(Spin->GetText(), L"23:01:00");
    Caret(7);
    ui::PressKey(VK_DOWN);
    EXPECT_EQ(Spin->GetText(), L"23:00:59");
    Caret(0);
    Spin->SetIncrementHours(2);
    ui::PressKey(VK_UP);
    EXPECT_EQ(Spin->GetText(), L"01:00:59");

    Spin->SetShowSeconds(false);
    Spin->SetTimeValue(EncodeTime(0, 30, 0, 0));
    EXPECT_EQ(Spin->GetText(), L"0:30");
    Caret(0);
    ui::PressKey(VK_DOWN);
    EXPECT_EQ(Spin->GetText(), L"22:30");
}

TEST_F(SpinEdit, TheFilterDropsRefusedCharactersWithABeep)
{
    // Integer mode: digits and one leading "-"; Ctrl+C, Ctrl+V and Ctrl+X reach the edit.
    Spin->SetText(L"");
    EXPECT_EQ(Type(L"1a2"), 1);
    EXPECT_EQ(Spin->GetText(), L"12");
    EXPECT_EQ(Type(L"-"), 1);   // not at the start
    Caret(0);
    EXPECT_EQ(Type(L"-"), 0);
    EXPECT_EQ(Spin->GetText(), L"-12");
    Caret(0);
    EXPECT_EQ(Type(L"-"), 1);   // only once
    EXPECT_EQ(Type(String(1, Char(27))), 1);   // Escape
    Clipboard()->SetAsText(L"77");
    Spin->SelectAll();
    EXPECT_EQ(Type(String(1, Char(22))), 0);   // Ctrl+V pastes
    EXPECT_EQ(Spin->GetText(), L"77");
    Spin->SelectAll();
    EXPECT_EQ(Type(String(1, Char(24))), 0);   // Ctrl+X cuts
    EXPECT_EQ(Spin->GetText(), L"");
    EXPECT_EQ(Clipboard()->GetAsText(), L"77");

    // Float mode: one decimal separator (unless it is selected), no more decimals than Precision.
    Spin->SetSpinType(sptFloat);
    Spin->SetPrecision(2);
    Spin->SetText(L"1,2");
    Spin->SetSelStart(3);
    EXPECT_EQ(Type(L"3"), 0);
    EXPECT_EQ(Type(L"4"), 1);
    EXPECT_EQ(Type(L"."), 1);   // the thousand separator
    EXPECT_EQ(Spin->GetText(), L"1,23");
    Caret(0);
    EXPECT_EQ(Type(L","), 1);
    Spin->SetSelStart(1);
    Spin->SetSelLength(1);
    EXPECT_EQ(Type(L","), 0);   // replaces the selected one
    EXPECT_EQ(Spin->GetText(), L"1,23");
    EXPECT_EQ(Type(String(1, Char(0xD83D))), 1);   // half a surrogate pair is no digit

    // Time mode: at most two time separators; a date separator is no time character.
    Spin->SetSpinType(sptTime);
    Spin->SetText(L"12");
    Spin->SetSelStart(2);
    EXPECT_EQ(Type(L":30:00:"), 1);
    EXPECT_EQ(Type(L"-"), 1);
    EXPECT_EQ(Spin->GetText(), L"12:30:00");
}

TEST_F(SpinEdit, WithTheEditorOffOnlyStepsChangeTheValue)
{
    Spin->SetEditorEnabled(false);
    Spin->SetValue(5);
    EXPECT_EQ(Spin->GetSelLength(), 1);   // each written value is selected
    EXPECT_EQ(Type(L"7"), 1);
    EXPECT_EQ(Type(String(1, Char(VK_BACK))), 1);
    Caret(0);
    ui::PressKey(VK_DELETE);
    Clipboard()->SetAsText(L"9");
    SendMessageW(Spin->GetHandle(), WM_PASTE, 0, 0);
    SendMessageW(Spin->GetHandle(), WM_CUT, 0, 0);
    ui::Pump();
    EXPECT_EQ(Spin->GetText(), L"5");
    ui::PressKey(VK_UP);
    EXPECT_EQ(Spin->GetText(), L"6");
    EXPECT_EQ(Spin->GetSelLength(), 1);
}

TEST_F(SpinEdit, EnterWithReturnIsTabMovesOnSilentlyAndBreaksNoLine)
{
    Spin->SetText(L"12");
    Spin->SetSelStart(2);
    int Before = JyrControls::BeepCount();
    ui::PressKey(VK_RETURN);   // without ReturnIsTab: refused
    EXPECT_EQ(JyrControls::BeepCount(), Before + 1);
    EXPECT_EQ(Spin->GetText(), L"12");

    Spin->SetReturnIsTab(true);
    ui::PressKey(VK_RETURN);
    EXPECT_EQ(JyrControls::BeepCount(), Before + 1);
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Spin->GetText(), L"12");

    // A line feed (Ctrl+Enter) in float mode passes the filter but not into the window.
    Other->SetSpinType(sptFloat);
    Other->SetText(L"1");
    Other->SetSelStart(1);
    ui::TypeChar(L'\n');
    EXPECT_EQ(Other->GetText(), L"1");
}

TEST_F(SpinEdit, LeavingClampsTheValueOfEachKind)
{
    struct Case {
        TJyrSpinType Kind;
        const wchar_t* Typed;
        const wchar_t* After;
    } Cases[] = {
        {sptNormal, L"150", L"100"},
        {sptNormal, L"-7", L"0"},
        {sptFloat, L"100,5", L"100"},
        {sptDate, L"01-01-2031", L"31-12-2030"},
        {sptTime, L"18:30:00", L"17:00:00"},
    };
    Spin->SetMinDateValue(Day(2020, 1, 1));
    Spin->SetMaxDateValue(Day(2030, 12, 31));
    for (const Case& C : Cases) {
        Spin->SetSpinType(C.Kind);
        if (C.Kind == sptTime) {
            Spin->SetMinDateValue(EncodeTime(8, 0, 0, 0));
            Spin->SetMaxDateValue(EncodeTime(17, 0, 0, 0));
        }
        Spin->SetFocus();
        ui::Pump();
        Spin->SelectAll();
        Type(C.Typed);
        EXPECT_EQ(Spin->GetText(), C.Typed);
        Other->SetFocus();
        ui::Pump();
        EXPECT_EQ(Spin->GetText(), C.After) << C.Typed;
    }
}

TEST_F(SpinEdit, AHeldButtonRepeatsFromTheTimerUntilReleased)
{
    Other->SetFocus();
    ui::Pump();
    Spin->SetValue(10);
    TQorTimerSpeedButton* Up = Spin->GetButton()->GetUpButton();
    ui::MouseDown(Up, mbLeft, 4, 3);
    EXPECT_TRUE(Spin->Focused());   // the press gives the edit the focus
    TTimer* T = Up->GetRepeatTimer();
    ASSERT_NE(T, nullptr);
    EXPECT_TRUE(T->GetEnabled());
    EXPECT_EQ(T->GetInterval(), RepeatDelay);
    EXPECT_EQ(Spin->GetValue(), 10);   // nothing before the first repeat

    for (int I = 1; I <= 3; ++I) {
        SendMessageW(T->GetHandle(), WM_TIMER, 1, 0);
        EXPECT_EQ(T->GetInterval(), RepeatInterval);
        EXPECT_EQ(Spin->GetValue(), 10 + I);
    }
    ui::MouseUp(Up, mbLeft, 4, 3);   // the release clicks once more
    EXPECT_EQ(Spin->GetValue(), 14);
    EXPECT_FALSE(T->GetEnabled());
    EXPECT_EQ(CaptureControl(), nullptr);
    SendMessageW(T->GetHandle(), WM_TIMER, 1, 0);   // a late tick of a released button
    EXPECT_EQ(Spin->GetValue(), 14);

    // The down button of the pair steps the other way.
    ui::Click(Spin->GetButton()->GetDownButton(), 4, 3);
    EXPECT_EQ(Spin->GetValue(), 13);
}

TEST_F(SpinEdit, KeypadPointTypesTheDecimalSeparatorWhenAsked)
{
    Spin->SetSpinType(sptFloat);
    Spin->SetText(L"1");
    Spin->SetSelStart(1);
    const LPARAM Keypad = 1 | (LPARAM(0x53) << 16);   // scan code 0x53 has bit 22 set
    PostMessageW(Spin->GetHandle(), WM_CHAR, L'.', Keypad);
    ui::Pump();
    EXPECT_EQ(Spin->GetText(), L"1");   // the thousand separator: refused
    Spin->SetExcelStyleDecimalSeparator(true);
    PostMessageW(Spin->GetHandle(), WM_CHAR, L'.', Keypad);
    ui::Pump();
    EXPECT_EQ(Spin->GetText(), L"1,");
}

TEST_F(SpinEdit, PastedTextStaysOneLine)
{
    Spin->SetText(L"");
    Clipboard()->SetAsText(L"12\r\n34");
    SendMessageW(Spin->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Spin->GetText(), L"12");
    // A megabyte of letters: one line, read as the minimum.
    Clipboard()->SetAsText(String(1 << 20, L'x') + L"\n1");
    Spin->SelectAll();
    SendMessageW(Spin->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Spin->GetText().find_first_of(L"\r\n"), String::npos);
    EXPECT_EQ(Spin->GetValue(), 0);
    EXPECT_EQ(SendMessageW(Spin->GetHandle(), EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(SpinEdit, TheTextEndsBeforeTheButtonsInEveryDirection)
{
    // The window takes its own margins off the rectangle it is given.
    RECT R{};
    SendMessageW(Spin->GetHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
    const int Vertical = R.right;
    EXPECT_LE(Vertical, Spin->GetClientWidth() - 15 - 2);
    EXPECT_GE(Vertical, Spin->GetClientWidth() - 15 - 2 - 6);
    TJyrSpinButton* B = Spin->GetButton();
    EXPECT_EQ(B->GetWidth(), 15);
    EXPECT_EQ(B->GetUpButton()->GetButtonDirection(), bdUp);
    EXPECT_EQ(B->GetUpButton()->GetTop(), 0);
    EXPECT_EQ(B->GetDownButton()->GetTop(), B->GetUpButton()->GetHeight() - 1);
    EXPECT_FALSE(B->GetUpGlyph()->GetEmpty());   // the program's own arrow glyphs
    EXPECT_EQ(B->GetUpGlyph()->GetWidth(), 9);

    Spin->SetDirection(spHorizontal);
    ui::Pump();
    EXPECT_EQ(B->GetWidth(), 20);
    EXPECT_EQ(B->GetUpButton()->GetButtonDirection(), bdRight);
    EXPECT_EQ(B->GetDownButton()->GetButtonDirection(), bdLeft);
    EXPECT_EQ(B->GetDownButton()->GetLeft(), 0);
    EXPECT_EQ(B->GetUpButton()->GetLeft(), 11);
    SendMessageW(Spin->GetHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
    EXPECT_EQ(R.right, Vertical - 5);
}

TEST_F(SpinEdit, FlatColouredButtonsPaintTheirColours)
{
    TJyrSpinButton* B = Spin->GetButton();
    B->ButtonColor = clYellow;
    B->ButtonColorHot = clLime;
    B->GetUpButton()->Invalidate();
    B->GetDownButton()->Invalidate();
    ui::Pump();
    TDibSurface S(B->GetWidth(), B->GetHeight(), clWhite);
    PaintWindowInto(B->GetHandle(), S, true);
    EXPECT_EQ(S.Pixel(1, 1), clYellow);
    EXPECT_EQ(S.Pixel(6, 3), clBlack);   // the up arrow's tip row
    JyrControls::EnvironmentOverrides().HighContrast = true;
    PaintWindowInto(B->GetHandle(), S, true);
    JyrControls::EnvironmentOverrides().HighContrast.reset();
    EXPECT_EQ(S.Pixel(1, 1), clBlack);
    EXPECT_GT(S.CountColor(S.Bounds(), clWhite), 4);   // white arrows
}

TEST_F(SpinEdit, BadPropertyValuesGiveTheDefaultsOrANamedError)
{
    Spin->SetPrecision(-3);
    EXPECT_EQ(Spin->GetPrecision(), 0);
    Spin->SetPrecision(1000000);
    EXPECT_EQ(Spin->GetPrecision(), 0);
    Spin->SetIncrement(-4);
    EXPECT_EQ(Spin->GetIncrement(), 1);
    Spin->SetIncrementFloat(-1.0);
    EXPECT_EQ(Spin->GetIncrementFloat(), 0.1);
    Spin->SetIncrementHours(24);
    EXPECT_EQ(Spin->GetIncrementHours(), 1);
    Spin->SetIncrementMinutes(60);
    EXPECT_EQ(Spin->GetIncrementMinutes(), 1);

    auto Read = [](const String& Props) {
        TForm* F = ui::NewForm();
        ui::FormGuard G(F);
        ReadComponentText(L"object F: TForm\r\n  object S1: TJyrSpinEdit\r\n" + Props + L"  end\r\nend\r\n", F);
        auto* S = dynamic_cast<TJyrSpinEdit*>(F->FindComponent(L"S1"));
        return std::make_tuple(S->GetPrecision(), S->GetIncrement(), S->GetSpinType(), S->GetText());
    };
    auto [P, I, K, T] = Read(L"    Precision = -7\r\n    Increment = 0\r\n    SpinType = sptFloat\r\n    Text = '2,5'\r\n");
    EXPECT_EQ(P, 0);
    EXPECT_EQ(I, 1);
    EXPECT_EQ(K, sptFloat);
    EXPECT_EQ(T, L"2,5");
    try {
        Read(L"    SpinType = 9\r\n");
        ADD_FAILURE() << "an ordinal past the kinds was read";
    } catch (const Exception& E) {
        EXPECT_NE(E.Message.find(L"SpinType"), String::npos) << E.Message;
    }
}

TEST_F(SpinEdit, RandomTypingSteppingPastingAndLeavingKeepsReadsSafeAndBoundsOnExit)
{
    std::mt19937 Rng(20240601);
    auto Pick = [&](int N) { return int(Rng() % unsigned(N)); };
    const TFormatSettings Locales[] = {TFormatSettings::Danish(), TFormatSettings::EnglishUS(),
                                       TFormatSettings::Invariant()};
    const String Pool = L"0123456789-+.,:/ aZ\u00E6\u0663\xD83D\x0003\x0016\x0018\x001B\n\r\t";
    const TJyrSpinType Kinds[] = {sptNormal, sptFloat, sptDate, sptTime};
    const Word StepKeys[] = {VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN};
    for (int Round = 0; Round < 40; ++Round) {
        FormatSettings = Locales[Pick(3)];
        TJyrSpinType Kind = Kinds[Pick(4)];
        Spin->SetSpinType(Kind);
        int Lo = Pick(200) - 100, Hi = Lo + 1 + Pick(200);
        Spin->SetMinValue(Lo);
        Spin->SetMaxValue(Hi);
        Spin->SetMinFloatValue(Lo / 4.0);
        Spin->SetMaxFloatValue(Hi / 4.0);
        Spin->SetPrecision(Pick(4));
        if (Kind == sptTime) {
            Spin->SetMinDateValue(Pick(12) / 24.0);
            Spin->SetMaxDateValue((12 + Pick(12)) / 24.0);
        } else {
            Spin->SetMinDateValue(Day(2000, 1, 1) + Pick(3000));
            Spin->SetMaxDateValue(Spin->GetMinDateValue() + 1 + Pick(3000));
        }
        Spin->SetFocus();
        ui::Pump();
        for (int Step = 0; Step < 12; ++Step) {
            switch (Pick(5)) {
            case 0: Clipboard()->SetAsText(String(1 + Pick(6), Pool[size_t(Pick(int(Pool.size())))]) + L"\r\n9");
                    SendMessageW(Spin->GetHandle(), WM_PASTE, 0, 0);
                    break;
            case 1: ui::PressKey(StepKeys[Pick(4)]); break;
            case 2: Caret(Pick(int(Spin->GetText().size()) + 1)); break;
            default: ui::TypeChar(Pool[size_t(Pick(int(Pool.size())))]);
            }
            EXPECT_NO_THROW({
                Spin->GetValue();
                Spin->GetFloatValue();
                Spin->GetDateValue();
                Spin->GetTimeValue();
            });
            ASSERT_EQ(Spin->GetText().find_first_of(L"\r\n\t"), String::npos) << Spin->GetText();
        }
        Other->SetFocus();
        ui::Pump();
        switch (Kind) {
        case sptNormal:
            EXPECT_GE(Spin->GetValue(), Lo);
            EXPECT_LE(Spin->GetValue(), Hi);
            break;
        case sptFloat:
            EXPECT_GE(Spin->GetFloatValue(), Lo / 4.0);
            EXPECT_LE(Spin->GetFloatValue(), Hi / 4.0);
            break;
        case sptDate:
            EXPECT_GE(Spin->GetDateValue(), Spin->GetMinDateValue());
            EXPECT_LE(Spin->GetDateValue(), Spin->GetMaxDateValue());
            break;
        case sptTime:
            EXPECT_GE(Spin->GetTimeValue(), Spin->GetMinDateValue() - 1e-6);
            EXPECT_LE(Spin->GetTimeValue(), Spin->GetMaxDateValue() + 1e-6);
            break;
        }
    }
}

TEST_F(SpinEdit, AButtonPairOfItsOwnStepsByKeysAndIsNotStoredWithTheEdit)
{
    auto* Pair = Create<TJyrSpinButton>(Form);
    Pair->SetBounds(200, 10, 15, 30);
    Pair->SetParent(Form);
    Pair->SetTabStop(true);
    int Ups = 0, Downs = 0;
    Pair->OnUpClick = [&](TObject*) { ++Ups; };
    Pair->OnDownClick = [&](TObject*) { ++Downs; };
    Pair->SetFocus();
    ui::Pump();
    EXPECT_TRUE(Pair->GetFocusedButton()->GetTimeBtnState().Contains(tbFocusRect));
    ui::PressKey(VK_DOWN);   // the mark moves to the down button, which clicks
    ui::PressKey(VK_SPACE);  // the marked button clicks
    ui::PressKey(VK_UP);
    EXPECT_EQ(Downs, 2);
    EXPECT_EQ(Ups, 1);
    EXPECT_EQ(Pair->GetFocusedButton(), Pair->GetUpButton());
    EXPECT_FALSE(Pair->GetDownButton()->GetTimeBtnState().Contains(tbFocusRect));
    Pair->Free();

    // The edit's own pair is its part, not a component of the form's description.
    const String Text = WriteComponentText(Form);
    EXPECT_NE(Text.find(L"TJyrSpinEdit"), String::npos);
    EXPECT_EQ(Text.find(L"TJyrSpinButton"), String::npos);
}
