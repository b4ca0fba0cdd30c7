// The theme notifier: a hidden window and a thread that watches the installed Office's settings
// key and tells the registered windows of every change.
#include "graphics/QorStyleIF.h"

#include "framework/Forms.h"

#include <windows.h>

#include <memory>

namespace QorStyleIF {

TThemeNotifier* ThemeNotifierInstance = nullptr;

// ---- THandleList ----------------------------------------------------------------------------------

void THandleList::DeleteValue(NativeInt Value)
{
    const int I = IndexOf(reinterpret_cast<void*>(Value));
    if (I >= 0) Delete(I);
}

// ---- TRegMonitorThread ----------------------------------------------------------------------------

TRegMonitorThread::TRegMonitorThread() : TThread(true)
{
    FReg = std::make_unique<TRegistry>(KEY_READ);
    FWinList = std::make_unique<THandleList>();
    // Both events exist before the thread can run, so that a Stop given at any time is kept.
    // The change event carries its customary name; every process of the user shares it, so a
    // wake-up from elsewhere only causes an extra notification, and stopping uses an event of
    // this thread alone.
    FEvent = CreateEventW(nullptr, TRUE, FALSE, L"RegMonitorChange");
    FStopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!FEvent || !FStopEvent) {
        const DWORD Error = GetLastError();
        if (FEvent) CloseHandle(FEvent);
        if (FStopEvent) CloseHandle(FStopEvent);
        throw EThread(L"Cannot create the registry watch event: system error " + IntToStr(int(Error)));
    }
}

TRegMonitorThread::~TRegMonitorThread()
{
    // A thread still running is stopped first: the base destructor waits for it.
    if (GetStarted() && !GetFinished()) {
        Stop();
        WaitUntilEnded();
    }
    CloseHandle(FEvent);
    CloseHandle(FStopEvent);
}

DWORD TRegMonitorThread::GetFilter()
{
    if (FFilter == 0) FFilter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_ATTRIBUTES |
                                REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_SECURITY;
    return FFilter;
}

void TRegMonitorThread::Stop()
{
    Terminate();
    SetEvent(FStopEvent);
}

void TRegMonitorThread::WaitUntilEnded()
{
    if (!GetStarted() || GetCurrentThreadId() == GetThreadID()) return;
    HANDLE H = GetHandle();
    for (;;) {
        const DWORD R = MsgWaitForMultipleObjects(1, &H, FALSE, INFINITE, QS_SENDMESSAGE);
        if (R == WAIT_OBJECT_0 + 1) {
            // Peeking handles the messages sent to this thread's windows.
            MSG Msg;
            PeekMessageW(&Msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            continue;
        }
        if (R == WAIT_FAILED) WaitForSingleObject(H, INFINITE);
        return;
    }
}

void TRegMonitorThread::SetWatch(HKEY RootKey, const String& Key, bool WatchSub)
{
    FRootKey = RootKey;
    FKey = Key;
    FWatchSub = WatchSub;
}

void TRegMonitorThread::SetWnd(HWND Value)
{
    std::lock_guard<std::mutex> Guard(FLock);
    FWnd = Value;
}

HWND TRegMonitorThread::GetWnd()
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FWnd;
}

bool TRegMonitorThread::AddWindow(HWND Wnd)
{
    std::lock_guard<std::mutex> Guard(FLock);
    const NativeInt V = reinterpret_cast<NativeInt>(Wnd);
    if (FWinList->HasValue(V)) return false;
    FWinList->Add(V);
    return true;
}

void TRegMonitorThread::RemoveWindow(HWND Wnd)
{
    std::lock_guard<std::mutex> Guard(FLock);
    FWinList->DeleteValue(reinterpret_cast<NativeInt>(Wnd));
}

bool TRegMonitorThread::HasWindow(HWND Wnd)
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FWinList->HasValue(reinterpret_cast<NativeInt>(Wnd));
}

std::vector<HWND> TRegMonitorThread::WindowsCopy()
{
    std::lock_guard<std::mutex> Guard(FLock);
    std::vector<HWND> Result;
    Result.reserve(size_t(FWinList->Count()));
    for (int I = 0; I < FWinList->Count(); ++I)
        Result.push_back(reinterpret_cast<HWND>(FWinList->GetInteger(I)));
    return Result;
}

bool TRegMonitorThread::Arm()
{
    // The watch always takes in the subkeys.
    return RegNotifyChangeKeyValue(FReg->CurrentKey(), TRUE, GetFilter(), FEvent, TRUE) == ERROR_SUCCESS;
}

void TRegMonitorThread::InitThread()
{
    FReg->SetRootKey(FRootKey);
    if (!FReg->OpenKeyReadOnly(FKey)) throw ERegistryException(L"Unable to open registry key " + FKey);
    Arm();
}

