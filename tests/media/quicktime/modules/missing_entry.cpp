// A runtime whose table has every entry but one empty slot.
#include "platform/media/runtime/MediaRuntimeTable.h"

namespace {

plat::media::MrErr initialize(uint32_t) { return 0; }

}  // namespace

extern "C" __attribute__((visibility("default"))) const plat::media::MediaRuntimeTable* tumbloMediaRuntimeTable() {
    static plat::media::MediaRuntimeTable table{};
    table.version = plat::media::kMediaRuntimeVersion;
    table.entryCount = plat::media::kMediaRuntimeEntryCount;
    table.initialize = initialize;
    return &table;
}
