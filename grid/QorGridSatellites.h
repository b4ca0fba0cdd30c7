// QorGridSatellites: the classes whose objects the grid creates for its later areas, and their
// registration by name. Each stands on its own and keeps the grid it serves (its owner); the
// steps that reach into the grid come with the grid's painting, input and exchange.
//
//   paint/ArrowFocusWindows      TArrowWindow, TGridFocusWindow, TGridAlphaMask, the blur
//   paint/QorGridButton          TQorGridButton, TQorGridButtonActionLink (the panel's buttons)
//   paint/QorCheckBox            TQorCheckBox, DrawParentImage (the panel's match-case box)
//   input/FloatingFooter         TFloatingFooter, TFooterPanel, ReplaceColumnTags
//   input/SearchPanel            TSearchPanel, TRetEdit
//   input/HeaderEditors          TGridTransEdit, TGridTransCombo
//   input/CellEditors            TGridCheckBox, TGridButton
//   input/HTMLControlEditors     TControlEdit, TControlCombo
//   input/QorRichEdit            TQorRichEdit
//   input/FilterLists            TDropList, TDropCheckList, TNoActiveForm
//   input/ScrollControl          TScrollControl and the thumb arithmetic
//   input/HTMLHintWindow         THTMLHintWindow, WideHintFontName
//   input/HeaderDragButton       THeaderDragButton
//   input/BalloonText            balloon tip texts and titles
//   exchange/DragDropSettings    TDragDropSettings, TDragScrollOptions (+ delays, margins)
//   exchange/jyrdd               the process-wide RTF switch of drag and drop
#pragma once

#include "grid/exchange/DragDropSettings.h"
#include "grid/input/CellEditors.h"
#include "grid/input/FilterLists.h"
#include "grid/input/FloatingFooter.h"
#include "grid/input/HTMLControlEditors.h"
#include "grid/input/HTMLHintWindow.h"
#include "grid/input/HeaderDragButton.h"
#include "grid/input/HeaderEditors.h"
#include "grid/input/QorRichEdit.h"
#include "grid/input/ScrollControl.h"
#include "grid/input/SearchPanel.h"
#include "grid/paint/ArrowFocusWindows.h"

// Registers the satellites' classes with their published properties, and the identifier tables
// of their value types, so that stored descriptions and the visual-properties file read and
// write them by name. Runs once. The grid's unit start-up calls it before registering its own
// list of classes for streaming.
void RegisterQorGridSatelliteClasses();
