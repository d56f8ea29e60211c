#include <gtest/gtest.h>

#include <string>

#include "../../dialup/connection_name.h"

TEST(ConnectionName, TextValuesGiveTheirTextUpToTheFirstNul)
{
    struct Case {
        const char* what;
        unsigned long type;
        std::string data;
        const char* name;
    } cases[] = {
        {"plain text", kRegSz, std::string("My ISP\0", 7), "My ISP"},
        {"expandable text stays unexpanded", kRegExpandSz, std::string("%USERNAME% dial\0", 16), "%USERNAME% dial"},
        {"NUL in the middle", kRegSz, std::string("Front\0Back\0", 11), "Front"},
        {"no terminating NUL", kRegSz, std::string("Unterminated"), "Unterminated"},
        {"only a NUL", kRegSz, std::string("\0", 1), ""},
        {"no data at all", kRegSz, std::string(), ""},
        {"bytes above 127 kept", kRegSz, std::string("Caf\xe9\0", 5), "Caf\xe9"},
    };
    for (const Case& c : cases) {
        AnsiString name("stale");
        EXPECT_TRUE(ConnectionNameFromData(c.type, reinterpret_cast<const unsigned char*>(c.data.data()),
                                           c.data.size(), &name))
            << c.what;
        EXPECT_STREQ(name.c_str(), c.name) << c.what;
    }
}

TEST(ConnectionName, LongNameIsKeptWhole)
{
    std::string data(40000, 'x');
    data += '\0';
    AnsiString name;
    ASSERT_TRUE(ConnectionNameFromData(kRegSz, reinterpret_cast<const unsigned char*>(data.data()), data.size(), &name));
    EXPECT_EQ(name.Length(), 40000u);
}

TEST(ConnectionName, OtherTypesAreRefusedAndLeaveTheNameAlone)
{
    const unsigned char data[] = {'a', 0, 'b', 0, 0};
    for (unsigned long type : {0ul /* REG_NONE */, 3ul /* REG_BINARY */, 4ul /* REG_DWORD */, 7ul /* REG_MULTI_SZ */,
                               11ul /* REG_QWORD */}) {
        AnsiString name("unchanged");
        EXPECT_FALSE(ConnectionNameFromData(type, data, sizeof data, &name)) << type;
        EXPECT_STREQ(name.c_str(), "unchanged") << type;
    }
}
