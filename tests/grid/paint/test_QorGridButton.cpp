// test-needs: desktop
// The grid button through real mouse and control messages on a form: the down rules of push,
// group and check buttons, groups kept exclusive per parent (also under random clicking), the
// drop-down part, glyphs with their grey disabled copy and shadow, the looks and the XP scheme,
// the action link, and the faces painted in each state (with a snapshot sheet of every look).
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "framework/ActnList.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "graphics/QorStyleIF.h"
#include "grid/paint/QorGridButton.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// A 16 x 16 glyph: a magenta (transparent) ground with a blue 8 x 8 square at (4, 4).
constexpr TColor GlyphKey = 0x00FF00FF;
constexpr TColor GlyphInk = 0x00C00000;

TFreePtr<TBitmap> MakeGlyph(TColor Ink = GlyphInk)
{
    TFreePtr<TBitmap> B(Create<TBitmap>());
    B->SetPixelFormat(pf24bit);
    B->SetSize(16, 16);
    B->GetCanvas()->GetBrush()->SetColor(GlyphKey);
    B->GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    B->GetCanvas()->GetBrush()->SetColor(Ink);
    B->GetCanvas()->FillRect(TRect(4, 4, 12, 12));
    return B;
}

// The smallest rectangle of R holding pixels of that colour.
TRect ColorBounds(const TDibSurface& S, const TRect& R, TColor Color)
{
    TRect B(R.Right, R.Bottom, R.Left, R.Top);
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        for (int X = R.Left; X < R.Right; ++X)
            if (S.Pixel(X, Y) == Color) {
                B.Left = std::min(B.Left, X);
                B.Top = std::min(B.Top, Y);
                B.Right = std::max(B.Right, X + 1);
                B.Bottom = std::max(B.Bottom, Y + 1);
            }
    return B;
}

class GridButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterQorGridButtonClasses();
        ui::ShowAndActivate(Form);
    }
    TQorGridButton* Make(int X, int Y, const String& Caption = L"", TWinControl* Parent = nullptr)
    {
        auto* B = Create<TQorGridButton>(Form);
        B->SetBounds(X, Y, 60, 22);
        B->SetCaption(Caption);
        B->SetParent(Parent ? Parent : Form);
        B->OnClick = [this, B](TObject* S) { Clicks.push_back(S == B ? B : nullptr); };
        return B;
    }
    // The form's client area as painted now.
    std::unique_ptr<TDibSurface> Shot()
    {
        auto S = std::make_unique<TDibSurface>(Form->GetClientWidth(), Form->GetClientHeight(), clFuchsia);
        PaintWindowInto(Form->GetHandle(), *S, true);
        return S;
    }
    // Puts the real pointer at a client point of C: capturing the mouse makes the system report
    // a move to where the pointer really is.
    static void PointerAt(TControl* C, int X, int Y)
    {
        const TPoint P = C->ClientToScreen(TPoint(X, Y));
        SetCursorPos(P.X, P.Y);
        ui::Pump();
    }

    TForm* Form = ui::NewForm(420, 320);
    ui::FormGuard Guard{Form};
    std::vector<TQorGridButton*> Clicks;
};

// ---- Down rules ---------------------------------------------------------------------------------

struct DownCase {
    const wchar_t* Name;
    TQorGridButtonStyle Style;
    int Group;
    bool AllowAllUp;
    bool AfterFirst, AfterSecond;   // Down after one click and after a second
};

TEST_F(GridButton, ClicksFollowTheDownRulesOfEachKind)
{
    const DownCase Cases[] = {
        {L"push, no group: never stays down", tasButton, 0, false, false, false},
        {L"group, all-up off: stays down", tasButton, 1, false, true, true},
        {L"group, all-up on: clicked up again", tasButton, 1, true, true, false},
        {L"check, no group: toggles", tasCheck, 0, false, true, false},
    };
    int X = 10;
    for (const DownCase& C : Cases) {
        TQorGridButton* B = Make(X, 10, L"B");
        X += 70;
        B->SetStyle(C.Style);
        B->SetGroupIndex(C.Group);
        B->SetAllowAllUp(C.AllowAllUp);
        Clicks.clear();
        ui::Click(B, 5, 5);
        ui::Pump();
        EXPECT_EQ(B->GetDown(), C.AfterFirst) << C.Name;
        ui::Click(B, 5, 5);
        ui::Pump();
        EXPECT_EQ(B->GetDown(), C.AfterSecond) << C.Name;
        EXPECT_EQ(Clicks, (std::vector<TQorGridButton*>{B, B})) << C.Name;
        EXPECT_FALSE(B->GetDown() && B->GetState() == bsDown && C.Style == tasButton) << C.Name;
    }
    // By code as well: a push button without a group refuses to go down.
    TQorGridButton* Push = Make(10, 50);
    Push->SetDown(true);
    EXPECT_FALSE(Push->GetDown());
}

