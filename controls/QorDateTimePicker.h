// QorDateTimePicker: the date-time picker base with auto-tab (after each digit typed into a field
// the caret moves to the next field, after the last field of a time to the next control), and the
// picker that edits a date, a time or both: for both, a second picker for the time of day stands
// in its right part. It adds a caption label in fifteen places, bounds for the time of day, a null
// date shown in a format of its own, a check box that enables the time part, and auto-tab from the
// date fields into the time part.
#pragma once

#include "JyrDateTimePicker.h"

class TPropertyTable;

namespace QorDateTimePicker {

enum TQorDateTimeKind { dkDate, dkTime, dkDateTime };

// Where the label stands: the thirteen places of the combo box, then top right and bottom right.
enum TLabelPosition {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom, lpTopRight,
    lpBottomRight
};

using JyrDateTimePicker::IsVista;
using JyrControls::GetFileVersion;
using JyrControls::IsComCtl6;
using JyrControls::IsMouseButtonDown;

// The pixel height of "0" in the default font at iFontSize points on a screen of iDPI pixels per inch.
int FontHeightAtDpi(int iDPI, int iFontSize);
// 1.0 at 96 pixels per inch, else the ratio of FontHeightAtDpi at the screen's and at 96.
float CalculateDPIScale(TControl* AControl);
// Text on one line in Font, measured on the control's window device context in a 1000 x 200 box.
TSize GetTextSize(TWinControl* WinCtrl, const String& Text, TFont* Font);
// The number of the registered message "DTPShiftFocus" (registered once per process).
UINT DTPShiftFocus();

// ---- TCustomDateTimePicker --------------------------------------------------------------------

class TCustomDateTimePicker : public JyrDateTimePicker::TFlatDateTimePicker {
public:
    // Registered under a name of its own: the framework's picker holds the plain one.
    using inherited = JyrDateTimePicker::TFlatDateTimePicker;
    static const wchar_t* StaticClassName() { return L"QorDateTimePicker.TCustomDateTimePicker"; }
    String ClassName() const override { return StaticClassName(); }
    bool InheritsFromName(const String& N) const override { return N == StaticClassName() || inherited::InheritsFromName(N); }

    explicit TCustomDateTimePicker(TComponent* AOwner);

    // After a digit: the next field, or (after the last field of a time) the next control.
    virtual void ShiftFocus();
    virtual void SetAutoTab(bool Value);
    virtual void SetAutoTabToNext(bool Value);
    // True: this picker is an inner part and draws no metro frame or button of its own.
    virtual bool IsInnerCtrl() const { return true; }

    bool GetAutoTab() const { return FAutoTab; }
    bool GetAutoTabToNext() const { return FAutoTabToNext; }
    // The form's focus moves to its next control (WM_NEXTDLGCTL 0, 0) when the picker is shown on one.
    void TabToNext();
    // The value the window shows now (the last one written while it has no window).
    TDateTime CurrentValue();

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

    // Hour, minute, second and millisecond before the last digit was typed (time kind only).
    Word h = 0, m = 0, s = 0, ms = 0;
    // This picker is the time part of a date-and-time picker.
    bool IsTimePicker = false;
    // The picker asks for Tab keys (see WM_GETDLGCODE).
    bool GridTabhandling = false;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void KeyPress(Char& Key) override;
    bool IsInnerLook() const override { return IsInnerCtrl(); }

    bool FAutoTab = false;
    bool FAutoTabToNext = true;

private:
    // A button-down of our own puts the caret into the first field; it must not keep the capture.
    bool FOwnClick = false;
};

// ---- TQorDateTimePicker -----------------------------------------------------------------------

class TQorDateTimePicker : public TCustomDateTimePicker {
    DECLARE_CLASS(TQorDateTimePicker, TCustomDateTimePicker)
public:
    explicit TQorDateTimePicker(TComponent* AOwner);
    ~TQorDateTimePicker() override;

    // The check box changed: fires OnCheckClick.
    virtual void DoCheckClicked();
    // The time part changed: fires OnChange.
    virtual void TimePickerChanged();
    // The time part was clicked: fires OnClick.
    virtual void TimePickerClicked();
    virtual void SetDateTimeEx(TDateTime Value);
    // A key typed in the time part; nothing here.
    virtual void TimePickerKeyPress(TObject* Sender, Char& Key) {}

