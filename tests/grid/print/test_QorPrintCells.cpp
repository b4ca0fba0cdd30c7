// Printed cells on a memory bitmap set up like the printer's page (MM_LOMETRIC, y upward from the
// top edge): the font size mapping, turned text's box and start point, measuring one cell (lines,
// word wrap, turn, markup, widgets with PrintGraphics, the size event), drawing rows (colours from
// GetCellPrintColor, borders from GetCellPrintBorder, text and widgets, merged cells cut by the
// footer room, the canvas given back), bitmaps kept upright, the printer asked for its
// orientation only when the run prints on it, and hostile input drawn without raising.
#include "tests/grid/paint/CellPaintKit.h"
#include "tests/support/TestPrinters.h"

#include "grid/print/BuildPages.h"
#include "grid/print/QorPrintCells.h"
#include "grid/store/QorGridOptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace cellpaint;

namespace {

class TPrintGrid : public TPaintGrid {
public:
    explicit TPrintGrid(TComponent* AOwner) : TPaintGrid(AOwner) {}
    std::function<void(int, int, TBrush*, TFont*)> PrintColor;
    std::function<void(int, int, TPen*, TCellBorders&)> PrintBorder;
    void GetCellPrintColor(int RCol, int ARow, TGridDrawState S, TBrush* B, TFont* F) override
    {
        TPaintGrid::GetCellPrintColor(RCol, ARow, S, B, F);
        if (PrintColor) PrintColor(RCol, ARow, B, F);
    }
    void GetCellPrintBorder(int RCol, int ARow, TPen* P, TCellBorders& Borders) override
    {
        TPaintGrid::GetCellPrintBorder(RCol, ARow, P, Borders);
        if (PrintBorder) PrintBorder(RCol, ARow, P, Borders);
    }
};

constexpr int Cols = 4, Rows = 6;
// The layout passes.
constexpr int pmPreview = 0, pmPrint = 1, pmCountPrint = 2, pmCountPreview = 3;

struct PrintedCells : ::testing::Test {
    TForm* Form = ui::NewForm(Cols * CW, Rows * RH);
    ui::FormGuard Guard{Form};
    TPrintGrid* G = nullptr;
    TDibSurface Page{700, 500};
    std::unique_ptr<TBuildPages> Run;

    PrintedCells()
    {
        G = NewPaintGrid<TPrintGrid>(Form, Cols, Rows);
        G->GetFont()->SetName(L"Arial");
        G->GetFont()->SetSize(10);
        G->GetPrintSettings()->GetFont()->SetName(L"Arial");
        G->GetPrintSettings()->GetFont()->SetSize(10);
    }

    // A run drawing on the page as the layout engine sets it up: factors, spaces, widths, indents.
    TBuildPages& Start(int Method = pmPreview)
    {
        ::SetMapMode(Page.DC(), MM_LOMETRIC);
        Run = std::make_unique<TBuildPages>(*G, Page.Canvas(), Method, false, -1);
        TBuildPages& R = *Run;
        R.OldFont = std::make_unique<TFont>();
        R.NewFont = std::make_unique<TFont>();
        R.OldBrush = std::make_unique<TBrush>();
        R.NewBrush = std::make_unique<TBrush>();
        R.OldPen = std::make_unique<TPen>();
        R.ResFactor = 254.0 / 96;
        R.OrgSize = G->GetFont()->GetSize();
        R.FntVSpace = 2;
        R.Spacing = 20;
        POINT Size{Page.Width(), Page.Height()};
        ::DPtoLP(Page.DC(), &Size, 1);
        R.XSize = Size.x;
        R.YSize = Size.y;
        TCanvas* C = Page.Canvas();
        C->GetFont()->Assign(G->GetPrintSettings()->GetFont());
        C->GetFont()->SetHeight(G->MapFontHeight(10));
        C->GetPen()->SetColor(clBlack);
        R.FntHSpace = C->TextWidth(L"g") / 2;
        R.Rect() = TGridRect{0, 0, Cols - 1, Rows - 1};
        R.MaxWidths().assign(Cols + 1, 0);
        R.Indents().assign(Cols + 2, 0);
        for (int c = 0; c < Cols; ++c) R.MaxWidths()[size_t(c)] = int((CW + 4) * R.ResFactor);
        Place();
        R.StartCol = 0;
        R.EndCol = Cols - 1;
        return R;
    }
    void Place()
    {
        for (int c = 0; c < Cols; ++c)
            Run->Indents()[size_t(c + 1)] = Run->Indents()[size_t(c)] + Run->MaxWidths()[size_t(c)] + Run->Spacing;
    }

