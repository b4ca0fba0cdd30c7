// test-needs: desktop
// The date-and-time picker and its base: auto-tab after digits (the platform's picker here ignores
// typed digits, so each test puts the digit's value into the window with DTM_SETSYSTEMTIME from the
// key-press event, before "DTPShiftFocus" arrives), the null date, time bounds, the check box that
// enables the time part, typed text (DTN_USERSTRING), value rules, the fifteen label places, the
// Tab answer for grids and the base's painted frame.
#include "controls/QorDateTimePicker.h"
#include "framework/Streaming.h"
#include "graphics/QorStyleIF.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace QorDateTimePicker;

namespace {

TDateTime Day(int Y, int M, int D) { return EncodeDate(Word(Y), Word(M), Word(D)); }
TDateTime Clock(int H, int M, int S) { return EncodeTime(Word(H), Word(M), Word(S), 0); }
bool Same(TDateTime A, TDateTime B) { return std::fabs(double(A) - double(B)) < 1.0 / 86400 / 2; }

class QorPicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterQorDateTimePicker();
        Settings = std::make_unique<TFormatSettingsGuard>(TFormatSettings::Danish());
        Form = ui::NewForm(500, 300);
        Form->SetColor(clBtnFace);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Before = Edit(10, 10);
        P = Create<TQorDateTimePicker>(Form);
        P->SetBounds(100, 100, 240, 24);
        P->SetParent(Form);
        After = Edit(10, 250);
        ui::ShowAndActivate(Form);
        Before->SetFocus();
        ui::Pump();
    }
    void TearDown() override { QorStyleIF::DetectionOverrides() = {}; }

    TEdit* Edit(int L, int T)
    {
        auto* E = Create<TEdit>(Form);
        E->SetBounds(L, T, 80, 21);
        E->SetParent(Form);
        return E;
    }
    static void Show(TWinControl* C, TDateTime V)
    {
        SYSTEMTIME ST = DateTimeToSystemTimeValue(V);
        SendMessageW(C->GetHandle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&ST));
    }
    static TDateTime Shown(TWinControl* C)
    {
        SYSTEMTIME ST{};
        SendMessageW(C->GetHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&ST));
        return SystemTimeToDateTimeValue(ST);
    }
    // The platform picker's notification of a changed value (GDT_NONE: the check box cleared).
    static void Changed(TWinControl* C, TDateTime V, DWORD Flags = GDT_VALID)
    {
        NMDATETIMECHANGE N{};
        N.nmhdr.hwndFrom = C->GetHandle();
        N.nmhdr.idFrom = 0;
        N.nmhdr.code = DTN_DATETIMECHANGE;
        N.dwFlags = Flags;
        N.st = DateTimeToSystemTimeValue(V);
        if (Flags == GDT_VALID) Show(C, V);
        SendMessageW(GetParent(C->GetHandle()), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&N));
    }
    // Types one digit whose effect on the window's value is Result.
    void Digit(QorDateTimePicker::TCustomDateTimePicker* C, TDateTime Result)
    {
        C->OnKeyPress = [C, Result](TObject*, Char&) { Show(C, Result); };
        ui::TypeChar(L'1', C->GetHandle());
        C->OnKeyPress = nullptr;
    }

    std::unique_ptr<TFormatSettingsGuard> Settings;
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TEdit* Before = nullptr;
    TEdit* After = nullptr;
    TQorDateTimePicker* P = nullptr;
};

}  // namespace

