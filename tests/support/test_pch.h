#pragma once
#include "../../cmake/pch.h"
#ifdef __cplusplus
#include <gtest/gtest.h>
#include <gmock/gmock.h>
#endif
