// The page layout: BuildPages and its page routines over one TBuildPages state (see
// print/BuildPages.h for units and passes).
#include "grid/print/BuildPages.h"

#include "framework/Printers.h"
#include "framework/SysUtils.h"
#include "framework/WinScope.h"
#include "graphics/JyrHTMLE.h"
#include "graphics/QorUtilText.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

bool IsTop(TPrintPosition P)
{
    return P == ppTopLeft || P == ppTopRight || P == ppTopCenter;
}

bool IsBottom(TPrintPosition P)
{
    return P == ppBottomLeft || P == ppBottomRight || P == ppBottomCenter;
}

bool IsLeft(TPrintPosition P)
{
    return P == ppTopLeft || P == ppBottomLeft;
}

int RoundInt(double Value)
{
    return int(std::nearbyint(Value));
}

// s1 + " " + s2 when both hold text, else the one that does.
String AppendWithSpace(const String& s1, const String& s2)
{
    if (s1.empty()) return s2;
    if (s2.empty()) return s1;
    return s1 + L" " + s2;
}

int PixelsPerInchX(HDC DC)
{
    return DC ? GetDeviceCaps(DC, LOGPIXELSX) : 0;
}

}  // namespace

// ---- The run ------------------------------------------------------------------------------------

TBuildPages::TBuildPages(TQorStringGrid& AGrid, TCanvas* ACanvas, int APrintMethod, bool ASelRows, int AMaxPages)
    : Grid(AGrid), PS(*AGrid.GetPrintSettings()), Canvas(ACanvas), PrintMethod(APrintMethod), SelRows(ASelRows),
      MaxPages(AMaxPages), OnPrinter(APrintMethod == 1 && AGrid.FPrint.FOnPrinter)
{
}

TBuildPages::~TBuildPages() = default;

bool TBuildPages::PageDrawn(int Page) const
{
    return Page >= Grid.FPrint.FPrintPageFrom && Page <= Grid.FPrint.FPrintPageTo;
}

int TQorStringGrid::BuildPages(TCanvas* ACanvas, int PrintMethod, bool SelRows, int MaxPages)
{
    TBuildPages Layout(*this, ACanvas, PrintMethod, SelRows, MaxPages);
    int Pages = 0;
    {
        // The canvas gets back its font, pen and brush, also when an event raises.
        TFont Font;
        TPen Pen;
        TBrush Brush;
        Font.Assign(ACanvas->GetFont());
        Pen.Assign(ACanvas->GetPen());
        Brush.Assign(ACanvas->GetBrush());
        auto Restore = ScopeExit([&] {
            ACanvas->GetFont()->Assign(&Font);
            ACanvas->GetPen()->Assign(&Pen);
            ACanvas->GetBrush()->Assign(&Brush);
        });
        Pages = Layout.Run();
    }
    if (OnPrintDone) OnPrintDone(this);
    return Pages;
}

int TBuildPages::Run()
{
    Setup();
    FitToPage();
    for (int c = Rect().Left; c <= Rect().Right; ++c) {
        if (Grid.OnPrintSetColumnWidth) Grid.OnPrintSetColumnWidth(&Grid, c, MaxWidths()[size_t(c)]);
        MaxWidths()[size_t(c)] = std::max(0, MaxWidths()[size_t(c)]);
    }

    StartCol = EndCol = Rect().Left;
    while (StartCol <= Rect().Right && !Cancelled) {
        LayOutBand();
        StartCol = EndCol + 1;
        EndCol = StartCol;
        if (StartCol <= Rect().Right && !Cancelled) StartNewPage();
        ++PagNum;
    }
    return PagNum;
}

