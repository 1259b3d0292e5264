#pragma once
// A page as one Flash movie of a single frame: the page's picture (background, pictures and
// texts) as a JPEG bitmap at depth 0, each of its Flash objects merged in as a sprite at
// depths 1, 2, 3, ... (mirrored ones with a negative scale), and each sound as an event sound.
// The movie's frame is two pixels narrower and one pixel lower than the canvas.
// User-interface thread.
#include <string>
#include <vector>

#include "document/pages/RPageData.h"
#include "media/export/PageMovieExport.h"
#include "media/swf/SwfTypes.h"

namespace Ostrel {

// Flip bits of a Flash object's option word.
constexpr u32 kFlashFlipHorizontal = 0x100;
constexpr u32 kFlashFlipVertical = 0x200;

// The movie's frame in twips for a canvas; false for a canvas too small to leave one.
bool FlashFrameOfCanvas(const MovieExportCanvas& canvas, swf::Rect* frame);

// The movie's bytes: kExportFailed for a canvas without a frame or a Flash object or sound
// whose data cannot be read (the first such object's failure), kExportNoMemory when the picture
// cannot be made.
i32 composePageFlash(const RPageData& page, const MovieExportCanvas& canvas, std::vector<u8>* movie);
// The movie as the file `target` (an engine text; its name takes ".swf" unless it ends so).
i32 exportPageFlash(const RPageData& page, const MovieExportCanvas& canvas, const std::string& target);

}  // namespace Ostrel
