// test-needs: desktop
// The track bar and the date-time picker on real windows: range and position kept in step with
// the platform control, OnChange from the user's keys and from the picker's notifications, the
// picker's range, check box and parsed input.
#include "framework/ComCtrls.h"
#include "test_ControlsKit.h"

#include <commctrl.h>

namespace {

class BarsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(400, 200);
        Guard = std::make_unique<ui::FormGuard>(Form);
        ui::ShowAndActivate(Form);
    }
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
};

TEST_F(BarsTest, TrackBarRangePositionAndChange)
{
    TTrackBar* T = AddControl<TTrackBar>(Form, 10, 10, 200, 40);
    int Changes = 0;
    T->OnChange = [&](TObject*) { ++Changes; };
    T->SetMax(20);
    T->SetPosition(25);                      // kept within the range
    EXPECT_EQ(T->GetPosition(), 20);
    HWND W = T->GetHandle();
    EXPECT_EQ(SendMessageW(W, TBM_GETRANGEMAX, 0, 0), 20);
    EXPECT_EQ(SendMessageW(W, TBM_GETPOS, 0, 0), 20);
    T->SetMin(30);                           // Max follows a Min above it
    EXPECT_EQ(T->GetMax(), 30);
    EXPECT_EQ(T->GetPosition(), 30);
    EXPECT_THROW(T->SetParams(0, 5, 4), EInvalidOperation);
    EXPECT_EQ(T->GetMin(), 30);
    T->SetParams(3, 0, 10);
    int Before = Changes;

    // The user's keys move the thumb; the control tells its parent, and OnChange follows.
    T->SetFocus();
    ui::Pump();
    SendMessageW(W, WM_KEYDOWN, VK_RIGHT, ui::KeyData(VK_RIGHT, false));
    SendMessageW(W, WM_KEYUP, VK_RIGHT, ui::KeyData(VK_RIGHT, true));
    ui::Pump();
    EXPECT_EQ(T->GetPosition(), 4);
    EXPECT_GT(Changes, Before);
    SendMessageW(W, WM_KEYDOWN, VK_NEXT, ui::KeyData(VK_NEXT, false));   // a page: PageSize 2
    ui::Pump();
    EXPECT_EQ(T->GetPosition(), 6);

    // A new window keeps the values.
    T->SetOrientation(trVertical);
    EXPECT_EQ(SendMessageW(T->GetHandle(), TBM_GETPOS, 0, 0), 6);
    EXPECT_TRUE(GetWindowLongW(T->GetHandle(), GWL_STYLE) & TBS_VERT);
}

TDateTime Day(int Y, int M, int D) { return EncodeDate(Word(Y), Word(M), Word(D)); }

SYSTEMTIME Native(TCustomDateTimePicker* P, DWORD* Flags = nullptr)
{
    SYSTEMTIME S{};
    DWORD F = DWORD(SendMessageW(P->GetHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&S)));
    if (Flags) *Flags = F;
    return S;
}

TEST_F(BarsTest, DateTimePickerValueRangeAndChecked)
{
    TDateTimePicker* P = AddControl<TDateTimePicker>(Form, 10, 60, 180, 24);
    P->SetDateTime(Day(2020, 11, 15) + EncodeTime(13, 45, 10, 0));
    SYSTEMTIME S = Native(P);
    EXPECT_EQ(S.wYear, 2020);
    EXPECT_EQ(S.wMonth, 11);
    EXPECT_EQ(S.wDay, 15);
    EXPECT_EQ(S.wHour, 13);
    EXPECT_DOUBLE_EQ(P->GetDate(), Day(2020, 11, 15));
    P->SetDate(Day(2021, 1, 2));              // the time of day stays
    EXPECT_NEAR(P->GetTime(), EncodeTime(13, 45, 10, 0), 1e-9);
    EXPECT_EQ(Native(P).wDay, 2);

    P->SetMinDate(Day(2021, 1, 1));
    P->SetMaxDate(Day(2021, 12, 31));
    EXPECT_THROW(P->SetDateTime(Day(2020, 12, 31)), EDateTimeError);
    EXPECT_THROW(P->SetDateTime(Day(2022, 1, 1)), EDateTimeError);
    P->SetDateTime(Day(2021, 12, 31) + 0.99);   // the last day counts whole
    EXPECT_THROW(P->SetMinDate(Day(2022, 6, 1)), EDateTimeError);
    P->SetMaxDate(Day(2021, 6, 30));           // the value moves into the new range
    EXPECT_LE(P->GetDateTime(), Day(2021, 7, 1));
    EXPECT_GE(P->GetDateTime(), Day(2021, 1, 1));

    P->SetShowCheckbox(true);
    EXPECT_TRUE(GetWindowLongW(P->GetHandle(), GWL_STYLE) & DTS_SHOWNONE);
    P->SetChecked(false);
    EXPECT_FALSE(P->GetChecked());
    P->SetChecked(true);
    EXPECT_TRUE(P->GetChecked());

    P->SetKind(dtkTime);
    EXPECT_TRUE(GetWindowLongW(P->GetHandle(), GWL_STYLE) & DTS_TIMEFORMAT);
    P->SetFormat(L"HH:mm");
    wchar_t Text[32] = {};
    GetWindowTextW(P->GetHandle(), Text, 32);
    EXPECT_EQ(String(Text).size(), 5u) << Text;
}

