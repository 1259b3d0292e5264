// libFuzzer target: any bytes opened as a library archive (".tbl": one copied from another
// machine, or left damaged): its header lists its items, each item's thumbnail and name read
// and its media made into a page object, or each refused. A library whose header reads takes a
// new item: the archive then still opens and lists it after every item it listed before.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "document/library/RLibrary.h"
#include "tests/engine/ini/fuzz/ScratchProfile.h"
#include "tests/engine/resources/MemoryArchiveFile.h"

namespace {

using namespace Ostrel;

// Items read per input: a header may list thousands.
constexpr size_t kMaxItems = 64;

std::unique_ptr<ArchiveFile> fileOver(const std::shared_ptr<testres::FileImage>& image) {
    return std::make_unique<testres::MemoryArchiveFile>(image, "library.tbl");
}

std::vector<LibraryEntry> listed(const RLibrary& library) {
    std::vector<LibraryEntry> entries;
    LibraryEntry entry;
    for (u32 it = 0; library.NextEntry(&it, &entry);) {
        entries.push_back(entry);
        if (entries.size() > library.Header().entries.size()) std::abort();
    }
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = [] {
        new ScratchProfile();
        return resInit() == kErrNone;
    }();
    if (!started) std::abort();
    auto image = std::make_shared<testres::FileImage>();
    image->bytes.assign(data, data + size);
    std::vector<LibraryEntry> before;
    {
        RLibrary library;
        if (library.OpenArchive(fileOver(image), true) != kErrNone || library.LoadHeader() != kErrNone) return 0;
        before = listed(library);
        if (before != library.Header().entries) std::abort();
        for (size_t i = 0; i < std::min(before.size(), kMaxItems); ++i) {
            std::vector<u8> bytes;
            library.ReadEntryThumbnail(before[i].id, kThumbnailPicture, &bytes);
            library.ReadEntryThumbnail(before[i].id, kThumbnailName, &bytes);
            std::string name;
            library.ReadEntryName(before[i].id, true, &name);
            library.CreateObjectForEntry(before[i].id);
        }
    }
    u16 added = 0;
    {
        RLibrary library;
        if (library.OpenArchive(fileOver(image), false) != kErrNone || library.LoadHeader() != kErrNone) std::abort();
        const std::vector<u8> media = {'R', 'I', 'F', 'F'};
        added = library.AddItem(media, {}, "Hen");
    }
    RLibrary again;
    if (again.OpenArchive(fileOver(image), true) != kErrNone || again.LoadHeader() != kErrNone) std::abort();
    std::vector<LibraryEntry> after = listed(again);
    if (added) {
        if (after.empty() || after.back().id != added) std::abort();
        after.pop_back();
    }
    if (after != before) std::abort();
    return 0;
}
