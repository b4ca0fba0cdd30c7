// Binding of the visual-styles library's entry points by name.
#include "graphics/QorXPVS.h"

namespace QorXPVS {

bool DLLLoaded = false;
HMODULE DLLHandle = nullptr;

decltype(&::OpenThemeData) OpenThemeData = nullptr;
decltype(&::CloseThemeData) CloseThemeData = nullptr;
decltype(&::DrawThemeBackground) DrawThemeBackground = nullptr;
decltype(&::DrawThemeText) DrawThemeText = nullptr;
decltype(&::GetThemeBackgroundContentRect) GetThemeBackgroundContentRect = nullptr;
decltype(&::GetThemeBackgroundExtent) GetThemeBackgroundExtent = nullptr;
decltype(&::GetThemeTextExtent) GetThemeTextExtent = nullptr;
decltype(&::GetThemeTextMetrics) GetThemeTextMetrics = nullptr;
decltype(&::GetThemeBackgroundRegion) GetThemeBackgroundRegion = nullptr;
decltype(&::HitTestThemeBackground) HitTestThemeBackground = nullptr;
decltype(&::DrawThemeEdge) DrawThemeEdge = nullptr;
decltype(&::DrawThemeIcon) DrawThemeIcon = nullptr;
decltype(&::IsThemePartDefined) IsThemePartDefined = nullptr;
decltype(&::IsThemeBackgroundPartiallyTransparent) IsThemeBackgroundPartiallyTransparent = nullptr;
decltype(&::GetThemeColor) GetThemeColor = nullptr;
decltype(&::GetThemeMetric) GetThemeMetric = nullptr;
decltype(&::GetThemeString) GetThemeString = nullptr;
decltype(&::GetThemeBool) GetThemeBool = nullptr;
decltype(&::GetThemeInt) GetThemeInt = nullptr;
decltype(&::GetThemeEnumValue) GetThemeEnumValue = nullptr;
decltype(&::GetThemePosition) GetThemePosition = nullptr;
decltype(&::GetThemeFont) GetThemeFont = nullptr;
decltype(&::GetThemeRect) GetThemeRect = nullptr;
decltype(&::GetThemeMargins) GetThemeMargins = nullptr;
decltype(&::GetThemeIntList) GetThemeIntList = nullptr;
decltype(&::SetWindowTheme) SetWindowTheme = nullptr;
decltype(&::GetThemeFilename) GetThemeFilename = nullptr;
decltype(&::GetThemeSysColor) GetThemeSysColor = nullptr;
decltype(&::GetThemeSysColorBrush) GetThemeSysColorBrush = nullptr;
decltype(&::GetThemeSysBool) GetThemeSysBool = nullptr;
decltype(&::GetThemeSysSize) GetThemeSysSize = nullptr;
decltype(&::GetThemeSysFont) GetThemeSysFont = nullptr;
decltype(&::GetThemeSysString) GetThemeSysString = nullptr;
decltype(&::GetThemeSysInt) GetThemeSysInt = nullptr;
decltype(&::IsThemeActive) IsThemeActive = nullptr;
decltype(&::IsAppThemed) IsAppThemed = nullptr;
decltype(&::GetWindowTheme) GetWindowTheme = nullptr;
decltype(&::EnableThemeDialogTexture) EnableThemeDialogTexture = nullptr;
decltype(&::IsThemeDialogTextureEnabled) IsThemeDialogTextureEnabled = nullptr;
decltype(&::GetThemeAppProperties) GetThemeAppProperties = nullptr;
decltype(&::SetThemeAppProperties) SetThemeAppProperties = nullptr;
decltype(&::GetCurrentThemeName) GetCurrentThemeName = nullptr;
decltype(&::GetThemeDocumentationProperty) GetThemeDocumentationProperty = nullptr;
decltype(&::DrawThemeParentBackground) DrawThemeParentBackground = nullptr;
decltype(&::EnableTheming) EnableTheming = nullptr;

namespace {

template <class F>
bool Bind(F& Entry, const char* Name)
{
    Entry = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(DLLHandle, Name)));
    return Entry != nullptr;
}

