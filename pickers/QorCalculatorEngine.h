// QorCalculatorEngine: the arithmetic of the calculator drop-down, without a window. The engine
// executes immediately, like a pocket calculator: an operator first completes the pending
// operation with the value on display, then becomes the new pending operation; "=" completes it.
// It has a one-value memory, percent, square root, reciprocal, sign change and a back-space, and
// shows "Error" after a division by zero, the root of a negative value or the reciprocal of zero.
//
// The display is not the engine's: it reads and writes the value through IQorCalculatorDisplay,
// which the calculator drop-down implements over its edit (the value text without prefix and
// suffix, formatted by the edit type with Precision and thousand separators). TQorCalculatorText
// is a display without a window, formatting as such an edit does.
//
// The drop-down is a thin layer over the engine:
//   keypad click (button Tag)           CalcChange(); Engine.ButtonClick(Tag)
//   popup opens (BeforeDropDown)        Engine.DropDownOpened()
//   edit's KeyPress                     Engine.EditKeyPress(Key, PopupShown); a Key left over goes
//                                       on to the drop-down's own typed input
//   character typed in the open popup   (the edit sees it first), then CalcChange() and
//                                       Engine.HandleKeyPress(Key, Alt), which says whether the
//                                       popup is to close
//   Backspace key in the open popup     Engine.BackspaceKey()
//   Delete key in the edit              (after the edit's handling) Engine.DeleteKey()
//   CalcResult, Value                   Engine.CalcResult(), GetValue(), SetValue()
//
// Every value read from the display that is not a number reads as 0 (a text operation) or leaves
// the memory unchanged (MS, M+); results beyond the range of a double give 0. Nothing raises.
#pragma once

#include "framework/SysUtils.h"

// ---- unit routines ------------------------------------------------------------------------------

// The locale's separators (the process format settings, read at each call).
Char ThousandSeparator();
Char DecimalSeparator();
// True for a Unicode number character (digits of any script, fractions, superscripts, ...).
bool IsNumChar(Char Ch);
// Text without any thousand separator.
String StripThousandSep(const String& Text);

// The text the display shows after a failed operation.
extern const wchar_t* const CalcErrorText;   // "Error"

// The keypad buttons' action codes, their Tag: 0 to 9 are the digits.
enum TCalcAction : int {
    caPlus = 10,
    caMinus = 11,
    caMultiply = 12,
    caDivide = 13,
    caSign = 14,          // +/-
    caPoint = 15,         // the decimal separator
    caClear = 16,         // C
    caEquals = 17,
    caPercent = 18,
    caOn = 30,            // the captionless first button: clears as C does
    caBack = 31,
    caClearEntry = 32,    // CE
    caMemoryClear = 33,   // MC
    caMemoryRecall = 34,  // MR
    caMemoryStore = 35,   // MS
    caMemoryAdd = 36,     // M+
    caSqrt = 37,
    caReciprocal = 38     // 1/x
};

// The pending operation (FPrevop).
enum TCalcOperation : int { coNone = -1, coAdd = 0, coMultiply = 1, coSubtract = 2, coDivide = 3 };

// What a character typed in the open popup asks of the drop-down.
enum class TCalcKeyResult { None, CloseAccept, CloseCancel };

// The display the engine reads and writes: the drop-down's edit.
class IQorCalculatorDisplay {
public:
    virtual ~IQorCalculatorDisplay() = default;
    // The value text.
    virtual String GetText() = 0;
    // Writes a value text as the edit's typed setter does: a number is shown with Precision
    // decimals (and thousand separators when they are on), "Error" as it is, an empty text as 0.
    // Clears the modified flag.
    virtual void SetText(const String& Value) = 0;
    // Writes a value text exactly as given, with the caret after it (a character typed over it).
    virtual void SetTextAsTyped(const String& Value) = 0;
    // The value as a number: 0 for a text that is not one ("Error", "-", empty). Never raises.
    virtual Extended GetFloat() = 0;
    // Writes a number in the edit type's format. Sets the modified flag.
    virtual void SetFloat(Extended Value) = 0;
    // Decimals shown (negative: the general format).
    virtual int GetPrecision() = 0;
    // The edit's length limit, 0 for none.
    virtual int GetMaxLength() = 0;
    virtual void SetModified(bool Value) = 0;
};

class TQorCalculatorEngine {
public:
    explicit TQorCalculatorEngine(IQorCalculatorDisplay& Display) : FDisplay(Display) {}

