// Environment detection: colour darkening, the XP scheme through seams, Office version and theme
// from keys written under a unique test key of the current user.
#include "graphics/QorStyleIF.h"
#include "framework/SysUtils.h"

#include <gtest/gtest.h>

#include <memory>

using namespace QorStyleIF;

namespace {

// Office keys below a unique key of HKCU, deleted afterwards; detection reads them through the seam.
class OfficeKeys : public ::testing::Test {
protected:
    String Root = L"Software\\QorStyleIFTest" + IntToStr(int(GetCurrentProcessId()));
    std::unique_ptr<TRegistry> Reg{new TRegistry()};
    void SetUp() override
    {
        Reg->SetRootKey(HKEY_CURRENT_USER);
        DetectionOverrides() = {};
        DetectionOverrides().OfficeRoot = Root;
        // No visual styles: the fallback is the classic look.
        DetectionOverrides().WindowsMajor = 5;
        DetectionOverrides().WindowsMinor = 1;
        DetectionOverrides().ThemeActive = false;
    }
    void TearDown() override
    {
        Reg->CloseKey();
        Reg->DeleteKey(L"\\" + Root);
        DetectionOverrides() = {};
    }
    void Key(const String& Version, const String& Tail = L"")
    {
        ASSERT_TRUE(Reg->OpenKey(L"\\" + Root + L"\\" + Version + L"\\Common" + Tail, true));
    }
};

}  // namespace

TEST(QorStyleIF, DarkenColorRoundsHalvesToEvenAndCaps)
{
    struct Case { TColor In; int Perc; TColor Out; };
    const Case Cases[] = {
        {TColor(0x123456), 0, TColor(0x123456)},
        {TColor(0x0000C8), -60, TColor(0x0000FF)},     // 200 * 1.6 capped
        {TColor(0xFFFFFF), 50, TColor(0x808080)},      // 127.5 -> 128
        {TColor(0x050301), 50, TColor(0x020200)},      // blue 2.5 -> 2, green 1.5 -> 2, red 0.5 -> 0
        {TColor(0x646464), 20, TColor(0x505050)},
    };
    for (const Case& C : Cases) EXPECT_EQ(DarkenColor(C.In, C.Perc), C.Out) << std::hex << C.In << " " << C.Perc;
    EXPECT_EQ(ChangeColor(clBtnFace, 0), ColorToRGB(clBtnFace));
}

TEST(QorStyleIF, XPSchemeAndVersionSeams)
{
    DetectionOverrides() = {};
    auto& O = DetectionOverrides();
    O.WindowsMajor = 5; O.WindowsMinor = 0;
    EXPECT_FALSE(IsWinXP());
    EXPECT_EQ(CurrentXPTheme(), xpNone);
    O.WindowsMinor = 1;
    EXPECT_TRUE(IsWinXP());
    O.CommonControlsMajor = 6;
    O.ThemeActive = true;
    struct Case { const wchar_t* Color; XPColorScheme Scheme; };
    for (const Case& C : {Case{L"NormalColor", xpBlue}, Case{L"HomeStead", xpGreen},
                          Case{L"Metallic", xpGray}, Case{L"Royale", xpNone}}) {
        O.ThemeColorName = C.Color;
        EXPECT_EQ(CurrentXPTheme(), C.Scheme) << C.Color;
    }
    O.CommonControlsMajor = 5;
    EXPECT_EQ(CurrentXPTheme(), xpNone);
    O.Vista = true;
    EXPECT_EQ(GetMetroFont(), L"Segoe UI");
    O.Vista = false;
    EXPECT_EQ(GetMetroFont(), L"Tahoma");
    DetectionOverrides() = {};
}

TEST_F(OfficeKeys, VersionAndThemeFromRegistry)
{
    EXPECT_EQ(GetOfficeVersion(), ov2003);
    EXPECT_EQ(GetOfficeTheme(), ot2003Classic);
    DetectionOverrides().CommonControlsMajor = 6;
    DetectionOverrides().ThemeActive = true;
    DetectionOverrides().ThemeColorName = L"Metallic";
    EXPECT_EQ(GetOfficeTheme(), ot2003Silver);

    Key(L"12.0");
    Reg->WriteInteger(L"Theme", 3);
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeTheme(), ot2007Black);
    Key(L"12.0", L"\\General");
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeVersion(), ov2007);

    Key(L"14.0");
    Reg->WriteInteger(L"Theme", 2);
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeTheme(), ot2010Silver);

    // "UI Theme" as text or as a number reads the same; an unknown number gives 2003 blue.
    Key(L"16.0");
    Reg->WriteString(L"UI Theme", L"2");
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeTheme(), ot2016Black);
    Key(L"16.0");
    Reg->WriteInteger(L"UI Theme", 2);
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeTheme(), ot2016Black);
    Key(L"15.0");
    Reg->WriteInteger(L"UI Theme", 1);
    Reg->CloseKey();
    Key(L"16.0");
    Reg->WriteInteger(L"UI Theme", 4);
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeTheme(), ot2003Blue);
    // Not a number: that key counts as missing.
    Key(L"16.0");
    Reg->WriteString(L"UI Theme", L"dark");
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeTheme(), ot2013Silver);
    Key(L"16.0", L"\\General");
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeVersion(), ov2016);
}
