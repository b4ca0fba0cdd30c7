// jyrspin: the spin edit, its locale routines and its registration.
#include "jyrspin.h"

#include "JyrControls.h"
#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/QorUtilText.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace jyrspin {

// ---- Locale routines --------------------------------------------------------------------------

Char TimeSeparator() { return FormatSettings.TimeSeparator; }
Char DateSeparator() { return FormatSettings.DateSeparator; }
Char ThousandSeparator() { return FormatSettings.ThousandSeparator; }
Char DecimalSeparator() { return FormatSettings.DecimalSeparator; }
String ShortDateFormat() { return FormatSettings.ShortDateFormat; }

int PosFrom(const String& Sub, const String& S, int N)
{
    if (Sub.empty() || N < 0 || N >= int(S.size())) return 0;
    size_t P = S.find(Sub, size_t(N));
    return P == String::npos ? 0 : int(P) + 1;
}

TDateTime IncYear(TDateTime D, int N)
{
    Word Y = 0, M = 0, Day = 0;
    DecodeDate(D, Y, M, Day);
    int NewYear = std::clamp(int(Y) + N, 1, 9999);
    TDateTime Result = EncodeDate(Word(NewYear), M, std::min(Day, DaysInAMonth(Word(NewYear), M)));
    double Time = std::fabs(double(D) - std::trunc(double(D)));
    return Result >= 0 ? Result + Time : Result - Time;
}

namespace {

// The range of dates the text forms can show (years 1 to 9999).
constexpr double MinDate = -693593.0;
constexpr double MaxDate = 2958465.99998843;

TDateTime ClampDate(TDateTime Value)
{
    if (!std::isfinite(Value)) return 0;
    return std::clamp(double(Value), MinDate, MaxDate);
}

// A time rounded to the millisecond, so that sums of steps do not show as 10:59:59.
TDateTime RoundToMs(TDateTime Value) { return std::round(double(Value) * 86400000.0) / 86400000.0; }

bool InSelection(int Pos1, int SelStart, int SelLength) { return Pos1 - 1 >= SelStart && Pos1 - 1 < SelStart + SelLength; }

bool IsClipboardKey(Char Key) { return Key == 3 || Key == 22 || Key == 24; }   // Ctrl+C, Ctrl+V, Ctrl+X

}  // namespace

// ---- Construction -----------------------------------------------------------------------------

TJyrSpinEdit::TJyrSpinEdit(TComponent* AOwner) : TEmbeddedButtonEdit(AOwner)
{
    FButton = Create<TJyrSpinButton>(this);
    Embed(FButton, 15, 17);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
    FButton->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
    SetText(L"0");
}

TJyrSpinEdit::~TJyrSpinEdit()
{
    // The pair goes with the edit's children; nothing reaches it from here on.
    FButton = nullptr;
}

void TJyrSpinEdit::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    if (FEditAlign == eaRight) Params.Style |= ES_RIGHT;
    else if (FEditAlign == eaCenter) Params.Style |= ES_CENTER;
}

void TJyrSpinEdit::CreateWnd()
{
    inherited::CreateWnd();
    SetEditRect();
}

void TJyrSpinEdit::SetEditRect()
{
    if (!HandleAllocated() || !FButton) return;
    const int D = GetBorderStyle() == bsNone ? 3 : 0;
    RECT R{D, D, GetClientWidth() - FButton->GetWidth() - D - 2, GetClientHeight() + 1};
    SendMessageW(GetHandle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&R));
}

int TJyrSpinEdit::GetMinHeight()
{
    int System = 0, Own = 0;
    CharHeights(System, Own);
    int Result = std::min(System, Own) / 4 + Own + 2;
    if (GetBorderStyle() == bsSingle) Result += 4 * GetSystemMetrics(SM_CYBORDER);
    return Result;
}

void TJyrSpinEdit::WMSize(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (!FButton) return;
    const int MinHeight = GetMinHeight();
    if (GetHeight() < MinHeight) {
        SetHeight(MinHeight);
        return;
    }
    const int BW = FButton->GetWidth();
    if (GetCtl3D()) {
        int Extra = GetBorderStyle() == bsNone ? 4 : 0;
        FButton->SetBounds(GetWidth() - BW - 5 + Extra, 0, BW, GetHeight() - 5 + Extra);
    } else {
        FButton->SetBounds(GetWidth() - BW, 1, BW, GetHeight() - 3);
    }
    SetEditRect();
}

