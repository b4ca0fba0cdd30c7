// StdCtrls: item lists, the combo box (COMBOBOX, its edit part subclassed), the list box
// (LISTBOX) and the scroll bar (SCROLLBAR).
#include "StdCtrls.h"

#include <algorithm>

namespace {

const wchar_t* const ComboEditProp = L"FwComboEdit";
// CB_SETMINVISIBLE (a common-controls message): the number of items the open list shows.
constexpr UINT CbSetMinVisible = 0x1701;

[[noreturn]] void BadIndex(int Index)
{
    throw EStringListError(Consts::SListIndexError, {Index});
}

// Owner-drawn items: the state flags of a DRAWITEMSTRUCT.
TOwnerDrawState DrawState(UINT ItemState)
{
    TOwnerDrawState S;
    if (ItemState & ODS_SELECTED) S << odSelected;
    if (ItemState & ODS_GRAYED) S << odGrayed;
    if (ItemState & ODS_DISABLED) S << odDisabled;
    if (ItemState & ODS_CHECKED) S << odChecked;
    if (ItemState & ODS_FOCUS) S << odFocused;
    if (ItemState & ODS_DEFAULT) S << odDefault;
    if (ItemState & ODS_COMBOBOXEDIT) S << odComboBoxEdit;
    if (ItemState & ODS_NOACCEL) S << odNoAccel;
    if (ItemState & ODS_NOFOCUSRECT) S << odNoFocusRect;
    return S;
}

// Paints one owner-drawn item through Canvas: selection colours, the control's DrawItem, the
// focus rectangle.
template <class DrawFn>
void DrawOwnerItem(TCanvas* Canvas, TFont* Font, TColor Color, const DRAWITEMSTRUCT& DI, DrawFn Draw)
{
    TOwnerDrawState State = DrawState(DI.itemState);
    TRect R{DI.rcItem.left, DI.rcItem.top, DI.rcItem.right, DI.rcItem.bottom};
    PaintOnCanvas(Canvas, DI.hDC, Font, Color, [&] {
        if (State.Contains(odSelected)) {
            Canvas->GetBrush()->SetColor(clHighlight);
            Canvas->GetFont()->SetColor(clHighlightText);
        }
        if (int(DI.itemID) >= 0) Draw(int(DI.itemID), R, State);
        else Canvas->FillRect(R);
        if (State.Contains(odFocused) && !State.Contains(odNoFocusRect)) {
            RECT FR = DI.rcItem;
            DrawFocusRect(DI.hDC, &FR);
        }
    });
}

void DefaultDrawItem(TCanvas* Canvas, TStrings* Items, int Index, const TRect& Rect)
{
    Canvas->FillRect(Rect);
    if (Index < Items->Count()) Canvas->TextOut(Rect.Left + 2, Rect.Top, Items->Get(Index));
}

}  // namespace

// ---- TWinItemStrings ---------------------------------------------------------------------------

const TWinItemStrings::TMsgs TWinItemStrings::ListBoxMsgs{
    LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
    LB_RESETCONTENT, LB_GETITEMDATA, LB_SETITEMDATA, LB_FINDSTRINGEXACT};
const TWinItemStrings::TMsgs TWinItemStrings::ComboBoxMsgs{
    CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING,
    CB_RESETCONTENT, CB_GETITEMDATA, CB_SETITEMDATA, CB_FINDSTRINGEXACT};

TWinItemStrings::TWinItemStrings(TWinControl* AControl, const TMsgs& AMsgs)
    : FControl(AControl), FMsgs(AMsgs), FSaved(std::make_unique<TStringList>())
{
}

LRESULT TWinItemStrings::Send(UINT Msg, WPARAM W, LPARAM L) const
{
    return SendMessageW(FControl->GetHandle(), Msg, W, L);
}

void TWinItemStrings::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= GetCount()) BadIndex(Index);
}

int TWinItemStrings::GetCount() const
{
    if (!Windowed()) return FSaved->Count();
    return int(std::max<LRESULT>(0, Send(FMsgs.GetCount)));
}

String TWinItemStrings::Get(int Index) const
{
    if (!Windowed()) return FSaved->Get(Index);
    CheckIndex(Index);
    int Len = int(Send(FMsgs.GetTextLen, WPARAM(Index)));
    if (Len < 0) BadIndex(Index);
    String S(size_t(Len) + 1, L'\0');
    int Got = int(Send(FMsgs.GetText, WPARAM(Index), LPARAM(S.data())));
    S.resize(size_t(std::clamp(Got, 0, Len)));
    return S;
}

