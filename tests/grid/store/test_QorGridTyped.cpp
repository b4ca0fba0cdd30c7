// Typed views of cell texts: numbers, dates, errors; print widths; headers; range formatting.
#include "tests/grid/view/GridModelKit.h"

namespace {

using QorGridTyped = GridModelTest;

}  // namespace

TEST_F(QorGridTyped, IntegersReadTheirTextOrRaise)
{
    TFormatSettingsGuard Guard(TFormatSettings::EnglishUS());
    const struct {
        const wchar_t* Text;
        int Value;
    } Cases[] = {{L"", 0}, {L"-", 0}, {L"  42 ", 42}, {L"<b>7</b>", 7}, {L"2.5", 2}, {L"3.5", 4},
                 {L"1,234", 1234}, {L"$1F", 31}};
    for (const auto& C : Cases) {
        G->SetCellEx(1, 1, C.Text);
        EXPECT_EQ(G->GetInts(1, 1), C.Value) << String(C.Text);
    }
    G->SetCellEx(1, 1, L"abc");
    try {
        G->GetInts(1, 1);
        ADD_FAILURE();
    } catch (const EQorGridError& E) {
        EXPECT_EQ(E.GetMessage(), QorGridConsts::SNoIntegerValue);
    }
    G->SetCellEx(1, 1, L"<b>7</b>");
    EXPECT_THROW(G->GetAllInts(1, 1), EQorGridError);     // the display text is not stripped
    G->SetInts(2, 2, -5);
    EXPECT_EQ(G->GetCellEx(2, 2), L"-5");
}

TEST_F(QorGridTyped, FloatsAndValuesForCalculations)
{
    TFormatSettingsGuard Guard(TFormatSettings::EnglishUS());
    G->SetCellEx(1, 1, L"(1,234.50)");
    EXPECT_DOUBLE_EQ(G->GetFloats(1, 1), -1234.5);
    G->SetCellEx(1, 1, L"-");
    EXPECT_DOUBLE_EQ(G->GetFloats(1, 1), 0);
    G->SetCellEx(1, 1, L"x");      // no number at all: the empty rest reads as 0
    EXPECT_DOUBLE_EQ(G->GetFloats(1, 1), 0);
    G->SetCellEx(1, 1, L"1e");
    EXPECT_THROW(G->GetFloats(1, 1), EQorGridError);
    G->SetFloats(1, 1, 2.0);
    EXPECT_EQ(G->GetCellEx(1, 1), L"2.00");
    G->SetCellEx(2, 1, L"");
    EXPECT_DOUBLE_EQ(G->CellToReal(2, 1), 0);
    G->SetCellEx(2, 1, L"a1");
    EXPECT_DOUBLE_EQ(G->CellToReal(2, 1), 1);
    G->SetCellEx(2, 1, L"1a2");
    EXPECT_DOUBLE_EQ(G->CellToReal(2, 1), 1);
}

TEST_F(QorGridTyped, DatesHonourShowNullDates)
{
    G->SetShowNullDates(false);
    G->SetDates(1, 1, 0);
    EXPECT_TRUE(G->GetCellEx(1, 1).empty());
    G->SetShowNullDates(true);
    G->SetDates(1, 1, 0);
    EXPECT_EQ(G->GetCellEx(1, 1), DateToStr(0));
    G->SetDates(1, 2, 45000);
    EXPECT_DOUBLE_EQ(G->GetDates(1, 2), 45000);
}

TEST_F(QorGridTyped, HeadersFillTheFirstRowAndColumn)
{
    G->GetColumnHeaders()->Add(L"A");
    G->GetColumnHeaders()->Add(L"two\\nlines");
    EXPECT_EQ(G->GetCellEx(0, 0), L"A");
    EXPECT_EQ(G->GetCellEx(1, 0).find(L"\\n"), String::npos);
    EXPECT_TRUE(G->GetCellEx(1, 0).starts_with(L"two"));
    EXPECT_EQ(G->GetCellEx(2, 0), L"2.0");
    EXPECT_EQ(G->ColumnByHeader(L"A"), 0);
    EXPECT_EQ(G->ColumnByHeader(L"a"), -1);
    int C = -1, R = -1;
    EXPECT_TRUE(G->IsCell(L"3.4", C, R));
    EXPECT_EQ(C, 3);
    EXPECT_EQ(R, 4);
    EXPECT_FALSE(G->IsCell(L"3.", C, R));
}

TEST_F(QorGridTyped, RangeFormatting)
{
    EXPECT_TRUE(G->IsFontStyle(TGridRect{3, 3, 2, 2}, fsBold));
    EXPECT_TRUE(G->IsAlignment(TGridRect{3, 3, 2, 2}, taCenter));
    G->SetFontStyle(TGridRect{1, 1, 2, 2}, fsBold, true);
    EXPECT_TRUE(G->IsFontStyle(TGridRect{1, 1, 2, 2}, fsBold));
    EXPECT_FALSE(G->IsFontStyle(TGridRect{1, 1, 3, 2}, fsBold));
    G->SetAlignment(TGridRect{1, 1, 1, 3}, taRightJustify);
    EXPECT_TRUE(G->IsAlignment(TGridRect{1, 1, 1, 3}, taRightJustify));
}

TEST_F(QorGridTyped, PrintWidthsCoverEveryRealColumn)
{
    G->HideColumn(2);   // four shown columns, five real ones
    for (int c : {0, 4}) {
        EXPECT_EQ(G->GetPrintColWidth(c), 0) << c;   // nothing printed yet
        EXPECT_EQ(G->GetPrintColOffset(c), 0) << c;
    }
    for (int c : {-1, 5}) {
        try {
            G->GetPrintColWidth(c);
            ADD_FAILURE() << c;
        } catch (const EQorGridError& E) {
            EXPECT_EQ(E.GetMessage(), QorGridConsts::SColumnsNotInRange);
        }
        EXPECT_THROW(G->GetPrintColOffset(c), EQorGridError) << c;
    }
}
