// test-needs: desktop
// The item selector: cells row by row and the panel's size, selection and hot item with disabled
// items and indexes out of range, prefix lookup, the mouse, keys stepping it inside a drop-down's
// popup, ten thousand items scrolled past 65,535 pixels, and a snapshot of its layouts.
#include "controls/QorDropDown.h"

#include "DropDownKit.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

namespace {

// A picker of the simplest kind: the popup hosts an item selector; Up and Down step it, Enter
// takes its item's caption.
class TSelectorPicker : public TQorCustomDropDown {
public:
    explicit TSelectorPicker(TComponent* AOwner) : TQorCustomDropDown(AOwner)
    {
        Selector = Create<TQorCustomItemSelector>(this);
        Selector->SetBounds(0, 0, 180, 120);
        SetControl(Selector);
    }
    void OnDropDownControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override
    {
        if (Key == VK_DOWN) Selector->SelectNext();
        else if (Key == VK_UP) Selector->SelectPrevious();
        else if (Key == VK_RETURN && Selector->GetItemIndex() >= 0)
            SetText(Selector->GetItems()->GetItems(Selector->GetItemIndex())->GetCaption());
        TQorCustomDropDown::OnDropDownControlKeyDown(Sender, Key, Shift);
    }
    TQorCustomItemSelector* Selector;
};

class ItemSelector : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterQorDropDownClasses();
        Form = ui::NewForm(420, 360);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Host = Create<TQorCustomItemSelector>(Form);
        Host->SetBounds(10, 10, 300, 200);
        Host->SetParent(Form);
        ui::ShowAndActivate(Form);
    }
    void Fill(int N, int Columns = 1)
    {
        for (int I = 0; I < N; ++I) Host->GetItems()->Add()->SetCaption(L"Punkt " + IntToStr(I));
        Host->SetColumns(Columns);
        Host->UpdateSelectorPanel();
    }
    TCustomItemSelector* Panel() const { return Host->GetSelectorPanel(); }
    // The body again when another process took the focus while it ran.
    void Steady(const std::function<void()>& Body)
    {
        dropdownkit::Steady({Form}, Body, [this] {
            if (GetActiveWindow() != Form->GetHandle()) ui::ShowAndActivate(Form);
        });
    }

    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TQorCustomItemSelector* Host = nullptr;
};

}  // namespace

TEST_F(ItemSelector, CellsFillRowsAndThePanelFitsThem)
{
    EXPECT_EQ(Host->GetItemPanelSize().cx, 100);
    EXPECT_EQ(Host->GetItemPanelSize().cy, 50);
    Fill(7, 3);
    const TSize Cell = Panel()->GetCellSize();
    ASSERT_GT(Cell.cx, 8);
    EXPECT_EQ(Host->GetItemPanelSize().cx, 2 + 3 * Cell.cx + 2);
    EXPECT_EQ(Host->GetItemPanelSize().cy, 2 + 3 * Cell.cy + 2);
    EXPECT_EQ(Panel()->GetItemRect(2).Left, 2 + 2 * Cell.cx);
    EXPECT_EQ(Panel()->GetItemRect(3).Top, 2 + Cell.cy);
    EXPECT_EQ(Panel()->GetItemRect(6).Left, 2);
    for (int C : {0, -2}) Host->SetColumns(C);
    EXPECT_EQ(Host->GetColumns(), 3);
    EXPECT_EQ(Panel()->ItemAtPos(2 + Cell.cx + 1, 2 + Cell.cy + 1), 4);
    EXPECT_EQ(Panel()->ItemAtPos(2 + Cell.cx + 1, 2 + 2 * Cell.cy + 1), -1);
    EXPECT_EQ(Host->GetVisibleItemCount(), 200 / Cell.cy * 3);
}

