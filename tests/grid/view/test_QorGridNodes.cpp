// Outline nodes: levels, spans and parents; contracting and expanding by hiding and by
// suppressing, nested nodes, ExpandOne, ExpandAll and ContractAll; child rows; tree-line classes
// and the glyph hit test; a seeded random run of mixed node operations.
#include "tests/grid/view/GridModelKit.h"

#include "framework/StdCtrls.h"
#include "grid/paint/CellGraphic.h"
#include "grid/view/GridItem.h"

#include <algorithm>
#include <map>
#include <random>

namespace {

class QorGridNodes : public GridModelTest {
protected:
    // The rows a user sees, by the row number in column 0: display rows of non-zero height.
    String Visible()
    {
        String S;
        for (int r = 0; r < G->GetRowCount(); ++r) {
            if (G->GetRowHeights(r) == 0) continue;
            const String t = G->GetCellEx(0, r);
            S += (S.empty() ? L"" : L" ") + t.substr(t.find(L'.') + 1);
        }
        return S;
    }
    int Level(int ARow)
    {
        return G->HasCellProperties(0, ARow) ? G->GetCellProperties(0, ARow)->GetNodeLevel() : 0;
    }
};

// The same cases once hiding and once suppressing the children.
class QorGridNodeModes : public QorGridNodes, public ::testing::WithParamInterface<TGridFilterType> {
protected:
    void SetUp() override
    {
        QorGridNodes::SetUp();
        G->SetFilterType(GetParam());
    }
};

}  // namespace

TEST_F(QorGridNodes, AddingNodesSetsLevelsSpansAndParents)
{
    G->SetFixedColsEx(0);
    G->SetCol(0);
    G->AddNode(3, 4);
    EXPECT_EQ(G->GetCol(), 1);
    EXPECT_TRUE(G->HasNodes());
    EXPECT_EQ(G->GetNodeSpan(3), 4);
    EXPECT_EQ(G->GetSubNodeCount(3), 0);
    EXPECT_EQ(G->GetNodeLevel(3), 1);
    EXPECT_EQ(G->GetNodeLevel(4), -1);
    EXPECT_EQ(G->GetNodeSpan(4), -1);
    for (int r : {3, 4, 5, 6}) EXPECT_EQ(Level(r), 1) << r;
    EXPECT_EQ(Level(7), 0);
    G->AddNode(4, 2);
    EXPECT_EQ(Level(4), 2);
    EXPECT_EQ(Level(5), 2);
    EXPECT_EQ(Level(6), 1);
    EXPECT_EQ(G->GetParentRow(5), 4);
    EXPECT_EQ(G->GetParentRow(4), 3);
    EXPECT_EQ(G->GetParentRow(3), 3);
    EXPECT_EQ(G->GetParentRow(6), 3);
    EXPECT_EQ(G->GetParentRow(8), -1);
    // Spans below 1 add nothing; a node added again on its row replaces the first.
    G->AddNode(8, 0);
    EXPECT_FALSE(G->IsNode(8));
    G->AddNode(4, 2);
    EXPECT_EQ(Level(4), 2);
    G->RemoveNode(4);
    G->RemoveNode(3);
    EXPECT_FALSE(G->HasNodes());
    for (int r = 0; r < 10; ++r) EXPECT_EQ(Level(r), 0) << r;
    // Rows without a node answer neutral values and change nothing.
    G->ContractNode(2);
    G->SetNodeState(2, true);
    G->UpdateNodeSpan(2, 3);
    EXPECT_FALSE(G->GetNodeState(2));
    EXPECT_EQ(G->GetSubNodeCount(2), 0);
    EXPECT_EQ(Shown(), L"0 1 2 3 4 5 6 7 8 9");
}

