// BaseGrid: the undo and redo component. Its log is a list of change entries and sequence
// markers, kept by value (a change costs no object of its own); FLevel counts the entries in
// effect from the start, the entries from FLevel on are undone and can be redone.
#include "grid/BaseGrid.h"

// ---- TUndoRedoItem ------------------------------------------------------------------------------

void TUndoRedoItem::Assign(TPersistent* Source)
{
    auto* Src = dyn<TUndoRedoItem>(Source);
    if (!Src) {
        inherited::Assign(Source);
        return;
    }
    FChange = Src->FChange;
}

// ---- TQorGridUndoRedo ---------------------------------------------------------------------------

TQorGridUndoRedo::TQorGridUndoRedo(TComponent* AOwner) : TComponent(AOwner)
{
    FItems = Create<TUndoRedoCollection>();
}

TQorGridUndoRedo::~TQorGridUndoRedo()
{
    FreeAndNil(FItems);
}

void TQorGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent && AComponent == FGrid) FGrid = nullptr;
    inherited::Notification(AComponent, Operation);
}

void TQorGridUndoRedo::SetGrid(TBaseGrid* Grid)
{
    if (Grid == FGrid) return;
    TBaseGrid* Old = FGrid;
    FGrid = Grid;
    // The log holds the changes of the grid served before: they are not this grid's to undo.
    Reset();
    if (Old && Old->GetUndoRedo() == this) Old->SetUndoRedo(nullptr);
    if (Grid) FreeNotification(Grid);
}

TUndoRedoCollection* TQorGridUndoRedo::GetItems() const
{
    if (FItemsStale) {
        FItemsStale = false;
        UpdateBlock(*FItems, [&] {
            FItems->Clear();
            for (int i = 0; i < LogCount(); ++i) static_cast<TUndoRedoItem*>(FItems->Add())->SetChange(Item(i));
        });
    }
    return FItems;
}

TQorGridUndoRedo::TEntry& TQorGridUndoRedo::Append()
{
    FItemsStale = true;
    return FLog.emplace_back();
}

void TQorGridUndoRedo::DropLast()
{
    if (!FLog.back().IsMarker()) --FChangeCount;
    FLog.pop_back();
    FLevel = std::min(FLevel, LogCount());
    FItemsStale = true;
}

void TQorGridUndoRedo::DropFirst()
{
    if (!Item(0).IsMarker()) --FChangeCount;
    FLog[size_t(FFirst++)] = TEntry();
    // Evicted entries leave the list in bulk once they are half of it: each costs O(1) overall.
    if (FFirst * 2 > int(FLog.size())) {
        FLog.erase(FLog.begin(), FLog.begin() + FFirst);
        FFirst = 0;
    }
    if (FLevel > 0) --FLevel;
    FItemsStale = true;
}

void TQorGridUndoRedo::DiscardUndone()
{
    while (LogCount() > FLevel) DropLast();
}

void TQorGridUndoRedo::Evict()
{
    if (FMaxLevel <= 0) return;
    while (FChangeCount >= FMaxLevel && LogCount() > 0) {
        // The oldest step: one change, or a whole closed sequence. The sequence being written is
        // never cut.
        int Last = 0;
        if (Item(0).SequenceStart) {
            Last = -1;
            for (int i = 1; i < LogCount(); ++i)
                if (Item(i).SequenceStop) {
                    Last = i;
                    break;
                }
            if (Last < 0) return;
        }
        for (int i = 0; i <= Last; ++i) DropFirst();
    }
}

void TQorGridUndoRedo::RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue)
{
    DiscardUndone();
    Evict();
    // The cell whose text changed: the base cell of a merged area. Its real row stays right when
    // rows are hidden or shown before the change is written back.
    TPoint Cell{ACol, ARow};
    if (FGrid) {
        Cell = FGrid->BaseCell(ACol, ARow);
        Cell.Y = FGrid->RealRowIndex(Cell.Y);
    }
    TEntry& E = Append();
    E.Col = Cell.X;
    E.Row = Cell.Y;
    E.Value = NewValue;
    E.OrigValue = OldValue;
    ++FChangeCount;
    FLevel = LogCount();
}

void TQorGridUndoRedo::StartSequence()
{
    // A sequence started inside another one belongs to the outer one.
    if (FSequenceDepth++ > 0) return;
    DiscardUndone();
    Append().SequenceStart = true;
    FLevel = LogCount();
}

