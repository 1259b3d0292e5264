#pragma once
// The library entries a project hides ('tLIB'), each by the key "<kind in hex>#<name>",
// compared without regard to case. An edit may be begun and then cancelled, restoring the
// list as it was when the edit began.
#include <string>
#include <vector>

#include "document/objects/RPageObject.h"

namespace Ostrel {

class RLibExclusionsObject : public RPageObject {
public:
    explicit RLibExclusionsObject(u16 id);
    EngineErr LoadMedia(std::span<const u8> bytes) override;
    EngineErr StoreMedia(std::vector<u8>* bytes) const override;
    std::unique_ptr<RPageObject> Clone() const override { return std::make_unique<RLibExclusionsObject>(*this); }

    bool IsExcluded(FourCC type, const std::string& name) const;
    void Add(FourCC type, const std::string& name);
    void Remove(FourCC type, const std::string& name);
    void RemoveAllOfType(FourCC type);
    void BeginEdit() { saved_ = keys_; }
    void CancelEdit() { keys_ = saved_; }
    const std::vector<std::string>& Keys() const { return keys_; }

private:
    std::vector<std::string> keys_;
    std::vector<std::string> saved_;
};

}  // namespace Ostrel
