// A key reaches the program with the PC keyboard's set 1 scan code, whatever number the display
// library gives it: Escape is 1, so that it clears the key signature.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/display/sdl/SdlKeys.h"

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

}  // namespace
}  // namespace plat
