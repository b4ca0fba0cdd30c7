// QorColorPickerPanels: two popup controls of the colour picker drop-down. TQorColorCubePanel is a
// honeycomb of 127 hexagonal colour cells; TQorColorSpectrumPanel a 128 x 128 spectrum picture
// from which the colour under the pointer is sampled. Both derive from
// TQorCustomColorSelectorPanel, as does the palette TCustomColorSelector
// (QorColorPickerSelector.h). Each reports a choice through its own OnSelect, after which the
// picker reads SelectedColor.
//
// The colour picker drop-down makes the panel of its style, owned by the picker and parented to
// its popup form; each time it opens or switches to the cube it calls Initialize and
// SetItemsPosition on the cube (which sizes it, 182 x 160) and SetSelectedColor with its colour;
// for the spectrum it calls SetItemsPosition (150 x 174, forgetting the hot colour).
#pragma once

#include "framework/Controls.h"
#include "framework/ExtCtrls.h"

#include <array>

// The application's cursor table slot of the spectrum's eyedropper ("JOQ_POINTER").
constexpr TCursor crJOQPointer = 54;

// A custom control that tells, through OnShouldHide, of every mouse release over it.
class TQorCustomColorSelectorPanel : public TCustomControl {
    DECLARE_CLASS(TQorCustomColorSelectorPanel, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    TNotifyEvent OnShouldHide;

protected:
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
};

// ---- colour cube --------------------------------------------------------------------------------

// 127 hexagons in 13 rows, 10 pixels apart from y = 20; the middle cell (64) is white. Cells are
// numbered from 1, row by row.
class TQorColorCubePanel : public TQorCustomColorSelectorPanel {
    DECLARE_CLASS(TQorColorCubePanel, TQorCustomColorSelectorPanel)
public:
    static constexpr int CellCount = 127;
    struct TCubeCell {
        TPoint P;      // the centre
        TColor Color;
    };

    // The table, no hot or selected cell, no colour, ShowRGBHint on.
    explicit TQorColorCubePanel(TComponent* AOwner);

    // The cells' centres and colours, and the hexagon size (6, 3).
    void Initialize();
    // Draws cell Index (1..127; else nothing) in its colour, with the hot and selected borders
    // when it is the hot or selected cell.
    void DrawColorCube(int Index);
    void DrawAllColorCube();
    // The hexagon round centre P with half-width X and quarter-height Y, in the canvas's pen and
    // brush.
    void DrawHexagon(TCanvas* Canvas, const TPoint& P, int X, int Y);
    // The first cell whose centre lies within the hexagon's half-width of the point, or -1.
    int IndexOfCellAt(int X, int Y);
    bool PtInCell(int Index, const TPoint& P);
    void DrawHotBorder();
    void DrawSelectedBorder();
    // SelectedColor := Clr; an Index in 1..127 becomes the selected cell, any other selects the
    // first cell of that colour, or none. Neither repaints.
    void SetSelectedIndexAndColor(TColor Clr, int Index);
    TColor GetSelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value) { SetSelectedIndexAndColor(Value, -1); }
    // Forgets the hot cell and sizes the panel.
    void SetItemsPosition();
    // 182 x 160.
    void SetPanelSize();
    bool GetShowRGBHint() const { return FShowRGBHint; }
    // The hint names the hot cell's components; also switches the control's ShowHint.
    void SetShowRGBHint(bool Value);
    // Cell i's colour (1..127; clNone outside).
    TColor GetCubeCellColor(int i) const;
    void SetCubeCellColor(int i, TColor Value);
    TPoint GetCubeSize() const { return FCubeSize; }
    int GetSelectedIndex() const { return FSelectedIndex; }
    int GetHotIndex() const { return FHotIndex; }

    TNotifyEvent OnSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    static bool ValidCell(int Index) { return Index >= 1 && Index <= CellCount; }
    TCubeCell& Cell(int Index) { return FCubeCells[size_t(Index - 1)]; }
    // A border of two hexagons in Outer and white round the cell.
    void DrawBorder(int Index, TColor Outer);
    // The hint for the hot cell (or none), shown afresh.
    void UpdateHint(int Index);

    std::array<TCubeCell, CellCount> FCubeCells{};
    TPoint FCubeSize{6, 3};
    TColor FSelectedColor = clNone;
    int FSelectedIndex = -1;
    int FHotIndex = -1;
    bool FShowRGBHint = true;
};

// ---- spectrum -----------------------------------------------------------------------------------

// The spectrum picture "JOQ_SPECTRUM" centred at the top, and below it two sample boxes: the
// selected colour and the colour under the pointer. The colours are read from the picture's
// pixels, so nothing that covers the window on the screen can intrude.
class TQorColorSpectrumPanel : public TQorCustomColorSelectorPanel {
    DECLARE_CLASS(TQorColorSpectrumPanel, TQorCustomColorSelectorPanel)
public:
    // Loads the picture and installs the eyedropper cursor (slot 54) over it; a missing resource
    // raises an error naming it.
    explicit TQorColorSpectrumPanel(TComponent* AOwner);
    ~TQorColorSpectrumPanel() override;

    // 150 x 174, the picture at (11, 10), the two sample boxes below it, the hot colour
    // forgotten; repaints.
    void SetItemsPosition();
    void SetPanelSize();
    TColor GetSelectedColor() const { return FSelectedColor; }
    // Stores a changed value.
    void SetSelectedColor(TColor Value);
    void DrawHotRect();
    void DrawSelectedRect();
    void DrawFocusPoint() {}
    TColor GetHotColor() const { return FHotColor; }
    TRect GetHotRect() const { return FHotRect; }
    TRect GetSelectedRect() const { return FSelectedRect; }
    TImage* GetSpectrumImage() const { return FSpectrumImage; }
    // The picture's colour at a point of the picture (clNone outside it).
    TColor SpectrumColorAt(int X, int Y) const;

    TNotifyEvent OnSelect;

protected:
    void Paint() override;
    void SpectrumImageMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SpectrumImageMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void SpectrumImageMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    // A sample box: a grey outline outside it, then the box outlined in white and filled.
    void DrawSampleBox(const TRect& R, TColor Color);

    TImage* FSpectrumImage;
    TColor FHotColor = clNone;
    TColor FSelectedColor = clWhite;
    TRect FHotRect;
    TRect FSelectedRect;
};
