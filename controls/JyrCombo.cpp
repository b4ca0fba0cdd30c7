// JyrCombo: the combo box with its own frame, drop button, focus colours and caption label.
#include "JyrCombo.h"

#include "framework/Forms.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/QorStyleIF.h"

#include <windows.h>

namespace JyrCombo {

using namespace JyrFlatLook;

TJyrCustomCombo::TJyrCustomCombo(TComponent* AOwner) : TCustomComboBox(AOwner)
{
    FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
    FIsThemed = QorStyleIF::IsThemedApp();
    FLabelFont = new TFont();
    FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
    // A combo made at run time returns to the colour it was made with after the focus.
    FNormalColor = GetColor();
}

TJyrCustomCombo::~TJyrCustomCombo()
{
    if (FLabel) {
        FLabel->Free();
        FLabel = nullptr;
    }
    delete FLabelFont;
    FLabelFont = nullptr;
}

// ---- Properties -------------------------------------------------------------------------------

void TJyrCustomCombo::SetButtonWidth(int Value)
{
    if (Value < 14 || Value > 32) return;
    FButtonWidth = Value;
    Invalidate();
}

void TJyrCustomCombo::SetFlat(bool Value)
{
    if (FFlat == Value) return;
    FFlat = Value;
    SetCtl3D(!Value);
    if (FFlatParentColor && Value && GetParent()) SetColor(GetParent()->GetColor());
    else SetColor(FLoadedColor);
    Invalidate();
}

void TJyrCustomCombo::SetEtched(bool Value)
{
    FEtched = Value;
    Invalidate();
}

void TJyrCustomCombo::SetFlatLineColor(TColor Value)
{
    FFlatLineColor = Value;
    Invalidate();
}

void TJyrCustomCombo::SetFlatParentColor(bool Value)
{
    FFlatParentColor = Value;
    Invalidate();
}

void TJyrCustomCombo::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    if (HandleAllocated()) SendMessageW(GetHandle(), WM_NCPAINT, 1, 0);
}

void TJyrCustomCombo::SetDropWidth(int Value)
{
    FDropWidth = Value > 0 ? Value : 0;
    if (FDropWidth > 0 && HandleAllocated()) SendMessageW(GetHandle(), CB_SETDROPPEDWIDTH, WPARAM(FDropWidth), 0);
}

void TJyrCustomCombo::SetColorEx(TColor Value)
{
    if (IsLoading()) FLoadedColor = Value;
    SetColor(Value);
}

void TJyrCustomCombo::SetEnabledEx(bool Value)
{
    const bool Changed = GetEnabled() != Value;
    SetEnabled(Value);
    if (IsLoading() || !Changed || !FLabel) return;
    if (!FLabelAlwaysEnabled) FLabel->SetEnabled(Value);
    UpdateLabel();
}

void TJyrCustomCombo::SetVisibleEx(bool Value)
{
    SetVisible(Value);
    if (FLabel) FLabel->SetVisible(Value);
}

String TJyrCustomCombo::GetLabelCaption() const { return FLabel ? FLabel->GetCaption() : String(); }

void TJyrCustomCombo::SetLabelCaption(const String& Value)
{
    if (!FLabel) {
        FLabel = Create<TLabel>(this);
        FLabel->SetParent(GetParent());
        FLabel->SetFocusControl(this);
        FLabel->SetParentFont(GetParentFont());
        FLabel->SetFont(FLabelFont);
    }
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TJyrCustomCombo::SetLabelPosition(TLabelPosition Value)
{
    FLabelPosition = Value >= lpLeftTop && Value <= lpRighBottom ? Value : lpLeftTop;
    UpdateLabel();
}

void TJyrCustomCombo::SetLabelMargin(int Value)
{
    FLabelMargin = Value >= 0 && Value <= MaxLabelMargin ? Value : 4;
    UpdateLabel();
}

void TJyrCustomCombo::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    UpdateLabel();
}

void TJyrCustomCombo::SetLabelAlwaysEnabled(bool Value)
{
    FLabelAlwaysEnabled = Value;
    if (FLabel) FLabel->SetEnabled(Value || GetEnabled());
    UpdateLabel();
}

void TJyrCustomCombo::LabelFontChanged(TObject*)
{
    UpdateLabel();
}

void TJyrCustomCombo::SetLabelBold(bool Bold)
{
    if (!FLabel) return;
    TFontStyles S = FLabel->GetFont()->GetStyle();
    if (Bold) S << fsBold;
    else S >> fsBold;
    FLabel->GetFont()->SetStyle(S);
}

void TJyrCustomCombo::SelectItem(const String& AString)
{
    for (int I = 0; I < GetItems()->Count(); ++I)
        if (GetItems()->Get(I) == AString) {
            SetItemIndex(I);
            return;
        }
}

