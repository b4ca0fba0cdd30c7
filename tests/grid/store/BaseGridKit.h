// A grid base the tests can make: the grid class's abstract answers filled in, its hooks recorded,
// a plain look for painting, and the protected parts in reach. GridToText dumps a block of cells
// (texts and merges) so that one expectation checks a whole block.
#pragma once

#include "grid/BaseGrid.h"
#include "grid/paint/CellGraphic.h"

#include "framework/Forms.h"

#include <map>
#include <set>
#include <utility>
#include <vector>

class TTestBaseGrid : public TBaseGrid {
public:
    explicit TTestBaseGrid(TComponent* AOwner) : TBaseGrid(AOwner) {}

    // The plain look painting tests read pixels of.
    static constexpr TColor NormalColor = TColor(0x00FFFFFF);
    static constexpr TColor FixedColor = TColor(0x00D0D0D0);
    static constexpr TColor SelectedColor = TColor(0x00C08040);
    static constexpr TColor TextColor = TColor(0x00000000);

    bool IsNode(int ARow) override { return Nodes.count(ARow) > 0; }
    bool IsSummary(int ARow) override { return false; }
    bool HasNodes() override { return !Nodes.empty(); }
    bool IsCheckCell(int c, int r) override { return CheckCells.count({c, r}) > 0; }
    void SetAsCheck(int c, int r, const String& v) override
    {
        CheckCells[{c, r}] = v == CheckTrue;
        SetCheckCalls.push_back({c, r});
    }
    // Rows hidden from the storage, as the grid class keeps them: storage row s shows real row
    // RealRows[s]. Empty: the identity.
    int RealRowIndex(int ARow) override
    {
        return RealRows.empty() || ARow < 0 || ARow >= int(RealRows.size()) ? ARow : RealRows[ARow];
    }
    int DisplRowIndex(int ARow) override
    {
        if (RealRows.empty()) return ARow;
        for (int s = 0; s < int(RealRows.size()); ++s)
            if (RealRows[s] == ARow) return s;
        return -1;
    }

    // Columns hidden as the grid class hides them: display column d shows real column
    // RealCols[d], and the real columns number TotalCols. Empty: the identity.
    int RealColIndex(int ACol) override
    {
        return RealCols.empty() || ACol < 0 || ACol >= int(RealCols.size()) ? ACol : RealCols[ACol];
    }
    int DisplColIndex(int ACol) override
    {
        if (RealCols.empty()) return ACol;
        for (int d = 0; d < int(RealCols.size()); ++d)
            if (RealCols[d] == ACol) return d;
        return -1;
    }
    int TotalColCount() override { return RealCols.empty() ? GetColCount() : TotalCols; }

    std::vector<int> RealCols;
    int TotalCols = 0;
    std::set<int> Nodes;
    std::map<std::pair<int, int>, bool> CheckCells;
    std::vector<std::pair<int, int>> SetCheckCalls;
    std::vector<int> RealRows;
    String CheckTrue = L"TRUE";
    std::vector<std::pair<int, int>> TextChanges;
    int FooterUpdates = 0;
    // Cells DrawGridCell was asked for, in order, during painting.
    std::vector<std::pair<int, int>> Drawn;

    using TBaseGrid::CreateCellProperties;
    using TBaseGrid::DrawCell;
    using TBaseGrid::KeyDown;
    using TBaseGrid::DoMouseWheelDown;
    using TBaseGrid::DoMouseWheelUp;
    using TBaseGrid::PaintCellInt;
    using TBaseGrid::FHideLastRow;
    using TBaseGrid::FHoverRowIdx;
    using TBaseGrid::FHasCellProps;
    using TBaseGrid::FMergeCount;
    using TBaseGrid::FNormalRowCount;
    using TBaseGrid::FPaintID;
    using TBaseGrid::FShowSel;
    using TBaseGrid::FEditCellSet;
    using TCustomGrid::MoveRow;
    using TCustomGrid::Paint;

protected:
    void CellTextChange(int ACol, int ARow) override { TextChanges.push_back({ACol, ARow}); }
    void FloatFooterUpdate() override { ++FooterUpdates; }
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                             TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                             TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                             TCellGradientDirection& GD) override
    {
        ABrush->SetColor(AState.Contains(gdFixed)      ? FixedColor
                         : AState.Contains(gdSelected) ? SelectedColor
                                                       : NormalColor);
        AFont->SetColor(TextColor);
    }
    void DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override
    {
        Drawn.push_back({ACol, ARow});
        TBaseGrid::DrawGridCell(Canvas, ACol, ARow, ARect, AState);
    }
};

// The cells of columns Left..Right and rows Top..Bottom, one line per row: each cell's text, with
// "<" for a cell covered by an area whose base lies left of it, "^" for one whose base lies above,
// and "[w x h]" after the base of a merged area.
inline String GridToText(TBaseGrid* G, int Left, int Top, int Right, int Bottom)
{
    String Out;
    for (int r = Top; r <= Bottom; ++r) {
        for (int c = Left; c <= Right; ++c) {
            if (c > Left) Out += L'|';
            TPoint B = G->BaseCell(c, r);
            if (B.X != c || B.Y != r) {
                Out += B.Y == r ? L"<" : L"^";
                continue;
            }
            Out += G->GetGridCell(c, r);
            TPoint S = G->CellSpan(c, r);
            if (S.X > 0 || S.Y > 0) Out += L"[" + IntToStr(S.X + 1) + L"x" + IntToStr(S.Y + 1) + L"]";
        }
        Out += L"\n";
    }
    return Out;
}

// Makes a test grid owned by a form of its own (freed with the guard), with the given counts.
struct TGridOnForm {
    TForm* Form;
    TTestBaseGrid* Grid;
    TGridOnForm(int Cols, int Rows, bool WithWindow = false)
    {
        RegisterBaseGridClasses();
        Form = Create<TForm>(Application);
        Form->SetBounds(0, 0, 640, 480);
        Grid = Create<TTestBaseGrid>(Form);
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        if (WithWindow) {
            Grid->SetParent(Form);
            Grid->HandleNeeded();
        }
    }
    ~TGridOnForm() { Form->Free(); }
    TGridOnForm(const TGridOnForm&) = delete;
    TGridOnForm& operator=(const TGridOnForm&) = delete;
    TTestBaseGrid* operator->() const { return Grid; }
};