    // Page rectangle (Top above Bottom) in pixels of the page bitmap, moved in by Inset pixels.
    TRect Px(const TRect& R, int Inset = 0) const
    {
        POINT P[2] = {{R.Left, R.Top}, {R.Right, R.Bottom}};
        ::LPtoDP(Page.DC(), P, 2);
        return TRect(std::min(P[0].x, P[1].x) + Inset, std::min(P[0].y, P[1].y) + Inset,
                     std::max(P[0].x, P[1].x) - Inset, std::max(P[0].y, P[1].y) - Inset);
    }
    // Cell u of a row at YPos, R high.
    TRect CellPage(int u, int YPos, int R) const
    {
        return TRect(Run->Indents()[size_t(u)], YPos, Run->Indents()[size_t(u + 1)], YPos - R);
    }
    int TextHeight()
    {
        return std::abs(Page.Canvas()->TextHeight(L"gh"));
    }
};

}  // namespace

TEST(PrintedCellsUnits, FontMappingTurnedBoxAndStartPoint)
{
    TForm* Form = ui::NewForm(100, 100);
    ui::FormGuard Guard{Form};
    auto* G = Create<TQorStringGrid>(Form);
    EXPECT_EQ(G->MapFontHeight(10), -35);
    EXPECT_EQ(G->MapFontSize(35), 9);
    EXPECT_EQ(G->MapFontHeight(0), 0);

    // The products are added: a square text at 45 degrees is wider than its side.
    struct {
        int W, H, WH, Angle;
        bool Round;
        TPoint Want;
    } Boxes[] = {
        {100, 20, 100, 0, true, {100, 20}},
        {100, 20, 100, 90, true, {20, 100}},
        {100, 100, 100, 45, true, {142, 142}},
        {100, 100, 100, 45, false, {140, 140}},
        {100, 20, 60, 90, true, {20, 60}},
        {100, 20, 100, 180, true, {100, 20}},
    };
    for (const auto& B : Boxes)
        EXPECT_EQ(RotatedTextExtent(B.W, B.H, B.WH, B.Angle, B.Round), B.Want) << B.Angle << " " << B.W;

    struct {
        TAlignment HA;
        TVAlignment VA;
        int Angle, x1, x2, y1, y2;
        TPoint Start;
    } Starts[] = {
        {taCenter, vtaCenter, 0, 40, 0, 0, 10, {30, 5}},
        {taLeftJustify, vtaTop, 90, 0, 10, 40, 0, {0, 40}},
        {taRightJustify, vtaBottom, 0, 40, 0, 0, 10, {60, 10}},
        {taRightJustify, vtaBottom, 180, 40, 0, 0, 10, {100, 20}},
    };
    for (const auto& S : Starts) {
        TRect R(0, 0, 100, 20);
        QorGridUnit::PositionText(R, S.HA, S.VA, S.Angle, S.x1, S.x2, S.y1, S.y2);
        EXPECT_EQ(TPoint(R.Left, R.Top), S.Start) << S.Angle;
        EXPECT_EQ(TPoint(R.Right, R.Bottom), TPoint(100, 20));
    }
}

