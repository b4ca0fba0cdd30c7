// test-needs: desktop
// A gallery form of the track bar, memo, calculator, control host and time picker drop-downs:
// each popup is opened by keys and captured from the screen with its edit (the keypad with a hot
// and a pressed button, the time picker with its clock and picker), for a person to look at.
// Each snapshot must show the popup painted.
#include "pickers/QorCalculatorDropDown.h"
#include "pickers/QorControlDropDown.h"
#include "pickers/QorMemoDropDown.h"
#include "pickers/QorTimePickerDropDown.h"
#include "pickers/QorTrackBarDropDown.h"

#include "framework/StdCtrls.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "DropDownKit.h"

#include <gtest/gtest.h>

namespace {

class PickerGallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterQorTrackBarDropDownClasses();
        RegisterQorMemoDropDownClasses();
        RegisterQorCalculatorDropDownClasses();
        RegisterQorControlDropDownClasses();
        RegisterQorTimePickerDropDownClasses();
        Form = ui::NewForm(560, 420, 20, 20);
        Form->SetColor(clBtnFace);
        Form->SetCaption(L"Picker gallery");
        Guard = std::make_unique<ui::FormGuard>(Form);
        Track = Put<TQorTrackBarDropDown>(10);
        Track->SetPosition(6);
        Memo = Put<TQorMemoDropDown>(120);
        TStringList Lines;
        Lines.SetText(L"Nord åbner 1\u2663\r\nSyd svarer 1\u2665\r\nNord støtter 2\u2665\r\n");
        Memo->SetMemoText(&Lines);
        Calc = Put<TQorCalculatorDropdown>(230);
        Calc->SetValue(1234.5);
        Host = Put<TQorControlDropDown>(340);
        auto* List = Create<TListBox>(Form);
        List->SetBounds(0, 0, 150, 100);
        List->SetParent(Form);
        for (const wchar_t* S : {L"Klør", L"Ruder", L"Hjerter", L"Spar", L"Sans"}) List->GetItems()->Add(S);
        Host->SetControl(List);
        Host->SetText(L"Hjerter");
        Time = Put<TQorTimePickerDropDown>(450, 100);
        Time->SetShowTimePicker(true);
        Time->Animation = false;
        Time->SetTime(EncodeTime(10, 8, 30, 0));
        ui::ShowAndActivate(Form);
    }
    template <class T>
    T* Put(int Left, int Width = 100)
    {
        T* C = Create<T>(Form);
        C->SetBounds(Left, 10, Width, 21);
        C->SetParent(Form);
        return C;
    }
    // Opens the popup by F4 and writes the edit with its popup to a snapshot; answers the shot and
    // where the popup lies on it.
    std::unique_ptr<TDibSurface> Shoot(TQorCustomDropDown* D, const String& Name, TRect* PopupOnShot = nullptr,
                                      const std::function<void()>& Before = nullptr)
    {
        D->SetFocus();
        ui::Pump();
        if (!D->GetDropDownForm()->GetVisible()) ui::PressKey(VK_F4, {}, dropdownkit::FocusWindow(D));
        EXPECT_TRUE(D->GetDropDownForm()->GetVisible()) << Name;
        if (Before) Before();
        ui::Pump(150);
        TDropDownForm* P = D->GetDropDownForm();
        const TPoint E = Form->ClientToScreen(TPoint(D->GetLeft(), D->GetTop()));
        const TRect R(std::min(E.X, P->GetLeft()) - 6, E.Y - 6, std::max(E.X + D->GetWidth(), P->GetLeft() + P->GetWidth()) + 6,
                      P->GetTop() + P->GetHeight() + 6);
        auto Shot = CaptureScreenRect(R);
        Shot->SavePng(SnapshotPath(L"picker_" + Name + L".png"));
        const TRect On(P->GetLeft() - R.Left, P->GetTop() - R.Top, P->GetLeft() - R.Left + P->GetWidth(),
                       P->GetTop() - R.Top + P->GetHeight());
        if (PopupOnShot) *PopupOnShot = On;
        EXPECT_TRUE(Shot->HasInk(TRect(On.Left + 2, On.Top + 2, On.Right - 2, On.Bottom - 2))) << Name;
        return Shot;
    }

    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TQorTrackBarDropDown* Track = nullptr;
    TQorMemoDropDown* Memo = nullptr;
    TQorCalculatorDropdown* Calc = nullptr;
    TQorControlDropDown* Host = nullptr;
    TQorTimePickerDropDown* Time = nullptr;
};

TPoint Centre(TCustomButtonPanel* P, const String& Name)
{
    for (int I = 0; I < P->GetButtons()->GetCount(); ++I)
        if (P->GetButtons()->GetItem(I)->GetName() == Name) {
            const TRect R = P->GetButtons()->GetItem(I)->GetRect();
            return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
        }
    return TPoint(-1, -1);
}

}  // namespace

TEST_F(PickerGallery, EveryPopupOpensPainted)
{
    auto Whole = CaptureWindowFromScreen(Form->GetHandle());
    Whole->SavePng(SnapshotPath(L"picker_gallery.png"));

    Shoot(Track, L"trackbar");
    ui::PressKey(VK_ESCAPE, {}, dropdownkit::FocusWindow(Track));
    Shoot(Memo, L"memo");
    ui::PressKey(VK_ESCAPE, {}, dropdownkit::FocusWindow(Memo));
    Shoot(Host, L"control");
    ui::PressKey(VK_ESCAPE, {}, dropdownkit::FocusWindow(Host));

    // The keypad with 7 hot and = pressed (held down while the shot is taken).
    TRect On;
    TCustomButtonPanel* Keypad = nullptr;
    auto Shot = Shoot(Calc, L"keypad", &On, [&] {
        Keypad = Calc->GetButtonPanel();
        const TPoint Eq = Centre(Keypad, L"BTN_=");
        ui::MouseDown(Keypad, mbLeft, Eq.X, Eq.Y);
        const TPoint Seven = Centre(Keypad, L"BTN_7");
        ui::MouseMove(Keypad, Seven.X, Seven.Y, {ssLeft});
    });
    ASSERT_NE(Keypad, nullptr);
    EXPECT_EQ(Keypad->GetButtons()->GetItem(Keypad->ButtonAtPos(Centre(Keypad, L"BTN_7").X, Centre(Keypad, L"BTN_7").Y))->GetName(),
              L"BTN_7");
    ui::MouseUp(Keypad, mbLeft, 1, 1);
    ui::PressKey(VK_ESCAPE, {}, dropdownkit::FocusWindow(Calc));

    Shoot(Time, L"timepicker");
    ui::PressKey(VK_ESCAPE, {}, dropdownkit::FocusWindow(Time));
}
