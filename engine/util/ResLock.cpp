#include "engine/util/ResLock.h"

#include <set>

namespace {

std::multiset<ResourceRef>& heldRefs() {
    static std::multiset<ResourceRef> refs;
    return refs;
}

}  // namespace

ResLock::~ResLock() {
    Release();
}

void ResLock::Release() {
    if (!ref_) return;
    auto& refs = heldRefs();
    const auto found = refs.find(ref_);
    if (found != refs.end()) refs.erase(found);
    if (refs.count(ref_) == 0) resSetResourceProtected(ref_, 0);
    ref_ = 0;
}

ResourceRef ResLock::Lock(ResMapHandle file, FourCC type, u16 id, EngineErr* outError) {
    Release();
    const ResourceRef ref = resFindResource(type, id, file);
    if (!ref) {
        if (outError) *outError = resGetLastError();
        return 0;
    }
    auto& refs = heldRefs();
    refs.insert(ref);
    if (refs.count(ref) == 1) resSetResourceProtected(ref, 1);
    ref_ = ref;
    if (outError) *outError = kErrNone;
    return ref;
}

u32 ResLockCount(ResourceRef ref) {
    return u32(heldRefs().count(ref));
}
