// libFuzzer target: registry data to connection name.
#include "properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckConnectionName(data, size);
    return 0;
}
