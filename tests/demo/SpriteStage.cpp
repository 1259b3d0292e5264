#include "SpriteStage.h"

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/resources/ResourceManager.h"
#include "tests/engine/gfx/sprites/AnimatedShapes.h"

namespace {

constexpr u16 kGroup = 3000;
constexpr u16 kShapes = 6;
constexpr u16 kFrameSize = 24;
constexpr u16 kBackdrop = 3000;

// A 'tBMP' picture of the screen's size: big-endian header and RGB555 words.
std::vector<u8> backdropPicture(u16 width, u16 height) {
    testshape::Bytes b;
    testshape::put16(b, width);
    testshape::put16(b, height);
    testshape::put16(b, u16(width * 2));
    testshape::put16(b, 0x0003);
    for (u16 y = 0; y < height; ++y)
        for (u16 x = 0; x < width; ++x) testshape::put16(b, stageBackdropWord(x, y));
    return b;
}

}  // namespace

u16 stageBackdropWord(i32 x, i32 y) { return u16((((x / 16 + y / 16) % 2) ? 0x1CE7 : 0x2108) + (y * 8 / 120 << 5)); }

std::unique_ptr<SpriteStage> SpriteStage::open(DemoScreen& screen, u16 sprites, std::string* whyNot) {
    std::unique_ptr<SpriteStage> stage(new SpriteStage(screen));
    if (resInit() != kErrNone) {
        *whyNot = "the resource manager did not start";
        return nullptr;
    }
    stage->resourcesStarted_ = true;
    GfxPort* work = &screen.picture();
    const Rect16 rect{0, 0, work->deviceRect.right, work->deviceRect.bottom};
    const std::vector<u8> picture = backdropPicture(u16(rect.right), u16(rect.bottom));
    std::vector<u8> backdrop =
        testres::makeArchive({{kSprPictureType, kBackdrop, std::string(picture.begin(), picture.end())}});
    if (!testshape::openArchiveImage(testshape::animatedArchive(kGroup, kShapes, kFrameSize), "shapes") ||
        !testshape::openArchiveImage(std::move(backdrop), "backdrop")) {
        *whyNot = "the archives could not be opened";
        return nullptr;
    }
    gfxLockPort(work);
    gfxLockPort(screen.windowPort());
    gfxSetPort(work);
    if (!sprInit(&stage->state_, screen.windowPort(), work, rect, nullptr)) {
        *whyNot = "the sprite layer did not start";
        return nullptr;
    }
    sprSetScreen(&stage->state_);
    stage->layerStarted_ = true;
    sprShowBackdrop(kBackdrop, 0);
    if (sprLoadGroup(kGroup, kShapes, 0, 0, kSprFirstIsGroupId) == kSprNoSlot) {
        *whyNot = "the shape group did not load";
        return nullptr;
    }
    const i16 columns = i16(rect.right / 56);
    for (u16 i = 0; i < sprites; ++i) {
        const Point16 at{i16(8 + i % columns * 56), i16(8 + i / columns * 36)};
        if (sprNew(0, u16(kGroup + i % kShapes), &at) == kSprNoId) {
            *whyNot = "a sprite could not be made";
            return nullptr;
        }
    }
    sprInvalRect(rect);
    return stage;
}

SpriteStage::~SpriteStage() {
    if (layerStarted_) sprShutdown(&state_);
    if (resourcesStarted_) resShutdown();
    gfxSetPort(nullptr);
    for (GfxPort* p : {static_cast<GfxPort*>(&screen_.picture()), screen_.windowPort()})
        while (p->lockCount) gfxUnlockPort(p);
}

void SpriteStage::frame() { sprUpdateScreen(1); }
