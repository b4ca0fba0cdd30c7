// Strings with 1-based positions, integer conversions, code pages, files and process facts.
#include "framework/SysUtils.h"

#include <set>

namespace {

// ---- Positions --------------------------------------------------------------------------------

struct CopyCase {
    const wchar_t* S;
    int Index, Count;
    const wchar_t* Expected;
};

TEST(SysUtilsStrings, CopyClipsAndNeverRaises)
{
    const CopyCase Cases[] = {
        {L"hello", 2, 3, L"ell"},  {L"hello", 1, 0x7FFFFFFF, L"hello"}, {L"hello", 0, 2, L"he"},
        {L"hello", -5, 1, L"h"},   {L"hello", 5, 9, L"o"},              {L"hello", 6, 1, L""},
        {L"hello", 2, -1, L""},    {L"hello", 4, 0x7FFFFFFF, L"lo"},    {L"", 1, 1, L""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Copy(C.S, C.Index, C.Count), C.Expected) << C.S << " " << C.Index << " " << C.Count;
    EXPECT_EQ(Copy(AnsiString("abc"), 2, 5), "bc");
}

TEST(SysUtilsStrings, PosIsOneBasedAndZeroWhenAbsent)
{
    EXPECT_EQ(Pos(L"l", L"hello"), 3);
    EXPECT_EQ(Pos(L"lo", L"hello"), 4);
    EXPECT_EQ(Pos(L"x", L"hello"), 0);
    EXPECT_EQ(Pos(L"", L"hello"), 0);
    EXPECT_EQ(Pos(L"l", L"hello", 4), 4);
    EXPECT_EQ(Pos(L"l", L"hello", 5), 0);
    EXPECT_EQ(Pos(L"h", L"hello", 0), 0);
    EXPECT_EQ(Pos(L"h", L"hello", 99), 0);
    EXPECT_EQ(Pos(L'o', L"hello"), 5);
    EXPECT_EQ(LastDelimiter(L"\\.", L"C:\\a.b\\c.txt"), 9);
    EXPECT_EQ(LastDelimiter(L".", L"abc"), 0);
}

TEST(SysUtilsStrings, DeleteAndInsertIgnoreOutOfRange)
{
    String S = L"hello";
    Delete(S, 2, 2);
    EXPECT_EQ(S, L"hlo");
    Delete(S, 0, 2);
    EXPECT_EQ(S, L"hlo");
    Delete(S, 2, 100);
    EXPECT_EQ(S, L"h");
    Delete(S, 5, 1);
    EXPECT_EQ(S, L"h");

    String T = L"abc";
    Insert(L"XY", T, 2);
    EXPECT_EQ(T, L"aXYbc");
    Insert(L"<", T, -3);
    EXPECT_EQ(T, L"<aXYbc");
    Insert(L">", T, 100);
    EXPECT_EQ(T, L"<aXYbc>");
}

TEST(SysUtilsStrings, TrimRemovesCodesUpTo32Only)
{
    const String S = String(L"\t\r\n a b \x01\0", 10) + L"\x00A0";
    EXPECT_EQ(Trim(L"\t a b \r\n"), L"a b");
    EXPECT_EQ(TrimLeft(L"  a "), L"a ");
    EXPECT_EQ(TrimRight(L"  a "), L"  a");
    EXPECT_EQ(Trim(S), String(L"a b \x01\0\x00A0", 7));   // no-break space is kept
    EXPECT_EQ(Trim(L"   "), L"");
}

TEST(SysUtilsStrings, CaseFolding)
{
    EXPECT_EQ(UpperCase(L"æble-Zz"), L"æBLE-ZZ");   // a to z only
    EXPECT_EQ(LowerCase(L"ÆBLE-Zz"), L"Æble-zz");
    EXPECT_EQ(AnsiUpperCase(L"æble ø å"), L"ÆBLE Ø Å");
    EXPECT_EQ(AnsiLowerCase(L"ÆBLE Ø"), L"æble ø");
    EXPECT_EQ(AnsiUpperCase(L""), L"");
}

TEST(SysUtilsStrings, CharacterFoldsAndHexDigits)
{
    const struct {
        Char C, Up, Lo;
        int Hex;
    } Cases[] = {
        {L'a', L'A', L'a', 10}, {L'F', L'F', L'f', 15}, {L'z', L'Z', L'z', -1}, {L'@', L'@', L'@', -1},
        {L'[', L'[', L'[', -1}, {L'`', L'`', L'`', -1}, {L'{', L'{', L'{', -1}, {L'9', L'9', L'9', 9},
        {L'ø', L'ø', L'ø', -1}, {L'Ø', L'Ø', L'Ø', -1}, {L'ｆ', L'ｆ', L'ｆ', -1},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(UpCase(C.C), C.Up) << int(C.C);
        EXPECT_EQ(LoCase(C.C), C.Lo) << int(C.C);
        EXPECT_EQ(HexDigit(C.C), C.Hex) << int(C.C);
    }
}

TEST(SysUtilsStrings, Comparisons)
{
    EXPECT_LT(CompareStr(L"abc", L"abd"), 0);
    EXPECT_GT(CompareStr(L"abc", L"ABC"), 0);
    EXPECT_LT(CompareStr(L"ab", L"abc"), 0);
    EXPECT_EQ(CompareText(L"abc", L"ABC"), 0);
    EXPECT_LT(CompareText(L"abc", L"ABD"), 0);
    EXPECT_TRUE(SameText(L"Hello", L"hELLO"));
    EXPECT_FALSE(SameText(L"æ", L"Æ"));      // only a to z fold
    EXPECT_TRUE(AnsiSameText(L"æ", L"Æ"));    // the locale folds
    EXPECT_EQ(AnsiCompareText(L"Øl", L"øL"), 0);
    EXPECT_LT(AnsiCompareStr(L"a", L"b"), 0);
    EXPECT_GT(AnsiCompareStr(L"b", L"a"), 0);
}

struct ReplaceCase {
    const wchar_t *S, *Old, *New;
    TReplaceFlags Flags;
    const wchar_t* Expected;
};

TEST(SysUtilsStrings, StringReplace)
{
    const ReplaceCase Cases[] = {
        {L"aXbXc", L"X", L"-", {}, L"a-bXc"},
        {L"aXbXc", L"X", L"-", {rfReplaceAll}, L"a-b-c"},
        {L"aXbxc", L"x", L"-", {rfReplaceAll}, L"aXb-c"},
        {L"aXbxc", L"x", L"-", {rfReplaceAll, rfIgnoreCase}, L"a-b-c"},
        {L"ØLøl", L"øl", L"#", {rfReplaceAll, rfIgnoreCase}, L"##"},
        {L"aa", L"a", L"aa", {rfReplaceAll}, L"aaaa"},   // no re-scan of the replacement
        {L"abc", L"", L"x", {rfReplaceAll}, L"abc"},
        {L"abc", L"abc", L"", {}, L""},
        {L"", L"a", L"b", {rfReplaceAll}, L""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(StringReplace(C.S, C.Old, C.New, C.Flags), C.Expected) << C.S << " " << C.Old;
}

TEST(SysUtilsStrings, QuotingRoundTrips)
{
    EXPECT_EQ(QuotedStr(L"it's"), L"'it''s'");
    EXPECT_EQ(AnsiQuotedStr(L"a\"b", L'"'), L"\"a\"\"b\"");
    EXPECT_EQ(AnsiDequotedStr(L"'it''s'", L'\''), L"it's");
    EXPECT_EQ(AnsiDequotedStr(L"abc", L'\''), L"abc");
    EXPECT_EQ(AnsiDequotedStr(L"'abc", L'\''), L"'abc");    // unterminated: unchanged
    EXPECT_EQ(AnsiDequotedStr(L"'ab'c", L'\''), L"ab");
    EXPECT_EQ(AnsiDequotedStr(L"''", L'\''), L"");
    EXPECT_EQ(StringOfChar(L'-', 3), L"---");
    EXPECT_EQ(StringOfChar(L'-', -1), L"");
    EXPECT_EQ(AdjustLineBreaks(L"a\nb\rc\r\nd"), L"a\r\nb\r\nc\r\nd");
}

// ---- Integers ---------------------------------------------------------------------------------

TEST(SysUtilsIntegers, IntToStrAndHex)
{
    EXPECT_EQ(IntToStr(0), L"0");
    EXPECT_EQ(IntToStr(-2147483647 - 1), L"-2147483648");
    EXPECT_EQ(IntToStr(Int64(INT64_MIN)), L"-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4), L"00FF");
    EXPECT_EQ(IntToHex(255), L"FF");
    EXPECT_EQ(IntToHex(-1, 2), L"FFFFFFFF");
    EXPECT_EQ(IntToHex(Int64(-1)), L"FFFFFFFFFFFFFFFF");
}

struct IntCase {
    const wchar_t* S;
    bool Ok;
    int Value;
};

TEST(SysUtilsIntegers, StrictReading)
{
    const IntCase Cases[] = {
        {L"42", true, 42},           {L"  -42", true, -42},        {L"+7", true, 7},
        {L"$FF", true, 255},         {L"0x1a", true, 26},          {L"-$10", true, -16},
        {L"$FFFFFFFF", true, -1},    {L"2147483647", true, 2147483647},
        {L"-2147483648", true, -2147483647 - 1},
        {L"2147483648", false, 0},   {L"$100000000", false, 0},    {L"", false, 0},
        {L" ", false, 0},            {L"1.5", false, 0},           {L"12a", false, 0},
        {L"42 ", false, 0},          {L"-", false, 0},             {L"$", false, 0},
        {L"x10", false, 0},          {L"١٢", false, 0},
    };
    for (const auto& C : Cases) {
        int V = -999;
        EXPECT_EQ(TryStrToInt(C.S, V), C.Ok) << C.S;
        if (C.Ok) {
            EXPECT_EQ(V, C.Value) << C.S;
        }
        EXPECT_EQ(StrToIntDef(C.S, -1), C.Ok ? C.Value : -1) << C.S;
    }
    Int64 V64;
    EXPECT_TRUE(TryStrToInt64(L"-9223372036854775808", V64));
    EXPECT_EQ(V64, INT64_MIN);
    EXPECT_FALSE(TryStrToInt64(L"9223372036854775808", V64));
    EXPECT_EQ(StrToInt64(L"$FFFFFFFFFFFFFFFF"), -1);
}

TEST(SysUtilsIntegers, StrToIntRaisesWithTheText)
{
    try {
        StrToInt(L"abc");
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, L"'abc' is not a valid integer value");
    }
    EXPECT_THROW(StrToInt64(L"1e3"), EConvertError);
}

struct ValCase {
    const wchar_t* S;
    int Value;
    int Code;
};

TEST(SysUtilsIntegers, ValKeepsTheNumberReadAndTheErrorPosition)
{
    const ValCase Cases[] = {
        {L"123", 123, 0},     {L"  -42x", -42, 6},   {L"$FF", 255, 0},   {L"0x1A", 26, 0},
        {L"x10", 16, 0},      {L"X10)", 16, 4},      {L"abc", 0, 1},     {L"", 0, 1},
        {L"-", 0, 2},         {L"12 ", 12, 3},       {L"+5", 5, 0},      {L"$FFFFFFFF", -1, 0},
        {L"-2147483648", -2147483647 - 1, 0},
        {L"99999999999", 999999999, 10},   // the digit that would overflow stops the reading
    };
    for (const auto& C : Cases) {
        int Code = -7;
        EXPECT_EQ(Val(C.S, Code), C.Value) << C.S;
        EXPECT_EQ(Code, C.Code) << C.S;
    }
    int Code;
    EXPECT_EQ(ValInt64(L"99999999999", Code), 99999999999LL);
    EXPECT_EQ(Code, 0);
}

TEST(SysUtilsIntegers, Booleans)
{
    EXPECT_TRUE(StrToBool(L"true"));
    EXPECT_FALSE(StrToBool(L"FALSE"));
    EXPECT_TRUE(StrToBool(L"-1"));
    EXPECT_FALSE(StrToBool(L"0"));
    EXPECT_THROW(StrToBool(L"maybe"), EConvertError);
    EXPECT_TRUE(StrToBoolDef(L"maybe", true));
    EXPECT_EQ(BoolToStr(true), L"-1");
    EXPECT_EQ(BoolToStr(false, true), L"False");
}

// ---- Code pages -------------------------------------------------------------------------------

TEST(SysUtilsCodePages, Utf8AndWindows1252)
{
    const String Text = L"Spar ♠ Hjerter ♥ æøå ÆØÅ \U0001F0A1";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(Text)), Text);
    EXPECT_EQ(Utf16ToUtf8(L"æ"), "\xC3\xA6");
    EXPECT_EQ(Utf8ToUtf16("\xE2\x99\xA0"), L"♠");
    // Bad bytes are replaced, never dropped silently with what follows.
    String Bad = Utf8ToUtf16("a\xFF" "b");
    EXPECT_EQ(Bad.front(), L'a');
    EXPECT_EQ(Bad.back(), L'b');
    EXPECT_EQ(Bad.size(), 3u);

    EXPECT_EQ(Win1252ToUnicode("\x80\x96\x9F\xE6\x81"), L"€–Ÿæ\x0081");
    EXPECT_EQ(CodePageToUnicode("\xE6\xF8\xE5", 1252), L"æøå");
    EXPECT_EQ(UnicodeToCodePage(L"æ♠", 1252), "\xE6?");
    EXPECT_EQ(AnsiToUnicode(UnicodeToAnsi(L"plain")), L"plain");
}

TEST(SysUtilsExceptions, AssertNamesTheMessageFileAndLine)
{
    try {
        Assert(1 + 1 == 3, L"Cannot get the format enumerator");
        FAIL() << "no exception";
    } catch (const EAssertionFailed& E) {
        EXPECT_NE(E.Message.find(L"Cannot get the format enumerator"), String::npos);
        EXPECT_NE(E.Message.find(L"test_SysUtils.cpp"), String::npos);
        EXPECT_NE(E.Message.find(L"line "), String::npos);
    }
    EXPECT_NO_THROW(Assert(true, L"never"));
    EXPECT_THROW(Abort(), EAbort);
    EXPECT_STREQ(Exception(L"Ærgerligt").what(), "\xC3\x86rgerligt");
    // Formatted messages, and a format mistake in one reported as the conversion error.
    EXPECT_EQ(EConvertError(L"Cell [%d, %d]", {1, 2}).Message, L"Cell [1, 2]");
    EXPECT_EQ(EOSError(L"%s", {L"disk"}).Message, L"disk");
    EXPECT_THROW(EListError(L"%d", {L"x"}), EConvertError);
}

// ---- Files ------------------------------------------------------------------------------------

struct NameCase {
    const wchar_t *Name, *Path, *Dir, *File, *Ext;
};

TEST(SysUtilsFiles, NameParts)
{
    const NameCase Cases[] = {
        {L"C:\\a\\b.txt", L"C:\\a\\", L"C:\\a", L"b.txt", L".txt"},
        {L"C:\\b.txt", L"C:\\", L"C:\\", L"b.txt", L".txt"},
        {L"C:b.txt", L"C:", L"C:", L"b.txt", L".txt"},
        {L"a.b\\c", L"a.b\\", L"a.b", L"c", L""},
        {L"x.tar.gz", L"", L"", L"x.tar.gz", L".gz"},
        {L"dir/name.ext", L"dir/", L"dir", L"name.ext", L".ext"},
        {L"\\\\srv\\share\\f.", L"\\\\srv\\share\\", L"\\\\srv\\share", L"f.", L"."},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(ExtractFilePath(C.Name), C.Path) << C.Name;
        EXPECT_EQ(ExtractFileDir(C.Name), C.Dir) << C.Name;
        EXPECT_EQ(ExtractFileName(C.Name), C.File) << C.Name;
        EXPECT_EQ(ExtractFileExt(C.Name), C.Ext) << C.Name;
    }
    EXPECT_EQ(ChangeFileExt(L"a\\b.txt", L".csv"), L"a\\b.csv");
    EXPECT_EQ(ChangeFileExt(L"a.b\\c", L".x"), L"a.b\\c.x");
    EXPECT_EQ(ChangeFileExt(L"a.txt", L""), L"a");
    EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\a"), L"C:\\a\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\a\\"), L"C:\\a\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(L"C:\\a\\"), L"C:\\a");
    EXPECT_EQ(ExtractFileDrive(L"C:\\a"), L"C:");
    EXPECT_EQ(ExtractFileDrive(L"\\\\srv\\share\\x"), L"\\\\srv\\share");
}

class SysUtilsTempFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        Root = GetTempDirectory() + L"sysutils_test_" + IntToStr(Int64(GetTickCount())) + L"_" +
               IntToStr(Random(1000000));
    }
    void TearDown() override
    {
        // Remove what a test left behind, deepest first.
        std::vector<String> Dirs{Root};
        for (size_t i = 0; i < Dirs.size(); ++i) {
            TSearchRec F;
            if (FindFirst(IncludeTrailingPathDelimiter(Dirs[i]) + L"*", faAnyFile, F) == 0) {
                do {
                    if (F.Name == L"." || F.Name == L"..") continue;
                    String Full = IncludeTrailingPathDelimiter(Dirs[i]) + F.Name;
                    if (F.Attr & faDirectory) Dirs.push_back(Full);
                    else DeleteFile(Full);
                } while (FindNext(F) == 0);
                FindClose(F);
            }
        }
        for (auto it = Dirs.rbegin(); it != Dirs.rend(); ++it) RemoveDir(*it);
    }
    static void WriteFile(const String& Name, const std::string& Bytes)
    {
        FILE* F = _wfopen(Name.c_str(), L"wb");
        ASSERT_NE(F, nullptr);
        fwrite(Bytes.data(), 1, Bytes.size(), F);
        fclose(F);
    }
    String Root;
};

