// A window of another program is not taken for a control of this one, even though it carries the
// same window property (holding an address that means nothing here): the test starts itself a
// second time as a helper that shows a form, and looks that form's window up from here.
#include "support/UiHarness.h"

#include "framework/Controls.h"
#include "framework/SysUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr const wchar_t* HelperCaption = L"Fremmed vindue 4711";

// Runs only inside the helper process: shows a form until the test ends the process.
TEST(ForeignWindow, Helper)
{
    if (!std::getenv("FOREIGN_WINDOW_HELPER")) GTEST_SKIP() << "runs only as the helper";
    TForm* Form = ui::NewForm(200, 100, 300, 300);
    Form->SetCaption(HelperCaption);
    Form->Show();
    for (;;) ui::Pump(50);
}

TEST(ForeignWindow, IsNoControlOfThisProgram)
{
    wchar_t Exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, Exe, MAX_PATH);
    String Command = String(L"\"") + Exe + L"\" --gtest_filter=ForeignWindow.Helper";
    SetEnvironmentVariableW(L"FOREIGN_WINDOW_HELPER", L"1");
    STARTUPINFOW SI{};
    SI.cb = sizeof(SI);
    SI.dwFlags = STARTF_USESTDHANDLES;   // the helper's report stays out of this one's
    PROCESS_INFORMATION PI{};
    ASSERT_TRUE(CreateProcessW(nullptr, Command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &SI, &PI));
    SetEnvironmentVariableW(L"FOREIGN_WINDOW_HELPER", nullptr);
    HWND Foreign = nullptr;
    for (int I = 0; I < 200 && !Foreign; ++I) {
        Sleep(50);
        Foreign = FindWindowW(nullptr, HelperCaption);
    }
    if (Foreign) {
        EXPECT_EQ(FindControl(Foreign), nullptr);
        RECT R;
        GetWindowRect(Foreign, &R);
        EXPECT_EQ(FindDragTarget(TPoint((R.left + R.right) / 2, (R.top + R.bottom) / 2), true), nullptr);
    }
    TerminateProcess(PI.hProcess, 0);
    WaitForSingleObject(PI.hProcess, 5000);
    CloseHandle(PI.hThread);
    CloseHandle(PI.hProcess);
    ASSERT_NE(Foreign, nullptr) << "the helper showed no window";

    // This program's own forms are still found.
    TForm* Own = ui::NewForm(100, 100);
    ui::FormGuard Guard(Own);
    EXPECT_EQ(FindControl(Own->GetHandle()), Own);
}

}  // namespace