// Canvas, fonts, factors, page size and column widths.
void TBuildPages::Setup()
{
    HDC DC = Canvas->GetHandle();
    // The rectangle stays inside the grid: a range from an event or a caller may reach past it.
    TGridRect& R = Rect();
    R.Left = std::max(R.Left, 0);
    R.Top = std::max(R.Top, 0);
    R.Right = std::min(R.Right, Grid.GetColCount() - 1);
    R.Bottom = std::min(R.Bottom, Grid.GetRowCount() - 1);
    const size_t Columns = size_t(std::max(Grid.GetAllColCount(), Grid.GetColCount())) + 1;
    MaxWidths().assign(Columns, 0);
    Indents().assign(Columns + 1, 0);

    const int TargetPPI = PixelsPerInchX(DC);
    {
        HWND Wnd = Grid.HandleAllocated() ? Grid.GetHandle() : nullptr;
        HDC GridDC = Wnd ? GetDC(Wnd) : nullptr;
        const int GridPPI = PixelsPerInchX(GridDC);
        if (GridDC) ReleaseDC(Wnd, GridDC);
        HTMLFactor = GridPPI > 0 && TargetPPI > 0 ? double(TargetPPI) / GridPPI : 1.0;
    }
    // Tenths of a millimetre. A device context already in that mode is left alone: under Wine
    // setting the mode again, through MM_TEXT, costs about half a millisecond (the selected font
    // is made anew for the other scale).
    if (GetMapMode(DC) != MM_LOMETRIC) SetMapMode(DC, MM_LOMETRIC);
    Grid.FPrint.Fontscalefactor = 1.0;

    OldFont = std::make_unique<TFont>();
    NewFont = std::make_unique<TFont>();
    OldBrush = std::make_unique<TBrush>();
    NewBrush = std::make_unique<TBrush>();
    OldPen = std::make_unique<TPen>();

    TPen* Pen = Canvas->GetPen();
    Pen->SetColor(clBlack);
    Pen->SetStyle(PS.GetBorderStyle());
    Pen->SetWidth(PS.GetBorders() == pbDouble ? 10 : 2);

    TFont* Font = Canvas->GetFont();
    auto MeasureFont = [&](TFont* Source) {
        Font->Assign(Source);
        Font->SetHeight(Grid.MapFontHeight(Source->GetSize()));
        return Canvas->TextHeight(L"gh");
    };
    HFntSize = MeasureFont(PS.GetHeaderFont());
    FFntSize = MeasureFont(PS.GetFooterFont());
    MeasureFont(PS.GetFont());
    FntHSpace = Canvas->TextWidth(L"g") / 2;

    // The grid's own screen font: its base size, and the room above and below every row.
    OrgSize = Grid.GetFont()->GetSize();
    {
        HDC Screen = GetDC(nullptr);
        auto Release = ScopeExit([&] { ReleaseDC(nullptr, Screen); });
        TSelectObject Select(Screen, Grid.GetFont()->GetHandle());
        SIZE Size{};
        GetTextExtentPoint32W(Screen, L"gh", 2, &Size);
        FntVSpace = Size.cy / 8;
        ResFactor = 254.0 / std::max(1, GetDeviceCaps(Screen, LOGPIXELSX));
    }

    PageSize();
    Spacing = PS.GetUseFixedWidth() ? 0 : PS.GetColumnSpacing() + 20;
    CalculateWidths();
}

void TBuildPages::PageSize()
{
    HDC DC = Canvas->GetHandle();
    TRect& Prev = Grid.FPrint.PrevRect;
    if (PrintMethod == 1) {
        // The page is what the canvas lets us draw on.
        const TRect Clip = Canvas->GetClipRect();
        XSize = Clip.Right;
        YSize = Clip.Bottom;
    } else if (PrintMethod == 2) {
        XSize = Prev.Right - Prev.Left;
        YSize = -Prev.Bottom - Prev.Top;
    } else {
        POINT Corners[2] = {{Prev.Left, Prev.Top}, {Prev.Right, Prev.Bottom}};
        DPtoLP(DC, Corners, 2);
        Prev = TRect{Corners[0].x, Corners[0].y, Corners[1].x, Corners[1].y};
        XSize = Prev.Right - Prev.Left;
        YSize = Prev.Bottom - Prev.Top;
    }
    Grid.FPrint.PrintPageRect = TRect{0, 0, XSize, YSize};
}

// ---- Selection ----------------------------------------------------------------------------------

bool TBuildPages::IsSelRow(int ARow)
{
    if (!SelRows) return true;
    if (PS.GetFixedCellsAlways() && ARow < Grid.GetFixedRows()) return true;
    TMouseActions* MA = Grid.GetMouseActions();
    if (MA->GetDisjunctRowSelect())
        return Grid.GetRowSelect(MA->GetRowSelectPersistent() ? Grid.RemapRowInv(ARow) : ARow);
    const TGridRect Sel = Grid.GetSelection();
    return ARow >= Sel.Top && ARow <= Sel.Bottom;
}

