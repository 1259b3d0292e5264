#include "document/storage/LibraryHeader.h"

#include <vector>

#include "document/storage/ByteWriter.h"
#include "document/storage/StorageErrors.h"

namespace {

EngineErr checkHeader(const LibraryHeader& header) {
    if (header.entries.size() > kLibraryMaxEntries) return kDocErrTooMany;
    // Ids lie below the next id, so one flag per id finds repeats in a single pass.
    std::vector<bool> given(header.nextId, false);
    for (const LibraryEntry& e : header.entries) {
        if (e.id == 0 || e.id >= header.nextId) return kDocErrBadId;
        if (given[e.id]) return kDocErrDuplicate;
        given[e.id] = true;
    }
    return kErrNone;
}

}  // namespace

EngineErr parseLibraryHeader(std::span<const u8> bytes, LibraryHeader* header) {
    ByteReader in(bytes);
    const u16 version = in.u16be();
    LibraryHeader read;
    read.type = in.u32be();
    read.flags = in.u16be();
    const u16 count = in.u16be();
    read.nextId = in.u16be();
    if (!in.ok()) return kDocErrTruncated;
    if (version != kLibraryHeaderVersion) return kDocErrVersion;
    if (count > kLibraryMaxEntries) return kDocErrTooMany;
    if (in.left() < size_t(count) * kLibraryEntrySize) return kDocErrTruncated;
    if (in.left() > size_t(count) * kLibraryEntrySize) return kDocErrTrailing;
    read.entries.resize(count);
    for (LibraryEntry& e : read.entries) {
        e.id = in.u16be();
        e.flags = in.u16be();
    }
    if (EngineErr err = checkHeader(read)) return err;
    *header = std::move(read);
    return kErrNone;
}

EngineErr writeLibraryHeader(const LibraryHeader& header, std::vector<u8>* bytes) {
    if (EngineErr err = checkHeader(header)) return err;
    ByteWriter out(bytes);
    out.u16be(kLibraryHeaderVersion);
    out.u32be(header.type);
    out.u16be(header.flags);
    out.u16be(u16(header.entries.size()));
    out.u16be(header.nextId);
    for (const LibraryEntry& e : header.entries) {
        out.u16be(e.id);
        out.u16be(e.flags);
    }
    return kErrNone;
}
