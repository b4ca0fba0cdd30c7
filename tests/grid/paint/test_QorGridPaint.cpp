// The cell painting pipeline read back by pixels: colours the precedence gives (bands, fixed
// cells, own colours, selection), the fixed edges of a look, alignment, word wrap and several
// lines, markup, URLs, ellipsis, rich text, the selection rectangle and resizer, the modified
// marker, always-visible editor buttons, the order of the drawing events, and zoom at its
// extremes. Snapshots of a tournament-like sheet and of the text kinds for a person to look at.
#include "tests/grid/paint/CellPaintKit.h"

#include "grid/store/QorGridOptions.h"
#include "graphics/QorUtil.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

using namespace cellpaint;

namespace {

constexpr TColor Plain = TColor(0x00FFFFFF);
constexpr TColor Fixed = TColor(0x00D8D8D8);

struct GridPaint : ::testing::Test {
    static constexpr int Cols = 5, Rows = 8;
    TForm* Form = ui::NewForm(Cols * CW, Rows * RH);
    ui::FormGuard Guard{Form};
    TPaintGrid* G = NewPaintGrid(Form, Cols, Rows);
    TDibSurface S{Cols * CW, Rows * RH, clBlack};

    GridPaint()
    {
        G->SetColor(Plain);
        G->SetFixedColor(Fixed);
        G->GetFont()->SetName(L"Arial");
        G->GetFont()->SetSize(9);
        G->GetFont()->SetColor(clBlack);
    }
    void Paint()
    {
        S.Fill(clBlack);
        PaintWindowInto(G->GetHandle(), S, true);
    }
    // The face of a normal cell less its text inset: where its text may go.
    static TRect TextArea(int c, int r) { return {c * CW + 3, r * RH + 3, (c + 1) * CW - 3, (r + 1) * RH - 2}; }
    TRect Ink(int c, int r, TColor Bk = Plain) const { return S.InkBounds(Face(c, r), Bk); }
    // Pixels of a colour family (anti-aliased text keeps its hue, not its exact colour).
    int Reddish(const TRect& R) const { return Count(R, [](int r, int g, int b) { return r > 150 && g < 110 && b < 110; }); }
    int Bluish(const TRect& R) const { return Count(R, [](int r, int g, int b) { return b > 150 && r < 110 && g < 110; }); }
    template <class F>
    int Count(const TRect& R, F Test) const
    {
        int N = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x) {
                const TColor C = S.Pixel(x, y);
                if (Test(GetRValue(C), GetGValue(C), GetBValue(C))) ++N;
            }
        return N;
    }
};

// A grid whose cells may be painted each with its own clip, or (as the grid does) a plain cell
// without one; and with or without the paint's shortcuts (lines joined into runs).
class TClipSwitchGrid : public TPaintGrid {
public:
    explicit TClipSwitchGrid(TComponent* AOwner) : TPaintGrid(AOwner) {}
    bool ClipEveryCell = false;
    void SetShortcuts(bool On) { FJoinPaintLines = On; }
    void SetPaintShortcuts(bool On) { FPaintShortcuts = On; }
    using TBaseGrid::PaintTextWidth;
    int Prefills = 0;   // paints that offered a colour to fill the cells' area with

private:
    bool CellPaintsInside(int, int) override { return !ClipEveryCell; }
    TColor PaintPrefillColor() override
    {
        const TColor C = TPaintGrid::PaintPrefillColor();
        if (C != clNone && FPaintShortcuts) ++Prefills;
        return C;
    }
};

// The grid painted into A with Switch(true) and into B with Switch(false): the pixels that differ.
int DiffBothWays(TClipSwitchGrid* G, TDibSurface& A, TDibSurface& B, const std::function<void(bool)>& Switch)
{
    for (TDibSurface* S : {&A, &B}) {
        Switch(S == &A);
        S->Fill(clBlack);
        PaintWindowInto(G->GetHandle(), *S, true);
    }
    return A.DiffCount(B);
}

// A grid of Cols x Rows on its form, a seeded random source and two surfaces: a screen painted
// two ways, compared pixel for pixel.
struct TSeededScreens {
    const int Cols, Rows;
    TForm* Form;
    ui::FormGuard Guard;
    TClipSwitchGrid* G;
    std::mt19937 Rng;
    TDibSurface A, B;
    TSeededScreens(int C, int R, unsigned Seed)
        : Cols(C), Rows(R), Form(ui::NewForm(C * CW, R * RH)), Guard{Form},
          G(NewPaintGrid<TClipSwitchGrid>(Form, C, R)), Rng(Seed), A(C * CW, R * RH, clBlack),
          B(C * CW, R * RH, clBlack)
    {
        G->GetFont()->SetName(L"Tahoma");
    }
    int Pick(int n) { return int(Rng() % unsigned(n)); }
    // The pixels that differ between the screen painted with Switch(true) and with Switch(false).
    int Diff(const std::function<void(bool)>& Switch) { return DiffBothWays(G, A, B, Switch); }
};

