// TQorStringGrid: the cell widget records (create, find, classify, free) and the widget
// operations other than check boxes and radios: pictures, bitmaps, icons, images, progress bars,
// shapes, ratings, scroll bars, buttons, rotated text, expandable cells, balloons, comments and
// text markers, with the display-text hook and the small services painting asks.
//
// Each Add operation replaces the cell's record (CreateCellGraphic) and fills it for its kind;
// objects handed in stay the caller's, the Create operations make objects the record owns. A
// record holds a text marker in FCellErrFrom/FCellErrLen only when its kind leaves those fields
// free; for the kinds that keep widget data there (progress range, scroll range, node, shape)
// the marker operations leave the data alone.
#include "grid/QorGrid.h"

#include "grid/input/FloatingFooter.h"
#include "grid/paint/CellGraphic.h"
#include "grid/view/GridItem.h"
#include "graphics/PictureContainer.h"
#include "graphics/QorUtilText.h"

#include <unordered_map>

namespace {

// The object a record of the given kind holds in FCellBitmap; nil for another kind or no record.
template <class T>
T* HeldObject(TCellGraphic* G, TCellType Kind)
{
    return G && G->FCellType == Kind ? static_cast<T*>(G->FCellBitmap) : nullptr;
}

// A new object of T filled into the cell's new record by Fill, owned by the record.
template <class T, class FillFn>
T* CreateOwned(TCellGraphic* G, FillFn Fill)
{
    auto* Obj = Create<T>();
    Fill(Obj);
    G->FCellCreated = true;
    return Obj;
}

// Kinds whose FCellErrFrom/FCellErrLen hold widget data rather than a text marker.
bool MarkerFieldsTaken(TCellType Kind)
{
    switch (Kind) {
    case ctProgress: case ctXPProgress: case ctScrollbar: case ctNode: case ctProgressPie: return true;
    default: return false;
    }
}

// The expand state: any value that is not a plain Boolean counts as collapsed.
bool ExpandedOf(const Variant& V)
{
    return V.VType() == varBoolean && V.AsBoolean();
}

// Kinds that may carry a balloon of their own.
bool TakesBalloon(TCellType Kind)
{
    return Kind == ctIcon || Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctRadioButton;
}

}  // namespace

// ---- Helpers ------------------------------------------------------------------------------------------------

void TQorStringGrid::CheckWidgetCell(int RCol, int ARow)
{
    // Widgets go into the cell store, which holds the shown rows: a row at or past RowCount (even
    // with rows hidden) is a cell no widget operation reaches, so it is refused.
    if (RCol < 0 || ARow < 0 || RCol >= TotalColCount() || ARow >= GetRowCount())
        throw Exception(QorGridConsts::SInvalidCell);
}

int TQorStringGrid::HiddenRowCount()
{
    return FLists.FGridItems.Count();
}

void TQorStringGrid::ForHiddenRowGraphics(const std::function<bool(int RCol, TCellGraphic*)>& Visit)
{
    for (TGridItem& Item : FLists.FGridItems) {
        for (int c = 0; c < Item.CellCount(); ++c) {
            auto* P = dyn<TCellProperties>(Item.GetObject(c));
            TCellGraphic* G = P ? dyn<TCellGraphic>(P->GetGraphicObject()) : nullptr;
            if (!G || !Visit(c, G)) continue;
            P->SetGraphicObject(nullptr);
            if (G != FOpt.FCellGraphic.get()) G->Free();
        }
    }
}

TCellGraphic* TQorStringGrid::OwnGraphic(int RCol, int ARow)
{
    if (RCol < 0 || ARow < 0 || ARow >= GetRowCount()) return nullptr;
    return dyn<TCellGraphic>(GetGraphicObjectEx(RCol, ARow));
}

TCellGraphic* TQorStringGrid::BaseGraphic(int RCol, int ARow)
{
    if (RCol < 0 || ARow < 0) return nullptr;
    const TPoint B = BaseCell(RCol, ARow);
    return GetCellGraphic(B.X, B.Y);
}

void TQorStringGrid::RepaintWidget(int RCol, int ARow)
{
    if (!IsDestroying()) RepaintCell(DisplColIndex(RCol), ARow);
}

// ---- Records --------------------------------------------------------------------------------------------------

