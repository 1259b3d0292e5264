#pragma once
// The program's clip list: what was cut or copied, newest last, one clip per kind and id. A
// page object's clip holds its own copy of the object; a bitmap clip its own pixels.
#include <initializer_list>
#include <memory>
#include <vector>

#include "document/objects/RPageObject.h"
#include "document/storage/PictureRecord.h"

namespace Ostrel {

class Clip {
public:
    Clip(FourCC type, i32 id) : type_(type), id_(id) {}
    virtual ~Clip() = default;
    FourCC Type() const { return type_; }
    i32 Id() const { return id_; }

private:
    FourCC type_;
    i32 id_;
};

class PageClip : public Clip {
public:
    explicit PageClip(const RPageObject& object) : Clip(object.Type(), object.Id()), object_(object.Clone()) {}
    const RPageObject& Object() const { return *object_; }

private:
    std::unique_ptr<RPageObject> object_;
};

class BitmapClip : public Clip {
public:
    BitmapClip(FourCC type, i32 id, PictureRecord pixels) : Clip(type, id), pixels_(std::move(pixels)) {}
    const PictureRecord& Pixels() const { return pixels_; }

private:
    PictureRecord pixels_;
};

class ClipList {
public:
    // Replaces a clip of the same kind and id; the new clip becomes the newest.
    void Add(std::unique_ptr<Clip> clip);
    void DeleteAll() { clips_.clear(); }
    void DeleteAllButBitmaps();
    // The newest clip of one of the kinds, or null.
    Clip* FindLastOfTypes(std::initializer_list<FourCC> types) const;
    size_t Count() const { return clips_.size(); }

private:
    std::vector<std::unique_ptr<Clip>> clips_;
};

}  // namespace Ostrel
