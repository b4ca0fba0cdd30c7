// ComCtrls: the page control and its pages.
#include "ComCtrls.h"

#include "Forms.h"
#include "TypInfo.h"

#include <commctrl.h>

#include <cmath>

namespace ComCtrlsDetail {

// Mouse messages the platform's own control must see (its clicks and tracking are its own).
bool IsWindowMouseMessage(UINT Msg)
{
    switch (Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        return true;
    default:
        return false;
    }
}

}  // namespace ComCtrlsDetail

void InitComCtrls()
{
    static bool Done = false;
    if (Done) return;
    INITCOMMONCONTROLSEX Icc{sizeof(INITCOMMONCONTROLSEX),
                             ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&Icc);
    Done = true;
}

// ---- TTabSheet ---------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = FControlStyle + TControlStyle{csAcceptsControls};
    FVisible = false;
}

TTabSheet::~TTabSheet()
{
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetParent(TWinControl* AParent)
{
    TPageControl* NewControl = dyn<TPageControl>(AParent);
    if (FPageControl && FPageControl != NewControl) FPageControl->RemovePage(this);
    inherited::SetParent(AParent);
    if (NewControl && FPageControl != NewControl) NewControl->InsertPage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value)
{
    SetParent(Value);
}

int TTabSheet::GetPageIndex() const
{
    if (!FPageControl) return -1;
    const auto& P = FPageControl->FPages;
    for (size_t I = 0; I < P.size(); ++I)
        if (P[I] == this) return int(I);
    return -1;
}

void TTabSheet::SetPageIndex(int Value)
{
    if (FPageControl) FPageControl->MovePage(this, Value);
}

int TTabSheet::GetTabIndex() const
{
    if (!FPageControl || !FTabVisible) return -1;
    int Tab = 0;
    for (TTabSheet* P : FPageControl->FPages) {
        if (P == this) return Tab;
        if (P->FTabVisible) ++Tab;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool Value)
{
    if (FTabVisible == Value) return;
    FTabVisible = Value;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetHighlighted(bool Value)
{
    if (FHighlighted == Value) return;
    FHighlighted = Value;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetTextValue(const String& Value)
{
    inherited::SetTextValue(Value);
    if (FPageControl) FPageControl->UpdateTabs();
}

// ---- TPageControl ------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csDoubleClicks, csAcceptsControls};
    FTabStop = true;
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl()
{
    for (TTabSheet* P : FPages) P->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int Index) const
{
    if (Index < 0 || size_t(Index) >= FPages.size())
        throw EPageControlError(L"Page index out of range (" + std::to_wstring(Index) + L")");
    return FPages[size_t(Index)];
}

void TPageControl::CreateParams(TCreateParams& Params)
{
    InitComCtrls();
    inherited::CreateParams(Params);
    CreateSubClass(Params, WC_TABCONTROLW);
    Params.Style |= WS_CLIPCHILDREN | TCS_TABS | TCS_FOCUSONBUTTONDOWN;
    if (FMultiLine) Params.Style |= TCS_MULTILINE;
    switch (FTabPosition) {
    case tpBottom: Params.Style |= TCS_BOTTOM; break;
    case tpLeft: Params.Style |= TCS_VERTICAL | TCS_MULTILINE; break;
    case tpRight: Params.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
    default: break;
    }
    if (FTabWidth > 0) Params.Style |= TCS_FIXEDWIDTH;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TPageControl::CreateWnd()
{
    inherited::CreateWnd();
    UpdateTabs();
}

void TPageControl::Loaded()
{
    inherited::Loaded();
    UpdateTabs();
    ShowActivePage();
}

int TPageControl::TabCount() const
{
    int N = 0;
    for (TTabSheet* P : FPages)
        if (P->FTabVisible) ++N;
    return N;
}

TTabSheet* TPageControl::TabToPage(int TabIndex) const
{
    if (TabIndex < 0) return nullptr;
    for (TTabSheet* P : FPages)
        if (P->FTabVisible && TabIndex-- == 0) return P;
    return nullptr;
}

int TPageControl::GetTabIndex() const
{
    return FActivePage ? FActivePage->GetTabIndex() : -1;
}

void TPageControl::SetTabIndex(int Value)
{
    if (TTabSheet* P = TabToPage(Value)) SetActivePage(P);
}

int TPageControl::GetActivePageIndex() const
{
    return FActivePage ? FActivePage->GetPageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int Value)
{
    SetActivePage(Value >= 0 && size_t(Value) < FPages.size() ? FPages[size_t(Value)] : nullptr);
}

void TPageControl::InsertPage(TTabSheet* Page)
{
    FPages.push_back(Page);
    Page->FPageControl = this;
    if (!FActivePage) FActivePage = Page;
    UpdateTabs();
    ShowActivePage();
}

void TPageControl::RemovePage(TTabSheet* Page)
{
    auto It = std::find(FPages.begin(), FPages.end(), Page);
    if (It == FPages.end()) return;
    TTabSheet* Next = nullptr;
    if (FActivePage == Page) {
        Next = FindNextPage(Page, true, false);
        if (Next == Page) Next = nullptr;
    }
    FPages.erase(std::find(FPages.begin(), FPages.end(), Page));
    Page->FPageControl = nullptr;
    if (FActivePage == Page) FActivePage = nullptr;
    if (IsDestroying()) return;
    if (Next) FActivePage = Next;
    UpdateTabs();
    ShowActivePage();
}

void TPageControl::MovePage(TTabSheet* Page, int NewIndex)
{
    auto It = std::find(FPages.begin(), FPages.end(), Page);
    if (It == FPages.end()) return;
    FPages.erase(It);
    if (NewIndex < 0) NewIndex = 0;
    if (size_t(NewIndex) > FPages.size()) NewIndex = int(FPages.size());
    FPages.insert(FPages.begin() + NewIndex, Page);
    UpdateTabs();
}

void TPageControl::SetActivePage(TTabSheet* Page)
{
    if (Page && Page->FPageControl != this)
        throw EPageControlError(L"The page '" + Page->GetName() + L"' belongs to another page control");
    FActivePage = Page;
    if (HandleAllocated()) SendMessageW(FHandle, TCM_SETCURSEL, WPARAM(GetTabIndex()), 0);
    ShowActivePage();
}

void TPageControl::ShowActivePage()
{
    if (IsDestroying()) return;
    if (FActivePage) {
        LayoutPages();
        FActivePage->SetVisible(true);
        FActivePage->BringToFront();
    }
    // A page losing the focus hands it to the page control.
    HWND Focus = GetFocus();
    for (TTabSheet* P : FPages) {
        if (P == FActivePage || !P->FVisible) continue;
        bool HadFocus = P->HandleAllocated() && Focus && (Focus == P->FHandle || IsChild(P->FHandle, Focus));
        P->SetVisible(false);
        if (HadFocus && HandleAllocated() && IsWindowVisible(FHandle)) ::SetFocus(FHandle);
    }
}

void TPageControl::UpdateTabs()
{
    if (!HandleAllocated() || FUpdatingTabs) return;
    FUpdatingTabs = true;
    SendMessageW(FHandle, TCM_DELETEALLITEMS, 0, 0);
    int Tab = 0;
    for (TTabSheet* P : FPages) {
        if (!P->FTabVisible) continue;
        String Caption = P->GetText();
        TCITEMW Item{};
        Item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
        Item.pszText = Caption.data();
        Item.iImage = P->FImageIndex;
        Item.lParam = reinterpret_cast<LPARAM>(P);
        SendMessageW(FHandle, TCM_INSERTITEMW, WPARAM(Tab), reinterpret_cast<LPARAM>(&Item));
        if (P->FHighlighted) SendMessageW(FHandle, TCM_HIGHLIGHTITEM, WPARAM(Tab), MAKELPARAM(TRUE, 0));
        ++Tab;
    }
    if (FTabHeight > 0 || FTabWidth > 0)
        SendMessageW(FHandle, TCM_SETITEMSIZE, 0, MAKELPARAM(FTabWidth, FTabHeight));
    SendMessageW(FHandle, TCM_SETCURSEL, WPARAM(GetTabIndex()), 0);
    FUpdatingTabs = false;
    LayoutPages();
    InvalidateRect(FHandle, nullptr, TRUE);
}

TRect TPageControl::DisplayRect()
{
    TRect Client = GetClientRect();
    if (!HandleAllocated()) {
        int Top = TabCount() > 0 ? 24 : 4;
        return {4, Top, std::max(4, Client.Right - 4), std::max(Top, Client.Bottom - 4)};
    }
    if (TabCount() == 0) return {4, 4, std::max(4, Client.Right - 4), std::max(4, Client.Bottom - 4)};
    RECT R{Client.Left, Client.Top, Client.Right, Client.Bottom};
    SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&R));
    if (R.right < R.left) R.right = R.left;
    if (R.bottom < R.top) R.bottom = R.top;
    return {R.left, R.top, R.right, R.bottom};
}

void TPageControl::LayoutPages()
{
    if (FPages.empty() || IsDestroying()) return;
    TRect R = DisplayRect();
    for (TTabSheet* P : FPages) P->SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

void TPageControl::AlignControls(TControl* AControl, TRect& Rect)
{
    inherited::AlignControls(AControl, Rect);
    LayoutPages();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const
{
    if (FPages.empty()) return nullptr;
    int N = int(FPages.size());
    int Start = -1;
    for (int I = 0; I < N; ++I)
        if (FPages[size_t(I)] == CurPage) Start = I;
    if (Start < 0) Start = GoForward ? N - 1 : 0;
    int I = Start;
    for (int Step = 0; Step < N; ++Step) {
        I = GoForward ? (I + 1) % N : (I + N - 1) % N;
        TTabSheet* P = FPages[size_t(I)];
        if (!CheckTabVisible || P->FTabVisible) return P;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible)
{
    TTabSheet* P = FindNextPage(FActivePage, GoForward, CheckTabVisible);
    if (P && P != FActivePage && CanChange()) {
        SetActivePage(P);
        Change();
    }
}

bool TPageControl::CanChange()
{
    bool Allow = true;
    if (OnChanging) OnChanging(this, Allow);
    return Allow;
}

void TPageControl::Change()
{
    if (OnChange) OnChange(this);
}

void TPageControl::SetMultiLine(bool Value)
{
    if (FMultiLine == Value) return;
    FMultiLine = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TPageControl::SetTabPosition(TTabPosition Value)
{
    if (FTabPosition == Value) return;
    FTabPosition = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TPageControl::SetTabHeight(int Value)
{
    if (FTabHeight == Value || Value < 0) return;
    FTabHeight = Value;
    UpdateTabs();
}

void TPageControl::SetTabWidth(int Value)
{
    if (FTabWidth == Value || Value < 0) return;
    FTabWidth = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TPageControl::CNNotify(TMessage& Message)
{
    auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (Hdr->code) {
    case TCN_SELCHANGING:
        Message.Result = CanChange() ? FALSE : TRUE;
        return;
    case TCN_SELCHANGE: {
        int Sel = int(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
        if (TTabSheet* P = TabToPage(Sel); P && P != FActivePage) {
            FActivePage = P;
            ShowActivePage();
            Change();
        }
        return;
    }
    default: break;
    }
    inherited::Dispatch(Message);
}

void TPageControl::Dispatch(TMessage& Message)
{
    if (ComCtrlsDetail::IsWindowMouseMessage(Message.Msg) && HandleAllocated()) DefaultHandler(Message);
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    case CM_DIALOGKEY:
        if (Message.WParam == VK_TAB && (GetKeyState(VK_CONTROL) < 0) && FActivePage &&
            (Focused() || (FActivePage->HandleAllocated() && IsChild(FActivePage->GetHandle(), GetFocus())))) {
            SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
            Message.Result = 1;
            return;
        }
        inherited::Dispatch(Message);
        break;
    default: inherited::Dispatch(Message);
    }
}

// ---- TTrackBar ---------------------------------------------------------------------------------

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csDoubleClicks};
    FTabStop = true;
    SetBounds(0, 0, 150, 45);
}

void TTrackBar::CreateParams(TCreateParams& Params)
{
    InitComCtrls();
    inherited::CreateParams(Params);
    CreateSubClass(Params, TRACKBAR_CLASSW);
    Params.Style |= FOrientation == trVertical ? TBS_VERT : TBS_HORZ;
    switch (FTickMarks) {
    case tmTopLeft: Params.Style |= FOrientation == trVertical ? TBS_LEFT : TBS_TOP; break;
    case tmBoth: Params.Style |= TBS_BOTH; break;
    default: Params.Style |= FOrientation == trVertical ? TBS_RIGHT : TBS_BOTTOM; break;
    }
    if (FTickStyle == tsNone) Params.Style |= TBS_NOTICKS;
    else if (FTickStyle == tsAuto) Params.Style |= TBS_AUTOTICKS;
}

void TTrackBar::CreateWnd()
{
    inherited::CreateWnd();
    SendMessageW(FHandle, TBM_SETRANGEMIN, FALSE, FMin);
    SendMessageW(FHandle, TBM_SETRANGEMAX, FALSE, FMax);
    SendMessageW(FHandle, TBM_SETPOS, TRUE, FPosition);
    SendMessageW(FHandle, TBM_SETPAGESIZE, 0, FPageSize);
    SendMessageW(FHandle, TBM_SETLINESIZE, 0, FLineSize);
    SendMessageW(FHandle, TBM_SETTICFREQ, WPARAM(FFrequency), 0);
}

int TTrackBar::GetPosition() const
{
    if (FHandle) return int(SendMessageW(FHandle, TBM_GETPOS, 0, 0));
    return FPosition;
}

void TTrackBar::SetParams(int APosition, int AMin, int AMax)
{
    if (AMax < AMin)
        throw EInvalidOperation(L"Track bar range " + std::to_wstring(AMin) + L".." + std::to_wstring(AMax) +
                                L" is empty");
    if (APosition < AMin) APosition = AMin;
    if (APosition > AMax) APosition = AMax;
    bool Moved = APosition != FPosition;
    FMin = AMin;
    FMax = AMax;
    FPosition = APosition;
    if (FHandle) {
        SendMessageW(FHandle, TBM_SETRANGEMIN, FALSE, FMin);
        SendMessageW(FHandle, TBM_SETRANGEMAX, TRUE, FMax);
        SendMessageW(FHandle, TBM_SETPOS, TRUE, FPosition);
    }
    if (Moved) Changed();
}

void TTrackBar::SetPageSize(int Value)
{
    FPageSize = Value;
    if (FHandle) SendMessageW(FHandle, TBM_SETPAGESIZE, 0, Value);
}

void TTrackBar::SetLineSize(int Value)
{
    FLineSize = Value;
    if (FHandle) SendMessageW(FHandle, TBM_SETLINESIZE, 0, Value);
}

void TTrackBar::SetFrequency(int Value)
{
    FFrequency = Value;
    if (FHandle) SendMessageW(FHandle, TBM_SETTICFREQ, WPARAM(Value), 0);
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value)
{
    if (FOrientation == Value) return;
    FOrientation = Value;
    if (!(GetComponentState().Contains(csLoading))) SetBounds(FLeft, FTop, FHeight, FWidth);
    if (FHandle) RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark Value)
{
    if (FTickMarks == Value) return;
    FTickMarks = Value;
    if (FHandle) RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle Value)
{
    if (FTickStyle == Value) return;
    FTickStyle = Value;
    if (FHandle) RecreateWnd();
}

void TTrackBar::SyncPosition()
{
    if (!FHandle) return;
    int P = int(SendMessageW(FHandle, TBM_GETPOS, 0, 0));
    if (P != FPosition) {
        FPosition = P;
        Changed();
    }
}

void TTrackBar::Changed()
{
    if (OnChange) OnChange(this);
}

void TTrackBar::CNScroll(TMessage& Message)
{
    SyncPosition();
    Message.Result = 0;
}

void TTrackBar::Dispatch(TMessage& Message)
{
    if (ComCtrlsDetail::IsWindowMouseMessage(Message.Msg) && HandleAllocated()) DefaultHandler(Message);
    switch (Message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(Message); break;
    default: inherited::Dispatch(Message);
    }
}

// ---- TCustomDateTimePicker ---------------------------------------------------------------------

SYSTEMTIME DateTimeToSystemTimeValue(TDateTime Value)
{
    SYSTEMTIME S{};
    Word Y, Mo, D, H, Mi, Se, Ms;
    DecodeDateTime(Value, Y, Mo, D, H, Mi, Se, Ms);
    S.wYear = Y;
    S.wMonth = Mo;
    S.wDay = D;
    S.wHour = H;
    S.wMinute = Mi;
    S.wSecond = Se;
    S.wMilliseconds = Ms;
    Word Dow = 0;
    DecodeDateFully(Value, Y, Mo, D, Dow);
    S.wDayOfWeek = Word(Dow - 1);
    return S;
}

TDateTime SystemTimeToDateTimeValue(const SYSTEMTIME& Value)
{
    TDateTime D = EncodeDate(Value.wYear, Value.wMonth, Value.wDay);
    TDateTime T = EncodeTime(Value.wHour, Value.wMinute, Value.wSecond, Value.wMilliseconds);
    return D >= 0 ? D + T : D - T;
}

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csDoubleClicks, csFixedHeight};
    FTabStop = true;
    FDateTime = Now();
    SetBounds(0, 0, 186, 21);
}

void TCustomDateTimePicker::CreateParams(TCreateParams& Params)
{
    InitComCtrls();
    inherited::CreateParams(Params);
    CreateSubClass(Params, DATETIMEPICK_CLASSW);
    if (FKind == dtkTime) Params.Style |= DTS_TIMEFORMAT;
    else Params.Style |= FDateFormat == dfLong ? DTS_LONGDATEFORMAT : DTS_SHORTDATEFORMAT;
    if (FDateMode == dmUpDown || FKind == dtkTime) Params.Style |= DTS_UPDOWN;
    if (FShowCheckbox) Params.Style |= DTS_SHOWNONE;
    if (FParseInput) Params.Style |= DTS_APPCANPARSE;
}

void TCustomDateTimePicker::CreateWnd()
{
    inherited::CreateWnd();
    ApplyRange();
    ApplyFormat();
    MsgSetDateTime(DateTimeToSystemTimeValue(FDateTime));
    if (FShowCheckbox && !FChecked) ClearCheck();
}

bool TCustomDateTimePicker::MsgSetDateTime(const SYSTEMTIME& Value)
{
    if (!FHandle) return true;
    return SendMessageW(FHandle, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&Value)) != 0;
}

void TCustomDateTimePicker::CheckRange(TDateTime Value) const
{
    if (FMinDate != 0 && Value < std::floor(double(FMinDate)))
        throw EDateTimeError(L"Date is below the minimum of " + DateToStr(FMinDate));
    if (FMaxDate != 0 && Value >= std::floor(double(FMaxDate)) + 1)
        throw EDateTimeError(L"Date exceeds the maximum of " + DateToStr(FMaxDate));
}

void TCustomDateTimePicker::SetDateTime(TDateTime Value)
{
    CheckRange(Value);
    FDateTime = Value;
    if (FHandle && (!FShowCheckbox || FChecked)) MsgSetDateTime(DateTimeToSystemTimeValue(Value));
}

TDateTime TCustomDateTimePicker::GetDate() const
{
    return TDateTime(std::trunc(double(FDateTime)));
}

TDateTime TCustomDateTimePicker::GetTime() const
{
    double F = double(FDateTime) - std::trunc(double(FDateTime));
    return TDateTime(F < 0 ? -F : F);
}

void TCustomDateTimePicker::SetDate(TDateTime Value)
{
    double T = double(GetTime());
    double D = std::trunc(double(Value));
    SetDateTime(TDateTime(D >= 0 ? D + T : D - T));
}

void TCustomDateTimePicker::SetTime(TDateTime Value)
{
    double D = double(GetDate());
    double T = double(Value) - std::trunc(double(Value));
    if (T < 0) T = -T;
    SetDateTime(TDateTime(D >= 0 ? D + T : D - T));
}

void TCustomDateTimePicker::SetKind(TDateTimeKind Value)
{
    if (FKind == Value) return;
    FKind = Value;
    if (FHandle) RecreateWnd();
}

void TCustomDateTimePicker::SetDateMode(TDTDateMode Value)
{
    if (FDateMode == Value) return;
    FDateMode = Value;
    if (FHandle) RecreateWnd();
}

void TCustomDateTimePicker::SetDateFormat(TDTDateFormat Value)
{
    if (FDateFormat == Value) return;
    FDateFormat = Value;
    if (FHandle) RecreateWnd();
}

void TCustomDateTimePicker::SetFormat(const String& Value)
{
    FFormat = Value;
    ApplyFormat();
}

void TCustomDateTimePicker::ApplyFormat()
{
    if (!FHandle) return;
    SendMessageW(FHandle, DTM_SETFORMATW, 0, FFormat.empty() ? 0 : reinterpret_cast<LPARAM>(FFormat.c_str()));
}

void TCustomDateTimePicker::SetShowCheckbox(bool Value)
{
    if (FShowCheckbox == Value) return;
    FShowCheckbox = Value;
    if (FHandle) RecreateWnd();
}

void TCustomDateTimePicker::SetParseInput(bool Value)
{
    if (FParseInput == Value) return;
    FParseInput = Value;
    if (FHandle) RecreateWnd();
}

bool TCustomDateTimePicker::GetChecked() const
{
    // Kept in step by SetChecked and the window's change notifications (the user's click on the
    // check box); the window's own answer is not relied on.
    return FChecked;
}

void TCustomDateTimePicker::SetChecked(bool Value)
{
    FChecked = Value;
    if (!FHandle || !FShowCheckbox) return;
    if (Value) MsgSetDateTime(DateTimeToSystemTimeValue(FDateTime));
    else ClearCheck();
}

void TCustomDateTimePicker::ClearCheck()
{
    // Some common-controls versions refuse GDT_NONE without a time to ignore.
    SYSTEMTIME Ignored = DateTimeToSystemTimeValue(FDateTime);
    SendMessageW(FHandle, DTM_SETSYSTEMTIME, GDT_NONE, reinterpret_cast<LPARAM>(&Ignored));
}

void TCustomDateTimePicker::SetMinDate(TDateTime Value)
{
    if (Value != 0 && FMaxDate != 0 && Value > FMaxDate)
        throw EDateTimeError(L"The minimum date lies after the maximum date");
    FMinDate = Value;
    ApplyRange();
    if (FMinDate != 0 && FDateTime < std::floor(double(FMinDate))) SetDateTime(FMinDate);
}

void TCustomDateTimePicker::SetMaxDate(TDateTime Value)
{
    if (Value != 0 && FMinDate != 0 && Value < FMinDate)
        throw EDateTimeError(L"The maximum date lies before the minimum date");
    FMaxDate = Value;
    ApplyRange();
    if (FMaxDate != 0 && FDateTime >= std::floor(double(FMaxDate)) + 1) SetDateTime(FMaxDate);
}

void TCustomDateTimePicker::ApplyRange()
{
    if (!FHandle) return;
    SYSTEMTIME R[2] = {};
    WPARAM Flags = 0;
    if (FMinDate != 0) {
        R[0] = DateTimeToSystemTimeValue(TDateTime(std::floor(double(FMinDate))));
        Flags |= GDTR_MIN;
    }
    if (FMaxDate != 0) {
        R[1] = DateTimeToSystemTimeValue(TDateTime(std::floor(double(FMaxDate)) + 1 - 1.0 / 86400000.0));
        Flags |= GDTR_MAX;
    }
    SendMessageW(FHandle, DTM_SETRANGE, Flags, reinterpret_cast<LPARAM>(R));
}

void TCustomDateTimePicker::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomDateTimePicker::CNNotify(TMessage& Message)
{
    auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (Hdr->code) {
    case DTN_DATETIMECHANGE: {
        auto* N = reinterpret_cast<NMDATETIMECHANGE*>(Message.LParam);
        if (N->dwFlags == GDT_VALID) {
            FDateTime = SystemTimeToDateTimeValue(N->st);
            FChecked = true;
        } else {
            FChecked = false;
        }
        Change();
        Message.Result = 0;
        return;
    }
    case DTN_DROPDOWN:
        FDroppedDown = true;
        if (OnDropDown) OnDropDown(this);
        return;
    case DTN_CLOSEUP:
        FDroppedDown = false;
        if (OnCloseUp) OnCloseUp(this);
        return;
    case DTN_USERSTRINGW: {
        auto* N = reinterpret_cast<NMDATETIMESTRINGW*>(Message.LParam);
        TDateTime Value = FDateTime;
        bool Allow = false;
        if (OnUserInput) OnUserInput(this, N->pszUserString ? N->pszUserString : L"", Value, Allow);
        if (Allow) {
            try {
                CheckRange(Value);
            } catch (const EDateTimeError&) {
                Allow = false;
            }
        }
        N->st = DateTimeToSystemTimeValue(Allow ? Value : FDateTime);
        N->dwFlags = GDT_VALID;
        return;
    }
    default: break;
    }
    inherited::Dispatch(Message);
}

void TCustomDateTimePicker::Dispatch(TMessage& Message)
{
    if (ComCtrlsDetail::IsWindowMouseMessage(Message.Msg) && HandleAllocated()) DefaultHandler(Message);
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    default: inherited::Dispatch(Message);
    }
}

// ---- Registration ------------------------------------------------------------------------------

void TTabSheet::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"TabVisible", &TTabSheet::GetTabVisible, &TTabSheet::SetTabVisible, true);
    Table.Add(L"ImageIndex", &TTabSheet::GetImageIndex, &TTabSheet::SetImageIndex, -1);
    Table.Add(L"Highlighted", &TTabSheet::GetHighlighted, &TTabSheet::SetHighlighted, false);
    Table.AddEvent(L"OnShow", &TTabSheet::OnShow);
    Table.AddEvent(L"OnHide", &TTabSheet::OnHide);
}

void TPageControl::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"ActivePage", &TPageControl::GetActivePage, &TPageControl::SetActivePage);
    Table.Add(L"MultiLine", &TPageControl::GetMultiLine, &TPageControl::SetMultiLine, false);
    Table.Add(L"TabPosition", &TPageControl::GetTabPosition, &TPageControl::SetTabPosition, tpTop);
    Table.Add(L"TabHeight", &TPageControl::GetTabHeight, &TPageControl::SetTabHeight, 0);
    Table.Add(L"TabWidth", &TPageControl::GetTabWidth, &TPageControl::SetTabWidth, 0);
    Table.AddEvent(L"OnChange", &TPageControl::OnChange);
    Table.AddEvent(L"OnChanging", &TPageControl::OnChanging);
}

