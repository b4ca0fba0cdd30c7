// Registration of the grid's satellite classes.
#include "grid/QorGridSatellites.h"

#include "framework/StdCtrls.h"

#define QOR_IDENT(Value) {Value, L## #Value}

void RegisterQorGridSatelliteClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    // The controls' common published properties (Left, Visible, Font, ...).
    RegisterStdCtrls();
    RegisterQorGridButtonClasses();
    RegisterQorCheckBoxClasses();
    RegisterEnumIdents<TFooterStyle>(L"TFooterStyle", {QOR_IDENT(fsFixedLastRow), QOR_IDENT(fsColumnPreview),
                                                       QOR_IDENT(fsCustomPreview), QOR_IDENT(fsCustomPaint)});
    RegisterEnumIdents<TArrowDirection>(L"TArrowDirection",
                                        {QOR_IDENT(arrUp), QOR_IDENT(arrDown), QOR_IDENT(arrLeft), QOR_IDENT(arrRight)});
    RegisterEnumIdents<TScrollDirection>(L"TScrollDirection", {QOR_IDENT(sdVertical), QOR_IDENT(sdHorizontal)});
    RegisterClasses<TFloatingFooter, TDragDropSettings, TDragScrollDelays, TDragScrollMargins, TDragScrollOptions>();
    RegisterClasses<TFooterPanel, TSearchPanel, TRetEdit, TGridTransEdit, TGridTransCombo, TGridCheckBox, TGridButton,
                    THeaderDragButton, TControlEdit, TControlCombo, TNoActiveForm, TDropList, TDropCheckList,
                    TScrollControl, THTMLHintWindow, TQorRichEdit, TGridFocusWindow, TArrowWindow>();
}
