// The grid base's cell store: properties created on first use and never by queries, merged areas
// read and written through their base cell, overlapping merges, the detaching and freeing
// operations with their graphic records, display-text hooks, bad input, rectangles, properties
// by name, and a seeded random run that checks ownership and undo after every step.
#include "grid/QorGridConsts.h"
#include "BaseGridKit.h"

#include "framework/TypInfo.h"
#include "graphics/QorUtilText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace {

struct StoreTest : ::testing::Test {
    TGridOnForm G{6, 6};
    int PropsBefore = TCellProperties::LiveCount();
    int GraphicsBefore = TBaseCellGraphic::LiveCount();

    void FillTexts()
    {
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c) G->SetGridCell(c, r, String(1, wchar_t(L'a' + c)) + IntToStr(r));
    }
    int NewProps() const { return TCellProperties::LiveCount() - PropsBefore; }
    int NewGraphics() const { return TBaseCellGraphic::LiveCount() - GraphicsBefore; }
};

// ---- queries and merge encoding ----------------------------------------------------------------

TEST_F(StoreTest, QueriesOnAFreshGridAnswerUnmergedAndCreateNothing)
{
    FillTexts();
    for (int r = -1; r <= 6; ++r)
        for (int c = -1; c <= 6; ++c) {
            EXPECT_FALSE(G->IsMergedCell(c, r));
            EXPECT_FALSE(G->IsXMergedCell(c, r));
            EXPECT_FALSE(G->IsYMergedCell(c, r));
            EXPECT_FALSE(G->IsMergedNonBaseCell(c, r));
            EXPECT_TRUE(G->IsBaseCell(c, r));
            EXPECT_EQ(G->CellSpan(c, r), TPoint(0, 0));
            EXPECT_EQ(G->CellExt(c, r), TPoint(0, 0));
            EXPECT_EQ(G->BaseCell(c, r), TPoint(c, r));
            EXPECT_EQ(G->GetObjectEx(c, r), 0u);
            EXPECT_EQ(G->GetGraphicObjectEx(c, r), nullptr);
        }
    EXPECT_EQ(G->GetCellEx(2, 3), L"c3");
    EXPECT_EQ(G->GetCellEx(-1, 0), L"");
    EXPECT_EQ(G->MinRowSpan(2), 6);
    EXPECT_EQ(G->MaxRowSpan(2), 0);
    EXPECT_EQ(NewProps(), 0);
    EXPECT_FALSE(G->FHasCellProps);
}

TEST_F(StoreTest, MergedAreaIsEncodedInEveryCellAndReadThroughItsBase)
{
    FillTexts();
    G->MergeCells(1, 1, 3, 2);
    EXPECT_EQ(GridToText(G.Grid, 0, 0, 4, 3), L"a0|b0|c0|d0|e0\n"
                                              L"a1|b1[3x2]|<|<|e1\n"
                                              L"a2|^|^|^|e2\n"
                                              L"a3|b3|c3|d3|e3\n");
    TCellProperties* Base = G->GetCellProperties(1, 1);
    EXPECT_TRUE(Base->GetIsBaseCell());
    EXPECT_EQ(Base->GetCellSpanX(), 2);
    EXPECT_EQ(Base->GetCellSpanY(), 1);
    TCellProperties* Far = G->GetCellProperties(3, 2);
    EXPECT_FALSE(Far->GetIsBaseCell());
    EXPECT_EQ(Far->GetCellSpanX(), 2);
    EXPECT_EQ(Far->GetCellSpanY(), 1);
    EXPECT_EQ(G->CellSpan(3, 2), TPoint(2, 1));
    EXPECT_EQ(G->CellExt(2, 1), TPoint(1, 1));
    EXPECT_EQ(G->BaseCell(3, 2), TPoint(1, 1));
    EXPECT_EQ(G->FullCell(2, 2), TRect(1, 1, 3, 2));
    EXPECT_TRUE(G->IsXMergedCell(3, 2));
    EXPECT_TRUE(G->IsYMergedCell(2, 1));
    EXPECT_TRUE(G->IsMergedNonBaseCell(2, 2));
    EXPECT_FALSE(G->IsMergedNonBaseCell(1, 1));
    int MCol = -1, MRow = -1;
    EXPECT_FALSE(G->IsBaseCellEx(3, 2, MCol, MRow));
    EXPECT_EQ(TPoint(MCol, MRow), TPoint(1, 1));
    EXPECT_EQ(G->MinRowSpan(1), 1);
    EXPECT_EQ(G->MaxRowSpan(2), 1);
    EXPECT_EQ(NewProps(), 6);

    // Written at any cell, the text lands in the base; covered cells keep their own texts.
    G->SetCellEx(3, 2, L"x");
    EXPECT_EQ(G->GetGridCell(1, 1), L"x");
    EXPECT_EQ(G->GetCellEx(2, 1), L"x");
    EXPECT_EQ(G->GetGridCell(3, 2), L"d2");
    ASSERT_EQ(G->TextChanges.size(), 1u);
    EXPECT_EQ(G->TextChanges[0], std::make_pair(1, 1));
}

