// The grid button: properties, the group protocol, mouse and hover, glyphs, looks and painting.
#include "grid/paint/QorGridButton.h"

#include "controls/JyrControls.h"
#include "framework/Math.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/QorStyleIF.h"
#include "graphics/QorXPVS.h"
#include "grid/paint/ArrowFocusWindows.h"

#include <vsstyle.h>

namespace {

// The drop-down part at the right edge, and the corner of a rounded face.
constexpr int DropDownWidth = 12;
constexpr int RoundCorner = 8;
constexpr int GradientSteps = 16;

// The colours a look sets, in the order of the setters.
struct TGridButtonLook {
    TColor Color, ColorTo, ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked, ColorCheckedTo,
        BorderDownColor, BorderHotColor;
};

// The seven looks: 0 rounded, 1 the system face with blue borders, 2 to 4 the XP blue, olive and
// silver schemes, 5 the plain system face, 6 yellow.
const TGridButtonLook Looks[] = {
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE},
    {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31},
    {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080},
};

// R grown by D on every side (shrunk for D < 0), and R moved by (DX, DY).
TRect Grown(const TRect& R, int D)
{
    return {R.Left - D, R.Top - D, R.Right + D, R.Bottom + D};
}
TRect Moved(const TRect& R, int DX, int DY)
{
    return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY};
}

// Copies Value into Bitmap; null empties it.
void CopyBitmap(TBitmap* Bitmap, TBitmap* Value)
{
    if (Value) {
        Bitmap->Assign(Value);
    } else {
        TFreePtr<TBitmap> Empty(Create<TBitmap>());
        Bitmap->Assign(Empty.get());
    }
}

// Draws a bitmap with the colour of its bottom-left pixel left out.
void DrawTransparent(TCanvas* Canvas, TBitmap* Bitmap, int X, int Y)
{
    if (!Bitmap || Bitmap->GetEmpty()) return;
    HDC DC = Canvas->GetHandle();
    TCompatibleDC Source(DC);
    TSelectObject Selected(Source, Bitmap->GetHandle());
    const COLORREF Key = GetPixel(Source, 0, Bitmap->GetHeight() - 1);
    TransparentDraw(DC, X, Y, Bitmap->GetWidth(), Bitmap->GetHeight(), Source, 0, 0, Key);
}

// Every pixel of a 32-bit bitmap through F(blue, green, red) -> the new grey or colour.
template <class F>
void MapPixels(TBitmap* Bitmap, F Map)
{
    for (int Y = 0; Y < Bitmap->GetHeight(); ++Y) {
        auto* P = static_cast<Byte*>(Bitmap->ScanLine(Y));
        for (int X = 0; X < Bitmap->GetWidth(); ++X, P += 4) Map(P[0], P[1], P[2]);
    }
}

// A rectangle in Pen's colour (the fill's when Pen is clNone) filled with Fill.
void FilledRect(TCanvas* Canvas, const TRect& R, TColor Fill, TColor Pen)
{
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Fill);
    Canvas->GetPen()->SetColor(Pen == clNone ? Fill : Pen);
    Canvas->Rectangle(R);
}

// A hollow frame in Pen's colour, rounded with the button's corner or square.
void HollowFrame(TCanvas* Canvas, const TRect& R, TColor Pen, bool Rounded)
{
    Canvas->GetPen()->SetColor(Pen);
    Canvas->GetBrush()->SetStyle(bsClear);
    if (Rounded) Canvas->RoundRect(R, RoundCorner, RoundCorner);
    else Canvas->Rectangle(R);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

}  // namespace

// ---- Construction ---------------------------------------------------------------------------------

TQorGridButton::TQorGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(Create<TBitmap>()), FGlyphHot(Create<TBitmap>()),
      FGlyphDown(Create<TBitmap>()), FGlyphDisabled(Create<TBitmap>()), FGlyphShade(Create<TBitmap>())
{
    FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
    SetBounds(0, 0, 23, 22);
    // Clicks are decided on release inside the button, not by the generic click path.
    FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
    SetParentFont(true);
    SetColor(clBtnFace);
    SetFlat(true);
    FIsComCtl6 = JyrControls::IsComCtl6();
}

