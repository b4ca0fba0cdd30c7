// QorDropDown: the drop-down edit framework. A typed single-line edit (TQorCustomDropDown) with a
// drop button at its right edge and a borderless popup form (TDropDownForm) that hosts one control
// between an optional header band and an optional footer band (TQorHeader, TQorFooter) with their
// buttons (TQorButton); the appearances those bands and buttons take (THeaderAppearance,
// TFooterAppearance, TQorButtonAppearance), which a drop-down and the grid's control look own; the
// item selector the list pickers show (TQorCustomItemSelector and its panel); and the unit's drawing
// and number routines (namespace QorDropDown).
//
// Pickers derive from TQorCustomDropDown and override its virtual steps, calling them as inherited.
// Keys typed in the popup reach the edit once: while the popup form itself has the focus through
// the form's slots (OnDropDownFormKeyDown, ...Up, ...Press), while the hosted control has it
// through the control's slots (OnDropDownControlKeyDown, ...Up, ...Press). A slot that clears the
// key stops it there.
#pragma once

#include "controls/JyrControls.h"
#include "controls/jyrspin.h"
#include "framework/Buttons.h"
#include "framework/Classes.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/ImgList.h"
#include "framework/Mask.h"
#include "graphics/QorStyleIF.h"
#include "graphics/QorUtil.h"

class TPropertyTable;

enum TGradientDirection { gdHorizontal, gdVertical };
enum TButtonAlignment { baLeft, baRight };
// Presets of the selection colours (a drop-down's, an item selector's, a picker's).
enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };
// Where an item's caption stands beside its image.
enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };
// Where the popup opens.
enum TDropPosition { dpAuto, dpDown, dpUp };
// What the edit accepts (stored as ordinals 0 to 11).
enum TDropDownEditType {
    etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney, etRange,
    etHex, etAlphaNumeric, etValidChars
};
// How the drop-down's speed button paints: a push button or the drop arrow.
enum TButtonStyle { bsButton, bsDropDown };
// A band button: a push button or a check button that toggles Down on every click.
enum TQorButtonStyle { tasButton, tasCheck };
// A band button's tracking state (absDropDown is never used).
enum TQorButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };
// What an item selector's cells show beside their captions.
enum TSelectorType { stImage, stColor };

class TQorCustomDropDown;
class TDropDownForm;
class TCustomItemSelector;
class TQorCustomItemSelector;
class TItemAppearance;

// Events of the drop-down; the sender is always the drop-down.
using TDropDown = std::function<void(TObject* Sender, bool& acceptdrop)>;
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
// Pos: the screen position of the popup's top-left corner.
using TGetDropDownPosEvent = std::function<void(TObject* Sender, TPoint& Pos)>;
using TDropDownButtonItemClick = std::function<void(TObject* Sender, int ButtonIndex)>;
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, String& Text)>;

namespace QorDropDown {
// Raised before a clipboard operation on the edit's text; clearing allow stops it.
using TClipboardEvent = std::function<void(TObject* Sender, const String& value, bool& allow)>;

// Where the attached label stands (0 to 14; "lpRighBottom" is spelled so).
enum TLabelPosition {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom, lpTopRight,
    lpBottomRight
};

// An item selector's cell drawing (replaces the drawing of a cell's content) and cell size.
using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R, int Index)>;
using TItemSizeEvent = std::function<void(TObject* Sender, TSize& ASize)>;

}  // namespace QorDropDown

// Col (a system colour resolved) with each of red, green and blue changed by a percentage: a zero
// channel becomes the percentage itself (a negative one 0), any other is scaled by
// min(100 + percentage, 100) / 100 and rounded, so that a positive percentage leaves it unchanged.
TColor BrightnessColor(TColor Col, int BR, int BG, int BB);

// ---- band buttons -------------------------------------------------------------------------------

// What a header and a footer button share. Caption, Enabled and Width tell the collection when they
// change (its Change); ImageIndex and Height are stored without a word.
class TQorBandButton : public TCollectionItem {
    DECLARE_CLASS(TQorBandButton, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;

    const String& GetCaption() const { return FCaption; }
    void SetCaption(const String& Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // 0: sized to its caption and image.
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    // 0: the band's button height.
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }

    static void RegisterProperties(TPropertyTable& Table);

protected:
    // Copies the shared fields (the subclasses' Assign decides which sources qualify).
    void CopyBandButton(const TQorBandButton& Source);

private:
    String FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FWidth = 0;
    int FHeight = 0;
};

class THeaderButton : public TQorBandButton {
    DECLARE_CLASS(THeaderButton, TQorBandButton)
public:
    using TQorBandButton::TQorBandButton;
    // From another header button; any other source goes to the framework's Assign.
    void Assign(TPersistent* Source) override;
};

// A footer button also closes the popup by its ModalResult.
class TFooterButton : public TQorBandButton {
    DECLARE_CLASS(TFooterButton, TQorBandButton)
public:
    using TQorBandButton::TQorBandButton;
    // From another footer button; any other source goes to the framework's Assign.
    void Assign(TPersistent* Source) override;

    TModalResult GetModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

    static void RegisterProperties(TPropertyTable& Table);

private:
    TModalResult FModalResult = mrNone;
};

// What the two button collections share: only a change of an item raises OnChange (through
// Change); adding, deleting or copying items raises nothing.
class TQorBandButtons : public TOwnedCollection {
    DECLARE_CLASS(TQorBandButtons, TOwnedCollection)
public:
    using TOwnedCollection::TOwnedCollection;
    // Raises OnChange.
    void Change();

protected:
    void Update(TCollectionItem* Item) override;
};

// The buttons of a header band, owned by the appearance's owner (GetOwner).
class THeaderButtons : public TQorBandButtons {
    DECLARE_CLASS(THeaderButtons, TQorBandButtons)
public:
    explicit THeaderButtons(TPersistent* AOwner);
    THeaderButton* Add() { return static_cast<THeaderButton*>(TCollection::Add()); }
    THeaderButton* Insert(int Index) { return static_cast<THeaderButton*>(TCollection::Insert(Index)); }
    THeaderButton* GetItems(int Index) const { return static_cast<THeaderButton*>(GetItem(Index)); }
    void SetItems(int Index, THeaderButton* Value) { SetItem(Index, Value); }
};

class TFooterButtons : public TQorBandButtons {
    DECLARE_CLASS(TFooterButtons, TQorBandButtons)
public:
    explicit TFooterButtons(TPersistent* AOwner);
    TFooterButton* Add() { return static_cast<TFooterButton*>(TCollection::Add()); }
    TFooterButton* Insert(int Index) { return static_cast<TFooterButton*>(TCollection::Insert(Index)); }
    TFooterButton* GetItems(int Index) const { return static_cast<TFooterButton*>(GetItem(Index)); }
    void SetItems(int Index, TFooterButton* Value) { SetItem(Index, Value); }
};

// ---- band appearances ---------------------------------------------------------------------------

// What the header and footer appearances share: visibility, size, caption, image, colours,
// border, font and the side the buttons line up on. Owns its font; GetOwner answers the owner
// given at creation (a drop-down, the grid, or a popup's own copy).
class TQorBandAppearance : public TPersistent {
    DECLARE_CLASS(TQorBandAppearance, TPersistent)
public:
    explicit TQorBandAppearance(TComponent* AOwner);
    ~TQorBandAppearance() override;
    TPersistent* GetOwner() override { return FOwner; }

