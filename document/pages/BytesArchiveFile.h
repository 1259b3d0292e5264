#pragma once
// An archive file that is bytes in memory: a page written whole without touching the disk,
// for a copy kept aside. It has no place on a disk, so nothing replaces it.
#include <cstring>
#include <vector>

#include "document/storage/StorageErrors.h"
#include "engine/resources/ArchiveFile.h"

namespace Ostrel {

class BytesArchiveFile : public ArchiveFile {
public:
    explicit BytesArchiveFile(std::vector<u8>& bytes) : bytes_(bytes) { bytes_.clear(); }
    EngineErr read(u32 offset, void* buffer, u32 count) override {
        if (u64(offset) + count > bytes_.size()) return kDocErrTruncated;
        std::memcpy(buffer, bytes_.data() + offset, count);
        return kErrNone;
    }
    EngineErr write(u32 offset, const void* data, u32 count) override {
        if (u64(offset) + count > bytes_.size()) bytes_.resize(size_t(offset) + count);
        std::memcpy(bytes_.data() + offset, data, count);
        return kErrNone;
    }
    EngineErr setLength(u32 length) override {
        bytes_.resize(length);
        return kErrNone;
    }
    u32 length() override { return u32(bytes_.size()); }
    EngineErr sync() override { return kErrNone; }
    bool replaceable() const override { return false; }
    EngineErr createReplacement(std::unique_ptr<ArchiveFile>*) override { return kDocErrBadType; }
    EngineErr adoptReplacement(std::unique_ptr<ArchiveFile>) override { return kDocErrBadType; }
    EngineErr syncName() override { return kErrNone; }
    EngineErr lock(u32) override { return kErrNone; }
    void unlock() override {}
    bool isSameFile(const ArchiveFile& other) const override { return &other == this; }
    EngineErr close(bool) override { return kErrNone; }

private:
    std::vector<u8>& bytes_;
};

}  // namespace Ostrel
