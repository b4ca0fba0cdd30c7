// The search panel on its own: its controls laid out at the grid's scale (and mirrored for
// right-to-left), the find buttons following the edit's text, every control reporting through
// the panel's events, and the edit that turns Return into a search instead of a line break.
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "grid/input/SearchPanel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A panel at a given DPI factor, as a grid with that factor would lay it out.
class TScaledSearchPanel : public TSearchPanel {
public:
    TScaledSearchPanel(TComponent* AOwner, double AScale) : TSearchPanel(AOwner), FScale(AScale) {}

protected:
    double DPIScale() const override { return FScale; }

private:
    double FScale;
};

class SearchPanel : public ::testing::Test {
protected:
    TSearchPanel* MakePanel(double Scale = 1.0, TBiDiMode BiDi = bdLeftToRight)
    {
        auto* P = new TScaledSearchPanel(Form, Scale);
        P->AfterConstruction();
        P->SetFindNextCaption(L"Find &next");
        P->SetFindPrevCaption(L"Find &previous");
        P->SetHighLightCaption(L"Highlight");
        P->SetMatchCaseCaption(L"Match case");
        P->SetHintFindNext(L"Find next occurrence");
        P->SetBiDiMode(BiDi);
        P->SetBounds(0, 0, 600, 34);
        P->SetParent(Form);
        P->HandleNeeded();
        P->OnForwardClick = [this](TObject* S) { Events.push_back(S == Panel ? L"forward" : L"?"); };
        P->OnBackwardClick = [this](TObject* S) { Events.push_back(S == Panel ? L"backward" : L"?"); };
        P->OnEditChange = [this](TObject* S) { Events.push_back(S == Panel ? L"change" : L"?"); };
        P->OnExitClick = [this](TObject* S) { Events.push_back(S == Panel ? L"exit" : L"?"); };
        P->OnHighLightClick = [this](TObject* S) { Events.push_back(S == Panel ? L"highlight" : L"?"); };
        P->OnMatchCaseClick = [this](TObject* S) { Events.push_back(S == Panel ? L"matchcase" : L"?"); };
        Panel = P;
        return P;
    }
    TForm* Form = ui::NewForm(600, 200);
    ui::FormGuard Guard{Form};
    TSearchPanel* Panel = nullptr;
    std::vector<String> Events;
};

int TextWidth(TControl* C, const String& Text)
{
    TDibSurface S(1, 1);
    S.Canvas()->GetFont()->Assign(C->GetFont());
    return S.Canvas()->TextWidth(Text);
}

TEST_F(SearchPanel, LaysOutItsControlsAtTheGridsScale)
{
    TSearchPanel* P = MakePanel();
    EXPECT_EQ(P->GetEdit()->GetBoundsRect().Left, 25);
    EXPECT_EQ(P->GetEdit()->GetTop(), 6);
    EXPECT_EQ(P->GetEdit()->GetWidth(), 110);
    EXPECT_EQ(P->GetForwardButton()->GetBoundsRect(), TRect(140, 5, 230, 28));
    EXPECT_EQ(P->GetBackwardButton()->GetBoundsRect(), TRect(235, 5, 325, 28));
    EXPECT_EQ(P->GetExitButton()->GetBoundsRect(), TRect(5, 7, 19, 21));
    EXPECT_EQ(P->GetHiliteButton()->GetBoundsRect(), TRect(330, 5, 420, 28));
    TControl* Box = P->GetMatchCase();
    EXPECT_EQ(Box->GetLeft(), 425);
    EXPECT_EQ(Box->GetTop(), 6);
    EXPECT_EQ(Box->GetWidth(), TextWidth(Box, L"Match case") + 18);
    EXPECT_EQ(P->GetResultLabel()->GetLeft(), 8 + 425 + Box->GetWidth());
    EXPECT_EQ(P->GetResultLabel()->GetTop(), 10);
    EXPECT_EQ(P->GetResultLabel()->GetCaption(), L"");

    EXPECT_EQ(P->GetForwardButton()->GetCaption(), L"Find &next");
    EXPECT_EQ(P->GetForwardButton()->GetHint(), L"Find next occurrence");
    EXPECT_TRUE(P->GetForwardButton()->GetShowHint());
    EXPECT_FALSE(P->GetBackwardButton()->GetShowHint());   // no hint text: no hint
    for (TControl* B : {static_cast<TControl*>(P->GetForwardButton()), static_cast<TControl*>(P->GetBackwardButton()),
                        static_cast<TControl*>(P->GetHiliteButton())})
        EXPECT_FALSE(B->GetEnabled());
    EXPECT_TRUE(P->GetExitButton()->GetEnabled());

    ui::Pump();
    TDibSurface S(600, 34);
    P->PaintTo(S.DC(), 0, 0);
    S.SavePng(SnapshotPath(L"SearchPanel.png"));
}