TQorGridButton::~TQorGridButton()
{
    // The glyph goes without telling the button, which is half gone.
    FGlyph->OnChange = nullptr;
}

// ---- Properties -----------------------------------------------------------------------------------

void TQorGridButton::SetFlat(bool Value)
{
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TQorGridButton::SetLayout(TButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TQorGridButton::SetMargin(int Value)
{
    if (FMargin == Value || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TQorGridButton::SetSpacing(int Value)
{
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TQorGridButton::SetShowCaption(bool Value)
{
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    Invalidate();
}

void TQorGridButton::SetGroupIndex(int Value)
{
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TQorGridButton::SetAllowAllUp(bool Value)
{
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TQorGridButton::SetStyle(TQorGridButtonStyle Value)
{
    FStyle = Value;
    Invalidate();
}

void TQorGridButton::SetRounded(bool Value)
{
    FRounded = Value;
    Invalidate();
}

void TQorGridButton::SetDropDownButton(bool Value)
{
    FDropDownButton = Value;
    Invalidate();
}

void TQorGridButton::SetDropDownMenu(TPopupMenu* Value)
{
    if (FDropDownMenu == Value) return;
    if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
    FDropDownMenu = Value;
    if (FDropDownMenu) FDropDownMenu->FreeNotification(this);
}

void TQorGridButton::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

#define QOR_COLOR_SETTER(Name)                                                                     \
    void TQorGridButton::Set##Name(TColor Value)                                                   \
    {                                                                                              \
        F##Name = Value;                                                                           \
        Invalidate();                                                                              \
    }
QOR_COLOR_SETTER(ColorTo)
QOR_COLOR_SETTER(ColorHot)
QOR_COLOR_SETTER(ColorHotTo)
QOR_COLOR_SETTER(ColorDown)
QOR_COLOR_SETTER(ColorDownTo)
QOR_COLOR_SETTER(ColorChecked)
QOR_COLOR_SETTER(ColorCheckedTo)
QOR_COLOR_SETTER(BorderColor)
QOR_COLOR_SETTER(BorderDownColor)
QOR_COLOR_SETTER(BorderHotColor)
#undef QOR_COLOR_SETTER

void TQorGridButton::SetAutoThemeAdapt(bool Value)
{
    FAutoThemeAdapt = Value;
    if (Value) ThemeAdapt();
}

void TQorGridButton::SetShaded(bool Value)
{
    FShaded = Value;
    if (Value && !IsLoading()) GenerateShade();
}

void TQorGridButton::Loaded()
{
    inherited::Loaded();
    if (FShaded) GenerateShade();
    if (FAutoThemeAdapt) ThemeAdapt();
}

// ---- Down and groups ------------------------------------------------------------------------------

void TQorGridButton::SetDown(bool Value)
{
    if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        // A check button let up by code is no longer painted pressed.
        if (!Value && !FDragging && FState == bsDown) FState = bsUp;
        Repaint();
        return;
    }
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return;   // the one down button of a group stays down
    FDown = Value;
    if (Value) {
        if (FState == bsUp) Invalidate();
        FState = bsExclusive;
    } else {
        FState = bsUp;
        Repaint();
    }
    if (Value) UpdateExclusive();
}

void TQorGridButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !FParent) return;
    TMessage M{CM_BUTTONPRESSED, WPARAM(FGroupIndex), reinterpret_cast<LPARAM>(static_cast<TControl*>(this)), 0};
    FParent->Broadcast(M);
}

void TQorGridButton::CMButtonPressed(TMessage& Message)
{
    // Any control of the group may send it; only a grid button is heard.
    auto* Sender = dynamic_cast<TQorGridButton*>(reinterpret_cast<TControl*>(Message.LParam));
    if (int(Message.WParam) != FGroupIndex || !Sender || Sender == this) return;
    if (Sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        if (auto* A = dynamic_cast<TCustomAction*>(GetAction())) A->SetChecked(false);
        Invalidate();
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

// ---- Mouse and hover ------------------------------------------------------------------------------

void TQorGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !GetEnabled()) return;
    if (FDropDownButton && X > GetClientWidth() - DropDownWidth) {
        FState = bsUp;
        if (OnDropDown) OnDropDown(this);
        if (FDropDownMenu) {
            const TPoint At = ClientToScreen(TPoint(0, GetHeight()));
            FDropDownMenu->Popup(At.X, At.Y);
        }
        return;
    }
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = bsDown;
        Repaint();
    }
    FDragging = true;
}

void TQorGridButton::MouseMove(TShiftState Shift, int X, int Y)
{
    inherited::MouseMove(Shift, X, Y);
    if (FDragging) {
        const bool Inside = X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight();
        TButtonState New = FDown ? bsExclusive : (Inside ? bsDown : bsUp);
        if (FStyle == tasCheck && FDown) New = bsDown;
        if (New != FState) {
            FState = New;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TQorGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    if (!FDragging) return;
    FDragging = false;
    const bool Inside = X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight();
    if (FGroupIndex == 0) {
        FState = bsUp;
        // A check button released outside stays as it was, as no click happened.
        if (FStyle == tasCheck && Inside) {
            SetDown(!FDown);
            FState = bsUp;
        }
        Invalidate();
    } else if (Inside) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else {
        if (FDown) FState = bsExclusive;
        Repaint();
    }
    if (Inside) Click();
    UpdateTracking();
}

void TQorGridButton::UpdateTracking()
{
    if (!FFlat || !GetEnabled()) return;
    POINT P;
    if (!GetCursorPos(&P)) return;
    // The flag is set opposite, so that the message below sets it right.
    FMouseInControl = FindDragTarget(TPoint(P.x, P.y), true) != this;
    Perform(FMouseInControl ? CM_MOUSELEAVE : CM_MOUSEENTER);
}

void TQorGridButton::CMMouseEnter(TMessage& Message)
{
    if (!FMouseInControl && GetEnabled() && !Dragging() && GetCapture() == nullptr) {
        FMouseInControl = true;
        Repaint();
    }
    inherited::Dispatch(Message);   // OnMouseEnter
}

void TQorGridButton::CMMouseLeave(TMessage& Message)
{
    if (FMouseInControl && GetEnabled() && !FDragging) {
        FMouseInControl = false;
        Invalidate();
    }
    inherited::Dispatch(Message);   // OnMouseLeave
}

void TQorGridButton::CMDialogChar(TMessage& Message)
{
    TWMKey Key(Message);
    if (IsAccel(Key.CharCode(), GetCaption()) && GetEnabled() && GetVisible() && FParent && FParent->Showing()) {
        Click();
        Message.Result = 1;
    } else {
        inherited::Dispatch(Message);
    }
}

void TQorGridButton::WMLButtonDblClk(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FDown) DblClick();
}

void TQorGridButton::Click()
{
    inherited::Click();
}

void TQorGridButton::WndProc(TMessage& Message)
{
    if ((Message.Msg == WM_THEMECHANGED || Message.Msg == CM_SYSFONTCHANGED) && FAutoThemeAdapt) ThemeAdapt();
    inherited::WndProc(Message);
}

void TQorGridButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_BUTTONPRESSED: CMButtonPressed(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); break;
    case CM_ENABLEDCHANGED:
        inherited::Dispatch(Message);
        UpdateTracking();
        Repaint();
        break;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE:
        inherited::Dispatch(Message);
        Invalidate();
        break;
    default: inherited::Dispatch(Message);
    }
}

// ---- Actions --------------------------------------------------------------------------------------

TControlActionLinkClass TQorGridButton::GetActionLinkClass() const
{
    return ActionLinkClassOf<TQorGridButtonActionLink>();
}

void TQorGridButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    inherited::ActionChange(Sender, CheckDefaults);
    auto* A = dynamic_cast<TCustomAction*>(Sender);
    if (!A) return;
    // The group first: a push button without one cannot be down.
    if (!CheckDefaults || FGroupIndex == 0) SetGroupIndex(A->GetGroupIndex());
    if (!CheckDefaults || !FDown) SetDown(A->GetChecked());
}

void TQorGridButtonActionLink::AssignClient(TObject* AClient)
{
    inherited::AssignClient(AClient);
    FButton = dynamic_cast<TQorGridButton*>(AClient);
}

bool TQorGridButtonActionLink::IsCaptionLinked()
{
    return inherited::IsCaptionLinked() && FButton && FButton->GetCaption() == CustomAction()->GetCaption();
}

bool TQorGridButtonActionLink::IsCheckedLinked()
{
    return inherited::IsCheckedLinked() && FButton && FButton->GetGroupIndex() != 0 && FButton->GetAllowAllUp() &&
           CustomAction()->GetChecked() == FButton->GetDown();
}

bool TQorGridButtonActionLink::IsGroupIndexLinked()
{
    return FButton && CustomAction() && CustomAction()->GetGroupIndex() == FButton->GetGroupIndex();
}

void TQorGridButtonActionLink::SetCaption(const String& Value)
{
    if (IsCaptionLinked()) FButton->SetCaption(Value);
}

void TQorGridButtonActionLink::SetChecked(bool Value)
{
    if (IsCheckedLinked()) FButton->SetDown(Value);
}

void TQorGridButtonActionLink::SetGroupIndex(int Value)
{
    if (IsGroupIndexLinked()) FButton->SetGroupIndex(Value);
}

// ---- Glyphs ---------------------------------------------------------------------------------------

void TQorGridButton::SetGlyph(TBitmap* Value)
{
    CopyBitmap(FGlyph.get(), Value);   // GlyphChanged follows
}

void TQorGridButton::GlyphChanged(TObject*)
{
    // A grey copy stands in for a disabled glyph never given, and follows each new glyph; so does
    // the shadow, which would otherwise show the silhouette of a former glyph.
    if (FGlyphDisabled->GetEmpty() || FDisabledGenerated) GenerateDisabledGlyph();
    if (FShaded && !IsLoading()) GenerateShade();
    Invalidate();
}

void TQorGridButton::SetGlyphHot(TBitmap* Value)
{
    CopyBitmap(FGlyphHot.get(), Value);
}

void TQorGridButton::SetGlyphDown(TBitmap* Value)
{
    CopyBitmap(FGlyphDown.get(), Value);
}

void TQorGridButton::SetGlyphDisabled(TBitmap* Value)
{
    CopyBitmap(FGlyphDisabled.get(), Value);
    FDisabledGenerated = false;
}

void TQorGridButton::GenerateDisabledGlyph()
{
    FGlyphDisabled->Assign(FGlyph.get());
    FDisabledGenerated = true;
    if (FGlyphDisabled->GetEmpty()) return;
    FGlyphDisabled->SetPixelFormat(pf32bit);
    MapPixels(FGlyphDisabled.get(), [](Byte& B, Byte& G, Byte& R) {
        const Byte Grey = Byte(Round((R + G + B) / 3.0) / 2 + 96);
        B = G = R = Grey;
    });
}

void TQorGridButton::GenerateShade()
{
    if (FGlyph->GetEmpty()) return;
    FGlyphShade->Assign(FGlyph.get());
    FGlyphShade->SetPixelFormat(pf32bit);
    const auto* Corner = static_cast<const Byte*>(FGlyphShade->ScanLine(FGlyphShade->GetHeight() - 1));
    const Byte KB = Corner[0], KG = Corner[1], KR = Corner[2];
    // The glyph with its transparent colour blacked out, exclusive-or the glyph, leaves the
    // transparent colour where the glyph was transparent and black elsewhere; black then turns
    // grey: a grey silhouette on the transparent colour.
    MapPixels(FGlyphShade.get(), [&](Byte& B, Byte& G, Byte& R) {
        const bool Key = B == KB && G == KG && R == KR;
        const bool Black = !Key || (KB == 0 && KG == 0 && KR == 0);
        if (Black) B = G = R = 0x80;
    });
}

// ---- Looks ----------------------------------------------------------------------------------------

void TQorGridButton::SetLook(int Value)
{
    if (Value < 0 || Value >= int(std::size(Looks))) return;
    FLook = Value;
    const TGridButtonLook& L = Looks[Value];
    SetColor(L.Color);
    FColorTo = L.ColorTo;
    FColorHot = L.ColorHot;
    FColorHotTo = L.ColorHotTo;
    FColorDown = L.ColorDown;
    FColorDownTo = L.ColorDownTo;
    FColorChecked = L.ColorChecked;
    FColorCheckedTo = L.ColorCheckedTo;
    FBorderDownColor = L.BorderDownColor;
    FBorderHotColor = L.BorderHotColor;
    FBorderColor = clNone;
    FRounded = Value == 0;
    FFlat = true;
    Invalidate();
}

void TQorGridButton::ThemeAdapt()
{
    switch (ArrowFocusWindows::CurrentXPTheme()) {
    case QorStyleIF::xpBlue: SetLook(2); break;
    case QorStyleIF::xpGreen: SetLook(3); break;
    case QorStyleIF::xpGray: SetLook(4); break;
    default: SetLook(1);
    }
}

// ---- Painting -------------------------------------------------------------------------------------

void TQorGridButton::Paint()
{
    TCanvas* C = GetCanvas();
    if (GetEnabled()) {
        if (FState == bsDisabled) FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
        if (FStyle == tasCheck && FDown) FState = bsDown;
    } else {
        FState = bsDisabled;
        FDragging = false;
    }
    C->SetFont(GetFont());
    TRect R = GetClientRect();
    const bool Hot = FMouseInControl && GetEnabled();
    const bool DownLook = FState == bsDown || FState == bsExclusive;

    // The framework has no style service of its own, so a non-flat face is themed or classic.
    if (!FFlat) {
        HDC DC = C->GetHandle();
        RECT WR{R.Left, R.Top, R.Right, R.Bottom};
        const HWND ParentWnd = FParent && FParent->HandleAllocated() ? FParent->GetHandle() : nullptr;
        HTHEME Theme = nullptr;
        if (FAutoXPStyle && FIsComCtl6 && ArrowFocusWindows::DoThemeDrawing() && ParentWnd && QorXPVS::OpenThemeData &&
            QorXPVS::DrawThemeBackground && QorXPVS::CloseThemeData)
            Theme = QorXPVS::OpenThemeData(ParentWnd, L"button");
        if (Theme) {
            const int State = DownLook ? PBS_PRESSED : Hot ? PBS_HOT : PBS_NORMAL;
            QorXPVS::DrawThemeBackground(Theme, DC, BP_PUSHBUTTON, State, &WR, nullptr);
            QorXPVS::CloseThemeData(Theme);
        } else {
            DrawFrameControl(DC, &WR, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (DownLook ? DFCS_PUSHED : 0));
        }
    } else {
        PaintFace(C, R);
    }

    TPoint Offset(0, 0);
    if (DownLook) {
        if (FState == bsExclusive && (!FFlat || !Hot)) {
            if (FColorCheckedTo == clNone) {
                C->GetBrush()->SetStyle(bsSolid);
                C->GetBrush()->SetColor(FColorChecked);
                C->FillRect(Grown(R, 1));
            } else {
                ArrowFocusWindows::DrawGradient(C, FColorChecked, FColorCheckedTo, FDown ? FBorderDownColor : FBorderColor,
                                                GradientSteps, Grown(R, 1), false);
            }
        }
        if (!FFlat) Offset = TPoint(1, 1);
    }
    if (Hot && FFlat && FShaded && !Pressed()) Offset = TPoint(-1, -1);

    if (FDropDownButton) {
        const int Mid = (R.Top + R.Bottom) / 2;
        const TColor Ink = GetFont()->GetColor();
        C->GetPen()->SetColor(Ink);
        C->GetBrush()->SetStyle(bsSolid);
        C->GetBrush()->SetColor(Ink);
        const TPoint Arrow[] = {{R.Right - 8, Mid - 1}, {R.Right - 4, Mid - 1}, {R.Right - 6, Mid + 1}};
        C->Polygon(Arrow, 3);
        R.Right -= DropDownWidth;
    }

    DrawButton(C, R, GetCaption(), FLayout, FMargin, FSpacing, FDown && FGroupIndex != 0 ? bsDown : FState,
               FTransparent, DrawTextBiDiModeFlags(0), Offset);
}

void TQorGridButton::PaintFace(TCanvas* C, TRect& R)
{
    if (FBorderDownColor == clNone || FRounded) R = Grown(R, -1);
    C->GetPen()->SetWidth(1);
    if (FMouseInControl && GetEnabled()) {
        PaintHotFace(C, R);
    } else if (FStyle == tasCheck && FDown) {
        if (FColorCheckedTo == clNone) FilledRect(C, R, FColorChecked, FBorderDownColor);
        else ArrowFocusWindows::DrawGradient(C, FColorChecked, FColorCheckedTo, FBorderDownColor, GradientSteps, R, false);
    } else {
        if (FColorTo == clNone) {
            C->GetBrush()->SetStyle(bsSolid);
            C->GetBrush()->SetColor(GetColor());
            C->FillRect(R);
        } else {
            const TColor Outline = FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor);
            ArrowFocusWindows::DrawGradient(C, GetColor(), FColorTo, Outline, GradientSteps, R, false);
        }
        if (FBorderColor != clNone) {
            if (FRounded) HollowFrame(C, Grown(R, 1), FBorderColor, true);
            else HollowFrame(C, R, FBorderColor, false);
        }
    }
    R = Grown(R, -1);
}

