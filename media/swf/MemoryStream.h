#pragma once
// A stream on a growable block of engine pointer memory (memAllocPtr). The stream owns its
// block until Detach hands it to the caller, who frees it with memFreePtr. Reads never go
// past the valid data: a read beyond Size fails with kErrMemory like a short file read.
// The block grows by at least the grow step, and by half its size once that is more.
#include <memory>

#include "media/swf/Stream.h"

namespace swf {

class mstream : public stream {
public:
    explicit mstream(u32 growStep);
    ~mstream() override;

    Result Size(u32& size) override;
    Result Read(u32 position, u32 length, u8* bytes) override;
    Result Write(u32 position, u32 length, const u8* bytes) override;
    Result Truncate(u32 size) override;

    // The block with any held bit-level byte written back; the stream keeps it.
    const u8* Buffer();
    // Shrinks the block to the data and hands it over; the stream is left empty.
    u8* Detach(u32& size);
    // Drops the data, the held byte and the position but keeps the block, to build in again.
    void Empty();

private:
    friend std::unique_ptr<mstream> mstreamOnBuffer(u8* block, u32 size, u32 growStep);

    // The block, its data size and its capacity are the stream's direct fields.
    u32 growStep_ = 0;
};

// A stream over an existing engine pointer block, which the stream owns from now on.
std::unique_ptr<mstream> mstreamOnBuffer(u8* block, u32 size, u32 growStep);

}  // namespace swf
