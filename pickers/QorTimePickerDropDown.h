// QorTimePickerDropDown: an analogue clock face for picking a time of day, usable on its own and
// as the popup of the time picker drop-down. TQorWatch shows a time on a dial; a click inside the
// dial picks the hour, a click outside it the minute, a click on the AM/PM box the half of the
// day, and HandleKey steps hours and minutes. Hands can move in animated steps, the AM/PM box can
// slide from one word to the other, and in automatic mode the face runs as a live clock.
// TWatchAppearance carries the face's look (colours, sizes, shapes, fonts, a picture) and
// TWatchSettings its automatic mode; twelve look presets are chosen with Style.
//
// TQorTimePickerDropDown is the drop-down edit for a time of day: the edit shows the time under
// an edit mask (two-digit fields joined by the locale's time separator), Up and Down step the field
// the caret stands in, and the popup shows the clock face on a panel, optionally with a time
// picker docked under it. While the popup is open the clock face is the working copy of the value.
//
// Files: QorTimePickerDropDown.cpp (the drop-down), QorWatchOptions.cpp (the appearance and settings objects and the colour schemes per
// component style), QorWatch.cpp (geometry, time, input, timers and animation),
// QorWatchPaint.cpp (the face cache, the drawing steps and the unit's drawing routines),
// QorWatchStyles.cpp (the look presets).
#pragma once

#include "controls/QorDropDown.h"
#include "framework/ComCtrls.h"
#include "framework/Controls.h"
#include "framework/ExtCtrls.h"
#include "framework/Graphics.h"
#include "graphics/QorStyleIF.h"
#include "grid/store/QorOptionProps.h"

#include <functional>
#include <memory>

class TGPGraphics;
class TGPGraphicsPath;
class TGPPen;
class TGPBrush;

enum TAMPMFrame { apRect, apRoundRect };
enum TWatchGradient { wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward };
enum THourMarkStyle { hmsLine, hmsQuartDblLine };
enum TPointerStyle { psLine, psShortLine, psPointer, psLineArrow };
enum TWatchShape { wsCircle, wsRect, wsRoundRect };
enum TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum TWatchStyle {
    wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite,
    wsGray, wsSuperNova, wsSports, wsSmooth, wsCustom
};
enum TAntiAlias { aaNone, aaClearType, aaAntiAlias };

// ---- appearance and settings --------------------------------------------------------------------

// The look of a clock face. Colours in red, green, blue order below; clNone leaves an item out.
// Setters notify (OnChange) only when the value changes; AMPMColor and AMPMBorderColor are plain
// fields that never notify.
#define QOR_WATCHAPPEARANCE_PROPS(X)                                                              \
    X(Differs, Add, Copy, int, Size, 0)                                                           \
    X(Differs, AddColor, Copy, TColor, HourPointer, clBlack)                                      \
    X(Differs, AddColor, Copy, TColor, BackgroundColor, clWhite)                                  \
    X(Differs, AddColor, Copy, TColor, MinutePointerShadow, clBtnShadow)                          \
    X(Differs, AddColor, Copy, TColor, BackgroundColorTo, clNone)                                 \
    X(Differs, AddColor, Copy, TColor, HourPointerShadow, clBtnShadow)                            \
    X(Differs, AddColor, Copy, TColor, SecondPointer, clRed)                                      \
    X(Differs, AddColor, Copy, TColor, BorderColor, clBlack)                                      \
    X(Differs, AddColor, Copy, TColor, MinutePointer, clBlack)                                    \
    X(Differs, Add, Copy, TAMPMFrame, AMPMFrame, apRect)                                          \
    X(Differs, Add, Copy, TWatchShape, Shape, wsCircle)                                           \
    X(Differs, Add, Copy, TPointerStyle, PointerStyle, psLine)                                    \
    X(Differs, Add, Copy, Byte, HourPointerSize, 4)                                               \
    X(Differs, Add, Copy, Byte, SecondPointerSize, 1)                                             \
    X(Differs, Add, Copy, Byte, MinutePointerSize, 3)                                             \
    X(Differs, AddColor, Copy, TColor, HourColor, clBlack)                                        \
    X(Differs, AddColor, Copy, TColor, MinuteColor, clGray)                                       \
    X(Differs, Add, Copy, Byte, CenterPointSize, 4)                                               \
    X(Differs, AddColor, Copy, TColor, CenterPointColor, clBlack)                                 \
    X(Differs, AddColor, Copy, TColor, CenterPointBorderColor, clNone)                            \
    X(Differs, Add, Copy, TWatchGradient, BackgroundGradient, wgVertical)                         \
    X(Differs, Add, Copy, Byte, HourMarkLength, 0)                                                \
    X(Differs, Add, Copy, Byte, HourMarkWidth, 1)                                                 \
    X(Differs, Add, Copy, Byte, MinuteMarkLength, 0)                                              \
    X(Differs, Add, Copy, Byte, MinuteMarkWidth, 1)                                               \
    X(Differs, Add, Copy, int, BorderWidth, 4)                                                    \
    X(Field, AddColor, Copy, TColor, AMPMColor, clWhite)                                          \
    X(Field, AddColor, Copy, TColor, AMPMBorderColor, clBlack)                                    \
    X(Differs, AddColor, Keep, TColor, CenterPointOuterBorderColor, clNone)                       \
    X(Differs, Add, Keep, TTickMarks, TickMarks, tmAll)                                           \
    X(Differs, Add, Keep, THourMarkStyle, HourMarkStyle, hmsLine)

