// What the spell file fuzzers share: the phonetic table named by SPELL_FUZZ_ENV, opened once
// for the whole run, and the input written to the file named by SPELL_FUZZ_FILE, since the
// readers under test open files by name. Either missing stops the run at once.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "spell/SplPhonTable.h"

inline SplPhonTable* spellFuzzPhonTable() {
    static SplPhonTable* phon = [] {
        u32 error = 0;
        const char* env = std::getenv("SPELL_FUZZ_ENV");
        SplPhonTable* p = env != nullptr ? splPhonOpen(env, 0, &error) : nullptr;
        if (p == nullptr) std::abort();
        return p;
    }();
    return phon;
}

// Writes the input to the fuzz file and returns that file's path.
inline const char* spellFuzzWriteInput(const uint8_t* data, size_t size) {
    const char* path = std::getenv("SPELL_FUZZ_FILE");
    if (path == nullptr) std::abort();
    std::FILE* f = std::fopen(path, "wb");
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    return path;
}
