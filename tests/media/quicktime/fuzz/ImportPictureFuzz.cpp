// Picture files of any format through the runtime's importers.
#include <cstddef>
#include <cstdint>

#include "platform/media/GraphicsImporter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    plat::media::PictureImage picture;
    plat::media::decodePictureFile(data, size, picture);
    return 0;
}