// ---- Label ------------------------------------------------------------------------------------

void TJyrCustomCombo::UpdateLabel()
{
    if (!FLabel || IsDestroying()) return;
    if (FLabel->GetParent() != GetParent()) FLabel->SetParent(GetParent());
    FLabel->SetTransparent(FLabelTransparent);
    if (!GetParentFont()) FLabel->SetFont(FLabelFont);
    const int W = JyrControls::CaptionWidth(FLabel->GetCaption(), FLabel->GetFont());
    const TPoint P = JyrControls::PlaceLabel(int(FLabelPosition), GetLeft(), GetTop(), GetWidth(), GetHeight(),
                                             FLabel->GetHeight(), FLabel->GetWidth(), W, FLabelMargin);
    FLabel->SetBounds(P.X, P.Y, FLabel->GetWidth(), FLabel->GetHeight());
    FLabel->SetVisible(GetVisible());
}

void TJyrCustomCombo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    UpdateLabel();
}

void TJyrCustomCombo::SetParent(TWinControl* AParent)
{
    inherited::SetParent(AParent);
    UpdateLabel();
}

void TJyrCustomCombo::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    // The label stands on the combo's parent, which may free it first.
    if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
}

void TJyrCustomCombo::Loaded()
{
    inherited::Loaded();
    if (FDropWidth > 0) SetDropWidth(FDropWidth);
    FOldColor = FLoadedColor;
    if (!(FFlatParentColor && FFlat)) SetColor(FOldColor);
    if (FLabel) {
        if (!FLabelAlwaysEnabled) FLabel->SetEnabled(GetEnabled());
        if (GetParentFont()) FLabel->SetFont(GetFont());
    }
    UpdateLabel();
    FNormalColor = GetColor();
}

// ---- Painting ---------------------------------------------------------------------------------

bool TJyrCustomCombo::VisualStyles() const { return FIsThemed && JyrControls::ThemesActive(); }

bool TJyrCustomCombo::Is3DBorderButton()
{
    return FMouseInControl || (Screen && Screen->GetActiveControl() == this);
}

bool TJyrCustomCombo::Is3DBorderControl() { return Is3DBorderButton() && FFocusBorder; }

bool TJyrCustomCombo::CustomPaintWanted()
{
    return FFlat || ButtonColor != clNone || FBorderColor != clNone || (FFocusBorderColor != clNone && FHasFocus) ||
           (!GetEnabled() && VisualStyles() && !FDisabledBorder);
}

void TJyrCustomCombo::DrawButton(HDC DC)
{
    const int CW = GetClientWidth(), CH = GetClientHeight();
    TRect R{0, 0, GetWidth(), GetHeight()};
    R.Left = CW - FButtonWidth + 2;
    R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    if (ButtonColor != clNone) {
        const TRect Fill{R.Left - 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        DrawColoredDropButton(DC, Fill, Fill.Left, {Fill.Left + 4, Fill.Top + 7}, *this, FButtonHover,
                              IsMouseButtonDown());
    } else if (!VisualStyles() ||
               !DrawThemedDropButton(GetHandle(), DC, R,
                                     DropButtonThemeState(GetEnabled(), IsMouseButtonDown(), FButtonHover,
                                                          GetDroppedDown()))) {
        DrawClassicDropButton(DC, TRect{R.Left - 4, R.Top + 1, R.Right, R.Bottom - 1}, GetEnabled());
    }
    ExcludeClipRect(DC, CW - FButtonWidth - 4, 0, CW + 2, CH);
}

void TJyrCustomCombo::DrawBorders()
{
    if (!HandleAllocated()) return;
    if ((GetEnabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) ||
        (IsVista && FBorderColor == clNone))
        return;
    DrawFlatBorders(this, {.IsThemed = FIsThemed,
                           .DisabledBorder = FDisabledBorder,
                           .Focused = FHasFocus,
                           .Is3DBorderControl = Is3DBorderControl(),
                           .Is3DBorderButton = Is3DBorderButton(),
                           .BorderColor = FBorderColor,
                           .FocusBorderColor = FFocusBorderColor,
                           .FlatLineColor = FFlat ? FFlatLineColor : clNone,
                           .ButtonWidth = FButtonWidth,
                           .ButtonFrame = GetStyle() != csSimple && !(IsWinXP && VisualStyles())});
}

void TJyrCustomCombo::WMPaint(TMessage& Message)
{
    if ((IsVista && ButtonColor == clNone) || !CustomPaintWanted() || !HandleAllocated()) {
        inherited::Dispatch(Message);
        return;
    }
    const bool LeftToRight = !UseRightToLeftAlignment();
    auto PaintInto = [&](HDC DC) {
        {
            TSavedDC Saved(DC);
            if (GetStyle() != csSimple) {
                FBrush->SetColor(GetColor());
                RECT CR{0, 0, GetClientWidth(), GetClientHeight()};
                FillRect(DC, &CR, FBrush->GetHandle());
                if (LeftToRight) DrawButton(DC);
            }
            // The window's own painting, kept out of the button's area.
            TMessage Own{WM_PAINT, WPARAM(DC), 0, 0};
            DefaultHandler(Own);
        }
        if (LeftToRight) DrawBorders();
    };
    if (HDC Given = reinterpret_cast<HDC>(Message.WParam)) {
        PaintInto(Given);
    } else {
        TPaintDC DC(GetHandle());
        PaintInto(DC);
    }
    Message.Result = 0;
}

void TJyrCustomCombo::WMNCPaint(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FFlat || (!GetEnabled() && VisualStyles() && !FDisabledBorder)) DrawBorders();
    if ((FFocusBorderColor != clNone && FHasFocus) || FBorderColor != clNone) DrawBorders();
}