bool TBuildPages::IsSelCol(int ACol)
{
    if (!SelRows) return true;
    TMouseActions* MA = Grid.GetMouseActions();
    if (MA->GetDisjunctRowSelect()) return true;
    if (PS.GetFixedCellsAlways() && ACol < Grid.GetFixedCols()) return true;
    if (MA->GetDisjunctColSelect()) return Grid.GetColSelect(ACol);
    const TGridRect Sel = Grid.GetSelection();
    return ACol >= Sel.Left && ACol <= Sel.Right;
}

// ---- Widths and heights -------------------------------------------------------------------------

void TBuildPages::CalculateWidths()
{
    const TGridRect R = Rect();
    // The columns measured: the rectangle's, and the fixed ones that bands may repeat.
    std::vector<int> Cols;
    if (PS.GetRepeatFixedCols())
        for (int c = 0; c < std::min(Grid.GetFixedCols(), R.Left); ++c) Cols.push_back(c);
    for (int c = R.Left; c <= R.Right; ++c)
        if (IsSelCol(c)) Cols.push_back(c);

    if (PS.GetNoAutoSize()) {
        for (int c : Cols) MaxWidths()[size_t(c)] = RoundInt((Grid.GetColWidths(c) + 4) * ResFactor);
        return;
    }
    const int FixedRows = Grid.GetFixedRows();
    auto Measures = [&](int r) {
        return r <= R.Bottom || (PS.GetRepeatFixedRows() && r < FixedRows && r < Grid.GetRowCount());
    };
    auto Skipped = [&](int r) { return r < R.Top && !(r < FixedRows && PS.GetRepeatFixedRows()); };
    if (PS.GetUseFixedWidth()) {
        for (int r = 0; Measures(r); ++r) {
            if (Skipped(r)) {
                r = R.Top - 1;
                continue;
            }
            for (int c : Cols)
                if (PS.GetFixedWidth() > MaxWidths()[size_t(c)] && !Grid.IsXMergedCell(Grid.RemapCol(c), r))
                    MaxWidths()[size_t(c)] = PS.GetFixedWidth();
        }
        return;
    }
    // Every cell a row's height counts (GetRowHeight: the rectangle's columns, not merged down)
    // is measured here as well, once, and the row's tallest kept for GetRowHeight.
    const bool KeepHeights = !PS.GetNoAutoSizeRow() && !PS.GetUseFixedHeight();
    std::vector<char> ForWidth(MaxWidths().size(), 0), ForHeight(MaxWidths().size(), 0);
    std::vector<int> Measured = Cols;
    for (int c : Cols) ForWidth[size_t(c)] = 1;
    if (KeepHeights)
        for (int c = R.Left; c <= R.Right; ++c) {
            ForHeight[size_t(c)] = 1;
            if (!ForWidth[size_t(c)]) Measured.push_back(c);
        }
    RowTextHeights.assign(KeepHeights ? size_t(std::max(0, R.Bottom + 1)) : 0, -2);
    RowTextScale = Grid.FPrint.Fontscalefactor;
    std::vector<int> Rows;
    for (int r = 0; Measures(r); ++r) {
        if (Skipped(r)) {
            r = R.Top - 1;
            continue;
        }
        Rows.push_back(r);
        if (size_t(r) < RowTextHeights.size()) RowTextHeights[size_t(r)] = -1;
    }
    // Column by column: a column's cells mostly share one font, which is selected once.
    TMeasureScope Scope(*this);
    for (int c : Measured) {
        const int RC = Grid.RemapCol(c);
        for (int r : Rows) {
            const bool Tall = ForHeight[size_t(c)] && !Grid.IsYMergedCell(RC, r);
            // A column measured only for the height, in a cell the height does not count.
            if (!ForWidth[size_t(c)] && !Tall) continue;
            const TPoint Size = MeasureCell(RC, r);
            if (ForWidth[size_t(c)] && Size.X > MaxWidths()[size_t(c)] && !Grid.IsXMergedCell(RC, r))
                MaxWidths()[size_t(c)] = Size.X;
            if (Tall && size_t(r) < RowTextHeights.size())
                RowTextHeights[size_t(r)] = std::max({RowTextHeights[size_t(r)], 0, Size.Y});
        }
    }
}

