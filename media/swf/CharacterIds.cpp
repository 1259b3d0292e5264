#include "media/swf/CharacterIds.h"

#include "engine/base/ByteOrder.h"
#include "media/swf/ButtonTags.h"
#include "media/swf/FrameTags.h"
#include "media/swf/ShapeBlock.h"
#include "media/swf/ShapeTag.h"
#include "media/swf/SoundTags.h"
#include "media/swf/SpriteTag.h"
#include "media/swf/TextTag.h"

namespace swf {

namespace {

// The sound-use block of a named sound: id, in and out points, loops, flags, envelope count.
constexpr u32 kSoundUseSize = 14;

void RemapU16(u8* at, u16 oldId, u16 newId) {
    if (readLE16(at) == oldId) writeLE16(at, newId);
}

// A fill style array: u16 count, then u16 entry offsets from the array's start.
void RemapFills(u8* block, u32 size, u32 array, u16 oldId, u16 newId) {
    if (array == 0 || array + 2 > size) return;
    const u16 count = readLE16(block + array);
    for (u16 i = 0; i < count && array + 4 + 2u * i <= size; ++i) {
        const u32 entry = array + readLE16(block + array + 2 + 2 * i);
        if (entry + 3 > size) continue;
        if (block[entry] == shape::kFillBitmap || block[entry] == shape::kFillBitmapClipped)
            RemapU16(block + entry + 1, oldId, newId);
    }
}

void RemapShape(Block& shapeBlock, u16 oldId, u16 newId) {
    u8* block = shapeBlock.Data();
    const u32 size = shapeBlock.Size();
    if (!block || size < 6) return;
    RemapFills(block, size, readLE16(block), oldId, newId);
    for (u32 at = readLE16(block + 4); at + 2 <= size;) {
        const u16 word = readLE16(block + at);
        const u16 kind = word & 3;
        if (kind == shape::kEndRecord) return;
        if (kind == shape::kStraightEdge) {
            at += shape::kStraightEdgeSize;
        } else if (kind == shape::kCurvedEdge) {
            at += shape::kCurvedEdgeSize;
        } else {
            if (at + shape::kStyleChangeFixedSize > size) return;
            const u16 recordSize = readLE16(block + at + 2);
            if (word & shape::kNewStyles) {
                const u16 fills = readLE16(block + at + 18);
                if (fills) RemapFills(block, size, at + fills, oldId, newId);
            }
            if (recordSize == 0) return;
            at += recordSize;
        }
    }
}

void RemapText(Block& textBlock, u16 oldId, u16 newId) {
    u8* block = textBlock.Data();
    const u32 size = textBlock.Size();
    for (u32 at = text::kRecordsStart; block && at + 4 <= size;) {
        const u16 word = readLE16(block + at);
        const u16 kind = word & 3;
        if (kind == text::kGlyphRun) {
            at += 4 + 6u * readLE16(block + at + 2);
        } else if (kind == text::kStyle) {
            if (at + text::kStyleRecordSize > size) return;
            if (word & text::kHasFont) RemapU16(block + at + 4, oldId, newId);
            at += text::kStyleRecordSize;
        } else {
            return;
        }
    }
}

// A block that names no sound holds the id 0 alone, and stays so.
void RemapSoundUse(Block& use, u16 oldId, u16 newId) {
    if (use.Data() && use.Size() >= kSoundUseSize) RemapU16(use.Data(), oldId, newId);
}

}  // namespace

std::set<u16> UsedCharacterIds(const document& movie) {
    std::set<u16> used;
    for (const tagObject* c = movie.FirstCharacter(); c; c = c->NextCharacter()) used.insert(c->CharacterId());
    return used;
}

u16 NextFreeCharacterId(const std::set<u16>& used, const std::set<u16>& alsoUsed) {
    for (u32 id = 1; id <= 0xFFFF; ++id)
        if (!used.count(u16(id)) && !alsoUsed.count(u16(id))) return u16(id);
    return 0;
}

Result RemapCharacterId(document& movie, u16 oldId, u16 newId) {
    // Id 0 names no character: the fields that hold it mean "none".
    if (oldId == 0) return kOk;
    for (tag* t = movie.FirstTag(); t; t = t->Next()) {
        if (auto* character = dynamic_cast<tagObject*>(t); character && character->CharacterId() == oldId)
            character->SetCharacterId(newId);
        if (auto* button = dynamic_cast<tagDefineButton*>(t)) {
            for (u32 i = 0; i < button->RecordCount(); ++i) RemapU16(button->Record(i) + button::kRecordCharacter, oldId, newId);
        } else if (auto* sounds = dynamic_cast<tagDefineButtonSound*>(t)) {
            for (int i = 0; i < 4; ++i) RemapSoundUse(sounds->MutableSound(i), oldId, newId);
        } else if (auto* shapeTag = dynamic_cast<tagDefineShape*>(t)) {
            RemapShape(shapeTag->MutableShape(), oldId, newId);
        } else if (auto* sprite = dynamic_cast<tagDefineSprite*>(t)) {
            if (sprite->Movie()) SWF_TRY(RemapCharacterId(*sprite->Movie(), oldId, newId));
        } else if (auto* textTag = dynamic_cast<tagDefineText*>(t)) {
            RemapText(textTag->MutableText(), oldId, newId);
        } else if (auto* start = dynamic_cast<tagStartSound*>(t)) {
            RemapSoundUse(start->MutableUse(), oldId, newId);
        } else if (auto* place = dynamic_cast<tagPlaceObject*>(t)) {
            if ((place->flags & kPlaceHasCharacter) && place->characterId == oldId) place->characterId = newId;
        } else if (auto* remove = dynamic_cast<tagRemoveObject*>(t)) {
            if (remove->characterId == oldId) remove->characterId = newId;
        }
    }
    return kOk;
}

}  // namespace swf
