// The calculator keypad: button look, button items, the panel's layout, painting and mouse.
#include "pickers/QorCalculatorButtons.h"

#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "graphics/QorGDIP.h"
#include "pickers/QorCalculatorEngine.h"

#include <algorithm>
#include <memory>

namespace {

// The inner frame line of every button.
constexpr TColor InnerBorderColor = TColor(0xE7E0C7);
// Gap between the keypad's button columns and rows.
constexpr int ButtonGap = 4;
// How far a button's glow reaches beyond it.
constexpr int GlowReach = 8;

ARGB ToARGB(TColor Color, Byte Alpha)
{
    const TColor C = ColorToRGB(Color);
    return MakeColor(Alpha, GetRValue(C), GetGValue(C), GetBValue(C));
}

// Fills Area with a gradient from Alpha1 to Alpha2 of Color. The brush runs one pixel past the
// area on each side so that GDI+'s tiling never brings the far end's colour to the near edge.
void FillFade(TGPGraphics& G, TColor Color, Byte Alpha1, Byte Alpha2, float X, float Y, float W, float H,
              LinearGradientMode Mode)
{
    if (W <= 0 || H <= 0) return;
    TGPLinearGradientBrush Brush(MakeRect(X - 1, Y - 1, W + 2, H + 2), ToARGB(Color, Alpha1),
                                 ToARGB(Color, Alpha2), Mode);
    G.FillRectangle(&Brush, X, Y, W, H);
}

struct TKeypadButton {
    const wchar_t* Caption;
    const wchar_t* Name;
    int Tag;
    bool Special;
};

// The calculator's 28 buttons in collection order; ArrangeButtons places them by index.
const TKeypadButton KeypadButtons[] = {
    {L"", L"BTN_ON", caOn, false},
    {L"Back", L"BTN_BACK", caBack, true},
    {L"CE", L"BTN_CE", caClearEntry, true},
    {L"C", L"BTN_C", caClear, true},
    {L"MC", L"BTN_MC", caMemoryClear, true},
    {L"MR", L"BTN_MR", caMemoryRecall, true},
    {L"MS", L"BTN_MS", caMemoryStore, true},
    {L"M+", L"BTN_M+", caMemoryAdd, true},
    {L"0", L"BTN_0", 0, false},
    {L"1", L"BTN_1", 1, false},
    {L"4", L"BTN_4", 4, false},
    {L"7", L"BTN_7", 7, false},
    {L"8", L"BTN_8", 8, false},
    {L"5", L"BTN_5", 5, false},
    {L"2", L"BTN_2", 2, false},
    {L"+/-", L"BTN_+/-", caSign, false},
    {L".", L"BTN_.", caPoint, false},
    {L"3", L"BTN_3", 3, false},
    {L"6", L"BTN_6", 6, false},
    {L"9", L"BTN_9", 9, false},
    {L"/", L"BTN_/", caDivide, true},
    {L"*", L"BTN_*", caMultiply, true},
    {L"-", L"BTN_-", caMinus, true},
    {L"+", L"BTN_+", caPlus, true},
    {L"=", L"BTN_=", caEquals, true},
    {L"1/x", L"BTN_1/x", caReciprocal, false},
    {L"%", L"BTN_%", caPercent, false},
    {L"sqrt", L"BTN_sqrt", caSqrt, true},
};

} // namespace

// ---- button look --------------------------------------------------------------------------------

