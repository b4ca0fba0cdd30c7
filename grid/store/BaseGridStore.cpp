// BaseGrid: the cell store. Texts live in the string grid's storage; a cell's TCellProperties in
// its object slot, created on first use; merged areas are encoded in the properties of their
// cells and read and written through their base cell.
#include "grid/BaseGrid.h"

#include "grid/QorGridConsts.h"
#include "grid/paint/CellGraphic.h"
#include "graphics/QorUtilText.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <set>

namespace {

std::atomic<int> LiveProperties{0};

// The properties of a merged cell's area: its own spans say it belongs to one.
bool InArea(const TCellProperties* P)
{
    return P && (P->GetCellSpanX() != -1 || P->GetCellSpanY() > 0);
}

}  // namespace

// ---- TCellProperties ----------------------------------------------------------------------------

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow)
{
    if (FOwnerGrid) FWordWrap = FOwnerGrid->FWordWrap;
    if (FOwnerGrid) FOwnerGrid->FHasCellProps = true;
    ++LiveProperties;
}

TCellProperties::~TCellProperties()
{
    // The graphic record belongs to the cell; the grid's shared record is never a cell's own.
    if (auto* G = dyn<TBaseCellGraphic>(FGraphicObject); G && !TBaseCellGraphic::IsSharedKind(G->FCellType))
        G->Free();
    FGraphicObject = nullptr;
    --LiveProperties;
}

int TCellProperties::LiveCount()
{
    return LiveProperties;
}

void TCellProperties::Assign(TPersistent* Source)
{
    auto* Src = dyn<TCellProperties>(Source);
    if (!Src || Src == this) return;
    FIsBaseCell = Src->FIsBaseCell;
    FCellSpanX = Src->FCellSpanX;
    FCellSpanY = Src->GetCellSpanY();
    FOwnerRow = Src->FOwnerRow;
    FOwnerCol = Src->FOwnerCol;
    FObject = Src->FObject;
    FAlignment = Src->FAlignment;
    FBorderColor = Src->FBorderColor;
    FBorderWidth = Src->FBorderWidth;
    FBrushColor = Src->FBrushColor;
    FBrushStyle = Src->FBrushStyle;
    FFontColor = Src->FFontColor;
    FFontStyle = Src->FFontStyle;
    FFontName = Src->FFontName;
    FFontHeight = Src->FFontHeight;
    FReadOnly = Src->FReadOnly;
    FEditor = Src->FEditor;
    FVAlignment = Src->FVAlignment;
    FWordWrap = Src->FWordWrap;
    FNodeLevel = Src->FNodeLevel;
    FControl = Src->FControl;
    FMergeCollaps = Src->FMergeCollaps;
}

TPoint TCellProperties::GetBaseCell(int c, int r) const
{
    if (!FIsBaseCell && FCellSpanX != -1 && GetCellSpanY() >= 0) return {c - FCellSpanX, r - GetCellSpanY()};
    return {c, r};
}

void TCellProperties::RepaintOwner()
{
    if (FOwnerGrid) FOwnerGrid->RepaintCell(FOwnerGrid->DisplColIndex(FOwnerCol), FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value)
{
    FBrushColor = Value;
    RepaintOwner();
}

void TCellProperties::SetBrushColorTo(TColor Value)
{
    FBrushColorTo = Value;
    RepaintOwner();
}

void TCellProperties::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    RepaintOwner();
}

void TCellProperties::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    RepaintOwner();
}

// ---- Construction -------------------------------------------------------------------------------

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner)
{
    // The grid draws its own lines and cells: the framework's stay off.
    TCustomGrid::SetGridLineWidth(0);
    TCustomGrid::SetDefaultDrawing(false);
    FDefFont = Create<TFont>();
    FDefBrush = Create<TBrush>();
    FStoreColExtent = GetColCount();
}

TBaseGrid::~TBaseGrid()
{
    FreeAndNil(FDefFont);
    FreeAndNil(FDefBrush);
    // Every cell's properties, also those kept beyond lowered counts.
    if (FHasCellProps) {
        const int Cols = std::max({FStoreColExtent, GetColCount(), TotalColCount()});
        for (int r = 0; r < StoredRowCount(); ++r)
            for (int c = 0; c < Cols; ++c) FreePropsAt(c, r);
    }
}

void TBaseGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    FStoreColExtent = std::max(FStoreColExtent, GetColCount());
    inherited::SizeChanged(OldColCount, OldRowCount);
}

// ---- Range checks -------------------------------------------------------------------------------

void TBaseGrid::CheckCol(int c)
{
    if (c < 0 || c >= TotalColCount()) throw EQorGridError(QorGridConsts::SInvalidColumnAccessed);
}

void TBaseGrid::CheckRow(int r)
{
    // Rows kept in the storage beyond a lowered count are still the grid's.
    if (r < 0 || r >= std::max(GetRowCount(), StoredRowCount()))
        throw EQorGridError(QorGridConsts::SInvalidRowAccessed);
}

// ---- Cell properties ----------------------------------------------------------------------------

TCellProperties* TBaseGrid::PropsAt(int c, int r) const
{
    TObject* O = GetObjects(c, r);
    return O ? dyn<TCellProperties>(O) : nullptr;
}

TCellProperties* TBaseGrid::MergeProps(int c, int r)
{
    return c >= 0 && c < TotalColCount() && r >= 0 ? PropsAt(c, r) : nullptr;
}

bool TBaseGrid::HasCellProperties(int ACol, int ARow)
{
    return ACol >= 0 && ACol < TotalColCount() && ARow >= 0 && GetObjects(ACol, ARow) != nullptr;
}

TCellProperties* TBaseGrid::GetCellProperties(int c, int r)
{
    if (TCellProperties* P = MergeProps(c, r)) return P;
    return CreateCellProperties(c, r);
}

TCellProperties* TBaseGrid::CreateCellProperties(int Col, int Row)
{
    CheckCell(Col, Row);
    // Whatever foreign object the slot held is not ours to free; it is replaced.
    auto Owned = std::make_unique<TCellProperties>(this, Col, Row);
    TCellProperties* P = Owned.get();
    P->SetAlignment(GetDefaultAlignment());
    TColor AColorTo = clNone, AMirrorColor = clNone, AMirrorColorTo = clNone;
    TAlignment HA = GetDefaultAlignment();
    TVAlignment VA = vtaTop;
    bool WW = FWordWrap;
    TCellGradientDirection GD = GradientVertical;
    GetDefaultProps(Col, Row, FDefFont, FDefBrush, AColorTo, AMirrorColor, AMirrorColorTo, HA, VA, WW, GD);
    P->SetCalcType(acNONE);
    P->FAlignment = HA;
    P->FVAlignment = VA;
    P->FWordWrap = WW;
    P->FFontName = FDefFont->GetName();
    P->FFontHeight = FDefFont->GetHeight();
    P->FFontStyle = FDefFont->GetStyle();
    P->FFontColor = FDefFont->GetColor();
    P->FBrushColor = FDefBrush->GetColor();
    P->FBrushColorTo = AColorTo;
    P->FGradientDirection = GD;
    SetObjects(Col, Row, Owned.release());
    FStoreColExtent = std::max(FStoreColExtent, Col + 1);
    return P;
}

void TBaseGrid::GetDefaultProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                bool& WW, TCellGradientDirection& GD)
{
    AFont->Assign(GetFont());
    ABrush->SetColor(GetColor());
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    HA = GetDefaultAlignment();
    VA = vtaTop;
    WW = FWordWrap;
    GD = GradientVertical;
}

void TBaseGrid::FreePropsAt(int c, int r)
{
    TObject* O = GetObjects(c, r);
    if (!O) return;
    SetObjects(c, r, nullptr);
    // Only properties are the grid's; anything else a caller put into the slot stays the caller's.
    if (auto* P = dyn<TCellProperties>(O)) P->Free();
}

void TBaseGrid::SetCellProperties(int c, int r, TCellProperties* Value)
{
    CheckCell(c, r);
    TObject* Old = GetObjects(c, r);
    if (Old == Value) return;
    SetObjects(c, r, Value);
    if (Value) FStoreColExtent = std::max(FStoreColExtent, c + 1);
    if (auto* P = dyn<TCellProperties>(Old)) P->Free();
}

