#include "Variants.h"
#include "WinScope.h"

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <limits>

// The element store of a variant array: bounds per dimension and the elements, the last
// dimension varying fastest.
struct TVarArrayStore {
    TVarType ElemType = varVariant;
    std::vector<int> Low;
    std::vector<int> High;
    std::vector<Variant> Items;
};

// Gives the implementation functions below access to the private store.
struct TVarAccess {
    static auto& Data(Variant& V) { return V.FData; }
    static const auto& Data(const Variant& V) { return V.FData; }
    static TVarType& Type(Variant& V) { return V.FType; }
    static String& Str(Variant& V) { return V.FString; }
    static const String& Str(const Variant& V) { return V.FString; }
    static std::shared_ptr<TVarArrayStore>& Array(Variant& V) { return V.FArray; }
    static const std::shared_ptr<TVarArrayStore>& Array(const Variant& V) { return V.FArray; }
};

namespace {

using Acc = TVarAccess;

// ---- Text and number conversions ---------------------------------------------------------------
// All under the process-wide FormatSettings, as the class library's variants convert.

String IntText(Int64 Value) { return IntToStr(Value); }
String UIntText(UInt64 Value) { return UIntToStr(Value); }

// General format with the given significant digits.
String FloatText(double Value, int Precision) { return FloatToStrF(Value, ffGeneral, Precision, 0); }

String CurrText(Currency Value) { return CurrToStr(Value); }

String DateText(TDateTime Value) { return DateTimeToStr(Value); }

String Trimmed(const String& S) { return Trim(S); }

// Decimal (optional sign) or hexadecimal ("$1F", "0x1F") integer text; blanks around allowed.
bool TryTextToInt64(const String& Text, Int64& Value) { return TryStrToInt64(Trim(Text), Value); }

// A decimal number with the current decimal separator, optional sign and exponent.
bool TryTextToFloat(const String& Text, double& Value) { return TryStrToFloat(Trim(Text), Value); }

// "True" or "False" in any case (numbers are tried before this).
bool TryTextToBool(const String& Text, bool& Value)
{
    String S = Trim(Text);
    if (SameText(S, L"True")) { Value = true; return true; }
    if (SameText(S, L"False")) { Value = false; return true; }
    return false;
}

// The current format settings first, then the automation library's reading for the user's locale.
bool TryTextToDate(const String& Text, TDateTime& Value)
{
    return TryStrToDateTime(Trim(Text), Value) || TryVarDateFromStr(Text, LOCALE_USER_DEFAULT, Value);
}

// ---- Kinds and errors ------------------------------------------------------------------------

bool IsIntKind(TVarType t)
{
    switch (t) {
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord:
    case varLongWord: case varInt64: case varUInt64:
        return true;
    default:
        return false;
    }
}

bool IsStrKind(TVarType t) { return t == varOleStr || t == varString || t == varUString; }

[[noreturn]] void CastError(TVarType From, TVarType To)
{
    throw EVariantTypeCastError(Consts::SVarTypeCastError, {VarTypeAsText(From), VarTypeAsText(To)});
}

[[noreturn]] void Overflow()
{
    throw EVariantOverflowError(Consts::SVarOverflow);
}

[[noreturn]] void NotArray()
{
    throw EVariantInvalidArgError(Consts::SVarNotArray);
}

[[noreturn]] void BadIndex()
{
    throw EVariantBadIndexError(Consts::SVarArrayBounds);
}

// Round to the nearest integer, halves to the even neighbour.
double RoundEven(double d) { return std::nearbyint(d); }

Int64 DoubleToInt64(double d, TVarType From, TVarType To)
{
    if (!std::isfinite(d)) CastError(From, To);
    double r = RoundEven(d);
    if (r < -9223372036854775808.0 || r >= 9223372036854775808.0) Overflow();
    return Int64(r);
}

// The value as a signed 64-bit integer; kinds that are not numbers raise for To.
Int64 ToInt64(const Variant& V, TVarType To)
{
    const auto& D = Acc::Data(V);
    switch (V.VType()) {
    case varEmpty: return 0;
    case varBoolean: return D.VBoolean ? -1 : 0;
    case varShortInt: return D.VShortInt;
    case varByte: return D.VByte;
    case varSmallint: return D.VSmallInt;
    case varWord: return D.VWord;
    case varInteger: return D.VInteger;
    case varLongWord: return D.VLongWord;
    case varInt64: return D.VInt64;
    case varUInt64:
        if (D.VUInt64 > UInt64(std::numeric_limits<Int64>::max())) Overflow();
        return Int64(D.VUInt64);
    case varSingle: return DoubleToInt64(D.VSingle, V.VType(), To);
    case varDouble: return DoubleToInt64(D.VDouble, V.VType(), To);
    case varDate: return DoubleToInt64(D.VDate, V.VType(), To);
    case varCurrency: {
        // Exact rounding of the fixed-point value, halves to even.
        Int64 q = D.VCurrency / 10000, r = D.VCurrency % 10000;
        if (r > 5000 || (r == 5000 && (q & 1))) ++q;
        if (r < -5000 || (r == -5000 && (q & 1))) --q;
        return q;
    }
    case varOleStr: case varString: case varUString: {
        const String& S = Acc::Str(V);
        Int64 i;
        if (TryTextToInt64(S, i)) return i;
        double d;
        if (TryTextToFloat(S, d)) return DoubleToInt64(d, V.VType(), To);
        bool b;
        if (TryTextToBool(S, b)) return b ? -1 : 0;
        CastError(V.VType(), To);
    }
    default:
        CastError(V.VType(), To);
    }
}

Int64 CheckedRange(Int64 v, Int64 Lo, Int64 Hi)
{
    if (v < Lo || v > Hi) Overflow();
    return v;
}

double ToDouble(const Variant& V, TVarType To)
{
    const auto& D = Acc::Data(V);
    switch (V.VType()) {
    case varSingle: return D.VSingle;
    case varDouble: return D.VDouble;
    case varDate: return D.VDate;
    case varCurrency: return double(D.VCurrency) / 10000.0;
    case varUInt64: return double(D.VUInt64);
    case varOleStr: case varString: case varUString: {
        double d;
        if (TryTextToFloat(Acc::Str(V), d)) return d;
        Int64 i;
        if (TryTextToInt64(Acc::Str(V), i)) return double(i);
        bool b;
        if (TryTextToBool(Acc::Str(V), b)) return b ? -1.0 : 0.0;
        CastError(V.VType(), To);
    }
    default:
        return double(ToInt64(V, To));
    }
}

Variant MakeOfType(TVarType t)
{
    Variant V;
    Acc::Type(V) = t;
    return V;
}

// ---- Arrays --------------------------------------------------------------------------------------

const TVarArrayStore& ArrayOf(const Variant& V)
{
    if (!(V.VType() & varArray) || !Acc::Array(V)) NotArray();
    return *Acc::Array(V);
}

size_t Offset(const TVarArrayStore& S, std::initializer_list<int> Indices)
{
    if (Indices.size() != S.Low.size()) BadIndex();
    size_t Off = 0;
    size_t d = 0;
    for (int i : Indices) {
        if (i < S.Low[d] || i > S.High[d]) BadIndex();
        Off = Off * size_t(S.High[d] - S.Low[d] + 1) + size_t(i - S.Low[d]);
        ++d;
    }
    return Off;
}

bool ValidElemType(TVarType t)
{
    switch (t) {
    case varSmallint: case varInteger: case varSingle: case varDouble: case varCurrency:
    case varDate: case varOleStr: case varDispatch: case varError: case varBoolean: case varVariant:
    case varUnknown: case varShortInt: case varByte: case varWord: case varLongWord: case varInt64:
    case varUInt64:
        return true;
    default:
        return false;
    }
}

// Steps an index tuple through every element, the last dimension fastest. False at the end.
bool NextIndex(std::vector<LONG>& Idx, const std::vector<int>& Low, const std::vector<int>& High)
{
    for (size_t d = Idx.size(); d-- > 0;) {
        if (Idx[d] < High[d]) {
            ++Idx[d];
            return true;
        }
        Idx[d] = Low[d];
    }
    return false;
}

}  // namespace

