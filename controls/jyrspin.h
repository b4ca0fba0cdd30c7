// jyrspin: a text edit with a pair of arrow buttons that steps its value up and down. The value is
// an integer, a floating-point number, a date or a time of day, held only as the edit's text: every
// read converts the text, every write formats the value clamped to the kind's bounds. Which part of
// a date or a time is stepped follows the caret. The button pair and its auto-repeating arrow
// button are here too.
#pragma once

#include "framework/Buttons.h"
#include "framework/ExtCtrls.h"
#include "framework/Mask.h"
#include "JyrControls.h"
#include "JyrFlatLook.h"

class TPropertyTable;

namespace jyrspin {

enum TJyrSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection { spVertical, spHorizontal };
enum TEditAlign { eaLeft, eaRight, eaCenter };
// The arrow an arrow button shows.
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateFlag { tbFocusRect, tbAllowTimer };
using TTimeBtnState = TSet<TTimeBtnStateFlag>;

// Auto-repeat of a held arrow button: the first repeat after this many milliseconds, the next
// ones after the second.
constexpr unsigned RepeatDelay = 400;
constexpr unsigned RepeatInterval = 100;

// ---- Locale routines (the process format settings) --------------------------------------------

Char TimeSeparator();
Char DateSeparator();
Char ThousandSeparator();
Char DecimalSeparator();
String ShortDateFormat();
// The 1-based position in S of the first occurrence of Sub that begins after position N; 0 when
// there is none.
int PosFrom(const String& Sub, const String& S, int N);
// D with its year moved by N, month, day and time kept; a day the target year lacks (29 February)
// becomes the last day of that month.
TDateTime IncYear(TDateTime D, int N);

class TJyrSpinButton;

// ---- TQorTimerSpeedButton ---------------------------------------------------------------------

class TQorTimerSpeedButton : public TSpeedButton {
    DECLARE_CLASS(TQorTimerSpeedButton, TSpeedButton)
public:
    explicit TQorTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

    TTimer* GetRepeatTimer() const { return FRepeatTimer; }
    TTimeBtnState GetTimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState Value) { FTimeBtnState = Value; }
    TButtonDirection GetButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection Value);
    bool GetIsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    bool GetHasMouse() const { return FHasMouse; }

    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // A repeat: later repeats come every RepeatInterval; a pressed button that holds the mouse
    // capture clicks itself.
    void TimerExpired(TObject* Sender);

private:
    // The pair that owns the button: its window for themes, its colours for the flat look.
    TJyrSpinButton* Pair();
    void PaintHighContrast(TCanvas* C, const TRect& R);
    bool PaintThemed(TCanvas* C, const TRect& R);
    void PaintFlat(TCanvas* C, const TRect& R);

    TTimer* FRepeatTimer = nullptr;
    TTimeBtnState FTimeBtnState;
    TButtonDirection FButtonDirection = bdUp;
    bool FIsWinXP = false;
    bool FHasMouse = false;
};

// ---- TJyrSpinButton ---------------------------------------------------------------------------

class TJyrSpinButton : public JyrControls::TButtonHost {
    DECLARE_CLASS(TJyrSpinButton, JyrControls::TButtonHost)
public:
    explicit TJyrSpinButton(TComponent* AOwner);

    void Dispatch(TMessage& Message) override;

    TQorTimerSpeedButton* GetUpButton() const { return FUpButton; }
    TQorTimerSpeedButton* GetDownButton() const { return FDownButton; }
    TQorTimerSpeedButton* GetFocusedButton() const { return FFocusedButton; }
    TSpinDirection GetDirection() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    bool GetIsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    TBitmap* GetUpGlyph() const;
    void SetUpGlyph(TBitmap* Value);
    TBitmap* GetDownGlyph() const;
    void SetDownGlyph(TBitmap* Value);
    TNumGlyphs GetUpNumGlyphs() const;
    void SetUpNumGlyphs(TNumGlyphs Value);
    TNumGlyphs GetDownNumGlyphs() const;
    void SetDownNumGlyphs(TNumGlyphs Value);


    // The up button fires OnUpClick, any other OnDownClick.
    void BtnClick(TObject* Sender);
    // Left button only: the pressed button carries the focus mark, and the focus goes to the
    // focus control (or to the pair itself when it is a tab stop).
    void BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SetFocusBtn(TQorTimerSpeedButton* Btn);

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    // The buttons' places for a size; W is raised to the direction's least width.
    void AdjustSize(int& W, int& H) override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    TQorTimerSpeedButton* CreateButton();
    void LoadDefaultGlyph(TQorTimerSpeedButton* Btn, const wchar_t* ResName);

    TQorTimerSpeedButton* FUpButton = nullptr;
    TQorTimerSpeedButton* FDownButton = nullptr;
    TQorTimerSpeedButton* FFocusedButton = nullptr;
    TSpinDirection FDirection = spVertical;
    bool FIsWinXP = false;
};

// ---- TJyrSpinEdit -----------------------------------------------------------------------------

