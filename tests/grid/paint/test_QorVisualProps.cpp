// A cell's visual properties: the precedence of the sources of its colours (grid colour, bands,
// fixed cells and looks, the cell's own properties, automatic number colours, the filter row, the
// colour events, the selection in its modes, disabled cells), its font in print, colour blending,
// the alignment pair, the displayed (formatted) text, and the widget's room.
#include "tests/grid/paint/CellPaintKit.h"

#include "grid/store/QorGridOptions.h"

#include <gtest/gtest.h>

using namespace cellpaint;

namespace {

constexpr TColor Plain = TColor(0x00F0F0F0);
constexpr TColor Fixed = TColor(0x00D0D0D0);
constexpr TColor Own = TColor(0x0000C0FF);

struct VisualProps : ::testing::Test {
    TForm* Form = ui::NewForm(6 * CW, 10 * RH);
    ui::FormGuard Guard{Form};
    TPaintGrid* G = NewPaintGrid(Form, 6, 10);

    VisualProps()
    {
        // A look brings its own colours: first the look, then the test's colours.
        G->SetLook(glClassic);
        G->SetColor(Plain);
        G->SetFixedColor(Fixed);
    }
};

}  // namespace

TEST(BlendColor, EndsNoneAndHalvesToEven)
{
    struct Case {
        TColor A, B;
        int F;
        TColor Want;
    } Cases[] = {
        {TColor(0x0000FF), TColor(0xFF0000), 50, TColor(0x800080)},   // 127.5 -> 128 (even)
        {TColor(RGB(3, 0, 0)), TColor(RGB(2, 0, 0)), 50, TColor(RGB(2, 0, 0))},   // 2.5 -> 2
        {TColor(RGB(5, 0, 0)), TColor(RGB(0, 0, 0)), 50, TColor(RGB(2, 0, 0))},   // 2.5 -> 2
        {TColor(RGB(7, 0, 0)), TColor(RGB(0, 0, 0)), 50, TColor(RGB(4, 0, 0))},   // 3.5 -> 4
        {TColor(0x123456), TColor(0x654321), 100, TColor(0x123456)},
        {TColor(0x123456), TColor(0x654321), 140, TColor(0x123456)},
        {TColor(0x123456), TColor(0x654321), 0, TColor(0x654321)},
        {TColor(0x123456), TColor(0x654321), -5, TColor(0x654321)},
        {clNone, TColor(0x654321), 50, TColor(0x654321)},
        {TColor(0x123456), clNone, 50, TColor(0x123456)},
        {TColor(0xFFFFFF), TColor(0xFFFFFF), 99, TColor(0xFFFFFF)},
    };
    for (const Case& c : Cases) EXPECT_EQ(BlendColor(c.A, c.B, c.F), c.Want) << std::hex << c.A << " " << c.B << " " << c.F;
    // System colours are resolved first.
    EXPECT_EQ(BlendColor(clWindow, clWindow, 30), ColorToRGB(clWindow));
    EXPECT_EQ(ColorMixer(TColor(0x0000FF), TColor(0xFF0000), false, 50), TColor(0x0000FF));
    EXPECT_EQ(ColorMixer(TColor(0x0000FF), TColor(0xFF0000), true, 50), TColor(0x800080));
}

TEST_F(VisualProps, GridColourBandsAndFixedCells)
{
    EXPECT_EQ(Visual(G, 2, 3).Brush, Plain);
    const TVisual F = Visual(G, 0, 3);
    EXPECT_EQ(F.Brush, Fixed);
    EXPECT_TRUE(F.State.Contains(gdFixed));

    // Bands of 2 and 1 counted from the first normal row; fixed cells keep their colour.
    TBands* B = G->GetBands();
    B->SetPrimaryColor(TColor(0x0000AA00));
    B->SetSecondaryColor(TColor(0x00AA0000));
    B->SetPrimaryLength(2);
    B->SetSecondaryLength(1);
    B->SetActive(true);
    const TColor Want[] = {Fixed, 0x0000AA00, 0x0000AA00, 0x00AA0000, 0x0000AA00, 0x0000AA00, 0x00AA0000};
    for (int r = 0; r < 7; ++r) EXPECT_EQ(Visual(G, 2, r).Brush, Want[r]) << r;
    EXPECT_EQ(Visual(G, 0, 2).Brush, Fixed);
    // Bands in print only with Print.
    EXPECT_EQ(Visual(G, 2, 3, {}, true).Brush, Plain);
    B->SetPrint(true);
    EXPECT_EQ(Visual(G, 2, 3, {}, true).Brush, TColor(0x00AA0000));
    // A cycle of length 0 leaves the grid's colour.
    B->SetPrimaryLength(0);
    B->SetSecondaryLength(0);
    EXPECT_EQ(Visual(G, 2, 1).Brush, Plain);
}

