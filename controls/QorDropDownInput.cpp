// QorDropDown: the drop-down edit's value between its prefix and suffix, number formats, typed
// characters by edit type, the caret fences, the clipboard, and the focus and mouse rules.
#include "controls/QorDropDown.h"

#include "framework/Clipbrd.h"
#include "framework/Math.h"
#include "framework/SysUtils.h"
#include "framework/WinScope.h"
#include "graphics/QorUtilText.h"

#include <algorithm>
#include <climits>

using namespace QorDropDown;

namespace {

bool IsDigit(Char C)
{
    return C >= L'0' && C <= L'9';
}

bool IsNumberType(TDropDownEditType T)
{
    return T == etNumeric || T == etFloat || T == etMoney;
}

String FixedText(Extended V, int Precision)
{
    return FloatToStrF(V, ffFixed, 18, std::clamp(Precision, 0, TQorCustomDropDown::MaxPrecision));
}

String GroupedText(Extended V, int Precision)
{
    return FloatToStrF(V, ffNumber, 18, std::clamp(Precision, 0, TQorCustomDropDown::MaxPrecision));
}

String GeneralText(Extended V)
{
    return FloatToStrF(V, ffGeneral, 15, 0);
}

// Int64's hexadecimal with a sign and as few digits as needed.
String SignedHex(Int64 V)
{
    if (V < 0) return L"-" + IntToHex(UInt64(0) - UInt64(V) > UInt64(INT64_MAX) ? INT64_MIN : -V, 1);
    return IntToHex(V, 1);
}

// An etMoney value with its integer digits regrouped by three with T (when Separators), its sign
// and its fraction from D on (at most 255 characters) as they are: every digit is kept, however
// many there are, and leading zeros go.
String GroupMoneyDigits(const String& V, Char D, Char T, bool Separators)
{
    String Body = V;
    String Sign;
    if (!Body.empty() && Body[0] == L'-') {
        Sign = L"-";
        Body.erase(0, 1);
    }
    const size_t DP = Body.find(D);
    const String Fraction = DP == String::npos ? String() : Body.substr(DP, 255);
    String Digits;
    for (Char C : Body.substr(0, DP))
        if (IsDigit(C)) Digits += C;
    const size_t First = Digits.find_first_not_of(L'0');
    Digits = First == String::npos ? String(L"0") : Digits.substr(First);
    String Int;
    Int.reserve(Digits.size() + Digits.size() / 3);
    for (size_t K = 0; K < Digits.size(); ++K) {
        if (Separators && K > 0 && (Digits.size() - K) % 3 == 0) Int += T;
        Int += Digits[K];
    }
    return Sign + Int + Fraction;
}

Int64 TruncClamped(Extended V)
{
    if (V != V) return 0;
    if (V >= 9.2e18L) return INT64_MAX;
    if (V <= -9.2e18L) return INT64_MIN;
    return Trunc(V);
}

}  // namespace

// ---- texts ----------------------------------------------------------------------------------------

String TQorCustomDropDown::DisplayText()
{
    return TCustomMaskEdit::GetText();
}

void TQorCustomDropDown::SetDisplay(const String& Text, int CaretStart, int CaretLength)
{
    TCustomMaskEdit::SetText(Text);
    SetSelStart(CaretStart);
    SetSelLength(CaretLength);
}

String TQorCustomDropDown::ValueOf(String Display) const
{
    if (!FPrefix.empty() && Display.compare(0, FPrefix.size(), FPrefix) == 0) Display.erase(0, FPrefix.size());
    if (!FSuffix.empty()) Display.erase(Display.size() - std::min(Display.size(), FSuffix.size()));
    return Display;
}

String TQorCustomDropDown::GetText()
{
    return ValueOf(DisplayText());
}

void TQorCustomDropDown::SetTextDirect(const String& s)
{
    TCustomMaskEdit::SetText(s);
}

int TQorCustomDropDown::GetSelStart()
{
    return TCustomMaskEdit::GetSelStart();
}

void TQorCustomDropDown::SetSelStart(int Value)
{
    TCustomMaskEdit::SetSelStart(Value);
}

int TQorCustomDropDown::GetSelLength()
{
    return TCustomMaskEdit::GetSelLength();
}

