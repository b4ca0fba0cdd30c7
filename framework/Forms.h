// Forms: forms (top-level windows with border styles, position, modal results and close
// actions), the application object with its message loop and exception display, and the screen.
#pragma once

#include "Controls.h"

#include <map>

class TMainMenu;
class TMonitor;

enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using enum TBorderIcon;
using TBorderIcons = TSet<TBorderIcon>;
enum class TFormStateFlag { fsCreating, fsVisible, fsShowing, fsModal, fsActivated };
using TFormState = TSet<TFormStateFlag>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrClose = 8;
constexpr TModalResult mrHelp = 9;
constexpr TModalResult mrTryAgain = 10;
constexpr TModalResult mrContinue = 11;
constexpr TModalResult mrAll = mrContinue + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;
using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;

// ---- Scrolling windowed controls -----------------------------------------------------------------

class TScrollingWinControl;

// One of the two window scroll bars of a scrolling control. Range is the extent of the scrolled
// area along the bar; the bar shows while Visible and the range exceeds the client extent.
// Positions are 32-bit (an area may be far taller than 65,535 pixels).
class TControlScrollBar : public TPersistent {
    DECLARE_CLASS(TControlScrollBar, TPersistent)
public:
    TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind);
    void Assign(TPersistent* Source) override;

    TScrollBarKind GetKind() const { return FKind; }
    // Pixels of a line step (the arrows).
    int GetIncrement() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = Value > 0 ? Value : 1; }
    // Pixels kept between a control scrolled into view and the edge.
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value) { FMargin = Value > 0 ? Value : 0; }
    // The scrolled distance, 0 .. Range less the client extent; a change moves the children.
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value);
    // With the control's AutoScroll the children's extent sets it.
    int GetRange() const { return FRange; }
    void SetRange(int Value);
    // The bar may show.
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    // The view follows the thumb while it is dragged (else only where it is dropped).
    bool GetTracking() const { return FTracking; }
    void SetTracking(bool Value) { FTracking = Value; }
    // The bar shows now.
    bool IsScrollBarVisible() const;
    // The thumb's position during a drag, read in 32 bits (the message carries only 16).
    int GetTrackPos() const;
    // The client extent along the bar.
    int ControlSize() const;
    // A WM_HSCROLL or WM_VSCROLL of the window's own bar.
    void ScrollMessage(TMessage& Message);

    static void RegisterProperties(TPropertyTable& Table);

private:
    friend class TScrollingWinControl;
    int MaxPosition() const;
    TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    int FIncrement = 8;
    int FMargin = 0;
    int FPosition = 0;
    int FRange = 0;
    bool FVisible = true;
    bool FTracking = false;
};

// A windowed control whose children lie on an area larger than its client area: the window's
// scroll bars move them. With AutoScroll the ranges follow the children's extent.
class TScrollingWinControl : public TWinControl {
    DECLARE_CLASS(TScrollingWinControl, TWinControl)
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;

    bool GetAutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);
    TControlScrollBar* GetHorzScrollBar() const { return FHorzScrollBar.get(); }
    void SetHorzScrollBar(TControlScrollBar* Value) { FHorzScrollBar->Assign(Value); }
    TControlScrollBar* GetVertScrollBar() const { return FVertScrollBar.get(); }
    void SetVertScrollBar(TControlScrollBar* Value) { FVertScrollBar->Assign(Value); }
    // Scrolls so that the control (a descendant) shows, with the bars' margins.
    void ScrollInView(TControl* AControl);
    // Shows or hides the bars and sets their ranges, pages and positions for the client size.
    void UpdateScrollBars();

    void Dispatch(TMessage& Message) override;
    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateWnd() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    // The area children are aligned in: the scrolled area, moved by the positions.
    void AdjustClientRect(TRect& Rect) override;
    virtual void AutoScrollInView(TControl* AControl);
    // Ranges from the children's extent (AutoScroll only). A control whose content is larger than
    // a window can be (about 32,767 pixels) sets the ranges from that content instead.
    virtual void CalcAutoRange();
    // Moves every child by the deltas; such a control moves its content inside its child instead.
    virtual void ScrollBy(int DeltaX, int DeltaY);

private:
    friend class TControlScrollBar;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
    bool FAutoScroll = true;
    int FUpdating = 0;
};

// ---- Forms -------------------------------------------------------------------------------------

