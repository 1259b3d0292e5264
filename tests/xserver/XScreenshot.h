#pragma once
// What an X server's screen holds in a rectangle, read over a connection of our own after
// every request before it has been handled. Kept apart from the tests: Xlib's macros clash
// with GoogleTest's names.
#include <cstdint>
#include <string>
#include <vector>

// 0x00RRGGBB words, row by row; empty when the server could not be reached.
std::vector<uint32_t> takeXScreenshot(const std::string& display, int32_t x, int32_t y, int32_t width, int32_t height);
