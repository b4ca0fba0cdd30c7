#include "Classes.h"

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended)
{
    FHandle = CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &FThreadID);
    if (!FHandle)
        throw EThread(L"Thread creation error: system error " + std::to_wstring(GetLastError()));
}

TThread::~TThread()
{
    if (!FHandle) return;
    if (GetCurrentThreadId() != FThreadID) {
        if (!FStarted) {
            // Let the suspended thread run out without calling Execute.
            FAbandoned = true;
            FTerminated = true;
            ResumeThread(FHandle);
        } else {
            FTerminated = true;
        }
        WaitForSingleObject(FHandle, INFINITE);
    }
    CloseHandle(FHandle);
}

void TThread::AfterConstruction()
{
    if (!FCreateSuspended) Start();
}

void TThread::Start()
{
    if (FStarted.exchange(true))
        throw EThread(L"Cannot call Start on a running or finished thread");
    if (ResumeThread(FHandle) == DWORD(-1)) {
        FStarted = false;
        throw EThread(L"Thread start error: system error " + std::to_wstring(GetLastError()));
    }
}

DWORD WINAPI TThread::ThreadProc(LPVOID Parameter)
{
    auto* Thread = static_cast<TThread*>(Parameter);
    if (Thread->FAbandoned) return 0;
    Thread->Run();
    return 0;
}

void TThread::Run()
{
    try {
        Execute();
    } catch (...) {
        FFatalException = std::current_exception();
    }
    try {
        DoTerminate();
    } catch (...) {
        if (!FFatalException) FFatalException = std::current_exception();
    }
    bool FreeSelf = FFreeOnTerminate;
    FFinished = true;
    if (FreeSelf) Free();
}

void TThread::DoTerminate()
{
    if (OnTerminate) OnTerminate(this);
}

Integer TThread::WaitFor()
{
    if (GetCurrentThreadId() == FThreadID)
        throw EThread(L"A thread cannot wait for itself");
    if (!FStarted) throw EThread(L"Cannot wait for a thread that was not started");
    WaitForSingleObject(FHandle, INFINITE);
    return FReturnValue;
}

Exception* TThread::GetFatalException() const
{
    if (!FFatalException) return nullptr;
    try {
        std::rethrow_exception(FFatalException);
    } catch (Exception& E) {
        return &E;
    } catch (...) {
        return nullptr;
    }
}

void TThread::Sleep(Cardinal Milliseconds)
{
    ::Sleep(Milliseconds);
}

DWORD TThread::CurrentThreadID()
{
    return GetCurrentThreadId();
}
