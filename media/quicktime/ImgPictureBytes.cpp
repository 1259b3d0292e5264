#include "media/quicktime/ImgPictureBytes.h"

#include <algorithm>

#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "media/quicktime/QtRects.h"
#include "media/quicktime/QtRuntime.h"

namespace {

constexpr u16 kWhite555 = 0x7FFF;

}  // namespace

EngineErr imgReadPictureBytes(std::span<const u8> file, i16 maxWidth, i16 maxHeight, ImgPixels* out) {
    *out = ImgPixels{};
    if (maxWidth <= 0 || maxHeight <= 0) return kDocErrBadSize;
    MrImporter* importer = nullptr;
    plat::media::MrRect natural{};
    if (file.empty() || qtOpenImporterFromMemory(file.data(), file.size(), &importer) != 0 ||
        qtImporterNaturalBounds(importer, &natural) != 0 || natural.right <= natural.left ||
        natural.bottom <= natural.top) {
        qtCloseImporter(importer);
        return kDocErrNotReadable;
    }
    const i16 width = std::min<i16>(i16(natural.right - natural.left), maxWidth);
    const i16 height = std::min<i16>(i16(natural.bottom - natural.top), maxHeight);
    std::vector<u16> pixels(size_t(width) * size_t(height), kWhite555);
    const plat::media::MrRect kept = qtRectOf(Rect16{0, 0, width, height});
    MrWorld* world = nullptr;
    const bool drawn = qtNewWorldOverMemory(&world, plat::media::kMrFormatL555, &kept, reinterpret_cast<u8*>(pixels.data()),
                                            i32(width) * 2) == 0 &&
                       qtImporterSetWorld(importer, world) == 0 && qtImporterDraw(importer) == 0;
    if (world) qtDisposeWorld(world);
    qtCloseImporter(importer);
    if (!drawn) return kDocErrNotReadable;
    *out = ImgPixels{width, height, std::move(pixels)};
    return kErrNone;
}