void TJyrSpinEdit::Loaded()
{
    inherited::Loaded();
    if (FSpinType == sptDate) SetText(DateToStr(ClampDate(FDateValue)));
    else if (FSpinType == sptTime) SetText(FShowSeconds ? TimeToStr(FTimeValue) : FormatDateTime(L"h:nn", FTimeValue));
    SetSpinType(FSpinType);
}

// ---- Reading and writing the value ------------------------------------------------------------

int TJyrSpinEdit::CheckValue(int Value) const
{
    if (FMinValue == FMaxValue) return Value;
    if (Value < FMinValue) return FMinValue;
    if (Value > FMaxValue) return FMaxValue;
    return Value;
}

double TJyrSpinEdit::CheckFloatValue(double Value) const
{
    if (FMinFloatValue == FMaxFloatValue) return Value;
    if (Value <= FMinFloatValue) return FMinFloatValue;
    if (Value >= FMaxFloatValue) return FMaxFloatValue;
    return Value;
}

TDateTime TJyrSpinEdit::CheckDateValue(TDateTime Value) const
{
    if (FMinDateValue == FMaxDateValue) return Value;
    if (Value < FMinDateValue) return FMinDateValue;
    if (Value > FMaxDateValue) return FMaxDateValue;
    return Value;
}

int TJyrSpinEdit::GetValue()
{
    String T = Trim(GetText());
    if (T.empty()) return 0;
    int V = 0;
    return TryStrToInt(T, V) ? V : FMinValue;
}

void TJyrSpinEdit::SetValue(int Value)
{
    SetText(IntToStr(CheckValue(Value)));
    if (!FEditorEnabled && HandleAllocated()) SelectAll();
}

double TJyrSpinEdit::GetFloatValue()
{
    double V = 0;
    if (TryStrToFloat(GetText(), V, FormatSettings) && std::isfinite(V)) return V;
    return FMinFloatValue;
}

void TJyrSpinEdit::SetFloatValue(double Value)
{
    if (!std::isfinite(Value)) Value = FMinFloatValue;
    double V = CheckFloatValue(Value);
    if (FPrecision == 0) {
        SetText(FloatToStr(V, FormatSettings));
        return;
    }
    // Rounding to Precision decimals must not carry a clamped value past its bound.
    if (FMinFloatValue != FMaxFloatValue) {
        const double Scale = std::pow(10.0, FPrecision);
        const double Shown = std::round(V * Scale) / Scale;
        if (Shown > FMaxFloatValue) V = std::floor(FMaxFloatValue * Scale) / Scale;
        else if (Shown < FMinFloatValue) V = std::ceil(FMinFloatValue * Scale) / Scale;
    }
    SetText(FloatToStrF(V, ffFixed, 15, FPrecision, FormatSettings));
}

TDateTime TJyrSpinEdit::GetDateValue()
{
    String T = GetText();
    if (T == L"0" || Trim(T).empty()) return Now();
    TDateTime V = 0;
    return TryStrToDate(T, V) ? V : FMinDateValue;
}

void TJyrSpinEdit::SetDateValue(TDateTime Value)
{
    FDateValue = Value;
    if (IsLoading()) return;
    FDateValue = ClampDate(CheckDateValue(Value));
    SetTextKeepCaret(DateToStr(FDateValue));
}

TDateTime TJyrSpinEdit::GetTimeValue()
{
    TDateTime V = 0;
    return TryStrToTime(GetText(), V) ? V : 0;
}

void TJyrSpinEdit::SetTimeValue(TDateTime Value)
{
    FTimeValue = Value;
    if (IsLoading()) return;
    FTimeValue = ClampDate(CheckDateValue(Value));
    SetTextKeepCaret(FShowSeconds ? TimeToStr(FTimeValue) : FormatDateTime(L"h:nn", FTimeValue));
}

void TJyrSpinEdit::SetTextKeepCaret(const String& Text)
{
    const int Caret = HandleAllocated() ? GetSelStart() : 0;
    SetText(Text);
    if (HandleAllocated()) {
        SetSelStart(Caret);
        SetSelLength(0);
    }
}

