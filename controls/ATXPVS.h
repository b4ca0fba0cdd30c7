// ATXPVS: a second binding of the system's visual-styles library, with its own state, for the
// drop-down buttons and the calculator's button painting. Bound by name at start-up and freed at
// the end. Every entry point is optional: one the library lacks stays null (no themed drawing
// through it), so a library without one of them binds the rest instead of stopping the program.
#pragma once

#include "framework/System.h"

#include <windows.h>
#include <uxtheme.h>

// The entry points in binding order: X(variable, entry point). The variable is named as the entry
// point, except IsThemeBackGroundPartiallyTransparent.
#define ATXPVS_ENTRY_POINTS(X)                                                            \
    X(OpenThemeData, OpenThemeData)                                                       \
    X(CloseThemeData, CloseThemeData)                                                     \
    X(DrawThemeBackground, DrawThemeBackground)                                           \
    X(DrawThemeText, DrawThemeText)                                                       \
    X(GetThemeBackgroundContentRect, GetThemeBackgroundContentRect)                       \
    X(GetThemeBackgroundExtent, GetThemeBackgroundExtent)                                 \
    X(GetThemeTextExtent, GetThemeTextExtent)                                             \
    X(GetThemeTextMetrics, GetThemeTextMetrics)                                           \
    X(GetThemeBackgroundRegion, GetThemeBackgroundRegion)                                 \
    X(HitTestThemeBackground, HitTestThemeBackground)                                     \
    X(DrawThemeEdge, DrawThemeEdge)                                                       \
    X(DrawThemeIcon, DrawThemeIcon)                                                       \
    X(IsThemePartDefined, IsThemePartDefined)                                             \
    X(IsThemeBackGroundPartiallyTransparent, IsThemeBackgroundPartiallyTransparent)       \
    X(GetThemeColor, GetThemeColor)                                                       \
    X(GetThemeMetric, GetThemeMetric)                                                     \
    X(GetThemeString, GetThemeString)                                                     \
    X(GetThemeBool, GetThemeBool)                                                         \
    X(GetThemeInt, GetThemeInt)                                                           \
    X(GetThemeEnumValue, GetThemeEnumValue)                                               \
    X(GetThemePosition, GetThemePosition)                                                 \
    X(GetThemeFont, GetThemeFont)                                                         \
    X(GetThemeRect, GetThemeRect)                                                         \
    X(GetThemeMargins, GetThemeMargins)                                                   \
    X(GetThemeIntList, GetThemeIntList)                                                   \
    X(SetWindowTheme, SetWindowTheme)                                                     \
    X(GetThemeFilename, GetThemeFilename)                                                 \
    X(GetThemeSysColor, GetThemeSysColor)                                                 \
    X(GetThemeSysColorBrush, GetThemeSysColorBrush)                                       \
    X(GetThemeSysBool, GetThemeSysBool)                                                   \
    X(GetThemeSysSize, GetThemeSysSize)                                                   \
    X(GetThemeSysFont, GetThemeSysFont)                                                   \
    X(GetThemeSysString, GetThemeSysString)                                               \
    X(GetThemeSysInt, GetThemeSysInt)                                                     \
    X(IsThemeActive, IsThemeActive)                                                       \
    X(IsAppThemed, IsAppThemed)                                                           \
    X(GetWindowTheme, GetWindowTheme)                                                     \
    X(EnableThemeDialogTexture, EnableThemeDialogTexture)                                 \
    X(IsThemeDialogTextureEnabled, IsThemeDialogTextureEnabled)                           \
    X(GetThemeAppProperties, GetThemeAppProperties)                                       \
    X(SetThemeAppProperties, SetThemeAppProperties)                                       \
    X(GetCurrentThemeName, GetCurrentThemeName)                                           \
    X(GetThemeDocumentationProperty, GetThemeDocumentationProperty)                       \
    X(DrawThemeParentBackground, DrawThemeParentBackground)                               \
    X(EnableTheming, EnableTheming)

namespace ATXPVS {

extern bool DLLLoaded;
extern HMODULE DLLHandle;

#define ATXPVS_DECLARE(Var, Api) extern decltype(&::Api) Var;
ATXPVS_ENTRY_POINTS(ATXPVS_DECLARE)
#undef ATXPVS_DECLARE

constexpr int EntryPointCount = 45;

// Binds "UXTHEME.DLL" once; a library that cannot be loaded (handle below 32) leaves every entry
// point null and DLLLoaded false.
void LoadDLL();
// When loaded: frees the library, clears DLLLoaded and every entry point.
void UnLoadDLL();
// Binds the named library instead (tests of a library lacking entry points); answers how many
// entry points were found, or -1 when a library is bound already.
int LoadDLLFrom(const String& LibraryName);
// How many entry points are bound now.
int BoundEntryPoints();

}  // namespace ATXPVS

// Keeps the unit's start-up binding in every program that includes this header.
namespace ATXPVSUnit {
extern const int Linked;
[[maybe_unused]] static const int* const LinkedRef = &Linked;
}  // namespace ATXPVSUnit
