// test-needs: desktop
// The drop-down edit and its popup through real messages: opening by F4, Alt+Down and the drop
// button, closing by Enter (keeping), Esc (restoring) and another window's activation, the 250 ms
// reopen rule, keys typed in the popup reaching the edit, the remembered size, the hosted control,
// the header and footer with their buttons, and a snapshot of the open popup.
#include "controls/QorDropDown.h"

#include "framework/StdCtrls.h"
#include "DropDownKit.h"
#include "framework/WinScope.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class DropDownPopup : public dropdownkit::DropDownForm {
protected:
    void TearDown() override { SetTickCountProvider(nullptr); }

    bool Open() const { return Edit->GetDropDownForm()->GetVisible(); }
    // A list box hosted in the popup.
    TListBox* HostList()
    {
        auto* L = Create<TListBox>(Form);
        L->SetBounds(0, 0, 200, 120);
        L->SetParent(Form);
        L->GetItems()->Add(L"Nord");
        L->GetItems()->Add(L"Syd");
        Edit->SetControl(L);
        return L;
    }
};

}  // namespace

TEST_F(DropDownPopup, StartsWithItsDefaults)
{
    EXPECT_EQ(Edit->GetWidth(), 200);
    EXPECT_EQ(Edit->GetButton()->GetWidth(), 17);
    EXPECT_EQ(Edit->GetVersion(), L"1.4.6.0");
    EXPECT_EQ(Edit->GetComponentStyle(), QorStyleIF::tsOffice2007Luna);
    EXPECT_EQ(Edit->GetSelectionColorStyle(), scOffice2007);
    EXPECT_EQ(Edit->GetDropDownColor(), TColor(0xF3E5DA));
    EXPECT_FALSE(Edit->GetDroppedDown());
    Edit->SetDropDownHeight(-5);
    EXPECT_EQ(Edit->GetDropDownHeight(), 0);
}

TEST_F(DropDownPopup, F4OpensEscRestoresEnterKeeps)
{
    Steady([&] {
        Edit->HideDropDown(false);
        Edit->SetText(L"abc");
        ui::PressKey(VK_F4, {}, Edit->GetHandle());
        ASSERT_TRUE(Open());
        EXPECT_TRUE(Edit->GetDroppedDown());
        // The popup stays below the edit and the edit's form keeps its active caption.
        const TPoint EditOrigin = Form->ClientToScreen(TPoint(20, 20));
        EXPECT_EQ(Edit->GetDropDownForm()->GetLeft(), EditOrigin.X);
        EXPECT_EQ(Edit->GetDropDownForm()->GetTop(), EditOrigin.Y + Edit->GetHeight() - 1);
        // Typed characters reach the edit through the popup.
        Edit->SetSelStart(3);
        ui::TypeChar(L'x');
        EXPECT_EQ(Edit->GetText(), L"abcx");
        ui::PressKey(VK_ESCAPE);
        EXPECT_FALSE(Open());
        EXPECT_FALSE(Edit->GetDroppedDown());
        EXPECT_EQ(Edit->GetText(), L"abc");
        EXPECT_EQ(GetFocus(), Edit->GetHandle());

        ui::PressKey(VK_F4, {}, Edit->GetHandle());
        ASSERT_TRUE(Open());
        Edit->SetSelStart(3);
        ui::TypeChar(L'y');
        ui::PressKey(VK_RETURN);
        EXPECT_FALSE(Open());
        EXPECT_EQ(Edit->GetText(), L"abcy");
    });
}

TEST_F(DropDownPopup, AltDownAndF4Toggle)
{
    Steady([&] {
        Edit->HideDropDown(false);
        ui::PressKey(VK_DOWN, {ssAlt}, Edit->GetHandle());
        EXPECT_TRUE(Open());
        ui::PressKey(VK_DOWN, {ssAlt});
        EXPECT_FALSE(Open());
        ui::PressKey(VK_F4, {}, Edit->GetHandle());
        EXPECT_TRUE(Open());
        ui::PressKey(VK_F4);
        EXPECT_FALSE(Open());
    });
}

