#pragma once
// Reading back what the generator wrote, for the preview tool and the tests: the resources
// of an archive image by type and id, and the pictures and shape frames decoded into
// rasters with the engine's own format readers.
#include <optional>
#include <span>
#include <vector>

#include "contentgen/raster/Raster.h"
#include "engine/resources/format/ArchiveFormat.h"

class ArchiveReader {
public:
    // False when the image is not a well-formed archive.
    bool open(std::vector<u8> image);
    const ArchiveContents& contents() const { return contents_; }
    std::optional<std::span<const u8>> find(FourCC type, u16 id) const;

private:
    std::vector<u8> image_;
    ArchiveContents contents_;
};

// A plain 16-bit picture; nullopt for any other kind.
std::optional<Raster> decodePicture(std::span<const u8> bitmap);
// A group's frames (from 1 in the vector's index + 1), each a packed 16-bit frame made
// opaque where it has colours; nullopt for a group the engine would refuse or a frame wider
// or taller than 2048.
std::optional<std::vector<Raster>> decodeGroupFrames(std::span<const u8> group);
