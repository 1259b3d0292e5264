#include <cstdio>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayerState.h"

namespace {

constexpr u32 kSprCountMessageMs = 1000;

GfxColor paletteColour(i16 index) {
    GfxColor c;
    c.FromIndex(index);
    return c;
}

void showCount(const SprScreen& screen) {
    int count = 0;
    bool message = false;
    for (SprSprite* s = screen.back->inFront; s && s != screen.front; s = s->inFront) {
        ++count;
        message |= s->id == kSprMessageId;
    }
    char text[32];
    std::snprintf(text, sizeof text, "vObjects: %d", count - (message ? 1 : 0));
    sprShowMessage(text, kSprCountMessageMs, nullptr);
}

void dumpOne(const SprScreen& screen, const SprSprite* s) {
    if (rectIsEmpty(s->bounds)) {
        if (s == screen.front) showCount(screen);
        return;
    }
    gfxFillRect(s->bounds, paletteColour(255), 0);
    gfxFrameRect(s->bounds);
    char label[16];
    std::snprintf(label, sizeof label, "%c%u", s->hidden ? 'H' : s->hasShape ? '+' : '-', unsigned(s->shape));
    gfxDrawTextBox(s->bounds, 0, label, kGfxWholeText);
}

}  // namespace

void sprDumpObjects(i16 index) {
    SprScreen* screen = sprScreen();
    if (!screen || !screen->windowPort) return;
    GfxPort* previous = gfxSetPort(screen->windowPort);
    GfxFont* font = gfxSetFont(nullptr);
    GfxColor pen;
    gfxSetForeColor(&pen, paletteColour(0));
    i16 place = 0;
    for (SprSprite* s = screen->back; s; s = s->inFront, ++place)
        if (index == 0 || place == index) dumpOne(*screen, s);
    GfxColor ignored;
    gfxSetForeColor(&ignored, pen);
    gfxSetFont(font);
    gfxSetPort(previous);
}
