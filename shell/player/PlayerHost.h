#pragma once
// The player program's host of the SWF engine: pictures decoded by libjpeg-turbo linked into the
// program, so that a player file plays wherever it is copied; the movie's sounds heard through
// the platform's audio device; no coding of new pictures (the player makes none).
#include "media/export/FlashSounds.h"
#include "media/swf/Interfaces.h"

class PlayerHost final : public swf::i_host, public swf::i_jpeg {
public:
    u32 AddRef() override { return 1; }
    u32 Release() override { return 1; }
    swf::Result QueryInterface(const std::type_info& id, void** out) override;
    swf::Result CreateWavePlay(swf::i_waveplay*& player, swf::i_wavedata* source) override;
    swf::Result Compress(u32 unused, u32& tableLength, u8*& data, u32& dataLength, const u8* rgbPixels, u32 rowBytes,
                         u32 width, u32 height) override;
    swf::Result Decompress(u8*& pixels, u32 rowBytes, u32 width, u32 height, const u8* tables, u32 tablesLength,
                           const u8* data, u32 length) override;
    swf::Result GetInfo(i32& width, i32& height, const u8* data, u32 length) override;

    // Sounds heard to their end are given back; once a frame.
    void Poll() { sounds_.Poll(); }

private:
    FlashSounds sounds_;
};