TCellGraphic* TQorStringGrid::GetCellGraphic(int RCol, int ARow)
{
    if (RCol < 0 || ARow < 0) return nullptr;
    TObject* Obj = GetGraphicObjectEx(RCol, ARow);
    if (Obj && !dyn<TCellGraphic>(Obj)) return nullptr;
    if (RCol == 0 && FOpt.FMouseActions->GetHotmailRowSelect()) {
        // The grid's shared record, set up as the row's check box; the header box is partial
        // while some but not all data rows are selected.
        TCellGraphic* G = FOpt.FCellGraphic.get();
        G->FCellType = ctRowCheckBox;
        if (ARow == 0) {
            const int n = FLists.FSelectedRows->Count();
            const int d = GetRowCount() - GetFixedRows();
            G->FCellAngle = n > 0 && n < d ? 1 : 0;
            G->FCellBoolean = n >= d;
        } else {
            G->FCellAngle = 0;
            G->FCellBoolean = GetRowSelect(ARow);
        }
        G->FCellTransparent = FOpt.FControlLook->GetControlStyle() == csFlat;
        return G;
    }
    return static_cast<TCellGraphic*>(Obj);
}

TCellType TQorStringGrid::GetCellType(int RCol, int ARow)
{
    if (RCol < 0 || ARow < 0) return ctEmpty;
    TObject* Obj = GetGraphicObjectEx(RCol, ARow);
    if (Obj && !dyn<TCellGraphic>(Obj)) return ctEmpty;
    if (RCol == 0 && FOpt.FMouseActions->GetHotmailRowSelect()) return ctRowCheckBox;
    return Obj ? static_cast<TCellGraphic*>(Obj)->FCellType : ctEmpty;
}

bool TQorStringGrid::GetCellEmpty(int RCol, int ARow)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    return !G || (G->FCellType == ctNone && G->FCellComment.empty());
}

TCellGraphic* TQorStringGrid::CreateCellGraphic(int RCol, int ARow)
{
    CheckWidgetCell(RCol, ARow);
    // The record attached to the cell, not the shared record column 0 answers under
    // HotmailRowSelect: that one is the grid's and a cell's own record would leak behind it.
    TObject* Old = GetGraphicObjectEx(RCol, ARow);
    auto* New = Create<TCellGraphic>();
    SetGraphicObjectEx(RCol, ARow, New);
    if (Old && Old != FOpt.FCellGraphic.get()) Old->Free();
    if (FDims.FNumHidden > 0) {
        const int c = DisplColIndex(RCol);
        if (c != RCol) RepaintCell(c, ARow);
    }
    return New;
}

bool TQorStringGrid::FreeCellGraphic(int RCol, int ARow)
{
    if (RCol < 0 || ARow < 0 || ARow >= GetRowCount()) return false;
    TObject* G = GetGraphicObjectEx(RCol, ARow);
    if (!G) return false;
    SetGraphicObjectEx(RCol, ARow, nullptr);
    // The grid's shared record of virtual and row check boxes is only detached.
    if (G != FOpt.FCellGraphic.get()) G->Free();
    RepaintWidget(RCol, ARow);
    return true;
}

bool TQorStringGrid::RemoveCellGraphic(int RCol, int ARow, TCellType CellType)
{
    if (GetCellType(RCol, ARow) != CellType) return false;
    return FreeCellGraphic(RCol, ARow);
}

bool TQorStringGrid::IsCellGraphic(int RCol, int ARow, std::initializer_list<TCellType> CTSet)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    if (!G) return false;
    for (TCellType T : CTSet)
        if (G->FCellType == T) return true;
    return false;
}

bool TQorStringGrid::HasCheckBox(int RCol, int ARow)
{
    return IsCellGraphic(RCol, ARow, {ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctTriStateCheckBox});
}

bool TQorStringGrid::HasDataCheckBox(int RCol, int ARow)
{
    return IsCellGraphic(RCol, ARow, {ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox});
}

bool TQorStringGrid::HasButton(int RCol, int ARow)
{
    return IsCellGraphic(RCol, ARow, {ctButton, ctBitButton, ctVirtButton});
}

