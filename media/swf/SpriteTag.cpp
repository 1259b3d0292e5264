#include "media/swf/SpriteTag.h"

namespace swf {

Result tagDefineSprite::ReadBody(stream& in, u32 length) {
    const u32 bodyEnd = in.Position() + length;
    SWF_TRY(ReadCharacterId(in));
    u32 depth = 0;
    for (const document* d = owner_; d; d = d->Parent()) ++depth;
    if (depth > kMaxSpriteNesting) return kErrBadData;
    movie_ = std::make_unique<document>(owner_);
    movie_->SetReadEnd(bodyEnd);
    SWF_TRY(movie_->ReadHeader(in));
    return movie_->ReadTags();
}

void tagDefineSprite::Link(document* owner) {
    tagObject::Link(owner);
    if (movie_ && owner && movie_->Parent() != owner) movie_->SetParent(owner);
}

Result tagDefineSprite::Write(stream& out) {
    if (!movie_) return kErrBadData;
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() -> Result {
        SWF_TRY(out.WriteU16(CharacterId()));
        return movie_->Write(out);
    });
}

}  // namespace swf
