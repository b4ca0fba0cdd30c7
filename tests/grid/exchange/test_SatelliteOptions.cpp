// The option objects the grid creates for its later areas (floating footer, drag-and-drop
// settings, drag-scroll options) as the property registry sees them: every published property
// with its initial value, what Assign copies and what it leaves, nested properties read from
// descriptions with clear errors, and the process-wide RTF switch.
#include "tests/grid/PropTexts.h"

#include "framework/Streaming.h"
#include "grid/QorGridSatellites.h"
#include "grid/exchange/jyrdd.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

namespace {

using namespace PropTexts;

// A stand-in for the grid: a component that owns one of each and publishes them.
class TSatelliteOwner : public TComponent {
    DECLARE_CLASS(TSatelliteOwner, TComponent)
public:
    explicit TSatelliteOwner(TComponent* AOwner)
        : TComponent(AOwner), FloatingFooter(Create<TFloatingFooter>(this)),
          DragDropSettings(Create<TDragDropSettings>(this)), DragScrollOptions(Create<TDragScrollOptions>())
    {
    }
    ~TSatelliteOwner() override
    {
        FloatingFooter->Free();
        DragDropSettings->Free();
        DragScrollOptions->Free();
    }
    TFloatingFooter* FloatingFooter;
    TDragDropSettings* DragDropSettings;
    TDragScrollOptions* DragScrollOptions;

