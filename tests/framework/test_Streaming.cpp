// Component streaming: form descriptions in the text form, binary records, round trips, and bad
// input.
#include "test_StreamingProbes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace probes;

namespace {

// A record class as the grid's cell stream uses them: fields always written.
class TCellRec : public TComponent {
    DECLARE_CLASS(TCellRec, TComponent)
public:
    using TComponent::TComponent;
    Word Col = 0;
    Word Row = 0;
    String Cell;
    bool HasProp = false;
    Extended Value = 0;
    std::vector<std::pair<int, String>> Spans;   // a defined list of (number, text) pairs

    static void RegisterProperties(TPropertyTable& T)
    {
        T.AddField(L"Col", &TCellRec::Col);
        T.AddField(L"Row", &TCellRec::Row);
        T.AddField(L"Cell", &TCellRec::Cell);
        T.AddField(L"HasProp", &TCellRec::HasProp);
        T.AddField(L"Value", &TCellRec::Value);
    }

protected:
    void DefineProperties(TFiler* Filer) override
    {
        Filer->DefineProperty(
            L"Spans",
            [this](TReader* R) {
                Spans.clear();
                R->ReadListBegin();
                while (!R->EndOfList()) {
                    int N = int(R->ReadInteger());
                    Spans.emplace_back(N, R->ReadString());
                }
                R->ReadListEnd();
            },
            [this](TWriter* W) {
                W->WriteListBegin();
                for (auto& [N, S] : Spans) {
                    W->WriteInteger(N);
                    W->WriteString(S);
                }
                W->WriteListEnd();
            },
            !Spans.empty());
    }
};

const wchar_t* const FormText =
    L"object Form1: TProbeForm\r\n"
    L"  Caption = 'Main ' +\r\n"
    L"    'window'\r\n"
    L"  PixelsPerInch = 96\r\n"
    L"  Constraints.MinWidth = 100\r\n"
    L"  object Probe1: TProbe\r\n"
    L"    Caption = 'It''s'#13#10'two'#$41' lines'\r\n"
    L"    Width = -3\r\n"
    L"    Enabled = False\r\n"
    L"    Ratio = -1.5\r\n"
    L"    Align = paClient\r\n"
    L"    Letter = 'Q'\r\n"
    L"    Big = 9000000000\r\n"
    L"    Mask = $FFFFFFFF\r\n"
    L"    Color = clRed\r\n"
    L"    Font.Name = 'Courier New'\r\n"
    L"    Font.Style = [psBold, psItalic]\r\n"
    L"    Font.Color = 16711680\r\n"
    L"    Lines.Strings = (\r\n"
    L"      'first'\r\n"
    L"      'Inds\u00E6t kortfordeling'\r\n"
    L"      '')\r\n"
    L"    Items = <\r\n"
    L"      item\r\n"
    L"        Caption = 'one'\r\n"
    L"        Value = 1\r\n"
    L"      end\r\n"
    L"      item\r\n"
    L"        Caption = 'two'\r\n"
    L"      end>\r\n"
    L"    Buddy = Probe2\r\n"
    L"    OnClick = Probe1Click\r\n"
    L"    OnKeyPress = MemoKeyPress\r\n"
    L"    Extra = 5\r\n"
    L"    Data = {\r\n"
    L"      0102FF}\r\n"
    L"  end\r\n"
    L"  object Probe2: TProbeEx\r\n"
    L"    Level = 3\r\n"
    L"    object Inner: TProbe\r\n"
    L"      Tag = 9\r\n"
    L"    end\r\n"
    L"  end\r\n"
    L"end\r\n";

class Streaming : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterProbes();
        RegisterClass<TCellRec>();
        RegisterParentSetter(L"TProbe", [](TComponent* Child, TComponent* Parent) {
            Log().push_back(L"Parent " + Child->GetName() + L"=" + Parent->GetName());
        });
        Log().clear();
    }
};

}  // namespace