TEST_F(DropDownPopup, AnotherWindowsActivationClosesAndTheButtonWaits250ms)
{
    Steady([&] {
        Edit->HideDropDown(false);
        auto ClockBack = ScopeExit([] { SetTickCountProvider(nullptr); });
        Cardinal Now = 100000;
        SetTickCountProvider([&Now] { return Now; });
        Edit->SetText(L"start");
        auto* Second = ui::NewForm(200, 100, 500, 400);
        ui::FormGuard SecondGuard(Second);
        Second->Show();
        ui::ShowAndActivate(Form);
        Edit->SetFocus();
        ui::Pump();
        ui::PressKey(VK_F4, {}, Edit->GetHandle());
        ASSERT_TRUE(Open());
        Edit->SetTextDirect(L"changed");
        SetActiveWindow(Second->GetHandle());
        ui::Pump();
        EXPECT_FALSE(Open());
        EXPECT_EQ(Edit->GetText(), L"start");
        EXPECT_EQ(Edit->GetDropDownForm()->GetDeActivate(), Now);
        EXPECT_FALSE(Edit->GetDropDownForm()->GetIsDeactivating());

        TControl* Arrow = Edit->GetButton()->GetButton();
        Now += 200;
        ui::Click(Arrow, 5, 5);
        ui::Pump();
        EXPECT_FALSE(Open());
        Now += 100;
        ui::Click(Arrow, 5, 5);
        ui::Pump();
        EXPECT_TRUE(Open());
        // The right button does nothing.
        Edit->HideDropDown(false);
        ui::MouseDown(Arrow, mbRight, 5, 5);
        ui::MouseUp(Arrow, mbRight, 5, 5);
        ui::Pump();
        EXPECT_FALSE(Open());
    });
}

TEST_F(DropDownPopup, AVetoedOpeningStaysClosed)
{
    Steady([&] {
        Edit->HideDropDown(false);
        bool Accept = false;
        int Opened = 0;
        Edit->OnDropDown = [&](TObject*, bool& A) {
            A = Accept;
            ++Opened;
        };
        Edit->ShowDropDown();
        EXPECT_FALSE(Open());
        EXPECT_FALSE(Edit->GetDroppedDown());
        Accept = true;
        Edit->ShowDropDown();
        EXPECT_TRUE(Open());
        EXPECT_EQ(Opened, 2);
    });
}

TEST_F(DropDownPopup, AHostedListTakesTheFocusAndItsKeysReachTheEdit)
{
    Steady([&] {
        Edit->HideDropDown(false);
        TListBox* L = HostList();
        EXPECT_FALSE(L->GetVisible());
        Edit->SetText(L"før");
        int Ups = 0;
        bool LastCancelled = false;
        Edit->OnDropUp = [&](TObject*, bool C) {
            ++Ups;
            LastCancelled = C;
        };
        ui::PressKey(VK_F4, {}, Edit->GetHandle());
        ASSERT_TRUE(Open());
        EXPECT_EQ(L->GetParent(), Edit->GetDropDownForm());
        EXPECT_EQ(GetFocus(), L->GetHandle());
        // Header and footer are visible by default: border, header, list, footer.
        EXPECT_EQ(Edit->GetDropDownForm()->GetHeight(), 2 + 22 + 120 + 22);
        ui::PressKey(VK_ESCAPE);
        EXPECT_FALSE(Open());
        EXPECT_EQ(Ups, 1);
        EXPECT_TRUE(LastCancelled);
        EXPECT_EQ(GetFocus(), Edit->GetHandle());
    });
}