TEST_F(StoreTest, OneCellMergeIsABaseWithoutSpan)
{
    G->MergeCells(1, 1, 1, 1);
    EXPECT_EQ(G->GetCellProperties(1, 1)->GetCellSpanX(), 0);
    EXPECT_FALSE(G->IsMergedCell(1, 1));
    EXPECT_EQ(G->CellSpan(1, 1), TPoint(0, 0));
    EXPECT_EQ(G->CellRect(1, 1), G->GetCellRect(1, 1));
}

TEST_F(StoreTest, SplittingAnyCellUnmergesTheWholeArea)
{
    FillTexts();
    G->MergeCells(1, 1, 3, 2);
    EXPECT_EQ(G->FMergeCount, 1);
    G->SplitCells(2, 2);
    EXPECT_EQ(G->FMergeCount, 0);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c) {
            TCellProperties* P = G->GetCellProperties(c, r);
            EXPECT_TRUE(P->GetIsBaseCell());
            EXPECT_EQ(P->GetCellSpanX(), -1);
            EXPECT_EQ(P->GetCellSpanY(), -1);
        }
    EXPECT_EQ(GridToText(G.Grid, 1, 1, 3, 2), L"b1|c1|d1\nb2|c2|d2\n");
    // An unmerged cell: nothing changes but the counter.
    G->SplitCells(4, 4);
    EXPECT_EQ(G->GetCellProperties(4, 4)->GetCellSpanX(), -1);
    EXPECT_EQ(G->FMergeCount, -1);
}

TEST_F(StoreTest, MergeOverAnOverlappingAreaSplitsTheEarlierAreaFirst)
{
    FillTexts();
    G->MergeCells(0, 0, 3, 3);
    G->MergeCells(2, 2, 3, 2);
    // No cell of the first area keeps offsets to a base whose area no longer holds it.
    EXPECT_EQ(GridToText(G.Grid, 0, 0, 5, 4), L"a0|b0|c0|d0|e0|f0\n"
                                              L"a1|b1|c1|d1|e1|f1\n"
                                              L"a2|b2|c2[3x2]|<|<|f2\n"
                                              L"a3|b3|^|^|^|f3\n"
                                              L"a4|b4|c4|d4|e4|f4\n");
    G->SetCellEx(1, 1, L"own");
    EXPECT_EQ(G->GetGridCell(1, 1), L"own");
    EXPECT_EQ(G->GetGridCell(0, 0), L"a0");
}

TEST_F(StoreTest, RowAndColumnSpansCompareAcrossMerges)
{
    // Two rows inside one vertical merge of column 1, unmerged elsewhere.
    G->MergeCells(1, 1, 1, 3);
    EXPECT_TRUE(G->RowSpanIdentical(1, 3));
    EXPECT_FALSE(G->RowSpanIdentical(4, 5));   // no vertical merges there
    G->MergeCells(4, 0, 1, 2);
    G->MergeCells(4, 2, 1, 2);
    EXPECT_FALSE(G->RowSpanIdentical(1, 2));   // column 4 starts a new area at row 2
    // Two columns inside one horizontal merge of row 4; unmerged in every other row.
    TGridOnForm H(6, 6);
    H->MergeCells(1, 4, 3, 1);
    EXPECT_TRUE(H->ColSpanIdentical(1, 3));
    H->MergeCells(3, 0, 2, 1);
    EXPECT_FALSE(H->ColSpanIdentical(1, 3));   // merged in row 0 where column 1 is not
    EXPECT_FALSE(H->ColSpanIdentical(0, 5));
}

