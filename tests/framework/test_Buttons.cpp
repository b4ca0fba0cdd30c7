// test-needs: desktop
// The speed button: clicks on release inside the button, groups with one button down, all up
// when allowed, the disabled state, and its painting (glyph with its transparent colour, the
// pressed look) read from a memory DIB.
#include "framework/Buttons.h"
#include "support/Pixels.h"
#include "test_ControlsKit.h"

namespace {

class SpeedButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(300, 120);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Panel = AddControl<TTestPanel>(Form, 0, 0, 300, 120);
        Panel->SetParentColor(false);
        Panel->SetColor(clBtnFace);
        for (int I = 0; I < 3; ++I) {
            B[I] = AddControl<TSpeedButton>(Panel, 10 + I * 40, 10, 32, 32);
            B[I]->OnClick = [this, I](TObject*) { Clicks.push_back(I); };
        }
        ui::ShowAndActivate(Form);
    }
    void ClickAt(TSpeedButton* Btn, int UpX = 10, int UpY = 10)
    {
        ui::MouseDown(Btn, mbLeft, 10, 10);
        ui::MouseMove(Btn, UpX, UpY, TShiftState{ssLeft});
        ui::MouseUp(Btn, mbLeft, UpX, UpY);
    }
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TTestPanel* Panel = nullptr;
    TSpeedButton* B[3] = {};
    std::vector<int> Clicks;
};

TEST_F(SpeedButtonTest, ClickOnReleaseInsideOnly)
{
    ClickAt(B[0]);
    EXPECT_EQ(Clicks, std::vector<int>{0});
    EXPECT_FALSE(B[0]->GetDown());       // without a group it springs back
    EXPECT_EQ(B[0]->GetState(), bsUp);

    ui::MouseDown(B[1], mbLeft, 10, 10);
    EXPECT_EQ(B[1]->GetState(), bsDown);
    ui::MouseMove(B[1], 60, 10, TShiftState{ssLeft});   // dragged off: drawn up
    EXPECT_EQ(B[1]->GetState(), bsUp);
    ui::MouseUp(B[1], mbLeft, 60, 10);
    EXPECT_EQ(Clicks.size(), 1u);

    B[2]->SetEnabled(false);
    ClickAt(B[2]);
    EXPECT_EQ(Clicks.size(), 1u);
    B[0]->SetDown(true);                 // no group: cannot stay down
    EXPECT_FALSE(B[0]->GetDown());
}

TEST_F(SpeedButtonTest, GroupKeepsOneButtonDown)
{
    for (TSpeedButton* Btn : B) Btn->SetGroupIndex(1);
    ClickAt(B[0]);
    EXPECT_TRUE(B[0]->GetDown());
    ClickAt(B[1]);
    EXPECT_TRUE(B[1]->GetDown());
    EXPECT_FALSE(B[0]->GetDown());
    ClickAt(B[1]);                       // the down button stays down
    EXPECT_TRUE(B[1]->GetDown());
    EXPECT_EQ(Clicks, (std::vector<int>{0, 1, 1}));

    B[2]->SetDown(true);                 // from code as well
    EXPECT_FALSE(B[1]->GetDown());
    EXPECT_EQ(B[2]->GetState(), bsExclusive);

    // AllowAllUp spreads to the group; then the down button comes up on a click.
    B[0]->SetAllowAllUp(true);
    B[0]->SetDown(true);
    EXPECT_TRUE(B[2]->GetAllowAllUp());
    ClickAt(B[0]);
    for (TSpeedButton* Btn : B) EXPECT_FALSE(Btn->GetDown());

    // Another group is another matter.
    B[2]->SetGroupIndex(2);
    B[2]->SetDown(true);
    B[1]->SetDown(true);
    EXPECT_TRUE(B[2]->GetDown());
}

