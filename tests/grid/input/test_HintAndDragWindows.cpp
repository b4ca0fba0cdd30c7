// The grid's HTML hint window sizes itself to its text (HTML or packed wide text) plus margins and
// stays on its monitor; the header drag button draws its caption centred, cut with an ellipsis,
// or as HTML. The hints are topmost windows on the screen, so they wait for the desktop.
// test-needs: desktop
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "graphics/QorUtilText.h"
#include "grid/input/HTMLHintWindow.h"
#include "grid/input/HeaderDragButton.h"

#include <gtest/gtest.h>

namespace {

class HintWindow : public ::testing::Test {
protected:
    THTMLHintWindow* Hint = Create<THTMLHintWindow>(Application);
    ~HintWindow() override
    {
        Hint->Free();
        ui::Pump();
    }
    TRect WindowRect()
    {
        RECT R{};
        GetWindowRect(Hint->GetHandle(), &R);
        return TRect(R.left, R.top, R.right, R.bottom);
    }
};

TEST_F(HintWindow, FitsAnHTMLTextPlusItsMargins)
{
    const String Text = L"<b>Spil 12</b><br>N/Alle";
    TRect Measured = Hint->CalcHintRect(1000, Text, nullptr);
    EXPECT_EQ(Measured.Left, 0);
    EXPECT_EQ(Measured.Top, 0);
    EXPECT_GT(Measured.Width(), 20);
    EXPECT_GT(Measured.Height(), 20);   // two lines

    Hint->ActivateHint(TRect(100, 100, 101, 101), Text);
    ui::Pump();
    EXPECT_TRUE(IsWindowVisible(Hint->GetHandle()));
    EXPECT_EQ(Hint->GetTextWidth(), Measured.Width());
    EXPECT_EQ(Hint->GetTextHeight(), Measured.Height());
    EXPECT_EQ(WindowRect(), TRect(100, 100, 100 + Measured.Width() + 16, 100 + Measured.Height() + 4));
    EXPECT_TRUE(Hint->GetWideCaption().empty());

    TDibSurface S(WindowRect().Width(), WindowRect().Height(), clBlack);
    PaintWindowInto(Hint->GetHandle(), S);
    S.SavePng(SnapshotPath(L"HTMLHintWindow.png"));
    EXPECT_TRUE(S.HasInk(TRect(4, 2, S.Width() - 4, S.Height() - 2)));
}

TEST_F(HintWindow, ShowsAPackedWideTextDecodedOnOneLine)
{
    const WideString Wide = L"\u2660 K 10 9 4 \u2665";
    Hint->ActivateHint(TRect(100, 100, 101, 101), QorUtil::EncodeWideStr(Wide));
    EXPECT_EQ(Hint->GetWideCaption(), Wide);
    TRect Measured = Hint->CalcHintRect(1000, QorUtil::EncodeWideStr(Wide), nullptr);
    EXPECT_EQ(WindowRect().Width(), Measured.Width() + 8);
    EXPECT_EQ(WindowRect().Height(), Measured.Height() + 4);
}

TEST_F(HintWindow, StaysTwoPixelsInsideItsMonitor)
{
    TRect MB = Screen->MonitorFromPoint(TPoint(100, 100))->GetBoundsRect();
    Hint->ActivateHint(TRect(MB.Right - 10, MB.Bottom - 5, MB.Right, MB.Bottom), L"A hint that does not fit");
    EXPECT_EQ(WindowRect().Right, MB.Right - 2);
    EXPECT_EQ(WindowRect().Bottom, MB.Bottom - 2);
}

class DragButton : public ::testing::Test {
protected:
    TForm* Form = ui::NewForm(200, 100);
    ui::FormGuard Guard{Form};
    THeaderDragButton* Button = Create<THeaderDragButton>(Form);
    std::unique_ptr<TDibSurface> Paint(const String& Caption)
    {
        Button->SetVisible(false);
        Button->SetCaption(Caption);
        Button->SetBounds(0, 0, 80, 20);
        auto S = std::make_unique<TDibSurface>(80, 20, clBtnFace);
        PaintWindowInto(Button->GetHandle(), *S, true);
        return S;
    }
};

TEST_F(DragButton, CentresAShortCaptionAndEndsALongOneInAnEllipsis)
{
    auto Short = Paint(L"Nr");
    TRect Ink = Short->InkBounds(Short->Bounds(), ColorToRGB(clBtnFace));
    ASSERT_FALSE(Ink.Width() == 0);
    EXPECT_NEAR((Ink.Left + Ink.Right) / 2.0, 40, 3);
    EXPECT_NEAR((Ink.Top + Ink.Bottom) / 2.0, 10, 3);

    auto Long = Paint(L"Navn p\u00e5 spilleren ved bord \u00e9t i runde fem");
    Ink = Long->InkBounds(Long->Bounds(), ColorToRGB(clBtnFace));
    EXPECT_GE(Ink.Left, 0);
    EXPECT_LE(Ink.Right, 80);
    EXPECT_LT(Ink.Left, 6);   // it fills the width: cut, not squeezed into the middle
}

TEST_F(DragButton, DrawsAnHTMLCaptionThroughTheHTMLEngine)
{
    auto Plain = Paint(L"<b>Nr</b>");   // drawn as markup: the tags are not shown
    auto Text = Paint(L"Nr");
    TRect A = Plain->InkBounds(Plain->Bounds(), ColorToRGB(clBtnFace));
    TRect B = Text->InkBounds(Text->Bounds(), ColorToRGB(clBtnFace));
    EXPECT_GT(A.Width(), 0);
    EXPECT_LT(A.Width(), B.Width() + 10);   // no "<b>" letters
    Plain->SavePng(SnapshotPath(L"HeaderDragButtonHTML.png"));
}

} // namespace
