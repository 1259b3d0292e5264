// Stored picture blocks through imgExpandPictureHandle, the runtime linked into the target.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/base/MemoryHandles.h"
#include "media/quicktime/ImgJpeg.h"

extern "C" const plat::media::MediaRuntimeTable* tumbloMediaRuntimeTable();

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = memInit(0, 512) == kErrNone && qtConnectTable(tumbloMediaRuntimeTable(), kQtConnectFlags) == 0;
    if (!ready || size > 0xFFFFF) return 0;
    const memHandle handle = memAllocHandle(u32(size));
    if (!handle) return 0;
    std::memcpy(memLockHandle(handle), data, size);
    memUnlockHandle(handle);
    imgExpandPictureHandle(handle);
    memFreeHandle(handle);
    return 0;
}
