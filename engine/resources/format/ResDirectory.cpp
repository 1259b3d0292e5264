#include "engine/resources/format/ResDirectory.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "engine/base/ByteOrder.h"
#include "engine/resources/format/ResourceErrors.h"

namespace {

constexpr u32 kHeadSize = 4;
constexpr u32 kTypeEntrySize = 8;
constexpr u32 kTableHeadSize = 2;
constexpr u32 kTableEntrySize = 4;
constexpr u32 kNewTypeSize = kTypeEntrySize + 2 * kTableHeadSize;

u8 foldCase(u8 c) { return (c >= 'A' && c <= 'Z') ? u8(c - 'A' + 'a') : c; }

u32 namedSize(const std::string& name) { return kTableEntrySize + u32(name.size()) + 1; }

struct ByteReader {
    std::span<const u8> bytes;
    bool fits(u32 offset, u32 length) const { return u64(offset) + length <= bytes.size(); }
    u16 be16(u32 offset) const { return readBE16(bytes.data() + offset); }
    u32 be32(u32 offset) const { return readBE32(bytes.data() + offset); }
};

// A table (count, then 4-byte entries) must lie in the tables area between the type
// entries and the name pool.
bool tableFits(const ByteReader& in, u32 offset, u32 tablesStart, u32 poolOffset, u16* count) {
    if (offset < tablesStart || u64(offset) + kTableHeadSize > poolOffset) return false;
    *count = in.be16(offset);
    return u64(offset) + kTableHeadSize + u64(kTableEntrySize) * *count <= poolOffset;
}

bool validIndex(u16 index, u16 entryCount) { return index >= 1 && index <= entryCount; }

}  // namespace

