// The editors on the library's edit controls.
#include "grid/input/EditControlEditors.h"

#include "grid/detail/QorGridOwner.h"

TGridCombo::TGridCombo(TComponent* AOwner) : TGridComboBase(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner)) {}

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TGridEditBtnBase(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner))
{
}

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner)
    : TGridUnitEditBtnBase(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner))
{
}