void TQorGridButton::PaintHotFace(TCanvas* C, const TRect& R)
{
    TColor From = FColorHot, To = FColorHotTo, Border = FBorderHotColor;
    if (FStyle == tasCheck && FDown && !FDragging) {
        From = FColorChecked;
        To = FColorCheckedTo;
        Border = FBorderDownColor;
    } else if (Pressed()) {
        From = FColorDown;
        To = FColorDownTo;
        Border = FBorderDownColor;
    }
    if (To == clNone) FilledRect(C, R, From, Border);
    else ArrowFocusWindows::DrawGradient(C, From, To, FRounded ? clNone : Border, GradientSteps, R, false);
    if (FRounded)
        HollowFrame(C, Grown(R, 1), Border == clNone ? From : Border, true);
    if (FDropDownButton) {
        const TColor Line = Pressed() ? FBorderDownColor : FBorderHotColor;
        if (Line != clNone) {
            C->GetPen()->SetColor(Line);
            C->MoveTo(R.Right - DropDownWidth, R.Top);
            C->LineTo(R.Right - DropDownWidth, R.Bottom);
        }
    }
}

void TQorGridButton::CalcButtonLayout(TCanvas* Canvas, const TRect& Client, TPoint Offset, const String& Caption,
                                      TButtonLayout Layout, int Margin, int Spacing, TPoint& GlyphPos,
                                      TRect& TextBounds, UINT BiDiFlags)
{
    if (BiDiFlags & DT_RIGHT) {
        if (Layout == blGlyphLeft) Layout = blGlyphRight;
        else if (Layout == blGlyphRight) Layout = blGlyphLeft;
    }
    TSize TextSize(0, 0);
    if (!Caption.empty()) {
        RECT TR{0, 0, Client.Width(), 0};
        DrawTextW(Canvas->GetHandle(), Caption.c_str(), int(Caption.size()), &TR, DT_CALCRECT | BiDiFlags);
        TextSize = TSize(TR.right - TR.left, TR.bottom - TR.top);
    }
    TSize GlyphSize(0, 0);
    if (!FGlyph->GetEmpty()) GlyphSize = TSize(FGlyph->GetWidth(), FGlyph->GetHeight());
    TSpeedButton::CalcLayout(Client, GlyphSize, TextSize, Layout, Margin, Spacing, GlyphPos, TextBounds);
    GlyphPos = TPoint(GlyphPos.X + Offset.X, GlyphPos.Y + Offset.Y);
    TextBounds = Moved(TextBounds, Offset.X, Offset.Y);
}

