// The time picker drop-down: the masked time text and its parsing, field stepping by Up and Down,
// the popup's clock face (and optional time picker) kept in step with the edit, and the keys of
// the open popup.
#include "pickers/QorTimePickerDropDown.h"

#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "pickers/QorPickerKeys.h"

#include <cmath>

namespace {

// The popup's panel: 180 high when made, 170 square at each opening (plus the time picker).
constexpr int PanelMadeHeight = 180;
constexpr int PanelSide = 170;

Char Separator()
{
    return FormatSettings.TimeSeparator;
}

String TwoDigits(Word N)
{
    String S = IntToStr(N);
    if (S.empty()) return L"00";
    return S.size() == 1 ? L"0" + S : S;
}

// A field of a typed text: empty, or a digit followed by nothing or a second digit.
bool IsValidNum(const String& S)
{
    if (S.empty()) return true;
    auto Decimal = [](Char C) { return HexDigit(C) >= 0 && HexDigit(C) <= 9; };
    if (!Decimal(S[0])) return false;
    return S.size() < 2 || Decimal(S[1]);
}

bool ReadField(const String& Part, Word& Value)
{
    const String S = Trim(Part);
    if (!IsValidNum(S)) return false;
    int V = 0;
    if (!S.empty() && (!TryStrToInt(S, V) || V < 0 || V > 0xFFFF)) return false;
    Value = Word(V);
    return true;
}

bool IsAltKey(TShiftState Shift)
{
    return Shift.Contains(ssAlt) || (GetKeyState(VK_MENU) & 0x8000) != 0;
}

// PgUp, PgDn, Up and Down without Alt stay with the clock (they would step the edit's fields).
bool HeldBack(Word Key, TShiftState Shift)
{
    return !IsAltKey(Shift) && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN);
}

}  // namespace

TQorTimePickerDropDown::TQorTimePickerDropDown(TComponent* AOwner)
    : TQorCustomDropDown(AOwner), FWatchAppearance(std::make_unique<TWatchAppearance>()),
      FWatchSettings(std::make_unique<TWatchSettings>())
{
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    GetDropDownHeader()->SetVisible(false);
    GetDropDownFooter()->SetVisible(false);
}

void TQorTimePickerDropDown::AfterConstruction()
{
    inherited::AfterConstruction();
    TValueScope<bool> Internal(FInternalCall, true);
    InitEditMask();
    SetTextDirect(GetFormattedTimeString(0, 0, 0));
}

TQorTimePickerDropDown::~TQorTimePickerDropDown() = default;

bool TQorTimePickerDropDown::PopupOpen() const
{
    return GetDropDownForm() && GetDropDownForm()->GetVisible();
}

void TQorTimePickerDropDown::InitEditMask()
{
    const String Sep(1, Separator());
    SetEditMask(FShowSeconds ? L"!90" + Sep + L"00" + Sep + L"00;1; " : L"!90" + Sep + L"00;1; ");
}

String TQorTimePickerDropDown::GetFormattedTimeString(Word H, Word M, Word S) const
{
    const String Sep(1, Separator());
    String R = TwoDigits(H) + Sep + TwoDigits(M);
    if (FShowSeconds) R += Sep + TwoDigits(S);
    return R;
}

TDateTime TQorTimePickerDropDown::TextTime(TDateTime WhenEmpty, TDateTime Fallback)
{
    const String T = Trim(GetText());
    if (T.empty()) return WhenEmpty;
    TDateTime V = 0;
    return TryStrToTime(T, V) ? V : Fallback;
}

void TQorTimePickerDropDown::SetText(const String& Value)
{
    {
        TValueScope<bool> Internal(FInternalCall, true);
        if (Value.empty()) SetEditMask(L"");
        else InitEditMask();
    }
    FInternalCall = false;
    TQorCustomDropDown::SetText(Value);
    ReadWrittenText();
}

void TQorTimePickerDropDown::ReadWrittenText()
{
    // The edit's window is multi-line (for its text rectangle), and such a window reports no
    // change when its text is set: the written text is read here as a typed one would be.
    Change();
}

