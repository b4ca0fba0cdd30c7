// The grid's looks, component styles and colour tones: each of the 24 styles loads its palette
// (a table of what every style must leave: look, fixed gradient, selection, lines, border, active
// cell), the custom style only resets, a look set twice does nothing the second time, the Office
// 2016 styles take the application colour, colour tones switch to the flat metro scheme and a
// later style turns the metro scroll bars off again, the XP schemes, the look names, and theme
// adaptation that acts only when the Office theme changed.
#include "tests/grid/QorGridKit.h"

#include "framework/Registry.h"
#include "framework/SysUtils.h"
#include "controls/QorDropDown.h"
#include "graphics/QorStyleIF.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

using namespace QorStyleIF;

namespace {

constexpr TColor Any = TColor(0x2FFFFFFF);   // not checked

class GridStyles : public ::testing::Test {
protected:
    void SetUp() override { G = Create<TTestableQorGrid>(nullptr); }
    void TearDown() override { G->Free(); }
    TTestableQorGrid* G = nullptr;
};

TColor Rgb(TColor C) { return C == clNone ? clNone : ColorToRGB(C); }

}  // namespace

TEST_F(GridStyles, EveryStyleLoadsItsPalette)
{
    struct TRow {
        TJOQStyle Style;
        TGridLook Look;
        TColor GradFrom, GradMirrorTo, Select, SelectText, Lines, FixedLines, Border, Active;
    };
    const TColor H = clHighlight, HT = clHighlightText, K = clBlack, W = TColor(0xFFFFFF), B0 = TColor(0xB99D7F);
    const TRow Rows[] = {
        {tsOffice2003Blue, glXP, TColor(0xFCE1CB), clNone, TColor(0x94E6FB), K, TColor(0xC0C0C0), TColor(0x808080), B0, TColor(0x94E6FB)},
        {tsOffice2003Silver, glXP, TColor(0xECE2E1), clNone, TColor(0x94E6FB), K, TColor(0xC0C0C0), TColor(0x808080), B0, TColor(0x94E6FB)},
        {tsOffice2003Olive, glXP, TColor(0xCFF0EA), clNone, TColor(0x94E6FB), K, TColor(0xC0C0C0), TColor(0x808080), B0, TColor(0x94E6FB)},
        {tsOffice2003Classic, glXP, W, clNone, H, HT, TColor(0xC0C0C0), TColor(0x808080), B0, TColor(0xD8D5D4)},
        {tsOffice2007Luna, glOffice2007, TColor(0xFBF9F6), clNone, TColor(0x5EC1F1), K, TColor(0xF1EDEB), TColor(0xD1BBA4), B0, TColor(0x9DD8F9)},
        {tsOffice2007Obsidian, glOffice2007, TColor(0xF7F7F7), clNone, TColor(0x5EC1F1), K, TColor(0xE5D7D0), TColor(0x808080), B0, TColor(0x9DD8F9)},
        {tsWindowsXP, glXP, clBtnFace, clNone, H, HT, TColor(0xC0C0C0), TColor(0x808080), B0, clBtnFace},
        {tsWhidbey, glXP, W, clNone, H, HT, TColor(0xC0C0C0), TColor(0x808080), B0, TColor(0x94E6FB)},
        {tsCustom, glXP, Any, Any, H, HT, Any, Any, B0, Any},
        {tsOffice2007Silver, glOffice2007, TColor(0xF3F3F1), clNone, TColor(0x95C7F5), K, TColor(0xE5D7D0), TColor(0x808080), B0, TColor(0x99CCFF)},
        {tsWindowsVista, glVista, W, TColor(0xF4F2F1), TColor(0xEACAB6), K, TColor(0xECECF0), TColor(0xD4D2D1), B0, TColor(0xFDF8F1)},
        {tsWindows7, glWin7, TColor(0xFDFCFA), TColor(0xF7E9DD), TColor(0xEACAB6), K, TColor(0xECECF0), TColor(0xD4D2D1), B0, TColor(0xFCEBDC)},
        {tsTerminal, glStandard, clBtnFace, clNone, H, HT, TColor(0xC0C0C0), TColor(0x808080), B0, TColor(0x808080)},
        {tsOffice2010Blue, glOffice2007, TColor(0xF5E7DA), TColor(0xF5E7DA), TColor(0xFFDBB7), K, TColor(0xC0C0C0), TColor(0xC7B0A0), B0, TColor(0x5BD5FF)},
        {tsOffice2010Silver, glOffice2007, TColor(0xE8E3DF), TColor(0xE8E3DF), TColor(0xFFDBB7), K, TColor(0xC0C0C0), TColor(0xBAB5B1), B0, TColor(0x5BD5FF)},
        {tsOffice2010Black, glOffice2007, TColor(0x6A6A6A), TColor(0x6A6A6A), TColor(0xFFDBB7), K, TColor(0xC0C0C0), TColor(0x444444), B0, TColor(0x5BD5FF)},
        {tsWindows8, glOffice2007, TColor(0xF7F6F5), TColor(0xF7F6F5), TColor(0xDAA026), W, TColor(0xE4E3E2), TColor(0xE4E3E2), TColor(0xE4E3E2), TColor(0xF7F6F5)},
        {tsOffice2013White, glOffice2007, TColor(0xEEEEEE), TColor(0xEEEEEE), TColor(0xDAA026), W, TColor(0xD4D4D4), TColor(0xD4D4D4), TColor(0xD4D4D4), TColor(0xEEEEEE)},
        {tsOffice2013LightGray, glOffice2007, TColor(0xFAFAFA), TColor(0xFAFAFA), TColor(0xDAA026), W, TColor(0xC6C6C6), TColor(0xC6C6C6), TColor(0xC6C6C6), TColor(0xFAFAFA)},
        {tsOffice2013Gray, glOffice2007, TColor(0xF3F3F3), TColor(0xF3F3F3), TColor(0xDAA026), W, TColor(0xABABAB), TColor(0xABABAB), TColor(0xABABAB), TColor(0xF3F3F3)},
        {tsWindows10, glOffice2007, TColor(0xF7F6F5), TColor(0xF7F6F5), TColor(0xDAA026), W, TColor(0xE4E3E2), TColor(0xE4E3E2), TColor(0xE4E3E2), TColor(0xF7F6F5)},
        {tsOffice2016White, glOffice2007, W, W, TColor(0xC6C6C6), K, TColor(0xD4D4D4), TColor(0xD5D5D5), TColor(0xABABAB), TColor(0xE1E1E1)},
        {tsOffice2016Gray, glOffice2007, TColor(0x6A6A6A), TColor(0x6A6A6A), TColor(0xC6C6C6), K, TColor(0xD4D4D4), TColor(0xD3D3D3), TColor(0x999999), TColor(0x262626)},
        {tsOffice2016Black, glOffice2007, TColor(0x252525), TColor(0x252525), TColor(0xC6C6C6), K, TColor(0xD4D4D4), TColor(0xB0B0B0), TColor(0x999999), TColor(0x646464)},
    };
    ASSERT_EQ(std::size(Rows), 24u);
    for (const TRow& R : Rows) {
        SCOPED_TRACE(int(R.Style));
        TTestableQorGrid* F = Create<TTestableQorGrid>(nullptr);
        F->SetComponentStyle(R.Style);
        EXPECT_EQ(TGridTestAccess::Style(*F), R.Style);
        EXPECT_EQ(F->GetLook(), R.Look);
        const auto Grad = TGridTestAccess::JOQGrad(*F);
        if (R.GradFrom != Any) EXPECT_EQ(Rgb(Grad[0]), Rgb(R.GradFrom));
        if (R.GradMirrorTo != Any) EXPECT_EQ(Rgb(Grad[3]), Rgb(R.GradMirrorTo));
        EXPECT_EQ(Rgb(F->GetSelectionColor()), Rgb(R.Select));
        EXPECT_EQ(Rgb(F->GetSelectionTextColor()), Rgb(R.SelectText));
        if (R.Lines != Any) EXPECT_EQ(Rgb(F->GetGridLineColor()), Rgb(R.Lines));
        if (R.FixedLines != Any) EXPECT_EQ(Rgb(F->GetGridFixedLineColor()), Rgb(R.FixedLines));
        EXPECT_EQ(Rgb(F->GetBorderColor()), Rgb(R.Border));
        if (R.Active != Any) EXPECT_EQ(Rgb(F->GetActiveCellColor()), Rgb(R.Active));
        F->Free();
    }
}

