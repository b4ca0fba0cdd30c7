// Printed cells: the font size mapping, bitmaps onto the page, the printer's orientation, the
// printed size of one cell (TBuildPages::GetTextSize) and the drawing of one row of a column band
// (TBuildPages::BuildColumnsRow). Page units are tenths of a millimetre in MM_LOMETRIC, y negative
// downward: a cell's Top is above its Bottom (Top > Bottom).
//
// The cell's look comes from the screen's code: GetVisualProperties in print mode (with
// GetCellPrintColor), GetCellAlignment, GetCellPrintBorder, the markup renderer, RTFPaint,
// DrawRadio, the widget sizes for print, QorUtil's painters; turned text is measured by
// RotatedTextExtent and placed by PositionText as on the screen.
#include "grid/print/QorPrintCells.h"

#include "grid/print/BuildPages.h"

#include "controls/QorDropDown.h"
#include "framework/Printers.h"
#include "framework/SysUtils.h"
#include "framework/WinScope.h"
#include "graphics/JyrHTMLE.h"
#include "graphics/PictureContainer.h"
#include "graphics/QorUtil.h"
#include "graphics/QorUtilText.h"
#include "grid/input/QorRichEdit.h"
#include "grid/paint/CellGraphic.h"
#include "grid/paint/CellPaintContext.h"
#include "grid/paint/CellWidgetPaint.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Round (halves to even) into the int range kept far from overflow; NaN gives 0.
int RoundI(double v)
{
    if (std::isnan(v)) return 0;
    return int(std::nearbyint(std::clamp(v, -1e9, 1e9)));
}

int TruncI(double v)
{
    if (std::isnan(v)) return 0;
    return int(std::trunc(std::clamp(v, -1e9, 1e9)));
}

int At(const std::vector<int>& V, int i) { return i >= 0 && size_t(i) < V.size() ? V[size_t(i)] : 0; }

// A copy of the canvas's current font turned by Escapement tenths of a degree, selected into the
// canvas's device context for the object's life.
class TTurnedFont {
public:
    TTurnedFont(TCanvas* Canvas, int Escapement)
    {
        LOGFONTW LF{};
        ::GetObjectW(Canvas->GetFont()->GetHandle(), sizeof(LF), &LF);
        LF.lfEscapement = LF.lfOrientation = Escapement;
        FFont.Reset(::CreateFontIndirectW(&LF));
        FDC = Canvas->GetHandle();
        FOld = ::SelectObject(FDC, FFont.Get());
    }
    ~TTurnedFont() { ::SelectObject(FDC, FOld); }
    TTurnedFont(const TTurnedFont&) = delete;
    TTurnedFont& operator=(const TTurnedFont&) = delete;

private:
    TGdiObject<HFONT> FFont;
    HDC FDC = nullptr;
    HGDIOBJ FOld = nullptr;
};

// The canvas in device units (MM_TEXT) with its font at PointSize for the object's life, then
// MM_LOMETRIC and the font height it had.
class TTextModeScope {
public:
    TTextModeScope(TCanvas* Canvas, int PointSize) : FCanvas(Canvas), FHeight(Canvas->GetFont()->GetHeight())
    {
        ::SetMapMode(Canvas->GetHandle(), MM_TEXT);
        Canvas->GetFont()->SetSize(std::max(1, PointSize));
    }
    ~TTextModeScope()
    {
        ::SetMapMode(FCanvas->GetHandle(), MM_LOMETRIC);
        FCanvas->GetFont()->SetHeight(FHeight);
    }
    TTextModeScope(const TTextModeScope&) = delete;
    TTextModeScope& operator=(const TTextModeScope&) = delete;

private:
    TCanvas* FCanvas;
    int FHeight;
};

// A page rectangle (Top above Bottom) in device units, y growing downward.
TRect ToDevice(TCanvas* Canvas, const TRect& R)
{
    POINT P[2] = {{R.Left, R.Top}, {R.Right, R.Bottom}};
    ::LPtoDP(Canvas->GetHandle(), P, 2);
    return TRect(std::min(P[0].x, P[1].x), std::min(P[0].y, P[1].y), std::max(P[0].x, P[1].x),
                 std::max(P[0].y, P[1].y));
}

// Device extents (x, y) to page units.
TPoint ToPage(TCanvas* Canvas, int DX, int DY)
{
    POINT P[2] = {{0, 0}, {DX, DY}};
    ::DPtoLP(Canvas->GetHandle(), P, 2);
    return TPoint(std::abs(P[1].x - P[0].x), std::abs(P[1].y - P[0].y));
}

bool IsCheckKind(TCellType K)
{
    return K == ctCheckBox || K == ctDataCheckBox || K == ctVirtCheckBox || K == ctRowCheckBox ||
           K == ctTriStateCheckBox;
}

// Kinds that take room beside the printed text (the others draw nothing of their own in print).
bool PrintsWidget(TCellType K)
{
    switch (K) {
    case ctNone: case ctRotated: case ctEmpty: return false;
    default: return true;
    }
}

// Assignments that leave the canvas's pen or brush (and its selected handle) alone when nothing
// changes: the framework's Assign always makes the GDI object anew.
void SetPen(TPen* To, const TPen* From)
{
    if (To->GetColor() != From->GetColor() || To->GetWidth() != From->GetWidth() ||
        To->GetStyle() != From->GetStyle() || To->GetMode() != From->GetMode())
        To->Assign(const_cast<TPen*>(From));
}

void SetBrush(TBrush* To, const TBrush* From)
{
    if (To->GetColor() != From->GetColor() || To->GetStyle() != From->GetStyle() ||
        To->GetBitmap() != From->GetBitmap())
        To->Assign(const_cast<TBrush*>(From));
}

// Sides of a cell by the print settings' border style.
TCellBorders SidesOf(TPrintBorders B)
{
    switch (B) {
    case pbSingle: case pbDouble: return TCellBorders{cbTop, cbLeft, cbRight, cbBottom};
    case pbHorizontal: case pbAroundHorizontal: return TCellBorders{cbTop, cbBottom};
    case pbVertical: case pbAroundVertical: return TCellBorders{cbLeft, cbRight};
    default: return TCellBorders{};
    }
}

}  // namespace

// ---- Fonts and bitmaps ----------------------------------------------------------------------------------

int TQorStringGrid::MapFontHeight(int PointSize)
{
    return -TruncI(PointSize * 254.0 / 72.0 * FPrint.Fontscalefactor);
}

int TQorStringGrid::MapFontSize(int Height)
{
    return TruncI(Height * 72.0 / 254.0);
}