    bool GetVisible() const { return FVisible; }
    // Raises OnChange when the value changes.
    void SetVisible(bool Value);
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    // HTML-subset text.
    const String& GetCaption() const { return FCaption; }
    virtual void SetCaption(const String& Value) { FCaption = Value; }
    // Image of the drop-down's image list drawn before the caption; -1: none.
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    // clNone: a plain Color background.
    TColor GetColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { FColorTo = Value; }
    TGradientDirection GetGradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
    // clNone or a width of 0: no border.
    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    int GetBorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { FBorderWidth = Value; }
    TFont* GetFont() const { return FFont; }
    // Copies the given font.
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TButtonAlignment GetButtonAlignment() const { return FButtonAlignment; }
    void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }

    // Raised by SetVisible (and, in the footer, by SetCaption).
    TNotifyEvent OnChange;
    // Raised when the button collection reports a change.
    TNotifyEvent OnButtonsChanged;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void Changed();
    // Copies colours, gradient direction, caption, font, image index, border width, height and
    // button alignment directly. The subclasses then copy their own fields and buttons, and last
    // Visible through its setter, so that a handler of OnChange sees the finished copy.
    void CopyBand(const TQorBandAppearance& Source);
    // Copies Color, ColorTo, BorderColor, GradientDirection and the font.
    void CopyColors(const TQorBandAppearance& Source);
    void ButtonsChanged(TObject* Sender);

private:
    TComponent* FOwner;
    bool FVisible = true;
    int FHeight = 22;
    String FCaption;
    int FImageIndex = -1;
    TColor FColor = clSilver;
    TColor FColorTo = clWhite;
    TGradientDirection FGradientDirection = gdVertical;
    TColor FBorderColor = clBlack;
    int FBorderWidth = 1;
    TFont* FFont;
    TButtonAlignment FButtonAlignment = baRight;
};

// The header band above the popup's control. Its font face is "Tahoma".
class THeaderAppearance : public TQorBandAppearance {
    DECLARE_CLASS(THeaderAppearance, TQorBandAppearance)
public:
    explicit THeaderAppearance(TComponent* AOwner);
    ~THeaderAppearance() override;

    // Only from another header appearance; any other source is ignored.
    void Assign(TPersistent* Source) override;
    void AssignColors(TPersistent* Source);

    THeaderButtons* GetButtons() const { return FButtons; }
    // Copies the given collection.
    void SetButtons(THeaderButtons* Value) { FButtons->Assign(Value); }

    static void RegisterProperties(TPropertyTable& Table);

private:
    THeaderButtons* FButtons;
};

// The footer band below the popup's control: the framework's default font face, a caption whose
// every setting raises OnChange, and a size grip.
class TFooterAppearance : public TQorBandAppearance {
    DECLARE_CLASS(TFooterAppearance, TQorBandAppearance)
public:
    explicit TFooterAppearance(TComponent* AOwner);
    ~TFooterAppearance() override;

    // Only from another footer appearance; any other source is ignored.
    void Assign(TPersistent* Source) override;
    void AssignColors(TPersistent* Source);

    // Stores and raises OnChange every time.
    void SetCaption(const String& Value) override;
    TFooterButtons* GetButtons() const { return FButtons; }
    void SetButtons(TFooterButtons* Value) { FButtons->Assign(Value); }
    // Shows the size grip when the drop-down is sizeable.
    bool GetSizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value) { FSizeGrip = Value; }

    static void RegisterProperties(TPropertyTable& Table);

private:
    TFooterButtons* FButtons;
    bool FSizeGrip = true;
};

// ---- button colours -----------------------------------------------------------------------------

// The colours and font of the popup's band buttons, owned by a drop-down and shared (never copied)
// by the buttons of its bands. Every colour setter and the gradient setter raise OnChange when the
// value changes; the font setter copies without a word.
class TQorButtonAppearance : public TPersistent {
    DECLARE_CLASS(TQorButtonAppearance, TPersistent)
public:
    TQorButtonAppearance();
    ~TQorButtonAppearance() override;

    // From another button appearance, through the setters (the font is not copied); any other
    // source goes to the framework's Assign.
    void Assign(TPersistent* Source) override;

    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value) { Store(FColor, Value); }
    TColor GetColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { Store(FColorTo, Value); }
    TColor GetColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value) { Store(FColorHot, Value); }
    TColor GetColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value) { Store(FColorHotTo, Value); }
    TColor GetColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value) { Store(FColorDown, Value); }
    TColor GetColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value) { Store(FColorDownTo, Value); }
    TColor GetColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value) { Store(FColorChecked, Value); }
    TColor GetColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value) { Store(FColorCheckedTo, Value); }
    TColor GetColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(TColor Value) { Store(FColorDisabled, Value); }
    TColor GetColorDisabledTo() const { return FColorDisabledTo; }
    void SetColorDisabledTo(TColor Value) { Store(FColorDisabledTo, Value); }
    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { Store(FBorderColor, Value); }
    TColor GetBorderColorHot() const { return FBorderColorHot; }
    void SetBorderColorHot(TColor Value) { Store(FBorderColorHot, Value); }
    TColor GetBorderColorDown() const { return FBorderColorDown; }
    void SetBorderColorDown(TColor Value) { Store(FBorderColorDown, Value); }
    TColor GetBorderColorChecked() const { return FBorderColorChecked; }
    void SetBorderColorChecked(TColor Value) { Store(FBorderColorChecked, Value); }
    TColor GetBorderColorDisabled() const { return FBorderColorDisabled; }
    void SetBorderColorDisabled(TColor Value) { Store(FBorderColorDisabled, Value); }
    TGradientDirection GetGradient() const { return FGradient; }
    void SetGradient(TGradientDirection Value);
    TFont* GetFont() const { return FFont; }
    void SetFont(TFont* Value) { FFont->Assign(Value); }

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

private:
    void Store(TColor& Field, TColor Value);
    TColor FColor = clNone, FColorTo = clNone;
    TColor FColorHot = TColor(0xF5F0E1), FColorHotTo = TColor(0xF9D2B2);
    TColor FColorDown = TColor(0xF5D8CA), FColorDownTo = TColor(0xF9BDA0);
    TColor FColorChecked, FColorCheckedTo;
    TColor FColorDisabled = TColor(0xF2F2F2), FColorDisabledTo = clNone;
    TColor FBorderColor = clNone, FBorderColorHot = clGray, FBorderColorDown = clNavy;
    TColor FBorderColorChecked = TColor(0xFF0000), FBorderColorDisabled = clGray;
    TGradientDirection FGradient = gdVertical;
    TFont* FFont;
};

// ---- a list with checked access -----------------------------------------------------------------

// A list whose checked reads and writes raise "Index out of bounds in list read access" / "... write
// access" for an index not below Count (negative ones are left to the list's own check).
class TDbgList : public TList {
    DECLARE_CLASS(TDbgList, TList)
public:
    void* GetItemsEx(int Index) const;
    void SetItemsEx(int Index, void* Value);
    // Clears the list and adds ListA's items in order.
    void AssignList(TList* ListA);
};

