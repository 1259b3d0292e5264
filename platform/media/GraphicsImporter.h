#pragma once
// Graphics importers: a picture file read whole (JPEG, PNG, GIF, BMP or PICT, told apart by
// their first bytes), drawn into a world at its natural bounds or scaled into a set rectangle.
#include <string>

#include "platform/media/MediaRuntimeAbi.h"
#include "platform/media/PictureImage.h"

struct plat::media::MrImporter {
    PictureImage picture;
    MrWorld* world = nullptr;
    MrRect drawRect{};
};

namespace plat::media {

// Files larger than this are not pictures we import.
constexpr uint64_t kMaxPictureFileBytes = uint64_t(256) << 20;

// Decodes a picture held in memory; kMrCantFindHandler when no reader knows its first bytes.
MrErr decodePictureFile(const uint8_t* data, size_t size, PictureImage& out);

MrErr openImporter(const char* path, MrImporter** out);
// The same for a picture file held in memory (another program's copy); the bytes are read at
// once and not kept.
MrErr openImporterFromMemory(const uint8_t* data, size_t size, MrImporter** out);
MrErr importerNaturalBounds(MrImporter* importer, MrRect* out);
MrErr importerSetWorld(MrImporter* importer, MrWorld* world);
MrErr importerSetDrawRect(MrImporter* importer, const MrRect* rect);
MrErr importerDraw(MrImporter* importer);
void closeImporter(MrImporter* importer);

// Draws the picture scaled onto `rect` of the world (world coordinates), clipped to it;
// pixels are blended by their alpha.
void drawPicture(const PictureImage& picture, MrWorld& world, const MrRect& rect);

}  // namespace plat::media