// ---- detaching and freeing --------------------------------------------------------------------

TEST_F(StoreTest, NilCellOfACoveredCellKeepsTheBaseText)
{
    FillTexts();
    G->MergeCells(1, 1, 2, 2);
    G->SetCellEx(1, 1, L"base");
    TCellProperties* Covered = G->GetCellProperties(2, 2);
    G->NilCell(2, 2);
    EXPECT_EQ(G->GetGridCell(1, 1), L"base");
    EXPECT_EQ(G->GetGridCell(2, 2), L"");
    EXPECT_FALSE(G->HasCellProperties(2, 2));
    // Detached, not freed: the caller owns them now.
    EXPECT_EQ(NewProps(), 4);
    Covered->Free();

    TCellProperties* Base = G->GetCellProperties(1, 1);
    TCellProperties* Right = G->GetCellProperties(2, 1);
    G->NilRow(1);
    EXPECT_EQ(G->GetGridCell(1, 1), L"");
    EXPECT_FALSE(G->HasCellProperties(1, 1));
    EXPECT_FALSE(G->HasCellProperties(2, 1));
    EXPECT_EQ(NewProps(), 3);
    Base->Free();
    Right->Free();
}

TEST_F(StoreTest, FreeingPropertiesFreesTheirGraphicRecordButNeverTheSharedOne)
{
    auto* A = new TCellGraphic;
    auto* B = new TBaseCellGraphic;   // not of the exact class cells hold: freed all the same
    auto* Shared = new TCellGraphic;
    Shared->FCellType = ctRowCheckBox;
    auto* D = new TCellGraphic;
    G->SetGraphicObjectEx(1, 1, A);
    G->SetGraphicObjectEx(2, 1, B);
    G->SetGraphicObjectEx(3, 1, Shared);
    G->SetGraphicObjectEx(4, 1, D);
    EXPECT_EQ(G->GetGraphicObjectEx(1, 1), A);
    EXPECT_EQ(NewGraphics(), 4);

    G->ClearPropCell(1, 1);
    EXPECT_EQ(NewGraphics(), 3);
    G->ClearPropRect(2, 1, 3, 1);
    EXPECT_EQ(NewGraphics(), 2);   // the shared record stays
    G->SetCellProperties(4, 1, nullptr);
    EXPECT_EQ(NewGraphics(), 1);
    EXPECT_EQ(NewProps(), 0);
    Shared->Free();
}

TEST_F(StoreTest, SettingTheSamePropertiesAgainKeepsThem)
{
    TCellProperties* P = G->GetCellProperties(2, 2);
    G->SetCellProperties(2, 2, P);
    EXPECT_EQ(G->GetCellProperties(2, 2), P);
    auto* Q = new TCellProperties(G.Grid, 2, 2);
    G->SetCellProperties(2, 2, Q);
    EXPECT_EQ(G->GetCellProperties(2, 2), Q);
    EXPECT_EQ(NewProps(), 1);
}

TEST_F(StoreTest, ObjectAndGraphicOfAnEmptyCellLeaveItsTextEmpty)
{
    FillTexts();
    G->MergeCells(1, 1, 2, 2);
    G->SetGridCell(2, 2, L"");
    G->SetGraphicObjectEx(2, 2, new TCellGraphic);
    G->SetObjectEx(3, 3, 42);
    G->SetGridCell(4, 4, L"");
    G->SetObjectEx(4, 4, 7);
    EXPECT_EQ(G->GetGridCell(2, 2), L"");
    EXPECT_EQ(G->GetGridCell(1, 1), L"b1");
    EXPECT_EQ(G->GetGridCell(4, 4), L"");
    EXPECT_EQ(G->GetObjectEx(3, 3), 42u);
    EXPECT_EQ(G->GetObjectEx(4, 4), 7u);
}

TEST_F(StoreTest, PropertiesBeyondLoweredCountsAreFreedWithTheGrid)
{
    {
        TGridOnForm H(6, 6);
        H->GetCellProperties(5, 5)->SetGraphicObject(new TCellGraphic);
        H->MergeCells(3, 3, 2, 2);
        H->SetRowCount(2);
        H->SetColCount(2);
        EXPECT_EQ(NewProps(), 5);
    }
    EXPECT_EQ(NewProps(), 0);
    EXPECT_EQ(NewGraphics(), 0);
}

