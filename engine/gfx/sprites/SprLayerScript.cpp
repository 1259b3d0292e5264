#include <span>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/sprites/PaletteFade.h"
#include "engine/gfx/sprites/SprLayerState.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "engine/gfx/sprites/format/ShapeScriptFormat.h"
#include "engine/gfx/sprites/format/ShapeScriptReader.h"
#include "engine/regions/Regions.h"
#include "platform/clock/Clock.h"

namespace {

// Converted scripts hold their words in machine order.
u16 word(std::span<const u8> script, u32 at) { return at + 2 <= script.size() ? readLE16(script.data() + at) : 0; }

std::span<const u8> scriptOf(const SprSprite* s) {
    if (s->scriptIndex < 0 && s->range < 0) return {};
    return sprCachedScript(s->scriptIndex, s->shape);
}

void tellOwner(SprSprite* s, i32 event) {
    if (s->callback) s->callback(s, event);
}

// The offset of the first part of the first frame record that has parts.
Point16 shapeOrigin(std::span<const u8> script) {
    for (u32 at = kShapeScriptFirstRecord; at + 2 <= script.size();) {
        const u8 type = script[at], length = script[at + 1];
        if (type == kShapeRecordFrame && length == 0) {
            at += 2;
            continue;
        }
        if (type == kShapeRecordEnd || length == 0) break;
        if (type == kShapeRecordFrame) {
            if (at + 2 + kShapePartSize <= script.size()) return {i16(word(script, at + 4)), i16(word(script, at + 6))};
            at += 2 + kShapePartSize * length;
        } else {
            at += length;
        }
    }
    return {0, 0};
}

void reachEnd(SprSprite* s) {
    if (s->status) *s->status = kSprStatusEnded;
    s->scriptEnded = 1;
    tellOwner(s, kSprEventEnded);
}

bool isValidPart(const SprSprite* s, const SprPart& p) {
    return p.frame != kSprEmptyPart && i16(p.frame) <= i16(sprGroupFrameCount(s->range));
}

Rect16 partRect(const SprSprite* s, const SprPart& p) {
    u16 width = 0, height = 0;
    sprFrameSize(s->range, p.frame, &width, &height);
    return Rect16{p.x, p.y, i16(p.x + width), i16(p.y + height)};
}

void computeBounds(SprSprite* s) {
    if ((s->flags & kSprRegionMode) && s->region) {
        rgnSetEmpty(s->region);
        for (const SprPart* p = s->parts; p->frame != 0; ++p)
            if (isValidPart(s, *p)) rgnUnionRect(s->region, partRect(s, *p));
        const auto* record = static_cast<const RegionRecord*>(memDerefHandle(s->region));
        if (record) s->bounds = record->bounds;
    } else if (s->parts[0].frame != 0) {
        if (isValidPart(s, s->parts[0])) s->bounds = partRect(s, s->parts[0]);
        for (const SprPart* p = s->parts + 1; p->frame != 0; ++p)
            if (isValidPart(s, *p)) rectUnion(&s->bounds, partRect(s, *p));
    }
    if (s->clipEnabled) rectIntersect(&s->bounds, s->clipRect);
    s->noNewFrame = 0;
}

void applyFrameOffsets(SprSprite* s) {
    for (SprPart* p = s->parts; p->frame != 0; ++p) {
        if (p->frame == kSprEmptyPart) continue;
        const Point16 offset = sprFrameOffset(s->range, i16(p->frame));
        p->x = i16(p->x - offset.h);
        p->y = i16(p->y - offset.v);
    }
}

void ensureRegion(SprSprite* s) {
    if (!(s->flags & kSprRegionMode) || s->region) return;
    s->region = rgnCreate();
    if (!s->region) s->flags &= ~kSprRegionMode;
}

// Turns a script's records into the sprite's frame, interval, sounds and events.
class SpriteRecords : public ShapeScriptEvents {
public:
    SpriteRecords(SprSprite* s, std::span<const u8> script) : s_(s), script_(script) {}
    void part(u16 frame, i16 dx, i16 dy) override {
        s_->parts[count_++] = SprPart{frame, i16(s_->position.h + s_->frameOffset.h + dx),
                                      i16(s_->position.v + s_->frameOffset.v + dy)};
    }
    void sound(u16 soundId, u16 slot) override {
        const SprScreen* screen = sprScreen();
        if (screen && screen->soundEnabled && soundId != 0) sprBookSound(s_, soundId, slot);
    }
    void timing(i16 milliseconds) override {
        if (s_->scriptTiming) s_->interval = s_->savedInterval = u32(i32(milliseconds));
    }
    bool event(u16 value) override {
        tellOwner(s_, i32(value));
        scriptKept_ = stillTheScript();
        return scriptKept_;
    }
    void palette(u16 request) override { s_->paletteRequest = request; }
    u16 count() const { return count_; }
    // False once the owner released the script or gave the sprite another one.
    bool scriptKept() const { return scriptKept_; }

private:
    bool stillTheScript() const {
        const std::span<const u8> now = scriptOf(s_);
        return now.data() == script_.data() && now.size() == script_.size();
    }