void TQorTimePickerDropDown::SetTime(TDateTime Value)
{
    if (Value == FTime) return;
    if (GetEditorEnabled() && Value != 0 && !IsMasked()) {
        TValueScope<bool> Internal(FInternalCall, true);
        InitEditMask();
    }
    FTime = Value;
    Word H, M, S, MS;
    DecodeTime(Value, H, M, S, MS);
    SetTextDirect(GetFormattedTimeString(H, M, S));
    ReadWrittenText();
    if (!PopupOpen()) return;
    if (FQorWatch) FQorWatch->SetTime(Value);
    if (FShowTimePicker && FDateTimePicker) FDateTimePicker->SetTime(Value);
}

void TQorTimePickerDropDown::FireTimeChange()
{
    if (OnTimeChange) OnTimeChange(this);
}

void TQorTimePickerDropDown::SetField(int Field, Word Value)
{
    Word F[4];
    DecodeTime(FTime, F[0], F[1], F[2], F[3]);
    if (F[Field] == Value || Value >= (Field == 0 ? 24 : 60)) return;
    F[Field] = Value;
    SetTime(std::floor(FTime) + EncodeTime(F[0], F[1], F[2], F[3]));
    FireTimeChange();
}

void TQorTimePickerDropDown::SetHour(Byte Value)
{
    SetField(0, Value);
}

void TQorTimePickerDropDown::SetMinute(Byte Value)
{
    SetField(1, Value);
}

void TQorTimePickerDropDown::SetSecond(Byte Value)
{
    SetField(2, Value);
}

void TQorTimePickerDropDown::SetShowSeconds(bool Value)
{
    if (Value == FShowSeconds) return;
    FShowSeconds = Value;
    const TDateTime Kept = FTime;
    {
        TValueScope<bool> Internal(FInternalCall, true);
        SetEditMask(L"");
        SetTextDirect(L"");
        InitEditMask();
    }
    // A different time first, so that the remembered one is written in the new format.
    FTime += 1;
    SetTime(Kept);
}

void TQorTimePickerDropDown::SetResolutions(int Value)
{
    if (Value <= 30) FResolution = Value;
}

void TQorTimePickerDropDown::Change()
{
    inherited::Change();
    const String T = GetText();
    if (T.empty() || FInternalCall) return;
    const Char Sep = Separator();
    const int Seps = int(std::count(T.begin(), T.end(), Sep));
    if (Seps != (FShowSeconds ? 2 : 1)) return;
    String Filled = T;
    for (Char& C : Filled)
        if (C == L' ') C = L'0';
    const size_t P1 = Filled.find(Sep);
    const size_t P2 = FShowSeconds ? Filled.find(Sep, P1 + 1) : String::npos;
    Word H = 0, M = 0, S = 0;
    if (!ReadField(Filled.substr(0, P1), H)) return;
    if (!ReadField(Filled.substr(P1 + 1, P2 == String::npos ? String::npos : P2 - P1 - 1), M)) return;
    if (FShowSeconds && !ReadField(Filled.substr(P2 + 1), S)) return;
    // An hour above 23 or a minute or second above 59 leaves the time as it was.
    TDateTime V = 0;
    if (!TryEncodeTime(H, M, S, 0, V)) return;
    FTime = V;
    const String Formatted = GetFormattedTimeString(H, M, S);
    if (Formatted != T && M == 0 && S == 0) {
        TValueScope<bool> Internal(FInternalCall, true);
        TQorCustomDropDown::SetText(Formatted);
    }
}

void TQorTimePickerDropDown::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    if (IsAltKey(Shift) || Shift.Contains(ssCtrl) || (Key != VK_UP && Key != VK_DOWN)) return;
    const String T = GetText();
    const int C = GetSelStart();
    Word H, M, S, MS;
    DecodeTime(FTime, H, M, S, MS);
    const bool Up = Key == VK_UP;
    const int P1 = Pos(Separator(), T);
    if (C < P1) {
        SetHour(Byte(Up ? (H + 23) % 24 : (H + 1) % 24));
    } else {
        const int P2 = Pos(Separator(), T.substr(size_t(std::max(P1, 0))));
        if (C - P1 >= P2 && FShowSeconds) SetSecond(Byte(Up ? (S + 59) % 60 : (S + 1) % 60));
        else SetMinute(Byte(Up ? (M + 59) % 60 : (M + 1) % 60));
    }
    SetSelStart(C);
}

