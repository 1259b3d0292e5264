#include "platform/display/ClientPlacement.h"

#include <gtest/gtest.h>

namespace plat {
namespace {

// The program's client area: a 20-row menu band over its 800 x 600 picture, which a full
// screen centres.
TEST(ClientPlacement, TheClientAreaOrItsPictureSitsInTheMiddleAndAWindowKeepsItsMenusInSight) {
    const gdi::Rect client{0, 0, 800, 620}, picture{0, 20, 800, 620};
    const struct { const char* name; gdi::Point room; bool fullScreen; gdi::Point placed; } cases[] = {
        {"a window made larger centres the whole area", {1000, 700}, false, {100, 40}},
        {"a full screen as small as the picture pushes the band off", {800, 600}, true, {0, -20}},
        {"a window made smaller keeps its top-left corner", {700, 500}, false, {0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(clientPlacement(c.room, client, picture, c.fullScreen), c.placed) << c.name;
}

}  // namespace
}  // namespace plat
