// The editors of HTML form controls in cells.
#include "grid/input/HTMLControlEditors.h"

// ---- TControlEdit ---------------------------------------------------------------------------------

void TControlEdit::CMWantSpecialKey(TMessage& Message)
{
    switch (Message.WParam) {
    case VK_RETURN: Message.Result = 0; break;
    case VK_TAB: Message.Result = 1; break;
    default: inherited::Dispatch(Message);
    }
}

void TControlEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    // Key-downs go straight to the windowed control's handling, past the masked edit's.
    case WM_KEYDOWN: TWinControl::WMKeyDown(Message); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    default: inherited::Dispatch(Message);
    }
}

// ---- TControlCombo --------------------------------------------------------------------------------

void TControlCombo::CMWantSpecialKey(TMessage& Message)
{
    if (Message.WParam == VK_TAB) Message.Result = 1;
    else DefaultHandler(Message);
}

void TControlCombo::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    default: inherited::Dispatch(Message);
    }
}
