// JYREdit: the edit with a button, the unit edit, the button host and the image speed button.
#include "JYREdit.h"

#include "JyrControls.h"
#include "framework/ClassesLists.h"
#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/QorXPVS.h"

#include <windows.h>
#include <vssym32.h>

#include <algorithm>

namespace JYREdit {

// ---- TQorSpeedButton --------------------------------------------------------------------------

TJyrEditButton* TQorSpeedButton::Host() { return dynamic_cast<TJyrEditButton*>(GetOwner()); }

void TQorSpeedButton::SetIsWinXP(bool Value)
{
    if (FIsWinXP == Value) return;
    FIsWinXP = Value;
    Invalidate();
}

void TQorSpeedButton::SetFlat(bool Value)
{
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TQorSpeedButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        inherited::Dispatch(Message);
        FHot = Message.Msg == CM_MOUSEENTER;
        Repaint();
        break;
    default: inherited::Dispatch(Message);
    }
}

void TQorSpeedButton::Paint()
{
    TCanvas* C = GetCanvas();
    C->SetFont(GetFont());
    TRect R{0, 0, GetWidth(), GetHeight()};
    const bool Down = GetState() == bsDown || GetState() == bsExclusive;
    HDC DC = C->GetHandle();
    TJyrEditButton* H = Host();
    if (H && H->ButtonColor != clNone) {
        FFlat = true;
        TColor Fill = H->ButtonColor;
        if (Down && H->ButtonColorDown != clNone) Fill = H->ButtonColorDown;
        else if (!Down && FHot && H->ButtonColorHot != clNone) Fill = H->ButtonColorHot;
        C->GetBrush()->SetStyle(bsSolid);
        C->GetBrush()->SetColor(Fill);
        C->FillRect(GetClientRect());
    } else {
        bool Themed = false;
        if (FIsWinXP && JyrControls::ThemesActive() && H && H->HandleAllocated() && QorXPVS::OpenThemeData &&
            QorXPVS::DrawThemeBackground && QorXPVS::CloseThemeData) {
            if (HTHEME Theme = QorXPVS::OpenThemeData(H->GetHandle(), L"button")) {
                RECT W{R.Left, R.Top, R.Right, R.Bottom};
                int State = Down ? PBS_PRESSED : FHot ? PBS_HOT : PBS_NORMAL;
                QorXPVS::DrawThemeBackground(Theme, DC, BP_PUSHBUTTON, State, &W, nullptr);
                QorXPVS::CloseThemeData(Theme);
                Themed = true;
            }
        }
        if (!Themed) {
            RECT W{R.Left, R.Top, R.Right, R.Bottom};
            if (FFlat) {
                DrawEdge(DC, &W, Down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
                R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
            } else {
                DrawFrameControl(DC, &W, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Down ? DFCS_PUSHED : 0));
                R = TRect{W.left, W.top, W.right, W.bottom};
            }
        }
    }
    const int Offset = Down ? 1 : 0;
    TBitmap* G = GetGlyph();
    if (!G->GetEmpty()) {
        const int GW = G->GetWidth(), GH = G->GetHeight();
        const int X = GW < GetWidth() ? (GetWidth() - GW) / 2 : 0;
        const int Y = GH < GetHeight() ? (GetHeight() - GH) / 2 : 0;
        // Transparent where the glyph has its bottom-left pixel's colour.
        HDC Src = G->GetCanvas()->GetHandle();
        TransparentDraw(DC, X + Offset, Y + Offset, GW, GH, Src, 0, 0, GetPixel(Src, 0, GH - 1));
    }
    const String Caption = GetCaption();
    if (!Caption.empty()) {
        SetBkMode(DC, TRANSPARENT);
        SetTextColor(DC, RGB(0, 0, 0));
        RECT T{R.Left + Offset, R.Top + Offset, R.Right + Offset, R.Bottom + Offset};
        DrawTextW(DC, Caption.c_str(), int(Caption.size()), &T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// ---- TJyrEditButton ---------------------------------------------------------------------------

TJyrEditButton::TJyrEditButton(TComponent* AOwner) : TButtonHost(AOwner)
{
    FButton = Create<TQorSpeedButton>(this);
    FButton->SetParent(this);
    FButton->SetVisible(true);
    FButton->SetEnabled(true);
    FButton->SetCaption(String());
    FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        BtnMouseDown(Sender, Button, Shift, X, Y);
    };
    FButton->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
    SetBounds(0, 0, 20, 25);
}

void TJyrEditButton::AdjustSize(int& W, int& H)
{
    if (FButton) FButton->SetBounds(0, 0, W, H);
}

String TJyrEditButton::GetCaption() const { return FButton->GetCaption(); }
void TJyrEditButton::SetCaption(const String& Value) { FButton->SetCaption(Value); }
TBitmap* TJyrEditButton::GetGlyph() const { return FButton->GetGlyph(); }
void TJyrEditButton::SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
TNumGlyphs TJyrEditButton::GetNumGlyphs() const { return FButton->GetNumGlyphs(); }
void TJyrEditButton::SetNumGlyphs(TNumGlyphs Value) { FButton->SetNumGlyphs(Value); }

void TJyrEditButton::SetFlat(bool Value)
{
    FFlat = Value;
    FButton->SetFlat(Value);
}

void TJyrEditButton::BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbLeft) return;
    if (Sender == FButton && OnClick) OnClick(this);
    FocusAfterPress();
}