TEST_F(Streaming, ReadsAFormDescription)
{
    TProbeForm Form(nullptr);
    ReadComponentText(FormText, &Form);

    EXPECT_EQ(Form.GetName(), L"Form1");
    EXPECT_EQ(Form.GetCaption(), L"Main window");
    ASSERT_NE(Form.Probe1, nullptr);
    ASSERT_NE(Form.Probe2, nullptr);
    TProbe* P = Form.Probe1;
    EXPECT_EQ(P->Owner(), &Form);
    EXPECT_EQ(P->GetCaption(), L"It's\r\ntwoA lines");
    EXPECT_EQ(P->GetWidth(), -3);
    EXPECT_FALSE(P->GetEnabled());
    EXPECT_EQ(P->GetRatio(), -1.5);
    EXPECT_EQ(P->GetAlign(), paClient);
    EXPECT_EQ(P->GetLetter(), L'Q');
    EXPECT_EQ(P->GetBig(), 9000000000LL);
    EXPECT_EQ(P->GetMask(), 0xFFFFFFFFu);
    EXPECT_EQ(P->GetColor(), 0x0000FF);
    EXPECT_EQ(P->GetFont()->GetName(), L"Courier New");
    EXPECT_EQ(P->GetFont()->GetStyle(), (TProbeStyles{psBold, psItalic}));
    EXPECT_EQ(P->GetFont()->GetColor(), 0xFF0000);
    EXPECT_EQ(P->GetLines()->GetText(), L"first\r\nInds\u00E6t kortfordeling\r\n\r\n");
    ASSERT_EQ(P->GetItems()->Count(), 2);
    EXPECT_EQ(static_cast<TProbeItem*>(P->GetItems()->Items(0))->Value, 1);
    EXPECT_EQ(static_cast<TProbeItem*>(P->GetItems()->Items(1))->Caption, L"two");
    EXPECT_EQ(P->GetBuddy(), Form.Probe2);   // a reference to a component read later
    EXPECT_EQ(P->Extra, 5);
    EXPECT_EQ(P->Data, (TBytes{0x01, 0x02, 0xFF}));
    EXPECT_EQ(Form.Probe2->GetLevel(), 3);
    auto* Inner = dynamic_cast<TProbe*>(Form.FindComponent(L"Inner"));
    ASSERT_NE(Inner, nullptr);
    EXPECT_EQ(Inner->Owner(), &Form);
    EXPECT_EQ(Inner->GetTag(), 9);

    // Events are bound to the form's handlers.
    P->OnClick(P);
    EXPECT_EQ(Form.Clicks, 1);
    wchar_t Key = L'k';
    P->OnKeyPress(P, Key);
    EXPECT_EQ(Form.Keys, L"k");

    // Parents follow the nesting; Loaded runs after the whole tree (references resolved), root
    // first; no component is left loading.
    std::vector<String> Expected = {L"Parent Probe1=Form1", L"Parent Probe2=Form1", L"Parent Inner=Probe2",
                                    L"Loaded Form1",        L"Loaded Probe1",       L"Loaded Probe2",
                                    L"Loaded Inner"};
    EXPECT_EQ(Log(), Expected);
    EXPECT_EQ(P->BuddyAtLoaded, L"Probe2");
    for (TComponent* C : {static_cast<TComponent*>(&Form), static_cast<TComponent*>(P), static_cast<TComponent*>(Inner)}) {
        EXPECT_FALSE(C->GetComponentState().Contains(csLoading));
        EXPECT_FALSE(C->GetComponentState().Contains(csReading));
    }
}

