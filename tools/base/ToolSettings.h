#pragma once
// The record a tool panel sends with 'chng': the size factor (1.0 after a reset; the panels
// send the chosen size button's number), a flag byte, the paint colour and a second colour.
// The tool manager copies its first 16 bytes.
#include <cstring>

#include "engine/gfx/GfxColor.h"

struct ToolSettings {
    float sizeFactor = 1.0f;
    u8 flag = 0;
    GfxColor color = GfxColor::rgb(0, 0, 0, 0);
    GfxColor secondColor = GfxColor::rgb(0, 0, 0, 0);
};
static_assert(sizeof(ToolSettings) == 16);

constexpr size_t kToolSettingsCopyBytes = 16;

inline ToolSettings toolSettingsFromRecord(const void* record) {
    ToolSettings settings;
    if (record) std::memcpy(&settings, record, kToolSettingsCopyBytes);
    return settings;
}
