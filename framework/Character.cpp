// Character: the platform's character types, plus the number characters it calls no digit.
#include "Character.h"

#include <windows.h>

namespace Character {

namespace {

WORD Type1(Char C)
{
    WORD T = 0;
    if (!GetStringTypeW(CT_CTYPE1, &C, 1, &T)) return 0;
    return T;
}

// Letter and other numbers (categories Nl and No) of the basic plane, as ranges.
struct TRange {
    Char First, Last;
};
const TRange OtherNumbers[] = {
    {0x00B2, 0x00B3}, {0x00B9, 0x00B9}, {0x00BC, 0x00BE}, {0x09F4, 0x09F9}, {0x0B72, 0x0B77},
    {0x0BF0, 0x0BF2}, {0x0C78, 0x0C7E}, {0x0D58, 0x0D5E}, {0x0D70, 0x0D78}, {0x0F2A, 0x0F33},
    {0x1369, 0x137C}, {0x16EE, 0x16F0}, {0x17F0, 0x17F9}, {0x19DA, 0x19DA}, {0x2070, 0x2070},
    {0x2074, 0x2079}, {0x2080, 0x2089}, {0x2150, 0x2182}, {0x2185, 0x2189}, {0x2460, 0x249B},
    {0x24EA, 0x24FF}, {0x2776, 0x2793}, {0x2CFD, 0x2CFD}, {0x3007, 0x3007}, {0x3021, 0x3029},
    {0x3038, 0x303A}, {0x3192, 0x3195}, {0x3220, 0x3229}, {0x3248, 0x324F}, {0x3251, 0x325F},
    {0x3280, 0x3289}, {0x32B1, 0x32BF}, {0xA6E6, 0xA6EF}, {0xA830, 0xA835}};

bool InOtherNumbers(Char C)
{
    for (const TRange& R : OtherNumbers)
        if (C >= R.First && C <= R.Last) return true;
    return false;
}

}  // namespace

bool IsDigit(Char C)
{
    if (C >= L'0' && C <= L'9') return true;
    if (C < 0x80) return false;
    // Superscripts and fractions are numbers but not decimal digits.
    return (Type1(C) & C1_DIGIT) && !InOtherNumbers(C);
}

bool IsNumber(Char C)
{
    if (C >= L'0' && C <= L'9') return true;
    if (C < 0x80) return false;
    return (Type1(C) & C1_DIGIT) || InOtherNumbers(C);
}

bool IsLetter(Char C)
{
    if ((C >= L'a' && C <= L'z') || (C >= L'A' && C <= L'Z')) return true;
    if (C < 0x80) return false;
    return (Type1(C) & C1_ALPHA) && !IsNumber(C);
}

bool IsLetterOrDigit(Char C) { return IsLetter(C) || IsDigit(C); }
bool IsUpper(Char C) { return (Type1(C) & C1_UPPER) != 0; }
bool IsLower(Char C) { return (Type1(C) & C1_LOWER) != 0; }

bool IsWhiteSpace(Char C)
{
    if (C == L' ' || (C >= 0x09 && C <= 0x0D) || C == 0x85 || C == 0xA0) return true;
    if (C < 0x80) return false;
    return (C >= 0x2000 && C <= 0x200A) || C == 0x1680 || C == 0x2028 || C == 0x2029 || C == 0x202F ||
           C == 0x205F || C == 0x3000;
}

bool IsControl(Char C) { return C < 0x20 || (C >= 0x7F && C < 0xA0); }
bool IsPunctuation(Char C) { return (Type1(C) & C1_PUNCT) != 0; }
bool IsSurrogate(Char C) { return C >= 0xD800 && C <= 0xDFFF; }
bool IsHighSurrogate(Char C) { return C >= 0xD800 && C <= 0xDBFF; }
bool IsLowSurrogate(Char C) { return C >= 0xDC00 && C <= 0xDFFF; }

Char ToUpper(Char C)
{
    Char R = C;
    if (LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING, &C, 1, &R, 1) != 1)
        return C;
    return R;
}

Char ToLower(Char C)
{
    Char R = C;
    if (LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING, &C, 1, &R, 1) != 1)
        return C;
    return R;
}

}  // namespace Character
