#include <gtest/gtest.h>

#include "../../classlib/error_text.h"

TEST(ErrorBoxText, FullStopOnlyAfterACharacterThatSortsAfterIt)
{
    struct Case {
        const char* message;
        const char* shown;
    } cases[] = {
        {"Invalid data type for 'DefaultInternet'", "Invalid data type for 'DefaultInternet'"},
        {"Failed to get data for 'DefaultInternet'", "Failed to get data for 'DefaultInternet'"},
        {"Out of memory", "Out of memory."},
        {"Done.", "Done."},
        {"Really!", "Really!"},              // '!' sorts before '.'
        {"Path C:/", "Path C:/."},           // '/' sorts just after '.'
        {"Ends in a digit 7", "Ends in a digit 7."},
        {"Caf\xe9", "Caf\xe9."},             // an ANSI letter above 127 sorts after '.'
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(ErrorBoxText(c.message).c_str(), c.shown) << c.message;
}

TEST(FormatText, FillsThePlaceholdersInOrder)
{
    EXPECT_STREQ(FormatText("Invalid data type for '%s'", "DefaultInternet").c_str(),
                 "Invalid data type for 'DefaultInternet'");
    EXPECT_STREQ(FormatText("'%s' is not a %s", "Button1", "TLabel").c_str(), "'Button1' is not a TLabel");
    EXPECT_STREQ(FormatText("no placeholder", "x").c_str(), "no placeholder");
    // A placeholder inside an argument is not expanded again.
    EXPECT_STREQ(FormatText("<%s>", "%s%s", "y").c_str(), "<%s%s>");
}
