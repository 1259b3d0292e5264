#pragma once
// The chunks of an AIFF ("FORM", big-endian lengths) or RIFF ("RIFF", little-endian lengths)
// image, found by walking chunk headers from offset 12, each chunk padded to an even length.
// Bytes inside a chunk's data are never taken for a chunk tag. A chunk whose data runs past
// the end of the image is kept with the bytes that are there and marked truncated; the walk
// ends with it.
#include <optional>
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"

struct IffChunk {
    FourCC tag = 0;
    std::span<const u8> data;  // the bytes present, at most the declared length
    bool truncated = false;
};

enum class IffByteOrder { Big, Little };

std::vector<IffChunk> walkIffChunks(std::span<const u8> image, IffByteOrder order);
// The first chunk with the tag.
std::optional<IffChunk> findIffChunk(const std::vector<IffChunk>& chunks, FourCC tag);
