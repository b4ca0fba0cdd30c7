// The drop-down's header and footer appearances: initial values, which changes they report, their
// buttons, their copies, and their properties by name. The brightness of a colour.
#include "controls/QorDropDown.h"

#include "framework/TypInfo.h"

#include <gtest/gtest.h>

namespace {

class BandAppearance : public ::testing::Test {
protected:
    void SetUp() override { RegisterQorDropDownClasses(); }
    TComponent Owner{nullptr};
};

struct Counter {
    int Count = 0;
    TNotifyEvent Handler()
    {
        return [this](TObject*) { ++Count; };
    }
};

TEST_F(BandAppearance, StartWithTheirInitialValues)
{
    THeaderAppearance H(&Owner);
    TFooterAppearance F(&Owner);
    TFont DefaultFont;
    for (TQorBandAppearance* A : {static_cast<TQorBandAppearance*>(&H), static_cast<TQorBandAppearance*>(&F)}) {
        EXPECT_TRUE(A->GetVisible());
        EXPECT_EQ(A->GetHeight(), 22);
        EXPECT_EQ(A->GetCaption(), L"");
        EXPECT_EQ(A->GetImageIndex(), -1);
        EXPECT_EQ(A->GetColor(), 0xC0C0C0);
        EXPECT_EQ(A->GetColorTo(), 0xFFFFFF);
        EXPECT_EQ(A->GetGradientDirection(), gdVertical);
        EXPECT_EQ(A->GetBorderColor(), clBlack);
        EXPECT_EQ(A->GetBorderWidth(), 1);
        EXPECT_EQ(A->GetButtonAlignment(), baRight);
        EXPECT_EQ(A->GetOwner(), &Owner);
    }
    EXPECT_EQ(H.GetFont()->GetName(), L"Tahoma");
    EXPECT_EQ(F.GetFont()->GetName(), DefaultFont.GetName());
    EXPECT_TRUE(F.GetSizeGrip());
    EXPECT_EQ(H.GetButtons()->GetOwner(), &Owner);
    EXPECT_EQ(F.GetButtons()->GetOwner(), &Owner);
    THeaderButton* B = H.GetButtons()->Add();
    EXPECT_EQ(B->GetImageIndex(), -1);
    EXPECT_TRUE(B->GetEnabled());
    EXPECT_EQ(F.GetButtons()->Add()->GetModalResult(), mrNone);
}

TEST_F(BandAppearance, VisibilityAndTheFooterCaptionReportChanges)
{
    THeaderAppearance H(&Owner);
    TFooterAppearance F(&Owner);
    Counter HC, FC;
    H.OnChange = HC.Handler();
    F.OnChange = FC.Handler();
    H.SetVisible(true);
    H.SetCaption(L"Vælg");
    H.SetColor(clRed);
    EXPECT_EQ(HC.Count, 0);
    H.SetVisible(false);
    EXPECT_EQ(HC.Count, 1);
    F.SetCaption(L"x");
    F.SetCaption(L"x");                    // every time
    EXPECT_EQ(FC.Count, 2);
    SetStrProp(&F, L"Caption", L"y");       // also when set by name
    EXPECT_EQ(FC.Count, 3);
}

TEST_F(BandAppearance, ButtonsReportChangesButNotAddingOrDeleting)
{
    THeaderAppearance H(&Owner);
    Counter C;
    H.OnButtonsChanged = C.Handler();
    THeaderButton* B = H.GetButtons()->Add();
    H.GetButtons()->Add();
    H.GetButtons()->Delete(1);
    EXPECT_EQ(C.Count, 0);
    B->SetHeight(40);
    B->SetImageIndex(2);
    EXPECT_EQ(C.Count, 0);
    B->SetWidth(30);
    B->SetCaption(L"OK");
    B->SetEnabled(false);
    B->SetCaption(L"OK");                  // unchanged
    EXPECT_EQ(C.Count, 3);
}

TEST_F(BandAppearance, CopiesTakeOnlyTheirOwnClass)
{
    TFooterAppearance Src(&Owner), Dst(&Owner);
    Src.SetColor(clYellow);
    Src.SetCaption(L"Bund");
    Src.SetHeight(30);
    Src.SetSizeGrip(false);
    Src.SetButtonAlignment(baLeft);
    Src.GetFont()->SetName(L"Arial");
    TFooterButton* B = Src.GetButtons()->Add();
    B->SetCaption(L"Annuller");
    B->SetModalResult(mrCancel);
    B->SetHeight(12);
    Src.SetVisible(false);
    int Changes = 0, ButtonsSeen = -1;
    Dst.OnChange = [&](TObject*) {
        ++Changes;
        ButtonsSeen = Dst.GetButtons()->Count();
    };
    Dst.Assign(&Src);
    EXPECT_EQ(Changes, 1);                 // the visibility went through its setter, last
    EXPECT_EQ(ButtonsSeen, 1);
    EXPECT_FALSE(Dst.GetVisible());
    EXPECT_EQ(Dst.GetColor(), clYellow);
    EXPECT_EQ(Dst.GetCaption(), L"Bund");
    EXPECT_EQ(Dst.GetHeight(), 30);
    EXPECT_FALSE(Dst.GetSizeGrip());
    EXPECT_EQ(Dst.GetButtonAlignment(), baLeft);
    EXPECT_EQ(Dst.GetFont()->GetName(), L"Arial");
    ASSERT_EQ(Dst.GetButtons()->Count(), 1);
    EXPECT_EQ(Dst.GetButtons()->GetItems(0)->GetModalResult(), mrCancel);
    EXPECT_EQ(Dst.GetButtons()->GetItems(0)->GetHeight(), 12);

    // A header is no footer: ignored.
    THeaderAppearance H(&Owner);
    H.SetColor(clAqua);
    H.Assign(&Src);
    EXPECT_EQ(H.GetColor(), clAqua);
    Dst.AssignColors(&H);
    EXPECT_EQ(Dst.GetColor(), clYellow);

    // The colours only.
    THeaderAppearance H2(&Owner);
    H2.SetCaption(L"Top");
    H.SetCaption(L"Other");
    H.SetGradientDirection(gdHorizontal);
    H2.AssignColors(&H);
    EXPECT_EQ(H2.GetColor(), clAqua);
    EXPECT_EQ(H2.GetGradientDirection(), gdHorizontal);
    EXPECT_EQ(H2.GetCaption(), L"Top");

    // Buttons of the other kind go to the framework's copy, which refuses them.
    THeaderButton* HB = H.GetButtons()->Add();
    EXPECT_THROW(HB->Assign(Dst.GetButtons()->GetItems(0)), EConvertError);
}

TEST_F(BandAppearance, PropertiesByName)
{
    TFooterAppearance F(&Owner);
    SetEnumProp(&F, L"GradientDirection", L"gdHorizontal");
    SetEnumProp(&F, L"ButtonAlignment", L"baLeft");
    SetPropValue(&F, L"Font.Name", L"Arial");
    SetPropValue(&F, L"SizeGrip", L"False");
    EXPECT_EQ(F.GetGradientDirection(), gdHorizontal);
    EXPECT_EQ(F.GetButtonAlignment(), baLeft);
    EXPECT_EQ(F.GetFont()->GetName(), L"Arial");
    EXPECT_FALSE(F.GetSizeGrip());
    EXPECT_THROW(SetEnumProp(&F, L"ButtonAlignment", L"baMiddle"), EPropertyError);
    EXPECT_THROW(SetPropValue(&F, L"SizeGrp", L"False"), EPropertyError);
}

struct BrightnessCase {
    TColor Color;
    int R, G, B;
    TColor Expected;
};

// A zero channel becomes the percentage (a negative one 0); any other is scaled down, never up,
// with halves rounded to even; system colours are resolved first.
TEST(BrightnessColor, ScalesChannelsAndLiftsZeroOnes)
{
    const BrightnessCase Cases[] = {
        {TColor(0x000080), 20, 20, 20, TColor(0x141480)},
        {TColor(0xF5F0E1), -10, -10, 0, TColor(0xF5D8CA)},
        {TColor(0xF9D2B2), -10, -10, 0, TColor(0xF9BDA0)},
        {clWhite, -5, -5, -5, TColor(0xF2F2F2)},
        {clBlack, -30, 0, 300, TColor(0x2C0000)},   // taken as one byte
        {clBlack, -30, 0, 255, TColor(0xFF0000)},
    };
    for (const BrightnessCase& C : Cases)
        EXPECT_EQ(BrightnessColor(C.Color, C.R, C.G, C.B), C.Expected) << std::hex << C.Color;
    EXPECT_EQ(BrightnessColor(clBtnFace, 0, 0, 0), ColorToRGB(clBtnFace));
}

} // namespace