class TCustomForm : public TWinControl {
    DECLARE_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons GetBorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TPosition GetPosition() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TFormStyle GetFormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TWindowState GetWindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    TIcon* GetIcon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value);
    TMainMenu* GetMenu() const { return FMenu; }
    // The menu bar: shown on the form's window whenever it has one.
    void SetMenu(TMainMenu* Value);
    bool GetKeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    bool GetScaled() const { return FScaled; }
    void SetScaled(bool Value) { FScaled = Value; }
    int GetPixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
    bool GetAlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    Byte GetAlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value);
    TFormState GetFormState() const { return FFormState; }

    TModalResult GetModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    // Shows the form modally: the application's other windows are disabled until ModalResult is
    // set (by a button or by Close) or the application terminates.
    virtual TModalResult ShowModal();
    void Close();
    bool CloseQuery();
    // Frees the form once the messages already queued for it have been handled.
    void Release();
    void BringToFront();
    bool GetActive() const { return FActive; }

    // The control that has (or gets, when the form is next active) the focus.
    TWinControl* GetActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    TWinControl* GetFocusedControl() const { return FFocusedControl; }
    void FocusControl(TWinControl* Control);
    void DefocusControl(TWinControl* Control, bool Removing);
    // Bookkeeping when a window of the form gets the focus: exit and enter notifications.
    bool SetFocusedControl(TWinControl* Control);
    void SendCancelMode(TControl* Sender);
    bool IsShortCut(TMessage& Message);
    void MouseWheelHandler(TMessage& Message);

    void SetFocus() override;
    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Before the window exists, the client area the window will have: with a menu bar when the
    // form has a menu.
    TRect GetClientRect() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();
    void PaintWindow(HDC DC) override;
    void SetWindowToMonitor();

    void WMClose(TMessage& Message);
    void WMActivate(TMessage& Message);
    void WMMouseActivate(TMessage& Message);
    void WMSysCommand(TMessage& Message);
    void WMQueryEndSession(TMessage& Message);
    void CMShowingChangedForm(TMessage& Message);
    void CMDialogKeyForm(TMessage& Message);
    // WM_NEXTDLGCTL: with lParam's low word 0 the focus goes to the next tab stop (wParam 0) or the
    // previous one; otherwise wParam is the window to focus.
    void WMNextDlgCtl(TMessage& Message);
    void CMRelease(TMessage& Message);
    void CMActivate(TMessage& Message);
    void CMDeactivate(TMessage& Message);

    std::unique_ptr<TCanvas> FCanvas;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDefaultPosOnly;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    std::unique_ptr<TIcon> FIcon;
    TMainMenu* FMenu = nullptr;
    bool FKeyPreview = false;
    bool FScaled = true;
    int FPixelsPerInch = 96;
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 255;
    TFormState FFormState;
    TModalResult FModalResult = mrNone;
    bool FActive = false;
    bool FPositioned = false;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TWinControl* FLastFocusedControl = nullptr;

    friend class TApplication;
    friend class TScreen;
};

class TForm : public TCustomForm {
    DECLARE_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
    // A form without a stored description.
    template <class T = TForm>
    static T* CreateNew(TComponent* AOwner) { return Create<T>(AOwner); }
};

// ---- Screen ------------------------------------------------------------------------------------

class TMonitor : public TObject {
    DECLARE_CLASS(TMonitor, TObject)
public:
    HMONITOR Handle = nullptr;
    int MonitorNum = 0;
    TRect GetBoundsRect() const;
    TRect GetWorkareaRect() const;
    bool GetPrimary() const;
    int GetPixelsPerInch() const;
};

class TScreen : public TComponent {
    DECLARE_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* AOwner);

    int FormCount() const { return int(FForms.size()); }
    TCustomForm* Forms(int Index) const { return FForms.at(size_t(Index)); }
    TCustomForm* GetActiveForm() const { return FActiveForm; }
    TWinControl* GetActiveControl() const { return FActiveControl; }

    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    HCURSOR GetCursors(int Index);
    void SetCursors(int Index, HCURSOR Handle);

    int GetWidth() const;
    int GetHeight() const;
    int GetPixelsPerInch() const;
    TRect GetWorkAreaRect() const;
    int GetWorkAreaWidth() const { return GetWorkAreaRect().Width(); }
    int GetWorkAreaHeight() const { return GetWorkAreaRect().Height(); }
    int GetWorkAreaLeft() const { return GetWorkAreaRect().Left; }
    int GetWorkAreaTop() const { return GetWorkAreaRect().Top; }
    int MonitorCount();
    TMonitor* Monitors(int Index);
    TMonitor* MonitorFromPoint(const TPoint& P);
    TMonitor* MonitorFromRect(const TRect& R);
    TMonitor* MonitorFromWindow(HWND Wnd);
    // The installed font family names, sorted.
    const std::vector<String>& GetFonts();

    TNotifyEvent OnActiveControlChange;
    TNotifyEvent OnActiveFormChange;

    // Seam: the work area tests want; empty = the platform's.
    std::function<TRect()> WorkAreaProvider;