TEST_F(GridStyles, StyleDetailsTheTableLeavesOut)
{
    // Vista and Windows 7 bring their selection styles and sort header colours; 2010 its header.
    G->SetComponentStyle(tsWindowsVista);
    EXPECT_EQ(G->GetSelectionStyle(), ssVista);
    EXPECT_EQ(G->GetSortSettings()->GetHeaderMirrorColorTo(), TColor(0xF6ECD8));
    EXPECT_EQ(G->GetControlLook()->GetFixedGradientHoverBorder(), TColor(0xE3C993));
    EXPECT_EQ(TGridTestAccess::JOQGradDown(*G)[4], TColor(0xAE904F));
    // The search footer of the common ending: the gradient's first and last colours.
    EXPECT_EQ(G->GetSearchFooter()->GetColor(), TColor(0xFFFFFF));
    EXPECT_EQ(G->GetSearchFooter()->GetColorTo(), TColor(0xF4F2F1));
    G->SetComponentStyle(tsWindows7);
    EXPECT_EQ(G->GetSelectionStyle(), ssWin7);
    G->SetComponentStyle(tsOffice2010Black);
    EXPECT_EQ(G->GetSelectionStyle(), ssDefault);
    EXPECT_EQ(G->GetSortSettings()->GetHeaderColor(), TColor(0xBABABA));
    EXPECT_EQ(TGridTestAccess::JOQGradHover(*G)[0], TColor(0x6BDFFF));   // forwarded by the control look
    // The dark Office 2016 styles write white fonts; a later style puts the fonts back.
    G->SetComponentStyle(tsOffice2016Black);
    EXPECT_EQ(G->GetFixedFont()->GetColor(), TColor(0xFFFFFF));
    EXPECT_EQ(G->GetActiveCellFont()->GetColor(), TColor(0xFFFFFF));
    G->SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(G->GetFixedFont()->GetColor(), clBlack);
    EXPECT_EQ(G->GetActiveCellFont()->GetColor(), clWindowText);
    EXPECT_EQ(G->GetSortSettings()->GetHeaderColor(), clNone);
}

