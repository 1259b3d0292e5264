#pragma once
// The save question the easel asks before a command drops the page: the reply code the
// question answers with and the text it shows, chosen by the command that waits.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

struct SaveQuestion {
    u32 reply;
    u16 text;
};

// The pending actions: 269 quit, 245 new picture, 246 and 249 open a picture, 279 open a
// project, 5567 the slide shows; any other action has no question ({0, 0}). The project
// opening names what waits for it (`projectCode`): another user's login, the teacher's
// user list, or a slide show.
SaveQuestion saveQuestionFor(u32 action, u32 projectCode = 0);

}  // namespace Ostrel
