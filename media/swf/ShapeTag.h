#pragma once
// DefineShape, DefineShape2 and DefineShape3: bounds and the parsed shape block.
#include "media/swf/Block.h"
#include "media/swf/Tag.h"

namespace swf {

class tagDefineShape : public tagObject {
public:
    explicit tagDefineShape(u16 code) : tagObject(code) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    // 1, 2 or 3 by tag code; only version 3 stores colours with alpha.
    int Version() const;
    const Rect& Bounds() const { return bounds_; }
    const Block& Shape() const { return shape_; }
    Rect GetBounds() const override { return bounds_; }
    void SetShape(const Rect& bounds, Block& shape) {
        bounds_ = bounds;
        shape_.Take(shape);
    }
    Block& MutableShape() { return shape_; }

protected:
    u32 InstanceKind() const override { return kEntryShape; }

private:
    Rect bounds_;
    Block shape_;
};

}  // namespace swf
