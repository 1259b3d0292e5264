// The keyboard side of XSession: layouts, chords and typed text.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <array>
#include <memory>
#include <sstream>

#include "XSession.h"

namespace {

constexpr unsigned kShiftLevel = 1;
constexpr unsigned kAltGrLevel = 2;
constexpr unsigned kLevels = 4;

// The keysym X gives a Unicode character: Latin-1 keeps its number, the rest are offset.
unsigned long keysymOf(uint32_t codepoint) {
    if (codepoint == '\n') return XK_Return;
    if (codepoint == '\t') return XK_Tab;
    if (codepoint == '\b') return XK_BackSpace;
    return codepoint < 0x100 ? codepoint : 0x01000000 + codepoint;
}

// Accented letters typed as a dead key and then the plain letter.
struct DeadKey {
    unsigned long keysym;
    const char16_t* bases;
    const char16_t* accented;
};
constexpr std::array<DeadKey, 5> kDeadKeys{{
    {XK_dead_acute, u"aeiouyAEIOUY", u"áéíóúýÁÉÍÓÚÝ"},
    {XK_dead_grave, u"aeiouAEIOU", u"àèìòùÀÈÌÒÙ"},
    {XK_dead_diaeresis, u"aeiouyAEIOU", u"äëïöüÿÄËÏÖÜ"},
    {XK_dead_circumflex, u"aeiouAEIOU", u"âêîôûÂÊÎÔÛ"},
    {XK_dead_tilde, u"aonAON", u"ãõñÃÕÑ"},
}};

// UTF-8 to code points; false on a malformed sequence.
bool decode(const std::string& text, std::vector<uint32_t>* codepoints) {
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + size_t(length) > text.size()) return false;
        uint32_t codepoint = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + size_t(k)]);
            if ((next >> 6) != 2) return false;
            codepoint = codepoint << 6 | (next & 0x3F);
        }
        codepoints->push_back(codepoint);
        i += size_t(length);
    }
    return true;
}

struct KeymapDeleter {
    void operator()(XkbDescPtr keymap) const { XkbFreeKeyboard(keymap, XkbAllComponentsMask, True); }
};

}  // namespace

bool XSession::useLayout(const std::string& layout) {
    if (!display_) return false;
    std::string symbols = "pc+" + layout + "+inet(evdev)";
    XkbComponentNamesRec names{};
    names.keycodes = const_cast<char*>("evdev+aliases(qwerty)");
    names.types = const_cast<char*>("complete");
    names.compat = const_cast<char*>("complete");
    names.symbols = symbols.data();
    names.geometry = const_cast<char*>("pc(pc105)");
    const unsigned components = XkbGBN_AllComponentsMask & ~XkbGBN_GeometryMask;
    std::unique_ptr<XkbDescRec, KeymapDeleter> loaded(
        XkbGetKeyboardByName(display_, XkbUseCoreKbd, &names, components, components, True));
    sync();
    return loaded != nullptr;
}

bool XSession::strokeFor(unsigned long keysym, Stroke* stroke) const {
    std::unique_ptr<XkbDescRec, KeymapDeleter> keymap(XkbGetMap(display_, XkbAllClientInfoMask, XkbUseCoreKbd));
    if (!keymap) return false;
    for (unsigned level = 0; level < kLevels; ++level) {
        for (int keycode = keymap->min_key_code; keycode <= keymap->max_key_code; ++keycode) {
            if (XkbKeyNumGroups(keymap.get(), keycode) == 0 || level >= XkbKeyGroupWidth(keymap.get(), keycode, 0))
                continue;
            if (XkbKeySymEntry(keymap.get(), keycode, level, 0) == keysym) {
                *stroke = {unsigned(keycode), level};
                return true;
            }
        }
    }
    return false;
}

bool XSession::strokesFor(uint32_t codepoint, std::vector<Stroke>* strokes) const {
    Stroke stroke;
    if (strokeFor(keysymOf(codepoint), &stroke)) {
        strokes->push_back(stroke);
        return true;
    }
    for (const DeadKey& dead : kDeadKeys) {
        const std::u16string_view accented(dead.accented);
        const size_t at = accented.find(char16_t(codepoint));
        Stroke accent, base;
        if (at != std::u16string_view::npos && strokeFor(dead.keysym, &accent) &&
            strokeFor(keysymOf(dead.bases[at]), &base)) {
            strokes->push_back(accent);
            strokes->push_back(base);
            return true;
        }
    }
    return false;
}

void XSession::key(unsigned keycode, bool down) { XTestFakeKeyEvent(display_, keycode, down ? True : False, CurrentTime); }

void XSession::press(const Stroke& stroke) {
    Stroke shift, altGr;
    const bool withShift = (stroke.level & kShiftLevel) && strokeFor(XK_Shift_L, &shift);
    const bool withAltGr = (stroke.level & kAltGrLevel) && strokeFor(XK_ISO_Level3_Shift, &altGr);
    if (withShift) key(shift.keycode, true);
    if (withAltGr) key(altGr.keycode, true);
    key(stroke.keycode, true);
    key(stroke.keycode, false);
    if (withAltGr) key(altGr.keycode, false);
    if (withShift) key(shift.keycode, false);
    sync();
}

bool XSession::typeText(const std::string& text) {
    std::vector<uint32_t> codepoints;
    if (!display_ || !decode(text, &codepoints)) return false;
    std::vector<Stroke> strokes;
    for (uint32_t codepoint : codepoints)
        if (!strokesFor(codepoint, &strokes)) return false;
    for (const Stroke& stroke : strokes) press(stroke);
    return true;
}

bool XSession::pressChord(const std::string& chord) {
    if (!display_) return false;
    std::vector<std::string> names;
    std::stringstream parts(chord);
    for (std::string part; std::getline(parts, part, '+');) names.push_back(part);
    // "ctrl++" ends in the plus key itself.
    if (!chord.empty() && chord.back() == '+') names.push_back("+");
    if (names.empty()) return false;
    std::vector<unsigned> held;
    for (size_t i = 0; i + 1 < names.size(); ++i) {
        const std::string& name = names[i];
        const unsigned long modifier = name == "ctrl"    ? XK_Control_L
                                       : name == "shift" ? XK_Shift_L
                                       : name == "alt"   ? XK_Alt_L
                                       : name == "altgr" ? XK_ISO_Level3_Shift
                                       : name == "super" ? XK_Super_L
                                                         : NoSymbol;
        Stroke stroke;
        if (modifier == NoSymbol || !strokeFor(modifier, &stroke)) return false;
        held.push_back(stroke.keycode);
    }
    unsigned long keysym = XStringToKeysym(names.back().c_str());
    std::vector<uint32_t> codepoints;
    if (keysym == NoSymbol && decode(names.back(), &codepoints) && codepoints.size() == 1) keysym = keysymOf(codepoints[0]);
    Stroke stroke;
    if (keysym == NoSymbol || !strokeFor(keysym, &stroke)) return false;
    for (unsigned keycode : held) key(keycode, true);
    press(stroke);
    for (auto keycode = held.rbegin(); keycode != held.rend(); ++keycode) key(*keycode, false);
    sync();
    return true;
}