void DrawButtonBackground(TCanvas* Canvas, const TRect& R, TColor BrClr, TColor BrInClr, TColor Clr,
                          TColor ClrTo, TColor GlowClr, TColor ShineClr)
{
    if (!Canvas || R.Width() < 2 || R.Height() < 2) return;
    TGPGraphics G(Canvas->GetHandle());
    G.SetSmoothingMode(SmoothingModeAntiAlias);
    const float L = float(R.Left), T = float(R.Top), Rt = float(R.Right), B = float(R.Bottom);
    const float W = float(R.Width()), M = float(R.Top + R.Height() / 2);

    // The lower half: a gradient from Clr to ClrTo; the upper half: Clr under a fading shine.
    {
        TGPLinearGradientBrush Lower(MakeRect(L, M - 1, W - 1, B - M + 2), ToARGB(Clr, 255), ToARGB(ClrTo, 255),
                                     LinearGradientModeVertical);
        G.FillRectangle(&Lower, L, M, W - 1, B - M);
        TGPSolidBrush Upper(ToARGB(Clr, 255));
        G.FillRectangle(&Upper, L, T, W - 1, M - T);
    }
    FillFade(G, ShineClr, 160, 90, L, T, W - 1, M - T, LinearGradientModeVertical);

    // A white line below the top edge and the inner frame on the other three sides.
    TGPPen White(MakeColor(255, 255, 255), 1);
    G.DrawLine(&White, L + 1, T + 1, Rt - 2, T + 1);
    TGPPen Inner(ToARGB(BrInClr, 255), 1);
    G.DrawLine(&Inner, L + 1, T + 1, L + 1, B - 2);
    G.DrawLine(&Inner, L + 1, B - 2, Rt - 2, B - 2);
    G.DrawLine(&Inner, Rt - 2, T + 1, Rt - 2, B - 2);

    TGPPen Outer(ToARGB(BrClr, 255), 1);
    G.DrawRectangle(&Outer, L, T, W - 1, float(R.Height()) - 1);

    if (GlowClr == clNone) return;
    TGPPen Glow(ToARGB(GlowClr, 100), 1);
    G.DrawRectangle(&Glow, L, T, W - 1, float(R.Height()) - 1);
    const float H = float(R.Height());
    const Byte Near = 130, Far = 0;
    FillFade(G, GlowClr, Far, Near, L - GlowReach, T, GlowReach, H, LinearGradientModeHorizontal);
    FillFade(G, GlowClr, Near, Far, Rt - 1, T, GlowReach + 1, H, LinearGradientModeHorizontal);
    FillFade(G, GlowClr, Far, Near, L, T - GlowReach, W, GlowReach, LinearGradientModeVertical);
    FillFade(G, GlowClr, Near, Far, L, B - 1, W, GlowReach, LinearGradientModeVertical);
    // The corners fade diagonally away from the button's corner.
    FillFade(G, GlowClr, Far, Near, L - 6, T - 6, 6, 6, LinearGradientModeForwardDiagonal);
    FillFade(G, GlowClr, Far, Near, Rt, T - 6, 5, 6, LinearGradientModeBackwardDiagonal);
    FillFade(G, GlowClr, Near, Far, L - 6, B - 1, 6, 6, LinearGradientModeBackwardDiagonal);
    FillFade(G, GlowClr, Near, Far, Rt, B, 5, 5, LinearGradientModeForwardDiagonal);
}

TButtonAppearance::TButtonAppearance()
    : FColorCheckedTo(BrightnessColor(TColor(0xF9D2B2), -10, -10, 0)),
      FColorDisabled(BrightnessColor(clWhite, -5, -5, -5)),
      FColorDisabledTo(BrightnessColor(clWhite, -5, -5, -5)),
      FColorChecked(BrightnessColor(TColor(0xF5F0E1), -10, -10, 0)),
      FFont(Create<TFont>())
{
    FFont->SetSize(10);
    FFont->SetStyle({fsBold});
}

TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::SetColour(TColor& Field, TColor Value)
{
    if (Field == Value) return;
    Field = Value;
    Changed();
}

void TButtonAppearance::Changed()
{
    if (OnChange) OnChange(this);
}

