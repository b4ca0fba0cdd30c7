#pragma once
namespace QorGridConsts {
inline constexpr const wchar_t* SCellLocked = L"The cell is locked";
} // namespace QorGridConsts