void TQorCustomDropDown::SetSelLength(int Value)
{
    TCustomMaskEdit::SetSelLength(Value);
}

void TQorCustomDropDown::SetText(const String& Value)
{
    String V = Value;
    if (V.empty()) {
        const int K = IsType(V);
        if ((FEditType == etNumeric && K != 0) || ((FEditType == etFloat || FEditType == etMoney) && K != 0 && K != 1) ||
            (FEditType == etHex && K != 0 && K != 5))
            V = L"0";
    }
    if (FPrecision > 0 && !V.empty() && V != L"Error") {
        if (FEditType == etMoney) V = GroupedText(EStrToFloat(V), FPrecision);
        else if (FEditType == etFloat) V = FixedText(EStrToFloat(V), FPrecision);
    }
    if (FEditType == etHex) V = UpperCase(V);
    TCustomMaskEdit::SetText(FPrefix + V + FSuffix);
    // A new text puts the caret at its start: it stays out of the prefix.
    if (!FPrefix.empty() && HandleAllocated() && GetSelStart() < int(FPrefix.size())) SetSelStart(int(FPrefix.size()));
    FOldText = V;
    SetModified(false);
}

void TQorCustomDropDown::SetPrefix(const String& Value)
{
    const String V = GetText();
    FPrefix = Value;
    TCustomMaskEdit::SetText(FPrefix + V + FSuffix);
}

void TQorCustomDropDown::SetSuffix(const String& Value)
{
    const String V = GetText();
    FSuffix = Value;
    TCustomMaskEdit::SetText(FPrefix + V + FSuffix);
}

Extended TQorCustomDropDown::EStrToFloat(const String& s)
{
    Extended V = 0;
    if (!TryStrToFloat(StripThousandSep(s), V, FormatSettings)) return 0;
    return V;
}

Extended TQorCustomDropDown::GetFloat()
{
    const String V = GetText();
    switch (FEditType) {
    case etString: {
        TFormatSettings FS = FormatSettings;
        FS.DecimalSeparator = L'.';
        Extended R = 0;
        return TryStrToFloat(V, R, FS) ? R : 0;
    }
    case etNumeric:
    case etFloat:
        if (V.empty() || V == L"Error" || V == L"-") return 0;
        return EStrToFloat(V);
    case etMoney: {
        if (V.empty()) return 0;
        String S = StripThousandSep(V);
        if (!S.empty() && S.back() == DecimalSeparator()) S.pop_back();
        if (S.empty() || S == L"-") return 0;
        return EStrToFloat(S);
    }
    case etHex: return V.empty() ? 0 : Extended(HexToInt(V));
    default: return 0;
    }
}

void TQorCustomDropDown::SetFloat(Extended Value)
{
    switch (FEditType) {
    case etString:
    case etFloat: SetText(FPrecision >= 0 ? FixedText(Value, FPrecision) : GeneralText(Value)); break;
    case etNumeric: SetText(FPrecision >= 0 ? GroupedText(Value, FPrecision) : GeneralText(Value)); break;
    case etMoney:
        SetText(FPrecision >= 0 ? FixedText(Value, FPrecision) : GeneralText(Value));
        AutoSeparators();
        break;
    case etHex: SetText(SignedHex(TruncClamped(Value))); break;
    default: break;
    }
    SetModified(true);
}

void TQorCustomDropDown::SetInt(int Value)
{
    switch (FEditType) {
    case etNumeric:
    case etFloat: SetText(IntToStr(Value)); break;
    case etMoney:
        SetText(IntToStr(Value));
        AutoSeparators();
        break;
    case etHex: SetText(SignedHex(Value)); break;
    default: break;
    }
    SetModified(true);
}

