#include "platform/gdi/FontCatalog.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <strings.h>

#include "platform/charset/Conversion.h"

namespace plat::gdi {

namespace {

constexpr const char* kDefaultFamily = "sans-serif";
constexpr const char* kDefaultFaceName = "DEFAULT";

// Loaded once; released at exit so that leak checkers see fontconfig's caches go.
FcConfig* config() {
    static FcConfig* c = [] {
        FcInit();
        std::atexit(FcFini);
        return FcConfigGetCurrent();
    }();
    return c;
}

// fontconfig's weight scale against the 100-900 scale of font requests.
int fcWeight(int32_t weight) { return FcWeightFromOpenType(std::clamp(weight == 0 ? 400 : weight, 1, 1000)); }
int32_t requestWeight(int fc) { return FcWeightToOpenType(fc); }

// Whether one font writes words: it has the letters of Spanish text, and so of English
// (symbol, dingbat and emoji fonts, whose glyphs are pictures, support no language), and its
// layout tables are not those of maths alone.
bool isTextFont(FcPattern* font) {
    FcLangSet* languages = nullptr;
    if (FcPatternGetLangSet(font, FC_LANG, 0, &languages) != FcResultMatch ||
        FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("es")) != FcLangEqual)
        return false;
    FcChar8* capability = nullptr;
    if (FcPatternGetString(font, FC_CAPABILITY, 0, &capability) != FcResultMatch) return true;
    const std::string scripts = reinterpret_cast<const char*>(capability);
    return scripts.find("otlayout:math") == std::string::npos || scripts.find("otlayout:latn") != std::string::npos;
}

std::string familyOf(FcPattern* p) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(p, FC_FAMILY, 0, &family) != FcResultMatch) return {};
    return utf8ToCp1252(reinterpret_cast<const char*>(family));
}

}  // namespace

bool findFontFile(const std::string& face, int32_t weight, bool italic, FontFile& out) {
    bool useDefault = face.empty() || strcasecmp(face.c_str(), kDefaultFaceName) == 0;
    std::string family = useDefault ? kDefaultFamily : cp1252ToUtf8(face);
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, fcWeight(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(config(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config(), pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;
    FcChar8* file = nullptr;
    int index = 0;
    bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
    if (found) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        out = FontFile{reinterpret_cast<const char*>(file), index, familyOf(match)};
    }
    FcPatternDestroy(match);
    return found;
}

std::vector<FontFamily> listFontFamilies() {
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_WEIGHT, FC_SLANT, FC_SPACING, FC_SCALABLE, FC_LANG,
                                             FC_CAPABILITY, nullptr);
    FcFontSet* set = FcFontList(config(), pattern, objects);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    std::map<std::string, FontFamily> families;
    for (int i = 0; set && i < set->nfont; ++i) {
        FcPattern* font = set->fonts[i];
        std::string name = familyOf(font);
        if (name.empty()) continue;
        FontFamily& family = families[name];
        const bool firstFile = family.name.empty();
        family.name = name;
        int spacing = FC_PROPORTIONAL, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        FcBool scalable = FcFalse;
        FcPatternGetInteger(font, FC_SPACING, 0, &spacing);
        FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(font, FC_SLANT, 0, &slant);
        FcPatternGetBool(font, FC_SCALABLE, 0, &scalable);
        family.fixedPitch = spacing >= FC_MONO;
        family.trueType = scalable == FcTrue;
        // Each file of a text family writes words: a dingbat family may have one file that
        // claims the Latin languages by its letters' places alone.
        family.textFace = (firstFile || family.textFace) && isTextFont(font);
        FontStyle style{requestWeight(weight), slant != FC_SLANT_ROMAN};
        if (std::find(family.styles.begin(), family.styles.end(), style) == family.styles.end())
            family.styles.push_back(style);
    }
    if (set) FcFontSetDestroy(set);
    std::vector<FontFamily> out;
    for (auto& [name, family] : families) {
        std::sort(family.styles.begin(), family.styles.end(), [](const FontStyle& a, const FontStyle& b) {
            return a.weight != b.weight ? a.weight < b.weight : a.italic < b.italic;
        });
        out.push_back(std::move(family));
    }
    return out;
}

}  // namespace plat::gdi

namespace plat::gdi {

bool addPrivateFont(const std::string& hostPath) {
    return FcConfigAppFontAddFile(config(), reinterpret_cast<const FcChar8*>(hostPath.c_str())) == FcTrue;
}

void removePrivateFonts() { FcConfigAppFontClear(config()); }

}  // namespace plat::gdi
