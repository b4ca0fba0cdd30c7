// Sizing to contents, fitting the columns, numbering, swaps and text layout. The column sizing
// of a plain grid (each distinct text measured once) is checked against a descendant grid with
// the same contents, which measures every cell through the painting's per-cell path, over a table
// of texts, cell looks and settings.
#include "tests/grid/QorGridKit.h"
#include "tests/support/UiHarness.h"

#include "grid/paint/CellGraphic.h"
#include "grid/store/QorGridOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int CW = 60, RH = 22;

template <class TGrid>
TGrid* NewGrid(TForm* Form, int Cols, int Rows)
{
    auto* G = Create<TGrid>(Form);
    G->SetBorderStyle(bsNone);
    G->SetDefaultColWidth(CW);
    G->SetDefaultRowHeight(RH);
    G->SetColCount(Cols);
    G->SetRowCount(Rows);
    G->SetBounds(0, 0, 400, 300);
    G->GetFont()->SetName(L"Arial");
    G->GetFont()->SetSize(10);
    G->SetParent(Form);
    G->HandleNeeded();
    return G;
}

struct AutoSize : ::testing::Test {
    TForm* Form = ui::NewForm(500, 400);
    ui::FormGuard Guard{Form};
    TQorStringGrid* G = NewGrid<TQorStringGrid>(Form, 4, 6);

    int TextWidth(const String& s, TFont* Font = nullptr)
    {
        TCanvas* C = G->GetCanvas();
        C->GetFont()->Assign(Font ? Font : G->GetFont());
        return C->TextWidth(s);
    }
    // The width SizeToWidth gives a column whose widest content is W pixels.
    int Natural(int W) { return G->XOffsetSize() + W + 2 * G->GetGridLineWidth() + 2; }
};

}  // namespace

TEST_F(AutoSize, ColumnFitsItsWidestTextWithinTheLimits)
{
    G->SetCellEx(1, 1, L"Kontrakt");
    G->SetCellEx(1, 2, L"Fire spar af nord");
    G->SetCellEx(1, 3, L"Øst");
    const int Want = Natural(TextWidth(L"Fire spar af nord"));
    struct {
        int Min, Max, Expected;
    } Cases[] = {
        {0, 0, Want},                 // equal limits: none applies
        {Want + 50, 0, Want + 50},    // a lower limit alone
        {0, Want - 10, Want - 10},    // an upper limit alone
        {40, 40, Want},               // equal limits again
    };
    for (const auto& C : Cases) {
        G->SetMinColWidth(C.Min);
        G->SetMaxColWidth(C.Max);
        G->AutoSizeCol(1);
        EXPECT_EQ(G->GetColWidths(1), C.Expected) << C.Min << "/" << C.Max;
    }
    // Padding comes on top, through the limits again.
    G->SetMinColWidth(0);
    G->SetMaxColWidth(0);
    G->AutoSizeCol(1, 7);
    EXPECT_EQ(G->GetColWidths(1), Want + 7);
    // Grow-only keeps a wider column; without it the column shrinks to its contents.
    G->SetColWidths(1, 300);
    G->AutoGrowCol(1);
    EXPECT_EQ(G->GetColWidths(1), 300);
    EXPECT_FALSE(G->GetSizeGrowOnly());
    G->SizeToWidth(1, true);
    EXPECT_EQ(G->GetColWidths(1), 300);
    G->SizeToWidth(1, false);
    EXPECT_EQ(G->GetColWidths(1), Want);
}

TEST_F(AutoSize, RowsLookedAtFollowColumnSizeRows)
{
    G->SetCellEx(1, 0, L"Hd");
    G->SetCellEx(1, 2, L"A much longer normal text");
    G->GetColumnSize()->SetRows(arFixed);
    G->SizeToWidth(1, false);
    EXPECT_EQ(G->GetColWidths(1), Natural(TextWidth(L"Hd", G->GetFixedFont())));
    G->GetColumnSize()->SetRows(arNormal);
    G->SizeToWidth(1, false);
    EXPECT_EQ(G->GetColWidths(1), Natural(TextWidth(L"A much longer normal text")));
}

// Texts of every kind the sizing tells apart: plain lines, blanks, prefixes, tabs, line breaks,
// markup, formulas, links (whose protocol is not measured), and texts that only look like one.
const wchar_t* const Texts[] = {L"Kontrakt", L"  leading", L"trailing   ", L"a&b && c", L"tab\there",
                                L"two\r\nlines here", L"<b>bold markup</b>", L"=1+2",
                                L"http://www.example.com/bridge", L"", L"♥ Æblegrød ♠", L"Kontrakt", L"x",
                                L"Fixed footer text", L"W", L"Kl. 12:30 i klubben", L"mailto:nord@example.com",
                                L"a < b og b > c", L"{ikke rich text}", L"|ikke kodet", L"|\\41", L"slut\t"};