// ---- Hover and focus --------------------------------------------------------------------------

void TJyrCustomCombo::MouseMove(TShiftState Shift, int X, int Y)
{
    inherited::MouseMove(Shift, X, Y);
    const bool Hover = GetWidth() - FButtonWidth < X && X < GetWidth();
    if (Hover != FButtonHover) {
        FButtonHover = Hover;
        Invalidate();
    }
}

void TJyrCustomCombo::CMMouseEnter(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FMouseInControl || !GetEnabled()) return;
    FMouseInControl = true;
    DrawBorders();
    if (FAutoFocus) {
        TCustomForm* Form = GetParentForm(this);
        if ((!Form || (Form->HandleAllocated() && GetActiveWindow() == Form->GetHandle())) && CanFocus()) SetFocus();
    }
    if (IsWinXP) Invalidate();
}

void TJyrCustomCombo::CMMouseLeave(TMessage& Message)
{
    inherited::Dispatch(Message);
    FMouseInControl = false;
    if (GetEnabled()) DrawBorders();
    FButtonHover = false;
    if (IsWinXP) Invalidate();
}

void TJyrCustomCombo::CMEnter(TMessage& Message)
{
    FHasFocus = true;
    DrawBorders();
    if (FFocusColor != clNone) SetColorEx(FFocusColor);
    if (FFocusLabel) SetLabelBold(true);
    inherited::Dispatch(Message);
}

void TJyrCustomCombo::CMExit(TMessage& Message)
{
    FHasFocus = false;
    DrawBorders();
    if (FFocusColor != clNone && FNormalColor != clNone) SetColorEx(FNormalColor);
    SetLabelBold(false);
    inherited::Dispatch(Message);
}

void TJyrCustomCombo::WMSetFocus(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FFocusBorderColor != clNone) Invalidate();
    if (FFocusColor != clNone) SetColorEx(FFocusColor);
    if (FFocusLabel) SetLabelBold(true);
}

void TJyrCustomCombo::WMKillFocus(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FFocusColor != clNone && FNormalColor != clNone) SetColorEx(FNormalColor);
    SetLabelBold(false);
    Invalidate();
}

void TJyrCustomCombo::CMEnabledChanged(TMessage& Message)
{
    if (FFlat && !IsLoading()) {
        if (!GetEnabled()) {
            FOldColor = GetColor();
            FOldParentColor = GetParentColor();
            SetParentColor(true);
        } else {
            SetParentColor(FOldParentColor);
            SetColor(FOldColor);
        }
    }
    inherited::Dispatch(Message);
}

void TJyrCustomCombo::CNCommand(TMessage& Message)
{
    inherited::Dispatch(Message);
    const Word Code = HIWORD(Message.WParam);
    if (Code != CBN_DROPDOWN && Code != CBN_CLOSEUP) return;
    if (HandleAllocated()) {
        RECT R{GetClientWidth() - FButtonWidth, 0, GetClientWidth(), GetClientHeight()};
        InvalidateRect(GetHandle(), &R, FALSE);
    }
    if (Code == CBN_CLOSEUP && OnDropUp) OnDropUp(this);
}

void TJyrCustomCombo::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CN_COMMAND: CNCommand(Message); break;
    case CM_FONTCHANGED:
    case CM_PARENTFONTCHANGED:
        inherited::Dispatch(Message);
        // A label that follows the combo's font takes it along.
        if (FLabel && GetParentFont()) {
            FLabel->SetFont(GetFont());
            UpdateLabel();
        }
        break;
    default: inherited::Dispatch(Message);
    }
}

// ---- Registration -----------------------------------------------------------------------------

