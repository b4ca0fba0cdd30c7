// Printing in tests: pages in memory, and the prefix's test printer read back by Ghostscript.
#include "TestPrinters.h"

#include "framework/SysUtils.h"
#include "framework/WinScope.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

// ---- Pages in memory ----------------------------------------------------------------------------

namespace {

// Device pixels for the scope, whatever mapping, origins and clipping the drawing left behind.
class TDeviceUnits {
public:
    explicit TDeviceUnits(HDC DC) : FSaved(DC)
    {
        SetMapMode(DC, MM_TEXT);
        SetWindowOrgEx(DC, 0, 0, nullptr);
        SetViewportOrgEx(DC, 0, 0, nullptr);
        ModifyWorldTransform(DC, nullptr, MWT_IDENTITY);
        SelectClipRgn(DC, nullptr);
    }

private:
    TSavedDC FSaved;
};

bool Landscape(const DEVMODEW* Mode)
{
    return Mode && (Mode->dmFields & DM_ORIENTATION) && Mode->dmOrientation == DMORIENT_LANDSCAPE;
}

}  // namespace

TPagePrinterDevice::TPagePrinterDevice(int Width, int Height) : FWidth(Width), FHeight(Height) {}

TPagePrinterDevice::~TPagePrinterDevice() = default;

int TPagePrinterDevice::Step(const String& Entry)
{
    Log.push_back(Entry);
    return !FailStep.empty() && Entry.compare(0, FailStep.size(), FailStep) == 0 ? 0 : 1;
}

bool TPagePrinterDevice::PrinterInfo(const String& AName, String& Driver, String& Port)
{
    Driver = L"Pages in memory";
    Port = L"";
    return AName == Name;
}

bool TPagePrinterDevice::DeviceMode(const String& AName, const DEVMODEW* In, std::vector<BYTE>& Mode)
{
    if (AName != Name) return false;
    DEVMODEW Out = {};
    Out.dmSize = sizeof(DEVMODEW);
    Out.dmFields = DM_ORIENTATION;
    Out.dmOrientation = Landscape(In) ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    const auto* Bytes = reinterpret_cast<const BYTE*>(&Out);
    Mode.assign(Bytes, Bytes + sizeof(Out));
    return true;
}

HDC TPagePrinterDevice::OpenDC(const String& AName, const DEVMODEW* Mode)
{
    if (AName != Name) return nullptr;
    FSheet = Landscape(Mode) ? std::make_unique<TDibSurface>(FHeight, FWidth)
                             : std::make_unique<TDibSurface>(FWidth, FHeight);
    return FSheet->DC();
}

void TPagePrinterDevice::CloseDC(HDC DC)
{
    if (FSheet && FSheet->DC() == DC) FSheet.reset();
}

int TPagePrinterDevice::DeviceCaps(HDC DC, int Index)
{
    if (!FSheet || FSheet->DC() != DC) return GetDeviceCaps(DC, Index);
    switch (Index) {
    case HORZRES:
    case PHYSICALWIDTH: return FSheet->Width();
    case VERTRES:
    case PHYSICALHEIGHT: return FSheet->Height();
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return 0;
    default: return GetDeviceCaps(DC, Index);
    }
}

int TPagePrinterDevice::Capability(const String& AName, const String&, WORD Index, const DEVMODEW*)
{
    if (AName != Name) return -1;
    return Index == DC_ORIENTATION ? LandscapeAngle : -1;
}

int TPagePrinterDevice::BeginJob(HDC, const String& Title)
{
    return Step(L"BeginJob " + Title);
}

int TPagePrinterDevice::BeginPage(HDC DC)
{
    if (!Step(L"BeginPage")) return 0;
    TDeviceUnits Units(DC);
    PatBlt(DC, 0, 0, FSheet->Width(), FSheet->Height(), WHITENESS);
    return 1;
}

