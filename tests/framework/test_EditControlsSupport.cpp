// test-needs: desktop
// Framework pieces the edit controls stand on: bevels in a windowed control's non-client area,
// WM_NEXTDLGCTL on forms, a date-time picker whose check box code clears, and glyphs drawn with
// their key colour left out.
#include "framework/ComCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/TypInfo.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

class FrameworkFor : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStdCtrls();
        Form = ui::NewForm(400, 300);
        Guard = std::make_unique<ui::FormGuard>(Form);
        for (int I = 0; I < 3; ++I) {
            Edits[I] = Create<TEdit>(Form);
            Edits[I]->SetBounds(10, 10 + 40 * I, 120, 21);
            Edits[I]->SetParent(Form);
        }
        ui::ShowAndActivate(Form);
    }
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TEdit* Edits[3] = {};
};

}  // namespace

TEST_F(FrameworkFor, BevelsTakeTheirWidthFromTheClientAreaOnTheirEdges)
{
    TEdit* E = Edits[0];
    E->SetBevelKind(bkNone);
    const TRect Plain = E->GetClientRect();
    struct Case {
        TBevelKind Kind;
        TBevelCut Inner, Outer;
        int Width;
        TBevelEdges Edges;
        int DW, DH;   // the client area's loss
    } Cases[] = {
        {bkFlat, bvRaised, bvLowered, 1, {beLeft, beTop, beRight, beBottom}, 4, 4},
        {bkSoft, bvNone, bvRaised, 2, {beLeft, beTop, beRight, beBottom}, 4, 4},
        {bkTile, bvLowered, bvNone, 1, {beLeft, beTop}, 1, 1},
        {bkNone, bvRaised, bvRaised, 3, {beLeft}, 0, 0},
    };
    for (const Case& C : Cases) {
        E->SetBevelInner(C.Inner);
        E->SetBevelOuter(C.Outer);
        E->SetBevelWidth(C.Width);
        E->SetBevelEdges(C.Edges);
        E->SetBevelKind(C.Kind);
        RECT R;
        ::GetClientRect(E->GetHandle(), &R);
        EXPECT_EQ(Plain.Width() - R.right, C.DW) << int(C.Kind);
        EXPECT_EQ(Plain.Height() - R.bottom, C.DH) << int(C.Kind);
    }
    // Drawn: a flat bevel paints the ring the client area gave up.
    E->SetBevelEdges({beLeft, beTop, beRight, beBottom});
    E->SetBevelWidth(1);
    E->SetBevelKind(bkFlat);
    auto S = CaptureWindowAsShown(E->GetHandle());
    EXPECT_LT(S->CountColor(TRect{2, 2, 4, S->Height() - 2}, clWhite), 2 * (S->Height() - 4));

    // Published, with the class library's defaults.
    EXPECT_EQ(GetEnumProp(Edits[1], L"BevelKind"), L"bkNone");
    EXPECT_EQ(GetEnumProp(Edits[1], L"BevelInner"), L"bvRaised");
    EXPECT_EQ(GetEnumProp(Edits[1], L"BevelOuter"), L"bvLowered");
    SetPropValue(Edits[1], L"BevelEdges", L"[beTop]");
    EXPECT_EQ(Edits[1]->GetBevelEdges(), TBevelEdges{beTop});
}

TEST_F(FrameworkFor, NextDlgCtlMovesTheFocusAsAskedFor)
{
    Edits[0]->SetFocus();
    ui::Pump();
    SendMessageW(Form->GetHandle(), WM_NEXTDLGCTL, 0, 0);
    EXPECT_TRUE(Edits[1]->Focused());
    SendMessageW(Form->GetHandle(), WM_NEXTDLGCTL, 1, 0);
    EXPECT_TRUE(Edits[0]->Focused());
    SendMessageW(Form->GetHandle(), WM_NEXTDLGCTL, WPARAM(Edits[2]->GetHandle()), TRUE);
    EXPECT_TRUE(Edits[2]->Focused());
    SendMessageW(Form->GetHandle(), WM_NEXTDLGCTL, 0, 0);   // round to the first
    EXPECT_TRUE(Edits[0]->Focused());
}

TEST_F(FrameworkFor, APickersCheckBoxClearedByCodeShowsNoValue)
{
    auto* P = Create<TDateTimePicker>(Form);
    P->SetBounds(150, 10, 150, 24);
    P->SetParent(Form);
    P->SetShowCheckbox(true);
    P->SetChecked(false);
    SYSTEMTIME ST{};
    EXPECT_EQ(SendMessageW(P->GetHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&ST)), GDT_NONE);
    P->SetChecked(true);
    EXPECT_EQ(SendMessageW(P->GetHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&ST)), GDT_VALID);
}

TEST(TransparentDrawing, LeavesTheKeyColourOutAsThePlatformsCallDoes)
{
    TDibSurface Glyph(9, 6, clOlive);
    Glyph.Canvas()->GetBrush()->SetColor(clBlack);
    Glyph.Canvas()->FillRect(TRect{2, 1, 7, 5});
    Glyph.Canvas()->GetPen()->SetColor(clRed);
    Glyph.Canvas()->MoveTo(0, 0);
    Glyph.Canvas()->LineTo(9, 6);
    TDibSurface Ours(20, 12, clAqua), Theirs(20, 12, clAqua);
    Ours.Canvas()->GetBrush()->SetColor(clYellow);
    Ours.Canvas()->FillRect(TRect{0, 0, 10, 12});
    Theirs.Canvas()->GetBrush()->SetColor(clYellow);
    Theirs.Canvas()->FillRect(TRect{0, 0, 10, 12});
    TransparentDraw(Ours.DC(), 5, 3, 9, 6, Glyph.DC(), 0, 0, ColorToRGB(clOlive));
    TransparentBlt(Theirs.DC(), 5, 3, 9, 6, Glyph.DC(), 0, 0, 9, 6, ColorToRGB(clOlive));
    EXPECT_EQ(Ours.DiffCount(Theirs), 0);
    EXPECT_EQ(Ours.CountColor(Ours.Bounds(), clOlive), 0);
    EXPECT_GT(Ours.CountColor(Ours.Bounds(), clBlack), 10);
}