void TQorCustomDropDown::SetEditType(TDropDownEditType Value)
{
    if (Value < etString || Value > etValidChars || Value == FEditType) return;
    FEditType = Value;
    if (Value == etPassword) {
        SetPasswordChar(L'*');
        FCanUndo = false;
        if (HandleAllocated()) RecreateWnd();
    } else {
        SetPasswordChar(0);
        // Back to the multi-line window of the other types, or to the line window of a money
        // value (CreateParams).
        if (HandleAllocated() && ((GetWindowLongPtrW(GetHandle(), GWL_STYLE) & ES_MULTILINE) == 0 ||
                                  HasLineWindow() != (Value == etMoney)))
            RecreateWnd();
    }
    const int K = IsType(GetText());
    if (Value == etNumeric && K != 0) SetInt(0);
    else if ((Value == etFloat || Value == etMoney) && (K == 2 || K == 5)) SetFloat(0);
    else if (Value == etHex && K != 0 && K != 5) SetInt(0);
}

void TQorCustomDropDown::SetPrecision(SmallInt Value)
{
    if (Value == FPrecision) return;
    if (FEditType != etString && FEditType != etFloat && FEditType != etMoney) return;
    if (Value > MaxPrecision) Value = 0;
    FPrecision = Value;
    const int K = IsType(GetText());
    if (K == 2 || K == 5) SetFloat(0);
    else SetFloat(GetFloat());
}

bool TQorCustomDropDown::GetModified()
{
    return FIsModified;
}

void TQorCustomDropDown::SetModified(bool Value)
{
    if (IsLoading() || !FEditorEnabled || GetReadOnly()) return;
    TCustomMaskEdit::SetModified(Value);
    FIsModified = Value;
}

// ---- positions ----------------------------------------------------------------------------------

int TQorCustomDropDown::DecimalPos()
{
    const String V = GetText();
    const int P = Pos(DecimalSeparator(), V);
    if (P > 0) return P + int(FPrefix.size());
    return int(FPrefix.size() + V.size() + FSuffix.size()) + 1;
}

int TQorCustomDropDown::FixedLength(const String& s)
{
    const String S = StripThousandSep(s);
    int P = Pos(DecimalSeparator(), S);
    if (P == 0) P = int(S.size()) + 1;
    if (FSigned && IsNumberType(FEditType) && Pos(L'-', S) > 0) --P;
    return P;
}

bool TQorCustomDropDown::AllowMin(Char ch)
{
    return FSigned && IsNumberType(FEditType) && ch == L'-';
}

void TQorCustomDropDown::SelectAll()
{
    const int PL = int(FPrefix.size());
    SetSelStart(0);
    SetSelLength(int(DisplayText().size()));
    if (!FPrefix.empty() && GetSelStart() < PL) {
        SetSelStart(PL);
        SetSelLength(int(DisplayText().size()) - PL);
    }
    if (!FSuffix.empty()) {
        SetSelStart(PL);
        SetSelLength(int(GetText().size()));
    }
}

void TQorCustomDropDown::SelectAfterDecimal()
{
    const int P = Pos(DecimalSeparator(), GetText());
    SetSelStart(int(FPrefix.size()) + P);
    SetSelLength(0);
}

void TQorCustomDropDown::SelectBeforeDecimal()
{
    const int P = Pos(DecimalSeparator(), GetText());
    SetSelStart(int(FPrefix.size()) + (P > 0 ? P - 1 : 0));
    SetSelLength(0);
}

int TQorCustomDropDown::CharFromPos(TPoint pt)
{
    if (!HandleAllocated()) return 0;
    return LOWORD(SendMessageW(GetHandle(), EM_CHARFROMPOS, 0, MAKELPARAM(pt.X, pt.Y)));
}

void TQorCustomDropDown::AutoSeparators()
{
    const String V = GetText();
    if (V.empty()) return;
    const String NewValue = GroupMoneyDigits(V, DecimalSeparator(), ThousandSeparator(), FAutoThousandSeparator);
    if (NewValue == V) return;
    const int Caret = GetSelStart() + int(NewValue.size()) - int(V.size());
    FBlockChange = true;
    SetDisplay(FPrefix + NewValue + FSuffix, std::max(Caret, int(FPrefix.size())));
}

