// The calculator keypad by real mouse messages: the 28 buttons' layout over the panel, hot and
// pressed tracking, clicks reported with the button's index (and only for a press and release on
// one enabled button), the button look with its glow, and a snapshot with a hot and a pressed
// button.
// The forms show on the screen and hover depends on the mouse: the tests wait for the desktop.
// test-needs: desktop
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "pickers/QorCalculatorButtons.h"
#include "pickers/QorCalculatorEngine.h"

#include "framework/TypInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

constexpr TColor PanelColor = clWhite;

class Keypad : public ::testing::Test {
protected:
    TForm* Form = ui::NewForm(260, 180);
    ui::FormGuard Guard{Form};
    TCustomButtonPanel* Panel = Create<TCustomButtonPanel>(Form);
    std::vector<int> Clicks;

    Keypad()
    {
        Panel->SetParent(Form);
        Panel->SetColor(PanelColor);
        Panel->SetBounds(0, 0, 228, 150);   // a 212 x 134 button area
        Panel->Initialize();
        Panel->OnButtonClick = [this](TObject*, int Index) { Clicks.push_back(Index); };
        Form->Show();
        ui::Pump();
    }
    TPoint Centre(int Index)
    {
        TRect R;
        Panel->GetButtonRect(Index, R);
        return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    // The captions found at the centres of the given columns along one row.
    String CaptionsAt(int Y, std::initializer_list<int> Xs)
    {
        String Row;
        for (int X : Xs) {
            const int I = Panel->ButtonAtPos(X, Y);
            Row += (Row.empty() ? L"" : L" ") +
                   (I < 0 ? String(L"?") : I == 0 ? String(L"ON") : Panel->GetButtons()->GetItem(I)->GetCaption());
        }
        return Row;
    }
};

TEST_F(Keypad, LaysTheButtonsOutInTheCalculatorsFace)
{
    ASSERT_EQ(Panel->GetButtons()->Count(), 28);
    // Columns at 8, 46, 79, 112, 150, 183 (34 wide), rows at 8, 38, 63, 88, 113 (26 high).
    const std::initializer_list<int> Columns = {25, 63, 96, 129, 167, 200};
    EXPECT_EQ(CaptionsAt(21, {25, 73, 131, 189}), L"ON Back CE C");
    EXPECT_EQ(CaptionsAt(51, Columns), L"MC 7 8 9 / sqrt");
    EXPECT_EQ(CaptionsAt(76, Columns), L"MR 4 5 6 * %");
    EXPECT_EQ(CaptionsAt(101, Columns), L"MS 1 2 3 - 1/x");
    EXPECT_EQ(CaptionsAt(126, Columns), L"M+ 0 +/- . + =");

    struct { int Index; TRect R; } Expected[] = {
        {0, {8, 8, 42, 34}},       {1, {46, 8, 100, 34}},    {2, {104, 8, 158, 34}},
        {3, {162, 8, 217, 34}},    {4, {8, 38, 42, 64}},     {7, {8, 113, 42, 139}},
        {8, {46, 113, 80, 139}},   {12, {79, 38, 113, 64}},  {27, {183, 38, 217, 64}},
        {24, {183, 113, 217, 139}},
    };
    for (const auto& E : Expected) {
        TRect R;
        Panel->GetButtonRect(E.Index, R);
        EXPECT_EQ(R, E.R) << "button " << E.Index;
    }
    TRect None;
    Panel->GetButtonRect(28, None);
    EXPECT_EQ(None, TRect(-1, -1, -1, -1));
    // Neighbours in a digit column overlap by a pixel: the first in collection order wins.
    EXPECT_EQ(Panel->ButtonAtPos(60, 63), 10);   // the last row of "7" is the first of "4"
    EXPECT_EQ(Panel->ButtonAtPos(4, 4), -1);
    EXPECT_EQ(Panel->ButtonAtPos(217, 20), -1);   // right edges are outside

    // Tags and looks of the calculator table.
    EXPECT_EQ(Panel->GetButtons()->GetItem(0)->GetTag(), caOn);
    EXPECT_EQ(Panel->GetButtons()->GetItem(15)->GetName(), L"BTN_+/-");
    EXPECT_TRUE(Panel->GetButtons()->GetItem(27)->GetSpecial());
    EXPECT_EQ(Panel->GetButtons()->GetItem(27)->GetCaptionColor(), TColor(0x000080));
    EXPECT_FALSE(Panel->GetButtons()->GetItem(25)->GetSpecial());

    // Resizing lays them out again.
    Panel->SetBounds(0, 0, 256, 170);
    TRect R;
    Panel->GetButtonRect(27, R);   // buttons 38 x 30, the last column at 203
    EXPECT_EQ(R, TRect(203, 42, 241, 72));
}

TEST_F(Keypad, ReportsAClickWithTheButtonsIndex)
{
    const TPoint Seven = Centre(11), Plus = Centre(23);
    ui::Click(Panel, Seven.X, Seven.Y);
    ui::Click(Panel, Plus.X, Plus.Y);
    ui::Click(Panel, 2, 2);   // the margin holds no button
    EXPECT_EQ(Clicks, (std::vector<int>{11, 23}));
    EXPECT_EQ(Panel->GetButtonDown(), -1);

    // A press on one button released over another clicks nothing and leaves no button pressed.
    ui::MouseDown(Panel, mbLeft, Seven.X, Seven.Y);
    EXPECT_EQ(Panel->GetButtonDown(), 11);
    ui::MouseMove(Panel, Plus.X, Plus.Y, {ssLeft});
    ui::MouseUp(Panel, mbLeft, Plus.X, Plus.Y);
    EXPECT_EQ(Clicks.size(), 2u);
    EXPECT_EQ(Panel->GetButtonDown(), -1);

    // A disabled button is neither hot nor pressed nor clicked.
    Panel->GetButtons()->GetItem(23)->SetEnabled(false);
    ui::MouseMove(Panel, Seven.X, Seven.Y);
    EXPECT_EQ(Panel->GetButtonHot(), 11);
    ui::MouseMove(Panel, Plus.X, Plus.Y);
    EXPECT_EQ(Panel->GetButtonHot(), -1);
    ui::Click(Panel, Plus.X, Plus.Y);
    EXPECT_EQ(Panel->GetButtonDown(), -1);
    EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(Keypad, TracksTheHotButtonUntilTheMouseLeaves)
{
    const TPoint Back = Centre(1);
    ui::MouseMove(Panel, Back.X, Back.Y);
    EXPECT_EQ(Panel->GetButtonHot(), 1);
    ui::MouseMove(Panel, 44, 20);   // between ON and Back
    EXPECT_EQ(Panel->GetButtonHot(), -1);
    ui::MouseMove(Panel, Back.X, Back.Y);
    ui::MouseMove(Form, 250, 170);   // onto the form: the panel hears the mouse leave
    EXPECT_EQ(Panel->GetButtonHot(), -1);
}

TEST_F(Keypad, ACustomPanelKeepsItsOwnButtons)
{
    TCustomButtonPanel* Custom = Create<TCustomButtonPanel>(Form);
    Custom->SetButtonPanelType(plCustom);
    Custom->Initialize();
    EXPECT_EQ(Custom->GetButtons()->Count(), 0);
    TCalcButtonItem* Item = Custom->GetButtons()->Add();
    Item->SetLeft(5);
    Item->SetTop(6);
    Item->SetWidth(20);
    Item->SetHeight(10);
    Custom->SetParent(Form);
    Custom->SetBounds(0, 0, 100, 80);
    EXPECT_EQ(Item->GetRect(), TRect(5, 6, 25, 16));   // not laid out
}

TEST_F(Keypad, PaintsTheButtonLookWithAGlowOnTheHotAndThePressedButton)
{
    const TPoint Hot = Centre(13), Down = Centre(24);   // "5" hot, "=" held down
    ui::MouseMove(Panel, Hot.X, Hot.Y);
    ui::MouseDown(Panel, mbLeft, Down.X, Down.Y);
    ASSERT_EQ(Panel->GetButtonHot(), 13);
    ASSERT_EQ(Panel->GetButtonDown(), 24);

    TDibSurface S(Panel->GetWidth(), Panel->GetHeight(), clFuchsia);
    PaintWindowInto(Panel->GetHandle(), S, true);
    S.SavePng(SnapshotPath(L"PickerKeypad.png"));
    ui::MouseUp(Panel, mbLeft, Down.X, Down.Y);

    auto Near = [](TColor A, TColor B, int Tolerance) {
        return std::abs(GetRValue(A) - GetRValue(B)) <= Tolerance && std::abs(GetGValue(A) - GetGValue(B)) <= Tolerance &&
               std::abs(GetBValue(A) - GetBValue(B)) <= Tolerance;
    };
    TButtonAppearance* A = Panel->GetButtonAppearance();
    // The lower half of a button runs from Color to ColorTo: a plain one, the hot one in the hot
    // pair, the pressed one in the down pair. Sampled left of the caption.
    auto Between = [](TColor P, TColor From, TColor To) {
        auto In = [](int V, int A, int B) { return V >= std::min(A, B) - 6 && V <= std::max(A, B) + 6; };
        return In(GetRValue(P), GetRValue(From), GetRValue(To)) && In(GetGValue(P), GetGValue(From), GetGValue(To)) &&
               In(GetBValue(P), GetBValue(From), GetBValue(To));
    };
    struct { int Index; TColor From, To; } Fills[] = {
        {9, A->GetColor(), A->GetColorTo()},
        {13, A->GetColorHot(), A->GetColorHotTo()},
        {24, A->GetColorDown(), A->GetColorDownTo()},
    };
    TRect R;
    for (const auto& F : Fills) {
        Panel->GetButtonRect(F.Index, R);
        const TColor P = S.Pixel(R.Left + 4, R.Bottom - 4);
        EXPECT_TRUE(Between(P, F.From, F.To)) << "button " << F.Index << ": " << std::hex << P;
        EXPECT_FALSE(Between(P, F.From, F.From)) << "button " << F.Index << ": " << std::hex << P;
    }
    // The outer frame in the border colour.
    Panel->GetButtonRect(9, R);
    EXPECT_TRUE(Near(S.Pixel(R.Left, (R.Top + R.Bottom) / 2), A->GetBorderColor(), 40));
    // The hot button's glow tints the gap beside it; a plain button leaves its gap white.
    Panel->GetButtonRect(18, R);   // "6": its gap to "*" at the right
    EXPECT_EQ(S.Pixel(R.Right + 1, (R.Top + R.Bottom) / 2), PanelColor);
    Panel->GetButtonRect(24, R);   // "=" pressed: beyond the panel's last column, right of it
    EXPECT_NE(S.Pixel(R.Right + 2, (R.Top + R.Bottom) / 2), PanelColor);
    // Captions are drawn, in the special colour on the special buttons.
    auto CountNear = [&](const TRect& Box, TColor Color) {
        int N = 0;
        for (int Y = Box.Top; Y < Box.Bottom; ++Y)
            for (int X = Box.Left; X < Box.Right; ++X) N += Near(S.Pixel(X, Y), Color, 40);
        return N;
    };
    Panel->GetButtonRect(24, R);
    EXPECT_GT(CountNear(R, A->GetSpecialTextColor()), 3);
    Panel->GetButtonRect(9, R);
    EXPECT_GT(CountNear(R, A->GetTextColor()), 3);
    Panel->GetButtonRect(0, R);   // the first button has no caption
    EXPECT_EQ(CountNear(TRect(R.Left + 6, R.Top + 6, R.Right - 6, R.Bottom - 6), A->GetTextColor()), 0);
    // Not hosted by a drop-down: a black frame round the panel.
    EXPECT_EQ(S.Pixel(0, 70), clBlack);
    EXPECT_EQ(S.Pixel(227, 70), clBlack);
}

TEST_F(Keypad, PlacesAnImageBesideOrAboveTheCaptionByTheLayout)
{
    TImageList* Images = Create<TImageList>(Form, 10, 10);
    TFreePtr<TBitmap> Lime(Create<TBitmap>(10, 10));
    Lime->GetCanvas()->GetBrush()->SetColor(clLime);
    Lime->GetCanvas()->FillRect(TRect(0, 0, 10, 10));
    Images->Add(Lime.get(), nullptr);
    Panel->SetImages(Images);
    Panel->GetButtons()->GetItem(1)->SetImageIndex(0);   // "Back"
    TRect R;
    Panel->GetButtonRect(1, R);
    const TRect Box(R.Left + 4, R.Top + 4, R.Right - 4, R.Bottom - 4);
    // Where the lime image shows inside the caption box, for a layout.
    auto LimeAt = [&](TItemLayout Layout) {
        Panel->SetButtonLayout(Layout);
        TDibSurface S(Panel->GetWidth(), Panel->GetHeight(), clFuchsia);
        PaintWindowInto(Panel->GetHandle(), S, true);
        TRect Found(Box.Right, Box.Bottom, Box.Left, Box.Top);
        for (int Y = Box.Top; Y < Box.Bottom; ++Y)
            for (int X = Box.Left; X < Box.Right; ++X)
                if (S.Pixel(X, Y) == clLime)
                    Found = TRect(std::min(Found.Left, X), std::min(Found.Top, Y), std::max(Found.Right, X + 1),
                                  std::max(Found.Bottom, Y + 1));
        return Found;
    };
    const TRect Right = LimeAt(ilCaptionRight), Left = LimeAt(ilCaptionLeft), Bottom = LimeAt(ilCaptionBottom);
    EXPECT_EQ(Right, TRect(Box.Left, R.Top + 8, Box.Left + 10, R.Top + 18));   // first, centred in height
    EXPECT_GT(Left.Left, Box.Left + 20);                                       // after the caption
    EXPECT_EQ(Bottom.Top, Box.Top);                                            // above the caption
    EXPECT_EQ(Bottom.Left, Box.Left + (Box.Width() - 10) / 2);                 // centred across
    Images->Free();
    EXPECT_EQ(Panel->GetImages(), nullptr);   // a freed image list is forgotten
}

TEST(ButtonAppearance, PropertiesByName)
{
    RegisterQorCalculatorButtonClasses();
    TFreePtr<TButtonAppearance> A(Create<TButtonAppearance>());
    SetPropValue(A.get(), L"GlowColorDown", L"clRed");
    SetPropValue(A.get(), L"Font.Size", L"12");
    EXPECT_EQ(A->GetGlowColorDown(), clRed);
    EXPECT_EQ(A->GetFont()->GetSize(), 12);
    TFreePtr<TCalcButtonItems> Items(Create<TCalcButtonItems>(nullptr));
    TCalcButtonItem* Item = Items->Add();
    SetPropValue(Item, L"Tag", L"37");
    SetPropValue(Item, L"Special", L"True");
    EXPECT_EQ(Item->GetTag(), caSqrt);
    EXPECT_TRUE(Item->GetSpecial());
}

TEST(ButtonAppearance, DefaultsAndCopies)
{
    TFreePtr<TButtonAppearance> A(Create<TButtonAppearance>());
    EXPECT_EQ(A->GetColorChecked(), TColor(0xF5D8CA));   // 0xF5F0E1 with red and green at 90 %
    EXPECT_EQ(A->GetColorCheckedTo(), TColor(0xF9BDA0));
    EXPECT_EQ(A->GetColorDisabled(), TColor(0xF2F2F2));
    EXPECT_TRUE(A->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(A->GetFont()->GetSize(), 10);

    int Changes = 0;
    A->OnChange = [&](TObject*) { ++Changes; };
    A->SetColor(A->GetColor());
    A->SetShineColor(clRed);
    EXPECT_EQ(Changes, 0);   // an unchanged value and the shine tell nothing
    A->SetColorHot(clBlue);
    EXPECT_EQ(Changes, 1);

    TFreePtr<TButtonAppearance> B(Create<TButtonAppearance>());
    B->SetGlowColorHot(clLime);
    B->SetSpecialTextColor(clGreen);
    B->GetFont()->SetSize(14);
    A->Assign(B.get());
    EXPECT_EQ(A->GetGlowColorHot(), clLime);
    EXPECT_EQ(A->GetSpecialTextColor(), clGreen);
    EXPECT_EQ(A->GetColorHot(), B->GetColorHot());
    EXPECT_EQ(A->GetFont()->GetSize(), 14);
}

} // namespace
