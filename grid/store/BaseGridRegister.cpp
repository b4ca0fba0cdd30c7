// BaseGrid: the published properties of the grid base, its cell properties, the undo component
// and the cell's graphic record, and the identifier tables of their types, so that form
// descriptions and property files read and write them by name.
#include "grid/BaseGrid.h"

#include "grid/paint/CellGraphic.h"

#include "framework/TypInfo.h"

namespace {

void RegisterIdentTables()
{
    if (IdentTableOf(typeid(TVAlignment))) return;
    RegisterEnumIdents<TVAlignment>(L"TVAlignment", {{vtaTop, L"vtaTop"}, {vtaCenter, L"vtaCenter"},
                                                     {vtaBottom, L"vtaBottom"}});
    RegisterEnumIdents<TCellGradientDirection>(
        L"TCellGradientDirection", {{GradientVertical, L"GradientVertical"}, {GradientHorizontal, L"GradientHorizontal"}});
    RegisterEnumIdents<TGridSelectionStyle>(L"TGridSelectionStyle", {{ssDefault, L"ssDefault"}, {ssVista, L"ssVista"},
                                                                     {ssWin7, L"ssWin7"},
                                                                     {ssOffice2007, L"ssOffice2007"}});
    RegisterEnumIdents<THoverRowCell>(L"THoverRowCell", {{hcNormal, L"hcNormal"}, {hcFixed, L"hcFixed"},
                                                         {hcSelected, L"hcSelected"},
                                                         {hcGroupHeader, L"hcGroupHeader"},
                                                         {hcGroupSummary, L"hcGroupSummary"}});
    RegisterEnumIdents<TColumnCalcType>(
        L"TColumnCalcType", {{acNONE, L"acNONE"}, {acSUM, L"acSUM"}, {acAVG, L"acAVG"}, {acCOUNT, L"acCOUNT"},
                             {acMIN, L"acMIN"}, {acMAX, L"acMAX"}, {acSPREAD, L"acSPREAD"}, {acCUSTOM, L"acCUSTOM"},
                             {acDISTINCT, L"acDISTINCT"}, {acSTDDEV, L"acSTDDEV"}});
    RegisterEnumIdents<TEditorType>(
        L"TEditorType",
        {{edNormal, L"edNormal"}, {edSpinEdit, L"edSpinEdit"}, {edComboEdit, L"edComboEdit"},
         {edComboList, L"edComboList"}, {edEditBtn, L"edEditBtn"}, {edCheckBox, L"edCheckBox"},
         {edDateEdit, L"edDateEdit"}, {edDateEditUpDown, L"edDateEditUpDown"}, {edTimeEdit, L"edTimeEdit"},
         {edButton, L"edButton"}, {edDataCheckBox, L"edDataCheckBox"}, {edNumeric, L"edNumeric"},
         {edPositiveNumeric, L"edPositiveNumeric"}, {edFloat, L"edFloat"}, {edCapital, L"edCapital"},
         {edMixedCase, L"edMixedCase"}, {edPassword, L"edPassword"}, {edUnitEditBtn, L"edUnitEditBtn"},
         {edLowerCase, L"edLowerCase"}, {edUpperCase, L"edUpperCase"}, {edFloatSpinEdit, L"edFloatSpinEdit"},
         {edTimeSpinEdit, L"edTimeSpinEdit"}, {edDateSpinEdit, L"edDateSpinEdit"},
         {edNumericEditBtn, L"edNumericEditBtn"}, {edFloatEditBtn, L"edFloatEditBtn"}, {edCustom, L"edCustom"},
         {edRichEdit, L"edRichEdit"}, {edNone, L"edNone"}, {edDateTimeEdit, L"edDateTimeEdit"},
         {edValidChars, L"edValidChars"}, {edTrackbarDropDown, L"edTrackbarDropDown"},
         {edMemoDropDown, L"edMemoDropDown"}, {edCalculatorDropDown, L"edCalculatorDropDown"},
         {edTimePickerDropDown, L"edTimePickerDropDown"}, {edDetailDropDown, L"edDetailDropDown"},
         {edGridDropDown, L"edGridDropDown"}, {edColorPickerDropDown, L"edColorPickerDropDown"},
         {edImagePickerDropDown, L"edImagePickerDropDown"}, {edQorGridDropDown, L"edQorGridDropDown"},
         {edControlDropDown, L"edControlDropDown"}, {edPositiveFloat, L"edPositiveFloat"},
         {edNumericUnitEditBtn, L"edNumericUnitEditBtn"}, {edFloatUnitEditBtn, L"edFloatUnitEditBtn"},
         {edMaskEditBtn, L"edMaskEditBtn"}});
    RegisterEnumIdents<TCellType>(
        L"TCellType",
        {{ctBitmap, L"ctBitmap"}, {ctIcon, L"ctIcon"}, {ctNone, L"ctNone"}, {ctImageList, L"ctImageList"},
         {ctCheckBox, L"ctCheckBox"}, {ctDataCheckBox, L"ctDataCheckBox"}, {ctRotated, L"ctRotated"},
         {ctDataImage, L"ctDataImage"}, {ctNode, L"ctNode"}, {ctRadio, L"ctRadio"}, {ctEmpty, L"ctEmpty"},
         {ctImages, L"ctImages"}, {ctPicture, L"ctPicture"}, {ctFilePicture, L"ctFilePicture"},
         {ctValue, L"ctValue"}, {ctProgress, L"ctProgress"}, {ctComment, L"ctComment"}, {ctButton, L"ctButton"},
         {ctBitButton, L"ctBitButton"}, {ctVirtCheckBox, L"ctVirtCheckBox"}, {ctRowCheckBox, L"ctRowCheckBox"},
         {ctProgressPie, L"ctProgressPie"}, {ctSummary, L"ctSummary"}, {ctRangeIndicator, L"ctRangeIndicator"},
         {ctXPProgress, L"ctXPProgress"}, {ctInterface, L"ctInterface"}, {ctScrollbar, L"ctScrollbar"},
         {ctRadioButton, L"ctRadioButton"}, {ctBalloon, L"ctBalloon"}, {ctShape, L"ctShape"},
         {ctRating, L"ctRating"}, {ctTriStateCheckBox, L"ctTriStateCheckBox"}, {ctExpand, L"ctExpand"},
         {ctDataPicture, L"ctDataPicture"}, {ctVirtButton, L"ctVirtButton"}});
    RegisterEnumIdents<TCellHAlign>(L"TCellHAlign", {{haLeft, L"haLeft"}, {haRight, L"haRight"},
                                                     {haCenter, L"haCenter"}, {haBeforeText, L"haBeforeText"},
                                                     {haAfterText, L"haAfterText"}, {haFull, L"haFull"}});
    RegisterEnumIdents<TCellVAlign>(L"TCellVAlign", {{vaTop, L"vaTop"}, {vaBottom, L"vaBottom"},
                                                     {vaCenter, L"vaCenter"}, {vaUnderText, L"vaUnderText"},
                                                     {vaAboveText, L"vaAboveText"}, {vaFull, L"vaFull"}});
}

}  // namespace