// ---- windowed control with callable child painting -----------------------------------------------

// A windowed control that lets others paint its graphic children (the band buttons paint their
// parent's background and its graphic children into themselves).
class TWinCtrl : public TWinControl {
    DECLARE_CLASS(TWinCtrl, TWinControl)
public:
    explicit TWinCtrl(TComponent* AOwner) : TWinControl(AOwner) {}
    void PaintCtrls(HDC DC, TControl* First) { PaintControls(DC, First); }
};

// ---- band button ----------------------------------------------------------------------------------

// The owner-drawn button of a header or footer band: a gradient face from the drop-down's shared
// button appearance over the band's background, an image and a caption, hot and pressed tracking,
// push, check or radio-group behaviour, and, in a footer, closing the popup by its ModalResult. A
// 1 ms timer clears the hot look once the pointer is found outside, also when the leave was lost.
class TQorButton : public TCustomControl {
    DECLARE_CLASS(TQorButton, TCustomControl)
public:
    explicit TQorButton(TComponent* AOwner);
    ~TQorButton() override;

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void Click() override;

    // Colours and font, shared with the drop-down (never owned); without it nothing is drawn.
    TQorButtonAppearance* Appearance = nullptr;
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex = -1;
    TModalResult ModalResult = mrNone;
    TQorButtonStyle Style = tasButton;
    int GroupIndex = 0;
    bool AllowAllUp = false;
    TQorCustomDropDown* GetQorDropDown() const { return FQorDropDown; }
    void SetQorDropDown(TQorCustomDropDown* Value);
    bool GetDown() const { return FDown; }
    void SetDown(bool Value);
    TQorButtonState GetState() const { return FState; }
    bool GetMouseInControl() const { return FMouseInControl; }
    TTimer* GetUnHotTimer() const { return FUnHotTimer; }
    // Height := caption (and image) height + 4, width := image + 4 + caption + 8 (see the .cpp).
    void SetAutoSizeEx();
    void InvalidateMe() { Invalidate(); }
    // A left press landed; nothing here.
    void ButtonDown() {}

protected:
    // The face, image and caption on ACanvas (new virtual operation).
    virtual void DrawButton(TCanvas* ACanvas);
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMButtonPressed(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void UnHotTimerOnTime(TObject* Sender);
    void UpdateTracking();
    void UpdateExclusive();
    // The parent's background and graphic children painted into this button.
    void PaintParentBackground();
    bool Inside(int X, int Y);

    TCustomImageList* FImages = nullptr;
    TQorCustomDropDown* FQorDropDown = nullptr;
    bool FDown = false;
    TQorButtonState FState = absUp;
    bool FMouseInControl = false;
    bool FMouseDownInControl = false;
    bool FDragging = false;
    bool FInitialDown = false;
    bool FInternalClick = false;
    TTimer* FUnHotTimer = nullptr;
};

// ---- header and footer bands -------------------------------------------------------------------

// What the header and footer panels share: the band's images, its drop-down, its buttons (made from
// the drop-down's button collection, in creation order), its painting and the two events. The
// panels differ in their appearance, which edge carries the border line, and the footer's grip.
class TQorBand : public TCustomControl {
    DECLARE_CLASS(TQorBand, TCustomControl)
public:
    explicit TQorBand(TComponent* AOwner);
    ~TQorBand() override;

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TQorCustomDropDown* GetQorDropDown() const { return FQorDropDown; }
    // Stores the link; with a drop-down the band takes its images and copies its appearance.
    virtual void SetQorDropDown(TQorCustomDropDown* Value);
    // Rebuilds the buttons (when linked).
    void Initialize();
    TDbgList* GetButtonList() const { return FButtonList; }
    // The rectangle the buttons line up in, its height, and the part the buttons cover.
    virtual TRect GetButtonsRect();
    int GetMaxButtonHeight() { return GetButtonsRect().Height(); }
    TRect GetButtonsCoveredRect();
    // A button's click: the drop-down's header or footer button event with the button's Tag.
    void OnButtonClick(TObject* Sender);

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

protected:
    // New virtual operations, in slot order.
    virtual void CreateButtons();
    virtual void DestroyButtons();
    virtual void ArrangeButtons();
    virtual void UpdateButtons();

    void Paint() override;
    // The band's appearance and the drop-down's button collection of this band.
    virtual TQorBandAppearance* BandAppearance() const = 0;
    virtual TQorBandButtons* DropDownButtons() const = 0;
    virtual bool IsFooter() const { return false; }
    // What the footer adds after the caption (its grip).
    virtual void PaintExtras(const TRect& R) {}
    void AppearanceChanged(TObject* Sender);

    TCustomImageList* FImages = nullptr;
    TQorCustomDropDown* FQorDropDown = nullptr;
    TDbgList* FButtonList = nullptr;
};

class TQorHeader : public TQorBand {
    DECLARE_CLASS(TQorHeader, TQorBand)
public:
    explicit TQorHeader(TComponent* AOwner);
    ~TQorHeader() override;

    void SetQorDropDown(TQorCustomDropDown* Value) override;
    THeaderAppearance* GetAppearance() const { return FAppearance; }
    void SetAppearance(THeaderAppearance* Value) { FAppearance->Assign(Value); }
    // The drop-down's header buttons; none without a drop-down.
    THeaderButtons* GetButtons() const;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    TQorBandAppearance* BandAppearance() const override { return FAppearance; }
    TQorBandButtons* DropDownButtons() const override { return GetButtons(); }

private:
    THeaderAppearance* FAppearance;
};

class TQorFooter : public TQorBand {
    DECLARE_CLASS(TQorFooter, TQorBand)
public:
    explicit TQorFooter(TComponent* AOwner);
    ~TQorFooter() override;

    void SetQorDropDown(TQorCustomDropDown* Value) override;
    TFooterAppearance* GetAppearance() const { return FAppearance; }
    void SetAppearance(TFooterAppearance* Value) { FAppearance->Assign(Value); }
    TFooterButtons* GetButtons() const;
    TRect GetButtonsRect() override;
    // The appearance shows a grip and the linked drop-down is sizeable.
    bool HasSizeGrip();
    // Six 2 x 2 squares pointing to R's bottom-right corner, white under the border colour.
    void DrawSizeGrip(const TRect& R);
    TCursor GetOldCursor() const { return FOldCursor; }
    void Dispatch(TMessage& Message) override;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    TQorBandAppearance* BandAppearance() const override { return FAppearance; }
    TQorBandButtons* DropDownButtons() const override { return GetButtons(); }
    bool IsFooter() const override { return true; }
    void PaintExtras(const TRect& R) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool InGripZone(int X, int Y);
    void RestoreCursor();
    TFooterAppearance* FAppearance;
    TCursor FOldCursor = crDefault;
};

// ---- popup form ---------------------------------------------------------------------------------

// The popup of a drop-down: a borderless, topmost form owned by the window of the form the
// drop-down stands on. It paints its background and border, keeps that form's caption active while
// it has the focus, closes itself when another window of the application becomes active, previews
// the keys of its children (see the unit's comment) and reports sizing.
class TDropDownForm : public TForm {
    DECLARE_CLASS(TDropDownForm, TForm)
public:
    explicit TDropDownForm(TComponent* AOwner);
    // Framework construction without a description (the shadow on, deactivation cancelling).
    static TDropDownForm* CreateNew(TComponent* AOwner, int Dummy = 0);

