// The grid class made in code: its starting values, the objects its constructor owns, the filter
// menu, the platform facts, and destruction that leaves nothing behind.
#include "tests/grid/QorGridKit.h"
#include "tests/support/Pixels.h"
#include "tests/support/UiHarness.h"

#include "grid/QorGridSatellites.h"
#include "grid/input/EditControlEditors.h"
#include "grid/paint/CellGraphic.h"
#include "grid/sortfilter/QorFilterData.h"

#include <gtest/gtest.h>

namespace {

struct GridGuard {
    TTestableQorGrid* G;
    GridGuard() : G(Create<TTestableQorGrid>(nullptr)) {}
    ~GridGuard()
    {
        if (G) G->Free();
    }
};

}  // namespace

TEST(QorGridCreate, StartsWithThePartsValues)
{
    GridGuard Guard;
    TTestableQorGrid* G = Guard.G;
    EXPECT_EQ(G->GetRowCount(), 10);
    EXPECT_EQ(G->GetColCount(), 5);
    EXPECT_EQ(G->GetDefaultRowHeight(), 22);
    EXPECT_EQ(G->GetFixedRowHeight(), 22);          // the default row height, not the stored 21
    EXPECT_EQ(G->GetWidth(), 400);
    EXPECT_EQ(G->GetHeight(), 250);
    EXPECT_EQ(G->GetCheckTrueText(), L"Y");
    EXPECT_EQ(G->GetCheckFalseText(), L"N");
    EXPECT_EQ(G->GetFloatFormat(), L"%.2f");
    EXPECT_EQ(G->GetFilterDropDownClear(), L"(All)");
    EXPECT_EQ(G->GetLook(), glXP);
    EXPECT_EQ(G->GetScrollBarsEx(), TScrollStyle::ssBoth);
    EXPECT_EQ(G->GetScrollWidth(), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(G->GetSelectionColor(), TColor(0x00EACAB6));
    EXPECT_EQ(G->GetDisabledFontColor(), TColor(0x00C0C0C0));
    EXPECT_EQ(G->GetInvalidEntryIcon(), ieWarning);
    EXPECT_TRUE(G->GetEnhRowColMove());
    EXPECT_TRUE(G->GetWordWrapEx());
    EXPECT_TRUE(G->GetControlStyle().Contains(csAcceptsControls));
    EXPECT_EQ(G->GetDrawingStyle(), gdsClassic);
    EXPECT_EQ(TGridTestAccess::Style(*G), QorStyleIF::tsWindowsXP);
    // The grid takes a component style and colour tones through the style interfaces.
    QorStyleIF::IJOQStyleEx* Styled = G;
    Styled->SetComponentStyleAndAppColor(QorStyleIF::tsOffice2016Gray, clRed);
    EXPECT_EQ(G->GetComponentStyle(), QorStyleIF::tsOffice2016Gray);
    QorStyleIF::TColorTones Tones;
    Tones.Selected.BrushColor = clNavy;
    static_cast<QorStyleIF::IJOQTones*>(G)->SetColorTones(Tones);
    EXPECT_EQ(TGridTestAccess::Tones(*G).Selected.BrushColor, clNavy);
    EXPECT_EQ(TGridTestAccess::MaxRowCount(*G), 10);
    EXPECT_EQ(TGridTestAccess::VisibleColEntries(*G), 5u);
    EXPECT_EQ(G->GetVersion(), L"8.4.2.2");
    EXPECT_EQ(G->GetVersionString(), L"8.4.2.2 Jan, 2019");
    EXPECT_EQ(crURLcursor, crHandPoint);
}

TEST(QorGridCreate, OwnsItsPanelsListsWindowsAndEditors)
{
    GridGuard Guard;
    TTestableQorGrid* G = Guard.G;
    // The footer panel comes from the virtual CreateFooter, so a descendant's panel is made.
    EXPECT_EQ(G->Notes.FootersCreated, 1);
    ASSERT_NE(G->GetFooterPanel(), nullptr);
    EXPECT_EQ(G->GetFooterPanel()->GetAlign(), alBottom);
    EXPECT_EQ(G->GetFooterPanel()->GetHeight(), 0);
    ASSERT_NE(G->GetSearchPanel(), nullptr);
    EXPECT_EQ(G->GetSearchPanel()->GetHeight(), 0);
    EXPECT_TRUE(G->GetSearchPanel()->GetDoubleBuffered());
    EXPECT_EQ(G->GetFixedFont()->GetName(), L"Tahoma");
    EXPECT_TRUE(G->GetFixedFont()->GetStyle().Contains(fsBold));
    EXPECT_TRUE(G->GetActiveCellFont()->GetStyle().Contains(fsBold));
    EXPECT_NE(G->GetSharedCellGraphic(), nullptr);
    EXPECT_FALSE(G->GetDropList()->GetVisible());
    EXPECT_EQ(G->GetDropList()->GetParent(), G);
    EXPECT_EQ(G->GetDropCheckList()->GetWidth(), 0);
    EXPECT_TRUE(G->GetFilterList()->GetSorted());

    // Four move arrows, one per direction; the focus frame.
    const TArrowDirection Dirs[] = {arrUp, arrDown, arrLeft, arrRight};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(TGridTestAccess::Arrow(*G, i)->Dir, Dirs[i]) << i;
    EXPECT_NE(G->GetFocusWindow(), nullptr);

    // Editors: children of the grid, hidden; the button editors disabled with "..." and no border.
    TGridEditBtn* Btn = TGridTestAccess::EditBtn(*G);
    EXPECT_EQ(Btn->GetParent(), G);
    EXPECT_FALSE(Btn->GetVisible());
    EXPECT_FALSE(Btn->GetEnabled());
    EXPECT_EQ(Btn->GetButtonCaption(), L"...");
    EXPECT_EQ(Btn->GetBorderStyle(), bsNone);
    EXPECT_EQ(Btn->GetIsWinXP(), G->GetIsWinXP());
    TGridUnitEditBtn* Unit = TGridTestAccess::UnitEditBtn(*G);
    EXPECT_EQ(Unit->GetButtonCaption(), L"...");
    EXPECT_EQ(Unit->GetBorderStyle(), bsNone);
    EXPECT_FALSE(Unit->GetEnabled());
    // The editors are the library's edit controls: a unit picked in the unit edit reaches the grid.
    EXPECT_NE(dynamic_cast<JYREdit::TJyrEditBtn*>(Btn), nullptr);
    EXPECT_NE(dynamic_cast<JYREdit::TJyrUnitEditBtn*>(Unit), nullptr);
    String Picked;
    G->OnUnitChanged = [&](TObject*, int, int, const String& U) { Picked = U; };
    ASSERT_TRUE(Unit->OnUnitChanged);
    Unit->OnUnitChanged(Unit, L"cm");
    EXPECT_EQ(Picked, L"cm");
    TGridCombo* Combo = TGridTestAccess::EditCombo(*G);
    EXPECT_NE(dynamic_cast<JyrCombo::TJyrComboBox*>(Combo), nullptr);
    EXPECT_EQ(Combo->GetParent(), G);
    EXPECT_FALSE(Combo->GetVisible());
    EXPECT_FALSE(Combo->GetEnabled());
    EXPECT_EQ(Combo->IsWinXP, G->GetIsWinXP());
    EXPECT_EQ(Combo->GetGrid(), G);
    EXPECT_FALSE(TGridTestAccess::EditTrans(*G)->GetFilterEdit());
    TNoActiveForm* Form = TGridTestAccess::ButtonForm(*G);
    EXPECT_EQ(Form->GetOwner(), G);
    EXPECT_EQ(Form->GetWidth(), 200);
    EXPECT_EQ(Form->GetHeight(), 22);
    // The satellites find their grid through their owner.
    EXPECT_EQ(Btn->GetGrid(), G);
    EXPECT_EQ(G->GetSearchPanel()->GetGrid(), G);
    EXPECT_EQ(G->GetFloatingFooter()->GetGrid(), G);
}

TEST(QorGridCreate, FilterMenuShowsOneItemPerTypeNameWithItsIcon)
{
    GridGuard Guard;
    TTestableQorGrid* G = Guard.G;
    EXPECT_EQ(G->GetFilterImages()->GetCount(), 9);
    TMenuItem* Items = G->GetFilterPopup()->GetItems();
    ASSERT_EQ(Items->Count(), 9);
    EXPECT_EQ(G->GetFilterPopup()->GetImages(), G->GetFilterImages());
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(Items->Items(i)->GetTag(), i);
        EXPECT_EQ(Items->Items(i)->GetImageIndex(), i);
        EXPECT_EQ(Items->Items(i)->GetCaption(), G->GetFilterEdit()->GetTypeNames()->Get(i));
    }
}

