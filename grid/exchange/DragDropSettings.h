// DragDropSettings: the grid's switches for OLE drag and drop (TDragDropSettings) and for
// scrolling while something is dragged near its edges (TDragScrollOptions with its delays and
// margins). The grid owns one of each, publishes them as DragDropSettings and DragScrollOptions,
// and copies them with Assign. They hold values; the grid's drag and drop carries them out.
#pragma once

#include "framework/TypInfo.h"
#include "grid/QorGridDefs.h"
#include "grid/store/QorOptionProps.h"

// What the grid takes from drops and offers to drop targets. Only OleDropRTF, OleDropTarget and
// ShowCells have setters of their own; the rest write their field.
#define QOR_DRAGDROPSETTINGS_PROPS(X)                                \
    X(Setter, Add, Copy, bool, OleDropRTF, false)                    \
    X(Field, Add, Copy, bool, OleAcceptText, true)                   \
    X(Field, Add, Copy, bool, OleEntireRows, false)                  \
    X(Field, Add, Copy, bool, OleDropSource, false)                  \
    X(Field, Add, Copy, bool, OleRemoveRows, false)                  \
    X(Field, Add, Copy, bool, OleAcceptFiles, true)                  \
    X(Field, Add, Copy, bool, OleAcceptURLs, true)                   \
    X(Setter, Add, Keep, bool, OleDropTarget, false)                 \
    X(Field, Add, Copy, bool, OleInsertRows, false)                  \
    X(Field, Add, Copy, bool, OleAppendRows, false)                  \
    X(Field, Add, Copy, bool, OleCopyAlways, false)                  \
    X(Field, Add, Copy, bool, OleColumnDragDrop, false)              \
    X(Field, Add, Copy, bool, OleColumnReorder, false)               \
    X(Field, Add, Copy, bool, OleColumnsOnly, false)                 \
    X(Field, Public, Copy, bool, OleColumnPicker, false)             \
    X(Setter, Add, Copy, bool, ShowCells, true)

class TDragDropSettings : public TPersistent {
    DECLARE_CLASS(TDragDropSettings, TPersistent)
public:
    // AOwner: the grid served.
    explicit TDragDropSettings(TComponent* AOwner);

    // From another TDragDropSettings: the sixteen switches (OleColumnPicker too) straight into
    // their fields, but OleDropTarget through its setter, so that a copied "on" registers the
    // grid as a drop target as setting it would. The process-wide RTF switch is not written.
    // Other sources are ignored.
    void Assign(TPersistent* Source) override;

    TQorStringGrid* GetGrid() const { return FGrid; }

    static void RegisterProperties(TPropertyTable& Table);

private:
    TQorStringGrid* FGrid;

    QOR_DRAGDROPSETTINGS_PROPS(QOR_OPTION_DECLARE)

public:
    // Drag bookkeeping within one grid: the rows a drop into the same grid inserted above the
    // dragged rows, and the top row of the selection being dragged out. Assign leaves them.
    int GetDeltaY() const { return FDeltaY; }
    void SetDeltaY(int Value) { FDeltaY = Value; }
    int GetSourceY() const { return FSourceY; }
    void SetSourceY(int Value) { FSourceY = Value; }

private:
    int FDeltaY = 0;
    int FSourceY = 0;
};

// How long a drag rests in a margin before the first scroll step, and between later steps (ms).
#define QOR_DRAGSCROLLDELAYS_PROPS(X)              \
    X(Field, Add, Copy, int, InitialDelay, 1000)   \
    X(Field, Add, Copy, int, RepeatDelay, 250)

class TDragScrollDelays : public TPersistent {
    DECLARE_CLASS(TDragScrollDelays, TPersistent)
public:
    TDragScrollDelays() = default;
    // Both delays from another TDragScrollDelays; other sources are ignored.
    void Assign(TPersistent* Source) override;
    static void RegisterProperties(TPropertyTable& Table);

    QOR_DRAGSCROLLDELAYS_PROPS(QOR_OPTION_DECLARE)
};

// How near (pixels) to each edge of the grid a hovering drag scrolls it.
#define QOR_DRAGSCROLLMARGINS_PROPS(X)           \
    X(Field, Add, Copy, int, TopMargin, 50)      \
    X(Field, Add, Copy, int, BottomMargin, 50)   \
    X(Field, Add, Copy, int, LeftMargin, 50)     \
    X(Field, Add, Copy, int, RightMargin, 50)

class TDragScrollMargins : public TPersistent {
    DECLARE_CLASS(TDragScrollMargins, TPersistent)
public:
    TDragScrollMargins() = default;
    // The four margins from another TDragScrollMargins; other sources are ignored.
    void Assign(TPersistent* Source) override;
    static void RegisterProperties(TPropertyTable& Table);

    QOR_DRAGSCROLLMARGINS_PROPS(QOR_OPTION_DECLARE)
};

// Scrolling while something is dragged over the grid near an edge; with Active off it never
// scrolls.
class TDragScrollOptions : public TPersistent {
    DECLARE_CLASS(TDragScrollOptions, TPersistent)
public:
    TDragScrollOptions();
    ~TDragScrollOptions() override;

    // From another TDragScrollOptions: the margins, then the delays (each by its own Assign),
    // then Active. Other sources are ignored.
    void Assign(TPersistent* Source) override;

    bool GetActive() const { return FActive; }
    void SetActive(bool Value) { FActive = Value; }
    TDragScrollDelays* GetDelays() const { return FDelays; }
    void SetDelays(TDragScrollDelays* Value) { FDelays->Assign(Value); }
    TDragScrollMargins* GetMargins() const { return FMargins; }
    void SetMargins(TDragScrollMargins* Value) { FMargins->Assign(Value); }

    static void RegisterProperties(TPropertyTable& Table);

private:
    bool FActive = false;
    TDragScrollDelays* FDelays;
    TDragScrollMargins* FMargins;
};
