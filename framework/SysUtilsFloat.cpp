// SysUtils: floating-point text both ways: parsing, FloatToDecimal, FloatToStr(F), FormatFloat.
#include "SysUtils.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace {

// Removes codes 0..32 at both ends: [b, e).
void TrimBounds(const String& S, size_t& b, size_t& e)
{
    b = 0;
    e = S.size();
    while (b < e && S[b] <= L' ') ++b;
    while (e > b && S[e - 1] <= L' ') --e;
}

bool TextToFloat(const String& S, Extended& Value, Char Sep)
{
    size_t b, e;
    TrimBounds(S, b, e);
    if (b >= e) return false;
    const std::wstring_view Text(S.data(), e);   // the number ends where the trailing blanks start
    TFloatSyntax Syntax;
    Syntax.DecimalSeparator = Sep;
    const TFloatScan N = ScanFloat(Text, b, Syntax);
    if (!N.Found() || N.End != e) return false;
    // Read to double precision; beyond the double range is an error, below it is zero.
    double v;
    if (ScannedValue(Text, N, Syntax, v) == TScanRange::Overflow) return false;
    Value = v;
    return true;
}

}  // namespace

bool TryStrToFloat(const String& S, Extended& Value, const TFormatSettings& FS)
{
    return TextToFloat(S, Value, FS.DecimalSeparator);
}

bool TryStrToFloat(const String& S, Extended& Value)
{
    return TryStrToFloat(S, Value, FormatSettings);
}

bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& FS)
{
    Extended v;
    if (!TextToFloat(S, v, FS.DecimalSeparator)) return false;
    if (std::fabs(v) > 1.7976931348623157e308L) return false;
    Value = double(v);
    return true;
}

bool TryStrToFloat(const String& S, double& Value)
{
    return TryStrToFloat(S, Value, FormatSettings);
}

Extended StrToFloat(const String& S, const TFormatSettings& FS)
{
    Extended v;
    if (!TryStrToFloat(S, v, FS))
        throw EConvertError(Consts::SInvalidFloat, {QuotedStr(S)});
    return v;
}

Extended StrToFloat(const String& S) { return StrToFloat(S, FormatSettings); }

Extended StrToFloatDef(const String& S, Extended Default, const TFormatSettings& FS)
{
    Extended v;
    return TryStrToFloat(S, v, FS) ? v : Default;
}

Extended StrToFloatDef(const String& S, Extended Default)
{
    return StrToFloatDef(S, Default, FormatSettings);
}

double ValFloat(const String& S, int& Code, Char DecimalSeparator)
{
    size_t i = 0;
    while (i < S.size() && S[i] == L' ') ++i;
    TFloatSyntax Syntax;
    Syntax.DecimalSeparator = DecimalSeparator;
    const TFloatScan N = ScanFloat(S, i, Syntax);
    const size_t End = N.End, Stop = N.Stop;
    if (!N.Found()) {
        // No digits: the error is at the first character after blanks and sign.
        Code = int(std::min(Stop, size_t(0x7FFFFFFE)) + 1);
        return 0;
    }
    double v = 0;
    if (ScannedValue(S, N, Syntax, v) == TScanRange::Overflow) {
        Code = int(i + 1);   // out of range: the number as a whole is bad
        return 0;
    }
    Code = End == S.size() ? 0 : int(std::min(std::max(End, Stop), size_t(0x7FFFFFFE)) + 1);
    // A partial exponent ("1e+") stops at the first character that broke the number.
    if (End < S.size() && Stop > End) Code = int(std::min(Stop, size_t(0x7FFFFFFE)) + 1);
    return double(v);
}

