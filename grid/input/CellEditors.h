// CellEditors: two of the grid's built-in cell editors that stand on the framework's own
// controls: the check-box editor TGridCheckBox (editor kind edCheckBox) and the push button
// TGridButton over a cell (edButton). The grid creates both in its constructor, disabled and
// hidden; showing them over a cell, their key tables and writing their values back come with the
// grid's in-place editing.
#pragma once

#include "framework/StdCtrls.h"
#include "grid/QorGridDefs.h"

class TGridCheckBox : public TCheckBox {
    DECLARE_CLASS(TGridCheckBox, TCheckBox)
public:
    // AOwner: the grid.
    explicit TGridCheckBox(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }
    // Creates the window again (the grid does so each time it shows the editor).
    void ReCreate() { RecreateWnd(); }

private:
    TQorStringGrid* FGrid;
};

class TGridButton : public TButton {
    DECLARE_CLASS(TGridButton, TButton)
public:
    // AOwner: the grid.
    explicit TGridButton(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }
    void Dispatch(TMessage& Message) override;

protected:
    // Esc and the four arrows belong to the button: the grid's editing takes them from it.
    void CMWantSpecialKey(TMessage& Message);

private:
    TQorStringGrid* FGrid;
};