struct PlatformCase {
    DWORD Major, Minor;
    bool XP, Win7;
    TColor Border;
};

class QorGridPlatform : public ::testing::TestWithParam<PlatformCase> {
protected:
    void TearDown() override
    {
        QorStyleIF::DetectionOverrides().WindowsMajor.reset();
        QorStyleIF::DetectionOverrides().WindowsMinor.reset();
    }
};

TEST_P(QorGridPlatform, WindowsVersionDecidesTheFlagsAndTheBorder)
{
    QorStyleIF::DetectionOverrides().WindowsMajor = GetParam().Major;
    QorStyleIF::DetectionOverrides().WindowsMinor = GetParam().Minor;
    GridGuard Guard;
    EXPECT_EQ(Guard.G->GetIsWinXP(), GetParam().XP);
    EXPECT_EQ(Guard.G->GetIsWin7(), GetParam().Win7);
    EXPECT_EQ(Guard.G->GetBorderColor(), GetParam().Border);
}

INSTANTIATE_TEST_SUITE_P(Versions, QorGridPlatform,
                         ::testing::Values(PlatformCase{10, 0, true, true, TColor(0x00B99D7F)},
                                           PlatformCase{6, 1, true, true, TColor(0x00B99D7F)},
                                           PlatformCase{6, 0, true, false, TColor(0x00B99D7F)},
                                           PlatformCase{5, 1, true, false, TColor(0x00B99D7F)},
                                           PlatformCase{5, 0, false, false, TColor(0x00808080)}));

