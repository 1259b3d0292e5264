#pragma once
// Tags that build the display list frame by frame: PlaceObject and PlaceObject2,
// RemoveObject and RemoveObject2, SetBackgroundColor, ShowFrame and FrameLabel.
#include "engine/base/RcString.h"
#include "media/swf/Tag.h"

namespace swf {

// Which fields of a placement are present (the file's PlaceObject2 bit in brackets).
constexpr u16 kPlaceHasClipDepth = 0x01;  // [0x40]
constexpr u16 kPlaceHasCxform = 0x02;     // [0x08]
constexpr u16 kPlaceHasCharacter = 0x04;  // [0x02]
constexpr u16 kPlaceHasMatrix = 0x08;     // [0x04]
constexpr u16 kPlaceMove = 0x10;          // [0x01]
constexpr u16 kPlaceHasName = 0x20;       // [0x20]
constexpr u16 kPlaceHasRatio = 0x40;      // [0x10]

class tagPlaceObject : public tagAction {
public:
    explicit tagPlaceObject(u16 code) : tagAction(code) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;
    Result Apply(movie& timeline) override;

    u16 flags = 0;
    u16 depth = 0;
    u16 characterId = 0;
    u16 clipDepth = 0;
    u16 ratio = 0;
    Cxform cxform;
    Matrix matrix;
    RcString name;

private:
    Result ReadPlaceObject(stream& in, u32 bodyEnd);
    Result ReadPlaceObject2(stream& in);
    Result NotePlacement();
};

// RemoveObject keeps the character id and the depth, RemoveObject2 only the depth.
class tagRemoveObject : public tagAction {
public:
    explicit tagRemoveObject(u16 code) : tagAction(code) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;
    Result Apply(movie& timeline) override;

    u16 characterId = 0;
    u16 depth = 0;
};

class tagSetBackgroundColor : public tagAction {
public:
    tagSetBackgroundColor() : tagAction(kTagSetBackgroundColor) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;
    Result Apply(movie& timeline) override;

    Rgba colour;
};

class tagShowFrame : public tag {
public:
    tagShowFrame() : tag(kTagShowFrame) {}
};

// A frame label; the labels of a document form their own list, newest first.
class tagFrameLabel : public tag {
public:
    tagFrameLabel() : tag(kTagFrameLabel) {}
    ~tagFrameLabel() override;

    void Link(document* owner) override;
    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    const RcString& Name() const { return name_; }
    u16 Frame() const { return frame_; }
    tagFrameLabel* NextLabel() const { return nextLabel_; }

private:
    void LeaveLabels();

    RcString name_;
    u16 frame_ = 0;
    tagFrameLabel* nextLabel_ = nullptr;
    bool listed_ = false;
};

}  // namespace swf
