#pragma once
// DefineSprite: a character holding a nested document with its own frames and tags. The
// nested document is a child of the document holding the sprite and shares its header.
#include <memory>

#include "media/swf/Document.h"
#include "media/swf/Tag.h"

namespace swf {

// Sprites may not nest deeper than this; a crafted movie could otherwise exhaust the stack.
constexpr u32 kMaxSpriteNesting = 16;

class tagDefineSprite : public tagObject {
public:
    tagDefineSprite() : tagObject(kTagDefineSprite) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    document* Movie() const { return movie_.get(); }
    // Takes a whole movie as the sprite's timeline; it becomes a child of the sprite's document
    // when the sprite is linked.
    void Adopt(std::unique_ptr<document> movie) { movie_ = std::move(movie); }
    void Link(document* owner) override;
    // Every placement plays its own timeline.
    Result Instantiate(u32 index, movie& timeline) override;

private:
    std::unique_ptr<document> movie_;
};

}  // namespace swf
