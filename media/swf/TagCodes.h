#pragma once
// Tag codes of the movie format, and the two codes of this system's own extension tags.
#include "engine/base/EngineTypes.h"

namespace swf {

constexpr u16 kTagEnd = 0;
constexpr u16 kTagShowFrame = 1;
constexpr u16 kTagDefineShape = 2;
constexpr u16 kTagPlaceObject = 4;
constexpr u16 kTagRemoveObject = 5;
constexpr u16 kTagDefineBits = 6;
constexpr u16 kTagDefineButton = 7;
constexpr u16 kTagJPEGTables = 8;
constexpr u16 kTagSetBackgroundColor = 9;
constexpr u16 kTagDefineFont = 10;
constexpr u16 kTagDefineText = 11;
constexpr u16 kTagDoAction = 12;
constexpr u16 kTagDefineFontInfo = 13;
constexpr u16 kTagDefineSound = 14;
constexpr u16 kTagStartSound = 15;
constexpr u16 kTagDefineButtonSound = 17;
constexpr u16 kTagDefineBitsJPEG2 = 21;
constexpr u16 kTagDefineShape2 = 22;
constexpr u16 kTagDefineButtonCxform = 23;
constexpr u16 kTagPlaceObject2 = 26;
constexpr u16 kTagRemoveObject2 = 28;
constexpr u16 kTagDefineShape3 = 32;
constexpr u16 kTagDefineText2 = 33;
constexpr u16 kTagDefineButton2 = 34;
constexpr u16 kTagDefineSprite = 39;
constexpr u16 kTagFrameLabel = 43;
constexpr u16 kTagDefineFont2 = 48;
constexpr u16 kTagExtensions = 512;
constexpr u16 kTagColorXTable = 513;

// A tag header's 6-bit length field holding this value announces a u32 length.
constexpr u32 kLongLengthMark = 63;

}  // namespace swf