    TQorCustomDropDown* GetQorDropDown() const { return FQorDropDown; }
    void SetQorDropDown(TQorCustomDropDown* Value) { FQorDropDown = Value; }
    // Creates or refreshes the header and footer panels from the drop-down's appearances.
    void InitializeAndUpdate();
    // Background (colour or gradient) and border, as the drop-down's popup properties say.
    void DrawBackGround(TCanvas* ACanvas);
    // The outermost ancestor window of the drop-down's window; 0 without one.
    HWND GetParentWnd();
    // New virtual operation; nothing here.
    virtual void UpdateSize() {}

    TQorHeader* GetHeader() const { return FHeader; }
    TQorFooter* GetFooter() const { return FFooter; }
    bool GetShadow() const { return FShadow; }
    void SetShadow(bool Value) { FShadow = Value; }
    // Closing by deactivation discards the new value.
    bool GetCancelOnDeActivate() const { return FCancelOnDeActivate; }
    void SetCancelOnDeActivate(bool Value) { FCancelOnDeActivate = Value; }
    // The bottom-right corner answers as a sizing corner.
    bool GetSizeable() const { return FSizeable; }
    void SetSizeable(bool Value) { FSizeable = Value; }
    // While set, activation and deactivation have no effect of the form's own.
    bool GetBlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool Value) { FBlockActivate = Value; }
    // A deactivation began and the popup has not closed from it yet.
    bool GetIsDeactivating() const { return FIsDeactivating; }
    void SetIsDeactivating(bool Value) { FIsDeactivating = Value; }
    // The tick count at the last deactivation of the visible form.
    Cardinal GetDeActivate() const { return FDeActivate; }

    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnSizing;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateParams(TCreateParams& Params) override;
    // The framework's client rectangle less the drop-down's border width on every side.
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;

private:
    void WMActivate(TMessage& Message);
    void WMNCHitTest(TMessage& Message);

    TQorCustomDropDown* FQorDropDown = nullptr;
    TQorHeader* FHeader = nullptr;
    TQorFooter* FFooter = nullptr;
    bool FShadow = true;
    bool FCancelOnDeActivate = true;
    bool FSizeable = false;
    bool FBlockActivate = false;
    bool FIsDeactivating = false;
    Cardinal FDeActivate = 0;
};

// ---- drop button --------------------------------------------------------------------------------

class TDropDownEditButton;

// The speed button that fills the drop button: the drop arrow in flat colours, as the themed
// combo-box button or as the framework's button with a drawn arrow; or a push button.
class TQorDropDownSpeedButton : public TSpeedButton {
    DECLARE_CLASS(TQorDropDownSpeedButton, TSpeedButton)
public:
    explicit TQorDropDownSpeedButton(TComponent* AOwner);

    TButtonStyle GetButtonStyle() const { return FButtonStyle; }
    // Stores and repaints (also when unchanged).
    void SetButtonStyle(TButtonStyle Value);
    bool GetEtched() const { return FEtched; }
    void SetEtched(bool Value);
    bool GetFocused() const { return FFocused; }
    void SetFocused(bool Value);
    bool GetHot() const { return FHot; }
    void SetUp() { FUp = true; }
    bool GetIsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value) { FIsWinXP = Value; }
    // The common controls are version 6 and a visual style is active.
    bool DoVisualStyles();
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void PaintDropDown();
    // The system's combo-box drop button in State (1 normal, 2 hot, 3 pressed, 4 disabled); false
    // when no visual style answers for the parent window.
    bool PaintThemedDropDown(HDC DC, int State);
    void PaintButton();

private:
    TDropDownEditButton* Host() const;
    TQorCustomDropDown* Edit() const;
    bool Pressed() const;
    TButtonStyle FButtonStyle = bsButton;
    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FUp = false;
    bool FIsWinXP = false;
};

// The drop button: a small windowed control at the edit's right edge, always FBWidth wide, filled
// by its speed button. A left-button release raises OnClick after moving the focus to the focus
// control. The flat colours (ButtonColor ...) come from the edit's colour tones.
class TDropDownEditButton : public JyrControls::TButtonHost {
    DECLARE_CLASS(TDropDownEditButton, JyrControls::TButtonHost)
public:
    explicit TDropDownEditButton(TComponent* AOwner);

    TQorDropDownSpeedButton* GetButton() const { return FButton; }
    TBitmap* GetGlyph() const;
    void SetGlyph(TBitmap* Value);
    String GetCaption() const;
    void SetCaption(const String& Value);
    TNumGlyphs GetNumGlyphs() const;
    void SetNumGlyphs(TNumGlyphs Value);
    int GetBWidth() const { return FBWidth; }
    void SetBWidth(int Value) { FBWidth = Value; }

    void Dispatch(TMessage& Message) override;
    // The speed button's mouse-up: a left release moves the focus and raises OnClick.
    void BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // The speed button's own click: nothing.
    void BtnClick(TObject* Sender) {}

    static void RegisterProperties(TPropertyTable& Table);

protected:
    TQorDropDownSpeedButton* CreateButton();
    void AdjustSize(int& W, int& H) override;
    // The host draws nothing of its own (its button paints its face): the system's default paint,
    // a second begin and end of painting inside the host's own, is left out.
    void PaintWindow(HDC) override {}

private:
    TQorDropDownSpeedButton* FButton = nullptr;
    int FBWidth = 16;
};

// ---- the drop-down edit -------------------------------------------------------------------------

// A single-line typed edit with a drop button and a popup form. The value lives only as the edit's
// text, between a fixed Prefix and Suffix; EditType decides what may be typed. Pickers derive from
// it and override the virtual steps below (declared in their contract's order) as inherited steps.
class TQorCustomDropDown : public TCustomMaskEdit, public QorStyleIF::IJOQStyle, public QorStyleIF::IJOQTones {
    DECLARE_CLASS(TQorCustomDropDown, TCustomMaskEdit)
public:
    explicit TQorCustomDropDown(TComponent* AOwner);
    ~TQorCustomDropDown() override;
    // Runs the virtual steps of construction (popup form, drop button, selection and component
    // styles), so that a picker's overrides run.
    void AfterConstruction() override;

