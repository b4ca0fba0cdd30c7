// Pointer lists, string lists and text encodings.
#include "framework/Classes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>
#include <vector>

namespace {

using Lines = std::vector<String>;

Lines LinesOf(const TStrings& L)
{
    return L.ToStringArray();
}

void SetLines(TStrings& L, const Lines& V)
{
    L.SetStringsFrom(V);
}

// An object that records its freeing.
struct TTag : TObject {
    explicit TTag(int AValue, int* AFreed = nullptr) : Value(AValue), Freed(AFreed) {}
    ~TTag() override
    {
        if (Freed) ++*Freed;
    }
    int Value;
    int* Freed;
};

TObject* Tag(int V)
{
    static std::vector<std::unique_ptr<TTag>> Pool;
    Pool.push_back(std::make_unique<TTag>(V));
    return Pool.back().get();
}

int TagOf(TObject* O)
{
    return O ? static_cast<TTag*>(O)->Value : -1;
}

}  // namespace

// ---- TList ------------------------------------------------------------------------------------

TEST(ClassesList, EditsSortAndBadIndex)
{
    int V[5] = {4, 1, 3, 1, 2};
    TList L;
    for (int& x : V) L.Add(&x);
    L.Sort([](void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); });
    std::vector<int*> Got;
    for (int i = 0; i < L.Count(); ++i) Got.push_back(static_cast<int*>(L[i]));
    // Stable: the first 1 (V[1]) stays before the second (V[3]).
    EXPECT_EQ(Got, (std::vector<int*>{&V[1], &V[3], &V[4], &V[2], &V[0]}));

    L.Move(0, 4);
    EXPECT_EQ(L.Last(), &V[1]);
    L.Exchange(0, 4);
    EXPECT_EQ(L.First(), &V[1]);
    EXPECT_EQ(L.Extract(&V[2]), &V[2]);
    EXPECT_EQ(L.IndexOf(&V[2]), -1);
    EXPECT_EQ(L.Remove(&V[0]), 2);
    L.Insert(0, nullptr);
    L.Pack();
    EXPECT_EQ(L.Count(), 3);

    try {
        L.Get(3);
        FAIL() << "no error";
    } catch (EListError& E) {
        EXPECT_EQ(E.Message, L"List index out of bounds (3)");
    }
    EXPECT_THROW(L.Delete(-1), EListError);
    EXPECT_THROW(L.Insert(5, nullptr), EListError);
}

TEST(ClassesList, ObjectListFreesWhatItOwnsButNotWhatIsExtracted)
{
    int Freed = 0;
    auto* Kept = new TTag(3, &Freed);
    {
        TObjectList L;
        L.Add(new TTag(1, &Freed));
        L.Add(new TTag(2, &Freed));
        L.Add(Kept);
        L.Delete(0);
        EXPECT_EQ(Freed, 1);
        L.Extract(Kept);
    }
    EXPECT_EQ(Freed, 2);
    delete Kept;
}

// ---- Text -------------------------------------------------------------------------------------

TEST(ClassesStrings, TextSplitsAtEveryLineBreakKind)
{
    struct Case {
        const wchar_t* Text;
        Lines Expected;
    } Cases[] = {
        {L"", {}},
        {L"a", {L"a"}},
        {L"a\r\nb", {L"a", L"b"}},
        {L"a\r\nb\r\n", {L"a", L"b"}},       // a final break adds no line
        {L"a\r\n\r\n", {L"a", L""}},
        {L"\r\n", {L""}},
        {L"a\rb\nc", {L"a", L"b", L"c"}},    // CR alone and LF alone
        {L"a\n\rb", {L"a", L"", L"b"}},      // LF CR is two breaks
        {L"a\r", {L"a"}},
    };
    for (auto& C : Cases) {
        TStringList L;
        L.SetText(C.Text);
        EXPECT_EQ(LinesOf(L), C.Expected) << "text: " << testing::PrintToString(String(C.Text));
    }
}

TEST(ClassesStrings, TextEndsEveryLineWithLineBreak)
{
    TStringList L;
    EXPECT_EQ(L.GetText(), L"");
    SetLines(L, {L"a", L"", L"b"});
    EXPECT_EQ(L.GetText(), L"a\r\n\r\nb\r\n");
    L.SetTrailingLineBreak(false);
    EXPECT_EQ(L.GetText(), L"a\r\n\r\nb");
    L.SetTrailingLineBreak(true);
    L.SetLineBreak(L"|");
    EXPECT_EQ(L.GetText(), L"a||b|");
    L.SetText(L"x|y\r\nz|");
    EXPECT_EQ(LinesOf(L), (Lines{L"x", L"y\r\nz"}));
}