int TPagePrinterDevice::FinishPage(HDC DC)
{
    if (!Step(L"FinishPage")) return 0;
    auto Page = std::make_unique<TDibSurface>(FSheet->Width(), FSheet->Height());
    TDeviceUnits Units(DC);
    BitBlt(Page->DC(), 0, 0, Page->Width(), Page->Height(), DC, 0, 0, SRCCOPY);
    Pages.push_back(std::move(Page));
    return 1;
}

int TPagePrinterDevice::FinishJob(HDC)
{
    return Step(L"FinishJob");
}

int TPagePrinterDevice::CancelJob(HDC)
{
    return Step(L"CancelJob");
}

// ---- The prefix's test printer and Ghostscript --------------------------------------------------

String PrinterPortFile(TPrinter* APrinter)
{
    String Device, Driver, Port;
    APrinter->GetDevice(Device, Driver, Port);
    // A file port is a drive path ("C:\..."); other ports are names ("LPT1:", "FILE:").
    if (Port.size() > 3 && Port[1] == L':' && Port[2] == L'\\') return Port;
    return L"";
}

std::string HostPath(const String& WindowsPath)
{
    using TUnixName = char*(__cdecl*)(const wchar_t*);
    static const auto UnixName = reinterpret_cast<TUnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!UnixName) return "";
    char* Name = UnixName(WindowsPath.c_str());
    if (!Name) return "";
    std::string Result = Name;
    HeapFree(GetProcessHeap(), 0, Name);
    return Result;
}

