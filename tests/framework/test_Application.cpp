// test-needs: desktop
// The application object: the default exception display and the loop going on after it, the
// exception hook, the main form and the run loop, the message hook, hints, and the screen.
#include "test_ControlsKit.h"

#include <stdexcept>

namespace {

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(300, 200);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Box = AddControl<TTestBox>(Form, 20, 20, 80, 30);
        ui::ShowAndActivate(Form);
    }
    TForm* Form = nullptr;
    TTestBox* Box = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
};

TEST_F(ApplicationTest, DefaultHandlerShowsTheMessageInABoxAndTheLoopGoesOn)
{
    ui::MessageBoxRecorder Boxes(/*ShowReal*/ true);
    int Clicks = 0;
    Box->OnClick = [&](TObject*) {
        ++Clicks;
        throw EConvertError(L"'x' is not a valid integer value");
    };
    ui::Click(Box, 5, 5);
    ASSERT_EQ(Boxes.Calls.size(), 1u);
    EXPECT_EQ(Boxes.Calls[0].Text, L"'x' is not a valid integer value.");
    EXPECT_EQ(Boxes.Calls[0].Caption, Application->GetTitle());
    EXPECT_EQ(Boxes.Calls[0].Flags & MB_ICONMASK, UINT(MB_ICONSTOP));
    EXPECT_TRUE(Boxes.Calls[0].Shown);   // the real box appeared and was closed

    // The program keeps running: the next input is handled, and fails the same way.
    ui::Click(Box, 5, 5);
    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(Boxes.Calls.size(), 2u);
    EXPECT_TRUE(IsWindowVisible(Form->GetHandle()));
}

TEST_F(ApplicationTest, OtherFailuresAreShownTooAndAbortIsSilent)
{
    ui::MessageBoxRecorder Boxes;
    struct Case {
        const char* Name;
        std::function<void()> Throw;
        const wchar_t* Shown;   // nullptr: no box
    };
    const Case Cases[] = {
        {"std", [] { throw std::runtime_error("disk full"); }, L"disk full."},
        {"abort", [] { throw EAbort(L"quiet"); }, nullptr},
        {"ends with a stop", [] { throw Exception(L"Et diagram skal indeholde præcis 12 linier med indhold."); },
         L"Et diagram skal indeholde præcis 12 linier med indhold."},
        {"unknown", [] { throw 42; }, L"An unknown error occurred."},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Boxes.Calls.clear();
        Box->OnClick = [&](TObject*) { C.Throw(); };
        ui::Click(Box, 5, 5);
        if (C.Shown) {
            ASSERT_EQ(Boxes.Calls.size(), 1u);
            EXPECT_EQ(Boxes.Calls[0].Text, C.Shown);
        } else {
            EXPECT_TRUE(Boxes.Calls.empty());
        }
    }
}

TEST_F(ApplicationTest, ExceptionHookReplacesTheBox)
{
    ui::MessageBoxRecorder Boxes;
    String Seen;
    TObject* SeenSender = nullptr;
    Application->OnException = [&](TObject* Sender, Exception* E) {
        Seen = E->Message;
        SeenSender = Sender;
    };
    Box->OnClick = [&](TObject*) { throw Exception(L"Invalid row accessed"); };
    ui::Click(Box, 5, 5);
    Application->OnException = nullptr;
    EXPECT_EQ(Seen, L"Invalid row accessed");
    EXPECT_EQ(SeenSender, Box);
    EXPECT_TRUE(Boxes.Calls.empty());
}

TEST_F(ApplicationTest, MessageHookSeesAndCanSwallowMessages)
{
    int Seen = 0;
    Application->OnMessage = [&](MSG& Msg, bool& Handled) {
        if (Msg.message == WM_KEYDOWN && Msg.wParam == 'Q') {
            ++Seen;
            Handled = true;
        }
    };
    Box->SetFocus();
    ui::PressKey('Q');
    ui::PressKey('W');
    Application->OnMessage = nullptr;
    EXPECT_EQ(Seen, 1);
    EXPECT_EQ(Box->KeysDown, (std::vector<Word>{'W'}));
}

TEST(Application, FirstCreatedFormIsMainAndClosingItEndsRun)
{
    ASSERT_EQ(Application->GetMainForm(), nullptr);
    TForm* Main = nullptr;
    TForm* Second = nullptr;
    Application->CreateForm(Main);
    Application->CreateForm(Second);
    EXPECT_EQ(Application->GetMainForm(), Main);
    EXPECT_TRUE(Main->HandleAllocated());
    // The second form is owned by the main form's window.
    Second->Show();
    EXPECT_EQ(GetWindow(Second->GetHandle(), GW_OWNER), Main->GetHandle());
    Second->Hide();
    int Shown = 0;
    Main->OnShow = [&](TObject*) {
        ++Shown;
        PostMessageW(Main->GetHandle(), WM_CLOSE, 0, 0);
    };
    Application->Run();
    EXPECT_EQ(Shown, 1);
    EXPECT_TRUE(Application->GetTerminated());
    Application->ResetTerminated();
    Second->Free();
    Main->Free();
    EXPECT_EQ(Application->GetMainForm(), nullptr);
}

