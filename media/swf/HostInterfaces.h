#pragma once
// The interfaces through which the SWF engine reaches its host: JPEG coding (i_jpeg) and sound
// players (i_host makes an i_waveplay over an i_wavedata source). Every interface derives from
// i_object: reference counting and QueryInterface by run-time type identity, compared by type
// name. Results are 16-bit codes: 0 success, 8 interface not implemented (the out pointer then
// null). Main thread only.
#include <cstdint>
#include <typeinfo>

namespace swf {

constexpr uint16_t kHostOk = 0;
constexpr uint16_t kHostNotImplemented = 8;
constexpr uint16_t kHostJpegFailed = 0xFFFF;

class i_object {
public:
    virtual uint32_t AddRef() = 0;
    virtual uint16_t QueryInterface(const std::type_info& id, void** out) = 0;
    virtual uint32_t Release() = 0;

protected:
    ~i_object() = default;
};

class i_wavedata : public i_object {
public:
    // The source is finished with and disposes of itself.
    virtual void Destroy() = 0;
    virtual uint16_t GetFormat(uint16_t* channels, uint16_t* bitsPerSample, uint32_t* sampleRate, uint32_t* frames) = 0;
    virtual uint32_t ReadSamples(uint32_t position, uint32_t count, void* buffer) = 0;

protected:
    ~i_wavedata() = default;
};

class i_waveplay : public i_object {
public:
    virtual uint16_t Play(uint32_t startMs, uint16_t loops) = 0;
    virtual void Stop() = 0;

protected:
    ~i_waveplay() = default;
};

class i_host : public i_object {
public:
    virtual uint16_t CreateWavePlay(i_waveplay** out, i_wavedata* source) = 0;

protected:
    ~i_host() = default;
};

// JPEG coding for DefineBitsJPEG2 bodies: a table block (SOI, the quantisation tables, EOI)
// followed by the image stream without them. Every stream comes with its length; blocks handed
// out are released with std::free.
class i_jpeg : public i_object {
public:
    // Codes `height` rows of `width` RGB pixels, `rowBytes` apart, into one block: the table
    // block (its length in *tableLength) then the image stream; *dataLength is the whole.
    virtual uint16_t Compress(uint32_t unused, uint32_t* tableLength, uint8_t** data, uint32_t* dataLength,
                              const uint8_t* pixels, uint32_t rowBytes, uint32_t width, uint32_t height) = 0;
    // Decodes into a new block of height x rowBytes bytes of packed RGB; `tables` (or null)
    // are merged in front of the stream's frame first.
    virtual int16_t Decompress(uint8_t** pixels, uint32_t rowBytes, uint32_t width, uint32_t height,
                               const uint8_t* tables, uint32_t tablesSize, const uint8_t* data, uint32_t dataSize) = 0;
    virtual int16_t GetInfo(int32_t* width, int32_t* height, const uint8_t* data, uint32_t dataSize) = 0;

protected:
    ~i_jpeg() = default;
};

}  // namespace swf
