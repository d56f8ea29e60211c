// Replays every input kept in the fuzzers' corpus through the same checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "../fuzz/properties.h"

namespace fs = std::filesystem;

static void ReplayFile(const fs::path& path, void (*check)(const uint8_t*, size_t))
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SCOPED_TRACE(path.string());
    check(bytes.data(), bytes.size());
}

static void Replay(const char* target, void (*check)(const uint8_t*, size_t))
{
    fs::path folder = fs::path(SOURCE_DIR) / "tests/fuzz/corpus" / target;
    int replayed = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        ReplayFile(entry.path(), check);
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "no corpus in " << folder;
}

TEST(FuzzCorpus, ConnectionNameInputs) { Replay("connection_name", CheckConnectionName); }

// The program's own definition seeds the definition fuzzer too (./dev fuzz adds it).
TEST(FuzzCorpus, FormDefinitionInputs)
{
    Replay("form_definition", CheckFormDefinition);
    ReplayFile(fs::path(SOURCE_DIR) / "ui/Unit1.dfm", CheckFormDefinition);
}
