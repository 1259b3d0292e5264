#pragma once
// The runtime table's playback entries over the editing model's movies. A movie opened here
// plays its file's source directly; any other movie gets a player over its composition when
// it is first played. Before each call the player takes over the movie's time scale and box,
// which the editing entries own.
#include "platform/media/entries/MoviePlaybackAbi.h"

namespace plat::media {

MoviePlaybackEntries playbackEntries();

}  // namespace plat::media
