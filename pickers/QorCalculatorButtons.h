// QorCalculatorButtons: the calculator drop-down's keypad. TCustomButtonPanel holds a collection
// of button items (TCalcButtonItems of TCalcButtonItem), lays the 28 calculator buttons out in a
// fixed grid that fills the panel, paints each with a GDI+ gradient look (DrawButtonBackground) in
// the colours of a TButtonAppearance, tracks the hot and the pressed button with the mouse, and
// reports a completed click with the button's index. It knows nothing of arithmetic: the
// calculator reads the clicked button's Tag (TCalcAction, QorCalculatorEngine.h).
//
// The calculator drop-down makes the panel with its popup: owned by the drop-down, parented to the
// popup form, linked back (SetQorDropDown), 150 pixels high, filled by Initialize, its
// OnButtonClick routed to the drop-down; at each opening it copies its CalcButtonAppearance in
// (GetButtonAppearance()->Assign), sets the panel's Color to the popup colour and calls
// ArrangeButtons. Hosted that way the panel paints no frame and leaves repainting after
// appearance changes to the drop-down.
#pragma once

#include "controls/QorDropDown.h"
#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/ImgList.h"

class TQorCustomDropDown;
class TPropertyTable;

// Fills R with the keypad's button look (GDI+, anti-aliased): the lower half a vertical gradient
// from Clr to ClrTo, the upper half Clr under a shine of ShineClr fading from alpha 160 to 90; a
// white line below the top edge and an inner frame in BrInClr; the outer frame in BrClr; and with
// a GlowClr other than clNone a frame and an 8-pixel halo fading outward in that colour.
void DrawButtonBackground(TCanvas* Canvas, const TRect& R, TColor BrClr, TColor BrInClr, TColor Clr,
                          TColor ClrTo, TColor GlowClr, TColor ShineClr);

// ---- button look --------------------------------------------------------------------------------

// The keypad's colours and font (not the drop button's appearance). Every colour setter but
// ShineColor's stores a changed value and raises OnChange; the glow colours are plain fields.
class TButtonAppearance : public TPersistent {
    DECLARE_CLASS(TButtonAppearance, TPersistent)
public:
    TButtonAppearance();
    ~TButtonAppearance() override;
    // Copies every colour, both glow colours, the font and the two text colours (through the
    // setters); a source of another kind goes to the framework's Assign.
    void Assign(TPersistent* Source) override;

    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { SetColour(FBorderColor, Value); }
    TColor GetBorderColorHot() const { return FBorderColorHot; }
    void SetBorderColorHot(TColor Value) { SetColour(FBorderColorHot, Value); }
    TColor GetBorderColorDown() const { return FBorderColorDown; }
    void SetBorderColorDown(TColor Value) { SetColour(FBorderColorDown, Value); }
    TColor GetBorderColorChecked() const { return FBorderColorChecked; }
    void SetBorderColorChecked(TColor Value) { SetColour(FBorderColorChecked, Value); }
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value) { SetColour(FColor, Value); }
    TColor GetColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { SetColour(FColorTo, Value); }
    TColor GetColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value) { SetColour(FColorDown, Value); }
    TColor GetColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value) { SetColour(FColorDownTo, Value); }
    TColor GetColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value) { SetColour(FColorHot, Value); }
    TColor GetColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value) { SetColour(FColorHotTo, Value); }
    TColor GetColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value) { SetColour(FColorChecked, Value); }
    TColor GetColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value) { SetColour(FColorCheckedTo, Value); }
    TColor GetColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(TColor Value) { SetColour(FColorDisabled, Value); }
    TColor GetColorDisabledTo() const { return FColorDisabledTo; }
    void SetColorDisabledTo(TColor Value) { SetColour(FColorDisabledTo, Value); }
    TColor GetTextColor() const { return FTextColor; }
    void SetTextColor(TColor Value) { SetColour(FTextColor, Value); }
    TColor GetSpecialTextColor() const { return FSpecialTextColor; }
    void SetSpecialTextColor(TColor Value) { SetColour(FSpecialTextColor, Value); }
    // Stored without a notification.
    TColor GetShineColor() const { return FShineColor; }
    void SetShineColor(TColor Value) { FShineColor = Value; }
    TColor GetGlowColorHot() const { return FGlowColorHot; }
    void SetGlowColorHot(TColor Value) { FGlowColorHot = Value; }
    TColor GetGlowColorDown() const { return FGlowColorDown; }
    void SetGlowColorDown(TColor Value) { FGlowColorDown = Value; }
    // Size 10, bold.
    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

