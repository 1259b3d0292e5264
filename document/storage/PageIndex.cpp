#include "document/storage/PageIndex.h"

#include "document/storage/ByteWriter.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/StorageErrors.h"

namespace {

EngineErr checkIndex(const PageIndex& index) {
    if (index.entries.size() > kPageIndexMaxObjects) return kDocErrTooMany;
    std::vector<bool> orderSeen(index.entries.size(), false);
    for (size_t i = 0; i < index.entries.size(); ++i) {
        const PageIndexEntry& e = index.entries[i];
        if (!isPageObjectType(e.type)) return kDocErrBadType;
        if (e.right < e.left || e.bottom < e.top) return kDocErrBadRect;
        if (e.order >= orderSeen.size() || orderSeen[e.order]) return kDocErrBadOrder;
        orderSeen[e.order] = true;
        for (size_t j = 0; j < i; ++j)
            if (index.entries[j].type == e.type && index.entries[j].id == e.id) return kDocErrDuplicate;
    }
    return kErrNone;
}

}  // namespace

EngineErr parsePageIndex(std::span<const u8> bytes, PageIndex* index) {
    ByteReader in(bytes);
    const u16 version = in.u16be();
    PageIndex read;
    read.pageFlags = in.u16be();
    const u16 count = in.u16be();
    if (!in.ok()) return kDocErrTruncated;
    if (version != kPageIndexVersion) return kDocErrVersion;
    if (count > kPageIndexMaxObjects) return kDocErrTooMany;
    if (in.left() < size_t(count) * kPageIndexEntrySize) return kDocErrTruncated;
    if (in.left() > size_t(count) * kPageIndexEntrySize) return kDocErrTrailing;
    read.entries.resize(count);
    for (PageIndexEntry& e : read.entries) {
        e.type = in.u32be();
        e.id = in.u16be();
        e.left = i16(in.u16be());
        e.top = i16(in.u16be());
        e.right = i16(in.u16be());
        e.bottom = i16(in.u16be());
        e.flags = in.u16be();
        e.option = in.u32be();
        e.order = in.u16be();
    }
    if (EngineErr err = checkIndex(read)) return err;
    *index = std::move(read);
    return kErrNone;
}

EngineErr writePageIndex(const PageIndex& index, std::vector<u8>* bytes) {
    if (EngineErr err = checkIndex(index)) return err;
    ByteWriter out(bytes);
    out.u16be(kPageIndexVersion);
    out.u16be(index.pageFlags);
    out.u16be(u16(index.entries.size()));
    for (const PageIndexEntry& e : index.entries) {
        out.u32be(e.type);
        out.u16be(e.id);
        out.u16be(u16(e.left));
        out.u16be(u16(e.top));
        out.u16be(u16(e.right));
        out.u16be(u16(e.bottom));
        out.u16be(e.flags);
        out.u32be(e.option);
        out.u16be(e.order);
    }
    return kErrNone;
}