void TJyrSpinEdit::SetSpinType(TJyrSpinType Value)
{
    if (Value < sptNormal || Value > sptTime) Value = sptNormal;
    FSpinType = Value;
    switch (Value) {
    case sptNormal: SetValue(GetValue()); break;
    case sptFloat: SetFloatValue(GetFloatValue()); break;
    case sptDate: SetDateValue(GetDateValue()); break;
    case sptTime: SetTimeValue(GetTimeValue()); break;
    }
}

void TJyrSpinEdit::SetPrecision(int Value)
{
    FPrecision = Value >= 0 && Value <= MaxPrecision ? Value : 0;
    if (FSpinType == sptFloat) SetFloatValue(GetFloatValue());
}

void TJyrSpinEdit::SetIncrement(int Value) { FIncrement = Value > 0 ? Value : 1; }

void TJyrSpinEdit::SetIncrementFloat(double Value) { FIncrementFloat = std::isfinite(Value) && Value > 0 ? Value : 0.1; }

void TJyrSpinEdit::SetIncrementFloatPage(double Value)
{
    FIncrementFloatPage = std::isfinite(Value) && Value > 0 ? Value : 1.0;
}

void TJyrSpinEdit::SetIncrementHours(int Value) { FIncrementHours = Value >= 0 && Value < 24 ? Value : 1; }
void TJyrSpinEdit::SetIncrementMinutes(int Value) { FIncrementMinutes = Value >= 0 && Value < 60 ? Value : 1; }
void TJyrSpinEdit::SetIncrementSeconds(int Value) { FIncrementSeconds = Value >= 0 && Value < 60 ? Value : 1; }

// ---- Looks ------------------------------------------------------------------------------------

void TJyrSpinEdit::SetDirection(TSpinDirection Value)
{
    FDirection = Value;
    FButton->SetDirection(Value);
    // A width nudge lays the buttons out again.
    SetWidth(GetWidth() + 1);
    SetWidth(GetWidth() - 1);
}

void TJyrSpinEdit::SetEditAlign(TEditAlign Value)
{
    if (FEditAlign == Value) return;
    FEditAlign = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TJyrSpinEdit::SetSpinFlat(bool Value)
{
    FSpinFlat = Value;
    FButton->GetUpButton()->SetFlat(Value);
    FButton->GetDownButton()->SetFlat(Value);
}

void TJyrSpinEdit::SetSpinTransparent(bool Value)
{
    FSpinTransparent = Value;
    FButton->GetUpButton()->SetTransparent(Value);
    FButton->GetDownButton()->SetTransparent(Value);
    SetWidth(GetWidth() + 1);
    SetWidth(GetWidth() - 1);
}

void TJyrSpinEdit::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FButton->SetIsWinXP(Value);
}

// ---- Stepping ---------------------------------------------------------------------------------

void TJyrSpinEdit::UpClick(TObject*) { DoInc(false); }
void TJyrSpinEdit::DownClick(TObject*) { DoDec(false); }

void TJyrSpinEdit::DoInc(bool Page)
{
    if (GetReadOnly()) {
        JyrControls::Beep();
        return;
    }
    switch (FSpinType) {
    case sptNormal: StepInteger(1); break;
    case sptFloat: StepFloat(1, Page); break;
    case sptDate: StepDate(1); break;
    case sptTime: StepTime(1); break;
    }
}

void TJyrSpinEdit::DoDec(bool Page)
{
    if (GetReadOnly()) {
        JyrControls::Beep();
        return;
    }
    switch (FSpinType) {
    case sptNormal: StepInteger(-1); break;
    case sptFloat: StepFloat(-1, Page); break;
    case sptDate: StepDate(-1); break;
    case sptTime: StepTime(-1); break;
    }
}

void TJyrSpinEdit::StepInteger(int Sign)
{
    // Computed wide and saturated: a step past the integer range stays at its end.
    Int64 V = Int64(GetValue()) + Int64(Sign) * Int64(FIncrement);
    SetValue(int(std::clamp<Int64>(V, INT_MIN, INT_MAX)));
}

void TJyrSpinEdit::StepFloat(int Sign, bool Page)
{
    SetFloatValue(GetFloatValue() + Sign * (Page ? FIncrementFloatPage : FIncrementFloat));
}

