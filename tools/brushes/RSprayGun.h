#pragma once
// The spray can: each dab scatters as many dots as the size across a disc of that diameter.
// The scatter comes from a generator started afresh at every press, so a stroke sprays the
// same way each time it is replayed. The spray panel hands it a pattern with
// kToolMsgSprayPattern; while the pattern's shape group is loaded, each dab lays one of the
// group's frames, in turn, at a scattered point of a disc three frames wide (or the size,
// when that is wider), the dabs a frame apart, instead of dots.
#include <cstdint>
#include <random>
#include <vector>

#include "tools/base/PixelTile.h"
#include "tools/base/RStrokeTool.h"

// Parameter 1: the pattern's shape-group id; parameter 2: its frame value; the data word: the
// address of the spray panel's table entry for the pattern.
constexpr u32 kToolMsgSprayPattern = 222;

// An entry of the spray panel's table: a sprite id and a flag. The panel owns the table and
// keeps it alive while its spray gun lives.
struct SprayPatternEntry {
    u16 spriteId;
    u16 flag;
};

class RSprayGun : public RStrokeTool {
public:
    RSprayGun();
    i32 Spacing() const override;

    // Takes kToolMsgSprayPattern: keeps the three values and copies the frames of the group,
    // which the panel has just loaded. A group id past 16 bits is refused and changes nothing.
    u32 HandleToolMessage(const Ostrel::RMessage& message, uintptr_t data) override;
    u16 GetPatternGroup() const { return patternGroup_; }
    u16 GetFrameValue() const { return frameValue_; }
    SprayPatternEntry* GetPatternEntry() const { return patternEntry_; }
    size_t PatternFrameCount() const { return pattern_.size(); }

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    void Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) override;

private:
    // The larger side of the pattern's first frame; 0 without a pattern.
    i32 FrameSide() const;
    // The diameter of the disc the dabs scatter over.
    i32 Reach() const;
    // A point of the disc around p, spread evenly over its area.
    Point16 Scatter(Point16 p);

    std::minstd_rand random_;
    u16 patternGroup_ = 0;
    u16 frameValue_ = 0;
    SprayPatternEntry* patternEntry_ = nullptr;
    std::vector<PixelTile> pattern_;
    size_t nextFrame_ = 0;
};
