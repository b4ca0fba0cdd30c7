// QorCheckBox: a custom-drawn check box with three states, its caption beside the box (left or
// right), optional transparency over its parent, a read-only mode and a focus rectangle. The box
// is the visual style's check box when visual styles are drawn, else the classic system one; its
// size follows the screen's resolution (13 pixels at 96 dots per inch). The grid's search panel
// uses it as its match-case box.
#pragma once

#include "framework/StdCtrls.h"

class TPropertyTable;

class TQorCheckBox : public TCustomControl {
    DECLARE_CLASS(TQorCheckBox, TCustomControl)
public:
    // 98 x 20, box at the top left, caption the class name, colour clWindow; clicks are fired by
    // the box itself, not by the framework's click path.
    explicit TQorCheckBox(TComponent* AOwner);
    ~TQorCheckBox() override;
    void AfterConstruction() override;

    bool GetChecked() const { return FState == cbChecked; }
    // Checked or unchecked; repaints the whole box.
    void SetChecked(bool Value);
    TCheckBoxState GetState() const { return FState; }
    // Repaints only the strip that holds the box.
    void SetState(TCheckBoxState Value);
    // Unless read-only: checked becomes unchecked, anything else checked.
    virtual void Toggle();

    const String& GetCaption() const { return FCaption; }
    void SetCaption(const String& Value);
    // lrLeft: box on the left, caption to its right; lrRight: the box at the right edge.
    TLeftRight GetAlignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    TTextLayout GetButtonVertAlign() const { return FBtnVAlign; }
    void SetButtonVertAlign(TTextLayout Value);
    bool GetEllipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    // Clicks and the space key fire Click but leave the state as it is.
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    // Enter moves the focus on as Tab does.
    bool GetReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    // The parent's image shows through (nothing is erased).
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Pressed by the mouse or the space key.
    bool GetDown() const { return FDown; }
    void SetDown(bool Value);

    bool GetFocusedFlag() const { return FFocused; }
    bool GetHot() const { return FHot; }
    // The side of the box in pixels for a resolution: Round(13 x s), s = DPI / 96 but at least 1.
    static int BoxSize(int PixelsPerInch);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Dispatch(TMessage& Message) override;
    static void RegisterProperties(TPropertyTable& Table);

protected:
    void Paint() override;
    void DoEnter() override;
    void DoExit() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;

    void WMEraseBkgnd(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    // Set while Toggle runs from a click.
    bool FClicksDisabled = false;

private:
    // The strip of the client area on the box's side, as wide as the box needs (20 pixels at
    // least): what changes when the state, the hover or the press changes.
    void InvalidateBox();
    void DrawBox(TCanvas* C, int Box, const TRect& BoxRect);
    bool Inside(int X, int Y);

    bool FDown = false;
    TCheckBoxState FState = cbUnchecked;
    bool FFocused = false;
    bool FReturnIsTab = false;
    TTextLayout FBtnVAlign = tlTop;
    TLeftRight FAlignment = lrLeft;
    bool FEllipsis = false;
    String FCaption;
    bool FIsWinXP = false;
    bool FHot = false;
    bool FReadOnly = false;
    bool FMouseDown = false;
    TFreePtr<TBitmap> FBkgBmp;
    bool FBkgCache = false;
    bool FTransparentCaching = false;
    bool FTransparent = false;
};

// Paints Control's parent (its background, then its content) into Dest's device context as it
// lies under Control, clipped to the parent's client area; the context is as before afterwards.
// Nothing without a parent.
void DrawParentImage(TControl* Control, TCanvas* Dest);

// Registers the check box class with its published properties. Runs once.
void RegisterQorCheckBoxClasses();
