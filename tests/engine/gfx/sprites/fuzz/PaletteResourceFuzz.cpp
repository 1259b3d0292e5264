// libFuzzer target: any bytes as a palette resource ('tPAL') in a content archive, faded to and
// set as the program does on a screen's entry: a range past the 256 entries or past the
// resource is refused, a fade at any moment writes only the range, and setting the palette
// leaves the resource's colours in the range and every other entry as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/sprites/PaletteFade.h"
#include "engine/resources/ResourceManager.h"
#include "tests/engine/resources/MemoryArchiveFile.h"
#include "tests/engine/resources/format/ArchiveBytes.h"

namespace {

constexpr u16 kPaletteId = 5;
constexpr u32 kHeaderSize = 4;
constexpr u32 kEntrySize = 4;
constexpr u16 kEntries = 256;

bool sameColour(const GfxPaletteEntry& a, const GfxPaletteEntry& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = memInit(0, 512) == kErrNone && gfxInitPalettes() == kErrNone && resInit() == kErrNone;
    if (!started) std::abort();
    auto image = std::make_shared<testres::FileImage>();
    image->bytes = testres::makeArchive({{kPaletteResourceType, kPaletteId, std::string(data, data + size)}});
    const ResMapHandle archive = resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "palette"), 1, 0);
    if (!archive) std::abort();

    GfxPalette* palette = gfxDefaultPalette();
    GfxPaletteEntry before[kEntries];
    std::memcpy(before, palette->entries, sizeof before);
    const bool fits = size >= kHeaderSize && u32(readBE16(data)) + readBE16(data + 2) <= kEntries &&
                      kHeaderSize + u64(readBE16(data + 2)) * kEntrySize <= size;
    auto fade = std::make_unique<PaletteFade>();
    if (PaletteFadeSetUp(fade.get(), kPaletteId, 100)) {
        if (!fits) std::abort();
        // The program steps while less than the duration has passed.
        for (u32 elapsed : {0u, 1u, 50u, 99u}) {
            fade->elapsed = elapsed;
            PaletteFadeStep(*fade);
            for (u16 i = 0; i < kEntries; ++i)
                if ((i < fade->first || i >= fade->first + fade->count) && !sameColour(palette->entries[i], before[i]))
                    std::abort();
        }
        std::memcpy(palette->entries, before, sizeof before);
    }
    // Entries outside the range keep their colours; one inside takes the resource's unless the
    // palette keeps it (a reserved or static colour, or one after an entry that asks for none).
    const u16 result = SetPaletteFromResource(kPaletteId);
    if (result == 0 && !fits) std::abort();
    for (u16 i = 0; i < kEntries; ++i) {
        const bool inRange = fits && i >= readBE16(data) && i < readBE16(data) + readBE16(data + 2);
        const GfxPaletteEntry& now = palette->entries[i];
        if (sameColour(now, before[i])) continue;
        if (!inRange) std::abort();
        const u8* e = data + kHeaderSize + (i - readBE16(data)) * kEntrySize;
        if (!sameColour(now, GfxPaletteEntry{e[0], e[1], e[2], e[3]})) std::abort();
    }
    std::memcpy(palette->entries, before, sizeof before);
    resCloseFile(archive, 0, 1);
    return 0;
}
