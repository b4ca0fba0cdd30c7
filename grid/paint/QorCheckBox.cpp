// The themed check box and the parent image under a transparent control.
#include "grid/paint/QorCheckBox.h"

#include "framework/Math.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/QorXPVS.h"
#include "grid/paint/ArrowFocusWindows.h"

#include <vsstyle.h>

namespace {

// The caption's distance from the box side, and its further indent at 96 dots per inch.
constexpr int CaptionGap = 9;
constexpr int CaptionIndent = 10;
constexpr int CaptionTop = 4;
constexpr int BoxTop = 4;
// The least strip repainted for the box.
constexpr int BoxStrip = 20;

double Scale(int PixelsPerInch)
{
    return std::max(1.0, PixelsPerInch / 96.0);
}

}  // namespace

void DrawParentImage(TControl* Control, TCanvas* Dest)
{
    if (!Control || !Dest) return;
    TWinControl* Parent = Control->GetParent();
    if (!Parent) return;
    HDC DC = Dest->GetHandle();
    TSavedDC Saved(DC);
    POINT Org;
    GetViewportOrgEx(DC, &Org);
    SetViewportOrgEx(DC, Org.x - Control->GetLeft(), Org.y - Control->GetTop(), nullptr);
    const TRect Client = Parent->GetClientRect();
    IntersectClipRect(DC, 0, 0, Client.Width(), Client.Height());
    // The parent leaves the areas of its windowed children out of its painting, except those
    // painting a copy of it.
    const TControlStateSet Before = Control->GetControlState();
    Control->SetControlState(Before + TControlStateSet{TControlStateFlag::csPaintCopy});
    auto Restore = ScopeExit([&] { Control->SetControlState(Before); });
    Parent->Perform(WM_ERASEBKGND, WPARAM(DC), 0);
    Parent->Perform(WM_PAINT, WPARAM(DC), 0);
}

// ---- TQorCheckBox ---------------------------------------------------------------------------------

TQorCheckBox::TQorCheckBox(TComponent* AOwner) : TCustomControl(AOwner), FBkgBmp(Create<TBitmap>())
{
    SetBounds(GetLeft(), GetTop(), 98, 20);
    SetColor(clWindow);
    FIsWinXP = ArrowFocusWindows::IsWinXP();
    // The box fires Click itself.
    FControlStyle >> csClickEvents;
}

TQorCheckBox::~TQorCheckBox() = default;

void TQorCheckBox::AfterConstruction()
{
    inherited::AfterConstruction();
    SetCaption(ClassName());
}

int TQorCheckBox::BoxSize(int PixelsPerInch)
{
    return int(Round(13 * Scale(PixelsPerInch)));
}

void TQorCheckBox::SetChecked(bool Value)
{
    SetState(Value ? cbChecked : cbUnchecked);
    Invalidate();
}

void TQorCheckBox::SetState(TCheckBoxState Value)
{
    if (FState == Value) return;
    FState = Value;
    InvalidateBox();
}

void TQorCheckBox::Toggle()
{
    if (!FReadOnly) SetChecked(!GetChecked());
}

void TQorCheckBox::InvalidateBox()
{
    if (!HandleAllocated()) return;
    HDC ScreenDC = GetDC(nullptr);
    const int Box = BoxSize(GetDeviceCaps(ScreenDC, LOGPIXELSY));
    ReleaseDC(nullptr, ScreenDC);
    const int W = std::max(BoxStrip, Box + 2);
    const TRect C = GetClientRect();
    RECT R = FAlignment == lrRight ? RECT{C.Right - W, 0, C.Right, C.Bottom} : RECT{0, 0, W, C.Bottom};
    InvalidateRect(FHandle, &R, TRUE);
}

void TQorCheckBox::SetDown(bool Value)
{
    FDown = Value;
}

void TQorCheckBox::SetButtonVertAlign(TTextLayout Value)
{
    if (FBtnVAlign == Value) return;
    FBtnVAlign = Value;
    Invalidate();
}

void TQorCheckBox::SetAlignment(TLeftRight Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TQorCheckBox::SetEllipsis(bool Value)
{
    if (FEllipsis == Value) return;
    FEllipsis = Value;
    Invalidate();
}

void TQorCheckBox::SetCaption(const String& Value)
{
    // The window's text is the caption; a text set on the window comes back through
    // CM_TEXTCHANGED.
    SetText(Value);
    FCaption = Value;
    Invalidate();
}

void TQorCheckBox::SetTransparent(bool Value)
{
    if (FTransparent != Value) {
        FTransparent = Value;
        FBkgCache = false;
    }
    Invalidate();
}

void TQorCheckBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FTransparent) {
        FBkgCache = false;
        Invalidate();
    }
}