TEST(QorGridCreate, OptionObjectsReachTheGrid)
{
    TForm* Form = ui::NewForm();
    ui::FormGuard FG(Form);
    auto* G = Create<TTestableQorGrid>(Form);
    G->SetParent(Form);
    G->HandleNeeded();
    // Balloons: enabling creates the grid's balloon tool tip, disabling removes it.
    G->GetBalloon()->SetEnable(true);
    ASSERT_NE(G->GetBalloonWindow(), nullptr);
    EXPECT_TRUE(G->GetBalloon()->GetInit());
    G->GetBalloon()->SetEnable(false);
    EXPECT_EQ(G->GetBalloonWindow(), nullptr);
    EXPECT_FALSE(G->GetBalloon()->GetInit());
    // The control look passes its fixed-cell gradient on to the grid as plain colours.
    G->GetControlLook()->SetFixedGradientFrom(clBtnFace);
    EXPECT_EQ(G->GetControlLook()->GetFixedGradientFrom(), clBtnFace);
    // The sort settings ask the grid for its fixed rows.
    EXPECT_THROW(G->GetSortSettings()->SetSortRow(1), Exception);
    // Showing the search footer shows its panel with the footer's height.
    G->GetSearchFooter()->SetVisible(true);
    EXPECT_TRUE(G->GetSearchPanel()->GetVisible());
    EXPECT_EQ(G->GetSearchPanel()->GetHeight(), G->GetSearchFooterHeight());
}

// ---- Destruction ------------------------------------------------------------------------------------

TEST(QorGridDestroy, LeavesNoPropertiesGraphicsGridsOrGdiObjectsBehind)
{
    const int Props = TCellProperties::LiveCount();
    const int Graphics = TBaseCellGraphic::LiveCount();
    const int Grids = TQorStringGrid::LiveCount();
    {
        GridGuard Warm;   // the first grid loads what every grid shares
    }
    const DWORD Gdi = GdiObjectCount();
    for (int i = 0; i < 5; ++i) {
        GridGuard Guard;
        Guard.G->GetCellProperties(1, 1)->SetBrushColor(clRed);
        Guard.G->SetGraphicObjectEx(2, 2, Create<TCellGraphic>());
        Guard.G->MergeCells(1, 3, 2, 2);
    }
    EXPECT_EQ(TCellProperties::LiveCount(), Props);
    EXPECT_EQ(TBaseCellGraphic::LiveCount(), Graphics);
    EXPECT_EQ(TQorStringGrid::LiveCount(), Grids);
    EXPECT_LE(GdiObjectCount(), Gdi);
}

TEST(QorGridDestroy, FreesThePropertiesOfRowsBeyondTheCurrentCount)
{
    const int Props = TCellProperties::LiveCount();
    {
        GridGuard Guard;
        TTestableQorGrid* G = Guard.G;
        G->SetRowCountEx(50);
        G->SetColCountEx(8);
        for (int r = 0; r < 50; ++r) G->GetCellProperties(r % 8, r);
        EXPECT_EQ(TCellProperties::LiveCount(), Props + 50);
        G->SetRowCountEx(10);
        G->SetColCountEx(3);
        EXPECT_EQ(TGridTestAccess::MaxRowCount(*G), 50);
    }
    EXPECT_EQ(TCellProperties::LiveCount(), Props);
}

TEST(QorGridDestroy, ClearsTheUnitsFocusGridWhenItNamesTheGrid)
{
    TForm* Form = ui::NewForm();
    ui::FormGuard FG(Form);
    auto* G = Create<TQorStringGrid>(Form);
    G->SetParent(Form);
    G->GetFocusHelper()->SetEnabled(true);
    G->HandleNeeded();
    FocusGrid = G;
    G->Free();
    EXPECT_EQ(FocusGrid, nullptr);
    // The hook keeps running on window moves without a grid to serve.
    Form->SetBounds(120, 120, 300, 200);
    ui::Pump();

    auto* Other = Create<TQorStringGrid>(Form);
    FocusGrid = Other;
    auto* Third = Create<TQorStringGrid>(Form);
    Third->Free();
    EXPECT_EQ(FocusGrid, Other);   // another grid's frame stays
    Other->Free();
    EXPECT_EQ(FocusGrid, nullptr);
}