TEST_F(PrintedCells, MeasuringLinesWrapTurnMarkupWidgetsAndTheSizeEvent)
{
    TBuildPages& R = Start();
    TCanvas* C = Page.Canvas();
    const int LH = TextHeight();
    const int GH = C->TextWidth(L"gh");
    TPrintSettings* PS = G->GetPrintSettings();

    // An empty cell is one line of "gh" in the print font.
    EXPECT_EQ(R.GetTextSize(1, 1), TPoint(GH, LH));

    // Lines: the widest line, the line count.
    G->SetMultilinecells(true);
    G->SetCellEx(1, 2, L"a\r\nlonger line\r\nb");
    TPoint S = R.GetTextSize(1, 2);
    EXPECT_EQ(S.Y, 3 * LH);
    EXPECT_EQ(S.X, C->TextWidth(L"longer line"));
    const int Wide = S.X;

    // Word wrap with fixed widths: the column's printed width, taller than one line.
    G->SetCellEx(2, 2, L"many words that cannot fit on one narrow printed line at all");
    PS->SetNoAutoSize(true);
    G->SetWordWrapEx(true);
    R.MaxWidths()[2] = 200;
    S = R.GetTextSize(2, 2);
    EXPECT_EQ(S.X, 200);
    EXPECT_GT(S.Y, 2 * LH);
    G->SetWordWrapEx(false);
    PS->SetNoAutoSize(false);

    // Turned by 90 degrees: the box stands up.
    G->SetMultilinecells(false);
    G->SetCellEx(3, 1, L"turned text");
    G->SetRotated(3, 1, 90);
    S = R.GetTextSize(3, 1);
    EXPECT_NEAR(S.X, LH, 1);
    EXPECT_NEAR(S.Y, C->TextWidth(L"turned text"), 2);

    // Markup is measured by the renderer, bold wider than plain.
    G->SetCellEx(2, 3, L"<b>Kontrakt</b>");
    G->SetCellEx(2, 4, L"Kontrakt");
    const TPoint Bold = R.GetTextSize(2, 3), Plain = R.GetTextSize(2, 4);
    EXPECT_GT(Bold.X, 0);
    EXPECT_GT(Bold.Y, 0);
    EXPECT_GT(Bold.X, Plain.X * 9 / 10);

    // A check box takes room only with PrintGraphics.
    G->SetCellEx(1, 4, L"Kontrakt");
    G->AddCheckBox(1, 4, true, false);
    PS->SetPrintGraphics(false);
    EXPECT_EQ(R.GetTextSize(1, 4), Plain);
    PS->SetPrintGraphics(true);
    EXPECT_GT(R.GetTextSize(1, 4).X, Plain.X + 10);

    // The size event has the last word and is told it is printing.
    bool Printing = false;
    G->OnCustomCellSize = [&](TObject*, TCanvas*, int, int, TPoint& Size, bool P) {
        Printing = P;
        Size = TPoint(777, 55);
    };
    EXPECT_EQ(R.GetTextSize(1, 1), TPoint(777, 55));
    EXPECT_TRUE(Printing);
    G->OnCustomCellSize = nullptr;
    // Without MultilineCells only the first line counts.
    EXPECT_EQ(R.GetTextSize(1, 2), TPoint(C->TextWidth(L"a"), LH));
    EXPECT_GT(Wide, C->TextWidth(L"a"));
}

