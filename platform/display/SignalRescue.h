#pragma once
// What a termination signal keeps when the user-interface thread does not answer it (an open
// that waits, a long piece of work): the program hands over, after each finished change, the
// bytes of the file its ending would write, and where. The quit signals' watcher writes them
// when the grace for the user-interface thread to start the ending has passed (QuitSignals.h).
// Only the hand-over locks, and only for a swap: the watcher never waits for the thread that
// does not answer.
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// Replaces what a rescue writes: `bytes` as the file `hostPath`; an empty path keeps nothing.
void keepSignalRescue(std::string hostPath, std::vector<uint8_t> bytes);
// Writes what is kept, as one replacement: a new file beside the target, flushed, then moved
// over it, and its folder flushed. Any thread; false when nothing is kept or it fails.
bool writeSignalRescue();

}  // namespace plat
