// Character: classification of single UTF-16 units by the platform's Unicode tables.
#pragma once

#include "System.h"

namespace Character {

// A number of any script: decimal digits (category Nd), letter numbers (Nl: Roman numerals ...)
// and other numbers (No: superscripts, fractions, circled numbers ...).
bool IsNumber(Char C);
// A decimal digit of any script (Nd).
bool IsDigit(Char C);
bool IsLetter(Char C);
bool IsLetterOrDigit(Char C);
bool IsUpper(Char C);
bool IsLower(Char C);
bool IsWhiteSpace(Char C);   // blanks, tabs, line breaks and the Unicode spaces
bool IsControl(Char C);
bool IsPunctuation(Char C);
bool IsSurrogate(Char C);
bool IsHighSurrogate(Char C);
bool IsLowSurrogate(Char C);
// The user locale's casing of one character.
Char ToUpper(Char C);
Char ToLower(Char C);

}  // namespace Character
