// Grids: cell storage of the string grid, its row and column views, the draw grid's events and
// the structural operations (moving and deleting rows and columns).
#include "Grids.h"

#include "Consts.h"
#include "TypInfo.h"
#include "WinScope.h"

#include <algorithm>

namespace {

// Moves the entry at From to To in a grow-only store, the entries between shifting by one. A
// store that ends before both indexes holds nothing to move; one that ends between them grows.
template <typename T>
void MoveEntry(std::vector<T>& V, int From, int To)
{
    if (int(V.size()) <= std::min(From, To)) return;
    int Hi = std::max(From, To);
    if (int(V.size()) <= Hi) V.resize(Hi + 1);
    if (From < To)
        std::rotate(V.begin() + From, V.begin() + From + 1, V.begin() + To + 1);
    else
        std::rotate(V.begin() + To, V.begin() + From, V.begin() + From + 1);
}

}  // namespace

// ---- Structure (base) --------------------------------------------------------------------------

void TCustomGrid::MoveLine(TGridAxisKind A, int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex) return;
    if (FromIndex < 0 || ToIndex < 0) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    // The descendant moves whatever it keeps per line (cells, sizes, order) in ColumnMoved or
    // RowMoved.
    HideEditor();
    LineMoved(A, FromIndex, ToIndex);
    int& Current = Along(FCurrent, A);
    Current = TGridAxis::AfterMove(Current, FromIndex, ToIndex);
    Along(FAnchor, A) = Current;
    InvalidateGrid();
}

void TCustomGrid::DeleteLine(TGridAxisKind A, int Index)
{
    int Count = Axis(A).Count();
    if (Index < 0 || Index >= Count) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    // The line's cells travel to the end, where they stay stored beyond the lowered count.
    MoveLine(A, Index, Count - 1);
    SetLineCount(A, Count - 1);
}

void TCustomGrid::LineMoved(TGridAxisKind A, int FromIndex, int ToIndex)
{
    if (A == TGridAxisKind::Cols) ColumnMoved(FromIndex, ToIndex);
    else RowMoved(FromIndex, ToIndex);
}

bool TCustomGrid::BeginLineDrag(TGridAxisKind A, int& Origin, int& Destination, const TPoint& MousePt)
{
    return A == TGridAxisKind::Cols ? BeginColumnDrag(Origin, Destination, MousePt)
                                    : BeginRowDrag(Origin, Destination, MousePt);
}

bool TCustomGrid::EndLineDrag(TGridAxisKind A, int& Origin, int& Destination, const TPoint& MousePt)
{
    return A == TGridAxisKind::Cols ? EndColumnDrag(Origin, Destination, MousePt)
                                    : EndRowDrag(Origin, Destination, MousePt);
}

// ---- TDrawGrid ---------------------------------------------------------------------------------

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int ACol, int ARow)
{
    bool CanSelect = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, CanSelect);
    return CanSelect;
}

void TDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

String TDrawGrid::GetEditMask(int ACol, int ARow)
{
    String Value;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, Value);
    return Value;
}

String TDrawGrid::GetEditText(int ACol, int ARow)
{
    String Value;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, Value);
    return Value;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const String& Value)
{
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

// ---- TStringGrid storage -----------------------------------------------------------------------

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner)
{
}

TStringGrid::~TStringGrid() = default;

const TStringGrid::TCell* TStringGrid::FindCell(int ACol, int ARow) const
{
    if (ARow < 0 || ARow >= int(FData.size()) || ACol < 0) return nullptr;
    const TRowData& R = FData[ARow];
    return ACol < int(R.size()) ? &R[ACol] : nullptr;
}

TStringGrid::TCell& TStringGrid::CellFor(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (ARow >= int(FData.size())) FData.resize(ARow + 1);
    TRowData& R = FData[ARow];
    if (ACol >= int(R.size())) {
        // A row grows once to the column count rather than cell by cell.
        if (R.capacity() < size_t(ACol + 1)) R.reserve(std::max(ACol + 1, FCols.Count()));
        R.resize(ACol + 1);
    }
    return R[ACol];
}

String TStringGrid::GetCells(int ACol, int ARow) const
{
    const TCell* C = FindCell(ACol, ARow);
    return C ? C->Text : String();
}

void TStringGrid::SetCells(int ACol, int ARow, const String& Value)
{
    SetCells(ACol, ARow, String(Value));
}

void TStringGrid::SetCells(int ACol, int ARow, String&& Value)
{
    if (!FindCell(ACol, ARow) && Value.empty() && ACol >= 0 && ARow >= 0) return;   // stays sparse
    CellFor(ACol, ARow).Text = std::move(Value);
    InvalidateCell(ACol, ARow);
}

TObject* TStringGrid::GetObjects(int ACol, int ARow) const
{
    const TCell* C = FindCell(ACol, ARow);
    return C ? C->Object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value)
{
    if (!FindCell(ACol, ARow) && !Value && ACol >= 0 && ARow >= 0) return;
    CellFor(ACol, ARow).Object = Value;
}

