#pragma once
// The kinds of page object that have an edit frame, and the frame of each: pictures, texts,
// animations and movies.
#include <memory>

#include "document/objects/RPageObject.h"
#include "panels/frames/REditFrame.h"

namespace Ostrel {

// Whether objects of the kind get a frame (the page's background picture never does).
bool hasEditFrame(const RPageObject& object);
// The frame for the object's kind, not yet attached; null for a kind without one.
std::unique_ptr<REditFrame> makeEditFrame(const RPageObject& object, FrameHost& host);

}  // namespace Ostrel