class TWatchAppearance : public TPersistent {
    DECLARE_CLASS(TWatchAppearance, TPersistent)
public:
    // The initial look (InitializeDefault).
    TWatchAppearance();
    ~TWatchAppearance() override;

    // Every value of another appearance: the plain values directly, the fonts and the picture by
    // their own copies, the outer centre ring, tick marks and hour mark style through their
    // setters. Always reports a change. Any other source goes to the framework's Assign.
    void Assign(TPersistent* Source) override;
    // Puts every value back to its initial one without reporting; of the fonts only name and size
    // are reset (colour and style stay).
    void InitializeDefault();
    // The clock colours of a component style (tsCustom and the styles after tsOffice2010Black
    // only blacken the fonts and the centre point's outer ring).
    void ApplyComponentStyle(QorStyleIF::TJOQStyle AStyle);

    TFont* GetAMPMFont() const { return FAMPMFont.get(); }
    void SetAMPMFont(TFont* Value);
    TFont* GetHourFont() const { return FHourFont.get(); }
    void SetHourFont(TFont* Value);
    // A picture, when not empty, replaces the dial's gradient.
    TPicture* GetPicture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value);

    static void RegisterProperties(TPropertyTable& Table);

    TNotifyEvent OnChange;

    QOR_WATCHAPPEARANCE_PROPS(QOR_OPTION_DECLARE)

protected:
    void Changed();
    void PictureChanged(TObject* Sender);

private:
    std::unique_ptr<TFont> FHourFont;
    std::unique_ptr<TFont> FAMPMFont;
    std::unique_ptr<TPicture> FPicture;
    int FChangeCount = 0;   // reports so far: Assign reports once when nothing else did
};

// The automatic (live clock) mode of a face.
#define QOR_WATCHSETTINGS_PROPS(X)                       \
    X(Setter, Add, Keep, bool, Auto, false)              \
    X(Differs, Add, Copy, bool, Second, true)            \
    X(Differs, Add, Copy, int, TimeOffset, 0)

class TWatchSettings : public TPersistent {
    DECLARE_CLASS(TWatchSettings, TPersistent)
public:
    TWatchSettings() = default;
    // Second and TimeOffset copied without a word, Auto through its setter; any other source goes
    // to the framework's Assign.
    void Assign(TPersistent* Source) override;

    static void RegisterProperties(TPropertyTable& Table);

    TNotifyEvent OnChange;

    // Auto: the face shows the current time plus TimeOffset minutes and ignores input; Second:
    // the second hand shows in automatic mode.
    QOR_WATCHSETTINGS_PROPS(QOR_OPTION_DECLARE)

protected:
    void Changed();
};

// ---- the clock face ------------------------------------------------------------------------------

class TQorWatch : public TCustomControl, public QorStyleIF::IJOQStyle {
    DECLARE_CLASS(TQorWatch, TCustomControl)
public:
    // 180 x 180, manual mode at time 0 (AM), animation on with factor 10, AM/PM box and numbers
    // shown, resolution 1, style wsClassic (the appearance's initial look, no preset applied).
    explicit TQorWatch(TComponent* AOwner);
    ~TQorWatch() override;