void TQorTimePickerDropDown::ValidateEdit()
{
    // An unreadable text gives back the previous time instead of becoming the time of day.
    TDateTime V = 0;
    if (TryStrToTime(Trim(GetText()), V)) return;
    Word H, M, S, MS;
    DecodeTime(FTime, H, M, S, MS);
    SetText(GetFormattedTimeString(H, M, S));
}

void TQorTimePickerDropDown::DoExit()
{
    if (!Trim(GetText()).empty()) ValidateEdit();
    SetTime(TextTime(0, FTime));
    inherited::DoExit();
    FInternalCall = false;
    Change();
}

void TQorTimePickerDropDown::CreateDropDownForm()
{
    inherited::CreateDropDownForm();
    if (!FPanelCtrl) {
        FPanelCtrl = Create<TPanel>(this);
        FPanelCtrl->SetParent(GetDropDownForm());
        FPanelCtrl->SetCtl3D(false);
        FPanelCtrl->SetBevelInner(bvNone);
        FPanelCtrl->SetBevelOuter(bvNone);
    }
    FPanelCtrl->SetBounds(0, 0, FPanelCtrl->GetWidth(), PanelMadeHeight);
    if (!FQorWatch) {
        FQorWatch = Create<TQorWatch>(this);
        FQorWatch->SetParent(FPanelCtrl);
        FQorWatch->SetAlign(alClient);
    }
    SetControl(FPanelCtrl);
}

void TQorTimePickerDropDown::BeforeDropDown()
{
    inherited::BeforeDropDown();
    TDropDownForm* F = GetDropDownForm();
    if (!F || !FPanelCtrl || !FQorWatch) return;
    FPanelCtrl->SetBounds(0, 0, PanelSide, PanelSide);
    F->SetWidth(F->GetWidth() + 1);
    F->SetWidth(F->GetWidth() - 1);
    F->SetCancelOnDeActivate(false);
    FPanelCtrl->SetColor(GetDropDownColor());

    FQorWatch->GetAppearance()->Assign(FWatchAppearance.get());
    FQorWatch->GetSettings()->Assign(FWatchSettings.get());
    FQorWatch->SetShowAMPM(ShowWatchAMPM);
    FQorWatch->SetShowNumbers(ShowWatchNumbers);
    FQorWatch->SetAnimation(Animation);
    FQorWatch->SetAnimationFactor(AnimationFactor);
    FQorWatch->SetResolution(FResolution);
    FQorWatch->OnChange = nullptr;
    if (!FWatchSettings->GetAuto()) FQorWatch->SetTime(FTime);
    // An unreadable text opens the clock at the time kept.
    FQorWatch->SetTime(TextTime(0, FTime));
    FQorWatch->OnChange = [this](TObject* S) { OnQorWatchChange(S); };

    if (FShowTimePicker) {
        if (!FDateTimePicker) {
            FDateTimePicker = Create<TDateTimePicker>(this);
            FDateTimePicker->SetParent(FPanelCtrl);
            FDateTimePicker->SetKind(dtkTime);
        }
        FDateTimePicker->OnChange = nullptr;
        FDateTimePicker->SetAlign(alBottom);
        FDateTimePicker->SetVisible(true);
        FDateTimePicker->SetTime(FQorWatch->GetTime());
        FDateTimePicker->BringToFront();
        FDateTimePicker->OnChange = [this](TObject* S) { OnDateTimePickerChange(S); };
        FDateTimePicker->OnKeyDown = [this](TObject* S, Word& K, TShiftState Sh) { OnDropDownControlKeyDown(S, K, Sh); };
        FDateTimePicker->OnKeyUp = [this](TObject* S, Word& K, TShiftState Sh) { OnDropDownControlKeyUp(S, K, Sh); };
        FDateTimePicker->OnKeyPress = [this](TObject* S, Char& K) { OnDropDownControlKeyPress(S, K); };
        FDateTimePicker->SetFormat(FShowSeconds ? L"HH:mm:ss" : L"HH:mm");
        FPanelCtrl->SetHeight(PanelSide + FDateTimePicker->GetHeight());
    } else if (FDateTimePicker) {
        FDateTimePicker->SetVisible(false);
    }
    // The popup is sized from the hosted control's size when it is set: set it again at its new
    // size.
    SetControl(nullptr);
    SetControl(FPanelCtrl);
}