namespace {

// Stretches the bitmap H as a 32-bit DIB into DestRect (a page rectangle may run upward: its
// negative height keeps the picture upright there).
void StretchBitmapHandle(TCanvas* Canvas, const TRect& DestRect, HBITMAP H, DWORD Rop)
{
    if (!Canvas || !H || DestRect.Left == DestRect.Right || DestRect.Top == DestRect.Bottom) return;
    BITMAP BM{};
    if (!::GetObjectW(H, sizeof(BM), &BM) || BM.bmWidth <= 0 || BM.bmHeight <= 0) return;
    // The bits as a 32-bit top-down DIB, whatever the bitmap's own format and palette.
    BITMAPINFO BI{};
    BI.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    BI.bmiHeader.biWidth = BM.bmWidth;
    BI.bmiHeader.biHeight = -BM.bmHeight;
    BI.bmiHeader.biPlanes = 1;
    BI.bmiHeader.biBitCount = 32;
    BI.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> Bits(size_t(BM.bmWidth) * size_t(BM.bmHeight));
    HDC Screen = ::GetDC(nullptr);
    auto Release = ScopeExit([&] { ::ReleaseDC(nullptr, Screen); });
    if (!::GetDIBits(Screen, H, 0, UINT(BM.bmHeight), Bits.data(), &BI, DIB_RGB_COLORS)) return;
    HDC DC = Canvas->GetHandle();
    const int OldMode = ::SetStretchBltMode(DC, COLORONCOLOR);
    ::StretchDIBits(DC, DestRect.Left, DestRect.Top, DestRect.Right - DestRect.Left, DestRect.Bottom - DestRect.Top, 0, 0,
                    BM.bmWidth, BM.bmHeight, Bits.data(), &BI, DIB_RGB_COLORS, Rop);
    ::SetStretchBltMode(DC, OldMode);
}

}  // namespace

void PrintBitmapRop(TCanvas* Canvas, TRect DestRect, TBitmap* Bitmap, DWORD Rop)
{
    if (!Canvas || !Bitmap || Bitmap->GetEmpty()) return;
    StretchBitmapHandle(Canvas, DestRect, Bitmap->GetHandle(), Rop);
}

void JyrPrintBitmap(TCanvas* Canvas, TRect DestRect, TBitmap* Bitmap)
{
    PrintBitmapRop(Canvas, DestRect, Bitmap, SRCCOPY);
}

int TBuildPages::GetPrinterOrientation()
{
    return Printer()->DeviceCapability(DC_ORIENTATION);
}

// ---- One printed cell -----------------------------------------------------------------------------------

// The working values of printing one cell (BuildColumnsRow's steps); a friend of the grid for its
// look.
struct TPrintedCell {
    TBuildPages& P;
    TQorStringGrid& G;
    TCanvas* Cv;
    int u = 0, c = 0, ARow = 0;   // display column, real column, row
    int YPos = 0;                 // the row's top edge
    int R = 0;                    // the row's height
    TPoint Ext;                   // merged extent right and down
    TRect Cell;                   // Left, Top (= ypos), Right, Bottom (Top > Bottom)
    TCellBorders Sides;
    int PenWidth = 1;
    TColor PenColor = clBlack;

    // Visual properties.
    TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    int Angle = 0;
    bool Rotated = false;
    TCellGraphic* CG = nullptr;
    TRect Graphic;                // the widget's area
    TRect TextArea;               // the text's area after the widget took its room

    TPrintedCell(TBuildPages& AP, int AU, int ARowIn, int AYPos, int ARowHeight)
        : P(AP), G(AP.Grid), Cv(AP.Canvas), u(AU), c(AP.Grid.RemapCol(AU)), ARow(ARowIn), YPos(AYPos), R(ARowHeight)
    {
    }

    void Measure();
    void TakeBorders();
    void DrawFace();
    void PlaceGraphic(const String& Text);
    void PrintText(const String& Text, QorUtil::TTextType Type);
    void DrawPlainLines(const String& Text);
    void DrawWidget();
    void DrawCustom();
    void DrawBorders(bool BandFirst);

    // GetTextSize's steps.
    static TPoint TextSize(TBuildPages& P, int Col, int Row);
    static TPoint HTMLSize(TBuildPages& P, int Col, int Row, const String& Text);
    static TPoint RTFSize(TBuildPages& P, int Col, int Row);
    static TPoint PlainSize(TBuildPages& P, int Col, int Row, String Text);
    // The canvas's font := NewFont filled by the cell's print look (NewFont from the canvas at
    // the base size); answers the word wrap.
    static bool UseCellFont(TBuildPages& P, int Col, int Row, TAlignment* HA = nullptr, TVAlignment* VA = nullptr,
                            TBrush* Brush = nullptr, TColor* ColorTo = nullptr);
};

bool TPrintedCell::UseCellFont(TBuildPages& P, int Col, int Row, TAlignment* HA, TVAlignment* VA, TBrush* Brush,
                               TColor* ColorTo)
{
    TQorStringGrid& G = P.Grid;
    TCanvas* Cv = P.Canvas;
    P.NewFont->Assign(Cv->GetFont());
    P.NewFont->SetSize(P.OrgSize);
    TBrush Scratch;
    TBrush* B = Brush ? Brush : &Scratch;
    TGridDrawState State;
    TColor To = clNone, Mirror = clNone, MirrorTo = clNone;
    TAlignment H = taLeftJustify;
    TVAlignment V = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientVertical;
    G.GetVisualProperties(Col, Row, State, true, false, false, B, To, Mirror, MirrorTo, P.NewFont.get(), H, V, WW, GD);
    WW = G.GetWordWrapEx();
    G.GetCellWordWrap(Col, Row, WW);
    // One assignment of the finished font: the canvas keeps its selected font when it is equal.
    TFont& Cell = P.CellFont;
    Cell.SetPixelsPerInch(Cv->GetFont()->GetPixelsPerInch());
    Cell.Assign(P.NewFont.get());
    Cell.SetHeight(G.MapFontHeight(P.NewFont->GetSize()));
    Cv->GetFont()->Assign(&Cell);
    if (HA) *HA = H;
    if (VA) *VA = V;
    if (ColorTo) *ColorTo = To;
    return WW;
}

void TBuildPages::PayFont()
{
    if (!FontOwed) return;
    FontOwed = false;
    Canvas->GetFont()->Assign(&OwedFont);
}

TFont* TBuildPages::TrueFont()
{
    return FontOwed ? &OwedFont : Canvas->GetFont();
}

void TBuildPages::GiveBackFont(TFont* Font)
{
    FontOwed = LazyFont;
    (LazyFont ? &OwedFont : Canvas->GetFont())->Assign(Font);
}

TBuildPages::TMeasureScope::TMeasureScope(TBuildPages& P) : FP(P), FOuter(P.MeasureSaved)
{
    FSaved.Assign(P.TrueFont());
    P.OldFont->Assign(&FSaved);
    P.MeasureSaved = &FSaved;
}

// The canvas keeps its font whatever a hook raises (owes it while the band's rows are laid out).
TBuildPages::TMeasureScope::~TMeasureScope()
{
    FP.GiveBackFont(&FSaved);
    FP.MeasureSaved = FOuter;
}