void TButtonAppearance::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TButtonAppearance*>(Source);
    if (!S) {
        inherited::Assign(Source);
        return;
    }
    SetBorderColor(S->FBorderColor);
    SetBorderColorHot(S->FBorderColorHot);
    SetBorderColorDown(S->FBorderColorDown);
    SetBorderColorChecked(S->FBorderColorChecked);
    SetColor(S->FColor);
    SetColorTo(S->FColorTo);
    SetColorDown(S->FColorDown);
    SetColorDownTo(S->FColorDownTo);
    SetColorHot(S->FColorHot);
    SetColorHotTo(S->FColorHotTo);
    SetColorChecked(S->FColorChecked);
    SetColorCheckedTo(S->FColorCheckedTo);
    SetColorDisabled(S->FColorDisabled);
    SetColorDisabledTo(S->FColorDisabledTo);
    SetShineColor(S->FShineColor);
    SetGlowColorHot(S->FGlowColorHot);
    SetGlowColorDown(S->FGlowColorDown);
    SetFont(S->GetFont());
    SetTextColor(S->FTextColor);
    SetSpecialTextColor(S->FSpecialTextColor);
}

// ---- button items -------------------------------------------------------------------------------

TCalcButtonItem::TCalcButtonItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(Create<TPicture>())
{
}

TCalcButtonItem::~TCalcButtonItem() = default;

void TCalcButtonItem::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TCalcButtonItem*>(Source);
    if (!S) {
        inherited::Assign(Source);
        return;
    }
    FCaption = S->FCaption;
    FCaptionColor = S->FCaptionColor;
    FTag = S->FTag;
    FImageIndex = S->FImageIndex;
    FImage->Assign(S->FImage.get());
    FEnabled = S->FEnabled;
    FName = S->FName;
}

TCalcButtonItems::TCalcButtonItems(TPersistent* AOwner)
    : TCollection(TCollection::ItemClass<TCalcButtonItem>()), FMyOwner(AOwner)
{
}

// ---- the panel ----------------------------------------------------------------------------------

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner)
    : TCustomControl(AOwner), FButtons(Create<TCalcButtonItems>(this)),
      FButtonAppearance(Create<TButtonAppearance>()),
      FIsWinXP(Win32MajorVersion() > 5 || (Win32MajorVersion() == 5 && Win32MinorVersion() > 0))
{
    FButtons->OnChange = [this](TObject* Sender) { OnButtonsChanged(Sender); };
    FButtonAppearance->OnChange = [this](TObject* Sender) { OnButtonAppearanceChanged(Sender); };
    SetDoubleBuffered(true);
}

TCustomButtonPanel::~TCustomButtonPanel() = default;

void TCustomButtonPanel::Loaded()
{
    inherited::Loaded();
    if (!Hosted()) Initialize();
}

void TCustomButtonPanel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE:
        inherited::Dispatch(Message);
        ArrangeButtons();
        break;
    case CM_MOUSELEAVE:
        inherited::Dispatch(Message);
        SetButtonHot(-1);
        break;
    default: inherited::Dispatch(Message);
    }
}

void TCustomButtonPanel::ClearButtons()
{
    FButtons->Clear();
    FButtonHot = -1;
    FButtonDown = -1;
}

void TCustomButtonPanel::ReInitialize()
{
    ClearButtons();
    Initialize();
}

void TCustomButtonPanel::Initialize()
{
    if (FButtons->Count() == 0 && FButtonPanelType == plCalculator) {
        FButtons->BeginUpdate();
        for (const TKeypadButton& B : KeypadButtons) {
            TCalcButtonItem* Item = FButtons->Add();
            Item->SetCaption(B.Caption);
            Item->SetName(B.Name);
            Item->SetTag(B.Tag);
            Item->SetSpecial(B.Special);
            if (B.Special) Item->SetCaptionColor(TColor(0x000080));
        }
        FButtons->EndUpdate();
    }
    ArrangeButtons();
}

void TCustomButtonPanel::GetInnerRect(TRect& R)
{
    R = GetClientRect();
    R = TRect(R.Left + FOffSetX, R.Top + FOffSetY, R.Right - FOffSetX, R.Bottom - FOffSetY);
}

