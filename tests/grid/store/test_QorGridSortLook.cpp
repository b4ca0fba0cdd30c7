// The sort settings (the sort settings string read and written, the sort row, removing a sort) and
// the control look (the check size, the fixed-cell gradients it passes to the grid, its copy).
#include "OptionsOwner.h"

#include <gtest/gtest.h>

namespace {

class SortSettings : public ::testing::Test {
protected:
    void SetUp() override { TOptionsOwner::Register(); }
    TOptionsOwner Grid{nullptr};
    TSortSettings* S = Grid.SortSettings;
};

// ---- the sort settings string --------------------------------------------------------------------

struct SavedCase {
    bool IndexShow;
    TSortDirection Direction;
    int Column;
    const wchar_t* Index;   // the index list's text
    const wchar_t* Saved;
};

class SortSettingsSave : public SortSettings, public ::testing::WithParamInterface<SavedCase> {};

TEST_P(SortSettingsSave, WritesOneOfTheThreeForms)
{
    const SavedCase& C = GetParam();
    S->SetIndexShow(C.IndexShow);
    S->SetDirection(C.Direction);
    S->SetColumn(C.Column);
    Grid.SortIndexes.LoadFromString(C.Index);
    EXPECT_EQ(S->SaveToString(), C.Saved);
}

INSTANTIATE_TEST_SUITE_P(Forms, SortSettingsSave, ::testing::Values(
    SavedCase{false, sdDescending, 3, L"", L"d3"},
    SavedCase{false, sdAscending, -1, L"", L"u-1"},
    SavedCase{false, sdAscending, 70000, L"u2", L"u70000"},    // the column in full
    SavedCase{true, sdDescending, 3, L"", L"i;"},
    SavedCase{true, sdAscending, 3, L"u2;d5", L"i;u2;d5"}));

struct LoadCase {
    const wchar_t* Text;
    bool IndexShow;
    TSortDirection Direction;
    int Column;
    std::vector<int> Sorts;             // columns QSort ran with
    std::vector<String> IndexedSorts;   // index lists QSortIndexed ran with
};

class SortSettingsLoad : public SortSettings, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(SortSettingsLoad, GoodTextsSetTheStateAndSort)
{
    const LoadCase& C = GetParam();
    S->SetColumn(4);
    S->SetIndexShow(!C.IndexShow);
    S->LoadFromString(C.Text);
    EXPECT_TRUE(S->GetShow());
    EXPECT_EQ(S->GetIndexShow(), C.IndexShow);
    EXPECT_EQ(S->GetDirection(), C.Direction);
    EXPECT_EQ(S->GetColumn(), C.Column);
    EXPECT_EQ(Grid.Sorts, C.Sorts);
    EXPECT_EQ(Grid.IndexedSorts, C.IndexedSorts);
    // What was read writes back to the same text.
    EXPECT_EQ(S->SaveToString(), C.Text);
}

INSTANTIATE_TEST_SUITE_P(Texts, SortSettingsLoad, ::testing::Values(
    LoadCase{L"u7", false, sdAscending, 7, {7}, {}},
    LoadCase{L"d0", false, sdDescending, 0, {0}, {}},
    LoadCase{L"u-1", false, sdAscending, -1, {-1}, {}},
    LoadCase{L"d2147483647", false, sdDescending, 2147483647, {2147483647}, {}},
    LoadCase{L"i;", true, sdAscending, 4, {}, {}},
    LoadCase{L"i;d3", true, sdAscending, 4, {}, {L"d3"}},
    LoadCase{L"i;u2;d70000;u0", true, sdAscending, 4, {}, {L"u2;d70000;u0"}}));

class SortSettingsBadText : public SortSettings, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(SortSettingsBadText, IsRefusedBeforeAnythingChanges)
{
    S->SetColumn(4);
    S->SetDirection(sdAscending);
    Grid.SortIndexes.LoadFromString(L"u1");
    Grid.ClearRecords();
    try {
        S->LoadFromString(GetParam());
        FAIL() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, QorGridConsts::SInvalidSortSettings);
    }
    EXPECT_FALSE(S->GetShow());
    EXPECT_FALSE(S->GetIndexShow());
    EXPECT_EQ(S->GetDirection(), sdAscending);
    EXPECT_EQ(S->GetColumn(), 4);
    EXPECT_EQ(Grid.SortIndexes.SaveToString(), L"u1");
    EXPECT_TRUE(Grid.Sorts.empty());
    EXPECT_TRUE(Grid.IndexedSorts.empty());
    EXPECT_EQ(Grid.Invalidates, 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, SortSettingsBadText, ::testing::Values(
    L"x", L"u", L"d7x", L"x7", L"U7", L"u 7", L"u+7", L"u-", L"u2147483648", L"d-2147483649", L"u$10",
    L"i", L"ui;3", L"i;u", L"i;x2", L"i;u2;", L"i;;", L"i;u-2", L"i;u2147483648", L"i;u2 ;d3"));

TEST_F(SortSettings, AnEmptyTextChangesNothing)
{
    S->LoadFromString(L"");
    EXPECT_FALSE(S->GetShow());
    EXPECT_TRUE(Grid.Sorts.empty());
}

// ---- sort row, removing, toggling, repaints ------------------------------------------------------

TEST_F(SortSettings, SortRowMustBeAFixedRow)
{
    Grid.FixedRows = 2;
    S->SetSortRow(0);
    S->SetSortRow(1);
    EXPECT_EQ(S->GetRow(), 1);
    EXPECT_THROW(S->SetSortRow(2), Exception);
    EXPECT_EQ(S->GetRow(), 1);
    Grid.FixedRows = 0;
    for (int Row : {0, 1, 5}) {
        try {
            S->SetSortRow(Row);
            FAIL() << "no exception";
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message, QorGridConsts::SSortRowNotFixed);
        }
    }
    EXPECT_EQ(S->GetRow(), 1);
}

