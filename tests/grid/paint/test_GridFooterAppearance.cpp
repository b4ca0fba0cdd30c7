// The floating footer's calculated row (each kind, cells without properties, non-numeric cells,
// the custom events, a footer that is off) and the appearance setters with side effects.
#include "tests/grid/QorGridKit.h"

#include "grid/input/FloatingFooter.h"
#include "graphics/JyrHTMLText.h"

#include <gtest/gtest.h>

namespace {

class GridFooter : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableQorGrid>(nullptr);
        G->SetColCount(4);
        G->SetRowCount(7);   // 1 fixed row, 5 data rows, the footer row
        const wchar_t* Values[] = {L"1", L"2", L"x", L"4", L""};
        for (int r = 1; r <= 5; ++r) {
            G->SetCellEx(1, r, Values[r - 1]);
            G->SetCellEx(2, r, r % 2 ? L"a" : L"A");
        }
        G->GetFloatingFooter()->SetVisible(true);
        G->SetFloatFormat(L"%.1f");
    }
    void TearDown() override { G->Free(); }
    void Kind(int c, TColumnCalcType K) { G->GetCellProperties(c, 6)->SetCalcType(K); }
    String Footer(int c) { return G->GetGridCell(c, 6); }

    TTestableQorGrid* G = nullptr;
};

}  // namespace

TEST_F(GridFooter, EachKindOverTheDataRows)
{
    struct Case { TColumnCalcType K; int Col; const wchar_t* Want; };
    // Column 1 holds 1, 2, x, 4, "" (x left out, "" counts 0); column 2 a, A, a, A, a.
    const Case Cases[] = {{acSUM, 1, L"7.0"},    {acAVG, 1, L"1.4"},   {acMIN, 1, L"0.0"},
                          {acMAX, 1, L"4.0"},    {acCOUNT, 1, L"5"},   {acDISTINCT, 2, L"1.0"},
                          {acSTDDEV, 3, L"0.0"}};
    for (const Case& C : Cases) {
        Kind(C.Col, C.K);
        G->CalcFooter(C.Col);
        EXPECT_EQ(Footer(C.Col), C.Want) << int(C.K);
    }
    Kind(3, acSPREAD);
    G->SetCellEx(3, 6, L"kept");   // a write into the footer row recalculates the footer
    G->CalcFooter(-1);
    EXPECT_EQ(Footer(3), L"kept");
    EXPECT_TRUE(Footer(0).empty());   // no properties: never written
}

TEST_F(GridFooter, HiddenRowsCountWhenAskedAndOnlyOnce)
{
    // Column 1 holds 1, 2, x, 4, ""; real rows 2 and 3 (2 and x) are hidden.
    Kind(1, acSUM);
    Kind(2, acCOUNT);
    Kind(3, acAVG);
    G->SetCellEx(3, 2, L"10");
    G->HideRows(2, 3);
    ASSERT_EQ(G->GetRowCount(), 5);
    const int FooterRow = 4;
    struct Case { bool WithHidden; const wchar_t* Sum; const wchar_t* Count; const wchar_t* Avg; };
    const Case Cases[] = {{true, L"7.0", L"5", L"2.0"}, {false, L"5.0", L"3", L"0.0"}};
    for (const Case& C : Cases) {
        G->GetFloatingFooter()->SetCalculateHiddenRows(C.WithHidden);
        G->CalcFooter(-1);
        EXPECT_EQ(G->GetGridCell(1, FooterRow), C.Sum) << C.WithHidden;
        EXPECT_EQ(G->GetGridCell(2, FooterRow), C.Count) << C.WithHidden;
        EXPECT_EQ(G->GetGridCell(3, FooterRow), C.Avg) << C.WithHidden;
    }
    // The custom event is told the footer's row counted with the hidden rows.
    int Asked = -1;
    G->OnFooterCalc = [&](TObject*, int, int ARow, String& Value) {
        Asked = ARow;
        Value = L"c";
    };
    G->GetCellProperties(0, FooterRow)->SetCalcType(acCUSTOM);   // the footer row moved up
    G->GetFloatingFooter()->SetCalculateHiddenRows(true);
    G->CalcFooter(0);
    EXPECT_EQ(Asked, 6);
    EXPECT_EQ(G->GetGridCell(0, FooterRow), L"c");
}

TEST_F(GridFooter, CustomValuesComeFromTheGridOrTheFooterEvent)
{
    Kind(1, acCUSTOM);
    G->SetCellEx(1, 6, L"old");
    G->CalcFooter(1);
    EXPECT_TRUE(Footer(1).empty());
    G->GetFloatingFooter()->OnCalcFooter = [](TObject*, int, int, String& V) { V = L"footer"; };
    G->CalcFooter(1);
    EXPECT_EQ(Footer(1), L"footer");
    int Row = -1;
    G->OnFooterCalc = [&](TObject*, int, int r, String& V) {
        Row = r;
        V = L"grid";
    };
    G->CalcFooter(1);
    EXPECT_EQ(Footer(1), L"grid");
    EXPECT_EQ(Row, 6);
}

