// QorGridOptions: the grid's option objects. The grid creates one of each in its constructor, owns
// it, frees it in its destructor and publishes it as a nested property (SearchFooter.Visible,
// ControlLook.DropDownHeader.Font.Name), so that stored descriptions and the visual-properties
// file read and write them by name. The objects hold values; the areas that read them carry out
// what they mean.
//
// Files:
//   QorGridOptions.h          this header: the grid's side of the contract, then every class
//   QorOptionProps.h          the property-list macros the classes are declared with
//   QorHintInfo.h/.cpp        TQorHintInfo (the office hint)
//   QorGridOptions1.cpp       search bar, navigation, mouse, synchronised grid, bands, focus helper
//   QorGridOptions2.cpp       nodes, column sizes, HTML, printing, background, grouping, balloons,
//                             modified marks, progress cells, filters, colours by sign, hover buttons
//   QorGridSortLook.cpp       sort settings with the sort settings string, and the control look
//   QorGridOptionsRegister.cpp  published properties and identifier tables of all of them
//
// The common pattern: Assign from an object of the same class copies the listed fields directly
// (no setter runs, nobody is told) and ignores any other source, unless a class says otherwise.
// A class with OnChange fires it from Changed; the grid sets the handler when it creates the
// object. Classes that reach the grid itself (repaint it, ask it, make it sort) do so through
// IQorOptionsGrid, which the grid implements.
#pragma once

#include "controls/QorDropDown.h"
#include "framework/Graphics.h"
#include "framework/Printers.h"
#include "grid/QorGridConsts.h"
#include "grid/QorGridDefs.h"
#include "grid/store/QorHintInfo.h"
#include "grid/store/QorObj.h"
#include "grid/store/QorOptionProps.h"

class TStringGrid;

// ---- the grid's side -----------------------------------------------------------------------------

// What the option objects ask of the grid that owns them. The grid class derives from this
// interface; an option object finds it by casting the owner it was created with, so an owner that
// is no grid (a test, a drop-down's private copy) simply has none: then repaints are skipped,
// the grid has no fixed rows, no nodes and no parent, and nothing is sorted or filtered.
class IQorOptionsGrid {
public:
    virtual ~IQorOptionsGrid() = default;

    // Repaints the whole grid.
    virtual void OptionsInvalidate() = 0;
    // Repaints one row (a display row).
    virtual void OptionsRepaintRow(int ARow) = 0;
    virtual int OptionsFixedRows() const = 0;
    // True while the grid holds at least one node.
    virtual bool OptionsHasNodes() const = 0;
    // True when the grid has a parent control.
    virtual bool OptionsHasParent() const = 0;
    // The grid's StretchColumn(ACol, NewWidth): -1 for the last column, -1 for the client width.
    virtual void OptionsStretchColumn(int ACol, int NewWidth) = 0;
    // The grid's multi-column sort list.
    virtual TSortIndexList* OptionsSortIndexList() = 0;
    // The grid's QSort (by SortSettings.Column and Direction) and QSortIndexed (by the index list).
    virtual void OptionsQSort() = 0;
    virtual void OptionsQSortIndexed() = 0;
    // The filter-edit row switched on or off: switch filtering off (SetFilterActive(false)), drop
    // every filter condition, and clear the texts of row ARow over all columns (ClearRect).
    virtual void OptionsResetFilterEdit(int ARow) = 0;
    // The grid's public setters of its fixed-cell gradient: each stores the colour as a plain RGB
    // value (a system colour resolved now; clNone stays clNone) and repaints the grid.
    virtual void SetJOQGradFrom(TColor Value) = 0;
    virtual void SetJOQGradTo(TColor Value) = 0;
    virtual void SetJOQGradMirrorFrom(TColor Value) = 0;
    virtual void SetJOQGradMirrorTo(TColor Value) = 0;
    // Stores one of the grid's hover or pressed fixed-cell colours, without a repaint.
    virtual void OptionsStoreJOQGrad(TJOQGradField Field, TColor Value) = 0;
};

// The grid interface of an owner, or null when the owner is none.
IQorOptionsGrid* OptionsGridOf(TComponent* Owner);
// Repaints the owner when it is a grid.
void InvalidateOptionsGrid(TComponent* Owner);

// =================================================================================================
// Search bar, navigation, mouse, synchronised grid, bands, focus helper        QorGridOptions1.cpp
// =================================================================================================

// The search bar at the bottom of the grid. The grid answers OnChange by copying every setting
// into its search panel.
#define QOR_SEARCHFOOTER_PROPS(X)                                                               \
    X(Differs, Add, Copy, bool, Visible, false)                                                 \
    X(Always, AddColor, Copy, TColor, Color, 0x00FFFFFF)                                        \
    X(Always, AddColor, Copy, TColor, ColorTo, clBtnFace)                                       \
    X(Always, Add, Copy, String, FindNextCaption, L"")                                          \
    X(Always, Add, Copy, String, FindPrevCaption, L"")                                          \
    X(Always, Add, Copy, String, HighLightCaption, L"")                                         \
    X(Always, Add, Copy, String, MatchCaseCaption, L"")                                         \
    X(Always, Add, Copy, String, HintClose, L"")                                                \
    X(Always, Add, Copy, String, HintFindNext, L"")                                             \
    X(Always, Add, Copy, String, HintFindPrev, L"")                                             \
    X(Always, Add, Copy, String, HintHighlight, L"")                                            \
    X(Always, Add, Copy, bool, ShowClose, true)                                                 \
    X(Differs, Add, Copy, bool, ShowFindNext, true)                                             \
    X(Differs, Add, Copy, bool, ShowFindPrev, true)                                             \
    X(Differs, Add, Copy, bool, ShowHighLight, true)                                            \
    X(Differs, Add, Copy, bool, ShowMatchCase, true)                                            \
    X(Differs, Add, Copy, bool, ShowResults, false)                                             \
    X(Differs, AddColor, Copy, TColor, SearchColor, clWindow)                                   \
    X(Differs, AddColor, Copy, TColor, SearchTextColor, clWindowText)                           \
    X(Differs, Add, Copy, TSearchType, SearchType, stSearch)                                    \
    X(Setter, Add, Keep, bool, AutoSearch, true)                                                \
    X(Field, Add, Copy, bool, AlwaysHighLight, false)                                           \
    X(Field, Add, Copy, THighlightType, HighLight, hMatchingText)                               \
    X(Field, Add, Copy, bool, IgnoreHTML, true)                                                 \
    X(Field, Add, Copy, bool, IgnoreAccents, false)                                             \
    X(Field, Add, Copy, String, ResultFormat, QorGridConsts::SSearchResultFormat)               \
    X(Field, Add, Copy, bool, SearchActiveColumnOnly, false)                                    \
    X(Field, Add, Copy, int, SearchColumn, -1)                                                  \
    X(Field, Add, Copy, bool, SearchMatchStart, false)                                          \
    X(Field, Add, Keep, bool, SearchFixedCells, false)                                          \
    X(Field, Add, Copy, bool, SearchHiddenRows, false)                                          \
    X(Field, Add, Copy, bool, SearchFromFocusCell, false)                                       \
    X(Field, Add, Copy, TSearchDirection, SearchDirection, sdTopBottom)                         \
    X(Field, AddColor, Copy, TColor, SearchErrorColor, 0x000000FF)                              \
    X(Field, AddColor, Copy, TColor, SearchErrorTextColor, 0x00FFFFFF)

class TSearchFooter : public TPersistent {
    DECLARE_CLASS(TSearchFooter, TPersistent)
public:
    // InitDesign: the grid was just placed in a form designer; the captions and hints get their
    // English texts (otherwise they stay empty until a description sets them). The owner is not
    // kept.
    TSearchFooter(TComponent* AOwner, bool InitDesign);
    ~TSearchFooter() override;

