// Loads whatever it is given as the SWF bytes of a Flash object on the page: the header read,
// the bytes put in the object's temporary file, every frame rendered into the holder at a small
// size, flipped as the input's length says, then stepped, flipped again and resized. Nothing may crash, hang,
// touch freed memory or leave a temporary file behind.
#include <cstddef>
#include <cstdint>
#include <span>

#include "media/objects/RFlash.h"
#include "media/objects/SwfHost.h"

// Mesa's OSMesa keeps a few small records of every context made current until the process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libOSMesa.so\n"; }

// The loader and its holder alone are fuzzed: the host's sound players and JPEG coding live with
// the engine's audio and the media runtime, which this build leaves out, so no host is made.
void InstallSwfHost() {}

namespace {

class FuzzObject final : public Ostrel::RPageObject {
public:
    FuzzObject() : RPageObject(0, 1) {}
    EngineErr LoadMedia(std::span<const u8>) override { return 0; }
    EngineErr StoreMedia(std::vector<u8>*) const override { return 0; }
    std::unique_ptr<RPageObject> Clone() const override { return nullptr; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RFlash flash(nullptr, Rect16{0, 0, 64, 48});
    FuzzObject object;
    object.rect = Ostrel::PageRect{4, 4, 20, 16};
    object.option = u32(size & 3) << kOptionFlipShift;
    FlashMovie* movie = FlashMovieLoad(&flash, std::span<const u8>(data, size), &object, false);
    if (!movie) return 0;
    FlashMovieStep(movie);
    flash.SetFlips(movie, kFlipHorizontal);
    flash.MoveMovie(movie, Rect16{0, 0, 9, 7});
    return 0;
}
