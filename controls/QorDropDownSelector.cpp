// QorDropDown: the item selector: its items, their colours, the panel that lays the cells out,
// paints them and takes the mouse, and the host that scrolls the panel.
#include "controls/JyrControlsConsts.h"
#include "controls/QorDropDown.h"

#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/JyrHTMLText.h"
#include "graphics/QorUtil.h"

#include <algorithm>

using namespace QorDropDown;

// ---- items ----------------------------------------------------------------------------------------

TSelectorItem::TSelectorItem(TCollection* ACollection) : TCollectionItem(ACollection), FImage(Create<TPicture>()) {}

TSelectorItem::~TSelectorItem()
{
    FImage->Free();
}

void TSelectorItem::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TSelectorItem*>(Source);
    if (!S) {
        inherited::Assign(Source);
        return;
    }
    SetCaption(S->FCaption);
    SetColor(S->FColor);
    SetImageIndex(S->FImageIndex);
    FImage->Assign(S->FImage);
    FEnabled = S->FEnabled;
    FHint = S->FHint;
}

void TSelectorItem::SetCaption(const String& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

void TSelectorItem::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    Changed(false);
}

void TSelectorItem::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed(false);
}

TSelectorItems::TSelectorItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TCollection::ItemClass<TSelectorItem>())
{
}

void TSelectorItems::Change()
{
    if (OnChange) OnChange(this);
}

void TSelectorItems::Update(TCollectionItem* Item)
{
    if (Item) Change();
}

TQorCustomItemSelector* TSelectorItems::Host()
{
    auto* H = dynamic_cast<TQorCustomItemSelector*>(GetOwner());
    if (!H || H->GetComponentState().Contains(csDestroying) || !H->GetSelectorPanel()) return nullptr;
    return H;
}

TSelectorItem* TSelectorItems::Insert(int Index)
{
    auto* Item = static_cast<TSelectorItem*>(TCollection::Insert(Index));
    if (TQorCustomItemSelector* H = Host()) H->GetSelectorPanel()->ItemPutIn(Index);
    return Item;
}

void TSelectorItems::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
    TQorCustomItemSelector* H = Host();
    if (!H) return;
    // A deletion tells cnDeleting and then cnExtracting: the item is taken out at the second.
    if (Action == cnExtracting) H->GetSelectorPanel()->ItemTakenOut(Item->GetIndex());
    if (Action == cnExtracting || Action == cnAdded) H->LayoutLater();
}

// ---- item colours ---------------------------------------------------------------------------------

TItemAppearance::TItemAppearance(TPersistent* AOwner) : FOwner(AOwner), FFont(Create<TFont>())
{
    FFont->SetName(L"Tahoma");
    SetColorStyle(scOffice2007);
}

TItemAppearance::~TItemAppearance()
{
    FFont->Free();
}

void TItemAppearance::SetColorStyle(TSelectionColorStyle Value)
{
    if (Value == FColorStyle) return;
    FColorStyle = Value;
    struct TPreset {
        TColor Hot, HotTo, MirHot, MirHotTo, Top, Bottom, Border, Edge, Sel, SelTo, MirSel, MirSelTo;
    };
    static constexpr TPreset Presets[] = {
        {TColor(0xD7FFFD), TColor(0x58D4FC), TColor(0x58D4FC), TColor(0xB3F1FC), TColor(0xF4FEFF), TColor(0xCAF8FF),
         TColor(0x8DD7D3), TColor(0xC3D9DF), TColor(0xA6FFFB), TColor(0x04B9F4), TColor(0x15C1FB), TColor(0x68E3F9)},
        {TColor(0xFDF8F1), TColor(0xFCEFD5), clNone, clNone, TColor(0xFDFBF6), TColor(0xFDF5E7), TColor(0xFDDE99),
         TColor(0xFCEDCB), TColor(0xFAEEDE), TColor(0xFAE3B4), clNone, clNone},
        {TColor(0xFCEBDC), TColor(0xFCDBC1), clNone, clNone, TColor(0xFDF4EB), TColor(0xFDEADB), TColor(0xCEA27D),
         TColor(0xE0C5AE), TColor(0xF9D8B9), TColor(0xFBCAA2), clNone, clNone},
    };
    if (Value == scCustom) return;
    const TPreset& P = Presets[Value - scOffice2007];
    ColorHot = P.Hot;
    ColorHotTo = P.HotTo;
    ColorMirrorHot = P.MirHot;
    ColorMirrorHotTo = P.MirHotTo;
    BorderColorTop = P.Top;
    BorderColorBottom = P.Bottom;
    BorderColor = P.Border;
    EdgeColor = P.Edge;
    ColorSelected = P.Sel;
    ColorSelectedTo = P.SelTo;
    ColorMirrorSelected = P.MirSel;
    ColorMirrorSelectedTo = P.MirSelTo;
}