TPoint TBuildPages::GetTextSize(int Col, int Row)
{
    TMeasureScope Scope(*this);
    return MeasureCell(Col, Row);
}

TPoint TBuildPages::MeasureCell(int Col, int Row)
{
    if (Col < 0 || Col >= Grid.GetAllColCount() || Row < 0 || Row >= Grid.GetRowCount()) return TPoint(0, 0);
    TPoint Size = TPrintedCell::TextSize(*this, Col, Row);
    if (Grid.OnCustomCellSize) {
        // The size event sees the canvas as the caller left it.
        Canvas->GetFont()->Assign(MeasureSaved);
        Grid.OnCustomCellSize(&Grid, Canvas, Col, Row, Size, true);
    }
    return Size;
}

int TBuildPages::GhTextHeight()
{
    const LOGFONTW LF = Canvas->GetFont()->GetLogFont();
    const int Mode = ::GetMapMode(Canvas->GetRawHandle());
    if (GhHeight < 0 || Mode != GhMapMode || std::memcmp(&LF, &GhFont, sizeof(LF)) != 0) {
        GhFont = LF;
        GhMapMode = Mode;
        GhHeight = std::abs(Canvas->TextHeight(L"gh"));
    }
    return GhHeight;
}

void TBuildPages::KeepExtent(int Col, int Row, const String& Text, SIZE Extent)
{
    if (Col < 0) return;
    if (size_t(Col) >= MeasuredTexts.size()) MeasuredTexts.resize(size_t(Col) + 1);
    TMeasuredText& M = MeasuredTexts[size_t(Col)];
    M.Row = Row;
    M.Text = Text;
    M.Font = Canvas->GetFont()->GetLogFont();
    M.MapMode = ::GetMapMode(Canvas->GetRawHandle());
    M.Extent = Extent;
}

const SIZE* TBuildPages::KeptExtent(int Col, int Row, const String& Text)
{
    if (Col < 0 || size_t(Col) >= MeasuredTexts.size()) return nullptr;
    const TMeasuredText& M = MeasuredTexts[size_t(Col)];
    if (M.Row != Row || M.Text != Text || M.MapMode != ::GetMapMode(Canvas->GetRawHandle())) return nullptr;
    const LOGFONTW LF = Canvas->GetFont()->GetLogFont();
    return std::memcmp(&LF, &M.Font, sizeof(LF)) == 0 ? &M.Extent : nullptr;
}

int TBuildPages::LayoutLineHeight()
{
    const LOGFONTW LF = Canvas->GetFont()->GetLogFont();
    const int Mode = ::GetMapMode(Canvas->GetRawHandle());
    for (const TLineHeight& M : LineHeights)
        if (M.MapMode == Mode && std::memcmp(&M.Font, &LF, sizeof(LF)) == 0) return M.Height;
    RECT R{0, 0, 65535, 0};
    const int H = std::abs(::DrawTextW(Canvas->GetHandle(), L"gh", 2, &R, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX));
    if (LineHeights.size() >= 64) LineHeights.clear();
    LineHeights.push_back({LF, Mode, H});
    return H;
}

TPoint TPrintedCell::TextSize(TBuildPages& P, int Col, int Row)
{
    TQorStringGrid& G = P.Grid;
    String Text = G.HasDataCell(Col, Row) ? String() : G.GetFormattedCell(Col, Row);
    QorUtil::TTextType Type = QorUtil::TextType(Text, G.GetEnableHTML());
    if (Type == QorUtil::ttHTML) {
        // Markup starts from the caller's font.
        P.Canvas->GetFont()->Assign(P.MeasureSaved);
        return HTMLSize(P, Col, Row, Text);
    }
    if (Type == QorUtil::ttRTF && G.HandleAllocated()) return RTFSize(P, Col, Row);
    if (Type == QorUtil::ttFormula) Text = G.CalcCell(Col, Row);
    return PlainSize(P, Col, Row, Text);
}

TPoint TPrintedCell::HTMLSize(TBuildPages& P, int Col, int Row, const String& Text)
{
    TQorStringGrid& G = P.Grid;
    TCanvas* Cv = P.Canvas;
    P.NewFont->Assign(Cv->GetFont());
    P.NewFont->SetSize(P.OrgSize);
    const int Right = P.PS.GetNoAutoSize()
                          ? RoundI((G.GetColWidths(G.DisplColIndex(Col)) + 4) * P.ResFactor)
                          : 65535;
    JyrHTMLE::THTMLDrawResult Res;
    {
        TTextModeScope Mode(Cv, TruncI(P.NewFont->GetSize() * G.GetFontscalefactor()));
        JyrHTMLE::THTMLDrawRequest Q;
        Q.Canvas = Cv;
        Q.fr = TRect(0, 0, Right, 65535);
        Q.Images = G.GetCellImageList(Col, Row);
        Q.CheckHeight = true;
        Q.WordWrap = true;
        Q.Print = true;
        Q.ResFactor = P.HTMLFactor;
        Q.URLColor = G.GetURLColor();
        Q.PictureContainer = G.GetPictureContainer();
        JyrHTMLE::HTMLDraw(Text, Q, Res);
    }
    const TPoint S = ToPage(Cv, Res.XSize, Res.YSize);
    return TPoint(S.X, std::max(0, S.Y - RoundI(P.FntVSpace * P.ResFactor)));
}

TPoint TPrintedCell::RTFSize(TBuildPages& P, int Col, int Row)
{
    TQorStringGrid& G = P.Grid;
    ::SetMapMode(P.Canvas->GetHandle(), MM_LOMETRIC);
    TQorRichEdit* RE = G.GetRichEdit();
    const int W = std::max(0, RoundI((G.GetColWidths(G.DisplColIndex(Col)) + 4) * P.ResFactor));
    RE->SetBounds(0, 0, W, RE->GetHeight());
    G.CellToRich(Col, Row, RE);
    // Word wrap on, off and back, and a line added and taken away: the control lays its text out
    // anew and reports the size it asks for.
    RE->SetWordWrap(true);
    RE->SetWordWrap(false);
    RE->SetWordWrap(G.GetWordWrapEx());
    RE->GetLines()->Add(L"");
    RE->GetLines()->Delete(RE->GetLines()->Count() - 1);
    const int Width = std::max(0, RE->GetReqWidth());
    const int Height = std::max(0, RE->GetReqHeight() + 4);
    return TPoint(Width, RoundI(Height * P.ResFactor));
}