TEST_F(GridStyles, Office2016TakesTheApplicationColour)
{
    G->SetComponentStyleAndAppColor(tsOffice2016White, TColor(0x3080F0));
    TControlLook* L = G->GetControlLook();
    EXPECT_EQ(L->GetFixedGradientHoverFrom(), ChangeColor(TColor(0x3080F0), -60));
    EXPECT_EQ(L->GetFixedGradientHoverBorder(), TColor(0xB1B1B1));
    EXPECT_EQ(L->GetFixedGradientDownMirrorTo(), ChangeColor(TColor(0x3080F0), -20));
    EXPECT_EQ(L->GetFixedGradientDownBorder(), TColor(0xABABAB));
    EXPECT_EQ(G->GetActiveCellFont()->GetColor(), TColor(0x3080F0));
    // The grid's own hover fields follow the control look.
    EXPECT_EQ(TGridTestAccess::JOQGradHover(*G)[0], ChangeColor(TColor(0x3080F0), -60));
}

TEST_F(GridStyles, CustomStyleOnlyResets)
{
    G->SetComponentStyle(tsOffice2013Gray);
    const auto Grad = TGridTestAccess::JOQGrad(*G);
    G->SetSelectionColor(clRed);
    G->GetControlLook()->SetCommentColor(clLime);
    G->SetComponentStyle(tsCustom);
    EXPECT_EQ(G->GetSelectionColor(), clHighlight);
    EXPECT_EQ(G->GetControlLook()->GetCommentColor(), TColor(0x0000FF));   // the control look's initial colour
    EXPECT_EQ(TGridTestAccess::JOQGrad(*G), Grad);
    EXPECT_EQ(G->GetLook(), glOffice2007);
    EXPECT_EQ(G->GetBorderColor(), TColor(0xABABAB));
}

