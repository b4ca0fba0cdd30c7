// CellGraphic: the record that describes a cell's widget (check box, picture, progress bar, node,
// ...). It hangs on the cell's TCellProperties, which owns it: freeing the properties frees the
// record, and the record frees the objects it made itself (see ~TBaseCellGraphic). The fields are
// typeless storage whose meaning depends on FCellType; the operations that fill them belong to the
// grid's widget code.
#pragma once

#include "grid/QorGridDefs.h"
#include "grid/store/QorObj.h"

#include "framework/Grids.h"

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/StdCtrls.h"
#include "framework/Variants.h"

class TFilePicture;
class TIntList;
class TPropertyTable;

// The object of an interfaced cell (ctInterface) draws itself and reports its extents.
// Interface identifier {0712BE3F-5C9A-4771-BF71-4C987CDC39B3}.
class ICellGraphic {
public:
    virtual ~ICellGraphic() = default;
    virtual void Draw(TCanvas* Canvas, TRect R, int Col, int Row, bool Selected, TGridDrawState State) = 0;
    virtual int CellWidth() = 0;
    virtual int CellHeight() = 0;
    // True when the widget is a background drawn before the cell text.
    virtual bool IsBackground() = 0;
};

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

    // Fill the record as one kind (store only; none repaints). Objects handed in stay the
    // caller's unless FCellCreated is set afterwards.
    void SetInterfacedCell(TInterfacedPersistent* AObject);
    void SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    void SetIcon(TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding, TCellHAlign hal,
                    TCellVAlign val);
    void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                        TCellHAlign hal, TCellVAlign val);
    // ctDataCheckBox when Data, else ctCheckBox.
    void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val, Byte Group);
    // FCellIndex: height in the high 16 bits, width in the low 16 bits.
    void SetButton(int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val);
    void SetBitButton(int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal, TCellVAlign val);
    void SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val);
    void SetDataImage(int idx, TCellHAlign hal, TCellVAlign val);
    void SetDataPicture(TCellHAlign hal, TCellVAlign val);
    // A new index list for (Col, Row), owned by the record; Dir 0 lays the images side by side.
    void SetMultiImage(int Col, int Row, int Dir, TCellHAlign hal, TCellVAlign val, TImageChangeEvent Notifier);
    // ctRotated with the angle brought into 0..360 (360 stays 360).
    void SetAngle(int AAngle);
    // The fitted size of the record's picture (or of Graph for other kinds) in a room of cw x rh
    // less the padding in FCellIndex; Result is left alone when there is no picture to measure.
    TPoint GetPictureSize(int cw, int rh, bool hastext, TGraphic* Graph = nullptr, TPoint Result = TPoint(0, 0));

    // Releases what the record owns for its kind (as the destructor does) and clears the
    // ownership flag and the balloon: the record may then take another kind.
    void ReleaseObjects();

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
    // Colours of the kinds that keep colours where others keep objects (progress bars, range
    // indicators, shapes, ratings): never freed, copied by Assign.
    TColor FCellBitmapColor = TColor(0);
    TColor FCellIconColor = TColor(0);
    // A balloon attached to an icon, check box or radio button: its list is in FCellBitmap and
    // its icon in FCellIndex. Kept apart from FCellAngle, which is the box's look and the radio
    // button's group.
    bool FCellBalloon = false;
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