// One random screen of texts, kinds, colours, alignments, looks and selections.
void RandomScreen(TClipSwitchGrid* G, std::mt19937& Rng, int Cols, int Rows)
{
    auto Pick = [&](int n) { return int(Rng() % unsigned(n)); };
    static const String Texts[] = {L"", L"Bord 12", L"4♠ N", L"-420", L"<b>b</b> <i>i</i>", L"http://x.dk",
                                   L"a\nb\nc", L"one two three four five six seven eight", L"Kontrakt Kontrakt Kontrakt"};
    const TGridLook Looks[] = {glStandard, glSoft, glClassic, glXP, glVista, glOffice2007};
    const TAlignment HA[] = {taLeftJustify, taCenter, taRightJustify};
    const TVAlignment VA[] = {vtaTop, vtaCenter, vtaBottom};
    for (int i = 0; i < 14; ++i) {
        const int c = Pick(Cols), r = Pick(Rows);
        G->SetCellEx(c, r, Texts[Pick(9)]);
        switch (Pick(7)) {
        case 0: G->GetCellProperties(c, r)->SetBrushColor(TColor(Rng() & 0xFFFFFF)); break;
        case 1: G->GetCellProperties(c, r)->SetAlignment(HA[Pick(3)]); break;
        case 2: G->GetCellProperties(c, r)->SetWordWrap(Pick(2) == 0); break;
        case 3: G->AddCheckBox(c, r, Pick(2) == 0, false); break;
        case 4: G->GetCellProperties(c, r)->SetFontColor(TColor(Rng() & 0xFFFFFF)); break;
        default: break;
        }
    }
    G->SetLook(Looks[Pick(6)]);
    G->SetVAlignment(VA[Pick(3)]);
    G->GetBands()->SetActive(Pick(2) == 0);
    G->SetMultilinecells(Pick(2) == 0);
    G->SetURLShow(Pick(2) == 0);
    G->SetSelectionRectangle(Pick(4) == 0);
    G->SetSelectionColor(Pick(2) == 0 ? clNone : TColor(0x00C08040));
    const int L = 1 + Pick(Cols - 1), T = 1 + Pick(Rows - 1);
    G->SetSelection(TGridRect{L, T, std::min(Cols - 1, L + Pick(3)), std::min(Rows - 1, T + Pick(3))});
}

}  // namespace

TEST_F(GridPaint, ColoursOnScreenFollowThePrecedence)
{
    G->SetLook(glClassic);
    G->SetColor(Plain);
    G->SetFixedColor(Fixed);
    TBands* B = G->GetBands();
    B->SetPrimaryColor(TColor(0x00E0FFE0));
    B->SetSecondaryColor(TColor(0x00FFE0E0));
    B->SetActive(true);
    G->GetCellProperties(2, 3)->SetBrushColor(TColor(0x0000C0FF));
    G->SetSelectionColor(TColor(0x00C08040));
    G->SetSelection(TGridRect{3, 4, 3, 4});
    Paint();
    EXPECT_EQ(S.Pixel(Blank(2, 1).X, Blank(2, 1).Y), TColor(0x00E0FFE0));
    EXPECT_EQ(S.Pixel(Blank(2, 2).X, Blank(2, 2).Y), TColor(0x00FFE0E0));
    EXPECT_EQ(S.Pixel(Blank(2, 3).X, Blank(2, 3).Y), TColor(0x0000C0FF));   // own colour over the band
    EXPECT_EQ(S.Pixel(Blank(3, 4).X, Blank(3, 4).Y), TColor(0x00C08040));   // selection over the band
    EXPECT_EQ(S.Pixel(Blank(0, 3).X, Blank(0, 3).Y), Fixed);
    EXPECT_EQ(S.Pixel(Blank(2, 0).X, Blank(2, 0).Y), Fixed);
}

TEST_F(GridPaint, FixedEdgesOfTheXPLook)
{
    G->SetLook(glXP);
    G->SetOptions(G->GetOptions() + TGridOptions{goFixedHorzLine, goFixedVertLine});
    Paint();
    const TColor Dark = ColorToRGB(QorUtil::DarkenColor(Fixed));
    // A white line along the top of the header cell, a dark one along its bottom.
    EXPECT_EQ(S.Pixel(2 * CW + 20, 0), TColor(0x00FFFFFF));
    EXPECT_EQ(S.Pixel(2 * CW + 20, RH - 1), Dark);
    EXPECT_EQ(S.Pixel(2 * CW + 20, RH / 2), Fixed);
}

