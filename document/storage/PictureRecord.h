#pragma once
// A stored picture: the background picture and the bitmaps of a page ('tBMP'), a movable
// bitmap with its mask ('tMBM') and thumbnails ('tTHM', 100 x 75). Big-endian:
//
//   u16 version (1)   u16 width   u16 height   (each 1 .. kPictureMaxSide)
//   width x height pixels of 4 bytes (red, green, blue, alpha), rows from the top
//   with a mask only: width x height bytes, 0 for a transparent pixel, else opaque
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u16 kPictureRecordVersion = 1;
constexpr u16 kPictureMaxSide = 4096;
constexpr u16 kThumbnailWidth = 100;
constexpr u16 kThumbnailHeight = 75;

struct PictureRecord {
    u16 width = 0;
    u16 height = 0;
    std::vector<u8> pixels;  // width * height * 4
    std::vector<u8> mask;    // empty, or width * height
    bool operator==(const PictureRecord&) const = default;
};

// withMask: the record must end with a mask (a 'tMBM'), else must not.
EngineErr parsePictureRecord(std::span<const u8> bytes, bool withMask, PictureRecord* picture);
EngineErr writePictureRecord(const PictureRecord& picture, bool withMask, std::vector<u8>* bytes);
