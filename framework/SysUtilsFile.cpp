// SysUtils: files, folders, searching, system version, random numbers and system errors.
#include "SysUtils.h"

#include <windows.h>

#include <atomic>
#include <mutex>

// ---- File names -------------------------------------------------------------------------------

namespace {

inline bool IsPathDelim(Char c) { return c == L'\\' || c == L'/'; }

// Index one past the last path delimiter or drive colon; 0 when none.
size_t NameStart(const String& FileName)
{
    size_t p = FileName.find_last_of(L"\\/:");
    return p == String::npos ? 0 : p + 1;
}

}  // namespace

String ExtractFilePath(const String& FileName)
{
    return FileName.substr(0, NameStart(FileName));
}

String ExtractFileDir(const String& FileName)
{
    size_t i = NameStart(FileName);
    // Keep "C:\" and "\" whole; drop one trailing delimiter otherwise.
    if (i > 1 && IsPathDelim(FileName[i - 1]) && FileName[i - 2] != L':' && !IsPathDelim(FileName[i - 2]))
        --i;
    return FileName.substr(0, i);
}

String ExtractFileName(const String& FileName)
{
    return FileName.substr(NameStart(FileName));
}

String ExtractFileExt(const String& FileName)
{
    size_t p = FileName.find_last_of(L".\\/:");
    if (p == String::npos || FileName[p] != L'.') return {};
    return FileName.substr(p);
}

String ExtractFileDrive(const String& FileName)
{
    if (FileName.size() >= 2 && FileName[1] == L':') return FileName.substr(0, 2);
    if (FileName.size() >= 2 && IsPathDelim(FileName[0]) && IsPathDelim(FileName[1])) {
        // \\server\share
        size_t p = FileName.find_first_of(L"\\/", 2);
        if (p == String::npos) return FileName;
        size_t q = FileName.find_first_of(L"\\/", p + 1);
        return FileName.substr(0, q == String::npos ? FileName.size() : q);
    }
    return {};
}

String ChangeFileExt(const String& FileName, const String& Extension)
{
    size_t p = FileName.find_last_of(L".\\/:");
    if (p == String::npos || FileName[p] != L'.') return FileName + Extension;
    return FileName.substr(0, p) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S)
{
    if (!S.empty() && IsPathDelim(S.back())) return S;
    return S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S)
{
    if (!S.empty() && IsPathDelim(S.back())) return S.substr(0, S.size() - 1);
    return S;
}

String ExpandFileName(const String& FileName)
{
    if (FileName.empty()) return {};
    DWORD n = GetFullPathNameW(FileName.c_str(), 0, nullptr, nullptr);
    if (n == 0) return FileName;
    String R(n, L'\0');
    DWORD m = GetFullPathNameW(FileName.c_str(), n, R.data(), nullptr);
    if (m == 0 || m >= n) return FileName;
    R.resize(m);
    return R;
}

String GetTempDirectory()
{
    wchar_t Buf[MAX_PATH + 2];
    DWORD n = GetTempPathW(MAX_PATH + 1, Buf);
    if (n == 0 || n > MAX_PATH + 1) return L".\\";
    return IncludeTrailingPathDelimiter(String(Buf, n));
}

// ---- Files and folders ------------------------------------------------------------------------

