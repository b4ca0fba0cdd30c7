// test-needs: desktop
// The standard controls on real windows: the memo's display-row lines against its real-line
// text, edits and their change events, buttons, check boxes and radio buttons by mouse and keys,
// the combo box (keys typed in its edit part, selection events), the list box, the scroll bar,
// labels and group boxes.
#include "framework/StdCtrls.h"
#include "framework/TypInfo.h"
#include "framework/Streaming.h"
#include "framework/ExtCtrls.h"
#include "support/UiHarness.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

template <class T>
T* Add(TWinControl* Parent, int L, int Top, int W, int H)
{
    T* C = Create<T>(GetParentForm(Parent));
    C->SetBounds(L, Top, W, H);
    C->SetParent(Parent);
    return C;
}

class StdCtrlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(400, 300);
        Guard = std::make_unique<ui::FormGuard>(Form);
        ui::ShowAndActivate(Form);
    }
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
};

String JoinRows(TStrings* Lines)
{
    String S;
    for (int I = 0; I < Lines->Count(); ++I) S += Lines->Get(I);
    return S;
}

// ---- TMemo -------------------------------------------------------------------------------------

TEST_F(StdCtrlsTest, MemoLinesAreDisplayRowsAndTextKeepsRealLines)
{
    auto* M = Add<TMemo>(Form, 10, 10, 120, 200);
    const String Long = L"alpha beta gamma delta epsilon zeta eta theta iota kappa lambda";
    M->SetText(Long + L"\r\nshort\r\n");
    ui::Pump();
    HWND W = M->GetHandle();
    int Rows = int(SendMessageW(W, EM_GETLINECOUNT, 0, 0));
    // The long line wraps into several rows; the final empty row is not a line.
    ASSERT_GT(Rows, 3);
    EXPECT_EQ(M->GetLines()->Count(), Rows - 1);
    EXPECT_EQ(M->GetLines()->Get(M->GetLines()->Count() - 1), L"short");
    EXPECT_EQ(JoinRows(M->GetLines()), Long + L"short");
    // Reading at Count (and beyond, or below 0) gives "" without raising.
    EXPECT_EQ(M->GetLines()->Get(M->GetLines()->Count()), L"");
    EXPECT_EQ(M->GetLines()->Get(1000), L"");
    EXPECT_EQ(M->GetLines()->Get(-1), L"");
    // The text is exact: two real lines and the final line break.
    EXPECT_EQ(M->GetText(), Long + L"\r\nshort\r\n");

    // Without word wrap each real line is one row.
    M->SetWordWrap(false);
    EXPECT_EQ(M->GetLines()->Count(), 2);
    EXPECT_EQ(M->GetLines()->Get(0), Long);
    EXPECT_EQ(M->GetText(), Long + L"\r\nshort\r\n");
}

TEST_F(StdCtrlsTest, MemoLinesEditTheWindowText)
{
    auto* M = Add<TMemo>(Form, 10, 10, 300, 200);
    TStrings* L = M->GetLines();
    EXPECT_EQ(L->Count(), 0);
    L->Add(L"one");
    EXPECT_EQ(M->GetText(), L"one\r\n");
    L->Add(L"three");
    L->Insert(1, L"two");
    EXPECT_EQ(M->GetText(), L"one\r\ntwo\r\nthree\r\n");
    L->Delete(0);
    EXPECT_EQ(M->GetText(), L"two\r\nthree\r\n");
    L->SetStrings(1, L"THREE");
    EXPECT_EQ(M->GetText(), L"two\r\nTHREE\r\n");
    // A last line without a break: a line added after it gets the break between them.
    M->SetText(L"a");
    L->Add(L"b");
    EXPECT_EQ(M->GetText(), L"a\r\nb");
    EXPECT_THROW(L->Delete(5), EStringListError);
    EXPECT_THROW(L->Insert(7, L"x"), EStringListError);
    EXPECT_EQ(M->GetText(), L"a\r\nb");

    std::unique_ptr<TStringList> Src(new TStringList());
    Src->Add(L"x");
    Src->Add(L"y");
    L->Assign(Src.get());
    EXPECT_EQ(M->GetText(), L"x\r\ny\r\n");
    L->SetText(L"p\nq");   // bare line feeds become the window's CR LF
    EXPECT_EQ(M->GetText(), L"p\r\nq");
    L->Clear();
    EXPECT_EQ(M->GetText(), L"");
}

