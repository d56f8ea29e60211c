#include "app_title.h"

#include <string.h>

AnsiString AppTitleFromPath(const char* path, void (*lower)(char* text, unsigned length))
{
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    const char* dot = strchr(name, '.');
    AnsiString title(name, dot ? size_t(dot - name) : strlen(name));
    if (title.Length() > 1)
        lower(title.Data() + 1, unsigned(title.Length() - 1));
    return title;
}