    void ShiftFocus() override;
    void SetAutoTab(bool Value) override;
    void SetAutoTabToNext(bool Value) override;
    bool IsInnerCtrl() const override { return false; }
    void SetBorderStyle(TBorderStyle Value) override;
    void Loaded() override;
    void SetParent(TWinControl* AParent) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void ChangeScale(int M, int D) override;
    void DoExit() override;

    TQorDateTimeKind GetKind() const { return FKind; }
    void SetKind(TQorDateTimeKind Value);
    TDateTime GetDateTimeEx();
    TDateTime GetDateEx();
    void SetDateEx(TDateTime Value);
    TDateTime GetTimeEx();
    // Stores the time of day, also while the date part is 0.
    void SetTimeEx(TDateTime Value);
    String GetFormatEx() const { return GetFormat(); }
    void SetFormatEx(const String& Value);
    const String& GetTimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const String& Value);
    TDateTime GetMinTime() const { return FMinTime; }
    void SetMinTime(TDateTime Value) { FMinTime = Value; }
    TDateTime GetMaxTime() const { return FMaxTime; }
    void SetMaxTime(TDateTime Value) { FMaxTime = Value; }
    TDateTime GetNullDateDate() const { return FNullDateDate; }
    void SetNullDateDate(TDateTime Value);
    const String& GetNullDateFormat() const { return FNullDateFormat; }
    void SetNullDateFormat(const String& Value);
    bool GetTabStopEx() const { return GetTabStop(); }
    void SetTabStopEx(bool Value);

    String GetLabelCaption() const;
    // Creates the label on first use.
    void SetLabelCaption(const String& Value);
    TLabelPosition GetLabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    int GetLabelMargin() const { return FLabelMargin; }
    // Values outside 0..MaxLabelMargin give the default 4.
    void SetLabelMargin(int Value);
    bool GetLabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool GetLabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    bool GetFocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool Value);
    TFont* GetLabelFont() const { return FLabelFont; }
    void SetLabelFont(TFont* Value) { FLabelFont->Assign(Value); }
    TLabel* GetLabel() const { return FLabel; }
    // The time part (date-and-time kind only), or null.
    TCustomDateTimePicker* GetTimePicker() const { return FTimePicker; }

    int GetVersionNr() const override { return 0x01030300; }

    TNotifyEvent OnCheckClick;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;
    TNotifyEvent OnTimeChange;
    // A value without a date part takes today's date.
    bool NullDateIsToday = false;

    static constexpr int MaxLabelMargin = 1000;
    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    bool MsgSetDateTime(const SYSTEMTIME& Value) override;
    void Change() override;
    void KeyPress(Char& Key) override;
    void DoEnter() override;
    void UpdateLabel();
    void UpdateLabelPos();
    void UpdateTimePicker();

private:
    void CreateTimePicker();
    void ApplyKind();
    void SetDateTimeInt(TDateTime Value);
    void CheckAndActivateFormat();
    void OnTimePickerChanged(TObject* Sender);
    void OnTimePickerClicked(TObject* Sender);
    void LabelFontChanged(TObject* Sender);
    void CNNotify(TMessage& Message);
    void UserString(TMessage& Message, const String& Text);
    bool TimeBounded() const { return FMinTime != FMaxTime; }
    void SetTimePickerEnabled(bool Value);

    TQorDateTimeKind FKind = dkDateTime;
    TCustomDateTimePicker* FTimePicker = nullptr;
    TLabel* FLabel = nullptr;
    TFont* FLabelFont = nullptr;
    String FTimeFormat;
    TDateTime FMinTime = 0, FMaxTime = 0;
    TDateTime FNullDateDate = 0;
    String FNullDateFormat;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FLabelAlwaysEnabled = false;
    bool FFocusLabel = false;
    // Year, month and day before the last digit was typed.
    Word y = 0, m = 0, d = 0;
    bool FParentFnt = true;
    bool FIgnoreTimePickerCheck = false;
    bool FFirstRun = true;
    bool FLblUpdate = false;
    int FLblFntHeight = 0;
    String FOriginalFormat;
    bool FInternalChangedFlag = false;
    bool FOldCheck = true;
    bool FInChange = false;
};

// Registers the picker classes, the kinds and the label positions for stored descriptions, and
// the message "DTPShiftFocus". Runs once.
void RegisterQorDateTimePicker();

}  // namespace QorDateTimePicker