TEST_F(PrintedCells, RowsTakeTheirColoursTextAndBordersAndGiveTheCanvasBack)
{
    TBuildPages& R = Start();
    const TColor Fills[Cols] = {TColor(0x00D0F0D0), TColor(0x00F0D0D0), TColor(0x00D0D0F0), TColor(0x00F0F0A0)};
    G->PrintColor = [&](int c, int r, TBrush* B, TFont* F) {
        if (r == 1) {
            B->SetColor(Fills[c]);
            F->SetColor(c == 2 ? clRed : clBlack);
        }
    };
    // Column 0 prints no sides; column 3 a thick blue frame.
    G->PrintBorder = [](int c, int, TPen* P, TCellBorders& Sides) {
        if (c == 0) Sides = TCellBorders{};
        if (c == 3) {
            P->SetColor(clBlue);
            P->SetWidth(8);
        }
    };
    for (int c = 0; c < Cols; ++c) G->SetCellEx(c, 1, L"Hgh" + IntToStr(c));

    TCanvas* C = Page.Canvas();
    C->GetBrush()->SetColor(clYellow);
    C->GetFont()->SetColor(clGreen);
    const int FontHeight = C->GetFont()->GetHeight();
    const int Top = -50;
    const int H = R.BuildColumnsRow(Top, 0, Cols - 1, 1, 0);
    EXPECT_EQ(H, 2 * R.FntVSpace + R.GetRowHeight(1) + G->GetPrintSettings()->GetRowSpacing());

    for (int c = 0; c < Cols; ++c) {
        const TRect Cell = Px(CellPage(c, Top, H), 3);
        EXPECT_GT(Page.CountColor(Cell, Fills[c]), Cell.Width() * Cell.Height() / 3) << c;
        EXPECT_GT(Page.InkCount(Cell, Fills[c]), 10) << "text in cell " << c;
    }
    EXPECT_GT(Page.CountColor(Px(CellPage(2, Top, H), 3), clRed), 5);
    EXPECT_EQ(Page.CountColor(Px(CellPage(3, Top, H), 3), clBlue), 0);
    // Blue lines around column 3; none at column 0's left edge.
    const TRect C3 = Px(CellPage(3, Top, H));
    EXPECT_GT(Page.CountColor(TRect(C3.Left - 2, C3.Top, C3.Right + 3, C3.Top + 3), clBlue), C3.Width() / 2);
    const TRect C0 = Px(CellPage(0, Top, H));
    EXPECT_EQ(Page.CountColor(TRect(C0.Left - 1, C0.Top + 2, C0.Left + 1, C0.Bottom - 2), clBlack), 0);
    // Black lines between columns 1 and 2 (their default pens).
    const TRect C1 = Px(CellPage(1, Top, H));
    EXPECT_GT(Page.CountColor(TRect(C1.Right - 1, C1.Top + 2, C1.Right + 2, C1.Bottom - 2), clBlack), 3);

    // The canvas has the font and brush it had before the row.
    EXPECT_EQ(C->GetBrush()->GetColor(), clYellow);
    EXPECT_EQ(C->GetFont()->GetColor(), clGreen);
    EXPECT_EQ(C->GetFont()->GetHeight(), FontHeight);
    EXPECT_EQ(::GetMapMode(Page.DC()), MM_LOMETRIC);
}

TEST_F(PrintedCells, NothingIsDrawnWhileCountingOrOutsideTheRange)
{
    for (int Method : {pmCountPrint, pmCountPreview, pmPreview}) {
        Page.Fill(clWhite);
        TBuildPages& R = Start(Method);
        G->SetCellEx(0, 0, L"Hgh");
        if (Method == pmPreview) R.PagNum = 5;   // page 6 is not drawn
        const int H = R.BuildColumnsRow(-20, 0, Cols - 1, 0, 0);
        EXPECT_GT(H, 0);
        EXPECT_FALSE(Page.HasInk(Page.Bounds())) << Method;
        EXPECT_EQ(R.BuildColumnsRow(-20, 2, 1, 0, 0), H);
    }
}

TEST_F(PrintedCells, MergedCellCutByTheFooterRoomIsOneRowHighAndOpenBelow)
{
    TBuildPages& R = Start();
    G->MergeCells(1, 2, 1, 3);
    G->SetCellEx(1, 2, L"merged");
    const int H0 = R.BuildColumnsRow(-20, 0, Cols - 1, 0, 0);
    // A row whose three-row area would reach into the footer room.
    const int Top = R.YSize + H0 * 2;
    Page.Fill(clWhite);
    const int H = R.BuildColumnsRow(Top, 1, 1, 2, 0);
    const TRect Cut = Px(TRect(R.Indents()[1], Top - H, R.Indents()[2], R.YSize));
    EXPECT_FALSE(Page.HasInk(TRect(Cut.Left + 2, Cut.Top + 2, Cut.Right - 2, Cut.Bottom))) << "no bottom border";
    const TRect Box = Px(CellPage(1, Top, H));
    EXPECT_GT(Page.CountColor(TRect(Box.Left, Box.Top - 1, Box.Right, Box.Top + 2), clBlack), Box.Width() / 2);
    EXPECT_GT(Page.InkCount(Box), 10);
}

