// The grid's option objects as the property registry sees them: every published property with its
// initial value, what Assign copies and what it leaves, and nested option properties read from and
// written to form descriptions, with clear errors for names and values that do not fit.
#include "OptionsOwner.h"
#include "tests/grid/PropTexts.h"

#include "framework/Grids.h"
#include "framework/Streaming.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>

namespace {

using namespace PropTexts;

// One option class: how to make one for an owner, what its Assign leaves alone (by property path),
// and its published initial values other than False, 0, an empty text and an enumeration's first
// value.
struct OptionClass {
    const wchar_t* Name;
    std::function<TPersistent*(TComponent* Owner)> Make;
    std::set<String> NotCopied;
    TTexts Initial;
    // False for the two classes whose Assign raises for a foreign source (tested on their own).
    bool IgnoresOthers = true;
};

void PrintTo(const OptionClass& C, std::ostream* Os)
{
    *Os << Narrow(C.Name);
}

template <class T, class... A>
std::function<TPersistent*(TComponent*)> Maker(A... Args)
{
    return [=](TComponent* Owner) -> TPersistent* {
        if constexpr (std::is_constructible_v<T, TComponent*, A...>) return Create<T>(Owner, Args...);
        else return Create<T>(Args...);
    };
}

const String T = L"True";

std::vector<OptionClass> OptionClasses()
{
    return {
        {L"TSearchFooter", Maker<TSearchFooter>(false), {L"AutoSearch", L"SearchFixedCells"},
         {{L"Color", Clr(0x00FFFFFF)}, {L"ColorTo", Clr(clBtnFace)}, {L"ShowClose", T}, {L"ShowFindNext", T},
          {L"ShowFindPrev", T}, {L"ShowHighLight", T}, {L"ShowMatchCase", T}, {L"SearchColor", Clr(clWindow)},
          {L"SearchTextColor", Clr(clWindowText)}, {L"AutoSearch", T}, {L"IgnoreHTML", T},
          {L"ResultFormat", L"(%d of %d)"}, {L"SearchColumn", L"-1"}, {L"SearchErrorColor", Clr(0x000000FF)},
          {L"SearchErrorTextColor", Clr(0x00FFFFFF)}}},
        {L"TNavigation", Maker<TNavigation>(), {L"KeepScrollOnSort"},
         {{L"AdvanceOnEnterLoop", T}, {L"AdvanceAutoEdit", T}, {L"AdvanceSkipReadOnlyCells", T},
          {L"AutoComboSelect", T}, {L"AllowCtrlEnter", T}, {L"AllowClipboardRowGrow", T},
          {L"AllowClipboardColGrow", T}, {L"EditSelectAll", T}, {L"ComboGetUpDown", T},
          {L"CursorWalkAlwaysEdit", T}, {L"LeftRightRowSelect", T}, {L"CopyHTMLTagsToClipboard", T},
          {L"SkipFixedCells", T}, {L"SkipDisabledRows", T}}},
        {L"TMouseActions", Maker<TMouseActions>(), {L"SizeFixedRow", L"HotmailRowSelect", L"EditOnDblClickOnly"},
         {{L"AutoSizeColOnDblClick", T}, {L"PreciseNodeClick", T}}},
        {L"TSyncGrid", Maker<TSyncGrid>(), {}, {}},
        {L"TBands", Maker<TBands>(), {},
         {{L"PrimaryColor", Clr(clInfoBk)}, {L"PrimaryLength", L"1"}, {L"SecondaryColor", Clr(clWindow)},
          {L"SecondaryLength", L"1"}}},
        {L"TFocusHelper", Maker<TFocusHelper>(), {}, {}},
        {L"TQorHintInfo", Maker<TQorHintInfo>(), {}, {}},
        {L"TCellNode", Maker<TCellNode>(), {},
         {{L"NodeType", L"cnXP"}, {L"NodeIndent", L"12"}, {L"ShowTree", T}, {L"ShowTreeFull", T},
          {L"TreeColor", Clr(0x00808080)}, {L"Color", Clr(0x00C0C0C0)}, {L"NodeColor", Clr(0)}}},
        {L"TColumnSize", Maker<TColumnSize>(), {L"StretchAll"}, {{L"StretchColumn", L"-1"}}},
        {L"THTMLSettings", Maker<THTMLSettings>(), {L"ExportImages"},
         {{L"SaveColor", T}, {L"SaveFonts", T}, {L"ExportImages", T}, {L"BorderSize", L"1"}, {L"Width", L"100"},
          {L"ImageBaseName", L"img"}, {L"ImageFolder", L"images"}}},
        {L"TPrintSettings", Maker<TPrintSettings>(), {},
         {{L"DateFormat", L"dd/mm/yyyy"}, {L"PageNumSep", L"/"}, {L"Borders", L"pbSingle"},
          {L"BorderColor", Clr(0)}, {L"Centered", T}, {L"UseDisplayFont", T}},
         false},
        {L"TSizeWhileTyping", Maker<TSizeWhileTyping>(), {}, {}, false},
        {L"TBackGround", Maker<TBackGround>(), {}, {{L"Color", Clr(clWindow)}, {L"ColorTo", Clr(clBtnFace)}}},
        {L"TGrouping", Maker<TGrouping>(),
         {L"Summary", L"HeaderLineColor", L"SummaryLineColor", L"HeaderLineWidth", L"SummaryLineWidth"},
         {{L"HeaderColor", Clr(clNone)}, {L"HeaderColorTo", Clr(clNone)}, {L"HeaderTextColor", Clr(clNone)},
          {L"SummaryColor", Clr(clNone)}, {L"SummaryColorTo", Clr(clNone)}, {L"SummaryTextColor", Clr(clNone)},
          {L"HeaderLineColor", Clr(0x00FF0000)}, {L"SummaryLineColor", Clr(0x00FF0000)},
          {L"HeaderLineWidth", L"2"}, {L"SummaryLineWidth", L"2"}}},
        {L"TBalloonSettings", Maker<TBalloonSettings>(), {L"Transparency"},
         {{L"ShowCell", T}, {L"BackgroundColor", Clr(clNone)}, {L"TextColor", Clr(clNone)},
          {L"InitialDelay", L"-1"}, {L"ReshowDelay", L"-1"}, {L"AutoHideDelay", L"-1"}}},
        {L"TShowModified", Maker<TShowModified>(), {}, {{L"Color", Clr(0x0000FFFF)}}},
        {L"TGridProgressAppearance", Maker<TGridProgressAppearance>(), {},
         {{L"CompleteColor", Clr(0x000000FF)}, {L"CompleteFontColor", Clr(0x00FF0000)},
          {L"UnCompleteColor", Clr(clNone)}, {L"UnCompleteFontColor", Clr(clWindowText)},
          {L"Level0Color", Clr(0x0000FF00)}, {L"Level0ColorTo", Clr(0x00E1FFE1)},
          {L"Level1Color", Clr(0x0000FFFF)}, {L"Level1ColorTo", Clr(0x00CAFFFF)},
          {L"Level2Color", Clr(0x0053A9FF)}, {L"Level2ColorTo", Clr(0x00A8D3FF)},
          {L"Level3Color", Clr(0x000000FF)}, {L"Level3ColorTo", Clr(0x00CACAFF)}, {L"Level1Perc", L"70"},
          {L"Level2Perc", L"90"}, {L"BorderColor", Clr(0)}, {L"ShowPercentage", T}, {L"CompletionSmooth", T},
          {L"ShowGradient", T}, {L"Steps", L"11"}}},
        {L"TFilterDropDown", Maker<TFilterDropDown>(), {L"AutoSize", L"Sorted"},
         {{L"Width", L"150"}, {L"Height", L"150"}, {L"Color", Clr(clWindow)}, {L"Sorted", T}, {L"IgnoreHTML", T}}},
        {L"TFilterEdit", Maker<TFilterEdit>(), {}, {{L"Color", Clr(0x00FFFFFF)}, {L"CaseSensitive", T}}},
        {L"TColorSetting", Maker<TColorSetting>(), {}, {{L"TextColor", Clr(clNone)}, {L"BkgColor", Clr(clNone)}}},
        {L"TAutoColor", Maker<TAutoColor>(), {}, {}},
        {L"THoverButtons", Maker<THoverButtons>(), {}, {{L"Rows", L"hrNormal"}, {L"MoveActiveRow", T}}},
        {L"TSortSettings", Maker<TSortSettings>(), {L"SortOnVirtualCells", L"IgnoreCase"},
         {{L"Column", L"-1"}, {L"Full", T}, {L"AutoFormat", T}, {L"AutoSortForGrouping", T},
          {L"SortOnVirtualCells", T}, {L"IndexColor", Clr(0x0000FFFF)}, {L"HeaderColor", Clr(clNone)},
          {L"HeaderColorTo", Clr(clNone)}, {L"HeaderMirrorColor", Clr(clNone)},
          {L"HeaderMirrorColorTo", Clr(clNone)}}},
        {L"TControlLook", Maker<TControlLook>(),
         {L"FlatButton", L"NoDisabledCheckRadioLook", L"NoDisabledButtonLook", L"FixedDropDownButton"},
         {{L"ControlStyle", L"csTheme"}, {L"Color", Clr(0)}, {L"CommentColor", Clr(0x000000FF)},
          {L"CheckSize", L"15"}, {L"RadioSize", L"10"}, {L"DropDownButtonWidth", L"16"}, {L"DropDownCount", L"8"},
          {L"ProgressBorderColor", Clr(0x00808080)}, {L"ProgressMarginX", L"2"}, {L"ProgressMarginY", L"2"},
          {L"FixedGradientFrom", Clr(clNone)}, {L"FixedGradientTo", Clr(clNone)},
          {L"FixedGradientMirrorFrom", Clr(clNone)}, {L"FixedGradientMirrorTo", Clr(clNone)},
          {L"FixedGradientHoverFrom", Clr(0x00808080)}, {L"FixedGradientHoverTo", Clr(0x00FFFFFF)},
          {L"FixedGradientHoverMirrorFrom", Clr(clNone)}, {L"FixedGradientHoverMirrorTo", Clr(clNone)},
          {L"FixedGradientHoverBorder", Clr(0x00C0C0C0)}, {L"FixedGradientDownFrom", Clr(0x00808080)},
          {L"FixedGradientDownTo", Clr(0x00C0C0C0)}, {L"FixedGradientDownMirrorFrom", Clr(clNone)},
          {L"FixedGradientDownMirrorTo", Clr(clNone)}, {L"FixedGradientDownBorder", Clr(0x00808080)}}},
    };
}

class OptionClasses_ : public ::testing::TestWithParam<OptionClass> {
protected:
    void SetUp() override
    {
        TOptionsOwner::Register();
        Grid.FixedRows = 10;   // room for any sort row the tests set
    }
    TOptionsOwner Grid{nullptr};
    std::unique_ptr<TPersistent, void (*)(TPersistent*)> Make()
    {
        return {GetParam().Make(&Grid), [](TPersistent* P) { P->Free(); }};
    }
};

TEST_P(OptionClasses_, StartWithTheirInitialValues)
{
    auto Obj = Make();
    ASSERT_STREQ(Obj->ClassName().c_str(), GetParam().Name);
    TRegisteredClass* C = ClassOf(Obj.get());
    ASSERT_NE(C, nullptr);
    const TTexts& Initial = GetParam().Initial;
    for (const TPropInfo* P : C->AllProperties()) {
        if (!IsScalarKind(P->Kind)) continue;
        String Actual = PropValueToText(*P, P->Get(Obj.get()));
        auto It = Initial.find(P->Name);
        String Expected;
        if (It != Initial.end()) Expected = It->second;
        else if (P->Kind == TPropKind::Boolean) Expected = L"False";
        else if (P->Kind == TPropKind::Enumeration) Expected = P->IdentTable()->Entries().front().Ident;
        else if (P->Kind == TPropKind::String) Expected = L"";
        else if (P->Kind == TPropKind::Color) Expected = L"(a colour needs a listed initial value)";
        else Expected = L"0";
        EXPECT_EQ(Actual, Expected) << "property " << Narrow(P->Name);
        // The declared default is the initial value, so a new object stores nothing.
        if (P->HasDefault) {
            EXPECT_TRUE(P->Default == P->Get(Obj.get())) << Narrow(P->Name);
        }
    }
    for (auto& [Name, Value] : Initial) EXPECT_NE(C->FindProperty(Name), nullptr) << Narrow(Name);
}

TEST_P(OptionClasses_, AssignCopiesWhatTheClassCopiesAndLeavesTheRest)
{
    if (GetParam().Name == String(L"TSizeWhileTyping")) GTEST_SKIP() << "no Assign of its own";
    auto Source = Make();
    auto Target = Make();
    ExpectAssignCopies(Source.get(), Target.get(), GetParam().NotCopied);
}

TEST_P(OptionClasses_, AssignIgnoresOtherClasses)
{
    if (!GetParam().IgnoresOthers) GTEST_SKIP() << "raises instead";
    auto Target = Make();
    ExpectAssignIgnoresOthers(Target.get());
}

INSTANTIATE_TEST_SUITE_P(All, OptionClasses_, ::testing::ValuesIn(OptionClasses()),
                         [](const auto& Info) { return Narrow(Info.param.Name); });

// The two classes whose Assign does not follow the pattern.
TEST(OptionAssign, PrintSettingsRefuseOtherClassesAndStayAsTheyWere)
{
    TOptionsOwner::Register();
    TPrintSettings P(nullptr);
    P.SetJobName(L"Runde 1");
    TBands Other;
    for (TPersistent* Source : {static_cast<TPersistent*>(&Other), static_cast<TPersistent*>(nullptr)}) {
        try {
            P.Assign(Source);
            FAIL() << "no exception";
        } catch (const EInvalidCast& E) {
            EXPECT_EQ(E.Message, QorGridConsts::SInvalidClassTypecast);
        }
    }
    EXPECT_EQ(P.GetJobName(), L"Runde 1");
}

TEST(OptionAssign, PrintSettingsCopyPrintCommentsButNotTheScaleAndFixedFlags)
{
    TPrintSettings A(nullptr), B(nullptr);
    A.SetPrintComments(false);
    A.SetScaleHeader(false);
    A.SetScaleFooter(false);
    A.SetFixedCellsAlways(true);
    A.GetTitleLines()->Add(L"Titel");
    A.GetFixedFont()->SetName(L"Arial");
    B.Assign(&A);
    EXPECT_FALSE(B.GetPrintComments());
    EXPECT_TRUE(B.GetScaleHeader());
    EXPECT_TRUE(B.GetScaleFooter());
    EXPECT_FALSE(B.GetFixedCellsAlways());
    EXPECT_EQ(B.GetTitleLines()->GetText(), A.GetTitleLines()->GetText());
    EXPECT_EQ(B.GetFixedFont()->GetName(), L"Arial");
    // A nil font is ignored.
    B.SetFont(nullptr);
    EXPECT_NE(B.GetFont(), nullptr);
}

TEST(OptionAssign, SizeWhileTypingHasNoCopyOfItsOwn)
{
    TSizeWhileTyping A, B;
    A.SetHeight(true);
    EXPECT_THROW(B.Assign(&A), EConvertError);
    EXPECT_FALSE(B.GetHeight());
}

// ---- form descriptions ----------------------------------------------------------------------------

const wchar_t* const Description = LR"(object Grid1: TOptionsOwner
  SearchFooter.Visible = True
  SearchFooter.Font.Name = 'Arial'
  SearchFooter.ResultFormat = '%d/%d'
  Navigation.AdvanceDirection = adTopBottom
  Navigation.AutoGotoWhenSorted = True
  MouseActions.FixedComboValues.Strings = (
    'Ja'
    'Nej')
  MouseActions.WheelAction = waScroll
  Bands.Active = True
  Bands.PrimaryColor = clYellow
  Bands.PrimaryLength = 2
  OfficeHint.Title = 'Bud'
  OfficeHint.Notes.Strings = (
    'Syd melder')
  PrintSettings.Orientation = poLandscape
  PrintSettings.Borders = pbAround
  PrintSettings.TitleLines.Strings = (
    'Runde 1')
  PrintSettings.HeaderFont.Style = [fsBold]
  FilterEdit.Row = 2
  AutoColor.NegativeNumber.TextColor = clRed
  HoverButtons.Enabled = True
  HoverButtons.Buttons = <
    item
      Caption = 'Slet'
      Width = 40
    end
    item
      Caption = 'Ny'
      Flat = True
    end>
  SortSettings.DefaultFormat = ssNatural
  SortSettings.Row = 0
  ControlLook.ControlStyle = csFlat
  ControlLook.FixedGradientFrom = clSilver
  ControlLook.DropDownHeader.Caption = 'V'#230'lg'
  ControlLook.DropDownFooter.Buttons = <
    item
      Caption = 'OK'
      ModalResult = 1
    end>
end
)";

