// The grid's small containers: integer lists (text form, events, sorted search, serial numbers),
// the sort index list and its text form, the cell control list, the line-wise string list and the
// picture named by a file.
#include "grid/store/QorObj.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "support/ImageBytes.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

std::vector<int> Entries(const TIntList& L)
{
    std::vector<int> V;
    for (int i = 0; i < L.Count(); ++i) V.push_back(L.GetInteger(i));
    return V;
}

void Fill(TIntList& L, std::initializer_list<int> Values)
{
    for (int v : Values) L.Add(v);
}

// Counts the change events of a list and checks what they carry.
struct EventCount {
    int Count = 0;
    void Attach(TIntList& L)
    {
        L.OnChange = [this, &L](TObject* Sender, int Col, int Row) {
            EXPECT_EQ(Sender, &L);
            EXPECT_EQ(Col, L.GetCol());
            EXPECT_EQ(Row, L.GetRow());
            ++Count;
        };
    }
};

// ---- integer list: comma text form --------------------------------------------------------------

struct TextCase {
    const wchar_t* Text;
    std::vector<int> Values;
};

class IntListText : public ::testing::TestWithParam<TextCase> {};

TEST_P(IntListText, ReadsItemsAndWritesThemBack)
{
    TIntList L(0, 0);
    Fill(L, {99});
    EventCount Ev;
    Ev.Attach(L);
    L.SetStrValue(GetParam().Text);
    EXPECT_EQ(Entries(L), GetParam().Values);
    EXPECT_EQ(Ev.Count, int(GetParam().Values.size()));   // one event per item, none for the clearing

    // Written back in the canonical form, which reads to the same entries.
    TIntList Copy(0, 0);
    Copy.SetStrValue(L.GetStrValue());
    EXPECT_EQ(Entries(Copy), GetParam().Values);
}

INSTANTIATE_TEST_SUITE_P(Texts, IntListText, ::testing::Values(
    TextCase{L"", {}},
    TextCase{L"3,-1,12", {3, -1, 12}},
    TextCase{L"1, 2,3", {1, 2, 3}},               // blanks separate too
    TextCase{L"7 8", {7, 8}},
    TextCase{L"\"4\",5", {4, 5}},                 // quoted items
    TextCase{L"-2147483648,2147483647", {-2147483647 - 1, 2147483647}}));

TEST(IntList, CommaTextIsCompact)
{
    TIntList L(0, 0);
    EXPECT_EQ(L.GetStrValue(), L"");
    Fill(L, {3, -1, 12});
    EXPECT_EQ(L.GetStrValue(), L"3,-1,12");
}

TEST(IntList, BadTextRaisesAndKeepsTheList)
{
    for (const wchar_t* Bad : {L"1,x,3", L"1,,3", L"2.5", L"\"1 2\"", L"99999999999"}) {
        TIntList L(0, 0);
        Fill(L, {5, 6});
        EventCount Ev;
        Ev.Attach(L);
        EXPECT_THROW(L.SetStrValue(Bad), EConvertError) << Bad;
        EXPECT_EQ(Entries(L), (std::vector<int>{5, 6})) << Bad;
        EXPECT_EQ(Ev.Count, 0) << Bad;
    }
}

// ---- integer list: events, indexes, serial numbers ---------------------------------------------

TEST(IntList, ChangeEventsFollowTheChangingOperations)
{
    TIntList L(4, 9);
    EventCount Ev;
    Ev.Attach(L);

    L.Add(1);
    L.Add(2);
    L.SetInteger(0, 5);
    L.Delete(1);
    EXPECT_EQ(Ev.Count, 4);
    L.Insert(0, 7);             // positional insert: silent
    L.DeleteValue(42);          // absent: nothing
    EXPECT_EQ(Ev.Count, 4);
    L.DeleteValue(7);           // the first equal entry, through Delete
    EXPECT_EQ(Ev.Count, 5);
    EXPECT_EQ(Entries(L), (std::vector<int>{5}));
    L.Clear();
    EXPECT_EQ(Ev.Count, 5);

    L.Insert(3);                // sorted insert into an empty list goes through Add
    EXPECT_EQ(Ev.Count, 6);
    L.Insert(1);                // into a non-empty one it does not
    EXPECT_EQ(Ev.Count, 6);
    EXPECT_EQ(Entries(L), (std::vector<int>{1, 3}));
}