TEST_F(GridButton, ReleasedOutsideNeitherClicksNorToggles)
{
    TQorGridButton* Check = Make(10, 10, L"C");
    Check->SetStyle(tasCheck);
    TQorGridButton* Push = Make(80, 10, L"P");
    for (TQorGridButton* B : {Check, Push}) {
        PointerAt(B, 5, 5);
        ui::MouseDown(B, mbLeft, 5, 5);
        ui::Pump();
        EXPECT_EQ(B->GetState(), bsDown);
        PointerAt(B, 200, 200);
        ui::MouseMove(B, 200, 200, {ssLeft});
        ui::Pump();
        EXPECT_EQ(B->GetState(), bsUp);
        ui::MouseUp(B, mbLeft, 200, 200);
        ui::Pump();
        EXPECT_FALSE(B->GetDown());
        EXPECT_EQ(B->GetState(), bsUp);
    }
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(GridButton, OneButtonOfAGroupIsDownPerParent)
{
    auto* Panel = Create<TPanel>(Form);
    Panel->SetBounds(10, 150, 300, 40);
    Panel->SetParent(Form);
    TQorGridButton* A = Make(10, 10, L"A");
    TQorGridButton* B = Make(80, 10, L"B");
    TQorGridButton* C = Make(150, 10, L"C");
    TQorGridButton* Other = Make(220, 10, L"G2");
    TQorGridButton* Elsewhere = Make(5, 5, L"P", Panel);
    for (TQorGridButton* X : {A, B, C, Elsewhere}) X->SetGroupIndex(1);
    Other->SetGroupIndex(2);
    Other->SetDown(true);
    Elsewhere->SetDown(true);

    ui::Click(A, 5, 5);
    ui::Pump();
    EXPECT_TRUE(A->GetDown());
    EXPECT_EQ(A->GetState(), bsExclusive);
    ui::Click(B, 5, 5);
    ui::Pump();
    EXPECT_TRUE(B->GetDown());
    EXPECT_FALSE(A->GetDown());
    EXPECT_EQ(A->GetState(), bsUp);
    C->SetDown(true);
    EXPECT_FALSE(B->GetDown());
    // Another group and the same group on another parent are left alone.
    EXPECT_TRUE(Other->GetDown());
    EXPECT_TRUE(Elsewhere->GetDown());
    // The group takes over the all-up setting of the button that changed it.
    A->SetAllowAllUp(true);
    EXPECT_TRUE(B->GetAllowAllUp());
    EXPECT_TRUE(C->GetAllowAllUp());
    C->SetDown(false);
    EXPECT_FALSE(C->GetDown());
}

TEST_F(GridButton, RandomClicksKeepAtMostOneButtonDownPerGroup)
{
    std::vector<TQorGridButton*> Buttons;
    for (int I = 0; I < 8; ++I) {
        TQorGridButton* B = Make(10 + (I % 4) * 70, 10 + (I / 4) * 30, L"x");
        B->SetGroupIndex(1 + I / 4);
        Buttons.push_back(B);
    }
    std::mt19937 Rng(20261211);
    for (int Step = 0; Step < 150; ++Step) {
        TQorGridButton* B = Buttons[Rng() % Buttons.size()];
        switch (Rng() % 4) {
        case 0: B->SetDown(!B->GetDown()); break;
        case 1: B->SetAllowAllUp(Rng() % 2 == 0); break;
        default:
            ui::Click(B, 1 + int(Rng() % 58), 1 + int(Rng() % 20));
            ui::Pump();
        }
        for (int G = 0; G < 2; ++G) {
            int Down = 0;
            for (int I = 0; I < 4; ++I) Down += Buttons[size_t(G * 4 + I)]->GetDown() ? 1 : 0;
            ASSERT_LE(Down, 1) << "step " << Step << ", group " << G + 1;
        }
    }
}

// ---- Drop-down part, accelerator, double click ---------------------------------------------------

TEST_F(GridButton, TheDropDownPartFiresOnDropDownAndNoClick)
{
    TQorGridButton* B = Make(10, 10, L"Menu");
    B->SetDropDownButton(true);
    int Drops = 0;
    B->OnDropDown = [&](TObject*) { ++Drops; };
    ui::Click(B, 60 - 5, 10);
    ui::Pump();
    EXPECT_EQ(Drops, 1);
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(B->GetState(), bsUp);
    ui::Click(B, 60 - 13, 10);   // just left of the part
    ui::Pump();
    EXPECT_EQ(Drops, 1);
    EXPECT_EQ(Clicks.size(), 1u);

    // A menu freed first is let go of.
    auto* Menu = Create<TPopupMenu>(Form);
    B->SetDropDownMenu(Menu);
    EXPECT_EQ(B->GetDropDownMenu(), Menu);
    delete Menu;
    EXPECT_EQ(B->GetDropDownMenu(), nullptr);
}

TEST_F(GridButton, TheAcceleratorClicksAnEnabledButtonAndADoubleClickCountsOnlyWhenDown)
{
    TQorGridButton* B = Make(10, 10, L"&Find");
    EXPECT_EQ(B->Perform(CM_DIALOGCHAR, L'f'), 1);
    EXPECT_EQ(Clicks.size(), 1u);
    EXPECT_EQ(B->Perform(CM_DIALOGCHAR, L'x'), 0);
    B->SetEnabled(false);
    B->Perform(CM_DIALOGCHAR, L'f');
    EXPECT_EQ(Clicks.size(), 1u);
    B->SetEnabled(true);

    int Doubles = 0;
    B->OnDblClick = [&](TObject*) { ++Doubles; };
    B->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Doubles, 0);
    B->SetGroupIndex(3);
    B->SetDown(true);
    B->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Doubles, 1);
}

