// The grid's check box, radio and sort indicator glyphs, painted into memory: where each control
// style puts its ink, which state shows what, the themed style only with common controls 6 and a
// visual style (injected; else the classic look), the tri-state and disabled looks, radio items
// chosen by index or by the cell's text, the sort triangles and glyphs, the index-sort marks, and a
// canvas that gets its pen, brush and font back. An enlarged sheet of every glyph goes to the
// snapshots.
#include "tests/grid/QorGridKit.h"

#include "graphics/QorStyleIF.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CellGlyphs : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableQorGrid>(nullptr);
        G->SetColCount(4);
        G->SetRowCount(4);
        QorStyleIF::DetectionOverrides().CommonControlsMajor = 5;
    }
    void TearDown() override
    {
        G->Free();
        QorStyleIF::DetectionOverrides().CommonControlsMajor.reset();
        QorStyleIF::DetectionOverrides().ThemeActive.reset();
    }
    TControlLook* Look() { return G->GetControlLook(); }

    // One check box into R on a fresh white surface, through the grid's canvas.
    std::unique_ptr<TDibSurface> Check(QorGrid::TControlStyle Style, bool State, bool Enabled = true,
                                       bool Grayed = false, bool TriState = false, TCheckBoxState Tri = cbUnchecked,
                                       TRect R = TRect(4, 4, 24, 24))
    {
        auto S = std::make_unique<TDibSurface>(40, 40, clWhite);
        PaintOnCanvas(G->GetCanvas(), S->DC(), G->GetFont(), clWhite,
                      [&] { G->DrawCheck(R, State, Enabled, Grayed, Style, TriState, Tri); });
        return S;
    }

    TTestableQorGrid* G = nullptr;
};

std::unique_ptr<TBitmap> SolidBitmap(int W, int H, TColor C)
{
    auto B = std::make_unique<TBitmap>(W, H);
    B->GetCanvas()->GetBrush()->SetColor(C);
    B->GetCanvas()->FillRect(TRect(0, 0, W, H));
    // The bottom-left pixel names the transparent colour: magenta, used nowhere else.
    B->GetCanvas()->SetPixels(0, H - 1, clFuchsia);
    return B;
}

}  // namespace

TEST_F(CellGlyphs, EachStyleInksItsOwnPlaceAndTellsTheStatesApart)
{
    struct TCase {
        QorGrid::TControlStyle Style;
        TRect InkWithin;   // R is (4, 4, 24, 24); the check size is 15 (16 for JOQ)
    };
    const TCase Cases[] = {
        {csClassic, {6, 6, 22, 22}},   // the system box, centred
        {csFlat, {6, 6, 22, 22}},
        {csWinXP, {4, 4, 20, 20}},     // the 16-pixel bitmaps at the top-left
        {csJOQ, {4, 4, 24, 24}},       // the 20-pixel bitmaps
        {csBorland, {4, 4, 24, 24}},   // the drawn box fills R
        {csTheme, {6, 6, 22, 22}},     // without common controls 6: the classic box
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(int(C.Style));
        auto On = Check(C.Style, true), Off = Check(C.Style, false), Dis = Check(C.Style, true, false);
        EXPECT_TRUE(On->HasInk(C.InkWithin));
        const TRect Outside = On->InkBounds(On->Bounds());
        EXPECT_TRUE(C.InkWithin.Contains(Outside.TopLeft()));
        EXPECT_LE(Outside.Right, C.InkWithin.Right);
        EXPECT_LE(Outside.Bottom, C.InkWithin.Bottom);
        EXPECT_GT(On->DiffCount(*Off), 0);
        EXPECT_GT(On->DiffCount(*Dis), 0);
    }
}

TEST_F(CellGlyphs, ThemedCheckBoxNeedsCommonControlsSixAndAStyle)
{
    auto Classic = Check(csClassic, true);
    EXPECT_EQ(Check(csTheme, true)->DiffCount(*Classic), 0);   // version 5: classic
    QorStyleIF::DetectionOverrides().CommonControlsMajor = 6;
    QorStyleIF::DetectionOverrides().ThemeActive = false;
    EXPECT_EQ(Check(csTheme, true)->DiffCount(*Classic), 0);   // no style active: classic
    QorStyleIF::DetectionOverrides().ThemeActive = true;
    auto Themed = Check(csTheme, true), ThemedOff = Check(csTheme, false);
    // The theme part fills the check-size square at the rectangle's top-left.
    EXPECT_TRUE(Themed->HasInk(TRect(4, 4, 19, 19)));
    EXPECT_FALSE(Themed->HasInk(TRect(19, 0, 40, 40)));
    EXPECT_FALSE(Themed->HasInk(TRect(0, 19, 40, 40)));
    EXPECT_GT(Themed->DiffCount(*ThemedOff), 0);
}

