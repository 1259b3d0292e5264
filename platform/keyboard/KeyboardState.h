#pragma once
// Which keys are down and which lock keys are on, as the user-interface layer last saw them
// in its key events. The UI layer sets it and readers take a copy; both happen on the
// user-interface thread.
#include <array>
#include <cstdint>

namespace plat {

class KeyboardState {
public:
    bool isDown(uint8_t virtualKey) const { return (keys_[virtualKey] & kDown) != 0; }
    bool isToggled(uint8_t virtualKey) const { return (keys_[virtualKey] & kToggled) != 0; }
    void setDown(uint8_t virtualKey, bool down) { set(virtualKey, kDown, down); }
    void setToggled(uint8_t virtualKey, bool on) { set(virtualKey, kToggled, on); }

private:
    static constexpr uint8_t kDown = 0x80;
    static constexpr uint8_t kToggled = 0x01;
    void set(uint8_t virtualKey, uint8_t bit, bool on) {
        keys_[virtualKey] = uint8_t(on ? keys_[virtualKey] | bit : keys_[virtualKey] & ~bit);
    }
    std::array<uint8_t, 256> keys_{};
};

// The state of the user's keyboard.
KeyboardState& keyboardState();

}  // namespace plat
