#pragma once
// A movie is written beside its target under the target's name with kMovieWritingSuffix, and
// renamed over the target once whole: a file of such a name that no write is making is what a
// killed write left, never a movie anyone can play.
#include <string_view>

namespace plat::media {

constexpr std::string_view kMovieWritingSuffix = ".writing";

// Whether a file's name (without its folder) is a movie's unfinished write ("Dog.mov.writing").
inline bool isMovieWritingLeftover(std::string_view name) {
    if (!name.ends_with(kMovieWritingSuffix)) return false;
    name.remove_suffix(kMovieWritingSuffix.size());
    for (std::string_view movie : {".mov", ".MOV", ".mp4", ".MP4"})
        if (name.size() > movie.size() && name.ends_with(movie)) return true;
    return false;
}

}  // namespace plat::media