TEST_F(CellGlyphs, BorlandBoxColoursAndTick)
{
    Look()->SetColor(clRed);
    auto On = Check(csBorland, true), Off = Check(csBorland, false), Dis = Check(csBorland, false, false);
    const TColor Face = TColor(ColorToRGB(clBtnFace)), Shadow = TColor(ColorToRGB(clBtnShadow));
    EXPECT_EQ(Off->Pixel(12, 12), Face);
    EXPECT_EQ(Dis->Pixel(12, 12), Shadow);
    EXPECT_EQ(Off->Pixel(4, 10), TColor(ColorToRGB(clBtnHighlight)));   // left edge lit
    EXPECT_EQ(Off->Pixel(23, 10), Shadow);                                // right edge in shadow
    // The tick: the short stroke at L + 2 from the middle down, the long one up to the right.
    EXPECT_EQ(On->Pixel(6, 16), clRed);
    EXPECT_EQ(On->Pixel(7, 16), clRed);
    EXPECT_GT(On->CountColor(TRect(12, 6, 22, 16), clRed), 4);
    EXPECT_EQ(Off->CountColor(Off->Bounds(), clRed), 0);
    // Disabled: a grey tick.
    auto DisOn = Check(csBorland, true, false);
    EXPECT_EQ(DisOn->Pixel(6, 16), TColor(0x808080));
}

TEST_F(CellGlyphs, TriStateAndForcedEnabledLooks)
{
    auto Checked = Check(csClassic, true), Unchecked = Check(csClassic, false);
    auto Mixed = Check(csClassic, false, true, false, true, cbGrayed);
    EXPECT_GT(Mixed->DiffCount(*Checked), 0);
    EXPECT_GT(Mixed->DiffCount(*Unchecked), 0);
    // Tri-state takes its state from cbState, not from State.
    EXPECT_EQ(Check(csClassic, false, true, false, true, cbChecked)->DiffCount(*Checked), 0);
    EXPECT_EQ(Check(csClassic, true, true, false, true, cbUnchecked)->DiffCount(*Unchecked), 0);

    auto Disabled = Check(csWinXP, true, false);
    Look()->SetNoDisabledCheckRadioLook(true);
    EXPECT_EQ(Check(csWinXP, true, false)->DiffCount(*Check(csWinXP, true, true)), 0);
    EXPECT_GT(Check(csWinXP, true, true)->DiffCount(*Disabled), 0);
    Look()->SetNoDisabledCheckRadioLook(false);
    Look()->SetCheckAlwaysActive(true);
    EXPECT_EQ(Check(csJOQ, false, false)->DiffCount(*Check(csJOQ, false, true)), 0);
}

TEST_F(CellGlyphs, UserGlyphsAreDrawnTransparentAtTheTopLeft)
{
    auto On = SolidBitmap(8, 8, clLime), Off = SolidBitmap(8, 8, clBlue);
    // The bottom-left pixel is the transparent colour: make it magenta.
    On->GetCanvas()->SetPixels(0, 7, clFuchsia);
    Look()->SetCheckedGlyph(On.get());
    Look()->SetUnCheckedGlyph(Off.get());
    auto S = Check(csGlyph, true);
    EXPECT_EQ(S->Pixel(6, 6), clLime);
    EXPECT_EQ(S->Pixel(4, 11), clWhite);   // the transparent corner
    EXPECT_FALSE(S->HasInk(TRect(12, 0, 40, 40)));
    EXPECT_EQ(Check(csGlyph, false)->Pixel(6, 6), clBlue);
}

namespace {

// Draws a radio group on a fresh surface and answers it.
std::unique_ptr<TDibSurface> Radio(TTestableQorGrid* G, TRect R, int Num, int Idx, bool Dir, TStrings* Captions,
                                   QorGrid::TControlStyle Style, bool Dis = false)
{
    auto S = std::make_unique<TDibSurface>(200, 80, clWhite);
    S->Canvas()->GetFont()->Assign(G->GetFont());
    G->DrawRadio(S->Canvas(), R, Num, Idx, Dir, Dis, Captions, false, 1, 1, Style, 1.0, false);
    return S;
}

}  // namespace

