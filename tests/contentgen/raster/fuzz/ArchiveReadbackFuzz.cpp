// Opens arbitrary bytes as an archive and decodes every picture and shape group in it, as the
// preview tool does with whatever archive it is given.
#include <cstdint>

#include "contentgen/raster/ArchiveReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ArchiveReader reader;
    if (!reader.open(std::vector<u8>(data, data + size))) return 0;
    for (const char* type : {"tBMP", "tBMH"}) {
        const ResTypeTables* tables = reader.contents().directory.findType(fourCC(*reinterpret_cast<const char(*)[5]>(type)));
        if (!tables) continue;
        for (const ResIdEntry& e : tables->ids) {
            const auto bytes = reader.find(tables->type, e.id);
            if (!bytes) continue;
            if (type[3] == 'P') (void)decodePicture(*bytes);
            else (void)decodeGroupFrames(*bytes);
        }
    }
    return 0;
}
