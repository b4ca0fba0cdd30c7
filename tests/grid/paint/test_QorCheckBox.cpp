// test-needs: desktop
// The themed check box through real mouse and key messages on an active form: clicks and the
// space key toggle and click (read-only boxes only click), a press released outside does nothing,
// Enter moves on as Tab when asked; the box size per resolution; the classic box on either side
// with its caption, the disabled caption, the focus rectangle, and the parent's image under a
// transparent box (with a snapshot sheet of the states).
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "framework/StdCtrls.h"
#include "grid/paint/ArrowFocusWindows.h"
#include "grid/paint/QorCheckBox.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A control painting a horizontal red-to-blue gradient: a parent to show through a box.
class TGradientHost : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        ArrowFocusWindows::DrawGradient(GetCanvas(), clRed, clBlue, clNone, 32, GetClientRect(), true);
    }
};

class CheckBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterQorCheckBoxClasses();
        Box = Make(10, 10, L"Forskel på store og små");
        Next = Create<TEdit>(Form);
        Next->SetBounds(10, 200, 100, 21);
        Next->SetParent(Form);
        ui::ShowAndActivate(Form);
    }
    TQorCheckBox* Make(int X, int Y, const String& Caption, TWinControl* Parent = nullptr)
    {
        auto* B = Create<TQorCheckBox>(Form);
        B->SetBounds(X, Y, 160, 22);
        B->SetCaption(Caption);
        B->SetParent(Parent ? Parent : Form);
        B->OnClick = [this](TObject*) { ++Clicks; };
        return B;
    }
    // The box painted on its own, over a ground of its colour: ink is what it draws.
    static std::unique_ptr<TDibSurface> Shot(TWinControl* C)
    {
        auto S = std::make_unique<TDibSurface>(C->GetClientWidth(), C->GetClientHeight(), ColorToRGB(clWindow));
        PaintWindowInto(C->GetHandle(), *S, true);
        return S;
    }
    // A parent with its children as the screen shows it.
    static std::unique_ptr<TDibSurface> Screen(TWinControl* C)
    {
        ui::Pump();
        return CaptureWindowAsShown(C->GetHandle());
    }

    TForm* Form = ui::NewForm(400, 260);
    ui::FormGuard Guard{Form};
    TQorCheckBox* Box = nullptr;
    TEdit* Next = nullptr;
    int Clicks = 0;
};

TEST_F(CheckBox, StartsAsTheClassNameUncheckedAndOutOfTheTabOrder)
{
    TFreePtr<TQorCheckBox> Fresh(Create<TQorCheckBox>(nullptr));
    EXPECT_EQ(Fresh->GetCaption(), L"TQorCheckBox");
    EXPECT_EQ(Fresh->GetWidth(), 98);
    EXPECT_EQ(Fresh->GetHeight(), 20);
    EXPECT_EQ(Fresh->GetState(), cbUnchecked);
    EXPECT_EQ(Fresh->GetColor(), clWindow);
    EXPECT_FALSE(Fresh->GetTabStop());
}

TEST_F(CheckBox, ClicksToggleAndClickReadOnlyOnlyClicksAndGrayedBecomesChecked)
{
    ui::Click(Box, 5, 8);
    ui::Pump();
    EXPECT_TRUE(Box->GetChecked());
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Box->Focused());
    ui::Click(Box, 60, 8);   // on the caption as well
    ui::Pump();
    EXPECT_FALSE(Box->GetChecked());
    EXPECT_EQ(Clicks, 2);

    Box->SetState(cbGrayed);
    ui::Click(Box, 5, 8);
    ui::Pump();
    EXPECT_EQ(Box->GetState(), cbChecked);

    Box->SetReadOnly(true);
    ui::Click(Box, 5, 8);
    ui::Pump();
    EXPECT_EQ(Box->GetState(), cbChecked);
    EXPECT_EQ(Clicks, 4);
}