private:
    void AddForm(TCustomForm* AForm);
    void RemoveForm(TCustomForm* AForm);
    void SetActiveForm(TCustomForm* AForm);
    void SetActiveControl(TWinControl* Control);
    void RefreshMonitors();

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = crDefault;
    std::map<int, HCURSOR> FCursors;
    std::vector<std::unique_ptr<TMonitor>> FMonitors;
    std::vector<String> FFonts;

    friend class TCustomForm;
    friend class TWinControl;
    friend class TApplication;
};

// ---- Application -------------------------------------------------------------------------------

class TApplication : public TComponent {
    DECLARE_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize() {}
    // Creates a form owned by the application; the first one becomes the main form.
    template <class T>
    void CreateForm(T*& Reference)
    {
        Reference = nullptr;
        T* F = Create<T>(this);
        Reference = F;
        if (!FMainForm) {
            FMainForm = F;
            F->HandleNeeded();
        }
    }
    // Shows the main form and handles messages until the application terminates.
    void Run();
    // Handles every message waiting, then returns.
    void ProcessMessages();
    // Handles one message, waiting for one when none is queued (idle processing first).
    void HandleMessage();
    // One step of the message loop: the key pipeline, then translate and dispatch. False when
    // no message was waiting.
    bool ProcessMessage(MSG& Msg);
    void Terminate();
    bool GetTerminated() const { return FTerminated; }
    // Tests reset the flag between runs of the loop.
    void ResetTerminated() { FTerminated = false; }

    TCustomForm* GetMainForm() const { return FMainForm; }
    bool GetMainFormOnTaskbar() const { return FMainFormOnTaskbar; }
    void SetMainFormOnTaskbar(bool Value) { FMainFormOnTaskbar = Value; }
    HWND GetHandle();
    const String& GetTitle() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    String GetExeName() const;

    // Exceptions that reach the loop or a window procedure.
    void HandleException(TObject* Sender);
    void ShowException(const Exception* E);
    int MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);
    // Seam: how a message box is shown (tests record and close it). Empty = MessageBoxW.
    std::function<int(HWND Owner, const String& Text, const String& Caption, UINT Flags)> MessageBoxProc;

    // Hints
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    TColor HintColor = clInfoBk;
    THintWindowClass HintWindowClass;
    const String& GetHint() const { return FHint; }
    void SetHint(const String& Value);
    void CancelHint();
    void HideHint();
    void ActivateHint(const TPoint& CursorPos);
    THintWindow* GetHintWindow() const { return FHintWindow; }
    TControl* GetHintControl() const { return FHintControl; }
    // Called by controls for mouse moves: starts, moves or cancels the hint.
    void HintMouseMessage(TControl* Control, TMessage& Message);
    // The control the mouse is over; enter and leave notifications when it changes.
    void SetMouseControl(TControl* Control);
    TControl* GetMouseControl() const { return FMouseControl; }

    // Modal bookkeeping: other top-level windows of the thread are disabled while a form is modal.
    void ModalStarted() { ++FModalLevel; }
    void ModalFinished() { if (FModalLevel > 0) --FModalLevel; }
    int ModalLevel() const { return FModalLevel; }

    void Notification(TComponent* AComponent, TOperation Operation) override;
    // A control is going: forget every reference the application and screen keep to it.
    void ControlDestroying(TControl* Control);

    TMessageEvent OnMessage;
    TExceptionEvent OnException;
    TNotifyEvent OnHint;
    TShowHintEvent OnShowHint;
    TIdleEvent OnIdle;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

private:
    bool IsKeyMsg(MSG& Msg);
    bool IsHintMsg(MSG& Msg);
    void Idle(const MSG& Msg);
    void WndProc(TMessage& Message);
    void StartHintTimer(int Value);
    void StopHintTimer();
    void HintTimerExpired();
    void HideHintTimerExpired();
    static LRESULT CALLBACK AppWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

    HWND FHandle = nullptr;
    TCustomForm* FMainForm = nullptr;
    bool FMainFormOnTaskbar = false;
    bool FTerminated = false;
    bool FHandleException = false;
    String FTitle;
    int FModalLevel = 0;
    bool FShowHint = true;
    String FHint;
    THintWindow* FHintWindow = nullptr;
    TControl* FHintControl = nullptr;
    TControl* FMouseControl = nullptr;
    TPoint FHintCursorPos;
    bool FHintActive = false;
    bool FHintTimerRunning = false;
    bool FHideTimerRunning = false;

    friend class TCustomForm;
};

extern TApplication* Application;
extern TScreen* Screen;

// Hint timer ids on the application's window (tests send WM_TIMER with them).
constexpr UINT_PTR HintTimerId = 0x4849;
constexpr UINT_PTR HideHintTimerId = 0x484A;