int TBuildPages::GetRowHeight(int ARow)
{
    TIntList* Cache = Grid.FLists.FCacheRowHeights.get();
    if (Grid.FPrint.FUseCacheRowHeights && ARow >= 0 && ARow < Cache->GetCount()) return Cache->GetInteger(ARow);
    if (ARow == MemoRow) return MemoHeight;
    if (PS.GetNoAutoSizeRow()) return RoundInt(Grid.GetRowHeights(ARow) * ResFactor) + 4;

    int Height = 0;
    if (PS.GetUseFixedHeight()) {
        Height = PS.GetFixedHeight();
    } else {
        bool Counted = false;
        if (ARow >= 0 && size_t(ARow) < RowTextHeights.size() && RowTextHeights[size_t(ARow)] != -2 &&
            RowTextScale == Grid.FPrint.Fontscalefactor) {
            // Measured with the widths.
            Counted = RowTextHeights[size_t(ARow)] >= 0;
            Height = std::max(0, RowTextHeights[size_t(ARow)]);
        } else {
            TMeasureScope Scope(*this);
            // Right to left: the row's first cell, drawn first, finds its font still selected.
            for (int c = Rect().Right; c >= Rect().Left; --c) {
                const int RC = Grid.RemapCol(c);
                if (Grid.IsYMergedCell(RC, ARow)) continue;
                Height = std::max(Height, MeasureCell(RC, ARow).Y);
                Counted = true;
            }
        }
        if (!Counted) Height = MemoHeight;
        Height += Height / 8;
        if (Grid.OnPrintSetRowHeight) Grid.OnPrintSetRowHeight(&Grid, ARow, Height);
    }
    MemoRow = ARow;
    MemoHeight = Height;
    if (ARow >= 0) {
        while (Cache->GetCount() <= ARow) Cache->Add(0);
        Cache->SetInteger(ARow, Height);
    }
    return Height;
}

// Fit to page: the columns' widths scaled so that the selected columns fill the room between the
// margins. The sum and the spacing count the same columns; no room or no width leaves factor 1.
void TBuildPages::FitToPage()
{
    const TFitToPage Fit = PS.GetFitToPage();
    if (Fit == fpNever) return;
    long long T = 0, S = 0;
    for (int c = Rect().Left; c <= Rect().Right; ++c) {
        if (!IsSelCol(c)) continue;
        T += MaxWidths()[size_t(c)] + Spacing;
        S += Spacing;
    }
    double Factor = 1.0;
    if (T - S > 0) Factor = double(XSize - PS.GetRightSize() - PS.GetLeftSize() - S) / double(T - S);
    if (!(Factor > 0)) Factor = 1.0;
    if ((Factor > 1 && Fit == fpShrink) || (Factor < 1 && Fit == fpGrow)) Factor = 1.0;
    if (Factor != 1.0 && Fit == fpCustom) {
        bool Allow = true;
        if (Grid.OnFitToPage) Grid.OnFitToPage(&Grid, Factor, Allow);
        if (!Allow || !(Factor > 0)) Factor = 1.0;
    }
    ScaleFactor = Factor;
    if (Factor == 1.0) return;
    for (int& w : MaxWidths()) w = int(std::trunc(w * Factor));
    HFntSize = RoundInt(HFntSize * Factor);
}

// ---- Bands and pages ----------------------------------------------------------------------------

// EndCol becomes the band's last column: as many columns as fit between the margins after the
// repeated fixed columns, at least one.
void TBuildPages::FillBand(int& Used, int FixedSpace)
{
    // The room between the margins (the left margin counts also when the band is centred).
    const int Room = XSize - PS.GetRightSize() - PS.GetLeftSize();
    Used = FixedSpace;
    int c = StartCol;
    while (c <= Rect().Right) {
        const int w = IsSelCol(c) ? MaxWidths()[size_t(c)] + Spacing : 0;
        if (c > StartCol && Used + w > Room) break;
        Used += w;
        ++c;
    }
    EndCol = c - 1;
    if (EndCol < Rect().Right) MultiCol = true;
    Grid.FPrint.PrintPageWidth = Used;
}

