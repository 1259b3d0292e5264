#pragma once
// The graphics module's error band. Out of memory shares its number with kOsErrOutOfMemory and
// kResErrOutOfMemory; region failures pass the region module's codes on unchanged.
#include "engine/base/EngineTypes.h"

constexpr EngineErr kGfxErrOutOfMemory = 2;
constexpr EngineErr kGfxErrDirectDraw = 10800;
constexpr EngineErr kGfxErrNoPrinter = 10801;
constexpr EngineErr kGfxErrNotSupported = 10802;
constexpr EngineErr kGfxErrPrinting = 10803;
constexpr EngineErr kGfxErrPrintAborted = 10804;
constexpr EngineErr kGfxErrPrintDone = 10805;
constexpr EngineErr kGfxErrNoDisplayMode = 10806;
constexpr EngineErr kGfxErrGdi = 10807;
constexpr EngineErr kGfxErrBadValue = 10850;
constexpr EngineErr kGfxErrBadFormat = 10851;
constexpr EngineErr kGfxErrColorRange = 10852;
constexpr EngineErr kGfxErrHotSpot = 10853;
constexpr EngineErr kGfxErrFontInUse = 10854;
constexpr EngineErr kGfxErrBadFont = 10855;
constexpr EngineErr kGfxErrPrintSetupBusy = 10856;
constexpr EngineErr kGfxErrPrintSetupInvalid = 10857;
constexpr EngineErr kGfxErrNoDocument = 10858;
constexpr EngineErr kGfxErrDocumentPrinting = 10859;
constexpr EngineErr kGfxErrNoPage = 10861;
constexpr EngineErr kGfxErrPageStarted = 10862;
constexpr EngineErr kGfxErrBadPalette = 10864;
constexpr EngineErr kGfxErrBadPattern = 10866;
constexpr EngineErr kGfxErrBadPort = 10867;
constexpr EngineErr kGfxErrPortLocked = 10868;
constexpr EngineErr kGfxErrPortNotLocked = 10869;
constexpr EngineErr kGfxErrNoUpdate = 10871;
constexpr EngineErr kGfxErrUpdateActive = 10872;
constexpr EngineErr kGfxErrNoDecompressor = 10874;
constexpr EngineErr kGfxErrNoPolygon = 10952;
