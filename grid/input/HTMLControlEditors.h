// HTMLControlEditors: the edit box (TControlEdit) and combo box (TControlCombo) the grid places
// over a form control drawn inside a cell's HTML text, to edit that control's value. The grid
// creates one of each, hidden, and reuses them for every control edit; opening them, writing the
// value back into the cell and moving on with Enter and Tab come with the grid's HTML form
// controls.
#pragma once

#include "framework/Mask.h"
#include "framework/StdCtrls.h"

// The combo box stands on the library's own combo box control. Until that joins the library the
// framework's combo box stands in for it, here and only here.
using TControlComboBase = TComboBox;   // becomes TJyrComboBox

class TControlEdit : public TMaskEdit {
    DECLARE_CLASS(TControlEdit, TMaskEdit)
public:
    explicit TControlEdit(TComponent* AOwner) : TMaskEdit(AOwner) {}
    void Dispatch(TMessage& Message) override;

protected:
    // Tab is the edit's (it moves to the cell's next control); Enter is not (it ends the edit);
    // other keys as the masked edit decides.
    void CMWantSpecialKey(TMessage& Message);
};

class TControlCombo : public TControlComboBase {
    DECLARE_CLASS(TControlCombo, TControlComboBase)
public:
    explicit TControlCombo(TComponent* AOwner) : TControlComboBase(AOwner) {}
    void Dispatch(TMessage& Message) override;

protected:
    // Tab is the combo's; other keys get the default handling.
    void CMWantSpecialKey(TMessage& Message);
};
