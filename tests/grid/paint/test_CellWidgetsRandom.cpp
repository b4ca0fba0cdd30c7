// A seeded random walk over the widget operations (add, remove, rotate, balloon, marker, comment,
// Assign, toggle, undo) on plain, merged and column-0 cells with the row check box on: after each
// step the live record count and every cell's GetCellType must match a model, and freeing the
// grid must leave no record behind.
#include "tests/grid/QorGridKit.h"

#include "grid/paint/CellGraphic.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace {

constexpr int Cols = 5, Rows = 6;

struct TModelCell {
    TCellType Kind;
};

class CellWidgetsRandom : public ::testing::TestWithParam<unsigned> {
protected:
    void SetUp() override
    {
        G = Create<TTestableQorGrid>(nullptr);
        G->SetColCount(Cols);
        G->SetRowCount(Rows);
        G->MergeCells(2, 2, 2, 2);   // covers (2..3, 2..3)
        G->GetMouseActions()->SetHotmailRowSelect(true);
        U = Create<TQorGridUndoRedo>(nullptr);
        G->SetUndoRedo(U);
        Base = TBaseCellGraphic::LiveCount();
    }
    void TearDown() override
    {
        G->Free();
        U->Free();
        EXPECT_EQ(TBaseCellGraphic::LiveCount(), LiveAtStart);
        EXPECT_EQ(TCellProperties::LiveCount(), PropsAtStart);
    }

    // What GetCellType must answer for a cell.
    TCellType Expected(int c, int r) const
    {
        if (c == 0) return ctRowCheckBox;
        auto It = Model.find({c, r});
        return It == Model.end() ? ctEmpty : It->second.Kind;
    }
    bool Has(int c, int r) const { return Model.count({c, r}) > 0; }
    TCellType Own(int c, int r) const { return Has(c, r) ? Model.at({c, r}).Kind : ctEmpty; }

    void Check(int Step, const char* What)
    {
        ASSERT_EQ(TBaseCellGraphic::LiveCount(), Base + int(Model.size())) << "step " << Step << " " << What;
        for (int c = 0; c < Cols; ++c)
            for (int r = 0; r < Rows; ++r)
                ASSERT_EQ(G->GetCellType(c, r), Expected(c, r)) << "step " << Step << " " << What << " at " << c << ","
                                                                 << r;
    }

    const int LiveAtStart = TBaseCellGraphic::LiveCount();
    const int PropsAtStart = TCellProperties::LiveCount();
    int Base = 0;
    TTestableQorGrid* G = nullptr;
    TQorGridUndoRedo* U = nullptr;
    std::map<std::pair<int, int>, TModelCell> Model;
};

}  // namespace

TEST_P(CellWidgetsRandom, RecordsAndKindsFollowTheModel)
{
    std::mt19937 Rng(GetParam());
    auto Pick = [&](int n) { return int(Rng() % unsigned(n)); };
    for (int Step = 0; Step < 600; ++Step) {
        const int c = Pick(Cols), r = Pick(Rows);
        const char* What = "";
        switch (Pick(12)) {
        case 0: {
            What = "check box";
            const bool Data = Pick(2) == 1;
            G->AddCheckBox(c, r, Pick(2) == 1, Data);
            Model[{c, r}] = {Data ? ctDataCheckBox : ctCheckBox};
            break;
        }
        case 1:
            What = "tri-state";
            G->AddCheckBox(c, r, TCheckBoxState(Pick(3)));
            Model[{c, r}] = {ctTriStateCheckBox};
            break;
        case 2: {
            What = "radio / button / picture";
            const int k = Pick(3);
            if (k == 0) {
                G->CreateRadio(c, r, 0, -1)->Add(L"one");
                Model[{c, r}] = {ctRadio};
            } else if (k == 1) {
                G->AddRadioButtonGroup(c, r, 1 + Pick(2), false);
                Model[{c, r}] = {ctRadioButton};
            } else {
                G->CreateBitButton(c, r, 20, 10, L"b", haLeft, vaTop);
                Model[{c, r}] = {ctBitButton};
            }
            break;
        }
        case 3: {
            What = "remove";
            const TCellType K = TCellType(Pick(35));
            const bool Removed = G->RemoveCellGraphic(c, r, K);
            const bool Want = Has(c, r) && Expected(c, r) == K;
            ASSERT_EQ(Removed, Want) << Step;
            if (Removed) Model.erase({c, r});
            break;
        }
        case 4:
            What = "rotate";
            G->SetRotated(c, r, int(Rng()) % 2000);
            Model[{c, r}] = {ctRotated};
            break;
        case 5: {
            What = "balloon";
            G->AddBalloon(c, r, L"t", L"x", biInfo);
            if (!Has(c, r)) Model[{c, r}] = {ctBalloon};
            if (Pick(2)) {
                G->RemoveBalloon(c, r);
                // A balloon record goes when the cell's kind says so (column 0 answers the row box).
                if (c != 0 && Own(c, r) == ctBalloon) Model.erase({c, r});
            }
            break;
        }
        case 6:
            What = "marker";
            if (Pick(2)) {
                G->AddMarker(c, r, 1, 2);
                if (!Has(c, r)) Model[{c, r}] = {ctEmpty};
            } else {
                G->RemoveMarker(c, r);
                if (c != 0 && Has(c, r) && Own(c, r) == ctEmpty) Model.erase({c, r});
            }
            break;
        case 7:
            What = "comment";
            G->AddComment(c, r, L"note");
            if (!Has(c, r)) Model[{c, r}] = {ctNone};
            if (Pick(2)) G->RemoveComment(c, r);
            break;
        case 8: {
            What = "assign";
            const int sc = Pick(Cols), sr = Pick(Rows);
            auto* Src = dyn<TCellGraphic>(G->GetGraphicObjectEx(sc, sr));
            ASSERT_EQ(Src != nullptr, Has(sc, sr)) << Step;
            if (!Src || (sc == c && sr == r)) break;
            ASSERT_EQ(Src->FCellType, Own(sc, sr));
            G->CreateCellGraphic(c, r)->Assign(Src);
            Model[{c, r}] = {Own(sc, sr)};
            break;
        }
        case 9:
        case 10:
            What = "toggle";
            G->ToggleCheck(c, r, false);
            G->ToggleRadioButton(c, r, false);
            G->ToggleRadio(c, r, false);
            break;
        default:
            What = "undo";
            if (Pick(3) == 0)
                U->Redo();
            else
                U->Undo();
            break;
        }
        Check(Step, What);
        if (HasFatalFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, CellWidgetsRandom, ::testing::Values(1u, 7u, 2026u));