    TWatchAppearance* GetAppearance() const { return FAppearance.get(); }
    void SetAppearance(TWatchAppearance* Value) { FAppearance->Assign(Value); }
    TWatchSettings* GetSettings() const { return FSettings.get(); }
    void SetSettings(TWatchSettings* Value) { FSettings->Assign(Value); }

    // The picked time, with whatever date part it was given. Setting it repaints the hands and
    // never reports OnChange.
    TDateTime GetTime() const { return FTime; }
    void SetTime(TDateTime Value);
    // Stores the time; the AM/PM state follows its hour without the slide.
    void SetTimeDirect(TDateTime Value);
    // What the face shows: Now plus the offset in automatic mode, else Time.
    TDateTime GetDisplayTime() const;

    // Hour 0..23 (more raises "Invalid time"); animated unless Animation is off.
    void SetHour(Byte Value);
    // Minute 0..59 (more raises "Invalid time"); 0 from a minute above 30 carries into the next hour.
    void SetMinute(Byte Value);
    // The half of the day the face shows; a change by a click slides the AM/PM box.
    bool GetAM() const { return FAM; }
    void SetAM(bool Value);
    int XYToMinute(int X, int Y);
    int XYToHour(int X, int Y);
    // A virtual key: A and P the half of the day, PgUp and PgDn the hour, Home 12 o'clock, End the
    // full hour, Left and Right the minute. Nothing in automatic mode; ReadOnly does not block keys.
    void HandleKey(Word Key);

    bool GetAnimation() const { return FAnimation; }
    void SetAnimation(bool Value) { FAnimation = Value; }
    // Divisor of the remaining distance per animation step; below 1 steps as 1.
    int GetAnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int Value) { FAnimationFactor = Value; }
    bool GetShowAMPM() const { return FShowAMPM; }
    void SetShowAMPM(bool Value);
    bool GetShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool Value);
    TWatchStyle GetStyle() const { return FStyle; }
    // Applies a look preset (nothing for the current style; wsCustom changes nothing more).
    void SetStyle(TWatchStyle Value);
    // Mouse input ignored.
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    // Minute snapping of mouse picks; values above 30 are ignored, 1 or less means none.
    int GetResolution() const { return FResolution; }
    void SetResolution(int Value);
    String GetVersion() const;
    void SetVersion(const String&) {}
    virtual int GetVersionNr() const;

    // The clock colour scheme of a component style, applied to Appearance.
    void SetComponentStyle(QorStyleIF::TJOQStyle AStyle) override;

    // Geometry: the dial's square centred in the client area, its centre and radius, the AM/PM box
    // ((-1, -1, -1, -1) while it is hidden).
    TRect GetWatchRect();
    TPoint GetCenterPoint();
    double GetRadius();
    int GetWatchBorderWidth() const { return FAppearance->GetBorderWidth(); }
    TRect GetAMPMRect();

    void InvalidateWatch() { Invalidate(); }
    // Draws the whole face again (the face cache and the hands) on the control.
    void UpdateCache();
    // Draws the hands of the display time over the face cache, in one copy onto the control.
    void RepaintTime();

    // The drawing steps: g draws on the target, aCanvas (when given) is the target's canvas for
    // the numbers and the AM/PM box.
    void DrawBackground(TGPGraphics* g, TCanvas* aCanvas, const TRect& R);
    void DrawContent(TGPGraphics* g, TCanvas* aCanvas);
    void DrawTickMarks(TGPGraphics* g, TCanvas* aCanvas);
    void DrawNumbers(TGPGraphics* g, TCanvas* aCanvas);
    void DrawAMPM(TGPGraphics* g, TCanvas* aCanvas);
    void DrawNeedles(TGPGraphics* g, TCanvas* aCanvas);

    // The clock timer (100 ms, running in automatic mode) and the hand animation timer (1 ms,
    // running while an animation is under way).
    TTimer* GetWatchTimer() const { return FWatchTimer.get(); }
    TTimer* GetAnimationTimer() const { return FAnimationTimer.get(); }
    bool Animating() const { return FAnimationTimer->GetEnabled(); }

    void Dispatch(TMessage& Message) override;

    static void RegisterProperties(TPropertyTable& Table);

    // A change of hour or minute made on the face is complete.
    TNotifyEvent OnChange;

    // How the AM/PM slide waits between its frames (empty: the platform's Sleep).
    static inline std::function<void(unsigned Milliseconds)> SleepProc;

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void OnAnimationTimerTime(TObject* Sender);
    void OnWatchTimerTime(TObject* Sender);
    void OnSettingsChanged(TObject* Sender);
    void OnAppearanceChanged(TObject* Sender);

