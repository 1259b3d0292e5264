#include "app/window/KeySignature.h"

namespace Ostrel {

bool KeySignature::Add(u32 key) {
    const u8 scanCode = u8(key >> 16);
    if (scanCode == kScanCodeEscape) {
        high_ = low_ = 0;
        return false;
    }
    high_ = (high_ << 7) | (scanCode & 0x7F);
    low_ ^= high_;
    return low_ == kKeySignatureLow && high_ == kKeySignatureHigh;
}

}  // namespace Ostrel
