#pragma once
// Effect descriptions and still tracks: an effect's type read from its description, a video
// source added to a description, the image description of an effect, and a one-picture video
// track added to a movie (used to preview a transition and to build transition movies).
// Each returns the first failing runtime result and releases what it made. UI thread.
#include <cstdint>

#include "media/quicktime/QtMovieEditing.h"

constexpr uint32_t kQtAtomEffectType = 0x77686174;   // 'what'
constexpr uint32_t kQtAtomSource = 0x73737263;       // 'ssrc'
constexpr uint32_t kQtAtomSourceInput = 0x696E;      // the source's identifier is this atom's id
constexpr uint32_t kQtAtomSourceType = 0x7479;
constexpr uint32_t kQtAtomSourceTimeStandard = 0x74737464;  // 'tstd'
constexpr uint32_t kQtVendorApple = 0x6170706C;      // 'appl'
// Still tracks: a 600-unit time scale, pictures coded as JPEG at the normal quality.
constexpr MrTime kQtStillTimeScale = 600;
constexpr uint32_t kQtStillQuality = 0x200;

// The effect type of a description (its first 'what' atom, 4 bytes big-endian). A missing
// container or out value is -50 and nothing is stored; a description without a type answers 0
// and leaves `type` as it was; data that is not 4 bytes long is -50.
MrErr qtEffectGetType(MrAtomContainer* container, uint32_t* type);
// Adds an 'ssrc' atom naming source `sourceId` as a video source; the new atom, 0 on failure.
MrAtom qtEffectAddSource(MrAtomContainer* container, uint32_t sourceId);
// The runtime's image description of the effect, marked as the standard vendor's with its
// temporal and spatial qualities 0.
MrErr qtEffectImageDescription(uint32_t effectType, MrHandle* description);
// Adds a video track of `width` x `height` (16.16) to the movie whose media holds `picture`
// (scaled to the movie's box) as one JPEG sample lasting `duration` (600 a second), placed at
// `trackStart`; the new track goes to `outTrack` (null on failure, when no track is left behind).
MrErr qtAddStillTrack(MrMovie* movie, MrWorld* picture, MrTime trackStart, MrTime duration, MrFixed width,
                      MrFixed height, MrTrack** outTrack);