TEST_F(GridPaint, AlignmentPlacesTheText)
{
    G->SetRowHeights(2, 60);
    struct Case {
        TAlignment H;
        TVAlignment V;
    } Cases[] = {{taLeftJustify, vtaTop}, {taRightJustify, vtaCenter}, {taCenter, vtaBottom}};
    for (const Case& c : Cases) {
        G->GetCellProperties(1, 2)->SetAlignment(c.H);
        G->SetVAlignment(c.V);
        G->SetCellEx(1, 2, L"Bord 12");
        Paint();
        const TRect F(CW, 2 * RH, 2 * CW - 1, 2 * RH + 60 - 1);
        const TRect I = S.InkBounds(F, Plain);
        ASSERT_FALSE(I.IsEmpty()) << int(c.H);
        if (c.H == taLeftJustify) {
            EXPECT_LE(I.Left - F.Left, 6);
        }
        if (c.H == taRightJustify) {
            EXPECT_LE(F.Right - I.Right, 7);
        }
        if (c.H == taCenter) {
            EXPECT_NEAR((I.Left + I.Right) / 2, (F.Left + F.Right) / 2, 3);
        }
        if (c.V == vtaTop) {
            EXPECT_LE(I.Top - F.Top, 7);
        }
        if (c.V == vtaCenter) {
            EXPECT_NEAR((I.Top + I.Bottom) / 2, (F.Top + F.Bottom) / 2, 4);
        }
        if (c.V == vtaBottom) {
            EXPECT_LE(F.Bottom - I.Bottom, 7);
        }
    }
}

TEST_F(GridPaint, WordWrapAndSeveralLines)
{
    G->SetRowHeights(1, 70);
    G->SetRowHeights(2, 70);
    G->SetCellEx(1, 1, L"one two three four five six seven");
    G->SetCellEx(2, 1, L"one two three four five six seven");
    G->GetCellProperties(2, 1)->SetWordWrap(true);
    G->GetCellProperties(1, 1)->SetWordWrap(false);
    G->SetMultilinecells(true);
    G->SetVAlignment(vtaCenter);
    G->SetCellEx(3, 2, L"a\r\nb\r\nc");
    Paint();
    const TRect One = S.InkBounds(TRect(CW, RH, 2 * CW - 1, RH + 69), Plain);
    const TRect Wrapped = S.InkBounds(TRect(2 * CW, RH, 3 * CW - 1, RH + 69), Plain);
    EXPECT_LT(One.Height(), 16);
    EXPECT_GT(Wrapped.Height(), 2 * One.Height());
    // Three lines centred as a block.
    const TRect Lines = S.InkBounds(TRect(3 * CW, RH + 70, 4 * CW - 1, RH + 139), Plain);
    EXPECT_GT(Lines.Height(), 2 * One.Height());
    EXPECT_NEAR((Lines.Top + Lines.Bottom) / 2, RH + 70 + 35, 6);
}

TEST_F(GridPaint, MarkupURLAndEllipsis)
{
    G->SetCellEx(1, 1, L"<b>Bold</b> <font color=\"clRed\">red</font>");
    G->SetCellEx(1, 2, L"http://example.com/x");
    G->GetCellProperties(1, 2)->SetWordWrap(false);
    G->SetURLShow(true);
    G->SetCellEx(1, 3, L"A long text that does not fit in its cell at all");
    Paint();
    EXPECT_GT(Reddish(Face(1, 1)), 5);
    EXPECT_EQ(Reddish(Face(2, 1)), 0);
    // The URL in the link colour, without its protocol.
    EXPECT_GT(Bluish(Face(1, 2)), 5);
    const TRect Short = Ink(1, 2);
    G->SetURLFull(true);
    Paint();
    EXPECT_GT(Ink(1, 2).Width(), Short.Width() - 1);
    const TRect Cut = Ink(1, 3);
    // With EnhTextSize the long text ends in an ellipsis: the same room, other pixels.
    TDibSurface Before(S.Width(), S.Height());
    PaintWindowInto(G->GetHandle(), Before, true);
    G->SetEnhTextSize(true);
    G->Invalidate();
    Paint();
    const TRect Ell = Ink(1, 3);
    EXPECT_LE(Ell.Right, 2 * CW - 1);
    EXPECT_LE(Cut.Right, 2 * CW - 1);
    EXPECT_GT(S.DiffCount(Before), 0);
}

TEST_F(GridPaint, RichTextHasInkAndGarbageDoesNotRaise)
{
    G->SetRowHeights(1, 40);
    G->SetCellEx(1, 1, L"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Hello \\b world\\b0\\par}");
    G->SetCellEx(2, 1, L"{\\rtf1 {{{{\\x\\y\\z \\bin999999 ");
    G->SetCellEx(3, 1, L"{\\rtf1}");
    EXPECT_NO_THROW(Paint());
    EXPECT_GT(S.InkCount(TRect(CW + 1, RH + 1, 2 * CW - 2, RH + 39), Plain), 10);
    // The canvas keeps its mapping mode.
    EXPECT_EQ(::GetMapMode(G->GetCanvas()->GetHandle()), MM_TEXT);
}

