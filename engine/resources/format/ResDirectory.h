#pragma once
// The directory of a resource archive: per type code, the resources by id and the named
// ones by name, each pointing to a file-table index. Kept here as tables, not as the byte
// block of the file; serialize() lays the bytes out as every writer of the format does:
// head, type entries in code order, each type's id table directly followed by its name
// table in the order the types were first added, then the name pool in the order the
// names were added. Owned by one open archive; not thread-safe on its own.
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u32 kResDirectoryMaxSize = 65535;
constexpr size_t kResMaxNameLength = 31;

struct ResIdEntry {
    u16 id;
    u16 index;
};

struct ResNameEntry {
    std::string name;
    u16 index;
    u32 poolOrder;  // position of the name in the pool relative to the other names
};

struct ResTypeTables {
    FourCC type;
    std::vector<ResIdEntry> ids;      // sorted by id
    std::vector<ResNameEntry> names;  // sorted by compareResNames
};

// Byte order of names: ASCII A-Z folded to lower case, unsigned bytes, the end sorting first.
int compareResNames(const std::string& a, const std::string& b);

class ResDirectory {
public:
    // Refuses (kResErrNotResourceFile) any offset or count outside `bytes`, any index
    // outside 1..entryCount, names without their end inside the pool, unsorted tables, an
    // index in two id tables, a name whose index is not in its own type's id table, and
    // tables that, laid out as the writer does, would pass 65535 bytes.
    static EngineErr parse(std::span<const u8> bytes, u16 entryCount, ResDirectory* out);

    u32 byteSize() const { return size_; }
    void serialize(u8* out) const;

    const ResTypeTables* findType(FourCC type) const;
    const ResIdEntry* find(FourCC type, u16 id) const;
    // All or nothing: a used id or name (kResErrDuplicate) or a directory that would reach
    // 65536 bytes (kResErrTooLarge) leaves the directory as it was. Longer names are cut.
    EngineErr insert(FourCC type, u16 id, u16 index, const char* name);
    // Drops every reference to the index; a type left without resources disappears.
    EngineErr removeIndex(u16 index);
    // newIndex[old] is the index that replaces `old` (entry 0 unused).
    void renumber(const std::vector<u16>& newIndex);
    // Every index that some id table points to.
    std::vector<u16> referencedIndexes() const;

private:
    ResTypeTables* findTypeMutable(FourCC type);

    std::vector<ResTypeTables> types_;  // in the order the types were first added
    u32 nextPoolOrder_ = 0;
    u32 size_ = 4;
};
