#include "media/objects/JpegHeaderParser.h"

#include <cstring>

#include "engine/base/ByteOrder.h"
#include "media/objects/JpegMarkerScanner.h"
#include "platform/media/MediaRuntimeAbi.h"

namespace {

bool isFrame(i32 code) {
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

Fixed resolution(u8 unit, u16 density) {
    switch (unit) {
        case 0: return Fixed(u32(density) * 72u << 16);
        case 1: return Fixed(u32(density) << 16);
        case 2: return Fixed(i64(density) * 254 * 65536 / 100);
        default: return Fixed(density);
    }
}

}  // namespace

i16 jpegParseHeader(const u8* data, u32 size, plat::media::ImageDescriptionFields* out) {
    if (!data || !out) return kJpegParseError;
    plat::media::ImageDescriptionFields d;
    d.dataSize = size;
    JpegMarkerScanner scanner(data, size);
    for (i32 code = scanner.next(); code >= 0; code = scanner.next()) {
        if (code == kJpegEoi) break;
        const u32 start = scanner.position();
        const u32 length = scanner.segmentLength();
        if (isFrame(code)) {
            if (length < 8) return kJpegParseError;
            const u16 height = readBE16(data + start + 3), width = readBE16(data + start + 5);
            const u8 components = data[start + 7];
            if (width == 0 || height == 0) continue;
            if (components == 1) d.depth = 40;
            else if (components == 3 || components == 4) d.depth = 32;
            else return kJpegParseError;
            d.codecType = plat::media::kMrCodecJpeg;
            d.spatialQuality = 0x200;
            d.width = width;
            d.height = height;
            d.frameCount = 1;
            std::memcpy(d.name, "pPhoto - JPEG", 13);
            d.colorTableId = -1;
            *out = d;
            return 0;
        }
        if (code == kJpegApp0 && length >= 16) {
            const u8* id = data + start + 2;
            if (std::memcmp(id, "JFXX", 5) == 0) {
                const u8 extension = id[5];
                if (extension != 0x10 && extension != 0x11 && extension != 0x13) return kJpegParseError;
            } else if (std::memcmp(id, "JFIF", 5) == 0) {
                const u16 version = readBE16(id + 5);
                if (version < 0x0100) return kJpegParseError;
                d.version = version;
                const u8 unit = id[7];
                d.horizontalResolution = resolution(unit, readBE16(id + 8));
                d.verticalResolution = resolution(unit, readBE16(id + 10));
            }
        }
        if (length == 0 && code != kJpegSoi && (code < 0xD0 || code > 0xD7) && code != 0x01) return kJpegParseError;
    }
    return kJpegParseError;
}