TEST_F(CheckBox, APressReleasedOutsideNeitherTogglesNorClicks)
{
    ui::MouseDown(Box, mbLeft, 5, 8);
    ui::Pump();
    EXPECT_TRUE(Box->GetDown());
    ui::MouseMove(Box, 300, 100, {ssLeft});
    ui::Pump();
    EXPECT_FALSE(Box->GetDown());
    ui::MouseMove(Box, 10, 10, {ssLeft});
    ui::Pump();
    EXPECT_TRUE(Box->GetDown());
    ui::MouseUp(Box, mbLeft, 300, 100);
    ui::Pump();
    EXPECT_FALSE(Box->GetDown());
    EXPECT_FALSE(Box->GetChecked());
    EXPECT_EQ(Clicks, 0);
}

TEST_F(CheckBox, SpaceTogglesOnReleaseAndEnterMovesOnAsTab)
{
    Box->SetFocus();
    ui::Pump();
    ASSERT_TRUE(Box->Focused());
    ui::PressKey(VK_SPACE);
    EXPECT_TRUE(Box->GetChecked());
    EXPECT_FALSE(Box->GetDown());
    EXPECT_EQ(Clicks, 1);
    Box->SetReadOnly(true);
    ui::PressKey(VK_SPACE);
    EXPECT_TRUE(Box->GetChecked());
    EXPECT_EQ(Clicks, 2);

    // Enter stays without ReturnIsTab, and moves on as Tab with it.
    Box->SetTabStop(true);
    ui::PressKey(VK_RETURN);
    EXPECT_TRUE(Box->Focused());
    Box->SetReturnIsTab(true);
    ui::PressKey(VK_RETURN);
    ui::Pump();
    EXPECT_TRUE(Next->Focused());
}

TEST_F(CheckBox, AnAcceleratorToggles)
{
    Box->SetCaption(L"&Store og små");
    EXPECT_EQ(Box->Perform(CM_DIALOGCHAR, L's'), 1);
    EXPECT_TRUE(Box->GetChecked());
    EXPECT_EQ(Box->Perform(CM_DIALOGCHAR, L'q'), 0);
}

TEST(CheckBoxSize, FollowsTheResolutionRoundingHalvesToEven)
{
    const std::pair<int, int> Cases[] = {{72, 13}, {96, 13}, {120, 16}, {144, 20}, {192, 26}, {240, 32}};
    for (auto [Dpi, Side] : Cases) EXPECT_EQ(TQorCheckBox::BoxSize(Dpi), Side) << Dpi;
}

// ---- Painting ------------------------------------------------------------------------------------

TEST_F(CheckBox, TheClassicBoxSitsOnItsSideWithTheCaptionBesideIt)
{
    auto S = Shot(Box);
    const int W = Box->GetClientWidth();
    // Box at (0, 4), 12 x 12; the caption starts 19 pixels in, 4 down.
    EXPECT_TRUE(S->HasInk(TRect(0, 4, 12, 16)));
    EXPECT_FALSE(S->HasInk(TRect(0, 0, W, 4)));
    const TRect Caption = S->InkBounds(TRect(13, 0, W, 22), clWindow);
    EXPECT_GE(Caption.Left, 19);
    EXPECT_GE(Caption.Top, 4);
    EXPECT_TRUE(S->AllColor(TRect(13, 0, 19, 22), ColorToRGB(clWindow)));
    EXPECT_GT(S->CountColor(Caption, ColorToRGB(clWindowText)), 10);

    // Checked and grayed boxes look different from the empty one and from each other.
    Box->SetChecked(true);
    auto Checked = Shot(Box);
    Box->SetState(cbGrayed);
    auto Grayed = Shot(Box);
    EXPECT_GT(Checked->DiffCount(*S), 5);
    EXPECT_GT(Grayed->DiffCount(*S), 5);
    EXPECT_GT(Grayed->DiffCount(*Checked), 5);

    // Right-aligned: the box at the right edge, the caption before it.
    Box->SetState(cbUnchecked);
    Box->SetAlignment(lrRight);
    auto Right = Shot(Box);
    EXPECT_TRUE(Right->HasInk(TRect(W - 12, 4, W, 16)));
    EXPECT_FALSE(Right->HasInk(TRect(0, 0, 10, 22)));
    EXPECT_LT(Right->InkBounds(TRect(0, 0, W - 14, 22), clWindow).Right, W - 13);
}

