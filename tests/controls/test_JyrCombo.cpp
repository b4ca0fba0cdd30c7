// test-needs: desktop
// The combo box: its drop button width, the thirteen label places, hover over the button, focus
// colour and bold label (also after loading from a description), OnDropUp, the coloured button it
// paints into its paint message's device context, and the frames it draws on its window's device
// context, read from the screen.
#include "controls/JyrCombo.h"
#include "framework/Streaming.h"
#include "graphics/QorStyleIF.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>

using namespace JyrCombo;

namespace {

class Combo : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterCombo();
        Form = ui::NewForm(400, 300);
        Form->SetColor(clBtnFace);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Box = Make();
        Other = Create<TEdit>(Form);
        Other->SetBounds(10, 250, 100, 21);
        Other->SetParent(Form);
        ui::ShowAndActivate(Form);
    }
    void TearDown() override
    {
        QorStyleIF::DetectionOverrides() = {};
        JyrControls::EnvironmentOverrides() = {};
    }
    TJyrComboBox* Make(int L = 140, int T = 100)
    {
        auto* C = Create<TJyrComboBox>(Form);
        C->SetBounds(L, T, 150, 21);
        C->SetParent(Form);
        C->GetItems()->Add(L"Nord");
        C->GetItems()->Add(L"Syd");
        return C;
    }

    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TJyrComboBox* Box = nullptr;
    TEdit* Other = nullptr;
};

}  // namespace

TEST_F(Combo, TheButtonWidthTakesOnly14To32)
{
    EXPECT_EQ(Box->GetButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);
    for (int W : {14, 32, 13, 33, -1}) Box->SetButtonWidth(W);
    EXPECT_EQ(Box->GetButtonWidth(), 32);
}

TEST_F(Combo, TheLabelStandsInEachOfItsThirteenPlaces)
{
    Box->SetLabelCaption(L"&Retning");
    Box->SetLabelMargin(6);
    TLabel* Lb = Box->GetLabel();
    ASSERT_NE(Lb, nullptr);
    EXPECT_EQ(Lb->GetParent(), Form);
    const int L = Box->GetLeft(), T = Box->GetTop(), W = Box->GetWidth(), H = Box->GetHeight();
    const int LW = Lb->GetWidth(), LH = Lb->GetHeight(), M = 6;
    const int CW = JyrControls::CaptionWidth(L"&Retning", Lb->GetFont());
    EXPECT_LE(CW, LW);   // the accelerator's "&" is not measured
    struct Place {
        TLabelPosition Pos;
        int Left, Top;
    } Places[] = {
        {lpLeftTop, L - CW - M, T},
        {lpLeftCenter, L - CW - M, T + (H - LH) / 2},
        {lpLeftBottom, L - CW - M, T + H - LH},
        {lpTopLeft, L, T - LH - M},
        {lpBottomLeft, L, T + H + M},
        {lpLeftTopLeft, L - M, T},
        {lpLeftCenterLeft, L - M, T + (H - LH) / 2},
        {lpLeftBottomLeft, L - M, T + H - LH},
        {lpTopCenter, L + (W - LW) / 2, T - LH - M},
        {lpBottomCenter, L + (W - LW) / 2, T + H + M},
        {lpRightTop, L + W + M, T},
        {lpRightCenter, L + W + M, T + (H - LH) / 2},
        {lpRighBottom, L + W + M, T + H - LH},
    };
    for (const Place& P : Places) {
        Box->SetLabelPosition(P.Pos);
        EXPECT_EQ(Lb->GetLeft(), P.Left) << int(P.Pos);
        EXPECT_EQ(Lb->GetTop(), P.Top) << int(P.Pos);
    }
    // The label moves with the combo, and shows and hides with it.
    Box->SetLeft(L + 10);
    EXPECT_EQ(Lb->GetLeft(), L + 10 + W + M);
    Box->SetVisibleEx(false);
    EXPECT_FALSE(Lb->GetVisible());
    Box->SetVisibleEx(true);
    Box->SetEnabledEx(false);
    EXPECT_FALSE(Lb->GetEnabled());
    Box->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(Lb->GetEnabled());

    // A combo without a parent makes its label too; it is placed once the combo has bounds.
    auto* Loose = Create<TJyrComboBox>(Form);
    Loose->SetLabelCaption(L"Fri");
    ASSERT_NE(Loose->GetLabel(), nullptr);
    Loose->SetParent(Form);
    Loose->SetBounds(200, 200, 100, 21);
    EXPECT_EQ(Loose->GetLabel()->GetLeft(), 200 - JyrControls::CaptionWidth(L"Fri", Loose->GetLabel()->GetFont()) - 4);
}