// ---- CommaText / DelimitedText ----------------------------------------------------------------

TEST(ClassesStrings, CommaTextReadsQuotesBlanksAndEmptyItems)
{
    struct Case {
        const wchar_t* Text;
        Lines Expected;
    } Cases[] = {
        {L"", {}},
        {L"a,b c", {L"a", L"b", L"c"}},            // unquoted blanks separate
        {L"  a ,  b  ", {L"a", L"b"}},
        {L"\"a b\",c", {L"a b", L"c"}},
        {L"\"x\"\"y\"", {L"x\"y"}},                // doubled quote inside quotes
        {L"a,,b", {L"a", L"", L"b"}},
        {L"a,", {L"a", L""}},                      // a final comma ends with an empty item
        {L"\"\"", {L""}},
        {L"\"unclosed", {L"unclosed"}},
        {L"\"a\"b", {L"a", L"b"}},
    };
    for (auto& C : Cases) {
        TStringList L;
        L.SetCommaText(C.Text);
        EXPECT_EQ(LinesOf(L), C.Expected) << "text: " << testing::PrintToString(String(C.Text));
    }
}

TEST(ClassesStrings, CommaTextQuotesWhatWouldNotReadBack)
{
    struct Case {
        Lines Items;
        const wchar_t* Expected;
    } Cases[] = {
        {{}, L""},
        {{L"a", L"b"}, L"a,b"},
        {{L"a b", L"c"}, L"\"a b\",c"},
        {{L"x\"y"}, L"\"x\"\"y\""},
        {{L"1,5"}, L"\"1,5\""},
        {{L""}, L"\"\""},
        {{L"a", L"", L"b"}, L"a,,b"},
        {{L"tab\there"}, L"\"tab\there\""},
    };
    for (auto& C : Cases) {
        TStringList L;
        SetLines(L, C.Items);
        EXPECT_EQ(L.GetCommaText(), C.Expected);
        TStringList Back;
        Back.SetCommaText(L.GetCommaText());
        EXPECT_EQ(LinesOf(Back), C.Items);
    }
}

TEST(ClassesStrings, DelimitedTextWithStrictDelimiterKeepsBlanks)
{
    TStringList L;
    L.SetDelimiter(L';');
    L.SetQuoteChar(L'\'');
    L.SetDelimitedText(L"a b;'c;d'");
    EXPECT_EQ(LinesOf(L), (Lines{L"a", L"b", L"c;d"}));
    L.SetStrictDelimiter(true);
    L.SetDelimitedText(L" a b ;c");
    EXPECT_EQ(LinesOf(L), (Lines{L" a b ", L"c"}));
    EXPECT_EQ(L.GetDelimitedText(), L" a b ;c");
    // CommaText uses its own rules whatever the delimiter settings, and keeps them.
    L.SetCommaText(L"x y");
    EXPECT_EQ(LinesOf(L), (Lines{L"x", L"y"}));
    EXPECT_EQ(L.GetDelimiter(), L';');
    EXPECT_TRUE(L.GetStrictDelimiter());
}

// ---- names and values -------------------------------------------------------------------------

TEST(ClassesStrings, ValuesSetReplaceAndDelete)
{
    TStringList L;
    SetLines(L, {L"Width=10", L"plain", L"Name=a=b", L"=x"});
    EXPECT_EQ(L.GetNames(0), L"Width");
    EXPECT_EQ(L.GetNames(1), L"");
    EXPECT_EQ(L.GetValue(L"WIDTH"), L"10");           // names are case-insensitive
    EXPECT_EQ(L.GetValue(L"Name"), L"a=b");           // after the first separator
    EXPECT_EQ(L.GetValue(L"plain"), L"");             // a line without separator has no value
    EXPECT_EQ(L.GetValueFromIndex(1), L"");
    EXPECT_EQ(L.GetValueFromIndex(3), L"x");
    EXPECT_EQ(L.IndexOfName(L"name"), 2);

    L.SetValue(L"width", L"20");
    EXPECT_EQ(L.Get(0), L"width=20");
    L.SetValue(L"Height", L"5");
    EXPECT_EQ(L.Get(4), L"Height=5");
    L.SetValue(L"Name", L"");                         // setting "" deletes
    EXPECT_EQ(L.IndexOfName(L"Name"), -1);
    L.SetValue(L"Missing", L"");
    EXPECT_EQ(L.Count(), 4);
    L.SetValueFromIndex(0, L"30");
    EXPECT_EQ(L.Get(0), L"width=30");

    L.SetNameValueSeparator(L':');
    L.SetValue(L"k", L"v");
    EXPECT_EQ(L.Get(L.Count() - 1), L"k:v");
}