void TBaseGrid::ClearCellProps(int c, int r)
{
    // A cell of a merged area takes its area apart first: the other cells would keep offsets to
    // a base that no longer says it spans them.
    if (InArea(PropsAt(c, r))) SplitArea(BaseCell(c, r));
    FreePropsAt(c, r);
}

void TBaseGrid::ClearPropCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return;
    ClearCellProps(ACol, ARow);
}

void TBaseGrid::ClearPropRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (!FHasCellProps) return;
    // Only the part of the rectangle the storage can hold.
    ACol1 = std::max(ACol1, 0);
    ARow1 = std::max(ARow1, 0);
    ARow2 = std::min(ARow2, StoredRowCount() - 1);
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c) ClearCellProps(c, r);
}

void TBaseGrid::ClearProps()
{
    ClearPropRect(0, 0, GetColCount() - 1, GetRowCount() - 1);
}

// ---- Raw access ---------------------------------------------------------------------------------

void TBaseGrid::SetGridCell(int c, int r, const String& Value)
{
    CheckCell(c, r);
    SetCells(c, r, Value);
}

void TBaseGrid::SetGridObject(int c, int r, TObject* Value)
{
    CheckCell(c, r);
    SetObjects(c, r, Value);
    if (Value) FStoreColExtent = std::max(FStoreColExtent, c + 1);
}

void TBaseGrid::NilCell(int ACol, int ARow)
{
    // The slot is emptied first, so that the empty text goes to this cell and not to the base
    // cell of the area it belonged to.
    CheckCell(ACol, ARow);
    SetObjects(ACol, ARow, nullptr);
    SetCellEx(ACol, ARow, String());
}

void TBaseGrid::NilRow(int ARow)
{
    for (int c = 0; c < GetColCount(); ++c) NilCell(c, ARow);
}

void TBaseGrid::NilCol(int ACol)
{
    for (int r = 0; r < GetRowCount(); ++r) NilCell(ACol, r);
}

// ---- Cell text ----------------------------------------------------------------------------------

String TBaseGrid::GetCellEx(int c, int r)
{
    TPoint B{c, r};
    if (TCellProperties* P = MergeProps(c, r)) B = P->GetBaseCell(c, r);
    String Text = GetCells(B.X, B.Y);
    if (B.Y < FNormalRowCount) {
        GetDisplText(B.X, B.Y, Text);
        if (OnGetDisplWideText) {
            WideString Wide = QorUtil::DecodeWideStr(Text);
            GetDisplWideText(B.X, B.Y, Wide);
            Text = QorUtil::EncodeWideStr(Wide);
        }
    }
    return Text;
}

void TBaseGrid::SetCellEx(int c, int r, String&& Value)
{
    CheckCell(c, r);
    if (TCellProperties* P = PropsAt(c, r)) {
        TPoint B = P->GetBaseCell(c, r);
        // A covered cell whose offsets lead outside the grid stands for itself.
        if (B.X < 0 || B.Y < 0) B = {c, r};
        SetCells(B.X, B.Y, std::move(Value));
        CellTextChange(B.X, B.Y);
        if (GetParent()) RepaintCell(DisplColIndex(c), r);
    } else {
        TValueScope<bool> Writing(FEditCellSet, true);
        SetCells(c, r, std::move(Value));
    }
    if (FHideLastRow && r == GetRowCount() - 1) FloatFooterUpdate();
}

void TBaseGrid::GetDisplText(int c, int r, String& Value)
{
    if (OnGetDisplText) OnGetDisplText(this, c, r, Value);
}

void TBaseGrid::GetDisplWideText(int c, int r, WideString& Value)
{
    if (OnGetDisplWideText) OnGetDisplWideText(this, c, r, Value);
}

// ---- User object and graphic record -------------------------------------------------------------

NativeUInt TBaseGrid::GetObjectEx(int c, int r)
{
    TCellProperties* P = MergeProps(c, r);
    return P ? P->GetCellObject() : 0;
}

