// BuildPages: the state of one run of the page layout (TQorStringGrid::BuildPages) and the
// routines that work on it. One run lays the grid's print rectangle out on pages: columns that do
// not fit across a page form further bands, each band runs down as many pages as its rows need.
//
// Units: tenths of a millimetre in MM_LOMETRIC; x grows to the right from the page's left edge,
// y is 0 at the top edge and negative below it (YSize is the bottom edge's y, negative).
//
// Passes (PrintMethod): 0 preview drawing, 1 printing on the given canvas, 2 counting before
// printing, 3 counting before a preview. Every pass lays out every page; only passes 0 and 1 draw,
// and only the pages FPrintPageFrom .. FPrintPageTo of the grid.
//
// Files:
//   print/QorGridPrintLayout.cpp  BuildPages and the page routines (widths, row heights, header
//                                 and footer, page numbers, borders, page breaks)
//   print/QorPrintCells.cpp       printed cells: GetTextSize, BuildColumnsRow,
//                                 GetPrinterOrientation, MapFontHeight, MapFontSize
//   print/QorGridPrint.cpp        the print and preview entry points
#pragma once

#include "grid/QorGrid.h"

#include <memory>

struct TBuildPages {
    TBuildPages(TQorStringGrid& AGrid, TCanvas* ACanvas, int APrintMethod, bool ASelRows, int AMaxPages);
    ~TBuildPages();
    TBuildPages(const TBuildPages&) = delete;
    TBuildPages& operator=(const TBuildPages&) = delete;

    // The whole run; answers the pages laid out.
    int Run();

    // The reference the shortcuts are tested against (tests set it): true sends every plain
    // text through the system's text layout, to measure and to draw, and realises all of the
    // canvas's objects before each cell background, as the layout did before its shortcuts.
    static inline bool ReferencePaths = false;

    // ---- What the run was asked ----
    TQorStringGrid& Grid;
    TPrintSettings& PS;
    TCanvas* Canvas;
    int PrintMethod;
    bool SelRows;
    int MaxPages;
    // The run draws on the printer's canvas: only then is the printer asked anything (its
    // orientation for rotated text).
    bool OnPrinter;

    // ---- Factors ----
    double ResFactor = 1.0;   // grid pixels to page units: 254 / the grid canvas's pixels per inch
    double HTMLFactor = 1.0;  // target canvas's pixels per inch / the grid window's
    double ScaleFactor = 1.0; // fit to page

    // ---- The page and the band ----
    int XSize = 0, YSize = 0;          // page size; YSize negative
    int PagNum = 0;                    // pages finished so far
    int PagCol = 0;                    // band number, from 1
    int PagRow = 0;                    // page inside its band, from 0
    int StartCol = 0, EndCol = 0;      // the band's display columns
    bool RepeatCols = false;           // the fixed columns start every band's rows
    bool MultiCol = false;             // more than one band
    int YPosPrint = 0;                 // top edge of the next row
    int TopIndent = 0, FootIndent = 0; // room kept for the header and the footer
    int HeaderSize = 0, FooterSize = 0;
    int HFntSize = 0, FFntSize = 0;    // "gh" heights of the header and footer fonts
    int FntVSpace = 0;                 // an eighth of "gh" on the grid's own canvas
    int FntHSpace = 0;                 // half of "g" in the print font
    int Spacing = 0;                   // between columns: 0 with UseFixedWidth, else ColumnSpacing + 20
    int OrgSize = 0;                   // the grid canvas's font size: printed cells' base size
    bool Cancelled = false;            // OnPrintCancel ended the layout

    // One-row memo of GetRowHeight.
    int MemoRow = -1, MemoHeight = 0;
    // The tallest measured cell of each row, taken while CalculateWidths measures every cell
    // (-1: no cell counted, -2: not measured), and the font scale factor it was measured at; a
    // row's height then needs no second measuring.
    std::vector<int> RowTextHeights;
    double RowTextScale = 1.0;