// ---- Variant -------------------------------------------------------------------------------------

Variant::Variant(const Variant& Source)
{
    CopyFrom(Source);
}

Variant::Variant(Variant&& Source) noexcept
    : FType(Source.FType), FData(Source.FData), FString(std::move(Source.FString)),
      FArray(std::move(Source.FArray))
{
    Source.FType = varEmpty;
    Source.FData.VInt64 = 0;
}

Variant& Variant::operator=(const Variant& Source)
{
    if (this != &Source) {
        Variant Tmp(Source);
        *this = std::move(Tmp);
    }
    return *this;
}

Variant& Variant::operator=(Variant&& Source) noexcept
{
    if (this != &Source) {
        Clear();
        FType = Source.FType;
        FData = Source.FData;
        FString = std::move(Source.FString);
        FArray = std::move(Source.FArray);
        Source.FType = varEmpty;
        Source.FData.VInt64 = 0;
    }
    return *this;
}

Variant::~Variant()
{
    Clear();
}

Variant::Variant(const AnsiString& Value) : FType(varString)
{
    if (!Value.empty()) {
        int n = MultiByteToWideChar(CP_ACP, 0, Value.data(), int(Value.size()), nullptr, 0);
        FString.resize(size_t(n));
        MultiByteToWideChar(CP_ACP, 0, Value.data(), int(Value.size()), FString.data(), n);
    }
}

Variant::Variant(IDispatch* Value) : FType(varDispatch)
{
    FData.VUnknown = Value;
    if (Value) Value->AddRef();
}

Variant::Variant(IUnknown* Value) : FType(varUnknown)
{
    FData.VUnknown = Value;
    if (Value) Value->AddRef();
}