TEST_F(Combo, HoverFollowsThePointerOverTheButton)
{
    ui::MouseMove(Box, Box->GetWidth() - 5, 8);
    EXPECT_TRUE(Box->GetButtonHover());
    ui::MouseMove(Box, 5, 8);
    EXPECT_FALSE(Box->GetButtonHover());
    ui::MouseMove(Box, Box->GetWidth() - 5, 8);
    ui::MouseMove(Form, 5, 5);   // leaving the combo
    EXPECT_FALSE(Box->GetButtonHover());

    // With AutoFocus the pointer's entry takes the focus.
    Other->SetFocus();
    ui::Pump();
    Box->SetAutoFocus(true);
    ui::MouseMove(Box, 10, 8);
    EXPECT_TRUE(Box->Focused());
}

TEST_F(Combo, TheFocusColourAndTheBoldLabelLastWhileFocused)
{
    Box->SetFocusColor(clYellow);
    Box->SetFocusLabel(true);
    Box->SetLabelCaption(L"Retning");
    Other->SetFocus();
    ui::Pump();
    Box->SetFocus();
    ui::Pump();
    EXPECT_EQ(Box->GetColor(), clYellow);
    EXPECT_TRUE(Box->GetLabel()->GetFont()->GetStyle().Contains(fsBold));
    Other->SetFocus();
    ui::Pump();
    EXPECT_EQ(Box->GetColor(), clWindow);   // the colour it was made with
    EXPECT_FALSE(Box->GetLabel()->GetFont()->GetStyle().Contains(fsBold));

    // Loaded from a description: back to the loaded colour.
    ReadComponentText(L"object F: TForm\r\n  object Loaded1: TJyrComboBox\r\n    Left = 10\r\n    Top = 10\r\n"
                      L"    Width = 100\r\n    Color = clAqua\r\n    FocusColor = clYellow\r\n  end\r\nend\r\n",
                      Form);
    auto* Loaded = dynamic_cast<TJyrComboBox*>(Form->FindComponent(L"Loaded1"));
    ASSERT_NE(Loaded, nullptr);
    Loaded->SetFocus();
    ui::Pump();
    EXPECT_EQ(Loaded->GetColor(), clYellow);
    Other->SetFocus();
    ui::Pump();
    EXPECT_EQ(Loaded->GetColor(), clAqua);
}

TEST_F(Combo, ClosingTheListFiresOnDropUpOnce)
{
    int Ups = 0;
    Box->OnDropUp = [&](TObject* S) {
        EXPECT_EQ(S, Box);
        ++Ups;
    };
    Box->SetFocus();
    ui::Pump();
    ui::PressKey(VK_F4);
    EXPECT_TRUE(Box->GetDroppedDown());
    EXPECT_EQ(Ups, 0);
    ui::PressKey(VK_F4);
    EXPECT_FALSE(Box->GetDroppedDown());
    EXPECT_EQ(Ups, 1);
}

TEST_F(Combo, ItPaintsItsColouredButtonIntoThePaintMessagesContext)
{
    Box->ButtonColor = clYellow;
    Box->ButtonTextColor = clRed;
    Box->ButtonBorderColor = clBlue;
    const int W = Box->GetClientWidth(), H = Box->GetClientHeight(), BW = Box->GetButtonWidth();
    TDibSurface S(W, H, clLime);
    Box->Perform(WM_PAINT, WPARAM(S.DC()), 0);
    const int Left = W - BW + 2;   // the button's rectangle, then its fill one pixel further in
    EXPECT_EQ(S.Pixel(W - 4, 3), clYellow);
    EXPECT_EQ(S.Pixel(Left, H / 2), clBlue);   // its left line
    EXPECT_GT(S.CountColor(TRect{Left, 0, W, H}, clRed), 6);   // the arrow
    EXPECT_EQ(S.CountColor(S.Bounds(), clLime), 0);   // the whole client area is painted
    S.SavePng(SnapshotPath(L"combo_coloured_button.png"));

    // Hot while the pointer is over the button, down while a mouse button is also held.
    Box->ButtonColorHot = clAqua;
    Box->ButtonColorDown = clFuchsia;
    ui::MouseMove(Box, W - 5, 5);
    Box->Perform(WM_PAINT, WPARAM(S.DC()), 0);
    EXPECT_EQ(S.Pixel(W - 4, 3), clAqua);
    JyrControls::EnvironmentOverrides().MouseButtonDown = true;
    Box->Perform(WM_PAINT, WPARAM(S.DC()), 0);
    EXPECT_EQ(S.Pixel(W - 4, 3), clFuchsia);
}

