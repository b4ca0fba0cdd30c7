// Mask: the parsed input mask and the edit that follows it.
#include "Mask.h"

#include "TypInfo.h"

#include <cwctype>

// ---- TEditMaskInfo -----------------------------------------------------------------------------

TEditMaskInfo::TEditMaskInfo(const String& EditMask)
{
    // Sections: the mask, whether literals are saved, the blank character. A ';' escaped with
    // '\' belongs to the mask.
    String MaskPart = EditMask;
    size_t Sep = String::npos;
    for (size_t I = 0; I < EditMask.size(); ++I) {
        if (EditMask[I] == L'\\') {
            ++I;
            continue;
        }
        if (EditMask[I] == L';') {
            Sep = I;
            break;
        }
    }
    if (Sep != String::npos) {
        MaskPart = EditMask.substr(0, Sep);
        String Rest = EditMask.substr(Sep + 1);
        size_t Sep2 = Rest.find(L';');
        String Save = Sep2 == String::npos ? Rest : Rest.substr(0, Sep2);
        if (!Save.empty()) FSaveLiterals = Save[0] != L'0';
        if (Sep2 != String::npos && Sep2 + 1 < Rest.size()) FBlank = Rest[Sep2 + 1];
    }
    TCase Case = TCase::None;
    for (size_t I = 0; I < MaskPart.size(); ++I) {
        Char C = MaskPart[I];
        TPos P;
        P.Case = Case;
        switch (C) {
        case L'!': FRightAligned = true; continue;
        case L'>':
            if (I + 1 < MaskPart.size() && MaskPart[I + 1] == L'<') {
                Case = TCase::None;
                ++I;
            } else {
                Case = TCase::Upper;
            }
            continue;
        case L'<': Case = TCase::Lower; continue;
        case L'\\':
            if (I + 1 < MaskPart.size()) {
                P.Literal = MaskPart[++I];
                P.Case = TCase::None;
                FPositions.push_back(P);
            }
            continue;
        case L'L': P.Kind = TKind::Letter; P.Required = true; break;
        case L'l': P.Kind = TKind::Letter; break;
        case L'A': P.Kind = TKind::AlphaNum; P.Required = true; break;
        case L'a': P.Kind = TKind::AlphaNum; break;
        case L'C': P.Kind = TKind::AnyChar; P.Required = true; break;
        case L'c': P.Kind = TKind::AnyChar; break;
        case L'0': P.Kind = TKind::Digit; P.Required = true; break;
        case L'9': P.Kind = TKind::Digit; break;
        case L'#': P.Kind = TKind::DigitOrSign; break;
        case L':': P.Literal = FormatSettings.TimeSeparator; break;
        case L'/': P.Literal = FormatSettings.DateSeparator; break;
        case L'_': P.Literal = L' '; break;
        default: P.Literal = C; break;
        }
        if (P.Kind == TKind::Literal) P.Case = TCase::None;
        FPositions.push_back(P);
    }
}

String TEditMaskInfo::EmptyText() const
{
    String S;
    for (const TPos& P : FPositions) S += P.Kind == TKind::Literal ? P.Literal : FBlank;
    return S;
}

bool TEditMaskInfo::Accepts(int Index, Char& Ch) const
{
    if (Index < 0 || Index >= Length()) return false;
    const TPos& P = At(Index);
    if (P.Kind == TKind::Literal) return Ch == P.Literal;
    if (Ch < L' ') return false;
    if (P.Case == TCase::Upper) Ch = UpCase(Ch);
    else if (P.Case == TCase::Lower) Ch = LoCase(Ch);
    switch (P.Kind) {
    case TKind::Digit: return Ch >= L'0' && Ch <= L'9';
    case TKind::DigitOrSign: return (Ch >= L'0' && Ch <= L'9') || Ch == L'+' || Ch == L'-';
    case TKind::Letter: return std::iswalpha(Ch) != 0;
    case TKind::AlphaNum: return std::iswalnum(Ch) != 0;
    default: return true;
    }
}

