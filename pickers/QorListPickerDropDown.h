// QorListPickerDropDown: what the colour picker and the image picker drop-downs share when their
// popup shows an item selector: the list's settings (Columns, Layout, ItemAppearance), the
// selected entry (ItemIndex, OnSelect), pushing the entries and settings into the list when the
// popup opens, the list's keys (Enter taking the hot item, pages, Home, End, arrows), type-ahead
// with its 500 ms key timer, the wheel, and Esc restoring the index noted when the popup opened.
//
// Type-ahead reads the characters the keys type (WM_CHAR), upper-cased as the list compares its
// captions, so that Shift, Delete or keypad keys never turn into letters.
#pragma once

#include "controls/QorDropDown.h"

// Draws the edit area of a picker in place of its own drawing.
using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R)>;

class TQorListPickerDropDown : public TQorCustomDropDown {
    DECLARE_CLASS(TQorListPickerDropDown, TQorCustomDropDown)
public:
    // No auto-size, the editor disabled, the arrow cursor, the key timer (500 ms, off).
    explicit TQorListPickerDropDown(TComponent* AOwner);
    ~TQorListPickerDropDown() override;

    // The entry selected; -1: none. Each picker decides what setting it does.
    int GetItemIndex() const { return FItemIndex; }
    virtual void SetItemIndex(int Value) = 0;
    // Stored; the list takes them when the popup opens. A change forgets the popup size kept
    // from the last opening, so that the popup fits the new arrangement.
    int GetColumns() const { return FColumns; }
    void SetColumns(int Value);
    TItemLayout GetLayout() const { return FLayout; }
    void SetLayout(TItemLayout Value);
    TItemAppearance* GetItemAppearance() const { return FItemAppearance; }
    void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }

    // First / last entry when there are entries; next from -1 is 0 and nothing past the end;
    // previous from -1 is 0 and nothing before 0.
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    // The popup's list (nil until made), the key timer and the type-ahead text.
    TQorCustomItemSelector* GetItemSelector() const { return FItemSelector; }
    TTimer* GetKeyTimer() const { return FKeyTimer; }
    const String& GetCurSearch() const { return FCurSearch; }

    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void SetComponentStyle(QorStyleIF::TJOQStyle AStyle) override;

    TNotifyEvent OnSelect;

    // The drop-down's published properties, then Columns, Layout, ItemIndex, ItemAppearance and
    // OnSelect.
    static void RegisterProperties(TPropertyTable& Table);

protected:
    // How many entries the picker holds.
    virtual int EntryCount() const = 0;
    // Clears the list and gives it one item per entry.
    virtual void AssignedItemsToItemSelector() = 0;
    // The list is the popup's control (always, but for the colour picker's other styles).
    virtual bool ListShown() const { return true; }
    // What the picker's kind of list sets before the list is laid out (the colour boxes' size).
    virtual void SetSelectorTypeProperties() {}
    // The picker's event drawing a list entry (may be empty).
    virtual const QorDropDown::TDrawItemEvent& ItemDrawEvent() const = 0;

    // Makes the list once (owned by the picker, on the popup form, at (0, 0), 150 high).
    void CreateItemList(TSelectorType AType);
    // Detaches the list's selection event, pushes columns, images, layout, colour, the entries,
    // the appearance and the index, lays the list out and attaches the event again.
    void SetSelectorProperties();
    // Pushes the properties again when the list's item count differs from the entries'.
    void RefreshListWhenStale();
    // The properties pushed, the drawing event routed and the index noted (the opening step).
    void PrepareList();
    // The list's own selection: ItemIndex follows; a click closes the popup keeping the value.
    void OnSelectorItemSelect(TObject* Sender);
    // The size of the list in the popup, its bands and border, with a scroll bar's width added
    // when the entries do not fit; ExtraPanel pads the list's panel.
    void SizePopupToList(int ExtraPanel);
    // The popup's size for a control of fixed size, bands and border.
    void SizePopupToControl(TControl* Control);

    // Enter taking a hot entry, the inherited keys, then the list's keys (unless Alt is held).
    void WMKeyDown(TMessage& Message) override;
    // Type-ahead from the typed character (also when the editor is disabled).
    void WMChar(TMessage& Message) override;
    void HandleMouseWheelDown() override;
    void HandleMouseWheelUp() override;
    // The popup's wheel slots: the wheel steps the popup once per notch.
    void OnDropDownFormMouseWheelDown(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled) override;
    void OnDropDownFormMouseWheelUp(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled) override;
    // On cancel the index noted when the popup opened comes back.
    void DoHideDropDown(bool Cancelled) override;
    // What an Esc in the open popup puts back (new virtual step): the list's noted index.
    virtual void RestoreOnCancel();
    // The inherited painting draws the edit's text on the highlight; the pickers paint their
    // own edit area.
    void DrawBackGround() override {}

    // New virtual steps of the key handling: Enter taking a hot item before the inherited keys
    // (answers whether a new selection was made), and a key after them.
    virtual bool TakeHotItem(Word Key);
    virtual void PickerKey(Word Key, bool NewSelection);
    // The list's keys: pages, Home, End, arrows, Enter's OnSelect.
    void ListKey(Word Key, bool NewSelection);
    // Appends a typed character to the type-ahead text and looks it up.
    void TypeAhead(Char Ch);
    void KeyTimerOnTime(TObject* Sender);
    void FireSelect();
    // After the entries changed: an index past them selects nothing (without OnSelect).
    void ForgetStaleIndex();

    TQorCustomItemSelector* FItemSelector = nullptr;
    int FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    int FItemIndex = -1;
    TItemAppearance* FItemAppearance;
    bool FInternalCall = false;
    TTimer* FKeyTimer;
    String FCurSearch;
    int FOldItemIndex = -1;
};