TStrings* TStringGrid::GetRows(int Index)
{
    return View(FRowViews, true, Index);
}

TStrings* TStringGrid::GetCols(int Index)
{
    return View(FColViews, false, Index);
}

TStrings* TStringGrid::View(TViews& Views, bool IsRow, int Index)
{
    if (Index < 0) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (Index >= int(Views.size())) Views.resize(Index + 1);
    if (!Views[Index]) Views[Index] = std::make_unique<TStringGridStrings>(this, IsRow, Index);
    return Views[Index].get();
}

void TStringGrid::RotateStoredRows(int First, int Middle, int Last)
{
    if (First < 0 || Middle < First || Last < Middle) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (First == Middle || Middle == Last || int(FData.size()) <= First) return;
    if (int(FData.size()) < Last) FData.resize(size_t(Last));
    std::rotate(FData.begin() + First, FData.begin() + Middle, FData.begin() + Last);
}

void TStringGrid::RotateStoredCols(int First, int Middle, int Last)
{
    if (First < 0 || Middle < First || Last < Middle) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (First == Middle || Middle == Last) return;
    for (TRowData& R : FData) {
        if (int(R.size()) <= First) continue;
        if (int(R.size()) < Last) R.resize(size_t(Last));
        std::rotate(R.begin() + First, R.begin() + Middle, R.begin() + Last);
    }
}

void TStringGrid::ExchangeStoredRows(int ARow1, int ARow2)
{
    if (ARow1 < 0 || ARow2 < 0) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (ARow1 == ARow2 || (ARow1 >= int(FData.size()) && ARow2 >= int(FData.size()))) return;
    if (int(FData.size()) <= std::max(ARow1, ARow2)) FData.resize(size_t(std::max(ARow1, ARow2) + 1));
    FData[size_t(ARow1)].swap(FData[size_t(ARow2)]);
}

void TStringGrid::SwapStoredRow(int ARow, TStoredRow& Row)
{
    if (ARow < 0) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (ARow >= int(FData.size())) {
        if (Row.empty()) return;
        FData.resize(size_t(ARow) + 1);
    }
    FData[size_t(ARow)].swap(Row);
}

const String& TStringGrid::StoredText(int ACol, int ARow) const
{
    static const String Empty;
    const TCell* C = FindCell(ACol, ARow);
    return C ? C->Text : Empty;
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    // Rotates the cells of every stored row between the two columns; rows shorter than the
    // range are grown only when they hold something inside it.
    for (TRowData& R : FData) MoveEntry(R, FromIndex, ToIndex);
    inherited::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    MoveEntry(FData, FromIndex, ToIndex);
    inherited::RowMoved(FromIndex, ToIndex);
}

String TStringGrid::GetEditText(int ACol, int ARow)
{
    if (OnGetEditText) return inherited::GetEditText(ACol, ARow);
    return GetCells(ACol, ARow);
}

void TStringGrid::SetEditText(int ACol, int ARow, const String& Value)
{
    {
        // The cell takes the text without a repaint of its own: the editor covers it.
        TValueScope<bool> Quiet(FUpdating, true);
        SetCells(ACol, ARow, Value);
    }
    inherited::SetEditText(ACol, ARow, Value);
}

// ---- Row and column views ----------------------------------------------------------------------

int TStringGridStrings::GetCount() const
{
    return FIsRow ? FGrid->GetColCount() : FGrid->GetRowCount();
}

TGridCoord TStringGridStrings::CellOf(int Index) const
{
    if (Index < 0) IndexError(Index);
    return FIsRow ? TGridCoord{Index, FIndex} : TGridCoord{FIndex, Index};
}

String TStringGridStrings::Get(int Index) const
{
    TGridCoord C = CellOf(Index);
    return FGrid->GetCells(C.X, C.Y);
}

void TStringGridStrings::Put(int Index, const String& S)
{
    TGridCoord C = CellOf(Index);
    FGrid->SetCells(C.X, C.Y, S);
}

TObject* TStringGridStrings::GetObjects(int Index) const
{
    TGridCoord C = CellOf(Index);
    return FGrid->GetObjects(C.X, C.Y);
}

void TStringGridStrings::PutObject(int Index, TObject* AObject)
{
    TGridCoord C = CellOf(Index);
    FGrid->SetObjects(C.X, C.Y, AObject);
}

int TStringGridStrings::Add(const String& S)
{
    return AddObject(S, nullptr);
}

int TStringGridStrings::AddObject(const String& S, TObject* AObject)
{
    // Fills the entries in turn from the last Clear (or the start).
    int Pos = FAddPos++;
    Put(Pos, S);
    PutObject(Pos, AObject);
    return Pos;
}

void TStringGridStrings::Insert(int Index, const String& S)
{
    Error(L"Cannot insert into a grid row or column");
}

void TStringGridStrings::Delete(int Index)
{
    Error(L"Cannot delete from a grid row or column");
}