TEST_F(SpeedButtonTest, PaintsGlyphWithoutItsKeyColourAndLooksPressed)
{
    // A 16x16 glyph: magenta background (the bottom-left pixel), a red square in the middle.
    TBitmap* G = Create<TBitmap>();
    G->SetWidth(16);
    G->SetHeight(16);
    G->GetCanvas()->GetBrush()->SetColor(TColor(0xFF00FF));
    G->GetCanvas()->FillRect({0, 0, 16, 16});
    G->GetCanvas()->GetBrush()->SetColor(clRed);
    G->GetCanvas()->FillRect({4, 4, 12, 12});
    B[0]->SetGlyph(G);
    G->Free();
    EXPECT_EQ(B[0]->GetNumGlyphs(), 1);

    TDibSurface Up(300, 120);
    Panel->PaintTo(Up.DC(), 0, 0);
    TRect Btn = B[0]->GetBoundsRect();
    EXPECT_GT(Up.CountColor(Btn, clRed), 40);
    EXPECT_EQ(Up.CountColor(Btn, TColor(0xFF00FF)), 0);

    B[0]->SetGroupIndex(1);
    B[0]->SetDown(true);
    TDibSurface Down(300, 120);
    Panel->PaintTo(Down.DC(), 0, 0);
    // The top-left edge is dark when pressed, light when up; the glyph moves one pixel.
    auto Lum = [](TColor C) { return (C & 0xFF) + ((C >> 8) & 0xFF) + ((C >> 16) & 0xFF); };
    EXPECT_GT(Lum(Up.Pixel(Btn.Left + 1, Btn.Top + 10)), Lum(Down.Pixel(Btn.Left + 1, Btn.Top + 10)));
    EXPECT_EQ(Down.CountColor(Btn, clRed), Up.CountColor(Btn, clRed));
    EXPECT_EQ(Down.CountColor(Btn, TColor(0xFF00FF)), 0);
}

struct LayoutCase {
    TButtonLayout Layout;
    int Margin, Spacing;
    TPoint Glyph;
    int TextLeft, TextTop;
};

TEST(SpeedButtonLayout, GlyphAndCaptionPlaces)
{
    // Client 100x40, glyph 16x16, caption 30x12.
    const LayoutCase Cases[] = {
        {blGlyphLeft, -1, 4, {25, 12}, 45, 14},   // the pair centred
        {blGlyphLeft, 2, 4, {2, 12}, 22, 14},
        {blGlyphRight, 2, 4, {82, 12}, 48, 14},
        {blGlyphTop, 2, 4, {42, 2}, 35, 22},
        {blGlyphBottom, 2, 4, {42, 22}, 35, 6},
        {blGlyphLeft, 2, -1, {2, 12}, 44, 14},    // caption centred in what is left
    };
    for (const LayoutCase& C : Cases) {
        TPoint G;
        TRect T;
        TSpeedButton::CalcLayout({0, 0, 100, 40}, {16, 16}, {30, 12}, C.Layout, C.Margin, C.Spacing, G, T);
        EXPECT_EQ(G, C.Glyph) << int(C.Layout) << " " << C.Margin << " " << C.Spacing;
        EXPECT_EQ(T.Left, C.TextLeft) << int(C.Layout);
        EXPECT_EQ(T.Top, C.TextTop) << int(C.Layout);
    }
    TPoint G;
    TRect T;
    // Centring rounds up: (100 - 16 - 4 - 31 + 1) div 2 = 25.
    TSpeedButton::CalcLayout({0, 0, 100, 40}, {16, 16}, {31, 12}, blGlyphLeft, -1, 4, G, T);
    EXPECT_EQ(G.X, 25);
    EXPECT_EQ(T.Left, 45);
    // A caption without a glyph keeps the margin; the client origin moves both.
    TSpeedButton::CalcLayout({10, 20, 110, 60}, {0, 0}, {30, 12}, blGlyphLeft, 2, 4, G, T);
    EXPECT_EQ(T.Left, 12);
    EXPECT_EQ(T.Top, 34);
}

}  // namespace
