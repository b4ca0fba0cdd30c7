// A seeded random run of thousands of mixed row and column operations against a model of the
// grid: after every step the real/display mapping is a bijection, every cell text and property is
// where its row and column are (none lost, duplicated or shared), the storage beyond the count is
// empty, heights, modified marks and the persistent row selection follow their rows; destroying
// the grid frees every property.
#include "tests/grid/QorGridKit.h"

#include "grid/view/GridItem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace {

struct TModelRow {
    int Id;
    int Hidden = -2;        // -2 shown, -1 hidden by range, k >= 0 hidden at filter level k
    int Height;
    bool Modified = false;
    bool Selected = false;
};

struct TModel {
    std::vector<TModelRow> Rows;     // by real row
    std::vector<int> Cols;           // column id by real column
    std::vector<bool> ColHidden;
    int NextRow = 0, NextCol = 0, Level = 0;

    int Shown() const
    {
        return int(std::count_if(Rows.begin(), Rows.end(), [](const TModelRow& R) { return R.Hidden == -2; }));
    }
    int RealOfDisplay(int d) const
    {
        for (int r = 0; r < int(Rows.size()); ++r)
            if (Rows[size_t(r)].Hidden == -2 && d-- == 0) return r;
        return int(Rows.size());
    }
    std::vector<int> ShownReal() const
    {
        std::vector<int> S;
        for (int r = 0; r < int(Rows.size()); ++r)
            if (Rows[size_t(r)].Hidden == -2) S.push_back(r);
        return S;
    }
    int DisplayCols() const { return int(std::count(ColHidden.begin(), ColHidden.end(), false)); }
    int RealOfDisplayCol(int d) const
    {
        for (int c = 0; c < int(Cols.size()); ++c)
            if (!ColHidden[size_t(c)] && d-- == 0) return c;
        return int(Cols.size());
    }
};

String CellText(int RowId, int ColId)
{
    return L"R" + IntToStr(RowId) + L"C" + IntToStr(ColId);
}

// Rows whose id is a multiple of 3 have properties in column id 1: their brush colour is the row id.
bool HasProps(int RowId, int ColId)
{
    return RowId % 3 == 0 && ColId == 1;
}

class QorGridInvariants : public ::testing::Test {
protected:
    void SetUp() override
    {
        BaseProps = TCellProperties::LiveCount();
        G = Create<TTestableQorGrid>(nullptr);
        G->SetFixedRowsEx(0);
        G->SetFixedColsEx(0);
        G->GetMouseActions()->SetDisjunctRowSelect(true);
        G->GetMouseActions()->SetRowSelectPersistent(true);
        G->SetColCountEx(4);
        G->SetRowCountEx(0);
        for (int c = 0; c < 4; ++c) {
            M.Cols.push_back(M.NextCol++);
            M.ColHidden.push_back(false);
        }
        AppendRows(30);
    }
    void TearDown() override
    {
        if (G) G->Free();
    }

    // Fills a model row's cells through the real-row access (hidden rows and columns included).
    void Fill(int RealRow)
    {
        const TModelRow& R = M.Rows[size_t(RealRow)];
        for (int c = 0; c < int(M.Cols.size()); ++c) {
            G->SetCellsEx(c, RealRow, CellText(R.Id, M.Cols[size_t(c)]));
            if (HasProps(R.Id, M.Cols[size_t(c)]) && R.Hidden == -2) G->SetColors(c, G->RemapRow(RealRow), TColor(R.Id));
        }
        if (R.Hidden == -2) G->SetRowHeights(G->RemapRow(RealRow), R.Height);
    }

    void AppendRows(int n)
    {
        const int d = G->GetRowCount();
        G->InsertRows(d, n);
        const int R = int(M.Rows.size());
        for (int i = 0; i < n; ++i) {
            const int Id = M.NextRow++;
            M.Rows.insert(M.Rows.begin() + R + i, TModelRow{Id, -2, 12 + Id % 9});
            Fill(R + i);
        }
    }