TEST_F(PrintedCells, WidgetsPrintWithPrintGraphicsOnly)
{
    G->SetCellEx(1, 1, L"");
    G->AddCheckBox(1, 1, true, false);
    G->AddProgress(2, 1, clLime, clWhite);
    G->SetCellEx(2, 1, L"60");
    G->AddShape(3, 1, QorUtil::csCircle, clRed, clRed, haCenter, vaCenter);
    for (bool On : {false, true}) {
        Page.Fill(clWhite);
        TBuildPages& R = Start();
        G->GetPrintSettings()->SetPrintGraphics(On);
        G->GetPrintSettings()->SetBorders(pbNoborder);
        const int H = R.BuildColumnsRow(-20, 0, Cols - 1, 1, 0);
        EXPECT_EQ(Page.HasInk(Px(CellPage(1, -20, H), 1)), On) << "check box";
        EXPECT_EQ(Page.CountColor(Px(CellPage(2, -20, H), 1), clLime) > 10, On) << "progress";
        EXPECT_EQ(Page.CountColor(Px(CellPage(3, -20, H), 1), clRed) > 10, On) << "shape";
    }
}

TEST_F(PrintedCells, BitmapsAndIconsArriveUpright)
{
    Start();
    TBitmap Bmp;
    Bmp.SetSize(20, 20);
    Bmp.GetCanvas()->GetBrush()->SetColor(clRed);
    Bmp.GetCanvas()->FillRect(TRect(0, 0, 20, 10));
    Bmp.GetCanvas()->GetBrush()->SetColor(clBlue);
    Bmp.GetCanvas()->FillRect(TRect(0, 10, 20, 20));
    const TRect Dest(100, -100, 300, -300);
    JyrPrintBitmap(Page.Canvas(), Dest, &Bmp);
    const TRect D = Px(Dest);
    EXPECT_TRUE(Page.AllColor(TRect(D.Left + 2, D.Top + 2, D.Right - 2, D.Top + D.Height() / 2 - 2), clRed));
    EXPECT_TRUE(Page.AllColor(TRect(D.Left + 2, D.Top + D.Height() / 2 + 2, D.Right - 2, D.Bottom - 2), clBlue));
    // Nothing for nothing.
    EXPECT_NO_THROW(JyrPrintBitmap(Page.Canvas(), Dest, nullptr));
    TBitmap Empty;
    EXPECT_NO_THROW(PrintBitmapRop(Page.Canvas(), Dest, &Empty, SRCINVERT));
    EXPECT_NO_THROW(JyrPrintBitmap(Page.Canvas(), TRect(5, 5, 5, 5), &Bmp));
}

namespace {

// A printer in memory that counts how often it is asked for its orientation.
class TCountingPrinterDevice : public TPagePrinterDevice {
public:
    int Asked = 0;
    int Capability(const String& AName, const String& Port, WORD Index, const DEVMODEW* Mode) override
    {
        if (Index == DC_ORIENTATION) ++Asked;
        return TPagePrinterDevice::Capability(AName, Port, Index, Mode);
    }
};

}  // namespace

TEST_F(PrintedCells, PrinterDriverFixAsksThePrinterOnlyWhenPrintingOnIt)
{
    auto Device = std::make_unique<TCountingPrinterDevice>();
    TCountingPrinterDevice* Dev = Device.get();
    SetPrinterObject(new TPrinter(std::move(Device)));
    G->SetPrinterDriverFix(true);
    G->SetCellEx(1, 1, L"turned");
    G->SetRotated(1, 1, 45);
    struct {
        int Method;
        bool OnPrinter;
        int Asked;
    } Cases[] = {{pmPreview, false, 0}, {pmPrint, false, 0}, {pmPrint, true, 1}};
    for (const auto& K : Cases) {
        Dev->Asked = 0;
        TBuildPages& R = Start(K.Method);
        R.OnPrinter = K.OnPrinter;
        R.BuildColumnsRow(-20, 0, Cols - 1, 1, 0);
        EXPECT_EQ(Dev->Asked, K.Asked) << K.Method << " " << K.OnPrinter;
    }
    EXPECT_EQ(Run->GetPrinterOrientation(), 90);
}

