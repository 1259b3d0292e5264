#include "platform/keyboard/KeyboardState.h"

namespace plat {

KeyboardState& keyboardState() {
    static KeyboardState state;
    return state;
}

}  // namespace plat
