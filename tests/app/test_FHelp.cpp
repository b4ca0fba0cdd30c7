// test-needs: desktop
// The help window as stored: a yellow text area with the how-to text, hidden until asked for.
#include "app/FHelp.h"
#include "app/Unit1.h"
#include "framework/Streaming.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

void ReadFromSourceTree(const String&, TComponent* Form)
{
    std::string File = __FILE__;
    std::string Root = File.substr(0, File.rfind("tests"));
    if (!Root.empty() && Root[0] == '/') Root = "Z:" + Root;
    std::ifstream In(Root + "resources/forms/FHelp.form", std::ios::binary);
    std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(Bytes.empty());
    ReadComponentData(reinterpret_cast<const Byte*>(Bytes.data()), Bytes.size(), Form);
}

TEST(HelpWindow, StoredTextAndLook)
{
    ReadFormDescriptionProc = ReadFromSourceTree;
    TForm2* Help = Create<TForm2>(Application);
    ui::FormGuard Guard(Help);
    ReadFormDescriptionProc = nullptr;

    EXPECT_FALSE(Help->GetVisible());
    EXPECT_EQ(Help->GetCaption(), L"ZeVuroderoz Trumpelin - Hjælp");
    EXPECT_EQ(Help->GetBorderStyle(), bsDialog);
    ASSERT_NE(Help->Memo1, nullptr);
    EXPECT_EQ(Help->Memo1->GetColor(), clYellow);
    EXPECT_EQ(Help->Memo1->GetAlign(), alClient);

    TLines Lines = TextToLines(Help->Memo1->GetText());
    ASSERT_EQ(Lines.size(), 49u);
    EXPECT_EQ(Lines.front(), L"SÅDAN BRUGER DU ZEVURODEROZ TRUMPELIN");
    EXPECT_EQ(Lines[28], L"SÅDAN FÅR DU DIN TEKST PÅ NETTET");
    EXPECT_EQ(Lines.back(), L"(2020-11-15)");

    Help->Show();
    ui::Pump();
    EXPECT_EQ(Help->GetClientWidth(), 682);
    EXPECT_EQ(Help->GetClientHeight(), 790);
    EXPECT_EQ(Help->Memo1->GetWidth(), 682);
    Help->Close();
    ui::Pump();
    EXPECT_FALSE(Help->GetVisible());
}

}  // namespace
