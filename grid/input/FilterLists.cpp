// The filter lists and the pop-up form that never takes activation.
#include "grid/input/FilterLists.h"

#include "grid/QorGrid.h"
#include "grid/detail/QorGridOwner.h"

namespace QorGridFilterList {

bool CancelModeCloses(const TRect& ListRect, int MarginAbove, const TPoint& Cursor)
{
    return !(Cursor.X >= ListRect.Left && Cursor.X < ListRect.Right && Cursor.Y >= ListRect.Top - MarginAbove &&
             Cursor.Y < ListRect.Bottom);
}

} // namespace QorGridFilterList

namespace {

// The control's rectangle on the screen.
TRect ScreenRect(TControl* Control)
{
    TPoint P(Control->GetLeft(), Control->GetTop());
    if (TWinControl* Parent = Control->GetParent()) P = Parent->ClientToScreen(P);
    return TRect(P.X, P.Y, P.X + Control->GetWidth(), P.Y + Control->GetHeight());
}

// Whether a cancel-mode notification hides List: the pointer outside its area.
bool CancelModeHides(TControl* List, int MarginAbove)
{
    POINT Cursor{};
    GetCursorPos(&Cursor);
    return QorGridFilterList::CancelModeCloses(ScreenRect(List), MarginAbove, TPoint(Cursor.x, Cursor.y));
}

// A click elsewhere closes List: its grid reports the close and forgets its filter column; a
// list without a grid just hides.
void CancelModeClose(TControl* List)
{
    if (TQorStringGrid* Grid = QorGridDetail::GridOfOwner(List->GetOwner()); Grid && List->GetVisible())
        Grid->HideFilterDropDown();
    List->SetVisible(false);
}

} // namespace

// ---- TDropList ------------------------------------------------------------------------------------

void TDropList::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_CANCELMODE && CancelModeHides(this, QorGridFilterList::ButtonMargin)) CancelModeClose(this);
    inherited::WndProc(Message);
}

void TDropList::KeyPress(Char& Key)
{
    inherited::KeyPress(Key);
    if (Key == VK_RETURN) {
        SetVisible(false);
        if (OnSelect) OnSelect(this, GetItemIndex());
    } else if (Key == VK_ESCAPE) {
        SetVisible(false);
        if (OnClose) OnClose(this);
    }
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    SetVisible(false);
    if (OnSelect) OnSelect(this, GetItemIndex());
}

// ---- TDropCheckList -------------------------------------------------------------------------------

void TDropCheckList::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_CANCELMODE && CancelModeHides(this, 0)) CancelModeClose(this);
    inherited::WndProc(Message);
}

void TDropCheckList::KeyPress(Char& Key)
{
    inherited::KeyPress(Key);
    if (Key == VK_ESCAPE) {
        SetVisible(false);
        if (OnClose) OnClose(this);
    }
}

void TDropCheckList::ClickCheck()
{
    inherited::ClickCheck();
    if (OnSelect) OnSelect(this, GetItemIndex());
}

// ---- TNoActiveForm --------------------------------------------------------------------------------

void TNoActiveForm::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style = WS_POPUP;
    if (!FEnabled) Params.Style |= WS_DISABLED | WS_BORDER;
    Params.WindowClass.style |= CS_SAVEBITS;
}

void TNoActiveForm::WMActivate(TMessage& Message)
{
    inherited::Dispatch(Message);
    Message.Result = 1;
}

void TNoActiveForm::WMMouseActivate(TMessage& Message)
{
    inherited::Dispatch(Message);
    Message.Result = MA_NOACTIVATE;
}

void TNoActiveForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ACTIVATE: WMActivate(Message); break;
    case WM_MOUSEACTIVATE: WMMouseActivate(Message); break;
    default: inherited::Dispatch(Message);
    }
}
