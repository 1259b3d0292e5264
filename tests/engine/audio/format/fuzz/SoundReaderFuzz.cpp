// libFuzzer target: any bytes given to the archive sound readers are refused or read within
// their bounds; every track of a MIDI image read is walked event by event to its end, and a
// wave's samples, cues and decoder states lie inside the image.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/audio/format/AdpcmSeekTable.h"
#include "engine/audio/format/ArchiveMidi.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/MidiEvents.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const u8> image(data, size);
    ArchiveWaveInfo wave;
    if (readArchiveWave(image, &wave) == kErrNone) {
        if (u64(wave.sampleOffset) + wave.sampleBytes > size) std::abort();
        for (const WaveChunk& chunk : wave.extraChunks) {
            std::vector<AdpcmSeekEntry> entries;
            if (chunk.tag == kWaveAdpcmChunk && parseAdpcmSeekTable(chunk.data, 1, &entries)) {
                for (const AdpcmSeekEntry& e : entries)
                    if (e.channels[0].index > kImaMaxStepIndex) std::abort();
            }
        }
    }
    ArchiveMidiInfo midi;
    if (readArchiveMidi(image, &midi) == kErrNone) {
        for (const MidiTrackSpan& track : midi.tracks) {
            if (u64(track.offset) + track.length > size) std::abort();
            const std::span<const u8> bytes = image.subspan(track.offset, track.length);
            size_t pos = 0;
            u8 running = 0;
            while (pos < bytes.size()) {
                u32 delta = 0;
                MidiEvent event;
                if (!readMidiVarLen(bytes, &pos, &delta) || !readMidiEvent(bytes, &pos, &running, &event)) break;
                if (pos > bytes.size()) std::abort();
                if (event.kind == MidiEventKind::End) break;
            }
        }
    }
    return 0;
}
