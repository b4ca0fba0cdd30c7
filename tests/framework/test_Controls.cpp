// test-needs: desktop
// Controls on real windows: dispatch to message methods, the replaceable window procedure,
// system-class windows, notifications of property changes, inherited font and colour, geometry,
// mouse input and painting.
#include "test_ControlsKit.h"

#include "support/Pixels.h"

namespace {

constexpr UINT WM_PROBE = WM_USER + 7;

// Handles one message of its own and the enabled notification, then lets the base class run.
class TProbe : public TTestBox {
    DECLARE_CLASS(TProbe, TTestBox)
public:
    explicit TProbe(TComponent* AOwner) : TTestBox(AOwner) {}
    int Probes = 0, EnabledSeen = 0;

    void Dispatch(TMessage& M) override
    {
        switch (M.Msg) {
        case WM_PROBE: WMProbe(M); break;
        case CM_ENABLEDCHANGED: CMEnabledChanged(M); break;
        default: inherited::Dispatch(M);
        }
    }

private:
    void WMProbe(TMessage& M)
    {
        ++Probes;
        M.Result = LRESULT(M.WParam + M.LParam);
    }
    void CMEnabledChanged(TMessage& M)
    {
        ++EnabledSeen;
        inherited::Dispatch(M);   // the base still enables or disables the window
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(400, 300);
        Guard = std::make_unique<ui::FormGuard>(Form);
    }
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
};

// Component and control names are identifiers: both searches fold a to z only, so "LABEL1" finds
// "Label1" while names that differ in a letter such as "Æ" / "æ" stay different names.
TEST_F(ControlsTest, NameSearchesFoldAsciiCaseOnlyAndAlike)
{
    auto* Label = AddControl<TTestBox>(Form, 0, 0, 10, 10, L"Label1");
    auto* Island = AddControl<TTestBox>(Form, 0, 20, 10, 10, L"Ærø");
    const struct {
        const wchar_t* Name;
        TControl* Found;
    } Cases[] = {
        {L"Label1", Label}, {L"LABEL1", Label}, {L"label1", Label}, {L"Label", nullptr},
        {L"Ærø", Island},   {L"ærø", nullptr},  {L"ÆRØ", nullptr},  {L"ærØ", nullptr},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(Utf16ToUtf8(C.Name));
        EXPECT_EQ(Form->FindComponent(C.Name), C.Found);
        EXPECT_EQ(Form->FindChildControl(C.Name), C.Found);
    }
}

TEST_F(ControlsTest, MessagesReachMessageMethodsByNumber)
{
    auto* P = AddControl<TProbe>(Form, 10, 10, 60, 24);
    ui::ShowAndActivate(Form);
    ASSERT_TRUE(P->HandleAllocated());

    EXPECT_EQ(SendMessageW(P->GetHandle(), WM_PROBE, 40, 2), 42);   // through the real window
    EXPECT_EQ(P->Perform(WM_PROBE, 1, 2), 3);                         // and directly
    EXPECT_EQ(P->Probes, 2);

    P->SetEnabled(false);
    EXPECT_EQ(P->EnabledSeen, 1);
    EXPECT_FALSE(IsWindowEnabled(P->GetHandle()));

    // What no class handles goes to the window's default procedure.
    P->SetText(L"caption");
    wchar_t Buf[32] = {};
    SendMessageW(P->GetHandle(), WM_GETTEXT, 32, LPARAM(Buf));
    EXPECT_STREQ(Buf, L"caption");
}

TEST_F(ControlsTest, WindowProcCanBeReplacedChainedAndRestored)
{
    auto* P = AddControl<TProbe>(Form, 10, 10, 60, 24);
    TWndMethod Old = P->GetWindowProc();
    int Seen = 0;
    P->SetWindowProc([&](TMessage& M) {
        ++Seen;
        if (M.Msg == WM_PROBE && M.WParam == 0) {
            M.Result = 99;
            return;
        }
        Old(M);
    });
    EXPECT_EQ(SendMessageW(P->GetHandle(), WM_PROBE, 0, 0), 99);
    EXPECT_EQ(SendMessageW(P->GetHandle(), WM_PROBE, 5, 5), 10);
    EXPECT_EQ(P->Probes, 1);
    EXPECT_GE(Seen, 2);

    P->SetWindowProc(Old);
    EXPECT_EQ(SendMessageW(P->GetHandle(), WM_PROBE, 0, 7), 7);
}

TEST_F(ControlsTest, SystemClassControlKeepsTextAcrossRecreation)
{
    auto* E = AddControl<TTestEdit>(Form, 10, 10, 120, 22);
    ui::ShowAndActivate(Form);
    E->SetText(L"abc");
    HWND First = E->GetHandle();
    wchar_t Cls[64] = {};
    GetClassNameW(First, Cls, 64);
    EXPECT_STREQ(Cls, L"TTestEdit");
    EXPECT_NE(SendMessageW(First, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS, 0);   // the edit's own answer

    Char Typed = 0;
    E->OnKeyPress = [&](TObject*, Char& Key) { Typed = Key; };
    E->SetFocus();
    SendMessageW(First, EM_SETSEL, 3, 3);
    ui::TypeChar(L'x', First);
    EXPECT_EQ(Typed, L'x');
    EXPECT_EQ(E->GetText(), L"abcx");

    E->RecreateWnd();
    EXPECT_NE(E->GetHandle(), First);
    EXPECT_FALSE(IsWindow(First));
    EXPECT_EQ(E->GetText(), L"abcx");
    EXPECT_EQ(E->GetParent(), Form);
    EXPECT_EQ(E->GetBoundsRect(), Bounds(10, 10, 120, 22));
}

struct NotifyCase {
    const char* Name;
    UINT Expected;
    std::function<void(TControl*)> Change;
};

TEST_F(ControlsTest, PropertyChangesSendTheirNotifications)
{
    auto* P = AddControl<TTestBox>(Form, 10, 10, 60, 24);
    ui::ShowAndActivate(Form);
    const NotifyCase Cases[] = {
        {"Enabled", CM_ENABLEDCHANGED, [](TControl* C) { C->SetEnabled(false); }},
        {"Visible", CM_VISIBLECHANGED, [](TControl* C) { C->SetVisible(false); }},
        {"Showing", CM_SHOWINGCHANGED, [](TControl* C) { C->SetVisible(true); }},
        {"Font", CM_FONTCHANGED, [](TControl* C) { C->GetFont()->SetSize(14); }},
        {"Color", CM_COLORCHANGED, [](TControl* C) { C->SetColor(clRed); }},
        {"Text", CM_TEXTCHANGED, [](TControl* C) { C->SetText(L"new"); }},
        {"Cursor", CM_CURSORCHANGED, [](TControl* C) { C->SetCursor(crHandPoint); }},
        {"ShowHint", CM_SHOWHINTCHANGED, [](TControl* C) { C->SetShowHint(true); }},
        {"TabStop", CM_TABSTOPCHANGED, [](TControl* C) { static_cast<TWinControl*>(C)->SetTabStop(false); }},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        ui::MessageLog Log(P);
        Case.Change(P);
        EXPECT_EQ(Log.Count(Case.Expected), 1);
        // Setting the same value again tells nobody.
        Log.Clear();
        Case.Change(P);
        EXPECT_EQ(Log.Count(Case.Expected), 0);
    }
    EXPECT_FALSE(IsWindowEnabled(P->GetHandle()));
    EXPECT_TRUE(IsWindowVisible(P->GetHandle()));
}

TEST_F(ControlsTest, FontAndColorFollowTheParentUntilSetOwnValue)
{
    auto* Panel = AddControl<TTestPanel>(Form, 0, 0, 300, 200);
    auto* Inner = AddControl<TTestBox>(Panel, 10, 10, 60, 24);
    auto* Swatch = AddControl<TTestSwatch>(Panel, 100, 10, 20, 20);
    auto* Own = AddControl<TTestBox>(Panel, 10, 50, 60, 24);
    Inner->SetParentColor(true);
    Swatch->SetParentColor(true);
    Own->GetFont()->SetName(L"Courier New");   // an own font: no longer the parent's
    EXPECT_FALSE(Own->GetParentFont());

    ui::MessageLog Log(Inner);
    Form->GetFont()->SetName(L"Arial");
    Form->GetFont()->SetSize(15);
    Form->SetColor(clYellow);

    for (TControl* C : {static_cast<TControl*>(Panel), static_cast<TControl*>(Inner), static_cast<TControl*>(Swatch)}) {
        SCOPED_TRACE(AnsiString(Utf16ToUtf8(C->ClassName())));
        EXPECT_EQ(C->GetFont()->GetName(), L"Arial");
        EXPECT_EQ(C->GetFont()->GetSize(), 15);
        EXPECT_TRUE(C->GetParentFont());
        EXPECT_EQ(C->GetColor(), clYellow);
        EXPECT_TRUE(C->GetParentColor());
    }
    EXPECT_TRUE(Log.Saw(CM_PARENTFONTCHANGED));
    EXPECT_TRUE(Log.Saw(CM_FONTCHANGED));
    EXPECT_TRUE(Log.Saw(CM_PARENTCOLORCHANGED));
    EXPECT_EQ(Own->GetFont()->GetName(), L"Courier New");
    EXPECT_EQ(Own->GetColor(), clWhite);

    // Back to the parent's values when asked to follow again.
    Own->SetParentFont(true);
    Own->SetParentColor(true);
    EXPECT_EQ(Own->GetFont()->GetName(), L"Arial");
    EXPECT_EQ(Own->GetColor(), clYellow);

    // A control placed later takes the parent's values at once.
    auto* Late = AddControl<TTestSwatch>(Panel, 150, 10, 20, 20);
    Late->SetParentColor(true);
    EXPECT_EQ(Late->GetFont()->GetName(), L"Arial");
    EXPECT_EQ(Late->GetColor(), clYellow);
}

TEST_F(ControlsTest, AlignAnchorsAndConstraintsFollowTheParent)
{
    auto* Panel = AddControl<TTestPanel>(Form, 0, 0, 300, 200);
    Panel->SetBorderWidth(5);
    auto* Top = AddControl<TTestSwatch>(Panel, 0, 0, 10, 30);
    auto* Bottom = AddControl<TTestSwatch>(Panel, 0, 0, 10, 20);
    auto* Left = AddControl<TTestSwatch>(Panel, 0, 0, 40, 10);
    auto* Client = AddControl<TTestBox>(Panel, 0, 0, 10, 10);
    Top->SetAlign(alTop);
    Bottom->SetAlign(alBottom);
    Left->SetAlign(alLeft);
    Client->SetAlign(alClient);
    auto* Corner = AddControl<TTestBox>(Form, 330, 260, 60, 30);
    Corner->SetAnchors(TAnchors{akRight, akBottom});
    auto* Stretch = AddControl<TTestBox>(Form, 310, 10, 80, 30);
    Stretch->SetAnchors(TAnchors{akLeft, akTop, akRight});

    EXPECT_EQ(Top->GetBoundsRect(), Rect(5, 5, 295, 35));
    EXPECT_EQ(Bottom->GetBoundsRect(), Rect(5, 175, 295, 195));
    EXPECT_EQ(Left->GetBoundsRect(), Rect(5, 35, 45, 175));
    EXPECT_EQ(Client->GetBoundsRect(), Rect(45, 35, 295, 175));

    Panel->SetBounds(0, 0, 200, 150);
    EXPECT_EQ(Client->GetBoundsRect(), Rect(45, 35, 195, 125));

    Form->SetClientWidth(500);
    Form->SetClientHeight(400);
    EXPECT_EQ(Corner->GetBoundsRect(), Rect(430, 360, 490, 390));
    EXPECT_EQ(Stretch->GetBoundsRect(), Rect(310, 10, 490, 40));

    Corner->GetConstraints()->SetMinWidth(100);
    EXPECT_EQ(Corner->GetWidth(), 100);
    Corner->SetWidth(20);
    EXPECT_EQ(Corner->GetWidth(), 100);
}

TEST_F(ControlsTest, ClientCoordinatesMapThroughParents)
{
    auto* Panel = AddControl<TTestPanel>(Form, 30, 40, 200, 100);
    auto* Swatch = AddControl<TTestSwatch>(Panel, 7, 9, 20, 20);
    TPoint Origin = Form->ClientToScreen({0, 0});
    EXPECT_EQ(Swatch->ClientToScreen({1, 2}), TPoint(Origin.X + 38, Origin.Y + 51));
    EXPECT_EQ(Swatch->ScreenToClient(Swatch->ClientToScreen({3, 4})), TPoint(3, 4));
    EXPECT_EQ(Swatch->ClientToParent({1, 1}, Form), TPoint(38, 50));
    EXPECT_EQ(Swatch->ParentToClient({38, 50}, Form), TPoint(1, 1));
}

TEST_F(ControlsTest, GraphicControlGetsMouseInItsOwnCoordinatesAndClicks)
{
    auto* Swatch = AddControl<TTestSwatch>(Form, 50, 60, 40, 30);
    ui::ShowAndActivate(Form);
    std::vector<TPoint> Downs;
    std::vector<TShiftState> Shifts;
    int Clicks = 0, DblClicks = 0;
    Swatch->OnMouseDown = [&](TObject*, TMouseButton, TShiftState S, int X, int Y) {
        Downs.push_back({X, Y});
        Shifts.push_back(S);
    };
    Swatch->OnClick = [&](TObject*) { ++Clicks; };
    Swatch->OnDblClick = [&](TObject*) { ++DblClicks; };

    ui::Click(Swatch, 5, 6, TShiftState{ssShift});
    ASSERT_EQ(Downs.size(), 1u);
    EXPECT_EQ(Downs[0], TPoint(5, 6));
    EXPECT_TRUE(Shifts[0].Contains(ssShift));
    EXPECT_TRUE(Shifts[0].Contains(ssLeft));
    EXPECT_EQ(Clicks, 1);

    // Pressed inside, released outside: the capture keeps the release, and there is no click.
    ui::MouseDown(Swatch, mbLeft, 5, 5);
    EXPECT_EQ(CaptureControl(), Swatch);
    HWND W = Form->GetHandle();
    PostMessageW(W, WM_LBUTTONUP, 0, MAKELPARAM(300, 250));
    ui::Pump();
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(CaptureControl(), nullptr);

    PostMessageW(W, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(55, 65));
    ui::Pump();
    EXPECT_EQ(DblClicks, 1);
    EXPECT_TRUE(Shifts.back().Contains(ssDouble));
}

TEST_F(ControlsTest, MouseEnterAndLeaveFollowTheControlUnderTheMouse)
{
    auto* A = AddControl<TTestSwatch>(Form, 10, 10, 40, 40);
    auto* B = AddControl<TTestSwatch>(Form, 100, 10, 40, 40);
    auto* Box = AddControl<TTestBox>(Form, 200, 10, 60, 40);
    ui::ShowAndActivate(Form);
    int BoxEnter = 0, BoxLeave = 0;
    Box->OnMouseEnter = [&](TObject*) { ++BoxEnter; };
    Box->OnMouseLeave = [&](TObject*) { ++BoxLeave; };

    ui::MouseMove(A, 5, 5);
    ui::MouseMove(A, 6, 6);
    EXPECT_EQ(A->Enters, 1);
    EXPECT_TRUE(A->MouseInControl());
    ui::MouseMove(B, 5, 5);
    EXPECT_EQ(A->Leaves, 1);
    EXPECT_EQ(B->Enters, 1);
    ui::MouseMove(Box, 5, 5);
    EXPECT_EQ(B->Leaves, 1);
    EXPECT_EQ(BoxEnter, 1);
    ui::MouseMove(A, 1, 1);
    EXPECT_EQ(BoxLeave, 1);
    EXPECT_EQ(A->Enters, 2);
}

TEST_F(ControlsTest, UnhandledWheelGoesToTheParent)
{
    auto* Panel = AddControl<TTestPanel>(Form, 0, 0, 300, 200);
    auto* Box = AddControl<TTestBox>(Panel, 10, 10, 60, 24);
    ui::ShowAndActivate(Form);
    Box->SetFocus();
    ASSERT_TRUE(Box->Focused());
    int PanelDown = 0, BoxUp = 0;
    TShiftState Seen;
    Panel->OnMouseWheelDown = [&](TObject*, TShiftState S, TPoint, bool& Handled) {
        ++PanelDown;
        Seen = S;
        Handled = true;
    };
    Box->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        ++BoxUp;
        Handled = true;
    };
    ui::Wheel(Box, -WHEEL_DELTA, 5, 5, TShiftState{ssCtrl});
    EXPECT_EQ(PanelDown, 1);
    EXPECT_TRUE(Seen.Contains(ssCtrl));
    ui::Wheel(Box, WHEEL_DELTA, 5, 5);
    EXPECT_EQ(BoxUp, 1);
    // Answered by nobody: the wheel message goes on to the default handling with no answer.
    TMessage M{CM_MOUSEWHEEL, MAKEWPARAM(0, Word(short(-WHEEL_DELTA))), 0, 0};
    EXPECT_EQ(Form->Perform(M.Msg, M.WParam, M.LParam), 0);
}

TEST_F(ControlsTest, ClickElsewhereSendsCancelModeToTheActiveControl)
{
    auto* Box = AddControl<TTestBox>(Form, 10, 10, 60, 24);
    auto* Swatch = AddControl<TTestSwatch>(Form, 100, 10, 20, 20);
    ui::ShowAndActivate(Form);
    Box->SetFocus();
    ASSERT_EQ(Form->GetActiveControl(), Box);
    ui::Click(Swatch, 2, 2);
    EXPECT_EQ(Box->CancelModes, 1);
    EXPECT_EQ(Box->CancelSender, Swatch);
}

TEST_F(ControlsTest, ContextMenuGoesToTheEventThenToThePopupMenuHook)
{
    auto* Box = AddControl<TTestBox>(Form, 20, 30, 60, 40);
    ui::ShowAndActivate(Form);
    // The menu is only handed on, never used: any distinct address serves.
    static char MenuToken;
    auto* Menu = reinterpret_cast<TPopupMenu*>(&MenuToken);
    std::vector<TPoint> Shown;
    TControl::PopupMenuHandler = [&](TControl* C, TPopupMenu* M, const TPoint& P) {
        EXPECT_EQ(C, Box);
        EXPECT_EQ(M, Menu);
        Shown.push_back(P);
        return true;
    };
    bool EventHandles = true;
    TPoint EventPos;
    Box->OnContextPopup = [&](TObject*, TPoint P, bool& Handled) {
        EventPos = P;
        Handled = EventHandles;
    };
    Box->SetPopupMenu(Menu);
    TPoint Screen = Box->ClientToScreen({5, 6});
    HWND W = Box->GetHandle();
    SendMessageW(W, WM_CONTEXTMENU, WPARAM(W), MAKELPARAM(Screen.X, Screen.Y));
    EXPECT_EQ(EventPos, TPoint(5, 6));
    EXPECT_TRUE(Shown.empty());

    EventHandles = false;
    SendMessageW(W, WM_CONTEXTMENU, WPARAM(W), MAKELPARAM(Screen.X, Screen.Y));
    SendMessageW(W, WM_CONTEXTMENU, WPARAM(W), MAKELPARAM(-1, -1));   // the keyboard's menu key
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_EQ(Shown[0], Screen);
    EXPECT_EQ(Shown[1], Box->ClientToScreen({30, 20}));
    Box->SetPopupMenu(nullptr);
    TControl::PopupMenuHandler = nullptr;
}

// A 32-bit top-down DIB selected into a memory DC, for reading painted pixels.
struct MemoryImage {
    HDC DC = nullptr;
    HBITMAP Bmp = nullptr;
    HGDIOBJ Old = nullptr;
    uint32_t* Bits = nullptr;
    int W, H;
    MemoryImage(int AW, int AH) : W(AW), H(AH)
    {
        BITMAPINFO BI{};
        BI.bmiHeader.biSize = sizeof(BI.bmiHeader);
        BI.bmiHeader.biWidth = W;
        BI.bmiHeader.biHeight = -H;
        BI.bmiHeader.biPlanes = 1;
        BI.bmiHeader.biBitCount = 32;
        DC = CreateCompatibleDC(nullptr);
        void* P = nullptr;
        Bmp = CreateDIBSection(DC, &BI, DIB_RGB_COLORS, &P, nullptr, 0);
        Bits = static_cast<uint32_t*>(P);
        Old = SelectObject(DC, Bmp);
        std::fill(Bits, Bits + W * H, 0x00123456u);
    }
    ~MemoryImage()
    {
        SelectObject(DC, Old);
        DeleteObject(Bmp);
        DeleteDC(DC);
    }
    // The pixel as a COLORREF (0x00BBGGRR).
    COLORREF At(int X, int Y) const
    {
        uint32_t V = Bits[Y * W + X];
        return RGB((V >> 16) & 0xFF, (V >> 8) & 0xFF, V & 0xFF);
    }
};

TEST_F(ControlsTest, PaintToDrawsTheControlAndItsChildren)
{
    auto* Panel = AddControl<TTestPanel>(Form, 0, 0, 100, 80);
    Panel->SetParentColor(false);
    Panel->SetColor(clBlue);
    auto* Swatch = AddControl<TTestSwatch>(Panel, 10, 10, 20, 20);
    Swatch->SetColor(clRed);
    auto* Box = AddControl<TTestBox>(Panel, 50, 40, 30, 20);
    Box->SetColor(clLime);
    ui::ShowAndActivate(Form);

    for (bool Buffered : {false, true}) {
        SCOPED_TRACE(Buffered ? "double buffered" : "direct");
        Panel->SetDoubleBuffered(Buffered);
        MemoryImage Img(120, 100);
        Panel->PaintTo(Img.DC, 5, 5);
        EXPECT_EQ(Img.At(7, 7), RGB(0, 0, 255));        // panel
        EXPECT_EQ(Img.At(20, 20), RGB(255, 0, 0));      // windowless child at (10,10)+(5,5)
        EXPECT_EQ(Img.At(60, 50), RGB(0, 255, 0));      // windowed child at (50,40)+(5,5)
        EXPECT_EQ(Img.At(110, 90), RGB(0x12, 0x34, 0x56));   // outside the panel: untouched
    }
    // The real window paints the same on the screen's side.
    Panel->Repaint();
    EXPECT_GT(Box->PaintCount, 0);
}

// A box whose paint, or whose erase into the paint buffer, raises as a faulty handler would.
class TFailingBox : public TTestBox {
    DECLARE_CLASS(TFailingBox, TTestBox)
public:
    explicit TFailingBox(TComponent* AOwner) : TTestBox(AOwner) {}
    bool FailPaint = false, FailErase = false;

