#pragma once
// The copy of the shown page that a signal keeps when it finds the program not answering (its
// user-interface thread waiting in a call or working on; platform/display/SignalRescue.h):
// the bytes the page's recovery copy would have, made anew after each finished change of the
// unsaved page once the child pauses (a run of quick strokes is copied once, not stroke by
// stroke), and given up once the page is saved or goes.
#include <functional>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

class Paths;
class RPage;

class PageRescue {
public:
    PageRescue() = default;
    ~PageRescue();
    PageRescue(const PageRescue&) = delete;
    PageRescue& operator=(const PageRescue&) = delete;

    // `store` puts the painting into the page as a save does; false while a change is under
    // way (a stroke, a piece being moved), which leaves the copy for a later tick.
    void Update(RPage* page, const Paths* paths, u32 now, const std::function<bool(RPage*)>& store);

private:
    void Drop();

    // Compared only: the page whose copy is kept, and its revision then.
    const RPage* page_ = nullptr;
    u32 revision_ = 0;
    bool kept_ = false;
    // The page's revision last seen, and when it was first seen.
    u32 seen_ = 0;
    u32 seenAt_ = 0;
};

}  // namespace Ostrel