// ---- Glyphs, margins, looks ----------------------------------------------------------------------

TEST_F(GridButton, EachNewGlyphGetsItsOwnGreyCopyUnlessADisabledGlyphWasGiven)
{
    TQorGridButton* B = Make(10, 10);
    auto First = MakeGlyph();
    B->SetGlyph(First.get());
    // (0 + 0 + 0xC0) / 3 = 64, 64 div 2 + 96 = 128; the ground (255 + 0 + 255) / 3 = 170 -> 181.
    auto Grey = [](TBitmap* G, int X, int Y) { return G->GetCanvas()->GetPixels(X, Y); };
    EXPECT_EQ(Grey(B->GetGlyphDisabled(), 6, 6), TColor(0x808080));
    EXPECT_EQ(Grey(B->GetGlyphDisabled(), 0, 0), TColor(0xB5B5B5));
    // A second glyph is not hidden behind the first one's grey copy.
    auto Second = MakeGlyph(0x000000FF);   // red: (255 / 3 = 85) div 2 + 96 = 138
    B->SetGlyph(Second.get());
    EXPECT_EQ(Grey(B->GetGlyphDisabled(), 6, 6), TColor(0x8A8A8A));
    // A disabled glyph of one's own stays through later glyphs.
    auto Own = MakeGlyph(clLime);
    B->SetGlyphDisabled(Own.get());
    B->SetGlyph(First.get());
    EXPECT_EQ(Grey(B->GetGlyphDisabled(), 6, 6), clLime);
    // Emptied, it is generated again.
    B->SetGlyphDisabled(nullptr);
    B->SetGlyph(Second.get());
    EXPECT_EQ(Grey(B->GetGlyphDisabled(), 6, 6), TColor(0x8A8A8A));
}