// ---- properties ---------------------------------------------------------------------------------

TEST_F(StoreTest, NewPropertiesStartFromTheGridsDefaults)
{
    G->GetFont()->SetName(L"Courier New");
    G->GetFont()->SetStyle({fsBold});
    G->SetColor(clYellow);
    TCellProperties* P = G->GetCellProperties(2, 3);
    EXPECT_EQ(P->GetOwnerCol(), 2);
    EXPECT_EQ(P->GetOwnerRow(), 3);
    EXPECT_EQ(P->GetFontName(), L"Courier New");
    EXPECT_EQ(P->GetFontStyle(), TFontStyles{fsBold});
    EXPECT_EQ(P->GetBrushColor(), clYellow);
    EXPECT_EQ(P->GetBrushColorTo(), clNone);
    EXPECT_EQ(P->GetAlignment(), taLeftJustify);
    EXPECT_EQ(P->GetVAlignment(), vtaTop);
    EXPECT_TRUE(P->GetWordWrap());
    EXPECT_TRUE(P->GetIsBaseCell());
    EXPECT_EQ(P->GetCellSpanX(), -1);
    EXPECT_EQ(P->GetCalcType(), acNONE);
    EXPECT_TRUE(G->FHasCellProps);
}

TEST_F(StoreTest, AssignCopiesTheListedFieldsOnly)
{
    TCellProperties* Src = G->GetCellProperties(1, 1);
    Src->SetBrushColor(clRed);
    Src->SetBrushColorTo(clBlue);
    Src->SetGradientDirection(GradientHorizontal);
    Src->SetCellSpanY(3);
    Src->SetMergeCollaps(true);
    Src->SetReadOnly(true);
    Src->SetEditor(edSpinEdit);
    Src->SetCellObject(9);
    Src->SetCalcType(acSUM);
    TCellProperties* Dst = G->GetCellProperties(2, 2);
    Dst->Assign(Src);
    EXPECT_EQ(Dst->GetBrushColor(), clRed);
    EXPECT_EQ(Dst->GetBrushColorTo(), clNone);
    EXPECT_EQ(Dst->GetGradientDirection(), GradientVertical);
    EXPECT_TRUE(Dst->GetMergeCollaps());
    Dst->SetMergeCollaps(false);
    EXPECT_EQ(Dst->GetCellSpanY(), 0);   // the source's effective span
    EXPECT_TRUE(Dst->GetReadOnly());
    EXPECT_EQ(Dst->GetEditor(), edSpinEdit);
    EXPECT_EQ(Dst->GetCellObject(), 9u);
    EXPECT_EQ(Dst->GetCalcType(), acNONE);
    EXPECT_EQ(Dst->GetOwnerCol(), 1);

    TFont Other;
    Dst->SetBrushColor(clGreen);
    Dst->Assign(&Other);
    EXPECT_EQ(Dst->GetBrushColor(), clGreen);
}

TEST_F(StoreTest, PublishedPropertiesAreReadAndWrittenByName)
{
    SetPropValue(G.Grid, L"GridLineColor", L"clRed");
    SetPropValue(G.Grid, L"GridLineWidth", L"2");
    SetPropValue(G.Grid, L"HoverRowCells", L"[hcFixed,hcGroupHeader]");
    SetPropValue(G.Grid, L"ActiveRowShow", L"True");
    SetPropValue(G.Grid, L"DefaultDrawing", L"True");
    EXPECT_EQ(G->GetGridLineColor(), clRed);
    EXPECT_EQ(G->GetGridLineWidth(), 2);
    EXPECT_EQ(G->GetHoverRowCells(), (THoverRowCells{hcFixed, hcGroupHeader}));
    EXPECT_TRUE(G->GetActiveRowShow());
    EXPECT_TRUE(G->GetDefaultDrawing());
    EXPECT_EQ(G->TCustomGrid::GetDefaultDrawing(), false);
    EXPECT_EQ(G->TCustomGrid::GetGridLineWidth(), 0);
    EXPECT_EQ(GetPropValue(G.Grid, L"GridFixedLineColor"), L"clGray");
    EXPECT_EQ(GetPropValue(G.Grid, L"ColCount"), L"6");

    TCellProperties* P = G->GetCellProperties(1, 1);
    SetPropValue(P, L"Editor", L"edSpinEdit");
    SetPropValue(P, L"FontStyle", L"[fsItalic]");
    SetPropValue(P, L"VAlignment", L"vtaBottom");
    EXPECT_EQ(P->GetEditor(), edSpinEdit);
    EXPECT_EQ(P->GetFontStyle(), TFontStyles{fsItalic});
    EXPECT_EQ(P->GetVAlignment(), vtaBottom);

    auto* U = Create<TQorGridUndoRedo>(G.Form);
    U->SetName(L"UndoRedo1");
    SetPropValue(U, L"MaxLevel", L"5");
    EXPECT_EQ(U->GetMaxLevel(), 5);
    SetPropValue(G.Grid, L"UndoRedo", L"UndoRedo1");
    EXPECT_EQ(G->GetUndoRedo(), U);
    EXPECT_EQ(U->GetGrid(), G.Grid);
}

