// System: the basic types every unit shares.
//
// String is UTF-16 (wchar_t is 16-bit on Windows). Positions in the RTL routines of SysUtils are
// 1-based, 0 meaning "not found", so that ported text code reads like the behaviour it implements.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>

static_assert(sizeof(wchar_t) == 2, "String must be UTF-16");

using String = std::wstring;
using UnicodeString = std::wstring;
using WideString = std::wstring;
using AnsiString = std::string;      // bytes in the ANSI code page
using RawByteString = std::string;   // bytes of no particular encoding
using UTF8String = std::string;      // UTF-8 bytes
using Char = wchar_t;
using WideChar = wchar_t;
using AnsiChar = char;
using PChar = wchar_t*;

using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using LongInt = std::int32_t;
using LongWord = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using SmallInt = std::int16_t;
using ShortInt = std::int8_t;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using NativeInt = std::intptr_t;
using NativeUInt = std::uintptr_t;
using Extended = long double;   // 80-bit on i686
using Currency = std::int64_t;  // fixed point, 4 decimals
using TDateTime = double;       // days since 1899-12-30, time as the fraction

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int AX, int AY) : X(AX), Y(AY) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    constexpr TSize() = default;
    constexpr TSize(int ACx, int ACy) : cx(ACx), cy(ACy) {}
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// Layout-compatible with the platform's RECT.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int L, int T, int R, int B) : Left(L), Top(T), Right(R), Bottom(B) {}
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool Contains(const TPoint& P) const
    {
        return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom;
    }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int X, int Y) { return {X, Y}; }
constexpr TRect Rect(int L, int T, int R, int B) { return {L, T, R, B}; }
constexpr TRect Bounds(int L, int T, int W, int H) { return {L, T, L + W, T + H}; }
constexpr bool PtInRect(const TRect& R, const TPoint& P) { return R.Contains(P); }

// A set of enumeration values, as the class library's Pascal sets: up to 64 members.
template <class E>
class TSet {
    static_assert(std::is_enum_v<E>, "TSet holds enumeration values");

public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> Items)
    {
        for (E e : Items) FBits |= Bit(e);
    }
    static constexpr TSet FromBits(std::uint64_t Bits)
    {
        TSet s;
        s.FBits = Bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return FBits; }
    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E e) { FBits |= Bit(e); return *this; }
    constexpr TSet& Exclude(E e) { FBits &= ~Bit(e); return *this; }
    constexpr TSet& operator<<(E e) { return Include(e); }
    constexpr TSet& operator>>(E e) { return Exclude(e); }
    constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
    constexpr TSet& operator+=(TSet o) { FBits |= o.FBits; return *this; }
    constexpr TSet& operator-=(TSet o) { FBits &= ~o.FBits; return *this; }
    constexpr TSet& operator*=(TSet o) { FBits &= o.FBits; return *this; }
    friend constexpr bool operator==(TSet a, TSet b) = default;
    // a <= b: every member of a is in b.
    constexpr bool operator<=(TSet o) const { return (FBits & ~o.FBits) == 0; }

private:
    static constexpr std::uint64_t Bit(E e) { return std::uint64_t(1) << static_cast<unsigned>(e); }
    std::uint64_t FBits = 0;
};

class TObject;
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Declares a class's name, its base (as "inherited") and the virtual ClassName.
#define DECLARE_CLASS(Class, Base)                                              \
public:                                                                        \
    using inherited = Base;                                                    \
    static const wchar_t* StaticClassName() { return L## #Class; }             \
    String ClassName() const override { return L## #Class; }                   \
    bool InheritsFromName(const String& N) const override                      \
    {                                                                          \
        return N == L## #Class || Base::InheritsFromName(N);                   \
    }                                                                          \
                                                                               \
private:

// The root of every class of the library.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const wchar_t* StaticClassName() { return L"TObject"; }
    virtual String ClassName() const { return L"TObject"; }
    virtual bool InheritsFromName(const String& N) const { return N == L"TObject"; }

    // Run by the factory after the constructor, and before delete by Free: virtual calls made
    // here reach the most derived class.
    virtual void AfterConstruction() {}
    virtual void BeforeDestruction() {}

    // Frees the object: BeforeDestruction, then the destructor.
    void Free()
    {
        BeforeDestruction();
        delete this;
    }
};

// The factory: constructs, then runs the after-construction step. An exception in that step
// frees the half-made object and passes on.
template <class T, class... Args>
T* Create(Args&&... args)
{
    std::unique_ptr<T> Obj(new T(std::forward<Args>(args)...));
    Obj->AfterConstruction();
    return Obj.release();
}

template <class T>
void FreeAndNil(T*& Obj)
{
    T* Tmp = Obj;
    Obj = nullptr;
    if (Tmp) Tmp->Free();
}

// Frees as Free does (BeforeDestruction, then the destructor): the deleter of a sub-object that a
// class makes with the factory and frees itself, held as TFreePtr<T>. Its reset() takes the
// pointer out before freeing, as FreeAndNil does.
struct TFreeDeleter {
    template <class T>
    void operator()(T* Obj) const
    {
        Obj->Free();
    }
};

template <class T>
using TFreePtr = std::unique_ptr<T, TFreeDeleter>;

template <class T>
T* dyn(TObject* Obj)
{
    return dynamic_cast<T*>(Obj);
}
