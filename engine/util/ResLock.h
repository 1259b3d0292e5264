#pragma once
// Pins a resource of an open archive in memory for as long as one lock on it lives: the first
// lock on a resource sets its protected flag and the last one to go clears it. The count of
// holders per resource is kept by the locks themselves. User-interface thread only.
#include "engine/base/EngineTypes.h"
#include "engine/resources/ResourceManager.h"
#include "engine/util/OpNew.h"

class ResLock : public OpNew {
public:
    ResLock() = default;
    ResLock(const ResLock&) = delete;
    ResLock& operator=(const ResLock&) = delete;
    virtual ~ResLock();

    // The resource's reference, or 0 with the resource manager's error in outError. A lock
    // that held another resource lets go of it first.
    ResourceRef Lock(ResMapHandle file, FourCC type, u16 id, EngineErr* outError);
    ResourceRef Ref() const { return ref_; }

private:
    void Release();

    ResourceRef ref_ = 0;
};

// How many live locks hold the resource.
u32 ResLockCount(ResourceRef ref);
