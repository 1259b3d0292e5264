#include "platform/media/GraphicsImporter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <vector>

#include "platform/files/regular/RegularFile.h"
#include "platform/media/BmpCoding.h"
#include "platform/media/GifCoding.h"
#include "platform/media/JpegCoding.h"
#include "platform/media/MediaWorld.h"
#include "platform/media/PictCoding.h"
#include "platform/media/PixelRows.h"
#include "platform/media/PngCoding.h"

namespace plat::media {

namespace {

// Never waits on a pipe named like a picture: only a regular file is read.
MrErr readWholeFile(const char* path, std::vector<uint8_t>& out) {
    switch (readRegularFile(path, kMaxPictureFileBytes, &out)) {
        case 0: return kMrNoErr;
        case EFBIG: return kMrCantFindHandler;
        case ENOMEM: return kMrMemFullErr;
        case EIO: return kMrIoErr;
        default: return kMrFileNotFound;
    }
}

}  // namespace

MrErr decodePictureFile(const uint8_t* data, size_t size, PictureImage& out) {
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) {
        if (size > UINT32_MAX) return kMrBadFormat;
        int32_t w = 0, h = 0;
        const MrErr err = jpegDecodeRgba(data, uint32_t(size), &w, &h, out.rgba);
        if (err == kMrNoErr) out.width = w, out.height = h, out.opaque = true;
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
    return openImporterFromMemory(bytes.data(), bytes.size(), out);
}

MrErr openImporterFromMemory(const uint8_t* data, size_t size, MrImporter** out) {
    if (!data || !out) return kMrParamErr;
    *out = nullptr;
    if (uint64_t(size) > kMaxPictureFileBytes) return kMrCantFindHandler;
    auto importer = std::unique_ptr<MrImporter>(new (std::nothrow) MrImporter);
    if (!importer) return kMrMemFullErr;
    if (decodePictureFile(data, size, importer->picture) != kMrNoErr) return kMrCantFindHandler;
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

namespace {

bool allOpaque(const uint8_t* rgba, int32_t count) {
    uint32_t all = 0xFFFFFFFFu;
    for (int32_t i = 0; i < count; ++i) {
        uint32_t pixel;
        std::memcpy(&pixel, rgba + 4 * i, 4);
        all &= pixel;
    }
    uint8_t bytes[4];
    std::memcpy(bytes, &all, 4);
    return bytes[3] == 255;
}

// Writes a row of opaque pixels: they cover what lay there, so the row is not read first.
void writeOpaqueRow(MrPixMap& map, int32_t y, int32_t x0, int32_t count, const uint8_t* rgba) {
    if (map.pixelFormat == kMrFormatL555) {
        uint8_t* out = map.base + int64_t(y) * map.rowBytes + 2 * int64_t(x0);
        if (reinterpret_cast<uintptr_t>(out) % alignof(uint16_t) == 0 &&
            reinterpret_cast<uintptr_t>(rgba) % alignof(uint32_t) == 0) {
            packRgbxTo555(reinterpret_cast<const uint32_t*>(rgba), count, reinterpret_cast<uint16_t*>(out));
            return;
        }
    }
    writeRowRgba(map, y, x0, count, rgba);
}

// What shows of the picture's pixel `s` over `d`, by its alpha.
void blend(const uint8_t* s, uint8_t* d) {
    const uint32_t a = s[3];
    if (a == 255) {
        d[0] = s[0], d[1] = s[1], d[2] = s[2];
    } else if (a != 0) {
        for (int c = 0; c < 3; ++c) d[c] = uint8_t((s[c] * a + d[c] * (255 - a) + 127) / 255);
    }
    d[3] = 255;
}

}  // namespace

void drawPicture(const PictureImage& picture, MrWorld& world, const MrRect& rect) {
    MrPixMap& map = world.map;
    const int32_t w = widthOf(rect), h = heightOf(rect);
    if (w <= 0 || h <= 0 || picture.width <= 0 || picture.height <= 0) return;
    const int32_t left = std::max<int32_t>(rect.left, map.bounds.left), right = std::min<int32_t>(rect.right, map.bounds.right);
    const int32_t top = std::max<int32_t>(rect.top, map.bounds.top), bottom = std::min<int32_t>(rect.bottom, map.bounds.bottom);
    if (left >= right || top >= bottom) return;
    const bool natural = w == picture.width && h == picture.height;
    // The picture's column under each column drawn: one division a column, not a pixel.
    std::vector<int32_t> columns;
    std::vector<uint8_t> row;
    for (int32_t y = top; y < bottom; ++y) {
        const int32_t sy = natural ? y - rect.top : int32_t(int64_t(y - rect.top) * picture.height / h);
        const int32_t mapY = y - map.bounds.top, mapX = left - map.bounds.left;
        if (natural && (picture.opaque || allOpaque(picture.pixel(left - rect.left, sy), right - left))) {
            writeOpaqueRow(map, mapY, mapX, right - left, picture.pixel(left - rect.left, sy));
            continue;
        }
        if (columns.empty()) {
            columns.resize(size_t(right - left));
            for (int32_t x = left; x < right; ++x)
                columns[size_t(x - left)] = int32_t(int64_t(x - rect.left) * picture.width / w);
            row.resize(size_t(right - left) * 4);
        }
        readRowRgba(map, mapY, mapX, right - left, row.data());
        for (int32_t x = left; x < right; ++x) blend(picture.pixel(columns[size_t(x - left)], sy), &row[size_t(x - left) * 4]);
        writeRowRgba(map, mapY, mapX, right - left, row.data());
    }
}

}  // namespace plat::media
