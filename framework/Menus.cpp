// Menus: the item tree and its platform menus.
#include "Menus.h"

#include "Forms.h"
#include "ImgList.h"
#include "TypInfo.h"

#include <commctrl.h>

#include <set>

std::function<UINT(TPopupMenu* Menu, HMENU Handle, int X, int Y)> PopupMenuTrackProc;

namespace {

// Command numbers in use; the platform reports 16-bit numbers, 0 meaning "none".
std::set<Word>& UsedCommands()
{
    static std::set<Word> Used;
    return Used;
}

Word NewCommand()
{
    static Word Next = 0;
    std::set<Word>& Used = UsedCommands();
    if (Used.size() >= 0xFFFE) throw EMenuError(L"Too many menu items");
    do {
        ++Next;
    } while (Next == 0 || Used.count(Next));
    Used.insert(Next);
    return Next;
}

void FreeCommand(Word Command)
{
    if (Command) UsedCommands().erase(Command);
}

HWND PopupOwnerWindow()
{
    static HWND Wnd = nullptr;
    if (!Wnd || !IsWindow(Wnd))
        Wnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    return Wnd;
}

}  // namespace

String StripHotkey(const String& Text)
{
    String R;
    R.reserve(Text.size());
    for (size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == L'&') {
            if (I + 1 < Text.size() && Text[I + 1] == L'&') R += L'&', ++I;
            continue;
        }
        R += Text[I];
    }
    return R;
}

// ---- TMenuItem ---------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(NewCommand()) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    while (!FItems.empty()) {
        TMenuItem* Child = FItems.back();
        FItems.pop_back();
        Child->FParent = nullptr;
        Child->Free();
    }
    if (FParent) FParent->Remove(this);
    FreeCommand(FCommand);
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* I = this;
    while (I->FParent) I = I->FParent;
    return I->FMenu;
}

void TMenuItem::MenuChanged()
{
    if (TMenu* M = GetParentMenu()) M->MenuChanged();
}

void TMenuItem::SetCaption(const String& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    MenuChanged();
}

void TMenuItem::TurnSiblingsOff()
{
    if (!FParent) return;
    for (TMenuItem* S : FParent->FItems)
        if (S != this && S->FRadioItem && S->FGroupIndex == FGroupIndex) S->FChecked = false;
}

void TMenuItem::SetChecked(bool Value)
{
    if (FChecked == Value) return;
    FChecked = Value;
    if (Value && FRadioItem) TurnSiblingsOff();
    MenuChanged();
}

void TMenuItem::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    MenuChanged();
}

void TMenuItem::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    MenuChanged();
}

void TMenuItem::SetRadioItem(bool Value)
{
    if (FRadioItem == Value) return;
    FRadioItem = Value;
    if (FChecked && FRadioItem) TurnSiblingsOff();
    MenuChanged();
}

void TMenuItem::SetGroupIndex(Byte Value)
{
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    if (FChecked && FRadioItem) TurnSiblingsOff();
    MenuChanged();
}

void TMenuItem::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    MenuChanged();
}

void TMenuItem::SetDefault(bool Value)
{
    if (FDefault == Value) return;
    FDefault = Value;
    MenuChanged();
}

TMenuItem* TMenuItem::Items(int Index) const
{
    if (Index < 0 || size_t(Index) >= FItems.size())
        throw EMenuError(Consts::SMenuIndexError, {Index});
    return FItems[size_t(Index)];
}

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (!Item) throw EMenuError(L"No menu item to insert");
    for (const TMenuItem* A = this; A; A = A->FParent)
        if (A == Item) throw EMenuError(L"A menu item cannot hold itself");
    if (Index < 0 || size_t(Index) > FItems.size())
        throw EMenuError(Consts::SMenuIndexError, {Index});
    if (Item->FParent) {
        TMenuItem* Old = Item->FParent;
        int At = Old->IndexOf(Item);
        if (Old == this && At < Index) --Index;
        Old->Delete(At);
    }
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    if (Item->FChecked && Item->FRadioItem) Item->TurnSiblingsOff();
    MenuChanged();
}

void TMenuItem::Add(TMenuItem* Item)
{
    Insert(Count() - (Item && Item->FParent == this ? 1 : 0), Item);
}

void TMenuItem::Delete(int Index)
{
    TMenuItem* Item = Items(Index);
    FItems.erase(FItems.begin() + Index);
    Item->FParent = nullptr;
    MenuChanged();
}

void TMenuItem::Remove(TMenuItem* Item)
{
    int I = IndexOf(Item);
    if (I < 0) throw EMenuError(L"The menu item is not in this menu");
    Delete(I);
}

void TMenuItem::Clear()
{
    while (!FItems.empty()) FItems.back()->Free();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const
{
    for (size_t I = 0; I < FItems.size(); ++I)
        if (FItems[I] == Item) return int(I);
    return -1;
}

TMenuItem* TMenuItem::Find(const String& ACaption) const
{
    String Want = StripHotkey(ACaption);
    for (TMenuItem* I : FItems)
        if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, StripHotkey(I->FCaption).c_str(), -1,
                           Want.c_str(), -1) == CSTR_EQUAL)
            return I;
    return nullptr;
}