TEST_F(GridButton, TheShadowIsAGreySilhouetteOfTheCurrentGlyph)
{
    TQorGridButton* B = Make(10, 10);
    auto Square = MakeGlyph();
    B->SetGlyph(Square.get());
    TBitmap* Shade = B->GetGlyphShade();
    ASSERT_FALSE(Shade->GetEmpty());
    EXPECT_EQ(Shade->GetCanvas()->GetPixels(6, 6), TColor(0x808080));
    EXPECT_EQ(Shade->GetCanvas()->GetPixels(1, 1), GlyphKey);
    // A new glyph of another shape gets its own silhouette, not the old one's.
    TFreePtr<TBitmap> Bar(Create<TBitmap>());
    Bar->SetPixelFormat(pf24bit);
    Bar->SetSize(16, 16);
    Bar->GetCanvas()->GetBrush()->SetColor(GlyphKey);
    Bar->GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    Bar->GetCanvas()->GetBrush()->SetColor(GlyphInk);
    Bar->GetCanvas()->FillRect(TRect(0, 0, 16, 2));
    B->SetGlyph(Bar.get());
    EXPECT_EQ(B->GetGlyphShade()->GetCanvas()->GetPixels(6, 6), GlyphKey);
    EXPECT_EQ(B->GetGlyphShade()->GetCanvas()->GetPixels(6, 1), TColor(0x808080));
}

TEST_F(GridButton, MarginsBelowMinusOneAreIgnored)
{
    TQorGridButton* B = Make(10, 10);
    B->SetMargin(3);
    B->SetMargin(-2);
    EXPECT_EQ(B->GetMargin(), 3);
    B->SetMargin(-1);
    EXPECT_EQ(B->GetMargin(), -1);
}

TEST_F(GridButton, LooksSetTheirColoursAndTheXPSchemeChoosesOne)
{
    TQorGridButton* B = Make(10, 10);
    B->SetBorderColor(clRed);
    B->SetFlat(false);
    for (int Look = 0; Look <= 6; ++Look) {
        B->SetLook(Look);
        EXPECT_EQ(B->GetRounded(), Look == 0) << Look;
        EXPECT_TRUE(B->GetFlat()) << Look;
        EXPECT_EQ(B->GetBorderColor(), clNone) << Look;
    }
    B->SetLook(2);
    EXPECT_EQ(B->GetColor(), TColor(0xFDEADA));
    EXPECT_EQ(B->GetColorCheckedTo(), TColor(0x55ADFF));
    B->SetLook(7);   // no such look
    EXPECT_EQ(B->GetLook(), 2);
    EXPECT_EQ(B->GetColor(), TColor(0xFDEADA));

    auto& O = QorStyleIF::DetectionOverrides();
    const auto Saved = O;
    struct SchemeCase {
        bool Active;
        const wchar_t* Scheme;
        int Look;
    } Cases[] = {{true, L"NormalColor", 2}, {true, L"HomeStead", 3}, {true, L"Metallic", 4},
                 {true, L"Royale", 1}, {false, L"NormalColor", 1}};
    for (const SchemeCase& C : Cases) {
        O.WindowsMajor = 5;
        O.WindowsMinor = 1;
        O.ThemeActive = C.Active;
        O.ThemeColorName = String(C.Scheme);
        B->SetAutoThemeAdapt(false);
        B->SetAutoThemeAdapt(true);
        EXPECT_EQ(B->GetLook(), C.Look) << C.Scheme << " " << C.Active;
    }
    // The adaptation follows a theme change while it is on.
    O.ThemeColorName = String(L"Metallic");
    O.ThemeActive = true;
    B->Perform(WM_THEMECHANGED);
    EXPECT_EQ(B->GetLook(), 4);
    O = Saved;
}

// ---- Action link ---------------------------------------------------------------------------------

TEST_F(GridButton, AnActionGivesCaptionGroupAndCheckedStateAndRunsOnClick)
{
    RegisterActnList();
    TFreePtr<TAction> Action(Create<TAction>(nullptr));
    Action->SetCaption(L"Fremhæv");
    Action->SetGroupIndex(4);
    Action->SetChecked(true);
    int Runs = 0;
    Action->OnExecute = [&](TObject*) { ++Runs; };
    TQorGridButton* B = Make(10, 10);
    B->OnClick = nullptr;
    B->SetAllowAllUp(true);
    B->SetAction(Action.get());
    EXPECT_EQ(B->GetCaption(), L"Fremhæv");
    EXPECT_EQ(B->GetGroupIndex(), 4);
    EXPECT_TRUE(B->GetDown());
    // Later values follow while the button shows the action's.
    Action->SetChecked(false);
    EXPECT_FALSE(B->GetDown());
    Action->SetCaption(L"Marker");
    EXPECT_EQ(B->GetCaption(), L"Marker");
    ui::Click(B, 5, 5);
    ui::Pump();
    EXPECT_EQ(Runs, 1);
    // Another button of the group going down clears the action's checked state.
    Action->SetChecked(true);
    ASSERT_TRUE(B->GetDown());
    TQorGridButton* Other = Make(80, 10, L"O");
    Other->SetGroupIndex(4);
    Other->SetDown(true);
    EXPECT_FALSE(B->GetDown());
    EXPECT_FALSE(Action->GetChecked());
    B->SetAction(nullptr);
}

