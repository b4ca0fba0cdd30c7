// Mask: the edit with an input mask. A mask such as "!99/99/0000;1;_" gives a character class or
// a literal for every position of the text, whether literals are part of Text (";1") and the
// blank shown in unfilled positions ("_"). Typed characters go only where the mask takes them.
#pragma once

#include "StdCtrls.h"

#include <vector>

DECLARE_EXCEPTION(EDBEditError, Exception)

// The parsed form of a mask, without any window: tests and grid editors use it directly.
class TEditMaskInfo {
public:
    enum class TKind { Literal, Digit, DigitOrSign, Letter, AlphaNum, AnyChar };
    enum class TCase { None, Upper, Lower };
    struct TPos {
        TKind Kind = TKind::Literal;
        bool Required = false;
        TCase Case = TCase::None;
        Char Literal = 0;
    };

    TEditMaskInfo() = default;
    explicit TEditMaskInfo(const String& EditMask);

    bool IsEmpty() const { return FPositions.empty(); }
    int Length() const { return int(FPositions.size()); }
    const TPos& At(int Index) const { return FPositions.at(size_t(Index)); }
    bool SaveLiterals() const { return FSaveLiterals; }
    Char Blank() const { return FBlank; }
    bool RightAligned() const { return FRightAligned; }

    // The text shown with nothing entered: literals and blanks.
    String EmptyText() const;
    // Whether Ch may stand at Index; Ch comes back in the position's case.
    bool Accepts(int Index, Char& Ch) const;
    bool IsLiteral(int Index) const { return At(Index).Kind == TKind::Literal; }
    // The next position at or after Index that takes input; Length() when none.
    int NextInput(int Index) const;
    // The edit text (with literals and blanks) for a value: with saved literals position by
    // position, else the value's characters fill the input positions in order. Characters the
    // mask does not take become blanks.
    String Format(const String& Value) const;
    // The value of an edit text: literals only when saved; blanks become spaces.
    String Value(const String& EditText) const;
    // The first required position left blank or holding a character the mask refuses; -1 when
    // the text is complete.
    int FirstInvalid(const String& EditText) const;

private:
    std::vector<TPos> FPositions;
    bool FSaveLiterals = true;
    Char FBlank = L'_';
    bool FRightAligned = false;
};

class TCustomMaskEdit : public TCustomEdit {
    DECLARE_CLASS(TCustomMaskEdit, TCustomEdit)
public:
    explicit TCustomMaskEdit(TComponent* AOwner);

    const String& GetEditMask() const { return FEditMask; }
    // A new mask keeps what can be kept of the value.
    void SetEditMask(const String& Value);
    bool IsMasked() const { return !FMask.IsEmpty(); }
    const TEditMaskInfo& MaskInfo() const { return FMask; }
    // The text as shown (literals and blanks).
    String GetEditText();
    void SetEditText(const String& Value);
    // The value: see TEditMaskInfo::Value; without a mask the plain text.
    String GetText();
    void SetText(const String& Value);
    // Raises EDBEditError and puts the caret on the first position that is missing.
    virtual void ValidateEdit();
    void Clear() override;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    // Blanks the characters from Start (Count of them), literals kept.
    void ClearRange(int Start, int Count);
    void Dispatch(TMessage& Message) override;

private:
    String FEditMask;
    TEditMaskInfo FMask;
};

class TMaskEdit : public TCustomMaskEdit {
    DECLARE_CLASS(TMaskEdit, TCustomMaskEdit)
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};

// Registers the mask edit and its published properties. Runs once.
void RegisterMask();
