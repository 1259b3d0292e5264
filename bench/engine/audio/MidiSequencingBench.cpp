// Sequencing a MIDI sound of many events: running the whole file without sending (what a
// seek or the duration scan does), beside a naive walk that only reads the events.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "engine/audio/Audio.h"
#include "engine/audio/format/ArchiveMidi.h"
#include "engine/audio/format/MidiEvents.h"
#include "engine/base/MemoryHandles.h"

namespace {

std::vector<u8> trackOf(u32 events) {
    MidiTrackWriter writer;
    for (u32 i = 0; i + 1 < events; i += 2) {
        writer.noteOn(i % 7, u8(i % 16), u8(36 + i % 60), 100);
        writer.noteOff(3, u8(i % 16), u8(36 + i % 60));
    }
    return writer.end(0).bytes();
}

void Sequence(benchmark::State& state) {
    const u32 events = u32(state.range(0));
    if (memInit(0, 512) != kErrNone) return state.SkipWithError("memory");
    ArchiveMidiContent content;
    content.tracks = {trackOf(events)};
    const std::vector<u8> image = writeArchiveMidi(content);
    const memHandle handle = memAllocHandle(u32(image.size()));
    std::memcpy(memLockHandle(handle), image.data(), image.size());
    memUnlockHandle(handle);
    AudioObject* sound = audioNewFromHandle(handle);
    if (!sound || audioGetDuration(sound) == 0) {
        memShutdown();
        return state.SkipWithError("the sound was not read");
    }
    for (auto _ : state) {
        audioSetPosition(sound, 0);
        audioSetPosition(sound, kAudioPositionEnd);
    }
    if (!(sound->AtEnd())) state.SkipWithError("the sequence did not reach its end");
    audioDispose(sound);
    memShutdown();
    state.SetItemsProcessed(int64_t(state.iterations()) * events);
}

void NaiveWalk(benchmark::State& state) {
    const u32 events = u32(state.range(0));
    const std::vector<u8> track = trackOf(events);
    u64 seen = 0;
    for (auto _ : state) {
        size_t pos = 0;
        u8 running = 0;
        u64 ticks = 0;
        while (pos < track.size()) {
            u32 delta = 0;
            MidiEvent event;
            if (!readMidiVarLen(track, &pos, &delta) || !readMidiEvent(track, &pos, &running, &event)) break;
            ticks += delta;
            ++seen;
        }
        benchmark::DoNotOptimize(ticks);
    }
    // The notes and the end of the track.
    if (seen != u64(state.iterations()) * (events + 1)) state.SkipWithError("the walk missed events");
    state.SetItemsProcessed(int64_t(state.iterations()) * events);
}

BENCHMARK(Sequence)->Arg(65536);
BENCHMARK(NaiveWalk)->Arg(65536);

}  // namespace
