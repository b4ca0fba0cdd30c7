// CheckLst: the check list box, owner-drawn over the platform's list box.
#include "CheckLst.h"

#include "TypInfo.h"

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner)
{
    FStyle = lbOwnerDrawFixed;
}

int TCheckListBox::CheckWidth() const
{
    return 16;
}

TCheckListBox::TItemState& TCheckListBox::Item(int Index)
{
    if (Index < 0 || Index >= Count())
        throw EListError(Consts::SListIndexError, {Index});
    if (FStates.size() < size_t(Count())) FStates.resize(size_t(Count()));
    return FStates[size_t(Index)];
}

bool TCheckListBox::GetChecked(int Index)
{
    return Item(Index).State != cbUnchecked;
}

void TCheckListBox::SetChecked(int Index, bool Value)
{
    SetState(Index, Value ? cbChecked : cbUnchecked);
}

TCheckBoxState TCheckListBox::GetState(int Index)
{
    return Item(Index).State;
}

void TCheckListBox::SetState(int Index, TCheckBoxState Value)
{
    TItemState& S = Item(Index);
    if (S.State == Value) return;
    S.State = Value;
    if (FHandle) {
        TRect R = ItemRect(Index);
        RECT WR{R.Left, R.Top, R.Right, R.Bottom};
        InvalidateRect(FHandle, &WR, FALSE);
    }
}

bool TCheckListBox::GetItemEnabled(int Index)
{
    return Item(Index).Enabled;
}

void TCheckListBox::SetItemEnabled(int Index, bool Value)
{
    TItemState& S = Item(Index);
    if (S.Enabled == Value) return;
    S.Enabled = Value;
    if (FHandle) InvalidateRect(FHandle, nullptr, FALSE);
}

void TCheckListBox::CheckAll(TCheckBoxState AState, bool AllowGrayed, bool AllowDisabled)
{
    for (int I = 0; I < Count(); ++I) {
        TItemState& S = Item(I);
        if ((AllowGrayed || S.State != cbGrayed) && (AllowDisabled || S.Enabled)) SetState(I, AState);
    }
}

void TCheckListBox::ClickCheck()
{
    if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::ToggleClickCheck(int Index)
{
    if (Index < 0 || Index >= Count() || !GetEnabled() || !Item(Index).Enabled) return;
    TCheckBoxState S = Item(Index).State;
    switch (S) {
    case cbUnchecked: S = FAllowGrayed ? cbGrayed : cbChecked; break;
    case cbGrayed: S = cbChecked; break;
    default: S = cbUnchecked; break;
    }
    SetState(Index, S);
    ClickCheck();
}

void TCheckListBox::KeyPress(Char& Key)
{
    inherited::KeyPress(Key);
    if (Key == L' ') {
        ToggleClickCheck(GetItemIndex());
        Key = 0;
    }
}

void TCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    int Index = ItemAtPos({X, Y}, true);
    if (Index < 0) return;
    TRect R = ItemRect(Index);
    if (X >= R.Left && X < R.Left + CheckWidth() + 2) ToggleClickCheck(Index);
}

void TCheckListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    TCanvas* C = GetCanvas();
    HDC DC = C->GetHandle();
    RECT Box{Rect.Left + 1, Rect.Top + (Rect.Height() - 13) / 2, Rect.Left + 14, 0};
    Box.bottom = Box.top + 13;
    // The check box stands on the window colour, outside the selection.
    RECT Left{Rect.Left, Rect.Top, Rect.Left + CheckWidth() + 2, Rect.Bottom};
    FillRect(DC, &Left, GetSysColorBrush(COLOR_WINDOW));
    if (Index >= 0 && Index < Count()) {
        const TItemState& S = Item(Index);
        UINT Flags = DFCS_BUTTONCHECK | DFCS_FLAT;
        if (S.State == cbChecked) Flags |= DFCS_CHECKED;
        if (S.State == cbGrayed) Flags |= DFCS_CHECKED | DFCS_INACTIVE;
        if (!S.Enabled || !GetEnabled()) Flags |= DFCS_INACTIVE;
        DrawFrameControl(DC, &Box, DFC_BUTTON, Flags);
    }
    TRect Text{Rect.Left + CheckWidth() + 2, Rect.Top, Rect.Right, Rect.Bottom};
    if (State.Contains(odSelected)) {
        C->GetBrush()->SetColor(clHighlight);
        C->GetFont()->SetColor(clHighlightText);
    } else {
        C->GetBrush()->SetColor(GetColor());
        C->GetFont()->SetColor(Index >= 0 && Index < Count() && !Item(Index).Enabled ? clGrayText : GetFont()->GetColor());
    }
    if (OnDrawItem) {
        OnDrawItem(this, Index, Text, State);
        return;
    }
    C->FillRect(Text);
    if (Index >= 0 && Index < Count()) C->TextOut(Text.Left + 2, Text.Top, GetItems()->Get(Index));
}

void TCheckListBox::CreateWnd()
{
    inherited::CreateWnd();
    if (FSavedStates.size() == size_t(Count())) FStates = FSavedStates;
    FSavedStates.clear();
}

void TCheckListBox::DestroyWnd()
{
    FSavedStates = FStates;
    FSavedStates.resize(size_t(Count()));
    inherited::DestroyWnd();
}

void TCheckListBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        if (FStates.size() < size_t(Count())) FStates.resize(size_t(Count()));
        inherited::Dispatch(Message);
        int At = int(Message.Result);
        if (At >= 0 && size_t(At) <= FStates.size()) FStates.insert(FStates.begin() + At, TItemState{});
        return;
    }
    case LB_DELETESTRING: {
        int At = int(Message.WParam);
        inherited::Dispatch(Message);
        if (Message.Result != LB_ERR && At >= 0 && size_t(At) < FStates.size()) FStates.erase(FStates.begin() + At);
        return;
    }
    case LB_RESETCONTENT:
        inherited::Dispatch(Message);
        FStates.clear();
        return;
    default: inherited::Dispatch(Message);
    }
}

void TCheckListBox::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"AllowGrayed", &TCheckListBox::GetAllowGrayed, &TCheckListBox::SetAllowGrayed, false);
    Table.AddEvent(L"OnClickCheck", &TCheckListBox::OnClickCheck);
}

void RegisterCheckLst()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterClass<TCheckListBox>();
}
