// The grid's cell query hooks and event dispatchers: their default answers, the events that change
// them, the listeners, and the per-cell texts of saving and loading.
#include "tests/grid/QorGridKit.h"

#include "grid/paint/CellGraphic.h"

#include <gtest/gtest.h>

namespace {

class QorGridHooks : public ::testing::Test {
protected:
    void SetUp() override { G = Create<TTestableQorGrid>(nullptr); }
    void TearDown() override { G->Free(); }

    // A widget record of the given kind in the cell.
    TCellGraphic* Widget(int c, int r, TCellType Kind)
    {
        auto* W = Create<TCellGraphic>();
        W->FCellType = Kind;
        G->SetGraphicObjectEx(c, r, W);
        return W;
    }

    TTestableQorGrid* G = nullptr;
    TFreePtr<TBrush> Brush{Create<TBrush>()};
    TFreePtr<TFont> Font{Create<TFont>()};
};

}  // namespace

TEST_F(QorGridHooks, ActiveCellShowColoursOnlyTheHeadingsOfTheCurrentCell)
{
    G->SetActiveCellShow(true);
    G->SetActiveCellColor(clYellow);
    G->GetActiveCellFont()->SetHeight(-20);
    G->MoveColRow(2, 3, true, false);
    auto ColourOf = [&](int c, int r) {
        Brush->SetColor(clWhite);
        Font->SetHeight(-11);
        G->GetCellColor(c, r, {}, Brush.get(), Font.get());
        return std::pair(Brush->GetColor(), Font->GetHeight());
    };
    EXPECT_EQ(ColourOf(0, 3), std::pair(clYellow, -20));   // last fixed column, current row
    EXPECT_EQ(ColourOf(2, 0), std::pair(clYellow, -20));   // current column, last fixed row
    EXPECT_EQ(ColourOf(0, 2), std::pair(clWhite, -11));
    EXPECT_EQ(ColourOf(2, 3), std::pair(clWhite, -11));
    EXPECT_EQ(ColourOf(3, 0), std::pair(clWhite, -11));
}

TEST_F(QorGridHooks, CellColoursApplyByWidgetKindAndTheEventHasTheLastWord)
{
    TCellProperties* P = G->GetCellProperties(1, 1);
    P->SetBrushColor(clRed);
    P->SetFontColor(clBlue);
    P->SetFontName(L"Courier New");
    Widget(1, 1, ctBitmap);
    Brush->SetColor(clWhite);
    G->GetCellColor(1, 1, {}, Brush.get(), Font.get());
    EXPECT_EQ(Brush->GetColor(), clWhite);   // a bitmap cell keeps the caller's brush
    EXPECT_EQ(Font->GetColor(), clBlue);
    EXPECT_EQ(Font->GetName(), L"Courier New");

    Widget(1, 1, ctCheckBox);
    G->GetCellColor(1, 1, {}, Brush.get(), Font.get());
    EXPECT_EQ(Brush->GetColor(), clRed);

    G->OnGetCellColor = [](TObject*, int ARow, int ACol, TGridDrawState, TBrush* B, TFont*) {
        if (ARow == 1 && ACol == 1) B->SetColor(clLime);
    };
    G->GetCellColor(1, 1, {}, Brush.get(), Font.get());
    EXPECT_EQ(Brush->GetColor(), clLime);
}

TEST_F(QorGridHooks, ComboEditAndSpinButtonsShowOnlyWhenTheLookOrTheEventSaysSo)
{
    G->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& E) {
        if (ACol == 1) E = edComboList;
        if (ACol == 2) E = edEditBtn;
        if (ACol == 3) E = edSpinEdit;
    };
    EXPECT_FALSE(G->HasCombo(1, 1, edNone));   // DropDownAlwaysVisible off, no event
    G->GetControlLook()->SetDropDownAlwaysVisible(true);
    EXPECT_TRUE(G->HasCombo(1, 1, edNone));
    EXPECT_FALSE(G->HasCombo(2, 1, edNone));
    EXPECT_TRUE(G->HasEditBtn(2, 1, edNone));
    EXPECT_TRUE(G->HasCombo(2, 1, edGridDropDown));   // the given kind wins over the cell's
    EXPECT_FALSE(G->HasSpinEdit(3, 1, edNone));
    G->GetControlLook()->SetSpinButtonsAlwaysVisible(true);
    EXPECT_TRUE(G->HasSpinEdit(3, 1, edNone));
    EXPECT_FALSE(G->HasSpinEdit(3, 0, edNone));        // never in fixed cells
    G->OnHasComboBox = [](TObject*, int, int, bool& Has) { Has = false; };
    EXPECT_FALSE(G->HasCombo(1, 1, edNone));
    EXPECT_TRUE(G->GetEditorNone(4, 1) == false);
    G->OnGetEditorType = [](TObject*, int, int, TEditorType& E) { E = edNone; };
    EXPECT_TRUE(G->GetEditorNone(4, 1));
}