TEST(IntList, BadIndexesRaiseListErrorsWithoutEvents)
{
    TIntList L(0, 0);
    Fill(L, {1, 2});
    EventCount Ev;
    Ev.Attach(L);
    EXPECT_THROW(L.GetInteger(2), EListError);
    EXPECT_THROW(L.GetInteger(-1), EListError);
    EXPECT_THROW(L.SetInteger(2, 0), EListError);
    EXPECT_THROW(L.Delete(-1), EListError);
    EXPECT_THROW(L.Insert(3, 0), EListError);
    EXPECT_EQ(Ev.Count, 0);
    EXPECT_EQ(Entries(L), (std::vector<int>{1, 2}));
}

TEST(IntList, SerialNumbersCountEveryListMade)
{
    TIntList A(0, 0);
    TSortIndexList B(0, 0);
    auto C = std::make_unique<TIntList>(1, 1);
    EXPECT_EQ(B.GetTag(), A.GetTag() + 1);
    EXPECT_EQ(C->GetTag(), A.GetTag() + 2);
}

// ---- integer list: sorted search ---------------------------------------------------------------

struct SearchCase {
    int Value;
    int IndexOf;
    int PosOf;
};

class SortedSearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SortedSearch, OnOneThreeFive)
{
    TIntList L(0, 0);
    Fill(L, {1, 3, 5});
    EXPECT_EQ(L.SortedIndexOf(GetParam().Value), GetParam().IndexOf);
    EXPECT_EQ(L.SortedPosOf(GetParam().Value), GetParam().PosOf);
}

INSTANTIATE_TEST_SUITE_P(Values, SortedSearch, ::testing::Values(
    SearchCase{0, -1, 0}, SearchCase{1, 0, 0}, SearchCase{2, -1, 1}, SearchCase{3, 1, 1},
    SearchCase{4, -1, 2}, SearchCase{5, 2, 2}, SearchCase{9, -1, 3}));

TEST(IntList, SortedSearchOnEmptyAndSingleLists)
{
    TIntList L(0, 0);
    EXPECT_EQ(L.SortedIndexOf(1), -1);
    EXPECT_EQ(L.SortedPosOf(1), 0);
    L.Add(1);
    EXPECT_EQ(L.SortedIndexOf(1), 0);
    EXPECT_EQ(L.SortedPosOf(0), 0);
    EXPECT_EQ(L.SortedPosOf(2), 1);
}

TEST(IntList, SortedInsertsKeepOrderAndAreFound)
{
    std::mt19937 Rng(7);
    std::uniform_int_distribution<int> D(-50, 50);
    TIntList L(0, 0);
    for (int n = 0; n < 400; ++n) L.Insert(D(Rng));
    L.Insert(-2147483647 - 1);
    L.Insert(2147483647);
    std::vector<int> V = Entries(L);
    ASSERT_TRUE(std::is_sorted(V.begin(), V.end()));
    for (int x = -52; x <= 52; ++x) {
        int i = L.SortedIndexOf(x);
        bool Present = std::binary_search(V.begin(), V.end(), x);
        EXPECT_EQ(i >= 0, Present) << x;
        EXPECT_EQ(L.HasValue(x), Present);
        int p = L.SortedPosOf(x);
        if (Present) {
            EXPECT_EQ(V[size_t(i)], x);
            EXPECT_EQ(V[size_t(p)], x);
        } else {
            EXPECT_EQ(p, int(std::lower_bound(V.begin(), V.end(), x) - V.begin())) << x;
        }
    }
}

// ---- sort index list ---------------------------------------------------------------------------

struct SortEntry {
    int Column;
    bool Ascending;
    bool operator==(const SortEntry&) const = default;
};

std::vector<SortEntry> SortEntries(const TSortIndexList& L)
{
    std::vector<SortEntry> V;
    for (int i = 0; i < L.Count(); ++i) V.push_back({L.GetSortColumns(i), L.GetSortDirections(i)});
    return V;
}

struct SortTextCase {
    const wchar_t* Text;
    std::vector<SortEntry> Entries;
    const wchar_t* Saved;
};

class SortIndexText : public ::testing::TestWithParam<SortTextCase> {};

TEST_P(SortIndexText, LoadsAndSaves)
{
    TSortIndexList L(0, 0);
    L.AddIndex(42, true);
    L.LoadFromString(GetParam().Text);
    EXPECT_EQ(SortEntries(L), GetParam().Entries);
    EXPECT_EQ(L.SaveToString(), GetParam().Saved);
}

