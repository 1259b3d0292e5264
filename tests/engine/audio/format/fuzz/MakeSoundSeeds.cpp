// Writes the sound readers' seed corpus with our own writers: PCM and ADPCM waves with cues
// and loops, and MIDI sounds with several tracks, markers and patch lists.
#include <fstream>
#include <string>

#include "engine/audio/format/AdpcmSeekTable.h"
#include "engine/audio/format/ArchiveMidi.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/MidiEvents.h"
#include "tests/FuzzSeeds.h"

namespace {

using fuzzseeds::save;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);

    ArchiveWaveInfo pcm;
    pcm.sampleRate = 22050;
    pcm.frames = 16;
    pcm.bits = 8;
    pcm.cues = {{0, "a"}, {8, "bb"}};
    pcm.loopCount = 2;
    pcm.loopStart = 4;
    pcm.loopEnd = 12;
    save(folder, "pcm", writeArchiveWave(pcm, std::vector<u8>(16, 0x80)));

    ArchiveWaveInfo adpcm;
    adpcm.sampleRate = 11025;
    adpcm.frames = 64;
    adpcm.encoding = kWaveEncodingImaAdpcm;
    const std::vector<AdpcmSeekEntry> states = {{0, {}}, {32, {{{100, 20}, {}}}}};
    adpcm.extraChunks = {{kWaveAdpcmChunk, writeAdpcmSeekTable(states, 1)}, {kWaveTextChunk, {'t'}}};
    save(folder, "adpcm", writeArchiveWave(adpcm, std::vector<u8>(32, 0x37)));

    ArchiveMidiContent midi;
    midi.format = 1;
    midi.division = 120;
    midi.tracks.push_back(MidiTrackWriter().tempo(0, 400000).text(0, kMidiMetaMarker, "setup end")
                              .text(120, kMidiMetaMarker, "loop start").text(480, kMidiMetaMarker, "loop end#2")
                              .end(0).bytes());
    midi.tracks.push_back(MidiTrackWriter().program(0, 0, 4).noteOn(0, 0, 60, 100).noteOn(0, 0, 64, 100)
                              .noteOff(240, 0, 60).text(0, kMidiMetaCuePoint, "cue").end(10).bytes());
    midi.programs = {{4, 1}};
    midi.keys = {{36, 0x200}};
    save(folder, "midi", writeArchiveMidi(midi));
    return 0;
}