int TMenuItem::GetMenuIndex() const
{
    return FParent ? FParent->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int Value)
{
    if (!FParent) return;
    TMenuItem* P = FParent;
    int Last = P->Count() - 1;
    if (Value < 0) Value = 0;
    if (Value > Last) Value = Last;
    P->Delete(P->IndexOf(this));
    P->Insert(Value, this);
}

bool TMenuItem::IsReachable() const
{
    for (const TMenuItem* I = this; I && I->FParent; I = I->FParent)
        if (!I->FVisible || !I->FEnabled) return false;
    return true;
}

void TMenuItem::Click()
{
    if (FAutoCheck) SetChecked(FRadioItem ? true : !FChecked);
    if (OnClick) OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* Value)
{
    if (auto* M = dyn<TMenu>(Value)) M->GetItems()->Add(this);
    else if (auto* I = dyn<TMenuItem>(Value)) I->Add(this);
    else if (Value) throw EMenuError(L"A menu item belongs in a menu or a menu item");
}

// ---- TMenu -------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner)
{
    FItems.reset(Create<TMenuItem>(this));
    FItems->FMenu = this;
}

TMenu::~TMenu()
{
    Destroying();
    FItems.reset();
    if (FHandle) {
        if (IsMenu(FHandle)) DestroyMenu(FHandle);
        FHandle = nullptr;
    }
}

void TMenu::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    FImages = Value;
    if (Value) FreeNotification(Value);
    MenuChanged();
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

HMENU TMenu::GetHandle()
{
    if (FHandle && !IsMenu(FHandle)) FHandle = nullptr;   // destroyed with a window
    if (!FHandle) {
        FHandle = CreateMenuHandle();
        if (!FHandle) throw EMenuError(L"Cannot create a menu");
        FillMenu(FHandle, FItems.get());
    }
    return FHandle;
}

void TMenu::ClearMenu(HMENU Menu)
{
    // Deleting a pop-up entry also destroys its sub-menu.
    while (GetMenuItemCount(Menu) > 0) DeleteMenu(Menu, 0, MF_BYPOSITION);
}

void TMenu::FillMenu(HMENU Menu, TMenuItem* Parent)
{
    UINT Pos = 0;
    for (TMenuItem* I : Parent->FItems) {
        if (!I->FVisible) continue;
        MENUITEMINFOW Info{};
        Info.cbSize = sizeof Info;
        Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
        Info.wID = I->FCommand;
        Info.dwItemData = reinterpret_cast<ULONG_PTR>(I);
        String Text = I->FCaption;
        if (I->IsLine()) {
            Info.fType = MFT_SEPARATOR;
        } else {
            Info.fMask |= MIIM_STRING;
            Info.fType = MFT_STRING | (I->FRadioItem ? MFT_RADIOCHECK : 0);
            Info.dwTypeData = Text.data();
            Info.cch = UINT(Text.size());
            Info.fState = (I->FChecked ? MFS_CHECKED : 0) | (I->FEnabled ? 0 : MFS_GRAYED) |
                          (I->FDefault ? MFS_DEFAULT : 0);
            if (!I->FItems.empty()) {
                Info.fMask |= MIIM_SUBMENU;
                Info.hSubMenu = CreatePopupMenu();
                FillMenu(Info.hSubMenu, I);
            }
        }
        InsertMenuItemW(Menu, Pos++, TRUE, &Info);
    }
}

void TMenu::Rebuild()
{
    if (!FHandle) return;
    if (!IsMenu(FHandle)) {
        FHandle = nullptr;
        return;
    }
    ClearMenu(FHandle);
    FillMenu(FHandle, FItems.get());
}

void TMenu::MenuChanged()
{
    if (IsDestroying() || !FItems) return;
    Rebuild();
    if (OnChange) OnChange(this);
}

TMenuItem* TMenu::FindItem(Word Command) const
{
    if (!Command || !FItems) return nullptr;
    std::vector<TMenuItem*> Stack{FItems.get()};
    while (!Stack.empty()) {
        TMenuItem* I = Stack.back();
        Stack.pop_back();
        if (I != FItems.get() && I->FCommand == Command) return I;
        Stack.insert(Stack.end(), I->FItems.begin(), I->FItems.end());
    }
    return nullptr;
}

bool TMenu::DispatchCommand(Word Command)
{
    TMenuItem* I = FindItem(Command);
    if (!I || !I->IsReachable() || !I->FItems.empty()) return false;
    I->Click();
    return true;
}

// ---- TMainMenu ---------------------------------------------------------------------------------

TMainMenu::~TMainMenu()
{
    SetWindowHandle(nullptr);
}

