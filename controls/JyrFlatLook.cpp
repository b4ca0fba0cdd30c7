// The flat look of the combo box and the date-time pickers.
#include "JyrFlatLook.h"

#include "framework/WinScope.h"
#include "graphics/QorXPVS.h"

#include <windows.h>
#include <vssym32.h>

namespace JyrFlatLook {

namespace {

RECT ToRect(const TRect& R) { return RECT{R.Left, R.Top, R.Right, R.Bottom}; }

TColor Pick(TColor Wanted, TColor Fallback) { return Wanted == clNone ? Fallback : Wanted; }

void Shrink(TRect& R, int DX, int DY)
{
    R.Left += DX;
    R.Top += DY;
    R.Right -= DX;
    R.Bottom -= DY;
}

}  // namespace

void FrameIn(HDC DC, const TRect& R, TColor Color)
{
    TGdiBrush Brush(CreateSolidBrush(ColorToRGB(Color)));
    RECT W = ToRect(R);
    FrameRect(DC, &W, Brush);
}

void FillIn(HDC DC, const TRect& R, TColor Color)
{
    TGdiBrush Brush(CreateSolidBrush(ColorToRGB(Color)));
    RECT W = ToRect(R);
    FillRect(DC, &W, Brush);
}

bool DrawControlBorder(HDC DC, TRect& R, const TBorderLook& Look)
{
    if (!Look.Enabled && Look.IsThemed && !Look.DisabledBorder) {
        FrameIn(DC, R, DisabledThemedFrame);
        return false;
    }
    if (Look.BorderColor != clNone && !(Look.Focused && Look.FocusBorderColor != clNone)) {
        FrameIn(DC, R, Look.BorderColor);
        return false;
    }
    if (Look.FocusBorderColor != clNone) {
        if (Look.Focused) FrameIn(DC, R, Look.FocusBorderColor);
        return false;
    }
    const TColor Outer = Look.Is3DBorderControl ? clBtnFace : Look.ParentColor;
    const TColor Inner = Look.ControlColor;
    if (Look.Is3DBorderControl) {
        RECT W = ToRect(R);
        DrawEdge(DC, &W, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        R = TRect{W.left, W.top, W.right, W.bottom};
        FrameIn(DC, R, Outer);
        Shrink(R, 1, 1);
        FrameIn(DC, R, Inner);
    } else {
        FrameIn(DC, R, Outer);
        Shrink(R, 1, 1);
        R.Right -= Look.ButtonWidth;
        FrameIn(DC, R, Outer);
        Shrink(R, 1, 1);
        FrameIn(DC, R, Inner);
        R.Right += Look.ButtonWidth;
    }
    return true;
}

void DrawFlatBorders(TWinControl* Control, TBorderLook Look)
{
    if (!Control->HandleAllocated()) return;
    Look.Enabled = Control->GetEnabled();
    Look.ControlColor = Control->GetColor();
    Look.ParentColor = Control->GetParent() ? Control->GetParent()->GetColor() : clBtnFace;
    const int W = Control->GetWidth(), H = Control->GetHeight();
    TClientDC DC(Control->GetHandle(), true);
    TRect R{0, 0, W, H};
    if (DrawControlBorder(DC, R, Look) && Look.FlatLineColor != clNone) {
        TGdiPen Pen(CreatePen(PS_SOLID, 1, ColorToRGB(Look.FlatLineColor)));
        TSelectObject UsePen(DC, Pen);
        MoveToEx(DC, R.Left - 2, H - 1, nullptr);
        LineTo(DC, R.Right - Look.ButtonWidth - 1, H - 1);
    }
    if (Look.ButtonFrame)
        DrawButtonBorder(DC, TRect{0, 0, W, H}, Control->GetClientWidth(), Control->GetClientHeight(),
                         Look.ButtonWidth, Look.Is3DBorderButton, Look.RaisedEdge, Look.Dropped);
}

void DrawButtonBorder(HDC DC, TRect WindowRect, int ClientWidth, int ClientHeight, int ButtonWidth,
                      bool Is3DBorderButton, bool RaisedEdge, bool Dropped)
{
    ExcludeClipRect(DC, ClientWidth - ButtonWidth + 4, 4, ClientWidth - 4, ClientHeight - 4);
    TRect R = WindowRect;
    R.Left = ClientWidth - ButtonWidth - 2;
    Shrink(R, 2, 2);
    if (Is3DBorderButton) {
        if (RaisedEdge) {
            RECT W = ToRect(R);
            DrawEdge(DC, &W, BDR_RAISEDINNER, BF_RECT | (Dropped ? BF_FLAT : 0));
        }
    } else {
        Shrink(R, 0, 1);
        R.Right -= 1;
        FillIn(DC, R, clBtnFace);
    }
    ExcludeClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
}

void DrawColoredDropButton(HDC DC, const TRect& Fill, int LineX, const TPoint& Arrow,
                           const TButtonColors& Colors, bool Hover, bool MouseDown)
{
    TColor FillColor = Colors.ButtonColor;
    if (Hover)
        FillColor = Pick(MouseDown ? Pick(Colors.ButtonColorDown, Colors.ButtonColorHot) : Colors.ButtonColorHot,
                         Colors.ButtonColor);
    FillIn(DC, Fill, FillColor);
    {
        TGdiPen Line(CreatePen(PS_SOLID, 1, ColorToRGB(Pick(Colors.ButtonBorderColor, FillColor))));
        TSelectObject UsePen(DC, Line);
        MoveToEx(DC, LineX, Fill.Top, nullptr);
        LineTo(DC, LineX, Fill.Bottom);
    }
    const TColor Text =
        Pick(MouseDown ? Pick(Colors.ButtonTextColorDown, Colors.ButtonTextColor) : Colors.ButtonTextColor, clBlack);
    TGdiPen Pen(CreatePen(PS_SOLID, 1, ColorToRGB(Text)));
    TGdiBrush Brush(CreateSolidBrush(ColorToRGB(Text)));
    TSelectObject UsePen(DC, Pen);
    TSelectObject UseBrush(DC, Brush);
    POINT Pts[3] = {{Arrow.X, Arrow.Y}, {Arrow.X + 6, Arrow.Y}, {Arrow.X + 3, Arrow.Y + 3}};
    Polygon(DC, Pts, 3);
}

int DropButtonThemeState(bool Enabled, bool MouseDown, bool Hover, bool Dropped)
{
    if (!Enabled) return CBXS_DISABLED;
    if (MouseDown && Dropped) return CBXS_PRESSED;
    if (MouseDown || !Hover || Dropped) return CBXS_NORMAL;
    return CBXS_HOT;
}

bool DrawThemedDropButton(HWND Wnd, HDC DC, const TRect& R, int State)
{
    if (!QorXPVS::OpenThemeData || !QorXPVS::DrawThemeBackground || !QorXPVS::CloseThemeData) return false;
    HTHEME Theme = QorXPVS::OpenThemeData(Wnd, L"combobox");
    if (!Theme) return false;
    RECT W = ToRect(R);
    QorXPVS::DrawThemeBackground(Theme, DC, CP_DROPDOWNBUTTON, State, &W, nullptr);
    QorXPVS::CloseThemeData(Theme);
    return true;
}

void DrawClassicDropButton(HDC DC, const TRect& R, bool Enabled)
{
    RECT W = ToRect(R);
    DrawFrameControl(DC, &W, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled ? DFCS_FLAT : DFCS_INACTIVE));
}

}  // namespace JyrFlatLook
