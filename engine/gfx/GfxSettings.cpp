#include "engine/gfx/GfxSettings.h"

#include <cstring>

#include "engine/ini/IniProfiles.h"

namespace {

constexpr const char* kGraphics = "Graphics";
constexpr const char* kDecompressors = "Graphics.Decompressors";
constexpr const char* kDirectDraw = "DirectDraw";
constexpr u16 kKeyListSize = 1024;
constexpr u16 kValueSize = 256;

void readBool(const Path* profile, const char* section, const char* key, u16* flag) {
    u16 value = 0;
    if (iniGetBool(profile, section, key, &value) == kErrNone) *flag = value ? 1 : 0;
}

}  // namespace

void gfxReadSettings(const Path* profile, GfxSettings* out) {
    *out = GfxSettings{};
    readBool(profile, kGraphics, "fEnableDisplayChange", &out->enableDisplayChange);
    readBool(profile, kGraphics, "fEnableQTPalette", &out->enableQtPalette);
    u16 charSet = out->charSet;
    if (iniGetUShort(profile, kGraphics, "nCharSet", &charSet, 0, 255) == kErrNone) out->charSet = charSet;

    char keys[kKeyListSize] = {};
    if (iniGetString(profile, kDecompressors, nullptr, keys, kKeyListSize, "") == kErrNone) {
        for (const char* key = keys; *key && key < keys + kKeyListSize; key += std::strlen(key) + 1) {
            char value[kValueSize] = {};
            if (iniGetString(profile, kDecompressors, key, value, kValueSize, "") == kErrNone)
                out->decompressors.emplace_back(key, value);
        }
    }

    readBool(profile, kDirectDraw, "fEnable", &out->ddraw.enable);
    readBool(profile, kDirectDraw, "fCertifiedDriversOnly", &out->ddraw.certifiedOnly);
    readBool(profile, kDirectDraw, "fFullScreen", &out->ddraw.fullScreen);
    readBool(profile, kDirectDraw, "fRelaxClipping", &out->ddraw.relaxClipping);
}
