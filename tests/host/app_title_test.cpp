#include <ctype.h>
#include <gtest/gtest.h>

#include "../../classlib/app_title.h"

static void LowerAscii(char* text, unsigned length)
{
    for (unsigned i = 0; i < length; ++i)
        text[i] = char(tolower(static_cast<unsigned char>(text[i])));
}

TEST(AppTitle, FileNameWithoutFolderCutAtFirstFullStopRestLowered)
{
    struct Case {
        const char* path;
        const char* title;
    } cases[] = {
        {"C:\\Tools\\ABC.EXE", "Abc"},
        {"C:\\Tools\\dialprompt.exe", "dialprompt"},
        {"Z:\\work\\build\\x86_64\\DialPrompt.exe", "Dialprompt"},
        {"C:\\My.Folder\\prompt.v2.exe", "prompt"},      // first full stop of the name; first character as is
        {"\\\\server\\share\\aBC", "abc"},               // no extension
        {"C:/mixed/slashes/X.EXE", "X"},
        {"D:NAME.EXE", "Name"},                         // drive-relative path
        {"C:\\Tools\\.hidden.exe", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(AppTitleFromPath(c.path, LowerAscii).c_str(), c.title) << c.path;
}