void TItemAppearance::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TItemAppearance*>(Source);
    if (!S) {
        inherited::Assign(Source);
        return;
    }
    ColorHot = S->ColorHot;
    ColorHotTo = S->ColorHotTo;
    ColorMirrorHot = S->ColorMirrorHot;
    ColorMirrorHotTo = S->ColorMirrorHotTo;
    ColorSelected = S->ColorSelected;
    ColorSelectedTo = S->ColorSelectedTo;
    ColorMirrorSelected = S->ColorMirrorSelected;
    ColorMirrorSelectedTo = S->ColorMirrorSelectedTo;
    BorderColor = S->BorderColor;
    BorderColorTop = S->BorderColorTop;
    BorderColorBottom = S->BorderColorBottom;
    EdgeColor = S->EdgeColor;
    FFont->Assign(S->FFont);
    SetColorStyle(S->FColorStyle);
    ColorSelectedText = S->ColorSelectedText;
    ColorHotText = S->ColorHotText;
    BorderColorHot = S->BorderColorHot;
    BorderColorSelected = S->BorderColorSelected;
}

// ---- the panel --------------------------------------------------------------------------------------

TCustomItemSelector::TCustomItemSelector(TComponent* AOwner) : TCustomControl(AOwner)
{
    FQorItemSelector = dynamic_cast<TQorCustomItemSelector*>(AOwner);
    if (!FQorItemSelector) throw Exception(JyrControlsConsts::SInvalidParent);
    SetParentColor(true);
}

TSelectorItems* TCustomItemSelector::Items() const
{
    return FQorItemSelector->GetItems();
}

void TCustomItemSelector::GetItemSize(TSize& ASize)
{
    TQorCustomItemSelector* H = FQorItemSelector;
    if (H->OnItemSize) {
        H->OnItemSize(this, ASize);
        return;
    }
    int IH = 0, IW = 0, TH = 0, TW = 0;
    if (H->GetSelectorType() == stColor) {
        IH = H->GetColorBoxHeight();
        IW = H->GetColorBoxWidth();
    }
    TBitmap Measure;
    TCanvas* C = Measure.GetCanvas();
    C->SetFont(H->GetItemAppearance()->GetFont());
    TSelectorItems* It = Items();
    for (int I = 0; I < It->GetCount(); ++I) {
        TSelectorItem* Item = It->GetItems(I);
        if (H->GetSelectorType() == stImage) {
            if (TGraphic* G = Item->GetImage()->GetGraphic(); G && !G->GetEmpty()) {
                IH = std::max(IH, G->GetHeight());
                IW = std::max(IW, G->GetWidth());
            } else if (H->GetImages() && Item->GetImageIndex() >= 0) {
                IH = std::max(IH, H->GetImages()->GetHeight());
                IW = std::max(IW, H->GetImages()->GetWidth());
            }
        }
        const TSize S = DrawHTMLEX(C, Item->GetCaption(), TRect(0, 0, 1000, 500), H->GetImages(), false, nullptr);
        TW = std::max(TW, S.cx);
        TH = std::max(TH, S.cy);
    }
    if (TW > 0) TW += 4;
    if (H->GetItemLayout() == ilCaptionLeft || H->GetItemLayout() == ilCaptionRight) {
        ASize.cx = 2 * FItemOffSetX + (IW > 0 ? IW : 0) + (IW > 0 && TW > 0 ? FCaptionGap : 0) + TW;
        ASize.cy = 2 * FItemOffSetY + std::max(IH, TH);
    } else {
        ASize.cx = 2 * FItemOffSetX + std::max(IW, TW);
        ASize.cy = 2 * FItemOffSetY + (IH > 0 ? IH : 0);
        if (TH >= 1) ASize.cy += (IH > 0 ? FCaptionGap : 0) + TH;
    }
}