TEST_F(QorGridNodes, ContractingHidesTheChildrenWithTheirCellsAndProperties)
{
    G->SetColors(2, 5, TColor(0x123456));
    G->AddNode(3, 4);
    G->ContractNode(3);
    EXPECT_EQ(G->GetRowCount(), 7);
    EXPECT_EQ(G->RemapRowInv(4), 7);
    EXPECT_EQ(G->GetCellEx(0, 4), L"0.7");
    EXPECT_TRUE(G->GetNodeState(3));
    G->ContractNode(3);
    EXPECT_EQ(Shown(), L"0 1 2 3 7 8 9");
    G->ExpandNode(3);
    EXPECT_EQ(Shown(), L"0 1 2 3 4 5 6 7 8 9");
    EXPECT_FALSE(G->GetNodeState(3));
    EXPECT_EQ(G->GetColors(2, 5), TColor(0x123456));
    for (int c = 0; c < 5; ++c) EXPECT_EQ(G->GetCellEx(c, 6), IntToStr(c) + L".6");
}

TEST_P(QorGridNodeModes, NestedNodesComeBackTogether)
{
    G->AddNode(2, 6);
    G->AddNode(4, 2);
    G->ContractNode(4);
    EXPECT_EQ(Visible(), L"0 1 2 3 4 6 7 8 9");
    G->ContractNode(2);
    EXPECT_EQ(Visible(), L"0 1 2 8 9");
    G->ExpandNode(2);
    EXPECT_EQ(Visible(), L"0 1 2 3 4 5 6 7 8 9");
    EXPECT_FALSE(G->GetNodeState(G->RemapRow(4)));
    // The parent of a row below a contracted sub-node.
    G->ContractNode(4);
    EXPECT_EQ(G->GetParentRow(G->RemapRow(6)), 2);
    G->ContractAll();
    EXPECT_EQ(Visible(), L"0 1 2 8 9");
    G->ExpandAll();
    EXPECT_EQ(Visible(), L"0 1 2 3 4 5 6 7 8 9");
    EXPECT_FALSE(G->GetNodeState(2));
    EXPECT_FALSE(G->GetNodeState(4));
    EXPECT_EQ(Shown(), L"0 1 2 3 4 5 6 7 8 9");
}

TEST_P(QorGridNodeModes, ASpanOfZeroReachesToTheNextNodeWhenHiding)
{
    G->AddNode(2, 1);
    G->AddNode(6, 2);
    G->SetNodeSpan(2, 0);
    G->ContractNode(2);
    EXPECT_TRUE(G->GetNodeState(2));
    EXPECT_EQ(Visible(), GetParam() == ftHide ? L"0 1 2 6 7 8 9" : L"0 1 2 3 4 5 6 7 8 9");
    G->ExpandNode(2);
    EXPECT_EQ(Visible(), L"0 1 2 3 4 5 6 7 8 9");
}

TEST_P(QorGridNodeModes, ExpandOneContractsTheOthers)
{
    G->GetCellNode()->SetExpandOne(true);
    G->AddNode(1, 3);
    G->AddNode(5, 3);
    G->ContractNode(5);
    G->ExpandNode(5);
    EXPECT_TRUE(G->GetNodeState(1));
    EXPECT_EQ(Visible(), L"0 1 4 5 6 7 8 9");
    // ExpandAll opens every node all the same.
    G->ExpandAll();
    EXPECT_EQ(Visible(), L"0 1 2 3 4 5 6 7 8 9");
    G->ToggleNode(5);
    EXPECT_EQ(Visible(), L"0 1 2 3 4 5 8 9");
    G->SetNodeState(G->RemapRow(5), false);
    EXPECT_EQ(Visible(), L"0 1 4 5 6 7 8 9");
}

INSTANTIATE_TEST_SUITE_P(Modes, QorGridNodeModes, ::testing::Values(ftHide, ftSuppress),
                         [](const auto& Info) { return Info.param == ftHide ? "Hide" : "Suppress"; });

TEST_F(QorGridNodes, ContractAllOnContractedNodesDoesNothing)
{
    G->AddNode(1, 3);
    G->AddNode(5, 2);
    G->ContractAll();
    EXPECT_EQ(Shown(), L"0 1 4 5 7 8 9");
    G->ContractAll();
    EXPECT_EQ(Shown(), L"0 1 4 5 7 8 9");
}