int TEditMaskInfo::NextInput(int Index) const
{
    if (Index < 0) Index = 0;
    while (Index < Length() && IsLiteral(Index)) ++Index;
    return Index;
}

String TEditMaskInfo::Format(const String& Value) const
{
    String S = EmptyText();
    if (FSaveLiterals) {
        for (int I = 0; I < Length() && size_t(I) < Value.size(); ++I) {
            Char Ch = Value[size_t(I)];
            if (!IsLiteral(I) && Ch != L' ' && Ch != FBlank && Accepts(I, Ch)) S[size_t(I)] = Ch;
        }
        return S;
    }
    // The value holds only the input characters.
    std::vector<int> Inputs;
    for (int I = 0; I < Length(); ++I)
        if (!IsLiteral(I)) Inputs.push_back(I);
    size_t Count = std::min(Inputs.size(), Value.size());
    // A right-aligned mask fills from the end.
    size_t First = FRightAligned && Value.size() < Inputs.size() ? Inputs.size() - Value.size() : 0;
    for (size_t K = 0; K < Count && First + K < Inputs.size(); ++K) {
        int I = Inputs[First + K];
        Char Ch = Value[K];
        if (Ch != L' ' && Ch != FBlank && Accepts(I, Ch)) S[size_t(I)] = Ch;
    }
    return S;
}

String TEditMaskInfo::Value(const String& EditText) const
{
    String S;
    for (int I = 0; I < Length(); ++I) {
        Char Ch = size_t(I) < EditText.size() ? EditText[size_t(I)] : FBlank;
        if (IsLiteral(I)) {
            if (FSaveLiterals) S += At(I).Literal;
        } else {
            S += Ch == FBlank ? L' ' : Ch;
        }
    }
    return S;
}

int TEditMaskInfo::FirstInvalid(const String& EditText) const
{
    for (int I = 0; I < Length(); ++I) {
        if (IsLiteral(I)) continue;
        Char Ch = size_t(I) < EditText.size() ? EditText[size_t(I)] : FBlank;
        bool Blank = Ch == FBlank || Ch == L' ';
        if (Blank) {
            if (At(I).Required) return I;
            continue;
        }
        if (!Accepts(I, Ch)) return I;
    }
    return -1;
}

// ---- TCustomMaskEdit ---------------------------------------------------------------------------

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const String& Value)
{
    if (FEditMask == Value) return;
    String Old = GetText();
    FEditMask = Value;
    FMask = TEditMaskInfo(Value);
    if (IsMasked()) {
        SetMaxLength(FMask.Length());
        TControl::SetText(FMask.Format(Old));
    } else {
        SetMaxLength(0);
        TControl::SetText(Old);
    }
}

String TCustomMaskEdit::GetEditText()
{
    return TControl::GetText();
}

void TCustomMaskEdit::SetEditText(const String& Value)
{
    if (!IsMasked()) {
        TControl::SetText(Value);
        return;
    }
    // Shown text position by position, as if the literals were saved.
    String S = FMask.EmptyText();
    for (int I = 0; I < FMask.Length() && size_t(I) < Value.size(); ++I) {
        Char Ch = Value[size_t(I)];
        if (!FMask.IsLiteral(I) && Ch != FMask.Blank() && FMask.Accepts(I, Ch)) S[size_t(I)] = Ch;
    }
    TControl::SetText(S);
}

String TCustomMaskEdit::GetText()
{
    String T = TControl::GetText();
    return IsMasked() ? FMask.Value(T) : T;
}

void TCustomMaskEdit::SetText(const String& Value)
{
    TControl::SetText(IsMasked() ? FMask.Format(Value) : Value);
}

void TCustomMaskEdit::Clear()
{
    if (IsMasked()) TControl::SetText(FMask.EmptyText());
    else TCustomEdit::Clear();
}

void TCustomMaskEdit::ValidateEdit()
{
    if (!IsMasked()) return;
    int Bad = FMask.FirstInvalid(GetEditText());
    if (Bad < 0) return;
    if (HandleAllocated()) {
        SetSelStart(Bad);
        SetSelLength(0);
    }
    throw EDBEditError(L"Invalid input value. Use escape key to abandon changes");
}

