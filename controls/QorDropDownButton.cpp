// QorDropDown: the drop button at the edit's right edge and the speed button that fills it.
#include "controls/ATXPVS.h"
#include "controls/JyrFlatLook.h"
#include "controls/QorDropDown.h"

#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/QorStyleIF.h"

#include <vssym32.h>

#include <algorithm>

using namespace QorDropDown;

// ---- TQorDropDownSpeedButton ------------------------------------------------------------------------

TQorDropDownSpeedButton::TQorDropDownSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner)
{
    FIsWinXP = JyrControls::IsComCtl6();
}

TDropDownEditButton* TQorDropDownSpeedButton::Host() const
{
    return dynamic_cast<TDropDownEditButton*>(const_cast<TQorDropDownSpeedButton*>(this)->GetOwner());
}

TQorCustomDropDown* TQorDropDownSpeedButton::Edit() const
{
    TDropDownEditButton* H = Host();
    return H ? dynamic_cast<TQorCustomDropDown*>(H->GetOwner()) : nullptr;
}

void TQorDropDownSpeedButton::SetButtonStyle(TButtonStyle Value)
{
    FButtonStyle = Value;
    Invalidate();
}

void TQorDropDownSpeedButton::SetEtched(bool Value)
{
    if (FEtched == Value) return;
    FEtched = Value;
    Invalidate();
}

void TQorDropDownSpeedButton::SetFocused(bool Value)
{
    if (FFocused == Value) return;
    FFocused = Value;
    Invalidate();
}

bool TQorDropDownSpeedButton::DoVisualStyles()
{
    return FIsWinXP && JyrControls::ThemesActive();
}

bool TQorDropDownSpeedButton::Pressed() const
{
    return (GetState() == bsDown || GetState() == bsExclusive) && !FUp;
}

void TQorDropDownSpeedButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        inherited::Dispatch(Message);
        FHot = Message.Msg == CM_MOUSEENTER;
        Invalidate();
        break;
    default: inherited::Dispatch(Message);
    }
}

void TQorDropDownSpeedButton::Paint()
{
    if (FButtonStyle == bsButton) PaintButton();
    else PaintDropDown();
}

void TQorDropDownSpeedButton::PaintDropDown()
{
    TCanvas* C = GetCanvas();
    const HDC DC = C->GetHandle();
    const TRect R = GetClientRect();
    TDropDownEditButton* H = Host();
    TQorCustomDropDown* E = Edit();
    if (H && H->ButtonColor != clNone) {
        // The arrow colours are not set by any style: the edit's font colour stands in for them.
        JyrFlatLook::TButtonColors Colors = *H;
        const TColor Ink = E ? E->GetFont()->GetColor() : clBlack;
        if (Colors.ButtonTextColor == clNone) Colors.ButtonTextColor = Ink;
        if (Colors.ButtonTextColorHot == clNone) Colors.ButtonTextColorHot = Colors.ButtonTextColor;
        if (Colors.ButtonTextColorDown == clNone) Colors.ButtonTextColorDown = Colors.ButtonTextColor;
        Colors.ButtonBorderColor = E ? E->GetBorderColor() : clNone;
        const bool Down = Pressed();
        if (Down && Colors.ButtonColorHot == clNone) Colors.ButtonColorHot = Colors.ButtonColorDown;
        JyrFlatLook::DrawColoredDropButton(DC, R, R.Left, TPoint(5, 7), Colors, FHot || Down, Down);
        return;
    }
    if (!GetGlyph()->GetEmpty()) {
        C->GetBrush()->SetColor(clBtnFace);
        C->GetPen()->SetColor(clGray);
        C->Rectangle(R);
        TBitmap* G = GetGlyph();
        const int X = G->GetWidth() < GetWidth() ? (GetWidth() - G->GetWidth()) / 2 : 0;
        const int Y = G->GetHeight() < GetHeight() ? (GetHeight() - G->GetHeight()) / 2 : 0;
        TransparentDraw(DC, X, Y, G->GetWidth(), G->GetHeight(), G->GetCanvas()->GetHandle(), 0, 0,
                        ColorToRGB(G->GetCanvas()->GetPixels(0, G->GetHeight() - 1)));
        return;
    }
    const bool Enabled = GetEnabled() && (!E || (E->GetEnabled() && !E->GetReadOnly()));
    if (DoVisualStyles() && GetParent()) {
        const bool Dropped = E && E->GetDroppedDown();
        const int State = !Enabled ? 4 : (Pressed() || Dropped) ? 3 : FHot ? 2 : 1;
        if (PaintThemedDropDown(DC, State)) return;
    }
    // The framework's button face is drawn over whole by the system's combo-box button face.
    JyrFlatLook::DrawClassicDropButton(DC, R, Enabled);
}

