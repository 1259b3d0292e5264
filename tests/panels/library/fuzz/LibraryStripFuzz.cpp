// libFuzzer target: any bytes opened as a library archive and shown in the library panel's
// strip: only entries the header lists, in its order, each once, each with a drawable
// thumbnail; an entry whose thumbnail is no picture is left out, never shown broken.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

#include "engine/gfx/GfxPalette.h"
#include "panels/library/LibraryChoices.h"
#include "tests/engine/ini/fuzz/ScratchProfile.h"
#include "tests/engine/resources/MemoryArchiveFile.h"

using namespace Ostrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = [] {
        new ScratchProfile();
        gfxInitPalettes();
        return resInit() == kErrNone;
    }();
    if (!started) std::abort();
    auto image = std::make_shared<testres::FileImage>();
    image->bytes.assign(data, data + size);
    RLibrary library;
    if (library.OpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "library.tbl"), true) != kErrNone ||
        library.LoadHeader() != kErrNone)
        return 0;
    const std::vector<StripEntry> strip = ReadStripEntries(library);
    size_t next = 0;
    std::set<u16> seen;
    for (const StripEntry& entry : strip) {
        while (next < library.Header().entries.size() && library.Header().entries[next].id != entry.entryId) ++next;
        if (next == library.Header().entries.size() || !seen.insert(entry.entryId).second || entry.thumbnail.empty()) std::abort();
    }
    return 0;
}
