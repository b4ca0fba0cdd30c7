// SysUtils: exceptions, code pages, strings and integer conversions.
#include "SysUtils.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cwchar>

// ---- Exceptions -------------------------------------------------------------------------------

Exception::Exception(const String& Msg) : Message(Msg), FWhat(Utf16ToUtf8(Msg)) {}

Exception::Exception(const String& Fmt, TVarRecs Args) : Exception(Format(Fmt, Args)) {}

void Abort()
{
    throw EAbort(Consts::SOperationAborted);
}

void AssertErrorProc(const String& Msg, const char* FileName, int LineNumber)
{
    String Text = Msg.empty() ? String(Consts::SAssertionFailed) : Msg;
    String File;
    for (const char* p = FileName ? FileName : ""; *p; ++p) File += wchar_t(static_cast<unsigned char>(*p));
    throw EAssertionFailed(Consts::SAssertError, {Text, File, LineNumber});
}

// ---- Code pages -------------------------------------------------------------------------------

String CodePageToUnicode(const RawByteString& S, Cardinal CodePage)
{
    if (S.empty()) return {};
    if (S.size() > size_t(INT_MAX)) throw EConvertError(Consts::STextTooLong);
    int n = MultiByteToWideChar(CodePage, 0, S.data(), int(S.size()), nullptr, 0);
    if (n <= 0) {
        // An unknown code page: keep the bytes as Latin-1 so that nothing is lost.
        String r(S.size(), L'\0');
        for (size_t i = 0; i < S.size(); ++i) r[i] = wchar_t(static_cast<unsigned char>(S[i]));
        return r;
    }
    String r(size_t(n), L'\0');
    MultiByteToWideChar(CodePage, 0, S.data(), int(S.size()), r.data(), n);
    return r;
}