void TCustomMaskEdit::ClearRange(int Start, int Count)
{
    String T = GetEditText();
    if (int(T.size()) != FMask.Length()) T = FMask.Format(FMask.Value(T));
    for (int I = Start; I < Start + Count && I < FMask.Length(); ++I)
        if (I >= 0 && !FMask.IsLiteral(I)) T[size_t(I)] = FMask.Blank();
    TControl::SetText(T);
}

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    if (!IsMasked() || Key == 0 || GetReadOnly()) return;
    if (Key == VK_BACK || Key == VK_DELETE) {
        int Start = GetSelStart(), Len = GetSelLength();
        if (Len == 0) {
            if (Key == VK_BACK) {
                // The input position before the caret.
                int I = Start - 1;
                while (I >= 0 && FMask.IsLiteral(I)) --I;
                if (I < 0) {
                    Key = 0;
                    return;
                }
                Start = I;
            } else {
                Start = FMask.NextInput(Start);
            }
            Len = 1;
        }
        ClearRange(Start, Len);
        SetSelStart(Start);
        SetSelLength(0);
        SetModified(true);
        Change();
        Key = 0;
    }
}

void TCustomMaskEdit::KeyPress(Char& Key)
{
    inherited::KeyPress(Key);
    if (!IsMasked() || Key == 0) return;
    if (Key < L' ') {
        if (Key == VK_BACK) Key = 0;   // done in KeyDown
        return;
    }
    if (GetReadOnly()) {
        Key = 0;
        return;
    }
    Char Ch = Key;
    Key = 0;
    int Start = GetSelStart(), Len = GetSelLength();
    int Pos = FMask.NextInput(Start);
    // A typed literal moves past it.
    if (Start < FMask.Length() && FMask.IsLiteral(Start) && FMask.At(Start).Literal == Ch) {
        SetSelStart(FMask.NextInput(Start + 1));
        SetSelLength(0);
        return;
    }
    if (Pos >= FMask.Length() || !FMask.Accepts(Pos, Ch)) {
        MessageBeep(0);
        return;
    }
    String T = GetEditText();
    if (int(T.size()) != FMask.Length()) T = FMask.Format(FMask.Value(T));
    for (int I = Start; I < Start + Len && I < FMask.Length(); ++I)
        if (!FMask.IsLiteral(I)) T[size_t(I)] = FMask.Blank();
    T[size_t(Pos)] = Ch;
    TControl::SetText(T);
    SetSelStart(FMask.NextInput(Pos + 1));
    SetSelLength(0);
    SetModified(true);
}

void TCustomMaskEdit::Dispatch(TMessage& Message)
{
    // Pasted or cut text goes through the mask as well.
    if (IsMasked() && (Message.Msg == WM_PASTE || Message.Msg == WM_CUT || Message.Msg == WM_CLEAR) &&
        !GetReadOnly()) {
        int Start = GetSelStart(), Len = GetSelLength();
        if (Message.Msg == WM_CUT) CopyToClipboard();
        ClearRange(Start, Len);
        if (Message.Msg == WM_PASTE) {
            String Paste;
            if (OpenClipboard(HandleAllocated() ? GetHandle() : nullptr)) {
                if (HANDLE H = GetClipboardData(CF_UNICODETEXT)) {
                    TGlobalLock Lock(H);
                    if (auto* P = static_cast<const wchar_t*>(Lock.Data())) {
                        size_t Max = Lock.Size() / sizeof(wchar_t), N = 0;
                        while (N < Max && P[N]) ++N;
                        Paste.assign(P, N);
                    }
                }
                CloseClipboard();
            }
            SetSelStart(Start);
            for (Char C : Paste) {
                Char K = C;
                KeyPress(K);
            }
        } else {
            SetSelStart(Start);
        }
        Change();
        Message.Result = 0;
        return;
    }
    inherited::Dispatch(Message);
}

void TCustomMaskEdit::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"EditMask", &TCustomMaskEdit::GetEditMask, &TCustomMaskEdit::SetEditMask);
}

void RegisterMask()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterClass<TMaskEdit>();
}