void TQorCheckBox::DoEnter()
{
    inherited::DoEnter();
    FFocused = true;
    Invalidate();
}

void TQorCheckBox::DoExit()
{
    inherited::DoExit();
    FFocused = false;
    Invalidate();
}

// ---- Messages, mouse and keys ---------------------------------------------------------------------

void TQorCheckBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_ENABLEDCHANGED:
        inherited::Dispatch(Message);
        Invalidate();
        break;
    case CM_TEXTCHANGED:
        inherited::Dispatch(Message);
        FCaption = GetText();
        Invalidate();
        break;
    default: inherited::Dispatch(Message);
    }
}

void TQorCheckBox::WMEraseBkgnd(TMessage& Message)
{
    if (FTransparent) Message.Result = 1;   // the parent's image is painted instead
    else inherited::Dispatch(Message);
}

void TQorCheckBox::CMDialogChar(TMessage& Message)
{
    TWMKey Key(Message);
    if (IsAccel(Key.CharCode(), FCaption) && CanFocus()) {
        Toggle();
        if (GetTabStop()) SetFocus();
        Message.Result = 1;
    } else {
        inherited::Dispatch(Message);
    }
}

void TQorCheckBox::CMMouseEnter(TMessage& Message)
{
    inherited::Dispatch(Message);
    FHot = true;
    InvalidateBox();
}

void TQorCheckBox::CMMouseLeave(TMessage& Message)
{
    inherited::Dispatch(Message);
    FHot = false;
    InvalidateBox();
}

bool TQorCheckBox::Inside(int X, int Y)
{
    return X >= 0 && X <= GetWidth() && Y >= 0 && Y <= GetHeight();
}

void TQorCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button != mbLeft) {
        inherited::MouseDown(Button, Shift, X, Y);
        return;
    }
    FMouseDown = true;
    if (!Focused() && CanFocus()) SetFocus();
    inherited::MouseDown(Button, Shift, X, Y);
    SetMouseCapture(true);
    SetDown(true);
    if (FIsWinXP) InvalidateBox();
}

void TQorCheckBox::MouseMove(TShiftState Shift, int X, int Y)
{
    if (GetMouseCapture()) {
        const bool Pressed = Inside(X, Y);
        if (Pressed != FDown) {
            SetDown(Pressed);
            InvalidateBox();
        }
    }
    inherited::MouseMove(Shift, X, Y);
}

void TQorCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button != mbLeft) {
        inherited::MouseUp(Button, Shift, X, Y);
        return;
    }
    SetMouseCapture(false);
    SetDown(false);
    if (Inside(X, Y) && Focused() && FMouseDown) {
        {
            TValueScope Disabled(FClicksDisabled, true);
            Toggle();
        }
        Click();
    }
    FMouseDown = false;
    inherited::MouseUp(Button, Shift, X, Y);
    if (FIsWinXP) InvalidateBox();
}

void TQorCheckBox::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        if (HandleAllocated()) PostMessageW(FHandle, WM_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_SPACE) {
        SetDown(true);
        InvalidateBox();
    }
    inherited::KeyDown(Key, Shift);
}

void TQorCheckBox::KeyUp(Word& Key, TShiftState Shift)
{
    if (Key != VK_SPACE) {
        inherited::KeyUp(Key, Shift);
        return;
    }
    SetDown(false);
    InvalidateBox();
    Toggle();
    Click();
}

// ---- Painting -------------------------------------------------------------------------------------