TEST_F(GridPaint, SelectionRectangleAndResizer)
{
    G->SetSelectionRectangle(true);
    G->SetSelectionResizer(true);
    G->SetSelectionColor(Plain);
    G->SetSelection(TGridRect{1, 2, 2, 3});
    Paint();
    auto Black = [&](const TRect& R) { return S.CountColor(R, TColor(0)); };
    // Left edge of the left column, right edge of the right column, top of the top row.
    EXPECT_GT(Black(TRect(CW - 1, 2 * RH + 4, CW + 3, 4 * RH - 4)), 2 * RH - 10);
    EXPECT_GT(Black(TRect(3 * CW - 4, 2 * RH + 4, 3 * CW + 1, 4 * RH - 4)), 2 * RH - 10);
    EXPECT_GT(Black(TRect(CW + 5, 2 * RH - 2, 3 * CW - 5, 2 * RH + 2)), 2 * CW - 20);
    // No line inside the selection.
    EXPECT_EQ(Black(TRect(2 * CW - 20, 2 * RH + 4, 2 * CW - 10, 4 * RH - 4)), 0);
    // The resizer: a filled square at the bottom right of the last cell.
    EXPECT_GE(Black(TRect(3 * CW - 8, 4 * RH - 8, 3 * CW, 4 * RH)), 12);
}

TEST_F(GridPaint, ModifiedMarkerAndEditorButtons)
{
    G->GetShowModified()->SetEnabled(true);
    G->GetShowModified()->SetColor(TColor(0x0000FFFF));
    G->SetRowModified(3, true);
    G->GetControlLook()->SetDropDownAlwaysVisible(true);
    G->SetDefaultEditor(edComboList);
    G->SetCellEx(2, 2, L"WWWWWWWWWWWWWWWWWWWWWWWW");
    Paint();
    EXPECT_GE(S.CountColor(TRect(CW - 6, 3 * RH + 2, CW - 1, 4 * RH - 2), TColor(0x0000FFFF)), 3 * (RH - 6));
    EXPECT_EQ(S.CountColor(TRect(CW - 6, 2 * RH + 2, CW - 1, 3 * RH - 2), TColor(0x0000FFFF)), 0);
    // The drop-down button sits at the right of the cell; the text stops before it.
    EXPECT_GT(S.InkCount(TRect(3 * CW - 14, 2 * RH + 2, 3 * CW - 4, 3 * RH - 3), Plain), 10);
    const TRect Text = S.InkBounds(TRect(2 * CW, 2 * RH + 4, 3 * CW - 20, 3 * RH - 4), Plain);
    EXPECT_LE(Text.Right, 3 * CW - 16);
}

TEST_F(GridPaint, DrawingEventsComeInOrderWithTheRealColumn)
{
    std::vector<std::string> Log;
    G->OnCustomCellBkgDraw = [&](TObject*, TCanvas*, int c, int r, TGridDrawState, TRect, bool P) {
        if (r == 2) Log.push_back("bkg " + std::to_string(c) + (P ? " print" : ""));
    };
    G->OnDrawCell = [&](TObject*, int c, int r, TRect, TGridDrawState) {
        if (r == 2) Log.push_back("draw " + std::to_string(c));
    };
    G->OnCustomCellDraw = [&](TObject*, TCanvas*, int c, int r, TGridDrawState, TRect, bool) {
        if (r == 2) Log.push_back("custom " + std::to_string(c));
    };
    G->HideColumn(1);
    Paint();
    // Display column 1 is real column 2 once column 1 is hidden.
    const std::vector<std::string> Want{"bkg 0",    "draw 0",   "custom 0", "bkg 2", "draw 2",
                                        "custom 2", "bkg 3",    "draw 3",   "custom 3", "bkg 4",
                                        "draw 4",   "custom 4"};
    EXPECT_EQ(Log, Want);
}

TEST_F(GridPaint, ZoomAtItsExtremesPaintsWithoutRaising)
{
    G->SetCellEx(1, 1, L"Zoomed text");
    Paint();
    const TRect Normal = Ink(1, 1);
    for (int Zoom : {-G->GetFont()->GetSize(), -1000, 300, 1000}) {
        G->SetZoomFactor(Zoom);
        EXPECT_NO_THROW(Paint()) << Zoom;
    }
    G->SetZoomFactor(-G->GetFont()->GetSize());
    Paint();
    EXPECT_LT(Ink(1, 1).Height(), Normal.Height());
    G->SetZoomFactor(0);
}

