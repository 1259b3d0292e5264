#pragma once
// Our transition effects, drawn by the compositor from two sources. An effect description is an
// atom container: 'what' holds the effect type (4 bytes, big-endian); the optional 'pdir' holds
// a direction (4 bytes: 0 from the left, 1 from the top, 2 from the right, 3 from the bottom).
// An effect track's samples are such descriptions; its media's input map names its sources:
// 'ssrc' atoms in source order (the first is srcA, the second srcB), each with a child 0x696E
// whose id is the index (from 1) of the source track in the movie, a child 0x7479 holding the
// four bytes 'vide' and a child 'tstd'. Source tracks named by an input map are drawn only
// through their effect. The effect runs from the start to the end of its sample.
#include <cstdint>

#include "platform/media/MediaRuntimeAbi.h"

namespace plat::media {

constexpr uint32_t kEffectTypeAtom = 0x77686174;      // 'what'
constexpr uint32_t kEffectDirectionAtom = 0x70646972; // 'pdir'
constexpr uint32_t kEffectSourceAtom = 0x73737263;    // 'ssrc'
constexpr uint32_t kEffectSourceInputAtom = 0x696E;   // 'in': its id is the source track's index
constexpr uint32_t kEffectSourceTypeAtom = 0x7479;    // 'ty'
constexpr uint32_t kEffectSourceStdAtom = 0x74737464; // 'tstd'

constexpr uint32_t kEffectDissolve = 0x64736C76;  // 'dslv': srcA fades into srcB
constexpr uint32_t kEffectWipe = 0x77697065;      // 'wipe': srcB uncovers srcA from the direction's side
constexpr uint32_t kEffectIris = 0x69726973;      // 'iris': srcB grows from the centre in a circle
constexpr uint32_t kEffectPush = 0x70757368;      // 'push': srcB pushes srcA out

bool isKnownEffect(uint32_t type);

// Draws `effect` at progress `progress` (0 to 65536) over 32-bit BGRA maps of equal bounds.
void drawEffect(uint32_t effect, uint32_t direction, int32_t progress, const MrPixMap& a, const MrPixMap& b,
                MrPixMap& out);

}  // namespace plat::media