    // Every published property but AutoSearch and SearchFixedCells; the font through its own copy
    // (whose change notification reaches OnChange).
    void Assign(TPersistent* Source) override;
    // Fires OnChange when a handler is set.
    void Changed();
    // The font's change handler: Changed.
    void FontChanged(TObject* Sender);

    TFont* GetFont() const { return FFont; }
    // Copies the given font, then Changed.
    void SetFont(TFont* Value);
    // The grid's automatic theme flag, copied in by the grid; the setter calls Changed always.
    bool GetAutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    // The last searched text (AutoSearch empties it) and the result label's position and count.
    const String& GetLastSearch() const { return FLastSearch; }
    void SetLastSearch(const String& Value) { FLastSearch = Value; }
    int GetResultPos() const { return FResultPos; }
    void SetResultPos(int Value) { FResultPos = Value; }
    int GetResultTot() const { return FResultTot; }
    void SetResultTot(int Value) { FResultTot = Value; }

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

    QOR_SEARCHFOOTER_PROPS(QOR_OPTION_DECLARE)

private:
    TFont* FFont;
    bool FAutoThemeAdapt = false;
    String FLastSearch;
    int FResultPos = 0;
    int FResultTot = 0;
};

// Keyboard, editing-start and clipboard behaviour. The grid answers OnChange with its
// OnNavigationChanged hook.
#define QOR_NAVIGATION_PROPS(X)                                                         \
    X(Field, Add, Copy, bool, AllowInsertRow, false)                                    \
    X(Field, Add, Copy, bool, AllowDeleteRow, false)                                    \
    X(Field, Add, Copy, bool, AlwaysEdit, false)                                        \
    X(Field, Add, Copy, bool, AdvanceOnEnter, false)                                    \
    X(Field, Add, Copy, bool, AdvanceOnEnterLoop, true)                                 \
    X(Differs, Add, Copy, bool, AdvanceInsert, false)                                   \
    X(Field, Add, Copy, bool, AdvanceAutoEdit, true)                                    \
    X(Field, Add, Copy, bool, AdvanceSkipReadOnlyCells, true)                           \
    X(Setter, Add, Copy, bool, AdvanceAuto, false)                                      \
    X(Differs, Add, Copy, TAdvanceDirection, AdvanceDirection, adLeftRight)             \
    X(Field, Add, Copy, TAdvanceDirection, TabAdvanceDirection, adLeftRight)            \
    X(Field, Add, Copy, bool, TabToNextAtEnd, false)                                    \
    X(Field, Add, Copy, bool, AutoGotoIncremental, false)                               \
    X(Field, Add, Copy, bool, AutoComboDropSize, false)                                 \
    X(Field, Add, Copy, bool, AutoComboSelect, true)                                    \
    X(Field, Add, Copy, bool, AllowClipboardShortCuts, false)                           \
    X(Field, Add, Copy, bool, AllowCtrlEnter, true)                                     \
    X(Field, Add, Copy, bool, AllowSmartClipboard, false)                               \
    X(Field, Add, Copy, bool, AllowRTFClipboard, false)                                 \
    X(Field, Add, Copy, bool, AllowClipboardAlways, false)                              \
    X(Field, Add, Copy, bool, AllowFmtClipboard, false)                                 \
    X(Field, Add, Copy, bool, AllowClipboardRowGrow, true)                              \
    X(Field, Add, Copy, bool, AllowClipboardColGrow, true)                              \
    X(Field, Add, Copy, bool, AllowEditButtonCells, false)                              \
    X(Field, Add, Copy, bool, AppendOnArrowDown, false)                                 \
    X(Field, Add, Copy, bool, EditSelectAll, true)                                      \
    X(Field, Add, Copy, TInsertPosition, InsertPosition, pInsertBefore)                 \
    X(Field, Add, Copy, TClipboardCutAction, ClipboardCutAction, caClear)               \
    X(Field, Add, Copy, TClipboardPasteAction, ClipboardPasteAction, paReplace)         \
    X(Field, Add, Copy, bool, ComboGetUpDown, true)                                     \
    X(Field, Add, Copy, TCursorAdvance, CursorAdvance, caDefault)                       \
    X(Field, Add, Copy, bool, CursorWalkEditor, false)                                  \
    X(Field, Add, Copy, bool, CursorWalkAlwaysEdit, true)                               \
    X(Field, Add, Copy, bool, CursorMoveRows, false)                                    \
    X(Field, Add, Copy, bool, MoveRowOnSort, false)                                     \
    X(Field, Add, Keep, bool, KeepScrollOnSort, false)                                  \
    X(Field, Add, Copy, bool, MoveRowOnScroll, false)                                   \
    X(Field, Add, Copy, bool, MoveScrollOnly, false)                                    \
    X(Field, Add, Copy, bool, ImproveMaskSel, false)                                    \
    X(Field, Add, Copy, bool, LeftRightRowSelect, true)                                 \
    X(Field, Add, Copy, bool, CopyHTMLTagsToClipboard, true)                            \
    X(Field, Add, Copy, bool, KeepHorizScroll, false)                                   \
    X(Field, Add, Copy, bool, LineFeedOnEnter, false)                                   \
    X(Field, Add, Copy, THomeEndAction, HomeEndKey, heFirstLastColumn)                  \
    X(Field, Add, Copy, bool, SkipFixedCells, true)                                     \
    X(Field, Add, Copy, bool, SkipDisabledRows, true)                                   \
    X(Field, Add, Copy, TToggleTriStateCheck, ToggleTriStateCheck, tsAllStates)

class TNavigation : public TPersistent {
    DECLARE_CLASS(TNavigation, TPersistent)
public:
    TNavigation() = default;

    // Every property but KeepScrollOnSort.
    void Assign(TPersistent* Source) override;
    void Changed();

    // AutoGotoWhenSorted; its writer SetAutoGoto only stores.
    bool GetAutoGotoWhenSorted() const { return FAutoGotoWhenSorted; }
    void SetAutoGoto(bool Value) { FAutoGotoWhenSorted = Value; }

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

    // SetAdvanceAuto stores a changed value; switching it on also switches AdvanceOnEnter on
    // (without Changed). SetAdvanceDirection and SetAdvanceInsert call Changed when the value
    // differs; the rest only store.
    QOR_NAVIGATION_PROPS(QOR_OPTION_DECLARE)

private:
    bool FAutoGotoWhenSorted = false;
};

