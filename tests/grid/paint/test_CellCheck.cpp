// Check boxes, radio groups and radio buttons: adding, state getters and setters, the toggles with
// their events, editability, group propagation and undo (the real old and new check texts), the
// row box that follows the row selection only, and the exclusion walks of radio buttons.
#include "tests/grid/QorGridKit.h"

#include "grid/paint/CellGraphic.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

class CellCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableQorGrid>(nullptr);
        G->SetColCount(5);
        G->SetRowCount(8);
        G->OnCheckBoxChange = [this](TObject*, int c, int r, bool S) { Changes.emplace_back(c, r, S); };
    }
    void TearDown() override
    {
        G->Free();
        if (U) U->Free();
        EXPECT_EQ(TBaseCellGraphic::LiveCount(), LiveAtStart);
    }
    void LinkUndo()
    {
        U = Create<TQorGridUndoRedo>(nullptr);
        G->SetUndoRedo(U);
    }

    const int LiveAtStart = TBaseCellGraphic::LiveCount();
    TTestableQorGrid* G = nullptr;
    TQorGridUndoRedo* U = nullptr;
    std::vector<std::tuple<int, int, bool>> Changes;
};

}  // namespace

TEST_F(CellCheck, DataBoxesWriteTheirTextOnlyWhenItIsNoCheckText)
{
    G->SetCellEx(1, 1, G->GetCheckTrueText());
    G->AddCheckBox(1, 1, false, true);
    EXPECT_TRUE(G->IsChecked(1, 1));   // the text wins over State
    G->SetCellEx(1, 2, L"other");
    G->AddCheckBox(1, 2, true, true);
    EXPECT_EQ(G->GetCellEx(1, 2), G->GetCheckTrueText());
    G->AddCheckBox(1, 3, false, true);
    EXPECT_EQ(G->GetCellEx(1, 3), G->GetCheckFalseText());
    const TCellGraphic* R = G->GetCellGraphic(1, 3);
    EXPECT_EQ(R->FCellHAlign, haBeforeText);
    EXPECT_TRUE(R->FCellTransparent);
    EXPECT_TRUE(G->IsDataCheckCol(1));
    EXPECT_FALSE(G->IsDataCheckCol(2));
}

TEST_F(CellCheck, TriStateCyclesAndReportsCheckedOnlyOnLanding)
{
    struct Case { TToggleTriStateCheck Mode; std::vector<TCheckBoxState> Seq; };
    const Case Cases[] = {{tsAllStates, {cbGrayed, cbChecked, cbUnchecked, cbGrayed}},
                          {tsCheckUnCheck, {cbChecked, cbUnchecked, cbChecked}}};
    for (const Case& C : Cases) {
        G->GetNavigation()->SetToggleTriStateCheck(C.Mode);
        G->AddCheckBox(2, 2, cbUnchecked);
        for (TCheckBoxState Want : C.Seq) {
            Changes.clear();
            EXPECT_TRUE(G->ToggleCheck(2, 2, false));
            TCheckBoxState S = cbUnchecked;
            ASSERT_TRUE(G->GetCheckBoxState(2, 2, S));
            EXPECT_EQ(S, Want);
            ASSERT_EQ(Changes.size(), 1u);
            EXPECT_EQ(std::get<2>(Changes[0]), Want == cbChecked);
        }
    }
    G->SetCheckBoxState(2, 2, cbGrayed);
    G->ToggleCheck(2, 2, false);
    EXPECT_TRUE(G->IsChecked(2, 2));
    EXPECT_FALSE(G->SetCheckBoxState(2, 3, cbChecked));   // no tri-state box there
}

TEST_F(CellCheck, CanToggleEventComesFirstAndMayRefuse)
{
    std::vector<std::pair<int, bool>> Asked;
    bool Allow = true;
    G->OnCheckBoxCanToggle = [&](TObject*, int, int r, bool State, bool& A) {
        Asked.emplace_back(r, State);
        A = Allow;
    };
    G->AddButton(1, 1, 10, 10, L"b", haLeft, vaTop);
    EXPECT_FALSE(G->ToggleCheck(1, 1, false));   // asked, then refused by kind
    G->AddCheckBox(1, 2, true, false);
    Allow = false;
    EXPECT_FALSE(G->ToggleCheck(1, 2, false));
    EXPECT_TRUE(G->IsChecked(1, 2));
    EXPECT_EQ(Asked, (std::vector<std::pair<int, bool>>{{1, false}, {2, true}}));
    EXPECT_TRUE(Changes.empty());
    EXPECT_FALSE(G->GetModified());
}