void Variant::Clear() noexcept
{
    if ((FType == varDispatch || FType == varUnknown) && FData.VUnknown) FData.VUnknown->Release();
    FType = varEmpty;
    FData.VInt64 = 0;
    FString.clear();
    FArray.reset();
}

void Variant::CopyFrom(const Variant& Source)
{
    FType = Source.FType;
    FData = Source.FData;
    FString = Source.FString;
    FArray = Source.FArray;
    if ((FType == varDispatch || FType == varUnknown) && FData.VUnknown) FData.VUnknown->AddRef();
}

Integer Variant::AsInteger() const
{
    return Integer(CheckedRange(ToInt64(*this, varInteger), INT32_MIN, INT32_MAX));
}

Int64 Variant::AsInt64() const
{
    return ToInt64(*this, varInt64);
}

UInt64 Variant::AsUInt64() const
{
    if (FType == varUInt64) return FData.VUInt64;
    if (FType == varDouble || FType == varSingle) {
        double d = RoundEven(ToDouble(*this, varUInt64));
        if (!(d >= 0 && d < 18446744073709551616.0)) Overflow();
        return UInt64(d);
    }
    Int64 v = ToInt64(*this, varUInt64);
    if (v < 0) Overflow();
    return UInt64(v);
}

double Variant::AsDouble() const
{
    return ToDouble(*this, varDouble);
}

Currency Variant::AsCurrency() const
{
    if (FType == varCurrency) return FData.VCurrency;
    if (IsIntKind(FType) || FType == varBoolean || FType == varEmpty) {
        Int64 v = ToInt64(*this, varCurrency);
        if (v > INT64_MAX / 10000 || v < INT64_MIN / 10000) Overflow();
        return v * 10000;
    }
    double d = RoundEven(ToDouble(*this, varCurrency) * 10000.0);
    if (!(d > -9223372036854775808.0 && d < 9223372036854775808.0)) Overflow();
    return Currency(d);
}

bool Variant::AsBoolean() const
{
    switch (FType) {
    case varEmpty: return false;
    case varBoolean: return FData.VBoolean;
    case varSingle: case varDouble: case varDate: return ToDouble(*this, varBoolean) != 0;
    case varCurrency: return FData.VCurrency != 0;
    case varOleStr: case varString: case varUString: {
        bool b;
        if (TryTextToBool(FString, b)) return b;
        double d;
        if (TryTextToFloat(FString, d)) return d != 0;
        Int64 i;
        if (TryTextToInt64(FString, i)) return i != 0;
        CastError(FType, varBoolean);
    }
    default:
        if (IsIntKind(FType)) return FType == varUInt64 ? FData.VUInt64 != 0 : ToInt64(*this, varBoolean) != 0;
        CastError(FType, varBoolean);
    }
}

TDateTime Variant::AsDateTime() const
{
    switch (FType) {
    case varDate: return FData.VDate;
    case varOleStr: case varString: case varUString: {
        TDateTime d;
        if (TryTextToDate(FString, d)) return d;
        CastError(FType, varDate);
    }
    default:
        return ToDouble(*this, varDate);
    }
}

String Variant::AsString() const
{
    switch (FType) {
    case varEmpty: return String();
    case varBoolean: return FData.VBoolean ? L"True" : L"False";
    case varShortInt: case varByte: case varSmallint: case varWord: case varInteger:
    case varLongWord: case varInt64:
        return IntText(ToInt64(*this, varUString));
    case varUInt64: return UIntText(FData.VUInt64);
    case varSingle: return FloatText(FData.VSingle, 7);
    case varDouble: return FloatText(FData.VDouble, 15);
    case varCurrency: return CurrText(FData.VCurrency);
    case varDate: return DateText(FData.VDate);
    case varOleStr: case varString: case varUString: return FString;
    default:
        CastError(FType, varUString);
    }
}

IDispatch* Variant::AsDispatch() const
{
    if (FType == varEmpty) return nullptr;
    if (FType != varDispatch) CastError(FType, varDispatch);
    return static_cast<IDispatch*>(FData.VUnknown);
}

IUnknown* Variant::AsUnknown() const
{
    if (FType == varEmpty) return nullptr;
    if (FType != varDispatch && FType != varUnknown) CastError(FType, varUnknown);
    return FData.VUnknown;
}

Variant Variant::GetElement(std::initializer_list<int> Indices) const
{
    const TVarArrayStore& S = ArrayOf(*this);
    return S.Items[Offset(S, Indices)];
}

void Variant::PutElement(const Variant& Value, std::initializer_list<int> Indices)
{
    ArrayOf(*this);
    size_t Off = Offset(*FArray, Indices);
    Variant Converted = FArray->ElemType == varVariant ? Value : VarAsType(Value, FArray->ElemType);
    if (FArray.use_count() > 1) FArray = std::make_shared<TVarArrayStore>(*FArray);
    FArray->Items[Off] = std::move(Converted);
}

// ---- Free functions ------------------------------------------------------------------------------

