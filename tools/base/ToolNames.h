#pragma once
// The table of tool names. A tool's id is its index here; the name also heads the tool's
// parameter section in "TB.cfg". The panels' factory builds indices 0-137 (123-137 are the
// page-erase effects) and the text panel's tool is 138.
#include "engine/base/EngineTypes.h"

constexpr i16 kToolCount = 139;
constexpr i16 kToolIdRealBrush = 0;
constexpr i16 kToolIdAirbrush = 1;
constexpr i16 kToolIdBristleBrush = 2;
constexpr i16 kToolIdExtrusionBrush = 3;
// RCustomBrush1 .. RCustomBrush16 are 4 .. 19.
constexpr i16 kToolIdCustomBrush1 = 4;
constexpr i16 kToolIdVessar = 20;
constexpr i16 kToolIdDrippy = 21;
constexpr i16 kToolIdSpiral = 22;
constexpr i16 kToolIdPoly = 23;
constexpr i16 kToolIdTriSpin = 24;
constexpr i16 kToolIdWhispyCircle = 25;
constexpr i16 kToolIdParticle = 26;
constexpr i16 kToolIdGarland = 27;
constexpr i16 kToolIdLeakyPen = 28;
constexpr i16 kToolIdScratchyPen = 29;
constexpr i16 kToolIdLoopingLine1 = 30;
constexpr i16 kToolIdLoopingLine2 = 31;
constexpr i16 kToolIdBricks = 32;
constexpr i16 kToolIdLog = 33;
constexpr i16 kToolIdWindow = 34;
constexpr i16 kToolIdDoor = 35;
constexpr i16 kToolIdDoorPlain = 36;
constexpr i16 kToolIdRoof = 37;
constexpr i16 kToolIdDotToDot = 38;
constexpr i16 kToolIdABC = 39;
constexpr i16 kToolIdRainbow = 40;
constexpr i16 kToolIdColorTile = 41;
constexpr i16 kToolId8WayMirror = 42;
constexpr i16 kToolIdSplat = 43;
constexpr i16 kToolIdTree = 44;
// RCustomVoiceBrush1 .. 10 are 45 .. 54, RTouchless1 .. 10 are 55 .. 64.
constexpr i16 kToolIdVoiceBrush1 = 45;
constexpr i16 kToolIdTouchless1 = 55;
constexpr i16 kToolIdCircle = 99;
constexpr i16 kToolIdChalk = 100;
constexpr i16 kToolIdCrayon = 101;
constexpr i16 kToolIdMarker = 102;
constexpr i16 kToolIdLine = 103;
constexpr i16 kToolIdCurve = 104;
constexpr i16 kToolIdOSquare = 105;
constexpr i16 kToolIdFilledSquare = 106;
constexpr i16 kToolIdOCircle = 107;
constexpr i16 kToolIdFilledCircle = 108;
constexpr i16 kToolIdOPoly = 109;
constexpr i16 kToolIdFilledPoly = 110;
constexpr i16 kToolIdCutFree = 111;
constexpr i16 kToolIdOCircleCut = 112;
constexpr i16 kToolIdCutSquare = 113;
constexpr i16 kToolIdCutPoly = 114;
constexpr i16 kToolIdEraser = 115;
constexpr i16 kToolIdSolidFill = 116;
constexpr i16 kToolIdPatternFill = 117;
constexpr i16 kToolIdGradientFill = 118;
constexpr i16 kToolIdSprayGun = 119;
constexpr i16 kToolIdSimpleBitmap = 120;
constexpr i16 kToolIdCyclic = 121;
constexpr i16 kToolIdMarchingAnts = 122;
constexpr i16 kToolIdFirecracker = 123;
constexpr i16 kToolIdFullCutEraser = 137;
constexpr i16 kToolIdText = 138;

// Null for an index outside the table.
const char* toolName(i16 toolId);
