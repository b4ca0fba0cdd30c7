// QorGridProps: the grid's simple published properties whose value lives in one of the grid's
// state records, written once per area and expanded three ways: into the record (the field),
// into the grid class (getter and setter) and into the grid's property table (name and stored
// default). The properties with accessors of their own (RowCount, ColCount, FixedRows, FixedCols,
// FixedColWidth, DefaultRowHeight, WordWrap, AutoSize, ScrollBars, Cursor, Version) are written
// out by hand in QorGrid.h and grid/store/QorGridRegister.cpp, as is DefaultAlignment, whose getter
// is the grid's virtual GetDefaultAlignment.
//
// A list row: X(Rec, Kind, Reg, Type, Name, Default, Init)
//   Rec      the grid's record holding F<Name>
//   Kind     Field   Set<Name> only stores
//            Visual  Set<Name> stores a changed value and repaints the grid (not while loading)
//            Setter  Set<Name> is written by hand in the .cpp of its area
//   Reg      Add / AddColor: published with Default as its stored default
//   Default  the stored default (a value equal to it is not written to a description)
//   Init     the value a new grid starts with (the constructor's; usually the default)
#pragma once

#include "grid/QorGridConsts.h"
#include "grid/store/QorOptionProps.h"

// Size and structure (QorGridDims.cpp).
#define QOR_GRID_STRUCT_PROPS(X)                                                    \
    X(FDims, Setter, Add, int, FixedFooters, 0, 0)                                  \
    X(FDims, Setter, Add, int, FixedRightCols, 0, 0)                                \
    X(FDims, Setter, Add, int, FixedRowHeight, 21, 21)                              \
    X(FDims, Field, Add, bool, FixedRowAlways, false, false)                        \
    X(FDims, Field, Add, bool, FixedColAlways, false, false)                        \
    X(FDims, Setter, Add, bool, IntegralHeight, false, false)                        \
    X(FDims, Setter, Add, bool, SizeWithForm, false, false)                         \
    X(FDims, Field, Add, bool, Multilinecells, false, false)

// Cell text and formats.
#define QOR_GRID_TEXT_PROPS(X)                                                      \
    X(FText, Setter, Add, TVAlignment, VAlignment, vtaTop, vtaTop)                  \
    X(FText, Field, Add, String, FloatFormat, L"", QorGridConsts::SDefaultFloatFormat)                         \
    X(FText, Setter, Add, TFormatType, FormatType, ftVCL, ftVCL)                     \
    X(FText, Visual, Add, bool, AutoNumAlign, false, false)                         \
    X(FText, Visual, Add, bool, EnableHTML, true, true)                             \
    X(FText, Field, Add, bool, EditWithTags, false, false)                          \
    X(FText, Field, Add, bool, EnhTextSize, false, false)                           \
    X(FText, Field, Add, bool, ExcelStyleDecimalSeparator, false, false)            \
    X(FText, Field, Add, bool, OemConvert, false, false)                            \
    X(FText, Field, Add, String, ValidChars, L"", L"")

// Editing.
#define QOR_GRID_EDIT_PROPS(X)                                                      \
    X(FEdit, Field, Add, TEditorType, DefaultEditor, edNormal, edNormal)            \
    X(FEdit, Setter, Add, int, MaxEditLength, 0, 0)                                 \
    X(FEdit, Field, Add, int, MaxComboLength, 0, 0)                                 \
    X(FEdit, Field, Add, bool, Lookup, false, false)                                \
    X(FEdit, Field, Add, bool, LookupCaseSensitive, false, false)                   \
    X(FEdit, Field, Add, bool, LookupHistory, false, false)                         \
    X(FEdit, Field, Add, String, InvalidEntryTitle, L"", L"")                       \
    X(FEdit, Field, Add, String, InvalidEntryText, L"", L"")                        \
    X(FEdit, Field, Add, TInvalidEntryIcon, InvalidEntryIcon, ieWarning, ieWarning) \
    X(FEdit, Visual, Add, bool, FixedAsButtons, false, false)                       \
    X(FEdit, Field, Add, bool, EnhRowColMove, true, true)

