#include "framework/resources/mfxReadResource.h"

#include "engine/resources/ResourceManager.h"

EngineErr mfxReadResource(FourCC type, u16 id, std::vector<u8>* out) {
    const ResourceRef ref = resFindResource(type, id, 0);
    if (ref == 0) return kResErrNotFound;
    const i32 size = resGetResourceSize(ref);
    if (size < 0) return resGetLastError();
    std::vector<u8> bytes(static_cast<size_t>(size));
    u32 count = u32(size);
    if (EngineErr err = resReadResource(ref, bytes.data(), &count, 0); err != kErrNone) return err;
    bytes.resize(count);
    *out = std::move(bytes);
    return kErrNone;
}
