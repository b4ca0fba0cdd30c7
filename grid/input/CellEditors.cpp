// The check-box and push-button cell editors.
#include "grid/input/CellEditors.h"

#include "grid/detail/QorGridOwner.h"

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner)) {}

TGridButton::TGridButton(TComponent* AOwner) : TButton(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner)) {}

void TGridButton::CMWantSpecialKey(TMessage& Message)
{
    switch (Message.WParam) {
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: Message.Result = 1; break;
    default: inherited::Dispatch(Message);
    }
}

void TGridButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    default: inherited::Dispatch(Message);
    }
}
