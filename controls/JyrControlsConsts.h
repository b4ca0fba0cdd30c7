// The edit controls' own texts, each written once as a named constant.
#pragma once

namespace JyrControlsConsts {
// The registered window message that carries a date-time picker's auto-tab move; the grid
// registers the same name, so both get the same message number.
inline constexpr const wchar_t* SDTPShiftFocus = L"DTPShiftFocus";
// The drop-down unit's checked list and its item selector's panel.
inline constexpr const wchar_t* SListReadIndexError = L"Index out of bounds in list read access";
inline constexpr const wchar_t* SListWriteIndexError = L"Index out of bounds in list write access";
inline constexpr const wchar_t* SInvalidParent = L"Invalid parent";
}  // namespace JyrControlsConsts