namespace {

// Rounds the nd decimal digits D (value 0.D * 10^Exp10) half up to their first N digits: a carry
// out of every digit makes 1.000 and raises Exp10. Answers how many digits are left once trailing
// zeros are dropped.
int RoundDigits(char* D, int nd, int N, int& Exp10)
{
    const bool Up = N < nd && D[N] >= '5';
    int Len = std::min(N, nd);
    if (Up) {
        int k = Len - 1;
        while (k >= 0 && D[k] == '9') D[k--] = '0';
        if (k >= 0) {
            ++D[k];
        } else {
            // Every digit carried: 0.999 -> 1.000
            D[0] = '1';
            Len = std::max(Len, 1);
            for (int j = 1; j < Len; ++j) D[j] = '0';
            ++Exp10;
        }
    }
    while (Len > 0 && D[Len - 1] == '0') --Len;
    return Len;
}

}  // namespace

// ---- Decimal digits ---------------------------------------------------------------------------

void FloatToDecimal(TFloatRec& Result, Extended Value, int Precision, int Decimals)
{
    Result = TFloatRec();
    if (std::isnan(Value)) {
        Result.Exponent = short(-32768);
        return;
    }
    Result.Negative = std::signbit(Value);
    if (std::isinf(Value)) {
        Result.Exponent = 0x7FFF;
        return;
    }
    if (Value == 0) {
        Result.Negative = false;
        return;
    }
    if (Precision < 1) Precision = 1;
    if (Precision > 18) Precision = 18;
    // 17 or 18 significant digits, correctly rounded, then decimal rounding half away from zero.
    char Buf[64];
    const Extended Abs = std::fabs(Value);
    const double AsDouble = double(Abs);
    // A value that is a double (nearly always) takes the double's much faster conversion: its 17
    // digits are exact enough.
    auto r = Extended(AsDouble) == Abs
                 ? std::to_chars(Buf, Buf + sizeof(Buf), AsDouble, std::chars_format::scientific, 16)
                 : std::to_chars(Buf, Buf + sizeof(Buf), Abs, std::chars_format::scientific, 17);
    *r.ptr = 0;
    char D[20];
    int nd = 0;
    const char* p = Buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') D[nd++] = *p;
    int Exp10 = std::atoi(p + 1) + 1;   // value = 0.D * 10^Exp10
    int N = Precision;
    if (Decimals < 9999 && Exp10 + Decimals < N) N = Exp10 + Decimals;
    if (N < 0) {
        Result.Negative = false;
        return;   // rounds to zero
    }
    int Len = RoundDigits(D, nd, N, Exp10);
    if (Len == 0) {
        Result.Negative = false;
        return;
    }
    std::memcpy(Result.Digits, D, size_t(Len));
    Result.Digits[Len] = 0;
    Result.Exponent = short(Exp10);
}

