#pragma once
// A page, or a whole slide show, as a QuickTime movie (".mov") that common players open: the
// page's picture (background, pictures, texts) for the page's time, its movies in front of it,
// its sounds, and in a slide show each page after the one before with its transition. The
// movie is written beside the target and moved over it, so a failed or cancelled export keeps
// the user's old file. Results are the codes of ExportFiles.h. User-interface thread.
#include <functional>
#include <string>
#include <vector>

#include "document/pages/RPage.h"
#include "document/project/RDocument.h"
#include "media/export/ExportFiles.h"

namespace Ostrel {

// How long a slide show's transition runs, as long as Play runs it, and in how many pictures.
constexpr i32 kTransitionMs = 600;
constexpr i32 kTransitionFrames = 12;
// A page without sound, movie or timing.
constexpr i32 kDefaultPageMs = 5000;

// A page's movie is of the page's size; a show's of the show's, each slide in its middle with
// the show's colour (RGB555) around it, as the slide show plays it.
struct MovieExportCanvas {
    u16 width = kPageWidth;
    u16 height = kPageHeight;
    u16 background = 0x7FFF;
};

// How long the page plays on its own: its longest movie in whole seconds (an animation counted
// as a movie of `flashMs`) or its last sound, 5000 ms when it has neither. kExportNoBlock for a
// sound that is no wave, kExportMissingMovie for a movie that is none.
i32 PageMovieDuration(const RPageData& page, i32* ms, i32 flashMs = 0);

// `target` is an engine text; its name takes ".mov" unless it ends so. The movie's poster is
// `snapshot`, the canvas as the screen showed it (a JPEG stream of the canvas's size), or
// without one the page as drawn. A page holding nothing that shows or sounds writes no file,
// and that is no failure.
i32 exportPageMovie(const RPageData& page, const MovieExportCanvas& canvas, const std::string& target,
                    const ExportProgress& progress, const std::vector<u8>& snapshot = {});
// The sound heard with the transitions of the sound row's place (an archive wave); empty for
// silence.
using TransitionSoundWave = std::function<std::vector<u8>(u16 place)>;

// The pages in number order, each for its timing (when set) or its own duration; a page with a
// transition comes in through it (the first page over black, as Play shows it) and has its
// transition's sound from its start, for as long as the page lasts at most.
i32 exportProjectMovie(RDocument& document, const MovieExportCanvas& canvas, const std::string& target,
                       const ExportProgress& progress, const TransitionSoundWave& transitionSounds = {});

}  // namespace Ostrel