void TJyrCustomCombo::RegisterProperties(TPropertyTable& T)
{
    TComboBox::RegisterProperties(T);
    T.AddColor(L"Color", &TJyrCustomCombo::GetColorEx, &TJyrCustomCombo::SetColorEx).StoredProc = [](TObject* O) {
        auto* C = dynamic_cast<TControl*>(O);
        return !C || !C->GetParentColor();
    };
    T.Add(L"Enabled", &TJyrCustomCombo::GetEnabledEx, &TJyrCustomCombo::SetEnabledEx, true);
    T.Add(L"Visible", &TJyrCustomCombo::GetVisibleEx, &TJyrCustomCombo::SetVisibleEx, true);
    T.Add(L"ButtonWidth", &TJyrCustomCombo::GetButtonWidth, &TJyrCustomCombo::SetButtonWidth, 19);
    T.Add(L"Flat", &TJyrCustomCombo::GetFlat, &TJyrCustomCombo::SetFlat, false);
    T.Add(L"Etched", &TJyrCustomCombo::GetEtched, &TJyrCustomCombo::SetEtched, false);
    T.AddColor(L"FlatLineColor", &TJyrCustomCombo::GetFlatLineColor, &TJyrCustomCombo::SetFlatLineColor)
        .SetDefault(TPropValue(Int64(clNone)));
    T.Add(L"FlatParentColor", &TJyrCustomCombo::GetFlatParentColor, &TJyrCustomCombo::SetFlatParentColor, true);
    T.AddColor(L"BorderColor", &TJyrCustomCombo::GetBorderColor, &TJyrCustomCombo::SetBorderColor)
        .SetDefault(TPropValue(Int64(clNone)));
    T.Add(L"FocusBorder", &TJyrCustomCombo::GetFocusBorder, &TJyrCustomCombo::SetFocusBorder, false);
    T.AddColor(L"FocusBorderColor", &TJyrCustomCombo::GetFocusBorderColor, &TJyrCustomCombo::SetFocusBorderColor)
        .SetDefault(TPropValue(Int64(clNone)));
    T.AddColor(L"FocusColor", &TJyrCustomCombo::GetFocusColor, &TJyrCustomCombo::SetFocusColor)
        .SetDefault(TPropValue(Int64(clNone)));
    T.Add(L"FocusLabel", &TJyrCustomCombo::GetFocusLabel, &TJyrCustomCombo::SetFocusLabel, false);
    T.Add(L"DisabledBorder", &TJyrCustomCombo::GetDisabledBorder, &TJyrCustomCombo::SetDisabledBorder, true);
    T.Add(L"AutoFocus", &TJyrCustomCombo::GetAutoFocus, &TJyrCustomCombo::SetAutoFocus, false);
    T.Add(L"DropWidth", &TJyrCustomCombo::GetDropWidth, &TJyrCustomCombo::SetDropWidth, 0);
    T.Add(L"LabelCaption", &TJyrCustomCombo::GetLabelCaption, &TJyrCustomCombo::SetLabelCaption);
    T.Add(L"LabelPosition", &TJyrCustomCombo::GetLabelPosition, &TJyrCustomCombo::SetLabelPosition, lpLeftTop);
    T.Add(L"LabelMargin", &TJyrCustomCombo::GetLabelMargin, &TJyrCustomCombo::SetLabelMargin, 4);
    T.Add(L"LabelTransparent", &TJyrCustomCombo::GetLabelTransparent, &TJyrCustomCombo::SetLabelTransparent, false);
    T.Add(L"LabelAlwaysEnabled", &TJyrCustomCombo::GetLabelAlwaysEnabled, &TJyrCustomCombo::SetLabelAlwaysEnabled,
          false);
    T.Add(L"LabelFont", &TJyrCustomCombo::GetLabelFont, &TJyrCustomCombo::SetLabelFont);
    T.AddEvent(L"OnDropUp", &TJyrCustomCombo::OnDropUp);
}

void RegisterCombo()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterStdCtrls();
    RegisterEnumIdents<TLabelPosition>(
        L"JyrCombo::TLabelPosition",
        {{lpLeftTop, L"lpLeftTop"}, {lpLeftCenter, L"lpLeftCenter"}, {lpLeftBottom, L"lpLeftBottom"},
         {lpTopLeft, L"lpTopLeft"}, {lpBottomLeft, L"lpBottomLeft"}, {lpLeftTopLeft, L"lpLeftTopLeft"},
         {lpLeftCenterLeft, L"lpLeftCenterLeft"}, {lpLeftBottomLeft, L"lpLeftBottomLeft"},
         {lpTopCenter, L"lpTopCenter"}, {lpBottomCenter, L"lpBottomCenter"}, {lpRightTop, L"lpRightTop"},
         {lpRightCenter, L"lpRightCenter"}, {lpRighBottom, L"lpRighBottom"}});
    RegisterClasses<TJyrCustomCombo, TJyrComboBox>();
}

}  // namespace JyrCombo
