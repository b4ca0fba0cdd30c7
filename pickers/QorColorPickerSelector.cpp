// The discrete colour selector: boxes, layout, painting, selection, mouse and keys.
#include "pickers/QorColorPickerSelector.h"

#include "framework/TypInfo.h"

#include <algorithm>

namespace {

// The default palette: ten theme colours, then five rows of shades joined under each of them.
constexpr int PaletteColumns = 10;
constexpr unsigned PaletteColors[6][PaletteColumns] = {
    {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7},
    {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD},
    {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB},
    {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA},
    {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3},
    {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897},
};
constexpr TItemPos PaletteRowPos[6] = {ipStandAlone, ipTop, ipMiddle, ipMiddle, ipMiddle, ipBottom};


} // namespace

// ---- boxes --------------------------------------------------------------------------------------

void TColorBoxItem::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    Changed(false);
}

void TColorBoxItem::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TColorBoxItem*>(Source);
    if (!S) {
        inherited::Assign(Source);
        return;
    }
    FColor = S->FColor;
    FEnabled = S->FEnabled;
    FColorBoxPos = S->FColorBoxPos;
}

TColorBoxItems::TColorBoxItems(TPersistent* AOwner)
    : TCollection(TCollection::ItemClass<TColorBoxItem>()), FOwner(AOwner)
{
}

void TColorBoxAppearance::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TColorBoxAppearance*>(Source);
    if (!S) {
        inherited::Assign(Source);
        return;
    }
    FBorderColor = S->FBorderColor;
    FOuterBorderColorHot = S->FOuterBorderColorHot;
    FInnerBorderColorHot = S->FInnerBorderColorHot;
    FOuterBorderColorSelected = S->FOuterBorderColorSelected;
    FInnerBorderColorSelected = S->FInnerBorderColorSelected;
}

void TColorBoxAppearance::SetDefaults()
{
    FBorderColor = DefaultBorderColor;
    FOuterBorderColorHot = DefaultOuterBorderColorHot;
    FInnerBorderColorHot = DefaultInnerBorderColorHot;
    FOuterBorderColorSelected = DefaultOuterBorderColorSelected;
    FInnerBorderColorSelected = DefaultInnerBorderColorSelected;
}

// ---- the selector -------------------------------------------------------------------------------

TCustomColorSelector::TCustomColorSelector(TComponent* AOwner)
    : TQorCustomColorSelectorPanel(AOwner), FColorBoxAppearance(Create<TColorBoxAppearance>()),
      FItems(Create<TColorBoxItems>(this))
{
    SetParentColor(true);
    FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
}

TCustomColorSelector::~TCustomColorSelector()
{
    FItems->OnChange = nullptr;
}

void TCustomColorSelector::Dispatch(TMessage& Message)
{
    // The arrows and pages step through the boxes (the picker hands them on), not the focus.
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return;
    }
    inherited::Dispatch(Message);
    if (Message.Msg == CM_MOUSELEAVE) SetItemHot(-1);
}

void TCustomColorSelector::ItemsChanged(TObject*)
{
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    if (FItemHot >= FItems->Count()) FItemHot = -1;
    UpdateRectAndSize();
    Invalidate();
}

TRect TCustomColorSelector::GetInnerRect()
{
    const TRect R = GetClientRect();
    return TRect(R.Left + FOffSetX, R.Top + FOffSetY, R.Right - FOffSetX, R.Bottom - FOffSetY);
}

TSize TCustomColorSelector::GetItemSize()
{
    return TSize(FColorBoxWidth, FColorBoxHeight);
}

void TCustomColorSelector::UpdateRectAndSize()
{
    if (FItems->Count() == 0) {
        SetBounds(GetLeft(), GetTop(), 100, 50);
        return;
    }
    FItemHot = -1;
    const TSize Size = GetItemSize();
    const TRect R = GetInnerRect();
    const int Columns = std::max(1, FColumns);
    int X = R.Left, Y = R.Top, Widest = R.Left;
    bool GapRow = false;
    const int Last = FItems->Count() - 1;
    for (int I = 0; I <= Last; ++I) {
        TColorBoxItem* Item = FItems->GetItem(I);
        Item->SetRect(TRect(X, Y, X + Size.cx, Y + Size.cy));
        // The last box counts for the width too: a palette of one short row is as wide as it.
        Widest = std::max(Widest, X);
        if (I == Last) break;
        if (Item->GetColorBoxPos() == ipStandAlone) GapRow = true;
        if ((I + 1) % Columns == 0) {
            X = R.Left;
            Y += GapRow ? Size.cy + FColumnGap : Size.cy;
            GapRow = false;
        } else {
            X += Size.cx + FColumnGap;
        }
    }
    SetBounds(GetLeft(), GetTop(), Widest + Size.cx + R.Left + 1, Y + Size.cy + R.Top);
}

TRect TCustomColorSelector::GetItemRect(int Index)
{
    return Valid(Index) ? FItems->GetItem(Index)->GetRect() : TRect(-1, -1, -1, -1);
}