void TCustomItemSelector::GetInnerRect(TRect& R)
{
    R = GetClientRect();
    R = TRect(R.Left + FOffSetX, R.Top + FOffSetY, R.Right - FOffSetX, R.Bottom - FOffSetY);
}

void TCustomItemSelector::UpdateRectAndSize()
{
    TSelectorItems* It = Items();
    if (It->GetCount() == 0) {
        FPanelSize = {100, 50};
        FitWindow();
        return;
    }
    FItemHot = -1;
    TSize S{0, 0};
    GetItemSize(S);
    FCellSize = S;
    TRect R;
    GetInnerRect(R);
    const int Columns = std::max(1, FQorItemSelector->GetColumns());
    int X = R.Left, Y = R.Top, C = 0, W = 0;
    for (int J = 0; J < It->GetCount(); ++J) {
        It->GetItems(J)->FRect = TRect(X, Y, X + S.cx, Y + S.cy);
        ++C;
        if (J == It->GetCount() - 1) break;
        if (C < Columns) {
            X += S.cx;
        } else {
            W = std::max(W, X);
            X = R.Left;
            Y += S.cy;
            C = 0;
        }
    }
    W = std::max(W, X);
    FPanelSize = {W + S.cx + R.Left, Y + S.cy + R.Top};
    FitWindow();
}

void TCustomItemSelector::FitWindow()
{
    int W = FPanelSize.cx, H = FPanelSize.cy;
    if (FQorItemSelector->HandleAllocated()) {
        const TRect C = FQorItemSelector->GetClientRect();
        W = std::min(W, std::max(C.Width(), 1));
        H = std::min(H, std::max(C.Height(), 1));
    }
    // The window cannot be larger than this; what lies beyond is scrolled into it.
    constexpr int MaxWindowExtent = 30000;
    SetBounds(0, 0, std::min(W, MaxWindowExtent), std::min(H, MaxWindowExtent));
    FQorItemSelector->CalcAutoRange();
}

void TCustomItemSelector::SetScrollOffset(TPoint Value)
{
    if (Value == FScrollOffset) return;
    FScrollOffset = Value;
    Invalidate();
}

void TCustomItemSelector::UseCellArea(HDC DC)
{
    SetWindowOrgEx(DC, FScrollOffset.X, FScrollOffset.Y, nullptr);
}

TRect TCustomItemSelector::GetItemRect(int Index)
{
    if (Index < 0 || Index >= Items()->GetCount()) return TRect(-1, -1, -1, -1);
    return Items()->GetItems(Index)->FRect;
}

int TCustomItemSelector::ItemAtPos(int X, int Y)
{
    TSelectorItems* It = Items();
    // Cells are laid out row by row in equal sizes: the row and column give the one candidate.
    if (FCellSize.cx > 0 && FCellSize.cy > 0 && It->GetCount() > 0) {
        const TRect First = It->GetItems(0)->FRect;
        if (X < First.Left || Y < First.Top) return -1;
        const int Columns = std::max(1, FQorItemSelector->GetColumns());
        const int Col = (X - First.Left) / FCellSize.cx, Row = (Y - First.Top) / FCellSize.cy;
        if (Col >= Columns) return -1;
        const Int64 Index = Int64(Row) * Columns + Col;
        if (Index >= It->GetCount()) return -1;
        return It->GetItems(int(Index))->FRect.Contains(TPoint(X, Y)) ? int(Index) : -1;
    }
    for (int I = 0; I < It->GetCount(); ++I)
        if (It->GetItems(I)->FRect.Contains(TPoint(X, Y))) return I;
    return -1;
}

void TCustomItemSelector::InvalidateItem(int Index)
{
    if (!HandleAllocated() || Index < 0 || Index >= Items()->GetCount()) return;
    const TRect R = GetItemRect(Index);
    RECT W{R.Left - FScrollOffset.X, R.Top - FScrollOffset.Y, R.Right - FScrollOffset.X, R.Bottom - FScrollOffset.Y};
    InvalidateRect(GetHandle(), &W, TRUE);
}

void TCustomItemSelector::DrawNow(int Index)
{
    if (!HandleAllocated() || !IsWindowVisible(GetHandle())) return;
    TClientDC DC(GetHandle());
    UseCellArea(DC);
    TCanvas* C = GetCanvas();
    C->SetHandle(DC);
    auto Release = ScopeExit([C] { C->SetHandle(nullptr); });
    DrawItem(Index, C);
}