TEST_F(CellCheck, FromEditNeedsAnEditableCellUnlessAlwaysActive)
{
    G->AddCheckBox(1, 1, false, false);
    EXPECT_FALSE(G->ToggleCheck(1, 1, true));   // the grid does not edit
    EXPECT_TRUE(G->ToggleCheckBox(1, 1));
    G->GetControlLook()->SetCheckAlwaysActive(true);
    EXPECT_TRUE(G->ToggleCheck(1, 1, true));
    EXPECT_FALSE(G->IsChecked(1, 1));
    EXPECT_TRUE(G->GetModified());
}

TEST_F(CellCheck, RowBoxTogglesTheRowSelectionOnly)
{
    G->SetCellEx(0, 3, L"row three");
    G->GetMouseActions()->SetHotmailRowSelect(true);
    EXPECT_TRUE(G->ToggleCheck(0, 3, false));
    EXPECT_TRUE(G->GetRowSelect(3));
    EXPECT_EQ(G->GetCellEx(0, 3), L"row three");
    EXPECT_TRUE(G->IsChecked(0, 3));
    EXPECT_TRUE(G->SetCheckBoxState(0, 3, false));
    EXPECT_FALSE(G->GetRowSelect(3));
    // The column operations leave column 0 alone under the row box.
    G->AddCheckBoxColumn(0, true, false);
    EXPECT_EQ(G->GetGraphicObjectEx(0, 2), nullptr);
}

TEST_F(CellCheck, UndoRestoresTheRealOldStateOfEveryBoxKind)
{
    LinkUndo();
    G->AddCheckBox(1, 1, false, true);    // data box: FCellBoolean stays false
    G->AddCheckBox(2, 1, cbUnchecked);    // tri-state: FCellBoolean is always false
    G->AddCheckBox(3, 1, false, false);
    for (int c : {1, 2, 3}) G->ToggleCheck(c, 1, false);   // the tri-state box goes grayed
    G->ToggleCheck(2, 1, false);   // grayed -> checked
    G->ToggleCheck(2, 1, false);   // checked -> unchecked
    EXPECT_TRUE(G->IsChecked(1, 1));
    EXPECT_EQ(U->GetItems()->Count(), 5);
    const auto* Last = U->GetItems()->Items(4);
    EXPECT_EQ(Last->GetOrigValue(), G->GetCheckTrueText());
    EXPECT_EQ(Last->GetValue(), G->GetCheckFalseText());
    U->Undo();
    EXPECT_TRUE(G->IsChecked(2, 1));
    U->Undo();
    EXPECT_FALSE(G->IsChecked(2, 1));
    for (int i = 0; i < 3; ++i) U->Undo();
    for (int c : {1, 2, 3}) EXPECT_FALSE(G->IsChecked(c, 1)) << c;
    EXPECT_EQ(G->GetCellEx(1, 1), G->GetCheckFalseText());
    U->Redo();
    EXPECT_TRUE(G->IsChecked(1, 1));
}

TEST_F(CellCheck, StateIntFiresOnlyOnAChange)
{
    G->AddCheckBoxColumn(2, false, false);
    G->SetCheckBoxState(2, 3, true);
    G->CheckAll(2);
    std::vector<int> Rows;
    for (auto& [c, r, s] : Changes) Rows.push_back(r);
    EXPECT_EQ(Rows, (std::vector<int>{1, 2, 4, 5, 6, 7}));
    Changes.clear();
    G->CheckAll(2);
    EXPECT_TRUE(Changes.empty());
    G->UnCheckAll(2);
    EXPECT_EQ(Changes.size(), 7u);
    // A data box rewrites its text but reports only a change of state.
    G->AddCheckBox(3, 1, true, true);
    Changes.clear();
    EXPECT_TRUE(G->SetCheckBoxStateInt(3, 1, true));
    EXPECT_TRUE(Changes.empty());
    EXPECT_FALSE(G->SetCheckBoxStateInt(4, 1, true));   // no box
    G->RemoveCheckBoxColumn(2);
    EXPECT_FALSE(G->HasCheckBox(2, 3));
}

