// The cell painting tests' kit: a grid on a form, borderless, without scroll bars, with cells of
// one size, painted into a memory surface; the protected painting members in reach; the visual
// properties of a cell as one record.
#pragma once

#include "tests/grid/QorGridKit.h"
#include "tests/support/Pixels.h"
#include "tests/support/UiHarness.h"

#include "grid/paint/CellGraphic.h"

class TPaintGrid : public TTestableQorGrid {
public:
    explicit TPaintGrid(TComponent* AOwner) : TTestableQorGrid(AOwner) {}
    using TQorStringGrid::DrawGridCell;
    using TQorStringGrid::GetVisualProperties;
};

namespace cellpaint {

constexpr int CW = 90, RH = 24;   // cell size

// Grid: TPaintGrid or a test's own class over it.
template <class Grid = TPaintGrid>
Grid* NewPaintGrid(TForm* Form, int Cols, int Rows, int ColW = CW, int RowH = RH)
{
    auto* G = Create<Grid>(Form);
    G->SetBorderStyle(bsNone);
    G->SetScrollBars(TScrollStyle::ssNone);
    G->SetDefaultColWidth(ColW);
    G->SetDefaultRowHeight(RowH);
    G->SetColCount(Cols);
    G->SetRowCount(Rows);
    G->SetBounds(0, 0, Cols * ColW, Rows * RowH);
    G->SetParent(Form);
    G->HandleNeeded();
    // The current cell of an unfocused grid paints as selected: out of the way.
    G->SetCol(Cols - 1);
    G->SetRow(Rows - 1);
    return G;
}

// A cell's face (inside its grid lines at the right and bottom).
inline TRect Face(int c, int r) { return {c * CW, r * RH, (c + 1) * CW - 1, (r + 1) * RH - 1}; }

// The middle pixel of a cell's face, clear of text when the text is short and at the left.
inline TPoint Blank(int c, int r) { return {(c + 1) * CW - 8, r * RH + 3}; }

struct TVisual {
    TColor Brush = clNone, Font = clNone, ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
    TGridDrawState State;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientVertical;
    TFontStyles Style;
    int FontSize = 0;
};

inline TVisual Visual(TPaintGrid* G, int c, int r, TGridDrawState State = {}, bool Print = false, bool Select = true)
{
    TFreePtr<TBrush> B(Create<TBrush>());
    TFreePtr<TFont> F(Create<TFont>());
    TVisual V;
    V.State = State;
    G->GetVisualProperties(c, r, V.State, Print, Select, true, B.get(), V.ColorTo, V.Mirror, V.MirrorTo, F.get(), V.HA,
                           V.VA, V.WW, V.GD);
    V.Brush = B->GetColor() == clNone ? clNone : ColorToRGB(B->GetColor());
    V.Font = ColorToRGB(F->GetColor());
    V.Style = F->GetStyle();
    V.FontSize = F->GetSize();
    return V;
}

}  // namespace cellpaint
