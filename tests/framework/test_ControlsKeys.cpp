// test-needs: desktop
// The keyboard pipeline through the application's loop step: Tab and Shift+Tab through the tab
// order, arrows between siblings, special keys a control keeps, the form's key preview, Enter and
// Esc to the default and cancel buttons, and dialog characters.
#include "test_ControlsKit.h"

namespace {

class KeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(300, 200);
        Guard = std::make_unique<ui::FormGuard>(Form);
    }
    TWinControl* Focused()
    {
        return FindControl(GetFocus());
    }
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
};

TEST_F(KeysTest, TabWalksEveryFocusableControlInTabOrderIncludingOffScreen)
{
    auto* A = AddControl<TTestBox>(Form, 10, 10, 60, 24, L"A");
    auto* Hidden = AddControl<TTestBox>(Form, 10, 40, 60, 24, L"Hidden");
    auto* Disabled = AddControl<TTestBox>(Form, 10, 70, 60, 24, L"Disabled");
    auto* NoStop = AddControl<TTestBox>(Form, 10, 100, 60, 24, L"NoStop");
    auto* Panel = AddControl<TTestPanel>(Form, 100, 10, 150, 100, L"Panel");
    auto* Inner = AddControl<TTestBox>(Panel, 10, 10, 60, 24, L"Inner");
    // Far below the client area, yet enabled and visible: Tab must reach it.
    auto* Far = AddControl<TTestBox>(Form, 10, 5000, 60, 24, L"Far");
    Hidden->SetVisible(false);
    Disabled->SetEnabled(false);
    NoStop->SetTabStop(false);
    Panel->SetTabStop(false);
    ui::ShowAndActivate(Form);
    A->SetFocus();
    ASSERT_EQ(Focused(), A);

    std::vector<TWinControl*> Forward;
    for (int I = 0; I < 3; ++I) {
        ui::PressKey(VK_TAB);
        Forward.push_back(Focused());
    }
    EXPECT_EQ(Forward, (std::vector<TWinControl*>{Inner, Far, A}));
    EXPECT_EQ(Form->GetActiveControl(), A);
    EXPECT_TRUE(A->KeysDown.empty());   // Tab became a dialog key, not a key event

    ui::PressKey(VK_TAB, TShiftState{ssShift});
    EXPECT_EQ(Focused(), Far);
    ui::PressKey(VK_TAB, TShiftState{ssShift});
    EXPECT_EQ(Focused(), Inner);

    // A new tab order takes effect at once.
    Far->SetTabOrder(0);
    A->SetFocus();
    ui::PressKey(VK_TAB, TShiftState{ssShift});
    EXPECT_EQ(Focused(), Far);
}

TEST_F(KeysTest, EnterAndExitFollowTheFocus)
{
    auto* A = AddControl<TTestBox>(Form, 10, 10, 60, 24);
    auto* B = AddControl<TTestBox>(Form, 10, 40, 60, 24);
    ui::ShowAndActivate(Form);
    A->SetFocus();
    int EnterA = A->Enters;
    ui::PressKey(VK_TAB);
    EXPECT_EQ(A->Exits, 1);
    EXPECT_EQ(B->Enters, 1);
    EXPECT_EQ(A->Enters, EnterA);
    EXPECT_EQ(Screen->GetActiveControl(), B);
    // Hiding the focused control gives the focus up.
    B->SetVisible(false);
    EXPECT_NE(Form->GetActiveControl(), B);
}

TEST_F(KeysTest, TabPostedToTheFormOrAPanelMovesOnFromTheActiveControl)
{
    auto* A = AddControl<TTestBox>(Form, 10, 10, 60, 24);
    auto* Panel = AddControl<TTestPanel>(Form, 100, 10, 150, 100);
    auto* B = AddControl<TTestBox>(Panel, 10, 10, 60, 24);
    auto* C = AddControl<TTestBox>(Form, 10, 40, 60, 24);
    Panel->SetTabStop(false);
    ui::ShowAndActivate(Form);
    EXPECT_EQ(Focused(), A);   // activation focuses the first tab stop
    // A Tab handed over to the form window, as another control passes it on.
    ::SetFocus(Form->GetHandle());
    ui::PressKey(VK_TAB, {}, Form->GetHandle());
    EXPECT_EQ(Focused(), B);
    ui::PressKey(VK_TAB, {}, Panel->GetHandle());
    EXPECT_EQ(Focused(), C);
}

TEST_F(KeysTest, ArrowsMoveBetweenSiblingsUnlessTheControlWantsThem)
{
    auto* A = AddControl<TTestBox>(Form, 10, 10, 60, 24);
    auto* B = AddControl<TTestBox>(Form, 10, 40, 60, 24);
    ui::ShowAndActivate(Form);
    A->SetFocus();
    ui::PressKey(VK_DOWN);
    EXPECT_EQ(Focused(), B);
    ui::PressKey(VK_UP);
    EXPECT_EQ(Focused(), A);

    A->DlgCode = DLGC_WANTARROWS;
    ui::PressKey(VK_DOWN);
    EXPECT_EQ(Focused(), A);
    ASSERT_FALSE(A->KeysDown.empty());
    EXPECT_EQ(A->KeysDown.back(), VK_DOWN);
}

