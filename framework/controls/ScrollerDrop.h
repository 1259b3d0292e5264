#pragma once
// What dragging a strip's cell away, or the Delete key on a list, hands the strip's owner:
// posted to the owner as kMsgEntryDropped with this record as the message's payload, which
// lives as long as the message does. The owner adds what only it knows (page paths, names of
// documents).
#include <string>

#include "engine/base/EngineTypes.h"
#include "framework/messaging/RMessage.h"

namespace Ostrel {

constexpr u32 kMsgEntryDropped = 19602;

// Kinds of drop.
constexpr u16 kDropMove = 5;
constexpr u16 kDropDelete = 6;
// Where the entry comes from, and where a move goes.
constexpr u16 kDropSourceStrip = 2;
constexpr u16 kDropSourceList = 3;
constexpr u16 kDropNoDestination = 0;

// The trash-can flags bits that make it take drops; without all of them it refuses them.
constexpr u32 kTrashTakesDrops = 0x7;

struct ScrollerDrop {
    u16 kind = 0;
    u16 source = 0;
    // Item indexes, -1 for none.
    int sourceIndex = -1;
    std::string sourceName;
    u16 destinationKind = kDropNoDestination;
    int destinationIndex = -1;
    // The strip's first visible item when the entry was made.
    int firstVisible = 0;
};

// The record a kMsgEntryDropped message carries.
inline const ScrollerDrop* droppedEntry(const RMessage& message) { return message.Payload<ScrollerDrop>(); }

}  // namespace Ostrel
