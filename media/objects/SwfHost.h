#pragma once
// The one program-wide host of the SWF engine: its i_host face makes sound players and its
// i_jpeg face codes JPEG through the media runtime. The object lives for the whole run; AddRef
// and Release count nothing. QueryInterface on either face answers i_object and i_host with the
// i_host face and i_jpeg with the i_jpeg face. Main thread only.
#include "media/swf/HostInterfaces.h"

class SwfHost;

class SwfHostJpeg final : public swf::i_jpeg {
public:
    explicit SwfHostJpeg(SwfHost& owner) : owner_(owner) {}
    uint32_t AddRef() override { return 0; }
    uint16_t QueryInterface(const std::type_info& id, void** out) override;
    uint32_t Release() override { return 0; }
    uint16_t Compress(uint32_t unused, uint32_t* tableLength, uint8_t** data, uint32_t* dataLength, const uint8_t* pixels,
                      uint32_t rowBytes, uint32_t width, uint32_t height) override;
    int16_t Decompress(uint8_t** pixels, uint32_t rowBytes, uint32_t width, uint32_t height, const uint8_t* tables,
                       uint32_t tablesSize, const uint8_t* data, uint32_t dataSize) override;
    int16_t GetInfo(int32_t* width, int32_t* height, const uint8_t* data, uint32_t dataSize) override;

private:
    SwfHost& owner_;
};

class SwfHost final : public swf::i_host {
public:
    SwfHost() : jpeg_(*this) {}
    uint32_t AddRef() override { return 0; }
    uint16_t QueryInterface(const std::type_info& id, void** out) override;
    uint32_t Release() override { return 0; }
    uint16_t CreateWavePlay(swf::i_waveplay** out, swf::i_wavedata* source) override;

    swf::i_jpeg& jpeg() { return jpeg_; }

private:
    SwfHostJpeg jpeg_;
};

extern SwfHost host;
