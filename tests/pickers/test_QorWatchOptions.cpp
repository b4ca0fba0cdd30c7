// The clock face's appearance and settings objects: initial values, which changes they report,
// their copies, their properties by name, and the clock colours of the component styles.
#include "pickers/QorTimePickerDropDown.h"

#include "grid/PropTexts.h"
#include "support/ImageBytes.h"

#include "framework/TypInfo.h"

#include <gtest/gtest.h>

using namespace QorStyleIF;

namespace {

constexpr TColor Rgb(int R, int G, int B) { return TColor(R | (G << 8) | (B << 16)); }

struct Counter {
    int Count = 0;
    TNotifyEvent Handler()
    {
        return [this](TObject*) { ++Count; };
    }
};

class WatchOptions : public ::testing::Test {
protected:
    void SetUp() override { RegisterQorTimePickerDropDownClasses(); }
};

TEST_F(WatchOptions, StartWithTheirInitialValues)
{
    TWatchAppearance A;
    const PropTexts::TTexts Expected = {
        {L"Size", L"0"}, {L"HourPointer", L"clBlack"}, {L"BackgroundColor", L"clWhite"},
        {L"MinutePointerShadow", L"clBtnShadow"}, {L"BackgroundColorTo", L"clNone"},
        {L"HourPointerShadow", L"clBtnShadow"}, {L"SecondPointer", L"clRed"}, {L"BorderColor", L"clBlack"},
        {L"MinutePointer", L"clBlack"}, {L"AMPMFrame", L"apRect"}, {L"Shape", L"wsCircle"},
        {L"PointerStyle", L"psLine"}, {L"HourPointerSize", L"4"}, {L"SecondPointerSize", L"1"},
        {L"MinutePointerSize", L"3"}, {L"HourColor", L"clBlack"}, {L"MinuteColor", L"clGray"},
        {L"CenterPointSize", L"4"}, {L"CenterPointColor", L"clBlack"}, {L"CenterPointBorderColor", L"clNone"},
        {L"BackgroundGradient", L"wgVertical"}, {L"HourMarkLength", L"0"}, {L"HourMarkWidth", L"1"},
        {L"MinuteMarkLength", L"0"}, {L"MinuteMarkWidth", L"1"}, {L"BorderWidth", L"4"}, {L"AMPMColor", L"clWhite"},
        {L"AMPMBorderColor", L"clBlack"}, {L"CenterPointOuterBorderColor", L"clNone"}, {L"TickMarks", L"tmAll"},
        {L"HourMarkStyle", L"hmsLine"}};
    EXPECT_EQ(PropTexts::Texts(&A), Expected);
    EXPECT_EQ(A.GetHourFont()->GetName(), L"Tahoma");
    EXPECT_EQ(A.GetHourFont()->GetSize(), 8);
    EXPECT_EQ(A.GetAMPMFont()->GetName(), L"Tahoma");
    EXPECT_EQ(A.GetAMPMFont()->GetSize(), 10);
    EXPECT_TRUE(A.GetPicture()->Empty());
    // Every published default is the initial value, so that stored descriptions leave them out.
    TRegisteredClass* C = ClassOf(&A);
    for (const TPropInfo* P : C->AllProperties())
        if (P->HasDefault) {
            EXPECT_EQ(PropValueToText(*P, P->Default), Expected.at(P->Name)) << PropTexts::Narrow(P->Name);
        }

    TWatchSettings S;
    EXPECT_EQ(PropTexts::Texts(&S), (PropTexts::TTexts{{L"Auto", L"False"}, {L"Second", L"True"}, {L"TimeOffset", L"0"}}));
}

TEST_F(WatchOptions, ReportOnlyEffectiveChangesButFontsAndPictureEveryTime)
{
    TWatchAppearance A;
    Counter C;
    A.OnChange = C.Handler();
    A.SetShape(wsCircle);
    A.SetHourPointerSize(4);
    A.SetBackgroundColor(clWhite);
    A.SetTickMarks(tmAll);
    EXPECT_EQ(C.Count, 0);
    A.SetShape(wsRect);
    A.SetHourPointerSize(5);
    A.SetBackgroundColor(clRed);
    A.SetTickMarks(tmNone);
    A.SetCenterPointOuterBorderColor(clBlue);
    EXPECT_EQ(C.Count, 5);
    // The AM/PM box colours are plain values: no report, the next paint shows them.
    A.SetAMPMColor(clYellow);
    A.SetAMPMBorderColor(clGreen);
    SetPropValue(&A, L"AMPMColor", L"clAqua");
    EXPECT_EQ(C.Count, 5);
    EXPECT_EQ(A.GetAMPMColor(), clAqua);
    TFont F;
    A.SetHourFont(A.GetHourFont());
    A.SetAMPMFont(&F);
    TPicture P;
    A.SetPicture(&P);
    EXPECT_EQ(C.Count, 8);
    SetEnumProp(&A, L"PointerStyle", L"psLineArrow");   // by name as by setter
    EXPECT_EQ(A.GetPointerStyle(), psLineArrow);
    EXPECT_EQ(C.Count, 9);

    TWatchSettings S;
    Counter SC;
    S.OnChange = SC.Handler();
    S.SetAuto(false);
    S.SetSecond(true);
    S.SetTimeOffset(0);
    EXPECT_EQ(SC.Count, 0);
    S.SetAuto(true);
    S.SetSecond(false);
    S.SetTimeOffset(-30);
    EXPECT_EQ(SC.Count, 3);
}

TEST_F(WatchOptions, InitializeDefaultKeepsTheFontsColourAndStyle)
{
    TWatchAppearance A;
    Counter C;
    A.OnChange = C.Handler();
    A.GetHourFont()->SetStyle({fsBold});
    A.GetHourFont()->SetColor(clRed);
    A.GetHourFont()->SetName(L"Courier New");
    A.GetHourFont()->SetSize(20);
    A.SetShape(wsRoundRect);
    A.SetAMPMColor(clNone);
    C.Count = 0;
    A.InitializeDefault();
    EXPECT_EQ(C.Count, 0);
    EXPECT_EQ(A.GetShape(), wsCircle);
    EXPECT_EQ(A.GetAMPMColor(), clWhite);
    EXPECT_EQ(A.GetHourFont()->GetName(), L"Tahoma");
    EXPECT_EQ(A.GetHourFont()->GetSize(), 8);
    EXPECT_EQ(A.GetHourFont()->GetStyle(), TFontStyles{fsBold});
    EXPECT_EQ(A.GetHourFont()->GetColor(), clRed);
}

TEST_F(WatchOptions, CopiesTakeEveryValueAndAlwaysReport)
{
    TWatchAppearance Source, Target;
    PropTexts::ExpectAssignCopies(&Source, &Target, {});
    Source.GetHourFont()->SetStyle({fsItalic});
    Source.GetPicture()->SetGraphic(SolidBitmap(4, 4, clRed).get());
    Target.Assign(&Source);
    EXPECT_EQ(Target.GetHourFont()->GetStyle(), TFontStyles{fsItalic});
    EXPECT_EQ(Target.GetPicture()->GetWidth(), 4);

    // Even a copy of an identical look reports, so that a receiving face repaints.
    TWatchAppearance Plain, Same;
    Counter C;
    Same.OnChange = C.Handler();
    Same.Assign(&Plain);
    EXPECT_GE(C.Count, 1);
    TStringList Other;
    EXPECT_THROW(Same.Assign(&Other), EConvertError);

    // Settings: Second and TimeOffset are taken without a word; Auto reports its change.
    TWatchSettings From, To;
    Counter SC;
    To.OnChange = SC.Handler();
    From.SetSecond(false);
    From.SetTimeOffset(15);
    To.Assign(&From);
    EXPECT_EQ(SC.Count, 0);
    EXPECT_FALSE(To.GetSecond());
    EXPECT_EQ(To.GetTimeOffset(), 15);
    From.SetAuto(true);
    To.Assign(&From);
    EXPECT_EQ(SC.Count, 1);
    EXPECT_THROW(To.Assign(&Other), EConvertError);
}

struct SchemeCase {
    TJOQStyle Style;
    TColor Background, BackgroundTo, Ink, MinuteMarks, AMPM, HourFont;
};

class WatchSchemes : public WatchOptions, public ::testing::WithParamInterface<SchemeCase> {};

TEST_P(WatchSchemes, ColourTheFaceByComponentStyle)
{
    const SchemeCase& S = GetParam();
    TWatchAppearance A;
    A.SetCenterPointOuterBorderColor(clRed);
    A.GetHourFont()->SetColor(clRed);
    A.GetAMPMFont()->SetColor(clRed);
    A.SetShape(wsRoundRect);
    A.SetBorderWidth(7);
    A.ApplyComponentStyle(S.Style);
    EXPECT_EQ(A.GetCenterPointOuterBorderColor(), clBlack);
    EXPECT_EQ(A.GetBackgroundColor(), S.Background);
    EXPECT_EQ(A.GetBackgroundColorTo(), S.BackgroundTo);
    for (TColor C : {A.GetHourColor(), A.GetHourPointer(), A.GetMinutePointer()}) EXPECT_EQ(C, S.Ink);
    EXPECT_EQ(A.GetMinuteColor(), S.MinuteMarks);
    EXPECT_EQ(A.GetAMPMColor(), S.AMPM);
    EXPECT_EQ(A.GetHourFont()->GetColor(), S.HourFont);
    EXPECT_EQ(A.GetAMPMFont()->GetColor(), S.HourFont);
    // Shapes, sizes and styles are not the scheme's.
    EXPECT_EQ(A.GetShape(), wsRoundRect);
    EXPECT_EQ(A.GetBorderWidth(), 7);
}

INSTANTIATE_TEST_SUITE_P(Styles, WatchSchemes, ::testing::Values(
    SchemeCase{tsOffice2007Luna, Rgb(227, 239, 255), Rgb(227, 239, 255), Rgb(8, 55, 114), Rgb(8, 55, 114),
               Rgb(208, 222, 240), clBlack},
    SchemeCase{tsOffice2007Obsidian, Rgb(76, 83, 92), Rgb(76, 83, 92), Rgb(240, 241, 242), Rgb(240, 241, 242),
               Rgb(76, 83, 92), Rgb(240, 241, 242)},
    SchemeCase{tsWindowsVista, Rgb(249, 253, 255), Rgb(240, 250, 255), Rgb(154, 223, 254), Rgb(154, 223, 254),
               Rgb(249, 253, 255), clBlack},
    SchemeCase{tsWindowsXP, clBtnFace, clBtnFace, clBlack, clBlack, clBtnFace, clBlack},
    SchemeCase{tsOffice2010Silver, clWhite, clWhite, Rgb(200, 205, 210), Rgb(200, 205, 210), Rgb(224, 229, 237),
               clBlack},
    // Custom and the styles after Office 2010 Black only blacken fonts and the outer ring.
    SchemeCase{tsCustom, clWhite, clNone, clBlack, clGray, clWhite, clBlack},
    SchemeCase{tsWindows10, clWhite, clNone, clBlack, clGray, clWhite, clBlack},
    SchemeCase{tsOffice2016Black, clWhite, clNone, clBlack, clGray, clWhite, clBlack}));

TEST_F(WatchOptions, SchemeShadowsAndSecondHand)
{
    TWatchAppearance A;
    A.ApplyComponentStyle(tsOffice2010Silver);
    EXPECT_EQ(A.GetHourPointerShadow(), Rgb(192, 192, 192));
    EXPECT_EQ(A.GetMinutePointerShadow(), Rgb(192, 192, 192));
    EXPECT_EQ(A.GetSecondPointer(), Rgb(200, 205, 210));
    A.ApplyComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(A.GetAMPMBorderColor(), Rgb(0, 45, 150));
    EXPECT_EQ(A.GetCenterPointColor(), Rgb(89, 135, 214));
    EXPECT_EQ(A.GetHourPointerShadow(), clWhite);
    EXPECT_EQ(A.GetSecondPointer(), clWhite);
}

// The face's published properties, as a stored description sets them.
TEST_F(WatchOptions, FacePropertiesByName)
{
    TComponent Owner(nullptr);
    auto* W = Create<TQorWatch>(&Owner);
    SetEnumProp(W, L"Appearance.Shape", L"wsRoundRect");
    SetStrProp(W, L"Appearance.HourFont.Name", L"Century Gothic");
    SetPropValue(W, L"Settings.TimeOffset", L"-45");
    SetPropValue(W, L"Resolution", L"15");
    SetPropValue(W, L"Resolution", L"31");   // ignored as by the setter
    SetEnumProp(W, L"Style", L"wsCustom");
    SetPropValue(W, L"Version", L"9.9");     // read only in effect
    EXPECT_EQ(W->GetAppearance()->GetShape(), wsRoundRect);
    EXPECT_EQ(W->GetAppearance()->GetHourFont()->GetName(), L"Century Gothic");
    EXPECT_EQ(W->GetSettings()->GetTimeOffset(), -45);
    EXPECT_EQ(W->GetResolution(), 15);
    EXPECT_EQ(W->GetStyle(), wsCustom);
    EXPECT_EQ(GetPropValue(W, L"Version"), L"1.2.1.0");
    EXPECT_EQ(GetPropValue(W, L"AnimationFactor"), L"10");
    EXPECT_EQ(GetPropValue(W, L"Settings.Second"), L"True");
}

}  // namespace
