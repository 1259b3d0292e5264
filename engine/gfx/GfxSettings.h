#pragma once
// The graphics module's settings from an engine profile: [Graphics], the decompressor
// plug-ins of [Graphics.Decompressors] and [DirectDraw]. Read once at graphics start-up;
// missing keys keep their defaults. User-interface thread only.
#include <string>
#include <utility>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"

struct GfxDDrawSettings {
    u16 enable = 0;
    u16 certifiedOnly = 0;
    u16 fullScreen = 1;
    u16 relaxClipping = 0;
};

struct GfxSettings {
    u16 enableDisplayChange = 1;
    u16 enableQtPalette = 0;
    u16 charSet = 1;
    // Codec name and plug-in value, in the order of the profile.
    std::vector<std::pair<std::string, std::string>> decompressors;
    GfxDDrawSettings ddraw;
};

// Null profile: the engine profile.
void gfxReadSettings(const Path* profile, GfxSettings* out);