    void Check(const char* Op)
    {
        SCOPED_TRACE(Op);
        const std::vector<int> Shown = M.ShownReal();
        const int Total = int(M.Rows.size());
        ASSERT_EQ(G->GetRowCount(), int(Shown.size()));
        ASSERT_EQ(G->NumHiddenRows(), Total - int(Shown.size()));
        ASSERT_EQ(G->GetColCount(), M.DisplayCols());
        ASSERT_EQ(G->NumHiddenColumns(), int(M.Cols.size()) - M.DisplayCols());
        // The mapping is a bijection between display rows and shown real rows.
        std::vector<bool> Seen(size_t(Total), false);
        for (int d = 0; d < int(Shown.size()); ++d) {
            const int r = G->RemapRowInv(d);
            ASSERT_EQ(r, Shown[size_t(d)]) << "display " << d;
            ASSERT_EQ(G->RemapRow(r), d);
            Seen[size_t(r)] = true;
        }
        const TGridItems& Items = G->GetGridItems();
        for (const TGridItem& Item : Items) {
            const int Idx = Item.GetIdx();
            ASSERT_TRUE(Idx >= 0 && Idx < Total && !Seen[size_t(Idx)]) << "hidden idx " << Idx;
            Seen[size_t(Idx)] = true;
            ASSERT_TRUE(G->IsHiddenRow(Idx));
        }
        for (int c = 0; c < int(M.Cols.size()); ++c) ASSERT_EQ(G->IsHiddenColumn(c), bool(M.ColHidden[size_t(c)])) << c;
        // Every text and property where its row and column are.
        for (int r = 0; r < Total; ++r) {
            const TModelRow& R = M.Rows[size_t(r)];
            for (int c = 0; c < int(M.Cols.size()); ++c) {
                ASSERT_EQ(G->GetGridCellsEx(c, r), CellText(R.Id, M.Cols[size_t(c)])) << r << "," << c;
                auto* P = dynamic_cast<TCellProperties*>(G->GetAllGraphicsObject(c, r));
                if (HasProps(R.Id, M.Cols[size_t(c)])) {
                    ASSERT_TRUE(P) << r << "," << c;
                    ASSERT_EQ(P->GetBrushColor(), TColor(R.Id));
                }
            }
            ASSERT_EQ(G->GetRowModified(r), R.Modified) << r;
            ASSERT_EQ(G->GetRowSelect(r), R.Selected) << r;
            if (R.Hidden == -2) ASSERT_EQ(G->GetRowHeights(G->RemapRow(r)), R.Height) << r;
        }
        // No property is referenced twice; every live one is referenced; nothing beyond the count.
        std::set<TObject*> Objects;
        const int Cols = int(M.Cols.size()) + 8;
        for (int r = 0; r < G->StoredRowCount(); ++r)
            for (int c = 0; c < Cols; ++c) {
                TObject* O = G->GetObjects(c, r);
                if (r >= G->GetRowCount()) {
                    ASSERT_EQ(O, nullptr) << "phantom " << c << "," << r;
                    ASSERT_TRUE(G->GetCells(c, r).empty()) << "phantom text " << c << "," << r;
                }
                if (O) ASSERT_TRUE(Objects.insert(O).second) << "shared " << c << "," << r;
            }
        for (const TGridItem& Item : Items)
            for (int c = 0; c < Item.CellCount(); ++c)
                if (TObject* O = Item.GetObject(c)) ASSERT_TRUE(Objects.insert(O).second) << "shared hidden";
        ASSERT_EQ(int(Objects.size()), TCellProperties::LiveCount() - BaseProps);
    }

    int Rand(int n) { return n <= 0 ? 0 : int(Rng() % unsigned(n)); }

