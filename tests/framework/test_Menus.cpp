// test-needs: desktop
// Menus on real windows: the item tree and its platform menus, invisible items left out and
// unreachable, checked and radio items, commands from the menu bar, pop-up menus through the
// tracking seam and the platform's modal loop, and ownership of the items.
#include "framework/Menus.h"
#include "framework/TypInfo.h"
#include "support/UiHarness.h"

namespace {

String NativeText(HMENU Menu, int Pos)
{
    wchar_t Buf[128] = {};
    GetMenuStringW(Menu, UINT(Pos), Buf, 128, MF_BYPOSITION);
    return Buf;
}

UINT NativeState(HMENU Menu, TMenuItem* Item)
{
    return GetMenuState(Menu, Item->GetCommand(), MF_BYCOMMAND);
}

class MenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(300, 200);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Menu = Create<TMainMenu>(Form);
        // The editor's menu: every top entry but "Hjælp" invisible.
        Filer = Item(Menu->GetItems(), L"Filer", false);
        for (const wchar_t* C : {L"Åbn", L"Gem", L"Gem som", L"Afslut"}) Item(Filer, C);
        Input = Item(Menu->GetItems(), L"Input", false);
        NV1 = Item(Input, L"N - V - Ø -S (Skriftretning)");
        N1 = Item(Input, L"N - Ø - S - V (Kompas)");
        Diagram1 = Item(Input, L"Diagram");
        NV1->SetChecked(true);
        Hjlp1 = Item(Menu->GetItems(), L"Hj&ælp");
        for (TMenuItem* I : {NV1, N1, Diagram1, Hjlp1, Filer->Items(0)})
            I->OnClick = [this](TObject* S) { Clicked.push_back(static_cast<TMenuItem*>(S)); };
    }
    TMenuItem* Item(TMenuItem* Parent, const wchar_t* Caption, bool Visible = true)
    {
        TMenuItem* I = Create<TMenuItem>(Form);
        I->SetCaption(Caption);
        I->SetVisible(Visible);
        Parent->Add(I);
        return I;
    }
    void SendCommand(TMenuItem* I)
    {
        SendMessageW(Form->GetHandle(), WM_COMMAND, MAKEWPARAM(I->GetCommand(), 0), 0);
    }
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TMainMenu* Menu = nullptr;
    TMenuItem *Filer = nullptr, *Input = nullptr, *NV1 = nullptr, *N1 = nullptr, *Diagram1 = nullptr,
              *Hjlp1 = nullptr;
    std::vector<TMenuItem*> Clicked;
};

TEST_F(MenusTest, MenuBarShowsOnlyVisibleItemsAndFollowsChanges)
{
    Menu->SetWindowHandle(Form->GetHandle());
    HMENU Bar = GetMenu(Form->GetHandle());
    ASSERT_EQ(Bar, Menu->GetHandle());
    ASSERT_EQ(GetMenuItemCount(Bar), 1);
    EXPECT_EQ(NativeText(Bar, 0), L"Hj&ælp");

    Filer->SetVisible(true);
    ASSERT_EQ(GetMenuItemCount(Bar), 2);
    EXPECT_EQ(NativeText(Bar, 0), L"Filer");
    HMENU Sub = GetSubMenu(Bar, 0);
    ASSERT_NE(Sub, nullptr);
    EXPECT_EQ(GetMenuItemCount(Sub), 4);
    Filer->Items(1)->SetVisible(false);
    Filer->Items(2)->SetCaption(L"Gem under nyt navn");
    Sub = GetSubMenu(Bar, 0);
    EXPECT_EQ(GetMenuItemCount(Sub), 3);
    EXPECT_EQ(NativeText(Sub, 1), L"Gem under nyt navn");
    Filer->Items(0)->SetEnabled(false);
    EXPECT_TRUE(NativeState(Bar, Filer->Items(0)) & MF_GRAYED);

    Menu->SetWindowHandle(nullptr);
    EXPECT_EQ(GetMenu(Form->GetHandle()), nullptr);
    EXPECT_TRUE(IsMenu(Bar));
}

