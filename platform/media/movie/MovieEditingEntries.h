#pragma once
// The runtime table's editing entries over the model. Each checks its handles (a null handle
// gives kMrParamErr, null or 0, and the movies error says why) and converts between the
// table's 32-bit time values and the model's 64-bit times.
#include "platform/media/movie/MovieEditingAbi.h"

namespace plat::media {

MovieEditingEntries editingEntries();

}  // namespace plat::media