    // ---- the contract: new virtual operations, in order -----------------------------------------
    virtual void LabelClick(TObject* Sender);
    virtual void LabelDblClick(TObject* Sender);
    // 17040896: bytes 1, 4, 6, 0 from the highest down.
    virtual int GetVersionNr();
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void UpdateDropDownButton();
    virtual void BeforeDropDown();
    virtual void AdaptDropDownSize(int& AHeight);
    virtual void AfterDropDown();
    virtual void DoShowDropDown();
    virtual void SetCenterControl();
    virtual void UpdateDropDownSize();
    virtual void DoHideDropDown(bool Cancelled);
    virtual void OnHideDropDown(TObject* Sender);
    virtual void OnDestroyDropDownForm(TObject* Sender);
    virtual void OnDropDownFormMouseWheelDown(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void OnDropDownFormMouseWheelUp(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void OnDropDownFormKeyPress(TObject* Sender, Char& Key);
    virtual void OnDropDownFormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void OnDropDownFormKeyUp(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void OnDropDownControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void OnDropDownControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift);
    virtual void OnDropDownControlKeyPress(TObject* Sender, Char& Key);
    virtual void OnDropDownSizing(TObject* Sender);
    virtual void HandleMouseWheelDown();
    virtual void HandleMouseWheelUp();
    virtual void DrawBackGround();
    virtual void PaintEdit();
    virtual int GetMinValue();
    virtual void SetEditRect();
    // True when the window is the library's line window (a money value's, CreateParams).
    bool HasLineWindow() const;
    virtual void ResizeControl();
    virtual void SetText(const String& Value);
    virtual void SetSelectionColorStyle(TSelectionColorStyle Value);
    virtual void DrawSelectionBackground(TCanvas* Canvas, TRect R, TColor bkgcolor, QorUtil::TGradientPart part);
    virtual void DrawGradientBackground(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R,
                                        TGradientDirection GradientDirection);
    void SetComponentStyle(QorStyleIF::TJOQStyle AStyle) override;
    void SetColorTones(const QorStyleIF::TColorTones& ATones) override;
    // After typing and pasting; nothing here (lookup pickers fill it in).
    virtual void UpdateLookup() {}

    // ---- message handlers the pickers and the grid's adapters call as inherited steps -----------
    virtual void WMKeyDown(TMessage& Message);
    virtual void WMChar(TMessage& Message);
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    virtual void WMPaint(TMessage& Message);
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    virtual void CMWantSpecialKey(TMessage& Message);
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SetParent(TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void ChangeScale(int M, int D) override;
    void ChangeScale(int M, int D, bool IsDpiChange) override;
    void Assign(TPersistent* Source) override;

    // ---- opening and closing ----------------------------------------------------------------------
    void ShowDropDown() { DoShowDropDown(); }
    // Closes through DoHideDropDown, then clears the popup form's deactivating flag.
    void HideDropDown(bool CancelChanges);
    // The reopen rule: opens unless the popup lost the activation 250 ms ago or less.
    void MouseButtonDown(TObject* Sender);
    void DropDownButtonClick(TObject* Sender) { MouseButtonDown(Sender); }
    // Forgets the size the user gave the popup.
    void ResetDropSize();
    // The form's size when it is sizeable; else DropDownWidth x DropDownHeight when both are set;
    // else the hosted control's; (0, 0) otherwise.
    TSize GetDropDownSize();
    bool GetDroppedDown() const { return FDroppedDown; }
    TDropDownForm* GetDropDownForm() const { return FDropDownForm; }
    TDropDownEditButton* GetButton() const { return FButton; }
    TLabel* GetLabel() const { return FLabel; }

    // ---- the value --------------------------------------------------------------------------------
    // The value text: the display text without Prefix and Suffix.
    String GetText();
    // The display text exactly as given.
    void SetTextDirect(const String& s);
    // The value as a number by EditType; never raises.
    Extended GetFloat();
    void SetFloat(Extended Value);
    void SetInt(int Value);
    // s without thousand separators, converted with the locale's settings; 0 when it is no number.
    Extended EStrToFloat(const String& s);
    TDropDownEditType GetEditType() const { return FEditType; }
    void SetEditType(TDropDownEditType Value);
    SmallInt GetPrecision() const { return FPrecision; }
    // Taken for etString, etFloat and etMoney only; above MaxPrecision gives 0.
    void SetPrecision(SmallInt Value);
    static constexpr int MaxPrecision = 15;

    // Selects the value between Prefix and Suffix.
    void SelectAll();
    void SelectAfterDecimal();
    void SelectBeforeDecimal();
    int DecimalPos();
    int FixedLength(const String& s);
    bool AllowMin(Char ch);
    // Regroups an etMoney value's integer digits with thousand separators.
    void AutoSeparators();
    // The character index under a client point.
    int CharFromPos(TPoint pt);
    bool GetModified();
    void SetModified(bool Value);
    // Selection over the display text.
    int GetSelStart();
    void SetSelStart(int Value);
    int GetSelLength();
    void SetSelLength(int Value);

    // ---- colours ----------------------------------------------------------------------------------
    QorStyleIF::TJOQStyle GetComponentStyle() const { return FComponentStyle; }
    // A component style's colours on an item appearance; nothing without one.
    void SetAppearanceStyle(TItemAppearance* ItemAppearance, QorStyleIF::TJOQStyle AStyle);
    TSelectionColorStyle GetSelectionColorStyle() const { return FSelectionColorStyle; }
    TColor GetSelectionColor() const { return FSelectionColor; }
    // Stores it and switches the preset to scCustom.
    void SetSelectionColor(TColor Value);
    TColor GetSelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value) { FSelectionColorTo = Value; }
    void DrawBorders();
    void DrawControlBorder(HDC DC);
    void DrawButtonBorder();
    bool Is3DBorderControl();
    bool Is3DBorderButton();

    // ---- properties -------------------------------------------------------------------------------
    int GetDropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int Value);
    int GetDropDownHeight() const { return FDropDownHeight; }
    // Negative values are ignored.
    void SetDropDownHeight(int Value);
    int GetUserDropDownWidth() const { return FUserDropDownWidth; }
    int GetUserDropDownHeight() const { return FUserDropDownHeight; }
    bool GetEditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value);
    bool GetDropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool Value);
    TDropPosition GetDropPosition() const { return FDropPosition; }
    void SetDropPosition(TDropPosition Value) { FDropPosition = Value; }
    TColor GetDropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
    TColor GetDropDownColorTo() const { return FDropDownColorTo; }
    void SetDropDownColorTo(TColor Value) { FDropDownColorTo = Value; }
    TColor GetDropDownBorderColor() const { return FDropDownBorderColor; }
    void SetDropDownBorderColor(TColor Value) { FDropDownBorderColor = Value; }
    int GetDropDownBorderWidth() const { return FDropDownBorderWidth; }
    // Negative values and values above MaxBorderWidth are ignored.
    void SetDropDownBorderWidth(int Value);
    static constexpr int MaxBorderWidth = 100;
    bool GetDropDownShadow() const { return FDropDownShadow; }
    void SetDropDownShadow(bool Value) { FDropDownShadow = Value; }
    bool GetDropDownSizeable() const { return FDropDownSizeable; }
    void SetDropDownSizeable(bool Value) { FDropDownSizeable = Value; }
    int GetDropDownButtonWidth() const { return FDropDownButtonWidth; }
    // 0 .. MaxButtonWidth; other values are ignored.
    void SetDropDownButtonWidth(int Value);
    static constexpr int MaxButtonWidth = 1000;
    int GetButtonWidth() const { return FDropDownButtonWidth; }
    const String& GetDropDownButtonHint() const { return FDropDownButtonHint; }
    void SetDropDownButtonHint(const String& Value);
    TBitmap* GetDropDownButtonGlyph() const;
    void SetDropDownButtonGlyph(TBitmap* Value);
    String GetButtonCaption() const;
    void SetButtonCaption(const String& Value);
    TQorButtonAppearance* GetButtonAppearance() const { return FButtonAppearance; }
    void SetButtonAppearance(TQorButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    THeaderAppearance* GetDropDownHeader() const { return FDropDownHeader; }
    void SetDropDownHeader(THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
    TFooterAppearance* GetDropDownFooter() const { return FDropDownFooter; }
    void SetDropDownFooter(TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor GetFocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
    bool GetDisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value);
    const String& GetEmptyText() const { return FEmptyText; }
    void SetEmptyText(const String& Value);
    bool GetEmptyTextFocused() const { return FEmptyTextFocused; }
    void SetEmptyTextFocused(bool Value) { FEmptyTextFocused = Value; }
    TFontStyles GetEmptyTextStyle() const { return FEmptyTextStyle; }
    void SetEmptyTextStyle(TFontStyles Value);
    String GetLabelCaption() const;
    void SetLabelCaption(const String& Value);
    QorDropDown::TLabelPosition GetLabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(QorDropDown::TLabelPosition Value);
    int GetLabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int Value);
    bool GetLabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool GetLabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value) { FLabelAlwaysEnabled = Value; }
    TFont* GetLabelFont() const { return FLabelFont; }
    void SetLabelFont(TFont* Value);
    // "1.4.6.0"; writing does nothing.
    String GetVersion();
    void SetVersion(const String&) {}
    const String& GetPrefix() const { return FPrefix; }
    void SetPrefix(const String& Value);
    const String& GetSuffix() const { return FSuffix; }
    void SetSuffix(const String& Value);
    SmallInt GetLengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(SmallInt Value) { FLengthLimit = Value; }
    bool GetSigned() const { return FSigned; }
    void SetSigned(bool Value) { FSigned = Value; }
    const String& GetValidChars() const { return FValidChars; }
    void SetValidChars(const String& Value) { FValidChars = Value; }
    bool GetReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    bool GetDefaultHandling() const { return FDefaultHandling; }
    void SetDefaultHandling(bool Value) { FDefaultHandling = Value; }
    bool GetCanUndo() const { return FCanUndo; }
    void SetCanUndo(bool Value) { FCanUndo = Value; }
    bool GetAutoThousandSeparator() const { return FAutoThousandSeparator; }
    void SetAutoThousandSeparator(bool Value) { FAutoThousandSeparator = Value; }
    bool GetExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
    bool GetAllowNumericNullValue() const { return FAllowNumericNullValue; }
    void SetAllowNumericNullValue(bool Value) { FAllowNumericNullValue = Value; }
    bool GetFocusDraw() const { return FFocusDraw; }
    void SetFocusDraw(bool Value) { FFocusDraw = Value; }
    bool GetForceShadow() const { return FForceShadow; }
    void SetForceShadow(bool Value) { FForceShadow = Value; }
    TGradientDirection GetDropDownGradient() const { return FDropDownGradient; }
    void SetDropDownGradient(TGradientDirection Value) { FDropDownGradient = Value; }
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    bool GetEtched() const { return FEtched; }
    void SetEtched(bool Value);
    TControl* GetControl() const { return FControl; }
    void SetControl(TControl* Value);
    TWinControl* GetFocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    TRect GetEditRect() const { return FEditRect; }
    bool GetIsWinXP() const { return FIsWinXP; }
    bool GetIsThemed() const { return FIsThemed; }
    bool GetMouseInControl() const { return FMouseInControl; }
    const String& GetOldText() const { return FOldText; }

    TNotifyEvent OnBeforeDropDown;
    TDropDown OnDropDown;
    TNotifyEvent OnBeforeDropUp;
    TDropUp OnDropUp;
    TGetDropDownPosEvent OnGetDropDownPos;
    QorDropDown::TClipboardEvent OnClipboardCopy;
    QorDropDown::TClipboardEvent OnClipboardCut;
    QorDropDown::TClipboardEvent OnClipboardPaste;
    TDropDownButtonItemClick OnDropDownHeaderButtonClick;
    TDropDownButtonItemClick OnDropDownFooterButtonClick;
    TDrawBackGroundEvent OnDrawHeader;
    TDrawBackGroundEvent OnDrawFooter;
    TGetTextEvent OnGetHeaderText;
    TGetTextEvent OnGetFooterText;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DoEnter() override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void DefineProperties(TFiler* Filer) override;

    // The label and the inner layout.
    void CreateLabel();
    void UpdateLabel();
    void LabelFontChange(TObject* Sender);
    int GetMinHeight();
    void OnHeaderAppearanceChanged(TObject* Sender);
    void OnFooterAppearanceChanged(TObject* Sender);
    void DropDownSizing(TObject* Sender) { OnDropDownSizing(Sender); }

    // Message methods of typed input (QorDropDownInput.cpp).
    void WMPaste(TMessage& Message);
    void WMCut(TMessage& Message);
    void WMCopy(TMessage& Message);
    void WMLButtonDown(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void CNCommand(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);

    // The edit's own text and selection.
    String DisplayText();
    // The value part of a display text (GetText of that text).
    String ValueOf(String Display) const;
    void SetDisplay(const String& Text, int CaretStart, int CaretLength = 0);
    // The prefix and suffix caret rules of a key-down; true when the key was dropped.
    bool CaretFence(Word& Key, TShiftState Shift);
    // The value typed with Ctrl held (the key state).
    static bool CtrlDown();
    static bool AltDown();

    // State (the names the contract gives them).
    String FOldText;
    String FOldString;
    bool FIsModified = false;
    bool FBlockChange = false;
    bool FBlockCopy = false;
    bool FButtonDown = false;
    bool FMouseInControl = false;
    bool FDoShowBusy = false;
    bool FIsWinXP = false;
    bool FIsThemed = false;
    bool FParentFnt = false;
    int FLblFntHeight = 0;
    bool FLblUpdate = false;
    TRect FEditRect;
    TLabel* FLabel = nullptr;
    TFont* FLabelFont = nullptr;
    TDropDownEditButton* FButton = nullptr;
    TDropDownForm* FDropDownForm = nullptr;
    int FUserDropDownWidth = -1;
    int FUserDropDownHeight = -1;

private:
    // The typing engine of WM_CHAR (QorDropDownInput.cpp): true when the character was passed.
    bool TypeNumberChar(Char& Ch);
    // Types Ch over the selection of an etMoney value and regroups it, as one replacement of the
    // part of the text that changes; false (nothing done) where the window's own typing must run.
    bool TypeRegrouped(Char Ch);
    // Set while a typed money character is passed to the window.
    bool FRegroupTyped = false;
    void ToggleSign(bool KeepPrecision);
    bool ScanDistance(int Caret);
    bool ScanPrecision(int Caret);
    void PasteText(const String& Clip);
    // The hosted windowed control's keys go to the control slots.
    void RouteControlKeys();
    // Where the popup opens at its current size.
    TPoint PlacePopup();
    // F4: closes the open popup keeping the value, else opens it.
    void ToggleDropDown();
    bool FInWMKeyDown = false;

    int FDropDownWidth = 0;
    int FDropDownHeight = 0;
    bool FEditorEnabled = true;
    bool FDropDownEnabled = true;
    TDropPosition FDropPosition = dpAuto;
    TColor FDropDownColor = clWhite;
    TColor FDropDownColorTo = clNone;
    TColor FDropDownBorderColor = clBlack;
    int FDropDownBorderWidth = 1;
    bool FDropDownShadow = true;
    bool FDropDownSizeable = true;
    int FDropDownButtonWidth = 17;
    String FDropDownButtonHint;
    TQorButtonAppearance* FButtonAppearance = nullptr;
    THeaderAppearance* FDropDownHeader = nullptr;
    TFooterAppearance* FDropDownFooter = nullptr;
    TCustomImageList* FImages = nullptr;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
    String FEmptyText;
    bool FEmptyTextFocused = false;
    TFontStyles FEmptyTextStyle;
    QorDropDown::TLabelPosition FLabelPosition = QorDropDown::lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FLabelAlwaysEnabled = false;
    TDropDownEditType FEditType = etString;
    SmallInt FPrecision = 0;
    String FPrefix;
    String FSuffix;
    SmallInt FLengthLimit = 0;
    bool FSigned = false;
    String FValidChars;
    bool FReturnIsTab = false;
    bool FDefaultHandling = true;
    bool FCanUndo = true;
    bool FAutoThousandSeparator = true;
    bool FExcelStyleDecimalSeparator = false;
    bool FAllowNumericNullValue = false;
    TColor FSelectionColor = clNone;
    TColor FSelectionColorTo = clNone;
    TSelectionColorStyle FSelectionColorStyle = scCustom;
    QorStyleIF::TJOQStyle FComponentStyle = QorStyleIF::tsCustom;
    bool FFocusDraw = true;
    bool FForceShadow = false;
    TGradientDirection FDropDownGradient = gdHorizontal;
    bool FFlat = false;
    bool FEtched = false;
    TControl* FControl = nullptr;
    // The hosted control's own size, taken when it is set: once it fills the popup's client area
    // its bounds follow the popup, and the popup's automatic size is made from this one.
    TSize FControlSize{0, 0};
    TWinControl* FFocusControl = nullptr;
    bool FDroppedDown = false;
};

