// EditControlEditors: the grid's built-in editors that stand on the library's own edit controls:
// the combo editor TGridCombo (editor kinds edComboEdit and edComboList), the edit with a button
// TGridEditBtn (edEditBtn and its numeric, float and mask forms) and the unit edit with a button
// TGridUnitEditBtn (edUnitEditBtn and its numeric and float forms). The grid creates one of each in
// its constructor, disabled and hidden; showing them over a cell, their keys and writing their
// values back come with the grid's in-place editing.
#pragma once

#include "framework/StdCtrls.h"
#include "grid/QorGridDefs.h"

// The editors derive from the library's combo box, edit with button and unit edit. Until those
// join the library the framework's nearest controls stand in for them, here and only here; the
// members the grid sets that the stand-ins lack (the button caption, the Windows XP flag, the
// unit-changed event) are kept by the editors themselves until then.
using TGridComboBase = TComboBox;          // becomes TJyrComboBox
using TGridEditBtnBase = TEdit;            // becomes TJyrEditBtn
using TGridUnitEditBtnBase = TEdit;        // becomes TJyrUnitEditBtn

// Fired when the user picks another unit: the new unit's text.
using TUnitChangeEvent = std::function<void(TObject* Sender, const String& NewUnit)>;

class TGridCombo : public TGridComboBase {
    DECLARE_CLASS(TGridCombo, TGridComboBase)
public:
    // AOwner: the grid.
    explicit TGridCombo(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }
    // Whether Windows is XP or later, and Vista or later with version 6 of the common controls:
    // they choose how the combo's button is drawn.
    bool GetIsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value) { FIsWinXP = Value; }
    bool GetIsVista() const { return FIsVista; }
    void SetIsVista(bool Value) { FIsVista = Value; }

private:
    TQorStringGrid* FGrid;
    bool FIsWinXP = false;
    bool FIsVista = false;
};

class TGridEditBtn : public TGridEditBtnBase {
    DECLARE_CLASS(TGridEditBtn, TGridEditBtnBase)
public:
    // AOwner: the grid.
    explicit TGridEditBtn(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }
    // The caption of the edit's button (the grid sets "...").
    const String& GetButtonCaption() const { return FButtonCaption; }
    void SetButtonCaption(const String& Value) { FButtonCaption = Value; }
    // The Windows XP flag, passed on to the button.
    bool GetIsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value) { FIsWinXP = Value; }

private:
    TQorStringGrid* FGrid;
    String FButtonCaption;
    bool FIsWinXP = false;
};

class TGridUnitEditBtn : public TGridUnitEditBtnBase {
    DECLARE_CLASS(TGridUnitEditBtn, TGridUnitEditBtnBase)
public:
    // AOwner: the grid.
    explicit TGridUnitEditBtn(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }
    const String& GetButtonCaption() const { return FButtonCaption; }
    void SetButtonCaption(const String& Value) { FButtonCaption = Value; }

    // The grid's UnitChanged.
    TUnitChangeEvent OnUnitChanged;

private:
    TQorStringGrid* FGrid;
    String FButtonCaption;
};
