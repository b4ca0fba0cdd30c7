// TWinControl: focus, tab order and the keyboard pipeline (special keys, dialog keys and
// characters, key events with the form's preview).
#include "Controls.h"
#include "Forms.h"

#include <algorithm>

// ---- Focus -------------------------------------------------------------------------------------

bool TWinControl::CanFocus()
{
    TCustomForm* Form = GetParentForm(this);
    if (!Form) return false;
    for (TWinControl* C = this; C && C != Form; C = C->FParent)
        if (!(C->FVisible && C->GetEnabled())) return false;
    return true;
}

bool TWinControl::Focused()
{
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus()
{
    if (TCustomForm* Form = GetParentForm(this)) {
        Form->FocusControl(this);
    } else if (FParentWindow) {
        ::SetFocus(GetHandle());
    }
}

void TWinControl::RemoveFocus(bool Removing)
{
    if (TCustomForm* Form = GetParentForm(this)) Form->DefocusControl(this, Removing);
}

void TWinControl::WMSetFocus(TMessage& Message)
{
    TCustomForm* Form = GetParentForm(this);
    if (Form && !Form->SetFocusedControl(this)) return;
    DefaultHandler(Message);
}

void TWinControl::WMKillFocus(TMessage& Message)
{
    if (FControlState.Contains(TControlStateFlag::csFocusing)) return;
    DefaultHandler(Message);
}

void TWinControl::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&)
{
    DoEnter();
}

void TWinControl::CMExit(TMessage&)
{
    DoExit();
}

void TWinControl::CMFocusChanged(TMessage& Message)
{
    Broadcast(Message);
}

// ---- Tab order ---------------------------------------------------------------------------------

int TWinControl::GetTabOrder() const
{
    if (!FParent) return -1;
    const auto& L = FParent->FTabList;
    auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : int(It - L.begin());
}

void TWinControl::SetTabOrder(int Value)
{
    UpdateTabOrder(Value);
}

void TWinControl::UpdateTabOrder(int Value)
{
    if (!FParent) return;
    auto& L = FParent->FTabList;
    auto It = std::find(L.begin(), L.end(), this);
    if (It == L.end()) return;
    L.erase(It);
    if (Value < 0 || Value >= int(L.size())) L.push_back(this);
    else L.insert(L.begin() + Value, this);
}

void TWinControl::SetTabStop(bool Value)
{
    if (FTabStop == Value) return;
    FTabStop = Value;
    if (FHandle) {
        LONG_PTR Style = GetWindowLongPtrW(FHandle, GWL_STYLE);
        SetWindowLongPtrW(FHandle, GWL_STYLE, Value ? (Style | WS_TABSTOP) : (Style & ~LONG_PTR(WS_TABSTOP)));
    }
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List)
{
    for (TWinControl* W : FTabList) {
        List.push_back(W);
        W->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent)
{
    std::vector<TWinControl*> List;
    GetTabOrderList(List);
    int Count = int(List.size());
    if (Count == 0) return nullptr;
    auto It = std::find(List.begin(), List.end(), CurControl);
    int Start = It == List.end() ? (GoForward ? Count - 1 : 0) : int(It - List.begin());
    int I = Start;
    do {
        if (GoForward) {
            if (++I == Count) I = 0;
        } else {
            if (I == 0) I = Count;
            --I;
        }
        TWinControl* C = List[size_t(I)];
        // Geometry does not matter: a control outside the visible client area is reached too.
        if (C != CurControl && C->CanFocus() && (!CheckTabStop || C->FTabStop) && (!CheckParent || C->FParent == this))
            return C;
    } while (I != Start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    if (TWinControl* Next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) Next->SetFocus();
}

void TWinControl::SelectFirst()
{
    TCustomForm* Form = GetParentForm(this);
    if (!Form) return;
    TWinControl* C = FindNextControl(nullptr, true, true, false);
    if (!C) C = FindNextControl(nullptr, true, false, false);
    if (C) C->SetFocus();
}

// ---- Keys --------------------------------------------------------------------------------------

void TWinControl::KeyDown(Word& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& Message)
{
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->GetKeyPreview() && Form->DoKeyDown(Message)) return true;
    Word Key = Word(Message.WParam);
    TShiftState Shift = KeyDataToShiftState(Message.LParam);
    if (!FControlStyle.Contains(csNoStdEvents)) {
        KeyDown(Key, Shift);
        Message.WParam = Key;
        if (Key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TMessage& Message)
{
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->GetKeyPreview() && Form->DoKeyUp(Message)) return true;
    Word Key = Word(Message.WParam);
    TShiftState Shift = KeyDataToShiftState(Message.LParam);
    if (!FControlStyle.Contains(csNoStdEvents)) {
        KeyUp(Key, Shift);
        Message.WParam = Key;
        if (Key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TMessage& Message)
{
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->GetKeyPreview() && Form->DoKeyPress(Message)) return true;
    Char Ch = Char(Message.WParam);
    if (!FControlStyle.Contains(csNoStdEvents)) {
        KeyPress(Ch);
        Message.WParam = WPARAM(Word(Ch));
        if (Ch == 0) return true;
    }
    return false;
}

void TWinControl::WMKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message)
{
    if (!DoKeyPress(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysChar(TMessage& Message)
{
    DefaultHandler(Message);
}

// The key pipeline's first step, before the key message is translated and dispatched: a key the
// control does not want (Tab, arrows, Enter, Esc) becomes a dialog key of its form.
void TWinControl::CNKeyDown(TMessage& Message)
{
    Message.Result = 1;
    if (Perform(CM_CHILDKEY, Message.WParam, LPARAM(this)) != 0) return;
    UINT Mask = 0;
    switch (Message.WParam) {
    case VK_TAB: Mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: Mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: Mask = DLGC_WANTALLKEYS; break;
    default: break;
    }
    if (Mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, Message.LParam) == 0 &&
        (Perform(WM_GETDLGCODE) & Mask) == 0) {
        if (TCustomForm* Form = GetParentForm(this))
            if (Form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message)
{
    Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message)
{
    Message.Result = 1;
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
        if (TCustomForm* Form = GetParentForm(this))
            if (Form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& Message)
{
    Message.Result = 0;
}

void TWinControl::CNSysChar(TMessage& Message)
{
    Message.Result = 0;
    if (Message.WParam != VK_SPACE)
        if (TCustomForm* Form = GetParentForm(this))
            Message.Result = Form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam);
}

void TWinControl::CMDialogKey(TMessage& Message)
{
    Broadcast(Message);
}

void TWinControl::CMDialogChar(TMessage& Message)
{
    Broadcast(Message);
}
