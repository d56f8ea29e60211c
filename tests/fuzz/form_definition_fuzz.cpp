// libFuzzer target: the form definition reader.
#include "properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckFormDefinition(data, size);
    return 0;
}
