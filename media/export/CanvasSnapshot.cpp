#include "media/export/CanvasSnapshot.h"

#include "engine/gfx/sprites/SprScreen.h"
#include "media/export/PagePicture.h"

std::vector<u8> CanvasSnapshot(const Rect16& canvas) {
    const SprScreen* screen = sprScreen();
    if (!screen || !screen->workPort || canvas.right <= canvas.left || canvas.bottom <= canvas.top) return {};
    return PagePicture::JpegOf(screen->workPort, canvas);
}