void TQorCheckBox::Paint()
{
    TCanvas* C = GetCanvas();
    HDC DC = C->GetHandle();
    const double S = Scale(GetDeviceCaps(DC, LOGPIXELSY));
    const int Box = int(Round(13 * S));
    C->SetFont(GetFont());
    TColor TextColor = GetFont()->GetColor();

    if (FTransparent) {
        if (FTransparentCaching) {
            if (!FBkgCache) {
                FBkgBmp->SetSize(GetWidth(), GetHeight());
                DrawParentImage(this, FBkgBmp->GetCanvas());
                FBkgCache = true;
            }
            C->Draw(0, 0, FBkgBmp.get());
        } else {
            DrawParentImage(this, C);
        }
    }
    if (GetText() != FCaption) SetText(FCaption);

    const TRect Client = GetClientRect();
    int Top = BoxTop;
    if (FBtnVAlign == tlCenter) Top = Client.Height() / 2 - 6;
    else if (FBtnVAlign == tlBottom) Top = Client.Bottom - Box;
    const int Left = FAlignment == lrRight ? Client.Width() - Box - 1 : 0;
    DrawBox(C, Box, TRect(Left, Top, Left + Box, Top + Box));

    TRect R = Client;
    if (FAlignment == lrRight) {
        R.Left = 0;
        R.Right -= CaptionGap;
    } else {
        R.Left += CaptionGap;
    }
    R.Top += CaptionTop;
    R.Left += int(Round(CaptionIndent * S));
    SetBkMode(DC, TRANSPARENT);
    UINT Flags = DT_LEFT | DT_TOP | DT_SINGLELINE | DrawTextBiDiModeFlagsReadingOnly();
    if (FEllipsis) Flags |= DT_END_ELLIPSIS;
    RECT TR{R.Left, R.Top, R.Right, R.Bottom};
    if (GetEnabled()) {
        SetTextColor(DC, ColorToRGB(TextColor));
        DrawTextW(DC, FCaption.c_str(), int(FCaption.size()), &TR, Flags);
    } else {
        OffsetRect(&TR, 1, 1);
        SetTextColor(DC, ColorToRGB(clWhite));
        DrawTextW(DC, FCaption.c_str(), int(FCaption.size()), &TR, Flags);
        OffsetRect(&TR, -1, -1);
        SetTextColor(DC, 0x808080);
        DrawTextW(DC, FCaption.c_str(), int(FCaption.size()), &TR, Flags);
    }

    if (FFocused) {
        const TSize Text = C->TextExtent(FCaption);
        RECT F{R.Left - 2, R.Top, R.Left + Text.cx + 1, R.Top + Text.cy + 1};
        SetTextColor(DC, 0);
        SetBkColor(DC, 0xFFFFFF);
        DrawFocusRect(DC, &F);
    }
}

void TQorCheckBox::DrawBox(TCanvas* C, int Box, const TRect& BoxRect)
{
    HDC DC = C->GetHandle();
    if (ArrowFocusWindows::DoThemeDrawing() && QorXPVS::OpenThemeData && QorXPVS::DrawThemeBackground &&
        QorXPVS::CloseThemeData) {
        if (HTHEME Theme = QorXPVS::OpenThemeData(GetHandle(), L"button")) {
            // Unchecked, checked and mixed, each normal, hot, pressed and disabled: states 1 to 12.
            const int Base = FState == cbUnchecked ? CBS_UNCHECKEDNORMAL : FState == cbChecked ? CBS_CHECKEDNORMAL
                                                                                                : CBS_MIXEDNORMAL;
            const int Condition = !GetEnabled() ? 3 : FDown ? 2 : FHot ? 1 : 0;
            RECT R{BoxRect.Left, BoxRect.Top, BoxRect.Right, BoxRect.Bottom};
            QorXPVS::DrawThemeBackground(Theme, DC, BP_CHECKBOX, Base + Condition, &R, nullptr);
            QorXPVS::CloseThemeData(Theme);
            return;
        }
    }
    // The classic box, one pixel narrower, at the right edge itself for right alignment.
    const TRect Client = GetClientRect();
    const int Left = FAlignment == lrRight ? Client.Width() - Box + 1 : 0;
    int Top = BoxTop;
    if (FBtnVAlign == tlCenter) Top = Client.Height() / 2 - 6;
    else if (FBtnVAlign == tlBottom) Top = Client.Height() - Box - 3;
    RECT R{Left, Top, Left + Box - 1, Top + Box - 1};
    UINT Flags = DFCS_BUTTONCHECK;
    if (!GetEnabled() || FState == cbGrayed) Flags |= DFCS_INACTIVE;
    if (FState == cbChecked) Flags |= DFCS_CHECKED;
    DrawFrameControl(DC, &R, DFC_BUTTON, Flags);
}

// ---- Registration ---------------------------------------------------------------------------------

void TQorCheckBox::RegisterProperties(TPropertyTable& T)
{
    using B = TQorCheckBox;
    T.Add(L"Alignment", &B::GetAlignment, &B::SetAlignment, lrLeft);
    T.Add(L"ButtonVertAlign", &B::GetButtonVertAlign, &B::SetButtonVertAlign, tlTop);
    T.Add(L"Caption", &B::GetCaption, &B::SetCaption);
    T.Add(L"Checked", &B::GetChecked, &B::SetChecked, false);
    T.Add(L"Ellipsis", &B::GetEllipsis, &B::SetEllipsis, false);
    T.Add(L"ReadOnly", &B::GetReadOnly, &B::SetReadOnly, false);
    T.Add(L"ReturnIsTab", &B::GetReturnIsTab, &B::SetReturnIsTab, false);
    T.Add(L"State", &B::GetState, &B::SetState, cbUnchecked);
    T.Add(L"Transparent", &B::GetTransparent, &B::SetTransparent, false);
}

void RegisterQorCheckBoxClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterStdCtrls();
    RegisterClass<TQorCheckBox>();
}