void TBuildPages::PlaceIndents(int Used, int FixedSpace)
{
    std::vector<int>& Ind = Indents();
    const int FixedCols = Grid.GetFixedCols();
    const int Start = PS.GetCentered() ? 0 : PS.GetLeftSize();
    Ind[size_t(StartCol)] = Start;
    Ind[0] = Start;
    for (int c = StartCol; c <= EndCol; ++c)
        Ind[size_t(c) + 1] = Ind[size_t(c)] + (IsSelCol(c) ? MaxWidths()[size_t(c)] + Spacing : 0);
    Grid.FPrint.PrintColStart = StartCol;
    Grid.FPrint.PrintColEnd = EndCol;
    // The repeated fixed columns' left edges (never those of the band's own columns).
    const int RepeatedCols = RepeatCols ? std::min(FixedCols, StartCol) : 0;
    for (int k = 1; k < RepeatedCols; ++k) Ind[size_t(k)] = Ind[size_t(k) - 1] + MaxWidths()[size_t(k) - 1] + Spacing;
    if (PS.GetCentered() && Used < XSize) {
        const int Offset = (XSize - Used) / 2;
        for (int c = StartCol; c <= EndCol + 1; ++c) Ind[size_t(c)] += Offset;
        for (int k = 0; k < RepeatedCols; ++k) Ind[size_t(k)] += Offset;
    }
    for (int c = StartCol; c <= EndCol + 1; ++c) Ind[size_t(c)] += FixedSpace;
}

// The room kept for header and footer. Title lines beyond the first take the same room on every
// page and in every pass, so that counting and drawing break the pages alike.
void TBuildPages::ComputeIndents(bool /*WithHeader*/)
{
    const TPrintPosition Pos[4] = {PS.GetTime(), PS.GetDate(), PS.GetPageNr(), PS.GetTitle()};
    const int Lines = PS.GetTitleLines()->GetCount();
    const bool Html = Lines > 0 && PS.GetTitleText().empty() &&
                      QorUtil::TextType(PS.GetTitleLines()->GetText(), Grid.GetEnableHTML()) == QorUtil::ttHTML;
    if (std::any_of(std::begin(Pos), std::end(Pos), IsTop)) {
        TopIndent = FntVSpace + HFntSize + HeaderSize;
        if (Lines > 0 && IsTop(PS.GetTitle())) TopIndent += Html ? BuildHeader(true) : (Lines - 1) * HFntSize;
    } else {
        TopIndent = HeaderSize;
    }
    if (std::any_of(std::begin(Pos), std::end(Pos), IsBottom)) {
        FootIndent = 2 * FntVSpace + 2 * FFntSize + FooterSize;
        if (Lines > 0 && IsBottom(PS.GetTitle())) FootIndent += Html ? BuildHeader(true) : (Lines - 1) * FFntSize;
    } else {
        FootIndent = FntVSpace + FFntSize + FooterSize;
    }
}