TEST_F(DropDownPopup, TheUsersSizeIsRememberedUntilReset)
{
    Steady([&] {
        Edit->HideDropDown(false);
        Edit->SetDropDownHeight(0);
        Edit->ResetDropSize();
        HostList();
        Edit->ShowDropDown();
        ASSERT_TRUE(Open());
        Edit->GetDropDownForm()->SetBounds(Edit->GetDropDownForm()->GetLeft(), Edit->GetDropDownForm()->GetTop(), 300, 200);
        Edit->HideDropDown(false);
        EXPECT_EQ(Edit->GetUserDropDownWidth(), 300);
        Edit->ShowDropDown();
        EXPECT_EQ(Edit->GetDropDownForm()->GetWidth(), 300);
        EXPECT_EQ(Edit->GetDropDownForm()->GetHeight(), 200);
        Edit->HideDropDown(false);
        Edit->SetDropDownHeight(120);
        EXPECT_EQ(Edit->GetUserDropDownHeight(), -1);
        EXPECT_EQ(Edit->GetUserDropDownWidth(), 300);
    });
}

TEST_F(DropDownPopup, FooterButtonsCloseByTheirResultAndReportTheirIndex)
{
    Steady([&] {
        Edit->HideDropDown(false);
        Edit->GetDropDownFooter()->GetButtons()->Clear();
        Edit->GetDropDownHeader()->GetButtons()->Clear();
        HostList();
        TFooterAppearance* F = Edit->GetDropDownFooter();
        const struct {
            const wchar_t* Caption;
            TModalResult Result;
        } Buttons[] = {{L"OK", mrOk}, {L"Annuller", mrCancel}, {L"Igen", mrRetry}};
        for (const auto& B : Buttons) {
            TFooterButton* Item = F->GetButtons()->Add();
            Item->SetCaption(B.Caption);
            Item->SetModalResult(B.Result);
        }
        THeaderButton* H = Edit->GetDropDownHeader()->GetButtons()->Add();
        H->SetCaption(L"Hjælp");
        std::vector<int> Footer, Header;
        Edit->OnDropDownFooterButtonClick = [&](TObject*, int I) { Footer.push_back(I); };
        Edit->OnDropDownHeaderButtonClick = [&](TObject*, int I) { Header.push_back(I); };

        auto ButtonOf = [this](TQorBand* Band, int I) { return static_cast<TQorButton*>(Band->GetButtonList()->GetItemsEx(I)); };
        const struct {
            int Index;
            bool StaysOpen;
            const wchar_t* Text;
        } Cases[] = {{2, true, L"typed"}, {0, false, L"typed"}, {1, false, L"start"}};
        for (const auto& C : Cases) {
            Edit->SetText(L"start");
            Edit->ShowDropDown();
            ASSERT_TRUE(Open());
            Edit->SetTextDirect(L"typed");
            TQorFooter* Band = Edit->GetDropDownForm()->GetFooter();
            ASSERT_NE(Band, nullptr);
            ASSERT_EQ(Band->GetButtonList()->Count(), 3);
            ui::Click(ButtonOf(Band, C.Index), 4, 4);
            ui::Pump();
            EXPECT_EQ(Open(), C.StaysOpen) << C.Index;
            EXPECT_EQ(Edit->GetText(), C.Text) << C.Index;
            EXPECT_EQ(Footer.back(), C.Index);
            Edit->HideDropDown(false);
        }
        // Enter on a focused footer button closes the popup and raises the same event as a click.
        Footer.clear();
        Edit->ShowDropDown();
        TQorButton* Ok = ButtonOf(Edit->GetDropDownForm()->GetFooter(), 0);
        Ok->SetFocus();
        ui::Pump();
        ui::PressKey(VK_RETURN, {}, Ok->GetHandle());
        EXPECT_FALSE(Open());
        ASSERT_EQ(Footer.size(), 1u);
        EXPECT_EQ(Footer[0], 0);
        // A header button only reports.
        Edit->ShowDropDown();
        ui::Click(ButtonOf(Edit->GetDropDownForm()->GetHeader(), 0), 4, 4);
        ui::Pump();
        EXPECT_TRUE(Open());
        ASSERT_EQ(Header.size(), 1u);
        EXPECT_EQ(Header[0], 0);
    });
}

