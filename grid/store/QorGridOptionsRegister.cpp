// Option objects: their published properties and the identifier tables of their value types, so
// that stored descriptions and the visual-properties file read and write them by name.
#include "grid/store/QorGridOptions.h"

#include "framework/Grids.h"
#include "framework/Printers.h"
#include "graphics/GDIPicture.h"

// An identifier table entry named after its value.
#define QOR_IDENT(Value) {Value, L## #Value}

void TSearchFooter::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TSearchFooter;
    QOR_SEARCHFOOTER_PROPS(QOR_OPTION_REGISTER)
    Table.Add(L"Font", &TSelf::GetFont, &TSelf::SetFont);
}

void TNavigation::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TNavigation;
    QOR_NAVIGATION_PROPS(QOR_OPTION_REGISTER)
    Table.Add(L"AutoGotoWhenSorted", &TSelf::GetAutoGotoWhenSorted, &TSelf::SetAutoGoto, false);
}

void TMouseActions::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TMouseActions;
    QOR_MOUSEACTIONS_PROPS(QOR_OPTION_REGISTER)
    Table.Add(L"FixedComboValues", &TSelf::GetFixedComboValues, &TSelf::SetFixedComboValues);
}

void TSyncGrid::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TSyncGrid;
    Table.Add(L"Grid", &TSelf::GetGrid, &TSelf::SetGrid);
    QOR_SYNCGRID_PROPS(QOR_OPTION_REGISTER)
}

void TBands::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TBands;
    QOR_BANDS_PROPS(QOR_OPTION_REGISTER)
}

void TFocusHelper::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Enabled", &TFocusHelper::GetEnabled, &TFocusHelper::SetEnabled, false);
}

void TCellNode::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TCellNode;
    QOR_CELLNODE_PROPS(QOR_OPTION_REGISTER)
    Table.Add(L"ExpandGlyph", &TSelf::GetExpandGlyph, &TSelf::SetExpandGlyph);
    Table.Add(L"ContractGlyph", &TSelf::GetContractGlyph, &TSelf::SetContractGlyph);
}

void TSizeWhileTyping::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TSizeWhileTyping;
    QOR_SIZEWHILETYPING_PROPS(QOR_OPTION_REGISTER)
}

void TColumnSize::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TColumnSize;
    QOR_COLUMNSIZE_PROPS(QOR_OPTION_REGISTER)
}

void THTMLSettings::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = THTMLSettings;
    QOR_HTMLSETTINGS_PROPS(QOR_OPTION_REGISTER)
}

void TPrintSettings::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TPrintSettings;
    QOR_PRINTSETTINGS_PROPS(QOR_OPTION_REGISTER)
    Table.Add(L"TitleLines", &TSelf::GetTitleLines, &TSelf::SetTitleLines);
    Table.Add(L"Font", &TSelf::GetFont, &TSelf::SetFont);
    Table.Add(L"HeaderFont", &TSelf::GetHeaderFont, &TSelf::SetHeaderFont);
    Table.Add(L"FooterFont", &TSelf::GetFooterFont, &TSelf::SetFooterFont);
    Table.Add(L"FixedFont", &TSelf::GetFixedFont, &TSelf::SetFixedFont);
}

void TBackGround::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TBackGround;
    Table.Add(L"Bitmap", &TSelf::GetBitmap, &TSelf::SetBitmap);
    QOR_BACKGROUND_PROPS(QOR_OPTION_REGISTER)
}

void TGrouping::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TGrouping;
    QOR_GROUPING_PROPS(QOR_OPTION_REGISTER)
}

void TBalloonSettings::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TBalloonSettings;
    QOR_BALLOONSETTINGS_PROPS(QOR_OPTION_REGISTER)
}

void TShowModified::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TShowModified;
    QOR_SHOWMODIFIED_PROPS(QOR_OPTION_REGISTER)
}

void TGridProgressAppearance::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TGridProgressAppearance;
    QOR_PROGRESSAPPEARANCE_PROPS(QOR_OPTION_REGISTER)
}

