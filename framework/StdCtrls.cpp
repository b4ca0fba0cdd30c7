// StdCtrls: the edit and the memo over the platform's EDIT class, and the memo's line list.
#include "StdCtrls.h"

#include <algorithm>

// ---- Shared helpers ----------------------------------------------------------------------------

bool StdCtrlsDetail::IsWindowMouseMessage(UINT Msg)
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

std::vector<String> StdCtrlsDetail::SplitLines(const String& Text)
{
    std::vector<String> Lines;
    size_t Start = 0, I = 0;
    while (I < Text.size()) {
        wchar_t C = Text[I];
        if (C == L'\r' || C == L'\n') {
            Lines.push_back(Text.substr(Start, I - Start));
            if (C == L'\r' && I + 1 < Text.size() && Text[I + 1] == L'\n') ++I;
            Start = ++I;
        } else {
            ++I;
        }
    }
    if (Start < Text.size()) Lines.push_back(Text.substr(Start));
    return Lines;
}

String StdCtrlsDetail::AdjustLineBreaks(const String& Text)
{
    String R;
    R.reserve(Text.size() + Text.size() / 16);
    for (size_t I = 0; I < Text.size(); ++I) {
        wchar_t C = Text[I];
        if (C == L'\r') {
            R += L"\r\n";
            if (I + 1 < Text.size() && Text[I + 1] == L'\n') ++I;
        } else if (C == L'\n') {
            R += L"\r\n";
        } else {
            R += C;
        }
    }
    return R;
}

bool IsAccel(Word Ch, const String& Text)
{
    for (size_t I = 0; I + 1 < Text.size(); ++I) {
        if (Text[I] != L'&') continue;
        if (Text[I + 1] == L'&') {
            ++I;
            continue;
        }
        wchar_t A = Text[I + 1], B = wchar_t(Ch);
        CharUpperBuffW(&A, 1);
        CharUpperBuffW(&B, 1);
        return A == B;
    }
    return false;
}

// ---- TCustomEdit -------------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
    SetBounds(0, 0, 121, 25);
    SetTabStop(true);
    FParentColor = false;
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    CreateSubClass(Params, L"EDIT");
    static const DWORD Alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    static const DWORD CharCases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | Alignments[FAlignment] | CharCases[FCharCase];
    if (FPasswordChar != 0) Params.Style |= ES_PASSWORD;
    if (FReadOnly) Params.Style |= ES_READONLY;
    if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
    if (FBorderStyle == bsSingle) {
        if (FCtl3D) Params.ExStyle |= WS_EX_CLIENTEDGE;
        else Params.Style |= WS_BORDER;
    }
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomEdit::CreateWnd()
{
    {
        TValueScope Creating(FCreating, true);
        inherited::CreateWnd();
    }
    SendMessageW(FHandle, EM_LIMITTEXT, WPARAM(FMaxLength), 0);
    if (FPasswordChar != 0) SendMessageW(FHandle, EM_SETPASSWORDCHAR, WPARAM(FPasswordChar), 0);
    SendMessageW(FHandle, EM_SETMODIFY, FModified ? TRUE : FALSE, 0);
    AdjustHeight();
}

void TCustomEdit::DestroyWnd()
{
    if (FHandle) FModified = SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0;
    inherited::DestroyWnd();
}

bool TCustomEdit::EnsureHandle()
{
    if (FHandle) return true;
    if (IsLoading() || IsDestroying()) return false;
    TWinControl* Root = this;
    while (Root->GetParent()) Root = Root->GetParent();
    if (Root == this && !GetParentWindow()) return false;
    if (!dynamic_cast<TCustomForm*>(Root) && !Root->GetParentWindow()) return false;
    HandleNeeded();
    return FHandle != nullptr;
}

void TCustomEdit::AdjustHeight()
{
    if (!FAutoSize || FBorderStyle != bsSingle || !FControlStyle.Contains(csFixedHeight)) return;
    TEXTMETRICW Metrics{};
    {
        TClientDC DC(nullptr);
        TSelectObject Font(DC, FFont->GetHandle());
        GetTextMetricsW(DC, &Metrics);
    }
    int Border = GetSystemMetrics(SM_CYBORDER) * (FCtl3D ? 8 : 6);
    SetHeight(Metrics.tmHeight + Border);
}

void TCustomEdit::Dispatch(TMessage& Message)
{
    if (StdCtrlsDetail::IsWindowMouseMessage(Message.Msg)) DefaultHandler(Message);
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    default: inherited::Dispatch(Message);
    }
}