Variant Null() { return MakeOfType(varNull); }
Variant Unassigned() { return Variant(); }
Variant VarFromDateTime(TDateTime Value) { return Variant(VarDateTag, Value); }
Variant VarFromCurrency(Currency Value) { return Variant(VarCurrencyTag, Value); }
Variant VarAsError(Integer Code) { return Variant(VarErrorTag, Code); }

TVarType VarType(const Variant& V) { return V.VType(); }
bool VarIsType(const Variant& V, TVarType AVarType) { return V.VType() == AVarType; }
bool VarIsEmpty(const Variant& V) { return V.VType() == varEmpty; }
bool VarIsNull(const Variant& V) { return V.VType() == varNull; }

bool VarIsClear(const Variant& V)
{
    return V.VType() == varEmpty ||
           ((V.VType() == varDispatch || V.VType() == varUnknown) && !Acc::Data(V).VUnknown);
}

bool VarIsNumeric(const Variant& V)
{
    return VarIsOrdinal(V) || VarIsFloat(V);
}

bool VarIsOrdinal(const Variant& V) { return IsIntKind(V.VType()) || V.VType() == varBoolean; }

bool VarIsFloat(const Variant& V)
{
    return V.VType() == varSingle || V.VType() == varDouble || V.VType() == varCurrency;
}

bool VarIsStr(const Variant& V) { return IsStrKind(V.VType()); }
bool VarIsArray(const Variant& V) { return (V.VType() & varArray) != 0; }

String VarTypeAsText(TVarType AVarType)
{
    String Name;
    switch (AVarType & varTypeMask) {
    case varEmpty: Name = L"Empty"; break;
    case varNull: Name = L"Null"; break;
    case varSmallint: Name = L"Smallint"; break;
    case varInteger: Name = L"Integer"; break;
    case varSingle: Name = L"Single"; break;
    case varDouble: Name = L"Double"; break;
    case varCurrency: Name = L"Currency"; break;
    case varDate: Name = L"Date"; break;
    case varOleStr: Name = L"OleStr"; break;
    case varDispatch: Name = L"Dispatch"; break;
    case varError: Name = L"Error"; break;
    case varBoolean: Name = L"Boolean"; break;
    case varVariant: Name = L"Variant"; break;
    case varUnknown: Name = L"Unknown"; break;
    case varShortInt: Name = L"ShortInt"; break;
    case varByte: Name = L"Byte"; break;
    case varWord: Name = L"Word"; break;
    case varLongWord: Name = L"Cardinal"; break;
    case varInt64: Name = L"Int64"; break;
    case varUInt64: Name = L"UInt64"; break;
    case varStrArg: Name = L"StrArg"; break;
    case varString: Name = L"String"; break;
    case varAny: Name = L"Any"; break;
    case varUString: Name = L"UnicodeString"; break;
    default: {
        wchar_t Buf[16];
        std::swprintf(Buf, 16, L"$%.4X", unsigned(AVarType & varTypeMask));
        Name = Buf;
    }
    }
    if (AVarType & varArray) Name = L"Array " + Name;
    if (AVarType & varByRef) Name = L"Ref to " + Name;
    return Name;
}

String VarToStr(const Variant& V)
{
    return VarToStrDef(V, String());
}

String VarToStrDef(const Variant& V, const String& Default)
{
    return V.VType() == varNull ? Default : V.AsString();
}

TDateTime VarToDateTime(const Variant& V)
{
    return V.AsDateTime();
}

Variant VarAsType(const Variant& V, TVarType AVarType)
{
    if (V.VType() == AVarType || AVarType == varVariant) return V;
    if (V.VType() == varNull) {
        if (AVarType == varNull) return V;
        CastError(varNull, AVarType);
    }
    switch (AVarType) {
    case varEmpty: return Variant();
    case varNull: return Null();
    case varSmallint: return Variant(SmallInt(CheckedRange(ToInt64(V, AVarType), INT16_MIN, INT16_MAX)));
    case varInteger: return Variant(V.AsInteger());
    case varShortInt: return Variant(ShortInt(CheckedRange(ToInt64(V, AVarType), INT8_MIN, INT8_MAX)));
    case varByte: return Variant(Byte(CheckedRange(ToInt64(V, AVarType), 0, UINT8_MAX)));
    case varWord: return Variant(Word(CheckedRange(ToInt64(V, AVarType), 0, UINT16_MAX)));
    case varLongWord: return Variant(LongWord(CheckedRange(ToInt64(V, AVarType), 0, UINT32_MAX)));
    case varInt64: return Variant(V.AsInt64());
    case varUInt64: return Variant(V.AsUInt64());
    case varSingle: {
        double d = ToDouble(V, varSingle);
        if (std::fabs(d) > std::numeric_limits<float>::max()) Overflow();
        return Variant(float(d));
    }
    case varDouble: return Variant(V.AsDouble());
    case varCurrency: return VarFromCurrency(V.AsCurrency());
    case varDate: return VarFromDateTime(V.AsDateTime());
    case varBoolean: return Variant(V.AsBoolean());
    case varOleStr: case varString: case varUString: {
        Variant R(V.AsString());
        Acc::Type(R) = AVarType;
        return R;
    }
    case varDispatch:
        if (V.VType() == varEmpty) return Variant(static_cast<IDispatch*>(nullptr));
        CastError(V.VType(), AVarType);
    case varUnknown:
        if (V.VType() == varEmpty || V.VType() == varDispatch) return Variant(V.AsUnknown());
        CastError(V.VType(), AVarType);
    default:
        CastError(V.VType(), AVarType);
    }
}

