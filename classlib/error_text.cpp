#include "error_text.h"

#include <string.h>

AnsiString ErrorBoxText(const char* message)
{
    AnsiString text(message);
    size_t length = text.Length();
    if (length > 0 && static_cast<unsigned char>(message[length - 1]) > '.')
        text.Append(".");
    return text;
}

AnsiString FormatText(const char* format, const char* first, const char* second)
{
    AnsiString text;
    const char* arguments[] = {first, second};
    int used = 0;
    for (const char* slot; used < 2 && (slot = strstr(format, "%s")) != nullptr; format = slot + 2) {
        text.Append(format, size_t(slot - format));
        text.Append(arguments[used++]);
    }
    text.Append(format);
    return text;
}