// ---- display text and writes --------------------------------------------------------------------

TEST_F(StoreTest, DisplayTextHooksRunForDataRowsOnly)
{
    FillTexts();
    G->OnGetDisplText = [](TObject*, int c, int r, String& V) { V += L"!"; };
    EXPECT_EQ(G->GetCellEx(1, 2), L"b2!");
    G->FNormalRowCount = 3;
    EXPECT_EQ(G->GetCellEx(1, 3), L"b3");   // a scratch row: as stored
    G->OnGetDisplWideText = [](TObject*, int, int, WideString& V) { V += L"\u2660"; };
    EXPECT_EQ(G->GetCellEx(1, 2), QorUtil::EncodeWideStr(L"b2!\u2660"));
}

TEST_F(StoreTest, WritesIntoTheLastRowUnderTheFooterUpdateIt)
{
    G->SetCellEx(1, 5, L"x");
    EXPECT_EQ(G->FooterUpdates, 0);
    G->FHideLastRow = true;
    G->SetCellEx(1, 5, L"y");
    G->SetCellEx(1, 4, L"z");
    EXPECT_EQ(G->FooterUpdates, 1);
    EXPECT_FALSE(G->FEditCellSet);
    EXPECT_TRUE(G->TextChanges.empty());   // no properties: no text-change hook
}

// ---- bad input ----------------------------------------------------------------------------------

struct BadCell {
    int Col, Row;
    const wchar_t* Message;
};

class StoreBadCell : public ::testing::TestWithParam<BadCell> {};

TEST_P(StoreBadCell, WritesAndRequestsOutsideTheGridRaiseAndChangeNothing)
{
    TGridOnForm G(4, 4);
    G->MergeCells(1, 1, 2, 2);
    const int Props = TCellProperties::LiveCount();
    const auto [c, r, Message] = GetParam();
    auto Expect = [&](auto Call) {
        try {
            Call();
            ADD_FAILURE() << "no error for (" << c << ", " << r << ")";
        } catch (const EQorGridError& E) {
            EXPECT_EQ(E.Message, Message);
        }
    };
    Expect([&] { G->SetCellEx(c, r, L"x"); });
    Expect([&] { G->SetGridCell(c, r, L"x"); });
    Expect([&] { G->GetCellProperties(c, r); });
    Expect([&] { G->SetObjectEx(c, r, 1); });
    Expect([&] { G->MergeCells(c, r, 1, 1); });
    Expect([&] { G->NilCell(c, r); });
    // An area reaching outside the grid from a cell inside it.
    if (c >= 4 || r >= 4) Expect([&] { G->MergeCells(std::min(c, 3), std::min(r, 3), c >= 4 ? 2 : 1, r >= 4 ? 2 : 1); });
    EXPECT_EQ(G->FMergeCount, 1);
    EXPECT_EQ(TCellProperties::LiveCount(), Props);
    EXPECT_EQ(GridToText(G.Grid, 0, 0, 3, 3), L"|||\n|[2x2]|<|\n|^|^|\n|||\n");
    // Reads answer as for an empty, unmerged cell.
    EXPECT_EQ(G->GetCellEx(c, r), L"");
    EXPECT_FALSE(G->IsMergedCell(c, r));
    EXPECT_FALSE(G->HasCellProperties(c, r));
}

