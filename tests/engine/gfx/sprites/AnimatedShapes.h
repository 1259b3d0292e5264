#pragma once
// Content for the sprite layer's demonstration and benchmark: one shape group of round
// frames in several colours, with zero offset tables, and one looping script per shape that
// walks its frame to and fro while cycling the colours, made into an archive in memory with
// the group stored compressed by the shape encoder.
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/gfx/sprites/SprShapes.h"
#include "tests/engine/gfx/sprites/format/ShapeBytes.h"
#include "tests/engine/resources/MemoryArchiveFile.h"
#include "tests/engine/resources/format/ArchiveBytes.h"

namespace testshape {

constexpr u16 kAnimatedColours[] = {0x7C00, 0x03E0, 0x001F, 0x7FE0, 0x7C1F, 0x03FF};
constexpr u16 kAnimatedFrames = sizeof(kAnimatedColours) / sizeof(kAnimatedColours[0]);
constexpr u16 kAnimatedSteps = 8;
constexpr i16 kAnimatedStride = 4;

// A disc of one colour in a square frame; the corners stay 0, which draws transparently.
inline Frame discFrame(u16 size, u16 colour) {
    std::vector<u16> words(size_t(size) * size, 0);
    const int r = size / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if ((x - r) * (x - r) + (y - r) * (y - r) < r * r) words[size_t(y) * size + x] = colour;
    return frame16(size, size, words);
}

// Shape `index`: frames walk right and back by kAnimatedStride, one step per wait.
inline Bytes animatedScript(u16 index) {
    std::vector<Record> records;
    for (u16 step = 0; step < 2 * kAnimatedSteps; ++step) {
        const i16 dx = i16(kAnimatedStride * (step < kAnimatedSteps ? step : 2 * kAnimatedSteps - 1 - step));
        const u16 frame = u16(1 + (index + step) % kAnimatedFrames);
        records.push_back({16, 1, {frame, u16(dx), 0}});
        records.push_back({1, 2, {}});
    }
    records.push_back({0, 2, {}});
    return makeScript(0, {0, 0, 0, 0}, records);
}

// The archive image: the group `groupId` with shapes groupId .. groupId + shapes - 1.
inline std::vector<u8> animatedArchive(u16 groupId, u16 shapes, u16 frameSize) {
    std::vector<Frame> frames;
    for (u16 colour : kAnimatedColours) frames.push_back(discFrame(frameSize, colour));
    auto text = [](const Bytes& b) { return std::string(b.begin(), b.end()); };
    const Bytes zeros = makeOffsetTable(std::vector<u16>(kAnimatedFrames + 1, 0));
    std::vector<testres::ResContent> contents{{kSprGroupType, groupId, text(shapeGroupCompress(makeGroup(frames), ShapeMethod::B))},
                                              {kSprOffsetType, groupId, text(zeros)},
                                              {kSprOffsetType, u16(groupId + 1), text(zeros)}};
    for (u16 i = 0; i < shapes; ++i) contents.push_back({kSprScriptType, u16(groupId + i), text(animatedScript(i))});
    return testres::makeArchive(contents);
}

// Opens an archive image held in memory; the image lives as long as the archive is open.
inline ResMapHandle openArchiveImage(std::vector<u8> bytes, const std::string& name) {
    auto image = std::make_shared<testres::FileImage>();
    image->bytes = std::move(bytes);
    return resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, name), 1, 0);
}

}  // namespace testshape