// ---- TJyrEditBtn ------------------------------------------------------------------------------

TJyrEditBtn::TJyrEditBtn(TComponent* AOwner) : TEmbeddedButtonEdit(AOwner)
{
    FControlStyle >> csSetCaption;
    FButton = Create<TJyrEditButton>(this);
    Embed(FButton, 18, 18);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
    SetText(L"0");
}

TJyrEditBtn::~TJyrEditBtn()
{
    // The host goes with the edit's children; nothing reaches it from here on.
    FButton = nullptr;
}

void TJyrEditBtn::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    if (FRightAlign) Params.Style |= ES_RIGHT;
}

void TJyrEditBtn::CreateWnd()
{
    inherited::CreateWnd();
    SetEditRect();
}

void TJyrEditBtn::SetEditRect()
{
    if (!HandleAllocated() || !FButton) return;
    const int D = GetBorderStyle() == bsSingle ? 1 : 3;
    const int BW = FButton->GetWidth();
    RECT R{D, D, 0, GetClientHeight() + 1};
    if (FButtonAlign == btnLeft) {
        R.left = BW + D;
        R.right = GetClientWidth() - FUnitSize - 3;
    } else {
        R.right = GetClientWidth() - BW - FUnitSize - 5;
    }
    if (FUnitSize > 0) R.right -= 3;
    SendMessageW(GetHandle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&R));
}

int TJyrEditBtn::GetMinHeight()
{
    int System = 0, Own = 0;
    CharHeights(System, Own);
    return std::min(System, Own) / 4 + Own;
}

void TJyrEditBtn::LayoutButton()
{
    if (!FButton) return;
    const int A = GetBorderStyle() == bsSingle ? 5 : 1;
    const int BW = FButton->GetWidth();
    if (FButtonAlign == btnLeft) {
        if (GetCtl3D()) FButton->SetBounds(A, 0, BW, GetHeight() - A);
        else FButton->SetBounds(0, 1, BW, GetHeight() - 3);
    } else {
        if (GetCtl3D()) FButton->SetBounds(GetWidth() - BW - A, 0, BW, GetHeight() - A);
        else FButton->SetBounds(GetWidth() - BW, 1, BW, GetHeight() - 3);
    }
    SetEditRect();
}

void TJyrEditBtn::WMSize(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (!FButton) return;
    const int MinHeight = GetMinHeight();
    if (GetHeight() < MinHeight) {
        SetHeight(MinHeight);
        return;
    }
    LayoutButton();
}

void TJyrEditBtn::SetButtonAlign(TButtonAlign Value)
{
    if (Value != btnLeft) Value = btnRight;
    if (FButtonAlign == Value) return;
    FButtonAlign = Value;
    if (HandleAllocated()) LayoutButton();
}

void TJyrEditBtn::SetButtonWidth(int Value)
{
    if (Value < 0 || Value > GetWidth() + 1000) return;
    FButtonWidth = Value;
    FButton->SetWidth(Value);
    if (HandleAllocated()) LayoutButton();
}

String TJyrEditBtn::GetButtonCaption() const { return FButton->GetCaption(); }
void TJyrEditBtn::SetCaption(const String& Value) { FButton->SetCaption(Value); }
TBitmap* TJyrEditBtn::GetGlyph() const { return FButton->GetGlyph(); }
void TJyrEditBtn::SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }

void TJyrEditBtn::SetRightAlign(bool Value)
{
    if (FRightAlign == Value) return;
    FRightAlign = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TJyrEditBtn::SetUnitSize(int Value)
{
    FUnitSize = Value >= 0 && Value <= MaxUnitSize ? Value : 0;
    SetEditRect();
}

void TJyrEditBtn::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FButton->GetButton()->SetIsWinXP(Value);
}

void TJyrEditBtn::BtnClick(TObject* Sender)
{
    if (OnClickBtn) OnClickBtn(Sender);
}

void TJyrEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    const auto Up = [](int VK) { return (GetKeyState(VK) & 0x8000) == 0; };
    if (Key == VK_F4 && Up(VK_CONTROL) && Up(VK_LMENU) && Up(VK_RMENU)) BtnClick(this);
}

void TJyrEditBtn::KeyPress(Char& Key) { inherited::KeyPress(Key); }

void TJyrEditBtn::CMEnter(TMessage& Message)
{
    if (GetAutoSelect() && !GetControlState().Contains(TControlStateFlag::csLButtonDown) && HandleAllocated())
        SelectAll();
    inherited::Dispatch(Message);
}

void TJyrEditBtn::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR:
        if (FEditorEnabled) inherited::Dispatch(Message);
        else Message.Result = 0;
        break;
    case WM_SIZE: WMSize(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    default: inherited::Dispatch(Message);
    }
}

// ---- TJyrUnitEditBtn --------------------------------------------------------------------------

TJyrUnitEditBtn::TJyrUnitEditBtn(TComponent* AOwner) : TJyrEditBtn(AOwner)
{
    FUnits = new TStringList();
    FUnitSize = 20;
    SetRightAlign(true);
}

TJyrUnitEditBtn::~TJyrUnitEditBtn()
{
    delete FUnits;
    FUnits = nullptr;
}

void TJyrUnitEditBtn::SetUnits(TStrings* Value)
{
    if (Value) FUnits->Assign(Value);
}

void TJyrUnitEditBtn::SetUnitID(const String& Value)
{
    FUnitID = Value;
    Invalidate();
}

void TJyrUnitEditBtn::SetUnitSize(int Value)
{
    inherited::SetUnitSize(Value);
    Invalidate();
}

void TJyrUnitEditBtn::SetTextAndUnit(const String& Value)
{
    int Best = -1;
    for (int I = 0; I < FUnits->Count(); ++I) {
        const String& U = FUnits->Get(I);
        if (U.empty() || U.size() > Value.size()) continue;
        if (Value.compare(Value.size() - U.size(), U.size(), U) != 0) continue;
        if (Best < 0 || U.size() > FUnits->Get(Best).size()) Best = I;
    }
    if (Best < 0) return;
    const String& U = FUnits->Get(Best);
    SetText(Value.substr(0, Value.size() - U.size()));
    SetUnitID(U);
}

String TJyrUnitEditBtn::GetTextAndUnit() { return GetText() + FUnitID; }

TRect TJyrUnitEditBtn::UnitRect()
{
    const int CW = GetClientWidth();
    // With the button at the left the unit stands at the right edge, clear of the value.
    const int Right = GetButtonAlign() == btnLeft ? CW - 3 : CW - GetButton()->GetWidth() - 3;
    return TRect{Right - FUnitSize, 2, Right, GetClientHeight()};
}

void TJyrUnitEditBtn::PaintWindow(HDC DC)
{
    {
        // The edit's painting leaves its formatting rectangle as the clipping: the unit lies outside.
        TSavedDC Saved(DC);
        inherited::PaintWindow(DC);
    }
    if (FUnitID.empty() || FUnitSize <= 0) return;
    TSavedDC Saved(DC);
    SelectObject(DC, GetFont()->GetHandle());
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, ColorToRGB(GetFont()->GetColor()));
    TRect U = UnitRect();
    RECT R{U.Left, U.Top, U.Right, U.Bottom};
    DrawTextW(DC, FUnitID.c_str(), int(FUnitID.size()), &R, DT_EDITCONTROL);
}

void TJyrUnitEditBtn::BtnClick(TObject*)
{
    if (OnClickBtn) OnClickBtn(this);
    if (!HandleAllocated()) return;
    HMENU Menu = CreatePopupMenu();
    if (!Menu) return;
    auto Destroy = ScopeExit([Menu] { DestroyMenu(Menu); });
    for (int I = 0; I < FUnits->Count(); ++I)
        AppendMenuW(Menu, MF_STRING, UINT_PTR(I + 1), FUnits->Get(I).c_str());
    const TPoint P = ClientToScreen({GetClientWidth() - 15, GetClientHeight()});
    TrackPopupMenu(Menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, P.X, P.Y, 0, GetHandle(), nullptr);
}

void TJyrUnitEditBtn::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_COMMAND && HIWORD(Message.WParam) != EN_CHANGE) {
        const int Id = LOWORD(Message.WParam);
        if (Id >= 1 && Id <= FUnits->Count()) {
            const String Old = FUnitID;
            SetUnitID(FUnits->Get(Id - 1));
            if (FUnitID != Old && OnUnitChanged) OnUnitChanged(this, FUnitID);
        }
        Message.Result = 0;
        return;
    }
    inherited::Dispatch(Message);
}

