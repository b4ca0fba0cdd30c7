// test-needs: desktop
// The time picker drop-down through real messages: the masked text, Up and Down stepping the
// field under the caret, parsing typed texts (blanks, out-of-range fields, unreadable texts kept
// out), ShowSeconds, the popup's clock face and time picker kept in step with the edit, keys in
// the open popup reaching the clock, Esc restoring, and seeded random keys and clicks.
#include "pickers/QorTimePickerDropDown.h"

#include "DropDownKit.h"
#include "WatchKit.h"

#include <cmath>
#include <random>

using watchkit::Clock;
using watchkit::HMS;

namespace {

// A "hh:mm:ss" text with the locale's separator.
String Local(const wchar_t* Text)
{
    String S = Text;
    for (Char& C : S)
        if (C == L':') C = FormatSettings.TimeSeparator;
    return S;
}

using TTestPicker = dropdownkit::TTyping<TQorTimePickerDropDown>;

class TimePickerDropDown : public dropdownkit::DropDownTest<TTestPicker> {
protected:
    TimePickerDropDown() : DropDownTest(120, RegisterQorTimePickerDropDownClasses) {}
    void Prepare() override
    {
        Picker->Animation = false;
        Picker->OnTimeChange = [this](TObject*) { ++TimeChanges; };
    }
    std::string Shown() const { return Clock(Picker->GetTime()); }
    // A left click on the open clock face, relative to its centre.
    void ClickFace(double DX, double DY)
    {
        TQorWatch* W = Picker->GetWatch();
        const TPoint C = W->GetCenterPoint();
        const int X = C.X + int(DX), Y = C.Y + int(DY);
        ui::SetKeyState({ssLeft});
        SendMessageW(W->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
        ui::SetKeyState({});
        SendMessageW(W->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
        ui::Pump();
    }

    TTestPicker*& Picker = Drop;
    int TimeChanges = 0;
};

}  // namespace

TEST_F(TimePickerDropDown, StartsAtMidnightUnderAMask)
{
    EXPECT_EQ(Picker->GetText(), Local(L"00:00:00"));
    EXPECT_EQ(Picker->GetTime(), 0);
    EXPECT_FALSE(Picker->GetEditorEnabled());
    EXPECT_TRUE(Picker->GetShowSeconds());
    EXPECT_FALSE(Picker->GetShowTimePicker());
    EXPECT_EQ(Picker->GetEditMask(), Local(L"!90:00:00;1; "));
    EXPECT_FALSE(Picker->GetInternalCall());
    EXPECT_FALSE(Picker->GetDropDownHeader()->GetVisible());
}

TEST_F(TimePickerDropDown, UpAndDownStepTheFieldUnderTheCaret)
{
    struct Case { const char* From; int Caret; Word Key; const char* To; };
    for (const Case C : {Case{"00:15:30", 0, VK_UP, "23:15:30"}, Case{"23:15:30", 1, VK_DOWN, "00:15:30"},
                         Case{"10:59:00", 3, VK_DOWN, "10:00:00"}, Case{"10:20:30", 5, VK_UP, "10:19:30"},
                         Case{"10:20:30", 6, VK_DOWN, "10:20:31"}, Case{"10:20:00", 7, VK_UP, "10:20:59"}}) {
        Picker->SetTime(watchkit::At(C.From));
        Picker->SetSelStart(C.Caret);
        const int Before = TimeChanges;
        Press(C.Key);
        EXPECT_EQ(Shown(), C.To) << C.From << " caret " << C.Caret;
        EXPECT_EQ(Picker->GetText(), Local(String(C.To, C.To + 8).c_str()));
        EXPECT_EQ(TimeChanges - Before, 1);
        EXPECT_EQ(Picker->GetSelStart(), C.Caret);
    }
    // Seconds off: the caret after the separator steps the minutes.
    Picker->SetShowSeconds(false);
    EXPECT_EQ(Picker->GetText(), Local(L"10:20"));
    EXPECT_EQ(Shown(), "10:20:00");
    Picker->SetSelStart(4);
    Press(VK_DOWN);
    EXPECT_EQ(Picker->GetText(), Local(L"10:21"));
    Picker->SetShowSeconds(true);
    EXPECT_EQ(Picker->GetText(), Local(L"10:21:00"));
}

TEST_F(TimePickerDropDown, TypedTextsAreReadAndBadOnesLeaveTheTime)
{
    Picker->SetEditorEnabled(true);
    Picker->Type(Local(L" 7:00:00"));
    EXPECT_EQ(Picker->GetText(), Local(L"07:00:00"));
    EXPECT_EQ(Shown(), "07:00:00");
    Picker->Type(Local(L" 7:30:00"));
    EXPECT_EQ(Picker->GetText(), Local(L" 7:30:00"));
    EXPECT_EQ(Shown(), "07:30:00");
    // Out-of-range fields leave the time, without an error.
    for (const wchar_t* Bad : {L"25:00:00", L"23:61:00", L"25:61:99", L"99:99:99"}) {
        EXPECT_NO_THROW(Picker->Type(Local(Bad))) << Bad;
        EXPECT_EQ(Shown(), "07:30:00") << Bad;
    }
    // Leaving with an unreadable text gives back the time kept.
    EXPECT_NO_THROW(Picker->ValidateEdit());
    EXPECT_EQ(Picker->GetText(), Local(L"07:30:00"));
    Picker->Type(Local(L"  :  :  "));
    EXPECT_EQ(Picker->GetText(), Local(L"00:00:00"));
    EXPECT_EQ(Shown(), "00:00:00");
    // An empty text removes the mask; a later time puts it back.
    Picker->SetText(L"");
    EXPECT_EQ(Picker->GetText(), L"");
    EXPECT_EQ(Picker->GetEditMask(), L"");
    Picker->SetTime(HMS(9, 5, 0));
    EXPECT_NE(Picker->GetEditMask(), L"");
    EXPECT_EQ(Picker->GetText(), Local(L"09:05:00"));
    // Hour, minute and second setters ignore what is out of range.
    Picker->SetHour(24);
    Picker->SetMinute(60);
    Picker->SetSecond(200);
    EXPECT_EQ(Shown(), "09:05:00");
    Picker->SetResolutions(31);
    EXPECT_EQ(Picker->GetResolution(), 0);
    Picker->SetResolutions(15);
    EXPECT_EQ(Picker->GetResolution(), 15);
}

TEST_F(TimePickerDropDown, LeavingKeepsTheTimeForAnUnreadableTextAndClearsTheInternalFlag)
{
    auto* Other = Create<TEdit>(Form);
    Other->SetBounds(20, 300, 80, 21);
    Other->SetParent(Form);
    Picker->SetEditorEnabled(true);
    Picker->SetTime(HMS(14, 45, 10));
    Picker->Type(Local(L"88:77:66"));
    Other->SetFocus();
    ui::Pump();
    EXPECT_EQ(Shown(), "14:45:10");
    EXPECT_EQ(Picker->GetText(), Local(L"14:45:10"));
    EXPECT_FALSE(Picker->GetInternalCall());
    // A readable one is taken; a negative resolution opens the clock without snapping.
    Picker->SetFocus();
    ui::Pump();
    Picker->Type(Local(L"09:10:11"));
    Other->SetFocus();
    ui::Pump();
    EXPECT_EQ(Shown(), "09:10:11");
    Picker->SetResolutions(-5);
    EXPECT_EQ(Picker->GetResolution(), -5);
    Picker->SetFocus();
    ui::Pump();
    EXPECT_NO_THROW(Picker->ShowDropDown());
    EXPECT_TRUE(Open());
    Picker->HideDropDown(true);
}

TEST_F(TimePickerDropDown, TheClockFollowsAndEscRestores)
{
    Picker->SetTime(HMS(10, 30, 0));
    OpenByF4();
    TQorWatch* W = Picker->GetWatch();
    EXPECT_EQ(Picker->GetPanel()->GetHeight(), 170);
    EXPECT_EQ(Picker->GetDropDownForm()->GetWidth(), 170);
    EXPECT_EQ(Clock(W->GetTime()), "10:30:00");
    // A click inside the dial picks the hour; the edit follows.
    ClickFace(0, -W->GetRadius() / 3);
    EXPECT_EQ(Shown(), "00:30:00");
    EXPECT_EQ(Picker->GetText(), Local(L"00:30:00"));
    Press(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Shown(), "10:30:00");
    EXPECT_EQ(Picker->GetText(), Local(L"10:30:00"));
    // Keys in the open popup reach the clock (the popup previews the panel's keys); Enter keeps.
    OpenByF4();
    Press(VK_PRIOR);
    EXPECT_EQ(Shown(), "11:30:00");
    Press(VK_HOME);
    EXPECT_EQ(Shown(), "12:30:00");
    Press(VK_RIGHT);
    EXPECT_EQ(Shown(), "12:31:00");
    // Up and Down stay with the clock, which has no use for them.
    Press(VK_UP);
    EXPECT_EQ(Shown(), "12:31:00");
    Press(VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Picker->GetText(), Local(L"12:31:00"));
}

TEST_F(TimePickerDropDown, TheTimePickerSitsUnderTheClockAndFollowsIt)
{
    Picker->SetShowTimePicker(true);
    Picker->SetTime(HMS(8, 15, 0));
    OpenByF4();
    TDateTimePicker* D = Picker->GetDateTimePicker();
    ASSERT_NE(D, nullptr);
    EXPECT_EQ(D->GetKind(), dtkTime);
    EXPECT_EQ(D->GetFormat(), L"HH:mm:ss");
    EXPECT_EQ(Picker->GetPanel()->GetHeight(), 170 + D->GetHeight());
    EXPECT_EQ(Clock(D->GetTime()), "08:15:00");
    const int Before = TimeChanges;
    TQorWatch* W = Picker->GetWatch();
    ClickFace(W->GetRadius() / 3, 0);
    EXPECT_EQ(Clock(D->GetTime()), "03:15:00");
    EXPECT_EQ(Shown(), "03:15:00");
    EXPECT_EQ(TimeChanges - Before, 1);
    Press(VK_RETURN);
    // An unreadable text opens the clock at the time kept.
    Picker->SetEditorEnabled(true);
    Picker->Type(Local(L"77:88:99"));
    EXPECT_NO_THROW(Picker->ShowDropDown());
    EXPECT_EQ(Clock(W->GetTime()), "03:15:00");
    Picker->HideDropDown(false);
}

TEST_F(TimePickerDropDown, RandomKeysAndClicksKeepAValidTime)
{
    std::mt19937 Rng(4711);
    Picker->Animation = true;
    Picker->SetShowTimePicker(true);
    const Word Keys[] = {VK_PRIOR, VK_NEXT, VK_LEFT, VK_RIGHT, VK_HOME, VK_END, L'A', L'P', VK_UP, VK_DOWN};
    for (int I = 0; I < 150; ++I) {
        if (!Open()) OpenByF4();
        TQorWatch* W = Picker->GetWatch();
        const int R = int(Rng() % 10);
        if (R < 5) {
            Press(Keys[Rng() % std::size(Keys)]);
        } else if (R < 9) {
            const double A = (Rng() % 360) * 3.14159265 / 180, D = W->GetRadius() * (Rng() % 130) / 100.0;
            ClickFace(D * std::cos(A), D * std::sin(A));
        } else {
            Press(Rng() % 2 ? VK_ESCAPE : VK_RETURN);
        }
        for (int N = 0; N < 500 && W->Animating(); ++N)
            SendMessageW(W->GetAnimationTimer()->GetHandle(), WM_TIMER, TTimer::TimerId, 0);
        ASSERT_FALSE(W->Animating()) << "step " << I;
        const TDateTime T = Picker->GetTime();
        ASSERT_TRUE(T >= 0 && T < 1) << "step " << I;
        EXPECT_EQ(Picker->GetText(), Local(String(Clock(T).begin(), Clock(T).end()).c_str())) << "step " << I;
    }
}
