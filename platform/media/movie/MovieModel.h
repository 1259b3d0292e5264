#pragma once
// The editing model behind the runtime's movie entries. A movie owns its tracks; a track owns
// its own media and a list of edits, each of which plays a span of some media (its own, or one
// copied in from another track, kept alive by the edit) at a rate, or nothing. Media hold
// samples (JPEG or PNG pictures, 16-bit sound, effect descriptions) or read a MovieSource (a decoded file).
// Track times are in the movie's scale, media times in the media's. One thread at a time.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/media/MediaRuntimeAbi.h"
#include "platform/media/movie/AtomContainer.h"
#include "platform/media/movie/MovieEditingAbi.h"
#include "platform/media/playback/MoviePlayer.h"
#include "platform/media/playback/MovieSource.h"

namespace plat::media {

struct MediaSample {
    int64_t start = 0;     // media units
    int64_t duration = 0;  // media units
    std::shared_ptr<const std::vector<uint8_t>> data;  // shared by the copies of one added sample
    std::vector<uint8_t> description;
};

struct TrackEdit {
    int64_t duration = 0;           // movie units
    std::shared_ptr<MrMedia> media;  // null: nothing plays
    int64_t mediaTime = -1;         // media units
    MrFixed rate = 0x10000;
};

}  // namespace plat::media

struct plat::media::MrMedia {
    uint32_t type = 0;
    int64_t timeScale = 600;
    std::vector<MediaSample> samples;
    std::shared_ptr<MovieSource> reader;  // media read from a decoded file, in its time scale
    AtomContainer inputMap;               // effect media: which tracks feed the effect
    bool editing = false;

    int64_t duration() const;
    // The sample playing at `time`, or null.
    const MediaSample* sampleAt(int64_t time) const;
};

struct plat::media::MrTrack {
    MrMovie* movie = nullptr;
    bool enabled = true;
    int16_t layer = 0;
    MrMatrix matrix = kMrIdentityMatrix;
    MrFixed width = 0, height = 0;
    int16_t volume = 0;
    uint32_t usage = kMrUsageMovie | kMrUsagePreview;
    int32_t graphicsMode = kMrModeDitherCopy;
    MrRgbColor opColor{0x8000, 0x8000, 0x8000};
    std::shared_ptr<MrMedia> media;
    std::vector<TrackEdit> edits;

    int64_t duration() const;
};

struct plat::media::MrMovie {
    int64_t timeScale = 600;
    std::vector<std::unique_ptr<MrTrack>> tracks;
    MrRect box{};
    bool boxSet = false;
    MrRect clip{};
    int64_t posterTime = 0;
    std::unique_ptr<MoviePlayer> player;  // playback state, made by the playback entries

    MrMovie();
    ~MrMovie();
    int64_t duration() const;
    int32_t indexOf(const MrTrack* track) const;  // from 1, 0 when not here
};

namespace plat::media {

// The last error of a model call (the movies error).
MrErr moviesError();
void setMoviesError(MrErr err);

MrMovie* movieNew(int64_t timeScale);
void movieDispose(MrMovie* movie);
// A movie in the source's time scale of one video track (when it has pictures) and one sound
// track (when it has sound) whose media read the source; null (kMrNotAMovie) for a source
// without either or without duration.
MrMovie* movieFromSource(std::shared_ptr<MovieSource> source);

// The edit playing at `time` of the track and its start, or null past the end.
const TrackEdit* editAt(const MrTrack& track, int64_t time, int64_t* editStart);
// The media time an edit plays at movie time `time` (which lies inside it).
int64_t mediaTimeOf(const MrTrack& track, const TrackEdit& edit, int64_t editStart, int64_t time);

// The natural box of a track (its dimensions through its matrix) and of the movie (the union
// of its enabled visual tracks, or the box set on it).
MrRect trackBox(const MrTrack& track);
MrRect movieBox(const MrMovie& movie);

bool isVisual(uint32_t mediaType);

}  // namespace plat::media