int TCustomColorSelector::ItemAtPos(int X, int Y)
{
    for (int I = 0; I < FItems->Count(); ++I)
        if (FItems->GetItem(I)->GetRect().Contains(TPoint(X, Y))) return I;
    return -1;
}

int TCustomColorSelector::EnabledItemAt(int X, int Y)
{
    const int I = ItemAtPos(X, Y);
    return Enabled(I) ? I : -1;
}

void TCustomColorSelector::InvalidateItem(int Index)
{
    if (!Valid(Index) || !HandleAllocated()) return;
    const TRect R = FItems->GetItem(Index)->GetRect();
    // The border lines stand on the right and bottom edges, one pixel past the box.
    RECT W{R.Left, R.Top, R.Right + 1, R.Bottom + 2};
    InvalidateRect(GetHandle(), &W, TRUE);
}

void TCustomColorSelector::DrawItem(int Index, TCanvas* Canvas)
{
    if (!Valid(Index) || !Canvas) return;
    TColorBoxItem* Item = FItems->GetItem(Index);
    TRect R = Item->GetRect();
    if (R.IsEmpty()) return;
    TColorBoxAppearance* A = FColorBoxAppearance.get();
    TColor Outer = A->GetBorderColor(), Inner = clNone;
    const bool Selected = Index == FItemIndex, Hot = Index == FItemHot;
    if (Selected) {
        Outer = A->GetOuterBorderColorSelected();
        Inner = A->GetInnerBorderColorSelected();
    } else if (Hot) {
        Outer = A->GetOuterBorderColorHot();
        Inner = A->GetInnerBorderColorHot();
    }
    if (Item->GetColor() != clNone) {
        Canvas->GetPen()->SetColor(Item->GetColor());
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(Item->GetColor());
        Canvas->Rectangle(R);
    }
    if (Selected || Hot) {
        Canvas->GetBrush()->SetStyle(bsClear);
        if (Outer != clNone) {
            Canvas->GetPen()->SetColor(Outer);
            Canvas->Rectangle(R);
        }
        R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
        if (Inner != clNone) {
            Canvas->GetPen()->SetColor(Inner);
            Canvas->Rectangle(R);
        }
        return;
    }
    Canvas->GetPen()->SetColor(A->GetBorderColor());
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    switch (Item->GetColorBoxPos()) {
    case ipStandAlone: Canvas->Polyline({{L, B}, {L, T}, {Rt, T}, {Rt, B}, {L, B}}); break;
    case ipTop: Canvas->Polyline({{L, B}, {L, T}, {Rt, T}, {Rt, B}}); break;
    case ipMiddle:
        Canvas->Polyline({{L, T}, {L, B}});
        Canvas->Polyline({{Rt, T}, {Rt, B}});
        break;
    case ipBottom:
        Canvas->Polyline({{L, T}, {L, B}, {Rt, B}});
        Canvas->Polyline({{Rt, T}, {Rt, B + 1}});
        break;
    }
}

void TCustomColorSelector::DrawItems(TCanvas* Canvas)
{
    for (int I = 0; I < FItems->Count(); ++I) DrawItem(I, Canvas);
}

void TCustomColorSelector::Paint()
{
    inherited::Paint();
    DrawItems(GetCanvas());
}

// ---- selection ----------------------------------------------------------------------------------

void TCustomColorSelector::SetItemIndex(int Index)
{
    if (Index >= FItems->Count()) return;
    if (Index < 0) Index = -1;
    if (Index >= 0 && !Enabled(Index)) return;
    const int Old = FItemIndex;
    FItemIndex = Index;
    if (Old >= 0 && Old != Index) InvalidateItem(Old);
    if (Index < 0) return;
    FSelectedColor = FItems->GetItem(Index)->GetColor();
    if (HandleAllocated()) DrawItem(Index, GetCanvas());
    if (OnItemSelect) OnItemSelect(this);
}

void TCustomColorSelector::SetItemHot(int Index)
{
    if (!Valid(Index)) Index = -1;
    if (Index == FItemHot || (Index >= 0 && !Enabled(Index))) return;
    const int Old = FItemHot;
    FItemHot = Index;
    InvalidateItem(Old);
    if (Index >= 0 && HandleAllocated()) DrawItem(Index, GetCanvas());
}

void TCustomColorSelector::SelectFirst()
{
    if (FItems->Count() > 0) SetItemIndex(0);
}

void TCustomColorSelector::SelectLast()
{
    if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}

void TCustomColorSelector::SelectNext()
{
    if (Valid(FItemIndex + 1)) SetItemIndex(FItemIndex + 1);
}

void TCustomColorSelector::SelectPrevious()
{
    if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}

void TCustomColorSelector::HotNext()
{
    if (Valid(FItemHot + 1)) SetItemHot(FItemHot + 1);
}

void TCustomColorSelector::HotPrevious()
{
    if (FItemHot - 1 >= 0) SetItemHot(FItemHot - 1);
}