TEST_F(BarsTest, DateTimePickerNotifications)
{
    TDateTimePicker* P = AddControl<TDateTimePicker>(Form, 10, 60, 180, 24);
    P->SetDateTime(Day(2021, 3, 4));
    int Changes = 0, Drops = 0, Closes = 0;
    P->OnChange = [&](TObject*) { ++Changes; };
    P->OnDropDown = [&](TObject*) { ++Drops; };
    P->OnCloseUp = [&](TObject*) { ++Closes; };
    HWND W = P->GetHandle();
    auto Notify = [&](NMHDR& H) {
        H.hwndFrom = W;
        H.idFrom = UINT_PTR(GetDlgCtrlID(W));
        SendMessageW(Form->GetHandle(), WM_NOTIFY, H.idFrom, reinterpret_cast<LPARAM>(&H));
    };

    NMDATETIMECHANGE Change{};
    Change.nmhdr.code = DTN_DATETIMECHANGE;
    Change.dwFlags = GDT_VALID;
    Change.st = DateTimeToSystemTimeValue(Day(2021, 3, 9));
    Notify(Change.nmhdr);
    EXPECT_EQ(Changes, 1);
    EXPECT_DOUBLE_EQ(P->GetDate(), Day(2021, 3, 9));

    NMHDR Drop{nullptr, 0, UINT(DTN_DROPDOWN)};
    Notify(Drop);
    EXPECT_TRUE(P->GetDroppedDown());
    NMHDR Close{nullptr, 0, UINT(DTN_CLOSEUP)};
    Notify(Close);
    EXPECT_FALSE(P->GetDroppedDown());
    EXPECT_EQ(Drops, 1);
    EXPECT_EQ(Closes, 1);

    // Typed text: the handler parses it; a refusal or a date out of range keeps the value.
    P->SetMaxDate(Day(2030, 1, 1));
    P->OnUserInput = [](TObject*, const String& S, TDateTime& D, bool& Allow) {
        Allow = S == L"i morgen" || S == L"langt ude";
        D = S == L"i morgen" ? EncodeDate(2021, 3, 10) : EncodeDate(2040, 1, 1);
    };
    for (auto [Typed, Day_] : {std::pair{L"i morgen", 10}, std::pair{L"langt ude", 9}, std::pair{L"vrøvl", 9}}) {
        NMDATETIMESTRINGW Str{};
        Str.nmhdr.code = DTN_USERSTRINGW;
        Str.pszUserString = Typed;
        Notify(Str.nmhdr);
        EXPECT_EQ(Str.dwFlags, DWORD(GDT_VALID));
        EXPECT_EQ(Str.st.wDay, Day_) << Typed;
    }

    // The conversions keep milliseconds and the weekday.
    SYSTEMTIME S = DateTimeToSystemTimeValue(Day(2020, 11, 15) + EncodeTime(23, 59, 59, 999));
    EXPECT_EQ(S.wMilliseconds, 999);
    EXPECT_EQ(S.wDayOfWeek, 0);   // a Sunday
    EXPECT_NEAR(SystemTimeToDateTimeValue(S), Day(2020, 11, 15) + EncodeTime(23, 59, 59, 999), 1e-9);
}

}  // namespace
