// test-needs: desktop
// The input mask: parsing of its sections and character classes, formatting a value and reading
// it back, what is missing, and the edit typed into on a real window.
#include "framework/Mask.h"
#include "test_ControlsKit.h"

namespace {

struct MaskCase {
    const wchar_t* Mask;
    const wchar_t* Value;
    const wchar_t* EditText;   // shown
    const wchar_t* Back;       // Value() of the shown text
    int FirstInvalid;
};

TEST(EditMaskInfo, FormatsReadsBackAndFindsWhatIsMissing)
{
    FormatSettings.DateSeparator = L'/';
    const MaskCase Cases[] = {
        {L"99/99/0000;1;_", L"15/11/2020", L"15/11/2020", L"15/11/2020", -1},
        {L"99/99/0000;1;_", L"1 /11/20", L"1_/11/20__", L"1 /11/20  ", 8},   // year required
        {L"00-00;0;*", L"1234", L"12-34", L"1234", -1},
        {L"00-00;0;*", L"12", L"12-**", L"12  ", 3},
        {L"!999;0;_", L"7", L"__7", L"  7", -1},                          // right-aligned
        {L">LL<ll;1;_", L"abCD", L"ABcd", L"ABcd", -1},                    // case follows the mask
        {L"LL;1;_", L"a1", L"a_", L"a ", 1},                               // a digit refused
        {L"\\(000\\);1;_", L"(123)", L"(123)", L"(123)", -1},              // escaped literals
        {L"#99", L"-12", L"-12", L"-12", -1},                              // default ";1;_"
    };
    for (const MaskCase& C : Cases) {
        TEditMaskInfo M(C.Mask);
        String Shown = M.Format(C.Value);
        EXPECT_EQ(Shown, C.EditText) << C.Mask << " / " << C.Value;
        EXPECT_EQ(M.Value(Shown), C.Back) << C.Mask;
        EXPECT_EQ(M.FirstInvalid(Shown), C.FirstInvalid) << C.Mask << " / " << C.Value;
    }
    TEditMaskInfo M(L"99:99;0;#");
    EXPECT_FALSE(M.SaveLiterals());
    EXPECT_EQ(M.Blank(), L'#');
    EXPECT_EQ(M.EmptyText(), String(L"##") + FormatSettings.TimeSeparator + L"##");
    EXPECT_EQ(M.NextInput(2), 3);
    EXPECT_TRUE(TEditMaskInfo(L"").IsEmpty());
    // A value longer than the mask, or odd characters, never break it.
    EXPECT_EQ(TEditMaskInfo(L"00;0;_").Format(L"123456\x2660"), L"12");
}

class MaskEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FormatSettings.DateSeparator = L'-';
        Form = ui::NewForm(300, 100);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Edit = AddControl<TMaskEdit>(Form, 10, 10, 150, 24);
        Edit->SetEditMask(L"!00/00/0000;1;_");
        ui::ShowAndActivate(Form);
        Edit->SetFocus();
        ui::Pump();
    }
    void TearDown() override { FormatSettings.DateSeparator = L'/'; }
    void Type(const String& S)
    {
        for (wchar_t C : S) ui::TypeChar(C, Edit->GetHandle());
    }
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TMaskEdit* Edit = nullptr;
};

TEST_F(MaskEditTest, TypingFollowsTheMask)
{
    EXPECT_EQ(Edit->GetEditText(), L"__-__-____");
    Edit->SetSelStart(0);
    Type(L"1x5");                       // the letter is refused
    EXPECT_EQ(Edit->GetEditText(), L"15-__-____");
    EXPECT_EQ(Edit->GetSelStart(), 3);  // past the literal
    Type(L"-112020");                   // a typed literal just moves on
    EXPECT_EQ(Edit->GetEditText(), L"15-11-2020");
    EXPECT_EQ(Edit->GetText(), L"15-11-2020");
    Type(L"9");                         // no room left
    EXPECT_EQ(Edit->GetEditText(), L"15-11-2020");
    EXPECT_NO_THROW(Edit->ValidateEdit());

    // Backspace blanks the input position before the caret, passing over literals.
    Edit->SetSelStart(6);
    ui::PressKey(VK_BACK, {}, Edit->GetHandle());
    EXPECT_EQ(Edit->GetEditText(), L"15-1_-2020");
    EXPECT_EQ(Edit->GetSelStart(), 4);
    Edit->SetSelStart(0);
    EXPECT_THROW(Edit->ValidateEdit(), EDBEditError);
    EXPECT_EQ(Edit->GetSelStart(), 4);   // the caret goes to what is missing

    Edit->SetText(L"01-02-2003");
    EXPECT_EQ(Edit->GetEditText(), L"01-02-2003");
    Edit->Clear();
    EXPECT_EQ(Edit->GetEditText(), L"__-__-____");

    // Taking the mask away keeps the value as plain text.
    Edit->SetText(L"24-12-1999");
    Edit->SetEditMask(L"");
    EXPECT_EQ(Edit->GetText(), L"24-12-1999");
    Type(L"x");
    EXPECT_NE(Edit->GetText().find(L'x'), String::npos);
}

}  // namespace
