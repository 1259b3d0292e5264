#pragma once
// A block of memory together with the knowledge of how to reach and release it, whichever of
// four allocators it came from, so that a receiver can use and free any of them alike:
// PolyBufAddr (an address nobody owns), PolyBufFree (the C heap), PolyBufMem (an engine
// pointer block) and PolyBufMemH (an engine handle, locked only between Lock and Unlock).
//
// A buffer owns its block until Free, Detach, a CopyToHandle that takes it over, or its
// destruction; after the first of these it holds nothing and the others do nothing, so a
// block is released exactly once. Copies never read past the end of an engine block: asked
// for more than the block holds, they copy what it holds.
#include "engine/base/EngineTypes.h"
#include "engine/base/MemoryHandles.h"
#include "engine/util/OpNew.h"

// The answer of a buffer of no kind.
constexpr EngineErr kPolyBufErrNoKind = 1;

class PolyBuf : public OpNew {
public:
    PolyBuf() = default;
    PolyBuf(const PolyBuf&) = delete;
    PolyBuf& operator=(const PolyBuf&) = delete;
    virtual ~PolyBuf() = default;

    virtual void* Lock() { return nullptr; }
    virtual void Unlock() {}
    // Forgets the block without freeing it: whoever took it owns it now.
    virtual void Detach() {}
    virtual void Free() {}
    // Gives the contents away as a new engine handle; takeOver also lets go of the block
    // (a handle buffer hands out its own handle). kMemErrBadHandle when there is no block.
    virtual EngineErr CopyToHandle(memHandle* outHandle, u32 size, u16 takeOver);
};

class PolyBufAddr : public PolyBuf {
public:
    explicit PolyBufAddr(void* data) : data_(data) {}

    void* Lock() override { return data_; }
    void Detach() override { data_ = nullptr; }
    EngineErr CopyToHandle(memHandle* outHandle, u32 size, u16 takeOver) override;

protected:
    // How many of `wanted` bytes the block can give; a plain address cannot tell.
    virtual u32 Available(u32 wanted) const { return wanted; }

    void* data_ = nullptr;
};

class PolyBufFree : public PolyBufAddr {
public:
    explicit PolyBufFree(void* data) : PolyBufAddr(data) {}
    ~PolyBufFree() override;

    void Free() override;
};

class PolyBufMem : public PolyBufAddr {
public:
    explicit PolyBufMem(void* data) : PolyBufAddr(data) {}
    // A zero-filled block of `size` bytes; null data when it cannot be had.
    explicit PolyBufMem(u32 size);
    ~PolyBufMem() override;

    void Free() override;

protected:
    u32 Available(u32 wanted) const override;
};

class PolyBufMemH : public PolyBuf {
public:
    explicit PolyBufMemH(memHandle handle) : handle_(handle) {}
    ~PolyBufMemH() override;

    // Locks the handle once; later calls give the same address.
    void* Lock() override;
    void Unlock() override;
    void Detach() override;
    void Free() override;
    EngineErr CopyToHandle(memHandle* outHandle, u32 size, u16 takeOver) override;

    memHandle Handle() const { return handle_; }

private:
    memHandle handle_ = 0;
    void* data_ = nullptr;
};

// Null when the buffer object itself cannot be allocated.
PolyBufMem* NewPolyBufMem(u32 size);