private:
    void SetColour(TColor& Field, TColor Value);
    void Changed();

    TColor FBorderColor = clBlack;
    TColor FBorderColorHot = clBlack;
    TColor FBorderColorDown = clBlack;
    TColor FBorderColorChecked = TColor(0xFF0000);
    TColor FColor = TColor(0x9A915F);
    TColor FColorTo = TColor(0xB0A170);
    TColor FColorDown = TColor(0x4B2F08);
    TColor FColorDownTo = TColor(0xADB514);
    TColor FColorHot = TColor(0x9F6F1C);
    TColor FColorHotTo = TColor(0xD5C244);
    TColor FColorCheckedTo;
    TColor FColorDisabled;
    TColor FColorDisabledTo;
    TColor FColorChecked;
    TFreePtr<TFont> FFont;
    TColor FShineColor = clWhite;
    TColor FGlowColorHot = TColor(0xD5C244);
    TColor FGlowColorDown = TColor(0xD5C244);
    TColor FTextColor = clBlack;
    TColor FSpecialTextColor = TColor(0x000080);
};

// ---- button items -------------------------------------------------------------------------------

// One keypad button: its caption, picture (an own Image, else ImageIndex of the panel's Images),
// action code (Tag) and the rectangle ArrangeButtons gives it. The setters store without side
// effects.
class TCalcButtonItem : public TCollectionItem {
    DECLARE_CLASS(TCalcButtonItem, TCollectionItem)
public:
    explicit TCalcButtonItem(TCollection* ACollection);
    ~TCalcButtonItem() override;
    // Copies Caption, CaptionColor, Tag, ImageIndex, Image, Enabled and Name (not the rectangle,
    // not Special); a source of another kind goes to the framework's Assign.
    void Assign(TPersistent* Source) override;
    // (Left, Top, Left + Width, Top + Height).
    TRect GetRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }

    const String& GetCaption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TPicture* GetImage() const { return FImage.get(); }
    void SetImage(TPicture* Value) { FImage->Assign(Value); }
    int GetTag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int GetLeft() const { return FLeft; }
    void SetLeft(int Value) { FLeft = Value; }
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    int GetTop() const { return FTop; }
    void SetTop(int Value) { FTop = Value; }
    const String& GetName() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    // Stored, not used for painting.
    TColor GetCaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor Value) { FCaptionColor = Value; }
    // Painted in the appearance's SpecialTextColor.
    bool GetSpecial() const { return FSpecial; }
    void SetSpecial(bool Value) { FSpecial = Value; }

    static void RegisterProperties(TPropertyTable& Table);

private:
    String FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    TFreePtr<TPicture> FImage;
    int FTag = 0;
    int FHeight = 0, FLeft = 0, FWidth = 0, FTop = 0;
    String FName;
    TColor FCaptionColor = clWhite;
    bool FSpecial = false;
};

class TCalcButtonItems : public TCollection {
    DECLARE_CLASS(TCalcButtonItems, TCollection)
public:
    // Owned by the panel (GetOwner answers it).
    explicit TCalcButtonItems(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FMyOwner; }
    TCalcButtonItem* Add() { return static_cast<TCalcButtonItem*>(TCollection::Add()); }
    TCalcButtonItem* Insert(int Index) { return static_cast<TCalcButtonItem*>(TCollection::Insert(Index)); }
    TCalcButtonItem* GetItem(int Index) const { return static_cast<TCalcButtonItem*>(TCollection::GetItem(Index)); }
    void SetItem(int Index, TCalcButtonItem* Value) { TCollection::SetItem(Index, Value); }

private:
    TPersistent* FMyOwner;
};

// ---- the panel ----------------------------------------------------------------------------------

enum TButtonPanelType { plCalculator, plCustom };

using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, int Index)>;

