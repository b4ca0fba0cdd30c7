// The calculator's arithmetic over its display, and a display without a window.
#include "pickers/QorCalculatorEngine.h"

#include "framework/Character.h"

#include <cmath>

const wchar_t* const CalcErrorText = L"Error";

namespace {

constexpr Char CharBack = 8;
constexpr Char CharEnter = 13;
constexpr Char CharEscape = 27;

// Values a display can show and read back: finite within a double's range. Anything else is the
// overflow the calculator answers with 0.
bool CalcFinite(Extended Value)
{
    return std::isfinite(static_cast<double>(Value));
}

Extended FiniteOrZero(Extended Value)
{
    return CalcFinite(Value) ? Value : 0;
}

// The value text read as a number with the locale's settings, thousand separators removed; false
// for a text that is not a number or lies beyond a double's range.
bool TryCalcValue(const String& Text, Extended& Value)
{
    Extended V = 0;
    if (!TryStrToFloat(StripThousandSep(Text), V) || !CalcFinite(V)) return false;
    Value = V;
    return true;
}

bool HasDecimalSeparator(const String& Text)
{
    return Text.find(DecimalSeparator()) != String::npos;
}

// The divisor past which a decimal digit is no longer shown: 10^Precision, and never beyond the
// eighth decimal (the divisor is an Integer and the general format shows 15 digits in all).
int DecimalLimit(int Precision)
{
    int Limit = 1;
    for (int I = 0; I < 8 && (Precision < 0 || I < Precision); ++I) Limit *= 10;
    return Limit;
}

} // namespace

// ---- unit routines ------------------------------------------------------------------------------

Char ThousandSeparator()
{
    return FormatSettings.ThousandSeparator;
}

Char DecimalSeparator()
{
    return FormatSettings.DecimalSeparator;
}

bool IsNumChar(Char Ch)
{
    return Character::IsNumber(Ch);
}

String StripThousandSep(const String& Text)
{
    String Result = Text;
    std::erase(Result, ThousandSeparator());
    return Result;
}

// ---- operations ---------------------------------------------------------------------------------

String TQorCalculatorEngine::TextOrZero()
{
    String T = FDisplay.GetText();
    if (T.empty() || T == CalcErrorText) {
        FDisplay.SetText(L"0");
        T = FDisplay.GetText();
    }
    return T;
}

void TQorCalculatorEngine::DoCalc()
{
    Extended X = 0;
    if (!TryCalcValue(TextOrZero(), X)) {
        FPrevval = 0;   // a text that is not a number fails the operation
    } else {
        switch (FPrevop) {
        case coAdd: FPrevval = FiniteOrZero(FPrevval + X); break;
        case coMultiply: FPrevval = FiniteOrZero(FPrevval * X); break;
        case coSubtract: FPrevval = FiniteOrZero(FPrevval - X); break;
        case coDivide:
            if (X == 0) {
                FPrevval = 0;
                FDisplay.SetText(CalcErrorText);
                return;
            }
            FPrevval = FiniteOrZero(FPrevval / X);
            break;
        default: FPrevval = X; break;
        }
    }
    FDisplay.SetFloat(FPrevval);
    FNewval = true;
}

void TQorCalculatorEngine::DoPlus()
{
    DoCalc();
    FPrevop = coAdd;
}

void TQorCalculatorEngine::DoMin()
{
    DoCalc();
    FPrevop = coSubtract;
}

void TQorCalculatorEngine::DoMul()
{
    DoCalc();
    FPrevop = coMultiply;
}

void TQorCalculatorEngine::DoDiv()
{
    DoCalc();
    FPrevop = coDivide;
}

void TQorCalculatorEngine::DoEq()
{
    DoCalc();
    if (FDisplay.GetText().empty()) FDisplay.SetText(L"0");
    FPrevop = coNone;
    Extended Shown = 0;
    if (FDisplay.GetText() != CalcErrorText && TryCalcValue(FDisplay.GetText(), Shown)) FPrevval = Shown;
}

