#pragma once
// What a message record owns besides its numbers: a value made by the sender, shared by every
// copy of the record and freed with the last of them (once the record is handled, or purged
// from the queue). A receiver asks for the type it expects and gets null for any other, so a
// record never hands out memory under the wrong type and nobody frees it by hand.
#include <utility>

namespace Ostrel {

class RMessagePayload {
public:
    virtual ~RMessagePayload() = default;
};

template <typename T>
class RPayloadOf final : public RMessagePayload {
public:
    explicit RPayloadOf(T value) : value_(std::move(value)) {}
    const T& Value() const { return value_; }

private:
    const T value_;
};

}  // namespace Ostrel