void TJyrSpinEdit::StepDate(int Sign)
{
    // The parts of the text in the order the short date form writes them.
    const String Form = UpperCase(ShortDateFormat());
    const int PD = Pos(L"D", Form), PM = Pos(L"M", Form), PY = Pos(L"Y", Form);
    UsDates = PM < PD;
    auto Key = [](int P) { return P > 0 ? P : INT_MAX; };
    std::array<std::pair<int, Char>, 3> Order{{{Key(PD), L'D'}, {Key(PM), L'M'}, {Key(PY), L'Y'}}};
    std::stable_sort(Order.begin(), Order.end(), [](auto& A, auto& B) { return A.first < B.first; });

    const String T = GetText();
    const String Sep(1, DateSeparator());
    const int P1 = Pos(Sep, T);
    const int P2 = PosFrom(Sep, T, P1);
    const int C = GetSelStart();
    const int Part = C < P1 ? 0 : C < P2 ? 1 : 2;

    TDateTime D = GetDateValue();
    switch (Order[size_t(Part)].second) {
    case L'D': D = D + Sign; break;
    case L'M': D = IncMonth(D, Sign); break;
    default: D = IncYear(ClampDate(D), Sign); break;
    }
    SetDateValue(D);
}

void TJyrSpinEdit::StepTime(int Sign)
{
    const String T = GetText();
    const String Sep(1, TimeSeparator());
    const int P1 = Pos(Sep, T);
    const int P2 = PosFrom(Sep, T, P1);
    const int C = GetSelStart();
    TDateTime Step = 0;
    if (C < P1) Step = EncodeTime(Word(FIncrementHours), 0, 0, 0);
    else if (FShowSeconds && P2 > 0 && C >= P2) Step = EncodeTime(0, 0, Word(FIncrementSeconds), 0);
    else Step = EncodeTime(0, Word(FIncrementMinutes), 0, 0);
    TDateTime V = GetTimeValue();
    if (Sign > 0) {
        V = V + Step;
    } else {
        V = V + 1 - Step;
        if (V > 1) V = V - 1;
    }
    SetTimeValue(RoundToMs(V));
}

// ---- Keys -------------------------------------------------------------------------------------

bool TJyrSpinEdit::IsValidChar(Char Key)
{
    if (Key == VK_BACK) return FEditorEnabled;
    const Char Dec = DecimalSeparator(), Thou = ThousandSeparator(), TimeSep = TimeSeparator(),
               DateSep = DateSeparator();
    const String T = GetText();
    const int SelStart = GetSelStart(), SelLength = GetSelLength();
    const bool Numeric = FSpinType == sptNormal || FSpinType == sptFloat;

    bool R = Key == Dec || Key == Thou || Key == TimeSep || Key == DateSep || QorUtil::IsNumChar(Key) || Key == L'-';
    if (Key < 32 && Key != VK_RETURN) R = true;

    // A separator of another kind is taken only where it doubles as a number character.
    auto ForeignSeparator = [&](Char Sep) {
        if (Sep == Dec || Sep == Thou || Sep == L'-' || Sep == L'+') R = R && Numeric;
        else R = false;
    };
    if (Key == TimeSep && FSpinType != sptTime) ForeignSeparator(TimeSep);
    if (Key == DateSep && FSpinType != sptDate) ForeignSeparator(DateSep);

    // A "-" that is the kind's own separator (Danish dates) is a separator, not a sign.
    const bool DashSeparates = (FSpinType == sptDate && DateSep == L'-') || (FSpinType == sptTime && TimeSep == L'-');
    if (Key == L'-' && !DashSeparates) {
        const int P = Pos(L"-", T);
        if (P == 0 || InSelection(P, SelStart, SelLength)) R = R && SelStart == 0;
        else R = false;
    }

    if (FSpinType == sptNormal) R = R && (QorUtil::IsNumChar(Key) || Key == L'-' || IsClipboardKey(Key));

    if (FSpinType == sptFloat && Key != VK_ESCAPE && Key != VK_RETURN && Key != VK_BACK) {
        if (Key == Thou) R = false;
        const int F = Pos(String(1, Dec), T);
        if (Key == Dec && F > 0 && !InSelection(F, SelStart, SelLength)) R = false;
        if (FPrecision > 0 && F > 0 && SelStart >= F && SelLength == 0 && R) R = int(T.size()) < F + FPrecision;
    }

    if (FSpinType == sptTime && Key == TimeSep && std::count(T.begin(), T.end(), TimeSep) >= 2) R = false;

    if (!FEditorEnabled && Key >= 32) R = false;
    return R;
}

