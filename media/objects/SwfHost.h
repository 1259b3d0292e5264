#pragma once
// The one program-wide host of the SWF engine: its i_host face makes sound players and its
// i_jpeg face codes JPEG through the media runtime. The object lives for the whole run; AddRef
// and Release count nothing. QueryInterface on either face answers i_object and i_host with the
// i_host face and i_jpeg with the i_jpeg face. Main thread only.
#include "media/swf/Interfaces.h"

// Every failure of the host's own checks; JPEG decoding passes on the media runtime's codes.
constexpr swf::Result kSwfHostFailed = 0xFFFF;

class SwfHost;

class SwfHostJpeg final : public swf::i_jpeg {
public:
    explicit SwfHostJpeg(SwfHost& owner) : owner_(owner) {}
    u32 AddRef() override { return 0; }
    swf::Result QueryInterface(const std::type_info& id, void** out) override;
    u32 Release() override { return 0; }
    // The block is engine pointer memory (memFreePtr).
    swf::Result Compress(u32 unused, u32& tableLength, u8*& data, u32& dataLength, const u8* pixels, u32 rowBytes,
                         u32 width, u32 height) override;
    // The pixels are engine pointer memory (memFreePtr).
    swf::Result Decompress(u8*& pixels, u32 rowBytes, u32 width, u32 height, const u8* tables, u32 tablesSize,
                           const u8* data, u32 dataSize) override;
    swf::Result GetInfo(i32& width, i32& height, const u8* data, u32 dataSize) override;

private:
    SwfHost& owner_;
};

class SwfHost final : public swf::i_host {
public:
    SwfHost() : jpeg_(*this) {}
    u32 AddRef() override { return 0; }
    swf::Result QueryInterface(const std::type_info& id, void** out) override;
    u32 Release() override { return 0; }
    swf::Result CreateWavePlay(swf::i_waveplay*& player, swf::i_wavedata* source) override;

    swf::i_jpeg& jpeg() { return jpeg_; }

private:
    SwfHostJpeg jpeg_;
};

extern SwfHost host;

// Makes `host` the SWF engine's host; each RFlash does when it is made.
void InstallSwfHost();
