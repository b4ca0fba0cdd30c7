// A cell's text: measuring it as it would be drawn (one line, several lines, markup, rotation),
// search marks, and bad input (broken markup, rich-text garbage, huge and control-character
// texts, bad formats) painted without raising or hanging; a seeded random run paints random
// cells, texts and looks into a memory bitmap and checks that the device context gets back its
// font, pen, brush, mapping mode and clip; one plain line drawn without the system's layout lands
// on the same pixels as through it.
#include "tests/grid/paint/CellPaintKit.h"

#include "grid/input/SearchPanel.h"
#include "grid/paint/CellPaintContext.h"
#include "grid/store/QorGridOptions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

using namespace cellpaint;

namespace {

struct CellText : ::testing::Test {
    TForm* Form = ui::NewForm(5 * CW, 8 * RH);
    ui::FormGuard Guard{Form};
    TPaintGrid* G = NewPaintGrid(Form, 5, 8);

    CellText()
    {
        G->GetFont()->SetName(L"Arial");
        G->GetFont()->SetSize(10);
    }
    int Width(const String& s)
    {
        TCanvas* C = G->GetCanvas();
        C->GetFont()->Assign(G->GetFont());
        return C->TextWidth(s);
    }
    int LineHeight()
    {
        TCanvas* C = G->GetCanvas();
        C->GetFont()->Assign(G->GetFont());
        return C->TextHeight(L"gh");
    }
};

}  // namespace

TEST_F(CellText, MeasuringLinesMarkupAndEmptyText)
{
    G->SetCellEx(1, 1, L"Kontrakt");
    TPoint P = G->GetCellTextSize(1, 1, false, false);
    EXPECT_EQ(P.X, Width(L"Kontrakt"));
    EXPECT_EQ(P.Y, LineHeight());
    EXPECT_EQ(G->GetCellTextSize(1, 2, false, false), TPoint(0, 0));

    G->SetMultilinecells(true);
    G->SetCellEx(1, 3, L"a\r\nlonger line\r\nb");
    P = G->GetCellTextSize(1, 3, false, false);
    EXPECT_EQ(P.X, Width(L"longer line"));
    EXPECT_EQ(P.Y, 3 * LineHeight());

    // Word-wrapped in the cell's width: taller than one line, no wider than the cell.
    G->SetCellEx(1, 4, L"one two three four five six seven eight");
    P = G->GetCellTextSize(1, 4, true, false);
    EXPECT_GT(P.Y, LineHeight());
    EXPECT_LE(P.X, CW);

    // Markup measures its visible text (bold is wider), plus 2 each way.
    G->SetCellEx(2, 1, L"<b>Kontrakt</b>");
    P = G->GetCellTextSize(2, 1, false, false);
    EXPECT_GE(P.X, Width(L"Kontrakt") + 2);
    EXPECT_GT(P.Y, 2);
}

TEST_F(CellText, RotatedMeasuringTakesTheBoundingBox)
{
    G->SetCellEx(1, 1, L"WWWW");
    const TPoint Flat = G->GetCellTextSize(1, 1, false, false);
    G->AddRotated(1, 1, 90, L"WWWW");
    G->SetCellEx(1, 1, L"WWWW");
    TPoint P = G->GetCellTextSize(1, 1, false, false);
    EXPECT_EQ(P, TPoint(Flat.Y + 12, Flat.X + 12));
    // At 45 degrees the box holds both products added: wider than the text's height alone.
    G->AddRotated(1, 1, 45, L"WWWW");
    G->SetCellEx(1, 1, L"WWWW");
    P = G->GetCellTextSize(1, 1, false, false);
    const double r = std::sqrt(0.5);
    EXPECT_NEAR(P.X, int(Flat.Y * r) + int(Flat.X * r) + 12, 1);
    EXPECT_NEAR(P.Y, int(Flat.Y * r) + int(Flat.X * r) + 12, 1);
    G->AddRotated(1, 1, 0, L"WWWW");
    G->SetCellEx(1, 1, L"WWWW");
    EXPECT_EQ(G->GetCellTextSize(1, 1, false, false), TPoint(Flat.X + 12, Flat.Y + 12));
}