void TBaseGrid::SetObjectEx(int c, int r, NativeUInt Value)
{
    CheckCell(c, r);
    // A cell with an empty text holds a blank while its properties are made and set, as the
    // stored-text protocol of the grid expects; the text is empty again afterwards.
    bool Blank = GetCells(c, r).empty();
    if (Blank) SetCells(c, r, L" ");
    TScopeExit Restore([&] {
        if (Blank) SetCells(c, r, String());
    });
    GetCellProperties(c, r)->SetCellObject(Value);
}

TObject* TBaseGrid::GetGraphicObjectEx(int c, int r)
{
    TCellProperties* P = MergeProps(c, r);
    return P ? P->GetGraphicObject() : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int c, int r, TObject* Value)
{
    if (IsDestroying()) {
        if (!Value)
            if (TCellProperties* P = MergeProps(c, r)) P->SetGraphicObject(nullptr);
        return;
    }
    CheckCell(c, r);
    bool Blank = GetCells(c, r).empty();
    if (Blank) SetCells(c, r, L" ");
    TScopeExit Restore([&] {
        if (Blank) SetCells(c, r, String());
    });
    if (TCellProperties* P = PropsAt(c, r)) {
        P->SetGraphicObject(Value);
        return;
    }
    // New properties take their look from a font and brush of their own, not the scratch pair.
    std::unique_ptr<TFont> Font(Create<TFont>());
    std::unique_ptr<TBrush> Brush(Create<TBrush>());
    TValueScope<TFont*> F(FDefFont, Font.get());
    TValueScope<TBrush*> B(FDefBrush, Brush.get());
    CreateCellProperties(c, r)->SetGraphicObject(Value);
}

// ---- Merged cells -------------------------------------------------------------------------------

TPoint TBaseGrid::BaseCell(int ACol, int ARow)
{
    TCellProperties* P = MergeProps(ACol, ARow);
    if (!P) return {ACol, ARow};
    TPoint B = P->GetBaseCell(ACol, ARow);
    return B.X < 0 || B.Y < 0 ? TPoint{ACol, ARow} : B;
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow)
{
    TCellProperties* P = MergeProps(ACol, ARow);
    return !P || P->GetIsBaseCell();
}

bool TBaseGrid::IsBaseCellEx(int ACol, int ARow, int& MCol, int& MRow)
{
    MCol = ACol;
    MRow = ARow;
    if (IsBaseCell(ACol, ARow)) return true;
    TPoint B = BaseCell(ACol, ARow);
    MCol = B.X;
    MRow = B.Y;
    return false;
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow)
{
    TCellProperties* P = MergeProps(ACol, ARow);
    return P && (P->GetCellSpanX() > 0 || P->GetCellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow)
{
    return IsMergedCell(ACol, ARow) && !IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow)
{
    if (!MergeProps(ACol, ARow)) return false;
    TPoint B = BaseCell(ACol, ARow);
    TCellProperties* P = MergeProps(B.X, B.Y);
    return P && P->GetCellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow)
{
    if (!MergeProps(ACol, ARow)) return false;
    TPoint B = BaseCell(ACol, ARow);
    TCellProperties* P = MergeProps(B.X, B.Y);
    return P && P->GetCellSpanY() > 0;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow)
{
    if (!InArea(MergeProps(ACol, ARow))) return {0, 0};
    TPoint B = BaseCell(ACol, ARow);
    TCellProperties* P = MergeProps(B.X, B.Y);
    if (!P) return {0, 0};
    return {std::max(P->GetCellSpanX(), 0), std::max(P->GetCellSpanY(), 0)};
}

TPoint TBaseGrid::CellExt(int ACol, int ARow)
{
    TCellProperties* Own = MergeProps(ACol, ARow);
    if (!Own || Own->GetCellSpanX() == -1 || Own->GetCellSpanY() == -1) return {0, 0};
    TPoint B = BaseCell(ACol, ARow);
    TCellProperties* P = MergeProps(B.X, B.Y);
    if (!P) return {0, 0};
    return {B.X + P->GetCellSpanX() - ACol, B.Y + P->GetCellSpanY() - ARow};
}

TRect TBaseGrid::FullCell(int c, int r)
{
    TPoint B = BaseCell(c, r);
    TPoint S = CellSpan(c, r);
    return {B.X, B.Y, B.X + S.X, B.Y + S.Y};
}

TPoint TBaseGrid::CellSize(int c, int r)
{
    TRect R;
    if (InArea(MergeProps(c, r))) {
        TRect F = FullCell(c, r);
        TRect R1 = GetCellRect(F.Left, F.Top), R2 = GetCellRect(F.Right, F.Bottom);
        R = {std::min(R1.Left, R2.Left), std::min(R1.Top, R2.Top), std::max(R1.Right, R2.Right),
             std::max(R1.Bottom, R2.Bottom)};
    } else {
        R = GetCellRect(c, r);
    }
    return {R.Width(), R.Height()};
}

int TBaseGrid::MinRowSpan(int ARow)
{
    int Result = GetRowCount();
    for (int c = 0; c < GetColCount(); ++c) {
        int Y = CellSpan(c, ARow).Y;
        if (Y > 0 && Y < Result) Result = Y;
    }
    return Result;
}

int TBaseGrid::MaxRowSpan(int ARow)
{
    int Result = 0;
    for (int c = 0; c < GetColCount(); ++c) Result = std::max(Result, CellSpan(c, ARow).Y);
    return Result;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2)
{
    bool Seen = false;
    for (int c = 0; c < GetColCount(); ++c) {
        if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
            Seen = true;
            if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
        }
    }
    return Seen;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2)
{
    bool Seen = false;
    for (int r = 0; r < GetRowCount(); ++r) {
        TPoint S1 = CellSpan(ACol1, r), S2 = CellSpan(ACol2, r);
        if (S1.X > 0 && S2.X > 0) {
            Seen = true;
            if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X) return false;
        } else if (S1.X != S2.X) {
            return false;
        }
    }
    return Seen;
}

