#include "media/quicktime/QtEffects.h"

#include <memory>
#include <vector>

#include "media/quicktime/ImgJpeg.h"
#include "platform/media/ImageDescription.h"
#include "platform/media/PixelRows.h"

namespace {

namespace pm = plat::media;

constexpr uint32_t kVideoMedia = 0x76696465;  // 'vide'
constexpr uint32_t kVendorOffset = 20;
constexpr uint32_t kTemporalQualityOffset = 24;
constexpr uint32_t kSpatialQualityOffset = 28;

void putBE32(uint8_t* at, uint32_t value) {
    at[0] = uint8_t(value >> 24), at[1] = uint8_t(value >> 16), at[2] = uint8_t(value >> 8), at[3] = uint8_t(value);
}

uint32_t getBE32(const uint8_t* at) {
    return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | uint32_t(at[3]);
}

struct HandleDeleter {
    void operator()(MrHandle* h) const { qtDisposeHandle(h); }
};
using Handle = std::unique_ptr<MrHandle, HandleDeleter>;

struct WorldDeleter {
    void operator()(MrWorld* w) const { qtDisposeWorld(w); }
};
using World = std::unique_ptr<MrWorld, WorldDeleter>;

// A failure the runtime reported as a null result: its movies error, or out of memory.
MrErr failure() {
    const MrErr err = qtGetMoviesError();
    return err != 0 ? err : pm::kMrMemFullErr;
}

// The picture laid over the whole of `map`, scaled to it by nearest pixels.
void drawScaled(const MrPixMap& picture, MrPixMap& map) {
    const int32_t sw = pm::widthOf(picture.bounds), sh = pm::heightOf(picture.bounds);
    const int32_t dw = pm::widthOf(map.bounds), dh = pm::heightOf(map.bounds);
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    std::vector<uint8_t> source(size_t(sw) * 4), row(size_t(dw) * 4);
    for (int32_t y = 0; y < dh; ++y) {
        pm::readRowRgba(picture, int32_t(int64_t(y) * sh / dh), 0, sw, source.data());
        for (int32_t x = 0; x < dw; ++x) {
            const size_t from = size_t(int64_t(x) * sw / dw) * 4;
            std::copy_n(&source[from], 4, &row[size_t(x) * 4]);
        }
        pm::writeRowRgba(map, y, 0, dw, row.data());
    }
}

// The still as one JPEG sample of `media`.
MrErr addStillSample(MrMedia* media, MrWorld* picture, const MrRect& box, MrTime duration) {
    const MrRect bounds{0, 0, int16_t(pm::heightOf(box)), int16_t(pm::widthOf(box))};
    MrWorld* made = nullptr;
    MrErr err = qtNewWorld(&made, 32, &bounds);
    World world(made);
    if (err != 0) return err;
    MrPixMap* map = qtWorldPixMap(world.get());
    const MrPixMap* source = qtWorldPixMap(picture);
    if (!map || !source) return pm::kMrParamErr;
    drawScaled(*source, *map);
    int32_t capacity = 0;
    err = qtMaxCompressionSize(map, &bounds, 32, kQtStillQuality, pm::kMrCodecJpeg, int32_t(kImgCodecChoice), &capacity);
    if (err != 0) return err;
    Handle data(qtNewHandle(uint32_t(capacity)));
    Handle description(qtNewHandle(pm::kMrImageDescriptionSize));
    if (!data || !description) return pm::kMrMemFullErr;
    err = qtCompressImage(map, &bounds, 32, kQtStillQuality, pm::kMrCodecJpeg, int32_t(kImgCodecChoice), 0,
                          description.get(), qtHandleData(data.get()), uint32_t(capacity));
    if (err != 0) return err;
    const uint32_t size = getBE32(qtHandleData(description.get()) + pm::kImageDescriptionDataSizeOffset);
    MrTime sampleTime = 0;
    return qtAddMediaSample(media, qtHandleData(data.get()), size, duration, qtHandleData(description.get()),
                            qtHandleSize(description.get()), 1, &sampleTime);
}

}  // namespace

MrErr qtEffectGetType(MrAtomContainer* container, uint32_t* type) {
    if (!container || !type) return pm::kMrParamErr;
    const MrAtom atom = qtFindChildByIndex(container, pm::kMrAtomRoot, kQtAtomEffectType, 1, nullptr);
    if (atom == 0) return 0;
    uint32_t size = 0;
    const uint8_t* data = nullptr;
    const MrErr err = qtGetAtomData(container, atom, &size, &data);
    if (err != 0) return err;
    if (size != 4 || !data) return pm::kMrParamErr;
    *type = getBE32(data);
    return 0;
}

MrAtom qtEffectAddSource(MrAtomContainer* container, uint32_t sourceId) {
    MrAtom source = 0;
    if (qtInsertChild(container, pm::kMrAtomRoot, kQtAtomSource, 0, 0, 0, nullptr, &source) != 0) return 0;
    uint8_t video[4], standard[4];
    putBE32(video, kVideoMedia);
    putBE32(standard, 0);
    MrAtom child = 0;
    if (qtInsertChild(container, source, kQtAtomSourceInput, sourceId, 0, 0, nullptr, &child) != 0 ||
        qtInsertChild(container, source, kQtAtomSourceType, 1, 1, 4, video, &child) != 0 ||
        qtInsertChild(container, source, kQtAtomSourceTimeStandard, 1, 1, 4, standard, &child) != 0)
        return 0;
    return source;
}

MrErr qtEffectImageDescription(uint32_t effectType, MrHandle* description) {
    if (!description) return pm::kMrParamErr;
    const MrErr err = qtMakeEffectImageDescription(effectType, description);
    if (err != 0) return err;
    uint8_t* fields = qtHandleData(description);
    putBE32(fields + kVendorOffset, kQtVendorApple);
    putBE32(fields + kTemporalQualityOffset, 0);
    putBE32(fields + kSpatialQualityOffset, 0);
    return 0;
}

MrErr qtAddStillTrack(MrMovie* movie, MrWorld* picture, MrTime trackStart, MrTime duration, MrFixed width,
                      MrFixed height, MrTrack** outTrack) {
    if (outTrack) *outTrack = nullptr;
    if (!movie || !picture || !outTrack || duration <= 0) return pm::kMrParamErr;
    MrTrack* track = qtNewMovieTrack(movie, width, height, 0);
    if (!track) return failure();
    MrErr err = 0;
    MrMedia* media = qtNewTrackMedia(track, kVideoMedia, kQtStillTimeScale);
    if (!media) err = failure();
    MrRect box{};
    if (err == 0) {
        qtGetMovieBox(movie, &box);
        if (pm::widthOf(box) <= 0 || pm::heightOf(box) <= 0) box = MrRect{0, 0, int16_t(height >> 16), int16_t(width >> 16)};
        err = qtBeginMediaEdits(media);
    }
    if (err == 0) {
        err = addStillSample(media, picture, box, duration);
        const MrErr ended = qtEndMediaEdits(media);
        if (err == 0) err = ended;
    }
    if (err == 0) err = qtInsertMediaIntoTrack(track, trackStart, 0, qtGetMediaDuration(media), 0x10000);
    if (err != 0) {
        qtDisposeMovieTrack(track);
        return err;
    }
    *outTrack = track;
    return 0;
}
