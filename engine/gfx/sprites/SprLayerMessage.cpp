#include <cstring>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayerState.h"
#include "platform/clock/Clock.h"

namespace {

constexpr u32 kSprShortestMessageMs = 10;
constexpr u16 kSprMessageTextFlags = kGfxTextCenter | kGfxTextMiddle;
constexpr i16 kSprMessageFill = 255;
constexpr i16 kSprMessagePen = 0;

GfxColor paletteColour(i16 index) {
    GfxColor c;
    c.FromIndex(index);
    return c;
}

void stepMessage(SprSprite* s, memHandle) {
    SprScreen* screen = sprScreen();
    if (!screen || !s->hasShape) return;
    if (s->shapePending) {
        sprInvalRect(s->bounds);
        s->changed = 1;
        s->shapePending = 0;
    }
    if (s->data1 != 0 && i32(screen->currentTime - u32(s->data1)) >= 0) {
        u16 id = kSprMessageId;
        sprDispose(&id);
    }
}

void drawMessage(SprSprite* s) {
    SprScreen* screen = sprScreen();
    if (!screen || !s->hasShape) return;
    GfxPort* previous = gfxSetPort(screen->workPort);
    GfxFont* font = gfxSetFont(nullptr);
    GfxColor pen;
    gfxSetForeColor(&pen, paletteColour(kSprMessagePen));
    gfxFillRect(s->bounds, paletteColour(kSprMessageFill), 0);
    gfxFrameRect(s->bounds);
    gfxDrawTextBox(s->bounds, kSprMessageTextFlags, s->message, kGfxWholeText);
    GfxColor ignored;
    gfxSetForeColor(&ignored, pen);
    gfxSetFont(font);
    gfxSetPort(previous);
}

}  // namespace

void sprShowMessage(const char* text, u32 milliseconds, const Rect16* rect) {
    SprScreen* screen = sprScreen();
    if (!screen) return;
    u16 previous = kSprMessageId;
    if (sprFind(previous)) sprDispose(&previous);
    if (milliseconds > 0 && milliseconds < kSprShortestMessageMs) return;
    SprSprite* s = sprFind(sprNew(0, 0, nullptr));
    if (!s) return;
    sprTakeOut(s);
    // A longer text is cut so that the buffer always ends with its NUL.
    std::strncpy(s->message, text ? text : "", kSprMessageBytes - 1);
    s->message[kSprMessageBytes - 1] = '\0';
    s->bounds = rect ? *rect : kSprMessageRect;
    s->flags |= kSprAboveAll | kSprFrontLayer;
    s->id = kSprMessageId;
    s->draw = drawMessage;
    s->step = stepMessage;
    s->data1 = milliseconds ? uintptr_t(u32(plat::clockMillis() + milliseconds)) : 0;
    sprLinkBehind(s, screen->front);
}