void TCustomItemSelector::DrawItem(int Index, TCanvas* ACanvas)
{
    TQorCustomItemSelector* H = FQorItemSelector;
    if (!ACanvas || !H || Index < 0 || Index >= Items()->GetCount()) return;
    TSelectorItem* Item = Items()->GetItems(Index);
    TRect R = Item->FRect;
    if (R.Left < 0 && R.Right < 0) return;
    TItemAppearance* A = H->GetItemAppearance();
    TColor Frame = A->BorderColor, Top = A->BorderColorTop, Bottom = A->BorderColorBottom, Edge = A->EdgeColor;
    TColor Fill = clNone, FillTo = clNone, Mir = clNone, MirTo = clNone;
    const bool Hot = Index == FItemHot, Selected = Index == FItemIndex;
    auto Take = [&](TColor C1, TColor C2, TColor M1, TColor M2, TColor B) {
        Fill = C1;
        FillTo = C2;
        Mir = M1;
        MirTo = M2;
        if (B != clNone) {
            Frame = B;
            Top = Bottom = Edge = clNone;
        }
    };
    if (Hot) Take(A->ColorHot, A->ColorHotTo, A->ColorMirrorHot, A->ColorMirrorHotTo, A->BorderColorHot);
    if (Selected)
        Take(A->ColorSelected, A->ColorSelectedTo, A->ColorMirrorSelected, A->ColorMirrorSelectedTo, A->BorderColorSelected);
    const TColor Panel = GetColor();
    if (Hot || Selected) {
        if (Top == clNone) DrawGradientBackGround(ACanvas, R, Fill, FillTo, Frame, 1, gdVertical);
        else QorUtil::DrawSelectionGradient(ACanvas, Fill, FillTo, Mir, MirTo, Top, Bottom, Frame, Edge, Panel, R, QorUtil::gpFull);
    } else {
        ACanvas->GetBrush()->SetStyle(bsSolid);
        ACanvas->GetBrush()->SetColor(Panel);
        ACanvas->FillRect(R);
    }
    if (H->OnDrawItem) {
        H->OnDrawItem(this, ACanvas, R, Index);
        return;
    }
    int IW = 0, IH = 0;
    TGraphic* Pic = Item->GetImage()->GetGraphic();
    const bool HasPic = Pic && !Pic->GetEmpty();
    TCustomImageList* Images = H->GetImages();
    const bool Color = H->GetSelectorType() == stColor;
    const bool HasImage = !Color && !HasPic && Images && Item->GetImageIndex() >= 0;
    if (Color) {
        IW = H->GetColorBoxWidth();
        IH = H->GetColorBoxHeight();
    } else if (HasPic) {
        IW = Pic->GetWidth();
        IH = Pic->GetHeight();
    } else if (HasImage) {
        IW = Images->GetWidth();
        IH = Images->GetHeight();
    }
    TRect TR(R.Left + FItemOffSetX, R.Top + FItemOffSetY, R.Right - FItemOffSetX, R.Bottom - FItemOffSetY);
    TRect IR = TR;
    ACanvas->SetFont(A->GetFont());
    if (Hot) ACanvas->GetFont()->SetColor(A->ColorHotText);
    if (Selected) ACanvas->GetFont()->SetColor(A->ColorSelectedText);
    const TColor Box = Item->GetColor() != clNone ? Item->GetColor() : ACanvas->GetBrush()->GetColor();
    const bool Drawn = Color || HasPic || HasImage;
    auto DrawGraphic = [&](int X, int Y) {
        if (Color) {
            ACanvas->GetPen()->SetColor(clBlack);
            ACanvas->GetBrush()->SetStyle(bsSolid);
            ACanvas->GetBrush()->SetColor(Box);
            ACanvas->Rectangle(X, Y, X + IW, Y + IH);
        } else if (HasPic) {
            ACanvas->Draw(X, Y, Pic);
        } else if (HasImage) {
            Images->Draw(ACanvas, X, Y, Item->GetImageIndex(), Item->GetEnabled());
        }
    };
    const String Caption = Item->GetCaption();
    const HWND Wnd = HandleAllocated() ? GetHandle() : nullptr;
    auto Text = [&](TRect In, bool Centre) {
        ACanvas->GetBrush()->SetStyle(bsClear);
        if (Centre) {
            const TSize S = DrawHTMLEX(ACanvas, Caption, In, Images, false, Wnd);
            if (S.cy < In.Height()) In.Top += (In.Height() - S.cy) / 2;
        }
        const TSize S = DrawHTMLEX(ACanvas, Caption, In, Images, true, Wnd);
        ACanvas->GetBrush()->SetStyle(bsSolid);
        return S;
    };
    const int CentredY = IR.Top + (IR.Height() - IH) / 2;
    switch (H->GetItemLayout()) {
    case ilCaptionLeft:
        if (!Caption.empty()) {
            TR.Right -= IW;
            const TSize S = Text(TR, true);
            IR.Left = TR.Left + S.cx + FCaptionGap;
        }
        DrawGraphic(IR.Left, Color ? IR.Top : CentredY);
        break;
    case ilCaptionRight:
        DrawGraphic(IR.Left, Color ? IR.Top : CentredY);
        if (Drawn) TR.Left = IR.Left + IW + FCaptionGap;
        if (!Caption.empty()) Text(TR, true);
        break;
    case ilCaptionTop:
        if (!Caption.empty()) {
            TR.Bottom -= IH;
            const TSize S = Text(TR, false);
            IR.Top = TR.Top + S.cy + FCaptionGap;
        } else {
            IR.Top += (IR.Height() - IH) / 2;
        }
        IR.Left += (IR.Width() - IW) / 2;
        DrawGraphic(IR.Left, IR.Top);
        break;
    case ilCaptionBottom:
        if (Caption.empty()) IR.Top += (IR.Height() - IH) / 2;
        IR.Left += (IR.Width() - IW) / 2;
        DrawGraphic(IR.Left, IR.Top);
        if (Drawn) TR.Top = IR.Top + IH + FCaptionGap;
        if (!Caption.empty()) Text(TR, false);
        break;
    }
}