TEST_F(QorGridHooks, FixedCellsIncludeTheWantedFixedRowsOfAGridOfFixedRowsOnly)
{
    auto Fixed = [&](int c, int r) {
        bool F = false;
        G->GetCellFixed(c, r, F);
        return F;
    };
    EXPECT_TRUE(Fixed(0, 5));
    EXPECT_TRUE(Fixed(3, 0));
    EXPECT_FALSE(Fixed(3, 5));
    G->SetFixedRowAlways(true);
    G->SetFixedRowsEx(2);
    G->SetRowCountEx(2);
    EXPECT_EQ(G->GetFixedRows(), 1);
    EXPECT_TRUE(Fixed(3, 1));   // RowCount equals the wanted fixed rows: every row is fixed
    G->OnIsFixedCell = [](TObject*, int, int ACol, bool& F) { F = ACol == 4; };
    G->SetRowCountEx(6);
    EXPECT_TRUE(Fixed(4, 3));
    EXPECT_FALSE(Fixed(3, 3));
}

struct ReadOnlyCase {
    const char* Name;
    bool Editing;        // goEditing in the options
    bool ReadOnlyProp;   // the cell's properties say read-only
    int Col;
    bool Enters;
    bool Expected;
};

class QorGridReadOnly : public QorGridHooks, public ::testing::WithParamInterface<ReadOnlyCase> {};

TEST_P(QorGridReadOnly, TheFlagCarriesWhetherTheCellMayBeEdited)
{
    const ReadOnlyCase& C = GetParam();
    TGridOptions O = G->GetOptions();
    G->SetOptions(C.Editing ? O + TGridOptions{goEditing} : O - TGridOptions{goEditing});
    if (C.ReadOnlyProp) G->GetCellProperties(2, 2)->SetReadOnly(true);
    bool CanEdit = C.Enters;
    G->GetCellReadOnly(C.Col, 2, CanEdit);
    EXPECT_EQ(CanEdit, C.Expected) << C.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Cells, QorGridReadOnly,
    ::testing::Values(ReadOnlyCase{"editable", true, false, 2, true, true},
                      ReadOnlyCase{"read-only properties", true, true, 2, true, false},
                      ReadOnlyCase{"no goEditing, properties", false, true, 2, true, false},
                      ReadOnlyCase{"no goEditing, no properties", false, false, 2, true, false},
                      ReadOnlyCase{"denied on entry", true, false, 2, false, false},
                      ReadOnlyCase{"column beyond the grid", true, false, 9, true, false},
                      ReadOnlyCase{"column beyond the grid, denied", true, false, 9, false, false}));

TEST_F(QorGridHooks, CanEditCellEventDecidesLastAndMergedCellsAskTheirBase)
{
    G->SetOptions(G->GetOptions() + TGridOptions{goEditing});
    std::vector<std::pair<int, int>> Asked;
    G->OnCanEditCell = [&](TObject*, int ARow, int ACol, bool& CanEdit) {
        Asked.emplace_back(ACol, ARow);
        CanEdit = ACol != 3;
    };
    G->MergeCells(2, 2, 2, 2);
    bool CanEdit = true;
    G->GetCellReadOnly(3, 3, CanEdit);   // covered by the area based at (2, 2)
    EXPECT_TRUE(CanEdit);
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0], std::pair(2, 2));
    CanEdit = true;
    G->GetCellReadOnly(3, 5, CanEdit);
    EXPECT_FALSE(CanEdit);
}

