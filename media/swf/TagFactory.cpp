#include <algorithm>
#include <new>

#include "media/swf/Actions.h"
#include "media/swf/ButtonTags.h"
#include "media/swf/DataTags.h"
#include "media/swf/Document.h"
#include "media/swf/Extensions.h"
#include "media/swf/FontTag.h"
#include "media/swf/FrameTags.h"
#include "media/swf/ShapeTag.h"
#include "media/swf/SoundTags.h"
#include "media/swf/SpriteTag.h"
#include "media/swf/TextTag.h"

namespace swf {

namespace {

tag* NewTagFor(u16 code, const document& owner) {
    switch (code) {
        case kTagShowFrame: return new tagShowFrame;
        case kTagDefineShape:
        case kTagDefineShape2:
        case kTagDefineShape3: return new tagDefineShape(code);
        case kTagPlaceObject:
        case kTagPlaceObject2: return new tagPlaceObject(code);
        case kTagRemoveObject:
        case kTagRemoveObject2: return new tagRemoveObject(code);
        case kTagDefineBits: return new tagDefineBits;
        case kTagJPEGTables: return new tagJPEGTables;
        case kTagDefineBitsJPEG2: return new tagDefineBitsJPEG2;
        case kTagDefineButton:
        case kTagDefineButton2: return new tagDefineButton(code);
        case kTagDefineButtonCxform: return new tagDefineButtonCxform;
        case kTagDefineButtonSound: return new tagDefineButtonSound;
        case kTagSetBackgroundColor: return new tagSetBackgroundColor;
        case kTagDefineFont:
        case kTagDefineFont2: return new tagDefineFont(code);
        case kTagDefineText:
        case kTagDefineText2: return new tagDefineText(code);
        case kTagDoAction: return new tagDoAction;
        case kTagDefineSound: return new tagDefineSound;
        case kTagStartSound: return new tagStartSound;
        case kTagDefineSprite: return new tagDefineSprite;
        case kTagFrameLabel: return new tagFrameLabel;
        case kTagExtensions: return new xtagExtensions;
        case kTagColorXTable:
            if (owner.Extension()) return new xtagColorXTable;
            return new tagData(code);
        case kTagEnd: return new tag(code);
        default: return new tagData(code);
    }
}

}  // namespace

Result TagFactory(document& owner, stream& in, tag*& made) {
    made = nullptr;
    in.Align(8);
    u16 header = 0;
    SWF_TRY(in.ReadU16(header));
    const u16 code = header >> 6;
    u32 length = header & kLongLengthMark;
    if (length == kLongLengthMark) SWF_TRY(in.ReadU32(length));
    u32 size = 0;
    SWF_TRY(in.Size(size));
    const u32 end = std::min(size, owner.ReadEnd());
    const u32 bodyStart = in.Position();
    if (bodyStart > end || length > end - bodyStart) return kErrMemory;
    try {
        made = NewTagFor(code, owner);
    } catch (const std::bad_alloc&) {
        return kErrMemory;
    }
    made->Link(&owner);
    SWF_TRY(made->ReadBody(in, length));
    in.SetPosition(bodyStart + length);
    return kOk;
}

}  // namespace swf
