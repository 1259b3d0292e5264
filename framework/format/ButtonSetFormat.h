#pragma once
// The button-set resource 'MBTN': the buttons of a screen, dialog or panel, each with its state
// shapes, its hot spot and the messages it sends. All fields are big-endian, in this order:
//
//   u16 version (1)
//   u16 button count (at most kMaxButtonSetButtons; count × kButtonRecordSize must fit the
//       bytes that follow, else the set is refused before any button is read), then each button:
//     u16  id (the button's command id, found again by FindButtonByCommand)
//     u16  kind (ButtonKind)
//     u16  shape of state 0 up, 1 highlighted, 2 down, 3 selected (0: the state has no shape)
//     i16  left, top, right, bottom (all 0: the rectangle of the up shape; else left < right,
//          top < bottom)
//     u16  hot-spot kind (ButtonHotSpotKind)
//     u16  region id: for a region hot spot the shape whose frame's part rectangles make up
//          the region; 0 for the other kinds
//     u16  cursor over the button, cursor while pressed (0..28 the cursor table, 30..33 the
//          standard cursors; any other value keeps the hot spot's default)
//     u32  click message (posted when the button is clicked; 0: none)
//     u32  hover message (posted when the pointer comes over it; 0: none)
//     u16  group (0: in no group)
//     u16  flags (kButtonFlag* bits)
//
// The id, the click message and the hover message are three separate values. Pure functions
// over byte buffers; callable from any thread.
#include <array>
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u16 kButtonSetFormatVersion = 1;
constexpr size_t kMaxButtonSetButtons = 256;
constexpr size_t kButtonRecordSize = 40;

// How a button answers a click: a push button goes down and latches until it is released by
// its owner; a toggle is released again by a second click; a select button becomes selected.
enum class ButtonKind : u16 { Push = 0, Toggle = 1, Select = 2 };

// The shape of the area that takes the pointer: the stored rectangle, the rectangle of the
// button's current shape, or a region made of a shape's parts.
enum class ButtonHotSpotKind : u16 { Rect = 4, ShapeRect = 5, Region = 14 };

constexpr u16 kButtonFlagHidden = 0x0001;    // created hidden; the owner shows it
constexpr u16 kButtonFlagDisabled = 0x0002;  // its hot spot starts disabled
constexpr u16 kButtonFlagsKnown = kButtonFlagHidden | kButtonFlagDisabled;

constexpr int kButtonStateCount = 4;

struct ButtonRecord {
    u16 id = 0;
    ButtonKind kind = ButtonKind::Push;
    std::array<u16, kButtonStateCount> shapes{};
    i16 left = 0, top = 0, right = 0, bottom = 0;
    ButtonHotSpotKind hotSpotKind = ButtonHotSpotKind::Rect;
    u16 regionId = 0;
    u16 cursorOver = 0;
    u16 cursorPressed = 0;
    u32 clickMessage = 0;
    u32 hoverMessage = 0;
    u16 group = 0;
    u16 flags = 0;

    bool usesShapeRect() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    friend bool operator==(const ButtonRecord&, const ButtonRecord&) = default;
};

EngineErr parseButtonSet(std::span<const u8> bytes, std::vector<ButtonRecord>* out);
// Refuses what the reader would refuse (count, kinds, rectangle, region id, flags), writing nothing.
EngineErr writeButtonSet(std::span<const ButtonRecord> buttons, std::vector<u8>* out);
