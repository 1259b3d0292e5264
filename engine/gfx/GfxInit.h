#pragma once
// Graphics start-up and shutdown. Start-up, once before any port is made: the graphics
// settings from the engine profile, the display mode checked (and switched when allowed),
// the default palette and font, the fonts shipped in the program's folder, the decompressor
// plug-ins the settings name, the arrow cursor, and the palette's part in activation.
// Shutdown undoes all of it in reverse and disposes of every port, palette and font.
// User-interface thread only.
#include <string>

#include "engine/gfx/GfxDisplayModes.h"
#include "engine/gfx/GfxSettings.h"

// The wanted mode is rewritten with the mode found. kGfxErrNoDisplayMode when no mode satisfies it.
EngineErr gfxInit(GfxDisplayMode* wanted, u16 changeAllowed);
// As gfxInit with settings already read and the program's folder (an engine text) given.
EngineErr gfxInitWith(const GfxSettings& settings, const std::string& programFolder, GfxDisplayMode* wanted,
                      u16 changeAllowed);
void gfxShutdown();
bool gfxInitialised();

// The font files installed from the program's folder at start-up (engine texts).
const std::vector<std::string>& gfxPrivateFonts();
