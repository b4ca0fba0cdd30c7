// HeaderDragButton: the floating caption window the grid (its MoveButton) shows under the
// pointer while a column header is dragged to a new place, painted like a header cell with the
// dragged header's text.
#pragma once

#include "framework/Controls.h"
#include "grid/QorGridDefs.h"

class THeaderDragButton : public TCustomControl {
    DECLARE_CLASS(THeaderDragButton, TCustomControl)
public:
    explicit THeaderDragButton(TComponent* AOwner) : TCustomControl(AOwner) {}

    // The grid whose header cell the button looks like; set by the grid that creates it.
    TQorStringGrid* GetGrid() const { return FGrid; }
    void SetGrid(TQorStringGrid* Value) { FGrid = Value; }
    // The dragged header's text, plain or HTML (a text holding "</"); a change repaints.
    const String& GetCaption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value) { FFlat = Value; }

protected:
    // A bordered pop-up window whose class saves the bits under it; button-face coloured.
    void CreateParams(TCreateParams& Params) override;
    // The header cell's background (the grid's PaintCellExt for cell (0, 0), which comes with the
    // grid's painting), then the caption: a plain one on one line, centred both ways, ending in an
    // ellipsis when it is too long; an HTML one through the HTML engine.
    void Paint() override;

private:
    TQorStringGrid* FGrid = nullptr;
    String FCaption;
    bool FFlat = false;
};