TEST_F(Streaming, WritesOnlyValuesThatDifferFromTheirDefaults)
{
    TProbeForm Form(nullptr);
    Form.SetName(L"F");
    auto* P = Create<TProbe>(&Form);
    P->SetName(L"P1");
    EXPECT_EQ(WriteComponentText(&Form),
              L"object F: TProbeForm\r\n"
              L"  object P1: TProbe\r\n"
              L"  end\r\n"
              L"end\r\n");

    P->SetWidth(5);
    P->SetEnabled(false);
    P->GetFont()->SetHeight(-13);
    P->SetColor(0x123456);
    P->SetBuddy(&Form);
    EXPECT_EQ(WriteComponentText(&Form),
              L"object F: TProbeForm\r\n"
              L"  object P1: TProbe\r\n"
              L"    Width = 5\r\n"
              L"    Enabled = False\r\n"
              L"    Color = 1193046\r\n"
              L"    Font.Height = -13\r\n"
              L"    Buddy = F\r\n"
              L"  end\r\n"
              L"end\r\n");
}

TEST_F(Streaming, TextRoundTripGivesTheSameText)
{
    TProbeForm Form(nullptr);
    ReadComponentText(FormText, &Form);
    Form.Probe1->SetPrecise(1.0L / 3);
    Form.Probe1->SetCaption(String(70, L'x') + L"\u00D8\U0001F600");
    String First = WriteComponentText(&Form);

    EXPECT_NE(First.find(L"    Font.Style = [psBold, psItalic]\r\n"), String::npos);
    EXPECT_NE(First.find(L"    OnClick = Probe1Click\r\n"), String::npos);
    EXPECT_NE(First.find(L"    Color = clRed\r\n"), String::npos);
    EXPECT_NE(First.find(L"    Data = {\r\n      0102FF}\r\n"), String::npos);
    EXPECT_NE(First.find(L"x' +\r\n"), String::npos);   // a long string is split
    EXPECT_NE(First.find(L"#216#55357#56832"), String::npos);

    TProbeForm Again(nullptr);
    ReadComponentText(First, &Again);
    EXPECT_EQ(Again.Probe1->GetPrecise(), 1.0L / 3);
    EXPECT_EQ(WriteComponentText(&Again), First);

    // Through the binary form and back to text.
    EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary(First)), First);
}

struct ErrorCase {
    const wchar_t* Text;
    const wchar_t* Message;
};

class StreamingErrors : public Streaming, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(StreamingErrors, NameWhatFailedAndTheLine)
{
    TProbeForm Form(nullptr);
    try {
        ReadComponentText(GetParam().Text, &Form);
        FAIL() << "no exception";
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message, GetParam().Message);
    }
    for (int I = 0; I < Form.ComponentCount(); ++I)
        EXPECT_FALSE(Form.Components(I)->GetComponentState().Contains(csLoading));
    EXPECT_FALSE(Form.GetComponentState().Contains(csLoading));
}