TEST_F(QorGridHooks, DeletingTheOnlyNormalRowClearsItAndStillReports)
{
    G->SetRowCountEx(2);
    G->SetCellEx(1, 1, L"last");
    G->DoDeleteRow(1);
    EXPECT_EQ(G->GetRowCount(), 2);
    EXPECT_EQ(G->GetCellEx(1, 1), L"");
    EXPECT_TRUE(G->Notes.RowsRemoved.empty());
    EXPECT_EQ(G->Notes.AutoDeletedRows, std::vector<int>{1});

    // With more normal rows (or wanted fixed rows) the row is removed.
    G->SetRowCountEx(4);
    G->DoDeleteRow(2);
    EXPECT_EQ(G->Notes.RowsRemoved, (std::vector<std::pair<int, int>>{{2, 1}}));
    G->SetRowCountEx(2);
    G->SetFixedRowAlways(true);
    G->DoDeleteRow(1);
    EXPECT_EQ(G->Notes.RowsRemoved.size(), 2u);
    EXPECT_EQ(G->Notes.AutoDeletedRows.size(), 3u);
}

TEST_F(QorGridHooks, SavedTextsFollowCheckBoxesMergesMarkupAndTheEvent)
{
    Widget(1, 1, ctCheckBox)->FCellBoolean = true;
    Widget(2, 1, ctCheckBox);
    EXPECT_EQ(G->SaveCell(1, 1), L"Y");
    EXPECT_EQ(G->SaveCell(2, 1), L"N");
    G->SetCellEx(1, 2, L"base");
    G->MergeCells(1, 2, 2, 1);
    G->SetGridCell(2, 2, L"covered");
    EXPECT_EQ(G->SaveCell(2, 2), L"base");      // displayed: the area's text
    G->SetSaveVirtCells(false);
    EXPECT_EQ(G->SaveCell(2, 2), L"covered");   // stored: the covered cell's own text
    G->SetSaveMergedCells(false);
    EXPECT_EQ(G->SaveCell(2, 2), L"");
    EXPECT_EQ(G->SaveCell(1, 2), L"base");
    G->SetCellEx(3, 3, L"<b>bold</b>");
    EXPECT_EQ(G->SaveCell(3, 3), L"<b>bold</b>");
    G->SetSaveWithHTML(false);
    EXPECT_EQ(G->SaveCell(3, 3), L"bold");
    G->OnSaveCell = [](TObject*, int ACol, int, String& V) { V += L"#" + IntToStr(ACol); };
    EXPECT_EQ(G->SaveCell(3, 3), L"bold#3");
}

TEST_F(QorGridHooks, LoadCellWritesTheRawCellAfterTheEvent)
{
    G->MergeCells(1, 1, 2, 1);
    G->OnLoadCell = [](TObject*, int, int, String& V) { V = L"[" + V + L"]"; };
    G->LoadCell(2, 1, L"x");
    EXPECT_EQ(G->GetGridCell(2, 1), L"[x]");   // no redirection to the base cell
    EXPECT_EQ(G->GetGridCell(1, 1), L"");
}

TEST_F(QorGridHooks, CheckTextsHintsAndSearchTextPassThroughTheirEvents)
{
    G->OnGetCheckTrue = [](TObject*, int ACol, int, String& V) {
        if (ACol == 2) V = L"Ja";
    };
    EXPECT_EQ(G->GetCheckTrue(1, 1), L"Y");
    EXPECT_EQ(G->GetCheckTrue(2, 1), L"Ja");
    EXPECT_EQ(G->GetCheckFalse(2, 1), L"N");
    G->OnSearchFooterSearch = [](TObject*, String& V) { V = UpperCase(V); };
    EXPECT_EQ(G->DoSearchFooterSearch(L"abc"), L"ABC");

    G->OnGridHint = [](TObject*, int, int, String& H) { H = L"note"; };
    int OfficeCalls = 0;
    G->OnOfficeHint = [&](TObject*, int, int, TQorHintInfo* Info) {
        ++OfficeCalls;
        EXPECT_EQ(Info->GetNotes()->GetText(), L"note\r\n");
    };
    String Hint;
    WideString Wide;
    G->GetCellHint(1, 1, Hint, Wide);
    EXPECT_EQ(Hint, L"note");
    EXPECT_EQ(OfficeCalls, 1);
}

