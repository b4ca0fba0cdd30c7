#include "pickers/Picker.h"     // finding: layer
#include "graphics/Pic.h"       // fine
#include "framework/Consts.h"   // fine
#include "../tests/grid/Kit.h"  // finding: layer (product code never includes tests)

void Locked() { throw EGridError(QorGridConsts::SCellLocked); }   // fine: the constant