void TQorGridUndoRedo::StopSequence()
{
    // A stop without a start would make an undo run back over older steps: it is not logged.
    if (FSequenceDepth == 0) return;
    if (--FSequenceDepth > 0) return;
    DiscardUndone();
    Append().SequenceStop = true;
    FLevel = LogCount();
}

void TQorGridUndoRedo::CloseOpenSequence()
{
    if (FSequenceDepth == 0) return;
    FSequenceDepth = 1;
    StopSequence();
}

void TQorGridUndoRedo::Reset()
{
    FLog.clear();
    FFirst = 0;
    FItemsStale = true;
    FLevel = 0;
    FChangeCount = 0;
    FSequenceDepth = 0;
}

bool TQorGridUndoRedo::WriteBack(const TEntry& I, const String& Text, const TQorGridUndoRedoEvent& Event,
                                 bool AsCheck, TPoint& Cell)
{
    const int Col = I.Col;
    const int Row = FGrid->DisplRowIndex(I.Row);
    if (Col < 0 || Col >= FGrid->TotalColCount() || Row < 0 || Row >= FGrid->GetRowCount()) return false;
    Cell = {Col, Row};
    if (!FGrid->IsBaseCell(Col, Row)) {
        // Merged into another cell's area since: the text goes back into this cell's own storage,
        // never into the area's base cell.
        if (Event) Event(this, FGrid, Col, Row, FGrid->GetGridCell(Col, Row), Text);
        FGrid->SetGridCell(Col, Row, Text);
        return true;
    }
    if (Event) Event(this, FGrid, Col, Row, FGrid->GetCellEx(Col, Row), Text);
    if (AsCheck && FGrid->IsCheckCell(Col, Row))
        FGrid->SetAsCheck(Col, Row, Text);
    else
        FGrid->SetCellEx(Col, Row, Text);
    return true;
}

void TQorGridUndoRedo::MakeCurrent(TPoint Cell)
{
    const int DisplCol = FGrid->DisplColIndex(Cell.X);
    if (DisplCol >= 0 && DisplCol < FGrid->GetColCount()) FGrid->SetCol(DisplCol);
    FGrid->SetRow(Cell.Y);
}

void TQorGridUndoRedo::Undo()
{
    if (!FGrid) return;
    CloseOpenSequence();
    if (FLevel <= 0 || FLevel > LogCount()) return;
    // The entry is copied: the event fired while writing back may register changes of its own.
    const TEntry T = Item(FLevel - 1);
    TPoint Cell;
    if (T.SequenceStop) {
        // The sequence's changes, last first; the current cell then goes to the first change
        // (once, not through every cell of the sequence).
        --FLevel;
        bool Any = false;
        while (FLevel > 0 && !Item(FLevel - 1).SequenceStart) {
            const TEntry I = Item(FLevel - 1);
            Any = WriteBack(I, I.OrigValue, OnUndo, false, Cell) || Any;
            --FLevel;
        }
        if (FLevel > 0) --FLevel;   // past the start marker
        if (Any) MakeCurrent(Cell);
        FGrid->Invalidate();
    } else if (T.SequenceStart) {
        --FLevel;   // an empty start left behind: nothing to write
    } else {
        if (WriteBack(T, T.OrigValue, OnUndo, true, Cell)) {
            MakeCurrent(Cell);
            FGrid->RepaintCell(FGrid->GetCol(), FGrid->GetRow());
        }
        --FLevel;
    }
}

void TQorGridUndoRedo::Redo()
{
    if (!FGrid) return;
    CloseOpenSequence();
    if (FLevel >= LogCount()) return;
    ++FLevel;
    const TEntry T = Item(FLevel - 1);
    TPoint Cell;
    if (T.SequenceStart) {
        // The changes up to the stop marker, which FLevel then counts.
        bool Any = false;
        while (FLevel < LogCount()) {
            const TEntry I = Item(FLevel);
            ++FLevel;
            if (I.SequenceStop) break;
            Any = WriteBack(I, I.Value, OnRedo, false, Cell) || Any;
        }
        if (Any) MakeCurrent(Cell);
        FGrid->Invalidate();
    } else if (!T.SequenceStop) {
        if (WriteBack(T, T.Value, OnRedo, true, Cell)) {
            MakeCurrent(Cell);
            FGrid->RepaintCell(FGrid->GetCol(), FGrid->GetRow());
        }
    }
}
