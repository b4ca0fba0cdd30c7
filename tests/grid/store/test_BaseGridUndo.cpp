// The undo and redo component: single changes and sequences, check-box cells, the events, the
// limit on kept changes, registering after undoing, cells moved by hidden rows and merges since
// the change, and the link between grid and component.
#include "BaseGridKit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct UndoTest : ::testing::Test {
    TGridOnForm G{6, 8};
    TQorGridUndoRedo* U = Create<TQorGridUndoRedo>(G.Form);
    struct Call {
        int Col, Row;
        String Orig, New;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> Undone, Redone;

    void SetUp() override
    {
        G->SetUndoRedo(U);
        U->OnUndo = [this](TObject*, TBaseGrid* Grid, int c, int r, const String& O, const String& N) {
            EXPECT_EQ(Grid, G.Grid);
            Undone.push_back({c, r, O, N});
        };
        U->OnRedo = [this](TObject*, TBaseGrid*, int c, int r, const String& O, const String& N) {
            Redone.push_back({c, r, O, N});
        };
    }
    // An edit as the grid's editors make it: the change is registered, then written.
    void Edit(int c, int r, const String& Text)
    {
        U->RegisterChange(c, r, G->GetCellEx(c, r), Text);
        G->SetCellEx(c, r, Text);
    }
    TPoint Current() const { return {G->GetCol(), G->GetRow()}; }
};

TEST_F(UndoTest, SingleChangeIsUndoneAndRedone)
{
    G->SetCellEx(2, 3, L"1");
    Edit(2, 3, L"2");
    EXPECT_TRUE(U->CanUndo());
    EXPECT_FALSE(U->CanRedo());
    U->Undo();
    EXPECT_EQ(G->GetCellEx(2, 3), L"1");
    EXPECT_EQ(Current(), TPoint(2, 3));
    EXPECT_FALSE(U->CanUndo());
    EXPECT_TRUE(U->CanRedo());
    EXPECT_EQ(Undone, (std::vector<Call>{{2, 3, L"2", L"1"}}));   // the text now, the text restored
    U->Undo();                                                    // nothing left to undo
    EXPECT_EQ(Undone.size(), 1u);
    U->Redo();
    EXPECT_EQ(G->GetCellEx(2, 3), L"2");
    EXPECT_EQ(Redone, (std::vector<Call>{{2, 3, L"1", L"2"}}));
    U->Redo();
    EXPECT_EQ(Redone.size(), 1u);
}

TEST_F(UndoTest, SequenceIsOneStepAndEndsOnItsFirstCell)
{
    U->StartSequence();
    Edit(1, 1, L"a");
    Edit(4, 5, L"b");
    U->StopSequence();
    G->SetCol(3);
    G->SetRow(6);
    U->Undo();
    EXPECT_EQ(G->GetCellEx(1, 1), L"");
    EXPECT_EQ(G->GetCellEx(4, 5), L"");
    EXPECT_EQ(Current(), TPoint(1, 1));
    EXPECT_EQ(Undone, (std::vector<Call>{{4, 5, L"b", L""}, {1, 1, L"a", L""}}));   // last change first
    EXPECT_FALSE(U->CanUndo());
    U->Redo();
    EXPECT_EQ(G->GetCellEx(1, 1), L"a");
    EXPECT_EQ(G->GetCellEx(4, 5), L"b");
    EXPECT_EQ(U->GetLevel(), 4);
    EXPECT_FALSE(U->CanRedo());
}

TEST_F(UndoTest, EmptySequenceIsOneStepThatWritesNothing)
{
    Edit(1, 1, L"x");
    U->StartSequence();
    U->StopSequence();
    U->Undo();
    EXPECT_EQ(G->GetCellEx(1, 1), L"x");
    EXPECT_TRUE(Undone.empty());
    U->Undo();
    EXPECT_EQ(G->GetCellEx(1, 1), L"");
    U->Redo();
    U->Redo();
    EXPECT_EQ(G->GetCellEx(1, 1), L"x");
    EXPECT_FALSE(U->CanRedo());
}