TEST_F(SortSettings, RemoveForgetsTheSortAndRepaintsTheLastFixedRow)
{
    Grid.FixedRows = 2;
    S->SetColumn(3);
    Grid.SortIndexes.LoadFromString(L"u1;d2");
    int Events = 0;
    Grid.SortIndexes.OnChange = [&](TObject*, int, int) { ++Events; };
    S->Remove();
    EXPECT_EQ(S->GetColumn(), -1);
    EXPECT_EQ(Grid.SortIndexes.Count(), 0);
    EXPECT_EQ(Events, 0);
    EXPECT_EQ(Grid.RepaintedRows, (std::vector<int>{1}));
    Grid.FixedRows = 0;
    S->Remove();                           // no fixed row to repaint
    EXPECT_EQ(Grid.RepaintedRows.size(), 1u);
}

TEST_F(SortSettings, ShowAndHeaderColoursRepaintOnlyWhenTheyChange)
{
    S->SetShow(false);
    S->SetShow(true);
    EXPECT_EQ(Grid.Invalidates, 1);
    S->SetHeaderColor(clNone);
    S->SetHeaderColorTo(clRed);
    S->SetHeaderMirrorColorTo(clRed);
    EXPECT_EQ(Grid.RepaintedRows, (std::vector<int>{0, 0}));
    S->ToggleDirection();
    EXPECT_EQ(S->GetDirection(), sdDescending);
    S->ToggleDirection();
    EXPECT_EQ(S->GetDirection(), sdAscending);
}

TEST_F(SortSettings, CopyTakesShowAndRowWithoutRepaintOrRowTest)
{
    Grid.FixedRows = 3;
    S->SetSortRow(2);
    S->SetShow(true);
    S->SetIgnoreCase(true);
    TBitmap Up(3, 3);
    S->SetUpGlyph(&Up);
    TOptionsOwner Other(nullptr);   // one fixed row
    Other.SortSettings->Assign(S);
    EXPECT_EQ(Other.SortSettings->GetRow(), 2);
    EXPECT_TRUE(Other.SortSettings->GetShow());
    EXPECT_FALSE(Other.SortSettings->GetIgnoreCase());
    EXPECT_EQ(Other.SortSettings->GetUpGlyph()->GetWidth(), 3);
    EXPECT_EQ(Other.Invalidates, 0);
}

// ---- control look --------------------------------------------------------------------------------

class ControlLook : public ::testing::Test {
protected:
    void SetUp() override { TOptionsOwner::Register(); }
    TOptionsOwner Grid{nullptr};
    TControlLook* L = Grid.ControlLook;
};

TEST_F(ControlLook, CreationPutsTheHoverAndPressedMirrorsIntoTheGrid)
{
    TOptionsOwner Fresh(nullptr);
    EXPECT_EQ(Fresh.StoredGrad,
              (std::vector<std::pair<TJOQGradField, TColor>>{{TJOQGradField::HoverMirrorFrom, clNone},
                                                             {TJOQGradField::HoverMirrorTo, clNone},
                                                             {TJOQGradField::DownMirrorFrom, clNone},
                                                             {TJOQGradField::DownMirrorTo, clNone}}));
    EXPECT_EQ(Fresh.ControlLook->GetDropDownHeader()->GetOwner(), &Fresh);
    EXPECT_EQ(Fresh.ControlLook->GetDropDownFooter()->GetButtons()->GetOwner(), &Fresh);
}

TEST_F(ControlLook, CheckSizeReads16ForTheJOQStyle)
{
    L->SetCheckBoxSize(20);
    L->SetControlStyle(csJOQ);
    EXPECT_EQ(L->GetCheckBoxSize(), 16);
    EXPECT_EQ(GetOrdProp(L, L"CheckSize"), 16);
    L->SetControlStyle(csFlat);
    EXPECT_EQ(L->GetCheckBoxSize(), 20);
}