// ---- Comparison and arithmetic -------------------------------------------------------------------

namespace {

template <class T>
TVariantRelationship Rel(T a, T b)
{
    return a < b ? vrLessThan : b < a ? vrGreaterThan : vrEqual;
}

bool IsPlainNumber(TVarType t)
{
    return IsIntKind(t) || t == varSingle || t == varDouble || t == varCurrency || t == varDate ||
           t == varBoolean;
}

}  // namespace

TVariantRelationship VarCompareValue(const Variant& A, const Variant& B)
{
    TVarType ta = A.VType(), tb = B.VType();
    if (ta == varNull || tb == varNull) return ta == tb ? vrEqual : vrNotEqual;
    if (ta == varEmpty || tb == varEmpty)
        return ta == tb ? vrEqual : ta == varEmpty ? vrLessThan : vrGreaterThan;
    if (IsStrKind(ta) && IsStrKind(tb)) return Rel(A.AsString().compare(B.AsString()), 0);
    if (IsPlainNumber(ta) && IsPlainNumber(tb)) {
        if (ta == varUInt64 || tb == varUInt64) {
            if (ta == tb) return Rel(A.AsUInt64(), B.AsUInt64());
        } else if (IsIntKind(ta) && IsIntKind(tb)) {
            return Rel(A.AsInt64(), B.AsInt64());
        }
        if (ta == varCurrency && tb == varCurrency) return Rel(A.AsCurrency(), B.AsCurrency());
        return Rel(A.AsDouble(), B.AsDouble());
    }
    if ((IsStrKind(ta) && IsPlainNumber(tb)) || (IsPlainNumber(ta) && IsStrKind(tb))) {
        // Numeric text compares by value; other text compares with the number's text.
        bool TextFirst = IsStrKind(ta);
        double d;
        if (TryTextToFloat((TextFirst ? A : B).AsString(), d))
            return TextFirst ? Rel(d, B.AsDouble()) : Rel(A.AsDouble(), d);
        return Rel(A.AsString().compare(B.AsString()), 0);
    }
    if (ta == varError && tb == varError) return Rel(A.RawError(), B.RawError());
    if ((ta == varDispatch || ta == varUnknown) && (tb == varDispatch || tb == varUnknown))
        return A.AsUnknown() == B.AsUnknown() ? vrEqual : vrNotEqual;
    return vrNotEqual;
}

bool operator==(const Variant& A, const Variant& B)
{
    return VarCompareValue(A, B) == vrEqual;
}

bool operator<(const Variant& A, const Variant& B)
{
    return VarCompareValue(A, B) == vrLessThan;
}

bool operator>(const Variant& A, const Variant& B)
{
    return VarCompareValue(A, B) == vrGreaterThan;
}

bool operator<=(const Variant& A, const Variant& B)
{
    TVariantRelationship R = VarCompareValue(A, B);
    return R == vrLessThan || R == vrEqual;
}

bool operator>=(const Variant& A, const Variant& B)
{
    TVariantRelationship R = VarCompareValue(A, B);
    return R == vrGreaterThan || R == vrEqual;
}

void VarClear(Variant& V)
{
    V = Variant();
}

namespace {

enum class TVarOp { Add, Sub, Mul, Div };

Variant Arith(const Variant& A, const Variant& B, TVarOp Op)
{
    TVarType ta = A.VType(), tb = B.VType();
    if (ta == varNull || tb == varNull) return Null();
    if (Op == TVarOp::Add && IsStrKind(ta) && IsStrKind(tb)) return Variant(A.AsString() + B.AsString());
    auto Operand = [](const Variant& V) -> TVarType {
        if (IsPlainNumber(V.VType()) || V.VType() == varEmpty || IsStrKind(V.VType())) return V.VType();
        CastError(V.VType(), varDouble);
    };
    Operand(A);
    Operand(B);
    bool Ints = (IsIntKind(ta) || ta == varBoolean || ta == varEmpty) &&
                (IsIntKind(tb) || tb == varBoolean || tb == varEmpty) && ta != varUInt64 &&
                tb != varUInt64;
    if (Ints && Op != TVarOp::Div) {
        Int64 x = A.AsInt64(), y = B.AsInt64(), r;
        bool Ovf = Op == TVarOp::Add ? __builtin_add_overflow(x, y, &r)
                   : Op == TVarOp::Sub ? __builtin_sub_overflow(x, y, &r)
                                       : __builtin_mul_overflow(x, y, &r);
        if (!Ovf) {
            bool Wide = ta == varInt64 || tb == varInt64 || r < INT32_MIN || r > INT32_MAX;
            return Wide ? Variant(r) : Variant(Integer(r));
        }
    }
    double x = A.AsDouble(), y = B.AsDouble(), r = 0;
    switch (Op) {
    case TVarOp::Add: r = x + y; break;
    case TVarOp::Sub: r = x - y; break;
    case TVarOp::Mul: r = x * y; break;
    case TVarOp::Div:
        if (y == 0) throw EZeroDivide(L"Floating point division by zero");
        r = x / y;
        break;
    }
    // A date moved by a number stays a date; the distance between two dates is a number.
    bool DateResult = (Op == TVarOp::Add && (ta == varDate) != (tb == varDate)) ||
                      (Op == TVarOp::Sub && ta == varDate && tb != varDate);
    return DateResult ? VarFromDateTime(r) : Variant(r);
}

}  // namespace

