// BaseGrid: the painting frame of a cell (background, hover and active rows, selection boxes, the
// grid's own lines, a merged area painted once as one cell) and the behaviour that keeps the
// current cell on the base cells of merged areas.
#include "grid/BaseGrid.h"

#include "graphics/QorUtil.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>
#include <vector>
#include <optional>

namespace {

// The colours of a selection box (DrawSelectionGradient's arguments, background aside).
struct TSelectionColors {
    TColor Color1, Color2, MirColor1, MirColor2, LineTop, LineBottom, Border, Edge;
};

constexpr TSelectionColors VistaFocused{0x00FDF8F1, 0x00FCEFD5, clNone, clNone,
                                        0x00FDFBF6, 0x00FDF5E7, 0x00FDDE99, 0x00FCEDCB};
constexpr TSelectionColors Win7Focused{0x00FCEBDC, 0x00FCDBC1, clNone, clNone,
                                       0x00FDF4EB, 0x00FDEADB, 0x00CEA27D, 0x00E0C5AE};
constexpr TSelectionColors Office2007Focused{0x00D7FFFD, 0x0058D4FC, 0x0058D4FC, 0x00B3F1FC,
                                             0x00F4FEFF, 0x00CAF8FF, 0x008DD7D3, 0x00C3D9DF};
constexpr TSelectionColors NotFocused{0x00F8F8F8, 0x00E5E5E5, clNone, clNone,
                                      0x00FBFAFA, 0x00F0F0F0, 0x00D9D9D9, 0x00EFEFEF};

const TSelectionColors& SelectionColors(TGridSelectionStyle Style, bool Focused)
{
    if (!Focused) return NotFocused;
    switch (Style) {
    case ssWin7: return Win7Focused;
    case ssOffice2007: return Office2007Focused;
    default: return VistaFocused;
    }
}

// Where a cell lies in a selection running from column Left to column Right.
QorUtil::TGradientPart SelectionPart(int ACol, int Left, int Right)
{
    if (ACol == Left && ACol < Right) return QorUtil::gpLeft;
    if (ACol == Right && ACol > Left) return QorUtil::gpRight;
    if (ACol > Left && ACol < Right) return QorUtil::gpMiddle;
    return QorUtil::gpFull;
}

}  // namespace

// Solid brushes by colour, and text heights by font, for one paint of the grid: a screen of cells
// uses a handful of colours and fonts, and making and selecting a brush, or measuring a font, per
// cell costs more than filling the cell.
struct TBaseGrid::TPaintBrushes {
    std::vector<std::pair<COLORREF, TGdiBrush>> Brushes;
    std::vector<std::pair<HFONT, int>> TextHeights;

    // The ordinary cells' area, filled in one colour before the cells (PaintPrefillColor).
    std::optional<std::pair<RECT, COLORREF>> Prefill;
    // Whether R lies in the filled area and C is its colour.
    bool Prefilled(const TRect& R, COLORREF C) const
    {
        return Prefill && Prefill->second == C && R.Left >= Prefill->first.left && R.Top >= Prefill->first.top &&
               R.Right <= Prefill->first.right && R.Bottom <= Prefill->first.bottom;
    }