namespace {

// A path in single quotes for the shell.
std::string ShellQuoted(const std::string& S)
{
    std::string Out = "'";
    for (char C : S) Out += C == '\'' ? std::string("'\\''") : std::string(1, C);
    return Out + "'";
}

std::string ReadBytes(const String& File)
{
    std::ifstream In(File.c_str(), std::ios::binary);
    std::ostringstream S;
    S << In.rdbuf();
    return S.str();
}

bool Exists(const String& File)
{
    return GetFileAttributesW(File.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A new empty folder for one run of Ghostscript.
String NewWorkFolder()
{
    static std::atomic<int> Counter{0};
    wchar_t Temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, Temp);
    const String Dir = String(Temp) + L"print-check-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(++Counter);
    CreateDirectoryW(Dir.c_str(), nullptr);
    return Dir;
}

// Starts a host shell script (Wine starts host programs, but hands back neither their exit code
// nor their output: the script writes a status file last, which is waited for).
bool RunHostScript(const String& Dir, const std::string& Script, int TimeoutMs, std::string& Status)
{
    const String ScriptFile = Dir + L"\\run.sh";
    {
        std::ofstream Out(ScriptFile.c_str(), std::ios::binary);
        Out << Script;
    }
    String Command = L"Z:\\bin\\sh \"" + Utf8ToUtf16(HostPath(ScriptFile)) + L"\"";
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof(Startup);
    PROCESS_INFORMATION Process = {};
    if (!CreateProcessW(nullptr, Command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Startup, &Process))
        return false;
    if (Process.hThread) CloseHandle(Process.hThread);
    if (Process.hProcess) CloseHandle(Process.hProcess);
    const String StatusFile = Dir + L"\\status";
    for (int Waited = 0; Waited < TimeoutMs; Waited += 50) {
        if (Exists(StatusFile)) {
            Status = ReadBytes(StatusFile);
            return true;
        }
        Sleep(50);
    }
    return false;
}

// "%%HiResBoundingBox: l b r t" lines, one per page, from Ghostscript's bbox device.
std::vector<TPointBox> ParseBoxes(const std::string& Text)
{
    std::vector<TPointBox> Boxes;
    std::istringstream In(Text);
    std::string Line;
    while (std::getline(In, Line)) {
        TPointBox B;
        if (std::sscanf(Line.c_str(), "%%%%HiResBoundingBox: %lf %lf %lf %lf", &B.Left, &B.Bottom, &B.Right,
                        &B.Top) == 4)
            Boxes.push_back(B);
    }
    return Boxes;
}

void RemoveFolder(const String& Dir)
{
    WIN32_FIND_DATAW Found;
    HANDLE Find = FindFirstFileW((Dir + L"\\*").c_str(), &Found);
    if (Find != INVALID_HANDLE_VALUE) {
        do {
            if (!(Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((Dir + L"\\" + Found.cFileName).c_str());
        } while (FindNextFileW(Find, &Found));
        FindClose(Find);
    }
    RemoveDirectoryW(Dir.c_str());
}

}  // namespace

std::vector<TPrintedPage> ReadPostScript(const String& File, const String& ImageName, int Dpi)
{
    const std::string Input = HostPath(File);
    if (Input.empty() || !Exists(File)) {
        ADD_FAILURE() << "no printed file at " << Utf16ToUtf8(File);
        return {};
    }
    const String Dir = NewWorkFolder();
    auto Cleanup = ScopeExit([&] { RemoveFolder(Dir); });
    const std::string Gs = "gs -q -dNOPAUSE -dBATCH -dSAFER ";
    const std::string In = ShellQuoted(Input);
    std::string Script = "PATH=/usr/local/bin:/usr/bin:/bin:$PATH\n"
                         "cd " + ShellQuoted(HostPath(Dir)) + " || exit 1\n" +
                         Gs + "-sDEVICE=bbox " + In + " 2> bbox.txt; a=$?\n" +
                         Gs + "-sDEVICE=txtwrite -sOutputFile=text-%d.txt " + In + " > gs.log 2>&1; b=$?\n" +
                         Gs + "-sDEVICE=png16m -r" + std::to_string(Dpi) + " -sOutputFile=page-%d.png " + In +
                         " >> gs.log 2>&1; c=$?\n"
                         "echo $a $b $c > status.tmp && mv status.tmp status\n";
    std::string Status;
    if (!RunHostScript(Dir, Script, 60000, Status)) {
        ADD_FAILURE() << "Ghostscript could not be run on the host (is the ghostscript package installed?)";
        return {};
    }
    if (Status.rfind("0 0 0", 0) != 0) {
        ADD_FAILURE() << "Ghostscript failed (" << Status << "): " << ReadBytes(Dir + L"\\gs.log")
                      << ReadBytes(Dir + L"\\bbox.txt");
        return {};
    }
    const std::vector<TPointBox> Boxes = ParseBoxes(ReadBytes(Dir + L"\\bbox.txt"));
    std::vector<TPrintedPage> Pages;
    for (size_t I = 0; I < Boxes.size(); ++I) {
        const String N = std::to_wstring(I + 1);
        TPrintedPage Page;
        Page.InkBox = Boxes[I];
        Page.Text = Utf8ToUtf16(ReadBytes(Dir + L"\\text-" + N + L".txt"));
        Page.Text.erase(std::remove(Page.Text.begin(), Page.Text.end(), L'\r'), Page.Text.end());
        // A font may draw the blank and the no-break space with one glyph, which Ghostscript then
        // reads back as either.
        std::replace(Page.Text.begin(), Page.Text.end(), L'\u00A0', L' ');
        // The image outlives the work folder: it goes where the test's snapshots go.
        Page.Image = SnapshotPath(ImageName + L"-page-" + N + L".png");
        CopyFileW((Dir + L"\\page-" + N + L".png").c_str(), Page.Image.c_str(), FALSE);
        Pages.push_back(std::move(Page));
    }
    // The spooler writes a job over the file without cutting it short: the next job starts on none.
    DeleteFileW(File.c_str());
    return Pages;
}

// ---- No default printer -------------------------------------------------------------------------

TNoDefaultPrinter::TNoDefaultPrinter()
{
    // A volatile key never reaches the disk, and goes with the wine server at the latest.
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\ProjectTests\\NoDefaultPrinter", 0, nullptr,
                        REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &FKey, nullptr) != ERROR_SUCCESS) {
        FKey = nullptr;
        return;
    }
    if (RegOverridePredefKey(HKEY_CURRENT_USER, FKey) != ERROR_SUCCESS) {
        RegCloseKey(FKey);
        FKey = nullptr;
    }
}

TNoDefaultPrinter::~TNoDefaultPrinter()
{
    if (!FKey) return;
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(FKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\ProjectTests\\NoDefaultPrinter");
}