TEST_F(GridStyles, LookSetTwiceDoesNothingTheSecondTime)
{
    G->SetLook(glStandard);
    EXPECT_EQ(G->GetFixedColor(), clBtnFace);
    EXPECT_EQ(G->GetControlLook()->GetFixedGradientTo(), clNone);
    G->SetLook(glXP);
    EXPECT_EQ(G->GetSelectionColor(), TColor(0xEACAB6));
    EXPECT_EQ(G->GetControlLook()->GetFixedGradientTo(), clBtnFace);
    EXPECT_EQ(G->GetControlLook()->GetFixedGradientDownMirrorTo(), TColor(0x627376));
    G->SetActiveCellColor(clRed);
    G->SetLook(glXP);
    EXPECT_EQ(G->GetActiveCellColor(), clRed);
    // glJOQ: the grey fixed gradient end; the Office 2007 look brings its style.
    G->SetLook(glJOQ);
    EXPECT_EQ(G->GetControlLook()->GetFixedGradientTo(), TColor(0xC0C0C0));
    G->SetLook(glOffice2007);
    EXPECT_EQ(TGridTestAccess::Style(*G), tsOffice2007Luna);
    EXPECT_EQ(G->GetSelectionStyle(), ssOffice2007);
    G->SetLook(glListView);
    EXPECT_EQ(G->GetSelectionColor(), clHighlight);
    EXPECT_EQ(G->GetActiveCellColor(), TColor(0x808080));
    // glCustom keeps every colour.
    G->SetBorderColor(clRed);
    G->SetLook(glCustom);
    EXPECT_EQ(G->GetBorderColor(), clRed);
}

TEST_F(GridStyles, LookNames)
{
    const std::pair<TGridLook, const wchar_t*> Names[] = {
        {glStandard, L"glStandard"}, {glSoft, L"glSoft"}, {glClassic, L"glClassic"}, {glJOQ, L"glJOQ"},
        {glXP, L"glXP"}, {glListView, L"glListView"}, {glVista, L"glVista"}, {glWin7, L"glWin7"},
        {glOffice2007, L"glOffice2007"}, {glCustom, L""}};
    for (const auto& [Look, Name] : Names) EXPECT_EQ(TQorStringGrid::GetLookAsString(Look), String(Name));
    EXPECT_EQ(TQorStringGrid::GetLookAsFriendlyString(glXP), L"Windows XP");
    EXPECT_EQ(TQorStringGrid::GetLookAsFriendlyString(glOffice2007), L"Office2007");
    EXPECT_EQ(TQorStringGrid::GetLookAsFriendlyString(glCustom), L"");
    EXPECT_EQ(TQorStringGrid::GetLookAsString(TGridLook(42)), L"");
}

TEST_F(GridStyles, ColourTonesSwitchToTheFlatMetroScheme)
{
    TColorTones T;
    T.Background = {TColor(0xFAFAFA), TColor(0xD0D0D0), TColor(0x202020)};
    T.Foreground = {TColor(0xE0E0E0), TColor(0xC0C0C0), TColor(0x101010)};
    T.Selected = {TColor(0xA06020), TColor(0x804010), TColor(0xFFFFFF)};
    T.Hover = {TColor(0xF0E0D0), TColor(0xE0D0C0), TColor(0x000000)};
    G->SetColorTones(T);
    EXPECT_EQ(G->GetLook(), glClassic);
    EXPECT_TRUE(G->GetFlat());
    EXPECT_EQ(G->GetScrollType(), ssMetro);
    EXPECT_EQ(G->GetFixedColor(), TColor(0xE0E0E0));
    EXPECT_EQ(G->GetColor(), TColor(0xFAFAFA));
    EXPECT_EQ(G->GetSelectionColor(), TColor(0xA06020));
    EXPECT_EQ(G->GetSelectionTextColor(), TColor(0xFFFFFF));
    EXPECT_EQ(G->GetGridLineColor(), TColor(0xE6E6E6));
    EXPECT_EQ(G->GetGridFixedLineColor(), QorUtil::ChangeColorPerc(TColor(0xE0E0E0), -20));
    EXPECT_EQ(G->GetBorderStyle(), bsNone);
    EXPECT_EQ(G->GetControlLook()->GetControlStyle(), csGlyph);
    EXPECT_EQ(G->GetControlLook()->GetCheckedGlyph()->GetWidth(), 16);
    EXPECT_EQ(G->GetControlLook()->GetRadioOnGlyph()->GetWidth(), 16);
    EXPECT_TRUE(G->GetControlLook()->GetFlatButton());
    EXPECT_EQ(G->GetCellNode()->GetNodeType(), cnFlat);
    EXPECT_EQ(G->GetSearchFooter()->GetColorTo(), TColor(0xE0E0E0));
    EXPECT_EQ(G->GetColorTones().Selected.BrushColor, TColor(0xA06020));
    // A style afterwards turns the metro scroll bars back to normal ones; the custom style not.
    G->SetComponentStyle(tsCustom);
    EXPECT_EQ(G->GetScrollType(), ssMetro);
    G->SetComponentStyle(tsWindows10);
    EXPECT_EQ(G->GetScrollType(), ssNormal);
}

