// The colour picker drop-down through real messages: value texts, selection by index and by
// colour, the list popup's keys, clicks, Esc and type-ahead with its key timer, the palette, cube
// and spectrum styles with their popup sizes and choices, the wheel, the edit area by pixels, and
// snapshots of every popup.
// test-needs: desktop
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "framework/StdCtrls.h"
#include "pickers/QorColorPickerDropDown.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ColorPicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterQorColorPickerDropDownClasses();
        Form = ui::NewForm(420, 320);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Picker = Create<TQorColorPickerDropDown>(Form);
        Picker->SetBounds(20, 20, 200, 22);
        Picker->SetParent(Form);
        Picker->AddDefaultColors();
        Picker->OnSelect = [this](TObject*) { ++Selects; };
        ui::ShowAndActivate(Form);
        Picker->SetFocus();
        ui::Pump();
    }

    bool Open() const { return Picker->GetDropDownForm()->GetVisible(); }
    void OpenPopup()
    {
        ui::PressKey(VK_F4);
        ASSERT_TRUE(Open());
    }
    void TickKeyTimer()
    {
        SendMessageW(Picker->GetKeyTimer()->GetHandle(), WM_TIMER, TTimer::TimerId, 0);
    }
    void Snapshot(const wchar_t* Name)
    {
        auto S = CaptureWindowAsShown(Picker->GetDropDownForm()->GetHandle());
        S->SavePng(SnapshotPath(Name));
    }

    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TQorColorPickerDropDown* Picker = nullptr;
    int Selects = 0;
};

struct ValueTextCase {
    TColor Color;
    TColorValueText Kind;
    const wchar_t* Text;
};

}  // namespace

TEST(ColorValueText, GivesEachFormOfAColourAndNothingForNoColour)
{
    const ValueTextCase Cases[] = {
        {TColor(0x0080FF), cvtHTML, L"#FF8000"},
        {TColor(0x0080FF), cvtRGB, L"Red:255,Green:128,Blue:0"},
        {TColor(0x0080FF), cvtHex, L"0080FF"},
        {TColor(0x0080FF), cvtNone, L""},
        {TColor(0x0000FF), cvtHex, L"0000FF"},
        {TColor(0x0000FF), cvtWebName, L"red"},
        {TColor(0x563412), cvtWebName, L"#123456"},   // no web name: the HTML form
        {clNone, cvtHex, L""},
        {clNone, cvtWebName, L""},
        {clDefault, cvtRGB, L""},
        {clDefault, cvtHTML, L""},
    };
    for (const ValueTextCase& C : Cases)
        EXPECT_EQ(ColorValueTextOf(C.Color, C.Kind), C.Text) << std::hex << C.Color << " " << C.Kind;
    // A system colour gives the components of what it stands for.
    const TColor Window = TColor(ColorToRGB(clWindow) & 0xFFFFFF);
    EXPECT_EQ(ColorValueTextOf(clWindow, cvtHTML), ColorValueTextOf(Window, cvtHTML));
}

TEST_F(ColorPicker, StartsWithItsDefaults)
{
    EXPECT_EQ(Picker->GetColors()->GetCount(), 16);
    EXPECT_EQ(Picker->GetColors()->GetItems(4)->GetCaption(), L"Navy");
    EXPECT_EQ(Picker->GetColors()->GetItems(4)->GetColor(), TColor(0x800000));
    EXPECT_EQ(Picker->GetColorSelectionStyle(), csList);
    EXPECT_EQ(Picker->GetSelectedColor(), clNone);
    EXPECT_EQ(Picker->GetItemIndex(), -1);
    EXPECT_EQ(Picker->GetDropDownHeight(), 200);
    EXPECT_FALSE(Picker->GetEditorEnabled());
    EXPECT_FALSE(Picker->GetDropDownHeader()->GetVisible());
    EXPECT_FALSE(Picker->GetDropDownFooter()->GetVisible());
    EXPECT_EQ(Picker->GetColorBoxWidth(), 14);
    EXPECT_EQ(Picker->GetColorBoxBorderColor(), clBlack);
    EXPECT_EQ(Picker->GetSelectedColorText(), L"");
}