bool TQorStringGrid::HasBalloon(int RCol, int ARow) { return IsCellGraphic(RCol, ARow, {ctBalloon}); }
bool TQorStringGrid::IsRadio(int RCol, int ARow) { return IsCellGraphic(RCol, ARow, {ctRadio}); }
bool TQorStringGrid::HasExpand(int RCol, int ARow) { return IsCellGraphic(RCol, ARow, {ctExpand}); }
bool TQorStringGrid::HasProgress(int RCol, int ARow) { return IsCellGraphic(RCol, ARow, {ctProgress}); }
bool TQorStringGrid::HasShape(int RCol, int ARow) { return IsCellGraphic(RCol, ARow, {ctShape}); }
bool TQorStringGrid::HasRating(int RCol, int ARow) { return IsCellGraphic(RCol, ARow, {ctRating}); }
bool TQorStringGrid::HasScrollBar(int RCol, int ARow) { return IsCellGraphic(RCol, ARow, {ctScrollbar}); }
bool TQorStringGrid::HasDataImage(int RCol, int ARow) { return IsCellGraphic(RCol, ARow, {ctDataImage}); }
bool TQorStringGrid::HasDataPicture(int RCol, int ARow) { return IsCellGraphic(RCol, ARow, {ctDataPicture}); }

bool TQorStringGrid::HasAutoRangeScrollBar(int RCol, int ARow)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    return G && G->FCellType == ctScrollbar && G->FCellBoolean;
}

// ---- Pictures, bitmaps, icons, interfaced cells ---------------------------------------------------------

void TQorStringGrid::AddPicture(int RCol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                                int padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(RCol, ARow)->SetPicture(APicture, Transparent, StretchMode, padding, hal, val);
}

TPicture* TQorStringGrid::CreatePicture(int RCol, int ARow, bool Transparent, TStretchMode StretchMode,
                                        int padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    return CreateOwned<TPicture>(
        G, [&](TPicture* Obj) { G->SetPicture(Obj, Transparent, StretchMode, padding, hal, val); });
}

TPicture* TQorStringGrid::GetPicture(int RCol, int ARow)
{
    return HeldObject<TPicture>(GetCellGraphic(RCol, ARow), ctPicture);
}

void TQorStringGrid::RemovePicture(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctPicture); }

void TQorStringGrid::AddFilePicture(int RCol, int ARow, TFilePicture* AFilePicture, bool Transparent,
                                    TStretchMode StretchMode, int padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(RCol, ARow)->SetFilePicture(AFilePicture, Transparent, StretchMode, padding, hal, val);
}

TFilePicture* TQorStringGrid::CreateFilePicture(int RCol, int ARow, bool Transparent, TStretchMode StretchMode,
                                                int padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    return CreateOwned<TFilePicture>(
        G, [&](TFilePicture* Obj) { G->SetFilePicture(Obj, Transparent, StretchMode, padding, hal, val); });
}

TFilePicture* TQorStringGrid::GetFilePicture(int RCol, int ARow)
{
    return HeldObject<TFilePicture>(GetCellGraphic(RCol, ARow), ctFilePicture);
}

void TQorStringGrid::RemoveFilePicture(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctFilePicture); }

void TQorStringGrid::AddBitmap(int RCol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(RCol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap* TQorStringGrid::CreateBitmap(int RCol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    return CreateOwned<TBitmap>(G, [&](TBitmap* Obj) { G->SetBitmap(Obj, Transparent, hal, val); });
}

TBitmap* TQorStringGrid::GetBitmap(int RCol, int ARow)
{
    return HeldObject<TBitmap>(GetCellGraphic(RCol, ARow), ctBitmap);
}

void TQorStringGrid::RemoveBitmap(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctBitmap); }

void TQorStringGrid::AddIcon(int RCol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(RCol, ARow)->SetIcon(AIcon, hal, val);
}

TIcon* TQorStringGrid::CreateIcon(int RCol, int ARow, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    return CreateOwned<TIcon>(G, [&](TIcon* Obj) { G->SetIcon(Obj, hal, val); });
}

void TQorStringGrid::RemoveIcon(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctIcon); }

void TQorStringGrid::AddInterfacedCell(int RCol, int ARow, TInterfacedPersistent* AObject)
{
    CreateCellGraphic(RCol, ARow)->SetInterfacedCell(AObject);
}

TInterfacedPersistent* TQorStringGrid::GetInterfacedCell(int RCol, int ARow)
{
    return HeldObject<TInterfacedPersistent>(GetCellGraphic(RCol, ARow), ctInterface);
}

void TQorStringGrid::RemoveInterfacedCell(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctInterface); }

// ---- Images -------------------------------------------------------------------------------------------------------

