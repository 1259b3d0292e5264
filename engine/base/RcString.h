#pragma once
// A reference-counted text shared by copying. Copies share one block that is never changed
// once built: every change builds a new block, and a block is freed when its last string
// lets go of it. The empty string has no block.
//
// Counts of characters and bytes are 16-bit, so a text of 65535 bytes or more cannot be
// held: building one, or concatenating past that size, throws std::length_error and leaves
// the operands as they were. Blocks come from the ordinary heap (std::bad_alloc on failure).
// The reference count is not atomic: a string and its copies stay on one thread.
#include "engine/base/EngineTypes.h"

class RcString {
public:
    // As a length: measure the text.
    static constexpr u16 kMeasure = 65535;

    RcString() = default;
    // length counts characters; it is cut at the text's end.
    explicit RcString(const char* text, u16 length = kMeasure);
    RcString(const RcString& other);
    RcString& operator=(const RcString& other);
    ~RcString();

    // Converts UTF-16 to the program's code page; a null text gives the empty string.
    void InitFromWide(const char16_t* text, u16 length = kMeasure);
    // Shares other's block, letting go of its own.
    void InitCopy(const RcString& other);

    // Never null: the empty string gives an empty text.
    const char* c_str() const;
    u16 Length() const;
    u16 ByteLength() const;

    RcString operator+(const char* text) const;
    RcString operator+(const RcString& other) const;
    void Append(const char* text);
    void AppendString(const RcString& other);

private:
    struct Block;
    RcString(const char* left, u32 leftBytes, u32 leftChars, const char* right, u32 rightBytes, u32 rightChars);
    void release();

    Block* block_ = nullptr;
};
