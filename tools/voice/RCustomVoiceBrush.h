#pragma once
// The voice brushes: shaped brushes whose dabs grow with the child's voice, from a small dot
// when the child is quiet to the full size at a shout. Each listens to the microphone from its
// activation to its end, unless it was given another level source; without a microphone it
// paints at its full size. RCustomVoiceBrush1 to RCustomVoiceBrush10 are this class with
// their own id and look.
#include <memory>

#include "tools/brushes/DabShape.h"
#include "tools/brushes/RPathBrush.h"
#include "tools/voice/VoiceLevel.h"

// A silent voice still paints dabs this share of the size.
constexpr float kQuietDabShare = 0.15f;

class RCustomVoiceBrush : public RPathBrush {
public:
    RCustomVoiceBrush(i16 toolId, const DabLook& look);
    i16 Activate(GfxPort* screenPort, i32 layer, const Rect16& canvasRect) override;
    i32 Spacing() const override;
    // Listens to `level` (kept by the caller) instead of the microphone.
    void SetLevelSource(VoiceLevel* level) { level_ = level; }
    // The diameter of a dab at the level.
    float DabDiameter(float level) const;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    DabLook look_;
    std::unique_ptr<VoiceLevel> microphone_;
    VoiceLevel* level_ = nullptr;
    // The last dab's diameter: the next dab keeps the look's spacing from it, so quiet dabs
    // lie close and loud ones apart.
    float lastDiameter_ = 0;
};
