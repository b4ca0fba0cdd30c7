// Cell access by real row, display column and unsorted row; links; rich text; the per-cell look;
// sizing asked of the application.
#include "tests/grid/view/GridModelKit.h"
#include "tests/support/UiHarness.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/WinScope.h"
#include "grid/input/HTMLHintWindow.h"
#include "grid/input/QorRichEdit.h"

namespace {

using QorGridAccess = GridModelTest;

}  // namespace

TEST_F(QorGridAccess, HiddenRowsAreReachedByTheirRealRow)
{
    G->HideRows(3, 4);
    EXPECT_EQ(G->GetCellsEx(2, 3), L"2.3");
    EXPECT_EQ(G->GetCellsEx(2, 5), L"2.5");
    EXPECT_TRUE(G->GetCellsEx(-1, 5).empty());
    // A hidden row's cells beyond the stored ones read as empty; writing there reaches them.
    ASSERT_NE(G->HiddenRow(4), nullptr);
    EXPECT_EQ(G->HiddenRow(5), nullptr);
    EXPECT_TRUE(G->GetGridCellsEx(7, 4).empty());
    G->SetGridCellsEx(7, 4, L"far");
    EXPECT_EQ(G->GetGridCellsEx(7, 4), L"far");
    G->SetCellsEx(1, 4, L"hidden");
    G->SetObjectsEx(1, 4, 42);
    EXPECT_EQ(G->GetObjectsEx(1, 4), NativeUInt(42));
    EXPECT_NE(dynamic_cast<TCellProperties*>(G->GetAllGraphicsObject(1, 4)), nullptr);
    EXPECT_EQ(G->GetObjectsEx(1, 5), NativeUInt(0));   // no visible cell changed
    G->UnHideRowsAll();
    EXPECT_EQ(G->GetCellEx(1, 4), L"hidden");
    EXPECT_EQ(G->GetObjectEx(1, 4), NativeUInt(42));
}

TEST_F(QorGridAccess, DisplayAndRealColumns)
{
    G->HideColumn(1);
    EXPECT_EQ(G->GetRealCell(1, 2), L"2.2");
    G->SetCellsEx(2, 2, L"x");
    EXPECT_EQ(G->GetCellEx(2, 2), L"x");
    G->SetRealCell(3, 2, L"y");
    EXPECT_EQ(G->GetCellEx(4, 2), L"y");
    EXPECT_EQ(G->UnSortedRowIndex(4), 4);
    EXPECT_EQ(G->SortedRowIndex(4), 4);
}

TEST_F(QorGridAccess, LinksKeepTheirCase)
{
    G->SetCellEx(1, 1, L"see HTTP://Example.com/Path?Q=1 now");
    EXPECT_EQ(G->GetHyperlink(1, 1), L"HTTP://Example.com/Path?Q=1 now");
    EXPECT_TRUE(G->HasHyperlink(1, 1));
    G->SetCellEx(1, 2, L"<a href=\"https://A.org/X\">Home</a>");
    String URL, Text;
    G->GetHyperlinkDetails(1, 2, URL, Text);
    EXPECT_EQ(URL, L"https://A.org/X");
    EXPECT_EQ(Text, L"Home");
    G->SetCellEx(1, 3, L"<a href='mailto:me@x.dk'>me</a>");
    G->GetHyperlinkDetails(1, 3, URL, Text);
    EXPECT_EQ(URL, L"mailto:me@x.dk");
    EXPECT_TRUE(Text.empty());
    EXPECT_TRUE(G->GetHyperlink(1, 4).empty());
}