TEST_F(ItemSelector, SelectionKeepsToEnabledItemsInRange)
{
    Fill(5);
    int Selects = 0;
    Host->OnItemSelect = [&](TObject* S) {
        EXPECT_EQ(S, Host);
        ++Selects;
    };
    Host->GetItems()->GetItems(2)->SetEnabled(false);
    const struct {
        int Value, Expected;
    } Cases[] = {{1, 1}, {2, 1}, {9, -1}, {-7, -1}, {4, 4}, {4, 4}};
    for (const auto& C : Cases) {
        Host->SetItemIndex(C.Value);
        EXPECT_EQ(Host->GetItemIndex(), C.Expected) << C.Value;
    }
    EXPECT_EQ(Selects, 3);
    Host->SetItemIndex(1);
    Host->SelectNext();
    EXPECT_EQ(Host->GetItemIndex(), 1);
    Host->SelectLast();
    Host->SelectNext();
    EXPECT_EQ(Host->GetItemIndex(), 4);
    Host->SelectFirst();
    Host->SelectPrevious();
    EXPECT_EQ(Host->GetItemIndex(), 0);
    Panel()->SetItemHot(2);
    EXPECT_EQ(Host->GetItemHot(), -1);
}

TEST_F(ItemSelector, LookupFindsCaptionsByTheirStrippedUpperCasedStart)
{
    const wchar_t* Captions[] = {L"<b>abc</b>", L"x", L" ab", L"q", L"y", L"abd"};
    for (const wchar_t* C : Captions) Host->GetItems()->Add()->SetCaption(C);
    Host->UpdateSelectorPanel();
    EXPECT_FALSE(Host->LookupItem(L"ab"));
    EXPECT_TRUE(Host->LookupItem(L"AB"));
    EXPECT_EQ(Host->GetItemIndex(), 0);
    EXPECT_TRUE(Host->LookupItem(L"AB"));
    EXPECT_EQ(Host->GetItemIndex(), 2);
    EXPECT_TRUE(Host->LookupItem(L"AB"));
    EXPECT_EQ(Host->GetItemIndex(), 5);
    EXPECT_TRUE(Host->LookupItem(L"AB"));
    EXPECT_EQ(Host->GetItemIndex(), 0);
    Host->SetItemIndex(1);
    EXPECT_TRUE(Host->LookupItem(L"X"));
    EXPECT_EQ(Host->GetItemIndex(), 1);
    EXPECT_FALSE(Host->LookupItem(L""));
}

TEST_F(ItemSelector, TheMouseSelectsAndMarksTheHotItem)
{
    Steady([&] {
        Host->GetItems()->Clear();
        Fill(6, 2);
        Host->GetItems()->GetItems(3)->SetEnabled(false);
        Host->GetItems()->GetItems(1)->SetHint(L"Anden");
        const TSize Cell = Panel()->GetCellSize();
        ui::MouseMove(Panel(), 2 + Cell.cx + 3, 5);
        ui::Pump();
        EXPECT_EQ(Host->GetItemHot(), 1);
        EXPECT_EQ(Panel()->GetHint(), L"Anden");
        ui::MouseMove(Panel(), 2 + Cell.cx + 3, 2 + Cell.cy + 3);
        ui::Pump();
        EXPECT_EQ(Host->GetItemHot(), -1);
        ui::Click(Panel(), 4, 2 + 2 * Cell.cy + 3);
        ui::Pump();
        EXPECT_EQ(Host->GetItemIndex(), 4);
        ui::Click(Panel(), 2 + Cell.cx + 3, 2 + Cell.cy + 3);
        ui::Pump();
        EXPECT_EQ(Host->GetItemIndex(), 4);
    });
}

TEST_F(ItemSelector, TenThousandItemsScrollPast65535Pixels)
{
    Fill(10000);
    const TSize Cell = Panel()->GetCellSize();
    EXPECT_EQ(Host->GetItemPanelSize().cy, 4 + 10000 * Cell.cy);
    ASSERT_GT(Host->GetItemPanelSize().cy, 65535);
    
    ASSERT_TRUE(Host->GetVertScrollBar()->IsScrollBarVisible());
    Host->SetItemIndex(9999);
    ui::Pump();
    EXPECT_GT(Host->GetVertScrollBar()->GetPosition(), 65535);
    const TRect R = Panel()->GetItemRect(9999);
    const int Offset = Panel()->GetScrollOffset().Y;
    EXPECT_EQ(Offset, Host->GetVertScrollBar()->GetPosition());
    EXPECT_EQ(R.Bottom - Offset, Host->GetClientHeight());
    // A click at the window's bottom row lands on the last item.
    Panel()->SetItemIndex(5);
    ui::Click(Panel(), 5, Host->GetClientHeight() - 3);
    ui::Pump();
    EXPECT_EQ(Host->GetItemIndex(), 9999);
    // Back at the first item, its cell's top comes to the window's top.
    Host->SetItemIndex(0);
    EXPECT_EQ(Host->GetVertScrollBar()->GetPosition(), Panel()->GetItemRect(0).Top);
    EXPECT_EQ(Panel()->GetScrollOffset().Y, Panel()->GetItemRect(0).Top);
}

