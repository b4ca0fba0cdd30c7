// What the option objects do beyond holding values: which setters tell the grid and when, the
// settings that switch others, the grid calls they make, and their owned objects.
#include "OptionsOwner.h"

#include "framework/Grids.h"
#include "graphics/GDIPicture.h"

#include <gtest/gtest.h>

namespace {

// Counts an object's OnChange (or any other notify event it is attached to).
struct Counter {
    int Count = 0;
    TObject* Last = nullptr;
    TNotifyEvent Handler()
    {
        return [this](TObject* Sender) {
            ++Count;
            Last = Sender;
        };
    }
};

class OptionBehaviour : public ::testing::Test {
protected:
    void SetUp() override { TOptionsOwner::Register(); }
    TOptionsOwner Grid{nullptr};
};

// ---- search bar, navigation, mouse ---------------------------------------------------------------

TEST_F(OptionBehaviour, SearchFooterTellsOfChangesAsEachSetterSays)
{
    TSearchFooter* F = Grid.SearchFooter;
    Counter C;
    F->OnChange = C.Handler();
    F->SetVisible(false);                 // its current value: nothing
    EXPECT_EQ(C.Count, 0);
    F->SetColor(F->GetColor());           // the colour tells always
    EXPECT_EQ(C.Count, 1);
    EXPECT_EQ(C.Last, F);
    F->SetVisible(true);
    F->SetShowResults(F->GetShowResults());
    F->SetHintClose(F->GetHintClose());
    EXPECT_EQ(C.Count, 3);
    F->GetFont()->SetName(L"Arial");       // any change of the font
    EXPECT_EQ(C.Count, 4);
    F->SetAutoThemeAdapt(false);
    EXPECT_EQ(C.Count, 5);

    F->SetLastSearch(L"7NT");
    F->SetAutoSearch(false);              // empties the last search, tells nobody
    EXPECT_EQ(F->GetLastSearch(), L"");
    F->SetSearchColumn(3);                // a plain field
    EXPECT_EQ(C.Count, 5);
}

TEST_F(OptionBehaviour, SearchFooterNewInADesignerGetsItsCaptions)
{
    TSearchFooter Designed(nullptr, true), Loaded(nullptr, false);
    EXPECT_EQ(Designed.GetFindNextCaption(), L"Find &next");
    EXPECT_EQ(Designed.GetFindPrevCaption(), L"Find &previous");
    EXPECT_EQ(Designed.GetMatchCaseCaption(), L"Match case");
    EXPECT_EQ(Designed.GetHighLightCaption(), L"Highlight");
    EXPECT_EQ(Designed.GetHintClose(), L"Close");
    EXPECT_EQ(Designed.GetHintFindNext(), L"Find next occurrence");
    EXPECT_EQ(Designed.GetHintFindPrev(), L"Find previous occurrence");
    EXPECT_EQ(Designed.GetHintHighlight(), L"Highlight occurrences");
    EXPECT_EQ(Loaded.GetFindNextCaption(), L"");
    // A copy takes the captions but not the automatic theme flag nor the last search.
    Designed.SetAutoThemeAdapt(true);
    Designed.SetLastSearch(L"x");
    Loaded.Assign(&Designed);
    EXPECT_EQ(Loaded.GetHintHighlight(), L"Highlight occurrences");
    EXPECT_FALSE(Loaded.GetAutoThemeAdapt());
    EXPECT_EQ(Loaded.GetLastSearch(), L"");
}

TEST_F(OptionBehaviour, NavigationAdvanceAutoSwitchesAdvanceOnEnterOn)
{
    TNavigation* N = Grid.Navigation;
    Counter C;
    N->OnChange = C.Handler();
    N->SetAdvanceAuto(true);
    EXPECT_TRUE(N->GetAdvanceOnEnter());
    N->SetAdvanceAuto(false);
    EXPECT_TRUE(N->GetAdvanceOnEnter());
    EXPECT_EQ(C.Count, 0);
    N->SetAdvanceDirection(adLeftRight);   // unchanged
    N->SetAdvanceInsert(false);
    EXPECT_EQ(C.Count, 0);
    N->SetAdvanceDirection(adTopBottom);
    N->SetAdvanceInsert(true);
    EXPECT_EQ(C.Count, 2);

    N->SetTabAdvanceDirection(adLeftRight);
    TNavigation Copy;
    Copy.Assign(N);
    EXPECT_EQ(Copy.GetAdvanceDirection(), adTopBottom);
    EXPECT_EQ(Copy.GetTabAdvanceDirection(), adLeftRight);
}

TEST_F(OptionBehaviour, MouseActionsHotmailSelectionAndDoubleClickEditing)
{
    TMouseActions* M = Grid.MouseActions;
    Counter Invalidated, DisableEdit, Changed;
    M->OnInvalidate = Invalidated.Handler();
    M->OnChange = Changed.Handler();
    M->SetHotmailRowSelect(true);
    EXPECT_TRUE(M->GetDisjunctRowSelect());
    EXPECT_TRUE(M->GetCheckAllCheck());
    EXPECT_EQ(Invalidated.Count, 1);
    M->SetHotmailRowSelect(false);         // leaves both on, still repaints
    EXPECT_TRUE(M->GetDisjunctRowSelect());
    EXPECT_TRUE(M->GetCheckAllCheck());
    EXPECT_EQ(Invalidated.Count, 2);

    M->SetEditOnDblClickOnly(true);        // no handler: only stores
    EXPECT_TRUE(M->GetEditOnDblClickOnly());
    M->OnDisableEdit = DisableEdit.Handler();
    M->SetEditOnDblClickOnly(false);
    M->SetEditOnDblClickOnly(true);
    EXPECT_EQ(DisableEdit.Count, 1);

    M->SetDisjunctCellSelect(true);        // independent of the other two
    EXPECT_TRUE(M->GetDisjunctRowSelect());
    M->SetWheelAction(waMoveSelection);
    M->SetWheelAction(waScroll);
    EXPECT_EQ(Changed.Count, 1);

    EXPECT_FALSE(M->IsDesigning());
    M->OnIsDesigning = [](TObject*, bool& Designing) { Designing = true; };
    EXPECT_TRUE(M->IsDesigning());

    M->GetFixedComboValues()->Add(L"Pas");
    TMouseActions Copy(nullptr);
    Copy.Assign(M);
    EXPECT_EQ(Copy.GetFixedComboValues()->Count(), 0);
    Copy.SetFixedComboValues(M->GetFixedComboValues());
    EXPECT_EQ(Copy.GetFixedComboValues()->Strings(0), L"Pas");
    EXPECT_NE(Copy.GetFixedComboValues(), M->GetFixedComboValues());
}

// ---- synchronised grid, bands, hint --------------------------------------------------------------

TEST_F(OptionBehaviour, SyncGridRefusesItsOwnerAndForgetsAFreedPartner)
{
    // A grid as owner, so that linking the owner itself can be tried.
    auto* Owner = Create<TStringGrid>(nullptr);
    auto* Partner = Create<TStringGrid>(nullptr);
    TSyncGrid Sync(Owner);
    Sync.SetGrid(Owner);
    EXPECT_EQ(Sync.GetGrid(), nullptr);
    Sync.SetGrid(Partner);
    Sync.SetGrid(Owner);
    EXPECT_EQ(Sync.GetGrid(), Partner);

    TSyncGrid Copy(nullptr);
    Sync.SetScrollVertical(true);
    Copy.Assign(&Sync);
    EXPECT_EQ(Copy.GetGrid(), Partner);
    EXPECT_TRUE(Copy.GetScrollVertical());

    Partner->Free();
    EXPECT_EQ(Sync.GetGrid(), nullptr);
    EXPECT_EQ(Copy.GetGrid(), nullptr);
    Owner->Free();
}

TEST_F(OptionBehaviour, BandsTellOnlyWhileActiveAndKeepTheirCycleLength)
{
    TBands* B = Grid.Bands;
    Counter C;
    B->OnChange = C.Handler();
    B->SetPrimaryColor(clYellow);
    B->SetSecondaryLength(4);
    EXPECT_EQ(C.Count, 0);
    EXPECT_EQ(B->GetTotalLength(), 5);
    B->SetActive(true);
    EXPECT_EQ(C.Count, 1);
    B->SetPrimaryColor(clYellow);          // unchanged
    B->SetPrimaryLength(2);
    B->SetSecondaryColor(clAqua);
    EXPECT_EQ(C.Count, 3);

    TBands Copy;
    B->SetPrimaryLength(2);
    B->SetSecondaryLength(3);
    B->SetPrint(true);
    Copy.Assign(B);
    EXPECT_EQ(Copy.GetTotalLength(), 5);
    EXPECT_TRUE(Copy.GetPrint());
}

TEST_F(OptionBehaviour, HintInfoCopiesOutliveTheirSource)
{
    auto* Source = Create<TQorHintInfo>();
    Source->SetTitle(L"Bud");
    Source->GetNotes()->Add(L"Syd melder 1");
    Source->SetWideTitle(L"\u2660");
    TBitmap Bmp(4, 3);
    Source->GetPicture()->Assign(&Bmp);
    ASSERT_FALSE(Source->GetPicture()->GetEmpty());

    TQorHintInfo* Copy = Grid.OfficeHint;
    TGDIPPicture* OwnPicture = Copy->GetPicture();
    Copy->Assign(Source);
    Source->Free();
    EXPECT_EQ(Copy->GetTitle(), L"Bud");
    EXPECT_EQ(Copy->GetNotes()->Strings(0), L"Syd melder 1");
    EXPECT_EQ(Copy->GetWideTitle(), L"\u2660");
    EXPECT_EQ(Copy->GetPicture()->GetWidth(), 4);

    TGDIPPicture Other;
    Other.Assign(&Bmp);
    Copy->SetPicture(&Other);
    EXPECT_EQ(Copy->GetPicture(), OwnPicture);   // the grid's own picture, filled by copy
}

// ---- nodes, sizes, filters, modified marks, balloons, progress, colours ---------------------------

TEST_F(OptionBehaviour, NodeColumnStaysWhileTheGridHasNodes)
{
    TCellNode* N = Grid.CellNode;
    Grid.HasNodes = true;
    EXPECT_NO_THROW(N->SetNodeColumn(0));   // its current value
    try {
        N->SetNodeColumn(2);
        FAIL() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, QorGridConsts::SNodeColumnHasNodes);
    }
    EXPECT_EQ(N->GetNodeColumn(), 0);
    Grid.HasNodes = false;
    N->SetNodeColumn(2);
    EXPECT_EQ(N->GetNodeColumn(), 2);
    EXPECT_EQ(Grid.Invalidates, 0);          // no repaint for the column
    N->SetNodeType(cnXP);
    N->SetNodeType(cnFlat);
    N->SetTreeColor(clRed);
    N->SetColor(clRed);                       // a plain field
    EXPECT_EQ(Grid.Invalidates, 2);
}