TEST_F(GridPaint, SnapshotOfATournamentSheet)
{
    TForm* F = ui::NewForm(7 * 72, 13 * 22);
    ui::FormGuard FG{F};
    TPaintGrid* T = NewPaintGrid(F, 7, 13, 72, 22);
    T->GetFont()->SetName(L"Tahoma");
    T->GetFixedFont()->SetName(L"Tahoma");
    T->GetFixedFont()->SetStyle(TFontStyles{fsBold});
    const wchar_t* Head[] = {L"Bord", L"NS", L"ØV", L"Kontrakt", L"Udspil", L"Stik", L"Point"};
    for (int c = 0; c < 7; ++c) T->SetCellEx(c, 0, Head[c]);
    const wchar_t* Contracts[] = {L"4♠ N", L"3NT S", L"2♥x Ø", L"5♦ V", L"1NT N", L"6♣ S"};
    const wchar_t* Leads[] = {L"♥K", L"♠5", L"♦A", L"♣Q", L"♥2", L"♦J"};
    for (int r = 1; r < 13; ++r) {
        T->SetCellEx(0, r, IntToStr(r));
        T->SetCellEx(1, r, IntToStr(r % 7 + 1));
        T->SetCellEx(2, r, IntToStr((r * 3) % 7 + 8));
        T->SetCellEx(3, r, Contracts[r % 6]);
        T->SetCellEx(4, r, Leads[r % 6]);
        T->SetCellEx(5, r, IntToStr(7 + r % 6));
        T->SetCellEx(6, r, IntToStr((r % 2 ? 1 : -1) * (50 + 10 * r)));
    }
    T->SetAutoNumAlign(true);
    T->GetAutoColor()->GetNegativeNumber()->SetTextColor(clRed);
    T->GetBands()->SetActive(true);
    T->SetCol(6);
    T->SetRow(12);
    TDibSurface Sheet(7 * 72, 13 * 22, clBlack);
    PaintWindowInto(T->GetHandle(), Sheet, true);
    EXPECT_TRUE(Sheet.SavePng(SnapshotPath(L"cellpaint_tournament.png")));
    // Negative points in red, right-aligned.
    const TRect Pts(6 * 72, 2 * 22, 7 * 72 - 1, 3 * 22 - 1);
    const TRect I = Sheet.InkBounds(Pts, Sheet.Pixel(6 * 72 + 3, 2 * 22 + 3));
    EXPECT_GT(I.Left, 6 * 72 + 30);
}

// An index sort marks each of its columns' headers: with IndexShow every key shows its
// position on the index colour; without it only the first key shows the direction triangle.
TEST_F(GridPaint, IndexSortMarksEveryKeyColumnHeader)
{
    TSortSettings* SS = G->GetSortSettings();
    SS->SetShow(true);
    SS->SetIndexShow(true);
    SS->SetIndexColor(clYellow);
    for (int c = 1; c < Cols; ++c) G->SetCellEx(c, 0, L"H");
    G->GetSortIndexes()->AddIndex(3, true);
    G->GetSortIndexes()->AddIndex(1, false);
    const TColor Yellow = ColorToRGB(clYellow), Shade = TColor(0x808080);
    Paint();
    EXPECT_TRUE(S.SavePng(SnapshotPath(L"cellpaint_indexsort.png")));
    EXPECT_GT(S.CountColor(Face(3, 0), Yellow), 10);
    EXPECT_GT(S.CountColor(Face(1, 0), Yellow), 10);
    EXPECT_EQ(S.CountColor(Face(2, 0), Yellow), 0);
    EXPECT_EQ(S.CountColor(Face(4, 0), Yellow), 0);
    // Only the header row carries the marks.
    EXPECT_EQ(S.CountColor(Face(3, 1), Yellow), 0);

    SS->SetIndexShow(false);
    Paint();
    EXPECT_EQ(S.CountColor(TRect(0, 0, Cols * CW, RH), Yellow), 0);
    EXPECT_GT(S.CountColor(Face(3, 0), Shade), 0);   // the first key: its triangle
    EXPECT_EQ(S.CountColor(Face(1, 0), Shade), 0);   // a later key: nothing
}

// URLColor also colours the links of markup cells, so it repaints whenever it changes; URLFull
// changes only what URLShow shows, so it repaints only then.
TEST_F(GridPaint, URLSettersRepaintWhenWhatIsShownChanges)
{
    G->SetCellEx(1, 1, L"<a href=\"x\">link link link</a>");
    Paint();
    EXPECT_GT(S.CountColor(Face(1, 1), ColorToRGB(clBlue)), 5);
    ShowWindow(Form->GetHandle(), SW_SHOWNOACTIVATE);
    const HWND H = G->GetHandle();
    auto Pending = [H] {
        RECT U{};
        return GetUpdateRect(H, &U, FALSE) != FALSE;
    };
    struct TCase {
        bool URLShow;
        std::function<void()> Change;
        bool Repaints;
        const char* Name;
    } const Cases[] = {
        {false, [this] { G->SetURLColor(clRed); }, true, "colour, links hidden"},
        {false, [this] { G->SetURLColor(clRed); }, false, "colour unchanged"},
        {false, [this] { G->SetURLFull(true); }, false, "full, links hidden"},
        {true, [this] { G->SetURLFull(false); }, true, "full, links shown"},
        {true, [this] { G->SetURLFull(false); }, false, "full unchanged"},
    };
    for (const TCase& K : Cases) {
        G->SetURLShow(K.URLShow);
        ValidateRect(H, nullptr);
        K.Change();
        EXPECT_EQ(Pending(), K.Repaints) << K.Name;
    }
    EXPECT_TRUE(G->GetURLFull() == false);
    Paint();
    EXPECT_GT(S.CountColor(Face(1, 1), ColorToRGB(clRed)), 5);
    EXPECT_EQ(S.CountColor(Face(1, 1), ColorToRGB(clBlue)), 0);
}

