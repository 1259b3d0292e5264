#pragma once
// Synthetic movies for the editing model's tests: tracks of one solid-colour JPEG picture,
// sound tracks of a constant level, effect tracks over two sources, and frames read back.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <vector>

#include "platform/media/JpegCoding.h"
#include "platform/media/movie/MovieCompositor.h"
#include "platform/media/movie/MovieEffects.h"
#include "platform/media/movie/MovieModel.h"
#include "platform/media/movie/MovieSamples.h"
#include "platform/media/movie/TrackSegments.h"

namespace edittest {

namespace pm = plat::media;

struct Rgb {
    int r, g, b;
};

inline std::vector<uint8_t> solidJpeg(int32_t w, int32_t h, Rgb colour) {
    pm::Frame frame;
    EXPECT_EQ(frame.reset(w, h), pm::kMrNoErr);
    for (size_t i = 0; i < frame.pixels.size(); i += 4) {
        frame.pixels[i] = uint8_t(colour.b), frame.pixels[i + 1] = uint8_t(colour.g);
        frame.pixels[i + 2] = uint8_t(colour.r), frame.pixels[i + 3] = 255;
    }
    std::vector<uint8_t> jpeg;
    EXPECT_EQ(pm::jpegCompress(frame.map, frame.map.bounds, 0x3FF, jpeg), pm::kMrNoErr);
    return jpeg;
}

inline pm::MrTrack* newTrack(pm::MrMovie& movie, int32_t w, int32_t h, uint32_t type, int64_t mediaScale) {
    auto track = std::make_unique<pm::MrTrack>();
    track->movie = &movie;
    track->width = w << 16, track->height = h << 16;
    track->volume = type == pm::kMrMediaSound ? 0x100 : 0;
    track->media = std::make_shared<pm::MrMedia>();
    track->media->type = type;
    track->media->timeScale = mediaScale;
    movie.tracks.push_back(std::move(track));
    return movie.tracks.back().get();
}

inline void addSample(pm::MrMedia& media, std::vector<uint8_t> data, int64_t duration,
                      std::vector<uint8_t> description = {}) {
    pm::MediaSample sample;
    sample.start = media.duration();
    sample.duration = duration;
    sample.data = std::make_shared<const std::vector<uint8_t>>(std::move(data));
    sample.description = std::move(description);
    media.samples.push_back(std::move(sample));
}

// A still picture track placed at (x, y), `duration` movie units long from `start`.
inline pm::MrTrack* stillTrack(pm::MrMovie& movie, int32_t w, int32_t h, Rgb colour, int64_t start, int64_t duration,
                               int32_t x = 0, int32_t y = 0) {
    pm::MrTrack* track = newTrack(movie, w, h, pm::kMrMediaVideo, 600);
    addSample(*track->media, solidJpeg(w, h, colour), 600);
    EXPECT_EQ(pm::insertMediaIntoTrack(*track, start, 0, 600, 0x10000), pm::kMrNoErr);
    EXPECT_EQ(pm::scaleTrackSegment(*track, start, movie.timeScale, duration), pm::kMrNoErr);
    track->matrix.m[2][0] = x << 16;
    track->matrix.m[2][1] = y << 16;
    return track;
}

// A sound track of a constant level, mono at 22050 Hz.
inline pm::MrTrack* levelTrack(pm::MrMovie& movie, int16_t level, int64_t frames, int64_t start) {
    pm::MrTrack* track = newTrack(movie, 0, 0, pm::kMrMediaSound, 22050);
    std::vector<uint8_t> data;
    for (int64_t i = 0; i < frames; ++i) data.push_back(uint8_t(uint16_t(level) >> 8)), data.push_back(uint8_t(level));
    addSample(*track->media, std::move(data), frames, pm::soundDescription({1, 22050}));
    EXPECT_EQ(pm::insertMediaIntoTrack(*track, start, 0, frames, 0x10000), pm::kMrNoErr);
    return track;
}

inline std::vector<uint8_t> effectDescription(uint32_t effect, uint32_t direction) {
    pm::AtomContainer atoms;
    const uint8_t type[4] = {uint8_t(effect >> 24), uint8_t(effect >> 16), uint8_t(effect >> 8), uint8_t(effect)};
    const uint8_t dir[4] = {0, 0, 0, uint8_t(direction)};
    EXPECT_EQ(atoms.insertChild(pm::kMrAtomRoot, pm::kEffectTypeAtom, 1, 0, type, 4, nullptr), pm::kMrNoErr);
    EXPECT_EQ(atoms.insertChild(pm::kMrAtomRoot, pm::kEffectDirectionAtom, 1, 0, dir, 4, nullptr), pm::kMrNoErr);
    return atoms.bytes();
}

// An effect track over the tracks at indices a and b (from 1), `duration` units from `start`.
inline pm::MrTrack* effectTrack(pm::MrMovie& movie, int32_t w, int32_t h, uint32_t effect, int32_t a, int32_t b,
                                int64_t start, int64_t duration) {
    pm::MrTrack* track = newTrack(movie, w, h, pm::kMrMediaEffect, 600);
    addSample(*track->media, effectDescription(effect, 0), duration);
    EXPECT_EQ(pm::insertMediaIntoTrack(*track, start, 0, duration, 0x10000), pm::kMrNoErr);
    for (int32_t index : {a, b}) {
        pm::MrAtom source = 0;
        auto& map = track->media->inputMap;
        EXPECT_EQ(map.insertChild(pm::kMrAtomRoot, pm::kEffectSourceAtom, 0, 0, nullptr, 0, &source), pm::kMrNoErr);
        EXPECT_EQ(map.insertChild(source, pm::kEffectSourceInputAtom, uint32_t(index), 0, nullptr, 0, nullptr),
                  pm::kMrNoErr);
    }
    return track;
}

inline Rgb pixel(const pm::Frame& frame, int32_t x, int32_t y) {
    const uint8_t* p = frame.pixels.data() + (size_t(y) * size_t(frame.width) + size_t(x)) * 4;
    return Rgb{p[2], p[1], p[0]};
}

inline bool near(Rgb a, Rgb b, int tolerance = 6) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

inline ::testing::AssertionResult colourIs(Rgb got, Rgb want, int tolerance = 6) {
    if (near(got, want, tolerance)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << got.r << "," << got.g << "," << got.b << ") want (" << want.r
                                         << "," << want.g << "," << want.b << ")";
}

inline pm::Frame drawAt(const pm::MrMovie& movie, int64_t time) {
    pm::Frame frame;
    const pm::MrRect box = pm::movieBox(movie);
    EXPECT_EQ(frame.reset(pm::widthOf(box), pm::heightOf(box)), pm::kMrNoErr);
    pm::MovieCompositor compositor(movie);
    EXPECT_EQ(compositor.draw(time, frame.map, box), pm::kMrNoErr);
    return frame;
}

}  // namespace edittest
