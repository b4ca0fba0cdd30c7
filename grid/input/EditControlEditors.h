// EditControlEditors: the grid's built-in editors that stand on the library's own edit controls:
// the combo editor TGridCombo (editor kinds edComboEdit and edComboList) on TJyrComboBox, the edit
// with a button TGridEditBtn (edEditBtn and its numeric, float and mask forms) on TJyrEditBtn and
// the unit edit with a button TGridUnitEditBtn (edUnitEditBtn and its numeric and float forms) on
// TJyrUnitEditBtn. The grid creates one of each in its constructor, disabled and hidden; showing
// them over a cell, their keys and writing their values back come with the grid's in-place editing.
#pragma once

#include "controls/JYREdit.h"
#include "controls/JyrCombo.h"
#include "grid/QorGridDefs.h"

class TGridCombo : public JyrCombo::TJyrComboBox {
    DECLARE_CLASS(TGridCombo, JyrCombo::TJyrComboBox)
public:
    // AOwner: the grid; the grid tells it IsWinXP and IsVista (how the drop button is drawn).
    explicit TGridCombo(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }

private:
    TQorStringGrid* FGrid;
};

class TGridEditBtn : public JYREdit::TJyrEditBtn {
    DECLARE_CLASS(TGridEditBtn, JYREdit::TJyrEditBtn)
public:
    // AOwner: the grid; the grid sets the button's caption ("...") and the Windows XP flag.
    explicit TGridEditBtn(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }

private:
    TQorStringGrid* FGrid;
};

class TGridUnitEditBtn : public JYREdit::TJyrUnitEditBtn {
    DECLARE_CLASS(TGridUnitEditBtn, JYREdit::TJyrUnitEditBtn)
public:
    // AOwner: the grid; its OnUnitChanged goes to the grid's UnitChanged.
    explicit TGridUnitEditBtn(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }

private:
    TQorStringGrid* FGrid;
};
