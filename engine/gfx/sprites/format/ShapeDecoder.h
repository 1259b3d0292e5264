#pragma once
// The two stream codings of compressed shape groups. Both produce 16-bit units (two bytes in
// stream order) from commands: literal units, repeats of the last one or two units, and coded
// entries that derive a unit from the one before it, from bytes further back or, in method B,
// from a 32-byte table the stream loads (zero until it does).
//
// Streams come from files. The decoder writes exactly out.size() bytes into `out` (a unit
// that would reach past the end is cut there), reads nothing past in.size(), and refuses a
// stream that ends before the output is full or refers to bytes it has not produced yet.
// Pure functions: any thread may call.
#include <cstddef>
#include <span>

#include "engine/base/EngineTypes.h"

enum class ShapeMethod : u8 { A, B };

// kErrNone or kShapeErrDamagedStream; on failure the content of `out` is unspecified.
EngineErr shapeDecode(ShapeMethod method, std::span<const u8> in, std::span<u8> out);

// The most bytes one command can produce: 63 coded entries of the longest back-reference.
constexpr size_t kShapeMaxCommandOutput = 63 * 66;
// The most bytes a stream makes per byte it holds: a one-byte repeat of 63 units.
constexpr u64 kShapeMaxExpansion = 126;
