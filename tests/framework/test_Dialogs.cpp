// test-needs: desktop
// Message boxes: what ShowMessage and MessageDlg ask of the platform box, answers through the
// test seam, and real boxes centred on the screen whatever window owns them.
#include "framework/Dialogs.h"
#include "support/UiHarness.h"

namespace {

TEST(Dialogs, ShowMessageRecordsTextCaptionAndOkButton)
{
    ui::MessageBoxRecorder Rec;
    String OldTitle = Application->GetTitle();
    Application->SetTitle(L"ZeVuroderoz Trumpelin");
    ShowMessage(L"Der er ikke noget i clipboard");
    Application->SetTitle(OldTitle);
    ASSERT_EQ(Rec.Calls.size(), 1u);
    EXPECT_EQ(Rec.Calls[0].Text, L"Der er ikke noget i clipboard");
    EXPECT_EQ(Rec.Calls[0].Caption, L"ZeVuroderoz Trumpelin");
    EXPECT_EQ(Rec.Calls[0].Flags & (MB_TYPEMASK | MB_ICONMASK), UINT(MB_OK));
}

struct DlgCase {
    TMsgDlgType Type;
    TMsgDlgButtons Buttons;
    UINT Flags;            // buttons and icon
    const wchar_t* Caption;
};

TEST(Dialogs, MessageDlgChoosesBoxCaptionAndAnswer)
{
    const DlgCase Cases[] = {
        {mtConfirmation, mbYesNoCancel, MB_YESNOCANCEL | MB_ICONQUESTION, L"Confirm"},
        {mtWarning, mbYesNo, MB_YESNO | MB_ICONWARNING, L"Warning"},
        {mtError, TMsgDlgButtons{mbOK}, MB_OK | MB_ICONERROR, L"Error"},
        {mtInformation, mbOKCancel, MB_OKCANCEL | MB_ICONINFORMATION, L"Information"},
        {mtError, mbAbortRetryIgnore, MB_ABORTRETRYIGNORE | MB_ICONERROR, L"Error"},
        {mtWarning, TMsgDlgButtons{mbRetry, mbCancel}, MB_RETRYCANCEL | MB_ICONWARNING, L"Warning"},
        {mtCustom, TMsgDlgButtons{}, MB_OK, nullptr},   // caption: the application's title
    };
    for (const DlgCase& C : Cases) {
        EXPECT_EQ(MessageDlgFlags(C.Type, C.Buttons), C.Flags) << int(C.Type);
        std::vector<UINT> Seen;
        Application->MessageBoxProc = [&](HWND, const String& Text, const String& Caption, UINT Flags) {
            Seen.push_back(Flags);
            EXPECT_EQ(Text, L"Fjern alt?");
            EXPECT_EQ(Caption, C.Caption ? String(C.Caption) : Application->GetTitle());
            return (Flags & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
        };
        int R = MessageDlg(L"Fjern alt?", C.Type, C.Buttons);
        Application->MessageBoxProc = nullptr;
        ASSERT_EQ(Seen.size(), 1u);
        EXPECT_EQ(R, (C.Flags & MB_TYPEMASK) == MB_OK ? mrOk : mrCancel);
    }
    // The seam's answer is the result, button for button.
    for (int Answer : {IDYES, IDNO, IDCANCEL}) {
        Application->MessageBoxProc = [Answer](HWND, const String&, const String&, UINT) { return Answer; };
        EXPECT_EQ(MessageDlg(L"?", mtConfirmation, mbYesNoCancel), Answer);
    }
    Application->MessageBoxProc = nullptr;
}

// Closes the real box from a timer, noting where it stood.
RECT GBoxRect{};
int GBoxesSeen = 0;

BOOL CALLBACK FindBox(HWND Wnd, LPARAM Out)
{
    wchar_t Name[16] = {};
    GetClassNameW(Wnd, Name, 16);
    if (std::wcscmp(Name, L"#32770") == 0 && IsWindowVisible(Wnd)) {
        *reinterpret_cast<HWND*>(Out) = Wnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK CloseBox(HWND, UINT, UINT_PTR Id, DWORD)
{
    HWND Box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&Box));
    if (!Box) return;
    KillTimer(nullptr, Id);
    GetWindowRect(Box, &GBoxRect);
    ++GBoxesSeen;
    PostMessageW(Box, WM_COMMAND, IDNO, 0);
    PostMessageW(Box, WM_COMMAND, IDOK, 0);
}

TEST(Dialogs, RealBoxesStandInTheCentreOfTheScreen)
{
    // An owner window in a corner must not pull the box to itself.
    TForm* Owner = ui::NewForm(200, 100, 0, 0);
    ui::FormGuard Guard(Owner);
    ui::ShowAndActivate(Owner);
    Application->MessageBoxProc = [](HWND OwnerWnd, const String& Text, const String& Caption, UINT Flags) {
        SetTimer(nullptr, 0, 30, CloseBox);
        return ::MessageBoxW(OwnerWnd, Text.c_str(), Caption.c_str(), Flags);
    };
    int SW = GetSystemMetrics(SM_CXSCREEN), SH = GetSystemMetrics(SM_CYSCREEN);
    GBoxesSeen = 0;
    ShowMessage(L"Første besked");
    int R = MessageDlg(L"Anden besked, lidt længere end den første", mtConfirmation, mbYesNo);
    Application->MessageBoxProc = nullptr;
    EXPECT_EQ(GBoxesSeen, 2);
    EXPECT_EQ(R, mrNo);
    int CX = (GBoxRect.left + GBoxRect.right) / 2, CY = (GBoxRect.top + GBoxRect.bottom) / 2;
    EXPECT_NEAR(CX, SW / 2, 2);
    EXPECT_NEAR(CY, SH / 2, 2);
    // No hook is left behind: a plain box afterwards is the platform's business.
    HWND Plain = CreateWindowExW(0, L"#32770", L"", WS_POPUP, 5, 5, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(Plain, SW_SHOW);
    RECT P{};
    GetWindowRect(Plain, &P);
    EXPECT_EQ(P.left, 5);
    DestroyWindow(Plain);
}

}  // namespace