void TTrackBar::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Max", &TTrackBar::GetMax, &TTrackBar::SetMax, 10);
    Table.Add(L"Min", &TTrackBar::GetMin, &TTrackBar::SetMin, 0);
    Table.Add(L"Position", &TTrackBar::GetPosition, &TTrackBar::SetPosition, 0);
    Table.Add(L"PageSize", &TTrackBar::GetPageSize, &TTrackBar::SetPageSize, 2);
    Table.Add(L"LineSize", &TTrackBar::GetLineSize, &TTrackBar::SetLineSize, 1);
    Table.Add(L"Frequency", &TTrackBar::GetFrequency, &TTrackBar::SetFrequency, 1);
    Table.Add(L"Orientation", &TTrackBar::GetOrientation, &TTrackBar::SetOrientation, trHorizontal);
    Table.Add(L"TickMarks", &TTrackBar::GetTickMarks, &TTrackBar::SetTickMarks, tmBottomRight);
    Table.Add(L"TickStyle", &TTrackBar::GetTickStyle, &TTrackBar::SetTickStyle, tsAuto);
    Table.AddEvent(L"OnChange", &TTrackBar::OnChange);
}

void TCustomDateTimePicker::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Kind", &TCustomDateTimePicker::GetKind, &TCustomDateTimePicker::SetKind, dtkDate);
    Table.Add(L"DateMode", &TCustomDateTimePicker::GetDateMode, &TCustomDateTimePicker::SetDateMode, dmComboBox);
    Table.Add(L"DateFormat", &TCustomDateTimePicker::GetDateFormat, &TCustomDateTimePicker::SetDateFormat, dfShort);
    Table.Add(L"Format", &TCustomDateTimePicker::GetFormat, &TCustomDateTimePicker::SetFormat);
    Table.Add(L"MinDate", &TCustomDateTimePicker::GetMinDate, &TCustomDateTimePicker::SetMinDate, 0.0);
    Table.Add(L"MaxDate", &TCustomDateTimePicker::GetMaxDate, &TCustomDateTimePicker::SetMaxDate, 0.0);
    Table.Add(L"Date", &TCustomDateTimePicker::GetDate, &TCustomDateTimePicker::SetDate);
    Table.Add(L"Time", &TCustomDateTimePicker::GetTime, &TCustomDateTimePicker::SetTime);
    Table.Add(L"ShowCheckbox", &TCustomDateTimePicker::GetShowCheckbox, &TCustomDateTimePicker::SetShowCheckbox, false);
    Table.Add(L"Checked", &TCustomDateTimePicker::GetChecked, &TCustomDateTimePicker::SetChecked, true);
    Table.Add(L"ParseInput", &TCustomDateTimePicker::GetParseInput, &TCustomDateTimePicker::SetParseInput, false);
    Table.AddEvent(L"OnChange", &TCustomDateTimePicker::OnChange);
    Table.AddEvent(L"OnDropDown", &TCustomDateTimePicker::OnDropDown);
    Table.AddEvent(L"OnCloseUp", &TCustomDateTimePicker::OnCloseUp);
    Table.AddEvent(L"OnUserInput", &TCustomDateTimePicker::OnUserInput);
}

