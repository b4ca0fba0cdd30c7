// QorDateTimePicker: the unit's routines, the picker base with auto-tab, and the registration.
#include "QorDateTimePicker.h"

#include "JyrControlsConsts.h"
#include "framework/Forms.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"

#include <windows.h>
#include <commctrl.h>

namespace QorDateTimePicker {

namespace {
// Registered once, when the unit starts.
const UINT GShiftFocus = RegisterWindowMessageW(JyrControlsConsts::SDTPShiftFocus);
}  // namespace

UINT DTPShiftFocus() { return GShiftFocus; }

int FontHeightAtDpi(int iDPI, int iFontSize)
{
    TFont Font;
    Font.SetHeight(-MulDiv(iFontSize, iDPI, 72));
    TClientDC DC(nullptr);
    TSelectObject Use(DC, Font.GetHandle());
    SIZE S{};
    GetTextExtentPoint32W(DC, L"0", 1, &S);
    return S.cy;
}

float CalculateDPIScale(TControl*)
{
    const int PPI = Screen ? Screen->GetPixelsPerInch() : 96;
    if (PPI == 96) return 1.0f;
    const int Base = FontHeightAtDpi(96, 9);
    return Base > 0 ? float(FontHeightAtDpi(PPI, 9)) / float(Base) : 1.0f;
}

TSize GetTextSize(TWinControl* WinCtrl, const String& Text, TFont* Font)
{
    TClientDC DC(WinCtrl && WinCtrl->HandleAllocated() ? WinCtrl->GetHandle() : nullptr);
    TSelectObject Use(DC, Font->GetHandle());
    RECT R{0, 0, 1000, 200};
    DrawTextW(DC, Text.c_str(), int(Text.size()), &R, DT_CALCRECT | DT_SINGLELINE);
    return TSize{R.right - R.left, R.bottom - R.top};
}

// ---- TCustomDateTimePicker --------------------------------------------------------------------

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TFlatDateTimePicker(AOwner)
{
    SetCtl3D(false);
    FBorderColor = clBlack;
    FBorderStyle = bsNone;
    FNCFrameAlways = true;
    FFrameInPaint = true;
    FStripExtra = 4;
}

void TCustomDateTimePicker::SetAutoTab(bool Value) { FAutoTab = Value; }
void TCustomDateTimePicker::SetAutoTabToNext(bool Value) { FAutoTabToNext = Value; }

TDateTime TCustomDateTimePicker::CurrentValue()
{
    if (HandleAllocated()) {
        SYSTEMTIME ST{};
        if (SendMessageW(GetHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&ST)) == GDT_VALID)
            return SystemTimeToDateTimeValue(ST);
    }
    return GetDateTime();
}

void TCustomDateTimePicker::TabToNext()
{
    if (!HandleAllocated() || !IsWindowVisible(GetHandle())) return;
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form->HandleAllocated()) SendMessageW(Form->GetHandle(), WM_NEXTDLGCTL, 0, 0);
}

void TCustomDateTimePicker::KeyPress(Char& Key)
{
    if (!(Key >= L'0' && Key <= L'9' && FAutoTab)) {
        inherited::KeyPress(Key);
        return;
    }
    if (GetKind() == dtkTime) DecodeTime(CurrentValue(), h, m, s, ms);
    inherited::KeyPress(Key);
    if (HandleAllocated()) PostMessageW(GetHandle(), DTPShiftFocus(), 0, 0);
}

void TCustomDateTimePicker::ShiftFocus()
{
    if (GetKind() != dtkTime || !HandleAllocated()) return;
    Word H = 0, M = 0, S = 0, MS = 0;
    DecodeTime(CurrentValue(), H, M, S, MS);
    if (H == h && M == m && S == s) return;
    if (H == h && M == m && FAutoTabToNext) TabToNext();
    else PostMessageW(GetHandle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TCustomDateTimePicker::WndProc(TMessage& Message)
{
    if (Message.Msg == DTPShiftFocus()) {
        ShiftFocus();
    } else if (Message.Msg == WM_SETFOCUS && FAutoTab && HandleAllocated()) {
        // A click without key flags into the first field (past the check box when it shows).
        PostMessageW(GetHandle(), WM_LBUTTONDOWN, 0, MAKELPARAM(GetShowCheckbox() ? 24 : 2, 2));
    }
    const bool OwnClick = Message.Msg == WM_LBUTTONDOWN && Message.WParam == 0;
    inherited::WndProc(Message);
    // No button-up follows that click: it must not leave the mouse captured.
    if (OwnClick && HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
}

void TCustomDateTimePicker::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        inherited::Dispatch(Message);
        if (GridTabhandling) {
            const bool Shift = GetKeyState(VK_SHIFT) < 0;
            if ((IsTimePicker && !Shift) || (!IsTimePicker && Shift)) Message.Result |= DLGC_WANTTAB;
        }
        return;
    }
    inherited::Dispatch(Message);
}

void TCustomDateTimePicker::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"BorderStyle", &TFlatDateTimePicker::GetBorderStyle, &TFlatDateTimePicker::SetBorderStyle, bsNone);
    T.AddColor(L"BorderColor", &TFlatDateTimePicker::GetBorderColor, &TFlatDateTimePicker::SetBorderColor)
        .SetDefault(TPropValue(Int64(clBlack)));
    T.Add(L"Ctl3D", &TControl::GetCtl3D, &TControl::SetCtl3D, false);
    T.Add(L"AutoTab", &TCustomDateTimePicker::GetAutoTab, &TCustomDateTimePicker::SetAutoTab, false);
    T.Add(L"AutoTabToNext", &TCustomDateTimePicker::GetAutoTabToNext, &TCustomDateTimePicker::SetAutoTabToNext, true);
}

void RegisterQorDateTimePicker()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    JyrDateTimePicker::RegisterJyrDateTimePicker();
    RegisterStdCtrls();
    RegisterEnumIdents<TQorDateTimeKind>(L"QorDateTimePicker::TQorDateTimeKind",
                                         {{dkDate, L"dkDate"}, {dkTime, L"dkTime"}, {dkDateTime, L"dkDateTime"}});
    RegisterEnumIdents<TLabelPosition>(
        L"QorDateTimePicker::TLabelPosition",
        {{lpLeftTop, L"lpLeftTop"}, {lpLeftCenter, L"lpLeftCenter"}, {lpLeftBottom, L"lpLeftBottom"},
         {lpTopLeft, L"lpTopLeft"}, {lpBottomLeft, L"lpBottomLeft"}, {lpLeftTopLeft, L"lpLeftTopLeft"},
         {lpLeftCenterLeft, L"lpLeftCenterLeft"}, {lpLeftBottomLeft, L"lpLeftBottomLeft"},
         {lpTopCenter, L"lpTopCenter"}, {lpBottomCenter, L"lpBottomCenter"}, {lpRightTop, L"lpRightTop"},
         {lpRightCenter, L"lpRightCenter"}, {lpRighBottom, L"lpRighBottom"}, {lpTopRight, L"lpTopRight"},
         {lpBottomRight, L"lpBottomRight"}});
    RegisterClasses<TCustomDateTimePicker, TQorDateTimePicker>();
}

}  // namespace QorDateTimePicker
