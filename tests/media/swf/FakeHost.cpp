#include "tests/media/swf/FakeHost.h"

#include <cstring>

#include "engine/base/MemoryHandles.h"
#include "media/swf/Interfaces.h"

namespace swftest {

namespace {

class FakeWavePlay final : public swf::i_waveplay {
public:
    FakeWavePlay(FakeHost& host, swf::i_wavedata* source) : host_(host), source_(source) {}
    u32 AddRef() override { return ++references_; }
    swf::Result QueryInterface(const std::type_info&, void** out) override {
        *out = nullptr;
        return swf::kErrNoInterface;
    }
    u32 Release() override {
        if (--references_ > 0) return references_;
        host_.log.push_back("release");
        delete this;
        return 0;
    }
    swf::Result Play(u32 startMs, u16 plays) override {
        host_.log.push_back("play " + std::to_string(startMs) + " " + std::to_string(plays));
        return host_.playResult;
    }
    swf::Result Stop() override {
        host_.log.push_back("stop");
        return swf::kOk;
    }

private:
    FakeHost& host_;
    swf::i_wavedata* source_;
    u32 references_ = 0;
};

}  // namespace

FakeHost::FakeHost() { swf::SetHost(this); }
FakeHost::~FakeHost() { swf::SetHost(nullptr); }

swf::Result FakeHost::QueryInterface(const std::type_info& id, void** out) {
    if (swf::SameInterface(id, typeid(swf::i_jpeg))) {
        *out = static_cast<swf::i_jpeg*>(this);
        AddRef();
        return swf::kOk;
    }
    if (swf::SameInterface(id, typeid(swf::i_host)) || swf::SameInterface(id, typeid(swf::i_object))) {
        *out = static_cast<swf::i_host*>(this);
        AddRef();
        return swf::kOk;
    }
    *out = nullptr;
    return swf::kErrNoInterface;
}

swf::Result FakeHost::CreateWavePlay(swf::i_waveplay*& player, swf::i_wavedata* source) {
    player = nullptr;
    if (createResult != swf::kOk) return createResult;
    log.push_back("create");
    sources.push_back(source);
    player = new FakeWavePlay(*this, source);
    player->AddRef();
    return swf::kOk;
}

// Tables: SOI, a DQT-like segment, EOI; image: SOI, an SOF0 with the size, the pixels, EOI.
swf::Result FakeHost::Compress(u32, u32& tableLength, u8*& data, u32& dataLength, const u8* rgbPixels, u32 rowBytes,
                               u32 width, u32 height) {
    if (compressResult != swf::kOk) return compressResult;
    compressed.clear();
    for (u32 y = 0; y < height; ++y) compressed.insert(compressed.end(), rgbPixels + y * rowBytes, rgbPixels + y * rowBytes + width * 3);
    const std::vector<u8> tables{0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x03, 0x01, 0xFF, 0xD9};
    std::vector<u8> image{0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x06, u8(height >> 8), u8(height), u8(width >> 8), u8(width)};
    image.push_back(0xFF);
    image.push_back(0xD9);
    tableLength = u32(tables.size());
    dataLength = u32(tables.size() + image.size());
    data = static_cast<u8*>(memAllocPtr(dataLength));
    std::memcpy(data, tables.data(), tables.size());
    std::memcpy(data + tables.size(), image.data(), image.size());
    return swf::kOk;
}

swf::Result FakeHost::Decompress(u8*&, u32, u32, u32, const u8*, u32, const u8*, u32) { return swf::kErrNoInterface; }

swf::Result FakeHost::GetInfo(i32& width, i32& height, const u8*, u32) {
    width = height = 0;
    return swf::kErrNoInterface;
}

}  // namespace swftest
