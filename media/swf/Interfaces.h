#pragma once
// The small reference-counted interfaces through which the Flash engine reaches its host and
// through which the host's sound players read the engine's sounds. An interface is named by
// its type identity, compared by type name, so that an id survives crossing module borders.
// QueryInterface stores the interface and adds a reference, or stores null and answers
// kErrNoInterface.
#include <cstring>
#include <typeinfo>

#include "media/swf/SwfTypes.h"

namespace swf {

inline bool SameInterface(const std::type_info& a, const std::type_info& b) {
    return a == b || std::strcmp(a.name(), b.name()) == 0;
}

class i_object {
public:
    virtual u32 AddRef() = 0;
    virtual Result QueryInterface(const std::type_info& id, void** out) = 0;
    virtual u32 Release() = 0;

protected:
    ~i_object() = default;
};

// A sound as sample frames (one sample of every channel); 8-bit samples are unsigned, 16-bit
// samples signed and in the machine's order.
class i_wavedata : public i_object {
public:
    // The source is finished with and disposes of itself.
    virtual void Destroy() = 0;
    virtual Result GetFormat(u16& channels, u16& bitsPerSample, u32& sampleRate, u32& sampleCount) = 0;
    virtual Result ReadSamples(u32 position, u32 count, void* samples) = 0;

protected:
    ~i_wavedata() = default;
};

// Raw stored bytes; a range past the end copies only the bytes that exist.
class i_wavebyte : public i_object {
public:
    virtual Result ReadBytes(u32 offset, u32 length, u8* bytes, u32& copied) = 0;

protected:
    ~i_wavebyte() = default;
};

class i_waveplay : public i_object {
public:
    // Plays from the start offset; plays counts how many times the whole sound is heard.
    virtual Result Play(u32 startMs, u16 plays) = 0;
    virtual Result Stop() = 0;

protected:
    ~i_waveplay() = default;
};

// JPEG coding. Compress answers one block (engine pointer memory, the caller frees it with
// memFreePtr): the table stream (SOI, tables, EOI) followed by the image stream; tableLength
// is where the image begins.
class i_jpeg : public i_object {
public:
    virtual Result Compress(u32 unused, u32& tableLength, u8*& data, u32& dataLength, const u8* rgbPixels,
                            u32 rowBytes, u32 width, u32 height) = 0;
    // pixels receives a block of height x rowBytes bytes of RGB that the caller frees.
    virtual Result Decompress(u8*& pixels, u32 rowBytes, u32 width, u32 height, const u8* tables,
                              u32 tablesLength, const u8* data, u32 length) = 0;
    virtual Result GetInfo(i32& width, i32& height, const u8* data, u32 length) = 0;

protected:
    ~i_jpeg() = default;
};

class i_host : public i_object {
public:
    // player receives a new player holding one reference, which reads the source.
    virtual Result CreateWavePlay(i_waveplay*& player, i_wavedata* source) = 0;

protected:
    ~i_host() = default;
};

// The one host of the whole engine (a reference is kept); null forgets it. Set before any
// sound starts or any picture is composed; belongs to the user-interface thread.
Result SetHost(i_host* host);
i_host* Host();

}  // namespace swf
