// JyrCombo: a combo box that paints its own frame and drop button for a flat look, a border
// colour, a focus border colour or custom button colours; that changes its colour and its label's
// weight while it has the focus; and that carries a caption label in one of thirteen places.
#pragma once

#include "JyrControls.h"
#include "JyrFlatLook.h"
#include "framework/StdCtrls.h"

class TPropertyTable;

namespace JyrCombo {

// Where the label stands (this unit's thirteen places).
enum TLabelPosition {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom
};

using JyrControls::IsMouseButtonDown;

class TJyrCustomCombo : public TCustomComboBox, public JyrFlatLook::TButtonColors {
    DECLARE_CLASS(TJyrCustomCombo, TCustomComboBox)
public:
    explicit TJyrCustomCombo(TComponent* AOwner);
    ~TJyrCustomCombo() override;

    void Loaded() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

    int GetButtonWidth() const { return FButtonWidth; }
    // Only 14 to 32 is taken.
    void SetButtonWidth(int Value);
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    bool GetEtched() const { return FEtched; }
    void SetEtched(bool Value);
    TColor GetFlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor Value);
    bool GetFlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool Value);
    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool GetFocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool Value) { FFocusBorder = Value; }
    TColor GetFocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
    TColor GetFocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor Value) { FFocusColor = Value; }
    bool GetFocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool Value) { FFocusLabel = Value; }
    bool GetDisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value) { FDisabledBorder = Value; }
    bool GetAutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool Value) { FAutoFocus = Value; }
    int GetDropWidth() const { return FDropWidth; }
    // Above 0: the width of the dropped list; a negative width gives 0.
    void SetDropWidth(int Value);

    TColor GetColorEx() const { return GetColor(); }
    void SetColorEx(TColor Value);
    bool GetEnabledEx() const { return GetEnabled(); }
    void SetEnabledEx(bool Value);
    bool GetVisibleEx() const { return GetVisible(); }
    void SetVisibleEx(bool Value);

    String GetLabelCaption() const;
    // Creates the label on first use.
    void SetLabelCaption(const String& Value);
    TLabelPosition GetLabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    int GetLabelMargin() const { return FLabelMargin; }
    // Values outside 0..MaxLabelMargin give the default 4.
    void SetLabelMargin(int Value);
    bool GetLabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool GetLabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    TFont* GetLabelFont() const { return FLabelFont; }
    void SetLabelFont(TFont* Value) { FLabelFont->Assign(Value); }
    // The attached label, or null before a caption was set.
    TLabel* GetLabel() const { return FLabel; }

    // Selects the first item equal to AString; nothing when there is none.
    void SelectItem(const String& AString);

    // Set by the owner (the grid).
    bool IsWinXP = false;
    bool IsVista = false;

    bool GetIsThemed() const { return FIsThemed; }
    bool GetButtonHover() const { return FButtonHover; }
    bool GetHasFocus() const { return FHasFocus; }
    TColor GetNormalColor() const { return FNormalColor; }

    TNotifyEvent OnDropUp;

    static constexpr int MaxLabelMargin = 1000;
    static void RegisterProperties(TPropertyTable& Table);

protected:
    void MouseMove(TShiftState Shift, int X, int Y) override;
    // The framework's focus handling, then the focus colour, the focus frame and the label's weight.
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    // Places the label around the combo.
    void UpdateLabel();

private:
    bool CustomPaintWanted();
    bool VisualStyles() const;
    bool Is3DBorderControl();
    bool Is3DBorderButton();
    void DrawButton(HDC DC);
    void DrawBorders();
    void WMPaint(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CNCommand(TMessage& Message);
    void SetLabelBold(bool Bold);
    void LabelFontChanged(TObject* Sender);

    TLabel* FLabel = nullptr;
    TFont* FLabelFont = nullptr;
    int FButtonWidth = 19;
    bool FFlat = false;
    bool FEtched = false;
    TColor FFlatLineColor = clNone;
    bool FFlatParentColor = true;
    TColor FBorderColor = clNone;
    bool FFocusBorder = false;
    TColor FFocusBorderColor = clNone;
    TColor FFocusColor = clNone;
    bool FFocusLabel = false;
    bool FDisabledBorder = true;
    bool FAutoFocus = false;
    int FDropWidth = 0;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FLabelAlwaysEnabled = false;
    bool FIsThemed = false;
    bool FMouseInControl = false;
    bool FButtonHover = false;
    bool FHasFocus = false;
    TColor FLoadedColor = clWindow;
    TColor FOldColor = clWindow;
    bool FOldParentColor = false;
    TColor FNormalColor = clWindow;
};

class TJyrComboBox : public TJyrCustomCombo {
    DECLARE_CLASS(TJyrComboBox, TJyrCustomCombo)
public:
    explicit TJyrComboBox(TComponent* AOwner) : TJyrCustomCombo(AOwner) {}
};

// Registers the combo classes and the label positions for stored descriptions. Runs once.
void RegisterCombo();

}  // namespace JyrCombo