TEST_F(ColorPicker, SelectsByIndexAndByColour)
{
    Picker->SetColorValueText(cvtHTML);
    Picker->SetSelectedColor(TColor(0xFF0000));
    EXPECT_EQ(Picker->GetItemIndex(), 12);
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Picker->GetSelectedColorText(), L"Blue");

    // A colour of no entry clears the index without another OnSelect: no other entry's name.
    Picker->SetSelectedColor(TColor(0x123456));
    EXPECT_EQ(Picker->GetItemIndex(), -1);
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Picker->GetSelectedColorText(), L"#563412");

    // Past the last entry: ignored; negative: no entry; the same index fires again.
    Picker->SetItemIndex(4);
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0x800000));
    EXPECT_EQ(Picker->GetSelectedColorText(), L"Navy");
    Picker->SetItemIndex(1000000);
    EXPECT_EQ(Picker->GetItemIndex(), 4);
    Picker->SetItemIndex(4);
    EXPECT_EQ(Selects, 3);
    Picker->SetItemIndex(-5);
    EXPECT_EQ(Picker->GetItemIndex(), -1);
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0x800000));
    EXPECT_EQ(Picker->GetSelectedColorText(), L"#000080");

    // System colours and stray high bytes are stored as the RGB value they stand for.
    Picker->SetSelectedColor(TColor(0x02FFFF00));
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0xFFFF00));
    EXPECT_EQ(Picker->GetItemIndex(), 14);
    Picker->SetSelectedColor(clWindow);
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(ColorToRGB(clWindow) & 0xFFFFFF));
    Picker->SetSelectedColor(clNone);
    EXPECT_EQ(Picker->GetSelectedColor(), clNone);
    EXPECT_EQ(Picker->GetItemIndex(), -1);
    EXPECT_EQ(Picker->GetSelectedColorText(), L"");

    // Entries of a system colour and of no colour.
    TColorItem* Sys = Picker->GetColors()->Add();
    Sys->SetCaption(L"Knapflade");
    Sys->SetColor(clBtnFace);
    Picker->GetColors()->Add()->SetCaption(L"Ingen");
    const TColor Face = TColor(ColorToRGB(clBtnFace) & 0xFFFFFF);
    Picker->SetSelectedColor(Face);
    EXPECT_EQ(Picker->GetItemIndex(), Face == TColor(0xC0C0C0) ? 8 : 16);
    Picker->SetItemIndex(17);
    EXPECT_EQ(Picker->GetSelectedColor(), clNone);
    EXPECT_EQ(Picker->GetSelectedColorText(), L"Ingen");
    Picker->SetColorSelectionStyle(csColorCube);
    EXPECT_EQ(Picker->GetSelectedColorText(), L"");
    Picker->SetItemIndex(16);
    for (TColorValueText K : {cvtHex, cvtWebName, cvtRGB, cvtHTML}) {
        Picker->SetColorValueText(K);
        EXPECT_FALSE(Picker->GetSelectedColorText().empty()) << K;
    }
}

TEST_F(ColorPicker, BeginAndEndUpdateFillTheListOnce)
{
    Picker->BeginUpdate();
    Picker->BeginUpdate();
    Picker->GetColors()->Add()->SetCaption(L"Orange");
    Picker->EndUpdate();
    EXPECT_EQ(Picker->GetItemSelector()->GetItems()->GetCount(), 0);
    Picker->EndUpdate();
    EXPECT_EQ(Picker->GetItemSelector()->GetItems()->GetCount(), 17);
    Picker->EndUpdate();   // unbalanced: nothing
}