TEST_F(GridStyles, XPSchemes)
{
    struct TCase { TXPColorScheme Scheme; TColor From, To, MirrorFrom, Active; };
    const TCase Cases[] = {
        {::xpBlue, TColor(0xFCE1CB), TColor(0xE0A57D), clNone, TColor(0x94E6FB)},
        {::xpGreen, TColor(0xCFF0EA), TColor(0x8CC0B1), clNone, TColor(0x94E6FB)},
        {::xpGray, TColor(0xECE2E1), TColor(0xB39698), clNone, TColor(0x94E6FB)},
        {vistaAero, TColor(0xFFFFFF), TColor(0xFFFFFF), TColor(0xFAF8F7), TColor(0x94E6FB)},
        {::xpNone, TColor(0xFFFFFF), clBtnFace, clNone, TColor(0xFFFFFF)},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(int(C.Scheme));
        G->SetTheme(C.Scheme);
        const auto Grad = TGridTestAccess::JOQGrad(*G);
        EXPECT_EQ(Rgb(Grad[0]), Rgb(C.From));
        EXPECT_EQ(Rgb(Grad[1]), Rgb(C.To));
        EXPECT_EQ(Grad[2], C.MirrorFrom);
        EXPECT_EQ(G->GetActiveCellColor(), C.Active);
    }
    EXPECT_EQ(G->GetSearchFooter()->GetColorTo(), TColor(0xFFD9B3));
}

TEST_F(GridStyles, ThemeAdaptActsOnlyWhenTheOfficeThemeChanged)
{
    const String Root = L"Software\\QorGridStylesTest" + IntToStr(int(GetCurrentProcessId()));
    std::unique_ptr<TRegistry> Reg(new TRegistry());
    Reg->SetRootKey(HKEY_CURRENT_USER);
    Reg->DeleteKey(L"\\" + Root);
    auto& O = DetectionOverrides();
    O = {};
    O.OfficeRoot = Root;
    O.WindowsMajor = 5;
    O.WindowsMinor = 1;
    O.ThemeActive = false;
    auto Restore = ScopeExit([&] {
        Reg->CloseKey();
        Reg->DeleteKey(L"\\" + Root);
        DetectionOverrides() = {};
    });
    // No Office and no XP scheme: the classic 2003 theme.
    G->ThemeAdapt();
    EXPECT_EQ(TGridTestAccess::Style(*G), tsOffice2003Classic);
    G->SetSelectionColor(clRed);
    G->ThemeAdapt();
    EXPECT_EQ(G->GetSelectionColor(), clRed);
    ASSERT_TRUE(Reg->OpenKey(L"\\" + Root + L"\\14.0\\Common", true));
    Reg->WriteInteger(L"Theme", 2);
    Reg->CloseKey();
    G->ThemeAdapt();
    EXPECT_EQ(TGridTestAccess::Style(*G), tsOffice2010Silver);
    EXPECT_EQ(G->GetSelectionColor(), TColor(0xFFDBB7));
    // Switching automatic adaptation on adapts at once.
    TTestableQorGrid* F = Create<TTestableQorGrid>(nullptr);
    F->SetAutoThemeAdapt(true);
    EXPECT_EQ(TGridTestAccess::Style(*F), tsOffice2010Silver);
    F->SetAutoThemeAdapt(false);
    F->Free();
}

