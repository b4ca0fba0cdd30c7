// The editor's test kit: the main and help windows read from their descriptions in the source
// tree (the test programs carry no form resources), shown and active for each test.
#pragma once

#include "app/FHelp.h"
#include "app/Unit1.h"
#include "framework/Streaming.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace EditorKit {

// The descriptions come from the source tree: the test program carries no form resources.
inline void ReadFromSourceTree(const String& ResName, TComponent* Form)
{
    std::string File = __FILE__;
    std::string Root = File.substr(0, File.rfind("tests"));
    if (!Root.empty() && Root[0] == '/') Root = "Z:" + Root;
    std::string Path = Root + (ResName == L"TFORM1" ? "resources/forms/Unit1.form" : "resources/forms/FHelp.form");
    std::ifstream In(Path, std::ios::binary);
    std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(Bytes.empty()) << Path;
    ReadComponentData(reinterpret_cast<const Byte*>(Bytes.data()), Bytes.size(), Form);
}

inline void Press(TButton* Button)
{
    SendMessageW(Button->GetHandle(), BM_CLICK, 0, 0);
    ui::Pump();
}

}  // namespace EditorKit

class Editor : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReadFormDescriptionProc = EditorKit::ReadFromSourceTree;
        Form1 = Create<TForm1>(Application);
        Form2 = Create<TForm2>(Application);
        F = Form1;
        ui::ShowAndActivate(F);
    }
    void TearDown() override
    {
        Form2->Free();
        Form1->Free();
        Form1 = nullptr;
        Form2 = nullptr;
        ReadFormDescriptionProc = nullptr;
        ui::Pump();
    }
    TForm1* F = nullptr;
};

