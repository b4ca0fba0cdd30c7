// Variants: a value of any of the automation kinds, its conversions, variant arrays, and the
// exchange with the platform's VARIANT for automation.
//
// A Variant keeps its own store (a tag and a value; strings as UTF-16; arrays as a shared element
// store copied on write) and turns into a platform VARIANT only at the automation boundary
// (VarToOle / VarFromOle), so that this header needs no platform header.
#pragma once

#include "SysUtils.h"

#include <initializer_list>
#include <memory>
#include <vector>

struct tagVARIANT;
struct IUnknown;
struct IDispatch;

using TVarType = Word;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varDispatch = 0x0009;
constexpr TVarType varError = 0x000A;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;
constexpr TVarType varUnknown = 0x000D;
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varUInt64 = 0x0015;
constexpr TVarType varStrArg = 0x0048;
constexpr TVarType varString = 0x0100;    // 8-bit text (held here as UTF-16 all the same)
constexpr TVarType varAny = 0x0101;
constexpr TVarType varUString = 0x0102;   // UTF-16 text
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;
constexpr TVarType varByRef = 0x4000;

// Conversion failures: "Could not convert variant of type (%s) into type (%s)".
DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError)
// A value that does not fit the kind asked for.
DECLARE_EXCEPTION(EVariantOverflowError, EVariantError)
// Array misuse: bad bounds, an index outside them, a non-array used as an array.
DECLARE_EXCEPTION(EVariantArrayCreateError, EVariantError)
DECLARE_EXCEPTION(EVariantBadIndexError, EVariantError)
DECLARE_EXCEPTION(EVariantInvalidArgError, EVariantError)

enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };

// Tags for the constructors whose C++ type alone cannot tell the kind.
struct TVarDateTag {};
struct TVarCurrencyTag {};
struct TVarErrorTag {};
inline constexpr TVarDateTag VarDateTag{};
inline constexpr TVarCurrencyTag VarCurrencyTag{};
inline constexpr TVarErrorTag VarErrorTag{};

class Variant;
struct TVarArrayStore;

class Variant {
public:
    Variant() noexcept {}
    Variant(const Variant& Source);
    Variant(Variant&& Source) noexcept;
    Variant& operator=(const Variant& Source);
    Variant& operator=(Variant&& Source) noexcept;
    ~Variant();

    Variant(bool Value) : FType(varBoolean) { FData.VBoolean = Value; }
    Variant(signed char Value) : FType(varShortInt) { FData.VShortInt = Value; }
    Variant(unsigned char Value) : FType(varByte) { FData.VByte = Value; }
    Variant(short Value) : FType(varSmallint) { FData.VSmallInt = Value; }
    Variant(unsigned short Value) : FType(varWord) { FData.VWord = Value; }
    Variant(int Value) : FType(varInteger) { FData.VInteger = Value; }
    Variant(unsigned Value) : FType(varLongWord) { FData.VLongWord = Value; }
    Variant(long Value) : FType(varInteger) { FData.VInteger = Integer(Value); }   // 32-bit here
    Variant(unsigned long Value) : FType(varLongWord) { FData.VLongWord = LongWord(Value); }
    Variant(long long Value) : FType(varInt64) { FData.VInt64 = Value; }
    Variant(unsigned long long Value) : FType(varUInt64) { FData.VUInt64 = Value; }
    Variant(float Value) : FType(varSingle) { FData.VSingle = Value; }
    Variant(double Value) : FType(varDouble) { FData.VDouble = Value; }
    Variant(long double Value) : FType(varDouble) { FData.VDouble = double(Value); }
    Variant(const String& Value) : FType(varUString), FString(Value) {}
    Variant(String&& Value) noexcept : FType(varUString), FString(std::move(Value)) {}
    Variant(const wchar_t* Value) : FType(varUString), FString(Value ? Value : L"") {}
    Variant(wchar_t Value) : FType(varUString), FString(1, Value) {}
    // 8-bit text in the ANSI code page.
    Variant(const AnsiString& Value);
    Variant(const char* Value) : Variant(AnsiString(Value ? Value : "")) {}
    Variant(TVarDateTag, TDateTime Value) : FType(varDate) { FData.VDate = Value; }
    Variant(TVarCurrencyTag, Currency Value) : FType(varCurrency) { FData.VCurrency = Value; }
    Variant(TVarErrorTag, Integer Code) : FType(varError) { FData.VError = Code; }
    // Any other pointer would silently become a Boolean.
    template <class T>
    Variant(T*) = delete;
    // Interface references are held with a reference of their own.
    Variant(IDispatch* Value);
    Variant(IUnknown* Value);

    // Kind (with the array flag for arrays).
    TVarType VType() const { return FType; }

    // Conversions with the class library's rules (numeric strings read under the current format
    // settings); a failure raises EVariantTypeCastError, a value out of range EVariantOverflowError.
    Integer AsInteger() const;
    Int64 AsInt64() const;
    UInt64 AsUInt64() const;
    double AsDouble() const;
    Currency AsCurrency() const;        // fixed point, 4 decimals
    bool AsBoolean() const;
    TDateTime AsDateTime() const;
    String AsString() const;            // Null raises; use VarToStr for "" on Null
    IDispatch* AsDispatch() const;      // borrowed; null for Empty
    IUnknown* AsUnknown() const;        // borrowed; null for Empty

