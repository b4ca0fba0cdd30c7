// Settings files: the write-through and the in-memory file on real files in the temporary folder.
#include "framework/IniFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

String TempName(const wchar_t* Tag)
{
    wchar_t Dir[MAX_PATH];
    GetTempPathW(MAX_PATH, Dir);
    return String(Dir) + L"initest_" + Tag + L"_" + std::to_wstring(GetCurrentProcessId()) + L".ini";
}

TBytes FileBytes(const String& Name)
{
    TBytes B;
    HANDLE H = CreateFileW(Name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (H == INVALID_HANDLE_VALUE) return B;
    B.resize(GetFileSize(H, nullptr));
    DWORD Got = 0;
    if (!B.empty()) ReadFile(H, B.data(), DWORD(B.size()), &Got, nullptr);
    CloseHandle(H);
    return B;
}

void PutBytes(const String& Name, const TBytes& B)
{
    HANDLE H = CreateFileW(Name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD Put = 0;
    if (!B.empty()) WriteFile(H, B.data(), DWORD(B.size()), &Put, nullptr);
    CloseHandle(H);
}

void PutText(const String& Name, const std::string& Ascii)
{
    PutBytes(Name, TBytes(Ascii.begin(), Ascii.end()));
}

std::string FileText(const String& Name)
{
    TBytes B = FileBytes(Name);
    return std::string(B.begin(), B.end());
}

std::vector<String> Lines(TStrings* S)
{
    return S->ToStringArray();
}

// A temporary file name, deleted before and after each test.
class IniFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        Name = TempName(Utf8ToUtf16(::testing::UnitTest::GetInstance()->current_test_info()->name()).c_str());
        DeleteFileW(Name.c_str());
        Saved = FormatSettings;
        FormatSettings.DecimalSeparator = L'.';
    }
    void TearDown() override
    {
        DeleteFileW(Name.c_str());
        FormatSettings = Saved;
    }
    String Name;
    TFormatSettings Saved;
};

}  // namespace

// Both kinds read the same document the same way.
TEST_F(IniFile, ReadsSectionsKeysAndValuesWithoutRegardToCase)
{
    PutText(Name,
            "; leading comment\r\n"
            "[Main]\r\n"
            "  Name =  Value with spaces  \r\n"
            "Count=$1F\r\n"
            "Hex=0x10\r\n"
            "Bad=12a\r\n"
            "Flag=0\r\n"
            "Flag2=7\r\n"
            "FlagText=yes\r\n"
            "Real=2.5\r\n"
            "Empty=\r\n"
            "stray line\r\n"
            "[ other ]\n"
            "A=1\n"
            "[main]\r\n"
            "Later=x\r\n");
    std::unique_ptr<TCustomIniFile> Files[] = {std::make_unique<TIniFile>(Name),
                                               std::make_unique<TMemIniFile>(Name)};
    for (auto& F : Files) {
        SCOPED_TRACE(Utf16ToUtf8(F->ClassName()));
        EXPECT_EQ(F->ReadString(L"MAIN", L"name", L"-"), L"Value with spaces");
        EXPECT_EQ(F->ReadString(L"Main", L"Empty", L"-"), L"");
        EXPECT_EQ(F->ReadString(L"Main", L"Missing", L"-"), L"-");
        EXPECT_EQ(F->ReadString(L"Nope", L"Name", L"-"), L"-");
        EXPECT_EQ(F->ReadString(L"Other", L"A", L"-"), L"1");
        EXPECT_EQ(F->ReadString(L"main", L"Later", L"-"), L"x");   // a repeated section joins the first
        EXPECT_EQ(F->ReadInteger(L"Main", L"Count", 0), 31);
        EXPECT_EQ(F->ReadInteger(L"Main", L"Hex", 0), 16);
        EXPECT_EQ(F->ReadInteger(L"Main", L"Bad", -1), -1);
        EXPECT_EQ(F->ReadInteger(L"Main", L"Missing", 9), 9);
        EXPECT_FALSE(F->ReadBool(L"Main", L"Flag", true));
        EXPECT_TRUE(F->ReadBool(L"Main", L"Flag2", false));
        EXPECT_TRUE(F->ReadBool(L"Main", L"FlagText", true));    // not an integer: the default
        EXPECT_FALSE(F->ReadBool(L"Main", L"FlagText", false));
        EXPECT_DOUBLE_EQ(F->ReadFloat(L"Main", L"Real", 0), 2.5);
        EXPECT_DOUBLE_EQ(F->ReadFloat(L"Main", L"Name", -1), -1);
        EXPECT_TRUE(F->SectionExists(L"OTHER"));
        EXPECT_FALSE(F->SectionExists(L"stray line"));
        EXPECT_TRUE(F->ValueExists(L"main", L"FLAG"));
        EXPECT_FALSE(F->ValueExists(L"main", L"stray line"));

        std::unique_ptr<TStringList> L(new TStringList());
        F->ReadSections(L.get());
        EXPECT_EQ(Lines(L.get()), (std::vector<String>{L"Main", L"other"}));
        F->ReadSection(L"Other", L.get());
        EXPECT_EQ(Lines(L.get()), std::vector<String>{L"A"});
        F->ReadSectionValues(L"main", L.get());
        ASSERT_EQ(L->Count(), 10);
        EXPECT_EQ(L->Strings(0), L"Name=Value with spaces");
        EXPECT_EQ(L->Strings(9), L"Later=x");
    }
}

