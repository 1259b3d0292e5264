#pragma once
// Editing a track's list of edits: segments of another track inserted, spans deleted or
// scaled to a new duration, a span of the track's media placed. Times are 64-bit in each
// owner's scale; conversions between scales keep every boundary exact to the unit, so pieces
// laid end to end leave no gaps.
#include <cstdint>

#include "platform/media/movie/MovieModel.h"

namespace plat::media {

MrErr insertTrackSegment(MrTrack& source, int64_t sourceIn, int64_t sourceDuration, MrTrack& destination,
                         int64_t destinationIn);
MrErr deleteTrackSegment(MrTrack& track, int64_t start, int64_t duration);
MrErr scaleTrackSegment(MrTrack& track, int64_t start, int64_t oldDuration, int64_t newDuration);
// trackStart -1 appends at the track's end.
MrErr insertMediaIntoTrack(MrTrack& track, int64_t trackStart, int64_t mediaTime, int64_t mediaDuration, MrFixed rate);

}  // namespace plat::media
