#include "media/objects/JpegMarkerScanner.h"

#include "engine/base/ByteOrder.h"

u32 JpegMarkerScanner::segmentLength() const {
    if (pos_ + 2 > size_) return 0;
    const u32 length = readBE16(data_ + pos_);
    return length >= 2 && pos_ + length <= size_ ? length : 0;
}

bool JpegMarkerScanner::skipSegment() {
    if (!pending_) return true;
    const u32 length = segmentLength();
    if (!length) return false;
    pos_ += length;
    pending_ = false;
    if (code_ == kJpegSos) inScan_ = true;
    return true;
}

i32 JpegMarkerScanner::next() {
    // A segment the caller did not step over is stepped over here.
    if (pending_ && !skipSegment()) return -1;
    if (inScan_) {
        // Entropy-coded data: 0xFF 0x00 is a data byte and restart markers belong to the scan.
        while (pos_ + 1 < size_) {
            if (data_[pos_] != 0xFF) {
                ++pos_;
                continue;
            }
            const u8 following = data_[pos_ + 1];
            if (following == 0x00 || (following >= 0xD0 && following <= 0xD7)) {
                pos_ += 2;
                continue;
            }
            if (following == 0xFF) {
                ++pos_;
                continue;
            }
            inScan_ = false;
            break;
        }
        if (inScan_) return -1;
    }
    if (pos_ >= size_ || data_[pos_] != 0xFF) return -1;
    markerAt_ = pos_;
    while (pos_ < size_ && data_[pos_] == 0xFF) ++pos_;  // fill bytes
    if (pos_ >= size_ || data_[pos_] == 0x00) return -1;
    code_ = data_[pos_++];
    pending_ = !standalone(code_);
    return code_;
}

u32 jpegStreamLength(const u8* data, u32 size) {
    JpegMarkerScanner scanner(data, size);
    for (i32 code = scanner.next(); code >= 0; code = scanner.next())
        if (code == kJpegEoi) return scanner.position();
    return 0;
}
