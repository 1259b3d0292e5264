#include "panels/frames/makeEditFrame.h"

#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "panels/frames/RFlashEditFrame.h"
#include "panels/frames/RMBitmapEditFrame.h"
#include "panels/frames/RMovieEditFrame.h"
#include "panels/frames/RTextEditFrame.h"

namespace Ostrel {

namespace {

using FrameFactory = std::unique_ptr<REditFrame> (*)(FrameHost& host);

template <typename Frame>
std::unique_ptr<REditFrame> make(FrameHost& host) {
    return std::make_unique<Frame>(host);
}

struct FrameKind {
    FourCC type;
    FrameFactory factory;
};

constexpr FrameKind kFrameKinds[] = {
    {kTypeText, &make<RTextEditFrame>},
    {kTypeBitmap, &make<RMBitmapEditFrame>},
    {kTypeMovableBitmap, &make<RMBitmapEditFrame>},
    {kTypeFlash, &make<RFlashEditFrame>},
    {kTypeFlashAnimation, &make<RFlashEditFrame>},
    {kTypeMovie, &make<RMovieEditFrame>},
};

FrameFactory factoryFor(const RPageObject& object) {
    if (object.Type() == kTypeBitmap && object.Id() == kBackgroundId) return nullptr;
    for (const FrameKind& kind : kFrameKinds)
        if (kind.type == object.Type()) return kind.factory;
    return nullptr;
}

}  // namespace

bool hasEditFrame(const RPageObject& object) { return factoryFor(object) != nullptr; }

std::unique_ptr<REditFrame> makeEditFrame(const RPageObject& object, FrameHost& host) {
    const FrameFactory factory = factoryFor(object);
    return factory ? factory(host) : nullptr;
}

}  // namespace Ostrel