class OptionDescriptions : public ::testing::Test {
protected:
    void SetUp() override { TOptionsOwner::Register(); }
};

TEST_F(OptionDescriptions, NestedOptionPropertiesLoadIntoTheOwnedObjects)
{
    TOptionsOwner G(nullptr);
    TSearchFooter* FooterBefore = G.SearchFooter;
    ReadComponentText(Description, &G);

    EXPECT_EQ(G.SearchFooter, FooterBefore);   // read into, never replaced
    EXPECT_TRUE(G.SearchFooter->GetVisible());
    EXPECT_EQ(G.SearchFooter->GetFont()->GetName(), L"Arial");
    EXPECT_EQ(G.SearchFooter->GetResultFormat(), L"%d/%d");
    EXPECT_EQ(G.Navigation->GetAdvanceDirection(), adTopBottom);
    EXPECT_TRUE(G.Navigation->GetAutoGotoWhenSorted());
    EXPECT_EQ(G.MouseActions->GetFixedComboValues()->GetText(), L"Ja\r\nNej\r\n");
    EXPECT_EQ(G.MouseActions->GetWheelAction(), waScroll);
    EXPECT_TRUE(G.Bands->GetActive());
    EXPECT_EQ(G.Bands->GetPrimaryColor(), clYellow);
    EXPECT_EQ(G.Bands->GetTotalLength(), 3);
    EXPECT_EQ(G.OfficeHint->GetTitle(), L"Bud");
    EXPECT_EQ(G.OfficeHint->GetNotes()->Count(), 1);
    EXPECT_EQ(G.PrintSettings->GetOrientation(), poLandscape);
    EXPECT_EQ(G.PrintSettings->GetBorders(), pbAround);
    EXPECT_EQ(G.PrintSettings->GetTitleLines()->Strings(0), L"Runde 1");
    EXPECT_TRUE(G.PrintSettings->GetHeaderFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(G.FilterEdit->GetRow(), 2);
    EXPECT_EQ(G.AutoColor->GetNegativeNumber()->GetTextColor(), clRed);
    EXPECT_TRUE(G.AutoColor->ColorsDefined());
    ASSERT_EQ(G.HoverButtons->GetButtons()->Count(), 2);
    EXPECT_EQ(G.HoverButtons->GetButtons()->GetItems(0)->GetCaption(), L"Slet");
    EXPECT_EQ(G.HoverButtons->GetButtons()->GetItems(0)->GetWidth(), 40);
    EXPECT_TRUE(G.HoverButtons->GetButtons()->GetItems(1)->GetFlat());
    EXPECT_EQ(G.SortSettings->GetDefaultFormat(), ssNatural);
    EXPECT_EQ(G.ControlLook->GetControlStyle(), csFlat);
    EXPECT_EQ(G.ControlLook->GetFixedGradientFrom(), clSilver);
    EXPECT_EQ(G.GradFrom, clSilver);   // passed on to the grid through its setter
    EXPECT_EQ(G.ControlLook->GetDropDownHeader()->GetCaption(), L"V\u00e6lg");
    ASSERT_EQ(G.ControlLook->GetDropDownFooter()->GetButtons()->Count(), 1);
    EXPECT_EQ(G.ControlLook->GetDropDownFooter()->GetButtons()->GetItems(0)->GetModalResult(), mrOk);
}

TEST_F(OptionDescriptions, WrittenOptionsReadBackToTheSameDescription)
{
    TOptionsOwner A(nullptr);
    ReadComponentText(Description, &A);
    String Written = WriteComponentText(&A);
    // Only what differs from the initial values is written.
    EXPECT_EQ(Written.find(L"SearchFooter.ShowClose"), String::npos);
    EXPECT_NE(Written.find(L"SearchFooter.Visible = True"), String::npos);

    TOptionsOwner B(nullptr);
    ReadComponentText(Written, &B);
    EXPECT_EQ(WriteComponentText(&B), Written);
    for (size_t I = 0; I < A.Options().size(); ++I)
        EXPECT_EQ(Texts(B.Options()[I], true), Texts(A.Options()[I], true)) << Narrow(A.Options()[I]->ClassName());
}

// Fonts are written whole, as the class library writes them, and string lists whenever they hold
// lines; every other option property of a new owner is at its default and stays out.
TEST_F(OptionDescriptions, ANewOwnerWritesOnlyItsFontsAndLists)
{
    TOptionsOwner A(nullptr);
    A.SetName(L"Grid1");
    std::unique_ptr<TStringList> Lines(Create<TStringList>());
    Lines->SetText(WriteComponentText(&A));
    int Properties = 0;
    for (int I = 1; I + 1 < Lines->Count(); ++I) {
        String Line = Lines->Strings(I);
        size_t Eq = Line.find(L" = ");
        if (Eq == String::npos) continue;   // a line of a list
        String Path = Line.substr(2, Eq - 2);
        ++Properties;
        EXPECT_TRUE(Path.find(L"Font.") != String::npos || Path == L"FilterEdit.TypeNames.Strings") << Narrow(Path);
    }
    EXPECT_GT(Properties, 0);
}

struct BadDescription {
    const wchar_t* Line;
    const wchar_t* Message;
};

class OptionDescriptionErrors : public OptionDescriptions, public ::testing::WithParamInterface<BadDescription> {};

TEST_P(OptionDescriptionErrors, NameThePropertyAndLeaveTheRestAlone)
{
    TOptionsOwner G(nullptr);
    TTexts Before = Texts(G.SortSettings, true);
    String Text = String(L"object Grid1: TOptionsOwner\n  Bands.Active = True\n  ") + GetParam().Line + L"\nend\n";
    try {
        ReadComponentText(Text, &G);
        FAIL() << "no exception";
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message, GetParam().Message);
    }
    EXPECT_EQ(Texts(G.SortSettings, true), Before);
}

INSTANTIATE_TEST_SUITE_P(Descriptions, OptionDescriptionErrors, ::testing::Values(
    BadDescription{L"SearchFooter.Visibel = True", L"Property SearchFooter.Visibel does not exist (line 3)"},
    BadDescription{L"SerchFooter.Visible = True", L"Property SerchFooter.Visible does not exist (line 3)"},
    BadDescription{L"ControlLook.DropDownHeader.Fnt.Name = 'Arial'",
                   L"Property ControlLook.DropDownHeader.Fnt.Name does not exist (line 3)"},
    BadDescription{L"Navigation.AdvanceDirection = adDiagonal",
                   L"Error reading Navigation.AdvanceDirection: Invalid property value adDiagonal (line 3)"},
    BadDescription{L"Bands.PrimaryLength = 'two'",
                   L"Error reading Bands.PrimaryLength: Invalid property value 'two' (line 3)"},
    BadDescription{L"SortSettings.Row = 3",
                   L"Error reading SortSettings.Row: Sort row should be smaller than number of fixed rows (line 3)"},
    BadDescription{L"HoverButtons.Buttons = <\n    item\n      Captoin = 'x'\n    end>",
                   L"Property Captoin does not exist (line 5)"}));

} // namespace