// Mouse selection, sizing, direct editing and wheel behaviour. The grid points OnChange at its
// OnMouseActionsChanged hook, OnInvalidate at OnMouseActionsInvalidate (repaints the grid) and
// OnIsDesigning at OnMouseActionsIsDesigning; it leaves OnDisableEdit unset.
#define QOR_MOUSEACTIONS_PROPS(X)                                                           \
    X(Field, Add, Copy, bool, AllColumnSize, false)                                         \
    X(Field, Add, Copy, bool, AllRowSize, false)                                            \
    X(Field, Add, Copy, bool, AllSelect, false)                                             \
    X(Field, Add, Copy, bool, ColSelect, false)                                             \
    X(Field, Add, Copy, bool, RowSelect, false)                                             \
    X(Field, Add, Copy, bool, AutoFocus, false)                                             \
    X(Field, Add, Copy, bool, AutoSizeColOnDblClick, true)                                  \
    X(Field, Add, Copy, bool, CaretPositioning, false)                                      \
    X(Field, Add, Copy, bool, CheckAllCheck, false)                                         \
    X(Field, Add, Copy, bool, DirectEdit, false)                                            \
    X(Field, Add, Copy, bool, DirectComboDrop, false)                                       \
    X(Field, Add, Copy, bool, DirectDateDrop, false)                                        \
    X(Field, Add, Copy, bool, DirectDateClose, false)                                       \
    X(Field, Add, Copy, bool, DirectComboClose, false)                                      \
    X(Field, Add, Copy, bool, DisjunctRowSelect, false)                                     \
    X(Field, Add, Copy, bool, DisjunctColSelect, false)                                     \
    X(Field, Add, Copy, bool, DisjunctCellSelect, false)                                    \
    X(Field, Add, Copy, bool, DisjunctRowSelectNoCtrl, false)                               \
    X(Field, Add, Copy, bool, DisjunctColSelectNoCtrl, false)                               \
    X(Setter, Add, Keep, bool, EditOnDblClickOnly, false)                                   \
    X(Field, Add, Copy, TGridFixedCellEdit, FixedRowsEdit, fceNone)                         \
    X(Field, Add, Copy, TGridFixedCellEdit, FixedColsEdit, fceNone)                         \
    X(Field, Add, Copy, TGridFixedCellEditor, FixedRowsEditor, fceEdit)                     \
    X(Field, Add, Copy, TGridFixedCellEditor, FixedColsEditor, fceEdit)                     \
    X(Setter, Add, Keep, bool, HotmailRowSelect, false)                                     \
    X(Field, Add, Copy, bool, MoveRowOnNodeClick, false)                                    \
    X(Field, Add, Copy, bool, NodeAllExpandContract, false)                                 \
    X(Field, Add, Copy, bool, ToggleNodeOnDblClick, false)                                  \
    X(Field, Add, Copy, bool, PreciseNodeClick, true)                                       \
    X(Field, Add, Copy, bool, NoAutoRangeScroll, false)                                     \
    X(Field, Add, Copy, bool, NoScrollOnPartialRow, false)                                  \
    X(Field, Add, Copy, bool, NoScrollOnPartialCol, false)                                  \
    X(Field, Add, Copy, int, PartialScrollDelta, 0)                                         \
    X(Field, Add, Copy, bool, PreciseCheckBoxCheck, false)                                  \
    X(Field, Add, Copy, bool, RangeSelectAndEdit, false)                                    \
    X(Field, Add, Copy, bool, RowSelectPersistent, false)                                   \
    X(Field, Add, Copy, bool, SelectOnRightClick, false)                                    \
    X(Field, Add, Copy, bool, SelectOnRightClickNewSelectionOnly, false)                    \
    X(Field, Add, Copy, bool, SizeFixedCol, false)                                          \
    X(Field, Add, Keep, bool, SizeFixedRow, false)                                          \
    X(Field, Add, Copy, bool, TouchScroll, false)                                           \
    X(Differs, Add, Copy, TWheelAction, WheelAction, waMoveSelection)                       \
    X(Field, Add, Copy, TWheelActive, WheelActive, waFocus)                                 \
    X(Field, Add, Copy, int, WheelIncrement, 0)

class TMouseActions : public TPersistent {
    DECLARE_CLASS(TMouseActions, TPersistent)
public:
    // The owner is not kept.
    explicit TMouseActions(TComponent* AOwner);
    ~TMouseActions() override;

    // Every property but SizeFixedRow, HotmailRowSelect, EditOnDblClickOnly and FixedComboValues.
    void Assign(TPersistent* Source) override;
    void Changed();
    // The answer of OnIsDesigning; false without a handler.
    bool IsDesigning();

    // The values the fixed-cell combo editor offers; the setter copies the given lines.
    TStrings* GetFixedComboValues() const { return FFixedComboValues; }
    void SetFixedComboValues(TStrings* Value) { FFixedComboValues->Assign(Value); }

    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;
    TNotifyEvent OnDisableEdit;
    TIsDesigningEvent OnIsDesigning;

    static void RegisterProperties(TPropertyTable& Table);

    // SetHotmailRowSelect stores; switched on it also switches DisjunctRowSelect and CheckAllCheck
    // on; then it fires OnInvalidate. SetEditOnDblClickOnly stores and, switched on, fires
    // OnDisableEdit. SetWheelAction calls Changed when the value differs. The three disjunct
    // selections are independent of one another.
    QOR_MOUSEACTIONS_PROPS(QOR_OPTION_DECLARE)

private:
    TStringList* FFixedComboValues;
};

// A second string grid kept in step with the owner grid.
#define QOR_SYNCGRID_PROPS(X)                            \
    X(Field, Add, Copy, bool, ScrollHorizontal, false)   \
    X(Field, Add, Copy, bool, ScrollVertical, false)     \
    X(Field, Add, Copy, bool, SelectionRow, false)       \
    X(Field, Add, Copy, bool, SelectionColumn, false)    \
    X(Field, Add, Copy, bool, MoveRow, false)            \
    X(Field, Add, Copy, bool, MoveColumn, false)

class TSyncGrid : public TPersistent {
    DECLARE_CLASS(TSyncGrid, TPersistent)
public:
    explicit TSyncGrid(TComponent* AOwner);
    ~TSyncGrid() override;

    // Grid through its setter, and the six flags.
    void Assign(TPersistent* Source) override;

    TStringGrid* GetGrid() const { return FGrid; }
    // Links (or, with nil, unlinks) the partner grid; linking the owner itself is ignored. The link
    // clears itself when the partner is freed.
    void SetGrid(TStringGrid* Value);
    TComponent* GetOwnerGrid() const { return FOwner; }

    static void RegisterProperties(TPropertyTable& Table);

    QOR_SYNCGRID_PROPS(QOR_OPTION_DECLARE)

private:
    class TPartnerWatch;
    TComponent* FOwner;
    TStringGrid* FGrid = nullptr;
    TPartnerWatch* FWatch;
};

// Alternating row colours: a normal row r takes PrimaryColor when (r - FixedRows) modulo the cycle
// length is below PrimaryLength, else SecondaryColor, while Active (on paper only with Print too).
// The grid answers OnChange by repainting.
#define QOR_BANDS_PROPS(X)                                      \
    X(Differs, Add, Copy, bool, Active, false)                  \
    X(Field, Add, Copy, bool, Print, false)                     \
    X(Setter, AddColor, Copy, TColor, PrimaryColor, clInfoBk)   \
    X(Setter, Add, Copy, int, PrimaryLength, 1)                 \
    X(Setter, AddColor, Copy, TColor, SecondaryColor, clWindow) \
    X(Setter, Add, Copy, int, SecondaryLength, 1)

class TBands : public TPersistent {
    DECLARE_CLASS(TBands, TPersistent)
public:
    TBands() = default;

    // The six properties; the cycle length becomes the sum of the copied lengths.
    void Assign(TPersistent* Source) override;
    void Changed();
    // PrimaryLength + SecondaryLength.
    int GetTotalLength() const { return FTotalLength; }

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

    // The colour and length setters store a changed value (a length also updates the cycle
    // length) and call Changed only while Active.
    QOR_BANDS_PROPS(QOR_OPTION_DECLARE)

private:
    int FTotalLength = 2;
};

// Whether the grid moves its focus frame window along with the current cell.
class TFocusHelper : public TPersistent {
    DECLARE_CLASS(TFocusHelper, TPersistent)
public:
    // The owner is not kept.
    explicit TFocusHelper(TComponent*) {}

    void Assign(TPersistent* Source) override;

    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }

    static void RegisterProperties(TPropertyTable& Table);

private:
    bool FEnabled = false;
};

// =================================================================================================
// Nodes, sizes, HTML, printing, background, grouping, balloons, modified marks, progress cells,
// filters, colours by sign, hover buttons                                       QorGridOptions2.cpp
// =================================================================================================

// Nodes: their column, look and glyphs. Changed repaints the grid.
#define QOR_CELLNODE_PROPS(X)                                   \
    X(Setter, Add, Copy, int, NodeColumn, 0)                    \
    X(Differs, Add, Copy, TNodeType, NodeType, cnXP)            \
    X(Differs, Add, Copy, int, NodeIndent, 12)                  \
    X(Differs, Add, Copy, bool, ShowTree, true)                 \
    X(Differs, Add, Copy, bool, ShowTreeFull, true)             \
    X(Differs, AddColor, Copy, TColor, TreeColor, 0x00808080)   \
    X(Field, AddColor, Copy, TColor, Color, 0x00C0C0C0)         \
    X(Field, AddColor, Copy, TColor, NodeColor, 0x00000000)     \
    X(Field, Add, Copy, bool, ExpandOne, false)

