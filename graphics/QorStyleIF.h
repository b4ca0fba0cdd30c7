// The environment's look: themed application, Windows version, XP colour scheme, installed Office
// and its colour theme; colour darkening and the font for flat looks.
#pragma once

#include "framework/Graphics.h"
#include "framework/Registry.h"

#include <optional>

namespace QorStyleIF {

enum XPColorScheme { xpNone, xpBlue, xpGreen, xpGray };
enum TOfficeVersion { ov2003, ov2007, ov2010, ov2013, ov2016 };
enum TOfficeTheme {
    ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black,
    ot2010Blue, ot2010Silver, ot2010Black, ot2013White, ot2013Silver, ot2013Gray, ot2016White,
    ot2016Gray, ot2016Black, otUnknown
};

constexpr UINT WM_THEMECHANGED_MSG = 0x031A;

bool IsThemedApp();
bool IsVista();
bool IsWinXP();
XPColorScheme CurrentXPTheme();
TOfficeVersion GetOfficeVersion();
// The key's integer value "Theme", or -1 when the key or value is missing.
int GetOfficeThemeValue(TRegistry* Registry, const String& Key);
// The key's value "UI Theme" read as text (or a number) as a decimal integer; -1 when missing
// or not a number.
int GetOfficeUIThemeValue(TRegistry* Registry, const String& Key);
TOfficeTheme GetOfficeTheme();
// Each RGB component scaled by (100 - Perc) / 100, halves to even, capped at 255.
TColor DarkenColor(TColor Color, int Perc);
TColor ChangeColor(TColor Color, int Perc);
String GetMetroFont();

// Test seams: set a detected value in place of asking the system; nullopt asks again.
struct TDetectionOverrides {
    std::optional<int> CommonControlsMajor;
    std::optional<bool> Vista;
    std::optional<DWORD> WindowsMajor, WindowsMinor;
    std::optional<bool> ThemeActive;
    std::optional<String> ThemeColorName;
    // The registry path below HKEY_CURRENT_USER in place of "Software\Microsoft\Office".
    std::optional<String> OfficeRoot;
};
TDetectionOverrides& DetectionOverrides();

}  // namespace QorStyleIF
