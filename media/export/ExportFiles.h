#pragma once
// What every export shares: its result codes, the progress it reports while it runs, the name
// its target takes, and the one step in which a file it writes appears. Files are named by the
// engine's texts ("C:\folder\name"). User-interface thread.
#include <functional>
#include <span>
#include <string>

#include "engine/base/EngineTypes.h"

// The codes an export ends with, by which its caller picks the message shown.
constexpr i32 kExportOk = 0;
constexpr i32 kExportFailed = 1;
constexpr i32 kExportNoMemory = 10101;
constexpr i32 kExportNoBlock = 10103;
constexpr i32 kExportDiskFull = -36;
constexpr i32 kExportMissingMovie = -192;
constexpr i32 kExportCancelled = -128;

// Told how far an export has come (`done` of `total` steps); false stops it.
using ExportProgress = std::function<bool(u32 done, u32 total)>;

// The target with the extension of its own name replaced by `extension` (given without its
// dot), or added when the name has none: "C:\my.shows\story.v2" gives "C:\my.shows\story.v2.mov"
// and "story.v2.MOV" stays itself.
std::string exportTargetName(const std::string& target, const std::string& extension);

// The text of the file written beside `target` before it is moved over it.
std::string exportScratchName(const std::string& target);

// `bytes` as the whole file `target`: written beside it, flushed and moved over it, so the
// target holds its old bytes or all of the new ones and nothing is left beside it.
i32 exportWriteFile(const std::string& target, std::span<const u8> bytes);

// The export code of a system error: kExportDiskFull for a full disc, else kExportFailed.
i32 exportCodeOfSystemError(u32 error);
