// test-needs: desktop
// The page control on real windows: hidden tabs while their pages exist, the active page (also
// one whose tab is hidden), the user's choice of a tab with OnChanging and OnChange, pages
// leaving and moving, layout of the pages and the focus of a page that is put away.
#include "framework/ComCtrls.h"
#include "test_ControlsKit.h"

#include <commctrl.h>

namespace {

int NativeTabCount(TPageControl* P)
{
    return int(SendMessageW(P->GetHandle(), TCM_GETITEMCOUNT, 0, 0));
}

int NativeSel(TPageControl* P)
{
    return int(SendMessageW(P->GetHandle(), TCM_GETCURSEL, 0, 0));
}

String NativeTabText(TPageControl* P, int Tab)
{
    wchar_t Buf[64] = {};
    TCITEMW Item{};
    Item.mask = TCIF_TEXT;
    Item.pszText = Buf;
    Item.cchTextMax = 64;
    SendMessageW(P->GetHandle(), TCM_GETITEMW, WPARAM(Tab), reinterpret_cast<LPARAM>(&Item));
    return Buf;
}

bool Shown(TWinControl* C)
{
    return C->HandleAllocated() && IsWindowVisible(C->GetHandle());
}

class PageControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(500, 400);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Pages = AddControl<TPageControl>(Form, 0, 0, 500, 400, L"PageControl1");
        // As the editor stores its main window: one tab shown, two pages with hidden tabs.
        Import = Sheet(L"Import");
        Journalist = Sheet(L"Journalist", false);
        Turnering = Sheet(L"Turnering", false);
        Box1 = AddControl<TTestBox>(Import, 10, 10, 80, 24);
        Box2 = AddControl<TTestBox>(Journalist, 10, 10, 80, 24);
        Pages->OnChange = [this](TObject*) { ++Changes; };
        ui::ShowAndActivate(Form);
    }
    TTabSheet* Sheet(const wchar_t* Caption, bool TabVisible = true)
    {
        TTabSheet* S = Create<TTabSheet>(Form);
        S->SetCaption(Caption);
        S->SetTabVisible(TabVisible);
        S->SetPageControl(Pages);
        return S;
    }
    void ClickTab(int Tab)
    {
        RECT R{};
        SendMessageW(Pages->GetHandle(), TCM_GETITEMRECT, WPARAM(Tab), reinterpret_cast<LPARAM>(&R));
        LPARAM At = MAKELPARAM((R.left + R.right) / 2, (R.top + R.bottom) / 2);
        SendMessageW(Pages->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At);
        SendMessageW(Pages->GetHandle(), WM_LBUTTONUP, 0, At);
        ui::Pump();
    }
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TPageControl* Pages = nullptr;
    TTabSheet *Import = nullptr, *Journalist = nullptr, *Turnering = nullptr;
    TTestBox *Box1 = nullptr, *Box2 = nullptr;
    int Changes = 0;
};

TEST_F(PageControlTest, HiddenTabsKeepTheirPages)
{
    EXPECT_EQ(Pages->PageCount(), 3);
    EXPECT_EQ(Pages->TabCount(), 1);
    ASSERT_EQ(NativeTabCount(Pages), 1);
    EXPECT_EQ(NativeTabText(Pages, 0), L"Import");
    EXPECT_EQ(Pages->GetActivePage(), Import);
    EXPECT_EQ(NativeSel(Pages), 0);
    EXPECT_TRUE(Shown(Import));
    EXPECT_TRUE(Shown(Box1));
    EXPECT_FALSE(Shown(Journalist));
    EXPECT_FALSE(Box2->Showing());
    EXPECT_EQ(Journalist->GetTabIndex(), -1);
    EXPECT_EQ(Turnering->GetPageIndex(), 2);

    // Every page fills the display area below the tab row.
    TRect D = Pages->DisplayRect();
    EXPECT_GT(D.Top, 10);
    EXPECT_LT(D.Bottom, 400);
    for (TTabSheet* S : {Import, Journalist, Turnering}) EXPECT_EQ(S->GetBoundsRect(), D);
    Pages->SetBounds(0, 0, 300, 200);
    EXPECT_EQ(Journalist->GetBoundsRect(), Pages->DisplayRect());
    EXPECT_LT(Journalist->GetWidth(), 300);

    // Showing a tab and hiding it again.
    Turnering->SetTabVisible(true);
    ASSERT_EQ(NativeTabCount(Pages), 2);
    EXPECT_EQ(NativeTabText(Pages, 1), L"Turnering");
    EXPECT_EQ(Turnering->GetTabIndex(), 1);
    EXPECT_EQ(Pages->TabToPage(1), Turnering);
    Turnering->SetCaption(L"Turnering 2");
    EXPECT_EQ(NativeTabText(Pages, 1), L"Turnering 2");
    Turnering->SetTabVisible(false);
    EXPECT_EQ(NativeTabCount(Pages), 1);
    EXPECT_EQ(Changes, 0);
}