void TQorStringGrid::AddImageIdx(int RCol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!FOpt.FGridImages) return;
    CreateCellGraphic(RCol, ARow)->SetImageIdx(Aidx, hal, val);
    RepaintWidget(RCol, ARow);
}

bool TQorStringGrid::GetImageIdx(int RCol, int ARow, int& idx)
{
    if (!FOpt.FGridImages) return false;
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G || G->FCellType != ctImageList) return false;
    idx = G->FCellIndex;
    return true;
}

void TQorStringGrid::SetImageIdx(int RCol, int ARow, int Idx)
{
    if (!FOpt.FGridImages) return;
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (G && G->FCellType == ctImageList) G->FCellIndex = Idx;
}

void TQorStringGrid::RemoveImageIdx(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctImageList); }

void TQorStringGrid::AddDataImage(int RCol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!FOpt.FGridImages) return;
    CreateCellGraphic(RCol, ARow)->SetDataImage(Aidx, hal, val);
    if (GetCellEx(RCol, ARow).empty()) SetCellEx(RCol, ARow, IntToStr(Aidx));
}

void TQorStringGrid::RemoveDataImage(int RCol, int ARow)
{
    if (RemoveCellGraphic(RCol, ARow, ctDataImage)) SetCellEx(RCol, ARow, String());
}

void TQorStringGrid::AddDataPicture(int RCol, int ARow, const String& AName, TCellHAlign hal, TCellVAlign val)
{
    if (!FOpt.FPictureContainer) return;
    CreateCellGraphic(RCol, ARow)->SetDataPicture(hal, val);
    if (GetCellEx(RCol, ARow).empty()) SetCellEx(RCol, ARow, AName);
}

void TQorStringGrid::RemoveDataPicture(int RCol, int ARow)
{
    if (RemoveCellGraphic(RCol, ARow, ctDataPicture)) SetCellEx(RCol, ARow, String());
}

void TQorStringGrid::AddMultiImage(int RCol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val)
{
    if (!FOpt.FGridImages) return;
    CreateCellGraphic(RCol, ARow)->SetMultiImage(RCol, ARow, Dir, hal, val, [this](TObject* S, int c, int r) {
        MultiImageChanged(S, c, r);
    });
}

TIntList* TQorStringGrid::GetCellImages(int RCol, int ARow)
{
    return HeldObject<TIntList>(GetCellGraphic(RCol, ARow), ctImages);
}

void TQorStringGrid::RemoveMultiImage(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctImages); }

void TQorStringGrid::MultiImageChanged(TObject*, int RCol, int ARow)
{
    RepaintWidget(RCol, ARow);
}

int TQorStringGrid::GetCellImageIdx(int RCol, int ARow)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G) return -1;
    // Objects get a 32-bit number of their own (addresses are 64-bit): equal exactly for cells
    // sharing an object, different for different objects alive at the same time.
    auto Key = [](TObject* O) {
        static std::unordered_map<const TObject*, int> Numbers;
        if (!O) return 0;
        auto [It, Added] = Numbers.try_emplace(O, int(Numbers.size()) + 1);
        return It->second;
    };
    switch (G->FCellType) {
    case ctImageList: return G->FCellIndex;
    case ctBitmap: return Key(G->FCellBitmap);
    case ctIcon: return Key(G->FCellIcon);
    default: return -1;
    }
}

void TQorStringGrid::SetImages(TCustomImageList* Value)
{
    if (Value != FOpt.FGridImages) SetGridImages(Value);
}

// ---- Progress bars, pies, gauges, range indicators, shapes, ratings --------------------------------------------

void TQorStringGrid::AddProgress(int RCol, int ARow, TColor FGColor, TColor BKColor)
{
    AddProgressFormatted(RCol, ARow, FGColor, TColor(0), BKColor, TColor(0), String(), 0, 100, 0);
    // Without text colours given the bar paints its text in the default colours.
    OwnGraphic(RCol, ARow)->FCellBoolean = false;
}

void TQorStringGrid::AddProgressEx(int RCol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                   TColor BKTextColor)
{
    AddProgressFormatted(RCol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, String(), 0, 100, 0);
}

