// StdCtrls: the standard controls over the platform's own window classes (EDIT, BUTTON,
// COMBOBOX, LISTBOX, SCROLLBAR), so that keyboard handling, selection and caret are the
// platform's; and the label and group box, which the library paints itself.
//
// Notifications of the platform's controls come back to them as CN_COMMAND (and CN_HSCROLL,
// CN_VSCROLL, CN_DRAWITEM ...) through the parent's reflection, and become the events here.
#pragma once

#include "Controls.h"
#include "Forms.h"

class TStringList;

// ---- Enumerations ------------------------------------------------------------------------------

// Scoped: ssHorizontal is also a member of TShiftStateFlag.
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };

enum class TOwnerDrawStateFlag {
    odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive,
    odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using enum TOwnerDrawStateFlag;
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// True when Text carries Ch as its accelerator ("&File" for F), ignoring case.
bool IsAccel(Word Ch, const String& Text);

namespace StdCtrlsDetail {
// Mouse messages the platform's window must see before the library's mouse events run (the
// edit's caret and selection, the button's pressed state).
bool IsWindowMouseMessage(UINT Msg);
// The lines between line breaks (CR LF, CR or LF); a final break adds no line.
std::vector<String> SplitLines(const String& Text);
// Line breaks made CR LF, as the platform's multi-line edit wants them.
String AdjustLineBreaks(const String& Text);
}  // namespace StdCtrlsDetail

// Registers the standard controls (and the common control properties when nobody registered
// them yet) with the class registry, so that form descriptions can create them. Runs once.
void RegisterStdCtrls();

// ---- TCustomEdit -------------------------------------------------------------------------------

class TCustomEdit : public TWinControl {
    DECLARE_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* AOwner);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetAutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TEditCharCase GetCharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    int GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    bool GetModified();
    void SetModified(bool Value);
    Char GetPasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(Char Value);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);

    // Selection, in characters from the start of the text (a line break counts two).
    int GetSelStart();
    void SetSelStart(int Value);
    int GetSelLength();
    void SetSelLength(int Value);
    String GetSelText();
    void SetSelText(const String& Value);
    void SelectAll();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    bool CanUndo();
    void ClearUndo();
    virtual void Clear();

    String GetText() { return TControl::GetText(); }
    void SetText(const String& Value) { TControl::SetText(Value); }

    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void Change();
    // A window for the calls that need one: made on demand when the control stands on a form.
    bool EnsureHandle();
    void AdjustHeight();
    void CNCommand(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMFontChanged(TMessage& Message);

    TAlignment FAlignment = taLeftJustify;
    bool FAutoSelect = true;
    bool FAutoSize = true;
    TBorderStyle FBorderStyle = bsSingle;
    TEditCharCase FCharCase = ecNormal;
    bool FHideSelection = true;
    int FMaxLength = 0;
    bool FModified = false;
    Char FPasswordChar = 0;
    bool FReadOnly = false;
    bool FCreating = false;
};

class TEdit : public TCustomEdit {
    DECLARE_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    static void RegisterProperties(TPropertyTable& Table);
};

// ---- TCustomMemo -------------------------------------------------------------------------------

class TCustomMemo;

// The memo's line list: one line per displayed row of the window (a word-wrapped line reads as
// several), a final empty row not counted. Without a window, the lines between line breaks.
class TMemoStrings : public TStrings {
    DECLARE_CLASS(TMemoStrings, TStrings)
public:
    explicit TMemoStrings(TCustomMemo* AMemo) : FMemo(AMemo) {}
    // Index = Count (or any index past the end, or below 0) reads "".
    String Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const String& S) override;
    void Insert(int Index, const String& S) override;
    void Delete(int Index) override;
    void Clear() override;
    String GetText() const override;
    void SetText(const String& Value) override;
    void Assign(TPersistent* Source) override;

private:
    bool Windowed() const;
    void ReplaceRange(int Start, int End, const String& S);
    TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
    DECLARE_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* AOwner);

    TStrings* GetLines() const { return FLines.get(); }
    void SetLines(TStrings* Value) { FLines->Assign(Value); }
    TScrollStyle GetScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool GetWantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool GetWantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // The caret's line (display row) and column.
    TPoint GetCaretPos();

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMGetDlgCode(TMessage& Message);

    std::unique_ptr<TStrings> FLines;
    TScrollStyle FScrollBars = TScrollStyle::ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
    bool FWordWrap = true;

    friend class TMemoStrings;
};

class TMemo : public TCustomMemo {
    DECLARE_CLASS(TMemo, TCustomMemo)
public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
    static void RegisterProperties(TPropertyTable& Table);
};

// ---- Buttons -----------------------------------------------------------------------------------