void TQorTimePickerDropDown::AfterDropDown()
{
    inherited::AfterDropDown();
    PreviewControlKeys(this, FPanelCtrl);
    PreviewControlKeys(this, FQorWatch);
    // The clock face takes the focus: it asks for the arrow keys, which the panel would leave to
    // the dialog navigation.
    if (FQorWatch && FQorWatch->CanFocus()) {
        FQorWatch->SetTabStop(true);
        FQorWatch->SetFocus();
    }
}

void TQorTimePickerDropDown::OnQorWatchChange(TObject*)
{
    if (FDateTimePicker && FShowTimePicker && FDateTimePicker->GetTime() != FQorWatch->GetTime()) {
        FDateTimePicker->SetTime(FQorWatch->GetTime());
        FireTimeChange();
    }
    SetTime(FQorWatch->GetTime());
}

void TQorTimePickerDropDown::OnDateTimePickerChange(TObject*)
{
    if (!FDateTimePicker || !FQorWatch || FWatchSettings->GetAuto()) return;
    const TDateTime T = FDateTimePicker->GetTime();
    FQorWatch->SetTime(T);
    Word H, M, S, MS;
    DecodeTime(T, H, M, S, MS);
    const String Formatted = GetFormattedTimeString(H, M, S);
    if (Formatted != GetText()) SetText(Formatted);
}

void TQorTimePickerDropDown::DoHideDropDown(bool Cancelled)
{
    inherited::DoHideDropDown(Cancelled);
    if (!FQorWatch) return;
    if (Cancelled) FQorWatch->SetTime(FTime);
    else SetTime(FQorWatch->GetTime());
}

void TQorTimePickerDropDown::OnHideDropDown(TObject* Sender)
{
    inherited::OnHideDropDown(Sender);
    if (FQorWatch) SetTime(FQorWatch->GetTime());
}

void TQorTimePickerDropDown::OnDropDownFormKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (!HeldBack(Key, Shift)) inherited::OnDropDownFormKeyDown(Sender, Key, Shift);
    if (FQorWatch && GetDropDownForm() && GetDropDownForm()->GetVisible()) FQorWatch->HandleKey(Key);
}

void TQorTimePickerDropDown::OnDropDownFormKeyUp(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (!HeldBack(Key, Shift)) inherited::OnDropDownFormKeyUp(Sender, Key, Shift);
}

void TQorTimePickerDropDown::OnDropDownControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (!HeldBack(Key, Shift)) inherited::OnDropDownControlKeyDown(Sender, Key, Shift);
}

void TQorTimePickerDropDown::OnDropDownControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (!HeldBack(Key, Shift)) inherited::OnDropDownControlKeyUp(Sender, Key, Shift);
}

void TQorTimePickerDropDown::OnDropDownControlKeyPress(TObject* Sender, Char& Key)
{
    inherited::OnDropDownControlKeyPress(Sender, Key);
}

void TQorTimePickerDropDown::SetComponentStyle(QorStyleIF::TJOQStyle AStyle)
{
    inherited::SetComponentStyle(AStyle);
    if (FWatchAppearance) FWatchAppearance->ApplyComponentStyle(AStyle);
}

void TQorTimePickerDropDown::RegisterProperties(TPropertyTable& T)
{
    TQorDropDown::RegisterProperties(T);
    using C = TQorTimePickerDropDown;
    T.Add(L"ShowTimePicker", &C::GetShowTimePicker, &C::SetShowTimePicker, false);
    T.Add(L"WatchAppearance", &C::GetWatchAppearance, &C::SetWatchAppearance);
    T.Add(L"WatchSettings", &C::GetWatchSettings, &C::SetWatchSettings);
    T.Add(L"ShowSeconds", &C::GetShowSeconds, &C::SetShowSeconds, true);
    T.Add(L"Resolution", &C::GetResolution, &C::SetResolutions, 0);
    T.AddEvent(L"OnTimeChange", &C::OnTimeChange);
}
