// Menus: menu items in a tree, the main menu of a form and pop-up menus, over the platform's
// menus. The platform menus are rebuilt from the tree whenever an item changes; an invisible item
// (and everything below it) is left out of them, so that no mouse or keyboard path reaches it.
#pragma once

#include "Controls.h"

#include <vector>

class TMenu;
class TMenuItem;
class TCustomImageList;

DECLARE_EXCEPTION(EMenuError, Exception)

class TMenuItem : public TComponent {
    DECLARE_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const String& GetCaption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool GetChecked() const { return FChecked; }
    // Checking a radio item unchecks the radio items of its group among its siblings.
    void SetChecked(bool Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    bool GetRadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    Byte GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte Value);
    bool GetAutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    const String& GetHint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool IsLine() const { return FCaption == L"-"; }

    // Sub-items
    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int Index) const;
    TMenuItem* operator[](int Index) const { return Items(Index); }
    // Adds an item (taken out of any other parent first); raises EMenuError for the item itself
    // or one of its ancestors.
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes the item at Index out of the list (it is not freed).
    void Delete(int Index);
    void Remove(TMenuItem* Item);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    // The sub-item with that caption ('&' ignored, case ignored), or null.
    TMenuItem* Find(const String& ACaption) const;
    TMenuItem* GetParent() const { return FParent; }
    int GetMenuIndex() const;
    void SetMenuIndex(int Value);
    // The menu whose tree holds the item, or null.
    TMenu* GetParentMenu() const;

    // The command number the platform menu reports for the item.
    Word GetCommand() const { return FCommand; }
    // Reached and enabled: the item and every parent visible and enabled.
    bool IsReachable() const;

    // What choosing the item does: the automatic check, then OnClick.
    virtual void Click();
    TNotifyEvent OnClick;

    static void RegisterProperties(class TPropertyTable& Table);
    void SetParentComponent(TComponent* Value);

protected:
    void MenuChanged();
    void TurnSiblingsOff();

private:
    friend class TMenu;
    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FRadioItem = false;
    bool FAutoCheck = false;
    bool FDefault = false;
    Byte FGroupIndex = 0;
    int FImageIndex = -1;
    String FHint;
    Word FCommand = 0;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;          // set on the root item of a menu
    std::vector<TMenuItem*> FItems;
};

class TMenu : public TComponent {
    DECLARE_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    // The root item whose sub-items are the menu's entries.
    TMenuItem* GetItems() const { return FItems.get(); }
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // The platform menu, built on first use and kept up to date.
    HMENU GetHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // The item with that command number, or null.
    TMenuItem* FindItem(Word Command) const;
    // Clicks the reachable item with that command number; false when none.
    bool DispatchCommand(Word Command);
    // Rebuilds the platform menu from the items.
    virtual void Rebuild();
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnChange;

protected:
    virtual HMENU CreateMenuHandle() { return CreatePopupMenu(); }
    virtual void MenuChanged();
    void FillMenu(HMENU Menu, TMenuItem* Parent);
    void ClearMenu(HMENU Menu);

    TFreePtr<TMenuItem> FItems;   // also owned as a component: freed first, by the menu
    HMENU FHandle = nullptr;
    TCustomImageList* FImages = nullptr;

    friend class TMenuItem;
};

// A form's menu bar. The form's window is given through SetWindowHandle (the form does so when
// its window is made); choosing an item there clicks it.
class TMainMenu : public TMenu {
    DECLARE_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
    ~TMainMenu() override;
    HWND GetWindowHandle() const { return FWindowHandle; }
    // Shows the menu bar on Wnd and routes its commands to the items; null detaches.
    void SetWindowHandle(HWND Wnd);
    bool GetAutoMerge() const { return FAutoMerge; }
    void SetAutoMerge(bool Value) { FAutoMerge = Value; }

protected:
    HMENU CreateMenuHandle() override { return CreateMenu(); }
    void MenuChanged() override;

private:
    static LRESULT CALLBACK MenuWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam,
                                           UINT_PTR Id, DWORD_PTR Data);
    HWND FWindowHandle = nullptr;
    bool FAutoMerge = false;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
    DECLARE_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
    // Shows the menu at a screen point and waits until it closes; the chosen item is clicked.
    virtual void Popup(int X, int Y);
    TComponent* GetPopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
    TPopupAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    bool GetAutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    TPoint GetPopupPoint() const { return FPopupPoint; }

    TNotifyEvent OnPopup;
    TNotifyEvent OnClose;

protected:
    virtual void DoPopup(TObject* Sender);

private:
    TComponent* FPopupComponent = nullptr;
    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
    TPoint FPopupPoint{};
};

// Seam: how a pop-up menu is tracked. Given the platform menu and the screen point, answers the
// chosen command (0 for none). Empty = TrackPopupMenu with a window of the library's own.
extern std::function<UINT(TPopupMenu* Menu, HMENU Handle, int X, int Y)> PopupMenuTrackProc;

// Registers the menu classes and their published properties.
void RegisterMenuClasses();

// The caption without accelerator marks ("&Filer" -> "Filer", "&&" -> "&").
String StripHotkey(const String& Text);