TPoint TPrintedCell::PlainSize(TBuildPages& P, int Col, int Row, String Text)
{
    TQorStringGrid& G = P.Grid;
    TCanvas* Cv = P.Canvas;
    const bool WW = UseCellFont(P, Col, Row);
    int Angle = 0;
    const bool Rotated = G.IsRotated(Col, Row, Angle);
    std::optional<TTurnedFont> Turned;
    if (Rotated) Turned.emplace(Cv, -10 * Angle);
    TPoint GS(0, 0);
    if (P.PS.GetPrintGraphics()) {
        const TPoint S = G.GetCellGraphicSizeEx(Col, Row, 0);
        GS = TPoint(RoundI(S.X * P.ResFactor), RoundI(S.Y * P.ResFactor));
    }
    if (Text.empty()) Text = L"gh";

    TPoint Size;
    if (WW && P.PS.GetNoAutoSize() && !Rotated) {
        const int W = G.IsXMergedCell(Col, Row) ? 65535 : At(P.MaxWidths(), G.DisplColIndex(Col));
        UINT Flags = DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX;
        if (G.UseRightToLeftReading()) Flags |= DT_RTLREADING;
        // Measuring needs the font alone (the brush waits for what draws with it).
        if (TBuildPages::ReferencePaths) Cv->GetHandle();
        Cv->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
        HDC DC = Cv->GetRawHandle();
        // A text that fits the width whole is one line of the layout's line height.
        SIZE Whole{-1, -1};
        int H = 0;
        const bool OneLine = !(Flags & DT_RTLREADING) && !TBuildPages::ReferencePaths &&
                             QorCellText::FitsOneLine(DC, Text.c_str(), int(Text.size()), W, Whole);
        if (Whole.cx >= 0) P.KeepExtent(Col, Row, Text, Whole);
        if (OneLine) {
            H = P.LayoutLineHeight();
        } else {
            RECT M{0, 0, W, 0};
            H = ::DrawTextW(DC, Text.c_str(), int(Text.size()), &M, Flags);
        }
        Size = TPoint(W, std::abs(H));
    } else {
        const bool Multi = G.GetMultilinecells() || WW;
        String Rest = Text;
        int Lines = 0, Widest = 0;
        do {
            String Line = QorUtil::GetNextLine(Rest, Multi);
            if (G.GetURLShow() && !G.GetURLFull() && QorUtil::IsURL(Line)) QorUtil::StripURLProtocol(Line);
            Widest = std::max(Widest, Cv->TextWidth(Line));
            ++Lines;
        } while (!Rest.empty());
        const int LineH = Rotated ? std::abs(Cv->TextHeight(L"gh")) : P.GhTextHeight();
        Size = TPoint(Widest + GS.X, LineH * Lines);
        if (Rotated) Size = RotatedTextExtent(Size.X, Size.Y, Widest, Angle, true);
    }
    Turned.reset();
    Size.X = std::max(Size.X, GS.X);
    Size.Y = std::max(Size.Y, GS.Y);
    return Size;
}

// ---- One printed row ------------------------------------------------------------------------------------

int TBuildPages::BuildColumnsRow(int YPos, int Col1, int Col2, int ARow, int /*Hght*/)
{
    Grid.FPrint.Fontscalefactor = PS.GetNoAutoSizeRow() ? 1.0 : ScaleFactor;
    const int R = 2 * FntVSpace + GetRowHeight(ARow) + PS.GetRowSpacing();
    if (!DrawingThisPage() || Col2 < Col1 || ARow < 0 || ARow >= Grid.GetRowCount()) return R;
    const int Last = std::min(Col2, Grid.GetColCount() - 1);
    // Every cell starts from the canvas's pen, font and brush as the row found them; they are
    // given back once, at the row's end (and to the cell's drawing event before it runs).
    OldPen->Assign(Canvas->GetPen());
    OldFont->Assign(TrueFont());
    OldBrush->Assign(Canvas->GetBrush());
    auto Restore = ScopeExit([&] {
        SetPen(Canvas->GetPen(), OldPen.get());
        GiveBackFont(OldFont.get());
        SetBrush(Canvas->GetBrush(), OldBrush.get());
    });
    for (int u = std::max(Col1, 0); u <= Last; ++u) {
        if (!IsSelCol(u)) continue;
        TPrintedCell C(*this, u, ARow, YPos, R);
        C.Measure();
        C.TakeBorders();
        if (Grid.IsBaseCell(C.c, ARow)) {
            C.DrawFace();
            C.DrawCustom();
        }
        C.DrawBorders(u == Col1);
    }
    return R;
}

// The cell's rectangle over its merged extent.
void TPrintedCell::Measure()
{
    Ext = G.CellExt(c, ARow);
    Ext.X = std::clamp(Ext.X, 0, std::max(0, G.GetColCount() - 1 - u));
    Ext.Y = std::clamp(Ext.Y, 0, std::max(0, G.GetRowCount() - 1 - ARow));
    int W = 0;
    for (int k = u; k <= u + Ext.X; ++k) W += At(P.MaxWidths(), k) + P.Spacing;
    int H = 0;
    if (P.PS.GetNoAutoSizeRow()) {
        if (Ext.Y == 0) H = R;
        else
            for (int r = ARow; r <= ARow + Ext.Y; ++r)
                H += RoundI(G.GetRowHeights(r) * P.ResFactor) + 2 * P.FntVSpace + P.PS.GetRowSpacing() - 4;
    } else {
        H = R * (Ext.Y + 1);
    }
    const int Left = At(P.Indents(), u);
    Cell = TRect(Left, YPos, Left + W, YPos - H);
    TextArea = Cell;
}

// The sides by the border style, then the cell's own (GetCellPrintBorder); the pen it leaves is the
// borders' pen.
void TPrintedCell::TakeBorders()
{
    Sides = SidesOf(P.PS.GetBorders());
    TPen* Pen = Cv->GetPen();
    Pen->SetStyle(P.OldPen->GetStyle());
    Pen->SetMode(P.OldPen->GetMode());
    Pen->SetWidth(1);
    Pen->SetColor(P.PS.GetBorderColor());
    G.GetCellPrintBorder(c, ARow, Pen, Sides);
    PenWidth = std::max(1, Pen->GetWidth());
    PenColor = Pen->GetColor();
}

