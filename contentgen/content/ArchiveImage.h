#pragma once
// A resource archive assembled in memory and laid out in one go: the header, every
// resource's bytes in the order they were added, then the directory and the file table.
// The generator writes whole archives this way, so the same resources always give the
// same bytes. Pure: no files are touched.
#include <span>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

class ArchiveImage {
public:
    // kResErrDuplicate when the type already holds the id; `name` may be empty.
    EngineErr add(FourCC type, u16 id, std::span<const u8> bytes, const std::string& name = {});
    bool has(FourCC type, u16 id) const;
    // The resource is read into memory as soon as the archive opens; false when there is none.
    bool markLoadAtOpen(FourCC type, u16 id);
    size_t count() const { return resources_.size(); }
    // kResErrTooLarge when the directory or the file would pass what the format can hold.
    EngineErr serialize(std::vector<u8>* out) const;

private:
    struct Resource {
        FourCC type;
        u16 id;
        std::string name;
        std::vector<u8> bytes;
        u8 flags = 0;
    };
    std::vector<Resource> resources_;
};