TEST_F(Combo, FramesAreDrawnOnTheWindowAndReadFromTheScreen)
{
    Box->SetBorderColor(clRed);
    auto S = CaptureWindowAsShown(Box->GetHandle());
    const int W = Box->GetWidth(), H = Box->GetHeight();
    EXPECT_TRUE(S->AllColor(TRect{0, 0, W, 1}, clRed));
    EXPECT_TRUE(S->AllColor(TRect{0, H - 1, W, H}, clRed));
    EXPECT_TRUE(S->AllColor(TRect{0, 0, 1, H}, clRed));
    S->SavePng(SnapshotPath(L"combo_border.png"));

    // The flat look: frames in the parent's and the combo's colours, and the line along the bottom.
    Box->SetBorderColor(clNone);
    Box->SetFlat(true);
    Box->SetFlatLineColor(clBlue);
    S = CaptureWindowAsShown(Box->GetHandle());
    EXPECT_EQ(S->Pixel(0, 0), ColorToRGB(clBtnFace));
    EXPECT_GT(S->CountColor(TRect{0, H - 1, W, H}, clBlue), W / 2);
    S->SavePng(SnapshotPath(L"combo_flat.png"));

    // Disabled under visual styles without DisabledBorder: the themed frame colour.
    QorStyleIF::DetectionOverrides().CommonControlsMajor = 6;
    JyrControls::EnvironmentOverrides().ThemesActive = true;
    auto* Themed = Make(140, 150);
    ASSERT_TRUE(Themed->GetIsThemed());
    Themed->SetDisabledBorder(false);
    Themed->SetEnabledEx(false);
    ui::Pump();
    S = CaptureWindowAsShown(Themed->GetHandle());
    EXPECT_TRUE(S->AllColor(TRect{0, 0, W, 1}, JyrFlatLook::DisabledThemedFrame));
}

TEST_F(Combo, OnVistaWithoutColoursItLooksLikeThePlainCombo)
{
    auto* Plain = Create<TComboBox>(Form);
    Plain->SetBounds(140, 150, 150, 21);
    Plain->SetParent(Form);
    Plain->GetItems()->Add(L"Nord");
    Box->IsVista = true;
    Box->SetFlatParentColor(false);
    Box->SetFlat(true);
    Other->SetFocus();   // no caret in either
    ui::Pump();
    auto A = CaptureWindowAsShown(Box->GetHandle()), B = CaptureWindowAsShown(Plain->GetHandle());
    EXPECT_EQ(A->DiffCount(*B), 0);
}

TEST_F(Combo, FlatAndDisabledTakesTheParentsColourAndGivesItBack)
{
    Box->SetFlatParentColor(false);
    Box->SetFlat(true);
    EXPECT_FALSE(Box->GetCtl3D());
    Box->SetColorEx(clAqua);
    Box->SetEnabledEx(false);
    EXPECT_TRUE(Box->GetParentColor());
    EXPECT_EQ(Box->GetColor(), Form->GetColor());
    Box->SetEnabledEx(true);
    EXPECT_FALSE(Box->GetParentColor());
    EXPECT_EQ(Box->GetColor(), clAqua);
}

TEST_F(Combo, SelectItemAndBadDescriptionValues)
{
    Box->SelectItem(L"Syd");
    EXPECT_EQ(Box->GetItemIndex(), 1);
    Box->SelectItem(L"Vest");
    EXPECT_EQ(Box->GetItemIndex(), 1);
    Box->SetLabelMargin(-50);
    EXPECT_EQ(Box->GetLabelMargin(), 4);
    Box->SetDropWidth(-3);
    EXPECT_EQ(Box->GetDropWidth(), 0);
    // A place of the pickers' fifteen is none of the combo's thirteen.
    try {
        ReadComponentText(L"object F: TForm\r\n  object Bad1: TJyrComboBox\r\n    LabelPosition = lpTopRight\r\n"
                          L"  end\r\nend\r\n",
                          Form);
        ADD_FAILURE() << "a fifteen-place label position was read";
    } catch (const Exception& E) {
        EXPECT_NE(E.Message.find(L"LabelPosition"), String::npos) << E.Message;
    }
}