TEST_F(SearchPanel, AtOneAndAHalfTheEditIs165WideAndTheCloseButtonStaysAtTop7)
{
    TSearchPanel* P = MakePanel(1.5);
    EXPECT_EQ(P->GetEdit()->GetWidth(), 165);
    EXPECT_EQ(P->GetEdit()->GetTop(), 9);
    EXPECT_EQ(P->GetExitButton()->GetBoundsRect(), TRect(8, 7, 29, 28));
    EXPECT_EQ(P->GetForwardButton()->GetBoundsRect(), TRect(210, 8, 345, 42));
    EXPECT_EQ(P->GetMatchCase()->GetLeft(), 638);
    EXPECT_EQ(P->GetResultLabel()->GetTop(), 10);
}

TEST_F(SearchPanel, ARightToLeftPanelMirrorsTheEditAndTheButtons)
{
    TSearchPanel* P = MakePanel(1.0, bdRightToLeft);
    EXPECT_EQ(P->GetEdit()->GetLeft(), 600 - 110 - 25);
    EXPECT_EQ(P->GetForwardButton()->GetLeft(), 600 - 90 - 140);
    EXPECT_EQ(P->GetExitButton()->GetLeft(), 600 - 14 - 5);
    EXPECT_EQ(P->GetHiliteButton()->GetLeft(), 600 - 90 - 330);
    EXPECT_EQ(P->GetMatchCase()->GetLeft(), 425);   // the box is not mirrored
}

// Typed text, as the user types it (a multi-line edit reports no change for text set by code).
void Type(TWinControl* Edit, wchar_t Ch)
{
    SendMessageW(Edit->GetHandle(), WM_CHAR, Ch, 0);
}

TEST_F(SearchPanel, TheFindButtonsFollowTheEditsText)
{
    TSearchPanel* P = MakePanel();
    Type(P->GetEdit(), L'K');
    for (TControl* B : {static_cast<TControl*>(P->GetForwardButton()), static_cast<TControl*>(P->GetBackwardButton()),
                        static_cast<TControl*>(P->GetHiliteButton())})
        EXPECT_TRUE(B->GetEnabled());
    Type(P->GetEdit(), VK_BACK);
    EXPECT_FALSE(P->GetForwardButton()->GetEnabled());
    EXPECT_FALSE(P->GetHiliteButton()->GetEnabled());
    EXPECT_EQ(Events, (std::vector<String>{L"change", L"change"}));
}

TEST_F(SearchPanel, EveryControlReportsThroughThePanel)
{
    TSearchPanel* P = MakePanel();
    Type(P->GetEdit(), L'x');
    Events.clear();
    P->GetForwardButton()->Click();
    P->GetBackwardButton()->Click();
    P->GetExitButton()->Click();
    P->GetHiliteButton()->Click();
    P->GetMatchCase()->Click();
    EXPECT_EQ(Events, (std::vector<String>{L"forward", L"backward", L"exit", L"highlight", L"matchcase"}));
    // The highlight button stays down until clicked again.
    ui::Click(P->GetHiliteButton(), 5, 5);
    EXPECT_TRUE(P->GetHiliteButton()->GetDown());
    ui::Click(P->GetHiliteButton(), 5, 5);
    EXPECT_FALSE(P->GetHiliteButton()->GetDown());
    EXPECT_EQ(Events.back(), L"highlight");
}