TEST_F(ColorPicker, ListPopupStepsWithKeysEscRestoresEnterKeeps)
{
    Picker->SetItemIndex(2);
    OpenPopup();
    TQorCustomItemSelector* L = Picker->GetItemSelector();
    ASSERT_TRUE(L->GetVisible());
    EXPECT_EQ(L->GetItems()->GetCount(), 16);
    EXPECT_EQ(L->GetItemIndex(), 2);
    EXPECT_TRUE(Picker->GetDropDownForm()->GetSizeable());
    ui::PressKey(VK_DOWN);
    ui::PressKey(VK_DOWN);
    EXPECT_TRUE(Open());
    EXPECT_EQ(Picker->GetItemIndex(), 4);
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0x800000));
    ui::PressKey(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Picker->GetItemIndex(), 2);
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0x008000));

    OpenPopup();
    ui::PressKey(VK_END);
    EXPECT_EQ(Picker->GetItemIndex(), 15);
    ui::PressKey(VK_HOME);
    EXPECT_EQ(Picker->GetItemIndex(), 0);
    ui::PressKey(VK_RIGHT);
    EXPECT_EQ(Picker->GetItemIndex(), 1);
    const int Before = Selects;
    ui::PressKey(VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Picker->GetItemIndex(), 1);
    EXPECT_EQ(Selects, Before + 1);   // Enter without a hot item: one OnSelect

    // Closed: the arrows step through the entries, Home and End go to the ends.
    ui::PressKey(VK_DOWN);
    EXPECT_EQ(Picker->GetItemIndex(), 2);
    ui::PressKey(VK_END);
    EXPECT_EQ(Picker->GetItemIndex(), 15);
    ui::PressKey(VK_DOWN);
    EXPECT_EQ(Picker->GetItemIndex(), 15);
}

TEST_F(ColorPicker, PageDownStopsAtTheLastEntry)
{
    Picker->SetItemIndex(0);
    OpenPopup();
    TQorCustomItemSelector* L = Picker->GetItemSelector();
    const int Visible = L->GetVisibleItemCount();
    ASSERT_GT(Visible, 0);
    ASSERT_LT(Visible, 15);
    ui::PressKey(VK_NEXT);
    EXPECT_EQ(Picker->GetItemIndex(), Visible);
    ui::PressKey(VK_END);
    ui::PressKey(VK_UP);
    ASSERT_EQ(Picker->GetItemIndex(), 14);
    ui::PressKey(VK_NEXT);
    EXPECT_EQ(Picker->GetItemIndex(), 15);
    ui::PressKey(VK_PRIOR);
    EXPECT_EQ(Picker->GetItemIndex(), 15 - Visible);
    EXPECT_TRUE(Open());
}

TEST_F(ColorPicker, AClickOnAnEntryChoosesItAndCloses)
{
    OpenPopup();
    TCustomItemSelector* Panel = Picker->GetItemSelector()->GetSelectorPanel();
    const TRect R = Panel->GetItemRect(3);
    ui::MouseMove(Panel, R.Left + 5, R.Top + 5);
    ui::Click(Panel, R.Left + 5, R.Top + 5);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Picker->GetItemIndex(), 3);
    EXPECT_EQ(Picker->GetSelectedColorText(), L"Olive");
}

TEST_F(ColorPicker, EnterTakesTheHotEntry)
{
    OpenPopup();
    TCustomItemSelector* Panel = Picker->GetItemSelector()->GetSelectorPanel();
    const TRect R = Panel->GetItemRect(5);
    ui::MouseMove(Panel, R.Left + 5, R.Top + 5);
    ASSERT_EQ(Panel->GetItemHot(), 5);
    const int Before = Selects;
    ui::PressKey(VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Picker->GetItemIndex(), 5);
    EXPECT_EQ(Selects, Before + 1);   // the new selection's OnSelect only
}