void TQorStringGrid::AddProgressFormatted(int RCol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                          TColor BKTextColor, const String& Fmt, int Min, int Max, double Scale)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    G->FCellType = ctProgress;
    G->FCellBitmapColor = FGColor;
    G->FCellIconColor = BKColor;
    G->FCellErrFrom = Min;
    G->FCellErrLen = Max;
    G->FCellBoolean = true;
    G->FCellIndex = int(FGTextColor);
    G->FCellAngle = int(BKTextColor);
    G->FCellText = Fmt;
    G->FCellValue = Scale;
    G->FCellHAlign = haLeft;
    G->FCellVAlign = vaTop;
    if (FText.FAutoNumAlign) GetCellProperties(RCol, ARow)->SetAlignment(taRightJustify);
}

void TQorStringGrid::RemoveProgress(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctProgress); }

void TQorStringGrid::AddProgressPie(int RCol, int ARow, TColor Color, int Value)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    G->FCellType = ctProgressPie;
    G->FCellAngle = Value;
    G->FCellErrFrom = int(Color);
    G->FCellHAlign = haBeforeText;
    G->FCellVAlign = vaTop;
}

void TQorStringGrid::SetProgressPie(int RCol, int ARow, int Value)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G || G->FCellType != ctProgressPie) return;
    G->FCellAngle = Value;
    RepaintWidget(RCol, ARow);
}

void TQorStringGrid::RemoveProgressPie(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctProgressPie); }

void TQorStringGrid::AddQorProgress(int RCol, int ARow, int Min, int Max)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    G->FCellType = ctXPProgress;
    G->FCellErrFrom = Min;
    G->FCellErrLen = Max;
    G->FCellBoolean = false;
    G->FCellText.clear();
    G->FCellHAlign = haLeft;
    G->FCellVAlign = vaTop;
}

void TQorStringGrid::RemoveQorProgress(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctXPProgress); }

void TQorStringGrid::AddRangeIndicator(int RCol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                       bool ShowValue)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    G->FCellType = ctRangeIndicator;
    G->FCellIndex = Range;
    G->FCellBitmapColor = NegColor;
    G->FCellIconColor = PosColor;
    G->FCellBoolean = ShowValue;
    G->FCellHAlign = haLeft;
    G->FCellVAlign = vaTop;
}

void TQorStringGrid::RemoveRangeIndicator(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctRangeIndicator); }

void TQorStringGrid::AddShape(int RCol, int ARow, QorUtil::TCellShape Shape, TColor FillColor, TColor LineColor,
                              TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    G->FCellType = ctShape;
    G->FCellAngle = int(Shape);
    G->FCellIndex = int(FillColor);
    G->FCellBitmapColor = LineColor;
    G->FCellHAlign = hal;
    G->FCellVAlign = val;
}

TColor TQorStringGrid::GetShapeColor(int RCol, int ARow)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    return G && G->FCellType == ctShape ? TColor(G->FCellIndex) : clNone;
}

void TQorStringGrid::SetShapeColor(int RCol, int ARow, TColor FillColor)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    if (G && G->FCellType == ctShape) G->FCellIndex = int(FillColor);
}

void TQorStringGrid::RemoveShape(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctShape); }

void TQorStringGrid::AddRating(int RCol, int ARow, int Scale, TColor FillColor, TColor EmptyColor)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    G->FCellType = ctRating;
    G->FCellAngle = Scale;
    G->FCellIndex = int(FillColor);
    G->FCellBitmapColor = EmptyColor;
    G->FCellHAlign = haFull;
}

void TQorStringGrid::RemoveRating(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctRating); }

// ---- In-cell scroll bars ---------------------------------------------------------------------------------------

void TQorStringGrid::AddScrollBar(int RCol, int ARow, bool AutoRange)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    G->FCellType = ctScrollbar;
    G->FCellIndex = 0;
    G->FCellAngle = 0;
    G->FCellErrFrom = 100;
    G->FCellBoolean = AutoRange;
    if (AutoRange) CellTextChange(RCol, ARow);
}

void TQorStringGrid::RemoveScrollBar(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctScrollbar); }

void TQorStringGrid::SetScrollPosition(int RCol, int ARow, int Pos)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    if (!G || G->FCellType != ctScrollbar) return;
    G->FCellIndex = Pos;
    const TPoint B = BaseCell(RCol, ARow);
    RepaintWidget(B.X, B.Y);
}

int TQorStringGrid::GetScrollPosition(int RCol, int ARow)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    return G && G->FCellType == ctScrollbar ? G->FCellIndex : -1;
}

