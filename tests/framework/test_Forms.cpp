// test-needs: desktop
// Forms on real windows: events in order, close actions, modal results, border styles and their
// window styles, re-creation that keeps what the form holds, client size, position, popups that
// never take activation, scaling, and a demonstration form with custom-painted controls.
#include "test_ControlsKit.h"
#include "support/Pixels.h"

#include <cmath>
#include <cstdlib>

namespace {

// Records its events; its OnCreate is set before construction ends, as a stored form's is.
class TEventForm : public TForm {
    DECLARE_CLASS(TEventForm, TForm)
public:
    explicit TEventForm(TComponent* AOwner) : TForm(AOwner)
    {
        OnCreate = [this](TObject*) { Log.push_back("create"); };
        OnShow = [this](TObject*) { Log.push_back("show"); };
        OnHide = [this](TObject*) { Log.push_back("hide"); };
        OnClose = [this](TObject*, TCloseAction& A) {
            Log.push_back("close");
            A = Action;
        };
        OnDestroy = [this](TObject*) {
            Log.push_back("destroy");
            if (Destroyed) *Destroyed = true;
        };
    }
    std::vector<std::string> Log;
    TCloseAction Action = caHide;
    bool* Destroyed = nullptr;
};

TEST(Forms, EventsRunInOrderAndASecondaryFormHidesOnClose)
{
    auto* F = ui::NewForm<TEventForm>(200, 100);
    ui::FormGuard G(F);
    ui::ShowAndActivate(F);
    EXPECT_TRUE(IsWindowVisible(F->GetHandle()));
    F->Close();
    EXPECT_EQ(F->Log, (std::vector<std::string>{"create", "show", "close", "hide"}));
    EXPECT_FALSE(F->GetVisible());
    EXPECT_FALSE(IsWindowVisible(F->GetHandle()));
    EXPECT_TRUE(IsWindow(F->GetHandle()));   // hidden, not freed
}

TEST(Forms, CloseActionsAndCloseQuery)
{
    bool Destroyed = false;
    auto* F = ui::NewForm<TEventForm>(200, 100);
    F->Destroyed = &Destroyed;
    F->Show();

    bool Allow = false;
    F->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = Allow; };
    F->Close();
    EXPECT_TRUE(F->GetVisible());

    Allow = true;
    F->Action = caNone;
    F->Close();
    EXPECT_TRUE(F->GetVisible());

    F->Action = caFree;
    F->Close();
    EXPECT_FALSE(Destroyed);   // freed once the queued messages have run
    ui::PumpUntil([&] { return Destroyed; }, 1000);
    EXPECT_TRUE(Destroyed);
}

// Ends a modal loop that a faulty test would leave waiting: mrAbort after two seconds of waiting.
class ModalWatchdog {
public:
    explicit ModalWatchdog(TCustomForm* Form)
    {
        GForm = Form;
        FTimer = SetTimer(nullptr, 0, 2000, Expired);
    }
    ~ModalWatchdog()
    {
        KillTimer(nullptr, FTimer);
        GForm = nullptr;
    }

private:
    static void CALLBACK Expired(HWND, UINT, UINT_PTR, DWORD)
    {
        if (GForm && GForm->GetFormState().Contains(TFormStateFlag::fsModal)) GForm->SetModalResult(mrAbort);
    }
    static inline TCustomForm* GForm = nullptr;
    UINT_PTR FTimer = 0;
};