void TCustomItemSelector::DrawItems(TCanvas* ACanvas)
{
    TSelectorItems* It = Items();
    if (It->GetCount() == 0 || FCellSize.cy <= 0) {
        for (int I = 0; I < It->GetCount(); ++I) DrawItem(I, ACanvas);
        return;
    }
    // Only the rows that meet the clip box: a large selector paints as fast as a small one.
    RECT Clip;
    if (GetClipBox(ACanvas->GetHandle(), &Clip) == NULLREGION) return;
    const int Columns = std::max(1, FQorItemSelector->GetColumns());
    const int Top = It->GetItems(0)->FRect.Top;
    const int FirstRow = std::max(0, (int(Clip.top) - Top) / FCellSize.cy);
    const int LastRow = std::max(0, (int(Clip.bottom) - Top) / FCellSize.cy);
    const int From = int(std::min<Int64>(It->GetCount(), Int64(FirstRow) * Columns));
    const int To = int(std::min<Int64>(It->GetCount(), (Int64(LastRow) + 1) * Columns));
    for (int I = From; I < To; ++I) DrawItem(I, ACanvas);
}

void TCustomItemSelector::Paint()
{
    inherited::Paint();
    TCanvas* C = GetCanvas();
    TSavedDC Saved(C->GetHandle());
    UseCellArea(C->GetHandle());
    C->GetBrush()->SetColor(GetColor());
    RECT Clip;
    GetClipBox(C->GetHandle(), &Clip);
    C->FillRect(TRect(Clip.left, Clip.top, Clip.right, Clip.bottom));
    DrawItems(C);
}

void TCustomItemSelector::SetItemIndex(int Value)
{
    const int Count = Items()->GetCount();
    // An index past either end selects nothing.
    if (Value < -1 || Value >= Count) Value = -1;
    if (Value >= 0 && !Items()->GetItems(Value)->GetEnabled()) return;
    if (FItemIndex >= 0 && Value != FItemIndex) {
        const int Old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(Old);
    }
    FItemIndex = Value;
    if (Value >= 0) {
        DrawNow(Value);
        if (OnItemSelect) OnItemSelect(this);
    }
}

void TCustomItemSelector::ItemTakenOut(int Index)
{
    auto Follow = [Index](int& I) {
        if (Index < 0 || I == Index) I = -1;
        else if (Index < I) --I;
    };
    Follow(FItemIndex);
    Follow(FItemHot);
}