TEST_F(DropDownPopup, BandButtonsLineUpAndTheGripNeedsASizeablePopup)
{
    HostList();
    Edit->GetDropDownHeader()->SetCaption(L"<b>Kontrakt</b>");
    for (const wchar_t* C : {L"A", L"Bb", L"Ccc"}) Edit->GetDropDownHeader()->GetButtons()->Add()->SetCaption(C);
    THeaderButton* Tall = Edit->GetDropDownHeader()->GetButtons()->Add();
    Tall->SetCaption(L"D");
    Tall->SetHeight(40);
    Edit->ShowDropDown();
    TQorHeader* H = Edit->GetDropDownForm()->GetHeader();
    ASSERT_EQ(H->GetButtonList()->Count(), 4);
    auto B = [H](int I) { return static_cast<TQorButton*>(H->GetButtonList()->GetItemsEx(I)); };
    EXPECT_EQ(B(0)->GetLeft() + B(0)->GetWidth(), H->GetClientWidth() - 2);
    EXPECT_EQ(B(1)->GetLeft() + B(1)->GetWidth(), B(0)->GetLeft());
    EXPECT_EQ(B(3)->GetHeight(), 22 - 5);
    EXPECT_EQ(H->GetButtonsCoveredRect().Right, B(3)->GetLeft() - 2);
    TQorFooter* F = Edit->GetDropDownForm()->GetFooter();
    EXPECT_TRUE(F->HasSizeGrip());
    EXPECT_EQ(F->GetButtonsRect().Right, F->GetClientWidth() - 14);
    Edit->HideDropDown(false);
    Edit->SetDropDownSizeable(false);
    EXPECT_FALSE(F->HasSizeGrip());
}

TEST_F(DropDownPopup, ImageAndCaptionFitTheAutoSizedButton)
{
    TImageList Images(nullptr);
    Images.SetWidth(16);
    Images.SetHeight(16);
    TBitmap Glyph;
    Glyph.SetWidth(16);
    Glyph.SetHeight(16);
    Images.Add(&Glyph, nullptr);
    Edit->SetImages(&Images);
    TQorButton B(nullptr);
    B.Appearance = Edit->GetButtonAppearance();
    B.SetCaption(L"Annuller");
    B.SetAutoSizeEx();
    const int TextOnly = B.GetWidth();
    B.SetImages(&Images);
    B.ImageIndex = 0;
    B.SetAutoSizeEx();
    EXPECT_EQ(B.GetWidth(), TextOnly + 16 + 4);
    B.SetImages(nullptr);
    Edit->SetImages(nullptr);
}

TEST_F(DropDownPopup, SnapshotWithHeaderAndFooter)
{
    TListBox* L = HostList();
    for (const wchar_t* S : {L"Klør", L"Ruder", L"Hjerter", L"Spar", L"Sans"}) L->GetItems()->Add(S);
    Edit->SetText(L"3 Sans");
    Edit->GetDropDownHeader()->SetCaption(L"<b>Kontrakt</b> vælg");
    Edit->GetDropDownHeader()->GetButtons()->Add()->SetCaption(L"?");
    TFooterButton* Ok = Edit->GetDropDownFooter()->GetButtons()->Add();
    Ok->SetCaption(L"OK");
    Ok->SetModalResult(mrOk);
    TFooterButton* Cancel = Edit->GetDropDownFooter()->GetButtons()->Add();
    Cancel->SetCaption(L"Annuller");
    Cancel->SetModalResult(mrCancel);
    Edit->GetDropDownFooter()->SetCaption(L"5 valg");
    Edit->ShowDropDown();
    ASSERT_TRUE(Open());
    ui::Pump(100);
    const TPoint TopLeft = Form->ClientToScreen(TPoint(10, 10));
    auto Shot = CaptureScreenRect(TRect(TopLeft.X, TopLeft.Y, TopLeft.X + 240, TopLeft.Y + 220));
    Shot->SavePng(SnapshotPath(L"dropdown_open.png"));
    // The header's gradient starts at its colour; the border is drawn in the popup's border colour.
    TDropDownForm* P = Edit->GetDropDownForm();
    const TPoint PopupAt(P->GetLeft() - TopLeft.X, P->GetTop() - TopLeft.Y);
    EXPECT_NE(Shot->Pixel(PopupAt.X + 100, PopupAt.Y + 5), Shot->Pixel(PopupAt.X + 100, PopupAt.Y + 60));
    EXPECT_TRUE(Shot->HasInk(TRect(PopupAt.X, PopupAt.Y + P->GetHeight() - 20, PopupAt.X + 200, PopupAt.Y + P->GetHeight())));
}

