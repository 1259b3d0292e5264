#pragma once
// Walks the markers of a JPEG stream of known length segment by segment: a marker segment is
// stepped over by its own length, and after a start of scan the entropy-coded data is searched
// for the next marker (stuffed zero bytes and restart markers are data). No step reaches past
// the stream's end, so bytes inside APP0 or scan data are never taken for markers.
#include "engine/base/EngineTypes.h"

constexpr u8 kJpegSoi = 0xD8, kJpegEoi = 0xD9, kJpegSos = 0xDA, kJpegDqt = 0xDB, kJpegSof0 = 0xC0, kJpegApp0 = 0xE0;

class JpegMarkerScanner {
public:
    JpegMarkerScanner(const u8* data, u32 size) : data_(data), size_(size) {}

    // The next marker's code, or -1 at the end of the data or on a malformed stream. `at()`
    // then gives the offset of the marker's 0xFF byte.
    i32 next();
    u32 at() const { return markerAt_; }
    // Offset just past the marker code.
    u32 position() const { return pos_; }
    // The length field of the current segment (including its two bytes), bounded by the data;
    // 0 when it is short or runs past the end.
    u32 segmentLength() const;
    // Steps over the current marker's segment; false when it does not fit the data.
    bool skipSegment();

private:
    static bool standalone(u8 code) { return code == kJpegSoi || code == kJpegEoi || code == 0x01 || (code >= 0xD0 && code <= 0xD7); }
    const u8* data_;
    u32 size_;
    u32 pos_ = 0;
    u32 markerAt_ = 0;
    u8 code_ = 0;
    bool pending_ = false;  // the current marker's segment has not been stepped over
    bool inScan_ = false;
};

// The length of the stream up to and including its EOI marker; 0 when there is none.
u32 jpegStreamLength(const u8* data, u32 size);
