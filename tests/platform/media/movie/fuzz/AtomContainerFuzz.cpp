// libFuzzer target: any bytes given to the atom container reader (effect description files,
// effect samples, input maps) are refused or read; what was read writes bytes that read back
// to the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/media/movie/AtomContainer.h"

namespace pm = plat::media;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pm::AtomContainer atoms;
    if (pm::AtomContainer::fromBytes(data, size, &atoms) != pm::kMrNoErr) return 0;
    const std::vector<uint8_t> written = atoms.bytes();
    pm::AtomContainer again;
    if (pm::AtomContainer::fromBytes(written.data(), written.size(), &again) != pm::kMrNoErr) std::abort();
    if (again.bytes() != written) std::abort();
    return 0;
}
