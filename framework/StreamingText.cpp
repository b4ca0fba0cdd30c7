// Streaming: the readable text form of object descriptions, parsed into and formatted from the
// description tree.
#include "Streaming.h"

#include <cmath>
#include <cwctype>

namespace {

constexpr int MaxDepth = 100;

[[noreturn]] void SyntaxError(const String& Msg, int Line)
{
    throw EReadError(Consts::SAtLine, {Msg, Line});
}

enum TToken { tkEOF, tkSymbol, tkInteger, tkFloat, tkString, tkPunct };

class TTextParser {
public:
    explicit TTextParser(const String& Text) : S(Text) { Next(); }

    TStreamObject ParseObject(int Depth);
    void ExpectEnd()
    {
        if (Tok != tkEOF) SyntaxError(L"Text after the final 'end'", TokLine);
    }

private:
    // ---- tokens
    bool AtEnd() const { return P >= S.size(); }
    void SkipBlanks()
    {
        while (P < S.size()) {
            wchar_t C = S[P];
            if (C == L'\n') ++Line;
            else if (C == L'\r') {
                if (P + 1 >= S.size() || S[P + 1] != L'\n') ++Line;
            } else if (C == 0xFEFF && P == 0) {
            } else if (C != L' ' && C != L'\t' && C != L'\f' && C != L'\v') break;
            ++P;
        }
    }
    static bool IsIdentStart(wchar_t C) { return C == L'_' || std::iswalpha(C) || C > 127; }
    static bool IsIdentChar(wchar_t C) { return IsIdentStart(C) || (C >= L'0' && C <= L'9') || C == L'.'; }

    void Next();
    void ReadStringToken();
    void ReadNumberToken();

    bool IsPunct(wchar_t C) const { return Tok == tkPunct && TokChar == C; }
    bool IsSymbol(const wchar_t* Name) const { return Tok == tkSymbol && SameText(TokStr, Name); }
    void Expect(wchar_t C)
    {
        if (!IsPunct(C)) SyntaxError(String(L"'") + C + L"' expected", TokLine);
        Next();
    }
    String ExpectSymbol(const wchar_t* What)
    {
        if (Tok != tkSymbol) SyntaxError(String(What) + L" expected", TokLine);
        String R = TokStr;
        Next();
        return R;
    }

    // A float token's value; currency is kept in units of 1/10000.
    void SetFloat(TStreamValue& V, Extended F) const
    {
        V.Type = TokFloatType;
        V.Float = F;
        if (V.Type == vaCurrency) {
            if (!(std::fabs(F) < 9.2e14L)) SyntaxError(L"Currency value out of range", TokLine);
            V.Int = std::llround(F * 10000);
        }
    }

    // ---- grammar
    bool AtObjectStart();
    void ParseProperties(std::vector<TStreamProperty>& Props, int Depth);
    TStreamProperty ParseProperty(int Depth);
    TStreamValue ParseValue(int Depth);
    void ParseBinary(TStreamValue& V);

