// The class registry, property tables, identifier tables and access to properties by name.
#include "test_StreamingProbes.h"

#include <gtest/gtest.h>

using namespace probes;

namespace {

class TypInfo : public ::testing::Test {
protected:
    void SetUp() override { RegisterProbes(); }
};

class TStranger : public TPersistent {
    DECLARE_CLASS(TProbe, TPersistent)   // deliberately the name of another class
};

}  // namespace

TEST_F(TypInfo, RegistryFindsClassesByNameWithTheirAncestors)
{
    EXPECT_EQ(FindClass(L"tprobeex")->Name, L"TProbeEx");
    EXPECT_EQ(GetClass(L"TProbeEx")->ParentName, L"TProbe");
    EXPECT_EQ(GetClass(L"TNoSuchClass"), nullptr);
    EXPECT_TRUE(ClassInheritsFrom(L"TProbeEx", L"TComponent"));
    EXPECT_TRUE(ClassInheritsFrom(L"TProbeItem", L"TCollectionItem"));
    EXPECT_FALSE(ClassInheritsFrom(L"TProbe", L"TProbeEx"));

    try {
        FindClass(L"TNoSuchClass");
        FAIL() << "no exception";
    } catch (const EClassNotFound& E) {
        EXPECT_EQ(E.Message, L"Class TNoSuchClass not found");
    }

    // The factory makes components with their owner; classes without a usable constructor
    // are registered but cannot be made.
    TComponent Owner(nullptr);
    auto* P = dynamic_cast<TProbeEx*>(FindClass(L"TProbeEx")->CreateInstance(&Owner));
    ASSERT_NE(P, nullptr);
    EXPECT_EQ(P->Owner(), &Owner);
    EXPECT_THROW(FindClass(L"TProbeItem")->CreateInstance(nullptr), EClassNotFound);

    // Registering again is harmless; another class under a taken name fails, quietly if asked.
    EXPECT_EQ(&RegisterClass<TProbe>(), GetClass(L"TProbe"));
    EXPECT_THROW(RegisterClass<TStranger>(), EComponentError);
    EXPECT_EQ((RegisterClassesQuietly<TStranger, TProbe>()), 1);
}

TEST_F(TypInfo, PropertiesAreInheritedAncestorsFirst)
{
    std::vector<String> Names = GetPropNames(L"TProbeEx");
    std::vector<String> Expected = {L"Name", L"Tag",   L"Caption", L"Width", L"Enabled", L"Ratio",  L"Precise",
                                    L"Align", L"Letter",  L"Big",   L"Mask",    L"Color",  L"Font",
                                    L"Lines", L"Items",   L"Buddy", L"OnClick", L"OnKeyPress", L"Level"};
    EXPECT_EQ(Names, Expected);

    const TPropInfo* Align = GetClass(L"TProbeEx")->FindProperty(L"ALIGN");
    ASSERT_NE(Align, nullptr);
    EXPECT_EQ(Align->Kind, TPropKind::Enumeration);
    EXPECT_EQ(GetClass(L"TProbe")->FindProperty(L"Lines")->Kind, TPropKind::Strings);
    EXPECT_EQ(GetClass(L"TProbe")->FindProperty(L"Items")->Kind, TPropKind::Collection);
    EXPECT_EQ(GetClass(L"TProbe")->FindProperty(L"Buddy")->Kind, TPropKind::Component);
    EXPECT_EQ(GetClass(L"TProbe")->FindProperty(L"Font")->Kind, TPropKind::Class);
    EXPECT_EQ(GetClass(L"TProbe")->FindProperty(L"Mask")->Kind, TPropKind::Cardinal);
    EXPECT_EQ(GetClass(L"TProbe")->FindProperty(L"Level"), nullptr);
}

struct TextCase {
    const wchar_t* Path;
    const wchar_t* Input;
    const wchar_t* Canonical;   // what GetPropValue answers afterwards
};

class PropText : public TypInfo, public ::testing::WithParamInterface<TextCase> {};

TEST_P(PropText, SetsAndReadsBackByName)
{
    TProbeEx P(nullptr);
    SetPropValue(&P, GetParam().Path, GetParam().Input);
    EXPECT_EQ(GetPropValue(&P, GetParam().Path), GetParam().Canonical);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PropText, ::testing::Values(
    TextCase{L"Caption", L"Hello, world", L"Hello, world"},
    TextCase{L"caption", L"", L""},
    TextCase{L"Width", L"-42", L"-42"},
    TextCase{L"Width", L"$10", L"16"},
    TextCase{L"Enabled", L"false", L"False"},
    TextCase{L"Ratio", L"1.5", L"1.5"},
    TextCase{L"Ratio", L"-2.5E-3", L"-0.0025"},
    TextCase{L"Align", L"PACLIENT", L"paClient"},
    TextCase{L"Letter", L"Z", L"Z"},
    TextCase{L"Letter", L"#216", L"\u00D8"},
    TextCase{L"Big", L"9000000000", L"9000000000"},
    TextCase{L"Mask", L"4294967295", L"4294967295"},
    TextCase{L"Color", L"clRed", L"clRed"},
    TextCase{L"Color", L"$00123456", L"$00123456"},
    TextCase{L"Color", L"255", L"clRed"},
    TextCase{L"Level", L"7", L"7"},
    TextCase{L"Name", L"Probe9", L"Probe9"},
    TextCase{L"Font.Name", L"Courier New", L"Courier New"},
    TextCase{L"Font.Style", L"[ psItalic , psBold ]", L"[psBold,psItalic]"},
    TextCase{L"Font.Style", L"[]", L"[]"},
    TextCase{L"Lines", L"a\r\nb", L"a\r\nb\r\n"}));

