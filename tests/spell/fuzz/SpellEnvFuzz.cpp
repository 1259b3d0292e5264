// Opens arbitrary bytes as a phonetic environment and, when they open, codes words with it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "spell/SplErrors.h"
#include "spell/SplPhonTable.h"
#include "spell/SplPhonetic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = std::getenv("SPELL_FUZZ_FILE");
    if (path == nullptr) std::abort();
    std::FILE* f = std::fopen(path, "wb");
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    u32 error = 0;
    SplPhonTable* phon = splPhonOpen(path, 0, &error);
    if (phon != nullptr) {
        for (const char* word : {"walking", "phone", "knight", "a", "xyz\x08XyZ", "\xa0rbol", "ch\x82quez"}) {
            u8 key[kSplMaxKey + 1];
            u8 back[kSplPairsSize];
            for (int mode = 0; mode < 2; ++mode)
                if (splWordToKey(reinterpret_cast<const u8*>(word), key, mode, phon) > 0) unphfull(key, back, phon);
        }
    }
    splPhonClose(phon);
    return 0;
}