private:
    bool Quiet() const;
    void Changed();
    void SlideAMPM(bool ToAM);
    void BuildCache();
    // Copies Frame onto the control: the paint's device context while painting, else the window's.
    void ShowFrame(TBitmap* Frame);
    void FollowDisplayedHalf();
    void ApplyStyle(TWatchStyle Value);
    TCanvas* MeasureCanvas();
    void WMGetDlgCode(TMessage& Message);
    void WMSetCursor(TMessage& Message);

    std::unique_ptr<TWatchAppearance> FAppearance;
    std::unique_ptr<TWatchSettings> FSettings;
    TDateTime FTime = 0;
    std::unique_ptr<TBitmap> FBKGCache;
    TFreePtr<TTimer> FWatchTimer;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    TFreePtr<TTimer> FAnimationTimer;
    Byte FCurrentHourTo = 0;
    Byte FCurrentMinuteTo = 0;
    Byte FMinuteFrom = 0;
    bool FHourAnimating = false;
    bool FInternalCall = false;
    bool FAM = true;
    bool FShowAMPM = true;
    bool FShowNumbers = true;
    bool FInternalSet = false;
    TWatchStyle FStyle = wsClassic;
    bool FReadOnly = false;
    int FResolution = 1;

    bool FCacheValid = false;
    HDC FPaintDC = nullptr;              // the paint's device context while Paint runs
    std::unique_ptr<TBitmap> FFrame;     // the face with its hands, before it is shown
    std::unique_ptr<TBitmap> FMeasure;   // a canvas for measuring text without a window
};

// ---- unit routines ------------------------------------------------------------------------------

// Moves Start toward Stop by Delta (at least Margin); false, with Start set to Stop, once Start is
// within Margin of Stop.
bool AnimateDouble(Byte& Start, Byte& Stop, Byte Delta, Byte Margin);
// The same for a minute hand: toward a Stop of 0 from above 30 it runs forward through 12 o'clock.
bool AnimateMinute(Byte& Start, Byte& Stop, Byte Delta, Byte Margin);

// Draws (RealDraw) text in the layout box r with GDI+ and answers its bounding box; with g or,
// when g is null, on Canvas. A face GDI+ does not know draws in "Arial".
TRect DrawGDIPText(TCanvas* Canvas, TGPGraphics* g, TAlignment Alignment, const TRect& r,
                   const String& Caption, const String& WideCaption, TFont* AFont, bool Enabled,
                   bool RealDraw, TAntiAlias AntiAlias);
// Paths of a rectangle and of a rectangle with quarter-arc corners; R holds x, y, width, height.
// The caller frees them.
TGPGraphicsPath* CreateGDIPRectangle(const TRect& R);
TGPGraphicsPath* CreateRoundRectangle(const TRect& R, int Radius);
void DrawRoundRect(TGPGraphics* graphics, TGPPen* Pen, int X, int Y, int Width, int Height, int Radius);
void FillRoundRect(TGPGraphics* graphics, TGPBrush* Brsh, int X, int Y, int Width, int Height, int Radius);
// A picture in R: stretched and transparent, a PNG unscaled at R's top-left, any other image
// scaled to R with the colour of its top-left pixel left out. Damaged or unknown data draws
// nothing; raises "Could not allocate memory for image" when the copy cannot be made.
void DrawGDIPImage(TGPGraphics* gr, TCanvas* Canvas, const TRect& R, TGraphic* bmp, bool Stretch,
                   bool Transparent);
// Whether P lies in the ellipse inscribed in (x1, y1)-(x2, y2), as the platform's regions say.
bool PtInEllipse(const TPoint& P, int x1, int y1, int x2, int y2);

// ---- the time picker drop-down ---------------------------------------------------------------------

