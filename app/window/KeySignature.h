#pragma once
// The rolling signature of the last keys typed in the main window: a developer's sequence
// switches the debug mode, and Escape starts the signature afresh.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr u32 kKeySignatureLow = 0x5a3c9e71;
constexpr u32 kKeySignatureHigh = 0x2b71d4c8;
constexpr u8 kScanCodeEscape = 1;

class KeySignature {
public:
    // Adds a key (character in the low byte, scan code in bits 16-23); true when the
    // signature now matches the sequence.
    bool Add(u32 key);
    u32 High() const { return high_; }
    u32 Low() const { return low_; }

private:
    u32 high_ = 0;
    u32 low_ = 0;
};

}  // namespace Ostrel