TEST_F(DropDownPopup, TheGripStartsSizingAndTheUnHotTimerClearsTheHotLook)
{
    Steady([&] {
        Edit->HideDropDown(false);
        Edit->GetDropDownFooter()->GetButtons()->Clear();
        Edit->GetDropDownHeader()->GetButtons()->Clear();
        HostList();
        TFooterButton* Ok = Edit->GetDropDownFooter()->GetButtons()->Add();
        Ok->SetCaption(L"OK");
        Edit->ShowDropDown();
        ASSERT_TRUE(Open());
        TDropDownForm* P = Edit->GetDropDownForm();
        // The sizing loop the grip starts is modal: record its message and swallow it.
        std::vector<WPARAM> Sizing;
        const TWndMethod Old = P->GetWindowProc();
        P->SetWindowProc([&Sizing, Old](TMessage& M) {
            if (M.Msg == WM_NCLBUTTONDOWN) Sizing.push_back(M.WParam);
            else Old(M);
        });
        TQorFooter* F = P->GetFooter();
        ui::MouseDown(F, mbLeft, F->GetWidth() - 4, F->GetHeight() - 4);
        ui::MouseUp(F, mbLeft, F->GetWidth() - 4, F->GetHeight() - 4);
        ui::MouseDown(F, mbLeft, 5, 5);
        ui::MouseUp(F, mbLeft, 5, 5);
        P->SetWindowProc(Old);
        ASSERT_EQ(Sizing.size(), 1u);
        EXPECT_EQ(Sizing[0], WPARAM(HTBOTTOMRIGHT));

        auto* B = static_cast<TQorButton*>(F->GetButtonList()->GetItemsEx(0));
        // The pointer goes back where it was: later tests find it as they left it.
        POINT Was;
        GetCursorPos(&Was);
        auto PutBack = ScopeExit([Was] { SetCursorPos(Was.x, Was.y); });
        const TPoint Over = B->ClientToScreen(TPoint(3, 3));
        SetCursorPos(Over.X, Over.Y);
        B->Perform(CM_MOUSEENTER);
        EXPECT_TRUE(B->GetMouseInControl());
        EXPECT_TRUE(B->GetUnHotTimer()->GetEnabled());
        // The pointer left without a leave message (the popup lost the activation): one tick clears it.
        SetCursorPos(Over.X + 300, Over.Y + 300);
        SendMessageW(B->GetUnHotTimer()->GetHandle(), WM_TIMER, TTimer::TimerId, 0);
        EXPECT_FALSE(B->GetMouseInControl());
        EXPECT_FALSE(B->GetUnHotTimer()->GetEnabled());
    });
}

