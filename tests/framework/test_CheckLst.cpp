// test-needs: desktop
// The check list box: marks that stay with their items as items come and go, the user's clicks
// and Space, grayed and disabled items, and marks kept when the window is made again.
#include "framework/CheckLst.h"
#include "test_ControlsKit.h"

namespace {

class CheckListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(300, 200);
        Guard = std::make_unique<ui::FormGuard>(Form);
        List = AddControl<TCheckListBox>(Form, 10, 10, 200, 150);
        for (const wchar_t* S : {L"Nord", L"Øst", L"Syd", L"Vest"}) List->GetItems()->Add(S);
        List->OnClickCheck = [this](TObject*) { ++Clicks; };
        ui::ShowAndActivate(Form);
    }
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TCheckListBox* List = nullptr;
    int Clicks = 0;
};

TEST_F(CheckListTest, MarksFollowTheirItems)
{
    List->SetChecked(1, true);
    List->SetChecked(3, true);
    List->GetItems()->Insert(0, L"Først");
    EXPECT_FALSE(List->GetChecked(0));
    EXPECT_TRUE(List->GetChecked(2));    // "Øst"
    List->GetItems()->Delete(1);         // "Nord"
    EXPECT_TRUE(List->GetChecked(1));
    EXPECT_TRUE(List->GetChecked(3));
    EXPECT_FALSE(List->GetChecked(2));
    EXPECT_THROW(List->GetChecked(4), EListError);

    List->RecreateWnd();
    ui::Pump();
    ASSERT_EQ(List->Count(), 4);
    EXPECT_TRUE(List->GetChecked(1));
    EXPECT_TRUE(List->GetChecked(3));

    List->GetItems()->Clear();
    List->GetItems()->Add(L"Ny");
    EXPECT_FALSE(List->GetChecked(0));
    EXPECT_EQ(Clicks, 0);   // marks set from code are not the user's clicks
}

TEST_F(CheckListTest, UserTogglesByClickAndSpace)
{
    TRect R = List->ItemRect(2);
    ui::MouseDown(List, mbLeft, R.Left + 5, R.Top + 3);
    ui::MouseUp(List, mbLeft, R.Left + 5, R.Top + 3);
    EXPECT_TRUE(List->GetChecked(2));
    EXPECT_EQ(Clicks, 1);
    // A click on the text selects without toggling.
    ui::MouseDown(List, mbLeft, R.Left + 80, R.Top + 3);
    ui::MouseUp(List, mbLeft, R.Left + 80, R.Top + 3);
    EXPECT_TRUE(List->GetChecked(2));
    EXPECT_EQ(Clicks, 1);

    List->SetFocus();
    List->SetItemIndex(0);
    ui::TypeChar(L' ', List->GetHandle());
    EXPECT_TRUE(List->GetChecked(0));
    List->SetAllowGrayed(true);
    ui::TypeChar(L' ', List->GetHandle());
    EXPECT_EQ(List->GetState(0), cbUnchecked);
    ui::TypeChar(L' ', List->GetHandle());
    EXPECT_EQ(List->GetState(0), cbGrayed);

    List->SetItemEnabled(0, false);
    ui::TypeChar(L' ', List->GetHandle());
    EXPECT_EQ(List->GetState(0), cbGrayed);
    List->CheckAll(cbChecked, false, true);
    EXPECT_EQ(List->GetState(0), cbGrayed);   // grayed left alone when asked
    EXPECT_TRUE(List->GetChecked(3));
}

}  // namespace
