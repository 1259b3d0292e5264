// The thumbnails of a library as the strip shows them.
#include <cstring>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "panels/library/LibraryChoices.h"

namespace Ostrel {
namespace {

// A thumbnail made drawable (expanded, JPEG decoded, colours in machine order); empty when the
// bytes are no picture.
std::vector<u8> preparedPicture(const std::vector<u8>& bytes) {
    if (bytes.empty()) return {};
    memHandle handle = memAllocHandle(u32(bytes.size()));
    if (handle == 0) return {};
    std::memcpy(memLockHandle(handle), bytes.data(), bytes.size());
    memUnlockHandle(handle);
    std::vector<u8> picture;
    if (sprPreparePicture(handle) == kErrNone) {
        picture.resize(memGetHandleSize(handle));
        std::memcpy(picture.data(), memLockHandle(handle), picture.size());
        memUnlockHandle(handle);
    }
    memFreeHandle(handle);
    return picture;
}

}  // namespace

std::vector<StripEntry> ReadStripEntries(const RLibrary& library) {
    // Only entries with a thumbnail show; each strip item keeps its own entry's id, so the
    // entries left out never shift what a thumbnail stands for.
    std::vector<StripEntry> strip;
    if ((library.Header().flags & kLibraryFlagThumbnails) == 0) return strip;
    u32 iterator = 0;
    LibraryEntry entry;
    while (library.NextEntry(&iterator, &entry)) {
        std::vector<u8> bytes;
        if (library.ReadEntryThumbnail(entry.id, kThumbnailPicture, &bytes) != kErrNone) continue;
        std::vector<u8> picture = preparedPicture(bytes);
        if (!picture.empty()) strip.push_back({entry.id, std::move(picture)});
    }
    return strip;
}

}  // namespace Ostrel
