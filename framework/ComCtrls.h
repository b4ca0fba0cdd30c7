// ComCtrls: controls over the platform's common controls. TPageControl and TTabSheet (a tab
// control whose pages are child controls; a page's tab can be hidden while the page exists),
// TTrackBar, TDateTimePicker and a rich edit over the platform's rich edit window.
#pragma once

#include "Controls.h"
#include "StdCtrls.h"

#include <vector>

class TPageControl;
class TPropertyTable;

DECLARE_EXCEPTION(EPageControlError, Exception)
DECLARE_EXCEPTION(EDateTimeError, Exception)

// Makes sure the common-control window classes this unit uses are registered.
void InitComCtrls();

// Registers the classes of this unit and their published properties. Runs once.
void RegisterComCtrls();

// ---- Page control ------------------------------------------------------------------------------

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

// A page: a container shown while it is its page control's active page.
class TTabSheet : public TWinControl {
    DECLARE_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* GetPageControl() const { return FPageControl; }
    // Moves the page to another page control (null takes it out).
    void SetPageControl(TPageControl* Value);
    // The page's place among all pages of its control (hidden tabs included).
    int GetPageIndex() const;
    void SetPageIndex(int Value);
    // The page's place among the tabs shown, or -1 when its tab is hidden.
    int GetTabIndex() const;
    bool GetTabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool GetHighlighted() const { return FHighlighted; }
    void SetHighlighted(bool Value);
    void SetParent(TWinControl* AParent) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void SetTextValue(const String& Value) override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    bool FHighlighted = false;
    int FImageIndex = -1;
};

class TPageControl : public TWinControl {
    DECLARE_CLASS(TPageControl, TWinControl)
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return int(FPages.size()); }
    TTabSheet* Pages(int Index) const;
    TTabSheet* GetActivePage() const { return FActivePage; }
    // Shows the page (its tab may be hidden); null shows none. Raises for a page of another
    // control. OnChange is not fired: it tells of the user's choice.
    void SetActivePage(TTabSheet* Page);
    int GetActivePageIndex() const;
    void SetActivePageIndex(int Value);
    // The number of tabs shown, and which one is selected (-1 for none).
    int TabCount() const;
    int GetTabIndex() const;
    void SetTabIndex(int Value);
    // The page of a shown tab, or null.
    TTabSheet* TabToPage(int TabIndex) const;
    // The next (or previous) page after CurPage, wrapping; with TabsOnly only pages with shown
    // tabs. Null when there is none.
    TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    void SelectNextPage(bool GoForward, bool CheckTabVisible = true);
    // The rectangle the pages fill, in client coordinates.
    TRect DisplayRect();
    bool GetMultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    TTabPosition GetTabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition Value);
    int GetTabHeight() const { return FTabHeight; }
    void SetTabHeight(int Value);
    int GetTabWidth() const { return FTabWidth; }
    void SetTabWidth(int Value);

    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Loaded() override;
    virtual bool CanChange();
    virtual void Change();
    void CNNotify(TMessage& Message);

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void MovePage(TTabSheet* Page, int NewIndex);
    // The platform tabs again from the pages; the selection follows the active page.
    void UpdateTabs();
    void LayoutPages();
    void ShowActivePage();

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    bool FMultiLine = false;
    TTabPosition FTabPosition = tpTop;
    int FTabHeight = 0, FTabWidth = 0;
    bool FUpdatingTabs = false;
};

// ---- Track bar ---------------------------------------------------------------------------------

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
    DECLARE_CLASS(TTrackBar, TWinControl)
public:
    explicit TTrackBar(TComponent* AOwner);
    int GetMin() const { return FMin; }
    // A Min above Max (or a Max below Min) moves the other limit along.
    void SetMin(int Value) { SetParams(FPosition, Value, Value > FMax ? Value : FMax); }
    int GetMax() const { return FMax; }
    void SetMax(int Value) { SetParams(FPosition, Value < FMin ? Value : FMin, Value); }
    // The position, read from the window when it exists.
    int GetPosition() const;
    // Kept within Min..Max.
    void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
    // Sets the three together; a Max below Min raises EInvalidOperation.
    void SetParams(int APosition, int AMin, int AMax);
    int GetPageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int GetLineSize() const { return FLineSize; }
    void SetLineSize(int Value);
    int GetFrequency() const { return FFrequency; }
    void SetFrequency(int Value);
    TTrackBarOrientation GetOrientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation Value);
    TTickMark GetTickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark Value);
    TTickStyle GetTickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle Value);

    void Dispatch(TMessage& Message) override;
    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void Changed();
    void CNScroll(TMessage& Message);

