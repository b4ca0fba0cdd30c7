// Environment detection: colour darkening, the XP scheme through seams, Office version and theme
// from keys written under a unique test key of the current user; the theme notifier and its watch
// thread over those keys.
#include "graphics/QorStyleIF.h"
#include "framework/SysUtils.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

using namespace QorStyleIF;

namespace {

// Office keys below a unique key of HKCU, deleted afterwards; detection reads them through the seam.
class OfficeKeys : public ::testing::Test {
protected:
    String Root = L"Software\\QorStyleIFTest" + IntToStr(int(GetCurrentProcessId()));
    std::unique_ptr<TRegistry> Reg{new TRegistry()};
    void SetUp() override
    {
        Reg->SetRootKey(HKEY_CURRENT_USER);
        // Process numbers repeat between runs: clear what a run that died may have left.
        Reg->DeleteKey(L"\\" + Root);
        DetectionOverrides() = {};
        DetectionOverrides().OfficeRoot = Root;
        // No visual styles: the fallback is the classic look.
        DetectionOverrides().WindowsMajor = 5;
        DetectionOverrides().WindowsMinor = 1;
        DetectionOverrides().ThemeActive = false;
    }
    void TearDown() override
    {
        Reg->CloseKey();
        Reg->DeleteKey(L"\\" + Root);
        DetectionOverrides() = {};
    }
    void Key(const String& Version, const String& Tail = L"")
    {
        ASSERT_TRUE(Reg->OpenKey(L"\\" + Root + L"\\" + Version + L"\\Common" + Tail, true));
    }
};

}  // namespace

TEST(QorStyleIF, DarkenColorRoundsHalvesToEvenAndCaps)
{
    struct Case { TColor In; int Perc; TColor Out; };
    const Case Cases[] = {
        {TColor(0x123456), 0, TColor(0x123456)},
        {TColor(0x0000C8), -60, TColor(0x0000FF)},     // 200 * 1.6 capped
        {TColor(0xFFFFFF), 50, TColor(0x808080)},      // 127.5 -> 128
        {TColor(0x050301), 50, TColor(0x020200)},      // blue 2.5 -> 2, green 1.5 -> 2, red 0.5 -> 0
        {TColor(0x646464), 20, TColor(0x505050)},
    };
    for (const Case& C : Cases) EXPECT_EQ(DarkenColor(C.In, C.Perc), C.Out) << std::hex << C.In << " " << C.Perc;
    EXPECT_EQ(ChangeColor(clBtnFace, 0), ColorToRGB(clBtnFace));
}

// Form files store the component style as its ordinal: the order is fixed.
TEST(QorStyleIF, ComponentStylesKeepTheirStoredOrdinalsAndAreFoundThroughTheirInterfaces)
{
    EXPECT_EQ(int(tsOffice2003Blue), 0);
    EXPECT_EQ(int(tsOffice2007Luna), 4);
    EXPECT_EQ(int(tsCustom), 8);
    EXPECT_EQ(int(tsTerminal), 12);
    EXPECT_EQ(int(tsWindows8), 16);
    EXPECT_EQ(int(tsWindows10), 20);
    EXPECT_EQ(int(tsOffice2016Black), 23);

    struct TStyled : TComponent, IJOQStyleEx, IJOQTones {
        using TComponent::TComponent;
        TJOQStyle Style = tsCustom;
        TColor AppColor = clNone;
        TColor Background = clNone;
        void SetComponentStyle(TJOQStyle AStyle) override { SetComponentStyleAndAppColor(AStyle, clNone); }
        void SetComponentStyleAndAppColor(TJOQStyle AStyle, TColor AColor) override
        {
            Style = AStyle;
            AppColor = AColor;
        }
        void SetColorTones(const TColorTones& ATones) override { Background = ATones.Background.BrushColor; }
    } Styled(nullptr);
    TComponent Plain(nullptr);

    IJOQStyle* Style = nullptr;
    ASSERT_TRUE(Supports<IJOQStyle>(&Styled, &Style));
    Style->SetComponentStyle(tsWindows7);
    EXPECT_EQ(Styled.Style, tsWindows7);
    IJOQTones* Tones = nullptr;
    ASSERT_TRUE(Supports<IJOQTones>(&Styled, &Tones));
    TColorTones T;
    EXPECT_EQ(T.Background.BrushColor, clNone);   // no tones set
    T.Background.BrushColor = clRed;
    Tones->SetColorTones(T);
    EXPECT_EQ(Styled.Background, clRed);
    EXPECT_FALSE(Supports<IJOQStyle>(&Plain));
    EXPECT_FALSE(Supports<IJOQTones>(&Plain));
}

