#pragma once
// One object on a page: its kind, id and place, and its media as the page archive stores it
// (the resource of the object's kind and id). Kinds differ only in what their media holds
// and how it is read; they are data until the media players come to use them.
#include <memory>
#include <span>
#include <vector>

#include "document/objects/PageObjectMedia.h"
#include "document/objects/PageObjectOwner.h"
#include "engine/base/EngineTypes.h"

namespace Ostrel {

struct PageRect {
    i16 left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PageRect&) const = default;
};

class RPageObject {
public:
    RPageObject(FourCC type, u16 id) : type_(type), id_(id) {}
    virtual ~RPageObject() {
        if (media_) media_->ObjectGone();
    }
    // A copy belongs to no page until one adopts it, and no player shows it.
    RPageObject(const RPageObject& other)
        : rect(other.rect), flags(other.flags), option(other.option), changed(other.changed), type_(other.type_),
          id_(other.id_) {}
    RPageObject& operator=(const RPageObject&) = delete;

    FourCC Type() const { return type_; }
    u16 Id() const { return id_; }
    void SetId(u16 id) { id_ = id; }
    PageRect rect;
    u16 flags = 0;    // bit 0: hidden (skipped by the exports and the skipping iterators)
    u32 option = 0;   // kind-specific placement word
    bool changed = false;  // media not yet stored

    bool IsOnPage() const { return owner_ != nullptr; }
    PageObjectOwner* Owner() const { return owner_; }
    void SetOwner(PageObjectOwner* owner) { owner_ = owner; }
    // The player that shows the object, null while none does.
    PageObjectMedia* Media() const { return media_; }
    void SetMedia(PageObjectMedia* media) { media_ = media; }

    // Reads the stored media; the object keeps its old media when refused.
    virtual EngineErr LoadMedia(std::span<const u8> bytes) = 0;
    virtual EngineErr StoreMedia(std::vector<u8>* bytes) const = 0;
    virtual std::unique_ptr<RPageObject> Clone() const = 0;

private:
    FourCC type_;
    u16 id_;
    PageObjectOwner* owner_ = nullptr;
    PageObjectMedia* media_ = nullptr;
};

constexpr u16 kObjectHidden = 0x0001;

}  // namespace Ostrel