private:
    void SyncPosition();
    int FMin = 0, FMax = 10, FPosition = 0;
    int FPageSize = 2, FLineSize = 1, FFrequency = 1;
    TTrackBarOrientation FOrientation = trHorizontal;
    TTickMark FTickMarks = tmBottomRight;
    TTickStyle FTickStyle = tsAuto;
};

// ---- Date and time picker ----------------------------------------------------------------------

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };

using TDTParseInputEvent = std::function<void(TObject* Sender, const String& UserString, TDateTime& DateAndTime,
                                              bool& AllowChange)>;

class TCustomDateTimePicker : public TWinControl {
    DECLARE_CLASS(TCustomDateTimePicker, TWinControl)
public:
    explicit TCustomDateTimePicker(TComponent* AOwner);

    TDateTimeKind GetKind() const { return FKind; }
    void SetKind(TDateTimeKind Value);
    TDTDateMode GetDateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode Value);
    TDTDateFormat GetDateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat Value);
    // The whole value; the date part and the time part alone.
    TDateTime GetDateTime() const { return FDateTime; }
    void SetDateTime(TDateTime Value);
    TDateTime GetDate() const;
    void SetDate(TDateTime Value);
    TDateTime GetTime() const;
    void SetTime(TDateTime Value);
    // A custom display format ("dd-MM-yyyy"); "" = the kind's default.
    const String& GetFormat() const { return FFormat; }
    void SetFormat(const String& Value);
    bool GetShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool Value);
    // With a check box: whether a value is chosen.
    bool GetChecked() const;
    void SetChecked(bool Value);
    // 0 = no limit. A value outside the range raises EDateTimeError; a new limit moves the value
    // into the range.
    TDateTime GetMinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    TDateTime GetMaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    bool GetDroppedDown() const { return FDroppedDown; }
    bool GetParseInput() const { return FParseInput; }
    void SetParseInput(bool Value);

    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDTParseInputEvent OnUserInput;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // Puts a value into the window; false when the window refuses it.
    virtual bool MsgSetDateTime(const SYSTEMTIME& Value);
    virtual void Change();
    void CNNotify(TMessage& Message);

private:
    // Clears the window's check box (no value chosen).
    void ClearCheck();
    void ApplyRange();
    void ApplyFormat();
    void CheckRange(TDateTime Value) const;
    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    TDTDateFormat FDateFormat = dfShort;
    TDateTime FDateTime = 0;
    String FFormat;
    bool FShowCheckbox = false;
    bool FChecked = true;
    TDateTime FMinDate = 0, FMaxDate = 0;
    bool FDroppedDown = false;
    bool FParseInput = false;
};

class TDateTimePicker : public TCustomDateTimePicker {
    DECLARE_CLASS(TDateTimePicker, TCustomDateTimePicker)
public:
    explicit TDateTimePicker(TComponent* AOwner) : TCustomDateTimePicker(AOwner) {}
};

// Conversions between TDateTime and the platform's SYSTEMTIME (milliseconds kept).
SYSTEMTIME DateTimeToSystemTimeValue(TDateTime Value);
TDateTime SystemTimeToDateTimeValue(const SYSTEMTIME& Value);

// ---- Rich edit ---------------------------------------------------------------------------------

class TCustomRichEdit;

// The rich edit's lines: reading and writing a stream goes through the window in rich text
// format (or as plain text when PlainText is set).
class TRichEditStrings : public TMemoStrings {
    DECLARE_CLASS(TRichEditStrings, TMemoStrings)
public:
    explicit TRichEditStrings(TCustomRichEdit* AEdit);
    void LoadFromStream(TStream* Stream, TEncoding* AEncoding = nullptr) override;
    void SaveToStream(TStream* Stream, TEncoding* AEncoding = nullptr) const override;

private:
    TCustomRichEdit* FEdit;
};

using TRichEditResizeEvent = std::function<void(TObject* Sender, TRect Rect)>;

class TCustomRichEdit : public TCustomMemo {
    DECLARE_CLASS(TCustomRichEdit, TCustomMemo)
public:
    explicit TCustomRichEdit(TComponent* AOwner);
    bool GetPlainText() const { return FPlainText; }
    void SetPlainText(bool Value) { FPlainText = Value; }
    // Superscript (positive) or subscript (negative) offset of the selection, in points.
    void SetSelOffset(int Points);
    int GetSelOffset();
    // Bold, italic and underline of the selection (TFontStyle set).
    TFontStyles GetSelStyle();
    void SetSelStyle(TFontStyles Value);
    void Clear() override;

    void Dispatch(TMessage& Message) override;
    TNotifyEvent OnSelectionChange;
    TRichEditResizeEvent OnResizeRequest;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CNNotify(TMessage& Message);

private:
    friend class TRichEditStrings;
    bool FPlainText = false;
};

class TRichEdit : public TCustomRichEdit {
    DECLARE_CLASS(TRichEdit, TCustomRichEdit)
public:
    explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};