struct BadCase {
    const wchar_t* Path;
    const wchar_t* Input;
    const wchar_t* Message;
};

class PropTextErrors : public TypInfo, public ::testing::WithParamInterface<BadCase> {};

TEST_P(PropTextErrors, RaiseAPropertyErrorAndChangeNothing)
{
    TProbe P(nullptr);
    try {
        SetPropValue(&P, GetParam().Path, GetParam().Input);
        FAIL() << "no exception";
    } catch (const EPropertyError& E) {
        EXPECT_EQ(E.Message, GetParam().Message);
    }
    EXPECT_EQ(P.GetWidth(), 0);
    EXPECT_EQ(P.GetAlign(), paNone);
    EXPECT_TRUE(P.GetFont()->GetStyle().Empty());
}

INSTANTIATE_TEST_SUITE_P(Inputs, PropTextErrors, ::testing::Values(
    BadCase{L"Nope", L"1", L"Property Nope does not exist"},
    BadCase{L"Font.Nope", L"1", L"Property Font.Nope does not exist"},
    BadCase{L"Width.Nope", L"1", L"Property Width.Nope does not exist"},
    BadCase{L"Width", L"12x", L"Invalid property value 12x"},
    BadCase{L"Width", L"3000000000", L"Invalid property value 3000000000"},
    BadCase{L"Align", L"paLeft", L"Invalid property value paLeft"},
    BadCase{L"Align", L"7", L"Invalid property value 7"},
    BadCase{L"Font.Style", L"[psBold,psNone]", L"Invalid property value psNone"},
    BadCase{L"Font.Style", L"[psBold", L"Invalid property value [psBold"},
    BadCase{L"Enabled", L"yes", L"Invalid property value yes"},
    BadCase{L"Items", L"x", L"Property Items cannot be set from text"}));

TEST_F(TypInfo, IdentifierTablesAndSets)
{
    const TIdentTable* Styles = IdentTableOf(typeid(TProbeStyle));
    ASSERT_NE(Styles, nullptr);
    EXPECT_EQ(SetToString(*Styles, TProbeStyles{psUnderline, psBold}.Bits()), L"[psBold,psUnderline]");
    EXPECT_EQ(SetToString(*Styles, 0, false), L"");
    EXPECT_EQ(StringToSet(*Styles, L" psunderline,psItalic "), (TProbeStyles{psItalic, psUnderline}.Bits()));
    EXPECT_EQ(StringToSet(*Styles, L""), 0u);
    EXPECT_THROW(StringToSet(*Styles, L"psBold,,psItalic"), EPropertyError);
    EXPECT_EQ(EnumName(paTop), L"paTop");
    EXPECT_EQ(EnumName(taCenter), L"taCenter");
    EXPECT_EQ(IdentToEnum(*FindIdentTable(L"talignment"), L"TARIGHTJUSTIFY"), taRightJustify);

    // A mapper extends a table with computed names.
    TIdentTable Cursors{{0, L"crDefault"}};
    Cursors.ValueToIdentProc = [](Int64 V, String& S) {
        if (V < 100) return false;
        S = L"crCustom" + std::to_wstring(V);
        return true;
    };
    String Name;
    EXPECT_TRUE(Cursors.ToIdent(120, Name));
    EXPECT_EQ(Name, L"crCustom120");
    EXPECT_FALSE(Cursors.ToIdent(5, Name));
}

TEST_F(TypInfo, EventsBindThroughTheOwnersMethodTable)
{
    TProbeForm Form(nullptr);
    auto* P = Create<TProbe>(&Form);
    P->SetName(L"Probe1");

    SetPropValue(P, L"OnClick", L"probe1click");
    ASSERT_TRUE(P->OnClick);
    P->OnClick(P);
    EXPECT_EQ(Form.Clicks, 1);
    EXPECT_EQ(GetPropValue(P, L"OnClick"), L"Probe1Click");

    SetPropValue(P, L"OnKeyPress", L"MemoKeyPress");
    wchar_t Key = L'x';
    P->OnKeyPress(P, Key);
    EXPECT_EQ(Key, 0);
    EXPECT_EQ(Form.Keys, L"x");

    // A handler of another shape, an unknown name, and clearing.
    EXPECT_THROW(SetPropValue(P, L"OnClick", L"MemoKeyPress"), EPropertyError);
    EXPECT_THROW(SetPropValue(P, L"OnClick", L"NoSuchHandler"), EPropertyError);
    P->OnClick = [](TObject*) {};
    EXPECT_EQ(GetPropValue(P, L"OnClick"), L"");   // set in code: no name to store
    SetPropValue(P, L"OnClick", L"");
    EXPECT_FALSE(P->OnClick);
}