void TQorCalculatorEngine::DoPerc()
{
    Extended X = 0;
    TryCalcValue(TextOrZero(), X);
    FDisplay.SetText(Format(L"%g", {FiniteOrZero(FPrevval * X / 100)}));
}

// ---- keypad -------------------------------------------------------------------------------------

bool TQorCalculatorEngine::Extending()
{
    return !FNewval && !(FDisplay.GetFloat() == 0 && FDecim == 0);
}

void TQorCalculatorEngine::ButtonClick(int Tag)
{
    if ((Tag >= caPlus && Tag <= caSign) || (Tag >= caClear && Tag <= caPercent)) FDecim = 0;

    // The length limit stops a number from growing past it: a digit or a decimal separator that
    // would extend the number, and the sign, are ignored there. A digit that starts a new number
    // is taken.
    const int MaxLength = FDisplay.GetMaxLength();
    if (MaxLength > 0 && Length(FDisplay.GetText()) == MaxLength) {
        if (Tag >= 0 && Tag <= 9 && Extending()) return;
        if (Tag == caSign) return;
        if (Tag == caPoint && !FNewval) return;
    }

    switch (Tag) {
    case caPlus: DoPlus(); break;
    case caMinus: DoMin(); break;
    case caMultiply: DoMul(); break;
    case caDivide: DoDiv(); break;
    case caSign: SignClick(); break;
    case caPoint: PointClick(); break;
    case caClear:
    case caOn:
    case caClearEntry: ClearAll(); break;
    case caEquals: DoEq(); break;
    case caPercent: DoPerc(); break;
    case caBack: BackClick(); break;
    case caMemoryClear: FMVal = 0; break;
    case caMemoryRecall: FDisplay.SetFloat(FMVal); break;
    case caMemoryStore: {
        Extended X = 0;
        if (TryCalcValue(FDisplay.GetText(), X)) FMVal = X;   // "Error" leaves the memory
        break;
    }
    case caMemoryAdd: {
        Extended X = 0;
        if (TryCalcValue(FDisplay.GetText(), X)) FMVal = FiniteOrZero(FMVal + X);
        break;
    }
    case caSqrt: {
        const Extended V = FDisplay.GetFloat();
        if (V < 0 || std::isnan(V)) FDisplay.SetText(CalcErrorText);
        else FDisplay.SetFloat(std::sqrt(V));
        break;
    }
    case caReciprocal: {
        const Extended V = FDisplay.GetFloat();
        if (V == 0) FDisplay.SetText(CalcErrorText);
        else FDisplay.SetFloat(FiniteOrZero(1 / V));
        break;
    }
    default:
        if (Tag >= 0 && Tag <= 9) DigitClick(Tag);
        break;
    }
    FDisplay.SetModified(true);
}

void TQorCalculatorEngine::DigitClick(int Digit)
{
    const Extended V = FDisplay.GetFloat();
    if (FNewval || (V == 0 && FDecim == 0)) {
        FDisplay.SetText(String(1, Char(L'0' + Digit)));
        FNewval = false;
        return;
    }
    // A decimal digit past the shown decimals would only round the display: it is ignored.
    if (FDecim > DecimalLimit(FDisplay.GetPrecision())) return;
    Extended Magnitude = std::fabs(V);
    if (FDecim == 0) {
        Magnitude = Magnitude * 10 + Digit;
    } else {
        Magnitude += Extended(Digit) / FDecim;
        FDecim *= 10;
    }
    FDisplay.SetFloat(FiniteOrZero(V < 0 ? -Magnitude : Magnitude));
}

String TQorCalculatorEngine::NumberOrZero()
{
    Extended X = 0;
    if (!TryCalcValue(FDisplay.GetText(), X)) FDisplay.SetText(L"0");
    return FDisplay.GetText();
}

void TQorCalculatorEngine::SignClick()
{
    String T = NumberOrZero();
    if (!T.empty() && T[0] == L'-') T.erase(0, 1);
    else T.insert(0, 1, L'-');
    FDisplay.SetText(T);
}