void TBuildPages::LayOutBand()
{
    const int FixedCols = Grid.GetFixedCols();
    PagRow = 0;
    ++PagCol;
    RepeatCols = FixedCols > 0 && PS.GetRepeatFixedCols() && (EndCol > Rect().Left || Rect().Left > FixedCols);
    int FixedSpace = 0;
    if (RepeatCols)
        for (int k = 0; k < FixedCols; ++k) FixedSpace += MaxWidths()[size_t(k)] + Spacing;
    int Used = 0;
    FillBand(Used, FixedSpace);
    PlaceIndents(Used, FixedSpace);

    HeaderSize = PS.GetScaleHeader() ? RoundInt(PS.GetHeaderSize() * ScaleFactor) : PS.GetHeaderSize();
    FooterSize = PS.GetScaleFooter() ? RoundInt(PS.GetFooterSize() * ScaleFactor) : PS.GetFooterSize();
    ComputeIndents(true);

    const int FixedRows = Grid.GetFixedRows();
    const TGridExportState Export =
        FixedRows >= Rect().Top && Grid.GetRowCount() - 1 - Grid.GetFixedFooters() <= Rect().Bottom ? esExportNewRow
                                                                                                     : esExportSelRow;
    const int TitleSpace = RoundInt(PS.GetTitleSpacing() * ScaleFactor);
    const int Bottom = Rect().Bottom;
    int i = Rect().Top;
    int RowsOnPage = 0;
    int LastBreakRow = -1;
    // A later band's first page was announced by the page break that started it.
    if (PagCol == 1 && DrawingThisPage()) FireNewPage(PagNum + 1);
    auto PrintRow = [&](int ARow) {
        if (RepeatCols) BuildColumnsRow(YPosPrint, 0, FixedCols - 1, ARow);
        YPosPrint -= BuildColumnsRow(YPosPrint, StartCol, EndCol, ARow);
    };
    auto NextHeight = [&](int ARow) {
        if (ARow > Bottom || !IsSelRow(ARow)) return 0;
        return 2 * FntVSpace + GetRowHeight(ARow) + PS.GetRowSpacing();
    };

    // Rows may leave the canvas with their last cell's font until something else needs it.
    TValueScope<bool> Lazy(LazyFont, true);
    auto Pay = ScopeExit([&] { PayFont(); });
    while (i <= Bottom && !Cancelled) {
        Grid.ExportNotification(Export, i);
        if (RowsOnPage == 0) {
            YPosPrint = -TopIndent;
            BuildHeader(false);
            YPosPrint -= TitleSpace;
            if (i > 0 && (PagNum > 0 || FixedRows <= Rect().Top) && PS.GetRepeatFixedRows() && FixedRows > 0)
                for (int m = 0; m < FixedRows; ++m) PrintRow(m);
        }
        if (IsSelRow(i)) PrintRow(i);
        ++i;
        const int h = NextHeight(i);
        ++RowsOnPage;
        bool NewPage = false;
        if (Grid.OnPrintNewPage) Grid.OnPrintNewPage(&Grid, i, NewPage);
        const bool Full = YPosPrint - h < YSize + FootIndent;
        if ((i > Bottom || Full || NewPage) && DrawingThisPage()) {
            PayFont();
            if (Grid.OnPrintPageDone) Grid.OnPrintPageDone(&Grid, Canvas, i, YPosPrint, PagNum + 1, XSize, YSize);
            bool Cancel = false;
            if (Grid.OnPrintCancel) Grid.OnPrintCancel(&Grid, PagNum + 1, Cancel);
            Cancelled = Cancelled || Cancel;
        }
        if (i <= Bottom && (Full || NewPage) && !Cancelled) {
            DrawBorderAround(StartCol, EndCol, YPosPrint);
            RowsOnPage = 0;
            StartNewPage();
            // Without a counting pass nothing after the last drawn page is needed of this band.
            if (Grid.GetFastPrint() && PagNum + 1 >= Grid.FPrint.FPrintPageTo) i = Bottom + 1;
            LastBreakRow = i;
            ++PagNum;
            ++PagRow;
            ComputeIndents(false);
        }
    }
    if (LastBreakRow != i && RowsOnPage > 0) DrawBorderAround(StartCol, EndCol, YPosPrint);
}

void TBuildPages::FireNewPage(int Page)
{
    PayFont();
    if (Grid.OnPrintPage) Grid.OnPrintPage(&Grid, Canvas, Page, XSize, YSize);
}

void TBuildPages::StartNewPage()
{
    PayFont();
    if (!PageDrawn(PagNum + 2)) return;
    if (PrintMethod == 1 && PagNum + 1 >= Grid.FPrint.FPrintPageFrom) Printer()->NewPage();
    SetMapMode(Canvas->GetHandle(), MM_LOMETRIC);
    if (Drawing()) FireNewPage(PagNum + 2);
}

// ---- Header, footer, page numbers, borders ------------------------------------------------------

String TBuildPages::PagNumStr()
{
    String s;
    int PageNum;
    if (MultiCol) {
        s = IntToStr(PagRow + 1) + L"-" + IntToStr(PagCol);
        PageNum = PagRow + 1;
    } else {
        s = IntToStr(PagNum + PS.GetPageNumberOffset() + 1);
        // MaxPages is -1 in counting passes and when the count is unknown: no total then.
        if (!PS.GetPageNumSep().empty() && MaxPages > 1)
            s += PS.GetPageNumSep() + IntToStr(MaxPages + PS.GetMaxPagesOffset());
        PageNum = PagNum + 1;
    }
    Grid.DoGetPrintPageNum(PageNum, PagCol, s);
    return s;
}

