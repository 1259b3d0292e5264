// A key reaches the program with the PC keyboard's set 1 scan code, whatever number the display
// library gives it: Escape is 1, so that it clears the key signature. Through the SDL display a
// key of one of its windows becomes that window's key message, and its character only when the
// layout's text does not follow it (a shortcut's letter).
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SdlDummySupport.h"
#include "platform/display/sdl/SdlKeys.h"
#include "platform/keyboard/KeyboardState.h"
#include "platform/keyboard/VirtualKeys.h"

namespace plat {
namespace {

TEST(SdlKeysTest, KeysCarryTheirSetOneScanCodes) {
    const struct {
        SDL_Scancode key;
        uint8_t code;
    } table[] = {
        {SDL_SCANCODE_ESCAPE, 0x01}, {SDL_SCANCODE_1, 0x02},      {SDL_SCANCODE_0, 0x0B},
        {SDL_SCANCODE_Q, 0x10},      {SDL_SCANCODE_P, 0x19},      {SDL_SCANCODE_A, 0x1E},
        {SDL_SCANCODE_Z, 0x2C},      {SDL_SCANCODE_M, 0x32},      {SDL_SCANCODE_RETURN, 0x1C},
        {SDL_SCANCODE_SPACE, 0x39},  {SDL_SCANCODE_GRAVE, 0x29},  {SDL_SCANCODE_SLASH, 0x35},
        {SDL_SCANCODE_F1, 0x3B},     {SDL_SCANCODE_F10, 0x44},    {SDL_SCANCODE_F11, 0x57},
        {SDL_SCANCODE_F12, 0x58},    {SDL_SCANCODE_UP, 0x48},     {SDL_SCANCODE_DOWN, 0x50},
        {SDL_SCANCODE_LEFT, 0x4B},   {SDL_SCANCODE_DELETE, 0x53}, {SDL_SCANCODE_KP_8, 0x48},
        {SDL_SCANCODE_KP_7, 0x47},   {SDL_SCANCODE_HOME, 0x47},   {SDL_SCANCODE_KP_1, 0x4F},
        {SDL_SCANCODE_KP_5, 0x4C},   {SDL_SCANCODE_PAGEDOWN, 0x51},
        {SDL_SCANCODE_KP_0, 0x52},   {SDL_SCANCODE_KP_PERIOD, 0x53}, {SDL_SCANCODE_LCTRL, 0x1D},
        {SDL_SCANCODE_RCTRL, 0x1D},  {SDL_SCANCODE_LSHIFT, 0x2A}, {SDL_SCANCODE_RSHIFT, 0x36},
        {SDL_SCANCODE_RALT, 0x38},   {SDL_SCANCODE_UNKNOWN, 0},   {SDL_SCANCODE_NONUSBACKSLASH, 0},
        {SDL_SCANCODE_LGUI, 0},
    };
    for (const auto& row : table)
        EXPECT_EQ(setOneScanCodeOf(row.key), row.code) << SDL_GetScancodeName(row.key);
}

// Every key the program knows has a code, and two keys share one only when one of them is its
// extended twin (an arrow and its keypad key, the slash and the keypad's).
TEST(SdlKeysTest, EveryKnownKeyHasItsOwnCode) {
    int owner[256] = {};
    for (int key = 0; key < SDL_NUM_SCANCODES; ++key) {
        const auto scancode = SDL_Scancode(key);
        if (virtualKeyOfScancode(scancode) == 0) continue;
        const uint8_t code = setOneScanCodeOf(scancode);
        ASSERT_NE(code, 0) << SDL_GetScancodeName(scancode);
        if (owner[code] != 0 && virtualKeyOfScancode(SDL_Scancode(owner[code])) != virtualKeyOfScancode(scancode)) {
            const bool extendedTwin = key >= SDL_SCANCODE_KP_DIVIDE && key <= SDL_SCANCODE_KP_PERIOD;
            EXPECT_TRUE(extendedTwin) << SDL_GetScancodeName(scancode) << " shares its code with "
                                      << SDL_GetScancodeName(SDL_Scancode(owner[code]));
        }
        if (owner[code] == 0) owner[code] = key;
    }
}

class SdlKeyEvents : public testing::SdlDummyDisplay {
protected:
    void TearDown() override {
        keyboardState() = KeyboardState{};
        SDL_SetModState(KMOD_NONE);
        SdlDummyDisplay::TearDown();
    }
    static uint32_t ourWindowId() {
        for (uint32_t id = 1; id < 64; ++id)
            if (SDL_GetWindowFromID(id)) return id;
        return 0;
    }
    // What the window hears of the events, as "message wParam" each.
    std::vector<std::string> heard(const std::vector<SDL_Event>& events) {
        for (SDL_Event e : events) EXPECT_EQ(SDL_PushEvent(&e), 1);
        sdl->pumpEvents();
        std::vector<std::string> out;
        for (const Message& m : drain())
            if (m.window == window) out.push_back(std::to_string(m.message) + " " + std::to_string(m.wParam));
        return out;
    }
};

SDL_Event keyDown(uint32_t window, SDL_Scancode key, uint16_t modifiers = KMOD_NONE) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = window;
    e.key.keysym.scancode = key;
    e.key.keysym.mod = modifiers;
    return e;
}

TEST_F(SdlKeyEvents, AKeyOfOurWindowIsHeardWithItsCharacterOnlyWhenNoTextFollows) {
    const uint32_t ours = ourWindowId();
    ASSERT_NE(ours, 0u);
    SDL_StartTextInput();
    const std::string keyA = std::to_string(kMsgKeyDown) + " 65", control = std::to_string(kMsgKeyDown) + " 17";
    struct Case {
        const char* name;
        std::vector<SDL_Event> events;
        std::vector<std::string> heard;
    };
    const Case cases[] = {
        {"a letter, its text to follow", {keyDown(ours, SDL_SCANCODE_A)}, {keyA}},
        {"Control and a letter: a shortcut",
         {keyDown(ours, SDL_SCANCODE_LCTRL, KMOD_LCTRL), keyDown(ours, SDL_SCANCODE_A, KMOD_LCTRL)},
         {control, keyA, std::to_string(kMsgChar) + " 1"}},
        {"a key the program does not know", {keyDown(ours, SDL_SCANCODE_LGUI)}, {}},
        {"another window's key", {keyDown(ours + 100, SDL_SCANCODE_A)}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        keyboardState() = KeyboardState{};
        EXPECT_EQ(heard(c.events), c.heard);
    }
}

}  // namespace
}  // namespace plat
