#include "platform/keyboard/ProgramKeyboard.h"

#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>

namespace plat {
namespace {

// The compose sequences of dead keys are the same in every UTF-8 locale's table; this one is
// installed with the X libraries whatever locales the system has.
constexpr char kComposeLocale[] = "en_US.UTF-8";

template <auto Free>
struct Freer {
    template <typename T>
    void operator()(T* p) const { Free(p); }
};

struct Layout {
    std::unique_ptr<xkb_context, Freer<xkb_context_unref>> context;
    std::unique_ptr<xkb_keymap, Freer<xkb_keymap_unref>> keymap;
    std::unique_ptr<xkb_state, Freer<xkb_state_unref>> state;
    std::unique_ptr<xkb_compose_table, Freer<xkb_compose_table_unref>> composeTable;
    std::unique_ptr<xkb_compose_state, Freer<xkb_compose_state_unref>> compose;
    xkb_mod_index_t shift = XKB_MOD_INVALID, lock = XKB_MOD_INVALID, levelThree = XKB_MOD_INVALID;
};

std::unique_ptr<Layout>& current() {
    static std::unique_ptr<Layout> layout;
    return layout;
}

std::unique_ptr<Layout> makeLayout(const std::string& name) {
    auto layout = std::make_unique<Layout>();
    layout->context.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (!layout->context) return nullptr;
    const xkb_rule_names names{"evdev", "pc105", name.c_str(), "", ""};
    layout->keymap.reset(xkb_keymap_new_from_names(layout->context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!layout->keymap) return nullptr;
    layout->state.reset(xkb_state_new(layout->keymap.get()));
    if (!layout->state) return nullptr;
    // Without a compose table the dead keys type nothing; every other key still types.
    layout->composeTable.reset(
        xkb_compose_table_new_from_locale(layout->context.get(), kComposeLocale, XKB_COMPOSE_COMPILE_NO_FLAGS));
    if (layout->composeTable)
        layout->compose.reset(xkb_compose_state_new(layout->composeTable.get(), XKB_COMPOSE_STATE_NO_FLAGS));
    layout->shift = xkb_keymap_mod_get_index(layout->keymap.get(), XKB_MOD_NAME_SHIFT);
    layout->lock = xkb_keymap_mod_get_index(layout->keymap.get(), XKB_MOD_NAME_CAPS);
    // The layout's third level (AltGr) lies on the fifth modifier.
    layout->levelThree = xkb_keymap_mod_get_index(layout->keymap.get(), "Mod5");
    return layout;
}

xkb_mod_mask_t maskOf(xkb_mod_index_t index, bool on) {
    return on && index != XKB_MOD_INVALID ? xkb_mod_mask_t(1) << index : 0;
}

std::string utf8Of(xkb_state* state, xkb_keycode_t key) {
    char text[64];
    const int length = xkb_state_key_get_utf8(state, key, text, sizeof text);
    if (length <= 0 || size_t(length) >= sizeof text) return {};
    // Control characters (Return, Backspace, Tab) are keys, not text.
    if (length == 1 && (static_cast<unsigned char>(text[0]) < 0x20 || text[0] == 0x7F)) return {};
    return std::string(text, size_t(length));
}

}  // namespace

bool useProgramKeyboard(const std::string& layout) {
    if (layout.empty()) {
        current().reset();
        return true;
    }
    std::unique_ptr<Layout> made = makeLayout(layout);
    if (!made) return false;
    current() = std::move(made);
    return true;
}

bool programKeyboardInUse() { return current() != nullptr; }

std::string programKeyboardText(uint32_t keyCode, const ProgramKeyModifiers& modifiers) {
    Layout* layout = current().get();
    if (!layout) return {};
    const xkb_mod_mask_t held = maskOf(layout->shift, modifiers.shift) | maskOf(layout->levelThree, modifiers.altGr);
    xkb_state_update_mask(layout->state.get(), held, 0, maskOf(layout->lock, modifiers.capsLock), 0, 0, 0);
    const xkb_keysym_t symbol = xkb_state_key_get_one_sym(layout->state.get(), keyCode);
    if (symbol == XKB_KEY_NoSymbol) return {};
    xkb_compose_state* compose = layout->compose.get();
    if (!compose || xkb_compose_state_feed(compose, symbol) == XKB_COMPOSE_FEED_IGNORED)
        return utf8Of(layout->state.get(), keyCode);
    switch (xkb_compose_state_get_status(compose)) {
        case XKB_COMPOSE_COMPOSING: return {};
        case XKB_COMPOSE_COMPOSED: {
            char text[64];
            const int length = xkb_compose_state_get_utf8(compose, text, sizeof text);
            xkb_compose_state_reset(compose);
            return length > 0 && size_t(length) < sizeof text ? std::string(text, size_t(length)) : std::string();
        }
        case XKB_COMPOSE_CANCELLED:
            // A dead key followed by a key it does not go with: both are dropped, as the
            // desktop's input method drops them.
            xkb_compose_state_reset(compose);
            return {};
        case XKB_COMPOSE_NOTHING: break;
    }
    return utf8Of(layout->state.get(), keyCode);
}

}  // namespace plat
