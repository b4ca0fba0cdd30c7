// Buttons: the speed button.
#include "Buttons.h"

#include "TypInfo.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner)
{
    // Clicks are decided here on release (inside the button), not by the generic click path.
    FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
    FGlyph.reset(Create<TBitmap>());
    FGlyph->OnChange = [this](TObject* S) { GlyphChanged(S); };
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton()
{
    // The glyph goes without telling the button, which is half gone.
    FGlyph->OnChange = nullptr;
}

void TSpeedButton::SetGlyph(TBitmap* Value)
{
    if (Value) {
        FGlyph->Assign(Value);
    } else {
        TFreePtr<TBitmap> Empty(Create<TBitmap>());
        FGlyph->Assign(Empty.get());
    }
    GlyphChanged(FGlyph.get());
}

void TSpeedButton::GlyphChanged(TObject*)
{
    // A strip of square images tells how many it holds.
    if (!FGlyph->GetEmpty() && FGlyph->GetHeight() > 0) {
        int N = FGlyph->GetWidth() / FGlyph->GetHeight();
        if (N >= 1 && N <= 4 && FGlyph->GetWidth() % FGlyph->GetHeight() == 0) FNumGlyphs = N;
    }
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value)
{
    if (Value < 1) Value = 1;
    if (Value > 4) Value = 4;
    if (FNumGlyphs == Value) return;
    FNumGlyphs = Value;
    Invalidate();
}

void TSpeedButton::SetFlat(bool Value)
{
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool Value)
{
    if (FTransparent == Value) return;
    FTransparent = Value;
    if (Value) FControlStyle >> csOpaque;
    else FControlStyle << csOpaque;
    Invalidate();
}

void TSpeedButton::SetDown(bool Value)
{
    if (FGroupIndex == 0) Value = false;
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

void TSpeedButton::SetGroupIndex(int Value)
{
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    if (Value == 0 && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value)
{
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TSpeedButton::SetLayout(TButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TSpeedButton::SetMargin(int Value)
{
    if (FMargin == Value || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TSpeedButton::SetSpacing(int Value)
{
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TSpeedButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !FParent) return;
    TMessage M;
    M.Msg = CM_BUTTONPRESSED;
    M.WParam = WPARAM(FGroupIndex);
    M.LParam = reinterpret_cast<LPARAM>(this);
    FParent->Broadcast(M);
}

void TSpeedButton::CMButtonPressed(TMessage& Message)
{
    auto* Sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
    if (int(Message.WParam) != FGroupIndex || Sender == this || !Sender) return;
    if (Sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

void TSpeedButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_BUTTONPRESSED: CMButtonPressed(Message); break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        inherited::Dispatch(Message);
        if (FFlat && GetEnabled()) Invalidate();
        break;
    case CM_ENABLEDCHANGED:
        inherited::Dispatch(Message);
        Invalidate();
        break;
    default: inherited::Dispatch(Message);
    }
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !GetEnabled()) return;
    if (!FDown) {
        FState = bsDown;
        Repaint();
    }
    FTracking = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
    inherited::MouseMove(Shift, X, Y);
    if (!FTracking) return;
    bool Inside = X >= 0 && X < FWidth && Y >= 0 && Y < FHeight;
    TButtonState New = Inside ? bsDown : (FDown ? bsExclusive : bsUp);
    if (FDown && Inside) New = bsExclusive;
    if (New != FState) {
        FState = New;
        Repaint();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    if (!FTracking || Button != mbLeft) return;
    FTracking = false;
    bool DoClick = X >= 0 && X < FWidth && Y >= 0 && Y < FHeight;
    if (FGroupIndex == 0) {
        FState = bsUp;
        Repaint();
    } else if (DoClick) {
        SetDown(!FDown);
        FState = FDown ? bsExclusive : bsUp;
        Repaint();
    } else {
        FState = FDown ? bsExclusive : bsUp;
        Repaint();
    }
    if (DoClick) Click();
}

void TSpeedButton::Click()
{
    inherited::Click();
}

void TSpeedButton::CalcLayout(const TRect& Client, TSize GlyphSize, TSize TextSize, TButtonLayout Layout,
                              int Margin, int Spacing, TPoint& GlyphPos, TRect& TextBounds)
{
    bool Horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    int ClientW = Client.Width(), ClientH = Client.Height();
    bool HasGlyph = GlyphSize.cx > 0 && GlyphSize.cy > 0;
    bool HasText = TextSize.cx > 0;
    if (!HasGlyph || !HasText) Spacing = 0;
    int GlyphLen = Horizontal ? GlyphSize.cx : GlyphSize.cy;
    int TextLen = Horizontal ? TextSize.cx : TextSize.cy;
    int Avail = Horizontal ? ClientW : ClientH;
    if (Margin == -1) {
        if (Spacing == -1) {
            int Total = GlyphLen + TextLen;
            Margin = (Avail - Total) / 3;
            Spacing = Margin;
        } else {
            int Total = GlyphLen + Spacing + TextLen;
            Margin = (Avail - Total + 1) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = (Avail - Margin - GlyphLen - TextLen) / 2;
    }
    // Centred across the other direction.
    int GX = (ClientW - GlyphSize.cx + 1) / 2, GY = (ClientH - GlyphSize.cy + 1) / 2;
    int TX = (ClientW - TextSize.cx + 1) / 2, TY = (ClientH - TextSize.cy + 1) / 2;
    switch (Layout) {
    case blGlyphLeft:
        GX = Margin;
        TX = GX + GlyphSize.cx + Spacing;
        break;
    case blGlyphRight:
        GX = ClientW - Margin - GlyphSize.cx;
        TX = GX - Spacing - TextSize.cx;
        break;
    case blGlyphTop:
        GY = Margin;
        TY = GY + GlyphSize.cy + Spacing;
        break;
    case blGlyphBottom:
        GY = ClientH - Margin - GlyphSize.cy;
        TY = GY - Spacing - TextSize.cy;
        break;
    }
    GlyphPos = {Client.Left + GX, Client.Top + GY};
    TextBounds = {Client.Left + TX, Client.Top + TY, Client.Left + TX + TextSize.cx, Client.Top + TY + TextSize.cy};
}

void TSpeedButton::Paint()
{
    TCanvas* C = GetCanvas();
    HDC DC = C->GetHandle();
    TRect R = GetClientRect();
    RECT WR{R.Left, R.Top, R.Right, R.Bottom};
    TButtonState State = GetEnabled() ? FState : bsDisabled;
    if (!GetEnabled() && FDown) State = bsExclusive;
    bool Pressed = State == bsDown || State == bsExclusive;

    if (!FTransparent || !FFlat) {
        C->GetBrush()->SetColor(Pressed && State == bsExclusive && !FFlat ? clBtnHighlight : clBtnFace);
        C->FillRect(R);
        if (State == bsExclusive) {
            C->GetBrush()->SetColor(clBtnFace);
            RECT In = WR;
            InflateRect(&In, -2, -2);
            FillRect(DC, &In, C->GetBrush()->GetHandle());
        }
    }
    if (!FFlat) DrawEdge(DC, &WR, Pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    else if (Pressed) DrawEdge(DC, &WR, BDR_SUNKENOUTER, BF_RECT);
    else if (MouseInControl() && GetEnabled()) DrawEdge(DC, &WR, BDR_RAISEDINNER, BF_RECT);

    TRect Inner = {R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2};
    int Offset = Pressed ? 1 : 0;
    TSize GlyphSize{0, 0};
    if (!FGlyph->GetEmpty()) GlyphSize = {FGlyph->GetWidth() / std::max(1, FNumGlyphs), FGlyph->GetHeight()};
    String Caption = GetCaption();
    C->SetFont(GetFont());
    TSize TextSize{0, 0};
    if (!Caption.empty()) TextSize = C->TextExtent(Caption);
    TPoint GP;
    TRect TB;
    CalcLayout(Inner, GlyphSize, TextSize, FLayout, FMargin, FSpacing, GP, TB);

    if (GlyphSize.cx > 0) {
        // The image of the state when the strip has one, else the first.
        int Index = 0;
        switch (State) {
        case bsDisabled: Index = 1; break;
        case bsDown: Index = 2; break;
        case bsExclusive: Index = 3; break;
        default: break;
        }
        if (Index >= FNumGlyphs) Index = 0;
        TCompatibleDC Src(DC);
        TSelectObject Glyph(Src, FGlyph->GetHandle());
        COLORREF Key = ColorToRGB(GetPixel(Src, 0, FGlyph->GetHeight() - 1));
        TransparentDraw(DC, GP.X + Offset, GP.Y + Offset, GlyphSize.cx, GlyphSize.cy, Src, Index * GlyphSize.cx, 0, Key);
    }
    if (!Caption.empty()) {
        SetBkMode(DC, TRANSPARENT);
        RECT T{TB.Left + Offset, TB.Top + Offset, TB.Right + Offset, TB.Bottom + Offset};
        if (State == bsDisabled) {
            OffsetRect(&T, 1, 1);
            SetTextColor(DC, ColorToRGB(clBtnHighlight));
            DrawTextW(DC, Caption.c_str(), int(Caption.size()), &T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            OffsetRect(&T, -1, -1);
            SetTextColor(DC, ColorToRGB(clBtnShadow));
        } else {
            SetTextColor(DC, ColorToRGB(GetFont()->GetColor()));
        }
        DrawTextW(DC, Caption.c_str(), int(Caption.size()), &T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// ---- Registration ------------------------------------------------------------------------------

void TSpeedButton::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"AllowAllUp", &TSpeedButton::GetAllowAllUp, &TSpeedButton::SetAllowAllUp, false);
    Table.Add(L"GroupIndex", &TSpeedButton::GetGroupIndex, &TSpeedButton::SetGroupIndex, 0);
    Table.Add(L"Down", &TSpeedButton::GetDown, &TSpeedButton::SetDown, false);
    Table.Add(L"Flat", &TSpeedButton::GetFlat, &TSpeedButton::SetFlat, false);
    Table.Add(L"Glyph", &TSpeedButton::GetGlyph);
    Table.Add(L"Layout", &TSpeedButton::GetLayout, &TSpeedButton::SetLayout, blGlyphLeft);
    Table.Add(L"Margin", &TSpeedButton::GetMargin, &TSpeedButton::SetMargin, -1);
    Table.Add(L"NumGlyphs", &TSpeedButton::GetNumGlyphs, &TSpeedButton::SetNumGlyphs, 1);
    Table.Add(L"Spacing", &TSpeedButton::GetSpacing, &TSpeedButton::SetSpacing, 4);
    Table.Add(L"Transparent", &TSpeedButton::GetTransparent, &TSpeedButton::SetTransparent, true);
}

void RegisterButtons()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterEnumIdents<TButtonLayout>(L"TButtonLayout", {{blGlyphLeft, L"blGlyphLeft"}, {blGlyphRight, L"blGlyphRight"},
                                                         {blGlyphTop, L"blGlyphTop"}, {blGlyphBottom, L"blGlyphBottom"}});
    RegisterClass<TSpeedButton>();
}
