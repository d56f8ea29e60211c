// What must hold for any input to the two readers of outside data; aborts
// when it does not. Called by the fuzzers and by the host test that replays
// their corpus, so every input the fuzzers ever kept is a regular test case.
#pragma once
#include <stddef.h>
#include <stdint.h>

// Input: the first byte is the registry value's type, the rest its data.
void CheckConnectionName(const uint8_t* input, size_t size);
// Input: a form definition, read against the prompt window's published table.
void CheckFormDefinition(const uint8_t* input, size_t size);
