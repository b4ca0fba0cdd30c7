// The environment's look: themed application, Windows version, XP colour scheme, installed Office
// and its colour theme; colour darkening and the font for flat looks; the component style and the
// colour tones controls take, with the interfaces they take them through. The theme notifier watches
// the installed Office's settings key on a thread of its own and tells windows of changes.
#pragma once

#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/Registry.h"

#include <mutex>
#include <optional>
#include <vector>

namespace QorStyleIF {

enum XPColorScheme { xpNone, xpBlue, xpGreen, xpGray };
enum TOfficeVersion { ov2003, ov2007, ov2010, ov2013, ov2016 };
enum TOfficeTheme {
    ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black,
    ot2010Blue, ot2010Silver, ot2010Black, ot2013White, ot2013Silver, ot2013Gray, ot2016White,
    ot2016Gray, ot2016Black, otUnknown
};

// The component style: the colour scheme a control of the library takes, Office, Windows and flat
// looks. tsCustom leaves a control's colours as they are. Stored as its ordinal (0 to 23).
enum TJOQStyle {
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
    tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista,
    tsWindows7, tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black, tsWindows8,
    tsOffice2013White, tsOffice2013LightGray, tsOffice2013Gray, tsWindows10, tsOffice2016White,
    tsOffice2016Gray, tsOffice2016Black
};

// One colour tone of a flat scheme: fill, frame and text. clNone leaves that part alone.
struct TColorTone {
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
};
// The five tones a flat scheme paints with; a Background brush of clNone means no tones are set.
struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
};

// What a control that takes a component style offers (found with Supports<IJOQStyle>).
class IJOQStyle {
public:
    virtual ~IJOQStyle() = default;
    virtual void SetComponentStyle(TJOQStyle AStyle) = 0;
};

// A component style together with the application's own colour (clNone: none).
class IJOQStyleEx : public IJOQStyle {
public:
    virtual void SetComponentStyleAndAppColor(TJOQStyle AStyle, TColor AppColor) = 0;
};

// What a control that paints with colour tones offers.
class IJOQTones {
public:
    virtual ~IJOQTones() = default;
    virtual void SetColorTones(const TColorTones& ATones) = 0;
};

constexpr UINT WM_THEMECHANGED_MSG = 0x031A;
// Sent when a value under the watched Office key changes: wParam the root key, lParam the key
// path as a null-terminated text, valid only during the call.
constexpr UINT WM_OFFICETHEMECHANGED = 2993;

// The most significant half of a file's version from its version resource (major version in the
// high 16 bits); false when the file has none or its fixed information is not valid. The name may
// be a path or a library name found the way the system finds libraries.
bool FileVersionMS(const String& FileName, DWORD& VersionMS);
bool IsThemedApp();
bool IsVista();
bool IsWinXP();
XPColorScheme CurrentXPTheme();
TOfficeVersion GetOfficeVersion();
// The key's integer value "Theme", or -1 when the key or value is missing.
int GetOfficeThemeValue(TRegistry* Registry, const String& Key);
// The key's value "UI Theme" read as text (or a number) as a decimal integer; -1 when missing
// or not a number.
int GetOfficeUIThemeValue(TRegistry* Registry, const String& Key);
TOfficeTheme GetOfficeTheme();
// Each RGB component scaled by (100 - Perc) / 100, halves to even, capped at 255.
TColor DarkenColor(TColor Color, int Perc);
TColor ChangeColor(TColor Color, int Perc);
String GetMetroFont();

// Test seams: set a detected value in place of asking the system; nullopt asks again.
struct TDetectionOverrides {
    std::optional<int> CommonControlsMajor;
    std::optional<bool> Vista;
    std::optional<DWORD> WindowsMajor, WindowsMinor;
    std::optional<bool> ThemeActive;
    std::optional<String> ThemeColorName;
    // The registry path below HKEY_CURRENT_USER in place of "Software\Microsoft\Office".
    std::optional<String> OfficeRoot;
};
TDetectionOverrides& DetectionOverrides();

// ---- Theme notifier ------------------------------------------------------------------------------

