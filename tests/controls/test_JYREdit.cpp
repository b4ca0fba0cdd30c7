// test-needs: desktop
// The edit with a button and the unit edit through real messages: F4 and the button's release,
// the formatting rectangle beside the button and the unit, the unit split and the unit menu (once
// shown for real and driven by a timer), input with the editor off, one-line values, the unit's
// painting on either side, and the painted and image speed buttons.
#include "controls/JYREdit.h"
#include "controls/JyrControls.h"
#include "framework/Clipbrd.h"
#include "framework/ClassesLists.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>

using namespace JYREdit;

namespace {

class EditBtn : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterEditBtn();
        JyrControls::SetBeepMuted(true);
        Form = ui::NewForm(400, 200);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Edit = Create<TJyrEditBtn>(Form);
        Edit->SetBounds(10, 10, 150, 21);
        Edit->SetParent(Form);
        Edit->OnClickBtn = [this](TObject* Sender) { Clicks.push_back(Sender); };
        Unit = Create<TJyrUnitEditBtn>(Form);
        Unit->SetBounds(10, 60, 150, 21);
        Unit->SetParent(Form);
        TStringList* L = Create<TStringList>();
        L->SetText(L"m\r\ncm\r\nmm\r\n\r\n");
        Unit->SetUnits(L);
        L->Free();
        Unit->OnUnitChanged = [this](TObject*, const String& U) { Changes.push_back(U); };
        ui::ShowAndActivate(Form);
        Edit->SetFocus();
        ui::Pump();
    }
    int TextRight(TCustomEdit* E)
    {
        RECT R{};
        SendMessageW(E->GetHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
        return R.right;
    }

    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TJyrEditBtn* Edit = nullptr;
    TJyrUnitEditBtn* Unit = nullptr;
    std::vector<TObject*> Clicks;
    std::vector<String> Changes;
};

// Picks the menu's item Index (from 0) once the unit menu shows.
int GMenuIndex = 0;
bool GMenuSeen = false;
void CALLBACK DriveMenu(HWND, UINT, UINT_PTR Id, DWORD)
{
    HWND Menu = FindWindowW(L"#32768", nullptr);
    if (!Menu) return;
    KillTimer(nullptr, Id);
    GMenuSeen = true;
    for (int I = 0; I <= GMenuIndex; ++I) PostMessageW(Menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(Menu, WM_KEYDOWN, VK_RETURN, 0);
}

}  // namespace