// What the push button, check box and radio button share: the BUTTON window class, clicks from
// its notifications (not from the mouse messages), mouse messages passed to the window.
class TButtonControl : public TWinControl {
    DECLARE_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* AOwner);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    // Clicks made by code (a state set by a property) are not reported while this is set.
    bool FClicksDisabled = false;
    bool FWordWrap = false;
};

class TButton : public TButtonControl {
    DECLARE_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* AOwner);
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    bool GetCancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    TModalResult GetModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    void Click() override;
    void Dispatch(TMessage& Message) override;
    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CNCommand(TMessage& Message);
    void CMDialogKey(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMFocusChangedBtn(TMessage& Message);
    void SetButtonStyle(bool ADefault);

    bool FDefault = false;
    bool FCancel = false;
    // Enter clicks this button: the default button while no other button has the focus, or
    // any button that has it.
    bool FActive = false;
    TModalResult FModalResult = mrNone;
};

class TCustomCheckBox : public TButtonControl {
    DECLARE_CLASS(TCustomCheckBox, TButtonControl)
public:
    explicit TCustomCheckBox(TComponent* AOwner);
    TLeftRight GetAlignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    bool GetAllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    TCheckBoxState GetState() const { return FState; }
    // Stores the state, shows it and reports a click (as a user's click would).
    void SetState(TCheckBoxState Value);
    bool GetChecked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    // The next state: unchecked → checked (→ grayed when allowed) → unchecked.
    virtual void Toggle();
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CNCommand(TMessage& Message);
    void CMDialogChar(TMessage& Message);

    TLeftRight FAlignment = lrRight;
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
    // A key handler already changed the state on this press of Space: its click is not a second
    // toggle.
    bool FSpaceToggled = false;
};

class TCheckBox : public TCustomCheckBox {
    DECLARE_CLASS(TCheckBox, TCustomCheckBox)
public:
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
    static void RegisterProperties(TPropertyTable& Table);
};

class TRadioButton : public TButtonControl {
    DECLARE_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* AOwner);
    TLeftRight GetAlignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    bool GetChecked() const { return FChecked; }
    // Checking one radio button unchecks the others of its parent.
    void SetChecked(bool Value);
    void Dispatch(TMessage& Message) override;
    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CNCommand(TMessage& Message);
    void CMDialogChar(TMessage& Message);

    TLeftRight FAlignment = lrRight;
    bool FChecked = false;
};

// ---- TLabel ------------------------------------------------------------------------------------

class TCustomLabel : public TGraphicControl {
    DECLARE_CLASS(TCustomLabel, TGraphicControl)
public:
    explicit TCustomLabel(TComponent* AOwner);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TWinControl* GetFocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    TTextLayout GetLayout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool GetShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SetTextValue(const String& Value) override;
    // Draws the caption into Rect; DT_CALCRECT in Flags measures it instead.
    virtual void DoDrawText(TRect& Rect, UINT Flags);
    virtual void AdjustBounds();
    UINT TextFlags() const;
    String DrawableText() const;

    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TWinControl* FFocusControl = nullptr;
    TTextLayout FLayout = tlTop;
    bool FShowAccelChar = true;
    bool FTransparent = false;
    bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
    DECLARE_CLASS(TLabel, TCustomLabel)
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
    static void RegisterProperties(TPropertyTable& Table);
};

// ---- TGroupBox ---------------------------------------------------------------------------------

class TCustomGroupBox : public TCustomControl {
    DECLARE_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    void Dispatch(TMessage& Message) override;

protected:
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void SetTextValue(const String& Value) override;
    int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
    DECLARE_CLASS(TGroupBox, TCustomGroupBox)
public:
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
    static void RegisterProperties(TPropertyTable& Table);
};

// ---- Item lists of combo and list boxes --------------------------------------------------------

// The items of a list or combo box: the window's own list while it exists, else a list kept
// for the window to come. Objects travel as the items' data.
class TWinItemStrings : public TStrings {
    DECLARE_CLASS(TWinItemStrings, TStrings)
public:
    struct TMsgs {
        UINT GetCount, GetTextLen, GetText, AddString, InsertString, DeleteString, ResetContent,
            GetItemData, SetItemData, FindExact;
    };
    static const TMsgs ListBoxMsgs;
    static const TMsgs ComboBoxMsgs;