class TCellNode : public TPersistent {
    DECLARE_CLASS(TCellNode, TPersistent)
public:
    explicit TCellNode(TComponent* AOwner);
    ~TCellNode() override;

    // All ten properties; NodeColumn directly, without the node test.
    void Assign(TPersistent* Source) override;

    TBitmap* GetExpandGlyph() const { return FExpandGlyph; }
    // Copies the given bitmap; no repaint.
    void SetExpandGlyph(TBitmap* Value) { FExpandGlyph->Assign(Value); }
    TBitmap* GetContractGlyph() const { return FContractGlyph; }
    void SetContractGlyph(TBitmap* Value) { FContractGlyph->Assign(Value); }

    static void RegisterProperties(TPropertyTable& Table);

    // SetNodeColumn: a different value while the grid holds a node raises Exception
    // "Cannot change node column when grid has nodes" and keeps the column.
    QOR_CELLNODE_PROPS(QOR_OPTION_DECLARE)

private:
    void Changed();
    TComponent* FOwner;
    TBitmap* FExpandGlyph;
    TBitmap* FContractGlyph;
};

// Whether the editor grows with the text being typed.
#define QOR_SIZEWHILETYPING_PROPS(X)        \
    X(Field, Add, Copy, bool, Height, false) \
    X(Field, Add, Copy, bool, Width, false)

class TSizeWhileTyping : public TPersistent {
    DECLARE_CLASS(TSizeWhileTyping, TPersistent)
public:
    TSizeWhileTyping() = default;
    // No Assign of its own: the framework's (a copy raises EConvertError).

    static void RegisterProperties(TPropertyTable& Table);

    QOR_SIZEWHILETYPING_PROPS(QOR_OPTION_DECLARE)
};

// Column-size persistence and stretching.
#define QOR_COLUMNSIZE_PROPS(X)                                         \
    X(Field, Add, Copy, bool, Save, false)                              \
    X(Field, Add, Copy, String, Key, L"")                               \
    X(Field, Add, Copy, String, Section, L"")                           \
    X(Field, Add, Copy, TColumnSizeLocation, Location, clRegistry)      \
    X(Setter, Add, Copy, bool, Stretch, false)                          \
    X(Field, Add, Copy, int, StretchColumn, -1)                         \
    X(Setter, Add, Keep, bool, StretchAll, false)                       \
    X(Field, Add, Copy, bool, SynchWithGrid, false)                     \
    X(Field, Add, Copy, bool, SynchNormalCellsOnly, false)              \
    X(Field, Add, Copy, TAutoSizeRows, Rows, arAll)

class TColumnSize : public TPersistent {
    DECLARE_CLASS(TColumnSize, TPersistent)
public:
    explicit TColumnSize(TComponent* AOwner) : FOwner(AOwner) {}

    // Every property but StretchAll.
    void Assign(TPersistent* Source) override;

    static void RegisterProperties(TPropertyTable& Table);

    // SetStretch stores and, when the grid has a parent control, has it stretch StretchColumn to
    // the client width. SetStretchAll, when the value differs: switching on resets StretchColumn to
    // -1; stores; has the grid stretch (last column, client width).
    QOR_COLUMNSIZE_PROPS(QOR_OPTION_DECLARE)

private:
    TComponent* FOwner;
};

// HTML export settings; all plain fields.
#define QOR_HTMLSETTINGS_PROPS(X)                                               \
    X(Field, Add, Copy, bool, AutoPreview, false)                               \
    X(Field, Add, Copy, bool, ConvertSpecialChars, false)                       \
    X(Field, Add, Copy, bool, NonBreakingText, false)                           \
    X(Field, Add, Copy, bool, XHTML, false)                                     \
    X(Field, Add, Copy, bool, SaveColor, true)                                  \
    X(Field, Add, Copy, bool, SaveFonts, true)                                  \
    X(Field, Add, Keep, bool, ExportImages, true)                               \
    X(Field, Add, Copy, int, BorderSize, 1)                                     \
    X(Field, Add, Copy, int, CellSpacing, 0)                                    \
    X(Field, Add, Copy, int, CellPadding, 0)                                    \
    X(Field, Add, Copy, int, Width, 100)                                        \
    X(Field, Add, Copy, String, HeaderFile, L"")                                \
    X(Field, Add, Copy, String, FooterFile, L"")                                \
    X(Field, Add, Copy, String, HeaderText, L"")                                \
    X(Field, Add, Copy, String, FooterText, L"")                                \
    X(Field, Add, Copy, String, TableStyle, L"")                                \
    X(Field, Add, Copy, String, PrefixTag, L"")                                 \
    X(Field, Add, Copy, String, SuffixTag, L"")                                 \
    X(Field, Add, Copy, String, Summary, L"")                                   \
    X(Field, Add, Copy, String, ImageBaseName, QorGridConsts::SHTMLImageBaseName) \
    X(Field, Add, Copy, String, ImageFolder, QorGridConsts::SHTMLImageFolder)

class THTMLSettings : public TPersistent {
    DECLARE_CLASS(THTMLSettings, TPersistent)
public:
    THTMLSettings();
    ~THTMLSettings() override;

    // Every property but ExportImages and the column widths.
    void Assign(TPersistent* Source) override;

    // Column widths for the export (cell 0, 0).
    TIntList* GetColWidths() const { return FColWidths; }

    static void RegisterProperties(TPropertyTable& Table);

    QOR_HTMLSETTINGS_PROPS(QOR_OPTION_DECLARE)

private:
    TIntList* FColWidths;
};

// Printing and print preview settings; plain fields except the fonts and title lines, which the
// setters copy (a nil font is ignored). PrintComments, ScaleHeader, ScaleFooter and
// FixedCellsAlways are read by printing but not published.
#define QOR_PRINTSETTINGS_PROPS(X)                                              \
    X(Field, Add, Copy, TPrintPosition, Time, ppNone)                           \
    X(Field, Add, Copy, TPrintPosition, Date, ppNone)                           \
    X(Field, Add, Copy, TPrintPosition, PageNr, ppNone)                         \
    X(Field, Add, Copy, TPrintPosition, Title, ppNone)                          \
    X(Field, Add, Copy, String, DateFormat, QorGridConsts::SPrintDateFormat)    \
    X(Field, Add, Copy, String, PageNumSep, QorGridConsts::SPrintPageNumSep)    \
    X(Field, Add, Copy, String, PagePrefix, L"")                                \
    X(Field, Add, Copy, String, PageSuffix, L"")                                \
    X(Field, Add, Copy, String, TitleText, L"")                                 \
    X(Field, Add, Copy, String, JobName, L"")                                   \
    X(Field, Add, Copy, TPrintBorders, Borders, pbSingle)                       \
    X(Field, Add, Copy, TPenStyle, BorderStyle, psSolid)                        \
    X(Field, AddColor, Copy, TColor, BorderColor, 0x00000000)                   \
    X(Field, Add, Copy, bool, Centered, true)                                   \
    X(Field, Add, Copy, bool, RepeatFixedRows, false)                           \
    X(Field, Add, Copy, bool, RepeatFixedCols, false)                           \
    X(Field, Add, Copy, int, FooterSize, 0)                                     \
    X(Field, Add, Copy, int, HeaderSize, 0)                                     \
    X(Field, Add, Copy, int, LeftSize, 0)                                       \
    X(Field, Add, Copy, int, RightSize, 0)                                      \
    X(Field, Add, Copy, int, ColumnSpacing, 0)                                  \
    X(Field, Add, Copy, int, RowSpacing, 0)                                     \
    X(Field, Add, Copy, int, TitleSpacing, 0)                                   \
    X(Field, Add, Copy, TPrinterOrientation, Orientation, poPortrait)           \
    X(Field, Add, Copy, int, PageNumberOffset, 0)                               \
    X(Field, Add, Copy, int, MaxPagesOffset, 0)                                 \
    X(Field, Add, Copy, int, FixedWidth, 0)                                     \
    X(Field, Add, Copy, int, FixedHeight, 0)                                    \
    X(Field, Add, Copy, bool, UseFixedWidth, false)                             \
    X(Field, Add, Copy, bool, UseFixedHeight, false)                            \
    X(Field, Add, Copy, TFitToPage, FitToPage, fpNever)                         \
    X(Field, Add, Copy, bool, NoAutoSize, false)                                \
    X(Field, Add, Copy, bool, NoAutoSizeRow, false)                             \
    X(Field, Add, Copy, bool, PrintGraphics, false)                             \
    X(Field, Add, Copy, bool, UseDisplayFont, true)                             \
    X(Field, Add, Copy, bool, UseDefaultOrientation, false)                     \
    X(Field, Public, Copy, bool, PrintComments, true)                           \
    X(Field, Public, Keep, bool, ScaleHeader, true)                             \
    X(Field, Public, Keep, bool, ScaleFooter, true)                             \
    X(Field, Public, Keep, bool, FixedCellsAlways, false)