TEST_F(QorPicker, DigitsInATimeMoveToTheNextFieldOrTheNextControl)
{
    P->SetKind(dkTime);
    P->SetTimeFormat(L"HH':'mm':'ss");
    P->SetAutoTab(true);
    P->SetDateTimeEx(Clock(10, 20, 30));
    P->SetFocus();
    ui::Pump();
    EXPECT_EQ(GetCapture(), nullptr);   // the click into the first field keeps no capture
    ui::MessageLog Log(P);
    struct Case {
        TDateTime To;
        bool AutoTabToNext;
        int RightArrows;
        bool MovesOn;
    } Cases[] = {
        {Clock(10, 20, 30), true, 0, false},    // nothing changed
        {Clock(11, 20, 30), true, 1, false},    // the hour: next field
        {Clock(11, 25, 30), true, 1, false},    // the minute: next field
        {Clock(11, 25, 31), false, 1, false},   // the second, no move to the next control
        {Clock(11, 25, 35), true, 0, true},     // the second: the next control
    };
    for (const Case& C : Cases) {
        P->SetAutoTabToNext(C.AutoTabToNext);
        Log.Clear();
        Digit(P, C.To);
        EXPECT_EQ(Log.Count(WM_KEYDOWN), C.RightArrows) << C.To;
        EXPECT_EQ(After->Focused(), C.MovesOn) << C.To;
    }
    EXPECT_EQ(P->h, 11);
    EXPECT_EQ(P->s, 31);

    // Without AutoTab no message goes.
    P->SetAutoTab(false);
    P->SetFocus();
    ui::Pump();
    Log.Clear();
    Digit(P, Clock(1, 2, 3));
    EXPECT_EQ(Log.Count(WM_KEYDOWN), 0);
    EXPECT_EQ(Log.Count(DTPShiftFocus()), 0);
}

TEST_F(QorPicker, DigitsInADateMoveOnAndTheLastFieldLeadsToTheTimePart)
{
    P->SetFormatEx(L"dd-MM-yyyy");
    P->SetAutoTab(true);
    P->SetDateTimeEx(Day(2024, 3, 12) + Clock(9, 0, 0));
    ASSERT_NE(P->GetTimePicker(), nullptr);
    EXPECT_TRUE(P->GetTimePicker()->GetAutoTab());
    P->SetFocus();
    ui::Pump();
    ui::MessageLog Log(P);
    Digit(P, Day(2024, 3, 13));
    EXPECT_EQ(Log.Count(WM_KEYDOWN), 1);
    Log.Clear();
    Digit(P, Day(2025, 3, 13));   // the year ends the format
    EXPECT_EQ(Log.Count(WM_KEYDOWN), 0);
    EXPECT_TRUE(P->GetTimePicker()->Focused());

    // The locale's form for a date alone: a changed year goes on to the next control.
    auto* D = Create<TQorDateTimePicker>(Form);
    D->SetBounds(100, 150, 150, 24);
    D->SetParent(Form);
    D->SetKind(dkDate);
    D->SetAutoTab(true);
    D->SetDateTimeEx(Day(2024, 3, 12));
    D->SetFocus();
    ui::Pump();
    ui::MessageLog DLog(D);
    Digit(D, Day(2024, 4, 12));
    EXPECT_EQ(DLog.Count(WM_KEYDOWN), 1);
    Digit(D, Day(2026, 4, 12));   // the next control, round to the first
    EXPECT_TRUE(Before->Focused());
}

TEST_F(QorPicker, TheNullDateShowsItsFormatUntilEnteredAndReturnsWhenLeftUnchanged)
{
    P->SetKind(dkDate);
    P->SetFormatEx(L"dd-MM-yyyy");
    P->SetNullDateFormat(L"'ingen dato'");
    P->SetDateTimeEx(0);
    EXPECT_EQ(P->GetFormat(), L"'ingen dato'");
    EXPECT_EQ(P->GetText(), L"ingen dato");

    P->SetFocus();
    ui::Pump();
    EXPECT_EQ(P->GetFormat(), L"dd-MM-yyyy");
    EXPECT_TRUE(Same(P->GetDateTimeEx(), Date()));
    After->SetFocus();
    ui::Pump();
    EXPECT_EQ(P->GetDateTimeEx(), 0);
    EXPECT_EQ(P->GetText(), L"ingen dato");

    // A value chosen after entering stays.
    P->SetFocus();
    ui::Pump();
    Changed(P, Day(2024, 5, 1));
    After->SetFocus();
    ui::Pump();
    EXPECT_TRUE(Same(P->GetDateTimeEx(), Day(2024, 5, 1)));
    EXPECT_EQ(P->GetText(), L"01-05-2024");

    // Ctrl+Delete clears it to the null date.
    P->SetFocus();
    ui::Pump();
    ui::PressKey(VK_DELETE, TShiftState{ssCtrl});
    EXPECT_EQ(P->GetDateTimeEx(), 0);
    EXPECT_EQ(P->GetFormat(), L"'ingen dato'");
}

