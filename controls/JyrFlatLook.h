// The flat look that the combo box and the date-time pickers paint over their windows: a frame in
// a border colour (or a 3-D frame while focused), the button's own frame, and a drop button drawn
// in custom colours, with visual styles or as the system's combo-box arrow. The controls differ only
// in the rectangles they pass.
#pragma once

#include "framework/Controls.h"
#include "framework/Graphics.h"

namespace JyrFlatLook {

// The frame of a disabled control under visual styles: RGB (127, 157, 185).
constexpr TColor DisabledThemedFrame = TColor(0xB99D7F);

// Flat colouring of a control's buttons, carried by the controls as fields of their own
// (ButtonColor = clNone selects the standard drawing).
struct TButtonColors {
    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonColorDown = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone;
    TColor ButtonTextColorDown = clNone;
    TColor ButtonBorderColor = clNone;
};

// What the frames depend on. DrawFlatBorders fills Enabled, ControlColor and ParentColor from the
// control itself.
struct TBorderLook {
    bool Enabled = true;
    bool IsThemed = false;
    bool DisabledBorder = false;
    bool Focused = false;
    bool Is3DBorderControl = false;
    bool Is3DBorderButton = false;
    TColor BorderColor = clNone;
    TColor FocusBorderColor = clNone;
    // A line along the bottom edge under the plain frame (the combo's flat look); clNone for none.
    TColor FlatLineColor = clNone;
    TColor ControlColor = clWindow;
    TColor ParentColor = clBtnFace;
    int ButtonWidth = 0;
    // The drop button's frame is drawn too; with RaisedEdge a raised edge (flat while Dropped).
    bool ButtonFrame = true;
    bool RaisedEdge = false;
    bool Dropped = false;
};

// Frames R (the window rectangle at (0, 0)): in the disabled-themed colour, the border colour or
// the focus border colour, or else in the parent's colour (button face with a 3-D edge while
// focused) outside and the control's colour inside. Answers true when the last (plain) way was
// taken, with R set to the rectangle inside those frame lines.
bool DrawControlBorder(HDC DC, TRect& R, const TBorderLook& Look);

// The control frame, the flat line and the drop button's frame of Control, on its window's device
// context.
void DrawFlatBorders(TWinControl* Control, TBorderLook Look);

// The drop button's own frame: the inner part of the button area is kept out of later drawing; the
// button's ring is filled in the button face colour, or while the pointer is over the control (or
// it is active) left alone or, with RaisedEdge, given a raised edge (flat while dropped).
void DrawButtonBorder(HDC DC, TRect WindowRect, int ClientWidth, int ClientHeight, int ButtonWidth,
                      bool Is3DBorderButton, bool RaisedEdge, bool Dropped);

// A drop button in custom colours: Fill filled in the normal, hot (pointer over it) or down colour,
// a line in the border colour at x = LineX from Fill's top to its bottom, and a down-pointing
// triangle six pixels wide and three high with its top-left corner at Arrow.
void DrawColoredDropButton(HDC DC, const TRect& Fill, int LineX, const TPoint& Arrow,
                           const TButtonColors& Colors, bool Hover, bool MouseDown);

// The visual-styles state of a combo-box drop button: 4 disabled; 3 pressed while dropped; 1 when
// pressed, not under the pointer or dropped; else 2 (hot).
int DropButtonThemeState(bool Enabled, bool MouseDown, bool Hover, bool Dropped);
// Draws the drop-button part of the "combobox" theme class opened on Wnd; false when no theme opens.
bool DrawThemedDropButton(HWND Wnd, HDC DC, const TRect& R, int State);
// The system's combo-box scroll arrow: flat when enabled, inactive when disabled.
void DrawClassicDropButton(HDC DC, const TRect& R, bool Enabled);

// Frames R in one colour, one pixel wide.
void FrameIn(HDC DC, const TRect& R, TColor Color);
// Fills R in one colour.
void FillIn(HDC DC, const TRect& R, TColor Color);

}  // namespace JyrFlatLook
