// test-needs: desktop
// The memo drop-down through real messages: the edit's summary of the lines with the editor on and
// off, typing in the memo and in the edit, Tab, Enter, Ctrl+A and Esc in the open memo (Esc
// gives back the lines noted at the opening), soft wraps kept out of the text, read-only at once,
// and AutoDrop.
#include "pickers/QorMemoDropDown.h"

#include "DropDownKit.h"

namespace {

class MemoDropDown : public dropdownkit::DropDownTest<TQorMemoDropDown> {
protected:
    MemoDropDown() : DropDownTest(120, RegisterQorMemoDropDownClasses) {}
    void Prepare() override { Memo->OnMemoChange = [this](TObject*) { ++MemoChanges; }; }
    void SetLines(const String& Text)
    {
        TStringList L;
        L.SetText(Text);
        Memo->SetMemoText(&L);
    }
    String Lines() const { return Memo->GetMemoText()->GetText(); }

    TQorMemoDropDown*& Memo = Drop;
    int MemoChanges = 0;
};

}  // namespace

TEST_F(MemoDropDown, TheEditShowsASummaryOfTheFirstLine)
{
    SetLines(L"alpha\r\nbeta\r\n");
    EXPECT_EQ(Memo->GetText(), L"alpha");
    Memo->SetEditorEnabled(false);
    SetLines(L"alpha\r\nbeta\r\n");
    EXPECT_EQ(Memo->GetText(), L"alpha...");
    SetLines(L"alpha\r\n");
    EXPECT_EQ(Memo->GetText(), L"alpha");
    SetLines(L"en meget lang første linje om meldingerne i spillet\r\nto\r\n");
    const String S = Memo->GetText();
    ASSERT_GT(S.size(), 3u);
    EXPECT_EQ(S.substr(S.size() - 3), L"...");
    EXPECT_EQ(String(L"en meget lang første linje").substr(0, S.size() - 3), S.substr(0, S.size() - 3));
    SetLines(L"");
    EXPECT_EQ(Memo->GetText(), L"");
}

TEST_F(MemoDropDown, TypingInTheMemoAndInTheEdit)
{
    SetLines(L"alpha\r\n");
    OpenByF4();
    EXPECT_EQ(Focused(), Memo->GetMemo()->GetHandle());
    EXPECT_EQ(Memo->GetMemo()->GetHeight(), 100);
    // Enter makes a new line in the memo; the text and the summary follow every keystroke.
    SendMessageW(Memo->GetMemo()->GetHandle(), EM_SETSEL, 5, 5);
    Press(VK_RETURN);
    TypeKey(L'b');
    EXPECT_TRUE(Open());
    EXPECT_EQ(Lines(), L"alpha\r\nb\r\n");
    EXPECT_GE(MemoChanges, 2);
    // Tab closes keeping the text and selects the edit's value.
    Press(VK_TAB);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Lines(), L"alpha\r\nb\r\n");
    EXPECT_EQ(Focused(), Memo->GetHandle());
    EXPECT_EQ(Memo->GetSelLength(), int(Memo->GetText().size()));
    // Typing in the edit makes the typed line the whole text.
    Memo->SetSelStart(5);
    TypeKey(L'z');
    EXPECT_EQ(Lines(), L"alphaz\r\n");
    EXPECT_EQ(Memo->GetMemo()->GetText(), L"alphaz");
}

TEST_F(MemoDropDown, EscGivesBackTheLinesNotedAtTheOpening)
{
    SetLines(L"nord\r\nsyd\r\nøst\r\n");
    OpenByF4();
    Press(L'A', {ssCtrl});
    EXPECT_EQ(Memo->GetMemo()->GetSelLength(), Memo->GetMemo()->GetTextLen());
    TypeKey(L'v');
    EXPECT_EQ(Lines(), L"v\r\n");
    Press(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Lines(), L"nord\r\nsyd\r\nøst\r\n");
    EXPECT_EQ(Memo->GetMemo()->GetLines()->GetCount(), 3);
    EXPECT_EQ(Memo->GetText(), L"nord");
}

TEST_F(MemoDropDown, ASoftWrapIsNoLineBreakAndReadOnlyTakesAtOnce)
{
    const String Long = L"et langt afsnit der ombrydes i memoen fordi det er bredere end vinduet kan vise";
    SetLines(Long + L"\r\n");
    OpenByF4();
    TypeKey(L'!');
    EXPECT_GT(Memo->GetMemo()->GetLines()->GetCount(), 1);   // display rows
    EXPECT_EQ(Memo->GetMemoText()->GetCount(), 1);
    Memo->SetMemoReadOnly(true);
    EXPECT_TRUE(Memo->GetMemo()->GetReadOnly());
    const String Before = Lines();
    TypeKey(L'x');
    EXPECT_EQ(Lines(), Before);
    Press(VK_RETURN, {});
    Press(VK_F4);
    EXPECT_FALSE(Open());
}

TEST_F(MemoDropDown, AutoDropOpensOnEntryButNotOnTheReturnFromThePopup)
{
    auto* Other = Create<TEdit>(Form);
    Other->SetBounds(20, 200, 80, 21);
    Other->SetParent(Form);
    Memo->SetAutoDrop(true);
    Other->SetFocus();
    ui::Pump();
    Memo->SetFocus();
    ui::Pump();
    ASSERT_TRUE(Open());
    Press(VK_ESCAPE);
    ui::Pump();
    EXPECT_FALSE(Open());
    EXPECT_EQ(Focused(), Memo->GetHandle());
    EXPECT_TRUE(Memo->GetAutoDrop());
}