bool TQorCustomDropDown::TypeRegrouped(Char Ch)
{
    if (!HandleAllocated() || GetReadOnly()) return false;
    const HWND W = GetHandle();
    DWORD From = 0, To = 0;
    SendMessageW(W, EM_GETSEL, WPARAM(&From), LPARAM(&To));
    const String Old = DisplayText();
    if (To > Old.size() || From > To) return false;
    String Typed = Old;
    Typed.replace(From, To - From, 1, Ch);
    // What typing the character and then AutoSeparators would show, and where the caret would be.
    const String Value = ValueOf(Typed);
    if (Value.empty() || Value == L"-") return false;
    const String NewValue = GroupMoneyDigits(Value, DecimalSeparator(), ThousandSeparator(), FAutoThousandSeparator);
    const bool Regrouped = NewValue != Value;
    const String New = Regrouped ? FPrefix + NewValue + FSuffix : Typed;
    const int Caret = Regrouped ? std::max(int(From) + 1 + int(NewValue.size()) - int(Value.size()), int(FPrefix.size()))
                                : int(From) + 1;
    // The window refuses text beyond its limit: the character then takes the window's own way.
    if (New.size() > size_t(SendMessageW(W, EM_GETLIMITTEXT, 0, 0)) || (GetMaxLength() > 0 && New.size() > size_t(GetMaxLength())))
        return false;
    // The part that differs, [P, end - Same) in both texts, and at least the selection the character
    // replaces (as the window's typing would); when the caret ends at or after it, the replaced part
    // runs up to the caret, so that the replacement leaves the caret in place.
    size_t P = 0;
    while (P < From && P < New.size() && Old[P] == New[P]) ++P;
    size_t Same = 0;
    while (Same < Old.size() - To && Same < New.size() - P && Old[Old.size() - 1 - Same] == New[New.size() - 1 - Same])
        ++Same;
    size_t NewEnd = New.size() - Same;
    const bool CaretAfter = size_t(Caret) >= NewEnd && size_t(Caret) <= New.size();
    if (CaretAfter) NewEnd = size_t(Caret);
    const size_t OldEnd = NewEnd + Old.size() - New.size();
    const String Part = New.substr(P, NewEnd - P);
    // A selection message lays the changed text out once more in the window: it goes only when
    // the replaced part is not already the selection.
    if (P != From || OldEnd != To) SendMessageW(W, EM_SETSEL, WPARAM(P), LPARAM(OldEnd));
    SendMessageW(W, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Part.c_str()));
    if (!CaretAfter) SendMessageW(W, EM_SETSEL, WPARAM(Caret), LPARAM(Caret));
    return true;
}

// ---- typed characters ---------------------------------------------------------------------------

bool TQorCustomDropDown::ScanDistance(int Caret)
{
    const String V = GetText();
    const Char T = ThousandSeparator();
    int Nearest = INT_MAX;
    for (size_t K = 0; K < V.size(); ++K)
        if (V[K] == T) Nearest = std::min(Nearest, std::abs(int(K) + 1 - Caret));
    if (Nearest == INT_MAX) return false;
    return Nearest != 3;
}

bool TQorCustomDropDown::ScanPrecision(int Caret)
{
    const String V = GetText();
    const int D = Pos(DecimalSeparator(), V);
    return FPrecision > 0 && int(V.size()) - Caret <= FPrecision && D > 0 && D <= Caret &&
           int(V.size()) - D >= FPrecision;
}

void TQorCustomDropDown::ToggleSign(bool KeepPrecision)
{
    TValueScope<SmallInt> NoPrecision(FPrecision, KeepPrecision ? FPrecision : SmallInt(0));
    const String V = GetText();
    const int PL = int(FPrefix.size());
    const int Caret = GetSelStart();
    if (Pos(L'-', V) > 0) {
        SetDisplay(FPrefix + V.substr(1) + FSuffix, std::max(PL, Caret - 1));
    } else {
        SetDisplay(FPrefix + L"-" + V + FSuffix, Caret + 1);
    }
    SetModified(true);
}

