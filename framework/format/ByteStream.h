#pragma once
// Field-by-field big-endian reading and writing for the framework's stored formats. The
// reader never reads past its span: once a field does not fit, it keeps answering zero and
// remembers the failure, so a parser checks ok() after a group of fields. Texts are a u16
// byte count followed by the cp1252 bytes, without terminator.
#include <span>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

class ByteIn {
public:
    explicit ByteIn(std::span<const u8> bytes) : bytes_(bytes) {}

    u16 u16be();
    i16 i16be() { return i16(u16be()); }
    u32 u32be();
    size_t remaining() const { return bytes_.size() - offset_; }
    // Refuses (kFmtErrTextTooLong) a text longer than maxLength without reading it.
    std::string text(size_t maxLength);

    bool ok() const { return error_ == kErrNone; }
    EngineErr error() const { return error_; }
    void fail(EngineErr error) {
        if (error_ == kErrNone) error_ = error;
    }
    bool atEnd() const { return offset_ == bytes_.size(); }

private:
    std::span<const u8> bytes_;
    size_t offset_ = 0;
    EngineErr error_ = kErrNone;
};

class ByteOut {
public:
    void u16be(u16 value);
    void i16be(i16 value) { u16be(u16(value)); }
    void u32be(u32 value);
    void text(const std::string& value);
    std::vector<u8>& bytes() { return bytes_; }

private:
    std::vector<u8> bytes_;
};