TEST_F(AutoSize, EachTextAloneSizesItsColumnAsMeasuringItsCellDoes)
{
    auto* D = NewGrid<TTestableQorGrid>(Form, 4, 3);
    struct {
        bool WordWrap, Multi;
    } Settings[] = {{true, false}, {false, false}, {false, true}};
    for (const auto& S : Settings)
        for (const wchar_t* T : Texts) {
            for (TQorStringGrid* X : {static_cast<TQorStringGrid*>(G), static_cast<TQorStringGrid*>(D)}) {
                X->SetWordWrapEx(S.WordWrap);
                X->SetMultilinecells(S.Multi);
                X->SetCellEx(1, 1, T);
                X->AutoSizeCol(1);
            }
            EXPECT_EQ(G->GetColWidths(1), D->GetColWidths(1)) << T << " " << S.WordWrap << S.Multi;
        }
}

TEST_F(AutoSize, CellsWithLooksOfTheirOwnAgreeWithMeasuringEveryCell)
{
    // Looks that leave the width alone and looks that change it, on the widest text of a normal
    // row and of a fixed row; the plain texts around it are measured first, in the column's font.
    using TLook = void (*)(TQorStringGrid*, int, int);
    const struct {
        const char* Name;
        TLook Apply;
    } Looks[] = {
        {"colour", [](TQorStringGrid* X, int c, int r) { X->SetColors(c, r, clYellow); }},
        {"colour to", [](TQorStringGrid* X, int c, int r) { X->SetColorsTo(c, r, clBlue); }},
        {"font colour", [](TQorStringGrid* X, int c, int r) { X->SetFontColors(c, r, clRed); }},
        {"alignment", [](TQorStringGrid* X, int c, int r) { X->SetAlignments(c, r, taRightJustify); }},
        {"no word wrap", [](TQorStringGrid* X, int c, int r) { X->SetWordWraps(c, r, false); }},
        {"read-only", [](TQorStringGrid* X, int c, int r) { X->SetReadOnly(c, r, true); }},
        {"gradient", [](TQorStringGrid* X, int c, int r) { X->SetGradientDir(c, r, GradientVertical); }},
        {"italic", [](TQorStringGrid* X, int c, int r) { X->SetFontStyles(c, r, TFontStyles{fsItalic}); }},
        {"font size", [](TQorStringGrid* X, int c, int r) { X->SetFontSizes(c, r, 16); }},
        {"check box", [](TQorStringGrid* X, int c, int r) { X->AddCheckBox(c, r, false, false); }},
        {"merged", [](TQorStringGrid* X, int c, int r) { X->MergeCells(c, r, 2, 1); }},
    };
    for (const auto& L : Looks)
        for (const int Row : {0, 2}) {
            TQorStringGrid* X[] = {NewGrid<TQorStringGrid>(Form, 4, 5), NewGrid<TTestableQorGrid>(Form, 4, 5)};
            for (TQorStringGrid* Y : X) {
                Y->GetColumnSize()->SetRows(arAll);
                for (int r = 0; r < 5; ++r) Y->SetCellEx(1, r, L"Kort");
                Y->SetCellEx(1, Row, L"Den brede tekst med sit eget udseende");
                L.Apply(Y, 1, Row);
                Y->AutoSizeCol(1);
            }
            EXPECT_EQ(X[0]->GetColWidths(1), X[1]->GetColWidths(1)) << L.Name << " in row " << Row;
            for (TQorStringGrid* Y : X) Y->Free();
        }
}

