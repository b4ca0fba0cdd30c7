// QorListPickerDropDown: the list, keys, wheel and type-ahead the list pickers share.
#include "pickers/QorListPickerDropDown.h"

#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"

#include <algorithm>

namespace {
constexpr unsigned KeyTimerInterval = 500;
constexpr int ListHeight = 150;
}  // namespace

TQorListPickerDropDown::TQorListPickerDropDown(TComponent* AOwner)
    : TQorCustomDropDown(AOwner), FItemAppearance(Create<TItemAppearance>(this)), FKeyTimer(Create<TTimer>(nullptr))
{
    SetAutoSize(false);
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetCursor(crArrow);
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetInterval(KeyTimerInterval);
    FKeyTimer->OnTimer = [this](TObject* S) { KeyTimerOnTime(S); };
}

TQorListPickerDropDown::~TQorListPickerDropDown()
{
    FKeyTimer->SetEnabled(false);
    FKeyTimer->Free();
    FItemAppearance->Free();
}

// ---- the list ---------------------------------------------------------------------------------------

void TQorListPickerDropDown::CreateItemList(TSelectorType AType)
{
    if (FItemSelector) return;
    FItemSelector = Create<TQorCustomItemSelector>(this);
    FItemSelector->SetParent(GetDropDownForm());
    FItemSelector->SetSelectorType(AType);
    FItemSelector->SetBounds(0, 0, FItemSelector->GetWidth(), ListHeight);
}

void TQorListPickerDropDown::SetSelectorProperties()
{
    if (!FItemSelector) return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(FColumns);
    FItemSelector->SetImages(GetImages());
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(GetDropDownColor());
    AssignedItemsToItemSelector();
    SetSelectorTypeProperties();
    FItemSelector->SetItemAppearance(FItemAppearance);
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](TObject* S) { OnSelectorItemSelect(S); };
    FItemSelector->SetShowHint(GetShowHint());
}

void TQorListPickerDropDown::RefreshListWhenStale()
{
    if (FItemSelector && FItemSelector->GetItems()->GetCount() != EntryCount()) SetSelectorProperties();
}

void TQorListPickerDropDown::PrepareList()
{
    SetSelectorProperties();
    if (FItemSelector) FItemSelector->OnDrawItem = ItemDrawEvent();
    FOldItemIndex = FItemIndex;
}

void TQorListPickerDropDown::OnSelectorItemSelect(TObject*)
{
    SetItemIndex(FItemSelector->GetItemIndex());
    if (!FInternalCall) DoHideDropDown(false);
}

void TQorListPickerDropDown::SizePopupToList(int ExtraPanel)
{
    TDropDownForm* Form = GetDropDownForm();
    if (!Form || !FItemSelector) return;
    FItemSelector->SetAlign(alNone);
    const TSize Panel = FItemSelector->GetItemPanelSize();
    int LW = FItemSelector->GetWidth(), LH = FItemSelector->GetHeight();
    if (GetDropDownWidth() < 1) LW = Panel.cx + ExtraPanel;
    if (GetDropDownHeight() < 1) LH = Panel.cy + ExtraPanel;
    FItemSelector->SetBounds(0, 0, LW, LH);
    const int Border = GetDropDownBorderWidth();
    int Bands = 0;
    if (GetDropDownHeader()->GetVisible()) Bands += GetDropDownHeader()->GetHeight();
    if (GetDropDownFooter()->GetVisible()) Bands += GetDropDownFooter()->GetHeight();
    int W = GetDropDownWidth() > 0 ? GetDropDownWidth() : LW;
    const int H = GetDropDownHeight() > 0 ? GetDropDownHeight() : 2 * Border + Bands + LH;
    // The list shows a vertical scroll bar when its panel is taller than the room it gets.
    if (Panel.cy + ExtraPanel > H - 2 * Border - Bands) W += GetSystemMetrics(SM_CXVSCROLL);
    Form->SetBounds(Form->GetLeft(), Form->GetTop(), W, H);
}