TEST_F(QorGridAccess, ResettingARowColourKeepsEverythingElse)
{
    G->SetColors(1, 3, clRed);
    G->SetReadOnly(2, 3, true);
    G->SetColors(2, 3, clRed);
    G->SetColors(3, 3, clRed);
    const int Before = TCellProperties::LiveCount();
    G->SetRowColor(3, clNone);
    EXPECT_TRUE(G->GetReadOnly(2, 3));                    // kept, only the colour reset
    EXPECT_EQ(G->GetColors(2, 3), clNone);
    EXPECT_FALSE(G->HasCellProperties(3, 3));             // nothing else in it: dropped
    EXPECT_EQ(TCellProperties::LiveCount(), Before - 2);
    G->SetRowFontColor(4, clBlue);
    EXPECT_EQ(G->GetFontColors(4, 4), clBlue);
}

TEST_F(QorGridAccess, LookGettersCreateNothing)
{
    const int Before = TCellProperties::LiveCount();
    EXPECT_EQ(G->GetColors(2, 2), clNone);
    EXPECT_EQ(G->GetAlignments(2, 2), taLeftJustify);
    EXPECT_TRUE(G->GetFontStyles(2, 2).Empty());
    EXPECT_EQ(TCellProperties::LiveCount(), Before);
    G->GetWordWraps(2, 2);                                // this one does
    EXPECT_EQ(TCellProperties::LiveCount(), Before + 1);
    G->SetFontSizes(2, 2, 12);
    EXPECT_EQ(G->GetFontSizes(2, 2), 12);
}

// Real column 1 hidden; real columns 3 and 4 of row 2 merged (display columns 2 and 3).
class QorGridEditText : public GridModelTest {
protected:
    void SetUp() override
    {
        GridModelTest::SetUp();
        G->MergeCells(3, 2, 2, 1);
        G->HideColumn(1);
    }
};

TEST_F(QorGridEditText, ReadsAndWritesTheBaseCellOfTheDisplayCell)
{
    struct Case {
        int DisplCol;
        int Row;
        String Read;       // what the editor loads
        int WrittenCol;    // the real column the editor's text lands in
    };
    const Case Cases[] = {
        {1, 2, L"2.2", 2},   // left of the area
        {2, 2, L"3.2", 3},   // the base cell
        {3, 2, L"3.2", 3},   // the covered cell edits its base cell, not real column 4
        {3, 3, L"4.3", 4},   // below the area
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.DisplCol * 100 + c.Row);
        TearDown();   // a fresh grid for each case
        SetUp();
        EXPECT_EQ(G->GetEditText(c.DisplCol, c.Row), c.Read);
        EXPECT_TRUE(TGridTestAccess::NoEditChange(*G));
        G->SetEditText(c.DisplCol, c.Row, L"new");
        EXPECT_EQ(G->GetGridCell(c.WrittenCol, c.Row), L"new");
        for (int rc = 0; rc < 5; ++rc) {
            if (rc != c.WrittenCol) EXPECT_EQ(G->GetGridCell(rc, c.Row), IntToStr(rc) + L"." + IntToStr(c.Row)) << rc;
        }
    }
}

TEST_F(QorGridEditText, MarkupIsStrippedUnlessEditedWithTags)
{
    G->SetCellEx(2, 5, L"<b>bold</b> text");
    EXPECT_EQ(G->GetEditText(1, 5), L"bold text");
    G->SetEditWithTags(true);
    EXPECT_EQ(G->GetEditText(1, 5), L"<b>bold</b> text");
}

TEST_F(QorGridEditText, SettingTheCurrentEditCellWritesItsBaseCell)
{
    G->SetCol(3);
    G->SetRow(2);
    G->SetEditCell(L"cur");
    EXPECT_EQ(G->GetGridCell(3, 2), L"cur");
    EXPECT_EQ(G->GetGridCell(4, 2), L"4.2");
}