void TQorStringGrid::SetScrollProp(int RCol, int ARow, TScrollProp Prop)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    if (!G || G->FCellType != ctScrollbar) return;
    G->FCellAngle = Prop.PageSize;
    G->FCellErrFrom = Prop.Range;
}

TScrollProp TQorStringGrid::GetScrollProp(int RCol, int ARow)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    if (!G || G->FCellType != ctScrollbar) return TScrollProp{-1, -1};
    return TScrollProp{G->FCellAngle, G->FCellErrFrom};
}

// ---- Buttons -------------------------------------------------------------------------------------------------------

void TQorStringGrid::AddButton(int RCol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                               TCellVAlign val)
{
    CreateCellGraphic(RCol, ARow)->SetButton(bw, bh, Caption, hal, val);
}

void TQorStringGrid::AddBitButton(int RCol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph,
                                  TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(RCol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

TBitmap* TQorStringGrid::CreateBitButton(int RCol, int ARow, int bw, int bh, const String& Caption,
                                         TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    return CreateOwned<TBitmap>(G, [&](TBitmap* Obj) { G->SetBitButton(bw, bh, Caption, Obj, hal, val); });
}

void TQorStringGrid::RemoveButton(int RCol, int ARow)
{
    RemoveCellGraphic(RCol, ARow, ctButton);
    RemoveCellGraphic(RCol, ARow, ctBitButton);
}

void TQorStringGrid::RemoveBitButton(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctBitButton); }

void TQorStringGrid::RemoveAllButtons()
{
    // Every real column and every row, the hidden ones too, and every cell's own button (a cell
    // covered by a merged area keeps none that would come back when the area is split).
    for (int c = 0; c < TotalColCount(); ++c)
        for (int r = 0; r < GetRowCount(); ++r) RemoveButton(c, r);
    // Column 0 shows the row box under HotmailRowSelect: its own record is left, as for shown rows.
    const bool RowBox = FOpt.FMouseActions->GetHotmailRowSelect();
    ForHiddenRowGraphics([RowBox](int c, TCellGraphic* G) {
        return !(RowBox && c == 0) && (G->FCellType == ctButton || G->FCellType == ctBitButton);
    });
}

void TQorStringGrid::SetButtonText(int ACol, int ARow, const String& Caption)
{
    TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!G) return;
    G->FCellText = Caption;
    if (!IsDestroying()) RepaintCell(ACol, ARow);
}

String TQorStringGrid::GetButtonText(int ACol, int ARow)
{
    TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
    return G ? G->FCellText : String();
}

void TQorStringGrid::PushButton(int ACol, int ARow, bool push)
{
    TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!G || G->FCellType == ctNode) return;
    G->FCellBoolean = push;
    if (!IsDestroying()) RepaintCell(ACol, ARow);
}

// ---- Rotated text, expandable cells -------------------------------------------------------------------------

void TQorStringGrid::AddRotated(int RCol, int ARow, int AAngle, const String& s)
{
    CreateCellGraphic(RCol, ARow)->SetAngle(AAngle);
    SetCellEx(RCol, ARow, s);
}

bool TQorStringGrid::IsRotated(int RCol, int ARow, int& aAngle)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G || G->FCellType != ctRotated) return false;
    aAngle = G->FCellAngle;
    return true;
}

void TQorStringGrid::SetRotated(int RCol, int ARow, int AAngle)
{
    TCellGraphic* G = OwnGraphic(RCol, ARow);
    if (!G) {
        CreateCellGraphic(RCol, ARow)->SetAngle(AAngle);
        return;
    }
    // What the old kind owned goes, as freeing the record would release it.
    G->ReleaseObjects();
    G->FCellBitmap = nullptr;
    G->FCellIcon = nullptr;
    G->SetAngle(AAngle);
}

void TQorStringGrid::RemoveRotated(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctRotated); }

void TQorStringGrid::AddExpand(int RCol, int ARow, int ExpandedHeight)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    G->FCellType = ctExpand;
    G->FCellVar = false;
    G->FCellAngle = ExpandedHeight;
    G->FCellIndex = ARow < GetRowCount() ? GetRowHeights(ARow) : GetDefaultRowHeight();
}

void TQorStringGrid::RemoveExpand(int RCol, int ARow) { RemoveCellGraphic(RCol, ARow, ctExpand); }

bool TQorStringGrid::ToggleExpand(int RCol, int ARow)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    if (!G) return false;
    const bool Now = !ExpandedOf(G->FCellVar);
    G->FCellVar = Now;
    return Now;
}

