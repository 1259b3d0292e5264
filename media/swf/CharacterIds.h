#pragma once
// Character ids while movies are composed: the smallest id no character uses, and the
// replacement of one id by another wherever a document's tags name it.
#include <set>

#include "media/swf/Document.h"

namespace swf {

// Ids that characters of the document use (its own, not its enclosing documents').
std::set<u16> UsedCharacterIds(const document& movie);
// The smallest id from 1 up that is in neither set; 0 when every id up to 65535 is taken.
u16 NextFreeCharacterId(const std::set<u16>& used, const std::set<u16>& alsoUsed = {});

// Replaces the old id by the new one in every tag of the document and of its sprites' nested
// documents: character ids, button records and sounds, bitmap fills, text fonts, StartSound,
// PlaceObject and RemoveObject.
Result RemapCharacterId(document& movie, u16 oldId, u16 newId);

}  // namespace swf
