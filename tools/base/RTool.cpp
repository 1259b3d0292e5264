#include "tools/base/RTool.h"

#include <algorithm>
#include <cmath>

#include "engine/gfx/sprites/LoadBitmapResource.h"
#include "tools/base/RToolMgr.h"
#include "tools/base/ToolNames.h"

namespace {
const Path* gToolProfile = nullptr;
}

void setToolProfile(const Path* profile) { gToolProfile = profile; }
const Path* toolProfile() { return gToolProfile; }

RTool::RTool(i16 toolId) : toolId_(toolId) {}

RTool::~RTool() {
    if (holder_) holder_->ToolDeleted(this);
}

i16 RTool::Activate(GfxPort*, i32, const Rect16& canvasRect) {
    if (rectIsEmpty(canvasRect)) return kToolActivateFailed;
    canvasRect_ = canvasRect;
    if (toolProfile()) SetParams(readToolParams(toolProfile(), toolName(toolId_)));
    active_ = true;
    return kToolActivated;
}

const u8* RTool::GetIcon() const { return LoadBitmapResource(GetIconId()); }

void RTool::SetParams(const ToolParams& params) {
    params_ = params;
    if (params_.sizes.empty()) params_.sizes = ToolParams{}.sizes;
    sounds_.Load(params_);
    SelectSize(sizeIndex_);
}

void RTool::SelectSize(i16 index) {
    sizeIndex_ = std::clamp<i16>(index, 0, i16(params_.sizes.size() - 1));
}

i16 RTool::GetSize() const { return params_.sizes[size_t(sizeIndex_)]; }

void RTool::ApplySettings(const ToolSettings& settings) {
    settings_ = settings;
    // The factor is the size button's number; NaN and factors past any size list pick an end.
    const float factor = std::isnan(settings.sizeFactor) ? 1.0f : std::clamp(settings.sizeFactor, 0.0f, float(INT16_MAX));
    SelectSize(i16(std::lround(factor) - 1));
}

void RTool::Press(ToolCanvas& canvas, Point16 p) {
    sounds_.Start(canvas.SoundsOn());
    MouseDown(canvas, p);
}

void RTool::Move(ToolCanvas& canvas, Point16 p) { MouseMove(canvas, p); }

void RTool::Release(ToolCanvas& canvas, Point16 p) {
    // The sound first: what the tool hands over at its release may get it deleted.
    sounds_.End(canvas.SoundsOn());
    MouseUp(canvas, p);
}
