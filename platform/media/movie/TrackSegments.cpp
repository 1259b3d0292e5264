#include "platform/media/movie/TrackSegments.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

namespace plat::media {

namespace {

// Media units an edit advances over `span` movie units of its track.
int64_t mediaSpan(const MrTrack& track, const TrackEdit& edit, int64_t span) {
    return int64_t(__int128(span) * edit.media->timeScale * edit.rate / (__int128(track.movie->timeScale) << 16));
}

// Makes an edit start exactly at `time` (splitting the one across it, or padding the track
// with an empty edit up to it) and returns its index.
size_t splitAt(MrTrack& track, int64_t time) {
    int64_t start = 0;
    for (size_t i = 0; i < track.edits.size(); ++i) {
        TrackEdit& edit = track.edits[i];
        if (time == start) return i;
        if (time < start + edit.duration) {
            TrackEdit tail = edit;
            const int64_t head = time - start;
            tail.duration = edit.duration - head;
            if (edit.media && edit.mediaTime >= 0) tail.mediaTime = edit.mediaTime + mediaSpan(track, edit, head);
            edit.duration = head;
            track.edits.insert(track.edits.begin() + ptrdiff_t(i + 1), tail);
            return i + 1;
        }
        start += edit.duration;
    }
    if (time > start) track.edits.push_back(TrackEdit{time - start, nullptr, -1, 0x10000});
    return track.edits.size();
}

// Joins neighbouring empty edits, which splitting and deleting leave behind.
void mergeEmpty(MrTrack& track) {
    std::vector<TrackEdit> merged;
    for (TrackEdit& edit : track.edits) {
        if (edit.duration <= 0) continue;
        if (!edit.media && !merged.empty() && !merged.back().media)
            merged.back().duration += edit.duration;
        else
            merged.push_back(std::move(edit));
    }
    track.edits = std::move(merged);
}

}  // namespace

MrErr insertTrackSegment(MrTrack& source, int64_t sourceIn, int64_t sourceDuration, MrTrack& destination,
                         int64_t destinationIn) {
    if (sourceIn < 0 || destinationIn < 0 || sourceDuration < 0 || sourceIn + sourceDuration > source.duration())
        return kMrInvalidTime;
    if (sourceDuration == 0) return kMrNoErr;
    const int64_t fromScale = source.movie->timeScale, toScale = destination.movie->timeScale;
    // Boundaries are converted from the segment's start, so the pieces add up to the whole.
    auto converted = [&](int64_t sourceTime) {
        return int64_t(__int128(sourceTime - sourceIn) * toScale / fromScale);
    };
    std::vector<TrackEdit> pieces;
    try {
        int64_t start = 0;
        const int64_t end = sourceIn + sourceDuration;
        for (const TrackEdit& edit : source.edits) {
            const int64_t editEnd = start + edit.duration;
            const int64_t from = std::max(start, sourceIn), to = std::min(editEnd, end);
            if (from < to) {
                TrackEdit piece = edit;
                piece.duration = converted(to) - converted(from);
                if (edit.media && edit.mediaTime >= 0)
                    piece.mediaTime = edit.mediaTime + mediaSpan(source, edit, from - start);
                if (piece.duration > 0) pieces.push_back(std::move(piece));
            }
            start = editEnd;
        }
        const size_t at = splitAt(destination, destinationIn);
        destination.edits.insert(destination.edits.begin() + ptrdiff_t(at), pieces.begin(), pieces.end());
        mergeEmpty(destination);
    } catch (const std::bad_alloc&) {
        return kMrMemFullErr;
    }
    return kMrNoErr;
}

MrErr deleteTrackSegment(MrTrack& track, int64_t start, int64_t duration) {
    if (start < 0 || duration < 0 || start + duration > track.duration()) return kMrInvalidTime;
    if (duration == 0) return kMrNoErr;
    try {
        const size_t first = splitAt(track, start);
        const size_t last = splitAt(track, start + duration);
        track.edits.erase(track.edits.begin() + ptrdiff_t(first), track.edits.begin() + ptrdiff_t(last));
        mergeEmpty(track);
    } catch (const std::bad_alloc&) {
        return kMrMemFullErr;
    }
    return kMrNoErr;
}

MrErr scaleTrackSegment(MrTrack& track, int64_t start, int64_t oldDuration, int64_t newDuration) {
    if (start < 0 || oldDuration <= 0 || start + oldDuration > track.duration()) return kMrInvalidTime;
    if (newDuration <= 0) return kMrInvalidDuration;
    try {
        const size_t first = splitAt(track, start);
        const size_t last = splitAt(track, start + oldDuration);
        int64_t offset = 0, placed = 0;
        for (size_t i = first; i < last; ++i) {
            TrackEdit& edit = track.edits[i];
            offset += edit.duration;
            const int64_t end = int64_t(__int128(offset) * newDuration / oldDuration);
            const int64_t scaled = end - placed;
            if (scaled > 0 && edit.media)
                edit.rate = MrFixed(std::min<__int128>(__int128(edit.rate) * edit.duration / scaled, INT32_MAX));
            edit.duration = scaled;
            placed = end;
        }
        mergeEmpty(track);
    } catch (const std::bad_alloc&) {
        return kMrMemFullErr;
    }
    return kMrNoErr;
}

MrErr insertMediaIntoTrack(MrTrack& track, int64_t trackStart, int64_t mediaTime, int64_t mediaDuration, MrFixed rate) {
    if (!track.media) return kMrInvalidMedia;
    if (rate <= 0 || mediaDuration <= 0) return kMrInvalidDuration;
    if (trackStart < -1 || mediaTime < -1) return kMrInvalidTime;
    if (trackStart == -1) trackStart = track.duration();
    const int64_t duration =
        int64_t(__int128(mediaDuration) * track.movie->timeScale * 0x10000 / (__int128(track.media->timeScale) * rate));
    if (duration <= 0) return kMrInvalidDuration;
    try {
        const size_t at = splitAt(track, trackStart);
        track.edits.insert(track.edits.begin() + ptrdiff_t(at),
                           TrackEdit{duration, mediaTime >= 0 ? track.media : nullptr, mediaTime, rate});
        mergeEmpty(track);
    } catch (const std::bad_alloc&) {
        return kMrMemFullErr;
    }
    return kMrNoErr;
}

}  // namespace plat::media