void TCustomButtonPanel::ArrangeButtons()
{
    if (FButtons->Count() < int(std::size(KeypadButtons)) || FButtonPanelType == plCustom) return;
    TRect R;
    GetInnerRect(R);
    const int W = (R.Width() - 2 * ButtonGap) / 6;
    const int H = (R.Height() - ButtonGap) / 5;
    auto Place = [this](int Index, int X, int Y, int AWidth, int AHeight) {
        TCalcButtonItem* Item = FButtons->GetItem(Index);
        Item->SetLeft(X);
        Item->SetTop(Y);
        Item->SetWidth(AWidth);
        Item->SetHeight(AHeight);
    };
    // Rows 2 to 5 of a column, from the top (Down) or from the bottom upwards; neighbours in a
    // column overlap by one pixel, as do the digit columns.
    const int Y0 = R.Top + H + ButtonGap;
    auto Column = [&](int First, int X, bool Down) {
        for (int K = 0; K < 4; ++K) Place(First + K, X, Y0 + (Down ? K : 3 - K) * (H - 1), W, H);
    };
    int X = R.Left;
    Place(0, X, R.Top, W, H);
    Column(4, X, true);          // MC MR MS M+
    X += W + ButtonGap;
    Column(8, X, false);         // 0 1 4 7 from the bottom
    X += W - 1;
    Column(12, X, true);         // 8 5 2 +/-
    X += W - 1;
    Column(16, X, false);        // . 3 6 9 from the bottom
    X += W + ButtonGap;
    Column(20, X, true);         // / * - +
    X += W - 1;
    Column(24, X, false);        // = 1/x % sqrt from the bottom
    // The top row: Back and CE share what lies right of the first button with C, which ends
    // flush with the last column.
    const int E = X + W;
    const int XS = FButtons->GetItem(0)->GetRect().Right + ButtonGap;
    const int W3 = (E - XS - 2 * ButtonGap) / 3;
    Place(1, XS, R.Top, W3, H);
    Place(2, XS + W3 + ButtonGap, R.Top, W3, H);
    const int CLeft = XS + 2 * (W3 + ButtonGap);
    Place(3, CLeft, R.Top, E - CLeft, H);
    Invalidate();
}

void TCustomButtonPanel::GetButtonRect(int Index, TRect& R)
{
    R = ValidOrNone(Index) < 0 ? TRect(-1, -1, -1, -1) : FButtons->GetItem(Index)->GetRect();
}

int TCustomButtonPanel::ButtonAtPos(int X, int Y)
{
    for (int I = 0; I < FButtons->Count(); ++I)
        if (FButtons->GetItem(I)->GetRect().Contains(TPoint(X, Y))) return I;
    return -1;
}

int TCustomButtonPanel::ValidOrNone(int Index) const
{
    return Index >= 0 && Index < FButtons->Count() ? Index : -1;
}

bool TCustomButtonPanel::Disabled(int Index) const
{
    return Index >= 0 && !FButtons->GetItem(Index)->GetEnabled();
}

void TCustomButtonPanel::InvalidateButton(int Index)
{
    if (ValidOrNone(Index) < 0 || !HandleAllocated()) return;
    const TRect R = FButtons->GetItem(Index)->GetRect();
    RECT G{R.Left - GlowReach, R.Top - GlowReach, R.Right + GlowReach, R.Bottom + GlowReach};
    InvalidateRect(GetHandle(), &G, TRUE);
}

void TCustomButtonPanel::SetTrackedButton(int& Tracked, int Index)
{
    Index = ValidOrNone(Index);
    if (Index == Tracked || Disabled(Index)) return;
    const int Old = Tracked;
    Tracked = Index;
    InvalidateButton(Old);
    if (Index >= 0 && HandleAllocated()) DrawButton(Index, GetCanvas());
}

void TCustomButtonPanel::SetButtonHot(int Index)
{
    SetTrackedButton(FButtonHot, Index);
}

void TCustomButtonPanel::SetButtonDown(int Index)
{
    SetTrackedButton(FButtonDown, Index);
}