TEST_F(SearchPanel, ReturnSearchesForwardCtrlReturnBackwardAndNeitherTypes)
{
    TSearchPanel* P = MakePanel();
    HWND Edit = P->GetEdit()->GetHandle();
    P->GetEdit()->SetText(L"Nord");
    Events.clear();
    std::vector<int> Pressed;
    P->GetEdit()->OnKeyPress = [&](TObject*, Char& Key) { Pressed.push_back(Key); };
    ui::SetKeyState({});
    SendMessageW(Edit, WM_KEYDOWN, VK_RETURN, ui::KeyData(VK_RETURN, false));
    EXPECT_EQ(SendMessageW(Edit, WM_CHAR, L'\r', ui::KeyData(VK_RETURN, false)), 0);
    ui::SetKeyState({ssCtrl});
    SendMessageW(Edit, WM_KEYDOWN, VK_RETURN, ui::KeyData(VK_RETURN, false));
    EXPECT_EQ(SendMessageW(Edit, WM_CHAR, L'\n', ui::KeyData(VK_RETURN, false)), 0);
    ui::SetKeyState({});
    EXPECT_EQ(Events, (std::vector<String>{L"forward", L"backward"}));
    EXPECT_EQ(Pressed, (std::vector<int>{L'\r', L'\n'}));
    EXPECT_EQ(P->GetEdit()->GetText(), L"Nord");
}

TEST_F(SearchPanel, PaintsItsColourOrItsGradientStart)
{
    TSearchPanel* P = MakePanel();
    P->SetColor(0x00E0F0FF);
    P->SetColorTo(clNone);
    EXPECT_EQ(P->GetColorTo(), clNone);
    ui::Pump();
    TDibSurface S(600, 34, clBlack);
    PaintWindowInto(P->GetHandle(), S, true);
    EXPECT_EQ(S.Pixel(595, 30), TColor(0x00E0F0FF));
}

TEST_F(SearchPanel, TheButtonsCarryTheGridsGlyphsAndTheBoxIsTheGridsCheckBox)
{
    TSearchPanel* P = MakePanel();
    for (TSearchPanelButton* B : {P->GetForwardButton(), P->GetBackwardButton(), P->GetHiliteButton()}) {
        EXPECT_EQ(B->GetGlyph()->GetWidth(), 16);
        EXPECT_FALSE(B->GetGlyphDisabled()->GetEmpty());
    }
    EXPECT_FALSE(P->GetExitButton()->GetGlyphHot()->GetEmpty());
    EXPECT_FALSE(P->GetExitButton()->GetGlyphDown()->GetEmpty());
    EXPECT_EQ(P->GetHiliteButton()->GetStyle(), tasCheck);
    EXPECT_EQ(P->GetMatchCase()->GetCaption(), L"Match case");

    // Painted: the close cross and the find buttons' arrows and captions show on the panel.
    Type(P->GetEdit(), L'x');
    ui::Pump();
    TDibSurface S(600, 34, clFuchsia);
    PaintWindowInto(P->GetHandle(), S, true);
    const TColor Ground = S.Pixel(599, 33);
    for (TControl* C : {static_cast<TControl*>(P->GetExitButton()), static_cast<TControl*>(P->GetForwardButton()),
                        static_cast<TControl*>(P->GetBackwardButton()), static_cast<TControl*>(P->GetHiliteButton())})
        EXPECT_GT(S.InkCount(C->GetBoundsRect(), Ground), 20) << C->GetBoundsRect().Left;
    S.SavePng(SnapshotPath(L"searchpanel_buttons.png"));
}

} // namespace
