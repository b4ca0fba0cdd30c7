#pragma once
#include "pickers/Picker.h"   // fine: tests include anything