void TCustomEdit::CNCommand(TMessage& Message)
{
    if (HIWORD(Message.WParam) == EN_CHANGE && !FCreating) Change();
}

void TCustomEdit::CMEnter(TMessage& Message)
{
    if (FAutoSelect && !FControlState.Contains(TControlStateFlag::csLButtonDown) && FHandle &&
        (GetWindowLongPtrW(FHandle, GWL_STYLE) & ES_MULTILINE) == 0)
        SelectAll();
    inherited::Dispatch(Message);
}

void TCustomEdit::CMFontChanged(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FHandle) AdjustHeight();
}

void TCustomEdit::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomEdit::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    RecreateWnd();
}

void TCustomEdit::SetAutoSize(bool Value)
{
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    if (FHandle) AdjustHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
    if (FHandle) AdjustHeight();
}

void TCustomEdit::SetCharCase(TEditCharCase Value)
{
    if (FCharCase == Value) return;
    FCharCase = Value;
    if (FHandle) {
        RecreateWnd();
    } else if (Value != ecNormal && !FText.empty()) {
        // The window applies the case to what it is created with; keep the stored text alike.
        String T = FText;
        if (Value == ecUpperCase) CharUpperBuffW(T.data(), DWORD(T.size()));
        else CharLowerBuffW(T.data(), DWORD(T.size()));
        FText = T;
    }
}

void TCustomEdit::SetHideSelection(bool Value)
{
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    RecreateWnd();
}

void TCustomEdit::SetMaxLength(int Value)
{
    FMaxLength = std::max(0, Value);
    if (FHandle) SendMessageW(FHandle, EM_LIMITTEXT, WPARAM(FMaxLength), 0);
}

bool TCustomEdit::GetModified()
{
    if (FHandle) return SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0;
    return FModified;
}

