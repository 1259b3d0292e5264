#include "engine/gfx/DrawColoredAlphaMask.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "tests/engine/gfx/AlphaMaskEncoders.h"
#include "tests/engine/gfx/GfxTestSupport.h"

namespace {

using namespace alphamask;

constexpr u32 kWhite = 0xFFFFFF;
constexpr u32 kRed = 0x0000FF;

class AlphaMask : public GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        port_ = gfxNewOffscreenPort(8, 3, 16, nullptr);
        ASSERT_NE(port_, nullptr);
        ASSERT_EQ(gfxLockPort(port_), kErrNone);
        gfxSetPort(port_);
        fill(0);
    }
    void TearDown() override {
        gfxSetPort(nullptr);
        gfxUnlockPort(port_);
        gfxDisposePort(port_);
        GfxTest::TearDown();
    }
    u8* at(const GfxPixelDescriptor& d, int x, int y) {
        const int h = d.bounds.bottom - d.bounds.top;
        u8* row = d.rowStep >= 0 ? d.base + y * d.rowStep : d.base + (h - 1 - y) * -d.rowStep;
        return row + 2 * x;
    }
    void fill(u16 value) {
        GfxPixelDescriptor d{};
        ASSERT_EQ(port_->LockBits(&d), kErrNone);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 8; ++x) writeLE16(at(d, x, y), value);
        port_->UnlockBits(&d);
    }
    u16 pixel(int x, int y) {
        GfxPixelDescriptor d{};
        EXPECT_EQ(port_->LockBits(&d), kErrNone);
        u16 v = readLE16(at(d, x, y));
        port_->UnlockBits(&d);
        return v;
    }
    std::vector<u16> row(int y) {
        std::vector<u16> r;
        for (int x = 0; x < 8; ++x) r.push_back(pixel(x, y));
        return r;
    }
    EngineErr draw(i16 x, i16 y, const Bytes& mask, u32 colour, bool blend = false, const Rect16* clip = nullptr) {
        return DrawColoredAlphaMask(x, y, mask.data(), u32(mask.size()), colour, blend, clip);
    }
    GfxPort* port_ = nullptr;
};

constexpr u16 rgb(u16 r, u16 g, u16 b) { return u16(r << 10 | g << 5 | b); }

TEST_F(AlphaMask, FullAlphaGivesTheColourOneStepDown) {
    ASSERT_EQ(draw(0, 0, plainMask(2, {{255, 0}}), kWhite), kErrNone);
    EXPECT_EQ(pixel(0, 0), rgb(30, 30, 30));
    EXPECT_EQ(pixel(1, 0), 0);
}

TEST_F(AlphaMask, ColourBytesAreRedGreenBlueFromTheLowByte) {
    ASSERT_EQ(draw(0, 0, plainMask(1, {{255}}), kRed), kErrNone);
    EXPECT_EQ(pixel(0, 0), rgb(30, 0, 0));
}

TEST_F(AlphaMask, BlendMixesOverTheDestination) {
    fill(rgb(31, 31, 31));
    ASSERT_EQ(draw(0, 0, plainMask(3, {{128, 0, 255}}), 0x000000, true), kErrNone);
    EXPECT_EQ(pixel(0, 0), rgb(15, 15, 15));
    EXPECT_EQ(pixel(1, 0), rgb(31, 31, 31));
    EXPECT_EQ(pixel(2, 0), rgb(0, 0, 0));
}

TEST_F(AlphaMask, MaskHalfOutsideOnTheLeftKeepsItsRightHalfInPlace) {
    const Bytes mask = plainMask(4, {{255, 128, 64, 32}});
    ASSERT_EQ(draw(2, 0, mask, kWhite), kErrNone);
    const std::vector<u16> whole = row(0);
    fill(0);
    const Rect16 clip{4, 0, 8, 3};
    ASSERT_EQ(draw(2, 0, mask, kWhite, false, &clip), kErrNone);
    EXPECT_EQ(pixel(3, 0), 0);
    EXPECT_EQ(pixel(4, 0), whole[4]);
    EXPECT_EQ(pixel(5, 0), whole[5]);
    fill(0);
    // Off the port's left edge: each pixel still takes the alpha of its own mask place.
    ASSERT_EQ(draw(-2, 0, mask, kWhite), kErrNone);
    EXPECT_EQ(pixel(0, 0), whole[4]);
    EXPECT_EQ(pixel(1, 0), whole[5]);
}

