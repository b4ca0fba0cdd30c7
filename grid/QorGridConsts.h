// QorGridConsts: the grid's registered message names and the texts it shows or raises, each once.
// Code raises and compares these constants, never a copy of the literal.
#pragma once

#include "framework/System.h"

namespace QorGridConsts {
} // namespace QorGridConsts