void TCustomButtonPanel::ButtonClick(int Index)
{
    if (OnButtonClick) OnButtonClick(this, Index);
}

void TCustomButtonPanel::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    ArrangeButtons();
}

void TCustomButtonPanel::SetEdit(TWinControl* Value)
{
    if (FEdit == Value) return;
    if (FEdit) FEdit->RemoveFreeNotification(this);
    FEdit = Value;
    if (FEdit) FEdit->FreeNotification(this);
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType Value)
{
    FButtonPanelType = Value;
    ArrangeButtons();
}

void TCustomButtonPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove || IsDestroying()) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FEdit) FEdit = nullptr;
}

void TCustomButtonPanel::OnButtonsChanged(TObject*)
{
    if (!Hosted()) Invalidate();
}

void TCustomButtonPanel::OnButtonAppearanceChanged(TObject*)
{
    if (!Hosted()) Invalidate();
}

// ---- painting -----------------------------------------------------------------------------------

void TCustomButtonPanel::MeasureCaption(const String& Caption, TSize& Size)
{
    Size = TSize();
    if (Caption.empty()) return;
    TFreePtr<TBitmap> Measure(Create<TBitmap>(1, 1));
    Measure->GetCanvas()->SetFont(FButtonAppearance->GetFont());
    Size = Measure->GetCanvas()->TextExtent(Caption);
}

void TCustomButtonPanel::GetMaxButtonSize(TSize& Size)
{
    Size = TSize();
    for (int I = 0; I < FButtons->Count(); ++I) {
        TCalcButtonItem* Item = FButtons->GetItem(I);
        TSize Text;
        MeasureCaption(Item->GetCaption(), Text);
        TSize Image;
        if (!Item->GetImage()->Empty()) Image = TSize(Item->GetImage()->GetWidth(), Item->GetImage()->GetHeight());
        else if (FImages && Item->GetImageIndex() >= 0) Image = TSize(FImages->GetWidth(), FImages->GetHeight());
        const int Gap = Text.cx > 0 && Image.cx > 0 ? FCaptionGap : 0;
        TSize Need;
        if (FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight) {
            Need.cx = 2 * FButtonOffSetX + Image.cx + Gap + Text.cx;
            Need.cy = std::max(Image.cy, Text.cy) + 2 * FButtonOffSetY;
        } else {
            Need.cx = std::max(Image.cx, Text.cx) + 2 * FButtonOffSetX;
            Need.cy = 2 * FButtonOffSetY + Image.cy + Gap + Text.cy;
        }
        Size.cx = std::max(Size.cx, Need.cx);
        Size.cy = std::max(Size.cy, Need.cy);
    }
}

void TCustomButtonPanel::DrawButton(int Index, TCanvas* Canvas)
{
    if (ValidOrNone(Index) < 0 || !Canvas) return;
    TCalcButtonItem* Item = FButtons->GetItem(Index);
    const TRect R = Item->GetRect();
    if (R.Left < 0 && R.Right < 0) return;

    TButtonAppearance* A = FButtonAppearance.get();
    TColor Border = A->GetBorderColor(), Clr = A->GetColor(), ClrTo = A->GetColorTo(), Glow = clNone;
    if (Index == FButtonDown) {
        Border = A->GetBorderColorDown();
        Clr = A->GetColorDown();
        ClrTo = A->GetColorDownTo();
        Glow = A->GetGlowColorDown();
    } else if (Index == FButtonHot) {
        Border = A->GetBorderColorHot();
        Clr = A->GetColorHot();
        ClrTo = A->GetColorHotTo();
        Glow = A->GetGlowColorHot();
    }
    DrawButtonBackground(Canvas, R, Border, InnerBorderColor, Clr, ClrTo, Glow, A->GetShineColor());
    DrawButtonFace(Item, Canvas, R);
}

