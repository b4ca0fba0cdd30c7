// test-needs: desktop
// The rich edit: rich text in and out through its lines, plain text when asked, character
// formatting of the selection (superscript, bold) and selection-change notifications.
#include "framework/ComCtrls.h"
#include "test_ControlsKit.h"

namespace {

class RichEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(300, 200);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Edit = AddControl<TRichEdit>(Form, 10, 10, 250, 150);
    }
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TRichEdit* Edit = nullptr;
};

TEST_F(RichEditTest, RichTextInAndOut)
{
    TStringStream* In = new TStringStream(AnsiString("{\\rtf1\\ansi Spil {\\b 12} N/Alle\\par}"));
    Edit->GetLines()->LoadFromStream(In);
    delete In;
    EXPECT_EQ(Edit->GetLines()->Get(0), L"Spil 12 N/Alle");
    Edit->SetSelStart(5);
    Edit->SetSelLength(2);
    EXPECT_TRUE(Edit->GetSelStyle().Contains(fsBold));

    TStringStream* Out = new TStringStream(AnsiString(""));
    Edit->GetLines()->SaveToStream(Out);
    String Rtf = Out->GetDataString();
    delete Out;
    EXPECT_EQ(Rtf.rfind(L"{\\rtf", 0), 0u) << Rtf;
    EXPECT_NE(Rtf.find(L"N/Alle"), String::npos);

    // Plain text: the characters as they are.
    Edit->SetPlainText(true);
    TStringStream* Plain = new TStringStream(String(L"{\\rtf1 not parsed}"));
    Edit->GetLines()->LoadFromStream(Plain);
    delete Plain;
    EXPECT_EQ(Edit->GetLines()->Get(0), L"{\\rtf1 not parsed}");
}

TEST_F(RichEditTest, SelectionFormattingAndNotifications)
{
    int Changes = 0;
    Edit->OnSelectionChange = [&](TObject*) { ++Changes; };
    Edit->SetText(L"x2 H2O");
    Edit->SetSelStart(1);
    Edit->SetSelLength(1);
    Edit->SetSelOffset(3);
    EXPECT_EQ(Edit->GetSelOffset(), 3);
    Edit->SetSelStart(4);
    Edit->SetSelLength(1);
    Edit->SetSelOffset(-3);
    EXPECT_EQ(Edit->GetSelOffset(), -3);
    EXPECT_GT(Changes, 0);
    Edit->SetSelStyle(TFontStyles{fsItalic});
    EXPECT_TRUE(Edit->GetSelStyle().Contains(fsItalic));
    Edit->Clear();
    EXPECT_EQ(Edit->GetText(), L"");
}

}  // namespace