TEST_F(UndoTest, CheckBoxCellsAreRestoredThroughTheirStateExceptInsideSequences)
{
    G->CheckCells[{2, 2}] = false;
    U->RegisterChange(2, 2, L"FALSE", L"TRUE");
    G->CheckCells[{2, 2}] = true;
    U->Undo();
    EXPECT_FALSE((G->CheckCells[{2, 2}]));
    EXPECT_EQ(G->GetCellEx(2, 2), L"");   // the check text was not written as text
    U->Redo();
    EXPECT_TRUE((G->CheckCells[{2, 2}]));
    EXPECT_EQ(G->SetCheckCalls.size(), 2u);

    U->StartSequence();
    U->RegisterChange(2, 2, L"TRUE", L"FALSE");
    U->StopSequence();
    U->Undo();
    EXPECT_EQ(G->GetCellEx(2, 2), L"TRUE");
    EXPECT_EQ(G->SetCheckCalls.size(), 2u);
}

TEST_F(UndoTest, LimitKeepsTheNewestChanges)
{
    U->SetMaxLevel(2);
    Edit(1, 1, L"a");
    Edit(1, 2, L"b");
    Edit(1, 3, L"c");
    EXPECT_EQ(U->GetChangeCount(), 2);
    U->Undo();
    U->Undo();
    EXPECT_EQ(G->GetCellEx(1, 3), L"");
    EXPECT_EQ(G->GetCellEx(1, 2), L"");
    U->Undo();
    EXPECT_EQ(G->GetCellEx(1, 1), L"a");
}

TEST_F(UndoTest, ALongRunPastTheLimitKeepsExactlyTheNewestSteps)
{
    U->SetMaxLevel(3);
    for (int i = 1; i <= 200; ++i) Edit(1, 1, IntToStr(i));
    EXPECT_EQ(U->GetChangeCount(), 3);
    TUndoRedoCollection* Items = U->GetItems();
    ASSERT_EQ(Items->Count(), 3);
    EXPECT_EQ(Items->GetItem(0)->GetValue(), L"198");
    // The items are a copy for reading: changing them leaves the log alone.
    Items->GetItem(0)->SetValue(L"x");
    while (U->CanUndo()) U->Undo();
    EXPECT_EQ(G->GetCellEx(1, 1), L"197");
    while (U->CanRedo()) U->Redo();
    EXPECT_EQ(G->GetCellEx(1, 1), L"200");
}

TEST_F(UndoTest, LimitDropsWholeSequencesAndNeverTheOneBeingWritten)
{
    U->SetMaxLevel(2);
    Edit(0, 1, L"old");
    U->StartSequence();
    Edit(1, 1, L"s1");
    Edit(2, 1, L"s2");
    Edit(3, 1, L"s3");   // the open sequence is kept whole beyond the limit
    U->StopSequence();
    EXPECT_EQ(U->GetChangeCount(), 3);
    Edit(4, 1, L"c");    // the sequence goes with its markers: no stop marker is left behind
    EXPECT_EQ(U->GetItems()->Count(), 1);
    Edit(5, 1, L"d");
    while (U->CanUndo()) U->Undo();
    EXPECT_EQ(G->GetCellEx(4, 1), L"");
    EXPECT_EQ(G->GetCellEx(5, 1), L"");
    // Older steps than the log keeps are never undone.
    EXPECT_EQ(G->GetCellEx(1, 1), L"s1");
    EXPECT_EQ(G->GetCellEx(0, 1), L"old");
}

TEST_F(UndoTest, RegisteringAfterUndoingDropsTheUndoneSteps)
{
    Edit(1, 1, L"a");
    Edit(1, 2, L"b");
    U->Undo();
    Edit(1, 3, L"c");
    EXPECT_FALSE(U->CanRedo());
    EXPECT_EQ(U->GetChangeCount(), 2);
    U->Undo();
    U->Undo();
    EXPECT_FALSE(U->CanUndo());
    EXPECT_EQ(G->GetCellEx(1, 1), L"");
    EXPECT_EQ(G->GetCellEx(1, 2), L"");   // b was undone before and is not redone by passing over it
    EXPECT_EQ(Undone.size(), 3u);
}