    TWinItemStrings(TWinControl* AControl, const TMsgs& AMsgs);
    String Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const String& S) override;
    TObject* GetObjects(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    int Add(const String& S) override;
    void Insert(int Index, const String& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int IndexOf(const String& S) const override;

    // Moves the kept items into the new window, and back before the window goes.
    void WindowCreated();
    void WindowDestroying();
    // Sorted lists add in order without a window too.
    void SetSorted(bool Value);

protected:
    // Between BeginUpdate and EndUpdate the window neither repaints nor recounts its scroll bar
    // for each item.
    void SetUpdateState(bool Updating) override;

private:
    bool Windowed() const { return FControl->HandleAllocated(); }
    LRESULT Send(UINT Msg, WPARAM W = 0, LPARAM L = 0) const;
    void CheckIndex(int Index) const;
    TWinControl* FControl;
    TMsgs FMsgs;
    std::unique_ptr<TStringList> FSaved;
    bool FSorted = false;
    bool FRedrawOff = false;
};

// ---- TCustomComboBox ---------------------------------------------------------------------------

class TCustomComboBox : public TWinControl {
    DECLARE_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* GetItems() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    TComboBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    int GetItemIndex();
    void SetItemIndex(int Value);
    int GetDropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    bool GetDroppedDown();
    void SetDroppedDown(bool Value);
    int GetItemHeight();
    void SetItemHeight(int Value);
    bool GetAutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value) { FAutoComplete = Value; }
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    TEditCharCase GetCharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    int GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    // Selection of the edit part.
    int GetSelStart();
    void SetSelStart(int Value);
    int GetSelLength();
    void SetSelLength(int Value);
    String GetSelText();
    void SelectAll();
    // The window of the edit part (none for a drop-down list) and of the list.
    HWND GetEditHandle() const { return FEditHandle; }
    HWND GetListHandle() const { return FListHandle; }
    void Clear();
    void AddItem(const String& Item, TObject* AObject) { FItems->AddObject(Item, AObject); }

    String GetText() { return TControl::GetText(); }
    void SetText(const String& Value) { TControl::SetText(Value); }

    bool Focused() override;
    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void KeyPress(Char& Key) override;
    void SetTextValue(const String& Value) override;
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    void AdjustDropDown();
    void CNCommand(TMessage& Message);
    void CNDrawItem(TMessage& Message);
    void CNMeasureItem(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    // Messages of the edit part: keys reach KeyDown, KeyPress and KeyUp first.
    void EditWndProc(HWND Wnd, TMessage& Message);
    static LRESULT CALLBACK EditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

    std::unique_ptr<TWinItemStrings> FItems;
    TComboBoxStyle FStyle = csDropDown;
    int FItemIndex = -1;
    int FDropDownCount = 8;
    int FItemHeight = 16;
    bool FAutoComplete = true;
    bool FSorted = false;
    TEditCharCase FCharCase = ecNormal;
    int FMaxLength = 0;
    HWND FEditHandle = nullptr;
    HWND FListHandle = nullptr;
    WNDPROC FDefEditProc = nullptr;
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TComboBox : public TCustomComboBox {
    DECLARE_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
    static void RegisterProperties(TPropertyTable& Table);
};

// ---- TCustomListBox ----------------------------------------------------------------------------

class TCustomListBox : public TWinControl {
    DECLARE_CLASS(TCustomListBox, TWinControl)
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* GetItems() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    int Count() const { return FItems->Count(); }
    int GetItemIndex();
    void SetItemIndex(int Value);
    int GetItemHeight();
    void SetItemHeight(int Value);
    TListBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    bool GetMultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool GetExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool Value);
    bool GetSelected(int Index);
    void SetSelected(int Index, bool Value);
    int GetSelCount();
    int GetTopIndex();
    void SetTopIndex(int Value);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TCanvas* GetCanvas() const { return FCanvas.get(); }
    // The item at a client point; -1 when none (or, with Existing false, the nearest item).
    int ItemAtPos(const TPoint& Pos, bool Existing);
    TRect ItemRect(int Index);
    void Clear() { FItems->Clear(); }
    void AddItem(const String& Item, TObject* AObject) { FItems->AddObject(Item, AObject); }

    void Dispatch(TMessage& Message) override;

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    void CNCommand(TMessage& Message);
    void CNDrawItem(TMessage& Message);
    void CNMeasureItem(TMessage& Message);

    std::unique_ptr<TWinItemStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    int FItemIndex = -1;
    int FItemHeight = 16;
    TListBoxStyle FStyle = lbStandard;
    bool FSorted = false;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    TBorderStyle FBorderStyle = bsSingle;
};

class TListBox : public TCustomListBox {
    DECLARE_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
    static void RegisterProperties(TPropertyTable& Table);
};

// ---- TScrollBar --------------------------------------------------------------------------------

class TScrollBar : public TWinControl {
    DECLARE_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* AOwner);
    TScrollBarKind GetKind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int GetMin() const { return FMin; }
    void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
    int GetMax() const { return FMax; }
    void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
    int GetPageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int GetSmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value) { FSmallChange = Value; }
    int GetLargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value) { FLargeChange = Value; }
    // Sets position and range at once; a range with Min > Max raises EInvalidOperation.
    void SetParams(int APosition, int AMin, int AMax);
    void Dispatch(TMessage& Message) override;
    static void RegisterProperties(TPropertyTable& Table);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);
    void DoScroll(TMessage& Message);
    void UpdateScrollInfo();

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
};