// The drop-down with its properties published; it adds no code.
class TQorDropDown : public TQorCustomDropDown {
    DECLARE_CLASS(TQorDropDown, TQorCustomDropDown)
public:
    explicit TQorDropDown(TComponent* AOwner) : TQorCustomDropDown(AOwner) {}
    // The published properties of the drop-down (pickers that publish the same call it).
    static void RegisterProperties(TPropertyTable& Table);
};

// ---- item selector --------------------------------------------------------------------------------

// One cell of an item selector: an HTML-subset caption beside a picture, an image of the image
// list or a colour box. A disabled item can become neither hot nor selected.
class TSelectorItem : public TCollectionItem {
    DECLARE_CLASS(TSelectorItem, TCollectionItem)
public:
    explicit TSelectorItem(TCollection* ACollection);
    ~TSelectorItem() override;
    void Assign(TPersistent* Source) override;

    const String& GetCaption() const { return FCaption; }
    void SetCaption(const String& Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TPicture* GetImage() const { return FImage; }
    // Copies; raises nothing.
    void SetImage(TPicture* Value) { FImage->Assign(Value); }
    const String& GetHint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // The cell in panel coordinates, written by the layout.
    TRect FRect;

    static void RegisterProperties(TPropertyTable& Table);

private:
    String FCaption;
    TColor FColor = clNone;
    int FImageIndex = -1;
    TPicture* FImage;
    String FHint;
    bool FEnabled = true;
};

class TSelectorItems : public TOwnedCollection {
    DECLARE_CLASS(TSelectorItems, TOwnedCollection)
public:
    explicit TSelectorItems(TPersistent* AOwner);
    TSelectorItem* Add() { return static_cast<TSelectorItem*>(TCollection::Add()); }
    // The selected and hot items stay on their items.
    TSelectorItem* Insert(int Index);
    TSelectorItem* GetItems(int Index) const { return static_cast<TSelectorItem*>(GetItem(Index)); }
    void SetItems(int Index, TSelectorItem* Value) { SetItem(Index, Value); }
    // Raises OnChange.
    void Change();

protected:
    void Update(TCollectionItem* Item) override;
    // An item put in or taken out: the host's panel keeps its selected and hot items on the items
    // they were (an item taken out clears its own) and is laid out again once the queued messages
    // are handled. Nothing is raised.
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    TQorCustomItemSelector* Host();
};

// The hot and selected colours of an item selector's cells, with three presets.
class TItemAppearance : public TPersistent {
    DECLARE_CLASS(TItemAppearance, TPersistent)
public:
    explicit TItemAppearance(TPersistent* AOwner);
    ~TItemAppearance() override;
    TPersistent* GetOwner() override { return FOwner; }
    // The twelve preset colours and the font, then the source's style (which applies its preset when
    // it changes to one), then the text and hot/selected border colours; other sources go to the
    // framework's Assign.
    void Assign(TPersistent* Source) override;