    SprSprite* s_;
    std::span<const u8> script_;
    u16 count_ = 0;
    bool scriptKept_ = true;
};

// Reads up to the next wait or the end; true when a frame was produced.
bool readRecords(SprSprite* s, std::span<const u8> script) {
    SpriteRecords records(s, script);
    u32 position = s->scriptPosition;
    const ShapeScriptRead read = shapeScriptRead(script, &position, kSprMaxParts, records);
    // A frame record without parts makes an empty frame.
    if (read.frame) s->parts[records.count()].frame = 0;
    // A script let go by the owner is not followed further; a new shape starts where it was set.
    if (!records.scriptKept()) return false;
    s->scriptPosition = position;
    if (read.ended) reachEnd(s);
    return read.frame;
}

}  // namespace

bool sprFrameSize(i16 slot, u16 frame, u16* width, u16* height) {
    std::span<const u8> bitmap = sprGroupFrame(slot, i16(frame));
    if (bitmap.size() < 4) return false;
    *width = readBE16(bitmap.data());
    *height = readBE16(bitmap.data() + 2);
    return true;
}

u16 sprReadyByTime(SprSprite* s) {
    const SprScreen* screen = sprScreen();
    return screen && screen->currentTime >= s->nextStepTime;
}

void sprRefindShapes() {
    SprScreen* screen = sprScreen();
    if (!screen) return;
    for (SprSprite* s = screen->back->inFront; s && s != screen->front; s = s->inFront) {
        if (s->scriptIndex < 0 && s->range < 0) continue;
        if (!sprFindShape(s->shape, &s->scriptIndex, &s->range)) s->scriptIndex = s->range = -1;
    }
}