Variant operator+(const Variant& A, const Variant& B) { return Arith(A, B, TVarOp::Add); }
Variant operator-(const Variant& A, const Variant& B) { return Arith(A, B, TVarOp::Sub); }
Variant operator*(const Variant& A, const Variant& B) { return Arith(A, B, TVarOp::Mul); }
Variant operator/(const Variant& A, const Variant& B) { return Arith(A, B, TVarOp::Div); }

// ---- Arrays ----------------------------------------------------------------------------------------

Variant VarArrayCreate(std::initializer_list<int> Bounds, TVarType AVarType)
{
    return VarArrayCreate(std::vector<int>(Bounds), AVarType);
}

Variant VarArrayCreate(const std::vector<int>& Bounds, TVarType AVarType)
{
    if (Bounds.empty() || Bounds.size() % 2 != 0 || Bounds.size() / 2 > 64 || !ValidElemType(AVarType))
        throw EVariantArrayCreateError(Consts::SVarArrayCreate);
    auto Store = std::make_shared<TVarArrayStore>();
    Store->ElemType = AVarType;
    size_t Count = 1;
    for (size_t i = 0; i < Bounds.size(); i += 2) {
        Int64 n = Int64(Bounds[i + 1]) - Bounds[i] + 1;
        if (n < 0 || (n > 0 && Count > (size_t(1) << 28) / size_t(n)))
            throw EVariantArrayCreateError(Consts::SVarArrayCreate);
        Store->Low.push_back(Bounds[i]);
        Store->High.push_back(Bounds[i + 1]);
        Count *= size_t(n);
    }
    // New elements hold the element kind's zero (Empty for varVariant).
    Variant Zero;
    if (AVarType == varError) Zero = VarAsError(0);
    else if (AVarType == varOleStr) Zero = VarAsType(Variant(String()), varOleStr);
    else if (AVarType != varVariant) Zero = VarAsType(Variant(), AVarType);
    Store->Items.assign(Count, Zero);
    Variant V;
    Acc::Type(V) = TVarType(varArray | AVarType);
    Acc::Array(V) = std::move(Store);
    return V;
}

Variant VarArrayOf(std::initializer_list<Variant> Values)
{
    Variant V = VarArrayCreate({0, int(Values.size()) - 1}, varVariant);
    std::copy(Values.begin(), Values.end(), Acc::Array(V)->Items.begin());
    return V;
}

int VarArrayDimCount(const Variant& V)
{
    if (!VarIsArray(V)) return 0;
    return int(ArrayOf(V).Low.size());
}

int VarArrayLowBound(const Variant& V, int Dim)
{
    const TVarArrayStore& S = ArrayOf(V);
    if (Dim < 1 || size_t(Dim) > S.Low.size()) BadIndex();
    return S.Low[size_t(Dim) - 1];
}

int VarArrayHighBound(const Variant& V, int Dim)
{
    const TVarArrayStore& S = ArrayOf(V);
    if (Dim < 1 || size_t(Dim) > S.High.size()) BadIndex();
    return S.High[size_t(Dim) - 1];
}

Variant VarArrayGet(const Variant& V, std::initializer_list<int> Indices)
{
    return V.GetElement(Indices);
}

void VarArrayPut(Variant& V, const Variant& Value, std::initializer_list<int> Indices)
{
    V.PutElement(Value, Indices);
}

// ---- The platform VARIANT ----------------------------------------------------------------------------

