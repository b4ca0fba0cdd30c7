// HeaderEditors: the two light editors the grid places over a fixed (header) cell or a cell of
// its filter row: the edit box TGridTransEdit and the combo box TGridTransCombo. The grid owns one
// of each (EditTrans, ComboTrans), hidden until a header edit starts. Ending an edit validates the
// text through the grid's OnCellValidate, stores it and hides the editor; without a grid an
// editor only ends.
#pragma once

#include "framework/StdCtrls.h"
#include "grid/QorGridDefs.h"

class TGridTransEdit : public TCustomEdit {
    DECLARE_CLASS(TGridTransEdit, TCustomEdit)
public:
    // AOwner: the grid. Hidden.
    explicit TGridTransEdit(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }
    // The cell being edited: a row and a real column.
    int GetRow() const { return FRow; }
    void SetRow(int Value) { FRow = Value; }
    int GetCol() const { return FCol; }
    void SetCol(int Value) { FCol = Value; }
    // The edit belongs to the grid's filter row.
    bool GetFilterEdit() const { return FFilterEdit; }
    void SetFilterEdit(bool Value) { FFilterEdit = Value; }

    // True when the edit ended: the value was stored, or there is no grid. False when the
    // grid's validation refused the text; the edit then stays open on its cell. Validating,
    // storing, the filter row's filter and hiding come with the grid's header editing.
    bool StopEdit();

    static void RegisterProperties(TPropertyTable& Table);

protected:
    // The framework's exit handling, then StopEdit.
    void DoExit() override;
    // Enter is swallowed (it types nothing) and ends the edit; then the framework's key press.
    void KeyPress(Char& Key) override;

private:
    int FRow = 0;
    int FCol = 0;
    bool FFilterEdit = false;
    TQorStringGrid* FGrid;
};

class TGridTransCombo : public TCustomComboBox {
    DECLARE_CLASS(TGridTransCombo, TCustomComboBox)
public:
    // AOwner: the grid. Hidden.
    explicit TGridTransCombo(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }
    int GetRow() const { return FRow; }
    void SetRow(int Value) { FRow = Value; }
    int GetCol() const { return FCol; }
    void SetCol(int Value) { FCol = Value; }

    // The width of the drop-down list (CB_GETDROPPEDWIDTH, CB_SETDROPPEDWIDTH); 0 and nothing
    // while the combo has no window.
    int GetDropWidth();
    void SetDropWidth(int Value);
    // Widens the drop-down list to its widest item measured with the grid's canvas (room for
    // the list's scroll bar when there are more items than DropDownCount).
    void SizeDropDownWidth();

    // True when the edit ended. Without a grid the combo is only hidden; with one the text is
    // validated and stored first, which comes with the grid's header editing.
    bool StopEdit();

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void DoExit() override;
    // Enter is swallowed; the combo stays open. Then the framework's key press.
    void KeyPress(Char& Key) override;

private:
    int FRow = 0;
    int FCol = 0;
    TQorStringGrid* FGrid;
};