INSTANTIATE_TEST_SUITE_P(Cells, StoreBadCell, ::testing::Values(
    BadCell{-1, 0, QorGridConsts::SInvalidColumnAccessed},
    BadCell{4, 0, QorGridConsts::SInvalidColumnAccessed},
    BadCell{0, -1, QorGridConsts::SInvalidRowAccessed},
    BadCell{0, 4, QorGridConsts::SInvalidRowAccessed}));

TEST_F(StoreTest, SpansBelowOneChangeNoCell)
{
    G->MergeCells(1, 1, 0, 3);
    G->MergeCells(1, 1, 2, -1);
    G->MergeCells(-5, -5, -1, 2);
    EXPECT_EQ(G->FMergeCount, 3);
    EXPECT_EQ(NewProps(), 0);
}

TEST_F(StoreTest, CellsKeptBeyondALoweredCountStayWritable)
{
    G->SetCellEx(4, 5, L"kept");
    G->SetRowCount(3);
    G->SetCellEx(4, 5, L"still");
    EXPECT_EQ(G->GetCellEx(4, 5), L"still");
    G->SetRowCount(6);
    EXPECT_EQ(G->GetCellEx(4, 5), L"still");
}

// ---- rectangles ---------------------------------------------------------------------------------

TEST(StoreRects, CellRectangleFollowsTheViewAndCoversMergedAreas)
{
    TGridOnForm G(8, 40, true);
    G->SetBounds(0, 0, 300, 200);
    G->SetDefaultColWidth(50);
    G->SetDefaultRowHeight(20);
    EXPECT_EQ(G->GetCellRect(0, 0), TRect(0, 0, 50, 20));
    EXPECT_EQ(G->GetCellRect(2, 3), TRect(100, 60, 150, 80));
    G->SetTopRow(5);
    G->SetLeftCol(3);
    // Scrolled cells count from the first visible one; those before it get negative places.
    EXPECT_EQ(G->GetCellRect(3, 5), TRect(50, 20, 100, 40));
    EXPECT_EQ(G->GetCellRect(1, 3), TRect(-50, -20, 0, 0));
    EXPECT_EQ(G->GetCellRect(0, 6), TRect(0, 40, 50, 60));
    EXPECT_EQ(G->CellRect(3, 5), TRect(50, 20, 100, 40));
    EXPECT_TRUE(G->CellRect(1, 3).IsEmpty());   // out of view
    // A merged area from anywhere in it: the union of its corners, also partly scrolled away.
    G->MergeCells(2, 4, 3, 3);
    const TRect Area(0, 0, 150, 60);
    EXPECT_EQ(G->CellRect(2, 4), Area);
    EXPECT_EQ(G->CellRect(4, 6), Area);
    EXPECT_EQ(G->CellSize(3, 5), TPoint(150, 60));
    EXPECT_EQ(G->FixedColsWidth(), 50);
    EXPECT_EQ(G->FixedRowsHeight(), 20);
}

TEST(StoreRects, CellPlacesAddUpUnevenSizesOnBothSidesOfTheViewAndFollowChanges)
{
    TGridOnForm G(8, 40, true);
    G->SetBounds(0, 0, 300, 200);
    G->SetDefaultColWidth(50);
    G->SetDefaultRowHeight(20);
    G->SetRowHeights(2, 35);
    G->SetRowHeights(8, 0);   // a hidden row adds nothing
    G->SetColWidths(4, 70);
    G->SetTopRow(5);
    G->SetLeftCol(3);
    struct {
        int Col, Row;
        TRect Expected;
    } Cases[] = {
        {0, 2, TRect(0, -55, 50, -20)},     // above the view: rows 2 .. 4 back from the first shown
        {0, 9, TRect(0, 80, 50, 100)},      // below it, past the hidden row
        {0, 45, TRect(0, 800, 50, 820)},    // past the last row: the default height goes on
        {5, 0, TRect(170, 0, 220, 20)},     // right of the wide column
        {1, 0, TRect(-50, 0, 0, 20)},       // left of the view
    };
    for (const auto& C : Cases) EXPECT_EQ(G->GetCellRect(C.Col, C.Row), C.Expected) << C.Col << "," << C.Row;
    // A later change of a height moves the cells after it.
    G->SetRowHeights(6, 30);
    EXPECT_EQ(G->GetCellRect(0, 9), TRect(0, 90, 50, 110));
    G->SetRowCount(50);
    EXPECT_EQ(G->GetCellRect(0, 45), TRect(0, 810, 50, 830));
}