void TCustomColorSelector::HandleKey(Word Key, bool EditorEnabled, bool DroppedDown)
{
    if (!GetEnabled() || Key < VK_PRIOR || Key > VK_DOWN) return;
    const bool Sideways = !EditorEnabled || DroppedDown;
    auto Step = [this](int Delta) {
        const int Target = FItemIndex < 0 ? 0 : FItemIndex + Delta;
        if (Valid(Target)) SetItemIndex(Target);
    };
    switch (Key) {
    case VK_PRIOR:
    case VK_HOME: SelectFirst(); break;
    case VK_NEXT:
    case VK_END: SelectLast(); break;
    case VK_LEFT:
        if (Sideways) SelectPrevious();
        break;
    case VK_RIGHT:
        if (Sideways) SelectNext();
        break;
    case VK_UP:
        if (DroppedDown) Step(-FColumns);
        else SelectPrevious();
        break;
    case VK_DOWN:
        if (DroppedDown) Step(FColumns);
        else SelectNext();
        break;
    default: break;
    }
}

void TCustomColorSelector::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor) return;
    FSelectedColor = Value;
    if (Value == clNone) SetItemIndex(-1);
    for (int I = 0; I < FItems->Count(); ++I)
        if (FItems->GetItem(I)->GetColor() == Value) {
            SetItemIndex(I);
            return;
        }
    SetItemIndex(-1);
}

void TCustomColorSelector::CreateDefaultColors()
{
    FItemIndex = -1;
    FItemHot = -1;
    FItems->BeginUpdate();
    FItems->Clear();
    for (int Row = 0; Row < 6; ++Row)
        for (int Col = 0; Col < PaletteColumns; ++Col) {
            TColorBoxItem* Item = FItems->Add();
            Item->SetColor(TColor(PaletteColors[Row][Col]));
            Item->SetColorBoxPos(PaletteRowPos[Row]);
        }
    FItems->EndUpdate();
}

// ---- settings -----------------------------------------------------------------------------------

void TCustomColorSelector::SetColumns(int Value)
{
    if (FColumns == Value) return;
    FColumns = Value;
    UpdateRectAndSize();
}

void TCustomColorSelector::SetColumnGap(int Value)
{
    if (FColumnGap == Value) return;
    FColumnGap = Value;
    UpdateRectAndSize();
}

void TCustomColorSelector::SetColorBoxWidth(int Value)
{
    if (FColorBoxWidth == Value) return;
    FColorBoxWidth = Value;
    UpdateRectAndSize();
}

void TCustomColorSelector::SetColorBoxHeight(int Value)
{
    if (FColorBoxHeight == Value) return;
    FColorBoxHeight = Value;
    UpdateRectAndSize();
}

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle Value)
{
    if (FItemColorStyle == Value) return;
    FItemColorStyle = Value;
    if (Value != scCustom) FColorBoxAppearance->SetDefaults();
}

// ---- mouse --------------------------------------------------------------------------------------

void TCustomColorSelector::MouseMove(TShiftState Shift, int X, int Y)
{
    inherited::MouseMove(Shift, X, Y);
    SetItemHot(EnabledItemAt(X, Y));
}

void TCustomColorSelector::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const int Index = EnabledItemAt(X, Y);
    if (Index >= 0) SetItemIndex(Index);
    inherited::MouseUp(Button, Shift, X, Y);
}

// ---- registration -------------------------------------------------------------------------------

void TColorBoxItem::RegisterProperties(TPropertyTable& Table)
{
    Table.AddColor(L"Color", &TColorBoxItem::GetColor, &TColorBoxItem::SetColor, clNone);
    Table.Add(L"ColorBoxPos", &TColorBoxItem::GetColorBoxPos, &TColorBoxItem::SetColorBoxPos, ipStandAlone);
}

void TColorBoxAppearance::RegisterProperties(TPropertyTable& Table)
{
    using T = TColorBoxAppearance;
    Table.AddColor(L"BorderColor", &T::GetBorderColor, &T::SetBorderColor, DefaultBorderColor);
    Table.AddColor(L"OuterBorderColorHot", &T::GetOuterBorderColorHot, &T::SetOuterBorderColorHot,
                   DefaultOuterBorderColorHot);
    Table.AddColor(L"InnerBorderColorHot", &T::GetInnerBorderColorHot, &T::SetInnerBorderColorHot,
                   DefaultInnerBorderColorHot);
    Table.AddColor(L"OuterBorderColorSelected", &T::GetOuterBorderColorSelected,
                   &T::SetOuterBorderColorSelected, DefaultOuterBorderColorSelected);
    Table.AddColor(L"InnerBorderColorSelected", &T::GetInnerBorderColorSelected,
                   &T::SetInnerBorderColorSelected, DefaultInnerBorderColorSelected);
}

void RegisterQorColorSelectorClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterQorDropDownClasses();
    if (!IdentTableOf(typeid(TItemPos)))
        RegisterEnumIdents<TItemPos>(L"TItemPos", {{ipStandAlone, L"ipStandAlone"}, {ipTop, L"ipTop"},
                                                   {ipMiddle, L"ipMiddle"}, {ipBottom, L"ipBottom"}});
    RegisterClasses<TColorBoxItem, TColorBoxItems, TColorBoxAppearance>();
}