TEST_F(TypInfo, ComponentReferencesAndTypedAccess)
{
    TProbeForm Form(nullptr);
    auto* A = Create<TProbe>(&Form);
    A->SetName(L"A");
    auto* B = Create<TProbe>(&Form);
    B->SetName(L"B");

    SetPropValue(A, L"Buddy", L"b");
    EXPECT_EQ(A->GetBuddy(), B);
    EXPECT_EQ(GetPropValue(A, L"Buddy"), L"B");
    EXPECT_THROW(SetPropValue(A, L"Buddy", L"Nobody"), EPropertyError);
    SetPropValue(A, L"Buddy", L"");
    EXPECT_EQ(A->GetBuddy(), nullptr);

    SetOrdProp(A, L"Width", 12);
    EXPECT_EQ(GetOrdProp(A, L"Width"), 12);
    SetFloatProp(A, L"Precise", 1.0L / 3);
    EXPECT_EQ(GetFloatProp(A, L"Precise"), 1.0L / 3);
    SetEnumProp(A, L"Align", L"paTop");
    EXPECT_EQ(GetEnumProp(A, L"Align"), L"paTop");
    EXPECT_EQ(GetObjectProp(A, L"Font"), A->GetFont());
    EXPECT_TRUE(IsPublishedProp(A, L"font.height"));
    EXPECT_FALSE(IsPublishedProp(A, L"Font.Size"));
    EXPECT_THROW(SetOrdProp(A, L"Caption", 1), EPropertyError);
}

TEST(TypInfoNumbers, FloatsReadBackExactly)
{
    for (Extended V : {0.1L, 1.0L / 3, -123456.789L, 1e-300L, 6.02214076e23L, 0.0L, 2.0L}) {
        Extended Back = 0;
        String Text = FloatToInvariant(V);
        ASSERT_TRUE(TryInvariantToFloat(Text, Back)) << Utf16ToUtf8(Text);
        EXPECT_EQ(Back, V) << Utf16ToUtf8(Text);
        EXPECT_NE(Text.find_first_of(L".E"), String::npos);   // always reads as a float
    }
    Int64 I = 0;
    EXPECT_TRUE(TryTextToInt64(L"-9223372036854775808", I));
    EXPECT_EQ(I, INT64_MIN);
    EXPECT_FALSE(TryTextToInt64(L"9223372036854775808", I));
    EXPECT_FALSE(TryTextToInt64(L"0x", I));
    Extended F = 0;
    EXPECT_FALSE(TryInvariantToFloat(L"1,5", F));
    EXPECT_FALSE(TryInvariantToFloat(L"0x1p3", F));
    // The whole extended precision, even past the digits the number scanner hands on whole: a hair
    // above the half-way point between two extended values rounds up, one on it rounds to even.
    const String Zeros(900, L'0');
    ASSERT_TRUE(TryInvariantToFloat(L"18446744073709551617", F));
    EXPECT_EQ(F, 18446744073709551616.0L);
    ASSERT_TRUE(TryInvariantToFloat(L"18446744073709551617" + Zeros + L"1e-901", F));
    EXPECT_EQ(F, 18446744073709551618.0L);
    ASSERT_TRUE(TryInvariantToFloat(L"-1E+4000", F));   // beyond double, inside extended
    EXPECT_EQ(F, -1E+4000L);
}

TEST_F(TypInfo, ResetPutsPropertiesBackToTheirDefaults)
{
    TProbeForm Form(nullptr);
    TProbe P(&Form);
    P.SetName(L"Kept");
    P.SetCaption(L"x");
    P.SetWidth(4);
    P.SetEnabled(false);
    P.SetRatio(2.5);
    P.SetAlign(paTop);
    P.SetColor(1);
    P.SetBuddy(&Form);
    P.GetFont()->SetStyle({psBold});
    P.GetFont()->SetName(L"Arial");
    P.GetLines()->Add(L"line");
    P.GetItems()->Add();
    SetPropValue(&P, L"OnClick", L"Probe1Click");

    ResetProperties(&P);
    TWriter W;
    EXPECT_TRUE(W.WriteObject(&P).Props.empty());
    EXPECT_EQ(P.GetName(), L"Kept");
    EXPECT_FALSE(P.OnClick);
}
