#include "engine/base/RcString.h"

#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "engine/base/TextUtils.h"
#include "platform/charset/Characters.h"
#include "platform/charset/Conversion.h"

struct RcString::Block {
    u16 references;
    u16 characters;
    u16 bytes;

    char* text() { return reinterpret_cast<char*>(this + 1); }
};

namespace {

constexpr u32 kMaxBytes = 65534;
const char kEmptyText[] = "";

}  // namespace

RcString::RcString(const char* text, u16 length) {
    if (text == nullptr || length == 0) return;
    u32 characters = 0;
    const char* end = text;
    while (*end != '\0' && (length == kMeasure || characters < length)) {
        end = plat::charNext(end);
        ++characters;
    }
    *this = RcString(text, u32(end - text), characters, nullptr, 0, 0);
}

// Builds one block holding left then right; the empty string when both are empty.
RcString::RcString(const char* left, u32 leftBytes, u32 leftChars, const char* right, u32 rightBytes,
                   u32 rightChars) {
    u32 bytes = leftBytes + rightBytes;
    if (bytes == 0) return;
    if (bytes > kMaxBytes) throw std::length_error("RcString: text of 65535 bytes or more");
    void* memory = ::operator new(sizeof(Block) + bytes + 1);
    block_ = new (memory) Block{1, u16(leftChars + rightChars), u16(bytes)};
    std::memcpy(block_->text(), left, leftBytes);
    if (rightBytes != 0) std::memcpy(block_->text() + leftBytes, right, rightBytes);
    block_->text()[bytes] = '\0';
}

RcString::RcString(const RcString& other) { InitCopy(other); }

RcString& RcString::operator=(const RcString& other) {
    InitCopy(other);
    return *this;
}

RcString::~RcString() { release(); }

void RcString::release() {
    if (block_ != nullptr && --block_->references == 0) {
        block_->~Block();
        ::operator delete(block_);
    }
    block_ = nullptr;
}

void RcString::InitFromWide(const char16_t* text, u16 length) {
    u32 units = 0;
    if (text != nullptr) {
        if (length == kMeasure) {
            while (text[units] != 0) ++units;
        } else {
            units = length;
        }
    }
    std::string converted = plat::utf16ToCp1252(std::u16string_view(text == nullptr ? u"" : text, units));
    *this = RcString(converted.c_str(), kMeasure);
}

void RcString::InitCopy(const RcString& other) {
    if (block_ == other.block_) return;
    release();
    block_ = other.block_;
    if (block_ != nullptr) ++block_->references;
}

const char* RcString::c_str() const { return block_ == nullptr ? kEmptyText : block_->text(); }

u16 RcString::Length() const { return block_ == nullptr ? 0 : block_->characters; }

u16 RcString::ByteLength() const { return block_ == nullptr ? 0 : block_->bytes; }

RcString RcString::operator+(const char* text) const {
    if (text == nullptr) text = kEmptyText;
    return RcString(c_str(), ByteLength(), Length(), text, strLength(text), strCharCount(text));
}

RcString RcString::operator+(const RcString& other) const {
    return RcString(c_str(), ByteLength(), Length(), other.c_str(), other.ByteLength(), other.Length());
}

void RcString::Append(const char* text) {
    if (text == nullptr || *text == '\0') return;
    *this = *this + text;
}

void RcString::AppendString(const RcString& other) {
    if (other.block_ == nullptr) return;
    *this = *this + other;
}
