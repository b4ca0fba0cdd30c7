// QorColorPickerSelector: the palette the colour picker drop-down shows in its discrete style. A
// grid of small colour boxes in a fixed number of columns; the boxes of one colour's column of
// shades join without gaps (TItemPos). Hot and selected boxes take the colours of a
// TColorBoxAppearance.
//
// The picker makes the selector with its popup, owned by the picker and parented to the popup
// form, fills it once with CreateDefaultColors, hands it the keys of its edit (HandleKey with its
// EditorEnabled and dropped-down state) and its wheel (HotNext / HotPrevious and the Select...
// steps), and reads SelectedColor in OnItemSelect.
#pragma once

#include "controls/QorDropDown.h"
#include "pickers/QorColorPickerPanels.h"

class TPropertyTable;

// Where a box sits in a joined column of shades.
enum TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };

class TColorBoxItem : public TCollectionItem {
    DECLARE_CLASS(TColorBoxItem, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    // From another box: Color, the enabled flag and ColorBoxPos; any other source goes to the
    // framework's Assign.
    void Assign(TPersistent* Source) override;

    TColor GetColor() const { return FColor; }
    // A different value tells the collection.
    void SetColor(TColor Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TItemPos GetColorBoxPos() const { return FColorBoxPos; }
    void SetColorBoxPos(TItemPos Value) { FColorBoxPos = Value; }
    // The box's place, set by the selector's layout.
    const TRect& GetRect() const { return FRect; }
    void SetRect(const TRect& Value) { FRect = Value; }

    static void RegisterProperties(TPropertyTable& Table);

private:
    TColor FColor = clNone;
    bool FEnabled = true;
    TRect FRect;
    TItemPos FColorBoxPos = ipStandAlone;
};

// Raises OnChange when a box changes (the collection's default Update).
class TColorBoxItems : public TCollection {
    DECLARE_CLASS(TColorBoxItems, TCollection)
public:
    explicit TColorBoxItems(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    TColorBoxItem* Add() { return static_cast<TColorBoxItem*>(TCollection::Add()); }
    TColorBoxItem* Insert(int Index) { return static_cast<TColorBoxItem*>(TCollection::Insert(Index)); }
    TColorBoxItem* GetItem(int Index) const { return static_cast<TColorBoxItem*>(TCollection::GetItem(Index)); }
    void SetItem(int Index, TColorBoxItem* Value) { TCollection::SetItem(Index, Value); }

private:
    TPersistent* FOwner;
};

// The colours of a box's border and of the hot and the selected box.
class TColorBoxAppearance : public TPersistent {
    DECLARE_CLASS(TColorBoxAppearance, TPersistent)
public:
    static constexpr TColor DefaultBorderColor = TColor(0xC5C5C5);
    static constexpr TColor DefaultOuterBorderColorHot = TColor(0x3694F2);
    static constexpr TColor DefaultInnerBorderColorHot = TColor(0x94E2FF);
    static constexpr TColor DefaultOuterBorderColorSelected = TColor(0x0000FF);
    static constexpr TColor DefaultInnerBorderColorSelected = TColor(0x94E2FF);

    // From another appearance: the five colours.
    void Assign(TPersistent* Source) override;

    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    TColor GetOuterBorderColorHot() const { return FOuterBorderColorHot; }
    void SetOuterBorderColorHot(TColor Value) { FOuterBorderColorHot = Value; }
    TColor GetInnerBorderColorHot() const { return FInnerBorderColorHot; }
    void SetInnerBorderColorHot(TColor Value) { FInnerBorderColorHot = Value; }
    TColor GetOuterBorderColorSelected() const { return FOuterBorderColorSelected; }
    void SetOuterBorderColorSelected(TColor Value) { FOuterBorderColorSelected = Value; }
    TColor GetInnerBorderColorSelected() const { return FInnerBorderColorSelected; }
    void SetInnerBorderColorSelected(TColor Value) { FInnerBorderColorSelected = Value; }
    // All five back to the defaults above.
    void SetDefaults();

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

private:
    TColor FBorderColor = DefaultBorderColor;
    TColor FOuterBorderColorHot = DefaultOuterBorderColorHot;
    TColor FInnerBorderColorHot = DefaultInnerBorderColorHot;
    TColor FOuterBorderColorSelected = DefaultOuterBorderColorSelected;
    TColor FInnerBorderColorSelected = DefaultInnerBorderColorSelected;
};

class TCustomColorSelector : public TQorCustomColorSelectorPanel {
    DECLARE_CLASS(TCustomColorSelector, TQorCustomColorSelectorPanel)
public:
    explicit TCustomColorSelector(TComponent* AOwner);
    ~TCustomColorSelector() override;
    void Dispatch(TMessage& Message) override;

    // Virtual operations, in slot order.
    // Paints one box (nothing for an index out of range, without a canvas or a rectangle).
    virtual void DrawItem(int Index, TCanvas* Canvas);
    // The client rectangle less the margins (4, 4).
    virtual TRect GetInnerRect();
    virtual TSize GetItemSize();
    // Lays the boxes out row by row in Columns columns and sizes the control to them (100 x 50
    // without boxes). A row holding a stand-alone box is followed by the gap; joined shade rows
    // follow one another directly.
    virtual void UpdateRectAndSize();
    virtual void InvalidateItem(int Index);

    void DrawItems(TCanvas* Canvas);
    // The box's rectangle, or (-1, -1, -1, -1) out of range.
    TRect GetItemRect(int Index);
    // The first box holding the point, or -1.
    int ItemAtPos(int X, int Y);

    int GetItemIndex() const { return FItemIndex; }
    // Selects a box (refused for a disabled one; an index past the last box is ignored, a
    // negative one clears the selection): the old box is cleared, the new one drawn, its colour
    // becomes SelectedColor and OnItemSelect fires (also when it was selected already).
    void SetItemIndex(int Index);
    int GetItemHot() const { return FItemHot; }
    // Makes a box hot (nothing for the hot box itself or a disabled one; -1 clears).
    void SetItemHot(int Index);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // The picker's keys 33 to 40 (pages, Home, End, arrows), while the control is enabled.
    void HandleKey(Word Key, bool EditorEnabled, bool DroppedDown);

    TColor GetSelectedColor() const { return FSelectedColor; }
    // Selects the first box of that colour, or none (clNone: none).
    void SetSelectedColor(TColor Value);
    // Ten theme colours and under each five joined shades: 60 boxes in 10 columns.
    void CreateDefaultColors();

    int GetColumns() const { return FColumns; }
    void SetColumns(int Value);
    int GetColumnGap() const { return FColumnGap; }
    void SetColumnGap(int Value);
    int GetColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int Value);
    int GetColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int Value);
    TColorBoxAppearance* GetColorBoxAppearance() const { return FColorBoxAppearance.get(); }
    void SetColorBoxAppearance(TColorBoxAppearance* Value) { FColorBoxAppearance->Assign(Value); }
    TColorBoxItems* GetItems() const { return FItems.get(); }
    void SetItems(TColorBoxItems* Value) { FItems->Assign(Value); }
    TSelectionColorStyle GetItemColorStyle() const { return FItemColorStyle; }
    // The three presets set the appearance's default colours; scCustom leaves them.
    void SetItemColorStyle(TSelectionColorStyle Value);

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool Valid(int Index) const { return Index >= 0 && Index < FItems->Count(); }
    bool Enabled(int Index) const { return Valid(Index) && FItems->GetItem(Index)->GetEnabled(); }
    // The enabled box at a point, or -1.
    int EnabledItemAt(int X, int Y);
    void ItemsChanged(TObject* Sender);

    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 4, FOffSetY = 4;
    int FColumns = 10;
    int FColumnGap = 4;
    int FColorBoxHeight = 12, FColorBoxWidth = 12;
    TFreePtr<TColorBoxAppearance> FColorBoxAppearance;
    TFreePtr<TColorBoxItems> FItems;
    TSelectionColorStyle FItemColorStyle = scOffice2007;
    TColor FSelectedColor = clNone;
};

// Registers the palette's persistent classes and its property types for stored descriptions.
void RegisterQorColorSelectorClasses();