    TSelectionColorStyle GetColorStyle() const { return FColorStyle; }
    // Nothing when unchanged; a preset sets its twelve colours, scCustom keeps them.
    void SetColorStyle(TSelectionColorStyle Value);

    TColor ColorHot = clNone, ColorHotTo = clNone, ColorMirrorHot = clNone, ColorMirrorHotTo = clNone;
    TColor ColorSelected = clNone, ColorSelectedTo = clNone, ColorMirrorSelected = clNone, ColorMirrorSelectedTo = clNone;
    TColor BorderColor = clNone, BorderColorTop = clNone, BorderColorBottom = clNone, EdgeColor = clNone;
    TColor BorderColorHot = clNone, BorderColorSelected = clNone;
    TColor ColorHotText = clBlack, ColorSelectedText = clBlack;
    TFont* GetFont() const { return FFont; }
    void SetFont(TFont* Value) { FFont->Assign(Value); }

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

private:
    TPersistent* FOwner;
    TSelectionColorStyle FColorStyle = scCustom;
    TFont* FFont;
};

// The panel of an item selector: lays the cells out row by row, Columns to a row, sizes itself to
// them, paints them and takes the mouse. Its host scrolls it. Settings are read from the host.
class TCustomItemSelector : public TCustomControl {
    DECLARE_CLASS(TCustomItemSelector, TCustomControl)
public:
    // Raises "Invalid parent" when AOwner is not an item selector host.
    explicit TCustomItemSelector(TComponent* AOwner);

    // New virtual operations, in slot order.
    virtual void DrawItem(int Index, TCanvas* ACanvas);
    virtual void GetInnerRect(TRect& R);
    virtual void GetItemSize(TSize& ASize);
    virtual void InvalidateItem(int Index);
    virtual void UpdateRectAndSize();

    int GetItemIndex() const { return FItemIndex; }
    // -1 .. Count - 1 (other values are taken as -1); a disabled item is refused.
    void SetItemIndex(int Value);
    int GetItemHot() const { return FItemHot; }
    void SetItemHot(int Value);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const String& s);
    int ItemAtPos(int X, int Y);
    TRect GetItemRect(int Index);
    // Paints the cells that meet the canvas's clip box.
    void DrawItems(TCanvas* ACanvas);
    TQorCustomItemSelector* GetQorItemSelector() const { return FQorItemSelector; }
    TSize GetCellSize() const { return FCellSize; }
    // The size the cells take with their margins. The window is no larger than the host's client
    // area shows of it (a window cannot be 65,536 pixels tall); the host scrolls the cells inside.
    TSize GetPanelSize() const { return FPanelSize; }
    // How far the cells are scrolled: window point + offset = cell-area point.
    TPoint GetScrollOffset() const { return FScrollOffset; }
    void SetScrollOffset(TPoint Value);
    // The window's size for the host's client size.
    void FitWindow();
    // The item at Index was taken out (-1: all were): the selected and hot items after it move up
    // one, the item itself is neither any more.
    void ItemTakenOut(int Index);
    // An item was put in at Index: the selected and hot items from there on move down one.
    void ItemPutIn(int Index);

