// What the picker drop-downs' tests share: a shown form with one drop-down of type T on it at
// (20, 20), focused, and whether its popup is open; keys sent to the window of this process that
// has the focus, or had it last (a test running beside may show a window of its own and take the
// activation, leaving this process no focus window).
#pragma once

#include "controls/QorDropDown.h"

#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>

namespace dropdownkit {

// The focus window, or the control that had the focus in the open popup or in the edit's form.
inline HWND FocusWindow(TQorCustomDropDown* D)
{
    if (HWND F = GetFocus()) return F;
    TDropDownForm* P = D->GetDropDownForm();
    if (P && P->GetVisible() && P->GetActiveControl()) return P->GetActiveControl()->GetHandle();
    TCustomForm* F = GetParentForm(D);
    if (F && F->GetActiveControl()) return F->GetActiveControl()->GetHandle();
    return D->GetHandle();
}

// A drop-down whose change handling the test can run on a text that typing cannot make, as the
// edit's change notification would.
template <class T>
class TTyping : public T {
public:
    using T::T;
    void Type(const String& Text)
    {
        this->SetTextDirect(Text);
        this->Change();
    }
};

template <class T>
class DropDownTest : public ::testing::Test {
protected:
    // Width: the edit's width; Register: the classes' registration of the unit under test.
    explicit DropDownTest(int Width = 160, void (*Register)() = nullptr) : FWidth(Width)
    {
        if (Register) Register();
    }
    void SetUp() override
    {
        Form = ui::NewForm(420, 360);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Drop = Create<T>(Form);
        Drop->SetBounds(20, 20, FWidth, 21);
        Drop->SetParent(Form);
        Prepare();
        ui::ShowAndActivate(Form);
        Settle();
        Drop->SetFocus();
        ui::Pump();
    }
    // Waits (up to about three seconds) until the form has kept the activation for 300 ms: the
    // windows that tests starting beside show take it, and an open popup closes when it goes.
    void Settle()
    {
        const HWND W = Form->GetHandle();
        for (int Try = 0, Calm = 0; Try < 30 && Calm < 3; ++Try) {
            ui::Pump(100);
            if (GetForegroundWindow() == W) {
                ++Calm;
            } else {
                Calm = 0;
                ui::ShowAndActivate(Form);
            }
        }
    }
    // Settings made before the form shows.
    virtual void Prepare() {}
    bool Open() const { return Drop->GetDropDownForm()->GetVisible(); }
    void Press(Word Key, TShiftState Shift = {}) { ui::PressKey(Key, Shift, FocusWindow(Drop)); }
    void TypeKey(wchar_t Ch) { ui::TypeChar(Ch, FocusWindow(Drop)); }
    HWND Focused() const { return FocusWindow(Drop); }
    // Opens the popup by F4; when a window shown meanwhile by another process holds the
    // activation (the popup then closes as deactivated at once), the form is activated again and
    // F4 tried again.
    void OpenByF4()
    {
        for (int Try = 0; Try < 3 && !Open(); ++Try) {
            if (Try > 0) {
                ui::ShowAndActivate(Form);
                Settle();
                Drop->SetFocus();
                ui::Pump();
            }
            Press(VK_F4);
        }
        ASSERT_TRUE(Open());
    }

    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    T* Drop = nullptr;

private:
    int FWidth;
};

}  // namespace dropdownkit
