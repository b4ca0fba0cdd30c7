// The editors on the library's edit controls.
#include "grid/input/EditControlEditors.h"

#include "grid/detail/QorGridOwner.h"

TGridCombo::TGridCombo(TComponent* AOwner) : JyrCombo::TJyrComboBox(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner)) {}

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : JYREdit::TJyrEditBtn(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner))
{
}

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner)
    : JYREdit::TJyrUnitEditBtn(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner))
{
}