void TWinItemStrings::Put(int Index, const String& S)
{
    TObject* O = GetObjects(Index);
    Delete(Index);
    InsertObject(Index, S, O);
}

TObject* TWinItemStrings::GetObjects(int Index) const
{
    if (!Windowed()) return FSaved->Objects(Index);
    CheckIndex(Index);
    return reinterpret_cast<TObject*>(Send(FMsgs.GetItemData, WPARAM(Index)));
}

void TWinItemStrings::PutObject(int Index, TObject* AObject)
{
    if (!Windowed()) {
        FSaved->SetObjects(Index, AObject);
        return;
    }
    CheckIndex(Index);
    Send(FMsgs.SetItemData, WPARAM(Index), reinterpret_cast<LPARAM>(AObject));
}

int TWinItemStrings::Add(const String& S)
{
    if (!Windowed()) return FSaved->Add(S);
    LRESULT R = Send(FMsgs.AddString, 0, LPARAM(S.c_str()));
    if (R < 0) throw EOutOfResources(Consts::SListAddFailed);
    return int(R);
}

void TWinItemStrings::Insert(int Index, const String& S)
{
    if (!Windowed()) {
        FSaved->Insert(Index, S);
        return;
    }
    if (Index < 0 || Index > GetCount()) BadIndex(Index);
    if (Send(FMsgs.InsertString, WPARAM(Index), LPARAM(S.c_str())) < 0)
        throw EOutOfResources(Consts::SListAddFailed);
}

void TWinItemStrings::Delete(int Index)
{
    if (!Windowed()) {
        FSaved->Delete(Index);
        return;
    }
    CheckIndex(Index);
    Send(FMsgs.DeleteString, WPARAM(Index));
}

void TWinItemStrings::Clear()
{
    if (!Windowed()) {
        FSaved->Clear();
        return;
    }
    Send(FMsgs.ResetContent);
}

int TWinItemStrings::IndexOf(const String& S) const
{
    if (!Windowed()) return FSaved->IndexOf(S);
    // The window's exact search ignores case, as the lists' comparison does.
    return int(std::max<LRESULT>(-1, Send(FMsgs.FindExact, WPARAM(-1), LPARAM(S.c_str()))));
}

void TWinItemStrings::SetUpdateState(bool Updating)
{
    // A hidden window is left alone: turning redrawing back on would show it.
    if (Updating) {
        FRedrawOff = Windowed() && IsWindowVisible(FControl->GetHandle());
        if (FRedrawOff) Send(WM_SETREDRAW, FALSE);
    } else if (std::exchange(FRedrawOff, false) && Windowed()) {
        Send(WM_SETREDRAW, TRUE);
        InvalidateRect(FControl->GetHandle(), nullptr, TRUE);
    }
}

void TWinItemStrings::WindowCreated()
{
    for (int I = 0; I < FSaved->Count(); ++I) {
        LRESULT R = Send(FMsgs.AddString, 0, LPARAM(FSaved->Get(I).c_str()));
        if (R >= 0 && FSaved->Objects(I))
            Send(FMsgs.SetItemData, WPARAM(R), reinterpret_cast<LPARAM>(FSaved->Objects(I)));
    }
    FSaved->Clear();
}

void TWinItemStrings::WindowDestroying()
{
    std::vector<std::pair<String, TObject*>> Items;
    int N = GetCount();
    for (int I = 0; I < N; ++I) Items.emplace_back(Get(I), GetObjects(I));
    FSaved->Clear();
    for (auto& [S, O] : Items) FSaved->AddObject(S, O);
}

void TWinItemStrings::SetSorted(bool Value)
{
    FSorted = Value;
    FSaved->SetSorted(Value);
}

// ---- TCustomComboBox ---------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight};
    SetBounds(0, 0, 145, 25);
    SetTabStop(true);
    FParentColor = false;
    SetColor(clWindow);
    FItems = std::make_unique<TWinItemStrings>(this, TWinItemStrings::ComboBoxMsgs);
    FCanvas = std::make_unique<TControlCanvas>();
    FCanvas->SetControl(this);
}

