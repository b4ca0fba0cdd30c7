// The system's visual-styles library, bound by name at start-up. Every entry point is optional:
// one the system lacks stays null, and callers test it before themed drawing.
#pragma once

#include "framework/System.h"

#include <windows.h>
#include <uxtheme.h>

namespace QorXPVS {

extern bool DLLLoaded;
extern HMODULE DLLHandle;

extern decltype(&::OpenThemeData) OpenThemeData;
extern decltype(&::CloseThemeData) CloseThemeData;
extern decltype(&::DrawThemeBackground) DrawThemeBackground;
extern decltype(&::DrawThemeText) DrawThemeText;
extern decltype(&::GetThemeBackgroundContentRect) GetThemeBackgroundContentRect;
extern decltype(&::GetThemeBackgroundExtent) GetThemeBackgroundExtent;
extern decltype(&::GetThemeTextExtent) GetThemeTextExtent;
extern decltype(&::GetThemeTextMetrics) GetThemeTextMetrics;
extern decltype(&::GetThemeBackgroundRegion) GetThemeBackgroundRegion;
extern decltype(&::HitTestThemeBackground) HitTestThemeBackground;
extern decltype(&::DrawThemeEdge) DrawThemeEdge;
extern decltype(&::DrawThemeIcon) DrawThemeIcon;
extern decltype(&::IsThemePartDefined) IsThemePartDefined;
extern decltype(&::IsThemeBackgroundPartiallyTransparent) IsThemeBackgroundPartiallyTransparent;
extern decltype(&::GetThemeColor) GetThemeColor;
extern decltype(&::GetThemeMetric) GetThemeMetric;
extern decltype(&::GetThemeString) GetThemeString;
extern decltype(&::GetThemeBool) GetThemeBool;
extern decltype(&::GetThemeInt) GetThemeInt;
extern decltype(&::GetThemeEnumValue) GetThemeEnumValue;
extern decltype(&::GetThemePosition) GetThemePosition;
extern decltype(&::GetThemeFont) GetThemeFont;
extern decltype(&::GetThemeRect) GetThemeRect;
extern decltype(&::GetThemeMargins) GetThemeMargins;
extern decltype(&::GetThemeIntList) GetThemeIntList;
extern decltype(&::SetWindowTheme) SetWindowTheme;
extern decltype(&::GetThemeFilename) GetThemeFilename;
extern decltype(&::GetThemeSysColor) GetThemeSysColor;
extern decltype(&::GetThemeSysColorBrush) GetThemeSysColorBrush;
extern decltype(&::GetThemeSysBool) GetThemeSysBool;
extern decltype(&::GetThemeSysSize) GetThemeSysSize;
extern decltype(&::GetThemeSysFont) GetThemeSysFont;
extern decltype(&::GetThemeSysString) GetThemeSysString;
extern decltype(&::GetThemeSysInt) GetThemeSysInt;
extern decltype(&::IsThemeActive) IsThemeActive;
extern decltype(&::IsAppThemed) IsAppThemed;
extern decltype(&::GetWindowTheme) GetWindowTheme;
extern decltype(&::EnableThemeDialogTexture) EnableThemeDialogTexture;
extern decltype(&::IsThemeDialogTextureEnabled) IsThemeDialogTextureEnabled;
extern decltype(&::GetThemeAppProperties) GetThemeAppProperties;
extern decltype(&::SetThemeAppProperties) SetThemeAppProperties;
extern decltype(&::GetCurrentThemeName) GetCurrentThemeName;
extern decltype(&::GetThemeDocumentationProperty) GetThemeDocumentationProperty;
extern decltype(&::DrawThemeParentBackground) DrawThemeParentBackground;
extern decltype(&::EnableTheming) EnableTheming;

// The number of entry points bound by name.
constexpr int EntryPointCount = 45;

// Binds "UXTHEME.DLL" once; a library that cannot be loaded leaves every entry point null.
void LoadDLL();
// Frees the library; the entry points keep their values.
void UnLoadDLL();
// Binds the named library instead (for tests of a library lacking entry points); returns how
// many entry points were found. Does nothing and returns -1 when a library is already bound.
int LoadDLLFrom(const String& LibraryName);
// How many of the entry points are bound now.
int BoundEntryPoints();

}  // namespace QorXPVS

// Keeps the unit's start-up binding in every program that includes this header.
namespace QorXPVSUnit {
extern const int Linked;
[[maybe_unused]] static const int* const LinkedRef = &Linked;
}