TEST_F(QorGridNodes, FilteredRowsStayFilteredUntilExpandAll)
{
    G->AddNode(2, 3);
    TFreePtr<TIntList> L(Create<TIntList>(0, 0));
    L->Add(3);
    L->Add(6);
    G->HideRowList(L.get());       // rows 3 (inside the node) and 6 (just below it)
    G->ContractNode(2);
    EXPECT_EQ(Shown(), L"0 1 2 5 7 8 9");
    G->ExpandNode(2);
    EXPECT_EQ(Shown(), L"0 1 2 4 5 7 8 9");
    EXPECT_TRUE(G->IsHiddenRow(3));
    EXPECT_TRUE(G->IsHiddenRow(6));
    // Expanding everything also brings back what filters hid.
    G->ContractNode(2);
    G->ExpandAll();
    EXPECT_EQ(Shown(), L"0 1 2 3 4 5 6 7 8 9");
    EXPECT_FALSE(G->GetNodeState(2));
}

TEST_F(QorGridNodes, SuppressedFilterRowsComeBackOutsideContractedNodes)
{
    G->SetFilterType(ftSuppress);
    G->AddNode(2, 3);
    G->ContractNode(2);
    G->SuppressRow(7);
    G->UnSuppressAllOpenRows();
    EXPECT_EQ(Visible(), L"0 1 2 5 6 7 8 9");
    // A contracted node whose span is below 1 does not stop the walk.
    G->SetNodeSpan(2, 0);
    G->SuppressRow(8);
    G->UnSuppressAllOpenRows();
    EXPECT_EQ(Visible(), L"0 1 2 3 4 5 6 7 8 9");
}

TEST_F(QorGridNodes, ChildRowsJoinAndLeaveEveryEnclosingNode)
{
    G->AddNode(1, 8);     // 1 .. 8
    G->AddNode(2, 5);     // 2 .. 6
    G->AddNode(3, 2);     // 3 .. 4
    // A row into the innermost node lengthens all three.
    G->InsertChildRow(4, 1);
    EXPECT_EQ(G->GetCellEx(0, 5), L"");
    EXPECT_EQ(G->GetNodeSpan(3), 3);
    EXPECT_EQ(G->GetNodeSpan(2), 6);
    EXPECT_EQ(G->GetNodeSpan(1), 9);
    EXPECT_EQ(G->GetSubNodeCount(3), 1);
    EXPECT_EQ(Level(5), 3);
    EXPECT_EQ(G->GetParentRow(5), 3);
    G->RemoveChildRow(5);
    EXPECT_EQ(G->GetNodeSpan(3), 2);
    EXPECT_EQ(G->GetNodeSpan(2), 5);
    EXPECT_EQ(G->GetNodeSpan(1), 8);
    EXPECT_EQ(Shown(), L"0 1 2 3 4 5 6 7 8 9");
}

TEST_F(QorGridNodes, InsertingAtANodeRowMovesItsTextsIntoTheNewChild)
{
    G->AddNode(3, 4);
    G->ContractNode(3);
    G->InsertChildRow(3, 0);
    EXPECT_FALSE(G->GetNodeState(3));
    EXPECT_TRUE(G->IsNode(3));
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(G->GetCellEx(c, 3), L"") << c;
        EXPECT_EQ(G->GetCellEx(c, 4), IntToStr(c) + L".3") << c;
    }
    EXPECT_EQ(G->GetNodeSpan(3), 5);
    EXPECT_EQ(G->GetSubNodeCount(3), 1);
    EXPECT_EQ(G->GetCellEx(1, 5), L"1.4");
}

