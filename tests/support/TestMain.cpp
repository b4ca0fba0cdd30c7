// The main of every test executable: GoogleTest on a thread that has OLE and a message queue.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    OleInitialize(nullptr);
    // No error boxes from the platform: a test that fails reports and ends.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    OleUninitialize();
    return rc;
}