void TCustomButtonPanel::DrawButtonFace(TCalcButtonItem* Item, TCanvas* Canvas, const TRect& R)
{
    const TRect Box(R.Left + FButtonOffSetX, R.Top + FButtonOffSetY, R.Right - FButtonOffSetX,
                    R.Bottom - FButtonOffSetY);
    Canvas->SetFont(FButtonAppearance->GetFont());
    Canvas->GetFont()->SetColor(Item->GetSpecial() ? FButtonAppearance->GetSpecialTextColor()
                                                   : FButtonAppearance->GetTextColor());
    Canvas->GetBrush()->SetStyle(bsClear);

    TGraphic* Picture = Item->GetImage()->Empty() ? nullptr : Item->GetImage()->GetGraphic();
    const bool FromList = !Picture && FImages && Item->GetImageIndex() >= 0 &&
                          Item->GetImageIndex() < FImages->GetCount();
    const String& Caption = Item->GetCaption();
    if (!Picture && !FromList) {
        Canvas->TextRect(Box, Caption, {tfSingleLine, tfCenter, tfVerticalCenter});
        return;
    }
    const int IW = Picture ? Picture->GetWidth() : FImages->GetWidth();
    const int IH = Picture ? Picture->GetHeight() : FImages->GetHeight();
    auto DrawImage = [&](int X, int Y) {
        if (Picture) Canvas->Draw(X, Y, Picture);
        else FImages->Draw(Canvas, X, Y, Item->GetImageIndex(), Item->GetEnabled());
    };
    if (Caption.empty()) {
        DrawImage(Box.Left + (Box.Width() - IW) / 2, Box.Top + (Box.Height() - IH) / 2);
        return;
    }
    TSize Text;
    MeasureCaption(Caption, Text);
    switch (FButtonLayout) {
    case ilCaptionRight:
    case ilCaptionLeft: {
        const bool ImageFirst = FButtonLayout == ilCaptionRight;
        const int ImageX = ImageFirst ? Box.Left : Box.Left + Text.cx + FCaptionGap;
        const int TextX = ImageFirst ? Box.Left + IW + FCaptionGap : Box.Left;
        DrawImage(ImageX, Box.Top + (Box.Height() - IH) / 2);
        Canvas->TextRect(TRect(TextX, Box.Top, Box.Right, Box.Bottom), Caption,
                         {tfSingleLine, tfLeft, tfVerticalCenter});
        break;
    }
    case ilCaptionTop:
    case ilCaptionBottom: {
        const bool ImageFirst = FButtonLayout == ilCaptionBottom;
        const int ImageY = ImageFirst ? Box.Top : Box.Top + Text.cy + FCaptionGap;
        const int TextY = ImageFirst ? Box.Top + IH + FCaptionGap : Box.Top;
        DrawImage(Box.Left + (Box.Width() - IW) / 2, ImageY);
        Canvas->TextRect(TRect(Box.Left, TextY, Box.Right, TextY + Text.cy), Caption,
                         {tfSingleLine, tfCenter, tfTop});
        break;
    }
    }
}

void TCustomButtonPanel::Paint()
{
    TCanvas* C = GetCanvas();
    if (!Hosted()) {
        C->GetPen()->SetColor(clBlack);
        C->GetBrush()->SetStyle(bsClear);
        C->Rectangle(GetClientRect());
    }
    for (int I = 0; I < FButtons->Count(); ++I)
        if (I != FButtonHot) DrawButton(I, C);
    if (FButtonHot >= 0) DrawButton(FButtonHot, C);
}

// ---- mouse --------------------------------------------------------------------------------------

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    const int Index = ButtonAtPos(X, Y);
    if (Index >= 0 && !Disabled(Index)) SetButtonDown(Index);
}

void TCustomButtonPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    inherited::MouseMove(Shift, X, Y);
    const int Index = ButtonAtPos(X, Y);
    SetButtonHot(Disabled(Index) ? -1 : Index);
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    if (FButtonDown < 0) return;
    const int Pressed = FButtonDown;
    SetButtonDown(-1);
    if (ButtonAtPos(X, Y) == Pressed) ButtonClick(Pressed);
}

// ---- registration -------------------------------------------------------------------------------

