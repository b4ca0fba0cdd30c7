// CellGraphic: the record that describes a cell's widget (check box, picture, progress bar, node,
// ...). It hangs on the cell's TCellProperties, which owns it: freeing the properties frees the
// record, and the record frees the objects it made itself (see ~TBaseCellGraphic). The fields are
// typeless storage whose meaning depends on FCellType; the operations that fill them belong to the
// grid's widget code.
#pragma once

#include "grid/QorGridDefs.h"

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/StdCtrls.h"
#include "framework/Variants.h"

class TPropertyTable;

// The widget record with its published fields (the cell stream reads and writes a record through
// them). A new record has kind ctNone, FCellCreated false and every other field zero or empty.
class TBaseCellGraphic : public TPersistent {
    DECLARE_CLASS(TBaseCellGraphic, TPersistent)
public:
    TBaseCellGraphic();
    // Releases what the record owns for its kind: the image index list of ctImages and the
    // string list of ctBalloon always; the object of ctPicture, ctFilePicture, ctRadio, ctBitmap
    // and ctBitButton, and the icon of ctIcon, when FCellCreated; the balloon list of a check box,
    // radio button or icon that carries one (FCellAngle 1). Objects handed in by a caller stay
    // the caller's.
    ~TBaseCellGraphic() override;

    // Copies kind, placements, index, transparency, value, angle, state, marker and text from
    // another record; any other source is ignored. Object references, FCellVar and the tri-state
    // are not copied, and neither is FCellCreated: the flag says who owns this record's own
    // objects, which stay where they are.
    void Assign(TPersistent* Source) override;

    // True for the kinds that mark the grid's one shared record (virtual and row check boxes):
    // that record belongs to the grid and is never freed with a cell.
    static bool IsSharedKind(TCellType Kind) { return Kind == ctVirtCheckBox || Kind == ctRowCheckBox; }

    // Records alive now (both classes): tests check that cells neither leak nor share them.
    static int LiveCount();

    static void RegisterProperties(TPropertyTable& Table);

    TCellType FCellType = ctNone;
    TObject* FCellBitmap = nullptr;      // the widget's main object (bitmap, picture, list)
    TObject* FCellIcon = nullptr;        // an icon
    TCellVAlign FCellVAlign = vaTop;
    TCellHAlign FCellHAlign = haLeft;
    int FCellIndex = 0;
    bool FCellTransparent = false;
    bool FCellCreated = false;           // the grid made FCellBitmap / FCellIcon and frees it
    bool FCellBoolean = false;
    int FCellAngle = 0;
    double FCellValue = 0;
    int FCellErrFrom = 0;
    int FCellErrLen = 0;
    String FCellText;
    Variant FCellVar;
    TCheckBoxState FCellCheckBoxState = cbUnchecked;
};

// The record cells hold: the widget plus the cell's comment.
class TCellGraphic : public TBaseCellGraphic {
    DECLARE_CLASS(TCellGraphic, TBaseCellGraphic)
public:
    TCellGraphic() = default;
    // The base copy, then comment and comment colour from another TCellGraphic.
    void Assign(TPersistent* Source) override;

    static void RegisterProperties(TPropertyTable& Table);

    String FCellComment;
    TColor FCommentColor = clBlack;
};