void TJyrSpinEdit::KeyPress(Char& Key)
{
    // Enter with ReturnIsTab has become a Tab already: its character goes silently.
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = 0;
        return;
    }
    if (!IsValidChar(Key)) {
        Key = 0;
        JyrControls::Beep();
        return;
    }
    inherited::KeyPress(Key);
}

void TJyrSpinEdit::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        if (HandleAllocated()) PostMessageW(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_DELETE && !FEditorEnabled) Key = 0;
    inherited::KeyDown(Key, Shift);
}

// ---- Focus ------------------------------------------------------------------------------------

void TJyrSpinEdit::CMEnter(TMessage& Message)
{
    if (GetAutoSelect() && (!GetControlState().Contains(TControlStateFlag::csLButtonDown) || !FEditorEnabled) &&
        HandleAllocated())
        SelectAll();
    inherited::Dispatch(Message);
}

void TJyrSpinEdit::CMExit(TMessage& Message)
{
    inherited::Dispatch(Message);
    switch (FSpinType) {
    case sptNormal: {
        int V = GetValue();
        if (CheckValue(V) != V) SetValue(CheckValue(V));
        break;
    }
    case sptFloat: {
        double V = GetFloatValue();
        if (CheckFloatValue(V) != V) SetFloatValue(CheckFloatValue(V));
        break;
    }
    case sptDate: {
        TDateTime V = GetDateValue();
        if (CheckDateValue(V) != V) SetDateValue(CheckDateValue(V));
        break;
    }
    case sptTime: {
        TDateTime V = GetTimeValue();
        if (CheckDateValue(V) != V) SetTimeValue(CheckDateValue(V));
        break;
    }
    }
}

// ---- Messages ---------------------------------------------------------------------------------

void TJyrSpinEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
        switch (Message.WParam) {
        case VK_PRIOR: DoInc(true); break;
        case VK_NEXT: DoDec(true); break;
        case VK_UP: UpClick(this); break;
        case VK_DOWN: DownClick(this); break;
        default: inherited::Dispatch(Message); return;
        }
        Message.Result = 0;
        break;
    case WM_CHAR:
        // The keypad's "." types the locale's decimal separator.
        if (FExcelStyleDecimalSeparator && Message.WParam == L'.' && (Message.LParam & (LPARAM(1) << 22)) != 0)
            Message.WParam = WPARAM(DecimalSeparator());
        inherited::Dispatch(Message);
        break;
    case WM_SIZE: WMSize(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    default: inherited::Dispatch(Message);
    }
}

// ---- Registration -----------------------------------------------------------------------------

