// test-needs: desktop
// The clipboard object on the real clipboard: text and registered formats round trip, reading
// text never fails, nested opening places several formats together, and a held clipboard raises.
#include "framework/Clipbrd.h"

namespace {

String RawText()
{
    String S;
    if (!OpenClipboard(nullptr)) return L"<not opened>";
    if (HANDLE H = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* P = static_cast<const wchar_t*>(GlobalLock(H))) {
            S = P;
            GlobalUnlock(H);
        }
    }
    CloseClipboard();
    return S;
}

void RawPut(UINT Format, const void* Data, size_t Size)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (Data) {
        HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, Size);
        std::memcpy(GlobalLock(Mem), Data, Size);
        GlobalUnlock(Mem);
        SetClipboardData(Format, Mem);
    }
    CloseClipboard();
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { Clipboard()->Clear(); }
    void TearDown() override
    {
        while (Clipboard()->IsOpen()) Clipboard()->Close();
    }
    UINT Private = RegisterClipboardFormatName(L"Ostrelin test cells");
};

TEST_F(ClipboardTest, TextRoundTripsThroughThePlatformClipboard)
{
    for (const String& Text : {String(L"Spil 12\r\nN/Alle \x2660\x2665\x2666\x2663 æøå"), String(L"x"), String()}) {
        Clipboard()->SetAsText(Text);
        EXPECT_EQ(RawText(), Text);
        EXPECT_EQ(Clipboard()->GetAsText(), Text);
        EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
    }
    // What another program put there is read too.
    const wchar_t Other[] = L"from elsewhere";
    RawPut(CF_UNICODETEXT, Other, sizeof Other);
    EXPECT_EQ(Clipboard()->GetAsText(), L"from elsewhere");
}

TEST_F(ClipboardTest, ReadingTextNeverFails)
{
    EXPECT_EQ(Clipboard()->GetAsText(), L"");   // empty
    Clipboard()->SetBuffer(Private, "\x01\x02", 2);
    EXPECT_FALSE(Clipboard()->HasFormat(CF_UNICODETEXT));
    EXPECT_EQ(Clipboard()->GetAsText(), L"");   // holds no text
    // Text without its terminating zero is read within its block (the platform may cut the
    // last character to make room for the zero), never past it.
    const wchar_t NoZero[] = {L'A', L'B'};
    RawPut(CF_UNICODETEXT, NoZero, sizeof NoZero);
    String T = Clipboard()->GetAsText();
    EXPECT_TRUE(T == L"A" || T == L"AB") << T.size();
    EXPECT_FALSE(Clipboard()->IsOpen());
}

TEST_F(ClipboardTest, RegisteredFormatRoundTripsByBufferAndHandle)
{
    EXPECT_EQ(RegisterClipboardFormatName(L"Ostrelin test cells"), Private);
    const char Cells[] = "r1\tc1\nr2\tc2";
    Clipboard()->SetBuffer(Private, Cells, sizeof Cells);
    EXPECT_TRUE(Clipboard()->HasFormat(Private));
    std::vector<Byte> Back = Clipboard()->GetBuffer(Private);
    ASSERT_GE(Back.size(), sizeof Cells);
    EXPECT_EQ(std::memcmp(Back.data(), Cells, sizeof Cells), 0);

    HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(Mem), "\x10\x20\x30\x40", 4);
    GlobalUnlock(Mem);
    Clipboard()->SetAsHandle(Private, Mem);
    Clipboard()->Open();
    HANDLE H = Clipboard()->GetAsHandle(Private);
    ASSERT_NE(H, nullptr);
    EXPECT_EQ(std::memcmp(GlobalLock(H), "\x10\x20\x30\x40", 4), 0);
    GlobalUnlock(H);
    Clipboard()->Close();
    EXPECT_EQ(Clipboard()->GetAsHandle(CF_BITMAP), nullptr);
    EXPECT_THROW(RegisterClipboardFormatName(L""), EClipboardException);
}

TEST_F(ClipboardTest, NestedOpeningKeepsFormatsTogether)
{
    Clipboard()->SetAsText(L"old");
    Clipboard()->Open();
    Clipboard()->Open();
    Clipboard()->SetAsText(L"new");            // the first value empties the clipboard once
    Clipboard()->SetBuffer(Private, "z", 1);   // ... the second joins it
    Clipboard()->Close();
    EXPECT_TRUE(Clipboard()->IsOpen());
    Clipboard()->Close();
    EXPECT_FALSE(Clipboard()->IsOpen());
    Clipboard()->Close();                      // one close too many: nothing happens

    EXPECT_EQ(RawText(), L"new");
    EXPECT_TRUE(Clipboard()->HasFormat(Private));
    std::vector<UINT> Formats = Clipboard()->FormatList();
    EXPECT_NE(std::find(Formats.begin(), Formats.end(), UINT(CF_UNICODETEXT)), Formats.end());
    EXPECT_NE(std::find(Formats.begin(), Formats.end(), Private), Formats.end());
    EXPECT_EQ(Clipboard()->GetFormatCount(), int(Formats.size()));
    EXPECT_THROW(Clipboard()->GetFormats(int(Formats.size())), EListError);

    // A later single value replaces everything.
    Clipboard()->SetAsText(L"alone");
    EXPECT_FALSE(Clipboard()->HasFormat(Private));
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_UNICODETEXT));
}

TEST_F(ClipboardTest, HeldClipboardRaisesAndLosesNothing)
{
    Clipboard()->SetAsText(L"keep me");
    HWND Other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(Other));
    Clipboard()->OpenRetries = 2;
    EXPECT_THROW(Clipboard()->SetAsText(L"lost?"), EClipboardException);
    EXPECT_THROW(Clipboard()->GetAsText(), EClipboardException);
    EXPECT_FALSE(Clipboard()->IsOpen());
    CloseClipboard();
    DestroyWindow(Other);
    Clipboard()->OpenRetries = 10;
    EXPECT_EQ(Clipboard()->GetAsText(), L"keep me");
}

}  // namespace
