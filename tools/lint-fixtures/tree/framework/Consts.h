// Constants whose texts may not be written again.
#pragma once
namespace Consts {
inline constexpr const wchar_t* SListIndexError = L"List index out of bounds (%d)";
inline constexpr const wchar_t* SInvalidInteger = L"%s is not a valid integer value";
inline constexpr const wchar_t* SReadError =
    L"Stream read error";
inline constexpr const wchar_t* SMsgDlgError = L"Error";   // one word: not linted
} // namespace Consts