namespace {

void AppendExponent(String& R, int Exp, int MinDigits, bool AlwaysSign)
{
    if (Exp < 0) R += L'-';
    else if (AlwaysSign) R += L'+';
    String e = UIntToStr(UInt64(Exp < 0 ? -Exp : Exp));
    if (int(e.size()) < MinDigits) R.append(size_t(MinDigits) - e.size(), L'0');
    R += e;
}

// Integer digits of the record with the thousand separator (0 = none).
void AppendIntegerPart(String& R, const TFloatRec& F, Char Thousand)
{
    int Len = int(std::strlen(F.Digits));
    int IntDigits = F.Exponent > 0 ? F.Exponent : 0;
    if (IntDigits == 0) {
        R += L'0';
        return;
    }
    for (int i = 0; i < IntDigits; ++i) {
        R += i < Len ? Char(F.Digits[i]) : L'0';
        int Left = IntDigits - 1 - i;
        if (Thousand && Left > 0 && Left % 3 == 0) R += Thousand;
    }
}

void AppendFraction(String& R, const TFloatRec& F, int Digits, Char DecSep)
{
    if (Digits <= 0) return;
    R += DecSep;
    int Len = int(std::strlen(F.Digits));
    for (int k = 0; k < Digits; ++k) {
        int Index = F.Exponent + k;   // digit index of the k-th decimal
        R += (Index >= 0 && Index < Len) ? Char(F.Digits[Index]) : L'0';
    }
}

String SpecialText(const TFloatRec& F)
{
    if (F.Exponent == short(-32768)) return L"NAN";
    return F.Negative ? L"-INF" : L"INF";
}

bool IsSpecial(const TFloatRec& F) { return F.Exponent == 0x7FFF || F.Exponent == short(-32768); }

String FormatGeneral(const TFloatRec& F, int Precision, int ExpDigits, Char DecSep)
{
    String R;
    if (F.Negative) R += L'-';
    int Len = int(std::strlen(F.Digits));
    if (Len == 0) return L"0";
    if (F.Exponent > Precision || F.Exponent < -3) {
        R += Char(F.Digits[0]);
        if (Len > 1) {
            R += DecSep;
            for (int i = 1; i < Len; ++i) R += Char(F.Digits[i]);
        }
        R += L'E';
        AppendExponent(R, F.Exponent - 1, ExpDigits, false);
        return R;
    }
    AppendIntegerPart(R, F, 0);
    if (Len > F.Exponent) AppendFraction(R, F, Len - F.Exponent, DecSep);
    return R;
}

String FormatExponent(const TFloatRec& F, int Precision, int ExpDigits, Char DecSep)
{
    String R;
    if (F.Negative) R += L'-';
    int Len = int(std::strlen(F.Digits));
    R += Len ? Char(F.Digits[0]) : L'0';
    if (Precision > 1) {
        R += DecSep;
        for (int i = 1; i < Precision; ++i) R += i < Len ? Char(F.Digits[i]) : L'0';
    }
    R += L'E';
    AppendExponent(R, Len ? F.Exponent - 1 : 0, ExpDigits, true);
    return R;
}

String CurrencyPattern(const String& Num, bool Negative, const TFormatSettings& FS)
{
    const String& C = FS.CurrencyString;
    if (!Negative) {
        switch (FS.CurrencyFormat) {
        case 1: return Num + C;
        case 2: return C + L" " + Num;
        case 3: return Num + L" " + C;
        default: return C + Num;
        }
    }
    switch (FS.NegCurrFormat) {
    case 1: return L"-" + C + Num;
    case 2: return C + L"-" + Num;
    case 3: return C + Num + L"-";
    case 4: return L"(" + Num + C + L")";
    case 5: return L"-" + Num + C;
    case 6: return Num + L"-" + C;
    case 7: return Num + C + L"-";
    case 8: return L"-" + Num + L" " + C;
    case 9: return L"-" + C + L" " + Num;
    case 10: return Num + L" " + C + L"-";
    case 11: return C + L" " + Num + L"-";
    case 12: return C + L" -" + Num;
    case 13: return Num + L"- " + C;
    case 14: return L"(" + C + L" " + Num + L")";
    case 15: return L"(" + Num + L" " + C + L")";
    default: return L"(" + C + Num + L")";
    }
}

String FloatRecToText(TFloatRec& F, Extended Value, TFloatFormat Format, int Precision, int Digits,
                      const TFormatSettings& FS)
{
    if (Precision < 1) Precision = 1;
    if (Precision > 18) Precision = 18;
    switch (Format) {
    case ffExponent:
        if (Digits < 0) Digits = 0;
        if (Digits > 4) Digits = 4;
        FloatToDecimal(F, Value, Precision, 9999);
        if (IsSpecial(F)) return SpecialText(F);
        return FormatExponent(F, Precision, Digits, FS.DecimalSeparator);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        if (Digits < 0) Digits = 0;
        if (Digits > 18) Digits = 18;
        FloatToDecimal(F, Value, Precision, Digits);
        if (IsSpecial(F)) return SpecialText(F);
        if (F.Exponent > Precision && Format != ffCurrency)
            return FormatGeneral(F, Precision, 0, FS.DecimalSeparator);
        String Num;
        AppendIntegerPart(Num, F, Format == ffFixed ? Char(0) : FS.ThousandSeparator);
        AppendFraction(Num, F, Digits, FS.DecimalSeparator);
        if (Format == ffCurrency) return CurrencyPattern(Num, F.Negative, FS);
        return F.Negative ? L"-" + Num : Num;
    }
    default:
        if (Digits < 0) Digits = 0;
        if (Digits > 4) Digits = 4;
        FloatToDecimal(F, Value, Precision, 9999);
        if (IsSpecial(F)) return SpecialText(F);
        return FormatGeneral(F, Precision, Digits, FS.DecimalSeparator);
    }
}

}  // namespace

String FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits,
                   const TFormatSettings& FS)
{
    TFloatRec F;
    return FloatRecToText(F, Value, Format, Precision, Digits, FS);
}

String FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits)
{
    return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

String FloatToStr(Extended Value, const TFormatSettings& FS)
{
    return FloatToStrF(Value, ffGeneral, 15, 0, FS);
}

String FloatToStr(Extended Value) { return FloatToStr(Value, FormatSettings); }

namespace {

// The decimal digits of a Currency (value / 10000), exactly.
TFloatRec CurrencyToDecimal(Currency Value, int Decimals)
{
    TFloatRec F;
    if (Value == 0) return F;
    F.Negative = Value < 0;
    UInt64 v = F.Negative ? UInt64(0) - UInt64(Value) : UInt64(Value);
    char D[24];
    int n = 0;
    char Tmp[24];
    int t = 0;
    while (v) {
        Tmp[t++] = char('0' + v % 10);
        v /= 10;
    }
    while (t) D[n++] = Tmp[--t];
    int Exp10 = n - 4;
    int N = std::min(n, Exp10 + std::max(Decimals, 0));
    if (N < 0) return TFloatRec();
    int Len = RoundDigits(D, n, N, Exp10);
    if (Len == 0) return TFloatRec();
    std::memcpy(F.Digits, D, size_t(std::min(Len, 20)));
    F.Digits[std::min(Len, 20)] = 0;
    F.Exponent = short(Exp10);
    return F;
}

}  // namespace

String CurrToStrF(Currency Value, TFloatFormat Format, int Digits)
{
    const TFormatSettings& FS = FormatSettings;
    if (Digits < 0) Digits = 0;
    if (Digits > 4) Digits = 4;
    if (Format == ffGeneral || Format == ffExponent) {
        TFloatRec F = CurrencyToDecimal(Value, 4);
        if (Format == ffExponent) return FormatExponent(F, 19, Digits, FS.DecimalSeparator);
        return FormatGeneral(F, 19, 0, FS.DecimalSeparator);
    }
    TFloatRec F = CurrencyToDecimal(Value, Digits);
    String Num;
    AppendIntegerPart(Num, F, Format == ffFixed ? Char(0) : FS.ThousandSeparator);
    AppendFraction(Num, F, Digits, FS.DecimalSeparator);
    if (Format == ffCurrency) return CurrencyPattern(Num, F.Negative, FS);
    return F.Negative ? L"-" + Num : Num;
}

String CurrToStr(Currency Value) { return CurrToStrF(Value, ffGeneral, 0); }

// ---- FormatFloat ------------------------------------------------------------------------------

namespace {

struct TSection {
    size_t Begin = 0, End = 0;   // within the format
    bool Empty() const { return Begin == End; }
};

// Splits the format at ";" outside quotes into up to three sections.
int SplitSections(const String& Fmt, TSection (&Sec)[3])
{
    int Count = 0;
    size_t Start = 0;
    Char Quote = 0;
    for (size_t i = 0; i <= Fmt.size(); ++i) {
        Char c = i < Fmt.size() ? Fmt[i] : L';';
        if (Quote) {
            if (c == Quote) Quote = 0;
            if (i < Fmt.size()) continue;
        } else if (c == L'"' || c == L'\'') {
            Quote = c;
            continue;
        }
        if (c == L';' || i == Fmt.size()) {
            if (Count < 3) Sec[Count++] = {Start, i};
            Start = i + 1;
            if (Count == 3) break;
        }
    }
    return Count;
}

struct TSectionInfo {
    int IntPlaces = 0;     // placeholders before the point (or before E)
    int MinInt = 0;        // from the first '0' before the point
    int DecPlaces = 0;     // placeholders after the point
    int MinDec = 0;        // up to the last '0' after the point
    bool Thousands = false;
    bool Scientific = false;
};

TSectionInfo Analyse(const String& Fmt, TSection S)
{
    TSectionInfo I;
    bool AfterPoint = false;
    bool FirstZeroSeen = false;
    Char Quote = 0;
    for (size_t i = S.Begin; i < S.End; ++i) {
        Char c = Fmt[i];
        if (Quote) {
            if (c == Quote) Quote = 0;
            continue;
        }
        switch (c) {
        case L'"':
        case L'\'': Quote = c; break;
        case L'0':
        case L'#':
            if (AfterPoint) {
                ++I.DecPlaces;
                if (c == L'0') I.MinDec = I.DecPlaces;
            } else {
                ++I.IntPlaces;
                if (c == L'0' && !FirstZeroSeen) {
                    FirstZeroSeen = true;
                    I.MinInt = 1;
                } else if (FirstZeroSeen) {
                    ++I.MinInt;
                }
            }
            break;
        case L'.': AfterPoint = true; break;
        case L',':
            if (!AfterPoint) I.Thousands = true;
            break;
        case L'E':
        case L'e':
            if (i + 1 < S.End && (Fmt[i + 1] == L'+' || Fmt[i + 1] == L'-')) {
                I.Scientific = true;
                i = S.End;   // the rest is the exponent and literals
            }
            break;
        default: break;
        }
    }
    return I;
}

// Formats |Value| with one section. Digits come from F (already rounded for this section).
String ApplySection(const String& Fmt, TSection S, const TSectionInfo& I, const TFloatRec& F,
                    int DisplayExp, const TFormatSettings& FS)
{
    String R;
    const int Len = int(std::strlen(F.Digits));
    // Digits of the integer part and the index of the digit string where decimals start.
    int IntDigits, FracStart;
    if (I.Scientific) {
        IntDigits = I.IntPlaces;
        FracStart = I.IntPlaces;
    } else {
        IntDigits = Len ? std::max<int>(F.Exponent, 0) : 0;
        FracStart = Len ? F.Exponent : 0;
    }
    auto DigitAt = [&](int Index) -> Char {   // Index into F.Digits; zeros beyond
        return (Index >= 0 && Index < Len) ? Char(F.Digits[Index]) : L'0';
    };
    int IntSeen = 0;   // integer placeholders seen so far
    int DecSeen = 0;
    bool AfterPoint = false;
    bool PointWritten = false;
    // Decimals actually shown: up to the last non-zero digit, at least MinDec.
    int ShowDec = I.MinDec;
    for (int k = I.DecPlaces; k > ShowDec; --k)
        if (DigitAt(FracStart + k - 1) != L'0') {
            ShowDec = k;
            break;
        }
    auto EmitIntDigit = [&](int Place) {   // Place: 1 = units, counted from the point
        bool Have = Place <= IntDigits;
        bool Forced = Place <= I.MinInt || (I.Scientific && Place <= I.IntPlaces);
        if (!Have && !Forced) return;
        Char d = Have ? DigitAt(IntDigits - Place) : L'0';
        if (I.Scientific) d = DigitAt(I.IntPlaces - Place);
        R += d;
        if (I.Thousands && !I.Scientific && Place > 1 && (Place - 1) % 3 == 0) R += FS.ThousandSeparator;
    };
    Char Quote = 0;
    for (size_t i = S.Begin; i < S.End; ++i) {
        Char c = Fmt[i];
        if (Quote) {
            if (c == Quote) Quote = 0;
            else R += c;
            continue;
        }
        switch (c) {
        case L'"':
        case L'\'': Quote = c; break;
        case L'0':
        case L'#':
            if (!AfterPoint) {
                if (IntSeen == 0) {
                    // Digits beyond the placeholders go before the first one.
                    for (int Place = std::max(IntDigits, I.IntPlaces); Place > I.IntPlaces; --Place)
                        EmitIntDigit(Place);
                }
                EmitIntDigit(I.IntPlaces - IntSeen);
                ++IntSeen;
            } else {
                ++DecSeen;
                if (DecSeen <= ShowDec) {
                    if (!PointWritten) {
                        R += FS.DecimalSeparator;
                        PointWritten = true;
                    }
                    R += DigitAt(FracStart + DecSeen - 1);
                }
            }
            break;
        case L'.':
            if (!AfterPoint) {
                AfterPoint = true;
                if (IntSeen == 0 && I.IntPlaces == 0)
                    for (int Place = IntDigits; Place >= 1; --Place) EmitIntDigit(Place);
                if (ShowDec > 0) {
                    R += FS.DecimalSeparator;
                    PointWritten = true;
                }
            }
            break;
        case L',': break;
        case L'E':
        case L'e':
            if (I.Scientific && i + 1 < S.End && (Fmt[i + 1] == L'+' || Fmt[i + 1] == L'-')) {
                bool Plus = Fmt[i + 1] == L'+';
                R += c;
                i += 2;
                int Zeros = 0;
                while (i < S.End && Fmt[i] == L'0') {
                    ++Zeros;
                    ++i;
                }
                --i;
                if (DisplayExp < 0 || Plus) R += DisplayExp < 0 ? L'-' : L'+';
                String e = UIntToStr(UInt64(DisplayExp < 0 ? -DisplayExp : DisplayExp));
                Zeros = std::min(std::max(Zeros, 1), 4);
                if (int(e.size()) < Zeros) R.append(size_t(Zeros) - e.size(), L'0');
                R += e;
                break;
            }
            R += c;
            break;
        default: R += c; break;
        }
    }
    return R;
}

}  // namespace

String FormatFloat(const String& Format, Extended Value, const TFormatSettings& FS)
{
    if (Format.empty() || std::isnan(Value) || std::isinf(Value))
        return FloatToStrF(Value, ffGeneral, 15, 0, FS);
    TSection Sec[3];
    int Count = SplitSections(Format, Sec);
    // Choose the section by sign; an empty section falls back to the first.
    int Which = 0;
    if (Value < 0 && Count >= 2 && !Sec[1].Empty()) Which = 1;
    else if (Value == 0 && Count >= 3 && !Sec[2].Empty()) Which = 2;
    TSectionInfo Info = Analyse(Format, Sec[Which]);
    TFloatRec F;
    int DisplayExp = 0;
    auto Round = [&](int W) {
        Info = Analyse(Format, Sec[W]);
        if (Info.Scientific) {
            int Sig = std::max(Info.IntPlaces + Info.DecPlaces, 1);
            FloatToDecimal(F, Value, std::min(Sig, 18), 9999);
            DisplayExp = std::strlen(F.Digits) ? F.Exponent - Info.IntPlaces : 0;
        } else {
            FloatToDecimal(F, Value, 18, Info.DecPlaces);
        }
    };
    Round(Which);
    // A value that rounds to zero takes the zero section when there is one.
    if (F.Digits[0] == 0 && Which != 2 && Count >= 3 && !Sec[2].Empty()) {
        Which = 2;
        Round(Which);
    }
    String Body = ApplySection(Format, Sec[Which], Info, F, DisplayExp, FS);
    // The first section carries the minus sign itself; the negative section brings its own.
    if (Which == 0 && F.Negative && F.Digits[0] != 0) return L"-" + Body;
    return Body;
}

String FormatFloat(const String& Format, Extended Value)
{
    return FormatFloat(Format, Value, FormatSettings);
}
