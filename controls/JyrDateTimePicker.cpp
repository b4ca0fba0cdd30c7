// JyrDateTimePicker: the flat and metro look of the date-time pickers.
#include "JyrDateTimePicker.h"

#include "framework/Forms.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/QorStyleIF.h"

#include <windows.h>

namespace JyrDateTimePicker {

using namespace JyrFlatLook;

bool IsVista() { return QorStyleIF::IsVista(); }

TFlatDateTimePicker::TFlatDateTimePicker(TComponent* AOwner) : ::TDateTimePicker(AOwner)
{
    SetDoubleBuffered(true);
    // A field's colour of its own, as the framework's pickers show (also through the buffer).
    SetParentColor(false);
    SetColor(clWindow);
    SetParentCtl3D(false);
    SetCtl3D(true);
    ButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
    IsWinXP = QorStyleIF::IsWinXP();
    IsThemed = IsComCtl6();
}

String TFlatDateTimePicker::GetVersion() const
{
    const unsigned V = unsigned(GetVersionNr());
    return IntToStr(int(V >> 24)) + L"." + IntToStr(int((V >> 16) & 0xFF)) + L"." + IntToStr(int((V >> 8) & 0xFF)) +
           L"." + IntToStr(int(V & 0xFF));
}

void TFlatDateTimePicker::SetBorderStyle(TBorderStyle Value)
{
    if (Value != bsSingle) Value = bsNone;
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TFlatDateTimePicker::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    if (HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TFlatDateTimePicker::SetMetroStyle(bool Value)
{
    if (FMetroStyle == Value) return;
    FMetroStyle = Value;
    if (HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TFlatDateTimePicker::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    if (FBorderStyle == bsSingle) {
        if (GetCtl3D()) Params.ExStyle |= WS_EX_CLIENTEDGE;
        else Params.Style |= WS_BORDER;
    }
}

bool TFlatDateTimePicker::VisualStyles() const { return IsThemed && JyrControls::ThemesActive(); }

bool TFlatDateTimePicker::Is3DBorderButton()
{
    return FMouseInControl || (Screen && Screen->GetActiveControl() == this);
}

TColor TFlatDateTimePicker::FrameColor() const
{
    if (FBorderStyle == bsNone && GetParent()) return GetParent()->GetColor();
    if (IsThemed) return DisabledThemedFrame;
    return FBorderColor;
}

// ---- Frames -----------------------------------------------------------------------------------

void TFlatDateTimePicker::NCPaintProc()
{
    if (GetCtl3D() || !HandleAllocated()) return;
    if (!FNCFrameAlways && FBorderColor == clNone) return;
    TClientDC DC(GetHandle(), true);
    const int W = GetWidth(), H = GetHeight();
    {
        TGdiPen Pen(CreatePen(PS_SOLID, 1, ColorToRGB(FrameColor())));
        TSelectObject UsePen(DC, Pen);
        POINT Outer[] = {{0, H}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}};
        Polyline(DC, Outer, 5);
    }
    if (GetParent()) {
        TGdiPen Pen(CreatePen(PS_SOLID, 1, ColorToRGB(FBorderStyle == bsSingle ? GetParent()->GetColor() : FrameColor())));
        TSelectObject UsePen(DC, Pen);
        POINT Inner[] = {{1, H - 2}, {1, 1}, {W - 1, 1}};
        Polyline(DC, Inner, 3);
    }
}

void TFlatDateTimePicker::DrawBorders()
{
    if (!GetMetroStyleShowing() || !HandleAllocated()) return;
    if (GetEnabled() && FBorderColor == clNone && FocusBorderColor == clNone) return;
    DrawFlatBorders(this, {.IsThemed = IsThemed,
                           .DisabledBorder = DisabledBorder,
                           .Focused = FHasFocus,
                           .Is3DBorderControl = Is3DBorderControl(),
                           .Is3DBorderButton = Is3DBorderButton(),
                           .BorderColor = FBorderColor,
                           .FocusBorderColor = FocusBorderColor,
                           .ButtonWidth = ButtonWidth,
                           .ButtonFrame = !(IsWinXP && VisualStyles()),
                           .RaisedEdge = true,
                           .Dropped = GetDroppedDown()});
}

void TFlatDateTimePicker::DrawBordersIfWanted()
{
    if (!GetEnabled() && VisualStyles() && !DisabledBorder) DrawBorders();
    if ((FocusBorderColor != clNone && FHasFocus) || FBorderColor != clNone) DrawBorders();
}

void TFlatDateTimePicker::WMNCPaint(TMessage& Message)
{
    inherited::Dispatch(Message);
    NCPaintProc();
    DrawBordersIfWanted();
    Message.Result = 0;
}

void TFlatDateTimePicker::WndProc(TMessage& Message)
{
    inherited::WndProc(Message);
    if (Message.Msg == WM_NCPAINT) DrawBordersIfWanted();
}

// ---- Painting ---------------------------------------------------------------------------------

void TFlatDateTimePicker::DrawButton(HDC DC)
{
    const int CW = GetClientWidth(), CH = GetClientHeight();
    TRect R{CW - ButtonWidth + 2, 0, GetWidth(), GetHeight()};
    R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    if (ButtonColor != clNone) {
        DrawColoredDropButton(DC, TRect{R.Left + 2, R.Top, R.Right, R.Bottom}, R.Left, {R.Left + 5, R.Top + 7}, *this,
                              FButtonHover, IsMouseButtonDown());
    } else if (!VisualStyles() ||
               !DrawThemedDropButton(GetHandle(), DC, R,
                                     DropButtonThemeState(GetEnabled(), IsMouseButtonDown(), FButtonHover,
                                                          GetDroppedDown()))) {
        DrawClassicDropButton(DC, R, GetEnabled());
    }
    ExcludeClipRect(DC, CW - ButtonWidth - 4, 0, CW + 2, CH);
}

void TFlatDateTimePicker::PaintMetro()
{
    TClientDC DC(GetHandle(), true);
    if (GetMetroStyleShowing() && GetKind() != dtkTime) {
        TSavedDC Saved(DC);
        if (IsVista() && IsComCtl6()) {
            const int CR = GetClientWidth();
            RECT Strip = VisualStyles() ? RECT{CR - ButtonWidth - FStripExtra, 1, CR, GetHeight()}
                                        : RECT{CR - ButtonWidth - 2, 4, CR - 2, GetHeight() - 4};
            FBrush->SetColor(GetColor());
            FillRect(DC, &Strip, FBrush->GetHandle());
        }
        DrawButton(DC);
    }
    if (FFrameInPaint && !GetCtl3D()) {
        const int W = GetWidth(), H = GetHeight();
        TGdiPen Pen(CreatePen(PS_SOLID, 1, ColorToRGB(FrameColor())));
        TSelectObject UsePen(DC, Pen);
        POINT Outer[] = {{0, H}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}};
        Polyline(DC, Outer, 5);
        if (!VisualStyles()) {
            POINT Second[] = {{1, H}, {1, 1}, {W - 2, 1}, {W - 2, H - 2}, {0, H - 2}};
            Polyline(DC, Second, 5);
        }
    }
}

void TFlatDateTimePicker::WMPaint(TMessage& Message)
{
    inherited::Dispatch(Message);
    if ((GetCtl3D() && !GetMetroStyleShowing()) || !IsVista() || !HandleAllocated()) return;
    PaintMetro();
    DrawBorders();
}

// ---- Hover and focus --------------------------------------------------------------------------

void TFlatDateTimePicker::MouseMove(TShiftState Shift, int X, int Y)
{
    inherited::MouseMove(Shift, X, Y);
    const bool Hover = GetWidth() - ButtonWidth < X && X < GetWidth();
    if (Hover != FButtonHover) {
        FButtonHover = Hover;
        Invalidate();
    }
}

void TFlatDateTimePicker::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case CM_MOUSEENTER:
        inherited::Dispatch(Message);
        if (!FMouseInControl && GetEnabled()) {
            FMouseInControl = true;
            DrawBorders();
            if (IsWinXP) Invalidate();
        }
        break;
    case CM_MOUSELEAVE:
        inherited::Dispatch(Message);
        FMouseInControl = false;
        if (GetEnabled()) DrawBorders();
        FButtonHover = false;
        if (IsWinXP) Invalidate();
        break;
    case CM_ENTER:
    case CM_EXIT:
        FHasFocus = Message.Msg == CM_ENTER;
        DrawBorders();
        inherited::Dispatch(Message);
        break;
    case CM_CTL3DCHANGED:
        inherited::Dispatch(Message);
        if (HandleAllocated()) RecreateWnd();
        break;
    default: inherited::Dispatch(Message);
    }
}