void TCellProperties::RegisterProperties(TPropertyTable& T)
{
    using P = TCellProperties;
    T.Add(L"OwnerCol", &P::GetOwnerCol, &P::SetOwnerCol);
    T.Add(L"OwnerRow", &P::GetOwnerRow, &P::SetOwnerRow);
    T.Add(L"CellObject", &P::GetCellObject, &P::SetCellObject);
    T.Add(L"BrushStyle", &P::GetBrushStyle, &P::SetBrushStyle);
    T.AddColor(L"BrushColor", &P::GetBrushColor, &P::SetBrushColor);
    T.AddColor(L"BrushColorTo", &P::GetBrushColorTo, &P::SetBrushColorTo);
    T.Add(L"FontSize", &P::GetFontHeight, &P::SetFontHeight);
    T.AddColor(L"FontColor", &P::GetFontColor, &P::SetFontColor);
    T.Add(L"FontStyle", &P::GetFontStyle, &P::SetFontStyle);
    T.Add(L"CellSpanY", &P::GetCellSpanY, &P::SetCellSpanY);
    T.Add(L"CellSpanX", &P::GetCellSpanX, &P::SetCellSpanX);
    T.Add(L"BorderWidth", &P::GetBorderWidth, &P::SetBorderWidth);
    T.AddColor(L"BorderColor", &P::GetBorderColor, &P::SetBorderColor);
    T.Add(L"Alignment", &P::GetAlignment, &P::SetAlignment);
    T.Add(L"VAlignment", &P::GetVAlignment, &P::SetVAlignment);
    T.Add(L"WordWrap", &P::GetWordWrap, &P::SetWordWrap);
    T.Add(L"IsBaseCell", &P::GetIsBaseCell, &P::SetIsBaseCell);
    T.Add(L"NodeLevel", &P::GetNodeLevel, &P::SetNodeLevel);
    T.Add(L"Editor", &P::GetEditor, &P::SetEditor);
    T.Add(L"FontName", &P::GetFontName, &P::SetFontName);
    T.Add(L"ReadOnly", &P::GetReadOnly, &P::SetReadOnly);
    T.Add(L"GradientDirection", &P::GetGradientDirection, &P::SetGradientDirection);
    T.Add(L"Control", &P::GetControl, &P::SetControl);
}