TEST(QorStyleIF, XPSchemeAndVersionSeams)
{
    DetectionOverrides() = {};
    auto& O = DetectionOverrides();
    O.WindowsMajor = 5; O.WindowsMinor = 0;
    EXPECT_FALSE(IsWinXP());
    EXPECT_EQ(CurrentXPTheme(), xpNone);
    O.WindowsMinor = 1;
    EXPECT_TRUE(IsWinXP());
    O.CommonControlsMajor = 6;
    O.ThemeActive = true;
    struct Case { const wchar_t* Color; XPColorScheme Scheme; };
    for (const Case& C : {Case{L"NormalColor", xpBlue}, Case{L"HomeStead", xpGreen},
                          Case{L"Metallic", xpGray}, Case{L"Royale", xpNone}}) {
        O.ThemeColorName = C.Color;
        EXPECT_EQ(CurrentXPTheme(), C.Scheme) << C.Color;
    }
    O.CommonControlsMajor = 5;
    EXPECT_EQ(CurrentXPTheme(), xpNone);
    O.Vista = true;
    EXPECT_EQ(GetMetroFont(), L"Segoe UI");
    O.Vista = false;
    EXPECT_EQ(GetMetroFont(), L"Tahoma");
    DetectionOverrides() = {};
}

TEST_F(OfficeKeys, VersionAndThemeFromRegistry)
{
    EXPECT_EQ(GetOfficeVersion(), ov2003);
    EXPECT_EQ(GetOfficeTheme(), ot2003Classic);
    DetectionOverrides().CommonControlsMajor = 6;
    DetectionOverrides().ThemeActive = true;
    DetectionOverrides().ThemeColorName = L"Metallic";
    EXPECT_EQ(GetOfficeTheme(), ot2003Silver);

    Key(L"12.0");
    Reg->WriteInteger(L"Theme", 3);
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeTheme(), ot2007Black);
    Key(L"12.0", L"\\General");
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeVersion(), ov2007);

    Key(L"14.0");
    Reg->WriteInteger(L"Theme", 2);
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeTheme(), ot2010Silver);

    // "UI Theme" as text or as a number reads the same; an unknown number gives 2003 blue.
    Key(L"16.0");
    Reg->WriteString(L"UI Theme", L"2");
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeTheme(), ot2016Black);
    Key(L"16.0");
    Reg->WriteInteger(L"UI Theme", 2);
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeTheme(), ot2016Black);
    Key(L"15.0");
    Reg->WriteInteger(L"UI Theme", 1);
    Reg->CloseKey();
    Key(L"16.0");
    Reg->WriteInteger(L"UI Theme", 4);
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeTheme(), ot2003Blue);
    // Not a number: that key counts as missing.
    Key(L"16.0");
    Reg->WriteString(L"UI Theme", L"dark");
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeTheme(), ot2013Silver);
    Key(L"16.0", L"\\General");
    Reg->CloseKey();
    EXPECT_EQ(GetOfficeVersion(), ov2016);
}

// ---- Theme notifier -------------------------------------------------------------------------------

TEST(QorStyleIF, HandleListOperations)
{
    THandleList L;
    // Pointer-sized values keep every bit.
    const NativeInt Big = sizeof(NativeInt) == 8 ? NativeInt(0x123456789AB) : NativeInt(0x7FFFFFF0);
    L.Add(10);
    L.Add(Big);
    L.Add(10);
    L.Insert(0, 5);
    ASSERT_EQ(L.Count(), 4);
    EXPECT_EQ(L.GetInteger(0), 5);
    EXPECT_EQ(L.GetInteger(2), Big);
    EXPECT_TRUE(L.HasValue(Big));
    EXPECT_FALSE(L.HasValue(11));
    L.DeleteValue(10);                        // the first occurrence only
    ASSERT_EQ(L.Count(), 3);
    EXPECT_EQ(L.GetInteger(1), Big);
    EXPECT_EQ(L.GetInteger(2), 10);
    L.DeleteValue(42);                        // absent: nothing happens
    EXPECT_EQ(L.Count(), 3);
    L.SetInteger(0, -7);
    EXPECT_EQ(L.GetInteger(0), -7);
    L.Delete(0);
    EXPECT_EQ(L.GetInteger(0), Big);
    EXPECT_THROW(L.GetInteger(5), Exception);
}