    void Dispatch(TMessage& M) override
    {
        if (M.Msg == WM_ERASEBKGND && FailErase) throw Exception(L"erase failed");
        inherited::Dispatch(M);
    }

protected:
    void Paint() override
    {
        if (FailPaint) throw Exception(L"paint failed");
        TTestBox::Paint();
    }
};

TEST_F(ControlsTest, FailingPaintOrEraseLeavesNoGdiObjectsAndEndsThePaint)
{
    {
        // The count must see objects come and go here, or the checks below prove nothing.
        const DWORD Before = GdiObjectCount();
        HBRUSH Probe = CreateSolidBrush(RGB(1, 2, 3));
        ASSERT_EQ(GdiObjectCount(), Before + 1);
        DeleteObject(Probe);
        ASSERT_EQ(GdiObjectCount(), Before);
    }
    auto* Box = AddControl<TFailingBox>(Form, 10, 10, 80, 40);
    ui::ShowAndActivate(Form);
    int Stray = 0;
    Application->OnException = [&](TObject*, Exception*) { ++Stray; };
    struct Case {
        const char* Name;
        bool Buffered, FailErase, FailPaint;
    };
    for (Case C : {Case{"direct, paint raises", false, false, true},
                   Case{"buffered, paint raises", true, false, true},
                   Case{"buffered, erase raises", true, true, false}}) {
        SCOPED_TRACE(C.Name);
        Box->SetDoubleBuffered(C.Buffered);
        Box->FailErase = Box->FailPaint = false;
        Box->Repaint();   // whatever painting makes once (cached fonts, brushes) is made now
        const DWORD Before = GdiObjectCount();
        Box->FailErase = C.FailErase;
        Box->FailPaint = C.FailPaint;
        for (int I = 0; I < 5; ++I) {
            InvalidateRect(Box->GetHandle(), nullptr, FALSE);
            EXPECT_THROW(Box->Perform(WM_PAINT, 0, 0), Exception);
            RECT Left;
            EXPECT_FALSE(GetUpdateRect(Box->GetHandle(), &Left, FALSE));   // the paint was ended
        }
        EXPECT_EQ(GdiObjectCount(), Before);
        Box->FailErase = Box->FailPaint = false;
        const int Painted = Box->PaintCount;
        Box->Repaint();
        EXPECT_GT(Box->PaintCount, Painted);
    }
    Application->OnException = nullptr;
    EXPECT_EQ(Stray, 0);
}

TEST_F(ControlsTest, ReparentingAndFreeingKeepListsConsistent)
{
    auto* P1 = AddControl<TTestPanel>(Form, 0, 0, 100, 100);
    auto* P2 = AddControl<TTestPanel>(Form, 100, 0, 100, 100);
    auto* Box = AddControl<TTestBox>(P1, 5, 5, 30, 20);
    ui::ShowAndActivate(Form);
    EXPECT_THROW(P1->SetParent(P1), EInvalidOperation);
    EXPECT_THROW(P1->SetParent(static_cast<TWinControl*>(Box)), EInvalidOperation);
    Box->SetParent(P2);
    EXPECT_EQ(P1->ControlCount(), 0);
    EXPECT_EQ(P2->ControlCount(), 1);
    EXPECT_TRUE(Box->HandleAllocated());
    EXPECT_EQ(GetParent(Box->GetHandle()), P2->GetHandle());
    Box->SetFocus();
    // A parent frees its children; the form forgets its focused control.
    P2->Free();
    EXPECT_EQ(Form->ControlCount(), 1);
    EXPECT_EQ(Form->GetActiveControl(), nullptr);
    EXPECT_EQ(Form->FindComponent(L"x"), nullptr);
}

}  // namespace