TEST_F(VisualProps, LooksAfterClassicTakeTheirFixedGradient)
{
    G->SetLook(glXP);
    G->SetJOQGradFrom(TColor(0x00112233));
    G->SetJOQGradTo(TColor(0x00445566));
    const TVisual V = Visual(G, 0, 2);
    EXPECT_EQ(V.Brush, TColor(0x00112233));
    EXPECT_EQ(V.ColorTo, TColor(0x00445566));
    G->SetLook(glListView);
    EXPECT_EQ(Visual(G, 0, 2).Brush, ColorToRGB(G->GetFixedColor()));
}

TEST_F(VisualProps, CellPropertiesAndTheirPlaceAmongTheSources)
{
    TCellProperties* P = G->GetCellProperties(2, 2);
    P->SetBrushColor(Own);
    P->SetFontColor(clRed);
    P->SetFontStyle(TFontStyles{fsBold});
    P->SetBrushColorTo(clYellow);
    P->SetGradientDirection(GradientHorizontal);
    TVisual V = Visual(G, 2, 2);
    EXPECT_EQ(V.Brush, Own);
    EXPECT_EQ(V.Font, ColorToRGB(clRed));
    EXPECT_TRUE(V.Style.Contains(fsBold));
    EXPECT_EQ(V.ColorTo, ColorToRGB(clYellow));
    EXPECT_EQ(V.GD, GradientHorizontal);
    // A selected cell runs its gradient vertically.
    EXPECT_EQ(Visual(G, 2, 2, {gdSelected}, false, false).GD, GradientVertical);

    // Own colour beats bands; in a fixed row a cell without a widget keeps it, one with a
    // bitmap widget gets the fixed colour on screen.
    G->GetBands()->SetActive(true);
    EXPECT_EQ(Visual(G, 2, 2).Brush, Own);
    G->GetCellProperties(3, 0)->SetBrushColor(Own);
    EXPECT_EQ(Visual(G, 3, 0).Brush, Own);
    G->GetCellProperties(4, 0)->SetBrushColor(Own);
    TFreePtr<TBitmap> Bmp(Create<TBitmap>());
    Bmp->SetWidth(4);
    Bmp->SetHeight(4);
    G->AddBitmap(4, 0, Bmp.get(), false, haLeft, vaTop);
    EXPECT_EQ(Visual(G, 4, 0).Brush, Fixed);
    G->RemoveBitmap(4, 0);
}

TEST_F(VisualProps, AutomaticNumberColoursFilterRowAndEvents)
{
    TAutoColor* AC = G->GetAutoColor();
    AC->GetNegativeNumber()->SetTextColor(clRed);
    AC->GetNegativeNumber()->SetBkgColor(TColor(0x00E0E0FF));
    AC->GetPositiveNumber()->SetTextColor(clGreen);
    struct Case {
        const wchar_t* Text;
        TColor Brush, Font;
    } Cases[] = {
        {L"-5", TColor(0x00E0E0FF), ColorToRGB(clRed)},
        {L" -0.5 ", TColor(0x00E0E0FF), ColorToRGB(clRed)},
        {L"7", Plain, ColorToRGB(clGreen)},
        {L"0", Plain, ColorToRGB(clGreen)},
        {L"7a", Plain, ColorToRGB(G->GetFont()->GetColor())},
        {L"", Plain, ColorToRGB(G->GetFont()->GetColor())},
    };
    for (const Case& c : Cases) {
        G->SetCellEx(2, 3, c.Text);
        const TVisual V = Visual(G, 2, 3);
        EXPECT_EQ(V.Brush, c.Brush) << c.Text;
        EXPECT_EQ(V.Font, c.Font) << c.Text;
    }

    // The colour event comes after the automatic colours; the gradient event after it.
    G->OnGetCellColor = [](TObject*, int ARow, int, TGridDrawState, TBrush* B, TFont*) {
        if (ARow == 3) B->SetColor(TColor(0x00010203));
    };
    EXPECT_EQ(Visual(G, 2, 3).Brush, TColor(0x00010203));
    G->OnGetCellGradient = [](TObject*, int, int, TColor& C, TColor& To, TColor&, TColor&, TCellGradientDirection& GD) {
        To = C;
        C = TColor(0x00040506);
        GD = GradientHorizontal;
    };
    const TVisual V = Visual(G, 2, 3);
    EXPECT_EQ(V.Brush, TColor(0x00040506));
    EXPECT_EQ(V.ColorTo, TColor(0x00010203));
    EXPECT_EQ(V.GD, GradientHorizontal);
}