TCustomComboBox::~TCustomComboBox()
{
    // The window (and its subclassed edit part) goes while this object is still whole.
    if (FHandle) DestroyWnd();
}

void TCustomComboBox::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    CreateSubClass(Params, L"COMBOBOX");
    static const DWORD Styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                   CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                   CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
    Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS | Styles[FStyle];
    if (FSorted) Params.Style |= CBS_SORT;
    if (FCharCase == ecUpperCase) Params.Style |= CBS_UPPERCASE;
    else if (FCharCase == ecLowerCase) Params.Style |= CBS_LOWERCASE;
    // A drop-down combo box takes the height it is created with as the dropped height.
    if (FStyle != csSimple) Params.Height = FHeight + std::max(1, FDropDownCount) * std::max(8, FItemHeight) + 2;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomComboBox::CreateWnd()
{
    inherited::CreateWnd();
    FItems->WindowCreated();
    if (FMaxLength > 0) SendMessageW(FHandle, CB_LIMITTEXT, WPARAM(FMaxLength), 0);
    SendMessageW(FHandle, CbSetMinVisible, WPARAM(std::max(1, FDropDownCount)), 0);
    if (FStyle == csOwnerDrawFixed) SendMessageW(FHandle, CB_SETITEMHEIGHT, 0, LPARAM(FItemHeight));
    if (FItemIndex >= 0) SendMessageW(FHandle, CB_SETCURSEL, WPARAM(FItemIndex), 0);
    else if (FStyle == csDropDown || FStyle == csSimple) SendMessageW(FHandle, WM_SETTEXT, 0, LPARAM(FText.c_str()));
    else if (!FText.empty()) SendMessageW(FHandle, CB_SETCURSEL, WPARAM(FItems->IndexOf(FText)), 0);
    // The edit part: keys typed there reach this control's key events first.
    COMBOBOXINFO Info{};
    Info.cbSize = sizeof(Info);
    if (GetComboBoxInfo(FHandle, &Info)) {
        FListHandle = Info.hwndList;
        if (Info.hwndItem && Info.hwndItem != FHandle && FStyle != csDropDownList) {
            FEditHandle = Info.hwndItem;
            SetPropW(FEditHandle, ComboEditProp, this);
            FDefEditProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc)));
        }
    }
}

void TCustomComboBox::DestroyWnd()
{
    if (FHandle) {
        FItemIndex = int(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
        FItems->WindowDestroying();
    }
    if (FEditHandle) {
        if (FDefEditProc) SetWindowLongPtrW(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefEditProc));
        RemovePropW(FEditHandle, ComboEditProp);
        FEditHandle = nullptr;
        FDefEditProc = nullptr;
    }
    FListHandle = nullptr;
    inherited::DestroyWnd();
}

LRESULT CALLBACK TCustomComboBox::EditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* C = static_cast<TCustomComboBox*>(GetPropW(Wnd, ComboEditProp));
    if (!C || !C->FDefEditProc) return DefWindowProcW(Wnd, Msg, WParam, LParam);
    TMessage M{Msg, WParam, LParam, 0};
    try {
        C->EditWndProc(Wnd, M);
    } catch (...) {
        if (Application) Application->HandleException(C);
        M.Result = 0;
    }
    return M.Result;
}

void TCustomComboBox::EditWndProc(HWND Wnd, TMessage& Message)
{
    WNDPROC Def = FDefEditProc;
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (DoKeyDown(Message)) return;
        break;
    case WM_CHAR:
        if (DoKeyPress(Message)) return;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (DoKeyUp(Message)) return;
        break;
    case WM_SETFOCUS:
        if (TCustomForm* Form = GetParentForm(this); Form && !Form->SetFocusedControl(this)) return;
        break;
    case WM_NCDESTROY:
        Message.Result = CallWindowProcW(Def, Wnd, Message.Msg, Message.WParam, Message.LParam);
        RemovePropW(Wnd, ComboEditProp);
        if (FEditHandle == Wnd) FEditHandle = nullptr;
        return;
    default: break;
    }
    Message.Result = CallWindowProcW(Def, Wnd, Message.Msg, Message.WParam, Message.LParam);
}

bool TCustomComboBox::Focused()
{
    HWND F = GetFocus();
    return F && (F == FHandle || (FEditHandle && F == FEditHandle));
}

