#include "platform/media/movie/MovieCompositor.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/media/GraphicsImporter.h"
#include "platform/media/JpegCoding.h"
#include "platform/media/movie/MovieEffects.h"

namespace plat::media {

namespace {

// Source tracks of effects are limited in depth so that an effect fed by itself ends.
constexpr int kMaxEffectDepth = 4;

std::vector<int32_t> effectSources(const MrTrack& track) {
    const AtomContainer* map = &track.media->inputMap;
    std::vector<int32_t> sources;
    for (int16_t i = 1;; ++i) {
        const MrAtom source = map->findChildByIndex(kMrAtomRoot, kEffectSourceAtom, i, nullptr);
        if (!source) break;
        uint32_t index = 0;
        if (!map->findChildByIndex(source, kEffectSourceInputAtom, 1, &index)) continue;
        sources.push_back(int32_t(index));
    }
    return sources;
}

bool drawable(const MrTrack& track, uint32_t usage = kMrUsageMovie) {
    return track.enabled && (track.usage & usage) && track.media && isVisual(track.media->type) && track.width > 0 &&
           track.height > 0;
}

// Lays `picture` over `out` in `place` (map coordinates, clipped) by a graphics mode.
void layOver(const Frame& picture, int32_t mode, const MrRgbColor& op, const MrRect& place, MrPixMap& out) {
    const int32_t pw = widthOf(place), ph = heightOf(place);
    if (pw <= 0 || ph <= 0 || picture.width <= 0 || picture.height <= 0) return;
    const int32_t ow = widthOf(out.bounds), oh = heightOf(out.bounds);
    const int32_t x0 = std::max<int32_t>(place.left, 0), x1 = std::min<int32_t>(place.right, ow);
    const int32_t y0 = std::max<int32_t>(place.top, 0), y1 = std::min<int32_t>(place.bottom, oh);
    const uint8_t key[3] = {uint8_t(op.blue >> 8), uint8_t(op.green >> 8), uint8_t(op.red >> 8)};
    const uint32_t weight[3] = {op.blue, op.green, op.red};
    std::vector<int32_t> columns(size_t(std::max(0, x1 - x0)));
    for (int32_t x = x0; x < x1; ++x) columns[size_t(x - x0)] = int32_t(int64_t(x - place.left) * picture.width / pw);
    for (int32_t y = y0; y < y1; ++y) {
        const int32_t sy = int32_t(int64_t(y - place.top) * picture.height / ph);
        const uint8_t* src = picture.pixels.data() + size_t(sy) * size_t(picture.width) * 4;
        uint8_t* dst = out.base + size_t(y) * size_t(out.rowBytes);
        for (int32_t x = x0; x < x1; ++x) {
            const uint8_t* s = src + 4 * columns[size_t(x - x0)];
            uint8_t* d = dst + 4 * x;
            switch (mode) {
            case kMrModeTransparent:
                if (s[0] != key[0] || s[1] != key[1] || s[2] != key[2]) std::memcpy(d, s, 4);
                break;
            case kMrModeBlend:
                for (int c = 0; c < 3; ++c) d[c] = uint8_t((s[c] * weight[c] + d[c] * (65535 - weight[c])) / 65535);
                d[3] = 255;
                break;
            case kMrModeAlpha:
                for (int c = 0; c < 3; ++c) d[c] = uint8_t((s[c] * s[3] + d[c] * (255 - s[3])) / 255);
                d[3] = 255;
                break;
            default:
                std::memcpy(d, s, 4);
            }
        }
    }
}

}  // namespace

MrErr Frame::reset(int32_t w, int32_t h) {
    if (w <= 0 || h <= 0 || int64_t(w) * h > int64_t(kMaxJpegPixels)) return kMrParamErr;
    try {
        pixels.assign(size_t(w) * size_t(h) * 4, 0);
    } catch (const std::bad_alloc&) {
        return kMrMemFullErr;
    }
    width = w, height = h;
    map = MrPixMap{pixels.data(), w * 4, kMrFormatBgra32, 32, MrRect{0, 0, int16_t(h), int16_t(w)}, nullptr, 0, 0};
    return kMrNoErr;
}

const Frame* MovieCompositor::decodedSample(const MediaSample& sample) {
    auto found = pictures_.find(sample.data);
    if (found != pictures_.end()) return found->second.width ? &found->second : nullptr;
    Frame& frame = pictures_[sample.data];
    // A JPEG picture, or a PNG one whose transparent pixels let the tracks behind show in the
    // alpha mode.
    PictureImage picture;
    if (decodePictureFile(sample.data->data(), sample.data->size(), picture) != kMrNoErr ||
        frame.reset(picture.width, picture.height) != kMrNoErr)
        return nullptr;
    for (size_t i = 0; i < frame.pixels.size(); i += 4) {
        frame.pixels[i] = picture.rgba[i + 2];
        frame.pixels[i + 1] = picture.rgba[i + 1];
        frame.pixels[i + 2] = picture.rgba[i];
        frame.pixels[i + 3] = picture.opaque ? 255 : picture.rgba[i + 3];
    }
    return &frame;
}

const AtomContainer* MovieCompositor::effectOf(const MediaSample& sample) {
    auto found = effects_.find(sample.data);
    if (found == effects_.end()) {
        AtomContainer description;
        if (AtomContainer::fromBytes(sample.data->data(), sample.data->size(), &description) != kMrNoErr)
            description = AtomContainer();
        found = effects_.emplace(sample.data, std::move(description)).first;
    }
    return &found->second;
}

bool MovieCompositor::drawTrackPicture(const MrTrack& track, int64_t time, Frame& out, int depth) {
    int64_t editStart = 0;
    const TrackEdit* edit = editAt(track, time, &editStart);
    if (!edit || !edit->media) return false;
    const int64_t mediaTime = mediaTimeOf(track, *edit, editStart, time);
    const MrMedia& media = *edit->media;
    if (media.reader) {
        if (media.type != kMrMediaVideo) return false;
        return media.reader->drawFrame(mediaTime, out.map, out.map.bounds) == kMrNoErr;
    }
    const MediaSample* sample = media.sampleAt(mediaTime);
    if (!sample || !sample->data) return false;
    if (media.type == kMrMediaVideo) {
        const Frame* picture = decodedSample(*sample);
        if (!picture) return false;
        layOver(*picture, kMrModeCopy, MrRgbColor{}, out.map.bounds, out.map);
        return true;
    }
    if (media.type != kMrMediaEffect || depth >= kMaxEffectDepth) return false;
    const AtomContainer* description = effectOf(*sample);
    const uint32_t effect = description->childValue32(kMrAtomRoot, kEffectTypeAtom, 0);
    if (!isKnownEffect(effect)) return false;
    const uint32_t direction = description->childValue32(kMrAtomRoot, kEffectDirectionAtom, 0);
    const int32_t progress = int32_t((mediaTime - sample->start) * 65536 / std::max<int64_t>(sample->duration, 1));
    Frame sources[2];
    const std::vector<int32_t> inputs = effectSources(track);
    for (size_t i = 0; i < 2; ++i) {
        if (sources[i].reset(out.width, out.height) != kMrNoErr) return false;
        if (i < inputs.size() && inputs[i] >= 1 && size_t(inputs[i]) <= movie_.tracks.size())
            drawTrackPicture(*movie_.tracks[size_t(inputs[i] - 1)], time, sources[i], depth + 1);
    }
    drawEffect(effect, direction, progress, sources[0].map, sources[1].map, out.map);
    return true;
}

MrErr MovieCompositor::draw(int64_t time, MrPixMap& out, const MrRect& box, uint32_t usage) {
    if (!out.base || out.pixelFormat != kMrFormatBgra32) return kMrParamErr;
    for (int32_t y = 0; y < heightOf(out.bounds); ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(out.base + size_t(y) * size_t(out.rowBytes));
        std::fill(row, row + widthOf(out.bounds), 0xFF000000u);
    }
    std::vector<bool> feedsEffect(movie_.tracks.size() + 1, false);
    std::vector<const MrTrack*> order;
    for (const auto& track : movie_.tracks) {
        if (!drawable(*track, usage)) continue;
        order.push_back(track.get());
        if (track->media->type == kMrMediaEffect)
            for (int32_t index : effectSources(*track))
                if (index >= 1 && size_t(index) <= movie_.tracks.size()) feedsEffect[size_t(index)] = true;
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const MrTrack* a, const MrTrack* b) { return a->layer > b->layer; });
    for (const MrTrack* track : order) {
        if (feedsEffect[size_t(movie_.indexOf(track))]) continue;
        const MrErr err = scratch_.reset(track->width >> 16, track->height >> 16);
        if (err != kMrNoErr) return err;
        if (!drawTrackPicture(*track, time, scratch_, 0)) continue;
        MrRect place = trackBox(*track);
        place = MrRect{int16_t(place.top - box.top), int16_t(place.left - box.left), int16_t(place.bottom - box.top),
                       int16_t(place.right - box.left)};
        layOver(scratch_, track->graphicsMode, track->opColor, place, out);
    }
    return kMrNoErr;
}