    const String& S;
    size_t P = 0;
    int Line = 1;
    TToken Tok = tkEOF;
    String TokStr;
    Int64 TokInt = 0;
    Extended TokFloat = 0;
    wchar_t TokChar = 0;
    TValueType TokFloatType = vaExtended;
    int TokLine = 1;
};

void TTextParser::Next()
{
    SkipBlanks();
    TokLine = Line;
    TokStr.clear();
    if (AtEnd()) {
        Tok = tkEOF;
        return;
    }
    wchar_t C = S[P];
    if (IsIdentStart(C)) {
        size_t B = P;
        while (P < S.size() && IsIdentChar(S[P])) ++P;
        TokStr = S.substr(B, P - B);
        Tok = tkSymbol;
    } else if (C == L'\'' || C == L'#') {
        ReadStringToken();
    } else if ((C >= L'0' && C <= L'9') || C == L'$') {
        ReadNumberToken();
    } else {
        Tok = tkPunct;
        TokChar = C;
        ++P;
    }
}

void TTextParser::ReadStringToken()
{
    Tok = tkString;
    while (P < S.size() && (S[P] == L'\'' || S[P] == L'#')) {
        if (S[P] == L'\'') {
            ++P;
            for (;;) {
                if (P >= S.size() || S[P] == L'\r' || S[P] == L'\n') SyntaxError(L"Unterminated string", TokLine);
                if (S[P] == L'\'') {
                    if (P + 1 < S.size() && S[P + 1] == L'\'') {
                        TokStr += L'\'';
                        P += 2;
                        continue;
                    }
                    ++P;
                    break;
                }
                TokStr += S[P++];
            }
        } else {
            ++P;
            unsigned Base = 10;
            if (P < S.size() && S[P] == L'$') {
                Base = 16;
                ++P;
            }
            const TDigitRun Run = ScanDigits(S, P, Base, 0x10FFFF);
            if (Run.Overflow) SyntaxError(L"Invalid character code", TokLine);
            if (!Run.Count) SyntaxError(L"Character code expected after '#'", TokLine);
            P = Run.End;
            UInt64 Code = Run.Value;
            if (Code > 0xFFFF) {
                Code -= 0x10000;
                TokStr += wchar_t(0xD800 + (Code >> 10));
                TokStr += wchar_t(0xDC00 + (Code & 0x3FF));
            } else {
                TokStr += wchar_t(Code);
            }
        }
    }
}

void TTextParser::ReadNumberToken()
{
    size_t B = P;
    if (S[P] == L'$') {
        ++P;
        while (P < S.size() && std::iswxdigit(S[P])) ++P;
        String Text = S.substr(B, P - B);
        if (Text.size() == 1 || Text.size() > 17 || !TryTextToInt64(Text, TokInt))
            SyntaxError(Format(Consts::SInvalidNumber, {Text}), TokLine);
        // Up to 8 digits is a 32-bit pattern ($FFFFFFFF = -1), as 32-bit values are written.
        if (Text.size() <= 9 && TokInt > INT32_MAX) TokInt = Int64(Integer(Cardinal(TokInt)));
        Tok = tkInteger;
        return;
    }
    bool IsFloat = false;
    while (P < S.size() && S[P] >= L'0' && S[P] <= L'9') ++P;
    if (P + 1 < S.size() && S[P] == L'.' && S[P + 1] >= L'0' && S[P + 1] <= L'9') {
        IsFloat = true;
        ++P;
        while (P < S.size() && S[P] >= L'0' && S[P] <= L'9') ++P;
    }
    if (P < S.size() && (S[P] == L'e' || S[P] == L'E')) {
        size_t Q = P + 1;
        if (Q < S.size() && (S[Q] == L'+' || S[Q] == L'-')) ++Q;
        if (Q < S.size() && S[Q] >= L'0' && S[Q] <= L'9') {
            IsFloat = true;
            P = Q;
            while (P < S.size() && S[P] >= L'0' && S[P] <= L'9') ++P;
        }
    }
    String Text = S.substr(B, P - B);
    TokFloatType = vaExtended;
    if (P < S.size() && (S[P] == L's' || S[P] == L'S' || S[P] == L'c' || S[P] == L'C' || S[P] == L'd' || S[P] == L'D')) {
        wchar_t Suffix = LoCase(S[P]);
        TokFloatType = Suffix == L's' ? vaSingle : Suffix == L'c' ? vaCurrency : vaDate;
        IsFloat = true;
        ++P;
    }
    if (P < S.size() && IsIdentChar(S[P]))
        SyntaxError(Format(Consts::SInvalidNumber, {Text + S[P]}), TokLine);
    if (IsFloat) {
        if (!TryInvariantToFloat(Text, TokFloat))
            SyntaxError(Format(Consts::SInvalidNumber, {Text}), TokLine);
        Tok = tkFloat;
    } else {
        if (!TryTextToInt64(Text, TokInt)) SyntaxError(L"Number out of range " + Text, TokLine);
        Tok = tkInteger;
    }
}

bool TTextParser::AtObjectStart()
{
    if (!(IsSymbol(L"object") || IsSymbol(L"inherited") || IsSymbol(L"inline"))) return false;
    // "object Name: TClass" and not a property called "object": the next token is a name.
    size_t Q = P;
    while (Q < S.size() && (S[Q] == L' ' || S[Q] == L'\t')) ++Q;
    return Q < S.size() && IsIdentStart(S[Q]);
}

TStreamObject TTextParser::ParseObject(int Depth)
{
    if (Depth > MaxDepth) SyntaxError(Consts::SObjectsNested, TokLine);
    TStreamObject Obj;
    Obj.Line = TokLine;
    if (IsSymbol(L"inherited")) Obj.Flags << ffInherited;
    else if (IsSymbol(L"inline")) Obj.Flags << ffInline;
    else if (!IsSymbol(L"object")) SyntaxError(L"'object' expected", TokLine);
    Next();
    String First = ExpectSymbol(L"Object name");
    if (IsPunct(L':')) {
        Next();
        Obj.Name = First;
        Obj.ClassName = ExpectSymbol(L"Class name");
    } else {
        Obj.ClassName = First;
    }
    if (IsPunct(L'[')) {
        Next();
        if (Tok != tkInteger) SyntaxError(L"Child position expected", TokLine);
        Obj.ChildPos = TokInt;
        Obj.Flags << ffChildPos;
        Next();
        Expect(L']');
    }
    for (;;) {
        if (Tok == tkEOF) SyntaxError(L"'end' expected for " + (Obj.Name.empty() ? Obj.ClassName : Obj.Name), TokLine);
        if (IsSymbol(L"end")) {
            Next();
            return Obj;
        }
        if (AtObjectStart()) Obj.Children.push_back(ParseObject(Depth + 1));
        else Obj.Props.push_back(ParseProperty(Depth));
    }
}

TStreamProperty TTextParser::ParseProperty(int Depth)
{
    TStreamProperty Prop;
    Prop.Line = TokLine;
    Prop.Name = ExpectSymbol(L"Property name");
    Expect(L'=');
    Prop.Value = ParseValue(Depth + 1);
    return Prop;
}

void TTextParser::ParseProperties(std::vector<TStreamProperty>& Props, int Depth)
{
    while (Tok != tkEOF && !IsSymbol(L"end")) Props.push_back(ParseProperty(Depth));
    if (Tok == tkEOF) SyntaxError(L"'end' expected", TokLine);
    Next();
}

TStreamValue TTextParser::ParseValue(int Depth)
{
    if (Depth > MaxDepth) SyntaxError(L"Values nested too deeply", TokLine);
    TStreamValue V;
    V.Line = TokLine;
    if (IsPunct(L'-') || IsPunct(L'+')) {
        bool Neg = TokChar == L'-';
        Next();
        if (Tok == tkInteger) {
            V = TStreamValue::Integer(Neg ? -TokInt : TokInt);
        } else if (Tok == tkFloat) {
            SetFloat(V, Neg ? -TokFloat : TokFloat);
        } else {
            SyntaxError(L"Number expected", TokLine);
        }
        V.Line = TokLine;
        Next();
        return V;
    }
    switch (Tok) {
    case tkInteger:
        V = TStreamValue::Integer(TokInt);
        V.Line = TokLine;
        Next();
        return V;
    case tkFloat:
        SetFloat(V, TokFloat);
        Next();
        return V;
    case tkString: {
        int StartLine = TokLine;
        String Text = TokStr;
        Next();
        while (IsPunct(L'+')) {
            Next();
            if (Tok != tkString) SyntaxError(L"String expected after '+'", TokLine);
            Text += TokStr;
            Next();
        }
        V = TStreamValue::OfString(Text);
        V.Line = StartLine;
        return V;
    }
    case tkSymbol:
        if (SameText(TokStr, L"True")) V.Type = vaTrue;
        else if (SameText(TokStr, L"False")) V.Type = vaFalse;
        else if (SameText(TokStr, L"nil")) V.Type = vaNil;
        else {
            V.Type = vaIdent;
            V.Str = TokStr;
        }
        Next();
        return V;
    case tkPunct:
        break;
    case tkEOF:
        SyntaxError(L"Value expected", TokLine);
    }
    if (IsPunct(L'[')) {
        V.Type = vaSet;
        Next();
        if (!IsPunct(L']')) {
            for (;;) {
                V.Set.push_back(ExpectSymbol(L"Set member"));
                if (IsPunct(L']')) break;
                Expect(L',');
            }
        }
        Next();
    } else if (IsPunct(L'(')) {
        V.Type = vaList;
        Next();
        while (!IsPunct(L')')) {
            if (Tok == tkEOF) SyntaxError(L"')' expected", TokLine);
            V.List.push_back(ParseValue(Depth + 1));
        }
        Next();
    } else if (IsPunct(L'<')) {
        V.Type = vaCollection;
        Next();
        while (!IsPunct(L'>')) {
            if (!IsSymbol(L"item")) SyntaxError(L"'item' expected", TokLine);
            TStreamItem Item;
            Item.Line = TokLine;
            Next();
            if (IsPunct(L'[')) {
                Next();
                if (Tok != tkInteger) SyntaxError(L"Item index expected", TokLine);
                Item.HasIndex = true;
                Item.Index = TokInt;
                Next();
                Expect(L']');
            }
            ParseProperties(Item.Props, Depth + 1);
            V.Items.push_back(std::move(Item));
        }
        Next();
    } else if (IsPunct(L'{')) {
        ParseBinary(V);
    } else {
        SyntaxError(String(L"Value expected, not '") + TokChar + L"'", TokLine);
    }
    return V;
}

void TTextParser::ParseBinary(TStreamValue& V)
{
    // P stands just after '{': hex digits in pairs, blanks and line breaks between, then '}'.
    V.Type = vaBinary;
    int High = -1;
    for (;;) {
        if (P >= S.size()) SyntaxError(L"'}' expected", Line);
        wchar_t C = S[P++];
        if (C == L'}') break;
        if (C == L'\n') {
            ++Line;
            continue;
        }
        if (C == L'\r') {
            if (P >= S.size() || S[P] != L'\n') ++Line;
            continue;
        }
        if (C == L' ' || C == L'\t') continue;
        int D = HexDigit(C);
        if (D < 0) SyntaxError(L"Invalid binary data", Line);
        if (High < 0) High = D;
        else {
            V.Binary.push_back(Byte(High * 16 + D));
            High = -1;
        }
    }
    if (High >= 0) SyntaxError(L"Odd number of hex digits in binary data", Line);
    Next();
}

// ---- Formatting -------------------------------------------------------------------------------

const wchar_t* const NL = L"\r\n";

String QuoteText(const String& S)
{
    if (S.empty()) return L"''";
    String R;
    bool Open = false;
    for (wchar_t C : S) {
        if (C >= 32 && C < 127) {
            if (!Open) R += L'\'';
            Open = true;
            if (C == L'\'') R += L'\'';
            R += C;
        } else {
            if (Open) R += L'\'';
            Open = false;
            R += L'#' + std::to_wstring(unsigned(C));
        }
    }
    if (Open) R += L'\'';
    return R;
}

String FormatValue(const TStreamValue& V, const String& Indent);

String FormatItems(const TStreamValue& V, const String& Indent)
{
    String R = L"<";
    String Inner = Indent + L"  ";
    for (auto& Item : V.Items) {
        R += NL + Inner + L"item";
        if (Item.HasIndex) R += L" [" + std::to_wstring(Item.Index) + L"]";
        for (auto& P : Item.Props) R += NL + Inner + L"  " + P.Name + L" = " + FormatValue(P.Value, Inner + L"  ");
        R += NL + Inner + L"end";
    }
    return R + L">";
}

String FormatValue(const TStreamValue& V, const String& Indent)
{
    switch (V.Type) {
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64: return std::to_wstring(V.Int);
    case vaExtended:
    case vaDouble: return FloatToInvariant(V.Float);
    case vaSingle: return FloatToInvariant(V.Float) + L"s";
    case vaDate: return FloatToInvariant(V.Float) + L"d";
    case vaCurrency: return FloatToInvariant(Extended(V.Int) / 10000) + L"c";
    case vaString:
    case vaLString:
    case vaWString:
    case vaUTF8String: {
        constexpr size_t Chunk = 64;
        if (V.Str.size() <= Chunk) return QuoteText(V.Str);
        String R;
        for (size_t I = 0; I < V.Str.size(); I += Chunk) {
            R += NL + Indent + L"  " + QuoteText(V.Str.substr(I, Chunk));
            if (I + Chunk < V.Str.size()) R += L" +";
        }
        return R;
    }
    case vaIdent: return V.Str;
    case vaFalse: return L"False";
    case vaTrue: return L"True";
    case vaNil: return L"nil";
    case vaSet: {
        String R = L"[";
        for (size_t I = 0; I < V.Set.size(); ++I) R += (I ? L", " : L"") + V.Set[I];
        return R + L"]";
    }
    case vaList: {
        String R = L"(";
        for (auto& E : V.List) R += NL + Indent + L"  " + FormatValue(E, Indent + L"  ");
        return R + L")";
    }
    case vaCollection: return FormatItems(V, Indent);
    case vaBinary: {
        static const wchar_t Hex[] = L"0123456789ABCDEF";
        String R = L"{";
        for (size_t I = 0; I < V.Binary.size(); ++I) {
            if (I % 32 == 0) R += NL + Indent + L"  ";
            R += Hex[V.Binary[I] >> 4];
            R += Hex[V.Binary[I] & 15];
        }
        return R + L"}";
    }
    case vaNull: break;
    }
    throw EWriteError(Consts::SWriteValueType, {int(V.Type)});
}

void FormatObject(String& Out, const TStreamObject& Obj, const String& Indent)
{
    Out += Indent;
    Out += Obj.Flags.Contains(ffInherited) ? L"inherited " : Obj.Flags.Contains(ffInline) ? L"inline " : L"object ";
    Out += Obj.Name.empty() ? Obj.ClassName : Obj.Name + L": " + Obj.ClassName;
    if (Obj.Flags.Contains(ffChildPos)) Out += L" [" + std::to_wstring(Obj.ChildPos) + L"]";
    Out += NL;
    String Inner = Indent + L"  ";
    for (auto& P : Obj.Props) Out += Inner + P.Name + L" = " + FormatValue(P.Value, Inner) + NL;
    for (auto& C : Obj.Children) FormatObject(Out, C, Inner);
    Out += Indent + L"end" + NL;
}

}  // namespace

TStreamObject ParseObjectText(const String& Text)
{
    TTextParser Parser(Text);
    TStreamObject Obj = Parser.ParseObject(0);
    Parser.ExpectEnd();
    return Obj;
}

String FormatObjectText(const TStreamObject& Obj)
{
    String Out;
    FormatObject(Out, Obj, String());
    return Out;
}
