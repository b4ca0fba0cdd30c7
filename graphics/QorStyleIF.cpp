// Environment detection: version resources, exported functions, the XP theme and Office keys.
#include "graphics/QorStyleIF.h"

#include "framework/SysUtils.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <vector>
#include <memory>

namespace QorStyleIF {

TDetectionOverrides& DetectionOverrides()
{
    static TDetectionOverrides Overrides;
    return Overrides;
}

bool FileVersionMS(const String& FileName, DWORD& VersionMS)
{
    // The version routines are bound by name so that no further import library is needed.
    HMODULE Ver = LoadLibraryW(L"version.dll");
    if (!Ver) return false;
    auto FreeVer = ScopeExit([Ver] { FreeLibrary(Ver); });
    using TSize = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using TInfo = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using TQuery = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    auto SizeOf = reinterpret_cast<TSize>(reinterpret_cast<void*>(GetProcAddress(Ver, "GetFileVersionInfoSizeW")));
    auto InfoOf = reinterpret_cast<TInfo>(reinterpret_cast<void*>(GetProcAddress(Ver, "GetFileVersionInfoW")));
    auto Query = reinterpret_cast<TQuery>(reinterpret_cast<void*>(GetProcAddress(Ver, "VerQueryValueW")));
    if (!SizeOf || !InfoOf || !Query) return false;
    DWORD Handle = 0;
    DWORD Size = SizeOf(FileName.c_str(), &Handle);
    if (Size == 0) return false;
    std::vector<Byte> Info(Size);
    VS_FIXEDFILEINFO* Fixed = nullptr;
    UINT Len = 0;
    if (!InfoOf(FileName.c_str(), 0, Size, Info.data()) ||
        !Query(Info.data(), L"\\", reinterpret_cast<void**>(&Fixed), &Len) || !Fixed ||
        Len < sizeof(VS_FIXEDFILEINFO) || Fixed->dwSignature != 0xFEEF04BD)
        return false;
    VersionMS = Fixed->dwFileVersionMS;
    return true;
}

namespace {

int CommonControlsMajor()
{
    if (DetectionOverrides().CommonControlsMajor) return *DetectionOverrides().CommonControlsMajor;
    wchar_t Path[MAX_PATH];
    UINT N = GetSystemDirectoryW(Path, MAX_PATH);
    if (N == 0 || N >= MAX_PATH) return 0;
    DWORD VersionMS = 0;
    return FileVersionMS(String(Path) + L"\\COMCTL32.DLL", VersionMS) ? int(HIWORD(VersionMS)) : 0;
}

String OfficeKey(const wchar_t* Version, const wchar_t* Tail)
{
    const String Root = DetectionOverrides().OfficeRoot.value_or(L"Software\\Microsoft\\Office");
    return Root + L"\\" + Version + L"\\Common" + Tail;
}

}  // namespace

bool IsThemedApp() { return CommonControlsMajor() > 5; }

bool IsVista()
{
    if (DetectionOverrides().Vista) return *DetectionOverrides().Vista;
    HMODULE Kernel = GetModuleHandleW(L"kernel32");
    return Kernel && GetProcAddress(Kernel, "GetLocaleInfoEx") != nullptr;
}

bool IsWinXP()
{
    const auto& O = DetectionOverrides();
    const int Major = O.WindowsMajor ? int(*O.WindowsMajor) : Win32MajorVersion();
    const int Minor = O.WindowsMajor ? int(O.WindowsMinor.value_or(0)) : Win32MinorVersion();
    return Major > 5 || (Major == 5 && Minor > 0);
}

XPColorScheme CurrentXPTheme()
{
    if (!IsWinXP()) return xpNone;
    String Color;
    const auto& O = DetectionOverrides();
    if (O.ThemeActive || O.ThemeColorName) {
        if (!O.ThemeActive.value_or(true) || !IsThemedApp()) return xpNone;
        Color = O.ThemeColorName.value_or(L"");
    } else {
        HMODULE Lib = LoadLibraryW(L"uxtheme.dll");
        if (!Lib) return xpNone;
        using TIsThemeActive = BOOL(WINAPI*)();
        using TGetCurrentThemeName = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
        auto Active = reinterpret_cast<TIsThemeActive>(reinterpret_cast<void*>(GetProcAddress(Lib, "IsThemeActive")));
        auto Name = reinterpret_cast<TGetCurrentThemeName>(
            reinterpret_cast<void*>(GetProcAddress(Lib, "GetCurrentThemeName")));
        if (Active && Active() && IsThemedApp() && Name) {
            wchar_t FileName[255] = {}, ColorName[255] = {}, SizeName[255] = {};
            if (SUCCEEDED(Name(FileName, 255, ColorName, 255, SizeName, 255))) Color = ColorName;
        }
        FreeLibrary(Lib);
    }
    if (Pos(L"NormalColor", Color) > 0) return xpBlue;
    if (Pos(L"HomeStead", Color) > 0) return xpGreen;
    if (Pos(L"Metallic", Color) > 0) return xpGray;
    return xpNone;
}

TOfficeVersion GetOfficeVersion()
{
    std::unique_ptr<TRegistry> Reg(new TRegistry(KEY_READ));
    Reg->SetRootKey(HKEY_CURRENT_USER);
    if (Reg->KeyExists(OfficeKey(L"16.0", L"\\General"))) return ov2016;
    if (Reg->KeyExists(OfficeKey(L"15.0", L"\\General"))) return ov2013;
    if (Reg->KeyExists(OfficeKey(L"14.0", L"\\General"))) return ov2010;
    if (Reg->KeyExists(OfficeKey(L"12.0", L"\\General"))) return ov2007;
    return ov2003;
}

int GetOfficeThemeValue(TRegistry* Registry, const String& Key)
{
    int Result = -1;
    if (!Registry || !Registry->OpenKeyReadOnly(Key)) return -1;
    try {
        if (Registry->ValueExists(L"Theme")) Result = Registry->ReadInteger(L"Theme");
    } catch (const Exception&) {
        Result = -1;
    }
    Registry->CloseKey();
    return Result;
}

int GetOfficeUIThemeValue(TRegistry* Registry, const String& Key)
{
    int Result = -1;
    if (!Registry || !Registry->OpenKeyReadOnly(Key)) return -1;
    try {
        if (Registry->ValueExists(L"UI Theme")) {
            if (Registry->GetDataType(L"UI Theme") == rdInteger)
                Result = Registry->ReadInteger(L"UI Theme");
            else
                Result = StrToIntDef(Trim(Registry->ReadString(L"UI Theme")), -1);
        }
    } catch (const Exception&) {
        Result = -1;
    }
    Registry->CloseKey();
    return Result;
}

TOfficeTheme GetOfficeTheme()
{
    std::unique_ptr<TRegistry> Reg(new TRegistry(KEY_READ));
    Reg->SetRootKey(HKEY_CURRENT_USER);
    int V = GetOfficeUIThemeValue(Reg.get(), OfficeKey(L"16.0", L""));
    if (V != -1) {
        switch (V) {
        case 0: case 3: return ot2016White;
        case 2: return ot2016Black;
        case 5: return ot2016Gray;
        default: return ot2003Blue;
        }
    }
    V = GetOfficeUIThemeValue(Reg.get(), OfficeKey(L"15.0", L""));
    if (V != -1) return V == 0 ? ot2013White : V == 1 ? ot2013Silver : V == 2 ? ot2013Gray : ot2003Blue;
    V = GetOfficeThemeValue(Reg.get(), OfficeKey(L"14.0", L""));
    if (V != -1) return V == 1 ? ot2010Blue : V == 2 ? ot2010Silver : V == 3 ? ot2010Black : ot2003Blue;
    V = GetOfficeThemeValue(Reg.get(), OfficeKey(L"12.0", L""));
    if (V != -1) return V == 1 ? ot2007Blue : V == 2 ? ot2007Silver : V == 3 ? ot2007Black : ot2003Blue;
    switch (CurrentXPTheme()) {
    case xpBlue: return ot2003Blue;
    case xpGreen: return ot2003Olive;
    case xpGray: return ot2003Silver;
    default: return ot2003Classic;
    }
}

TColor DarkenColor(TColor Color, int Perc)
{
    const TColor Rgb = ColorToRGB(Color);
    auto Scale = [Perc](int C) {
        const double V = std::nearbyint(C * (100.0 - Perc) / 100.0);   // halves to even
        return int(std::clamp(V, 0.0, 255.0));
    };
    const int R = Scale(Rgb & 0xFF), G = Scale((Rgb >> 8) & 0xFF), B = Scale((Rgb >> 16) & 0xFF);
    return TColor(R | (G << 8) | (B << 16));
}

TColor ChangeColor(TColor Color, int Perc) { return DarkenColor(Color, Perc); }

String GetMetroFont() { return IsVista() ? L"Segoe UI" : L"Tahoma"; }

}  // namespace QorStyleIF