TEST_F(DropDownPopup, FlatDropButtonFromColourTones)
{
    QorStyleIF::TColorTones Tones;
    Tones.Background.BrushColor = TColor(0x40C040);
    Tones.Background.BorderColor = TColor(0x804000);
    Tones.Hover.BrushColor = TColor(0x80FF80);
    Tones.Selected.BrushColor = TColor(0x008000);
    Edit->SetColorTones(Tones);
    Edit->GetFont()->SetColor(TColor(0x0000C0));
    EXPECT_EQ(Edit->GetBorderColor(), TColor(0x804000));
    Edit->GetButton()->GetButton()->Invalidate();
    ui::Pump(50);
    auto Shot = CaptureWindowAsShown(Edit->GetButton()->GetHandle());
    Shot->SavePng(SnapshotPath(L"dropdown_flat_button.png"));
    // The face in the tone's colour, the arrow in the edit's font colour (no arrow colour is set).
    EXPECT_EQ(Shot->Pixel(3, 3), TColor(0x40C040));
    EXPECT_EQ(Shot->Pixel(8, 8), TColor(0x0000C0));
}

TEST_F(DropDownPopup, ThemedDropButtonWithCommonControls6Injected)
{
    auto Reset = ScopeExit([] {
        QorStyleIF::DetectionOverrides() = {};
        JyrControls::EnvironmentOverrides() = {};
    });
    // The platform reports common controls 5.81: the classic face.
    QorStyleIF::DetectionOverrides().CommonControlsMajor = 5;
    auto* Plain = Create<TQorDropDown>(Form);
    Plain->SetBounds(20, 60, 200, 21);
    Plain->SetParent(Form);
    QorStyleIF::DetectionOverrides().CommonControlsMajor = 6;
    JyrControls::EnvironmentOverrides().ThemesActive = true;
    auto* Themed = Create<TQorDropDown>(Form);
    Themed->SetBounds(20, 100, 200, 21);
    Themed->SetParent(Form);
    TQorDropDownSpeedButton* Arrow = Themed->GetButton()->GetButton();
    ASSERT_TRUE(Themed->GetIsThemed());
    ASSERT_TRUE(Arrow->DoVisualStyles());
    ASSERT_FALSE(Plain->GetButton()->GetButton()->DoVisualStyles());
    Other->SetFocus();
    ui::Pump(50);
    auto Face = [](TQorCustomDropDown* D) {
        D->GetButton()->GetButton()->Invalidate();
        ui::Pump(20);
        return CaptureWindowAsShown(D->GetButton()->GetHandle());
    };
    auto Classic = Face(Plain);
    auto Normal = Face(Themed);
    Normal->SavePng(SnapshotPath(L"dropdown_themed_button.png"));
    Classic->SavePng(SnapshotPath(L"dropdown_classic_button.png"));
    // Against the classic face: most of the themed face differs, over the part both cover.
    const int W = std::min(Classic->Width(), Normal->Width()), H = std::min(Classic->Height(), Normal->Height());
    int Differ = 0;
    for (int Y = 0; Y < H; ++Y)
        for (int X = 1; X < W; ++X) Differ += Classic->Pixel(X, Y) != Normal->Pixel(X, Y);
    EXPECT_GT(Differ, (W - 1) * H / 3);
    // Hot, pressed while the popup is open, disabled when the edit is read-only: each its own face.
    Arrow->Perform(CM_MOUSEENTER);
    auto Hot = Face(Themed);
    Arrow->Perform(CM_MOUSELEAVE);
    Themed->ShowDropDown();
    ASSERT_TRUE(Themed->GetDroppedDown());
    auto Pressed = Face(Themed);
    Themed->HideDropDown(false);
    Themed->SetReadOnly(true);
    auto Disabled = Face(Themed);
    Themed->SetReadOnly(false);
    EXPECT_GT(Normal->DiffCount(*Hot), 0);
    EXPECT_GT(Normal->DiffCount(*Pressed), 0);
    EXPECT_GT(Normal->DiffCount(*Disabled), 0);
    EXPECT_GT(Hot->DiffCount(*Disabled), 0);
    EXPECT_EQ(Normal->DiffCount(*Face(Themed)), 0);
}
