// The default-connection lookup against the real registry.
#include <stdio.h>

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

// A value that changes size between the lookup's two queries cannot be read
// as it was sized: every answer is one of the values written, or the read
// error, never a mix of the two nor a cut-off name.
struct Flip {
    volatile bool stop = false;
};

DWORD WINAPI FlipValue(void* context)
{
    Flip* flip = static_cast<Flip*>(context);
    const std::string longName(300, 'L');
    for (int i = 0; !flip->stop; ++i)
        SetDefaultConnectionText(i % 2 ? "S" : longName.c_str());
    return 0;
}

void ValueChangingWhileRead()
{
    const std::string longName(300, 'L');
    Flip flip;
    SetDefaultConnectionText("S");
    HANDLE writer = CreateThread(nullptr, 0, FlipValue, &flip, 0, nullptr);
    int shortNames = 0, longNames = 0, readErrors = 0, other = 0;
    // Read until each outcome has been seen, within a bound.
    for (int i = 0; i < 50000 && (i < 3000 || !shortNames || !longNames || !readErrors); ++i) {
        AnsiString name, error;
        if (ReadDefaultConnection(&name, &error)) {
            std::string text(name.c_str(), name.Length());
            shortNames += text == "S";
            longNames += text == longName;
            other += text != "S" && text != longName;
        } else {
            readErrors += std::string(error.c_str()) == "Failed to get data for 'DefaultInternet'";
            other += std::string(error.c_str()) != "Failed to get data for 'DefaultInternet'";
        }
    }
    flip.stop = true;
    WaitForSingleObject(writer, 10000);
    CloseHandle(writer);
    ClearDefaultConnection();
    CHECK_EQ(other, 0, "answers that are neither value nor the read error");
    CHECK(shortNames > 0 && longNames > 0, "the value did not change while it was read");
    CHECK(readErrors > 0, "no read ever met a value that had changed size");
    printf("  %d short, %d long, %d read errors\n", shortNames, longNames, readErrors);
}

}  // namespace

int main()
{
    RunCase("registry values to connection names", RegistryTable);
    RunCase("the lookup creates no key", LookupCreatesNothing);
    RunCase("a value changing while it is read", ValueChangingWhileRead);
    return g_failures ? 1 : 0;
}
