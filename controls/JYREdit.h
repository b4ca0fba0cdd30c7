// JYREdit: a text edit with a push button embedded at its right or left edge, a variant that shows
// a measurement unit beside the value and offers the units in a popup menu on the button, the
// small windowed host of the embedded button with its painted button, and an image speed button.
#pragma once

#include "framework/Buttons.h"
#include "framework/ImgList.h"
#include "framework/Mask.h"
#include "JyrControls.h"
#include "JyrFlatLook.h"

class TPropertyTable;
class TStringList;

namespace JYREdit {

enum TButtonAlign { btnRight, btnLeft };

using TUnitChangeEvent = std::function<void(TObject* Sender, const String& NewUnit)>;

class TJyrEditButton;

// ---- TQorSpeedButton --------------------------------------------------------------------------

// The embedded button: flat colours of its host, visual styles, a flat or a system frame, then a
// centred glyph and a black caption.
class TQorSpeedButton : public TSpeedButton {
    DECLARE_CLASS(TQorSpeedButton, TSpeedButton)
public:
    explicit TQorSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

    bool GetIsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    // Its own flat flag, used by its painting.
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    bool GetHot() const { return FHot; }

    void Dispatch(TMessage& Message) override;
    static void RegisterProperties(TPropertyTable& Table);

protected:
    void Paint() override;

private:
    TJyrEditButton* Host();
    bool FIsWinXP = false;
    bool FFlat = false;
    bool FHot = false;
};

// ---- TJyrEditButton ---------------------------------------------------------------------------

class TJyrEditButton : public JyrControls::TButtonHost {
    DECLARE_CLASS(TJyrEditButton, JyrControls::TButtonHost)
public:
    explicit TJyrEditButton(TComponent* AOwner);

    TQorSpeedButton* GetButton() const { return FButton; }
    String GetCaption() const;
    void SetCaption(const String& Value);
    TBitmap* GetGlyph() const;
    void SetGlyph(TBitmap* Value);
    TNumGlyphs GetNumGlyphs() const;
    void SetNumGlyphs(TNumGlyphs Value);
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);


    // Wired to the inner button's mouse-up: a left-button release fires OnClick and moves the focus
    // to the focus control (or to the host when it is a tab stop).
    void BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // The inner button's own click: nothing.
    void BtnClick(TObject* Sender) {}

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void AdjustSize(int& W, int& H) override;

private:
    TQorSpeedButton* FButton = nullptr;
    bool FFlat = false;
};

// ---- TJyrEditBtn ------------------------------------------------------------------------------

class TJyrEditBtn : public JyrControls::TEmbeddedButtonEdit {
    DECLARE_CLASS(TJyrEditBtn, JyrControls::TEmbeddedButtonEdit)
public:
    explicit TJyrEditBtn(TComponent* AOwner);
    ~TJyrEditBtn() override;

    // Fires OnClickBtn; a mouse click passes the button host, F4 the edit.
    virtual void BtnClick(TObject* Sender);

    void Dispatch(TMessage& Message) override;

    TJyrEditButton* GetButton() const { return FButton; }
    TButtonAlign GetButtonAlign() const { return FButtonAlign; }
    void SetButtonAlign(TButtonAlign Value);
    // 0 until set (the host starts 18 pixels wide); setting it sizes the host and lays it out.
    int GetButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    String GetButtonCaption() const;
    void SetCaption(const String& Value);
    TBitmap* GetGlyph() const;
    void SetGlyph(TBitmap* Value);
    bool GetRightAlign() const { return FRightAlign; }
    void SetRightAlign(bool Value);
    // Pixels kept for a unit text between the text and the button; values outside 0..MaxUnitSize
    // give 0.
    int GetUnitSize() const { return FUnitSize; }
    virtual void SetUnitSize(int Value);
    bool GetIsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);

    // The least height that shows the font.
    int GetMinHeight();

    TNotifyEvent OnClickBtn;

    static constexpr int MaxUnitSize = 1000;
    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void SetEditRect();
    // Places the button for the current size and sets the formatting rectangle.
    void LayoutButton();

    int FUnitSize = 0;

private:
    void WMSize(TMessage& Message);
    void CMEnter(TMessage& Message);

    TJyrEditButton* FButton = nullptr;
    TButtonAlign FButtonAlign = btnRight;
    int FButtonWidth = 0;
    bool FRightAlign = false;
    bool FIsWinXP = false;
};

// ---- TJyrUnitEditBtn --------------------------------------------------------------------------

class TJyrUnitEditBtn : public TJyrEditBtn {
    DECLARE_CLASS(TJyrUnitEditBtn, TJyrEditBtn)
public:
    explicit TJyrUnitEditBtn(TComponent* AOwner);
    ~TJyrUnitEditBtn() override;

    // Fires OnClickBtn, then offers the units in a popup menu under the button.
    void BtnClick(TObject* Sender) override;
    void Dispatch(TMessage& Message) override;

    TStringList* GetUnits() const { return FUnits; }
    // Copies the list; none is ignored.
    void SetUnits(TStrings* Value);
    const String& GetUnitID() const { return FUnitID; }
    void SetUnitID(const String& Value);
    int GetUnitSpace() const { return GetUnitSize(); }
    void SetUnitSpace(int Value) { SetUnitSize(Value); }
    void SetUnitSize(int Value) override;

    // Splits a value such as "12cm" into the text and the longest unit of the list it ends with
    // (the first listed among equally long ones); a value ending in no unit leaves both as they are.
    void SetTextAndUnit(const String& Value);
    String GetTextAndUnit();
    // Where the unit text is drawn, in client coordinates: between the text and the button, on the
    // side away from a left button.
    TRect UnitRect();

    TUnitChangeEvent OnUnitChanged;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void PaintWindow(HDC DC) override;

private:
    TStringList* FUnits = nullptr;
    String FUnitID;
};

// ---- TJyrSpeedButton --------------------------------------------------------------------------

// A speed button that draws an image of an image list and a picture over its face, centred.
class TJyrSpeedButton : public TSpeedButton {
    DECLARE_CLASS(TJyrSpeedButton, TSpeedButton)
public:
    explicit TJyrSpeedButton(TComponent* AOwner);
    ~TJyrSpeedButton() override;

    TPicture* GetPicture() const { return FPicture; }
    void SetPicture(TPicture* Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);

    void Notification(TComponent* AComponent, TOperation Operation) override;
    static void RegisterProperties(TPropertyTable& Table);

protected:
    void Paint() override;

private:
    TPicture* FPicture = nullptr;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
};

// Registers the classes of the unit for stored descriptions. Runs once.
void RegisterEditBtn();

}  // namespace JYREdit