bool TQorStringGrid::GetExpandState(int RCol, int ARow)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    return G && ExpandedOf(G->FCellVar);
}

int TQorStringGrid::GetExpandHeight(int RCol, int ARow, bool Expanded)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    if (!G) return GetDefaultRowHeight();
    return Expanded ? G->FCellAngle : G->FCellIndex;
}

// ---- Balloons ------------------------------------------------------------------------------------------------------

void TQorStringGrid::AddBalloon(int RCol, int ARow, const String& Title, const String& Text, TBalloonIcon Icon)
{
    TCellGraphic* G = OwnGraphic(RCol, ARow);
    if (G && !TakesBalloon(G->FCellType)) return;
    if (!G) {
        G = CreateCellGraphic(RCol, ARow);
        G->FCellType = ctBalloon;
        G->FCellAngle = 0;
    } else if (G->FCellBalloon) {
        // A second balloon replaces the first.
        TObject* Old = G->FCellBitmap;
        G->FCellBitmap = nullptr;
        Old->Free();
    }
    auto* Lines = Create<TStringList>();
    Lines->Add(Title);
    Lines->Add(Text);
    G->FCellBitmap = Lines;
    G->FCellIndex = int(Icon);
    if (G->FCellType != ctBalloon) G->FCellBalloon = true;
}

void TQorStringGrid::RemoveBalloon(int RCol, int ARow)
{
    TCellGraphic* G = OwnGraphic(RCol, ARow);
    if (G && TakesBalloon(G->FCellType)) {
        if (!G->FCellBalloon) return;
        TObject* Lines = G->FCellBitmap;
        G->FCellBitmap = nullptr;
        G->FCellBalloon = false;
        if (Lines) Lines->Free();
        return;
    }
    RemoveCellGraphic(RCol, ARow, ctBalloon);
}

bool TQorStringGrid::IsBalloon(int RCol, int ARow, String& Title, String& Text, TBalloonIcon& Icon)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G) return false;
    if (G->FCellType != ctBalloon && !(TakesBalloon(G->FCellType) && G->FCellBalloon)) return false;
    if (auto* Lines = dyn<TStrings>(G->FCellBitmap)) {
        Title = Lines->Count() > 0 ? Lines->Get(0) : String();
        Text = Lines->Count() > 1 ? Lines->Get(1) : String();
        Icon = G->FCellIndex >= biNone && G->FCellIndex <= biError ? TBalloonIcon(G->FCellIndex) : biNone;
    }
    return true;
}

// ---- Comments ------------------------------------------------------------------------------------------------------

void TQorStringGrid::AddComment(int RCol, int ARow, const String& Comment)
{
    AddColorComment(RCol, ARow, Comment, FOpt.FControlLook->GetCommentColor());
}

void TQorStringGrid::AddColorComment(int RCol, int ARow, const String& Comment, TColor Color)
{
    TCellGraphic* G = OwnGraphic(RCol, ARow);
    if (!G) G = CreateCellGraphic(RCol, ARow);
    G->FCellComment = Comment;
    G->FCommentColor = Color;
}

void TQorStringGrid::SetComment(int RCol, int ARow, const String& Value)
{
    if (TCellGraphic* G = OwnGraphic(RCol, ARow))
        G->FCellComment = Value;
    else
        AddComment(RCol, ARow, Value);
}

bool TQorStringGrid::IsComment(int RCol, int ARow, String& comment)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G) return false;
    if (!G->FCellComment.empty()) comment = G->FCellComment;
    if (G->FCellType == ctPicture && !G->FCellText.empty()) {
        comment = G->FCellText;
        return true;
    }
    return !G->FCellComment.empty();
}

String TQorStringGrid::GetComment(int RCol, int ARow)
{
    String C;
    return IsComment(RCol, ARow, C) ? C : String();
}

void TQorStringGrid::RemoveComment(int RCol, int ARow)
{
    if (TCellGraphic* G = OwnGraphic(RCol, ARow)) G->FCellComment.clear();
}

void TQorStringGrid::RemoveAllComments()
{
    for (int c = 0; c < TotalColCount(); ++c)
        for (int r = 0; r < GetRowCount(); ++r) RemoveComment(c, r);
    ForHiddenRowGraphics([](int, TCellGraphic* G) {
        G->FCellComment.clear();
        return false;
    });
    Invalidate();
}