    void Loaded() override { inherited::Loaded(); }
    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnItemSelect;

    int FOffSetX = 2, FOffSetY = 2;
    int FItemOffSetX = 4, FItemOffSetY = 4;
    int FCaptionGap = 4;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    void DrawNow(int Index);
    TSelectorItems* Items() const;
    // Cell-area coordinates on a device context of the window.
    void UseCellArea(HDC DC);
    int FItemIndex = -1;
    int FItemHot = -1;
    TSize FCellSize{0, 0};
    TSize FPanelSize{100, 50};
    TPoint FScrollOffset{0, 0};
    TQorCustomItemSelector* FQorItemSelector = nullptr;
};

// The host of an item selector: a scrolling control that owns the items, the settings and the
// item colours, and scrolls its panel.
class TQorCustomItemSelector : public TScrollingWinControl {
    DECLARE_CLASS(TQorCustomItemSelector, TScrollingWinControl)
public:
    explicit TQorCustomItemSelector(TComponent* AOwner);
    ~TQorCustomItemSelector() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

    TSelectorItems* GetItems() const { return FItems; }
    void SetItems(TSelectorItems* Value);
    int GetColumns() const { return FColumns; }
    // Values below 1 are ignored.
    void SetColumns(int Value);
    TItemLayout GetItemLayout() const { return FItemLayout; }
    void SetItemLayout(TItemLayout Value) { FItemLayout = Value; }
    TSelectorType GetSelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType Value);
    int GetColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int Value);
    int GetColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TItemAppearance* GetItemAppearance() const { return FItemAppearance; }
    void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    int GetItemIndex() const;
    void SetItemIndex(int Value);
    int GetItemHot() const;
    TCustomItemSelector* GetSelectorPanel() const { return FSelectorPanel; }

    // Lays the panel out now.
    void UpdateSelectorPanel();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const String& s);
    void ScrollItemInView(int Index);
    int GetVisibleItemCount();
    TSize GetItemPanelSize();

    TNotifyEvent OnItemSelect;
    QorDropDown::TDrawItemEvent OnDrawItem;
    QorDropDown::TItemSizeEvent OnItemSize;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateSelectorPanel();
    void CreateWnd() override;
    void CalcAutoRange() override;
    void ScrollBy(int DeltaX, int DeltaY) override;

private:
    friend class TCustomItemSelector;
    friend class TSelectorItems;
    void PanelItemSelect(TObject* Sender);
    // A change of the items lays the panel out once the queued messages are handled (a burst of
    // changes, such as filling ten thousand items, lays it out once); UpdateSelectorPanel at once.
    void LayoutLater();
    bool FLayoutPending = false;
    TSelectorItems* FItems;
    int FColumns = 1;
    TItemLayout FItemLayout = ilCaptionRight;
    TSelectorType FSelectorType = stImage;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    TCustomImageList* FImages = nullptr;
    TItemAppearance* FItemAppearance;
    TCustomItemSelector* FSelectorPanel = nullptr;
};

// ---- unit routines ------------------------------------------------------------------------------

// Width and height of Text on one line in the canvas's font, as the system's text drawing measures
// it; 0 x 0 for an empty text.
TSize GetTextSize(TCanvas* Canvas, const String& Text);

namespace QorDropDown {

using ::BrightnessColor;
using ::GetTextSize;
using jyrspin::DecimalSeparator;
using jyrspin::ThousandSeparator;

// Steps bands from FromColor to ToColor over R (Direction true: left to right, else top to
// bottom); 0 steps count as 1; bands overlap by one pixel. The grid paints gradient cells with it.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Direction);
// A gradient of 80 steps when ClrTo is a colour, else a fill in Clr when that is one; then a
// BrWidth frame in BrClr when both are set.
void DrawGradientBackGround(TCanvas* Canvas, TRect R, TColor Clr, TColor ClrTo, TColor BrClr, int BrWidth,
                           TGradientDirection Grad);
// BlendFactor percent of Col1 and the rest of Col2.
TColor BlendColor(TColor Col1, TColor Col2, int BlendFactor);
// An image (at R.Left + 4, centred) and a caption (after it, or centred without it).
void DrawButtonContent(TCanvas* Canvas, TRect R, const String& Caption, TCustomImageList* Images, int ImageIndex);
// bmp on a bkcolor background with its top-left colour transparent, copied into r.
void DrawBitmapTransp(TCanvas* Canvas, TBitmap* bmp, TColor bkcolor, const TRect& r);
// Text, or its longest start (with "..." when AddEllipsis) narrower than cx; Text when none is.
String GetTextOfSize(TCanvas* Canvas, const String& Text, int cx, bool AddEllipsis);
// Draws (RealDraw) or measures an HTML-subset caption in R; answers its size.
TSize DrawHTMLEX(TCanvas* Canvas, const String& s, TRect R, TCustomImageList* Images, bool RealDraw, HWND WinHandle);

// Kinds of a text (IsType): 0 integer, 1 float, 2 text, 5 hex.
int IsType(const String& s);
String StripThousandSep(const String& s);
// "0".."9" → 0..9, "A".."F" and "a".."f" → 10..15, anything else 0.
int CharVal(Char c);
// The hexadecimal value of s with an optional leading "-"; false (Value unchanged) for other
// characters or a value beyond 64 bits.
bool TryHexToInt(const String& s, Int64& Value);
// TryHexToInt, 0 for text it refuses.
Int64 HexToInt(const String& s);
bool CheckSeparator(Char ch);
// s unchanged when docase, else upper-cased.
String upstr(const String& s, bool docase);
// The true system version from RtlGetVersion; both left unchanged when it cannot be read.
void GetUnmanistedVersion(DWORD& majv, DWORD& minv);
bool IsWin10();
bool IsWin7();

// Where a popup opens: the screen position of its top-left corner.
struct TDropPlacement {
    TPoint EditOrigin;       // the edit's top-left corner on the screen
    int EditHeight = 0;
    bool Borderless = false; // the edit has no border style: the popup moves one pixel left
    TDropPosition Position = dpAuto;
    int Width = 0, Height = 0;
    TRect WorkArea;          // of the monitor nearest the edit; empty: none known
    int ScreenHeight = 0;    // the primary screen's height, used only without a work area
};
// Below or above the edit as Position says (dpAuto: below when it fits there, else above when it
// fits there, else the side with more room), then moved into the work area.
TPoint PlaceDropDown(const TDropPlacement& P);

}  // namespace QorDropDown

// Registers the unit's persistent classes and the identifier tables of their property types for
// stored descriptions (once).
void RegisterQorDropDownClasses();