TEST_F(MenusTest, CommandsReachOnlyVisibleEnabledItems)
{
    Menu->SetWindowHandle(Form->GetHandle());
    SendCommand(Hjlp1);
    ASSERT_EQ(Clicked.size(), 1u);
    EXPECT_EQ(Clicked[0], Hjlp1);

    // Items under an invisible entry cannot be chosen, not even by their command number.
    Clicked.clear();
    SendCommand(N1);
    SendCommand(Filer->Items(0));
    EXPECT_FALSE(Menu->DispatchCommand(N1->GetCommand()));
    EXPECT_TRUE(Clicked.empty());
    EXPECT_TRUE(NV1->GetChecked());

    Input->SetVisible(true);
    N1->SetEnabled(false);
    SendCommand(N1);
    EXPECT_TRUE(Clicked.empty());
    N1->SetEnabled(true);
    SendCommand(N1);
    ASSERT_EQ(Clicked.size(), 1u);
    EXPECT_EQ(Clicked[0], N1);
    // A sub-menu entry is not an action, and unknown numbers do nothing.
    EXPECT_FALSE(Menu->DispatchCommand(Input->GetCommand()));
    EXPECT_FALSE(Menu->DispatchCommand(0xFFF0));
}

TEST_F(MenusTest, CheckedAndRadioItems)
{
    HMENU Bar = Menu->GetHandle();
    Input->SetVisible(true);
    EXPECT_TRUE(NativeState(Bar, NV1) & MF_CHECKED);
    // Plain items: each keeps its own mark.
    N1->SetChecked(true);
    EXPECT_TRUE(NV1->GetChecked());
    N1->SetChecked(false);

    // Radio items of one group: one checked at a time; another group is left alone.
    for (TMenuItem* I : {NV1, N1, Diagram1}) I->SetRadioItem(true);
    Diagram1->SetGroupIndex(2);
    Diagram1->SetChecked(true);
    EXPECT_TRUE(NV1->GetChecked());
    N1->SetChecked(true);
    EXPECT_FALSE(NV1->GetChecked());
    EXPECT_TRUE(Diagram1->GetChecked());
    EXPECT_TRUE(NativeState(Bar, N1) & MF_CHECKED);
    EXPECT_FALSE(NativeState(Bar, NV1) & MF_CHECKED);

    // Automatic checking on click: a radio item checks itself, a plain one toggles.
    NV1->SetAutoCheck(true);
    NV1->Click();
    EXPECT_TRUE(NV1->GetChecked());
    EXPECT_FALSE(N1->GetChecked());
    Hjlp1->SetAutoCheck(true);
    Hjlp1->Click();
    Hjlp1->Click();
    EXPECT_FALSE(Hjlp1->GetChecked());
    EXPECT_EQ(Clicked.size(), 3u);
}

TEST_F(MenusTest, TreeEditingAndOwnership)
{
    TMenuItem* Root = Menu->GetItems();
    EXPECT_EQ(Root->Count(), 3);
    EXPECT_EQ(Root->Find(L"hjælp"), Hjlp1);   // hotkey mark and case ignored
    EXPECT_EQ(Root->Find(L"Sprog"), nullptr);
    EXPECT_EQ(NV1->GetParentMenu(), Menu);

    Hjlp1->SetMenuIndex(0);
    EXPECT_EQ(Root->Items(0), Hjlp1);
    Input->Add(Hjlp1);                         // moves between parents
    EXPECT_EQ(Root->Count(), 2);
    EXPECT_EQ(Hjlp1->GetParent(), Input);
    EXPECT_EQ(Input->IndexOf(Hjlp1), 3);

    EXPECT_THROW(Input->Add(Input), EMenuError);
    EXPECT_THROW(NV1->Add(Input), EMenuError);   // an ancestor
    EXPECT_THROW(Root->Items(7), EMenuError);
    EXPECT_THROW(Root->Insert(9, Create<TMenuItem>(Form)), EMenuError);

    // Freeing an entry frees what is below it; freeing an item takes it out of its parent.
    Diagram1->Free();
    EXPECT_EQ(Input->Count(), 3);
    int Before = Form->ComponentCount();
    Input->Free();
    EXPECT_EQ(Form->ComponentCount(), Before - 4);
    EXPECT_EQ(Root->Count(), 1);
    // The rest goes with the form (the guard), the menu before or after its items.
}