// ---- Text markers --------------------------------------------------------------------------------------------------

void TQorStringGrid::AddMarker(int RCol, int ARow, int ErrPos, int ErrLen)
{
    TCellGraphic* G = OwnGraphic(RCol, ARow);
    if (G && MarkerFieldsTaken(G->FCellType)) return;
    if (!G) {
        G = CreateCellGraphic(RCol, ARow);
        G->FCellType = ctEmpty;
    }
    G->FCellErrFrom = ErrPos;
    G->FCellErrLen = ErrLen;
    if (HandleAllocated()) InvalidateCell(DisplColIndex(RCol), ARow);
}

void TQorStringGrid::GetMarker(int RCol, int ARow, int& ErrPos, int& ErrLen)
{
    ErrPos = 0;
    ErrLen = 0;
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G || MarkerFieldsTaken(G->FCellType)) return;
    ErrPos = G->FCellErrFrom;
    ErrLen = G->FCellErrLen;
}

namespace {

// A record's marker goes: true for a record that holds nothing but the marker (it goes too);
// other records lose the marker unless their kind keeps widget data in those fields.
bool DropMarker(TCellGraphic* G)
{
    if (G->FCellType == ctEmpty) return true;
    if (!MarkerFieldsTaken(G->FCellType)) {
        G->FCellErrFrom = 0;
        G->FCellErrLen = 0;
    }
    return false;
}

}  // namespace

void TQorStringGrid::RemoveMarker(int RCol, int ARow)
{
    if (RemoveCellGraphic(RCol, ARow, ctEmpty)) return;
    if (TCellGraphic* G = OwnGraphic(RCol, ARow); G && G->FCellType != ctEmpty) DropMarker(G);
}

void TQorStringGrid::RemoveAllMarkers()
{
    for (int c = 0; c < TotalColCount(); ++c)
        for (int r = 0; r < GetRowCount(); ++r) RemoveMarker(c, r);
    const bool RowBox = FOpt.FMouseActions->GetHotmailRowSelect();
    // Column 0 answers the row box under HotmailRowSelect: a marker-only record stays there, as
    // it does in the shown rows.
    ForHiddenRowGraphics([RowBox](int c, TCellGraphic* G) {
        return !(RowBox && c == 0 && G->FCellType == ctEmpty) && DropMarker(G);
    });
}

// ---- Services painting and editing ask ------------------------------------------------------------------------

void TQorStringGrid::GetDisplText(int c, int r, String& Value)
{
    inherited::GetDisplText(c, r, Value);
    if (FHints.FURLShowInText) {
        String Linked;
        for (const wchar_t* Prefix : QorGridConsts::SURLLinkPrefixes)
            if (QorUtil::MakeHTMLHyperlink(Value, Prefix, Linked)) {
                Value = Linked;
                break;
            }
    }
    if (c == 1 && FOpt.FGrouping->GetShowGroupCount() && IsNode(r)) {
        const int n = GetNodeSpan(r) - GetSubNodeCount(r) - 1;
        const String& Fmt = FOpt.FGrouping->GetGroupCountFormat();
        String Count = L" (" + IntToStr(n) + L")";
        if (!Fmt.empty()) {
            // The format is user text: a bad one shows the plain count.
            try {
                Count = Format(Fmt, {n});
            } catch (const EConvertError&) {
            }
        }
        Value += Count;
    }
}

bool TQorStringGrid::ShouldDrawSortIndicator(int ACol, int ARow)
{
    TSortSettings* S = FOpt.FSortSettings.get();
    if (!S->GetShow() || GetFixedRows() + 1 >= GetRowCount()) return false;
    const int SortRow = S->GetRow();
    if (ARow == SortRow) return true;
    const TPoint Span = CellSpan(RealColIndex(ACol), ARow);
    return Span.Y > 0 && ARow <= SortRow && SortRow <= ARow + Span.Y;
}

void TQorStringGrid::UpdateActiveCells(int co, int ro, int cn, int rn)
{
    if (IsDestroying()) return;
    auto Headers = [this](int c, int r) {
        if (c >= 0 && c < GetColCount())
            for (int i = 0; i < GetFixedRows(); ++i) RepaintCell(c, i);
        if (r >= 0 && r < GetRowCount())
            for (int i = 0; i < GetFixedCols(); ++i) RepaintCell(i, r);
    };
    Headers(co, ro);
    Headers(cn, rn);
}
