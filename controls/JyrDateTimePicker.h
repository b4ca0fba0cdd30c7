// JyrDateTimePicker: the framework's date-time picker with an optional own look: a flat frame in a
// border colour painted in the non-client area, and in the metro style an own background strip,
// drop button and frame painted over the control. The look (TFlatDateTimePicker) is shared with
// the pickers of unit QorDateTimePicker, which differ in a few settings.
#pragma once

#include "JyrControls.h"
#include "JyrFlatLook.h"
#include "framework/ComCtrls.h"

class TPropertyTable;

namespace JyrDateTimePicker {

// Kernel32 exports GetLocaleInfoEx (through the style unit, so that its overrides apply).
bool IsVista();
using JyrControls::GetFileVersion;
using JyrControls::IsComCtl6;
using JyrControls::IsMouseButtonDown;

// The look the date-time pickers share.
class TFlatDateTimePicker : public ::TDateTimePicker, public JyrFlatLook::TButtonColors {
    DECLARE_CLASS(TFlatDateTimePicker, ::TDateTimePicker)
public:
    explicit TFlatDateTimePicker(TComponent* AOwner);

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    // Stores a new value and repaints.
    virtual void SetBorderStyle(TBorderStyle Value);
    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool GetMetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool Value);
    bool GetMetroStyleShowing() const { return FMetroStyle && !IsInnerLook(); }

    bool FocusBorder = false;
    TColor FocusBorderColor = clNone;
    bool DisabledBorder = false;
    int ButtonWidth = 0;
    // Noted at construction: a Windows version above 5.0; common controls above version 5.
    bool IsWinXP = false;
    bool IsThemed = false;

    bool GetMouseInControl() const { return FMouseInControl; }
    bool GetButtonHover() const { return FButtonHover; }
    bool GetHasFocus() const { return FHasFocus; }

    // The four dot-separated bytes of GetVersionNr, top byte first; writing has no effect.
    String GetVersion() const;
    void SetVersion(const String&) {}
    virtual int GetVersionNr() const { return 0x01000000; }

    static void RegisterProperties(TPropertyTable& Table);

protected:
    // The non-client frame of a control without Ctl3D.
    void NCPaintProc();
    // The metro frame and the drop button's frame, on the window's device context.
    void DrawBorders();
    void WMNCPaint(TMessage& Message);
    void WMPaint(TMessage& Message);
    void CreateParams(TCreateParams& Params) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

    // True for a picker that is the inner part of another: it draws no metro frame or button.
    virtual bool IsInnerLook() const { return false; }
    // The two settings in which the pickers differ: the non-client frame is drawn whenever Ctl3D
    // is off (not only with a border colour), and the paint handler frames the window itself.
    bool FNCFrameAlways = false;
    bool FFrameInPaint = false;
    // How far left of the drop button the metro strip reaches with visual styles active.
    int FStripExtra = 15;

    TBorderStyle FBorderStyle = bsNone;
    TColor FBorderColor = clNone;
    bool FMetroStyle = false;

private:
    bool VisualStyles() const;
    bool Is3DBorderButton();
    bool Is3DBorderControl() { return Is3DBorderButton() && FocusBorder; }
    // The frame colour of the non-client frame and of the painted frame.
    TColor FrameColor() const;
    void DrawButton(HDC DC);
    void DrawBordersIfWanted();
    void PaintMetro();

    bool FMouseInControl = false;
    bool FButtonHover = false;
    bool FHasFocus = false;
};

class TJyrDateTimePicker : public TFlatDateTimePicker {
    DECLARE_CLASS(TJyrDateTimePicker, TFlatDateTimePicker)
public:
    explicit TJyrDateTimePicker(TComponent* AOwner) : TFlatDateTimePicker(AOwner) {}
};

// Registers the picker for stored descriptions. Runs once.
void RegisterJyrDateTimePicker();

}  // namespace JyrDateTimePicker
