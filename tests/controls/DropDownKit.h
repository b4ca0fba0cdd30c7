// What the drop-down's desktop tests share: running a scenario again when another process took the
// focus or the activation while it ran (other tests of the suite show windows of their own), so
// that only failures of an undisturbed run are reported.
#pragma once

#include "framework/Controls.h"
#include "framework/Forms.h"
#include "support/UiHarness.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>
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

}  // namespace dropdownkit