TEST_F(QorPicker, TimeBoundsHoldForTheTimeKindAndTheTimePart)
{
    P->SetKind(dkTime);
    P->SetDateTimeEx(Clock(12, 0, 0));
    Changed(P, Clock(18, 30, 0));   // no bounds: kept
    EXPECT_TRUE(Same(P->GetTimeEx(), Clock(18, 30, 0)));
    P->SetMinTime(Clock(8, 0, 0));
    P->SetMaxTime(Clock(17, 0, 0));
    Changed(P, Clock(18, 30, 0));
    EXPECT_TRUE(Same(P->GetTimeEx(), Clock(17, 0, 0)));
    EXPECT_TRUE(Same(Shown(P), Clock(17, 0, 0)));
    Changed(P, Clock(7, 0, 0));
    EXPECT_TRUE(Same(P->GetTimeEx(), Clock(8, 0, 0)));

    auto* Both = Create<TQorDateTimePicker>(Form);
    Both->SetBounds(100, 150, 240, 24);
    Both->SetParent(Form);
    Both->SetMinTime(Clock(8, 0, 0));
    Both->SetMaxTime(Clock(17, 0, 0));
    int TimeChanges = 0, Changes = 0;
    Both->OnTimeChange = [&](TObject*) { ++TimeChanges; };
    Both->OnChange = [&](TObject*) { ++Changes; };
    ui::Pump();
    ASSERT_NE(Both->GetTimePicker(), nullptr);
    Changed(Both->GetTimePicker(), Day(2024, 1, 1) + Clock(20, 0, 0));
    EXPECT_TRUE(Same(std::fmod(double(Both->GetTimeEx()), 1.0), Clock(17, 0, 0)));
    EXPECT_EQ(TimeChanges, 1);
    EXPECT_EQ(Changes, 1);
}

TEST_F(QorPicker, TheCheckBoxEnablesTheTimePartAndTellsOfItsChange)
{
    P->SetShowCheckbox(true);
    P->SetChecked(false);
    ui::Pump();
    int Clicks = 0;
    P->OnCheckClick = [&](TObject*) { ++Clicks; };
    ASSERT_NE(P->GetTimePicker(), nullptr);
    EXPECT_FALSE(P->GetTimePicker()->GetEnabled());
    SYSTEMTIME ST{};
    EXPECT_EQ(SendMessageW(P->GetHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&ST)), GDT_NONE);
    // The platform's check box is a button window of its own at the picker's left.
    HWND Check = GetWindow(P->GetHandle(), GW_CHILD);
    wchar_t Class[32] = {};
    while (Check && (GetClassNameW(Check, Class, 32), String(Class) != L"Button")) Check = GetWindow(Check, GW_HWNDNEXT);
    ASSERT_NE(Check, nullptr);
    SendMessageW(Check, BM_CLICK, 0, 0);
    ui::Pump();
    EXPECT_TRUE(P->GetChecked());
    EXPECT_TRUE(P->GetTimePicker()->GetEnabled());
    EXPECT_EQ(Clicks, 1);
    Changed(P, 0, GDT_NONE);
    EXPECT_FALSE(P->GetChecked());
    EXPECT_FALSE(P->GetTimePicker()->GetEnabled());
    EXPECT_EQ(Clicks, 2);
}

