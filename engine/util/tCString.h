#pragma once
// A small text object in engine memory over the shared reference-counted string; copies
// share one block until one of them changes.
#include "engine/base/EngineTypes.h"
#include "engine/base/RcString.h"
#include "engine/util/OpNew.h"

class tCString : public OpNew {
public:
    tCString() = default;
    explicit tCString(const char* text) : text_(text) {}
    virtual ~tCString() = default;

    // Shares the other's text; none gives the empty string.
    void Assign(const tCString* other);
    // Replaces every occurrence of `from` and answers how many there were; an empty `from`
    // replaces nothing.
    u32 ReplaceAll(const char* from, const char* to);
    void ToUpper();
    void Clear();

    const char* c_str() const { return text_.c_str(); }
    u16 Length() const { return text_.ByteLength(); }

private:
    RcString text_;
};