namespace {

VARTYPE OleElemType(TVarType t)
{
    switch (t) {
    case varVariant: return VT_VARIANT;
    case varOleStr: case varString: case varUString: return VT_BSTR;
    default: return VARTYPE(t);   // the numeric codes are the platform's
    }
}

void ScalarToOle(const Variant& V, VARIANT& D)
{
    const auto& S = Acc::Data(V);
    switch (V.VType()) {
    case varEmpty: D.vt = VT_EMPTY; break;
    case varNull: D.vt = VT_NULL; break;
    case varBoolean: D.vt = VT_BOOL; D.boolVal = S.VBoolean ? VARIANT_TRUE : VARIANT_FALSE; break;
    case varShortInt: D.vt = VT_I1; D.cVal = CHAR(S.VShortInt); break;
    case varByte: D.vt = VT_UI1; D.bVal = S.VByte; break;
    case varSmallint: D.vt = VT_I2; D.iVal = S.VSmallInt; break;
    case varWord: D.vt = VT_UI2; D.uiVal = S.VWord; break;
    case varInteger: D.vt = VT_I4; D.lVal = S.VInteger; break;
    case varLongWord: D.vt = VT_UI4; D.ulVal = S.VLongWord; break;
    case varInt64: D.vt = VT_I8; D.llVal = S.VInt64; break;
    case varUInt64: D.vt = VT_UI8; D.ullVal = S.VUInt64; break;
    case varSingle: D.vt = VT_R4; D.fltVal = S.VSingle; break;
    case varDouble: D.vt = VT_R8; D.dblVal = S.VDouble; break;
    case varCurrency: D.vt = VT_CY; D.cyVal.int64 = S.VCurrency; break;
    case varDate: D.vt = VT_DATE; D.date = S.VDate; break;
    case varError: D.vt = VT_ERROR; D.scode = S.VError; break;
    case varOleStr: case varString: case varUString: {
        const String& T = Acc::Str(V);
        D.bstrVal = SysAllocStringLen(T.data(), UINT(T.size()));
        if (!D.bstrVal) throw EOutOfResources(L"Out of memory for a text value");
        D.vt = VT_BSTR;
        break;
    }
    case varDispatch:
        D.vt = VT_DISPATCH;
        D.pdispVal = static_cast<IDispatch*>(S.VUnknown);
        if (D.pdispVal) D.pdispVal->AddRef();
        break;
    case varUnknown:
        D.vt = VT_UNKNOWN;
        D.punkVal = S.VUnknown;
        if (D.punkVal) D.punkVal->AddRef();
        break;
    default:
        throw EVariantInvalidArgError(L"Variant of type (" + VarTypeAsText(V.VType()) +
                                      L") cannot be passed to automation");
    }
}

// Owns a platform VARIANT for the length of a scope.
struct TOleVarGuard {
    VARIANT V;
    TOleVarGuard() { VariantInit(&V); }
    ~TOleVarGuard() { VariantClear(&V); }
};

void ArrayToOle(const Variant& V, VARIANT& D)
{
    const TVarArrayStore& S = ArrayOf(V);
    std::vector<SAFEARRAYBOUND> Bounds(S.Low.size());
    for (size_t d = 0; d < S.Low.size(); ++d) {
        Bounds[d].lLbound = S.Low[d];
        Bounds[d].cElements = ULONG(S.High[d] - S.Low[d] + 1);
    }
    VARTYPE Vt = OleElemType(S.ElemType);
    SAFEARRAY* Psa = SafeArrayCreate(Vt, UINT(Bounds.size()), Bounds.data());
    if (!Psa) throw EVariantArrayCreateError(Consts::SVarArrayCreate);
    auto Undo = ScopeFail([Psa] { SafeArrayDestroy(Psa); });
    if (!S.Items.empty()) {
        std::vector<LONG> Idx(S.Low.begin(), S.Low.end());
        size_t k = 0;
        do {
            TOleVarGuard E;
            if (Vt == VT_VARIANT) VarToOle(S.Items[k], E.V);
            else ScalarToOle(VarAsType(S.Items[k], S.ElemType), E.V);
            void* P = Vt == VT_VARIANT ? static_cast<void*>(&E.V)
                      : Vt == VT_BSTR ? static_cast<void*>(E.V.bstrVal)
                      : (Vt == VT_DISPATCH || Vt == VT_UNKNOWN) ? static_cast<void*>(E.V.punkVal)
                                                              : static_cast<void*>(&E.V.bVal);
            HRESULT hr = SafeArrayPutElement(Psa, Idx.data(), P);
            if (FAILED(hr)) throw EVariantError(L"Cannot write a safe array element");
            ++k;
        } while (NextIndex(Idx, S.Low, S.High));
    }
    D.vt = VARTYPE(VT_ARRAY | Vt);
    D.parray = Psa;
}

Variant ScalarFromOle(const VARIANT& S)
{
    switch (S.vt) {
    case VT_EMPTY: return Variant();
    case VT_NULL: return Null();
    case VT_BOOL: return Variant(S.boolVal != VARIANT_FALSE);
    case VT_I1: return Variant(static_cast<signed char>(S.cVal));
    case VT_UI1: return Variant(static_cast<unsigned char>(S.bVal));
    case VT_I2: return Variant(static_cast<short>(S.iVal));
    case VT_UI2: return Variant(static_cast<unsigned short>(S.uiVal));
    case VT_I4: case VT_INT: return Variant(int(S.lVal));
    case VT_UI4: case VT_UINT: return Variant(unsigned(S.ulVal));
    case VT_I8: return Variant(static_cast<long long>(S.llVal));
    case VT_UI8: return Variant(static_cast<unsigned long long>(S.ullVal));
    case VT_R4: return Variant(S.fltVal);
    case VT_R8: return Variant(S.dblVal);
    case VT_CY: return VarFromCurrency(S.cyVal.int64);
    case VT_DATE: return VarFromDateTime(S.date);
    case VT_ERROR: return VarAsError(Integer(S.scode));
    case VT_BSTR: {
        Variant R(S.bstrVal ? String(S.bstrVal, SysStringLen(S.bstrVal)) : String());
        Acc::Type(R) = varOleStr;
        return R;
    }
    case VT_DISPATCH: return Variant(S.pdispVal);
    case VT_UNKNOWN: return Variant(S.punkVal);
    case VT_DECIMAL: {
        TOleVarGuard T;
        if (FAILED(VariantChangeType(&T.V, const_cast<VARIANT*>(&S), 0, VT_R8)))
            throw EVariantOverflowError(Consts::SVarOverflow);
        return Variant(T.V.dblVal);
    }
    default:
        throw EVariantInvalidArgError(L"Unsupported automation value type " + IntText(S.vt));
    }
}

Variant ArrayFromOle(const VARIANT& S)
{
    SAFEARRAY* Psa = S.parray;
    if (!Psa) return Variant();
    VARTYPE Vt = VARTYPE(S.vt & VT_TYPEMASK);
    // Elements are fetched into a VARIANT's value field: only the kinds that fit there.
    switch (Vt) {
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4: case VT_INT:
    case VT_UINT: case VT_I8: case VT_UI8: case VT_R4: case VT_R8: case VT_CY: case VT_DATE:
    case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN: case VT_ERROR: case VT_BOOL: case VT_VARIANT:
    case VT_DECIMAL:
        break;
    default:
        throw EVariantInvalidArgError(L"Unsupported automation array element type " + IntText(Vt));
    }
    UINT Dims = SafeArrayGetDim(Psa);
    std::vector<int> Bounds;
    for (UINT d = 1; d <= Dims; ++d) {
        LONG Lo = 0, Hi = -1;
        SafeArrayGetLBound(Psa, d, &Lo);
        SafeArrayGetUBound(Psa, d, &Hi);
        Bounds.push_back(int(Lo));
        Bounds.push_back(int(Hi));
    }
    TVarType Elem = Vt == VT_VARIANT ? varVariant : Vt == VT_BSTR ? varOleStr : TVarType(Vt);
    if (!ValidElemType(Elem)) Elem = varVariant;
    Variant R = VarArrayCreate(Bounds, Elem);
    TVarArrayStore& Store = *Acc::Array(R);
    if (Store.Items.empty()) return R;
    std::vector<LONG> Idx(Store.Low.begin(), Store.Low.end());
    size_t k = 0;
    do {
        TOleVarGuard E;
        HRESULT hr;
        if (Vt == VT_VARIANT) {
            hr = SafeArrayGetElement(Psa, Idx.data(), &E.V);
        } else if (Vt == VT_DECIMAL) {
            DECIMAL D{};
            hr = SafeArrayGetElement(Psa, Idx.data(), &D);
            E.V.decVal = D;   // overlays the type field, so the type is set after
            if (SUCCEEDED(hr)) E.V.vt = VT_DECIMAL;
        } else {
            hr = SafeArrayGetElement(Psa, Idx.data(), &E.V.bVal);
            if (SUCCEEDED(hr)) E.V.vt = Vt;
        }
        if (FAILED(hr)) BadIndex();
        Store.Items[k++] = VarFromOle(E.V);
    } while (NextIndex(Idx, Store.Low, Store.High));
    return R;
}

}  // namespace

