// QorDropDown: the drop-down edit framework. So far it holds the appearances of the popup's header
// and footer bands (font, visibility, colours, buttons), which a drop-down and the grid's control
// look own and copy into the popups they open; the drop-down edit itself, its popup form and the
// band panels come with it later.
#pragma once

#include "framework/Classes.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"

class TPropertyTable;

enum TGradientDirection { gdHorizontal, gdVertical };
enum TButtonAlignment { baLeft, baRight };
// Presets of the selection colours (a drop-down's, an item selector's, a picker's).
enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };
// Where an item's caption stands beside its image.
enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };

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

// ---- drawing routines ---------------------------------------------------------------------------

// Width and height of Text on one line in the canvas's font, as the system's text drawing measures
// it; 0 x 0 for an empty text.
TSize GetTextSize(TCanvas* Canvas, const String& Text);

// Registers the unit's persistent classes and the identifier tables of their property types for
// stored descriptions (once).
void RegisterQorDropDownClasses();