void TQorCalculatorEngine::PointClick()
{
    const String T = NumberOrZero();
    if (!HasDecimalSeparator(T)) FDisplay.SetText(T + DecimalSeparator());
    FDecim = 10;
    if (FNewval) FDisplay.SetText(L"0");
    FNewval = false;
}

void TQorCalculatorEngine::ClearAll()
{
    FDisplay.SetText(L"0");
    FPrevval = 0;
    FPrevop = coNone;
    FDecim = 0;
}

void TQorCalculatorEngine::BackClick()
{
    if (FPrevop != coNone) return;
    String T = FloatToStr(FDisplay.GetFloat());
    T.pop_back();
    // What is left of "-5" or "1E-5" is no number: 0.
    Extended X = 0;
    FDisplay.SetText(TryCalcValue(T, X) ? T : String(L"0"));
}

void TQorCalculatorEngine::DropDownOpened()
{
    FNewval = true;
    FDecim = 0;
}

// ---- keys ---------------------------------------------------------------------------------------

void TQorCalculatorEngine::EditKeyPress(Char& Key, bool PopupShown)
{
    if (!PopupShown) {
        switch (Key) {
        case CharEnter:
        case L'=': DoEq(); break;
        case L'%': DoPerc(); break;
        case L'*': DoMul(); break;
        case L'+': DoPlus(); break;
        case L'-': DoMin(); break;
        case L'/': DoDiv(); break;
        case L'C':
        case L'c':
            FDisplay.SetText(L"0");
            FNewval = true;
            FPrevop = coNone;
            break;
        default: break;
        }
    }
    if (!IsNumChar(Key) && Key != DecimalSeparator() && Key != CharBack && Key != L'-') {
        Key = 0;
        return;
    }
    // A character typed over "Error" starts from 0, as over a shown result.
    const String T = FDisplay.GetText();
    if ((T == L"0" || T == CalcErrorText || FNewval) && T != L"-" && IsNumChar(Key)) {
        FDisplay.SetTextAsTyped(String(1, Key));
        Key = 0;
        FNewval = false;
        return;
    }
    if (T == CalcErrorText && Key == DecimalSeparator()) {
        FDisplay.SetTextAsTyped(String(L"0") + Key);
        Key = 0;
        FNewval = false;
        return;
    }
    if (Length(T) == 1 && Key == CharBack) {
        FDisplay.SetTextAsTyped(L"0");
        Key = 0;
        return;
    }
    if (Key == ThousandSeparator() || (Key == DecimalSeparator() && HasDecimalSeparator(T))) Key = 0;
}

TCalcKeyResult TQorCalculatorEngine::HandleKeyPress(Char Key, bool Alt)
{
    Extended Shown = 0;
    if (Key == DecimalSeparator() && !HasDecimalSeparator(FDisplay.GetText()) &&
        TryCalcValue(FDisplay.GetText(), Shown))
        FDisplay.SetText(FDisplay.GetText() + DecimalSeparator());
    const int MaxLength = FDisplay.GetMaxLength();
    if (IsNumChar(Key) && MaxLength > 0 && Length(FDisplay.GetText()) == MaxLength) return TCalcKeyResult::None;
    switch (Key) {
    case CharEnter: DoEq(); return TCalcKeyResult::CloseAccept;
    case CharEscape: return TCalcKeyResult::CloseCancel;
    case L'&': return Alt ? TCalcKeyResult::CloseCancel : TCalcKeyResult::None;
    case L'%': DoPerc(); break;
    case L'*': DoMul(); break;
    case L'+': DoPlus(); break;
    // Subtracts; the next digit starts the number to subtract (the result stays a shown result).
    case L'-': DoMin(); break;
    case L'/': DoDiv(); break;
    case L'=': DoEq(); break;
    case L'C':
    case L'c':
        FDisplay.SetText(L"0");
        FPrevval = 0;
        FNewval = true;
        FPrevop = coNone;
        break;
    default:
        if (Key >= L'0' && Key <= L'9') FNewval = false;
        break;
    }
    return TCalcKeyResult::None;
}