void TPrintedCell::DrawFace()
{
    {
        // 1. The look: brush, font and alignment of the cell in print, on the canvas for the cell
        // (the row's BuildColumnsRow gives the canvas its own back).
        P.NewBrush->Assign(P.OldBrush.get());
        P.NewBrush->SetStyle(bsSolid);
        UseCellFont(P, c, ARow, &HA, &VA, P.NewBrush.get(), &ColorTo);
        WW = G.GetWordWrapEx();
        G.GetCellWordWrap(c, ARow, WW);
        // The gradient painter draws with the canvas's brush. Nothing else draws with it before
        // it turns clear for the text: a one-colour cell gives it that clear brush at once, so
        // that cells of one colour leave it selected.
        const bool OneColour = ColorTo == clNone && !TBuildPages::ReferencePaths;
        if (!OneColour) SetBrush(Cv->GetBrush(), P.NewBrush.get());

        // 2. The text.
        String Text = G.HasDataCell(c, ARow) ? String() : G.GetFormattedCell(c, ARow);
        QorUtil::TTextType Type = QorUtil::TextType(Text, G.GetEnableHTML());
        if (Type == QorUtil::ttFormula) {
            Text = G.CalcCell(c, ARow);
            Type = QorUtil::ttText;
        }
        if (G.IsPassword(c, ARow)) QorUtil::StringToPassword(Text, G.FText.FPasswordChar);

        // 3. The background, clear of the borders the cell does not draw itself.
        TRect BG = Cell;
        if (!Sides.Contains(cbLeft)) BG.Left += 2 * PenWidth;
        if (!Sides.Contains(cbTop)) BG.Top -= 2 * PenWidth;
        const TColor Brush = P.NewBrush->GetColor();
        if (Brush != clNone && BG.Left < BG.Right && BG.Top > BG.Bottom) {
            const TColor OldPenColor = Cv->GetPen()->GetColor();
            if (ColorTo == clNone) {
                // One colour: the gradient painter's rectangle with pen and brush of that colour,
                // through pen and brush kept for it; the canvas's pen is left as the painter
                // leaves it (solid, one wide).
                TPen* Pen = Cv->GetPen();
                Pen->SetStyle(psSolid);
                Pen->SetWidth(1);
                P.FillPen.SetColor(TColor(ColorToRGB(Brush)));
                P.FillBrush.SetColor(TColor(ColorToRGB(Brush)));
                // The canvas's pen (its raster mode draws the rectangle); its font and brush wait
                // for what draws with them.
                if (TBuildPages::ReferencePaths) Cv->GetHandle();
                Cv->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csPenValid});
                HDC DC = Cv->GetRawHandle();
                const HGDIOBJ OldP = ::SelectObject(DC, P.FillPen.GetHandle());
                const HGDIOBJ OldB = ::SelectObject(DC, P.FillBrush.GetHandle());
                ::Rectangle(DC, BG.Left, BG.Bottom, BG.Right, BG.Top);
                ::SelectObject(DC, OldP);
                ::SelectObject(DC, OldB);
            } else {
                QorUtil::DrawGradient(Cv, ColorTo, Brush, 64, BG, false);
            }
            Cv->GetPen()->SetColor(OldPenColor);
            if (!OneColour) SetBrush(Cv->GetBrush(), P.NewBrush.get());
        }

        // 4. Alignment and turn.
        const TCellAlignment A = G.GetCellAlignment(c, ARow);
        HA = A.HAlign;
        VA = A.VAlign;
        Rotated = G.IsRotated(c, ARow, Angle);

        // 5. The widget's room; a radio group prints no text.
        CG = G.GetCellGraphic(c, ARow);
        if (CG && CG->FCellType == ctRadio) Text.clear();
        PlaceGraphic(Text);

        // 6. The text, 7. the widget.
        if (OneColour) {
            P.ClearBrush.Assign(P.NewBrush.get());
            P.ClearBrush.SetStyle(bsClear);
            SetBrush(Cv->GetBrush(), &P.ClearBrush);
        } else {
            Cv->GetBrush()->SetStyle(bsClear);
        }
        {
            std::optional<TTurnedFont> Turned;
            if (Rotated) {
                // Printing (pass 1) on the printer itself: only then is the printer asked.
                const bool Fix = P.PrintMethod == 1 && P.OnPrinter && G.GetPrinterDriverFix() &&
                                 P.GetPrinterOrientation() != 270;
                Turned.emplace(Cv, Angle * (Fix ? 10 : -10));
            }
            PrintText(Text, Type);
        }
        if (CG && P.PS.GetPrintGraphics()) DrawWidget();
    }
}

// Where the widget goes (Graphic) and the room the text keeps (TextArea).
void TPrintedCell::PlaceGraphic(const String& Text)
{
    Graphic = TRect();
    if (!CG || !P.PS.GetPrintGraphics() || !PrintsWidget(CG->FCellType)) return;
    const TCellType K = CG->FCellType;
    const TPoint S = G.GetPrintGraphicSize(c, ARow, G.GetColWidths(u), G.GetRowHeights(ARow), P.ResFactor);
    const bool Unscaled =
        (K == ctBitmap || K == ctPicture || K == ctFilePicture || K == ctInterface) && CG->FCellAngle != 0;
    const int gw = std::max(0, Unscaled ? S.X : RoundI(S.X * P.ResFactor));
    const int gh = std::max(0, Unscaled ? S.Y : RoundI(S.Y * P.ResFactor));
    TCellHAlign hal = CG->FCellHAlign;
    const TCellVAlign val = CG->FCellVAlign;
    if ((IsCheckKind(K) || K == ctRadioButton) && Text.empty()) {
        if (HA == taRightJustify) hal = haRight;
        else if (HA == taCenter) hal = haCenter;
    }
    const TRect C = Cell;
    switch (hal) {
    case haRight: case haAfterText:
        Graphic.Right = C.Right;
        Graphic.Left = C.Right - gw;
        TextArea.Right = Graphic.Left;
        break;
    case haCenter:
        Graphic.Left = C.Left + (C.Width() - gw) / 2;
        Graphic.Right = Graphic.Left + gw;
        break;
    case haFull:
        Graphic.Left = C.Left;
        Graphic.Right = C.Right;
        break;
    default:
        Graphic.Left = C.Left + RoundI(P.ResFactor);
        Graphic.Right = Graphic.Left + gw;
        TextArea.Left = Graphic.Right;
        break;
    }
    const int H = C.Top - C.Bottom;
    switch (val) {
    case vaBottom: case vaUnderText:
        Graphic.Bottom = C.Bottom;
        Graphic.Top = C.Bottom + gh;
        if (val == vaUnderText) TextArea.Bottom = Graphic.Top;
        break;
    case vaCenter:
        Graphic.Top = C.Top - (H - gh) / 2;
        Graphic.Bottom = Graphic.Top - gh;
        break;
    case vaFull:
        Graphic.Top = C.Top;
        Graphic.Bottom = C.Bottom;
        break;
    default:
        Graphic.Top = C.Top;
        Graphic.Bottom = C.Top - gh;
        if (val == vaAboveText) TextArea.Top = Graphic.Bottom;
        break;
    }
}