TEST_F(IniFile, WriteThroughKeepsCommentsOrderAndUnknownLines)
{
    PutText(Name, "; settings\r\n[A]\r\nx=1\r\n; about y\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    TIniFile F(Name);
    F.WriteString(L"a", L"X", L"10");   // replaced in place, the key keeps its spelling
    F.WriteInteger(L"A", L"w", 4);      // appended after the section's last key
    F.WriteBool(L"B", L"on", true);
    F.WriteBool(L"B", L"off", false);
    F.WriteFloat(L"C", L"r", 0.25);     // a new section at the end
    EXPECT_EQ(FileText(Name),
              "; settings\r\n[A]\r\nx=10\r\n; about y\r\ny=2\r\nw=4\r\n\r\n"
              "[B]\r\nz=3\r\non=1\r\noff=0\r\n\r\n[C]\r\nr=0.25\r\n");

    F.DeleteKey(L"A", L"y");
    F.EraseSection(L"b");
    EXPECT_EQ(FileText(Name), "; settings\r\n[A]\r\nx=10\r\n; about y\r\nw=4\r\n\r\n[C]\r\nr=0.25\r\n");
    EXPECT_EQ(TIniFile(Name).ReadString(L"C", L"R", L""), L"0.25");
}

TEST_F(IniFile, MemIniFileWritesOnlyOnUpdateFile)
{
    {
        TMemIniFile F(Name);
        F.WriteString(L"S", L"K", L"V");
        EXPECT_EQ(GetFileAttributesW(Name.c_str()), INVALID_FILE_ATTRIBUTES);
        F.UpdateFile();
    }
    EXPECT_EQ(FileText(Name), "[S]\r\nK=V\r\n");
    TMemIniFile G(Name);
    EXPECT_EQ(G.ReadString(L"s", L"k", L""), L"V");
    G.SetCaseSensitive(true);
    EXPECT_EQ(G.ReadString(L"s", L"k", L"-"), L"-");
    EXPECT_EQ(G.ReadString(L"S", L"K", L"-"), L"V");
}

TEST_F(IniFile, EncodingsAreReadAndKept)
{
    const String Text = L"[Sektion Æ]\r\nNavn=Ærø ☃\r\n";
    struct Case {
        TEncoding* Encoding;
        size_t MarkLength;
    };
    const Case Cases[] = {{TEncoding::UTF8(), 3}, {TEncoding::Unicode(), 2}, {TEncoding::BigEndianUnicode(), 2}};
    for (const auto& c : Cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.Encoding->GetEncodingName()));
        TBytes B = c.Encoding->GetPreamble();
        TBytes Body = c.Encoding->GetBytes(Text);
        B.insert(B.end(), Body.begin(), Body.end());
        PutBytes(Name, B);
        EXPECT_EQ(TIniFile(Name).ReadString(L"sektion æ", L"NAVN", L""), L"Ærø ☃");
        EXPECT_TRUE(TMemIniFile(Name).ValueExists(L"SEKTION Æ", L"navn"));
        // Written back in the same encoding, mark and all.
        TIniFile(Name).WriteString(L"Sektion Æ", L"Ny", L"ø");
        TBytes After = FileBytes(Name);
        ASSERT_GE(After.size(), c.MarkLength);
        EXPECT_TRUE(std::equal(B.begin(), B.begin() + std::ptrdiff_t(c.MarkLength), After.begin()));
        EXPECT_EQ(TMemIniFile(Name).ReadString(L"Sektion Æ", L"Ny", L""), L"ø");
        TMemIniFile M(Name);
        M.WriteString(L"Sektion Æ", L"Mere", L"å");
        M.UpdateFile();
        EXPECT_EQ(FileBytes(Name).size() > After.size(), true);
        EXPECT_EQ(TIniFile(Name).ReadString(L"Sektion Æ", L"Mere", L""), L"å");
    }
}

