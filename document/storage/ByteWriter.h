#pragma once
// Appends big-endian fields to a byte vector, and reads them back with a bounds check on
// every field: the stored formats of pages, objects and libraries are built on these two.
#include <span>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/base/EngineTypes.h"

class ByteWriter {
public:
    explicit ByteWriter(std::vector<u8>* out) : out_(out) { out_->clear(); }
    void u16be(u16 value) { writeBE16(grow(2), value); }
    void u32be(u32 value) { writeBE32(grow(4), value); }
    void bytes(std::span<const u8> data) { out_->insert(out_->end(), data.begin(), data.end()); }

private:
    // The field's place at the end, written in place.
    u8* grow(size_t count) {
        out_->resize(out_->size() + count);
        return out_->data() + out_->size() - count;
    }
    std::vector<u8>* out_;
};

// Every read fails once the input is exhausted, and stays failed: a reader checks ok() once
// after its fields rather than after each.
class ByteReader {
public:
    explicit ByteReader(std::span<const u8> in) : in_(in) {}
    u16 u16be() {
        if (!take(2)) return 0;
        return readBE16(in_.data() + pos_ - 2);
    }
    u32 u32be() {
        if (!take(4)) return 0;
        return readBE32(in_.data() + pos_ - 4);
    }
    std::span<const u8> bytes(size_t count) {
        if (!take(count)) return {};
        return in_.subspan(pos_ - count, count);
    }
    bool ok() const { return ok_; }
    size_t left() const { return ok_ ? in_.size() - pos_ : 0; }

private:
    bool take(size_t count) {
        if (!ok_ || in_.size() - pos_ < count) {
            ok_ = false;
            return false;
        }
        pos_ += count;
        return true;
    }
    std::span<const u8> in_;
    size_t pos_ = 0;
    bool ok_ = true;
};
