// The windows the grid creates for its later areas, standing alone on a form: what each starts
// with, that a form frees every one of them with all their windows and GDI objects, that
// descriptions make them by class name, their window styles, the keys they claim, and the
// behaviour of their own that needs no grid.
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "framework/Streaming.h"
#include "grid/QorGridSatellites.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// ---- helpers --------------------------------------------------------------------------------------

// Counts the components freed after it asked to hear of them.
class TFreeWatcher : public TComponent {
    DECLARE_CLASS(TFreeWatcher, TComponent)
public:
    TFreeWatcher() : TComponent(nullptr) {}
    void Watch(TComponent* C) { C->FreeNotification(this); }
    void Notification(TComponent*, TOperation Operation) override
    {
        if (Operation == opRemove) ++Freed;
    }
    int Freed = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM Count)
{
    ++*reinterpret_cast<int*>(Count);
    return TRUE;
}

BOOL CALLBACK CountTop(HWND Wnd, LPARAM Count)
{
    ++*reinterpret_cast<int*>(Count);
    EnumChildWindows(Wnd, CountChild, Count);
    return TRUE;
}

// Every window of this thread, children included.
int ThreadWindows()
{
    int N = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTop, LPARAM(&N));
    return N;
}

DWORD GdiObjects()
{
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

// One of each satellite window on Form (children parented to it), each with a window.
std::vector<TComponent*> MakeAll(TCustomForm* Form)
{
    auto Child = [Form](TControl* C) {
        C->SetParent(Form);
        return C;
    };
    // The grid keeps its pop-ups hidden until it needs them (a shown pop-up would take the focus).
    auto Hidden = [](TControl* C) {
        C->SetVisible(false);
        return C;
    };
    std::vector<TComponent*> All = {
        Child(Create<TFooterPanel>(Form)),    Child(Create<TSearchPanel>(Form)),
        Child(Create<TGridTransEdit>(Form)),  Child(Create<TGridTransCombo>(Form)),
        Child(Create<TGridCheckBox>(Form)),   Child(Create<TGridButton>(Form)),
        Hidden(Create<THeaderDragButton>(Form)), Child(Create<TControlEdit>(Form)),
        Child(Create<TControlCombo>(Form)),   Create<TNoActiveForm>(Form),
        Child(Create<TDropList>(Form)),       Child(Create<TDropCheckList>(Form)),
        Child(Create<TScrollControl>(Form)),  Create<THTMLHintWindow>(Form),
        Child(Create<TQorRichEdit>(Form)),    Hidden(Create<TGridFocusWindow>(Form)),
        Create<TArrowWindow>(Form, arrUp),    Create<TArrowWindow>(Form, arrDown),
        Create<TArrowWindow>(Form, arrLeft),  Create<TArrowWindow>(Form, arrRight),
    };
    for (TComponent* C : All)
        if (auto* W = dynamic_cast<TWinControl*>(C)) W->HandleNeeded();
    return All;
}

class SatelliteWindows : public ::testing::Test {
protected:
    void SetUp() override { RegisterQorGridSatelliteClasses(); }
    TForm* Form = ui::NewForm(600, 400);
    ui::FormGuard Guard{Form};
};

// ---- construction and destruction -----------------------------------------------------------------

TEST_F(SatelliteWindows, StartWithTheirDefaults)
{
    auto* Footer = Create<TFooterPanel>(Form);
    EXPECT_EQ(Footer->GetLastHintX(), -1);
    EXPECT_EQ(Footer->GetGrid(), nullptr);

    auto* Search = Create<TSearchPanel>(Form);
    EXPECT_EQ(Search->GetColorTo(), clNone);
    EXPECT_EQ(Search->ComponentCount(), 7);   // edit, four buttons, label, box
    EXPECT_EQ(Search->GetEdit()->Owner(), Search);
    EXPECT_EQ(Search->GetMatchCase()->Owner(), Search);

    auto* Trans = Create<TGridTransEdit>(Form);
    EXPECT_FALSE(Trans->GetVisible());
    EXPECT_EQ(Trans->GetRow(), 0);
    EXPECT_EQ(Trans->GetCol(), 0);
    EXPECT_FALSE(Trans->GetFilterEdit());
    EXPECT_FALSE(Create<TGridTransCombo>(Form)->GetVisible());

    auto* Scroll = Create<TScrollControl>(Form);
    EXPECT_EQ(Scroll->GetColor(), TColor(0x00C0C0C0));
    EXPECT_EQ(Scroll->GetScrollWidth(), 4);
    EXPECT_EQ(Scroll->GetDirection(), sdVertical);
    EXPECT_FALSE(Scroll->GetDownOnScroller());

    auto* Drag = Create<THeaderDragButton>(Form);
    EXPECT_EQ(Drag->GetGrid(), nullptr);
    EXPECT_EQ(Drag->GetCaption(), L"");
    EXPECT_FALSE(Drag->GetFlat());

    EXPECT_FALSE(Create<TNoActiveForm>(Form)->GetFormEnabled());

    auto* Rich = Create<TQorRichEdit>(Form);
    EXPECT_EQ(Rich->GetReqWidth(), 0);
    EXPECT_EQ(Rich->GetReqHeight(), 0);
    EXPECT_FALSE(Rich->GetLocked());
    Rich->Lock();
    EXPECT_TRUE(Rich->GetLocked());
    Rich->Unlock();
    EXPECT_FALSE(Rich->GetLocked());
}

TEST(SatelliteLifetime, AFormFreesEveryOneWithAllTheirWindowsAndGdiObjects)
{
    RegisterQorGridSatelliteClasses();
    auto Cycle = [](TFreeWatcher* Watcher) {
        TForm* Form = ui::NewForm(600, 400);
        ui::FormGuard Guard(Form);
        std::vector<TComponent*> All = MakeAll(Form);
        if (Watcher)
            for (TComponent* C : All) Watcher->Watch(C);
        // Painted once, without showing the form (a shown form would take the focus).
        TDibSurface Surface(600, 400);
        Form->PaintTo(Surface.DC(), 0, 0);
        ui::Pump();
        return int(All.size());
    };
    Cycle(nullptr);   // first-use costs (window classes, stock objects) are paid here
    ui::Pump();
    int Windows = ThreadWindows();
    DWORD Gdi = GdiObjects();
    TFreeWatcher Watcher;
    int Made = Cycle(&Watcher);
    ui::Pump();
    EXPECT_EQ(Watcher.Freed, Made);
    EXPECT_EQ(ThreadWindows(), Windows);
    EXPECT_EQ(GdiObjects(), Gdi);
}

// ---- by name ------------------------------------------------------------------------------------

TEST_F(SatelliteWindows, DescriptionsMakeThemByClassNameAndSetTheirProperties)
{
    ReadComponentText(L"object Form1: TForm\n"
                      L"  object Trans: TGridTransEdit\n"
                      L"    Row = 3\n"
                      L"    Col = 2\n"
                      L"  end\n"
                      L"  object TransCombo: TGridTransCombo\n"
                      L"    Row = 1\n"
                      L"  end\n"
                      L"  object Footer: TFooterPanel\n"
                      L"  end\n"
                      L"  object Search: TSearchPanel\n"
                      L"    Caption = ''\n"
                      L"  end\n"
                      L"  object Drop: TDropList\n"
                      L"  end\n"
                      L"  object Check: TGridCheckBox\n"
                      L"  end\n"
                      L"  object Button: TGridButton\n"
                      L"  end\n"
                      L"  object Ctrl: TControlEdit\n"
                      L"    EditMask = '999'\n"
                      L"  end\n"
                      L"  object Combo: TControlCombo\n"
                      L"  end\n"
                      L"  object Rich: TQorRichEdit\n"
                      L"  end\n"
                      L"end\n",
                      Form);
    auto* Trans = dynamic_cast<TGridTransEdit*>(Form->FindComponent(L"Trans"));
    ASSERT_NE(Trans, nullptr);
    EXPECT_EQ(Trans->GetRow(), 3);
    EXPECT_EQ(Trans->GetCol(), 2);
    EXPECT_EQ(Trans->GetParent(), Form);
    EXPECT_EQ(dynamic_cast<TGridTransCombo*>(Form->FindComponent(L"TransCombo"))->GetRow(), 1);
    EXPECT_EQ(dynamic_cast<TControlEdit*>(Form->FindComponent(L"Ctrl"))->GetEditMask(), L"999");
    for (const wchar_t* Name : {L"Footer", L"Search", L"Drop", L"Check", L"Button", L"Combo", L"Rich"})
        EXPECT_NE(Form->FindComponent(Name), nullptr) << Name;
    EXPECT_NE(dynamic_cast<TSearchPanel*>(Form->FindComponent(L"Search")), nullptr);

    try {
        ReadComponentText(L"object Form1: TForm\n  object T2: TGridTransEdit\n    Rows = 3\n  end\nend\n", Form);
        FAIL() << "no exception";
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message, L"Property Rows does not exist (line 3)");
    }
}

