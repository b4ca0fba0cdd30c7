// QorColorPickerDropDown: a drop-down edit whose edit area shows a colour box and a text for the
// selected colour, and whose popup offers one of four ways to choose it (ColorSelectionStyle): a
// list of the named colours of Colors (an item selector of colour boxes), the palette of 60 shades
// (TCustomColorSelector), the hexagon colour cube or the spectrum picture (TQorColorCubePanel,
// TQorColorSpectrumPanel). The grid's colour cell editor derives from it.
//
// SelectedColor keeps an RGB value (system colours resolved, stray high bytes dropped), or clNone
// / clDefault for no colour. A colour that no entry of Colors holds clears ItemIndex, so the text
// beside the box is never another entry's name.
#pragma once

#include "pickers/QorColorPickerPanels.h"
#include "pickers/QorColorPickerSelector.h"
#include "pickers/QorListPickerDropDown.h"

class TPropertyTable;

enum TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };
enum TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

class TColorItem : public TCollectionItem {
    DECLARE_CLASS(TColorItem, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    // From another colour item: caption, colour, enabled flag and hint.
    void Assign(TPersistent* Source) override;

    const String& GetCaption() const { return FCaption; }
    // A different value tells the collection.
    void SetCaption(const String& Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    const String& GetHint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }

    static void RegisterProperties(TPropertyTable& Table);

private:
    String FCaption;
    TColor FColor = clNone;
    bool FEnabled = true;
    String FHint;
};

// Remembers its owner and raises OnChange when an item changes.
class TColorItems : public TCollection {
    DECLARE_CLASS(TColorItems, TCollection)
public:
    explicit TColorItems(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    TColorItem* Add() { return static_cast<TColorItem*>(TCollection::Add()); }
    TColorItem* Insert(int Index) { return static_cast<TColorItem*>(TCollection::Insert(Index)); }
    TColorItem* GetItems(int Index) const { return static_cast<TColorItem*>(GetItem(Index)); }
    void SetItems(int Index, TColorItem* Value) { SetItem(Index, Value); }

    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FOwner;
};

class TQorColorPickerDropDown : public TQorListPickerDropDown {
    DECLARE_CLASS(TQorColorPickerDropDown, TQorListPickerDropDown)
public:
    // The list style, no colour, a 14 x 14 box with a black border, the text shown, the popup
    // 200 high without header and footer.
    explicit TQorColorPickerDropDown(TComponent* AOwner);
    ~TQorColorPickerDropDown() override;

    // New virtual operations, in slot order.
    virtual void CreateItemListPanel();
    virtual void CreateColorCubePanel();
    virtual void CreateSpectrumPanel();
    virtual void CreateColorSelectorPanel();
    // The list entry's caption in the list style with an entry selected, else SelectedColor as
    // ColorValueText says; empty without a colour.
    virtual String GetSelectedColorText();

    // Clears Colors and adds the 16 standard colours, "Black" to "White".
    void AddDefaultColors();
    // The outermost EndUpdate copies Colors into the list.
    void BeginUpdate();
    void EndUpdate();

    // Past the last entry: ignored; negative: no entry. The entry's colour becomes SelectedColor;
    // OnSelect fires (also for an unchanged index).
    void SetItemIndex(int Value) override;
    TColor GetSelectedColor() const { return FSelectedColor; }
    // Nothing for the colour it holds; else stores it resolved and selects the first entry of
    // that colour (which fires OnSelect), or no entry.
    void SetSelectedColor(TColor Value);
    TColorSelectionStyle GetColorSelectionStyle() const { return FColorSelectionStyle; }
    void SetColorSelectionStyle(TColorSelectionStyle Value);
    TColorItems* GetColors() const { return FColors; }
    void SetColors(TColorItems* Value) { FColors->Assign(Value); }
    bool GetShowText() const { return FShowText; }
    void SetShowText(bool Value);
    int GetColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int Value);
    int GetColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int Value);
    TColor GetColorBoxBorderColor() const { return FColorBoxBorderColor; }
    void SetColorBoxBorderColor(TColor Value);
    TColorValueText GetColorValueText() const { return FColorValueText; }
    void SetColorValueText(TColorValueText Value);

    TQorColorCubePanel* GetColorCubePanel() const { return FColorCubePanel; }
    TQorColorSpectrumPanel* GetSpectrumPanel() const { return FSpectrumPanel; }
    TCustomColorSelector* GetColorSelector() const { return FColorSelector; }
    TColor GetOldSelectedColor() const { return FOldSelectedColor; }

    void Loaded() override;
    // The edit area after the inherited painting; focus changes repaint it.
    void WMPaint(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

    TOnDrawSelectedItem OnDrawSelectedColor;
    QorDropDown::TDrawItemEvent OnDrawColor;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SetCenterControl() override;
    void UpdateDropDownSize() override;
    void OnDestroyDropDownForm(TObject* Sender) override;
    void HandleMouseWheelDown() override;
    void HandleMouseWheelUp() override;
    void RestoreOnCancel() override;
    bool TakeHotItem(Word Key) override;
    void PickerKey(Word Key, bool NewSelection) override;

    int EntryCount() const override { return FColors->GetCount(); }
    void AssignedItemsToItemSelector() override;
    bool ListShown() const override { return FColorSelectionStyle == csList; }
    void SetSelectorTypeProperties() override;
    const QorDropDown::TDrawItemEvent& ItemDrawEvent() const override { return OnDrawColor; }

    // The edit area: the colour box and the value text (after the inherited painting).
    void PaintColor();

private:
    // The style's control made if need be, the others hidden, given the colour and shown.
    void PrepareStyleControl();
    TControl* StyleControl() const;
    // The choices of the palette, the cube and the spectrum.
    void ColorSelectorOnItemSelect(TObject* Sender);
    void CubePanelOnSelect(TObject* Sender);
    void SpectrumPanelOnSelect(TObject* Sender);
    // A choice from a panel: the colour, no entry, and (unless internal) the popup closed.
    void TakePanelColor(TColor Color, bool Close);
    // The entry holding a colour (resolved), or -1.
    int IndexOfColor(TColor Color) const;

    int FUpdateCount = 0;
    TQorColorCubePanel* FColorCubePanel = nullptr;
    TQorColorSpectrumPanel* FSpectrumPanel = nullptr;
    TCustomColorSelector* FColorSelector = nullptr;
    TColorItems* FColors;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    TColorSelectionStyle FColorSelectionStyle = csList;
    TColor FSelectedColor = clNone;
    bool FShowText = true;
    TColor FOldSelectedColor = clNone;
    TColorValueText FColorValueText = cvtNone;
    TColor FColorBoxBorderColor = clBlack;
};

// The value text of a colour (no list entry involved): see TColorValueText. Empty for cvtNone and
// for no colour (clNone, clDefault).
String ColorValueTextOf(TColor Color, TColorValueText Kind);

// Registers the picker's persistent classes and its property types for stored descriptions.
void RegisterQorColorPickerDropDownClasses();
