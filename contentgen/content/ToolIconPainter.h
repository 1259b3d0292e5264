#pragma once
// Shows what a painting tool paints by running the tool itself: the tool the program's factory
// builds for an index is handed one gesture over a small 16-bit picture, in the size and
// colour given, and the icon is the picture it leaves. Brushes are dragged along a wave (the
// hands-free ones only moved along it, the voice brushes hearing a voice that swells and fades),
// the house parts dragged out as a box, the tree along the ground, the effect brushes zigzag
// over the picture and the whole-picture effects are clicked in its middle.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/gfx/GfxColor.h"

enum class ToolGesture { Wave, Box, Ground, Zigzag, Click };

struct ToolIconRecipe {
    i16 tool = 0;
    i16 size = 10;
    GfxColor colour = GfxColor::rgb(0, 0, 0);
    ToolGesture gesture = ToolGesture::Wave;
};

// "wave", "box", "ground", "zigzag" or "click"; throws std::invalid_argument for another name.
ToolGesture toolGestureNamed(const std::string& name);

// Runs the tool over `pixels` (width x height RGB555 words, rows top-down), which hold the
// picture it starts from. False, with the picture untouched, when the factory builds no tool
// for the index or the tool paints nothing.
bool paintWithTool(const ToolIconRecipe& recipe, std::vector<u16>& pixels, i16 width, i16 height);