void TBaseGrid::SplitArea(TPoint B)
{
    TCellProperties* P = MergeProps(B.X, B.Y);
    if (!P || !P->GetIsBaseCell()) return;
    const int SX = P->GetCellSpanX(), SY = P->GetCellSpanY();
    for (int c = B.X; c <= B.X + SX; ++c)
        for (int r = B.Y; r <= B.Y + SY; ++r)
            if (TCellProperties* Q = MergeProps(c, r)) {
                Q->SetIsBaseCell(true);
                Q->SetCellSpanX(-1);
                Q->SetCellSpanY(-1);
                RepaintCell(DisplColIndex(c), r);
            }
}

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany)
{
    if (spanx >= 1 && spany >= 1) {
        CheckCell(c, r);
        CheckCell(c + spanx - 1, r + spany - 1);
    }
    ++FMergeCount;
    if (spanx < 1 || spany < 1) return;
    // Every earlier area the new one overlaps is split first, so that no cell keeps offsets to
    // a base whose area no longer holds it.
    std::set<std::pair<int, int>> Split;
    for (int i = c; i < c + spanx; ++i)
        for (int j = r; j < r + spany; ++j)
            if (InArea(MergeProps(i, j))) {
                TPoint B = BaseCell(i, j);
                if (Split.insert({B.X, B.Y}).second) SplitArea(B);
            }
    for (int i = c; i < c + spanx; ++i)
        for (int j = r; j < r + spany; ++j) {
            TCellProperties* P = GetCellProperties(i, j);
            const bool Base = i == c && j == r;
            P->SetIsBaseCell(Base);
            P->SetCellSpanX(Base ? spanx - 1 : i - c);
            P->SetCellSpanY(Base ? spany - 1 : j - r);
        }
    for (int i = c; i < c + spanx; ++i)
        for (int j = r; j < r + spany; ++j) RepaintCell(DisplColIndex(i), j);
}

void TBaseGrid::SplitCells(int c, int r)
{
    CheckCell(c, r);
    TCellProperties* P = GetCellProperties(c, r);
    if (InArea(P)) {
        SplitArea(BaseCell(c, r));
        // A cell left behind by an area that is gone stands for itself again.
        P->SetIsBaseCell(true);
        P->SetCellSpanX(-1);
        P->SetCellSpanY(-1);
    }
    --FMergeCount;
}

// ---- Rectangles ---------------------------------------------------------------------------------

