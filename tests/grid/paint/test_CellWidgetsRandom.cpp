// A seeded random walk over the widget operations (add, remove, rotate, balloon, marker, comment,
// Assign, toggle, undo, removing all markers, buttons or comments, hiding and showing rows and
// columns) on plain, merged and column-0 cells with the row check box on: after each step the live
// record count and every cell's kind must match a model kept by real row (a hidden row's records
// wait in the hidden-row store), and freeing the grid must leave no record behind.
#include "tests/grid/QorGridKit.h"

#include "grid/paint/CellGraphic.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

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

    // What the kind of a shown cell must be, by real row.
    TCellType Expected(int c, int r) const
    {
        if (c == 0) return ctRowCheckBox;
        auto It = Model.find({c, r});
        return It == Model.end() ? ctEmpty : It->second.Kind;
    }
    bool Has(int c, int r) const { return Model.count({c, r}) > 0; }
    TCellType Own(int c, int r) const { return Has(c, r) ? Model.at({c, r}).Kind : ctEmpty; }

    // The real row of a display row: the model's key.
    int Real(int r) const { return G->RealRowIndex(r); }
    // The kind of a hidden row's stored record.
    TCellType HiddenKind(int c, int RealRow) const
    {
        auto* P = dynamic_cast<TCellProperties*>(G->GetAllGraphicsObject(c, RealRow));
        auto* R = P ? dyn<TCellGraphic>(P->GetGraphicObject()) : nullptr;
        return R ? R->FCellType : ctEmpty;
    }

    void Check(int Step, const char* What)
    {
        ASSERT_EQ(TBaseCellGraphic::LiveCount(), Base + int(Model.size())) << "step " << Step << " " << What;
        ASSERT_EQ(G->GetRowCount() + G->NumHiddenRows(), Rows) << "step " << Step;
        for (int c = 0; c < Cols; ++c)
            for (int rr = 0; rr < Rows; ++rr) {
                const bool Hidden = G->IsHiddenRow(rr);
                const TCellType Got = Hidden ? HiddenKind(c, rr) : G->GetCellType(c, G->DisplRowIndex(rr));
                ASSERT_EQ(Got, Hidden ? Own(c, rr) : Expected(c, rr))
                    << "step " << Step << " " << What << " at " << c << ", real row " << rr << (Hidden ? " (hidden)" : "");
            }
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
        const int c = Pick(Cols), r = Pick(G->GetRowCount()), rr = Real(r);
        const char* What = "";
        switch (Pick(15)) {
        case 0: {
            What = "check box";
            const bool Data = Pick(2) == 1;
            G->AddCheckBox(c, r, Pick(2) == 1, Data);
            Model[{c, rr}] = {Data ? ctDataCheckBox : ctCheckBox};
            break;
        }
        case 1:
            What = "tri-state";
            G->AddCheckBox(c, r, TCheckBoxState(Pick(3)));
            Model[{c, rr}] = {ctTriStateCheckBox};
            break;
        case 2: {
            What = "radio / button / picture";
            const int k = Pick(3);
            if (k == 0) {
                G->CreateRadio(c, r, 0, -1)->Add(L"one");
                Model[{c, rr}] = {ctRadio};
            } else if (k == 1) {
                G->AddRadioButtonGroup(c, r, 1 + Pick(2), false);
                Model[{c, rr}] = {ctRadioButton};
            } else {
                G->CreateBitButton(c, r, 20, 10, L"b", haLeft, vaTop);
                Model[{c, rr}] = {ctBitButton};
            }
            break;
        }
        case 3: {
            What = "remove";
            const TCellType K = TCellType(Pick(35));
            const bool Removed = G->RemoveCellGraphic(c, r, K);
            const bool Want = Has(c, rr) && Expected(c, rr) == K;
            ASSERT_EQ(Removed, Want) << Step;
            if (Removed) Model.erase({c, rr});
            break;
        }
        case 4:
            What = "rotate";
            G->SetRotated(c, r, int(Rng()) % 2000);
            Model[{c, rr}] = {ctRotated};
            break;
        case 5: {
            What = "balloon";
            G->AddBalloon(c, r, L"t", L"x", biInfo);
            if (!Has(c, rr)) Model[{c, rr}] = {ctBalloon};
            if (Pick(2)) {
                G->RemoveBalloon(c, r);
                // A balloon record goes when the cell's kind says so (column 0 answers the row box).
                if (c != 0 && Own(c, rr) == ctBalloon) Model.erase({c, rr});
            }
            break;
        }
        case 6:
            What = "marker";
            if (Pick(2)) {
                G->AddMarker(c, r, 1, 2);
                if (!Has(c, rr)) Model[{c, rr}] = {ctEmpty};
            } else {
                G->RemoveMarker(c, r);
                if (c != 0 && Has(c, rr) && Own(c, rr) == ctEmpty) Model.erase({c, rr});
            }
            break;
        case 7:
            What = "comment";
            G->AddComment(c, r, L"note");
            if (!Has(c, rr)) Model[{c, rr}] = {ctNone};
            if (Pick(2)) G->RemoveComment(c, r);
            break;
        case 8: {
            What = "assign";
            const int sc = Pick(Cols), sr = Pick(G->GetRowCount()), srr = Real(sr);
            auto* Src = dyn<TCellGraphic>(G->GetGraphicObjectEx(sc, sr));
            ASSERT_EQ(Src != nullptr, Has(sc, srr)) << Step;
            if (!Src || (sc == c && sr == r)) break;
            ASSERT_EQ(Src->FCellType, Own(sc, srr));
            G->CreateCellGraphic(c, r)->Assign(Src);
            Model[{c, rr}] = {Own(sc, srr)};
            break;
        }
        case 9:
        case 10:
            What = "toggle";
            G->ToggleCheck(c, r, false);
            G->ToggleRadioButton(c, r, false);
            G->ToggleRadio(c, r, false);
            break;
        case 12: {
            // Rows outside the merged area; the header row stays.
            What = "hide / show row";
            const int h = std::vector<int>{1, 4, 5}[size_t(Pick(3))];
            if (G->IsHiddenRow(h))
                G->UnHideRow(h);
            else
                G->HideRow(h);
            break;
        }
        case 13: {
            What = "hide / show column";
            const int hc = Pick(2) ? 1 : 4;
            if (G->IsHiddenColumn(hc))
                G->UnHideColumn(hc);
            else
                G->HideColumn(hc);
            break;
        }
        case 14: {
            What = "remove all markers / buttons / comments";
            const int k = Pick(3);
            if (k == 0)
                G->RemoveAllMarkers();
            else if (k == 1)
                G->RemoveAllButtons();
            else
                G->RemoveAllComments();
            // Hidden rows and columns too; column 0 answers the row box and keeps its own records.
            for (auto It = Model.begin(); It != Model.end();) {
                const TCellType K = It->second.Kind;
                const bool Goes = It->first.first != 0 &&
                                  ((k == 0 && K == ctEmpty) || (k == 1 && (K == ctButton || K == ctBitButton)));
                It = Goes ? Model.erase(It) : std::next(It);
            }
            break;
        }
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