TEST_F(CellText, SearchMarksTheFoundText)
{
    G->SetCellEx(1, 2, L"Find ord her");
    G->SetCellEx(2, 2, L"Find ord her");
    TDibSurface Before(5 * CW, 8 * RH), After(5 * CW, 8 * RH);
    PaintWindowInto(G->GetHandle(), Before, true);
    G->GetSearchFooter()->SetVisible(true);
    TSearchPanel* P = G->GetSearchPanel();
    ASSERT_NE(P, nullptr);
    P->GetEdit()->SetText(L"ord");
    G->GetSearchFooter()->SetAlwaysHighLight(true);
    G->GetSearchFooter()->SetSearchColumn(1);
    G->Invalidate();
    PaintWindowInto(G->GetHandle(), After, true);
    // Only the search column's cell changed.
    int Marked = 0, Other = 0;
    for (int y = 2 * RH; y < 3 * RH - 1; ++y)
        for (int x = 0; x < 3 * CW; ++x) {
            if (Before.Pixel(x, y) == After.Pixel(x, y)) continue;
            if (x >= CW && x < 2 * CW) ++Marked;
            else ++Other;
        }
    EXPECT_GT(Marked, 20);
    EXPECT_EQ(Other, 0);
}

TEST_F(CellText, BadInputPaintsWithoutRaisingOrHanging)
{
    String Huge(200000, L'x');
    for (size_t i = 0; i < Huge.size(); i += 7) Huge[i] = L' ';
    String Control;
    for (wchar_t c = 1; c < 32; ++c) Control += c;
    const String Texts[] = {
        L"<b><i>unclosed <font color=\"", L"<<<>>>&&&;;</b></b></font>", L"<font size=\"-99999\">x</font>",
        L"<img src=\"idx:99999\"><img src=\"file:nowhere.bmp\">", L"<p align=\"nonsense\"><ul><li><li></ul>",
        L"{\\rtf1 {{{{\\x\\y\\z \\bin999999 ", L"{\\rtf", Huge, Control, String(5000, L'W'),
        L"=1/0", L"\xD800\xDC00\xDFFF", L"http://", L"-", L"1e99999",
    };
    G->OnGetFloatFormat = [](TObject*, int, int, bool& IsFloat, String& F) {
        IsFloat = true;
        F = L"%.*f%n";
    };
    G->SetMultilinecells(true);
    G->SetURLShow(true);
    G->SetEnhTextSize(true);
    int r = 1;
    for (const String& t : Texts) {
        G->SetCellEx(1 + (r % 3), 1 + (r / 3) % 6, t);
        ++r;
    }
    TDibSurface S(5 * CW, 8 * RH);
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_NO_THROW(PaintWindowInto(G->GetHandle(), S, true));
    for (int row = 1; row < 8; ++row)
        for (int c = 1; c < 5; ++c) {
            EXPECT_NO_THROW(G->GetCellTextSize(c, row, true, false));
            EXPECT_NO_THROW(G->GetCellTextSize(c, row, false, true));
        }
    const double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_LT(Seconds, 20.0);
}

