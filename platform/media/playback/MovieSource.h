#pragma once
// What a movie shows and sounds, whatever made it: a movie file read through libavformat
// (openMovieSource) or an edited movie composed by the editing model. Times are in the
// source's own time scale (units per second). UI thread, apart from what a subclass allows.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/media/MediaRuntimeAbi.h"

namespace plat::media {

class MovieSource {
public:
    virtual ~MovieSource() = default;

    virtual int32_t timeScale() const = 0;
    virtual int64_t duration() const = 0;
    // The pictures' own size at the origin (empty without pictures).
    virtual MrRect naturalBounds() const = 0;
    virtual bool hasVideo() const = 0;
    virtual bool hasSound() const = 0;

    // Draws the picture shown at `time` scaled into `box` of the map, clipped to the map.
    virtual MrErr drawFrame(int64_t time, MrPixMap& map, const MrRect& box) = 0;
    // Where the next picture after `time` starts, or -1 when none follows.
    virtual int64_t nextFrameTime(int64_t time) = 0;
    // Sound from `startTime` as 16-bit samples of `channels` (1 or 2) interleaved at `rate`: the
    // number of frames made, fewer at the end of the sound.
    virtual uint32_t readSound(int64_t startTime, int32_t rate, int32_t channels, int16_t* out, uint32_t frames) = 0;
};

// Movie files through libavformat: a whole file or a byte range of it (length 0: to the end),
// or a copy of bytes in memory. kMrBadFormat for damaged or foreign data.
MrErr openMovieSource(const std::string& path, uint64_t offset, uint64_t length, std::shared_ptr<MovieSource>* out);
MrErr openMovieSourceFromMemory(const uint8_t* data, size_t size, std::shared_ptr<MovieSource>* out);

}  // namespace plat::media