TEST_F(QorPicker, TypedTextIsConvertedOrTheValueKept)
{
    P->SetKind(dkDate);
    P->SetParseInput(true);
    P->SetDateTimeEx(Day(2024, 3, 12));
    ui::Pump();
    auto Send = [&](const String& Text, UINT Code = DTN_USERSTRINGW) {
        NMDATETIMESTRINGW N{};
        N.nmhdr.hwndFrom = P->GetHandle();
        N.nmhdr.code = Code;
        AnsiString Narrow(Text.begin(), Text.end());
        N.pszUserString = Code == DTN_USERSTRINGW ? Text.c_str() : reinterpret_cast<LPCWSTR>(Narrow.c_str());
        SendMessageW(Form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&N));
        return std::make_pair(SystemTimeToDateTimeValue(N.st), N.dwFlags);
    };
    auto [V1, F1] = Send(L"24-12-2023");
    EXPECT_TRUE(Same(V1, Day(2023, 12, 24)));
    EXPECT_EQ(F1, DWORD(GDT_VALID));
    auto [V2, F2] = Send(L"31-02-2023 uden mening");   // no handler: the value the picker had
    EXPECT_TRUE(Same(V2, Day(2024, 3, 12)));
    EXPECT_EQ(F2, DWORD(GDT_VALID));
    auto [V3, F3] = Send(L"25-12-2023", DTN_USERSTRINGA);
    EXPECT_TRUE(Same(V3, Day(2023, 12, 25)));

    String Seen;
    P->OnUserInput = [&](TObject*, const String& Text, TDateTime& Value, bool& Allow) {
        Seen = Text;
        if (Text == L"i morgen") {
            Value = Day(2024, 3, 13);
            Allow = true;
        } else {
            Allow = false;
        }
    };
    auto [V4, F4] = Send(L"i morgen");
    EXPECT_EQ(Seen, L"i morgen");
    EXPECT_TRUE(Same(V4, Day(2024, 3, 13)));
    EXPECT_EQ(F4, DWORD(GDT_VALID));
    auto [V5, F5] = Send(L"01-01-2020");
    EXPECT_EQ(F5, DWORD(GDT_ERROR));
}

TEST_F(QorPicker, ValuesFollowTheKindTheBoundsAndTheDateRules)
{
    // Below a minimum date: the minimum's date with the time given.
    P->SetMinDate(Day(2024, 1, 1));
    P->SetDateTimeEx(Day(2023, 5, 5) + Clock(13, 14, 15));
    EXPECT_TRUE(Same(P->GetDateTimeEx(), Day(2024, 1, 1) + Clock(13, 14, 15)));
    P->SetMinDate(0);
    P->NullDateIsToday = true;
    P->SetDateTimeEx(Clock(6, 0, 0));
    EXPECT_TRUE(Same(P->GetDateTimeEx(), Date() + Clock(6, 0, 0)));
    P->NullDateIsToday = false;
    P->SetDateEx(Day(2022, 2, 2) + 0.9);   // the date, keeping the time of day
    EXPECT_TRUE(Same(P->GetDateTimeEx(), Day(2022, 2, 2) + Clock(6, 0, 0)));

    // The time kind has no time part; its time format is its format; a time with no date is kept.
    P->SetKind(dkTime);
    EXPECT_EQ(P->GetTimePicker(), nullptr);
    P->SetTimeFormat(L"HH:mm");
    EXPECT_EQ(P->GetFormat(), L"HH:mm");
    P->SetDateTimeEx(0);
    P->SetTimeEx(Clock(14, 45, 0));
    EXPECT_TRUE(Same(P->GetTimeEx(), Clock(14, 45, 0)));
    P->SetKind(dkDateTime);
    EXPECT_NE(P->GetTimePicker(), nullptr);
    EXPECT_TRUE(P->GetTimePicker()->IsTimePicker);
    EXPECT_EQ(P->GetTimePicker()->GetKind(), dtkTime);

    EXPECT_EQ(P->GetVersion(), L"1.3.3.0");
    EXPECT_EQ(CalculateDPIScale(P), 1.0f);
    EXPECT_GT(FontHeightAtDpi(192, 9), FontHeightAtDpi(96, 9));
}