RawByteString UnicodeToCodePage(const String& S, Cardinal CodePage)
{
    if (S.empty()) return {};
    if (S.size() > size_t(INT_MAX / 4)) throw EConvertError(Consts::STextTooLong);
    int n = WideCharToMultiByte(CodePage, 0, S.data(), int(S.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string r(size_t(n), '\0');
    WideCharToMultiByte(CodePage, 0, S.data(), int(S.size()), r.data(), n, nullptr, nullptr);
    return r;
}

std::string Utf16ToUtf8(const String& S)
{
    return UnicodeToCodePage(S, CP_UTF8);
}

String Utf8ToUtf16(const std::string& S)
{
    return CodePageToUnicode(S, CP_UTF8);
}

String AnsiToUnicode(const AnsiString& S)
{
    return CodePageToUnicode(S, CP_ACP);
}

AnsiString UnicodeToAnsi(const String& S)
{
    return UnicodeToCodePage(S, CP_ACP);
}

WideChar Win1252ToWideChar(AnsiChar C)
{
    static const wchar_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    unsigned char b = static_cast<unsigned char>(C);
    if (b >= 0x80 && b < 0xA0) return High[b - 0x80];
    return wchar_t(b);
}

String Win1252ToUnicode(const RawByteString& S)
{
    String r(S.size(), L'\0');
    for (size_t i = 0; i < S.size(); ++i) r[i] = Win1252ToWideChar(S[i]);
    return r;
}

// ---- Strings ----------------------------------------------------------------------------------

namespace {

template <class Str>
Str CopyImpl(const Str& S, int Index, int Count)
{
    // An index before the start counts as 1 (the count is not shortened), as the class library
    // does it.
    Int64 len = Int64(S.size());
    Int64 start = Index < 1 ? 1 : Index;
    if (start > len || Count <= 0) return Str();
    Int64 end = start + Int64(Count);   // one past the last, 1-based
    if (end > len + 1) end = len + 1;
    return S.substr(size_t(start - 1), size_t(end - start));
}

inline bool IsTrimmed(wchar_t c) { return c <= L' '; }

}  // namespace

String Copy(const String& S, int Index, int Count) { return CopyImpl(S, Index, Count); }
AnsiString Copy(const AnsiString& S, int Index, int Count) { return CopyImpl(S, Index, Count); }

int Pos(const String& Substr, const String& S, int Offset)
{
    if (Substr.empty() || Offset < 1 || size_t(Offset) > S.size()) return 0;
    size_t p = S.find(Substr, size_t(Offset - 1));
    return p == String::npos ? 0 : int(p + 1);
}

int Pos(Char C, const String& S, int Offset)
{
    if (Offset < 1 || size_t(Offset) > S.size()) return 0;
    size_t p = S.find(C, size_t(Offset - 1));
    return p == String::npos ? 0 : int(p + 1);
}

int LastDelimiter(const String& Delimiters, const String& S)
{
    size_t p = S.find_last_of(Delimiters);
    return p == String::npos ? 0 : int(p + 1);
}

void Delete(String& S, int Index, int Count)
{
    if (Index < 1 || size_t(Index) > S.size() || Count <= 0) return;
    S.erase(size_t(Index - 1), size_t(Count));
}

void Insert(const String& Source, String& S, int Index)
{
    if (Index < 1) Index = 1;
    if (size_t(Index) > S.size() + 1) Index = int(S.size() + 1);
    S.insert(size_t(Index - 1), Source);
}

void SetLength(String& S, int NewLength)
{
    S.resize(size_t(std::max(NewLength, 0)));
}

String StringOfChar(Char C, int Count)
{
    return Count > 0 ? String(size_t(Count), C) : String();
}

String Trim(const String& S)
{
    size_t b = 0, e = S.size();
    while (b < e && IsTrimmed(S[b])) ++b;
    while (e > b && IsTrimmed(S[e - 1])) --e;
    return (b == 0 && e == S.size()) ? S : S.substr(b, e - b);
}

String TrimLeft(const String& S)
{
    size_t b = 0;
    while (b < S.size() && IsTrimmed(S[b])) ++b;
    return b == 0 ? S : S.substr(b);
}

String TrimRight(const String& S)
{
    size_t e = S.size();
    while (e > 0 && IsTrimmed(S[e - 1])) --e;
    return e == S.size() ? S : S.substr(0, e);
}

String UpperCase(const String& S)
{
    String r = S;
    for (auto& c : r) c = UpCase(c);
    return r;
}

String LowerCase(const String& S)
{
    String r = S;
    for (auto& c : r) c = LoCase(c);
    return r;
}

namespace {

String MapCase(const String& S, DWORD Flags)
{
    if (S.empty()) return S;
    if (S.size() > size_t(INT_MAX)) throw EConvertError(Consts::STextTooLong);
    String r(S.size(), L'\0');
    int n = LCMapStringW(LOCALE_USER_DEFAULT, Flags | LCMAP_LINGUISTIC_CASING, S.data(),
                         int(S.size()), r.data(), int(r.size()));
    if (n == int(S.size())) return r;
    // The mapping changed the length (rare): ask for the size first.
    n = LCMapStringW(LOCALE_USER_DEFAULT, Flags | LCMAP_LINGUISTIC_CASING, S.data(), int(S.size()),
                     nullptr, 0);
    if (n <= 0) return S;
    r.assign(size_t(n), L'\0');
    LCMapStringW(LOCALE_USER_DEFAULT, Flags | LCMAP_LINGUISTIC_CASING, S.data(), int(S.size()),
                 r.data(), n);
    return r;
}

int Compare3(int r) { return r < 0 ? -1 : (r > 0 ? 1 : 0); }

int LocaleCompare(const String& S1, const String& S2, DWORD Flags)
{
    int r = CompareStringW(LOCALE_USER_DEFAULT, Flags, S1.data(), int(S1.size()), S2.data(),
                           int(S2.size()));
    if (r == 0) return Compare3(S1.compare(S2));   // the platform refused: ordinal
    return r - CSTR_EQUAL;
}

}  // namespace

String AnsiUpperCase(const String& S) { return MapCase(S, LCMAP_UPPERCASE); }
String AnsiLowerCase(const String& S) { return MapCase(S, LCMAP_LOWERCASE); }

int CompareStr(std::wstring_view S1, std::wstring_view S2)
{
    size_t n = std::min(S1.size(), S2.size());
    for (size_t i = 0; i < n; ++i)
        if (S1[i] != S2[i]) return int(S1[i]) - int(S2[i]);
    return S1.size() < S2.size() ? -1 : (S1.size() > S2.size() ? 1 : 0);
}

int CompareText(std::wstring_view S1, std::wstring_view S2)
{
    size_t n = std::min(S1.size(), S2.size());
    for (size_t i = 0; i < n; ++i) {
        int a = UpCase(S1[i]), b = UpCase(S2[i]);
        if (a != b) return a - b;
    }
    return S1.size() < S2.size() ? -1 : (S1.size() > S2.size() ? 1 : 0);
}

bool SameStr(std::wstring_view S1, std::wstring_view S2) { return S1 == S2; }

bool SameText(std::wstring_view S1, std::wstring_view S2)
{
    return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

int AnsiCompareStr(const String& S1, const String& S2) { return LocaleCompare(S1, S2, 0); }
int AnsiCompareText(const String& S1, const String& S2)
{
    return LocaleCompare(S1, S2, NORM_IGNORECASE);
}
bool AnsiSameStr(const String& S1, const String& S2) { return S1 == S2; }
bool AnsiSameText(const String& S1, const String& S2) { return AnsiCompareText(S1, S2) == 0; }

int AnsiPos(const String& Substr, const String& S)
{
    return Pos(Substr, S);
}

String StringReplace(const String& S, const String& OldPattern, const String& NewPattern,
                     TReplaceFlags Flags)
{
    if (OldPattern.empty() || S.empty()) return S;
    const bool All = Flags.Contains(rfReplaceAll);
    const bool IgnoreCase = Flags.Contains(rfIgnoreCase);
    // Case folding keeps lengths in all practical cases; when it does not, fold per character.
    String SearchIn = S, Pattern = OldPattern;
    if (IgnoreCase) {
        SearchIn = AnsiUpperCase(S);
        Pattern = AnsiUpperCase(OldPattern);
        if (SearchIn.size() != S.size() || Pattern.size() != OldPattern.size()) {
            SearchIn = UpperCase(S);
            Pattern = UpperCase(OldPattern);
        }
    }
    String Result;
    Result.reserve(S.size());
    size_t From = 0;
    while (From <= SearchIn.size()) {
        size_t p = SearchIn.find(Pattern, From);
        if (p == String::npos) break;
        Result.append(S, From, p - From);
        Result += NewPattern;
        From = p + Pattern.size();
        if (!All) break;
    }
    if (From < S.size()) Result.append(S, From, String::npos);
    return Result;
}

String AnsiQuotedStr(const String& S, Char Quote)
{
    String r;
    r.reserve(S.size() + 2);
    r += Quote;
    for (Char c : S) {
        r += c;
        if (c == Quote) r += c;
    }
    r += Quote;
    return r;
}

String QuotedStr(const String& S) { return AnsiQuotedStr(S, L'\''); }

String AnsiExtractQuotedStr(const String& Src, int& Index, Char Quote)
{
    size_t i = size_t(std::max(Index, 1) - 1);
    if (i >= Src.size() || Src[i] != Quote) return {};
    String r;
    ++i;
    while (i < Src.size()) {
        if (Src[i] == Quote) {
            if (i + 1 < Src.size() && Src[i + 1] == Quote) {
                r += Quote;
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        r += Src[i++];
    }
    Index = int(i + 1);
    return r;
}

String AnsiDequotedStr(const String& S, Char Quote)
{
    if (S.empty() || S[0] != Quote) return S;
    int Index = 1;
    String r = AnsiExtractQuotedStr(S, Index, Quote);
    // An unterminated quote gives the text unchanged; text after the closing quote is dropped.
    bool AtEnd = size_t(Index - 1) >= S.size();
    if ((r.empty() || AtEnd) && (S.size() < 2 || S.back() != Quote)) return S;
    return r;
}

String AdjustLineBreaks(const String& S)
{
    String r;
    r.reserve(S.size() + 8);
    for (size_t i = 0; i < S.size(); ++i) {
        Char c = S[i];
        if (c == L'\r') {
            r += L"\r\n";
            if (i + 1 < S.size() && S[i + 1] == L'\n') ++i;
        } else if (c == L'\n') {
            r += L"\r\n";
        } else {
            r += c;
        }
    }
    return r;
}

bool IsDelimiter(const String& Delimiters, const String& S, int Index)
{
    if (Index < 1 || size_t(Index) > S.size()) return false;
    return Delimiters.find(S[size_t(Index - 1)]) != String::npos;
}

// ---- Integers ---------------------------------------------------------------------------------

String UIntToStr(UInt64 Value)
{
    wchar_t buf[24];
    wchar_t* p = buf + 24;
    do {
        *--p = wchar_t(L'0' + Value % 10);
        Value /= 10;
    } while (Value);
    return String(p, buf + 24);
}

String IntToStr(Int64 Value)
{
    if (Value < 0) return L"-" + UIntToStr(UInt64(0) - UInt64(Value));
    return UIntToStr(UInt64(Value));
}

String IntToStr(int Value) { return IntToStr(Int64(Value)); }

String IntToHex(Int64 Value, int Digits)
{
    static const wchar_t Hex[] = L"0123456789ABCDEF";
    UInt64 v = UInt64(Value);
    wchar_t buf[17];
    wchar_t* p = buf + 16;
    do {
        *--p = Hex[v & 15];
        v >>= 4;
    } while (v);
    String r(p, buf + 16);
    if (Digits > 16) Digits = 16;
    if (int(r.size()) < Digits) r.insert(0, size_t(Digits) - r.size(), L'0');
    return r;
}

String IntToHex(int Value, int Digits)
{
    return IntToHex(Int64(Cardinal(Value)), Digits);
}

namespace {

// Strict reading of a whole integer text into the range [Lo, Hi]. Hexadecimal texts may fill the
// unsigned range of the type (as "$FFFFFFFF" gives -1 for a 32-bit integer).
bool ParseStrictInt(const String& S, Int64 Lo, Int64 Hi, UInt64 HexMax, Int64& Out)
{
    // Leading blanks are allowed, trailing ones are not.
    size_t i = 0, n = S.size();
    while (i < n && S[i] == L' ') ++i;
    if (i >= n) return false;
    const TIntPrefix P = ScanIntPrefix(S, i);
    if (P.End >= n) return false;
    const UInt64 Limit = P.Hex ? HexMax : P.Negative ? UInt64(0) - UInt64(Lo) : UInt64(Hi);
    const TDigitRun D = ScanDigits(S, P.End, P.Hex ? 16 : 10, Limit);
    if (D.End != n) return false;   // a bad character or too large
    UInt64 v = D.Value;
    if (P.Hex) {
        // Reinterpret in the signed type of the range.
        Int64 sv;
        if (HexMax == ~UInt64(0)) sv = Int64(v);
        else sv = v > UInt64(Hi) ? Int64(v) - Int64(HexMax) - 1 : Int64(v);
        Out = P.Negative ? Int64(UInt64(0) - UInt64(sv)) : sv;
        return true;
    }
    Out = P.Negative ? Int64(UInt64(0) - v) : Int64(v);
    return true;
}

[[noreturn]] void RaiseInvalidInteger(const String& S)
{
    throw EConvertError(Consts::SInvalidInteger, {QuotedStr(S)});
}

}  // namespace

bool TryStrToInt64(const String& S, Int64& Value)
{
    return ParseStrictInt(S, INT64_MIN, INT64_MAX, ~UInt64(0), Value);
}

bool TryStrToInt(const String& S, int& Value)
{
    Int64 v;
    if (!ParseStrictInt(S, INT_MIN, INT_MAX, 0xFFFFFFFFull, v)) return false;
    Value = int(v);
    return true;
}

int StrToInt(const String& S)
{
    int v;
    if (!TryStrToInt(S, v)) RaiseInvalidInteger(S);
    return v;
}

Int64 StrToInt64(const String& S)
{
    Int64 v;
    if (!TryStrToInt64(S, v)) RaiseInvalidInteger(S);
    return v;
}

int StrToIntDef(const String& S, int Default)
{
    int v;
    return TryStrToInt(S, v) ? v : Default;
}

Int64 StrToInt64Def(const String& S, Int64 Default)
{
    Int64 v;
    return TryStrToInt64(S, v) ? v : Default;
}

namespace {

Int64 ValImpl(const String& S, int& Code, UInt64 PosLimit, UInt64 NegLimit, UInt64 HexLimit)
{
    size_t i = 0, n = S.size();
    Code = 0;
    while (i < n && S[i] == L' ') ++i;
    const TIntPrefix P = ScanIntPrefix(S, i, true);
    const bool Hex = P.Hex, Neg = P.Negative;
    // Reading stops at the first digit that would overflow.
    const TDigitRun D =
        ScanDigits(S, P.End, Hex ? 16 : 10, Hex ? HexLimit : (Neg ? NegLimit : PosLimit));
    i = D.End;
    const UInt64 v = D.Value;
    if (i < n || D.Count == 0) Code = int(std::min<size_t>(i, size_t(INT_MAX) - 1) + 1);
    Int64 r;
    if (Hex && HexLimit == 0xFFFFFFFFull) r = Int64(int32_t(uint32_t(v)));
    else r = Int64(v);
    return Neg ? Int64(UInt64(0) - UInt64(r)) : r;
}

}  // namespace

int Val(const String& S, int& Code)
{
    return int(ValImpl(S, Code, INT_MAX, UInt64(INT_MAX) + 1, 0xFFFFFFFFull));
}

Int64 ValInt64(const String& S, int& Code)
{
    return ValImpl(S, Code, UInt64(INT64_MAX), UInt64(INT64_MAX) + 1, ~UInt64(0));
}

// ---- Booleans ---------------------------------------------------------------------------------

bool TryStrToBool(const String& S, bool& Value)
{
    String T = Trim(S);
    if (SameText(T, L"True")) {
        Value = true;
        return true;
    }
    if (SameText(T, L"False")) {
        Value = false;
        return true;
    }
    double d;
    if (TryStrToFloat(T, d)) {
        Value = d != 0;
        return true;
    }
    return false;
}

bool StrToBool(const String& S)
{
    bool b;
    if (!TryStrToBool(S, b)) throw EConvertError(Consts::SInvalidBoolean, {QuotedStr(S)});
    return b;
}

bool StrToBoolDef(const String& S, bool Default)
{
    bool b;
    return TryStrToBool(S, b) ? b : Default;
}

String BoolToStr(bool B, bool UseBoolStrs)
{
    if (UseBoolStrs) return B ? L"True" : L"False";
    return B ? L"-1" : L"0";
}
