// Controls: the control hierarchy over real windows. TControl (geometry, state, events, message
// dispatch), TWinControl (a window of its own, children, focus, the keyboard pipeline),
// TGraphicControl (windowless, painted by its parent), TCustomControl (a window with a canvas)
// and the hint window.
//
// Messages reach a control's WindowProc (by default WndProc), which pre-processes and hands them
// to Dispatch: one switch per class, the base class's Dispatch for the rest, ending in
// DefaultHandler (the original window procedure of the window).
#pragma once

#include "Classes.h"
#include "Graphics.h"
#include "Messages.h"

#include <functional>
#include <vector>

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TControlCanvas;
class TBasicAction;
class TControlActionLink;

// Makes the action link of a control (ActnList.h: ActionLinkClassOf<T>()).
using TControlActionLinkClass = TControlActionLink* (*)(TControl* Client);

// ---- Enumerations and sets ---------------------------------------------------------------------

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
using enum TAnchorKind;
using TAnchors = TSet<TAnchorKind>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum class TControlStyleFlag {
    csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption,
    csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
    csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents,
    csNeedsBorderPaint, csParentBackground, csPannable, csGestures
};
using enum TControlStyleFlag;
using TControlStyle = TSet<TControlStyleFlag>;

// The control's run-time state. Kept apart from the name TControlState, which the system uses for
// an enumeration of its own.
enum class TControlStateFlag {
    csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
    csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csRecreating, csMouseInControl
};
using TControlStateSet = TSet<TControlStateFlag>;

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
// The scroll bar controls' and the scrolling controls' bars.
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Bevels: the cut of an inner or outer bevel line, how a windowed control draws its bevels in its
// non-client area (bkNone: none), and which edges carry them.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using TBevelWidth = int;
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
enum TBevelEdge { beLeft, beTop, beRight, beBottom };
using TBevelEdges = TSet<TBevelEdge>;

// Border style of a control with an optional single border, and of a form.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

using TCursor = SmallInt;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = -22;

// ---- Events ------------------------------------------------------------------------------------

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos,
                                                  bool& Handled)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TWndMethod = std::function<void(TMessage& Message)>;

// ---- Free functions ----------------------------------------------------------------------------

// Modifiers and buttons of a mouse message's key flags (MK_*).
TShiftState KeysToShiftState(WPARAM Keys);
// Modifiers of a key message: Alt from the key data, Shift and Ctrl from the thread key state.
TShiftState KeyDataToShiftState(LPARAM KeyData);
// Modifiers from the thread key state (GetKeyState).
TShiftState GetShiftState();
// The form a control stands on (the control itself when it is a form), or null.
TCustomForm* GetParentForm(TControl* Control, bool TopForm = true);
// The control that owns a window, or null for windows of other code.
TWinControl* FindControl(HWND Handle);
// The control (windowed or not) at a screen point, disabled ones included when asked.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The control that holds the mouse capture (set through MouseCapture), or null.
TControl* CaptureControl();
// The windows handle of the platform's cursor for a cursor number (Screen's table).
HCURSOR CursorHandle(TCursor Cursor);

// ---- Size constraints --------------------------------------------------------------------------

class TSizeConstraints : public TPersistent {
    DECLARE_CLASS(TSizeConstraints, TPersistent)
public:
    explicit TSizeConstraints(TControl* AControl) : FControl(AControl) {}
    int GetMinWidth() const { return FMinWidth; }
    int GetMinHeight() const { return FMinHeight; }
    int GetMaxWidth() const { return FMaxWidth; }
    int GetMaxHeight() const { return FMaxHeight; }
    void SetMinWidth(int Value);
    void SetMinHeight(int Value);
    void SetMaxWidth(int Value);
    void SetMaxHeight(int Value);
    void Assign(TPersistent* Source) override;
    // Width and height limited to the constraints (0 = no limit).
    void Apply(int& W, int& H) const;
    TNotifyEvent OnChange;

private:
    void Change();
    TControl* FControl = nullptr;
    int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

// ---- TControl ----------------------------------------------------------------------------------

class TControl : public TComponent {
    DECLARE_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // Tree
    TWinControl* GetParent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    bool HasParent() const { return FParent != nullptr; }

    // Geometry, in the parent's client coordinates
    int GetLeft() const { return FLeft; }
    int GetTop() const { return FTop; }
    int GetWidth() const { return FWidth; }
    int GetHeight() const { return FHeight; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    // The client rectangle: virtual, so that a control may keep part of its client area.
    virtual TRect GetClientRect();
    int GetClientWidth() { return GetClientRect().Width(); }
    int GetClientHeight() { return GetClientRect().Height(); }
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    // The screen position of the client area's origin.
    virtual TPoint GetClientOrigin();
    TPoint ClientToScreen(const TPoint& P);
    TPoint ScreenToClient(const TPoint& P);
    TPoint ClientToParent(const TPoint& P, TWinControl* AParent = nullptr);
    TPoint ParentToClient(const TPoint& P, TWinControl* AParent = nullptr);

    TAlign GetAlign() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors GetAnchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* GetConstraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }

    // State
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    virtual bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    // Visible with every parent visible, up to a window that is shown.
    virtual bool Showing() const;
    bool IsControlVisible() const { return FVisible; }

    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool GetParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    bool GetParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    bool GetCtl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool GetParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value);
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    const String& GetHint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool GetParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
    virtual void SetPopupMenu(TPopupMenu* Value);
    TBiDiMode GetBiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool UseRightToLeftAlignment() const;
    bool UseRightToLeftReading() const;
    bool UseRightToLeftScrollBar() const;
    // DT_* flags with the reading order (and mirrored alignment) of the BiDi mode.
    UINT DrawTextBiDiModeFlags(UINT Flags) const;
    UINT DrawTextBiDiModeFlagsReadingOnly() const;

    // Text (Caption and Text are the same value)
    String GetText();
    void SetText(const String& Value);
    String GetCaption() { return GetText(); }
    void SetCaption(const String& Value) { SetText(Value); }
    int GetTextLen();

    TControlStyle GetControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlStateSet GetControlState() const { return FControlState; }
    void SetControlState(TControlStateSet Value) { FControlState = Value; }

    // Painting
    virtual void Invalidate();
    virtual void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // Messages
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    const TWndMethod& GetWindowProc() const { return FWindowProc; }
    // Replaces the control's window procedure; an empty value restores WndProc.
    void SetWindowProc(TWndMethod Value);
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    // Mouse
    bool GetMouseCapture();
    void SetMouseCapture(bool Value);
    bool MouseInControl() const { return FControlState.Contains(TControlStateFlag::csMouseInControl); }
    bool Dragging() const { return FDragging; }
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);

    virtual void Click();
    virtual void DblClick();
    virtual void ChangeScale(int M, int D);
    virtual void ChangeScale(int M, int D, bool IsDpiChange) { ChangeScale(M, D); }
    void ScaleBy(int M, int D) { ChangeScale(M, D); }
    virtual void Loaded() override;

    NativeInt GetHelpContext() const { return FHelpContext; }
    void SetHelpContext(NativeInt Value) { FHelpContext = Value; }

    // The action the control is linked to (ActnList.h), or null. Linking makes the link of
    // GetActionLinkClass and takes the action's values (ActionChange); null unlinks. Click
    // executes the action when OnClick is not set.
    TBasicAction* GetAction() const;
    void SetAction(TBasicAction* Value);

    // How a popup menu is shown for a control (installed by the menus): true when it was shown.
    static inline std::function<bool(TControl* Control, TPopupMenu* Menu, const TPoint& ScreenPos)> PopupMenuHandler;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TContextPopupEvent OnContextPopup;