TEST_F(QorGridNodes, RemovingAChildRowMovesCellControlsOnce)
{
    G->AddNode(2, 4);
    TFreePtr<TEdit> E(Create<TEdit>(nullptr));
    G->SetCellControls(2, 7, E.get());
    ASSERT_GE(TGridTestAccess::ControlIndex(*G, 2, 7), 0);
    G->RemoveChildRow(3);
    EXPECT_EQ(TGridTestAccess::ControlIndex(*G, 2, 7), -1);
    EXPECT_GE(TGridTestAccess::ControlIndex(*G, 2, 6), 0);
    EXPECT_EQ(G->GetCellControls(2, 6), E.get());
    EXPECT_EQ(G->GetNodeSpan(2), 3);
    G->SetCellControls(2, 6, nullptr);
}

TEST_F(QorGridNodes, RowsInsertedAndDeletedThroughTheHooksFollowTheirNodes)
{
    G->AddNode(2, 3);
    G->DoInsertRow(3);               // inside the node: a child
    EXPECT_EQ(G->GetNodeSpan(2), 4);
    G->DoInsertRow(8);               // outside every node: a normal row
    EXPECT_EQ(G->GetRowCount(), 12);
    EXPECT_EQ(G->GetNodeSpan(2), 4);
    G->DoDeleteRow(3);
    EXPECT_EQ(G->GetNodeSpan(2), 3);
    G->DoDeleteRow(7);
    EXPECT_EQ(G->GetRowCount(), 10);
    EXPECT_EQ(Column(1), L"1.0 1.1 1.2 1.3 1.4 1.5 1.6 1.7 1.8 1.9");
}

TEST_F(QorGridNodes, TreeLineClasses)
{
    G->AddNode(2, 4);
    G->AddNode(3, 2);
    const struct {
        int Row, Class;
    } Cases[] = {{2, 0}, {3, 0}, {4, 1}, {5, 1}, {6, 1}, {9, 1}};
    for (const auto& C : Cases) EXPECT_EQ(G->GetNodeSpanType(C.Row), C.Class) << C.Row;
    G->RemoveNode(3);
    EXPECT_EQ(G->GetNodeSpanType(3), 2);
}

TEST_F(QorGridNodes, TheGlyphHitTest)
{
    G->SetFixedColsEx(0);
    G->AddNode(2, 3);
    const int Left = G->CellRect(0, 0).Left;
    for (int d = 3; d <= 17; ++d) EXPECT_EQ(G->InNodeRect(2, Left + d), d >= 5 && d <= 15) << d;
    G->GetMouseActions()->SetPreciseNodeClick(false);
    EXPECT_TRUE(G->InNodeRect(2, Left + 40));
}

TEST_F(QorGridNodes, ClearingExpandsAndRemovesTheNodes)
{
    G->AddNode(2, 3);
    G->ContractNode(2);
    G->Clear();
    EXPECT_FALSE(G->HasNodes());
    EXPECT_EQ(G->GetRowCount(), 10);
    EXPECT_EQ(G->NumHiddenRows(), 0);
    EXPECT_EQ(G->GetCellEx(1, 3), L"");
}

// ---- A seeded random run -----------------------------------------------------------------------------------

namespace {

class QorGridNodesRandom : public QorGridNodes, public ::testing::WithParamInterface<TGridFilterType> {
protected:
    void SetUp() override
    {
        QorGridNodes::SetUp();
        G->SetFilterType(GetParam());
        G->SetRowCountEx(40);
        for (int r = 0; r < 40; ++r) Put(r);
    }
    // A fresh text for a real row (hidden rows included), remembered.
    void Put(int RealRow)
    {
        const String t = L"T" + IntToStr(Next++);
        G->SetCellsEx(2, RealRow, t);
        ++Expected[t];
    }
    int Rand(int n) { return n <= 0 ? 0 : int(Rng() % unsigned(n)); }