void TPrintedCell::PrintText(const String& Text, QorUtil::TTextType Type)
{
    const TRect& T = TextArea;
    if (Type == QorUtil::ttHTML) {
        const TRect D = ToDevice(Cv, TRect(T.Left, T.Top, T.Right - P.FntHSpace + RoundI(2 * P.ResFactor),
                                           T.Bottom - RoundI(P.FntVSpace * P.ResFactor)));
        TTextModeScope Mode(Cv, TruncI(P.NewFont->GetSize() * P.ScaleFactor));
        JyrHTMLE::THTMLDrawRequest Q;
        Q.Canvas = Cv;
        Q.fr = D;
        Q.Images = G.GetCellImageList(c, ARow);
        Q.Print = true;
        Q.WordWrap = WW;
        Q.ResFactor = P.HTMLFactor;
        Q.URLColor = G.GetURLColor();
        Q.PictureContainer = G.GetPictureContainer();
        JyrHTMLE::THTMLDrawResult Res;
        JyrHTMLE::HTMLDraw(Text, Q, Res);
        return;
    }
    if (Type == QorUtil::ttRTF) {
        G.RTFPaint(u, ARow, TRect(T.Left + 4, T.Top, T.Right, T.Bottom - 40), Cv);
        ::SetMapMode(Cv->GetHandle(), MM_LOMETRIC);
        return;
    }
    DrawPlainLines(Text);
}

void TPrintedCell::DrawPlainLines(const String& Text)
{
    HDC DC = Cv->GetHandle();
    const TRect& T = TextArea;
    const int RS = P.PS.GetRowSpacing();
    const TPoint Off = G.GetXYOffset();
    UINT HFlag = HA == taRightJustify ? DT_RIGHT : HA == taCenter ? DT_CENTER : DT_LEFT;

    const int OldAlign = ::SetTextAlign(DC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const int OldBk = ::SetBkMode(DC, TRANSPARENT);
    auto Back = ScopeExit([&] {
        ::SetTextAlign(DC, UINT(OldAlign));
        ::SetBkMode(DC, OldBk);
    });

    if (WW && P.PS.GetNoAutoSize() && !Rotated) {
        RECT rc{T.Left + 2 + P.FntHSpace, T.Top, T.Right - P.FntHSpace, T.Bottom};
        // A text that fits the width whole is one line at the top: straight to the device.
        const UINT Flags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL | HFlag;
        const SIZE* Kept = P.KeptExtent(c, ARow, Text);
        if (TBuildPages::ReferencePaths || !QorCellText::DrawSingleLine(DC, Text.c_str(), int(Text.size()), rc, Flags,
                                                                        P.LayoutLineHeight(), Kept ? Kept->cx : -1))
            ::DrawTextW(DC, Text.c_str(), int(Text.size()), &rc, Flags);
        return;
    }

    std::vector<String> Lines;
    String Rest = Text;
    do {
        String Line = QorUtil::GetNextLine(Rest, G.GetMultilinecells());
        if (G.GetURLShow() && !G.GetURLFull() && QorUtil::IsURL(Line)) QorUtil::StripURLProtocol(Line);
        Lines.push_back(Line);
    } while (!Rest.empty() && Lines.size() < 100000);
    // Plain lines in the cell's font need no turned font: its "gh" height is kept.
    const int TH = Rotated ? std::abs(Cv->TextHeight(L"gh")) : P.GhTextHeight();
    int LH = TH + RS;
    LH += LH / 8;

    auto Out = [&](int X, int Y, const String& L) { ::TextOutW(DC, X, Y, L.c_str(), int(L.size())); };

    if (Lines.size() <= 1 || (Rotated && Angle == 90)) {
        if (Rotated) {
            // The start point as on the screen, in the rectangle turned the screen's way up.
            int Widest = 0;
            for (const String& L : Lines) Widest = std::max(Widest, Cv->TextWidth(L));
            const int W = Widest, H = TH;
            const double a = Angle * 3.14159265358979323846 / 180.0;
            const int x1 = std::abs(TruncI(std::cos(a) * W)), x2 = std::abs(TruncI(std::sin(a) * H));
            const int y1 = std::abs(TruncI(std::sin(a) * W)), y2 = std::abs(TruncI(std::cos(a) * H));
            TRect S(T.Left - P.FntHSpace, -T.Top, T.Right + P.FntHSpace, -T.Bottom);
            QorGridUnit::PositionText(S, HA, VA, Angle, x1, x2, y1, y2);
            int X = S.Left;
            for (const String& L : Lines) {
                Out(X, -S.Top, L);
                X += TH;
            }
            return;
        }
        const String& L = Lines.front();
        if (G.GetEnhTextSize() && P.PS.GetNoAutoSize()) {
            RECT rc{T.Left + P.FntHSpace + Off.X, T.Top - P.FntVSpace - Off.Y, T.Right - P.FntHSpace, T.Bottom};
            ::DrawTextW(DC, L.c_str(), int(L.size()), &rc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | HFlag);
            return;
        }
        RECT rc{T.Left, T.Top - P.FntVSpace, T.Right, T.Bottom};
        if (HA != taRightJustify) rc.left += P.FntHSpace;
        if (HA != taLeftJustify) rc.right -= P.FntHSpace;
        // One plain line goes straight to the device, placed where the single-line DrawTextW
        // puts it; what that placement does not cover goes through DrawTextW.
        const UINT VFlag = VA == vtaCenter ? DT_VCENTER : VA == vtaBottom ? DT_BOTTOM : DT_TOP;
        const UINT Flags = DT_SINGLELINE | DT_NOPREFIX | HFlag | VFlag;
        if (TBuildPages::ReferencePaths ||
            !QorCellText::DrawSingleLine(DC, L.c_str(), int(L.size()), rc, Flags, P.GhTextHeight()))
            ::DrawTextW(DC, L.c_str(), int(L.size()), &rc, Flags);
        return;
    }
    // Several lines, each placed by the alignment.
    const bool Merged = Ext.X > 0 || Ext.Y > 0;
    const int Free = R - (LH - RS) * int(Lines.size());
    const int Offset = Merged ? 0 : VA == vtaCenter ? Free / 2 : VA == vtaBottom ? Free : 0;
    int Y = T.Top - Offset - P.FntVSpace;
    for (const String& L : Lines) {
        const int W = Cv->TextWidth(L);
        int X = HA == taRightJustify ? T.Right - P.FntHSpace - W
              : HA == taCenter       ? T.Left + (T.Width() - W) / 2
                                     : T.Left + P.FntHSpace;
        Out(X + Off.X, Y, L);
        Y -= LH;
        if (Y < T.Bottom - LH * 4 && Y < P.YSize) break;   // far below the page: the rest is unseen
    }
}

namespace {

// A bitmap of W x H pixels filled with Color.
std::unique_ptr<TBitmap> FilledBitmap(int W, int H, TColor Color, TPixelFormat Format = pf24bit)
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(Format);
    B->SetSize(std::clamp(W, 1, 4096), std::clamp(H, 1, 4096));
    B->GetCanvas()->GetBrush()->SetColor(Color == clNone ? clWhite : Color);
    B->GetCanvas()->FillRect(TRect(0, 0, B->GetWidth(), B->GetHeight()));
    return B;
}

}  // namespace