    void Step()
    {
        const int Shown = M.Shown();
        const int Total = int(M.Rows.size());
        switch (Rand(15)) {
        case 0: {   // hide a real range
            const int a = Rand(Total), b = std::min(Total - 1, a + Rand(4));
            if (Shown - (b - a + 1) < 1) return;
            G->HideRows(a, b);
            for (int r = a; r <= b; ++r)
                if (M.Rows[size_t(r)].Hidden == -2) M.Rows[size_t(r)].Hidden = -1;
            return Check("HideRows");
        }
        case 1: {   // a filter level
            if (Shown < 3) return;
            TFreePtr<TIntList> L(Create<TIntList>(0, 0));
            std::vector<int> Real;
            for (int d = 0; d < Shown; ++d)
                if (Rand(4) == 0) {
                    L->Add(d);
                    Real.push_back(M.RealOfDisplay(d));
                }
            if (L->Count() == 0 || L->Count() >= Shown) return;
            G->HideRowList(L.get());
            for (int r : Real) M.Rows[size_t(r)].Hidden = M.Level;
            ++M.Level;
            return Check("HideRowList");
        }
        case 2: {   // pop the top filter level
            G->UnHideRowList();
            if (M.Level > 0) {
                for (auto& R : M.Rows)
                    if (R.Hidden == M.Level - 1) R.Hidden = -2;
                --M.Level;
                TGridTestAccess::SetFilterLevel(*G, M.Level);
            }
            return Check("UnHideRowList");
        }
        case 3: {   // show a real range (only when its first row is hidden)
            const int a = Rand(Total), b = std::min(Total - 1, a + Rand(6));
            G->UnHideRows(a, b);
            if (M.Rows[size_t(a)].Hidden != -2)
                for (int r = a; r <= b; ++r) M.Rows[size_t(r)].Hidden = -2;
            return Check("UnHideRows");
        }
        case 4:
            if (Rand(4) != 0) return;
            G->UnHideRowsAll();
            for (auto& R : M.Rows) R.Hidden = -2;
            return Check("UnHideRowsAll");
        case 5: {   // insert rows at a display row
            const int d = Rand(Shown + 1), n = 1 + Rand(3);
            const int R = M.RealOfDisplay(d);
            G->InsertRows(d, n);
            for (int i = 0; i < n; ++i) {
                const int Id = M.NextRow++;
                M.Rows.insert(M.Rows.begin() + R + i, TModelRow{Id, -2, 12 + Id % 9});
            }
            for (int i = 0; i < n; ++i) Fill(R + i);
            return Check("InsertRows");
        }
        case 6: {   // remove display rows
            if (Shown < 4) return;
            const int d = Rand(Shown), n = std::min(1 + Rand(3), Shown - d);
            std::vector<int> Real;
            for (int i = 0; i < n; ++i) Real.push_back(M.RealOfDisplay(d + i));
            G->RemoveRows(d, n);
            for (auto It = Real.rbegin(); It != Real.rend(); ++It) M.Rows.erase(M.Rows.begin() + *It);
            return Check("RemoveRows");
        }
        case 7: {   // move a block of display rows
            if (Shown < 3) return;
            const int n = 1 + Rand(2), From = Rand(Shown - n + 1), To = Rand(Shown);
            G->MoveRows(From, To, n);
            if (From == To) return Check("MoveRows");
            const int Dest = std::clamp(From + n < To ? To - n : To, 0, Shown - n);
            std::vector<int> Slots = M.ShownReal();
            std::vector<TModelRow> Order;
            for (int r : Slots) Order.push_back(M.Rows[size_t(r)]);
            std::vector<TModelRow> Block(Order.begin() + From, Order.begin() + From + n);
            Order.erase(Order.begin() + From, Order.begin() + From + n);
            Order.insert(Order.begin() + Dest, Block.begin(), Block.end());
            for (size_t i = 0; i < Slots.size(); ++i) M.Rows[size_t(Slots[i])] = Order[i];
            return Check("MoveRows");
        }
        case 8: {   // swap two display rows
            if (Shown < 2) return;
            const int a = Rand(Shown), b = Rand(Shown);
            G->SwapRows(a, b);
            std::swap(M.Rows[size_t(M.RealOfDisplay(a))], M.Rows[size_t(M.RealOfDisplay(b))]);
            return Check("SwapRows");
        }
        case 9: {   // marks by real row
            const int r = Rand(Total);
            const bool V = Rand(2) == 0;
            if (Rand(2)) {
                G->SetRowModified(r, V);
                M.Rows[size_t(r)].Modified = V;
            } else {
                G->SetRowSelect(r, V);
                M.Rows[size_t(r)].Selected = V;
            }
            return;
        }
        case 10: {   // suppress a row
            if (Shown < 1) return;
            const int d = Rand(Shown);
            G->SuppressRow(d);
            M.Rows[size_t(M.RealOfDisplay(d))].Height = 0;
            return Check("SuppressRow");
        }
        case 11: {   // hide or show a column
            const int c = Rand(int(M.Cols.size()));
            if (M.ColHidden[size_t(c)]) {
                G->UnHideColumn(c);
                M.ColHidden[size_t(c)] = false;
            } else if (M.DisplayCols() > 1) {
                G->HideColumn(c);
                M.ColHidden[size_t(c)] = true;
            }
            return Check("HideColumn");
        }
        case 12: {   // insert a column before a display column
            if (M.Cols.size() > 8) return;
            const int d = Rand(M.DisplayCols() + 1);
            const int R = M.RealOfDisplayCol(d);
            G->InsertCols(d, 1);
            M.Cols.insert(M.Cols.begin() + R, M.NextCol++);
            M.ColHidden.insert(M.ColHidden.begin() + R, false);
            for (int r = 0; r < int(M.Rows.size()); ++r) G->SetCellsEx(R, r, CellText(M.Rows[size_t(r)].Id, M.Cols[size_t(R)]));
            return Check("InsertCols");
        }
        case 13: {   // remove a real column
            if (M.DisplayCols() < 3) return;
            const int c = Rand(int(M.Cols.size()));
            if (!M.ColHidden[size_t(c)] && M.DisplayCols() < 3) return;
            G->RemoveCols(c, 1);
            M.Cols.erase(M.Cols.begin() + c);
            M.ColHidden.erase(M.ColHidden.begin() + c);
            return Check("RemoveCols");
        }
        default: {   // move a display column, or append rows
            if (Rand(3) == 0) {
                AppendRows(1 + Rand(3));
                return Check("Append");
            }
            const int n = M.DisplayCols();
            const int From = Rand(n), To = Rand(n);
            const int a = M.RealOfDisplayCol(From), b = M.RealOfDisplayCol(To);
            G->MoveColumn(From, To);
            if (a == b) return Check("MoveColumn");
            const int Id = M.Cols[size_t(a)];
            M.Cols.erase(M.Cols.begin() + a);
            M.Cols.insert(M.Cols.begin() + b, Id);
            M.ColHidden.erase(M.ColHidden.begin() + a);
            M.ColHidden.insert(M.ColHidden.begin() + b, false);
            return Check("MoveColumn");
        }
        }
    }

    TTestableQorGrid* G = nullptr;
    TModel M;
    std::mt19937 Rng;
    int BaseProps = 0;
};

}  // namespace

TEST_F(QorGridInvariants, ThousandsOfMixedOperationsKeepEveryRowAndCell)
{
    Check("start");
    for (unsigned Seed : {1u, 2u, 3u}) {
        Rng.seed(Seed);
        for (int i = 0; i < 1500 && !HasFatalFailure(); ++i) {
            SCOPED_TRACE(testing::Message() << "seed " << Seed << " step " << i);
            Step();
        }
        if (HasFatalFailure()) return;
        Check("seed end");
    }
    G->Free();
    G = nullptr;
    EXPECT_EQ(TCellProperties::LiveCount(), BaseProps);
    EXPECT_EQ(TQorStringGrid::LiveCount(), 0);
}
