// The memo drop-down: the popup's memo, the text's round trip between memo, MemoText and the
// edit's summary, and the memo's keys.
#include "pickers/QorMemoDropDown.h"

#include "framework/TypInfo.h"
#include "framework/WinScope.h"

#include <algorithm>

namespace {
constexpr int MemoHeight = 100;
const wchar_t* const Ellipsis = L"...";
}  // namespace

TQorMemoDropDown::TQorMemoDropDown(TComponent* AOwner)
    : TQorCustomDropDown(AOwner), FMemoText(std::make_unique<TStringList>())
{
    FMemoText->OnChange = [this](TObject* S) { OnMemoTextChanged(S); };
}

TQorMemoDropDown::~TQorMemoDropDown() = default;

bool TQorMemoDropDown::PopupOpen() const
{
    return GetDropDownForm() && GetDropDownForm()->GetVisible();
}

void TQorMemoDropDown::CreateDropDownForm()
{
    inherited::CreateDropDownForm();
    if (!FMemo) {
        FMemo = Create<TMemo>(this);
        FMemo->SetParent(GetDropDownForm());
        FMemo->SetHeight(MemoHeight);
        FMemo->SetBorderStyle(bsNone);
        FMemo->SetWantTabs(true);
        FMemo->SetTabStop(true);
        FMemo->OnChange = [this](TObject* S) { MemoChanged(S); };
    }
    SetControl(FMemo);
}

void TQorMemoDropDown::BeforeDropDown()
{
    inherited::BeforeDropDown();
    if (TDropDownForm* F = GetDropDownForm()) F->SetCancelOnDeActivate(false);
    FTextAtOpening = GetMemoText()->GetText();
    if (!FMemo) return;
    FMemo->SetPopupMenu(FMemoPopup);
    FMemo->SetMaxLength(GetMaxLength());
    FMemo->SetScrollBars(FMemoScrollBars);
    FMemo->SetReadOnly(FMemoReadOnly);
}

void TQorMemoDropDown::TakeMemoText()
{
    FMemoTextStale = false;
    if (!FMemo) return;
    // One read of the whole text, split at its line breaks: the memo's own lines are its display
    // rows, which would turn soft wraps into line breaks (and are slow to read one by one).
    TValueScope<TNotifyEvent> Quiet(FMemoText->OnChange, nullptr);
    FMemoText->SetText(FMemo->GetText());
}

TStrings* TQorMemoDropDown::GetMemoText()
{
    if (FMemoTextStale) TakeMemoText();
    return FMemoText.get();
}

void TQorMemoDropDown::ReadFirstMemoLine(String& First, bool& More)
{
    const HWND W = FMemo->GetHandle();
    const int Length = GetWindowTextLengthW(W);
    // Enough of the start to hold the first line break and a character after it.
    for (int Want = 256;; Want *= 4) {
        const int N = std::min(Want, Length);
        String Start(size_t(N), L'\0');
        Start.resize(size_t(GetWindowTextW(W, Start.data(), N + 1)));
        const size_t Break = Start.find_first_of(L"\r\n");
        if (N == Length || (Break != String::npos && Break + 2 < Start.size())) {
            TStringList Lines;
            Lines.SetText(Start);
            First = Lines.GetCount() > 0 ? Lines.Get(0) : String();
            More = Lines.GetCount() > 1;
            return;
        }
    }
}

void TQorMemoDropDown::MemoChanged(TObject*)
{
    FMemoTextStale = true;
    String First;
    bool More = false;
    ReadFirstMemoLine(First, More);
    ShowSummary(Summary(First, More));
    if (OnMemoChange) OnMemoChange(this);
}

String TQorMemoDropDown::Summary(const String& First, bool More)
{
    String S = First;
    if (GetEditorEnabled() || !HandleAllocated()) return S;
    const int Width = GetEditRect().Width();
    TClientDC DC(GetHandle());
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    Canvas.SetFont(GetFont());
    if (GetTextSize(&Canvas, S).cx < Width) {
        if (More) S += Ellipsis;
    } else {
        S = QorDropDown::GetTextOfSize(&Canvas, S, Width, true);
    }
    Canvas.SetHandle(nullptr);
    return S;
}

void TQorMemoDropDown::ShowSummary(const String& S)
{
    if (S == DisplayText()) return;
    TValueScope<bool> Internal(FInternalUpdate, true);
    SetTextDirect(S);
}