// ---- Painting ------------------------------------------------------------------------------------

TEST_F(GridButton, FacesShowTheColoursOfEachState)
{
    TQorGridButton* B = Make(10, 10, L"Søg");
    B->SetColor(0x00E0F0E0);
    B->SetColorHot(0x0000C0FF);
    B->SetColorDown(0x00FF8000);
    B->SetColorChecked(0x004080FF);
    const TPoint Face(B->GetLeft() + 3, B->GetTop() + 3);
    ui::Pump();
    EXPECT_EQ(Shot()->Pixel(Face.X, Face.Y), TColor(0x00E0F0E0));

    // Hovered: the pointer moving over the button makes it the mouse control.
    PointerAt(B, 5, 5);
    ui::MouseMove(B, 5, 5);
    ui::Pump();
    ASSERT_TRUE(B->GetMouseInControl());
    EXPECT_EQ(Shot()->Pixel(Face.X, Face.Y), TColor(0x0000C0FF));
    // Pressed while hovered.
    ui::MouseDown(B, mbLeft, 5, 5);
    ui::Pump();
    EXPECT_EQ(Shot()->Pixel(Face.X, Face.Y), TColor(0x00FF8000));
    PointerAt(B, 200, 200);
    ui::MouseUp(B, mbLeft, 200, 200);
    ui::Pump();
    B->Perform(CM_MOUSELEAVE);
    // Down in a group and not hovered: the checked colour over the grown face.
    B->SetGroupIndex(1);
    B->SetDown(true);
    EXPECT_FALSE(B->GetMouseInControl());
    auto S = Shot();
    EXPECT_EQ(S->Pixel(Face.X, Face.Y), TColor(0x004080FF));
    EXPECT_EQ(S->Pixel(B->GetLeft() + 1, B->GetTop() + 1), TColor(0x004080FF));
    // A gradient runs from Color at the top to ColorTo at the bottom.
    B->SetDown(false);
    B->SetAllowAllUp(true);
    B->SetDown(false);
    B->SetColor(clWhite);
    B->SetColorTo(clBlack);
    S = Shot();
    EXPECT_GT(GetRValue(S->Pixel(Face.X, B->GetTop() + 2)), 0xE0);
    EXPECT_LT(GetRValue(S->Pixel(Face.X, B->GetTop() + 19)), 0x30);
}

TEST_F(GridButton, ADisabledCaptionIsEmbossedAndTheGlyphDrawnWithoutItsGround)
{
    TQorGridButton* B = Make(10, 10, L"Luk");
    auto Glyph = MakeGlyph();
    B->SetGlyph(Glyph.get());
    ui::Pump();
    auto S = Shot();
    const TRect R = B->GetBoundsRect();
    EXPECT_GT(S->CountColor(R, GlyphInk), 40);
    EXPECT_EQ(S->CountColor(R, GlyphKey), 0);
    EXPECT_GT(S->CountColor(R, clBlack), 5);   // the caption in the font colour

    B->SetEnabled(false);
    S = Shot();
    EXPECT_EQ(S->CountColor(R, GlyphInk), 0);              // the grey copy instead
    EXPECT_GT(S->CountColor(R, TColor(0x808080)), 40);
    EXPECT_GT(S->CountColor(R, ColorToRGB(clBtnHighlight)), 5);
    EXPECT_GT(S->CountColor(R, ColorToRGB(clBtnShadow)), 5);
    EXPECT_EQ(S->CountColor(R, clBlack), 0);
}

