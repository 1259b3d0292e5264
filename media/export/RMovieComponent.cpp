#include "media/export/RMovieComponent.h"

#include "engine/audio/format/ArchiveWave.h"
#include "media/export/ExportFiles.h"
#include "media/quicktime/QtMovies.h"
#include "platform/media/movie/MovieEditingAbi.h"
#include "sound/import/AiffFile.h"
#include "sound/import/ArchiveWaveData.h"
#include "sound/import/ImportedSound.h"

namespace Ostrel {

namespace {

constexpr MrTime kComponentTimeScale = 600;
constexpr u32 kSoundTwos = 0x74776F73;  // 'twos': big-endian 16-bit samples

MrTime unitsOf(i32 ms) { return MrTime(i64(ms) * kComponentTimeScale / 1000); }

void putBe16(std::vector<u8>& out, u16 value) {
    out.push_back(u8(value >> 8));
    out.push_back(u8(value));
}

void putBe32(std::vector<u8>& out, u32 value) {
    putBe16(out, u16(value >> 16));
    putBe16(out, u16(value));
}

}  // namespace

RMovieComponent::RMovieComponent(u32 kind, ComponentPlace place, i32 startMs, i32 durationMs, i16 layer)
    : kind_(kind), place_(place), start_(startMs), duration_(durationMs), layer_(layer) {}

RMovieComponent::~RMovieComponent() {
    if (movie_) qtDisposeMovie(movie_);
}

i32 RMovieComponent::MediaDuration() const {
    if (!movie_) return 0;
    const i64 scale = qtGetMovieTimeScale(movie_);
    return scale > 0 ? i32(i64(qtGetMovieDuration(movie_)) * 1000 / scale) : 0;
}

i32 RMovieComponent::WriteSound(std::span<const u8> archiveWave) {
    std::vector<u8> aiff;
    ImportedSound sound;
    if (ExportArchiveWaveToAiff(archiveWave, &aiff) != 0 || readAiff(aiff, &sound) != 0 || sound.frames == 0 ||
        sound.channels == 0 || sound.rate == 0)
        return kExportFailed;
    movie_ = qtNewMovie(kComponentTimeScale);
    MrTrack* track = movie_ ? qtNewMovieTrack(movie_, 0, 0, 0x100) : nullptr;
    MrMedia* media = track ? qtNewTrackMedia(track, plat::media::kMrMediaSound, MrTime(sound.rate)) : nullptr;
    if (!media) return kExportNoMemory;
    std::vector<u8> samples;
    samples.reserve(sound.samples.size() * 2);
    for (i16 sample : sound.samples) putBe16(samples, u16(sample));
    std::vector<u8> description;
    putBe32(description, kSoundTwos);
    putBe16(description, sound.channels);
    putBe16(description, 16);
    putBe32(description, sound.rate);
    putBe32(description, 0);
    MrErr err = qtBeginMediaEdits(media);
    if (!err)
        err = qtAddMediaSample(media, samples.data(), u32(samples.size()), 1, description.data(), u32(description.size()),
                               i32(sound.frames), nullptr);
    if (!err) err = qtEndMediaEdits(media);
    if (!err) err = qtInsertMediaIntoTrack(track, 0, 0, MrTime(sound.frames), 0x10000);
    return err ? kExportFailed : kExportOk;
}

i32 RMovieComponent::NewVideoMovie() {
    movie_ = qtNewMovie(kComponentTimeScale);
    return movie_ ? kExportOk : kExportNoMemory;
}

i32 RMovieComponent::WritePicture(const std::vector<u8>& jpeg) {
    return WriteFrames({jpeg}, duration_);
}

i32 RMovieComponent::WriteFrames(const std::vector<std::vector<u8>>& frames, i32 totalMs) {
    if (frames.empty() || totalMs <= 0) return kExportFailed;
    if (const i32 err = NewVideoMovie()) return err;
    MrTrack* track = qtNewMovieTrack(movie_, place_.width * 0x10000, place_.height * 0x10000, 0);
    MrMedia* media = track ? qtNewTrackMedia(track, plat::media::kMrMediaVideo, kComponentTimeScale) : nullptr;
    if (!media) return kExportNoMemory;
    MrErr err = qtBeginMediaEdits(media);
    MrTime units = 0;
    // Each frame ends where its share of the whole ends, so the frames add up to it exactly.
    for (size_t i = 0; i < frames.size() && !err; ++i) {
        const MrTime end = unitsOf(i32(i64(totalMs) * i64(i + 1) / i64(frames.size())));
        if (frames[i].empty()) return kExportFailed;
        err = qtAddMediaSample(media, frames[i].data(), u32(frames[i].size()), end - units, nullptr, 0, 1, nullptr);
        units = end;
    }
    if (!err) err = qtEndMediaEdits(media);
    if (!err) err = qtInsertMediaIntoTrack(track, 0, 0, units, 0x10000);
    return err ? kExportFailed : kExportOk;
}

i32 RMovieComponent::LeaveOutTransparent() {
    MrTrack* track = movie_ ? qtGetMovieIndTrack(movie_, 1) : nullptr;
    return track && qtSetTrackGraphicsMode(track, plat::media::kMrModeAlpha, nullptr) == 0 ? kExportOk : kExportFailed;
}

i32 RMovieComponent::WriteMovie(std::span<const u8> movieFile) {
    if (movieFile.empty() || movieFile.size() > 0xFFFFFFFFu) return kExportMissingMovie;
    if (qtOpenMovieFromMemory(movieFile.data(), u32(movieFile.size()), &movie_) != 0 || !movie_ ||
        qtGetMovieDuration(movie_) <= 0)
        return kExportMissingMovie;
    return kExportOk;
}

i32 RMovieComponent::AddToMovie(MovieExport& writer) const {
    if (!movie_ || duration_ <= 0) return kExportFailed;
    const i16 err = writer.exportInsertMovie("", movie_, place_.left, place_.top, place_.width, place_.height, layer_,
                                             0, duration_, start_);
    return err == 0 ? kExportOk : kExportFailed;
}

i32 RMovieComponent::AddSnapshot(MovieExport& writer, const std::vector<u8>& jpeg, u16 width, u16 height) const {
    if (!writer.movie()) return kExportFailed;
    RMovieComponent snapshot(kComponentPicture, ComponentPlace{0, 0, i16(width), i16(height)}, start_, duration_,
                             kPictureLayer);
    if (const i32 err = snapshot.WritePicture(jpeg)) return err;
    const i32 before = qtGetMovieTrackCount(writer.movie());
    if (const i32 err = snapshot.AddToMovie(writer)) return err;
    for (i32 index = before + 1; index <= qtGetMovieTrackCount(writer.movie()); ++index)
        qtSetTrackUsage(qtGetMovieIndTrack(writer.movie(), index), plat::media::kMrUsagePoster);
    qtSetMoviePosterTime(writer.movie(), MrTime(exportUnitsOfMs(start_, writer.timeScale())));
    return kExportOk;
}

bool ArchiveWaveDurationMs(std::span<const u8> archiveWave, i32* ms) {
    ArchiveWaveInfo info;
    if (archiveWave.empty() || readArchiveWave(archiveWave, &info) != kErrNone || info.sampleRate == 0) return false;
    *ms = i32(waveDurationMs(info.frames, info.sampleRate));
    return true;
}

bool MovieWholeSecondsMs(std::span<const u8> movieFile, i32* ms) {
    MrMovie* movie = nullptr;
    if (movieFile.empty() || movieFile.size() > 0xFFFFFFFFu ||
        qtOpenMovieFromMemory(movieFile.data(), u32(movieFile.size()), &movie) != 0 || !movie)
        return false;
    const i64 scale = qtGetMovieTimeScale(movie);
    const i64 duration = qtGetMovieDuration(movie);
    qtDisposeMovie(movie);
    if (scale <= 0 || duration <= 0) return false;
    *ms = i32(duration / scale * 1000);
    return true;
}

}  // namespace Ostrel