// Turned text lies wholly inside its cell, the clip never cutting it, at every angle and
// vertical alignment; the alignments move it the way they say.
TEST(GridPaintRotated, TurnedTextStaysInsideItsCell)
{
    constexpr int W = 130, H = 100;
    TForm* F = ui::NewForm(2 * W, 2 * H);
    ui::FormGuard FG{F};
    TPaintGrid* T = NewPaintGrid(F, 2, 2, W, H);
    T->SetFixedRows(0);
    T->SetFixedCols(0);
    T->SetColor(clWhite);
    T->GetFont()->SetName(L"Arial");
    T->GetFont()->SetSize(10);
    T->SetCol(0);
    T->SetRow(0);
    const TRect Cell(W, H, 2 * W - 1, 2 * H - 1);
    const TRect Inner(Cell.Left + 2, Cell.Top + 2, Cell.Right - 2, Cell.Bottom - 2);
    for (int Angle : {30, 45, 90, 270, 330}) {
        int Tops[3] = {};
        for (TVAlignment V : {vtaTop, vtaCenter, vtaBottom}) {
            SCOPED_TRACE(String(L"angle ") + IntToStr(Angle) + L" valign " + IntToStr(int(V)));
            T->SetVAlignment(V);
            T->AddRotated(1, 1, Angle, L"Drejet gq");
            TDibSurface S(2 * W, 2 * H, clBlack);
            PaintWindowInto(T->GetHandle(), S, true);
            const TRect Ink = S.InkBounds(Cell, clWhite);
            ASSERT_FALSE(Ink.IsEmpty());
            EXPECT_GE(Ink.Left, Inner.Left);
            EXPECT_GE(Ink.Top, Inner.Top);
            EXPECT_LE(Ink.Right, Inner.Right);
            EXPECT_LE(Ink.Bottom, Inner.Bottom);
            Tops[int(V)] = Ink.Top;
        }
        EXPECT_LT(Tops[vtaTop], Tops[vtaCenter]) << Angle;
        EXPECT_LT(Tops[vtaCenter], Tops[vtaBottom]) << Angle;
    }
}

TEST_F(GridPaint, SnapshotOfTheTextKinds)
{
    TForm* F = ui::NewForm(2 * 180, 8 * 40);
    ui::FormGuard FG{F};
    TPaintGrid* T = NewPaintGrid(F, 2, 8, 180, 40);
    T->SetFixedRows(0);
    T->SetMultilinecells(true);
    T->SetURLShow(true);
    const wchar_t* Names[] = {L"markup", L"rotated", L"multi-line", L"ellipsis", L"URL", L"RTF", L"search", L"wrap"};
    for (int r = 0; r < 8; ++r) T->SetCellEx(0, r, Names[r]);
    T->SetCellEx(1, 0, L"<b>Fed</b> <i>kursiv</i> <font color=\"clRed\">rød ♥</font>");
    T->AddRotated(1, 1, 30, L"Drejet tekst");
    T->SetCellEx(1, 2, L"Første linje\r\nAnden linje");
    T->SetCellEx(1, 3, L"En meget lang tekst der ikke kan være her");
    T->GetCellProperties(1, 3)->SetWordWrap(false);
    T->SetEnhTextSize(true);
    T->SetCellEx(1, 4, L"http://bridge.example.dk");
    T->SetCellEx(1, 5, L"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Rig \\b tekst\\b0}");
    T->SetCellEx(1, 6, L"Find <hi>ord</hi> her");
    T->SetCellEx(1, 7, L"Ombrudt tekst der fylder mere end en linje i cellen");
    T->GetCellProperties(1, 7)->SetWordWrap(true);
    T->SetCol(0);
    T->SetRow(0);
    TDibSurface Kinds(360, 320, clBlack);
    PaintWindowInto(T->GetHandle(), Kinds, true);
    EXPECT_TRUE(Kinds.SavePng(SnapshotPath(L"cellpaint_textkinds.png")));
    const TColor Face = ColorToRGB(T->GetColor());
    for (int r = 0; r < 8; ++r) EXPECT_GT(Kinds.InkCount(TRect(182, r * 40 + 2, 358, r * 40 + 37), Face), 10) << r;
}