INSTANTIATE_TEST_SUITE_P(Descriptions, StreamingErrors, ::testing::Values(
    ErrorCase{L"object Form1: TProbeForm\n  object Probe1: TProbe\n    Foo = 1\n  end\nend",
              L"Property Foo does not exist (line 3)"},
    ErrorCase{L"object Form1: TProbeForm\n  object Probe1: TFoo\n  end\nend",
              L"Class TFoo not found (line 2)"},
    ErrorCase{L"object Form1: TProbeForm\n  object Probe1: TProbe\n    Font.Size = 3\n  end\nend",
              L"Property Font.Size does not exist (line 3)"},
    ErrorCase{L"object Form1: TProbeForm\n  object Probe1: TProbe\n    Align = paLeft\n  end\nend",
              L"Error reading Align: Invalid property value paLeft (line 3)"},
    ErrorCase{L"object Form1: TProbeForm\n  object Probe1: TProbe\n    Align = 7\n  end\nend",
              L"Error reading Align: Invalid property value 7 (line 3)"},
    ErrorCase{L"object Form1: TProbeForm\n  object Probe1: TProbe\n    Width = 'abc'\n  end\nend",
              L"Error reading Width: Invalid property value 'abc' (line 3)"},
    ErrorCase{L"object Form1: TProbeForm\n  object Probe1: TProbe\n    Width = 3000000000\n  end\nend",
              L"Error reading Width: Invalid property value 3000000000 (line 3)"},
    ErrorCase{L"object Form1: TProbeForm\n  object Probe1: TProbe\n    OnClick = Nope\n  end\nend",
              L"Error reading OnClick: Method Nope not found (line 3)"},
    ErrorCase{L"object Form1: TProbeForm\n\n  object Probe1: TProbe\n    Buddy = Nobody\n  end\nend",
              L"Error reading Buddy: component Nobody not found (line 4)"},
    ErrorCase{L"object Form1: TProbeForm\n  object Probe1: TProbe\n    Caption = 'abc\n  end\nend",
              L"Unterminated string (line 3)"},
    ErrorCase{L"object Form1: TProbeForm\n  object Probe1: TProbe\n    Width = 1\n",
              L"'end' expected for Probe1 (line 4)"},
    ErrorCase{L"object Form1: TProbeForm\n  Items = <\n    item\n      Value = x\n    end>\nend",
              L"Property Items does not exist (line 2)"},
    ErrorCase{L"object Form1: TProbeForm\r\n  object Probe1: TProbe\r\n    Items = <\r\n      item\r\n        Value = x\r\n"
              L"      end>\r\n  end\r\nend",
              L"Error reading Value: Invalid property value x (line 5)"},
    ErrorCase{L"object Form1: TProbeForm\n  Data = {0102F}\nend", L"Odd number of hex digits in binary data (line 2)"},
    ErrorCase{L"object Form1: TProbe\nend",
              L"A description of TProbe cannot be read into an object of class TProbeForm (line 1)"},
    ErrorCase{L"object Form1: TProbeForm\nend\nxyz", L"Text after the final 'end' (line 3)"}));

TEST_F(Streaming, UnknownClassIsAClassNotFoundError)
{
    TProbeForm Form(nullptr);
    EXPECT_THROW(ReadComponentText(L"object Form1: TProbeForm\n  object X: TNope\n  end\nend", &Form), EClassNotFound);
    EXPECT_THROW(CreateComponentFromText(L"object X: TNope\nend", nullptr), EClassNotFound);
    TComponent* Made = CreateComponentFromText(L"object X: TProbeEx\n  Level = 4\nend", &Form);
    ASSERT_NE(dynamic_cast<TProbeEx*>(Made), nullptr);
    EXPECT_EQ(Made->Owner(), &Form);
    EXPECT_EQ(static_cast<TProbeEx*>(Made)->GetLevel(), 4);
}