TEST_F(CellText, RandomCellsGiveTheDeviceContextBack)
{
    std::mt19937 Rng(20261211);
    auto Pick = [&](int n) { return int(Rng() % unsigned(n)); };
    const String Texts[] = {L"", L"plain", L"<b>b</b><font color=\"clRed\">r</font>", L"http://x.dk", L"a\nb\nc",
                            L"{\\rtf1 Rig}", L"{\\rtf1 {{{", L"<a href=\"x\">link</a>", L"-12.5", L"123",
                            L"very long text that will not fit in the cell at all, not even close"};
    const TGridLook Looks[] = {glStandard, glSoft, glClassic, glJOQ, glXP, glListView, glVista, glWin7, glOffice2007};
    TDibSurface S(200, 80, clWhite);
    TCanvas* Cv = S.Canvas();
    const HDC DC = S.DC();
    for (int i = 0; i < 400; ++i) {
        const int c = Pick(5), r = Pick(8);
        G->SetCellEx(c, r, Texts[Pick(11)]);
        switch (Pick(8)) {
        case 0: G->AddRotated(c, r, Pick(360), L"rot"); break;
        case 1: G->AddCheckBox(c, r, Pick(2) == 0, false); break;
        case 2: G->AddProgressPie(c, r, clGreen, Pick(150) - 20); break;
        case 3: G->GetCellProperties(c, r)->SetBrushColor(TColor(Rng() & 0xFFFFFF)); break;
        case 4: G->GetCellProperties(c, r)->SetWordWrap(Pick(2) == 0); break;
        default: break;
        }
        G->SetLook(Looks[Pick(9)]);
        G->SetFlat(Pick(4) == 0);
        G->SetZoomFactor(Pick(5) == 0 ? Pick(40) - 20 : 0);
        G->GetBands()->SetActive(Pick(2) == 0);
        G->SetMultilinecells(Pick(2) == 0);
        G->SetURLShow(Pick(2) == 0);
        G->SetSelectionRectangle(Pick(3) == 0);

        // The canvas's own objects, mapping mode and a clip of its own before the cell.
        Cv->GetFont()->Assign(G->GetFont());
        Cv->GetPen()->SetColor(clBlack);
        Cv->GetBrush()->SetColor(clWhite);
        Cv->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid,
                           TCanvasStateFlag::csPenValid, TCanvasStateFlag::csBrushValid});
        ::SelectClipRgn(DC, nullptr);
        ::IntersectClipRect(DC, 1, 1, 199, 79);
        RECT ClipBefore;
        ::GetClipBox(DC, &ClipBefore);

        TGridDrawState State;
        if (Pick(3) == 0) State << gdSelected;
        if (c == 0 || r == 0) State << gdFixed;
        EXPECT_NO_THROW(G->DrawGridCell(Cv, c, r, TRect(10, 10, 10 + 20 + Pick(150), 10 + 10 + Pick(60)), State));

        EXPECT_EQ(::GetMapMode(DC), MM_TEXT) << i;
        RECT ClipAfter;
        ::GetClipBox(DC, &ClipAfter);
        EXPECT_TRUE(::EqualRect(&ClipBefore, &ClipAfter)) << i;
        // Whatever the cell changed, the device context holds the canvas's objects.
        Cv->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid,
                           TCanvasStateFlag::csPenValid, TCanvasStateFlag::csBrushValid});
        EXPECT_EQ(::GetCurrentObject(DC, OBJ_FONT), Cv->GetFont()->GetHandle()) << i;
        EXPECT_EQ(::GetCurrentObject(DC, OBJ_PEN), Cv->GetPen()->GetHandle()) << i;
        EXPECT_EQ(::GetCurrentObject(DC, OBJ_BRUSH), Cv->GetBrush()->GetHandle()) << i;
        if (HasFailure()) break;
    }
    ::SelectClipRgn(DC, nullptr);
}


namespace {

// Two surfaces in one font, text drawn transparent: the system's layout draws on A, the
// single-line shortcut on B.
struct TLineSurfaces {
    TDibSurface A, B;
    TFont F;
    HGDIOBJ OldA = nullptr, OldB = nullptr;
    int LineHeight = 0;
    TLineSurfaces(int W, int H, const wchar_t* Name, int Size, TFontStyles Style) : A(W, H, clWhite), B(W, H, clWhite)
    {
        F.SetName(Name);
        F.SetSize(Size);
        F.SetStyle(Style);
        OldA = ::SelectObject(A.DC(), F.GetHandle());
        OldB = ::SelectObject(B.DC(), F.GetHandle());
        for (HDC DC : {A.DC(), B.DC()}) ::SetBkMode(DC, TRANSPARENT);
        LineHeight = Extent(L"hg").cy;
    }
    ~TLineSurfaces()
    {
        ::SelectObject(A.DC(), OldA);
        ::SelectObject(B.DC(), OldB);
    }
    SIZE Extent(const wchar_t* T)
    {
        SIZE E{};
        ::GetTextExtentPoint32W(B.DC(), T, int(wcslen(T)), &E);
        return E;
    }
    // Both surfaces cleared, T laid out on A by the system and drawn on B by the shortcut
    // (Width: the width the caller gives it, -1 to let it measure); whether the shortcut drew.
    bool Draw(const wchar_t* T, const TRect& R, UINT Flags, int Width = -1)
    {
        A.Fill(clWhite);
        B.Fill(clWhite);
        RECT W{R.Left, R.Top, R.Right, R.Bottom};
        ::DrawTextW(A.DC(), T, -1, &W, Flags);
        const RECT W2{R.Left, R.Top, R.Right, R.Bottom};
        return QorCellText::DrawSingleLine(B.DC(), T, int(wcslen(T)), W2, Flags, LineHeight, Width);
    }
};

}  // namespace