TEST_F(ApplicationTest, HintWindowAppearsForAControlWithAHintAndGoesOnInput)
{
    Application->HintPause = 20;
    Box->SetHint(L"Vis spil|the long text");
    Box->SetShowHint(true);
    ui::MouseMove(Box, 10, 10);
    ASSERT_TRUE(ui::PumpUntil([] {
        THintWindow* H = Application->GetHintWindow();
        return H && H->HandleAllocated() && IsWindowVisible(H->GetHandle());
    }));
    THintWindow* H = Application->GetHintWindow();
    EXPECT_EQ(H->GetCaption(), L"Vis spil");
    RECT R;
    GetWindowRect(H->GetHandle(), &R);
    TPoint Cursor = Box->ClientToScreen({10, 10});
    EXPECT_EQ(R.left, Cursor.X);
    EXPECT_GT(R.top, Cursor.Y);
    EXPECT_GT(R.right - R.left, 20);
    EXPECT_NE(GetWindowLongPtrW(H->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetActiveWindow(), H->GetHandle());

    // A button press hides it.
    ui::MouseDown(Box, mbLeft, 10, 10);
    ui::MouseUp(Box, mbLeft, 10, 10);
    EXPECT_FALSE(IsWindowVisible(H->GetHandle()));
    Application->CancelHint();
    Application->HintPause = 500;
}

TEST_F(ApplicationTest, HintShowLetsTheControlChangeOrCancelTheHint)
{
    Application->HintPause = 10;
    auto* Other = AddControl<TTestBox>(Form, 150, 20, 80, 30);
    Other->SetShowHint(true);
    Other->SetHint(L"Other");
    Box->SetShowHint(true);
    Box->SetHint(L"plain");
    struct Case {
        const char* Name;
        bool Cancel;
        const wchar_t* Override;
        const wchar_t* Expected;   // nullptr: no hint
    };
    const Case Cases[] = {
        {"as set", false, L"", L"plain"},
        {"changed", false, L"changed by the control", L"changed by the control"},
        {"cancelled", true, L"", nullptr},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Box->CancelHint = C.Cancel;
        Box->HintOverride = C.Override;
        ui::MouseMove(Other, 5, 5);   // a fresh start for the next control
        Application->CancelHint();
        ui::MouseMove(Box, 5, 5);
        ui::Pump(150);
        THintWindow* H = Application->GetHintWindow();
        bool Visible = H && H->HandleAllocated() && IsWindowVisible(H->GetHandle());
        if (C.Expected) {
            ASSERT_TRUE(Visible);
            EXPECT_EQ(H->GetCaption(), C.Expected);
        } else {
            EXPECT_FALSE(Visible);
        }
    }
    // No hint for a control that does not show hints.
    Application->CancelHint();
    Box->SetShowHint(false);
    Box->CancelHint = false;
    ui::MouseMove(Other, 5, 5);
    Application->CancelHint();
    ui::MouseMove(Box, 6, 6);
    ui::Pump(150);
    THintWindow* H = Application->GetHintWindow();
    EXPECT_FALSE(H && H->HandleAllocated() && IsWindowVisible(H->GetHandle()));
    Application->HintPause = 500;
}

TEST(Screen, FormsCursorsMonitorsAndFonts)
{
    int Before = Screen->FormCount();
    auto* F = Create<TForm>(Application);
    EXPECT_EQ(Screen->FormCount(), Before + 1);
    EXPECT_EQ(Screen->Forms(Screen->FormCount() - 1), F);
    F->Free();
    EXPECT_EQ(Screen->FormCount(), Before);

    EXPECT_EQ(Screen->GetCursors(crHandPoint), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(Screen->GetCursors(crSizeNWSE), LoadCursorW(nullptr, IDC_SIZENWSE));
    HCURSOR Own = LoadCursorW(nullptr, IDC_CROSS);
    Screen->SetCursors(8000, Own);
    EXPECT_EQ(Screen->GetCursors(8000), Own);
    EXPECT_EQ(Screen->GetCursors(12345), LoadCursorW(nullptr, IDC_ARROW));   // unknown: the arrow

    EXPECT_GE(Screen->MonitorCount(), 1);
    EXPECT_TRUE(Screen->Monitors(0)->GetPrimary());
    EXPECT_EQ(Screen->MonitorFromPoint({5, 5}), Screen->Monitors(0));
    EXPECT_EQ(Screen->GetPixelsPerInch(), 96);
    EXPECT_FALSE(Screen->GetWorkAreaRect().IsEmpty());
    const auto& Fonts = Screen->GetFonts();
    // What is installed differs between machines: a sorted list of distinct family names.
    ASSERT_FALSE(Fonts.empty());
    EXPECT_TRUE(std::is_sorted(Fonts.begin(), Fonts.end(),
                               [](const String& A, const String& B) { return _wcsicmp(A.c_str(), B.c_str()) < 0; }));
    EXPECT_EQ(std::adjacent_find(Fonts.begin(), Fonts.end()), Fonts.end());
}

}  // namespace
