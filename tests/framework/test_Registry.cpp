// The registry object and the settings file kept in the registry, on a key of their own under
// HKEY_CURRENT_USER that each test deletes afterwards.
#include "framework/Registry.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Base = L"Software\\FrameworkTests\\Reg" + std::to_wstring(GetCurrentProcessId()) + L"_" +
               Utf8ToUtf16(::testing::UnitTest::GetInstance()->current_test_info()->name());
        RegDeleteTree(Base);
    }
    void TearDown() override
    {
        RegDeleteTree(Base);
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\FrameworkTests");   // only when left empty
    }
    static void RegDeleteTree(const String& Key)
    {
        TRegistry R;
        R.DeleteKey(Key);
    }
    std::vector<String> Names(const std::function<void(TStrings*)>& Fill)
    {
        std::unique_ptr<TStringList> L(new TStringList());
        Fill(L.get());
        L->SetSorted(true);
        return L->ToStringArray();
    }
    String Base;
};

}  // namespace

TEST_F(RegistryTest, OpensCreatesAndDeletesKeys)
{
    TRegistry R;
    EXPECT_EQ(R.GetRootKey(), HKEY_CURRENT_USER);
    EXPECT_FALSE(R.KeyExists(Base));
    EXPECT_FALSE(R.OpenKey(Base, false));
    EXPECT_FALSE(R.OpenKeyReadOnly(Base));
    ASSERT_TRUE(R.OpenKey(Base, true));
    EXPECT_EQ(R.CurrentPath(), Base);
    EXPECT_NE(R.CurrentKey(), nullptr);

    // Relative paths go from the current key; a leading "\" from the root.
    ASSERT_TRUE(R.OpenKey(L"Sub\\Deeper", true));
    EXPECT_EQ(R.CurrentPath(), Base + L"\\Sub\\Deeper");
    ASSERT_TRUE(R.OpenKey(L"\\" + Base, false));
    EXPECT_EQ(R.CurrentPath(), Base);
    EXPECT_TRUE(R.CreateKey(L"Other"));
    EXPECT_TRUE(R.KeyExists(L"Other"));
    EXPECT_TRUE(R.HasSubKeys());
    EXPECT_EQ(Names([&](TStrings* S) { R.GetKeyNames(S); }), (std::vector<String>{L"Other", L"Sub"}));

    // Deleting takes the sub-keys with it.
    EXPECT_TRUE(R.DeleteKey(L"Sub"));
    EXPECT_FALSE(R.KeyExists(L"Sub"));
    EXPECT_FALSE(R.KeyExists(L"\\" + Base + L"\\Sub\\Deeper"));
    R.CloseKey();
    EXPECT_EQ(R.CurrentKey(), nullptr);
    EXPECT_EQ(R.CurrentPath(), L"");
    EXPECT_TRUE(R.KeyExists(Base + L"\\Other"));

    // Read-only opening reads but does not change Access.
    ASSERT_TRUE(R.OpenKeyReadOnly(Base));
    EXPECT_EQ(R.GetAccess(), REGSAM(KEY_ALL_ACCESS));
    EXPECT_THROW(R.WriteInteger(L"x", 1), ERegistryException);
}

TEST_F(RegistryTest, ValuesOfEveryTypeRoundTrip)
{
    TRegistry R;
    ASSERT_TRUE(R.OpenKey(Base, true));
    R.WriteString(L"Text", L"Ærø");
    R.WriteExpandString(L"Expand", L"%TEMP%\\x");
    R.WriteInteger(L"Int", -5);
    R.WriteBool(L"Bool", true);
    R.WriteFloat(L"Float", 2.75);
    const Byte Blob[] = {1, 2, 0xAB};
    R.WriteBinaryData(L"Blob", Blob, 3);

    EXPECT_EQ(R.ReadString(L"Text"), L"Ærø");
    EXPECT_EQ(R.ReadString(L"Expand"), L"%TEMP%\\x");
    EXPECT_EQ(R.ReadInteger(L"Int"), -5);
    EXPECT_TRUE(R.ReadBool(L"Bool"));
    EXPECT_DOUBLE_EQ(R.ReadFloat(L"Float"), 2.75);
    Byte Back[8] = {};
    EXPECT_EQ(R.ReadBinaryData(L"Blob", Back, 8), 3);
    EXPECT_EQ(Back[2], 0xAB);

    struct TypeCase { const wchar_t* Name; TRegDataType Type; const wchar_t* Text; };
    const TypeCase Cases[] = {
        {L"Text", rdString, L"Ærø"},   {L"Expand", rdExpandString, L"%TEMP%\\x"},
        {L"Int", rdInteger, L"-5"}, {L"Bool", rdInteger, L"1"},
        {L"Blob", rdBinary, L"0102AB"}, {L"Missing", rdUnknown, L""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.Name));
        EXPECT_EQ(R.GetDataType(c.Name), c.Type);
        EXPECT_EQ(R.GetDataAsString(c.Name), c.Text);
    }
    EXPECT_TRUE(R.ValueExists(L"int"));
    EXPECT_EQ(Names([&](TStrings* S) { R.GetValueNames(S); }),
              (std::vector<String>{L"Blob", L"Bool", L"Expand", L"Float", L"Int", L"Text"}));
    EXPECT_TRUE(R.DeleteValue(L"Int"));
    EXPECT_FALSE(R.ValueExists(L"Int"));
    EXPECT_FALSE(R.DeleteValue(L"Int"));
}