// The tree lines of a node's children: a child followed by a row of its level continues its branch
// into the next row, the last child closes it at the middle of its row.
TEST_F(GridPaint, TreeBranchesContinueAndClose)
{
    TCellNode* N = G->GetCellNode();
    N->SetShowTree(true);
    N->SetTreeColor(clRed);
    G->AddNode(1, 3);
    Paint();
    const int Step = N->GetNodeIndent();
    ASSERT_TRUE(G->HasCellProperties(N->GetNodeColumn(), 2));
    const int Level = G->GetCellProperties(N->GetNodeColumn(), 2)->GetNodeLevel();
    ASSERT_GT(Level, 0);
    // The tree is drawn on the cell's rectangle grown by one pixel on every side.
    const int X = -1 + Level * Step + Step / 2 - Step + 2;
    const TColor Red = ColorToRGB(clRed);
    const int Mid2 = 2 * RH + RH / 2, Mid3 = 3 * RH + RH / 2;
    EXPECT_EQ(S.Pixel(X, 2 * RH + 2), Red);   // row 2's branch from its top...
    EXPECT_EQ(S.Pixel(X, Mid2 + 4), Red);     // ...on below its middle
    EXPECT_EQ(S.Pixel(X, 3 * RH + 2), Red);   // the last child's branch from its top...
    EXPECT_NE(S.Pixel(X, Mid3 + 4), Red);     // ...ends at its middle
}

TEST(GridPaintClip, CellsWithoutTheirOwnClipPaintTheSamePixels)
{
    // Random screens of texts, kinds, colours, alignments, looks and selections, painted with a
    // clip for every cell and with plain cells unclipped: the pixels agree.
    TSeededScreens T(6, 9, 20261212);
    for (int Round = 0; Round < 12; ++Round) {
        RandomScreen(T.G, T.Rng, T.Cols, T.Rows);
        ASSERT_EQ(T.Diff([&](bool Clip) { T.G->ClipEveryCell = Clip; }), 0) << "round " << Round;
    }
}

TEST(GridPaintShortcuts, JoinedLinesPaintTheSamePixels)
{
    // Random screens, with line colours, line options, fixed columns, merged areas, cell borders
    // and the hover row besides, painted with every cell on its own and with the paint's
    // shortcuts: the pixels agree.
    TSeededScreens T(7, 10, 20261213);
    TClipSwitchGrid* G = T.G;
    int BorderRow = -1;
    G->OnGetCellBorder = [&](TObject*, int ARow, int, TPen* Pen, TCellBorders& Borders) {
        if (ARow != BorderRow) return;
        Borders = TCellBorders{cbTop, cbBottom, cbRight};
        Pen->SetColor(clRed);
    };
    for (int Round = 0; Round < 16; ++Round) {
        RandomScreen(G, T.Rng, T.Cols, T.Rows);
        G->SetGridLineColor(T.Pick(2) ? clSilver : TColor(T.Rng() & 0xFFFFFF));
        G->SetGridLineWidth(T.Pick(5) == 0 ? 2 : 1);
        TGridOptions O = G->GetOptions();
        for (TGridOption Opt : {goVertLine, goHorzLine}) {
            if (T.Pick(4) == 0) O >> Opt;
            else O << Opt;
        }
        G->SetOptions(O);
        G->SetFixedCols(T.Pick(3) == 0 ? 0 : 1);
        if (T.Pick(3) == 0) G->MergeCells(1 + T.Pick(T.Cols - 3), 1 + T.Pick(T.Rows - 3), 2, 1 + T.Pick(2));
        BorderRow = T.Pick(2) ? 1 + T.Pick(T.Rows - 1) : -1;
        G->SetHoverRow(T.Pick(2) == 0);
        G->SetActiveRowShow(T.Pick(3) == 0);
        ASSERT_EQ(T.Diff([&](bool OwnLines) { G->SetShortcuts(!OwnLines); }), 0) << "round " << Round;
    }
}