bool TQorCustomDropDown::TypeNumberChar(Char& Ch)
{
    const Char D = DecimalSeparator(), T = ThousandSeparator();
    const int PL = int(FPrefix.size());
    const String V = GetText();
    const int Caret = GetSelStart() - PL;
    const bool Selection = GetSelLength() > 0;
    const String Sel = GetSelText();
    const bool Money = FEditType == etMoney;
    if (!Money && (Ch == L',' || Ch == L'.') && Ch != D && Ch != T) return false;
    if (Ch == D) {
        if (Money) {
            if (Pos(D, V) > 0 || FPrecision == 0) return false;
            if (GetSelLength() == int(V.size()) && !V.empty()) SetText(String(L"0") + D + L"0");
            SelectAfterDecimal();
            return false;
        }
        if (Pos(D, Sel) == 0 && (Pos(D, V) > 0 || FPrecision == 0)) {
            if (FPrecision > 0) SelectAfterDecimal();
            return false;
        }
    }
    if (!Money && Ch == L',' && Pos(L',', V) > 0 && Pos(L',', Sel) == 0 && Ch != T) return false;
    const bool Accepted = Ch == VK_BACK || Ch == VK_TAB || Ch == VK_RETURN || Ch == L'-' || IsDigit(Ch) ||
                          (Money ? Ch == D : (Ch == L',' || Ch == L'.'));
    if (!Accepted) return Money ? false : true;
    if ((Ch == T || Ch == D) && ScanDistance(Caret)) return false;
    if ((IsDigit(Ch) || Ch == D) && !Selection && ScanPrecision(Caret)) {
        const int DP = Pos(D, V);
        if (Caret >= DP && Caret < int(V.size()) && IsDigit(Ch)) SetSelLength(1);
        else return false;
    }
    if (Caret == 0 && V.empty() && Ch == D) {
        SetDisplay(FPrefix + L"0" + D + FSuffix, PL + 2);
        SetModified(true);
        return false;
    }
    if (FSigned && Ch == L'-') {
        if (Selection) return true;
        ToggleSign(false);
        return false;
    }
    return true;
}