TEST_F(SatelliteWindows, EveryClassIsRegisteredByName)
{
    for (const wchar_t* Name :
         {L"TFooterPanel", L"TSearchPanel", L"TRetEdit", L"TGridTransEdit", L"TGridTransCombo", L"TGridCheckBox",
          L"TGridButton", L"THeaderDragButton", L"TControlEdit", L"TControlCombo", L"TNoActiveForm", L"TDropList",
          L"TDropCheckList", L"TScrollControl", L"THTMLHintWindow", L"TQorRichEdit", L"TGridFocusWindow",
          L"TArrowWindow", L"TFloatingFooter", L"TDragDropSettings", L"TDragScrollOptions"}) {
        TRegisteredClass* C = GetClass(Name);
        ASSERT_NE(C, nullptr) << Name;
    }
    // The arrow window is made with its direction, so the registry has no factory for it.
    EXPECT_FALSE(GetClass(L"TArrowWindow")->Factory);
    TComponent* Made = dynamic_cast<TComponent*>(GetClass(L"TDropCheckList")->CreateInstance(Form));
    EXPECT_NE(dynamic_cast<TDropCheckList*>(Made), nullptr);
    EXPECT_EQ(Made->Owner(), Form);
}

// ---- window styles ------------------------------------------------------------------------------