// ---- a seeded random run ------------------------------------------------------------------------

// Every properties object sits in exactly one slot, no cell keeps offsets to a base whose area does
// not hold it, and no properties or graphic record live outside the grid.
void CheckStore(TTestBaseGrid* G, int PropsBase, int GraphicsBase, int Step)
{
    std::set<TCellProperties*> Seen;
    int Graphics = 0;
    for (int r = 0; r < G->StoredRowCount(); ++r)
        for (int c = 0; c < G->GetColCount(); ++c) {
            auto* P = dyn<TCellProperties>(G->GetGridObject(c, r));
            if (!P) continue;
            ASSERT_TRUE(Seen.insert(P).second) << "shared properties at step " << Step;
            if (P->GetGraphicObject()) ++Graphics;
            if (P->GetIsBaseCell()) continue;
            TPoint B = G->BaseCell(c, r);
            if (!G->HasCellProperties(B.X, B.Y)) continue;
            TCellProperties* BP = G->GetCellProperties(B.X, B.Y);
            ASSERT_TRUE(BP->GetIsBaseCell()) << "step " << Step;
            ASSERT_TRUE(c <= B.X + BP->GetCellSpanX() && r <= B.Y + BP->GetCellSpanY())
                << "stale offsets at (" << c << ", " << r << "), step " << Step;
        }
    ASSERT_EQ(int(Seen.size()), TCellProperties::LiveCount() - PropsBase) << "step " << Step;
    ASSERT_EQ(Graphics, TBaseCellGraphic::LiveCount() - GraphicsBase) << "step " << Step;
}

class StoreRandom : public ::testing::TestWithParam<unsigned> {};

TEST_P(StoreRandom, OwnershipHoldsAfterEveryStepAndUndoingAllRestoresTheTexts)
{
    const int PropsBase = TCellProperties::LiveCount(), GraphicsBase = TBaseCellGraphic::LiveCount();
    {
        constexpr int N = 8;
        TGridOnForm G(N, N);
        auto* U = Create<TQorGridUndoRedo>(G.Form);
        G->SetUndoRedo(U);
        std::vector<String> Start;
        for (int r = 0; r < N; ++r)
            for (int c = 0; c < N; ++c) {
                G->SetGridCell(c, r, IntToStr(r * N + c));
                Start.push_back(G->GetGridCell(c, r));
            }
        std::mt19937 Rng(GetParam());
        auto Pick = [&](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); };
        for (int Step = 0; Step < 600; ++Step) {
            const int c = Pick(0, N - 1), r = Pick(0, N - 1);
            switch (Pick(0, 9)) {
            case 0:
            case 1:
                G->MergeCells(c, r, Pick(1, N - c), Pick(1, N - r));
                break;
            case 2:
                G->SplitCells(c, r);
                break;
            case 3:
            case 4: {
                String New = L"w" + IntToStr(Step);
                U->RegisterChange(c, r, G->GetCellEx(c, r), New);
                G->SetCellEx(c, r, New);
                break;
            }
            case 5:
                if (Pick(0, 1)) G->ClearPropCell(c, r);
                else G->ClearPropRect(c, r, c + 1, r + 1);
                break;
            case 6:
                if (!G->GetGraphicObjectEx(c, r)) G->SetGraphicObjectEx(c, r, new TCellGraphic);
                break;
            case 7:
                U->Undo();
                break;
            case 8:
                U->Redo();
                break;
            case 9:
                if (Pick(0, 1)) U->StartSequence();
                else U->StopSequence();
                break;
            }
            CheckStore(G.Grid, PropsBase, GraphicsBase, Step);
            if (::testing::Test::HasFatalFailure()) return;
        }
        while (U->CanUndo()) U->Undo();
        for (int r = 0; r < N; ++r)
            for (int c = 0; c < N; ++c) EXPECT_EQ(G->GetGridCell(c, r), Start[size_t(r * N + c)]) << c << "," << r;
    }
    EXPECT_EQ(TCellProperties::LiveCount(), PropsBase);
    EXPECT_EQ(TBaseCellGraphic::LiveCount(), GraphicsBase);
}

INSTANTIATE_TEST_SUITE_P(Seeds, StoreRandom, ::testing::Values(1u, 7u, 42u, 2024u, 99991u));

}  // namespace