TEST_F(ColorPicker, TypeAheadReadsTypedCharactersAndClearsOnTheKeyTimer)
{
    Picker->GetColors()->Add()->SetCaption(L"Ærøblå");
    Picker->GetColors()->GetItems(16)->SetColor(TColor(0x996633));
    OpenPopup();
    // Keys that type nothing add nothing (a virtual-key code is never taken for a letter).
    ui::PressKey(VK_SHIFT);
    ui::PressKey(VK_DELETE);
    ui::PressKey(VK_NUMPAD1);
    EXPECT_EQ(Picker->GetCurSearch().find(L'A'), String::npos);
    TickKeyTimer();
    EXPECT_EQ(Picker->GetCurSearch(), L"");
    EXPECT_FALSE(Picker->GetKeyTimer()->GetEnabled());

    ui::TypeChar(L'p');
    EXPECT_EQ(Picker->GetCurSearch(), L"P");
    EXPECT_EQ(Picker->GetItemIndex(), 5);   // Purple
    EXPECT_TRUE(Open());
    EXPECT_TRUE(Picker->GetKeyTimer()->GetEnabled());
    TickKeyTimer();
    EXPECT_EQ(Picker->GetCurSearch(), L"");
    ui::TypeChar(L'æ');
    EXPECT_EQ(Picker->GetCurSearch(), L"Æ");
    EXPECT_EQ(Picker->GetItemIndex(), 16);
    ui::TypeChar(L'r');
    EXPECT_EQ(Picker->GetItemIndex(), 16);
    TickKeyTimer();
    ui::TypeChar(L'w');
    EXPECT_EQ(Picker->GetItemIndex(), 15);   // White
}

TEST_F(ColorPicker, KeysWheelAndTypeAheadOnAnEmptyListDoNothing)
{
    Picker->GetColors()->Clear();
    OpenPopup();
    for (Word K : {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR, VK_HOME, VK_END, VK_LEFT, VK_RIGHT}) ui::PressKey(K);
    ui::TypeChar(L'x');
    ui::Wheel(Picker->GetDropDownForm(), -120, 5, 5);
    EXPECT_EQ(Picker->GetItemIndex(), -1);
    ui::PressKey(VK_ESCAPE);
    EXPECT_FALSE(Open());
    ui::PressKey(VK_END);
    ui::PressKey(VK_DOWN);
    ui::TypeChar(L'b');
    EXPECT_EQ(Picker->GetItemIndex(), -1);
    EXPECT_EQ(Selects, 0);
}

TEST_F(ColorPicker, TheWheelStepsAClosedListAndMovesTheHotEntryOfAnOpenOne)
{
    ui::Wheel(Picker, -120, 10, 10);
    EXPECT_EQ(Picker->GetItemIndex(), 0);
    ui::Wheel(Picker, -120, 10, 10);
    EXPECT_EQ(Picker->GetItemIndex(), 1);
    ui::Wheel(Picker, 120, 10, 10);
    EXPECT_EQ(Picker->GetItemIndex(), 0);
    OpenPopup();
    ui::Wheel(Picker->GetDropDownForm(), -120, 5, 5);
    EXPECT_EQ(Picker->GetItemSelector()->GetItemHot(), 0);
    ui::Wheel(Picker->GetDropDownForm(), -120, 5, 5);
    EXPECT_EQ(Picker->GetItemSelector()->GetItemHot(), 1);
    EXPECT_EQ(Picker->GetItemIndex(), 0);
    EXPECT_TRUE(Open());
}