// ---- TJyrSpeedButton --------------------------------------------------------------------------

TJyrSpeedButton::TJyrSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) { FPicture = new TPicture(); }

TJyrSpeedButton::~TJyrSpeedButton()
{
    delete FPicture;
    FPicture = nullptr;
}

void TJyrSpeedButton::SetPicture(TPicture* Value)
{
    FPicture->Assign(Value);
    Invalidate();
}

void TJyrSpeedButton::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TJyrSpeedButton::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Invalidate();
}

void TJyrSpeedButton::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TJyrSpeedButton::Paint()
{
    inherited::Paint();
    TCanvas* C = GetCanvas();
    if (FImages && FImageIndex >= 0 && FImageIndex < FImages->GetCount())
        FImages->Draw(C, (GetWidth() - FImages->GetWidth()) / 2, (GetHeight() - FImages->GetHeight()) / 2,
                      FImageIndex, true);
    if (TGraphic* G = FPicture->GetGraphic(); G && !G->GetEmpty())
        C->Draw((GetWidth() - G->GetWidth()) / 2, (GetHeight() - G->GetHeight()) / 2, G);
}

// ---- Registration -----------------------------------------------------------------------------

void TQorSpeedButton::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"IsWinXP", &TQorSpeedButton::GetIsWinXP, &TQorSpeedButton::SetIsWinXP, false);
    T.Add(L"Flat", &TQorSpeedButton::GetFlat, &TQorSpeedButton::SetFlat, false);
}

void TJyrEditButton::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"ButtonCaption", &TJyrEditButton::GetCaption, &TJyrEditButton::SetCaption);
    T.Add(L"Glyph", &TJyrEditButton::GetGlyph, &TJyrEditButton::SetGlyph);
    T.Add(L"NumGlyphs", &TJyrEditButton::GetNumGlyphs, &TJyrEditButton::SetNumGlyphs, 1);
    T.Add(L"Flat", &TJyrEditButton::GetFlat, &TJyrEditButton::SetFlat, false);
}

void TJyrEditBtn::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"ButtonAlign", &TJyrEditBtn::GetButtonAlign, &TJyrEditBtn::SetButtonAlign, btnRight);
    T.Add(L"ButtonWidth", &TJyrEditBtn::GetButtonWidth, &TJyrEditBtn::SetButtonWidth, 0);
    T.Add(L"ButtonCaption", &TJyrEditBtn::GetButtonCaption, &TJyrEditBtn::SetCaption);
    T.Add(L"Glyph", &TJyrEditBtn::GetGlyph, &TJyrEditBtn::SetGlyph);
    T.Add(L"RightAlign", &TJyrEditBtn::GetRightAlign, &TJyrEditBtn::SetRightAlign, false);
    T.Add(L"UnitSize", &TJyrEditBtn::GetUnitSize, &TJyrEditBtn::SetUnitSize, 0);
    T.AddEvent(L"OnClickBtn", &TJyrEditBtn::OnClickBtn);
}

void TJyrUnitEditBtn::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"RightAlign", &TJyrEditBtn::GetRightAlign, &TJyrEditBtn::SetRightAlign, true);
    T.Add(L"Units", &TJyrUnitEditBtn::GetUnits);
    T.Add(L"UnitID", &TJyrUnitEditBtn::GetUnitID, &TJyrUnitEditBtn::SetUnitID);
    T.Add(L"UnitSpace", &TJyrUnitEditBtn::GetUnitSpace, &TJyrUnitEditBtn::SetUnitSpace, 20);
    T.Add(L"UnitSize", &TJyrEditBtn::GetUnitSize, &TJyrEditBtn::SetUnitSize, 20).Stored(false);
    T.AddEvent(L"OnUnitChanged", &TJyrUnitEditBtn::OnUnitChanged);
}

void TJyrSpeedButton::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Picture", &TJyrSpeedButton::GetPicture, &TJyrSpeedButton::SetPicture);
    T.Add(L"Images", &TJyrSpeedButton::GetImages, &TJyrSpeedButton::SetImages);
    T.Add(L"ImageIndex", &TJyrSpeedButton::GetImageIndex, &TJyrSpeedButton::SetImageIndex, -1);
}

void RegisterEditBtn()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterStdCtrls();
    RegisterMask();
    RegisterButtons();
    RegisterEnumIdents<TButtonAlign>(L"JYREdit::TButtonAlign", {{btnRight, L"btnRight"}, {btnLeft, L"btnLeft"}});
    RegisterClasses<TQorSpeedButton, TJyrEditButton, TJyrEditBtn, TJyrUnitEditBtn, TJyrSpeedButton>();
}

}  // namespace JYREdit