TEST(CellTextLine, OneLineLandsWhereTheSystemLayoutPutsIt)
{
    // The same line through the system's layout and through the single-line shortcut, measuring
    // itself or given the text's width: every alignment, texts that fit and that do not,
    // rectangles of odd and even sizes, fonts plain, bold and italic.
    const wchar_t* Texts[] = {L"Bord 12", L"4\u2660 N gy", L"\u00D8st -420", L"Kontrakt Kontrakt Kontrakt Kontrakt"};
    const TRect Rects[] = {TRect(10, 5, 150, 35), TRect(12, 6, 45, 27), TRect(9, 4, 200, 15)};
    const UINT HFlags[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    const UINT VFlags[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
    const UINT Extra[] = {0, DT_EDITCONTROL | DT_EXPANDTABS | DT_WORDBREAK, DT_NOCLIP};
    struct FontCase {
        const wchar_t* Name;
        int Size;
        TFontStyles Style;
    } Fonts[] = {{L"Arial", 10, {}}, {L"Tahoma", 9, {fsBold}}, {L"Arial", 13, {fsItalic}}};
    for (const FontCase& FC : Fonts) {
        TLineSurfaces P(220, 40, FC.Name, FC.Size, FC.Style);
        for (const wchar_t* T : Texts)
            for (const TRect& R : Rects)
                for (UINT H : HFlags)
                    for (UINT V : VFlags)
                        for (UINT X : Extra) {
                            const UINT Flags = H | V | X | DT_SINGLELINE | DT_NOPREFIX;
                            for (int Width : {-1, int(P.Extent(T).cx)}) {
                                ASSERT_TRUE(P.Draw(T, R, Flags, Width));
                                EXPECT_EQ(P.A.DiffCount(P.B), 0) << FC.Name << " " << R.Width() << "x" << R.Height()
                                                                 << " flags " << std::hex << Flags << " width " << Width;
                            }
                        }
    }
}

TEST(CellTextLine, AWrappedTextThatFitsLandsWhereTheSystemLayoutPutsIt)
{
    // Word-wrapped texts (no single-line flag): one that fits the width is drawn by the shortcut
    // on the same pixels as the system's layout, at the top whatever the vertical flag; one that
    // needs a break, or a rectangle lower than the line, is left to the layout; given the text's
    // width, the shortcut decides and draws the same.
    const wchar_t* Texts[] = {L"Bord 12", L"4\u2660 N gy ", L"\u00D8st -420", L"Kontrakt Kontrakt Kontrakt Kontrakt",
                              L"Langtordsuden"};
    const TRect Rects[] = {TRect(10, 5, 150, 35), TRect(12, 6, 45, 27), TRect(9, 4, 200, 15), TRect(9, 4, 71, 40)};
    const UINT HFlags[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    const UINT VFlags[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
    const UINT Extra[] = {0, DT_EDITCONTROL | DT_EXPANDTABS};
    for (TFontStyles Style : {TFontStyles(), TFontStyles{fsBold}, TFontStyles{fsItalic}}) {
        TLineSurfaces P(220, 45, L"Tahoma", 9, Style);
        int Shortcuts = 0, Left = 0;
        for (const wchar_t* T : Texts)
            for (const TRect& R : Rects)
                for (UINT H : HFlags)
                    for (UINT V : VFlags)
                        for (UINT X : Extra) {
                            const UINT Flags = H | V | X | DT_WORDBREAK | DT_NOPREFIX;
                            const SIZE Ext = P.Extent(T);
                            const bool Fits = Ext.cx <= R.Width() && R.Height() >= P.LineHeight;
                            for (int Width : {-1, int(Ext.cx)}) {
                                const bool Drawn = P.Draw(T, R, Flags, Width);
                                EXPECT_EQ(Drawn, Fits) << R.Width() << "x" << R.Height() << " width " << Width;
                                if (Drawn) {
                                    ++Shortcuts;
                                    EXPECT_EQ(P.A.DiffCount(P.B), 0)
                                        << R.Width() << "x" << R.Height() << " flags " << std::hex << Flags;
                                } else {
                                    ++Left;
                                    EXPECT_EQ(P.B.InkCount(P.B.Bounds()), 0);
                                }
                            }
                        }
        EXPECT_GT(Shortcuts, 0);
        EXPECT_GT(Left, 0);
    }
}

TEST(CellTextLine, OnAPageWithYUpwardAWrappedTextThatFitsLandsWhereTheSystemLayoutPutsIt)
{
    // Tenths of a millimetre, y growing upward: rectangles run from a top above to a bottom
    // below. The room for the line is measured downward from the top, as the layout measures it.
    const wchar_t* Texts[] = {L"Bord 12", L"\u00C9st gy -420", L"Kontrakt Kontrakt Kontrakt Kontrakt"};
    const UINT HFlags[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    TDibSurface A(300, 120, clWhite), B(300, 120, clWhite);
    TFont F;
    F.SetName(L"Arial");
    F.SetHeight(-35);
    HGDIOBJ OldA = ::SelectObject(A.DC(), F.GetHandle()), OldB = ::SelectObject(B.DC(), F.GetHandle());
    for (HDC DC : {A.DC(), B.DC()}) {
        ::SetMapMode(DC, MM_LOMETRIC);
        ::SetBkMode(DC, TRANSPARENT);
    }
    RECT Probe{0, 0, 65535, 0};
    const int Line = std::abs(::DrawTextW(B.DC(), L"gh", 2, &Probe, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX));
    ASSERT_GT(Line, 0);
    const RECT Rects[] = {{20, -20, 700, -200}, {35, -30, 410, -30 - Line}, {20, -40, 500, -40 - Line + 1},
                          {10, -15, 160, -150}};
    int Shortcuts = 0, Left = 0;
    for (const wchar_t* T : Texts)
        for (const RECT& R : Rects)
            for (UINT H : HFlags) {
                const UINT Flags = H | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_EXPANDTABS;
                A.Fill(clWhite);
                B.Fill(clWhite);
                RECT W = R;
                ::DrawTextW(A.DC(), T, -1, &W, Flags);
                const int Len = int(wcslen(T));
                SIZE Ext{};
                ::GetTextExtentPoint32W(B.DC(), T, Len, &Ext);
                const bool Fits = Ext.cx <= R.right - R.left && R.top - R.bottom >= Line;
                const bool Drawn = QorCellText::DrawSingleLine(B.DC(), T, Len, R, Flags, Line);
                EXPECT_EQ(Drawn, Fits) << R.right - R.left << " x " << R.top - R.bottom;
                if (Drawn) {
                    ++Shortcuts;
                    EXPECT_EQ(A.DiffCount(B), 0) << R.right - R.left << " x " << R.top - R.bottom << " flags " << std::hex << Flags;
                } else {
                    ++Left;
                    EXPECT_EQ(B.InkCount(B.Bounds()), 0);
                }
            }
    EXPECT_GT(Shortcuts, 0);
    EXPECT_GT(Left, 0);
    for (HDC DC : {A.DC(), B.DC()}) ::SetMapMode(DC, MM_TEXT);
    ::SelectObject(A.DC(), OldA);
    ::SelectObject(B.DC(), OldB);
}

TEST(CellTextLine, TheShortcutLeavesOtherLinesToTheSystem)
{
    TDibSurface S(100, 30, clWhite);
    const RECT R{0, 0, 100, 30};
    const UINT Line = DT_SINGLELINE | DT_NOPREFIX;
    const String Long(1025, L'x');
    struct Case {
        const wchar_t* Text;
        int Len;
        UINT Flags;
    } Cases[] = {
        {L"", 0, Line},                                  // nothing to draw
        {L"a\tb", 3, Line | DT_EXPANDTABS},              // a tab
        {L"a\r\nb", 4, Line},                            // a line break
        {L"ab", 2, DT_NOPREFIX},                         // several lines
        {L"a&b", 3, DT_SINGLELINE},                      // a prefix character
        {L"abc", 3, Line | DT_END_ELLIPSIS},             // an ellipsis
        {L"abc", 3, Line | DT_RTLREADING},               // right to left
        {L"abc", 3, Line | DT_CALCRECT},                 // measuring only
        {Long.c_str(), int(Long.size()), Line},          // longer than the layout draws in one piece
    };
    for (const Case& c : Cases) {
        EXPECT_FALSE(QorCellText::DrawSingleLine(S.DC(), c.Text, c.Len, R, c.Flags, 16)) << std::hex << c.Flags;
        EXPECT_EQ(S.InkCount(S.Bounds()), 0);
    }
}