int BindAll()
{
    int Found = 0;
#define QOR_BIND(N) Found += Bind(N, #N) ? 1 : 0;
    QOR_BIND(OpenThemeData)
    QOR_BIND(CloseThemeData)
    QOR_BIND(DrawThemeBackground)
    QOR_BIND(DrawThemeText)
    QOR_BIND(GetThemeBackgroundContentRect)
    QOR_BIND(GetThemeBackgroundExtent)
    QOR_BIND(GetThemeTextExtent)
    QOR_BIND(GetThemeTextMetrics)
    QOR_BIND(GetThemeBackgroundRegion)
    QOR_BIND(HitTestThemeBackground)
    QOR_BIND(DrawThemeEdge)
    QOR_BIND(DrawThemeIcon)
    QOR_BIND(IsThemePartDefined)
    QOR_BIND(IsThemeBackgroundPartiallyTransparent)
    QOR_BIND(GetThemeColor)
    QOR_BIND(GetThemeMetric)
    QOR_BIND(GetThemeString)
    QOR_BIND(GetThemeBool)
    QOR_BIND(GetThemeInt)
    QOR_BIND(GetThemeEnumValue)
    QOR_BIND(GetThemePosition)
    QOR_BIND(GetThemeFont)
    QOR_BIND(GetThemeRect)
    QOR_BIND(GetThemeMargins)
    QOR_BIND(GetThemeIntList)
    QOR_BIND(SetWindowTheme)
    QOR_BIND(GetThemeFilename)
    QOR_BIND(GetThemeSysColor)
    QOR_BIND(GetThemeSysColorBrush)
    QOR_BIND(GetThemeSysBool)
    QOR_BIND(GetThemeSysSize)
    QOR_BIND(GetThemeSysFont)
    QOR_BIND(GetThemeSysString)
    QOR_BIND(GetThemeSysInt)
    QOR_BIND(IsThemeActive)
    QOR_BIND(IsAppThemed)
    QOR_BIND(GetWindowTheme)
    QOR_BIND(EnableThemeDialogTexture)
    QOR_BIND(IsThemeDialogTextureEnabled)
    QOR_BIND(GetThemeAppProperties)
    QOR_BIND(SetThemeAppProperties)
    QOR_BIND(GetCurrentThemeName)
    QOR_BIND(GetThemeDocumentationProperty)
    QOR_BIND(DrawThemeParentBackground)
    QOR_BIND(EnableTheming)
#undef QOR_BIND
    return Found;
}

}  // namespace

int LoadDLLFrom(const String& LibraryName)
{
    if (DLLLoaded) return -1;
    HMODULE H = LoadLibraryW(LibraryName.c_str());
    if (reinterpret_cast<UINT_PTR>(H) < 32) return 0;
    DLLHandle = H;
    DLLLoaded = true;
    // A missing entry point only means no themed drawing through it.
    return BindAll();
}

void LoadDLL() { LoadDLLFrom(L"UXTHEME.DLL"); }

void UnLoadDLL()
{
    if (!DLLLoaded) return;
    FreeLibrary(DLLHandle);
    DLLLoaded = false;
}

int BoundEntryPoints()
{
    int N = 0;
#define QOR_COUNT(N_) N += N_ ? 1 : 0;
    QOR_COUNT(OpenThemeData)
    QOR_COUNT(CloseThemeData)
    QOR_COUNT(DrawThemeBackground)
    QOR_COUNT(DrawThemeText)
    QOR_COUNT(GetThemeBackgroundContentRect)
    QOR_COUNT(GetThemeBackgroundExtent)
    QOR_COUNT(GetThemeTextExtent)
    QOR_COUNT(GetThemeTextMetrics)
    QOR_COUNT(GetThemeBackgroundRegion)
    QOR_COUNT(HitTestThemeBackground)
    QOR_COUNT(DrawThemeEdge)
    QOR_COUNT(DrawThemeIcon)
    QOR_COUNT(IsThemePartDefined)
    QOR_COUNT(IsThemeBackgroundPartiallyTransparent)
    QOR_COUNT(GetThemeColor)
    QOR_COUNT(GetThemeMetric)
    QOR_COUNT(GetThemeString)
    QOR_COUNT(GetThemeBool)
    QOR_COUNT(GetThemeInt)
    QOR_COUNT(GetThemeEnumValue)
    QOR_COUNT(GetThemePosition)
    QOR_COUNT(GetThemeFont)
    QOR_COUNT(GetThemeRect)
    QOR_COUNT(GetThemeMargins)
    QOR_COUNT(GetThemeIntList)
    QOR_COUNT(SetWindowTheme)
    QOR_COUNT(GetThemeFilename)
    QOR_COUNT(GetThemeSysColor)
    QOR_COUNT(GetThemeSysColorBrush)
    QOR_COUNT(GetThemeSysBool)
    QOR_COUNT(GetThemeSysSize)
    QOR_COUNT(GetThemeSysFont)
    QOR_COUNT(GetThemeSysString)
    QOR_COUNT(GetThemeSysInt)
    QOR_COUNT(IsThemeActive)
    QOR_COUNT(IsAppThemed)
    QOR_COUNT(GetWindowTheme)
    QOR_COUNT(EnableThemeDialogTexture)
    QOR_COUNT(IsThemeDialogTextureEnabled)
    QOR_COUNT(GetThemeAppProperties)
    QOR_COUNT(SetThemeAppProperties)
    QOR_COUNT(GetCurrentThemeName)
    QOR_COUNT(GetThemeDocumentationProperty)
    QOR_COUNT(DrawThemeParentBackground)
    QOR_COUNT(EnableTheming)
#undef QOR_COUNT
    return N;
}

}  // namespace QorXPVS

namespace {
struct TUnitLife {
    TUnitLife() { QorXPVS::LoadDLL(); }
    ~TUnitLife() { QorXPVS::UnLoadDLL(); }
} UnitLife;
}  // namespace

namespace QorXPVSUnit {
const int Linked = 1;
}