TEST_F(QorPicker, TheLabelStandsInEachOfItsFifteenPlaces)
{
    P->SetLabelCaption(L"Dato");
    P->SetLabelMargin(5);
    TLabel* Lb = P->GetLabel();
    ASSERT_NE(Lb, nullptr);
    const int L = P->GetLeft(), T = P->GetTop(), W = P->GetWidth(), H = P->GetHeight();
    const int LW = Lb->GetWidth(), LH = Lb->GetHeight(), M = 5, B = 2;   // B: a single border
    const int CW = JyrControls::CaptionWidth(L"Dato", Lb->GetFont());
    struct Place {
        TLabelPosition Pos;
        int Left, Top;
    } Places[] = {
        {lpLeftTop, L - CW - M, T},
        {lpLeftCenter, L - CW - M, T + (H - B - LH) / 2},
        {lpLeftBottom, L - CW - M, T + H - LH},
        {lpTopLeft, L, T - LH - M},
        {lpBottomLeft, L, T + H + M},
        {lpLeftTopLeft, L - M, T},
        {lpLeftCenterLeft, L - M, T + (H - B - LH) / 2},
        {lpLeftBottomLeft, L - M, T + H - LH},
        {lpTopCenter, L + (W - LW) / 2, T - LH - M},
        {lpBottomCenter, L + (W - LW) / 2, T + H + M},
        {lpRightTop, L + W + M, T},
        {lpRightCenter, L + W + M, T + (H - B - LH) / 2},
        {lpRighBottom, L + W + M, T + H - LH},
        {lpTopRight, L + W - LW, T - LH - M},
        {lpBottomRight, L + W - LW, T + H + M},
    };
    for (const Place& Pl : Places) {
        P->SetLabelPosition(Pl.Pos);
        EXPECT_EQ(Lb->GetLeft(), Pl.Left) << int(Pl.Pos);
        EXPECT_EQ(Lb->GetTop(), Pl.Top) << int(Pl.Pos);
    }
    int Clicks = 0;
    P->OnLabelClick = [&](TObject* S) {
        EXPECT_EQ(S, P);
        ++Clicks;
    };
    ui::Click(Lb, 2, 2);
    EXPECT_EQ(Clicks, 1);

    // Aligned to the top with the label left of it, the picker leaves the label its room.
    P->SetLabelPosition(lpLeftTop);
    P->SetAlign(alTop);
    EXPECT_EQ(P->GetLeft(), LW + M);
    EXPECT_EQ(Lb->GetLeft(), P->GetLeft() - CW - M);

    // A place past the fifteen gives the first; a stored one is read by name.
    P->SetLabelPosition(TLabelPosition(40));
    EXPECT_EQ(P->GetLabelPosition(), lpLeftTop);
    P->SetLabelMargin(1 << 20);
    EXPECT_EQ(P->GetLabelMargin(), 4);
}

TEST_F(QorPicker, GridsGetTheTabKeysTheyAskFor)
{
    auto* TimePart = P->GetTimePicker();
    ASSERT_NE(TimePart, nullptr);
    EXPECT_EQ(TimePart->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    TimePart->GridTabhandling = true;
    P->GridTabhandling = true;
    ui::SetKeyState({});
    EXPECT_NE(TimePart->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    EXPECT_EQ(P->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    ui::SetKeyState(TShiftState{ssShift});
    EXPECT_EQ(TimePart->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    EXPECT_NE(P->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    ui::SetKeyState({});
}

TEST_F(QorPicker, TheBaseFramesItselfOnTheWindow)
{
    auto* Base = Create<QorDateTimePicker::TCustomDateTimePicker>(Form);
    Base->SetBounds(100, 150, 150, 24);
    Base->SetParent(Form);
    EXPECT_FALSE(Base->GetCtl3D());
    EXPECT_EQ(Base->GetBorderColor(), clBlack);
    EXPECT_TRUE(Base->IsInnerCtrl());
    Base->SetBorderStyle(bsSingle);
    auto S = CaptureWindowAsShown(Base->GetHandle());
    const int W = Base->GetWidth(), H = Base->GetHeight();
    EXPECT_TRUE(S->AllColor(TRect{0, 0, W, 1}, clBlack));
    EXPECT_TRUE(S->AllColor(TRect{0, 0, 1, H}, clBlack));
    EXPECT_TRUE(S->AllColor(TRect{1, 1, 2, H - 2}, clBlack));   // the second frame without visual styles
    S->SavePng(SnapshotPath(L"qordtp_base_frame.png"));
}