TEST_F(OptionBehaviour, ColumnSizeStretching)
{
    TColumnSize* S = Grid.ColumnSize;
    S->SetStretchColumn(3);
    S->SetStretch(true);                     // no parent: only stores
    EXPECT_TRUE(S->GetStretch());
    EXPECT_TRUE(Grid.Stretches.empty());
    Grid.HasParent = true;
    S->SetStretch(true);
    ASSERT_EQ(Grid.Stretches.size(), 1u);
    EXPECT_EQ(Grid.Stretches[0], std::make_pair(3, -1));

    S->SetStretchAll(true);
    EXPECT_EQ(S->GetStretchColumn(), -1);
    EXPECT_EQ(Grid.Stretches.back(), std::make_pair(-1, -1));
    S->SetStretchAll(true);                  // unchanged: nothing
    EXPECT_EQ(Grid.Stretches.size(), 2u);
    S->SetStretchAll(false);
    EXPECT_EQ(S->GetStretchColumn(), -1);
}

TEST_F(OptionBehaviour, FilterEditRowSwitchedOnOrOffResetsTheFilter)
{
    TFilterEdit* F = Grid.FilterEdit;
    ASSERT_EQ(F->GetTypeNames()->Count(), 9);
    EXPECT_EQ(F->GetTypeNames()->Strings(0), L"Starts with");
    EXPECT_EQ(F->GetTypeNames()->Strings(8), L"Clear");
    F->SetRow(1);
    Grid.ClearRecords();
    F->SetEnabled(false);                    // its current value: nothing
    EXPECT_TRUE(Grid.FilterEditResets.empty());
    F->SetEnabled(true);
    F->SetEnabled(false);
    EXPECT_EQ(Grid.FilterEditResets, (std::vector<int>{1, 1}));
    EXPECT_EQ(Grid.Invalidates, 2);
}