TEST(GridPaintShortcuts, TextWidthsFilledLinesAndOneFillPaintTheSamePixels)
{
    // Random screens with centred, right-aligned and wrapped texts of every kind of character,
    // plain, bold and italic fonts, every fixed look with its fixed lines on or off, cells of the
    // grid's colour and of others, hover and active rows, merged areas and a last column past
    // the window, painted with the paint's shortcuts (text widths from character advances, pen
    // lines filled, the cells' area filled once) and the long way: the pixels agree.
    TSeededScreens T(6, 9, 20261214);
    TClipSwitchGrid* G = T.G;
    static const String Texts[] = {L"Bord 12", L"4\u2660 N \u2665K", L"\u00D8st -420", L"Kontrakt", L"a\u0301b",
                                   L"\u0627\u0644\u0639", L"soft\u00ADhyphen", L"\u20AC 1.234,50", L"WWWWWWWWWWWW",
                                   L"\u0416\u0443\u043A \u03A9", L"x", L"one two three four"};
    const TGridLook Looks[] = {glStandard, glSoft, glClassic, glXP, glVista, glOffice2007, glJOQ};
    const TAlignment HA[] = {taLeftJustify, taCenter, taRightJustify};
    const TFontStyles Styles[] = {TFontStyles(), TFontStyles{fsBold}, TFontStyles{fsItalic}};
    for (int Round = 0; Round < 14; ++Round) {
        RandomScreen(G, T.Rng, T.Cols, T.Rows);
        for (int i = 0; i < 20; ++i) {
            const int c = T.Pick(T.Cols), r = T.Pick(T.Rows);
            G->SetCellEx(c, r, Texts[T.Pick(12)]);
            G->GetCellProperties(c, r)->SetAlignment(HA[T.Pick(3)]);
            if (T.Pick(3) == 0) G->GetCellProperties(c, r)->SetFontStyle(Styles[1 + T.Pick(2)]);
        }
        G->SetLook(Looks[T.Pick(7)]);
        G->SetFlat(T.Pick(4) == 0);
        G->SetDefaultAlignment(HA[T.Pick(3)]);
        G->SetWordWrapEx(T.Pick(2) == 0);
        G->GetFont()->SetStyle(Styles[T.Pick(3)]);
        G->GetFixedFont()->SetStyle(Styles[T.Pick(3)]);
        TGridOptions O = G->GetOptions();
        for (TGridOption Opt : {goFixedVertLine, goFixedHorzLine}) {
            if (T.Pick(3) == 0) O >> Opt;
            else O << Opt;
        }
        G->SetOptions(O);
        G->SetFixedCols(T.Pick(3) == 0 ? 0 : 1);
        if (T.Pick(3) != 0) {
            G->GetBands()->SetActive(false);
            G->SetSelectionColor(TColor(0x00C08040));
        }
        for (int i = 0; i < 4; ++i)
            G->GetCellProperties(1 + T.Pick(T.Cols - 1), 1 + T.Pick(T.Rows - 1))->SetBrushColor(G->GetColor());
        if (T.Pick(3) == 0) G->MergeCells(1 + T.Pick(T.Cols - 3), 1 + T.Pick(T.Rows - 3), 2, 1 + T.Pick(2));
        G->SetHoverRow(T.Pick(3) == 0);
        G->SetActiveRowShow(T.Pick(3) == 0);
        G->SetColWidths(T.Cols - 1, CW + T.Pick(2) * 40);
        ASSERT_EQ(T.Diff([&](bool Short) { G->SetPaintShortcuts(Short); }), 0) << "round " << Round;
    }
    EXPECT_GT(G->Prefills, 3);
}

TEST(GridPaintShortcuts, TextWidthFromAdvancesIsTheMeasuredWidthOrNone)
{
    // While the grid paints, a text's width from its characters' advances is the width the system
    // measures; texts the system may shape or that hold characters without meaning of their own
    // get none, and outside a paint there is none.
    TSeededScreens T(2, 2, 1);
    TClipSwitchGrid* G = T.G;
    struct TCase {
        const wchar_t* Text;
        bool Known;
    } const Cases[] = {{L"Bord 12", true},         {L"\u00D8st -420 \u00E6\u00E5", true}, {L"\u0416\u0443\u043A \u03A9", true},
                       {L"\u20AC 1.234,50", true}, {L"a\u0301b", false},                 {L"\u0627\u0644\u0639", false},
                       {L"soft\u00ADhyphen", false}, {L"a\u200Bb", false},               {L"\U0001F600", false}};
    int Checked = 0;
    G->OnDrawCell = [&](TObject*, int, int, TRect, TGridDrawState) {
        TCanvas* Cv = G->GetCanvas();
        for (TFontStyles Style : {TFontStyles(), TFontStyles{fsBold}, TFontStyles{fsItalic}})
            for (const TCase& K : Cases) {
                Cv->GetFont()->SetStyle(Style);
                const int Len = int(wcslen(K.Text));
                const int W = G->PaintTextWidth(Cv, K.Text, Len);
                Cv->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
                SIZE E{};
                ::GetTextExtentPoint32W(Cv->GetRawHandle(), K.Text, Len, &E);
                if (K.Known) {
                    EXPECT_EQ(W, E.cx) << String(K.Text);
                } else {
                    EXPECT_EQ(W, -1) << String(K.Text);
                }
                ++Checked;
            }
    };
    PaintWindowInto(G->GetHandle(), T.A, true);
    EXPECT_GT(Checked, 0);
    G->OnDrawCell = nullptr;
    EXPECT_EQ(G->PaintTextWidth(G->GetCanvas(), L"Bord", 4), -1);
}