class TQorTimePickerDropDown : public TQorCustomDropDown {
    DECLARE_CLASS(TQorTimePickerDropDown, TQorCustomDropDown)
public:
    // Shows 00:00:00 (the locale's separator) at time 0; the editor off, seconds shown, the clock
    // with AM/PM, numbers and animation (factor 10), no time picker, no header or footer.
    explicit TQorTimePickerDropDown(TComponent* AOwner);
    ~TQorTimePickerDropDown() override;
    // The base's construction steps empty the text: the mask and 00:00:00 are put back after them.
    void AfterConstruction() override;

    // ---- drop-down steps --------------------------------------------------------------------------
    // The masked edit's check on leaving: an unreadable text gives back the previous time.
    void ValidateEdit() override;
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void AfterDropDown() override;
    void DoHideDropDown(bool Cancelled) override;
    void OnHideDropDown(TObject* Sender) override;
    void OnDropDownFormKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void OnDropDownFormKeyUp(TObject* Sender, Word& Key, TShiftState Shift) override;
    void OnDropDownControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void OnDropDownControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift) override;
    void OnDropDownControlKeyPress(TObject* Sender, Char& Key) override;
    // A non-empty text sets the mask first, an empty one removes it; then the base's setter.
    void SetText(const String& Value) override;
    void SetComponentStyle(QorStyleIF::TJOQStyle AStyle) override;

    // ---- the value --------------------------------------------------------------------------------
    TDateTime GetTime() const { return FTime; }
    void SetTime(TDateTime Value);
    // One field of Time, the others kept; an equal or out-of-range value is ignored; a change
    // fires OnTimeChange.
    void SetHour(Byte Value);
    void SetMinute(Byte Value);
    void SetSecond(Byte Value);
    bool GetShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value);
    // The clock face's minute snapping; values above 30 are ignored.
    int GetResolution() const { return FResolution; }
    void SetResolutions(int Value);
    bool GetShowTimePicker() const { return FShowTimePicker; }
    void SetShowTimePicker(bool Value) { FShowTimePicker = Value; }
    TWatchAppearance* GetWatchAppearance() const { return FWatchAppearance.get(); }
    void SetWatchAppearance(TWatchAppearance* Value) { FWatchAppearance->Assign(Value); }
    TWatchSettings* GetWatchSettings() const { return FWatchSettings.get(); }
    void SetWatchSettings(TWatchSettings* Value) { FWatchSettings->Assign(Value); }
    // The mask of the current ShowSeconds.
    void InitEditMask();
    // Two-digit fields joined by the locale's time separator, seconds only with ShowSeconds.
    String GetFormattedTimeString(Word H, Word M, Word S) const;

    TQorWatch* GetWatch() const { return FQorWatch; }
    TDateTimePicker* GetDateTimePicker() const { return FDateTimePicker; }
    TPanel* GetPanel() const { return FPanelCtrl; }
    bool GetInternalCall() const { return FInternalCall; }

    // Copied into the clock face at every opening.
    bool ShowWatchAMPM = true;
    bool ShowWatchNumbers = true;
    bool Animation = true;
    int AnimationFactor = 10;

    TNotifyEvent OnTimeChange;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    // Parses a typed text into Time; an unreadable or out-of-range text leaves Time as it was.
    void Change() override;
    void DoExit() override;

    void OnQorWatchChange(TObject* Sender);
    void OnDateTimePickerChange(TObject* Sender);

private:
    bool PopupOpen() const;
    // Runs the change handling on a text the control wrote itself.
    void ReadWrittenText();
    // The time of the value text, or Fallback when the text is empty or unreadable.
    TDateTime TextTime(TDateTime WhenEmpty, TDateTime Fallback);
    void FireTimeChange();
    // Replaces one field (0 hour, 1 minute, 2 second) of Time.
    void SetField(int Field, Word Value);

    bool FShowTimePicker = false;
    TQorWatch* FQorWatch = nullptr;
    TDateTimePicker* FDateTimePicker = nullptr;
    TPanel* FPanelCtrl = nullptr;
    std::unique_ptr<TWatchAppearance> FWatchAppearance;
    TDateTime FTime = 0;
    std::unique_ptr<TWatchSettings> FWatchSettings;
    bool FInternalCall = false;
    bool FShowSeconds = true;
    int FResolution = 0;
};

// Enumerations and classes of the unit, for reading and writing them by name.
void RegisterQorTimePickerDropDownClasses();