TEST_F(OptionBehaviour, ShowModifiedColourAlwaysTells)
{
    Counter C;
    Grid.ShowModified->OnChange = C.Handler();
    Grid.ShowModified->SetColor(Grid.ShowModified->GetColor());
    Grid.ShowModified->SetEnabled(true);
    EXPECT_EQ(C.Count, 1);
}

TEST_F(OptionBehaviour, BalloonEnableTellsTheGridButACopyDoesNot)
{
    Counter C;
    TBalloonSettings* B = Grid.Balloon;
    B->OnEnableChange = C.Handler();
    B->SetEnable(true);
    B->SetEnable(true);
    EXPECT_EQ(C.Count, 1);
    TBalloonSettings Other;
    Other.SetEnable(false);
    B->Assign(&Other);
    EXPECT_FALSE(B->GetEnable());
    EXPECT_EQ(C.Count, 1);
}

TEST_F(OptionBehaviour, ProgressAppearanceTellsOnChangesAndAfterACopy)
{
    TGridProgressAppearance* P = Grid.ProgressAppearance;
    Counter C;
    P->OnChange = C.Handler();
    P->SetSteps(11);
    P->SetStyle(psXP);
    EXPECT_EQ(C.Count, 0);
    P->SetSteps(5);
    EXPECT_EQ(C.Count, 1);
    TGridProgressAppearance Other;
    Other.SetStyle(psClassic);
    P->Assign(&Other);
    EXPECT_EQ(P->GetStyle(), psClassic);
    EXPECT_EQ(P->GetSteps(), 11);
    EXPECT_EQ(C.Count, 2);
}

