// The edit controls' own texts, each written once as a named constant.
#pragma once

namespace JyrControlsConsts {
// The registered window message that carries a date-time picker's auto-tab move; the grid
// registers the same name, so both get the same message number.
inline constexpr const wchar_t* SDTPShiftFocus = L"DTPShiftFocus";
}  // namespace JyrControlsConsts