TEST_F(Streaming, ResourcesAndMemoryDescriptions)
{
    TProbeForm Form(nullptr);
    EXPECT_THROW(ReadComponentRes(L"NO_SUCH_FORM", &Form), EResNotFound);

    // A description stored as an RCDATA resource of a module (a copy of this program).
    wchar_t Exe[MAX_PATH], TempDir[MAX_PATH];
    GetModuleFileNameW(nullptr, Exe, MAX_PATH);
    GetTempPathW(MAX_PATH, TempDir);
    String Copy = String(TempDir) + L"streaming_res_" + std::to_wstring(GetCurrentProcessId()) + L".exe";
    ASSERT_TRUE(CopyFileW(Exe, Copy.c_str(), FALSE));
    std::string Desc = "object Form1: TProbeForm\r\n  Caption = 'fra ressource \xC3\xB8'\r\nend\r\n";
    HANDLE Update = BeginUpdateResourceW(Copy.c_str(), FALSE);
    ASSERT_NE(Update, nullptr);
    ASSERT_TRUE(UpdateResourceW(Update, RT_RCDATA, L"PROBEFORM", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                Desc.data(), DWORD(Desc.size())));
    ASSERT_TRUE(EndUpdateResourceW(Update, FALSE));
    HMODULE Module = LoadLibraryExW(Copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(Module, nullptr);
    ReadComponentRes(L"ProbeForm", &Form, Module);
    EXPECT_EQ(Form.GetCaption(), L"fra ressource \u00F8");
    FreeLibrary(Module);
    DeleteFileW(Copy.c_str());

    std::string Utf8 = "\xEF\xBB\xBF" "object Form1: TProbeForm\r\n  Caption = 'Hj\xC3\xA6lp'\r\nend\r\n";
    ReadComponentData(reinterpret_cast<const Byte*>(Utf8.data()), Utf8.size(), &Form);
    EXPECT_EQ(Form.GetCaption(), L"Hj\u00E6lp");

    TBytes Binary = ObjectTextToBinary(L"object Form1: TProbeForm\n  Caption = 'bin'\nend");
    ReadComponentData(Binary.data(), Binary.size(), &Form);
    EXPECT_EQ(Form.GetCaption(), L"bin");
}

// ---- Binary records ---------------------------------------------------------------------------

TEST_F(Streaming, RecordBytesFollowTheFormat)
{
    TCellRec Rec(nullptr);
    Rec.Col = 5;
    Rec.Row = 40000;
    Rec.Cell = L"ab";
    Rec.HasProp = true;
    TMemoryStream S;
    WriteComponentToStream(&S, &Rec);

    const Byte Expected[] = {'T', 'P', 'F', '0', 8, 'T', 'C', 'e', 'l', 'l', 'R', 'e', 'c', 0,
                             3, 'C', 'o', 'l', vaInt8, 5,
                             3, 'R', 'o', 'w', vaInt32, 0x40, 0x9C, 0, 0,
                             4, 'C', 'e', 'l', 'l', vaString, 2, 'a', 'b',
                             7, 'H', 'a', 's', 'P', 'r', 'o', 'p', vaTrue,
                             0, 0};
    ASSERT_EQ(S.Size(), Int64(sizeof Expected));
    EXPECT_EQ(std::memcmp(S.Memory(), Expected, sizeof Expected), 0);

    // 1.0 as 80-bit extended: mantissa 8000000000000000, exponent 3FFF.
    Rec.Value = 1.0L;
    TMemoryStream S2;
    WriteComponentToStream(&S2, &Rec);
    const Byte One[] = {5, 'V', 'a', 'l', 'u', 'e', vaExtended, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    auto* B = static_cast<const Byte*>(S2.Memory());
    EXPECT_NE(std::search(B, B + S2.Size(), One, One + sizeof One), B + S2.Size());
}

TEST_F(Streaming, RecordsReadInSequenceIntoExistingObjects)
{
    TCellRec A(nullptr), B(nullptr), Target(nullptr);
    A.Spans = {{2, L"to"}, {70000, L"mange"}};
    A.Col = 1;
    A.Cell = L"\u00C6ble";
    A.Value = -2.5L;
    B.Col = 2;
    B.HasProp = true;
    TMemoryStream S;
    WriteComponentToStream(&S, &A);
    WriteComponentToStream(&S, &B);
    S.SetPosition(0);

    ReadComponentFromStream(&S, &Target);
    EXPECT_EQ(Target.Col, 1);
    EXPECT_EQ(Target.Cell, L"\u00C6ble");
    EXPECT_EQ(Target.Value, -2.5L);
    EXPECT_EQ(Target.Spans, A.Spans);
    Int64 After1 = S.Position();
    ReadComponentFromStream(&S, &Target);
    EXPECT_EQ(Target.Col, 2);
    EXPECT_TRUE(Target.HasProp);
    EXPECT_EQ(Target.Cell, L"\u00C6ble");   // absent from the second record: kept
    EXPECT_EQ(S.Position(), S.Size());
    EXPECT_GT(After1, 0);

    // A truncated record raises and leaves the object and the position alone.
    TMemoryStream Short;
    Short.WriteBuffer(S.Memory(), NativeInt(After1 - 3));
    Short.SetPosition(0);
    TCellRec Untouched(nullptr);
    EXPECT_THROW(ReadComponentFromStream(&Short, &Untouched), EReadError);
    EXPECT_EQ(Untouched.Col, 0);
    EXPECT_EQ(Short.Position(), 0);
}

struct TagCase {
    TStreamValue Value;
    TValueType Tag;
};

TEST_F(Streaming, EachValueTagSurvivesTheBinaryForm)
{
    TStreamValue Bin;
    Bin.Type = vaBinary;
    Bin.Binary = {0, 1, 2, 0xFE, 0xFF};
    TStreamValue Set;
    Set.Type = vaSet;
    Set.Set = {L"fsBold", L"fsStrikeOut"};
    TStreamValue EmptySet;
    EmptySet.Type = vaSet;
    TStreamValue List;
    List.Type = vaList;
    List.List = {TStreamValue::OfString(L"a"), TStreamValue::Integer(7), TStreamValue::OfString(L"")};
    TStreamValue Coll;
    Coll.Type = vaCollection;
    Coll.Items.resize(2);
    Coll.Items[0].Props.push_back({L"Caption", TStreamValue::OfString(L"one")});
    Coll.Items[1].HasIndex = true;
    Coll.Items[1].Index = 3;
    TStreamValue Nil;
    Nil.Type = vaNil;

    const std::vector<TagCase> Cases = {
        {TStreamValue::Integer(-128), vaInt8},
        {TStreamValue::Integer(127), vaInt8},
        {TStreamValue::Integer(-129), vaInt16},
        {TStreamValue::Integer(32767), vaInt16},
        {TStreamValue::Integer(40000), vaInt32},
        {TStreamValue::Integer(INT32_MIN), vaInt32},
        {TStreamValue::Integer(Int64(1) << 40), vaInt64},
        {TStreamValue::Extended_(1.0L / 3), vaExtended},
        {TStreamValue::Extended_(-1e4000L), vaExtended},
        {TStreamValue::OfString(L""), vaString},
        {TStreamValue::OfString(String(255, L'y')), vaString},
        {TStreamValue::OfString(String(300, L'x')), vaLString},
        {TStreamValue::OfString(L"\u00C6ble og p\u00E6rer"), vaUTF8String},
        {TStreamValue::OfString(L"\u65E5\u672C\u8A9E"), vaWString},
        {TStreamValue::OfString(L"\U0001F600"), vaWString},
        {TStreamValue::Ident(L"ctBitmap"), vaIdent},
        {TStreamValue::Boolean(false), vaFalse},
        {TStreamValue::Boolean(true), vaTrue},
        {Bin, vaBinary},
        {Set, vaSet},
        {EmptySet, vaSet},
        {List, vaList},
        {Coll, vaCollection},
        {Nil, vaNil},
    };
    TStreamObject Obj;
    Obj.ClassName = L"TAnything";
    for (size_t I = 0; I < Cases.size(); ++I) Obj.Props.push_back({L"P" + std::to_wstring(I), Cases[I].Value});
    TBytes Bytes = FormatObjectBinary(Obj);
    size_t Pos = 0;
    TStreamObject Back = ParseObjectBinary(Bytes.data(), Bytes.size(), Pos);
    EXPECT_EQ(Pos, Bytes.size());
    ASSERT_EQ(Back.Props.size(), Cases.size());
    for (size_t I = 0; I < Cases.size(); ++I) {
        SCOPED_TRACE(I);
        const TStreamValue& Got = Back.Props[I].Value;
        const TStreamValue& Want = Cases[I].Value;
        EXPECT_EQ(Got.Type, Cases[I].Tag);
        EXPECT_EQ(Got.Int, Want.Int);
        EXPECT_EQ(Got.Float, Want.Float);
        EXPECT_EQ(Got.Str, Want.Str);
        EXPECT_EQ(Got.Set, Want.Set);
        EXPECT_EQ(Got.Binary, Want.Binary);
        ASSERT_EQ(Got.List.size(), Want.List.size());
        for (size_t K = 0; K < Got.List.size(); ++K) EXPECT_EQ(Got.List[K].Str, Want.List[K].Str);
        ASSERT_EQ(Got.Items.size(), Want.Items.size());
        for (size_t K = 0; K < Got.Items.size(); ++K) {
            EXPECT_EQ(Got.Items[K].HasIndex, Want.Items[K].HasIndex);
            EXPECT_EQ(Got.Items[K].Index, Want.Items[K].Index);
            EXPECT_EQ(Got.Items[K].Props.size(), Want.Items[K].Props.size());
        }
    }
    // The text form carries every kind too.
    EXPECT_EQ(FormatObjectText(ParseObjectText(FormatObjectText(Back))), FormatObjectText(Back));
}

TEST_F(Streaming, BadBinaryInputRaisesAReadError)
{
    TProbeForm Form(nullptr);
    ReadComponentText(FormText, &Form);
    TMemoryStream S;
    WriteComponentToStream(&S, Form.Probe1);
    auto* Data = static_cast<const Byte*>(S.Memory());
    size_t Size = size_t(S.Size());

    // Every truncation.
    for (size_t N = 0; N < Size; ++N) {
        size_t Pos = 0;
        EXPECT_THROW(ParseObjectBinary(Data, N, Pos), EReadError) << N;
    }
    // Random damage: parses or raises EReadError, never anything worse.
    std::mt19937 Rng(12345);
    for (int Round = 0; Round < 3000; ++Round) {
        TBytes Bad(Data, Data + Size);
        for (int K = 0; K < 3; ++K) Bad[4 + Rng() % (Size - 4)] = Byte(Rng());
        size_t Pos = 0;
        try {
            ParseObjectBinary(Bad.data(), Bad.size(), Pos);
            EXPECT_LE(Pos, Bad.size());
        } catch (const EReadError&) {
        }
    }
    // Lengths beyond the data, nesting beyond reason, unknown tags, a wrong signature.
    auto Raises = [](std::initializer_list<Byte> Tail) {
        TBytes B = {'T', 'P', 'F', '0', 1, 'T', 0, 1, 'X'};
        B.insert(B.end(), Tail);
        size_t Pos = 0;
        EXPECT_THROW(ParseObjectBinary(B.data(), B.size(), Pos), EReadError);
    };
    Raises({vaBinary, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2});
    Raises({vaWString, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0});
    Raises({vaLString, 0x10, 0, 0, 0, 'a'});
    Raises({99, 0, 0});
    Raises({vaUTF8String, 2, 0, 0, 0, 0xC3, 0x28, 0, 0});
    TBytes Deep = {'T', 'P', 'F', '0', 1, 'T', 0, 1, 'X'};
    Deep.insert(Deep.end(), 5000, Byte(vaList));
    size_t Pos = 0;
    EXPECT_THROW(ParseObjectBinary(Deep.data(), Deep.size(), Pos), EReadError);
    // Single-byte text of older writers is taken as Windows-1252.
    TBytes Old = {'T', 'P', 'F', '0', 1, 'T', 0, 1, 'X', vaString, 4, 'A', 0x80, 0xE6, 'B', 0, 0};
    Pos = 0;
    EXPECT_EQ(ParseObjectBinary(Old.data(), Old.size(), Pos).Props.at(0).Value.Str, L"A\u20AC\u00E6B");
    TBytes NotARecord = {'T', 'P', 'F', '1', 1, 'T', 0, 0, 0};
    Pos = 0;
    EXPECT_THROW(ParseObjectBinary(NotARecord.data(), NotARecord.size(), Pos), EReadError);
}

TEST_F(Streaming, WholeComponentsThroughTheBinaryForm)
{
    TProbeForm Form(nullptr);
    ReadComponentText(FormText, &Form);
    TMemoryStream S;
    WriteComponentToStream(&S, Form.Probe1);
    S.SetPosition(0);

    TProbeForm Other(nullptr);
    auto* Copy = Create<TProbe>(&Other);
    Copy->SetName(L"Probe1");
    auto* Probe2 = Create<TProbe>(&Other);
    Probe2->SetName(L"Probe2");
    ReadComponentFromStream(&S, Copy);
    EXPECT_EQ(S.Position(), S.Size());
    TWriter W1, W2;
    EXPECT_EQ(FormatObjectText(W2.WriteObject(Copy)), FormatObjectText(W1.WriteObject(Form.Probe1)));
    EXPECT_EQ(Copy->GetBuddy(), Probe2);   // resolved among the owner's components
    EXPECT_EQ(Copy->Data, (TBytes{0x01, 0x02, 0xFF}));
    EXPECT_EQ(Copy->GetFont()->GetStyle(), (TProbeStyles{psBold, psItalic}));
}

// The program's own stored descriptions parse, and survive the binary form unchanged.
TEST(StreamingStoredForms, ParseAndRoundTrip)
{
    std::string Here = __FILE__;
    std::string Root = Here.substr(0, Here.rfind("tests/framework/"));
    for (const char* Name : {"resources/forms/Unit1.form", "resources/forms/FHelp.form"}) {
        SCOPED_TRACE(Name);
        std::string Path = (Root.size() && Root[0] == '/' ? "Z:" : "") + Root + Name;
        FILE* F = std::fopen(Path.c_str(), "rb");
        if (!F) GTEST_SKIP() << "no " << Path;
        std::string Bytes;
        char Buf[4096];
        for (size_t N; (N = std::fread(Buf, 1, sizeof Buf, F)) > 0;) Bytes.append(Buf, N);
        std::fclose(F);
        TStreamObject Obj = ParseObjectText(Utf8ToUtf16(Bytes));
        EXPECT_FALSE(Obj.Children.empty());
        String Text = FormatObjectText(Obj);
        EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary(Text)), Text);
        EXPECT_EQ(FormatObjectText(ParseObjectText(Text)), Text);
    }
}