struct StyleCase {
    const char* Name;
    std::function<TWinControl*(TForm*)> Make;
    DWORD StyleMask, Style;      // (style & StyleMask) == Style
    DWORD ExStyleMask, ExStyle;
    UINT ClassStyle;             // class style bits that must be set
};

void PrintTo(const StyleCase& C, std::ostream* Os)
{
    *Os << C.Name;
}

class SatelliteStyles : public SatelliteWindows, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(SatelliteStyles, CreateTheirWindowsAsTheyShould)
{
    TWinControl* C = GetParam().Make(Form);
    HWND Wnd = C->GetHandle();
    DWORD Style = DWORD(GetWindowLongPtrW(Wnd, GWL_STYLE));
    DWORD ExStyle = DWORD(GetWindowLongPtrW(Wnd, GWL_EXSTYLE));
    EXPECT_EQ(Style & GetParam().StyleMask, GetParam().Style) << std::hex << Style;
    EXPECT_EQ(ExStyle & GetParam().ExStyleMask, GetParam().ExStyle) << std::hex << ExStyle;
    UINT ClassStyle = UINT(GetClassLongPtrW(Wnd, GCL_STYLE));
    EXPECT_EQ(ClassStyle & GetParam().ClassStyle, GetParam().ClassStyle) << std::hex << ClassStyle;
}

// The grid keeps its pop-ups hidden until it needs them.
template <class T>
T* Hide(T* C)
{
    C->SetVisible(false);
    return C;
}

const DWORD Kind = WS_POPUP | WS_CHILD | WS_BORDER | WS_DISABLED | WS_DLGFRAME;

