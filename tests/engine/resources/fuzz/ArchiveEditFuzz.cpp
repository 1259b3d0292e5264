// libFuzzer target: whatever archive the reader accepts can be loaded, written, trimmed,
// updated and compacted, and the file left behind opens again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/resources/ResourceManager.h"
#include "engine/resources/format/ArchiveFormat.h"
#include "tests/engine/resources/MemoryArchiveFile.h"

namespace {

// Every resource of the archive, by walking the ids of each type seen in the directory.
std::vector<ResourceRef> everyResource(ResMapHandle map, const ArchiveContents& contents) {
    std::vector<ResourceRef> refs;
    for (u16 index : contents.directory.referencedIndexes()) refs.push_back((ResourceRef(index) << 16) | map);
    return refs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ArchiveContents contents;
    if (parseArchiveImage(std::span<const u8>(data, size), &contents) != kErrNone) return 0;
    memInit(0, 512);
    resInit();
    auto image = std::make_shared<testres::FileImage>();
    image->bytes.assign(data, data + size);
    const ResMapHandle map = resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "fuzz"), 0, 0);
    if (map == 0) std::abort();
    const std::vector<ResourceRef> refs = everyResource(map, contents);
    for (size_t i = 0; i < refs.size(); ++i) {
        const memHandle handle = resLoadResource(refs[i], 0);
        if (handle != 0 && i % 3 == 1) resSetResourceAttr(refs[i], 1);
        if (i % 3 == 2) resWriteResource(refs[i], "tail", 4, kResAppend);
        if (i % 4 == 3) resRemoveResource(refs[i]);
    }
    resUpdateFile(map);
    resCloseFile(map, 1, 1);
    resShutdown();
    memShutdown();
    ArchiveContents after;
    if (parseArchiveImage(image->bytes, &after) != kErrNone) std::abort();
    return 0;
}
