// QorGridDefs: the enumerations, sets, event types and small records that the grid's areas share.
// Each area's own private types live in its folder; what two or more areas (or the grid's users)
// name lives here, once.
#pragma once

#include "framework/System.h"