class TCustomButtonPanel : public TCustomControl {
    DECLARE_CLASS(TCustomButtonPanel, TCustomControl)
public:
    explicit TCustomButtonPanel(TComponent* AOwner);
    ~TCustomButtonPanel() override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;
    // A removed image list or edit is forgotten (not while the panel itself goes).
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Virtual operations, in slot order.
    // Paints one button (nothing for an index outside the collection, without a canvas, or for a
    // button whose left and right both lie below 0).
    virtual void DrawButton(int Index, TCanvas* Canvas);
    // The client rectangle less the panel's margins.
    virtual void GetInnerRect(TRect& R);
    // The size one button needs for the widest caption and the largest image.
    virtual void GetMaxButtonSize(TSize& Size);
    virtual void ClearButtons();
    virtual void ReInitialize();
    // With an empty collection and the calculator type, adds the 28 calculator buttons; then lays
    // them out.
    virtual void Initialize();
    // Lays the calculator buttons out over the inner rectangle (nothing without buttons or for a
    // custom panel).
    virtual void ArrangeButtons();
    // Invalidates the button's rectangle grown by 8 pixels on every side (room for the glow).
    virtual void InvalidateButton(int Index);
    // Raises OnButtonClick.
    virtual void ButtonClick(int Index);

    // The item's rectangle, or (-1, -1, -1, -1) for an index outside the collection.
    void GetButtonRect(int Index, TRect& R);
    // The first button whose rectangle holds the point (right and bottom edges excluded), or -1.
    int ButtonAtPos(int X, int Y);
    // Nothing for the hot (pressed) button itself or a disabled one; otherwise the previous one is
    // cleared and invalidated and the new one (>= 0) painted at once.
    void SetButtonHot(int Index);
    void SetButtonDown(int Index);
    int GetButtonHot() const { return FButtonHot; }
    int GetButtonDown() const { return FButtonDown; }

    TCalcButtonItems* GetButtons() const { return FButtons.get(); }
    void SetButtons(TCalcButtonItems* Value) { FButtons->Assign(Value); }
    TButtonAppearance* GetButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    TItemLayout GetButtonLayout() const { return FButtonLayout; }
    void SetButtonLayout(TItemLayout Value) { FButtonLayout = Value; }
    TSelectionColorStyle GetItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle Value) { FItemColorStyle = Value; }
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TWinControl* GetEdit() const { return FEdit; }
    void SetEdit(TWinControl* Value);
    TButtonPanelType GetButtonPanelType() const { return FButtonPanelType; }
    void SetButtonPanelType(TButtonPanelType Value);
    TQorCustomDropDown* GetQorDropDown() const { return FQorDropDown; }
    // The calculator drop-down that hosts the panel.
    void SetQorDropDown(TQorCustomDropDown* Value) { FQorDropDown = Value; }
    int GetCaptionGap() const { return FCaptionGap; }
    void SetCaptionGap(int Value) { FCaptionGap = Value; }
    bool GetIsWinXP() const { return FIsWinXP; }

    TCalculatorButtonClickEvent OnButtonClick;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void OnButtonsChanged(TObject* Sender);
    void OnButtonAppearanceChanged(TObject* Sender);

private:
    bool Hosted() const { return FQorDropDown != nullptr; }
    bool Disabled(int Index) const;
    // The hot or the pressed button (Tracked) becomes Index: see SetButtonHot.
    void SetTrackedButton(int& Tracked, int Index);
    // Index of a button in the collection, else -1.
    int ValidOrNone(int Index) const;
    void DrawButtonFace(TCalcButtonItem* Item, TCanvas* Canvas, const TRect& R);
    void MeasureCaption(const String& Caption, TSize& Size);

    TFreePtr<TCalcButtonItems> FButtons;
    TItemLayout FButtonLayout = ilCaptionRight;
    TSelectionColorStyle FItemColorStyle = scOffice2007;
    int FButtonHot = -1;
    int FOffSetX = 8, FOffSetY = 8;
    int FButtonOffSetX = 4, FButtonOffSetY = 4;
    TCustomImageList* FImages = nullptr;
    int FCaptionGap = 0;
    TWinControl* FEdit = nullptr;
    TButtonPanelType FButtonPanelType = plCalculator;
    TFreePtr<TButtonAppearance> FButtonAppearance;
    int FButtonDown = -1;
    TQorCustomDropDown* FQorDropDown = nullptr;
    bool FIsWinXP = false;
};

// Registers the keypad's persistent classes and its property types for stored descriptions.
void RegisterQorCalculatorButtonClasses();