    // Work objects (made by the run, freed at its end): the printed cells keep the canvas's own
    // font, brush and pen in the Old ones while they draw with the New ones.
    std::unique_ptr<TFont> OldFont, NewFont;
    std::unique_ptr<TBrush> OldBrush, NewBrush;
    std::unique_ptr<TPen> OldPen;
    // The cell's font with its mapped height, assigned to the canvas in one step: a font equal to
    // the canvas's keeps its handle selected.
    TFont CellFont;
    // Pen and brush of solid cell backgrounds, made again only when the colour changes.
    TPen FillPen;
    TBrush FillBrush;
    // The clear brush a one-colour cell's text and widget find on the canvas.
    TBrush ClearBrush;
    // The text height of "gh" in the last plain font measured.
    LOGFONTW GhFont{};
    int GhMapMode = 0;
    int GhHeight = -1;
    // The extent of the plain one-line text measured last in each real column (FitsOneLine's),
    // with the row, text, font and mapping mode it was measured for: drawing the same text in
    // the same font takes it instead of measuring again (runs without a counting pass measure
    // a row just before they draw it).
    struct TMeasuredText {
        int Row = -1;
        String Text;
        LOGFONTW Font{};
        int MapMode = 0;
        SIZE Extent{};
    };
    std::vector<TMeasuredText> MeasuredTexts;
    void KeepExtent(int Col, int Row, const String& Text, SIZE Extent);
    // The kept extent of Text in (Col, Row) in the canvas's current font, or none.
    const SIZE* KeptExtent(int Col, int Row, const String& Text);
    // LayoutLineHeight by font and mapping mode.
    struct TLineHeight {
        LOGFONTW Font;
        int MapMode;
        int Height;
    };
    std::vector<TLineHeight> LineHeights;
    // The canvas's font while a run of cells is measured (MeasureCell), given back at its end.
    TFont* MeasureSaved = nullptr;
    // While the band's rows are laid out, the canvas may keep the last cell's font: OwedFont is
    // the font it owes, given back by PayFont before anything else uses the canvas (header,
    // events, the band's end). A row's next cells then often find their font still selected.
    bool LazyFont = false;
    bool FontOwed = false;
    TFont OwedFont;
    void PayFont();
    // The canvas's font as its owner sees it (the owed one while it keeps a cell's).
    TFont* TrueFont();
    // Gives the canvas Font back: at once, or owed while the band's rows are laid out.
    void GiveBackFont(TFont* Font);

    // ---- Shortcuts into the grid's print state ----
    TGridRect& Rect() { return Grid.FPrint.FPrintRect; }
    std::vector<int>& MaxWidths() { return Grid.FPrint.MaxWidths; }
    std::vector<int>& Indents() { return Grid.FPrint.Indents; }
    // Passes 0 and 1 draw.
    bool Drawing() const { return PrintMethod == 0 || PrintMethod == 1; }
    // Page (from 1) is one of the drawn pages.
    bool PageDrawn(int Page) const;
    // Drawing and the current page (PagNum + 1) is drawn.
    bool DrawingThisPage() const { return Drawing() && PageDrawn(PagNum + 1); }

    // ---- Page routines (print/QorGridPrintLayout.cpp) ----
    bool IsSelRow(int ARow);
    bool IsSelCol(int ACol);
    void CalculateWidths();
    int GetRowHeight(int ARow);
    // Draws header and footer of the current page; answers the extra height of title lines.
    int BuildHeader(bool SizeOnly);
    String PagNumStr();
    void DrawBorderAround(int AStartCol, int AEndCol, int AYPosPrint);
    void StartNewPage();

    // ---- Printed cells (print/QorPrintCells.cpp) ----
    // The printed size (width, height) of a cell (real column, display row) in page units.
    TPoint GetTextSize(int Col, int Row);
    // GetTextSize inside a measuring scope (TMeasureScope): the canvas keeps the last cell's font
    // until the scope ends, so that cells in one font select it once.
    TPoint MeasureCell(int Col, int Row);
    class TMeasureScope {
    public:
        explicit TMeasureScope(TBuildPages& P);
        ~TMeasureScope();
        TMeasureScope(const TMeasureScope&) = delete;
        TMeasureScope& operator=(const TMeasureScope&) = delete;

    private:
        TBuildPages& FP;
        TFont FSaved;
        TFont* FOuter;
    };
    // The text height of "gh" in the canvas's current font.
    int GhTextHeight();
    // The height the system's layout gives one line of word-wrapped text in the canvas's
    // current font (a text's measured height depends only on its lines and the font).
    int LayoutLineHeight();
    // Draws the cells Col1 .. Col2 (display columns) of ARow with their top at YPos; answers the
    // row's height: 2 x FntVSpace + GetRowHeight(ARow) + RowSpacing. Draws nothing when counting,
    // for pages not drawn, or when Col2 < Col1.
    int BuildColumnsRow(int YPos, int Col1, int Col2, int ARow, int Hght = 0);
    // DeviceCapabilities(DC_ORIENTATION) of the printer: 0, 90 or 270.
    int GetPrinterOrientation();

private:
    // Steps of Run.
    void Setup();
    void PageSize();
    void FitToPage();
    void LayOutBand();
    void FillBand(int& Used, int FixedSpace);
    void PlaceIndents(int Used, int FixedSpace);
    void ComputeIndents(bool WithHeader);
    // One page break's bookkeeping: border, new page, counters.
    void BreakPage();
    void FireNewPage(int Page);
};
