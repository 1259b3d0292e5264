// A whole movie composed into another as a sprite.
#include <new>
#include <vector>

#include "media/swf/CharacterIds.h"
#include "media/swf/DataTags.h"
#include "media/swf/FrameTags.h"
#include "media/swf/MovieBuilder.h"
#include "media/swf/SpriteTag.h"

namespace swf {

namespace {

// How deep the reader finds sprites in a movie: 1 for sprites of the movie itself.
u32 SpriteNesting(const document& movie) {
    u32 deepest = 0;
    for (const tag* t = movie.FirstTag(); t; t = t->Next())
        if (const auto* sprite = dynamic_cast<const tagDefineSprite*>(t); sprite && sprite->Movie())
            deepest = std::max(deepest, 1 + SpriteNesting(*sprite->Movie()));
    return deepest;
}

// DefineBits keeps its tables apart; the bitmap that replaces it carries them before the image.
tagObject* WithTables(tagObject* character, const tagJPEGTables* tables, Result& result) {
    result = kOk;
    if (character->Code() != kTagDefineBits) return character;
    const Block& image = static_cast<tagDefineBits*>(character)->Data();
    const u32 tableSize = tables ? tables->Data().Size() : 0;
    mstream joined(tableSize + image.Size() + 16);
    if (tableSize) result = joined.WriteBytes(tableSize, tables->Data().Data());
    if (result == kOk && image.Size()) result = joined.WriteBytes(image.Size(), image.Data());
    auto* bitmap = result == kOk ? new (std::nothrow) tagDefineBitsJPEG2 : nullptr;
    if (!bitmap) {
        if (result == kOk) result = kErrMemory;
        return nullptr;
    }
    Block data;
    data.Take(joined);
    bitmap->TakeData(data);
    bitmap->SetImageOffset(tableSize);
    bitmap->SetCharacterId(character->CharacterId());
    delete character;
    return bitmap;
}

// Tags that speak for a whole movie, not for a sprite: the background, font information, and
// this system's own signature and colour table, which inside a sprite would be read anew (a
// signature that moved to the front there turns kept bytes into a table).
bool DroppedInMerge(u16 code) {
    return code == kTagSetBackgroundColor || code == kTagDefineFontInfo || code == kTagExtensions ||
           code == kTagColorXTable;
}

}  // namespace

Result MovieBuilder::MergeMovie(std::unique_ptr<document> source, const Matrix& matrix, u16 depth) {
    if (!source) return Keep(kErrBadData);
    // The sprite adds one level above every sprite of the source.
    if (SpriteNesting(*source) + 1 > kMaxSpriteNesting) return Keep(kErrBadData);
    document& target = *document_;
    std::set<u16> used = UsedCharacterIds(target);
    std::set<u16> sourceIds = UsedCharacterIds(*source);
    const tagJPEGTables* tables = source->JpegTables();
    SetCursorToFrame();
    for (tag* t = source->FirstTag(); t;) {
        tag* next = t->Next();
        if (DroppedInMerge(t->Code())) {
            delete t;
            t = next;
            continue;
        }
        auto* character = dynamic_cast<tagObject*>(t);
        if (!character) {
            t = next;
            continue;
        }
        const u16 oldId = character->CharacterId();
        const u16 newId = NextFreeCharacterId(used, sourceIds);
        if (newId == 0) return Keep(kErrBadData);
        // The character and the ones after it that add to it (button colours and sounds).
        std::vector<tagObject*> group{character};
        for (tag* after = next; after; after = after->Next())
            if (auto* same = dynamic_cast<tagObject*>(after); same && same->CharacterId() == oldId) group.push_back(same);
        for (tagObject* member : group) {
            Result result = kOk;
            member->Link(nullptr);
            tagObject* moved = WithTables(member, tables, result);
            if (!moved) {
                delete member;
                return Keep(result);
            }
            moved->SetCharacterId(newId);
            moved->Link(&target);
        }
        used.insert(newId);
        if (newId != oldId) SWF_TRY(Keep(RemapCharacterId(*source, oldId, newId)));
        t = source->FirstTag();
        // Start again from the first tag left: the moved ones are gone from the source.
        while (t && dynamic_cast<tagObject*>(t) == nullptr && !DroppedInMerge(t->Code())) t = t->Next();
    }
    if (source->JpegTables()) delete source->JpegTables();
    // A sprite's tags end with End, or the reader runs on into the tags after the sprite.
    if (!source->LastTag() || source->LastTag()->Code() != kTagEnd) {
        tag* end = new (std::nothrow) tag(kTagEnd);
        if (!end) return Keep(kErrMemory);
        source->SetCursor(source->LastTag());
        end->Link(source.get());
    }

    const u16 spriteId = NextFreeCharacterId(used);
    if (spriteId == 0) return Keep(kErrBadData);
    auto* sprite = new (std::nothrow) tagDefineSprite;
    auto* place = new (std::nothrow) tagPlaceObject(kTagPlaceObject);
    if (!sprite || !place) {
        delete sprite;
        delete place;
        return Keep(kErrMemory);
    }
    RaiseVersion(std::max(source->version, kComposedMovieVersion));
    sprite->Adopt(std::move(source));
    sprite->SetCharacterId(spriteId);
    sprite->Link(&target);
    place->flags = kPlaceHasCharacter | kPlaceHasMatrix;
    place->characterId = spriteId;
    place->depth = depth;
    place->matrix = matrix;
    place->Link(&target);
    return Keep(kOk);
}

}  // namespace swf
