// QorGridPopup: the base of the grid's popup tool bar (the PopupToolBar property, a link): a
// component told which grid and cell it belongs to, shown and hidden by the grid's mouse handling.
// Descendants draw the bar and answer whether the mouse is over it.
#pragma once

#include "framework/Grids.h"

class TQorStringGrid;

class TQorGridPopup : public TComponent {
    DECLARE_CLASS(TQorGridPopup, TComponent)
public:
    explicit TQorGridPopup(TComponent* AOwner) : TComponent(AOwner) {}

    // Sets Visible; the point (screen coordinates) is for descendants.
    virtual void Show(TPoint PT) { FVisible = true; }
    // Clears Visible.
    virtual void Hide() { FVisible = false; }
    virtual bool MouseInPopup() = 0;

    TQorStringGrid* GetGrid() const { return FGrid; }
    void SetGrid(TQorStringGrid* Value) { FGrid = Value; }
    TGridCoord GetGridCell() const { return FGridCell; }
    void SetGridCell(TGridCoord Value) { FGridCell = Value; }
    bool GetVisible() const { return FVisible; }

protected:
    TQorStringGrid* FGrid = nullptr;
    TGridCoord FGridCell{-1, -1};
    bool FVisible = false;
};
