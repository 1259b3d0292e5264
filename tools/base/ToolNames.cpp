#include "tools/base/ToolNames.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::array<const char*, kToolCount> kNames = {
    "RealBrush", "Airbrush", "BristleBrush", "ExtrusionBrush",
    "CustomBrush1", "CustomBrush2", "CustomBrush3", "CustomBrush4", "CustomBrush5", "CustomBrush6",
    "CustomBrush7", "CustomBrush8", "CustomBrush9", "CustomBrush10", "CustomBrush11", "CustomBrush12",
    "CustomBrush13", "CustomBrush14", "CustomBrush15", "CustomBrush16",
    "Vessar", "Drippy", "Spiral", "Poly", "TriSpin", "WhispyCircle", "Particle", "Garland", "LeakyPen",
    "ScratchyPen", "LoopingLine1", "LoopingLine2",
    "Bricks", "Log", "Window", "Door", "DoorPlain", "Roof", "DotToDot", "ABC", "Rainbow", "ColorTile",
    "EightWayMirror", "Splat", "Tree",
    "VoiceBrush1", "VoiceBrush2", "VoiceBrush3", "VoiceBrush4", "VoiceBrush5", "VoiceBrush6",
    "VoiceBrush7", "VoiceBrush8", "VoiceBrush9", "VoiceBrush10",
    "Touchless1", "Touchless2", "Touchless3", "Touchless4", "Touchless5", "Touchless6", "Touchless7",
    "Touchless8", "Touchless9", "Touchless10",
    "XRay", "Nuclear", "Emboss", "Lighten", "Sepia", "Colorize", "HueShift", "StripColor", "Pointilize",
    "Posterize", "Solarize",
    "Pinch", "Spherize", "Ripple", "Bubbles", "Burlap", "Whirl", "Pulse", "Wavelet", "Shear", "Flip",
    "Kaleidoscope",
    "SmearBrush", "BlurBrush", "GreyscaleBrush", "ColorizeBrush", "XRayBrush", "EmbossBrush", "EdgeBrush",
    "NuclearBrush", "SolarizeBrush", "HueShiftBrush", "PosterizeBrush", "MosaicBrush",
    "Circle", "Chalk", "Crayon", "Marker",
    "Line", "Curve", "OSquare", "FilledSquare", "OCircle", "FilledCircle", "OPoly", "FilledPoly",
    "CutFree", "OCircleCut", "CutSquare", "CutPoly",
    "Eraser", "SolidFill", "PatternFill", "GradientFill", "SprayGun", "SimpleBitmap", "Cyclic", "MarchingAnts",
    "Firecracker",
    "MovieEraser1", "MovieEraser2", "MovieEraser3", "MovieEraser4", "MovieEraser5", "MovieEraser6",
    "MovieEraser7", "MovieEraser8", "MovieEraser9", "MovieEraser10", "MovieEraser11", "MovieEraser12",
    "MovieEraser13",
    "FullCutEraser", "Text",
};

}  // namespace

const char* toolName(i16 toolId) {
    if (toolId < 0 || toolId >= kToolCount) return nullptr;
    return kNames[size_t(toolId)];
}
