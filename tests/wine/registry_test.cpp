// The default-connection lookup against the real registry.
#include "../../dialup/default_connection.h"
#include "harness.h"

namespace {

struct Case {
    const char* what;
    bool createKey;
    bool setValue;
    DWORD type;
    std::string data;
    bool ok;
    std::string name;  // when ok; else the error text
};

void RegistryTable()
{
    std::string longName(40000, 'L');
    const std::string invalid = "Invalid data type for 'DefaultInternet'";
    const Case cases[] = {
        {"key absent", false, false, 0, "", true, ""},
        {"value absent", true, false, 0, "", true, ""},
        {"value with no data", true, true, REG_SZ, "", true, ""},
        {"REG_SZ", true, true, REG_SZ, std::string("My ISP\0", 7), true, "My ISP"},
        {"REG_EXPAND_SZ kept unexpanded", true, true, REG_EXPAND_SZ, std::string("%USERNAME% ISP\0", 15), true,
         "%USERNAME% ISP"},
        {"NUL in the middle", true, true, REG_SZ, std::string("Front\0Back\0", 11), true, "Front"},
        {"no terminating NUL", true, true, REG_SZ, "Unterminated", true, "Unterminated"},
        {"a long name", true, true, REG_SZ, longName + '\0', true, longName},
        {"REG_DWORD", true, true, REG_DWORD, std::string("\x01\0\0\0", 4), false, invalid},
        {"REG_BINARY", true, true, REG_BINARY, std::string("ab\0c", 4), false, invalid},
        {"REG_MULTI_SZ", true, true, REG_MULTI_SZ, std::string("One\0Two\0\0", 9), false, invalid},
    };
    for (const Case& c : cases) {
        ClearDefaultConnection();
        if (c.createKey)
            SetDefaultConnection(REG_SZ, "", 0);
        if (c.createKey && !c.setValue) {
            HKEY key;
            RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\RAS Autodial\\Default", 0, KEY_SET_VALUE, &key);
            RegDeleteValueA(key, "DefaultInternet");
            RegCloseKey(key);
        }
        if (c.setValue)
            SetDefaultConnection(c.type, c.data.data(), DWORD(c.data.size()));

        AnsiString name("stale"), error;
        bool ok = ReadDefaultConnection(&name, &error);
        CHECK_EQ(ok, c.ok, c.what);
        if (c.ok) {
            CHECK_EQ(std::string(name.c_str(), name.Length()), c.name, c.what);
            CHECK(error.IsEmpty(), c.what);
        } else {
            CHECK_EQ(std::string(error.c_str()), c.name, c.what);
        }
    }
    ClearDefaultConnection();
}

// The lookup never writes: the key stays absent after a lookup that found none.
void LookupCreatesNothing()
{
    ClearDefaultConnection();
    AnsiString name, error;
    ReadDefaultConnection(&name, &error);
    HKEY key;
    bool exists = RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\RAS Autodial\\Default", 0, KEY_READ, &key) ==
                  ERROR_SUCCESS;
    if (exists)
        RegCloseKey(key);
    CHECK(!exists, "the lookup created the key");
}

}  // namespace

int main()
{
    RunCase("registry values to connection names", RegistryTable);
    RunCase("the lookup creates no key", LookupCreatesNothing);
    return g_failures ? 1 : 0;
}