void TQorMemoDropDown::OnMemoTextChanged(TObject*)
{
    const int Count = FMemoText->GetCount();
    ShowSummary(Summary(Count > 0 ? FMemoText->Get(0) : String(), Count > 1));
}

void TQorMemoDropDown::Change()
{
    if (!FInternalUpdate) {
        const String V = GetText();
        TValueScope<TNotifyEvent> QuietList(FMemoText->OnChange, nullptr);
        if (FMemo) {
            TValueScope<TNotifyEvent> QuietMemo(FMemo->OnChange, nullptr);
            FMemo->GetLines()->SetText(V);
        }
        FMemoText->SetText(V);
        FMemoTextStale = false;
    }
    inherited::Change();
}

void TQorMemoDropDown::OnHideDropDown(TObject* Sender)
{
    inherited::OnHideDropDown(Sender);
    TakeMemoText();
    OnMemoTextChanged(this);
    SetSelStart(0);
    SetSelLength(0);
}

void TQorMemoDropDown::DoHideDropDown(bool Cancelled)
{
    TValueScope<bool> NoAutoDrop(FAutoDrop, false);
    if (Cancelled && PopupOpen()) {
        // The lines noted at the opening come back; the edit's own restore of its one-line text
        // must not overwrite them.
        TValueScope<bool> Internal(FInternalUpdate, true);
        if (FMemo) {
            TValueScope<TNotifyEvent> QuietMemo(FMemo->OnChange, nullptr);
            FMemo->GetLines()->SetText(FTextAtOpening);
        }
        FMemoText->SetText(FTextAtOpening);
        FMemoTextStale = false;
        inherited::DoHideDropDown(Cancelled);
    } else {
        inherited::DoHideDropDown(Cancelled);
    }
    OnMemoTextChanged(this);
}

void TQorMemoDropDown::DoEnter()
{
    inherited::DoEnter();
    if (FAutoDrop) ShowDropDown();
}

void TQorMemoDropDown::SetMemoText(TStrings* Value)
{
    const String T = Value ? Value->GetText() : String();
    if (FMemo) {
        TValueScope<TNotifyEvent> QuietMemo(FMemo->OnChange, nullptr);
        FMemo->GetLines()->SetText(T);
    }
    FMemoText->SetText(T);
    FMemoTextStale = false;
}

void TQorMemoDropDown::SetMemoReadOnly(bool Value)
{
    FMemoReadOnly = Value;
    if (FMemo && PopupOpen()) FMemo->SetReadOnly(Value);
}

void TQorMemoDropDown::OnDropDownControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (Key == VK_TAB) {
        Key = 0;
        HideDropDown(false);
        SelectAll();
    } else if (Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4) {
        inherited::OnDropDownControlKeyDown(Sender, Key, Shift);
    } else if (Shift.Contains(ssCtrl) && (Key == L'A' || Key == L'a') && FMemo) {
        FMemo->SelectAll();
    }
}

void TQorMemoDropDown::OnDropDownControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4) inherited::OnDropDownControlKeyUp(Sender, Key, Shift);
}

void TQorMemoDropDown::OnDropDownControlKeyPress(TObject* Sender, Char& Key)
{
    if (Key == L'\t') {
        Key = 0;
        SelectAll();
    } else if (AltDown() || Key == 27) {
        inherited::OnDropDownControlKeyPress(Sender, Key);
    }
}

void TQorMemoDropDown::RegisterProperties(TPropertyTable& T)
{
    TQorDropDown::RegisterProperties(T);
    using C = TQorMemoDropDown;
    T.Add(L"MemoText", &C::GetMemoText, &C::SetMemoText);
    T.Add(L"MemoPopup", &C::GetMemoPopup, &C::SetMemoPopup);
    T.Add(L"MemoScrollBars", &C::GetMemoScrollBars, &C::SetMemoScrollBars, TScrollStyle::ssNone);
    T.Add(L"MemoReadOnly", &C::GetMemoReadOnly, &C::SetMemoReadOnly, false);
    T.Add(L"AutoDrop", &C::GetAutoDrop, &C::SetAutoDrop, false);
    T.AddEvent(L"OnMemoChange", &C::OnMemoChange);
}

void RegisterQorMemoDropDownClasses()
{
    RegisterQorDropDownClasses();
    RegisterClasses<TQorMemoDropDown>();
}