TEST_F(ItemSelector, KeysInThePopupStepTheSelectorAndEnterTakesTheItem)
{
    Steady([&] {
        auto* Picker = Create<TSelectorPicker>(Form);
        Picker->SetBounds(10, 250, 180, 21);
        Picker->SetParent(Form);
        for (const wchar_t* C : {L"Klør", L"Ruder", L"Hjerter", L"Spar"}) Picker->Selector->GetItems()->Add()->SetCaption(C);
        Picker->Selector->UpdateSelectorPanel();
        Picker->SetFocus();
        ui::Pump();
        ui::PressKey(VK_F4, {}, Picker->GetHandle());
        ASSERT_TRUE(Picker->GetDroppedDown());
        EXPECT_EQ(GetFocus(), Picker->Selector->GetHandle());
        ui::PressKey(VK_DOWN);
        ui::PressKey(VK_DOWN);
        ui::PressKey(VK_UP);
        ui::PressKey(VK_DOWN);
        ui::PressKey(VK_DOWN);
        EXPECT_EQ(Picker->Selector->GetItemIndex(), 2);
        ui::PressKey(VK_RETURN);
        EXPECT_FALSE(Picker->GetDroppedDown());
        EXPECT_EQ(Picker->GetText(), L"Hjerter");
    });
}

TEST_F(ItemSelector, SnapshotOfColourBoxesAndImageLayouts)
{
    dropdownkit::AddColourBoxes(Host);
    Host->SetItemIndex(4);
    Panel()->SetItemHot(0);
    // Each layout with a 16 x 24 picture: below it, the caption starts 24 + 4 pixels under its top.
    TBitmap Pic;
    dropdownkit::PaintItemPicture(Pic);
    const TItemLayout Layouts[] = {ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom};
    std::vector<TQorCustomItemSelector*> Others;
    for (int L = 0; L < 4; ++L) {
        auto* S = Create<TQorCustomItemSelector>(Form);
        S->SetBounds(10 + L * 100, 220, 95, 130);
        S->SetParent(Form);
        S->SetItemLayout(Layouts[L]);
        for (const wchar_t* C : {L"Et", L"To"}) {
            TSelectorItem* It = S->GetItems()->Add();
            It->SetCaption(C);
            It->GetImage()->Assign(&Pic);
        }
        S->UpdateSelectorPanel();
        S->SetItemIndex(1);
        Others.push_back(S);
    }
    ui::Pump(100);
    auto Shot = CaptureWindowAsShown(Form->GetHandle());
    Shot->SavePng(SnapshotPath(L"item_selector.png"));
    const TSize Cell = Panel()->GetCellSize();
    EXPECT_EQ(Cell.cy, 2 * 4 + std::max(14, Cell.cy - 8));
    const TSize Bottom = Others[3]->GetSelectorPanel()->GetCellSize();
    EXPECT_GE(Bottom.cy, 2 * 4 + 24 + 4);
}

TEST_F(ItemSelector, APopupHostingTenThousandItemsOpensAndCloses)
{
    auto* Picker = Create<TSelectorPicker>(Form);
    Picker->SetBounds(10, 250, 180, 21);
    Picker->SetParent(Form);
    for (int I = 0; I < 10000; ++I) Picker->Selector->GetItems()->Add()->SetCaption(L"Punkt " + IntToStr(I));
    Picker->Selector->UpdateSelectorPanel();
    Picker->ShowDropDown();
    // The open popup settles: its queue empties (no window keeps invalidating itself).
    int N = 0;
    MSG M;
    const DWORD T0 = GetTickCount();
    while (GetTickCount() - T0 < 500 && PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE)) {
        ++N;
        TranslateMessage(&M);
        DispatchMessageW(&M);
    }
    EXPECT_LT(N, 200);
    EXPECT_TRUE(Picker->GetDroppedDown());
    Picker->HideDropDown(false);
    EXPECT_FALSE(Picker->GetDroppedDown());
}

