#include "platform/display/ClientPlacement.h"

#include <algorithm>

namespace plat {
namespace {

int32_t place(int32_t room, int32_t whole, int32_t middleStart, int32_t middleSize, bool pushOff) {
    return std::clamp((room - middleSize) / 2 - middleStart, pushOff ? std::min(0, room - whole) : 0,
                      std::max(0, room - whole));
}

}  // namespace

gdi::Point clientPlacement(gdi::Point room, const gdi::Rect& client, const gdi::Rect& middle, bool fullScreen) {
    const gdi::Rect& centred = fullScreen ? middle : client;
    return {place(room.x, client.width(), centred.left, centred.width(), fullScreen),
            place(room.y, client.height(), centred.top, centred.height(), fullScreen)};
}

}  // namespace plat
