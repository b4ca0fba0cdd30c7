// jyrdd: the process-wide RTF switch.
#include "grid/exchange/jyrdd.h"

namespace jyrdd {

namespace {
// Read and written on the user-interface thread only.
bool GRTFAware = false;
} // namespace

bool RTFAware()
{
    return GRTFAware;
}

void SetRTFAware(bool Value)
{
    GRTFAware = Value;
}

} // namespace jyrdd