    // Advance widths by font, in blocks of 128 characters fetched on first use; -1 marks a
    // character the font lacks (the caller asks only for Simple characters).
    struct TCharWidths {
        HFONT Font = nullptr;
        bool Additive = false;   // the device context's text extents are sums of advances
        std::vector<std::unique_ptr<std::array<int, 128>>> Blocks;
    };
    std::vector<TCharWidths> CharWidths;
    static constexpr int WidthLimit = 0x2C00;
    // Characters drawn and measured one after the other without shaping or control meaning:
    // Latin, Greek and Cyrillic without combining marks, soft hyphens or the general
    // punctuation block's format characters, and the symbol blocks.
    static bool Simple(wchar_t c)
    {
        return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c < 0x300 && c != 0xAD) || (c >= 0x370 && c < 0x530) ||
               (c >= 0x2070 && c < WidthLimit);
    }
    TCharWidths& Widths(HDC DC, HFONT F)
    {
        for (TCharWidths& W : CharWidths)
            if (W.Font == F) return W;
        TCharWidths& W = CharWidths.emplace_back();
        W.Font = F;
        TEXTMETRICW TM{};
        // Raster fonts add their overhang once a text; spacing, justification, mapping and
        // transforms change extents past the advances.
        W.Additive = ::GetTextMetricsW(DC, &TM) && (TM.tmPitchAndFamily & (TMPF_TRUETYPE | TMPF_VECTOR)) &&
                     TM.tmOverhang == 0 && ::GetTextCharacterExtra(DC) == 0 && ::GetMapMode(DC) == MM_TEXT &&
                     ::GetGraphicsMode(DC) == GM_COMPATIBLE;
        W.Blocks.resize(WidthLimit / 128);
        return W;
    }
    static int Advance(HDC DC, TCharWidths& W, wchar_t c)
    {
        auto& B = W.Blocks[c / 128];
        if (!B) {
            B = std::make_unique<std::array<int, 128>>();
            const UINT First = c & ~0x7Fu;
            WORD Glyphs[128];
            wchar_t Chars[128];
            for (UINT i = 0; i < 128; ++i) Chars[i] = wchar_t(First + i);
            if (!::GetCharWidth32W(DC, First, First + 127, B->data()) ||
                ::GetGlyphIndicesW(DC, Chars, 128, Glyphs, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
                B->fill(-1);
            else
                for (UINT i = 0; i < 128; ++i)
                    if (Glyphs[i] == 0xFFFF) (*B)[i] = -1;
        }
        return (*B)[c % 128];
    }

    HBRUSH Get(COLORREF C)
    {
        for (auto& [Color, Brush] : Brushes)
            if (Color == C) return Brush;
        Brushes.emplace_back(C, TGdiBrush(::CreateSolidBrush(C)));
        return Brushes.back().second;
    }

    // Waiting one-pixel lines: the horizontal run the paint is extending to the right along a
    // row, and one vertical run per line position extended downwards.
    struct TLineRun {
        RECT R;
        COLORREF Color;
    };
    std::optional<TLineRun> Horz;
    std::vector<TLineRun> Verts;
    void Draw(HDC DC, const TLineRun& L) { ::FillRect(DC, &L.R, Get(L.Color)); }
    void AddHorz(HDC DC, const RECT& R, COLORREF C)
    {
        if (Horz && Horz->Color == C && Horz->R.top == R.top && Horz->R.bottom == R.bottom && Horz->R.right == R.left) {
            Horz->R.right = R.right;
            return;
        }
        if (Horz) Draw(DC, *Horz);
        Horz = TLineRun{R, C};
    }
    void AddVert(HDC DC, const RECT& R, COLORREF C)
    {
        for (TLineRun& V : Verts)
            if (V.R.left == R.left) {
                if (V.Color == C && V.R.right == R.right && V.R.bottom == R.top) {
                    V.R.bottom = R.bottom;
                } else {
                    Draw(DC, V);
                    V = TLineRun{R, C};
                }
                return;
            }
        Verts.push_back(TLineRun{R, C});
    }
    void DrawAll(HDC DC)
    {
        if (Horz) Draw(DC, *Horz);
        Horz.reset();
        for (const TLineRun& V : Verts) Draw(DC, V);
        Verts.clear();
    }
};

namespace {

// Whether a cell's background is one colour filled straight into its rectangle: no selection
// box, no second gradient colour, a copying pen.
bool OneColourBackground(bool SelectionBox, TColor From, TColor To, TColor MirrorTo, TPenMode Mode)
{
    return !SelectionBox && MirrorTo == clNone && (From == clNone || To == clNone) && Mode == pmCopy;
}

}  // namespace

void TBaseGrid::FillSolid(HDC DC, const TRect& R, TColor Color)
{
    const RECT W{R.Left, R.Top, R.Right, R.Bottom};
    const COLORREF C = COLORREF(ColorToRGB(Color));
    if (FPaintBrushes) {
        ::FillRect(DC, &W, FPaintBrushes->Get(C));
        return;
    }
    TGdiBrush B(::CreateSolidBrush(C));
    ::FillRect(DC, &W, B);
}

// ---- Painting -----------------------------------------------------------------------------------

void TBaseGrid::Paint()
{
    // The clip of this paint, before the framework narrows it to each cell in turn: a merged
    // area is painted whole from one of its cells.
    TClipScope PaintClip(GetCanvas()->GetHandle());
    TValueScope<TClipScope*> Painting(FPaintClip, &PaintClip);
    TValueScope<int> Focus(FPaintFocus, -1);
    TPaintBrushes Brushes;
    TValueScope<TPaintBrushes*> PaintBrushes(FPaintBrushes, &Brushes);
    PrefillCells();
    inherited::Paint();
    DrawPaintLines();
    FCellUnclipped = false;
    ++FPaintID;
}

void TBaseGrid::PrefillCells()
{
    // An unclipped cell is an ordinary cell inside the client area whose layers keep to its
    // rectangle, painted once: in the filled area nothing but the cell itself draws on it, so
    // the fill is what lies under it. A cell of another colour, or one that is clipped, fills
    // itself over it.
    if (!FPaintShortcuts || FGridLineWidth != 1 || UseVCLStyles()) return;
    TColor C = PaintPrefillColor();
    // No hover or active row colour that leaves a cell without a background.
    if (C == clNone || (FHoverRow && FHoverRowColor == clNone) || (FActiveRowShow && FActiveRowColor == clNone)) return;
    TGridDrawInfo D;
    CalcDrawInfo(D);
    const RECT R{D.Horz.FixedBoundary, D.Vert.FixedBoundary, D.Horz.GridBoundary, D.Vert.GridBoundary};
    if (R.right <= R.left || R.bottom <= R.top) return;
    const COLORREF RGB = COLORREF(ColorToRGB(C));
    ::FillRect(GetCanvas()->GetRawHandle(), &R, FPaintBrushes->Get(RGB));
    FPaintBrushes->Prefill.emplace(R, RGB);
}

void TBaseGrid::EndPaintPrefill()
{
    if (FPaintBrushes) FPaintBrushes->Prefill.reset();
}

void TBaseGrid::DrawPaintLines()
{
    if (FPaintBrushes) FPaintBrushes->DrawAll(GetCanvas()->GetRawHandle());
}

int TBaseGrid::PaintTextHeight(TCanvas* Canvas)
{
    if (!FPaintBrushes || Canvas != GetCanvas()) return Canvas->TextHeight(L"hg");
    const HFONT F = Canvas->GetFont()->GetHandle();
    for (const auto& [Font, Height] : FPaintBrushes->TextHeights)
        if (Font == F) return Height;
    const int Height = Canvas->TextHeight(L"hg");
    FPaintBrushes->TextHeights.emplace_back(F, Height);
    return Height;
}

int TBaseGrid::PaintTextWidth(TCanvas* Canvas, const wchar_t* Text, int Len)
{
    if (!FPaintBrushes || !FPaintShortcuts || Canvas != GetCanvas()) return -1;
    Canvas->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
    const HDC DC = Canvas->GetRawHandle();
    TPaintBrushes::TCharWidths& W = FPaintBrushes->Widths(DC, Canvas->GetFont()->GetHandle());
    if (!W.Additive) return -1;
    int Sum = 0;
    for (int i = 0; i < Len; ++i) {
        const wchar_t c = Text[i];
        if (!TPaintBrushes::Simple(c)) return -1;
        const int A = TPaintBrushes::Advance(DC, W, c);
        if (A < 0) return -1;
        Sum += A;
    }
    return Sum;
}

void TBaseGrid::PenLine(TCanvas* Canvas, int X1, int Y1, int X2, int Y2)
{
    TPen* Pen = Canvas->GetPen();
    // Only on the screen paint's own canvas: elsewhere (printing) a logical unit need not be a pixel.
    if (!FPaintShortcuts || !FPaintBrushes || Canvas != GetCanvas() || (X1 != X2 && Y1 != Y2) ||
        Pen->GetWidth() != 1 || Pen->GetStyle() != psSolid || Pen->GetMode() != pmCopy || UseRightToLeftAlignment()) {
        Canvas->MoveTo(X1, Y1);
        Canvas->LineTo(X2, Y2);
        return;
    }
    const HDC DC = Canvas->GetRawHandle();
    // From the start towards the end, the end left out.
    TRect R;
    if (Y1 == Y2) R = X2 > X1 ? TRect(X1, Y1, X2, Y1 + 1) : TRect(X2 + 1, Y1, X1 + 1, Y1 + 1);
    else R = Y2 > Y1 ? TRect(X1, Y1, X1 + 1, Y2) : TRect(X1, Y2 + 1, X1 + 1, Y1 + 1);
    if (X1 != X2 || Y1 != Y2) FillSolid(DC, R, Pen->GetColor());
    ::MoveToEx(DC, X2, Y2, nullptr);
}

bool TBaseGrid::GridHasFocus()
{
    if (!HandleAllocated()) return false;
    if (!FPaintClip) return ::GetFocus() == GetHandle();
    if (FPaintFocus < 0) FPaintFocus = ::GetFocus() == GetHandle() ? 1 : 0;
    return FPaintFocus == 1;
}

bool TBaseGrid::ClipCellPaint(int ACol, int ARow, const TRect& ARect)
{
    // A plain cell of the grid's own paint: a normal, visible cell of one-pixel lines, outside
    // any merged area, not under the fixed cells, whose rectangle is its own size (so that the
    // paint needs no other rectangle for it), of a grid whose layers keep inside it.
    FCellUnclipped = false;
    if (!FPaintClip || FGridLineWidth != 1 || ACol < GetFixedCols() || ARow < GetFixedRows()) return true;
    if (GetRowHeights(ARow) == 0 || (ARow == GetRowCount() - 1 && FHideLastRow) || IsFixed(ACol, ARow)) return true;
    if (ARect.Width() != GetColWidths(ACol) || ARect.Height() != GetRowHeights(ARow)) return true;
    if ((GetFixedCols() > 0 && ARect.Left < FixedColsWidth()) || (GetFixedRows() > 0 && ARect.Top < FixedRowsHeight()))
        return true;
    const int rc = RealColIndex(ACol);
    int MCol, MRow;
    if (!IsBaseCellEx(rc, ARow, MCol, MRow)) return true;
    if (TCellProperties* P = MergeProps(rc, ARow);
        P && (P->GetCellSpanX() > 0 || P->GetCellSpanY() > 0 || P->GetControl()))
        return true;
    if (!CellPaintsInside(ACol, ARow)) return true;
    FCellUnclipped = true;
    return false;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    PaintCellInt(GetCanvas(), ACol, ARow, ARect, AState, true);
    FCellUnclipped = false;
}

void TBaseGrid::PaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    PaintCellInt(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    PaintCellInt(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::PaintCellInt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState,
                             bool Internal)
{
    // The last row under the floating footer shows only the grid's colour.
    if (ARow == GetRowCount() - 1 && FHideLastRow) {
        ACanvas->GetBrush()->SetColor(GetColor());
        ACanvas->GetPen()->SetColor(GetColor());
        ACanvas->Rectangle(ARect);
        return;
    }
    if (GetRowHeights(ARow) == 0) return;

    // A covered cell paints its area's base cell, once per paint of the grid.
    const int rc = RealColIndex(ACol);
    int MCol, MRow;
    if (!IsBaseCellEx(rc, ARow, MCol, MRow)) {
        if (FPaintClip)
            if (TCellProperties* B = MergeProps(MCol, MRow)) {
                if (B->GetPaintID() == FPaintID) return;
                B->SetPaintID(FPaintID);
            }
        PaintCell(ACanvas, DisplColIndex(MCol), MRow, ARect, AState);
        return;
    }
    TCellProperties* Own = MergeProps(rc, ARow);
    const bool Area = Own && (Own->GetCellSpanX() > 0 || Own->GetCellSpanY() > 0);
    if (FPaintClip && Area) Own->SetPaintID(FPaintID);

    if (IsFixed(ACol, ARow) && Internal) {
        AState >> gdSelected;
        AState << gdFixed;
    }
    // A cell the paint loop left unclipped (ClipCellPaint) is given its own rectangle.
    if (!Internal || ACanvas != GetCanvas()) FCellUnclipped = false;
    if (Internal && !FCellUnclipped) ARect = CellRect(ACol, ARow);

    HDC DC = ACanvas->GetRawHandle();
    // The cell's clip changes only for an area or a cell scrolled under the fixed ones; the
    // DC gets its clip back after the cell.
    std::optional<TClipScope> Clip;
    // An unclipped cell takes the clip the loop spared before drawing what may reach past it.
    auto ClipToCell = [&] {
        if (!FCellUnclipped) return;
        FCellUnclipped = false;
        Clip.emplace(DC);
        ::IntersectClipRect(DC, ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    };
    // In the grid's own paint the framework clips each cell to itself; an area paints over all
    // of its cells.
    if (Area && FPaintClip && ACanvas == GetCanvas()) {
        Clip.emplace(DC);
        ::SelectClipRgn(DC, FPaintClip->Saved());
        ::IntersectClipRect(DC, ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    }
    // Scrolled cells never paint over the fixed ones.
    const int CrL = ACol >= GetFixedCols() ? FixedColsWidth() : 0;
    const int CrT = ARow >= GetFixedRows() ? FixedRowsHeight() : 0;
    if ((ACol >= GetFixedCols() && GetFixedCols() > 0 && ARect.Left < CrL) ||
        (ARow >= GetFixedRows() && GetFixedRows() > 0 && ARect.Top < CrT)) {
        if (!Clip) Clip.emplace(DC);
        ::IntersectClipRect(DC, CrL, CrT, GetWidth(), GetHeight());
    }

    TBrush* Brush = ACanvas->GetBrush();
    TPen* Pen = ACanvas->GetPen();
    Pen->SetWidth(1);
    if (!FPaintShortcuts || !VisualPropertiesStartFont()) ACanvas->GetFont()->Assign(CellStartFont(ACol, ARow));
    TColor AColorTo = clNone, AMirrorColor = clNone, AMirrorColorTo = clNone;
    TAlignment HA = GetDefaultAlignment();
    TVAlignment VA = vtaTop;
    bool WW = FWordWrap;
    TCellGradientDirection GD = GradientVertical;
    GetVisualProperties(ACol, ARow, AState, false, true, true, Brush, AColorTo, AMirrorColor, AMirrorColorTo,
                        ACanvas->GetFont(), HA, VA, WW, GD);
    Pen->SetColor(Brush->GetColor());

    // Hover row, unless the cell is of a kind the hover colour leaves alone.
    bool DoSel = AState.Contains(gdSelected) && !FHoverRowCells.Contains(hcSelected);
    bool DoFix = AState.Contains(gdFixed) && !FHoverRowCells.Contains(hcFixed);
    if (HasNodes())
        DoFix = DoFix || (!FHoverRowCells.Contains(hcGroupHeader) && IsNode(ARow)) ||
                (!FHoverRowCells.Contains(hcGroupSummary) && IsSummary(ARow));
    if (FHoverRowIdx == ARow && FHoverRow && !DoSel && !DoFix) {
        Brush->SetColor(FHoverRowColor);
        AColorTo = FHoverRowColorTo;
        AMirrorColor = clNone;
        AMirrorColorTo = clNone;
        GD = GradientVertical;
    }
    // Active row: the current row's other cells (over the hover colours).
    const TGridOptions Opts = GetOptions();
    if ((FActiveRowShow && ARow == GetRow() && ACol >= GetFixedCols() &&
         (ACol != GetCol() || !FShowSel || Opts.Contains(goRowSelect))) ||
        (!Internal && AState.Contains(gdSelected))) {
        Brush->SetColor(FActiveRowColor);
        AColorTo = FActiveRowColorTo;
        AMirrorColor = FActiveRowMirrorColor;
        AMirrorColorTo = FActiveRowMirrorColorTo;
    }
    Pen->SetColor(Brush->GetColor());

    const bool SelectionBox = AState.Contains(gdSelected) && FSelectionStyle != ssDefault && FShowSel;
    if (!OneColourBackground(SelectionBox, Brush->GetColor(), AColorTo, AMirrorColorTo, Pen->GetMode())) ClipToCell();
    PaintCellBackground(ACanvas, ACol, ARect, AState, AColorTo, AMirrorColor, AMirrorColorTo, GD, Internal);
    const bool Fixed = AState.Contains(gdFixed);
    // One-pixel lines are filled inside the cell; a pen's lines may reach past it.
    if (Fixed || Pen->GetStyle() != psSolid || Pen->GetMode() != pmCopy || UseRightToLeftAlignment()) ClipToCell();
    PaintCellLines(ACanvas, rc, ARow, ARect, Fixed);

    // Content, inside the lines.
    TRect Content = ARect;
    if (Fixed) {
        Content.Right -= 1;
        Content.Bottom -= 2;
    } else {
        Content = {ARect.Left + FGridLineWidth, ARect.Top + FGridLineWidth, ARect.Right - FGridLineWidth,
                   ARect.Bottom - FGridLineWidth};
    }
    if (Internal) DrawGridCell(ACanvas, ACol, ARow, Content, AState);
    FCellUnclipped = false;
    Brush->SetStyle(bsSolid);
    Pen->SetStyle(psSolid);
}

void TBaseGrid::PaintCellBackground(TCanvas* ACanvas, int ACol, const TRect& ARect, TGridDrawState AState,
                                    TColor AColorTo, TColor AMirrorColor, TColor AMirrorColorTo,
                                    TCellGradientDirection GD, bool Internal)
{
    TBrush* Brush = ACanvas->GetBrush();
    const TGridOptions Opts = GetOptions();
    // A selection box in the selection style, else the cell's colours as a gradient.
    const bool SelectionBox = AState.Contains(gdSelected) && FSelectionStyle != ssDefault && FShowSel;
    if (SelectionBox) {
        const TGridRect Sel = GetSelection();
        const int Left = std::min(Sel.Left, Sel.Right), Right = std::max(Sel.Left, Sel.Right);
        TRect SR = ARect;
        if (!Opts.Contains(goHorzLine)) ++SR.Bottom;
        if (!Opts.Contains(goVertLine)) ++SR.Right;
        if (UseRightToLeftReading()) {
            ++SR.Bottom;
            ++SR.Right;
        }
        const bool Focused = GridHasFocus() || Opts.Contains(goDrawFocusSelected);
        const TSelectionColors& C = SelectionColors(FSelectionStyle, Focused);
        QorUtil::DrawSelectionGradient(ACanvas, C.Color1, C.Color2, C.MirColor1, C.MirColor2, C.LineTop,
                                       C.LineBottom, C.Border, C.Edge, GetColor(), SR,
                                       SelectionPart(ACol, Left, Right));
    } else if (!(UseVCLStyles() && (AState.Contains(gdFixed) || AState.Contains(gdSelected)))) {
        const TColor From = Brush->GetColor();
        if (OneColourBackground(SelectionBox, From, AColorTo, AMirrorColorTo, ACanvas->GetPen()->GetMode()) &&
            Internal && ARect.Right > ARect.Left && ARect.Bottom > ARect.Top) {
            // One colour: the pixels of the gradient's rectangle in a pen and brush of that
            // colour, filled without making them. The cell's layers set their own colours next.
            const TColor Other = From == clNone ? AColorTo : From;
            if (Other == clNone) return;
            ACanvas->GetPen()->SetStyle(psSolid);
            Brush->SetStyle(bsSolid);
            // An unclipped cell in the paint's filled area of its colour lies on its pixels.
            if (!(FCellUnclipped && FPaintBrushes && ACanvas == GetCanvas() &&
                  FPaintBrushes->Prefilled(ARect, COLORREF(ColorToRGB(Other)))))
                FillSolid(ACanvas->GetRawHandle(), ARect, Other);
        } else if (AMirrorColorTo == clNone)
            QorUtil::DrawGradient(ACanvas, Brush->GetColor(), AColorTo, 64, ARect, GD == GradientHorizontal);
        else
            QorUtil::DrawVistaGradient(ACanvas, ARect, Brush->GetColor(), AColorTo, AMirrorColor, AMirrorColorTo,
                                       true, clNone, false, true);
    }
}

void TBaseGrid::PaintCellLines(TCanvas* ACanvas, int rc, int ARow, const TRect& ARect, bool Fixed)
{
    // The bottom and right edge of the cell (the framework's own lines stay off).
    TPen* Pen = ACanvas->GetPen();
    const TGridOptions Opts = GetOptions();
    int GLW;
    if (Fixed) {
        Pen->SetColor(FGridFixedLineColor);
        Pen->SetWidth(1);
        GLW = 1;
    } else if (FGridLineWidth > 0) {
        Pen->SetColor(FGridLineColor);
        Pen->SetWidth(FGridLineWidth);
        GLW = (FGridLineWidth + 1) / 2;
    } else {
        return;
    }
    const bool NodeColumn = rc == 0 && ARow >= GetFixedRows() && HasNodes();
    const bool Horz = !NodeColumn && ((Opts.Contains(goHorzLine) && !Fixed) || (Opts.Contains(goFixedHorzLine) && Fixed));
    const bool Vert = (Opts.Contains(goVertLine) && !Fixed) || (Opts.Contains(goFixedVertLine) && Fixed);
    const int X = ARect.Right - GLW + (UseRightToLeftAlignment() ? 1 : 0);
    if (GLW == 1 && Pen->GetWidth() == 1 && Pen->GetStyle() == psSolid && Pen->GetMode() == pmCopy) {
        // One-pixel lines are the pixels a pen would set, filled without making the pen; it
        // ends where the lines would leave it.
        const HDC DC = ACanvas->GetRawHandle();
        // An unclipped cell of the grid's own paint leaves its lines to the paint's runs (the
        // mover's mark is drawn over the cells before the runs: none while it shows). The
        // horizontal line then reaches under the vertical one, same colour, so that the next
        // cell's line continues the run.
        if (FCellUnclipped && FJoinPaintLines && FPaintBrushes && ACanvas == GetCanvas() && FGridState != gsRowMoving &&
            FGridState != gsColMoving) {
            const COLORREF C = COLORREF(ColorToRGB(Pen->GetColor()));
            if (Horz) FPaintBrushes->AddHorz(DC, RECT{ARect.Left, ARect.Bottom - 1, Vert ? X + 1 : X, ARect.Bottom}, C);
            if (Vert) FPaintBrushes->AddVert(DC, RECT{X, ARect.Top, X + 1, ARect.Bottom}, C);
        } else {
            // The line starts one pixel left of the cell, where the cell's clip stops it; an
            // unclipped cell starts it at its own edge.
            const int Left = FCellUnclipped ? ARect.Left : ARect.Left - 1;
            if (Horz) FillSolid(DC, TRect(Left, ARect.Bottom - 1, ARect.Right - 1, ARect.Bottom), Pen->GetColor());
            if (Vert) FillSolid(DC, TRect(X, ARect.Top, X + 1, ARect.Bottom), Pen->GetColor());
        }
        if (Vert) ::MoveToEx(DC, X, ARect.Top - 1, nullptr);
        else if (Horz) ::MoveToEx(DC, ARect.Right - 1, ARect.Bottom - 1, nullptr);
        return;
    }
    if (Horz) {
        ACanvas->MoveTo(ARect.Left - GLW, ARect.Bottom - GLW);
        ACanvas->LineTo(ARect.Right - GLW, ARect.Bottom - GLW);
    }
    if (Vert) {
        ACanvas->MoveTo(X, ARect.Bottom - GLW);
        ACanvas->LineTo(X, ARect.Top - GLW);
    }
}

void TBaseGrid::DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    String Text = GetCellEx(RealColIndex(ACol), ARow);
    if (Text.empty()) return;
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->TextRect(ARect, Text, {tfSingleLine, tfCenter, tfVerticalCenter});
}

// ---- Current cell over merged areas -------------------------------------------------------------

bool TBaseGrid::SelectCell(int ACol, int ARow)
{
    if (UseRightToLeftReading()) {
        bool Result = inherited::SelectCell(ACol, ARow);
        Invalidate();
        return Result;
    }
    RepaintCell(GetCol(), GetRow());
    bool Result = inherited::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return Result;
}

void TBaseGrid::SelectBaseCell()
{
    const int rc = RealColIndex(GetCol());
    if (!HasCellProperties(rc, GetRow())) return;
    TPoint B = BaseCell(rc, GetRow());
    SetCol(DisplColIndex(B.X));
    SetRow(B.Y);
}

void TBaseGrid::StepOutOfArea(Word Key)
{
    // When the current cell is part of a merged area, it moves to the area's far edge in the
    // direction of Key, so that the framework's single step then leaves the area.
    const int rc = RealColIndex(GetCol());
    if (!HasCellProperties(rc, GetRow())) return;
    const TPoint B = BaseCell(rc, GetRow());
    TCellProperties* BP = MergeProps(B.X, B.Y);
    if (!BP) return;
    const int Bx = DisplColIndex(B.X);
    switch (Key) {
    case VK_LEFT:
        if (GetCol() > Bx && GetCol() > GetFixedCols() && Bx > 0) SetCol(Bx);
        break;
    case VK_UP:
        if (GetRow() > B.Y && GetRow() > GetFixedRows() && B.Y > 0) SetRow(B.Y);
        break;
    case VK_RIGHT: {
        const int E = Bx + BP->GetCellSpanX();
        if (E >= GetCol() && GetCol() < GetColCount() - 1 && Bx < GetColCount() - 1 && E < GetColCount())
            SetCol(E);
        break;
    }
    case VK_DOWN: {
        const int E = B.Y + BP->GetCellSpanY();
        if (E >= GetRow() && GetRow() < GetRowCount() - 1 && B.Y < GetRowCount() - 1 && E < GetRowCount())
            SetRow(E);
        break;
    }
    default:
        break;
    }
}

void TBaseGrid::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_NEXT && FHideLastRow && GetRowCount() > 1 &&
        GetVisibleRowCount() + GetTopRow() - GetFixedRows() == GetRowCount() - 1)
        SetRow(GetRowCount() - 2);
    StepOutOfArea(Key);
    inherited::KeyDown(Key, Shift);
    SelectBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    // As the Down key: the wheel's step leaves a vertically merged area instead of landing on
    // one of its covered cells and going back to the base.
    StepOutOfArea(VK_DOWN);
    bool Result = inherited::DoMouseWheelDown(Shift, MousePos);
    if (FHideLastRow && GetRow() < GetRowCount() - 1 && GetRow() - GetTopRow() > GetVisibleRowCount())
        SetTopRow(GetTopRow() + 1);
    SelectBaseCell();
    return Result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool Result = inherited::DoMouseWheelUp(Shift, MousePos);
    SelectBaseCell();
    return Result;
}

// ---- Repainting merged fixed cells after a scroll -----------------------------------------------

void TBaseGrid::TopLeftChanged()
{
    inherited::TopLeftChanged();
    RepaintFixedMergedRows();
    RepaintFixedMergedCols();
}

void TBaseGrid::RepaintFixedMergedCols()
{
    if (GetFixedRows() <= 0) return;
    const int Last = std::min(GetLeftCol() + GetVisibleColCount(), GetColCount() - 1);
    for (int r = 0; r < GetFixedRows(); ++r)
        for (int c = GetLeftCol(); c <= Last; ++c)
            if (IsMergedCell(RealColIndex(c), r)) RepaintCell(c, r);
}

void TBaseGrid::RepaintFixedMergedRows()
{
    if (GetFixedCols() <= 0) return;
    const int Last = std::min(GetTopRow() + GetVisibleRowCount(), GetRowCount() - 1);
    for (int c = 0; c < GetFixedCols(); ++c)
        for (int r = GetTopRow(); r <= Last; ++r)
            if (IsMergedCell(RealColIndex(c), r)) RepaintCell(c, r);
}

// ---- Published property setters -----------------------------------------------------------------

void TBaseGrid::SetDefaultDrawing(bool Value)
{
    FDefaultDrawing = Value;
    TCustomGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int Value)
{
    FGridLineWidth = Value;
    TCustomGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value)
{
    FGridLineColor = Value;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value)
{
    FGridFixedLineColor = Value;
    Invalidate();
}

namespace {

// Stores Value and repaints the grid when it differs.
template <class T>
void SetAndInvalidate(TBaseGrid* Grid, T& Field, T Value)
{
    if (Field == Value) return;
    Field = Value;
    Grid->Invalidate();
}

}  // namespace

void TBaseGrid::SetActiveRowShow(bool Value) { SetAndInvalidate(this, FActiveRowShow, Value); }
void TBaseGrid::SetActiveRowColor(TColor Value) { SetAndInvalidate(this, FActiveRowColor, Value); }
void TBaseGrid::SetActiveRowColorTo(TColor Value) { SetAndInvalidate(this, FActiveRowColorTo, Value); }
void TBaseGrid::SetActiveRowMirrorColor(TColor Value) { SetAndInvalidate(this, FActiveRowMirrorColor, Value); }
void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value) { SetAndInvalidate(this, FActiveRowMirrorColorTo, Value); }
void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value) { SetAndInvalidate(this, FSelectionStyle, Value); }