TEST(Forms, ShowModalReturnsTheResultOfTheButtonOrOfClose)
{
    auto* Owner = ui::NewForm(300, 200);
    ui::FormGuard G1(Owner);
    ui::ShowAndActivate(Owner);

    auto* Dlg = ui::NewForm<TEventForm>(200, 100);
    ui::FormGuard G2(Dlg);
    Dlg->SetBorderStyle(bsDialog);
    auto* Ok = AddControl<TTestButton>(Dlg, 10, 60, 60, 24);
    auto* Cancel = AddControl<TTestButton>(Dlg, 80, 60, 60, 24);
    Ok->Default = true;
    Ok->ModalResult = mrOk;
    Cancel->Cancel = true;
    Cancel->ModalResult = mrCancel;
    bool OwnerEnabledDuringModal = true;
    Ok->OnClick = [&](TObject*) { OwnerEnabledDuringModal = IsWindowEnabled(Owner->GetHandle()) != 0; };

    struct Case {
        const char* Name;
        std::function<void()> Act;
        TModalResult Expected;
    };
    // A message the application's hook turns into a modal result.
    constexpr UINT WM_SETRESULT = WM_APP + 1;
    Application->OnMessage = [&](MSG& Msg, bool& Handled) {
        if (Msg.message == WM_SETRESULT) {
            Dlg->SetModalResult(TModalResult(Msg.wParam));
            Handled = true;
        }
    };
    const Case Cases[] = {
        {"Enter", [&] { PostMessageW(Dlg->GetHandle(), WM_KEYDOWN, VK_RETURN, ui::KeyData(VK_RETURN, false)); }, mrOk},
        {"Esc", [&] { PostMessageW(Dlg->GetHandle(), WM_KEYDOWN, VK_ESCAPE, ui::KeyData(VK_ESCAPE, false)); }, mrCancel},
        {"Close", [&] { PostMessageW(Dlg->GetHandle(), WM_CLOSE, 0, 0); }, mrCancel},
        {"Result", [&] { PostThreadMessageW(GetCurrentThreadId(), WM_SETRESULT, mrRetry, 0); }, mrRetry},
    };
    ModalWatchdog Dog(Dlg);
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Dlg->OnShow = [&](TObject*) { C.Act(); };
        EXPECT_EQ(Dlg->ShowModal(), C.Expected);
        EXPECT_FALSE(Dlg->GetVisible());
        EXPECT_TRUE(IsWindowEnabled(Owner->GetHandle()));
    }
    Application->OnMessage = nullptr;
    EXPECT_FALSE(OwnerEnabledDuringModal);

    // Closing with caNone keeps the modal form open; the next close ends it.
    int Closes = 0;
    Dlg->OnClose = [&](TObject*, TCloseAction& A) {
        if (++Closes == 1) {
            A = caNone;
            PostMessageW(Dlg->GetHandle(), WM_CLOSE, 0, 0);
        }
    };
    Dlg->OnShow = [&](TObject*) { PostMessageW(Dlg->GetHandle(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(Dlg->ShowModal(), mrCancel);
    EXPECT_EQ(Closes, 2);

    Dlg->Show();
    EXPECT_THROW(Dlg->ShowModal(), EInvalidOperation);
    Dlg->Hide();
}

struct StyleCase {
    const char* Name;
    std::function<void(TForm*)> Set;
    LONG_PTR StyleOn, StyleOff, ExOn, ExOff;
};

TEST(Forms, BorderStylesIconsAndFormStyleGiveTheirWindowStyles)
{
    const StyleCase Cases[] = {
        {"none", [](TForm* F) { F->SetBorderStyle(bsNone); }, WS_POPUP, WS_CAPTION | WS_THICKFRAME, 0, 0},
        {"single", [](TForm* F) { F->SetBorderStyle(bsSingle); }, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_THICKFRAME, 0, 0},
        {"sizeable", [](TForm* F) { F->SetBorderStyle(bsSizeable); }, WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX, 0, 0, 0},
        {"dialog", [](TForm* F) { F->SetBorderStyle(bsDialog); }, WS_CAPTION | WS_SYSMENU, WS_MINIMIZEBOX | WS_THICKFRAME, WS_EX_DLGMODALFRAME, 0},
        {"tool", [](TForm* F) { F->SetBorderStyle(bsToolWindow); }, WS_CAPTION, 0, WS_EX_TOOLWINDOW, 0},
        {"icons", [](TForm* F) { F->SetBorderIcons(TBorderIcons{biSystemMenu}); }, WS_SYSMENU, WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0},
        {"on top", [](TForm* F) { F->SetFormStyle(fsStayOnTop); }, 0, 0, WS_EX_TOPMOST, 0},
        {"normal", [](TForm* F) { F->SetFormStyle(fsNormal); }, 0, 0, 0, WS_EX_TOPMOST},
    };
    auto* F = ui::NewForm(200, 100);
    ui::FormGuard G(F);
    F->Show();
    for (const StyleCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        C.Set(F);
        LONG_PTR Style = GetWindowLongPtrW(F->GetHandle(), GWL_STYLE);
        LONG_PTR Ex = GetWindowLongPtrW(F->GetHandle(), GWL_EXSTYLE);
        EXPECT_EQ(Style & C.StyleOn, C.StyleOn);
        EXPECT_EQ(Style & C.StyleOff, 0);
        EXPECT_EQ(Ex & C.ExOn, C.ExOn);
        EXPECT_EQ(Ex & C.ExOff, 0);
        EXPECT_TRUE(IsWindowVisible(F->GetHandle()));
    }
}

TEST(Forms, RecreatingTheWindowKeepsCaptionBoundsChildrenAndFocus)
{
    auto* F = ui::NewForm(300, 200);
    ui::FormGuard G(F);
    F->SetCaption(L"Ærø — hjælp");
    auto* Box = AddControl<TTestBox>(F, 10, 10, 60, 24);
    auto* Edit = AddControl<TTestEdit>(F, 10, 50, 100, 22);
    Edit->SetText(L"kept");
    ui::ShowAndActivate(F);
    Edit->SetFocus();
    HWND Old = F->GetHandle();
    TRect Bounds = F->GetBoundsRect();

    F->SetBorderStyle(bsSingle);
    EXPECT_NE(F->GetHandle(), Old);
    EXPECT_EQ(F->GetCaption(), L"Ærø — hjælp");
    wchar_t Buf[64] = {};
    GetWindowTextW(F->GetHandle(), Buf, 64);
    EXPECT_STREQ(Buf, L"Ærø — hjælp");
    EXPECT_EQ(F->GetBoundsRect().TopLeft(), Bounds.TopLeft());
    EXPECT_EQ(Edit->GetText(), L"kept");
    EXPECT_EQ(::GetParent(Box->GetHandle()), F->GetHandle());
    EXPECT_TRUE(IsWindowVisible(Box->GetHandle()));
    EXPECT_EQ(F->GetActiveControl(), Edit);
}

TEST(Forms, ClientSizeIsWhatWasAskedForWhateverTheFrame)
{
    for (TFormBorderStyle B : {bsSizeable, bsDialog, bsNone, bsToolWindow}) {
        auto* F = Create<TForm>(Application);
        ui::FormGuard G(F);
        F->SetBorderStyle(B);
        F->SetClientWidth(321);
        F->SetClientHeight(123);   // before the window exists
        EXPECT_EQ(F->GetClientWidth(), 321);
        F->Show();
        RECT R;
        GetClientRect(F->GetHandle(), &R);
        EXPECT_EQ(R.right, 321) << int(B);
        EXPECT_EQ(R.bottom, 123) << int(B);
    }
}

TEST(Forms, ScreenCenterUsesTheWorkArea)
{
    Screen->WorkAreaProvider = [] { return Rect(100, 50, 1100, 850); };
    auto* F = Create<TForm>(Application);
    ui::FormGuard G(F);
    F->SetBounds(0, 0, 400, 300);
    F->SetPosition(poScreenCenter);
    F->Show();
    Screen->WorkAreaProvider = nullptr;
    EXPECT_EQ(F->GetBoundsRect(), Bounds(400, 300, 400, 300));
    RECT R;
    GetWindowRect(F->GetHandle(), &R);
    EXPECT_EQ(R.left, 400);
    EXPECT_EQ(R.top, 300);
}

// A drop-down style popup: borderless, topmost, and never activated.
class TPopupForm : public TForm {
    DECLARE_CLASS(TPopupForm, TForm)
public:
    explicit TPopupForm(TComponent* AOwner) : TForm(AOwner) { SetBorderStyle(bsNone); }

protected:
    void CreateParams(TCreateParams& Params) override
    {
        inherited::CreateParams(Params);
        Params.ExStyle |= WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    }
};

TEST(Forms, PopupFormShowsWithoutTakingActivation)
{
    auto* Main = ui::NewForm(300, 200);
    ui::FormGuard G1(Main);
    auto* Box = AddControl<TTestBox>(Main, 10, 10, 60, 24);
    ui::ShowAndActivate(Main);
    Box->SetFocus();
    auto* Popup = ui::NewForm<TPopupForm>(150, 80, 150, 150);
    ui::FormGuard G2(Popup);
    Popup->Show();
    ui::Pump();
    EXPECT_TRUE(IsWindowVisible(Popup->GetHandle()));
    EXPECT_EQ(GetActiveWindow(), Main->GetHandle());
    EXPECT_EQ(GetFocus(), Box->GetHandle());
    EXPECT_EQ(SendMessageW(Popup->GetHandle(), WM_MOUSEACTIVATE, WPARAM(Main->GetHandle()), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
}

TEST(Forms, AScaledFormFollowsTheScreenDensityAndAnUnscaledOneKeepsItsPixels)
{
    for (bool Scaled : {true, false}) {
        auto* F = Create<TForm>(Application);
        ui::FormGuard G(F);
        auto* Box = AddControl<TTestBox>(F, 100, 40, 200, 50);
        F->SetScaled(Scaled);
        F->SetPixelsPerInch(Screen->GetPixelsPerInch() * 2);   // designed at twice the density
        F->SetLoading(true);
        static_cast<TComponent*>(F)->Loaded();
        TRect Expected = Scaled ? Bounds(50, 20, 100, 25) : Bounds(100, 40, 200, 50);
        EXPECT_EQ(Box->GetBoundsRect(), Expected) << Scaled;
    }
}

// ---- A demonstration form ----------------------------------------------------------------------

// A vertical gradient between two colours.
class TGradientBar : public TCustomControl {
    DECLARE_CLASS(TGradientBar, TCustomControl)
public:
    explicit TGradientBar(TComponent* AOwner) : TCustomControl(AOwner) {}
    TColor From = clNavy, To = clSilver;

protected:
    void Paint() override
    {
        TRect R = GetClientRect();
        COLORREF A = ColorToRGB(From), B = ColorToRGB(To);
        for (int Y = 0; Y < R.Height(); ++Y) {
            auto Mix = [&](int Shift) {
                int CA = (A >> Shift) & 0xFF, CB = (B >> Shift) & 0xFF;
                return CA + (CB - CA) * Y / std::max(1, R.Height() - 1);
            };
            GetCanvas()->GetBrush()->SetColor(TColor(RGB(Mix(0), Mix(8), Mix(16))));
            GetCanvas()->FillRect(Rect(0, Y, R.Width(), Y + 1));
        }
        GetCanvas()->GetBrush()->SetStyle(bsClear);
        GetCanvas()->GetFont()->SetColor(clWhite);
        GetCanvas()->GetFont()->SetStyle(TFontStyles{fsBold});
        GetCanvas()->TextOut(8, 6, GetText());
    }
};

// A suit symbol on a card-like face.
class TSuitFace : public TGraphicControl {
    DECLARE_CLASS(TSuitFace, TGraphicControl)
public:
    explicit TSuitFace(TComponent* AOwner) : TGraphicControl(AOwner) {}
    wchar_t Suit = L'\u2660';

protected:
    void Paint() override
    {
        TCanvas* C = GetCanvas();
        TRect R = GetClientRect();
        C->GetPen()->SetColor(clGray);
        C->GetBrush()->SetColor(clWhite);
        C->RoundRect(R, 10, 10);
        bool Red = Suit == L'\u2665' || Suit == L'\u2666';
        C->GetFont()->SetSize(20);
        C->GetFont()->SetColor(Red ? clRed : clBlack);
        C->GetBrush()->SetStyle(bsClear);
        String S(1, Suit);
        TSize Ext = C->TextExtent(S);
        C->TextOut((R.Width() - Ext.cx) / 2, (R.Height() - Ext.cy) / 2, S);
    }
};

// A ring and a filled disc.
class TTarget : public TCustomControl {
    DECLARE_CLASS(TTarget, TCustomControl)
public:
    explicit TTarget(TComponent* AOwner) : TCustomControl(AOwner) {}

protected:
    void Paint() override
    {
        TCanvas* C = GetCanvas();
        TRect R = GetClientRect();
        C->GetBrush()->SetColor(clBtnFace);
        C->FillRect(R);
        C->GetPen()->SetColor(clBlue);
        C->GetPen()->SetWidth(4);
        C->GetBrush()->SetColor(clYellow);
        C->Ellipse(4, 4, R.Right - 4, R.Bottom - 4);
        C->GetBrush()->SetColor(clRed);
        C->GetPen()->SetWidth(1);
        C->Ellipse(R.Right / 2 - 12, R.Bottom / 2 - 12, R.Right / 2 + 12, R.Bottom / 2 + 12);
    }
};

TEST(Forms, DemonstrationFormRendersItsCustomPaintedControls)
{
    auto* F = ui::NewForm(420, 260, 40, 40);
    ui::FormGuard G(F);
    F->SetCaption(L"Demo");
    auto* Bar = AddControl<TGradientBar>(F, 0, 0, 420, 40);
    Bar->SetAlign(alTop);
    Bar->SetText(L"Spil 1 — Nord / Ingen");
    const wchar_t Suits[] = {L'\u2660', L'\u2665', L'\u2666', L'\u2663'};
    for (int I = 0; I < 4; ++I) {
        auto* S = AddControl<TSuitFace>(F, 20 + I * 70, 60, 60, 80);
        S->Suit = Suits[I];
    }
    auto* T = AddControl<TTarget>(F, 310, 60, 100, 100);
    auto* Box = AddControl<TTestBox>(F, 20, 170, 380, 30);
    Box->SetColor(clTeal);
    ui::ShowAndActivate(F);
    F->Repaint();

    HDC DC = GetDC(F->GetHandle());
    auto Pixel = [&](int X, int Y) { return GetPixel(DC, X, Y); };
    EXPECT_EQ(Pixel(2, 0), RGB(0, 0, 128));          // gradient top: navy
    EXPECT_EQ(Pixel(T->GetLeft() + 50, T->GetTop() + 50), RGB(255, 0, 0));   // disc centre
    EXPECT_EQ(Pixel(T->GetLeft() + 20, T->GetTop() + 50), RGB(255, 255, 0));  // ring fill
    EXPECT_EQ(Pixel(30, 180), RGB(0, 128, 128));     // teal box
    EXPECT_EQ(Pixel(25, 70), RGB(255, 255, 255));    // card face
    ReleaseDC(F->GetHandle(), DC);

    EXPECT_TRUE(CaptureWindowFromScreen(F->GetHandle())->SavePng(SnapshotPath(L"demo_form.png")));

    // Held on the screen when asked, so that a person can look at it.
    if (const char* Hold = std::getenv("UI_DEMO_HOLD_MS")) ui::Pump(std::atoi(Hold));
}

}  // namespace