void TCustomItemSelector::ItemPutIn(int Index)
{
    auto Follow = [Index](int& I) {
        if (I >= 0 && I >= Index) ++I;
    };
    Follow(FItemIndex);
    Follow(FItemHot);
}

void TCustomItemSelector::SetItemHot(int Value)
{
    const int Count = Items()->GetCount();
    if (Value == FItemHot) return;
    if (Value >= 0 && Value < Count && !Items()->GetItems(Value)->GetEnabled()) return;
    if (FItemHot >= 0) {
        const int Old = FItemHot;
        FItemHot = -1;
        InvalidateItem(Old);
    }
    FItemHot = Value;
    if (Value >= 0 && Value < Count) DrawNow(Value);
}

namespace {
bool CanTake(TSelectorItems* Items, int Index)
{
    return Index >= 0 && Index < Items->GetCount() && Items->GetItems(Index)->GetEnabled();
}
}  // namespace

void TCustomItemSelector::SelectFirst()
{
    if (Items()->GetCount() > 0) SetItemIndex(0);
}

void TCustomItemSelector::SelectLast()
{
    if (Items()->GetCount() > 0) SetItemIndex(Items()->GetCount() - 1);
}

void TCustomItemSelector::SelectNext()
{
    const int N = FItemIndex < 0 ? 0 : FItemIndex + 1;
    if (CanTake(Items(), N)) SetItemIndex(N);
}

void TCustomItemSelector::SelectPrevious()
{
    const int N = FItemIndex < 0 ? 0 : FItemIndex - 1;
    if (CanTake(Items(), N)) SetItemIndex(N);
}

void TCustomItemSelector::HotNext()
{
    const int N = FItemHot < 0 ? 0 : FItemHot + 1;
    if (CanTake(Items(), N)) SetItemHot(N);
}

void TCustomItemSelector::HotPrevious()
{
    const int N = FItemHot < 0 ? 0 : FItemHot - 1;
    if (CanTake(Items(), N)) SetItemHot(N);
}

bool TCustomItemSelector::LookupItem(const String& s)
{
    TSelectorItems* It = Items();
    if (It->GetCount() == 0 || s.empty()) return false;
    auto Matches = [&](int I) {
        // Upper-cased as the locale does it, so that "æ" typed finds "Æble" and "ÆRØ" finds "Ærø".
        const String Key = AnsiUpperCase(Trim(JyrHTMLE::HTMLStrip(It->GetItems(I)->GetCaption())));
        return Key.compare(0, s.size(), s) == 0;
    };
    const int Start = FItemIndex < 0 ? 0 : FItemIndex;
    for (int I = Start; I < It->GetCount(); ++I)
        if (I != FItemIndex && Matches(I)) {
            SetItemIndex(I);
            return true;
        }
    if (Start > 0)
        for (int I = 0; I < It->GetCount(); ++I)
            if (Matches(I)) {
                SetItemIndex(I);
                return true;
            }
    return false;
}

void TCustomItemSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    const int I = ItemAtPos(X + FScrollOffset.X, Y + FScrollOffset.Y);
    if (CanTake(Items(), I)) SetItemIndex(I);
}

void TCustomItemSelector::MouseMove(TShiftState Shift, int X, int Y)
{
    inherited::MouseMove(Shift, X, Y);
    const int I = ItemAtPos(X + FScrollOffset.X, Y + FScrollOffset.Y);
    if (I < 0) {
        SetItemHot(-1);
        return;
    }
    if (I == FItemHot) return;
    TSelectorItem* Item = Items()->GetItems(I);
    if (!Item->GetEnabled()) {
        SetItemHot(-1);
        return;
    }
    SetItemHot(I);
    SetHint(Item->GetHint());
    if (Application) Application->CancelHint();
}

void TCustomItemSelector::Dispatch(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (Message.Msg == CM_MOUSELEAVE) SetItemHot(-1);
}

// ---- the host -------------------------------------------------------------------------------------

TQorCustomItemSelector::TQorCustomItemSelector(TComponent* AOwner)
    : TScrollingWinControl(AOwner),
      FItems(Create<TSelectorItems>(this)),
      FItemAppearance(Create<TItemAppearance>(this))
{
    FItems->OnChange = [this](TObject*) { LayoutLater(); };
    FItemAppearance->OnChange = [](TObject*) {};
    SetColor(clWindow);
    SetAutoScroll(true);
    GetVertScrollBar()->SetTracking(true);
    CreateSelectorPanel();
    UpdateSelectorPanel();
}