bool TQorDropDownSpeedButton::PaintThemedDropDown(HDC DC, int State)
{
    if (!ATXPVS::OpenThemeData || !ATXPVS::DrawThemeBackground || !ATXPVS::CloseThemeData) return false;
    const HTHEME Theme = ATXPVS::OpenThemeData(GetParent()->GetHandle(), L"combobox");
    if (!Theme) return false;
    auto Close = ScopeExit([Theme] { ATXPVS::CloseThemeData(Theme); });
    TRect R = GetClientRect();
    if (QorStyleIF::IsVista()) {
        R.Left += 1;
    } else {
        R = TRect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
        R.Left += 2;
    }
    int Part = CP_DROPDOWNBUTTON;
    if (QorDropDown::IsWin10() || QorDropDown::IsWin7()) {
        // The right-hand part of the newer systems' combo box sits on the window colour and
        // reaches one pixel past the face to the right, above and below.
        TCanvas* C = GetCanvas();
        C->GetBrush()->SetStyle(bsSolid);
        C->GetBrush()->SetColor(clWindow);
        C->GetPen()->SetColor(clWindow);
        C->Rectangle(R);
        Part = CP_DROPDOWNBUTTONRIGHT;
        R = TRect(R.Left, R.Top - 1, R.Right + 1, R.Bottom + 1);
    }
    RECT W{R.Left, R.Top, R.Right, R.Bottom};
    ATXPVS::DrawThemeBackground(Theme, DC, Part, State, &W, nullptr);
    return true;
}

void TQorDropDownSpeedButton::PaintButton()
{
    TCanvas* C = GetCanvas();
    if (TQorCustomDropDown* E = Edit()) C->SetFont(E->GetFont());
    const HDC DC = C->GetHandle();
    const bool Down = GetState() == bsDown || GetState() == bsExclusive;
    TBitmap* G = GetGlyph();
    const String Caption = GetCaption();
    auto DrawCaption = [&](TRect TR, UINT Align) {
        SetBkMode(DC, TRANSPARENT);
        RECT W{TR.Left, TR.Top, TR.Right, TR.Bottom};
        DrawTextW(DC, Caption.c_str(), int(Caption.size()), &W, Align | DT_SINGLELINE | DT_VCENTER);
    };
    if (DoVisualStyles() && GetParent()) {
        const int State = !GetEnabled() ? 4 : Pressed() ? 3 : FHot ? 2 : 1;
        C->FillRect(TRect(GetLeft(), GetTop(), GetLeft() + GetWidth(), GetTop() + GetHeight()));
        if (ATXPVS::OpenThemeData && ATXPVS::DrawThemeBackground && ATXPVS::CloseThemeData) {
            if (HTHEME Theme = ATXPVS::OpenThemeData(GetParent()->GetHandle(), L"button")) {
                RECT W{0, 0, GetWidth() + 1, GetHeight() + 1};
                ATXPVS::DrawThemeBackground(Theme, DC, BP_PUSHBUTTON, State, &W, nullptr);
                ATXPVS::CloseThemeData(Theme);
            }
        }
        TRect R = GetClientRect();
        if (!G->GetEmpty()) {
            R = TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
            if (!Caption.empty()) R.Left += 2;
            else if (G->GetWidth() < R.Width()) R.Left += (R.Width() - G->GetWidth()) >> 1;
            if (G->GetHeight() < R.Height()) R.Top += (R.Height() - G->GetHeight()) >> 1;
            if (Down) R = TRect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
            TransparentDraw(DC, R.Left, R.Top, G->GetWidth(), G->GetHeight(), G->GetCanvas()->GetHandle(), 0, 0,
                            ColorToRGB(G->GetCanvas()->GetPixels(0, G->GetHeight() - 1)));
        }
        if (!Caption.empty()) {
            if (G->GetEmpty()) {
                R = TRect(R.Left + 3, R.Top + 1, R.Right - 3, R.Bottom - 1);
                if (Down) R = TRect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
                DrawCaption(R, DT_CENTER);
            } else {
                R.Left += G->GetWidth() + 2;
                R.Top -= 1;
                DrawCaption(R, DT_LEFT);
            }
        }
        return;
    }
    if (GetFlat()) {
        TRect R = GetClientRect();
        C->GetBrush()->SetColor(clBtnFace);
        C->FillRect(R);
        RECT W{R.Left, R.Top, R.Right + 1, R.Bottom + 1};
        DrawEdge(DC, &W, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (Down ? BF_FLAT : 0));
        TRect In(R.Left + 3, R.Top + 3, R.Right - 3, R.Bottom - 3);
        if (Down) In = TRect(In.Left + 1, In.Top + 1, In.Right + 1, In.Bottom + 1);
        if (!G->GetEmpty()) DrawBitmapTransp(C, G, ColorToRGB(clBtnFace), In);
        if (!Caption.empty()) {
            TRect TR(R.Left + 3, R.Top + 1, R.Right - 3, R.Bottom - 1);
            if (Down) TR = TRect(TR.Left + 1, TR.Top + 1, TR.Right + 1, TR.Bottom + 1);
            DrawCaption(TR, DT_CENTER);
        }
        return;
    }
    inherited::Paint();
}