TEST_F(ColorPicker, EachStyleOpensItsControlAtItsOwnSize)
{
    struct StyleCase {
        TColorSelectionStyle Style;
        int W, H;   // the control's size; 0: the palette's own
    };
    const StyleCase Cases[] = {{csColorCube, 182, 160}, {csSpectrum, 150, 174}, {csDiscrete, 0, 0}};
    const int B = Picker->GetDropDownBorderWidth();
    for (const StyleCase& C : Cases) {
        Picker->SetColorSelectionStyle(C.Style);
        OpenPopup();
        TDropDownForm* F = Picker->GetDropDownForm();
        TControl* Shown = Picker->GetControl();
        ASSERT_NE(Shown, nullptr);
        EXPECT_TRUE(Shown->GetVisible());
        EXPECT_FALSE(Picker->GetItemSelector()->GetVisible());
        EXPECT_FALSE(F->GetSizeable());
        if (C.W) {
            EXPECT_EQ(Shown->GetWidth(), C.W);
            EXPECT_EQ(Shown->GetHeight(), C.H);
        }
        EXPECT_EQ(F->GetWidth(), Shown->GetWidth() + 2 * B) << C.Style;
        EXPECT_EQ(F->GetHeight(), Shown->GetHeight() + 2 * B) << C.Style;
        ui::PressKey(VK_ESCAPE);
        EXPECT_FALSE(Open());
    }
    // Back to the list: sizeable, the list's width and the height asked for.
    Picker->SetColorSelectionStyle(csList);
    OpenPopup();
    EXPECT_TRUE(Picker->GetDropDownForm()->GetSizeable());
    EXPECT_EQ(Picker->GetDropDownForm()->GetHeight(), 200);
    EXPECT_EQ(Picker->GetDropDownForm()->GetWidth(),
              Picker->GetItemSelector()->GetItemPanelSize().cx + GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(ColorPicker, ACubeClickChoosesAColourOfNoEntryAndEscKeepsTheColourFromBefore)
{
    Picker->SetColorValueText(cvtRGB);
    Picker->SetColorSelectionStyle(csColorCube);
    OpenPopup();
    TQorColorCubePanel* Cube = Picker->GetColorCubePanel();
    ui::MouseMove(Cube, 55, 20);
    ui::Click(Cube, 55, 20);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0x663300));
    EXPECT_EQ(Picker->GetItemIndex(), -1);
    EXPECT_EQ(Picker->GetSelectedColorText(), L"Red:0,Green:51,Blue:102");

    // The list opens on a cube colour, steps, and Esc brings the cube colour back.
    Picker->SetColorSelectionStyle(csList);
    OpenPopup();
    ui::PressKey(VK_DOWN);
    EXPECT_EQ(Picker->GetItemIndex(), 0);
    EXPECT_EQ(Picker->GetSelectedColor(), clBlack);
    ui::PressKey(VK_ESCAPE);
    EXPECT_EQ(Picker->GetItemIndex(), -1);
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0x663300));
}

TEST_F(ColorPicker, ASpectrumPressBeforeAnyMoveTakesTheColourUnderIt)
{
    Picker->SetColorSelectionStyle(csSpectrum);
    OpenPopup();
    TQorColorSpectrumPanel* S = Picker->GetSpectrumPanel();
    TImage* Img = S->GetSpectrumImage();
    const TColor Expected = S->SpectrumColorAt(40, 60);
    ASSERT_NE(Expected, clNone);
    ui::Click(Img, 40, 60);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Picker->GetSelectedColor(), Expected);
    EXPECT_EQ(Picker->GetItemIndex(), -1);
}

TEST_F(ColorPicker, ThePaletteTakesKeysAndEscRestoresAColourItHasNoBoxFor)
{
    Picker->SetSelectedColor(TColor(0x123456));
    Picker->SetColorSelectionStyle(csDiscrete);
    OpenPopup();
    TCustomColorSelector* P = Picker->GetColorSelector();
    EXPECT_EQ(P->GetItemIndex(), -1);
    ui::PressKey(VK_RIGHT);
    ui::PressKey(VK_RIGHT);
    EXPECT_TRUE(Open());
    EXPECT_GE(P->GetItemIndex(), 0);
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(ColorToRGB(P->GetSelectedColor()) & 0xFFFFFF));
    ui::PressKey(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(0x123456));
    EXPECT_EQ(Picker->GetItemIndex(), -1);

    // A click on a box chooses it and closes.
    OpenPopup();
    const TRect R = P->GetItemRect(3);
    ui::MouseMove(P, R.Left + 2, R.Top + 2);
    ui::Click(P, R.Left + 2, R.Top + 2);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Picker->GetSelectedColor(), TColor(ColorToRGB(P->GetItems()->GetItem(3)->GetColor()) & 0xFFFFFF));
}