TEST_F(OptionBehaviour, FilterDropDownGlyphsTellTheirChanges)
{
    TFilterDropDown* F = Grid.FilterDropDown;
    Counter C;
    F->OnChange = C.Handler();
    F->GetFont()->SetName(L"Arial");
    EXPECT_EQ(C.Count, 0);
    TBitmap Bmp(8, 8);
    F->SetGlyph(&Bmp);
    EXPECT_GE(C.Count, 1);
    int After = C.Count;
    F->GetGlyphActive()->SetSize(4, 4);
    EXPECT_GT(C.Count, After);
}

// A cell holding -3 with only the negative text colour set takes it; 0 and texts keep theirs.
TEST_F(OptionBehaviour, AutoColorDefinedByAnyColourAndToldOfNestedChanges)
{
    TAutoColor* A = Grid.AutoColor;
    Counter C;
    A->OnChange = C.Handler();
    EXPECT_FALSE(A->ColorsDefined());
    A->GetNegativeNumber()->SetTextColor(clRed);
    EXPECT_TRUE(A->ColorsDefined());
    EXPECT_EQ(C.Count, 1);
    EXPECT_EQ(C.Last, A);
    A->GetNegativeNumber()->SetTextColor(clRed);
    EXPECT_EQ(C.Count, 1);
    A->GetNegativeNumber()->SetTextColor(clNone);
    A->GetPositiveNumber()->SetBkgColor(clLime);
    EXPECT_TRUE(A->ColorsDefined());

    TAutoColor Copy;
    TColorSetting* OwnNegative = Copy.GetNegativeNumber();
    Copy.Assign(A);
    EXPECT_EQ(Copy.GetPositiveNumber()->GetBkgColor(), clLime);
    Copy.SetNegativeNumber(A->GetPositiveNumber());
    EXPECT_EQ(Copy.GetNegativeNumber(), OwnNegative);
    EXPECT_EQ(OwnNegative->GetBkgColor(), clLime);
}

TEST_F(OptionBehaviour, HoverButtonsCollection)
{
    THoverButtonsCollection* B = Grid.HoverButtons->GetButtons();
    EXPECT_EQ(B->GetOwner(), Grid.HoverButtons);
    EXPECT_EQ(Grid.HoverButtons->GetOwner(), &Grid);
    B->Add()->SetCaption(L"Slet");
    THoverButtonsCollectionItem* First = B->Insert(0);
    First->SetCaption(L"Ny");
    EXPECT_EQ(B->GetItems(0)->GetCaption(), L"Ny");
    EXPECT_EQ(B->GetItems(1)->GetCaption(), L"Slet");
    EXPECT_TRUE(First->GetEnabled());

    B->SetUpdated(false);
    First->SetHint(L"Ny række");
    EXPECT_TRUE(B->GetUpdated());
    B->SetUpdated(false);
    First->SetTag(7);                        // a plain field
    EXPECT_FALSE(B->GetUpdated());
    TPicture Pic;
    TBitmap Bmp(5, 5);
    Pic.SetGraphic(&Bmp);
    First->SetPicture(&Pic);
    EXPECT_TRUE(B->GetUpdated());
    EXPECT_EQ(First->GetPicture()->GetWidth(), 5);

    THoverButtons Copy(nullptr);
    Grid.HoverButtons->SetColumn(2);
    Copy.Assign(Grid.HoverButtons);
    ASSERT_EQ(Copy.GetButtons()->Count(), 2);
    EXPECT_EQ(Copy.GetButtons()->GetItems(0)->GetHint(), L"Ny række");
    EXPECT_EQ(Copy.GetButtons()->GetItems(0)->GetTag(), 7);
    EXPECT_EQ(Copy.GetButtons()->GetItems(0)->GetPicture()->GetWidth(), 5);
    EXPECT_EQ(Copy.GetColumn(), 2);
}

TEST_F(OptionBehaviour, BackGroundRepaintsOnEverySetting)
{
    TBackGround* B = Grid.BackGround;
    B->SetTop(B->GetTop());
    B->SetDisplay(bdGradientVert);
    TBitmap Bmp(2, 2);
    B->SetBitmap(&Bmp);
    EXPECT_EQ(Grid.Invalidates, 3);
    EXPECT_EQ(B->GetBitmap()->GetWidth(), 2);
    EXPECT_NE(B->GetBitmap(), &Bmp);
}

} // namespace