int TBuildPages::BuildHeader(bool SizeOnly)
{
    PayFont();
    const bool Draw = !SizeOnly && DrawingThisPage();
    if (!SizeOnly && !Draw) return 0;
    Grid.FPrint.Fontscalefactor = ScaleFactor;

    // Texts by position (ppTopLeft .. ppBottomCenter).
    String Texts[7];
    auto Add = [&](TPrintPosition P, const String& Part) {
        if (P == ppNone) return;
        Texts[P] = IsLeft(P) ? AppendWithSpace(Part, Texts[P]) : AppendWithSpace(Texts[P], Part);
    };
    const TPrintPosition TitlePos = PS.GetTitle();
    TStringList* Lines = PS.GetTitleLines();
    String HtmlTitle;
    if (Draw) {
        Add(PS.GetTime(), FormatDateTime(L"hh:nn", Now()));
        Add(PS.GetDate(), FormatDateTime(PS.GetDateFormat(), Now()));
        Add(PS.GetPageNr(), AppendWithSpace(AppendWithSpace(PS.GetPagePrefix(), PagNumStr()), PS.GetPageSuffix()));
    }
    if (!PS.GetTitleText().empty()) {
        Add(TitlePos, PS.GetTitleText());
    } else if (Lines->GetCount() > 0) {
        if (QorUtil::TextType(Lines->GetText(), Grid.GetEnableHTML()) == QorUtil::ttHTML)
            HtmlTitle = Lines->GetText();
        else
            Add(TitlePos, Lines->GetStrings(0));
    }
    const bool MoreLines = HtmlTitle.empty() && PS.GetTitleText().empty() && Lines->GetCount() > 1;

    HDC DC = Canvas->GetHandle();
    TFont* Font = Canvas->GetFont();
    TFont SavedFont;
    SavedFont.Assign(Font);
    TBrush SavedBrush;
    SavedBrush.Assign(Canvas->GetBrush());
    auto Restore = ScopeExit([&] {
        Font->Assign(&SavedFont);
        Canvas->GetBrush()->Assign(&SavedBrush);
    });
    Canvas->GetBrush()->SetStyle(bsClear);

    // An HTML title: measured (and drawn) in the canvas's device units.
    auto HtmlBlock = [&](TFont* Source, TRect Area, bool DrawIt) {
        POINT Corners[2] = {{Area.Left, Area.Top}, {Area.Right, Area.Bottom}};
        LPtoDP(DC, Corners, 2);
        const int PPI = std::max(1, GetDeviceCaps(DC, LOGPIXELSY));
        SetMapMode(DC, MM_TEXT);
        auto Back = ScopeExit([&] { SetMapMode(DC, MM_LOMETRIC); });
        Font->Assign(Source);
        Font->SetPixelsPerInch(PPI);
        Font->SetSize(std::max(1, RoundInt(Source->GetSize() * ScaleFactor)));
        JyrHTMLE::THTMLDrawRequest Request;
        Request.Canvas = Canvas;
        Request.fr = TRect{Corners[0].x, Corners[0].y, Corners[1].x, Corners[1].y};
        Request.Print = PrintMethod == 1;
        Request.ResFactor = HTMLFactor;
        Request.CheckHeight = !DrawIt;
        Request.PictureContainer = Grid.GetPictureContainer();
        JyrHTMLE::THTMLDrawResult Result;
        JyrHTMLE::HTMLDraw(HtmlTitle, Request, Result);
        return RoundInt(Result.YSize * 254.0 / PPI);
    };

    auto XFor = [&](TPrintPosition P, const String& s) {
        const int w = Canvas->TextWidth(s);
        if (P == ppTopLeft || P == ppBottomLeft) return PS.GetLeftSize();
        if (P == ppTopRight || P == ppBottomRight) return XSize - w - 20 - PS.GetRightSize();
        return (XSize - w) / 2;
    };

    int Result = 0;
    // Header.
    Font->Assign(PS.GetHeaderFont());
    Font->SetHeight(Grid.MapFontHeight(PS.GetHeaderFont()->GetSize()));
    const int HeaderY = -HeaderSize;
    if (Draw)
        for (TPrintPosition P : {ppTopLeft, ppTopRight, ppTopCenter})
            if (!Texts[P].empty()) Canvas->TextOut(XFor(P, Texts[P]), HeaderY, Texts[P]);
    if (IsTop(TitlePos)) {
        if (MoreLines) {
            const int LineHeight = Canvas->TextHeight(L"gh");
            for (int k = 1; k < Lines->GetCount(); ++k)
                if (Draw) Canvas->TextOut(XFor(TitlePos, Lines->GetStrings(k)), HeaderY - k * LineHeight, Lines->GetStrings(k));
            Result = (Lines->GetCount() - 1) * LineHeight;
        } else if (!HtmlTitle.empty()) {
            const TRect Area{PS.GetLeftSize(), HeaderY, XSize - PS.GetRightSize() - 20, HeaderY - 1000};
            Result = HtmlBlock(PS.GetHeaderFont(), Area, false);
            if (Draw) HtmlBlock(PS.GetHeaderFont(), TRect{Area.Left, Area.Top, Area.Right, HeaderY - Result}, true);
        }
    }

    // Footer: title lines beyond the first go below the footer line, which rises to make room.
    Font->Assign(PS.GetFooterFont());
    Font->SetHeight(Grid.MapFontHeight(PS.GetFooterFont()->GetSize()));
    const int LineHeight = Canvas->TextHeight(L"gh");
    const int Extra = IsBottom(TitlePos) && MoreLines ? (Lines->GetCount() - 1) * LineHeight : 0;
    const int FooterY = YSize + FFntSize + FntVSpace + FooterSize + Extra;
    if (Draw)
        for (TPrintPosition P : {ppBottomLeft, ppBottomRight, ppBottomCenter})
            if (!Texts[P].empty()) Canvas->TextOut(XFor(P, Texts[P]), FooterY, Texts[P]);
    if (IsBottom(TitlePos)) {
        if (MoreLines) {
            for (int k = 1; k < Lines->GetCount(); ++k)
                if (Draw) Canvas->TextOut(XFor(TitlePos, Lines->GetStrings(k)), FooterY - k * LineHeight, Lines->GetStrings(k));
            Result = Extra;
        } else if (!HtmlTitle.empty()) {
            // Above the footer line, in the room the footer indent keeps for it (the page's
            // bottom edge would leave it no room at all).
            const int TitleBottom = FooterY + FntVSpace;
            const TRect Area{PS.GetLeftSize(), TitleBottom + 1000, XSize, TitleBottom};
            Result = HtmlBlock(PS.GetFooterFont(), Area, false);
            if (Draw) HtmlBlock(PS.GetFooterFont(), TRect{Area.Left, TitleBottom + Result, Area.Right, TitleBottom}, true);
        }
    }
    return Result;
}

