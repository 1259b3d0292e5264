// A decompressor plug-in for the tests: the output is the input repeated, each byte plus the
// plug-in's datum. An empty input is refused.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) uint32_t gfxXDecProc(uint8_t* out, uint32_t expandedSize, uint16_t,
                                                                        uint16_t, uint16_t, int16_t, const uint8_t* data,
                                                                        uint32_t length, uint32_t datum) {
    if (length == 0) return 1;
    for (uint32_t i = 0; i < expandedSize; ++i) out[i] = uint8_t(data[i % length] + datum);
    return 0;
}