TEST_F(AutoSize, MeasuringEachTextOnceAgreesWithMeasuringEveryCell)
{
    auto* D = NewGrid<TTestableQorGrid>(Form, 4, 2);
    const int n = int(std::size(Texts));
    for (TQorStringGrid* X : {static_cast<TQorStringGrid*>(G), static_cast<TQorStringGrid*>(D)}) {
        X->SetRowCount(n + 2);
        X->SetFixedRows(2);
        X->SetFixedFooters(1);
        X->GetFixedFont()->SetSize(14);
        for (int r = 0; r < n; ++r) X->SetCellEx(2, r, Texts[r]);
        X->SetFontStyles(2, 5, TFontStyles{fsBold});   // a cell with a look of its own
        X->SetCellEx(2, n + 1, L"A longer text in the footer row");
    }
    struct {
        bool WordWrap, Multi;
        int Zoom;
    } Settings[] = {{true, false, 0}, {false, false, 0}, {false, true, 0}, {true, true, 3}, {false, false, -2}};
    for (const auto& S : Settings) {
        for (int Row = 0; Row < n + 1; ++Row) {
            // The widest text moves through the rows, so that every row once decides the width.
            for (TQorStringGrid* X : {static_cast<TQorStringGrid*>(G), static_cast<TQorStringGrid*>(D)}) {
                X->SetWordWrapEx(S.WordWrap);
                X->SetMultilinecells(S.Multi);
                X->SetZoomFactor(S.Zoom);
                X->SetCellEx(3, Row, L"WWWWWWWWWWWWWWWWWWWW wide");
                if (Row > 0) X->SetCellEx(3, Row - 1, Texts[Row - 1]);
                X->AutoSizeCol(2);
                X->AutoSizeCol(3);
            }
            ASSERT_EQ(G->GetColWidths(2), D->GetColWidths(2)) << S.WordWrap << S.Multi << S.Zoom;
            ASSERT_EQ(G->GetColWidths(3), D->GetColWidths(3)) << S.WordWrap << S.Multi << S.Zoom << " row " << Row;
        }
    }
}

TEST_F(AutoSize, LongColumnsOfDistinctTextsAgreeWithMeasuringEveryCell)
{
    // Past the first few thousand distinct texts the sizing stops keeping them; the widest text
    // comes late, among markup and a cell with its own font.
    auto* D = NewGrid<TTestableQorGrid>(Form, 3, 2);
    const int n = 6000;
    for (TQorStringGrid* X : {static_cast<TQorStringGrid*>(G), static_cast<TQorStringGrid*>(D)}) {
        X->SetRowCount(n);
        for (int r = 1; r < n; ++r) X->SetCellEx(1, r, L"Række " + IntToStr(r * 7));
        X->SetCellEx(1, n - 7, L"Den bredeste tekst i kolonnen");
        X->SetCellEx(1, n - 5, L"<b>Den bredeste tekst</b>");
        X->SetFontStyles(1, n - 3, TFontStyles{fsBold});
        X->AutoSizeCol(1);
    }
    EXPECT_EQ(G->GetColWidths(1), D->GetColWidths(1));
    EXPECT_GT(G->GetColWidths(1), Natural(TextWidth(L"Den bredeste tekst i kolonnen")) - 1);
}

TEST_F(AutoSize, OneLineExtentAgreesWithTheLaidOutText)
{
    // A single line that fits is measured by its extent; the layout must give the same size.
    G->SetColWidths(1, 2000);
    TCanvas* C = G->GetCanvas();
    for (const wchar_t* T : {L"Kontrakt", L"  leading", L"trailing   ", L" ", L"a&b && c", L"♥ Æblegrød ♠",
                             L"one two three four five six seven eight nine ten eleven twelve"}) {
        G->SetCellEx(1, 1, T);
        const TPoint P = G->GetCellTextSize(1, 1, true, false);
        C->GetFont()->Assign(G->GetFont());
        C->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
        RECT R{0, 0, 1900, 100};
        const int H = ::DrawTextW(C->GetHandle(), T, -1, &R,
                                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_EDITCONTROL);
        EXPECT_EQ(P, TPoint(R.right - R.left, H)) << String(T);
    }
}

TEST_F(AutoSize, CellsAndRowsGrowToTheirTexts)
{
    G->SetCellEx(1, 1, L"Kontrakt");
    G->SetCellEx(2, 2, L"A long text in a cell");
    G->AutoSizeCells(false, 4, 2);
    EXPECT_EQ(G->GetColWidths(2), TextWidth(L"A long text in a cell") + 4 + G->GetXYOffset().X);
    EXPECT_EQ(G->GetColWidths(1), TextWidth(L"Kontrakt") + 4 + G->GetXYOffset().X);
    EXPECT_EQ(G->GetColWidths(3), 4 + G->GetXYOffset().X);   // empty cells: their margins
    EXPECT_EQ(G->GetColWidths(0), CW);                         // fixed cells left out
    // Rows: one line each without word wrap; three lines make the row taller.
    auto* T = NewGrid<TTestableQorGrid>(Form, 3, 4);
    T->SetWordWrapEx(false);
    T->SetMultilinecells(true);
    T->SetCellEx(1, 2, L"one\rtwo\rthree");
    T->Notes.Exports.clear();
    T->AutoSizeRows(false, 0);
    EXPECT_GT(T->GetRowHeights(2), 2 * T->GetRowHeights(1));
    EXPECT_EQ(T->MaxLinesInRow(2), 3);
    using E = std::pair<TGridExportState, int>;
    const std::vector<E> Notes{{esExportStart, 1}, {esExportNextRow, 1}, {esExportNextRow, 2},
                               {esExportNextRow, 3}, {esExportDone, -1}};
    EXPECT_EQ(T->Notes.Exports, Notes);
    // With word wrap the row is sized to its cells' measured height.
    T->SetWordWrapEx(true);
    T->SetCellEx(1, 3, L"x");
    T->AutoSizeRow(3);
    EXPECT_LT(T->GetRowHeights(3), T->GetRowHeights(2));
    EXPECT_GT(T->GetRowHeights(3), 0);
}

