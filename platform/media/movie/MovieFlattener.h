#pragma once
// Writes a movie as a self-contained .mov: the composite of its visual tracks as one Photo-JPEG
// video track whose samples last as long as the picture stays the same (a still page is one
// sample), the mix of its sounds as one IMA 4:1 track (each only when the movie has it), and
// the picture of the tracks used for its poster as a poster track at its poster time. The file is written beside the target,
// flushed to the disk and renamed over it; on any failure the target is left as it was and the
// file beside it is removed.
#include <cstdint>
#include <string>

#include "platform/media/movie/MovieModel.h"
#include "platform/media/movie/MovieWritingLeftover.h"

namespace plat::media {

constexpr uint32_t kFlattenJpegQuality = 0x200;
constexpr MrErr kMrWriteErr = -36;

MrErr flattenMovie(const MrMovie& movie, const char* path);
// The name written before the rename.
std::string flattenTempPath(const std::string& target);

}  // namespace plat::media
