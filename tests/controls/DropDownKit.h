// What the drop-down's desktop tests share: running a scenario again when another process took the
// focus or the activation while it ran (other tests of the suite show windows of their own), so
// that only failures of an undisturbed run are reported; and a shown form with a drop-down to work
// on and a second edit to take the focus.
#pragma once

#include "controls/QorDropDown.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "support/UiHarness.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace dropdownkit {

// Counts the times the focus or the activation of the watched windows went to a window of another
// process (or to none).
class ForeignFocusWatch {
public:
    void Watch(TControl* Control)
    {
        Hooks.push_back({Control, Control->GetWindowProc()});
        const TWndMethod Old = Control->GetWindowProc();
        Control->SetWindowProc([this, Old](TMessage& M) {
            if (M.Msg == WM_KILLFOCUS && Foreign(reinterpret_cast<HWND>(M.WParam))) ++Count;
            if (M.Msg == WM_ACTIVATE && LOWORD(M.WParam) == WA_INACTIVE && Foreign(reinterpret_cast<HWND>(M.LParam)))
                ++Count;
            Old(M);
        });
    }
    ~ForeignFocusWatch()
    {
        for (auto& H : Hooks) H.Control->SetWindowProc(H.Old);
    }
    int Count = 0;

private:
    static bool Foreign(HWND W)
    {
        if (!W) return true;
        DWORD Pid = 0;
        GetWindowThreadProcessId(W, &Pid);
        return Pid != GetCurrentProcessId();
    }
    struct Hook {
        TControl* Control;
        TWndMethod Old;
    };
    std::vector<Hook> Hooks;
};

// Runs Body (which sets up everything it checks) until it passes, or fails while no window of
// another process took the focus or the activation from the watched ones; the failures of disturbed
// runs are dropped, those of the last run are reported. Refocus gives the test's window the focus
// before each run.
inline void Steady(const std::vector<TControl*>& Watched, const std::function<void()>& Body,
                   const std::function<void()>& Refocus)
{
    for (int Try = 0; Try < 4; ++Try) {
        Refocus();
        ForeignFocusWatch Watch;
        for (TControl* C : Watched) Watch.Watch(C);
        ::testing::TestPartResultArray Results;
        {
            ::testing::ScopedFakeTestPartResultReporter Quiet(
                ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &Results);
            Body();
        }
        if (Results.size() == 0) return;
        if (Watch.Count == 0) break;
    }
    Refocus();
    Body();
}

// Nine colour boxes with their names, as a colour picker shows them, added to Selector (colour
// boxes in three columns, laid out).
inline void AddColourBoxes(TQorCustomItemSelector* Selector)
{
    const TColor Colors[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua, clMaroon, clGreen, clNavy};
    const wchar_t* Names[] = {L"Rød", L"Grøn", L"Blå", L"Gul", L"Lilla", L"Cyan", L"Brun", L"Mørkegrøn", L"Marine"};
    Selector->SetSelectorType(stColor);
    for (int I = 0; I < 9; ++I) {
        TSelectorItem* It = Selector->GetItems()->Add();
        It->SetCaption(Names[I]);
        It->SetColor(Colors[I]);
    }
    Selector->SetColumns(3);
    Selector->UpdateSelectorPanel();
}

// A 16 x 24 teal picture for the items of the picture layouts.
inline void PaintItemPicture(TBitmap& Pic)
{
    Pic.SetWidth(16);
    Pic.SetHeight(24);
    Pic.GetCanvas()->GetBrush()->SetColor(clTeal);
    Pic.GetCanvas()->FillRect(TRect(0, 0, 16, 24));
}

// A shown, active 420 x 320 form with a drop-down (Edit, at 20, 20, 200 x 21) that has the focus
// and a plain edit (Other, at 20, 280) to move the focus to.
class DropDownForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterQorDropDownClasses();
        Form = ui::NewForm(420, 320);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Edit = Create<TQorDropDown>(Form);
        Edit->SetBounds(20, 20, 200, 21);
        Edit->SetParent(Form);
        Other = Create<TEdit>(Form);
        Other->SetBounds(20, 280, 100, 21);
        Other->SetParent(Form);
        ui::ShowAndActivate(Form);
        Edit->SetFocus();
        ui::Pump();
    }
    // The form active again and the drop-down focused.
    void Refocus()
    {
        if (GetActiveWindow() != Form->GetHandle()) ui::ShowAndActivate(Form);
        Edit->SetFocus();
        ui::Pump();
    }
    // The body again when another process took the focus while it ran.
    void Steady(const std::function<void()>& Body)
    {
        dropdownkit::Steady({Edit, Edit->GetDropDownForm(), Form}, Body, [this] { Refocus(); });
    }

    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TQorDropDown* Edit = nullptr;
    TEdit* Other = nullptr;
};

}  // namespace dropdownkit