void TCustomEdit::SetModified(bool Value)
{
    FModified = Value;
    if (FHandle) SendMessageW(FHandle, EM_SETMODIFY, Value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetPasswordChar(Char Value)
{
    if (FPasswordChar == Value) return;
    bool StyleChange = (FPasswordChar == 0) != (Value == 0);
    FPasswordChar = Value;
    if (!FHandle) return;
    if (StyleChange) RecreateWnd();
    else {
        SendMessageW(FHandle, EM_SETPASSWORDCHAR, WPARAM(Value), 0);
        Invalidate();
    }
}

void TCustomEdit::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    if (FHandle) SendMessageW(FHandle, EM_SETREADONLY, Value ? TRUE : FALSE, 0);
}

int TCustomEdit::GetSelStart()
{
    if (!EnsureHandle()) return 0;
    DWORD Start = 0, End = 0;
    SendMessageW(FHandle, EM_GETSEL, WPARAM(&Start), LPARAM(&End));
    return int(Start);
}

void TCustomEdit::SetSelStart(int Value)
{
    if (!EnsureHandle()) return;
    SendMessageW(FHandle, EM_SETSEL, WPARAM(Value), LPARAM(Value));
}

int TCustomEdit::GetSelLength()
{
    if (!EnsureHandle()) return 0;
    DWORD Start = 0, End = 0;
    SendMessageW(FHandle, EM_GETSEL, WPARAM(&Start), LPARAM(&End));
    return int(End) - int(Start);
}

void TCustomEdit::SetSelLength(int Value)
{
    if (!EnsureHandle()) return;
    DWORD Start = 0, End = 0;
    SendMessageW(FHandle, EM_GETSEL, WPARAM(&Start), LPARAM(&End));
    SendMessageW(FHandle, EM_SETSEL, WPARAM(Start), LPARAM(int(Start) + Value));
    SendMessageW(FHandle, EM_SCROLLCARET, 0, 0);
}

String TCustomEdit::GetSelText()
{
    if (!EnsureHandle()) return String();
    DWORD Start = 0, End = 0;
    SendMessageW(FHandle, EM_GETSEL, WPARAM(&Start), LPARAM(&End));
    String T = GetText();
    if (Start >= T.size() || End <= Start) return String();
    return T.substr(Start, std::min<size_t>(End, T.size()) - Start);
}

void TCustomEdit::SetSelText(const String& Value)
{
    if (!EnsureHandle()) {
        FText += Value;
        return;
    }
    SendMessageW(FHandle, EM_REPLACESEL, TRUE, LPARAM(Value.c_str()));
}

void TCustomEdit::SelectAll()
{
    if (FHandle) SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection()
{
    if (FHandle) SendMessageW(FHandle, WM_CLEAR, 0, 0);
}

void TCustomEdit::CopyToClipboard()
{
    if (FHandle) SendMessageW(FHandle, WM_COPY, 0, 0);
}

void TCustomEdit::CutToClipboard()
{
    if (FHandle) SendMessageW(FHandle, WM_CUT, 0, 0);
}

void TCustomEdit::PasteFromClipboard()
{
    if (FHandle) SendMessageW(FHandle, WM_PASTE, 0, 0);
}

void TCustomEdit::Undo()
{
    if (FHandle) SendMessageW(FHandle, WM_UNDO, 0, 0);
}

bool TCustomEdit::CanUndo()
{
    return FHandle && SendMessageW(FHandle, EM_CANUNDO, 0, 0) != 0;
}

void TCustomEdit::ClearUndo()
{
    if (FHandle) SendMessageW(FHandle, EM_EMPTYUNDOBUFFER, 0, 0);
}

void TCustomEdit::Clear()
{
    SetText(String());
}

// ---- TMemoStrings ------------------------------------------------------------------------------

bool TMemoStrings::Windowed() const
{
    return FMemo->EnsureHandle();
}

int TMemoStrings::GetCount() const
{
    if (!Windowed()) return int(StdCtrlsDetail::SplitLines(FMemo->GetText()).size());
    HWND W = FMemo->FHandle;
    int N = int(SendMessageW(W, EM_GETLINECOUNT, 0, 0));
    if (N <= 0) return 0;
    LRESULT Start = SendMessageW(W, EM_LINEINDEX, WPARAM(N - 1), 0);
    // The row after a final line break is empty: it is not a line.
    if (Start >= 0 && SendMessageW(W, EM_LINELENGTH, WPARAM(Start), 0) == 0) --N;
    return N;
}

String TMemoStrings::Get(int Index) const
{
    if (Index < 0) return String();
    if (!Windowed()) {
        auto Lines = StdCtrlsDetail::SplitLines(FMemo->GetText());
        return Index < int(Lines.size()) ? Lines[size_t(Index)] : String();
    }
    HWND W = FMemo->FHandle;
    LRESULT Start = SendMessageW(W, EM_LINEINDEX, WPARAM(Index), 0);
    if (Start < 0) return String();
    int Len = int(SendMessageW(W, EM_LINELENGTH, WPARAM(Start), 0));
    if (Len <= 0) return String();
    // EM_GETLINE: the buffer's first word holds its size in characters.
    String Buf(size_t(std::max(Len, 2)) + 1, L'\0');
    Buf[0] = wchar_t(Buf.size() - 1);
    int Got = int(SendMessageW(W, EM_GETLINE, WPARAM(Index), LPARAM(Buf.data())));
    Buf.resize(size_t(std::clamp(Got, 0, Len)));
    return Buf;
}

void TMemoStrings::ReplaceRange(int Start, int End, const String& S)
{
    HWND W = FMemo->FHandle;
    SendMessageW(W, EM_SETSEL, WPARAM(Start), LPARAM(End));
    SendMessageW(W, EM_REPLACESEL, 0, LPARAM(S.c_str()));
}

namespace {

bool OpenEnded(const String& T)
{
    return !T.empty() && T.back() != L'\n' && T.back() != L'\r';
}

// The lines, each followed by a line break except the last when OpenEnd.
String JoinLines(const std::vector<String>& Lines, bool OpenEnd = false)
{
    String T;
    for (const String& L : Lines) T += L + L"\r\n";
    if (OpenEnd && !T.empty()) T.resize(T.size() - 2);
    return T;
}

[[noreturn]] void BadIndex(int Index)
{
    throw EStringListError(Consts::SListIndexError, {Index});
}

}  // namespace

void TMemoStrings::Put(int Index, const String& S)
{
    if (Index < 0 || Index >= GetCount()) BadIndex(Index);
    if (!Windowed()) {
        String T = FMemo->GetText();
        auto Lines = StdCtrlsDetail::SplitLines(T);
        Lines[size_t(Index)] = StdCtrlsDetail::AdjustLineBreaks(S);
        FMemo->SetText(JoinLines(Lines, OpenEnded(T)));
        return;
    }
    HWND W = FMemo->FHandle;
    int Start = int(SendMessageW(W, EM_LINEINDEX, WPARAM(Index), 0));
    int Len = int(SendMessageW(W, EM_LINELENGTH, WPARAM(Start), 0));
    ReplaceRange(Start, Start + Len, StdCtrlsDetail::AdjustLineBreaks(S));
}

void TMemoStrings::Insert(int Index, const String& S)
{
    if (Index < 0 || Index > GetCount()) BadIndex(Index);
    String Value = StdCtrlsDetail::AdjustLineBreaks(S);
    if (!Windowed()) {
        // As with a window: a last line without a break keeps having none.
        String T = FMemo->GetText();
        auto Lines = StdCtrlsDetail::SplitLines(T);
        Lines.insert(Lines.begin() + Index, Value);
        FMemo->SetText(JoinLines(Lines, OpenEnded(T)));
        return;
    }
    HWND W = FMemo->FHandle;
    int Start = int(SendMessageW(W, EM_LINEINDEX, WPARAM(Index), 0));
    if (Start >= 0) {
        ReplaceRange(Start, Start, Value + L"\r\n");
        return;
    }
    // After the last row, which has no line break of its own.
    Start = int(SendMessageW(W, EM_LINEINDEX, WPARAM(Index - 1), 0));
    if (Start < 0) BadIndex(Index);
    Start += int(SendMessageW(W, EM_LINELENGTH, WPARAM(Start), 0));
    ReplaceRange(Start, Start, L"\r\n" + Value);
}

void TMemoStrings::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount()) BadIndex(Index);
    if (!Windowed()) {
        String T = FMemo->GetText();
        auto Lines = StdCtrlsDetail::SplitLines(T);
        Lines.erase(Lines.begin() + Index);
        FMemo->SetText(JoinLines(Lines, OpenEnded(T) && Index < int(Lines.size())));
        return;
    }
    HWND W = FMemo->FHandle;
    int Start = int(SendMessageW(W, EM_LINEINDEX, WPARAM(Index), 0));
    int End = int(SendMessageW(W, EM_LINEINDEX, WPARAM(Index + 1), 0));
    if (End < 0) End = Start + int(SendMessageW(W, EM_LINELENGTH, WPARAM(Start), 0));
    ReplaceRange(Start, End, String());
}