INSTANTIATE_TEST_SUITE_P(Windows, SatelliteStyles, ::testing::Values(
    StyleCase{"FocusWindow", [](TForm* F) -> TWinControl* { return Hide(Create<TGridFocusWindow>(F)); },
              Kind, WS_POPUP | WS_DISABLED, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_APPWINDOW,
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW, 0},
    StyleCase{"ArrowWindow", [](TForm* F) -> TWinControl* { return Create<TArrowWindow>(F, arrLeft); },
              Kind, WS_POPUP, 0, 0, 0},
    StyleCase{"HeaderDragButton", [](TForm* F) -> TWinControl* { return Hide(Create<THeaderDragButton>(F)); },
              Kind, WS_POPUP | WS_BORDER, 0, 0, CS_SAVEBITS},
    StyleCase{"NoActiveFormOff", [](TForm* F) -> TWinControl* { return Create<TNoActiveForm>(F); },
              Kind, WS_POPUP | WS_BORDER | WS_DISABLED, 0, 0, CS_SAVEBITS},
    StyleCase{"NoActiveFormOn", [](TForm* F) -> TWinControl* {
                  auto* N = Create<TNoActiveForm>(F);
                  N->SetFormEnabled(true);
                  return N;
              },
              Kind, WS_POPUP, 0, 0, CS_SAVEBITS},
    StyleCase{"HTMLHintWindow", [](TForm* F) -> TWinControl* { return Create<THTMLHintWindow>(F); },
              Kind, WS_POPUP, 0, 0, CS_DROPSHADOW},
    StyleCase{"RetEdit", [](TForm* F) -> TWinControl* {
                  auto* E = Create<TRetEdit>(F);
                  E->SetParent(F);
                  return E;
              },
              ES_MULTILINE, ES_MULTILINE, 0, 0, 0}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(SatelliteWindows, TheNoActiveFormNeverTakesActivation)
{
    auto* N = Create<TNoActiveForm>(Form);
    N->SetFormEnabled(true);
    N->SetBorderStyle(bsNone);
    N->SetBounds(100, 100, 200, 22);
    HWND Wnd = N->GetHandle();
    EXPECT_EQ(SendMessageW(Wnd, WM_MOUSEACTIVATE, WPARAM(Form->GetHandle()), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    EXPECT_EQ(SendMessageW(Wnd, WM_ACTIVATE, WA_INACTIVE, 0), 1);
}

// ---- keys ---------------------------------------------------------------------------------------

struct SpecialKeyCase {
    const char* Name;
    std::function<TWinControl*(TForm*)> Make;
    std::vector<std::pair<Word, LRESULT>> Keys;   // key, CM_WANTSPECIALKEY's answer
};

void PrintTo(const SpecialKeyCase& C, std::ostream* Os)
{
    *Os << C.Name;
}

class SatelliteSpecialKeys : public SatelliteWindows, public ::testing::WithParamInterface<SpecialKeyCase> {};

TEST_P(SatelliteSpecialKeys, ClaimTheirKeys)
{
    TWinControl* C = GetParam().Make(Form);
    C->SetParent(Form);
    C->HandleNeeded();
    for (auto [Key, Claimed] : GetParam().Keys) EXPECT_EQ(C->Perform(CM_WANTSPECIALKEY, Key), Claimed) << Key;
}

INSTANTIATE_TEST_SUITE_P(Editors, SatelliteSpecialKeys, ::testing::Values(
    SpecialKeyCase{"GridButton", [](TForm* F) -> TWinControl* { return Create<TGridButton>(F); },
                   {{VK_ESCAPE, 1}, {VK_LEFT, 1}, {VK_RIGHT, 1}, {VK_UP, 1}, {VK_DOWN, 1}, {VK_RETURN, 0},
                    {VK_TAB, 0}}},
    SpecialKeyCase{"ControlEdit", [](TForm* F) -> TWinControl* { return Create<TControlEdit>(F); },
                   {{VK_TAB, 1}, {VK_RETURN, 0}, {VK_ESCAPE, 0}}},
    SpecialKeyCase{"ControlCombo", [](TForm* F) -> TWinControl* { return Create<TControlCombo>(F); },
                   {{VK_TAB, 1}, {VK_RETURN, 0}, {VK_ESCAPE, 0}}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(SatelliteWindows, TheHeaderEditSwallowsEnter)
{
    auto* Trans = Create<TGridTransEdit>(Form);
    Trans->SetParent(Form);
    Trans->SetVisible(true);
    std::vector<int> Seen;
    Trans->OnKeyPress = [&](TObject*, Char& Key) { Seen.push_back(Key); };
    SendMessageW(Trans->GetHandle(), WM_CHAR, L'a', 0);
    SendMessageW(Trans->GetHandle(), WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(Trans->GetText(), L"a");
    EXPECT_EQ(Seen, (std::vector<int>{L'a', 0}));
    EXPECT_TRUE(Trans->StopEdit());   // no grid: the edit simply ends
}

TEST_F(SatelliteWindows, TheHeaderComboHidesWhenItEndsWithoutAGridAndKnowsItsListWidth)
{
    auto* Combo = Create<TGridTransCombo>(Form);
    Combo->SetParent(Form);
    EXPECT_EQ(Combo->GetDropWidth(), 0);   // no window yet
    Combo->SetDropWidth(300);              // ignored without a window
    Combo->SetVisible(true);
    Combo->HandleNeeded();
    Combo->SetDropWidth(250);
    EXPECT_EQ(Combo->GetDropWidth(), 250);
    EXPECT_TRUE(Combo->StopEdit());
    EXPECT_FALSE(Combo->GetVisible());
}

TEST_F(SatelliteWindows, TheRichEditWantsTabAndFormatsItsSelection)
{
    auto* Rich = Create<TQorRichEdit>(Form);
    Rich->SetParent(Form);
    Rich->SetText(L"H2O");
    EXPECT_TRUE(Rich->Perform(WM_GETDLGCODE) & DLGC_WANTTAB);
    Rich->SetSelStart(1);
    Rich->SetSelLength(1);
    EXPECT_TRUE(Rich->IsSelNormal());
    Rich->SelSubscript();
    EXPECT_TRUE(Rich->IsSelSubscript());
    EXPECT_FALSE(Rich->IsSelNormal());
    Rich->SelSuperscript();
    EXPECT_TRUE(Rich->IsSelSuperscript());
    EXPECT_FALSE(Rich->IsSelSubscript());
    Rich->SelNormal();
    EXPECT_TRUE(Rich->IsSelNormal());
}

// ---- the filter lists ---------------------------------------------------------------------------

class FilterLists : public SatelliteWindows {
protected:
    void SetUp() override
    {
        SatelliteWindows::SetUp();
        for (TCustomListBox* L : {static_cast<TCustomListBox*>(List), static_cast<TCustomListBox*>(Checks)}) {
            L->SetParent(Form);
            L->SetBounds(10, 10, 150, 120);
            for (const wchar_t* S : {L"Nord", L"Syd", L"\u00d8st"}) L->GetItems()->Add(S);
            L->SetItemIndex(1);
        }
        List->OnSelect = [this](TObject*, int Index) { Selected.push_back(Index); };
        List->OnClose = [this](TObject*) { ++Closed; };
        Checks->OnSelect = [this](TObject*, int Index) { Selected.push_back(Index); };
        Checks->OnClose = [this](TObject*) { ++Closed; };
    }
    TDropList* List = Create<TDropList>(Form);
    TDropCheckList* Checks = Create<TDropCheckList>(Form);
    std::vector<int> Selected;
    int Closed = 0;
};

TEST_F(FilterLists, ReturnAndAReleaseChooseEscCloses)
{
    SendMessageW(List->GetHandle(), WM_CHAR, VK_RETURN, 0);
    EXPECT_FALSE(List->GetVisible());
    EXPECT_EQ(Selected, std::vector<int>{1});
    List->SetVisible(true);
    SendMessageW(List->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(List->GetVisible());
    EXPECT_EQ(Selected.size(), 2u);
    List->SetVisible(true);
    SendMessageW(List->GetHandle(), WM_CHAR, VK_ESCAPE, 0);
    EXPECT_FALSE(List->GetVisible());
    EXPECT_EQ(Closed, 1);
    EXPECT_EQ(Selected.size(), 2u);
}

TEST_F(FilterLists, TheCheckListReportsEachCheckAndStaysOpenUntilEsc)
{
    SendMessageW(Checks->GetHandle(), WM_CHAR, L' ', 0);
    EXPECT_TRUE(Checks->GetChecked(1));
    EXPECT_TRUE(Checks->GetVisible());
    EXPECT_EQ(Selected, std::vector<int>{1});
    SendMessageW(Checks->GetHandle(), WM_CHAR, VK_RETURN, 0);
    EXPECT_TRUE(Checks->GetVisible());
    SendMessageW(Checks->GetHandle(), WM_CHAR, VK_ESCAPE, 0);
    EXPECT_FALSE(Checks->GetVisible());
    EXPECT_EQ(Closed, 1);
}

// ---- the footer panel ---------------------------------------------------------------------------

TEST_F(SatelliteWindows, TheFooterPanelMirrorsStripsForRightToLeft)
{
    auto* Footer = Create<TFooterPanel>(Form);
    Footer->SetParent(Form);
    Footer->SetBounds(0, 0, 300, 22);
    EXPECT_EQ(Footer->RTLCoord(false, TRect(0, 0, 100, 20)), TRect(0, 0, 100, 20));
    // The strip keeps its width and runs from the right edge.
    EXPECT_EQ(Footer->RTLCoord(true, TRect(0, 0, 100, 20)), TRect(200, 0, 300, 20));
    EXPECT_EQ(Footer->RTLCoord(true, TRect(10, 2, 40, 20)), TRect(260, 2, 290, 20));
}

} // namespace
