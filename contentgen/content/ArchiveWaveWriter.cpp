#include "contentgen/content/ArchiveWaveWriter.h"

#include "contentgen/content/ArtPainter.h"
#include "sound/import/SoundImport.h"

std::vector<u8> writeArchiveWave(const std::vector<i16>& samples, u32 rate) {
    std::vector<u8> pcm;
    pcm.reserve(samples.size() * 2);
    for (i16 s : samples) {
        pcm.push_back(u8(u16(s)));
        pcm.push_back(u8(u16(s) >> 8));
    }
    std::vector<u8> wave;
    if (ConvertPcmToArchiveWave(pcm, 16, 1, rate, kImportCompress | kImportNoLoop, &wave) != 0)
        throw ArtError("a sound of " + std::to_string(samples.size()) + " samples could not be converted");
    return wave;
}
