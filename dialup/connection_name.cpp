#include "connection_name.h"

#include <string.h>

bool ConnectionNameFromData(unsigned long type, const unsigned char* data, size_t size,
                            AnsiString* name)
{
    if (type != kRegSz && type != kRegExpandSz)
        return false;
    const void* nul = size ? memchr(data, '\0', size) : nullptr;
    size_t length = nul ? size_t(static_cast<const unsigned char*>(nul) - data) : size;
    *name = AnsiString(reinterpret_cast<const char*>(data), length);
    return true;
}
