#include "engine/gfx/sprites/format/ShapeEncoder.h"

#include <algorithm>
#include <array>

namespace {

constexpr size_t kMaxCount = 63;
constexpr size_t kMaxDistance = 1023;
constexpr size_t kMinMatch = 4;
constexpr size_t kMaxMatch = 66;
constexpr size_t kChainSteps = 32;
constexpr size_t kHashBits = 14;
constexpr size_t kNone = ~size_t(0);
constexpr u8 kRepeatUnit = 64;
constexpr u8 kCoded = 192;
constexpr u8 kLongBackA = 0xFC;
constexpr u8 kLongBackB = 0xEC;
constexpr u8 kTwoBytes = 0x50;

class Writer {
public:
    explicit Writer(ShapeMethod method) : method_(method) {}

    void literal(const u8* unit) {
        flushCoded();
        if (literals_.size() == 2 * kMaxCount) flushLiterals();
        literals_.insert(literals_.end(), unit, unit + 2);
    }
    void repeat(size_t units) {
        flushPending();
        out_.push_back(u8(kRepeatUnit + units));
    }
    void match(size_t length, size_t distance) {
        flushLiterals();
        u8 entry[3] = {method_ == ShapeMethod::A ? kLongBackA : kLongBackB, u8(((length - 3) << 2) | (distance >> 8)),
                       u8(distance)};
        coded(entry, 3);
    }
    std::vector<u8> finish() {
        flushPending();
        out_.push_back(0);
        return std::move(out_);
    }

private:
    void coded(const u8* entry, size_t size) {
        if (codedCount_ == kMaxCount) flushCoded();
        codedBytes_.insert(codedBytes_.end(), entry, entry + size);
        ++codedCount_;
    }
    void flushLiterals() {
        if (literals_.empty()) return;
        if (method_ == ShapeMethod::B && literals_.size() == 2) {
            // B has no one-unit literal: a coded entry takes the unit's two bytes instead.
            u8 entry[3] = {kTwoBytes, literals_[0], literals_[1]};
            literals_.clear();
            coded(entry, 3);
            return;
        }
        out_.push_back(u8(literals_.size() / 2));
        out_.insert(out_.end(), literals_.begin(), literals_.end());
        literals_.clear();
    }
    void flushCoded() {
        if (codedCount_ == 0) return;
        out_.push_back(u8(kCoded + codedCount_));
        out_.insert(out_.end(), codedBytes_.begin(), codedBytes_.end());
        codedBytes_.clear();
        codedCount_ = 0;
    }
    void flushPending() {
        flushLiterals();
        flushCoded();
    }

    ShapeMethod method_;
    std::vector<u8> out_;
    std::vector<u8> literals_;
    std::vector<u8> codedBytes_;
    size_t codedCount_ = 0;
};

// Earlier places with the same four bytes, newest first, through a hash chain.
class MatchFinder {
public:
    explicit MatchFinder(std::span<const u8> data) : data_(data), previous_(data.size(), kNone) { head_.fill(kNone); }

    void insertUpTo(size_t end) {
        for (; next_ < end && next_ + kMinMatch <= data_.size(); ++next_) {
            size_t h = hash(next_);
            previous_[next_] = head_[h];
            head_[h] = next_;
        }
    }
    // The longest even-length match for `pos`, 0 when none reaches kMinMatch.
    std::pair<size_t, size_t> best(size_t pos) const {
        size_t bestLength = 0, bestDistance = 0;
        if (pos + kMinMatch > data_.size()) return {0, 0};
        size_t limit = std::min(kMaxMatch, data_.size() - pos) & ~size_t(1);
        size_t candidate = head_[hash(pos)];
        for (size_t step = 0; candidate != kNone && step < kChainSteps; ++step, candidate = previous_[candidate]) {
            size_t distance = pos - candidate;
            if (distance > kMaxDistance) break;
            if (distance < kMinMatch) continue;
            size_t n = 0;
            while (n < limit && data_[candidate + n] == data_[pos + n]) ++n;
            n &= ~size_t(1);
            if (n > bestLength) {
                bestLength = n;
                bestDistance = distance;
            }
        }
        return bestLength >= kMinMatch ? std::pair{bestLength, bestDistance} : std::pair{size_t(0), size_t(0)};
    }

private:
    size_t hash(size_t p) const {
        u32 v = u32(data_[p]) | (u32(data_[p + 1]) << 8) | (u32(data_[p + 2]) << 16) | (u32(data_[p + 3]) << 24);
        return (v * 2654435761u) >> (32 - kHashBits);
    }

    std::span<const u8> data_;
    std::vector<size_t> previous_;
    std::array<size_t, size_t(1) << kHashBits> head_;
    size_t next_ = 0;
};

}  // namespace

std::vector<u8> shapeEncode(ShapeMethod method, std::span<const u8> data) {
    std::vector<u8> units(data.begin(), data.end());
    if (units.size() & 1) units.push_back(0);
    Writer w(method);
    MatchFinder finder(units);
    size_t pos = 0;
    while (pos < units.size()) {
        size_t same = 0;
        if (pos >= 2) {
            while (same < kMaxCount && pos + 2 * same + 1 < units.size() && units[pos + 2 * same] == units[pos - 2] &&
                   units[pos + 2 * same + 1] == units[pos - 1])
                ++same;
        }
        finder.insertUpTo(pos);
        auto [length, distance] = finder.best(pos);
        if (same >= 2 && 2 * same >= length) {
            w.repeat(same);
            pos += 2 * same;
        } else if (length > 0) {
            w.match(length, distance);
            pos += length;
        } else {
            w.literal(units.data() + pos);
            pos += 2;
        }
    }
    return w.finish();
}