class TJyrSpinEdit : public JyrControls::TEmbeddedButtonEdit {
    DECLARE_CLASS(TJyrSpinEdit, JyrControls::TEmbeddedButtonEdit)
public:
    explicit TJyrSpinEdit(TComponent* AOwner);
    ~TJyrSpinEdit() override;

    // Steps of the value; a read-only edit refuses them with a beep. Page selects the float page
    // step; the other kinds ignore it.
    virtual void DoInc(bool Page);
    virtual void DoDec(bool Page);
    // The character filter of KeyPress.
    virtual bool IsValidChar(Char Key);
    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);

    void Loaded() override;
    void Dispatch(TMessage& Message) override;

    TJyrSpinButton* GetButton() const { return FButton; }

    // Reads convert the text and never raise; writes format the value clamped to the bounds.
    int GetValue();
    void SetValue(int Value);
    double GetFloatValue();
    void SetFloatValue(double Value);
    TDateTime GetDateValue();
    void SetDateValue(TDateTime Value);
    TDateTime GetTimeValue();
    void SetTimeValue(TDateTime Value);

    TJyrSpinType GetSpinType() const { return FSpinType; }
    void SetSpinType(TJyrSpinType Value);
    int GetMinValue() const { return FMinValue; }
    void SetMinValue(int Value) { FMinValue = Value; }
    int GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value) { FMaxValue = Value; }
    double GetMinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(double Value) { FMinFloatValue = Value; }
    double GetMaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(double Value) { FMaxFloatValue = Value; }
    TDateTime GetMinDateValue() const { return FMinDateValue; }
    void SetMinDateValue(TDateTime Value) { FMinDateValue = Value; }
    TDateTime GetMaxDateValue() const { return FMaxDateValue; }
    void SetMaxDateValue(TDateTime Value) { FMaxDateValue = Value; }
    // Steps. A value a step cannot take (an integer step of 0 or below, a float step that is not a
    // positive number, a time step outside its part) gives the default.
    int GetIncrement() const { return FIncrement; }
    void SetIncrement(int Value);
    double GetIncrementFloat() const { return FIncrementFloat; }
    void SetIncrementFloat(double Value);
    double GetIncrementFloatPage() const { return FIncrementFloatPage; }
    void SetIncrementFloatPage(double Value);
    int GetIncrementHours() const { return FIncrementHours; }
    void SetIncrementHours(int Value);
    int GetIncrementMinutes() const { return FIncrementMinutes; }
    void SetIncrementMinutes(int Value);
    int GetIncrementSeconds() const { return FIncrementSeconds; }
    void SetIncrementSeconds(int Value);
    // Decimals written in float mode, 0 to MaxPrecision (0: the shortest form); others give 0.
    int GetPrecision() const { return FPrecision; }
    void SetPrecision(int Value);
    bool GetShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value) { FShowSeconds = Value; }
    TSpinDirection GetDirection() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    TEditAlign GetEditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign Value);
    bool GetReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    bool GetExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
    bool GetSpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool Value);
    bool GetSpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool Value);
    bool GetAllowEmptyValue() const { return FAllowEmptyValue; }
    void SetAllowEmptyValue(bool Value) { FAllowEmptyValue = Value; }
    bool GetIsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    // Working flag of date steps: the short date form puts the month before the day.
    bool UsDates = false;

    // The least height that shows the font.
    int GetMinHeight();

    static constexpr int MaxPrecision = 15;
    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void SetEditRect();

    int CheckValue(int Value) const;
    double CheckFloatValue(double Value) const;
    TDateTime CheckDateValue(TDateTime Value) const;

private:
    void WMSize(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void StepInteger(int Sign);
    void StepFloat(int Sign, bool Page);
    void StepDate(int Sign);
    void StepTime(int Sign);
    // Writes the text with the caret kept where it was.
    void SetTextKeepCaret(const String& Text);

    TJyrSpinButton* FButton = nullptr;
    TJyrSpinType FSpinType = sptNormal;
    int FMinValue = 0;
    int FMaxValue = 100;
    double FMinFloatValue = 0.0;
    double FMaxFloatValue = 100.0;
    TDateTime FMinDateValue = 0;
    TDateTime FMaxDateValue = 0;
    TDateTime FDateValue = 0;
    TDateTime FTimeValue = 0;
    int FIncrement = 1;
    double FIncrementFloat = 0.1;
    double FIncrementFloatPage = 1.0;
    int FIncrementHours = 1;
    int FIncrementMinutes = 1;
    int FIncrementSeconds = 1;
    int FPrecision = 0;
    bool FShowSeconds = true;
    TSpinDirection FDirection = spVertical;
    TEditAlign FEditAlign = eaLeft;
    bool FReturnIsTab = false;
    bool FExcelStyleDecimalSeparator = false;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
    bool FAllowEmptyValue = false;
    bool FIsWinXP = false;
};

// Registers the spin edit and the button pair (and their identifier tables) for stored
// descriptions. Runs once.
void RegisterSpinEdit();

}  // namespace jyrspin