TEST_F(PageControlTest, ActivePageMayHaveAHiddenTab)
{
    Pages->SetActivePage(Journalist);
    EXPECT_EQ(Pages->GetActivePage(), Journalist);
    EXPECT_EQ(Pages->GetActivePageIndex(), 1);
    EXPECT_EQ(NativeSel(Pages), -1);
    EXPECT_TRUE(Shown(Journalist));
    EXPECT_TRUE(Box2->Showing());
    EXPECT_FALSE(Shown(Import));
    EXPECT_EQ(Changes, 0);   // OnChange tells of the user's choice only

    // Hiding the tab of the active page keeps the page.
    Pages->SetActivePage(Import);
    Import->SetTabVisible(false);
    EXPECT_EQ(Pages->GetActivePage(), Import);
    EXPECT_EQ(Pages->TabCount(), 0);
    EXPECT_TRUE(Shown(Import));
    // With no tab at all the page takes nearly the whole control.
    EXPECT_LT(Pages->DisplayRect().Top, 10);

    Pages->SetActivePage(nullptr);
    for (TTabSheet* S : {Import, Journalist, Turnering}) EXPECT_FALSE(Shown(S));

    TPageControl* Other = AddControl<TPageControl>(Form, 0, 0, 100, 100);
    TTabSheet* Stranger = Create<TTabSheet>(Form);
    Stranger->SetPageControl(Other);
    EXPECT_THROW(Pages->SetActivePage(Stranger), EPageControlError);
    EXPECT_EQ(Pages->GetActivePage(), nullptr);
}

TEST_F(PageControlTest, UserChoosesATabAndMayBeRefused)
{
    Turnering->SetTabVisible(true);
    bool Allow = false;
    int Asked = 0;
    Pages->OnChanging = [&](TObject*, bool& AllowChange) {
        ++Asked;
        AllowChange = Allow;
    };
    ClickTab(1);
    EXPECT_EQ(Asked, 1);
    EXPECT_EQ(Pages->GetActivePage(), Import);
    EXPECT_EQ(Changes, 0);

    Allow = true;
    ClickTab(1);
    EXPECT_EQ(Pages->GetActivePage(), Turnering);
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(Shown(Turnering));
    EXPECT_FALSE(Shown(Import));

    // From code: the next page with a shown tab, wrapping; hidden-tab pages are passed over.
    Pages->SelectNextPage(true);
    EXPECT_EQ(Pages->GetActivePage(), Import);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Pages->FindNextPage(Import, true, false), Journalist);
    EXPECT_EQ(Pages->FindNextPage(Import, false, true), Turnering);
}

TEST_F(PageControlTest, PagesLeaveAndMove)
{
    Turnering->SetPageIndex(0);
    EXPECT_EQ(Pages->Pages(0), Turnering);
    EXPECT_EQ(Import->GetPageIndex(), 1);
    EXPECT_THROW(Pages->Pages(3), EPageControlError);

    // Freeing the active page shows the next one.
    Import->Free();
    EXPECT_EQ(Pages->PageCount(), 2);
    EXPECT_EQ(Pages->GetActivePage(), Journalist);
    EXPECT_TRUE(Shown(Journalist));
    EXPECT_EQ(Pages->TabCount(), 0);

    // A page moved to another parent leaves the page control.
    Turnering->SetParent(Form);
    EXPECT_EQ(Pages->PageCount(), 1);
    EXPECT_EQ(Turnering->GetPageControl(), nullptr);

    // The page control takes its pages (and what stands on them) with it, whoever owns them.
    int Before = Form->ComponentCount();
    Pages->Free();
    EXPECT_EQ(Form->ComponentCount(), Before - 3);
    EXPECT_EQ(Form->FindComponent(L"PageControl1"), nullptr);
}

TEST_F(PageControlTest, FocusLeavesAPageThatIsPutAway)
{
    Box1->SetFocus();
    ui::Pump();
    ASSERT_EQ(GetFocus(), Box1->GetHandle());
    Pages->SetActivePage(Journalist);
    ui::Pump();
    HWND F = GetFocus();
    EXPECT_TRUE(F != Box1->GetHandle());
    EXPECT_TRUE(F == nullptr || IsWindowVisible(F));
}

}  // namespace
