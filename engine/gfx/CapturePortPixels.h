#pragma once
// Copies a port's pixels into a new engine bitmap in a memory handle: a big-endian header
// (width, height, row bytes, format: 2 for 8 bits, 0x1003 for machine-order 16 bits, 4 for
// 24 bits) and the rows as they lie in the port's memory (negative row bytes: bottom-up).
// Ports of fewer than 8 bits give 0. With disposeAfter the port is disposed of afterwards;
// otherwise it loses the lock taken here. The current port is restored. User-interface
// thread only.
#include "engine/gfx/GfxPort.h"

memHandle CapturePortPixels(GfxPort* port, bool disposeAfter);