    // A keypad button with this action code (Tag); codes without an action (19 to 29, ...) only
    // mark the edit modified. At the length limit a digit that would extend the number, "+/-" and
    // "." extending it are ignored altogether.
    void ButtonClick(int Tag);
    // The popup opens: the next digit starts a new number; the accumulator, the pending operation
    // and the memory stay.
    void DropDownOpened();
    // The edit's rules for a character typed into it (PopupShown: the popup is open). Operators
    // typed while the popup is closed act at once; a digit over a shown result (or "0") replaces
    // it; characters that are not part of a number are cleared. A Key left non-zero goes on to
    // the edit's own typed input.
    void EditKeyPress(Char& Key, bool PopupShown);
    // A character typed while the popup is open, after the edit has seen it. Alt: the Alt key is
    // held.
    TCalcKeyResult HandleKeyPress(Char Key, bool Alt);
    // Backspace in the open popup: the value text without its last character, or "0".
    void BackspaceKey();
    // After the edit's Delete key: an empty value or "Error" becomes "0".
    void DeleteKey();

    // Operations of the keypad and the keys.
    void DoCalc();
    void DoPlus();
    void DoMin();
    void DoMul();
    void DoDiv();
    void DoEq();
    void DoPerc();
    // Completes the pending operation as "=" does (the grid commits the result).
    void CalcResult() { DoEq(); }

    // The displayed value (an empty display is written "0" first); 0 when it is not a number.
    Extended GetValue();
    // Writes a value in the general format through SetText; a value beyond a double's range as 0.
    void SetValue(Extended Value);

    // State, for the drop-down and for tests.
    Extended GetPrevval() const { return FPrevval; }
    int GetPrevop() const { return FPrevop; }
    Extended GetMemory() const { return FMVal; }
    void SetMemory(Extended Value) { FMVal = Value; }
    bool GetNewval() const { return FNewval; }
    int GetDecim() const { return FDecim; }

private:
    void DigitClick(int Digit);
    void SignClick();
    void PointClick();
    void ClearAll();
    void BackClick();
    // True when a digit would extend the displayed number rather than start a new one.
    bool Extending();
    // The display's text with "Error" (and an empty text) written as "0" first.
    String TextOrZero();
    // The display's text with anything that is not a number ("Error" too) written as "0" first.
    String NumberOrZero();

    IQorCalculatorDisplay& FDisplay;
    // 0 while digits go into the integer part; after ".", the divisor of the next decimal digit.
    int FDecim = 0;
    // The next digit starts a new number.
    bool FNewval = false;
    // The accumulator, in the full extended precision.
    Extended FPrevval = 0;
    int FPrevop = coNone;
    // The memory.
    Extended FMVal = 0;
};

// A calculator display without a window: the value text of a float edit (ShowThousandSeparator
// off) or a money edit (on), formatted as the drop-down formats it, with the caret kept at the end
// of the text. Typing and pasting follow the drop-down edit's rules for these types in the simple
// form a caret at the end allows.
class TQorCalculatorText : public IQorCalculatorDisplay {
public:
    // Precision 2, showing 0.
    TQorCalculatorText() { SetText(L"0"); }
    String GetText() override { return FText; }
    void SetText(const String& Value) override;
    void SetTextAsTyped(const String& Value) override { FText = Value; }
    Extended GetFloat() override;
    void SetFloat(Extended Value) override;
    int GetPrecision() override { return FPrecision; }
    int GetMaxLength() override { return FMaxLength; }
    void SetModified(bool Value) override { FModified = Value; }

    void SetPrecision(int Value);
    void SetMaxLength(int Value) { FMaxLength = Value; }
    bool GetShowThousandSeparator() const { return FThousands; }
    // Switching rewrites the value in the new format.
    void SetShowThousandSeparator(bool Value);
    // A leading "-" may be typed (the calculator turns it off while its popup is open).
    bool GetSigned() const { return FSigned; }
    void SetSigned(bool Value) { FSigned = Value; }
    bool GetModified() const { return FModified; }

    // The edit's own handling of a character the calculator passed on, at the end of the text:
    // digits and one decimal separator appended (not past MaxLength nor past Precision decimals),
    // Backspace deletes the last character, "-" toggles the sign while Signed.
    void TypeChar(Char Key);
    // Pasting Clip over the whole value: taken only when it is an integer or a float (no decimal
    // separator with Precision 0, no "-" unless Signed) and fits MaxLength; then written as a
    // number. False when refused.
    bool Paste(const String& Clip);

private:
    String FText;
    int FPrecision = 2;
    int FMaxLength = 0;
    bool FThousands = false;
    bool FSigned = true;
    bool FModified = false;
};