protected:
    // Mouse events, fired by the button and move message methods.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    // Shows the control's popup menu at a screen point; true when one was shown.
    virtual bool DoPopupMenu(const TPoint& ScreenPos);
    virtual void Resize();
    virtual void FontChanged();
    // The link made by SetAction, and the class that makes it.
    TControlActionLink* GetActionLink() const { return FActionLink.get(); }
    virtual TControlActionLinkClass GetActionLinkClass() const;
    // Takes the action's values; with CheckDefaults (while loading) only where the control still
    // has its own default (an empty caption, or the name).
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    virtual bool CanResize(int& NewWidth, int& NewHeight) { return true; }
    virtual void ConstrainedResize(int& MinW, int& MinH, int& MaxW, int& MaxH) {}
    virtual void RequestAlign();
    // The text of the control: windowed controls read and write their window's text.
    virtual String GetTextValue() { return FText; }
    virtual void SetTextValue(const String& Value);
    void InvalidateControl(bool IsVisible, bool IsOpaque);
    virtual void UpdateBoundsRect(const TRect& R);
    // The control's window or its parent's, for painting and capture.
    virtual HWND GetDeviceWindow() const;
    // The parent's news: the control copies the parent's font, colour, ... when it uses them.
    void ParentFontChanged();

    // Message methods
    void WMLButtonDown(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMRButtonDown(TMessage& Message);
    void WMRButtonUp(TMessage& Message);
    void WMMButtonDown(TMessage& Message);
    void WMMButtonUp(TMessage& Message);
    void WMMouseMove(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void WMCancelMode(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMParentCtl3DChanged(TMessage& Message);
    void CMParentShowHintChanged(TMessage& Message);
    void CMHitTest(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMMouseWheel(TMessage& Message);
    void CMHintShow(TMessage& Message);

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    std::unique_ptr<TFont> FFont;
    TColor FColor = clWindow;
    bool FParentFont = true;
    bool FParentColor = true;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    TCursor FCursor = crDefault;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TPopupMenu* FPopupMenu = nullptr;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    std::unique_ptr<TSizeConstraints> FConstraints;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlStateSet FControlState;
    TBiDiMode FBiDiMode = bdLeftToRight;
    String FText;
    bool FDragging = false;
    NativeInt FHelpContext = 0;
    // Distance to the parent's right and bottom edges, kept for anchors.
    int FAnchorRight = 0, FAnchorBottom = 0;
    bool FAnchorsValid = false;

private:
    void UpdateAnchorRules();
    void FontChangedHandler(TObject* Sender);

    TWndMethod FWindowProc;
    bool FUpdatingFromParent = false;
    TFreePtr<TControlActionLink> FActionLink;

    friend class TWinControl;
    friend class TApplication;
};

using TControlClass = TControl* (*)(TComponent*);

// ---- TWinControl -------------------------------------------------------------------------------

// What a windowed control asks of the window it creates.
struct TCreateParams {
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASSEXW WindowClass{};
    // The registered class the window uses (the control's class name by default).
    String WinClassName;
    // A system class (EDIT, BUTTON, ...) the window class is built on; empty for the library's own.
    String SysClassName;
};

class TWinControl : public TControl {
    DECLARE_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // Window lifecycle
    HWND GetHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    void RecreateWnd();
    void DestroyHandle();
    HWND GetParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND Value);
    // Creates the control as the child of a foreign window.
    static TWinControl* CreateParented(HWND ParentWindow);

    // Children
    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(TControl* Control) const;
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false,
                           bool AllLevels = false);
    // The child control of that name, compared as SameText does (ASCII case only), or null.
    TControl* FindChildControl(const String& ControlName) const;
    void Broadcast(TMessage& Message);
    void NotifyControls(UINT Msg);
    void DisableAlign();
    void EnableAlign();
    void Realign();
    bool AlignDisabled() const { return FAlignLevel > 0; }

    // Geometry
    TRect GetClientRect() override;
    TPoint GetClientOrigin() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    int GetBorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    bool Showing() const override { return FShowing; }

    // Focus and tab order
    virtual bool CanFocus();
    virtual bool Focused();
    virtual void SetFocus();
    int GetTabOrder() const;
    void SetTabOrder(int Value);
    bool GetTabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    // The windowed controls of this control and its descendants in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& List);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent);
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    void SelectFirst();

    // Painting
    bool GetDoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value);
    // Bevels drawn in the non-client area when BevelKind is not bkNone; each present bevel line
    // (inner, outer) takes BevelWidth pixels on every edge of BevelEdges.
    TBevelEdges GetBevelEdges() const { return FBevelEdges; }
    void SetBevelEdges(TBevelEdges Value);
    TBevelCut GetBevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut GetBevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    TBevelKind GetBevelKind() const { return FBevelKind; }
    void SetBevelKind(TBevelKind Value);
    TBevelWidth GetBevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(TBevelWidth Value);
    void Invalidate() override;
    void Repaint() override;
    void Update() override;
    // Paints the control and its children into a device context at (X, Y).
    void PaintTo(HDC DC, int X, int Y);
    void PaintTo(TCanvas* Canvas, int X, int Y);
    // Paints the visible graphic children (from First on) into DC.
    void PaintControls(HDC DC, TControl* First);

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void ChangeScale(int M, int D) override;
    void SetParent(TWinControl* AParent) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

protected:
    virtual void CreateParams(TCreateParams& Params);
    // Builds the window class (superclassing a system class when SysClassName is set).
    void CreateSubClass(TCreateParams& Params, const String& ControlClassName);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void CreateHandle();
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void AdjustClientRect(TRect& Rect);
    virtual void PaintWindow(HDC DC);
    void PaintHandler(HDC DC);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(Char& Key);
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    void UpdateShowing();
    void UpdateControlState();
    String GetTextValue() override;
    void SetTextValue(const String& Value) override;
    HWND GetDeviceWindow() const override { return FHandle; }
    void UpdateBoundsRect(const TRect& R) override;
    void InvalidateChildren();

    // Message methods
    void WMPaint(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMPrintClient(TMessage& Message);
    void WMCommand(TMessage& Message);
    void WMNotify(TMessage& Message);
    void WMCtlColor(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMKeyUp(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMSysKeyDown(TMessage& Message);
    void WMSysKeyUp(TMessage& Message);
    void WMSysChar(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMMove(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void WMMouseLeave(TMessage& Message);
    void WMDestroy(TMessage& Message);
    void WMNCDestroy(TMessage& Message);
    void WMSetText(TMessage& Message);
    void CNKeyDown(TMessage& Message);
    void CNKeyUp(TMessage& Message);
    void CNChar(TMessage& Message);
    void CNSysKeyDown(TMessage& Message);
    void CNSysChar(TMessage& Message);
    void CMDialogKey(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMFocusChanged(TMessage& Message);
    void CMShowingChanged(TMessage& Message);
    void CMVisibleChangedWin(TMessage& Message);
    void CMEnabledChangedWin(TMessage& Message);
    void CMFontChangedWin(TMessage& Message);
    void CMColorChangedWin(TMessage& Message);
    void CMCtl3DChanged(TMessage& Message);
    void CMShowHintChanged(TMessage& Message);
    void CMCursorChanged(TMessage& Message);
    void CMRecreateWnd(TMessage& Message);
    // The bevels' part of the non-client area: its size, and its painting after the frame's.
    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    WNDPROC FDefWndProc = nullptr;
    std::vector<TControl*> FControls;     // all children, in z-order (first = bottom)
    std::vector<TWinControl*> FTabList;   // windowed children, in tab order
    bool FShowing = false;
    bool FTabStop = false;
    bool FDoubleBuffered = false;
    int FBorderWidth = 0;
    int FAlignLevel = 0;
    bool FTrackingMouse = false;
    std::unique_ptr<TBrush> FBrush;   // the background brush (colour), for erasing and WM_CTLCOLOR
    // Properties the window keeps while it exists: read back before it is destroyed.
    String FSavedText;
    TBevelEdges FBevelEdges{beLeft, beTop, beRight, beBottom};
    TBevelCut FBevelInner = bvRaised;
    TBevelCut FBevelOuter = bvLowered;
    TBevelKind FBevelKind = bkNone;
    TBevelWidth FBevelWidth = 1;

private:
    void AlignControl(TControl* AControl);
    void DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect);
    void UpdateTabOrder(int Value);
    void AttachWindow(HWND Wnd);
    void RemoveFocus(bool Removing);
    void CreateParamsForFrame(TCreateParams& P);
    int BevelEdgeSize() const;
    void BevelsChanged();
    static LRESULT CALLBACK StdWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

    friend class TControl;
    friend class TApplication;
    friend class TCustomForm;
};

// ---- TGraphicControl, TCustomControl ------------------------------------------------------------

// A canvas over a control's device context: the paint DC while painting, else one got on demand.
class TControlCanvas : public TCanvas {
    DECLARE_CLASS(TControlCanvas, TCanvas)
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;
    TControl* GetControl() const { return FControl; }
    void SetControl(TControl* AControl);
    // Releases a device context got on demand.
    void FreeHandle();
    void UpdateTextFlags();
    void CreateHandle() override;

private:
    TControl* FControl = nullptr;
    HDC FDeviceContext = nullptr;
    HWND FWindowHandle = nullptr;
};

// Runs Paint with Canvas drawing on the paint device context DC in Font and on Color, as a
// custom-painted window does; the canvas lets go of DC afterwards, also when Paint raises.
void PaintOnCanvas(TCanvas* Canvas, HDC DC, TFont* Font, TColor Color, const std::function<void()>& Paint);

class TGraphicControl : public TControl {
    DECLARE_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* AOwner);
    TCanvas* GetCanvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& Message) override;

protected:
    virtual void Paint() {}
    void WMPaint(TMessage& Message);
    std::unique_ptr<TCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
    DECLARE_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* GetCanvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& Message) override;

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;
    void DestroyWnd() override;
    void WMPaintCustom(TMessage& Message);
    std::unique_ptr<TCanvas> FCanvas;
};

// ---- Hints -------------------------------------------------------------------------------------

class THintWindow;
using THintWindowClass = std::function<THintWindow*(TComponent* Owner)>;

// What a control is asked when its hint is about to show (CM_HINTSHOW, LParam = &THintInfo);
// a non-zero answer cancels the hint.
struct THintInfo {
    TControl* HintControl = nullptr;
    THintWindowClass HintWindowClass;
    TPoint HintPos;          // screen
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;        // client of HintControl
    TPoint CursorPos;        // client of HintControl
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    String HintStr;
    void* HintData = nullptr;
};

class THintWindow : public TCustomControl {
    DECLARE_CLASS(THintWindow, TCustomControl)
public:
    explicit THintWindow(TComponent* AOwner);
    // Shows the hint at Rect (screen) with the text AHint.
    virtual void ActivateHint(TRect Rect, const String& AHint);
    virtual void ActivateHintData(TRect Rect, const String& AHint, void* AData);
    // The size of the hint's window for a text, the text wrapped at MaxWidth.
    virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
    virtual bool IsHintMsg(const MSG& Msg);
    void ReleaseHandle();
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WMNCHitTest(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    bool FActivating = false;
};

template <class T>
THintWindowClass HintWindowClassOf()
{
    return [](TComponent* Owner) -> THintWindow* { return Create<T>(Owner); };
}