    static void RegisterProperties(TPropertyTable& Table)
    {
        Table.AddField(L"FloatingFooter", &TSatelliteOwner::FloatingFooter);
        Table.AddField(L"DragDropSettings", &TSatelliteOwner::DragDropSettings);
        Table.AddField(L"DragScrollOptions", &TSatelliteOwner::DragScrollOptions);
    }
    static void Register()
    {
        RegisterQorGridSatelliteClasses();
        RegisterClass<TSatelliteOwner>();
    }
};

const String T = L"True";

struct OptionClass {
    const wchar_t* Name;
    std::function<TPersistent*(TComponent* Owner)> Make;
    // Property paths Assign leaves alone.
    std::set<String> NotCopied;
    // Initial values other than False, 0, an empty text and an enumeration's first value.
    TTexts Initial;
    // Every published property, in order.
    std::vector<String> Published;
};

void PrintTo(const OptionClass& C, std::ostream* Os)
{
    *Os << Narrow(C.Name);
}

std::vector<OptionClass> OptionClasses()
{
    return {
        {L"TFloatingFooter", [](TComponent* O) -> TPersistent* { return Create<TFloatingFooter>(O); },
         {L"Height", L"BorderColor"},
         {{L"Color", Clr(clBtnFace)}, {L"CalculateHiddenRows", T}, {L"BorderColor", Clr(clNone)}},
         {L"Height", L"Visible", L"Color", L"FooterStyle", L"Column", L"OnCalcFooter", L"CustomTemplate",
          L"CalculateHiddenRows", L"ShowHint", L"BorderColor"}},
        {L"TDragDropSettings", [](TComponent* O) -> TPersistent* { return Create<TDragDropSettings>(O); },
         {},
         {{L"OleAcceptText", T}, {L"OleAcceptFiles", T}, {L"OleAcceptURLs", T}, {L"ShowCells", T}},
         {L"OleDropRTF", L"OleAcceptText", L"OleEntireRows", L"OleDropSource", L"OleRemoveRows", L"OleAcceptFiles",
          L"OleAcceptURLs", L"OleDropTarget", L"OleInsertRows", L"OleAppendRows", L"OleCopyAlways",
          L"OleColumnDragDrop", L"OleColumnReorder", L"OleColumnsOnly", L"ShowCells"}},
        {L"TDragScrollOptions", [](TComponent*) -> TPersistent* { return Create<TDragScrollOptions>(); },
         {},
         {{L"Delays.InitialDelay", L"1000"}, {L"Delays.RepeatDelay", L"250"}, {L"Margins.TopMargin", L"50"},
          {L"Margins.BottomMargin", L"50"}, {L"Margins.LeftMargin", L"50"}, {L"Margins.RightMargin", L"50"}},
         {L"Active", L"Delays", L"Margins"}},
    };
}

class SatelliteOptions : public ::testing::TestWithParam<OptionClass> {
protected:
    void SetUp() override { TSatelliteOwner::Register(); }
    TSatelliteOwner Grid{nullptr};
    std::unique_ptr<TPersistent, void (*)(TPersistent*)> Make()
    {
        return {GetParam().Make(&Grid), [](TPersistent* P) { P->Free(); }};
    }
};

TEST_P(SatelliteOptions, PublishTheirPropertiesInOrderWithTheirInitialValues)
{
    auto Obj = Make();
    TRegisteredClass* C = ClassOf(Obj.get());
    ASSERT_NE(C, nullptr);
    ASSERT_EQ(C->Name, GetParam().Name);
    std::vector<String> Names;
    for (const TPropInfo* P : C->AllProperties()) Names.push_back(P->Name);
    EXPECT_EQ(Names, GetParam().Published);

    const TTexts& Initial = GetParam().Initial;
    for (auto& [Path, Actual] : Texts(Obj.get(), true)) {
        auto It = Initial.find(Path);
        if (It != Initial.end()) EXPECT_EQ(Actual, It->second) << Narrow(Path);
        else EXPECT_TRUE(Actual == L"False" || Actual == L"0" || Actual.empty() || Actual == L"fsFixedLastRow")
            << Narrow(Path) << " starts as " << Narrow(Actual);
    }
    // A declared default is the initial value, so a new object stores nothing.
    for (const TPropInfo* P : C->AllProperties())
        if (P->HasDefault) EXPECT_TRUE(P->Default == P->Get(Obj.get())) << Narrow(P->Name);
}

TEST_P(SatelliteOptions, AssignCopiesWhatTheClassCopiesAndLeavesTheRest)
{
    auto Source = Make();
    auto Target = Make();
    ExpectAssignCopies(Source.get(), Target.get(), GetParam().NotCopied);
}

TEST_P(SatelliteOptions, AssignIgnoresOtherClasses)
{
    auto Target = Make();
    ExpectAssignIgnoresOthers(Target.get());
}

INSTANTIATE_TEST_SUITE_P(All, SatelliteOptions, ::testing::ValuesIn(OptionClasses()),
                         [](const auto& Info) { return Narrow(Info.param.Name); });

TEST(DragDropSettings, AssignCopiesTheUnpublishedColumnPickerAndKeepsTheDragBookkeeping)
{
    TDragDropSettings Source(nullptr), Target(nullptr);
    Source.SetOleColumnPicker(true);
    Source.SetDeltaY(4);
    Source.SetSourceY(7);
    Target.SetDeltaY(1);
    Target.Assign(&Source);
    EXPECT_TRUE(Target.GetOleColumnPicker());
    EXPECT_EQ(Target.GetDeltaY(), 1);
    EXPECT_EQ(Target.GetSourceY(), 0);
}

TEST(DragDropSettings, OleDropRTFSetsTheProcessSwitchButACopyDoesNot)
{
    TDragDropSettings A(nullptr), B(nullptr);
    jyrdd::SetRTFAware(false);
    A.SetOleDropRTF(true);
    EXPECT_TRUE(jyrdd::RTFAware());
    A.SetOleDropRTF(false);
    EXPECT_FALSE(jyrdd::RTFAware());

    B.SetOleDropRTF(true);
    jyrdd::SetRTFAware(false);
    A.Assign(&B);
    EXPECT_TRUE(A.GetOleDropRTF());
    EXPECT_FALSE(jyrdd::RTFAware());
}

TEST(DragScrollOptions, AssignCopiesIntoItsOwnDelaysAndMargins)
{
    TDragScrollOptions Source, Target;
    TDragScrollDelays* Delays = Target.GetDelays();
    Source.GetDelays()->SetInitialDelay(300);
    Source.GetMargins()->SetLeftMargin(0);
    Target.Assign(&Source);
    EXPECT_EQ(Target.GetDelays(), Delays);   // the same objects, given the values
    EXPECT_EQ(Target.GetDelays()->GetInitialDelay(), 300);
    EXPECT_EQ(Target.GetMargins()->GetLeftMargin(), 0);
    Source.GetDelays()->SetInitialDelay(5);
    EXPECT_EQ(Target.GetDelays()->GetInitialDelay(), 300);
}

class SatelliteDescriptions : public ::testing::Test {
protected:
    void SetUp() override { TSatelliteOwner::Register(); }
};

TEST_F(SatelliteDescriptions, NestedPropertiesLoadIntoTheOwnedObjectsAndWriteBack)
{
    const String Description = L"object Grid1: TSatelliteOwner\n"
                               L"  FloatingFooter.Visible = True\n"
                               L"  FloatingFooter.FooterStyle = fsCustomPreview\n"
                               L"  FloatingFooter.CustomTemplate = 'Sum: <#2>'\n"
                               L"  DragDropSettings.OleDropTarget = True\n"
                               L"  DragDropSettings.ShowCells = False\n"
                               L"  DragScrollOptions.Active = True\n"
                               L"  DragScrollOptions.Delays.RepeatDelay = 100\n"
                               L"  DragScrollOptions.Margins.TopMargin = 20\n"
                               L"end\n";
    TSatelliteOwner A(nullptr);
    ReadComponentText(Description, &A);
    EXPECT_TRUE(A.FloatingFooter->GetVisible());
    EXPECT_EQ(A.FloatingFooter->GetFooterStyle(), fsCustomPreview);
    EXPECT_EQ(A.FloatingFooter->GetCustomTemplate(), L"Sum: <#2>");
    EXPECT_TRUE(A.DragDropSettings->GetOleDropTarget());
    EXPECT_FALSE(A.DragDropSettings->GetShowCells());
    EXPECT_TRUE(A.DragScrollOptions->GetActive());
    EXPECT_EQ(A.DragScrollOptions->GetDelays()->GetRepeatDelay(), 100);
    EXPECT_EQ(A.DragScrollOptions->GetMargins()->GetTopMargin(), 20);

    String Written = WriteComponentText(&A);
    EXPECT_EQ(Written.find(L"OleAcceptText"), String::npos);   // at its default
    TSatelliteOwner B(nullptr);
    ReadComponentText(Written, &B);
    EXPECT_EQ(WriteComponentText(&B), Written);
}

struct BadDescription {
    const wchar_t* Line;
    const wchar_t* Message;
};

class SatelliteDescriptionErrors : public SatelliteDescriptions,
                                   public ::testing::WithParamInterface<BadDescription> {};

TEST_P(SatelliteDescriptionErrors, NameTheProperty)
{
    TSatelliteOwner G(nullptr);
    String Text = String(L"object Grid1: TSatelliteOwner\n  DragScrollOptions.Active = True\n  ") + GetParam().Line +
                  L"\nend\n";
    try {
        ReadComponentText(Text, &G);
        FAIL() << "no exception";
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message, GetParam().Message);
    }
}

INSTANTIATE_TEST_SUITE_P(Descriptions, SatelliteDescriptionErrors, ::testing::Values(
    BadDescription{L"DragDropSettings.OleDropTarjet = True",
                   L"Property DragDropSettings.OleDropTarjet does not exist (line 3)"},
    BadDescription{L"DragScrollOptions.Delays.Initial = 5",
                   L"Property DragScrollOptions.Delays.Initial does not exist (line 3)"},
    BadDescription{L"FloatingFooter.FooterStyle = fsSideways",
                   L"Error reading FloatingFooter.FooterStyle: Invalid property value fsSideways (line 3)"},
    BadDescription{L"DragScrollOptions.Margins.TopMargin = 'wide'",
                   L"Error reading DragScrollOptions.Margins.TopMargin: Invalid property value 'wide' (line 3)"}));

} // namespace
