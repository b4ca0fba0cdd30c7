#pragma once
#include "framework/SysUtils.h"   // down the layers: fine