    explicit operator Integer() const { return AsInteger(); }
    explicit operator Int64() const { return AsInt64(); }
    explicit operator double() const { return AsDouble(); }
    explicit operator bool() const { return AsBoolean(); }
    explicit operator String() const { return AsString(); }

    // Array elements, as VarArrayGet / VarArrayPut.
    Variant GetElement(std::initializer_list<int> Indices) const;
    void PutElement(const Variant& Value, std::initializer_list<int> Indices);
    Variant operator()(int I) const { return GetElement({I}); }
    Variant operator()(int I, int J) const { return GetElement({I, J}); }

    // Raw values of the numeric kinds (valid only for that kind).
    double RawDate() const { return FData.VDate; }
    Integer RawError() const { return FData.VError; }

private:
    friend struct TVarAccess;
    void Clear() noexcept;
    void CopyFrom(const Variant& Source);

    TVarType FType = varEmpty;
    union {
        bool VBoolean;
        ShortInt VShortInt;
        Byte VByte;
        SmallInt VSmallInt;
        Word VWord;
        Integer VInteger;
        LongWord VLongWord;
        Int64 VInt64;
        UInt64 VUInt64;
        float VSingle;
        double VDouble;
        double VDate;
        Currency VCurrency;
        Integer VError;
        IUnknown* VUnknown;   // varDispatch and varUnknown (one reference held)
    } FData{};
    String FString;                           // text kinds
    std::shared_ptr<TVarArrayStore> FArray;   // arrays; copied before a write while shared
};

using OleVariant = Variant;

// Values of the two empty kinds.
Variant Null();
Variant Unassigned();
Variant VarFromDateTime(TDateTime Value);
Variant VarFromCurrency(Currency Value);
Variant VarAsError(Integer Code);

TVarType VarType(const Variant& V);
bool VarIsType(const Variant& V, TVarType AVarType);
bool VarIsEmpty(const Variant& V);
bool VarIsNull(const Variant& V);
bool VarIsClear(const Variant& V);     // Empty, or an interface reference that is null
bool VarIsNumeric(const Variant& V);   // ordinal or floating (Boolean counts, a date does not)
bool VarIsOrdinal(const Variant& V);   // the integer kinds and Boolean
bool VarIsFloat(const Variant& V);     // Single, Double, Currency
bool VarIsStr(const Variant& V);       // OleStr, String, UString
bool VarIsArray(const Variant& V);

// The name of a kind as conversion messages show it ("Integer", "UnicodeString", "Array Variant").
String VarTypeAsText(TVarType AVarType);

// Text of the value; Null gives "".
String VarToStr(const Variant& V);
// Text of the value; Null gives Default.
String VarToStrDef(const Variant& V, const String& Default);
TDateTime VarToDateTime(const Variant& V);
// The value converted to another kind (raises as the conversions do).
Variant VarAsType(const Variant& V, TVarType AVarType);

// Comparison with the class library's rules: numbers by value, text with text (case-sensitive),
// a number with numeric text by value; Null equals only Null; Empty is below everything else.
TVariantRelationship VarCompareValue(const Variant& A, const Variant& B);
bool operator==(const Variant& A, const Variant& B);
bool operator<(const Variant& A, const Variant& B);
bool operator>(const Variant& A, const Variant& B);
bool operator<=(const Variant& A, const Variant& B);   // false for values that do not compare
bool operator>=(const Variant& A, const Variant& B);
// Makes V Empty, releasing what it held.
void VarClear(Variant& V);

// Arithmetic on numbers (and "+" on two texts, which joins them). Null in, Null out.
Variant operator+(const Variant& A, const Variant& B);
Variant operator-(const Variant& A, const Variant& B);
Variant operator*(const Variant& A, const Variant& B);
Variant operator/(const Variant& A, const Variant& B);

// ---- Arrays ----------------------------------------------------------------------------------

// Bounds as pairs low, high per dimension: VarArrayCreate({1, 3, 1, 2}, varVariant) is 3 x 2.
Variant VarArrayCreate(std::initializer_list<int> Bounds, TVarType AVarType);
Variant VarArrayCreate(const std::vector<int>& Bounds, TVarType AVarType);
// A one-dimensional 0-based array of varVariant elements.
Variant VarArrayOf(std::initializer_list<Variant> Values);
int VarArrayDimCount(const Variant& A);
int VarArrayLowBound(const Variant& A, int Dim);    // Dim counts from 1
int VarArrayHighBound(const Variant& A, int Dim);
Variant VarArrayGet(const Variant& A, std::initializer_list<int> Indices);
void VarArrayPut(Variant& A, const Variant& Value, std::initializer_list<int> Indices);

// ---- The platform VARIANT --------------------------------------------------------------------

// Writes V into Dest, clearing what Dest held (Dest must be initialised). Text becomes a BSTR,
// arrays a SAFEARRAY, interfaces gain a reference.
void VarToOle(const Variant& V, tagVARIANT& Dest);
// The value of a platform VARIANT (references followed, SAFEARRAYs copied into the array store).
Variant VarFromOle(const tagVARIANT& Source);

// A text read as a date by the automation library for the locale LCID (e.g. 0x0409, English
// United States). False when it does not read as a date.
bool TryVarDateFromStr(const String& S, Cardinal LCID, TDateTime& Value);