// Colours and look. Look's setter (the look's colours) and BorderColor's (the frame) are the
// grid's own; the colour setters repaint.
#define QOR_GRID_LOOK_PROPS(X)                                                      \
    X(FLookState, Setter, Add, TGridLook, Look, glXP, glXP)                         \
    X(FLookState, Setter, AddColor, TColor, BorderColor, 0x00B99D7F, 0x00B99D7F)    \
    X(FLookState, Setter, Add, bool, Flat, false, false)                            \
    X(FLookState, Visual, AddColor, TColor, DisabledFontColor, 0x00C0C0C0, 0x00C0C0C0) \
    X(FLookState, Setter, AddColor, TColor, HighlightColor, clHighlight, clHighlight) \
    X(FLookState, Setter, AddColor, TColor, HighlightTextColor, clHighlightText, clHighlightText) \
    X(FLookState, Setter, Add, bool, ActiveCellShow, false, false)                  \
    X(FLookState, Setter, AddColor, TColor, ActiveCellColor, 0x00808080, 0x00808080) \
    X(FLookState, Setter, AddColor, TColor, ActiveCellColorTo, clNone, clNone)      \
    X(FLookState, Setter, Add, bool, AutoThemeAdapt, false, false)                   \
    X(FLookState, Field, Add, bool, EnableBlink, false, false)                      \
    X(FLookState, Visual, Add, bool, HideFocusRect, false, false)                   \
    X(FLookState, Setter, Add, bool, ShowDesignHelper, true, true)

// Selection.
#define QOR_GRID_SELECTION_PROPS(X)                                                 \
    X(FSel, Setter, Add, bool, ShowSelection, true, true)                           \
    X(FSel, Visual, AddColor, TColor, SelectionColor, 0x00EACAB6, 0x00EACAB6)       \
    X(FSel, Visual, AddColor, TColor, SelectionColorTo, clNone, clNone)             \
    X(FSel, Visual, AddColor, TColor, SelectionMirrorColor, clNone, clNone)         \
    X(FSel, Visual, AddColor, TColor, SelectionMirrorColorTo, clNone, clNone)       \
    X(FSel, Visual, AddColor, TColor, SelectionTextColor, clBlack, clBlack)         \
    X(FSel, Visual, Add, bool, SelectionColorMixer, false, false)                   \
    X(FSel, Setter, Add, int, SelectionColorMixerFactor, 50, 50)                    \
    X(FSel, Visual, Add, bool, SelectionRectangle, false, false)                    \
    X(FSel, Visual, Add, bool, SelectionResizer, false, false)                      \
    X(FSel, Field, Add, bool, SelectionRTFKeep, false, false)                       \
    X(FSel, Visual, Add, bool, ShowFocusedSelectionColor, true, true)               \
    X(FSel, Visual, Add, bool, UseSelectionTextColor, true, true)                   \
    X(FSel, Field, Add, bool, AutoHideSelection, false, false)

// Hover, hints and links.
#define QOR_GRID_HINT_PROPS(X)                                                      \
    X(FHints, Field, Add, bool, Hovering, false, false)                             \
    X(FHints, Field, Add, THoverFixedCells, HoverFixedCells, hfNone, hfNone)        \
    X(FHints, Field, AddColor, TColor, HintColor, clInfoBk, clInfoBk)               \
    X(FHints, Field, Add, bool, HintShowCells, false, false)                        \
    X(FHints, Field, Add, bool, HintShowLargeText, false, false)                    \
    X(FHints, Field, Add, THintShowLargeTextPos, HintShowLargeTextPos, hpCell, hpCell) \
    X(FHints, Field, Add, bool, HintShowSizing, false, false)                       \
    X(FHints, Field, Add, bool, HTMLHint, false, false)                             \
    X(FHints, Setter, Add, bool, HTMLKeepLineBreak, true, true)                      \
    X(FHints, Field, Add, bool, AnchorHint, false, false)                           \
    X(FHints, Field, Add, bool, UseInternalHintClass, true, true)                   \
    X(FHints, Visual, AddColor, TColor, URLColor, 0x00FF0000, 0x00FF0000)           \
    X(FHints, Visual, Add, bool, URLShow, false, false)                             \
    X(FHints, Visual, Add, bool, URLShowInText, false, false)                       \
    X(FHints, Field, Add, bool, URLUnderlineOnHover, false, false)                  \
    X(FHints, Setter, Add, bool, URLFull, false, false)                             \
    X(FHints, Field, Add, bool, URLEdit, false, false)