TEST_F(AutoSize, FittingColumnsKeepsProportionsAndGivesTheRestToTheWidest)
{
    G->SetScrollBars(TScrollStyle::ssNone);
    G->SetOptions(G->GetOptions() - TGridOptions{goVertLine, goFixedVertLine});
    G->SetColWidths(0, 30);
    G->SetColWidths(1, 50);
    G->SetColWidths(2, 100);
    G->SetColWidths(3, 51);
    G->AutoFitColumns(false);
    EXPECT_EQ(G->GetColWidths(0), 30);   // the fixed column keeps its width
    EXPECT_EQ(G->GetColWidths(1) + G->GetColWidths(2) + G->GetColWidths(3), 400 - 30);
    EXPECT_NEAR(G->GetColWidths(2), 2 * G->GetColWidths(1), 2);
    EXPECT_GE(G->GetColWidths(2), 2 * G->GetColWidths(1));   // the remainder went to the widest
    EXPECT_EQ(TGridTestAccess::OrigColSizes(*G), 4);
    // Already filling: nothing changes, no reference sizes are recorded.
    G->SetColCount(3);
    G->SetColWidths(1, 180);
    G->SetColWidths(2, 190);
    const int Before = TGridTestAccess::OrigColSizes(*G);
    G->AutoFitColumns(false);
    EXPECT_EQ(G->GetColWidths(1), 180);
    EXPECT_EQ(G->GetColWidths(2), 190);
    EXPECT_EQ(TGridTestAccess::OrigColSizes(*G), Before);
    // One column takes the whole width; none: nothing to write.
    G->SetFixedCols(0);
    G->SetColCount(1);
    G->AutoFitColumns(true);
    EXPECT_EQ(G->GetColWidths(0), 400);
    G->SetColCount(0);
    G->AutoFitColumns(true);
    EXPECT_EQ(G->GetColCount(), 0);
}

TEST_F(AutoSize, NumberingColumnsAndRows)
{
    G->SetRowCount(6);
    G->SetFixedRows(2);
    auto Column = [&] {
        std::wstring s;
        for (int r = 0; r < G->GetRowCount(); ++r) s += G->GetCellEx(1, r) + L"|";
        return s;
    };
    struct {
        int Start, Offset;
        TSortDirection Dir;
        int Footers;
        const wchar_t* Expected;
    } Cases[] = {
        {0, 0, sdAscending, 0, L"||1|2|3|4|"},
        {0, 0, sdDescending, 0, L"||4|3|2|1|"},
        {0, 10, sdAscending, 0, L"||11|12|13|14|"},
        {2, 0, sdAscending, 0, L"||k|k|3|4|"},
        {1, 0, sdDescending, 1, L"||3|2|k|k|"},
    };
    for (const auto& C : Cases) {
        for (int r = 0; r < G->GetRowCount(); ++r) G->SetCellEx(1, r, r < 2 ? L"" : L"k");
        G->SetFixedFooters(C.Footers);
        G->SetAutoNumberStart(C.Start);
        G->SetAutoNumberOffset(C.Offset);
        G->SetAutoNumberDirection(C.Dir);
        G->AutoNumberCol(1);
        EXPECT_EQ(Column(), C.Expected);
    }
    G->SetFixedFooters(0);
    G->SetAutoNumberStart(0);
    G->SetAutoNumberOffset(0);
    G->SetAutoNumberDirection(sdAscending);
    G->AutoNumberRow(3);
    EXPECT_EQ(G->GetCellEx(0, 3), L"");
    EXPECT_EQ(G->GetCellEx(1, 3) + G->GetCellEx(2, 3) + G->GetCellEx(3, 3), L"123");
    G->AutoNumberCol(9);   // no such column: nothing
}

