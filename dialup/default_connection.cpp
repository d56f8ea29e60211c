#include "default_connection.h"

#include <stdlib.h>

#include "../classlib/error_text.h"
#include "../classlib/registry.h"
#include "connection_name.h"

const char* const kAutodialKey = "\\Software\\Microsoft\\RAS Autodial\\Default";
const char* const kDefaultInternetValue = "DefaultInternet";

bool ReadDefaultConnection(AnsiString* name, AnsiString* error)
{
    *name = AnsiString();
    TRegistry registry(HKEY_CURRENT_USER);
    DWORD size = 0;
    if (!registry.OpenKeyReadOnly(kAutodialKey) || !registry.GetDataSize(kDefaultInternetValue, &size) || size == 0)
        return true;

    BYTE* data = static_cast<BYTE*>(malloc(size));
    DWORD type = 0;
    bool read = data && registry.ReadData(kDefaultInternetValue, data, &size, &type);
    bool text = read && ConnectionNameFromData(type, data, size, name);
    free(data);
    if (!read)
        *error = FormatText(SRegGetDataFailed, kDefaultInternetValue);
    else if (!text)
        *error = FormatText(SInvalidRegType, kDefaultInternetValue);
    return text;
}
