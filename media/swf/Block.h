#pragma once
// One engine pointer block owned by a tag: raw tag data, or a parsed block built in a
// memory stream and detached from it.
#include "media/swf/MemoryStream.h"

namespace swf {

class Block {
public:
    Block() = default;
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    ~Block() { Reset(); }

    void Take(mstream& built);
    // Copies the stream's data into a new block of its exact size; the stream keeps its own.
    Result CopyFrom(mstream& built);
    // Takes the other block's data, which is left empty.
    void Take(Block& other);
    // Takes an engine pointer block (memAllocPtr) of that size.
    void Adopt(u8* data, u32 size);
    // Reads length bytes of the stream into a new block.
    Result ReadFrom(stream& in, u32 length);
    void Reset();

    u8* Data() { return data_; }
    const u8* Data() const { return data_; }
    u32 Size() const { return size_; }

private:
    u8* data_ = nullptr;
    u32 size_ = 0;
};

// Grow step for the temporary stream a tag builds its block in.
inline u32 BlockGrowStep(u32 bodyLength) { return bodyLength / 4 + 64; }
// The same for a working stream kept for the blocks of many tags (document::BuildScratch).
constexpr u32 kScratchGrowStep = 64 * 1024;

}  // namespace swf
