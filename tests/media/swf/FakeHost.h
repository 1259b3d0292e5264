#pragma once
// A host that records what the engine asks of it: players made, played and stopped, and JPEG
// work answered with a fixed small stream whose bytes carry the picture's size and pixels.
#include <string>
#include <vector>

#include "media/swf/Interfaces.h"

namespace swftest {

class FakeHost : public swf::i_host, public swf::i_jpeg {
public:
    FakeHost();
    ~FakeHost();

    u32 AddRef() override { return ++references; }
    swf::Result QueryInterface(const std::type_info& id, void** out) override;
    u32 Release() override { return --references; }
    swf::Result CreateWavePlay(swf::i_waveplay*& player, swf::i_wavedata* source) override;

    swf::Result Compress(u32 unused, u32& tableLength, u8*& data, u32& dataLength, const u8* rgbPixels, u32 rowBytes,
                         u32 width, u32 height) override;
    swf::Result Decompress(u8*& pixels, u32 rowBytes, u32 width, u32 height, const u8* tables, u32 tablesLength,
                           const u8* data, u32 length) override;
    swf::Result GetInfo(i32& width, i32& height, const u8* data, u32 length) override;

    // "create", "play <ms> <plays>", "stop", "release" in order.
    std::vector<std::string> log;
    // The RGB pixels last given to Compress, row after row without gaps.
    std::vector<u8> compressed;
    swf::Result createResult = swf::kOk;
    swf::Result playResult = swf::kOk;
    swf::Result compressResult = swf::kOk;
    std::vector<swf::i_wavedata*> sources;
    // Both faces count here.
    i32 references = 0;
};

}  // namespace swftest