void TQorCustomDropDown::WMChar(TMessage& Message)
{
    if (!FEditorEnabled) {
        Message.Result = 0;
        return;
    }
    Char Ch = Char(Message.WParam);
    const bool Ctrl = CtrlDown();
    const int PL = int(FPrefix.size());
    const String V = GetText();
    const int Caret = GetSelStart();
    const bool Selection = GetSelLength() > 0;
    auto Drop = [&Message] { Message.Result = 0; };
    auto Pass = [&] {
        Message.WParam = Ch;
        inherited::Dispatch(Message);
    };
    if (!Ctrl && !V.empty() && GetSelLength() == int(V.size())) FBlockChange = true;
    // Without the default handling Enter and Esc go on to the parent; a form that previews keys
    // takes them through the framework's character handling instead.
    const HWND ParentWnd = !FDefaultHandling && GetParent() && GetParent()->HandleAllocated() ? GetParent()->GetHandle() : nullptr;
    const TCustomForm* Form = GetParentForm(this, false);
    const bool Preview = Form && Form->GetKeyPreview();
    if (Ch == VK_RETURN) {
        FBlockChange = false;
        if (!Ctrl) {
            Char K = VK_RETURN;
            if (OnKeyPress) OnKeyPress(this, K);
            if (ParentWnd) {
                PostMessageW(ParentWnd, WM_KEYDOWN, VK_RETURN, 0);
                if (Preview) return Pass();
                PostMessageW(ParentWnd, WM_KEYUP, VK_RETURN, 0);
            }
        }
        return Drop();
    }
    if (Ch == VK_ESCAPE) {
        FBlockChange = false;
        if (ParentWnd) {
            if (Preview) return Pass();
            PostMessageW(ParentWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(ParentWnd, WM_KEYUP, VK_ESCAPE, 0);
        }
        if (!FCanUndo) Pass();
        return;
    }
    if (Ctrl && (Ch == 3 || Ch == 22 || Ch == 24)) return Pass();
    if (FExcelStyleDecimalSeparator && (Ch == L'.' || Ch == L',') && (Message.LParam & (1 << 22))) Ch = DecimalSeparator();
    if (Ch == VK_BACK && !FPrefix.empty() && Caret <= PL && !Selection) return Drop();
    if (FLengthLimit > 0 && FLengthLimit < FixedLength(V) && !Selection && Caret < DecimalPos() && Ch != VK_BACK &&
        Ch != DecimalSeparator() && !AllowMin(Ch))
        return Drop();
    if (Ch == VK_BACK) {
        const int From = Caret - PL;
        String Predicted = V;
        if (From >= 1 && !Predicted.empty())
            Predicted.erase(size_t(From - (Selection ? 0 : 1)), size_t(std::max(1, GetSelLength())));
        Pass();
        if (GetText().empty() && !Predicted.empty()) Change();
        if (TCustomMaskEdit::GetModified()) SetModified(true);
        UpdateLookup();
        return;
    }
    if (Ch == 10) return Drop();
    if (IsNumberType(FEditType) && !FSigned && Ch == L'-') return Drop();
    const bool Control = Ch < 32;
    switch (FEditType) {
    case etString:
    case etPassword: SetModified(true); Pass(); break;
    case etNumeric:
        if (Ch == L'-') {
            if (GetSelLength() == int(V.size()) && !V.empty()) {
                SetDisplay(FPrefix + L"-" + FSuffix, PL + 1);
                SetModified(true);
            } else {
                ToggleSign(true);
            }
            return;
        }
        if (Control || IsDigit(Ch) || Ctrl) Pass();
        else return Drop();
        break;
    case etFloat:
    case etMoney: {
        const bool WasD = Ch == DecimalSeparator();
        if (!TypeNumberChar(Ch)) return Drop();
        {
            // A typed digit of a money value is inserted already regrouped (DefaultHandler).
            TValueScope<bool> Regroup(FRegroupTyped, FEditType == etMoney);
            Pass();
        }
        if (FEditType == etMoney && !WasD) {
            const String Now = GetText();
            if (!Now.empty() && Now != L"-") AutoSeparators();
        }
        break;
    }
    case etUppercase: Ch = UpperCase(String(1, Ch))[0]; Pass(); break;
    case etLowerCase: Ch = LowerCase(String(1, Ch))[0]; Pass(); break;
    case etMixedCase: {
        Pass();
        const int At = GetSelStart();
        SetDisplay(FPrefix + QorUtil::ShiftCase(GetText()) + FSuffix, At);
        break;
    }
    case etRange:
        if (!(Control || IsDigit(Ch) || CheckSeparator(Ch))) return Drop();
        if (CheckSeparator(Ch)) {
            const String S = DisplayText();
            const bool Before = Caret > 0 && CheckSeparator(S[size_t(Caret - 1)]);
            const bool After = Caret < int(S.size()) && CheckSeparator(S[size_t(Caret)]);
            if (Caret <= PL || Before || After) return Drop();
        }
        SetModified(true);
        Pass();
        break;
    case etHex:
        if (!(Control || IsDigit(Ch) || Ch == L'-' || (Ch >= L'A' && Ch <= L'F') || (Ch >= L'a' && Ch <= L'f')))
            return Drop();
        SetModified(true);
        Pass();
        break;
    case etAlphaNumeric:
        if (!(Control || IsDigit(Ch) || (Ch >= L'A' && Ch <= L'Z') || (Ch >= L'a' && Ch <= L'z'))) return Drop();
        SetModified(true);
        Pass();
        break;
    case etValidChars:
        if (!(FValidChars.find(Ch) != String::npos || Ch == VK_BACK)) return Drop();
        SetModified(true);
        Pass();
        break;
    }
    if (TCustomMaskEdit::GetModified()) SetModified(true);
    UpdateLookup();
}

bool TQorCustomDropDown::CaretFence(Word& Key, TShiftState Shift)
{
    const int PL = int(FPrefix.size());
    const String V = GetText();
    const int ValueEnd = PL + int(V.size());
    const int SelEnd = GetSelStart() + GetSelLength();
    const bool HasSuffix = !FSuffix.empty(), HasPrefix = !FPrefix.empty();
    switch (Key) {
    case VK_RIGHT:
        if (HasSuffix && SelEnd >= ValueEnd && !Shift.Contains(ssShift)) return true;
        break;
    case VK_LEFT:
        if (HasPrefix && SelEnd <= PL) return true;
        break;
    case VK_END:
        if (!HasSuffix) break;
        if (Shift.Contains(ssShift)) {
            const int From = GetSelStart();
            SetSelStart(From);
            SetSelLength(ValueEnd - From);
        } else {
            SetSelStart(ValueEnd);
            SetSelLength(0);
        }
        return true;
    case VK_HOME:
        if (!HasPrefix) break;
        if (Shift.Contains(ssShift)) SelectAll();
        else {
            SetSelStart(PL);
            SetSelLength(0);
        }
        return true;
    case VK_BACK:
        if (HasPrefix && GetSelStart() <= PL + 1 && GetSelLength() == 0 && GetSelStart() <= PL) return true;
        SetModified(true);
        break;
    case VK_DELETE: {
        if (HasSuffix && SelEnd >= ValueEnd && GetSelLength() == 0) return true;
        if (GetSelStart() >= PL) {
            String After = V;
            const int From = GetSelStart() - PL;
            if (From < int(After.size())) After.erase(size_t(From), size_t(std::max(1, GetSelLength())));
            if (FLengthLimit > 0 && FLengthLimit < FixedLength(After) - 1) return true;
        }
        SetModified(true);
        break;
    }
    default: break;
    }
    return false;
}

// ---- clipboard ----------------------------------------------------------------------------------

void TQorCustomDropDown::WMCut(TMessage& Message)
{
    if (!FEditorEnabled || GetReadOnly()) return;
    TValueScope<bool> Cutting(FBlockCopy, true);
    bool Allow = true;
    if (OnClipboardCut) OnClipboardCut(this, Copy(GetText(), GetSelStart() - int(FPrefix.size()) + 1, GetSelLength()), Allow);
    // A password edit's window neither copies nor cuts: the password never reaches the clipboard,
    // and a cut that could not copy would only lose it.
    if (Allow && GetPasswordChar() == 0) inherited::Dispatch(Message);
}

void TQorCustomDropDown::WMCopy(TMessage& Message)
{
    bool Allow = true;
    if (OnClipboardCopy && !FBlockCopy)
        OnClipboardCopy(this, Copy(GetText(), GetSelStart() - int(FPrefix.size()) + 1, GetSelLength()), Allow);
    if (Allow && GetPasswordChar() == 0) inherited::Dispatch(Message);
}

void TQorCustomDropDown::WMPaste(TMessage& Message)
{
    Message.Result = 0;
    if (GetReadOnly() || !FEditorEnabled) return;
    String Clip = Clipboard()->HasFormat(CF_UNICODETEXT) ? Clipboard()->GetAsText() : String();
    if (Clip.empty()) {
        UpdateLookup();
        return;
    }
    PasteText(JyrControls::FirstLine(Clip));
}

void TQorCustomDropDown::PasteText(const String& Clip)
{
    const int PL = int(FPrefix.size());
    const String V = GetText();
    const int From = std::clamp(GetSelStart() - PL, 0, int(V.size()));
    const int Len = std::min(GetSelLength(), int(V.size()) - From);
    const String N = V.substr(0, size_t(From)) + Clip + V.substr(size_t(From + Len));
    const int NewStart = PL + From + (Len > 0 ? 0 : int(Clip.size()));
    const int NewLength = Len > 0 ? int(Clip.size()) : 0;
    bool Allow = true;
    if (OnClipboardPaste) OnClipboardPaste(this, N, Allow);
    if (!Allow) return;
    if (GetMaxLength() > 0 && GetMaxLength() < int(Clip.size() + V.size()) - Len) return;
    const bool NoMinus = FSigned || Pos(L'-', N) == 0;
    const int K = IsType(N);
    auto AllOf = [&N](auto Pred) { return std::all_of(N.begin(), N.end(), Pred); };
    switch (FEditType) {
    case etString:
    case etPassword: SetText(N); break;
    case etNumeric:
        if (K == 0 && NoMinus) {
            SetText(N);
            SetModified(true);
        }
        break;
    case etFloat:
    case etMoney:
        if ((K == 0 || K == 1) && (FPrecision != 0 || Pos(DecimalSeparator(), Clip) == 0) && NoMinus) {
            SetText(N);
            SetFloat(GetFloat());
            SetModified(true);
        }
        break;
    case etUppercase: SetText(UpperCase(N)); break;
    case etLowerCase: SetText(LowerCase(N)); break;
    case etMixedCase: SetText(QorUtil::ShiftCase(N)); break;
    case etAlphaNumeric:
        if (AllOf([](Char C) { return IsDigit(C) || (C >= L'A' && C <= L'Z') || (C >= L'a' && C <= L'z'); })) {
            SetText(N);
            SetModified(true);
        }
        break;
    case etValidChars:
        if (AllOf([this](Char C) { return FValidChars.find(C) != String::npos; })) {
            SetText(N);
            SetModified(true);
        }
        break;
    case etRange:
    case etHex: break;
    }
    if (FEditType == etMoney && GetText().size() > 3) SelectAll();
    else {
        SetSelStart(NewStart);
        SetSelLength(NewLength);
    }
    if (FEditType == etString || FEditType == etPassword || FEditType == etUppercase || FEditType == etLowerCase ||
        FEditType == etMixedCase)
        SetModified(true);
    UpdateLookup();
}

void TQorCustomDropDown::CNCommand(TMessage& Message)
{
    if (HIWORD(Message.WParam) == EN_CHANGE && FBlockChange) {
        FBlockChange = false;
        return;
    }
    inherited::Dispatch(Message);
}

// ---- focus and mouse ----------------------------------------------------------------------------

void TQorCustomDropDown::WMSetFocus(TMessage& Message)
{
    if (IsLoading()) return;
    inherited::Dispatch(Message);
    if (!FEditorEnabled) {
        HideCaret(GetHandle());
        Invalidate();
        return;
    }
    FOldString = GetText();
    if (GetAutoSelect()) SelectAll();
    else if (FEditType == etFloat || FEditType == etMoney) SelectBeforeDecimal();
}

void TQorCustomDropDown::WMKillFocus(TMessage& Message)
{
    if (IsLoading()) return;
    const String V = GetText();
    if (FPrecision > 0 && (FEditType == etFloat || FEditType == etMoney) && (!V.empty() || !FAllowNumericNullValue)) {
        const bool Was = FIsModified;
        SetFloat(GetFloat());
        SetModified(Was);
    }
    if (V.empty() && !FAllowNumericNullValue) {
        if (FEditType == etNumeric) SetText(IntToStr(GetMinValue()));
        else if (FEditType == etFloat || FEditType == etMoney) SetFloat(0);
    }
    inherited::Dispatch(Message);
    if ((!FEmptyText.empty() && GetText().empty()) || !FEditorEnabled) Invalidate();
}

int TQorCustomDropDown::GetMinValue()
{
    return 0;
}

void TQorCustomDropDown::CMEnter(TMessage& Message)
{
    if (GetAutoSelect() && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
    inherited::Dispatch(Message);
    DrawBorders();
}

void TQorCustomDropDown::CMExit(TMessage& Message)
{
    inherited::Dispatch(Message);
    DrawBorders();
}

void TQorCustomDropDown::WMLButtonDown(TMessage& Message)
{
    if (FEditorEnabled) {
        const int At = CharFromPos(TPoint(SmallInt(LOWORD(Message.LParam)), SmallInt(HIWORD(Message.LParam))));
        if (Focused() && GetSelLength() > 0 && At >= GetSelStart() && At < GetSelStart() + GetSelLength()) {
            FButtonDown = true;
            return;
        }
        inherited::Dispatch(Message);
        return;
    }
    inherited::Dispatch(Message);
    MouseButtonDown(this);
}

void TQorCustomDropDown::WMLButtonUp(TMessage& Message)
{
    if (!FEditorEnabled || GetReadOnly()) DrawBackGround();
    if (FButtonDown) {
        SetSelStart(CharFromPos(TPoint(SmallInt(LOWORD(Message.LParam)), SmallInt(HIWORD(Message.LParam)))));
        SetSelLength(0);
    }
    FButtonDown = false;
    inherited::Dispatch(Message);
    const int PL = int(FPrefix.size());
    if (!FPrefix.empty() && GetSelStart() < PL) {
        SetSelStart(PL);
        SetSelLength(int(GetText().size()));
    }
    if (!FSuffix.empty()) {
        const int End = PL + int(GetText().size());
        if (GetSelStart() > End) SetSelStart(End);
        if (GetSelStart() + GetSelLength() > End) SetSelLength(End - GetSelStart());
    }
}
