// libFuzzer target: any bytes given to the sound file import are refused or converted into an
// archive wave that the archive reader takes, no larger than the estimate, and that exports.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/audio/format/ArchiveWave.h"
#include "sound/import/ArchiveWaveData.h"
#include "sound/import/SoundImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const u8> image(data, size);
    std::vector<u8> wave;
    if (ConvertSoundFileToArchiveWave(image, kImportCompress, &wave) != kErrNone) return 0;
    u32 estimate = 0;
    if (EstimateConvertedSize(image, 1, &estimate) != kErrNone || estimate < wave.size()) std::abort();
    ArchiveWaveInfo info;
    if (readArchiveWave(wave, &info) != kErrNone) std::abort();
    std::vector<u8> aiff;
    if (info.frames > 0 && ExportArchiveWaveToAiff(wave, &aiff) != kErrNone) std::abort();
    return 0;
}
