// contentspeak <voice> <text>...
// Speaks the texts in order with one freshly started espeak-ng and writes to standard output,
// per text, the sample rate and the sample count (two native u32) and then the mono 16-bit
// samples. The generator starts it once per batch of texts: a process of its own keeps a batch
// independent of what was spoken before, and starting it with exec is safe from the
// generator's worker threads, where a bare fork would copy locks other threads hold.
#include <espeak-ng/speak_lib.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int kSpeechRate = 140;
constexpr int kSpeechPitch = 60;

std::vector<int16_t> samples;

int collect(short* data, int count, espeak_EVENT*) {
    if (data && count > 0) samples.insert(samples.end(), data, data + count);
    return 0;
}

bool writeAll(const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(STDOUT_FILENO, p, size);
        if (n <= 0) return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
    bool ok = rate > 0 && espeak_SetVoiceByName(argv[1]) == EE_OK;
    if (ok) {
        espeak_SetSynthCallback(collect);
        espeak_SetParameter(espeakRATE, kSpeechRate, 0);
        espeak_SetParameter(espeakPITCH, kSpeechPitch, 0);
    }
    for (int i = 2; i < argc; ++i) {
        samples.clear();
        const char* text = argv[i];
        ok = ok && espeak_Synth(text, std::strlen(text) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr) == EE_OK &&
             espeak_Synchronize() == EE_OK;
        const uint32_t header[2] = {ok ? uint32_t(rate) : 0u, uint32_t(samples.size())};
        ok = writeAll(header, sizeof header) && writeAll(samples.data(), samples.size() * sizeof(int16_t)) && ok;
    }
    return ok ? 0 : 1;
}