void TCustomComboBox::Dispatch(TMessage& Message)
{
    if (StdCtrlsDetail::IsWindowMouseMessage(Message.Msg)) DefaultHandler(Message);
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CN_DRAWITEM: CNDrawItem(Message); break;
    case CN_MEASUREITEM: CNMeasureItem(Message); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
        // The edit part and the list take the combo box's colours.
        HDC DC = reinterpret_cast<HDC>(Message.WParam);
        SetTextColor(DC, ColorToRGB(FFont->GetColor()));
        SetBkColor(DC, ColorToRGB(FColor));
        FBrush->SetColor(FColor);
        Message.Result = LRESULT(FBrush->GetHandle());
        break;
    }
    default: inherited::Dispatch(Message);
    }
}

void TCustomComboBox::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case CBN_DBLCLK: DblClick(); break;
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN: DropDown(); break;
    case CBN_SELCHANGE: {
        // The edit part shows the new item only after this notification: give it now, so that
        // the events read the new text.
        int I = GetItemIndex();
        if (I >= 0 && (FStyle == csDropDown || FStyle == csSimple))
            SendMessageW(FHandle, WM_SETTEXT, 0, LPARAM(FItems->Get(I).c_str()));
        Click();
        Select();
        break;
    }
    case CBN_CLOSEUP: CloseUp(); break;
    default: break;
    }
}

void TCustomComboBox::CNDrawItem(TMessage& Message)
{
    auto* DI = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    DrawOwnerItem(FCanvas.get(), FFont.get(), FColor, *DI,
                  [this](int Index, TRect R, TOwnerDrawState S) { DrawItem(Index, R, S); });
    Message.Result = 1;
}

void TCustomComboBox::CNMeasureItem(TMessage& Message)
{
    auto* MI = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    int H = FItemHeight;
    if (FStyle == csOwnerDrawVariable && int(MI->itemID) >= 0) MeasureItem(int(MI->itemID), H);
    MI->itemHeight = UINT(std::max(1, H));
    Message.Result = 1;
}

void TCustomComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (OnDrawItem) OnDrawItem(this, Index, Rect, State);
    else DefaultDrawItem(FCanvas.get(), FItems.get(), Index, Rect);
}

void TCustomComboBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::CMWantSpecialKey(TMessage& Message)
{
    // While the list is open, Enter and Esc close it rather than pressing a button.
    if ((Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) && GetDroppedDown()) {
        Message.Result = 1;
        return;
    }
    inherited::Dispatch(Message);
}

void TCustomComboBox::KeyPress(Char& Key)
{
    inherited::KeyPress(Key);
    if (!FAutoComplete || FStyle != csDropDown || !FEditHandle || Key < 32) return;
    String T = GetText();
    DWORD S = 0, E = 0;
    SendMessageW(FHandle, CB_GETEDITSEL, WPARAM(&S), LPARAM(&E));
    // Completes only what is typed at the end of the text.
    if (E < T.size() || S > T.size()) return;
    String Prefix = T.substr(0, S) + Key;
    LRESULT I = SendMessageW(FHandle, CB_FINDSTRING, WPARAM(-1), LPARAM(Prefix.c_str()));
    if (I < 0) return;
    SendMessageW(FHandle, CB_SETCURSEL, WPARAM(I), 0);
    SendMessageW(FHandle, WM_SETTEXT, 0, LPARAM(FItems->Get(int(I)).c_str()));
    SendMessageW(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(Word(Prefix.size()), Word(0xFFFF)));
    Key = 0;
    Change();
}

void TCustomComboBox::SetTextValue(const String& Value)
{
    if (FStyle == csDropDown || FStyle == csSimple || !FHandle) {
        inherited::SetTextValue(Value);
        return;
    }
    // A drop-down list shows only its items: the text selects the item that carries it.
    FText = Value;
    int I = Value.empty() ? -1 : FItems->IndexOf(Value);
    SendMessageW(FHandle, CB_SETCURSEL, WPARAM(I), 0);
}

void TCustomComboBox::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect) OnSelect(this);
    else Change();
}

void TCustomComboBox::DropDown()
{
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    RecreateWnd();
}

