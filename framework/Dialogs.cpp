// Dialogs: message boxes centred on the screen.
#include "Dialogs.h"

namespace {

thread_local HHOOK GCentreHook = nullptr;

bool IsDialogWindow(HWND Wnd)
{
    wchar_t Name[16] = {};
    GetClassNameW(Wnd, Name, 16);
    return std::wcscmp(Name, L"#32770") == 0;
}

// Moves the first dialog window activated on this thread to the centre of the screen.
LRESULT CALLBACK CentreProc(int Code, WPARAM WParam, LPARAM LParam)
{
    HHOOK Hook = GCentreHook;
    if (Code == HCBT_ACTIVATE) {
        HWND Wnd = reinterpret_cast<HWND>(WParam);
        if (IsDialogWindow(Wnd)) {
            RECT R{};
            GetWindowRect(Wnd, &R);
            int W = R.right - R.left, H = R.bottom - R.top;
            int SW = Screen ? Screen->GetWidth() : GetSystemMetrics(SM_CXSCREEN);
            int SH = Screen ? Screen->GetHeight() : GetSystemMetrics(SM_CYSCREEN);
            int X = (SW - W) / 2, Y = (SH - H) / 2;
            SetWindowPos(Wnd, nullptr, X > 0 ? X : 0, Y > 0 ? Y : 0, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (GCentreHook) {
                UnhookWindowsHookEx(GCentreHook);
                GCentreHook = nullptr;
            }
        }
    }
    return CallNextHookEx(Hook, Code, WParam, LParam);
}

// Centres the box shown while it lives; a nested box keeps the outer hook.
struct TCentreGuard {
    bool Owner = false;
    TCentreGuard()
    {
        if (!GCentreHook) {
            GCentreHook = SetWindowsHookExW(WH_CBT, CentreProc, nullptr, GetCurrentThreadId());
            Owner = GCentreHook != nullptr;
        }
    }
    ~TCentreGuard()
    {
        if (Owner && GCentreHook) {
            UnhookWindowsHookEx(GCentreHook);
            GCentreHook = nullptr;
        }
    }
};

String DefaultCaption()
{
    if (Application && !Application->GetTitle().empty()) return Application->GetTitle();
    wchar_t Path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, Path, MAX_PATH);
    String Name = Path;
    size_t Slash = Name.find_last_of(L"\\/");
    if (Slash != String::npos) Name.erase(0, Slash + 1);
    size_t Dot = Name.rfind(L'.');
    if (Dot != String::npos) Name.erase(Dot);
    return Name;
}

}  // namespace

int MessageBox(const String& Text, const String& Caption, UINT Flags)
{
    TCentreGuard Centre;
    if (Application) return Application->MessageBox(Text, Caption, Flags);
    return ::MessageBoxW(GetActiveWindow(), Text.c_str(), Caption.c_str(), Flags);
}

void ShowMessage(const String& Msg)
{
    MessageBox(Msg, DefaultCaption(), MB_OK);
}

String MessageDlgCaption(TMsgDlgType DlgType)
{
    switch (DlgType) {
    case mtWarning: return Consts::SMsgDlgWarning;
    case mtError: return Consts::SMsgDlgError;
    case mtInformation: return Consts::SMsgDlgInformation;
    case mtConfirmation: return Consts::SMsgDlgConfirm;
    default: return String();
    }
}

UINT MessageDlgFlags(TMsgDlgType DlgType, TMsgDlgButtons Buttons)
{
    UINT Flags = MB_OK;
    if (Buttons.Contains(mbYes) && Buttons.Contains(mbNo))
        Flags = Buttons.Contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
    else if (Buttons.Contains(mbAbort) || Buttons.Contains(mbIgnore))
        Flags = MB_ABORTRETRYIGNORE;
    else if (Buttons.Contains(mbRetry))
        Flags = MB_RETRYCANCEL;
    else if (Buttons.Contains(mbCancel))
        Flags = (Buttons.Contains(mbOK) || Buttons.Contains(mbYes)) ? MB_OKCANCEL : MB_OK;
    switch (DlgType) {
    case mtWarning: Flags |= MB_ICONWARNING; break;
    case mtError: Flags |= MB_ICONERROR; break;
    case mtInformation: Flags |= MB_ICONINFORMATION; break;
    case mtConfirmation: Flags |= MB_ICONQUESTION; break;
    default: break;
    }
    if (Buttons.Contains(mbHelp)) Flags |= MB_HELP;
    return Flags;
}

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    (void)HelpCtx;
    String Caption = MessageDlgCaption(DlgType);
    if (Caption.empty()) Caption = DefaultCaption();
    int R = MessageBox(Msg, Caption, MessageDlgFlags(DlgType, Buttons));
    // The box's answers are the modal results of the same buttons (IDOK = mrOk, ...); a box
    // closed without a button answers mrCancel.
    return R > 0 ? R : mrCancel;
}