void VarToOle(const Variant& V, VARIANT& Dest)
{
    TOleVarGuard Tmp;   // built apart, so that a failure leaves Dest as it was
    if (VarIsArray(V)) ArrayToOle(V, Tmp.V);
    else ScalarToOle(V, Tmp.V);
    VariantClear(&Dest);
    Dest = Tmp.V;
    Tmp.V.vt = VT_EMPTY;
}

Variant VarFromOle(const VARIANT& Source)
{
    if (Source.vt & VT_BYREF) {
        if (Source.vt == (VT_BYREF | VT_VARIANT)) {
            if (!Source.pvarVal) return Variant();
            return VarFromOle(*Source.pvarVal);
        }
        TOleVarGuard T;
        if (FAILED(VariantCopyInd(&T.V, const_cast<VARIANT*>(&Source))))
            throw EVariantInvalidArgError(L"Invalid automation value reference");
        return VarFromOle(T.V);
    }
    if (Source.vt & VT_ARRAY) return ArrayFromOle(Source);
    return ScalarFromOle(Source);
}

bool TryVarDateFromStr(const String& S, Cardinal LCID, TDateTime& Value)
{
    if (Trimmed(S).empty()) return false;
    DATE d = 0;
    // The platform's reader looks past the end of some texts ("6a"): trailing zeros make its
    // answer the same at every call.
    String Padded = S + String(8, L'\0');
    if (FAILED(VarDateFromStr(Padded.data(), LCID, 0, &d))) return false;
    Value = d;
    return true;
}