void TMainMenu::SetWindowHandle(HWND Wnd)
{
    if (FWindowHandle == Wnd) return;
    if (FWindowHandle && IsWindow(FWindowHandle)) {
        if (::GetMenu(FWindowHandle) == FHandle) ::SetMenu(FWindowHandle, nullptr);
        RemoveWindowSubclass(FWindowHandle, MenuWindowProc, reinterpret_cast<UINT_PTR>(this));
    }
    FWindowHandle = nullptr;
    if (!Wnd) return;
    ::SetMenu(Wnd, GetHandle());
    SetWindowSubclass(Wnd, MenuWindowProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    FWindowHandle = Wnd;
    DrawMenuBar(Wnd);
}

void TMainMenu::MenuChanged()
{
    TMenu::MenuChanged();
    if (FWindowHandle && !IsDestroying()) {
        if (::GetMenu(FWindowHandle) != FHandle) ::SetMenu(FWindowHandle, GetHandle());
        DrawMenuBar(FWindowHandle);
    }
}

LRESULT CALLBACK TMainMenu::MenuWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR Id,
                                           DWORD_PTR Data)
{
    auto* Self = reinterpret_cast<TMainMenu*>(Data);
    switch (Msg) {
    case WM_COMMAND:
        if (HIWORD(WParam) == 0 && LParam == 0) {
            try {
                if (Self->DispatchCommand(LOWORD(WParam))) return 0;
            } catch (...) {
                if (Application) Application->HandleException(Self);
                return 0;
            }
        }
        break;
    case WM_DESTROY:
        // The window would destroy the menu with itself: take it back first.
        if (::GetMenu(Wnd) == Self->FHandle) ::SetMenu(Wnd, nullptr);
        RemoveWindowSubclass(Wnd, MenuWindowProc, Id);
        Self->FWindowHandle = nullptr;
        break;
    }
    return DefSubclassProc(Wnd, Msg, WParam, LParam);
}

// ---- TPopupMenu --------------------------------------------------------------------------------

void TPopupMenu::DoPopup(TObject* Sender)
{
    if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y)
{
    FPopupPoint = {X, Y};
    DoPopup(this);
    HMENU Menu = GetHandle();
    Rebuild();
    UINT Command = 0;
    if (PopupMenuTrackProc) {
        Command = PopupMenuTrackProc(this, Menu, X, Y);
    } else if (GetMenuItemCount(Menu) > 0) {
        static const UINT Align[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
        HWND Owner = PopupOwnerWindow();
        Command = UINT(TrackPopupMenu(Menu, Align[FAlignment] | TPM_RIGHTBUTTON | TPM_RETURNCMD, X, Y, 0, Owner,
                                      nullptr));
        PostMessageW(Owner, WM_NULL, 0, 0);
    }
    if (OnClose) OnClose(this);
    if (Command) DispatchCommand(Word(Command));
}

// ---- Registration ------------------------------------------------------------------------------

void TMenuItem::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption);
    Table.Add(L"Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked, false);
    Table.Add(L"Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled, true);
    Table.Add(L"Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible, true);
    Table.Add(L"RadioItem", &TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem, false);
    Table.Add(L"GroupIndex", &TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex, 0);
    Table.Add(L"AutoCheck", &TMenuItem::GetAutoCheck, &TMenuItem::SetAutoCheck, false);
    Table.Add(L"ImageIndex", &TMenuItem::GetImageIndex, &TMenuItem::SetImageIndex, -1);
    Table.Add(L"Default", &TMenuItem::GetDefault, &TMenuItem::SetDefault, false);
    Table.Add(L"Hint", &TMenuItem::GetHint, &TMenuItem::SetHint);
    Table.AddEvent(L"OnClick", &TMenuItem::OnClick);
}

namespace {

void RegisterMenuIdents()
{
    RegisterEnumIdents<TPopupAlignment>(L"TPopupAlignment",
                                        {{paLeft, L"paLeft"}, {paRight, L"paRight"}, {paCenter, L"paCenter"}});
}

void RegisterPopupProperties(TPropertyTable& Table)
{
    Table.Add(L"Alignment", &TPopupMenu::GetAlignment, &TPopupMenu::SetAlignment, paLeft);
    Table.Add(L"AutoPopup", &TPopupMenu::GetAutoPopup, &TPopupMenu::SetAutoPopup, true);
    Table.AddEvent(L"OnPopup", &TPopupMenu::OnPopup);
    Table.AddEvent(L"OnClose", &TPopupMenu::OnClose);
}

}  // namespace

void RegisterMenuClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterMenuIdents();
    RegisterClass<TMenuItem>();
    RegisterClass<TMainMenu>().Properties.Add(L"AutoMerge", &TMainMenu::GetAutoMerge, &TMainMenu::SetAutoMerge, false);
    RegisterPopupProperties(RegisterClass<TPopupMenu>().Properties);
    RegisterParentSetter(L"TMenuItem", [](TComponent* Child, TComponent* Parent) {
        static_cast<TMenuItem*>(Child)->SetParentComponent(Parent);
    });
    auto Children = [](TComponent* Component, TComponent*) {
        std::vector<TComponent*> List;
        TMenuItem* Root = nullptr;
        if (auto* M = dyn<TMenu>(Component)) Root = M->GetItems();
        else Root = dyn<TMenuItem>(Component);
        if (Root)
            for (int I = 0; I < Root->Count(); ++I) List.push_back(Root->Items(I));
        return List;
    };
    RegisterChildrenGetter(L"TMenu", Children);
    RegisterChildrenGetter(L"TMenuItem", Children);
}
