#pragma once
// Starting and stopping the one demonstration movie: the getting-started movie of the easel or
// the picker ([HelpDemos] "GetStartedEasel" / "GetStartedPicker" of "TB.cfg") and the help
// pages' demonstrations ("DemoPrefix", the page's name, "DemoSuffix"), all in the program's
// demonstration folder. A movie is read whole into memory, opened there and shown from its
// origin over the current screen in the process-wide slot (media/objects/RDemoMovie.h), which
// it takes over from any demonstration before it. A file that is missing, too large or no movie
// gives no demonstration and no message. User-interface thread only.
#include <string>

#include "engine/regions/Rects.h"

class DemoMovieObj;

namespace Ostrel {

constexpr const char* kHelpDemosSection = "HelpDemos";
constexpr const char* kGetStartedEaselKey = "GetStartedEasel";
constexpr const char* kGetStartedPickerKey = "GetStartedPicker";
constexpr const char* kDemoPrefixKey = "DemoPrefix";
constexpr const char* kDemoSuffixKey = "DemoSuffix";
// Each setting and the whole path are cut to this many characters.
constexpr size_t kDemoPathChars = 260;
// A demonstration movie is small; a larger file is not read.
constexpr size_t kDemoMovieMaxBytes = 64u << 20;
// Where the movies' top-left corners go on the 800 x 600 screen: inside the getting-started
// dialog above its play button, and inside the help page's text frame.
constexpr Point16 kGetStartedMovieOrigin{240, 184};
constexpr Point16 kHelpDemoOrigin{275, 190};

// The getting-started movie's file for the easel (or, when false, the picker); empty when the
// program has no settings or paths.
std::string GettingStartedMovieFile(bool easel);
// The demonstration of the help page `item`.
std::string HelpDemoMovieFile(const std::string& item);

// Opens the movie at `origin` with its sprite and puts it in the slot; its record, or null
// (nothing shown) when the file gives no movie.
DemoMovieObj* StartDemoMovie(const std::string& file, Point16 origin);
// The slot's current movie, or null.
DemoMovieObj* CurrentDemoMovie();
// Stops the slot's movie and empties the slot.
void StopDemoMovie();

}  // namespace Ostrel
