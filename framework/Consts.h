// Consts: the class library's own texts (error messages and captions), each written once as a
// named constant. Code raises and tests compare these constants, never a copy of the literal.
// Texts with a "%d" or "%s" are format strings for Format.
#pragma once

namespace Consts {
// Lists and string lists; followed by " (<index>)".
inline constexpr const wchar_t* SListIndexError = L"List index out of bounds";
// The base string grid.
inline constexpr const wchar_t* SGridIndexOutOfRange = L"Grid index out of range";
} // namespace Consts