void TQorListPickerDropDown::SizePopupToControl(TControl* Control)
{
    TDropDownForm* Form = GetDropDownForm();
    if (!Form) return;
    const int Border = GetDropDownBorderWidth();
    int H = 2 * Border;
    if (GetDropDownHeader()->GetVisible()) H += GetDropDownHeader()->GetHeight();
    if (GetDropDownFooter()->GetVisible()) H += GetDropDownFooter()->GetHeight();
    int W = GetWidth();
    if (Control && Control->GetVisible()) {
        W = Control->GetWidth() + 2 * Border;
        H += Control->GetHeight();
    }
    Form->SetBounds(Form->GetLeft(), Form->GetTop(), W, H);
}

void TQorListPickerDropDown::SetColumns(int Value)
{
    if (Value == FColumns) return;
    FColumns = Value;
    ResetDropSize();
}

void TQorListPickerDropDown::SetLayout(TItemLayout Value)
{
    if (Value == FLayout) return;
    FLayout = Value;
    ResetDropSize();
}

// ---- selection ----------------------------------------------------------------------------------

void TQorListPickerDropDown::SelectFirst()
{
    if (EntryCount() > 0) SetItemIndex(0);
}

void TQorListPickerDropDown::SelectLast()
{
    if (EntryCount() > 0) SetItemIndex(EntryCount() - 1);
}

void TQorListPickerDropDown::SelectNext()
{
    const int N = FItemIndex < 0 ? 0 : FItemIndex + 1;
    if (N < EntryCount()) SetItemIndex(N);
}

void TQorListPickerDropDown::SelectPrevious()
{
    const int N = FItemIndex < 0 ? 0 : FItemIndex - 1;
    if (N >= 0 && N < EntryCount()) SetItemIndex(N);
}

void TQorListPickerDropDown::ForgetStaleIndex()
{
    if (FItemIndex < EntryCount()) return;
    FItemIndex = -1;
    Invalidate();
}

void TQorListPickerDropDown::FireSelect()
{
    if (OnSelect) OnSelect(this);
}

// ---- keys -----------------------------------------------------------------------------------------

bool TQorListPickerDropDown::TakeHotItem(Word Key)
{
    if (Key != VK_RETURN || !ListShown() || !FItemSelector) return false;
    const int Hot = FItemSelector->GetItemHot();
    if (Hot < 0) return false;
    FItemSelector->SetItemIndex(Hot);
    return true;
}

void TQorListPickerDropDown::WMKeyDown(TMessage& Message)
{
    const Word Key = Word(Message.WParam);
    const bool NewSelection = GetEnabled() && GetDroppedDown() && TakeHotItem(Key);
    inherited::WMKeyDown(Message);
    if (AltDown()) return;
    PickerKey(Key, NewSelection);
}

void TQorListPickerDropDown::PickerKey(Word Key, bool NewSelection)
{
    if (ListShown()) ListKey(Key, NewSelection);
}

void TQorListPickerDropDown::ListKey(Word Key, bool NewSelection)
{
    if (!FItemSelector) return;
    TValueScope<bool> Internal(FInternalCall, true);
    const bool Dropped = GetDroppedDown();
    TQorCustomItemSelector* L = FItemSelector;
    switch (Key) {
    case VK_RETURN:
        if (!NewSelection) FireSelect();
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        RefreshListWhenStale();
        const int N = L->GetVisibleItemCount();
        if (N <= 0) break;
        const int I = L->GetItemIndex();
        const int To = Key == VK_PRIOR ? std::max(I - N, 0) : std::min(I + N, EntryCount() - 1);
        L->SetItemIndex(To);
        L->ScrollItemInView(To);
        break;
    }
    case VK_HOME:
    case VK_END:
        if (Dropped) {
            if (Key == VK_HOME) L->SelectFirst();
            else L->SelectLast();
        } else if (Key == VK_HOME) {
            SelectFirst();
        } else {
            SelectLast();
        }
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (Dropped && !GetEditorEnabled()) {
            if (Key == VK_LEFT) L->SelectPrevious();
            else L->SelectNext();
        }
        break;
    case VK_UP:
    case VK_DOWN:
        if (Dropped) {
            const int I = L->GetItemIndex();
            const int Step = Key == VK_UP ? -L->GetColumns() : L->GetColumns();
            const int To = I < 0 ? 0 : I + Step;
            if (To >= 0 && To < L->GetItems()->GetCount()) L->SetItemIndex(To);
        } else if (Key == VK_UP) {
            SelectPrevious();
        } else {
            SelectNext();
        }
        break;
    default: break;
    }
}