namespace {

// The sizes of an axis's cells before Index added up, outside 0 .. Count as well: a cell outside
// has the default size (as TGridAxis::Size answers), so a span costs O(log Count) wherever it lies.
Int64 SizesBefore(const TGridAxis& A, int Index)
{
    if (Index < 0) return Int64(Index) * A.DefaultSize();
    if (Index <= A.Count()) return A.SizeSum(Index);
    return A.SizeSum(A.Count()) + Int64(Index - A.Count()) * A.DefaultSize();
}

}  // namespace

int TBaseGrid::ColSpanWidth(int From, int To) const
{
    const TGridAxis& A = Axis(TGridAxisKind::Cols);
    return int(SizesBefore(A, To) - SizesBefore(A, From));
}

int TBaseGrid::RowSpanHeight(int From, int To) const
{
    const TGridAxis& A = Axis(TGridAxisKind::Rows);
    return int(SizesBefore(A, To) - SizesBefore(A, From));
}

int TBaseGrid::FixedColsWidth()
{
    return ColSpanWidth(0, GetFixedCols());
}

int TBaseGrid::FixedRowsHeight()
{
    return RowSpanHeight(0, GetFixedRows());
}

TRect TBaseGrid::GetCellRect(int c, int r)
{
    // Fixed cells from the grid's edge; scrolled cells from the first visible one, so that the
    // cost follows the distance from the view and not the index.
    TRect Origin = TCustomGrid::CellRect(GetLeftCol(), GetTopRow());
    int X = c < GetFixedCols() ? ColSpanWidth(0, c) : (Origin.IsEmpty() ? FixedColsWidth() : Origin.Left) +
                                                          ColSpanWidth(GetLeftCol(), c);
    int Y = r < GetFixedRows() ? RowSpanHeight(0, r) : (Origin.IsEmpty() ? FixedRowsHeight() : Origin.Top) +
                                                           RowSpanHeight(GetTopRow(), r);
    return {X, Y, X + GetColWidths(c), Y + GetRowHeights(r)};
}

TRect TBaseGrid::CellRect(int c, int r)
{
    const int rc = RealColIndex(c);
    TCellProperties* P = MergeProps(rc, r);
    if (InArea(P)) {
        TPoint B = BaseCell(rc, r);
        TCellProperties* BP = MergeProps(B.X, B.Y);
        const int bc = DisplColIndex(B.X);
        TRect R1 = GetCellRect(bc, B.Y);
        if (R1.Width() <= 0) R1.Right = R1.Left + 1;
        TRect R2 = BP ? GetCellRect(bc + std::max(BP->GetCellSpanX(), 0), B.Y + std::max(BP->GetCellSpanY(), 0)) : R1;
        if (R2.Width() <= 0) R2.Left = R2.Right - 1;
        return {std::min(R1.Left, R2.Left), std::min(R1.Top, R2.Top), std::max(R1.Right, R2.Right),
                std::max(R1.Bottom, R2.Bottom)};
    }
    if (P && P->GetControl()) return GetCellRect(c, r);
    TRect R = TCustomGrid::CellRect(c, r);
    if (R.IsEmpty()) return R;   // out of view
    return {R.Left, R.Top, R.Left + GetColWidths(c), R.Top + GetRowHeights(r)};
}

void TBaseGrid::RepaintCell(int c, int r)
{
    if (!HandleAllocated()) return;
    TRect R = CellRect(c, r);
    if (R.IsEmpty()) return;
    RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
    ::InvalidateRect(GetHandle(), &Rc, TRUE);
}

// ---- Undo link ----------------------------------------------------------------------------------

void TBaseGrid::SetUndoRedo(TQorGridUndoRedo* Value)
{
    if (FUndoRedo == Value) {
        if (Value) Value->SetGrid(this);
        return;
    }
    TQorGridUndoRedo* Old = FUndoRedo;
    FUndoRedo = Value;
    if (Old && Old->GetGrid() != this) RemoveFreeNotification(Old);
    if (Value) {
        Value->FreeNotification(this);
        Value->SetGrid(this);
    }
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent && AComponent == FUndoRedo) FUndoRedo = nullptr;
    inherited::Notification(AComponent, Operation);
}