int compareResNames(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const u8 ca = foldCase(u8(a[i]));
        const u8 cb = foldCase(u8(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

EngineErr ResDirectory::parse(std::span<const u8> bytes, u16 entryCount, ResDirectory* out) {
    const ByteReader in{bytes};
    if (!in.fits(0, kHeadSize)) return kResErrNotResourceFile;
    const u32 poolOffset = in.be16(0);
    const u16 typeCount = in.be16(2);
    const u32 tablesStart = kHeadSize + kTypeEntrySize * typeCount;
    if (tablesStart > poolOffset || poolOffset > bytes.size()) return kResErrNotResourceFile;
    const std::span<const u8> pool = bytes.subspan(poolOffset);

    struct Placed {
        u32 idTableOffset;
        ResTypeTables tables;
    };
    std::vector<Placed> placed;
    placed.reserve(typeCount);
    for (u16 t = 0; t < typeCount; ++t) {
        const u32 entry = kHeadSize + kTypeEntrySize * t;
        const FourCC type = in.be32(entry);
        if (t > 0 && type <= placed.back().tables.type) return kResErrNotResourceFile;
        const u32 idOffset = in.be16(entry + 4);
        const u32 nameOffset = in.be16(entry + 6);
        u16 idCount = 0;
        u16 nameCount = 0;
        if (!tableFits(in, idOffset, tablesStart, poolOffset, &idCount)) return kResErrNotResourceFile;
        if (!tableFits(in, nameOffset, tablesStart, poolOffset, &nameCount)) return kResErrNotResourceFile;

        Placed p{idOffset, ResTypeTables{type, {}, {}}};
        for (u16 i = 0; i < idCount; ++i) {
            const u32 at = idOffset + kTableHeadSize + kTableEntrySize * i;
            const ResIdEntry e{in.be16(at), in.be16(at + 2)};
            if (!validIndex(e.index, entryCount)) return kResErrNotResourceFile;
            if (i > 0 && e.id <= p.tables.ids.back().id) return kResErrNotResourceFile;
            p.tables.ids.push_back(e);
        }
        for (u16 i = 0; i < nameCount; ++i) {
            const u32 at = nameOffset + kTableHeadSize + kTableEntrySize * i;
            const u16 stringOffset = in.be16(at);
            const u16 index = in.be16(at + 2);
            if (!validIndex(index, entryCount) || stringOffset >= pool.size()) return kResErrNotResourceFile;
            const u8* start = pool.data() + stringOffset;
            const void* end = std::memchr(start, 0, pool.size() - stringOffset);
            if (end == nullptr) return kResErrNotResourceFile;
            std::string name(reinterpret_cast<const char*>(start), static_cast<const u8*>(end) - start);
            if (i > 0 && compareResNames(name, p.tables.names.back().name) <= 0) return kResErrNotResourceFile;
            p.tables.names.push_back(ResNameEntry{std::move(name), index, stringOffset});
        }
        placed.push_back(std::move(p));
    }

    // One resource per index, named at most once and only within its own type: otherwise
    // removing one resource would leave another table pointing to a freed entry.
    std::vector<u16> typeOf(size_t(entryCount) + 1, 0);  // 1-based position of the owning type
    std::vector<u8> named(size_t(entryCount) + 1, 0);
    for (u16 t = 0; t < placed.size(); ++t) {
        for (const ResIdEntry& e : placed[t].tables.ids) {
            if (typeOf[e.index] != 0) return kResErrNotResourceFile;
            typeOf[e.index] = u16(t + 1);
        }
        for (const ResNameEntry& n : placed[t].tables.names) {
            if (typeOf[n.index] != t + 1 || named[n.index] != 0) return kResErrNotResourceFile;
            named[n.index] = 1;
        }
    }

    // Tables keep the order in which they lie in the file: that is the order of first addition.
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& a, const Placed& b) { return a.idTableOffset < b.idTableOffset; });
    ResDirectory result;
    for (Placed& p : placed) {
        result.size_ += kNewTypeSize + kTableEntrySize * u32(p.tables.ids.size());
        for (const ResNameEntry& n : p.tables.names) result.size_ += namedSize(n.name);
        result.types_.push_back(std::move(p.tables));
    }
    // Tables or names shared in the file are laid out once each when written back.
    if (result.size_ > kResDirectoryMaxSize) return kResErrNotResourceFile;
    result.nextPoolOrder_ = u32(bytes.size());
    *out = std::move(result);
    return kErrNone;
}

void ResDirectory::serialize(u8* out) const {
    std::vector<const ResTypeTables*> byCode;
    for (const ResTypeTables& t : types_) byCode.push_back(&t);
    std::sort(byCode.begin(), byCode.end(), [](auto* a, auto* b) { return a->type < b->type; });

    std::vector<const ResNameEntry*> poolOrder;
    for (const ResTypeTables& t : types_)
        for (const ResNameEntry& n : t.names) poolOrder.push_back(&n);
    std::sort(poolOrder.begin(), poolOrder.end(), [](auto* a, auto* b) { return a->poolOrder < b->poolOrder; });

    u32 poolOffset = kHeadSize + kTypeEntrySize * u32(types_.size());
    for (const ResTypeTables& t : types_)
        poolOffset += 2 * kTableHeadSize + kTableEntrySize * u32(t.ids.size() + t.names.size());

    std::unordered_map<const ResNameEntry*, u16> nameOffsets;
    u32 poolAt = 0;
    for (const ResNameEntry* n : poolOrder) {
        nameOffsets[n] = u16(poolAt);
        std::memcpy(out + poolOffset + poolAt, n->name.data(), n->name.size());
        out[poolOffset + poolAt + n->name.size()] = 0;
        poolAt += u32(n->name.size()) + 1;
    }

    writeBE16(out, u16(poolOffset));
    writeBE16(out + 2, u16(types_.size()));
    u32 tableAt = kHeadSize + kTypeEntrySize * u32(types_.size());
    for (const ResTypeTables& t : types_) {
        const u32 idTable = tableAt;
        const u32 nameTable = idTable + kTableHeadSize + kTableEntrySize * u32(t.ids.size());
        tableAt = nameTable + kTableHeadSize + kTableEntrySize * u32(t.names.size());
        const size_t slot = std::find(byCode.begin(), byCode.end(), &t) - byCode.begin();
        u8* entry = out + kHeadSize + kTypeEntrySize * slot;
        writeBE32(entry, t.type);
        writeBE16(entry + 4, u16(idTable));
        writeBE16(entry + 6, u16(nameTable));
        writeBE16(out + idTable, u16(t.ids.size()));
        for (size_t i = 0; i < t.ids.size(); ++i) {
            writeBE16(out + idTable + kTableHeadSize + kTableEntrySize * i, t.ids[i].id);
            writeBE16(out + idTable + kTableHeadSize + kTableEntrySize * i + 2, t.ids[i].index);
        }
        writeBE16(out + nameTable, u16(t.names.size()));
        for (size_t i = 0; i < t.names.size(); ++i) {
            writeBE16(out + nameTable + kTableHeadSize + kTableEntrySize * i, nameOffsets.at(&t.names[i]));
            writeBE16(out + nameTable + kTableHeadSize + kTableEntrySize * i + 2, t.names[i].index);
        }
    }
}

const ResTypeTables* ResDirectory::findType(FourCC type) const {
    auto it = std::find_if(types_.begin(), types_.end(), [&](const ResTypeTables& t) { return t.type == type; });
    return it == types_.end() ? nullptr : &*it;
}

ResTypeTables* ResDirectory::findTypeMutable(FourCC type) { return const_cast<ResTypeTables*>(findType(type)); }

const ResIdEntry* ResDirectory::find(FourCC type, u16 id) const {
    const ResTypeTables* t = findType(type);
    if (t == nullptr) return nullptr;
    auto it = std::lower_bound(t->ids.begin(), t->ids.end(), id, [](const ResIdEntry& e, u16 v) { return e.id < v; });
    return (it != t->ids.end() && it->id == id) ? &*it : nullptr;
}

EngineErr ResDirectory::insert(FourCC type, u16 id, u16 index, const char* name) {
    ResTypeTables* t = findTypeMutable(type);
    u32 growth = kTableEntrySize + (t == nullptr ? kNewTypeSize : 0);
    std::vector<ResIdEntry>::iterator idPlace;
    if (t != nullptr) {
        idPlace = std::lower_bound(t->ids.begin(), t->ids.end(), id, [](const ResIdEntry& e, u16 v) { return e.id < v; });
        if (idPlace != t->ids.end() && idPlace->id == id) return kResErrDuplicate;
    }
    std::string cut;
    size_t namePlace = 0;
    if (name != nullptr) {
        cut.assign(name, strnlen(name, kResMaxNameLength));
        if (t != nullptr) {
            auto place = std::lower_bound(t->names.begin(), t->names.end(), cut, [](const ResNameEntry& n, const std::string& v) {
                return compareResNames(n.name, v) < 0;
            });
            if (place != t->names.end() && compareResNames(place->name, cut) == 0) return kResErrDuplicate;
            namePlace = size_t(place - t->names.begin());
        }
        growth += namedSize(cut);
    }
    if (size_ + growth > kResDirectoryMaxSize) return kResErrTooLarge;

    if (t == nullptr) {
        types_.push_back(ResTypeTables{type, {}, {}});
        t = &types_.back();
        idPlace = t->ids.begin();
    }
    t->ids.insert(idPlace, ResIdEntry{id, index});
    if (name != nullptr) t->names.insert(t->names.begin() + namePlace, ResNameEntry{std::move(cut), index, nextPoolOrder_++});
    size_ += growth;
    return kErrNone;
}

EngineErr ResDirectory::removeIndex(u16 index) {
    for (auto t = types_.begin(); t != types_.end(); ++t) {
        auto idIt = std::find_if(t->ids.begin(), t->ids.end(), [&](const ResIdEntry& e) { return e.index == index; });
        if (idIt == t->ids.end()) continue;
        t->ids.erase(idIt);
        size_ -= kTableEntrySize;
        auto nameIt = std::find_if(t->names.begin(), t->names.end(), [&](const ResNameEntry& n) { return n.index == index; });
        if (nameIt != t->names.end()) {
            size_ -= namedSize(nameIt->name);
            t->names.erase(nameIt);
        }
        if (t->ids.empty()) {
            for (const ResNameEntry& n : t->names) size_ -= namedSize(n.name);
            size_ -= kNewTypeSize;
            types_.erase(t);
        }
        return kErrNone;
    }
    return kResErrSizeOrIndex;
}

void ResDirectory::renumber(const std::vector<u16>& newIndex) {
    for (ResTypeTables& t : types_) {
        for (ResIdEntry& e : t.ids) e.index = newIndex[e.index];
        for (ResNameEntry& n : t.names) n.index = newIndex[n.index];
    }
}

std::vector<u16> ResDirectory::referencedIndexes() const {
    std::vector<u16> result;
    for (const ResTypeTables& t : types_)
        for (const ResIdEntry& e : t.ids) result.push_back(e.index);
    return result;
}