void TRegMonitorThread::Notify()
{
    // The handles are copied under the lock and the messages sent outside it: a window's
    // thread may register or unregister while this thread waits for it to handle a send.
    const HWND Wnd = GetWnd();
    const std::vector<HWND> Windows = WindowsCopy();
    const WPARAM Root = WPARAM(reinterpret_cast<UINT_PTR>(FRootKey));
    const LPARAM Path = reinterpret_cast<LPARAM>(FKey.c_str());
    if (Wnd && !Terminated()) SendMessageW(Wnd, WM_OFFICETHEMECHANGED, Root, Path);
    for (HWND W : Windows) {
        if (Terminated()) return;
        // A window unregistered since the copy is not told any more.
        if (HasWindow(W)) SendMessageW(W, WM_OFFICETHEMECHANGED, Root, Path);
    }
}

void TRegMonitorThread::Execute()
{
    InitThread();
    bool Armed = true;
    while (!Terminated()) {
        // With the watch lost (its key deleted, say) only a stop is waited for.
        const HANDLE Handles[2] = {FStopEvent, FEvent};
        const DWORD R = WaitForMultipleObjects(Armed ? 2 : 1, Handles, FALSE, INFINITE);
        if (Terminated()) break;
        if (R == WAIT_FAILED) break;
        if (R != WAIT_OBJECT_0 + 1) continue;
        // Watch again before telling anyone, so that a change made while the windows handle
        // this one is not missed.
        ResetEvent(FEvent);
        Armed = Arm();
        Notify();
    }
}

// ---- TThemeNotifierWindow -------------------------------------------------------------------------

TThemeNotifierWindow::TThemeNotifierWindow(TComponent* AOwner) : TWinControl(AOwner)
{
    SetVisible(false);
}

void TThemeNotifierWindow::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style = 0;
    Params.ExStyle = 0;
    Params.WndParent = HWND_MESSAGE;
}

void TThemeNotifierWindow::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_OFFICETHEMECHANGED && OnOfficeThemeChange) OnOfficeThemeChange(this);
    inherited::WndProc(Message);
}

// ---- TThemeNotifier -------------------------------------------------------------------------------

namespace {

String WatchedKey(TOfficeVersion Version)
{
    const String Root = DetectionOverrides().OfficeRoot.value_or(L"Software\\Microsoft\\Office");
    const wchar_t* Number = Version == ov2016 ? L"16.0" : Version == ov2013 ? L"15.0"
                          : Version == ov2010 ? L"14.0" : L"12.0";
    return Root + L"\\" + Number + L"\\Common";
}

}  // namespace

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner)
{
    const TOfficeVersion Version = GetOfficeVersion();
    if (Version == ov2003) return;
    FNotifier = Create<TThemeNotifierWindow>(this);
    FNotifier->OnOfficeThemeChange = [this](TObject* Sender) { OfficeThemeChanged(Sender); };
    TFreePtr<TRegMonitorThread> Thread(Create<TRegMonitorThread>());
    Thread->SetWnd(FNotifier->GetHandle());
    Thread->SetFilter(REG_NOTIFY_CHANGE_LAST_SET);
    Thread->SetWatch(HKEY_CURRENT_USER, WatchedKey(Version), true);
    Thread->Start();
    RegMonitorThread = std::move(Thread);
}

TThemeNotifier::~TThemeNotifier()
{
    // The component is on its way out: a notification still arriving reaches no handler.
    Destroying();
    if (RegMonitorThread) {
        RegMonitorThread->Stop();
        RegMonitorThread->WaitUntilEnded();
        RegMonitorThread.reset();
    }
    if (ThemeNotifierInstance == this) ThemeNotifierInstance = nullptr;
}

void TThemeNotifier::RegisterWindow(HWND Hwnd)
{
    if (RegMonitorThread) RegMonitorThread->AddWindow(Hwnd);
}

void TThemeNotifier::UnRegisterWindow(HWND Hwnd)
{
    if (RegMonitorThread) RegMonitorThread->RemoveWindow(Hwnd);
}

void TThemeNotifier::OfficeThemeChanged(TObject* Sender)
{
    if (IsDestroying()) return;
    if (OnOfficeThemeChange) OnOfficeThemeChange(this);
}

TThemeNotifier* ThemeNotifier(TComponent* AOwner)
{
    if (!ThemeNotifierInstance) {
        TComponent* Owner = AOwner;
        if (Application) {
            TCustomForm* Main = Application->GetMainForm();
            if (Main && Main->HandleAllocated()) Owner = Main;
        }
        ThemeNotifierInstance = Create<TThemeNotifier>(Owner);
    }
    return ThemeNotifierInstance;
}

}  // namespace QorStyleIF
