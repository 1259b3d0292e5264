#include "contentgen/content/MidiMusic.h"

#include <algorithm>
#include <stdexcept>

#include "engine/audio/format/ArchiveMidi.h"
#include "engine/audio/format/MidiEvents.h"

namespace {

constexpr u32 kTicksPerEighth = kTuneDivision / 2;
constexpr u32 kMicrosPerMinute = 60000000;
constexpr u32 kLongestMs = 60000;
constexpr size_t kMaxTracks = 16;
constexpr u8 kDefaultVelocity = 96;
// A note sounds for most of its length, so that repeated keys are heard apart.
constexpr u32 kHeldPart = 7;
constexpr u32 kOfParts = 8;

int inRange(const nlohmann::json& value, int low, int high, const char* what) {
    const int n = value.get<int>();
    if (n < low || n > high) throw std::invalid_argument(std::string("tune ") + what + " out of range");
    return n;
}

// One track's events on `channel`; its length in ticks goes to `ticks`.
std::vector<u8> trackOf(const nlohmann::json& track, u8 channel, u32 microsPerQuarter, bool first, u32* ticks) {
    MidiTrackWriter writer;
    if (first) writer.tempo(0, microsPerQuarter);
    writer.program(0, channel, u8(inRange(track.value("program", nlohmann::json(0)), 0, 127, "program")));
    const u8 velocity = u8(inRange(track.value("velocity", nlohmann::json(kDefaultVelocity)), 1, 127, "velocity"));
    u32 rest = 0;
    *ticks = 0;
    for (const nlohmann::json& note : track.at("notes")) {
        const u8 key = u8(inRange(note.at(0), 0, 127, "key"));
        const u32 length = u32(inRange(note.at(1), 1, 64, "length")) * kTicksPerEighth;
        *ticks += length;
        if (key == 0) {
            rest += length;
            continue;
        }
        const u32 held = length * kHeldPart / kOfParts;
        writer.noteOn(rest, channel, key, velocity).noteOff(held, channel, key);
        rest = length - held;
    }
    writer.end(rest);
    return writer.bytes();
}

}  // namespace

std::vector<u8> composeMidiTune(const nlohmann::json& spec) {
    const nlohmann::json& tune = spec.at("midi");
    const u32 bpm = u32(inRange(tune.at("bpm"), 40, 240, "tempo"));
    const nlohmann::json& tracks = tune.at("tracks");
    if (tracks.empty() || tracks.size() > kMaxTracks) throw std::invalid_argument("a tune has 1 to 16 tracks");
    ArchiveMidiContent content;
    content.format = tracks.size() > 1 ? 1 : 0;
    content.division = kTuneDivision;
    const u32 microsPerQuarter = kMicrosPerMinute / bpm;
    u32 longest = 0;
    for (size_t i = 0; i < tracks.size(); ++i) {
        u32 ticks = 0;
        content.tracks.push_back(trackOf(tracks[i], u8(i), microsPerQuarter, i == 0, &ticks));
        longest = std::max(longest, ticks);
    }
    if (u64(longest) * microsPerQuarter / kTuneDivision / 1000 > kLongestMs)
        throw std::invalid_argument("a tune lasts at most a minute");
    return writeArchiveMidi(content);
}