TEST_F(IniFile, NewFilesAreAnsiUnlessTheTextNeedsMore)
{
    TIniFile(Name).WriteString(L"S", L"K", L"plain");
    EXPECT_EQ(FileText(Name), "[S]\r\nK=plain\r\n");

    // A snowman has no place in an ANSI code page: the file turns UTF-8 rather than lose it.
    TIniFile(Name).WriteString(L"S", L"K2", L"☃");
    TBytes B = FileBytes(Name);
    ASSERT_GE(B.size(), 3u);
    EXPECT_EQ(B[0], 0xEF);
    EXPECT_EQ(TMemIniFile(Name).ReadString(L"S", L"K2", L""), L"☃");

    // An encoding given to the in-memory file is used, for reading a file without a mark too.
    PutBytes(Name, TEncoding::UTF8()->GetBytes(L"[S]\r\nK=Æblegrød\r\n"));
    EXPECT_EQ(TMemIniFile(Name, TEncoding::UTF8()).ReadString(L"S", L"K", L""), L"Æblegrød");
    DeleteFileW(Name.c_str());
    TMemIniFile M(Name, TEncoding::Unicode());
    M.WriteString(L"S", L"K", L"v");
    M.UpdateFile();
    B = FileBytes(Name);
    ASSERT_GE(B.size(), 2u);
    EXPECT_EQ(B[0], 0xFF);
    EXPECT_EQ(B[1], 0xFE);
}

TEST_F(IniFile, FailedWritesRaiseAndNothingIsLost)
{
    String NoFolder = TempName(L"missing_folder") + L"\\x.ini";
    try {
        TIniFile(NoFolder).WriteString(L"S", L"K", L"V");
        ADD_FAILURE() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message, L"Unable to write to " + NoFolder);
    }
    TMemIniFile M(NoFolder);
    M.WriteString(L"S", L"K", L"V");
    EXPECT_THROW(M.UpdateFile(), EIniFileException);

    // A value or key that would break the line structure is refused, the file unchanged.
    PutText(Name, "[S]\r\nK=V\r\n");
    TIniFile F(Name);
    EXPECT_THROW(F.WriteString(L"S", L"K", L"two\r\nlines"), EIniFileException);
    EXPECT_THROW(F.WriteString(L"S", L"a=b", L"v"), EIniFileException);
    EXPECT_THROW(F.WriteString(L"S", L"", L"v"), EIniFileException);
    EXPECT_THROW(F.WriteString(L"S]x", L"k", L"v"), EIniFileException);
    EXPECT_EQ(FileText(Name), "[S]\r\nK=V\r\n");

    // A file that cannot be read (held open without sharing) is never rewritten from nothing.
    HANDLE Held = CreateFileW(Name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(Held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(F.ReadString(L"S", L"K", L"-"), L"-");
    EXPECT_THROW(F.WriteString(L"S", L"Other", L"x"), EIniFileException);
    EXPECT_THROW(TMemIniFile Blocked(Name), EIniFileException);
    CloseHandle(Held);
    EXPECT_EQ(FileText(Name), "[S]\r\nK=V\r\n");

    // A read-only file is not replaced.
    SetFileAttributesW(Name.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(F.WriteString(L"S", L"K", L"new"), EIniFileException);
    SetFileAttributesW(Name.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(F.ReadString(L"S", L"K", L""), L"V");
}

TEST_F(IniFile, MemIniFileStringsRoundTrip)
{
    std::unique_ptr<TStringList> In(new TStringList());
    In->SetText(L"[A]\r\n; note\r\nk = v\r\n");
    TMemIniFile M(Name);
    M.SetStrings(In.get());
    EXPECT_EQ(M.ReadString(L"A", L"K", L""), L"v");
    std::unique_ptr<TStringList> Out(new TStringList());
    M.GetStrings(Out.get());
    EXPECT_EQ(Lines(Out.get()), (std::vector<String>{L"[A]", L"; note", L"k = v"}));
    M.Clear();
    M.ReadSections(Out.get());
    EXPECT_EQ(Out->Count(), 0);
}