TEST_F(VisualProps, SelectionModesAndDisabledCells)
{
    G->SetSelectionColor(TColor(0x00C08040));
    G->SetSelectionTextColor(TColor(0x00FFFFFF));
    G->SetSelectionColorTo(TColor(0x00204080));
    G->SetSelection(TGridRect{1, 1, 2, 2});
    // Only with Select; the selected state is added.
    TVisual V = Visual(G, 1, 1);
    EXPECT_EQ(V.Brush, TColor(0x00C08040));
    EXPECT_EQ(V.Font, TColor(0x00FFFFFF));
    EXPECT_EQ(V.ColorTo, TColor(0x00204080));
    EXPECT_TRUE(V.State.Contains(gdSelected));
    EXPECT_EQ(Visual(G, 1, 1, {}, false, false).Brush, Plain);
    EXPECT_EQ(Visual(G, 3, 3).Brush, Plain);
    // The mixer blends with a cell colour of its own.
    G->GetCellProperties(2, 2)->SetBrushColor(TColor(0x00000000));
    EXPECT_EQ(Visual(G, 2, 2).Brush, TColor(0x00C08040));
    G->SetSelectionColorMixer(true);
    EXPECT_EQ(Visual(G, 2, 2).Brush, BlendColor(TColor(0x00C08040), TColor(0), 50));
    // Not shown: the normal colours.
    G->SetShowSelection(false);
    EXPECT_EQ(Visual(G, 1, 1).Brush, Plain);
    G->SetShowSelection(true);

    // Disjunct rows: a selected row takes the selection colour, the others lose the state.
    G->GetMouseActions()->SetDisjunctRowSelect(true);
    G->SetRowSelect(4, true);
    V = Visual(G, 3, 4);
    EXPECT_EQ(V.Brush, TColor(0x00C08040));
    EXPECT_TRUE(V.State.Contains(gdSelected));
    EXPECT_FALSE(Visual(G, 3, 5, {gdSelected}).State.Contains(gdSelected));
    G->GetMouseActions()->SetDisjunctRowSelect(false);

    // Disjunct cells.
    G->GetMouseActions()->SetDisjunctCellSelect(true);
    G->SetSelectedCells(4, 6, true);
    EXPECT_EQ(Visual(G, 4, 6).Brush, TColor(0x00C08040));
    G->GetMouseActions()->SetDisjunctCellSelect(false);

    // A disabled grid paints every font in the disabled colour.
    G->SetDisabledFontColor(TColor(0x00A0A0A0));
    G->SetEnabled(false);
    EXPECT_EQ(Visual(G, 3, 3).Font, TColor(0x00A0A0A0));
    G->SetEnabled(true);
}

TEST_F(VisualProps, PrinterFontsWithoutTheDisplayFont)
{
    G->GetFont()->SetName(L"Arial");
    TPrintSettings* PS = G->GetPrintSettings();
    PS->GetFont()->SetSize(20);
    G->GetCellProperties(2, 2)->SetFontHeight(-30);
    EXPECT_EQ(Visual(G, 2, 2, {}, true).FontSize, Visual(G, 2, 2).FontSize);
    PS->SetUseDisplayFont(false);
    // The printer's font, and the cell's height does not apply in print.
    EXPECT_EQ(Visual(G, 2, 2, {}, true).FontSize, 20);
}