void RegisterComCtrls()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterEnumIdents<TTabPosition>(L"TTabPosition", {{tpTop, L"tpTop"}, {tpBottom, L"tpBottom"},
                                                       {tpLeft, L"tpLeft"}, {tpRight, L"tpRight"}});
    RegisterEnumIdents<TTrackBarOrientation>(L"TTrackBarOrientation",
                                             {{trHorizontal, L"trHorizontal"}, {trVertical, L"trVertical"}});
    RegisterEnumIdents<TTickMark>(L"TTickMark",
                                  {{tmBottomRight, L"tmBottomRight"}, {tmTopLeft, L"tmTopLeft"}, {tmBoth, L"tmBoth"}});
    RegisterEnumIdents<TTickStyle>(L"TTickStyle", {{tsNone, L"tsNone"}, {tsAuto, L"tsAuto"}, {tsManual, L"tsManual"}});
    RegisterEnumIdents<TDateTimeKind>(L"TDateTimeKind", {{dtkDate, L"dtkDate"}, {dtkTime, L"dtkTime"}});
    RegisterEnumIdents<TDTDateMode>(L"TDTDateMode", {{dmComboBox, L"dmComboBox"}, {dmUpDown, L"dmUpDown"}});
    RegisterEnumIdents<TDTDateFormat>(L"TDTDateFormat", {{dfShort, L"dfShort"}, {dfLong, L"dfLong"}});
    RegisterClasses<TTabSheet, TPageControl, TTrackBar, TDateTimePicker>();
}