TEST(QorGridCellControls, KeepOneControlPerCellAndCountCells)
{
    TForm* Form = ui::NewForm();
    ui::FormGuard FG(Form);
    auto* G = Create<TQorStringGrid>(Form);
    G->SetParent(Form);
    G->SetBounds(0, 0, 380, 280);
    G->SetColCountEx(5);
    G->SetRowCountEx(10);
    G->HideColumn(1);
    G->HideRow(2);   // display row 4 is real row 5
    auto* A = Create<TPanel>(Form);
    auto* B = Create<TPanel>(Form);

    G->SetCellControls(3, 4, A);
    EXPECT_EQ(G->GetCellControls(3, 4), A);
    EXPECT_EQ(A->GetParent(), G);
    // Real column 3 shows as display column 2.
    const TRect R = G->CellRect(2, 4);
    EXPECT_EQ(A->GetLeft(), R.Left);
    EXPECT_EQ(A->GetTop(), R.Top);
    EXPECT_EQ(A->GetWidth(), R.Width() - 1);
    EXPECT_EQ(A->GetHeight(), R.Height() - 1);
    EXPECT_EQ(TGridTestAccess::CellControlCount(*G), 1);

    G->SetCellControls(3, 4, B);   // replaces: still one cell, one entry
    EXPECT_EQ(G->GetCellControls(3, 4), B);
    EXPECT_EQ(TGridTestAccess::CellControlCount(*G), 1);
    EXPECT_EQ(TGridTestAccess::ControlListCount(*G), 1);

    G->SetCellControls(2, 5, A);
    EXPECT_EQ(TGridTestAccess::CellControlCount(*G), 2);
    G->SetCellControls(3, 4, nullptr);
    G->SetCellControls(3, 4, nullptr);   // a cell without a control: nothing
    G->SetCellControls(1, 1, nullptr);
    EXPECT_EQ(G->GetCellControls(3, 4), nullptr);
    EXPECT_EQ(TGridTestAccess::CellControlCount(*G), 1);
    EXPECT_EQ(TGridTestAccess::ControlListCount(*G), 1);
    EXPECT_EQ(G->GetCellControls(4, 4), nullptr);
}

TEST_F(QorGridAccess, ZoomGrowsSizesWithinItsLimit)
{
    G->SetColWidths(2, 3);
    G->SetColWidths(3, 0);   // a collapsed column stays collapsed
    const int W = G->GetColWidths(1);
    const int H = G->GetRowHeights(1);
    G->Zoom(5);
    EXPECT_EQ(G->GetZoomFactor(), 5);
    EXPECT_EQ(G->GetColWidths(1), W + 5);
    EXPECT_EQ(G->GetRowHeights(1), H + 5);
    EXPECT_EQ(G->GetColWidths(3), 0);
    G->Zoom(-5);
    EXPECT_EQ(G->GetColWidths(1), W);
    EXPECT_EQ(G->GetColWidths(2), 3);
    G->Zoom(-4);
    EXPECT_EQ(G->GetColWidths(2), 3);   // a width that would vanish is kept
    G->Zoom(-17);                        // beyond -20: nothing
    EXPECT_EQ(G->GetZoomFactor(), -4);
    EXPECT_EQ(G->GetColWidths(1), W - 4);
}

TEST_F(QorGridAccess, HTMLHintsChooseTheApplicationsHintWindow)
{
    const THintWindowClass Saved = Application->HintWindowClass;
    const auto Restore = ScopeExit([&] { Application->HintWindowClass = Saved; });
    for (bool Html : {true, false}) {
        G->SetUseHTMLHints(Html);
        EXPECT_EQ(G->GetUseHTMLHints(), Html);
        THintWindow* W = Application->HintWindowClass(nullptr);
        EXPECT_EQ(dynamic_cast<THTMLHintWindow*>(W) != nullptr, Html);
        W->Free();
    }
}