TEST_F(SysUtilsTempFolder, ForceDirectoriesFindRenameDelete)
{
    const String Deep = Root + L"\\a\\bæ\\c";
    EXPECT_FALSE(DirectoryExists(Root));
    EXPECT_TRUE(ForceDirectories(Deep + L"\\"));
    EXPECT_TRUE(DirectoryExists(Deep));
    EXPECT_FALSE(FileExists(Deep));
    EXPECT_TRUE(ForceDirectories(Deep));   // already there

    WriteFile(Root + L"\\one.txt", "12345");
    WriteFile(Root + L"\\two.csv", "");
    EXPECT_TRUE(FileExists(Root + L"\\one.txt"));
    EXPECT_EQ(FileSizeOf(Root + L"\\one.txt"), 5);

    std::set<String> Files, All;
    TSearchRec F;
    ASSERT_EQ(FindFirst(Root + L"\\*", 0, F), 0);
    do Files.insert(F.Name);
    while (FindNext(F) == 0);
    FindClose(F);
    EXPECT_EQ(Files, (std::set<String>{L"one.txt", L"two.csv"}));   // folders need faDirectory

    ASSERT_EQ(FindFirst(Root + L"\\*", faAnyFile, F), 0);
    do
        if (F.Name == L"one.txt") {
            EXPECT_EQ(F.Size, 5);
            EXPECT_GT(F.TimeStamp, 40000.0);
        }
    while (FindNext(F) == 0);
    FindClose(F);
    EXPECT_EQ(F.FindHandle, nullptr);
    EXPECT_NE(FindFirst(Root + L"\\*.none", faAnyFile, F), 0);

    EXPECT_TRUE(RenameFile(Root + L"\\one.txt", Root + L"\\uno.txt"));
    EXPECT_FALSE(FileExists(Root + L"\\one.txt"));
    EXPECT_TRUE(DeleteFile(Root + L"\\uno.txt"));
    EXPECT_FALSE(DeleteFile(Root + L"\\uno.txt"));
    EXPECT_THROW(ForceDirectories(L""), EInOutError);
}