TEST_F(CheckBox, ADisabledCaptionIsEmbossedAndTheFocusIsFramed)
{
    Box->SetEnabled(false);
    auto S = Shot(Box);
    const TRect Text(19, 0, Box->GetClientWidth(), 22);
    EXPECT_GT(S->CountColor(Text, TColor(0x808080)), 10);
    EXPECT_GT(S->CountColor(Text, clWhite), 10);
    EXPECT_EQ(S->CountColor(Text, ColorToRGB(clWindowText)), 0);

    Box->SetEnabled(true);
    auto Plain = Shot(Box);
    Box->SetFocus();
    ui::Pump();
    ASSERT_TRUE(Box->GetFocusedFlag());
    auto Focused = Shot(Box);
    // The dotted frame starts two pixels left of the caption, at its top.
    EXPECT_FALSE(Plain->HasInk(TRect(17, 4, 18, 18)));
    EXPECT_TRUE(Focused->HasInk(TRect(17, 4, 18, 18)));
}

TEST_F(CheckBox, ATransparentBoxShowsItsParentsImage)
{
    auto* Host = new TGradientHost(Form);
    Host->SetBounds(0, 40, 400, 60);
    Host->SetParent(Form);
    TQorCheckBox* Over = Make(100, 20, L"Gennemsigtig", Host);
    ui::Pump();
    auto Opaque = Screen(Host);
    EXPECT_EQ(Opaque->Pixel(100 + 150, 20 + 20), ColorToRGB(clWindow));
    Over->SetTransparent(true);
    auto S = Screen(Host);
    // Beside the caption the gradient goes on as if the box were not there.
    Over->SetVisible(false);
    auto Bare = Screen(Host);
    Over->SetVisible(true);
    for (int X : {102, 180, 250})
        EXPECT_EQ(S->Pixel(X, 20 + 20), Bare->Pixel(X, 20 + 20)) << X;
    EXPECT_NE(S->Pixel(180, 40), ColorToRGB(clWindow));

    // No parent: nothing to draw, no failure.
    TFreePtr<TQorCheckBox> Alone(Create<TQorCheckBox>(nullptr));
    TDibSurface Empty(20, 20, clWhite);
    DrawParentImage(Alone.get(), Empty.Canvas());
    DrawParentImage(nullptr, Empty.Canvas());
    EXPECT_FALSE(Empty.HasInk(Empty.Bounds()));
}

TEST_F(CheckBox, SnapshotSheetOfTheStates)
{
    auto* Host = new TGradientHost(Form);
    Host->SetBounds(0, 0, 400, 260);
    Host->SetParent(Form);
    Box->SetVisible(false);
    Next->SetVisible(false);
    struct Look {
        const wchar_t* Caption;
        void (*Set)(TQorCheckBox*);
    } Looks[] = {
        {L"Ikke afkrydset", [](TQorCheckBox*) {}},
        {L"Afkrydset", [](TQorCheckBox* B) { B->SetChecked(true); }},
        {L"Grå", [](TQorCheckBox* B) { B->SetState(cbGrayed); }},
        {L"Deaktiveret", [](TQorCheckBox* B) { B->SetChecked(true); B->SetEnabled(false); }},
        {L"Højrestillet", [](TQorCheckBox* B) { B->SetAlignment(lrRight); }},
        {L"Midt i højden", [](TQorCheckBox* B) { B->SetButtonVertAlign(tlCenter); B->SetHeight(30); }},
        {L"Gennemsigtig", [](TQorCheckBox* B) { B->SetTransparent(true); B->SetChecked(true); }},
        {L"En meget lang tekst der skæres af", [](TQorCheckBox* B) { B->SetEllipsis(true); }},
    };
    int Y = 8;
    TQorCheckBox* Focus = nullptr;
    for (const Look& L : Looks) {
        TQorCheckBox* B = Make(20, Y, L.Caption, Host);
        L.Set(B);
        Y += B->GetHeight() + 6;
        if (!Focus) Focus = B;
    }
    Focus->SetFocus();
    auto S = Screen(Host);
    EXPECT_TRUE(S->SavePng(SnapshotPath(L"qorcheckbox_states.png")));
}

}  // namespace
