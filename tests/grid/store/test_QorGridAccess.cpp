// Cell access by real row, display column and unsorted row; links; the per-cell look.
#include "tests/grid/view/GridModelKit.h"

namespace {

using QorGridAccess = GridModelTest;

}  // namespace

TEST_F(QorGridAccess, HiddenRowsAreReachedByTheirRealRow)
{
    G->HideRows(3, 4);
    EXPECT_EQ(G->GetCellsEx(2, 3), L"2.3");
    EXPECT_EQ(G->GetCellsEx(2, 5), L"2.5");
    EXPECT_TRUE(G->GetCellsEx(-1, 5).empty());
    // Reading beyond a hidden row's stored cells extends them.
    TStringList* L = G->HiddenRow(4);
    ASSERT_NE(L, nullptr);
    EXPECT_TRUE(G->GetGridCellsEx(7, 4).empty());
    EXPECT_EQ(L->Count(), 8);
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