TEST_F(RegistryTest, ReadsOfTheWrongKindRaiseWithTheValueName)
{
    TRegistry R;
    ASSERT_TRUE(R.OpenKey(Base, true));
    R.WriteString(L"Text", L"15");
    R.WriteInteger(L"Int", 15);
    struct FailCase { std::function<void()> Read; const wchar_t* Message; };
    Byte Small[2];
    const FailCase Cases[] = {
        {[&] { R.ReadInteger(L"Text"); }, L"Invalid data type for 'Text'"},
        {[&] { R.ReadString(L"Int"); }, L"Invalid data type for 'Int'"},
        {[&] { R.ReadFloat(L"Int"); }, L"Invalid data type for 'Int'"},
        {[&] { R.ReadInteger(L"Missing"); }, L"Failed to get data for 'Missing'"},
        {[&] { R.ReadBinaryData(L"Int", Small, 2); }, L"Invalid data type for 'Int'"},
    };
    for (const auto& c : Cases) {
        try {
            c.Read();
            ADD_FAILURE() << "no exception: " << Utf16ToUtf8(c.Message);
        } catch (const ERegistryException& e) {
            EXPECT_EQ(e.Message, c.Message);
        }
    }
    EXPECT_EQ(R.ReadString(L"Missing"), L"");
    // Text "15" and the number 15 read as the same text.
    EXPECT_EQ(R.GetDataAsString(L"Text"), R.GetDataAsString(L"Int"));

    R.CloseKey();
    try {
        R.WriteString(L"NoKey", L"x");
        ADD_FAILURE() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message, L"Failed to set data for 'NoKey'");
    }
}

TEST_F(RegistryTest, SettingsFileInTheRegistry)
{
    {
        TRegistryIniFile Ini(Base);
        EXPECT_EQ(Ini.ReadInteger(L"Cols", L"Col0", 64), 64);   // nothing there yet
        EXPECT_FALSE(TRegistry().KeyExists(Base));               // and reading created nothing
        Ini.WriteInteger(L"Cols", L"Col0", 80);
        Ini.WriteString(L"Cols", L"Name", L"grid");
        Ini.WriteBool(L"Opts", L"On", true);
        Ini.WriteString(L"Opts", L"Num", L"12");
        Ini.WriteInteger(L"Opts", L"Num", 13);   // a text value stays text
    }
    TRegistry R;
    ASSERT_TRUE(R.OpenKeyReadOnly(Base + L"\\Cols"));
    EXPECT_EQ(R.GetDataType(L"Col0"), rdInteger);
    EXPECT_EQ(R.GetDataType(L"Name"), rdString);
    ASSERT_TRUE(R.OpenKeyReadOnly(L"\\" + Base + L"\\Opts"));
    EXPECT_EQ(R.GetDataType(L"On"), rdInteger);
    EXPECT_EQ(R.ReadString(L"Num"), L"13");

    TRegistryIniFile Ini(Base);
    EXPECT_EQ(Ini.ReadInteger(L"cols", L"col0", 0), 80);
    EXPECT_EQ(Ini.ReadString(L"Cols", L"Col0", L""), L"80");   // a number reads as text too
    EXPECT_EQ(Ini.ReadInteger(L"Opts", L"Num", 0), 13);       // and text as a number
    EXPECT_EQ(Ini.ReadInteger(L"Cols", L"Name", -1), -1);
    EXPECT_TRUE(Ini.ReadBool(L"Opts", L"On", false));
    EXPECT_TRUE(Ini.ValueExists(L"Cols", L"Name"));
    EXPECT_TRUE(Ini.SectionExists(L"Opts"));
    EXPECT_EQ(Names([&](TStrings* S) { Ini.ReadSections(S); }), (std::vector<String>{L"Cols", L"Opts"}));
    EXPECT_EQ(Names([&](TStrings* S) { Ini.ReadSectionValues(L"Cols", S); }),
              (std::vector<String>{L"Col0=80", L"Name=grid"}));

    Ini.EraseSection(L"");     // neither of these is a section: the file's key stays
    Ini.EraseSection(L"\\");
    EXPECT_TRUE(Ini.SectionExists(L"Cols"));
    Ini.DeleteKey(L"Cols", L"Name");
    EXPECT_FALSE(Ini.ValueExists(L"Cols", L"Name"));
    Ini.EraseSection(L"Opts");
    EXPECT_FALSE(Ini.SectionExists(L"Opts"));
    EXPECT_TRUE(Ini.SectionExists(L"Cols"));
}
