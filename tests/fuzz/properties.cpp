#include "properties.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "../../dialup/connection_name.h"
#include "../prompt_table.h"

#define REQUIRE(condition)                                                     \
    do {                                                                       \
        if (!(condition)) {                                                    \
            fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
            abort();                                                           \
        }                                                                      \
    } while (0)

void CheckConnectionName(const uint8_t* input, size_t size)
{
    if (size == 0)
        return;
    unsigned long type = input[0];
    const uint8_t* data = input + 1;
    size_t length = size - 1;
    AnsiString name("untouched");
    bool text = ConnectionNameFromData(type, data, length, &name);
    REQUIRE(text == (type == 1 || type == 2));
    if (!text) {
        REQUIRE(name == "untouched");
        return;
    }
    // The name is the data up to its first NUL.
    REQUIRE(name.Length() <= length);
    REQUIRE(memcmp(name.c_str(), data, name.Length()) == 0);
    REQUIRE(strlen(name.c_str()) == name.Length());
    REQUIRE(name.Length() == length || data[name.Length()] == 0);
}

void CheckFormDefinition(const uint8_t* input, size_t size)
{
    FormDefinition definition;
    AnsiString error;
    bool read = ReadFormDefinition(reinterpret_cast<const char*>(input), size, kPromptTable, &definition, &error);
    if (!read) {
        REQUIRE(strncmp(error.c_str(), "Form definition, line ", 22) == 0);
        return;
    }
    REQUIRE(error.IsEmpty());
    // Read means whole: every published control described once, every handler of the right kind.
    REQUIRE(definition.controlCount == 5);
    for (int f = 0; f < 5; ++f) {
        int found = 0;
        for (int c = 0; c < definition.controlCount; ++c)
            found += definition.controls[c].field == f;
        REQUIRE(found == 1);
    }
    auto handler = [](int index, EventKind kind) { return index == -1 || (index >= 0 && index < 6 && kPromptMethods[index].kind == kind); };
    REQUIRE(handler(definition.form.onKeyUp, ekKey));
    REQUIRE(handler(definition.form.onClose, ekNotify));
    for (int c = 0; c < definition.controlCount; ++c) {
        const ObjectDescription& d = definition.controls[c];
        REQUIRE(d.kind == kPromptFields[d.field].kind);
        REQUIRE(handler(d.onClick, ekNotify));
        REQUIRE(d.left >= -1000000 && d.left <= 1000000);
    }
}