TEST(SysUtilsFiles, ExpandFileNameAndCurrentDir)
{
    String Cur = GetCurrentDir();
    EXPECT_FALSE(Cur.empty());
    EXPECT_EQ(ExpandFileName(L"x.txt"), IncludeTrailingPathDelimiter(Cur) + L"x.txt");
    EXPECT_EQ(ExpandFileName(L"C:\\a\\..\\b\\.\\c"), L"C:\\b\\c");
}

// ---- Process ----------------------------------------------------------------------------------

TEST(SysUtilsProcess, VersionSeamAndFacts)
{
    EXPECT_FALSE(IsLibrary());
    EXPECT_EQ(Win32Platform(), 2);
    EXPECT_GE(Win32MajorVersion(), 5);
    SetWin32VersionForTesting(2, 5, 1, 2600);
    EXPECT_EQ(Win32MajorVersion(), 5);
    EXPECT_EQ(Win32MinorVersion(), 1);
    EXPECT_TRUE(CheckWin32Version(5, 1));
    EXPECT_FALSE(CheckWin32Version(6, 0));
    ClearWin32VersionForTesting();
    EXPECT_TRUE(CheckWin32Version(5, 1));
}

TEST(SysUtilsProcess, RandomStaysInRangeAndRepeatsFromASeed)
{
    RandSeed(1234);
    std::vector<int> First;
    for (int i = 0; i < 200; ++i) {
        int R = Random(10);
        EXPECT_GE(R, 0);
        EXPECT_LT(R, 10);
        First.push_back(R);
    }
    RandSeed(1234);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(Random(10), First[size_t(i)]);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-5), 0);
    double D = Random();
    EXPECT_GE(D, 0.0);
    EXPECT_LT(D, 1.0);
    EXPECT_EQ(std::set<int>(First.begin(), First.end()).size(), 10u);
}

TEST(SysUtilsProcess, OSErrors)
{
    EXPECT_FALSE(SysErrorMessage(ERROR_FILE_NOT_FOUND).empty());
    EXPECT_NE(SysErrorMessage(ERROR_FILE_NOT_FOUND).back(), L'\n');
    try {
        RaiseLastOSError(ERROR_ACCESS_DENIED);
        FAIL() << "no exception";
    } catch (const EOSError& E) {
        EXPECT_EQ(E.ErrorCode, Cardinal(ERROR_ACCESS_DENIED));
        EXPECT_EQ(E.Message.rfind(L"System Error.  Code: 5.", 0), 0u) << Utf16ToUtf8(E.Message);
    }
}

}  // namespace