TEST(StdCtrlsNoWindow, MemoLinesWithoutWindowFollowLineBreaks)
{
    std::unique_ptr<TMemo> M(Create<TMemo>(nullptr));
    M->GetLines()->Add(L"a");
    M->GetLines()->Add(L"b");
    EXPECT_EQ(M->GetText(), L"a\r\nb\r\n");
    EXPECT_EQ(M->GetLines()->Count(), 2);
    EXPECT_EQ(M->GetLines()->Get(2), L"");
    M->SetText(L"a\r\nb");
    M->GetLines()->Insert(0, L"z");
    EXPECT_EQ(M->GetText(), L"z\r\na\r\nb");
    EXPECT_EQ(M->GetSelStart(), 0);   // no window: nothing to ask, nothing raised
}

TEST_F(StdCtrlsTest, MemoTabsAreTextOnlyWithWantTabsAndCtrlACanSelectAll)
{
    auto* M = Add<TMemo>(Form, 10, 10, 200, 100);
    auto* Next = Add<TEdit>(Form, 10, 150, 100, 24);
    M->OnKeyPress = [M](TObject*, Char& Key) {
        if (Key == 1) {
            M->SelectAll();
            Key = 0;
        }
    };
    M->SetFocus();
    ui::PressKey(VK_TAB);
    EXPECT_TRUE(Next->Focused());
    EXPECT_EQ(M->GetText(), L"");

    M->SetWantTabs(true);
    M->SetFocus();
    ui::PressKey(VK_TAB);   // the loop's translation types the tab character
    EXPECT_TRUE(M->Focused());
    EXPECT_EQ(M->GetText(), L"\t");
    ui::TypeChar(L'x');
    ui::TypeChar(wchar_t(1));
    EXPECT_EQ(M->GetText(), L"\tx");
    EXPECT_EQ(M->GetSelStart(), 0);
    EXPECT_EQ(M->GetSelLength(), 2);
}

// ---- TEdit -------------------------------------------------------------------------------------

TEST_F(StdCtrlsTest, EditReportsChangesAndKeepsItsStateAcrossRecreation)
{
    auto* E = Add<TEdit>(Form, 10, 10, 150, 24);
    int Changes = 0;
    E->OnChange = [&](TObject*) { ++Changes; };
    E->SetText(L"hello");
    EXPECT_EQ(Changes, 1);
    E->SetFocus();
    E->SetSelStart(5);
    ui::TypeChar(L'!');
    EXPECT_EQ(E->GetText(), L"hello!");
    EXPECT_EQ(Changes, 2);
    EXPECT_TRUE(E->GetModified());
    E->SetSelStart(1);
    E->SetSelLength(3);
    EXPECT_EQ(E->GetSelText(), L"ell");

    E->SetMaxLength(3);
    E->SetText(L"");
    for (wchar_t C : String(L"abcdef")) ui::TypeChar(C);
    EXPECT_EQ(E->GetText(), L"abc");

    E->SetAlignment(taRightJustify);   // a new window, same text and events
    EXPECT_EQ(E->GetText(), L"abc");
    EXPECT_TRUE(GetWindowLongPtrW(E->GetHandle(), GWL_STYLE) & ES_RIGHT);
    E->SetReadOnly(true);
    ui::TypeChar(L'z');
    EXPECT_EQ(E->GetText(), L"abc");
    E->SetCharCase(ecUpperCase);
    EXPECT_EQ(E->GetText(), L"ABC");
}

