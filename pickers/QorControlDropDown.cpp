// The control drop-down: the hosted control placed on the popup once a description is loaded.
#include "pickers/QorControlDropDown.h"

#include "framework/TypInfo.h"

void TQorControlDropDown::Loaded()
{
    inherited::Loaded();
    if (!GetComponentState().Contains(csDesigning)) SetCenterControl();
}

void TQorControlDropDown::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Control", &TQorCustomDropDown::GetControl, &TQorCustomDropDown::SetControl);
    T.Add(L"ReturnIsTab", &TQorCustomDropDown::GetReturnIsTab, &TQorCustomDropDown::SetReturnIsTab, false);
}

void RegisterQorControlDropDownClasses()
{
    RegisterQorDropDownClasses();
    RegisterClasses<TQorControlDropDown>();
}