namespace {

// A small grid drawn from a style's colours: a header row in the fixed gradient (its mirror in
// the lower half), a fixed column, grid and fixed lines, a selected cell and the active header.
void DrawSwatch(TDibSurface& S, int X0, int Y0, TTestableQorGrid* G)
{
    TCanvas* C = S.Canvas();
    const auto Grad = TGridTestAccess::JOQGrad(*G);
    auto Fill = [&](TRect R, TColor A, TColor B, TColor MA, TColor MB) {
        if (A == clNone) A = G->GetFixedColor();
        if (B == clNone) B = A;
        if (MA == clNone) {
            QorDropDown::DrawGradient(C, A, B, 16, R, false);
            return;
        }
        const int Mid = (R.Top + R.Bottom) / 2;
        QorDropDown::DrawGradient(C, A, B, 8, TRect(R.Left, R.Top, R.Right, Mid), false);
        QorDropDown::DrawGradient(C, MA, MB == clNone ? MA : MB, 8, TRect(R.Left, Mid, R.Right, R.Bottom), false);
    };
    const int CW = 40, RH = 16;
    C->GetBrush()->SetColor(G->GetColor());
    C->FillRect(TRect(X0, Y0, X0 + 3 * CW, Y0 + 4 * RH));
    for (int c = 0; c < 3; ++c) Fill(TRect(X0 + c * CW, Y0, X0 + (c + 1) * CW, Y0 + RH), Grad[0], Grad[1], Grad[2], Grad[3]);
    for (int r = 1; r < 4; ++r) Fill(TRect(X0, Y0 + r * RH, X0 + CW, Y0 + (r + 1) * RH), Grad[0], Grad[1], Grad[2], Grad[3]);
    // The active cell's header and the selection.
    Fill(TRect(X0 + CW, Y0, X0 + 2 * CW, Y0 + RH), G->GetActiveCellColor(), G->GetActiveCellColorTo(), clNone, clNone);
    C->GetBrush()->SetColor(G->GetSelectionColor());
    C->FillRect(TRect(X0 + CW, Y0 + 2 * RH, X0 + 3 * CW, Y0 + 3 * RH));
    C->GetFont()->SetColor(G->GetSelectionTextColor());
    C->GetBrush()->SetStyle(bsClear);
    C->TextOut(X0 + CW + 4, Y0 + 2 * RH + 1, L"Valgt");
    C->GetBrush()->SetStyle(bsSolid);
    for (int i = 0; i <= 3; ++i) {
        C->GetPen()->SetColor(i == 0 ? G->GetGridFixedLineColor() : G->GetGridLineColor());
        C->MoveTo(X0 + i * CW, Y0);
        C->LineTo(X0 + i * CW, Y0 + 4 * RH);
    }
    for (int i = 0; i <= 4; ++i) {
        C->GetPen()->SetColor(i <= 1 ? G->GetGridFixedLineColor() : G->GetGridLineColor());
        C->MoveTo(X0, Y0 + i * RH);
        C->LineTo(X0 + 3 * CW, Y0 + i * RH);
    }
    C->GetPen()->SetColor(G->GetBorderColor() == clNone ? clBlack : G->GetBorderColor());
    C->GetBrush()->SetStyle(bsClear);
    C->Rectangle(TRect(X0 - 1, Y0 - 1, X0 + 3 * CW + 1, Y0 + 4 * RH + 1));
    C->GetBrush()->SetStyle(bsSolid);
}

}  // namespace

TEST_F(GridStyles, SnapshotTheStylesAndTonesAsSmallGrids)
{
    TDibSurface Sheet(6 * 130, 5 * 74, TColor(0xFFFFFF));
    for (int s = 0; s < 24; ++s) {
        TTestableQorGrid* F = Create<TTestableQorGrid>(nullptr);
        F->SetComponentStyleAndAppColor(TJOQStyle(s), TColor(0xD77800));
        DrawSwatch(Sheet, (s % 6) * 130 + 4, (s / 6) * 74 + 4, F);
        F->Free();
    }
    TColorTones T;
    T.Background = {TColor(0xFFFFFF), TColor(0xD0D0D0), TColor(0x202020)};
    T.Foreground = {TColor(0xF0E6DA), TColor(0xC0C0C0), TColor(0x101010)};
    T.Selected = {TColor(0xD77800), TColor(0x804010), TColor(0xFFFFFF)};
    T.Hover = {TColor(0xF0E0D0), TColor(0xE0D0C0), TColor(0x000000)};
    G->SetColorTones(T);
    DrawSwatch(Sheet, 4, 4 * 74 + 4, G);
    // The sheet holds the swatches.
    EXPECT_GT(Sheet.DiffCount(TDibSurface(6 * 130, 5 * 74, TColor(0xFFFFFF))), 0);
    EXPECT_TRUE(Sheet.SavePng(SnapshotPath(L"grid_styles_and_tones.png")));
}