// ---- sorted lists and duplicates --------------------------------------------------------------

TEST(ClassesStrings, SortedListHonoursDuplicates)
{
    TStringList L;
    L.SetSorted(true);
    for (auto* S : {L"pear", L"Apple", L"fig", L"apple"}) L.Add(S);
    // dupIgnore: "apple" equals "Apple" case-insensitively and is not added.
    EXPECT_EQ(LinesOf(L), (Lines{L"Apple", L"fig", L"pear"}));
    EXPECT_EQ(L.Add(L"FIG"), 1);
    int Index = -1;
    EXPECT_TRUE(L.Find(L"PEAR", Index));
    EXPECT_EQ(Index, 2);
    EXPECT_FALSE(L.Find(L"grape", Index));
    EXPECT_EQ(Index, 2);
    EXPECT_EQ(L.IndexOf(L"apple"), 0);

    L.SetDuplicates(dupError);
    try {
        L.Add(L"pear");
        FAIL() << "no error";
    } catch (EStringListError& E) {
        EXPECT_EQ(E.Message, Consts::SDuplicateString);
    }
    EXPECT_EQ(L.Count(), 3);

    L.SetDuplicates(dupAccept);
    L.AddObject(L"Fig", Tag(1));
    L.AddObject(L"fig", Tag(2));
    EXPECT_EQ(LinesOf(L), (Lines{L"Apple", L"fig", L"Fig", L"fig", L"pear"}));
    EXPECT_EQ(TagOf(L.GetObjects(2)), 1);   // equal lines in the order they came
    EXPECT_EQ(TagOf(L.GetObjects(3)), 2);

    // Positional edits would break the order.
    EXPECT_THROW(L.Insert(0, L"zzz"), EStringListError);
    EXPECT_THROW(L.Put(0, L"zzz"), EStringListError);
    EXPECT_THROW(L.Exchange(0, 1), EStringListError);

    L.SetCaseSensitive(true);
    EXPECT_EQ(L.IndexOf(L"FIG"), -1);
    EXPECT_NE(L.IndexOf(L"Fig"), -1);
}

TEST(ClassesStrings, ObjectsTravelWithTheirLines)
{
    TStringList L;
    const wchar_t* Words[] = {L"delta", L"alpha", L"charlie", L"bravo"};
    for (int i = 0; i < 4; ++i) L.AddObject(Words[i], Tag(i));
    auto Check = [&] {
        for (int i = 0; i < L.Count(); ++i) {
            int T = TagOf(L.GetObjects(i));
            ASSERT_GE(T, 0);
            EXPECT_EQ(L.Get(i), Words[T]) << "at " << i;
        }
    };
    L.Sort();
    EXPECT_EQ(LinesOf(L), (Lines{L"alpha", L"bravo", L"charlie", L"delta"}));
    Check();
    L.Move(0, 3);
    Check();
    L.Exchange(0, 2);
    Check();
    L.InsertObject(1, L"delta", Tag(0));
    Check();
    L.Delete(0);
    Check();
    L.CustomSort([](TStringList* List, int A, int B) {
        return int(List->Get(B).size()) - int(List->Get(A).size());   // longest first
    });
    Check();
    EXPECT_EQ(L.Get(0), L"charlie");

    TStringList Copy;
    Copy.Assign(&L);
    EXPECT_EQ(LinesOf(Copy), LinesOf(L));
    for (int i = 0; i < L.Count(); ++i) EXPECT_EQ(Copy.GetObjects(i), L.GetObjects(i));
}

TEST(ClassesStrings, SortIsStableAndAgreesWithLocaleCollation)
{
    TStringList L;
    SetLines(L, {L"b", L"B", L"a", L"b", L"A"});
    L.Sort();
    EXPECT_EQ(LinesOf(L), (Lines{L"a", L"A", L"b", L"B", L"b"}));

    // A large list of mixed text: every neighbour pair in the locale's order.
    std::mt19937 Rng(7);
    const wchar_t Alphabet[] = L"abcABC xyzøØæÆåÅé-'0123456789";
    const int N = 120000;
    std::vector<String> Data;
    Data.reserve(N);
    for (int i = 0; i < N; ++i) {
        String S;
        int Len = int(Rng() % 12);
        for (int k = 0; k < Len; ++k) S += Alphabet[Rng() % (std::size(Alphabet) - 1)];
        Data.push_back(S);
    }
    L.SetStringsFrom(Data);
    auto T0 = std::chrono::steady_clock::now();
    L.Sort();
    double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - T0).count();
    EXPECT_LT(Seconds, 5.0);
    ASSERT_EQ(L.Count(), N);
    for (int i = 1; i < N; ++i)
        ASSERT_LE(StringListCompareText(L.Get(i - 1), L.Get(i)), 0)
            << testing::PrintToString(L.Get(i - 1)) << " / " << testing::PrintToString(L.Get(i));

    L.SetCaseSensitive(true);
    L.Sort();
    for (int i = 1; i < N; ++i) ASSERT_LE(StringListCompareStr(L.Get(i - 1), L.Get(i)), 0);
}