int TCustomComboBox::GetItemIndex()
{
    if (FHandle) return int(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
    return FItemIndex;
}

void TCustomComboBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= FItems->Count()) Value = -1;
    if (FHandle) {
        SendMessageW(FHandle, CB_SETCURSEL, WPARAM(Value), 0);
        return;
    }
    FItemIndex = Value;
    FText = Value >= 0 ? FItems->Get(Value) : String();
}

void TCustomComboBox::SetDropDownCount(int Value)
{
    FDropDownCount = std::max(1, Value);
    if (FHandle) SendMessageW(FHandle, CbSetMinVisible, WPARAM(FDropDownCount), 0);
}

bool TCustomComboBox::GetDroppedDown()
{
    return FHandle && SendMessageW(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value)
{
    if (FHandle) SendMessageW(FHandle, CB_SHOWDROPDOWN, Value ? TRUE : FALSE, 0);
}

int TCustomComboBox::GetItemHeight()
{
    if (FHandle) return int(SendMessageW(FHandle, CB_GETITEMHEIGHT, 0, 0));
    return FItemHeight;
}

void TCustomComboBox::SetItemHeight(int Value)
{
    if (Value <= 0) return;
    FItemHeight = Value;
    if (FHandle && (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable)) RecreateWnd();
}

void TCustomComboBox::SetSorted(bool Value)
{
    if (FSorted == Value) return;
    FSorted = Value;
    FItems->SetSorted(Value);
    RecreateWnd();
}

void TCustomComboBox::SetCharCase(TEditCharCase Value)
{
    if (FCharCase == Value) return;
    FCharCase = Value;
    RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int Value)
{
    FMaxLength = std::max(0, Value);
    if (FHandle) SendMessageW(FHandle, CB_LIMITTEXT, WPARAM(FMaxLength), 0);
}

int TCustomComboBox::GetSelStart()
{
    if (!FHandle) return 0;
    DWORD S = 0, E = 0;
    SendMessageW(FHandle, CB_GETEDITSEL, WPARAM(&S), LPARAM(&E));
    return int(S);
}

void TCustomComboBox::SetSelStart(int Value)
{
    if (FHandle) SendMessageW(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(Word(Value), Word(Value)));
}

int TCustomComboBox::GetSelLength()
{
    if (!FHandle) return 0;
    DWORD S = 0, E = 0;
    SendMessageW(FHandle, CB_GETEDITSEL, WPARAM(&S), LPARAM(&E));
    return int(E) - int(S);
}

void TCustomComboBox::SetSelLength(int Value)
{
    if (!FHandle) return;
    int S = GetSelStart();
    SendMessageW(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(Word(S), Word(S + Value)));
}

String TCustomComboBox::GetSelText()
{
    String T = GetText();
    int S = std::clamp(GetSelStart(), 0, int(T.size()));
    int L = std::clamp(GetSelLength(), 0, int(T.size()) - S);
    return T.substr(size_t(S), size_t(L));
}

void TCustomComboBox::SelectAll()
{
    if (FHandle) SendMessageW(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(0, Word(0xFFFF)));
}

void TCustomComboBox::Clear()
{
    FItems->Clear();
    SetText(String());
}

// ---- TCustomListBox ----------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    FParentColor = false;
    SetColor(clWindow);
    FItems = std::make_unique<TWinItemStrings>(this, TWinItemStrings::ListBoxMsgs);
    FCanvas = std::make_unique<TControlCanvas>();
    FCanvas->SetControl(this);
}

TCustomListBox::~TCustomListBox()
{
    if (FHandle) DestroyWnd();
}

void TCustomListBox::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    CreateSubClass(Params, L"LISTBOX");
    Params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    if (FSorted) Params.Style |= LBS_SORT;
    if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FStyle == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
    else if (FStyle == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
    if (FBorderStyle == bsSingle) {
        if (FCtl3D) Params.ExStyle |= WS_EX_CLIENTEDGE;
        else Params.Style |= WS_BORDER;
    }
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::CreateWnd()
{
    inherited::CreateWnd();
    FItems->WindowCreated();
    if (FStyle == lbOwnerDrawFixed) SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, LPARAM(FItemHeight));
    if (FItemIndex >= 0) SetItemIndex(FItemIndex);
}

void TCustomListBox::DestroyWnd()
{
    if (FHandle) {
        FItemIndex = GetItemIndex();
        FItems->WindowDestroying();
    }
    inherited::DestroyWnd();
}

