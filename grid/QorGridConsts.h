// QorGridConsts: the grid's registered message names and the texts it shows or raises, each once.
// Code raises and compares these constants, never a copy of the literal.
#pragma once

#include "framework/System.h"

namespace QorGridConsts {
// ==== Cell store and base grid (grid/BaseGrid.h) ====
// Raised with EQorGridError for a column or row outside the grid.
inline constexpr const wchar_t* SInvalidColumnAccessed = L"Invalid column accessed";
inline constexpr const wchar_t* SInvalidRowAccessed = L"Invalid row accessed";
// ==== end of the cell store's texts ====
} // namespace QorGridConsts
