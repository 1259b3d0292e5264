// The rolling key signature: each key shifts its scan code into the high word and folds the
// high word into the low one; Escape starts afresh, so a sequence with Escape inside it never
// matches.
#include <gtest/gtest.h>

#include <vector>

#include "app/window/KeySignature.h"

namespace {

using Ostrel::KeySignature;

u32 keyWithScanCode(u32 scanCode, char character = 'a') { return (scanCode << 16) | u8(character); }

TEST(KeySignatureTest, FollowsTheRollingRule) {
    KeySignature signature;
    u32 high = 0, low = 0;
    for (u32 scanCode : {0x10u, 0x7Fu, 0x80u | 0x05u, 0x22u, 0x3Bu, 0x48u}) {
        signature.Add(keyWithScanCode(scanCode));
        high = (high << 7) | (scanCode & 0x7F);
        low ^= high;
        EXPECT_EQ(signature.High(), high);
        EXPECT_EQ(signature.Low(), low);
    }
}

TEST(KeySignatureTest, EscapeClearsBothWords) {
    KeySignature signature;
    signature.Add(keyWithScanCode(0x1E));
    signature.Add(keyWithScanCode(0x30));
    EXPECT_FALSE(signature.Add(keyWithScanCode(1, 27)));
    EXPECT_EQ(signature.High(), 0u);
    EXPECT_EQ(signature.Low(), 0u);
}

TEST(KeySignatureTest, TheCharacterByteDoesNotCount) {
    KeySignature a, b;
    a.Add(keyWithScanCode(0x1E, 'a'));
    b.Add(keyWithScanCode(0x1E, 'A'));
    EXPECT_EQ(a.High(), b.High());
    EXPECT_EQ(a.Low(), b.Low());
}

}  // namespace