TQorCustomItemSelector::~TQorCustomItemSelector()
{
    FItems->Free();
    FItemAppearance->Free();
}

void TQorCustomItemSelector::CreateSelectorPanel()
{
    if (FSelectorPanel) return;
    FSelectorPanel = Create<TCustomItemSelector>(this);
    FSelectorPanel->SetParent(this);
    FSelectorPanel->OnItemSelect = [this](TObject* S) { PanelItemSelect(S); };
}

void TQorCustomItemSelector::PanelItemSelect(TObject*)
{
    if (OnItemSelect) OnItemSelect(this);
}

void TQorCustomItemSelector::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages && !GetComponentState().Contains(csDestroying)) {
        FImages = nullptr;
        UpdateSelectorPanel();
    }
}

void TQorCustomItemSelector::SetItems(TSelectorItems* Value)
{
    FItems->Assign(Value);
}

void TQorCustomItemSelector::SetColumns(int Value)
{
    if (Value <= 0 || Value == FColumns) return;
    FColumns = Value;
    UpdateSelectorPanel();
}

void TQorCustomItemSelector::SetSelectorType(TSelectorType Value)
{
    if (Value == FSelectorType) return;
    FSelectorType = Value;
    UpdateSelectorPanel();
}

void TQorCustomItemSelector::SetColorBoxWidth(int Value)
{
    if (Value == FColorBoxWidth) return;
    FColorBoxWidth = Value;
    UpdateSelectorPanel();
}

void TQorCustomItemSelector::SetColorBoxHeight(int Value)
{
    if (Value == FColorBoxHeight) return;
    FColorBoxHeight = Value;
    UpdateSelectorPanel();
}

void TQorCustomItemSelector::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    UpdateSelectorPanel();
}

namespace {
// Posted to the host when its items changed: the panel is laid out once for a burst of changes.
constexpr UINT CM_SELECTORLAYOUT = WM_APP + 0x3E1;
}  // namespace

void TQorCustomItemSelector::LayoutLater()
{
    if (FLayoutPending) return;
    FLayoutPending = true;
    if (HandleAllocated()) PostMessageW(GetHandle(), CM_SELECTORLAYOUT, 0, 0);
}

void TQorCustomItemSelector::UpdateSelectorPanel()
{
    FLayoutPending = false;
    if (FSelectorPanel) FSelectorPanel->UpdateRectAndSize();
}

void TQorCustomItemSelector::CreateWnd()
{
    inherited::CreateWnd();
    if (FLayoutPending) PostMessageW(GetHandle(), CM_SELECTORLAYOUT, 0, 0);
}

int TQorCustomItemSelector::GetItemIndex() const
{
    return FSelectorPanel ? FSelectorPanel->GetItemIndex() : -1;
}

int TQorCustomItemSelector::GetItemHot() const
{
    return FSelectorPanel ? FSelectorPanel->GetItemHot() : -1;
}

void TQorCustomItemSelector::SetItemIndex(int Value)
{
    if (!FSelectorPanel) return;
    FSelectorPanel->SetItemIndex(Value);
    ScrollItemInView(FSelectorPanel->GetItemIndex());
}

#define QOR_SELECTOR_STEP(Name, Field)                 \
    void TQorCustomItemSelector::Name()                 \
    {                                                   \
        if (!FSelectorPanel) return;                    \
        FSelectorPanel->Name();                         \
        ScrollItemInView(FSelectorPanel->Field());      \
    }
QOR_SELECTOR_STEP(SelectFirst, GetItemIndex)
QOR_SELECTOR_STEP(SelectLast, GetItemIndex)
QOR_SELECTOR_STEP(SelectNext, GetItemIndex)
QOR_SELECTOR_STEP(SelectPrevious, GetItemIndex)
QOR_SELECTOR_STEP(HotNext, GetItemHot)
QOR_SELECTOR_STEP(HotPrevious, GetItemHot)
#undef QOR_SELECTOR_STEP

bool TQorCustomItemSelector::LookupItem(const String& s)
{
    if (!FSelectorPanel) return false;
    const bool Found = FSelectorPanel->LookupItem(s);
    if (Found) ScrollItemInView(FSelectorPanel->GetItemIndex());
    return Found;
}