TEST_F(PrintedCells, HostileInputNeverRaises)
{
    TBuildPages& R = Start();
    G->SetCellEx(0, 0, String(200000, L'W'));
    G->SetCellEx(1, 0, L"<b><i><font size=\"99999\">x</b>");
    G->SetCellEx(2, 0, L"{\\rtf1 broken");
    G->SetCellEx(3, 0, L"=1/0");
    G->SetMultilinecells(true);
    G->SetCellEx(0, 1, String(5000, L'\r'));
    // Records without their objects, and out-of-range values.
    auto Bad = [&](int c, int r, TCellType K) {
        auto* CG = G->CreateCellGraphic(c, r);
        CG->FCellType = K;
        CG->FCellAngle = 99999;
        CG->FCellIndex = -7;
        CG->FCellHAlign = TCellHAlign(77);
        CG->FCellVAlign = TCellVAlign(77);
    };
    const TCellType Kinds[] = {ctBitmap, ctIcon, ctImageList, ctImages, ctPicture, ctFilePicture, ctInterface,
                               ctRadio, ctShape, ctButton, ctProgressPie, ctNode, ctDataImage, ctRotated};
    int k = 0;
    for (TCellType K : Kinds) Bad(k % Cols, 2 + (k / Cols), K), ++k;
    G->GetPrintSettings()->SetPrintGraphics(true);
    G->GetPrintSettings()->SetNoAutoSize(true);
    G->SetWordWrapEx(true);

    for (bool ZeroWidths : {false, true}) {
        if (ZeroWidths) {
            std::fill(R.MaxWidths().begin(), R.MaxWidths().end(), 0);
            R.Spacing = 0;
            Place();
        }
        for (int r = -1; r <= Rows; ++r) {
            EXPECT_NO_THROW(R.BuildColumnsRow(-20, -3, Cols + 5, r, 0)) << r;
            for (int c = -1; c <= Cols; ++c) EXPECT_NO_THROW(R.GetTextSize(c, r)) << c << "," << r;
        }
    }
    // Indents shorter than the columns (a caller's mistake) stay in bounds.
    R.Indents().resize(1);
    R.MaxWidths().clear();
    EXPECT_NO_THROW(R.BuildColumnsRow(-20, 0, Cols - 1, 1, 0));
}

TEST_F(PrintedCells, SnapshotOfARowWithWidgetsAndTurnedText)
{
    TBuildPages& R = Start();
    G->GetPrintSettings()->SetPrintGraphics(true);
    G->SetCellEx(0, 1, L"Nord");
    G->AddCheckBox(0, 1, true, false);
    G->SetCellEx(1, 1, L"75");
    G->AddProgress(1, 1, clNavy, clWhite);
    G->AddRotated(2, 1, 45, L"Syd / Vest");
    G->SetCellEx(3, 1, L"<b>4</b><font color=\"clRed\">\x2665</font> doblet");
    G->PrintColor = [](int c, int r, TBrush* B, TFont*) {
        if (r == 0) B->SetColor(TColor(0x00E0E0E0));
    };
    for (int c = 0; c < Cols; ++c) G->SetCellEx(c, 0, L"Kolonne " + IntToStr(c + 1));
    int Y = -30;
    Y -= R.BuildColumnsRow(Y, 0, Cols - 1, 0, 0);
    R.BuildColumnsRow(Y, 0, Cols - 1, 1, 0);
    EXPECT_TRUE(Page.HasInk(Page.Bounds()));
    EXPECT_TRUE(Page.SavePng(SnapshotPath(L"printed_cells_row.png")));
}