// ---- Buttons -----------------------------------------------------------------------------------

TEST_F(StdCtrlsTest, ButtonClicksOnReleaseOnSpaceAndAsDefault)
{
    auto* B = Add<TButton>(Form, 10, 10, 75, 25);
    auto* E = Add<TEdit>(Form, 10, 50, 75, 24);
    int Clicks = 0;
    B->OnClick = [&](TObject*) { ++Clicks; };
    ui::MouseDown(B, mbLeft, 10, 10);
    EXPECT_EQ(Clicks, 0);
    ui::MouseUp(B, mbLeft, 10, 10);
    EXPECT_EQ(Clicks, 1);
    B->SetFocus();
    ui::PressKey(VK_SPACE);
    EXPECT_EQ(Clicks, 2);
    // Enter in an edit presses the default button; Esc the cancel button.
    B->SetDefault(true);
    E->SetFocus();
    ui::PressKey(VK_RETURN);
    EXPECT_EQ(Clicks, 3);
    B->SetModalResult(mrOk);
    B->SetCancel(true);
    ui::PressKey(VK_ESCAPE);
    EXPECT_EQ(Clicks, 4);
    EXPECT_EQ(Form->GetModalResult(), mrOk);
    Form->SetModalResult(mrNone);
}

TEST_F(StdCtrlsTest, CheckBoxTogglesOnceAndRadioButtonsExcludeEachOther)
{
    auto* C = Add<TCheckBox>(Form, 10, 10, 120, 20);
    int Clicks = 0;
    C->OnClick = [&](TObject*) { ++Clicks; };
    ui::Click(C, 5, 5);
    EXPECT_TRUE(C->GetChecked());
    C->SetFocus();
    ui::PressKey(VK_SPACE);
    EXPECT_FALSE(C->GetChecked());
    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(SendMessageW(C->GetHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    C->SetAllowGrayed(true);
    C->Toggle();
    EXPECT_EQ(C->GetState(), cbGrayed);
    EXPECT_EQ(SendMessageW(C->GetHandle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    C->Toggle();
    EXPECT_EQ(C->GetState(), cbChecked);

    // A key handler that toggles on Space itself: the press still toggles only once.
    C->SetAllowGrayed(false);
    C->SetChecked(false);
    C->OnKeyDown = [C](TObject*, Word& Key, TShiftState) {
        if (Key == VK_SPACE) C->Toggle();
    };
    ui::PressKey(VK_SPACE);
    EXPECT_TRUE(C->GetChecked());
    C->OnKeyDown = nullptr;
    ui::PressKey(VK_SPACE);
    EXPECT_FALSE(C->GetChecked());
    C->SetChecked(true);

    auto* R1 = Add<TRadioButton>(Form, 10, 40, 120, 20);
    auto* R2 = Add<TRadioButton>(Form, 10, 60, 120, 20);
    int R2Clicks = 0;
    R2->OnClick = [&](TObject*) { ++R2Clicks; };
    R1->SetChecked(true);
    ui::Click(R2, 5, 5);
    EXPECT_TRUE(R2->GetChecked());
    EXPECT_FALSE(R1->GetChecked());
    EXPECT_EQ(SendMessageW(R1->GetHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(R2Clicks, 1);
    EXPECT_TRUE(C->GetChecked());   // another kind of button is left alone
}

// ---- TComboBox ---------------------------------------------------------------------------------

TEST_F(StdCtrlsTest, ComboBoxEditKeysReachItsKeyEventsAndSelectionReportsChange)
{
    auto* C = Add<TComboBox>(Form, 10, 10, 150, 24);
    C->GetItems()->Add(L"Apple");
    C->GetItems()->AddObject(L"Banana", reinterpret_cast<TObject*>(INT_PTR(42)));
    C->GetItems()->Add(L"Cherry");
    std::vector<Word> Downs;
    String Pressed;
    int Changes = 0, Selects = 0;
    C->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { Downs.push_back(Key); };
    C->OnKeyPress = [&](TObject*, Char& Key) {
        Pressed += Key;
        if (Key == L'#') Key = 0;   // a handler may swallow the character
    };
    C->OnChange = [&](TObject*) { ++Changes; };
    C->OnSelect = [&](TObject*) { ++Selects; };
    C->SetAutoComplete(false);
    ASSERT_NE(C->GetEditHandle(), nullptr);
    C->SetFocus();
    EXPECT_TRUE(C->Focused());
    EXPECT_EQ(Form->GetActiveControl(), C);
    ui::PressKey(VK_HOME);
    ui::TypeChar(L'x');
    ui::TypeChar(L'#');
    EXPECT_EQ(Downs, std::vector<Word>{VK_HOME});
    EXPECT_EQ(Pressed, L"x#");
    EXPECT_EQ(C->GetText(), L"x");
    EXPECT_EQ(Changes, 1);

    C->SetItemIndex(1);
    EXPECT_EQ(C->GetText(), L"Banana");
    EXPECT_EQ(reinterpret_cast<INT_PTR>(C->GetItems()->Objects(1)), 42);
    // A selection made in the list: the events see the new text.
    String Seen;
    C->OnSelect = [&](TObject*) { ++Selects; Seen = C->GetText(); };
    SendMessageW(C->GetHandle(), CB_SETCURSEL, 2, 0);
    SendMessageW(Form->GetHandle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), LPARAM(C->GetHandle()));
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Seen, L"Cherry");

    // Auto-completion fills in the rest of the first matching item and selects it.
    C->SetAutoComplete(true);
    C->SetText(L"");
    ui::TypeChar(L'b');
    EXPECT_EQ(C->GetText(), L"Banana");
    EXPECT_EQ(C->GetSelStart(), 1);
    EXPECT_EQ(C->GetSelLength(), 5);
}

TEST_F(StdCtrlsTest, ComboBoxKeepsItemsAndSelectionAcrossRecreationAndWithoutWindow)
{
    std::unique_ptr<TComboBox> Loose(Create<TComboBox>(nullptr));
    Loose->GetItems()->Add(L"b");
    Loose->GetItems()->Add(L"a");
    Loose->SetItemIndex(1);
    EXPECT_EQ(Loose->GetText(), L"a");
    EXPECT_THROW(Loose->GetItems()->Get(5), EStringListError);

    auto* C = Add<TComboBox>(Form, 10, 10, 150, 24);
    C->SetStyle(csDropDownList);
    C->GetItems()->Add(L"b");
    C->GetItems()->Add(L"a");
    C->SetItemIndex(0);
    C->SetSorted(true);   // a new window, the items sorted
    EXPECT_EQ(C->GetItems()->Get(0), L"a");
    EXPECT_EQ(C->GetItems()->Count(), 2);
    C->SetText(L"a");
    EXPECT_EQ(C->GetItemIndex(), 0);
    C->SetText(L"none");
    EXPECT_EQ(C->GetItemIndex(), -1);
    EXPECT_THROW(C->GetItems()->Delete(2), EStringListError);
}

// ---- TListBox, TScrollBar ----------------------------------------------------------------------

TEST_F(StdCtrlsTest, ListBoxItemsSelectionAndClicks)
{
    auto* L = Add<TListBox>(Form, 10, 10, 120, 100);
    for (const wchar_t* S : {L"one", L"two", L"three"}) L->GetItems()->Add(S);
    int Clicks = 0;
    L->OnClick = [&](TObject*) { ++Clicks; };
    TRect R = L->ItemRect(1);
    ui::Click(L, R.Left + 5, R.Top + 2);
    EXPECT_EQ(L->GetItemIndex(), 1);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(L->ItemAtPos({R.Left + 5, R.Top + 2}, true), 1);
    EXPECT_EQ(L->ItemAtPos({5, 95}, true), -1);
    L->GetItems()->Delete(0);
    EXPECT_EQ(L->GetItems()->Get(0), L"two");
    L->SetItemIndex(7);   // out of range: no selection
    EXPECT_EQ(L->GetItemIndex(), -1);
    L->SetMultiSelect(true);
    L->SetSelected(0, true);
    L->SetSelected(1, true);
    EXPECT_EQ(L->GetSelCount(), 2);
    EXPECT_EQ(L->Count(), 2);
}

TEST_F(StdCtrlsTest, ScrollBarScrollsByItsMessagesWithinItsRange)
{
    auto* S = Add<TScrollBar>(Form, 10, 10, 17, 150);
    S->SetKind(sbVertical);
    S->SetParams(5, 0, 20);
    S->SetLargeChange(10);
    std::vector<TScrollCode> Codes;
    int Changes = 0;
    S->OnScroll = [&](TObject*, TScrollCode Code, int&) { Codes.push_back(Code); };
    S->OnChange = [&](TObject*) { ++Changes; };
    HWND W = S->GetHandle();
    SendMessageW(Form->GetHandle(), WM_VSCROLL, SB_LINEDOWN, LPARAM(W));
    EXPECT_EQ(S->GetPosition(), 6);
    SendMessageW(W, WM_VSCROLL, SB_PAGEDOWN, 0);   // forwarded to the bar itself
    EXPECT_EQ(S->GetPosition(), 16);
    SendMessageW(Form->GetHandle(), WM_VSCROLL, SB_PAGEDOWN, LPARAM(W));
    EXPECT_EQ(S->GetPosition(), 20);
    EXPECT_EQ(GetScrollPos(W, SB_CTL), 20);
    EXPECT_EQ(Codes, (std::vector<TScrollCode>{scLineDown, scPageDown, scPageDown}));
    EXPECT_EQ(Changes, 3);
    EXPECT_THROW(S->SetParams(0, 10, 5), EInvalidOperation);
    EXPECT_EQ(S->GetMax(), 20);
}

// ---- TLabel, TGroupBox -------------------------------------------------------------------------

TEST_F(StdCtrlsTest, LabelSizesToItsCaptionPaintsItAndFocusesItsControl)
{
    auto* L = Create<TLabel>(Form);
    L->SetParent(Form);
    L->SetBounds(10, 10, 10, 10);
    L->SetCaption(L"&Name of the field");
    int W1 = L->GetWidth();
    EXPECT_GT(W1, 40);
    EXPECT_GT(L->GetHeight(), 8);
    L->SetCaption(L"&N");
    EXPECT_LT(L->GetWidth(), W1);
    L->SetCaption(L"&Name of the field");

    // Painted by its parent: the caption's ink inside the label, nothing beside it.
    Form->SetColor(clWhite);
    TDibSurface S(300, 60);
    Form->PaintControls(S.DC(), nullptr);
    EXPECT_TRUE(S.HasInk(L->GetBoundsRect()));
    EXPECT_FALSE(S.HasInk(TRect{L->GetLeft() + L->GetWidth() + 2, 0, 300, 60}));

    auto* E = Add<TEdit>(Form, 10, 40, 100, 24);
    auto* Other = Add<TEdit>(Form, 10, 80, 100, 24);
    L->SetFocusControl(E);
    Other->SetFocus();
    ui::PressKey('N', TShiftState{ssAlt});
    EXPECT_TRUE(E->Focused());
    E->Free();   // the label forgets a control that goes
    EXPECT_EQ(L->GetFocusControl(), nullptr);
}

TEST_F(StdCtrlsTest, GroupBoxHoldsControlsBelowItsCaption)
{
    auto* G = Add<TGroupBox>(Form, 10, 10, 200, 120);
    G->SetCaption(L"Options");
    auto* C = Create<TCheckBox>(Form);
    C->SetAlign(alTop);
    C->SetParent(G);
    ui::Pump();
    EXPECT_GT(C->GetTop(), 8);
    EXPECT_EQ(GetParent(C->GetHandle()), G->GetHandle());
}

}  // namespace

namespace {

TEST(StdCtrlsRegistry, ControlsAreMadeAndSetByName)
{
    RegisterStdCtrls();
    std::unique_ptr<TPersistent> O(FindClass(L"TMemo")->CreateInstance(nullptr));
    auto* M = dynamic_cast<TMemo*>(O.get());
    ASSERT_NE(M, nullptr);
    SetPropValue(M, L"WordWrap", L"False");
    SetPropValue(M, L"ScrollBars", L"ssVertical");
    SetPropValue(M, L"Left", L"12");
    SetPropValue(M, L"Align", L"alClient");
    SetPropValue(M, L"Font.Height", L"-16");
    EXPECT_FALSE(M->GetWordWrap());
    EXPECT_EQ(M->GetScrollBars(), TScrollStyle::ssVertical);
    EXPECT_EQ(M->GetLeft(), 12);
    EXPECT_EQ(M->GetAlign(), alClient);
    EXPECT_EQ(M->GetFont()->GetHeight(), -16);
    EXPECT_EQ(GetPropValue(M, L"WantTabs"), L"False");
    EXPECT_THROW(SetPropValue(M, L"ScrollBars", L"ssSideways"), EPropertyError);
    EXPECT_THROW(SetPropValue(M, L"NoSuchProperty", L"1"), EPropertyError);
    for (const wchar_t* Name : {L"TEdit", L"TButton", L"TLabel", L"TCheckBox", L"TRadioButton", L"TGroupBox",
                                L"TComboBox", L"TListBox", L"TScrollBar"})
        EXPECT_NE(GetClass(Name), nullptr) << Name;
}

}  // namespace

namespace {

const wchar_t* const PanelText = LR"(object Panel1: TPanel
  Left = 10
  Top = 10
  Width = 300
  Height = 200
  BevelOuter = bvNone
  Caption = 'Panel1'
  object Label1: TLabel
    Left = 8
    Top = 8
    Caption = 'Navn'
    Font.Color = clRed
    Font.Height = -16
    ParentFont = False
  end
  object Memo1: TMemo
    Left = 8
    Top = 40
    Width = 150
    Height = 100
    Lines.Strings = (
      'first'
      '')
    ScrollBars = ssVertical
    TabOrder = 0
    WantTabs = True
  end
  object Edit1: TEdit
    Left = 170
    Top = 40
    Text = 'Edit1'
    TabOrder = 1
  end
  object Button1: TButton
    Left = 170
    Top = 80
    Caption = 'OK'
    Default = True
    TabOrder = 2
  end
end
)";

TEST(StdCtrlsRegistry, ADescriptionBuildsTheControlTreeAndWritesItBack)
{
    RegisterExtCtrls();
    std::unique_ptr<TComponent> Root(CreateComponentFromText(PanelText, nullptr));
    auto* P = dynamic_cast<TPanel*>(Root.get());
    ASSERT_NE(P, nullptr);
    ASSERT_EQ(P->ControlCount(), 4);
    auto* L = dynamic_cast<TLabel*>(P->FindChildControl(L"Label1"));
    auto* M = dynamic_cast<TMemo*>(P->FindChildControl(L"Memo1"));
    auto* E = dynamic_cast<TEdit*>(P->FindChildControl(L"Edit1"));
    auto* B = dynamic_cast<TButton*>(P->FindChildControl(L"Button1"));
    ASSERT_TRUE(L && M && E && B);
    EXPECT_EQ(P->GetBevelOuter(), bvNone);
    EXPECT_EQ(L->GetCaption(), L"Navn");
    EXPECT_EQ(L->GetFont()->GetColor(), clRed);
    EXPECT_FALSE(L->GetParentFont());
    // The stored lines, the last one empty: the text ends with two line breaks.
    EXPECT_EQ(M->GetText(), L"first\r\n\r\n");
    EXPECT_EQ(M->GetLines()->Count(), 2);
    EXPECT_TRUE(M->GetWantTabs());
    EXPECT_EQ(M->GetScrollBars(), TScrollStyle::ssVertical);
    EXPECT_EQ(E->GetText(), L"Edit1");
    EXPECT_EQ(E->GetTabOrder(), 1);
    EXPECT_TRUE(B->GetDefault());

    // On a form the tree shows at its stored places with its stored texts.
    auto* F = ui::NewForm(320, 220, 60, 60);
    ui::FormGuard G(F);
    F->SetCaption(L"Description");
    P->SetParent(F);
    ui::ShowAndActivate(F);
    auto ScreenRect = [](TWinControl* C) { RECT R; GetWindowRect(C->GetHandle(), &R); return R; };
    EXPECT_EQ(ScreenRect(E).left - ScreenRect(P).left, 170);
    EXPECT_EQ(ScreenRect(B).top - ScreenRect(P).top, 80);
    EXPECT_EQ(ScreenRect(M).right - ScreenRect(M).left, 150);
    wchar_t Buf[32] = {};
    GetWindowTextW(B->GetHandle(), Buf, 32);
    EXPECT_STREQ(Buf, L"OK");
    EXPECT_TRUE(CaptureWindowFromScreen(F->GetHandle())->SavePng(SnapshotPath(L"description_form.png")));
    P->SetParent(nullptr);

    String Written = WriteComponentText(P);
    for (const wchar_t* Part : {L"object Memo1: TMemo", L"WantTabs = True", L"Lines.Strings = (",
                                L"Default = True", L"BevelOuter = bvNone"})
        EXPECT_NE(Written.find(Part), String::npos) << Part;
    EXPECT_EQ(Written.find(L"WordWrap"), String::npos);   // defaults are not written

    String Bad = PanelText;
    Bad.insert(Bad.find(L"    WantTabs"), L"    Wobble = 1\r\n");
    try {
        std::unique_ptr<TComponent> Never(CreateComponentFromText(Bad, nullptr));
        ADD_FAILURE() << "an unknown property was accepted";
    } catch (const Exception& Ex) {
        EXPECT_NE(Ex.Message.find(L"Wobble"), String::npos) << Ex.Message;
    }
}

}  // namespace

// Adding items one at a time repaints the list and recounts its scroll bar each time (seconds
// for a few thousand items); inside an update the window is told once, and shows them after.
TEST_F(StdCtrlsTest, ListBoxTakesManyItemsInOneUpdateAndShowsThemAfter)
{
    auto* L = Add<TListBox>(Form, 10, 10, 120, 100);
    auto* Hidden = Add<TListBox>(Form, 150, 10, 120, 100);
    Hidden->SetVisible(false);
    ui::Pump();
    DWORD T0 = GetTickCount();
    for (TListBox* B : {L, Hidden}) {
        B->GetItems()->BeginUpdate();
        for (int I = 0; I < 10000; ++I) B->GetItems()->Add(L"item " + IntToStr(I));
        B->GetItems()->EndUpdate();
    }
    EXPECT_LT(GetTickCount() - T0, 20000u);
    EXPECT_EQ(L->Count(), 10000);
    EXPECT_EQ(L->GetItems()->Get(9999), L"item 9999");
    EXPECT_FALSE(IsWindowVisible(Hidden->GetHandle()));
    ui::Pump();
    auto Shot = CaptureWindowAsShown(L->GetHandle());
    TRect FirstItem{4, 4, 60, 14};
    EXPECT_TRUE(IsWindowVisible(L->GetHandle()));
    EXPECT_GT(Shot->CountColor(FirstItem, ColorToRGB(clWindow)), 100);
    EXPECT_GT(Shot->InkCount(FirstItem, ColorToRGB(clWindow)), 5);
}