namespace {

// The movie time at which an edit reaches `mediaTime`, rounded up.
int64_t movieTimeOf(const MrTrack& track, const TrackEdit& edit, int64_t editStart, int64_t mediaTime) {
    const __int128 num = __int128(mediaTime - edit.mediaTime) * track.movie->timeScale << 16;
    const __int128 den = __int128(edit.media->timeScale) * edit.rate;
    return editStart + int64_t((num + den - 1) / den);
}

}  // namespace

int64_t nextInterestingTime(const MrMovie& movie, int64_t time) {
    int64_t next = -1;
    auto consider = [&](int64_t candidate) {
        if (candidate > time && (next < 0 || candidate < next)) next = candidate;
    };
    for (const auto& track : movie.tracks) {
        if (!drawable(*track)) continue;
        int64_t start = 0;
        for (const TrackEdit& edit : track->edits) {
            const int64_t end = start + edit.duration;
            consider(start);
            consider(end);
            if (time >= start && time < end && edit.media && edit.mediaTime >= 0 && edit.rate > 0) {
                const int64_t mediaTime = mediaTimeOf(*track, edit, start, time);
                if (edit.media->reader) {
                    const int64_t frame = edit.media->reader->nextFrameTime(mediaTime);
                    if (frame >= 0) consider(std::min(end, movieTimeOf(*track, edit, start, frame)));
                } else if (edit.media->type == kMrMediaEffect) {
                    consider(std::min(end, time + std::max<int64_t>(1, movie.timeScale / kEffectFramesPerSecond)));
                } else if (const MediaSample* sample = edit.media->sampleAt(mediaTime)) {
                    consider(std::min(end, movieTimeOf(*track, edit, start, sample->start + sample->duration)));
                }
            }
            start = end;
        }
    }
    return next;
}

}  // namespace plat::media