INSTANTIATE_TEST_SUITE_P(Texts, SortIndexText, ::testing::Values(
    SortTextCase{L"", {}, L""},
    SortTextCase{L"u2;d5", {{2, true}, {5, false}}, L"u2;d5"},
    SortTextCase{L"u2;;D7;x", {{2, true}, {7, false}}, L"u2;d7"},   // short items skipped
    SortTextCase{L"u3a", {{3, true}}, L"u3"},                         // reading stops at a non-digit
    SortTextCase{L"ux1F", {{31, true}}, L"u31"},                      // hexadecimal prefix
    SortTextCase{L"d 0x10;", {{16, false}}, L"d16"},
    SortTextCase{L"uz", {{0, true}}, L"u0"},                          // no digits read as 0
    SortTextCase{L"d-5;u1", {{1, true}}, L"u1"},                      // negative columns skipped
    SortTextCase{L"d4464", {{4464, false}}, L"d4464"},                // older low-16-bit text
    SortTextCase{L"u70000", {{70000, true}}, L"u70000"},
    SortTextCase{L"u2147483647;d99999999999", {{2147483647, true}, {999999999, false}},
                 L"u2147483647;d999999999"}));                        // overflow stops the read

TEST(SortIndexList, WideColumnsSurviveTheTextForm)
{
    TSortIndexList L(0, 0);
    L.AddIndex(2, true);
    L.AddIndex(70000, false);
    EXPECT_EQ(L.SaveToString(), L"u2;d70000");
    TSortIndexList Back(0, 0);
    Back.LoadFromString(L.SaveToString());
    EXPECT_EQ(SortEntries(Back), SortEntries(L));
}

TEST(SortIndexList, EntriesKeepColumnAndDirectionApart)
{
    TSortIndexList L(0, 0);
    EventCount Ev;
    Ev.Attach(L);
    L.AddIndex(3, true);
    L.AddIndex(8, false);
    L.AddIndex(-1, true);   // no column is negative: only bits 0 to 30 are kept
    EXPECT_EQ(L.GetInteger(1), int(0x80000008u));
    EXPECT_TRUE(L.GetSortDirections(2));
    EXPECT_EQ(Ev.Count, 3);

    EXPECT_EQ(L.FindIndex(8), 1);   // a descending column is found by its plain index
    EXPECT_EQ(L.FindIndex(4), -1);

    L.ToggleIndex(4);               // absent: nothing, no event
    EXPECT_EQ(Ev.Count, 3);
    L.ToggleIndex(8);
    EXPECT_EQ(Ev.Count, 4);
    EXPECT_TRUE(L.GetSortDirections(1));
    L.ToggleIndex(8);
    EXPECT_FALSE(L.GetSortDirections(1));

    L.SetSortColumns(1, 12);        // keeps the direction
    EXPECT_EQ((SortEntries(L)[1]), (SortEntry{12, false}));
    L.SetSortDirections(1, true);   // keeps the column
    EXPECT_EQ((SortEntries(L)[1]), (SortEntry{12, true}));
    L.SetSortDirections(0, false);
    EXPECT_EQ((SortEntries(L)[0]), (SortEntry{3, false}));
    EXPECT_EQ(Ev.Count, 8);
    EXPECT_THROW(L.GetSortColumns(5), EListError);
}

// ---- control list ------------------------------------------------------------------------------

TEST(ControlList, FindsItemsAndFreesOnlyItems)
{
    TForm* Form = ui::NewForm(200, 100);
    ui::FormGuard Guard(Form);
    auto* Shown = Create<TPanel>(Form);
    Shown->SetParent(Form);
    auto* Unparented = Create<TPanel>(Form);

    {
        TControlList L;
        L.AddControl(1, 2, Unparented);
        L.AddControl(3, 4, nullptr);
        L.AddControl(1, 2, Shown);
        L.AddControl(5, 6, Shown);
        EXPECT_EQ(L.ControlIndex(1, 2), 0);   // the first item for the cell
        EXPECT_EQ(L.ControlIndex(5, 6), 3);
        EXPECT_EQ(L.ControlIndex(2, 1), -1);
        EXPECT_EQ(L.GetControl(2)->FObject, Shown);

        HWND H = Shown->GetHandle();
        EXPECT_TRUE(L.HasHandle(H));
        EXPECT_FALSE(L.HasHandle(Form->GetHandle()));
        EXPECT_FALSE(L.HasHandle(nullptr));
        EXPECT_FALSE(Unparented->HandleAllocated());   // asking made no window

        L.RemoveControl(0);
        EXPECT_EQ(L.Count(), 3);
        EXPECT_EQ(L.ControlIndex(1, 2), 1);
        EXPECT_THROW(L.RemoveControl(3), EListError);
        EXPECT_THROW(L.GetControl(-1), EListError);
        L.ClearControls();
        EXPECT_EQ(L.Count(), 0);
        L.AddControl(7, 7, Shown);   // freed with the list
    }
    // The controls are untouched.
    EXPECT_EQ(Shown->GetParent(), Form);
    EXPECT_TRUE(IsWindow(Shown->GetHandle()));
    EXPECT_EQ(Unparented->Owner(), Form);
}

// ---- line-wise string list ---------------------------------------------------------------------