void TQorCalculatorEngine::BackspaceKey()
{
    String T = FDisplay.GetText();
    if (!T.empty()) T.pop_back();
    FDisplay.SetText(T.empty() ? String(L"0") : T);
}

void TQorCalculatorEngine::DeleteKey()
{
    const String T = FDisplay.GetText();
    if (T.empty() || T == CalcErrorText) FDisplay.SetText(L"0");
}

// ---- value --------------------------------------------------------------------------------------

Extended TQorCalculatorEngine::GetValue()
{
    if (FDisplay.GetText().empty()) FDisplay.SetText(L"0");
    Extended V = 0;
    return TryCalcValue(FDisplay.GetText(), V) ? V : 0;
}

void TQorCalculatorEngine::SetValue(Extended Value)
{
    FDisplay.SetText(Format(L"%g", {FiniteOrZero(Value)}));
}

// ---- display without a window -------------------------------------------------------------------

void TQorCalculatorText::SetText(const String& Value)
{
    String V = Value.empty() ? String(L"0") : Value;
    if (FPrecision > 0 && V != CalcErrorText) {
        Extended X = 0;
        TryCalcValue(V, X);
        V = Format(FThousands ? L"%.*n" : L"%.*f", {FPrecision, X});
    }
    FText = V;
    FModified = false;
}

Extended TQorCalculatorText::GetFloat()
{
    String T = StripThousandSep(FText);
    if (FThousands && !T.empty() && T.back() == DecimalSeparator()) T.pop_back();
    Extended X = 0;
    return TryCalcValue(T, X) ? X : 0;
}

void TQorCalculatorText::SetFloat(Extended Value)
{
    if (FPrecision < 0) FText = Format(L"%g", {Value});
    else FText = Format(FThousands ? L"%.*n" : L"%.*f", {FPrecision, Value});
    FModified = true;
}

void TQorCalculatorText::SetPrecision(int Value)
{
    if (FPrecision == Value) return;
    FPrecision = Value;
    SetFloat(GetFloat());
}

void TQorCalculatorText::SetShowThousandSeparator(bool Value)
{
    if (FThousands == Value) return;
    FThousands = Value;
    SetFloat(GetFloat());
}

void TQorCalculatorText::TypeChar(Char Key)
{
    if (Key == CharBack) {
        if (!FText.empty()) FText.pop_back();
    } else if (Key == L'-') {
        if (!FSigned) return;
        if (!FText.empty() && FText[0] == L'-') FText.erase(0, 1);
        else FText.insert(0, 1, L'-');
    } else if (Key == DecimalSeparator()) {
        if (FPrecision == 0 || HasDecimalSeparator(FText)) return;
        FText += Key;
    } else if (Key >= L'0' && Key <= L'9') {
        if (FMaxLength > 0 && Length(FText) >= FMaxLength) return;
        const size_t D = FText.find(DecimalSeparator());
        if (FPrecision > 0 && D != String::npos && FText.size() - D - 1 >= size_t(FPrecision)) return;
        FText += Key;
    } else {
        return;
    }
    FModified = true;
}

bool TQorCalculatorText::Paste(const String& Clip)
{
    if (FMaxLength > 0 && Length(Clip) > FMaxLength) return false;
    int Minus = 0, Points = 0;
    for (Char C : Clip) {
        if (C == L'-') ++Minus;
        else if (C == DecimalSeparator()) ++Points;
        else if (C != ThousandSeparator() && !(C >= L'0' && C <= L'9')) return false;
    }
    Extended X = 0;
    if (Minus > 1 || Points > 1 || (Minus && !FSigned) || (Points && FPrecision == 0)) return false;
    if (!TryCalcValue(Clip, X)) return false;
    SetText(Clip);
    SetFloat(GetFloat());
    return true;
}
