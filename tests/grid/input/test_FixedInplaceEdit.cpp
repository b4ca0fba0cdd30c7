// The header editor opened by call: refused on a normal cell, placed over the fixed cell with
// its text, the edited text written back when the focus returns to the grid, a value that
// validation refuses kept open and unstored, and the combo kinds with their items.
// test-needs: desktop
#include "tests/grid/QorGridKit.h"

#include "grid/QorGridConsts.h"
#include "grid/input/HeaderEditors.h"
#include "grid/store/QorGridOptions.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

namespace {

struct FixedEdit : ::testing::Test {
    TForm* Form = ui::NewForm(400, 200);
    ui::FormGuard Guard{Form};
    TTestableQorGrid* G = Create<TTestableQorGrid>(Form);

    FixedEdit()
    {
        G->SetParent(Form);
        G->SetBounds(0, 0, 400, 200);
        G->SetColCount(4);
        G->SetRowCount(4);
        G->SetCellEx(2, 0, L"Kontrakt");
        ui::ShowAndActivate(Form);
    }
};

}  // namespace

TEST_F(FixedEdit, NormalCellIsRefused)
{
    try {
        G->ShowFixedInplaceEdit(2, 2);
        FAIL() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, QorGridConsts::SCannotStartFixedEdit);
    }
    EXPECT_FALSE(G->GetEditTrans()->GetVisible());
}

TEST_F(FixedEdit, EditBoxOverTheCellWritesBack)
{
    int Done = 0;
    G->OnEditCellDone = [&](TObject*, int C, int R) {
        EXPECT_EQ(TPoint(C, R), TPoint(2, 0));
        ++Done;
    };
    G->ShowFixedInplaceEdit(2, 0);
    TGridTransEdit* E = G->GetEditTrans();
    ASSERT_TRUE(E->GetVisible());
    const TRect Cell = G->CellRect(2, 0);
    EXPECT_EQ(E->GetBoundsRect(), TRect(Cell.Left + 1, Cell.Top + 3, Cell.Right - 1, Cell.Bottom - 1));
    EXPECT_EQ(E->GetText(), L"Kontrakt");
    EXPECT_EQ(G->GetFixedEditCell(), TPoint(2, 0));
    E->SetText(L"Udspil");
    G->HideFixedInplaceEdit();
    ui::Pump();
    EXPECT_FALSE(E->GetVisible());
    EXPECT_EQ(G->GetCellEx(2, 0), L"Udspil");
    EXPECT_EQ(Done, 1);
}

TEST_F(FixedEdit, RefusedValueStaysOpenAndUnstored)
{
    G->OnCellValidate = [](TObject*, int, int, String& Value, bool& Valid) { Valid = Value != L"x"; };
    G->ShowFixedInplaceEdit(2, 0);
    TGridTransEdit* E = G->GetEditTrans();
    E->SetText(L"x");
    EXPECT_FALSE(E->StopEdit());
    EXPECT_TRUE(E->GetVisible());
    EXPECT_EQ(G->GetCellEx(2, 0), L"Kontrakt");
    // Another header edit does not start while the refused one is open.
    G->ShowFixedInplaceEdit(1, 0);
    EXPECT_EQ(E->GetCol(), 2);
    E->SetText(L"y");
    EXPECT_TRUE(E->StopEdit());
    EXPECT_EQ(G->GetCellEx(2, 0), L"y");
}

TEST_F(FixedEdit, ComboListSelectsTheCellText)
{
    G->GetMouseActions()->SetFixedRowsEditor(fceComboList);
    TFreePtr<TStringList> Values(Create<TStringList>());
    Values->Add(L"Spar");
    Values->Add(L"Kontrakt");
    G->GetMouseActions()->SetFixedComboValues(Values.get());
    struct TCase {
        const wchar_t* Cell;
        int Index;
    } const Cases[] = {{L"Kontrakt", 1}, {L"ukendt", -1}};
    for (const TCase& K : Cases) {
        G->SetCellEx(2, 0, K.Cell);
        G->ShowFixedInplaceEdit(2, 0);
        TGridTransCombo* Cb = G->GetComboTrans();
        ASSERT_TRUE(Cb->GetVisible());
        EXPECT_EQ(Cb->GetItemIndex(), K.Index) << K.Cell;
        EXPECT_EQ(Cb->GetStyle(), csDropDownList);
        Cb->SetItemIndex(0);
        G->HideFixedInplaceEdit();
        ui::Pump();
        EXPECT_FALSE(Cb->GetVisible());
        EXPECT_EQ(G->GetCellEx(2, 0), L"Spar");
    }
}
