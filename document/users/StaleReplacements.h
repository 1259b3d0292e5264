#pragma once
// The new files a save writes beside its target before moving them over it
// (kOsReplacementSuffix), and a movie export's unfinished movie, are only ever stale once no
// save or export runs: one a kill left in the program's folders goes at the next start,
// whether or not its own file is ever saved again.
#include <string>

namespace Ostrel {

// Removes every replacement and unfinished movie in the folder (an engine text) and the
// folders below it, at most `depth` levels down.
void RemoveStaleReplacements(const std::string& folder, int depth);

}  // namespace Ostrel
