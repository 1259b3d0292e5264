#pragma once
// The sample codecs of DefineSound data: they turn the stored bytes, read through the tag's
// i_wavebyte face, into sample frames. Reads past the stored data give silence (0x80 for
// 8-bit samples, 0 for 16-bit ones) and stop the decoder.
#include "media/swf/Interfaces.h"

namespace swf {

class codec {
public:
    virtual ~codec() = default;
    // Decodes count frames at the position into samples, or only moves past them (null).
    virtual Result Decode(void* samples, u32 count) = 0;
    virtual Result Seek(u32 position) = 0;
};

// Holds one reference on a byte source for as long as it lives.
class SourceReference {
public:
    explicit SourceReference(i_wavebyte& source) : source_(source) { source_.AddRef(); }
    SourceReference(const SourceReference&) = delete;
    SourceReference& operator=(const SourceReference&) = delete;
    ~SourceReference() { source_.Release(); }
    i_wavebyte* operator->() const { return &source_; }

private:
    i_wavebyte& source_;
};

}  // namespace swf