class TPrintSettings : public TPersistent {
    DECLARE_CLASS(TPrintSettings, TPersistent)
public:
    // The owner is not kept.
    explicit TPrintSettings(TComponent* AOwner);
    ~TPrintSettings() override;

    // Every published property (fonts and title lines by copy) and PrintComments. A source of any
    // other class (nil included) raises EInvalidCast and changes nothing.
    void Assign(TPersistent* Source) override;

    TStringList* GetTitleLines() const { return FTitleLines; }
    void SetTitleLines(TStringList* Value) { FTitleLines->Assign(Value); }
    TFont* GetFont() const { return FFont; }
    void SetFont(TFont* Value);
    TFont* GetHeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(TFont* Value);
    TFont* GetFooterFont() const { return FFooterFont; }
    void SetFooterFont(TFont* Value);
    TFont* GetFixedFont() const { return FFixedFont; }
    void SetFixedFont(TFont* Value);

    static void RegisterProperties(TPropertyTable& Table);

    QOR_PRINTSETTINGS_PROPS(QOR_OPTION_DECLARE)

private:
    TStringList* FTitleLines;
    TFont* FFont;
    TFont* FHeaderFont;
    TFont* FFooterFont;
    TFont* FFixedFont;
};

// The grid's background picture or gradient. Every setter stores and repaints the grid.
#define QOR_BACKGROUND_PROPS(X)                                     \
    X(Always, Add, Copy, int, Top, 0)                               \
    X(Always, Add, Copy, int, Left, 0)                              \
    X(Always, Add, Copy, TBackGroundDisplay, Display, bdTile)       \
    X(Always, Add, Copy, TBackGroundCells, Cells, bcNormal)         \
    X(Always, AddColor, Copy, TColor, Color, clWindow)              \
    X(Always, AddColor, Copy, TColor, ColorTo, clBtnFace)

class TBackGround : public TPersistent {
    DECLARE_CLASS(TBackGround, TPersistent)
public:
    explicit TBackGround(TComponent* AOwner);
    ~TBackGround() override;

    void Assign(TPersistent* Source) override;

    TBitmap* GetBitmap() const { return FBitmap; }
    // Copies the given bitmap, then repaints.
    void SetBitmap(TBitmap* Value);

    static void RegisterProperties(TPropertyTable& Table);

    QOR_BACKGROUND_PROPS(QOR_OPTION_DECLARE)

private:
    void Changed();
    TComponent* FOwner;
    TBitmap* FBitmap;
};

// Group headers and summaries; plain fields.
#define QOR_GROUPING_PROPS(X)                                       \
    X(Field, Add, Copy, bool, MergeHeader, false)                   \
    X(Field, Add, Copy, bool, MergeSummary, false)                  \
    X(Field, Add, Keep, bool, Summary, false)                       \
    X(Field, Add, Copy, bool, HeaderUnderline, false)               \
    X(Field, Add, Copy, bool, SummaryLine, false)                   \
    X(Field, Add, Copy, bool, ShowGroupCount, false)                \
    X(Field, Add, Copy, bool, AutoSelectGroup, false)               \
    X(Field, Add, Copy, bool, AutoCheckGroup, false)                \
    X(Field, AddColor, Copy, TColor, HeaderColor, clNone)           \
    X(Field, AddColor, Copy, TColor, HeaderColorTo, clNone)         \
    X(Field, AddColor, Copy, TColor, HeaderTextColor, clNone)       \
    X(Field, AddColor, Copy, TColor, SummaryColor, clNone)          \
    X(Field, AddColor, Copy, TColor, SummaryColorTo, clNone)        \
    X(Field, AddColor, Copy, TColor, SummaryTextColor, clNone)      \
    X(Field, AddColor, Keep, TColor, HeaderLineColor, 0x00FF0000)   \
    X(Field, AddColor, Keep, TColor, SummaryLineColor, 0x00FF0000)  \
    X(Field, Add, Keep, int, HeaderLineWidth, 2)                    \
    X(Field, Add, Keep, int, SummaryLineWidth, 2)                   \
    X(Field, Add, Copy, String, GroupCountFormat, L"")

class TGrouping : public TPersistent {
    DECLARE_CLASS(TGrouping, TPersistent)
public:
    TGrouping() = default;

    // Every property but Summary, the two line colours and the two line widths.
    void Assign(TPersistent* Source) override;

    static void RegisterProperties(TPropertyTable& Table);

    QOR_GROUPING_PROPS(QOR_OPTION_DECLARE)
};

// Balloon tips of the grid.
#define QOR_BALLOONSETTINGS_PROPS(X)                                \
    X(Setter, Add, Copy, bool, Enable, false)                       \
    X(Field, Add, Copy, bool, ShowCell, true)                       \
    X(Field, AddColor, Copy, TColor, BackgroundColor, clNone)       \
    X(Field, AddColor, Copy, TColor, TextColor, clNone)             \
    X(Field, Add, Copy, int, InitialDelay, -1)                      \
    X(Field, Add, Copy, int, ReshowDelay, -1)                       \
    X(Field, Add, Copy, int, AutoHideDelay, -1)                     \
    X(Field, Add, Keep, Byte, Transparency, 0)

class TBalloonSettings : public TPersistent {
    DECLARE_CLASS(TBalloonSettings, TPersistent)
public:
    TBalloonSettings() = default;

    // Every property but Transparency; Enable directly, without OnEnableChange.
    void Assign(TPersistent* Source) override;

    // Whether the grid has set its balloon tips up (kept for the grid's input side).
    bool GetInit() const { return FInit; }
    void SetInit(bool Value) { FInit = Value; }

    // The grid's BalloonChange: creates or removes its tool-tip window.
    TNotifyEvent OnEnableChange;

    static void RegisterProperties(TPropertyTable& Table);

    // SetEnable stores a changed value and fires OnEnableChange.
    QOR_BALLOONSETTINGS_PROPS(QOR_OPTION_DECLARE)

private:
    bool FInit = false;
};

// The modified-row marks. The grid answers OnChange (every Color setting) by repainting column 0.
#define QOR_SHOWMODIFIED_PROPS(X)                              \
    X(Field, Add, Copy, bool, Enabled, false)                  \
    X(Always, AddColor, Copy, TColor, Color, 0x0000FFFF)

class TShowModified : public TPersistent {
    DECLARE_CLASS(TShowModified, TPersistent)
public:
    TShowModified() = default;

    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

    QOR_SHOWMODIFIED_PROPS(QOR_OPTION_DECLARE)

private:
    void Changed();
};