TEST_F(EditBtn, F4ClicksTheButtonUnlessCtrlOrAltIsHeld)
{
    ui::PressKey(VK_F4);
    ASSERT_EQ(Clicks.size(), 1u);
    EXPECT_EQ(Clicks[0], Edit);   // F4 passes the edit
    ui::PressKey(VK_F4, TShiftState{ssCtrl});
    ui::PressKey(VK_F4, TShiftState{ssAlt});
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(EditBtn, TheButtonClicksOnReleaseAndGivesTheEditTheFocus)
{
    Unit->SetFocus();
    ui::Pump();
    TQorSpeedButton* B = Edit->GetButton()->GetButton();
    ui::MouseDown(B, mbLeft, 5, 5);
    EXPECT_TRUE(Clicks.empty());
    ui::MouseUp(B, mbLeft, 5, 5);
    ASSERT_EQ(Clicks.size(), 1u);
    EXPECT_EQ(Clicks[0], Edit->GetButton());   // a mouse click passes the button host
    EXPECT_TRUE(Edit->Focused());
    ui::MouseDown(B, mbRight, 5, 5);
    ui::MouseUp(B, mbRight, 5, 5);
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(EditBtn, TheTextEndsBeforeTheButtonAndTheUnit)
{
    const int Plain = TextRight(Edit);
    Edit->SetUnitSize(20);
    EXPECT_EQ(TextRight(Edit), Plain - 23);
    Edit->SetUnitSize(-5);   // bad: none
    EXPECT_EQ(TextRight(Edit), Plain);

    // The button at either side, kept its width; ButtonWidth reads what was set.
    EXPECT_EQ(Edit->GetButtonWidth(), 0);
    Edit->SetButtonWidth(24);
    EXPECT_EQ(Edit->GetButton()->GetWidth(), 24);
    EXPECT_EQ(Edit->GetButton()->GetLeft(), Edit->GetWidth() - 24 - 5);
    EXPECT_EQ(TextRight(Edit), Plain - 6);
    Edit->SetButtonAlign(btnLeft);
    EXPECT_EQ(Edit->GetButton()->GetLeft(), 5);
    RECT R{};
    SendMessageW(Edit->GetHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
    EXPECT_GE(R.left, 24);
}

TEST_F(EditBtn, AValueSplitsAtTheLongestUnitItEndsWith)
{
    struct Case {
        const wchar_t* Value;
        const wchar_t* Text;
        const wchar_t* UnitID;
    } Cases[] = {
        {L"12cm", L"12", L"cm"},   // not "12c" with "m"
        {L"12mm", L"12", L"mm"},
        {L"7m", L"7", L"m"},
        {L"5kg", L"7", L"m"},      // no unit: both stay
        {L"m", L"", L"m"},
        {L"", L"", L"m"},
    };
    for (const Case& C : Cases) {
        Unit->SetTextAndUnit(C.Value);
        EXPECT_EQ(Unit->GetText(), C.Text) << C.Value;
        EXPECT_EQ(Unit->GetUnitID(), C.UnitID) << C.Value;
    }
    EXPECT_EQ(Unit->GetTextAndUnit(), L"m");
    EXPECT_TRUE(Unit->GetRightAlign());
    EXPECT_EQ(Unit->GetUnitSpace(), 20);
}

TEST_F(EditBtn, TheUnitMenuPicksAUnitAndTellsOfAChange)
{
    Unit->SetUnitID(L"m");
    Unit->SetFocus();
    ui::Pump();
    GMenuIndex = 1;
    GMenuSeen = false;
    UINT_PTR T = SetTimer(nullptr, 0, 30, &DriveMenu);
    ui::PressKey(VK_F4);   // the menu shows in its own loop until the timer picks "cm"
    KillTimer(nullptr, T);
    ui::Pump();
    EXPECT_TRUE(GMenuSeen);
    EXPECT_EQ(Unit->GetUnitID(), L"cm");
    ASSERT_EQ(Changes.size(), 1u);
    EXPECT_EQ(Changes[0], L"cm");

    // The same unit again, and ids outside the list: no change told.
    SendMessageW(Unit->GetHandle(), WM_COMMAND, 2, 0);
    SendMessageW(Unit->GetHandle(), WM_COMMAND, 9, 0);
    SendMessageW(Unit->GetHandle(), WM_COMMAND, 0, 0);
    EXPECT_EQ(Unit->GetUnitID(), L"cm");
    EXPECT_EQ(Changes.size(), 1u);
    SendMessageW(Unit->GetHandle(), WM_COMMAND, 3, 0);
    EXPECT_EQ(Unit->GetUnitID(), L"mm");
    EXPECT_EQ(Changes.size(), 2u);
}

TEST_F(EditBtn, WithTheEditorOffTypingPastingAndCuttingDoNothing)
{
    Edit->SetText(L"abc");
    Edit->SetEditorEnabled(false);
    Edit->SelectAll();
    ui::TypeChar(L'x');
    Clipboard()->SetAsText(L"pasted");
    SendMessageW(Edit->GetHandle(), WM_PASTE, 0, 0);
    SendMessageW(Edit->GetHandle(), WM_CUT, 0, 0);
    EXPECT_EQ(Edit->GetText(), L"abc");
    Edit->SetEditorEnabled(true);
    ui::TypeChar(L'x');
    EXPECT_EQ(Edit->GetText(), L"x");
}

TEST_F(EditBtn, EnterAndPastedLineBreaksKeepTheValueOnOneLine)
{
    Edit->SetText(L"ab");
    Edit->SetSelStart(1);
    ui::PressKey(VK_RETURN);
    ui::TypeChar(L'\n');
    EXPECT_EQ(Edit->GetText(), L"ab");
    Clipboard()->SetAsText(L"x\r\ny");
    SendMessageW(Edit->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Edit->GetText(), L"axb");
    EXPECT_EQ(SendMessageW(Edit->GetHandle(), EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(EditBtn, TheUnitIsDrawnBesideTheTextOnEitherSide)
{
    Unit->SetText(L"12");
    Unit->SetUnitID(L"mm");
    for (TButtonAlign Align : {btnRight, btnLeft}) {
        Unit->SetButtonAlign(Align);
        ui::Pump();
        const TRect U = Unit->UnitRect();
        EXPECT_GE(U.Left, TextRight(Unit)) << int(Align);   // clear of the value
        const int BL = Unit->GetButton()->GetLeft();
        if (Align == btnLeft) EXPECT_GE(U.Left, BL + Unit->GetButton()->GetWidth());
        else EXPECT_LE(U.Right, BL);
        TDibSurface S(Unit->GetClientWidth(), Unit->GetClientHeight(), clWindow);
        PaintWindowInto(Unit->GetHandle(), S, true);
        EXPECT_TRUE(S.HasInk(U)) << int(Align);
        S.SavePng(SnapshotPath(Align == btnLeft ? L"uniteditbtn_left.png" : L"uniteditbtn_right.png"));
    }
}

TEST_F(EditBtn, TheInnerButtonPaintsTheHostsColoursAndItsCaption)
{
    TJyrEditButton* Host = Edit->GetButton();
    Edit->SetCaption(L"...");
    EXPECT_EQ(Edit->GetButtonCaption(), L"...");
    Host->ButtonColor = clYellow;
    Host->ButtonColorDown = clRed;
    Host->GetButton()->Invalidate();
    TDibSurface S(Host->GetWidth(), Host->GetHeight(), clWhite);
    PaintWindowInto(Host->GetHandle(), S, true);
    EXPECT_EQ(S.Pixel(1, 1), clYellow);
    EXPECT_GT(S.CountColor(S.Bounds(), clBlack), 0);   // the caption
    ui::MouseDown(Host->GetButton(), mbLeft, 3, 3);
    PaintWindowInto(Host->GetHandle(), S, true);
    EXPECT_EQ(S.Pixel(1, 1), clRed);
    ui::MouseUp(Host->GetButton(), mbLeft, 3, 3);
}

TEST_F(EditBtn, AnImageSpeedButtonDrawsItsImageOnlyWithAnIndex)
{
    auto* B = Create<TJyrSpeedButton>(Form);
    B->SetBounds(200, 10, 30, 30);
    B->SetParent(Form);
    auto* Images = Create<TImageList>(Form);
    Images->SetSize(16, 16);
    TBitmap* Red = Create<TBitmap>();
    Red->SetSize(16, 16);
    Red->GetCanvas()->GetBrush()->SetColor(clRed);
    Red->GetCanvas()->FillRect(TRect{0, 0, 16, 16});
    Images->Add(Red, nullptr);
    Red->Free();
    B->SetImages(Images);
    auto Paint = [&] {
        TDibSurface S(30, 30, clWhite);
        B->Perform(WM_PAINT, WPARAM(S.DC()), 0);
        return S.CountColor(TRect{7, 7, 23, 23}, clRed);
    };
    EXPECT_EQ(B->GetImageIndex(), -1);
    EXPECT_EQ(Paint(), 0);
    B->SetImageIndex(0);
    EXPECT_EQ(Paint(), 16 * 16);
    B->SetImageIndex(5);   // past the list: none
    EXPECT_EQ(Paint(), 0);
    Images->Free();
    EXPECT_EQ(B->GetImages(), nullptr);
}
