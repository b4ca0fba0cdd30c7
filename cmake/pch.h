// Precompiled header: the platform and the standard library, nothing of the project's own.
#pragma once
#ifdef __cplusplus
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>
#endif
