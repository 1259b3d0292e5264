#pragma once
// The table of tool names. A tool's id is its index here; the name also heads the tool's
// parameter section in "TB.cfg". The panels' factory builds indices 0-137 (123-137 are the
// page-erase effects) and the text panel's tool is 138.
#include "engine/base/EngineTypes.h"

constexpr i16 kToolCount = 139;
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