TEST_F(ColorPicker, TheEditShowsTheBoxAndTheTextOrNothingWithoutAColour)
{
    auto* Edit = Create<TEdit>(Form);
    Edit->SetBounds(20, 200, 100, 22);
    Edit->SetParent(Form);
    Edit->SetFocus();   // no focus highlight in the picker
    ui::Pump();
    auto Shot = [&] { return CaptureWindowAsShown(Picker->GetHandle()); };
    auto Empty = Shot();
    const TRect Box(6, 6, 16, 14);   // inside the colour box
    Picker->SetSelectedColor(TColor(0x0000FF));
    ui::Pump();
    auto Red = Shot();
    EXPECT_GT(Red->CountColor(Box, TColor(0x0000FF)), 40);
    EXPECT_EQ(Empty->CountColor(Box, TColor(0x0000FF)), 0);
    const TRect TextArea(24, 3, 150, 19);
    EXPECT_TRUE(Red->InkCount(TextArea, Red->Pixel(170, 10)) > 0);   // "Red"
    EXPECT_EQ(Empty->InkCount(TextArea, Empty->Pixel(170, 10)), 0);
    Red->SavePng(SnapshotPath(L"ColorPickerEditRed.png"));

    // Without text, and with each value text.
    Picker->SetShowText(false);
    ui::Pump();
    auto NoText = Shot();
    EXPECT_EQ(NoText->InkCount(TextArea, NoText->Pixel(170, 10)), 0);
    Picker->SetShowText(true);
    Picker->SetSelectedColor(TColor(0x0080FF));
    const TColorValueText Kinds[] = {cvtHex, cvtWebName, cvtRGB, cvtHTML};
    const wchar_t* Names[] = {L"ColorPickerEditHex.png", L"ColorPickerEditWebName.png",
                              L"ColorPickerEditRGB.png", L"ColorPickerEditHTML.png"};
    for (int I = 0; I < 4; ++I) {
        Picker->SetColorValueText(Kinds[I]);
        ui::Pump();
        auto S = Shot();
        EXPECT_GT(S->InkCount(TextArea, S->Pixel(170, 10)), 0) << I;
        S->SavePng(SnapshotPath(Names[I]));
    }
    // Hostile markup in a caption is drawn without harm.
    Picker->GetColors()->Add()->SetCaption(L"<b><i><font color=\"#zz\" size=\"99999\">x</font></b><img src=\"\">");
    Picker->GetColors()->GetItems(16)->SetColor(TColor(0x010203));
    Picker->SetSelectedColor(TColor(0x010203));
    ui::Pump();
    Shot()->SavePng(SnapshotPath(L"ColorPickerEditMarkup.png"));
}

TEST_F(ColorPicker, SnapshotsOfEveryStyleOpen)
{
    Picker->SetSelectedColor(TColor(0x008000));
    OpenPopup();
    TCustomItemSelector* Panel = Picker->GetItemSelector()->GetSelectorPanel();
    ui::MouseMove(Panel, Panel->GetItemRect(5).Left + 4, Panel->GetItemRect(5).Top + 4);
    Snapshot(L"ColorPickerList.png");
    ui::PressKey(VK_ESCAPE);

    Picker->SetColorSelectionStyle(csDiscrete);
    Picker->SetSelectedColor(TColor(0xFFFFFF));
    OpenPopup();
    TCustomColorSelector* P = Picker->GetColorSelector();
    ui::MouseMove(P, P->GetItemRect(12).Left + 3, P->GetItemRect(12).Top + 3);
    EXPECT_EQ(P->GetItemHot(), 12);
    Snapshot(L"ColorPickerPalette.png");
    ui::PressKey(VK_ESCAPE);

    Picker->SetColorSelectionStyle(csColorCube);
    OpenPopup();
    ui::MouseMove(Picker->GetColorCubePanel(), 91, 40);
    Snapshot(L"ColorPickerCube.png");
    ui::PressKey(VK_ESCAPE);

    Picker->SetColorSelectionStyle(csSpectrum);
    OpenPopup();
    ui::MouseMove(Picker->GetSpectrumPanel()->GetSpectrumImage(), 70, 30);
    Snapshot(L"ColorPickerSpectrum.png");
    ui::PressKey(VK_ESCAPE);
    EXPECT_FALSE(Open());
}