TEST(ClassesStrings, BulkAddToSortedListMatchesSingleAdds)
{
    std::mt19937 Rng(11);
    const wchar_t Letters[] = L"aAbB\u00f8\u00d8";
    std::vector<String> Words;
    for (int i = 0; i < 3000; ++i) {
        String W;
        for (int k = 0, n = 1 + int(Rng() % 3); k < n; ++k) W += Letters[Rng() % 6];
        Words.push_back(W);
    }
    for (TDuplicates Dup : {dupIgnore, dupAccept}) {
        TStringList One, Bulk;
        for (TStringList* L : {&One, &Bulk}) {
            // Existing content with a duplicate, made sorted afterwards.
            L->Add(L"b");
            L->Add(L"B");
            L->SetSorted(true);
            L->SetDuplicates(Dup);
        }
        TStringList Source;
        for (size_t i = 0; i < Words.size(); ++i) Source.AddObject(Words[i], Tag(int(i)));
        for (int i = 0; i < Source.Count(); ++i) One.AddObject(Source.Get(i), Source.GetObjects(i));
        Bulk.AddStrings(&Source);
        ASSERT_EQ(LinesOf(Bulk), LinesOf(One)) << "duplicates " << Dup;
        for (int i = 0; i < One.Count(); ++i) ASSERT_EQ(Bulk.GetObjects(i), One.GetObjects(i));
    }
}

// ---- errors, events, ownership ----------------------------------------------------------------

TEST(ClassesStrings, BadIndexRaisesListError)
{
    TStringList L;
    SetLines(L, {L"a", L"b"});
    struct Case {
        std::function<void()> Act;
        int Index;
    } Cases[] = {
        {[&] { L.Get(2); }, 2},
        {[&] { L.Get(-1); }, -1},
        {[&] { L.Put(5, L"x"); }, 5},
        {[&] { L.Delete(2); }, 2},
        {[&] { L.Insert(3, L"x"); }, 3},
        {[&] { L.GetObjects(2); }, 2},
        {[&] { L.Move(0, 2); }, 2},
    };
    for (auto& C : Cases) {
        try {
            C.Act();
            ADD_FAILURE() << "no error for " << C.Index;
        } catch (EStringListError& E) {
            EXPECT_EQ(E.Message, L"List index out of bounds (" + std::to_wstring(C.Index) + L")");
        }
    }
    EXPECT_EQ(LinesOf(L), (Lines{L"a", L"b"}));
    L.Insert(2, L"c");   // at Count is an append
    EXPECT_EQ(L.Get(2), L"c");
}

TEST(ClassesStrings, ChangeEventsOnlyAtOutermostEndUpdate)
{
    TStringList L;
    std::vector<String> Log;
    L.OnChanging = [&](TObject*) { Log.push_back(L"changing"); };
    L.OnChange = [&](TObject*) { Log.push_back(L"change " + std::to_wstring(L.Count())); };
    L.Add(L"a");
    EXPECT_EQ(Log, (std::vector<String>{L"changing", L"change 1"}));
    Log.clear();
    L.BeginUpdate();
    L.BeginUpdate();
    L.Add(L"b");
    L.SetText(L"x\ny\nz");
    L.EndUpdate();
    EXPECT_EQ(Log, (std::vector<String>{L"changing"}));
    L.EndUpdate();
    EXPECT_EQ(Log, (std::vector<String>{L"changing", L"change 3"}));
    Log.clear();
    L.EndUpdate();   // unbalanced: ignored
    EXPECT_TRUE(Log.empty());
}

TEST(ClassesStrings, OwnedObjectsFreedOnDeleteAndClearButNotOnMove)
{
    int Freed = 0;
    {
        TStringList L(true);
        for (int i = 0; i < 4; ++i) L.AddObject(std::to_wstring(i), new TTag(i, &Freed));
        L.Move(0, 3);
        L.Exchange(0, 1);
        L.Sort();
        EXPECT_EQ(Freed, 0);
        L.Delete(0);
        EXPECT_EQ(Freed, 1);
        L.Clear();
        EXPECT_EQ(Freed, 4);
        L.AddObject(L"x", new TTag(9, &Freed));
    }
    EXPECT_EQ(Freed, 5);
}