// The look of progress-bar cells. Every setter calls Changed when the value differs; the grid
// answers OnChange by repainting. Style is public, not published.
#define QOR_PROGRESSAPPEARANCE_PROPS(X)                                     \
    X(Differs, AddColor, Copy, TColor, CompleteColor, 0x000000FF)           \
    X(Differs, AddColor, Copy, TColor, CompleteFontColor, 0x00FF0000)       \
    X(Differs, AddColor, Copy, TColor, UnCompleteColor, clNone)             \
    X(Differs, AddColor, Copy, TColor, UnCompleteFontColor, clWindowText)   \
    X(Differs, AddColor, Copy, TColor, Level0Color, 0x0000FF00)             \
    X(Differs, AddColor, Copy, TColor, Level0ColorTo, 0x00E1FFE1)           \
    X(Differs, AddColor, Copy, TColor, Level1Color, 0x0000FFFF)             \
    X(Differs, AddColor, Copy, TColor, Level1ColorTo, 0x00CAFFFF)           \
    X(Differs, AddColor, Copy, TColor, Level2Color, 0x0053A9FF)             \
    X(Differs, AddColor, Copy, TColor, Level2ColorTo, 0x00A8D3FF)           \
    X(Differs, AddColor, Copy, TColor, Level3Color, 0x000000FF)             \
    X(Differs, AddColor, Copy, TColor, Level3ColorTo, 0x00CACAFF)           \
    X(Differs, Add, Copy, int, Level1Perc, 70)                              \
    X(Differs, Add, Copy, int, Level2Perc, 90)                              \
    X(Differs, AddColor, Copy, TColor, BorderColor, 0x00000000)             \
    X(Differs, Add, Copy, bool, ShowBorder, false)                          \
    X(Differs, Add, Copy, bool, Stacked, false)                             \
    X(Differs, Add, Copy, bool, ShowPercentage, true)                       \
    X(Differs, Add, Copy, bool, CompletionSmooth, true)                     \
    X(Differs, Add, Copy, bool, ShowGradient, true)                         \
    X(Differs, Add, Copy, int, Steps, 11)                                   \
    X(Differs, Public, Copy, TProgressStyle, Style, psXP)

class TGridProgressAppearance : public TPersistent {
    DECLARE_CLASS(TGridProgressAppearance, TPersistent)
public:
    TGridProgressAppearance() = default;

    // Every property, Style included, then Changed.
    void Assign(TPersistent* Source) override;
    void Changed();

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

    QOR_PROGRESSAPPEARANCE_PROPS(QOR_OPTION_DECLARE)
};

// The column filter drop-down list and its header glyphs. The grid answers OnChange (any change of
// either glyph) with FilterDropDownChanged.
#define QOR_FILTERDROPDOWN_PROPS(X)                                 \
    X(Field, Add, Copy, int, Width, 150)                            \
    X(Field, Add, Copy, int, Height, 150)                           \
    X(Field, AddColor, Copy, TColor, Color, clWindow)               \
    X(Field, Add, Keep, bool, AutoSize, false)                      \
    X(Field, Add, Copy, bool, CaseSensitive, false)                 \
    X(Field, Add, Copy, bool, ColumnWidth, false)                   \
    X(Field, Add, Keep, bool, Sorted, true)                         \
    X(Field, Add, Copy, bool, IgnoreHTML, true)                     \
    X(Field, Add, Copy, TFilterMethod, Method, fmExpression)        \
    X(Field, Add, Copy, String, TextChecked, L"")                   \
    X(Field, Add, Copy, String, TextUnChecked, L"")

class TFilterDropDown : public TPersistent {
    DECLARE_CLASS(TFilterDropDown, TPersistent)
public:
    TFilterDropDown();
    ~TFilterDropDown() override;

    // Every property but AutoSize and Sorted; font and glyphs by copy.
    void Assign(TPersistent* Source) override;
    // Either glyph's change handler: fires OnChange.
    void GlyphChanged(TObject* Sender);

    TFont* GetFont() const { return FFont; }
    // Copies the given font; no event.
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TBitmap* GetGlyph() const { return FGlyph; }
    void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
    TBitmap* GetGlyphActive() const { return FGlyphActive; }
    void SetGlyphActive(TBitmap* Value) { FGlyphActive->Assign(Value); }

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

    QOR_FILTERDROPDOWN_PROPS(QOR_OPTION_DECLARE)

private:
    TFont* FFont;
    TBitmap* FGlyph;
    TBitmap* FGlyphActive;
};

// The filter-edit row: a grid row in which the user picks a filter type and types a value per
// column. Changed repaints the grid.
#define QOR_FILTEREDIT_PROPS(X)                                     \
    X(Setter, Add, Copy, bool, Enabled, false)                      \
    X(Differs, Add, Copy, int, Row, 0)                              \
    X(Differs, AddColor, Copy, TColor, Color, 0x00FFFFFF)           \
    X(Differs, Add, Copy, TFilterDropDownColumns, Columns, fdNormal) \
    X(Field, Add, Copy, bool, CaseSensitive, true)

class TFilterEdit : public TPersistent {
    DECLARE_CLASS(TFilterEdit, TPersistent)
public:
    explicit TFilterEdit(TComponent* AOwner);
    ~TFilterEdit() override;

    // All six properties directly (the names by line copy).
    void Assign(TPersistent* Source) override;

    // One name per filter type, "Starts with" to "Clear"; the setter copies the lines.
    TStringList* GetTypeNames() const { return FTypeNames; }
    void SetTypeNames(TStringList* Value) { FTypeNames->Assign(Value); }

    static void RegisterProperties(TPropertyTable& Table);

    // SetEnabled, when the value differs: stores, repaints, and has the grid switch its filter
    // off, drop every filter condition and clear the row's texts.
    QOR_FILTEREDIT_PROPS(QOR_OPTION_DECLARE)

private:
    void Changed();
    TComponent* FOwner;
    TStringList* FTypeNames;
};

// A text colour and a background colour; either setter calls Changed when the value differs.
#define QOR_COLORSETTING_PROPS(X)                               \
    X(Differs, AddColor, Copy, TColor, TextColor, clNone)       \
    X(Differs, AddColor, Copy, TColor, BkgColor, clNone)

class TColorSetting : public TPersistent {
    DECLARE_CLASS(TColorSetting, TPersistent)
public:
    TColorSetting() = default;

    void Assign(TPersistent* Source) override;
    // Fires OnChange.
    virtual void Changed();

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

    QOR_COLORSETTING_PROPS(QOR_OPTION_DECLARE)
};

// Colours of numeric cells by sign: a value below zero takes NegativeNumber's colours, any other
// PositiveNumber's; clNone keeps the cell's own colour.
class TAutoColor : public TPersistent {
    DECLARE_CLASS(TAutoColor, TPersistent)
public:
    TAutoColor();
    ~TAutoColor() override;

    // Copies both settings into the owned ones.
    void Assign(TPersistent* Source) override;
    // Fires OnChange.
    virtual void Changed();
    // Either setting's change handler: Changed.
    void ValueChanged(TObject* Sender);
    // True when any of the four colours is not clNone.
    bool ColorsDefined() const;

    TColorSetting* GetNegativeNumber() const { return FNegativeNumber; }
    void SetNegativeNumber(TColorSetting* Value) { FNegativeNumber->Assign(Value); }
    TColorSetting* GetPositiveNumber() const { return FPositiveNumber; }
    void SetPositiveNumber(TColorSetting* Value) { FPositiveNumber->Assign(Value); }

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

private:
    TColorSetting* FNegativeNumber;
    TColorSetting* FPositiveNumber;
};

// One button shown beside the row under the mouse. Caption, Hint, Enabled, Flat and ImageIndex
// tell the collection when they change, as does a new picture.
#define QOR_HOVERBUTTON_PROPS(X)                        \
    X(Differs, Add, Copy, String, Caption, L"")         \
    X(Differs, Add, Copy, String, Hint, L"")            \
    X(Differs, Add, Copy, bool, Enabled, true)          \
    X(Differs, Add, Copy, bool, Flat, false)            \
    X(Differs, Add, Copy, int, ImageIndex, 0)           \
    X(Field, Add, Copy, int, Tag, 0)                    \
    X(Field, Add, Copy, int, Width, 0)

