// ExtCtrls: the panel (a container with bevels and a caption), the timer (a component with a
// hidden window that receives WM_TIMER) and the image (a picture painted by its parent).
#pragma once

#include "StdCtrls.h"

// ---- TCustomPanel ------------------------------------------------------------------------------

class TCustomPanel : public TCustomControl {
    DECLARE_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TBevelCut GetBevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut GetBevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    TBevelWidth GetBevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(TBevelWidth Value);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool GetShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    bool GetFullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool Value) { FFullRepaint = Value; }
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void SetTextValue(const String& Value) override;
    void BevelsChanged();

    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    TBevelWidth FBevelWidth = 1;
    TBorderStyle FBorderStyle = bsNone;
    bool FShowCaption = true;
    bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
    DECLARE_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
    static void RegisterProperties(TPropertyTable& Table);
};

// Draws a 3-D frame of Width lines inside Rect (top and left in TopColor, bottom and right in
// BottomColor) and shrinks Rect by it.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

// ---- TTimer ------------------------------------------------------------------------------------

class TTimer : public TComponent {
    DECLARE_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Milliseconds; 0 stops the timer. Setting the interval it already has does not restart it.
    unsigned GetInterval() const { return FInterval; }
    void SetInterval(unsigned Value);
    // The hidden window that receives the timer's messages (made with the first start), and the
    // identifier its WM_TIMER messages carry.
    HWND GetHandle() const { return FWindow; }
    static constexpr UINT_PTR TimerId = 1;
    static void RegisterProperties(TPropertyTable& Table);

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();
    void UpdateTimer();
    static LRESULT CALLBACK TimerWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

    bool FEnabled = true;
    unsigned FInterval = 1000;
    HWND FWindow = nullptr;
    bool FRunning = false;
};

// ---- TImage ------------------------------------------------------------------------------------

class TImage : public TGraphicControl {
    DECLARE_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* AOwner);

    TPicture* GetPicture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool GetCenter() const { return FCenter; }
    void SetCenter(bool Value);
    bool GetProportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool GetStretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Where the picture is drawn in the client area.
    TRect DestRect() const;
    static void RegisterProperties(TPropertyTable& Table);

protected:
    void Paint() override;
    void PictureChanged(TObject* Sender);

    std::unique_ptr<TPicture> FPicture;
    bool FAutoSize = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FStretch = false;
    bool FTransparent = false;
};

// Registers the panel, timer and image with the class registry (and the standard controls).
void RegisterExtCtrls();
