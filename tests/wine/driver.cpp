// Runs a group of end-to-end tests against the real program under Wine (or
// Windows): `driver <group>`, exit code 0 when every case passed;
// `driver high-dpi <pixels per inch>` in a prefix set to that resolution.
// `driver answer <picture.bmp>` instead shows the prompt as a user would see
// it, saves a picture of it, answers Yes and exits with the program's code.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "harness.h"
#include "tests.h"

static int Answer(const char* picture)
{
    Prompt p;
    if (!StartPrompt(&p))
        return 1;
    Settle(300);  // painted
    RECT r;
    GetWindowRect(p.window, &r);
    InflateRect(&r, 12, 12);
    if (!SaveScreenBitmap(r, picture))
        fprintf(stderr, "could not save %s\n", picture);
    Press(VK_RETURN);
    return int(WaitExit(&p, 60000));
}

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], "answer") == 0)
        return Answer(argv[2]);
    if (argc == 3 && strcmp(argv[1], "high-dpi") == 0) {
        HighDpiTests(atoi(argv[2]));
        return g_failures ? 1 : 0;
    }
    struct Group {
        const char* name;
        void (*run)();
    } groups[] = {
        {"flow", FlowTests},
        {"no-wininet", NoWininetTests},
        {"planting", PlantingTests},
        {"window", WindowTests},
        {"keyboard", KeyboardTests},
        {"accessibility", AccessibilityTests},
        {"resources", ResourceTests},
        {"stress", StressTests},
        {"installed", InstalledTests},
    };
    for (const Group& g : groups)
        if (argc == 2 && strcmp(argv[1], g.name) == 0) {
            g.run();
            return g_failures ? 1 : 0;
        }
    fprintf(stderr, "usage: driver <group>, or driver high-dpi <pixels per inch>; groups:");
    for (const Group& g : groups)
        fprintf(stderr, " %s", g.name);
    fprintf(stderr, "\n");
    return 2;
}