TEST_F(GridFooter, NothingChangesWhenTheFooterDoesNotCalculate)
{
    Kind(1, acSUM);
    G->SetFloatFormat(L"%s %d");   // a bad format shows the plain value
    G->CalcFooter(1);
    EXPECT_EQ(Footer(1), L"7");
    G->GetFloatingFooter()->SetFooterStyle(fsColumnPreview);
    G->SetCellEx(1, 6, L"x");
    G->CalcFooter(-1);
    G->CalcFooter(99);
    G->CalcFooter(-7);
    EXPECT_EQ(Footer(1), L"x");
    G->GetFloatingFooter()->SetVisible(false);
    G->GetFloatingFooter()->SetFooterStyle(fsFixedLastRow);
    G->CalcFooter(-1);
    EXPECT_EQ(Footer(1), L"x");
}

TEST(GridAppearance, SettersStoreClampAndReachTheHTMLEngine)
{
    TFreePtr<TTestableQorGrid> G{Create<TTestableQorGrid>(nullptr)};
    for (auto [In, Out] : {std::pair{150, 100}, {-5, 0}, {40, 40}}) {
        G->SetSelectionColorMixerFactor(In);
        EXPECT_EQ(G->GetSelectionColorMixerFactor(), Out);
    }
    G->SetHTMLKeepLineBreak(false);
    EXPECT_FALSE(JyrHTMLE::JYR_KEEP_LINEBREAKS);
    G->SetHTMLKeepLineBreak(true);
    EXPECT_TRUE(JyrHTMLE::JYR_KEEP_LINEBREAKS);
    G->SetHighlightColor(clLime);
    EXPECT_EQ(G->GetHighlightColor(), clLime);
    G->UpdateXYOffset(5, 6);
    EXPECT_EQ(G->GetXYOffset(), TPoint(5, 6));
    G->SetZoomFactor(3);
    EXPECT_EQ(G->GetZoomFactor(), 3);
    // Without a window nothing is registered; switching on and off is safe.
    G->SetAutoThemeAdapt(true);
    EXPECT_TRUE(G->GetAutoThemeAdapt());
    EXPECT_TRUE(G->GetSearchFooter()->GetAutoThemeAdapt());
    G->SetAutoThemeAdapt(false);
}

TEST(GridAppearance, ThemeAdaptationFollowsTheWindowThroughRecreation)
{
    TFreePtr<TForm> Form{Create<TForm>(nullptr)};
    auto* G = Create<TTestableQorGrid>(Form.get());
    G->SetParent(Form.get());
    G->HandleNeeded();
    G->SetAutoThemeAdapt(true);
    // A new window registers itself again; the old one was unregistered when it went.
    G->RecreateWnd();
    G->HandleNeeded();
    EXPECT_NE(G->GetHandle(), nullptr);
    EXPECT_TRUE(G->GetAutoThemeAdapt());
    G->SetAutoThemeAdapt(false);
}

TEST(GridAppearance, ThemeAdaptationFollowsTheOfficeThemeWhenSwitchedOn)
{
    // No Office keys and no visual styles: the classic 2003 theme.
    auto& O = QorStyleIF::DetectionOverrides();
    O = {};
    const auto Reset = ScopeExit([&] { O = {}; });
    O.OfficeRoot = L"Software\\QorGridThemeTest-none";
    O.WindowsMajor = 5;
    O.WindowsMinor = 1;
    O.ThemeActive = false;
    TFreePtr<TTestableQorGrid> G{Create<TTestableQorGrid>(nullptr)};
    G->SetAutoThemeAdapt(true);
    EXPECT_EQ(G->GetComponentStyle(), QorStyleIF::tsOffice2003Classic);
    // An unchanged theme applies nothing: a style chosen since stays.
    G->SetComponentStyle(QorStyleIF::tsWindows7);
    G->SetAutoThemeAdapt(false);
    G->SetAutoThemeAdapt(true);
    EXPECT_EQ(G->GetComponentStyle(), QorStyleIF::tsWindows7);
    // A changed theme applies its style.
    O.CommonControlsMajor = 6;
    O.ThemeActive = true;
    O.ThemeColorName = L"Metallic";
    G->ThemeAdapt();
    EXPECT_EQ(G->GetComponentStyle(), QorStyleIF::tsOffice2003Silver);
}
