#pragma once
// Fixture for the shape tables: memory, palettes and resources started, archives made in
// memory from shape resources, and hooks that record what the tables asked of the sprite
// layer.
#include <memory>
#include <string>
#include <vector>

#include "engine/gfx/sprites/SprShapes.h"
#include "tests/engine/gfx/GfxTestSupport.h"
#include "tests/engine/gfx/sprites/format/ShapeBytes.h"
#include "tests/engine/resources/MemoryArchiveFile.h"
#include "tests/engine/resources/format/ArchiveBytes.h"

namespace testshape {

struct HookLog {
    std::vector<u16> disposed;
    int rangesChanged = 0;
    int soundChannelsFreed = 0;
    std::vector<std::string> messages;
};
inline HookLog hookLog;

struct Resource {
    FourCC type;
    u16 id;
    Bytes data;
};

// A group with one raw 2 × 2 frame and one packed 4 × 1 frame (gap, red, green, gap).
inline Bytes rawAndPackedGroup(u16 rawColour = 0x7C00) {
    Frame packed{4, 1, 8, 0x0033, {0, 2, 0, 1, 0, 2, 0, 1, 0x7C, 0x00, 0x03, 0xE0}};
    return makeGroup({frame16(2, 2, {rawColour, 0x03E0, 0x001F, 0x7FFF}), packed});
}

inline Bytes scriptFor(u16 shape) {
    return makeScript(shape, {10, 20, 30, 40}, {{16, 1, {1, 0, 0}}, {0, 2, {}}});
}

class SprShapesTest : public GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        ASSERT_EQ(resInit(), kErrNone);
        hookLog = HookLog{};
        sprSetShapeHooks(SprShapeHooks{
            [](u16 slot) { hookLog.disposed.push_back(slot); }, [] { ++hookLog.rangesChanged; },
            [] { ++hookLog.soundChannelsFreed; },
            [](const char* text, u32 ms) {
                EXPECT_EQ(ms, kSprMessageMs);
                hookLog.messages.push_back(text);
            }});
    }
    void TearDown() override {
        sprReleaseGroup(0, 0);
        sprSetShapeHooks(SprShapeHooks{});
        resShutdown();
        GfxTest::TearDown();
    }

    ResMapHandle openArchive(const std::vector<Resource>& resources) {
        std::vector<testres::ResContent> contents;
        for (const Resource& r : resources) contents.push_back({r.type, r.id, std::string(r.data.begin(), r.data.end())});
        auto image = std::make_shared<testres::FileImage>();
        image->bytes = testres::makeArchive(contents);
        images_.push_back(image);
        return resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "shapes" + std::to_string(images_.size())), 1, 0);
    }

    // A group with its two offset tables and the scripts of `shapes` shapes from `first`.
    static std::vector<Resource> groupWithScripts(u16 id, const Bytes& group, u16 first, u16 shapes) {
        std::vector<Resource> r{{kSprGroupType, id, group},
                                {kSprOffsetType, id, makeOffsetTable({0, 3, 5})},
                                {kSprOffsetType, u16(id + 1), makeOffsetTable({0, 1, 2})}};
        for (u16 i = 0; i < shapes; ++i) r.push_back({kSprScriptType, u16(first + i), scriptFor(u16(first + i))});
        return r;
    }

    // The sound base of the script the tables give for `shape`: each script's is its shape.
    static i32 scriptShape(u16 shape) {
        i16 index = -1, slot = -1;
        if (!sprFindShape(shape, &index, &slot)) return -1;
        std::span<const u8> script = sprCachedScript(index, shape);
        return script.size() >= 4 ? readLE16(script.data() + 2) : -2;
    }

private:
    std::vector<std::shared_ptr<testres::FileImage>> images_;
};

}  // namespace testshape
