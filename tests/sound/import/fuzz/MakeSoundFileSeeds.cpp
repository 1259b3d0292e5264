// Writes the sound file readers' seed corpus with the tests' own writers: WAVE PCM and MS
// ADPCM, AIFF with markers and a sustain loop.
#include <fstream>
#include <string>

#include "tests/sound/import/SoundFileBytes.h"
#include "tests/FuzzSeeds.h"

namespace {

using fuzzseeds::save;

}  // namespace

int main(int argc, char** argv) {
    using namespace soundfiles;
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    save(folder, "wave16", makeWave(sine(40, 2, 440, 22050), 2, 22050, 16));
    save(folder, "wave8", makeWave(sine(41, 1, 440, 11025), 1, 11025, 8));
    save(folder, "msadpcm", makeMsAdpcmWave(sine(100, 2, 440, 22050), 2, 22050, 32));
    save(folder, "aiff", makeAiff(sine(50, 1, 440, 32000), 1, 32000, 16, {{1, 3, "b"}, {2, 40, "e"}, {3, 9, "cue"}}, 1, 2));
    save(folder, "aiff8", makeAiff(sine(20, 2, 440, 48000), 2, 48000, 8));
    return 0;
}