    void Check(const char* Op)
    {
        SCOPED_TRACE(Op);
        const int Total = G->TotalRowCount();
        // The mapping is a bijection of display rows and shown real rows.
        std::vector<bool> Seen(size_t(Total), false);
        for (int d = 0; d < G->GetRowCount(); ++d) {
            const int r = G->RemapRowInv(d);
            ASSERT_TRUE(r >= 0 && r < Total && !Seen[size_t(r)]) << "display " << d;
            ASSERT_EQ(G->RemapRow(r), d);
            Seen[size_t(r)] = true;
        }
        for (const TGridItem& Item : G->GetGridItems()) {
            const int Idx = Item.GetIdx();
            ASSERT_TRUE(Idx >= 0 && Idx < Total && !Seen[size_t(Idx)]) << "hidden " << Idx;
            Seen[size_t(Idx)] = true;
        }
        // Every text once; the node count matches the node records.
        std::map<String, int> Found;
        int Nodes = 0;
        for (int r = 0; r < Total; ++r) {
            const String t = G->GetGridCellsEx(2, r);
            if (!t.empty()) ++Found[t];
            auto* P = dynamic_cast<TCellProperties*>(G->GetAllGraphicsObject(0, r));
            auto* N = P ? dynamic_cast<TCellGraphic*>(P->GetGraphicObject()) : nullptr;
            if (N && N->FCellType == ctNode) ++Nodes;
        }
        ASSERT_EQ(Found, Expected);
        ASSERT_EQ(Nodes > 0, G->HasNodes());
    }

    void Step()
    {
        const int Rows = G->GetRowCount();
        const int d = 1 + Rand(Rows - 1);
        const int Real = G->RemapRowInv(d);
        switch (Rand(11)) {
        case 0:
        case 1: G->AddNode(Real, 1 + Rand(6)); return Check("AddNode");
        case 2: G->ContractNode(Real); return Check("ContractNode");
        case 3: G->ExpandNode(Real); return Check("ExpandNode");
        case 4: G->ToggleNode(Real); return Check("ToggleNode");
        case 5:
            if (Rand(3) == 0) G->ContractAll();
            else G->ExpandAll();
            return Check("All");
        case 6: {
            G->InsertChildRow(Real, Rand(2));
            // The new row is the one empty row.
            for (int r = 0; r < G->TotalRowCount(); ++r)
                if (G->GetGridCellsEx(2, r).empty() && !G->IsHiddenRow(r)) {
                    Put(r);
                    break;
                }
            return Check("InsertChildRow");
        }
        case 7: {
            if (Rows < 10) return;
            const String t = G->GetGridCellsEx(2, Real);
            G->RemoveChildRow(Real);
            if (!t.empty() && --Expected[t] == 0) Expected.erase(t);
            return Check("RemoveChildRow");
        }
        case 8: G->RemoveNode(Real); return Check("RemoveNode");
        case 9: {
            if (Rows < 6) return;
            TFreePtr<TIntList> L(Create<TIntList>(0, 0));
            for (int r = 1; r < Rows; ++r)
                if (Rand(5) == 0) L->Add(r);
            G->HideRowList(L.get());
            return Check("HideRowList");
        }
        default:
            G->UnHideRowList();
            if (TGridTestAccess::FilterLevel(*G) > 0)
                TGridTestAccess::SetFilterLevel(*G, TGridTestAccess::FilterLevel(*G) - 1);
            return Check("UnHideRowList");
        }
    }

    std::mt19937 Rng;
    std::map<String, int> Expected;
    int Next = 0;
};

}  // namespace

TEST_P(QorGridNodesRandom, MixedNodeOperationsLoseNoText)
{
    Check("start");
    Rng.seed(GetParam() == ftHide ? 7u : 11u);
    for (int i = 0; i < 600 && !HasFatalFailure(); ++i) {
        SCOPED_TRACE(testing::Message() << "step " << i);
        Step();
    }
    if (HasFatalFailure()) return;
    G->ExpandAll();
    G->RemoveAllNodes();
    Check("end");
    EXPECT_FALSE(G->HasNodes());
    if (GetParam() == ftHide) {
        EXPECT_EQ(G->NumHiddenRows(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, QorGridNodesRandom, ::testing::Values(ftHide, ftSuppress),
                         [](const auto& Info) { return Info.param == ftHide ? "Hide" : "Suppress"; });
