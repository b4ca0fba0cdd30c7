// The main of every test executable: GoogleTest on a thread that has OLE and a message queue.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    OleInitialize(nullptr);
    // No error boxes from the platform: a test that fails reports and ends.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    static int rc = RUN_ALL_TESTS();
    std::fflush(stdout);
    std::fflush(stderr);
    // The results are out. Under the platform a process's teardown has been seen to hang for
    // minutes now and then; a watchdog ends a teardown that takes longer than a few seconds, and
    // the process ends with the result without running the loader's detach calls.
    CreateThread(nullptr, 0, [](LPVOID) -> DWORD {
        Sleep(20000);
        std::fputs("test main: teardown did not finish; ending the process\n", stderr);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(rc));
        return 0;
    }, nullptr, 0, nullptr);
    OleUninitialize();
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(rc));
    return rc;
}