// An ordered list of window handles, kept as pointer-sized integers.
class THandleList : public TList {
    DECLARE_CLASS(THandleList, TList)
public:
    int Add(NativeInt Value) { return TList::Add(reinterpret_cast<void*>(Value)); }
    void Insert(int Index, NativeInt Value) { TList::Insert(Index, reinterpret_cast<void*>(Value)); }
    using TList::Delete;
    // Removes the first occurrence of Value, when there is one.
    void DeleteValue(NativeInt Value);
    bool HasValue(NativeInt Value) const { return IndexOf(reinterpret_cast<void*>(Value)) >= 0; }
    NativeInt GetInteger(int Index) const { return reinterpret_cast<NativeInt>(Get(Index)); }
    void SetInteger(int Index, NativeInt Value) { Put(Index, reinterpret_cast<void*>(Value)); }
};

// Watches a registry key and its subkeys and sends WM_OFFICETHEMECHANGED, synchronously, to the
// notifier window and to every registered window on each change. Created suspended; the watch
// settings are made before Start. Stop ends it promptly, whether or not anything changed; the
// owner then waits for it (WaitUntilEnded) and frees it.
class TRegMonitorThread : public TThread {
    DECLARE_CLASS(TRegMonitorThread, TThread)
public:
    TRegMonitorThread();
    ~TRegMonitorThread() override;

    void SetFilter(DWORD Value) { FFilter = Value; }
    // The change filter; one never set (0) becomes every kind of change (15).
    DWORD GetFilter();
    // Asks the thread to end and wakes it.
    void Stop();
    // Waits for the thread to end, meanwhile handling messages other threads send to this one,
    // so that a send from the watch thread to this thread's windows cannot block the wait.
    void WaitUntilEnded();

    // The watch: set before Start.
    void SetWatch(HKEY RootKey, const String& Key, bool WatchSub);
    const String& GetKey() const { return FKey; }
    HKEY GetRootKey() const { return FRootKey; }
    void SetWnd(HWND Value);
    HWND GetWnd();

    // The registered windows; safe from any thread.
    bool AddWindow(HWND Wnd);        // false when already there
    void RemoveWindow(HWND Wnd);
    bool HasWindow(HWND Wnd);
    std::vector<HWND> WindowsCopy();

protected:
    // Opens the key (raising "Unable to open registry key ..." when it cannot) and asks for
    // notification of the next change.
    void InitThread();
    void Execute() override;

private:
    bool Arm();
    void Notify();

    std::unique_ptr<TRegistry> FReg;
    HANDLE FEvent = nullptr;       // signalled by the registry on a change
    String FKey;
    HKEY FRootKey = HKEY_CURRENT_USER;
    bool FWatchSub = false;
    DWORD FFilter = 0;
    HWND FWnd = nullptr;
    std::unique_ptr<THandleList> FWinList;
    HANDLE FStopEvent = nullptr;   // this thread's own: a stop is never shared with anyone
    std::mutex FLock;              // guards FWnd and FWinList
};

// The notifier's hidden window: a message-only window, so that it neither needs nor follows the
// window of the control that asked for the notifier.
class TThemeNotifierWindow : public TWinControl {
    DECLARE_CLASS(TThemeNotifierWindow, TWinControl)
public:
    explicit TThemeNotifierWindow(TComponent* AOwner);
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnOfficeThemeChange;

protected:
    void CreateParams(TCreateParams& Params) override;
};

// The one theme notifier of the process (see ThemeNotifier). Only when Office 2007 or later is
// installed does it make its window and watch thread; otherwise registering does nothing.
class TThemeNotifier : public TComponent {
    DECLARE_CLASS(TThemeNotifier, TComponent)
public:
    explicit TThemeNotifier(TComponent* AOwner);
    ~TThemeNotifier() override;

    void RegisterWindow(HWND Hwnd);
    void UnRegisterWindow(HWND Hwnd);
    void OfficeThemeChanged(TObject* Sender);

    TRegMonitorThread* GetRegMonitorThread() const { return RegMonitorThread.get(); }
    TThemeNotifierWindow* GetNotifierWindow() const { return FNotifier; }

    TNotifyEvent OnOfficeThemeChange;

private:
    TFreePtr<TRegMonitorThread> RegMonitorThread;
    TThemeNotifierWindow* FNotifier = nullptr;
};

extern TThemeNotifier* ThemeNotifierInstance;

// The process's theme notifier, made at the first call: owned by the application's main form
// when that has its window, else by AOwner.
TThemeNotifier* ThemeNotifier(TComponent* AOwner);

}  // namespace QorStyleIF