// Scrolling and mouse. The scroll style setters keep the value; the flat and Metro bars that
// they switch come with the grid's scrolling.
#define QOR_GRID_SCROLL_PROPS(X)                                                    \
    X(FScroll, Setter, Add, TScrollBarAlways, ScrollBarAlways, saNone, saNone)      \
    X(FScroll, Setter, AddColor, TColor, ScrollColor, clNone, clNone)               \
    X(FScroll, Setter, Add, bool, ScrollProportional, false, false)                 \
    X(FScroll, Field, Add, bool, ScrollSynch, false, false)                         \
    X(FScroll, Setter, Add, TScrollType, ScrollType, ssNormal, ssNormal)            \
    X(FScroll, Setter, Add, int, ScrollWidth, 17, 17)                               \
    X(FScroll, Field, Add, TScrollHintType, ScrollHints, shNone, shNone)            \
    X(FScroll, Field, Add, bool, EnableWheel, true, true)                           \
    X(FScroll, Field, Add, TIntelliPan, IntelliPan, ipVertical, ipVertical)         \
    X(FScroll, Field, Add, bool, IntelliZoom, true, true)                           \
    X(FScroll, Field, Add, TPopupToolBarMode, PopupToolBarMode, tbActiveCell, tbActiveCell)

// Filtering. FilterActive's and FilterDropDownRow's setters keep the value; applying a filter and
// moving the drop-down row come with the grid's filtering.
#define QOR_GRID_FILTER_PROPS(X)                                                    \
    X(FFilterState, Setter, Add, bool, FilterActive, false, false)                  \
    X(FFilterState, Field, Add, TGridFilterType, FilterType, ftHide, ftHide)        \
    X(FFilterState, Field, Add, bool, FilterNormalCellsOnly, true, true)            \
    X(FFilterState, Field, Add, bool, AutoFilterUpdate, true, true)                 \
    X(FFilterState, Setter, Add, bool, FilterDropDownAuto, false, false)            \
    X(FFilterState, Field, Add, bool, FilterDropDownMultiCol, true, true)           \
    X(FFilterState, Field, Add, String, FilterDropDownClear, L"", QorGridConsts::SFilterDropDownAll)         \
    X(FFilterState, Field, Add, bool, FilterDropDownCheck, false, false)            \
    X(FFilterState, Field, Add, String, FilterDropDownCheckUnCheckAll, L"", L"")    \
    X(FFilterState, Field, Add, TFilterDropDownColumns, FilterDropDownColumns, fdNormal, fdNormal) \
    X(FFilterState, Setter, Add, int, FilterDropDownRow, 0, 0)

// Every list, in publishing order.
#define QOR_GRID_ALL_PROPS(X) \
    QOR_GRID_STRUCT_PROPS(X)  \
    QOR_GRID_TEXT_PROPS(X)    \
    QOR_GRID_EDIT_PROPS(X)    \
    QOR_GRID_LOOK_PROPS(X)    \
    QOR_GRID_SELECTION_PROPS(X) \
    QOR_GRID_HINT_PROPS(X)    \
    QOR_GRID_SCROLL_PROPS(X)  \
    QOR_GRID_FILTER_PROPS(X)

// Into a record: the field with its starting value.
#define QOR_GRID_PROP_FIELD(Rec, Kind, Reg, Type, Name, Default, Init) Type F##Name = Init;

// Into the grid class: the getter and, by kind, the setter.
#define QOR_GRID_PROP_DECLARE(Rec, Kind, Reg, Type, Name, Default, Init)          \
    TOptionArg<Type> Get##Name() const { return Rec.F##Name; }                     \
    QOR_GRID_PROP_SETTER_##Kind(Rec, Type, Name)
#define QOR_GRID_PROP_SETTER_Field(Rec, Type, Name) \
    void Set##Name(TOptionArg<Type> Value) { Rec.F##Name = Value; }
#define QOR_GRID_PROP_SETTER_Visual(Rec, Type, Name) \
    void Set##Name(TOptionArg<Type> Value)           \
    {                                                \
        if (Rec.F##Name == Value) return;            \
        Rec.F##Name = Value;                         \
        PropertyRepaint();                           \
    }
#define QOR_GRID_PROP_SETTER_Setter(Rec, Type, Name) void Set##Name(TOptionArg<Type> Value);

// Into the property table (inside TQorStringGrid::RegisterProperties, TSelf the grid class).
#define QOR_GRID_PROP_REGISTER(Rec, Kind, Reg, Type, Name, Default, Init) \
    Table.Reg(L## #Name, &TSelf::Get##Name, &TSelf::Set##Name, Type(Default));

// Into Assign: the field copied straight from the source grid's record.
#define QOR_GRID_PROP_COPY(Rec, Kind, Reg, Type, Name, Default, Init) Rec.F##Name = Source->Rec.F##Name;
