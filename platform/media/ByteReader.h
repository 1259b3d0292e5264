#pragma once
// A bounds-checked reader over a byte block: reading past the end yields zeros and clears
// ok(), so a parser reads on and checks once.
#include <cstddef>
#include <cstdint>

namespace plat::media {

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return size_ - pos_; }
    const uint8_t* here() const { return data_ + pos_; }

    bool seek(size_t to) {
        if (to > size_) return ok_ = false;
        pos_ = to;
        return true;
    }
    bool skip(size_t n) { return n <= remaining() ? (pos_ += n, true) : (pos_ = size_, ok_ = false); }
    uint8_t u8() { return remaining() >= 1 ? data_[pos_++] : fail(); }
    // Each byte is read in its own statement: the operands of one expression have no order.
    uint16_t be16() {
        const uint8_t high = u8();
        return uint16_t((high << 8) | u8());
    }
    uint32_t be32() {
        const uint32_t high = be16();
        return (high << 16) | be16();
    }
    uint16_t le16() {
        const uint8_t low = u8();
        return uint16_t(low | (u8() << 8));
    }
    uint32_t le32() {
        const uint32_t low = le16();
        return low | (uint32_t(le16()) << 16);
    }

private:
    uint8_t fail() {
        ok_ = false;
        return 0;
    }
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace plat::media