void TButtonAppearance::RegisterProperties(TPropertyTable& Table)
{
    using T = TButtonAppearance;
    Table.AddColor(L"BorderColor", &T::GetBorderColor, &T::SetBorderColor, clBlack);
    Table.AddColor(L"BorderColorHot", &T::GetBorderColorHot, &T::SetBorderColorHot, clBlack);
    Table.AddColor(L"BorderColorDown", &T::GetBorderColorDown, &T::SetBorderColorDown, clBlack);
    Table.AddColor(L"BorderColorChecked", &T::GetBorderColorChecked, &T::SetBorderColorChecked, TColor(0xFF0000));
    Table.AddColor(L"Color", &T::GetColor, &T::SetColor, TColor(0x9A915F));
    Table.AddColor(L"ColorTo", &T::GetColorTo, &T::SetColorTo, TColor(0xB0A170));
    Table.AddColor(L"ColorDown", &T::GetColorDown, &T::SetColorDown, TColor(0x4B2F08));
    Table.AddColor(L"ColorDownTo", &T::GetColorDownTo, &T::SetColorDownTo, TColor(0xADB514));
    Table.AddColor(L"ColorHot", &T::GetColorHot, &T::SetColorHot, TColor(0x9F6F1C));
    Table.AddColor(L"ColorHotTo", &T::GetColorHotTo, &T::SetColorHotTo, TColor(0xD5C244));
    Table.AddColor(L"ColorCheckedTo", &T::GetColorCheckedTo, &T::SetColorCheckedTo);
    Table.AddColor(L"ColorDisabled", &T::GetColorDisabled, &T::SetColorDisabled);
    Table.AddColor(L"ColorDisabledTo", &T::GetColorDisabledTo, &T::SetColorDisabledTo);
    Table.AddColor(L"ColorChecked", &T::GetColorChecked, &T::SetColorChecked);
    Table.Add(L"Font", &T::GetFont, &T::SetFont);
    Table.AddColor(L"ShineColor", &T::GetShineColor, &T::SetShineColor, clWhite);
    Table.AddColor(L"GlowColorHot", &T::GetGlowColorHot, &T::SetGlowColorHot, TColor(0xD5C244));
    Table.AddColor(L"GlowColorDown", &T::GetGlowColorDown, &T::SetGlowColorDown, TColor(0xD5C244));
    Table.AddColor(L"TextColor", &T::GetTextColor, &T::SetTextColor, clBlack);
    Table.AddColor(L"SpecialTextColor", &T::GetSpecialTextColor, &T::SetSpecialTextColor, TColor(0x000080));
}

void TCalcButtonItem::RegisterProperties(TPropertyTable& Table)
{
    using T = TCalcButtonItem;
    Table.Add(L"Caption", &T::GetCaption, &T::SetCaption);
    Table.Add(L"ImageIndex", &T::GetImageIndex, &T::SetImageIndex, -1);
    Table.Add(L"Enabled", &T::GetEnabled, &T::SetEnabled, true);
    Table.Add(L"Image", &T::GetImage, &T::SetImage);
    Table.Add(L"Tag", &T::GetTag, &T::SetTag, 0);
    Table.Add(L"Height", &T::GetHeight, &T::SetHeight, 0);
    Table.Add(L"Left", &T::GetLeft, &T::SetLeft, 0);
    Table.Add(L"Width", &T::GetWidth, &T::SetWidth, 0);
    Table.Add(L"Top", &T::GetTop, &T::SetTop, 0);
    Table.Add(L"Name", &T::GetName, &T::SetName);
    Table.AddColor(L"CaptionColor", &T::GetCaptionColor, &T::SetCaptionColor, clWhite);
    Table.Add(L"Special", &T::GetSpecial, &T::SetSpecial, false);
}

void RegisterQorCalculatorButtonClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterQorDropDownClasses();
    RegisterClasses<TButtonAppearance, TCalcButtonItem, TCalcButtonItems>();
}
