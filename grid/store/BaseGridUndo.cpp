// BaseGrid: the undo and redo component. Its log is a collection of change items and sequence
// markers; FLevel counts the items in effect from the start, the items from FLevel on are undone
// and can be redone.
#include "grid/BaseGrid.h"

// ---- TUndoRedoItem ------------------------------------------------------------------------------

void TUndoRedoItem::Assign(TPersistent* Source)
{
    auto* Src = dyn<TUndoRedoItem>(Source);
    if (!Src) {
        inherited::Assign(Source);
        return;
    }
    FRow = Src->FRow;
    FCol = Src->FCol;
    FValue = Src->FValue;
    FOrigValue = Src->FOrigValue;
    FSequenceStart = Src->FSequenceStart;
    FSequenceStop = Src->FSequenceStop;
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

TUndoRedoItem* TQorGridUndoRedo::Append()
{
    return static_cast<TUndoRedoItem*>(FItems->Add());
}

void TQorGridUndoRedo::DeleteItem(int Index)
{
    if (!Item(Index)->IsMarker()) --FChangeCount;
    FItems->Delete(Index);
    if (FLevel > Index) --FLevel;
}

void TQorGridUndoRedo::DiscardUndone()
{
    while (FItems->Count() > FLevel) DeleteItem(FItems->Count() - 1);
}

void TQorGridUndoRedo::Evict()
{
    if (FMaxLevel <= 0) return;
    while (FChangeCount >= FMaxLevel && FItems->Count() > 0) {
        // The oldest step: one change, or a whole closed sequence. The sequence being written is
        // never cut.
        int Last = 0;
        if (Item(0)->GetSequenceStart()) {
            Last = -1;
            for (int i = 1; i < FItems->Count(); ++i)
                if (Item(i)->GetSequenceStop()) {
                    Last = i;
                    break;
                }
            if (Last < 0) return;
        }
        for (int i = Last; i >= 0; --i) DeleteItem(i);
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
    TUndoRedoItem* I = Append();
    I->SetCol(Cell.X);
    I->SetRow(Cell.Y);
    I->SetValue(NewValue);
    I->SetOrigValue(OldValue);
    ++FChangeCount;
    FLevel = FItems->Count();
}

void TQorGridUndoRedo::StartSequence()
{
    // A sequence started inside another one belongs to the outer one.
    if (FSequenceDepth++ > 0) return;
    DiscardUndone();
    Append()->SetSequenceStart(true);
    FLevel = FItems->Count();
}

void TQorGridUndoRedo::StopSequence()
{
    // A stop without a start would make an undo run back over older steps: it is not logged.
    if (FSequenceDepth == 0) return;
    if (--FSequenceDepth > 0) return;
    DiscardUndone();
    Append()->SetSequenceStop(true);
    FLevel = FItems->Count();
}

void TQorGridUndoRedo::CloseOpenSequence()
{
    if (FSequenceDepth == 0) return;
    FSequenceDepth = 1;
    StopSequence();
}

void TQorGridUndoRedo::Reset()
{
    FItems->Clear();
    FLevel = 0;
    FChangeCount = 0;
    FSequenceDepth = 0;
}

bool TQorGridUndoRedo::WriteBack(const TUndoRedoItem* I, const String& Text, const TQorGridUndoRedoEvent& Event,
                                 bool AsCheck, TPoint& Cell)
{
    const int Col = I->GetCol();
    const int Row = FGrid->DisplRowIndex(I->GetRow());
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
    if (FLevel <= 0 || FLevel > FItems->Count()) return;
    const TUndoRedoItem* T = Item(FLevel - 1);
    TPoint Cell;
    if (T->GetSequenceStop()) {
        // The sequence's changes, last first; the current cell then goes to the first change
        // (once, not through every cell of the sequence).
        --FLevel;
        bool Any = false;
        while (FLevel > 0 && !Item(FLevel - 1)->GetSequenceStart()) {
            const TUndoRedoItem* I = Item(FLevel - 1);
            Any = WriteBack(I, I->GetOrigValue(), OnUndo, false, Cell) || Any;
            --FLevel;
        }
        if (FLevel > 0) --FLevel;   // past the start marker
        if (Any) MakeCurrent(Cell);
        FGrid->Invalidate();
    } else if (T->GetSequenceStart()) {
        --FLevel;   // an empty start left behind: nothing to write
    } else {
        if (WriteBack(T, T->GetOrigValue(), OnUndo, true, Cell)) {
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
    if (FLevel >= FItems->Count()) return;
    ++FLevel;
    const TUndoRedoItem* T = Item(FLevel - 1);
    TPoint Cell;
    if (T->GetSequenceStart()) {
        // The changes up to the stop marker, which FLevel then counts.
        bool Any = false;
        while (FLevel < FItems->Count()) {
            const TUndoRedoItem* I = Item(FLevel);
            ++FLevel;
            if (I->GetSequenceStop()) break;
            Any = WriteBack(I, I->GetValue(), OnRedo, false, Cell) || Any;
        }
        if (Any) MakeCurrent(Cell);
        FGrid->Invalidate();
    } else if (!T->GetSequenceStop()) {
        if (WriteBack(T, T->GetValue(), OnRedo, true, Cell)) {
            MakeCurrent(Cell);
            FGrid->RepaintCell(FGrid->GetCol(), FGrid->GetRow());
        }
    }
}