void TQorGridButton::DrawButton(TCanvas* Canvas, const TRect& Client, const String& Caption, TButtonLayout Layout,
                                int Margin, int Spacing, TButtonState State, bool, UINT BiDiFlags, TPoint Offset)
{
    TPoint GlyphPos;
    TRect TextBounds;
    CalcButtonLayout(Canvas, Client, Offset, Caption, Layout, Margin, Spacing, GlyphPos, TextBounds, BiDiFlags);
    if (Caption.empty())
        GlyphPos = TPoint(Client.Left + (Client.Width() - FGlyph->GetWidth()) / 2,
                          Client.Top + (Client.Height() - FGlyph->GetHeight()) / 2);
    DrawButtonGlyph(Canvas, GlyphPos, State, !Caption.empty());
    if (State != bsDown && State != bsExclusive && FMouseInControl && FShaded && GetEnabled() && FFlat && !Pressed())
        TextBounds = Moved(TextBounds, 1, 1);
    if (FShowCaption) DrawButtonText(Canvas, Caption, TextBounds, State, BiDiFlags);
}

void TQorGridButton::DrawButtonGlyph(TCanvas* Canvas, TPoint GlyphPos, TButtonState State, bool HasCaption)
{
    const bool DownGlyph = (State == bsDown || State == bsExclusive) && !FGlyphDown->GetEmpty();
    TBitmap* G = DownGlyph ? FGlyphDown.get() : FGlyph.get();
    if (FMouseInControl && !DownGlyph && !FGlyphHot->GetEmpty()) G = FGlyphHot.get();
    if (!GetEnabled() && !FGlyphDisabled->GetEmpty()) G = FGlyphDisabled.get();
    if (G->GetEmpty()) return;
    if (FMouseInControl && FShaded && GetEnabled() && !Pressed()) {
        const int Shift = HasCaption ? 2 : 0;
        DrawTransparent(Canvas, FGlyphShade.get(), GlyphPos.X + Shift, GlyphPos.Y + Shift);
    }
    DrawTransparent(Canvas, G, GlyphPos.X, GlyphPos.Y);
}

