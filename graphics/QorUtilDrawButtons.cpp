// QorUtil, buttons: combo-box arrow, push button and spin buttons in the themed, classic, flat and
// metro looks. The themed look falls back to the classic one when no visual-style data opens.
#include "graphics/QorUtil.h"

#include "framework/Math.h"

#include <uxtheme.h>
#include <vssym32.h>

namespace QorUtil {

namespace {

const TColorTone& ToneOf(const TColorTones& Tones, TControlState State)
{
    switch (State) {
    case csHover: return Tones.Hover;
    case csDown: return Tones.Selected;
    case csDisabled: return Tones.Disabled;
    default: return Tones.Background;
    }
}

void PenBrush(TCanvas* Canvas, TColor PenColor, TColor BrushColor)
{
    Canvas->GetPen()->SetStyle(psSolid);
    Canvas->GetPen()->SetWidth(1);
    Canvas->GetPen()->SetColor(PenColor);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(BrushColor);
}

// Draws the parts with visual-style data of the class; false when the data does not open.
struct TThemePart {
    int Part;
    int State;
    TRect R;
};
bool DrawThemed(TCanvas* Canvas, HWND Handle, const wchar_t* ClassName, std::initializer_list<TThemePart> Parts)
{
    HTHEME Theme = OpenThemeData(Handle, ClassName);
    if (!Theme) return false;
    HDC DC = Canvas->GetHandle();
    for (const TThemePart& P : Parts) {
        RECT Rc{P.R.Left, P.R.Top, P.R.Right, P.R.Bottom};
        DrawThemeBackground(Theme, DC, P.Part, P.State, &Rc, nullptr);
    }
    CloseThemeData(Theme);
    return true;
}

void FrameControl(TCanvas* Canvas, const TRect& R, UINT Type, UINT State)
{
    RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
    DrawFrameControl(Canvas->GetHandle(), &Rc, Type, State);
}

}  // namespace

void DrawComboButton(TCanvas* Canvas, HWND Handle, TRect ARect, TControlDrawStyle AControlStyle,
                     TControlState AState, const TColorTones& ATones, double DPIScale)
{
    const int W = int(Round(DPIScale * 16));
    TRect R{ARect.Right - W - 2, ARect.Top + 1, ARect.Right - 2, ARect.Bottom - 1};
    if (AControlStyle == cdsMetro) {
        R.Left += 3;
        const TColorTone& Tone = ToneOf(ATones, AState);
        PenBrush(Canvas, Tone.BrushColor, Tone.BrushColor);
        Canvas->Rectangle(R);
        Canvas->GetPen()->SetColor(ATones.Background.BorderColor);
        Canvas->MoveTo(R.Left + 1, R.Top);
        Canvas->LineTo(R.Left + 1, R.Bottom);
        PenBrush(Canvas, ATones.Background.TextColor, ATones.Background.TextColor);
        const TPoint Tri[3] = {{R.Left + 5, R.Top + 8}, {R.Left + 11, R.Top + 8}, {R.Left + 8, R.Top + 11}};
        Canvas->Polygon(Tri, 3);
        return;
    }
    if (AControlStyle == cdsXPTheme &&
        DrawThemed(Canvas, Handle, L"combobox",
                   {{CP_DROPDOWNBUTTON, AState == csDisabled ? CBXS_DISABLED : CBXS_NORMAL, R}}))
        return;
    UINT State = DFCS_SCROLLCOMBOBOX;
    if (AState == csDisabled) State |= DFCS_INACTIVE;
    if (AControlStyle == cdsFlat) State |= DFCS_FLAT;
    FrameControl(Canvas, R, DFC_SCROLL, State);
}

void DrawButton(TCanvas* Canvas, HWND AHandle, TRect ARect, TControlDrawStyle AControlStyle,
                TControlState AState, const TColorTones& ATones, bool Prefix, const String& ACaption)
{
    if (AControlStyle == cdsMetro) {
        const TColorTone& Tone = ToneOf(ATones, AState);
        PenBrush(Canvas, Tone.BorderColor, Tone.BrushColor);
        Canvas->Rectangle(ARect);
    } else {
        static const int ThemeStates[] = {PBS_NORMAL, PBS_HOT, PBS_PRESSED, PBS_DISABLED};
        bool Done = AControlStyle == cdsXPTheme &&
                    DrawThemed(Canvas, AHandle, L"button", {{BP_PUSHBUTTON, ThemeStates[AState], ARect}});
        if (!Done) {
            UINT State = DFCS_BUTTONPUSH;
            if (AState == csHover) State |= DFCS_HOT;
            if (AState == csDown) State |= DFCS_PUSHED;
            if (AState == csDisabled) State |= DFCS_INACTIVE;
            if (AControlStyle == cdsFlat) State |= DFCS_FLAT;
            FrameControl(Canvas, ARect, DFC_BUTTON, State);
        }
    }
    if (!ACaption.empty()) {
        Canvas->GetBrush()->SetStyle(bsClear);
        TRect R{ARect.Left, ARect.Top + 4, ARect.Right, ARect.Bottom - 3};
        TTextFormat F{tfCenter, tfVerticalCenter, tfSingleLine};
        if (!Prefix) F.Include(tfNoPrefix);
        Canvas->TextRect(R, ACaption, F);
    }
}

void DrawSpinButtons(TCanvas* Canvas, HWND Handle, TRect ARect, TControlDrawStyle AControlStyle,
                     TControlState AState, const TColorTones& ATones)
{
    const TRect R{ARect.Right - 16, ARect.Top - 1, ARect.Right - 1, ARect.Bottom - 1};
    const int m = (R.Top + R.Bottom) / 2;
    if (AControlStyle == cdsMetro) {
        const TColorTone& Tone = ToneOf(ATones, AState);
        PenBrush(Canvas, Tone.BrushColor, Tone.BrushColor);
        Canvas->Rectangle(R.Left, R.Top, R.Right, m);
        Canvas->Rectangle(R.Left, m + 1, R.Right, R.Bottom);
        PenBrush(Canvas, clBlack, clBlack);
        const int l = R.Left, t = m + 1;
        const TPoint Up[3] = {{l + 5, R.Top + 5}, {l + 9, R.Top + 5}, {l + 7, R.Top + 3}};
        const TPoint Down[3] = {{l + 5, t + 1}, {l + 9, t + 1}, {l + 7, t + 3}};
        Canvas->Polygon(Up, 3);
        Canvas->Polygon(Down, 3);
        return;
    }
    if (AControlStyle == cdsXPTheme) {
        const bool Disabled = AState == csDisabled;
        if (DrawThemed(Canvas, Handle, L"spin",
                       {{SPNP_UP, Disabled ? UPS_DISABLED : UPS_NORMAL, TRect{R.Left, R.Top, R.Right, m}},
                        {SPNP_DOWN, Disabled ? DNS_DISABLED : DNS_NORMAL, TRect{R.Left, m, R.Right, R.Bottom}}}))
            return;
    }
    UINT Extra = 0;
    if (AState == csDisabled) Extra |= DFCS_INACTIVE;
    if (AControlStyle == cdsFlat) Extra |= DFCS_FLAT;
    FrameControl(Canvas, TRect{R.Left, R.Top, R.Right, m}, DFC_SCROLL, DFCS_SCROLLUP | Extra);
    FrameControl(Canvas, TRect{R.Left, m + 1, R.Right, R.Bottom}, DFC_SCROLL, DFCS_SCROLLDOWN | Extra);
}

}  // namespace QorUtil
