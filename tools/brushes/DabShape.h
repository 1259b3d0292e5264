#pragma once
// The shapes the stamping brushes lay at each dab, and the colours and turns they lay them in:
// a shape answers, for a point of its square (-1 to 1 each way, y down), whether the point is
// outside, in its body or in its accent (a flower's heart, a leaf's vein), which is painted a
// lighter shade of the body's colour.
#include <random>

#include "tools/base/ToolCanvas.h"

enum class DabShape : u8 { Circle, Star, Heart, Square, Diamond, Triangle, Flower, Ring, Cross, Moon, Dots, Nib, Sparkle, Checker, Drop, Leaf };
enum class DabPart : u8 { None, Body, Accent };

DabPart dabPartAt(DabShape shape, float u, float v);

// Whose colour each dab takes: the paint's, the rainbow's in turn, a random shade of the
// paint, or any random hue.
enum class DabColour : u8 { Paint, Rainbow, Shades, Confetti };
// How a dab is turned: not at all, along the stroke, a little more at each dab, or at random.
enum class DabTurn : u8 { None, Heading, Spin, Random };

struct DabLook {
    DabShape shape;
    // Between dab centres, in percent of the size; 0 lays one at every pixel.
    i32 spacingPercent;
    DabColour colour;
    DabTurn turn;
};

// What one dab needs to know of the stroke that lays it.
struct DabPlace {
    float x;
    float y;
    float diameter;
    // Radians.
    float heading;
    // Dabs laid before this one since the press.
    i32 index;
};

// Lays one dab of the look; the random generator decides shades, hues and random turns.
void paintLookDab(ToolCanvas& canvas, const DabLook& look, const DabPlace& place, std::minstd_rand& random);
// The look's pixels between dab centres at the size.
i32 lookSpacing(const DabLook& look, i16 size);