TEST_F(CellGlyphs, RadioChecksByIndexOrByTheCellsText)
{
    Look()->SetColor(clRed);
    TFreePtr<TStringList> Captions(Create<TStringList>());
    Captions->Add(L"A");
    Captions->Add(L"B");
    Captions->Add(L"C");
    const TRect R(0, 0, 200, 80);
    const int Step = std::max(16, [&] {
        TDibSurface T(4, 4);
        T.Canvas()->GetFont()->Assign(G->GetFont());
        return T.Canvas()->TextHeight(L"gh");
    }());
    // Stacked Borland diamonds: item i at y = (i - 1) x step + 2, its dot centred at (x + 8, y + 8).
    auto DotOf = [&](const TDibSurface& S, int i) { return S.Pixel(2 + 8, (i - 1) * Step + 2 + 8); };
    auto ByIndex = Radio(G, R, 3, 1, false, Captions.get(), csBorland);
    EXPECT_NE(DotOf(*ByIndex, 1), clRed);
    EXPECT_EQ(DotOf(*ByIndex, 2), clRed);
    EXPECT_NE(DotOf(*ByIndex, 3), clRed);
    // The captions sit right of the buttons.
    EXPECT_TRUE(ByIndex->HasInk(TRect(20, 0, 40, 3 * Step)));

    G->SetCells(1, 1, L"C");
    auto ByText = Radio(G, R, 3, -1, false, Captions.get(), csBorland);
    EXPECT_EQ(DotOf(*ByText, 3), clRed);
    EXPECT_NE(DotOf(*ByText, 1), clRed);
    G->SetCells(1, 1, L"Z");
    EXPECT_EQ(Radio(G, R, 3, -1, false, Captions.get(), csBorland)->CountColor(TRect(0, 0, 200, 80), clRed), 0);
    // No captions at all, and more items than captions: nothing raises, the buttons show.
    EXPECT_TRUE(Radio(G, R, 2, 0, true, nullptr, csClassic)->HasInk(R));
    EXPECT_TRUE(Radio(G, R, 5, 4, false, Captions.get(), csWinXP)->HasInk(R));
    EXPECT_FALSE(Radio(G, R, 0, 0, false, Captions.get(), csWinXP)->HasInk(R));
}

TEST_F(CellGlyphs, RadioSideBySideAndRange)
{
    TFreePtr<TStringList> Captions(Create<TStringList>());
    Captions->Add(L"Left");
    Captions->Add(L"Right");
    const TRect R(0, 0, 200, 40);
    // Side by side: item 2 starts after item 1's button and caption.
    auto Plain = Radio(G, R, 2, 0, true, Captions.get(), csWinXP);
    TDibSurface T(4, 4);
    T.Canvas()->GetFont()->Assign(G->GetFont());
    const int CW = T.Canvas()->TextWidth(L"Left");
    const int Y = (40 - 16) / 2;
    EXPECT_TRUE(Plain->HasInk(TRect(2, Y, 18, Y + 16)));                     // button 1
    EXPECT_TRUE(Plain->HasInk(TRect(2 + 16 + CW, Y, 2 + 32 + CW, Y + 16)));   // button 2
    // With RadioRange the first caption comes first and its button after it.
    Look()->SetRadioRange(true);
    auto Range = Radio(G, R, 2, 0, true, Captions.get(), csWinXP);
    EXPECT_GT(Range->DiffCount(*Plain), 0);
    EXPECT_TRUE(Range->HasInk(TRect(2 - 16 + CW + 16, Y, 2 - 16 + CW + 32, Y + 16)));
}

TEST_F(CellGlyphs, ThemedRadioOnlyWithCommonControlsSix)
{
    const TRect R(0, 0, 60, 40);
    auto Classic = Radio(G, R, 2, 1, false, nullptr, csClassic);
    EXPECT_EQ(Radio(G, R, 2, 1, false, nullptr, csTheme)->DiffCount(*Classic), 0);
    QorStyleIF::DetectionOverrides().CommonControlsMajor = 6;
    QorStyleIF::DetectionOverrides().ThemeActive = true;
    auto Themed = Radio(G, R, 2, 1, false, nullptr, csTheme);
    EXPECT_TRUE(Themed->HasInk(R));
    EXPECT_GT(Themed->DiffCount(*Radio(G, R, 2, 0, false, nullptr, csTheme)), 0);
}

