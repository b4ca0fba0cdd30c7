// The filter lists close on a click elsewhere (cancel mode) but not over the list itself, nor,
// for the plain list, over the filter button just above it. The lists are placed around the
// pointer wherever it is, so the pointer must stay put meanwhile.
// test-needs: desktop
#include "support/UiHarness.h"

#include "grid/input/FilterLists.h"

#include <gtest/gtest.h>

TEST(FilterListCancel, ClosesOnlyWhenThePointerIsElsewhere)
{
    TForm* Form = ui::NewForm(600, 400);
    ui::FormGuard Guard(Form);
    auto* List = Create<TDropList>(Form);
    auto* Checks = Create<TDropCheckList>(Form);
    POINT Cursor{};
    GetCursorPos(&Cursor);
    TPoint Origin = Form->ClientToScreen(TPoint(0, 0));
    int X = Cursor.x - Origin.X, Y = Cursor.y - Origin.Y;
    for (TCustomListBox* L : {static_cast<TCustomListBox*>(List), static_cast<TCustomListBox*>(Checks)}) {
        SCOPED_TRACE(L == List ? "plain list" : "check list");
        L->SetParent(Form);
        L->SetBounds(X - 20, Y - 20, 100, 100);
        L->Perform(CM_CANCELMODE);
        EXPECT_TRUE(L->GetVisible());
        // The pointer 5 pixels above the list: on the plain list's filter button.
        L->SetBounds(X - 20, Y + 5, 100, 100);
        L->Perform(CM_CANCELMODE);
        EXPECT_EQ(L->GetVisible(), L == List);
        L->SetVisible(true);
        L->SetBounds(X + 50, Y + 50, 100, 100);
        L->Perform(CM_CANCELMODE);
        EXPECT_FALSE(L->GetVisible());
    }
}