void TStringGridStrings::Clear()
{
    // Empties every stored entry of the row or column, beyond the count included.
    FAddPos = 0;
    if (FIsRow) {
        if (FIndex < int(FGrid->FData.size())) {
            auto& R = FGrid->FData[FIndex];
            for (auto& C : R) C = {};
        }
    } else {
        for (auto& R : FGrid->FData)
            if (FIndex < int(R.size())) R[FIndex] = {};
    }
    FGrid->InvalidateGrid();
}

void TStringGridStrings::Assign(TPersistent* Source)
{
    auto* Src = dynamic_cast<TStrings*>(Source);
    if (!Src) {
        inherited::Assign(Source);
        return;
    }
    if (Src == this) return;
    // Entry by entry up to this view's length; entries beyond the source's lines are emptied.
    // Texts and objects are read first, so that a view of an overlapping row copies safely.
    int N = GetCount();
    int SrcCount = Src->GetCount();
    std::vector<std::pair<String, TObject*>> Items;
    Items.reserve(std::min(N, SrcCount));
    for (int i = 0; i < N && i < SrcCount; ++i) Items.emplace_back(Src->Get(i), Src->GetObjects(i));
    {
        TValueScope<bool> Quiet(FGrid->FUpdating, true);
        for (int i = 0; i < N; ++i) {
            if (i < int(Items.size())) {
                Put(i, Items[i].first);
                PutObject(i, Items[i].second);
            } else {
                Put(i, String());
                PutObject(i, nullptr);
            }
        }
    }
    FAddPos = std::min(N, SrcCount);
    FGrid->InvalidateGrid();
}

// ---- Published properties ----------------------------------------------------------------------

void TDrawGrid::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"ColCount", &TCustomGrid::GetColCount, &TCustomGrid::SetColCount, 5);
    T.Add(L"RowCount", &TCustomGrid::GetRowCount, &TCustomGrid::SetRowCount, 5);
    T.Add(L"FixedCols", &TCustomGrid::GetFixedCols, &TCustomGrid::SetFixedCols, 1);
    T.Add(L"FixedRows", &TCustomGrid::GetFixedRows, &TCustomGrid::SetFixedRows, 1);
    T.Add(L"DefaultColWidth", &TCustomGrid::GetDefaultColWidth, &TCustomGrid::SetDefaultColWidth, 64);
    T.Add(L"DefaultRowHeight", &TCustomGrid::GetDefaultRowHeight, &TCustomGrid::SetDefaultRowHeight, 24);
    T.Add(L"GridLineWidth", &TCustomGrid::GetGridLineWidth, &TCustomGrid::SetGridLineWidth, 1);
    T.Add(L"Options", &TCustomGrid::GetOptions, &TCustomGrid::SetOptions,
          TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect});
    T.Add(L"ScrollBars", &TCustomGrid::GetScrollBars, &TCustomGrid::SetScrollBars, TScrollStyle::ssBoth);
    T.Add(L"BorderStyle", &TCustomGrid::GetBorderStyle, &TCustomGrid::SetBorderStyle, bsSingle);
    T.Add(L"DefaultDrawing", &TCustomGrid::GetDefaultDrawing, &TCustomGrid::SetDefaultDrawing, true);
    T.Add(L"FixedColor", &TCustomGrid::GetFixedColor, &TCustomGrid::SetFixedColor, clBtnFace);
    T.Add(L"DrawingStyle", &TCustomGrid::GetDrawingStyle, &TCustomGrid::SetDrawingStyle, gdsClassic);
}

void TStringGrid::RegisterProperties(TPropertyTable& T)
{
    TDrawGrid::RegisterProperties(T);
}

void RegisterGrids()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterStdCtrls();
    if (!IdentTableOf(typeid(TGridDrawingStyle)))
        RegisterEnumIdents<TGridDrawingStyle>(L"TGridDrawingStyle", {{gdsClassic, L"gdsClassic"},
                                                                     {gdsThemed, L"gdsThemed"},
                                                                     {gdsGradient, L"gdsGradient"}});
    if (!IdentTableOf(typeid(TGridOption)))
        RegisterEnumIdents<TGridOption>(
            L"TGridOption",
            {{goFixedVertLine, L"goFixedVertLine"}, {goFixedHorzLine, L"goFixedHorzLine"},
             {goVertLine, L"goVertLine"}, {goHorzLine, L"goHorzLine"}, {goRangeSelect, L"goRangeSelect"},
             {goDrawFocusSelected, L"goDrawFocusSelected"}, {goRowSizing, L"goRowSizing"},
             {goColSizing, L"goColSizing"}, {goRowMoving, L"goRowMoving"}, {goColMoving, L"goColMoving"},
             {goEditing, L"goEditing"}, {goTabs, L"goTabs"}, {goRowSelect, L"goRowSelect"},
             {goAlwaysShowEditor, L"goAlwaysShowEditor"}, {goThumbTracking, L"goThumbTracking"},
             {goFixedColClick, L"goFixedColClick"}, {goFixedRowClick, L"goFixedRowClick"},
             {goFixedHotTrack, L"goFixedHotTrack"}});
    RegisterClassesQuietly<TDrawGrid, TStringGrid>();
}
