// The filter lists in a real window: the header's filter button drops the list of the column's
// values under it, a click on a value filters by it, a check list takes several values and stays
// open, a second press on the button or Esc closes the list, and OnFilterShow may refuse it.
// test-needs: desktop
#include "tests/grid/QorGridKit.h"

#include "framework/WinScope.h"
#include "grid/QorGridSatellites.h"
#include "grid/sortfilter/QorFilterData.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

namespace {

class FilterListWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(500, 300);
        G = Create<TTestableQorGrid>(Form);
        G->SetParent(Form);
        G->SetBounds(0, 0, 480, 280);
        G->SetColCountEx(3);
        G->SetRowCountEx(6);
        const wchar_t* Texts[] = {L"a", L"b", L"a", L"c", L""};
        for (int r = 1; r <= 5; ++r) G->SetCellEx(1, r, Texts[r - 1]);
        G->SetFilterDropDownAuto(true);
        G->SetFilterDropDownClear(L"");
        G->OnFilterShow = [this](TObject*, int ACol, bool& Allow) {
            Shown.push_back(ACol);
            Allow = this->Allow;
        };
        G->OnFilterClose = [this](TObject*, int ACol) { Closed.push_back(ACol); };
        ui::ShowAndActivate(Form);
    }
    void TearDown() override { Form->Free(); }

    // A click with the pointer there too: an open list closes on a click with the pointer
    // elsewhere.
    static void ClickAt(TWinControl* Control, int X, int Y)
    {
        const TPoint P = Control->ClientToScreen(TPoint(X, Y));
        SetCursorPos(P.X, P.Y);
        ui::Click(Control, X, Y);
    }
    // A click on the filter button of column 1's header.
    void ClickButton()
    {
        const TRect R = G->CellRect(1, 0);
        ClickAt(G, R.Right - 9, R.Top + 5);
    }
    // A click on item i of a list, X pixels from its left.
    static void ClickItem(TCustomListBox* List, int i, int X = 30)
    {
        ClickAt(List, X, i * List->GetItemHeight() + List->GetItemHeight() / 2);
    }
    static String ItemsOf(TCustomListBox* List)
    {
        String S;
        for (int i = 0; i < List->GetItems()->Count(); ++i) S += (i ? L"|" : L"") + List->GetItems()->Get(i);
        return S;
    }
    TFilterData* ItemOf(int Col)
    {
        for (int i = 0; i < G->GetFilter()->Count(); ++i)
            if (G->GetFilter()->GetItems(i)->GetColumn() == Col) return G->GetFilter()->GetItems(i);
        return nullptr;
    }

    TForm* Form = nullptr;
    TTestableQorGrid* G = nullptr;
    bool Allow = true;
    std::vector<int> Shown, Closed;
};

}  // namespace

TEST_F(FilterListWindow, ButtonDropsTheListAndAClickChooses)
{
    TDropList* List = G->GetDropList();
    ClickButton();
    ASSERT_TRUE(List->GetVisible());
    EXPECT_EQ(G->GetFilterColumn(), 1);
    EXPECT_EQ(Shown, std::vector<int>{1});
    // The shown texts: the empty value shows empty.
    EXPECT_EQ(ItemsOf(List), L"|a|b|c");
    const TRect Header = G->CellRect(1, 0);
    EXPECT_EQ(List->GetTop(), Header.Top + 16);

    ClickItem(List, 2);
    EXPECT_FALSE(List->GetVisible());
    ASSERT_NE(ItemOf(1), nullptr);
    EXPECT_EQ(ItemOf(1)->GetCondition(), L"b");
    EXPECT_EQ(ItemOf(1)->GetFriendlyName(), L"b");
    EXPECT_EQ(G->GetFilterColumn(), -1);

    // A second press on the button closes the list it opened.
    ClickButton();
    ASSERT_TRUE(List->GetVisible());
    ClickButton();
    EXPECT_FALSE(List->GetVisible());
    EXPECT_EQ(Closed, std::vector<int>{1});
    EXPECT_EQ(G->GetFilterColumn(), -1);

    // A refused list stays hidden.
    Allow = false;
    ClickButton();
    EXPECT_FALSE(List->GetVisible());
}

TEST_F(FilterListWindow, CheckListTakesSeveralValuesAndEscCloses)
{
    G->SetFilterDropDownCheck(true);
    TDropCheckList* List = G->GetDropCheckList();
    ClickButton();
    ASSERT_TRUE(List->GetVisible());
    ASSERT_EQ(ItemsOf(List), L"|a|b|c");
    // Clicks on the check boxes of a and c.
    ClickItem(List, 1, 6);
    ClickItem(List, 3, 6);
    EXPECT_TRUE(List->GetVisible());
    EXPECT_TRUE(List->GetChecked(1));
    EXPECT_TRUE(List->GetChecked(3));
    ASSERT_NE(ItemOf(1), nullptr);
    EXPECT_EQ(ItemOf(1)->GetFriendlyName(), L"a|c");

    ui::PressKey(VK_ESCAPE, {}, List->GetHandle());
    EXPECT_FALSE(List->GetVisible());
    EXPECT_EQ(Closed, std::vector<int>{1});

    // Opened again, the list shows the column's chosen values checked.
    ClickButton();
    ASSERT_TRUE(List->GetVisible());
    EXPECT_FALSE(List->GetChecked(0));
    EXPECT_TRUE(List->GetChecked(1));
    EXPECT_FALSE(List->GetChecked(2));
    EXPECT_TRUE(List->GetChecked(3));
}