TEST_F(UndoTest, SequencesNestAndUnbalancedMarkersCannotRunBackOverOlderSteps)
{
    Edit(1, 1, L"before");
    U->StopSequence();   // no sequence open: not logged
    U->StartSequence();
    Edit(1, 2, L"a");
    U->StartSequence();  // folds into the outer sequence
    Edit(1, 3, L"b");
    U->StopSequence();
    Edit(1, 4, L"c");
    // Undo closes the open sequence first.
    U->Undo();
    EXPECT_EQ(GridToText(G.Grid, 1, 1, 1, 4), L"before\n\n\n\n");
    U->Redo();
    EXPECT_EQ(GridToText(G.Grid, 1, 1, 1, 4), L"before\na\nb\nc\n");
    U->StartSequence();
    U->Redo();
    EXPECT_EQ(U->GetItems()->Count(), 8);
}

TEST_F(UndoTest, ChangesFollowTheirRowWhenRowsAreHiddenOrShownInBetween)
{
    for (int r = 0; r < 8; ++r) G->SetCellEx(1, r, L"r" + IntToStr(r));
    // Real row 2 is hidden: storage row 2 shows real row 3.
    G->SetRowCount(7);
    G->MoveRow(2, 7);
    G->RealRows = {0, 1, 3, 4, 5, 6, 7};
    Edit(1, 2, L"changed");
    EXPECT_EQ(U->GetItems()->GetItem(0)->GetRow(), 3);
    // Real row 2 is shown again and the rows below it move down.
    G->SetRowCount(8);
    G->MoveRow(7, 2);
    G->RealRows.clear();
    EXPECT_EQ(G->GetCellEx(1, 3), L"changed");
    U->Undo();
    EXPECT_EQ(G->GetCellEx(1, 3), L"r3");
    EXPECT_EQ(G->GetCellEx(1, 2), L"r2");
    EXPECT_EQ(Current(), TPoint(1, 3));
}

TEST_F(UndoTest, ChangesGoBackIntoTheCellThatChangedWhateverIsMergedSince)
{
    G->SetCellEx(2, 2, L"base");
    G->SetCellEx(1, 1, L"other");
    G->MergeCells(2, 2, 2, 2);
    Edit(3, 3, L"new");   // written through the base cell, and logged for it
    EXPECT_EQ(U->GetItems()->GetItem(0)->GetCol(), 2);
    G->MergeCells(1, 1, 3, 3);   // the old base is now covered by another area
    U->Undo();
    EXPECT_EQ(G->GetGridCell(2, 2), L"base");
    EXPECT_EQ(G->GetGridCell(1, 1), L"other");
    U->Redo();
    EXPECT_EQ(G->GetGridCell(2, 2), L"new");
    EXPECT_EQ(G->GetGridCell(1, 1), L"other");
}

TEST_F(UndoTest, ChangesOfCellsNoLongerInTheGridArePassedOver)
{
    Edit(1, 6, L"gone");
    Edit(1, 1, L"kept");
    U->Undo();
    G->SetRowCount(4);
    U->Undo();
    EXPECT_FALSE(U->CanUndo());
    EXPECT_EQ(Undone.size(), 1u);
    U->Redo();
    U->Redo();
    EXPECT_EQ(G->GetCellEx(1, 1), L"kept");
}

TEST(UndoLink, EitherSideMayGoFirst)
{
    RegisterBaseGridClasses();
    TForm* F = Create<TForm>(Application);
    auto* A = Create<TTestBaseGrid>(F);
    auto* B = Create<TTestBaseGrid>(F);
    auto* U = Create<TQorGridUndoRedo>(F);
    A->SetUndoRedo(U);
    U->RegisterChange(1, 1, L"", L"x");
    // Another grid takes the component: a fresh log, and the first grid no longer registers here.
    B->SetUndoRedo(U);
    EXPECT_EQ(U->GetGrid(), B);
    EXPECT_EQ(A->GetUndoRedo(), nullptr);
    EXPECT_FALSE(U->CanUndo());
    U->RegisterChange(1, 1, L"", L"y");
    B->Free();
    EXPECT_EQ(U->GetGrid(), nullptr);
    U->Undo();   // no grid: nothing happens
    EXPECT_TRUE(U->CanUndo());
    A->SetUndoRedo(U);
    U->Free();
    EXPECT_EQ(A->GetUndoRedo(), nullptr);
    F->Free();
}

}  // namespace
