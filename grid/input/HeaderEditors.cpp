// The header-cell editors.
#include "grid/input/HeaderEditors.h"

#include "framework/TypInfo.h"
#include "grid/detail/QorGridOwner.h"

namespace {

// Both header editors publish the cell they edit.
template <class C>
void AddRowCol(TPropertyTable& Table)
{
    Table.Add(L"Row", &C::GetRow, &C::SetRow);
    Table.Add(L"Col", &C::GetCol, &C::SetCol);
}

} // namespace

// ---- TGridTransEdit -------------------------------------------------------------------------------

TGridTransEdit::TGridTransEdit(TComponent* AOwner) : TCustomEdit(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner))
{
    SetVisible(false);
}

bool TGridTransEdit::StopEdit()
{
    if (!FGrid || !GetVisible()) return true;
    // Validation (OnCellValidate), the store (SetCellEx), the filter row's filter or
    // OnEditCellDone, and hiding come here with the grid's header editing.
    return true;
}

void TGridTransEdit::DoExit()
{
    inherited::DoExit();
    StopEdit();
}

void TGridTransEdit::KeyPress(Char& Key)
{
    if (Key == VK_RETURN) {
        Key = 0;
        StopEdit();
    }
    inherited::KeyPress(Key);
}

void TGridTransEdit::RegisterProperties(TPropertyTable& Table)
{
    AddRowCol<TGridTransEdit>(Table);
}

// ---- TGridTransCombo ------------------------------------------------------------------------------

TGridTransCombo::TGridTransCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner))
{
    SetVisible(false);
}

int TGridTransCombo::GetDropWidth()
{
    if (!HandleAllocated()) return 0;
    return int(SendMessageW(FHandle, CB_GETDROPPEDWIDTH, 0, 0));
}

void TGridTransCombo::SetDropWidth(int Value)
{
    if (HandleAllocated()) SendMessageW(FHandle, CB_SETDROPPEDWIDTH, WPARAM(Value), 0);
}

bool TGridTransCombo::StopEdit()
{
    if (!FGrid) {
        SetVisible(false);
        return true;
    }
    // Validation (OnCellValidate), OnEditingDone, the store (SetCellEx) and hiding come here
    // with the grid's header editing.
    return true;
}

void TGridTransCombo::DoExit()
{
    inherited::DoExit();
    StopEdit();
}

void TGridTransCombo::KeyPress(Char& Key)
{
    if (Key == VK_RETURN) Key = 0;
    inherited::KeyPress(Key);
}

void TGridTransCombo::RegisterProperties(TPropertyTable& Table)
{
    AddRowCol<TGridTransCombo>(Table);
}
