// Writes the fuzzer's seed corpus with our own atom container writer: each effect's
// description and an effect's input map of two sources.
#include <string>

#include "platform/media/movie/AtomContainer.h"
#include "platform/media/movie/MovieEffects.h"
#include "tests/FuzzSeeds.h"

namespace pm = plat::media;

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    for (uint32_t effect : {pm::kEffectDissolve, pm::kEffectWipe, pm::kEffectIris, pm::kEffectPush}) {
        pm::AtomContainer description;
        const uint8_t type[4] = {uint8_t(effect >> 24), uint8_t(effect >> 16), uint8_t(effect >> 8), uint8_t(effect)};
        const uint8_t direction[4] = {0, 0, 0, 2};
        description.insertChild(pm::kMrAtomRoot, pm::kEffectTypeAtom, 1, 0, type, 4, nullptr);
        description.insertChild(pm::kMrAtomRoot, pm::kEffectDirectionAtom, 1, 0, direction, 4, nullptr);
        fuzzseeds::save(folder, "effect-" + std::to_string(effect), description.bytes());
    }
    pm::AtomContainer inputs;
    for (uint32_t track : {2u, 3u}) {
        pm::MrAtom source = 0;
        const uint8_t vide[4] = {'v', 'i', 'd', 'e'}, standard[4] = {0, 0, 0, 1};
        inputs.insertChild(pm::kMrAtomRoot, pm::kEffectSourceAtom, 0, 0, nullptr, 0, &source);
        inputs.insertChild(source, pm::kEffectSourceInputAtom, track, 0, nullptr, 0, nullptr);
        inputs.insertChild(source, pm::kEffectSourceTypeAtom, 1, 0, vide, 4, nullptr);
        inputs.insertChild(source, pm::kEffectSourceStdAtom, 1, 0, standard, 4, nullptr);
    }
    fuzzseeds::save(folder, "input-map", inputs.bytes());
    return 0;
}