// ---- TDropDownEditButton -----------------------------------------------------------------------------

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TButtonHost(AOwner)
{
    FControlStyle.Exclude(csAcceptsControls);
    FControlStyle.Exclude(csSetCaption);
    FControlStyle.Include(csOpaque);
    FButton = CreateButton();
    FButton->SetButtonStyle(bsDropDown);
    FBWidth = 16;
    SetBounds(GetLeft(), GetTop(), 16, 25);
}

TQorDropDownSpeedButton* TDropDownEditButton::CreateButton()
{
    auto* B = Create<TQorDropDownSpeedButton>(this);
    B->SetParent(this);
    B->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
    B->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        BtnMouseDown(Sender, Button, Shift, X, Y);
    };
    B->SetVisible(true);
    B->SetEnabled(GetEnabled());
    B->SetCaption(L"");
    return B;
}

void TDropDownEditButton::BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbLeft) return;
    FocusAfterPress();
    if (OnClick && Sender == FButton) OnClick(this);
}

void TDropDownEditButton::AdjustSize(int& W, int& H)
{
    if (!FButton) return;
    W = FBWidth;
    FButton->SetBounds(0, 0, FBWidth, H);
}

void TDropDownEditButton::Dispatch(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (Message.Msg == CM_ENABLEDCHANGED && FButton) FButton->SetEnabled(GetEnabled());
}

TBitmap* TDropDownEditButton::GetGlyph() const
{
    return FButton->GetGlyph();
}

void TDropDownEditButton::SetGlyph(TBitmap* Value)
{
    FButton->SetGlyph(Value);
}

String TDropDownEditButton::GetCaption() const
{
    return FButton->GetCaption();
}

void TDropDownEditButton::SetCaption(const String& Value)
{
    FButton->SetCaption(Value);
}

TNumGlyphs TDropDownEditButton::GetNumGlyphs() const
{
    return FButton->GetNumGlyphs();
}

void TDropDownEditButton::SetNumGlyphs(TNumGlyphs Value)
{
    FButton->SetNumGlyphs(Value);
}

void TDropDownEditButton::RegisterProperties(TPropertyTable& Table)
{
    using T = TDropDownEditButton;
    Table.Add(L"Glyph", &T::GetGlyph, &T::SetGlyph);
    Table.Add(L"ButtonCaption", &T::GetCaption, &T::SetCaption);
    Table.Add(L"NumGlyphs", &T::GetNumGlyphs, &T::SetNumGlyphs, TNumGlyphs(1));
}
