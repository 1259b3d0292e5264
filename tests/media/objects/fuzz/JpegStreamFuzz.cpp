// libFuzzer target: any bytes given to the JPEG stream readers (the pictures a movie or a
// picture file carries) are walked marker by marker inside the data, always forward and to an
// end; a stream's length up to its end marker is a stream of that very length; a header read
// describes a frame of some size at a depth the reader names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "media/objects/JpegHeaderParser.h"
#include "media/objects/JpegMarkerScanner.h"
#include "platform/media/MediaRuntimeAbi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the input's size, so that a read past the end is caught.
    const std::vector<u8> bytes(data, data + size);
    const u32 length = u32(bytes.size());
    JpegMarkerScanner scanner(bytes.data(), length);
    u32 previous = 0;
    bool first = true;
    for (i32 code = scanner.next(); code >= 0; code = scanner.next()) {
        // The marker's 0xFF, fill bytes, then its code, all inside the data.
        const u32 at = scanner.at();
        const u32 past = scanner.position();
        if (code > 0xFF || past < at + 2 || past > length || bytes[at] != 0xFF || bytes[past - 1] != code) std::abort();
        if (!first && scanner.at() <= previous) std::abort();
        if (scanner.segmentLength() > length - scanner.position()) std::abort();
        previous = scanner.at();
        first = false;
    }

    const u32 stream = jpegStreamLength(bytes.data(), length);
    if (stream > length) std::abort();
    if (stream != 0) {
        if (bytes[stream - 2] != 0xFF || bytes[stream - 1] != kJpegEoi) std::abort();
        if (jpegStreamLength(bytes.data(), stream) != stream) std::abort();
    }

    plat::media::ImageDescriptionFields description{};
    const i16 parsed = jpegParseHeader(bytes.data(), length, &description);
    if (parsed != 0 && parsed != kJpegParseError) std::abort();
    if (parsed == 0 && (description.width == 0 || description.height == 0 ||
                        (description.depth != 32 && description.depth != 40)))
        std::abort();
    return 0;
}
