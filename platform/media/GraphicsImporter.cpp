#include "platform/media/GraphicsImporter.h"

#include <algorithm>
#include <fstream>
#include <new>
#include <vector>

#include "platform/media/BmpCoding.h"
#include "platform/media/GifCoding.h"
#include "platform/media/JpegCoding.h"
#include "platform/media/MediaWorld.h"
#include "platform/media/PictCoding.h"
#include "platform/media/PixelRows.h"
#include "platform/media/PngCoding.h"

namespace plat::media {

namespace {

MrErr readWholeFile(const char* path, std::vector<uint8_t>& out) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return kMrFileNotFound;
    const std::streamoff size = file.tellg();
    if (size < 0 || uint64_t(size) > kMaxPictureFileBytes) return kMrCantFindHandler;
    try {
        out.resize(size_t(size));
    } catch (const std::bad_alloc&) {
        return kMrMemFullErr;
    }
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(out.data()), size)) return kMrIoErr;
    return kMrNoErr;
}

}  // namespace

MrErr decodePictureFile(const uint8_t* data, size_t size, PictureImage& out) {
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) {
        if (size > UINT32_MAX) return kMrBadFormat;
        int32_t w = 0, h = 0;
        const MrErr err = jpegDecodeRgba(data, uint32_t(size), &w, &h, out.rgba);
        if (err == kMrNoErr) out.width = w, out.height = h;
        return err;
    }
    if (looksLikePng(data, size)) return decodePng(data, size, out);
    if (looksLikeGif(data, size)) return decodeGif(data, size, out);
    if (looksLikeBmp(data, size)) return decodeBmp(data, size, out);
    if (looksLikePict(data, size)) return decodePict(data, size, out);
    return kMrCantFindHandler;
}

MrErr openImporter(const char* path, MrImporter** out) {
    if (!path || !out) return kMrParamErr;
    *out = nullptr;
    std::vector<uint8_t> bytes;
    if (const MrErr err = readWholeFile(path, bytes)) return err;
    auto importer = std::unique_ptr<MrImporter>(new (std::nothrow) MrImporter);
    if (!importer) return kMrMemFullErr;
    if (decodePictureFile(bytes.data(), bytes.size(), importer->picture) != kMrNoErr) return kMrCantFindHandler;
    const PictureImage& p = importer->picture;
    if (p.width > INT16_MAX || p.height > INT16_MAX) return kMrCantFindHandler;
    importer->drawRect = {0, 0, int16_t(p.height), int16_t(p.width)};
    *out = importer.release();
    return kMrNoErr;
}

MrErr importerNaturalBounds(MrImporter* importer, MrRect* out) {
    if (!importer || !out) return kMrParamErr;
    *out = {0, 0, int16_t(importer->picture.height), int16_t(importer->picture.width)};
    return kMrNoErr;
}

MrErr importerSetWorld(MrImporter* importer, MrWorld* world) {
    if (!importer) return kMrParamErr;
    importer->world = world;
    return kMrNoErr;
}

MrErr importerSetDrawRect(MrImporter* importer, const MrRect* rect) {
    if (!importer || !rect) return kMrParamErr;
    importer->drawRect = *rect;
    return kMrNoErr;
}

MrErr importerDraw(MrImporter* importer) {
    if (!importer || !importer->world) return kMrParamErr;
    drawPicture(importer->picture, *importer->world, importer->drawRect);
    return kMrNoErr;
}

void closeImporter(MrImporter* importer) { delete importer; }

void drawPicture(const PictureImage& picture, MrWorld& world, const MrRect& rect) {
    MrPixMap& map = world.map;
    const int32_t w = widthOf(rect), h = heightOf(rect);
    if (w <= 0 || h <= 0 || picture.width <= 0 || picture.height <= 0) return;
    const int32_t left = std::max<int32_t>(rect.left, map.bounds.left), right = std::min<int32_t>(rect.right, map.bounds.right);
    const int32_t top = std::max<int32_t>(rect.top, map.bounds.top), bottom = std::min<int32_t>(rect.bottom, map.bounds.bottom);
    if (left >= right || top >= bottom) return;
    std::vector<uint8_t> row(size_t(right - left) * 4);
    for (int32_t y = top; y < bottom; ++y) {
        const int32_t sy = int32_t(int64_t(y - rect.top) * picture.height / h);
        const int32_t mapY = y - map.bounds.top, mapX = left - map.bounds.left;
        readRowRgba(map, mapY, mapX, right - left, row.data());
        for (int32_t x = left; x < right; ++x) {
            const int32_t sx = int32_t(int64_t(x - rect.left) * picture.width / w);
            const uint8_t* s = picture.pixel(sx, sy);
            uint8_t* d = &row[size_t(x - left) * 4];
            const uint32_t a = s[3];
            for (int c = 0; c < 3; ++c) d[c] = uint8_t((s[c] * a + d[c] * (255 - a) + 127) / 255);
            d[3] = 255;
        }
        writeRowRgba(map, mapY, mapX, right - left, row.data());
    }
}

}  // namespace plat::media