namespace {

// A message-only window that records what the watch thread sends it.
struct Recorder {
    HWND Wnd = nullptr;
    int Count = 0;
    WPARAM Root = 0;
    String Path;

    static LRESULT CALLBACK Proc(HWND W, UINT Msg, WPARAM WP, LPARAM LP)
    {
        auto* R = reinterpret_cast<Recorder*>(GetWindowLongPtrW(W, GWLP_USERDATA));
        if (R && Msg == WM_OFFICETHEMECHANGED) {
            ++R->Count;
            R->Root = WP;
            R->Path = reinterpret_cast<const wchar_t*>(LP);
            return 0;
        }
        return DefWindowProcW(W, Msg, WP, LP);
    }
    Recorder()
    {
        static ATOM Class = [] {
            WNDCLASSW C{};
            C.lpfnWndProc = &Recorder::Proc;
            C.hInstance = GetModuleHandleW(nullptr);
            C.lpszClassName = L"QorStyleIFRecorder";
            return RegisterClassW(&C);
        }();
        Wnd = CreateWindowW(reinterpret_cast<LPCWSTR>(UINT_PTR(Class)), L"", 0, 0, 0, 0, 0,
                            HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(Wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Recorder() { DestroyWindow(Wnd); }
};

// Office 2016 installed under the test key; the notifier is freed before the keys go.
class NotifierKeys : public OfficeKeys {
protected:
    TThemeNotifier* N = nullptr;
    int Changes = 0;
    int Serial = 0;

    void SetUp() override
    {
        OfficeKeys::SetUp();
        Key(L"16.0", L"\\General");
        Reg->CloseKey();
    }
    void TearDown() override
    {
        if (N) N->Free();
        OfficeKeys::TearDown();
    }
    String Watched() const { return Root + L"\\16.0\\Common"; }
    // Changes a value below the watched key (Tail names a subkey).
    void Change(const String& Tail = L"")
    {
        ASSERT_TRUE(Reg->OpenKey(L"\\" + Watched() + Tail, true));
        Reg->WriteInteger(L"UI Theme", ++Serial);
        Reg->CloseKey();
    }
    void MakeNotifier()
    {
        N = ThemeNotifier(nullptr);
        ASSERT_NE(N->GetRegMonitorThread(), nullptr);
        N->OnOfficeThemeChange = [this](TObject* Sender) {
            EXPECT_EQ(Sender, N);
            ++Changes;
        };
        // The thread watches from some moment after its start: change until it has noticed.
        for (int I = 0; I < 50 && Changes == 0; ++I) {
            Change();
            ui::PumpUntil([&] { return Changes > 0; }, 100);
        }
        ASSERT_GT(Changes, 0) << "the watch thread never noticed a change";
        ui::Pump(100);
        Changes = 0;
    }
};

}  // namespace

TEST_F(OfficeKeys, NotifierWithoutOfficeWatchesNothing)
{
    auto* Owner = new TComponent(nullptr);
    TThemeNotifier* N = ThemeNotifier(Owner);
    EXPECT_EQ(ThemeNotifier(nullptr), N);
    EXPECT_EQ(N->Owner(), Owner);
    EXPECT_EQ(N->GetRegMonitorThread(), nullptr);
    EXPECT_EQ(N->GetNotifierWindow(), nullptr);
    Recorder R;
    N->RegisterWindow(R.Wnd);
    N->UnRegisterWindow(R.Wnd);
    // The owner frees the notifier; a later request makes a new one.
    Owner->Free();
    EXPECT_EQ(ThemeNotifierInstance, nullptr);
}

TEST_F(NotifierKeys, ChangesReachNotifierAndRegisteredWindows)
{
    Recorder A, B;
    MakeNotifier();
    N->RegisterWindow(A.Wnd);
    N->RegisterWindow(B.Wnd);
    N->RegisterWindow(A.Wnd);   // kept once
    EXPECT_EQ(N->GetRegMonitorThread()->WindowsCopy(), (std::vector<HWND>{A.Wnd, B.Wnd}));

    // Each change, to the key or a subkey, is told once to each.
    for (const wchar_t* Tail : {L"", L"", L"\\General"}) {
        const int Before = Changes;
        Change(Tail);
        EXPECT_TRUE(ui::PumpUntil([&] { return Changes > Before && A.Count > Before && B.Count > Before; }, 3000));
        ui::Pump(150);
        EXPECT_EQ(Changes, Before + 1);
        EXPECT_EQ(A.Count, Before + 1);
        EXPECT_EQ(B.Count, Before + 1);
    }
    EXPECT_EQ(A.Root, WPARAM(reinterpret_cast<UINT_PTR>(HKEY_CURRENT_USER)));
    EXPECT_EQ(A.Path, Watched());

    // Unregistered windows hear nothing more.
    N->UnRegisterWindow(B.Wnd);
    Change();
    EXPECT_TRUE(ui::PumpUntil([&] { return A.Count == 4; }, 3000));
    ui::Pump(150);
    EXPECT_EQ(B.Count, 3);
    EXPECT_EQ(Changes, 4);
}

TEST_F(NotifierKeys, StopsPromptlyWithoutAnyChange)
{
    // A stop given at any moment of the thread's start is kept; another process resetting or
    // signalling the shared change event neither hangs nor stops this one.
    for (int I = 0; I < 20; ++I) {
        const DWORD Start = GetTickCount();
        TThemeNotifier* M = ThemeNotifier(nullptr);
        ASSERT_NE(M->GetRegMonitorThread(), nullptr);
        if (I % 2) Sleep(I);
        HANDLE Shared = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"RegMonitorChange");
        ASSERT_NE(Shared, nullptr);
        if (I % 3 == 0) SetEvent(Shared);
        ResetEvent(Shared);
        CloseHandle(Shared);
        M->Free();
        EXPECT_EQ(ThemeNotifierInstance, nullptr);
        EXPECT_LT(GetTickCount() - Start, 1000u) << "round " << I;
    }
    ui::Pump();
}

TEST_F(NotifierKeys, DestroyedWhileChangesArrive)
{
    Recorder A;
    MakeNotifier();
    N->RegisterWindow(A.Wnd);
    // Changes keep coming from another thread while the notifier goes.
    std::atomic<bool> Done{false};
    const String Path = L"\\" + Watched();
    std::thread Writer([&] {
        TRegistry W;
        W.SetRootKey(HKEY_CURRENT_USER);
        if (!W.OpenKey(Path, false)) return;
        for (int I = 0; !Done; ++I) {
            W.WriteInteger(L"Theme", I);
            Sleep(2);
        }
    });
    // Without handling messages the watch thread is left waiting in a send to this thread.
    Change();
    Sleep(300);
    // A deadlock ends the run at once rather than at the run's time limit.
    HANDLE Freed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread Watchdog([Freed] {
        if (WaitForSingleObject(Freed, 10000) == WAIT_TIMEOUT) {
            fprintf(stderr, "Freeing the notifier deadlocked\n");
            fflush(stderr);
            ExitProcess(3);
        }
    });
    const DWORD Start = GetTickCount();
    N->Free();
    N = nullptr;
    const DWORD Elapsed = GetTickCount() - Start;
    SetEvent(Freed);
    Watchdog.join();
    CloseHandle(Freed);
    Done = true;
    Writer.join();
    EXPECT_LT(Elapsed, 2000u);
    EXPECT_EQ(ThemeNotifierInstance, nullptr);
    const int Seen = A.Count;
    Change();
    ui::Pump(200);
    EXPECT_EQ(A.Count, Seen);
}

TEST_F(OfficeKeys, WatchOfMissingKeyEndsWithError)
{
    auto* T = Create<TRegMonitorThread>();
    EXPECT_EQ(T->GetFilter(), 15u);
    T->SetWatch(HKEY_CURRENT_USER, Root + L"\\Missing", true);
    T->Start();
    T->WaitUntilEnded();
    EXPECT_TRUE(T->GetFinished());
    ASSERT_NE(T->GetFatalException(), nullptr);
    EXPECT_EQ(T->GetFatalException()->GetMessage(), L"Unable to open registry key " + Root + L"\\Missing");
    T->Free();
}