// ---- Registration -----------------------------------------------------------------------------

void TFlatDateTimePicker::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"BorderStyle", &TFlatDateTimePicker::GetBorderStyle, &TFlatDateTimePicker::SetBorderStyle, bsNone);
    T.AddColor(L"BorderColor", &TFlatDateTimePicker::GetBorderColor, &TFlatDateTimePicker::SetBorderColor)
        .SetDefault(TPropValue(Int64(clNone)));
    T.Add(L"MetroStyle", &TFlatDateTimePicker::GetMetroStyle, &TFlatDateTimePicker::SetMetroStyle, false);
    T.AddField(L"FocusBorder", &TFlatDateTimePicker::FocusBorder, false);
    T.AddField(L"FocusBorderColor", &TFlatDateTimePicker::FocusBorderColor).SetDefault(TPropValue(Int64(clNone)));
    T.AddField(L"DisabledBorder", &TFlatDateTimePicker::DisabledBorder, false);
    T.Add(L"Version", &TFlatDateTimePicker::GetVersion, &TFlatDateTimePicker::SetVersion).Stored(false);
}

void RegisterJyrDateTimePicker()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterComCtrls();
    RegisterClasses<TFlatDateTimePicker, TJyrDateTimePicker>();
}

}  // namespace JyrDateTimePicker