void TFilterDropDown::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TFilterDropDown;
    QOR_FILTERDROPDOWN_PROPS(QOR_OPTION_REGISTER)
    Table.Add(L"Font", &TSelf::GetFont, &TSelf::SetFont);
    Table.Add(L"Glyph", &TSelf::GetGlyph, &TSelf::SetGlyph);
    Table.Add(L"GlyphActive", &TSelf::GetGlyphActive, &TSelf::SetGlyphActive);
}

void TFilterEdit::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TFilterEdit;
    QOR_FILTEREDIT_PROPS(QOR_OPTION_REGISTER)
    Table.Add(L"TypeNames", &TSelf::GetTypeNames, &TSelf::SetTypeNames);
}

void TColorSetting::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TColorSetting;
    QOR_COLORSETTING_PROPS(QOR_OPTION_REGISTER)
}

void TAutoColor::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"NegativeNumber", &TAutoColor::GetNegativeNumber, &TAutoColor::SetNegativeNumber);
    Table.Add(L"PositiveNumber", &TAutoColor::GetPositiveNumber, &TAutoColor::SetPositiveNumber);
}

void THoverButtonsCollectionItem::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = THoverButtonsCollectionItem;
    QOR_HOVERBUTTON_PROPS(QOR_OPTION_REGISTER)
    Table.Add(L"Picture", &TSelf::GetPicture, &TSelf::SetPicture);
}

void THoverButtons::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = THoverButtons;
    Table.Add(L"Buttons", &TSelf::GetButtons, &TSelf::SetButtons);
    QOR_HOVERBUTTONS_PROPS(QOR_OPTION_REGISTER)
}

void TSortSettings::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TSortSettings;
    QOR_SORTSETTINGS_PROPS(QOR_OPTION_REGISTER)
    Table.Add(L"Row", &TSelf::GetRow, &TSelf::SetSortRow, 0);
    Table.Add(L"UpGlyph", &TSelf::GetUpGlyph, &TSelf::SetUpGlyph);
    Table.Add(L"DownGlyph", &TSelf::GetDownGlyph, &TSelf::SetDownGlyph);
    Table.Add(L"IndexUpGlyph", &TSelf::GetIndexUpGlyph, &TSelf::SetIndexUpGlyph);
    Table.Add(L"IndexDownGlyph", &TSelf::GetIndexDownGlyph, &TSelf::SetIndexDownGlyph);
}

void TControlLook::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TControlLook;
    QOR_CONTROLLOOK_PROPS(QOR_OPTION_REGISTER)
    QOR_CONTROLLOOK_INIT_PROPS(QOR_OPTION_REGISTER)
    Table.Add(L"CheckSize", &TSelf::GetCheckBoxSize, &TSelf::SetCheckBoxSize, 15);
    Table.Add(L"CheckedGlyph", &TSelf::GetCheckedGlyph, &TSelf::SetCheckedGlyph);
    Table.Add(L"UnCheckedGlyph", &TSelf::GetUnCheckedGlyph, &TSelf::SetUnCheckedGlyph);
    Table.Add(L"RadioOnGlyph", &TSelf::GetRadioOnGlyph, &TSelf::SetRadioOnGlyph);
    Table.Add(L"RadioOffGlyph", &TSelf::GetRadioOffGlyph, &TSelf::SetRadioOffGlyph);
    Table.Add(L"DropDownHeader", &TSelf::GetDropDownHeader, &TSelf::SetDropDownHeader);
    Table.Add(L"DropDownFooter", &TSelf::GetDropDownFooter, &TSelf::SetDropDownFooter);
}

