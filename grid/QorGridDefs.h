// QorGridDefs: the enumerations, sets, event types and small records that the grid's areas share.
// Each area's own private types live in its folder; what two or more areas (or the grid's users)
// name lives here, once.
#pragma once

#include "framework/System.h"

#include "framework/Classes.h"

#include <functional>

// ==== Cell store and base grid: the value types of grid/BaseGrid.h =============================

// The grid's exception: a plain English message (the texts are in QorGridConsts.h).
DECLARE_EXCEPTION(EQorGridError, Exception)

// Vertical placement of a cell's text.
enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
// Direction of a cell's background gradient.
enum TCellGradientDirection { GradientVertical, GradientHorizontal };
// How the selected cells are painted: the framework's plain colour, or one of three gradient boxes.
enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
// Kinds of cells that also take the hover row's colour.
enum THoverRowCell { hcNormal, hcFixed, hcSelected, hcGroupHeader, hcGroupSummary };
using THoverRowCells = TSet<THoverRowCell>;
// Footer calculation of a column, kept on the cell properties of the grid's last row.
enum TColumnCalcType { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV };

// The in-place editor kinds (0 to 43) a cell may ask for.
enum TEditorType {
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown,
    edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
    edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,
    edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars,
    edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
    edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edQorGridDropDown, edControlDropDown,
    edPositiveFloat, edNumericUnitEditBtn, edFloatUnitEditBtn, edMaskEditBtn
};

// The kind of a cell's widget record (ordinals 0 to 34, stored in one byte).
enum TCellType : Byte {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
    ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton,
    ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary, ctRangeIndicator, ctXPProgress, ctInterface,
    ctScrollbar, ctRadioButton, ctBalloon, ctShape, ctRating, ctTriStateCheckBox, ctExpand, ctDataPicture,
    ctVirtButton
};
// Placement of a widget in its cell; the Full values stretch it over the cell.
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };

// The display-text hooks of a cell: Value is the stored text, changed in place.
using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;
// ==== end of the cell store's types ====