TEST(FileStringList, WritesAndReadsLinesThroughAFile)
{
    String File = SnapshotPath(L"qorobj_lines.txt");
    {
        TFileStringList W;
        W.Write(L"a");
        W.WriteLn(L"b");
        W.WriteLn(L"");
        W.Write(L"x");
        W.Write(L"y");
        W.WriteLn(L"z");
        W.Write(L"pending");   // never finished: not a line
        EXPECT_EQ(W.Count(), 3);
        W.SaveToFile(File);
    }
    TFileStringList R;
    R.LoadFromFile(File);
    std::vector<String> Lines;
    while (!R.GetEOF()) Lines.push_back(R.ReadLn());
    EXPECT_EQ(Lines, (std::vector<String>{L"ab", L"", L"xyz"}));
    EXPECT_THROW(R.ReadLn(), EStringListError);
    EXPECT_TRUE(R.GetEOF());

    R.Reset();
    EXPECT_FALSE(R.GetEOF());
    EXPECT_EQ(R.ReadLn(), L"ab");
    DeleteFileW(File.c_str());

    TFileStringList Empty;
    EXPECT_TRUE(Empty.GetEOF());
    EXPECT_THROW(Empty.ReadLn(), EStringListError);
    Empty.Write(L"a");
    Empty.Reset();   // drops the pending text
    Empty.WriteLn(L"b");
    EXPECT_EQ(Empty[0], L"b");
}

// ---- picture named by a file -------------------------------------------------------------------

void WriteFile(const String& Name, const Bytes& B)
{
    TFileStream S(Name, fmCreate);
    if (!B.empty()) S.WriteBuffer(B.data(), Integer(B.size()));
}

class FilePicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Png = SnapshotPath(L"qorobj_pic.png");
        Missing = SnapshotPath(L"qorobj_missing.png");
        Broken = SnapshotPath(L"qorobj_broken.png");
        DeleteFileW(Missing.c_str());
        WriteFile(Png, PngBytes(7, 5, clRed));
        WriteFile(Broken, Bytes{0x89, 'P', 'N', 'G', 1, 2, 3});
    }
    void TearDown() override
    {
        DeleteFileW(Png.c_str());
        DeleteFileW(Broken.c_str());
    }
    String Png, Missing, Broken;
};

TEST_F(FilePicture, NamingAFileMeasuresIt)
{
    TFilePicture P;
    P.SetFileName(Png);
    EXPECT_EQ(P.GetFileName(), Png);
    EXPECT_EQ(P.GetWidth(), 7);
    EXPECT_EQ(P.GetHeight(), 5);

    // Files that cannot be measured keep the last size; the name is taken all the same.
    for (const String& Bad : {Missing, Broken, String()}) {
        P.SetFileName(Bad);
        EXPECT_EQ(P.GetFileName(), Bad);
        EXPECT_EQ(P.GetWidth(), 7);
        EXPECT_EQ(P.GetHeight(), 5);
    }
}

TEST_F(FilePicture, DrawsTheFileAsItIsNowAndNothingWhenItIsGone)
{
    TFilePicture P;
    P.SetFileName(Png);
    TDibSurface S(40, 30, clWhite);
    const TRect R{5, 5, 25, 15};
    P.DrawPicture(S.Canvas(), R);
    EXPECT_EQ(S.InkBounds(S.Bounds()), R);   // stretched over the whole rectangle
    EXPECT_EQ(S.Pixel(15, 10), clRed);

    // Nothing is kept: a changed file draws as it is now.
    WriteFile(Png, PngBytes(7, 5, clBlue));
    S.Fill(clWhite);
    P.DrawPicture(S.Canvas(), R);
    EXPECT_EQ(S.Pixel(15, 10), clBlue);

    for (const String& Bad : {Missing, Broken, String()}) {
        P.SetFileName(Bad);
        S.Fill(clWhite);
        P.DrawPicture(S.Canvas(), R);
        EXPECT_FALSE(S.HasInk(S.Bounds())) << Bad;
    }
    P.DrawPicture(nullptr, R);
}

TEST_F(FilePicture, AssignCopiesNameAndSizeOnly)
{
    TFilePicture A;
    A.SetFileName(Png);
    DeleteFileW(Png.c_str());   // nothing is loaded by Assign
    TFilePicture B;
    B.Assign(&A);
    EXPECT_EQ(B.GetFileName(), Png);
    EXPECT_EQ(B.GetWidth(), 7);
    EXPECT_EQ(B.GetHeight(), 5);

    TStringList NotAPicture;
    EXPECT_THROW(B.Assign(&NotAPicture), EConvertError);
    EXPECT_EQ(B.GetFileName(), Png);
}

}  // namespace
