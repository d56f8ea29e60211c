// Replays every input kept in the fuzzers' corpus through the same checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "../fuzz/properties.h"

namespace fs = std::filesystem;

static void Replay(const char* target, void (*check)(const uint8_t*, size_t))
{
    fs::path folder = fs::path(SOURCE_DIR) / "tests/fuzz/corpus" / target;
    int replayed = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().string());
        check(bytes.data(), bytes.size());
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "no corpus in " << folder;
}

TEST(FuzzCorpus, ConnectionNameInputs) { Replay("connection_name", CheckConnectionName); }
TEST(FuzzCorpus, FormDefinitionInputs) { Replay("form_definition", CheckFormDefinition); }
