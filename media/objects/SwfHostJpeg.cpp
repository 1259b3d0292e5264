// JPEG coding for the SWF engine through the media runtime.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
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

swf::Result SwfHostJpeg::Compress(u32, u32& tableLength, u8*& data, u32& dataLength, const u8* pixels, u32 rowBytes,
                                  u32 width, u32 height) {
    data = nullptr;
    if (!pixels || width == 0 || height == 0 || width > 0x7FFF ||
        height > 0x7FFF || u64(rowBytes) < u64(width) * 3)
        return kSwfHostFailed;
    const pm::MrRect bounds{0, 0, i16(height), i16(width)};
    MrWorld* world = nullptr;
    if (qtNewWorldOverMemory(&world, pm::kMrFormatRgb24, &bounds, const_cast<u8*>(pixels), i32(rowBytes)) != 0)
        return kSwfHostFailed;
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
        return kSwfHostFailed;
    }
    // The table block (SOI, the tables, EOI), then the stream without the tables.
    const u32 tableBytes = frameAt - tablesAt;
    const u32 blockLength = tableBytes + 4;
    const u32 total = blockLength + streamSize - tableBytes;
    u8* out = static_cast<u8*>(memAllocPtr(total));
    if (!out) {
        std::free(stream);
        return kSwfHostFailed;
    }
    out[0] = 0xFF, out[1] = kJpegSoi;
    std::memcpy(out + 2, stream + tablesAt, tableBytes);
    out[2 + tableBytes] = 0xFF, out[3 + tableBytes] = kJpegEoi;
    std::memcpy(out + blockLength, stream, tablesAt);
    std::memcpy(out + blockLength + tablesAt, stream + frameAt, streamSize - frameAt);
    std::free(stream);
    data = out;
    tableLength = blockLength;
    dataLength = total;
    return swf::kOk;
}

swf::Result SwfHostJpeg::GetInfo(i32& width, i32& height, const u8* data, u32 dataSize) {
    pm::ImageDescriptionFields description;
    const i16 result = jpegParseHeader(data, dataSize, &description);
    if (result != 0) return swf::Result(result);
    width = description.width;
    height = description.height;
    return swf::kOk;
}

swf::Result SwfHostJpeg::Decompress(u8*& pixels, u32 rowBytes, u32 width, u32 height, const u8* tables,
                                    u32 tablesSize, const u8* data, u32 dataSize) {
    pixels = nullptr;
    if (!data) return swf::Result(kJpegParseError);
    std::vector<u8> merged;
    if (tables) {
        const u32 tablesLength = jpegStreamLength(tables, tablesSize);
        const u32 imageLength = jpegStreamLength(data, dataSize);
        const u32 frameAt = firstMarker(data, imageLength, kJpegSof0);
        if (tablesLength < 4 || imageLength == 0 || frameAt == 0) return swf::Result(kJpegParseError);
        merged.reserve(tablesLength + imageLength - 4);
        merged.insert(merged.end(), data, data + frameAt);
        merged.insert(merged.end(), tables + 2, tables + tablesLength - 2);
        merged.insert(merged.end(), data + frameAt, data + imageLength);
        data = merged.data();
        dataSize = u32(merged.size());
    }
    pm::ImageDescriptionFields description;
    if (const i16 result = jpegParseHeader(data, dataSize, &description)) return swf::Result(result);
    const u32 streamLength = jpegStreamLength(data, dataSize);
    if (streamLength == 0 || width == 0 || height == 0 || width > 0x7FFF || height > 0x7FFF ||
        u64(rowBytes) < u64(width) * 3 || u64(rowBytes) * height > 0x7FFFFFFF)
        return swf::Result(kJpegParseError);
    const u32 outSize = rowBytes * height;
    u8* out = static_cast<u8*>(memAllocPtr(outSize));
    if (!out) return swf::Result(pm::kMrMemFullErr);
    std::memset(out, 0, outSize);
    // The caller wants packed 8-8-8 RGB: decoded straight into it, with no 16-bit step between,
    // the whole picture scaled to the size asked for (a texture's is a power of two).
    const pm::MrRect bounds{0, 0, i16(height), i16(width)};
    if (description.width == 0 || description.height == 0 || description.width > 0x7FFF || description.height > 0x7FFF) {
        memFreePtr(out);
        return swf::Result(kJpegParseError);
    }
    const pm::MrRect picture{0, 0, i16(description.height), i16(description.width)};
    MrWorld* world = nullptr;
    i16 result = qtNewWorldOverMemory(&world, pm::kMrFormatRgb24, &bounds, out, i32(rowBytes));
    if (result == 0) result = qtDecompressImage(data, streamLength, qtWorldPixMap(world), &picture, &bounds);
    qtReleaseIfSet(world);
    if (result != 0) {
        memFreePtr(out);
        return swf::Result(result);
    }
    pixels = out;
    return swf::kOk;
}
