#pragma once
// A sound file read for import: its samples as interleaved 16-bit values (8-bit sources
// already expanded), its rate as the file gives it, and the AIFF markers and sustain loop.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

struct ImportMarker {
    u16 id = 0;
    u32 position = 0;
    std::string name;
};

struct ImportedSound {
    u32 rate = 0;
    u16 channels = 0;
    u32 frames = 0;
    std::vector<i16> samples;  // channels x frames, interleaved
    std::vector<ImportMarker> markers;
    u16 loopBeginId = 0;  // sustain loop marker ids; 0 when none
    u16 loopEndId = 0;
};

// The header fields alone, enough to size the output before any sample is decoded.
struct ImportedShape {
    u32 rate = 0;
    u16 channels = 0;
    u32 frames = 0;
    u32 markerCount = 0;
    u32 markerNameBytes = 0;
};

// A signed 8-bit sample widened to 16 bits so that -128 and 127 reach the ends of the range.
i16 expandSample8(i8 sample);
