// FilterLists: the two lists a grid opens under a column header's filter button, TDropList (one
// choice) and TDropCheckList (several choices), and TNoActiveForm, a pop-up form that never takes
// activation (the grid's hover-button window and the snapshot of dragged cells). The grid creates
// both lists as hidden 0 x 0 children and wires their events to its filter handlers; it fills,
// sizes and places them (TQorStringGrid::ShowFilterDropDown).
#pragma once

#include "framework/CheckLst.h"
#include "framework/Forms.h"
#include "grid/QorGridDefs.h"

namespace QorGridFilterList {

// How far above a filter list the pointer may be (over the column's filter button) without a
// cancel-mode notification closing the plain list.
inline constexpr int ButtonMargin = 20;

// Whether a cancel-mode notification closes a list shown at ListRect (screen): true when the
// pointer lies outside the list grown upwards by MarginAbove pixels.
bool CancelModeCloses(const TRect& ListRect, int MarginAbove, const TPoint& Cursor);

} // namespace QorGridFilterList

class TDropList : public TListBox {
    DECLARE_CLASS(TDropList, TListBox)
public:
    explicit TDropList(TComponent* AOwner) : TListBox(AOwner) {}

    // A click elsewhere (cancel mode with the pointer neither on the list nor on the filter button
    // above it) hides the list; its grid reports the close (DoFilterClose) and forgets its filter
    // column. Then the framework's handling.
    void WndProc(TMessage& Message) override;

    // Return or a mouse release: the chosen item; Esc: closed without a choice.
    TDropSelectEvent OnSelect;
    TNotifyEvent OnClose;

protected:
    // After the framework's handling: Return hides the list and fires OnSelect with the item
    // index; Esc hides it and fires OnClose.
    void KeyPress(Char& Key) override;
    // After the framework's handling: hides the list and fires OnSelect with the item index.
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
};

class TDropCheckList : public TCheckListBox {
    DECLARE_CLASS(TDropCheckList, TCheckListBox)
public:
    explicit TDropCheckList(TComponent* AOwner) : TCheckListBox(AOwner) {}

    // As the plain list's, with the list itself as the area (no margin above).
    void WndProc(TMessage& Message) override;

    // Each check or uncheck: the item; the list stays open. Esc: closed.
    TDropSelectEvent OnSelect;
    TNotifyEvent OnClose;

protected:
    // After the framework's handling: Esc hides the list and fires OnClose.
    void KeyPress(Char& Key) override;
    // The framework's OnClickCheck, then OnSelect with the item index.
    void ClickCheck() override;
};

class TNoActiveForm : public TForm {
    DECLARE_CLASS(TNoActiveForm, TForm)
public:
    explicit TNoActiveForm(TComponent* AOwner) : TForm(AOwner) {}

    // The form's own enabled flag (FEnabled), apart from the control's Enabled: off makes the
    // window disabled and bordered when it is created. Off after construction.
    bool GetFormEnabled() const { return FEnabled; }
    void SetFormEnabled(bool Value) { FEnabled = Value; }

    void Dispatch(TMessage& Message) override;

protected:
    // A pop-up window (style WS_POPUP, with WS_DISABLED and WS_BORDER while the flag is off)
    // whose class saves the bits under it.
    void CreateParams(TCreateParams& Params) override;
    // The framework's handling, then answered 1.
    void WMActivate(TMessage& Message);
    // The framework's handling, then answered MA_NOACTIVATE: a click never activates the form.
    void WMMouseActivate(TMessage& Message);

private:
    // Hides TControl::FEnabled inside this class: the form's own flag.
    bool FEnabled = false;
};
