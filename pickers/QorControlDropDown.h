// QorControlDropDown: the drop-down edit whose popup shows any control the application supplies
// through Control (a list, a tree, a panel of its own). It adds no value logic: the application
// moves values between its control and the edit text in the drop-down's events.
#pragma once

#include "controls/QorDropDown.h"

class TPropertyTable;

class TQorControlDropDown : public TQorDropDown {
    DECLARE_CLASS(TQorControlDropDown, TQorDropDown)
public:
    explicit TQorControlDropDown(TComponent* AOwner) : TQorDropDown(AOwner) {}
    // A control named in a stored description is placed on the popup when loading ends.
    void Loaded() override;

    static void RegisterProperties(TPropertyTable& Table);
};

void RegisterQorControlDropDownClasses();