TEST_F(CellCheck, ColumnOperationsSkipSummariesAndGiveNodesTriStateBoxes)
{
    G->CreateCellGraphic(0, 2)->FCellType = ctSummary;
    TCellGraphic* N = G->CreateCellGraphic(0, 4);
    N->FCellType = ctNode;
    N->FCellIndex = 3;
    TGridTestAccess::SetNumNodes(*G, 1);
    G->AddCheckBoxColumn(1, true, false);
    EXPECT_FALSE(G->HasCheckBox(1, 2));
    EXPECT_EQ(G->GetCellType(1, 4), ctTriStateCheckBox);
    EXPECT_EQ(G->GetCellType(1, 5), ctCheckBox);
    G->GetMouseActions()->SetCheckAllCheck(true);
    G->AddTriStateCheckBoxColumn(3, cbGrayed);
    EXPECT_EQ(G->GetCellType(3, 0), ctTriStateCheckBox);   // the header row too
}

TEST_F(CellCheck, AutoCheckGroupPropagatesFromNodesAndToParents)
{
    // A node at row 1 spanning rows 1..4.
    TCellGraphic* N = G->CreateCellGraphic(0, 1);
    N->FCellType = ctNode;
    N->FCellIndex = 4;
    TGridTestAccess::SetNumNodes(*G, 1);
    TGridTestAccess::SetGroupColumn(*G, 2);
    G->GetGrouping()->SetAutoCheckGroup(true);
    G->AddCheckBoxColumn(1, false, false);
    ASSERT_EQ(G->GetCellType(1, 1), ctTriStateCheckBox);

    G->ToggleCheck(1, 1, false);
    for (int r = 2; r <= 4; ++r) EXPECT_TRUE(G->IsChecked(1, r)) << r;
    EXPECT_FALSE(G->IsChecked(1, 5));
    Changes.clear();
    G->ToggleCheck(1, 3, false);
    TCheckBoxState S = cbUnchecked;
    G->GetCheckBoxState(1, 1, S);
    EXPECT_EQ(S, cbGrayed);
    ASSERT_EQ(Changes.size(), 1u);
    EXPECT_EQ(Changes[0], std::make_tuple(1, 3, false));   // the child's own new state
    G->ToggleCheck(1, 3, false);
    G->GetCheckBoxState(1, 1, S);
    EXPECT_EQ(S, cbChecked);
}

TEST_F(CellCheck, RadioGroupsStepThroughTheirCaptions)
{
    auto* L = G->CreateRadio(1, 1, 0, 2);
    L->Add(L"a");
    L->Add(L"b");
    L->Add(L"c");
    G->ToggleRadio(1, 1, false);
    int Idx = -9;
    EXPECT_TRUE(G->GetRadioIdx(1, 1, Idx));
    EXPECT_EQ(Idx, 0);
    EXPECT_EQ(G->GetCellEx(1, 1), L"a");
    G->SetRadioIdx(1, 1, -1);
    EXPECT_TRUE(G->GetCellEx(1, 1).empty());
    G->SetCellEx(1, 1, L"b");
    G->ToggleRadio(1, 1, false);
    G->GetRadioIdx(1, 1, Idx);
    EXPECT_EQ(Idx, 2);
    // No captions: nothing happens.
    G->CreateRadio(1, 2, 0, 0);
    G->SetCellEx(1, 2, L"kept");
    EXPECT_FALSE(G->ToggleRadio(1, 2, false));
    EXPECT_EQ(G->GetCellEx(1, 2), L"kept");
    EXPECT_TRUE(G->IsRadio(1, 2));
    EXPECT_TRUE(G->HasStaticEdit(1, 2));
}

TEST_F(CellCheck, RadioButtonsExcludeAlongTheirLineUpToAGap)
{
    for (int r : {1, 2, 4}) G->AddRadioButton(1, r, false);
    G->ToggleRadioButton(1, 1, false);
    G->ToggleRadioButton(1, 4, false);
    EXPECT_TRUE(G->IsRadioButtonChecked(1, 1));   // row 3 separates them
    EXPECT_TRUE(G->ToggleRadioButton(1, 2, false));
    EXPECT_FALSE(G->IsRadioButtonChecked(1, 1));
    EXPECT_TRUE(G->IsRadioButtonChecked(1, 4));
    EXPECT_TRUE(G->GetModified());

    G->AddRadioButtonGroupColumn(3);
    EXPECT_TRUE(G->HasRadioButtonGroup(3, 5, rgRow));
    for (int c : {2, 4}) G->AddRadioButtonGroup(c, 5, rgRow, true);
    G->ToggleRadioButton(3, 5, false);
    EXPECT_FALSE(G->IsRadioButtonChecked(2, 5));
    EXPECT_FALSE(G->IsRadioButtonChecked(4, 5));

    G->AddRadioButtonColumn(0);
    G->SetRadioButtonColumnIndex(0, 6);
    EXPECT_EQ(G->GetRadioButtonColumnIndex(0), 6);
    G->RemoveRadioButtonColumn(0);
    EXPECT_EQ(G->GetRadioButtonColumnIndex(0), -1);
}