TEST(StreamingFloats, SuffixesKeepTheirKindThroughBothForms)
{
    TStreamObject Obj = ParseObjectText(L"object A: TX\n  C = -12.3456c\n  S = 0.5s\n  D = 45000.25d\n  E = 1.5E+300\nend");
    ASSERT_EQ(Obj.Props.size(), 4u);
    EXPECT_EQ(Obj.Props[0].Value.Type, vaCurrency);
    EXPECT_EQ(Obj.Props[0].Value.Int, -123456);
    EXPECT_EQ(Obj.Props[1].Value.Type, vaSingle);
    EXPECT_EQ(Obj.Props[2].Value.Type, vaDate);
    EXPECT_EQ(Obj.Props[3].Value.Type, vaExtended);
    TStreamObject Back = ParseObjectBinary(FormatObjectBinary(Obj));
    for (size_t I = 0; I < 4; ++I) {
        EXPECT_EQ(Back.Props[I].Value.Type, Obj.Props[I].Value.Type);
        EXPECT_EQ(Back.Props[I].Value.Int, Obj.Props[I].Value.Int);
    }
    EXPECT_EQ(Back.Props[2].Value.Float, 45000.25L);
    EXPECT_EQ(FormatObjectText(Back), FormatObjectText(Obj));
}

TEST_F(Streaming, DamagedTextRaisesOnlyLibraryErrors)
{
    const String Good = FormText;
    std::mt19937 Rng(777);
    const wchar_t Noise[] = L"'#$=:.,()[]<>{}+- \r\nxyz019endobjectitem";
    for (int Round = 0; Round < 1500; ++Round) {
        String Text = Good;
        int Edits = 1 + int(Rng() % 4);
        for (int K = 0; K < Edits; ++K) {
            size_t At = Rng() % Text.size();
            switch (Rng() % 3) {
            case 0: Text[At] = Noise[Rng() % (sizeof Noise / sizeof Noise[0] - 1)]; break;
            case 1: Text.erase(At, 1 + Rng() % 8); break;
            default: Text.insert(At, 1, Noise[Rng() % (sizeof Noise / sizeof Noise[0] - 1)]);
            }
            if (Text.empty()) Text = L"x";
        }
        TProbeForm Form(nullptr);
        try {
            ReadComponentText(Text, &Form);
        } catch (const Exception&) {
        }
    }
}
