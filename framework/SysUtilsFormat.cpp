// SysUtils: Format, with the class library's specifiers and checks (never printf).
#include "SysUtils.h"

#include <cstring>

namespace {

[[noreturn]] void RaiseInvalidFormat(const String& Fmt)
{
    throw EConvertError(Consts::SInvalidFormat, {Fmt});
}

[[noreturn]] void RaiseNoArgument(const String& Fmt)
{
    throw EConvertError(Consts::SArgumentMissing, {Fmt});
}

bool AsInteger(const TVarRec& A, Int64& V, bool& IsUInt64, bool& Is32)
{
    IsUInt64 = false;
    Is32 = false;
    switch (A.VType) {
    case TVarRec::vtInteger:
        V = A.VInteger;
        Is32 = true;
        return true;
    case TVarRec::vtInt64: V = A.VInt64; return true;
    case TVarRec::vtUInt64:
        V = Int64(A.VUInt64);
        IsUInt64 = true;
        return true;
    default: return false;
    }
}

bool AsFloat(const TVarRec& A, Extended& V, bool& IsCurrency, Currency& C)
{
    IsCurrency = false;
    if (A.VType == TVarRec::vtExtended) {
        V = A.VExtended;
        return true;
    }
    if (A.VType == TVarRec::vtCurrency) {
        IsCurrency = true;
        C = A.VInt64;
        V = Extended(A.VInt64) / 10000;
        return true;
    }
    return false;
}

String ZeroPadDigits(String Digits, int Prec)
{
    if (Prec > 0 && int(Digits.size()) < Prec) Digits.insert(0, size_t(Prec) - Digits.size(), L'0');
    return Digits;
}

}  // namespace

String Format(const String& Fmt, TVarRecs Args, const TFormatSettings& FS)
{
    const TVarRec* ArgV = Args.begin();
    const int ArgC = int(Args.size());
    int ArgIndex = 0;
    String R;
    R.reserve(Fmt.size() + 16);
    size_t i = 0;
    const size_t n = Fmt.size();

    auto NextArg = [&]() -> const TVarRec& {
        if (ArgIndex >= ArgC) RaiseNoArgument(Fmt);
        return ArgV[ArgIndex++];
    };
    // A number in the specifier, or "*" taken from the arguments; -1 when absent.
    auto ReadNumber = [&]() -> int {
        if (i < n && Fmt[i] == L'*') {
            ++i;
            const TVarRec& A = NextArg();
            if (A.VType != TVarRec::vtInteger) RaiseInvalidFormat(Fmt);
            return A.VInteger;
        }
        if (i >= n || Fmt[i] < L'0' || Fmt[i] > L'9') return -1;
        Int64 v = 0;
        while (i < n && Fmt[i] >= L'0' && Fmt[i] <= L'9') {
            v = v * 10 + (Fmt[i++] - L'0');
            if (v > 100000) RaiseInvalidFormat(Fmt);   // an absurd width is a bad format
        }
        return int(v);
    };

    while (i < n) {
        Char c = Fmt[i];
        if (c != L'%') {
            size_t Next = Fmt.find(L'%', i);
            if (Next == String::npos) Next = n;
            R.append(Fmt, i, Next - i);
            i = Next;
            continue;
        }
        ++i;
        if (i >= n) RaiseInvalidFormat(Fmt);
        if (Fmt[i] == L'%') {
            R += L'%';
            ++i;
            continue;
        }
        // [index ":"] ["-"] [width] ["." prec] type
        int Num = ReadNumber();
        if (i < n && Fmt[i] == L':') {
            ++i;
            if (Num < 0) Num = 0;
            ArgIndex = Num;
            Num = -1;
        }
        bool LeftJustify = false;
        int Width = Num;
        if (Width < 0) {
            if (i < n && Fmt[i] == L'-') {
                LeftJustify = true;
                ++i;
            }
            Width = ReadNumber();
        }
        if (Width < 0) Width = 0;
        int Prec = -1;
        if (i < n && Fmt[i] == L'.') {
            ++i;
            Prec = ReadNumber();
            if (Prec < 0) Prec = 0;
        }
        if (i >= n) RaiseInvalidFormat(Fmt);
        Char Type = LoCase(Fmt[i]);
        ++i;
        const TVarRec& A = NextArg();
        String Text;
        Int64 IV;
        bool IsU64, Is32, IsCurr;
        Extended FV;
        Currency CV;
        switch (Type) {
        case L'd':
            if (!AsInteger(A, IV, IsU64, Is32)) RaiseInvalidFormat(Fmt);
            if (IsU64) Text = ZeroPadDigits(UIntToStr(UInt64(IV)), Prec);
            else if (IV < 0) Text = L"-" + ZeroPadDigits(UIntToStr(UInt64(0) - UInt64(IV)), Prec);
            else Text = ZeroPadDigits(UIntToStr(UInt64(IV)), Prec);
            break;
        case L'u':
            if (!AsInteger(A, IV, IsU64, Is32)) RaiseInvalidFormat(Fmt);
            Text = ZeroPadDigits(UIntToStr(Is32 ? UInt64(Cardinal(IV)) : UInt64(IV)), Prec);
            break;
        case L'x':
            if (!AsInteger(A, IV, IsU64, Is32)) RaiseInvalidFormat(Fmt);
            Text = Is32 ? IntToHex(int(IV), Prec < 0 ? 0 : Prec) : IntToHex(IV, Prec < 0 ? 0 : Prec);
            break;
        case L'e':
            if (!AsFloat(A, FV, IsCurr, CV)) RaiseInvalidFormat(Fmt);
            Text = FloatToStrF(FV, ffExponent, (Prec < 0 || Prec > 18) ? 15 : Prec, 3, FS);
            break;
        case L'f':
        case L'n':
        case L'm': {
            if (!AsFloat(A, FV, IsCurr, CV)) RaiseInvalidFormat(Fmt);
            TFloatFormat FF = Type == L'f' ? ffFixed : (Type == L'n' ? ffNumber : ffCurrency);
            int Digits = Prec < 0 ? (Type == L'm' ? FS.CurrencyDecimals : 2) : std::min(Prec, 18);
            Text = FloatToStrF(FV, FF, 18, Digits, FS);
            break;
        }
        case L'g':
            if (!AsFloat(A, FV, IsCurr, CV)) RaiseInvalidFormat(Fmt);
            Text = FloatToStrF(FV, ffGeneral, (Prec <= 0 || Prec > 18) ? 15 : Prec, 0, FS);
            break;
        case L's':
            switch (A.VType) {
            case TVarRec::vtString: Text = *A.VString; break;
            case TVarRec::vtPWideChar: Text = A.VPWideChar ? A.VPWideChar : L""; break;
            case TVarRec::vtWideChar: Text = String(1, A.VWideChar); break;
            default: RaiseInvalidFormat(Fmt);
            }
            if (Prec >= 0 && int(Text.size()) > Prec) Text.resize(size_t(Prec));
            break;
        case L'p':
            if (A.VType != TVarRec::vtPointer) RaiseInvalidFormat(Fmt);
            Text = IntToHex(Int64(reinterpret_cast<NativeUInt>(A.VPointer)), int(sizeof(void*) * 2));
            break;
        default: RaiseInvalidFormat(Fmt);
        }
        if (int(Text.size()) < Width) {
            if (LeftJustify) Text.append(size_t(Width) - Text.size(), L' ');
            else Text.insert(0, size_t(Width) - Text.size(), L' ');
        }
        R += Text;
    }
    return R;
}

String Format(const String& Fmt, TVarRecs Args)
{
    return Format(Fmt, Args, FormatSettings);
}
