// Gives a Wine prefix the project's test printer: the PostScript driver of Wine with the project's
// printer description, a printer whose port is a file, made the default printer. Run once when the
// prefix is made (tools/env.sh); running it again changes nothing.
//
//     add_test_printer.exe <description.ppd> <port file>
//
// Both are Windows paths. The jobs printed on the test printer are written to the port file, which
// tests read back. Exit code 0 when the printer is the default and answers a device context.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

namespace {

const wchar_t* const PrinterName = L"Project Test Printer";
const wchar_t* const DriverName = L"Wine PostScript Driver";
const wchar_t* const Environment = L"Windows x64";
const wchar_t* const DriverFile = L"wineps.drv";
const wchar_t* const DataFile = L"project-test-printer.ppd";

int Fail(const char* What)
{
    std::fprintf(stderr, "add_test_printer: %s failed (error %lu)\n", What, GetLastError());
    return 1;
}

// The folder that holds the printer description, made by the first call.
std::wstring DriverDirectory()
{
    wchar_t Dir[MAX_PATH] = {};
    DWORD Needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, const_cast<wchar_t*>(Environment), 1,
                                    reinterpret_cast<BYTE*>(Dir), sizeof(Dir), &Needed))
        return L"";
    CreateDirectoryW(Dir, nullptr);
    return Dir;
}

// Makes every missing folder above a file.
void MakeParentFolders(const std::wstring& File)
{
    for (size_t P = File.find(L'\\', 3); P != std::wstring::npos; P = File.find(L'\\', P + 1))
        CreateDirectoryW(File.substr(0, P).c_str(), nullptr);
}

}  // namespace

int wmain(int Argc, wchar_t** Argv)
{
    if (Argc != 3) {
        std::fprintf(stderr, "usage: add_test_printer <description.ppd> <port file>\n");
        return 2;
    }
    const std::wstring Ppd = Argv[1], Port = Argv[2];

    const std::wstring Dir = DriverDirectory();
    if (Dir.empty()) return Fail("GetPrinterDriverDirectoryW");
    const std::wstring Data = Dir + L"\\" + DataFile;
    if (!CopyFileW(Ppd.c_str(), Data.c_str(), FALSE)) return Fail("copying the printer description");

    DRIVER_INFO_3W Driver = {};
    Driver.cVersion = 3;
    Driver.pName = const_cast<wchar_t*>(DriverName);
    Driver.pEnvironment = const_cast<wchar_t*>(Environment);
    Driver.pDriverPath = const_cast<wchar_t*>(DriverFile);
    Driver.pConfigFile = const_cast<wchar_t*>(DriverFile);
    Driver.pDataFile = const_cast<wchar_t*>(Data.c_str());
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&Driver), APD_COPY_NEW_FILES))
        return Fail("AddPrinterDriverExW");

    MakeParentFolders(Port);
    PRINTER_INFO_2W Info = {};
    Info.pPrinterName = const_cast<wchar_t*>(PrinterName);
    Info.pPortName = const_cast<wchar_t*>(Port.c_str());
    Info.pDriverName = const_cast<wchar_t*>(DriverName);
    Info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    Info.pDatatype = const_cast<wchar_t*>(L"RAW");
    Info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE Printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&Info));
    if (Printer)
        ClosePrinter(Printer);
    else if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS)
        return Fail("AddPrinterW");

    if (!SetDefaultPrinterW(PrinterName)) return Fail("SetDefaultPrinterW");

    wchar_t Default[256] = {};
    DWORD Size = 256;
    if (!GetDefaultPrinterW(Default, &Size) || std::wstring(Default) != PrinterName)
        return Fail("GetDefaultPrinterW");
    HDC DC = CreateDCW(nullptr, PrinterName, nullptr, nullptr);
    if (!DC) return Fail("CreateDCW");
    const int Width = GetDeviceCaps(DC, HORZRES), Height = GetDeviceCaps(DC, VERTRES);
    DeleteDC(DC);
    if (Width <= 0 || Height <= 0) return Fail("reading the page size");
    std::printf("add_test_printer: \"%ls\" prints %d x %d pixels to %ls\n", PrinterName, Width, Height,
                Port.c_str());
    return 0;
}
