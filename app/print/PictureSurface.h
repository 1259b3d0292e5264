#pragma once
// Pictures of the open archives ('tBMP') as surfaces of the drawing layer, which is what a
// dialog's picture item shows. The picture is drawn the way the sprite layer draws it (every
// depth, table, packing and compression the engine reads) into a white 24-bit port, whose
// pixels become the surface. User-interface thread only; needs the palettes up.
#include <memory>

#include "engine/base/EngineTypes.h"
#include "platform/gdi/Surface.h"

namespace Ostrel {

// An engine bitmap of `size` bytes, ready to draw. Null when it cannot be drawn.
std::unique_ptr<plat::gdi::Surface> PictureSurface(const u8* bitmap, u32 size);
// The picture `pictureId`; null when no open archive holds it or it cannot be drawn.
std::unique_ptr<plat::gdi::Surface> LoadPictureSurface(u16 pictureId);

}  // namespace Ostrel