// ---- encodings --------------------------------------------------------------------------------

TEST(ClassesStrings, StreamRoundTripWithByteOrderMarkDetection)
{
    const String Spades = L"\u2660 Spar";
    const String Danish = L"Bl\u00e5b\u00e6rgr\u00f8d";
    struct Case {
        TEncoding* Encoding;
        Lines Text;
        TBytes Head;
    } Cases[] = {
        {TEncoding::UTF8(), {Spades, Danish, L""}, {0xEF, 0xBB, 0xBF}},
        {TEncoding::Unicode(), {Spades, Danish}, {0xFF, 0xFE}},
        {TEncoding::BigEndianUnicode(), {Spades, Danish}, {0xFE, 0xFF}},
        {TEncoding::Default(), {L"plain", L"text"}, {'p'}},
    };
    for (auto& C : Cases) {
        TStringList Out;
        SetLines(Out, C.Text);
        TMemoryStream M;
        Out.SaveToStream(&M, C.Encoding);
        TBytes Head(static_cast<Byte*>(M.Memory()), static_cast<Byte*>(M.Memory()) + C.Head.size());
        EXPECT_EQ(Head, C.Head) << C.Encoding->GetEncodingName();

        M.SetPosition(0);
        TStringList In;
        In.LoadFromStream(&M);
        EXPECT_EQ(LinesOf(In), C.Text) << C.Encoding->GetEncodingName();
        EXPECT_EQ(In.GetEncoding(), C.Encoding);

        // Saving again without naming an encoding keeps the one found.
        TMemoryStream Again;
        In.SaveToStream(&Again);
        EXPECT_EQ(Again.GetSize(), M.GetSize());
    }
}

TEST(ClassesStrings, ExplicitEncodingSkipsItsOwnMarkAndWriteBOMOff)
{
    TStringList Out;
    Out.SetWriteBOM(false);
    Out.Add(L"\u00f8l");
    TMemoryStream M;
    Out.SaveToStream(&M, TEncoding::UTF8());
    EXPECT_EQ(M.GetSize(), 5);   // no mark: C3 B8, "l", CR, LF
    M.SetPosition(0);
    TStringList In;
    In.LoadFromStream(&M, TEncoding::UTF8());
    EXPECT_EQ(In.Get(0), L"\u00f8l");

    Out.SetWriteBOM(true);
    TMemoryStream WithMark;
    Out.SaveToStream(&WithMark, TEncoding::UTF8());
    WithMark.SetPosition(0);
    In.LoadFromStream(&WithMark, TEncoding::UTF8());
    EXPECT_EQ(In.Get(0), L"\u00f8l");   // the mark is not read as text
}

TEST(ClassesStrings, GetBufferEncodingFindsMarks)
{
    struct Case {
        TBytes Buffer;
        TEncoding* Expected;
        int Size;
    } Cases[] = {
        {{0xEF, 0xBB, 0xBF, 'a'}, TEncoding::UTF8(), 3},
        {{0xFF, 0xFE, 'a', 0}, TEncoding::Unicode(), 2},
        {{0xFE, 0xFF, 0, 'a'}, TEncoding::BigEndianUnicode(), 2},
        {{0xEF, 0xBB}, TEncoding::Default(), 0},   // too short for the UTF-8 mark
        {{}, TEncoding::Default(), 0},
    };
    for (auto& C : Cases) {
        TEncoding* E = nullptr;
        EXPECT_EQ(TEncoding::GetBufferEncoding(C.Buffer, E), C.Size);
        EXPECT_EQ(E, C.Expected);
    }
    TEncoding* Given = TEncoding::Unicode();
    EXPECT_EQ(TEncoding::GetBufferEncoding(TBytes{0xEF, 0xBB, 0xBF}, Given), 0);
    EXPECT_EQ(Given, TEncoding::Unicode());

    EXPECT_EQ(TEncoding::UTF8()->GetString(TEncoding::UTF8()->GetBytes(L"\u2663x")), L"\u2663x");
    EXPECT_EQ(TEncoding::ASCII()->GetBytes(L"a\u00f8"), (TBytes{'a', '?'}));
    EXPECT_EQ(TEncoding::Unicode()->GetString(TBytes{'a', 0, 'b'}), L"a");   // odd byte dropped
}