bool FileExists(const String& FileName)
{
    if (FileName.empty()) return false;
    DWORD A = GetFileAttributesW(FileName.c_str());
    return A != INVALID_FILE_ATTRIBUTES && !(A & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& Directory)
{
    if (Directory.empty()) return false;
    DWORD A = GetFileAttributesW(Directory.c_str());
    return A != INVALID_FILE_ATTRIBUTES && (A & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(const String& Dir) { return CreateDirectoryW(Dir.c_str(), nullptr) != 0; }
bool RemoveDir(const String& Dir) { return RemoveDirectoryW(Dir.c_str()) != 0; }

bool ForceDirectories(const String& Dir)
{
    if (Dir.empty()) throw EInOutError(Consts::SCannotCreateDir);
    String D = ExcludeTrailingPathDelimiter(Dir);
    if (D.size() < 3 && D.size() >= 2 && D[1] == L':') return true;   // a drive
    if (D.empty() || DirectoryExists(D)) return true;
    String Parent = ExtractFilePath(D);
    if (!Parent.empty() && Parent != D && ExcludeTrailingPathDelimiter(Parent) != D) {
        if (!ForceDirectories(Parent)) return false;
    }
    return CreateDir(D) || DirectoryExists(D);
}

bool DeleteFile(const String& FileName) { return DeleteFileW(FileName.c_str()) != 0; }

bool RenameFile(const String& OldName, const String& NewName)
{
    return MoveFileW(OldName.c_str(), NewName.c_str()) != 0;
}

String GetCurrentDir()
{
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    if (n == 0) return {};
    String R(n, L'\0');
    DWORD m = GetCurrentDirectoryW(n, R.data());
    R.resize(m < n ? m : 0);
    return R;
}

bool SetCurrentDir(const String& Dir) { return SetCurrentDirectoryW(Dir.c_str()) != 0; }

Int64 FileSizeOf(const String& FileName)
{
    WIN32_FILE_ATTRIBUTE_DATA D;
    if (!GetFileAttributesExW(FileName.c_str(), GetFileExInfoStandard, &D)) return -1;
    if (D.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return (Int64(D.nFileSizeHigh) << 32) | D.nFileSizeLow;
}

// ---- Searching --------------------------------------------------------------------------------

namespace {

// Fills F from the platform's record; false when the entry's attributes are excluded.
bool AcceptEntry(const WIN32_FIND_DATAW& D, TSearchRec& F)
{
    if (D.dwFileAttributes & DWORD(F.ExcludeAttr)) return false;
    FILETIME Local;
    FileTimeToLocalFileTime(&D.ftLastWriteTime, &Local);
    WORD DosDate = 0, DosTime = 0;
    FileTimeToDosDateTime(&Local, &DosDate, &DosTime);
    F.Time = int((DWORD(DosDate) << 16) | DosTime);
    SYSTEMTIME ST;
    TDateTime Dt = 0, Tm = 0;
    if (FileTimeToSystemTime(&Local, &ST) && TryEncodeDate(ST.wYear, ST.wMonth, ST.wDay, Dt) &&
        TryEncodeTime(ST.wHour, ST.wMinute, ST.wSecond, ST.wMilliseconds, Tm))
        F.TimeStamp = Dt + Tm;
    else
        F.TimeStamp = 0;
    F.Size = (Int64(D.nFileSizeHigh) << 32) | D.nFileSizeLow;
    F.Attr = int(D.dwFileAttributes);
    F.Name = D.cFileName;
    return true;
}

}  // namespace

int FindFirst(const String& Path, int Attr, TSearchRec& F)
{
    const int faSpecial = faHidden | faSysFile | faDirectory;
    F.ExcludeAttr = ~Attr & faSpecial;
    WIN32_FIND_DATAW D;
    HANDLE H = FindFirstFileW(Path.c_str(), &D);
    if (H == INVALID_HANDLE_VALUE) {
        F.FindHandle = nullptr;
        return int(GetLastError());
    }
    F.FindHandle = H;
    if (AcceptEntry(D, F)) return 0;
    int R = FindNext(F);
    if (R != 0) FindClose(F);
    return R;
}

int FindNext(TSearchRec& F)
{
    if (!F.FindHandle) return ERROR_NO_MORE_FILES;
    WIN32_FIND_DATAW D;
    while (FindNextFileW(HANDLE(F.FindHandle), &D))
        if (AcceptEntry(D, F)) return 0;
    return int(GetLastError());
}

void FindClose(TSearchRec& F)
{
    if (F.FindHandle) {
        ::FindClose(HANDLE(F.FindHandle));
        F.FindHandle = nullptr;
    }
}

// ---- Process and system -----------------------------------------------------------------------

bool IsLibrary()
{
    HMODULE Self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&IsLibrary), &Self);
    return Self != nullptr && Self != GetModuleHandleW(nullptr);
}

namespace {

struct TVersion {
    int Platform = 2, Major = 0, Minor = 0, Build = 0;
};

TVersion ReadVersion()
{
    TVersion V;
    // The kernel's own answer: unlike GetVersionEx it is not shimmed by the manifest.
    using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW Info{};
    Info.dwOSVersionInfoSize = sizeof(Info);
    HMODULE Ntdll = GetModuleHandleW(L"ntdll.dll");
    auto Fn = Ntdll ? reinterpret_cast<TRtlGetVersion>(GetProcAddress(Ntdll, "RtlGetVersion")) : nullptr;
    if (Fn && Fn(&Info) == 0) {
        V.Platform = int(Info.dwPlatformId);
        V.Major = int(Info.dwMajorVersion);
        V.Minor = int(Info.dwMinorVersion);
        V.Build = int(Info.dwBuildNumber);
    }
    return V;
}

std::mutex VersionLock;
bool VersionOverridden = false;
TVersion VersionOverride;

TVersion CurrentVersion()
{
    {
        std::lock_guard<std::mutex> G(VersionLock);
        if (VersionOverridden) return VersionOverride;
    }
    static const TVersion Real = ReadVersion();
    return Real;
}

}  // namespace

int Win32Platform() { return CurrentVersion().Platform; }
int Win32MajorVersion() { return CurrentVersion().Major; }
int Win32MinorVersion() { return CurrentVersion().Minor; }
int Win32BuildNumber() { return CurrentVersion().Build; }

bool CheckWin32Version(int AMajor, int AMinor)
{
    TVersion V = CurrentVersion();
    return V.Major > AMajor || (V.Major == AMajor && V.Minor >= AMinor);
}

void SetWin32VersionForTesting(int Platform, int Major, int Minor, int Build)
{
    std::lock_guard<std::mutex> G(VersionLock);
    VersionOverridden = true;
    VersionOverride = {Platform, Major, Minor, Build};
}

void ClearWin32VersionForTesting()
{
    std::lock_guard<std::mutex> G(VersionLock);
    VersionOverridden = false;
}

// ---- Random numbers ---------------------------------------------------------------------------

namespace {

// splitmix64: small, fast, and the same sequence at every start.
std::atomic<UInt64> RandState{0x9E3779B97F4A7C15ull};

UInt64 NextRandom()
{
    UInt64 z = RandState.fetch_add(0x9E3779B97F4A7C15ull) + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

void RandSeed(UInt64 Seed) { RandState = Seed; }

void Randomize()
{
    LARGE_INTEGER C;
    QueryPerformanceCounter(&C);
    RandState = UInt64(C.QuadPart) ^ (UInt64(GetCurrentProcessId()) << 32);
}

int Random(int Range)
{
    if (Range <= 0) return 0;
    return int((NextRandom() >> 32) * UInt64(Range) >> 32);
}

double Random() { return double(NextRandom() >> 11) * (1.0 / 9007199254740992.0); }

// ---- System errors ----------------------------------------------------------------------------

String SysErrorMessage(Cardinal ErrorCode)
{
    wchar_t* Buf = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                             nullptr, ErrorCode, 0, reinterpret_cast<LPWSTR>(&Buf), 0, nullptr);
    String R;
    if (n && Buf) R.assign(Buf, n);
    if (Buf) LocalFree(Buf);
    while (!R.empty() && (R.back() == L'\n' || R.back() == L'\r' || R.back() == L' ' || R.back() == L'.'))
        R.pop_back();
    return R;
}

void RaiseLastOSError(Cardinal LastError)
{
    String Msg;
    if (LastError != 0)
        Msg = Format(Consts::SOSError, {LastError, SysErrorMessage(LastError)});
    else
        Msg = Consts::SUnkOSError;
    throw EOSError(Msg, LastError);
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void Win32Check(bool RetVal)
{
    if (!RetVal) RaiseLastOSError();
}