void TPrintedCell::DrawWidget()
{
    const TCellType K = CG->FCellType;
    const TRect& GR = Graphic;
    const double RF = P.ResFactor;
    TControlLook* L = G.GetControlLook();
    TColor GridBrush = G.GetCanvas()->GetBrush()->GetColor();
    // One image of a list on a bitmap of the list's size, onto the page at Dest.
    auto PrintImage = [&](TCustomImageList* IL, int Index, const TRect& Dest) {
        if (!IL || Index < 0 || Index >= IL->GetCount()) return;
        auto B = FilledBitmap(IL->GetWidth(), IL->GetHeight(), GridBrush);
        IL->Draw(B->GetCanvas(), 0, 0, Index);
        JyrPrintBitmap(Cv, Dest, B.get());
    };
    // A frame control drawn on a bitmap of the widget's pixel size, onto the page.
    auto PrintFrame = [&](UINT Type, UINT State, const TRect& Dest, const String& Caption) {
        const int W = std::max(1, RoundI(std::abs(Dest.Width()) / RF)), H = std::max(1, RoundI(std::abs(Dest.Top - Dest.Bottom) / RF));
        auto B = FilledBitmap(W, H, GridBrush);
        RECT rc{0, 0, B->GetWidth(), B->GetHeight()};
        ::DrawFrameControl(B->GetCanvas()->GetHandle(), &rc, Type, State);
        if (!Caption.empty()) {
            B->GetCanvas()->GetBrush()->SetStyle(bsClear);
            ::DrawTextW(B->GetCanvas()->GetHandle(), Caption.c_str(), int(Caption.size()), &rc,
                        DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        }
        JyrPrintBitmap(Cv, Dest, B.get());
    };
    auto Down = [&](TRect Rc) {
        const int D = RoundI(G.GetXYOffset().Y * RF);
        Rc.Top -= D;
        Rc.Bottom -= D;
        return Rc;
    };
    const UINT Flat = L->GetControlStyle() == QorGrid::TControlStyle(1) ? DFCS_FLAT : 0;

    switch (K) {
    case ctBitmap:
        JyrPrintBitmap(Cv, GR, dynamic_cast<TBitmap*>(CG->FCellBitmap));
        break;
    case ctIcon:
        if (auto* I = dynamic_cast<TIcon*>(CG->FCellIcon); I && !I->GetEmpty()) {
            ICONINFO II{};
            if (::GetIconInfo(I->GetHandle(), &II)) {
                StretchBitmapHandle(Cv, GR, II.hbmMask, SRCCOPY);
                if (II.hbmColor) StretchBitmapHandle(Cv, GR, II.hbmColor, SRCINVERT);
                if (II.hbmMask) ::DeleteObject(II.hbmMask);
                if (II.hbmColor) ::DeleteObject(II.hbmColor);
            }
        }
        break;
    case ctImageList:
        PrintImage(G.GetCellImageList(c, ARow), CG->FCellIndex, GR);
        break;
    case ctDataImage:
        PrintImage(G.GetCellImageList(c, ARow), CellWidgetPaint::CellInt(G.GetCellEx(c, ARow)), GR);
        break;
    case ctImages:
        if (auto* IL = G.GetCellImageList(c, ARow); IL && CG->FCellBitmap) {
            auto* Idx = dynamic_cast<TIntList*>(CG->FCellBitmap);
            const int SW = RoundI(IL->GetWidth() * RF), SH = RoundI(IL->GetHeight() * RF);
            for (int i = 0; Idx && i < Idx->GetCount() && i < 1000; ++i) {
                const int DX = CG->FCellBoolean ? i * SW : 0, DY = CG->FCellBoolean ? 0 : i * SH;
                PrintImage(IL, Idx->GetInteger(i), TRect(GR.Left + DX, GR.Top - DY, GR.Left + DX + SW, GR.Top - DY - SH));
            }
        }
        break;
    case ctCheckBox: case ctDataCheckBox: case ctVirtCheckBox: case ctRowCheckBox: case ctTriStateCheckBox: {
        bool Checked = CG->FCellBoolean;
        if (K == ctDataCheckBox) Checked = G.GetCellEx(c, ARow) == G.GetCheckTrue(c, ARow);
        if (K == ctTriStateCheckBox) Checked = CG->FCellCheckBoxState == cbChecked;
        PrintFrame(DFC_BUTTON, DFCS_BUTTONCHECK | (Checked ? DFCS_CHECKED : 0) | Flat, Down(GR), String());
        break;
    }
    case ctRadioButton:
        PrintFrame(DFC_BUTTON, DFCS_BUTTONRADIO | (CG->FCellBoolean ? DFCS_CHECKED : 0) | Flat, Down(GR), String());
        break;
    case ctRadio:
        G.DrawRadio(Cv, GR, CG->FCellAngle, CG->FCellIndex, CG->FCellBoolean, false,
                    dynamic_cast<TStrings*>(CG->FCellBitmap), false, u, ARow, L->GetControlStyle(), RF, true);
        break;
    case ctNode: {
        const int CX = (GR.Left + GR.Right) / 2, CY = (GR.Top + GR.Bottom) / 2;
        TPen* Pen = Cv->GetPen();
        Pen->SetColor(G.GetCellNode()->GetNodeColor());
        Pen->SetWidth(2);
        Cv->GetBrush()->SetStyle(bsClear);
        Cv->Rectangle(TRect(CX - 10, CY + 10, CX + 10, CY - 10));
        Cv->MoveTo(CX - 6, CY);
        Cv->LineTo(CX + 7, CY);
        if (CG->FCellBoolean) {
            Cv->MoveTo(CX, CY + 6);
            Cv->LineTo(CX, CY - 7);
        }
        break;
    }
    case ctPicture:
        if (auto* Pic = dynamic_cast<TPicture*>(CG->FCellBitmap); Pic && Pic->GetGraphic() && !Pic->GetGraphic()->GetEmpty()) {
            TGraphic* Gr = Pic->GetGraphic();
            auto B = FilledBitmap(Gr->GetWidth(), Gr->GetHeight(), P.NewBrush->GetColor());
            const TColor From = P.NewBrush->GetColor();
            const TColor To = ColorTo == TColor(0x1FFFFFFF) ? From : ColorTo;
            TBackGround* BGD = G.GetBackGround();
            QorDropDown::DrawGradient(B->GetCanvas(), From, To, 128, TRect(0, 0, B->GetWidth(), B->GetHeight()),
                           BGD && BGD->GetDisplay() == bdGradientHorz);
            B->GetCanvas()->StretchDraw(TRect(0, 0, B->GetWidth(), B->GetHeight()), Gr);
            JyrPrintBitmap(Cv, GR, B.get());
        }
        break;
    case ctFilePicture:
        if (auto* F = dynamic_cast<TFilePicture*>(CG->FCellBitmap); F && FileExists(F->GetFileName())) {
            auto B = FilledBitmap(F->GetWidth(), F->GetHeight(), clWhite);
            F->DrawPicture(B->GetCanvas(), TRect(0, 0, B->GetWidth(), B->GetHeight()));
            JyrPrintBitmap(Cv, GR, B.get());
        }
        break;
    case ctProgress: {
        TRect PR(GR.Left, GR.Top - RoundI(2 * RF), TextArea.Right, GR.Bottom + RoundI(4 * RF));
        TColor T1 = TColor(CG->FCellIndex), T2 = TColor(CG->FCellAngle);
        if (!CG->FCellBoolean) {
            T1 = TColor(ColorToRGB(CG->FCellBitmapColor) ^ 0xFFFFFF);
            T2 = TColor(ColorToRGB(CG->FCellIconColor) ^ 0xFFFFFF);
        }
        QorUtil::DrawProgressLin(Cv, PR, CG->FCellBitmapColor, T1, CG->FCellIconColor, T2,
                                 CellWidgetPaint::CellInt(G.GetCellEx(c, ARow)), L->GetProgressMarginX(),
                                 L->GetProgressMarginY(), CG->FCellErrFrom, CG->FCellErrLen, int(CG->FCellValue),
                                 CG->FCellText, L->GetProgressBorderColor(), true);
        break;
    }
    case ctProgressPie:
        QorUtil::DrawProgressPie(Cv, GR, TColor(CG->FCellErrFrom), CG->FCellAngle, true);
        break;
    case ctButton: case ctBitButton: case ctVirtButton: {
        const TRect BR(GR.Left, GR.Top, GR.Right, GR.Bottom);
        PrintFrame(DFC_BUTTON, DFCS_BUTTONPUSH, BR, CG->FCellText);
        break;
    }
    case ctInterface:
        if (auto* I = dynamic_cast<ICellGraphic*>(CG->FCellBitmap)) {
            int W = I->CellWidth(), H = I->CellHeight();
            if (W <= 0) W = RoundI(std::abs(GR.Width()) / RF);
            if (H <= 0) H = RoundI(std::abs(GR.Top - GR.Bottom) / RF);
            auto B = FilledBitmap(W, H, clWhite);
            I->Draw(B->GetCanvas(), TRect(0, 0, B->GetWidth(), B->GetHeight()), c, ARow, false, TGridDrawState{});
            JyrPrintBitmap(Cv, GR, B.get());
        }
        break;
    case ctShape:
        QorUtil::DrawShape(Cv, GR.Left, GR.Bottom, GR.Width(), GR.Top - GR.Bottom,
                           QorUtil::TCellShape(std::clamp(CG->FCellAngle, 0, int(QorUtil::csHalfStar))),
                           TColor(CG->FCellIndex), CG->FCellBitmapColor);
        break;
    case ctNone:
        if (!CG->FCellComment.empty() && P.PS.GetPrintComments()) {
            const int Leg = RoundI(8 * RF);
            Cv->GetPen()->SetColor(clRed);
            Cv->GetPen()->SetWidth(1);
            Cv->GetBrush()->SetStyle(bsSolid);
            Cv->GetBrush()->SetColor(clRed);
            const TPoint Tri[] = {{Cell.Right - Leg, Cell.Top}, {Cell.Right, Cell.Top}, {Cell.Right, Cell.Top - Leg}};
            Cv->Polygon(Tri, 3);
        }
        break;
    default: break;
    }
}

// The cell's own drawing event, in device units with the print font's size.
void TPrintedCell::DrawCustom()
{
    if (!G.OnCustomCellDraw) return;
    // The event sees the canvas's font and brush as the row found them.
    Cv->GetFont()->Assign(P.OldFont.get());
    SetBrush(Cv->GetBrush(), P.OldBrush.get());
    const TRect D = ToDevice(Cv, TRect(Cell.Left, YPos, Cell.Right, YPos - R));
    TTextModeScope Mode(Cv, P.PS.GetFont()->GetSize());
    G.OnCustomCellDraw(&G, Cv, c, ARow, TGridDrawState{}, D, true);
}

void TPrintedCell::DrawBorders(bool BandFirst)
{
    TCellBorders S = Sides;
    TRect B = Cell;
    if (!G.IsBaseCell(c, ARow)) {
        const TRect F = G.FullCell(c, ARow);
        if (F.Right > F.Left) S -= TCellBorders{cbLeft, cbRight};
        if (F.Bottom > F.Top) S -= TCellBorders{cbTop, cbBottom};
    } else {
        if (G.IsYMergedCell(c, ARow) && Ext.Y == 0) S >> cbTop;
        if (G.IsXMergedCell(c, ARow) && Ext.X == 0) S >> cbLeft;
    }
    // Cut by the page's footer room: one row high, open at the bottom.
    if (B.Bottom < P.YSize + P.FooterSize) {
        B.Bottom = YPos - R;
        S >> cbBottom;
    }
    if (B.Right > P.XSize) B.Right = At(P.Indents(), P.EndCol + 1);
    if (S.Empty()) return;
    TPen* Pen = Cv->GetPen();
    Pen->SetWidth(PenWidth);
    Pen->SetColor(PenColor);
    const int LX = BandFirst ? B.Left : B.Left - PenWidth;
    // A solid pen copied onto the page draws the sides alike one by one or as one set of lines
    // (no dash pattern runs on from one side to the next); the pen ends where the last side does.
    POINT Ends[8];
    DWORD Counts[4];
    int Sides = 0;
    bool OneCall = false;
    if (!TBuildPages::ReferencePaths && Pen->GetStyle() == psSolid) {
        Cv->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csPenValid, TCanvasStateFlag::csBrushValid});
        OneCall = ::GetROP2(Cv->GetRawHandle()) == R2_COPYPEN;
    }
    auto Line = [&](int X1, int Y1, int X2, int Y2) {
        if (!OneCall) {
            Cv->MoveTo(X1, Y1);
            Cv->LineTo(X2, Y2);
            return;
        }
        Ends[2 * Sides] = POINT{X1, Y1};
        Ends[2 * Sides + 1] = POINT{X2, Y2};
        Counts[Sides++] = 2;
    };
    auto Draw = ScopeExit([&] {
        if (!OneCall || Sides == 0) return;
        ::PolyPolyline(Cv->GetRawHandle(), Ends, Counts, DWORD(Sides));
        Cv->MoveTo(Ends[2 * Sides - 1].x, Ends[2 * Sides - 1].y);
    });
    if (S.Contains(cbLeft)) Line(LX, B.Top, LX, B.Bottom);
    if (S.Contains(cbRight)) Line(B.Right, B.Top, B.Right, B.Bottom);
    if (S.Contains(cbTop)) Line(LX, B.Top, B.Right, B.Top);
    if (S.Contains(cbBottom)) Line(LX, B.Bottom, B.Right, B.Bottom);
}