void TBuildPages::DrawBorderAround(int AStartCol, int AEndCol, int AYPosPrint)
{
    if (!DrawingThisPage()) return;
    const std::vector<int>& Ind = Indents();
    const int L = RepeatCols ? Ind[0] : Ind[size_t(AStartCol)];
    const int R = Ind[size_t(AEndCol) + 1];
    const int Top = -TopIndent - RoundInt(PS.GetTitleSpacing() * ScaleFactor);
    const int Bottom = AYPosPrint + FntVSpace / 2;
    const TPrintBorders B = PS.GetBorders();
    if (B == pbAround || B == pbAroundVertical || B == pbAroundHorizontal) {
        Canvas->MoveTo(L, Top);
        Canvas->LineTo(R, Top);
        Canvas->LineTo(R, Bottom);
        Canvas->LineTo(L, Bottom);
        Canvas->LineTo(L, Top);
    }
    if (B == pbDouble || B == pbHorizontal || B == pbAroundHorizontal) {
        Canvas->MoveTo(L, Bottom);
        Canvas->LineTo(R, Bottom);
    }
    if ((B == pbDouble || B == pbVertical || B == pbAroundVertical) && RepeatCols)
        for (int k = 0; k < Grid.GetFixedCols(); ++k) {
            Canvas->MoveTo(Ind[size_t(k)], Top);
            Canvas->LineTo(Ind[size_t(k)], Bottom);
        }
}
