#pragma once
// The page's sound objects as the canvas plays them. Each playing sound holds a copy of its
// object's archive wave, so that a page replaced or an object deleted while its sound plays
// leaves nothing pointing into it. User-interface thread only.
#include <memory>
#include <vector>

#include "sound/RSound.h"

namespace Ostrel {

class RPageData;
class RPageObject;

// A sound object the program can play: one that holds an archive wave with samples.
bool IsPlayablePageSound(const RPageObject& object);

class PageSounds {
public:
    // Stops what plays, then plays every playable sound object of the page that is not hidden.
    void Play(const RPageData& page);
    void Stop();
    // How many of the page's sounds play now.
    size_t PlayingCount() const;

private:
    std::vector<std::unique_ptr<RSound>> sounds_;
};

}  // namespace Ostrel