void TQorCustomItemSelector::ScrollItemInView(int Index)
{
    if (!FSelectorPanel || Index < 0 || Index >= FItems->GetCount()) return;
    TControlScrollBar* VB = GetVertScrollBar();
    if (!VB->IsScrollBarVisible()) return;
    TRect R = FSelectorPanel->GetItemRect(Index);
    R.Top -= VB->GetMargin();
    R.Bottom += VB->GetMargin();
    R.Top -= FSelectorPanel->GetScrollOffset().Y;
    R.Bottom -= FSelectorPanel->GetScrollOffset().Y;
    const int CH = GetClientHeight();
    if (R.Top < 0) {
        VB->SetPosition(VB->GetPosition() + R.Top);
    } else if (R.Bottom > CH) {
        if (R.Height() > CH) R.Bottom = CH + R.Top;
        VB->SetPosition(VB->GetPosition() + R.Bottom - CH);
    }
}

int TQorCustomItemSelector::GetVisibleItemCount()
{
    if (!FSelectorPanel || FItems->GetCount() == 0) return 0;
    const int CellH = FSelectorPanel->GetItemRect(0).Height();
    // Before the first layout the cells have no height: no item is visible.
    if (CellH <= 0) return 0;
    const int H = GetHeight() - (GetHorzScrollBar()->IsScrollBarVisible() ? 20 : 0);
    return H / CellH * FColumns;
}

TSize TQorCustomItemSelector::GetItemPanelSize()
{
    if (!FSelectorPanel) return {100, 50};
    return FSelectorPanel->GetPanelSize();
}

void TQorCustomItemSelector::CalcAutoRange()
{
    if (!FSelectorPanel || !GetAutoScroll()) return;
    GetHorzScrollBar()->SetRange(FSelectorPanel->GetPanelSize().cx);
    GetVertScrollBar()->SetRange(FSelectorPanel->GetPanelSize().cy);
}

void TQorCustomItemSelector::ScrollBy(int, int)
{
    if (FSelectorPanel)
        FSelectorPanel->SetScrollOffset(TPoint(GetHorzScrollBar()->GetPosition(), GetVertScrollBar()->GetPosition()));
}

void TQorCustomItemSelector::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS; break;
    case CM_SELECTORLAYOUT:
        if (FLayoutPending) UpdateSelectorPanel();
        break;
    case WM_SIZE:
        inherited::Dispatch(Message);
        if (FSelectorPanel) FSelectorPanel->FitWindow();
        break;
    default: inherited::Dispatch(Message);
    }
}

void TSelectorItem::RegisterProperties(TPropertyTable& Table)
{
    using T = TSelectorItem;
    Table.Add(L"Caption", &T::GetCaption, &T::SetCaption);
    Table.AddColor(L"Color", &T::GetColor, &T::SetColor, clNone);
    Table.Add(L"ImageIndex", &T::GetImageIndex, &T::SetImageIndex, -1);
    Table.Add(L"Image", &T::GetImage, &T::SetImage);
    Table.Add(L"Hint", &T::GetHint, &T::SetHint);
}

void TItemAppearance::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Font", &TItemAppearance::GetFont, &TItemAppearance::SetFont);
}

void TQorCustomItemSelector::RegisterProperties(TPropertyTable& Table)
{
    using T = TQorCustomItemSelector;
    Table.Add(L"Items", &T::GetItems, &T::SetItems);
    Table.Add(L"Columns", &T::GetColumns, &T::SetColumns, 1);
    Table.Add(L"ItemLayout", &T::GetItemLayout, &T::SetItemLayout, ilCaptionRight);
    Table.Add(L"SelectorType", &T::GetSelectorType, &T::SetSelectorType, stImage);
    Table.Add(L"ColorBoxWidth", &T::GetColorBoxWidth, &T::SetColorBoxWidth, 14);
    Table.Add(L"ColorBoxHeight", &T::GetColorBoxHeight, &T::SetColorBoxHeight, 14);
    Table.Add(L"Images", &T::GetImages, &T::SetImages);
    Table.Add(L"ItemAppearance", &T::GetItemAppearance, &T::SetItemAppearance);
    Table.Add(L"ItemIndex", &T::GetItemIndex, &T::SetItemIndex, -1);
    Table.AddEvent(L"OnItemSelect", &T::OnItemSelect);
}
