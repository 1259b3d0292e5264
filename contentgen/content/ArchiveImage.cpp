#include "contentgen/content/ArchiveImage.h"

#include "engine/resources/format/ArchiveFormat.h"
#include "engine/resources/format/ResDirectory.h"
#include "engine/resources/format/ResourceErrors.h"

EngineErr ArchiveImage::add(FourCC type, u16 id, std::span<const u8> bytes, const std::string& name) {
    if (has(type, id)) return kResErrDuplicate;
    resources_.push_back(Resource{type, id, name, std::vector<u8>(bytes.begin(), bytes.end())});
    return kErrNone;
}

bool ArchiveImage::has(FourCC type, u16 id) const {
    for (const Resource& r : resources_)
        if (r.type == type && r.id == id) return true;
    return false;
}

bool ArchiveImage::markLoadAtOpen(FourCC type, u16 id) {
    for (Resource& r : resources_)
        if (r.type == type && r.id == id) {
            r.flags |= kResFlagLoadAtOpen;
            return true;
        }
    return false;
}

EngineErr ArchiveImage::serialize(std::vector<u8>* out) const {
    if (resources_.size() > kMaxFileEntries) return kResErrTooLarge;
    ResDirectory directory;
    FileTable table;
    u64 offset = kArchiveHeaderSize;
    for (size_t i = 0; i < resources_.size(); ++i) {
        const Resource& r = resources_[i];
        if (r.bytes.size() > kResMaxSize) return kResErrTooLarge;
        const u16 index = u16(i + 1);
        const EngineErr err = directory.insert(r.type, r.id, index, r.name.empty() ? nullptr : r.name.c_str());
        if (err != kErrNone) return err;
        FileEntry entry;
        entry.offset = u32(offset);
        entry.size = u32(r.bytes.size());
        entry.flags = r.flags;
        table.entries.push_back(entry);
        offset += r.bytes.size();
    }
    const std::vector<u8> tables = serializeArchiveTables(directory, table);
    if (offset + tables.size() > 0xFFFFFFFFu) return kResErrTooLarge;
    ArchiveHeader header;
    header.directoryOffset = u32(offset);
    header.directorySize = u16(directory.byteSize());
    header.fileTableSize = u16(table.byteSize());
    header.fileLength = u32(offset + tables.size());
    out->assign(kArchiveHeaderSize, 0);
    writeArchiveHeader(header, out->data());
    for (const Resource& r : resources_) out->insert(out->end(), r.bytes.begin(), r.bytes.end());
    out->insert(out->end(), tables.begin(), tables.end());
    return kErrNone;
}