TEST_F(GridButton, AHoveredShadedGlyphLiftsOverItsShadow)
{
    TQorGridButton* B = Make(10, 10, L"x");
    B->SetColor(clWhite);
    B->SetColorHot(clWhite);
    auto Glyph = MakeGlyph();
    B->SetGlyph(Glyph.get());
    auto S = Shot();
    const TRect Rest = ColorBounds(*S, B->GetBoundsRect(), GlyphInk);
    ASSERT_EQ(Rest.Width(), 8);
    EXPECT_EQ(S->CountColor(B->GetBoundsRect(), TColor(0x808080)), 0);
    ui::MouseMove(B, 5, 5);
    ui::Pump();
    ASSERT_TRUE(B->GetMouseInControl());
    S = Shot();
    // The glyph one pixel up and left, its grey silhouette two pixels below and right of that.
    EXPECT_EQ(ColorBounds(*S, B->GetBoundsRect(), GlyphInk), TRect(Rest.Left - 1, Rest.Top - 1, Rest.Right - 1, Rest.Bottom - 1));
    EXPECT_EQ(S->Pixel(Rest.Right, Rest.Bottom), TColor(0x808080));
    B->SetShaded(false);
    S = Shot();
    EXPECT_EQ(ColorBounds(*S, B->GetBoundsRect(), GlyphInk), Rest);
    EXPECT_EQ(S->CountColor(B->GetBoundsRect(), TColor(0x808080)), 0);
}

TEST_F(GridButton, TheDropDownPartHasATriangleInTheFontColour)
{
    TQorGridButton* B = Make(10, 10, L"");
    B->SetDropDownButton(true);
    B->GetFont()->SetColor(clRed);
    auto S = Shot();
    const TRect Part(B->GetLeft() + 60 - 12, B->GetTop(), B->GetLeft() + 60, B->GetTop() + 22);
    EXPECT_GT(S->CountColor(Part, clRed), 2);
    EXPECT_EQ(S->CountColor(B->GetBoundsRect(), clRed), S->CountColor(Part, clRed));
}

// Every look in every state, side by side, for a person to look at; the first row is the system
// push button of a button that is not flat.
TEST_F(GridButton, SnapshotSheetOfTheLooksAndStates)
{
    Form->SetClientWidth(640);
    Form->SetClientHeight(260);
    const wchar_t* States[] = {L"normal", L"hot", L"pressed", L"down", L"checked", L"disabled", L"drop", L"glyph"};
    constexpr int W = 72, H = 26;
    auto Glyph = MakeGlyph();
    TDibSurface Sheet(8 * (W + 4) + 4, 8 * (H + 4) + 4, clWhite);
    for (int Look = -1; Look <= 6; ++Look) {
        for (int State = 0; State < 8; ++State) {
            TQorGridButton* B = Make(20, 20, State == 7 ? String() : String(States[State]));
            B->SetBounds(20, 20, W, H);
            if (Look < 0) B->SetFlat(false);
            else B->SetLook(Look);
            B->SetGlyph(Glyph.get());
            switch (State) {
            case 1: PointerAt(B, 5, 5); ui::MouseMove(B, 5, 5); break;
            case 2: PointerAt(B, 5, 5); ui::MouseMove(B, 5, 5); ui::MouseDown(B, mbLeft, 5, 5); break;
            case 3: B->SetGroupIndex(9); B->SetDown(true); break;
            case 4: B->SetStyle(tasCheck); B->SetDown(true); break;
            case 5: B->SetEnabled(false); break;
            case 6: B->SetDropDownButton(true); PointerAt(B, 5, 5); ui::MouseMove(B, 5, 5); break;
            default: break;
            }
            ui::Pump();
            auto S = Shot();
            EXPECT_TRUE(S->HasInk(B->GetBoundsRect())) << Look << " " << State;
            BitBlt(Sheet.DC(), 4 + State * (W + 4), 4 + (Look + 1) * (H + 4), W, H, S->DC(), 20, 20, SRCCOPY);
            PointerAt(B, 400, 200);
            if (State == 2) ui::MouseUp(B, mbLeft, 400, 200);
            ui::Pump();
            B->Perform(CM_MOUSELEAVE);
            delete B;
        }
    }
    EXPECT_TRUE(Sheet.SavePng(SnapshotPath(L"qorgridbutton_looks.png")));
}

}  // namespace
