#pragma once
// Files for the page-media tests. Flash animations composed of the SWF library's own tags
// and written by its writer: a red square a quarter of the movie's width stepping right by its own width each
// frame (frame i at column i mod 4), over nothing, so that each frame of a cycle shows red
// where the others show the page. A one-frame movie is a red square in its top-left quarter,
// which a flip moves to another corner.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

namespace mediatest {

// `rate` in 16.16 frames per second; the file keeps 8.8.
// `soundSamples` 8-bit samples at 22050 Hz sound from the first frame.
std::vector<u8> animationBytes(u16 frames, u32 rate, i16 width, i16 height, u32 soundSamples = 0);
// A 32 x 24 movie red for a second, then blue (or no picture at all), with a second of sound,
// flattened by the media runtime's writer (Photo-JPEG and IMA 4:1) into `path`; its bytes.
// The runtime must be connected.
std::vector<u8> movieBytes(const std::string& path, bool withPicture = true);

}  // namespace mediatest