// Right to left, a check box is mirrored in the grid's client area; painted without mirroring
// (a surface of its own) it only moves right by the text inset.
TEST_F(CellGlyphs, RightToLeftCheckMirroredOrShiftedByTheInset)
{
    TForm* F = ui::NewForm(200, 100);
    ui::FormGuard FG{F};
    G->SetParent(F);
    G->SetBounds(0, 0, 200, 100);
    G->HandleNeeded();
    G->SetXYOffset(TPoint(5, 2));
    const int W = G->GetClientWidth();
    auto InkOf = [&](int SurfaceW) {
        TDibSurface S(SurfaceW, 40, clWhite);
        PaintOnCanvas(G->GetCanvas(), S.DC(), G->GetFont(), clWhite,
                      [&] { G->DrawCheck(TRect(4, 4, 24, 24), true, true, false, csBorland, false, cbUnchecked); });
        return S.InkBounds(S.Bounds());
    };
    const TRect Base = InkOf(W);   // left to right: inside the box asked for
    ASSERT_FALSE(Base.IsEmpty());
    EXPECT_GE(Base.Left, 4);
    EXPECT_LE(Base.Right, 24);
    G->SetBiDiMode(bdRightToLeft);
    struct TCase {
        bool NoOrientation;
        int Move;   // how far the box moves right
    } const Cases[] = {{false, W - 24 - 4}, {true, 5}};
    for (const TCase& K : Cases) {
        G->SetNoRTLOrientation(K.NoOrientation);
        EXPECT_EQ(InkOf(W), TRect(Base.Left + K.Move, Base.Top, Base.Right + K.Move, Base.Bottom)) << K.NoOrientation;
    }
    G->SetNoRTLOrientation(false);
    G->SetBiDiMode(bdLeftToRight);
    G->SetParent(nullptr);
}

namespace {

std::unique_ptr<TDibSurface> Sort(TTestableQorGrid* G, int Col, TColor Back = TColor(0xC0C0C0))
{
    auto S = std::make_unique<TDibSurface>(40, 40, Back);
    G->DrawSortIndicator(S->Canvas(), Col, 20, 20);
    return S;
}

}  // namespace

TEST_F(CellGlyphs, SortTrianglesPointTheSortDirection)
{
    TSortSettings* SS = G->GetSortSettings();
    SS->SetDirection(sdAscending);
    auto Up = Sort(G, 1);
    EXPECT_EQ(Up->Pixel(20, 24), clWhite);             // the base, lit
    EXPECT_EQ(Up->Pixel(22, 20), clWhite);             // the right edge up to the tip
    EXPECT_EQ(Up->Pixel(18, 20), TColor(0x808080));    // the left edge down from the tip
    EXPECT_TRUE(Up->HasInk(TRect(19, 16, 22, 18)));     // the tip at the top
    SS->SetDirection(sdDescending);
    auto Down = Sort(G, 1);
    EXPECT_EQ(Down->Pixel(20, 16), TColor(0x808080));  // the base at the top
    EXPECT_TRUE(Down->HasInk(TRect(19, 22, 22, 25)));   // the tip at the bottom
    EXPECT_EQ(Down->Pixel(22, 20), clWhite);
    EXPECT_FALSE(Down->HasInk(TRect(0, 0, 15, 40)));

    // One glyph alone does not replace the triangle; both do.
    auto Glyph = SolidBitmap(8, 8, clLime);
    Glyph->GetCanvas()->SetPixels(0, 7, clFuchsia);
    SS->SetDownGlyph(Glyph.get());
    EXPECT_EQ(Sort(G, 1)->DiffCount(*Down), 0);
    auto Other = SolidBitmap(8, 8, clBlue);
    Other->GetCanvas()->SetPixels(0, 7, clFuchsia);
    SS->SetUpGlyph(Other.get());
    auto WithGlyph = Sort(G, 1);
    EXPECT_EQ(WithGlyph->Pixel(18, 18), clLime);   // the down glyph at (x - 4, y - 4)
    SS->SetDirection(sdAscending);
    EXPECT_EQ(Sort(G, 1)->Pixel(18, 18), clBlue);
}

TEST_F(CellGlyphs, IndexSortMarksThePositionOfEachColumn)
{
    TSortSettings* SS = G->GetSortSettings();
    SS->SetIndexShow(true);
    TSortIndexList* L = G->GetSortIndexes();
    L->AddIndex(2, true);
    L->AddIndex(1, false);
    const TColor Back = TColor(0xC0C0C0);
    // A column outside the list shows nothing.
    EXPECT_FALSE(Sort(G, 3, Back)->HasInk(TRect(0, 0, 40, 40)));
    // Ascending: a yellow triangle pointing up; descending: pointing down.
    auto Asc = Sort(G, 2, Back), Desc = Sort(G, 1, Back);
    EXPECT_EQ(Asc->Pixel(20 - 4, 20 + 6), clYellow);
    EXPECT_EQ(Asc->Pixel(20 - 5, 20 - 3), Back);
    EXPECT_EQ(Desc->Pixel(20 - 5, 20 - 4), clYellow);
    EXPECT_EQ(Desc->Pixel(20 - 4, 20 + 6), Back);
    // The descending entry draws the up index glyph, the ascending one the down glyph.
    auto UpG = SolidBitmap(14, 14, clLime), DownG = SolidBitmap(14, 14, clBlue);
    SS->SetIndexUpGlyph(UpG.get());
    SS->SetIndexDownGlyph(DownG.get());
    EXPECT_EQ(Sort(G, 1, Back)->Pixel(20 - 6, 20 - 6), clLime);
    EXPECT_EQ(Sort(G, 2, Back)->Pixel(20 - 6, 20 - 6), clBlue);
}

