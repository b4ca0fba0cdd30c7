// QorPickerKeys: key preview in a picker's popup. The drop-down framework offers the keys of the
// popup's hosted control to the control slots (OnDropDownControlKey...) and those of the popup form
// itself to the form slots (OnDropDownFormKey...). The calculator and the time picker read their
// keys in the form slots while their hosted control (the keypad, the clock's panel) has the focus:
// PreviewControlKeys hands that control's keys to the form slots instead, so that the popup form
// sees them, and each key still reaches the edit once. Call it each time the popup opens, after
// the framework has hooked the control (AfterDropDown).
#pragma once

#include "controls/QorDropDown.h"

inline void PreviewControlKeys(TQorCustomDropDown* DropDown, TControl* Control)
{
    auto* W = dynamic_cast<TWinControl*>(Control);
    if (!W || !DropDown) return;
    W->OnKeyDown = [DropDown](TObject* S, Word& K, TShiftState Sh) { DropDown->OnDropDownFormKeyDown(S, K, Sh); };
    W->OnKeyUp = [DropDown](TObject* S, Word& K, TShiftState Sh) { DropDown->OnDropDownFormKeyUp(S, K, Sh); };
    W->OnKeyPress = [DropDown](TObject* S, Char& K) { DropDown->OnDropDownFormKeyPress(S, K); };
}