void TCustomListBox::Dispatch(TMessage& Message)
{
    if (StdCtrlsDetail::IsWindowMouseMessage(Message.Msg)) DefaultHandler(Message);
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CN_DRAWITEM: CNDrawItem(Message); break;
    case CN_MEASUREITEM: CNMeasureItem(Message); break;
    default: inherited::Dispatch(Message);
    }
}

void TCustomListBox::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK: DblClick(); break;
    default: break;
    }
}

void TCustomListBox::CNDrawItem(TMessage& Message)
{
    auto* DI = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    DrawOwnerItem(FCanvas.get(), FFont.get(), FColor, *DI,
                  [this](int Index, TRect R, TOwnerDrawState S) { DrawItem(Index, R, S); });
    Message.Result = 1;
}

void TCustomListBox::CNMeasureItem(TMessage& Message)
{
    auto* MI = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    int H = FItemHeight;
    if (FStyle == lbOwnerDrawVariable && int(MI->itemID) >= 0) MeasureItem(int(MI->itemID), H);
    MI->itemHeight = UINT(std::max(1, H));
    Message.Result = 1;
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (OnDrawItem) OnDrawItem(this, Index, Rect, State);
    else DefaultDrawItem(FCanvas.get(), FItems.get(), Index, Rect);
}

void TCustomListBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

int TCustomListBox::GetItemIndex()
{
    if (!FHandle) return FItemIndex;
    return int(SendMessageW(FHandle, FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= FItems->Count()) Value = -1;
    if (!FHandle) {
        FItemIndex = Value;
        return;
    }
    if (FMultiSelect) {
        SendMessageW(FHandle, LB_SETSEL, FALSE, -1);
        if (Value >= 0) {
            SendMessageW(FHandle, LB_SETSEL, TRUE, LPARAM(Value));
            SendMessageW(FHandle, LB_SETCARETINDEX, WPARAM(Value), FALSE);
        }
    } else {
        SendMessageW(FHandle, LB_SETCURSEL, WPARAM(Value), 0);
    }
}

int TCustomListBox::GetItemHeight()
{
    if (FHandle && FStyle != lbOwnerDrawVariable) return int(SendMessageW(FHandle, LB_GETITEMHEIGHT, 0, 0));
    return FItemHeight;
}

void TCustomListBox::SetItemHeight(int Value)
{
    if (Value <= 0) return;
    FItemHeight = Value;
    if (FHandle && FStyle == lbOwnerDrawFixed) {
        SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, LPARAM(Value));
        Invalidate();
    }
}

void TCustomListBox::SetStyle(TListBoxStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    RecreateWnd();
}

void TCustomListBox::SetSorted(bool Value)
{
    if (FSorted == Value) return;
    FSorted = Value;
    FItems->SetSorted(Value);
    RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool Value)
{
    if (FMultiSelect == Value) return;
    FMultiSelect = Value;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value)
{
    if (FExtendedSelect == Value) return;
    FExtendedSelect = Value;
    RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
}

bool TCustomListBox::GetSelected(int Index)
{
    if (Index < 0 || Index >= FItems->Count()) BadIndex(Index);
    if (!FHandle || !FMultiSelect) return GetItemIndex() == Index;
    return SendMessageW(FHandle, LB_GETSEL, WPARAM(Index), 0) > 0;
}

void TCustomListBox::SetSelected(int Index, bool Value)
{
    if (Index < 0 || Index >= FItems->Count()) BadIndex(Index);
    if (FHandle && FMultiSelect) {
        SendMessageW(FHandle, LB_SETSEL, Value ? TRUE : FALSE, LPARAM(Index));
        return;
    }
    if (Value) SetItemIndex(Index);
    else if (GetItemIndex() == Index) SetItemIndex(-1);
}

int TCustomListBox::GetSelCount()
{
    if (FHandle && FMultiSelect) return int(std::max<LRESULT>(0, SendMessageW(FHandle, LB_GETSELCOUNT, 0, 0)));
    return GetItemIndex() >= 0 ? 1 : 0;
}

int TCustomListBox::GetTopIndex()
{
    return FHandle ? int(SendMessageW(FHandle, LB_GETTOPINDEX, 0, 0)) : 0;
}