class THoverButtonsCollectionItem : public TCollectionItem {
    DECLARE_CLASS(THoverButtonsCollectionItem, TCollectionItem)
public:
    explicit THoverButtonsCollectionItem(TCollection* ACollection);
    ~THoverButtonsCollectionItem() override;

    // From another item: every property, the picture by copy. Any other source is ignored.
    void Assign(TPersistent* Source) override;

    TPicture* GetPicture() const { return FPicture; }
    // Copies the given picture, then Changed.
    void SetPicture(TPicture* Value);

    static void RegisterProperties(TPropertyTable& Table);

    QOR_HOVERBUTTON_PROPS(QOR_OPTION_DECLARE)

protected:
    using TCollectionItem::Changed;
    // Tells the collection (its Update with this item).
    void Changed() { TCollectionItem::Changed(false); }

private:
    TPicture* FPicture;
};

class THoverButtons;

class THoverButtonsCollection : public TOwnedCollection {
    DECLARE_CLASS(THoverButtonsCollection, TOwnedCollection)
public:
    explicit THoverButtonsCollection(THoverButtons* AOwner);

    THoverButtonsCollectionItem* Add() { return static_cast<THoverButtonsCollectionItem*>(TCollection::Add()); }
    THoverButtonsCollectionItem* Insert(int Index)
    {
        return static_cast<THoverButtonsCollectionItem*>(TCollection::Insert(Index));
    }
    THoverButtonsCollectionItem* GetItems(int Index) const
    {
        return static_cast<THoverButtonsCollectionItem*>(GetItem(Index));
    }
    void SetItems(int Index, THoverButtonsCollectionItem* Value) { SetItem(Index, Value); }

    // Set after every change the collection hears of; the grid's hover panel reads and clears it to
    // rebuild its buttons.
    bool GetUpdated() const { return FUpdated; }
    void SetUpdated(bool Value) { FUpdated = Value; }

protected:
    void Update(TCollectionItem* Item) override;

private:
    bool FUpdated = false;
};

#define QOR_HOVERBUTTONS_PROPS(X)                                                       \
    X(Field, Add, Copy, bool, Enabled, false)                                           \
    X(Field, Add, Copy, int, Column, 0)                                                 \
    X(Field, Add, Copy, THoverButtonPosition, Position, hbLeftFromColumnLeft)           \
    X(Field, Add, Copy, THoverRows, Rows, hrNormal)                                     \
    X(Field, Add, Copy, bool, MoveActiveRow, true)

// The buttons shown beside the row under the mouse.
class THoverButtons : public TPersistent {
    DECLARE_CLASS(THoverButtons, TPersistent)
public:
    explicit THoverButtons(TComponent* AOwner);
    ~THoverButtons() override;

    TPersistent* GetOwner() override { return FOwner; }
    // Enabled, the buttons (collection copy), Column, Position, Rows and MoveActiveRow.
    void Assign(TPersistent* Source) override;

    THoverButtonsCollection* GetButtons() const { return FButtons; }
    void SetButtons(THoverButtonsCollection* Value) { FButtons->Assign(Value); }

    static void RegisterProperties(TPropertyTable& Table);

    QOR_HOVERBUTTONS_PROPS(QOR_OPTION_DECLARE)

private:
    TComponent* FOwner;
    THoverButtonsCollection* FButtons;
};

// =================================================================================================
// Sort settings and control look                                               QorGridSortLook.cpp
// =================================================================================================

// The grid's sort options. The multi-column sort state is the grid's sort index list, which the
// sort settings string reads and writes.
#define QOR_SORTSETTINGS_PROPS(X)                                           \
    X(Setter, Add, Copy, bool, Show, false)                                 \
    X(Field, Add, Copy, bool, IndexShow, false)                             \
    X(Field, Add, Copy, int, Column, -1)                                    \
    X(Field, Add, Copy, TSortDirection, Direction, sdAscending)             \
    X(Field, Add, Copy, TSortDirection, InitSortDirection, sdAscending)     \
    X(Field, Add, Copy, bool, Full, true)                                   \
    X(Field, Add, Copy, bool, SingleColumn, false)                          \
    X(Field, Add, Copy, bool, IgnoreBlanks, false)                          \
    X(Field, Add, Copy, TSortBlankPosition, BlankPos, blFirst)              \
    X(Field, Add, Copy, bool, AutoFormat, true)                             \
    X(Field, Add, Copy, TSortStyle, DefaultFormat, ssAutomatic)             \
    X(Field, Add, Keep, bool, IgnoreCase, false)                            \
    X(Field, Add, Copy, bool, NormalCellsOnly, false)                       \
    X(Field, Add, Copy, bool, FixedCols, false)                             \
    X(Field, Add, Copy, bool, AutoColumnMerge, false)                       \
    X(Field, Add, Copy, bool, AutoSortForGrouping, true)                    \
    X(Field, Add, Keep, bool, SortOnVirtualCells, true)                     \
    X(Field, Add, Copy, bool, UndoSort, false)                              \
    X(Field, Add, Copy, TIndexSortKey, IndexSortKey, ikShift)               \
    X(Field, AddColor, Copy, TColor, IndexColor, 0x0000FFFF)                \
    X(Setter, AddColor, Copy, TColor, HeaderColor, clNone)                  \
    X(Setter, AddColor, Copy, TColor, HeaderColorTo, clNone)                \
    X(Setter, AddColor, Copy, TColor, HeaderMirrorColor, clNone)            \
    X(Setter, AddColor, Copy, TColor, HeaderMirrorColorTo, clNone)

class TSortSettings : public TPersistent {
    DECLARE_CLASS(TSortSettings, TPersistent)
public:
    explicit TSortSettings(TComponent* AOwner);
    ~TSortSettings() override;

    // Every property but SortOnVirtualCells and IgnoreCase: Show and Row directly (no repaint, no
    // row test), the glyphs by bitmap copy, the header colours directly.
    void Assign(TPersistent* Source) override;

    // The sort state as one line: "i;" and the index list's text ("u2;d5") while IndexShow is on,
    // else "d" or "u" (descending or ascending) and Column in decimal ("u-1" without a column).
    String SaveToString() const;
    // Reads that line back. Empty: nothing changes. Anything that is not one of the three forms
    // (an index list of "u" or "d" items with columns from 0 to 2147483647; "u" or "d" with a
    // 32-bit column) raises Exception "Invalid sort settings specifier" before anything changes.
    // A good line switches Show on (through its setter) and then: the index form sets IndexShow,
    // loads the index list when it holds items and sorts by it (QSortIndexed); the other forms
    // clear IndexShow, set Direction and Column and sort (QSort).
    void LoadFromString(const String& Value);
    // Column -1, the grid's sort index list emptied (no change event), the last fixed row repainted.
    void Remove();
    // Switches Direction between ascending and descending; nothing else.
    void ToggleDirection();

    // The header row of the sort indicator. SetSortRow raises Exception "Sort row should be smaller
    // than number of fixed rows" for a value not below the grid's fixed-row count and keeps the row.
    int GetRow() const { return FRow; }
    void SetSortRow(int Value);

    TBitmap* GetUpGlyph() const { return FUpGlyph; }
    void SetUpGlyph(TBitmap* Value) { FUpGlyph->Assign(Value); }
    TBitmap* GetDownGlyph() const { return FDownGlyph; }
    void SetDownGlyph(TBitmap* Value) { FDownGlyph->Assign(Value); }
    TBitmap* GetIndexUpGlyph() const { return FIndexUpGlyph; }
    void SetIndexUpGlyph(TBitmap* Value) { FIndexUpGlyph->Assign(Value); }
    TBitmap* GetIndexDownGlyph() const { return FIndexDownGlyph; }
    void SetIndexDownGlyph(TBitmap* Value) { FIndexDownGlyph->Assign(Value); }

    static void RegisterProperties(TPropertyTable& Table);