namespace {

void RegisterOptionIdents()
{
    RegisterEnumIdents<TSearchType>(L"TSearchType", {QOR_IDENT(stSearch), QOR_IDENT(stNarrowDown)});
    RegisterEnumIdents<THighlightType>(L"THighlightType", {QOR_IDENT(hMatchingText), QOR_IDENT(hFullCell)});
    RegisterEnumIdents<TSearchDirection>(L"TSearchDirection", {QOR_IDENT(sdTopBottom), QOR_IDENT(sdLeftRight)});
    RegisterEnumIdents<TAdvanceDirection>(L"TAdvanceDirection",
                                          {QOR_IDENT(adLeftRight), QOR_IDENT(adTopBottom),
                                           QOR_IDENT(adLeftRightInRow), QOR_IDENT(adTopBottomInCol)});
    RegisterEnumIdents<TInsertPosition>(L"TInsertPosition", {QOR_IDENT(pInsertBefore), QOR_IDENT(pInsertAfter)});
    RegisterEnumIdents<TClipboardCutAction>(L"TClipboardCutAction", {QOR_IDENT(caClear), QOR_IDENT(caRemove)});
    RegisterEnumIdents<TClipboardPasteAction>(L"TClipboardPasteAction",
                                              {QOR_IDENT(paReplace), QOR_IDENT(paInsert)});
    RegisterEnumIdents<TCursorAdvance>(L"TCursorAdvance",
                                       {QOR_IDENT(caDefault), QOR_IDENT(caSnake), QOR_IDENT(caLoop)});
    RegisterEnumIdents<THomeEndAction>(L"THomeEndAction",
                                       {QOR_IDENT(heFirstLastColumn), QOR_IDENT(heFirstLastRow),
                                        QOR_IDENT(heFirstLastCell), QOR_IDENT(heDefault)});
    RegisterEnumIdents<TToggleTriStateCheck>(L"TToggleTriStateCheck",
                                             {QOR_IDENT(tsAllStates), QOR_IDENT(tsCheckUnCheck)});
    RegisterEnumIdents<TGridFixedCellEdit>(L"TGridFixedCellEdit",
                                           {QOR_IDENT(fceNone), QOR_IDENT(fceDblClick), QOR_IDENT(fceLeftClick),
                                            QOR_IDENT(fceRightClick)});
    RegisterEnumIdents<TGridFixedCellEditor>(L"TGridFixedCellEditor",
                                             {QOR_IDENT(fceEdit), QOR_IDENT(fceComboEdit), QOR_IDENT(fceComboList)});
    RegisterEnumIdents<TWheelAction>(L"TWheelAction", {QOR_IDENT(waMoveSelection), QOR_IDENT(waScroll)});
    RegisterEnumIdents<TWheelActive>(L"TWheelActive", {QOR_IDENT(waFocus), QOR_IDENT(waMouseOver)});
    RegisterEnumIdents<TNodeType>(L"TNodeType", {QOR_IDENT(cnFlat), QOR_IDENT(cn3D), QOR_IDENT(cnGlyph),
                                                 QOR_IDENT(cnLeaf), QOR_IDENT(cnXP)});
    RegisterEnumIdents<TColumnSizeLocation>(L"TColumnSizeLocation", {QOR_IDENT(clRegistry), QOR_IDENT(clIniFile)});
    RegisterEnumIdents<TAutoSizeRows>(L"TAutoSizeRows", {QOR_IDENT(arAll), QOR_IDENT(arNormal), QOR_IDENT(arFixed),
                                                         QOR_IDENT(arVisible)});
    RegisterEnumIdents<TPrintPosition>(L"TPrintPosition",
                                       {QOR_IDENT(ppNone), QOR_IDENT(ppTopLeft), QOR_IDENT(ppTopRight),
                                        QOR_IDENT(ppTopCenter), QOR_IDENT(ppBottomLeft), QOR_IDENT(ppBottomRight),
                                        QOR_IDENT(ppBottomCenter)});
    RegisterEnumIdents<TPrintBorders>(L"TPrintBorders",
                                      {QOR_IDENT(pbNoborder), QOR_IDENT(pbSingle), QOR_IDENT(pbDouble),
                                       QOR_IDENT(pbVertical), QOR_IDENT(pbHorizontal), QOR_IDENT(pbAround),
                                       QOR_IDENT(pbAroundVertical), QOR_IDENT(pbAroundHorizontal),
                                       QOR_IDENT(pbCustom)});
    RegisterEnumIdents<TFitToPage>(L"TFitToPage", {QOR_IDENT(fpNever), QOR_IDENT(fpGrow), QOR_IDENT(fpShrink),
                                                   QOR_IDENT(fpAlways), QOR_IDENT(fpCustom)});
    RegisterEnumIdents<TBackGroundDisplay>(L"TBackGroundDisplay",
                                           {QOR_IDENT(bdTile), QOR_IDENT(bdFixed), QOR_IDENT(bdGradientHorz),
                                            QOR_IDENT(bdGradientVert)});
    RegisterEnumIdents<TBackGroundCells>(L"TBackGroundCells",
                                         {QOR_IDENT(bcNormal), QOR_IDENT(bcFixed), QOR_IDENT(bcAll)});
    RegisterEnumIdents<TProgressStyle>(L"TProgressStyle", {QOR_IDENT(psXP), QOR_IDENT(psClassic)});
    RegisterEnumIdents<TFilterMethod>(L"TFilterMethod", {QOR_IDENT(fmExpression), QOR_IDENT(fmLiteral)});
    RegisterEnumIdents<TFilterDropDownColumns>(L"TFilterDropDownColumns", {QOR_IDENT(fdNormal), QOR_IDENT(fdAll)});
    RegisterEnumIdents<THoverButtonPosition>(L"THoverButtonPosition",
                                             {QOR_IDENT(hbLeftFromColumnLeft), QOR_IDENT(hbRightFromColumnLeft),
                                              QOR_IDENT(hbLeftFromColumnRight), QOR_IDENT(hbRightFromColumnRight)});
    RegisterEnumIdents<THoverRows>(L"THoverRows", {QOR_IDENT(hrAll), QOR_IDENT(hrNormal)});
    RegisterEnumIdents<TSortDirection>(L"TSortDirection", {QOR_IDENT(sdAscending), QOR_IDENT(sdDescending)});
    RegisterEnumIdents<TSortBlankPosition>(L"TSortBlankPosition", {QOR_IDENT(blFirst), QOR_IDENT(blLast)});
    RegisterEnumIdents<TSortStyle>(
        L"TSortStyle",
        {QOR_IDENT(ssAutomatic), QOR_IDENT(ssAlphabetic), QOR_IDENT(ssNumeric), QOR_IDENT(ssDate),
         QOR_IDENT(ssAlphaNoCase), QOR_IDENT(ssAlphaCase), QOR_IDENT(ssShortDateEU), QOR_IDENT(ssShortDateUS),
         QOR_IDENT(ssCustom), QOR_IDENT(ssFinancial), QOR_IDENT(ssAnsiAlphaCase), QOR_IDENT(ssAnsiAlphaNoCase),
         QOR_IDENT(ssRaw), QOR_IDENT(ssHTML), QOR_IDENT(ssImages), QOR_IDENT(ssCheckBox), QOR_IDENT(ssDateTime),
         QOR_IDENT(ssTime), QOR_IDENT(ssAlphaNumeric), QOR_IDENT(ssAlphaNumericNoCase), QOR_IDENT(ssNatural),
         QOR_IDENT(ssVarDate)});
    RegisterEnumIdents<TIndexSortKey>(L"TIndexSortKey", {QOR_IDENT(ikShift), QOR_IDENT(ikCtrl)});
    RegisterEnumIdents<QorGrid::TControlStyle>(L"TControlStyle",
                                               {QOR_IDENT(csClassic), QOR_IDENT(csFlat), QOR_IDENT(csWinXP),
                                                QOR_IDENT(csBorland), QOR_IDENT(csJOQ), QOR_IDENT(csGlyph),
                                                QOR_IDENT(csTheme)});
    RegisterPrinterTypes();
}

} // namespace

void RegisterQorGridOptionClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterQorDropDownClasses();
    RegisterQorObjClasses();
    RegisterOptionIdents();
    RegisterGrids();
    RegisterClass<TGDIPPicture>();
    RegisterClasses<TSearchFooter, TNavigation, TMouseActions, TSyncGrid, TBands, TFocusHelper, TQorHintInfo,
                    TCellNode, TSizeWhileTyping, TColumnSize, THTMLSettings, TPrintSettings, TBackGround,
                    TGrouping, TBalloonSettings, TShowModified, TGridProgressAppearance, TFilterDropDown,
                    TFilterEdit, TColorSetting, TAutoColor, THoverButtonsCollectionItem, THoverButtonsCollection,
                    THoverButtons, TSortSettings, TControlLook>();
}