TEST_F(ControlLook, GradientsPassOnUnlessNone)
{
    L->SetFixedGradientFrom(clRed);
    L->SetFixedGradientFrom(clNone);       // stored, the grid keeps red
    EXPECT_EQ(L->GetFixedGradientFrom(), clNone);
    EXPECT_EQ(Grid.GradFrom, clRed);
    L->SetFixedGradientMirrorFrom(clBlue);
    L->SetFixedGradientMirrorFrom(clNone); // mirrors pass clNone on
    EXPECT_EQ(Grid.GradMirrorFrom, clNone);
    L->SetFixedGradientMirrorTo(clLime);
    EXPECT_EQ(Grid.GradMirrorTo, clLime);

    Grid.ClearRecords();
    L->SetFixedGradientHoverFrom(clNone);
    L->SetFixedGradientHoverBorder(clNone);
    L->SetFixedGradientDownTo(clNone);
    L->SetFixedGradientHoverTo(clYellow);
    L->SetFixedGradientDownMirrorTo(clNone);
    L->SetFixedGradientDownBorder(clGray);
    EXPECT_EQ(Grid.StoredGrad, (std::vector<std::pair<TJOQGradField, TColor>>{
                                   {TJOQGradField::HoverTo, clYellow},
                                   {TJOQGradField::DownMirrorTo, clNone},
                                   {TJOQGradField::DownBorder, clGray}}));
    EXPECT_EQ(Grid.Invalidates, 0);       // the hover and pressed colours repaint nothing
}

TEST_F(ControlLook, InitPutsTheColoursBack)
{
    L->SetColor(clRed);
    L->SetFixedGradientHoverFrom(clRed);
    L->SetFixedGradientHoverMirrorTo(clRed);
    L->SetProgressBorderColor(clRed);
    L->SetRadioSize(14);
    Grid.ClearRecords();
    L->Init();
    EXPECT_EQ(L->GetColor(), 0);
    EXPECT_EQ(L->GetFixedGradientHoverFrom(), 0x00808080);
    EXPECT_EQ(L->GetFixedGradientHoverMirrorTo(), clNone);
    EXPECT_EQ(L->GetProgressBorderColor(), 0x00808080);
    EXPECT_EQ(L->GetRadioSize(), 14);      // not a colour: kept
    EXPECT_EQ(Grid.StoredGrad.size(), 4u); // only the four mirrors reach the grid
}

TEST_F(ControlLook, CopyStoresEverythingWithoutTellingTheGrid)
{
    TOptionsOwner Other(nullptr);
    TControlLook* Src = Other.ControlLook;
    Src->SetFixedGradientFrom(clRed);
    Src->SetFixedGradientHoverFrom(clAqua);
    Src->SetCheckBoxSize(20);
    Src->SetControlStyle(csJOQ);
    Src->SetFlatButton(true);
    Src->GetDropDownFooter()->GetButtons()->Add()->SetCaption(L"OK");
    Src->GetDropDownHeader()->SetVisible(false);

    Grid.ClearRecords();
    L->Assign(Src);
    EXPECT_EQ(L->GetFixedGradientFrom(), clRed);
    EXPECT_EQ(L->GetFixedGradientHoverFrom(), clAqua);
    EXPECT_EQ(Grid.GradFrom, clNone);      // the grid paints with its old colours
    EXPECT_TRUE(Grid.StoredGrad.empty());
    EXPECT_EQ(Grid.Invalidates, 0);
    L->SetControlStyle(csFlat);
    EXPECT_EQ(L->GetCheckBoxSize(), 16);   // the size the source reported
    EXPECT_FALSE(L->GetFlatButton());
    EXPECT_EQ(L->GetDropDownFooter()->GetButtons()->Count(), 1);
    EXPECT_FALSE(L->GetDropDownHeader()->GetVisible());
    EXPECT_NE(L->GetDropDownFooter(), Src->GetDropDownFooter());
}

TEST_F(ControlLook, SettersRepaintAsListed)
{
    L->SetProgressHeight(-1);              // refused silently
    EXPECT_EQ(L->GetProgressHeight(), 0);
    EXPECT_EQ(Grid.Invalidates, 0);
    L->SetProgressHeight(6);
    L->SetControlStyle(csTheme);           // unchanged
    L->SetDropDownButtonWidth(16);         // unchanged
    L->SetRadioSize(10);                   // repaints always
    L->SetDropDownCount(3);                // a plain field
    TBitmap Glyph(9, 9);
    L->SetCheckedGlyph(&Glyph);
    EXPECT_EQ(Grid.Invalidates, 3);
    EXPECT_EQ(L->GetCheckedGlyph()->GetWidth(), 9);
}

} // namespace