TEST_F(AlphaMask, RunLengthRowsDecodeLiteralAndRepeatRuns) {
    // Row 0: a literal run of 2, then a repeat run of 3; row 1: one repeat run of 8.
    ASSERT_EQ(draw(0, 0, codedMask(8, {{0x01, 255, 0, 0x82, 255}, {0x87, 255}}), kWhite), kErrNone);
    const u16 full = rgb(30, 30, 30);
    EXPECT_EQ(row(0), (std::vector<u16>{full, 0, full, full, full, 0, 0, 0}));
    EXPECT_EQ(row(1), std::vector<u16>(8, full));
}

TEST_F(AlphaMask, RunsLongerThanTheRowStopAtItsEnd) {
    // A 3-wide mask whose runs would cover 128 and 4 places; the pixels right of it stay.
    ASSERT_EQ(draw(0, 0, codedMask(3, {{0xFF, 255}, {0x03, 255, 255, 255, 255}}), kWhite), kErrNone);
    const u16 full = rgb(30, 30, 30);
    EXPECT_EQ(row(0), (std::vector<u16>{full, full, full, 0, 0, 0, 0, 0}));
    EXPECT_EQ(row(1), (std::vector<u16>{full, full, full, 0, 0, 0, 0, 0}));
    EXPECT_EQ(row(2), std::vector<u16>(8, 0));
}

struct Damage {
    const char* name;
    Bytes mask;
};
void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

Bytes withRowLength(u16 length, const Bytes& bytes) {
    Bytes b = header(2, 1, 2, kAlphaMaskRunLength);
    b.push_back(u8(length >> 8));
    b.push_back(u8(length));
    b.insert(b.end(), bytes.begin(), bytes.end());
    return b;
}

class DamagedAlphaMask : public AlphaMask, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedAlphaMask, IsRefused) { EXPECT_EQ(draw(0, 0, GetParam().mask, kWhite), kGfxErrBadFormat); }

INSTANTIATE_TEST_SUITE_P(
    AlphaMask, DamagedAlphaMask,
    ::testing::Values(Damage{"shorter than its header", Bytes(7, 0)},
                      Damage{"plain rows past the end", [] { Bytes b = plainMask(2, {{1, 2}, {3, 4}}); b.pop_back(); return b; }()},
                      Damage{"row bytes below the width", header(4, 1, 3, 0)},
                      Damage{"row length past the end", withRowLength(3, {0x81, 9})},
                      Damage{"literal run past its row", withRowLength(2, {0x01, 9})},
                      Damage{"repeat run missing its alpha", withRowLength(1, {0x81})}));

TEST_F(AlphaMask, RowLengthEndingAtTheMaskEndIsRead) {
    EXPECT_EQ(draw(0, 0, withRowLength(2, {0x81, 255}), kWhite), kErrNone);
    EXPECT_EQ(pixel(1, 0), rgb(30, 30, 30));
}

TEST_F(AlphaMask, NeedsASixteenBitPort) {
    GfxPort* eight = gfxNewOffscreenPort(4, 4, 8, nullptr);
    ASSERT_NE(eight, nullptr);
    ASSERT_EQ(gfxLockPort(eight), kErrNone);
    gfxSetPort(eight);
    EXPECT_EQ(draw(0, 0, plainMask(1, {{255}}), kWhite), kGfxErrNotSupported);
    gfxSetPort(port_);
    gfxUnlockPort(eight);
    gfxDisposePort(eight);
}

}  // namespace