TEST_F(AutoSize, SwappingColumnsMovesCellsPropertiesAndHiddenRowsButNotHiddenColumns)
{
    G->SetColCount(5);
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 6; ++r) G->SetCellEx(c, r, String(1, Char(L'a' + c)) + IntToStr(r));
    G->SetColors(1, 2, clRed);
    G->SetColWidths(1, 41);
    G->SetColWidths(3, 43);
    G->HideRow(4);
    G->HideColumn(2);   // display columns: 0 a, 1 b, 2 d, 3 e
    G->GetSortSettings()->SetColumn(2);
    G->SwapColumns(1, 2);
    EXPECT_EQ(G->GetSortSettings()->GetColumn(), 1);   // the sort column follows its cells
    G->UnHideColumn(2);
    G->UnHideRows(4, 4);
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(G->GetCellEx(1, r), L"d" + IntToStr(r));
        EXPECT_EQ(G->GetCellEx(2, r), L"c" + IntToStr(r));   // the hidden column stays
        EXPECT_EQ(G->GetCellEx(3, r), L"b" + IntToStr(r));
    }
    EXPECT_EQ(G->GetColors(3, 2), clRed);
    EXPECT_EQ(G->GetColWidths(1), 43);
    EXPECT_EQ(G->GetColWidths(3), 41);

    // Rows take the hidden columns' cells with them; cells swap texts and objects.
    G->HideColumn(2);
    G->SwapRows(1, 5);
    G->UnHideColumn(2);
    EXPECT_EQ(G->GetCellEx(2, 1), L"c5");
    EXPECT_EQ(G->GetCellEx(1, 5), L"d1");
    G->SwapCells(TGridCoord{3, 2}, TGridCoord{0, 0});
    EXPECT_EQ(G->GetCellEx(0, 0), L"b2");
    EXPECT_EQ(G->GetColors(0, 0), clRed);
    EXPECT_EQ(G->GetCellEx(3, 2), L"a0");
}

TEST_F(AutoSize, TextLayout)
{
    // Start points of rotated text; a text 40 x 10 in a rectangle 100 x 20 at (10, 50).
    struct {
        int Angle;
        TAlignment H;
        TVAlignment V;
        int x1, x2, y1, y2;
        TPoint Start;
    } Cases[] = {
        {0, taCenter, vtaCenter, 40, 0, 0, 10, {10 + 30, 50 + 5}},
        {90, taLeftJustify, vtaTop, 0, 10, 40, 0, {10, 50 + 40}},
        {0, taRightJustify, vtaBottom, 40, 0, 0, 10, {110 - 40, 70 - 10}},
        {180, taLeftJustify, vtaTop, 40, 0, 0, 10, {10 + 40, 50 + 10}},
        {270, taRightJustify, vtaTop, 0, 10, 40, 0, {110, 50}},
        {300, taLeftJustify, vtaBottom, 20, 8, 34, 5, {10 + 8, 70 - 39}},
    };
    for (const auto& C : Cases) {
        TRect R(10, 50, 110, 70);
        QorGridUnit::PositionText(R, C.H, C.V, C.Angle, C.x1, C.x2, C.y1, C.y2);
        EXPECT_EQ(R, TRect(C.Start.X, C.Start.Y, 110, 70)) << C.Angle;
    }
    // CalcTextPos measures in the canvas font and works 2 pixels inside the rectangle.
    G->GetCanvas()->GetFont()->Assign(G->GetFont());
    TRect R(0, 0, 200, 40);
    TSize Sz{};
    G->CalcTextPos(R, Sz, 0, L"Kontrakt", taRightJustify, vtaTop);
    EXPECT_EQ(Sz.cx, TextWidth(L"Kontrakt"));
    EXPECT_EQ(R, TRect(198 - Sz.cx, 2, 198, 38));

    // Margins, longest line, line counts.
    G->SetXYOffset(TPoint(3, 4));
    EXPECT_EQ(G->XOffsetSize(), 6);
    G->SetXYOffsetTopLeftOnly(true);
    EXPECT_EQ(G->YOffsetSize(), 4);
    G->SetCellEx(1, 1, L"ab\rabcdefg");
    G->SetCellEx(1, 2, L"abcd");
    EXPECT_EQ(G->MaxCharsInCol(1), 4);
    EXPECT_EQ(G->MaxLinesInRow(1), 1);
    G->SetMultilinecells(true);
    EXPECT_EQ(G->MaxCharsInCol(1), 7);
    EXPECT_EQ(G->MaxLinesInRow(1), 2);
}
