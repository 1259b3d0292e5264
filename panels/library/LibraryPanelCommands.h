#pragma once
// The library panel's messages: its buttons (set 18900: the library label that opens the list,
// previous and next library), what its strip and list post to it, and what it sends the
// screen while a thumbnail is dragged.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

// Show the kind's current library (its path the record's payload; parameter 2 its location
// kind, the user's own opening writable), then the one the user last chose: the screen's
// first word to a panel it made.
constexpr u32 kMsgLibraryOpenFile = 5568;
// Show the library file the record's payload names, when another is shown, on the same page.
constexpr u32 kMsgLibrarySwitchFile = 5569;
// The item's name box while the tool bar changes: parameter 2 zero empties it, non-zero shows it.
constexpr u32 kMsgLibraryNameBox = 5571;
// A thumbnail of the strip was let go outside its cell: parameter 1 packs the point (h in the
// low word, v in the high word), parameter 2 is the strip item.
constexpr u32 kMsgLibraryItemDropped = 5573;
// The kind's library files are about to be replaced (parameter 1: the media kind): the panel
// closes the library it shows, until kMsgLibraryListChanged opens it again.
constexpr u32 kMsgLibraryLetGo = 5572;
// The panel's own libraries changed (parameter 1: the media kind): the list is made again.
constexpr u32 kMsgLibraryListChanged = 5574;
// The page's exclusions changed: the list is made again and the shown library reopened.
constexpr u32 kMsgLibraryExclusionsChanged = 6654;
// A library was chosen: parameter 2 its place in the list, or with parameter 1 non-zero its
// number in the kind's enumeration.
constexpr u32 kMsgLibraryChosen = 14769;
constexpr u32 kMsgLibraryListOpen = 18801;
constexpr u32 kMsgLibraryPrevious = 18802;
constexpr u32 kMsgLibraryNext = 18803;
// To the screen: the colour swatch rests while a thumbnail is dragged, and comes back after.
constexpr u32 kMsgLibrarySwatchOff = 290;
constexpr u32 kMsgLibrarySwatchOn = 291;
// To the screen after the page's objects changed: its Play and menus look again.
constexpr u32 kMsgLibraryPageChanged = 280;
// To the screen, at once: a new page object (parameter 1) for the page; the screen copies it.
constexpr u32 kMsgLibraryPlaceObject = 5570;

}  // namespace Ostrel