void TMemoStrings::Clear()
{
    FMemo->Clear();
}

String TMemoStrings::GetText() const
{
    return FMemo->GetText();
}

void TMemoStrings::SetText(const String& Value)
{
    FMemo->SetText(StdCtrlsDetail::AdjustLineBreaks(Value));
}

void TMemoStrings::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<TStrings*>(Source)) {
        // Every line followed by a line break, as adding the lines one by one gives.
        String T;
        for (int I = 0; I < S->Count(); ++I) T += S->Get(I) + L"\r\n";
        SetText(T);
        return;
    }
    inherited::Assign(Source);
}

// ---- TCustomMemo -------------------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner)
{
    SetBounds(0, 0, 185, 89);
    FAutoSize = false;
    FControlStyle >> csFixedHeight;
    FLines = std::make_unique<TMemoStrings>(this);
}

void TCustomMemo::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style |= ES_MULTILINE;
    if (FWordWrap) Params.Style &= ~DWORD(ES_AUTOHSCROLL);
    switch (FScrollBars) {
    case TScrollStyle::ssHorizontal: Params.Style |= WS_HSCROLL; break;
    case TScrollStyle::ssVertical: Params.Style |= WS_VSCROLL; break;
    case TScrollStyle::ssBoth: Params.Style |= WS_HSCROLL | WS_VSCROLL; break;
    default: break;
    }
}

void TCustomMemo::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    default: inherited::Dispatch(Message);
    }
}

void TCustomMemo::WMGetDlgCode(TMessage& Message)
{
    DefaultHandler(Message);
    if (FWantTabs) Message.Result |= DLGC_WANTTAB;
    else Message.Result &= ~LRESULT(DLGC_WANTTAB);
    if (FWantReturns) Message.Result |= DLGC_WANTALLKEYS;
    else Message.Result &= ~LRESULT(DLGC_WANTALLKEYS);
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    RecreateWnd();
}

TPoint TCustomMemo::GetCaretPos()
{
    if (!EnsureHandle()) return {0, 0};
    DWORD Start = 0, End = 0;
    SendMessageW(FHandle, EM_GETSEL, WPARAM(&Start), LPARAM(&End));
    int Line = int(SendMessageW(FHandle, EM_LINEFROMCHAR, WPARAM(End), 0));
    int LineStart = int(SendMessageW(FHandle, EM_LINEINDEX, WPARAM(Line), 0));
    return {int(End) - LineStart, Line};
}

// ---- Registration ------------------------------------------------------------------------------

namespace {

// Form descriptions can name the standard controls as soon as a program uses any of them.
const bool StdCtrlsRegistered = [] {
    try {
        RegisterStdCtrls();
    } catch (...) {
        return false;
    }
    return true;
}();

}  // namespace