void TQorGridButton::DrawButtonText(TCanvas* Canvas, const String& Caption, TRect TextBounds, TButtonState State,
                                    UINT BiDiFlags)
{
    if (Caption.empty()) return;
    HDC DC = Canvas->GetHandle();
    SetBkMode(DC, TRANSPARENT);
    // The bounds fit the measured caption; a glyph overhanging them is not cut off.
    const UINT Flags = BiDiFlags | DT_CENTER | DT_VCENTER | DT_NOCLIP;
    RECT T{TextBounds.Left, TextBounds.Top, TextBounds.Right, TextBounds.Bottom};
    if (State == bsDisabled) {
        // Embossed: a light copy one pixel down and right under the shadow-coloured text.
        OffsetRect(&T, 1, 1);
        SetTextColor(DC, ColorToRGB(clBtnHighlight));
        DrawTextW(DC, Caption.c_str(), int(Caption.size()), &T, Flags);
        OffsetRect(&T, -1, -1);
        SetTextColor(DC, ColorToRGB(clBtnShadow));
    } else {
        SetTextColor(DC, ColorToRGB(GetFont()->GetColor()));
    }
    DrawTextW(DC, Caption.c_str(), int(Caption.size()), &T, Flags);
}

// ---- Registration ---------------------------------------------------------------------------------