TEST_F(QorGridAccess, RichCellsConvertThroughTheHiddenRichEdit)
{
    // The grid is on no form: its rich edit still converts.
    G->SetCellEx(1, 1, L"{\\rtf1\\ansi {\\b Spar} \\u9824? es\\par}");
    G->SetCellEx(1, 2, L"{\\rtf1\\ansi Hj\u00e6rter \u2665}");   // characters beyond the code page
    G->SetCellEx(1, 3, L"<b>fed</b> tekst");
    EXPECT_EQ(G->GetStrippedCell(1, 1), L"Spar \u2660 es");
    EXPECT_EQ(G->GetStrippedCell(1, 2), L"Hj\u00e6rter \u2665");
    EXPECT_EQ(G->GetStrippedCell(1, 3), L"fed tekst");
    // Out and back in: the rich text of one cell written into another reads the same.
    TQorRichEdit* R = G->GetRichEdit();
    G->CellToRich(1, 2, R);
    const String Rtf = G->RichToString(R);
    EXPECT_EQ(Rtf.substr(0, 5), L"{\\rtf");
    G->RichToCell(2, 4, R);
    EXPECT_EQ(G->GetCellEx(2, 4), Rtf);
    EXPECT_EQ(G->GetStrippedCell(2, 4), L"Hj\u00e6rter \u2665");
    // An empty cell clears the edit; no edit, nothing.
    G->SetCellEx(3, 3, String());
    G->CellToRich(3, 3, R);
    EXPECT_TRUE(R->GetText().empty());
    G->CellToRich(1, 1, nullptr);
    EXPECT_TRUE(G->RichToString(nullptr).empty());
}

TEST(QorGridRichEdit, IsAHiddenChildOfAGridOnAForm)
{
    TForm* Form = ui::NewForm();
    ui::FormGuard FG(Form);
    auto* G = Create<TQorStringGrid>(Form);
    TQorRichEdit* R = G->GetRichEdit();   // no parent yet: a message-only window holds it
    EXPECT_EQ(R->GetParent(), nullptr);
    G->SetParent(Form);
    EXPECT_EQ(G->GetRichEdit(), R);
    EXPECT_EQ(R->GetParent(), G);
    EXPECT_FALSE(R->GetVisible());
    EXPECT_EQ(R->GetWidth(), 0);
    G->SetCellEx(1, 1, L"{\\rtf1 ud}");
    EXPECT_EQ(G->GetStrippedCell(1, 1), L"ud");
    int Changes = 0;
    G->OnRichEditSelectionChange = [&](TObject* S) { Changes += S == G; };
    G->RichSelChange(R);
    EXPECT_EQ(Changes, 1);
}

TEST_F(QorGridAccess, SizingIsAskedOfTheApplication)
{
    G->SetBounds(0, 0, 400, 300);
    G->SetOptions(G->GetOptions() + TGridOptions{goColSizing, goRowSizing});
    TGridDrawInfo D;
    G->CalcDrawInfo(D);
    auto State = [&](int X, int Y) {
        TGridState S = gsNormal;
        int Index = -1, Pos = 0, Ofs = 0;
        G->CalcSizingState(X, Y, S, Index, Pos, Ofs, D);
        return S;
    };
    const TRect Col = G->CellRect(1, 0);   // column 1's right border in the fixed row
    const TRect Row = G->CellRect(0, 2);   // row 2's bottom border in the fixed column
    const TPoint AtCol{Col.Right - 1, Col.Top + 4}, AtRow{Row.Left + 4, Row.Bottom - 1};
    ASSERT_EQ(State(AtCol.X, AtCol.Y), gsColSizing);
    ASSERT_EQ(State(AtRow.X, AtRow.Y), gsRowSizing);
    std::vector<int> Cols, Rows;
    G->OnColumnSize = [&](TObject*, int c, bool& Allow) {
        Cols.push_back(c);
        Allow = false;
    };
    G->OnRowSize = [&](TObject*, int r, bool& Allow) {
        Rows.push_back(r);
        Allow = false;
    };
    EXPECT_EQ(State(AtCol.X, AtCol.Y), gsNormal);
    EXPECT_EQ(State(AtRow.X, AtRow.Y), gsNormal);
    EXPECT_EQ(Cols, std::vector<int>{1});
    EXPECT_EQ(Rows, std::vector<int>{2});
    G->OnColumnSize = [](TObject*, int, bool&) {};
    G->OnRowSize = [](TObject*, int, bool&) {};
    EXPECT_EQ(State(AtCol.X, AtCol.Y), gsColSizing);
}