void TCustomListBox::SetTopIndex(int Value)
{
    if (FHandle) SendMessageW(FHandle, LB_SETTOPINDEX, WPARAM(std::max(0, Value)), 0);
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing)
{
    int N = FItems->Count();
    if (FHandle && GetClientRect().Contains(Pos)) {
        LRESULT R = SendMessageW(FHandle, LB_ITEMFROMPOINT, 0, MAKELPARAM(Word(Pos.X), Word(Pos.Y)));
        if (HIWORD(R) == 0 && int(LOWORD(R)) < N) return int(LOWORD(R));
    }
    return Existing ? -1 : N;
}

TRect TCustomListBox::ItemRect(int Index)
{
    RECT R{0, 0, 0, 0};
    if (FHandle) SendMessageW(FHandle, LB_GETITEMRECT, WPARAM(Index), LPARAM(&R));
    return TRect{R.left, R.top, R.right, R.bottom};
}

// ---- TScrollBar --------------------------------------------------------------------------------

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csFramed, csDoubleClicks, csOpaque};
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    CreateSubClass(Params, L"SCROLLBAR");
    Params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW | CS_PARENTDC);
}

void TScrollBar::CreateWnd()
{
    inherited::CreateWnd();
    UpdateScrollInfo();
}

void TScrollBar::UpdateScrollInfo()
{
    if (!FHandle) return;
    SCROLLINFO SI{};
    SI.cbSize = sizeof(SI);
    SI.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    SI.nMin = FMin;
    SI.nMax = FMax;
    SI.nPage = UINT(FPageSize);
    SI.nPos = FPosition;
    SetScrollInfo(FHandle, SB_CTL, &SI, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value)
{
    if (FKind == Value) return;
    FKind = Value;
    if (!IsLoading()) SetBounds(FLeft, FTop, FHeight, FWidth);
    RecreateWnd();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax)
{
    if (AMax < AMin) throw EInvalidOperation(Consts::SScrollBarRange);
    APosition = std::clamp(APosition, AMin, AMax);
    bool Changed = APosition != FPosition;
    FMin = AMin;
    FMax = AMax;
    FPosition = APosition;
    if (FPageSize > FMax - FMin + 1) FPageSize = FMax - FMin + 1;
    UpdateScrollInfo();
    if (Changed) Change();
}

void TScrollBar::SetPageSize(int Value)
{
    if (Value < 0 || Value > FMax - FMin + 1) throw EInvalidOperation(Consts::SScrollBarRange);
    FPageSize = Value;
    UpdateScrollInfo();
}

void TScrollBar::Change()
{
    if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos)
{
    if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::DoScroll(TMessage& Message)
{
    int Pos = FPosition;
    TScrollCode Code = scEndScroll;
    switch (LOWORD(Message.WParam)) {
    case SB_LINEUP: Code = scLineUp; Pos -= FSmallChange; break;
    case SB_LINEDOWN: Code = scLineDown; Pos += FSmallChange; break;
    case SB_PAGEUP: Code = scPageUp; Pos -= FLargeChange; break;
    case SB_PAGEDOWN: Code = scPageDown; Pos += FLargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        Code = LOWORD(Message.WParam) == SB_THUMBTRACK ? scTrack : scPosition;
        // The 32-bit track position; the message carries only 16 bits.
        SCROLLINFO SI{};
        SI.cbSize = sizeof(SI);
        SI.fMask = SIF_TRACKPOS;
        if (FHandle && GetScrollInfo(FHandle, SB_CTL, &SI)) Pos = SI.nTrackPos;
        else Pos = short(HIWORD(Message.WParam));
        break;
    }
    case SB_TOP: Code = scTop; Pos = FMin; break;
    case SB_BOTTOM: Code = scBottom; Pos = FMax; break;
    default: break;
    }
    Scroll(Code, Pos);
    SetPosition(Pos);
    Message.Result = 0;
}

void TScrollBar::Dispatch(TMessage& Message)
{
    if (StdCtrlsDetail::IsWindowMouseMessage(Message.Msg)) DefaultHandler(Message);
    switch (Message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: DoScroll(Message); break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        // Forwarded to the scroll bar itself (by a control that owns it).
        if (Message.LParam == 0 || reinterpret_cast<HWND>(Message.LParam) == FHandle) DoScroll(Message);
        else inherited::Dispatch(Message);
        break;
    default: inherited::Dispatch(Message);
    }
}