TEST_F(KeysTest, ControlThatWantsTabGetsItAsAKey)
{
    auto* A = AddControl<TTestBox>(Form, 10, 10, 60, 24);
    AddControl<TTestBox>(Form, 10, 40, 60, 24);
    ui::ShowAndActivate(Form);
    A->SetFocus();
    A->WantKeys = {VK_TAB, VK_RETURN};
    ui::PressKey(VK_TAB);
    EXPECT_EQ(Focused(), A);
    EXPECT_EQ(A->KeysDown, (std::vector<Word>{VK_TAB}));
}

TEST_F(KeysTest, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst)
{
    auto* A = AddControl<TTestBox>(Form, 10, 10, 60, 24);
    ui::ShowAndActivate(Form);
    A->SetFocus();
    std::vector<std::string> Order;
    Form->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
        Order.push_back("form");
        if (Key == 'X') Key = 0;   // swallowed
    };
    Form->OnKeyPress = [&](TObject*, Char& Key) {
        if (Key == L'a') Key = L'b';   // changed on its way
    };
    A->OnKeyDown = [&](TObject*, Word&, TShiftState) { Order.push_back("control"); };

    ui::PressKey('Y');
    EXPECT_TRUE(Order.empty() || Order == std::vector<std::string>{"control"});
    Order.clear();

    Form->SetKeyPreview(true);
    ui::PressKey('Y');
    EXPECT_EQ(Order, (std::vector<std::string>{"form", "control"}));
    Order.clear();
    ui::PressKey('X');
    EXPECT_EQ(Order, (std::vector<std::string>{"form"}));

    A->Chars.clear();
    ui::TypeChar(L'a');
    EXPECT_EQ(A->Chars, (std::vector<Char>{L'b'}));

    // The modifiers come from the thread's key state.
    TShiftState Seen;
    A->OnKeyDown = [&](TObject*, Word&, TShiftState S) { Seen = S; };
    ui::PressKey('Z', TShiftState{ssCtrl, ssShift});
    EXPECT_TRUE(Seen.Contains(ssCtrl));
    EXPECT_TRUE(Seen.Contains(ssShift));
}

TEST_F(KeysTest, EnterAndEscReachTheDefaultAndCancelButtons)
{
    auto* Box = AddControl<TTestBox>(Form, 10, 10, 60, 24);
    auto* Ok = AddControl<TTestButton>(Form, 10, 100, 60, 24);
    auto* Cancel = AddControl<TTestButton>(Form, 80, 100, 60, 24);
    Ok->Default = true;
    Cancel->Cancel = true;
    ui::ShowAndActivate(Form);
    Box->SetFocus();
    ui::PressKey(VK_RETURN);
    EXPECT_EQ(Ok->Clicks, 1);
    EXPECT_EQ(Cancel->Clicks, 0);
    ui::PressKey(VK_ESCAPE);
    EXPECT_EQ(Cancel->Clicks, 1);

    // A control that keeps Enter for itself.
    Box->WantKeys = {VK_RETURN};
    ui::PressKey(VK_RETURN);
    EXPECT_EQ(Ok->Clicks, 1);
    EXPECT_EQ(Box->KeysDown.back(), VK_RETURN);
}

// Answers one accelerator character.
class TAccel : public TTestSwatch {
    DECLARE_CLASS(TAccel, TTestSwatch)
public:
    explicit TAccel(TComponent* AOwner) : TTestSwatch(AOwner) {}
    int Hits = 0;
    void Dispatch(TMessage& M) override
    {
        if (M.Msg == CM_DIALOGCHAR && (M.WParam == L'k' || M.WParam == L'K')) {
            ++Hits;
            M.Result = 1;
            return;
        }
        inherited::Dispatch(M);
    }
};

TEST_F(KeysTest, DialogCharactersReachAcceleratorsBeforeTheControl)
{
    auto* Box = AddControl<TTestBox>(Form, 10, 10, 60, 24);
    auto* Accel = AddControl<TAccel>(Form, 100, 10, 20, 20);
    ui::ShowAndActivate(Form);
    Box->SetFocus();
    ui::TypeChar(L'k');
    EXPECT_EQ(Accel->Hits, 1);
    EXPECT_TRUE(Box->Chars.empty());
    ui::TypeChar(L'q');
    EXPECT_EQ(Box->Chars, (std::vector<Char>{L'q'}));
    // A control that wants characters keeps them all.
    Box->DlgCode = DLGC_WANTCHARS;
    ui::TypeChar(L'k');
    EXPECT_EQ(Accel->Hits, 1);
    EXPECT_EQ(Box->Chars.back(), L'k');
}

TEST_F(KeysTest, SetFocusOnAHiddenFormRemembersAndAnInvisibleControlRefuses)
{
    auto* A = AddControl<TTestBox>(Form, 10, 10, 60, 24);
    auto* B = AddControl<TTestBox>(Form, 10, 40, 60, 24);
    B->SetFocus();   // the form is not on the screen yet
    EXPECT_EQ(Form->GetActiveControl(), B);
    ui::ShowAndActivate(Form);
    EXPECT_EQ(Focused(), B);
    A->SetVisible(false);
    EXPECT_FALSE(A->CanFocus());
    EXPECT_THROW(A->SetFocus(), EInvalidOperation);
    EXPECT_EQ(Focused(), B);
}

}  // namespace