TEST_F(MenusTest, MenuOutlivesItsWindowAndAttachesAgain)
{
    TForm* Other = ui::NewForm(200, 100);
    Menu->SetWindowHandle(Other->GetHandle());
    Other->Free();
    ui::Pump();
    EXPECT_EQ(Menu->GetWindowHandle(), nullptr);
    EXPECT_TRUE(IsMenu(Menu->GetHandle()));
    Menu->SetWindowHandle(Form->GetHandle());
    EXPECT_EQ(GetMenuItemCount(GetMenu(Form->GetHandle())), 1);
    SendCommand(Hjlp1);
    EXPECT_EQ(Clicked.size(), 1u);
}

TEST_F(MenusTest, PopupMenuThroughTheSeamAndThePlatformLoop)
{
    TPopupMenu* Popup = Create<TPopupMenu>(Form);
    int Popups = 0, Closes = 0;
    Popup->OnPopup = [&](TObject*) { ++Popups; };
    Popup->OnClose = [&](TObject*) { ++Closes; };
    // An empty pop-up attached to nothing opens and closes quietly.
    Popup->Popup(50, 50);
    EXPECT_EQ(Popups, 1);

    TMenuItem* A = Item(Popup->GetItems(), L"Kopiér");
    TMenuItem* Hidden = Item(Popup->GetItems(), L"Skjult", false);
    Item(Popup->GetItems(), L"-");
    TMenuItem* B = Item(Popup->GetItems(), L"Vælg alt");
    for (TMenuItem* I : {A, Hidden, B})
        I->OnClick = [this](TObject* S) { Clicked.push_back(static_cast<TMenuItem*>(S)); };
    std::vector<String> Shown;
    UINT Answer = 0;
    PopupMenuTrackProc = [&](TPopupMenu*, HMENU H, int X, int Y) {
        Shown.clear();
        for (int I = 0; I < GetMenuItemCount(H); ++I) Shown.push_back(NativeText(H, I));
        EXPECT_EQ(X, 120);
        return Answer;
    };
    Answer = B->GetCommand();
    Popup->Popup(120, 80);
    EXPECT_EQ(Shown, (std::vector<String>{L"Kopiér", L"", L"Vælg alt"}));
    ASSERT_EQ(Clicked.size(), 1u);
    EXPECT_EQ(Clicked[0], B);
    Answer = Hidden->GetCommand();
    Popup->Popup(120, 80);
    EXPECT_EQ(Clicked.size(), 1u);
    PopupMenuTrackProc = nullptr;

    // The platform's own modal loop, closed from a timer without a choice.
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR Id, DWORD) {
        KillTimer(nullptr, Id);
        EndMenu();
    });
    Popup->Popup(100, 100);
    EXPECT_EQ(Clicked.size(), 1u);
    EXPECT_EQ(Popups, 4);
    EXPECT_EQ(Closes, 4);
}

TEST(Menus, ItemsByName)
{
    RegisterMenuClasses();
    TMainMenu* M = Create<TMainMenu>(nullptr);
    TMenuItem* I = Create<TMenuItem>(M);
    SetPropValue(I, L"Caption", L"Dansk");
    SetPropValue(I, L"Checked", L"True");
    SetPropValue(I, L"RadioItem", L"True");
    EXPECT_TRUE(I->GetChecked() && I->GetRadioItem());
    EXPECT_EQ(GetPropValue(I, L"Visible"), L"True");
    GetClass(L"TMenuItem")->FindSetParentProc()->operator()(I, M);
    EXPECT_EQ(M->GetItems()->Items(0), I);
    EXPECT_EQ(GetClass(L"TMainMenu")->FindGetChildrenProc()->operator()(M, nullptr).size(), 1u);
    M->Free();
}

}  // namespace