void TQorListPickerDropDown::WMChar(TMessage& Message)
{
    const Char Ch = Char(Message.WParam);
    inherited::WMChar(Message);
    // Control characters (Enter, Esc, Backspace, Tab, Ctrl with a letter) type nothing to look up.
    if (Ch >= L' ' && !CtrlDown() && !AltDown() && ListShown()) TypeAhead(Ch);
}

void TQorListPickerDropDown::TypeAhead(Char Ch)
{
    if (!FItemSelector) return;
    RefreshListWhenStale();
    FCurSearch += AnsiUpperCase(String(1, Ch));
    {
        TValueScope<bool> Internal(FInternalCall, true);
        FItemSelector->LookupItem(FCurSearch);
    }
    FKeyTimer->SetEnabled(true);
}

void TQorListPickerDropDown::KeyTimerOnTime(TObject*)
{
    FKeyTimer->SetEnabled(false);
    FCurSearch.clear();
}

// ---- wheel and closing -----------------------------------------------------------------------------

void TQorListPickerDropDown::HandleMouseWheelDown()
{
    inherited::HandleMouseWheelDown();
    if (!GetEnabled() || GetReadOnly() || !ListShown() || !FItemSelector) return;
    if (GetDroppedDown()) {
        FItemSelector->HotNext();
        return;
    }
    RefreshListWhenStale();
    TValueScope<bool> Internal(FInternalCall, true);
    FItemSelector->SelectNext();
}

void TQorListPickerDropDown::HandleMouseWheelUp()
{
    inherited::HandleMouseWheelUp();
    if (!GetEnabled() || GetReadOnly() || !ListShown() || !FItemSelector) return;
    if (GetDroppedDown()) {
        FItemSelector->HotPrevious();
        return;
    }
    RefreshListWhenStale();
    TValueScope<bool> Internal(FInternalCall, true);
    FItemSelector->SelectPrevious();
}

void TQorListPickerDropDown::DoHideDropDown(bool Cancelled)
{
    // Esc in a closed edit reaches here too: only a popup that was open restores anything.
    const bool WasOpen = GetDropDownForm() && GetDropDownForm()->GetVisible();
    inherited::DoHideDropDown(Cancelled);
    if (WasOpen && Cancelled) RestoreOnCancel();
}

void TQorListPickerDropDown::RestoreOnCancel()
{
    if (ListShown() && FItemIndex != FOldItemIndex) SetItemIndex(FOldItemIndex);
}

void TQorListPickerDropDown::OnDropDownFormMouseWheelDown(TObject* Sender, TShiftState Shift, TPoint MousePos,
                                                          bool& Handled)
{
    inherited::OnDropDownFormMouseWheelDown(Sender, Shift, MousePos, Handled);
    // Taken here: the notch must not travel on to the popup's window and be taken twice.
    Handled = true;
}

void TQorListPickerDropDown::OnDropDownFormMouseWheelUp(TObject* Sender, TShiftState Shift, TPoint MousePos,
                                                        bool& Handled)
{
    inherited::OnDropDownFormMouseWheelUp(Sender, Shift, MousePos, Handled);
    Handled = true;
}

// ---- looks ----------------------------------------------------------------------------------------

void TQorListPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    inherited::SetSelectionColorStyle(Value);
    FItemAppearance->SetColorStyle(Value);
}

void TQorListPickerDropDown::SetComponentStyle(QorStyleIF::TJOQStyle AStyle)
{
    inherited::SetComponentStyle(AStyle);
    SetAppearanceStyle(FItemAppearance, AStyle);
}

void TQorListPickerDropDown::RegisterProperties(TPropertyTable& Table)
{
    using T = TQorListPickerDropDown;
    TQorDropDown::RegisterProperties(Table);
    Table.Add(L"Columns", &T::GetColumns, &T::SetColumns, 1);
    Table.Add(L"Layout", &T::GetLayout, &T::SetLayout, ilCaptionRight);
    Table.Add(L"ItemIndex", &T::GetItemIndex, &T::SetItemIndex, -1);
    Table.Add(L"ItemAppearance", &T::GetItemAppearance, &T::SetItemAppearance);
    Table.AddEvent(L"OnSelect", &T::OnSelect);
}
