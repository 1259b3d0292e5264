// JPEG coding for the SWF engine through the media runtime.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "media/objects/JpegHeaderParser.h"
#include "media/objects/JpegMarkerScanner.h"
#include "media/objects/SwfHost.h"
#include "media/quicktime/QtRuntime.h"

namespace {

namespace pm = plat::media;

constexpr u32 kHostJpegQuality = 0x3FF;
constexpr i32 kHostCodecChoice = -3;
constexpr u32 kHostCompressFlags = 0x10;

// Offsets of the first marker with the code, from the start; 0 when there is none.
u32 firstMarker(const u8* data, u32 size, u8 code) {
    JpegMarkerScanner scanner(data, size);
    for (i32 c = scanner.next(); c >= 0 && c != kJpegEoi; c = scanner.next())
        if (c == code) return scanner.at();
    return 0;
}

}  // namespace

uint16_t SwfHostJpeg::Compress(uint32_t, uint32_t* tableLength, uint8_t** data, uint32_t* dataLength,
                               const uint8_t* pixels, uint32_t rowBytes, uint32_t width, uint32_t height) {
    if (data) *data = nullptr;
    if (!tableLength || !data || !dataLength || !pixels || width == 0 || height == 0 || width > 0x7FFF ||
        height > 0x7FFF || u64(rowBytes) < u64(width) * 3)
        return swf::kHostJpegFailed;
    const pm::MrRect bounds{0, 0, i16(height), i16(width)};
    MrWorld* world = nullptr;
    if (qtNewWorldOverMemory(&world, pm::kMrFormatRgb24, &bounds, const_cast<u8*>(pixels), i32(rowBytes)) != 0)
        return swf::kHostJpegFailed;
    MrPixMap* map = qtWorldPixMap(world);
    i32 maxSize = 0;
    MrHandle* description = nullptr;
    u8* stream = nullptr;
    u32 streamSize = 0;
    bool ok = map && qtMaxCompressionSize(map, &bounds, map->depth, kHostJpegQuality, pm::kMrCodecJpeg,
                                          kHostCodecChoice, &maxSize) == 0 && maxSize > 0;
    // No room for the data is a failure, reported as such.
    if (ok) ok = (stream = static_cast<u8*>(std::malloc(size_t(maxSize)))) != nullptr;
    if (ok) ok = (description = qtNewHandle(pm::kMrImageDescriptionSize)) != nullptr;
    if (ok) {
        const u32 saved = qtPixelsState(map);
        ok = qtLockPixels(map) != 0 &&
             qtCompressImage(map, &bounds, map->depth, kHostJpegQuality, pm::kMrCodecJpeg, kHostCodecChoice,
                             kHostCompressFlags, description, stream, u32(maxSize)) == 0;
        qtSetPixelsState(map, saved);
    }
    if (ok) {
        streamSize = readBE32(qtHandleData(description) + 44);
        ok = streamSize > 0 && streamSize <= u32(maxSize);
    }
    qtDisposeHandle(description);
    qtDisposeWorld(world);
    const u32 tablesAt = ok ? firstMarker(stream, streamSize, kJpegDqt) : 0;
    const u32 frameAt = ok ? firstMarker(stream, streamSize, kJpegSof0) : 0;
    if (!ok || tablesAt == 0 || frameAt <= tablesAt) {
        std::free(stream);
        return swf::kHostJpegFailed;
    }
    // The table block (SOI, the tables, EOI), then the stream without the tables.
    const u32 tableBytes = frameAt - tablesAt;
    const u32 blockLength = tableBytes + 4;
    const u32 total = blockLength + streamSize - tableBytes;
    u8* out = static_cast<u8*>(std::malloc(total));
    if (!out) {
        std::free(stream);
        return swf::kHostJpegFailed;
    }
    out[0] = 0xFF, out[1] = kJpegSoi;
    std::memcpy(out + 2, stream + tablesAt, tableBytes);
    out[2 + tableBytes] = 0xFF, out[3 + tableBytes] = kJpegEoi;
    std::memcpy(out + blockLength, stream, tablesAt);
    std::memcpy(out + blockLength + tablesAt, stream + frameAt, streamSize - frameAt);
    std::free(stream);
    *data = out;
    *tableLength = blockLength;
    *dataLength = total;
    return swf::kHostOk;
}

int16_t SwfHostJpeg::GetInfo(int32_t* width, int32_t* height, const uint8_t* data, uint32_t dataSize) {
    pm::ImageDescriptionFields description;
    const i16 result = jpegParseHeader(data, dataSize, &description);
    if (result != 0) return result;
    if (width) *width = description.width;
    if (height) *height = description.height;
    return 0;
}

int16_t SwfHostJpeg::Decompress(uint8_t** pixels, uint32_t rowBytes, uint32_t width, uint32_t height,
                                const uint8_t* tables, uint32_t tablesSize, const uint8_t* data, uint32_t dataSize) {
    if (!pixels || !data) return kJpegParseError;
    *pixels = nullptr;
    std::vector<u8> merged;
    if (tables) {
        const u32 tablesLength = jpegStreamLength(tables, tablesSize);
        const u32 imageLength = jpegStreamLength(data, dataSize);
        const u32 frameAt = firstMarker(data, imageLength, kJpegSof0);
        if (tablesLength < 4 || imageLength == 0 || frameAt == 0) return kJpegParseError;
        merged.reserve(tablesLength + imageLength - 4);
        merged.insert(merged.end(), data, data + frameAt);
        merged.insert(merged.end(), tables + 2, tables + tablesLength - 2);
        merged.insert(merged.end(), data + frameAt, data + imageLength);
        data = merged.data();
        dataSize = u32(merged.size());
    }
    pm::ImageDescriptionFields description;
    if (const i16 result = jpegParseHeader(data, dataSize, &description)) return result;
    const u32 streamLength = jpegStreamLength(data, dataSize);
    if (streamLength == 0 || width == 0 || height == 0 || width > 0x7FFF || height > 0x7FFF ||
        u64(rowBytes) < u64(width) * 3 || u64(rowBytes) * height > 0x7FFFFFFF)
        return kJpegParseError;
    u8* out = static_cast<u8*>(std::calloc(size_t(rowBytes) * height, 1));
    if (!out) return pm::kMrMemFullErr;
    // The caller wants packed 8-8-8 RGB: decoded straight into it, with no 16-bit step between.
    const pm::MrRect bounds{0, 0, i16(height), i16(width)};
    MrWorld* world = nullptr;
    i16 result = qtNewWorldOverMemory(&world, pm::kMrFormatRgb24, &bounds, out, i32(rowBytes));
    if (result == 0) result = qtDecompressImage(data, streamLength, qtWorldPixMap(world), &bounds, &bounds);
    qtReleaseIfSet(world);
    if (result != 0) {
        std::free(out);
        return result;
    }
    *pixels = out;
    return 0;
}
