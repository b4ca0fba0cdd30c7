// test-needs: desktop
// The control drop-down: a control named in a stored form description is placed on the popup
// when loading ends; replacing the control hides the old one and shows the new one at the next
// opening, whose keys reach the edit.
#include "pickers/QorControlDropDown.h"

#include "framework/Streaming.h"
#include "support/UiHarness.h"

#include "DropDownKit.h"

#include <gtest/gtest.h>

TEST(ControlDropDown, TheControlOfADescriptionIsOnThePopupAndCanBeReplaced)
{
    RegisterQorControlDropDownClasses();
    RegisterClasses<TListBox>();
    TForm* Form = ui::NewForm(420, 320);
    ui::FormGuard Guard(Form);
    ReadComponentText(L"object F: TForm\r\n"
                      L"  object Liste: TListBox\r\n    Left = 200\r\n    Top = 100\r\n    Width = 150\r\n"
                      L"    Height = 90\r\n  end\r\n"
                      L"  object Vaelg: TQorControlDropDown\r\n    Left = 20\r\n    Top = 20\r\n    Width = 150\r\n"
                      L"    Height = 21\r\n    Control = Liste\r\n    ReturnIsTab = True\r\n  end\r\nend\r\n",
                      Form);
    auto* List = dynamic_cast<TListBox*>(Form->FindComponent(L"Liste"));
    auto* Drop = dynamic_cast<TQorControlDropDown*>(Form->FindComponent(L"Vaelg"));
    ASSERT_TRUE(List && Drop);
    EXPECT_EQ(Drop->GetControl(), List);
    EXPECT_TRUE(Drop->GetReturnIsTab());
    // Placed before the first opening.
    EXPECT_EQ(List->GetParent(), Drop->GetDropDownForm());
    EXPECT_EQ(List->GetAlign(), alClient);
    List->GetItems()->Add(L"Nord");
    List->GetItems()->Add(L"Syd");

    ui::ShowAndActivate(Form);
    Drop->SetFocus();
    ui::Pump();
    ui::PressKey(VK_F4, {}, dropdownkit::FocusWindow(Drop));
    ASSERT_TRUE(Drop->GetDropDownForm()->GetVisible());
    EXPECT_TRUE(List->GetVisible());
    EXPECT_EQ(dropdownkit::FocusWindow(Drop), List->GetHandle());
    EXPECT_EQ(Drop->GetDropDownForm()->GetWidth(), 150);
    ui::PressKey(VK_ESCAPE, {}, dropdownkit::FocusWindow(Drop));
    EXPECT_FALSE(Drop->GetDropDownForm()->GetVisible());

    auto* Other = Create<TListBox>(Form);
    Other->SetBounds(0, 0, 180, 60);
    Other->SetParent(Form);
    Drop->SetControl(Other);
    EXPECT_FALSE(List->GetVisible());
    EXPECT_FALSE(Other->GetVisible());
    ui::PressKey(VK_F4, {}, dropdownkit::FocusWindow(Drop));
    ASSERT_TRUE(Drop->GetDropDownForm()->GetVisible());
    EXPECT_TRUE(Other->GetVisible());
    EXPECT_FALSE(List->GetVisible());
    // Return acts as Tab here (ReturnIsTab); F4 closes keeping the value.
    ui::PressKey(VK_F4, {}, dropdownkit::FocusWindow(Drop));
    EXPECT_FALSE(Drop->GetDropDownForm()->GetVisible());
}