TEST_F(CellCheck, StaticEditAndDataCells)
{
    G->AddButton(1, 1, 10, 10, L"b", haLeft, vaTop);
    EXPECT_TRUE(G->HasStaticEdit(1, 1));
    G->GetNavigation()->SetAllowEditButtonCells(true);
    EXPECT_FALSE(G->HasStaticEdit(1, 1));
    EXPECT_FALSE(G->HasStaticEdit(-1, 1));
    G->AddCheckBox(2, 2, true, true);
    EXPECT_TRUE(G->HasDataCell(2, 2));
    EXPECT_TRUE(G->HasDataCheckBox(2, 2));
    EXPECT_FALSE(G->HasDataCell(1, 1));
}

TEST_F(CellCheck, StateByRealRowReachesHiddenRows)
{
    // Row 3 holds a plain, a data and a tri-state box; row 5 a plain box below the hidden row.
    G->AddCheckBox(1, 3, false, false);
    G->AddCheckBox(2, 3, false, true);
    G->AddCheckBox(3, 3, cbGrayed);
    G->AddCheckBox(1, 5, false, false);
    G->HideRow(3);
    ASSERT_TRUE(G->IsHiddenRow(3));

    TCheckBoxState S = cbUnchecked;
    EXPECT_TRUE(G->GetCheckBoxState(3, 3, S));
    EXPECT_EQ(S, cbGrayed);
    EXPECT_TRUE(G->SetCheckBoxState(1, 3, true));
    EXPECT_TRUE(G->SetCheckBoxState(2, 3, true));
    EXPECT_TRUE(G->SetCheckBoxState(3, 3, cbChecked));
    EXPECT_TRUE(G->IsChecked(1, 3));
    EXPECT_TRUE(G->IsChecked(2, 3));
    EXPECT_EQ(G->GetGridCellsEx(2, 3), G->GetCheckTrueText());
    EXPECT_FALSE(G->SetCheckBoxState(4, 3, true));   // no box in that hidden cell
    // The shown row now at display row 3 (real row 4) kept nothing of it.
    EXPECT_EQ(G->GetCellGraphic(1, 3), nullptr);
    EXPECT_TRUE(G->GetCellEx(2, 3).empty());
    // Real row 5 is display row 4 while row 3 is hidden.
    EXPECT_TRUE(G->SetCheckBoxState(1, 5, true));
    EXPECT_TRUE(G->GetCellGraphic(1, 4)->FCellBoolean);
    EXPECT_TRUE(Changes.empty());   // the setters fire no event

    G->UnHideRow(3);
    EXPECT_TRUE(G->GetCellGraphic(1, 3)->FCellBoolean);
    EXPECT_EQ(G->GetCellEx(2, 3), G->GetCheckTrueText());
    EXPECT_EQ(G->GetCellGraphic(3, 3)->FCellCheckBoxState, cbChecked);
    EXPECT_TRUE(G->IsChecked(1, 5));
}

TEST_F(CellCheck, WalksAlongARowCountHiddenColumns)
{
    // A row group over columns 1..4 with column 2 hidden: the walk passes through it.
    for (int c = 1; c <= 4; ++c) G->AddRadioButtonGroup(c, 2, rgRow, false);
    G->ToggleRadioButton(1, 2, false);
    G->HideColumn(2);
    G->ToggleRadioButton(4, 2, false);
    EXPECT_FALSE(G->IsRadioButtonChecked(1, 2));
    EXPECT_TRUE(G->IsRadioButtonChecked(4, 2));
    G->ToggleRadioButton(2, 2, false);   // the hidden column's button, by its real column
    EXPECT_FALSE(G->IsRadioButtonChecked(4, 2));
    EXPECT_TRUE(G->IsRadioButtonChecked(2, 2));

    // A box right of the hidden column toggles by its real column.
    G->AddCheckBox(3, 4, false, false);
    EXPECT_TRUE(G->ToggleCheck(3, 4, false));
    EXPECT_TRUE(G->IsChecked(3, 4));
    ASSERT_EQ(Changes.size(), 1u);
    EXPECT_EQ(Changes[0], std::make_tuple(3, 4, true));
    G->UnHideColumn(2);
    EXPECT_TRUE(G->IsRadioButtonChecked(2, 2));
    EXPECT_TRUE(G->IsChecked(3, 4));
}