void TJyrSpinEdit::RegisterProperties(TPropertyTable& T)
{
    // Bounds and steps before the kind and the values they clamp.
    T.Add(L"MinValue", &TJyrSpinEdit::GetMinValue, &TJyrSpinEdit::SetMinValue, 0);
    T.Add(L"MaxValue", &TJyrSpinEdit::GetMaxValue, &TJyrSpinEdit::SetMaxValue, 100);
    T.Add(L"MinFloatValue", &TJyrSpinEdit::GetMinFloatValue, &TJyrSpinEdit::SetMinFloatValue, 0.0);
    T.Add(L"MaxFloatValue", &TJyrSpinEdit::GetMaxFloatValue, &TJyrSpinEdit::SetMaxFloatValue, 100.0);
    T.Add(L"MinDateValue", &TJyrSpinEdit::GetMinDateValue, &TJyrSpinEdit::SetMinDateValue, 0.0);
    T.Add(L"MaxDateValue", &TJyrSpinEdit::GetMaxDateValue, &TJyrSpinEdit::SetMaxDateValue, 0.0);
    T.Add(L"Increment", &TJyrSpinEdit::GetIncrement, &TJyrSpinEdit::SetIncrement, 1);
    T.Add(L"IncrementFloat", &TJyrSpinEdit::GetIncrementFloat, &TJyrSpinEdit::SetIncrementFloat, 0.1);
    T.Add(L"IncrementFloatPage", &TJyrSpinEdit::GetIncrementFloatPage, &TJyrSpinEdit::SetIncrementFloatPage, 1.0);
    T.Add(L"IncrementHours", &TJyrSpinEdit::GetIncrementHours, &TJyrSpinEdit::SetIncrementHours, 1);
    T.Add(L"IncrementMinutes", &TJyrSpinEdit::GetIncrementMinutes, &TJyrSpinEdit::SetIncrementMinutes, 1);
    T.Add(L"IncrementSeconds", &TJyrSpinEdit::GetIncrementSeconds, &TJyrSpinEdit::SetIncrementSeconds, 1);
    T.Add(L"Precision", &TJyrSpinEdit::GetPrecision, &TJyrSpinEdit::SetPrecision, 0);
    T.Add(L"ShowSeconds", &TJyrSpinEdit::GetShowSeconds, &TJyrSpinEdit::SetShowSeconds, true);
    T.Add(L"SpinType", &TJyrSpinEdit::GetSpinType, &TJyrSpinEdit::SetSpinType, sptNormal);
    // Value and FloatValue live in the text; the date and time fields are what Loaded writes.
    T.Add(L"Value", &TJyrSpinEdit::GetValue, &TJyrSpinEdit::SetValue).Stored(false);
    T.Add(L"FloatValue", &TJyrSpinEdit::GetFloatValue, &TJyrSpinEdit::SetFloatValue).Stored(false);
    T.AddProc(L"DateValue", TPropKind::Float,
              [](TObject* O) { return TPropValue(double(static_cast<TJyrSpinEdit*>(O)->FDateValue)); },
              [](TObject* O, const TPropValue& V) { static_cast<TJyrSpinEdit*>(O)->SetDateValue(V.AsFloat()); });
    T.AddProc(L"TimeValue", TPropKind::Float,
              [](TObject* O) { return TPropValue(double(static_cast<TJyrSpinEdit*>(O)->FTimeValue)); },
              [](TObject* O, const TPropValue& V) { static_cast<TJyrSpinEdit*>(O)->SetTimeValue(V.AsFloat()); });
    T.Add(L"Direction", &TJyrSpinEdit::GetDirection, &TJyrSpinEdit::SetDirection, spVertical);
    T.Add(L"EditAlign", &TJyrSpinEdit::GetEditAlign, &TJyrSpinEdit::SetEditAlign, eaLeft);
    T.Add(L"ReturnIsTab", &TJyrSpinEdit::GetReturnIsTab, &TJyrSpinEdit::SetReturnIsTab, false);
    T.Add(L"ExcelStyleDecimalSeparator", &TJyrSpinEdit::GetExcelStyleDecimalSeparator,
          &TJyrSpinEdit::SetExcelStyleDecimalSeparator, false);
    T.Add(L"SpinFlat", &TJyrSpinEdit::GetSpinFlat, &TJyrSpinEdit::SetSpinFlat, false);
    T.Add(L"SpinTransparent", &TJyrSpinEdit::GetSpinTransparent, &TJyrSpinEdit::SetSpinTransparent, false);
    T.Add(L"AllowEmptyValue", &TJyrSpinEdit::GetAllowEmptyValue, &TJyrSpinEdit::SetAllowEmptyValue, false);
}

void RegisterSpinEdit()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterStdCtrls();
    RegisterMask();
    RegisterEnumIdents<TJyrSpinType>(L"jyrspin::TJyrSpinType", {{sptNormal, L"sptNormal"}, {sptFloat, L"sptFloat"},
                                                                 {sptDate, L"sptDate"}, {sptTime, L"sptTime"}});
    RegisterEnumIdents<TSpinDirection>(L"jyrspin::TSpinDirection",
                                       {{spVertical, L"spVertical"}, {spHorizontal, L"spHorizontal"}});
    RegisterEnumIdents<TEditAlign>(L"jyrspin::TEditAlign", {{eaLeft, L"eaLeft"}, {eaRight, L"eaRight"}, {eaCenter, L"eaCenter"}});
    RegisterClasses<TJyrSpinButton, TJyrSpinEdit>();
}

}  // namespace jyrspin