TEST_F(CellGlyphs, PaintersGiveTheCanvasBack)
{
    TDibSurface S(200, 80);
    TCanvas* C = S.Canvas();
    C->GetPen()->SetColor(clPurple);
    C->GetPen()->SetWidth(3);
    C->GetBrush()->SetColor(clTeal);
    C->GetFont()->SetSize(13);
    C->GetFont()->SetColor(clMaroon);
    TFreePtr<TStringList> Captions(Create<TStringList>());
    Captions->Add(L"x");
    G->GetSortSettings()->SetIndexShow(true);
    G->GetSortIndexes()->AddIndex(1, false);
    for (QorGrid::TControlStyle Style : {csClassic, csFlat, csWinXP, csBorland, csJOQ, csGlyph, csTheme}) {
        G->DrawRadio(C, TRect(0, 0, 200, 80), 2, 0, Style == csFlat, false, Captions.get(), true, 1, 1, Style, 1.0, false);
        G->DrawSortIndicator(C, 1, 20, 20);
    }
    EXPECT_EQ(C->GetPen()->GetColor(), clPurple);
    EXPECT_EQ(C->GetPen()->GetWidth(), 3);
    EXPECT_EQ(C->GetBrush()->GetColor(), clTeal);
    EXPECT_EQ(C->GetFont()->GetSize(), 13);
    EXPECT_EQ(C->GetFont()->GetColor(), clMaroon);
}

TEST_F(CellGlyphs, SnapshotSheetOfEveryGlyphEnlarged)
{
    // One row per style: check on, off, disabled on, grayed, radio on and off; then the sort marks.
    const QorGrid::TControlStyle Styles[] = {csClassic, csFlat, csWinXP, csBorland, csJOQ, csTheme};
    TDibSurface Small(160, 24 * 8, TColor(0xF0F0F0));
    TFreePtr<TStringList> Captions(Create<TStringList>());
    QorStyleIF::DetectionOverrides().CommonControlsMajor = 6;
    QorStyleIF::DetectionOverrides().ThemeActive = true;
    for (int i = 0; i < 6; ++i) {
        const int Y = i * 24 + 2;
        PaintOnCanvas(G->GetCanvas(), Small.DC(), G->GetFont(), clWhite, [&] {
            G->DrawCheck(TRect(2, Y, 22, Y + 20), true, true, false, Styles[i], false, cbUnchecked);
            G->DrawCheck(TRect(24, Y, 44, Y + 20), false, true, false, Styles[i], false, cbUnchecked);
            G->DrawCheck(TRect(46, Y, 66, Y + 20), true, false, false, Styles[i], false, cbUnchecked);
            G->DrawCheck(TRect(68, Y, 88, Y + 20), false, true, false, Styles[i], true, cbGrayed);
        });
        G->DrawRadio(Small.Canvas(), TRect(90, Y - 2, 160, Y + 22), 2, 0, true, false, nullptr, false, 1, 1, Styles[i],
                     1.0, false);
    }
    G->GetSortSettings()->SetDirection(sdAscending);
    G->DrawSortIndicator(Small.Canvas(), 1, 10, 6 * 24 + 12);
    G->GetSortSettings()->SetDirection(sdDescending);
    G->DrawSortIndicator(Small.Canvas(), 1, 30, 6 * 24 + 12);
    G->GetSortSettings()->SetIndexShow(true);
    G->GetSortIndexes()->AddIndex(1, true);
    G->GetSortIndexes()->AddIndex(2, false);
    G->DrawSortIndicator(Small.Canvas(), 1, 60, 6 * 24 + 12);
    G->DrawSortIndicator(Small.Canvas(), 2, 80, 6 * 24 + 12);
    TDibSurface Big(160 * 4, 24 * 8 * 4);
    StretchBlt(Big.DC(), 0, 0, Big.Width(), Big.Height(), Small.DC(), 0, 0, 160, 24 * 8, SRCCOPY);
    EXPECT_TRUE(Big.SavePng(SnapshotPath(L"cell_glyphs_enlarged.png")));
}
