#include "tools/voice/RCustomVoiceBrush.h"

#include <algorithm>
#include <cmath>

#include "tools/voice/MicrophoneLevel.h"

RCustomVoiceBrush::RCustomVoiceBrush(i16 toolId, const DabLook& look) : RPathBrush(toolId), look_(look) {}

i16 RCustomVoiceBrush::Activate(GfxPort* screenPort, i32 layer, const Rect16& canvasRect) {
    const i16 result = RPathBrush::Activate(screenPort, layer, canvasRect);
    if (result == kToolActivated && !level_) {
        microphone_ = std::make_unique<MicrophoneLevel>();
        level_ = microphone_.get();
    }
    return result;
}

i32 RCustomVoiceBrush::Spacing() const {
    return std::max<i32>(1, i32(std::lround(lastDiameter_ * float(look_.spacingPercent) / 100)));
}

float RCustomVoiceBrush::DabDiameter(float level) const {
    if (level < 0) return float(GetSize());
    return float(GetSize()) * (kQuietDabShare + (1 - kQuietDabShare) * std::min(level, 1.0f));
}

void RCustomVoiceBrush::LayDab(ToolCanvas& canvas, Point16 p) {
    lastDiameter_ = DabDiameter(level_ ? level_->Level() : -1);
    paintLookDab(canvas, look_, DabPlace{float(p.h) + 0.5f, float(p.v) + 0.5f, lastDiameter_, Heading(), DabIndex()}, Random());
}
