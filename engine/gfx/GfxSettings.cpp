#include "engine/gfx/GfxSettings.h"

#include "engine/ini/IniProfiles.h"
#include "engine/ini/IniSection.h"

namespace {

constexpr const char* kGraphics = "Graphics";
constexpr const char* kDecompressors = "Graphics.Decompressors";
constexpr const char* kDirectDraw = "DirectDraw";

void readFlag(const Path* profile, const char* section, const char* key, u16* flag) {
    *flag = iniReadFlag(profile, section, key, *flag != 0) ? 1 : 0;
}

}  // namespace

void gfxReadSettings(const Path* profile, GfxSettings* out) {
    *out = GfxSettings{};
    readFlag(profile, kGraphics, "fEnableDisplayChange", &out->enableDisplayChange);
    readFlag(profile, kGraphics, "fEnableQTPalette", &out->enableQtPalette);
    u16 charSet = out->charSet;
    if (iniGetUShort(profile, kGraphics, "nCharSet", &charSet, 0, 255) == kErrNone) out->charSet = charSet;
    out->decompressors = iniReadSection(profile, kDecompressors);
    readFlag(profile, kDirectDraw, "fEnable", &out->ddraw.enable);
    readFlag(profile, kDirectDraw, "fCertifiedDriversOnly", &out->ddraw.certifiedOnly);
    readFlag(profile, kDirectDraw, "fFullScreen", &out->ddraw.fullScreen);
    readFlag(profile, kDirectDraw, "fRelaxClipping", &out->ddraw.relaxClipping);
}