    // SetShow, when the value differs: stores and repaints the grid. The header colour setters,
    // when the value differs: store and, when the grid has fixed rows, repaint the last fixed row.
    QOR_SORTSETTINGS_PROPS(QOR_OPTION_DECLARE)

private:
    void SetHeaderColorField(TColor& Field, TColor Value);
    void RepaintLastFixedRow();
    TComponent* FGrid;
    int FRow = 0;
    TBitmap* FUpGlyph;
    TBitmap* FDownGlyph;
    TBitmap* FIndexUpGlyph;
    TBitmap* FIndexDownGlyph;
};

// The look of in-cell controls (check boxes, radio buttons, progress bars, drop-down and spin
// buttons) and of the fixed cells' gradients. Changed repaints the grid.
#define QOR_CONTROLLOOK_PROPS(X)                                                \
    X(Differs, Add, Copy, QorGrid::TControlStyle, ControlStyle, csTheme)        \
    X(Always, Add, Copy, int, RadioSize, 10)                                    \
    X(Differs, Add, Copy, bool, RadioRange, false)                              \
    X(Field, Add, Copy, bool, CheckAlwaysActive, false)                         \
    X(Field, Add, Copy, bool, RadioAlwaysActive, false)                         \
    X(Always, Add, Keep, bool, FlatButton, false)                               \
    X(Always, Add, Keep, bool, NoDisabledCheckRadioLook, false)                 \
    X(Always, Add, Keep, bool, NoDisabledButtonLook, false)                     \
    X(Field, Add, Copy, bool, ButtonPrefix, false)                              \
    X(Differs, Add, Copy, bool, DropDownAlwaysVisible, false)                   \
    X(Always, Add, Copy, bool, SpinButtonsAlwaysVisible, false)                 \
    X(Differs, Add, Copy, int, DropDownButtonWidth, 16)                         \
    X(Field, Add, Copy, int, DropDownCount, 8)                                  \
    X(Field, Add, Keep, bool, FixedDropDownButton, false)                       \
    X(Field, Add, Copy, int, HintMaxWidth, 0)                                   \
    X(Always, Add, Copy, int, ProgressMarginX, 2)                               \
    X(Always, Add, Copy, int, ProgressMarginY, 2)                               \
    X(Setter, Add, Copy, int, ProgressHeight, 0)                                \
    X(Always, Add, Copy, bool, ProgressXP, false)

// The control look's values that Init puts back. The gradient setters store the colour and pass it
// on to the grid: the plain and mirror colours through the grid's repainting setters, the hover
// and pressed colours into its fields. FixedGradientFrom, FixedGradientTo and the hover and pressed
// From, To and Border colours pass nothing on when set to clNone; the mirror colours always do.
#define QOR_CONTROLLOOK_INIT_PROPS(X)                                                   \
    X(Always, AddColor, Copy, TColor, Color, 0x00000000)                                \
    X(Always, AddColor, Copy, TColor, CommentColor, 0x000000FF)                         \
    X(Field, AddColor, Copy, TColor, ProgressBorderColor, 0x00808080)                   \
    X(Setter, AddColor, Copy, TColor, FixedGradientFrom, clNone)                        \
    X(Setter, AddColor, Copy, TColor, FixedGradientTo, clNone)                          \
    X(Setter, AddColor, Copy, TColor, FixedGradientMirrorFrom, clNone)                  \
    X(Setter, AddColor, Copy, TColor, FixedGradientMirrorTo, clNone)                    \
    X(Setter, AddColor, Copy, TColor, FixedGradientHoverFrom, 0x00808080)               \
    X(Setter, AddColor, Copy, TColor, FixedGradientHoverTo, 0x00FFFFFF)                 \
    X(Setter, AddColor, Copy, TColor, FixedGradientHoverMirrorFrom, clNone)             \
    X(Setter, AddColor, Copy, TColor, FixedGradientHoverMirrorTo, clNone)               \
    X(Setter, AddColor, Copy, TColor, FixedGradientHoverBorder, 0x00C0C0C0)             \
    X(Setter, AddColor, Copy, TColor, FixedGradientDownFrom, 0x00808080)                \
    X(Setter, AddColor, Copy, TColor, FixedGradientDownTo, 0x00C0C0C0)                  \
    X(Setter, AddColor, Copy, TColor, FixedGradientDownMirrorFrom, clNone)              \
    X(Setter, AddColor, Copy, TColor, FixedGradientDownMirrorTo, clNone)                \
    X(Setter, AddColor, Copy, TColor, FixedGradientDownBorder, 0x00808080)

class TControlLook : public TPersistent {
    DECLARE_CLASS(TControlLook, TPersistent)
public:
    // Then Init, then the drop-down header and footer appearances with the grid as their owner.
    explicit TControlLook(TComponent* AOwner);
    ~TControlLook() override;

    // Puts Color, CommentColor, ProgressBorderColor and the fourteen gradient colours back to their
    // initial values: directly, except the four hover and pressed mirror colours, which go through
    // their setters (so the grid's hover and pressed mirror colours become clNone too). The grid's
    // style code calls it before it applies a colour style.
    void Init();

    // Stores directly (no repaint; the grid's own fixed-cell colours are not updated): ButtonPrefix,
    // the check size as the source's GetCheckBoxSize reports it, RadioSize, ControlStyle, the
    // glyphs, the progress settings, CommentColor, Color, CheckAlwaysActive, RadioAlwaysActive, the
    // fourteen gradient colours, DropDownAlwaysVisible, SpinButtonsAlwaysVisible, DropDownCount,
    // the drop-down footer and header (their own copy), HintMaxWidth, DropDownButtonWidth and
    // RadioRange. Not FlatButton, NoDisabledCheckRadioLook, NoDisabledButtonLook or
    // FixedDropDownButton.
    void Assign(TPersistent* Source) override;

    // CheckSize: 16 whenever ControlStyle is csJOQ, else the stored size. The setter stores and
    // repaints.
    int GetCheckBoxSize() const;
    void SetCheckBoxSize(int Value);

    TBitmap* GetCheckedGlyph() const { return FCheckedGlyph; }
    // The glyph setters copy the given bitmap, then repaint.
    void SetCheckedGlyph(TBitmap* Value);
    TBitmap* GetUnCheckedGlyph() const { return FUnCheckedGlyph; }
    void SetUnCheckedGlyph(TBitmap* Value);
    TBitmap* GetRadioOnGlyph() const { return FRadioOnGlyph; }
    void SetRadioOnGlyph(TBitmap* Value);
    TBitmap* GetRadioOffGlyph() const { return FRadioOffGlyph; }
    void SetRadioOffGlyph(TBitmap* Value);

    THeaderAppearance* GetDropDownHeader() const { return FDropDownHeader; }
    // Copies the given appearance.
    void SetDropDownHeader(THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
    TFooterAppearance* GetDropDownFooter() const { return FDropDownFooter; }
    void SetDropDownFooter(TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }

    static void RegisterProperties(TPropertyTable& Table);

    // SetProgressHeight ignores a negative value; otherwise stores and repaints.
    QOR_CONTROLLOOK_PROPS(QOR_OPTION_DECLARE)
    QOR_CONTROLLOOK_INIT_PROPS(QOR_OPTION_DECLARE)

private:
    void Changed();
    void SetGlyph(TBitmap* Glyph, TBitmap* Value);
    // Stores a gradient colour and passes it on (Pass), unless it is clNone and UnlessNone is set.
    template <class F>
    void SetGradient(TColor& Field, TColor Value, bool UnlessNone, F Pass);
    TComponent* FGrid;
    int FCheckSize = 15;
    TBitmap* FCheckedGlyph;
    TBitmap* FUnCheckedGlyph;
    TBitmap* FRadioOnGlyph;
    TBitmap* FRadioOffGlyph;
    THeaderAppearance* FDropDownHeader = nullptr;
    TFooterAppearance* FDropDownFooter = nullptr;
};

// Registers the option classes, the drop-down appearances they publish and the identifier tables
// of their property types for stored descriptions (once).
void RegisterQorGridOptionClasses();
