#pragma once
// The thumbnail a library panel shows for an item the child brought in from a file, in the
// stored form of the libraries' thumbnails: a picture made small, keeping its proportions;
// the first picture of a Flash movie or a movie, on white; the sounds' icon for a sound.
#include <vector>

#include "document/objects/RPageObject.h"
#include "document/storage/PictureRecord.h"

namespace Ostrel {

// As wide as the installed libraries' thumbnails.
constexpr u16 kLibraryThumbnailSide = 64;

// Empty for a picture without pixels.
std::vector<u8> LibraryThumbnail(const PictureRecord& picture);
std::vector<u8> LibraryThumbnail(const RPageObject& object);

}  // namespace Ostrel