void TQorGridButton::RegisterProperties(TPropertyTable& T)
{
    using B = TQorGridButton;
    T.Add(L"AllowAllUp", &B::GetAllowAllUp, &B::SetAllowAllUp, false);
    T.Add(L"AutoThemeAdapt", &B::GetAutoThemeAdapt, &B::SetAutoThemeAdapt, false);
    T.Add(L"AutoXPStyle", &B::GetAutoXPStyle, &B::SetAutoXPStyle, false);
    T.Add(L"BorderColor", &B::GetBorderColor, &B::SetBorderColor, clNone);
    T.Add(L"BorderDownColor", &B::GetBorderDownColor, &B::SetBorderDownColor, clNone);
    T.Add(L"BorderHotColor", &B::GetBorderHotColor, &B::SetBorderHotColor, clNone);
    T.Add(L"ColorTo", &B::GetColorTo, &B::SetColorTo, clNone);
    T.Add(L"ColorHot", &B::GetColorHot, &B::SetColorHot, TColor(0xCAC7C7));
    T.Add(L"ColorHotTo", &B::GetColorHotTo, &B::SetColorHotTo, clNone);
    T.Add(L"ColorDown", &B::GetColorDown, &B::SetColorDown, TColor(0xD8D3D2));
    T.Add(L"ColorDownTo", &B::GetColorDownTo, &B::SetColorDownTo, clNone);
    T.Add(L"ColorChecked", &B::GetColorChecked, &B::SetColorChecked, TColor(0x808080));
    T.Add(L"ColorCheckedTo", &B::GetColorCheckedTo, &B::SetColorCheckedTo, clNone);
    T.Add(L"GroupIndex", &B::GetGroupIndex, &B::SetGroupIndex, 0);
    T.Add(L"Down", &B::GetDown, &B::SetDown, false);
    T.Add(L"DropDownButton", &B::GetDropDownButton, &B::SetDropDownButton, false);
    T.Add(L"DropDownMenu", &B::GetDropDownMenu, &B::SetDropDownMenu);
    T.Add(L"Flat", &B::GetFlat, &B::SetFlat, true);
    T.Add(L"Glyph", &B::GetGlyph, &B::SetGlyph);
    T.Add(L"GlyphHot", &B::GetGlyphHot, &B::SetGlyphHot);
    T.Add(L"GlyphDown", &B::GetGlyphDown, &B::SetGlyphDown);
    T.Add(L"GlyphDisabled", &B::GetGlyphDisabled, &B::SetGlyphDisabled);
    T.Add(L"Layout", &B::GetLayout, &B::SetLayout, blGlyphLeft);
    T.Add(L"Margin", &B::GetMargin, &B::SetMargin, -1);
    T.Add(L"Spacing", &B::GetSpacing, &B::SetSpacing, 4);
    T.Add(L"Rounded", &B::GetRounded, &B::SetRounded, false);
    T.Add(L"Shaded", &B::GetShaded, &B::SetShaded, true);
    T.Add(L"ShowCaption", &B::GetShowCaption, &B::SetShowCaption, true);
    T.Add(L"Style", &B::GetStyle, &B::SetStyle, tasButton);
    T.AddEvent(L"OnDropDown", &B::OnDropDown);
}

void RegisterQorGridButtonClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterButtons();
    RegisterActnList();
    RegisterEnumIdents<TQorGridButtonStyle>(L"TQorGridButtonStyle", {{tasButton, L"tasButton"}, {tasCheck, L"tasCheck"}});
    RegisterClass<TQorGridButton>();
}