namespace {

void setShape(SprSprite* s, u16 shape, SprOwnerCallback callback, u16 reposition) {
    if (s->hasShape && s->callback && !s->shapePending) s->callback(s, kSprEventReplaced);
    if (callback) s->callback = callback;
    if (shape == 0) shape = s->shape;
    s->soundDone[0] = s->soundDone[1] = kSprSoundDone;
    if (shape != s->shape || s->shapePending) {
        if (s->shapePending) s->bounds = Rect16{};
        s->shape = shape;
        sprStopSpriteSounds(s);
        s->scriptIndex = -1;
        if (!sprFindShape(shape, &s->scriptIndex, &s->range)) s->scriptIndex = s->range = -1;
    }
    if (s->scriptIndex < 0 || s->range < 0) {
        s->scriptIndex = s->range = -1;
        s->hasShape = 0;
        s->parts[0].frame = 0;
        s->scriptPosition = kShapeScriptFirstRecord;
        tellOwner(s, kSprEventStopped);
        return;
    }
    std::span<const u8> script = sprCachedScript(s->scriptIndex, s->shape);
    if (script.size() < kShapeScriptFirstRecord) return;
    s->scriptPosition = kShapeScriptFirstRecord;
    s->nextStepTime = plat::clockMillis();
    s->hasShape = 1;
    s->changed = 1;
    s->scriptEnded = 0;
    if (s->status) *s->status = kSprStatusStarted;

    const Point16 origin = shapeOrigin(script);
    const Rect16 shapeRect{i16(word(script, kShapeScriptRect)), i16(word(script, kShapeScriptRect + 2)),
                           i16(word(script, kShapeScriptRect + 4)), i16(word(script, kShapeScriptRect + 6))};
    if ((s->shapePending || reposition) && (s->placement == kSprPlaceByShape || reposition)) {
        s->position = Point16{i16(shapeRect.left + origin.h), i16(shapeRect.top + origin.v)};
        s->frameOffset = Point16{i16(-origin.h), i16(-origin.v)};
        s->placement = 0;
        s->clipRect = shapeRect;
    } else if (!sprGroupHasOffsets(s->range)) {
        s->frameOffset = Point16{i16(shapeRect.left - s->position.h), i16(shapeRect.top - s->position.v)};
    } else if (s->placement != kSprPlaceByShape) {
        s->frameOffset = Point16{i16(-origin.h), i16(-origin.v)};
    }
    s->shapePending = 0;
    if (s->region) {
        sprInvalRgn(s->region);
        rgnSetEmpty(s->region);
    } else {
        sprInvalRect(s->bounds);
    }
}

void step(SprScreen* screen, SprSprite* s, memHandle region) {
    if (s->paused || !s->hasShape) return;
    if (s->ready && !s->ready(s)) return;
    if (s->shapePending) {
        setShape(s, s->shape, nullptr, 0);
        if (s->flags & (kSprOneFrame | kSprStopWhenLoaded)) s->hasShape = 0;
        s->changed = 1;
        ensureRegion(s);
    } else {
        ensureRegion(s);
        if (!(s->flags & kSprNoOldArea) && !s->scriptEnded) sprInvalChangedArea(s, region);
        s->nextStepTime = (s->flags & kSprStepFromPrevious) ? s->nextStepTime + s->interval
                                                             : screen->currentTime + s->interval;
        if (s->scriptEnded) {
            if (s->flags & kSprStopAtEnd) {
                if (!(s->flags & kSprNoSoundWait) && (s->soundDone[0] == 0 || s->soundDone[1] == 0)) return;
                s->hasShape = 0;
                if (s->status) *s->status = kSprStatusStopped;
                tellOwner(s, kSprEventStopped);
                return;
            }
            s->scriptPosition = kShapeScriptFirstRecord;
            s->scriptEnded = 0;
        }
        s->changed = 1;
        if (s->flags & kSprOneFrame) s->hasShape = 0;
    }
    std::span<const u8> script = scriptOf(s);
    if (script.size() < kShapeScriptFirstRecord) return;
    if (!readRecords(s, script)) {
        s->noNewFrame = 1;
        return;
    }
    if (s->user) s->user(s);
    if (s->paletteRequest) {
        SetPaletteFromResource(u16(sprGroupIdOf(s->range) + s->paletteRequest - 1));
        s->paletteRequest = 0;
    }
    if (sprGroupHasOffsets(s->range)) applyFrameOffsets(s);
    computeBounds(s);
}

// Owners told of an event may remove the sprite. Outside an update that would free it while
// it is still being worked on, so removals wait until the work is done, as during an update.
template <typename Work>
void withRemovalsDeferred(SprScreen* screen, SprSprite* s, Work work) {
    if (screen->updating) return work();
    screen->updating = 1;
    work();
    screen->updating = 0;
    if (s->deletePending) sprRemove(s, 1, s->deletePending == kSprDeleteMarked);
    sprRunDeferredScreenCalls(screen);
}

}  // namespace

void sprSetShape(SprSprite* s, u16 shape, SprOwnerCallback callback, u16 reposition) {
    SprScreen* screen = sprScreen();
    if (!s || !screen) return;
    withRemovalsDeferred(screen, s, [&] { setShape(s, shape, callback, reposition); });
}

void sprStep(SprSprite* s, memHandle region) {
    SprScreen* screen = sprScreen();
    if (!screen || !s) return;
    withRemovalsDeferred(screen, s, [&] { step(screen, s, region); });
}