void TBaseGrid::RegisterProperties(TPropertyTable& T)
{
    using G = TBaseGrid;
    T.Add(L"ActiveRowShow", &G::GetActiveRowShow, &G::SetActiveRowShow, false);
    T.AddColor(L"ActiveRowColor", &G::GetActiveRowColor, &G::SetActiveRowColor, clInfoBk);
    // Redeclared: the grid's own flag and line width (the framework's stay off and 0).
    T.Add(L"DefaultDrawing", &G::GetDefaultDrawing, &G::SetDefaultDrawing, false);
    T.Add(L"GridLineWidth", &G::GetGridLineWidth, &G::SetGridLineWidth, 1);
    T.AddColor(L"GridLineColor", &G::GetGridLineColor, &G::SetGridLineColor, TColor(0x00C0C0C0));
    T.AddColor(L"GridFixedLineColor", &G::GetGridFixedLineColor, &G::SetGridFixedLineColor, TColor(0x00808080));
    T.Add(L"HoverRow", &G::GetHoverRow, &G::SetHoverRow, false);
    T.AddColor(L"HoverRowColor", &G::GetHoverRowColor, &G::SetHoverRowColor, clInfoBk);
    T.AddColor(L"HoverRowColorTo", &G::GetHoverRowColorTo, &G::SetHoverRowColorTo, clNone);
    T.Add(L"HoverRowCells", &G::GetHoverRowCells, &G::SetHoverRowCells, THoverRowCells{hcNormal, hcSelected});
    T.AddEvent(L"OnGetDisplText", &G::OnGetDisplText);
    T.AddEvent(L"OnGetDisplWideText", &G::OnGetDisplWideText);
    T.Add(L"UndoRedo", &G::GetUndoRedo, &G::SetUndoRedo);
}

void TUndoRedoItem::RegisterProperties(TPropertyTable& T)
{
    using I = TUndoRedoItem;
    T.Add(L"Row", &I::GetRow, &I::SetRow);
    T.Add(L"Col", &I::GetCol, &I::SetCol);
    T.Add(L"Value", &I::GetValue, &I::SetValue);
    T.Add(L"OrigValue", &I::GetOrigValue, &I::SetOrigValue);
    T.Add(L"SequenceStart", &I::GetSequenceStart, &I::SetSequenceStart, false);
    T.Add(L"SequenceStop", &I::GetSequenceStop, &I::SetSequenceStop, false);
}

void TQorGridUndoRedo::RegisterProperties(TPropertyTable& T)
{
    using U = TQorGridUndoRedo;
    T.Add(L"MaxLevel", &U::GetMaxLevel, &U::SetMaxLevel, 0);
    T.AddEvent(L"OnUndo", &U::OnUndo);
    T.AddEvent(L"OnRedo", &U::OnRedo);
}

void RegisterBaseGridClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterGrids();
    RegisterGraphicsClasses();
    RegisterQorObjClasses();
    RegisterIdentTables();
    RegisterClasses<TCellProperties, TBaseCellGraphic, TCellGraphic, TUndoRedoItem, TUndoRedoCollection,
                    TQorGridUndoRedo, TBaseGrid>();
}