TEST_F(QorGridHooks, GroupingLinesAndTheBorderEvent)
{
    Widget(0, 2, ctSummary);
    Widget(0, 4, ctNode);
    G->GetGrouping()->SetHeaderUnderline(true);
    G->GetGrouping()->SetSummaryLine(true);
    TFreePtr<TPen> Pen(Create<TPen>());
    auto BordersOf = [&](int c, int r) {
        TCellBorders B;
        G->GetCellBorder(c, r, Pen.get(), B);
        return B;
    };
    EXPECT_EQ(BordersOf(1, 4), TCellBorders{cbBottom});
    EXPECT_EQ(Pen->GetColor(), G->GetGrouping()->GetHeaderLineColor());
    EXPECT_EQ(BordersOf(1, 2), TCellBorders{cbTop});
    EXPECT_EQ(BordersOf(0, 2), TCellBorders{});    // column 0 never
    EXPECT_EQ(BordersOf(1, 3), TCellBorders{});
    G->OnGetCellBorder = [](TObject*, int, int, TPen*, TCellBorders& B) { B << cbLeft; };
    EXPECT_EQ(BordersOf(1, 3), TCellBorders{cbLeft});
    EXPECT_TRUE(G->HasCustomCellBorder());
}

namespace {

struct SelectListener : ITQorStringGridSelect {
    std::vector<std::pair<int, int>> Calls;
    void CurrentCellChanged(int ACol, int ARow) override { Calls.emplace_back(ACol, ARow); }
};

class OrderNotifier : public TGridChangeNotifier {
public:
    OrderNotifier(std::vector<String>* Log, String Name) : TGridChangeNotifier(nullptr), FLog(Log), FName(Name) {}
    void CellsChanged(TRect) override { FLog->push_back(FName); }

private:
    std::vector<String>* FLog;
    String FName;
};

}  // namespace

TEST_F(QorGridHooks, ListenersAndNotifiersHearTheirChanges)
{
    SelectListener A, B;
    G->RegisterSelListener(&A);
    EXPECT_TRUE(G->SelectCell(3, 4));
    EXPECT_FALSE(G->SelectCell(-1, 4));
    G->RegisterSelListener(&B);   // one listener at a time
    G->SelectCell(2, 2);
    G->UnRegisterSelListener(&A);  // whatever is passed, the registration goes
    G->SelectCell(3, 3);
    EXPECT_EQ(A.Calls, (std::vector<std::pair<int, int>>{{1, 4}}));
    EXPECT_EQ(B.Calls, (std::vector<std::pair<int, int>>{{1, 2}}));

    std::vector<String> Log;
    TFreePtr<OrderNotifier> N1(Create<OrderNotifier>(&Log, L"first"));
    TFreePtr<OrderNotifier> N2(Create<OrderNotifier>(&Log, L"second"));
    G->RegisterNotifier(N1.get());
    G->RegisterNotifier(N2.get());
    G->RegisterNotifier(N1.get());
    G->OnCellsChanged = [&](TObject*, TRect) { Log.push_back(L"event"); };
    G->CellsChanged(TRect(1, 1, 2, 2));
    EXPECT_EQ(Log, (std::vector<String>{L"first", L"second", L"event"}));
    G->UnRegisterNotifier(N1.get());
    Log.clear();
    G->CellsChanged(TRect(1, 1, 2, 2));
    EXPECT_EQ(Log, (std::vector<String>{L"second", L"event"}));
}

TEST_F(QorGridHooks, DispatchersFireTheirEvents)
{
    std::vector<String> Log;
    G->OnClickSort = [&](TObject*, int ACol) { Log.push_back(L"sort " + IntToStr(ACol)); };
    G->OnButtonClick = [&](TObject*, int ACol, int ARow) { Log.push_back(L"button " + IntToStr(ACol) + IntToStr(ARow)); };
    G->DoClickSort(3);
    G->DoButtonClick(2, 4);
    EXPECT_TRUE(G->CanTabToNextRow());
    EXPECT_EQ(Log, (std::vector<String>{L"sort 3", L"button 24"}));
    bool Suppress = false;
    G->DirectWheelChange(3, Suppress);
    EXPECT_TRUE(Suppress);
    G->DoAppendRow();
    EXPECT_EQ(G->GetRowCount(), 11);
    G->SelectionChanged(1, 1, 2, 2);
    ASSERT_EQ(G->Notes.SelectionChanges.size(), 1u);
    EXPECT_EQ(G->Notes.SelectionChanges[0], (TGridRect{1, 1, 2, 2}));
}

TEST_F(QorGridHooks, NewPropertiesNeverFreezeFixedBandOrSelectionColours)
{
    auto NewBrush = [&](int c, int r) {
        G->ClearPropCell(c, r);
        return G->GetCellProperties(c, r)->GetBrushColor();
    };
    EXPECT_EQ(NewBrush(0, 2), clNone);      // a fixed cell
    G->GetBands()->SetActive(true);
    EXPECT_EQ(NewBrush(2, 2), clNone);      // bands on
}