TEST_F(ItemSelector, RandomChangesKeepTheSelectedAndHotItemsOnLiveItems)
{
    std::mt19937 Rng(20261212);
    TSelectorItems* Items = Host->GetItems();
    int Named = 0;
    auto Put = [&](TSelectorItem* It) { It->SetCaption(L"Punkt " + IntToStr(Named++)); };
    auto Caption = [&](int I) { return I < 0 ? String() : Items->GetItems(I)->GetCaption(); };
    TDibSurface Sheet(320, 240);
    for (int Step = 0; Step < 600; ++Step) {
        const int N = Items->GetCount();
        const String Selected = Caption(Host->GetItemIndex()), Hot = Caption(Host->GetItemHot());
        String Gone;
        bool Structural = true;
        switch (Rng() % 9) {
        case 0:
        case 1: Put(Items->Add()); break;
        case 2: Put(Items->Insert(int(Rng() % (N + 1)))); break;
        case 3:
            if (N == 0) break;
            {
                const int I = int(Rng() % N);
                Gone = Caption(I);
                Items->Delete(I);
            }
            break;
        case 4:
            if (N > 0) Items->GetItems(int(Rng() % N))->SetEnabled(Rng() % 3 != 0);
            break;
        case 5: {
            // Any index, in range or not.
            const int I = int(Rng() % (N + 4)) - 2, Was = Host->GetItemIndex();
            const bool InRange = I >= 0 && I < N, Refused = InRange && !Items->GetItems(I)->GetEnabled();
            Host->SetItemIndex(I);
            EXPECT_EQ(Host->GetItemIndex(), Refused ? Was : InRange ? I : -1) << Step;
            Structural = false;
            break;
        }
        case 6: {
            const int I = int(Rng() % (N + 2)) - 1;
            Panel()->SetItemHot(I < N ? I : -1);
            Structural = false;
            break;
        }
        case 7:
            switch (Rng() % 4) {
            case 0: Host->SelectNext(); break;
            case 1: Host->SelectPrevious(); break;
            case 2: Host->HotNext(); break;
            default: Host->SelectLast();
            }
            Structural = false;
            break;
        default:
            if (Rng() % 2) ui::Pump();
            else Host->UpdateSelectorPanel();
            Structural = false;
        }
        const int Count = Items->GetCount();
        ASSERT_GE(Host->GetItemIndex(), -1) << Step;
        ASSERT_LT(Host->GetItemIndex(), Count) << Step;
        ASSERT_GE(Host->GetItemHot(), -1) << Step;
        ASSERT_LT(Host->GetItemHot(), Count) << Step;
        if (Structural) {
            // Items put in, taken out or switched off around them leave the selected and the hot
            // item where they were; the item taken out is neither any more.
            EXPECT_EQ(Caption(Host->GetItemIndex()), Selected == Gone ? String() : Selected) << Step;
            EXPECT_EQ(Caption(Host->GetItemHot()), Hot == Gone ? String() : Hot) << Step;
        }
        EXPECT_NO_THROW(Panel()->DrawItems(Sheet.Canvas())) << Step;
        if (Step % 50 == 0) {
            Host->UpdateSelectorPanel();
            // The panel's size rule: the cells row by row, Columns to a row, with the margins.
            const TSize Cell = Panel()->GetCellSize(), Size = Host->GetItemPanelSize();
            const int Cols = Host->GetColumns(), Rows = (Count + Cols - 1) / Cols;
            EXPECT_EQ(Size.cx, Count == 0 ? 100 : 4 + std::min(Count, Cols) * Cell.cx) << Step;
            EXPECT_EQ(Size.cy, Count == 0 ? 50 : 4 + Rows * Cell.cy) << Step;
            Host->SetColumns(1 + int(Rng() % 4));
            EXPECT_NO_THROW(RedrawWindow(Panel()->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW));
        }
    }
}