TEST_F(VisualProps, AlignmentIsAPairFromDefaultsNumbersPropertiesAndTheEvent)
{
    G->SetCellEx(1, 1, L" 12 ");
    G->SetCellEx(1, 2, L"12a");
    G->SetCellEx(1, 3, L"1.5E3");
    TCellAlignment A = G->GetCellAlignment(1, 1);
    EXPECT_EQ(A.HAlign, taLeftJustify);
    EXPECT_EQ(A.VAlign, vtaTop);
    G->SetAutoNumAlign(true);
    G->SetVAlignment(vtaCenter);
    EXPECT_EQ(G->GetCellAlignment(1, 1).HAlign, taRightJustify);
    EXPECT_EQ(G->GetCellAlignment(1, 2).HAlign, taLeftJustify);
    EXPECT_EQ(G->GetCellAlignment(1, 3).HAlign, taRightJustify);
    EXPECT_EQ(G->GetCellAlignment(1, 2).VAlign, vtaCenter);
    G->SetAutoNumAlign(false);
    G->GetCellProperties(1, 2)->SetAlignment(taCenter);
    EXPECT_EQ(G->GetCellAlignment(1, 2).HAlign, taCenter);
    G->OnGetAlignment = [](TObject*, int, int ACol, TAlignment& H, TVAlignment& V) {
        if (ACol == 1) {
            H = taRightJustify;
            V = vtaBottom;
        }
    };
    A = G->GetCellAlignment(1, 2);
    EXPECT_EQ(A.HAlign, taRightJustify);
    EXPECT_EQ(A.VAlign, vtaBottom);
    const TVisual V = Visual(G, 1, 2);
    EXPECT_EQ(V.HA, taRightJustify);
    EXPECT_EQ(V.VA, vtaBottom);
}

TEST_F(VisualProps, FormattedCellUsesTheFormatOnlyWithTheEventAndKeepsTextOnErrors)
{
    G->SetCellEx(1, 1, L"3.14159");
    G->SetCellEx(1, 2, L"abc");
    G->SetFloatFormat(L"%.2f");
    EXPECT_EQ(G->GetFormattedCell(1, 1), L"3.14159");   // no handler: never applied
    String Fmt = L"%.2f";
    G->OnGetFloatFormat = [&Fmt](TObject*, int, int, bool&, String& F) { F = Fmt; };
    struct Case {
        int Row;
        const wchar_t* Format;
        TFormatType Type;
        const wchar_t* Want;
    } Cases[] = {
        {1, L"%.2f", ftVCL, L"3.14"},
        {1, L"%d", ftVCL, L"3"},
        {1, L"%x", ftVCL, L"3"},
        {1, L"", ftVCL, L"3.14159"},
        {2, L"%.2f", ftVCL, L"abc"},              // not a number
        {1, L"%s", ftVCL, L"3.14159"},            // a format that does not fit the value
        {1, L"%.2f %d", ftVCL, L"3.14159"},       // too few values
        {1, L"%", ftVCL, L"3.14159"},             // broken
        {1, L"0.0", ftExcel, L"3.1"},
    };
    for (const Case& c : Cases) {
        Fmt = c.Format;
        G->SetFormatType(c.Type);
        EXPECT_EQ(G->GetFormattedCell(1, c.Row), String(c.Want)) << c.Format;
    }
    // A huge value through an integer format keeps its text.
    G->SetFormatType(ftVCL);
    G->SetCellEx(1, 3, L"1e300");
    Fmt = L"%d";
    EXPECT_EQ(G->GetFormattedCell(1, 3), L"1e300");
}

TEST_F(VisualProps, GraphicDetailsGiveTheWidgetsRoom)
{
    int W = -1, H = -1;
    bool Text = false;
    TCellHAlign HA;
    TCellVAlign VA;
    EXPECT_EQ(G->GetGraphicDetails(1, 1, W, H, Text, HA, VA), nullptr);
    EXPECT_EQ(W, 0);
    EXPECT_TRUE(Text);

    G->AddProgressPie(1, 1, clGreen, 50);
    ASSERT_NE(G->GetGraphicDetails(1, 1, W, H, Text, HA, VA), nullptr);
    EXPECT_EQ(W, 20);
    EXPECT_EQ(H, 20);
    G->AddButton(1, 2, 40, 18, L"Go", haAfterText, vaCenter);
    G->GetGraphicDetails(1, 2, W, H, Text, HA, VA);
    EXPECT_EQ(W, 40);
    EXPECT_EQ(H, 18);
    EXPECT_EQ(HA, haAfterText);
    EXPECT_EQ(VA, vaCenter);
    G->AddRotated(1, 3, 90, L"up");
    G->GetGraphicDetails(1, 3, W, H, Text, HA, VA);
    EXPECT_FALSE(Text);
    G->AddCheckBox(1, 4, true, false);
    G->GetGraphicDetails(1, 4, W, H, Text, HA, VA);
    EXPECT_GT(W, 0);
    EXPECT_EQ(W, H);
    EXPECT_TRUE(Text);
}
